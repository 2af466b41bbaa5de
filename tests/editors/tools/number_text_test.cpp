#include "editors/tools/number_text.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

TFormatSettings German() { return DefaultFormatSettings(); }

struct ClassCase { const char* text; NumberClass cls; int decimals; int digits; };

TEST(NumberTextTest, ClassifiesNumbers) {
    using N = NumberClass;
    const ClassCase cases[] = {
        {"", N::Invalid, 0, 0},        {"-", N::Invalid, 0, 0},      {"12", N::Integer, 0, 2},
        {"-12,5", N::CurrencyDecimal, 1, 4}, {"1,234", N::LongDecimal, 3, 5}, {"1E5", N::Exponent, 0, 2},
        {"1,5e-3", N::Exponent, 2, 4}, {"1,55E+1", N::Exponent, 1, 5}, {"1E", N::Invalid, 0, 0},
        {"E5", N::Invalid, 0, 0},      {"1,E5", N::Invalid, 0, 0},   {"1E5E5", N::Invalid, 0, 0},
        {"12345678901", N::Invalid, 0, 0}, {"2147483647", N::Integer, 0, 10}, {"2147483648", N::Invalid, 0, 0},
        {"-2147483648", N::Integer, 0, 10}, {"1.5", N::Invalid, 0, 0}, {"1 ", N::Invalid, 0, 0},
        {"--1", N::Invalid, 0, 0},     {"1-", N::Invalid, 0, 0},     {",", N::CurrencyDecimal, 0, 1},
        {"5,", N::CurrencyDecimal, 0, 2}, {",5", N::CurrencyDecimal, 1, 2},
        // A sign inside the fraction is no number.
        {"1,-5", N::Invalid, 0, 0}, {"1,+5", N::Invalid, 0, 0}, {"1,5-", N::Invalid, 0, 0}, {"1E-5-", N::Invalid, 0, 0},
    };
    for (const ClassCase& c : cases) {
        int decimals = -9, digits = -9;
        EXPECT_EQ(ClassifyNumberText(c.text, decimals, digits, German()), c.cls) << c.text;
        if (c.cls != NumberClass::Invalid) {
            EXPECT_EQ(std::make_pair(decimals, digits), std::make_pair(c.decimals, c.digits)) << c.text;
        }
    }
}

TEST(NumberTextTest, LongTextsCountEveryDigit) {
    using N = NumberClass;
    const std::string zeros(30, '0'), many(31, '5');
    const struct { std::string text; NumberClass cls; int decimals; int digits; } cases[] = {
        // Leading zeros neither push digits out of the value nor make it bigger.
        {zeros + "99999999999", N::Invalid, 0, 0}, {zeros + "2147483647", N::Integer, 0, 40},
        {"-" + zeros + "2147483648", N::Integer, 0, 40}, {zeros + "2147483648", N::Invalid, 0, 0},
        {std::string(100, '0') + "7", N::Integer, 0, 101},
        {"1," + many, N::LongDecimal, 31, 33}, {"1E" + zeros + "5", N::Exponent, 0, 32},
    };
    for (const auto& c : cases) {
        int decimals = -9, digits = -9;
        EXPECT_EQ(ClassifyNumberText(c.text, decimals, digits, German()), c.cls) << c.text;
        if (c.cls != NumberClass::Invalid) {
            EXPECT_EQ(std::make_pair(decimals, digits), std::make_pair(c.decimals, c.digits)) << c.text;
        }
    }
    EXPECT_FALSE(IsIntegerText("99999999999", German()));
    EXPECT_FALSE(IsIntegerText(zeros + "99999999999", German()));
    // 31 places are already more than 30: nothing is added.
    std::string text = "1," + many;
    EXPECT_TRUE(PadNumberText(text, 31, -1, German()));
    EXPECT_EQ(text, "1," + many);
    text = "1," + many;
    EXPECT_TRUE(PadNumberText(text, 30, -1, German()));
    EXPECT_EQ(text, "1," + many.substr(0, 30));
}

TEST(NumberTextTest, WrappersAndSettings) {
    const TFormatSettings s = German();
    EXPECT_EQ((std::vector<bool>{IsDecimalText("1,234", 3, s), IsDecimalText("1,234", -1, s),
                                 IsDecimalText("1,234", 2, s), IsDecimalText("1E5", -1, s)}),
              (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ((std::vector<bool>{IsIntegerTextMaxDigits("-123", 3, s), IsIntegerTextMaxDigits("1234", 3, s),
                                 IsNumberText("1E5", s), IsIntegerText("1E5", s)}),
              (std::vector<bool>{true, false, true, false}));
    TFormatSettings point = s;
    point.DecimalSeparator = '.';
    point.CurrencyDecimals = 3;
    int decimals = 0, digits = 0;
    EXPECT_EQ(ClassifyNumberText("1.234", decimals, digits, point), NumberClass::CurrencyDecimal);
    EXPECT_EQ(ClassifyNumberText("1,234", decimals, digits, point), NumberClass::Invalid);
}

// currency: PadCurrencyText, whose decimals are the most places allowed.
struct PadCase { bool currency; const char* text; int decimals; int maxDigits; bool ok; const char* result; };

TEST(NumberTextTest, PadsAndCutsNumbersAndCurrency) {
    const bool N = false, C = true;
    const PadCase cases[] = {
        {N, "5", 2, -1, true, "5,00"},   {N, "5", -1, -1, true, "5"},    {N, "1,5", 2, -1, true, "1,50"},
        {N, "1,2345", 2, -1, true, "1,23"}, {N, "1E5", 2, -1, true, "1E5"}, {N, "abc", 2, -1, false, "abc"},
        {N, "123", 2, 2, false, "123"},  {N, "1,555", 0, -1, true, "1,"},
        // The sign counts for the cut.
        {N, "-1,2345", 2, -1, true, "-1,23"}, {N, "+1,2345", 2, -1, true, "+1,23"},
        // Too many digits even after the cut: refused, text unchanged.
        {N, "123456,789", 2, 5, false, "123456,789"}, {N, "1234,567", 2, 7, true, "1234,56"},
        // A currency-length decimal with more places than asked is refused.
        {N, "1,5", 0, -1, false, "1,5"},
        {C, "7", -1, -1, true, "7,00"},  {C, "7,5", -1, -1, true, "7,50"}, {C, "7,123", -1, -1, true, "7,123"},
        {C, "7,123", 2, -1, false, "7,123"}, {C, "7,123", 3, -1, true, "7,123"}, {C, "12345", -1, 4, false, "12345"},
        {C, "1E3", -1, -1, false, "1E3"},
    };
    for (const PadCase& c : cases) {
        std::string text = c.text;
        const auto pad = c.currency ? PadCurrencyText : PadNumberText;
        EXPECT_EQ(pad(text, c.decimals, c.maxDigits, German(), IntegerRange::Int32), c.ok) << c.text;
        EXPECT_EQ(text, c.result) << c.text;
    }
}

TEST(NumberTextTest, IntegerRanges) {
    // A grid cell's integer keeps to 32 bits; a number field's takes 64, the
    // calculator any length.
    int decimals = 0, digits = 0;
    EXPECT_EQ(ClassifyNumberText("3000000000", decimals, digits, German()), NumberClass::Invalid);
    EXPECT_EQ(ClassifyNumberText("3000000000", decimals, digits, German(), IntegerRange::Int64), NumberClass::Integer);
    EXPECT_EQ(digits, 10);
    EXPECT_TRUE(IsNumberText("-9223372036854775808", German(), IntegerRange::Int64));
    EXPECT_FALSE(IsNumberText("9223372036854775808", German(), IntegerRange::Int64));
    EXPECT_FALSE(IsNumberText("-9223372036854775809", German(), IntegerRange::Int64));
    EXPECT_TRUE(IsNumberText("99999999999999999999999999", German(), IntegerRange::Any));
    EXPECT_TRUE(IsIntegerTextMaxDigits("1000000000000000", 16, German(), IntegerRange::Int64));
    EXPECT_FALSE(IsIntegerTextMaxDigits("1000000000000000", 15, German(), IntegerRange::Int64));
    std::string text = "1000000000000000";
    EXPECT_TRUE(PadCurrencyText(text, -1, -1, German(), IntegerRange::Int64));
    EXPECT_EQ(text, "1000000000000000,00");
    // Leading zeros do not push digits out of the value.
    EXPECT_TRUE(IsNumberText("0000000000000000000000012", German()));
}

struct DateCase { const char* text; DateTextMode mode; const char* result; };  // result nullptr: refused

TEST(NumberTextTest, NormalizesDates) {
    const DateTextMode D = DateTextMode::Date, DT = DateTextMode::DateTime;
    const DateCase cases[] = {
        {"1.2.5", D, "01.02.2005"},     {"1.2.49", D, "01.02.2049"},   {"1.2.50", D, "01.02.1950"},
        {"1.2.100", D, "01.02.2100"},   {"1.2.999", D, "01.02.2999"},  {"1.2.1000", D, "01.02.1000"},
        {"29.02.00", D, "29.02.2000"},  {"1/2/2020", D, "01.02.2020"}, {"1.2.3.4.5.6.7", D, "01.02.2003"},
        {"1.2.2020 3:4:5", DT, "01.02.2020 03:04:05"}, {"1.2.2020", DT, "01.02.2020 00:00:00"},
        {"31.04.2020", D, nullptr}, {"29.02.2021", D, nullptr}, {"29.02.1900", D, nullptr}, {"0.1.2020", D, nullptr},
        {"1.13.2020", D, nullptr},  {"12.05", D, nullptr},      {"12.05.", D, nullptr},     {"", D, nullptr},
        {"1.2.3.4.5.6.7.", D, nullptr}, {"1.2.3.4.5.6.7.8", D, nullptr},
        // Times past 23:59:59 are no times; for dates only they do not matter.
        {"1.2.2020 25:61:99", DT, nullptr}, {"1.2.2020 24:00:00", DT, nullptr}, {"1.2.2020 12:60:00", DT, nullptr},
        {"1.2.2020 25:61:99", D, "01.02.2020"},
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
