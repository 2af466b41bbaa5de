#include "controls/dialogs/form_placement.h"

#include <cstring>

#include "controls/dialogs/placement_rules.h"
#include "framework/plain_geometry_win32.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/screen.h"

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void SetFormRect(TCustomForm* Form, const PlainRect& r) { Form->SetBounds(r.left, r.top, r.Width(), r.Height()); }
}  // namespace

bool GetMonitorInfoAtPoint(POINT p, MONITORINFOEXA& info) {
    TMonitor* mon = Screen()->MonitorFromPoint(p, mdNearest);
    if (!mon) return false;
    std::memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    // The system's record where the monitor is a real one (device name);
    // the screen's view of bounds and work area wins either way.
    if (mon->Handle()) GetMonitorInfoA(mon->Handle(), &info);
    info.cbSize = sizeof(info);
    info.rcMonitor = mon->BoundsRect();
    info.rcWork = mon->WorkareaRect();
    info.dwFlags = mon->Primary() ? MONITORINFOF_PRIMARY : 0;
    return true;
}

RECT MonitorRect(int Index) {
    TMonitor* mon = Screen()->Monitors(Index);
    if (!mon) return RECT{};
    return RECT{mon->Left(), mon->Top(), mon->Left() + mon->Width(), mon->Top() + mon->Height()};
}

bool IsPrimaryMonitor(const TMonitor* Monitor) { return Monitor && Monitor->Primary(); }

TMonitor* FindPrimaryMonitor() {
    TScreen* screen = Screen();
    for (int i = 0; i < screen->MonitorCount(); ++i)
        if (IsPrimaryMonitor(screen->Monitors(i))) return screen->Monitors(i);
    return nullptr;
}

TMonitor* PrimaryOrFirstMonitor() {
    if (TMonitor* m = FindPrimaryMonitor()) return m;
    // The list may be stale (monitors changed since it was read).
    Screen()->RefreshMonitors();
    if (TMonitor* m = FindPrimaryMonitor()) return m;
    return Screen()->MonitorCount() > 0 ? Screen()->Monitors(0) : nullptr;
}

bool RectMostlyCovers(const RECT& MonitorRect, const RECT& R) {
    return RectMostlyCovers(ToPlainRect(MonitorRect), ToPlainRect(R));
}

TMonitor* ChooseMonitor() {
    TScreen* screen = Screen();
    TCustomForm* form = screen->ActiveForm();
    if (!form) form = Application()->MainForm();
    if (form) {
        const RECT bounds = form->BoundsRect();
        for (int i = 0; i < screen->MonitorCount(); ++i)
            if (RectMostlyCovers(MonitorRect(i), bounds)) return screen->Monitors(i);
    }
    if (TCustomForm* active = screen->ActiveForm()) return screen->MonitorFromRect(active->BoundsRect());
    return PrimaryOrFirstMonitor();
}

void RedrawOff(HWND Wnd) { SendMessageA(Wnd, WM_SETREDRAW, 0, 0); }

void RedrawOn(HWND Wnd) {
    SendMessageA(Wnd, WM_SETREDRAW, 1, 0);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void KeepFormInside(TCustomForm* Form, const RECT& R) {
    SetFormRect(Form, KeepRectInside(ToPlainRect(Form->BoundsRect()), ToPlainRect(R)));
}

void MoveFormOntoWorkArea(TCustomForm* Form, const RECT& WorkArea) {
    const RECT bounds = Form->BoundsRect();
    const POINT centre{bounds.left + Form->Width() / 2, bounds.top + Form->Height() / 2};
    RECT from = WorkArea;
    MONITORINFOEXA info;
    if (GetMonitorInfoAtPoint(centre, info)) from = info.rcWork;
    if (SameRect(from, WorkArea)) {
        KeepFormInside(Form, WorkArea);
        return;
    }
    SetFormRect(Form, MoveRectOntoArea(ToPlainRect(bounds), ToPlainRect(from), ToPlainRect(WorkArea)));
}

void PlaceFormInWorkArea(TCustomForm* Form, TMonitor* Monitor, bool Center) {
    if (!Form || !Monitor) return;
    const RECT work = Monitor->WorkareaRect();
    if (Center) {
        SetFormRect(Form, CenterRectIn(ToPlainRect(Form->BoundsRect()), ToPlainRect(work)));
        return;
    }
    HWND h = Form->Visible() ? Form->WindowHandle() : nullptr;
    if (h) RedrawOff(h);
    MoveFormOntoWorkArea(Form, work);
    if (h) RedrawOn(h);
}

void PlaceFormOnMonitor(TCustomForm* Form, bool Force) {
    if (!Form) return;
    if (!Force && Form->BorderStyle() == bsNone) return;
    const bool centre = Form->Position() == poScreenCenter;
    TMonitor* monitor = ChooseMonitor();
    if (!monitor) monitor = Screen()->MonitorFromRect(Form->BoundsRect());
    if (centre) Form->SetPosition(poDesigned);
    PlaceFormInWorkArea(Form, monitor, centre);
}

void PlaceFormDefault(TCustomForm* Form) { PlaceFormOnMonitor(Form, false); }

bool ForceForegroundWindow(HWND Wnd) {
    // Asked plainly first: where the system grants it, joining the inputs
    // only does harm (Wine moves the foreground with the joined input, and
    // parting them again leaves no foreground window at all).
    if (SetForegroundWindow(Wnd) && GetForegroundWindow() == Wnd) return true;
    const DWORD ours = GetCurrentThreadId();
    HWND foreground = GetForegroundWindow();
    const DWORD theirs = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    // Attaching to our own thread fails (and is not needed).
    const bool attached = theirs != 0 && theirs != ours && AttachThreadInput(ours, theirs, TRUE);
    const bool result = SetForegroundWindow(Wnd) != FALSE;
    if (attached) AttachThreadInput(ours, theirs, FALSE);
    return result;
}

void BringFormToFront(TCustomForm* Form) {
    if (!Form) return;
    HWND h = Form->Handle();
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ForceForegroundWindow(h);
}
