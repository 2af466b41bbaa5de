#include "editors/tools/edit_button_logic.h"

#include <algorithm>

EditButtonMouseResult StepEditButtonState(EditButtonMouseState& s, EditButtonMouseAction action, bool inside,
                                          bool held, const std::function<void(int& state)>& on_state_change) {
    using A = EditButtonMouseAction;
    int target = s.state;
    bool click = false;
    if (!s.enabled) {
        target = inside ? ebsHot : ebsNormal;
    } else if (!s.toggle) {
        if (!inside) {
            target = ebsNormal;
        } else if (action == A::Move) {
            target = held && s.pressed ? ebsDown : ebsHot;
            if (target == ebsHot) s.pressed = false;
        } else if (action == A::Press) {
            target = ebsDown;
            s.pressed = true;
            click = s.event_style == esDropDown;
        } else {
            target = ebsHot;
            click = s.event_style == esNormal && (s.state == ebsDown || s.click_without_press);
        }
    } else if (s.allow_all_up) {
        if (!inside) {
            target = s.down ? ebsDown : (action == A::Move && held && s.pressed ? ebsHot : ebsNormal);
        } else if (action == A::Move) {
            target = s.down ? ebsDown : !held ? ebsHot : s.pressed ? ebsDown : ebsNormal;
        } else if (action == A::Press) {
            target = ebsDown;
            s.pressed = true;
        } else if (s.pressed || s.click_without_press) {
            s.down = !s.down;
            target = s.down ? ebsDown : ebsHot;
            click = true;
        } else {
            target = s.down ? ebsDown : ebsHot;
        }
    } else {
        if (!inside) {
            target = s.state == ebsDown ? ebsDown : ebsNormal;
        } else if (action == A::Move) {
            target = s.state == ebsDown ? ebsDown : ebsHot;
        } else if (action == A::Press) {
            target = s.state == ebsDown ? ebsHot : ebsDown;
            s.pressed = true;
            click = true;
        }
    }
    if (action == A::Release) s.pressed = false;

    int final_state = target;
    if (final_state != s.state && on_state_change) on_state_change(final_state);
    if (s.toggle) {
        if (!s.allow_all_up)
            s.down = final_state == ebsDown;
        else if (final_state != ebsDown)
            s.down = false;
    }
    EditButtonMouseResult r;
    r.changed = final_state != s.state;
    r.click = click && final_state == target;
    s.state = final_state;
    return r;
}

namespace {

// Moves pos by half of d, keeping the odd pixel for the next change.
void MoveByHalf(int& pos, int& rest, int d) {
    int total = rest + d;
    int step = total / 2;
    rest = total - 2 * step;
    pos += step;
}

}  // namespace

void ApplyEditButtonAnchor(AnchoredBounds& b, int anchor, int dx, int dy) {
    switch (anchor) {
    case 1: b.left += dx; break;
    case 2: b.top += dy; break;
    case 3: b.left += dx; b.top += dy; break;
    case 4: b.width += dx; break;
    case 5: b.top += dy; b.width += dx; break;
    case 6: b.height += dy; break;
    case 7: b.left += dx; b.height += dy; break;
    case 8: b.width += dx; b.height += dy; break;
    case 9: MoveByHalf(b.left, b.rest_x, dx); break;
    case 10: b.left += dx; MoveByHalf(b.top, b.rest_y, dy); break;
    default: break;
    }
}

EditButtonContentLayout LayoutEditButton(int layout, int width, int height, int glyph_w, int glyph_h, int text_w,
                                         int text_h) {
    bool has_glyph = glyph_w > 0 && glyph_h > 0;
    bool has_text = text_w > 0 && text_h > 0;
    EditButtonContentLayout out;
    if (!has_glyph && !has_text) {
        out.glyph = out.text = PlainRect{3, 3, 3, 3};
        return out;
    }
    if (!has_glyph) glyph_w = glyph_h = 0;
    if (!has_text) text_w = text_h = 0;
    const int gap = has_glyph && has_text ? 3 : 0;
    auto at = [](int x, int y, int w, int h) { return PlainRect{x, y, x + w, y + h}; };
    int gx = 0, gy = 0, tx = 0, ty = 0;
    switch (layout) {
    case 0:
        gx = 3;
        tx = gx + glyph_w + gap;
        gy = (height - glyph_h) / 2;
        ty = (height - text_h) / 2;
        break;
    case 1:
        gx = width - 3 - glyph_w;
        tx = gx - gap - text_w;
        gy = (height - glyph_h) / 2;
        ty = (height - text_h) / 2;
        break;
    case 3:
    case 4: {
        int y0 = (height - (glyph_h + gap + text_h)) / 2;
        gx = (width - glyph_w) / 2;
        tx = (width - text_w) / 2;
        gy = layout == 3 ? y0 : y0 + text_h + gap;
        ty = layout == 3 ? y0 + glyph_h + gap : y0;
        break;
    }
    default: {
        int x0 = std::max(0, (width - (glyph_w + gap + text_w)) / 2);
        gx = x0;
        tx = x0 + glyph_w + gap;
        gy = (height - glyph_h) / 2;
        ty = (height - text_h) / 2;
        break;
    }
    }
    out.glyph = at(gx, gy, glyph_w, glyph_h);
    out.text = at(tx, ty, text_w, text_h);
    // The caption never reaches past the button (it ends in an ellipsis).
    out.text.left = std::max(out.text.left, 0);
    out.text.right = std::min(out.text.right, width);
    return out;
}

std::vector<FrameStep> EditButtonFrame(const EditButtonFrameInput& in) {
    using E = FrameEdge;
    const int state = in.enabled ? in.state : ebsNormal;
    auto raised_pair = [&]() -> std::vector<FrameStep> {
        return {{E::RaisedInner, fsdLeftTop, 0}, {in.grey ? E::RaisedOuter : E::RaisedInner, fsdRightBottom, 0}};
    };
    auto design = [&]() -> std::vector<FrameStep> {
        switch (in.kind) {
        case 0: return {{E::RaisedOuter, fsdAll, 0}, {E::RaisedInner, fsdAll, 1}};
        case 1: return {{E::RaisedInner, fsdAll, 0}};
        case 2: return {in.enabled ? FrameStep{E::RaisedInner, fsdAll, 0} : FrameStep{E::WindowLine, fsdAll, 0}};
        case 3: return raised_pair();
        default: return {};
        }
    };
    const bool glyph_frames_itself = in.kind == 4 && in.has_glyph && !in.toggle;
    switch (state) {
    case ebsDown:
        switch (in.kind) {
        case 0: return {{E::ShadowLine, fsdAll, 0}};
        case 1:
        case 2: return {{E::SunkenOuter, fsdAll, 0}};
        case 3: return {{E::SunkenOuter, fsdRightBottom, 0}, {in.grey ? E::SunkenInner : E::SunkenOuter, fsdLeftTop, 0}};
        case 4:
            if (glyph_frames_itself) return {};
            if (in.silver) return {{E::SunkenOuter, fsdAll, 0}};
            return {{E::SunkenInner, fsdLeftTop, 0}, {E::SunkenOuter, fsdRightBottom, 0}};
        default: return {};
        }
    case ebsHot:
        switch (in.kind) {
        case 0: return {{E::RaisedOuter, fsdAll, 0}, {E::RaisedInner, fsdAll, 1}};
        case 1:
        case 2: return {{E::RaisedInner, fsdAll, 0}};
        case 3: return raised_pair();
        case 4:
            if (glyph_frames_itself) return {};
            if (in.silver) return {{E::RaisedInner, fsdAll, 0}};
            return {{E::RaisedInner, fsdLeftTop, 0}, {E::RaisedOuter, fsdRightBottom, 0}};
        default: return {};
        }
    default:
        if (in.design) return design();
        switch (in.kind) {
        case 0:
            if (in.enabled) return design();
            return {{E::RaisedOuter, fsdLeftTop, 0}, {E::RaisedInner, fsdRightBottom, 0},
                    {E::RaisedInner, fsdLeftTop, 1}, {E::SunkenInner, fsdRightBottom, 1}};
        case 1: return in.flat ? std::vector<FrameStep>{{E::RaisedInner, fsdAll, 0}} : std::vector<FrameStep>{};
        case 2: return {in.flat ? FrameStep{E::RaisedInner, fsdAll, 0} : FrameStep{E::OwnerLine, fsdAll, 0}};
        case 3: return in.flat ? raised_pair() : std::vector<FrameStep>{};
        default: return {};
        }
    }
}
