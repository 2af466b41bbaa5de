// The string grid's cell contract (GetCell / SetCell with -1 and -2), its
// hooks, views, second-line ownership and the deletion of rows and columns.
#include "grids/string_grid.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "framework/gdi_owner.h"
#include "grids/grid_messages.h"
#include "grids/string_grid_strings.h"
#include "tests/grids/grid_test_support.h"

namespace {

// Records the hooks in the order they run.
class LoggingGrid : public T_StringGrid {
public:
    explicit LoggingGrid(TComponent* AOwner) : T_StringGrid(AOwner) {}
    std::vector<std::string> log;
    std::string replaceWith;  // BeforeSetCell's change, when not empty
    bool throwInBefore = false;
    int setCellCalls = 0;

    void BeforeSetCell(int ACol, int ARow, std::string& Value) override {
        log.push_back("before " + std::to_string(ACol) + "," + std::to_string(ARow) + " stored=" + GetCell(ACol, ARow));
        if (throwInBefore) throw Exception("refused");
        if (!replaceWith.empty()) Value = replaceWith;
    }
    void AfterCellWrite(int ACol, int ARow, const std::string& FieldName) override {
        log.push_back("written " + std::to_string(ACol) + "," + std::to_string(ARow) + " stored=" + GetCell(ACol, ARow));
        T_StringGrid::AfterCellWrite(ACol, ARow, FieldName);
    }
    void SetCell(int ACol, int ARow, const std::string& Value) override {
        ++setCellCalls;
        T_StringGrid::SetCell(ACol, ARow, Value);
    }
    bool WriteEditText(bool Second, int ACol, int ARow, const std::string& Value) {
        return SetEditText(Second, ACol, ARow, Value);
    }
    std::string ReadEditText(bool Second, int ACol, int ARow) { return GetEditText(Second, ACol, ARow); }
};

using Grid = grid_test::Owned<LoggingGrid>;
using grid_test::ErrorOf;

TEST(StringGridCells, NoColumnWritesNothingHookOrderAndUpdatingFlag) {
    Grid g;
    int written = 0;
    g->OnAfterCellWrite = [&](TObject*, int, int, const std::string&) { ++written; };
    EXPECT_EQ(g->GetCell(-1, 1), "");
    g->SetCell(-1, 1, "x");
    EXPECT_EQ(written, 0);
    EXPECT_TRUE(g->log.empty());
    EXPECT_FALSE(g->HasRowData(1));
    EXPECT_EQ(g->SecondLineObjectCount(), 0);

    std::vector<std::string> events;
    g->OnAfterCellWrite = [&](TObject*, int c, int r, const std::string& f) {
        events.push_back(std::to_string(c) + "," + std::to_string(r) + "[" + f + "]");
    };
    g->replaceWith = "changed";
    g->SetCell(2, 3, "v");
    EXPECT_EQ(g->GetCell(2, 3), "changed");
    EXPECT_EQ(g->log, (std::vector<std::string>{"before 2,3 stored=", "written 2,3 stored=changed"}));
    EXPECT_EQ(events, (std::vector<std::string>{"2,3[]"}));

    g->log.clear();
    g->SetUpdating(true);
    g->SetCell(2, 3, "v");
    EXPECT_EQ(g->GetCell(2, 3), "v");  // stored unchanged: no before-set hook
    EXPECT_EQ(g->log, (std::vector<std::string>{"written 2,3 stored=v"}));
    EXPECT_EQ(events.size(), 1u);  // no OnAfterCellWrite
    g->SetUpdating(false);
}

TEST(StringGridCells, SecondLineWithUseSecondLine) {
    Grid g;
    g->SetUseSecondLine(true);
    g->SetCell(-2, 1, "a\r\nb");
    EXPECT_EQ(g->GetCell(-2, 1), "a\r\nb");
    g->SetCell(-2, 1, "a\r\n");
    EXPECT_EQ(g->GetCell(-2, 1), "a");
    g->SetCell(-2, 1, "a\nb");
    EXPECT_EQ(g->GetCell(-2, 1), "a\r\nb");
    g->SetCell(-2, 1, "a\r\n\r\n");
    EXPECT_EQ(g->GetCell(-2, 1), "a\r\n");
    g->SetCell(-2, 1, std::string("x\0y", 3));
    EXPECT_EQ(g->GetCell(-2, 1), std::string("x\0y", 3));
    EXPECT_EQ(g->SecondLineObjectCount(), 1);
    // The second line never passes the before-set hook.
    for (const auto& line : g->log) EXPECT_EQ(line.rfind("before", 0), std::string::npos) << line;

    // A non-empty text keeps the height; an empty one resets it.
    g->SetDefaultRowHeight(17);
    g->SetSecondLine(true);
    g->SetCell(-2, 2, "text");
    EXPECT_EQ(g->RowHeights(2), 34);
    g->SetCell(-2, 2, "");
    EXPECT_EQ(g->RowHeights(2), 17);
    EXPECT_EQ(g->GetCell(-2, 2), "");

    // Without UseSecondLine: the object is made, the row gets DRH, the text is dropped.
    g->SetUseSecondLine(false);
    const int objects = g->SecondLineObjectCount();
    std::vector<std::string> events;
    g->OnAfterCellWrite = [&](TObject*, int c, int r, const std::string& f) {
        events.push_back(std::to_string(c) + "," + std::to_string(r) + "[" + f + "]");
    };
    g->SetCell(-2, 3, "x");
    EXPECT_EQ(g->SecondLineObjectCount(), objects + 1);
    EXPECT_NE(g->SecondLineOf(3), nullptr);
    EXPECT_EQ(g->RowHeights(3), 17);
    EXPECT_EQ(events, (std::vector<std::string>{"-2,3[]"}));
    EXPECT_EQ(g->GetCell(-2, 3), "");
}

TEST(StringGridCells, SecondLineIndexErrors) {
    Grid g;
    g->SetUseSecondLine(true);
    EXPECT_EQ(ErrorOf<EInvalidGridOperation>([&] { g->SetCell(-2, g->RowCount(), ""); }),
              "Gitterindex au\xDF" "erhalb des zul\xE4ssigen Bereichs");
    EXPECT_EQ(g->SecondLineObjectCount(), 1);  // kept in the list, as before
    EXPECT_EQ(ErrorOf<EInvalidGridOperation>([&] { g->SetCell(-2, -1, ""); }), GridMessages::IndexOutOfRange);
    // A kept text skips the height; the store then refuses the row.
    EXPECT_THROW(g->SetCell(-2, -1, "x"), EListError);
    // Another object in column 0 is no second line.
    TObject other;
    g->SetObjects(0, 3, &other);
    EXPECT_EQ(ErrorOf<EInvalidCast>([&] { g->SetCell(-2, 3, "x"); }), "Ung\xFCltige Typumwandlung");
    EXPECT_EQ(g->Objects(0, 3), &other);
    g->SetObjects(0, 3, nullptr);
}

TEST(StringGridCells, BeyondRowCountAndNothingCreatedOnRead) {
    Grid g;
    g->SetCell(3, 10, "x");
    EXPECT_EQ(g->GetCell(3, 10), "x");
    g->SetRowCount(12);
    EXPECT_EQ(g->GetCell(3, 10), "x");
    g->SetRowCount(3);
    g->SetRowCount(12);
    EXPECT_EQ(g->GetCell(3, 10), "x");
    EXPECT_EQ(g->GetCell(2, 7), "");
    EXPECT_FALSE(g->HasRowData(7));
    EXPECT_EQ(g->GetCell(2, -5), "");
    EXPECT_THROW(g->SetCell(-3, 1, "x"), EListError);
    EXPECT_THROW(g->SetCell(1, -1, "x"), EListError);
    EXPECT_THROW(g->SetCell(1, 1 << 22, "x"), EListError);
    EXPECT_EQ(g->GetCell(1, 1 << 22), "");
}

TEST(StringGridEditText, EqualTextWritesNothingAndCounterAlwaysDrops) {
    Grid g;
    int setEvents = 0;
    g->OnSetEditText = [&](TObject*, int, int, const std::string&) { ++setEvents; };
    g->SetCell(1, 1, "same");
    g->setCellCalls = 0;
    EXPECT_TRUE(g->WriteEditText(false, 1, 1, "same"));
    EXPECT_EQ(g->setCellCalls, 0);
    EXPECT_EQ(setEvents, 1);
    EXPECT_FALSE(g->WriteEditText(false, 1, 1, "new"));
    EXPECT_EQ(g->setCellCalls, 1);
    EXPECT_EQ(g->GetCell(1, 1), "new");
    EXPECT_EQ(g->EditUpdateCount(), 0);

    g->SetUseSecondLine(true);
    EXPECT_FALSE(g->WriteEditText(true, 1, 2, "memo"));
    EXPECT_EQ(g->GetCell(-2, 2), "memo");
    EXPECT_EQ(g->ReadEditText(true, 3, 2), "memo");

    g->throwInBefore = true;
    EXPECT_THROW(g->WriteEditText(false, 1, 1, "other"), Exception);
    EXPECT_EQ(g->EditUpdateCount(), 0);
}

TEST(StringGridViews, RowViewOperations) {
    Grid g;
    T_StringGridStrings& row = g->Rows(2);
    EXPECT_EQ(row.Count(), 5);
    EXPECT_EQ(ErrorOf<EInvalidGridOperation>([&] { row.Insert(0, "x"); }),
              "Es k\xF6nnen keine Zeilen des 'Grids' gel\xF6scht oder eingef\xFCgt werden");
    EXPECT_EQ(ErrorOf<EInvalidGridOperation>([&] { row.Delete(0); }), GridMessages::ViewInsertDelete);
    g->SetCell(0, 2, "k");
    EXPECT_EQ(row.Add("q"), 1);
    EXPECT_EQ(g->GetCell(1, 2), "q");
    for (int i = 0; i < 3; ++i) row.Add("f");
    EXPECT_EQ(row.Add("z"), -1);
    EXPECT_EQ(g->Cols(1).Get(2), "q");
    EXPECT_EQ(g->Cols(1).Count(), 5);

    const int live = TLongTextObject2::LiveCount();
    g->SetUseSecondLine(true);
    g->SetCell(-2, 2, "second");
    EXPECT_EQ(TLongTextObject2::LiveCount(), live + 1);
    row.Clear();
    EXPECT_EQ(TLongTextObject2::LiveCount(), live);
    EXPECT_EQ(g->SecondLineObjectCount(), 0);
    EXPECT_EQ(g->GetCell(-2, 2), "");
    for (int c = 0; c < 5; ++c) EXPECT_EQ(g->GetCell(c, 2), "") << c;
    EXPECT_EQ(g->Objects(0, 2), nullptr);
}

TEST(StringGridViews, AssignNeverSharesSecondLines) {
    const int live = TLongTextObject2::LiveCount();
    {
        Grid g;
        g->SetUseSecondLine(true);
        g->SetCell(1, 2, "cell");
        g->SetCell(-2, 2, "two\r\nlines");
        g->Rows(1).Assign(&g->Rows(2));
        EXPECT_EQ(g->GetCell(1, 1), "cell");
        EXPECT_EQ(g->GetCell(-2, 1), "two\r\nlines");
        ASSERT_NE(g->SecondLineOf(1), nullptr);
        EXPECT_NE(g->SecondLineOf(1), g->SecondLineOf(2));
        g->Rows(2).Clear();
        EXPECT_EQ(g->GetCell(-2, 1), "two\r\nlines");
        EXPECT_EQ(g->GetCell(-2, 2), "");

        // From a plain list: strings (and objects) by position.
        TStringList src;
        src.Add("a");
        src.Add("b");
        src.Add("c");
        g->Cols(3).Assign(&src);
        EXPECT_EQ(g->GetCell(3, 0), "a");
        EXPECT_EQ(g->GetCell(3, 2), "c");
        EXPECT_FALSE(g->StringsUpdating());

        // Storing one row's second line into another cell is refused.
        EXPECT_THROW(g->SetObjects(0, 3, g->SecondLineOf(1)), EInvalidCast);
        EXPECT_THROW(g->SetObjects(2, 1, g->SecondLineOf(1)), EInvalidCast);
        TLongTextObject2 foreign(nullptr);
        EXPECT_THROW(g->SetObjects(0, 4, &foreign), EInvalidCast);
    }
    EXPECT_EQ(TLongTextObject2::LiveCount(), live);
}

TEST(StringGridStructure, DeletedRowsAndColumnsDoNotComeBack) {
    const int live = TLongTextObject2::LiveCount();
    {
        Grid g;
        g->SetUseSecondLine(true);
        for (int r = 1; r < 5; ++r) {
            g->SetCell(1, r, std::string("r").append(std::to_string(r)));
            g->SetCell(-2, r, std::string("s").append(std::to_string(r)));
        }
        g->DeleteRow(2);
        EXPECT_EQ(g->RowCount(), 4);
        EXPECT_EQ(g->GetCell(1, 2), "r3");
        EXPECT_EQ(g->GetCell(-2, 2), "s3");
        EXPECT_EQ(g->GetCell(-2, 3), "s4");
        g->SetRowCount(5);
        EXPECT_EQ(g->GetCell(1, 4), "");
        EXPECT_EQ(g->GetCell(-2, 4), "");
        EXPECT_EQ(g->SecondLineObjectCount(), 3);

        g->SetCell(2, 1, "c2");
        g->SetCell(3, 1, "c3");
        g->DeleteColumn(2);
        EXPECT_EQ(g->ColCount(), 4);
        EXPECT_EQ(g->GetCell(2, 1), "c3");
        g->SetColCount(5);
        EXPECT_EQ(g->GetCell(4, 1), "");
        EXPECT_EQ(g->GetCell(-2, 1), "s1");
    }
    EXPECT_EQ(TLongTextObject2::LiveCount(), live);
}

TEST(StringGridStructure, MovesCarryCellsAndSecondLines) {
    const int live = TLongTextObject2::LiveCount();
    {
        Grid g;
        g->SetUseSecondLine(true);
        g->SetCell(1, 1, "one");
        g->SetCell(-2, 1, "first");
        g->SetCell(2, 3, "three");
        int moved = 0;
        g->OnRowMoved = [&](TObject*, int, int) { ++moved; };
        g->MoveRow(1, 3);
        EXPECT_EQ(moved, 1);
        EXPECT_EQ(g->GetCell(1, 3), "one");
        EXPECT_EQ(g->GetCell(-2, 3), "first");
        EXPECT_EQ(g->GetCell(2, 2), "three");
        g->MoveColumn(1, 4);
        EXPECT_EQ(g->GetCell(4, 3), "one");

        // Moving a row's contents moves the second line; the source is empty.
        g->SetCell(-2, 4, "to be replaced");
        g->MoveRowContents(3, 4);
        EXPECT_EQ(g->GetCell(-2, 4), "first");
        EXPECT_EQ(g->GetCell(-2, 3), "");
        EXPECT_FALSE(g->HasRowData(3));
        EXPECT_EQ(g->SecondLineObjectCount(), 1);
        EXPECT_EQ(TLongTextObject2::LiveCount(), live + 1);
    }
    EXPECT_EQ(TLongTextObject2::LiveCount(), live);
}

int g_released = 0;
struct CountingL2Data : TCustomL2Data {
    void ReleaseData() override { ++g_released; }
};

TEST(StringGridLifeCycle, FreeReleasesEverySecondLine) {
    g_released = 0;
    const int live = TLongTextObject2::LiveCount();
    auto* g = Create<T_StringGrid>(nullptr);
    g->SetSecondLineDataClass([]() -> TCustomL2Data* { return new CountingL2Data(); });
    g->SetUseSecondLine(true);
    for (int r = 0; r < 20; ++r) g->SetCell(-2, r % 4, "x");  // rows reuse their object
    for (int r = 4; r < 10; ++r) g->SetCell(1, r, "y");
    EXPECT_EQ(g->SecondLineObjectCount(), 4);
    g->Free();
    EXPECT_EQ(g_released, 4);
    EXPECT_EQ(TLongTextObject2::LiveCount(), live);
}

}  // namespace

namespace {

// A 32-bit top-down DIB selected into a memory DC.
struct Surface {
    int w, h;
    MemoryDC memory;
    GdiObject<HBITMAP> bmp;
    uint32_t* bits = nullptr;
    std::optional<ScopedSelect> select;
    Surface(int W, int H) : w(W), h(H) {
        void* p = nullptr;
        bmp = CreateDib32(memory.Get(), w, h, &p);
        bits = static_cast<uint32_t*>(p);
        select.emplace(memory.Get(), bmp.Get());
    }
    // COLORREF (0x00BBGGRR) of a pixel.
    COLORREF At(int x, int y) const {
        const uint32_t v = bits[y * w + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
};

TEST(StringGridDrawing, PaintsCellsWithoutAWindow) {
    auto* g = Create<T_StringGrid>(nullptr);
    g->SetCell(1, 1, "WWWW");
    int calls = 0;
    TGridDrawState fixedState = 0, currentState = 0;
    g->OnDrawCell = [&](TObject*, int c, int r, const RECT&, TGridDrawState s) {
        ++calls;
        if (c == 0 && r == 0) fixedState = s;
        if (c == 1 && r == 1) currentState = s;
    };
    Surface s(g->Width(), g->Height());
    g->PaintTo(s.memory.Get(), 0, 0);
    EXPECT_EQ(calls, 25);
    EXPECT_EQ(fixedState, static_cast<TGridDrawState>(gdFixed));
    EXPECT_EQ(currentState, static_cast<TGridDrawState>(gdSelected));
    // The current cell has the highlight background with text on it.
    const COLORREF highlight = ColorToCOLORREF(clHighlight);
    int minX = s.w, minY = s.h, maxX = -1, maxY = -1, count = 0;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x)
            if (s.At(x, y) == highlight) {
                ++count;
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
    ASSERT_GT(count, 500);
    EXPECT_EQ(maxX - minX + 1, 64);
    EXPECT_EQ(maxY - minY + 1, 24);
    int other = 0;
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x) other += s.At(x, y) != highlight;
    EXPECT_GT(other, 10);  // the text
    EXPECT_FALSE(g->HandleAllocated());
    g->Free();
}

// CellText (the writer's road) gives what GetCell gives: cells, -1, and the
// second line both before and after its line list was made.
TEST(StringGridCells, CellTextAgreesWithGetCell) {
    auto* g = Create<T_StringGrid>(nullptr);
    g->SetUseSecondLine(true);
    g->SetCell(1, 1, "eins");
    g->SetCell(-2, 1, "a\r\nb\r\n");
    g->SetCell(-2, 2, "");
    std::string scratch;
    for (int r = 0; r < 4; ++r)
        for (int c = -2; c < 3; ++c) EXPECT_EQ(std::string(g->CellText(c, r, scratch)), g->GetCell(c, r)) << c << r;
    EXPECT_EQ(g->CellText(-2, 1, scratch), "a\r\nb");
    g->SecondLineOf(1)->Lines().Add("c");
    EXPECT_EQ(g->CellText(-2, 1, scratch), "a\r\nb\r\nc");
    EXPECT_EQ(std::string(g->CellText(-2, 1, scratch)), g->GetCell(-2, 1));
    g->Free();
}

}  // namespace

namespace {

// Views take cell positions only: the grid's special columns (-1, -2) and
// negative rows are refused, and nothing is written.
TEST(StringGridViews, RefuseNegativePositions) {
    Grid g;
    g->SetUseSecondLine(true);
    g->SetCell(1, 1, "cell");
    TObject o;
    const std::vector<std::function<void()>> calls = {
        [&] { g->Rows(1).Put(-2, "second"); },   [&] { g->Rows(1).Put(-1, "x"); },
        [&] { g->Rows(1).Get(-2); },             [&] { g->Rows(1).PutObject(-1, &o); },
        [&] { g->Rows(1).GetObject(-2); },       [&] { g->Cols(1).Put(-1, "x"); },
        [&] { g->Cols(1).Get(-1); },
    };
    for (size_t i = 0; i < calls.size(); ++i)
        EXPECT_EQ(ErrorOf<EInvalidGridOperation>(calls[i]), GridMessages::IndexOutOfRange) << i;
    EXPECT_EQ(g->GetCell(-2, 1), "");
    EXPECT_EQ(g->SecondLineObjectCount(), 0);
    EXPECT_EQ(g->GetCell(1, 1), "cell");
}

}  // namespace
