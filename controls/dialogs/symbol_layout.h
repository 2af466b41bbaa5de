// The symbol dialog's cells and sizes, without a window: the character list
// (bytes of CP1252; "(" ... ")" groups bytes into one cell), the square-ish
// layout and the window size that shows every cell.
#pragma once

#include <string>
#include <vector>

// The 68-byte default list: currency, typographic and maths signs, then
// "(m²)" and "(m³)" and a few more.
const std::string& DefaultSymbolChars();

inline constexpr int kSymbolCellDefault = 30;
// Cell size from the settings, clamped to 20..50.
int ClampSymbolCellSize(int Stored);

struct TSymbolLayout {
    int Cols = 1;
    int Rows = 1;
    std::vector<std::string> Cells;  // row by row
};

// Columns: the square root of the list's length in bytes (parentheses
// counted), rounded up. A row is added only when another cell must be
// placed. An empty list lays out the default list; an unclosed group runs to
// the end of the list.
TSymbolLayout LayoutSymbols(const std::string& Chars);

struct TSymbolWindowSize {
    int Width;
    int Height;
};
// One cell more than needed each way, the bottom panel and a margin; never
// larger than the work area (MaxWidth x MaxHeight, 0: no bound): the grid
// scrolls what does not fit.
TSymbolWindowSize SymbolWindowSize(int CellSize, int GridLineWidth, int Cols, int Rows, int PanelHeight,
                                   int MaxWidth = 0, int MaxHeight = 0);

// The most bytes of the stored character list the dialog shows: the code
// page has 256 characters, a longer list only repeats them and would make a
// grid of thousands of cells.
inline constexpr size_t kSymbolCharsLimit = 1024;
// The stored list cut to the limit; a group cut short runs to the end.
std::string LimitSymbolChars(const std::string& Chars);
