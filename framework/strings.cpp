#include "framework/strings.h"

#include <algorithm>
#include <utility>

#include "framework/ansi_text.h"
#include "framework/exceptions.h"
#include "framework/list_messages.h"
#include "framework/scoped_state.h"
#include "framework/streams.h"
#include "framework/sysutils.h"

// ------------------------------------------------------------------- helpers

std::vector<std::string> SplitLines(const std::string& Text) {
    std::vector<std::string> lines;
    size_t start = 0;
    const size_t n = Text.size();
    size_t i = 0;
    while (i < n) {
        const char c = Text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(Text, start, i - start);
            ++i;
            if (c == '\r' && i < n && Text[i] == '\n') ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n) lines.emplace_back(Text, start, n - start);
    return lines;
}

namespace {
// Items that hold a blank or control byte, a comma or a quote are quoted.
bool NeedsCommaQuotes(const std::string& S) {
    for (char c : S) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || c == ',' || c == '"') return true;
    }
    return false;
}

bool IsCommaBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ';
}
}  // namespace

// ------------------------------------------------------------------- TStrings

void TStrings::IndexError(int Index) {
    (void)Index;  // the system's text keeps its placeholder unfilled
    throw EListError(SListIndexError);
}

void TStrings::Put(int Index, const std::string& S) {
    TObject* obj = GetObject(Index);
    WithUpdate(*this, [&] {
        Delete(Index);
        InsertObject(Index, S, obj);
    });
}

TObject* TStrings::GetObject(int Index) const {
    (void)Index;
    return nullptr;
}

void TStrings::PutObject(int Index, TObject* AObject) {
    (void)Index;
    (void)AObject;
}

void TStrings::Exchange(int Index1, int Index2) {
    WithUpdate(*this, [&] {
        const std::string s = Get(Index1);
        TObject* o = GetObject(Index1);
        Put(Index1, Get(Index2));
        PutObject(Index1, GetObject(Index2));
        Put(Index2, s);
        PutObject(Index2, o);
    });
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    WithUpdate(*this, [&] {
        const std::string s = Get(CurIndex);
        TObject* o = GetObject(CurIndex);
        Delete(CurIndex);
        InsertObject(NewIndex, s, o);
    });
}

int TStrings::Add(const std::string& S) {
    const int index = GetCount();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
    const int index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

int TStrings::IndexOf(const std::string& S) const {
    const int n = GetCount();
    for (int i = 0; i < n; ++i)
        if (AnsiSameText(Get(i), S)) return i;
    return -1;
}

std::string TStrings::GetTextStr() const {
    const int n = GetCount();
    std::string r;
    for (int i = 0; i < n; ++i) {
        r += Get(i);
        r += "\r\n";
    }
    return r;
}

void TStrings::SetTextStr(const std::string& Value) {
    const std::vector<std::string> lines = SplitLines(Value);
    WithUpdate(*this, [&] {
        Clear();
        for (const auto& l : lines) Add(l);
    });
}

std::string TStrings::CommaText() const {
    const int n = GetCount();
    if (n == 1 && Get(0).empty()) return "\"\"";
    std::string r;
    for (int i = 0; i < n; ++i) {
        if (i > 0) r += ',';
        const std::string s = Get(i);
        r += NeedsCommaQuotes(s) ? AnsiQuotedStr(s, '"') : s;
    }
    return r;
}

void TStrings::SetCommaText(const std::string& Value) {
    // Items are separated by commas or blanks; "..." quotes an item, a doubled
    // quote inside stands for one quote.
    WithUpdate(*this, [&] {
        Clear();
        const size_t n = Value.size();
        size_t p = 0;
        while (p < n && IsCommaBlank(Value[p])) ++p;
        while (p < n) {
            std::string item;
            if (Value[p] == '"') {
                ++p;
                while (p < n) {
                    if (Value[p] == '"') {
                        if (p + 1 < n && Value[p + 1] == '"') {
                            item += '"';
                            p += 2;
                            continue;
                        }
                        ++p;
                        break;
                    }
                    item += Value[p++];
                }
            } else {
                const size_t start = p;
                while (p < n && !IsCommaBlank(Value[p]) && Value[p] != ',') ++p;
                item.assign(Value, start, p - start);
            }
            Add(item);
            while (p < n && IsCommaBlank(Value[p])) ++p;
            if (p < n && Value[p] == ',') {
                if (p + 1 == n) Add(std::string());  // a final comma ends with an empty item
                ++p;
                while (p < n && IsCommaBlank(Value[p])) ++p;
            }
        }
    });
}

std::string TStrings::Names(int Index) const {
    const std::string s = Get(Index);
    const size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::Values(const std::string& Name) const {
    const int i = IndexOfName(Name);
    if (i < 0) return std::string();
    const std::string s = Get(i);
    return s.substr(s.find('=') + 1);
}

void TStrings::SetValue(const std::string& Name, const std::string& Value) {
    int i = IndexOfName(Name);
    if (!Value.empty()) {
        if (i < 0) i = Add(std::string());
        Put(i, Name + "=" + Value);
    } else if (i >= 0) {
        Delete(i);
    }
}

std::string TStrings::ValueFromIndex(int Index) const {
    const std::string s = Get(Index);
    const size_t eq = s.find('=');
    // A line without "=" has no value (rather than losing its first byte).
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

int TStrings::IndexOfName(const std::string& Name) const {
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        const std::string s = Get(i);
        const size_t eq = s.find('=');
        if (eq != std::string::npos && AnsiSameText(s.substr(0, eq), Name)) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
    const int n = GetCount();
    for (int i = 0; i < n; ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

void TStrings::AddStrings(const TStrings& Strings) {
    // Read the source's count once: adding a list to itself doubles it.
    const int n = Strings.GetCount();
    WithUpdate(*this, [&] {
        for (int i = 0; i < n; ++i) AddObject(Strings.Get(i), Strings.GetObject(i));
    });
}

void TStrings::Assign(const TPersistent* Source) {
    if (Source == this) return;
    if (const auto* src = dynamic_cast<const TStrings*>(Source)) {
        WithUpdate(*this, [&] {
            Clear();
            AddStrings(*src);
        });
        return;
    }
    TPersistent::Assign(Source);
}

bool TStrings::Equals(const TStrings& Other) const {
    const int n = GetCount();
    if (n != Other.GetCount()) return false;
    for (int i = 0; i < n; ++i)
        if (Get(i) != Other.Get(i)) return false;
    return true;
}

void TStrings::BeginUpdate() {
    if (update_count_ == 0) SetUpdateState(true);
    ++update_count_;
}

void TStrings::EndUpdate() {
    if (update_count_ <= 0) return;
    if (--update_count_ == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const std::string& FileName) {
    TFileStream f(FileName, fmOpenRead);
    LoadFromStream(f);
}

void TStrings::SaveToFile(const std::string& FileName) const {
    TFileStream f(FileName, fmCreate);
    SaveToStream(f);
    f.Close();
}

void TStrings::LoadFromStream(TStream& Stream) {
    const int64_t pos = Stream.Position();
    const int64_t size = Stream.Size();
    std::string data;
    if (size > pos) {
        data.resize(static_cast<size_t>(size - pos));
        Stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    }
    SetTextStr(data);
}

void TStrings::SaveToStream(TStream& Stream) const {
    const std::string text = GetTextStr();
    Stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

// ---------------------------------------------------------------- TStringList

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    if (OwnsObjects) {
        std::vector<Item> items;
        items.swap(items_);
        for (auto& it : items) FreeObject(it.object);
    }
}

std::string TStringList::Get(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return items_[static_cast<size_t>(Index)].text;
}

const std::string& TStringList::TextAt(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return items_[static_cast<size_t>(Index)].text;
}

int TStringList::GetCount() const { return static_cast<int>(items_.size()); }

void TStringList::Insert(int Index, const std::string& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const std::string& S, TObject* AObject) {
    if (sorted_) throw EListError(SSortedListError);
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    Changing();
    items_.insert(items_.begin() + Index, Item{S, AObject});
    Changed();
}

void TStringList::Delete(int Index) {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    Changing();
    TObject* obj = items_[static_cast<size_t>(Index)].object;
    items_.erase(items_.begin() + Index);
    // Freed after it left the list, so its destructor sees a consistent list.
    if (OwnsObjects) FreeObject(obj);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    std::vector<Item> items;
    items.swap(items_);
    if (OwnsObjects)
        for (auto& it : items) FreeObject(it.object);
    Changed();
}

void TStringList::Put(int Index, const std::string& S) {
    if (sorted_) throw EListError(SSortedListError);
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    Changing();
    items_[static_cast<size_t>(Index)].text = S;
    Changed();
}

TObject* TStringList::GetObject(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return items_[static_cast<size_t>(Index)].object;
}

void TStringList::PutObject(int Index, TObject* AObject) {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    Changing();
    items_[static_cast<size_t>(Index)].object = AObject;
    Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
    if (Index1 < 0 || Index1 >= GetCount()) IndexError(Index1);
    if (Index2 < 0 || Index2 >= GetCount()) IndexError(Index2);
    Changing();
    std::swap(items_[static_cast<size_t>(Index1)], items_[static_cast<size_t>(Index2)]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    if (sorted_) throw EListError(SSortedListError);
    if (CurIndex < 0 || CurIndex >= GetCount()) IndexError(CurIndex);
    if (NewIndex < 0 || NewIndex >= GetCount()) IndexError(NewIndex);
    // Moved in place: the object stays in the list (an owning list must not
    // free it on the way).
    Changing();
    Item it = std::move(items_[static_cast<size_t>(CurIndex)]);
    items_.erase(items_.begin() + CurIndex);
    items_.insert(items_.begin() + NewIndex, std::move(it));
    Changed();
}

int TStringList::Add(const std::string& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const std::string& S, TObject* AObject) {
    int index = GetCount();
    if (sorted_) {
        if (Find(S, index)) {
            if (Duplicates == TDuplicates::dupIgnore) return index;
            if (Duplicates == TDuplicates::dupError) throw EListError(SDuplicateString);
        }
    }
    Changing();
    items_.insert(items_.begin() + index, Item{S, AObject});
    Changed();
    return index;
}

int TStringList::IndexOf(const std::string& S) const {
    if (sorted_) {
        int index = -1;
        return Find(S, index) ? index : -1;
    }
    const int n = GetCount();
    for (int i = 0; i < n; ++i)
        if (CompareStrings(items_[static_cast<size_t>(i)].text, S) == 0) return i;
    return -1;
}

void TStringList::SetTextStr(const std::string& Value) {
    const std::vector<std::string> lines = SplitLines(Value);
    WithUpdate(*this, [&] {
        Clear();
        if (!sorted_) {
            Changing();
            items_.reserve(lines.size());
            for (const auto& l : lines) items_.push_back(Item{l, nullptr});
            if (!lines.empty()) Changed();
        } else {
            for (const auto& l : lines) Add(l);
        }
    });
}

void TStringList::SetSorted(bool Value) {
    if (sorted_ == Value) return;
    if (Value) Sort();
    sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (case_sensitive_ == Value) return;
    case_sensitive_ = Value;
    if (sorted_) Sort();
}

bool TStringList::Find(const std::string& S, int& Index) const {
    // First position whose text is not below S.
    int lo = 0;
    int hi = GetCount();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (CompareStrings(items_[static_cast<size_t>(mid)].text, S) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    Index = lo;
    return lo < GetCount() && CompareStrings(items_[static_cast<size_t>(lo)].text, S) == 0;
}

namespace {
int DefaultCompare(TStringList* List, int Index1, int Index2) {
    return AnsiCompareText(List->Get(Index1), List->Get(Index2));
}
int CaseCompare(TStringList* List, int Index1, int Index2) {
    return AnsiCompareStr(List->Get(Index1), List->Get(Index2));
}
}  // namespace

void TStringList::Sort() { CustomSort(case_sensitive_ ? CaseCompare : DefaultCompare); }

void TStringList::CustomSort(int (*Compare)(TStringList* List, int Index1, int Index2)) {
    if (GetCount() < 2 || !Compare) return;
    Changing();
    // Compare works on indices, so the order is found on an index table while
    // the items stay put, then applied in one step. Stable: equal items keep
    // their order.
    std::vector<int> order(items_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order) sorted.push_back(std::move(items_[static_cast<size_t>(i)]));
    items_.swap(sorted);
    Changed();
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const {
    return case_sensitive_ ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating) return;
    const bool changed = changed_in_update_;
    changed_in_update_ = false;
    changing_in_update_ = false;
    if (changed && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() > 0) {
        // One OnChanging per update bracket, before its first change.
        if (changing_in_update_) return;
        changing_in_update_ = true;
    }
    if (OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() > 0) {
        changed_in_update_ = true;
        return;
    }
    if (OnChange) OnChange(this);
}
