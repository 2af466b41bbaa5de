#include "demo/gallery_page_layout.h"

#include <algorithm>

namespace {
constexpr int kMargin = 6;     // left of the first button and between buttons
constexpr int kMaxStep = 116;  // a 110-pixel button and its gap
constexpr int kMinStep = 79;   // a 73-pixel button and its gap
constexpr int kButtonHeight = 26;
constexpr int kRowStep = kButtonHeight + 5;
}  // namespace

PageBarLayout LayoutPageBar(int count, int width) {
    PageBarLayout layout;
    const int room = std::max(width - kMargin, kMinStep);
    const int fit = room / kMinStep;
    const int rows = count > 0 ? (count + fit - 1) / fit : 1;
    const int perRow = count > 0 ? (count + rows - 1) / rows : 1;
    const int step = std::min(kMaxStep, room / perRow);
    for (int i = 0; i < count; ++i)
        layout.cells.push_back(
            {kMargin + (i % perRow) * step, 5 + (i / perRow) * kRowStep, step - kMargin, kButtonHeight});
    layout.height = 5 + rows * kRowStep;
    return layout;
}
