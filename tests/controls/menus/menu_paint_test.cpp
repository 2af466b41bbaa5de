// The menu kit's measuring and painting: exact pixels of gradients,
// separators, selection looks, 3-D text, banner and dither in items painted
// into a DIB through the owner-draw answers, and the resources they use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/menus/menu_components.h"
#include "controls/menus/menu_paint.h"
#include "controls/menus/menu_picture.h"
#include "framework/control_test_support.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"
#include "framework/image_list.h"
#include "tests/framework/gui_counters.h"

static ::testing::Environment* const kMenusEnv = ::testing::AddGlobalTestEnvironment(new ControlTestEnvironment);

namespace {

// 0x00RRGGBB as the DIB holds it, of any colour (system colours resolved).
uint32_t Dib(TColor c) {
    const uint32_t rgb = static_cast<uint32_t>(ColorToRGB(c));
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

uint32_t At(TBitmap& bmp, int x, int y) {
    GdiFlush();
    return bmp.ScanLine(y)[x] & 0xFFFFFF;
}

void Fill(TBitmap& bmp, TColor c) {
    bmp.Canvas().Brush().SetColor(c);
    bmp.Canvas().FillRect(RECT{0, 0, bmp.Width(), bmp.Height()});
}

// A kit popup with a fixed, non-antialiased font.
struct KitMenu {
    ToxPopupMenu* menu = Create<ToxPopupMenu>(nullptr);
    KitMenu() {
        menu->Font().SetName("Tahoma");
        menu->Font().SetHeight(-11);
        menu->Font().SetQuality(NONANTIALIASED_QUALITY);
        menu->Font().SetColor(clBlack);
        menu->SetOptions(oxmCustomFont | oxmMultiLine);
    }
    ~KitMenu() { menu->Free(); }
    ToxMenuItem* Add(const std::string& caption, TMenuItem* parent = nullptr) {
        auto* item = Create<ToxMenuItem>(nullptr);
        item->SetCaption(caption);
        (parent ? parent : menu->Items())->Add(item);
        return item;
    }
    ToxMenuData& Data() { return menu->MenuData(); }
};

SIZE MeasureOf(KitMenu& k, TMenuItem* item) {
    MEASUREITEMSTRUCT m{};
    m.CtlType = ODT_MENU;
    m.itemData = reinterpret_cast<ULONG_PTR>(item);
    MeasureKitItem(k.Data(), item, m, nullptr);
    return SIZE{static_cast<LONG>(m.itemWidth), static_cast<LONG>(m.itemHeight)};
}

// Paints item into bmp at r, as the popup whose items span `items`.
void DrawInto(KitMenu& k, TMenuItem* item, TBitmap& bmp, RECT r, bool selected, RECT items = {}) {
    if (IsRectEmpty(&items)) items = r;
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemState = selected ? ODS_SELECTED : 0;
    if (!item->Enabled()) d.itemState |= ODS_GRAYED | ODS_DISABLED;
    d.hDC = bmp.DC();
    d.rcItem = r;
    d.itemData = reinterpret_cast<ULONG_PTR>(item);
    const MenuPopupGeometry geo{reinterpret_cast<HWND>(&bmp), items};
    DrawKitItem(k.Data(), item, d, &geo);
}

}  // namespace

TEST(MenuGradient, TableAndPaintedColumnsTruncateAndTheEndIsChecked) {
    TGradient g;
    g.SetStartColor(clWhite);
    g.SetEndColor(clBlack);
    EXPECT_EQ(g.Colors(0), RGB(255, 255, 255));
    EXPECT_EQ(g.Colors(64), RGB(128, 128, 128));
    EXPECT_EQ(g.Colors(127), RGB(2, 2, 2));
    EXPECT_EQ(ErrorOf<EInvalidIndex>([&] { g.Colors(128); }), "Index out of range");
    TBitmap bmp(128, 4);
    Fill(bmp, clRed);
    g.Paint(bmp.Canvas(), RECT{0, 0, 128, 4}, RECT{0, 0, 128, 4});
    for (int x = 0; x < 128; ++x) ASSERT_EQ(At(bmp, x, 2), Dib(g.Colors(x))) << x;
    // Bands are clipped: nothing left of the clip rectangle changes.
    Fill(bmp, clRed);
    g.Paint(bmp.Canvas(), RECT{0, 0, 128, 4}, RECT{64, 0, 128, 4});
    EXPECT_EQ(At(bmp, 63, 0), Dib(clRed));
    EXPECT_EQ(At(bmp, 64, 0), Dib(g.Colors(64)));
}

TEST(MenuGradient, NoStepsPaintsOneBandOfTheStartColour) {
    TGradient g;
    g.SetStartColor(RGB(10, 20, 30));
    g.SetSteps(0);
    TBitmap bmp(40, 30);
    Fill(bmp, clRed);
    g.Paint(bmp.Canvas(), RECT{0, 0, 40, 30}, RECT{0, 0, 40, 30});
    g.SetDirection(1);
    g.Paint(bmp.Canvas(), RECT{0, 0, 40, 30}, RECT{0, 0, 40, 30});
    EXPECT_EQ(At(bmp, 0, 0), Dib(RGB(10, 20, 30)));
    EXPECT_EQ(At(bmp, 39, 29), Dib(RGB(10, 20, 30)));
    EXPECT_EQ(g.TableSize(), 1);
}

TEST(MenuMeasure, SeparatorsLinesBannerColumnsAndTheDCGoesBack) {
    KitMenu k;
    ToxMenuItem* cut = k.Add("Ausschneiden");
    ToxMenuItem* line = k.Add("-");
    ToxMenuItem* two = k.Add("Alles||markieren");
    ToxMenuItem* next = k.Add("Spalte");
    next->SetBreak(true);
    ToxMenuItem* after = k.Add("Danach");
    const int dcs = GdiOwnerLiveDCs();
    const int plain_next = MeasureOf(k, after).cx;
    EXPECT_EQ(MeasureOf(k, line).cy, 8);
    const SIZE one = MeasureOf(k, cut);
    const SIZE both = MeasureOf(k, two);
    EXPECT_EQ(GdiOwnerLiveDCs(), dcs);  // the measuring DC went back each time
    TBitmap probe(1, 1);
    probe.Canvas().Font().Assign(&k.menu->Font());
    const int line_h = probe.Canvas().TextHeight("Ag");
    EXPECT_EQ(both.cy - one.cy, line_h);
    // A vertical banner widens the first column only.
    k.menu->Banner().SetVertical(true);
    k.menu->SetOptions(k.menu->Options() | oxmBanner);
    // Measured in the platform's order: the break starts the second column.
    EXPECT_EQ(MeasureOf(k, cut).cx, one.cx + 17);
    MeasureOf(k, line);
    EXPECT_EQ(MeasureOf(k, two).cx, both.cx + 17);
    MeasureOf(k, next);
    EXPECT_EQ(MeasureOf(k, after).cx, plain_next);
    // A horizontal banner makes the first item higher.
    k.menu->Banner().SetVertical(false);
    EXPECT_EQ(MeasureOf(k, cut).cy, one.cy + 17);
    EXPECT_EQ(MeasureOf(k, two).cy, both.cy);
}

TEST(MenuPaint, SeparatorIsAShadowLineOverAHighlightLine) {
    KitMenu k;
    ToxMenuItem* line = k.Add("-");
    TBitmap bmp(100, 8);
    Fill(bmp, clRed);
    DrawInto(k, line, bmp, RECT{0, 0, 100, 8}, false);
    for (int x = 0; x < 100; ++x) {
        ASSERT_EQ(At(bmp, x, 3), Dib(clBtnShadow)) << x;
        ASSERT_EQ(At(bmp, x, 4), Dib(clBtnHighlight)) << x;
        ASSERT_EQ(At(bmp, x, 0), Dib(clMenu)) << x;
    }
}

TEST(MenuPaint, SelectionLooks) {
    KitMenu k;
    ToxMenuItem* item = k.Add("Kopieren");
    TBitmap bmp(120, 20);
    const RECT r{0, 0, 120, 20};
    // Normal: the highlight everywhere but on the text.
    DrawInto(k, item, bmp, r, true);
    int text = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 120; ++x) {
            if (At(bmp, x, y) == Dib(clHighlight)) continue;
            ++text;
            ASSERT_EQ(At(bmp, x, y), Dib(clHighlightText)) << x << "," << y;
            ASSERT_TRUE(x >= 4 && y > 1 && y < 19) << x << "," << y;
        }
    EXPECT_GT(text, 20);
    // Raised: one frame, light top-left, dark bottom-right; inset the reverse.
    const struct {
        ToxmSelectionStyle style;
        TColor top_left, bottom_right;
    } looks[] = {{oxmRaisedSel, clBtnHighlight, clBtnShadow}, {oxmInsetSel, clBtnShadow, clBtnHighlight}};
    for (const auto& l : looks) {
        k.menu->SetSelectionStyle(l.style);
        Fill(bmp, clRed);
        DrawInto(k, item, bmp, r, true);
        EXPECT_EQ(At(bmp, 0, 0), Dib(l.top_left));
        EXPECT_EQ(At(bmp, 60, 0), Dib(l.top_left));
        EXPECT_EQ(At(bmp, 0, 10), Dib(l.top_left));
        EXPECT_EQ(At(bmp, 119, 10), Dib(l.bottom_right));
        EXPECT_EQ(At(bmp, 60, 19), Dib(l.bottom_right));
        EXPECT_EQ(At(bmp, 1, 1), Dib(clMenu));
    }
}

TEST(MenuPaint, Text3DEffects) {
    TBitmap bmp(80, 24);
    TCanvas& c = bmp.Canvas();
    c.Font().SetName("Tahoma");
    c.Font().SetHeight(-13);
    c.Font().SetQuality(NONANTIALIASED_QUALITY);
    const RECT r{4, 4, 76, 20};
    auto draw = [&](T3DEffect effect, TColor text, TColor back) {
        Fill(bmp, back);
        c.Font().SetColor(text);
        DrawText3D(c, r, "Ausschneiden", 0, DT_LEFT | DT_SINGLELINE | DT_NOCLIP, effect);
        EXPECT_EQ(c.Font().Color(), text);  // put back
    };
    draw(ox3None, clBlack, clRed);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) ASSERT_EQ(At(bmp, x, y), Dib(clRed));
    draw(ox3Flat, clBlack, clRed);
    int ink = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x)
            if (At(bmp, x, y) != Dib(clRed)) {
                ASSERT_EQ(At(bmp, x, y), Dib(clBtnShadow));
                ++ink;
            }
    EXPECT_GT(ink, 0);
    // White raised text on white: the shadow falls below right, nothing above left.
    draw(ox3Raised, clBtnHighlight, RGB(0, 0, 128));
    TBitmap plain(80, 24);
    plain.Canvas().Font().Assign(&c.Font());
    Fill(plain, RGB(0, 0, 128));
    plain.Canvas().Brush().SetStyle(bsClear);
    RECT pr = r;
    plain.Canvas().DrawText("Ausschneiden", pr, DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    // Every shadow pixel lies one down and right of a text pixel.
    int shadow = 0, elsewhere = 0;
    for (int y = 1; y < 24; ++y)
        for (int x = 1; x < 80; ++x) {
            if (At(bmp, x, y) != Dib(clBtnShadow)) continue;
            ++shadow;
            if (At(plain, x - 1, y - 1) == Dib(RGB(0, 0, 128))) ++elsewhere;
        }
    EXPECT_GT(shadow, 10);
    EXPECT_EQ(elsewhere, 0);
    // A limit even "..." exceeds ends with "..." instead of running on.
    c.Font().SetColor(clBlack);
    DrawText3D(c, r, "Ausschneiden", 1, DT_LEFT | DT_SINGLELINE, ox3Normal);
}

TEST(MenuPaint, VerticalBannerBesideItemsThatStartAtTheMarginAndGradientBackground) {
    KitMenu k;
    ToxMenuItem* first = k.Add("Kopieren");
    ToxMenuItem* second = k.Add("Einf\xFCgen");
    k.menu->Banner().SetVertical(true);
    k.menu->Banner().SetCaption("Text bearbeiten");
    k.menu->Banner().Font().SetName("Tahoma");
    k.menu->Banner().Font().SetHeight(-11);
    k.menu->SetColor(clWhite);
    k.menu->Background().SetStyle(oxmHorzGradient);
    k.menu->Background().SetGradient(RGB(240, 251, 255));
    k.menu->SetOptions(k.menu->Options() | oxmBanner | oxmBackground);
    // Items as the platform puts them: 3 pixels in from the popup's edge.
    TBitmap bmp(160, 50);
    Fill(bmp, clRed);
    const RECT items{3, 3, 157, 43};
    DrawInto(k, first, bmp, RECT{3, 3, 157, 23}, false, items);
    DrawInto(k, second, bmp, RECT{3, 23, 157, 43}, false, items);
    // The strip: gray, white letters somewhere, full height, 17 wide.
    int letters = 0;
    for (int y = 3; y < 43; ++y) {
        for (int x = 3; x < 20; ++x) {
            const uint32_t px = At(bmp, x, y);
            ASSERT_TRUE(px == 0x808080 || px != Dib(clRed)) << x << "," << y;
            if (px != 0x808080) ++letters;
        }
    }
    EXPECT_GT(letters, 10);
    EXPECT_EQ(At(bmp, 3, 3), 0x808080u);
    EXPECT_EQ(At(bmp, 19, 42), 0x808080u);
    // The background starts beside the strip with the gradient's first band
    // and is continuous across both items.
    EXPECT_EQ(At(bmp, 20, 4), Dib(RGB(240, 251, 255)));
    EXPECT_EQ(At(bmp, 20, 24), Dib(RGB(240, 251, 255)));
    EXPECT_EQ(At(bmp, 156, 4), At(bmp, 156, 40));
    EXPECT_EQ(At(bmp, 2, 10), Dib(clRed));  // outside the items nothing changes
}

TEST(MenuPaint, DitherInvertsTheCheckerPattern) {
    TBitmap bmp(8, 8);
    Fill(bmp, clBlack);
    ApplyMenuDither(bmp.DC(), RECT{0, 0, 8, 8});
    // Black xor the pattern, inverted: white squares (same parity) turn
    // black, the button-face ones its inverse.
    const uint32_t face = Dib(clBtnFace) ^ 0xFFFFFF;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(At(bmp, x, y), ((x + y) & 1) ? face : 0u) << x << "," << y;
}

TEST(MenuPaint, FrameSkipsNoneSidesAndShadesTaggedColours) {
    TBitmap bmp(10, 10);
    Fill(bmp, RGB(100, 100, 100));
    RECT r{0, 0, 10, 10};
    MenuFrame3D(bmp.Canvas(), r, clNone, clBlack, 2);
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(At(bmp, 0, 0), 0x646464u);
    EXPECT_EQ(At(bmp, 9, 5), 0u);
    EXPECT_EQ(At(bmp, 8, 5), 0u);
    RECT back{0, 0, 10, 10};
    MenuFrame3D(bmp.Canvas(), back, 0x30000000 + 256 + 20, clNone, -1);
    EXPECT_EQ(back.left, 0);  // put back for a negative width
    EXPECT_GT(At(bmp, 0, 0) & 0xFF, 0x64u);
    EXPECT_EQ(At(bmp, 5, 5), 0x646464u);
}

TEST(MenuPaint, ThousandPaintsLeaveNoGdiObjectsOrDCs) {
    KitMenu k;
    k.Add("Kopieren")->SetChecked(true);
    k.Add("-");
    k.Add("Alles||markieren")->SetEnabled(false);
    k.menu->SetOptions(k.menu->Options() | oxmBanner | oxmBackground);
    k.menu->Background().SetStyle(oxmVertGradient);
    TBitmap bmp(220, 120);
    PaintKitPopupPicture(k.menu->Items(), bmp.DC(), 0, 0, 0);
    const int objects = GdiOwnerLiveObjects(), dcs = GdiOwnerLiveDCs();
    const int gdi = gui_counters::GdiObjects();
    for (int i = 0; i < 1000; ++i) PaintKitPopupPicture(k.menu->Items(), bmp.DC(), 0, 0, i % 3);
    EXPECT_EQ(GdiOwnerLiveObjects(), objects);
    EXPECT_EQ(GdiOwnerLiveDCs(), dcs);
    EXPECT_EQ(gui_counters::GdiObjects(), gdi);
}

TEST(MenuItemLooks, ItemsInheritFromTheirParentsSubMenuValuesUntilSetThemselves) {
    KitMenu k;
    ToxMenuItem* top = k.Add("Datei");
    ToxMenuItem* child = k.Add("Neu", top);
    EXPECT_EQ(&top->Font(), &k.menu->Font());
    EXPECT_EQ(&child->Font(), &k.menu->Font());
    TFont big;
    big.SetHeight(-20);
    top->SetSubMenuFont(big);
    EXPECT_EQ(child->Font().Height(), -20);
    EXPECT_FALSE(top->ParentSubMenuFont());
    top->SetSubMenuColor(clYellow);
    EXPECT_EQ(EffectiveColor(child, k.Data()), clYellow);
    EXPECT_EQ(EffectiveColor(top, k.Data()), k.menu->Color());
    child->SetFont3D(ox3Raised);
    EXPECT_EQ(EffectiveFont3D(child, k.Data()), ox3Raised);
    child->SetParentFont3D(true);
    EXPECT_EQ(EffectiveFont3D(child, k.Data()), ox3Normal);
}

TEST(MenuPaint, Win97GlyphColumnFramesAndEmbossedDisabledImages) {
    KitMenu k;
    k.menu->SetStyle(oxmWin97);
    k.menu->SetColor(clYellow);  // apart from the light 3-D colour
    auto* images = Create<TImageList>(nullptr);
    TBitmap glyph(16, 16);
    Fill(glyph, clFuchsia);
    glyph.Canvas().Brush().SetColor(clBlack);
    glyph.Canvas().FillRect(RECT{4, 4, 12, 12});
    images->AddMasked(&glyph, clFuchsia);
    k.menu->SetImageList(images);
    ToxMenuItem* picture = k.Add("Bild");
    picture->SetImageIndex(0);
    ToxMenuItem* checked = k.Add("Haken");
    checked->SetChecked(true);
    TBitmap bmp(120, 30);
    const RECT r{0, 0, 120, 30};
    // Selected with an image: a raised 20x20 column, the image centred in it.
    DrawInto(k, picture, bmp, r, true);
    EXPECT_EQ(At(bmp, 0, 0), Dib(clBtnHighlight));
    EXPECT_EQ(At(bmp, 0, 10), Dib(clBtnHighlight));
    EXPECT_EQ(At(bmp, 19, 10), Dib(clBtnShadow));
    EXPECT_EQ(At(bmp, 10, 19), Dib(clBtnShadow));
    EXPECT_EQ(At(bmp, 8, 8), 0u);
    EXPECT_EQ(At(bmp, 3, 3), Dib(clYellow));
    // Checked, not selected: sunken.
    DrawInto(k, checked, bmp, r, false);
    EXPECT_EQ(At(bmp, 0, 0), Dib(clBtnShadow));
    EXPECT_EQ(At(bmp, 0, 8), Dib(clBtnShadow));
    // Disabled, not selected: the shape in shadow, and in highlight one pixel down-right.
    picture->SetEnabled(false);
    DrawInto(k, picture, bmp, r, false);
    EXPECT_EQ(At(bmp, 6, 6), Dib(clBtnShadow));
    EXPECT_EQ(At(bmp, 13, 13), Dib(clBtnShadow));
    EXPECT_EQ(At(bmp, 14, 14), Dib(clBtnHighlight));
    EXPECT_EQ(At(bmp, 14, 6), Dib(clYellow));
    EXPECT_EQ(At(bmp, 5, 5), Dib(clYellow));
    k.menu->SetImageList(nullptr);
    images->Free();
}
