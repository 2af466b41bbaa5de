#include "editors/tools/drawing_kernels.h"

#include <algorithm>

#include "framework/rounding.h"

namespace {

struct Rgb {
    int r, g, b;
};

Rgb FromPixel(uint32_t px) {
    return {static_cast<int>((px >> 16) & 0xFF), static_cast<int>((px >> 8) & 0xFF), static_cast<int>(px & 0xFF)};
}
uint32_t ToPixel(Rgb c) {
    return (static_cast<uint32_t>(c.r) << 16) | (static_cast<uint32_t>(c.g) << 8) | static_cast<uint32_t>(c.b);
}
Rgb FromColor(TColor c) { return {ColorRed(c), ColorGreen(c), ColorBlue(c)}; }

int Lerp(int from, int to, int i, int bands) {
    return from + static_cast<int>(RoundHalfEven(static_cast<double>(i) * (to - from) / bands));
}

// Posterising tables: the high nibble by v div 16, the low one by ranges of v.
constexpr int kPosterHigh[16] = {7, 8, 8, 9, 0, 9, 10, 11, 11, 12, 12, 13, 13, 14, 14, 15};
int PosterLow(int v) {
    if (v < 20) return 11;
    if (v < 40) return 4;
    if (v < 70) return 5;
    if (v < 90) return 14;
    if (v < 100) return 13;
    if (v < 110) return 6;
    if (v < 130) return 5;
    if (v < 150) return 13;
    if (v < 190) return 6;
    if (v < 210) return 14;
    return 7;
}
int Posterise(int v) { return 16 * kPosterHigh[v / 16] + PosterLow(v); }

int TintBlue(int b) {
    if (b == 0) return 66;
    if (b == 255) return 189;
    return b;
}

}  // namespace

std::vector<GradientBand> PlanGradientBands(TColor from, TColor to, int extent, int bands) {
    std::vector<GradientBand> plan;
    if (bands < 1) bands = 1;
    if (extent <= 0) return plan;
    // More bands than pixels would only paint over one another.
    bands = std::min(bands, extent);
    const Rgb a = FromColor(from), b = FromColor(to);
    const double step = static_cast<double>(extent) / bands;
    const int width = static_cast<int>(RoundHalfEven(step)) + 1;
    plan.reserve(static_cast<size_t>(bands));
    for (int i = 0; i < bands; ++i) {
        const int start = static_cast<int>(RoundHalfEven(i * step));
        const int end = std::min(extent, start + width);
        if (start >= end) continue;
        const Rgb c{Lerp(a.r, b.r, i, bands), Lerp(a.g, b.g, i, bands), Lerp(a.b, b.b, i, bands)};
        plan.push_back({start, end - start,
                        RGBColor(static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g), static_cast<uint8_t>(c.b))});
    }
    return plan;
}

int FitOntoScreen(PlainPoint& pos, int width, int height, PlainPoint offset, const PlainRect& screen) {
    int flags = 0;
    if (pos.y < screen.top) pos.y = screen.top;
    if (static_cast<long long>(pos.y) + height > screen.bottom) {
        pos.y = screen.bottom - height - offset.y;
        flags |= kMovedVertically;
    }
    if (pos.x < screen.left) pos.x = screen.left;
    if (static_cast<long long>(pos.x) + width > screen.right) {
        pos.x = screen.right - width - offset.x;
        flags |= kMovedHorizontally;
    }
    // Moving up or left may have left the screen again: the top-left edge wins.
    pos.y = std::max(pos.y, screen.top);
    pos.x = std::max(pos.x, screen.left);
    return flags;
}

void ApplyEffectToPixels(const PixelView& source, const PixelView& target, BitmapEffect effect, TColor key) {
    const int w = std::min(source.width, target.width);
    const int h = std::min(source.height, target.height);
    if (w <= 0 || h <= 0) return;
    if (effect == BitmapEffect::Blurred) {
        std::vector<uint32_t> copy(static_cast<size_t>(w) * static_cast<size_t>(h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) copy[static_cast<size_t>(y) * w + x] = source.At(x, y);
        auto at = [&](int x, int y) {
            x = std::clamp(x, 0, w - 1);
            y = std::clamp(y, 0, h - 1);
            return FromPixel(copy[static_cast<size_t>(y) * w + x]);
        };
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Rgb p[5] = {at(x, y), at(x - 1, y), at(x + 1, y), at(x, y - 1), at(x, y + 1)};
                Rgb sum{0, 0, 0};
                for (const Rgb& q : p) sum = {sum.r + q.r, sum.g + q.g, sum.b + q.b};
                target.At(x, y) = ToPixel({sum.r / 5, sum.g / 5, sum.b / 5});
            }
        return;
    }
    const Rgb k = FromColor(key == kAutoKeyColor ? ColorOfPixel(source.At(0, 0)) : key);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t px = source.At(x, y) & 0xFFFFFF;
            const Rgb c = FromPixel(px);
            uint32_t out = px;
            switch (effect) {
                case BitmapEffect::Greyed:
                    if (c.r < 175) out = ToPixel({120, 120, 120});
                    break;
                case BitmapEffect::Tinted:
                    out = ToPixel({c.r / 2, c.g / 2, TintBlue(c.b)});
                    break;
                case BitmapEffect::Inverted:
                    out = ~px & 0xFFFFFF;
                    break;
                case BitmapEffect::Posterised:
                    out = ToPixel({Posterise(c.r), Posterise(c.g), Posterise(c.b)});
                    break;
                case BitmapEffect::Highlighted:
                    if (c.r != k.r && c.g != k.g && c.b != k.b && (c.r / 3) % 2 == 0) out = ToPixel({8, 36, 107});
                    break;
                default:
                    break;
            }
            target.At(x, y) = out;
        }
}

void BlendPixels(const PixelView& source, const PixelView* second, const PixelView& target, TColor color,
                 int percent) {
    int w = std::min(source.width, target.width);
    int h = std::min(source.height, target.height);
    if (second) {
        w = std::min(w, second->width);
        h = std::min(h, second->height);
    }
    if (w <= 0 || h <= 0) return;
    const int p = std::clamp(percent, 0, 100);
    uint32_t key = PixelOfColor(color);
    if (second && color == kAutoKeyColor) key = second->At(0, 0) & 0xFFFFFF;
    const Rgb mixColor = FromColor(color);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t px = source.At(x, y) & 0xFFFFFF;
            if (px == key) {
                target.At(x, y) = px;
                continue;
            }
            const Rgb c = FromPixel(px);
            const Rgb m = second ? FromPixel(second->At(x, y)) : mixColor;
            target.At(x, y) = ToPixel({m.r * p / 100 + c.r * (100 - p) / 100, m.g * p / 100 + c.g * (100 - p) / 100,
                                       m.b * p / 100 + c.b * (100 - p) / 100});
        }
}

std::array<PlainPoint, 7> ArrowPolygon(int orientation) {
    static constexpr PlainPoint kPoints[4][7] = {
        {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}},
        {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}},
        {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}},
        {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}},
    };
    std::array<PlainPoint, 7> out{};
    if (orientation < 0 || orientation > 3) return out;
    for (int i = 0; i < 7; ++i) out[static_cast<size_t>(i)] = kPoints[orientation][i];
    return out;
}

DropArrowPlan PlanDropArrows(DragKind kind, int sourceIndex, int targetIndex, bool insertAfter,
                             const PlainRect& target) {
    DropArrowPlan plan;
    if (kind == DragKind::Rows) {
        const int y = target.top + (target.bottom - target.top) / 2;
        plan.area = {target.left - 8, y - 4, target.right + 8, y + 4};
    } else if (kind == DragKind::Columns) {
        const bool after = insertAfter || (sourceIndex >= 1 && sourceIndex < targetIndex);
        const int x = after ? target.right : target.left;
        plan.area = {x - 4, target.top - 8, x + 4, target.bottom + 8};
    } else {
        return plan;
    }
    plan.area = {plan.area.left - 1, plan.area.top - 1, plan.area.right + 1, plan.area.bottom + 1};
    plan.show = targetIndex >= 0 && targetIndex != sourceIndex;
    if (!plan.show) return plan;
    if (kind == DragKind::Rows) {
        plan.visible[kArrowRight] = plan.visible[kArrowLeft] = true;
        plan.origin[kArrowRight] = {plan.area.left, plan.area.top};
        plan.origin[kArrowLeft] = {plan.area.right - 10, plan.area.top};
    } else {
        plan.visible[kArrowDown] = plan.visible[kArrowUp] = true;
        plan.origin[kArrowDown] = {plan.area.left, plan.area.top};
        plan.origin[kArrowUp] = {plan.area.left, plan.area.bottom - 10};
    }
    return plan;
}
