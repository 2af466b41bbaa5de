// The positions text through the positions grid: byte-identical round trips
// of the 16-column fixture, the decimal rule, mapping by stored name, and the
// failure paths of SaveToStream / LoadFromStream.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/grids/grid_test_support.h"
#include "tests/grids/positions_text_fakes.h"

using namespace grid_test;
using positions_test::ByteStream;
using positions_test::DecimalSeparatorScope;

namespace {

const std::string& Fixture() { return positions_test::Fixture16(); }

// The texts of the plain message dialogs shown while a DialogScope lives.
std::vector<std::string> g_dialogs;
struct DialogScope {
    TPlainMessageDialog previous = SetPlainMessageDialog([](const std::string& t) { g_dialogs.push_back(t); });
    DialogScope() { g_dialogs.clear(); }
    ~DialogScope() { SetPlainMessageDialog(previous); }
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

// The grid reads and writes every text as the plain table of the text code
// does, and the fixture comes back byte for byte: with and without cell
// handlers (the grid stores whole rows when no hook would see the cells),
// with either decimal separator, with stored names in another order, a
// stored name twice, and two grid columns of one field name.
TEST(PositionsRoundTrip, TheGridAgreesWithThePlainTable) {
    const std::string swapped = Replaced(Fixture(), "\"Stueck\"\r\n\"Einheit\"", "\"Einheit\"\r\n\"Stueck\"");
    const std::string twice = Replaced(Fixture(), "\"intern\"\r\n", "\"Pos.\"\r\n");
    for (const std::string* text : {&Fixture(), &swapped, &twice})
        for (bool handlers : {false, true})
            for (char separator : {',', '.'})
                for (bool same_names : {false, true}) {
                    SCOPED_TRACE(testing::Message() << (text - &Fixture()) << handlers << separator << same_names);
                    DecimalSeparatorScope scope(separator);
                    PositionsGrid g;
                    positions_test::FakeTable t(positions_test::PositionColumns());
                    if (same_names) {
                        g->Columns().Items(3)->SetFieldName("Stueck");
                        t.columns[3].field = "Stueck";
                    }
                    if (handlers) g->OnBeforeSetcell = [](TObject*, int, int, std::string&, const std::string&) {};
                    g->SetRowHeight(2, 40);  // an empty second line still resets it
                    TStringStream in(*text);
                    ASSERT_TRUE(g->LoadFromStream(in));
                    ASSERT_EQ(g->RowCount(), positions_test::Read(t, *text));
                    for (int r = 1; r < g->RowCount(); ++r) {
                        for (int c = 0; c < 16; ++c) ASSERT_EQ(g->GetCell(c, r), t.GetCell(c, r)) << c << "," << r;
                        ASSERT_EQ(g->GetCell(-2, r), t.GetSecondLine(r)) << r;
                    }
                    EXPECT_EQ(g->RowHeights(2), 17);
                    const std::string saved = Save(*g);
                    EXPECT_EQ(saved, positions_test::Write(t));
                    if (text == &Fixture() && separator == ',' && !same_names) {
                        EXPECT_EQ(saved, Fixture());
                    }
                    // The hidden grid opened no window and no editor (the
                    // current cell's empty "Pos." would have been rewritten).
                    EXPECT_FALSE(g->HandleAllocated());
                    EXPECT_EQ(g->Canvas().LockCount(), 0);
                    EXPECT_TRUE(g->DrawingEnabled());
                }
}

TEST(PositionsRoundTrip, ALoadEmptiesTheRowsPastTheText) {
    PositionsGrid g;
    ASSERT_TRUE(Import(*g, Fixture()));
    const std::string header = Fixture().substr(0, Fixture().find("\"d\","));
    const std::string oneRow = header + "\"a\",\"9\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"neu\",\r\n";
    // A cell hook that fills empty values must not refill the emptied rows.
    int cleared_writes = 0;
    g->OnBeforeSetcell = [&](TObject*, int, int ARow, std::string& Value, const std::string&) {
        if (ARow >= 2) ++cleared_writes;
        if (Value.empty()) Value = "x";
    };
    TStringStream in(oneRow);
    ASSERT_TRUE(g->LoadFromStream(in));
    g->OnBeforeSetcell = nullptr;
    EXPECT_EQ(cleared_writes, 0);
    EXPECT_EQ(g->GetCell(-2, 1), "neu");
    g->SetRowCount(7);
    for (int r = 2; r < 7; ++r) EXPECT_EQ(RowText(*g, r), "") << r;
}

// Cut and oversized texts load without harm and leave the grid usable: the
// fixture still round-trips afterwards. (Hostile texts are the fuzz target's.)
TEST(PositionsThroughTheGrid, DamagedTextsLoadAndTheGridStaysUsable) {
    PositionsGrid g;
    std::vector<std::string> texts;
    for (size_t cut = 0; cut < Fixture().size(); cut += 41) texts.push_back(Fixture().substr(0, cut));
    texts.push_back(Fixture() + "\"" + std::string(300000, 'x'));
    texts.push_back(std::string(100000, ','));
    for (const std::string& t : texts) {
        ASSERT_TRUE(Import(*g, t));
        TStringStream out;
        ASSERT_TRUE(g->SaveToStream(out));
        ASSERT_EQ(g->Canvas().LockCount(), 0);
    }
    ASSERT_TRUE(Import(*g, Fixture()));
    EXPECT_EQ(Save(*g), Fixture());
}

// Short writes (in the data and in the display-name line) and a write that
// throws anything: reported once, False, and the bracket closed.
TEST(PositionsFailures, FailingWritesAreReportedAndGiveFalse) {
    PositionsGrid g;
    ASSERT_TRUE(Import(*g, Fixture()));
    class ThrowingWrite : public ByteStream {
        int64_t Write(const void*, int64_t) override { throw 7; }
    };
    ByteStream short_data, short_names;
    short_data.write_limit = 200;
    short_names.write_limit = static_cast<int64_t>(Fixture().find("\"@@DATADEF END@@\"\r\n") + 29);
    ThrowingWrite throwing;
    for (TStream* out : std::initializer_list<TStream*>{&short_data, &short_names, &throwing}) {
        DialogScope dialogs;
        EXPECT_FALSE(g->SaveToStream(*out));
        ASSERT_EQ(g_dialogs.size(), 1u);
        EXPECT_EQ(g_dialogs[0].rfind("TDataGrid.SaveToStream ", 0), 0u) << g_dialogs[0];
        EXPECT_FALSE(g->IsUpdating());
        EXPECT_EQ(g->Canvas().LockCount(), 0);
    }
}

// A read that throws anything: False, lock and drawing put back, the grid
// usable; ReadPositionsText itself passes the error on.
TEST(PositionsFailures, AThrowingReadGivesFalseAndPutsLockAndDrawingBack) {
    for (int kind : {0, 1, 2}) {
        SCOPED_TRACE(kind);
        PositionsGrid g;
        ByteStream in(Fixture());
        in.throw_at = kind == 0 ? 0 : 700;
        in.throw_kind = kind;
        EXPECT_FALSE(g->LoadFromStream(in));
        EXPECT_EQ(g->Canvas().LockCount(), 0);
        EXPECT_TRUE(g->DrawingEnabled());
        ASSERT_TRUE(Import(*g, Fixture()));
        EXPECT_EQ(Save(*g), Fixture());
        in.pos = 0;
        EXPECT_ANY_THROW(g->ReadPositionsText(in));
        EXPECT_EQ(g->Canvas().LockCount(), 0);
    }
}

}  // namespace
