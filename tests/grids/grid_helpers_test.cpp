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

TEST(GridMessages, ExactCp1252Bytes) {
    EXPECT_EQ(std::string(GridMessages::IndexOutOfRange), "Gitterindex au\xDF" "erhalb des zul\xE4ssigen Bereichs");
    EXPECT_EQ(std::string(GridMessages::FixedColTooBig),
              "Die Anzahl fester Spalten mu\xDF kleiner sein als die Spaltenanzahl");
    EXPECT_EQ(std::string(GridMessages::FixedRowTooBig), "Die Anzahl fester Zeilen mu\xDF kleiner sein als die Zeilenanzahl");
    EXPECT_EQ(std::string(GridMessages::TooManyDeleted), "Zu viele Zeilen oder Spalten gel\xF6scht");
    EXPECT_EQ(std::string(GridMessages::ViewInsertDelete),
              "Es k\xF6nnen keine Zeilen des 'Grids' gel\xF6scht oder eingef\xFCgt werden");
    EXPECT_EQ(std::string(GridMessages::InvalidTypeCast), "Ung\xFCltige Typumwandlung");
}

TEST(GridRects, MakeAndContain) {
    const TGridRect r = MakeGridRect(TGridCoord{5, 1}, TGridCoord{2, 7});
    EXPECT_EQ(r, (TGridRect{2, 1, 5, 7}));
    EXPECT_TRUE(IsPointInGridRect(2, 1, r));
    EXPECT_TRUE(IsPointInGridRect(5, 7, r));
    EXPECT_TRUE(IsPointInGridRect(2, 7, r));
    EXPECT_TRUE(IsPointInGridRect(5, 1, r));
    EXPECT_FALSE(IsPointInGridRect(1, 4, r));
    EXPECT_FALSE(IsPointInGridRect(6, 4, r));
    EXPECT_FALSE(IsPointInGridRect(3, 0, r));
    EXPECT_FALSE(IsPointInGridRect(3, 8, r));
}

int NonEmpty(const std::array<TGridRect, 4>& a) {
    int n = 0;
    for (const auto& r : a) n += r.IsEmpty() ? 0 : 1;
    return n;
}

TEST(GridRects, DiffRects) {
    const TGridRect a{1, 1, 3, 3};
    EXPECT_EQ(NonEmpty(DiffRects(a, a)), 0);

    const TGridRect apart{6, 6, 7, 7};
    auto d = DiffRects(a, apart);
    EXPECT_EQ(NonEmpty(d), 2);
    EXPECT_EQ(d[0], a);
    EXPECT_EQ(d[1], apart);

    // Grown at the bottom only: exactly the added strip.
    d = DiffRects(a, TGridRect{1, 1, 3, 5});
    ASSERT_EQ(NonEmpty(d), 1);
    EXPECT_EQ(d[0], (TGridRect{1, 4, 3, 5}));

    // A row selection moving one row down: the old and the new row.
    d = DiffRects(TGridRect{1, 2, 4, 2}, TGridRect{1, 3, 4, 3});
    EXPECT_EQ(NonEmpty(d), 2);

    // Overlapping blocks: every cell in exactly one of them is covered.
    const TGridRect o{0, 0, 2, 2}, n{1, 1, 4, 3};
    d = DiffRects(o, n);
    for (int c = 0; c <= 5; ++c)
        for (int r = 0; r <= 4; ++r) {
            const bool inOne = IsPointInGridRect(c, r, o) != IsPointInGridRect(c, r, n);
            bool covered = false;
            for (const auto& x : d) covered = covered || IsPointInGridRect(c, r, x);
            if (inOne) {
                EXPECT_TRUE(covered) << c << "," << r;
            }
            if (IsPointInGridRect(c, r, o) && IsPointInGridRect(c, r, n)) {
                EXPECT_FALSE(covered) << c << "," << r;
            }
        }
}

TEST(GridExtents, ResizeMoveCompare) {
    TExtents e;
    EXPECT_EQ(MessageOf([] {
                  TExtents x;
                  ResizeExtents(x, -1, 24);
              }),
              GridMessages::IndexOutOfRange);
    EXPECT_EQ(MessageOf([] {
                  TExtents x;
                  ResizeExtents(x, MaxExtentEntries + 1, 24);
              }),
              GridMessages::GridTooLarge);
    ResizeExtents(e, 3, 10);
    (*e)[0] = 1, (*e)[1] = 2, (*e)[2] = 3;
    ResizeExtents(e, 5, 24);
    EXPECT_EQ(*e, (std::vector<int>{1, 2, 3, 24, 24}));
    ResizeExtents(e, 0, 24);
    EXPECT_FALSE(e.has_value());

    TExtents m = std::vector<int>{10, 20, 30, 40};
    MoveExtentEntry(m, 0, 2);
    EXPECT_EQ(*m, (std::vector<int>{20, 30, 10, 40}));
    MoveExtentEntry(m, 3, 0);
    EXPECT_EQ(*m, (std::vector<int>{40, 20, 30, 10}));
    TExtents missing;
    MoveExtentEntry(missing, 0, 5);
    EXPECT_FALSE(missing.has_value());
    EXPECT_EQ(MessageOf([] {
                  TExtents x = std::vector<int>{1, 2};
                  MoveExtentEntry(x, 0, 2);
              }),
              GridMessages::IndexOutOfRange);

    EXPECT_TRUE(ExtentsEqual(TExtents{}, TExtents{}));
    EXPECT_FALSE(ExtentsEqual(TExtents{}, TExtents{std::vector<int>{1}}));
    EXPECT_TRUE(ExtentsEqual(TExtents{std::vector<int>{1, 2}}, TExtents{std::vector<int>{1, 2}}));
    EXPECT_FALSE(ExtentsEqual(TExtents{std::vector<int>{1, 2}}, TExtents{std::vector<int>{1, 3}}));
}

}  // namespace
