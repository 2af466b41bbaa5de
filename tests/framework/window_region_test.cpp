// Window shapes: the window owns a region it took, nothing leaks.
#include <gtest/gtest.h>

#include "framework/gdi_owner.h"
#include "framework/window_region.h"

TEST(WindowRegion, WindowTakesTheRegionAndDropsIt) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    const int before = GdiOwnerLiveObjects();
    EXPECT_TRUE(SetWindowRegion(w, CreateRoundRectRegion(0, 0, 40, 30, 10, 10), false));
    EXPECT_EQ(GdiOwnerLiveObjects(), before);  // handed over, not counted as ours
    EXPECT_TRUE(HasWindowRegion(w));
    EXPECT_TRUE(SetWindowRegion(w, GdiObject<HRGN>(), false));
    EXPECT_FALSE(HasWindowRegion(w));
    EXPECT_FALSE(SetWindowRegion(nullptr, CreateRoundRectRegion(0, 0, 4, 4, 2, 2), false));
    EXPECT_EQ(GdiOwnerLiveObjects(), before);
    DestroyWindow(w);
}
