#include <gtest/gtest.h>

#include "controls/html/html_picture.h"
#include "framework/bitmap.h"
#include "tests/controls/html/picture_bytes.h"
#include "tests/controls/html/html_test_support.h"

namespace {

TEST(HTMLPicture, SizesRoundToTheNearestPixel) {
    THTMLPicture p;
    p.LoadFromBytes(MakeBmp(99, 3));
    EXPECT_EQ(std::make_pair(p.Width(), p.Height()), std::make_pair(99, 3));  // not 98 x 2
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
    EXPECT_EQ(std::make_pair(p.Width(), p.Height()), std::make_pair(7, 3));  // the logical screen
    changes = 0;
    p.SetFrame(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(p.FrameXPos(), 2);
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
    EXPECT_NO_THROW(p.LoadFromURL("RES://NICHTDA"));  // no such resource
    EXPECT_TRUE(p.Empty());
    EXPECT_NO_THROW(p.LoadFromURL("http://h/x.png"));  // remembered, not downloaded
    EXPECT_TRUE(p.Empty());

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
}

}  // namespace
