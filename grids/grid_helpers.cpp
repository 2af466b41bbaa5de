#include "grids/grid_helpers.h"

#include <algorithm>

#include "grids/grid_messages.h"

void RaiseGridError(const std::string& Message) { throw EInvalidGridOperation(Message); }

TGridRect MakeGridRect(const TGridCoord& A, const TGridCoord& B) {
    return TGridRect{std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y)};
}

bool IsPointInGridRect(int ACol, int ARow, const TGridRect& Rect) {
    return ACol >= Rect.Left && ACol <= Rect.Right && ARow >= Rect.Top && ARow <= Rect.Bottom;
}

std::array<TGridRect, 4> DiffRects(const TGridRect& Old, const TGridRect& New) {
    std::array<TGridRect, 4> out{EmptyGridRect, EmptyGridRect, EmptyGridRect, EmptyGridRect};
    if (Old == New) return out;
    if (Old.IsEmpty() || New.IsEmpty()) {
        out[0] = Old.IsEmpty() ? EmptyGridRect : Old;
        out[1] = New.IsEmpty() ? EmptyGridRect : New;
        return out;
    }
    const TGridRect inter{std::max(Old.Left, New.Left), std::max(Old.Top, New.Top),
                          std::min(Old.Right, New.Right), std::min(Old.Bottom, New.Bottom)};
    if (inter.IsEmpty()) {
        out[0] = Old;
        out[1] = New;
        return out;
    }
    // The bounding block less the intersection, as strips above and below it
    // and beside it within its rows.
    const TGridRect box{std::min(Old.Left, New.Left), std::min(Old.Top, New.Top),
                        std::max(Old.Right, New.Right), std::max(Old.Bottom, New.Bottom)};
    int n = 0;
    auto add = [&](TGridRect r) {
        if (!r.IsEmpty()) out[static_cast<size_t>(n++)] = r;
    };
    add(TGridRect{box.Left, box.Top, box.Right, inter.Top - 1});
    add(TGridRect{box.Left, inter.Bottom + 1, box.Right, box.Bottom});
    add(TGridRect{box.Left, inter.Top, inter.Left - 1, inter.Bottom});
    add(TGridRect{inter.Right + 1, inter.Top, box.Right, inter.Bottom});
    return out;
}

void CheckExtentCount(int NewCount) {
    if (NewCount < 0) RaiseGridError(GridMessages::IndexOutOfRange);
    if (NewCount > MaxExtentEntries) RaiseGridError(GridMessages::GridTooLarge);
}

void ReserveExtents(TExtents& Extents, int NewCount) {
    if (!Extents) return;
    CheckExtentCount(NewCount);
    const size_t wanted = static_cast<size_t>(NewCount);
    if (wanted <= Extents->capacity()) return;
    Extents->reserve(std::max(wanted, Extents->capacity() * 2));
}

void ResizeExtents(TExtents& Extents, int NewCount, int Default) {
    CheckExtentCount(NewCount);
    if (NewCount == 0) {
        Extents.reset();
        return;
    }
    if (!Extents) Extents.emplace();
    ReserveExtents(Extents, NewCount);
    Extents->resize(static_cast<size_t>(NewCount), Default);
}

void MoveExtentEntry(TExtents& Extents, int From, int To) {
    if (!Extents) return;
    const int count = static_cast<int>(Extents->size());
    if (From < 0 || From >= count || To < 0 || To >= count) RaiseGridError(GridMessages::IndexOutOfRange);
    if (From == To) return;
    auto& v = *Extents;
    const int value = v[static_cast<size_t>(From)];
    v.erase(v.begin() + From);
    v.insert(v.begin() + To, value);
}

bool ExtentsEqual(const TExtents& A, const TExtents& B) {
    if (!A || !B) return !A && !B;
    return *A == *B;
}
