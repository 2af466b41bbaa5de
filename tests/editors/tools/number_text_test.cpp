#include "editors/tools/number_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TFormatSettings German() { return DefaultFormatSettings(); }

struct ClassCase {
    const char* text;
    NumberClass cls;
    int decimals;
    int digits;
};

TEST(NumberTextTest, ClassifiesNumbers) {
    const ClassCase cases[] = {
        {"", NumberClass::Invalid, 0, 0},
        {"-", NumberClass::Invalid, 0, 0},
        {"12", NumberClass::Integer, 0, 2},
        {"-12,5", NumberClass::CurrencyDecimal, 1, 4},
        {"1,234", NumberClass::LongDecimal, 3, 5},
        {"1E5", NumberClass::Exponent, 0, 2},
        {"1,5e-3", NumberClass::Exponent, 2, 4},
        {"1,55E+1", NumberClass::Exponent, 1, 5},
        {"1E", NumberClass::Invalid, 0, 0},
        {"E5", NumberClass::Invalid, 0, 0},
        {"1,E5", NumberClass::Invalid, 0, 0},
        {"1E5E5", NumberClass::Invalid, 0, 0},
        {"12345678901", NumberClass::Invalid, 0, 0},
        {"2147483647", NumberClass::Integer, 0, 10},
        {"2147483648", NumberClass::Invalid, 0, 0},
        {"-2147483648", NumberClass::Integer, 0, 10},
        {"1.5", NumberClass::Invalid, 0, 0},
        {"1 ", NumberClass::Invalid, 0, 0},
        {"--1", NumberClass::Invalid, 0, 0},
        {"1-", NumberClass::Invalid, 0, 0},
        {",", NumberClass::CurrencyDecimal, 0, 1},
        {"5,", NumberClass::CurrencyDecimal, 0, 2},
        {",5", NumberClass::CurrencyDecimal, 1, 2},
        // A sign inside the fraction is no number.
        {"1,-5", NumberClass::Invalid, 0, 0},
        {"1,+5", NumberClass::Invalid, 0, 0},
        {"1,5-", NumberClass::Invalid, 0, 0},
        {"1E-5-", NumberClass::Invalid, 0, 0},
    };
    for (const ClassCase& c : cases) {
        int decimals = -9, digits = -9;
        EXPECT_EQ(ClassifyNumberText(c.text, decimals, digits, German()), c.cls) << c.text;
        if (c.cls != NumberClass::Invalid) {
            EXPECT_EQ(decimals, c.decimals) << c.text;
            EXPECT_EQ(digits, c.digits) << c.text;
        }
    }
}

TEST(NumberTextTest, WrappersAndSettings) {
    const TFormatSettings s = German();
    EXPECT_TRUE(IsDecimalText("1,234", 3, s));
    EXPECT_TRUE(IsDecimalText("1,234", -1, s));
    EXPECT_FALSE(IsDecimalText("1,234", 2, s));
    EXPECT_FALSE(IsDecimalText("1E5", -1, s));
    EXPECT_TRUE(IsIntegerTextMaxDigits("-123", 3, s));
    EXPECT_FALSE(IsIntegerTextMaxDigits("1234", 3, s));
    EXPECT_TRUE(IsNumberText("1E5", s));
    EXPECT_FALSE(IsIntegerText("1E5", s));
    TFormatSettings point = s;
    point.DecimalSeparator = '.';
    point.CurrencyDecimals = 3;
    int decimals = 0, digits = 0;
    EXPECT_EQ(ClassifyNumberText("1.234", decimals, digits, point), NumberClass::CurrencyDecimal);
    EXPECT_EQ(ClassifyNumberText("1,234", decimals, digits, point), NumberClass::Invalid);
}

struct PadCase {
    const char* text;
    int decimals;
    int maxDigits;
    bool ok;
    const char* result;
};

TEST(NumberTextTest, PadsAndCutsNumbers) {
    const PadCase cases[] = {
        {"5", 2, -1, true, "5,00"},
        {"5", -1, -1, true, "5"},
        {"1,5", 2, -1, true, "1,50"},
        {"1,2345", 2, -1, true, "1,23"},
        {"1E5", 2, -1, true, "1E5"},
        {"abc", 2, -1, false, "abc"},
        {"123", 2, 2, false, "123"},
        // The sign counts for the cut.
        {"-1,2345", 2, -1, true, "-1,23"},
        {"+1,2345", 2, -1, true, "+1,23"},
        {"1,555", 0, -1, true, "1,"},
        // Too many digits even after the cut: refused, text unchanged.
        {"123456,789", 2, 5, false, "123456,789"},
        {"1234,567", 2, 7, true, "1234,56"},
        // A currency-length decimal with more places than asked is refused.
        {"1,5", 0, -1, false, "1,5"},
    };
    for (const PadCase& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(PadNumberText(text, c.decimals, c.maxDigits, German()), c.ok) << c.text;
        EXPECT_EQ(text, c.result) << c.text;
    }
}

TEST(NumberTextTest, PadsCurrency) {
    const PadCase cases[] = {
        // decimals column = maxDecimals here
        {"7", -1, -1, true, "7,00"},
        {"7,5", -1, -1, true, "7,50"},
        {"7,123", -1, -1, true, "7,123"},
        {"7,123", 2, -1, false, "7,123"},
        {"7,123", 3, -1, true, "7,123"},
        {"12345", -1, 4, false, "12345"},
        {"1E3", -1, -1, false, "1E3"},
    };
    for (const PadCase& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(PadCurrencyText(text, c.decimals, c.maxDigits, German()), c.ok) << c.text;
        EXPECT_EQ(text, c.result) << c.text;
    }
}

struct DateCase {
    const char* text;
    DateTextMode mode;
    const char* result;  // nullptr: refused
};

TEST(NumberTextTest, NormalizesDates) {
    const DateCase cases[] = {
        {"1.2.5", DateTextMode::Date, "01.02.2005"},
        {"1.2.49", DateTextMode::Date, "01.02.2049"},
        {"1.2.50", DateTextMode::Date, "01.02.1950"},
        {"1.2.100", DateTextMode::Date, "01.02.2100"},
        {"1.2.999", DateTextMode::Date, "01.02.2999"},
        {"1.2.1000", DateTextMode::Date, "01.02.1000"},
        {"29.02.00", DateTextMode::Date, "29.02.2000"},
        {"1/2/2020", DateTextMode::Date, "01.02.2020"},
        {"1.2.3.4.5.6.7", DateTextMode::Date, "01.02.2003"},
        {"1.2.2020 3:4:5", DateTextMode::DateTime, "01.02.2020 03:04:05"},
        {"1.2.2020", DateTextMode::DateTime, "01.02.2020 00:00:00"},
        {"31.04.2020", DateTextMode::Date, nullptr},
        {"29.02.2021", DateTextMode::Date, nullptr},
        {"29.02.1900", DateTextMode::Date, nullptr},
        {"0.1.2020", DateTextMode::Date, nullptr},
        {"1.13.2020", DateTextMode::Date, nullptr},
        {"12.05", DateTextMode::Date, nullptr},
        {"12.05.", DateTextMode::Date, nullptr},
        {"", DateTextMode::Date, nullptr},
        {"1.2.3.4.5.6.7.", DateTextMode::Date, nullptr},
        {"1.2.3.4.5.6.7.8", DateTextMode::Date, nullptr},
        // Times past 23:59:59 are no times.
        {"1.2.2020 25:61:99", DateTextMode::DateTime, nullptr},
        {"1.2.2020 24:00:00", DateTextMode::DateTime, nullptr},
        {"1.2.2020 12:60:00", DateTextMode::DateTime, nullptr},
        // Time fields do not matter for dates only.
        {"1.2.2020 25:61:99", DateTextMode::Date, "01.02.2020"},
    };
    for (const DateCase& c : cases) {
        std::string result = "untouched";
        EXPECT_EQ(NormalizeDateText(c.text, result, c.mode, German()), c.result != nullptr) << c.text;
        EXPECT_EQ(result, c.result ? c.result : "untouched") << c.text;
    }
}

TEST(NumberTextTest, DatePartsSeparatorsAndMonthLengths) {
    TFormatSettings s = German();
    s.DateSeparator = '/';
    s.TimeSeparator = '.';
    std::string result;
    ASSERT_TRUE(NormalizeDateText("5.12.26 7:08:09", result, DateTextMode::DateTime, s));
    EXPECT_EQ(result, "05/12/2026 07.08.09");
    DateParts p;
    ASSERT_TRUE(ParseDateParts("x1.2.2020 3:4:5.6", p));
    EXPECT_EQ((std::vector<int>{p.day, p.month, p.year, p.hour, p.minute, p.second}),
              (std::vector<int>{1, 2, 2020, 3, 4, 5}));
    EXPECT_FALSE(ParseDateParts("99999999999.1.2020", p));  // an overlong run counts as 0
    EXPECT_EQ(DaysInMonthOf(1900, 2), 28);
    EXPECT_EQ(DaysInMonthOf(0, 2), 29);
    for (int month : {0, 13, -1, 1000000}) EXPECT_EQ(DaysInMonthOf(2021, month), 0) << month;
}

}  // namespace
