// Helpers of the edit-tool tests that paint or make windows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/application.h"
#include "framework/bitmap.h"
#include "tests/framework/control_test_support.h"

// The application is initialised for every test that touches windows
// (registered once for the whole program by any file including this).
inline ::testing::Environment* const kEditToolsEnvironment =
    ::testing::AddGlobalTestEnvironment(new ControlTestEnvironment);

// A bitmap of the given size filled with one colour.
inline void FillBitmap(TBitmap& bmp, int w, int h, TColor color) {
    bmp.SetSize(w, h);
    bmp.Canvas().Brush().SetColor(color);
    bmp.Canvas().FillRect({0, 0, w, h});
    GdiFlush();
}

// The pixels as colours (red in the low byte), row by row.
inline std::vector<TColor> Colors(TBitmap& bmp) {
    GdiFlush();
    std::vector<TColor> out;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) out.push_back(bmp.Pixel(x, y));
    return out;
}
