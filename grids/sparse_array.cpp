#include "grids/sparse_array.h"

#include "framework/exceptions.h"
#include "framework/list_messages.h"

void RaiseSparseListIndexError() {
    throw EListError(SListIndexError);
}

TSparsePointerArray::TSparsePointerArray(TSPAQuantum Quantum)
    : quantum_(Quantum),
      shift_(Quantum == TSPAQuantum::SPASmall ? 4 : 8),
      mask_(Quantum == TSPAQuantum::SPASmall ? 15 : 255) {}

void* TSparsePointerArray::Get(int Index) const {
    if (Index == cache_index_ && Index >= 0) return cache_value_;
    void* value = nullptr;
    if (Index >= 0) {
        size_t section = static_cast<size_t>(Index) >> shift_;
        if (section < sections_.size() && sections_[section])
            value = sections_[section][Index & mask_];
    }
    cache_index_ = Index;
    cache_value_ = value;
    return value;
}

void** TSparsePointerArray::Make(int Index) {
    // Beyond the 16-bit section numbers the section would wrap onto another.
    if (Index < 0 || Index >= Capacity()) RaiseSparseListIndexError();
    size_t section = static_cast<size_t>(Index) >> shift_;
    if (section >= sections_.size()) sections_.resize(section + 1);
    if (!sections_[section]) sections_[section] = std::make_unique<void*[]>(static_cast<size_t>(mask_) + 1);
    if (Index > high_bound_) high_bound_ = Index;
    cache_index_ = -1;
    cache_value_ = nullptr;
    return &sections_[section][Index & mask_];
}

void TSparsePointerArray::Put(int Index, void* Item) {
    if (!Item && !Get(Index)) return;
    *Make(Index) = Item;
    if (!Item && Index == high_bound_) LowerHighBound();
}

// Walks down from the old high bound to the next non-empty slot; below the
// high bound nothing changes when an item is emptied.
void TSparsePointerArray::LowerHighBound() {
    for (int i = high_bound_; i >= 0;) {
        size_t section = static_cast<size_t>(i) >> shift_;
        if (!sections_[section]) {
            i = static_cast<int>(section << shift_) - 1;
            continue;
        }
        if (sections_[section][i & mask_]) {
            high_bound_ = i;
            return;
        }
        --i;
    }
    high_bound_ = -1;
}

int TSparsePointerArray::ForAll(const TSPAApply& Apply) const {
    for (size_t s = 0; s < sections_.size(); ++s) {
        if (!sections_[s]) continue;
        for (int slot = 0; slot <= mask_; ++slot) {
            void* item = sections_[s][slot];
            if (!item) continue;
            int result = Apply(static_cast<int>(s << shift_) + slot, item);
            if (result != 0) return result;
        }
    }
    return 0;
}

std::vector<int> TSparsePointerArray::AllocatedSections() const {
    std::vector<int> result;
    for (size_t s = 0; s < sections_.size(); ++s)
        if (sections_[s]) result.push_back(static_cast<int>(s));
    return result;
}
