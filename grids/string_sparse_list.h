// String list whose entries (a text and an object) live in a sparse list:
// the cell list of one string-grid row. Positions never written cost nothing.
// The objects are not owned by the list.
#pragma once

#include <functional>
#include <string>

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

    // Visits the stored entries in position order.
    int ForAll(const TStringSparseApply& Apply) const;

    TNotifyEvent OnChange;

protected:
    void Changed();
    [[noreturn]] static void Error();

private:
    struct Entry {
        TObject* object = nullptr;
        std::string text;
    };
    Entry* EntryAt(int Index) const { return static_cast<Entry*>(list_.Get(Index)); }
    void DisposeAll();

    T_SparseList list_;
};
