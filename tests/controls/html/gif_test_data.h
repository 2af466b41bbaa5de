// Small GIF files built in code for the picture tests.
#pragma once

#include <string>

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
