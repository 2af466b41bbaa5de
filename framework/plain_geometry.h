// Rectangles and points for geometry that must build without <windows.h>
// (placement, layout, markers, pixel kernels). Same layout and meaning as
// RECT and POINT: right and bottom are exclusive.
#pragma once

struct PlainPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PlainPoint&) const = default;
};

struct PlainRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PlainRect&) const = default;
};
