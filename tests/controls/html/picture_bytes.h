// Small picture files built in code for the picture tests and the gallery
// page. Needs no <windows.h>: the GIF half serves the portable tests too.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>

// A 24-bit BMP file, bottom-up as stored; Pixel(x, y) gives the colour of
// the pixel x, y (y from the top) as 0xRRGGBB.
template <std::invocable<int, int> PixelFn>
std::string MakeBmp(int width, int height, PixelFn Pixel) {
    const int row = (width * 3 + 3) & ~3;
    const uint32_t pixelBytes = static_cast<uint32_t>(row * height);
    std::string b;
    auto put = [&b](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    b += "BM";
    put(54 + pixelBytes, 4);  // file size
    put(0, 4);
    put(54, 4);  // offset of the pixels
    put(40, 4);  // info header size
    put(static_cast<uint32_t>(width), 4);
    put(static_cast<uint32_t>(height), 4);
    put(1, 2);   // planes
    put(24, 2);  // bits per pixel
    for (int i = 0; i < 6; ++i) put(0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t rgb = Pixel(x, y);
            b += static_cast<char>(rgb & 0xFF);
            b += static_cast<char>((rgb >> 8) & 0xFF);
            b += static_cast<char>((rgb >> 16) & 0xFF);
        }
        b.append(static_cast<size_t>(row - width * 3), '\0');
    }
    return b;
}

// A BMP file of one colour (0xRRGGBB).
inline std::string MakeBmp(int width, int height, uint32_t rgb = 0xFF0000) {
    return MakeBmp(width, height, [rgb](int, int) { return rgb; });
}

// A GIF89a of the given logical size with Frames frames of one pixel; frame
// k is drawn at (k * 2, 0) in colour k of a four-colour table (black, red,
// green, blue). Each frame has a graphic control extension; an application
// extension precedes the first one.
inline std::string MakeGif(int width, int height, int frames) {
    std::string g = "GIF89a";
    g += static_cast<char>(width & 0xFF);
    g += static_cast<char>(width >> 8);
    g += static_cast<char>(height & 0xFF);
    g += static_cast<char>(height >> 8);
    g += '\x81';  // global table of 4 colours
    g += '\0';
    g += '\0';
    g += std::string("\x00\x00\x00\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF", 12);
    g += std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (int k = 0; k < frames; ++k) {
        g += std::string("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8);
        g += '\x2C';
        g += static_cast<char>(k * 2);
        g += std::string("\x00\x00\x00\x01\x00\x01\x00\x00", 8);
        // LZW, minimum code size 2, codes of 3 bits LSB first: clear (4), colour k, end (5).
        unsigned bits = 4u | (static_cast<unsigned>(k % 4) << 3) | (5u << 6);
        g += '\x02';
        g += '\x02';
        g += static_cast<char>(bits & 0xFF);
        g += static_cast<char>(bits >> 8);
        g += '\0';
    }
    g += '\x3B';
    return g;
}
