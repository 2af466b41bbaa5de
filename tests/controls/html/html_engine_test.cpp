// Layout with fixed metrics: base font 8 pt, 6 px per character (7 bold),
// 16 px per line.
#include <gtest/gtest.h>

#include <random>

#include "controls/html/html_engine.h"
#include "tests/controls/html/fixed_metrics_device.h"

namespace {

HTMLDrawParams Params(std::string_view text, int width = 200, HTMLMode mode = HTMLMode::Measure) {
    HTMLDrawParams p;
    p.Text = text;
    p.Rect = HTMLRect{10, 5, 10 + width, 1000};
    p.Font = HTMLFontSpec{"Tahoma", 8, 0, 0};
    p.FontColor = 0x000000;
    p.Background = 0xFFFFFF;
    p.Mode = mode;
    p.Variant = HTMLVariant::FormLabel();
    return p;
}

HTMLDrawResult Layout(FixedMetricsDevice& d, const HTMLDrawParams& p) { return HTMLRender(d, p); }

TEST(HTMLLayout, MeasuredExtents) {
    struct Case {
        const char* text;
        int width;
        int expectW, expectH;
    } cases[] = {
        {"", 200, 0, 16},                     // an empty text still has the height of "gh"
        {"A", 200, 6, 16},
        {"A<BR>B", 200, 6, 32},
        {"A<BR><BR>B", 200, 6, 48},           // an empty line keeps its height
        {"Hallo<BR>", 200, 30, 16},           // a final break opens no line
        {"abc<B", 200, 18, 16},               // an unclosed tag ends the text
        {"ab<B>cd</B>", 200, 26, 16},
        {"<FONT SIZE=\"3\">x</FONT>", 200, 9, 24},   // sizes 1-5 are 8..16 pt
        {"<FONT SIZE=\"9\">x</FONT>", 200, 6, 18},
        {"<FONT SIZE=3>x</FONT>", 200, 6, 16},       // unquoted: ignored
        {"<FONT SIZE=\"x\">x</FONT>", 200, 6, 16},   // not a number: ignored
        {"x<SUP>2</SUP>", 200, 12, 20},       // a quarter line above
        {"x<SUB>2</SUB><BR>y", 200, 12, 36},
        {"a<Z>hidden</Z>b", 200, 12, 16},
        {"a<IND x=\"50\">b", 200, 56, 16},
        {"a<IND x=\"q\">b", 200, 12, 16},
        {"<P INDENT=\"20\">ab</P>", 200, 32, 16},
        {"a<HR>b", 200, 6, 32},
        {"</R></R><R a=\"x\">a</R></R>", 200, 6, 16},
        {"<R a=\"2147483647\">a</R>", 200, 6, 16},          // huge numbers stay in range
        {"a<IND x=\"2147483647\">b", 200, (1 << 20) + 6, 16},
        {"<FONT SIZE=\"2147483647\">x</FONT>", 200, 6, 16},
    };
    for (const auto& c : cases) {
        FixedMetricsDevice d;
        auto r = Layout(d, Params(c.text, c.width));
        EXPECT_EQ(r.Width, c.expectW) << c.text;
        EXPECT_EQ(r.Height, c.expectH) << c.text;
        EXPECT_TRUE(d.DrewNothing()) << c.text;
    }
}

TEST(HTMLLayout, WordWrap) {
    // 60 px: "aaa " (24) + "bbb " (24) fit, "ccc" (18) does not.
    FixedMetricsDevice d;
    auto p = Params("aaa bbb ccc", 60, HTMLMode::Draw);
    auto r = Layout(d, p);
    EXPECT_EQ(r.LineCount, 2);
    ASSERT_EQ(d.texts.size(), 3u);
    EXPECT_EQ(d.texts[2].text, "ccc");
    EXPECT_EQ(d.texts[2].box.Left, 10);
    EXPECT_EQ(d.texts[2].box.Top, 5 + 16);
    EXPECT_FALSE(d.texts[0].ellipsis);

    // A word wider than the rectangle stands alone on its line.
    FixedMetricsDevice w;
    auto wide = Layout(w, Params("a verylongwordhere b", 60, HTMLMode::Draw));
    EXPECT_EQ(wide.LineCount, 3);
    ASSERT_EQ(w.texts.size(), 3u);
    EXPECT_EQ(w.texts[1].text, "verylongwordhere ");
    EXPECT_EQ(w.texts[1].box.Left, 10);

    // A word split by tags is not broken apart.
    FixedMetricsDevice s;
    auto split = Layout(s, Params("aaaaaaa<B>bbbb</B>", 60));
    EXPECT_EQ(split.LineCount, 1);
    EXPECT_EQ(split.Width, 42 + 28);
}

TEST(HTMLLayout, NoWrapKeepsOneLineWithEllipsis) {
    FixedMetricsDevice d;
    auto p = Params("aaa bbb ccc ddd", 40, HTMLMode::Draw);
    p.WordWrap = false;
    auto r = Layout(d, p);
    EXPECT_EQ(r.LineCount, 1);
    EXPECT_EQ(r.Width, 90);
    ASSERT_EQ(d.texts.size(), 1u);
    EXPECT_TRUE(d.texts[0].ellipsis);
    EXPECT_EQ(d.texts[0].box.Right, 50);  // cut at the rectangle's right edge
}

TEST(HTMLLayout, AlignmentAndLists) {
    FixedMetricsDevice d;
    Layout(d, Params("<P ALIGN=\"right\">abc</P><P align=\"CENTER\">ab</P>x", 100, HTMLMode::Draw));
    ASSERT_EQ(d.texts.size(), 3u);
    EXPECT_EQ(d.texts[0].box.Left, 110 - 18);
    EXPECT_EQ(d.texts[1].box.Left, 10 + (100 - 12) / 2);
    EXPECT_EQ(d.texts[2].box.Left, 10 + (100 - 6) / 2);  // kept until another P

    FixedMetricsDevice l;
    auto r = Layout(l, Params("<UL><LI>a<LI>b<UL><LI>c</UL></UL>", 200, HTMLMode::Draw));
    EXPECT_EQ(r.LineCount, 3);  // a second item in one line ends the line
    ASSERT_EQ(l.texts.size(), 6u);
    EXPECT_EQ(l.texts[0].text, "\xB7");
    EXPECT_EQ(l.texts[0].font.Name, "Symbol");
    EXPECT_EQ(l.texts[0].box.Left, 10);
    EXPECT_EQ(l.texts[1].box.Left, 22);  // text 12 px after the bullet
    EXPECT_EQ(l.texts[4].text, "o");     // even levels
    EXPECT_EQ(l.texts[4].box.Left, 22);
    EXPECT_EQ(l.texts[5].box.Left, 34);
}

TEST(HTMLLayout, TextRunColoursAndBackgrounds) {
    FixedMetricsDevice d;
    auto p = Params("<BODY BGCOLOR=\"clYellow\"><FONT COLOR=\"#FF0000\" BGCOLOR=\"clAqua\">r</FONT>"
                    "<FONT BGCOLOR=\"clLime\">g</FONT><HI>h</HI><P BGCOLOR=\"#0000FF\">p</P>k",
                    200, HTMLMode::Draw);
    Layout(d, p);
    ASSERT_EQ(d.texts.size(), 5u);
    EXPECT_EQ(d.texts[0].color, 0x0000FFu);
    EXPECT_EQ(d.texts[0].background, 0xFFFF00u);
    EXPECT_EQ(d.texts[1].color, 0u);  // BGCOLOR alone leaves the text colour
    EXPECT_EQ(d.texts[1].background, 0x00FF00u);
    EXPECT_EQ(d.texts[2].color, 0x8000000Eu);
    EXPECT_EQ(d.texts[2].background, 0x8000000Du);
    EXPECT_EQ(d.texts[4].background, clNone);
    ASSERT_GE(d.fills.size(), 2u);
    EXPECT_EQ(d.fills[0].first, p.Rect);
    EXPECT_EQ(d.fills[0].second, 0x00FFFFu);
    EXPECT_EQ(d.fills[1].second, 0xFF0000u);  // the paragraph band
    EXPECT_EQ(d.fills[1].first.Left, 10);
    EXPECT_EQ(d.fills[1].first.Right, 210);
}

TEST(HTMLLayout, AnchorsHitTestAndHover) {
    const char* text = "x<A HREF=\"one\">a</A> <A HREF=\"Two\">b</A>";
    FixedMetricsDevice d;
    auto p = Params(text, 200, HTMLMode::HitTest);
    // "x" 6, "a" 6, " " 6, "b" at 18..24 from the left edge 10.
    p.X = 30;
    p.Y = 10;
    auto r = Layout(d, p);
    EXPECT_TRUE(d.DrewNothing());
    EXPECT_EQ(r.AnchorCount, 2);
    EXPECT_TRUE(r.OnAnchor);
    EXPECT_EQ(r.Anchor, "Two");
    EXPECT_EQ(r.AnchorIndex, 1);
    EXPECT_EQ(r.AnchorRect, (HTMLRect{28, 5, 34, 21}));
    p.X = 12;
    r = Layout(d, p);
    EXPECT_FALSE(r.OnAnchor);
    EXPECT_EQ(r.Anchor, "");
    EXPECT_EQ(r.AnchorIndex, -1);

    // Drawn: anchors underlined in the URL colour; with hover only the hovered one.
    FixedMetricsDevice draw;
    auto dp = Params(text, 200, HTMLMode::Draw);
    Layout(draw, dp);
    ASSERT_EQ(draw.texts.size(), 4u);
    EXPECT_EQ(draw.texts[1].font.Style & htmlUnderline, htmlUnderline);
    EXPECT_EQ(draw.texts[1].color, 0xFF0000u);
    EXPECT_EQ(draw.texts[2].font.Style, 0u);
    EXPECT_EQ(draw.texts[2].color, 0u);
    FixedMetricsDevice hov;
    dp.Hover = true;
    dp.HoverIndex = 1;
    dp.HoverFontColor = 0x00FF00;
    dp.HoverColor = 0x00FFFF;
    Layout(hov, dp);
    EXPECT_EQ(hov.texts[1].font.Style, 0u);
    EXPECT_EQ(hov.texts[3].font.Style, unsigned(htmlUnderline));
    EXPECT_EQ(hov.texts[3].color, 0x00FF00u);
    EXPECT_EQ(hov.texts[3].background, 0x00FFFFu);
}

TEST(HTMLLayout, ImagesByVariant) {
    const char* text = "a<IMG SRC=\"IDX:1\">b<IMG SRC=\"Logo\" WIDTH=\"40\" HEIGHT=\"x\"><IMG SRC=\"IDX:q\">";
    FixedMetricsDevice label;
    auto r = Layout(label, Params(text, 200, HTMLMode::Draw));
    ASSERT_EQ(label.images.size(), 2u);
    EXPECT_EQ(label.images[0].first.Kind, HTMLImageKind::ImageList);
    EXPECT_EQ(label.images[0].first.Index, 1);
    EXPECT_EQ(label.images[0].second, (HTMLRect{16, 5, 36, 35}));  // bottom-aligned in a 30 px line
    EXPECT_EQ(label.images[1].first.Kind, HTMLImageKind::ContainerPicture);
    EXPECT_EQ(label.images[1].first.Source, "Logo");
    EXPECT_EQ(label.images[1].second.Width(), 20);  // HEIGHT not a number: own size
    EXPECT_EQ(r.Height, 30);
    EXPECT_EQ(label.texts[0].box.Bottom, 35);

    FixedMetricsDevice box;
    auto p = Params(text, 200, HTMLMode::Draw);
    p.Variant = HTMLVariant::MessageLabel();
    r = Layout(box, p);
    EXPECT_TRUE(box.images.empty());
    EXPECT_EQ(r.Height, 16);

    // Missing pictures take no room.
    FixedMetricsDevice none;
    none.imageSizes["nix"] = HTMLSize{0, 0};
    r = Layout(none, Params("<IMG SRC=\"nix\">a", 200, HTMLMode::Draw));
    EXPECT_TRUE(none.images.empty());
    EXPECT_EQ(r.Width, 6);
}

TEST(HTMLLayout, MessageLabelNeedsRoomForW) {
    FixedMetricsDevice d;
    auto p = Params("abcdefghij", 200, HTMLMode::Draw);
    p.Variant = HTMLVariant::MessageLabel();
    p.WordWrap = false;
    p.Rect.Right = p.Rect.Left + 6;  // not more than a "W" left
    Layout(d, p);
    EXPECT_TRUE(d.texts.empty());
}

TEST(HTMLLayout, DrawingStopsBelowTheRectangle) {
    FixedMetricsDevice d;
    auto p = Params("1<BR>2<BR>3<BR>4", 200, HTMLMode::Draw);
    p.Rect.Bottom = p.Rect.Top + 40;
    auto r = Layout(d, p);
    EXPECT_EQ(d.texts.size(), 2u);
    EXPECT_EQ(r.LineCount, 2);
    p.Mode = HTMLMode::Measure;
    EXPECT_EQ(Layout(d, p).Height, 64);  // measuring takes the whole text
}

TEST(HTMLLayout, ShadowAndErrorMark) {
    FixedMetricsDevice d;
    auto p = Params("<SH>s</SH><E>err</E>", 200, HTMLMode::Draw);
    p.ShadowColor = 0x808080;
    Layout(d, p);
    ASSERT_EQ(d.texts.size(), 3u);
    EXPECT_EQ(d.texts[0].color, 0x808080u);
    EXPECT_EQ(d.texts[0].box.Left, d.texts[1].box.Left + 2);
    ASSERT_EQ(d.lines.size(), 1u);
    EXPECT_EQ(d.lines[0].front().first, 16);
    EXPECT_EQ(d.lines[0].back().first, 34);
}

TEST(HTMLLayout, MeasuringTwiceGivesTheSameResult) {
    const char* text = "<B>Folgender Fehler ist aufgetreten:</B><BR>Die Datei <A HREF=\"x\">x</A> fehlt.";
    FixedMetricsDevice d;
    auto a = Layout(d, Params(text, 90));
    auto b = Layout(d, Params(text, 90));
    EXPECT_EQ(a.Width, b.Width);
    EXPECT_EQ(a.Height, b.Height);
    EXPECT_EQ(a.AnchorCount, 1);
    EXPECT_TRUE(d.DrewNothing());
}

// Random tag soup ends, and the three modes agree on the extent.
TEST(HTMLLayout, TagSoupTerminates) {
    const char* pieces[] = {"<", ">", "</", "a", " ", "<B>", "<BR>", "<LI>", "<UL>", "</UL>", "<R a=\"", "\"",
                            "<IMG SRC=\"IDX:2\">", "<P ALIGN=\"CENTER\">", "</P>", "&amp;", "&lt;", "<Z>",
                            "<FONT SIZE=\"", "<A HREF=\"", "</A>", "<HR>", "<SUB>", "<IND x=\"300\">", "\r\n"};
    std::mt19937 rng(42);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        int n = static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) text += pieces[rng() % std::size(pieces)];
        FixedMetricsDevice d;
        auto p = Params(text, static_cast<int>(rng() % 80));
        p.WordWrap = (rng() & 1) != 0;
        auto m = Layout(d, p);
        p.Mode = HTMLMode::Draw;
        p.Rect.Bottom = p.Rect.Top + 100000;
        auto dr = Layout(d, p);
        EXPECT_EQ(m.Height, dr.Height) << text;
        EXPECT_EQ(m.LineCount, dr.LineCount) << text;
        // Word by word or a run of words at once: the same layout.
        FixedMetricsDevice single;
        single.runs = false;
        auto w = Layout(single, p);
        EXPECT_EQ(w.Width, dr.Width) << text;
        EXPECT_EQ(w.Height, dr.Height) << text;
    }
}

}  // namespace
