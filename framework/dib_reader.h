// Device-independent bitmaps from outside (the clipboard, files, other
// programs) given as two blocks: the header (with the colour masks and the
// colour table that follow it) and the pixel bits. Every size is checked
// against the bytes given before anything is read, so a lying header can
// never lead past either block. The pixels come out as 24-bit top-down rows.
//
// Readable: headers of 12 (core), 40, 108 and 124 bytes; 1, 4, 8 and 24 bits
// per pixel uncompressed; 16 and 32 bits uncompressed or with colour masks
// (each mask one run of bits). Everything else (run-length or embedded
// compressions, other header sizes or bit counts) is refused with
// EInvalidGraphic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/pixels24.h"

struct TDibLayout {
    int Width = 0;
    int Height = 0;  // rows, always positive
    bool TopDown = false;
    int BitCount = 0;
    uint32_t Compression = 0;  // 0 uncompressed, 3 colour masks
    size_t RowSize = 0;        // bytes from one row of the bits to the next
    size_t BitsNeeded = 0;     // RowSize * Height
    uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;  // 16 and 32 bits
    std::vector<TRGBTriple> Colors;  // the colour table (1 to 8 bits)
};

constexpr uint32_t kDibRgb = 0;
constexpr uint32_t kDibBitfields = 3;

// Reads the header block of InfoSize bytes and checks that BitsSize bytes
// of bits hold every row. Raises EInvalidGraphic with the reason otherwise.
TDibLayout ReadDibHeader(const uint8_t* Info, size_t InfoSize, size_t BitsSize);

// Converts the bits (at least Layout.BitsNeeded bytes) into Dest, which has
// Layout's width and height. Colour indexes past the table give black.
void ConvertDibBits(const TDibLayout& Layout, const uint8_t* Bits, const TPixels24& Dest);
// Row Y (counted from the top) of the bits into Out, Layout.Width pixels.
void ConvertDibRow(const TDibLayout& Layout, const uint8_t* Bits, int Y, TRGBTriple* Out);
