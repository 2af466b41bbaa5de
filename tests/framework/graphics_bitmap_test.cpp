// TBitmap (the 32-bit section, resizing, resources, assignment), image lists
// and window regions: exact pixels and no handle left behind.
#include <gtest/gtest.h>

#include <string>

#include "framework/bitmap.h"
#include "framework/colors.h"
#include "framework/exceptions.h"
#include "framework/gdi_owner.h"
#include "framework/graphics.h"
#include "framework/image_list.h"
#include "framework/window_region.h"
#include "tests/framework/control_test_support.h"

TEST(Bitmap, NewSizeIsWhiteAndResizeKeepsContent) {
    TBitmap bmp;
    EXPECT_TRUE(bmp.Empty());
    bmp.SetSize(3, 2);
    EXPECT_FALSE(bmp.Empty());
    BITMAP info{};
    GetObjectA(bmp.Handle(), sizeof(info), &info);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(BitmapPixels(bmp), std::vector<uint32_t>(6, 0x00FFFFFFu));

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

// Drawing tells the bitmap; the canvas outlives a resize and draws on the new section.
TEST(Bitmap, CanvasNotifiesSurvivesResizeAndSeesTheNewSection) {
    TBitmap bmp(2, 2);
    TCanvas& c = bmp.Canvas();
    int changes = 0;
    bmp.OnChange = [&](TObject*) { ++changes; };
    c.Brush().SetColor(clGreen);
    c.FillRect(RECT{0, 0, 2, 2});
    EXPECT_GT(changes, 0);
    EXPECT_THROW(bmp.ScanLine(2), EInvalidOperation);
    EXPECT_THROW(bmp.ScanLine(-1), EInvalidOperation);
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
    EXPECT_EQ(BitmapPixels(b), BitmapPixels(a));
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

TEST(Bitmap, LoadFromBitmapHandleAndResourceName) {
    // A 1-bit bitmap: set bits white, clear bits black.
    const BYTE rows[4] = {0x80, 0x00, 0x40, 0x00};  // rows padded to 16 bits
    GdiObject<HBITMAP> mono(CreateBitmap(2, 2, 1, 1, rows));
    TBitmap bmp;
    bmp.LoadFromBitmapHandle(mono.Get());
    ASSERT_EQ(bmp.Width(), 2);
    ASSERT_EQ(bmp.Height(), 2);
    EXPECT_EQ(BitmapPixels(bmp), (std::vector<uint32_t>{0xFFFFFF, 0, 0, 0xFFFFFF}));
    HINSTANCE inst = GetModuleHandleA(nullptr);
    EXPECT_EQ(ErrorOf<EInvalidOperation>([&] { bmp.LoadFromResourceName(inst, "KEIN_SOLCHES_BILD"); }),
              "Ressource KEIN_SOLCHES_BILD wurde nicht gefunden");
    // The positions grid's bitmap is part of the library's resources.
    ASSERT_NE(FindResourceA(inst, "CLIP_G", MAKEINTRESOURCEA(2)), nullptr) << "CLIP_G is missing";  // RT_BITMAP
    bmp.LoadFromResourceName(inst, "CLIP_G");
    EXPECT_FALSE(bmp.Empty());
    BITMAP info{};
    GetObjectA(bmp.Handle(), sizeof(info), &info);
    EXPECT_EQ(info.bmBitsPixel, 32);
    // The library bitmaps have magenta corners: the automatic key colour.
    EXPECT_EQ(bmp.TransparentColor(), clFuchsia);
    EXPECT_EQ(bmp.Pixel(bmp.Width() - 1, 0), clFuchsia);
}

TEST(ImageList, MaskedImageDrawsOnlyOpaquePixelsAndCopiesBack) {
    const int live = ImageListLiveHandles();
    {
        TImageList list;
        list.SetSize(4, 4);
        TBitmap image(4, 4);
        image.Canvas().Brush().SetColor(clFuchsia);
        image.Canvas().FillRect(RECT{0, 0, 4, 4});
        image.SetPixel(1, 2, clBlue);
        EXPECT_EQ(list.AddMasked(&image, clFuchsia), 0);
        EXPECT_EQ(list.Count(), 1);
        EXPECT_EQ(ImageListLiveHandles(), live + 1);

        TBitmap target(6, 6);
        target.Canvas().Brush().SetColor(clGreen);
        target.Canvas().FillRect(RECT{0, 0, 6, 6});
        list.Draw(&target.Canvas(), 1, 1, 0);
        list.Draw(&target.Canvas(), 1, 1, 5);  // out of range: nothing
        EXPECT_EQ(target.Pixel(2, 3), clBlue);
        EXPECT_EQ(target.Pixel(1, 1), clGreen);
        EXPECT_EQ(target.Pixel(4, 4), clGreen);

        TBitmap copy;
        copy.Canvas().Brush().SetColor(clYellow);
        EXPECT_TRUE(list.GetBitmap(0, &copy));
        EXPECT_EQ(copy.Width(), 4);
        EXPECT_EQ(copy.Pixel(1, 2), clBlue);
        EXPECT_EQ(copy.Pixel(0, 0), clYellow);
        EXPECT_FALSE(list.GetBitmap(1, &copy));
    }
    EXPECT_EQ(ImageListLiveHandles(), live);
}

TEST(WindowRegion, WindowTakesTheRegionAndDropsIt) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    const int before = GdiOwnerLiveObjects();
    EXPECT_TRUE(SetWindowRegion(w, CreateRoundRectRegion(0, 0, 40, 30, 10, 10), false));
    EXPECT_EQ(GdiOwnerLiveObjects(), before);  // handed over, not counted as ours
    EXPECT_TRUE(HasWindowRegion(w));
    EXPECT_TRUE(SetWindowRegion(w, GdiObject<HRGN>(), false));
    EXPECT_FALSE(HasWindowRegion(w));
    EXPECT_FALSE(SetWindowRegion(nullptr, CreateRoundRectRegion(0, 0, 4, 4, 2, 2), false));
    EXPECT_EQ(GdiOwnerLiveObjects(), before);
    DestroyWindow(w);
}

// Every listener hears a change; whichever side goes first leaves no dangling link.
TEST(ImageList, ChangeLinksReachEveryListenerAndLetGo) {
    std::string heard;
    auto* list = new TImageList;
    TBitmap image(8, 8);
    list->Add(&image);
    TChangeLink a, b, gone;
    a.OnChange = [&](TObject* s) { heard += s == list ? "a" : "?"; };
    b.OnChange = [&](TObject*) { heard += "b"; };
    for (TChangeLink* l : {&a, &b, &a}) list->RegisterChanges(l);  // a once only
    list->OnChange = [&](TObject*) { heard += "own"; };
    list->SetSize(8, 4);
    EXPECT_EQ(heard, "ownab");  // the owner first, then the links
    EXPECT_EQ(list->Count(), 0);
    list->UnRegisterChanges(&a);
    EXPECT_EQ(a.Sender(), nullptr);
    list->Add(&image);
    EXPECT_EQ(heard, "ownabownb");
    EXPECT_EQ(b.Sender(), list);
    delete list;
    EXPECT_EQ(b.Sender(), nullptr);
}
