// TFlatHint and TFlatHintWindow: the program's hint look. A TFlatHint placed
// on a form makes TFlatHintWindow the application's hint window, sets the
// hint pauses and relays the application's OnShowHint to its own. The window
// is borderless, with a coloured strip carrying an arrow towards the cursor
// and word-wrapped text at most MaxHintWidth wide; its look comes from the
// flat hint of the lowest-index form that has one (none: no hint shows).
//
// A flat hint that goes gives the application back the OnShowHint and hint
// window class it found, so no later hint calls into a freed component.
#pragma once

#include <memory>
#include <string>

#include "controls/flat/flat_hint_layout.h"
#include "framework/application.h"
#include "framework/component.h"
#include "framework/hint_window.h"

class TFont;

class TFlatHint : public TComponent {
public:
    explicit TFlatHint(TComponent* AOwner);
    ~TFlatHint() override;

    TFont& Font() { return *font_; }
    // Takes the attributes of Value.
    void SetFont(const TFont& Value);
    TColor ColorBackground() const { return colors_[0]; }
    void SetColorBackground(TColor Value) { colors_[0] = Value; }
    TColor ColorBorder() const { return colors_[1]; }
    void SetColorBorder(TColor Value) { colors_[1] = Value; }
    TColor ColorArrowBackground() const { return colors_[2]; }
    void SetColorArrowBackground(TColor Value) { colors_[2] = Value; }
    TColor ColorArrow() const { return colors_[3]; }
    void SetColorArrow(TColor Value) { colors_[3] = Value; }
    // Widest hint window in pixels; values below the strip and margins
    // (22) are raised to it.
    int MaxHintWidth() const { return max_hint_width_; }
    void SetMaxHintWidth(int Value);

    // Called with the application's OnShowHint arguments.
    TShowHintEvent OnShowHint;

protected:
    void BeforeDestruction() override;

private:
    std::unique_ptr<TFont> font_;
    TColor colors_[4] = {clWhite, clBlack, 0x53D2FF, clBlack};
    int max_hint_width_ = 200;
};

// The flat hint of the lowest-index form that has one (each form's first in
// component order), or nullptr.
TFlatHint* FindFlatHint();

class TFlatHintWindow : public THintWindow {
public:
    explicit TFlatHintWindow(TComponent* AOwner);

    // Measures the text with the look's font and MaxHintWidth, places the
    // window beside the cursor by its screen quarter (Rect's position is not
    // used) and shows it. Without a flat hint nothing shows.
    void ActivateHint(RECT Rect, const std::string& AHint) override;
    TFlatHintArrow Arrow() const { return arrow_; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    // The window keeps the size ActivateHint gave it.
    void CMTextChanged(TMessage&) override {}
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void SetLook(TFlatHint* Look);

    TFlatHintArrow arrow_ = haUpLeft;
    TFlatHint* look_ = nullptr;
};
