// TScreen: monitors through an injected provider, cursors, forms list.
#include <gtest/gtest.h>

#include <tuple>

#include "framework/screen.h"

namespace {

std::vector<TMonitorInfo> TwoMonitors() {
    TMonitorInfo left{reinterpret_cast<HMONITOR>(0x1001), {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true};
    TMonitorInfo right{reinterpret_cast<HMONITOR>(0x1002), {1920, -200, 3200, 824}, {1920, -200, 3200, 784}, false};
    return {left, right};
}

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        DoneScreen();
        InitScreen();
    }
    void TearDown() override { DoneScreen(); }
};

}  // namespace

// The system's monitors by default; injected ones answer the searches.
TEST_F(ScreenTest, SystemOrInjectedMonitorsAnswerTheSearches) {
    ASSERT_NE(Screen()->PrimaryMonitor(), nullptr);
    EXPECT_EQ(Screen()->Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(Screen()->Height(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(Screen()->MonitorFromPoint({10, 10})->Handle(), MonitorFromPoint({10, 10}, MONITOR_DEFAULTTONEAREST));
    EXPECT_GT(Screen()->PixelsPerInch(), 0);
    EXPECT_FALSE(Screen()->HintFont().Name().empty());
    TScreen& s = *Screen();
    s.SetMonitorProvider(TwoMonitors);
    ASSERT_EQ(s.MonitorCount(), 2);
    TMonitor* left = s.Monitors(0);
    TMonitor* right = s.Monitors(1);
    EXPECT_TRUE(left->Primary());
    EXPECT_FALSE(right->Primary());

    // Inside, then outside every monitor: the nearest.
    for (auto [x, y, m] : {std::tuple{100, 100, left}, {1919, 1079, left}, {1920, 0, right}, {3000, -150, right},
                           {5000, 0, right}, {-300, 500, left}, {100, -100, left}})
        EXPECT_EQ(s.MonitorFromPoint({x, y}), m) << x << "," << y;
    EXPECT_EQ(s.MonitorFromPoint({5000, 0}, mdNull), nullptr);
    EXPECT_EQ(s.MonitorFromPoint({5000, 0}, mdPrimary), left);

    EXPECT_EQ(s.MonitorFromRect({1800, 0, 2200, 100}), right);  // more on the right
    EXPECT_EQ(s.MonitorFromRect({1700, 0, 2000, 100}), left);
    EXPECT_EQ(s.MonitorFromWindow(nullptr), left);

    EXPECT_EQ(s.Width(), 1920);
    EXPECT_EQ(s.Height(), 1080);
    EXPECT_EQ(s.WorkAreaHeight(), 1040);
    const RECT d = s.DesktopRect();
    EXPECT_TRUE(d.left == 0 && d.top == -200 && d.right == 3200 && d.bottom == 1080);
    EXPECT_EQ(s.Monitors(5), nullptr);
    // Without a marked primary the first monitor is it.
    s.SetMonitorProvider([] {
        auto list = TwoMonitors();
        list[0].Primary = false;
        return list;
    });
    EXPECT_EQ(s.PrimaryMonitor(), s.Monitors(0));
}

TEST_F(ScreenTest, CursorsFromTheSystemOwnedByTheTableAndTheGlobalOneWins) {
    TScreen& s = *Screen();
    EXPECT_EQ(s.Cursors(crHSplit), LoadCursorA(nullptr, IDC_SIZEWE));
    EXPECT_EQ(s.Cursors(crVSplit), LoadCursorA(nullptr, IDC_SIZENS));
    EXPECT_EQ(s.Cursors(-4997), LoadCursorA(nullptr, IDC_ARROW));  // not registered yet
    EXPECT_NE(s.Cursors(crNone), nullptr);                        // an invisible cursor
    // The global cursor overrides the control's.
    EXPECT_EQ(s.EffectiveCursor(crDefault), nullptr);
    EXPECT_EQ(s.EffectiveCursor(crIBeam), s.Cursors(crIBeam));
    s.SetCursor(crHourGlass);
    EXPECT_EQ(s.Cursor(), crHourGlass);
    EXPECT_EQ(s.EffectiveCursor(crIBeam), s.Cursors(crHourGlass));
    EXPECT_EQ(s.EffectiveCursor(crDefault), s.Cursors(crHourGlass));
    s.SetCursor(crDefault);
    EXPECT_EQ(s.EffectiveCursor(crIBeam), s.Cursors(crIBeam));
    BYTE andMask[128], xorMask[128] = {};
    std::fill(std::begin(andMask), std::end(andMask), 0xFF);
    HCURSOR first = CreateCursor(GetModuleHandleA(nullptr), 0, 0, 32, 32, andMask, xorMask);
    HCURSOR second = CreateCursor(GetModuleHandleA(nullptr), 0, 0, 32, 32, andMask, xorMask);
    ASSERT_NE(first, nullptr);
    s.SetCursorHandle(-4997, first);
    EXPECT_EQ(s.Cursors(-4997), first);
    s.SetCursorHandle(-4997, second);
    EXPECT_EQ(s.Cursors(-4997), second);
    ICONINFO ii{};
    EXPECT_FALSE(GetIconInfo(first, &ii)) << "replaced cursor was not destroyed";

    HCURSOR shared = LoadCursorA(nullptr, IDC_CROSS);
    s.SetCursorHandle(-4996, shared, false);
    DoneScreen();
    EXPECT_FALSE(GetIconInfo(second, &ii));
    ASSERT_TRUE(GetIconInfo(shared, &ii)) << "shared cursor destroyed";
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
}

