// Widths and heights on shown grids (Xvfb): many heights or widths change
// in one step with one update, the sizing drop on the loaded positions grid,
// and AdjustGrid sizes that keep a row of two lines within the row limit.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "grids/string_grid.h"
#include "tests/grids/grid_test_support.h"
#include "tests/grids/positions_text_fakes.h"

namespace {

using grid_test::Pump;

// Counts the changed steps: each sets the scroll range (a redraw of the
// bars on a shown grid) and places the editor.
template <class Base>
class StepCounting : public Base {
public:
    using Base::Base;
    int width_steps = 0;
    int height_steps = 0;

protected:
    void ColWidthsChanged() override {
        ++width_steps;
        Base::ColWidthsChanged();
    }
    void RowHeightsChanged() override {
        ++height_steps;
        Base::RowHeightsChanged();
    }
};

using CountingGrid = StepCounting<T_StringGrid>;
using CountingPositions = StepCounting<TDataGrid>;

SCROLLINFO VertBar(HWND Window) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(Window, SB_VERT, &si);
    return si;
}

class GridSizes : public ::testing::Test {
protected:
    static void SetUpTestSuite() { host_ = grid_test::MakeHostForm(800, 500); }
    static void TearDownTestSuite() { grid_test::FreeHostForm(host_); }

    void SetUp() override {
        g = Create<CountingGrid>(nullptr);
        g->SetParent(host_);
        g->SetDefaultRowHeight(17);
        g->SetRowCount(2000);
        g->SetColCount(300);
        g->SetBounds(0, 0, 600, 400);
        g->SetOptions(DefaultGridOptions | goColSizing | goRowSizing);
        g->OnUserHeigth = [this](TObject*) { ++user_heights; };
        g->Show();
        Pump();
        g->width_steps = g->height_steps = user_heights = 0;
    }
    void TearDown() override { g->Free(); }

    static inline TForm* host_ = nullptr;
    CountingGrid* g = nullptr;
    int user_heights = 0;
};

TEST_F(GridSizes, SecondLinesChangeEveryHeightThenUpdateOnce) {
    const SCROLLINFO before = VertBar(g->Handle());
    g->SetSecondLine(true);
    EXPECT_EQ(g->RowHeights(0), 17);
    for (int r = 1; r < g->RowCount(); ++r) ASSERT_EQ(g->RowHeights(r), 34) << r;
    EXPECT_EQ(g->height_steps, 1);
    EXPECT_EQ(user_heights, 1);
    // The one update set the bar for the new heights: half the rows a page.
    const SCROLLINFO after = VertBar(g->Handle());
    EXPECT_EQ(after.nMax, before.nMax);
    EXPECT_EQ(static_cast<int>(after.nPage), g->RowCount() - AxisMaxFirstGridCell([&] {
                                                 TGridAxisParams p;
                                                 p.Count = g->RowCount();
                                                 p.FixedCount = 1;
                                                 p.DefaultExtent = 17;
                                                 p.LineWidth = 1;
                                                 p.ClientExtent = g->ClientHeight();
                                                 p.Extents = &g->RowHeightsArray();
                                                 return p;
                                             }()));
    EXPECT_LT(after.nPage, before.nPage);

    g->SetSecondLine(false);
    for (int r = 1; r < g->RowCount(); ++r) ASSERT_EQ(g->RowHeights(r), 17) << r;
    EXPECT_EQ(g->height_steps, 2);
    EXPECT_EQ(VertBar(g->Handle()).nPage, before.nPage);
    // Nothing changed, nothing runs.
    g->SetRowHeights(1, g->RowCount() - 1, 10);
    EXPECT_EQ(g->height_steps, 2);
    EXPECT_EQ(user_heights, 2);
}

TEST_F(GridSizes, ARangeOfHeightsFollowsTheRuleAndARefusedRangeChangesNothing) {
    g->SetRowHeights(3, 5, 500);
    g->SetRowHeights(6, 6, 20);
    EXPECT_EQ(g->RowHeights(2), 17);
    for (int r = 3; r <= 5; ++r) EXPECT_EQ(g->RowHeights(r), 300) << r;
    EXPECT_EQ(g->RowHeights(6), 20);
    EXPECT_EQ(g->height_steps, 2);
    for (auto [first, last] : {std::pair{1, 2000}, {-1, 4}}) {
        EXPECT_EQ(grid_test::GridErrorOf([&] { g->SetRowHeights(first, last, 40); }),
                  GridMessages::IndexOutOfRange);
        EXPECT_EQ(g->RowHeights(1), 17);
        EXPECT_EQ(g->RowHeights(1999), 17);
    }
    EXPECT_EQ(g->height_steps, 2);
    // Streamed heights take one update too.
    g->ReadRowHeights(std::vector<int>(2000, 25));
    EXPECT_EQ(g->RowHeights(1999), 25);
    EXPECT_EQ(g->height_steps, 3);
}

TEST_F(GridSizes, AColumnFitAppliesAllWidthsThenUpdatesOnce) {
    for (int c = 0; c < 6; ++c) g->SetColWidth(c, 10 + c);
    g->width_steps = 0;
    g->ColumnFit(1);
    // 300 columns cannot fit 600 pixels: every later one gets 15.
    for (int c = 2; c < g->ColCount(); ++c) ASSERT_EQ(g->ColWidths(c), 15) << c;
    EXPECT_GE(g->ColWidths(1), 15);
    EXPECT_EQ(g->width_steps, 1);
    // Fewer columns: they end at the client width, again in one update.
    g->SetColCount(8);
    g->SetDefaultColWidth(40);
    g->SetColWidth(1, 120);
    g->width_steps = 0;
    g->ColumnFit(1);
    int total = 0;
    for (int c = 0; c < g->ColCount(); ++c) total += g->ColWidths(c) + g->GridLineWidth();
    const bool bar = (GetWindowLongA(g->Handle(), GWL_STYLE) & WS_VSCROLL) != 0;
    EXPECT_NEAR(total, g->ClientWidth() - (bar ? 0 : GetSystemMetrics(SM_CXVSCROLL)), 1);
    EXPECT_EQ(g->width_steps, 1);
}

TEST_F(GridSizes, TheSizingCursorFindsTheLinesOfAScrolledGrid) {
    g->SetRowCount(100000);
    g->SetTopRow(60000);
    g->SetRowHeight(60001, 30);
    const RECT row = g->CellRect(0, 60001);
    ASSERT_EQ(row.bottom - row.top, 30);
    TGridState state{};
    int index = -1, pos = 0, ofs = 0;
    g->CalcSizingState(5, row.bottom + 1, state, index, pos, ofs);
    EXPECT_EQ(state, TGridState::gsRowSizing);
    EXPECT_EQ(index, 60001);
    EXPECT_EQ(pos, row.bottom);
    EXPECT_EQ(ofs, -1);
    g->CalcSizingState(5, row.bottom - 10, state, index, pos, ofs);
    EXPECT_EQ(state, TGridState::gsNormal);
    EXPECT_EQ(index, -1);
    const RECT title = g->CellRect(2, 0);
    g->CalcSizingState(title.right - 2, 5, state, index, pos, ofs);
    EXPECT_EQ(state, TGridState::gsColSizing);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(pos, title.right);
}

// The positions grid loaded as the import loads it, shown.
class PositionsSizing : public ::testing::Test {
protected:
    static void SetUpTestSuite() { host_ = grid_test::MakeHostForm(800, 500); }
    static void TearDownTestSuite() { grid_test::FreeHostForm(host_); }

    void SetUp() override {
        g = Create<CountingPositions>(nullptr);
        BuildSourceGridColumns(*g);
        g->SetUseSecondLine(true);
        g->SetParent(host_);
        g->SetBounds(0, 0, 780, 380);
        g->Show();
        ASSERT_TRUE(grid_test::Import(*g, positions_test::Fixture16()));
        Pump();
    }
    void TearDown() override { g->Free(); }

    void Send(UINT msg, WPARAM w, int x, int y) {
        SendMessageA(g->Handle(), msg, w, MAKELPARAM(x, y));
        Pump();
    }
    // Drags the right edge of column c's title by dx pixels.
    void DragTitleEdge(int c, int dx) {
        const RECT title = g->CellRect(c, 0);
        const int y = (title.top + title.bottom) / 2;
        Send(WM_LBUTTONDOWN, MK_LBUTTON, title.right, y);
        ASSERT_EQ(g->GridState(), TGridState::gsColSizing) << c;
        Send(WM_MOUSEMOVE, MK_LBUTTON, title.right + dx, y);
        Send(WM_LBUTTONUP, 0, title.right + dx, y);
    }

    static inline TForm* host_ = nullptr;
    CountingPositions* g = nullptr;
};

TEST_F(PositionsSizing, PreisAndSteuerWidenThoughHiddenColumnsFollowThem) {
    const int preis = g->FindColumnByFieldName("Einzelbetrag");
    const int steuer = g->FindColumnByFieldName("Steuer");
    ASSERT_EQ(g->ColWidths(steuer + 1), -1);  // Summe and the three after it are hidden
    for (int c : {preis, steuer}) {
        const int before = g->ColWidths(c);
        DragTitleEdge(c, 30);
        EXPECT_EQ(g->ColWidths(c), before + 30) << c;
        EXPECT_EQ(g->GridState(), TGridState::gsNormal);
        // The shown columns after it were fitted to the client, the hidden
        // ones stay hidden.
        for (int h = steuer + 1; h < steuer + 5; ++h) EXPECT_EQ(g->ColWidths(h), -1) << h;
        int total = 0;
        for (int k = 0; k < g->ColCount(); ++k) total += g->ColWidths(k) + g->GridLineWidth();
        const bool bar = (GetWindowLongA(g->Handle(), GWL_STYLE) & WS_VSCROLL) != 0;
        EXPECT_NEAR(total, g->ClientWidth() - (bar ? 0 : GetSystemMetrics(SM_CXVSCROLL)), 1) << c;
    }
}

TEST_F(PositionsSizing, ClearingRowsOfTwoLinesUpdatesOnce) {
    g->SetRowCount(3000);
    g->SetSecondLine(true);
    ASSERT_EQ(g->RowHeights(2999), 2 * g->DefaultRowHeight());
    g->height_steps = 0;
    g->Clear();
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->height_steps, 1);
    g->SetRowCount(3000);
    EXPECT_EQ(g->RowHeights(2999), g->DefaultRowHeight());
}

// The text height of Font at its size.
int TextHeightOf(const TFont& Font) {
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas().Font().Assign(&Font);
    return measure.Canvas().TextHeight("Wg");
}

TEST_F(PositionsSizing, AdjustGridKeepsARowOfTwoLinesWithinTheRowLimit) {
    for (const char* text : {"8 99999999999", "9999 1", "1000 1,5"}) {
        g->SetAdjustGrid(text);
        const int height = g->DefaultRowHeight();
        EXPECT_LE(2 * height, GridMaxRowHeight) << text;
        // The fonts were made smaller, as little as needed.
        const TFont& font = g->Columns().Items(3)->Font();
        EXPECT_LT(font.Size(), 1000) << text;
        EXPECT_GE(height, TextHeightOf(font)) << text;
        TFont larger;
        larger.Assign(&font);
        larger.SetSize(font.Size() + 1);
        EXPECT_GT(static_cast<int>(std::ceil(1.6 * TextHeightOf(larger))), GridMaxRowHeight / 2) << text;
        EXPECT_EQ(g->Columns().Items(3)->Title().Font().Size(), font.Size()) << text;
        EXPECT_LT(TextHeightOf(g->SecondFont()), height) << text;
        // A row raised to two lines holds both.
        g->SetRowHeight(2, 2 * height);
        EXPECT_EQ(g->RowHeights(2), 2 * height) << text;
        EXPECT_GE(g->RowHeights(2) - height - 1, TextHeightOf(g->SecondFont())) << text;
    }
}

}  // namespace
