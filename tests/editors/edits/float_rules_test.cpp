#include "editors/edits/float_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "framework/format_settings.h"

namespace {

class FloatRulesTest : public ::testing::Test {
protected:
    void SetUp() override { InitFormatSettings(); }
    void TearDown() override { InitFormatSettings(); }
};

FloatFieldRules Rules(TEditDataType_ kind, int precision, int digits) { return FloatFieldRules{kind, precision, digits}; }

TEST_F(FloatRulesTest, Masks) {
    EXPECT_EQ(FloatEditMask(3, 0, ','), "9{3}");
    EXPECT_EQ(FloatEditMask(3, -1, ','), "9{3}");
    EXPECT_EQ(FloatEditMask(8, 2, ','), "9{6}!(.,,),9{2}");
    EXPECT_EQ(FloatEditMask(8, 2, '.'), "9{6}!(.,.).9{2}");
    EXPECT_EQ(FloatEditMask(0, 2, ','), "");
    EXPECT_EQ(FloatEditMask(-1, -1, ','), "");
}

TEST_F(FloatRulesTest, CharactersByKind) {
    const FloatCharSet decimal = DecimalFloatChars(',');
    EXPECT_EQ(decimal.count(), 13u);
    EXPECT_TRUE(decimal.test(',') && decimal.test('E') && decimal.test('-') && decimal.test('7'));
    const FloatCharSet integer = FloatCharsForKind(deInteger, ',');
    EXPECT_EQ(integer.count(), 11u);
    EXPECT_FALSE(integer.test(','));
    // A decimal kind takes the decimal characters, whatever kind came before
    // (the one grid editor goes from an integer column to a decimal one).
    EXPECT_EQ(FloatCharsForKind(deFloat, ','), decimal);
    EXPECT_EQ(FloatCharsForKind(deCurrency, ','), decimal);
}

struct NormalCase {
    TEditDataType_ kind;
    int precision, digits;
    const char* text;
    const char* normal;
};

TEST_F(FloatRulesTest, Normalisation) {
    const NormalCase cases[] = {
        {deInteger, 0, 3, "123", "123"},   {deInteger, 0, 3, "1234", "0"},    {deInteger, 0, -1, "2,5", "0"},
        {deInteger, 0, -1, "-17", "-17"},  {deFloat, 2, 8, "1,2", "1,20"},    {deFloat, 2, 8, "1234,5", "1234,50"},
        {deFloat, 2, 8, "abc", "0,00"},    {deFloat, 2, -1, "", "0,00"},      {deFloat, -1, -1, "1,5", "1,5"},
        {deFloat, 2, 8, "1E999", "0,00"},  {deCurrency, 0, -1, "1,2", "1,20"}, {deCurrency, 0, -1, "7", "7,00"},
        {deCurrency, 0, -1, "x", "0,00"},
    };
    for (const NormalCase& c : cases)
        EXPECT_EQ(NormalizeFloatText(c.text, Rules(c.kind, c.precision, c.digits)), c.normal) << c.text;
}

struct CheckCase {
    TEditDataType_ kind;
    int precision, digits;
    const char* text;
    int code;
    const char* normal;
};

TEST_F(FloatRulesTest, CheckOnLeaving) {
    const CheckCase cases[] = {
        {deInteger, 0, 3, "1234", kEditErrorInteger, ""},
        {deInteger, 0, 3, "123", 0, "123"},
        {deFloat, 2, -1, "1,2", 0, "1,20"},
        {deFloat, 2, -1, "1,2,3", kEditErrorDecimal, ""},
        {deCurrency, 0, -1, "1,234", kEditErrorCurrency, ""},
        {deCurrency, 0, -1, "1,5", 0, "1,50"},
        // Padded to "123423,00" it would have 9 digits of 8 and fail the
        // next check: it fails now.
        {deFloat, 2, 8, "123423", kEditErrorDecimal, ""},
        {deFloat, 2, 8, "12342", 0, "12342,00"},
    };
    for (const CheckCase& c : cases) {
        std::string normal;
        EXPECT_EQ(CheckFloatText(c.text, Rules(c.kind, c.precision, c.digits), normal), c.code) << c.text;
        EXPECT_EQ(normal, c.normal) << c.text;
    }
}

struct ValueCase {
    TEditDataType_ kind;
    int precision, digits;
    double value;
    const char* text;
};

TEST_F(FloatRulesTest, ValuesAsText) {
    const ValueCase cases[] = {
        // Precision is the number of decimals: "1234,5" never becomes 1200.
        {deFloat, 2, 8, 1234.5, "1234,50"},
        {deFloat, 2, -1, 2.5, "2,50"},
        {deFloat, 2, -1, 2.555, "2,56"},
        {deFloat, 0, -1, 2.5, "3"},
        {deFloat, -1, -1, 1234.5, "1234,5"},
        {deFloat, 2, -1, 123456789012.25, "123456789012,25"},
        // An integer field rounds (halves to even) instead of writing "0".
        {deInteger, 0, -1, 2.5, "2"},
        {deInteger, 0, -1, 3.5, "4"},
        {deInteger, 0, -1, -2.6, "-3"},
        // A value the field cannot show keeps its digits for the check.
        {deInteger, 0, 3, 1234, "1234"},
        // Currency keeps its two decimals, rounding the rest.
        {deCurrency, 0, -1, 10.0 / 3, "3,33"},
        {deCurrency, 0, -1, 2.5, "2,50"},
    };
    for (const ValueCase& c : cases)
        EXPECT_EQ(FloatValueText(c.value, Rules(c.kind, c.precision, c.digits)), c.text) << c.value;
}

TEST_F(FloatRulesTest, TextValues) {
    EXPECT_EQ(FloatTextValue("", Rules(deFloat, 2, -1)), 0);
    EXPECT_EQ(FloatTextValue("12,5", Rules(deFloat, 2, -1)), 12.5);
    EXPECT_EQ(FloatTextValue("junk", Rules(deFloat, 2, -1)), 0);
    EXPECT_EQ(FloatTextValue("-3", Rules(deInteger, 0, -1)), -3);
}

TEST_F(FloatRulesTest, LimitReading) {
    const FloatCharSet integer = FloatCharsForKind(deInteger, ',');
    const FloatCharSet decimal = DecimalFloatChars(',');
    struct Case {
        const char* text;
        TEditDataType_ kind;
        bool valid;
        double value;
    };
    const Case cases[] = {
        {" 11 ", deInteger, true, 11}, {"-5", deInteger, true, -5},   {"", deInteger, false, 0},
        {"-", deInteger, false, 0},    {"1-2", deInteger, false, 0},   {"1,5", deInteger, false, 0},
        {"1,5", deFloat, true, 1.5},   {"99999999999", deInteger, true, 99999999999.0},
        {"99999999999999999999", deInteger, false, 0},
    };
    for (const Case& c : cases) {
        FloatLimitReading r = ReadFloatLimitText(c.text, c.kind, c.kind == deInteger ? integer : decimal);
        EXPECT_EQ(r.valid, c.valid) << c.text;
        EXPECT_EQ(r.value, c.value) << c.text;
    }
}

struct KeyCase {
    TEditDataType_ kind;
    int digits;
    const char* text;
    int sel_start, sel_length;
    char key;
    FloatKeyVerdict verdict;
    bool clear;
};

TEST_F(FloatRulesTest, TypedCharacters) {
    using V = FloatKeyVerdict;
    const KeyCase cases[] = {
        {deInteger, 3, "12", 2, 0, 'a', V::Drop, false},
        {deInteger, 3, "12", 2, 0, '5', V::Pass, false},
        {deInteger, 3, "12", 1, 0, '-', V::Drop, false},       // "-" inside the number
        {deInteger, 3, "12", 0, 0, '-', V::Pass, false},
        {deInteger, 3, "-12", 1, 2, '-', V::Pass, true},      // over a selection: the text goes first
        {deInteger, 3, "-12", 0, 0, '-', V::Drop, false},
        {deInteger, 3, "12", 2, 0, ',', V::Drop, false},      // no separator in an integer
        {deFloat, -1, "1,5", 3, 0, ',', V::Drop, false},
        {deFloat, -1, "1,5", 0, 3, ',', V::Pass, true},
        {deFloat, -1, "1", 1, 0, 'e', V::Pass, false},         // upper-cased to "E"
        {deFloat, -1, "1", 1, 0, 'x', V::Drop, false},
        {deCurrency, 2, "1,23", 4, 0, '4', V::PassThenDrop, false},
        {deCurrency, 2, "1,2", 3, 0, '4', V::Pass, false},
        {deCurrency, -1, "1", 1, 0, ',', V::Pass, false},      // no Digits: any number of decimals
        // Control characters reach the choice edit: Esc undoes, Enter is
        // the form's, Backspace deletes.
        {deInteger, 3, "12", 2, 0, '\x1b', V::Pass, false},
        {deInteger, 3, "12", 2, 0, '\r', V::Pass, false},
        {deInteger, 3, "12", 2, 0, '\b', V::Pass, false},
        {deInteger, 3, "12", 2, 0, '\x16', V::Pass, false},
    };
    for (const KeyCase& c : cases) {
        const FloatFieldRules rules = Rules(c.kind, c.kind == deInteger ? 0 : -1, c.digits);
        const FloatCharSet allowed = FloatCharsForKind(c.kind, ',');
        const FloatKeyDecision d = JudgeFloatKey(c.text, c.sel_start, c.sel_length, c.key, rules, allowed);
        EXPECT_EQ(d.verdict, c.verdict) << c.text << " + " << c.key;
        EXPECT_EQ(d.clear_text, c.clear) << c.text << " + " << c.key;
    }
    EXPECT_EQ(JudgeFloatKey("1", 1, 0, 'e', Rules(deFloat, -1, -1), DecimalFloatChars(',')).key, 'E');
}

}  // namespace

// Values beyond 32 bits and beyond 1E15 are shown with every digit, and a
// value the field cannot hold is refused by the check: nothing becomes "0".
TEST_F(FloatRulesTest, LargeValuesAreShownOrRefusedNeverZero) {
    const ValueCase shown[] = {
        {deInteger, 0, -1, 1e15, "1000000000000000"},
        {deInteger, 0, -1, 3000000000.0, "3000000000"},
        {deInteger, 0, -1, -3000000000.0, "-3000000000"},
        {deCurrency, 0, -1, 1e15, "1000000000000000,00"},
        {deFloat, 2, -1, 1e20, "100000000000000000000,00"},
        {deFloat, -1, -1, 1e15, "1000000000000000"},
        {deFloat, 2, -1, 123456789012345e5, "12345678901234500000,00"},
        // Too long for Digits: the digits stay, the check refuses them.
        {deInteger, 0, 5, 3000000000.0, "3000000000"},
    };
    for (const ValueCase& c : shown)
        EXPECT_EQ(FloatValueText(c.value, Rules(c.kind, c.precision, c.digits)), c.text) << c.text;
    EXPECT_EQ(FloatValueText(std::nan(""), Rules(deFloat, 2, -1)), "");

    const CheckCase checks[] = {
        {deInteger, 0, -1, "3000000000", 0, "3000000000"},
        {deInteger, 0, -1, "1000000000000000", 0, "1000000000000000"},
        {deCurrency, 0, -1, "1000000000000000,00", 0, "1000000000000000,00"},
        {deFloat, 2, -1, "1000000000000000", 0, "1000000000000000,00"},
        {deInteger, 0, 5, "3000000000", kEditErrorInteger, ""},
        {deInteger, 0, -1, "9223372036854775808", kEditErrorInteger, ""},
        // More digits than the value holds: refused, not rounded.
        {deFloat, 2, -1, "12345678901234567,5", kEditErrorDecimal, ""},
        {deCurrency, 0, -1, "12345678901234567", kEditErrorCurrency, ""},
        // Accepted as typed, but the value's own text would not fit Digits.
        {deFloat, 2, 8, "1E20", kEditErrorDecimal, ""},
        // A value too small for the decimals would be written as 0.
        {deFloat, 9, 13, "70E-225", kEditErrorDecimal, ""},
        {deFloat, 9, 13, "15E-4", 0, "15E-4"},
    };
    for (const CheckCase& c : checks) {
        std::string normal;
        EXPECT_EQ(CheckFloatText(c.text, Rules(c.kind, c.precision, c.digits), normal), c.code) << c.text;
        EXPECT_EQ(normal, c.normal) << c.text;
    }
    const FloatLimitReading big = ReadFloatLimitText("3000000000", deInteger, FloatCharsForKind(deInteger, ','));
    EXPECT_TRUE(big.valid);
    EXPECT_EQ(big.value, 3000000000.0);
}

// A currency field's Digits is its number of decimals, for the check as for
// the typed filter: the positions grid's Stück and Preis (Digits 2) take
// every amount of two decimals.
TEST_F(FloatRulesTest, CurrencyDigitsAreDecimals) {
    const CheckCase checks[] = {
        {deCurrency, 2, 2, "12,5", 0, "12,50"},
        {deCurrency, 2, 2, "1250,75", 0, "1250,75"},
        {deCurrency, 2, 2, "100000", 0, "100000,00"},
        {deCurrency, 2, 2, "1,234", kEditErrorCurrency, ""},
        {deCurrency, 0, 4, "1,2345", 0, "1,2345"},
        {deCurrency, 0, 4, "1,5", 0, "1,50"},
        {deCurrency, 0, 0, "7", 0, "7"},
        {deCurrency, 0, 0, "7,5", kEditErrorCurrency, ""},
    };
    for (const CheckCase& c : checks) {
        std::string normal;
        EXPECT_EQ(CheckFloatText(c.text, Rules(c.kind, c.precision, c.digits), normal), c.code)
            << c.text << " digits " << c.digits;
        EXPECT_EQ(normal, c.normal) << c.text;
    }
    EXPECT_EQ(FloatValueText(1.2345, Rules(deCurrency, 0, 4)), "1,2345");
    EXPECT_EQ(FloatValueText(1.5, Rules(deCurrency, 0, 4)), "1,50");
    EXPECT_EQ(FloatValueText(2, Rules(deCurrency, 0, 0)), "2");
    const FloatCharSet allowed = FloatCharsForKind(deCurrency, ',');
    EXPECT_EQ(JudgeFloatKey("12,5", 4, 0, '0', Rules(deCurrency, 2, 2), allowed).verdict, FloatKeyVerdict::Pass);
    EXPECT_EQ(JudgeFloatKey("12,50", 5, 0, '1', Rules(deCurrency, 2, 2), allowed).verdict,
              FloatKeyVerdict::PassThenDrop);
}

TEST_F(FloatRulesTest, PastedTextIsOneLineTheFieldCanHold) {
    EXPECT_EQ(PastedFloatText("12,5\r\n", Rules(deCurrency, 2, 2)), "12,5");
    EXPECT_EQ(PastedFloatText(" \t7 \r\n", Rules(deInteger, 0, -1)), "7");
    const std::string digits(27000, '7');
    EXPECT_EQ(PastedFloatText(digits, Rules(deFloat, 2, 8)), std::string(11, '7'));
    EXPECT_EQ(PastedFloatText(digits, Rules(deInteger, 0, -1)).size(), 20u);
    EXPECT_EQ(PastedFloatText(digits, Rules(deInteger, 0, 4)).size(), 5u);
    EXPECT_LE(PastedFloatText(digits, Rules(deFloat, 2, -1)).size(), 400u);
    EXPECT_LE(PastedFloatText(digits, Rules(deCurrency, 0, -1)).size(), 400u);
}
