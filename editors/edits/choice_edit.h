// TI_CustomChoiceEdit: the mask edit with a button inside its right edge,
// an optional check glyph at its left edge, four frame styles and the
// drop-down protocol (DropDown, ButtonClick, CloseUp, ShowDropDown, F2).
// TI_ChoiceEdit is the one the forms and grids use.
//
// The window is a one-line EDIT whose margins keep the text clear of the
// button and the check glyph, scrolling sideways to take what is typed; Enter
// and Esc go on to the form as dialog keys, typed CR and LF are dropped and
// pasted ones stripped. MultiLine makes it a multi-line EDIT (a memo that
// wraps its lines) laid out by its formatting rectangle (EM_SETRECTNP).
//
// The form family (TDC...) adds a placeholder text drawn while the field is
// empty (or after its text), Enter and Shift+Enter moving the focus through
// the owner's tab order (OnSelectNext may veto or redirect), and dragging a
// selected text onto another form edit with data dragging enabled. The
// code is the same for both families; the family's rules switch it on.
//
// The button has no window: the edit hit-tests it, routes press, release and
// moves to it and paints it after its own painting. A button switched off
// from inside its own click is hidden at once and freed once the click has
// returned.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editors/edits/mask_edit.h"
#include "editors/edits/outside_text.h"
#include "editors/tools/edit_button.h"
#include "framework/bitmap.h"
#include "framework/edit_kinds.h"

class TDragImage;

// What a data drag passes to its events unchanged (the edits set the second
// and third values to -1 after a drop).
struct TDataDragExtra {
    int32_t Values[3] = {0, 0, 0};
};
using TDataDragOverEvent = std::function<void(bool& Accept, int& State, POINT ScreenPos, TDataDragExtra& Extra)>;
using TDataDragCancelEvent = std::function<void(int& State)>;
// Enter (Key VK_RETURN) or any other key: Next may be named or changed,
// Allow false keeps the focus where it is.
using TEditSelectNextEvent =
    std::function<void(TWinControl*& From, TWinControl*& Next, bool& Allow, WORD Key)>;

// Why the drop-down opened last.
enum TDropDownReason : int { drNone = 0, drKey = 1, drButton = 3 };

class TI_CustomChoiceEdit : public TI_CustomMaskEdit {
public:
    explicit TI_CustomChoiceEdit(TComponent* AOwner, const PopupFamily& family = kInplaceFamily);
    ~TI_CustomChoiceEdit() override;

    // --- the button ---------------------------------------------------------
    TI_EditButton* Button() const { return button_; }
    bool ButtonExist() const { return button_exist_; }
    virtual void SetButtonExist(bool value);
    TChoiceBtnStyle ButtonChoiceStyle() const { return choice_style_; }
    void SetButtonChoiceStyle(TChoiceBtnStyle value);
    TEventStyle ButtonStyle() const { return event_style_; }
    void SetButtonStyle(TEventStyle value);
    int ChoiceButtonWidth() const { return choice_button_width_; }
    // Switches to btsCustom.
    void SetChoiceButtonWidth(int value);
    TBitmap& Glyph() { return *glyph_; }
    // Switches to btsCustom with the glyph's width + 6 (16 without a glyph).
    void SetGlyph(TBitmap* value);
    // The button's width, 0 without a button.
    int GetButtonWidth() const;
    bool ButtonActive() const { return button_active_; }
    void SetButtonActive(bool value);
    bool ChoiceLocked() const { return choice_locked_; }
    void SetChoiceLocked(bool value);

    // --- look -----------------------------------------------------------------
    TControlStyle DrawStyle() const { return draw_style_; }
    void SetDrawStyle(TControlStyle value);
    bool MultiLine() const { return multi_line_; }
    // A window style (Enter then makes a new line): the window is made again.
    void SetMultiLine(bool value);
    TBitmap& CheckGlyph() { return *check_glyph_; }
    void SetCheckGlyph(TBitmap* value);
    bool ShowCheckBox() const { return show_check_box_; }
    void SetShowCheckBox(bool value);
    bool CornerMark() const { return corner_mark_; }
    void SetCornerMark(bool value);
    bool RightEdgeMark() const { return right_edge_mark_; }
    void SetRightEdgeMark(bool value);
    bool Hot() const { return hot_; }
    // Enter in an open list and typing into an open calculator reach the edit.
    bool KeyPass() const { return key_pass_; }
    void SetKeyPass(bool value) { key_pass_ = value; }
    TWinControl* LinkControl() const { return link_control_; }
    void SetLinkControl(TWinControl* value);
    // The text area last laid out (client coordinates): a MultiLine edit's
    // formatting rectangle; a one-line edit's left and right margins.
    RECT EditRect() const { return edit_rect_; }

    // --- drop-down protocol -------------------------------------------------
    virtual bool CheckGlyphVisible() const;
    virtual void GetEditMargins(int& Left, int& Right);
    virtual int GetMinWidth() const { return 0; }
    virtual bool IsDroppedDown() const { return false; }
    virtual void CheckClick();
    virtual void UpdateButtonGlyph() {}
    virtual int DefaultButtonKind() const { return 0; }
    virtual void ShowDropDown() {}
    virtual void ButtonClick(TObject* Sender);
    // Presses and releases the button (esDropDown only), which clicks it.
    void DropDown();
    // The open drop-down's window (a list, the calculator), else nullptr.
    virtual TWinControl* DropDownWindow() const { return nullptr; }
    void LayoutChanged() override;
    TDropDownReason DropDownReason() const { return drop_down_reason_; }

    // --- form edits: placeholder, Enter, data dragging --------------------------
    const std::string& EmptyText() const { return empty_text_; }
    void SetEmptyText(const std::string& value);
    // The placeholder also stands after a text (left alignment only).
    bool ShowEmptyTextAfterText() const { return empty_text_after_text_; }
    void SetShowEmptyTextAfterText(bool value);
    // Moves the focus from From to the next (previous) control of the owner's
    // tab order, passing over read-only form edits; OnSelectNext may veto or
    // name another. TabStopOnly false: only children of this edit count.
    virtual void SelectNext(TWinControl* From, bool Forward, WORD Key, bool TabStopOnly);
    bool DataDraggingEnabled() const { return data_dragging_; }
    void SetDataDraggingEnabled(bool value) { data_dragging_ = value; }
    bool DataDragging() const { return drag_state_ != 0; }
    // The edit the running drag would drop on (nullptr: none).
    TI_CustomChoiceEdit* DropTarget() const { return drop_target_; }
    bool DragAccepted() const { return drag_accept_; }
    const TDataDragExtra& DragExtra() const { return drag_extra_; }
    TDataDragExtra& DragExtra() { return drag_extra_; }

    // Text from outside: a paste (WM_PASTE) or a drop goes in only as typing
    // could have put it there (outside_text.h); false when the field took
    // nothing (read-only, or refused) and nothing changed.
    bool TakeOutsideText(const std::string& Text, TOutsideText How);
    // Whether a drop of Text would be taken (nothing changes).
    bool TakesDrop(const std::string& Text) const;

    // Called instead of the placeholder while the text is empty.
    TNotifyEvent OnEmptyPaint;
    TDataDragOverEvent OnDragOverData;
    TDataDragOverEvent OnDragDropData;
    TDataDragCancelEvent OnDragOverCancel;
    TEditSelectNextEvent OnSelectNext;

    TNotifyEvent OnButtonClick;
    TNotifyEvent OnCheckClick;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Change() override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void CMExit(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void BoundsChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Paints the frame (drawAll), the check glyph and the button on the window.
    virtual void PaintFrame(bool DrawAll);
    // The frame into a DC of the whole window (window coordinates).
    void PaintFrameOn(HDC Dc);
    // Marks, check glyph and button into a DC of the client area.
    void PaintClientExtras(HDC Dc);
    void PaintButtonOn(HDC Dc);
    void PaintNonClient(HDC Dc) override;
    virtual void AfterPaint() {}
    // What outside text would make of the field (nothing: refused), and
    // putting that result in; the combo keeps its item in step.
    virtual std::optional<OutsideTextResult> FitOutside(const std::string& Text, TOutsideText How) const;
    virtual void ApplyOutside(const OutsideTextResult& Result, TOutsideText How);
    // The list-only combo paints its face itself and skips the erase.
    virtual bool ErasesBackground() const { return true; }
    // An edit with a drop-down: UM_DROPDOWN 1 runs OpenDropDown with the
    // hints off, 0 runs CloseDropDown and gives the hints back (each only
    // when the drop-down is not open, or open); both ignored while the right
    // button is held. A cancel-mode from the drop-down closes nothing.
    virtual void OpenDropDown() {}
    virtual void CloseDropDown() {}
    // ButtonClick of an edit with a drop-down: the click, then the drop-down
    // opened, or closed without accepting when it is open.
    void ToggleDropDown(TObject* Sender);
    // Sets up the button from the styles (made when missing).
    void UpdateButton();
    void PaintButton();
    bool OverButton(int X) const;
    bool OverCheckGlyph(int X) const;

private:
    void FreeButton();
    // Runs a call into the button; a button switched off meanwhile is freed
    // after the outermost call.
    template <class F>
    void WithButton(F&& f);
    void LoadStyleGlyph();
    void PaintMarks(HDC Dc);
    void PaintCheckGlyph(HDC Dc);
    void PaintPlaceholder(HDC Dc);
    // Data dragging (choice_edit_form.cpp). A press either starts a drag,
    // or is a plain press, or was a click whose release the drag detection
    // took from the queue.
    enum class PressKind { Plain, Drag, Click };
    PressKind DragMouseDown(int X, int Y);
    // Whether the client point lies on the selected text.
    bool OnSelection(int X, int Y);
    // Ends a drag without a drop: the image, the events and the cursor.
    void CancelDataDrag();
    void DragMouseMove(TMessage& Message);
    void DragMouseUp();
    void EndDragImage();
    void FollowDrag(POINT ScreenPos);
    // The form edit under a screen point that takes a data drop.
    TI_CustomChoiceEdit* DropTargetAt(POINT ScreenPos) const;
    // Asks OnSelectNext about Next; an allowed control that can take the focus gets it.
    bool AskSelectNext(TWinControl* From, TWinControl* Next, WORD Key);

    TI_EditButton* button_ = nullptr;
    int button_calls_ = 0;
    bool button_retired_ = false;
    TChoiceBtnStyle choice_style_ = btsForm;
    TEventStyle event_style_ = esNormal;
    bool button_exist_ = true;
    bool pressed_ = false;
    int text_left_ = 0;
    TControlStyle draw_style_ = fcsNormal;
    bool hot_ = false;
    int choice_button_width_ = 16;
    std::unique_ptr<TBitmap> glyph_;
    std::unique_ptr<TBitmap> check_glyph_;
    bool over_check_ = false;
    bool over_button_ = false;
    bool show_check_box_ = true;
    bool choice_locked_ = false;
    bool button_active_ = true;
    TWinControl* link_control_ = nullptr;
    RECT edit_rect_{};
    bool multi_line_ = false;
    bool key_pass_ = false;
    bool corner_mark_ = false;
    bool right_edge_mark_ = false;
    TDropDownReason drop_down_reason_ = drNone;
    std::string empty_text_;
    bool empty_text_after_text_ = false;
    // The WM_CHAR of an Enter whose key-down moved the focus.
    bool swallow_enter_char_ = false;
    bool data_dragging_ = false;
    int drag_state_ = 0;
    int drag_state_value_ = 0;
    bool drag_accept_ = false;
    TDataDragExtra drag_extra_;
    TI_CustomChoiceEdit* drop_target_ = nullptr;
    std::string dragged_text_;
    std::unique_ptr<TDragImage> drag_image_;
    bool saved_show_hint_ = false;
};

class TI_ChoiceEdit : public TI_CustomChoiceEdit {
public:
    explicit TI_ChoiceEdit(TComponent* AOwner, const PopupFamily& family = kInplaceFamily)
        : TI_CustomChoiceEdit(AOwner, family) {}
};

class TDCCustomChoiceEdit : public TI_CustomChoiceEdit {
public:
    explicit TDCCustomChoiceEdit(TComponent* AOwner) : TI_CustomChoiceEdit(AOwner, kFormFamily) {}
};

class TDCChoiceEdit : public TI_ChoiceEdit {
public:
    explicit TDCChoiceEdit(TComponent* AOwner) : TI_ChoiceEdit(AOwner, kFormFamily) {}
};
