// Plain standard controls built on the framework: a container without a
// frame (TPanel), a window-less picture (TImage) and a window-less line of
// text (TLabel).
#pragma once

#include <memory>

#include "framework/bitmap.h"
#include "framework/custom_control.h"
#include "framework/graphic_control.h"

// A container filled with its colour (the parent's while ParentColor); no
// bevel, no caption. Children are laid out by Align as in any container.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);
};

// A picture drawn at the control's top-left, unscaled.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TBitmap& Picture() { return *picture_; }
    // Copies Value and repaints.
    void SetPicture(TBitmap& Value);

protected:
    void Paint() override;

private:
    std::unique_ptr<TBitmap> picture_;
};

// One line of text in the control's font, on the parent's background (no
// accelerator prefix; cut at the control's width).
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
};
