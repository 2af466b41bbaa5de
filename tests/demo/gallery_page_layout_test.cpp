// The page bar's layout: every button readable and in sight, however many
// pages register.
#include <gtest/gtest.h>

#include "demo/gallery_page_layout.h"

namespace {

struct BarCase {
    int pages;
    int rows;
    int buttonWidth;
};

TEST(PageBarLayout, RowsAndWidthsByPageCount) {
    const BarCase cases[] = {
        {1, 1, 110}, {6, 1, 110}, {8, 1, 93}, {10, 1, 73}, {11, 2, 110},
        {14, 2, 107}, {20, 2, 73}, {21, 3, 107}, {30, 3, 73},
    };
    for (const BarCase& c : cases) {
        SCOPED_TRACE(c.pages);
        const PageBarLayout layout = LayoutPageBar(c.pages, 800);
        ASSERT_EQ(layout.cells.size(), static_cast<size_t>(c.pages));
        EXPECT_EQ(layout.height, 5 + c.rows * 31);
        int rows = 0, lastTop = -1;
        for (size_t i = 0; i < layout.cells.size(); ++i) {
            const PageBarCell& cell = layout.cells[i];
            EXPECT_EQ(cell.width, c.buttonWidth) << "page " << i;
            EXPECT_EQ(cell.height, 26);
            EXPECT_GE(cell.left, 6);
            EXPECT_LE(cell.left + cell.width, 800) << "page " << i << " is cut off";
            EXPECT_LE(cell.top + cell.height, layout.height - 5);
            if (cell.top != lastTop) {
                ++rows;
                lastTop = cell.top;
            } else {
                EXPECT_GE(cell.left, layout.cells[i - 1].left + layout.cells[i - 1].width + 6) << "page " << i;
            }
        }
        EXPECT_EQ(rows, c.rows);
    }
}

TEST(PageBarLayout, RowsAreFilledEvenly) {
    // 14 pages: two rows of seven, not ten and four.
    const PageBarLayout layout = LayoutPageBar(14, 800);
    EXPECT_EQ(layout.cells[6].top, layout.cells[0].top);
    EXPECT_EQ(layout.cells[7].top, layout.cells[0].top + 31);
    EXPECT_EQ(layout.cells[7].left, layout.cells[0].left);
}

}  // namespace
