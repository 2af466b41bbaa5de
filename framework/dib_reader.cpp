#include "framework/dib_reader.h"

#include <string>

#include "framework/exceptions.h"

namespace {

constexpr size_t kCoreHeader = 12;
constexpr int kMaxSide = 65535;

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

[[noreturn]] void Refuse(const std::string& Text) { throw EInvalidGraphic(Text); }

// A mask is readable when its set bits form one run (or it is 0: channel 0).
bool OneRun(uint32_t Mask) {
    if (Mask == 0) return true;
    const uint32_t low = Mask & (~Mask + 1);
    return ((Mask + low) & Mask) == 0;
}

void ReadMasks(const uint8_t* p, TDibLayout& L) {
    L.RedMask = Le32(p);
    L.GreenMask = Le32(p + 4);
    L.BlueMask = Le32(p + 8);
    const uint32_t limit = L.BitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (uint32_t m : {L.RedMask, L.GreenMask, L.BlueMask})
        if (!OneRun(m) || (m & ~limit) != 0) Refuse("Bitmap-Farbmasken k\xF6nnen nicht gelesen werden");
}

// One channel of a masked pixel scaled to 0..255.
struct TChannel {
    int Shift = 0;
    uint32_t Max = 0;  // the largest value of the channel's bits
    explicit TChannel(uint32_t Mask) {
        if (Mask == 0) return;
        while (!(Mask & 1u)) {
            Mask >>= 1;
            ++Shift;
        }
        Max = Mask;
    }
    uint8_t Of(uint32_t Pixel) const {
        if (Max == 0) return 0;
        const uint64_t v = (Pixel >> Shift) & Max;
        return static_cast<uint8_t>((v * 255 + Max / 2) / Max);
    }
};

}  // namespace

TDibLayout ReadDibHeader(const uint8_t* Info, size_t InfoSize, size_t BitsSize) {
    if (!Info || InfoSize < 4) Refuse("Bitmap-Kopf ist zu kurz (" + std::to_string(InfoSize) + " Bytes)");
    const uint32_t headerSize = Le32(Info);
    if (headerSize != kCoreHeader && headerSize != 40 && headerSize != 108 && headerSize != 124)
        Refuse("Bitmap-Kopf mit " + std::to_string(headerSize) + " Bytes kann nicht gelesen werden");
    if (headerSize > InfoSize)
        Refuse("Bitmap-Kopf ist zu kurz (" + std::to_string(InfoSize) + " Bytes, " + std::to_string(headerSize) +
               " n\xF6tig)");
    TDibLayout L;
    int64_t height = 0;
    unsigned planes = 0;
    uint32_t colorsUsed = 0;
    if (headerSize == kCoreHeader) {
        L.Width = Le16(Info + 4);
        height = Le16(Info + 6);
        planes = Le16(Info + 8);
        L.BitCount = Le16(Info + 10);
    } else {
        L.Width = static_cast<int32_t>(Le32(Info + 4));
        height = static_cast<int32_t>(Le32(Info + 8));
        planes = Le16(Info + 12);
        L.BitCount = Le16(Info + 14);
        L.Compression = Le32(Info + 16);
        colorsUsed = Le32(Info + 32);
    }
    if (planes != 1) Refuse("Bitmap mit " + std::to_string(planes) + " Ebenen kann nicht gelesen werden");
    const int bits = L.BitCount;
    const bool core = headerSize == kCoreHeader;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && (core || (bits != 16 && bits != 32)))
        Refuse("Bitmap mit " + std::to_string(bits) + " Bit pro Pixel kann nicht gelesen werden");
    if (L.Compression != kDibRgb && !(L.Compression == kDibBitfields && (bits == 16 || bits == 32)))
        Refuse("Bitmap-Kompression " + std::to_string(L.Compression) + " kann nicht gelesen werden");
    L.TopDown = height < 0;
    const int64_t rows = height < 0 ? -height : height;
    if (L.Width <= 0 || L.Width > kMaxSide || rows == 0 || rows > kMaxSide)
        Refuse("Bitmap mit " + std::to_string(L.Width) + " x " + std::to_string(height) +
               " Pixeln kann nicht gelesen werden");
    L.Height = static_cast<int>(rows);

    size_t tableAt = headerSize;
    if (bits == 16 || bits == 32) {
        if (L.Compression == kDibBitfields) {
            // Byte 40 on: inside a longer header, right after a 40-byte one.
            if (headerSize == 40) {
                tableAt += 12;
                if (tableAt > InfoSize)
                    Refuse("Bitmap-Farbmasken fehlen (" + std::to_string(InfoSize) + " Bytes Kopf)");
            }
            ReadMasks(Info + 40, L);
        } else if (bits == 16) {
            L.RedMask = 0x7C00, L.GreenMask = 0x03E0, L.BlueMask = 0x001F;
        } else {
            L.RedMask = 0xFF0000, L.GreenMask = 0xFF00, L.BlueMask = 0xFF;
        }
    }
    if (bits <= 8) {
        const uint32_t full = 1u << bits;
        if (colorsUsed > full)
            Refuse("Bitmap-Farbtabelle mit " + std::to_string(colorsUsed) + " Farben passt nicht zu " +
                   std::to_string(bits) + " Bit");
        const size_t count = colorsUsed ? colorsUsed : full;
        const size_t entry = core ? 3 : 4;
        if (tableAt + count * entry > InfoSize)
            Refuse("Bitmap-Farbtabelle reicht \xFC" "ber den Kopf hinaus (" + std::to_string(InfoSize) + " Bytes, " +
                   std::to_string(tableAt + count * entry) + " n\xF6tig)");
        L.Colors.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* q = Info + tableAt + i * entry;
            L.Colors[i] = TRGBTriple{q[0], q[1], q[2]};
        }
    }
    L.RowSize = ((static_cast<size_t>(L.Width) * static_cast<size_t>(bits) + 31) / 32) * 4;
    L.BitsNeeded = L.RowSize * static_cast<size_t>(L.Height);
    if (L.BitsNeeded > BitsSize)
        Refuse("Bitmap-Daten sind zu kurz (" + std::to_string(BitsSize) + " Bytes, " + std::to_string(L.BitsNeeded) +
               " n\xF6tig)");
    return L;
}

void ConvertDibRow(const TDibLayout& L, const uint8_t* Bits, int Y, TRGBTriple* Out) {
    const TChannel red(L.RedMask), green(L.GreenMask), blue(L.BlueMask);
    const TRGBTriple black{};
    const int sourceRow = L.TopDown ? Y : L.Height - 1 - Y;
    const uint8_t* row = Bits + static_cast<size_t>(sourceRow) * L.RowSize;
    for (int x = 0; x < L.Width; ++x) {
        switch (L.BitCount) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / L.BitCount;
                const int shift = 8 - L.BitCount * (x % perByte + 1);
                const size_t index = (row[x / perByte] >> shift) & ((1u << L.BitCount) - 1);
                Out[x] = index < L.Colors.size() ? L.Colors[index] : black;
                break;
            }
            case 16:
            case 32: {
                const uint8_t* p = row + static_cast<size_t>(x) * (L.BitCount / 8);
                const uint32_t v = L.BitCount == 16 ? Le16(p) : Le32(p);
                Out[x] = TRGBTriple{blue.Of(v), green.Of(v), red.Of(v)};
                break;
            }
            default: {  // 24
                const uint8_t* p = row + static_cast<size_t>(x) * 3;
                Out[x] = TRGBTriple{p[0], p[1], p[2]};
            }
        }
    }
}

void ConvertDibBits(const TDibLayout& L, const uint8_t* Bits, const TPixels24& Dest) {
    for (int y = 0; y < L.Height; ++y) ConvertDibRow(L, Bits, y, Dest.Row(y));
}
