// The one CP1252 case table, the functions built on it and accelerators.
#include <gtest/gtest.h>

#include <string>

#include "framework/accelerator.h"
#include "framework/ansi_text.h"

TEST(AnsiCaseTable, EveryPairAndNothingElse) {
    int pairs = 0;
    for (int c = 0; c < 256; ++c) {
        int expectedUpper = c;
        if (c >= 'a' && c <= 'z') expectedUpper = c - 32;
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7) expectedUpper = c - 32;
        if (c == 0x9A) expectedUpper = 0x8A;
        if (c == 0x9C) expectedUpper = 0x8C;
        if (c == 0x9E) expectedUpper = 0x8E;
        if (c == 0xFF) expectedUpper = 0x9F;
        EXPECT_EQ(AnsiUpperChar(static_cast<unsigned char>(c)), expectedUpper) << "byte " << c;
        if (expectedUpper != c) {
            ++pairs;
            EXPECT_EQ(AnsiLowerChar(static_cast<unsigned char>(expectedUpper)), c) << "byte " << expectedUpper;
        }
    }
    EXPECT_EQ(pairs, 26 + 30 + 4);
    for (int c : {0xDF, 0xD7, 0xF7, 0x80, 0x83, 0xAA, 0xB5, 0xBA}) {
        EXPECT_EQ(AnsiUpperChar(static_cast<unsigned char>(c)), c);
        EXPECT_EQ(AnsiLowerChar(static_cast<unsigned char>(c)), c);
    }
}

TEST(AnsiText, CaseConversionComparePosAndReplace) {
    EXPECT_EQ(AnsiUpperCase("Gr\xFC\xDF" "e \xE4\xF6\xFC\xFF\x9A"), "GR\xDC\xDF" "E \xC4\xD6\xDC\x9F\x8A");
    EXPECT_EQ(AnsiLowerCase("\xC4RGER \x8E"), "\xE4rger \x9E");
    EXPECT_EQ(AnsiUpperCase(std::string("a\0b", 3)), std::string("A\0B", 3));
    EXPECT_EQ(AnsiCompareText("\xC4pfel", "\xE4PFEL"), 0);
    EXPECT_TRUE(AnsiSameText("Stra\xDF" "e", "STRA\xDF" "E"));
    EXPECT_FALSE(AnsiSameText("abc", "abcd"));
    EXPECT_LT(AnsiCompareText("abc", "ABCD"), 0);
    EXPECT_LT(AnsiCompareText("Z", "\xE4"), 0);  // byte order after upper-casing: 'Z' < 0xC4
    EXPECT_GT(AnsiCompareStr("\xE4", "a"), 0);    // bytes compare unsigned
    EXPECT_LT(AnsiCompareStr("A", "a"), 0);
    EXPECT_EQ(AnsiCompareStr("x", "x"), 0);
    EXPECT_EQ(AnsiPosText("\xC4PF", "gr\xFCne \xE4pfel"), 6u);
    EXPECT_EQ(AnsiPosText("x", "abc"), std::string::npos);
    EXPECT_EQ(AnsiPosText("", "abc"), std::string::npos);
    EXPECT_TRUE(AnsiContainsText("Hallo Welt", "WELT"));
    EXPECT_TRUE(AnsiStartsText("hal", "Hallo"));
    EXPECT_TRUE(AnsiEndsText("LT", "Welt"));
    EXPECT_EQ(AnsiReplaceText("1,5 und 2,5", ",", "."), "1.5 und 2.5");
    EXPECT_EQ(AnsiReplaceText("aAa", "aa", "b"), "ba");  // left to right, no overlap
    EXPECT_EQ(AnsiReplaceText("\xC4h \xE4h", "\xE4H", "x"), "x x");
    EXPECT_EQ(AnsiReplaceText("abc", "", "x"), "abc");
    EXPECT_EQ(AnsiReplaceText("ab", "abc", "x"), "ab");
    std::string s = "1.5";
    EXPECT_FALSE(AnsiReplaceTextInPlace(s, ",", "."));
    EXPECT_TRUE(AnsiReplaceTextInPlace(s, ".", ","));
    EXPECT_EQ(s, "1,5");
}

TEST(Accelerator, FindsTheCharacterAfterASingleAmpersand) {
    struct {
        const char* caption;
        char hotkey;
    } cases[] = {{"&Weiter", 'W'}, {"Dr&ucken", 'u'}, {"A && B", 0}, {"A && &B", 'B'}, {"Ende&", 0}, {"", 0}};
    for (auto c : cases) EXPECT_EQ(GetHotkey(c.caption), c.hotkey) << c.caption;
    EXPECT_TRUE(IsAccel('w', "&Weiter"));
    EXPECT_TRUE(IsAccel('\xD6', "&\xF6" "ffnen"));  // case pairs of CP1252
    EXPECT_FALSE(IsAccel('e', "&Weiter"));
    EXPECT_FALSE(IsAccel('&', "A && B"));
}

TEST(Accelerator, StripHotkeyShowsTheCaptionAsItReads) {
    struct {
        const char* caption;
        const char* shown;
    } cases[] = {{"&Weiter", "Weiter"}, {"Dr&ucken", "Drucken"}, {"A && B", "A & B"}, {"A &&& &B", "A & B"},
                 {"Ende&", "Ende"},     {"&&&&", "&&"},          {"", ""},            {"Liste", "Liste"}};
    for (auto c : cases) EXPECT_EQ(StripHotkey(c.caption), c.shown) << c.caption;
}
