// Data carried as streams and storages, and the virtual files a source can
// offer without files on disk: "FileGroupDescriptor(W)" (names) and
// "FileContents" (one medium per file, asked for by index).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/dragdrop/data_format.h"
#include "controls/dragdrop/drop_blocks.h"
#include "framework/com_ptr.h"
#include "framework/stream_adapter.h"
#include "framework/streams.h"

// Named streams the list owns.
class TStreamList {
public:
    TStreamList() = default;
    TStreamList(const TStreamList&) = delete;
    TStreamList& operator=(const TStreamList&) = delete;
    ~TStreamList() { Clear(); }
    int Add(const std::string& name, TStream* stream);
    int Count() const { return static_cast<int>(items_.size()); }
    TStream* Streams(int i) const { return items_.at(static_cast<size_t>(i)).second; }
    const std::string& Names(int i) const { return items_.at(static_cast<size_t>(i)).first; }
    void Clear();
    // Copies the names and takes the streams (the source is left empty).
    void Assign(TStreamList& source);

private:
    std::vector<std::pair<std::string, TStream*>> items_;
};

// Named COM interfaces, one reference each.
template <class I>
class TNamedInterfaceList {
public:
    int Add(const std::string& name, I* item) {
        items_.emplace_back(name, ComPtr<I>::Copy(item));
        return Count() - 1;
    }
    int Count() const { return static_cast<int>(items_.size()); }
    I* Items(int i) const { return items_.at(static_cast<size_t>(i)).second.Get(); }
    const std::string& Names(int i) const { return items_.at(static_cast<size_t>(i)).first; }
    void Clear() { items_.clear(); }

private:
    std::vector<std::pair<std::string, ComPtr<I>>> items_;
};
using TStorageInterfaceList = TNamedInterfaceList<IStorage>;

// Owned memory blocks.
class TMemoryList {
public:
    int Add(std::vector<uint8_t> block) {
        blocks_.push_back(std::move(block));
        return static_cast<int>(blocks_.size()) - 1;
    }
    int Count() const { return static_cast<int>(blocks_.size()); }
    const std::vector<uint8_t>& Items(int i) const { return blocks_.at(static_cast<size_t>(i)); }
    void Delete(int i) { blocks_.erase(blocks_.begin() + i); }
    void Clear() { blocks_.clear(); }

private:
    std::vector<std::vector<uint8_t>> blocks_;
};

// A stream adapter whose first read starts at the stream's beginning when
// no seek came before it (readers that never seek get the whole stream).
class TFixedStreamAdapter : public TStreamAdapter {
public:
    using TStreamAdapter::TStreamAdapter;
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPos) override;

private:
    bool positioned_ = false;
};

// A file group descriptor block: a count, then one record per file with
// its name at byte 72 (260 characters). Name is std::string for the 332-byte
// records of "FileGroupDescriptor", std::wstring for the 592-byte records of
// "FileGroupDescriptorW".
template <class Name>
class TFileGroupDescriptorCustomClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    static constexpr size_t kRecordSize = sizeof(typename Name::value_type) == 1
                                              ? dropblocks::kFileDescriptorASize
                                              : dropblocks::kFileDescriptorWSize;
    // Fills Names and Records.
    bool ReadData(const uint8_t* data, size_t size) override;
    // Only into a block of exactly GetSize() bytes: one record per name, its
    // other fields from Records where there is one; names cut to 259
    // characters.
    bool WriteData(uint8_t* data, size_t size) const override;
    size_t GetSize() const override { return 4 + Names.size() * kRecordSize; }
    void Clear() override {
        Names.clear();
        Records.clear();
    }
    bool HasData() const override { return !Names.empty(); }
    // Raises "Filename index out of bounds (<index>)".
    const Name& Filenames(int index) const;
    std::vector<Name> Names;
    // The whole records as read (flags, class id, sizes, attributes, times
    // and the name), kRecordSize bytes each.
    std::vector<dropblocks::Bytes> Records;
};

class TAnsiFileGroupDescriptorClipboardFormat : public TFileGroupDescriptorCustomClipboardFormat<std::string> {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override;
};

class TUnicodeFileGroupDescriptorClipboardFormat : public TFileGroupDescriptorCustomClipboardFormat<std::wstring> {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    CLIPFORMAT GetClipboardFormat() const override;
};

// The names of the object's file group descriptor ("FileGroupDescriptorW"
// first, then "FileGroupDescriptor"); none when it offers neither.
std::vector<std::string> FileGroupDescriptorNames(IDataObject* obj);
// Asks obj for the contents of every file its group descriptor names (the
// format with lindex set to the file's index) and hands each answer of one
// of the format's media to Take; the medium is released after the call.
void ForEachDescribedFile(IDataObject* obj, const FORMATETC& Format,
                          const std::function<void(const std::string& Name, const STGMEDIUM& Medium)>& Take);

// "FileContents" as one stream per file described by the object's file
// group descriptor (wide first), read from global memory, streams or
// storages into memory streams named after the files.
class TFileContentsStreamClipboardFormat : public TCustomSimpleClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    TFileContentsStreamClipboardFormat()
        : TCustomSimpleClipboardFormat(TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_ISTORAGE) {}
    CLIPFORMAT GetClipboardFormat() const override;
    bool GetData(IDataObject* obj) override;
    bool ReadData(const uint8_t* data, size_t size) override;
    bool WriteData(uint8_t*, size_t) const override { return false; }
    size_t GetSize() const override { return 0; }
    void Clear() override { Streams.Clear(); }
    bool HasData() const override { return Streams.Count() > 0; }
    TStreamList Streams;

private:
    std::string pending_name_;
};

// Streams received from "FileContents".
class TDataStreamDataFormat : public TCustomDataFormat {
public:
    DECLARE_DATA_FORMAT_CLASS()
    explicit TDataStreamDataFormat(TDragDropComponent* owner) : TCustomDataFormat(owner) {}
    void Clear() override;
    bool HasData() const override { return Streams.Count() > 0; }
    bool Assign(TClipboardFormat* source) override;
    TStreamList Streams;
};
