// Two-level sparse array of pointers: the storage under the string grid's
// cell lists. Memory is spent only on sections that were ever written.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Small: sections of 16 slots; large: sections of 256 slots.
enum class TSPAQuantum : uint8_t { SPASmall, SPALarge };

// Callback of ForAll: index and item of a non-empty slot; any result other
// than 0 stops the walk and is returned.
using TSPAApply = std::function<int(int Index, void* Item)>;

// Raises EListError with the list-index message (the placeholder is kept
// literally, as the program has always shown it).
[[noreturn]] void RaiseSparseListIndexError();

class TSparsePointerArray {
public:
    // Section numbers are 16-bit.
    static constexpr int MaxSections = 65536;

    explicit TSparsePointerArray(TSPAQuantum Quantum);
    TSparsePointerArray(const TSparsePointerArray&) = delete;
    TSparsePointerArray& operator=(const TSparsePointerArray&) = delete;

    TSPAQuantum Quantum() const { return quantum_; }
    // First index that no section can hold (1,048,576 small, 16,777,216 large).
    int Capacity() const { return MaxSections << shift_; }
    // Highest index with a non-empty item, -1 when none.
    int HighBound() const { return high_bound_; }

    // The item at Index; empty for indices outside 0 .. Capacity()-1.
    void* Get(int Index) const;
    // The slot for Index, allocating its section when missing. Raises
    // EListError for an index outside 0 .. Capacity()-1.
    void** Make(int Index);
    void Put(int Index, void* Item);
    int ForAll(const TSPAApply& Apply) const;

    // Numbers of the sections that are allocated, ascending (for tests).
    std::vector<int> AllocatedSections() const;

private:
    void LowerHighBound();

    TSPAQuantum quantum_;
    int shift_;
    int mask_;
    std::vector<std::unique_ptr<void*[]>> sections_;
    int high_bound_ = -1;
    mutable int cache_index_ = -1;
    mutable void* cache_value_ = nullptr;
};
