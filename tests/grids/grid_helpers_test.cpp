#include "grids/grid_helpers.h"

#include <gtest/gtest.h>

#include "grids/grid_messages.h"

namespace {

std::string MessageOf(void (*f)()) {
    try {
        f();
    } catch (const EInvalidGridOperation& e) {
        return e.Message();
    }
    return "<nothing raised>";
}

TEST(GridRects, MakeContainAndDiff) {
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
}

TEST(GridExtents, ResizeMoveCompare) {
    EXPECT_EQ(MessageOf([] {
                  TExtents x;
                  ResizeExtents(x, -1, 24);
              }),
              GridMessages::IndexOutOfRange);
    EXPECT_EQ(MessageOf([] {
                  TExtents x;
                  ResizeExtents(x, MaxExtentEntries + 1, 24);
              }),
              "Zu viele Zeilen oder Spalten");
    TExtents e = std::vector<int>{1, 2, 3};
    ResizeExtents(e, 5, 24);
    EXPECT_EQ(*e, (std::vector<int>{1, 2, 3, 24, 24}));
    MoveExtentEntry(e, 0, 2);
    EXPECT_EQ(*e, (std::vector<int>{2, 3, 1, 24, 24}));
    EXPECT_EQ(MessageOf([] {
                  TExtents x = std::vector<int>{1, 2};
                  MoveExtentEntry(x, 0, 2);
              }),
              GridMessages::IndexOutOfRange);
    EXPECT_FALSE(ExtentsEqual(TExtents{}, e));
    ResizeExtents(e, 0, 24);
    EXPECT_FALSE(e.has_value());
    EXPECT_TRUE(ExtentsEqual(TExtents{}, e));
}

}  // namespace
