// The positions page's grid sized with the mouse as a user does: the title
// edges of Preis and Steuer, which hidden columns follow, drag wider, and the
// shown columns after them end at the grid's right edge.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/demo/live_driver.h"

using namespace live;

namespace {

// A pixel row of the titles above their texts; the column lines run the
// title's full height.
constexpr int kLineRow = 2;

// The x of every title line.
std::vector<int> TitleLines(HWND grid, COLORREF line) {
    const int width = ClientWidth(grid);
    const Shot row(grid, RECT{0, kLineRow, width, kLineRow + 1});
    std::vector<int> xs;
    for (int x = 0; x < row.Width(); ++x)
        if (row.At(x, 0) == line) xs.push_back(x);
    return xs;
}

bool Has(const std::vector<int>& xs, int x) {
    for (int v : xs)
        if (v == x) return true;
    return false;
}

void DragTitleEdge(HWND grid, int x, int dx) {
    MoveMouse(grid, x, 8);
    Sleep(30);
    LeftDown();
    for (int step = 1; step <= 3; ++step) MoveMouse(grid, x + dx * step / 3, 8);
    Sleep(60);
    LeftUp();
    Sleep(150);
}

class GridSizesLive : public ::testing::Test {
protected:
    void TearDown() override {
        if (gallery_ && HasFailure()) {
            RECT r{};
            GetClientRect(gallery_->Main(), &r);
            const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
            if (Shot(gallery_->Main(), r).SavePng(ProgramFolder() + "live-" + name + ".png"))
                std::printf("screen saved as live-%s.png\n", name.c_str());
        }
        if (gallery_) {
            EXPECT_TRUE(gallery_->Close()) << "exit code " << gallery_->ExitCode();
        }
        MoveMouse(POINT{1, 1});
    }
    std::unique_ptr<Gallery> gallery_;
};

}  // namespace

TEST_F(GridSizesLive, PreisAndSteuerTitleEdgesDragWider) {
    gallery_ = std::make_unique<Gallery>("positions");
    ASSERT_TRUE(gallery_->Started());
    HWND save = gallery_->Child("Speichern");
    ASSERT_NE(save, nullptr);
    HWND grid = PositionsGridOf(save);
    ASSERT_NE(grid, nullptr);
    Sleep(200);  // painted

    // Widths 10, 29, 43, 41, 52, 45, 49, 43, 38, 41 (Preis), 25 (Steuer), four
    // hidden ones, 47 (Rabatt), each with a one-pixel line: Preis ends at 400.
    const COLORREF line = PixelAt(grid, 400, kLineRow);
    ASSERT_NE(PixelAt(grid, 395, kLineRow), line) << "no line at 400";
    std::vector<int> lines = TitleLines(grid, line);
    ASSERT_TRUE(Has(lines, 400) && Has(lines, 426)) << "Preis and Steuer end elsewhere";

    DragTitleEdge(grid, 400, 30);
    lines = TitleLines(grid, line);
    EXPECT_TRUE(Has(lines, 430)) << "Preis was not widened";
    EXPECT_FALSE(Has(lines, 400));
    // Steuer's edge is the next line; the last shown column ends at the
    // grid's right edge (less a bar's width while none is shown).
    int steuer = 0;
    for (int x : lines)
        if (x > 431) {
            steuer = x;
            break;
        }
    ASSERT_GT(steuer, 431);

    DragTitleEdge(grid, steuer, 30);
    lines = TitleLines(grid, line);
    EXPECT_TRUE(Has(lines, steuer + 30)) << "Steuer was not widened";
    EXPECT_TRUE(Has(lines, 430));
}
