#include "grids/grid_interaction_rules.h"

#include <algorithm>

namespace {

// Numerator / Denominator (Denominator > 0) rounded with halves to even.
long long DivideHalfEven(long long Numerator, long long Denominator) {
    long long q = Numerator / Denominator, r = Numerator % Denominator;
    if (r < 0) r += Denominator, --q;  // floor division
    const long long twice = 2 * r;
    if (twice > Denominator || (twice == Denominator && (q & 1) != 0)) ++q;
    return q;
}

}  // namespace

bool ColumnSizingDropped(const std::vector<int>& Widths, int Index) {
    const int count = static_cast<int>(Widths.size());
    if (Index < 0 || Index + 1 >= count) return false;
    // Hidden columns (-1) take no room and are never fitted: counting them
    // would drop the widening of every column before a hidden one.
    long long sum = 0, shown = 0;
    for (int i = Index + 1; i < count; ++i) {
        if (Widths[i] < 0) continue;
        sum += Widths[i];
        ++shown;
    }
    return shown > 0 && DivideHalfEven(sum, shown) < GridFitMinWidth;
}

TColumnFitResult FitColumns(const TColumnFitInput& Input) {
    TColumnFitResult out;
    out.Widths = Input.Widths;
    const int count = static_cast<int>(out.Widths.size());
    std::vector<bool> adjustable(count, false), keep(count, true);
    for (int i = 0; i < count; ++i)
        adjustable[i] = i > Input.Index && i > Input.FixedCols && out.Widths[i] != -1;
    const bool indexValid = Input.Index >= 0 && Input.Index < count;

    long long available = 0, sum = 0;
    // Every restart takes one column out of the adjustable set, so the loop
    // ends after at most count + 1 passes.
    for (int pass = 0; pass <= count + 1; ++pass) {
        available = static_cast<long long>(Input.ClientWidth) - Input.BarWidth;
        for (int i = 0; i < count; ++i) {
            if (!adjustable[i]) available -= out.Widths[i];
            available -= Input.LineWidth;
        }
        if (available < 0 && indexValid) {
            long long rest = static_cast<long long>(Input.ClientWidth) - Input.BarWidth;
            for (int i = 0; i < count; ++i) {
                if (adjustable[i]) {
                    out.Widths[i] = GridFitMinWidth;
                    keep[i] = false;
                }
                if (i != Input.Index) rest -= out.Widths[i];
                rest -= Input.LineWidth;
            }
            out.Widths[Input.Index] = static_cast<int>(std::max<long long>(rest, GridFitMinWidth));
            keep[Input.Index] = false;
            sum = available = 0;
            break;
        }
        sum = 0;
        for (int i = 0; i < count; ++i)
            if (adjustable[i]) sum += out.Widths[i];
        if (sum - available == 1 || available - sum == 1) {
            // The last adjustable column settles the odd pixel.
            for (int i = count - 1; i >= 0; --i) {
                if (!adjustable[i]) continue;
                const long long w = out.Widths[i] + (available - sum);
                if (w >= GridFitMinWidth) {
                    out.Widths[i] = static_cast<int>(w);
                    sum = available;
                }
                break;
            }
            break;
        }
        if (sum <= 0 || sum == available) break;
        long long remAvailable = available, remSum = sum;
        bool restart = false;
        for (int i = 0; i < count && !restart; ++i) {
            if (!adjustable[i]) continue;
            if (remSum <= 0) break;  // nothing left to scale by
            const long long w = out.Widths[i];
            const long long nw = DivideHalfEven(w * remAvailable, remSum);
            if (nw < GridFitMinWidth) {
                out.Widths[i] = GridFitMinWidth;
                adjustable[i] = false;
                keep[i] = false;
                restart = true;
            } else {
                remAvailable -= nw;
                remSum -= w;
                out.Widths[i] = static_cast<int>(nw);
            }
        }
    }
    if (available != sum && indexValid) {
        out.Widths[Input.Index] =
            static_cast<int>(std::max<long long>(out.Widths[Input.Index] + available - sum, GridFitMinWidth));
        keep[Input.Index] = false;
    }
    out.Apply.resize(count);
    for (int i = 0; i < count; ++i) out.Apply[i] = adjustable[i] || !keep[i];
    return out;
}

namespace {

bool ColumnShown(const TGridNavState& S, int Col) { return !S.ColShown || S.ColShown(Col); }

// The first shown column from From on in steps of Step within the data
// columns, or -1.
int NextShownColumn(const TGridNavState& S, int From, int Step) {
    for (int c = From; c >= S.FixedCols && c < S.ColCount; c += Step)
        if (ColumnShown(S, c)) return c;
    return -1;
}

// Moves a target that lies on a hidden column on, in the key's direction.
void PassHiddenColumns(const TGridNavState& S, TGridNavKey Key, bool Ctrl, TGridNavResult& R) {
    if (ColumnShown(S, R.Col)) return;
    const int firstRow = S.FixedRows, lastRow = std::max(S.FixedRows, S.RowCount - 1);
    int found = -1;
    switch (Key) {
        case TGridNavKey::Tab:
        case TGridNavKey::ShiftTab: {
            // The rest of the row, then the next row from its start, wrapping
            // as the key does; a shown column, if any, is in one of the two.
            const bool back = Key == TGridNavKey::ShiftTab;
            int col = R.Col, row = R.Row;
            for (int pass = 0; pass < 2 && found < 0; ++pass) {
                found = NextShownColumn(S, col, back ? -1 : 1);
                if (found >= 0) {
                    R.Row = row;
                } else if (back) {
                    col = S.ColCount - 1;
                    row = row > firstRow ? row - 1 : lastRow;
                } else {
                    col = S.FixedCols;
                    row = row < lastRow ? row + 1 : firstRow;
                }
            }
            break;
        }
        case TGridNavKey::Left:
            found = NextShownColumn(S, R.Col, -1);
            if (found < 0 && Ctrl) found = NextShownColumn(S, R.Col, 1);
            break;
        case TGridNavKey::Right:
        case TGridNavKey::Enter:
        case TGridNavKey::End:
            found = NextShownColumn(S, R.Col, Key == TGridNavKey::End ? -1 : 1);
            if (found < 0 && (Ctrl || Key == TGridNavKey::End)) found = NextShownColumn(S, R.Col, -1);
            break;
        case TGridNavKey::Home:
            found = NextShownColumn(S, R.Col, 1);
            break;
        default:
            // Up, Down and the pages keep the column the position has.
            found = R.Col;
            break;
    }
    if (found >= 0) {
        R.Col = found;
    } else {
        // Nothing shown that way: the column stays where it was.
        R.Col = S.Col;
        R.Row = Key == TGridNavKey::Tab || Key == TGridNavKey::ShiftTab ? S.Row : R.Row;
    }
}

}  // namespace

TGridNavResult NavigateGrid(const TGridNavState& S, TGridNavKey Key, bool Ctrl) {
    TGridNavResult r{S.Col, S.Row, S.LeftCol, S.TopRow, false};
    const int firstCol = S.FixedCols, lastCol = S.ColCount - 1;
    const int firstRow = S.FixedRows, lastRow = S.RowCount - 1;
    const int pageRows = std::max(1, S.VisibleRows), pageCols = std::max(1, S.VisibleCols);
    auto horizontal = [&](int delta) {
        if (S.RowSelect)
            r.Row += delta > 0 ? 1 : -1;
        else
            r.Col += delta;
    };
    if (Ctrl) {
        switch (Key) {
            case TGridNavKey::Left: horizontal(-pageCols); r.LeftCol -= pageCols; r.PageMove = true; break;
            case TGridNavKey::Right:
            case TGridNavKey::Enter: horizontal(pageCols); r.LeftCol += pageCols; r.PageMove = true; break;
            case TGridNavKey::PageUp: r.Row = S.TopRow; break;
            case TGridNavKey::PageDown: r.Row = S.TopRow + pageRows - 1; break;
            case TGridNavKey::Home: r.Col = firstCol, r.Row = firstRow; break;
            case TGridNavKey::End: r.Col = lastCol, r.Row = lastRow; break;
            case TGridNavKey::Up: r.TopRow -= 1; break;
            case TGridNavKey::Down: r.TopRow += 1; break;
            default: break;
        }
    } else {
        switch (Key) {
            case TGridNavKey::Up: r.Row -= 1; break;
            case TGridNavKey::Down: r.Row += 1; break;
            case TGridNavKey::Left: horizontal(-1); break;
            case TGridNavKey::Right:
            case TGridNavKey::Enter: horizontal(1); break;
            case TGridNavKey::Home:
                if (S.RowSelect) r.Row = firstRow; else r.Col = firstCol;
                break;
            case TGridNavKey::End:
                if (S.RowSelect) r.Row = lastRow; else r.Col = lastCol;
                break;
            case TGridNavKey::PageUp: r.Row -= pageRows; r.TopRow -= pageRows; r.PageMove = true; break;
            case TGridNavKey::PageDown: r.Row += pageRows; r.TopRow += pageRows; r.PageMove = true; break;
            case TGridNavKey::Tab:
                if (r.Col < lastCol) {
                    ++r.Col;
                } else {
                    r.Col = firstCol;
                    r.Row = r.Row < lastRow ? r.Row + 1 : firstRow;
                }
                break;
            case TGridNavKey::ShiftTab:
                if (r.Col > firstCol) {
                    --r.Col;
                } else {
                    r.Col = lastCol;
                    r.Row = r.Row > firstRow ? r.Row - 1 : lastRow;
                }
                break;
        }
    }
    r.Col = std::clamp(r.Col, firstCol, std::max(firstCol, lastCol));
    r.Row = std::clamp(r.Row, firstRow, std::max(firstRow, lastRow));
    r.LeftCol = std::clamp(r.LeftCol, firstCol, std::max(firstCol, lastCol));
    r.TopRow = std::clamp(r.TopRow, firstRow, std::max(firstRow, lastRow));
    if (S.ColShown && !S.RowSelect) PassHiddenColumns(S, Key, Ctrl, r);
    return r;
}
