#include "editors/popups/popup_geometry.h"

#include <algorithm>

#include "editors/tools/drawing_kernels.h"

PopupPlacement ComputePopupPlacement(int mode, const PlainRect& rect, const PopupOwnerRects* owner,
                                     bool keep_on_screen, const PopupScreens& screens) {
    const int w = rect.Width(), h = rect.Height();
    PopupPlacement out;
    out.pos = {rect.left, rect.top};
    if (!owner) {
        if (keep_on_screen) {
            const PlainRect& s = screens.screen;
            out.pos.x = std::max(std::min(out.pos.x, s.right - w), s.left);
            out.pos.y = std::max(std::min(out.pos.y, s.bottom - h), s.top);
        }
        return out;
    }
    if (mode < pmBelowLeft || mode > pmRightOfOwner) return out;

    const PlainRect& outer = owner->outer;
    const PlainRect& client = owner->client;
    const PlainRect& vs = screens.virtual_screen;
    const int border_x = (outer.Width() - client.Width()) / 2;
    const int border_y = (outer.Height() - client.Height()) / 2;
    PlainPoint offset{0, 0};
    switch (mode) {
    case pmBelowLeft:
    case pmBelowRight:
        out.pos.x = mode == pmBelowLeft ? client.left - border_x : client.right + border_x - w;
        out.pos.y = client.bottom + border_y;
        offset.y = vs.bottom - outer.top;  // too low: bottom at the owner's top
        break;
    case pmInOwnerClient:
        out.pos = {client.left + rect.left, client.top + rect.top};
        break;
    default:
        out.pos = {client.right, client.top - border_y};
        offset.x = vs.right - outer.left;  // too far right: right edge at the owner's left
        break;
    }
    out.flags = 0;
    if (keep_on_screen) {
        out.flags = FitOntoScreen(out.pos, w, h, offset, vs);
        // Moving above or left of the owner may leave the screen again.
        out.pos.x = std::max(out.pos.x, vs.left);
        out.pos.y = std::max(out.pos.y, vs.top);
    }
    return out;
}

int PopupListHeight(int item_count, int extra_rows, int row_count, int item_height, int border_width,
                    int max_height) {
    row_count = std::max(row_count, 1);
    int rows = item_count >= row_count ? item_count : item_count + extra_rows;
    rows = std::clamp(rows, 1, row_count);
    int height = item_height * rows + 2 * border_width;
    if (max_height > 0) height = std::min(height, max_height);
    return height;
}

int PopupListWheelTop(int top, int wheel_delta, int item_count, int row_count) {
    int wanted = top - wheel_delta / 120;
    wanted = std::min(wanted, item_count - std::max(row_count, 1));
    return std::max(wanted, 0);
}
