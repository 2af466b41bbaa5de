// The arithmetic of the grid's mouse and key handling, without a window:
// whether a widened column's sizing is dropped, the fit of the following
// columns to the client width, and where a navigation key leads.
#pragma once

#include <functional>
#include <vector>

// Narrowest width the column fit gives a column.
inline constexpr int GridFitMinWidth = 15;

// Whether the widening of column Index is dropped: the shown columns after
// it (hidden ones, width -1, left out) average, rounded with halves to even,
// below 15 pixels. False when no shown column follows.
bool ColumnSizingDropped(const std::vector<int>& Widths, int Index);

struct TColumnFitInput {
    std::vector<int> Widths;  // every column's width, -1 for a hidden one
    int Index = 0;            // the sized column
    int FixedCols = 0;
    int ClientWidth = 0;
    int LineWidth = 1;
    int BarWidth = 0;  // the vertical bar's width when it is not shown yet, else 0
};

struct TColumnFitResult {
    std::vector<int> Widths;  // the work list
    std::vector<bool> Apply;  // the columns that take their work-list width
};

// Fits the columns after Index to the client width. Adjustable columns (after
// Index and after FixedCols, not hidden) are scaled in proportion and never
// below 15; when even 15 each does not fit, they all get 15 and column Index
// takes what remains (never below 15). A one-pixel difference goes to the
// last adjustable column; another difference is absorbed by column Index.
TColumnFitResult FitColumns(const TColumnFitInput& Input);

// The keys of the grid's navigation.
enum class TGridNavKey { Up, Down, Left, Right, Home, End, PageUp, PageDown, Tab, ShiftTab, Enter };

struct TGridNavState {
    int ColCount = 0;
    int RowCount = 0;
    int FixedCols = 0;
    int FixedRows = 0;
    int Col = 0;
    int Row = 0;
    int LeftCol = 0;
    int TopRow = 0;
    int VisibleCols = 1;  // scrolling columns shown completely
    int VisibleRows = 1;
    bool RowSelect = false;
    // Whether a column is shown (width above 0); null: every column is.
    // The keys that move between columns pass hidden ones over.
    std::function<bool(int)> ColShown;
};

struct TGridNavResult {
    int Col = 0;
    int Row = 0;
    int LeftCol = 0;
    int TopRow = 0;
    bool PageMove = false;  // the grid is repainted
};

// Where a key leads from the state. The target stays within the data cells
// and never lands on a hidden column (a move that finds no shown column in
// its direction keeps the column); Ctrl+Up/Down only scroll (the position
// stays).
TGridNavResult NavigateGrid(const TGridNavState& State, TGridNavKey Key, bool Ctrl);
