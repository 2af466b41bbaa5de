#include <gtest/gtest.h>

#include "controls/html/html_picture.h"
#include "framework/bitmap.h"
#include "tests/controls/html/gif_test_data.h"
#include "tests/controls/html/html_test_support.h"

namespace {

// A 24-bit BMP file of the given size, every pixel red.
std::string MakeBmp(int w, int h) {
    const int row = (w * 3 + 3) & ~3;
    std::string pixels(static_cast<size_t>(row * h), '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels[static_cast<size_t>(y * row + x * 3 + 2)] = '\xFF';
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
    ih.biSize = sizeof(ih);
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    return std::string(reinterpret_cast<const char*>(&fh), sizeof(fh)) +
           std::string(reinterpret_cast<const char*>(&ih), sizeof(ih)) + pixels;
}

TEST(HTMLPicture, SizesRoundToTheNearestPixel) {
    THTMLPicture p;
    EXPECT_TRUE(p.Empty());
    p.LoadFromBytes(MakeBmp(99, 3));
    EXPECT_FALSE(p.Empty());
    EXPECT_FALSE(p.IsGIF());
    EXPECT_EQ(p.Width(), 99);
    EXPECT_EQ(p.Height(), 3);
    p.LoadFromBytes(MakeBmp(1, 1));
    EXPECT_EQ(p.Width(), 1);
    TBitmap bmp(10, 10);
    p.LoadFromBytes(MakeBmp(4, 4));
    p.Draw(bmp.DC(), RECT{2, 2, 6, 6});
    EXPECT_EQ(CountPixels(bmp, 0xFF0000), 16);
}

TEST(HTMLPicture, AnimatedGifFrames) {
    THTMLPicture p;
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    p.LoadFromBytes(MakeGif(7, 3, 2));
    EXPECT_TRUE(p.IsGIF());
    EXPECT_EQ(p.FrameCount(), 2);
    EXPECT_EQ(p.Width(), 7);
    EXPECT_EQ(p.Height(), 3);
    EXPECT_EQ(p.FrameXPos(), 0);
    changes = 0;
    p.SetFrame(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(p.Frame(), 2);
    EXPECT_EQ(p.FrameXPos(), 2);
    EXPECT_FALSE(p.Empty());
    // The second frame (one red pixel at 2,0 of the logical screen) is drawn.
    TBitmap bmp(7, 3);
    p.Draw(bmp.DC(), RECT{0, 0, 7, 3});
    GdiFlush();
    EXPECT_EQ(bmp.ScanLine(0)[2] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(CountPixels(bmp, 0xFF0000), 1);
    p.SetFrame(9);  // clamped: still the last frame, nothing reloaded
    EXPECT_EQ(p.Frame(), 2);
    p.SetFrame(0);
    EXPECT_EQ(p.Frame(), 1);
    EXPECT_EQ(changes, 2);
}

TEST(HTMLPicture, BrokenBytesRaiseTheLoaderMessage) {
    for (const std::string& bytes : {std::string("GIF89a"), MakeGif(4, 4, 1).substr(0, 30), std::string("kein Bild")}) {
        THTMLPicture p;
        try {
            p.LoadFromBytes(bytes);
            ADD_FAILURE() << "no error";
        } catch (const EPictureError& e) {
            EXPECT_EQ(e.Message(), "Could not load image. Invalid format");
        }
        EXPECT_TRUE(p.Empty());
    }
}

TEST(HTMLPicture, URLsContainerAndCache) {
    THTMLPicture p;
    EXPECT_NO_THROW(p.LoadFromURL("RES://NICHTDA"));
    EXPECT_TRUE(p.Empty());
    EXPECT_NO_THROW(p.LoadFromURL("http://h/x.png"));
    EXPECT_TRUE(p.Empty());
    EXPECT_EQ(p.URL(), "http://h/x.png");

    TPictureContainer container(nullptr);
    container.Add("Other");
    TPictureItem& logo = container.Add("Logo");
    EXPECT_EQ(container.FindPicture("LOGO"), &logo.Picture());
    EXPECT_EQ(container.FindPicture("logo"), &logo.Picture());
    EXPECT_EQ(container.FindPicture("Log"), nullptr);

    THTMLPictureCache cache;
    THTMLPicture* a = cache.AddPicture();
    a->LoadFromURL("http://h/a.gif");
    EXPECT_EQ(cache.FindPicture("http://h/a.gif"), a);
    EXPECT_EQ(cache.FindPicture("http://h/A.gif"), nullptr);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
}

}  // namespace
