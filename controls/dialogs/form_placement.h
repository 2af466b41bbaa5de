// Placing forms on the right monitor and bringing them to the foreground.
//
// Monitors come from the screen object (Screen()), so a test can inject a
// monitor layout with TScreen::SetMonitorProvider.
#pragma once

#include <windows.h>

class TCustomForm;
class TMonitor;

// The monitor nearest to p and its extended information; false when the
// screen reports no monitor.
bool GetMonitorInfoAtPoint(POINT p, MONITORINFOEXA& info);
// Bounds of the screen's monitor Index; an empty rectangle for an index
// outside the screen's list.
RECT MonitorRect(int Index);
bool IsPrimaryMonitor(const TMonitor* Monitor);
// The first primary monitor of the screen's list, or nullptr.
TMonitor* FindPrimaryMonitor();
// The primary monitor; failing that, the list is read again and searched
// once more; failing that, monitor 0.
TMonitor* PrimaryOrFirstMonitor();
bool RectMostlyCovers(const RECT& MonitorRect, const RECT& R);
// The monitor to place a new form on: the first that mostly covers the
// active form (or, without one, the main form); else the active form's
// monitor; else PrimaryOrFirstMonitor().
TMonitor* ChooseMonitor();

// WM_SETREDRAW off and on; On also redraws the window with its frame and children.
void RedrawOff(HWND Wnd);
void RedrawOn(HWND Wnd);

// Moves Form so it lies inside R (a larger form ends on R's left/top edge).
void KeepFormInside(TCustomForm* Form, const RECT& R);
// Shifts Form from the work area of the monitor nearest its centre onto
// WorkArea (same relative offset), then keeps it inside.
void MoveFormOntoWorkArea(TCustomForm* Form, const RECT& WorkArea);
// Centres Form in Monitor's work area (kept inside it), or moves it onto that
// work area.
void PlaceFormInWorkArea(TCustomForm* Form, TMonitor* Monitor, bool Center);
// Places Form on the chosen monitor. Without Force a form without border is
// left alone. A screen-centred form is centred and its Position becomes
// poDesigned.
void PlaceFormOnMonitor(TCustomForm* Form, bool Force);
void PlaceFormDefault(TCustomForm* Form);

// SetForegroundWindow(Wnd); when the system refuses it, once more with the
// calling thread's input attached to the foreground thread while it runs
// (only when that is another thread, and detached only when the attach
// succeeded). Returns SetForegroundWindow's result.
bool ForceForegroundWindow(HWND Wnd);
// Raises Form to the top of the z-order, shows it and makes it the foreground window.
void BringFormToFront(TCustomForm* Form);
