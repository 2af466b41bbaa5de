#include "editors/tools/edit_mask.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

TMaskPositions Compile(const std::string& mask) { TMaskPositions p; CompileEditMask(mask, p); return p; }

// Positions in short: "9" optional input, "0" required input (with "U"/"W"
// for upper/lower case), "'x'" literal, "'x'*" set literal.
std::string Shape(const TMaskPositions& positions) {
    std::string out;
    for (const TMaskPosition& p : positions.items) {
        if (!out.empty()) out += ' ';
        if (p.literal) {
            out += '\'';
            out += static_cast<char>(p.charOrFlags);
            out += '\'';
            if (p.mode == 1) out += '*';
            continue;
        }
        out += (p.charOrFlags & kMaskRequired) ? "0" : "9";
        if (p.charOrFlags & kMaskToUpper) out += "U";
        if (p.charOrFlags & kMaskToLower) out += "W";
        if (p.mode == 1) out += "x";
    }
    return out;
}

TEST(EditMaskTest, Compiles) {
    const std::pair<const char*, const char*> cases[] = {
        {"0{3}", "0 0 0"}, {"9{0}", ""}, {"99", "9 9"}, {"!(.,;),", "','*"}, {"00!-00", "0 0 '-' 0 0"},
        {"9{6}!(.,,),9{2}", "9 9 9 9 9 9 ','* 9 9"}, {"!#0!#!", "'0' '!'"}, {"![ab#]c]L", "'a' 'b' ']' 'c' 0"},
        {"<l>l{2}</l>l", "9U 9U 9"}, {"<u>L</u><lu>a</u>A", "0W 9UW 0U"}, {"C(ab)c[x]", "0x 9"}, {"xyz 9", "9"},
        // Unterminated constructs run to the end of the mask.
        {"9{3", ""}, {"09{", "0"}, {"0(ab", "0"}, {"!(ab", ""}, {"!(ab)", ""}, {"9!", "9"},
    };
    for (const auto& [mask, shape] : cases) EXPECT_EQ(Shape(Compile(mask)), shape) << mask;

    EXPECT_EQ(Compile("!(.,;),").items.at(0).charset.count(), 3u);
}

TEST(EditMaskTest, RepeatsStopAtTheLimit) {
    EXPECT_EQ(Compile("9{99999}0{99999}!x").Count(), kMaxMaskPositions);
    TMaskPositions p = Compile("9{32766}0{5}");
    EXPECT_EQ(p.Count(), kMaxMaskPositions);
    EXPECT_TRUE(p.items.back().charOrFlags & kMaskRequired);
}

struct FitCase { const char* mask; unsigned char c; bool fits; char shown; };

TEST(EditMaskTest, CharacterTests) {
    const FitCase cases[] = {
        {"C(ab)", 'x', true, 'x'},   {"C(ab)", 'a', false, 0},     {"C[ab]", 'a', true, 'a'},
        {"C[ab]", 'x', false, 0},    {"C", 0xFF, true, '\xFF'},    {"c", ' ', true, ' '},
        {"9[+-]", '5', true, '5'},   {"9[+-]", '+', true, '+'},    {"9(+-)", '-', true, '-'},
        {"9[+-]", 'a', false, 0},    {"L", 0xE4, true, '\xE4'},    {"L", '1', false, 0},
        {"L", 0xA8, true, '\xA8'},   {"L", 0x8A, false, 0},        {"A", '7', true, '7'},
        {"A", '-', false, 0},        {"!-", '-', true, '-'},       {"!-", '+', false, 0},
        {"!(.,),", '.', true, ','},  {"!(.,),", ',', true, ','},   {"!(.,),", ';', false, 0},
        {"<l>l", 0xFE, true, '\xDE'}, {"<u>L", 0xC4, true, '\xE4'}, {"<l>9", '5', true, '5'},
        // The case changes only where the changed character fits as well.
        {"<l>l", 0xFF, true, '\xFF'}, {"<l>9[abcdef]", 'a', true, 'a'}, {"<u>C(a)", 'A', true, 'A'},
    };
    for (const FitCase& c : cases) {
        const TMaskPositions p = Compile(c.mask);
        ASSERT_EQ(p.Count(), 1) << c.mask;
        char shown = 0;
        EXPECT_EQ(MaskCharFits(p.items[0], c.c, shown), c.fits) << c.mask << " " << int(c.c);
        if (c.fits) {
            EXPECT_EQ(shown, c.shown) << c.mask << " " << int(c.c);
        }
    }
}

struct ApplyCase {  // fitted: the text afterwards
    const char *mask, *text;
    bool skipLiterals, complete;
    int result;
    const char* fitted;
    int reached, passed;
};

TEST(EditMaskTest, Matching) {
    const ApplyCase cases[] = {
        {"9{2}", "123", false, false, -1, "123", 0, 0}, {"9{2}", "12", false, false, 0, "12", 2, 0},
        {"0{2}", "1", false, true, -1, "1", 0, 0},      {"0{2}", "1", false, false, 0, "1", 1, 0},
        {"<l>l{2}</l>", "ab", false, false, 0, "AB", 2, 0}, {"<u>L{2}", "AB", false, false, 0, "ab", 2, 0},
        {"9{6}!(.,,),9{2}", "12.5", false, false, 1, "12,5", 8, 0},
        {"9{6}!(.,,),9{2}", "12,5", false, true, 1, "12,5", 8, 0},
        {"00!-00", "12-34", false, true, 0, "12-34", 5, 0}, {"00!-00", "1234", true, true, 0, "1234", 5, 1},
        // A leading literal that does not fit is passed over.
        {"!-0", "5", false, false, 1, "5", 2, 0},
        // A required position that does not fit: the fit starts one later
        // while the first position is optional.
        {"90", "a", false, false, -1, "a", 0, 0},
        {"c0", "5", false, false, 0, "5", 1, 0}, {"", "a", false, false, -1, "a", 0, 0},
    };
    for (const ApplyCase& c : cases) {
        std::string text = c.text;
        int passed = -7, reached = -7;
        EXPECT_EQ(ApplyEditMask(text, Compile(c.mask), c.skipLiterals, passed, c.complete, reached), c.result)
            << c.mask << " / " << c.text;
        EXPECT_EQ(text, c.fitted) << c.mask << " / " << c.text;
        if (c.result >= 0) {
            EXPECT_EQ(std::make_pair(reached, passed), std::make_pair(c.reached, c.passed)) << c.mask << "/" << c.text;
        }
    }
}

// Types the characters of keys one by one at the caret.
std::string TypeKeys(const std::string& mask, const std::string& keys, int& caret) {
    const TMaskPositions p = Compile(mask);
    std::string text;
    caret = 0;
    for (char k : keys) {
        int a = caret, b = caret;
        InsertMaskedText(text, std::string(1, k), p, a, b);
        caret = a;
    }
    return text;
}

TEST(EditMaskTest, TypingKeyByKey) {
    const struct { const char* mask; const char* keys; const char* text; int caret; } cases[] = {
        {"9{6}!(.,,),9{2}", "12.5", "12,5", 4}, {"9{6}!(.,,),9{2}", "1234567", "123456,7", 8},
        {"9{6}!(.,,),9{2}", "12,345", "12,34", 5}, {"00!-00", "12", "12-", 3}, {"00!-00", "1234", "12-34", 5},
        {"<l>l{3}", "abc", "ABC", 3}, {"!(", "x", "", 0},
    };
    for (const auto& c : cases) {
        int caret = -1;
        EXPECT_EQ(TypeKeys(c.mask, c.keys, caret), c.text) << c.mask << " / " << c.keys;
        EXPECT_EQ(caret, c.caret) << c.mask << " / " << c.keys;
    }
}

TEST(EditMaskTest, InsertTakesTheLongestFittingFrontAndClampsTheSelection) {
    const TMaskPositions p = Compile("0{4}");
    const struct {
        const char *text, *typed;
        int selStart, selEnd;
        bool ok;
        const char* after;
        int caretStart, caretEnd;
    } cases[] = {
        {"12", "34x5", 1, 1, true, "1342", 3, 3},
        // Out-of-range and reversed selections are clamped and ordered.
        {"1234", "9", 99, 2, true, "129", 3, 3},
        {"129", "7", -5, -1, true, "7129", 1, 1},
        // Nothing fits: text and selection stay, also the selected part.
        {"1234", "x", 1, 3, false, "1234", 1, 3},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        int a = c.selStart, b = c.selEnd;
        EXPECT_EQ(InsertMaskedText(text, c.typed, p, a, b), c.ok) << c.text << " " << c.typed;
        EXPECT_EQ(text, c.after) << c.text << " " << c.typed;
        EXPECT_EQ(std::make_pair(a, b), std::make_pair(c.caretStart, c.caretEnd)) << c.text << " " << c.typed;
    }
}

TEST(EditMaskTest, DeletingRefitsTheRest) {
    const TMaskPositions p = Compile("00!-00");
    struct { const char* text; int selStart, selEnd; const char* after; int result; } cases[] = {
        {"12-34", 4, 5, "12-3", 4}, {"12-34", 0, 5, "", 0}, {"12-34", 99, 3, "12-", 3},
        {"12-34", 2, 3, "1234", 5},  // the literal goes; the rest passes it over
        {"12-34", 5, 5, "12-34", 5}, {"", -3, 8, "", 0},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(DeleteMaskedRange(text, p, c.selStart, c.selEnd), c.result) << c.text << " " << c.selStart;
        EXPECT_EQ(text, c.after) << c.text << " " << c.selStart;
    }
}

TEST(EditMaskTest, AFittedTextFitsAgainUnchanged) {
    // Typing key by key, each key refits what is there.
    const struct { const char* mask; const char* keys; const char* text; } typed[] = {
        {"<l>LLL", "\xFF" "ab", "\xFF" "AB"},
        {"<l>9[abcdef]{4}", "a1bc", "a1bc"},
    };
    for (const auto& c : typed) {
        int caret = -1;
        EXPECT_EQ(TypeKeys(c.mask, c.keys, caret), c.text) << c.mask;
    }
    // A paste, then the last character deleted: the rest stays.
    const TMaskPositions upper = Compile("<l>LLL");
    std::string text;
    int a = 0, b = 0;
    ASSERT_TRUE(InsertMaskedText(text, "\xFF" "bc", upper, a, b));
    EXPECT_EQ(text, "\xFF" "BC");
    EXPECT_EQ(DeleteMaskedRange(text, upper, 2, 3), 2);
    EXPECT_EQ(text, "\xFF" "B");
    // A set literal whose character another set literal before it takes:
    // what would show differently when fitted again does not fit.
    const TMaskPositions overlapping = Compile("!(,)}!((),");
    for (const char* t : {"(", ","}) {
        std::string fitted = t;
        int passed = 0, reached = 0;
        const int start = ApplyEditMask(fitted, overlapping, false, passed, false, reached);
        if (start < 0) {
            EXPECT_EQ(fitted, t);
            continue;
        }
        std::string again = fitted;
        EXPECT_GE(ApplyEditMask(again, overlapping, false, passed, false, reached), 0) << t;
        EXPECT_EQ(again, fitted) << t;
    }
}

TEST(EditMaskTest, LiteralHelpers) {
    const TMaskPositions p = Compile("00!-!/00");
    std::string text = "12";
    int a = 2, b = 2;
    EXPECT_EQ(AppendMaskLiterals(text, p, 2, a, b), 2);
    EXPECT_EQ(text, "12-/");
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(4, 4));
    EXPECT_EQ(AppendMaskLiterals(text, p, 99, a, b) + AppendMaskLiterals(text, p, -4, a, b), 0);

    auto trim = [](std::string t, const TMaskPositions& m, int n) { TrimMaskLiterals(t, m, n); return t; };
    EXPECT_EQ(trim(text, p, 4), "12");
    EXPECT_EQ(trim("12-/3", p, 5), "12-/3");  // an input position before: nothing to trim
    EXPECT_EQ(trim("--", Compile("!-!-9"), 2), "--");  // no input position before the literals
    EXPECT_EQ(trim("--", p, 999), "--");
}

}  // namespace

TEST(EditMaskTest, ALongMaskAnswersALongTextAtOnce) {
    // Every start position is tried once, not every one with every later one.
    const TMaskPositions p = Compile("9{8000}0{8000}");
    const std::string typed = "1" + std::string(99, 'a');
    std::string text = typed;
    int passed = 0, reached = 0;
    EXPECT_EQ(ApplyEditMask(text, p, false, passed, true, reached), -1);
    EXPECT_EQ(text, typed);
    EXPECT_EQ(DeleteMaskedRange(text, p, 0, 0), 0);
    EXPECT_EQ(text, "");
}
