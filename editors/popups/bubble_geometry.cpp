#include "editors/popups/bubble_geometry.h"

#include <algorithm>

BubbleSize ComputeBubbleSize(const BubbleSizeInput& in, const std::function<PlainPoint(int wrap_width)>& measure) {
    const BubbleMetrics& m = in.metrics;
    PlainPoint text = measure(0);
    int tw = text.x + 2, th = text.y;
    BubbleSize out;
    const int bw = in.buttons.Width(), bh = in.buttons.Height();
    if (in.has_buttons) {
        th += bh + 5;
        tw = std::max(tw, bw);
    }
    if (in.max_text_width >= 1 && in.max_text_width < tw) {
        const int wide = tw;
        text = measure(in.max_text_width);
        tw = text.x + 2;
        th = text.y;
        if (in.has_buttons) {
            th += bh + 5;
            // The limit is the text's: the bubble stays as wide as its
            // buttons, which move left by what it narrowed, but never past
            // the left margin.
            tw = std::max(tw, bw);
            out.buttons_shift = std::clamp(wide - tw, 0, std::max(0, in.buttons.left - m.margin_left));
        }
    }
    if (in.icon_kind != 0 && in.icon_shown) {
        out.width = in.icon_width + tw + m.margin_left + m.margin_right + m.icon_gap;
        out.height = std::max(th, in.icon_height) + m.margin_top + m.margin_bottom;
    } else {
        out.width = tw + m.margin_left + m.margin_right;
        out.height = th + m.margin_top + m.margin_bottom;
    }
    if (in.shape == bsRectangle) {
        out.width += 2;
        out.height += 2;
    } else {
        out.width += 2 * (m.radius - 3);
        out.height += 2 * (m.radius - 3);
        if (in.shape == bsBalloon) out.height += m.pointer;
    }
    return out;
}

BubbleRegionPlan PlanBubbleRegion(int shape, int width, int height, int flags, const BubbleMetrics& m) {
    BubbleRegionPlan plan;
    if (shape == bsRectangle) {
        plan.body = {-1, -1, width + 1, height + 1};
        return plan;
    }
    plan.corner = m.radius;
    plan.body = {0, 0, width, height};
    if (shape != bsBalloon) return plan;
    const int p = m.pointer;
    if (flags == 1 || flags == 3) {
        plan.body.bottom = height - p;  // shown above its anchor: no pointer
        return plan;
    }
    plan.body.top = p;
    if (flags == 2) {
        plan.pointer = {{width - 8, p}, {width - 8, 0}, {width - 8 - p, p}};
    } else if (flags == 4) {
        const int mid = width / 2;
        plan.pointer = {{mid - 4, p}, {mid, 0}, {mid + 4, p}};
    } else {
        plan.pointer = {{8, p}, {8, 0}, {8 + p, p}};
    }
    return plan;
}

PlainPoint BubbleTextOrigin(int shape, int flags, const BubbleMetrics& m) {
    if (shape == bsRectangle) return {m.margin_left, m.margin_top};
    PlainPoint o{m.radius - 3 + m.margin_left / 2, m.radius - 3 + m.margin_top / 2};
    if (shape == bsBalloon && (flags == 0 || flags == 2 || flags == 4)) o.y += m.pointer;
    return o;
}
