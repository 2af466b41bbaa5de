// The 24-bit image's loaders and assignments (framework bitmaps, other
// graphics, device-independent bitmaps) with exact pixels, and its palette:
// made, selected, selected out and deleted, no handle left.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "controls/flat/fc_bitmap.h"
#include "tests/framework/dib_test_support.h"
#include "flat_test_support.h"
#include "framework/bitmap.h"
#include "framework/exceptions.h"
#include "framework/font.h"
#include "tests/framework/gui_counters.h"

using namespace dib_test;

static ::testing::Environment* const kFlatEnv = ::testing::AddGlobalTestEnvironment(new ControlTestEnvironment);

// A graphic of another kind: drawn it shows two dots, assigned to a
// framework bitmap it gives two other dots, so each road shows in the pixels.
class TTwoDotsGraphic : public TGraphic {
public:
    static constexpr TColor kDrawnLeft = 0x0000C0, kDrawnRight = 0xC00000;
    static constexpr TColor kAssignedLeft = 0x00A000, kAssignedRight = 0x123456;
    int Width() const override { return 2; }
    int Height() const override { return 1; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    bool Empty() const override { return false; }
    void LoadFromStream(TStream&) override {}
    void SaveToStream(TStream&) const override {}
    void Draw(TCanvas& ACanvas, const RECT& Rect) override {
        ::SetPixel(ACanvas.Handle(), Rect.left, Rect.top, kDrawnLeft);
        ::SetPixel(ACanvas.Handle(), Rect.left + 1, Rect.top, kDrawnRight);
    }

protected:
    void AssignTo(TPersistent* Dest) const override {
        if (auto* bmp = dynamic_cast<TBitmap*>(Dest)) {
            bmp->SetSize(2, 1);
            bmp->SetPixel(0, 0, kAssignedLeft);
            bmp->SetPixel(1, 0, kAssignedRight);
            return;
        }
        TGraphic::AssignTo(Dest);
    }
};

// A graphic that can only draw itself (one dot).
class TDotGraphic : public TGraphic {
public:
    int Width() const override { return 1; }
    int Height() const override { return 1; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    bool Empty() const override { return false; }
    void LoadFromStream(TStream&) override {}
    void SaveToStream(TStream&) const override {}
    void Draw(TCanvas& ACanvas, const RECT& Rect) override { ::SetPixel(ACanvas.Handle(), Rect.left, Rect.top, 0x0A0B0C); }
};

namespace {

std::vector<TColor> ImagePixels(TfcBitmap& img) {
    std::vector<TColor> px;
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x) px.push_back(img.Pixel(x, y));
    return px;
}

std::vector<TColor> BitmapColors(TBitmap& bmp) {
    std::vector<TColor> px;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) px.push_back(bmp.Pixel(x, y));
    return px;
}

// The test picture, 3 x 2: top row A B A, bottom row B B A.
constexpr TColor kA = RGBColor(10, 200, 30);
constexpr TColor kB = RGBColor(250, 128, 7);
const std::vector<TColor> kPicture = {kA, kB, kA, kB, kB, kA};

uint32_t Rgb(TColor c) { return (uint32_t{ColorRed(c)} << 16) | (uint32_t{ColorGreen(c)} << 8) | ColorBlue(c); }

// The picture in 1, 4, 8 and 24 bits: header with colour table, and bits.
std::vector<std::pair<Bytes, Bytes>> PictureDibs() {
    std::vector<std::pair<Bytes, Bytes>> dibs;
    Bytes one = InfoHeader(3, 2, 1);
    PutColors(one, {Rgb(kB), Rgb(kA)});
    dibs.emplace_back(one, Rows({{0x20}, {0xA0}}));  // bottom-up
    Bytes four = InfoHeader(3, -2, 4, 0, 3);
    PutColors(four, {0x000000, Rgb(kB), Rgb(kA)});
    dibs.emplace_back(four, Rows({{0x21, 0x20}, {0x11, 0x20}}));
    Bytes eight = InfoHeader(3, 2, 8, 0, 3);
    PutColors(eight, {Rgb(kA), 0xFFFFFF, Rgb(kB)});
    dibs.emplace_back(eight, Rows({{2, 2, 0}, {0, 2, 0}}));
    const uint8_t a[3] = {ColorBlue(kA), ColorGreen(kA), ColorRed(kA)};
    const uint8_t b[3] = {ColorBlue(kB), ColorGreen(kB), ColorRed(kB)};
    dibs.emplace_back(InfoHeader(3, -2, 24), Rows({{a[0], a[1], a[2], b[0], b[1], b[2], a[0], a[1], a[2]},
                                                   {b[0], b[1], b[2], b[0], b[1], b[2], a[0], a[1], a[2]}}));
    return dibs;
}

TEST(FcBitmapLoad, DibsOfOneFourEightAndTwentyFourBitsGiveTheSamePixels) {
    for (const auto& [info, bits] : PictureDibs()) {
        const int depth = info[14];
        TfcBitmap img;
        int changes = 0;
        img.OnChange = [&](TObject*) { ++changes; };
        img.LoadFromDIB(info.data(), info.size(), bits.data(), bits.size());
        EXPECT_EQ(ImagePixels(img), kPicture) << depth << " bits";
        EXPECT_GT(changes, 0);
        BITMAP section{};
        GetObjectA(img.Handle(), sizeof(section), &section);
        EXPECT_EQ(section.bmBitsPixel, 24);
        // The system reads the same DIB to the same pixels.
        TBitmap system(3, 2);
        SetDIBitsToDevice(system.DC(), 0, 0, 3, 2, 0, 0, 0, 2, bits.data(),
                          reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
        EXPECT_EQ(BitmapColors(system), kPicture) << depth << " bits";
        EXPECT_EQ(img.ColorTable().size(), depth == 24 ? 0u : depth == 1 ? 2u : 3u);
        EXPECT_EQ(img.OwnPalette(), depth != 24);
    }
}

TEST(FcBitmapLoad, UnreadableDibLeavesTheImageAsItWas) {
    const auto dibs = PictureDibs();
    const Bytes& info = dibs[2].first;
    const Bytes& bits = dibs[2].second;
    TfcBitmap img;
    img.LoadFromDIB(info.data(), info.size(), bits.data(), bits.size());
    EXPECT_EQ(ErrorOf<EInvalidGraphic>([&] { img.LoadFromDIB(info.data(), info.size(), bits.data(), bits.size() - 1); }),
              "Bitmap-Daten sind zu kurz (7 Bytes, 8 nötig)");
    EXPECT_EQ(ErrorOf<EInvalidGraphic>([&] { img.LoadFromDIB(info.data(), info.size(), nullptr, 8); }),
              "Bitmap-Daten fehlen");
    EXPECT_EQ(ImagePixels(img), kPicture);
    EXPECT_EQ(img.ColorTable().size(), 3u);
}

TEST(FcBitmapAssign, FrameworkBitmapInAndOut) {
    TBitmap source(3, 2);
    for (int i = 0; i < 6; ++i) source.SetPixel(i % 3, i / 3, kPicture[static_cast<size_t>(i)]);
    source.SetTransparent(true);
    source.SetTransparentColor(kB);
    TfcBitmap img;
    int changes = 0;
    img.OnChange = [&](TObject*) { ++changes; };
    img.Assign(&source);
    EXPECT_EQ(ImagePixels(img), kPicture);
    EXPECT_GT(changes, 0);
    EXPECT_TRUE(img.Transparent());
    // The bitmap's fixed key colour comes along (the bottom-left pixel is kB too,
    // so the drawing below tells the colour from the rule).
    EXPECT_EQ(img.TransparentColor(), kB);

    // Out again through the image's AssignTo.
    TBitmap back;
    back.Assign(&img);
    EXPECT_EQ(BitmapPixels(back), BitmapPixels(source));
    EXPECT_TRUE(back.Transparent());
    EXPECT_TRUE(back.TransparentColorFixed());
    EXPECT_EQ(back.TransparentColor(), kB);
    img.SetTransparentColor(clNone);
    img.SetTransparent(false);
    back.Assign(&img);
    EXPECT_FALSE(back.Transparent());
    EXPECT_FALSE(back.TransparentColorFixed());

    // Drawn with the key: the kB pixels keep the green below.
    img.SetTransparent(true);
    img.SetTransparentColor(kA);
    TBitmap dest(3, 2);
    dest.Canvas().Brush().SetColor(clLime);
    dest.Canvas().FillRect(RECT{0, 0, 3, 2});
    img.Draw(dest.Canvas(), RECT{0, 0, 3, 2});
    EXPECT_EQ(BitmapColors(dest), (std::vector<TColor>{clLime, kB, clLime, kB, kB, clLime}));

    TBitmap empty;
    img.Assign(&empty);
    EXPECT_TRUE(img.Empty());
    back.Assign(&img);
    EXPECT_TRUE(back.Empty());
    img.Assign(&source);
    img.Assign(nullptr);
    EXPECT_TRUE(img.Empty());
}

TEST(FcBitmapAssign, AnotherImageTakesEverything) {
    const auto dibs = PictureDibs();
    TfcBitmap img;
    img.LoadFromDIB(dibs[1].first.data(), dibs[1].first.size(), dibs[1].second.data(), dibs[1].second.size());
    img.SetSmoothStretch(true);
    img.SetTransparent(true);
    img.SetTransparentColor(kB);
    TfcBitmap copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&img);
    EXPECT_GT(changes, 0);
    EXPECT_EQ(ImagePixels(copy), kPicture);
    EXPECT_NE(copy.Handle(), img.Handle());
    EXPECT_EQ(copy.ColorTable(), img.ColorTable());
    EXPECT_TRUE(copy.SmoothStretch());
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColor(), kB);
    copy.SetPixel(0, 0, clBlack);
    EXPECT_EQ(img.Pixel(0, 0), kA);

    TfcBitmap empty;
    copy.Assign(&empty);
    EXPECT_TRUE(copy.Empty());
}

TEST(FcBitmapAssign, OtherGraphicsByAssignmentOrByDrawing) {
    TTwoDotsGraphic dots;
    TfcBitmap img;
    img.Assign(&dots);  // through a framework bitmap the graphic assigns itself to
    EXPECT_EQ(ImagePixels(img), (std::vector<TColor>{TTwoDotsGraphic::kAssignedLeft, TTwoDotsGraphic::kAssignedRight}));
    img.LoadFromGraphic(dots);  // drawn
    EXPECT_EQ(ImagePixels(img), (std::vector<TColor>{TTwoDotsGraphic::kDrawnLeft, TTwoDotsGraphic::kDrawnRight}));
    img.AssignFromPersistent(&dots);
    EXPECT_EQ(ImagePixels(img), (std::vector<TColor>{TTwoDotsGraphic::kAssignedLeft, TTwoDotsGraphic::kAssignedRight}));

    // A graphic that cannot become a framework bitmap is refused, the image kept;
    // drawn it loads.
    TDotGraphic dot;
    EXPECT_EQ(ErrorOf<EConvertError>([&] { img.Assign(&dot); }), "TDotGraphic kann nicht zu TBitmap zugewiesen werden");
    EXPECT_EQ(img.Width(), 2);
    img.LoadFromGraphic(dot);
    EXPECT_EQ(ImagePixels(img), std::vector<TColor>{0x0A0B0C});
    TFont font;
    EXPECT_EQ(ErrorOf<EConvertError>([&] { img.Assign(&font); }), "TFont kann nicht zu TfcBitmap zugewiesen werden");

    // A transparent bitmap drawn into the white temporary bitmap: its key is white.
    TBitmap keyed(2, 1);
    keyed.SetPixel(0, 0, clRed);
    keyed.SetPixel(1, 0, clBlue);
    keyed.SetTransparent(true);
    keyed.SetTransparentColor(clRed);
    img.LoadFromGraphic(keyed);
    EXPECT_EQ(ImagePixels(img), (std::vector<TColor>{clWhite, clBlue}));
    // Another image, and itself.
    TfcBitmap other;
    other.Assign(&keyed);
    other.SetTransparent(false);
    img.LoadFromGraphic(other);
    EXPECT_EQ(ImagePixels(img), (std::vector<TColor>{clRed, clBlue}));
    img.LoadFromGraphic(img);
    EXPECT_EQ(ImagePixels(img), (std::vector<TColor>{clRed, clBlue}));
    TBitmap empty;
    img.LoadFromGraphic(empty);
    EXPECT_TRUE(img.Empty());
}

// An image that draws as on a device of 8 bits or less and logs the palette calls.
class TPaletteLog : public TfcBitmap {
public:
    bool paletteDevice = true;
    std::string log;
    HPALETTE selected = nullptr;
    void SelectImagePalette(HDC Dest) override {
        TfcBitmap::SelectImagePalette(Dest);
        selected = static_cast<HPALETTE>(GetCurrentObject(Dest, OBJ_PAL));
        log += selected == Palette() ? "select " : "select(other) ";
    }
    void ReleaseImagePalette() override {
        log += "release ";
        TfcBitmap::ReleaseImagePalette();
    }

protected:
    bool NeedsImagePalette(HDC Dest) const override { return paletteDevice || TfcBitmap::NeedsImagePalette(Dest); }
};

std::vector<PALETTEENTRY> Entries(HPALETTE palette) {
    std::vector<PALETTEENTRY> e(GetPaletteEntries(palette, 0, 0, nullptr));
    GetPaletteEntries(palette, 0, static_cast<UINT>(e.size()), e.data());
    return e;
}

bool SameEntries(const std::vector<PALETTEENTRY>& a, const std::vector<PALETTEENTRY>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].peRed != b[i].peRed || a[i].peGreen != b[i].peGreen || a[i].peBlue != b[i].peBlue) return false;
    return true;
}

TEST(FcBitmapPalette, OwnOrHalftonePaletteSelectedThenDeleted) {
    const auto dibs = PictureDibs();
    TfcBitmap img;
    img.LoadFromDIB(dibs[2].first.data(), dibs[2].first.size(), dibs[2].second.data(), dibs[2].second.size());
    TBitmap dest(3, 2);
    HDC dc = dest.DC();
    const HGDIOBJ devicePalette = GetCurrentObject(dc, OBJ_PAL);
    const int before = gui_counters::GdiObjects();

    img.SelectImagePalette(dc);
    ASSERT_NE(img.Palette(), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), img.Palette());
    EXPECT_FALSE(img.HalftonePalette());
    const std::vector<PALETTEENTRY> own = Entries(img.Palette());
    ASSERT_EQ(own.size(), 3u);
    EXPECT_EQ(std::vector<int>({own[0].peRed, own[0].peGreen, own[0].peBlue, own[2].peRed, own[2].peGreen, own[2].peBlue}),
              std::vector<int>({10, 200, 30, 250, 128, 7}));
    EXPECT_EQ(gui_counters::GdiObjects(), before + 1);
    img.ReleaseImagePalette();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), devicePalette);
    EXPECT_EQ(img.Palette(), nullptr);
    EXPECT_EQ(gui_counters::GdiObjects(), before);

    // Loaded from a framework bitmap the image has no table: a halftone palette.
    img.LoadFromBitmap(dest);
    EXPECT_FALSE(img.OwnPalette());
    img.SelectImagePalette(dc);
    EXPECT_TRUE(img.HalftonePalette());
    {
        WindowDC screen(nullptr);
        GdiObject<HPALETTE> halftone(CreateHalftonePalette(screen.Get()));
        EXPECT_TRUE(SameEntries(Entries(img.Palette()), Entries(halftone.Get())));
    }
    img.ReleaseImagePalette();
    EXPECT_EQ(gui_counters::GdiObjects(), before);

    // Made but never selected, or still selected when the image goes: deleted
    // with it, the device's own palette back.
    {
        TfcBitmap made, selected;
        const int images = gui_counters::GdiObjects();
        made.CreateImagePalette();
        selected.SelectImagePalette(dc);
        EXPECT_EQ(gui_counters::GdiObjects(), images + 2);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), devicePalette);
    EXPECT_EQ(gui_counters::GdiObjects(), before);
}

TEST(FcBitmapPalette, DrawingOnAPaletteDeviceBracketsEveryDrawingMode) {
    const auto dibs = PictureDibs();
    TPaletteLog img;
    img.LoadFromDIB(dibs[0].first.data(), dibs[0].first.size(), dibs[0].second.data(), dibs[0].second.size());
    TBitmap dest(6, 4);
    HDC dc = dest.DC();
    const HGDIOBJ devicePalette = GetCurrentObject(dc, OBJ_PAL);
    const int before = gui_counters::GdiObjects();
    img.Draw(dest.Canvas(), RECT{0, 0, 3, 2});  // block copy
    img.SetTransparent(true);
    img.Draw(dest.Canvas(), RECT{3, 0, 6, 2});  // through the key
    img.SetTransparent(false);
    img.Draw(dest.Canvas(), RECT{0, 2, 6, 4});  // stretched
    img.SetSmoothStretch(true);
    img.Draw(dest.Canvas(), RECT{0, 2, 6, 4});  // smoothly stretched
    EXPECT_EQ(img.log, "select release select release select release select release ");
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), devicePalette);
    EXPECT_EQ(img.Palette(), nullptr);
    EXPECT_EQ(gui_counters::GdiObjects(), before);
    EXPECT_EQ(dest.Pixel(0, 0), kA);
    EXPECT_EQ(dest.Pixel(1, 0), kB);

    // On a device of more than 8 bits no palette is made.
    img.log.clear();
    img.paletteDevice = false;
    img.Draw(dest.Canvas(), RECT{0, 0, 3, 2});
    EXPECT_EQ(img.log, "");
}

}  // namespace
