#include "controls/flat/pixel_effects.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

TRGBTriple MakeTriple(uint8_t Red, uint8_t Green, uint8_t Blue) { return TRGBTriple{Blue, Green, Red}; }
TRGBTriple ColorToTriple(TColor RGB) { return MakeTriple(ColorRed(RGB), ColorGreen(RGB), ColorBlue(RGB)); }
TColor TripleToColor(TRGBTriple T) { return RGBColor(T.Red, T.Green, T.Blue); }

uint8_t ClampByte(int Value) { return static_cast<uint8_t>(Value > 255 ? 255 : Value < 0 ? 0 : Value); }

int ClampInt(int Value, int Min, int Max) {
    if (Value > Max) Value = Max;
    if (Value < Min) Value = Min;
    return Value;
}

int RowSize24(int Width) { return ((Width * 3) + 3) & ~3; }

namespace {

template <class F>
void ForEachPixel(const TPixels24& P, F f) {
    if (P.Empty()) return;
    for (int y = 0; y < P.Height; ++y) {
        TRGBTriple* row = P.Row(y);
        for (int x = 0; x < P.Width; ++x) f(row[x]);
    }
}

// A copy of the pixels (rows packed) for effects that read neighbours.
std::vector<TRGBTriple> CopyPixels(const TPixels24& P) {
    std::vector<TRGBTriple> c(static_cast<size_t>(P.Width) * static_cast<size_t>(P.Height));
    for (int y = 0; y < P.Height; ++y)
        std::memcpy(&c[static_cast<size_t>(y) * static_cast<size_t>(P.Width)], P.Row(y),
                    static_cast<size_t>(P.Width) * sizeof(TRGBTriple));
    return c;
}

}  // namespace

void FillPixels(const TPixels24& P, TRGBTriple Color) {
    ForEachPixel(P, [&](TRGBTriple& p) { p = Color; });
}

void MapChannels(const TPixels24& P, const uint8_t (&Table)[256]) {
    ForEachPixel(P, [&](TRGBTriple& p) {
        p.Blue = Table[p.Blue];
        p.Green = Table[p.Green];
        p.Red = Table[p.Red];
    });
}

void Grayscale(const TPixels24& P) {
    uint8_t third[256];
    for (int i = 0; i < 256; ++i) third[i] = static_cast<uint8_t>(i / 3);
    ForEachPixel(P, [&](TRGBTriple& p) {
        const auto g = static_cast<uint8_t>(third[p.Blue] + third[p.Green] + third[p.Red]);
        p = TRGBTriple{g, g, g};
    });
}

void Lightness(const TPixels24& P, int Amount) {
    uint8_t t[256];
    for (int i = 0; i < 256; ++i)
        t[i] = Amount > 0 ? ClampByte(i + (((255 - i) * Amount) >> 8)) : ClampByte(i - ((std::abs(Amount) * i) >> 8));
    MapChannels(P, t);
}

void Invert(const TPixels24& P) {
    uint8_t t[256];
    for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(255 - i);
    MapChannels(P, t);
}

void AddRGB(const TPixels24& P, int Red, int Green, int Blue) {
    ForEachPixel(P, [&](TRGBTriple& p) {
        p.Red = ClampByte(p.Red + Red);
        p.Green = ClampByte(p.Green + Green);
        p.Blue = ClampByte(p.Blue + Blue);
    });
}

void ReplaceColour(const TPixels24& P, TRGBTriple From, TRGBTriple To) {
    ForEachPixel(P, [&](TRGBTriple& p) {
        if (p == From) p = To;
    });
}

void MaskOfColour(const TPixels24& P, TRGBTriple Color) {
    ForEachPixel(P, [&](TRGBTriple& p) { p = p == Color ? TRGBTriple{0, 0, 0} : TRGBTriple{255, 255, 255}; });
}

void Flip(const TPixels24& P, bool Horizontal) {
    if (P.Empty()) return;
    if (Horizontal) {
        for (int y = 0; y < P.Height; ++y) std::reverse(P.Row(y), P.Row(y) + P.Width);
        return;
    }
    for (int top = 0, bottom = P.Height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(P.Row(top), P.Row(top) + P.Width, P.Row(bottom));
}

void Contrast(const TPixels24& P, int Amount) {
    uint8_t t[256];
    for (int i = 0; i < 256; ++i) t[i] = ClampByte(i + (((i - 128) * Amount) >> 8));
    MapChannels(P, t);
}

void Saturation(const TPixels24& P, int Amount) {
    ForEachPixel(P, [&](TRGBTriple& p) {
        const int grey = (p.Red + p.Green + p.Blue) / 3;
        p.Red = ClampByte(p.Red + (((p.Red - grey) * Amount) >> 8));
        p.Green = ClampByte(p.Green + (((p.Green - grey) * Amount) >> 8));
        p.Blue = ClampByte(p.Blue + (((p.Blue - grey) * Amount) >> 8));
    });
}

void Colorize(const TPixels24& P, int Amount, TRGBTriple Transparent, bool SkipTransparent) {
    ForEachPixel(P, [&](TRGBTriple& p) {
        if (SkipTransparent && p == Transparent) return;
        p.Red = ClampByte(p.Red - 192 + Amount);
        p.Green = ClampByte(p.Green - 192 + Amount);
        p.Blue = ClampByte(p.Blue - 192 + Amount);
    });
}

void Blur(const TPixels24& P, int Amount) {
    if (P.Empty() || Amount <= 0) return;
    const std::vector<TRGBTriple> src = CopyPixels(P);
    auto at = [&](int x, int y) -> const TRGBTriple& {
        x = ClampInt(x, 0, P.Width - 1);
        y = ClampInt(y, 0, P.Height - 1);
        return src[static_cast<size_t>(y) * static_cast<size_t>(P.Width) + static_cast<size_t>(x)];
    };
    for (int y = 0; y < P.Height; ++y) {
        for (int x = 0; x < P.Width; ++x) {
            const TRGBTriple& a = at(x - Amount, y - Amount);
            const TRGBTriple& b = at(x + Amount, y - Amount);
            const TRGBTriple& c = at(x - Amount, y + Amount);
            const TRGBTriple& d = at(x + Amount, y + Amount);
            P.At(x, y) = TRGBTriple{static_cast<uint8_t>((a.Blue + b.Blue + c.Blue + d.Blue) / 4),
                                    static_cast<uint8_t>((a.Green + b.Green + c.Green + d.Green) / 4),
                                    static_cast<uint8_t>((a.Red + b.Red + c.Red + d.Red) / 4)};
        }
    }
}

void Emboss(const TPixels24& P) {
    if (P.Empty()) return;
    const std::vector<TRGBTriple> src = CopyPixels(P);
    for (int y = 0; y < P.Height; ++y) {
        for (int x = 0; x < P.Width; ++x) {
            const int nx = std::min(x + 2, P.Width - 1), ny = std::min(y + 2, P.Height - 1);
            const TRGBTriple& n = src[static_cast<size_t>(ny) * static_cast<size_t>(P.Width) + static_cast<size_t>(nx)];
            TRGBTriple& p = P.At(x, y);
            p.Blue = static_cast<uint8_t>((p.Blue + 255 - n.Blue) / 2);
            p.Green = static_cast<uint8_t>((p.Green + 255 - n.Green) / 2);
            p.Red = static_cast<uint8_t>((p.Red + 255 - n.Red) / 2);
        }
    }
}
