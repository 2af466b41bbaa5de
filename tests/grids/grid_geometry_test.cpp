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

// Span of a cell as "start-end", or "-" when it is not shown.
std::string Span(const TGridAxisDrawInfo& info, int cell) {
    int s = 0, e = 0;
    return AxisCellSpan(info, cell, s, e) ? std::to_string(s) + "-" + std::to_string(e) : "-";
}

TEST(GridGeometry, FixedScrolledAndHiddenCells) {
    // 10 columns of 64 + 1, one fixed, scrolled to column 3, client 300.
    const auto info = CalcAxisDrawInfo(Axis(10, 1, 3, 64, 1, 300));
    const std::pair<int, const char*> spans[] = {{0, "0-64"}, {1, "-"}, {3, "65-129"}, {6, "260-324"},
                                                 {7, "-"},    {10, "-"}, {-1, "-"}};
    for (const auto& [cell, span] : spans) EXPECT_EQ(Span(info, cell), span) << cell;
    EXPECT_EQ(info.LastFullVisibleCell, 5);
    EXPECT_EQ(AxisVisibleCount(info), 3);
    // The line belongs to the cell before it.
    const std::pair<int, int> hits[] = {{0, 0}, {64, 0}, {65, 3}, {299, 6}, {300, -1}, {-1, -1}};
    for (const auto& [pixel, cell] : hits) EXPECT_EQ(AxisHitTest(info, pixel), cell) << pixel;

    TExtents widths = std::vector<int>{20, 30, -1, 40, -1};
    const auto hidden = CalcAxisDrawInfo(Axis(5, 1, 1, 64, 1, 1000, &widths));
    EXPECT_EQ(Span(hidden, 2), "-");
    EXPECT_EQ(Span(hidden, 3), "52-92");
    EXPECT_EQ(hidden.GridBoundary, 93);
    EXPECT_EQ(AxisHitTest(hidden, 52), 3);
}

TEST(GridGeometry, MaxFirstCellRectsAndHugeCounts) {
    // 100 rows of 24 + 1, one fixed, client 250: 9 rows after the fixed one fit.
    EXPECT_EQ(AxisMaxFirstGridCell(Axis(100, 1, 1, 24, 1, 250)), 91);
    EXPECT_EQ(AxisMaxFirstGridCell(Axis(5, 1, 1, 24, 1, 1000)), 1);
    EXPECT_EQ(AxisMaxFirstGridCell(Axis(200000, 1, 199990, 17, 1, 200)), 200000 - 10);
    EXPECT_EQ(Span(CalcAxisDrawInfo(Axis(200000, 1, 199990, 17, 1, 200)), 199990), "18-35");

    TGridDrawInfo info{CalcAxisDrawInfo(Axis(5, 1, 1, 64, 1, 400)), CalcAxisDrawInfo(Axis(100, 1, 1, 24, 1, 250))};
    EXPECT_EQ(GridCellRect(info, 1, 1), (TGridPixelRect{65, 25, 129, 49}));
    EXPECT_TRUE(GridCellRect(info, 1, 50).IsEmpty());
    EXPECT_EQ(GridHitTest(info, 70, 30), (TGridCoord{1, 1, false}));
    // A block reaching far below the window is cut to the shown rows.
    EXPECT_EQ(GridBoxRect(info, TGridRect{1, 0, 1, 99}), (TGridPixelRect{65, 0, 129, 249}));
}

}  // namespace
