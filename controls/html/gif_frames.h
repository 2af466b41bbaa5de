// The block structure of a GIF file, walked with every length checked, and
// the file cut down to one of its frames (the system's picture loader shows
// the first frame of a GIF only).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct GifFrame {
    size_t Start = 0;  // its graphic control extension, or the image descriptor
    size_t End = 0;    // after the image data's terminator
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

struct GifLayout {
    int ScreenWidth = 0, ScreenHeight = 0;  // logical screen
    size_t HeaderEnd = 0;                   // where the first frame starts
    std::vector<GifFrame> Frames;
};

// True when the bytes begin with "GIF8".
bool IsGifData(std::string_view Bytes);
// False for anything that is not a whole GIF up to at least one frame: fewer
// than 13 bytes, a wrong signature, a block running past the end or an
// unknown block. A missing trailer after complete frames is accepted.
bool ParseGif(std::string_view Bytes, GifLayout& Layout);
// Header (with what precedes the first frame), frame Index (0-based) and the
// trailer. Index must be within Layout.Frames.
std::string GifSingleFrame(std::string_view Bytes, const GifLayout& Layout, size_t Index);
