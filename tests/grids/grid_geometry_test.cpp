// Grid geometry without a window: axis spans, hit tests, rectangles, extents.
#include <gtest/gtest.h>

#include <tuple>

#include "grids/grid_geometry.h"
#include "grids/grid_helpers.h"
#include "grids/grid_messages.h"
#include "tests/framework/control_test_support.h"

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

TEST(GridGeometry, SpansHitsMaxFirstCellRectsAndHugeCounts) {
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
    // 100 rows of 24 + 1, one fixed, client 250: 9 rows after the fixed one fit.
    EXPECT_EQ(AxisMaxFirstGridCell(Axis(100, 1, 1, 24, 1, 250)), 91);
    EXPECT_EQ(AxisMaxFirstGridCell(Axis(5, 1, 1, 24, 1, 1000)), 1);
    EXPECT_EQ(AxisMaxFirstGridCell(Axis(200000, 1, 199990, 17, 1, 200)), 200000 - 10);
    EXPECT_EQ(Span(CalcAxisDrawInfo(Axis(200000, 1, 199990, 17, 1, 200)), 199990), "18-35");

    TGridDrawInfo grid{CalcAxisDrawInfo(Axis(5, 1, 1, 64, 1, 400)), CalcAxisDrawInfo(Axis(100, 1, 1, 24, 1, 250))};
    EXPECT_EQ(GridCellRect(grid, 1, 1), (TGridPixelRect{65, 25, 129, 49}));
    EXPECT_TRUE(GridCellRect(grid, 1, 50).IsEmpty());
    EXPECT_EQ(GridHitTest(grid, 70, 30), (TGridCoord{1, 1, false}));
    // A block reaching far below the window is cut to the shown rows.
    EXPECT_EQ(GridBoxRect(grid, TGridRect{1, 0, 1, 99}), (TGridPixelRect{65, 0, 129, 249}));
}

TEST(GridGeometry, SizingZonesLieAroundTheShownLinesOnly) {
    // Rows of 17 + 1, one fixed, scrolled to row 50,000 of 100,000, client 200:
    // row 0 ends at 17, row 50000 spans 18-35 and ends at 35.
    TExtents heights = std::vector<int>(100000, 17);
    (*heights)[50001] = 30;
    const auto info = CalcAxisDrawInfo(Axis(100000, 1, 50000, 17, 1, 200, &heights));
    int end = -1;
    const std::tuple<int, int, int> hits[] = {
        {14, 0, 17},     {17, 0, 17},     {20, 0, 17},  // 3 before the line (17), 3 after it
        {32, 50000, 35}, {38, 50000, 35}, {63, 50001, 66}, {69, 50001, 66},
        {13, -1, 0},     {21, -1, 0},     {39, -1, 0},  {199, -1, 0}, {-5, -1, 0}};
    for (const auto& [pos, cell, at] : hits) {
        EXPECT_EQ(AxisSizingHit(info, pos, 3, end), cell) << pos;
        EXPECT_EQ(end, at) << pos;
    }
    // Hidden columns have no zone; the shown one after them does.
    TExtents widths = std::vector<int>{20, 30, -1, -1, 40};
    const auto cols = CalcAxisDrawInfo(Axis(5, 1, 1, 64, 1, 1000, &widths));
    EXPECT_EQ(AxisSizingHit(cols, 51, 3, end), 1);
    EXPECT_EQ(end, 51);
    EXPECT_EQ(AxisSizingHit(cols, 92, 3, end), 4);
    EXPECT_EQ(end, 92);
    EXPECT_EQ(AxisSizingHit(cols, 70, 3, end), -1);
}

TEST(GridRects, RectsAndExtents) {
    EXPECT_EQ(MakeGridRect(TGridCoord{5, 1}, TGridCoord{2, 7}), (TGridRect{2, 1, 5, 7}));
    const TGridRect a{1, 1, 3, 3}, apart{6, 6, 7, 7};
    for (const TGridRect& x : DiffRects(a, a)) EXPECT_TRUE(x.IsEmpty());
    auto d = DiffRects(a, apart);
    EXPECT_EQ(d[0], a);
    EXPECT_EQ(d[1], apart);
    d = DiffRects(a, TGridRect{1, 1, 3, 5});
    EXPECT_EQ(d[0], (TGridRect{1, 4, 3, 5}));
    EXPECT_TRUE(d[1].IsEmpty());

    // Overlapping blocks: the cells in one of them are covered, those in both
    // are not.
    const TGridRect o{0, 0, 2, 2}, n{1, 1, 4, 3};
    d = DiffRects(o, n);
    for (int c = 0; c <= 5; ++c)
        for (int row = 0; row <= 4; ++row) {
            bool covered = false;
            for (const auto& x : d) covered = covered || IsPointInGridRect(c, row, x);
            const bool inO = IsPointInGridRect(c, row, o), inN = IsPointInGridRect(c, row, n);
            if (inO || inN) {
                EXPECT_EQ(covered, inO != inN) << c << "," << row;
            }
        }
    TExtents x, two = std::vector<int>{1, 2};
    EXPECT_EQ(ErrorOf<EInvalidGridOperation>([&] { ResizeExtents(x, -1, 24); }), GridMessages::IndexOutOfRange);
    EXPECT_EQ(ErrorOf<EInvalidGridOperation>([&] { ResizeExtents(x, MaxExtentEntries + 1, 24); }),
              "Zu viele Zeilen oder Spalten");
    EXPECT_EQ(ErrorOf<EInvalidGridOperation>([&] { MoveExtentEntry(two, 0, 2); }), GridMessages::IndexOutOfRange);
    TExtents e = std::vector<int>{1, 2, 3};
    ResizeExtents(e, 5, 24);
    EXPECT_EQ(*e, (std::vector<int>{1, 2, 3, 24, 24}));
    MoveExtentEntry(e, 0, 2);
    EXPECT_EQ(*e, (std::vector<int>{2, 3, 1, 24, 24}));
    EXPECT_FALSE(ExtentsEqual(TExtents{}, e));
    ResizeExtents(e, 0, 24);
    EXPECT_FALSE(e.has_value());
    EXPECT_TRUE(ExtentsEqual(TExtents{}, e));
}

}  // namespace
