#include "controls/dialogs/placement_rules.h"

#include <algorithm>
#include <cstdlib>

bool RectMostlyCovers(const PlacementRect& monitor, const PlacementRect& r) {
    const int left = std::max(monitor.left, r.left);
    const int right = std::min(monitor.right, r.right);
    const int top = std::max(monitor.top, r.top);
    const int bottom = std::min(monitor.bottom, r.bottom);
    if (left >= right || top >= bottom) return false;
    return std::abs(right - left) > std::abs(r.Width() / 2) && std::abs(bottom - top) > std::abs(r.Height() / 2);
}

PlacementRect KeepRectInside(const PlacementRect& form, const PlacementRect& area) {
    const int w = form.Width();
    const int h = form.Height();
    int left = form.left;
    int top = form.top;
    if (left + w > area.right) left = area.right - w;
    if (left < area.left) left = area.left;
    if (top + h > area.bottom) top = area.bottom - h;
    if (top < area.top) top = area.top;
    return PlacementRect{left, top, left + w, top + h};
}

PlacementRect CenterRectIn(const PlacementRect& form, const PlacementRect& area) {
    const int w = form.Width();
    const int h = form.Height();
    const int cx = area.left + area.Width() / 2;
    const int cy = area.top + area.Height() / 2;
    const PlacementRect centred{cx - w / 2, cy - h / 2, cx - w / 2 + w, cy - h / 2 + h};
    return KeepRectInside(centred, area);
}

PlacementRect MoveRectOntoArea(const PlacementRect& form, const PlacementRect& from, const PlacementRect& to) {
    PlacementRect moved = form;
    if (!(from == to)) {
        const int dx = to.left - from.left;
        const int dy = to.top - from.top;
        moved = PlacementRect{form.left + dx, form.top + dy, form.right + dx, form.bottom + dy};
    }
    return KeepRectInside(moved, to);
}
