// Damaged and hostile positions texts: the reader must neither crash nor hang
// and must leave the table in a state that writes and reads back unchanged.
#include "grids/positions_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/grids/positions_text_fakes.h"

using namespace positions_test;

namespace {

using namespace std::string_literals;

// What the table's line store makes of a second line.
std::string Resettled(const std::string& second_line) {
    FakeTable scratch({});
    scratch.SetSecondLine(0, second_line);
    return scratch.GetSecondLine(0);
}

// The table still writes a text that reads back into the same cells; second
// lines pass through the line store once more (a final empty line is lost
// each time, as in the grid).
void ExpectUsable(FakeTable& table, const std::string& what) {
    ASSERT_GE(table.RowCount(), 2) << what;
    const std::string written = Write(table);
    FakeTable again(table.columns);
    ASSERT_EQ(Read(again, written), table.RowCount()) << what;
    ASSERT_EQ(again.RowCount(), table.RowCount()) << what;
    for (int r = table.FixedRows(); r < table.RowCount(); ++r) {
        for (int c = 0; c < table.ColCount(); ++c) ASSERT_EQ(again.GetCell(c, r), table.GetCell(c, r)) << what;
        ASSERT_EQ(again.GetSecondLine(r), Resettled(table.GetSecondLine(r))) << what << " row " << r;
    }
}

void ReadAndCheck(const std::vector<FakeColumn>& columns, const std::string& text, const std::string& what) {
    FakeTable table(columns);
    Read(table, text);
    ExpectUsable(table, what);
}

std::vector<FakeColumn> ThreeColumns() { return {{"Pos.", true}, {"Menge", false}, {"Stueck", true}}; }

TEST(PositionsRobustness, EveryTruncation) {
    const std::string& text = Fixture16();
    for (size_t len = 0; len <= text.size(); len += 3) {
        ReadAndCheck(PositionColumns(), text.substr(0, len), "length " + std::to_string(len));
        if (HasFatalFailure()) return;
    }
    // The worked shape cut anywhere, into tables with more and with no columns.
    FakeTable source({{"TColumn-1", false}, {"Pos.", true}});
    source.SetSecondLine(1, "3 %");
    source.SetCell(1, 1, "1,5");
    const std::string shape = Write(source);
    for (size_t len = 0; len <= shape.size(); ++len) {
        ReadAndCheck(ThreeColumns(), shape.substr(0, len), "3 columns, length " + std::to_string(len));
        ReadAndCheck({}, shape.substr(0, len), "no columns, length " + std::to_string(len));
        if (HasFatalFailure()) return;
    }
}

// Bytes that matter to the reader, and a few that do not.
char Special(std::mt19937& rng) {
    static const char kBytes[] = {'"', '"', ',', ',', '\r', '\n', '\0', '%', ' ', 'a', '0', 'n', 'c', '\x81', '\xFC'};
    return kBytes[rng() % sizeof(kBytes)];
}

std::string Mutate(std::string text, std::mt19937& rng) {
    int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits; ++e) {
        size_t at = text.empty() ? 0 : rng() % text.size();
        switch (rng() % 5) {
            case 0:
                if (!text.empty()) text[at] = Special(rng);
                break;
            case 1: text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), Special(rng)); break;
            case 2:
                if (!text.empty()) text.erase(at, 1 + rng() % 40);
                break;
            case 3: {  // duplicate a span, e.g. a header line or half a token
                size_t len = rng() % 200;
                text.insert(at, text.substr(at, len));
                break;
            }
            case 4: {  // drop every quote of one line
                size_t end = text.find('\n', at);
                for (size_t i = at; i < text.size() && i < end; ++i)
                    if (text[i] == '"') text[i] = 'q';
                break;
            }
        }
    }
    return text;
}

TEST(PositionsRobustness, MutatedFixtures) {
    const std::string& text = Fixture16();
    std::mt19937 rng(20240611u);
    for (int i = 0; i < 400; ++i) {
        std::string mutated = Mutate(text, rng);
        ReadAndCheck(PositionColumns(), mutated, "mutation " + std::to_string(i));
        if (i % 4 == 0) ReadAndCheck(ThreeColumns(), mutated, "mutation (3 columns) " + std::to_string(i));
        if (HasFatalFailure()) return;
    }
}

TEST(PositionsRobustness, RandomTexts) {
    std::mt19937 rng(7u);
    const std::string pieces[] = {"\"@@DATADEF START@@\"\r\n", "\"@@DATADEF END@@\"\r\n", "\"SecondField\"\r\n",
                                  "\"Pos.\"\r\n", "\"Stueck\",", "\"\"\"\""};
    for (int i = 0; i < 100; ++i) {
        std::string text;
        size_t len = rng() % 2000;
        while (text.size() < len) {
            if (rng() % 20 == 0)
                text += pieces[rng() % std::size(pieces)];
            else
                text += Special(rng);
        }
        ReadAndCheck(PositionColumns(), text, "random " + std::to_string(i));
        if (HasFatalFailure()) return;
    }
}

std::string Header16() {
    const std::string& text = Fixture16();
    size_t display_end = text.find("\r\n", text.find("@@DATADEF END@@")) + 2;
    return text.substr(0, text.find("\r\n", display_end) + 2);
}

TEST(PositionsRobustness, HugeLines) {
    const std::string header = Header16();
    // One value of 100,000 bytes, far beyond the read buffer.
    std::string big(100000, 'x');
    big[50000] = '%';
    FakeTable t(PositionColumns());
    EXPECT_EQ(Read(t, header + "\"d\",\"" + EscapeCellText(big) + "\",\r\n"), 2);
    EXPECT_EQ(t.GetCell(1, 1), big);
    const std::vector<std::pair<std::string, std::string>> lines = {
        {"quotes", std::string(70001, '"')},
        {"doubled quotes", "\"" + std::string(70000, '"')},
        {"commas", std::string(200000, ',')},
        {"unquoted", std::string(100000, 'x')},
        {"tokens", [] {
             std::string s;
             for (int i = 0; i < 20000; ++i) s += "\"v" + std::to_string(i) + "\",";
             return s;
         }()},
        {"unterminated", "\"" + std::string(70000, 'a') + "\"\"" + std::string(10000, 'b')},
    };
    for (const auto& [name, line] : lines) {
        ReadAndCheck(PositionColumns(), header + line + "\r\n\"d\",\"1\",\r\n", name);
        ReadAndCheck(ThreeColumns(), line, name + " without header (3 columns)");
    }
}

TEST(PositionsRobustness, BreakRunsAndManyLines) {
    // A megabyte of NUL and CR bytes is one line break.
    EXPECT_EQ([] {
        FakeTable t(PositionColumns());
        return Read(t, std::string(1 << 20, '\0') + "\"x\"\r"s + std::string(1 << 16, '\r'));
    }(), 2);
    // Five thousand short lines without a header.
    std::string many;
    for (int i = 0; i < 5000; ++i) many.append("\"").append(std::to_string(i)).append("\",\"a\",\"b\",\n");
    FakeTable t(PositionColumns());
    EXPECT_EQ(Read(t, many), 5000);
    EXPECT_TRUE(t.cells.empty());
    ExpectUsable(t, "many lines");
}

TEST(PositionsRobustness, ManyStoredNamesAndColumns) {
    // A header of 5,000 names, "SecondField" in the middle; the data line
    // names only some of the table's columns.
    std::string text = "\"@@DATADEF START@@\"\r\n";
    for (int i = 0; i < 5000; ++i) text += i == 2500 ? "\"SecondField\"\r\n" : "\"N" + std::to_string(i) + "\"\r\n";
    text += "\"Pos.\"\r\n\"@@DATADEF END@@\"\r\n\"d\",\r\n";
    std::string line;
    for (int i = 0; i < 5001; ++i) line.append("\"").append(std::to_string(i)).append("\",");
    FakeTable t({{"N3", false}, {"Pos.", true}, {"N4000", false}});
    Read(t, text + line + "\r\n");
    EXPECT_EQ(t.GetCell(0, 1), "3");
    EXPECT_EQ(t.GetSecondLine(1), "2500");
    EXPECT_EQ(t.GetCell(2, 1), "4000");
    EXPECT_EQ(t.GetCell(1, 1), "5000");
    ExpectUsable(t, "many names");
}

TEST(PositionsRobustness, StreamFailingAnywhereLeavesTheTableUsable) {
    const std::string& text = Fixture16();
    for (size_t at = 0; at < text.size(); at += 97) {
        FakeTable t(PositionColumns());
        ByteStream s(text);
        s.throw_at = static_cast<int64_t>(at);
        s.max_read = 64;
        EXPECT_ANY_THROW(ReadPositionsText(t, s));
        ExpectUsable(t, "failing at " + std::to_string(at));
    }
}

}  // namespace
