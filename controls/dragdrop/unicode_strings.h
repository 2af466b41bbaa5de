// Lists of wide strings, in which dropped file names travel.
//
// TUnicodeStrings is the abstract list with an update bracket and change
// events; TUnicodeStringList stores the strings; TUnicodeStringsAdapter shows
// an 8-bit string list (CP1252) as wide strings. Index errors raise
// EListError with the framework's list-index text and the index.
#pragma once

#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/events.h"

class TStrings;

class TUnicodeStrings : public TPersistent {
public:
    // From another wide list, or from an 8-bit TStrings (each string widened).
    void Assign(const TPersistent* Source) override;

    virtual int GetCapacity() const { return GetCount(); }
    virtual void SetCapacity(int NewCapacity) { (void)NewCapacity; }
    virtual int GetCount() const = 0;
    virtual std::wstring Get(int Index) const = 0;
    virtual void Put(int Index, const std::wstring& S);
    virtual int Add(const std::wstring& S);
    // Exact compare, searching from the last entry; -1 when absent.
    virtual int IndexOf(const std::wstring& S) const;
    virtual void Insert(int Index, const std::wstring& S) = 0;
    virtual void Clear() = 0;
    virtual void Delete(int Index) = 0;
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);

    int Count() const { return GetCount(); }
    std::wstring Strings(int Index) const { return Get(Index); }
    std::wstring operator[](int Index) const { return Get(Index); }
    std::vector<std::wstring> ToVector() const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return update_count_; }

    // The strings joined by CR LF (none after the last).
    std::wstring GetText() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    // Fill an 8-bit TStrings with the strings narrowed to CP1252.
    void AssignTo(TPersistent* Dest) const override;
    virtual void Changed();
    virtual void Changing();
    [[noreturn]] static void IndexError(int Index);
    void CheckIndex(int Index) const;

private:
    int update_count_ = 0;
};

class TUnicodeStringList : public TUnicodeStrings {
public:
    int GetCapacity() const override { return capacity_; }
    void SetCapacity(int NewCapacity) override;
    int GetCount() const override { return static_cast<int>(items_.size()); }
    std::wstring Get(int Index) const override;
    void Put(int Index, const std::wstring& S) override;
    void Insert(int Index, const std::wstring& S) override;
    void Clear() override;
    void Delete(int Index) override;
    void Exchange(int Index1, int Index2) override;

private:
    void Grow();
    std::vector<std::wstring> items_;
    int capacity_ = 0;
};

// A wide view of an 8-bit string list it does not own.
class TUnicodeStringsAdapter : public TUnicodeStrings {
public:
    explicit TUnicodeStringsAdapter(TStrings* Strings) : strings_(Strings) {}
    int GetCount() const override;
    std::wstring Get(int Index) const override;
    void Put(int Index, const std::wstring& S) override;
    void Insert(int Index, const std::wstring& S) override;
    void Clear() override;
    void Delete(int Index) override;

private:
    TStrings* strings_;
};
