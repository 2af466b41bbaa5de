#include "editors/tools/styled_text.h"

#include <gtest/gtest.h>

#include <tuple>

#include "editors/tools/edit_drawing.h"
#include "framework/image_list.h"
#include "tests/editors/tools/tools_test_support.h"

namespace {

constexpr UINT kFlags = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;

class StyledTextTest : public ::testing::Test {
protected:
    void SetUp() override { FillBitmap(bmp_, 300, 120, clWhite); }
    TCanvas& C() { return bmp_.Canvas(); }
    POINT Measure(const char* text, UINT flags = kFlags, RECT r = {0, 0, 300, 120}) {
        return DrawStyledText(C(), text, r, false, flags);
    }
    SIZE Extent(const std::string& text) { return C().TextExtent(text); }
    TBitmap bmp_;
};

TEST_F(StyledTextTest, MeasuresLinesAndCodes) {
    const int line = Extent("Wg").cy;
    EXPECT_EQ(Measure("A/#B").y, 2 * line);
    EXPECT_EQ(Measure("A\r\nB\n").y, 2 * line);
    EXPECT_EQ(Measure("\r\rA").y, line);  // CR on an empty line is skipped
    EXPECT_EQ(Measure("A/#/#B").y, 2 * line);  // an empty line takes no height
    EXPECT_EQ(Measure("/{/b/}").x, Extent("/b").cx);
    EXPECT_EQ(Measure("abc/").x, Extent("abc/").cx);
    const POINT none = DrawStyledText(C(), nullptr, {0, 0, 10, 10}, true, kFlags);
    EXPECT_TRUE(none.x == 0 && none.y == 0);
    // The extent starts at the rectangle's left.
    EXPECT_EQ(Measure("ab", kFlags, {7, 3, 100, 50}).x, 7 + Extent("ab").cx);
    // Offsets move x by their number or by the extent of their text.
    EXPECT_EQ(Measure("a/ow{5}b").x, Extent("a").cx + 5 + Extent("b").cx);
    EXPECT_EQ(Measure("/ow{MM}").x, Extent("MM").cx);
    EXPECT_EQ(Measure("/oh{4}a").y, line + 4);
}

TEST_F(StyledTextTest, CanvasFontKeepsTheLastStyle) {
    const std::string name = C().Font().Name();
    const int size = C().Font().Size();
    Measure("X/b");
    EXPECT_TRUE(C().Font().Style() & fsBold);
    Measure("X/b/b0");
    EXPECT_FALSE(C().Font().Style() & fsBold);
    // One after the other; "/s{0}" goes back to the size at the start of the call.
    const std::pair<const char*, int> sizes[] = {{"/s{+4}", size + 4}, {"/s{+2}/s{0}", size + 4}, {"/s{11}", 11},
                                                 {"/s{-100}", 1}, {"/s{12}/f{Courier New}x/f0", 12}};
    for (const auto& [text, expected] : sizes) EXPECT_EQ((Measure(text), C().Font().Size()), expected) << text;
    EXPECT_EQ(C().Font().Name(), name);
}

TEST_F(StyledTextTest, BadArgumentsAreIgnored) {
    C().Font().SetColor(clBlack);
    const int size = C().Font().Size();
    const POINT plain = Measure("X");
    EXPECT_EQ(Measure("/c{keineFarbe}/s{abc}/s{}/cX").x, plain.x);
    EXPECT_EQ(C().Font().Color(), clBlack);
    EXPECT_EQ(C().Font().Size(), size);
    // A missing image draws nothing and takes no room.
    EXPECT_EQ(Measure("/im{GIBTESNICHT}X").x, plain.x);
    TImageList images;
    EXPECT_EQ(DrawStyledText(C(), "/ip{3}X", {0, 0, 300, 120}, true, kFlags, &images).x, plain.x);
    EXPECT_EQ(SharedWorkBitmap::Users(), 0);
    EXPECT_EQ(TextHeightOnDC(nullptr, "x"), 0);
}

TEST_F(StyledTextTest, InlineImagesTakeTheirWidth) {
    TBitmap glyph;
    glyph.LoadFromResourceName(GetModuleHandleA(nullptr), "I_BTNPOPUP");
    EXPECT_EQ(Measure("/im{I_BTNPOPUP}X").x, glyph.Width() + Extent("X").cx);
    EXPECT_EQ(Measure("/ip{I_BTNPOPUP}").y, glyph.Height());

    TImageList images;
    images.SetSize(5, 30);
    TBitmap tall;
    FillBitmap(tall, 5, 30, clBlue);
    images.Add(&tall);
    EXPECT_EQ(DrawStyledText(C(), "a/ip{0}", {0, 0, 300, 120}, false, kFlags, &images).y, 30);
}

TEST_F(StyledTextTest, MeasuringEqualsDrawing) {
    const char* texts[] = {
        "/bFirma",
        "Name/#/i/s{+3}Kursiv gro\xDF/s0/i0 und normal",
        "a/ow{12}b/oW{4}c/oh{3}d/oH{3}e\r\nzweite Zeile\n",
        "/l{clRed}Linie/u unterstrichen/u0",
        "/c{clBlue}blau /c{$0000FF}rot /f{Courier New}fest/f0/l{clRed}",
        "/{/b/c{x}/}/bfett",
        "Bild /im{I_BTNPOPUP} und /id{I_BTNPOPUP},30} und /ih{I_BTNPOPUP}/in{I_BTNPOPUP}/is{I_BTNPOPUP}.",
        "Ende mit /",
    };
    TFont saved;
    saved.Assign(&C().Font());
    const auto blank = Colors(bmp_);
    std::vector<POINT> measured;
    for (const char* text : texts) {
        measured.push_back(Measure(text));
        C().Font().Assign(&saved);
    }
    EXPECT_EQ(Colors(bmp_), blank);  // measuring draws nothing
    for (size_t i = 0; i < std::size(texts); ++i) {
        const POINT drawn = DrawStyledText(C(), texts[i], {0, 0, 300, 120}, true, kFlags);
        C().Font().Assign(&saved);
        EXPECT_EQ(std::make_pair(measured[i].x, measured[i].y), std::make_pair(drawn.x, drawn.y)) << texts[i];
    }
}

TEST_F(StyledTextTest, LeavesNoGdiObjectsBehind) {
    const char* text = "/b/c{clRed}a/im{I_BTNPOPUP}/id{I_BTNPOPUP}/l{clBlue}/b0/#b";
    DrawStyledText(C(), text, {0, 0, 300, 120}, true, kFlags);
    const int objects = GdiOwnerLiveObjects();
    const int dcs = GdiOwnerLiveDCs();
    for (int i = 0; i < 3; ++i) DrawStyledText(C(), text, {0, 0, 300, 120}, true, kFlags);
    EXPECT_EQ(GdiOwnerLiveObjects(), objects);
    EXPECT_EQ(GdiOwnerLiveDCs(), dcs);
    EXPECT_EQ(SharedWorkBitmap::Users(), 0);
}

TEST_F(StyledTextTest, DrawsTheCodes) {
    auto reds = [&] {
        int n = 0;
        for (TColor c : Colors(bmp_)) n += c == clRed;
        return n;
    };
    DrawStyledText(C(), "X", {0, 0, 300, 120}, true, kFlags);
    EXPECT_EQ(reds(), 0);
    FillBitmap(bmp_, 300, 120, clWhite);
    C().Font().SetQuality(NONANTIALIASED_QUALITY);
    DrawStyledText(C(), "/c{clRed}X", {0, 0, 300, 120}, true, kFlags);
    EXPECT_GT(reds(), 0);
    // A line from the current x to the right edge at the current y.
    FillBitmap(bmp_, 300, 120, clWhite);
    C().Font().SetColor(clBlack);
    const POINT p = DrawStyledText(C(), "ab/l{clRed}", {0, 10, 200, 120}, true, kFlags);
    EXPECT_EQ(std::make_tuple(bmp_.Pixel(p.x, 10), bmp_.Pixel(199, 10), bmp_.Pixel(200, 10)),
              std::make_tuple(clRed, clRed, clWhite));
    EXPECT_NE(bmp_.Pixel(p.x - 1, 10), clRed);
}

TEST_F(StyledTextTest, WrappedCodedTextFlowsAndMeasuresAsDrawn) {
    // Several segments: each goes on where the one before ended, and the
    // measured extent holds every drawn pixel, the last line included.
    FillBitmap(bmp_, 300, 200, clWhite);
    C().Font().SetQuality(NONANTIALIASED_QUALITY);
    const char* text = "/bFett/b0 normaler Text, der in der schmalen Blase umbrechen muss, /bwieder fett/b0 und weiter.";
    const UINT flags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS;
    TFont saved;
    saved.Assign(&C().Font());
    const POINT measured = DrawStyledText(C(), text, {0, 0, 150, 500}, false, flags);
    C().Font().Assign(&saved);
    DrawStyledText(C(), text, {0, 0, 150, 200}, true, flags);
    const int line = Extent("Wg").cy;
    EXPECT_LE(measured.x, 150);
    EXPECT_GE(measured.y, 3 * line);  // at least three lines at 150 pixels
    int right = -1, bottom = -1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            if (bmp_.Pixel(x, y) != clWhite) right = std::max(right, x), bottom = std::max(bottom, y);
    // Measured are the advance widths; with a TrueType font the ink of a
    // line's last glyph may reach one pixel past them.
    EXPECT_LE(right, measured.x);
    EXPECT_LT(bottom, measured.y);
    EXPECT_GE(bottom, measured.y - line);  // the last line is drawn too
}

TEST_F(StyledTextTest, HugeOffsetsStayBounded) {
    // Each offset counts at most 0x3FFFFFF, so two forward and one back
    // leave one: nothing wraps around, nothing is lost to a clamp of the sum.
    constexpr int kOffsetLimit = 0x3FFFFFF;
    const POINT p = Measure("/ow{2147483647}/ow{2147483647}/oW{2147483647}x/oh{2147483647}/oh{2147483647}y");
    EXPECT_EQ(p.x, kOffsetLimit + Extent("x").cx + Extent("y").cx);
    const POINT down = Measure("/oh{2147483647}/oh{2147483647}/oH{2147483647}y");
    EXPECT_EQ(down.y, kOffsetLimit + Extent("Wg").cy);
    // Far beyond any offset the positions stop at 0x3FFFFFFF.
    std::string many;
    for (int i = 0; i < 40; ++i) many += "/ow{2147483647}";
    EXPECT_EQ(Measure((many + "x").c_str()).x, 0x3FFFFFFF);
    EXPECT_LE(p.y, 0x3FFFFFFF);
    EXPECT_GE(p.y, 2 * kOffsetLimit);
}

}  // namespace
