#pragma once
// Writes screenshots of the gallery as PNG files. Platform-neutral: the
// gallery hands over the pixels of a 32-bit top-down DIB section.

#include <cstdint>
#include <string>

// Writes an 8-bit RGB PNG (colour type 2, no interlace) of width x height
// pixels. `bgra_top_down_pixels` holds width * height pixels, first row first,
// each as a little-endian 0xAARRGGBB value (bytes B, G, R, A) as GDI lays
// them out; alpha is ignored, because GDI leaves it undefined. The image data
// is a zlib stream of stored (uncompressed) deflate blocks: no compression
// library is needed and the output is the same byte for byte on every run.
// Returns false and fills *error (when given) on bad arguments or when the
// file cannot be written; a partly written file is removed.
bool WritePng(const std::string& path, int width, int height, const uint32_t* bgra_top_down_pixels,
              std::string* error = nullptr);
