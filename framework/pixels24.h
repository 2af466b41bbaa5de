// 24-bit pixel rows (bytes blue, green, red; every row padded to a multiple
// of 4 bytes), shared by the bitmap readers and the flat controls' image.
#pragma once

#include <cstdint>

// One pixel in memory order.
struct TRGBTriple {
    uint8_t Blue = 0;
    uint8_t Green = 0;
    uint8_t Red = 0;
    bool operator==(const TRGBTriple&) const = default;
};
static_assert(sizeof(TRGBTriple) == 3);

// Bytes per row of a 24-bit image of the given width (4-byte aligned).
inline int RowSize24(int Width) { return ((Width * 3) + 3) & ~3; }

// A view on pixel rows owned by someone else.
struct TPixels24 {
    uint8_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    int RowSize = 0;  // bytes from one row start to the next
    TRGBTriple* Row(int Y) const { return reinterpret_cast<TRGBTriple*>(Bits + static_cast<long>(Y) * RowSize); }
    TRGBTriple& At(int X, int Y) const { return Row(Y)[X]; }
    bool Empty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
};
