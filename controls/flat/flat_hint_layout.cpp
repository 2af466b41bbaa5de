#include "controls/flat/flat_hint_layout.h"

#include <algorithm>

namespace {
constexpr int kStrip = 15;  // strip width including the frame pixel

bool StripLeft(TFlatHintArrow a) { return a == haUpLeft || a == haDownLeft; }
bool PointsUp(TFlatHintArrow a) { return a == haUpLeft || a == haUpRight; }
}  // namespace

TFlatHintPlace PlaceFlatHint(PlainPoint Cursor, int W, int H, int ScreenWidth, int ScreenHeight) {
    const int hw = ScreenWidth / 2, hh = ScreenHeight / 2;
    const bool left = Cursor.x >= 0 && Cursor.x < hw, right = Cursor.x >= hw && Cursor.x < ScreenWidth;
    const bool top = Cursor.y >= 0 && Cursor.y < hh, bottom = Cursor.y >= hh && Cursor.y < ScreenHeight;
    TFlatHintArrow arrow = haDownRight;
    if (left && top)
        arrow = haUpLeft;
    else if (right && top)
        arrow = haUpRight;
    else if (left && bottom)
        arrow = haDownLeft;
    const int gap = arrow == haUpLeft ? 12 : 5;
    const int x = StripLeft(arrow) ? Cursor.x + gap : Cursor.x - W - gap;
    const int y = PointsUp(arrow) ? Cursor.y + gap : Cursor.y - H - gap;
    return TFlatHintPlace{PlainRect{x, y, x + W, y + H}, arrow};
}

PlainRect KeepFlatHintOn(PlainRect Bounds, const PlainRect& Monitor) {
    const int w = std::min(Bounds.Width(), Monitor.Width());
    const int h = std::min(Bounds.Height(), Monitor.Height());
    int left = Bounds.left, top = Bounds.top;
    if (top + h > Monitor.bottom) top = Monitor.bottom - h;
    if (left + w > Monitor.right) left = Monitor.right - w;
    if (Monitor.left > left) left = Monitor.left;
    if (Monitor.top > top) top = Monitor.top;
    return PlainRect{left, top, left + w, top + h};
}

TFlatHintParts FlatHintParts(const PlainRect& Client, TFlatHintArrow Arrow) {
    TFlatHintParts p;
    const int top = Client.top + 1, bottom = Client.bottom - 1;
    if (StripLeft(Arrow)) {
        p.Strip = PlainRect{Client.left + 1, top, Client.left + kStrip, bottom};
        p.TextArea = PlainRect{Client.left + kStrip, top, Client.right - 1, bottom};
    } else {
        p.Strip = PlainRect{Client.right - kStrip, top, Client.right - 1, bottom};
        p.TextArea = PlainRect{Client.left + 1, top, Client.right - kStrip, bottom};
    }
    p.ArrowOrigin.x = StripLeft(Arrow) ? p.Strip.left + 2 : p.Strip.right - 3;
    p.ArrowOrigin.y = PointsUp(Arrow) ? p.Strip.top + 2 : p.Strip.bottom - 3;
    return p;
}

std::array<PlainPoint, 18> FlatHintArrowPoints(PlainPoint Origin, TFlatHintArrow Arrow) {
    // Drawn for the up-left arrow; the others mirror it.
    static constexpr PlainPoint kUpLeft[18] = {{0, 0}, {0, 6}, {1, 6}, {1, 0}, {6, 0}, {6, 1}, {2, 1}, {2, 4}, {5, 7},
                                               {6, 7}, {3, 4}, {3, 3}, {6, 6}, {7, 6}, {3, 2}, {4, 2}, {7, 5}, {7, 6}};
    const int sx = StripLeft(Arrow) ? 1 : -1, sy = PointsUp(Arrow) ? 1 : -1;
    std::array<PlainPoint, 18> points{};
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = PlainPoint{Origin.x + sx * kUpLeft[i].x, Origin.y + sy * kUpLeft[i].y};
    return points;
}
