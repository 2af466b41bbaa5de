// File names in drag-and-drop data: the clipboard formats "CF_HDROP",
// "FileName", "FileNameW", "FileNameMap", "FileNameMapW" and "Shell IDList
// Array", and the data formats a file drop target reads them into.
#pragma once

#include <string>
#include <vector>

#include "framework/cp1252.h"
#include "controls/dragdrop/drop_blocks.h"
#include "controls/dragdrop/text_formats.h"
#include "controls/dragdrop/unicode_strings.h"

class TFileClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override { return CF_HDROP; }
    bool ReadData(const uint8_t* data, size_t size) override;
    bool WriteData(uint8_t* data, size_t size) const override;
    size_t GetSize() const override;
    void Clear() override { Files.Clear(); }
    bool HasData() const override { return Files.Count() > 0; }
    TUnicodeStringList Files;
    bool Wide = true;  // write UTF-16 names

private:
    dropblocks::Bytes Block() const;
};

class TAnsiFilenameClipboardFormat : public TCustomAnsiTextClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override;
};

class TUnicodeFilenameClipboardFormat : public TCustomUnicodeTextClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override;
};

class TAnsiFilenameMapClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override;
    bool ReadData(const uint8_t* data, size_t size) override;
    bool WriteData(uint8_t* data, size_t size) const override;
    size_t GetSize() const override;
    void Clear() override { FileMaps.Clear(); }
    bool HasData() const override { return FileMaps.Count() > 0; }
    TStringList FileMaps;
};

class TUnicodeFilenameMapClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override;
    bool ReadData(const uint8_t* data, size_t size) override;
    bool WriteData(uint8_t* data, size_t size) const override;
    size_t GetSize() const override;
    void Clear() override { FileMaps.Clear(); }
    bool HasData() const override { return FileMaps.Count() > 0; }
    TUnicodeStringList FileMaps;
};

// Shell item ID lists in block order (parent first), each a private copy
// with its terminating zero.
class TPIDLList {
public:
    int Count() const { return static_cast<int>(lists_.size()); }
    const dropblocks::Bytes& Items(int i) const { return lists_.at(static_cast<size_t>(i)); }
    void Add(dropblocks::Bytes idList);
    void Assign(std::vector<dropblocks::Bytes> lists);
    void Clear();
    const std::vector<dropblocks::Bytes>& Lists() const { return lists_; }
    TNotifyEvent OnChange;

private:
    std::vector<dropblocks::Bytes> lists_;
};

// The file-system paths of a TPIDLList's items (parent joined with each
// item); an item outside the file system gives an empty name. Read-only.
class TPIDLsToFilenamesStrings : public TUnicodeStrings {
public:
    explicit TPIDLsToFilenamesStrings(const TPIDLList* list) : list_(list) {}
    int GetCount() const override;
    // Raises "Filename index out of range" outside 0..Count-1.
    std::wstring Get(int Index) const override;
    void Put(int, const std::wstring&) override {}
    void Insert(int, const std::wstring&) override {}
    void Clear() override {}
    void Delete(int) override {}
    void Exchange(int, int) override {}
    void Move(int, int) override {}

private:
    const TPIDLList* list_;
};

class TPIDLClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override;
    bool ReadData(const uint8_t* data, size_t size) override;
    bool WriteData(uint8_t* data, size_t size) const override;
    size_t GetSize() const override;
    void Clear() override { Pidls.Clear(); }
    bool HasData() const override { return Pidls.Count() >= 2; }
    TPIDLList Pidls;
    TPIDLsToFilenamesStrings Filenames{&Pidls};
};

// Absolute ID lists of the files: their longest common parent, then each
// file's remainder. Raises "Invalid filename: <name>" for a name the shell
// cannot parse; false for an empty list.
bool FilenamesToPIDLList(const std::vector<std::wstring>& names, TPIDLList& out);

class TFileDataFormat : public TCustomDataFormat {
public:
    DECLARE_DATA_FORMAT_CLASS()
    explicit TFileDataFormat(TDragDropComponent* owner);
    void Clear() override { Files.Clear(); }
    bool HasData() const override { return Files.Count() > 0; }
    bool NeedsData() const override { return Files.Count() == 0; }
    bool Assign(TClipboardFormat* source) override;
    bool AssignTo(TClipboardFormat* dest) override;
    TUnicodeStringList Files;
};

class TFileMapDataFormat : public TCustomDataFormat {
public:
    DECLARE_DATA_FORMAT_CLASS()
    explicit TFileMapDataFormat(TDragDropComponent* owner);
    void Clear() override { FileMaps.Clear(); }
    bool HasData() const override { return FileMaps.Count() > 0; }
    bool Assign(TClipboardFormat* source) override;
    bool AssignTo(TClipboardFormat* dest) override;
    TUnicodeStringList FileMaps;
};

class TPIDLDataFormat : public TCustomDataFormat {
public:
    DECLARE_DATA_FORMAT_CLASS()
    explicit TPIDLDataFormat(TDragDropComponent* owner);
    void Clear() override { Pidls.Clear(); }
    bool HasData() const override { return Pidls.Count() >= 2; }
    bool Assign(TClipboardFormat* source) override;
    bool AssignTo(TClipboardFormat* dest) override;
    TPIDLList Pidls;
    TPIDLsToFilenamesStrings Filenames{&Pidls};
};
