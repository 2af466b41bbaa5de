// T_CustomGrid: counts, fixed counts, widths and heights, options, the size
// change, moving rows and columns, and the streaming helpers.
#include <algorithm>
#include <utility>

#include "grids/custom_grid.h"
#include "grids/grid_messages.h"
#include "grids/inplace_editor.h"

void T_CustomGrid::SetColCount(int Value) {
    if (Value == col_count_) return;
    if (Value < 2) Value = 2;
    if (Value <= fixed_cols_) SetFixedCols(Value - 1);
    if (Value != col_count_) ChangeSize(Value, row_count_);
    if (options_ & goRowSelect) {
        anchor_.X = col_count_ - 1;
        InvalidateGrid();
    }
}

void T_CustomGrid::SetRowCount(int Value) {
    if (Value == row_count_) return;
    if (Value < 2) Value = 2;
    if (Value <= fixed_rows_) SetFixedRows(Value - 1);
    // A value clamped onto the present count resizes nothing but still
    // reports, as any other assignment of a new value does.
    if (Value != row_count_) ChangeSize(col_count_, Value);
    FireUserHeight();
}

void T_CustomGrid::SetFixedCols(int Value) {
    if (Value < 0) RaiseGridError(GridMessages::IndexOutOfRange);
    if (Value >= col_count_) RaiseGridError(GridMessages::FixedColTooBig);
    fixed_cols_ = Value;
    ApplyMinimumWidth();
    InitializeFixedArea();
    InvalidateGrid();
}

void T_CustomGrid::SetFixedRows(int Value) {
    if (Value < 0) RaiseGridError(GridMessages::IndexOutOfRange);
    if (Value >= row_count_) RaiseGridError(GridMessages::FixedRowTooBig);
    fixed_rows_ = Value;
    InitializeFixedArea();
    InvalidateGrid();
}

void T_CustomGrid::InitializeFixedArea() {
    if (editor_mode_) HideEdit();
    top_left_ = TGridCoord{fixed_cols_, fixed_rows_, false};
    current_ = top_left_;
    anchor_ = current_;
    if (options_ & goRowSelect) anchor_.X = col_count_ - 1;
    second_line_active_ = false;
    UpdateScrollRange();
}

void T_CustomGrid::SetDefaultColWidth(int Value) {
    if (Value == default_col_width_ && !col_widths_) return;
    default_col_width_ = Value;
    col_widths_.reset();
    ColWidthsChanged();
    InvalidateGrid();
}

void T_CustomGrid::SetDefaultRowHeight(int Value) {
    if (Value == default_row_height_ && !row_heights_) return;
    default_row_height_ = Value;
    row_heights_.reset();
    RowHeightsChanged();
    InvalidateGrid();
}

void T_CustomGrid::SetGridLineWidth(int Value) {
    if (Value < 0) Value = 0;
    if (Value == grid_line_width_) return;
    grid_line_width_ = Value;
    UpdateScrollRange();
    InvalidateGrid();
}

void T_CustomGrid::SetFixedColor(TColor Value) {
    if (Value == fixed_color_) return;
    fixed_color_ = Value;
    InvalidateGrid();
}

int T_CustomGrid::ColWidths(int Index) const {
    if (col_widths_ && Index >= 0 && Index < static_cast<int>(col_widths_->size()))
        return (*col_widths_)[static_cast<size_t>(Index)];
    return default_col_width_;
}

int T_CustomGrid::RowHeights(int Index) const {
    if (row_heights_ && Index >= 0 && Index < static_cast<int>(row_heights_->size()))
        return (*row_heights_)[static_cast<size_t>(Index)];
    return default_row_height_;
}

void T_CustomGrid::SetColWidth(int Index, int Value) {
    // Negative indices are refused like those past the end: both would
    // write outside the widths.
    if (Index < 0 || Index >= col_count_) RaiseGridError(GridMessages::IndexOutOfRange);
    if (!col_widths_) {
        if (Value == default_col_width_) return;
        ResizeExtents(col_widths_, col_count_, default_col_width_);
    }
    int& slot = (*col_widths_)[static_cast<size_t>(Index)];
    if (slot == Value) return;
    if (sizes_held_ > 0) {
        slot = Value;
        col_widths_due_ = true;
        return;
    }
    InvalidateGrid();
    slot = Value;
    ColWidthsChanged();
}

void T_CustomGrid::EnsureRowHeights() {
    if (!row_heights_) ResizeExtents(row_heights_, row_count_, default_row_height_);
}

void T_CustomGrid::SetRowHeight(int ARow, int Value) {
    if (Value < default_row_height_) Value = default_row_height_;
    if (Value > GridMaxRowHeight) Value = GridMaxRowHeight;
    EnsureRowHeights();
    if (ARow < 0 || ARow >= row_count_) RaiseGridError(GridMessages::IndexOutOfRange);
    int& slot = (*row_heights_)[static_cast<size_t>(ARow)];
    if (slot == Value) return;
    if (sizes_held_ > 0) {
        slot = Value;
        row_heights_due_ = true;
        return;
    }
    InvalidateGrid();
    slot = Value;
    RowHeightsChanged();
}

void T_CustomGrid::SetRowHeights(int First, int Last, int Value) {
    if (First > Last) return;
    // The checks of the rule first, so that a refused range changes nothing.
    EnsureRowHeights();
    if (First < 0 || Last >= row_count_) RaiseGridError(GridMessages::IndexOutOfRange);
    BatchSizeChanges([&] {
        for (int r = First; r <= Last; ++r) SetRowHeight(r, Value);
    });
}

void T_CustomGrid::BatchSizeChanges(const std::function<void()>& Apply) {
    ++sizes_held_;
    try {
        Apply();
    } catch (...) {
        --sizes_held_;
        // What was stored before the failure is shown; the failure wins.
        try {
            RunDueSizeChanges();
        } catch (...) {
        }
        throw;
    }
    --sizes_held_;
    RunDueSizeChanges();
}

void T_CustomGrid::RunDueSizeChanges() {
    if (sizes_held_ > 0) return;
    const bool cols = std::exchange(col_widths_due_, false);
    const bool rows = std::exchange(row_heights_due_, false);
    if (cols || rows) InvalidateGrid();
    if (cols) ColWidthsChanged();
    if (rows) RowHeightsChanged();
}

void T_CustomGrid::ApplyMinimumWidth() {
    const int minimum = std::max(0, MinimumGridWidth());
    if (Constraints().MinWidth == minimum) return;
    Constraints().MinWidth = minimum;
    if (Width() < minimum) SetBounds(Left(), Top(), minimum, Height());
}

void T_CustomGrid::ColWidthsChanged() {
    ApplyMinimumWidth();
    UpdateScrollRange();
    // Only an open editor runs the show step again; a closed one stays closed.
    if (editor_mode_) ShowEditor();
}

void T_CustomGrid::RowHeightsChanged() {
    FireUserHeight();
    UpdateScrollRange();
    if (OpenEditor()) {
        inplace_col_ = current_.X;
        inplace_row_ = current_.Y;
        inplace_second_ = second_line_active_;
        PlaceOpenEditor(false);
    }
}

void T_CustomGrid::SetSecondLine(bool Value) {
    if (Value == second_line_) return;
    second_line_ = Value;
    SetRowHeights(1, row_count_ - 1, (Value ? 2 : 1) * default_row_height_);
}

void T_CustomGrid::SetOptions(TGridOptions Value) {
    if (Value & goRowSelect) Value &= ~static_cast<TGridOptions>(goAlwaysShowEditor);
    options_ = Value;
    if (!editor_mode_) {
        if (Value & goAlwaysShowEditor)
            ShowEditor();
        else
            HideEdit();
    }
    if (Value & goRowSelect) MoveCurrent(current_.Second, current_.X, current_.Y, true, false);
    InvalidateGrid();
}

void T_CustomGrid::SetEditReadOnly(bool Value) {
    read_only_ = Value;
    if (Value) {
        HideEdit();
        options_ &= ~static_cast<TGridOptions>(goColMoving | goRowMoving | goColSizing | goRowSizing);
    } else {
        options_ |= goRowMoving;
    }
}

void T_CustomGrid::FireUserHeight() {
    if (OnUserHeigth && events_enabled_) OnUserHeigth(this);
}

void T_CustomGrid::ChangeSize(int NewColCount, int NewRowCount) {
    // The editor closes before the structure changes: its text goes to its
    // cell while that cell is still where the editor was opened.
    if (editor_mode_ && (NewColCount != col_count_ || NewRowCount != row_count_)) HideEdit();
    const int oldCols = col_count_, oldRows = row_count_;
    // The one limit of the counts, checked here whether or not widths or
    // heights were ever set, so that a count accepted now never fails later.
    CheckExtentCount(NewColCount);
    CheckExtentCount(NewRowCount);
    // Room first, so that a refused size changes nothing; then the arrays are
    // resized in place (no copy of all heights per new row).
    ReserveExtents(col_widths_, NewColCount);
    ReserveExtents(row_heights_, NewRowCount);
    if (col_widths_) ResizeExtents(col_widths_, NewColCount, default_col_width_);
    if (row_heights_) ResizeExtents(row_heights_, NewRowCount, default_row_height_);
    col_count_ = NewColCount;
    row_count_ = NewRowCount;
    auto clampX = [&](int x) { return std::clamp(x, fixed_cols_, col_count_ - 1); };
    auto clampY = [&](int y) { return std::clamp(y, fixed_rows_, row_count_ - 1); };
    current_.X = clampX(current_.X);
    current_.Y = clampY(current_.Y);
    anchor_.X = clampX(anchor_.X);
    anchor_.Y = clampY(anchor_.Y);
    top_left_.X = clampX(top_left_.X);
    top_left_.Y = clampY(top_left_.Y);
    if (inplace_col_ >= col_count_ || inplace_row_ >= row_count_) inplace_col_ = inplace_row_ = -1;
    // The largest first cell is never below the fixed count: a grid shown
    // from its first cell (the usual case, and every row of a load) needs
    // no walk over the extents.
    if (top_left_.X > fixed_cols_) top_left_.X = std::min(top_left_.X, AxisMaxFirstGridCell(HorzParams()));
    if (top_left_.Y > fixed_rows_) top_left_.Y = std::min(top_left_.Y, AxisMaxFirstGridCell(VertParams()));
    if (col_count_ != oldCols) ApplyMinimumWidth();
    UpdateScrollRange();
    InvalidateGrid();
    SizeChanged(oldCols, oldRows);
}

void T_CustomGrid::SizeChanged(int OldColCount, int OldRowCount) { (void)OldColCount, (void)OldRowCount; }

void T_CustomGrid::AdjustSize(int Index, int Amount, bool Rows) {
    if (Amount == 0) return;
    const int count = Rows ? row_count_ : col_count_;
    const int fixed = Rows ? fixed_rows_ : fixed_cols_;
    if (Index < 0 || Index > count) RaiseGridError(GridMessages::IndexOutOfRange);
    if (Amount < 0 && (Index - Amount > count || count + Amount <= fixed || count + Amount < 2))
        RaiseGridError(GridMessages::TooManyDeleted);
    if (Amount > 0) {
        const int newCount = count + Amount;
        if (Rows)
            ChangeSize(col_count_, newCount);
        else
            ChangeSize(newCount, row_count_);
        // The new entries are at the end; bring them to Index.
        for (int i = 0; i < Amount; ++i) {
            if (Rows)
                MoveRow(newCount - 1, Index);
            else
                MoveColumn(newCount - 1, Index);
        }
    } else {
        const int n = -Amount;
        for (int i = 0; i < n; ++i) {
            if (Rows)
                MoveRow(Index, count - 1);
            else
                MoveColumn(Index, count - 1);
        }
        if (Rows)
            ChangeSize(col_count_, count - n);
        else
            ChangeSize(count - n, row_count_);
    }
}

namespace {

// Where an index goes when the entry at From moves to To.
int Shifted(int Index, int From, int To) {
    if (Index == From) return To;
    if (From < To && Index > From && Index <= To) return Index - 1;
    if (From > To && Index >= To && Index < From) return Index + 1;
    return Index;
}

}  // namespace

void T_CustomGrid::MoveColumn(int FromIndex, int ToIndex) {
    if (FromIndex < 0 || FromIndex >= col_count_ || ToIndex < 0 || ToIndex >= col_count_)
        RaiseGridError(GridMessages::IndexOutOfRange);
    if (FromIndex == ToIndex) return;
    if (editor_mode_) HideEdit();  // closed before the structure changes
    MoveExtentEntry(col_widths_, FromIndex, ToIndex);
    current_.X = Shifted(current_.X, FromIndex, ToIndex);
    anchor_.X = Shifted(anchor_.X, FromIndex, ToIndex);
    if (inplace_col_ >= 0) inplace_col_ = Shifted(inplace_col_, FromIndex, ToIndex);
    if (second_line_col_ >= 0) second_line_col_ = Shifted(second_line_col_, FromIndex, ToIndex);
    ColumnMoved(FromIndex, ToIndex);
    InvalidateGrid();
}

void T_CustomGrid::MoveRow(int FromIndex, int ToIndex) {
    if (FromIndex < 0 || FromIndex >= row_count_ || ToIndex < 0 || ToIndex >= row_count_)
        RaiseGridError(GridMessages::IndexOutOfRange);
    if (FromIndex == ToIndex) return;
    if (editor_mode_) HideEdit();  // closed before the structure changes
    MoveExtentEntry(row_heights_, FromIndex, ToIndex);
    current_.Y = Shifted(current_.Y, FromIndex, ToIndex);
    anchor_.Y = Shifted(anchor_.Y, FromIndex, ToIndex);
    if (inplace_row_ >= 0) inplace_row_ = Shifted(inplace_row_, FromIndex, ToIndex);
    RowMoved(FromIndex, ToIndex);
    InvalidateGrid();
}

void T_CustomGrid::ColumnMoved(int FromIndex, int ToIndex) { (void)FromIndex, (void)ToIndex; }
void T_CustomGrid::RowMoved(int FromIndex, int ToIndex) { (void)FromIndex, (void)ToIndex; }

void T_CustomGrid::DeleteColumn(int ACol) {
    if (editor_mode_) HideEdit();
    MoveColumn(ACol, col_count_ - 1);
    SetColCount(col_count_ - 1);
}

void T_CustomGrid::DeleteRow(int ARow) {
    if (editor_mode_) HideEdit();
    MoveRow(ARow, row_count_ - 1);
    SetRowCount(row_count_ - 1);
}

// ---- streaming ----

bool T_CustomGrid::ShouldStoreColWidths(const T_CustomGrid* Ancestor) const {
    if (!save_cell_extents_ || !col_widths_) return false;
    return !Ancestor || !ExtentsEqual(col_widths_, Ancestor->col_widths_);
}

bool T_CustomGrid::ShouldStoreRowHeights(const T_CustomGrid* Ancestor) const {
    if (!save_cell_extents_ || !row_heights_) return false;
    return !Ancestor || !ExtentsEqual(row_heights_, Ancestor->row_heights_);
}

std::vector<int> T_CustomGrid::WriteColWidths() const {
    std::vector<int> out;
    for (int i = 0; i < col_count_; ++i) out.push_back(ColWidths(i));
    return out;
}

std::vector<int> T_CustomGrid::WriteRowHeights() const {
    std::vector<int> out;
    for (int i = 0; i < row_count_; ++i) out.push_back(RowHeights(i));
    return out;
}

void T_CustomGrid::ReadColWidths(const std::vector<int>& Values) {
    BatchSizeChanges([&] {
        for (size_t i = 0; i < Values.size() && static_cast<int>(i) < col_count_; ++i)
            SetColWidth(static_cast<int>(i), Values[i]);
    });
}

void T_CustomGrid::ReadRowHeights(const std::vector<int>& Values) {
    BatchSizeChanges([&] {
        for (size_t i = 0; i < Values.size() && static_cast<int>(i) < row_count_; ++i)
            SetRowHeight(static_cast<int>(i), Values[i]);
    });
}
