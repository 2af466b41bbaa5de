// Colour arithmetic, pixel effects and button geometry (no window needed).
#include <gtest/gtest.h>

#include <vector>

#include "controls/flat/button_layout.h"
#include "controls/flat/hsl_utils.h"
#include "controls/flat/pixel_effects.h"

namespace {

constexpr TColor kWhite = 0xFFFFFF;

TEST(HslRange, ConvertsAndShiftsColoursExactly) {
    struct {
        TColor rgb;
        int h, s, l;
    } toHsl[] = {
        {kWhite, 0, 0, 240},
        {RGBColor(255, 0, 0), 0, 240, 120},
        {RGBColor(0, 255, 0), 80, 240, 120},   // 239/3 = 79.67
        {RGBColor(0, 0, 255), 159, 240, 120},  // 478/3 = 159.33
        {0, 0, 0, 0},
    };
    for (const auto& c : toHsl) {
        int h, s, l;
        RGBToHSLRange(c.rgb, h, s, l);
        EXPECT_EQ(std::vector<int>({h, s, l}), std::vector<int>({c.h, c.s, c.l})) << std::hex << c.rgb;
    }
    struct {
        int h, s, l;
        TColor rgb;
    } toRgb[] = {
        {0, 240, 120, RGBColor(255, 0, 0)},
        {0, 0, 8, RGBColor(8, 8, 8)},  // 255 * 8 / 240 = 8.5 goes to the even 8
        // Beyond the range: saturated, not wrapped round to a dark or light grey.
        {0, 0, 249, kWhite},
        {0, 240, 250, kWhite},
        {0, 0, -8, 0},
    };
    for (const auto& c : toRgb) EXPECT_EQ(HSLRangeToRGB(c.h, c.s, c.l), c.rgb) << c.h << " " << c.s << " " << c.l;

    // The advanced colours' shift keeps its cap at 100 of 240 and its "+ 10".
    const TColor face = RGBColor(192, 192, 192), current = RGBColor(1, 2, 3);
    EXPECT_EQ(ShiftLightness(face, current, 10, false), RGBColor(106, 106, 106));
    EXPECT_EQ(ShiftLightness(face, current, 10, true), face);     // 181 + 10 - 10
    EXPECT_EQ(ShiftLightness(kWhite, current, 5, true), kWhite);  // 240 + 10 - 5 saturates
    EXPECT_EQ(ShiftLightness(face, current, 0, true), current);   // amount 0: the current colour
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

using Effect = void (*)(const TPixels24&);

TEST(PixelEffects, ChannelTablesAreExact) {
    struct {
        const char* name;
        Effect effect;
        TColor in, out;
    } cases[] = {
        {"grey black", [](const TPixels24& p) { Grayscale(p); }, RGBColor(1, 1, 1), 0},
        {"grey white", [](const TPixels24& p) { Grayscale(p); }, kWhite, kWhite},
        {"grey mix", [](const TPixels24& p) { Grayscale(p); }, RGBColor(30, 60, 90), RGBColor(60, 60, 60)},
        {"light", [](const TPixels24& p) { Lightness(p, 90); }, RGBColor(0, 128, 255), RGBColor(89, 172, 255)},
        {"dark", [](const TPixels24& p) { Lightness(p, -90); }, RGBColor(255, 0, 255), RGBColor(166, 0, 166)},
        {"add", [](const TPixels24& p) { AddRGB(p, 10, -20, 0); }, RGBColor(250, 10, 10), RGBColor(255, 0, 10)},
        {"invert", [](const TPixels24& p) { Invert(p); }, RGBColor(0, 1, 255), RGBColor(255, 254, 0)},
        {"replace", [](const TPixels24& p) { ReplaceColour(p, MakeTriple(4, 5, 6), MakeTriple(9, 9, 9)); },
         RGBColor(4, 5, 6), RGBColor(9, 9, 9)},
        {"mask of", [](const TPixels24& p) { MaskOfColour(p, MakeTriple(4, 5, 6)); }, RGBColor(4, 5, 6), 0},
        {"mask other", [](const TPixels24& p) { MaskOfColour(p, MakeTriple(4, 5, 6)); }, RGBColor(4, 5, 7), kWhite},
    };
    for (const auto& c : cases) {
        Image img(1, 2);
        img.Set(0, 0, c.in);
        img.Set(0, 1, c.in);
        c.effect(img.View());
        EXPECT_EQ(img.Get(0, 0), c.out) << c.name;
        EXPECT_EQ(img.Get(0, 1), c.out) << c.name;
        EXPECT_TRUE(img.PaddingIntact()) << c.name;
    }
}

// The effects that read neighbours or move pixels stay inside the rows (the
// sanitizer build sees any stray read) and never write the padding.
TEST(PixelEffects, NeighbourEffectsStayInside) {
    Image img(5, 3);
    FillPixels(img.View(), ColorToTriple(RGBColor(100, 100, 100)));
    Blur(img.View(), 3);
    Emboss(img.View());
    EXPECT_EQ(img.Get(4, 2), RGBColor(127, 127, 127));  // (100 + 155) / 2
    img.Set(0, 0, RGBColor(1, 2, 3));
    Flip(img.View(), true);  // a row [a, b, c, d, e] becomes [e, d, c, b, a]
    EXPECT_EQ(img.Get(4, 0), RGBColor(1, 2, 3));
    Rotate(img.View(), 90, ColorToTriple(RGBColor(4, 5, 6)));
    EXPECT_EQ(img.Get(0, 0), RGBColor(4, 5, 6));  // its source lies outside: the fill
    const Effect others[] = {
        [](const TPixels24& p) { Flip(p, false); },  [](const TPixels24& p) { Sharpen(p, 2); },
        [](const TPixels24& p) { Spray(p, 2, 7); },  [](const TPixels24& p) { Wave(p, 2, 3, 1, 2, true); },
        [](const TPixels24& p) { Contrast(p, 300); }, [](const TPixels24& p) { Wave(p, 2, 3, 1, 2, false); },
        [](const TPixels24& p) { Saturation(p, 300); },
    };
    for (Effect e : others) e(img.View());
    Image wide(7, 2), line(3, 1);
    SmoothStretch(img.View(), wide.View());
    Image ends(2, 1);  // black and white stretched to three: grey in between
    ends.Set(0, 0, 0);
    ends.Set(1, 0, kWhite);
    SmoothStretch(ends.View(), line.View());
    EXPECT_EQ(line.Get(1, 0), RGBColor(127, 127, 127));
    EXPECT_TRUE(img.PaddingIntact() && wide.PaddingIntact() && line.PaddingIntact());
}

TEST(ButtonLayout, PlacesGlyphAndCaption) {
    const PlainRect client{0, 0, 40, 20};
    struct {
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
    for (const auto& c : cases) {
        TButtonLayoutResult r = LayoutButton(client, c.offset, c.tw, c.th, c.gw, c.gh, c.margin, c.spacing, c.layout);
        EXPECT_EQ(r.GlyphPos, c.glyph) << c.layout << " " << c.offset;
        EXPECT_EQ(r.TextBounds, c.text) << c.layout << " " << c.offset;
    }
    EXPECT_EQ(CaptionWithLineBreaks("a<BR>b<br>c"), "a\r\nb\r\nc");
}

}  // namespace
