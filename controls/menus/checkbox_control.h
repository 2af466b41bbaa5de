// TsBWCCControl: the two- or three-state button-like control under the check
// box. It places box and caption, paints them through an off-screen bitmap
// (only the caption side or only the box strip after changes that touch one
// of them), presses with the left button or Space and toggles on release,
// answers its accelerator and sizes itself to its caption.
//
// A release toggles only when its press was seen here: a stray button-up, or
// the Space-up of a key that closed a message box, never flips a setting.
#pragma once

#include <string>

#include "controls/menus/checkbox_background.h"
#include "controls/menus/checkbox_rules.h"
#include "framework/text_alignment.h"

// The side of the box: taLeftJustify (box left) or taRightJustify (box right).
using TLeftRight = TAlignment;

// Background of a check box. (The flat buttons' TTransparentMode is another type.)
enum TsTransparentMode { tmOpaque, tmSemiTransparent, tmTransparent };

class TsBWCCControl : public TsTransControl {
public:
    explicit TsBWCCControl(TComponent* AOwner);

    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight value);
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool value);
    // Pressing moves the caption by one pixel and repaints the whole control.
    bool ButtonLike() const { return button_like_; }
    void SetButtonLike(bool value);
    TColor CheckColor() const { return check_color_; }
    void SetCheckColor(TColor value);
    bool FocusFrame() const { return focus_frame_; }
    void SetFocusFrame(bool value);
    TAlignment TextAlignment() const { return text_alignment_; }
    void SetTextAlignment(TAlignment value);
    TsTransparentMode TransparentMode() const { return transparent_mode_; }
    void SetTransparentMode(TsTransparentMode value);
    TVerticalAlignment VerticalAlignment() const { return vertical_alignment_; }
    void SetVerticalAlignment(TVerticalAlignment value);
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool value);

    // The value. Writing it (or Checked) raises no OnClick; only a toggle does.
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    bool Checked() const { return state_ == cbChecked; }
    virtual void SetChecked(bool value);

    // The left button or Space is held down over the control.
    bool Pressed() const { return pressed_; }
    bool MouseInside() const { return mouse_inside_; }
    // The box rectangle in client coordinates.
    RECT BoxRect() const;

    // The caption's window text changes only when it differs; every write
    // repaints the caption side.
    void SetText(const std::string& value) override;
    // A repaint of everything; changes that touch one side ask for less.
    void Invalidate() override;
    // With AutoSize: sizes the control to its caption (the right edge stays
    // where it is for a box at the right).
    void AdjustBounds();

protected:
    virtual void DrawCheck(TCanvas& Canvas, const RECT& Box) = 0;
    virtual void Toggle() = 0;
    virtual bool CanChange() { return true; }
    void DrawCaption(TCanvas& Canvas);
    // Asks for a repaint of the box strip (of everything while ButtonLike).
    void BoxChanged();

    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    // Space toggles; no OnKeyUp.
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    void WMKillFocus(TMessage& Message) override;
    void WMCancelMode(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMParentColorChanged(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;

private:
    bool BoxAtRight() const { return alignment_ == taRightJustify; }
    void SetPressed(bool value);
    // Ends the press, whoever made it (button, Space or both).
    void EndPress();
    // The box and all its parents visible and enabled.
    bool ShownAndEnabled() const;
    // Asks for a repaint of one side; two different sides mean all.
    void InvalidatePart(TCheckBoxRepaint kind);

    TLeftRight alignment_ = taLeftJustify;
    bool auto_size_ = false;
    bool button_like_ = true;
    TColor check_color_ = clBlack;
    bool mouse_inside_ = false;
    bool focused_ = false;
    TCheckBoxRepaint repaint_ = TCheckBoxRepaint::All;  // what the pending paint redraws
    bool repaint_pending_ = false;
    bool pressed_ = false;
    bool focus_frame_ = false;
    TAlignment text_alignment_ = taLeftJustify;
    TsTransparentMode transparent_mode_ = tmOpaque;
    TVerticalAlignment vertical_alignment_ = vaCenter;
    bool word_wrap_ = false;
    TCheckBoxState state_ = cbUnchecked;
    // The press a release may toggle on: the button-down or Space-down seen here.
    bool mouse_press_ = false;
    bool space_press_ = false;
};
