#include "controls/dragdrop/stream_formats.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "framework/cp1252.h"
#include "controls/dragdrop/drop_blocks.h"
#include "controls/dragdrop/file_formats.h"
#include "framework/exceptions.h"
#include "framework/global_memory.h"
#include "framework/sysutils.h"

DEFINE_REGISTERED_CLIPBOARD_FORMAT(TAnsiFileGroupDescriptorClipboardFormat, TCustomSimpleClipboardFormat, csRead, "FileGroupDescriptor")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TUnicodeFileGroupDescriptorClipboardFormat, TCustomSimpleClipboardFormat, csRead, "FileGroupDescriptorW")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TFileContentsStreamClipboardFormat, TCustomSimpleClipboardFormat, csRead, "FileContents")

// ----------------------------------------------------------------- TStreamList

int TStreamList::Add(const std::string& name, TStream* stream) {
    items_.emplace_back(name, stream);
    return Count() - 1;
}

void TStreamList::Clear() {
    auto old = std::move(items_);
    items_.clear();
    for (auto& item : old) FreeObject(item.second);
}

void TStreamList::Assign(TStreamList& source) {
    if (&source == this) return;
    Clear();
    items_ = std::move(source.items_);
    source.items_.clear();
}

// --------------------------------------------------------- TFixedStreamAdapter

HRESULT TFixedStreamAdapter::Read(void* pv, ULONG cb, ULONG* read) {
    if (!positioned_) {
        positioned_ = true;
        try {
            Stream()->SetPosition(0);
        } catch (...) {
            return STG_E_INVALIDFUNCTION;
        }
    }
    return TStreamAdapter::Read(pv, cb, read);
}

HRESULT TFixedStreamAdapter::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPos) {
    positioned_ = true;
    return TStreamAdapter::Seek(move, origin, newPos);
}

// ----------------------------------------------------- file group descriptors

template <class Name>
bool TFileGroupDescriptorCustomClipboardFormat<Name>::ReadData(const uint8_t* data, size_t size) {
    bool ok;
    if constexpr (sizeof(typename Name::value_type) == 1)
        ok = dropblocks::ReadFileGroupDescriptorA(data, size, Names);
    else
        ok = dropblocks::ReadFileGroupDescriptorW(data, size, Names);
    if (!ok || !dropblocks::ReadFileDescriptorRecords(data, size, kRecordSize, Records)) {
        Clear();
        return false;
    }
    return true;
}

template <class Name>
bool TFileGroupDescriptorCustomClipboardFormat<Name>::WriteData(uint8_t* data, size_t size) const {
    constexpr size_t charSize = sizeof(typename Name::value_type) == 1 ? 1 : 2;
    if (size != GetSize()) return false;
    dropblocks::WriteDword(data, static_cast<uint32_t>(Names.size()));
    for (size_t i = 0; i < Names.size(); ++i) {
        uint8_t* record = data + 4 + i * kRecordSize;
        if (i < Records.size()) std::memcpy(record, Records[i].data(), std::min(kRecordSize, Records[i].size()));
        uint8_t* name = record + dropblocks::kFileDescriptorNameOffset;
        std::memset(name, 0, dropblocks::kFileDescriptorNameChars * charSize);
        const size_t n = std::min(Names[i].size(), dropblocks::kFileDescriptorNameChars - 1);
        for (size_t k = 0; k < n; ++k) {
            using Unit = std::make_unsigned_t<typename Name::value_type>;
            const auto c = static_cast<uint32_t>(static_cast<Unit>(Names[i][k]));
            name[k * charSize] = static_cast<uint8_t>(c & 0xFF);
            if (charSize == 2) name[k * charSize + 1] = static_cast<uint8_t>(c >> 8);
        }
    }
    return true;
}

template <class Name>
const Name& TFileGroupDescriptorCustomClipboardFormat<Name>::Filenames(int index) const {
    if (index < 0 || index >= static_cast<int>(Names.size()))
        throw Exception(Format("Filename index out of bounds (%d)", {index}));
    return Names[static_cast<size_t>(index)];
}

template class TFileGroupDescriptorCustomClipboardFormat<std::string>;
template class TFileGroupDescriptorCustomClipboardFormat<std::wstring>;

// ------------------------------------------------------------------ FileContents

std::vector<std::string> FileGroupDescriptorNames(IDataObject* obj) {
    std::vector<std::string> names;
    TUnicodeFileGroupDescriptorClipboardFormat wide;
    TAnsiFileGroupDescriptorClipboardFormat ansi;
    if (wide.GetData(obj))
        for (const auto& n : wide.Names) names.push_back(NarrowCp1252(n));
    else if (ansi.GetData(obj))
        names = ansi.Names;
    return names;
}

void ForEachDescribedFile(IDataObject* obj, const FORMATETC& Format,
                          const std::function<void(const std::string& Name, const STGMEDIUM& Medium)>& Take) {
    if (!obj) return;
    const std::vector<std::string> names = FileGroupDescriptorNames(obj);
    for (size_t i = 0; i < names.size(); ++i) {
        FORMATETC want = Format;
        want.lindex = static_cast<LONG>(i);
        StgMedium medium;
        if (obj->GetData(&want, medium.Put()) != S_OK) continue;
        if (!(medium.Get().tymed & Format.tymed)) continue;
        Take(names[i], medium.Get());
    }
}

bool TFileContentsStreamClipboardFormat::GetData(IDataObject* obj) {
    Clear();
    ForEachDescribedFile(obj, FormatEtc(), [&](const std::string& name, const STGMEDIUM& medium) {
        pending_name_ = name;
        DoGetData(obj, medium);  // ReadData adds the stream
    });
    pending_name_.clear();
    return Streams.Count() > 0;
}

bool TFileContentsStreamClipboardFormat::ReadData(const uint8_t* data, size_t size) {
    auto* stream = new TMemoryStream();
    try {
        stream->WriteBuffer(data, static_cast<int64_t>(size));
        stream->SetPosition(0);
    } catch (...) {
        stream->Free();
        throw;
    }
    Streams.Add(pending_name_, stream);
    return true;
}

// --------------------------------------------------------- TDataStreamDataFormat

namespace {
void RegisterStreamFormats() {
    RegisterDataConversion(TDataStreamDataFormat::Info, TFileContentsStreamClipboardFormat::Info, 0, csRead);
}
}  // namespace

const TDataFormatClass TDataStreamDataFormat::Info{{"TDataStreamDataFormat", &TCustomDataFormat::Info},
                                                   &RegisterStreamFormats};

void TDataStreamDataFormat::Clear() { Streams.Clear(); }

bool TDataStreamDataFormat::Assign(TClipboardFormat* source) {
    if (&source->Class() != &TFileContentsStreamClipboardFormat::Info) return false;
    DoOnChanging(this);
    Streams.Assign(static_cast<TFileContentsStreamClipboardFormat*>(source)->Streams);
    return true;
}
