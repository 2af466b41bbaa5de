// Windows bitmap files (.bmp): the 14-byte file header ("BM", file size,
// offset of the pixel rows), the device-independent bitmap header with its
// colour masks and table (read by dib_reader.h), then the rows.
//
// Reading takes one file from a stream's position and moves nothing past
// its last row, so a bitmap can sit inside a longer stream. Every size is
// checked against the bytes the stream still holds before anything is
// allocated or read; what cannot be read is refused with EInvalidGraphic
// (the reason in German) before the caller's image changes.
//
// Writing gives 24-bit uncompressed bottom-up rows behind a 40-byte header:
// the form every program reads, without the question of what a fourth byte
// per pixel means (programs that take it for alpha would show our unused
// zeros as fully transparent).
#pragma once

#include <cstdint>
#include <vector>

#include "framework/dib_reader.h"

class TStream;

struct TBmpImage {
    TDibLayout Layout;          // Width 0: no picture
    std::vector<uint8_t> Bits;  // Layout.BitsNeeded bytes
    bool Empty() const { return Layout.Width == 0; }
};

constexpr size_t kBmpFileHeaderSize = 14;

// One bitmap file from the stream's position; the stream is left right
// after its rows. A stream with no bytes left gives an empty image (what
// WriteBmp24 writes for no picture). Raises EInvalidGraphic.
TBmpImage ReadBmp(TStream& Stream);

// Writes Width x Height pixels given top row first as 0x00RRGGBB values,
// Width per row; nothing at all when either side is 0. Raises
// EInvalidGraphic for a picture too large for the file's 32-bit sizes.
void WriteBmp24(TStream& Stream, int Width, int Height, const uint32_t* Pixels);
