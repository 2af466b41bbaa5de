// Helpers shared by the graphics tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/bitmap.h"

// All pixels of a bitmap, row by row (0x00RRGGBB).
inline std::vector<uint32_t> Snapshot(TBitmap& bmp) {
    std::vector<uint32_t> px;
    for (int y = 0; y < bmp.Height(); ++y) {
        const uint32_t* row = bmp.ScanLine(y);
        px.insert(px.end(), row, row + bmp.Width());
    }
    return px;
}

// Selected objects of a DC, to compare before and after.
struct DCSelection {
    HGDIOBJ font, pen, brush, bitmap;
    explicit DCSelection(HDC dc)
        : font(GetCurrentObject(dc, OBJ_FONT)),
          pen(GetCurrentObject(dc, OBJ_PEN)),
          brush(GetCurrentObject(dc, OBJ_BRUSH)),
          bitmap(GetCurrentObject(dc, OBJ_BITMAP)) {}
    bool operator==(const DCSelection& o) const {
        return font == o.font && pen == o.pen && brush == o.brush && bitmap == o.bitmap;
    }
};
