// Grid geometry per axis: where each column (or row) lies in the client area,
// which cells are visible and which cell a pixel hits. Pure arithmetic, shared
// by painting, hit testing, scrolling and the editor placement.
//
// A cell of extent E is followed by a grid line of width W, so it takes E + W
// pixels; an extent of -1 with a line width of 1 takes none (a hidden column).
// Spans below 0 count as 0.
#pragma once

#include <vector>

#include "grids/grid_helpers.h"

// The input of one axis.
struct TGridAxisParams {
    int Count = 0;              // number of columns (rows)
    int FixedCount = 0;         // fixed (title) cells at the start
    int FirstGridCell = 0;      // first scrolling cell shown after the fixed ones
    int DefaultExtent = 0;      // extent of a cell without its own entry
    int LineWidth = 0;          // grid line width after each cell
    int ClientExtent = 0;       // client width (height) in pixels
    const TExtents* Extents = nullptr;
};

// The computed layout of one axis.
struct TGridAxisDrawInfo {
    TGridAxisParams Params;
    int FixedBoundary = 0;        // first pixel after the fixed cells and their lines
    int GridBoundary = 0;         // first pixel after the last shown cell (clamped to the client)
    int GridExtent = 0;           // the client extent
    int LastFullVisibleCell = 0;  // last scrolling cell shown completely (at least FirstGridCell)
    int FullVisBoundary = 0;      // first pixel after LastFullVisibleCell
    int FirstGridCell = 0;
    int FixedCellCount = 0;
    int GridCellCount = 0;

    // Extent of a cell without its line (-1 for a hidden column); default when
    // the index has no entry.
    int CellExtent(int Index) const;
    // Pixels a cell takes with its line, never negative.
    int CellSpan(int Index) const;
};

TGridAxisDrawInfo CalcAxisDrawInfo(const TGridAxisParams& Params);

// Start and end (exclusive, without the line) of a cell as shown; false when
// the cell is out of range or scrolled out of view.
bool AxisCellSpan(const TGridAxisDrawInfo& Info, int Index, int& Start, int& End);

// The cell whose span (line included) contains pixel Pos; -1 when none.
int AxisHitTest(const TGridAxisDrawInfo& Info, int Pos);

// The shown cell whose sizing zone holds pixel Pos: from Zone pixels before
// the cell's end to Zone pixels after its line (End - Zone .. End + LineWidth
// + Zone - 1); the first in order when zones overlap. -1 when none; End is
// the cell's end then. Only the shown cells are visited, so the cost does not
// grow with the count.
int AxisSizingHit(const TGridAxisDrawInfo& Info, int Pos, int Zone, int& End);

// The number of scrolling cells shown completely.
int AxisVisibleCount(const TGridAxisDrawInfo& Info);

// The largest first scrolling cell with which the last cell still shows
// completely (FixedCount when all fit).
int AxisMaxFirstGridCell(const TGridAxisParams& Params);

// A pixel rectangle, right and bottom exclusive.
struct TGridPixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const TGridPixelRect&) const = default;
};

struct TGridDrawInfo {
    TGridAxisDrawInfo Horz;
    TGridAxisDrawInfo Vert;
};

// The cell's pixel rectangle; empty (all zero) when out of range or not shown.
TGridPixelRect GridCellRect(const TGridDrawInfo& Info, int ACol, int ARow);
// The pixel rectangle covering the block of cells as far as it is shown.
TGridPixelRect GridBoxRect(const TGridDrawInfo& Info, const TGridRect& Block);
// The cell under a client point; X or Y -1 when outside the cells.
TGridCoord GridHitTest(const TGridDrawInfo& Info, int X, int Y);
