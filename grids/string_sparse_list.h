// String list whose entries (a text and an object) are kept sparsely: the
// cell list of one string-grid row. Positions never written cost nothing.
// The objects are not owned by the list.
//
// Positions follow the sparse list's rules (sparse_list.h): the same count,
// the same capacity per quantum and the same errors. The storage is compact:
// the entries sit in one array sorted by position and their texts one after
// the other in one buffer, so a row of cells costs a few allocations rather
// than one or two per cell.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/events.h"
#include "framework/exceptions.h"
#include "framework/strings.h"
#include "grids/sparse_list.h"

FRAMEWORK_EXCEPTION(EStringSparseListError, Exception);

// Callback of T_StringSparseList::ForAll: position, text and object of a
// stored entry; a result other than 0 stops the walk.
using TStringSparseApply = std::function<int(int Index, const std::string& S, TObject* AObject)>;

class T_StringSparseList : public TStrings {
public:
    explicit T_StringSparseList(TSPAQuantum Quantum);
    ~T_StringSparseList() override;

    std::string Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    void Clear() override;

    // Makes room for about Count entries with short texts (a row of Count
    // cells), so that filling them costs no further allocations. A hint only.
    void ReservePositions(int Count);

    // Visits the stored entries in position order.
    int ForAll(const TStringSparseApply& Apply) const;

    TNotifyEvent OnChange;

protected:
    void Changed();
    [[noreturn]] static void Error();

private:
    // A stored entry: its position, its text in text_ and its object slot
    // (0: none; 1: first_object_; n > 1: objects_[n-2]). Most cells have no
    // object and a row mostly one (its second line), held without a heap
    // block.
    struct Entry {
        int index = 0;
        uint32_t offset = 0;
        uint32_t size = 0;
        uint32_t object = 0;
    };
    // An entry taken out of the list while it moves.
    struct Taken {
        bool present = false;
        std::string text;
        TObject* object = nullptr;
    };

    int Capacity() const;
    void CheckStoreIndex(int Index) const;
    // First entry at or after Index.
    size_t LowerBound(int Index) const;
    // The entry at Index or nullptr; a negative index raises.
    const Entry* Find(int Index) const;
    Entry* Find(int Index);
    int HighBound() const { return entries_.empty() ? -1 : entries_.back().index; }
    std::string_view TextOf(const Entry& E) const { return std::string_view(text_.data() + E.offset, E.size); }
    TObject*& Slot(uint32_t Number) { return Number == 1 ? first_object_ : objects_[Number - 2]; }
    TObject* ObjectOf(const Entry& E) const {
        return E.object == 0 ? nullptr : E.object == 1 ? first_object_ : objects_[E.object - 2];
    }
    void SetObjectOf(Entry& E, TObject* AObject);
    void SetText(Entry& E, std::string_view Text);
    Entry& InsertEntry(int Index);
    void EraseEntry(size_t Pos);
    void Compact();
    // The sparse list's delete and insert of one position (shifting those
    // behind), with the entry that moves.
    Taken TakeAt(int Index);
    void ListDelete(int Index);
    void ListInsert(int Index, Taken Item);

    std::vector<Entry> entries_;     // ascending positions
    TObject* first_object_ = nullptr;  // nullptr: a free slot (also below)
    std::vector<TObject*> objects_;
    std::string text_;               // the texts; unused bytes counted in garbage_
    size_t garbage_ = 0;
    int count_ = 0;
    TSPAQuantum quantum_;
};
