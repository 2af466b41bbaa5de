#include "grids/string_grid.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <typeinfo>

#include "framework/scoped_state.h"
#include "grids/grid_messages.h"
#include "grids/string_grid_strings.h"
#include "grids/string_sparse_list.h"

namespace {

// The object as a second-line store, or nullptr; the exact class is checked
// first, as nearly every such object is one.
TLongTextObject2* AsSecondLine(TObject* Object) {
    if (!Object) return nullptr;
    if (typeid(*Object) == typeid(TLongTextObject2)) return static_cast<TLongTextObject2*>(Object);
    return dynamic_cast<TLongTextObject2*>(Object);
}

TSPAQuantum QuantumFor(int Count, int SmallLimit) {
    return Count > SmallLimit ? TSPAQuantum::SPALarge : TSPAQuantum::SPASmall;
}

}  // namespace

T_StringGrid::T_StringGrid(TComponent* AOwner) : T_DrawGrid(AOwner) {
    second_objects_.Reserve(100);
    data_ = std::make_unique<T_SparseList>(QuantumFor(RowCount(), 256));
    row_views_ = std::make_unique<T_SparseList>(QuantumFor(RowCount(), 256));
    col_views_ = std::make_unique<T_SparseList>(QuantumFor(ColCount(), 512));
}

T_StringGrid::~T_StringGrid() { FreeAllData(); }

void T_StringGrid::BeforeDestruction() {
    // The window and the editors go first (they may still write cells);
    // the second-line objects and the cells after them.
    T_DrawGrid::BeforeDestruction();
    FreeAllData();
}

void T_StringGrid::FreeAllData() {
    for (TLongTextObject2* o : second_objects_.TakeAll()) {
        o->ReleaseData();
        o->Free();
    }
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
    if (data_) {
        data_->ForAll([](int, void* item) {
            delete static_cast<T_StringSparseList*>(item);
            return 0;
        });
        data_->Clear();
    }
}

// ---------------------------------------------------------------- second-line objects

void T_StringGrid::SecondLineObjects::Add(TLongTextObject2* Object) {
    items_.push_back(Object);
    ++live_;
}

bool T_StringGrid::SecondLineObjects::Contains(const TLongTextObject2* Object) const {
    return Object && std::find(items_.begin(), items_.end(), Object) != items_.end();
}

bool T_StringGrid::SecondLineObjects::Remove(TLongTextObject2* Object) {
    if (!Object || items_.empty()) return false;
    // Outwards from where the last one was taken: rows are mostly emptied in
    // order, forwards or backwards.
    const size_t n = items_.size();
    const size_t start = std::min(hint_, n - 1);
    size_t found = n;
    for (size_t d = 0; d < n && found == n; ++d) {
        if (start + d < n && items_[start + d] == Object) found = start + d;
        else if (d > 0 && d <= start && items_[start - d] == Object) found = start - d;
        else if (start + d >= n && d > start) break;
    }
    if (found == n) return false;
    items_[found] = nullptr;
    ++gaps_;
    --live_;
    hint_ = found;
    if (gaps_ > 64 && gaps_ * 2 > items_.size()) Pack();
    return true;
}

void T_StringGrid::SecondLineObjects::Pack() const {
    if (gaps_ == 0) return;
    size_t out = 0, hint = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (i == hint_) hint = out;
        if (items_[i]) items_[out++] = items_[i];
    }
    items_.resize(out);
    gaps_ = 0;
    hint_ = hint;
}

TLongTextObject2* T_StringGrid::SecondLineObjects::At(int Index) const {
    Pack();
    if (Index < 0) throw std::out_of_range("SecondLineObject");
    return items_.at(static_cast<size_t>(Index));
}

std::vector<TLongTextObject2*> T_StringGrid::SecondLineObjects::TakeAll() {
    Pack();
    std::vector<TLongTextObject2*> all;
    all.swap(items_);
    gaps_ = hint_ = 0;
    live_ = 0;
    return all;
}

// ---------------------------------------------------------------- storage

T_StringSparseList* T_StringGrid::RowList(int ARow) const {
    if (ARow < 0 || !data_) return nullptr;  // no row list exists for a negative row
    return static_cast<T_StringSparseList*>(data_->Get(ARow));
}

T_StringSparseList* T_StringGrid::EnsureRowList(int ARow) {
    if (ARow < 0) RaiseSparseListIndexError();
    if (T_StringSparseList* list = RowList(ARow)) return list;
    // Rows are mostly filled one after the other and look alike: the row
    // made before tells how much room this one will need, so that a load
    // neither grows each row several times nor leaves much unused. The room
    // comes with the list in one allocation.
    int entries = std::clamp(ColCount(), 0, 64);
    size_t text = static_cast<size_t>(entries) * 8;
    const T_StringSparseList* previous = last_row_made_ != ARow ? RowList(last_row_made_) : nullptr;
    if (previous && previous->StoredEntries() > 0) {
        const size_t used = previous->StoredTextBytes();
        entries = std::min(previous->StoredEntries() + 1, 64);
        text = used + used / 4 + 8;
    }
    std::unique_ptr<T_StringSparseList> list(
        T_StringSparseList::NewWithRoom(QuantumFor(ColCount(), 512), entries, text));
    data_->Put(ARow, list.get());
    last_row_made_ = ARow;
    return list.release();
}

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

std::string T_StringGrid::GetCell(int ACol, int ARow) const {
    if (ACol == -1) return {};
    if (ACol == -2) {
        auto* o = AsSecondLine(Objects(0, ARow));
        if (!o) return {};
        std::string s = o->Text();
        if (s.size() >= 2 && s[s.size() - 2] == '\r' && s[s.size() - 1] == '\n') s.resize(s.size() - 2);
        return s;
    }
    T_StringSparseList* list = RowList(ARow);
    if (!list) return {};
    return list->Get(ACol);
}

std::string_view T_StringGrid::CellText(int ACol, int ARow, std::string& Scratch) const {
    if (ACol == -1) return {};
    if (ACol == -2) {
        auto* o = AsSecondLine(Objects(0, ARow));
        if (!o) return {};
        std::string_view s;
        if (!o->TextView(s)) {
            Scratch = o->Text();
            s = Scratch;
        }
        if (s.size() >= 2 && s[s.size() - 2] == '\r' && s[s.size() - 1] == '\n') s.remove_suffix(2);
        return s;
    }
    T_StringSparseList* list = RowList(ARow);
    if (!list) return {};
    return list->GetText(ACol);
}

void T_StringGrid::RowTextViews(int ARow, const int* Cols, size_t Count, std::string_view* Texts) const {
    const T_StringSparseList* list = RowList(ARow);
    if (!list) {
        for (size_t i = 0; i < Count; ++i) Texts[i] = std::string_view();
        return;
    }
    list->GetTexts(Cols, Count, Texts);
}

TLongTextObject2* T_StringGrid::NewSecondLineObject() {
    auto* o = Create<TLongTextObject2>(static_cast<TObject*>(this), l2_data_class_);
    try {
        second_objects_.Add(o);
    } catch (...) {
        o->Free();
        throw;
    }
    return o;
}

void T_StringGrid::SetCell(int ACol, int ARow, const std::string& Value) {
    if (ACol == -1) return;
    if (ACol == -2) {
        TObject* current = Objects(0, ARow);
        TLongTextObject2* lto = nullptr;
        if (!current) {
            lto = NewSecondLineObject();
        } else {
            lto = dynamic_cast<TLongTextObject2*>(current);
            if (!lto) throw EInvalidCast(GridMessages::InvalidTypeCast);
        }
        if (UseSecondLine()) lto->SetText(Value);
        if (Value.empty() || !UseSecondLine()) SetRowHeight(ARow, DefaultRowHeight());
        T_StringSparseList* list = EnsureRowList(ARow);
        list->PutObject(0, lto);
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
    if (ARow < 0) RaiseSparseListIndexError();
    T_StringSparseList* list = RowList(ARow);
    if (!list) {
        int entries = 0;
        size_t bytes = 0;
        for (size_t i = 0; i < Count; ++i) {
            entries += !Cells[i].second.empty();
            bytes += Cells[i].second.size();
        }
        if (entries == 0) return;  // nothing would be stored
        std::unique_ptr<T_StringSparseList> made(
            T_StringSparseList::NewWithRoom(QuantumFor(ColCount(), 512), entries, bytes));
        data_->Put(ARow, made.get());
        list = made.release();
    }
    if (!list->FillEmpty(Cells, Count))
        for (size_t i = 0; i < Count; ++i) list->PutText(Cells[i].first, Cells[i].second);
    // As CellChanged for each cell, with the row repainted once.
    if (!EventsEnabled()) return;
    if (strings_updating_)
        needs_repaint_ = true;
    else
        InvalidateRow(ARow);
    for (size_t i = 0; i < Count; ++i) RefreshEditorAt(Cells[i].first, ARow);
}

TObject* T_StringGrid::Objects(int ACol, int ARow) const {
    T_StringSparseList* list = RowList(ARow);
    return list ? list->GetObject(ACol) : nullptr;
}

TLongTextObject2* T_StringGrid::SecondLineOf(int ARow) const { return AsSecondLine(Objects(0, ARow)); }

void T_StringGrid::SetObjects(int ACol, int ARow, TObject* AObject) {
    if (auto* lto = dynamic_cast<TLongTextObject2*>(AObject)) {
        // A second-line object belongs to exactly one row of this grid.
        const bool owned = second_objects_.Contains(lto);
        bool elsewhere = false;
        if (owned && ACol == 0) {
            data_->ForAll([&](int row, void* item) {
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

void T_StringGrid::FreeSecondLineObject(TLongTextObject2* Object) {
    if (!second_objects_.Remove(Object)) return;
    Object->ReleaseData();
    Object->Free();
}

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
    data_->ForAll([&](int row, void*) {
        if (row >= FirstRow) rows.push_back(row);
        return 0;
    });
    for (int r : rows) ClearRowContents(r);
}

void T_StringGrid::ClearColContents(int ACol) {
    if (ACol < 0) return;
    for (int r = data_->Count() - 1; r >= 0; --r) {
        T_StringSparseList* list = RowList(r);
        if (!list) continue;
        auto* lto = dynamic_cast<TLongTextObject2*>(list->GetObject(ACol));
        if (!list->GetObject(ACol) && list->Get(ACol).empty()) continue;
        SetObjects(ACol, r, nullptr);
        if (lto) FreeSecondLineObject(lto);
        SetCell(ACol, r, std::string());
    }
}

void T_StringGrid::ReleaseRowList(T_StringSparseList* List) {
    if (!List) return;
    std::vector<TLongTextObject2*> owned;
    List->ForAll([&](int, const std::string&, TObject* o) {
        if (auto* lto = dynamic_cast<TLongTextObject2*>(o)) owned.push_back(lto);
        return 0;
    });
    delete List;
    for (TLongTextObject2* o : owned) FreeSecondLineObject(o);
}

void T_StringGrid::MoveRowContents(int FromRow, int ToRow) {
    if (FromRow < 0 || ToRow < 0) RaiseSparseListIndexError();
    if (FromRow == ToRow) return;
    auto* moving = static_cast<T_StringSparseList*>(data_->Get(FromRow));
    auto* old = static_cast<T_StringSparseList*>(data_->Get(ToRow));
    data_->Put(ToRow, moving);
    data_->Put(FromRow, nullptr);
    ReleaseRowList(old);
    if (EventsEnabled()) {
        InvalidateRow(FromRow);
        InvalidateRow(ToRow);
    }
}

// ---------------------------------------------------------------- structure

void T_StringGrid::DeleteRow(int ARow) {
    const int last = RowCount() - 1;
    MoveRow(ARow, last);
    // The row that falls off is emptied, so a later RowCount + 1 shows an
    // empty row rather than the deleted one.
    auto* list = static_cast<T_StringSparseList*>(data_->Get(last));
    data_->Put(last, nullptr);
    ReleaseRowList(list);
    SetRowCount(last);
    InvalidateGrid();
}

void T_StringGrid::DeleteColumn(int ACol) {
    const int last = ColCount() - 1;
    MoveColumn(ACol, last);
    std::vector<T_StringSparseList*> lists;
    data_->ForAll([&](int, void* item) {
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
    data_->ForAll([&](int, void* item) {
        static_cast<T_StringSparseList*>(item)->Move(FromIndex, ToIndex);
        return 0;
    });
    InvalidateGrid();
    T_DrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void T_StringGrid::RowMoved(int FromIndex, int ToIndex) {
    data_->Move(FromIndex, ToIndex);
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
