// Text from outside a field (paste, drop) as the field's own rules take it:
// a paste takes what fits, a drop all or nothing.
#include <gtest/gtest.h>

#include "editors/edits/outside_text.h"

namespace {

OutsideTextField Field(const std::string& text, int maxLength = 0, bool multiLine = false,
                       const TMaskPositions* mask = nullptr) {
    OutsideTextField f;
    f.text = text;
    f.sel_start = f.sel_end = static_cast<int>(text.size());
    f.max_length = maxLength;
    f.multi_line = multiLine;
    f.mask = mask;
    return f;
}

std::string Dropped(const OutsideTextField& f, const std::string& text) {
    const auto r = FitOutsideText(f, text, TOutsideText::Drop);
    return r ? r->text : "<refused>";
}

std::string Pasted(const OutsideTextField& f, const std::string& text) {
    const auto r = FitOutsideText(f, text, TOutsideText::Paste);
    return r ? r->text : "<nothing>";
}

}  // namespace

TEST(OutsideText, ADropIsTakenWholeOrRefusedByLimitLineBreaksAndMask) {
    TMaskPositions postcode;
    CompileEditMask("00000", postcode);
    TMaskPositions phone;
    CompileEditMask("![(]000![) ]0000", phone);
    const struct {
        const char* what;
        OutsideTextField field;
        std::string text;
        std::string result;
    } cases[] = {
        {"over the limit", Field("alt", 8), "Postfach 1234567 XYZ", "<refused>"},
        {"exactly the limit", Field("alt", 8), "Postfach", "Postfach"},
        {"two lines into one", Field("alt"), "Hauptstr. 1\r\nHinterhaus", "<refused>"},
        {"a lone LF into one line", Field("alt"), "a\nb", "<refused>"},
        {"two lines into several", Field("alt", 0, true), "Hauptstr. 1\r\nHinterhaus", "Hauptstr. 1\r\nHinterhaus"},
        {"letters into digits", Field("", 0, false, &postcode), "Berlin", "<refused>"},
        {"a postcode", Field("", 0, false, &postcode), "68159", "68159"},
        {"a short postcode, as typed", Field("", 0, false, &postcode), "681", "681"},
        {"too many digits", Field("", 0, false, &postcode), "681590", "<refused>"},
        {"literals included", Field("", 0, false, &phone), "(062) 1234", "(062) 1234"},
        {"typed through the literals", Field("", 0, false, &phone), "0621234", "(062) 1234"},
        {"nothing", Field("alt"), "", "<refused>"},
    };
    for (const auto& c : cases) EXPECT_EQ(Dropped(c.field, c.text), c.result) << c.what;
}

TEST(OutsideText, APasteTakesWhatFitsAtTheSelection) {
    TMaskPositions postcode;
    CompileEditMask("00000", postcode);
    OutsideTextField middle = Field("abcdef", 8);
    middle.sel_start = 2;
    middle.sel_end = 4;  // "cd" replaced: room for 4
    const struct {
        const char* what;
        OutsideTextField field;
        std::string text;
        std::string result;
    } cases[] = {
        {"cut at the limit", Field("", 8), "Postfach 1234567 XYZ", "Postfach"},
        {"the selection's room", middle, "123456", "ab1234ef"},
        {"no room left", Field("12345678", 8), "x", "<nothing>"},
        {"line breaks left out", Field("a"), "12,5\r\n", "a12,5"},
        {"only line breaks", Field("a"), "\r\n", "<nothing>"},
        {"kept in several lines", Field("a", 0, true), "b\r\nc", "ab\r\nc"},
        {"through the mask", Field("", 0, false, &postcode), "681\r\n59", "68159"},
        {"nothing the mask takes", Field("", 0, false, &postcode), "Berlin", "<nothing>"},
        {"an empty clipboard", Field("abc"), "", "<nothing>"},
    };
    for (const auto& c : cases) EXPECT_EQ(Pasted(c.field, c.text), c.result) << c.what;
    // The caret goes behind what went in.
    const auto r = FitOutsideText(middle, "123456", TOutsideText::Paste);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->caret, 6);
    EXPECT_EQ(r->inserted, "1234");
}
