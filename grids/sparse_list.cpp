#include "grids/sparse_list.h"

#include <algorithm>

T_SparseList::T_SparseList(TSPAQuantum Quantum) : array_(std::make_unique<TSparsePointerArray>(Quantum)) {}

void T_SparseList::CheckStoreIndex(int Index) const {
    if (Index < 0 || Index >= array_->Capacity()) RaiseSparseListIndexError();
}

void* T_SparseList::Get(int Index) const {
    if (Index < 0) RaiseSparseListIndexError();
    return array_->Get(Index);
}

void T_SparseList::Put(int Index, void* Item) {
    CheckStoreIndex(Index);
    array_->Put(Index, Item);
    count_ = array_->HighBound() + 1;
}

// Items move with the array's put: the list's put would recompute the count
// in the middle of the shift.
void T_SparseList::Insert(int Index, void* Item) {
    CheckStoreIndex(Index);
    if (std::max(Index, count_) >= array_->Capacity()) RaiseSparseListIndexError();
    for (int i = count_ - 1; i >= Index; --i) array_->Put(i + 1, array_->Get(i));
    array_->Put(Index, Item);
    if (Index > count_) count_ = Index;
    ++count_;
}

void T_SparseList::Delete(int Index) {
    if (Index < 0 || Index >= count_) return;
    for (int i = Index; i < count_ - 1; ++i) array_->Put(i, array_->Get(i + 1));
    array_->Put(count_ - 1, nullptr);
    --count_;
}

void T_SparseList::Exchange(int Index1, int Index2) {
    CheckStoreIndex(Index1);
    CheckStoreIndex(Index2);
    if (Index1 == Index2) return;
    void* item1 = array_->Get(Index1);
    void* item2 = array_->Get(Index2);
    array_->Put(Index1, item2);
    array_->Put(Index2, item1);
    // Both positions stay part of the list.
    count_ = std::max(count_, array_->HighBound() + 1);
}

void T_SparseList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    if (CurIndex < 0) RaiseSparseListIndexError();
    CheckStoreIndex(NewIndex);
    // Check the insert before the delete so that a failure changes nothing.
    int count_after_delete = CurIndex < count_ ? count_ - 1 : count_;
    if (std::max(NewIndex, count_after_delete) >= array_->Capacity()) RaiseSparseListIndexError();
    void* item = array_->Get(CurIndex);
    Delete(CurIndex);
    Insert(NewIndex, item);
}

void T_SparseList::Clear() {
    array_ = std::make_unique<TSparsePointerArray>(array_->Quantum());
    count_ = 0;
}
