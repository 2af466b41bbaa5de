#include <gtest/gtest.h>

#include "controls/html/html_text.h"

namespace {

TEST(HTMLColors, HexNamesAndSystemColours) {
    struct Case {
        const char* value;
        TColor expected;
    } cases[] = {
        {"#FF0000", 0x0000FF},  // red lands in the low byte
        {"#0000FF", 0xFF0000},
        {"#00ff80", 0x80FF00},
        {"clRed", 255},
        {"CLRED", 255},
        {"clorange", 0},
        {"clbackground", 0x80000001},
        {"clinfobk", 0x80000018},
        {"clbtnface", 0x8000000F},
        {"clmaroon", 128},
        {"clNone", 0},         // names the dialect does not know are black
        {"clScrollBar", 0},
        {"clMoneyGreen", 0},
        {"#FF00", 0},      // too short: black, nothing read past the value
        {"#", 0},
        {"#GG0000", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(HTMLColorValue(c.value), c.expected) << c.value;
    // Only the first six digits count; a short value inside a longer buffer stays short.
    std::string buffer = "#12345";
    EXPECT_EQ(HTMLHexColor(std::string_view(buffer.data(), 4)), 0u);
}

TEST(HTMLEntities, DecodedUntilNoneIsLeft) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"a &AMP; b", "a & b"},
        {"&NBSP;", "&NBSP;"},  // not an entity of the whole text
        {"1&permil;", "1\x89"},
        {"&euro;&Euro;", "\x80\x80"},
        {"&sect;&reg;&copy;&para;&trade;&quot;", "\xA7\xAE\xA9\xB6\x99\""},
        {"&amp;amp;", "&"},
        {"&amp;lt;", "&lt;"},  // left for the segment step, which shows "<"
        {"&amp;quot;x", "\"x"},
        {"& ; &amp", "& ; &amp"},
        {"&;&amp;;", "&;&;"},
    };
    for (const auto& c : cases) EXPECT_EQ(HTMLDecodeEntities(c.in), c.out) << c.in;
    EXPECT_EQ(HTMLSegmentText("&lt;b&gt;&nbsp;&NBSP;"), "<b> &NBSP;");
}

TEST(HTMLPrepare, HashQuirkAndLineEnds) {
    EXPECT_EQ(HTMLPrepareText("x<#ff>y<#z>"), "x#ffy<#z>");
    EXPECT_EQ(HTMLPrepareText("a\r\nb\nc\rd"), "a<BR>bc<BR>d");
    EXPECT_EQ(HTMLPrepareText("<#"), "#");
}

TEST(HTMLPlainText, TagsGoBreaksStay) {
    EXPECT_EQ(HTMLPlainText("a<BR>b<hr>c<B>d</B>"), "a\r\nb\r\ncd");
    EXPECT_EQ(HTMLPlainText("<br>x<A HREF=\"y\">z</A>"), "\r\nxz");
    EXPECT_EQ(HTMLPlainText("abc<B"), "abc");
}

TEST(HTMLAttributes, NamesUpperCaseValuesOriginal) {
    std::string tag = "A href=\"mailto:Hans@Example.DE\" x";
    std::string upper = "A HREF=\"MAILTO:HANS@EXAMPLE.DE\" X";
    std::string v;
    ASSERT_TRUE(HTMLTagAttribute(tag, upper, "HREF", v));
    EXPECT_EQ(v, "mailto:Hans@Example.DE");
    EXPECT_FALSE(HTMLTagAttribute(tag, upper, "SRC", v));
    EXPECT_FALSE(HTMLTagAttribute("SIZE=3", "SIZE=3", "SIZE", v));  // values need double quotes
    EXPECT_FALSE(HTMLTagAttribute("SIZE=\"3", "SIZE=\"3", "SIZE", v));
}

TEST(HTMLParseInt, OnlyWholeNumbers) {
    int v = 7;
    EXPECT_TRUE(HTMLParseInt("-12", v));
    EXPECT_EQ(v, -12);
    for (const char* bad : {"", "x", "1x", " 1", "-", "99999999999"}) {
        v = 7;
        EXPECT_FALSE(HTMLParseInt(bad, v)) << bad;
        EXPECT_EQ(v, 7);
    }
}

}  // namespace
