// TI_CustomEdit: the single-line edit all edit controls of both families
// stand on. It checks its text when the focus leaves (CanEmpty, and what
// derived edits add), keeps the focus on a failed check and shows the error
// in the one error bubble of the process, which goes again on typing,
// commands, activation changes, cancel-mode, Delete, a passed check and the
// owner's end. A nested update bracket holds the change notification back.
//
// UM_BUBBLE (to the edit): WParam 1 shows the bubble (LParam an error code,
// 0 keeps the current one), WParam 0 hides it. UM_CHECKFAILED is sent to the
// form and the parent on a failed check; a non-zero answer cancels the error.
//
// The bubble is a TI_MessageWindow of the edit's family, owned by the edit
// that shows it; each family has one (a grid's and a form's can show at
// once); an error of another edit makes a new one for that edit (its
// place and delay belong to the owner). Hides already queued when the bubble
// is shown again are dropped, so an old text's expiry never hides a new one.
#pragma once

#include <functional>
#include <string>

#include "editors/edits/edit_error_codes.h"
#include "editors/popups/popup_family.h"
#include "framework/edit.h"
#include "framework/text_alignment.h"

class TI_MessageWindow;

using TEditKillFocusEvent = std::function<void(TObject* Sender, bool& Error)>;
using TEditErrorHintEvent = std::function<void(TObject* Sender, int ErrorCode, std::string& ErrorText)>;

class TI_CustomEdit : public TCustomEdit {
public:
    explicit TI_CustomEdit(TComponent* AOwner, const PopupFamily& family = kInplaceFamily);
    void AfterConstruction() override;

    const PopupFamily& Family() const { return family_; }

    bool CanEmpty() const { return can_empty_; }
    void SetCanEmpty(bool value) { can_empty_ = value; }
    int ErrorCode() const { return error_code_; }
    void SetErrorCode(int value) { error_code_ = value; }
    const std::string& ErrorText() const { return error_text_; }
    void SetErrorText(const std::string& value) { error_text_ = value; }
    bool ErrorShown() const { return error_shown_; }
    bool MouseActivated() const { return mouse_activated_; }
    TAlignment Alignment() const { return alignment_; }
    // A window style: the window is made again, the text kept.
    void SetAlignment(TAlignment value);

    // Nested: the change notification waits for the outermost EndUpdate,
    // which fires it once when something changed and any level asked for it.
    virtual void BeginUpdate(bool NotifyAtEnd);
    virtual void EndUpdate();
    int UpdateCount() const { return update_count_; }

    virtual bool CanCheck() const;
    // The error text: the code's default text, then OnGetErrorHint.
    virtual void BuildErrorText();
    // The codes have no texts of their own (empty); the mask edit shows its mask.
    virtual std::string DefaultErrorText(int Code) const;
    virtual void LayoutChanged() {}
    virtual void DoShowError();
    // Milliseconds the bubble stays.
    virtual int GetHideDelay() const { return 2500; }
    // Closes a drop-down: UM_DROPDOWN 0 sent (Immediately) or posted.
    virtual void CloseUp(bool Accept, bool Immediately);
    // The check on leaving: true when the text failed (and no one vetoed).
    bool Validate();

    // The text as it was when the edit was entered; Escape brings it back.
    const std::string& EntryText() const { return entry_text_; }

    // For the grids: the bubble goes after the current message.
    void PostHideMessage();
    // No selection, caret after the last character.
    void MoveCaretToEnd();

    // A family's error bubble and the edit it belongs to (nullptr: none).
    static TI_MessageWindow* SharedBubble(const PopupFamily& Family = kInplaceFamily);
    static TI_CustomEdit* SharedBubbleOwner(const PopupFamily& Family = kInplaceFamily);

    TEditKillFocusEvent OnKillFocus;
    // Sender: the bubble window.
    TNotifyEvent OnShowError;
    TEditErrorHintEvent OnGetErrorHint;
    TNotifyEvent OnCreated;
    TNotifyEvent OnDestroying;

protected:
    // The checks of the text itself; derived edits add theirs after
    // calling this (only while Error is still false).
    virtual void CheckText(bool& Error);
    void Change() override;
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void KeyPress(char& Key) override;
    void BeforeDestruction() override;
    // Escape: the text goes back to what it was on entry, however often it
    // is pressed (the window's own undo would bring the typing back on the
    // second press). An edit on no form is entered by getting the focus.
    virtual void UndoTyping();
    // A bubble with buttons is up (Enter and Esc then only hide it).
    bool BubbleWithButtonsShown() const;
    void ShowBubble(int Code);
    void HideBubble();

private:
    void CancelMode(TMessage& Message);
    void RememberEntryText();
    const PopupFamily& family_;
    bool can_empty_ = true;
    std::string error_text_;
    bool error_shown_ = false;
    TAlignment alignment_ = taLeftJustify;
    int error_code_ = 0;
    bool mouse_activated_ = false;
    int update_count_ = 0;
    bool changed_ = false;
    bool notify_at_end_ = false;
    std::string entry_text_;
    bool entered_ = false;
};

class TDCCustomEdit : public TI_CustomEdit {
public:
    explicit TDCCustomEdit(TComponent* AOwner) : TI_CustomEdit(AOwner, kFormFamily) {}
};
