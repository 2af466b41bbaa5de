// TBitmap: the 32-bit section, resizing, resources, assignment.
#include <gtest/gtest.h>

#include "framework/exceptions.h"
#include "framework/graphics.h"
#include "graphics_test_util.h"

TEST(Bitmap, NewSizeIsWhiteAndResizeKeepsContent) {
    TBitmap bmp;
    EXPECT_TRUE(bmp.Empty());
    bmp.SetSize(3, 2);
    EXPECT_FALSE(bmp.Empty());
    BITMAP info{};
    GetObjectA(bmp.Handle(), sizeof(info), &info);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(Snapshot(bmp), std::vector<uint32_t>(6, 0x00FFFFFFu));

    bmp.SetPixel(0, 0, clRed);
    bmp.SetPixel(2, 1, clBlue);
    bmp.SetWidth(5);
    EXPECT_EQ(bmp.Width(), 5);
    EXPECT_EQ(bmp.Pixel(0, 0), clRed);
    EXPECT_EQ(bmp.Pixel(2, 1), clBlue);
    EXPECT_EQ(bmp.Pixel(4, 1), clWhite);
    bmp.SetSize(1, 1);
    EXPECT_EQ(bmp.Pixel(0, 0), clRed);
    EXPECT_EQ(bmp.Pixel(1, 0), clNone);

    bmp.SetSize(0, 7);
    EXPECT_TRUE(bmp.Empty());
    EXPECT_EQ(bmp.Width(), 0);
    EXPECT_THROW(bmp.ScanLine(0), EInvalidOperation);
}

TEST(Bitmap, CanvasSurvivesResizeAndSeesTheNewSection) {
    TBitmap bmp(2, 2);
    TCanvas& c = bmp.Canvas();
    c.Brush().SetColor(clGreen);
    c.FillRect(RECT{0, 0, 2, 2});
    bmp.SetSize(6, 6);
    c.FillRect(RECT{4, 4, 6, 6});
    EXPECT_EQ(bmp.Pixel(5, 5), clGreen);
    EXPECT_EQ(bmp.Pixel(1, 1), clGreen);
    EXPECT_EQ(bmp.Pixel(3, 3), clWhite);
    EXPECT_EQ(GetCurrentObject(c.Handle(), OBJ_BITMAP), bmp.Handle());
}

TEST(Bitmap, AssignCopiesPixelsAndTransparency) {
    TBitmap a(3, 3);
    a.SetPixel(1, 1, clFuchsia);
    a.SetTransparent(true);
    a.SetTransparentColor(clFuchsia);
    TBitmap b;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(&a);
    EXPECT_GT(changes, 0);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(Snapshot(b), Snapshot(a));
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    EXPECT_NE(b.Handle(), a.Handle());
    b.SetPixel(0, 0, clBlack);
    EXPECT_EQ(a.Pixel(0, 0), clWhite);

    TBitmap empty;
    b.Assign(&empty);
    EXPECT_TRUE(b.Empty());
    b.SetTransparentColorAuto();
    EXPECT_EQ(b.TransparentColor(), clNone);

    TFont font;
    EXPECT_THROW(b.Assign(&font), EConvertError);
}

TEST(Bitmap, CanvasDrawingNotifiesTheBitmap) {
    TBitmap bmp(4, 4);
    int changes = 0;
    bmp.OnChange = [&](TObject*) { ++changes; };
    bmp.Canvas().FillRect(RECT{0, 0, 2, 2});
    EXPECT_GT(changes, 0);
    EXPECT_THROW(bmp.ScanLine(4), EInvalidOperation);
    EXPECT_THROW(bmp.ScanLine(-1), EInvalidOperation);
}

TEST(Bitmap, LoadFromBitmapHandleConvertsExactly) {
    // A 1-bit bitmap: set bits white, clear bits black.
    const BYTE rows[4] = {0x80, 0x00, 0x40, 0x00};  // rows padded to 16 bits
    GdiObject<HBITMAP> mono(CreateBitmap(2, 2, 1, 1, rows));
    TBitmap bmp;
    bmp.LoadFromBitmapHandle(mono.Get());
    ASSERT_EQ(bmp.Width(), 2);
    ASSERT_EQ(bmp.Height(), 2);
    EXPECT_EQ(bmp.Pixel(0, 0), clWhite);
    EXPECT_EQ(bmp.Pixel(1, 0), clBlack);
    EXPECT_EQ(bmp.Pixel(0, 1), clBlack);
    EXPECT_EQ(bmp.Pixel(1, 1), clWhite);
}

TEST(Bitmap, LoadFromResourceName) {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    TBitmap bmp;
    try {
        bmp.LoadFromResourceName(inst, "KEIN_SOLCHES_BILD");
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Ressource KEIN_SOLCHES_BILD wurde nicht gefunden");
    }
    if (!FindResourceA(inst, "CLIP_G", MAKEINTRESOURCEA(2)))  // RT_BITMAP
        GTEST_SKIP() << "CLIP_G is not in the library resources yet";
    bmp.LoadFromResourceName(inst, "CLIP_G");
    EXPECT_FALSE(bmp.Empty());
    BITMAP info{};
    GetObjectA(bmp.Handle(), sizeof(info), &info);
    EXPECT_EQ(info.bmBitsPixel, 32);
    // The library bitmaps have magenta corners: the automatic key colour.
    EXPECT_EQ(bmp.TransparentColor(), clFuchsia);
    EXPECT_EQ(bmp.Pixel(bmp.Width() - 1, 0), clFuchsia);
}
