// TI_CustomCalculator: the float edit's drop-down pocket calculator. A clip
// popup with a display, a memory indicator and 29 keys; the arithmetic is
// CalcEngine's. The keys of the owning edit reach it through KeyDown and
// KeyPress (the popup never takes the focus).
//
// Closing goes through the close routine (the edit's CloseUp), which must
// not free the calculator at once: it is called from the calculator's own
// handlers. A press outside the popup closes it without accepting.
#pragma once

#include <functional>
#include <string>

#include "editors/popups/calc_engine.h"
#include "editors/popups/clip_popup.h"

// The keys' face: checkered while pressed (white) or hot (light grey).
class TI_CalcButton : public TI_EditButton {
public:
    TI_CalcButton(TWinControl* AOwner, TI_EditButtons* Collection);

protected:
    void PaintBackground(TCanvas& Canvas, const RECT& Rect) override;
    void PaintFrame(TCanvas& Canvas, const RECT& Rect) override;
    bool ShiftsWhenDown(bool) const override { return false; }
};

// accept: OK (true) or Cancel, Esc and a press outside (false).
using TCalcCloseEvent = std::function<void(bool Accept)>;

class TI_CustomCalculator : public TI_ClipPopup {
public:
    explicit TI_CustomCalculator(TWinControl* AOwner, const PopupFamily& family = kInplaceFamily);

    const CalcEngine& Engine() const { return engine_; }
    // A number text on the display, read into the value (at opening).
    void SetDisplay(const std::string& Text);
    int KeyWidth() const { return key_width_; }
    int KeyHeight() const { return key_height_; }
    int DisplayHeight() const { return key_height_ + 4; }
    int OkRowHeight() const { return key_height_ + 1; }

    // The key dispatcher: one key code (0..28).
    void Press(int Code);
    // Keys of the owning edit: those without a character by key code, the
    // typed characters by character.
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    // Alt+O clicks OK, Alt+C Cancel; true when taken.
    bool DialogChar(char Ch);

    // The display and memory boxes (client coordinates).
    RECT DisplayRect() const;
    RECT MemoryRect() const;

    TCalcCloseEvent OnClose;

protected:
    void Paint() override;
    void OutsidePress() override;

private:
    void Layout();
    void Close(bool accept);

    CalcEngine engine_;
    int key_width_ = 0;
    int key_height_ = 0;
};
