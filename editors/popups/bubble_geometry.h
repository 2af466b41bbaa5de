// Window-free arithmetic of the message bubble: its size from the measured
// text, buttons and icon, the outline of its window region by shape and
// placement, and where its text starts.
#pragma once

#include <functional>
#include <vector>

#include "framework/plain_geometry.h"

enum TBubbleShape : int { bsRectangle = 0, bsRounded = 1, bsBalloon = 2 };

struct BubbleMetrics {
    int margin_left = 4, margin_top = 2, margin_right = 2, margin_bottom = 2;
    int radius = 7;
    int pointer = 8;
    int icon_gap = 6;
};

struct BubbleSizeInput {
    BubbleMetrics metrics;
    int shape = bsRectangle;
    int icon_kind = 0;       // 0 none, 1 the standard icon, 2 the bubble's own
    bool icon_shown = false;
    int icon_width = 0, icon_height = 0;
    bool has_buttons = false;
    PlainRect buttons;       // union of the visible buttons where they were put
    int max_text_width = 0;  // 0: none
};

struct BubbleSize {
    int width = 0;
    int height = 0;
    int buttons_shift = 0;  // every button moves left by this (a width limit narrowed the bubble)
};

// measure(wrap_width) gives the caption's extent: on one line for 0, else
// word-wrapped at that width.
BubbleSize ComputeBubbleSize(const BubbleSizeInput& in, const std::function<PlainPoint(int wrap_width)>& measure);

// The window region: a rectangle (rounded with corner x corner when corner
// > 0) and, for a balloon, a pointer triangle joined to it.
struct BubbleRegionPlan {
    PlainRect body;
    int corner = 0;
    std::vector<PlainPoint> pointer;
};
// flags: the placement flags (0 placed as asked, 1/3 moved up, 2 moved left,
// 4 centred pointer).
BubbleRegionPlan PlanBubbleRegion(int shape, int width, int height, int flags, const BubbleMetrics& m);

// Top-left of the text (before an icon) in a client area.
PlainPoint BubbleTextOrigin(int shape, int flags, const BubbleMetrics& m);
