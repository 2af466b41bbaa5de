#include "editors/tools/drop_arrows.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "framework/form.h"
#include "tests/editors/tools/tools_test_support.h"

namespace {

::testing::Environment* const kEnv = ::testing::AddGlobalTestEnvironment(new EditToolsTestEnvironment);

class DropArrowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = Create<TForm>(nullptr);
        form_->SetBounds(50, 50, 300, 200);
        form_->Show();
        SetForegroundWindow(form_->Handle());
        Application()->ProcessMessages();
        CreateArrowWindows(form_, info_.Markers);
        info_.Kind = DragKind::Columns;
        info_.TargetRect = {400, 300, 480, 320};  // screen coordinates: no grid
    }
    void TearDown() override { form_->Free(); }

    // The visible markers by orientation: "U", "D", "R", "L" or ".".
    std::string Shown() const {
        std::string out;
        for (int i = 0; i < 4; ++i) {
            TArrowWindow* m = info_.Markers[i];
            out += m->HandleAllocated() && IsWindowVisible(m->WindowHandle()) ? "UDRL"[i] : '.';
        }
        return out;
    }
    std::pair<LONG, LONG> Origin(int orientation) const {
        RECT r{};
        GetWindowRect(info_.Markers[orientation]->WindowHandle(), &r);
        return {r.left, r.top};
    }

    TForm* form_ = nullptr;
    TDropArrowInfo info_;
};

TEST_F(DropArrowsTest, TogglesMarkersWithoutActivation) {
    HWND active = GetActiveWindow();
    info_.SourceIndex = 5;
    info_.TargetIndex = 2;
    int hides = 0, shows = 0;
    info_.DragImageShown = true;
    info_.HideDragImage = [&] { ++hides; };
    info_.ShowDragImage = [&] { ++shows; };
    ShowDropArrows(info_);
    Application()->ProcessMessages();
    ASSERT_TRUE(info_.MarkersShown);
    EXPECT_EQ(Shown(), "UD..");
    EXPECT_EQ(Origin(kArrowDown), std::make_pair(400L - 5, 300L - 9));
    EXPECT_EQ(Origin(kArrowUp), std::make_pair(400L - 5, 320L - 1));
    EXPECT_EQ(GetActiveWindow(), active);
    for (TArrowWindow* m : info_.Markers) EXPECT_NE(GetForegroundWindow(), m->WindowHandle());
    EXPECT_EQ(hides, 1);
    EXPECT_EQ(shows, 1);

    ShowDropArrows(info_);
    EXPECT_FALSE(info_.MarkersShown);
    EXPECT_EQ(Shown(), "....");

    // Onto itself: the toggle shows nothing.
    info_.TargetIndex = info_.SourceIndex;
    ShowDropArrows(info_);
    EXPECT_FALSE(info_.MarkersShown);
    EXPECT_EQ(Shown(), "....");
}

TEST_F(DropArrowsTest, ShowAndHideHelpersAreIdempotent) {
    info_.Kind = DragKind::Rows;
    info_.SourceIndex = 1;
    info_.TargetIndex = 4;
    ShowDropArrowMarkers(info_);
    ShowDropArrowMarkers(info_);
    EXPECT_TRUE(info_.MarkersShown);
    EXPECT_EQ(Shown(), "..RL");
    HideDropArrowMarkers(info_);
    HideDropArrowMarkers(info_);
    EXPECT_EQ(Shown(), "....");
}

TEST_F(DropArrowsTest, MarkersAreShapedAsArrows) {
    info_.Markers[kArrowUp]->ShowAt(10, 10);
    HWND h = info_.Markers[kArrowUp]->WindowHandle();
    GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(h, region.Get()), ERROR);
    EXPECT_TRUE(PtInRegion(region.Get(), 5, 1));
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), 9, 8));
    TBitmap painted(kArrowSize, kArrowSize);
    info_.Markers[kArrowUp]->PaintTo(painted.DC(), 0, 0);
    EXPECT_EQ(painted.Pixel(5, 1), clRed);
    EXPECT_EQ(GetWindowLongA(h, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_NOACTIVATE), WS_EX_TOPMOST | WS_EX_NOACTIVATE);
    EXPECT_EQ(SendMessageA(h, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form_->Handle()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
}

}  // namespace
