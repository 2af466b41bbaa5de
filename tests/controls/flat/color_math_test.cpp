// Colour arithmetic, pixel effects and button geometry (no window needed).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "controls/flat/button_layout.h"
#include "controls/flat/hsl_utils.h"
#include "controls/flat/pixel_effects.h"

namespace {

struct Hsl {
    int h, s, l;
};

TEST(HslRange, ConvertsColoursExactly) {
    struct Case {
        TColor rgb;
        Hsl hsl;
    } cases[] = {
        {RGBColor(255, 255, 255), {0, 0, 240}},
        {RGBColor(255, 0, 0), {0, 240, 120}},
        {RGBColor(0, 255, 0), {80, 240, 120}},  // 239/3 = 79.67
        {RGBColor(0, 0, 255), {159, 240, 120}},  // 478/3 = 159.33
        {RGBColor(0, 0, 0), {0, 0, 0}},
    };
    for (const Case& c : cases) {
        Hsl got{};
        RGBToHSLRange(c.rgb, got.h, got.s, got.l);
        EXPECT_EQ(got.h, c.hsl.h) << std::hex << c.rgb;
        EXPECT_EQ(got.s, c.hsl.s) << std::hex << c.rgb;
        EXPECT_EQ(got.l, c.hsl.l) << std::hex << c.rgb;
    }
    EXPECT_EQ(HSLRangeToRGB(0, 240, 120), RGBColor(255, 0, 0));
    // 255 * 8 / 240 = 8.5 goes to the even 8 (rounding half up would give 9).
    EXPECT_EQ(HSLRangeToRGB(0, 0, 8), RGBColor(8, 8, 8));
}

TEST(HslRange, ShiftLightnessKeepsItsCap) {
    const TColor face = RGBColor(192, 192, 192);
    EXPECT_EQ(ShiftLightness(face, face, 10, false), RGBColor(106, 106, 106));  // capped at 100 of 240
    EXPECT_EQ(ShiftLightness(face, face, 10, true), face);                      // 181 + 10 - 10
    EXPECT_EQ(ShiftLightness(face, RGBColor(1, 2, 3), 0, true), RGBColor(1, 2, 3));
}

// A small image in a padded buffer; the padding bytes are 0xAB.
struct Image {
    int w, h, row;
    std::vector<uint8_t> bytes;
    Image(int W, int H) : w(W), h(H), row(RowSize24(W)), bytes(static_cast<size_t>(row * H), 0xAB) {}
    TPixels24 View() { return TPixels24{bytes.data(), w, h, row}; }
    void Set(int x, int y, TColor c) { View().At(x, y) = ColorToTriple(c); }
    TColor Get(int x, int y) { return TripleToColor(View().At(x, y)); }
    bool PaddingIntact() const {
        for (int y = 0; y < h; ++y)
            for (int i = w * 3; i < row; ++i)
                if (bytes[static_cast<size_t>(y * row + i)] != 0xAB) return false;
        return true;
    }
};

TEST(PixelEffects, ChannelTablesAreExact) {
    struct Case {
        const char* name;
        void (*effect)(const TPixels24&);
        TColor in, out;
    } cases[] = {
        {"grey black", [](const TPixels24& p) { Grayscale(p); }, RGBColor(1, 1, 1), RGBColor(0, 0, 0)},
        {"grey white", [](const TPixels24& p) { Grayscale(p); }, RGBColor(255, 255, 255), RGBColor(255, 255, 255)},
        {"grey mix", [](const TPixels24& p) { Grayscale(p); }, RGBColor(30, 60, 90), RGBColor(60, 60, 60)},
        {"light 0", [](const TPixels24& p) { Lightness(p, 90); }, RGBColor(0, 128, 255), RGBColor(89, 172, 255)},
        {"dark", [](const TPixels24& p) { Lightness(p, -90); }, RGBColor(255, 0, 255), RGBColor(166, 0, 166)},
        {"add", [](const TPixels24& p) { AddRGB(p, 10, -20, 0); }, RGBColor(250, 10, 10), RGBColor(255, 0, 10)},
        {"invert", [](const TPixels24& p) { Invert(p); }, RGBColor(0, 1, 255), RGBColor(255, 254, 0)},
    };
    for (const Case& c : cases) {
        Image img(1, 2);
        img.Set(0, 0, c.in);
        img.Set(0, 1, c.in);
        c.effect(img.View());
        EXPECT_EQ(img.Get(0, 0), c.out) << c.name;
        EXPECT_EQ(img.Get(0, 1), c.out) << c.name;
        EXPECT_TRUE(img.PaddingIntact()) << c.name;
    }
}

TEST(PixelEffects, ColourSelectionAndFlip) {
    Image img(3, 1);
    img.Set(0, 0, RGBColor(1, 2, 3));
    img.Set(1, 0, RGBColor(4, 5, 6));
    img.Set(2, 0, RGBColor(7, 8, 9));
    Flip(img.View(), true);
    EXPECT_EQ(img.Get(0, 0), RGBColor(7, 8, 9));
    EXPECT_EQ(img.Get(2, 0), RGBColor(1, 2, 3));
    ReplaceColour(img.View(), ColorToTriple(RGBColor(4, 5, 6)), ColorToTriple(RGBColor(9, 9, 9)));
    EXPECT_EQ(img.Get(1, 0), RGBColor(9, 9, 9));
    MaskOfColour(img.View(), ColorToTriple(RGBColor(9, 9, 9)));
    EXPECT_EQ(img.Get(0, 0), RGBColor(255, 255, 255));
    EXPECT_EQ(img.Get(1, 0), RGBColor(0, 0, 0));
    EXPECT_TRUE(img.PaddingIntact());
}

TEST(PixelEffects, NeighbourEffectsStayInside) {
    Image img(5, 3);
    FillPixels(img.View(), ColorToTriple(RGBColor(100, 100, 100)));
    Blur(img.View(), 3);
    Emboss(img.View());
    Flip(img.View(), false);
    EXPECT_EQ(img.Get(4, 2), RGBColor(127, 127, 127));  // (100 + 155) / 2
    EXPECT_TRUE(img.PaddingIntact());
}

TEST(PixelEffects, GeometricEffects) {
    Image img(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) img.Set(x, y, RGBColor(static_cast<uint8_t>(x * 10 + y), 0, 0));
    Rotate(img.View(), 180, ColorToTriple(clNone & 0xFFFFFF));
    EXPECT_EQ(img.Get(0, 0), RGBColor(22, 0, 0));
    EXPECT_EQ(img.Get(2, 1), RGBColor(1, 0, 0));
    Image wide(3, 1);
    FillPixels(wide.View(), ColorToTriple(RGBColor(7, 7, 7)));
    Rotate(wide.View(), 90, ColorToTriple(RGBColor(1, 2, 3)));
    EXPECT_EQ(wide.Get(0, 0), RGBColor(1, 2, 3));  // its source lies outside: the fill
    EXPECT_EQ(wide.Get(1, 0), RGBColor(7, 7, 7));

    Image from(2, 1), to(3, 1);
    from.Set(0, 0, RGBColor(0, 0, 0));
    from.Set(1, 0, RGBColor(255, 255, 255));
    SmoothStretch(from.View(), to.View());
    EXPECT_EQ(to.Get(0, 0), RGBColor(0, 0, 0));
    EXPECT_EQ(to.Get(1, 0), RGBColor(127, 127, 127));
    EXPECT_EQ(to.Get(2, 0), RGBColor(255, 255, 255));
    EXPECT_TRUE(to.PaddingIntact());

    Image sharp(3, 3);
    FillPixels(sharp.View(), ColorToTriple(RGBColor(50, 50, 50)));
    sharp.Set(1, 1, RGBColor(100, 60, 50));
    Sharpen(sharp.View(), 1);
    EXPECT_EQ(sharp.Get(1, 1), RGBColor(255, 140, 50));  // 9 x 100 - 8 x 50, 9 x 60 - 400, 50
    Spray(sharp.View(), 2, 7);
    Wave(sharp.View(), 2, 3, 1, 2, true);
    Wave(sharp.View(), 2, 3, 1, 2, false);
    EXPECT_TRUE(sharp.PaddingIntact());
}

TEST(ButtonLayout, PlacesGlyphAndCaption) {
    const PlainRect client{0, 0, 40, 20};
    struct Case {
        int offset, tw, th, gw, gh, margin, spacing;
        TButtonLayout layout;
        PlainPoint glyph;
        PlainRect text;
    } cases[] = {
        {0, 0, 0, 16, 16, -1, 4, blGlyphTop, {12, 2}, {20, 18, 20, 18}},
        {1, 0, 0, 16, 16, -1, 4, blGlyphTop, {13, 3}, {21, 19, 21, 19}},
        // glyph 8 + spacing 4 + text 12 = 24 of 40: margin (40 - 24 + 1) div 2 = 8
        {0, 12, 10, 8, 8, -1, 4, blGlyphLeft, {8, 6}, {20, 5, 32, 15}},
        {0, 12, 10, 8, 8, -1, 4, blGlyphRight, {24, 6}, {8, 5, 20, 15}},
        // spacing -1: margin (40 - 20) div 3 = 6 = spacing
        {0, 12, 10, 8, 8, -1, -1, blGlyphLeft, {6, 6}, {20, 5, 32, 15}},
        // margin 2, spacing -1: (40 - 10 - 12) div 2 = 9
        {0, 12, 10, 8, 8, 2, -1, blGlyphLeft, {2, 6}, {19, 5, 31, 15}},
        {0, 12, 4, 8, 8, 1, 2, blGlyphBottom, {16, 11}, {14, 5, 26, 9}},
    };
    for (const Case& c : cases) {
        TButtonLayoutResult r =
            LayoutButton(client, c.offset, c.tw, c.th, c.gw, c.gh, c.margin, c.spacing, c.layout);
        EXPECT_EQ(r.GlyphPos, c.glyph) << c.layout << " " << c.offset;
        EXPECT_EQ(r.TextBounds, c.text) << c.layout << " " << c.offset;
    }
    EXPECT_EQ(CaptionWithLineBreaks("a<BR>b<br>c"), "a\r\nb\r\nc");
}

}  // namespace
