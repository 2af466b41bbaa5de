#include "grids/string_sparse_list.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "framework/list_messages.h"

T_StringSparseList::T_StringSparseList(TSPAQuantum Quantum) : quantum_(Quantum) {}

T_StringSparseList::~T_StringSparseList() = default;

void T_StringSparseList::Changed() {
    if (OnChange) OnChange(this);
}

void T_StringSparseList::Error() {
    throw EStringSparseListError(SPutObjectError);
}

// The positions a sparse list of this quantum can hold.
int T_StringSparseList::Capacity() const {
    return TSparsePointerArray::MaxSections << (quantum_ == TSPAQuantum::SPASmall ? 4 : 8);
}

void T_StringSparseList::CheckStoreIndex(int Index) const {
    if (Index < 0 || Index >= Capacity()) RaiseSparseListIndexError();
}

size_t T_StringSparseList::LowerBound(int Index) const {
    // Cells are mostly written left to right: try the end first.
    if (entries_.empty() || entries_.back().index < Index) return entries_.size();
    auto it = std::lower_bound(entries_.begin(), entries_.end(), Index,
                               [](const Entry& e, int i) { return e.index < i; });
    return static_cast<size_t>(it - entries_.begin());
}

const T_StringSparseList::Entry* T_StringSparseList::Find(int Index) const {
    if (Index < 0) RaiseSparseListIndexError();
    const size_t pos = LowerBound(Index);
    return pos < entries_.size() && entries_[pos].index == Index ? &entries_[pos] : nullptr;
}

T_StringSparseList::Entry* T_StringSparseList::Find(int Index) {
    return const_cast<Entry*>(static_cast<const T_StringSparseList*>(this)->Find(Index));
}

void T_StringSparseList::SetObjectOf(Entry& E, TObject* AObject) {
    if (E.object) {
        Slot(E.object) = AObject;
        if (!AObject) E.object = 0;  // the slot is free again
        return;
    }
    if (!AObject) return;
    if (!first_object_) {
        first_object_ = AObject;
        E.object = 1;
        return;
    }
    auto free_slot = std::find(objects_.begin(), objects_.end(), nullptr);
    if (free_slot == objects_.end()) {
        objects_.push_back(AObject);
        E.object = static_cast<uint32_t>(objects_.size()) + 1;
    } else {
        *free_slot = AObject;
        E.object = static_cast<uint32_t>(free_slot - objects_.begin()) + 2;
    }
}

// A text that fits the old place is written over it; a longer one goes to
// the end of the buffer, which is packed when mostly unused.
void T_StringSparseList::SetText(Entry& E, std::string_view Text) {
    if (Text.size() <= E.size) {
        if (!Text.empty()) std::memcpy(text_.data() + E.offset, Text.data(), Text.size());
        garbage_ += E.size - Text.size();
        E.size = static_cast<uint32_t>(Text.size());
        return;
    }
    garbage_ += E.size;
    E.size = 0;
    if (garbage_ > 256 && garbage_ > text_.size() / 2) Compact();
    if (text_.size() + Text.size() > std::numeric_limits<uint32_t>::max())
        throw std::length_error("T_StringSparseList: texts too long");
    if (text_.capacity() < 64) text_.reserve(64);
    E.offset = static_cast<uint32_t>(text_.size());
    text_.append(Text);
    E.size = static_cast<uint32_t>(Text.size());
}

void T_StringSparseList::Compact() {
    std::string packed;
    packed.reserve(text_.size() - garbage_);
    for (Entry& e : entries_) {
        const uint32_t offset = static_cast<uint32_t>(packed.size());
        packed.append(TextOf(e));
        e.offset = offset;
    }
    text_.swap(packed);
    garbage_ = 0;
}

T_StringSparseList::Entry& T_StringSparseList::InsertEntry(int Index) {
    const size_t pos = LowerBound(Index);
    if (entries_.capacity() == 0) entries_.reserve(8);
    Entry fresh;
    fresh.index = Index;
    fresh.offset = static_cast<uint32_t>(text_.size());
    return *entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(pos), fresh);
}

void T_StringSparseList::EraseEntry(size_t Pos) {
    Entry& e = entries_[Pos];
    garbage_ += e.size;
    if (e.object) Slot(e.object) = nullptr;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(Pos));
    if (entries_.empty()) {
        // Nothing left: give the buffers back.
        std::string().swap(text_);
        std::vector<TObject*>().swap(objects_);
        first_object_ = nullptr;
        garbage_ = 0;
    }
}

void T_StringSparseList::ReservePositions(int Count) {
    // Bounded: a hint from a very wide grid must not cost much per row.
    const size_t n = static_cast<size_t>(std::clamp(Count, 0, 64));
    if (entries_.capacity() < n) entries_.reserve(n);
    if (text_.capacity() < n * 8) text_.reserve(n * 8);
}

std::string T_StringSparseList::Get(int Index) const {
    const Entry* e = Find(Index);
    return e ? std::string(TextOf(*e)) : std::string();
}

int T_StringSparseList::GetCount() const { return count_; }

TObject* T_StringSparseList::GetObject(int Index) const {
    const Entry* e = Find(Index);
    return e ? ObjectOf(*e) : nullptr;
}

void T_StringSparseList::Put(int Index, const std::string& S) {
    Entry* e = Find(Index);
    const bool keep = !S.empty() || (e && e->object);
    CheckStoreIndex(Index);
    if (!keep) {
        if (e) EraseEntry(static_cast<size_t>(e - entries_.data()));
    } else {
        if (!e) e = &InsertEntry(Index);
        SetText(*e, S);
    }
    count_ = HighBound() + 1;
    Changed();
}

void T_StringSparseList::PutObject(int Index, TObject* AObject) {
    if (Entry* e = Find(Index)) {
        SetObjectOf(*e, AObject);
    } else if (AObject) {
        CheckStoreIndex(Index);
        SetObjectOf(InsertEntry(Index), AObject);
        count_ = HighBound() + 1;
    }
    Changed();
}

T_StringSparseList::Taken T_StringSparseList::TakeAt(int Index) {
    Taken item;
    if (Index < 0) RaiseSparseListIndexError();
    const size_t pos = LowerBound(Index);
    if (pos < entries_.size() && entries_[pos].index == Index) {
        item.present = true;
        item.text.assign(TextOf(entries_[pos]));
        item.object = ObjectOf(entries_[pos]);
    }
    return item;
}

// Only 0 <= Index < Count; the entries behind move one down.
void T_StringSparseList::ListDelete(int Index) {
    if (Index < 0 || Index >= count_) return;
    size_t pos = LowerBound(Index);
    if (pos < entries_.size() && entries_[pos].index == Index) EraseEntry(pos);
    for (size_t i = LowerBound(Index); i < entries_.size(); ++i) --entries_[i].index;
    --count_;
}

void T_StringSparseList::ListInsert(int Index, Taken Item) {
    CheckStoreIndex(Index);
    if (std::max(Index, count_) >= Capacity()) RaiseSparseListIndexError();
    for (size_t i = LowerBound(Index); i < entries_.size(); ++i) ++entries_[i].index;
    if (Item.present) {
        Entry& e = InsertEntry(Index);
        SetText(e, Item.text);
        SetObjectOf(e, Item.object);
    }
    if (Index > count_) count_ = Index;
    ++count_;
}

void T_StringSparseList::Insert(int Index, const std::string& S) {
    Taken item;
    item.present = true;
    item.text = S;
    ListInsert(Index, std::move(item));
    Changed();
}

void T_StringSparseList::Delete(int Index) {
    if (Index < 0) RaiseSparseListIndexError();
    ListDelete(Index);
    Changed();
}

void T_StringSparseList::Exchange(int Index1, int Index2) {
    CheckStoreIndex(Index1);
    CheckStoreIndex(Index2);
    if (Index1 == Index2) return;
    Entry* a = Find(Index1);
    Entry* b = Find(Index2);
    if (a) a->index = Index2;
    if (b) b->index = Index1;
    if (a || b)
        std::sort(entries_.begin(), entries_.end(), [](const Entry& x, const Entry& y) { return x.index < y.index; });
    // Both positions stay part of the list.
    count_ = std::max(count_, HighBound() + 1);
}

// The entry itself travels, so its object goes with its text.
void T_StringSparseList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    if (CurIndex < 0) RaiseSparseListIndexError();
    CheckStoreIndex(NewIndex);
    // Check the insert before the delete so that a failure changes nothing.
    const int count_after_delete = CurIndex < count_ ? count_ - 1 : count_;
    if (std::max(NewIndex, count_after_delete) >= Capacity()) RaiseSparseListIndexError();
    Taken item = TakeAt(CurIndex);
    ListDelete(CurIndex);
    ListInsert(NewIndex, std::move(item));
    Changed();
}

void T_StringSparseList::Clear() {
    std::vector<Entry>().swap(entries_);
    std::vector<TObject*>().swap(objects_);
    first_object_ = nullptr;
    std::string().swap(text_);
    garbage_ = 0;
    count_ = 0;
    Changed();
}

int T_StringSparseList::ForAll(const TStringSparseApply& Apply) const {
    // By position, looked up afresh each time, so that a callback changing
    // the list does not leave the walk on a stale entry.
    int next = 0;
    for (;;) {
        const size_t pos = LowerBound(next);
        if (pos >= entries_.size()) return 0;
        const Entry& e = entries_[pos];
        const int index = e.index;
        const std::string text(TextOf(e));
        const int result = Apply(index, text, ObjectOf(e));
        if (result != 0) return result;
        if (index == std::numeric_limits<int>::max()) return 0;
        next = index + 1;
    }
}
