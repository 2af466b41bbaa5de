#include "editors/popups/clip_popup_geometry.h"

#include <algorithm>
#include <cstdlib>

ClipMargins ClipPopupMargins(int border_style, unsigned options) {
    ClipMargins m;
    m.border = border_style == 0 ? 0 : 2;
    if (border_style == 2) {
        if (options & kClipCaption) m.top = 14;
        if (options & kClipSizeGrip) m.bottom = 17;
    }
    return m;
}

PlainRect ClipClientRect(int width, int height, const ClipMargins& m) {
    return PlainRect{m.border + m.left, m.border + m.top, width - m.border - m.right, height - m.border - m.bottom};
}

ClipHit ClipPopupHitTest(int width, int height, const ClipMargins& m, unsigned options, PlainPoint p,
                         bool over_button) {
    if ((options & kClipCaption) && m.top > 0 && p.y >= m.border && p.y < m.border + m.top && p.x >= m.border &&
        p.x < width - m.border)
        return {caCaption, kHitBorder};
    if (options & kClipSizeGrip) {
        if (p.x >= width - 14 && p.y >= height - 13) return {caSizeGrip, kHitGrowBox};
        if (p.y >= height - 13) return {caGripBar, kHitBorder};
    }
    const PlainRect client = ClipClientRect(width, height, m);
    if (p.x >= client.left && p.x < client.right && p.y >= client.top && p.y < client.bottom)
        return {caInnerClient, kHitClient};
    if (over_button) return {caButton, kHitBorder};
    return {caClient, kHitClient};
}

std::vector<DBClipButtonPlan> PlanGotoButtons(const std::vector<std::string>& names, int last_index) {
    std::vector<DBClipButtonPlan> plan;
    if (last_index < 0) {
        plan.push_back({"#goto", "DBQUERY", "Leer", 0, 0});
        return plan;
    }
    plan.push_back({"#goto", "DBQUERY", "L\xF6schen", 0, 0});
    const int last = std::min(last_index, static_cast<int>(names.size()) - 1);
    for (int i = 0; i <= last; ++i)
        plan.push_back({"#Goto" + std::to_string(i), "DBFIND", names[static_cast<size_t>(i)], i + 1, 0});
    return plan;
}

PlainRect DBClipButtonBounds(int column, int row, int size, int top_margin) {
    const int left = column * size + 3, top = top_margin + 3 + row * size;
    return PlainRect{left, top, left + size, top + size};
}

PlainPoint DBClipPopupSize(int highest_column, int highest_row, int size, int top_margin, int status_height) {
    return PlainPoint{(highest_column + 1) * size + 6, top_margin + 6 + (highest_row + 1) * size + 2 + status_height};
}

PlainRect DBClipStatusRect(int highest_row, int size, int width) {
    const int top = (highest_row + 1) * size + 5;
    return PlainRect{2, top, width - 6, top + 18};
}

bool StepTracking(TrackState& s, int mode, int step, int dx, int dy, int& snap_dy) {
    snap_dy = 0;
    const PlainRect before = s.rect;
    if (mode == 1) {
        s.rect.left += dx;
        s.rect.right += dx;
        s.rect.top += dy;
        s.rect.bottom += dy;
    } else {
        s.rect.right += dx;
        if (step < 1) step = 1;
        s.pending_dy += dy;
        if (std::abs(s.pending_dy) * 2 >= step) {
            const int whole = s.pending_dy / step * step;
            const int moved = whole != 0 ? whole : (s.pending_dy < 0 ? -step : step);
            s.rect.bottom += moved;
            snap_dy = moved - s.pending_dy;
            s.pending_dy = 0;
        }
    }
    return !(s.rect == before);
}

PlainRect NormaliseTrackRect(const PlainRect& r, int min_width, int min_height) {
    PlainRect n{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
    if (n.Width() < min_width) n.right = n.left + min_width;
    if (n.Height() < min_height) n.bottom = n.top + min_height;
    return n;
}
