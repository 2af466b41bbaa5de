// Bitmap files in streams: the exact bytes written, every depth read to the
// same pixels from inside a longer stream, and every file that cannot be
// read refused with its reason before anything past its bytes is touched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/bmp_file.h"
#include "framework/exceptions.h"
#include "framework/streams.h"
#include "tests/framework/dib_test_support.h"

using namespace dib_test;

namespace {

// 3 x 2, top row A B A, bottom row B B A (0x00RRGGBB).
constexpr uint32_t kA = 0xFF00FF;
constexpr uint32_t kB = 0x00FFFF;
const std::vector<uint32_t> kPicture = {kA, kB, kA, kB, kB, kA};

// A file of the header block and the rows; Gap bytes between them.
Bytes File(const Bytes& Info, const Bytes& Bits, size_t Gap = 0) {
    Bytes b{'B', 'M'};
    const size_t offset = kBmpFileHeaderSize + Info.size() + Gap;
    Put32(b, static_cast<uint32_t>(offset + Bits.size()));
    Put32(b, 0);
    Put32(b, static_cast<uint32_t>(offset));
    b.insert(b.end(), Info.begin(), Info.end());
    b.insert(b.end(), Gap, 0xCC);
    b.insert(b.end(), Bits.begin(), Bits.end());
    return b;
}

void Fill(TMemoryStream& s, const Bytes& b) {
    s.WriteBuffer(b.data(), static_cast<int64_t>(b.size()));
    s.SetPosition(0);
}

std::vector<uint32_t> Pixels(const TBmpImage& image) {
    std::vector<uint32_t> rgb;
    std::vector<TRGBTriple> row(static_cast<size_t>(image.Layout.Width));
    for (int y = 0; y < image.Layout.Height; ++y) {
        ConvertDibRow(image.Layout, image.Bits.data(), y, row.data());
        for (const TRGBTriple& t : row) rgb.push_back((uint32_t{t.Red} << 16) | (uint32_t{t.Green} << 8) | t.Blue);
    }
    return rgb;
}

std::string Refusal(const Bytes& b) {
    TMemoryStream s;
    Fill(s, b);
    try {
        ReadBmp(s);
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return "(accepted)";
}

const Bytes kFile24 = File(InfoHeader(3, 2, 24), Rows({{0xFF, 0xFF, 0, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF},
                                                       {0xFF, 0, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF}}));

TEST(BmpFile, WritesTwentyFourBitBottomUpRows) {
    TMemoryStream s;
    s.WriteBuffer("xy", 2);  // written at the position, after what is there
    WriteBmp24(s, 3, 2, kPicture.data());
    const Bytes expected = [] {
        Bytes b{'x', 'y'};
        const Bytes file = File(InfoHeader(3, 2, 24), Rows({{0xFF, 0xFF, 0, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF},
                                                             {0xFF, 0, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF}}));
        b.insert(b.end(), file.begin(), file.end());
        b[2 + 34] = 24;  // the image size: two rows of 12 bytes
        return b;
    }();
    EXPECT_EQ(Bytes(s.Memory(), s.Memory() + s.Size()), expected);

    TMemoryStream none;
    WriteBmp24(none, 0, 5, kPicture.data());
    WriteBmp24(none, 5, 0, kPicture.data());
    EXPECT_EQ(none.Size(), 0);
    none.SetPosition(0);
    EXPECT_TRUE(ReadBmp(none).Empty());

    // 65535 x 65536 rows of 196608 bytes do not fit the 32-bit file size;
    // refused before a byte is written or a pixel read.
    TMemoryStream huge;
    try {
        WriteBmp24(huge, 65535, 65536, kPicture.data());
        ADD_FAILURE() << "written";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Bitmap mit 65535 x 65536 Pixeln ist zu gro\xDF f\xFCr eine Bitmap-Datei");
    }
    EXPECT_EQ(huge.Size(), 0);
}

TEST(BmpFile, EveryDepthReadsFromInsideALongerStream) {
    struct Case {
        const char* name;
        Bytes file;
    };
    std::vector<Case> cases;
    Bytes one = InfoHeader(3, 2, 1, 0, 2);
    PutColors(one, {kB, kA});
    cases.push_back({"1 bit", File(one, Rows({{0x20}, {0xA0}}))});
    Bytes four = InfoHeader(3, -2, 4);
    PutColors(four, {0, kB, kA, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    cases.push_back({"4 bit top-down, full table", File(four, Rows({{0x21, 0x20}, {0x11, 0x20}}))});
    Bytes eight = InfoHeader(3, 2, 8, 0, 3);
    PutColors(eight, {kA, 0x123456, kB});
    cases.push_back({"8 bit, gap before the rows", File(eight, Rows({{2, 2, 0}, {0, 2, 0}}), 5)});
    cases.push_back({"24 bit", kFile24});
    cases.push_back({"32 bit", File(InfoHeader(3, 2, 32), Rows({{0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0xFF, 0},
                                                                 {0xFF, 0, 0xFF, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0xFF, 0}}))});
    cases.push_back({"16 bit 555", File(InfoHeader(3, -2, 16), Rows({{0x1F, 0x7C, 0xFF, 0x03, 0x1F, 0x7C},
                                                                      {0xFF, 0x03, 0xFF, 0x03, 0x1F, 0x7C}}))});
    for (const Case& c : cases) {
        Bytes longer{'p', 'r', 'e'};
        longer.insert(longer.end(), c.file.begin(), c.file.end());
        longer.insert(longer.end(), {'n', 'e', 'x', 't'});
        TMemoryStream s;
        Fill(s, longer);
        s.SetPosition(3);
        const TBmpImage image = ReadBmp(s);
        EXPECT_EQ(Pixels(image), kPicture) << c.name;
        EXPECT_EQ(s.Position(), static_cast<int64_t>(3 + c.file.size())) << c.name << ": stops after the rows";
    }
}

TEST(BmpFile, RefusesWhatItCannotRead) {
    EXPECT_EQ(Refusal(kFile24), "(accepted)");
    EXPECT_EQ(Refusal(Bytes(kFile24.begin(), kFile24.begin() + 13)), "Bitmap-Datei ist zu kurz (13 Bytes)");
    Bytes other = kFile24;
    other[1] = 'A';
    EXPECT_EQ(Refusal(other), "Keine Bitmap-Datei (die Kennung \"BM\" fehlt)");
    Bytes inHead = kFile24;
    inHead[10] = 17;
    EXPECT_EQ(Refusal(inHead), "Bitmap-Datei: die Bildzeilen beginnen bei Byte 17 im Dateikopf");
    Bytes farOff = kFile24;
    farOff[10] = 0, farOff[11] = 0, farOff[12] = 0, farOff[13] = 0x80;
    EXPECT_EQ(Refusal(farOff), "Bitmap-Datei ist zu kurz (78 Bytes, die Bildzeilen beginnen bei Byte 2147483648)");
    // Cut anywhere in the header or the rows: the reason names the part.
    EXPECT_EQ(Refusal(Bytes(kFile24.begin(), kFile24.begin() + 40)),
              "Bitmap-Datei ist zu kurz (40 Bytes, die Bildzeilen beginnen bei Byte 54)");
    EXPECT_EQ(Refusal(Bytes(kFile24.begin(), kFile24.end() - 1)), "Bitmap-Daten sind zu kurz (23 Bytes, 24 n\xF6tig)");
    // A header longer than the space before the rows.
    Bytes shortInfo = kFile24;
    shortInfo[10] = 50;
    EXPECT_EQ(Refusal(shortInfo), "Bitmap-Kopf ist zu kurz (36 Bytes, 40 n\xF6tig)");
    // Run-length rows are not read.
    EXPECT_EQ(Refusal(File(InfoHeader(3, 2, 8, 1, 1), Bytes(40, 0))), "Bitmap-Kompression 1 kann nicht gelesen werden");
    // A table past the rows' offset.
    Bytes eight = InfoHeader(3, 2, 8, 0, 3);
    PutColors(eight, {kA, kB});
    EXPECT_EQ(Refusal(File(eight, Bytes(8, 0))),
              "Bitmap-Farbtabelle reicht \xFC" "ber den Kopf hinaus (48 Bytes, 52 n\xF6tig)");
}

}  // namespace
