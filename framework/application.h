// TApplication: start-up and shut-down, the message loop with the key
// pipeline, exception handling at callback boundaries and the hints.
//
// Key pipeline (ProcessMessage):
//  1. WM_KEYDOWN/WM_SYSKEYDOWN/WM_KEYUP/WM_SYSKEYUP/WM_CHAR/WM_SYSCHAR first
//     go to the framework control of the message's window as CN_* (Perform).
//     A non-zero Result takes the key. A handler that sets WParam to 0 only
//     suppresses stage 2.
//  2. Dialog keys: CM_CHILDKEY to the control (bubbles up the parents); then
//     Tab, arrows, Enter, Escape are offered to the form as CM_DIALOGKEY
//     unless the control wants them (CM_WANTSPECIALKEY, or WM_GETDLGCODE
//     asked without a message: Tab only with DLGC_WANTTAB, arrows with
//     DLGC_WANTARROWS or DLGC_WANTALLKEYS, Enter and Escape with
//     DLGC_WANTALLKEYS); characters go out as CM_DIALOGCHAR (accelerators)
//     unless the control wants characters (DLGC_WANTCHARS).
//  3. TranslateMessage/DispatchMessageA: the control's WM_KEYDOWN handler
//     runs the form's key preview, then KeyDown/OnKeyDown.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/control.h"

class TCustomForm;
class THintWindow;

using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TShowHintEvent = std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using THintWindowFactory = std::function<THintWindow*(TComponent* Owner)>;
// Sees a message ProcessMessage took from the queue; may not change it.
using TMessageListener = std::function<void(const MSG& Msg)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Start-up on the UI thread: OleInitialize, format settings, common
    // controls, the callback exception handler, the screen. Call once.
    void Initialize();
    // Shut-down: forms and hint window freed, timers and utility window gone,
    // window classes unregistered, OleUninitialize.
    void Finalize();
    bool Initialized() const { return initialized_; }

    // Shows the main form and runs the loop until Terminate or the main form closes.
    void Run();
    // Handles every queued message, then returns.
    void ProcessMessages();
    // Handles one message; waits (WaitMessage) when none is queued.
    void HandleMessage();
    // Runs one message through OnMessage, the hint tracking, the key pipeline
    // and TranslateMessage/DispatchMessageA. Returns false for WM_QUIT.
    bool ProcessMessage(MSG& Msg);
    void Terminate();
    bool Terminated() const { return terminated_; }

    // --- message listeners ------------------------------------------------
    // Every message ProcessMessage handles is shown to the listeners first,
    // in the order they were added (the application's own get-message hook:
    // posted messages of tests reach it as well as real input). A listener
    // added or removed while they run takes effect from the next message.
    // Returns an id for RemoveMessageListener (never 0).
    int AddMessageListener(TMessageListener Listener);
    void RemoveMessageListener(int Id);
    int MessageListenerCount() const { return static_cast<int>(listeners_.size()); }

    // --- modal state ------------------------------------------------------
    // True while a modal loop of the library runs (a modal form, a tracking
    // loop); popups use it to stay open while a dialog of their own is up.
    bool InModalState() const { return modal_level_ > 0; }
    int ModalLevel() const { return modal_level_; }
    void EnterModalState() { ++modal_level_; }
    void LeaveModalState() {
        if (modal_level_ > 0) --modal_level_;
    }
    // Dispatches queued WM_PAINT messages (of hwnd, or all), at most a bounded number.
    void DispatchPendingPaint(HWND hwnd = nullptr);

    // The form whose closing ends Run(); the first form made by CreateForm.
    TCustomForm* MainForm() const { return main_form_; }
    void SetMainForm(TCustomForm* Form) { main_form_ = Form; }
    template <class T>
    T* CreateForm() {
        T* form = Create<T>(this);
        if (!main_form_) main_form_ = form;
        return form;
    }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    std::string ExeName() const;
    // Hidden application window (created on first use).
    HWND Handle();
    // The application has an active window.
    bool Active() const;

    TMessageEvent OnMessage;
    TIdleEvent OnIdle;
    // Replaces the default message box of HandleException.
    TExceptionEvent OnException;
    // Called with every handled exception before anything else; tests
    // observe the exceptions caught at window procedures and timers here.
    std::function<void(const std::exception& E)> ExceptionHook;
    // EAbort is silent; otherwise ExceptionHook, then OnException or ShowException.
    void HandleException(const std::exception& E);
    // Message box with the exception's text.
    void ShowException(const std::exception& E);

    // --- hints ------------------------------------------------------------
    bool ShowHint() const { return show_hint_; }
    void SetShowHint(bool value);
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    TColor HintColor;
    TShowHintEvent OnShowHint;
    THintWindowFactory HintWindowClass;
    // The hint of what the user points at outside any control (a menu item).
    std::string Hint;
    // Mouse moved over Control at the screen point (ProcessMessage calls it
    // for WM_MOUSEMOVE): starts the pause timer for a new hint control.
    void HintMouseMessage(TControl* Control, POINT ScreenPos);
    // Shows the hint of the control under CursorPos (screen) now.
    void ActivateHint(POINT CursorPos);
    // Shows Control's hint now (what the pause timer does).
    void ShowHintFor(TControl* Control, POINT CursorPos);
    void HideHint();
    void CancelHint();
    THintWindow* HintWindow() const { return hint_window_; }
    TControl* HintControl() const { return hint_control_; }
    // A control is going away: forget it.
    void ControlDestroying(TControl* Control);

private:
    bool PeekAndProcess();
    bool IsKeyMsg(MSG& Msg);
    bool PreDispatch(MSG& Msg);
    void Idle();
    void StopHintTimers();
    void StartHintTimer(int ms, bool hide);

    struct ListenerEntry {
        int id;
        TMessageListener listener;
    };
    std::vector<ListenerEntry> listeners_;
    int next_listener_id_ = 1;
    int modal_level_ = 0;
    bool initialized_ = false;
    bool ole_initialized_ = false;
    bool terminated_ = false;
    TCustomForm* main_form_ = nullptr;
    std::string title_;
    HWND handle_ = nullptr;
    bool show_hint_ = true;
    THintWindow* hint_window_ = nullptr;
    TControl* hint_control_ = nullptr;
    UINT_PTR hint_timer_ = 0;
    UINT_PTR hide_timer_ = 0;
    bool hint_shown_ = false;
};

// Holds the application's modal state for a scope.
class ModalStateScope {
public:
    ModalStateScope();
    ModalStateScope(const ModalStateScope&) = delete;
    ModalStateScope& operator=(const ModalStateScope&) = delete;
    ~ModalStateScope();
};

// The application object (made on first call; lives until the process ends).
TApplication* Application();

// A short hint: the text before '|'.
std::string GetShortHint(const std::string& Hint);
