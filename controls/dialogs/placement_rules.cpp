#include "controls/dialogs/placement_rules.h"

#include <algorithm>
#include <cstdlib>

bool RectMostlyCovers(const PlainRect& monitor, const PlainRect& r) {
    const int left = std::max(monitor.left, r.left);
    const int right = std::min(monitor.right, r.right);
    const int top = std::max(monitor.top, r.top);
    const int bottom = std::min(monitor.bottom, r.bottom);
    if (left >= right || top >= bottom) return false;
    return std::abs(right - left) > std::abs(r.Width() / 2) && std::abs(bottom - top) > std::abs(r.Height() / 2);
}

PlainRect KeepRectInside(const PlainRect& form, const PlainRect& area) {
    const int w = form.Width();
    const int h = form.Height();
    int left = form.left;
    int top = form.top;
    if (left + w > area.right) left = area.right - w;
    if (left < area.left) left = area.left;
    if (top + h > area.bottom) top = area.bottom - h;
    if (top < area.top) top = area.top;
    return PlainRect{left, top, left + w, top + h};
}

PlainRect CenterRectIn(const PlainRect& form, const PlainRect& area) {
    const int w = form.Width();
    const int h = form.Height();
    const int cx = area.left + area.Width() / 2;
    const int cy = area.top + area.Height() / 2;
    const PlainRect centred{cx - w / 2, cy - h / 2, cx - w / 2 + w, cy - h / 2 + h};
    return KeepRectInside(centred, area);
}

PlainRect MoveRectOntoArea(const PlainRect& form, const PlainRect& from, const PlainRect& to) {
    PlainRect moved = form;
    if (!(from == to)) {
        const int dx = to.left - from.left;
        const int dy = to.top - from.top;
        moved = PlainRect{form.left + dx, form.top + dy, form.right + dx, form.bottom + dy};
    }
    return KeepRectInside(moved, to);
}
