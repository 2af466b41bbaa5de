// Page arithmetic of printing: margins from the paper edge, twips, and the
// page loop that ends when a page makes no progress.
#include <gtest/gtest.h>

#include <vector>

#include "framework/print_layout.h"

namespace {

TEST(PrintLayout, MarginIsMeasuredFromThePaperEdge) {
    // A4 at 600 dpi with unprintable strips of 100 and 120 device units.
    TPrinterMetrics m{600, 600, 100, 120, 4960, 7016, 4760, 6776};
    EXPECT_EQ(MillimetresToDevice(20, 600), 472);  // 600 * 20 / 25.4 = 472.44
    EXPECT_EQ(MarginPageRect(m, 20), (PlainRect{372, 352, 4388, 6424}));
    // A strip wider than the margin starts the text at the printable edge.
    m.PhysicalOffsetX = 500;
    EXPECT_EQ(MarginPageRect(m, 20).left, 0);
    // A page smaller than its margins gives an empty, not an inverted, rectangle.
    const PlainRect tiny = MarginPageRect({600, 600, 0, 0, 800, 800, 800, 800}, 20);
    EXPECT_EQ(tiny.Width(), 0);
    EXPECT_EQ(tiny.Height(), 0);
    EXPECT_EQ(DeviceRectToTwips({372, 352, 4388, 6424}, 600, 600), (PlainRect{892, 844, 10531, 15417}));
    EXPECT_EQ(DeviceToTwips(100, 0), 0);
}

TEST(PrintLayout, PageLoopEndsWithoutProgress) {
    struct {
        int length;
        std::vector<int> nexts;  // what each page returns
        int pages;
    } cases[] = {
        {100, {40, 80, 100}, 3},
        {100, {0}, 1},         // a stub that lays out nothing: one page, not forever
        {100, {40, 40}, 2},    // a page that gets stuck half-way
        {100, {40, 20}, 2},    // ... or goes back
        {0, {0}, 1},           // an empty text prints one empty page
    };
    for (const auto& c : cases) {
        size_t call = 0;
        std::vector<int> starts;
        const int pages = RunPageLoop(c.length, [&](int start) {
            starts.push_back(start);
            return call < c.nexts.size() ? c.nexts[call++] : start;
        });
        EXPECT_EQ(pages, c.pages) << c.length;
        EXPECT_EQ(starts.front(), 0);
    }
}

}  // namespace
