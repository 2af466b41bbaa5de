// The engine on a real DC: colours at the expected places, the ellipsis,
// no GDI object left behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "controls/html/html_draw.h"
#include "controls/html/html_gdi_device.h"
#include "framework/bitmap.h"
#include "framework/gdi_owner.h"
#include "tests/controls/html/html_test_support.h"

static ::testing::Environment* const kHtmlEnv = ::testing::AddGlobalTestEnvironment(new ControlTestEnvironment);

namespace {

HTMLDrawResult DrawInto(TBitmap& bmp, const std::string& text, HTMLMode mode, bool wrap = true) {
    TCanvas& c = bmp.Canvas();
    c.Font().SetName("Arial");
    c.Font().SetSize(10);
    c.Font().SetColor(clBlack);
    c.Brush().SetColor(clWhite);
    HTMLDrawParams p;
    p.Text = text;
    p.Rect = HTMLRect{0, 0, bmp.Width(), bmp.Height()};
    p.Mode = mode;
    p.WordWrap = wrap;
    p.Variant = HTMLVariant::FormLabel();
    return HTMLDrawText(c, p);
}

TEST(HTMLDrawText, RunColoursAndBackgroundsInTheirPlaces) {
    TBitmap bmp(300, 60);
    const std::string text =
        "<FONT COLOR=\"#FF0000\">RRRR</FONT> <FONT BGCOLOR=\"#00FF00\">gggg</FONT><BR><P BGCOLOR=\"#0000FF\">x</P>";
    auto r = DrawInto(bmp, text, HTMLMode::Draw);
    ASSERT_EQ(r.LineCount, 2);
    const int lineH = r.Height / 2;
    GdiFlush();
    int redLeft = 1000, greenLeft = 1000, redRight = -1;
    for (int y = 0; y < lineH; ++y)
        for (int x = 0; x < 300; ++x) {
            uint32_t px = bmp.ScanLine(y)[x] & 0xFFFFFF;
            if (px == 0xFF0000) redLeft = std::min(redLeft, x), redRight = std::max(redRight, x);
            if (px == 0x00FF00) greenLeft = std::min(greenLeft, x);
        }
    EXPECT_LT(redLeft, 10);             // the red run starts the line
    EXPECT_GT(greenLeft, redRight);     // the green background follows it
    // The paragraph band fills the second line across the whole width.
    EXPECT_EQ(bmp.ScanLine(lineH + 1)[299] & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(bmp.ScanLine(lineH - 1)[299] & 0xFFFFFF, 0xFFFFFFu);
    // A gradient band runs from BGCOLOR at the left to BGCOLORTO at the right.
    TBitmap band(256, 30);
    DrawInto(band, "<P BGCOLOR=\"#000000\" BGCOLORTO=\"#FF0000\">x</P>", HTMLMode::Draw);
    GdiFlush();
    EXPECT_EQ(band.ScanLine(2)[0] & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(band.ScanLine(2)[255] & 0xFFFFFF, 0xFF0000u);
    EXPECT_NEAR(static_cast<int>(band.ScanLine(2)[128] >> 16 & 0xFF), 0x80, 0x20);
}

TEST(HTMLDrawText, EllipsisAtTheRightEdge) {
    TBitmap bmp(80, 30);
    DrawInto(bmp, "WWWWWWWWWWWWWWWWWWWWWWWWWWWW", HTMLMode::Draw, false);
    GdiFlush();
    // The last columns hold the dots, not the cut letters: few dark pixels there.
    int dark = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 60; x < 80; ++x)
            if ((bmp.ScanLine(y)[x] & 0xFF) < 0x80) ++dark;
    EXPECT_GT(dark, 0);
    EXPECT_LT(dark, 20);
}

TEST(HTMLDrawText, RotatedFontsAndRepeatedPaintsLeakNothing) {
    TBitmap bmp(200, 200);
    DrawInto(bmp, "warm up", HTMLMode::Draw);
    const int objects = ProcessGdiObjects();
    const int owned = GdiOwnerLiveObjects();
    HFONT before = static_cast<HFONT>(GetCurrentObject(bmp.DC(), OBJ_FONT));
    const char* texts[] = {
        "</R>a</R></R>",                        // closing without an open R
        "<R a=\"90\">a<R a=\"45\">b</R>c</R>d",  // nested
        "<R a=\"30\">left open",                // never closed
        "<R a=\"x\">not a number</R>",
        "<FONT SIZE=\"1\">1<FONT SIZE=\"2\">2<FONT SIZE=\"40\">3<B><I><U><S>x",
    };
    for (int round = 0; round < 20; ++round)
        for (const char* t : texts) DrawInto(bmp, t, HTMLMode::Draw);
    // Random tag soup in all three modes.
    const char* pieces[] = {"<", ">", "</", "x ", "<R a=\"", "9\"", "</R>", "<FONT SIZE=\"", "</FONT>", "<IMG SRC=\"",
                            "SSYS:", "IDX:1", "\">", "<A HREF=\"", "</A>", "<P BGCOLOR=\"#12", "<BR>", "<UL><LI>"};
    srand(7);
    for (int round = 0; round < 200; ++round) {
        std::string t;
        for (int i = rand() % 30; i > 0; --i) t += pieces[rand() % std::size(pieces)];
        for (HTMLMode m : {HTMLMode::Measure, HTMLMode::Draw, HTMLMode::HitTest}) DrawInto(bmp, t, m, round & 1);
    }
    EXPECT_EQ(GetCurrentObject(bmp.DC(), OBJ_FONT), before);
    EXPECT_EQ(GdiOwnerLiveObjects(), owned);
    EXPECT_EQ(ProcessGdiObjects(), objects);
}

// Runs are measured from each font's character widths, kept with the font:
// the same extents GDI gives, also from the kept widths and in a DC that
// spaces its characters.
TEST(HTMLDrawText, RunsMeasureAsGDIDoes) {
    TBitmap bmp(10, 10);
    const HDC dc = bmp.DC();
    std::string all;
    for (int ch = 32; ch < 256; ++ch) all.push_back(static_cast<char>(ch));
    for (int extra : {0, 3}) {
        SetTextCharacterExtra(dc, extra);
        HTMLFontCache fonts;
        for (int round = 0; round < 2; ++round)
            for (unsigned style : {0u, htmlBold | htmlItalic}) {
                const HTMLFontDesc font{"Tahoma", 8, style, 0};
                HTMLGdiDevice device(dc, DEFAULT_CHARSET, DEFAULT_QUALITY, &fonts);
                std::vector<int> right, gdi(all.size());
                ASSERT_TRUE(device.CharExtents(font, all, right));
                device.TextExtent(font, "x");  // selects the font
                SIZE size{};
                GetTextExtentExPointA(dc, all.data(), static_cast<int>(all.size()), 0, nullptr, gdi.data(), &size);
                EXPECT_EQ(right, gdi) << extra << " " << style;
                EXPECT_EQ(device.TextExtent(font, "").cy, size.cy);
            }
    }
    SetTextCharacterExtra(dc, 0);
}

}  // namespace
