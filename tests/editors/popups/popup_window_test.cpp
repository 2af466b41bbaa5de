#include <gtest/gtest.h>

#include "editors/popups/popup_window.h"
#include "tests/editors/popups/popup_test_support.h"

namespace {

RECT WindowRectOf(TWinControl* c) { RECT r; GetWindowRect(c->WindowHandle(), &r); return r; }

}  // namespace

TEST(PopupWindow, WithoutOwnerItStaysOnTheScreenInBothFamilies) {
    InjectedScreen screen;
    TI_PopupWindow* popups[] = {Create<TI_PopupWindow>(nullptr), Create<TDCPopupWindow>(nullptr)};
    for (TI_PopupWindow* p : popups) {
        p->SetPopupRect(-50, 700, 100, 900);
        p->Show();
        RECT r = WindowRectOf(p);  // taller than the screen: its top stays visible
        EXPECT_EQ(std::make_pair(r.left, r.top), std::make_pair(0L, 0L));
        p->Free();
    }
}

TEST(PopupWindow, WithoutOwnerItStaysOnTheMonitorOfItsRectangle) {
    Screen()->SetMonitorProvider([] {
        TMonitorInfo left, right;
        left.BoundsRect = left.WorkareaRect = RECT{0, 0, 1024, 768};
        left.Primary = true;
        right.BoundsRect = right.WorkareaRect = RECT{1024, 0, 2048, 768};
        return std::vector<TMonitorInfo>{left, right};
    });
    const struct { RECT rect; LONG x, y; } cases[] = {
        {{1500, 700, 1600, 800}, 1500, 668},  // on the right monitor: its bottom edge
        {{2000, 10, 2100, 60}, 1948, 10},     // over the right monitor's right edge
        {{900, 700, 1000, 800}, 900, 668},    // on the primary one
    };
    for (const auto& c : cases) {
        auto* p = Create<TI_PopupWindow>(nullptr);
        p->SetPopupRect(c.rect.left, c.rect.top, c.rect.right - c.rect.left, c.rect.bottom - c.rect.top);
        p->Show();
        RECT r = WindowRectOf(p);
        EXPECT_EQ(std::make_pair(r.left, r.top), std::make_pair(c.x, c.y)) << c.rect.left;
        p->Free();
    }
    Screen()->SetMonitorProvider(nullptr);
}

TEST(PopupWindow, ShownTopMostWithoutTakingTheFocus) {
    OwnerOnForm host(100, 100, 200, 22);
    ASSERT_EQ(GetFocus(), host.owner->WindowHandle());
    auto* popup = Create<TI_PopupWindow>(host.owner);
    popup->SetPopupRect(0, 0, 120, 60);
    popup->SetPopupPosition(pmBelowLeft);
    popup->Show();
    PumpFor(50);
    HWND h = popup->WindowHandle();
    ASSERT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(GetWindowLongA(h, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetParent(h), nullptr);
    EXPECT_EQ(GetFocus(), host.owner->WindowHandle());
    EXPECT_EQ(SendMessageA(h, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(host.form->WindowHandle()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    RECT r = WindowRectOf(popup);
    MouseAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_EQ(GetFocus(), host.owner->WindowHandle());
    popup->Hide();
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_EQ(GetFocus(), host.owner->WindowHandle());
    popup->Free();
}

TEST(DispatchPendingPaint, ReturnsAndKeepsAPendingQuit) {
    OwnerOnForm host(100, 100, 200, 60);
    InvalidateRect(host.owner->WindowHandle(), nullptr, TRUE);
    PostQuitMessage(7);
    DispatchPendingPaint();
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

namespace {
// A window that never validates its update region.
class TNeverValid : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int paints = 0;

protected:
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_PAINT && !m.WParam) {
            ++paints;
            return;
        }
        TCustomControl::Dispatch(m);
    }
};
}  // namespace

TEST(DispatchPendingPaint, EndsWhenAWindowDoesNotValidate) {
    OwnerOnForm host(100, 100, 200, 60);
    auto* bad = Place<TNeverValid>(host.form, host.form, 0, 0, 50, 50);
    bad->HandleNeeded();
    InvalidateRect(bad->WindowHandle(), nullptr, TRUE);
    bad->paints = 0;
    DispatchPendingPaint();
    EXPECT_EQ(bad->paints, 1);
    ValidateRect(bad->WindowHandle(), nullptr);
}
