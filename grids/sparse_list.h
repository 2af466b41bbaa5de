// List of pointers on a sparse array: insert, delete and move shift the items
// behind the index. The list does not own the items it holds.
#pragma once

#include "grids/sparse_array.h"

class T_SparseList {
public:
    explicit T_SparseList(TSPAQuantum Quantum);
    T_SparseList(const T_SparseList&) = delete;
    T_SparseList& operator=(const T_SparseList&) = delete;

    // One more than the highest index in use.
    int Count() const { return count_; }
    TSPAQuantum Quantum() const { return array_->Quantum(); }
    int Capacity() const { return array_->Capacity(); }

    // Negative indices raise EListError; Put and Insert also raise for an
    // index the sections cannot hold. Indices beyond that read as empty.
    void* Get(int Index) const;
    void Put(int Index, void* Item);
    void Insert(int Index, void* Item);
    // Only 0 <= Index < Count; other indices are ignored.
    void Delete(int Index);
    // Swaps the items of the two positions.
    void Exchange(int Index1, int Index2);
    // Takes the item out at CurIndex and inserts it at NewIndex.
    void Move(int CurIndex, int NewIndex);
    void Clear();
    int ForAll(const TSPAApply& Apply) const { return array_->ForAll(Apply); }

    // The underlying array (tests look at its sections).
    const TSparsePointerArray& Array() const { return *array_; }

private:
    void CheckStoreIndex(int Index) const;

    std::unique_ptr<TSparsePointerArray> array_;
    int count_ = 0;
};
