// Small sample controls of the gallery, built only on the framework: a
// panel, a button, a text label and a colour swatch. They show how controls
// are written against TCustomControl and TGraphicControl.
#pragma once

#include <string>

#include "framework/custom_control.h"
#include "framework/graphic_control.h"

// A container with a sunken or raised frame and an optional centred caption.
class TSamplePanel : public TCustomControl {
public:
    explicit TSamplePanel(TComponent* AOwner);
    bool Raised = true;

protected:
    void Paint() override;
    void AdjustClientRect(RECT& Rect) override;
};

// A flat push button: hover look, focus frame, Space and Enter click it.
class TSampleButton : public TCustomControl {
public:
    explicit TSampleButton(TComponent* AOwner);
    bool Down() const { return down_; }
    void SetDown(bool value);

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;

private:
    bool hover_ = false;
    bool pressed_ = false;
    bool down_ = false;
};

// Window-less text, painted by its parent.
class TSampleLabel : public TGraphicControl {
public:
    explicit TSampleLabel(TComponent* AOwner);
    UINT Format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    bool Transparent = true;

protected:
    void Paint() override;
};

// A label of one line at (x, y), w wide, owned and shown by parent.
TSampleLabel* SampleLabel(TWinControl* parent, int x, int y, int w, const std::string& text, bool bold = false);
// A page's title line: large and bold, along the top edge.
TSampleLabel* SampleTitle(TWinControl* parent, const std::string& text, int height = 34);

// Window-less coloured box that lightens while the mouse is over it.
class TSampleSwatch : public TGraphicControl {
public:
    explicit TSampleSwatch(TComponent* AOwner);

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    bool hover_ = false;
};
