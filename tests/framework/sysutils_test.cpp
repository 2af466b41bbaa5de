// Number formatting and parsing, Format, trimming, quoting, file names,
// rounding and colour helpers.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/colors.h"
#include "framework/exceptions.h"
#include "framework/format_settings.h"
#include "framework/rounding.h"
#include "framework/sysutils.h"

namespace {
// Restores the process-wide settings whatever a test changed.
class SettingsGuard : public ::testing::Test {
protected:
    void SetUp() override { saved_ = FormatSettings; }
    void TearDown() override { FormatSettings = saved_; }

private:
    TFormatSettings saved_;
};
using FormatFloatTest = SettingsGuard;
using StrToFloatTest = SettingsGuard;
}  // namespace

TEST(FormatSettingsDefaults, German) {
    const TFormatSettings d = DefaultFormatSettings();
    EXPECT_EQ(d.DecimalSeparator, ',');
    EXPECT_EQ(d.ThousandSeparator, '.');
    EXPECT_EQ(d.CurrencyDecimals, 2);
    EXPECT_EQ(d.DateSeparator, '.');
    EXPECT_EQ(d.ShortDateFormat, "dd.mm.yyyy");
    EXPECT_EQ(d.TimeSeparator, ':');
    EXPECT_EQ(d.ShortMonthNames[2], "M\xE4r");
    EXPECT_EQ(d.ShortMonthNames[9], "Okt");
    EXPECT_EQ(d.LongMonthNames[2], "M\xE4rz");
    EXPECT_EQ(d.LongMonthNames[11], "Dezember");
}

TEST_F(FormatFloatTest, Patterns) {
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1.234.567,89");
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2,67");  // the double is 2.67499999...
    EXPECT_EQ(FormatFloat("0.00", 0.0), "0,00");
    EXPECT_EQ(FormatFloat("0.00", 0.125), "0,13");  // exact half: away from zero
    EXPECT_EQ(FormatFloat("0.00", -0.125), "-0,13");
    EXPECT_EQ(FormatFloat("0", 0.5), "1");
    EXPECT_EQ(FormatFloat("0", 2.5), "3");
    EXPECT_EQ(FormatFloat("#,##0.00", 999.995), "1.000,00");
    EXPECT_EQ(FormatFloat("#,##0", 0.0), "0");
    EXPECT_EQ(FormatFloat("#,##0", -1234.0), "-1.234");
}

TEST_F(FormatFloatTest, OptionalDigits) {
    EXPECT_EQ(FormatFloat("#.##", 1234.0), "1234");
    EXPECT_EQ(FormatFloat("#.##", 1.5), "1,5");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ",5");
    EXPECT_EQ(FormatFloat("#.##", 0.0), "");
    EXPECT_EQ(FormatFloat("#.##", -1234.0), "-1234");
    EXPECT_EQ(FormatFloat("0.0#", 1.5), "1,5");
    EXPECT_EQ(FormatFloat("0.0#", 1.257), "1,26");
    EXPECT_EQ(FormatFloat("000", 7.0), "007");
    EXPECT_EQ(FormatFloat("0", 12345.0), "12345");
}

TEST_F(FormatFloatTest, LiteralsAndSections) {
    EXPECT_EQ(FormatFloat("#######.00 'DM'", 12.5), "12,50 DM");
    EXPECT_EQ(FormatFloat("##.00 '%'", 16.0), "16,00 %");
    EXPECT_EQ(FormatFloat("##.0 '%'", 2.25), "2,3 %");
    EXPECT_EQ(FormatFloat("\"Summe: \"0.00", 3.0), "Summe: 3,00");
    EXPECT_EQ(FormatFloat("0.00;(0.00)", -5.5), "(5,50)");
    EXPECT_EQ(FormatFloat("0.00;(0.00)", 5.5), "5,50");
    EXPECT_EQ(FormatFloat("#,##0.00;;'Null'", 0.0), "Null");
    EXPECT_EQ(FormatFloat("#,##0.00;;'Null'", -1234.0), "-1.234,00");
    EXPECT_EQ(FormatFloat("0.0;-0.0;'nichts'", 0.04), "nichts");  // zero after rounding
    EXPECT_EQ(FormatFloat("0", -0.4), "0");                       // no "-0"
    EXPECT_EQ(FormatFloat("0.00 'a;b'", 1.0), "1,00 a;b");
}

TEST_F(FormatFloatTest, Scientific) {
    EXPECT_EQ(FormatFloat("0.000E+00", 1234.0), "1,234E+03");
    EXPECT_EQ(FormatFloat("0.000E+00", -1234.0), "-1,234E+03");
    EXPECT_EQ(FormatFloat("0.000E+00", 0.5), "5,000E-01");
    EXPECT_EQ(FormatFloat("0.000E+00", 0.0), "0,000E+00");
    EXPECT_EQ(FormatFloat("#.###E-0", 1234.0), "1,234E3");
    EXPECT_EQ(FormatFloat("#.###E-0", 0.5), "5E-1");
    EXPECT_EQ(FormatFloat("#.###E-0", 0.0), "0E0");
}

TEST_F(FormatFloatTest, GeneralAndSeparatorsFollowSettings) {
    EXPECT_EQ(FormatFloat("", 1.5), "1,5");
    FormatSettings.DecimalSeparator = '.';
    FormatSettings.ThousandSeparator = ',';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1,234,567.89");
}

TEST(FloatToStr, GeneralFormat) {
    EXPECT_EQ(FloatToStr(1.5), "1,5");
    EXPECT_EQ(FloatToStr(100.0), "100");
    EXPECT_EQ(FloatToStr(-0.25), "-0,25");
    EXPECT_EQ(FloatToStr(0.0), "0");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0,3");  // 15 significant digits
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(1.5e-7), "1,5E-7");
    EXPECT_EQ(FloatToStr(0.00001), "0,00001");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1234567890123456.0), "1,23456789012346E15");
}

TEST(FloatToStrF, Kinds) {
    EXPECT_EQ(FloatToStrF(1234.5, TFloatFormat::ffFixed, 15, 2), "1234,50");
    EXPECT_EQ(FloatToStrF(1234.5, TFloatFormat::ffNumber, 15, 2), "1.234,50");
    EXPECT_EQ(FloatToStrF(-1234.5, TFloatFormat::ffCurrency, 15, 2), "-1.234,50 \x80");
    EXPECT_EQ(FloatToStrF(1234.5, TFloatFormat::ffExponent, 4, 2), "1,235E+03");
    EXPECT_EQ(FloatToStrF(1.23456, TFloatFormat::ffFixed, 3, 4), "1,2300");
}

TEST_F(StrToFloatTest, DecimalSeparatorOfTheSettings) {
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("  -12,25 "), -12.25);
    EXPECT_DOUBLE_EQ(StrToFloat("1,5E3"), 1500.0);
    EXPECT_DOUBLE_EQ(StrToFloat(",5"), 0.5);
    double v = 0;
    EXPECT_FALSE(TryStrToFloat("1.5", v));
    EXPECT_FALSE(TryStrToFloat("1.000,5", v));
    EXPECT_FALSE(TryStrToFloat("", v));
    EXPECT_FALSE(TryStrToFloat("abc", v));
    EXPECT_FALSE(TryStrToFloat("1e", v));
    try {
        StrToFloat("1.5");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1.5' ist kein g\xFCltiger Gleitkommawert");
    }
    FormatSettings.DecimalSeparator = '.';
    EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_FALSE(TryStrToFloat("1,5", v));
    EXPECT_DOUBLE_EQ(StrToFloatDef("x", 7.0), 7.0);
}

TEST(StrToInt, Conversions) {
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt(" -17"), -17);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToIntDef("2147483648", -1), -1);
    EXPECT_EQ(StrToIntDef("12 ", -1), -1);
    EXPECT_EQ(StrToIntDef("", -1), -1);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    int v = 0;
    EXPECT_TRUE(TryStrToInt("+7", v));
    EXPECT_EQ(v, 7);
    try {
        StrToInt("12a");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'12a' ist kein g\xFCltiger Integerwert");
    }
    EXPECT_EQ(IntToStr(-5), "-5");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
}

TEST(Format, SpecifiersAndIndexes) {
    EXPECT_EQ(Format("%d-%s-%x", {42, "ab", 255}), "42-ab-FF");
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b", "c"}), "b a b");
    EXPECT_EQ(Format("%0:s%s%s", {"a", "b", "c"}), "abc");
    EXPECT_EQ(Format("[%5d][%-5d][%.3d]", {1, 2, -3}), "[    1][2    ][-003]");
    EXPECT_EQ(Format("%.2f|%n|%e", {1234.567, 1234.567, 1.5}), "1234,57|1.234,57|1,50000000000000E+000");
    EXPECT_EQ(Format("%g", {0.5}), "0,5");
    EXPECT_EQ(Format("%m", {3.0}), "3,00 \x80");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%*d|%-*s|", {4, 7, 3, "a"}), "   7|a  |");
    EXPECT_EQ(Format("%.2s", {std::string("abc")}), "ab");
    EXPECT_EQ(Format("%p", {nullptr}), std::string(sizeof(void*) * 2, '0'));
}

TEST(Format, WidthsAndPrecisionsCapped) {
    constexpr size_t kCap = 1000000;
    struct Case {
        std::string fmt;
        std::vector<FormatArg> args;
        size_t size;
        std::string begins;
    } cases[] = {
        {"%*d|", {INT32_MIN, 7}, kCap + 1, "7 "},  // negative: left-aligned
        {"%*d|", {-3, 7}, 4, "7  |"},
        {"%*d|", {INT32_MAX, 7}, kCap + 1, "  "},
        {"%*d|", {INT64_MIN, 7}, kCap + 1, "7 "},
        {"%.*d|", {INT32_MAX, 5}, kCap + 1, "00"},
        {"%-.*x|", {INT64_MAX, 5}, kCap + 1, "00"},
        {"%99999999999d|", {1, 0}, kCap + 1, "  "},
        {"%.99999999999d|", {1, 0}, kCap + 1, "00"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.args.size(), 2u);
        const std::string out = Format(c.fmt, {c.args[0], c.args[1]});
        EXPECT_EQ(out.size(), c.size) << c.fmt;
        EXPECT_EQ(out.substr(0, c.begins.size()), c.begins) << c.fmt;
    }
}

TEST(Format, Errors) {
    try {
        Format("%d", {"text"});
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Format '%d' ung\xFCltig oder nicht kompatibel mit Argument");
    }
    EXPECT_THROW(Format("%s", {1.5}), EConvertError);
    EXPECT_THROW(Format("%f", {1}), EConvertError);
    EXPECT_THROW(Format("%s %s", {"a"}), EConvertError);
    EXPECT_THROW(Format("abc%", {}), EConvertError);
}

TEST(StringHelpers, TrimCaseQuote) {
    EXPECT_EQ(Trim(std::string("\t a b \0\r\n", 9)), "a b");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x "), "  x");
    EXPECT_EQ(UpperCase("abc\xE4"), "ABC\xE4");
    EXPECT_EQ(LowerCase("ABC\xC4"), "abc\xC4");
    EXPECT_TRUE(SameText("Hallo", "hALLO"));
    EXPECT_FALSE(SameText("\xE4", "\xC4"));
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
    EXPECT_EQ(AnsiDequotedStr("\"a\"\"b\"", '"'), "a\"b");
    EXPECT_EQ(AnsiDequotedStr("\"\"", '"'), "");
    EXPECT_EQ(AnsiDequotedStr("plain", '"'), "plain");
    EXPECT_EQ(AnsiDequotedStr("\"open", '"'), "\"open");
    EXPECT_EQ(StringOfChar('-', 3), "---");
    EXPECT_EQ(StringOfChar('-', -1), "");
}

TEST(FileNames, Parts) {
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\Temp"), "C:\\Temp\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\Temp\\"), "C:\\Temp\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\Temp\\"), "C:\\Temp");
    EXPECT_EQ(ExtractFilePath("C:\\a\\b.txt"), "C:\\a\\");
    EXPECT_EQ(ExtractFilePath("C:b.txt"), "C:");
    EXPECT_EQ(ExtractFileDir("C:\\a\\b.txt"), "C:\\a");
    EXPECT_EQ(ExtractFileDir("C:\\b.txt"), "C:\\");
    EXPECT_EQ(ExtractFileDir("C:b.txt"), "C:");
    EXPECT_EQ(ExtractFileDir("b.txt"), "");
    EXPECT_EQ(ExtractFileDir("\\\\srv\\share\\x.pdf"), "\\\\srv\\share");
    EXPECT_EQ(ExtractFileName("C:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(ExtractFileExt("C:\\a.d\\b.txt"), ".txt");
    EXPECT_EQ(ExtractFileExt("C:\\a.d\\b"), "");
    EXPECT_EQ(ChangeFileExt("C:\\a.d\\b.txt", ".ini"), "C:\\a.d\\b.ini");
    EXPECT_EQ(ChangeFileExt("C:\\a.d\\b", ".ini"), "C:\\a.d\\b.ini");
}

TEST(Rounding, HalfEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(1e300), INT64_MAX);
}
