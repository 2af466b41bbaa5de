// TFlatButton: the flat push and toggle button of the library's forms.
//
// A windowed, focusable control that paints itself flat (state colours or
// the parent's background, a two-colour frame, a glyph strip of up to four
// images, a key label, a caption with "<br>" line breaks, optionally round
// corners cut by a window shape). It works without a mouse: Enter and
// Shift+Enter move the focus forwards and backwards over its owner's tab
// stops, Backspace backwards, Space presses it; OnSelectNext, OnUp, OnDown,
// OnLeftRightKeyPressed and OnAlpha let a form decide what a key means
// (dialogs decide their result this way). A click hands ModalResult to the
// form before OnClick runs. A focused button keeps its hover look.
#pragma once

#include <functional>
#include <string>

#include "controls/flat/flat_button_base.h"
#include "framework/custom_control.h"

using TSelectNext =
    std::function<void(TWinControl*& SourceControl, TWinControl*& DestControl, WORD CharCode, bool& Accept)>;
using TBeforeClick = std::function<void(TObject* Sender, bool& Clicked)>;
using TUpPressed = std::function<void(TObject* Sender, bool& Accept)>;
using TDownPressed = std::function<void(TObject* Sender, bool& Accept)>;
using TLeftRightKeyPressed = std::function<void(TObject* Sender, bool Right)>;
using TAlphaKeyPressed = std::function<void(TObject* Sender, WORD Key)>;

class TFlatButton : public TFlatButtonBase<TCustomControl> {
public:
    explicit TFlatButton(TComponent* AOwner);

    bool Default() const { return default_; }
    // Drawn with a two-pixel border.
    void SetDefault(bool v);
    // Corner diameter of the round window shape, 0..100 (0: square).
    void SetRound(int v);
    const std::string& VKKey() const { return vk_key_; }
    // The small key label.
    void SetVKKey(const std::string& v);

    // Moves the focus from CurControl to the next (previous) focusable
    // control of the owner's tab order (all nesting levels; CurControl itself
    // comes last), asking OnSelectNext first.
    void SelectNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, WORD CharCode);

    TBeforeClick OnBeforeClick;
    TSelectNext OnSelectNext;
    TUpPressed OnUp;
    TDownPressed OnDown;
    TLeftRightKeyPressed OnLeftRightKeyPressed;
    TAlphaKeyPressed OnAlpha;

protected:
    void Paint() override;
    bool KeepsHover() const override { return focused_; }
    void Pressed() override;
    bool BeforeClick() override;
    bool AcceptsAccel() const override { return CanFocus(); }
    void CreateWnd() override;
    void WMKeyDown(TMessage& Message) override;
    void WMKeyUp(TMessage& Message) override;
    void CNKeyDown(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMMove(TMessage& Message) override;

private:
    void ApplyRegion();
    // OnSelectNext may change Dest or refuse; an accepted Dest gets the focus.
    void AskSelectNext(TWinControl* Source, TWinControl* Dest, WORD CharCode);

    bool default_ = false;
    bool focused_ = false;
    bool space_pressed_ = false;  // this button saw the Space key go down
    std::string vk_key_;
};
