#include "grids/grid_geometry.h"

#include <gtest/gtest.h>

namespace {

TGridAxisParams Axis(int count, int fixed, int first, int def, int line, int client, const TExtents* e = nullptr) {
    TGridAxisParams p;
    p.Count = count;
    p.FixedCount = fixed;
    p.FirstGridCell = first;
    p.DefaultExtent = def;
    p.LineWidth = line;
    p.ClientExtent = client;
    p.Extents = e;
    return p;
}

TEST(GridGeometry, FixedAndScrollingCells) {
    // 10 columns of 64 + 1, one fixed, client 300: 0..64 fixed, then from column 3.
    const auto info = CalcAxisDrawInfo(Axis(10, 1, 3, 64, 1, 300));
    EXPECT_EQ(info.FixedBoundary, 65);
    int s = 0, e = 0;
    ASSERT_TRUE(AxisCellSpan(info, 0, s, e));
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 64);
    ASSERT_TRUE(AxisCellSpan(info, 3, s, e));
    EXPECT_EQ(s, 65);
    EXPECT_EQ(e, 129);
    EXPECT_FALSE(AxisCellSpan(info, 1, s, e));  // scrolled out
    EXPECT_FALSE(AxisCellSpan(info, 10, s, e));
    EXPECT_FALSE(AxisCellSpan(info, -1, s, e));
    // 65 + 3*65 = 260 <= 300: columns 3,4,5 full; column 6 partly.
    EXPECT_EQ(info.LastFullVisibleCell, 5);
    EXPECT_EQ(AxisVisibleCount(info), 3);
    ASSERT_TRUE(AxisCellSpan(info, 6, s, e));
    EXPECT_EQ(s, 260);
    EXPECT_FALSE(AxisCellSpan(info, 7, s, e));
    EXPECT_EQ(AxisHitTest(info, 0), 0);
    EXPECT_EQ(AxisHitTest(info, 64), 0);  // the line belongs to the cell before it
    EXPECT_EQ(AxisHitTest(info, 65), 3);
    EXPECT_EQ(AxisHitTest(info, 299), 6);
    EXPECT_EQ(AxisHitTest(info, 300), -1);
    EXPECT_EQ(AxisHitTest(info, -1), -1);
}

TEST(GridGeometry, HiddenColumnTakesNoPixels) {
    TExtents widths = std::vector<int>{20, 30, -1, 40, -1};
    const auto info = CalcAxisDrawInfo(Axis(5, 1, 1, 64, 1, 1000, &widths));
    int s = 0, e = 0;
    EXPECT_FALSE(AxisCellSpan(info, 2, s, e));
    ASSERT_TRUE(AxisCellSpan(info, 3, s, e));
    EXPECT_EQ(s, 21 + 31);
    EXPECT_EQ(e, 21 + 31 + 40);
    EXPECT_EQ(info.GridBoundary, 21 + 31 + 41);
    EXPECT_EQ(AxisHitTest(info, 52), 3);
    EXPECT_EQ(AxisHitTest(info, 51), 1);
}

TEST(GridGeometry, MaxFirstCellAndRects) {
    // 100 rows of 24 + 1, one fixed, client 250: 9 rows after the fixed one fit (25 + 9*25 = 250).
    const auto p = Axis(100, 1, 1, 24, 1, 250);
    EXPECT_EQ(AxisMaxFirstGridCell(p), 91);
    EXPECT_EQ(AxisMaxFirstGridCell(Axis(5, 1, 1, 24, 1, 1000)), 1);

    TGridDrawInfo info{CalcAxisDrawInfo(Axis(5, 1, 1, 64, 1, 400)), CalcAxisDrawInfo(Axis(100, 1, 1, 24, 1, 250))};
    EXPECT_EQ(GridCellRect(info, 1, 1), (TGridPixelRect{65, 25, 129, 49}));
    EXPECT_TRUE(GridCellRect(info, 1, 50).IsEmpty());
    EXPECT_TRUE(GridCellRect(info, 7, 1).IsEmpty());
    EXPECT_EQ(GridHitTest(info, 70, 30), (TGridCoord{1, 1, false}));
    EXPECT_EQ(GridBoxRect(info, TGridRect{0, 1, 4, 1}), (TGridPixelRect{0, 25, 324, 49}));
    // A block reaching far below the window is cut to the shown rows.
    EXPECT_EQ(GridBoxRect(info, TGridRect{1, 0, 1, 99}), (TGridPixelRect{65, 0, 129, 249}));
}

TEST(GridGeometry, HugeRowCountScrolledToTheEnd) {
    const auto p = Axis(200000, 1, 199990, 17, 1, 200);
    const auto info = CalcAxisDrawInfo(p);
    int s = 0, e = 0;
    ASSERT_TRUE(AxisCellSpan(info, 199990, s, e));
    EXPECT_EQ(s, 18);
    EXPECT_EQ(AxisMaxFirstGridCell(p), 200000 - 10);
}

}  // namespace
