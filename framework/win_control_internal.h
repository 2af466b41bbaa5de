// Helpers shared by the TWinControl source files; not part of the public interface.
#pragma once

#include <windows.h>

#include "framework/win_control.h"

// Mouse-enter bookkeeping (control.cpp).
extern TControl* g_mouse_control;
extern HWND g_mouse_host;
void SetMouseControl(TControl* control, HWND host);
// The control holding the capture through Host's window (Host itself or a
// window-less child), forgotten as the capture holder; nullptr when none
// (control.cpp).
TControl* TakeCaptureControl(const TWinControl* Host);

namespace win_control_internal {
inline bool IsWin(const TControl* c) { return dynamic_cast<const TWinControl*>(c) != nullptr; }

// Restores a control-state flag on scope exit.
class StateFlag {
public:
    StateFlag(TControl* c, unsigned flag) : c_(c), flag_(flag), had_((c->ControlState() & flag) != 0) {
        c_->IncludeState(flag_);
    }
    ~StateFlag() {
        if (!had_) c_->ExcludeState(flag_);
    }
    StateFlag(const StateFlag&) = delete;
    StateFlag& operator=(const StateFlag&) = delete;

private:
    TControl* c_;
    unsigned flag_;
    bool had_;
};
}  // namespace win_control_internal
