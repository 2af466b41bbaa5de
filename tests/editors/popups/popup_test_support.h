// Helpers of the popup and bubble tests: a focusable owner control that
// records the bubble message, a form on the screen and a message pump that
// runs for a while.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "editors/tools/tools_test_support.h"
#include "framework/application.h"
#include "framework/custom_control.h"
#include "framework/form.h"
#include "framework/screen.h"

// A focusable control standing in for an edit: it records UM_BUBBLE and,
// like an edit, hides its bubble when told to.
class TOwnerProbe : public TCustomControl {
public:
    explicit TOwnerProbe(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); }
    std::vector<WPARAM> bubble_messages;
    TControl* bubble = nullptr;

protected:
    void Dispatch(TMessage& m) override {
        if (m.Msg == UM_BUBBLE) {
            bubble_messages.push_back(m.WParam);
            if (m.WParam == 0 && bubble) bubble->Hide();
            return;
        }
        TCustomControl::Dispatch(m);
    }
};

// Runs the message loop for about ms milliseconds.
inline void PumpFor(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        Application()->ProcessMessages();
        Sleep(5);
    }
    Application()->ProcessMessages();
}

// One mouse event through the system; with MOUSEEVENTF_ABSOLUTE a move to
// the screen point at.
inline void MouseInput(DWORD flags, POINT at = {0, 0}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        in.mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
        in.mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    }
    SendInput(1, &in, sizeof(INPUT));
}

// Real mouse input through the system: the cursor to p, then a press and/or
// a release of the left button, with the queue handled after each step.
inline void MouseAt(POINT p, bool press = true, bool release = true) {
    SetCursorPos(p.x, p.y);
    PumpFor(30);
    for (auto [wanted, flag] : {std::pair{press, MOUSEEVENTF_LEFTDOWN}, std::pair{release, MOUSEEVENTF_LEFTUP}}) {
        if (!wanted) continue;
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flag;
        SendInput(1, &in, sizeof(INPUT));
        PumpFor(80);
    }
}

// A borderless form at (x, y) with a focused owner (a probe by default)
// filling it.
template <class T = TOwnerProbe>
struct OwnerOnForm {
    TForm* form = nullptr;
    T* owner = nullptr;
    OwnerOnForm(int x, int y, int w, int h) {
        form = Create<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(x, y, w, h);
        owner = Place<T>(form, form, 0, 0, w, h);
        form->Show();
        Application()->ProcessMessages();
        owner->SetFocus();
        Application()->ProcessMessages();
    }
    ~OwnerOnForm() { form->Free(); }
};

// A single 1024x768 monitor for the placement tests.
struct InjectedScreen {
    InjectedScreen() {
        Screen()->SetMonitorProvider([] {
            TMonitorInfo m;
            m.BoundsRect = m.WorkareaRect = RECT{0, 0, 1024, 768};
            m.Primary = true;
            return std::vector<TMonitorInfo>{m};
        });
    }
    ~InjectedScreen() { Screen()->SetMonitorProvider(nullptr); }
};
