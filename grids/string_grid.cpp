#include "grids/string_grid.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <typeinfo>

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/scoped_state.h"
#include "grids/grid_messages.h"
#include "grids/inplace_editor.h"
#include "grids/string_grid_strings.h"
#include "grids/string_sparse_list.h"

T_StringGrid::T_StringGrid(TComponent* AOwner) : T_DrawGrid(AOwner), rows_(RowCount()) {
    row_views_ = std::make_unique<T_SparseList>(GridListQuantum(RowCount(), 256));
    col_views_ = std::make_unique<T_SparseList>(GridListQuantum(ColCount(), 512));
}

T_StringGrid::~T_StringGrid() { FreeAllData(); }

void T_StringGrid::BeforeDestruction() {
    // The window and the editors go first (they may still write cells);
    // the second-line objects and the cells after them.
    T_DrawGrid::BeforeDestruction();
    FreeAllData();
}

void T_StringGrid::FreeAllData() {
    auto freeViews = [](T_SparseList* views) {
        if (!views) return;
        views->ForAll([](int, void* item) {
            static_cast<T_StringGridStrings*>(item)->Free();
            return 0;
        });
        views->Clear();
    };
    freeViews(row_views_.get());
    freeViews(col_views_.get());
    rows_.FreeAll();
}

// ---------------------------------------------------------------- storage

T_StringSparseList* T_StringGrid::RowList(int ARow) const { return rows_.RowList(ARow); }

T_StringSparseList* T_StringGrid::EnsureRowList(int ARow) { return rows_.EnsureRowList(ARow, ColCount()); }

T_StringGridStrings* T_StringGrid::EnsureView(T_SparseList& Views, int Index, int ViewIndex) {
    if (auto* v = static_cast<T_StringGridStrings*>(Views.Get(Index))) return v;
    auto* view = new T_StringGridStrings(this, ViewIndex);
    try {
        Views.Put(Index, view);
    } catch (...) {
        view->Free();
        throw;
    }
    return view;
}

T_StringGridStrings& T_StringGrid::Rows(int ARow) {
    if (ARow < 0) RaiseGridError(GridMessages::IndexOutOfRange);
    return *EnsureView(*row_views_, ARow, ARow + 1);
}

T_StringGridStrings& T_StringGrid::Cols(int ACol) {
    if (ACol < 0) RaiseGridError(GridMessages::IndexOutOfRange);
    return *EnsureView(*col_views_, ACol, -(ACol + 1));
}

void T_StringGrid::CellChanged(int ACol, int ARow) {
    if (!EventsEnabled()) return;
    if (strings_updating_)
        needs_repaint_ = true;
    else
        InvalidateCell(ACol, ARow);
    RefreshEditorAt(ACol, ARow);
}

void T_StringGrid::RefreshEditorAt(int ACol, int ARow) {
    // An open editor on this cell shows the new text; a closed one stays
    // closed (code writes never open an editor).
    if (ACol == Col() && ARow == Row() && edit_update_ == 0 && EditorMode()) {
        SetInplacePosition(-1, -1);
        ShowEditor();
    }
}

void T_StringGrid::SetStringsUpdateState(bool Updating) {
    strings_updating_ = Updating;
    if (!Updating && needs_repaint_) {
        needs_repaint_ = false;
        InvalidateGrid();
    }
}

// ---------------------------------------------------------------- cells

std::string T_StringGrid::GetCell(int ACol, int ARow) const { return rows_.GetCell(ACol, ARow); }

std::string_view T_StringGrid::CellText(int ACol, int ARow, std::string& Scratch) const {
    return rows_.CellText(ACol, ARow, Scratch);
}

void T_StringGrid::RowTextViews(int ARow, const int* Cols, size_t Count, std::string_view* Texts) const {
    rows_.RowTextViews(ARow, Cols, Count, Texts);
}

void T_StringGrid::SetCell(int ACol, int ARow, const std::string& Value) {
    if (ACol == -1) return;
    if (ACol == -2) {
        TLongTextObject2* lto = rows_.EnsureSecondLine(ARow, ColCount(), this, l2_data_class_);
        if (!lto) throw EInvalidCast(GridMessages::InvalidTypeCast);
        if (UseSecondLine()) lto->SetText(Value);
        if (Value.empty() || !UseSecondLine()) SetRowHeight(ARow, DefaultRowHeight());
        CellChanged(0, ARow);
        AfterCellWrite(-2, ARow, std::string());
        return;
    }
    {
        // The hook gets a copy it may change. The grid's buffer keeps its
        // room from write to write; a write made from inside the hook takes
        // a copy of its own.
        std::string nested;
        std::string* value = nullptr;
        std::optional<ScopedValue<bool>> claim;
        if (!Updating()) {
            if (set_cell_buffer_busy_) {
                value = &nested;
            } else {
                value = &set_cell_buffer_;
                claim.emplace(set_cell_buffer_busy_, true);
            }
            value->assign(Value);
            BeforeSetCell(ACol, ARow, *value);
        }
        T_StringSparseList* list = EnsureRowList(ARow);
        list->Put(ACol, value ? *value : Value);
    }
    CellChanged(ACol, ARow);
    AfterCellWrite(ACol, ARow, std::string());
}

bool T_StringGrid::CellHooksIdle() const { return typeid(*this) == typeid(T_StringGrid) && !OnAfterCellWrite; }

void T_StringGrid::StoreRowTexts(int ARow, const std::pair<int, std::string_view>* Cells, size_t Count) {
    if (!CellHooksIdle()) {
        for (size_t i = 0; i < Count; ++i) SetCell(Cells[i].first, ARow, std::string(Cells[i].second));
        return;
    }
    rows_.StoreTexts(ARow, ColCount(), Cells, Count);
    // As CellChanged for each cell, with the row repainted once.
    if (!EventsEnabled()) return;
    if (strings_updating_)
        needs_repaint_ = true;
    else
        InvalidateRow(ARow);
    for (size_t i = 0; i < Count; ++i) RefreshEditorAt(Cells[i].first, ARow);
}

TObject* T_StringGrid::Objects(int ACol, int ARow) const { return rows_.Objects(ACol, ARow); }

TLongTextObject2* T_StringGrid::SecondLineOf(int ARow) const { return rows_.SecondLineOf(ARow); }

void T_StringGrid::SetObjects(int ACol, int ARow, TObject* AObject) {
    if (auto* lto = dynamic_cast<TLongTextObject2*>(AObject)) {
        // A second-line object belongs to exactly one row of this grid.
        const bool owned = rows_.OwnsSecondLine(lto);
        bool elsewhere = false;
        if (owned && ACol == 0) {
            rows_.Lists().ForAll([&](int row, void* item) {
                if (row != ARow && static_cast<T_StringSparseList*>(item)->GetObject(0) == lto) elsewhere = true;
                return elsewhere ? 1 : 0;
            });
        }
        if (!owned || ACol != 0 || elsewhere) throw EInvalidCast(GridMessages::InvalidTypeCast);
    }
    T_StringSparseList* list = EnsureRowList(ARow);
    list->PutObject(ACol, AObject);
    CellChanged(ACol, ARow);
}

void T_StringGrid::FreeSecondLineObject(TLongTextObject2* Object) { rows_.FreeSecondLine(Object); }

void T_StringGrid::ClearRowContents(int ARow) {
    T_StringSparseList* list = RowList(ARow);
    if (!list) return;
    std::vector<int> positions;
    list->ForAll([&](int index, const std::string&, TObject*) {
        positions.push_back(index);
        return 0;
    });
    for (int c : positions) {
        list = RowList(ARow);
        if (!list) return;
        auto* lto = dynamic_cast<TLongTextObject2*>(list->GetObject(c));
        // Detach first: the cell never holds a freed object.
        SetObjects(c, ARow, nullptr);
        if (lto) FreeSecondLineObject(lto);
        SetCell(c, ARow, std::string());
    }
}

void T_StringGrid::ClearRowsFrom(int FirstRow) {
    std::vector<int> rows;
    rows_.Lists().ForAll([&](int row, void*) {
        if (row >= FirstRow) rows.push_back(row);
        return 0;
    });
    for (int r : rows) ClearRowContents(r);
}

void T_StringGrid::ClearColContents(int ACol) {
    if (ACol < 0) return;
    for (int r = rows_.Lists().Count() - 1; r >= 0; --r) {
        T_StringSparseList* list = RowList(r);
        if (!list) continue;
        auto* lto = dynamic_cast<TLongTextObject2*>(list->GetObject(ACol));
        if (!list->GetObject(ACol) && list->Get(ACol).empty()) continue;
        SetObjects(ACol, r, nullptr);
        if (lto) FreeSecondLineObject(lto);
        SetCell(ACol, r, std::string());
    }
}

void T_StringGrid::MoveRowContents(int FromRow, int ToRow) {
    if (FromRow < 0 || ToRow < 0) RaiseSparseListIndexError();
    if (FromRow == ToRow) return;
    auto* moving = static_cast<T_StringSparseList*>(rows_.Lists().Get(FromRow));
    auto* old = static_cast<T_StringSparseList*>(rows_.Lists().Get(ToRow));
    rows_.Lists().Put(ToRow, moving);
    rows_.Lists().Put(FromRow, nullptr);
    rows_.ReleaseRowList(old);
    if (EventsEnabled()) {
        InvalidateRow(FromRow);
        InvalidateRow(ToRow);
    }
}

// ---------------------------------------------------------------- structure

void T_StringGrid::DeleteRow(int ARow) {
    // The editor closes while its row is still there: its text goes with it.
    if (EditorMode()) HideEdit();
    const int last = RowCount() - 1;
    MoveRow(ARow, last);
    // The row that falls off is emptied, so a later RowCount + 1 shows an
    // empty row rather than the deleted one.
    auto* list = static_cast<T_StringSparseList*>(rows_.Lists().Get(last));
    rows_.Lists().Put(last, nullptr);
    rows_.ReleaseRowList(list);
    SetRowCount(last);
    InvalidateGrid();
}

void T_StringGrid::DeleteColumn(int ACol) {
    if (EditorMode()) HideEdit();
    const int last = ColCount() - 1;
    MoveColumn(ACol, last);
    std::vector<T_StringSparseList*> lists;
    rows_.Lists().ForAll([&](int, void* item) {
        lists.push_back(static_cast<T_StringSparseList*>(item));
        return 0;
    });
    for (T_StringSparseList* list : lists) {
        auto* lto = dynamic_cast<TLongTextObject2*>(list->GetObject(last));
        list->PutObject(last, nullptr);
        list->Put(last, std::string());
        if (lto) FreeSecondLineObject(lto);
    }
    SetColCount(last);
    InvalidateGrid();
}

void T_StringGrid::ColumnMoved(int FromIndex, int ToIndex) {
    rows_.Lists().ForAll([&](int, void* item) {
        static_cast<T_StringSparseList*>(item)->Move(FromIndex, ToIndex);
        return 0;
    });
    InvalidateGrid();
    T_DrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void T_StringGrid::RowMoved(int FromIndex, int ToIndex) {
    rows_.Lists().Move(FromIndex, ToIndex);
    InvalidateGrid();
    T_DrawGrid::RowMoved(FromIndex, ToIndex);
}

// ---------------------------------------------------------------- editing and drawing

std::string T_StringGrid::GetEditText(bool Second, int ACol, int ARow) {
    std::string value = GetCell(Second ? -2 : ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
    return value;
}

bool T_StringGrid::SetEditText(bool Second, int ACol, int ARow, const std::string& Value) {
    bool equal = true;
    {
        // Lowered on every path, also when SetCell raises.
        ScopedCounter writing(edit_update_);
        const int col = Second ? -2 : ACol;
        if (GetCell(col, ARow) != Value) {
            SetCell(col, ARow, Value);
            equal = false;
        }
    }
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
    return equal;
}

// ---------------------------------------------------------------- the second-line editor's keys

int T_StringGrid::SecondLineFitHeight(int ARow) {
    const int lineHeight = DefaultRowHeight();
    const int twoLines = 2 * lineHeight;
    TI_InplaceSecondEdit* editor = InplaceSecondEdit();
    const bool editing = EditorMode() && InplaceSecond() && InplaceRow() == ARow && editor &&
                         InplaceEditor() == static_cast<IInplaceEditor*>(editor);
    const std::string text = editing ? editor->GetText() : GetCell(-2, ARow);
    const RECT area = SecondLineRect(ARow);
    // The text's room as DrawSecondLine gives it: 3 pixels in on the left,
    // 2 on the right, one above and below.
    const int width = static_cast<int>(area.right - area.left) - 5;
    if (text.empty() || width <= 0) return twoLines;
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas().Font().Assign(&SecondFont());
    RECT r{0, 0, width, 0};
    measure.Canvas().DrawText(text, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    const long long needed = static_cast<long long>(lineHeight) + 1 + (r.bottom - r.top) + 2;
    return static_cast<int>(std::clamp<long long>(needed, twoLines, 1 << 20));
}

void T_StringGrid::SecondLineEditorKey(WORD Key) {
    TI_InplaceSecondEdit* editor = InplaceSecondEdit();
    if (!editor || !EditorMode() || !InplaceSecond() || InplaceEditor() != static_cast<IInplaceEditor*>(editor)) return;
    const int row = InplaceRow();
    if (row < 0 || row >= RowCount()) return;
    // The row-height rule re-places the open editor on the new area.
    SetRowHeight(row, SecondLineFitHeight(row));
    if (Key == VK_F4 && !editor->ReadOnly() && !IsBeingFreed()) LongTextRequest(row);
}

void T_StringGrid::LongTextRequest(int ARow) {
    if (!OnLongTextRequest || ARow < 0) return;
    const std::string before = GetCell(-2, ARow);
    std::string text = before;
    OnLongTextRequest(this, ARow, text);
    if (IsBeingFreed() || text == before) return;
    SetEditText(true, Col(), ARow, text);
    // The open second-line editor of the row shows the answer.
    if (EditorMode() && InplaceSecond() && InplaceRow() == ARow) ReloadEditorText();
}

void T_StringGrid::DrawCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State) {
    if (DefaultDrawing()) Canvas().TextRect(Rect, Rect.left + 2, Rect.top + 2, GetCell(ACol, ARow));
    T_DrawGrid::DrawCell(ACol, ARow, Rect, State);
}

void T_StringGrid::DrawSecondLine(int ARow, const RECT& Rect) {
    if (!DefaultDrawing() || !UseSecondLine()) return;
    const std::string text = GetCell(-2, ARow);
    if (text.empty()) return;
    TCanvas& c = Canvas();
    c.Font().Assign(&SecondFont());
    c.Brush().SetStyle(bsClear);
    RECT r{Rect.left + 3, Rect.top + 1, Rect.right - 2, Rect.bottom - 1};
    c.DrawText(text, r, DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
    c.Brush().SetStyle(bsSolid);
}
