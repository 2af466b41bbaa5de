// The positions text through the positions grid: byte-identical round trips
// of the 16-column fixture, the decimal rule, mapping by stored name, and the
// failure paths of SaveToStream / LoadFromStream.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <new>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "framework/format_settings.h"
#include "framework/streams.h"
#include "grids/data_grid.h"
#include "grids/source_grid_columns.h"

namespace {

std::string FixtureBytes(const std::string& name) {
    std::string here = __FILE__;
    std::string path = here.substr(0, here.find_last_of("/\\") + 1) + "fixtures/" + name;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;  // a Unix build path seen from Wine
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

const std::string& Fixture() {
    static const std::string bytes = FixtureBytes("positions16.txt");
    return bytes;
}

struct PositionsGrid {
    TDataGrid* g = Create<TDataGrid>(nullptr);
    PositionsGrid() { BuildSourceGridColumns(*g); }
    ~PositionsGrid() { g->Free(); }
    TDataGrid* operator->() const { return g; }
};

// What the import does: Clear, then LoadFromStream.
bool Import(TDataGrid& g, const std::string& text) {
    g.Clear();
    TStringStream in(text);
    return g.LoadFromStream(in, "", "");
}

std::string Save(TDataGrid& g) {
    TStringStream out;
    EXPECT_TRUE(g.SaveToStream(out, "", ""));
    return out.DataString();
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

class DecimalSeparatorScope {
public:
    explicit DecimalSeparatorScope(char c) : saved_(FormatSettings.DecimalSeparator) {
        FormatSettings.DecimalSeparator = c;
    }
    ~DecimalSeparatorScope() { FormatSettings.DecimalSeparator = saved_; }

private:
    char saved_;
};

std::vector<std::string>& Dialogs() {
    static std::vector<std::string> texts;
    return texts;
}

void RecordDialog(const std::string& text) { Dialogs().push_back(text); }

class DialogScope {
public:
    DialogScope() : previous_(SetPlainMessageDialog(&RecordDialog)) { Dialogs().clear(); }
    ~DialogScope() { SetPlainMessageDialog(previous_); }

private:
    TPlainMessageDialog previous_;
};

// Writes at most Limit bytes in all; what does not fit is refused.
class ShortWriteStream : public TStream {
public:
    explicit ShortWriteStream(int64_t limit) : limit_(limit) {}
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void* Buffer, int64_t Count) override {
        const int64_t n = std::clamp<int64_t>(limit_ - static_cast<int64_t>(data.size()), 0, Count);
        data.append(static_cast<const char*>(Buffer), static_cast<size_t>(n));
        return n;
    }
    int64_t Seek(int64_t, TSeekOrigin) override { return static_cast<int64_t>(data.size()); }
    std::string data;

private:
    int64_t limit_;
};

enum class Failure { Exception, BadAlloc, Int };

// Hands out the first Chunk bytes, then fails on the next read.
class FailingReadStream : public TStream {
public:
    FailingReadStream(std::string bytes, size_t chunk, Failure how) : bytes_(std::move(bytes)), chunk_(chunk), how_(how) {}
    int64_t Read(void* Buffer, int64_t Count) override {
        if (pos_ >= chunk_) {
            switch (how_) {
                case Failure::Exception: throw EReadError("Lesefehler");
                case Failure::BadAlloc: throw std::bad_alloc();
                case Failure::Int: throw 42;
            }
        }
        const size_t n = std::min({static_cast<size_t>(Count), chunk_ - pos_, bytes_.size() - pos_});
        std::memcpy(Buffer, bytes_.data() + pos_, n);
        pos_ += n;
        return static_cast<int64_t>(n);
    }
    int64_t Write(const void*, int64_t) override { return 0; }
    int64_t Seek(int64_t, TSeekOrigin) override { return static_cast<int64_t>(pos_); }

private:
    std::string bytes_;
    size_t chunk_;
    Failure how_;
    size_t pos_ = 0;
};

bool IsDecimalColumn(int c) { return c == 1 || c == 2 || c == 7 || c == 9 || c == 10 || c == 11 || c == 14 || c == 15; }

TEST(PositionsRoundTrip, FixtureComesBackByteForByte) {
    ASSERT_FALSE(Fixture().empty()) << "fixture missing";
    PositionsGrid g;
    ASSERT_TRUE(Import(*g.g, Fixture()));
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(Save(*g.g), Fixture());
    // The hidden grid never opened an editor on the current cell, whose
    // empty "Pos." would have been rewritten.
    EXPECT_EQ(g->GetCell(1, 1), "");
    EXPECT_FALSE(g->HandleAllocated());
    EXPECT_FALSE(g->EditorMode());
    EXPECT_EQ(g->Canvas().LockCount(), 0);
    EXPECT_TRUE(g->DrawingEnabled());
}

TEST(PositionsRoundTrip, CellsAndSecondLinesAreRead) {
    PositionsGrid g;
    ASSERT_TRUE(Import(*g.g, Fixture()));
    EXPECT_EQ(g->GetCell(0, 1), "d");
    EXPECT_EQ(g->GetCell(3, 1), "  Stk ");
    EXPECT_EQ(g->GetCell(4, 1), "Schraube \"Zoll 1/2\"");
    EXPECT_EQ(g->GetCell(5, 1), "Größe 5% Rabatt, netto");
    EXPECT_EQ(g->GetCell(-2, 1), "Lieferung in zwei Teilen\r\nTeil 1: sofort\r\nTeil 2: später");
    EXPECT_EQ(g->GetCell(0, 2), "\x81h");
    EXPECT_EQ(g->GetCell(5, 3), "Zeile A\r\nZeile B");
    EXPECT_EQ(g->GetCell(12, 3), std::string("x\0y", 3));
    EXPECT_EQ(g->GetCell(-2, 4), "Hinweis: \"Ware\" prüfen, 50% vorab\r\n\r\nEnde");
    EXPECT_EQ(g->GetCell(4, 6), "%%");
}

TEST(PositionsRoundTrip, ReadPositionsTextReturnsTheRowAfterTheLast) {
    PositionsGrid g;
    g->Clear();
    TStringStream in(Fixture());
    EXPECT_EQ(g->ReadPositionsText(in), 7);
    EXPECT_EQ(g->RowCount(), 7);

    PositionsGrid empty;
    empty->Clear();
    TStringStream nothing("");
    EXPECT_EQ(empty->ReadPositionsText(nothing), 1);
    TStringStream again("");
    EXPECT_TRUE(empty->LoadFromStream(again));
    EXPECT_EQ(empty->RowCount(), 2);
}

TEST(PositionsRoundTrip, FullStopSeparatorChangesExactlyTheDecimalCellsWithAComma) {
    PositionsGrid comma;
    ASSERT_TRUE(Import(*comma.g, Fixture()));
    PositionsGrid stop;
    {
        DecimalSeparatorScope separator('.');
        ASSERT_TRUE(Import(*stop.g, Fixture()));
    }
    EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
    int changed = 0;
    for (int r = 1; r < comma->RowCount(); ++r) {
        for (int c = 0; c < 16; ++c) {
            const std::string before = comma->GetCell(c, r);
            std::string expected = before;
            if (IsDecimalColumn(c)) std::replace(expected.begin(), expected.end(), ',', '.');
            EXPECT_EQ(stop->GetCell(c, r), expected) << c << "," << r;
            changed += expected != before;
        }
        EXPECT_EQ(stop->GetCell(-2, r), comma->GetCell(-2, r));
    }
    EXPECT_EQ(changed, 11);
    EXPECT_EQ(stop->GetCell(9, 3), "1.234.50");
    EXPECT_EQ(stop->GetCell(14, 2), "Müller. Hans");
    EXPECT_EQ(stop->GetCell(6, 1), "B-100,7");
}

TEST(PositionsRoundTrip, StoredNamesDecideTheColumn) {
    PositionsGrid g;
    ASSERT_TRUE(Import(*g.g, Replaced(Fixture(), "\"Stueck\"\r\n\"Einheit\"\r\n", "\"Einheit\"\r\n\"Stueck\"\r\n")));
    EXPECT_EQ(g->GetCell(2, 1), "  Stk ");
    EXPECT_EQ(g->GetCell(3, 1), "2");

    PositionsGrid caps;
    ASSERT_TRUE(Import(*caps.g, Replaced(Fixture(), "\"Artikelnummer\"\r\n", "\"ARTIKELNUMMER\"\r\n")));
    EXPECT_EQ(caps->GetCell(8, 1), "4711");
    EXPECT_EQ(caps->GetCell(8, 2), "0815");
}

TEST(PositionsRoundTrip, ALoadEmptiesTheRowsPastTheText) {
    PositionsGrid g;
    ASSERT_TRUE(Import(*g.g, Fixture()));
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
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->GetCell(1, 1), "9");
    EXPECT_EQ(g->GetCell(-2, 1), "neu");
    g->SetRowCount(7);
    for (int r = 2; r < 7; ++r) {
        for (int c = 0; c < 16; ++c) EXPECT_EQ(g->GetCell(c, r), "") << c << "," << r;
        EXPECT_EQ(g->GetCell(-2, r), "") << r;
    }
}

// Cut, mutated and oversized texts load without harm and leave the grid
// usable: the fixture still round-trips afterwards.
TEST(PositionsThroughTheGrid, DamagedTextsLoadAndTheGridStaysUsable) {
    PositionsGrid g;
    std::vector<std::string> texts;
    for (size_t cut = 0; cut < Fixture().size(); cut += 13) texts.push_back(Fixture().substr(0, cut));
    std::mt19937 random(20240601);
    for (int i = 0; i < 150; ++i) {
        std::string t = Fixture();
        for (int k = 0; k < 6; ++k) {
            const size_t at = random() % t.size();
            const char bytes[] = {'"', ',', '\r', '\n', '\0', '%', 'x', '\x81'};
            t[at] = bytes[random() % sizeof(bytes)];
        }
        texts.push_back(t);
    }
    texts.push_back(Fixture() + "\"" + std::string(300000, 'x'));
    texts.push_back(std::string(100000, ','));
    std::string wide = "\"@@DATADEF START@@\"\r\n";
    for (int c = 0; c < 40; ++c) wide += "\"F" + std::to_string(c) + "\"\r\n";
    wide += "\"Pos.\"\r\n\"@@DATADEF END@@\"\r\n\r\n";
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 45; ++c) wide.append("\"").append(std::to_string(c)).append("\",");
        wide += "\r\n";
    }
    texts.push_back(wide);
    for (const std::string& t : texts) {
        ASSERT_TRUE(Import(*g.g, t));
        ASSERT_GE(g->RowCount(), 2);
        TStringStream out;
        ASSERT_TRUE(g->SaveToStream(out));
        ASSERT_EQ(g->Canvas().LockCount(), 0);
        ASSERT_FALSE(g->IsUpdating());
    }
    ASSERT_TRUE(Import(*g.g, Fixture()));
    EXPECT_EQ(Save(*g.g), Fixture());
}

TEST(PositionsFailures, ShortWriteIsReportedAndGivesFalse) {
    PositionsGrid g;
    ASSERT_TRUE(Import(*g.g, Fixture()));
    DialogScope dialogs;
    ShortWriteStream out(200);
    EXPECT_FALSE(g->SaveToStream(out));
    ASSERT_EQ(Dialogs().size(), 1u);
    EXPECT_EQ(Dialogs()[0].rfind("TDataGrid.SaveToStream ", 0), 0u) << Dialogs()[0];
    EXPECT_FALSE(g->IsUpdating());
    EXPECT_EQ(g->Canvas().LockCount(), 0);
}

TEST(PositionsFailures, ShortWriteOfTheDisplayNameLineIsAFailureToo) {
    PositionsGrid g;
    ASSERT_TRUE(Import(*g.g, Fixture()));
    DialogScope dialogs;
    const size_t displayLine = Fixture().find("\"@@DATADEF END@@\"\r\n") + 19;
    ShortWriteStream out(static_cast<int64_t>(displayLine) + 10);
    EXPECT_FALSE(g->SaveToStream(out));
    EXPECT_EQ(Dialogs().size(), 1u);
}

TEST(PositionsFailures, ForeignExceptionsInAWriteAreCaughtToo) {
    class ThrowingWrite : public TStream {
    public:
        int64_t Read(void*, int64_t) override { return 0; }
        int64_t Write(const void*, int64_t) override { throw 7; }
        int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
    };
    PositionsGrid g;
    DialogScope dialogs;
    ThrowingWrite out;
    EXPECT_FALSE(g->SaveToStream(out));
    ASSERT_EQ(Dialogs().size(), 1u);
    EXPECT_EQ(Dialogs()[0].rfind("TDataGrid.SaveToStream ", 0), 0u);
    EXPECT_FALSE(g->IsUpdating());
}

TEST(PositionsFailures, AThrowingReadGivesFalseAndPutsLockAndDrawingBack) {
    for (Failure how : {Failure::Exception, Failure::BadAlloc, Failure::Int}) {
        SCOPED_TRACE(static_cast<int>(how));
        PositionsGrid g;
        g->Clear();
        FailingReadStream in(Fixture(), 700, how);
        EXPECT_FALSE(g->LoadFromStream(in));
        EXPECT_EQ(g->Canvas().LockCount(), 0);
        EXPECT_TRUE(g->DrawingEnabled());
        EXPECT_FALSE(g->IsUpdating());
        // The grid stays usable.
        ASSERT_TRUE(Import(*g.g, Fixture()));
        EXPECT_EQ(Save(*g.g), Fixture());
    }
}

TEST(PositionsFailures, ReadPositionsTextPassesTheErrorOnButUnlocks) {
    PositionsGrid g;
    g->BeginUpdate();
    FailingReadStream in(Fixture(), 0, Failure::Exception);
    EXPECT_THROW(g->ReadPositionsText(in), EReadError);
    EXPECT_EQ(g->Canvas().LockCount(), 1);
    EXPECT_FALSE(g->DrawingEnabled());
    g->EndUpdate(false);
    EXPECT_EQ(g->Canvas().LockCount(), 0);
}

}  // namespace
