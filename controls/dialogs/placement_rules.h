// Rectangle arithmetic of form placement: which monitor mostly covers a
// form, centring, keeping a form inside a work area. No window needed.
#pragma once

struct PlacementRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PlacementRect&) const = default;
};

// True when the rectangles intersect and the intersection is wider than half
// of r's width and higher than half of its height (halves rounded toward
// zero, compared as absolute values).
bool RectMostlyCovers(const PlacementRect& monitor, const PlacementRect& r);

// The form moved so it lies inside area where it can: a right or bottom
// overflow moves it back first, then the left and top edges win, so a form
// larger than the area ends on the area's left or top edge.
PlacementRect KeepRectInside(const PlacementRect& form, const PlacementRect& area);

// The form centred in area (centre = left + width div 2), then kept inside
// so a form larger than the area keeps its caption on the screen.
PlacementRect CenterRectIn(const PlacementRect& form, const PlacementRect& area);

// The form shifted by the offset between two work areas' top-left corners
// (it keeps its place relative to the area), then kept inside `to`.
PlacementRect MoveRectOntoArea(const PlacementRect& form, const PlacementRect& from, const PlacementRect& to);
