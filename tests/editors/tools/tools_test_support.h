// Helpers of the edit-tool tests that paint or make windows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/application.h"
#include "framework/bitmap.h"

// The application is initialised for every test that touches windows
// (initialising and finalising twice is harmless).
class EditToolsTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override { Application()->Initialize(); }
    void TearDown() override { Application()->Finalize(); }
};

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
