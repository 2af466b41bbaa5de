#include "controls/flat/pixel_effects.h"

#include <algorithm>
#include <cmath>
#include <random>
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
std::vector<TRGBTriple> CopyPixels(const TPixels24& P);

// A packed copy read with clamped or wrapped coordinates.
struct PixelSource {
    std::vector<TRGBTriple> px;
    int w, h;
    explicit PixelSource(const TPixels24& P) : px(CopyPixels(P)), w(P.Width), h(P.Height) {}
    const TRGBTriple& Clamped(int x, int y) const {
        return px[static_cast<size_t>(ClampInt(y, 0, h - 1)) * static_cast<size_t>(w) +
                  static_cast<size_t>(ClampInt(x, 0, w - 1))];
    }
    const TRGBTriple& Wrapped(int x, int y) const {
        x %= w;
        y %= h;
        return Clamped(x < 0 ? x + w : x, y < 0 ? y + h : y);
    }
};

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
    const PixelSource src(P);
    auto at = [&](int x, int y) -> const TRGBTriple& { return src.Clamped(x, y); };
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
    const PixelSource src(P);
    for (int y = 0; y < P.Height; ++y) {
        for (int x = 0; x < P.Width; ++x) {
            const TRGBTriple& n = src.Clamped(x + 2, y + 2);
            TRGBTriple& p = P.At(x, y);
            p.Blue = static_cast<uint8_t>((p.Blue + 255 - n.Blue) / 2);
            p.Green = static_cast<uint8_t>((p.Green + 255 - n.Green) / 2);
            p.Red = static_cast<uint8_t>((p.Red + 255 - n.Red) / 2);
        }
    }
}

void Sharpen(const TPixels24& P, int Distance) {
    if (P.Empty() || Distance <= 0) return;
    const PixelSource src(P);
    for (int y = 0; y < P.Height; ++y) {
        for (int x = 0; x < P.Width; ++x) {
            int b = 0, g = 0, r = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const TRGBTriple& n = src.Clamped(x + dx * Distance, y + dy * Distance);
                    const int k = dx == 0 && dy == 0 ? 9 : -1;
                    b += k * n.Blue;
                    g += k * n.Green;
                    r += k * n.Red;
                }
            }
            P.At(x, y) = TRGBTriple{ClampByte(b), ClampByte(g), ClampByte(r)};
        }
    }
}

void Rotate(const TPixels24& P, double Degrees, TRGBTriple Fill) {
    if (P.Empty()) return;
    const PixelSource src(P);
    const double a = Degrees * 3.14159265358979323846 / 180.0, c = std::cos(a), s = std::sin(a);
    const double cx = (P.Width - 1) / 2.0, cy = (P.Height - 1) / 2.0;
    for (int y = 0; y < P.Height; ++y) {
        for (int x = 0; x < P.Width; ++x) {
            // The source of (x, y): rotated back about the centre.
            const double dx = x - cx, dy = y - cy;
            const long sx = std::lround(cx + dx * c - dy * s), sy = std::lround(cy + dx * s + dy * c);
            P.At(x, y) = sx < 0 || sy < 0 || sx >= P.Width || sy >= P.Height
                             ? Fill
                             : src.Clamped(static_cast<int>(sx), static_cast<int>(sy));
        }
    }
}

void Spray(const TPixels24& P, int Amount, unsigned Seed) {
    if (P.Empty() || Amount <= 0) return;
    const PixelSource src(P);
    std::minstd_rand random(Seed);
    std::uniform_int_distribution<int> offset(-Amount, Amount);
    for (int y = 0; y < P.Height; ++y)
        for (int x = 0; x < P.Width; ++x) P.At(x, y) = src.Clamped(x + offset(random), y + offset(random));
}

void Wave(const TPixels24& P, int AmplitudeX, int PeriodX, int AmplitudeY, int PeriodY, bool Wrap) {
    if (P.Empty()) return;
    const PixelSource src(P);
    const double k = 2 * 3.14159265358979323846;
    for (int y = 0; y < P.Height; ++y) {
        const int shiftX = PeriodX > 0 ? static_cast<int>(std::lround(AmplitudeX * std::sin(k * y / PeriodX))) : 0;
        for (int x = 0; x < P.Width; ++x) {
            const int shiftY =
                PeriodY > 0 ? static_cast<int>(std::lround(AmplitudeY * std::sin(k * x / PeriodY))) : 0;
            P.At(x, y) = Wrap ? src.Wrapped(x + shiftX, y + shiftY) : src.Clamped(x + shiftX, y + shiftY);
        }
    }
}

void SmoothStretch(const TPixels24& Source, const TPixels24& Dest) {
    if (Source.Empty() || Dest.Empty()) return;
    constexpr int kShift = 15, kOne = 1 << kShift;
    // Source step per destination pixel in 1/32768ths (corners map to corners).
    auto step = [](int from, int to) -> long long {
        return to > 1 ? (static_cast<long long>(from - 1) << kShift) / (to - 1) : 0;
    };
    const long long sx = step(Source.Width, Dest.Width), sy = step(Source.Height, Dest.Height);
    for (int y = 0; y < Dest.Height; ++y) {
        const long long fy = y * sy;
        const int y0 = static_cast<int>(fy >> kShift), y1 = std::min(y0 + 1, Source.Height - 1);
        const int wy = static_cast<int>(fy & (kOne - 1));
        for (int x = 0; x < Dest.Width; ++x) {
            const long long fx = x * sx;
            const int x0 = static_cast<int>(fx >> kShift), x1 = std::min(x0 + 1, Source.Width - 1);
            const int wx = static_cast<int>(fx & (kOne - 1));
            auto mix = [&](uint8_t TRGBTriple::*ch) {
                const long long top = Source.At(x0, y0).*ch * static_cast<long long>(kOne - wx) +
                                      Source.At(x1, y0).*ch * static_cast<long long>(wx);
                const long long bottom = Source.At(x0, y1).*ch * static_cast<long long>(kOne - wx) +
                                         Source.At(x1, y1).*ch * static_cast<long long>(wx);
                const long long v = (top * (kOne - wy) + bottom * wy) >> (2 * kShift);
                return static_cast<uint8_t>(v);
            };
            Dest.At(x, y) = TRGBTriple{mix(&TRGBTriple::Blue), mix(&TRGBTriple::Green), mix(&TRGBTriple::Red)};
        }
    }
}
