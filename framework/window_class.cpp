#include "framework/window_class.h"

#include <commctrl.h>

#include <vector>

#include "framework/callback_guard.h"
#include "framework/exceptions.h"
#include "framework/scoped_state.h"
#include "framework/win_control.h"

namespace {
std::vector<std::string>& Registered() {
    static std::vector<std::string> names;
    return names;
}
}  // namespace

std::string EnsureWindowClass(const std::string& Name, UINT ClassStyle) {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (GetClassInfoA(inst, Name.c_str(), &wc)) {
        if (wc.lpfnWndProc != &TWinControl::StaticWndProc)
            throw EInvalidOperation("Fensterklasse \"" + Name + "\" ist bereits vergeben");
        if (wc.style == ClassStyle) return Name;
        char suffix[16];
        wsprintfA(suffix, ".%X", ClassStyle);
        const std::string variant = Name + suffix;
        if (GetClassInfoA(inst, variant.c_str(), &wc)) {
            if (wc.lpfnWndProc != &TWinControl::StaticWndProc)
                throw EInvalidOperation("Fensterklasse \"" + variant + "\" ist bereits vergeben");
            return variant;
        }
        return EnsureWindowClass(variant, ClassStyle);
    }
    wc = WNDCLASSA{};
    wc.style = ClassStyle;
    wc.lpfnWndProc = &TWinControl::StaticWndProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = Name.c_str();
    if (!RegisterClassA(&wc)) throw EOutOfResources("Fensterklasse \"" + Name + "\" kann nicht registriert werden");
    Registered().push_back(Name);
    return Name;
}

void UnregisterWindowClasses() {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    for (const auto& name : Registered()) UnregisterClassA(name.c_str(), inst);
    Registered().clear();
}

int RegisteredWindowClassCount() { return static_cast<int>(Registered().size()); }

TWinControl* FindControl(HWND Handle) {
    if (!Handle || !IsWindow(Handle)) return nullptr;
    DWORD pid = 0;
    GetWindowThreadProcessId(Handle, &pid);
    if (pid != GetCurrentProcessId()) return nullptr;
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrA(Handle, GCLP_WNDPROC)) == &TWinControl::StaticWndProc)
        return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(Handle, 0));
    // Subclassed system windows carry the object in a window property (the
    // subclass reference data cannot be read back portably).
    return static_cast<TWinControl*>(GetPropA(Handle, kFrameworkControlProp));
}

// The class procedure of every own window. Messages before WM_NCCREATE (no
// object yet) and after WM_NCDESTROY go to DefWindowProcA.
LRESULT CALLBACK TWinControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* c = nullptr;
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        c = cs ? static_cast<TWinControl*>(cs->lpCreateParams) : nullptr;
        if (c) {
            SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(c));
            c->handle_ = hwnd;
        }
    } else {
        c = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(hwnd, 0));
    }
    if (!c) return DefWindowProcA(hwnd, msg, wParam, lParam);

    TMessage m;
    m.Msg = msg;
    m.WParam = wParam;
    m.LParam = lParam;
    {
        TDispatchScope scope(c);  // may delete c when it was freed meanwhile
        GuardCallback([&] { c->WndProc(m); });
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrA(hwnd, 0, 0);
            c->WindowGone(hwnd);
        }
    }
    return m.Result;
}

// The subclass procedure of wrapped system classes; the object pointer is
// the subclass reference data.
LRESULT CALLBACK TWinControl::SubclassWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR refData) {
    auto* c = reinterpret_cast<TWinControl*>(refData);
    if (!c) return DefSubclassProc(hwnd, msg, wParam, lParam);
    TWinControl::PassOn& pass = c->pass_on_;
    if (pass.Active && pass.Msg == msg && pass.WParam == wParam && pass.LParam == lParam) {
        // Sent on by the control's DefaultHandler after Perform: its
        // handlers have run already.
        pass.Active = false;
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    TMessage m;
    m.Msg = msg;
    m.WParam = wParam;
    m.LParam = lParam;
    {
        TDispatchScope scope(c);
        {
            ScopedValue<const TMessage*> current(c->window_message_, &m);
            GuardCallback([&] { c->WndProc(m); });
        }
        if (msg == WM_NCDESTROY) {
            RemoveWindowSubclass(hwnd, &TWinControl::SubclassWndProc, id);
            RemovePropA(hwnd, kFrameworkControlProp);
            c->WindowGone(hwnd);
        }
    }
    return m.Result;
}
