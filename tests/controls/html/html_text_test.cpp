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
        {"clRed", 255},
        {"CLRED", 255},
        {"clorange", 0},
        {"clbackground", 0x80000001},
        {"clinfobk", 0x80000018},
        {"clbtnface", 0x8000000F},
        {"clNone", 0},  // names the dialect does not know are black
        {"clScrollBar", 0},
        {"clMoneyGreen", 0},
        {"clLtGray", 0},  // the framework's aliases of silver and grey are not HTML names
        {"clDkGray", 0},
        {"clSilver", 0xC0C0C0},
        {"clGray", 0x808080},
        {"clMaroon", 128},
        {"clTeal", 0x808000},
        {"clOlive", 0x8080},
        {"cl3DDkShadow", 0x80000015},
        {"clInactiveCaptionText", 0x80000013},
        {"clHotLight", 0},  // system colours after clInfoBk are not in the list
        {"clGrey", 0},
        {"#FF00", 0},  // too short: black, nothing read past the value
        {"#", 0},
        {"#GG0000", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(HTMLColorValue(c.value), c.expected) << c.value;
    std::string buffer = "#12345";  // a short value inside a longer buffer stays short
    EXPECT_EQ(HTMLHexColor(std::string_view(buffer.data(), 4)), 0u);
}

std::string Segment(std::string_view s) { return HTMLSegmentText(s); }

// Entities decoded once (tags: the nine of any case; segments: also the
// three lower-case ones), the "<#" quirk, line ends and plain text.
TEST(HTMLText, Conversions) {
    struct Case {
        std::string (*convert)(std::string_view);
        const char* in;
        const char* out;
    } cases[] = {
        {HTMLDecodeEntities, "a &AMP; b", "a & b"},
        {HTMLDecodeEntities, "&NBSP;&lt;", "&NBSP;&lt;"},  // not entities of a tag
        {HTMLDecodeEntities, "1&permil;", "1\x89"},
        {HTMLDecodeEntities, "&euro;&Euro;", "\x80\x80"},
        {HTMLDecodeEntities, "&sect;&reg;&copy;&para;&trade;&quot;", "\xA7\xAE\xA9\xB6\x99\""},
        // What an entity became is not read again.
        {HTMLDecodeEntities, "&amp;amp;", "&amp;"},
        {HTMLDecodeEntities, "&amp;quot;x", "&quot;x"},
        {HTMLDecodeEntities, "& ; &amp", "& ; &amp"},
        {HTMLDecodeEntities, "&;&amp;;", "&;&;"},
        {Segment, "&lt;b&gt;&nbsp;&NBSP;&LT;", "<b> &NBSP;&LT;"},
        {Segment, "R&amp;D&amp;amp;", "R&D&amp;"},
        {Segment, "&amp;lt;&AMP;gt;&amp;nbsp;", "&lt;&gt;&nbsp;"},
        {Segment, "&&lt;;&euro", "&<;&euro"},
        {HTMLPrepareText, "x<#ff>y<#z>", "x#ffy<#z>"},
        {HTMLPrepareText, "a\r\nb\nc\rd", "a<BR>bc<BR>d"},
        {HTMLPrepareText, "<#", "#"},
        {HTMLPrepareText, "&amp;lt;", "&amp;lt;"},  // left for the segment step
        {HTMLPlainText, "a<BR>b<hr>c<B>d</B>", "a\r\nb\r\ncd"},
        {HTMLPlainText, "<br>x<A HREF=\"y\">z</A>", "\r\nxz"},
        {HTMLPlainText, "abc<B", "abc"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.convert(c.in), c.out) << c.in;
    // The engine lays out a text without a copy only where preparing it changes nothing.
    for (const char* in : {"x<#ff>y", "a\rb", "a\nb", "<#", "&amp;lt;<B>x</B> #<", ""})
        EXPECT_EQ(HTMLTextIsPrepared(in), HTMLPrepareText(in) == in) << in;
    // Where each byte of a segment lands in its decoded text.
    std::vector<size_t> map;
    EXPECT_EQ(HTMLSegmentText("a&lt;b&x", &map), "a<b&x");
    EXPECT_EQ(map, (std::vector<size_t>{0, 1, 1, 1, 1, 2, 3, 4, 5}));
}

}  // namespace
