// Virtual files: files a source describes by file group descriptors and
// hands out through "FileContents" one index at a time, with no file on
// disk. The contents as one 8-bit string, as streams asked for on demand or
// as storages; the names of descriptor records as a string list; and the
// data format that joins descriptors and contents on demand.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/dragdrop/stream_formats.h"
#include "controls/dragdrop/unicode_strings.h"
#include "framework/com_ptr.h"

// "FileContents" as one 8-bit string (bytes as they are, zeros included):
// the contents of the file at `index` (-1 for a source that answers
// without one).
class TFileContentsClipboardFormat : public TCustomAnsiStringClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    explicit TFileContentsClipboardFormat(LONG index = -1) { SetFormatIndex(index); }
    CLIPFORMAT GetClipboardFormat() const override;
};

// "FileContents" as streams that are fetched only when someone asks.
// Reading flags that the object offers them (GotData) and keeps the object,
// from which GetStream fetches one file's contents at a time. Writing
// (Render) flags that the contents were asked for and takes the stream of
// the requested index from the owning TVirtualFileStreamDataFormat.
class TFileContentsStreamOnDemandClipboardFormat : public TClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    TFileContentsStreamOnDemandClipboardFormat() : TClipboardFormat(TYMED_ISTREAM) {}
    CLIPFORMAT GetClipboardFormat() const override;
    bool GetData(IDataObject* obj) override;
    void Clear() override;
    bool HasData() const override { return GotData; }
    // The contents of file `index` from the object GetData kept, at the
    // stream's start; empty when there is none.
    ComPtr<IStream> GetStream(int index) const;
    IDataObject* Source() const { return source_.Get(); }
    bool GotData = false;

protected:
    bool DoSetData(const FORMATETC& request, STGMEDIUM& medium) override;

private:
    ComPtr<IDataObject> source_;
};

// "FileContents" as one storage per file. Reading takes the names from the
// object's file group descriptor and asks for each file's storage by its
// index; a request with an index within the list answers with that storage.
class TFileContentsStorageClipboardFormat : public TClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    TFileContentsStorageClipboardFormat() : TClipboardFormat(TYMED_ISTORAGE) {}
    CLIPFORMAT GetClipboardFormat() const override;
    bool GetData(IDataObject* obj) override;
    void Clear() override { Storages.Clear(); }
    bool HasData() const override { return Storages.Count() > 0; }
    TStorageInterfaceList Storages;

protected:
    bool DoSetData(const FORMATETC& request, STGMEDIUM& medium) override;
};

// The names of wide file descriptor records (592 bytes each, the name from
// UTF-16 unit 36 on, 260 characters) as a string list. Adding a name adds a
// record with all other fields zero; setting one renames its record in
// place. An index outside the records raises "Filename index out of bounds
// (<index>)".
class TFileDescriptorToFilenameStrings : public TUnicodeStrings {
public:
    explicit TFileDescriptorToFilenameStrings(std::vector<dropblocks::Bytes>* records) : records_(records) {}
    int GetCount() const override { return static_cast<int>(records_->size()); }
    std::wstring Get(int Index) const override;
    void Put(int Index, const std::wstring& S) override;
    // 0..Count.
    void Insert(int Index, const std::wstring& S) override;
    void Clear() override;
    void Delete(int Index) override;

private:
    void CheckBounds(int Index, int Limit) const;
    std::vector<dropblocks::Bytes>* records_;
};

// Descriptors plus contents on demand. Read from "FileGroupDescriptorW", the
// on-demand "FileContents" and "FileGroupDescriptor", in that order; a
// target then fetches each file's contents with GetStream. A source fills
// FileNames (and any other descriptor fields) and answers OnGetStream.
class TVirtualFileStreamDataFormat : public TCustomDataFormat {
public:
    DECLARE_DATA_FORMAT_CLASS()
    explicit TVirtualFileStreamDataFormat(TDragDropComponent* owner);
    // Empties the descriptors and lets go of the object kept for contents.
    void Clear() override;
    bool HasData() const override { return !FileDescriptors.empty(); }
    // Until both the descriptors and the contents are known.
    bool NeedsData() const override { return FileDescriptors.empty() || !contents_source_; }
    bool Assign(TClipboardFormat* source) override;
    bool AssignTo(TClipboardFormat* dest) override;

    // Reading: whether the object offered contents, and file `index`'s
    // contents fetched from it (empty when it gives none). Raises "Filename
    // index out of bounds (<index>)" outside the descriptors.
    bool HasContents() const { return static_cast<bool>(contents_source_); }
    ComPtr<IStream> GetStream(int index) const;

    // Writing: the contents of file `index` when a target asks for them.
    std::function<void(TObject* sender, int index, ComPtr<IStream>& stream)> OnGetStream;
    // Runs OnGetStream for an index within the descriptors; the stream is
    // handed out from its start. False when there is none.
    bool SupplyStream(int index, ComPtr<IStream>& stream);

    // Wide descriptor records (592 bytes each) and their names.
    std::vector<dropblocks::Bytes> FileDescriptors;
    TFileDescriptorToFilenameStrings FileNames{&FileDescriptors};

private:
    ComPtr<IDataObject> contents_source_;
};
