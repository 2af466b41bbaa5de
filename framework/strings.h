// TStrings (abstract list of strings with objects) and TStringList.
//
// Text: every line is followed by CR LF when read; assigning splits at CR, LF
// or CR LF (a final line end adds no empty line). NUL bytes are ordinary
// characters. IndexOf and Names/Values compare without regard to case with the
// CP1252 case table (ansi_text.h).
#pragma once

#include <string>
#include <vector>

#include "component.h"
#include "events.h"

class TStream;

class TStrings : public TPersistent {
public:
    // --- the abstract core ---
    virtual std::string Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    // --- overridable with defaults built on the core ---
    virtual void Put(int Index, const std::string& S);          // default: delete + insert keeping the object
    virtual TObject* GetObject(int Index) const;                 // default: nullptr
    virtual void PutObject(int Index, TObject* AObject);         // default: ignores
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);
    virtual int Add(const std::string& S);                       // appends, returns the index
    virtual int AddObject(const std::string& S, TObject* AObject);
    virtual void InsertObject(int Index, const std::string& S, TObject* AObject);
    virtual int IndexOf(const std::string& S) const;             // CP1252 case-insensitive
    virtual std::string GetTextStr() const;
    virtual void SetTextStr(const std::string& Value);

    int Count() const { return GetCount(); }
    std::string Strings(int Index) const { return Get(Index); }
    std::string operator[](int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObject(Index); }

    std::string Text() const { return GetTextStr(); }
    void SetText(const std::string& Value) { SetTextStr(Value); }
    std::string CommaText() const;
    void SetCommaText(const std::string& Value);

    // "Name=Value" lines.
    std::string Names(int Index) const;
    std::string Values(const std::string& Name) const;
    void SetValue(const std::string& Name, const std::string& Value);  // empty value deletes
    std::string ValueFromIndex(int Index) const;
    int IndexOfName(const std::string& Name) const;
    int IndexOfObject(const TObject* AObject) const;

    void AddStrings(const TStrings& Strings);
    void Assign(const TPersistent* Source) override;
    bool Equals(const TStrings& Other) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return update_count_; }

    // Raises EFOpenError/EReadError/EWriteError on failure.
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName) const;
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream) const;

protected:
    // Called with True by the first BeginUpdate and False by the last EndUpdate.
    virtual void SetUpdateState(bool Updating) { (void)Updating; }
    // Raises EListError with the list-index message.
    [[noreturn]] static void IndexError(int Index);

private:
    int update_count_ = 0;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;

    std::string Get(int Index) const override;
    // The text at Index without a copy; valid until the list changes.
    const std::string& TextAt(int Index) const;
    int GetCount() const override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Exchange(int Index1, int Index2) override;
    // Moves the entry in place (an owned object is kept, not freed).
    void Move(int CurIndex, int NewIndex) override;
    void InsertObject(int Index, const std::string& S, TObject* AObject) override;
    int Add(const std::string& S) override;
    int AddObject(const std::string& S, TObject* AObject) override;
    int IndexOf(const std::string& S) const override;
    void SetTextStr(const std::string& Value) override;

    // Sorted lists keep their order on Add and use Find.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value);
    bool CaseSensitive() const { return case_sensitive_; }
    void SetCaseSensitive(bool Value);
    TDuplicates Duplicates = TDuplicates::dupIgnore;
    // The list frees its objects on Delete/Clear/destruction.
    bool OwnsObjects = false;
    bool Find(const std::string& S, int& Index) const;
    void Sort();
    void CustomSort(int (*Compare)(TStringList* List, int Index1, int Index2));

    // Outside BeginUpdate/EndUpdate every change fires OnChanging before and
    // OnChange after it. Inside, OnChanging fires once before the first change
    // and OnChange once at the last EndUpdate, only if something changed.
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    virtual void Changed();
    virtual void Changing();
    int CompareStrings(const std::string& S1, const std::string& S2) const;

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    std::vector<Item> items_;
    bool sorted_ = false;
    bool case_sensitive_ = false;
    bool changing_in_update_ = false;
    bool changed_in_update_ = false;
};

// Splits Text at CR, LF or CR LF (no line for a final line end). Shared by every
// string list and the second-line store.
std::vector<std::string> SplitLines(const std::string& Text);
