#include "grids/string_sparse_list.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#include "framework/list_messages.h"

T_StringSparseList::T_StringSparseList(TSPAQuantum Quantum) : quantum_(Quantum) {}

T_StringSparseList::~T_StringSparseList() {
    if (!inline_block_) delete[] block_;
}

size_t T_StringSparseList::BlockBytes(size_t EntryCapacity, size_t TextCapacity) {
    if (TextCapacity > std::numeric_limits<uint32_t>::max() ||
        EntryCapacity * sizeof(Entry) + TextCapacity > std::numeric_limits<uint32_t>::max())
        throw std::length_error("T_StringSparseList: texts too long");
    return EntryCapacity * sizeof(Entry) + TextCapacity;
}

T_StringSparseList* T_StringSparseList::NewWithRoom(TSPAQuantum Quantum, int Entries, size_t TextBytes,
                                                    T_BlockArena* Arena) {
    static_assert(sizeof(T_StringSparseList) % alignof(Entry) == 0);
    static_assert(alignof(T_StringSparseList) <= T_BlockArena::kAlignment);
    const size_t entries = static_cast<size_t>(std::max(Entries, 0));
    const size_t bytes = BlockBytes(entries, TextBytes);
    void* memory = T_BlockArena::NewBlock(sizeof(T_StringSparseList) + bytes, Arena);
    auto* list = new (memory) T_StringSparseList(Quantum);  // the constructor does not throw
    if (bytes > 0) {
        list->block_ = static_cast<char*>(memory) + sizeof(T_StringSparseList);
        list->inline_block_ = true;
        list->entry_capacity_ = static_cast<uint32_t>(entries);
        list->text_capacity_ = static_cast<uint32_t>(TextBytes);
    }
    return list;
}

void T_StringSparseList::Changed() {
    OnChange(this);
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
    const Entry* e = Entries();
    if (entry_count_ == 0 || e[entry_count_ - 1].index < Index) return entry_count_;
    const Entry* it =
        std::lower_bound(e, e + entry_count_, Index, [](const Entry& x, int i) { return x.index < i; });
    return static_cast<size_t>(it - e);
}

size_t T_StringSparseList::Find(int Index) const {
    if (Index < 0) RaiseSparseListIndexError();
    const Entry* e = Entries();
    const size_t next = size_t{hint_} + 1;
    if (next < entry_count_ && e[hint_].index < Index) {
        // Between the last entry found and the one after it: found, or no
        // entry at all (an empty cell of a row read left to right).
        if (e[next].index == Index) {
            hint_ = static_cast<uint16_t>(next);
            return next;
        }
        if (e[next].index > Index) return std::string::npos;
    }
    const size_t pos = LowerBound(Index);
    if (pos >= entry_count_ || e[pos].index != Index) return std::string::npos;
    hint_ = pos <= UINT16_MAX ? static_cast<uint16_t>(pos) : 0;
    return pos;
}

TObject* T_StringSparseList::ObjectOf(int Index) const {
    if (first_object_index_ == Index) return first_object_;
    if (more_objects_)
        for (const ObjectAt& o : *more_objects_)
            if (o.index == Index) return o.object;
    return nullptr;
}

void T_StringSparseList::SetObjectOf(int Index, TObject* AObject) {
    std::vector<ObjectAt>* more = more_objects_.get();
    if (first_object_index_ == Index) {
        if (AObject) {
            first_object_ = AObject;
        } else if (!more || more->empty()) {
            first_object_index_ = -1;
            first_object_ = nullptr;
        } else {
            first_object_index_ = more->back().index;
            first_object_ = more->back().object;
            more->pop_back();
        }
        return;
    }
    if (more) {
        for (size_t i = 0; i < more->size(); ++i) {
            if ((*more)[i].index != Index) continue;
            if (AObject) {
                (*more)[i].object = AObject;
            } else {
                (*more)[i] = more->back();
                more->pop_back();
            }
            return;
        }
    }
    if (!AObject) return;
    if (first_object_index_ < 0) {
        first_object_index_ = Index;
        first_object_ = AObject;
        return;
    }
    if (!more_objects_) more_objects_ = std::make_unique<std::vector<ObjectAt>>();
    more_objects_->push_back(ObjectAt{Index, AObject});
}

void T_StringSparseList::ShiftObjects(int From, int Delta) {
    if (first_object_index_ >= From) first_object_index_ += Delta;
    if (more_objects_)
        for (ObjectAt& o : *more_objects_)
            if (o.index >= From) o.index += Delta;
}

void T_StringSparseList::ClearObjects() {
    more_objects_.reset();
    first_object_index_ = -1;
    first_object_ = nullptr;
}

size_t T_StringSparseList::SizeOf(const Entry& E) const {
    if (E.short_size != kLongText) return E.short_size;
    uint32_t size;
    std::memcpy(&size, TextArea() + E.offset, sizeof size);
    return size;
}

std::string_view T_StringSparseList::TextOf(const Entry& E) const {
    if (E.short_size != kLongText) return std::string_view(TextArea() + E.offset, E.short_size);
    return std::string_view(TextArea() + E.offset + 4, SizeOf(E));
}

void T_StringSparseList::WriteText(Entry& E, uint32_t Offset, std::string_view Text) {
    char* at = TextArea() + Offset;
    E.offset = Offset;
    if (Text.size() < kLongText) {
        E.short_size = static_cast<uint32_t>(Text.size());
    } else {
        const uint32_t size = static_cast<uint32_t>(Text.size());
        std::memcpy(at, &size, sizeof size);
        at += 4;
        E.short_size = kLongText;
    }
    if (!Text.empty()) std::memcpy(at, Text.data(), Text.size());
}

void T_StringSparseList::Reallocate(uint32_t EntryCapacity, size_t TextCapacity) {
    char* block = new char[BlockBytes(EntryCapacity, TextCapacity)];
    Entry* entries = reinterpret_cast<Entry*>(block);
    char* text = block + size_t{EntryCapacity} * sizeof(Entry);
    uint32_t used = 0;
    const Entry* old = Entries();
    for (uint32_t i = 0; i < entry_count_; ++i) {
        Entry e = old[i];
        const size_t room = TextRoom(SizeOf(e));  // the size word moves along
        if (room) std::memcpy(text + used, TextArea() + e.offset, room);
        e.offset = used;
        used += static_cast<uint32_t>(room);
        entries[i] = e;
    }
    if (!inline_block_) delete[] block_;
    block_ = block;
    inline_block_ = false;
    entry_capacity_ = EntryCapacity;
    text_capacity_ = static_cast<uint32_t>(TextCapacity);
    text_size_ = used;
    garbage_ = 0;
}

void T_StringSparseList::ReleaseBlock() {
    if (inline_block_) {
        // Part of the list's own allocation: kept for reuse.
        entry_count_ = 0;
        text_size_ = garbage_ = 0;
        return;
    }
    delete[] block_;
    block_ = nullptr;
    entry_count_ = entry_capacity_ = 0;
    text_size_ = text_capacity_ = garbage_ = 0;
}

// A text that fits the old place is written over it; a longer one goes to
// the end of the text area, which is packed or grown when full.
void T_StringSparseList::SetText(size_t Pos, std::string_view Text) {
    Entry* e = &Entries()[Pos];
    const size_t old_room = TextRoom(SizeOf(*e));
    const size_t room = TextRoom(Text.size());
    if (room <= old_room) {
        WriteText(*e, e->offset, Text);
        garbage_ += static_cast<uint32_t>(old_room - room);
        return;
    }
    garbage_ += static_cast<uint32_t>(old_room);
    e->short_size = 0;
    if (room > text_capacity_ - text_size_) {
        const size_t live = size_t{text_size_} - garbage_;
        size_t want = live + room;
        // Packing alone does when at least half the area would stay free.
        if (want * 2 > text_capacity_) want = std::max<size_t>({want, size_t{text_capacity_} + text_capacity_ / 2, 32});
        else want = text_capacity_;
        Reallocate(entry_capacity_, want);
        e = &Entries()[Pos];
    }
    WriteText(*e, text_size_, Text);
    text_size_ += static_cast<uint32_t>(room);
}

size_t T_StringSparseList::InsertEntry(int Index) {
    const size_t pos = LowerBound(Index);
    if (entry_count_ == entry_capacity_) {
        const uint32_t grown = std::max<uint32_t>(entry_capacity_ + entry_capacity_ / 2, 4);
        Reallocate(grown, std::max<size_t>(size_t{text_size_} - garbage_, text_capacity_));
    }
    Entry* e = Entries();
    std::memmove(e + pos + 1, e + pos, (entry_count_ - pos) * sizeof(Entry));
    e[pos] = Entry{static_cast<uint32_t>(Index), 0, text_size_};
    ++entry_count_;
    return pos;
}

void T_StringSparseList::EraseEntry(size_t Pos) {
    Entry* e = Entries();
    garbage_ += static_cast<uint32_t>(TextRoom(SizeOf(e[Pos])));
    SetObjectOf(e[Pos].index, nullptr);
    std::memmove(e + Pos, e + Pos + 1, (entry_count_ - Pos - 1) * sizeof(Entry));
    --entry_count_;
    if (entry_count_ == 0) {
        // Nothing left: give the block back.
        ReleaseBlock();
        ClearObjects();
    }
}

void T_StringSparseList::ReserveStorage(int Entries, size_t TextBytes) {
    const uint32_t n = static_cast<uint32_t>(std::max(Entries, 0));
    if (entry_capacity_ >= n && text_capacity_ >= TextBytes) return;
    Reallocate(std::max(entry_capacity_, n), std::max<size_t>(text_capacity_, TextBytes));
}

std::string T_StringSparseList::Get(int Index) const {
    const size_t pos = Find(Index);
    return pos != std::string::npos ? std::string(TextOf(Entries()[pos])) : std::string();
}

std::string_view T_StringSparseList::GetText(int Index) const {
    const size_t pos = Find(Index);
    return pos != std::string::npos ? TextOf(Entries()[pos]) : std::string_view();
}

void T_StringSparseList::GetTexts(const int* Indexes, size_t Count, std::string_view* Texts) const {
    const Entry* e = Entries();
    size_t k = 0;
    int last = -1;
    for (size_t i = 0; i < Count; ++i) {
        const int index = Indexes[i];
        if (index < 0) {
            Texts[i] = std::string_view();
            continue;
        }
        if (index <= last) {  // not ascending: look it up
            Texts[i] = GetText(index);
            continue;
        }
        last = index;
        while (k < entry_count_ && e[k].index < index) ++k;
        Texts[i] = k < entry_count_ && e[k].index == index ? TextOf(e[k]) : std::string_view();
    }
}

int T_StringSparseList::GetCount() const { return count_; }

TObject* T_StringSparseList::GetObject(int Index) const {
    // An object always has its entry, and a list without objects (most grid
    // rows) needs no search.
    if (Index >= 0 && Index == first_object_index_) return first_object_;
    if (Index >= 0 && first_object_index_ < 0 && (!more_objects_ || more_objects_->empty())) return nullptr;
    return Find(Index) != std::string::npos ? ObjectOf(Index) : nullptr;
}

void T_StringSparseList::PutText(int Index, std::string_view S) {
    size_t pos = Find(Index);
    const bool keep = !S.empty() || (pos != std::string::npos && ObjectOf(Index));
    CheckStoreIndex(Index);
    if (!keep) {
        if (pos != std::string::npos) EraseEntry(pos);
    } else {
        if (pos == std::string::npos) pos = InsertEntry(Index);
        SetText(pos, S);
    }
    count_ = HighBound() + 1;
    Changed();
}

void T_StringSparseList::PutObject(int Index, TObject* AObject) {
    if (Find(Index) != std::string::npos) {
        SetObjectOf(Index, AObject);
    } else if (AObject) {
        CheckStoreIndex(Index);
        InsertEntry(Index);
        SetObjectOf(Index, AObject);
        count_ = HighBound() + 1;
    }
    Changed();
}

bool T_StringSparseList::FillEmpty(const std::pair<int, std::string_view>* Texts, size_t Count) {
    if (entry_count_ != 0 || first_object_index_ >= 0) return false;
    int last = -1;
    size_t entries = 0, bytes = 0;
    for (size_t i = 0; i < Count; ++i) {
        if (Texts[i].first <= last || Texts[i].first >= Capacity()) return false;
        last = Texts[i].first;
        entries += !Texts[i].second.empty();
        bytes += TextRoom(Texts[i].second.size());
    }
    if (entries > entry_capacity_ || bytes > size_t{text_capacity_} - text_size_) return false;
    Entry* e = Entries();
    uint32_t at = text_size_;
    for (size_t i = 0; i < Count; ++i) {
        const std::string_view s = Texts[i].second;
        if (s.empty()) continue;
        e->index = static_cast<uint32_t>(Texts[i].first);
        WriteText(*e++, at, s);
        at += static_cast<uint32_t>(TextRoom(s.size()));
    }
    entry_count_ = static_cast<uint32_t>(entries);
    text_size_ = at;
    count_ = HighBound() + 1;
    Changed();
    return true;
}

T_StringSparseList::Taken T_StringSparseList::TakeAt(int Index) {
    Taken item;
    const size_t pos = Find(Index);
    if (pos != std::string::npos) {
        item.present = true;
        item.text.assign(TextOf(Entries()[pos]));
        item.object = ObjectOf(Index);
    }
    return item;
}

// Only 0 <= Index < Count; the entries behind move one down.
void T_StringSparseList::ListDelete(int Index) {
    if (Index < 0 || Index >= count_) return;
    const size_t pos = LowerBound(Index);
    if (pos < entry_count_ && Entries()[pos].index == Index) EraseEntry(pos);
    for (size_t i = LowerBound(Index); i < entry_count_; ++i) --Entries()[i].index;
    ShiftObjects(Index + 1, -1);
    --count_;
}

void T_StringSparseList::ListInsert(int Index, Taken Item) {
    CheckStoreIndex(Index);
    if (std::max(Index, count_) >= Capacity()) RaiseSparseListIndexError();
    for (size_t i = LowerBound(Index); i < entry_count_; ++i) ++Entries()[i].index;
    ShiftObjects(Index, 1);
    if (Item.present) {
        const size_t pos = InsertEntry(Index);
        SetText(pos, Item.text);
        SetObjectOf(Index, Item.object);
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
    const size_t a = Find(Index1);
    const size_t b = Find(Index2);
    if (a != std::string::npos) Entries()[a].index = Index2;
    if (b != std::string::npos) Entries()[b].index = Index1;
    if (a != std::string::npos || b != std::string::npos)
        std::sort(Entries(), Entries() + entry_count_, [](const Entry& x, const Entry& y) { return x.index < y.index; });
    // The objects go with their entries.
    auto swap_index = [&](int& index) {
        if (index == Index1) index = Index2;
        else if (index == Index2) index = Index1;
    };
    swap_index(first_object_index_);
    if (more_objects_)
        for (ObjectAt& o : *more_objects_) swap_index(o.index);
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
    ReleaseBlock();
    ClearObjects();
    count_ = 0;
    Changed();
}

int T_StringSparseList::ForAll(const TStringSparseApply& Apply) const {
    // By position, looked up afresh each time, so that a callback changing
    // the list does not leave the walk on a stale entry.
    int next = 0;
    for (;;) {
        const size_t pos = LowerBound(next);
        if (pos >= entry_count_) return 0;
        const Entry& e = Entries()[pos];
        const int index = e.index;
        const std::string text(TextOf(e));
        const int result = Apply(index, text, ObjectOf(index));
        if (result != 0) return result;
        if (index == std::numeric_limits<int>::max()) return 0;
        next = index + 1;
    }
}
