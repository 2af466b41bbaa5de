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
#include "tests/framework/control_test_support.h"

namespace {
// Restores the process-wide settings whatever a test changed.
struct SettingsGuard : ::testing::Test {
    const TFormatSettings saved = FormatSettings;
    void TearDown() override { FormatSettings = saved; }
};
using FormatFloatTest = SettingsGuard;
using StrToFloatTest = SettingsGuard;
}  // namespace

// Rounding (half away from zero on the decimal digits), optional digits,
// literals, sections and exponents, with the German separators.
TEST_F(FormatFloatTest, Patterns) {
    const struct {
        const char* format;
        double value;
        const char* expected;
    } cases[] = {
        {"#,##0.00", 1234567.891, "1.234.567,89"}, {"0.00", 2.675, "2,67"},  // the double is 2.67499999...
        {"0.00", 0.0, "0,00"}, {"0.00", 0.125, "0,13"},  // exact half: away from zero
        {"0.00", -0.125, "-0,13"}, {"0", 0.5, "1"}, {"0", 2.5, "3"}, {"#,##0.00", 999.995, "1.000,00"},
        {"#,##0", 0.0, "0"}, {"#,##0", -1234.0, "-1.234"}, {"#.##", 1234.0, "1234"}, {"#.##", 1.5, "1,5"},
        {"#.##", 0.5, ",5"}, {"#.##", 0.0, ""}, {"#.##", -1234.0, "-1234"}, {"0.0#", 1.5, "1,5"},
        {"0.0#", 1.257, "1,26"}, {"000", 7.0, "007"}, {"0", 12345.0, "12345"}, {"#######.00 'DM'", 12.5, "12,50 DM"},
        {"##.00 '%'", 16.0, "16,00 %"}, {"##.0 '%'", 2.25, "2,3 %"}, {"\"Summe: \"0.00", 3.0, "Summe: 3,00"},
        {"0.00;(0.00)", -5.5, "(5,50)"}, {"0.00;(0.00)", 5.5, "5,50"}, {"#,##0.00;;'Null'", 0.0, "Null"},
        {"#,##0.00;;'Null'", -1234.0, "-1.234,00"}, {"0.0;-0.0;'nichts'", 0.04, "nichts"},  // zero after rounding
        {"0", -0.4, "0"},  // no "-0"
        {"0.00 'a;b'", 1.0, "1,00 a;b"}, {"0.000E+00", 1234.0, "1,234E+03"}, {"0.000E+00", -1234.0, "-1,234E+03"},
        {"0.000E+00", 0.5, "5,000E-01"}, {"0.000E+00", 0.0, "0,000E+00"}, {"#.###E-0", 1234.0, "1,234E3"},
        {"#.###E-0", 0.5, "5E-1"}, {"#.###E-0", 0.0, "0E0"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatFloat(c.format, c.value), c.expected) << c.format << " " << c.value;
    EXPECT_EQ(DefaultFormatSettings().LongMonthNames[2], "M\xE4rz");
}

TEST_F(FormatFloatTest, GeneralAndSeparatorsFollowSettings) {
    EXPECT_EQ(FormatFloat("", 1.5), "1,5");
    FormatSettings.DecimalSeparator = '.';
    FormatSettings.ThousandSeparator = ',';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1,234,567.89");
}

TEST(FloatToStr, GeneralAndFixedKinds) {
    const std::pair<double, const char*> general[] = {
        {1.5, "1,5"}, {100.0, "100"}, {-0.25, "-0,25"}, {0.0, "0"}, {0.1 + 0.2, "0,3"},  // 15 significant digits
        {1e20, "1E20"}, {1.5e-7, "1,5E-7"}, {0.00001, "0,00001"}, {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1,23456789012346E15"}};
    for (const auto& [value, text] : general) EXPECT_EQ(FloatToStr(value), text);
    EXPECT_EQ(FloatToStrF(1234.5, TFloatFormat::ffFixed, 15, 2), "1234,50");
    EXPECT_EQ(FloatToStrF(1234.5, TFloatFormat::ffNumber, 15, 2), "1.234,50");
    EXPECT_EQ(FloatToStrF(-1234.5, TFloatFormat::ffCurrency, 15, 2), "-1.234,50 \x80");
    EXPECT_EQ(FloatToStrF(1234.5, TFloatFormat::ffExponent, 4, 2), "1,235E+03");
    EXPECT_EQ(FloatToStrF(1.23456, TFloatFormat::ffFixed, 3, 4), "1,2300");
}

TEST_F(StrToFloatTest, DecimalSeparatorOfTheSettings) {
    for (auto [text, value] : {std::pair{"1,5", 1.5}, {"  -12,25 ", -12.25}, {"1,5E3", 1500.0}, {",5", 0.5}})
        EXPECT_DOUBLE_EQ(StrToFloat(text), value) << text;
    double v = 0;
    for (const char* text : {"1.5", "1.000,5", "", "abc", "1e"}) EXPECT_FALSE(TryStrToFloat(text, v)) << text;
    EXPECT_EQ(ErrorOf<EConvertError>([] { StrToFloat("1.5"); }), "'1.5' ist kein g\xFCltiger Gleitkommawert");
    FormatSettings.DecimalSeparator = '.';
    EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_FALSE(TryStrToFloat("1,5", v));
    EXPECT_DOUBLE_EQ(StrToFloatDef("x", 7.0), 7.0);
}

TEST(StrToInt, ConversionsAndHalfEvenRounding) {
    for (auto [text, value] : {std::pair{"42", 42}, {" -17", -17}, {"$1F", 31}, {"0x10", 16}, {"-2147483648", INT32_MIN}})
        EXPECT_EQ(StrToInt(text), value) << text;
    for (const char* text : {"2147483648", "12 ", ""}) EXPECT_EQ(StrToIntDef(text, -1), -1) << text;
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    int v = 0;
    EXPECT_TRUE(TryStrToInt("+7", v));
    EXPECT_EQ(v, 7);
    EXPECT_EQ(ErrorOf<EConvertError>([] { StrToInt("12a"); }), "'12a' ist kein g\xFCltiger Integerwert");
    EXPECT_EQ(IntToStr(-5), "-5");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    for (auto [value, rounded] : {std::pair{2.5, int64_t{2}}, {3.5, 4}, {0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.6, 3}})
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
    EXPECT_EQ(RoundHalfEven(1e300), INT64_MAX);
}

TEST(Format, SpecifiersIndexesErrorsAndCappedWidths) {
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
    EXPECT_EQ(ErrorOf<EConvertError>([] { Format("%d", {"text"}); }),
              "Format '%d' ung\xFCltig oder nicht kompatibel mit Argument");
    EXPECT_THROW(Format("%s", {1.5}), EConvertError);
    EXPECT_THROW(Format("%f", {1}), EConvertError);
    EXPECT_THROW(Format("%s %s", {"a"}), EConvertError);
    EXPECT_THROW(Format("abc%", {}), EConvertError);
    constexpr size_t kCap = 1000000;
    struct Case {
        std::string fmt;
        std::vector<FormatArg> args;
        size_t size;
        std::string begins;
    } cases[] = {
        {"%*d|", {INT32_MIN, 7}, kCap + 1, "7 "},  // negative: left-aligned
        {"%*d|", {-3, 7}, 4, "7  |"}, {"%*d|", {INT32_MAX, 7}, kCap + 1, "  "},
        {"%*d|", {INT64_MIN, 7}, kCap + 1, "7 "}, {"%.*d|", {INT32_MAX, 5}, kCap + 1, "00"},
        {"%-.*x|", {INT64_MAX, 5}, kCap + 1, "00"}, {"%99999999999d|", {1, 0}, kCap + 1, "  "},
        {"%.99999999999d|", {1, 0}, kCap + 1, "00"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.args.size(), 2u);
        const std::string out = Format(c.fmt, {c.args[0], c.args[1]});
        EXPECT_EQ(out.size(), c.size) << c.fmt;
        EXPECT_EQ(out.substr(0, c.begins.size()), c.begins) << c.fmt;
    }
}

TEST(StringHelpers, TrimCaseQuoteAndFileNames) {
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
    using Part = std::string (*)(const std::string&);
    const struct {
        Part part;
        const char* name;
        const char* expected;
    } cases[] = {
        {IncludeTrailingPathDelimiter, "C:\\Temp", "C:\\Temp\\"}, {IncludeTrailingPathDelimiter, "C:\\Temp\\", "C:\\Temp\\"},
        {ExcludeTrailingPathDelimiter, "C:\\Temp\\", "C:\\Temp"}, {ExtractFilePath, "C:\\a\\b.txt", "C:\\a\\"},
        {ExtractFilePath, "C:b.txt", "C:"}, {ExtractFileDir, "C:\\a\\b.txt", "C:\\a"}, {ExtractFileDir, "C:\\b.txt", "C:\\"},
        {ExtractFileDir, "C:b.txt", "C:"}, {ExtractFileDir, "b.txt", ""},
        {ExtractFileDir, "\\\\srv\\share\\x.pdf", "\\\\srv\\share"}, {ExtractFileName, "C:\\a\\b.txt", "b.txt"},
        {ExtractFileExt, "C:\\a.d\\b.txt", ".txt"}, {ExtractFileExt, "C:\\a.d\\b", ""}};
    for (const auto& c : cases) EXPECT_EQ(c.part(c.name), c.expected) << c.name;
    EXPECT_EQ(ChangeFileExt("C:\\a.d\\b.txt", ".ini"), "C:\\a.d\\b.ini");
    EXPECT_EQ(ChangeFileExt("C:\\a.d\\b", ".ini"), "C:\\a.d\\b.ini");
}

