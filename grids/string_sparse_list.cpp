#include "grids/string_sparse_list.h"

#include "framework/list_messages.h"

T_StringSparseList::T_StringSparseList(TSPAQuantum Quantum) : list_(Quantum) {}

T_StringSparseList::~T_StringSparseList() { DisposeAll(); }

void T_StringSparseList::DisposeAll() {
    list_.ForAll([](int, void* item) {
        delete static_cast<Entry*>(item);
        return 0;
    });
    list_.Clear();
}

void T_StringSparseList::Changed() {
    if (OnChange) OnChange(this);
}

void T_StringSparseList::Error() {
    throw EStringSparseListError(SPutObjectError);
}

std::string T_StringSparseList::Get(int Index) const {
    Entry* e = EntryAt(Index);
    return e ? e->text : std::string();
}

int T_StringSparseList::GetCount() const { return list_.Count(); }

TObject* T_StringSparseList::GetObject(int Index) const {
    Entry* e = EntryAt(Index);
    return e ? e->object : nullptr;
}

void T_StringSparseList::Put(int Index, const std::string& S) {
    Entry* old = EntryAt(Index);
    TObject* object = old ? old->object : nullptr;
    if (S.empty() && !object) {
        list_.Put(Index, nullptr);
    } else {
        auto fresh = std::make_unique<Entry>();
        fresh->object = object;
        fresh->text = S;
        list_.Put(Index, fresh.get());
        fresh.release();
    }
    delete old;
    Changed();
}

void T_StringSparseList::PutObject(int Index, TObject* AObject) {
    if (Entry* e = EntryAt(Index)) {
        e->object = AObject;
    } else if (AObject) {
        auto fresh = std::make_unique<Entry>();
        fresh->object = AObject;
        list_.Put(Index, fresh.get());
        fresh.release();
    }
    Changed();
}

void T_StringSparseList::Insert(int Index, const std::string& S) {
    auto fresh = std::make_unique<Entry>();
    fresh->text = S;
    list_.Insert(Index, fresh.get());
    fresh.release();
    Changed();
}

void T_StringSparseList::Delete(int Index) {
    // Every entry lies below the count, so an index the list ignores has none.
    Entry* e = EntryAt(Index);
    list_.Delete(Index);
    delete e;
    Changed();
}

void T_StringSparseList::Exchange(int Index1, int Index2) { list_.Exchange(Index1, Index2); }

// The entry itself travels, so its object goes with its text.
void T_StringSparseList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    list_.Move(CurIndex, NewIndex);
    Changed();
}

void T_StringSparseList::Clear() {
    DisposeAll();
    Changed();
}

int T_StringSparseList::ForAll(const TStringSparseApply& Apply) const {
    return list_.ForAll([&](int index, void* item) {
        Entry* e = static_cast<Entry*>(item);
        return Apply(index, e->text, e->object);
    });
}
