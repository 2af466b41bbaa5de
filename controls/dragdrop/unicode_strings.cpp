#include "controls/dragdrop/unicode_strings.h"

#include <utility>

#include "framework/cp1252.h"
#include "framework/exceptions.h"
#include "framework/list_messages.h"
#include "framework/strings.h"
#include "framework/sysutils.h"

// ------------------------------------------------------------ TUnicodeStrings

void TUnicodeStrings::IndexError(int Index) { throw EListError(Format(SListIndexError, {Index})); }

void TUnicodeStrings::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
}

void TUnicodeStrings::Assign(const TPersistent* Source) {
    if (auto* wide = dynamic_cast<const TUnicodeStrings*>(Source)) {
        if (wide == this) return;
        BeginUpdate();
        try {
            Clear();
            SetCapacity(wide->GetCount());
            for (int i = 0; i < wide->GetCount(); ++i) Add(wide->Get(i));
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    if (auto* narrow = dynamic_cast<const TStrings*>(Source)) {
        BeginUpdate();
        try {
            Clear();
            SetCapacity(narrow->Count());
            for (int i = 0; i < narrow->Count(); ++i) Add(WidenCp1252(narrow->Get(i)));
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

void TUnicodeStrings::AssignTo(TPersistent* Dest) const {
    if (auto* narrow = dynamic_cast<TStrings*>(Dest)) {
        narrow->BeginUpdate();
        try {
            narrow->Clear();
            for (int i = 0; i < GetCount(); ++i) narrow->Add(NarrowCp1252(Get(i)));
        } catch (...) {
            narrow->EndUpdate();
            throw;
        }
        narrow->EndUpdate();
        return;
    }
    TPersistent::AssignTo(Dest);
}

void TUnicodeStrings::Put(int Index, const std::wstring& S) {
    CheckIndex(Index);
    BeginUpdate();
    Delete(Index);
    Insert(Index, S);
    EndUpdate();
}

int TUnicodeStrings::Add(const std::wstring& S) {
    const int index = GetCount();
    Insert(index, S);
    return index;
}

int TUnicodeStrings::IndexOf(const std::wstring& S) const {
    for (int i = GetCount() - 1; i >= 0; --i)
        if (Get(i) == S) return i;
    return -1;
}

void TUnicodeStrings::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    BeginUpdate();
    const std::wstring a = Get(Index1);
    Put(Index1, Get(Index2));
    Put(Index2, a);
    EndUpdate();
}

void TUnicodeStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    BeginUpdate();
    const std::wstring s = Get(CurIndex);
    Delete(CurIndex);
    Insert(NewIndex, s);
    EndUpdate();
}

std::vector<std::wstring> TUnicodeStrings::ToVector() const {
    std::vector<std::wstring> v;
    v.reserve(static_cast<size_t>(GetCount()));
    for (int i = 0; i < GetCount(); ++i) v.push_back(Get(i));
    return v;
}

void TUnicodeStrings::BeginUpdate() {
    if (update_count_ == 0) Changing();
    ++update_count_;
}

void TUnicodeStrings::EndUpdate() {
    if (update_count_ > 0 && --update_count_ == 0) Changed();
}

std::wstring TUnicodeStrings::GetText() const {
    std::wstring text;
    for (int i = 0; i < GetCount(); ++i) {
        if (i > 0) text += L"\r\n";
        text += Get(i);
    }
    return text;
}

void TUnicodeStrings::Changed() {
    if (update_count_ == 0 && OnChange) OnChange(this);
}

void TUnicodeStrings::Changing() {
    if (update_count_ == 0 && OnChanging) OnChanging(this);
}

// --------------------------------------------------------- TUnicodeStringList

void TUnicodeStringList::SetCapacity(int NewCapacity) {
    if (NewCapacity < GetCount()) IndexError(NewCapacity);
    capacity_ = NewCapacity;
    items_.reserve(static_cast<size_t>(NewCapacity));
}

void TUnicodeStringList::Grow() {
    int delta = 4;
    if (capacity_ > 64)
        delta = capacity_ / 4;
    else if (capacity_ > 8)
        delta = 16;
    SetCapacity(capacity_ + delta);
}

std::wstring TUnicodeStringList::Get(int Index) const {
    CheckIndex(Index);
    return items_[static_cast<size_t>(Index)];
}

void TUnicodeStringList::Put(int Index, const std::wstring& S) {
    CheckIndex(Index);
    Changing();
    items_[static_cast<size_t>(Index)] = S;
    Changed();
}

void TUnicodeStringList::Insert(int Index, const std::wstring& S) {
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    Changing();
    if (GetCount() == capacity_) Grow();
    items_.insert(items_.begin() + Index, S);
    Changed();
}

void TUnicodeStringList::Clear() {
    if (items_.empty() && capacity_ == 0) return;
    Changing();
    items_.clear();
    items_.shrink_to_fit();
    capacity_ = 0;
    Changed();
}

void TUnicodeStringList::Delete(int Index) {
    CheckIndex(Index);
    Changing();
    items_.erase(items_.begin() + Index);
    Changed();
}

void TUnicodeStringList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(items_[static_cast<size_t>(Index1)], items_[static_cast<size_t>(Index2)]);
    Changed();
}

// ----------------------------------------------------- TUnicodeStringsAdapter

int TUnicodeStringsAdapter::GetCount() const { return strings_->Count(); }

std::wstring TUnicodeStringsAdapter::Get(int Index) const {
    CheckIndex(Index);
    return WidenCp1252(strings_->Get(Index));
}

void TUnicodeStringsAdapter::Put(int Index, const std::wstring& S) {
    CheckIndex(Index);
    strings_->Put(Index, NarrowCp1252(S));
}

void TUnicodeStringsAdapter::Insert(int Index, const std::wstring& S) {
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    strings_->Insert(Index, NarrowCp1252(S));
}

void TUnicodeStringsAdapter::Clear() { strings_->Clear(); }

void TUnicodeStringsAdapter::Delete(int Index) {
    CheckIndex(Index);
    strings_->Delete(Index);
}
