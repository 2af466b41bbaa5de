#include "grids/grid_rows.h"

#include <algorithm>
#include <stdexcept>
#include <typeinfo>

#include "grids/string_sparse_list.h"

namespace {

// The object as a second-line store, or nullptr; the exact class is checked
// first, as nearly every such object is one.
TLongTextObject2* AsSecondLine(TObject* Object) {
    if (!Object) return nullptr;
    if (typeid(*Object) == typeid(TLongTextObject2)) return static_cast<TLongTextObject2*>(Object);
    return dynamic_cast<TLongTextObject2*>(Object);
}

}  // namespace

TSPAQuantum GridListQuantum(int Count, int SmallLimit) {
    return Count > SmallLimit ? TSPAQuantum::SPALarge : TSPAQuantum::SPASmall;
}

T_GridRows::T_GridRows(int RowCount) : lists_(std::make_unique<T_SparseList>(GridListQuantum(RowCount, 256))) {
    second_lines_.Reserve(100);
}

T_GridRows::~T_GridRows() { FreeAll(); }

void T_GridRows::FreeAll() {
    for (TLongTextObject2* o : second_lines_.TakeAll()) {
        o->ReleaseData();
        o->Free();
    }
    lists_->ForAll([](int, void* item) {
        delete static_cast<T_StringSparseList*>(item);
        return 0;
    });
    lists_->Clear();
    arena_.Drop();
    last_row_made_ = -1;
}

// ---------------------------------------------------------------- second-line stores

void T_GridRows::SecondLineObjects::Add(TLongTextObject2* Object) {
    items_.push_back(Object);
    ++live_;
}

bool T_GridRows::SecondLineObjects::Contains(const TLongTextObject2* Object) const {
    return Object && std::find(items_.begin(), items_.end(), Object) != items_.end();
}

bool T_GridRows::SecondLineObjects::Remove(TLongTextObject2* Object) {
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

void T_GridRows::SecondLineObjects::Pack() const {
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

TLongTextObject2* T_GridRows::SecondLineObjects::At(int Index) const {
    Pack();
    if (Index < 0) throw std::out_of_range("SecondLineObject");
    return items_.at(static_cast<size_t>(Index));
}

std::vector<TLongTextObject2*> T_GridRows::SecondLineObjects::TakeAll() {
    Pack();
    std::vector<TLongTextObject2*> all;
    all.swap(items_);
    gaps_ = hint_ = 0;
    live_ = 0;
    return all;
}

TLongTextObject2* T_GridRows::SecondLineOf(int ARow) const { return AsSecondLine(Objects(0, ARow)); }

TLongTextObject2* T_GridRows::EnsureSecondLine(int ARow, int ColCount, TObject* Grid, TCustomL2DataClass DataClass) {
    T_StringSparseList* list = EnsureRowList(ARow, ColCount);
    if (TObject* current = list->GetObject(0)) return dynamic_cast<TLongTextObject2*>(current);
    auto* o = CreatePlaced<TLongTextObject2>(&arena_, Grid, DataClass, &arena_);
    try {
        second_lines_.Add(o);
    } catch (...) {
        o->Free();
        throw;
    }
    list->PutObject(0, o);
    return o;
}

void T_GridRows::FreeSecondLine(TLongTextObject2* Object) {
    if (!second_lines_.Remove(Object)) return;
    Object->ReleaseData();
    Object->Free();
}

void T_GridRows::ReleaseRowList(T_StringSparseList* List) {
    if (!List) return;
    std::vector<TLongTextObject2*> owned;
    List->ForAll([&](int, const std::string&, TObject* o) {
        if (auto* lto = dynamic_cast<TLongTextObject2*>(o)) owned.push_back(lto);
        return 0;
    });
    delete List;
    for (TLongTextObject2* o : owned) FreeSecondLine(o);
}

// ---------------------------------------------------------------- cell lists

T_StringSparseList* T_GridRows::RowList(int ARow) const {
    if (ARow < 0) return nullptr;  // no row list exists for a negative row
    return static_cast<T_StringSparseList*>(lists_->Get(ARow));
}

T_StringSparseList* T_GridRows::EnsureRowList(int ARow, int ColCount) {
    if (ARow < 0) RaiseSparseListIndexError();
    if (T_StringSparseList* list = RowList(ARow)) return list;
    // Rows are mostly filled one after the other and look alike: the row
    // made before tells how much room this one will need, so that a load
    // neither grows each row several times nor leaves much unused. The room
    // comes with the list in one allocation.
    int entries = std::clamp(ColCount, 0, 64);
    size_t text = static_cast<size_t>(entries) * 8;
    const T_StringSparseList* previous = last_row_made_ != ARow ? RowList(last_row_made_) : nullptr;
    if (previous && previous->StoredEntries() > 0) {
        const size_t used = previous->StoredTextBytes();
        entries = std::min(previous->StoredEntries() + 1, 64);
        text = used + used / 4 + 8;
    }
    std::unique_ptr<T_StringSparseList> list(
        T_StringSparseList::NewWithRoom(GridListQuantum(ColCount, 512), entries, text, &arena_));
    lists_->Put(ARow, list.get());
    last_row_made_ = ARow;
    return list.release();
}

void T_GridRows::StoreTexts(int ARow, int ColCount, const std::pair<int, std::string_view>* Cells, size_t Count) {
    if (ARow < 0) RaiseSparseListIndexError();
    T_StringSparseList* list = RowList(ARow);
    if (!list) {
        int entries = 0;
        size_t bytes = 0;
        for (size_t i = 0; i < Count; ++i) {
            entries += !Cells[i].second.empty();
            bytes += T_StringSparseList::TextRoom(Cells[i].second.size());
        }
        if (entries == 0) return;  // nothing would be stored
        std::unique_ptr<T_StringSparseList> made(
            T_StringSparseList::NewWithRoom(GridListQuantum(ColCount, 512), entries, bytes, &arena_));
        lists_->Put(ARow, made.get());
        list = made.release();
    }
    if (!list->FillEmpty(Cells, Count))
        for (size_t i = 0; i < Count; ++i) list->PutText(Cells[i].first, Cells[i].second);
}

std::string T_GridRows::GetCell(int ACol, int ARow) const {
    std::string scratch;
    return std::string(CellText(ACol, ARow, scratch));
}

std::string_view T_GridRows::CellText(int ACol, int ARow, std::string& Scratch) const {
    if (ACol == -1) return {};
    if (ACol == -2) {
        auto* o = SecondLineOf(ARow);
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

void T_GridRows::RowTextViews(int ARow, const int* Cols, size_t Count, std::string_view* Texts) const {
    const T_StringSparseList* list = RowList(ARow);
    if (!list) {
        for (size_t i = 0; i < Count; ++i) Texts[i] = std::string_view();
        return;
    }
    list->GetTexts(Cols, Count, Texts);
}

TObject* T_GridRows::Objects(int ACol, int ARow) const {
    T_StringSparseList* list = RowList(ARow);
    return list ? list->GetObject(ACol) : nullptr;
}
