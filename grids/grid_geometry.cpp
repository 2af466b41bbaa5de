#include "grids/grid_geometry.h"

#include <algorithm>

int TGridAxisDrawInfo::CellExtent(int Index) const {
    const TExtents* e = Params.Extents;
    if (e && *e && Index >= 0 && Index < static_cast<int>((*e)->size())) return (**e)[static_cast<size_t>(Index)];
    return Params.DefaultExtent;
}

int TGridAxisDrawInfo::CellSpan(int Index) const { return std::max(0, CellExtent(Index) + Params.LineWidth); }

TGridAxisDrawInfo CalcAxisDrawInfo(const TGridAxisParams& Params) {
    TGridAxisDrawInfo info;
    info.Params = Params;
    info.GridExtent = Params.ClientExtent;
    info.FixedCellCount = Params.FixedCount;
    info.GridCellCount = Params.Count;
    info.FirstGridCell = std::clamp(Params.FirstGridCell, Params.FixedCount, std::max(Params.FixedCount, Params.Count - 1));

    long long pos = 0;
    for (int i = 0; i < Params.FixedCount && i < Params.Count; ++i) pos += info.CellSpan(i);
    info.FixedBoundary = static_cast<int>(std::min<long long>(pos, Params.ClientExtent + 0LL));
    if (pos > Params.ClientExtent) info.FixedBoundary = Params.ClientExtent;

    info.LastFullVisibleCell = info.FirstGridCell;
    info.FullVisBoundary = static_cast<int>(std::min<long long>(pos, Params.ClientExtent));
    bool anyFull = false;
    int i = info.FirstGridCell;
    for (; i < Params.Count && pos < Params.ClientExtent; ++i) {
        pos += info.CellSpan(i);
        if (pos <= Params.ClientExtent) {
            info.LastFullVisibleCell = i;
            info.FullVisBoundary = static_cast<int>(pos);
            anyFull = true;
        }
    }
    if (!anyFull) info.LastFullVisibleCell = info.FirstGridCell;
    info.GridBoundary = static_cast<int>(std::min<long long>(pos, Params.ClientExtent));
    return info;
}

bool AxisCellSpan(const TGridAxisDrawInfo& Info, int Index, int& Start, int& End) {
    Start = End = 0;
    const TGridAxisParams& p = Info.Params;
    if (Index < 0 || Index >= p.Count) return false;
    long long pos = 0;
    if (Index < p.FixedCount) {
        for (int i = 0; i < Index; ++i) pos += Info.CellSpan(i);
    } else {
        if (Index < Info.FirstGridCell) return false;
        for (int i = 0; i < p.FixedCount; ++i) pos += Info.CellSpan(i);
        for (int i = Info.FirstGridCell; i < Index; ++i) {
            pos += Info.CellSpan(i);
            if (pos >= p.ClientExtent) return false;
        }
    }
    if (pos >= p.ClientExtent) return false;
    const int extent = Info.CellExtent(Index);
    if (extent <= 0) return false;  // hidden
    Start = static_cast<int>(pos);
    End = static_cast<int>(pos + extent);
    return true;
}

int AxisHitTest(const TGridAxisDrawInfo& Info, int Pos) {
    const TGridAxisParams& p = Info.Params;
    if (Pos < 0 || Pos >= p.ClientExtent) return -1;
    long long pos = 0;
    for (int i = 0; i < p.FixedCount && i < p.Count; ++i) {
        const int span = Info.CellSpan(i);
        if (span > 0 && Pos < pos + span) return i;
        pos += span;
    }
    for (int i = Info.FirstGridCell; i < p.Count && pos < p.ClientExtent; ++i) {
        const int span = Info.CellSpan(i);
        if (span > 0 && Pos < pos + span) return i;
        pos += span;
    }
    return -1;
}

int AxisSizingHit(const TGridAxisDrawInfo& Info, int Pos, int Zone, int& End) {
    End = 0;
    const TGridAxisParams& p = Info.Params;
    long long pos = 0;
    auto probe = [&](int i) {
        const int extent = Info.CellExtent(i);
        const long long start = pos;
        pos += Info.CellSpan(i);
        if (extent <= 0) return false;  // hidden
        const long long end = start + extent;
        if (Pos < end - Zone || Pos > end + p.LineWidth + Zone - 1) return false;
        End = static_cast<int>(end);
        return true;
    };
    for (int i = 0; i < p.FixedCount && i < p.Count && pos < p.ClientExtent; ++i)
        if (probe(i)) return i;
    for (int i = Info.FirstGridCell; i < p.Count && pos < p.ClientExtent; ++i)
        if (probe(i)) return i;
    return -1;
}

int AxisVisibleCount(const TGridAxisDrawInfo& Info) {
    if (Info.Params.Count <= Info.FixedCellCount) return 0;
    return Info.LastFullVisibleCell - Info.FirstGridCell + 1;
}

int AxisMaxFirstGridCell(const TGridAxisParams& Params) {
    TGridAxisDrawInfo probe;
    probe.Params = Params;
    long long room = Params.ClientExtent;
    for (int i = 0; i < Params.FixedCount && i < Params.Count; ++i) room -= probe.CellSpan(i);
    int first = Params.Count - 1;
    long long used = 0;
    for (int i = Params.Count - 1; i >= Params.FixedCount; --i) {
        used += probe.CellSpan(i);
        if (used > room) break;
        first = i;
    }
    return std::max(Params.FixedCount, std::min(first, Params.Count - 1));
}

TGridPixelRect GridCellRect(const TGridDrawInfo& Info, int ACol, int ARow) {
    int l = 0, r = 0, t = 0, b = 0;
    if (!AxisCellSpan(Info.Horz, ACol, l, r) || !AxisCellSpan(Info.Vert, ARow, t, b)) return {};
    return TGridPixelRect{l, t, r, b};
}

namespace {

// Calls Visit(Index, Start, End) for every shown cell of the axis, in order.
template <class F>
void ForEachShownCell(const TGridAxisDrawInfo& Info, F&& Visit) {
    const TGridAxisParams& p = Info.Params;
    long long pos = 0;
    auto step = [&](int i) {
        const int extent = Info.CellExtent(i);
        if (extent > 0) Visit(i, static_cast<int>(pos), static_cast<int>(pos + extent));
        pos += Info.CellSpan(i);
    };
    for (int i = 0; i < p.FixedCount && i < p.Count && pos < p.ClientExtent; ++i) step(i);
    for (int i = Info.FirstGridCell; i < p.Count && pos < p.ClientExtent; ++i) step(i);
}

bool ShownRange(const TGridAxisDrawInfo& Info, int From, int To, int& Lo, int& Hi) {
    bool found = false;
    ForEachShownCell(Info, [&](int i, int s, int e) {
        if (i < From || i > To) return;
        if (!found || s < Lo) Lo = s;
        if (!found || e > Hi) Hi = e;
        found = true;
    });
    return found;
}

}  // namespace

TGridPixelRect GridBoxRect(const TGridDrawInfo& Info, const TGridRect& Block) {
    if (Block.IsEmpty()) return {};
    int l = 0, r = 0, t = 0, b = 0;
    if (!ShownRange(Info.Horz, Block.Left, Block.Right, l, r) || !ShownRange(Info.Vert, Block.Top, Block.Bottom, t, b))
        return {};
    return TGridPixelRect{l, t, r, b};
}

TGridCoord GridHitTest(const TGridDrawInfo& Info, int X, int Y) {
    return TGridCoord{AxisHitTest(Info.Horz, X), AxisHitTest(Info.Vert, Y), false};
}
