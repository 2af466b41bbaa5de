// TCustomForm / TForm: top-level windows built in code.
//
// A form owns its components, keeps the active control, offers dialog keys
// (Tab, Shift+Tab, arrows) to move the focus, previews keys (KeyPreview),
// places itself at its first showing (Position) and runs modal loops
// (ShowModal: other windows of the thread disabled, loop until ModalResult
// is not mrNone, then CloseQuery/OnClose).
#pragma once

#include <functional>
#include <vector>

#include "framework/win_control.h"

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TMainMenu;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    void Show() override;
    void Hide() override;
    // Asks CloseQuery and OnClose, then acts on the close action. A modal
    // form only gets ModalResult mrCancel (its loop does the rest). Closing
    // the main form terminates the application.
    void Close();
    virtual bool CloseQuery();
    // Shows the form modally and returns its ModalResult. Raises
    // EInvalidOperation for a visible or disabled form.
    virtual TModalResult ShowModal();
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modal_result_; }
    void SetModalResult(TModalResult value) { modal_result_ = value; }
    // Frees the form once the messages now queued are handled.
    void Release();

    bool KeyPreview() const { return key_preview_; }
    void SetKeyPreview(bool value) { key_preview_ = value; }
    TWinControl* ActiveControl() const { return active_control_; }
    void SetActiveControl(TWinControl* Control);
    // Moves the focus to Control (sets ActiveControl; focuses the window when
    // the form is active).
    void FocusControl(TWinControl* Control);
    // Called by the focused control's WM_SETFOCUS: CM_EXIT/CM_ENTER along the
    // way, OnExit/OnEnter. Returns false when the focus moved elsewhere meanwhile.
    // CM_EXIT goes only to controls that had CM_ENTER: the focus may be
    // heading for a control that a refused exit never let it enter.
    bool SetFocusedControl(TWinControl* Control);
    TWinControl* FocusedControl() const { return focused_control_; }
    // The innermost control that had CM_ENTER and no CM_EXIT since.
    TWinControl* EnteredControl() const { return entered_control_; }
    bool Active() const { return active_; }

    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    // Help topic of the form (0: none).
    int HelpContext() const { return help_context_; }
    void SetHelpContext(int value) { help_context_ = value; }
    TFormStyle FormStyle() const { return form_style_; }
    void SetFormStyle(TFormStyle value);
    TFormBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TFormBorderStyle value);
    TWindowState WindowState() const { return window_state_; }
    void SetWindowState(TWindowState value);
    // Border icons follow the style: system menu always, minimize/maximize for
    // bsSingle/bsSizeable.

    // The menu bar (not owned; it leaves the form when it goes). Its
    // messages reach it before the form's own handlers.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* Value);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // Form-level handling of Tab, Shift+Tab and arrow keys (Enter and Escape
    // are left to the controls: no default or cancel button here).
    void CMDialogKey(TMessage& Message) override;

    void AfterConstruction() override;

protected:
    void BeforeDestruction() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    bool ShowsWithoutParent() const override { return true; }
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    // Places the form by Position (first showing).
    virtual void PlaceForm();

    void Dispatch(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    virtual void WMClose(TMessage& Message);
    virtual void WMActivate(TMessage& Message);
    // Tracking limits from Constraints.
    virtual void WMGetMinMaxInfo(TMessage& Message);
    virtual void CMRelease(TMessage& Message);
    virtual void CMActivate(TMessage& Message);
    virtual void CMDeactivate(TMessage& Message);

private:
    friend class TWinControl;
    void CloseModal();
    void FocusFirstControl();
    // Menu messages for the menu bar; true when it answered.
    bool DispatchMenuMessage(TMessage& Message);

    TModalResult modal_result_ = mrNone;
    bool modal_ = false;
    bool key_preview_ = false;
    bool active_ = false;
    bool placed_ = false;
    UINT_PTR release_timer_ = 0;  // Release() of a form without a window
    TWinControl* active_control_ = nullptr;
    TWinControl* focused_control_ = nullptr;
    TWinControl* entered_control_ = nullptr;
    TPosition position_ = poDesigned;
    int help_context_ = 0;
    TFormStyle form_style_ = fsNormal;
    TFormBorderStyle border_style_ = bsSizeable;
    TWindowState window_state_ = wsNormal;
    TMainMenu* menu_ = nullptr;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};
