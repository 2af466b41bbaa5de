// The message box's text preparation, replace routine and size rules.
#include <gtest/gtest.h>

#include <string>

#include "controls/dialogs/box_text.h"
#include "tests/controls/html/fixed_metrics_device.h"

namespace {
// "L<from>" .. "L<to>" joined by sep.
std::string Lines(int from, int to, const char* sep = "\r\n") {
    std::string s;
    for (int i = from; i <= to; ++i) s.append(i > from ? sep : "").append(1, 'L').append(std::to_string(i));
    return s;
}
std::string Joined(int from, int to) { return Lines(from, to, "<br>"); }
}  // namespace

TEST(BoxText, LineBreaksAndLeadingEmptyLines) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"A\r\nB", "A<br>B"},      {"A<BR>B", "A<br>B"}, {"A<bR>B", "A<br>B"}, {"\r\nA", "A"},
        {"<BR>A", "A"},            {"A\r\n", "A"},       {"A\r\n\r\nB", "A<br><br>B"},
        {"<B>fett</B>", "<B>fett</B>"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(PrepareBoxText(c.in), c.out) << c.in;
}

TEST(BoxText, TwentyOneLinesWholeThenDotsAndTheLastLine) {
    EXPECT_EQ(PrepareBoxText(Lines(1, 21)), Joined(1, 21));
    EXPECT_EQ(PrepareBoxText(Lines(1, 22)), Joined(1, 21) + "<br>................<br>L22");
    EXPECT_EQ(PrepareBoxText(Lines(1, 40)), Joined(1, 21) + "<br>................<br>L40");
    // Leading empty lines vanish but still count toward the 21.
    EXPECT_EQ(PrepareBoxText("\r\n\r\n" + Lines(1, 20)), Joined(1, 19) + "<br>................<br>L20");
}

TEST(BoxText, ReplaceFoldsAnsiLettersOnly) {
    EXPECT_EQ(FastReplace("\x8AKODA \x8Akoda", "\x9Akoda", "x"), "x x");
    EXPECT_EQ(FastReplace("\xC4PFEL", "\xE4pfel", "x"), "x");
    EXPECT_EQ(FastReplace("\xD7", "\xF7", "x"), "\xD7");  // not letters
    EXPECT_EQ(FastReplace("aaa", "aa", "bbb"), "bbba");
    EXPECT_EQ(FastReplace("aaaa", "aa", "bbb"), "bbbbbb");
    EXPECT_EQ(FastReplace("ab", "abc", "x"), "ab");
    EXPECT_EQ(FastReplace("ab", "", "x"), "ab");
    EXPECT_EQ(FastReplace("", "a", "x"), "");
    std::string s = "Fehler<BR>Text";
    ReplaceInPlace(s, "<br>", "\r\n");
    EXPECT_EQ(s, "Fehler\r\nText");
}

TEST(BoxText, EscapeSizesAndButtonKeys) {
    EXPECT_EQ(EscapeBoxText("a<b & c> &gt;"), "a&lt;b &amp; c&gt; &amp;gt;");
    // Escaped foreign text is drawn whole by the box's label, not cut at "<".
    const std::string html = PrepareBoxText("Antwort: " + EscapeBoxText("<550> & mehr"));
    HTMLDrawParams p;
    p.Text = html;
    p.Rect = HTMLRect{0, 0, 1000, 100};
    p.Variant = HTMLVariant::MessageLabel();
    FixedMetricsDevice label;
    HTMLRender(label, p);
    std::string shown;
    for (const auto& t : label.texts) shown += t.text;
    EXPECT_EQ(shown, "Antwort: <550> & mehr");
    // 1025 and 1015 give 717.5 and 710.5: half to even.
    for (auto [screen, max] : {std::pair{768, 538}, {1025, 718}, {1015, 710}, {1024, 717}})
        EXPECT_EQ(BoxMaxHeight(screen), max) << screen;
    EXPECT_EQ(BoxSelectNextResult(BoxButtonRole::Yes, 13), 1);
    EXPECT_EQ(BoxSelectNextResult(BoxButtonRole::No, 13), 2);
    EXPECT_EQ(BoxSelectNextResult(BoxButtonRole::Close, 13), 1);
    for (auto role : {BoxButtonRole::Yes, BoxButtonRole::No, BoxButtonRole::Close}) {
        EXPECT_EQ(BoxSelectNextResult(role, 27), 2);
        EXPECT_EQ(BoxSelectNextResult(role, 'A'), 0);
    }
}
