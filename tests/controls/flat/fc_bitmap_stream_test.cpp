// The 24-bit image in streams: saved as a .bmp file through a framework
// bitmap and loaded back to the same pixels, unreadable files refused with
// the image as it was, the clipboard operations doing nothing, and no GDI
// object left behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/flat/fc_bitmap.h"
#include "framework/bitmap.h"
#include "framework/bmp_file.h"
#include "framework/exceptions.h"
#include "framework/streams.h"
#include "tests/framework/dib_test_support.h"
#include "tests/framework/gui_counters.h"

using namespace dib_test;

namespace {

std::vector<TColor> ImagePixels(TfcBitmap& img) {
    std::vector<TColor> px;
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x) px.push_back(img.Pixel(x, y));
    return px;
}

// 5 x 3, every pixel its own colour (odd width: padded rows both ways).
void PaintPicture(TfcBitmap& img) {
    img.SetSize(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            img.SetPixel(x, y, RGBColor(static_cast<uint8_t>(40 * x + 1), static_cast<uint8_t>(80 * y + 2),
                                        static_cast<uint8_t>(13 * (x + y) + 3)));
}

Bytes Contents(TMemoryStream& s) { return Bytes(s.Memory(), s.Memory() + s.Size()); }

TEST(FcBitmapStream, SavedAndLoadedBackToTheSamePixels) {
    const int gdi = gui_counters::GdiObjects();
    {
        TfcBitmap img;
        PaintPicture(img);
        TMemoryStream s;
        s.WriteBuffer("lead", 4);
        img.SaveToStream(s);
        s.WriteBuffer("tail", 4);

        // A plain 24-bit bottom-up file: pixel (0, 2), the bottom-left, comes first.
        const Bytes bytes = Contents(s);
        ASSERT_EQ(bytes.size(), 4u + 54u + 3u * 16u + 4u);
        EXPECT_EQ(Bytes(bytes.begin() + 4, bytes.begin() + 6), (Bytes{'B', 'M'}));
        EXPECT_EQ(bytes[4 + 28], 24);
        EXPECT_EQ(Bytes(bytes.begin() + 58, bytes.begin() + 61), (Bytes{29, 162, 1}));  // blue, green, red

        TfcBitmap back;
        back.SetSize(2, 2);
        int changes = 0;
        back.OnChange = [&](TObject*) { ++changes; };
        s.SetPosition(4);
        back.LoadFromStream(s);
        EXPECT_EQ(s.Position(), s.Size() - 4) << "the tail stays unread";
        EXPECT_EQ(back.Width(), 5);
        EXPECT_EQ(back.Height(), 3);
        EXPECT_EQ(ImagePixels(back), ImagePixels(img));
        EXPECT_GE(changes, 1);

        // An empty image writes nothing and loads from nothing.
        TfcBitmap empty;
        TMemoryStream none;
        empty.SaveToStream(none);
        EXPECT_EQ(none.Size(), 0);
        back.LoadFromStream(none);
        EXPECT_TRUE(back.Empty());
    }
    EXPECT_EQ(gui_counters::GdiObjects(), gdi);
}

TEST(FcBitmapStream, FilesOfEveryDepthAndUnreadableFiles) {
    // 3 x 2: top row A B A, bottom B B A; 1 and 8 bits by hand.
    const TColor a = RGBColor(10, 200, 30), b = RGBColor(250, 128, 7);
    const std::vector<TColor> picture = {a, b, a, b, b, a};
    auto file = [](const Bytes& info, const Bytes& bits) {
        Bytes f{'B', 'M'};
        const uint32_t offset = static_cast<uint32_t>(kBmpFileHeaderSize + info.size());
        Put32(f, offset + static_cast<uint32_t>(bits.size()));
        Put32(f, 0);
        Put32(f, offset);
        f.insert(f.end(), info.begin(), info.end());
        f.insert(f.end(), bits.begin(), bits.end());
        return f;
    };
    Bytes one = InfoHeader(3, 2, 1, 0, 2);
    PutColors(one, {0xFA8007, 0x0AC81E});  // b, a as 0x00RRGGBB
    Bytes eight = InfoHeader(3, -2, 8, 0, 2);
    PutColors(eight, {0x0AC81E, 0xFA8007});
    const Bytes oneBit = file(one, Rows({{0x20}, {0xA0}}));
    const Bytes eightBit = file(eight, Rows({{0, 1, 0}, {1, 1, 0}}));

    TfcBitmap img;
    for (const Bytes* f : {&oneBit, &eightBit}) {
        TMemoryStream s;
        s.WriteBuffer(f->data(), static_cast<int64_t>(f->size()));
        s.SetPosition(0);
        img.LoadFromStream(s);
        EXPECT_EQ(ImagePixels(img), picture);
    }

    const int gdi = gui_counters::GdiObjects();
    int changes = 0;
    img.OnChange = [&](TObject*) { ++changes; };
    const struct {
        Bytes bytes;
        std::string text;
    } bad[] = {
        {Bytes(eightBit.begin(), eightBit.end() - 1), "Bitmap-Daten sind zu kurz (7 Bytes, 8 n\xF6tig)"},
        {Bytes(eightBit.begin(), eightBit.begin() + 9), "Bitmap-Datei ist zu kurz (9 Bytes)"},
        {file(InfoHeader(3, 2, 2), Bytes(8, 0)), "Bitmap mit 2 Bit pro Pixel kann nicht gelesen werden"},
    };
    for (const auto& c : bad) {
        TMemoryStream s;
        s.WriteBuffer(c.bytes.data(), static_cast<int64_t>(c.bytes.size()));
        s.SetPosition(0);
        try {
            img.LoadFromStream(s);
            ADD_FAILURE() << c.text << ": loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), c.text);
        }
        EXPECT_EQ(ImagePixels(img), picture) << c.text;
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(gui_counters::GdiObjects(), gdi);
}

TEST(FcBitmapStream, ClipboardFormatsDoNothing) {
    TfcBitmap img;
    PaintPicture(img);
    const std::vector<TColor> before = ImagePixels(img);
    int changes = 0;
    img.OnChange = [&](TObject*) { ++changes; };
    uint16_t format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = nullptr;
    img.SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, 0);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(palette, nullptr);
    TBitmap other(1, 1);
    img.LoadFromClipboardFormat(CF_BITMAP, other.Handle(), nullptr);
    EXPECT_EQ(ImagePixels(img), before);
    EXPECT_EQ(changes, 0);
}

}  // namespace
