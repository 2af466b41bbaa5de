#include "grids/positions_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "framework/ansi_text.h"
#include "framework/exceptions.h"
#include "tests/grids/positions_text_fakes.h"

using namespace positions_test;

namespace {

using namespace std::string_literals;

const std::string kHeader2 =
    "\"@@DATADEF START@@\"\r\n\"TColumn-1\"\r\n\"Pos.\"\r\n\"SecondField\"\r\n\"@@DATADEF END@@\"\r\n"
    "\"TColumn-1\",\"Pos.\",\"SecondField\",\r\n";

FakeTable TwoColumns() { return FakeTable({{"TColumn-1", false}, {"Pos.", true}}); }

// Header naming the given fields (plus "SecondField" when asked) and the
// display-name line.
std::string HeaderFor(const std::vector<std::string>& names, bool second_field = true) {
    std::string h = "\"@@DATADEF START@@\"\r\n";
    for (const auto& n : names) h += "\"" + n + "\"\r\n";
    if (second_field) h += "\"SecondField\"\r\n";
    h += "\"@@DATADEF END@@\"\r\n\"display\",\r\n";
    return h;
}

// ---------------------------------------------------------------- escapes

TEST(CellEscape, FourBytesBothWaysAndUnknownSequencesKept) {
    EXPECT_EQ(EscapeCellText("%\0\r\n"s), "%%%0%c%n");
    EXPECT_EQ(UnescapeCellText("%%%0%c%n"), "%\0\r\n"s);
    EXPECT_EQ(EscapeCellText("Zoll 1/2\" äöü €"), "Zoll 1/2\" äöü €");
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(UnescapeCellText(EscapeCellText(all)), all);
    EXPECT_EQ(UnescapeCellText("5%"), "5%");
    EXPECT_EQ(UnescapeCellText("%x%C%N"), "%x%C%N");
    EXPECT_EQ(UnescapeCellText("%%n"), "%n");
    EXPECT_EQ(UnescapeCellText("%%%"), "%%");
}

// ---------------------------------------------------------------- replace

// The reader's decimal-separator change goes through AnsiReplaceTextInPlace.
TEST(DecimalSeparatorReplace, CasesAndTheCp1252CaseTable) {
    std::string t = "aaa";
    EXPECT_TRUE(AnsiReplaceTextInPlace(t, "aa", "b"));
    EXPECT_EQ(t, "ba");
    t = "abcABC";
    EXPECT_TRUE(AnsiReplaceTextInPlace(t, "b", "x"));
    EXPECT_EQ(t, "axcAxC");
    t = "1,5";
    EXPECT_FALSE(AnsiReplaceTextInPlace(t, ",", ","));
    EXPECT_EQ(t, "1,5");
    t = "";
    EXPECT_FALSE(AnsiReplaceTextInPlace(t, ",", "."));
    EXPECT_EQ(t, "");
    t = "ab";
    EXPECT_FALSE(AnsiReplaceTextInPlace(t, "abc", "x"));
    EXPECT_EQ(t, "ab");
    EXPECT_FALSE(AnsiReplaceTextInPlace(t, "", "x"));
    EXPECT_EQ(t, "ab");
    t = "aBc";
    EXPECT_TRUE(AnsiReplaceTextInPlace(t, "abc", ""));
    EXPECT_EQ(t, "");
    // The CP1252 case table.
    t = "Öl öl ÖL";
    EXPECT_TRUE(AnsiReplaceTextInPlace(t, "öl", "x"));
    EXPECT_EQ(t, "x x x");
    t = "straße";  // ß has no upper-case letter in CP1252
    EXPECT_FALSE(AnsiReplaceTextInPlace(t, "SS", "x"));
    t = "é";
    EXPECT_TRUE(AnsiReplaceTextInPlace(t, "É", "e"));
    EXPECT_EQ(t, "e");
}

// ---------------------------------------------------------------- writer

TEST(PositionsWriter, WorkedShapeByteForByteAndBack) {
    FakeTable table = TwoColumns();
    table.SetSecondLine(1, "3 %");
    std::string text = Write(table);
    EXPECT_EQ(text, kHeader2 + "\"\",\"\",\"3 %%\",\r\n");
    EXPECT_EQ(text.size(), 126u);

    table.SetCell(1, 1, "1,5");
    FakeTable target = TwoColumns();
    EXPECT_EQ(Read(target, Write(table)), 2);
    EXPECT_EQ(target.GetCell(1, 1), "1,5");
    EXPECT_EQ(target.GetSecondLine(1), "3 %");
    EXPECT_EQ(target.RowCount(), 2);
}

TEST(PositionsWriter, QuotingEscapesAndNames) {
    FakeTable table({{" Pos. ", false}, {"Na\"me\0cut"s, false}, {"   ", false}});
    table.fixed_rows = 0;
    table.rows = 1;
    table.SetCell(0, 0, "a,\"b\"\r\n%\0"s);
    std::string text = Write(table);
    EXPECT_EQ(text,
              "\"@@DATADEF START@@\"\r\n\" Pos. \"\r\n\"Na\"\"me\"\r\n\"   \"\r\n\"SecondField\"\r\n"
              "\"@@DATADEF END@@\"\r\n\"Pos.\",\"Na\"\"me\",\"TColumn\",\"SecondField\",\r\n"
              "\"a,\"\"b\"\"%c%n%%%0\",\"\",\"\",\"\",\r\n");
}

TEST(PositionsWriter, EveryShortWriteRaises) {
    FakeTable table = TwoColumns();
    table.SetCell(1, 1, "7");
    table.SetSecondLine(1, "x");
    const std::string full = Write(table);
    for (size_t limit = 0; limit < full.size(); ++limit) {
        ByteStream s;
        s.write_limit = static_cast<int64_t>(limit);
        EXPECT_THROW(WritePositionsText(table, s), EWriteError) << "limit " << limit;
        EXPECT_EQ(s.data, full.substr(0, limit));
    }
}

// ---------------------------------------------------------------- reader: lines and tokens

TEST(PositionsReader, TokenRules) {
    // A blank after the closing quote, then the comma; any byte after a
    // closing quote is skipped; unquoted text is skipped.
    FakeTable t({{"A", false}, {"B", false}, {"C", false}});
    t.SetCell(1, 1, "old");
    Read(t, HeaderFor({"A", "B", "C"}, false) + "\"a\" ,\"b\",\r\n\"a\"x\"b\"\"c\",\r\nabc,\"x\"  ,\r\n");
    EXPECT_EQ(t.GetCell(0, 1), "a");
    EXPECT_EQ(t.GetCell(1, 1), "");
    EXPECT_EQ(t.GetCell(2, 1), "b");
    EXPECT_EQ(t.GetCell(1, 2), "b\"c");
    EXPECT_EQ(t.GetCell(2, 2), "");
    EXPECT_EQ(t.GetCell(0, 3), "");
    EXPECT_EQ(t.GetCell(1, 3), "x");
    EXPECT_EQ(t.second_lines.count(1), 0u);

    // Header lines have no trailing comma; the last token of a data line may
    // end on the line's last byte too.
    FakeTable p({{"Pos.", false}});
    Read(p, HeaderFor({"Pos."}, false) + "\"x\",\"y\"\r\n\"Zoll 1/2\"\"\"\r\n");
    EXPECT_EQ(p.GetCell(0, 1), "x");
    EXPECT_EQ(p.GetSecondLine(1), "y");
    EXPECT_EQ(p.GetCell(0, 2), "Zoll 1/2\"");
    FakeTable back({{"Pos.", false}});
    Read(back, Write(p));
    EXPECT_EQ(back.GetCell(0, 2), "Zoll 1/2\"");
}

TEST(PositionsReader, UnterminatedTokenKeepsWhatWasCompleteBeforeTheLastDoubledQuote) {
    FakeTable t({{"A", false}, {"B", false}});
    t.SetCell(1, 1, "old");
    t.SetCell(0, 2, "old");
    Read(t, HeaderFor({"A", "B"}, false) + "\"1\",\"ab\"\"cd\"\"ef\r\n\"abc\r\n");
    EXPECT_EQ(t.GetCell(0, 1), "1");
    EXPECT_EQ(t.GetCell(1, 1), "ab\"cd\"");
    EXPECT_EQ(t.GetCell(0, 2), "");
    EXPECT_EQ(t.second_lines.size(), 0u);
}

TEST(PositionsReader, NulAndRunsOfBreakBytesAreOneLineBreak) {
    FakeTable t = TwoColumns();
    std::string text = kHeader2;
    for (char& c : text)
        if (c == '\n') c = '\0';
    text += "\"a\",\"b\",\"s\",\r\n\r\n\0\n\r\0\"c\",\"d\",\"\","s;
    EXPECT_EQ(Read(t, text), 3);
    EXPECT_EQ(t.GetCell(0, 1), "a");
    EXPECT_EQ(t.GetCell(1, 1), "b");
    EXPECT_EQ(t.GetSecondLine(1), "s");
    EXPECT_EQ(t.GetCell(0, 2), "c");
    EXPECT_EQ(t.GetCell(1, 2), "d");
}

TEST(PositionsReader, LinesSpanBufferFills) {
    FakeTable source({{"A", false}, {"B", false}});
    source.fixed_rows = 1;
    source.rows = 40;
    for (int r = 1; r < 40; ++r) {
        source.SetCell(0, r, std::string(static_cast<size_t>(r) * 97 % 700, static_cast<char>('a' + r % 26)));
        source.SetCell(1, r, std::to_string(r));
    }
    source.SetCell(0, 20, std::string(20000, 'L'));  // one line over two fills
    const std::string text = Write(source);
    ASSERT_GT(text.size(), 3u * 8192);
    // Shift the text with leading blanks (the first token stays the same) so
    // that the CR LF before the first fill border lands on it, across it and
    // just after it.
    size_t cr = text.rfind("\r\n", 8190);
    ASSERT_NE(cr, std::string::npos);
    const size_t onto = 8191 - cr;
    for (size_t shift : {size_t{0}, onto - 1, onto, onto + 1}) {
        std::string shifted = std::string(shift, ' ') + text;
        FakeTable target({{"A", false}, {"B", false}});
        ByteStream s(shifted);
        EXPECT_EQ(ReadPositionsText(target, s), 40);
        EXPECT_EQ(Write(target), text) << "shift " << shift;
    }
    // Reads of a few bytes at a time give the same.
    FakeTable target({{"A", false}, {"B", false}});
    ByteStream trickle(text);
    trickle.max_read = 7;
    EXPECT_EQ(ReadPositionsText(target, trickle), 40);
    EXPECT_EQ(Write(target), text);
}

TEST(PositionsReader, ReadsFromTheStreamPositionAndWritesAtIt) {
    FakeTable source = TwoColumns();
    source.SetCell(1, 1, "9");
    ByteStream s("PREFIX");
    s.Seek(0, TSeekOrigin::soEnd);
    WritePositionsText(source, s);
    EXPECT_EQ(s.data.substr(0, 6), "PREFIX");
    FakeTable target = TwoColumns();
    s.Seek(6, TSeekOrigin::soBeginning);
    EXPECT_EQ(ReadPositionsText(target, s), 2);
    EXPECT_EQ(target.GetCell(1, 1), "9");
}

// ---------------------------------------------------------------- reader: layout rules

TEST(PositionsReader, EmptyStreamAndRowsGrowOnePerLine) {
    FakeTable t = TwoColumns();
    EXPECT_EQ(Read(t, ""), 1);
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_TRUE(t.cells.empty());
    EXPECT_TRUE(t.second_lines.empty());

    EXPECT_EQ(Read(t, kHeader2 + "\"1\",\"a\",\"\",\r\n\"2\",\"b\",\"\",\r\n\"3\",\"c\",\"\",\r\n"), 4);
    EXPECT_EQ(t.RowCount(), 4);
    EXPECT_EQ(t.GetCell(1, 3), "c");
    // A table that already has rows keeps its count.
    FakeTable big = TwoColumns();
    big.rows = 10;
    EXPECT_EQ(Read(big, kHeader2 + "\"1\",\"a\",\"\",\r\n"), 2);
    EXPECT_EQ(big.RowCount(), 10);
}

TEST(PositionsReader, NoHeaderFillsNoCell) {
    FakeTable t = TwoColumns();
    std::string body = kHeader2 + "\"x\",\"y\",\"z\",\r\n";
    EXPECT_EQ(Read(t, "\r\n" + body), 1 + 7);
    EXPECT_TRUE(t.cells.empty());
    // Nothing was stored under a name, so no token is taken for a second line.
    EXPECT_TRUE(t.second_lines.empty());
    EXPECT_EQ(t.RowCount(), 8);

    // Without the start marker (markers are case-sensitive) the first line
    // is dropped and no cell filled.
    t = TwoColumns();
    Read(t, "\"@@datadef start@@\"\r\n\"Pos.\"\r\n\"x\",\"y\",\r\n");
    EXPECT_TRUE(t.cells.empty());
    EXPECT_EQ(Read(t, "\"TColumn-1\",\"Pos.\",\r\n\"x\",\"y\",\"z\",\r\n\"u\",\"v\",\"w\",\r\n"), 3);
    EXPECT_TRUE(t.cells.empty());
    EXPECT_TRUE(t.second_lines.empty());
}

TEST(PositionsReader, MappingIsByStoredNameWithoutRegardToCase) {
    FakeTable t({{"Stueck", false}, {"Einheit", false}, {"Artikelnummer", false}});
    Read(t, HeaderFor({"Einheit", "Stueck", "ARTIKELNUMMER"}) + "\"Stk\",\"2\",\"4711\",\"\",\r\n");
    EXPECT_EQ(t.GetCell(0, 1), "2");
    EXPECT_EQ(t.GetCell(1, 1), "Stk");
    EXPECT_EQ(t.GetCell(2, 1), "4711");

    // Two stored names for one column: the later wins.
    FakeTable two({{"A", false}, {"B", false}});
    Read(two, HeaderFor({"A", "a", "B"}) + "\"1\",\"2\",\"3\",\"s\",\r\n");
    EXPECT_EQ(two.GetCell(0, 1), "2");
    EXPECT_EQ(two.GetCell(1, 1), "3");
    EXPECT_EQ(two.GetSecondLine(1), "s");

    // A stored "SecondField" never fills a cell of that name.
    FakeTable named({{"A", false}, {"SecondField", false}});
    FakeTable source({{"A", false}, {"SecondField", false}});
    source.SetCell(0, 1, "a");
    source.SetCell(1, 1, "cell");
    source.SetSecondLine(1, "second");
    Read(named, Write(source));
    EXPECT_EQ(named.GetCell(0, 1), "a");
    EXPECT_EQ(named.cells.count({1, 1}), 0u);
    EXPECT_EQ(named.GetSecondLine(1), "second");
}

TEST(PositionsReader, DecimalSeparatorInDecimalColumns) {
    const std::string text = HeaderFor({"Pos.", "Text"}) + "\"1,5\",\"1,5\",\"\",\r\n\"1.5\",\"1.5\",\"\",\r\n";
    auto columns = std::vector<FakeColumn>{{"Pos.", true}, {"Text", false}};
    {
        DecimalSeparatorScope comma(',');
        FakeTable t(columns);
        Read(t, text);
        EXPECT_EQ(t.GetCell(0, 1), "1,5");
        EXPECT_EQ(t.GetCell(0, 2), "1.5");
    }
    {
        DecimalSeparatorScope stop('.');
        FakeTable t(columns);
        Read(t, text);
        EXPECT_EQ(t.GetCell(0, 1), "1.5");
        EXPECT_EQ(t.GetCell(0, 2), "1.5");
        EXPECT_EQ(t.GetCell(1, 1), "1,5");
    }
    {
        // Full stops are replaced only when a comma was.
        DecimalSeparatorScope other(';');
        FakeTable t(columns);
        Read(t, HeaderFor({"Pos."}) + "\"1.000,5\",\"\",\r\n\"1.5\",\"\",\r\n");
        EXPECT_EQ(t.GetCell(0, 1), "1;000;5");
        EXPECT_EQ(t.GetCell(0, 2), "1.5");
    }
}

// The scans look at eight bytes at a time: quotes, per cent signs and line
// breaks at every offset of a word, and both before and after each other in
// one word, come back exactly.
TEST(PositionsReader, SpecialBytesAtEveryOffsetOfAWord) {
    FakeTable source = TwoColumns();
    std::vector<std::string> values;
    const char specials[] = {'"', '%', '\r', '\n', '\0'};
    for (int length = 0; length < 17; ++length)
        for (int at = 0; at <= length; ++at)
            for (char c : specials) {
                std::string v(static_cast<size_t>(length), 'x');
                v.insert(v.begin() + at, c);
                if (length % 3 == 0) v.insert(0, 1, '%');
                if (length % 4 == 1) v += '"';
                values.push_back(v);
            }
    source.SetRowCount(static_cast<int>(values.size()) + 1);
    for (size_t i = 0; i < values.size(); ++i) {
        source.SetCell(0, static_cast<int>(i) + 1, values[i]);
        source.SetSecondLine(static_cast<int>(i) + 1, values[values.size() - 1 - i]);
    }
    FakeTable target = TwoColumns();
    const std::string text = Write(source);
    EXPECT_EQ(Read(target, text), static_cast<int>(values.size()) + 1);
    for (size_t i = 0; i < values.size(); ++i) {
        ASSERT_EQ(target.GetCell(0, static_cast<int>(i) + 1), values[i]) << i;
        ASSERT_EQ(target.GetSecondLine(static_cast<int>(i) + 1), source.GetSecondLine(static_cast<int>(i) + 1)) << i;
    }
    EXPECT_EQ(Write(target), text);
}

TEST(PositionsReader, FewerTokensLeaveTheRestUntouched) {
    FakeTable t({{"A", false}, {"B", false}, {"C", false}});
    t.SetCell(2, 1, "keep");
    t.SetSecondLine(1, "keep too");
    Read(t, HeaderFor({"A", "B", "C"}) + "\"1\",\"2\",\r\n");
    EXPECT_EQ(t.GetCell(0, 1), "1");
    EXPECT_EQ(t.GetCell(1, 1), "2");
    EXPECT_EQ(t.GetCell(2, 1), "keep");
    EXPECT_EQ(t.GetSecondLine(1), "keep too");
}

TEST(PositionsReader, SecondLineByStoredNameElseByPosition) {
    // Fewer stored columns than the table has.
    FakeTable wide({{"A", false}, {"B", false}, {"C", false}, {"D", false}});
    Read(wide, HeaderFor({"A", "B"}) + "\"1\",\"2\",\"second\",\r\n");
    EXPECT_EQ(wide.GetCell(0, 1), "1");
    EXPECT_EQ(wide.GetCell(1, 1), "2");
    EXPECT_EQ(wide.GetSecondLine(1), "second");
    EXPECT_EQ(wide.cells.size(), 2u);

    // More stored columns than the table has.
    FakeTable narrow({{"A", false}, {"B", false}});
    Read(narrow, HeaderFor({"A", "X", "Y", "B"}) + "\"1\",\"x\",\"y\",\"2\",\"second\",\r\n");
    EXPECT_EQ(narrow.GetCell(0, 1), "1");
    EXPECT_EQ(narrow.GetCell(1, 1), "2");
    EXPECT_EQ(narrow.GetSecondLine(1), "second");

    // Without a stored "SecondField": the token after the table's columns.
    FakeTable t({{"A", false}, {"B", false}});
    Read(t, HeaderFor({"A", "B", "C"}, false) + "\"1\",\"2\",\"3\",\"4\",\r\n");
    EXPECT_EQ(t.GetCell(0, 1), "1");
    EXPECT_EQ(t.GetCell(1, 1), "2");
    EXPECT_EQ(t.GetSecondLine(1), "3");
}

// ---------------------------------------------------------------- the 16-column text

TEST(PositionsFixture, LoadsAndSavesBackByteIdentical) {
    const std::string& text = Fixture16();
    FakeTable t(PositionColumns());
    EXPECT_EQ(Read(t, text), 7);
    EXPECT_EQ(t.GetCell(0, 2), "\x81h");
    EXPECT_EQ(t.GetCell(1, 1), "");  // empty "Pos." stays empty
    EXPECT_EQ(t.GetCell(4, 1), "Schraube \"Zoll 1/2\"");
    EXPECT_EQ(t.GetCell(5, 1), "Größe 5% Rabatt, netto");
    EXPECT_EQ(t.GetCell(12, 3), "x\0y"s);
    EXPECT_EQ(t.GetCell(14, 3), "a\rb\nc");
    EXPECT_EQ(t.GetCell(5, 2), "Preis in €");
    EXPECT_EQ(t.GetSecondLine(1), "Lieferung in zwei Teilen\r\nTeil 1: sofort\r\nTeil 2: später");
    EXPECT_EQ(t.GetSecondLine(4), "Hinweis: \"Ware\" prüfen, 50% vorab\r\n\r\nEnde");
    EXPECT_EQ(Write(t), text);
}

}  // namespace
