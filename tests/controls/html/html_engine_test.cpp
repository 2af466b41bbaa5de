// Layout with fixed metrics: base font 8 pt, 6 px per character (7 bold),
// 16 px per line; the rectangle starts at (10, 5).
#include <gtest/gtest.h>

#include <random>

#include "controls/dialogs/box_text.h"
#include "controls/html/html_engine.h"
#include "tests/controls/html/fixed_metrics_device.h"

namespace {

HTMLDrawParams Params(std::string_view text, int width = 200, HTMLMode mode = HTMLMode::Measure) {
    HTMLDrawParams p;
    p.Text = text;
    p.Rect = HTMLRect{10, 5, 10 + width, 1000};
    p.Font = HTMLFontDesc{"Tahoma", 8, 0, 0};
    p.Background = 0xFFFFFF;
    p.Mode = mode;
    p.Variant = HTMLVariant::FormLabel();
    return p;
}

TEST(HTMLLayout, MeasuredExtents) {
    struct Case {
        const char* text;
        int width, expectW, expectH;
    } cases[] = {
        {"", 200, 0, 16},  // an empty text still has the height of "gh"
        {"A<BR>B", 200, 6, 32},
        {"A<BR><BR>B", 200, 6, 48},  // an empty line keeps its height
        {"Hallo<BR>", 200, 30, 16},  // a final break opens no line
        {"abc<B", 200, 18, 16},      // an unclosed tag ends the text
        {"ab<B>cd</B>", 200, 26, 16},
        {"aaaaaaa<B>bbbb</B>", 60, 70, 16},  // a word split by tags is not broken
        {"<FONT SIZE=\"3\">x</FONT>", 200, 9, 24},  // sizes 1-5 are 8..16 pt
        {"<FONT SIZE=\"9\">x</FONT>", 200, 6, 18},
        {"<FONT SIZE=3>x</FONT>", 200, 6, 16},      // unquoted: ignored
        {"<FONT SIZE=\"x\">x</FONT>", 200, 6, 16},  // not a number: ignored
        {"x<SUB>2</SUB><BR>y", 200, 12, 36},        // a quarter line below
        {"a<IND x=\"q\">b", 200, 12, 16},
        {"<P INDENT=\"20\">ab</P>", 200, 32, 16},
        {"a<HR>b", 200, 6, 32},
        {"</R></R><R a=\"x\">a</R></R>", 200, 6, 16},
        {"<R a=\"2147483647\">a</R>", 200, 6, 16},  // huge numbers stay in range
        {"a<IND x=\"2147483647\">b", 200, (1 << 20) + 6, 16},
        {"<FONT SIZE=\"2147483647\">x</FONT>", 200, 6, 16},
    };
    for (const auto& c : cases) {
        FixedMetricsDevice d;
        auto r = HTMLRender(d, Params(c.text, c.width));
        EXPECT_EQ(r.Width, c.expectW) << c.text;
        EXPECT_EQ(r.Height, c.expectH) << c.text;
        EXPECT_TRUE(d.DrewNothing()) << c.text;
    }
}

// Where each run is drawn, as "text@left,top|...".
TEST(HTMLLayout, PlacesRuns) {
    struct Case {
        const char* text;
        int width, height;
        bool messageLabel, noWrap;
        const char* drawn;
    } cases[] = {
        {"aaa bbb ccc", 60, 995, false, false, "aaa @10,5|bbb @34,5|ccc@10,21"},
        // A word wider than the rectangle stands alone on its line.
        {"a verylongwordhere b", 60, 995, false, false, "a @10,5|verylongwordhere @10,21|b@10,37"},
        {"aaaaaaa<B>bbbb</B>", 60, 995, false, false, "aaaaaaa@10,5|bbbb@52,5"},
        // Alignment is kept until another P.
        {"<P ALIGN=\"right\">abc</P><P align=\"CENTER\">ab</P>x", 100, 995, false, false, "abc@92,5|ab@54,21|x@57,37"},
        // Bullets 12 px per level, text 12 px after; a second item ends the line.
        {"<UL><LI>a<LI>b<UL><LI>c</UL></UL>", 200, 995, false, false,
         "\xB7@10,5|a@22,5|\xB7@10,21|b@22,21|o@22,37|c@34,37"},
        {"x<SUP>2</SUP>", 200, 995, false, false, "x@10,9|2@16,5"},
        {"a<IND x=\"50\">b", 200, 995, false, false, "a@10,5|b@60,5"},
        {"a<Z>hidden</Z>b", 200, 995, false, false, "a@10,5|b@16,5"},
        {"<SH>s</SH>", 200, 995, false, false, "s@12,7|s@10,5"},  // the shadow first
        {"&amp;lt;B&amp;gt; &lt;I&gt;", 200, 995, false, false, "&lt;B&gt; @10,5|<I>@70,5"},  // decoded once
        {"<FONT COLOR=&quot;clRed&quot;>r</FONT>", 200, 995, false, false, "r@10,5"},  // tags are decoded too
        {"1<BR>2<BR>3<BR>4", 200, 40, false, false, "1@10,5|2@10,21"},  // no line below the rectangle
        // The message box's label draws a cut piece only where more than a "W" is left.
        {"abcdefghij", 6, 995, true, false, ""},
        {"aaaaa b", 42, 995, true, false, "aaaaa @10,5|b@46,5"},  // a word that fits is drawn at the edge too
        {"abcdefghij", 6, 995, false, false, "abcdefghij@10,5"},
        {"aaa bbb ccc ddd", 40, 995, false, true, "aaa bbb ccc ddd@10,5"},  // no wrap: one line
    };
    for (const auto& c : cases) {
        FixedMetricsDevice d;
        auto p = Params(c.text, c.width, HTMLMode::Draw);
        p.Rect.Bottom = p.Rect.Top + c.height;
        if (c.messageLabel) p.Variant = HTMLVariant::MessageLabel();
        p.WordWrap = !c.noWrap;
        HTMLRender(d, p);
        std::string drawn;
        for (const auto& t : d.texts)
            drawn += (drawn.empty() ? "" : "|") + t.text + "@" + std::to_string(t.box.Left) + "," +
                     std::to_string(t.box.Top);
        EXPECT_EQ(drawn, c.drawn) << c.text;
    }
}

TEST(HTMLLayout, TextRunColoursBackgroundsAndErrorMark) {
    FixedMetricsDevice d;
    auto p = Params("<BODY BGCOLOR=\"clYellow\"><FONT COLOR=\"#FF0000\" BGCOLOR=\"clAqua\">r</FONT>"
                    "<FONT BGCOLOR=\"clLime\">g</FONT><HI>h</HI><P BGCOLOR=\"#0000FF\">p</P><E>err</E>",
                    200, HTMLMode::Draw);
    HTMLRender(d, p);
    ASSERT_EQ(d.texts.size(), 5u);
    EXPECT_EQ(d.texts[0].color, 0x0000FFu);
    EXPECT_EQ(d.texts[0].background, 0xFFFF00u);
    EXPECT_EQ(d.texts[1].color, 0u);  // BGCOLOR alone leaves the text colour
    EXPECT_EQ(d.texts[1].background, 0x00FF00u);
    EXPECT_EQ(d.texts[2].color, 0x8000000Eu);
    EXPECT_EQ(d.texts[2].background, 0x8000000Du);
    EXPECT_EQ(d.texts[4].background, clNone);
    ASSERT_EQ(d.fills.size(), 2u);
    EXPECT_EQ(d.fills[0], std::make_pair(p.Rect, TColor(0x00FFFF)));
    EXPECT_EQ(d.fills[1], std::make_pair(HTMLRect{10, 5, 210, 21}, TColor(0xFF0000)));  // the paragraph's band
    ASSERT_EQ(d.lines.size(), 1u);  // the zigzag under "err" (x 10..28, second line)
    EXPECT_EQ(d.lines[0].front(), std::make_pair(10, 37));
    EXPECT_EQ(d.lines[0][1], std::make_pair(12, 36));
    EXPECT_EQ(d.lines[0].back().first, 28);
}

TEST(HTMLLayout, AnchorsHitTestAndHover) {
    const char* text = "x<A HREF=\"one\">a</A> <A HREF=\"Two\">b</A>";
    FixedMetricsDevice d;
    auto p = Params(text, 200, HTMLMode::HitTest);
    p.X = 30;  // "b" lies at 28..34
    p.Y = 10;
    auto r = HTMLRender(d, p);
    EXPECT_TRUE(d.DrewNothing());
    EXPECT_EQ(r.AnchorCount, 2);
    EXPECT_EQ(r.Anchor, "Two");
    EXPECT_EQ(r.AnchorIndex, 1);
    EXPECT_EQ(r.AnchorRect, (HTMLRect{28, 5, 34, 21}));
    p.X = 12;
    r = HTMLRender(d, p);
    EXPECT_FALSE(r.OnAnchor);
    EXPECT_EQ(r.Anchor, "");
    EXPECT_EQ(r.AnchorIndex, -1);

    // Drawn: anchors underlined in the URL colour; with hover only the hovered one.
    auto styles = [&](bool hover) {
        FixedMetricsDevice dev;
        auto dp = Params(text, 200, HTMLMode::Draw);
        dp.Hover = hover;
        dp.HoverIndex = 1;
        dp.HoverFontColor = 0x00FF00;
        dp.HoverColor = 0x00FFFF;
        HTMLRender(dev, dp);
        std::string out;  // per run: underlined?, text colour, background
        for (const auto& t : dev.texts)
            out += std::to_string(t.font.Style) + "/" + std::to_string(t.color) + "/" + std::to_string(t.background) + " ";
        return out;
    };
    const std::string none = std::to_string(clNone);
    EXPECT_EQ(styles(false), "0/0/" + none + " 4/16711680/" + none + " 0/0/" + none + " 4/16711680/" + none + " ");
    EXPECT_EQ(styles(true), "0/0/" + none + " 0/16711680/" + none + " 0/0/" + none + " 4/65280/65535 ");
}

TEST(HTMLLayout, ImagesByVariant) {
    const char* text = "a<IMG SRC=\"IDX:1\">b<IMG SRC=\"Logo\" WIDTH=\"40\" HEIGHT=\"x\"><IMG SRC=\"IDX:q\"><IMG SRC=\"nix\">";
    FixedMetricsDevice label;
    label.imageSizes["nix"] = HTMLSize{0, 0};  // missing pictures take no room
    auto r = HTMLRender(label, Params(text, 200, HTMLMode::Draw));
    ASSERT_EQ(label.images.size(), 2u);
    EXPECT_EQ(label.images[0].first.Kind, HTMLImageKind::ImageList);
    EXPECT_EQ(label.images[0].first.Index, 1);
    EXPECT_EQ(label.images[0].second, (HTMLRect{16, 5, 36, 35}));  // bottom-aligned in a 30 px line
    EXPECT_EQ(label.images[1].first.Kind, HTMLImageKind::ContainerPicture);
    EXPECT_EQ(label.images[1].first.Source, "Logo");
    EXPECT_EQ(label.images[1].second.Width(), 20);  // HEIGHT not a number: own size
    EXPECT_EQ(r.Width, 52);
    EXPECT_EQ(r.Height, 30);
    EXPECT_EQ(label.texts[0].box.Bottom, 35);

    FixedMetricsDevice box;
    auto p = Params(text, 200, HTMLMode::Draw);
    p.Variant = HTMLVariant::MessageLabel();
    r = HTMLRender(box, p);
    EXPECT_TRUE(box.images.empty());
    EXPECT_EQ(r.Height, 16);
}

// Many wide images or tall lines add up to a large extent, never a negative one.
TEST(HTMLLayout, HugeExtentsDoNotOverflow) {
    std::string wide, tall;
    for (int i = 0; i < 2100; ++i) {
        wide += "<IMG SRC=\"p\" WIDTH=\"1048576\" HEIGHT=\"1\">";
        tall += "<IMG SRC=\"p\" WIDTH=\"1\" HEIGHT=\"1048576\"><BR>";
    }
    for (HTMLMode mode : {HTMLMode::Measure, HTMLMode::Draw}) {
        FixedMetricsDevice d;
        auto p = Params(wide, 200, mode);
        p.WordWrap = false;
        EXPECT_GE(HTMLRender(d, p).Width, 1 << 28);
        p = Params(tall, 200, mode);
        p.Rect.Bottom = 0x7FFFFFF0;
        EXPECT_GE(HTMLRender(d, p).Height, 1 << 28);
    }
}

// Random tag soup ends, and the three modes agree on the extent.
TEST(HTMLLayout, TagSoupTerminates) {
    const char* pieces[] = {"<", ">", "</", "a", " ", "<B>", "<BR>", "<LI>", "<UL>", "</UL>", "<R a=\"", "\"",
                            "<IMG SRC=\"IDX:2\">", "<P ALIGN=\"CENTER\">", "</P>", "&amp;", "&lt;", "<Z>",
                            "<FONT SIZE=\"", "<A HREF=\"", "</A>", "<HR>", "<SUB>", "<IND x=\"300\">", "\r\n"};
    std::mt19937 rng(42);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = static_cast<int>(rng() % 40); i > 0; --i) text += pieces[rng() % std::size(pieces)];
        FixedMetricsDevice d;
        auto p = Params(text, static_cast<int>(rng() % 80));
        p.WordWrap = (rng() & 1) != 0;
        auto m = HTMLRender(d, p);
        auto again = HTMLRender(d, p);
        EXPECT_TRUE(d.DrewNothing()) << text;
        p.Mode = HTMLMode::Draw;
        p.Rect.Bottom = p.Rect.Top + 100000;
        auto dr = HTMLRender(d, p);
        EXPECT_EQ(std::make_pair(m.Width, m.Height), std::make_pair(again.Width, again.Height)) << text;
        EXPECT_EQ(m.Height, dr.Height) << text;
        EXPECT_EQ(m.LineCount, dr.LineCount) << text;
        // Word by word or a run of words at once: the same layout.
        FixedMetricsDevice single;
        single.runs = false;
        auto w = HTMLRender(single, p);
        EXPECT_EQ(std::make_pair(w.Width, w.Height), std::make_pair(dr.Width, dr.Height)) << text;
    }
}

// Foreign text escaped for a box shows exactly as it came, on one line or
// wrapped, in both labels: no entity is decoded twice.
TEST(HTMLLayout, EscapedTextShowsAsItCame) {
    const char* inputs[] = {"&gt;", "&amp;", "R&amp;D&amp;amp;", "&lt;B&gt;", "<550> & mehr", "a&nbsp;b c",
                            "&AMP;&Euro;", "<#x> y", "x>y \"q\"", "&&lt;;", "<B>fett</B> <BR>", "\xA7 \x80 \xFF"};
    for (const char* in : inputs)
        for (int variant = 0; variant < 4; ++variant) {
            const std::string escaped = EscapeBoxText(in);
            FixedMetricsDevice d;
            auto p = Params(escaped, 50, HTMLMode::Draw);
            p.WordWrap = (variant & 1) != 0;
            if (variant & 2) p.Variant = HTMLVariant::MessageLabel();
            p.Rect.Right = 100000;
            if (p.WordWrap) p.Rect.Right = 50;  // the words go on several lines
            HTMLRender(d, p);
            std::string shown;
            for (const auto& t : d.texts) shown += t.text;
            EXPECT_EQ(shown, in) << escaped << " variant " << variant;
        }
}

// The box of an anchor that wraps covers all its lines, hit on any of them;
// the focus rectangle is drawn around the same box.
TEST(HTMLLayout, WrappedAnchorRectangle) {
    const char* text = "x <A HREF=\"w\">aaa bbb</A> y";  // "x aaa " | "bbb y" at 40 px
    const HTMLRect whole{10, 5, 46, 37};
    for (auto [x, y] : {std::pair{25, 10}, std::pair{12, 25}}) {
        FixedMetricsDevice d;
        auto p = Params(text, 40, HTMLMode::HitTest);
        p.X = x;
        p.Y = y;
        auto r = HTMLRender(d, p);
        ASSERT_TRUE(r.OnAnchor) << x << "," << y;
        EXPECT_EQ(r.Anchor, "w");
        EXPECT_EQ(r.AnchorRect, whole) << x << "," << y;
        EXPECT_TRUE(r.AnchorRect.Contains(x, y));
    }
    FixedMetricsDevice d;
    auto p = Params(text, 40, HTMLMode::Draw);
    p.FocusAnchor = 0;
    HTMLRender(d, p);
    EXPECT_EQ(d.focus, (std::vector<HTMLRect>{HTMLRect{9, 5, 47, 37}}));
}

// Backgrounds of a line are painted before its text, also when the tag that
// asks for them comes after text on the same line (a list item before a
// paragraph with a band).
TEST(HTMLLayout, BandsArePaintedUnderTheLinesText) {
    struct Case {
        const char* text;
        const char* order;
    } cases[] = {
        {"<UL><LI>Artikel</UL><P BGCOLOR=\"#D8E4FF\">zentriert</P>", "FTTT"},
        {"a<P BGCOLOR=\"clRed\" BGCOLORTO=\"clWhite\">b</P>c", "FTTT"},
        {"<P BGCOLOR=\"clRed\">a<BR>b</P>c", "FTFTT"},  // a band goes on over the next line
        {"a<BODY BGCOLOR=\"clYellow\"><P BGCOLOR=\"clRed\">b", "FFTT"},
    };
    for (const auto& c : cases) {
        FixedMetricsDevice d;
        HTMLRender(d, Params(c.text, 200, HTMLMode::Draw));
        EXPECT_EQ(d.order, c.order) << c.text;
    }
}

// Every drawn line starts from a copy of the layout state, which therefore
// stays small: face names as long as GDI's, nesting kept to 32 levels (the
// closing tags beyond restore the deepest level kept), links outside it.
TEST(HTMLLayout, StateStaysSmall) {
    std::string text = "<FONT FACE=\"" + std::string(40, 'F') + "\">f</FONT>";
    for (int i = 0; i < 40; ++i) text += "<FONT COLOR=\"#0000" + std::string(i < 31 ? "00" : "FF") + "\">";
    text += "x";
    for (int i = 0; i < 40; ++i) text += "</FONT>";
    text += "y";
    FixedMetricsDevice d;
    HTMLRender(d, Params(text, 200, HTMLMode::Draw));
    ASSERT_EQ(d.texts.size(), 3u);
    EXPECT_EQ(d.texts[0].font.Name, std::string(31, 'F'));
    EXPECT_EQ(d.texts[1].color, 0xFF0000u);
    EXPECT_EQ(d.texts[2].color, 0u);
}

// Counts what the device is asked to measure; like GDI it cannot measure a
// run holding a tab at once.
struct CountingDevice : FixedMetricsDevice {
    size_t measured = 0;
    int runCalls = 0;
    HTMLSize TextExtent(const HTMLFontDesc& f, std::string_view t) override {
        measured += t.size();
        return FixedMetricsDevice::TextExtent(f, t);
    }
    bool CharExtents(const HTMLFontDesc& f, std::string_view t, std::vector<int>& right) override {
        ++runCalls;
        measured += t.size();
        return t.find('\t') == std::string_view::npos && FixedMetricsDevice::CharExtents(f, t, right);
    }
};

// A long text without tags is measured once, not once more per word: with
// entities it is decoded and measured as one run, with a tab word by word.
TEST(HTMLLayout, LongRunsAreMeasuredOnce) {
    struct Case {
        const char* word;
        int runCalls;
    } cases[] = {{"wort ", 1}, {"R&amp;D ", 1}, {"a&nbsp;b ", 1}, {"tab\t ", 1}};
    for (const auto& c : cases) {
        std::string text;
        while (text.size() < 20000) text += c.word;
        for (HTMLMode mode : {HTMLMode::Measure, HTMLMode::Draw}) {
            CountingDevice d;
            auto p = Params(text, 100, mode);
            p.Rect.Bottom = 1 << 30;
            auto r = HTMLRender(d, p);
            EXPECT_GT(r.LineCount, 500) << c.word;
            EXPECT_EQ(d.runCalls, c.runCalls) << c.word;
            EXPECT_LE(d.measured, 4 * text.size()) << c.word;
        }
    }
}

}  // namespace
