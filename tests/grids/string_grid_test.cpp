// The grid core and the string grid without a window: counts, limits, row
// heights, the second line, options, moving the current cell, the cell contract
// (GetCell / SetCell with -1 and -2), hooks, views, second-line ownership,
// moving and deleting, and drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "grids/custom_grid.h"
#include "grids/draw_grid.h"
#include "grids/grid_messages.h"
#include "grids/inplace_editor.h"
#include "grids/string_grid.h"
#include "grids/string_grid_strings.h"
#include "tests/grids/grid_test_support.h"

using namespace grid_test;

namespace {

using GridPtr = Owned<T_DrawGrid>;

TEST(CustomGrid, CountLimitsOneForEveryGrid) {
    GridPtr g;
    g->SetRowCount(0);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->FixedRows(), 1);
    g->SetRowCount(5), g->SetFixedRows(2), g->SetRowCount(2);
    EXPECT_EQ(g->FixedRows(), 1);
    g->SetColCount(6), g->SetFixedCols(3), g->SetColCount(3);
    EXPECT_EQ(g->FixedCols(), 2);
    GridPtr f;
    EXPECT_EQ(GridErrorOf([&] { f->SetFixedCols(5); }), "Die Anzahl fester Spalten mu\xDF kleiner sein als die Spaltenanzahl");
    EXPECT_EQ(GridErrorOf([&] { f->SetFixedRows(5); }), "Die Anzahl fester Zeilen mu\xDF kleiner sein als die Zeilenanzahl");
    EXPECT_EQ(GridErrorOf([&] { f->SetFixedRows(-1); }), GridMessages::IndexOutOfRange);
    EXPECT_EQ(f->FixedRows() + f->FixedCols(), 2);
    for (bool extents : {false, true}) {
        SCOPED_TRACE(extents);
        GridPtr g;
        if (extents) {
            g->SetRowHeight(2, 50);
            g->SetColWidth(1, 80);
        }
        EXPECT_EQ(GridErrorOf([&] { g->SetRowCount(200000000); }), "Zu viele Zeilen oder Spalten");
        EXPECT_EQ(GridErrorOf([&] { g->SetColCount(MaxExtentEntries + 1); }), GridMessages::GridTooLarge);
        EXPECT_EQ(g->RowCount(), 5);
        EXPECT_EQ(g->ColCount(), 5);
        EXPECT_EQ(g->RowHeights(2), extents ? 50 : 24);
    }
}

// One limit for the counts, whether or not a height or width was ever set.

TEST(CustomGrid, RowHeightRuleAlsoForStreamedHeights) {
    GridPtr g;
    g->SetDefaultRowHeight(17);
    for (auto [set, stored] : {std::pair{10, 17}, {500, 300}, {300, 300}, {42, 42}}) {
        g->SetRowHeight(2, set);
        EXPECT_EQ(g->RowHeights(2), stored) << set;
    }
    GridPtr fresh;
    EXPECT_EQ(GridErrorOf([&] { fresh->SetRowHeight(fresh->RowCount(), 20); }),
              "Gitterindex au\xDF" "erhalb des zul\xE4ssigen Bereichs");
    EXPECT_EQ(GridErrorOf([&] { fresh->SetRowHeight(-1, 30); }), GridMessages::IndexOutOfRange);
    EXPECT_EQ(GridErrorOf([&] { fresh->SetColWidth(5, 30); }), GridMessages::IndexOutOfRange);
    g->SetDefaultRowHeight(20);
    EXPECT_EQ(g->RowHeights(2), 20);
    GridPtr streamed, ancestor;
    streamed->SetColWidth(2, 80);
    EXPECT_TRUE(streamed->ShouldStoreColWidths(ancestor.g));
    ancestor->SetColWidth(2, 80);
    EXPECT_FALSE(streamed->ShouldStoreColWidths(ancestor.g));
    streamed->SetDefaultRowHeight(17);
    streamed->ReadRowHeights({17, 10, 500, 40});  // through the row-height rule
    EXPECT_EQ(streamed->WriteRowHeights(), (std::vector<int>{17, 17, 300, 40, 17}));
}

// A grid that changes its row count while it is being built.
class BuildingGrid : public T_DrawGrid {
public:
    explicit BuildingGrid(TComponent* AOwner) : T_DrawGrid(AOwner) {
        OnUserHeigth = [this](TObject*) { ++fired; };
        SetRowCount(8);
    }
    int fired = 0;
};

TEST(CustomGrid, SecondLineHeightsAndUserHeightEvent) {
    GridPtr g;
    int fired = 0;
    g->OnUserHeigth = [&](TObject*) { ++fired; };
    g->SetDefaultRowHeight(17);
    g->SetSecondLine(true);
    EXPECT_EQ(g->RowHeights(0), 17);
    for (int r = 1; r < 5; ++r) EXPECT_EQ(g->RowHeights(r), 34) << r;
    fired = 0;
    g->SetSecondLine(true);
    EXPECT_EQ(fired, 0);
    // Once per new count; below 2 becomes 2, which on a 2-row grid resizes
    // nothing but still reports.
    for (auto [count, reports] : {std::pair{7, 1}, {7, 1}, {2, 2}, {0, 3}}) {
        g->SetRowCount(count);
        EXPECT_EQ(fired, reports) << count;
    }
    g->SetEventsEnabled(false);
    g->SetRowCount(9);
    EXPECT_EQ(fired, 3);

    auto* b = Create<BuildingGrid>(nullptr);
    EXPECT_EQ(b->fired, 0);
    b->SetRowCount(9);
    EXPECT_EQ(b->fired, 1);
    b->Free();
}

TEST(CustomGrid, OptionsEditReadOnlyAndMoveCurrent) {
    GridPtr g;
    g->SetOptions(goRowSelect | goAlwaysShowEditor);
    EXPECT_EQ(g->Options(), static_cast<TGridOptions>(goRowSelect));
    EXPECT_EQ(g->Anchor().X, 4);
    g->SetOptions(DefaultGridOptions | goColSizing | goRowMoving);
    g->SetEditReadOnly(true);
    EXPECT_EQ(g->Options(), DefaultGridOptions);
    g->SetEditReadOnly(false);  // only row moving comes back
    EXPECT_EQ(g->Options(), DefaultGridOptions | goRowMoving);

    EXPECT_EQ(GridErrorOf([&] { g->MoveCurrent(false, 5, 1, true, true); }), GridMessages::IndexOutOfRange);
    g->MoveCurrent(false, 3, 2, true, true);
    g->OnSelectCell = [&](TObject*, int c, int r, bool& can) { can = !(c == 4 && r == 4); };
    g->MoveCurrent(true, 4, 4, true, true);
    EXPECT_EQ(g->Current(), (TGridCoord{3, 2, false}));
    g->MoveCurrent(true, 2, 4, false, true);
    EXPECT_EQ(g->Current(), (TGridCoord{2, 4, true}));
    EXPECT_EQ(g->Anchor(), (TGridCoord{3, 2, false}));
    g->SetOptions(goRowSelect);
    g->MoveCurrent(false, 3, 3, true, true);
    EXPECT_EQ(g->Selection(), (TGridRect{1, 3, 4, 3}));
}

class AdjustingGrid : public T_DrawGrid {
public:
    explicit AdjustingGrid(TComponent* AOwner) : T_DrawGrid(AOwner) {}
    void Adjust(int Index, int Amount, bool Rows) { AdjustSize(Index, Amount, Rows); }
};

TEST(CustomGrid, MovingAndAdjustingCarryHeightsWidthsAndPosition) {
    Owned<AdjustingGrid> g;
    g->SetRowHeight(2, 40);
    g->Adjust(2, 2, true);
    EXPECT_EQ(g->RowHeights(4), 40);
    g->Adjust(2, -2, true);
    EXPECT_EQ(g->RowHeights(2), 40);
    EXPECT_EQ(GridErrorOf([&] { g->Adjust(1, -4, true); }), "Zu viele Zeilen oder Spalten gel\xF6scht");
    EXPECT_EQ(g->RowCount(), 5);

    g->SetColWidth(1, 70);
    g->SetRowHeight(1, 30);
    g->MoveCurrent(false, 1, 1, true, false);
    g->MoveRow(1, 3);
    g->MoveColumn(1, 4);
    EXPECT_EQ(g->Current(), (TGridCoord{4, 3, false}));
    EXPECT_EQ(g->RowHeights(3) + g->ColWidths(4), 30 + 70);
}

TEST(CustomGrid, HiddenColumnsAndTheSecondLineArea) {
    GridPtr g;
    g->SetColWidth(1, -1);
    EXPECT_EQ(g->CellRect(1, 1).right, g->CellRect(1, 1).left);
    EXPECT_EQ(g->MouseCoord(70, 30), (TGridCoord{2, 1, false}));
    g->SetDefaultRowHeight(17);
    g->SetSecondLine(true);
    g->SetLeftStartSecond(2);
    g->SetRightEndSecond(3);
    const RECT cell = g->CellRect(2, 1), second = g->SecondLineRect(1);
    EXPECT_EQ((std::vector<LONG>{second.left, second.top, second.right, second.bottom}),
              (std::vector<LONG>{cell.left - 1, cell.top + 18, g->CellRect(3, 1).right + 1, cell.bottom}));
    g->SetRowHeight(2, 17);
    EXPECT_EQ(g->SecondLineRect(2).bottom, g->SecondLineRect(2).top);
    EXPECT_FALSE(g->HandleAllocated());
}

using namespace std::string_literals;

// Records the hooks in the order they run.
class LoggingGrid : public T_StringGrid {
public:
    explicit LoggingGrid(TComponent* AOwner) : T_StringGrid(AOwner) {}
    std::vector<std::string> log;
    std::string replaceWith;  // BeforeSetCell's change, when not empty
    bool throwInBefore = false;
    int setCellCalls = 0;

    void BeforeSetCell(int ACol, int ARow, std::string& Value) override {
        log.push_back("before " + std::to_string(ACol) + "," + std::to_string(ARow));
        if (throwInBefore) throw Exception("refused");
        if (!replaceWith.empty()) Value = replaceWith;
    }
    void AfterCellWrite(int ACol, int ARow, const std::string& FieldName) override {
        log.push_back("written " + std::to_string(ACol) + "," + std::to_string(ARow) + " " + GetCell(ACol, ARow));
        T_StringGrid::AfterCellWrite(ACol, ARow, FieldName);
    }
    void SetCell(int ACol, int ARow, const std::string& Value) override {
        ++setCellCalls;
        T_StringGrid::SetCell(ACol, ARow, Value);
    }
    bool WriteEditText(bool Second, int ACol, int ARow, const std::string& Value) {
        return SetEditText(Second, ACol, ARow, Value);
    }
};

using Grid = Owned<LoggingGrid>;

TEST(StringGridCells, HooksNoColumnAndTheUpdatingFlag) {
    Grid g;
    int written = 0;
    g->OnAfterCellWrite = [&](TObject*, int, int, const std::string&) { ++written; };
    g->SetCell(-1, 1, "x");
    EXPECT_TRUE(g->log.empty());
    EXPECT_FALSE(g->HasRowData(1));

    g->replaceWith = "changed";
    g->SetCell(2, 3, "v");
    EXPECT_EQ(g->log, (std::vector<std::string>{"before 2,3", "written 2,3 changed"}));
    EXPECT_EQ(written, 1);
    g->log.clear();
    g->SetUpdating(true);
    g->SetCell(2, 3, "v");  // stored as given, no OnAfterCellWrite
    g->SetUpdating(false);
    EXPECT_EQ(g->log, (std::vector<std::string>{"written 2,3 v"}));
    EXPECT_EQ(written, 1);

    // Not checked against the counts: kept past RowCount, and read back after
    // the count fell and rose again.
    g->replaceWith.clear();
    g->SetCell(3, 10, "x");
    g->SetRowCount(3);
    g->SetRowCount(12);
    EXPECT_EQ(g->GetCell(3, 10), "x");
    EXPECT_EQ(g->GetCell(2, -5), "");
    EXPECT_FALSE(g->HasRowData(7));
    EXPECT_THROW(g->SetCell(-3, 1, "x"), EListError);
    EXPECT_THROW(g->SetCell(1, 1 << 22, "x"), EListError);
}

TEST(StringGridCells, SecondLine) {
    Grid g;
    g->SetUseSecondLine(true);
    const std::pair<std::string, std::string> texts[] = {
        {"a\r\nb", "a\r\nb"}, {"a\r\n", "a"}, {"a\nb", "a\r\nb"}, {"a\r\n\r\n", "a\r\n"}, {"x\0y"s, "x\0y"s}};
    std::string scratch;
    for (const auto& [in, out] : texts) {
        g->SetCell(-2, 1, in);
        EXPECT_EQ(g->GetCell(-2, 1), out);
        EXPECT_EQ(g->CellText(-2, 1, scratch), out);  // the writer's road
    }
    EXPECT_EQ(g->SecondLineObjectCount(), 1);
    for (const auto& line : g->log) EXPECT_EQ(line.rfind("before", 0), std::string::npos) << line;

    // A non-empty text keeps the height; an empty one resets it.
    g->SetDefaultRowHeight(17);
    g->SetSecondLine(true);
    g->SetCell(-2, 2, "text");
    EXPECT_EQ(g->RowHeights(2), 34);
    g->SetCell(-2, 2, "");
    EXPECT_EQ(g->RowHeights(2), 17);

    // Without UseSecondLine: the object is made, the row gets its default
    // height, the text is dropped.
    g->SetUseSecondLine(false);
    g->SetRowHeight(3, 40);
    g->log.clear();
    g->SetCell(-2, 3, "x");
    EXPECT_NE(g->SecondLineOf(3), nullptr);
    EXPECT_EQ(g->RowHeights(3), 17);
    EXPECT_EQ(g->GetCell(-2, 3), "");
    EXPECT_EQ(g->log, (std::vector<std::string>{"written -2,3 "}));

    EXPECT_EQ(GridErrorOf([&] { g->SetCell(-2, g->RowCount(), ""); }),
              "Gitterindex au\xDF" "erhalb des zul\xE4ssigen Bereichs");
    TObject other;
    g->SetObjects(0, 4, &other);
    EXPECT_EQ(ErrorOf<EInvalidCast>([&] { g->SetCell(-2, 4, "x"); }), "Ung\xFCltige Typumwandlung");
    g->SetObjects(0, 4, nullptr);
}

TEST(StringGridEditText, EqualTextWritesNothingAndTheCounterAlwaysDrops) {
    Grid g;
    g->SetCell(1, 1, "same");
    g->setCellCalls = 0;
    EXPECT_TRUE(g->WriteEditText(false, 1, 1, "same"));
    EXPECT_FALSE(g->WriteEditText(false, 1, 1, "new"));
    EXPECT_EQ(g->setCellCalls, 1);
    g->throwInBefore = true;
    EXPECT_THROW(g->WriteEditText(false, 1, 1, "other"), Exception);
    EXPECT_EQ(g->EditUpdateCount(), 0);
}

TEST(StringGridViews, RowAndColumnViews) {
    Grid g;
    T_StringGridStrings& row = g->Rows(2);
    EXPECT_EQ(row.Count(), 5);
    EXPECT_EQ(GridErrorOf([&] { row.Insert(0, "x"); }),
              "Es k\xF6nnen keine Zeilen des 'Grids' gel\xF6scht oder eingef\xFCgt werden");
    EXPECT_EQ(GridErrorOf([&] { row.Delete(0); }), GridMessages::ViewInsertDelete);
    g->SetCell(0, 2, "k");
    EXPECT_EQ(row.Add("q"), 1);
    for (int i = 0; i < 3; ++i) row.Add("f");
    EXPECT_EQ(row.Add("z"), -1);
    EXPECT_EQ(g->Cols(1).Get(2), "q");

    const int live = TLongTextObject2::LiveCount();
    g->SetUseSecondLine(true);
    g->SetCell(-2, 2, "second");
    row.Clear();
    EXPECT_EQ(TLongTextObject2::LiveCount(), live);
    EXPECT_EQ(g->GetCell(-2, 2), "");
    EXPECT_EQ(g->GetCell(1, 2), "");

    // Assign never shares a second line: its text is copied.
    g->SetCell(1, 3, "cell");
    g->SetCell(-2, 3, "two\r\nlines");
    g->Rows(1).Assign(&g->Rows(3));
    EXPECT_EQ(g->GetCell(1, 1), "cell");
    EXPECT_NE(g->SecondLineOf(1), g->SecondLineOf(3));
    g->Rows(3).Clear();
    EXPECT_EQ(g->GetCell(-2, 1), "two\r\nlines");
    EXPECT_THROW(g->SetObjects(0, 3, g->SecondLineOf(1)), EInvalidCast);
    TLongTextObject2 foreign(nullptr);
    EXPECT_THROW(g->SetObjects(0, 4, &foreign), EInvalidCast);
}

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
    };
    for (size_t i = 0; i < calls.size(); ++i)
        EXPECT_EQ(GridErrorOf(calls[i]), GridMessages::IndexOutOfRange) << i;
    EXPECT_EQ(g->GetCell(-2, 1), "");
    EXPECT_EQ(g->SecondLineObjectCount(), 0);
    EXPECT_EQ(g->GetCell(1, 1), "cell");
}

TEST(StringGridStructure, MovesCarryCellsAndDeletedOnesDoNotComeBack) {
    const int live = TLongTextObject2::LiveCount();
    {
        Grid g;
        g->SetUseSecondLine(true);
        for (int r = 1; r < 5; ++r) {
            g->SetCell(1, r, "r" + std::to_string(r));
            g->SetCell(-2, r, "s" + std::to_string(r));
        }
        g->MoveRow(1, 3);
        EXPECT_EQ(g->GetCell(1, 3), "r1");
        EXPECT_EQ(g->GetCell(-2, 3), "s1");
        EXPECT_EQ(g->GetCell(1, 1), "r2");
        g->DeleteRow(3);
        g->SetRowCount(5);
        EXPECT_EQ(g->GetCell(1, 3), "r4");
        EXPECT_EQ(g->GetCell(-2, 4), "");
        EXPECT_EQ(g->SecondLineObjectCount(), 3);

        g->SetCell(3, 1, "c3");
        g->MoveColumn(1, 2);
        EXPECT_EQ(g->GetCell(2, 1), "r2");
        g->DeleteColumn(2);
        g->SetColCount(5);
        EXPECT_EQ(g->GetCell(2, 1), "c3");
        EXPECT_EQ(g->GetCell(4, 1), "");
        EXPECT_EQ(g->GetCell(-2, 1), "s2");

        g->MoveRowContents(1, 4);
        EXPECT_EQ(g->GetCell(-2, 4), "s2");
        EXPECT_FALSE(g->HasRowData(1));
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
    EXPECT_EQ(g->SecondLineObjectCount(), 4);
    g->Free();
    EXPECT_EQ(g_released, 4);
    EXPECT_EQ(TLongTextObject2::LiveCount(), live);
}

// Painted without a window: the current cell is 64 x 24 pixels of the
// highlight colour with its text on it; OnDrawCell sees every cell's state.
TEST(StringGridDrawing, PaintsCellsWithoutAWindow) {
    Owned<T_StringGrid> g;
    g->SetCell(1, 1, "WWWW");
    std::map<std::pair<int, int>, TGridDrawState> states;
    g->OnDrawCell = [&](TObject*, int c, int r, const RECT&, TGridDrawState s) { states[{c, r}] = s; };
    const int w = g->Width(), h = g->Height();
    TBitmap bmp(w, h);
    g->PaintTo(bmp.DC(), 0, 0);
    const std::vector<uint32_t> px = BitmapPixels(bmp);
    EXPECT_EQ(states.size(), 25u);
    EXPECT_EQ(states[std::pair(0, 0)], static_cast<TGridDrawState>(gdFixed));
    EXPECT_EQ(states[std::pair(1, 1)], static_cast<TGridDrawState>(gdSelected));
    const uint32_t highlight = ColorToCOLORREF(clHighlight);
    const uint32_t rgb = ((highlight & 0xFF) << 16) | (highlight & 0xFF00) | ((highlight >> 16) & 0xFF);
    int minX = w, minY = h, maxX = -1, maxY = -1, count = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (px[y * w + x] == rgb) {
                minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
                ++count;
            }
    EXPECT_EQ(maxX - minX + 1, 64);
    EXPECT_EQ(maxY - minY + 1, 24);
    EXPECT_LT(count, 64 * 24 - 10);  // the text
    EXPECT_FALSE(g->HandleAllocated());
}

}  // namespace
