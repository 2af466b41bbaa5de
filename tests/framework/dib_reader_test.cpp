// Reading device-independent bitmaps from outside: every readable depth gives
// the same 24-bit rows, and every header that cannot be read is refused
// before a byte of the bits is touched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/dib_reader.h"
#include "framework/pixels24.h"
#include "dib_test_support.h"
#include "framework/exceptions.h"

using namespace dib_test;

namespace {

// The picture every encoding below holds: 3 x 2, top row A B A, bottom B B A.
constexpr uint32_t kA = 0xFF00FF;  // 0x00RRGGBB
constexpr uint32_t kB = 0x00FFFF;
const std::vector<uint32_t> kPicture = {kA, kB, kA, kB, kB, kA};

std::vector<uint32_t> Read(const Bytes& Info, const Bytes& Bits, TDibLayout* Out = nullptr) {
    // Exactly sized copies, so the sanitizers see a read past either block.
    const std::vector<uint8_t> info(Info), bits(Bits);
    TDibLayout layout = ReadDibHeader(info.data(), info.size(), bits.size());
    std::vector<uint8_t> store(static_cast<size_t>(RowSize24(layout.Width)) * layout.Height, 0xEE);
    ConvertDibBits(layout, bits.data(), TPixels24{store.data(), layout.Width, layout.Height, RowSize24(layout.Width)});
    std::vector<uint32_t> rgb;
    TPixels24 p{store.data(), layout.Width, layout.Height, RowSize24(layout.Width)};
    for (int y = 0; y < layout.Height; ++y)
        for (int x = 0; x < layout.Width; ++x) {
            const TRGBTriple t = p.At(x, y);
            rgb.push_back((uint32_t{t.Red} << 16) | (uint32_t{t.Green} << 8) | t.Blue);
        }
    if (Out) *Out = layout;
    return rgb;
}

std::string Refusal(const Bytes& Info, size_t BitsSize) {
    try {
        ReadDibHeader(Info.data(), Info.size(), BitsSize);
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return "(accepted)";
}

TEST(DibReader, EveryDepthGivesTheSameRows) {
    struct Case {
        const char* name;
        Bytes info, bits;
    };
    // 1, 4, 8 and 24 bits are read against the system's own reading in the
    // image's tests; here the depths and headers only this reader knows.
    std::vector<Case> cases;
    cases.push_back({"32 bit", InfoHeader(3, -2, 32),
                     Rows({{0xFF, 0, 0xFF, 9, 0xFF, 0xFF, 0, 9, 0xFF, 0, 0xFF, 9},
                           {0xFF, 0xFF, 0, 9, 0xFF, 0xFF, 0, 9, 0xFF, 0, 0xFF, 9}})});
    cases.push_back({"16 bit 555", InfoHeader(3, -2, 16),
                     Rows({{0x1F, 0x7C, 0xFF, 0x03, 0x1F, 0x7C}, {0xFF, 0x03, 0xFF, 0x03, 0x1F, 0x7C}})});
    {
        Bytes info = InfoHeader(3, -2, 16, kDibBitfields);
        Put32(info, 0xF800), Put32(info, 0x07E0), Put32(info, 0x001F);  // 565
        cases.push_back({"16 bit 565", info,
                         Rows({{0x1F, 0xF8, 0xFF, 0x07, 0x1F, 0xF8}, {0xFF, 0x07, 0xFF, 0x07, 0x1F, 0xF8}})});
    }
    {
        Bytes info;  // core header with 3-byte colour entries
        Put32(info, 12), Put16(info, 3), Put16(info, 2), Put16(info, 1), Put16(info, 1);
        info.insert(info.end(), {0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF});  // kB, kA
        cases.push_back({"core 1 bit", info, Rows({{0x20}, {0xA0}})});
    }
    {
        Bytes info = InfoHeader(3, -2, 32, kDibBitfields);  // a 124-byte header carries its masks
        info[0] = 124;
        Put32(info, 0x0000FF00), Put32(info, 0x00FF0000), Put32(info, 0xFF000000);
        info.resize(124, 0);
        cases.push_back({"v5 32 bit masks", info,
                         Rows({{0, 0xFF, 0, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF},
                               {0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF}})});
    }
    for (const Case& c : cases) EXPECT_EQ(Read(c.info, c.bits), kPicture) << c.name;
}

TEST(DibReader, KeepsTheColourTableAndPadsOddRows) {
    // 33 pixels of 1 bit: 8 bytes a row; only one colour in the table, so the
    // set bit points past it and comes out black.
    Bytes info = InfoHeader(33, 1, 1, 0, 1);
    PutColors(info, {0x102030});
    TDibLayout layout;
    const std::vector<uint32_t> rgb = Read(info, Bytes{0x00, 0, 0, 0, 0x80, 0, 0, 0}, &layout);
    EXPECT_EQ(layout.RowSize, 8u);
    EXPECT_EQ(layout.BitsNeeded, 8u);
    ASSERT_EQ(layout.Colors.size(), 1u);
    EXPECT_EQ(layout.Colors[0], (TRGBTriple{0x30, 0x20, 0x10}));
    ASSERT_EQ(rgb.size(), 33u);
    EXPECT_EQ(rgb[31], 0x102030u);
    EXPECT_EQ(rgb[32], 0u);
}

TEST(DibReader, RefusesWhatItCannotRead) {
    const Bytes eightBit = [] {
        Bytes b = InfoHeader(2, 2, 8, 0, 2);
        PutColors(b, {1, 2});
        return b;
    }();
    EXPECT_EQ(Refusal(eightBit, 8), "(accepted)");
    EXPECT_EQ(Refusal(eightBit, 7), "Bitmap-Daten sind zu kurz (7 Bytes, 8 n\xF6tig)");
    EXPECT_EQ(Refusal(Bytes(eightBit.begin(), eightBit.end() - 1), 8),
              "Bitmap-Farbtabelle reicht \xFC" "ber den Kopf hinaus (47 Bytes, 48 n\xF6tig)");
    EXPECT_EQ(Refusal(Bytes(eightBit.begin(), eightBit.begin() + 39), 8),
              "Bitmap-Kopf ist zu kurz (39 Bytes, 40 n\xF6tig)");
    EXPECT_EQ(Refusal(Bytes{40, 0, 0}, 8), "Bitmap-Kopf ist zu kurz (3 Bytes)");

    Bytes other = InfoHeader(2, 2, 24);
    other[0] = 52;
    other.resize(52, 0);
    EXPECT_EQ(Refusal(other, 100), "Bitmap-Kopf mit 52 Bytes kann nicht gelesen werden");
    EXPECT_EQ(Refusal(InfoHeader(2, 2, 24, 0, 0, 2), 100), "Bitmap mit 2 Ebenen kann nicht gelesen werden");
    EXPECT_EQ(Refusal(InfoHeader(2, 2, 2), 100), "Bitmap mit 2 Bit pro Pixel kann nicht gelesen werden");
    EXPECT_EQ(Refusal(InfoHeader(2, 2, 8, 1), 100), "Bitmap-Kompression 1 kann nicht gelesen werden");  // run lengths
    EXPECT_EQ(Refusal(InfoHeader(2, 2, 24, kDibBitfields), 100), "Bitmap-Kompression 3 kann nicht gelesen werden");
    EXPECT_EQ(Refusal(InfoHeader(0, 2, 24), 100), "Bitmap mit 0 x 2 Pixeln kann nicht gelesen werden");
    EXPECT_EQ(Refusal(InfoHeader(2, 0, 24), 100), "Bitmap mit 2 x 0 Pixeln kann nicht gelesen werden");
    EXPECT_EQ(Refusal(InfoHeader(2, INT32_MIN, 24), 100),
              "Bitmap mit 2 x -2147483648 Pixeln kann nicht gelesen werden");
    EXPECT_EQ(Refusal(InfoHeader(4, 2, 4, 0, 17), 100), "Bitmap-Farbtabelle mit 17 Farben passt nicht zu 4 Bit");
    EXPECT_EQ(Refusal(InfoHeader(2, 2, 32, kDibBitfields), 100), "Bitmap-Farbmasken fehlen (40 Bytes Kopf)");
    Bytes gappy = InfoHeader(2, 2, 32, kDibBitfields);
    Put32(gappy, 0xF0F000), Put32(gappy, 0xFF00), Put32(gappy, 0xFF);
    EXPECT_EQ(Refusal(gappy, 100), "Bitmap-Farbmasken k\xF6nnen nicht gelesen werden");
    Bytes wide16 = InfoHeader(2, 2, 16, kDibBitfields);
    Put32(wide16, 0x1F0000), Put32(wide16, 0x3E0), Put32(wide16, 0x1F);
    EXPECT_EQ(Refusal(wide16, 100), "Bitmap-Farbmasken k\xF6nnen nicht gelesen werden");
    // Sizes that overflow 32 bits are still refused by the bits given.
    EXPECT_EQ(Refusal(InfoHeader(65535, 65535, 32), 100),
              "Bitmap-Daten sind zu kurz (100 Bytes, 17179344900 n\xF6tig)");
}

}  // namespace
