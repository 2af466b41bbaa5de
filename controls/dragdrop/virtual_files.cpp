#include "controls/dragdrop/virtual_files.h"

#include <cstring>
#include <utility>

#include "controls/dragdrop/drop_blocks.h"
#include "framework/cp1252.h"
#include "framework/exceptions.h"
#include "framework/global_memory.h"
#include "framework/sysutils.h"

DEFINE_REGISTERED_CLIPBOARD_FORMAT(TFileContentsClipboardFormat, TCustomAnsiStringClipboardFormat, csRead,
                                   "FileContents")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TFileContentsStreamOnDemandClipboardFormat, TClipboardFormat, csRead,
                                   "FileContents")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TFileContentsStorageClipboardFormat, TClipboardFormat, csRead, "FileContents")

namespace {

[[noreturn]] void FilenameIndexError(int index) {
    throw Exception(Format("Filename index out of bounds (%d)", {index}));
}

// A stream of its own over a copy of the block: the medium's block goes
// when the medium is released.
ComPtr<IStream> StreamOfGlobal(HGLOBAL h) {
    GlobalLockScope lock(h);
    if (!lock.Data()) return {};
    const size_t size = lock.Size();
    GlobalMemory copy = GlobalMemory::FromBytes(lock.Data(), size);
    if (!copy) return {};
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(copy.Get(), TRUE, stream.Put()))) return {};
    copy.Detach();  // the stream frees it
    ULARGE_INTEGER sz;
    sz.QuadPart = size;
    stream->SetSize(sz);
    return stream;
}

// File `index`'s "FileContents" from the object, at the stream's start.
ComPtr<IStream> FetchContents(IDataObject* obj, CLIPFORMAT format, int index) {
    if (!obj) return {};
    FORMATETC want{format, nullptr, DVASPECT_CONTENT, index, TYMED_ISTREAM | TYMED_HGLOBAL};
    StgMedium medium;
    if (obj->GetData(&want, medium.Put()) != S_OK) return {};
    const STGMEDIUM& m = medium.Get();
    ComPtr<IStream> stream;
    if (m.tymed == TYMED_ISTREAM && m.pstm)
        stream = ComPtr<IStream>::Copy(m.pstm);
    else if (m.tymed == TYMED_HGLOBAL && m.hGlobal)
        stream = StreamOfGlobal(m.hGlobal);
    if (stream) {
        LARGE_INTEGER zero{};
        stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    }
    return stream;
}

}  // namespace

// ------------------------------------------------- contents streamed on demand

bool TFileContentsStreamOnDemandClipboardFormat::GetData(IDataObject* obj) {
    Clear();
    if (!obj) return false;
    // Sources that hand out contents only per file answer for index 0.
    FORMATETC first = FormatEtc();
    first.lindex = 0;
    if (!HasValidFormats(obj) && obj->QueryGetData(&first) != S_OK) return false;
    source_ = ComPtr<IDataObject>::Copy(obj);
    GotData = true;
    return true;
}

void TFileContentsStreamOnDemandClipboardFormat::Clear() {
    GotData = false;
    source_.Reset();
}

ComPtr<IStream> TFileContentsStreamOnDemandClipboardFormat::GetStream(int index) const {
    return FetchContents(source_.Get(), FormatEtc().cfFormat, index);
}

bool TFileContentsStreamOnDemandClipboardFormat::DoSetData(const FORMATETC& request, STGMEDIUM& medium) {
    GotData = true;
    if (!(request.tymed & TYMED_ISTREAM) || !DataFormat ||
        !DataFormat->Class().InheritsFrom(&TVirtualFileStreamDataFormat::Info))
        return false;
    ComPtr<IStream> stream;
    if (!static_cast<TVirtualFileStreamDataFormat*>(DataFormat)->SupplyStream(request.lindex, stream)) return false;
    medium.tymed = TYMED_ISTREAM;
    medium.pstm = stream.Detach();
    medium.pUnkForRelease = nullptr;
    return true;
}

// ------------------------------------------------------- contents as storages

bool TFileContentsStorageClipboardFormat::GetData(IDataObject* obj) {
    Clear();
    ForEachDescribedFile(obj, FormatEtc(), [&](const std::string& name, const STGMEDIUM& medium) {
        if (medium.tymed == TYMED_ISTORAGE && medium.pstg) Storages.Add(name, medium.pstg);  // a reference of our own
    });
    return Storages.Count() > 0;
}

bool TFileContentsStorageClipboardFormat::DoSetData(const FORMATETC& request, STGMEDIUM& medium) {
    if (!(request.tymed & TYMED_ISTORAGE) || request.lindex < 0 || request.lindex >= Storages.Count()) return false;
    IStorage* storage = Storages.Items(request.lindex);
    if (!storage) return false;
    storage->AddRef();
    medium.tymed = TYMED_ISTORAGE;
    medium.pstg = storage;
    medium.pUnkForRelease = nullptr;
    return true;
}

// ---------------------------------------------- descriptor names as a list

void TFileDescriptorToFilenameStrings::CheckBounds(int Index, int Limit) const {
    if (Index < 0 || Index >= Limit) FilenameIndexError(Index);
}

std::wstring TFileDescriptorToFilenameStrings::Get(int Index) const {
    CheckBounds(Index, GetCount());
    return dropblocks::FileDescriptorNameW((*records_)[static_cast<size_t>(Index)]);
}

void TFileDescriptorToFilenameStrings::Put(int Index, const std::wstring& S) {
    CheckBounds(Index, GetCount());
    BeginUpdate();
    dropblocks::SetFileDescriptorNameW((*records_)[static_cast<size_t>(Index)], S);
    EndUpdate();
}

void TFileDescriptorToFilenameStrings::Insert(int Index, const std::wstring& S) {
    CheckBounds(Index, GetCount() + 1);
    dropblocks::Bytes record(dropblocks::kFileDescriptorWSize, 0);
    dropblocks::SetFileDescriptorNameW(record, S);
    BeginUpdate();
    records_->insert(records_->begin() + Index, std::move(record));
    EndUpdate();
}

void TFileDescriptorToFilenameStrings::Clear() {
    if (records_->empty()) return;
    BeginUpdate();
    records_->clear();
    EndUpdate();
}

void TFileDescriptorToFilenameStrings::Delete(int Index) {
    CheckBounds(Index, GetCount());
    BeginUpdate();
    records_->erase(records_->begin() + Index);
    EndUpdate();
}

// ------------------------------------------------- TVirtualFileStreamDataFormat

namespace {

void RegisterVirtualFileFormats() {
    constexpr TConversionScopes kReadWrite = csRead | csWrite;
    RegisterDataConversion(TVirtualFileStreamDataFormat::Info, TFileContentsStreamOnDemandClipboardFormat::Info, 0,
                           kReadWrite);
    RegisterDataConversion(TVirtualFileStreamDataFormat::Info, TUnicodeFileGroupDescriptorClipboardFormat::Info, 0,
                           kReadWrite);
    RegisterDataConversion(TVirtualFileStreamDataFormat::Info, TAnsiFileGroupDescriptorClipboardFormat::Info, 1,
                           kReadWrite);
}

}  // namespace

const TDataFormatClass TVirtualFileStreamDataFormat::Info{{"TVirtualFileStreamDataFormat", &TCustomDataFormat::Info},
                                                          &RegisterVirtualFileFormats};

TVirtualFileStreamDataFormat::TVirtualFileStreamDataFormat(TDragDropComponent* owner) : TCustomDataFormat(owner) {
    FileNames.OnChanging = [this](TObject* sender) { DoOnChanging(sender); };
}

void TVirtualFileStreamDataFormat::Clear() {
    FileNames.Clear();
    contents_source_.Reset();
}

bool TVirtualFileStreamDataFormat::Assign(TClipboardFormat* source) {
    const auto& cls = source->Class();
    if (&cls == &TUnicodeFileGroupDescriptorClipboardFormat::Info) {
        const auto* wide = static_cast<TUnicodeFileGroupDescriptorClipboardFormat*>(source);
        std::vector<dropblocks::Bytes> records;
        for (size_t i = 0; i < wide->Names.size(); ++i) {
            dropblocks::Bytes record = i < wide->Records.size() ? wide->Records[i] : dropblocks::Bytes{};
            dropblocks::SetFileDescriptorNameW(record, wide->Names[i]);
            records.push_back(std::move(record));
        }
        DoOnChanging(this);
        FileDescriptors = std::move(records);
        return true;
    }
    if (&cls == &TAnsiFileGroupDescriptorClipboardFormat::Info) {
        const auto* ansi = static_cast<TAnsiFileGroupDescriptorClipboardFormat*>(source);
        std::vector<dropblocks::Bytes> records;
        for (size_t i = 0; i < ansi->Names.size(); ++i) {
            dropblocks::Bytes record = i < ansi->Records.size() ? dropblocks::FileDescriptorAToW(ansi->Records[i])
                                                                : dropblocks::Bytes{};
            dropblocks::SetFileDescriptorNameW(record, WidenCp1252(ansi->Names[i]));
            records.push_back(std::move(record));
        }
        DoOnChanging(this);
        FileDescriptors = std::move(records);
        return true;
    }
    if (&cls == &TFileContentsStreamOnDemandClipboardFormat::Info) {
        auto* contents = static_cast<TFileContentsStreamOnDemandClipboardFormat*>(source);
        if (!contents->GotData || !contents->Source()) return false;
        contents_source_ = ComPtr<IDataObject>::Copy(contents->Source());
        return true;
    }
    return false;
}

bool TVirtualFileStreamDataFormat::AssignTo(TClipboardFormat* dest) {
    const auto& cls = dest->Class();
    if (&cls == &TUnicodeFileGroupDescriptorClipboardFormat::Info) {
        auto* wide = static_cast<TUnicodeFileGroupDescriptorClipboardFormat*>(dest);
        wide->Records = FileDescriptors;
        wide->Names = FileNames.ToVector();
        return !FileDescriptors.empty();
    }
    if (&cls == &TAnsiFileGroupDescriptorClipboardFormat::Info) {
        auto* ansi = static_cast<TAnsiFileGroupDescriptorClipboardFormat*>(dest);
        ansi->Records.clear();
        ansi->Names.clear();
        for (const auto& record : FileDescriptors) {
            ansi->Records.push_back(dropblocks::FileDescriptorWToA(record));
            ansi->Names.push_back(NarrowCp1252(dropblocks::FileDescriptorNameW(record)));
        }
        return !FileDescriptors.empty();
    }
    if (&cls == &TFileContentsStreamOnDemandClipboardFormat::Info) {
        dest->DataFormat = this;  // it asks for the streams when they are wanted
        return true;
    }
    return false;
}

ComPtr<IStream> TVirtualFileStreamDataFormat::GetStream(int index) const {
    if (index < 0 || index >= static_cast<int>(FileDescriptors.size())) FilenameIndexError(index);
    TFileContentsStreamOnDemandClipboardFormat format;
    return FetchContents(contents_source_.Get(), format.FormatEtc().cfFormat, index);
}

bool TVirtualFileStreamDataFormat::SupplyStream(int index, ComPtr<IStream>& stream) {
    stream.Reset();
    if (index < 0 || index >= static_cast<int>(FileDescriptors.size()) || !OnGetStream) return false;
    OnGetStream(this, index, stream);
    if (!stream) return false;
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    return true;
}
