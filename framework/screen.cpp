#include "framework/screen.h"

#include <algorithm>
#include <climits>

#include "framework/form.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"

namespace {

TScreen* the_screen = nullptr;

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto* list = reinterpret_cast<std::vector<TMonitorInfo>*>(data);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (GetMonitorInfoA(monitor, &mi)) {
        TMonitorInfo info;
        info.Handle = monitor;
        info.BoundsRect = mi.rcMonitor;
        info.WorkareaRect = mi.rcWork;
        info.Primary = (mi.dwFlags & MONITORINFOF_PRIMARY) != 0;
        list->push_back(info);
    }
    return TRUE;
}

long long IntersectionArea(const RECT& a, const RECT& b) {
    long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
    long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return (w > 0 && h > 0) ? w * h : 0;
}

// Squared distance between two rectangles (0 when they touch or overlap).
long long RectDistance2(const RECT& a, const RECT& b) {
    long long dx = std::max<long long>({0, static_cast<long long>(b.left) - a.right + 1,
                                        static_cast<long long>(a.left) - b.right + 1});
    long long dy = std::max<long long>({0, static_cast<long long>(b.top) - a.bottom + 1,
                                        static_cast<long long>(a.top) - b.bottom + 1});
    return dx * dx + dy * dy;
}

LPCSTR SystemCursorId(TCursor id) {
    switch (id) {
    case crArrow: return IDC_ARROW;
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSize: return IDC_SIZEALL;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: return IDC_WAIT;
    case crDrag: return IDC_ARROW;
    case crNoDrop: return IDC_NO;
    case crHSplit: return IDC_SIZEWE;
    case crVSplit: return IDC_SIZENS;
    case crMultiDrag: return IDC_ARROW;
    case crSQLWait: return IDC_WAIT;
    case crNo: return IDC_NO;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    default: return nullptr;
    }
}

}  // namespace

std::vector<TMonitorInfo> SystemMonitors() {
    std::vector<TMonitorInfo> list;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&list));
    if (list.empty()) {
        // No monitor reported: the primary screen from the system metrics.
        TMonitorInfo info;
        info.BoundsRect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        info.WorkareaRect = info.BoundsRect;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.WorkareaRect, 0);
        info.Primary = true;
        list.push_back(info);
    }
    return list;
}

TScreen::TScreen() = default;

TScreen::~TScreen() {
    for (auto& entry : cursors_)
        if (entry.second.owned && entry.second.handle) DestroyCursor(entry.second.handle);
}

// ---- monitors ----

void TScreen::EnsureMonitors() {
    if (monitors_read_) return;
    std::vector<TMonitorInfo> list = provider_ ? provider_() : SystemMonitors();
    monitors_.clear();
    bool anyPrimary = false;
    for (const auto& info : list) anyPrimary = anyPrimary || info.Primary;
    for (size_t i = 0; i < list.size(); ++i) {
        TMonitorInfo info = list[i];
        if (!anyPrimary && i == 0) info.Primary = true;
        monitors_.push_back(std::make_unique<TMonitor>(info, static_cast<int>(i)));
    }
    monitors_read_ = true;
}

void TScreen::SetMonitorProvider(TMonitorProvider provider) {
    provider_ = std::move(provider);
    RefreshMonitors();
}

void TScreen::RefreshMonitors() {
    monitors_.clear();
    monitors_read_ = false;
}

int TScreen::MonitorCount() {
    EnsureMonitors();
    return static_cast<int>(monitors_.size());
}

TMonitor* TScreen::Monitors(int index) {
    EnsureMonitors();
    if (index < 0 || index >= static_cast<int>(monitors_.size())) return nullptr;
    return monitors_[static_cast<size_t>(index)].get();
}

TMonitor* TScreen::PrimaryMonitor() {
    EnsureMonitors();
    for (auto& m : monitors_)
        if (m->Primary()) return m.get();
    return monitors_.empty() ? nullptr : monitors_.front().get();
}

TMonitor* TScreen::Nearest(const RECT& r, TMonitorDefaultTo defaultTo) {
    EnsureMonitors();
    TMonitor* best = nullptr;
    long long bestArea = 0;
    for (auto& m : monitors_) {
        long long area = IntersectionArea(r, m->BoundsRect());
        if (area > bestArea) {
            bestArea = area;
            best = m.get();
        }
    }
    if (best) return best;
    switch (defaultTo) {
    case mdNull: return nullptr;
    case mdPrimary: return PrimaryMonitor();
    case mdNearest: break;
    }
    long long bestDist = LLONG_MAX;
    for (auto& m : monitors_) {
        long long d = RectDistance2(r, m->BoundsRect());
        if (d < bestDist) {
            bestDist = d;
            best = m.get();
        }
    }
    return best;
}

TMonitor* TScreen::MonitorFromPoint(POINT p, TMonitorDefaultTo defaultTo) {
    RECT r{p.x, p.y, p.x + 1, p.y + 1};
    return Nearest(r, defaultTo);
}

TMonitor* TScreen::MonitorFromRect(const RECT& r, TMonitorDefaultTo defaultTo) {
    RECT n = r;
    // An empty rectangle still has a position.
    if (n.right <= n.left) n.right = n.left + 1;
    if (n.bottom <= n.top) n.bottom = n.top + 1;
    return Nearest(n, defaultTo);
}

TMonitor* TScreen::MonitorFromWindow(HWND hwnd, TMonitorDefaultTo defaultTo) {
    RECT r{};
    if (!hwnd || !IsWindow(hwnd)) return defaultTo == mdNull ? nullptr : PrimaryMonitor();
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (IsIconic(hwnd) && GetWindowPlacement(hwnd, &wp))
        r = wp.rcNormalPosition;
    else
        GetWindowRect(hwnd, &r);
    return MonitorFromRect(r, defaultTo);
}

int TScreen::Width() {
    TMonitor* m = PrimaryMonitor();
    return m ? m->Width() : GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() {
    TMonitor* m = PrimaryMonitor();
    return m ? m->Height() : GetSystemMetrics(SM_CYSCREEN);
}

RECT TScreen::WorkAreaRect() {
    TMonitor* m = PrimaryMonitor();
    if (m) return m->WorkareaRect();
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

int TScreen::WorkAreaWidth() {
    RECT r = WorkAreaRect();
    return r.right - r.left;
}

int TScreen::WorkAreaHeight() {
    RECT r = WorkAreaRect();
    return r.bottom - r.top;
}

RECT TScreen::DesktopRect() {
    EnsureMonitors();
    RECT u{};
    bool first = true;
    for (auto& m : monitors_) {
        RECT b = m->BoundsRect();
        if (first) {
            u = b;
            first = false;
        } else {
            u.left = std::min(u.left, b.left);
            u.top = std::min(u.top, b.top);
            u.right = std::max(u.right, b.right);
            u.bottom = std::max(u.bottom, b.bottom);
        }
    }
    return u;
}

int TScreen::DesktopWidth() {
    RECT r = DesktopRect();
    return r.right - r.left;
}

int TScreen::DesktopHeight() {
    RECT r = DesktopRect();
    return r.bottom - r.top;
}

int TScreen::PixelsPerInch() const { return ScreenPixelsPerInch(); }

// ---- system fonts ----

namespace {

void FontFromLogFont(TFont& font, const LOGFONTA& lf) {
    font.SetName(lf.lfFaceName);
    font.SetHeight(lf.lfHeight);
    TFontStyles style = 0;
    if (lf.lfWeight >= FW_BOLD) style |= fsBold;
    if (lf.lfItalic) style |= fsItalic;
    if (lf.lfUnderline) style |= fsUnderline;
    if (lf.lfStrikeOut) style |= fsStrikeOut;
    font.SetStyle(style);
    font.SetCharset(lf.lfCharSet);
}

bool NonClientMetrics(NONCLIENTMETRICSA& ncm) {
    ncm = NONCLIENTMETRICSA{};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return true;
    // Older systems know the structure without iPaddedBorderWidth.
    ncm.cbSize = sizeof(ncm) - sizeof(int);
    return SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0) != 0;
}

}  // namespace

TFont& TScreen::HintFont() {
    if (!hint_font_) {
        hint_font_ = std::make_unique<TFont>();
        NONCLIENTMETRICSA ncm;
        if (NonClientMetrics(ncm)) FontFromLogFont(*hint_font_, ncm.lfStatusFont);
        hint_font_->SetColor(clInfoText);
    }
    return *hint_font_;
}

TFont& TScreen::MenuFont() {
    if (!menu_font_) {
        menu_font_ = std::make_unique<TFont>();
        NONCLIENTMETRICSA ncm;
        if (NonClientMetrics(ncm)) FontFromLogFont(*menu_font_, ncm.lfMenuFont);
        menu_font_->SetColor(clWindowText);
    }
    return *menu_font_;
}

// ---- forms ----

TCustomForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount()) return nullptr;
    return forms_[static_cast<size_t>(index)];
}

void TScreen::AddForm(TCustomForm* form) {
    if (form && std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (active_form_ == form) SetActiveForm(nullptr);
}

void TScreen::SetActiveForm(TCustomForm* form) {
    if (form == active_form_) return;
    active_form_ = form;
    if (OnActiveFormChange) OnActiveFormChange(nullptr);
}

void TScreen::SetActiveControl(TWinControl* control) {
    if (control == active_control_) return;
    active_control_ = control;
    if (OnActiveControlChange) OnActiveControlChange(nullptr);
}

void TScreen::ControlDestroying(TControl* control) {
    if (!control) return;
    if (active_control_ && static_cast<TControl*>(active_control_) == control) SetActiveControl(nullptr);
    if (active_form_ && static_cast<TControl*>(active_form_) == control) SetActiveForm(nullptr);
    auto it = std::find_if(forms_.begin(), forms_.end(),
                           [control](TCustomForm* f) { return static_cast<TControl*>(f) == control; });
    if (it != forms_.end()) forms_.erase(it);
}

// ---- cursors ----

HCURSOR TScreen::BlankCursor() {
    // 32x32 AND mask all ones, XOR mask all zeros: nothing visible.
    int w = GetSystemMetrics(SM_CXCURSOR), h = GetSystemMetrics(SM_CYCURSOR);
    if (w <= 0) w = 32;
    if (h <= 0) h = 32;
    size_t bytes = static_cast<size_t>((w + 15) / 16 * 2) * h;
    std::vector<BYTE> andMask(bytes, 0xFF), xorMask(bytes, 0x00);
    return CreateCursor(GetModuleHandleA(nullptr), 0, 0, w, h, andMask.data(), xorMask.data());
}

HCURSOR TScreen::Cursors(TCursor id) {
    auto it = cursors_.find(id);
    if (it != cursors_.end() && it->second.handle) return it->second.handle;
    HCURSOR h = nullptr;
    bool owned = false;
    if (id == crNone) {
        h = BlankCursor();
        owned = true;
    } else if (LPCSTR sys = SystemCursorId(id)) {
        h = LoadCursorA(nullptr, sys);
        // Older systems lack some ids (IDC_HAND): fall back to the arrow.
        if (!h) h = LoadCursorA(nullptr, IDC_ARROW);
    } else {
        // crDefault and unregistered ids.
        return LoadCursorA(nullptr, IDC_ARROW);
    }
    if (h) cursors_[id] = CursorEntry{h, owned};
    return h;
}

void TScreen::SetCursorHandle(TCursor id, HCURSOR cursor, bool owned) {
    auto it = cursors_.find(id);
    if (it != cursors_.end()) {
        if (it->second.handle == cursor) {
            it->second.owned = owned;
            return;
        }
        // Do not destroy the cursor on screen: show the arrow first.
        if (it->second.owned && it->second.handle) {
            if (GetCursor() == it->second.handle) ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
            DestroyCursor(it->second.handle);
        }
        cursors_.erase(it);
    }
    if (cursor) cursors_[id] = CursorEntry{cursor, owned};
    if (cursor_ == id && cursor_ != crDefault) ::SetCursor(Cursors(id));
}

void TScreen::SetCursor(TCursor value) {
    if (value == cursor_) return;
    cursor_ = value;
    if (value == crDefault) {
        // The arrow at once (the window under the mouse may not be ours), then
        // let the window under the mouse choose again through WM_SETCURSOR.
        ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        POINT p;
        if (GetCursorPos(&p)) SetCursorPos(p.x, p.y);
    } else {
        ::SetCursor(Cursors(value));
    }
}

HCURSOR TScreen::EffectiveCursor(TCursor controlCursor) {
    if (cursor_ != crDefault) return Cursors(cursor_);
    if (controlCursor != crDefault) return Cursors(controlCursor);
    return nullptr;
}

// ---- global ----

TScreen* Screen() {
    if (!the_screen) the_screen = new TScreen();
    return the_screen;
}

void InitScreen() { Screen(); }

bool ScreenAllocated() { return the_screen != nullptr; }

void DoneScreen() {
    delete the_screen;
    the_screen = nullptr;
}
