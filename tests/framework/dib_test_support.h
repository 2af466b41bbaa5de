// Device-independent bitmaps built byte by byte for the reader's tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace dib_test {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A 40-byte header (height negative for top-down rows).
inline Bytes InfoHeader(int Width, int Height, int BitCount, uint32_t Compression = 0, uint32_t ColorsUsed = 0,
                        int Planes = 1) {
    Bytes b;
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(Width));
    Put32(b, static_cast<uint32_t>(Height));
    Put16(b, static_cast<unsigned>(Planes));
    Put16(b, static_cast<unsigned>(BitCount));
    Put32(b, Compression);
    for (int i = 0; i < 3; ++i) Put32(b, 0);  // image size, resolution
    Put32(b, ColorsUsed);
    Put32(b, 0);
    return b;
}

// Colour-table entries (blue, green, red, 0) of 0x00RRGGBB values.
inline void PutColors(Bytes& b, std::initializer_list<uint32_t> Rgbs) {
    for (uint32_t rgb : Rgbs) Put32(b, rgb & 0xFFFFFF);
}

// Rows given as bytes, each padded with zeros to a multiple of 4.
inline Bytes Rows(std::initializer_list<std::initializer_list<uint8_t>> RowBytes) {
    Bytes b;
    for (const auto& row : RowBytes) {
        b.insert(b.end(), row.begin(), row.end());
        while (b.size() % 4) b.push_back(0);
    }
    return b;
}

}  // namespace dib_test
