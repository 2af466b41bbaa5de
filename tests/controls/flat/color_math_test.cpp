// Colour arithmetic, pixel effects and button geometry (no window needed).
#include <gtest/gtest.h>

#include <functional>
#include <utility>
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

TEST(HlsScale, GreyHasTheUndefinedHueAndLuminanceMovesWithinTheScale) {
    struct {
        TColor rgb;
        int h, l, s;
    } toHls[] = {
        {RGBColor(128, 128, 128), 160, 120, 0},
        {0, 160, 0, 0},
        {kWhite, 160, 240, 0},
        {RGBColor(255, 0, 0), 0, 120, 240},
        {RGBColor(0, 0, 255), 160, 120, 240},  // a true blue: 240 * 2 / 3
        {RGBColor(255, 0, 1), 0, 120, 240},    // a hue just below 240 wraps to 0
    };
    for (const auto& c : toHls) {
        int h, l, s;
        RGBToHLS(c.rgb, h, l, s);
        EXPECT_EQ(std::vector<int>({h, l, s}), std::vector<int>({c.h, c.l, c.s})) << std::hex << c.rgb;
    }
    EXPECT_EQ(HLSToRGB(160, 120, 240), RGBColor(0, 0, 255));
    // The placeholder's colour on white: inverted to black, then 200 lighter
    // (255 * 200 / 240 = 212.5, half to even).
    EXPECT_EQ(AdjustLuminance(0, 200), RGBColor(212, 212, 212));
    EXPECT_EQ(AdjustLuminance(0, 200), RGBColor(212, 212, 212));  // from the kept pair
    EXPECT_EQ(AdjustLuminance(RGBColor(128, 128, 128), 200), kWhite);
    EXPECT_EQ(AdjustLuminance(RGBColor(128, 128, 128), -200), 0);
    EXPECT_EQ(AdjustLuminance(RGBColor(255, 0, 0), -60), RGBColor(128, 0, 0));
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

// A grey image framed in memory by a green row above and below and zero row
// padding: a read outside its rows brings in a colour that is not grey.
struct FramedGrey {
    int w, h, row;
    std::vector<uint8_t> bytes;
    static constexpr uint8_t kGrey = 100;
    FramedGrey(int W, int H) : w(W), h(H), row(RowSize24(W)), bytes(static_cast<size_t>(row * (H + 2)), 0) {
        for (int y = 0; y < h + 2; ++y)
            for (int x = 0; x < w; ++x)
                Frame(y)[x] = y == 0 || y == h + 1 ? MakeTriple(0, 255, 0) : MakeTriple(kGrey, kGrey, kGrey);
        initial = bytes;
    }
    TRGBTriple* Frame(int y) { return reinterpret_cast<TRGBTriple*>(bytes.data() + static_cast<size_t>(y * row)); }
    TPixels24 View() { return TPixels24{bytes.data() + row, w, h, row}; }
    // Every pixel the same grey, and the frame and padding as they were.
    bool StayedInside() {
        const TRGBTriple first = View().At(0, 0);
        if (first.Red != first.Green || first.Green != first.Blue) return false;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (!(View().At(x, y) == first)) return false;
        for (size_t i = 0; i < bytes.size(); ++i) {
            const size_t y = i / static_cast<size_t>(row), x = i % static_cast<size_t>(row);
            const bool pixel = y >= 1 && y <= static_cast<size_t>(h) && x < static_cast<size_t>(w * 3);
            if (!pixel && bytes[i] != initial[i]) return false;
        }
        return true;
    }
    std::vector<uint8_t> initial;
};

// The effects that read neighbours or move pixels read and write only inside
// the rows they are given, at the edges and on one-pixel images too.
TEST(PixelEffects, NeighbourEffectsStayInside) {
    const TRGBTriple grey = MakeTriple(FramedGrey::kGrey, FramedGrey::kGrey, FramedGrey::kGrey);
    const struct {
        const char* name;
        std::function<void(const TPixels24&)> effect;
    } cases[] = {
        {"blur", [](const TPixels24& p) { Blur(p, 3); }},
        {"emboss", [](const TPixels24& p) { Emboss(p); }},
        {"flip across", [](const TPixels24& p) { Flip(p, true); }},
        {"flip down", [](const TPixels24& p) { Flip(p, false); }},
        {"sharpen", [](const TPixels24& p) { Sharpen(p, 2); }},
        {"spray", [](const TPixels24& p) { Spray(p, 2, 7); }},
        {"wave wrapped", [](const TPixels24& p) { Wave(p, 2, 3, 1, 2, true); }},
        {"wave clamped", [](const TPixels24& p) { Wave(p, 2, 3, 1, 2, false); }},
        {"contrast", [](const TPixels24& p) { Contrast(p, 300); }},
        {"saturation", [](const TPixels24& p) { Saturation(p, 300); }},
        {"rotate", [grey](const TPixels24& p) { Rotate(p, 90, grey); }},
    };
    for (const auto& c : cases) {
        for (auto [w, h] : {std::pair{5, 3}, std::pair{1, 1}, std::pair{7, 2}}) {
            FramedGrey img(w, h);
            c.effect(img.View());
            EXPECT_TRUE(img.StayedInside()) << c.name << " " << w << "x" << h;
        }
    }
    FramedGrey from(5, 3), wide(7, 2), small(1, 1);
    SmoothStretch(from.View(), wide.View());
    SmoothStretch(from.View(), small.View());
    EXPECT_TRUE(from.StayedInside() && wide.StayedInside() && small.StayedInside());
}

// What a few of them make of their neighbours.
TEST(PixelEffects, NeighbourEffectsExactValues) {
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
    Image ends(2, 1), line(3, 1);  // black and white stretched to three: grey in between
    ends.Set(0, 0, 0);
    ends.Set(1, 0, kWhite);
    SmoothStretch(ends.View(), line.View());
    EXPECT_EQ(line.Get(1, 0), RGBColor(127, 127, 127));
    EXPECT_TRUE(img.PaddingIntact() && line.PaddingIntact());
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
