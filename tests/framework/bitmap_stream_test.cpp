// The framework bitmap in streams as .bmp files: files the system wrote at
// every depth load to the system's own reading of them, saved files are read
// by the system to the same pixels, unreadable files leave the bitmap as it
// was, and no GDI object is left behind.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/exceptions.h"
#include "framework/gdi_owner.h"
#include "framework/streams.h"
#include "tests/framework/control_test_support.h"
#include "tests/framework/gui_counters.h"

namespace {

using Bytes = std::vector<uint8_t>;

// 7 x 3 (odd rows pad at every depth); VGA colours and two others.
void PaintPicture(TBitmap& bmp) {
    const TColor colors[] = {clBlack, clWhite, clRed, clLime, clBlue, clYellow, clGray, RGBColor(0x12, 0x34, 0x56),
                             RGBColor(200, 100, 50)};
    bmp.SetSize(7, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) bmp.SetPixel(x, y, colors[(x + 2 * y) % 9]);
}

struct SystemDib {
    std::vector<uint8_t> info;  // header and colour table
    std::vector<uint8_t> bits;
};

// The bitmap as the system writes it at BitCount bits per pixel (bottom-up).
SystemDib SystemWritten(TBitmap& bmp, int BitCount) {
    SystemDib dib;
    dib.info.assign(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    auto* bi = reinterpret_cast<BITMAPINFO*>(dib.info.data());
    bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi->bmiHeader.biWidth = bmp.Width();
    bi->bmiHeader.biHeight = bmp.Height();
    bi->bmiHeader.biPlanes = 1;
    bi->bmiHeader.biBitCount = static_cast<WORD>(BitCount);
    bi->bmiHeader.biCompression = BI_RGB;
    dib.bits.assign(static_cast<size_t>((bmp.Width() * BitCount + 31) / 32 * 4) * bmp.Height(), 0);
    WindowDC screen(nullptr);
    GdiFlush();
    EXPECT_EQ(GetDIBits(screen.Get(), bmp.Handle(), 0, bmp.Height(), dib.bits.data(), bi, DIB_RGB_COLORS),
              bmp.Height());
    const size_t colors = BitCount > 8 ? 0 : bi->bmiHeader.biClrUsed ? bi->bmiHeader.biClrUsed : 1u << BitCount;
    dib.info.resize(sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD));
    return dib;
}

// What the system reads from the DIB: its pixels in a 32-bit bitmap.
std::vector<uint32_t> SystemRead(const SystemDib& dib) {
    const auto* bi = reinterpret_cast<const BITMAPINFO*>(dib.info.data());
    TBitmap read(bi->bmiHeader.biWidth, std::abs(bi->bmiHeader.biHeight));
    WindowDC screen(nullptr);
    EXPECT_EQ(SetDIBits(screen.Get(), read.Handle(), 0, read.Height(), dib.bits.data(), bi, DIB_RGB_COLORS),
              read.Height());
    return BitmapPixels(read);
}

Bytes FileOf(const SystemDib& dib) {
    BITMAPFILEHEADER head{};
    head.bfType = 0x4D42;
    head.bfOffBits = static_cast<DWORD>(sizeof head + dib.info.size());
    head.bfSize = static_cast<DWORD>(head.bfOffBits + dib.bits.size());
    Bytes file(reinterpret_cast<const uint8_t*>(&head), reinterpret_cast<const uint8_t*>(&head) + sizeof head);
    file.insert(file.end(), dib.info.begin(), dib.info.end());
    file.insert(file.end(), dib.bits.begin(), dib.bits.end());
    return file;
}

void Fill(TMemoryStream& s, const Bytes& b) {
    s.WriteBuffer(b.data(), static_cast<int64_t>(b.size()));
    s.SetPosition(0);
}

Bytes Contents(TMemoryStream& s) { return Bytes(s.Memory(), s.Memory() + s.Size()); }

TEST(BitmapStream, FilesTheSystemWroteLoadAsTheSystemReadsThem) {
    TBitmap picture;
    PaintPicture(picture);
    const std::vector<uint32_t> original = BitmapPixels(picture);
    for (int bits : {1, 4, 8, 24, 32}) {
        const SystemDib dib = SystemWritten(picture, bits);
        const std::vector<uint32_t> expected = SystemRead(dib);
        TMemoryStream s;
        Fill(s, FileOf(dib));
        TBitmap loaded;
        loaded.LoadFromStream(s);
        EXPECT_EQ(s.Position(), s.Size()) << bits;
        ASSERT_EQ(loaded.Width(), 7) << bits;
        ASSERT_EQ(loaded.Height(), 3) << bits;
        EXPECT_EQ(BitmapPixels(loaded), expected) << bits << " bit";
        const std::set<uint32_t> distinct(expected.begin(), expected.end());
        EXPECT_GE(distinct.size(), bits == 1 ? 2u : 7u) << bits << " bit: a picture, not one colour";
        if (bits >= 24) {
            EXPECT_EQ(BitmapPixels(loaded), original) << bits << " bit";
        }
    }
}

TEST(BitmapStream, SavedFilesAreReadByTheSystem) {
    TBitmap picture;
    PaintPicture(picture);
    picture.SetTransparent(true);
    TMemoryStream s;
    picture.SaveToStream(s);
    const Bytes file = Contents(s);
    ASSERT_EQ(file.size(), 14u + 40u + 3u * 24u);  // 7 pixels: 21 bytes padded to 24
    BITMAPFILEHEADER head{};
    std::memcpy(&head, file.data(), sizeof head);
    EXPECT_EQ(head.bfType, 0x4D42);
    EXPECT_EQ(head.bfSize, file.size());
    EXPECT_EQ(head.bfOffBits, 54u);
    SystemDib dib;
    dib.info.assign(file.begin() + 14, file.begin() + 54);
    dib.bits.assign(file.begin() + 54, file.end());
    const auto* bi = reinterpret_cast<const BITMAPINFOHEADER*>(dib.info.data());
    EXPECT_EQ(bi->biBitCount, 24);
    EXPECT_EQ(bi->biHeight, 3) << "bottom-up";
    EXPECT_EQ(bi->biSizeImage, 72u);
    EXPECT_EQ(SystemRead(dib), BitmapPixels(picture));

    // And back: the same pixels; the loader's own settings stay.
    TBitmap back;
    s.SetPosition(0);
    back.LoadFromStream(s);
    EXPECT_EQ(BitmapPixels(back), BitmapPixels(picture));
    EXPECT_FALSE(back.Transparent());

    // No picture: no bytes, and no bytes give no picture.
    TBitmap empty;
    TMemoryStream none;
    empty.SaveToStream(none);
    EXPECT_EQ(none.Size(), 0);
    back.LoadFromStream(none);
    EXPECT_TRUE(back.Empty());
}

TEST(BitmapStream, UnreadableFilesLeaveTheBitmapAsItWas) {
    TBitmap source;
    PaintPicture(source);
    TMemoryStream saved;
    source.SaveToStream(saved);
    const Bytes file = Contents(saved);

    TBitmap bmp(2, 1);
    bmp.SetPixel(0, 0, clRed);
    bmp.SetPixel(1, 0, clBlue);
    int changes = 0;
    bmp.OnChange = [&](TObject*) { ++changes; };
    const int gdi = gui_counters::GdiObjects();
    struct Case {
        Bytes bytes;
        std::string text;
    };
    Bytes noMark = file;
    noMark[0] = 'X';
    Bytes rle = file;
    rle[14 + 16] = 1;
    const std::vector<Case> cases = {
        {Bytes(file.begin(), file.begin() + 10), "Bitmap-Datei ist zu kurz (10 Bytes)"},
        {Bytes(file.begin(), file.begin() + 50), "Bitmap-Datei ist zu kurz (50 Bytes, die Bildzeilen beginnen bei Byte 54)"},
        {Bytes(file.begin(), file.end() - 1), "Bitmap-Daten sind zu kurz (71 Bytes, 72 n\xF6tig)"},
        {noMark, "Keine Bitmap-Datei (die Kennung \"BM\" fehlt)"},
        {rle, "Bitmap-Kompression 1 kann nicht gelesen werden"},
    };
    for (const Case& c : cases) {
        TMemoryStream s;
        Fill(s, c.bytes);
        try {
            bmp.LoadFromStream(s);
            ADD_FAILURE() << c.text << ": loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), c.text);
        }
        EXPECT_EQ(BitmapPixels(bmp), (std::vector<uint32_t>{0xFF0000, 0x0000FF})) << c.text;
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(gui_counters::GdiObjects(), gdi);

    // A good file after them: loaded, and its section the only new object.
    Fill(saved, file);
    for (int i = 0; i < 3; ++i) {
        saved.SetPosition(0);
        bmp.LoadFromStream(saved);
    }
    EXPECT_EQ(BitmapPixels(bmp), BitmapPixels(source));
    EXPECT_EQ(gui_counters::GdiObjects(), gdi);  // one section replaced the other
}

TEST(BitmapStream, HasNoClipboardForm) {
    TBitmap bmp(1, 1);
    uint16_t format = 7;
    HANDLE data = nullptr;
    HPALETTE palette = nullptr;
    const std::string text = "Diese Grafik kann nicht \xFC" "ber die Zwischenablage ausgetauscht werden";
    try {
        bmp.SaveToClipboardFormat(format, data, palette);
        ADD_FAILURE() << "saved";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), text);
    }
    try {
        bmp.LoadFromClipboardFormat(CF_BITMAP, nullptr, nullptr);
        ADD_FAILURE() << "loaded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), text);
    }
    EXPECT_EQ(format, 7);
}

}  // namespace
