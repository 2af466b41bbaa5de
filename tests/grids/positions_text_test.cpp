#include "grids/positions_text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "framework/streams.h"
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
    return h + "\"@@DATADEF END@@\"\r\n\"display\",\r\n";
}

TEST(CellEscape, EscapesWorkedShapeQuotingAndNames) {
    EXPECT_EQ(EscapeCellText("%\0\r\n"s), "%%%0%c%n");
    EXPECT_EQ(UnescapeCellText("%%%0%c%n"), "%\0\r\n"s);
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(UnescapeCellText(EscapeCellText(all)), all);
    EXPECT_EQ(UnescapeCellText("5%"), "5%");
    EXPECT_EQ(UnescapeCellText("%x%C%N%%n"), "%x%C%N%n");
    FakeTable table = TwoColumns();
    table.SetSecondLine(1, "3 %");
    EXPECT_EQ(Write(table), kHeader2 + "\"\",\"\",\"3 %%\",\r\n");

    FakeTable named({{" Pos. ", false}, {"Na\"me\0cut"s, false}, {"   ", false}});
    named.fixed_rows = 0;
    named.rows = 1;
    named.SetCell(0, 0, "a,\"b\"\r\n%\0"s);
    EXPECT_EQ(Write(named),
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
    }
}

// One text read into a fresh table: the row returned, the cells and the
// second lines it leaves.
struct ReadCase {
    const char* what;
    std::vector<FakeColumn> columns;
    std::string text;
    int result;
    std::map<std::pair<int, int>, std::string> cells;
    std::map<int, std::string> second_lines;
};

TEST(PositionsReader, LayoutRulesAndTheDecimalSeparatorInDecimalColumns) {
    const std::vector<FakeColumn> abc = {{"A", false}, {"B", false}, {"C", false}};
    const std::vector<FakeColumn> two = {{"TColumn-1", false}, {"Pos.", true}};
    std::string nul_breaks = kHeader2;
    for (char& c : nul_breaks)
        if (c == '\n') c = '\0';
    const ReadCase cases[] = {
        {"empty text", two, "", 1, {}, {}},
        {"worked shape", two, kHeader2 + "\"\",\"1,5\",\"3 %%\",\r\n", 2, {{{0, 1}, ""}, {{1, 1}, "1,5"}}, {{1, "3 %"}}},
        {"blank after a quote, any byte after a closing quote, unquoted text skipped", abc,
         HeaderFor({"A", "B", "C"}, false) + "\"a\" ,\"b\",\r\n\"a\"x\"b\"\"c\",\r\nabc,\"x\"  ,\r\n", 4,
         {{{0, 1}, "a"}, {{1, 1}, ""}, {{2, 1}, "b"}, {{0, 2}, "a"}, {{1, 2}, "b\"c"}, {{0, 3}, ""}, {{1, 3}, "x"}, {{2, 3}, ""}},
         {}},
        {"unterminated token", abc, HeaderFor({"A", "B"}, false) + "\"1\",\"ab\"\"cd\"\"ef\r\n\"abc\r\n", 3,
         {{{0, 1}, "1"}, {{1, 1}, "ab\"cd\""}, {{0, 2}, ""}}, {}},
        {"runs of CR, LF and NUL are one break", two,
         nul_breaks + "\"a\",\"b\",\"s\",\r\n\r\n\0\n\r\0\"c\",\"d\",\"\","s, 3,
         {{{0, 1}, "a"}, {{1, 1}, "b"}, {{0, 2}, "c"}, {{1, 2}, "d"}}, {{1, "s"}, {2, ""}}},
        {"a leading break: no names, no cells", two, "\r\n" + kHeader2 + "\"x\",\"y\",\"z\",\r\n", 8, {}, {}},
        {"markers are case-sensitive", two, "\"@@datadef start@@\"\r\n\"Pos.\"\r\n\"x\",\"y\",\r\n", 3, {}, {}},
        {"names map without regard to case, the later of two wins", abc,
         HeaderFor({"c", "A", "a", "B"}) + "\"3\",\"1\",\"2\",\"b\",\"s\",\r\n", 2,
         {{{2, 1}, "3"}, {{0, 1}, "2"}, {{1, 1}, "b"}}, {{1, "s"}}},
        {"a stored \"SecondField\" never fills a cell of that name", {{"A", false}, {"SecondField", false}},
         HeaderFor({"A", "SecondField"}, false) + "\"a\",\"cell\",\"x\",\r\n", 2, {{{0, 1}, "a"}}, {{1, "cell"}}},
        {"fewer tokens leave the rest", abc, HeaderFor({"A", "B", "C"}) + "\"1\",\"2\",\r\n", 2,
         {{{0, 1}, "1"}, {{1, 1}, "2"}}, {}},
        {"second line by stored name, fewer stored columns", {{"A", false}, {"B", false}, {"C", false}, {"D", false}},
         HeaderFor({"A", "B"}) + "\"1\",\"2\",\"second\",\r\n", 2, {{{0, 1}, "1"}, {{1, 1}, "2"}}, {{1, "second"}}},
        {"second line by stored name, more stored columns", {{"A", false}, {"B", false}},
         HeaderFor({"A", "X", "Y", "B"}) + "\"1\",\"x\",\"y\",\"2\",\"second\",\r\n", 2,
         {{{0, 1}, "1"}, {{1, 1}, "2"}}, {{1, "second"}}},
        {"no stored \"SecondField\": the token after the table's columns", {{"A", false}, {"B", false}},
         HeaderFor({"A", "B", "C"}, false) + "\"1\",\"2\",\"3\",\"4\",\r\n", 2, {{{0, 1}, "1"}, {{1, 1}, "2"}},
         {{1, "3"}}},
        {"a last token may end on the line's last byte", {{"Pos.", false}},
         HeaderFor({"Pos."}, false) + "\"x\",\"y\"\r\n\"Zoll 1/2\"\"\"\r\n", 3,
         {{{0, 1}, "x"}, {{0, 2}, "Zoll 1/2\""}}, {{1, "y"}}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeTable t(c.columns);
        EXPECT_EQ(Read(t, c.text), c.result);
        EXPECT_EQ(t.RowCount(), std::max(c.result, 2));
        EXPECT_EQ(t.cells, c.cells);
        EXPECT_EQ(t.second_lines, c.second_lines);
    }
    const std::string text = HeaderFor({"Pos.", "Text"}) + "\"1,5\",\"1,5\",\"\",\r\n\"1.000,5\",\"1.5\",\"\",\r\n";
    const std::vector<FakeColumn> columns = {{"Pos.", true}, {"Text", false}};
    for (char separator : {',', '.', ';'}) {
        DecimalSeparatorScope scope(separator);
        FakeTable t(columns);
        Read(t, text);
        const std::string s(1, separator);
        // Full stops change only where a comma did.
        EXPECT_EQ(t.GetCell(0, 1), "1" + s + "5");
        EXPECT_EQ(t.GetCell(0, 2), separator == ',' ? "1.000,5" : "1" + s + "000" + s + "5");
        EXPECT_EQ(t.GetCell(1, 1), "1,5");
    }
}

// Lines over several buffer fills, the break on either side of a fill's
// border, and reads of a few bytes at a time, with special bytes at every
// offset of the eight-byte scans: all come back byte for byte.
// Rows are added in steps; the table keeps the rows it had or the rows
// reached, whichever is more, also when the table raises halfway (the row
// being stored then counts, as it did when rows came one at a time).
class RaisingTable : public FakeTable {
public:
    RaisingTable() : FakeTable({{"TColumn-1", false}, {"Pos.", true}}) {}
    void SetRowTexts(int Row, const RowValue* Cells, size_t Count) override {
        if (Row == raise_at) throw std::runtime_error("table full");
        FakeTable::SetRowTexts(Row, Cells, Count);
    }
    int raise_at = -1;
};

TEST(PositionsReader, RowCountAfterTheReadIsTheLargerOfBeforeAndRead) {
    std::string text = kHeader2;
    for (int r = 1; r <= 300; ++r) text += "\"d\",\"" + std::to_string(r) + "\",\"\",\r\n";
    struct Case {
        int before, raise_at, rows_after;
    };
    for (const Case& c : {Case{2, -1, 301}, Case{500, -1, 500}, Case{2, 5, 6}, Case{2, 290, 291}, Case{400, 5, 400}}) {
        SCOPED_TRACE(c.before * 1000 + c.raise_at);
        RaisingTable t;
        t.rows = c.before;
        t.raise_at = c.raise_at;
        if (c.raise_at < 0)
            EXPECT_EQ(Read(t, text), 301);
        else
            EXPECT_THROW(Read(t, text), std::runtime_error);
        EXPECT_EQ(t.RowCount(), c.rows_after);
        const int last = c.raise_at < 0 ? 300 : c.raise_at - 1;
        EXPECT_EQ(t.GetCell(1, last), std::to_string(last));
    }
}

TEST(PositionsReader, BufferBordersAndWordScans) {
    FakeTable source = TwoColumns();
    std::vector<std::string> values;
    for (int length = 0; length < 17; ++length)
        for (int at = 0; at <= length; ++at)
            for (char c : {'"', '%', '\r', '\n', '\0'}) {
                std::string v(static_cast<size_t>(length), 'x');
                v.insert(v.begin() + at, c);
                if (length % 3 == 0) v.insert(0, 1, '%');
                values.push_back(v);
            }
    values.push_back(std::string(20000, 'L'));
    source.SetRowCount(static_cast<int>(values.size()) + 1);
    for (size_t i = 0; i < values.size(); ++i) {
        source.SetCell(0, static_cast<int>(i) + 1, values[i]);
        source.SetSecondLine(static_cast<int>(i) + 1, values[values.size() - 1 - i]);
    }
    const std::string text = Write(source);
    const size_t onto = 8191 - text.rfind("\r\n", 8190);  // the break onto the first fill border
    for (size_t shift : {size_t{0}, onto - 1, onto, onto + 1}) {
        // Read from the stream's position and written at it.
        FakeTable target = TwoColumns();
        ByteStream s("PREFIX" + std::string(shift, ' ') + text);  // the first token stays the same
        s.Seek(6, TSeekOrigin::soBeginning);
        s.max_read = shift == 0 ? 7 : INT64_MAX;
        EXPECT_EQ(ReadPositionsText(target, s), static_cast<int>(values.size()) + 1);
        ByteStream out("PREFIX");
        out.Seek(0, TSeekOrigin::soEnd);
        WritePositionsText(target, out);
        EXPECT_EQ(out.data, "PREFIX" + text) << "shift " << shift;
    }
}

TEST(PositionsReader, MemoryStreamIsReadInPlaceFromItsPosition) {
    const std::string& text = Fixture16();
    struct Case {
        std::string before;
        std::string after;  // the text read is `text + after`
        int rows;
    };
    // A text without a final line break, and one ending in a run of breaks.
    const Case cases[] = {{"", "", 7}, {"PREFIX", "", 7}, {"", "\r\n\r\n\0", 7}};
    for (const Case& c : cases) {
        TMemoryStream s;
        const std::string bytes = c.before + text + c.after;
        s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        s.SetPosition(static_cast<int64_t>(c.before.size()));
        FakeTable t(PositionColumns());
        EXPECT_EQ(ReadPositionsText(t, s), c.rows) << c.before;
        EXPECT_EQ(s.Position(), s.Size()) << "the whole text is read";
        EXPECT_EQ(Write(t), text);
    }
    // Nothing left to read: no row, the position stays.
    TMemoryStream done;
    done.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    FakeTable t(PositionColumns());
    EXPECT_EQ(ReadPositionsText(t, done), t.FixedRows());
    EXPECT_EQ(done.Position(), done.Size());
}

// Records the size hints a writer gives.
class HintedStream : public ByteStream {
public:
    void Reserve(int64_t Bytes) override { hints.push_back({static_cast<int64_t>(data.size()), Bytes}); }
    std::vector<std::pair<int64_t, int64_t>> hints;  // at, bytes
};

TEST(PositionsWriter, TellsAStreamTheRestOfTheRowsOnce) {
    FakeTable source = TwoColumns();
    const int rows = 3000;
    source.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        // Rows alike in size (the hint extrapolates the first ones).
        source.SetCell(0, r, "Zeile " + std::to_string(10000 + r) + (r % 7 == 0 ? " 5% \"x\"" : ""));
        source.SetCell(1, r, std::to_string(30000 + r * 3));
    }
    HintedStream s;
    WritePositionsText(source, s);
    ASSERT_EQ(s.hints.size(), 1u);
    const int64_t rest = static_cast<int64_t>(s.data.size()) - s.hints[0].first;
    EXPECT_GE(s.hints[0].second, rest) << "room for the rest";
    EXPECT_LE(s.hints[0].second, rest * 5 / 4) << "not much more";
    EXPECT_EQ(s.data, Write(source)) << "the hint changes no byte";
}

TEST(PositionsFixture, LoadsAndSavesBackByteIdentical) {
    const std::string& text = Fixture16();
    FakeTable t(PositionColumns());
    EXPECT_EQ(Read(t, text), 7);
    EXPECT_EQ(t.GetCell(0, 2), "\x81h");
    EXPECT_EQ(t.GetCell(4, 1), "Schraube \"Zoll 1/2\"");
    EXPECT_EQ(t.GetCell(5, 1), "Gr\xF6\xDF" "e 5% Rabatt, netto");
    EXPECT_EQ(t.GetCell(12, 3), "x\0y"s);
    EXPECT_EQ(t.GetCell(14, 3), "a\rb\nc");
    EXPECT_EQ(t.GetSecondLine(4), "Hinweis: \"Ware\" pr\xFC" "fen, 50% vorab\r\n\r\nEnde");
    EXPECT_EQ(Write(t), text);
}

}  // namespace
