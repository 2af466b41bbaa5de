// Small helpers of the grid unit: its exception, cell rectangles and the
// per-column / per-row extents arrays. No window code here.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "framework/exceptions.h"

FRAMEWORK_EXCEPTION(EInvalidGridOperation, Exception);

// Raises EInvalidGridOperation with Message (one of GridMessages).
[[noreturn]] void RaiseGridError(const std::string& Message);

// A grid position: column X, row Y, and whether it is the second line of row Y.
struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool Second = false;
    bool operator==(const TGridCoord&) const = default;
};

// A block of cells; all four edges are cell indices and belong to the block.
// A block with Left > Right or Top > Bottom is empty.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;
    bool IsEmpty() const { return Left > Right || Top > Bottom; }
    bool operator==(const TGridRect&) const = default;
};

inline constexpr TGridRect EmptyGridRect{0, 0, -1, -1};

// The block spanned by two cells.
TGridRect MakeGridRect(const TGridCoord& A, const TGridCoord& B);
// True when the cell lies inside the block, edges included.
bool IsPointInGridRect(int ACol, int ARow, const TGridRect& Rect);

// Up to four blocks that cover every cell lying in exactly one of Old and New
// (to repaint a changed selection). Blocks that do not intersect come back as
// themselves; equal blocks give four empty ones. Unused entries are empty.
std::array<TGridRect, 4> DiffRects(const TGridRect& Old, const TGridRect& New);

// Widths of the columns or heights of the rows; missing means "all default".
using TExtents = std::optional<std::vector<int>>;

// Largest number of entries an extents array may have.
inline constexpr int MaxExtentEntries = 134217725;

// Creates or resizes Extents to NewCount entries; new entries get Default.
// A count of 0 frees the array. A negative count raises the index message, a
// count above MaxExtentEntries the count message.
void ResizeExtents(TExtents& Extents, int NewCount, int Default);
// The checks of ResizeExtents alone (raise the same messages).
void CheckExtentCount(int NewCount);
// Makes room for NewCount entries so that a following ResizeExtents to at most
// NewCount cannot fail. Growth is geometric: raising a count by one at a time
// costs amortised constant time. Nothing (no check either) when the array is
// missing.
void ReserveExtents(TExtents& Extents, int NewCount);
// Moves the entry at From to To, shifting those between. Nothing when the array
// is missing; an index outside the array raises the index message.
void MoveExtentEntry(TExtents& Extents, int From, int To);
// True when both are missing, or both exist with equal entries.
bool ExtentsEqual(const TExtents& A, const TExtents& B);
