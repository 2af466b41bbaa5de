#include "framework/application.h"

#include <commctrl.h>
#include <ole2.h>
#include <algorithm>
#include <vector>

#include "framework/callback_guard.h"
#include "framework/exceptions.h"
#include "framework/form.h"
#include "framework/hint_window.h"
#include "framework/screen.h"
#include "framework/utility_window.h"
#include "framework/win_control.h"
#include "framework/window_class.h"

#if __has_include("framework/format_settings.h")
#include "framework/format_settings.h"
#define FRAMEWORK_HAS_FORMAT_SETTINGS 1
#endif

namespace {

// Call inside a catch block: hands the current exception to app's
// HandleException (foreign exceptions as "Unbekannter Fehler").
void HandleCurrentException(TApplication* app) {
    try {
        throw;
    } catch (const std::exception& e) {
        app->HandleException(e);
    } catch (...) {
        Exception e("Unbekannter Fehler");
        app->HandleException(e);
    }
}

// Installed at Initialize: exceptions caught at window procedures, hooks,
// timers and COM methods end up in Application()->HandleException.
void ApplicationCallbackHandler() { HandleCurrentException(Application()); }

LRESULT CALLBACK AppWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

const char kAppWindowClass[] = "TApplication";

// The framework control for key routing: the window's own, or the nearest
// one up the chain of child windows (the edit inside a foreign combo box).
TWinControl* KeyTarget(HWND hwnd) {
    while (hwnd) {
        if (TWinControl* c = FindControl(hwnd)) return c;
        if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) return nullptr;
        hwnd = GetParent(hwnd);
    }
    return nullptr;
}

// The dialog-code rules of the key pipeline, all of them. A control is asked
// WM_GETDLGCODE without a message (LParam 0): an EDIT handed the message
// believes it stands in a dialog and acts as a dialog child (a multi-line one
// posts WM_CLOSE to its parent on Escape and moves the focus itself on Tab).
// Tab is the control's only with DLGC_WANTTAB: a multi-line EDIT or a combo
// answers DLGC_WANTALLKEYS for Enter and Escape, and Tab still moves on.
// Arrows are its with DLGC_WANTARROWS or DLGC_WANTALLKEYS, Enter and Escape
// with DLGC_WANTALLKEYS, characters with DLGC_WANTCHARS.
LRESULT DialogCode(TWinControl* c, WORD key) { return c->Perform(WM_GETDLGCODE, key, 0); }

UINT DialogCodeMask(WORD key) {
    switch (key) {
    case VK_TAB: return DLGC_WANTTAB;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: return DLGC_WANTALLKEYS;
    default: return 0;
    }
}

// The control under a client point of a framework window (window-less
// children included, disabled ones not).
TControl* ControlAtClientPoint(TWinControl* w, POINT p) {
    TControl* result = w;
    TWinControl* container = w;
    while (container) {
        TControl* c = container->ControlAtPos(p, false, true);
        if (!c) break;
        result = c;
        auto* cw = dynamic_cast<TWinControl*>(c);
        if (cw) {
            POINT s = container->ClientToScreen(p);
            p = cw->ScreenToClient(s);
        }
        container = cw;
    }
    return result;
}

}  // namespace

TApplication* Application() {
    static TApplication* app = nullptr;
    if (!app) app = new TApplication();
    return app;
}

std::string GetShortHint(const std::string& Hint) {
    auto bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(0, bar);
}

TApplication::TApplication() : TComponent(nullptr), HintColor(clInfoBk) {}

TApplication::~TApplication() = default;

// --- start-up and shut-down ---------------------------------------------------

void TApplication::Initialize() {
    if (initialized_) return;
    HRESULT hr = OleInitialize(nullptr);
    ole_initialized_ = SUCCEEDED(hr);
#ifdef FRAMEWORK_HAS_FORMAT_SETTINGS
    InitFormatSettings();
#endif
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&icc);
    SetCallbackExceptionHandler(&ApplicationCallbackHandler);
    InitScreen();
    terminated_ = false;
    initialized_ = true;
}

void TApplication::Finalize() {
    if (!initialized_) return;
    CancelHint();
    if (hint_window_) {
        THintWindow* hw = hint_window_;
        hint_window_ = nullptr;
        hw->Free();
    }
    DestroyComponents();
    main_form_ = nullptr;
    ShutdownUtilityWindow();
    if (handle_) {
        DestroyWindow(handle_);
        handle_ = nullptr;
        UnregisterClassA(kAppWindowClass, GetModuleHandleA(nullptr));
    }
    TControlCanvas::FreeAllHandles();
    UnregisterWindowClasses();
    SetCallbackExceptionHandler(nullptr);
    DoneScreen();
    if (ole_initialized_) OleUninitialize();
    ole_initialized_ = false;
    initialized_ = false;
}

std::string TApplication::ExeName() const {
    char buf[MAX_PATH * 2];
    DWORD n = GetModuleFileNameA(nullptr, buf, sizeof(buf));
    return std::string(buf, n);
}

HWND TApplication::Handle() {
    if (handle_) return handle_;
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!GetClassInfoA(inst, kAppWindowClass, &wc)) {
        wc.lpfnWndProc = &AppWindowProc;
        wc.hInstance = inst;
        wc.lpszClassName = kAppWindowClass;
        RegisterClassA(&wc);
    }
    handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, kAppWindowClass, title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, inst, nullptr);
    return handle_;
}

bool TApplication::Active() const {
    HWND a = GetActiveWindow();
    return a && FindControl(a) != nullptr;
}

// --- exceptions -----------------------------------------------------------------

void TApplication::HandleException(const std::exception& E) {
    if (dynamic_cast<const EAbort*>(&E)) return;
    try {
        if (ExceptionHook) ExceptionHook(E);
        if (OnException)
            OnException(this, E);
        else if (!ExceptionHook)
            ShowException(E);
    } catch (...) {
        // An exception handler that fails has nobody left to tell.
    }
}

void TApplication::ShowException(const std::exception& E) {
    std::string title = title_.empty() ? ExeName() : title_;
    MessageBoxA(GetActiveWindow(), E.what(), title.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

// --- message loop ---------------------------------------------------------------

void TApplication::Run() {
    bool hadMainForm = main_form_ != nullptr;
    if (main_form_ && !main_form_->Visible()) main_form_->Show();
    while (!terminated_) {
        try {
            HandleMessage();
        } catch (...) {
            HandleCurrentException(this);
        }
        if (hadMainForm && !main_form_) break;
    }
}

void TApplication::ProcessMessages() {
    while (PeekAndProcess()) {
    }
}

void TApplication::HandleMessage() {
    if (!PeekAndProcess()) {
        Idle();
        if (!terminated_) WaitMessage();
    }
}

bool TApplication::PeekAndProcess() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    ProcessMessage(msg);
    return true;
}

void TApplication::Terminate() {
    terminated_ = true;
    PostMessageA(Handle(), WM_NULL, 0, 0);
}

void TApplication::Idle() {
    TControlCanvas::FreeAllHandles();
    if (hint_control_) {
        POINT p;
        GetCursorPos(&p);
        if (FindDragTarget(p, false) != hint_control_) CancelHint();
    }
    bool done = true;
    if (OnIdle) OnIdle(this, done);
}

void TApplication::DispatchPendingPaint(HWND hwnd) {
    // A filtered peek still hands out WM_QUIT: it is posted again and ends
    // the run (going on would fetch it again and again). A window whose
    // WM_PAINT comes back did not validate its update region: stop there.
    std::vector<HWND> painted;
    MSG msg;
    for (int i = 0; i < 256 && PeekMessageA(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (std::find(painted.begin(), painted.end(), msg.hwnd) != painted.end()) return;
        painted.push_back(msg.hwnd);
        DispatchMessageA(&msg);
    }
}

int TApplication::AddMessageListener(TMessageListener listener) {
    int id = next_listener_id_++;
    listeners_.push_back(ListenerEntry{id, std::move(listener)});
    return id;
}

void TApplication::RemoveMessageListener(int id) {
    std::erase_if(listeners_, [id](const ListenerEntry& e) { return e.id == id; });
}

ModalStateScope::ModalStateScope() { Application()->EnterModalState(); }
ModalStateScope::~ModalStateScope() { Application()->LeaveModalState(); }

bool TApplication::ProcessMessage(MSG& Msg) {
    if (Msg.message == WM_QUIT) {
        terminated_ = true;
        return false;
    }
    if (!listeners_.empty()) {
        // A copy: a listener may add or remove listeners (the bubble's goes
        // away with the bubble it hides).
        std::vector<ListenerEntry> listeners = listeners_;
        const MSG seen = Msg;
        for (const ListenerEntry& e : listeners) {
            try {
                e.listener(seen);
            } catch (...) {
                HandleCurrentException(this);
            }
        }
    }
    // OnMessage, the hint bookkeeping and the first two key stages run
    // outside any window procedure: their exceptions are caught here, so a
    // failing key handler neither ends a modal loop nor reaches the caller.
    try {
        if (PreDispatch(Msg)) return true;
    } catch (...) {
        HandleCurrentException(this);
        return true;
    }
    TranslateMessage(&Msg);
    DispatchMessageA(&Msg);
    return true;
}

// True when the message was taken before dispatch.
bool TApplication::PreDispatch(MSG& Msg) {
    bool handled = false;
    if (OnMessage) OnMessage(Msg, handled);
    if (handled) return true;
    switch (Msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        CancelHint();
        break;
    case WM_MOUSEMOVE:
        if (TWinControl* w = FindControl(Msg.hwnd)) {
            POINT p{static_cast<short>(LOWORD(Msg.lParam)), static_cast<short>(HIWORD(Msg.lParam))};
            POINT screen = w->ClientToScreen(p);
            HintMouseMessage(ControlAtClientPoint(w, p), screen);
        }
        break;
    default: break;
    }
    return IsKeyMsg(Msg);
}

// Stages 1 and 2 of the key pipeline; true when the key was taken.
bool TApplication::IsKeyMsg(MSG& Msg) {
    UINT msg = Msg.message;
    if (msg != WM_KEYDOWN && msg != WM_SYSKEYDOWN && msg != WM_KEYUP && msg != WM_SYSKEYUP && msg != WM_CHAR &&
        msg != WM_SYSCHAR)
        return false;
    TWinControl* c = KeyTarget(Msg.hwnd);
    if (!c) return false;
    TMessage m;
    m.Msg = CN_BASE + msg;
    m.WParam = Msg.wParam;
    m.LParam = Msg.lParam;
    c->PerformMessage(m);
    if (m.Result != 0) return true;
    // A handler that freed its control took the key with it.
    if (KeyTarget(Msg.hwnd) != c) return true;
    WORD key = static_cast<WORD>(m.WParam);
    if (key == 0) return false;  // dialog navigation suppressed only
    TCustomForm* form = GetParentForm(c);
    if (msg == WM_KEYDOWN) {
        const UINT mask = DialogCodeMask(key);
        if (c->Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(c)) != 0) return true;
        if (KeyTarget(Msg.hwnd) != c) return true;
        if (mask != 0 && form && c->Perform(CM_WANTSPECIALKEY, key, 0) == 0 && (DialogCode(c, key) & mask) == 0) {
            if (form->Perform(CM_DIALOGKEY, key, Msg.lParam) != 0) return true;
        }
    } else if (msg == WM_CHAR) {
        if (form && (DialogCode(c, key) & DLGC_WANTCHARS) == 0 &&
            form->Perform(CM_DIALOGCHAR, key, Msg.lParam) != 0)
            return true;
    } else if (msg == WM_SYSCHAR) {
        if (form && key != VK_SPACE && form->Perform(CM_DIALOGCHAR, key, Msg.lParam) != 0) return true;
    }
    return false;
}

// --- hints ------------------------------------------------------------------------

void TApplication::SetShowHint(bool value) {
    if (show_hint_ == value) return;
    show_hint_ = value;
    if (!value) {
        CancelHint();
        if (hint_window_) {
            THintWindow* hw = hint_window_;
            hint_window_ = nullptr;
            hw->Free();
        }
    }
}

void TApplication::StopHintTimers() {
    if (hint_timer_) StopUtilityTimer(hint_timer_);
    if (hide_timer_) StopUtilityTimer(hide_timer_);
    hint_timer_ = 0;
    hide_timer_ = 0;
}

void TApplication::StartHintTimer(int ms, bool hide) {
    if (hide) {
        if (hide_timer_) StopUtilityTimer(hide_timer_);
        hide_timer_ = StartUtilityTimer(static_cast<UINT>(ms), [this]() {
            StopHintTimers();
            HideHint();
        });
    } else {
        if (hint_timer_) StopUtilityTimer(hint_timer_);
        hint_timer_ = StartUtilityTimer(static_cast<UINT>(ms > 0 ? ms : 1), [this]() {
            StopHintTimers();
            if (!hint_control_) return;
            POINT p;
            GetCursorPos(&p);
            ShowHintFor(hint_control_, p);
        });
    }
}

void TApplication::HintMouseMessage(TControl* Control, POINT) {
    if (!show_hint_) return;
    if (Control == hint_control_) return;
    bool wasShown = hint_shown_;
    StopHintTimers();
    HideHint();
    hint_control_ = Control;
    // A control may fill its hint text when asked (CM_HINTSHOW), so an empty
    // Hint does not stop the timer; ShowHintFor drops a hint that stays empty.
    if (Control && Control->ShowHint()) StartHintTimer(wasShown ? HintShortPause : HintPause, false);
}

void TApplication::ActivateHint(POINT CursorPos) {
    TControl* c = FindDragTarget(CursorPos, false);
    if (!c) return;
    hint_control_ = c;
    ShowHintFor(c, CursorPos);
}

void TApplication::ShowHintFor(TControl* Control, POINT CursorPos) {
    if (!Control || !show_hint_) return;
    hint_control_ = Control;
    THintInfo info;
    info.HintControl = Control;
    info.HintStr = GetShortHint(Control->Hint());
    info.HintColor = HintColor;
    info.HintMaxWidth = Screen()->Width();
    info.CursorPos = Control->ScreenToClient(CursorPos);
    info.CursorRect = Control->ClientRect();
    info.HintPos = POINT{CursorPos.x, CursorPos.y + 20};
    info.HideTimeout = HintHidePause;
    info.ReshowTimeout = 0;
    bool canShow = Control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (hint_control_ != Control) return;  // freed meanwhile
    if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
    if (hint_control_ != Control) return;
    if (!canShow || info.HintStr.empty()) {
        HideHint();
        return;
    }
    if (!hint_window_) hint_window_ = HintWindowClass ? HintWindowClass(this) : Create<THintWindow>(this);
    if (!hint_window_) return;
    hint_window_->SetColor(info.HintColor);
    RECT r = hint_window_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    OffsetRect(&r, info.HintPos.x, info.HintPos.y);
    hint_window_->ActivateHintData(r, info.HintStr, info.HintData);
    hint_shown_ = true;
    if (info.HideTimeout > 0) StartHintTimer(info.HideTimeout, true);
}

void TApplication::HideHint() {
    if (hint_window_ && hint_shown_) hint_window_->ReleaseHandle();
    hint_shown_ = false;
}

void TApplication::CancelHint() {
    StopHintTimers();
    HideHint();
    hint_control_ = nullptr;
}

void TApplication::ControlDestroying(TControl* Control) {
    if (Control == hint_control_) CancelHint();
    if (Control == hint_window_) {
        hint_window_ = nullptr;
        hint_shown_ = false;
    }
    if (Control == main_form_) main_form_ = nullptr;
}
