// Rectangle arithmetic of form placement: which monitor mostly covers a
// form, centring, keeping a form inside a work area. No window needed.
#pragma once

#include "framework/plain_geometry.h"

// True when the rectangles intersect and the intersection is wider than half
// of r's width and higher than half of its height (halves rounded toward
// zero, compared as absolute values).
bool RectMostlyCovers(const PlainRect& monitor, const PlainRect& r);

// The form moved so it lies inside area where it can: a right or bottom
// overflow moves it back first, then the left and top edges win, so a form
// larger than the area ends on the area's left or top edge.
PlainRect KeepRectInside(const PlainRect& form, const PlainRect& area);

// The form centred in area (centre = left + width div 2), then kept inside
// so a form larger than the area keeps its caption on the screen.
PlainRect CenterRectIn(const PlainRect& form, const PlainRect& area);

// The form shifted by the offset between two work areas' top-left corners
// (it keeps its place relative to the area), then kept inside `to`.
PlainRect MoveRectOntoArea(const PlainRect& form, const PlainRect& from, const PlainRect& to);
