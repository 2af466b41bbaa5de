// TScreen: monitors, screen metrics, the forms list, the active form and
// control, and the cursor table.
//
// Screen() creates the object on first call; DoneScreen() frees it (and the
// cursors it owns). InitScreen() creates it explicitly.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "framework/events.h"
#include "framework/font.h"

class TControl;
class TCustomForm;
class TWinControl;

using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSize = -5;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

// One monitor as the provider reports it.
struct TMonitorInfo {
    HMONITOR Handle = nullptr;
    RECT BoundsRect{};
    RECT WorkareaRect{};
    bool Primary = false;
};

// Returns the monitors; the default asks the system (EnumDisplayMonitors).
using TMonitorProvider = std::function<std::vector<TMonitorInfo>()>;

class TMonitor {
public:
    TMonitor(const TMonitorInfo& info, int num) : info_(info), num_(num) {}
    HMONITOR Handle() const { return info_.Handle; }
    int MonitorNum() const { return num_; }
    RECT BoundsRect() const { return info_.BoundsRect; }
    RECT WorkareaRect() const { return info_.WorkareaRect; }
    bool Primary() const { return info_.Primary; }
    int Left() const { return info_.BoundsRect.left; }
    int Top() const { return info_.BoundsRect.top; }
    int Width() const { return info_.BoundsRect.right - info_.BoundsRect.left; }
    int Height() const { return info_.BoundsRect.bottom - info_.BoundsRect.top; }

private:
    TMonitorInfo info_;
    int num_;
};

// What MonitorFrom* returns when nothing intersects.
enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

std::vector<TMonitorInfo> SystemMonitors();

class TScreen {
public:
    TScreen();
    ~TScreen();
    TScreen(const TScreen&) = delete;
    TScreen& operator=(const TScreen&) = delete;

    // Monitors (read on first use and after RefreshMonitors()).
    int MonitorCount();
    TMonitor* Monitors(int index);
    TMonitor* PrimaryMonitor();
    TMonitor* MonitorFromPoint(POINT p, TMonitorDefaultTo defaultTo = mdNearest);
    TMonitor* MonitorFromRect(const RECT& r, TMonitorDefaultTo defaultTo = mdNearest);
    TMonitor* MonitorFromWindow(HWND hwnd, TMonitorDefaultTo defaultTo = mdNearest);
    // Replaces the source of the monitor list (empty function: the system).
    void SetMonitorProvider(TMonitorProvider provider);
    // Forgets the monitor list (after WM_DISPLAYCHANGE).
    void RefreshMonitors();

    // Primary monitor size and work area.
    int Width();
    int Height();
    RECT WorkAreaRect();
    int WorkAreaLeft() { return WorkAreaRect().left; }
    int WorkAreaTop() { return WorkAreaRect().top; }
    int WorkAreaWidth();
    int WorkAreaHeight();
    // The union of all monitors.
    RECT DesktopRect();
    int DesktopLeft() { return DesktopRect().left; }
    int DesktopTop() { return DesktopRect().top; }
    int DesktopWidth();
    int DesktopHeight();
    int PixelsPerInch() const;

    // System fonts (status/hint and menu fonts from the non-client metrics).
    TFont& HintFont();
    TFont& MenuFont();

    // Forms, maintained by form.h.
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const;
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    TCustomForm* ActiveForm() const { return active_form_; }
    void SetActiveForm(TCustomForm* form);
    TWinControl* ActiveControl() const { return active_control_; }
    void SetActiveControl(TWinControl* control);
    // A control or form is going away: every reference the screen holds to
    // it (active form, active control) is cleared.
    void ControlDestroying(TControl* control);
    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // Cursor table: the standard ids map to system cursors; other ids are
    // registered with SetCursorHandle. Unknown ids give the arrow.
    HCURSOR Cursors(TCursor id);
    // Registers a cursor; an owned one is destroyed when replaced or at
    // DoneScreen. nullptr removes the entry.
    void SetCursorHandle(TCursor id, HCURSOR cursor, bool owned = true);
    // Global override shown everywhere; crDefault means none.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    // The cursor a window should show for WM_SETCURSOR: the global override,
    // else the control's own; nullptr when both are crDefault (leave it to
    // the default handling).
    HCURSOR EffectiveCursor(TCursor controlCursor);

private:
    struct CursorEntry {
        HCURSOR handle = nullptr;
        bool owned = false;
    };
    void EnsureMonitors();
    TMonitor* Nearest(const RECT& r, TMonitorDefaultTo defaultTo);
    HCURSOR BlankCursor();

    TMonitorProvider provider_;
    std::vector<std::unique_ptr<TMonitor>> monitors_;
    bool monitors_read_ = false;
    std::vector<TCustomForm*> forms_;
    TCustomForm* active_form_ = nullptr;
    TWinControl* active_control_ = nullptr;
    std::map<TCursor, CursorEntry> cursors_;
    TCursor cursor_ = crDefault;
    std::unique_ptr<TFont> hint_font_;
    std::unique_ptr<TFont> menu_font_;
};

// The global screen, created on first call.
TScreen* Screen();
void InitScreen();
// True while the global screen exists (Screen() would not make one).
bool ScreenAllocated();
// Frees the screen and its owned cursors; Screen() afterwards makes a new one.
void DoneScreen();
