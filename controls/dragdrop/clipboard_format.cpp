#include "controls/dragdrop/clipboard_format.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "controls/dragdrop/data_format.h"
#include "controls/dragdrop/drop_blocks.h"
#include "framework/com_ptr.h"
#include "framework/exceptions.h"
#include "framework/global_memory.h"
#include "framework/sysutils.h"

const TClipboardFormatClass TClipboardFormat::Info{{"TClipboardFormat", nullptr}, nullptr, csRead};
const TClipboardFormatClass TCustomSimpleClipboardFormat::Info{{"TCustomSimpleClipboardFormat", &TClipboardFormat::Info},
                                                               nullptr, csRead};
const TClipboardFormatClass TCustomAnsiStringClipboardFormat::Info{
    {"TCustomAnsiStringClipboardFormat", &TCustomSimpleClipboardFormat::Info}, nullptr, csRead};
const TClipboardFormatClass TCustomStringListClipboardFormat::Info{
    {"TCustomStringListClipboardFormat", &TCustomSimpleClipboardFormat::Info}, nullptr, csRead};
const TClipboardFormatClass TCustomDWORDClipboardFormat::Info{
    {"TCustomDWORDClipboardFormat", &TCustomSimpleClipboardFormat::Info}, nullptr, csRead};

// ----------------------------------------------------------- TClipboardFormat

TClipboardFormat::TClipboardFormat(DWORD tymed) {
    fmt_.ptd = nullptr;
    fmt_.dwAspect = DVASPECT_CONTENT;
    fmt_.lindex = -1;
    fmt_.tymed = tymed;
}

TClipboardFormat::TClipboardFormat(const FORMATETC& fmt) : fmt_(fmt) {}

const FORMATETC& TClipboardFormat::FormatEtc() const {
    if (fmt_.cfFormat == 0) fmt_.cfFormat = GetClipboardFormat();
    return fmt_;
}

CLIPFORMAT TClipboardFormat::GetClipboardFormat() const {
    if (fmt_.cfFormat != 0) return fmt_.cfFormat;
    throw Exception(Format("Internal error: %s.%s needs implementation", {Class().name, "GetClipboardFormat"}));
}

void TClipboardFormat::SetClipboardFormat(CLIPFORMAT id) { fmt_.cfFormat = id; }

std::string TClipboardFormat::ClipboardFormatName() const {
    char buf[256];
    const int n = ::GetClipboardFormatNameA(GetClipboardFormat(), buf, 256);
    return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

void TClipboardFormat::SetClipboardFormatName(const std::string&) {
    throw Exception(Format("%s.ClipboardFormat is read-only", {Class().name}));
}

CLIPFORMAT TClipboardFormat::RegisterName(const char* name) {
    return static_cast<CLIPFORMAT>(RegisterClipboardFormatA(name));
}

DWORD TClipboardFormat::GetValidMedia(IDataObject* obj) const {
    DWORD media = 0;
    FORMATETC probe = FormatEtc();
    for (DWORD bit = 1; bit != 0 && bit <= FormatEtc().tymed; bit <<= 1) {
        if (!(FormatEtc().tymed & bit)) continue;
        probe.tymed = bit;
        if (obj->QueryGetData(&probe) == S_OK) media |= bit;
    }
    return media;
}

bool TClipboardFormat::HasValidFormats(IDataObject* obj) const {
    FORMATETC probe = FormatEtc();
    for (DWORD bit = 1; bit != 0 && bit <= FormatEtc().tymed; bit <<= 1) {
        if (!(FormatEtc().tymed & bit)) continue;
        probe.tymed = bit;
        if (obj->QueryGetData(&probe) == S_OK) return true;
    }
    return false;
}

bool TClipboardFormat::AcceptFormat(const FORMATETC& fmt) const {
    return fmt.cfFormat == FormatEtc().cfFormat && fmt.ptd == nullptr && fmt.dwAspect == FormatEtc().dwAspect &&
           (fmt.tymed & FormatEtc().tymed) != 0;
}

bool TClipboardFormat::GetData(IDataObject* obj) {
    Clear();
    FORMATETC want = FormatEtc();
    want.tymed = GetValidMedia(obj);
    if (want.tymed == 0) return false;
    STGMEDIUM medium{};
    if (obj->GetData(&want, &medium) != S_OK) return false;
    return GetDataFromMedium(obj, medium);
}

bool TClipboardFormat::GetDataFromMedium(IDataObject* source, STGMEDIUM& medium) {
    StgMedium owned;
    *owned.Put() = medium;
    medium = STGMEDIUM{};
    Clear();
    if (!(owned.Get().tymed & FormatEtc().tymed)) return false;
    return DoGetData(source, owned.Get());
}

bool TClipboardFormat::SetDataOn(IDataObject* obj) {
    StgMedium medium;
    FORMATETC fmt = FormatEtc();
    if (!DoSetData(fmt, *medium.Put())) return false;
    fmt.tymed = medium.Get().tymed;
    STGMEDIUM m = medium.Get();
    if (obj->SetData(&fmt, &m, TRUE) != S_OK) return false;  // `medium` still owns it
    medium.Detach();                                          // now the object's
    return true;
}

bool TClipboardFormat::Render(const FORMATETC& request, STGMEDIUM& medium) {
    medium = STGMEDIUM{};
    try {
        if (!AcceptFormat(request)) return false;
        StgMedium owned;
        if (!DoSetData(request, *owned.Put())) return false;
        medium = owned.Detach();
        return true;
    } catch (...) {
        return false;
    }
}

bool TClipboardFormat::Assign(TCustomDataFormat*) { return false; }
bool TClipboardFormat::AssignTo(TCustomDataFormat*) { return false; }
bool TClipboardFormat::DoGetData(IDataObject*, const STGMEDIUM&) { return false; }
bool TClipboardFormat::DoSetData(const FORMATETC&, STGMEDIUM&) { return false; }

// ----------------------------------------------- TCustomSimpleClipboardFormat

bool TCustomSimpleClipboardFormat::ReadGlobal(HGLOBAL h, size_t limit) {
    GlobalLockScope lock(h);
    const size_t size = std::min(lock.Size(), limit);
    if (!lock.Data() || size == 0) return false;
    return ReadData(lock.Data(), size);
}

bool TCustomSimpleClipboardFormat::ReadStream(IStream* stream) {
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return false;
    if (stat.cbSize.QuadPart > std::numeric_limits<size_t>::max() / 2) return false;
    const auto size = static_cast<size_t>(stat.cbSize.QuadPart);
    GlobalMemory block = GlobalMemory::Allocate(size);
    if (!block) return false;
    LARGE_INTEGER zero{};
    if (FAILED(stream->Seek(zero, STREAM_SEEK_SET, nullptr))) return false;
    GlobalLockScope lock(block.Get());
    if (!lock.Data()) return false;
    size_t done = 0;
    while (done < size) {
        const ULONG piece = static_cast<ULONG>(std::min(kStreamPiece, size - done));
        ULONG got = 0;
        const HRESULT hr = stream->Read(lock.Data() + done, piece, &got);
        if (FAILED(hr)) return false;  // a broken read is no data, not the first part of it
        done += std::min<size_t>(got, piece);
        if (got < piece) break;  // a short or empty read ends the data
    }
    if (done == 0) return false;
    return ReadData(lock.Data(), done);
}

bool TCustomSimpleClipboardFormat::ReadStorage(IStorage* storage) {
    ComPtr<ILockBytes> bytes;
    if (FAILED(CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.Put()))) return false;
    ComPtr<IStorage> copy;
    if (FAILED(StgCreateDocfileOnILockBytes(bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                            copy.Put())))
        return false;
    if (FAILED(storage->CopyTo(0, nullptr, nullptr, copy.Get())) || FAILED(copy->Commit(STGC_DEFAULT))) return false;
    STATSTG stat{};
    HGLOBAL h = nullptr;
    if (FAILED(bytes->Stat(&stat, STATFLAG_NONAME)) || FAILED(GetHGlobalFromILockBytes(bytes.Get(), &h)))
        return false;
    return ReadGlobal(h, static_cast<size_t>(stat.cbSize.QuadPart));
}

bool TCustomSimpleClipboardFormat::DoGetData(IDataObject*, const STGMEDIUM& medium) {
    switch (medium.tymed) {
    case TYMED_HGLOBAL:
        return ReadGlobal(medium.hGlobal, std::numeric_limits<size_t>::max());
    case TYMED_ISTREAM:
        return medium.pstm && ReadStream(medium.pstm);
    case TYMED_ISTORAGE:
        return medium.pstg && ReadStorage(medium.pstg);
    default:
        return false;
    }
}

bool TCustomSimpleClipboardFormat::DoSetData(const FORMATETC& request, STGMEDIUM& medium) {
    const size_t size = GetSize();
    if (size == 0) return false;
    GlobalMemory block = GlobalMemory::Allocate(size);
    if (!block) return false;
    {
        GlobalLockScope lock(block.Get());
        if (!lock.Data() || !WriteData(lock.Data(), size)) return false;
    }
    const bool wantsStream = request.tymed != static_cast<DWORD>(-1) && !(request.tymed & TYMED_HGLOBAL) &&
                             (request.tymed & TYMED_ISTREAM);
    if (wantsStream) {
        ComPtr<IStream> stream;
        if (FAILED(CreateStreamOnHGlobal(block.Get(), TRUE, stream.Put()))) return false;
        block.Detach();  // the stream frees it
        ULARGE_INTEGER sz;
        sz.QuadPart = size;
        stream->SetSize(sz);
        medium.tymed = TYMED_ISTREAM;
        medium.pstm = stream.Detach();
    } else {
        medium.tymed = TYMED_HGLOBAL;
        medium.hGlobal = block.Detach();
    }
    medium.pUnkForRelease = nullptr;
    return true;
}

// ------------------------------------------------------------- value formats

bool TCustomAnsiStringClipboardFormat::ReadData(const uint8_t* data, size_t size) {
    Data = dropblocks::ReadAnsiText(data, size, trim_zeroes_);
    return true;
}

bool TCustomAnsiStringClipboardFormat::WriteData(uint8_t* data, size_t size) const {
    if (size > Data.size() + 1) return false;
    std::memcpy(data, Data.data(), std::min(size, Data.size()));
    return true;
}

bool TCustomStringListClipboardFormat::ReadData(const uint8_t* data, size_t size) {
    Lines.SetText(dropblocks::ReadStringListText(data, size));
    return true;
}

bool TCustomStringListClipboardFormat::WriteData(uint8_t* data, size_t size) const {
    const std::string text = Lines.Text();
    if (size != text.size() + 1) return false;
    std::memcpy(data, text.c_str(), size);
    return true;
}

bool TCustomDWORDClipboardFormat::ReadData(const uint8_t* data, size_t size) {
    return dropblocks::ReadDword(data, size, Value);
}

bool TCustomDWORDClipboardFormat::WriteData(uint8_t* data, size_t size) const {
    if (size != 4) return false;
    dropblocks::WriteDword(data, Value);
    return true;
}

DEFINE_REGISTERED_CLIPBOARD_FORMAT(TPreferredDropEffectClipboardFormat, TCustomDWORDClipboardFormat, csRead,
                                   "Preferred DropEffect")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TPerformedDropEffectClipboardFormat, TCustomDWORDClipboardFormat, csWrite,
                                   "Performed DropEffect")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TLogicalPerformedDropEffectClipboardFormat, TCustomDWORDClipboardFormat, csWrite,
                                   "Logical Performed DropEffect")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TPasteSucceededClipboardFormat, TCustomDWORDClipboardFormat, csWrite,
                                   "Paste Succeeded")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TInShellDragLoopClipboardFormat, TCustomDWORDClipboardFormat, csRead,
                                   "InShellDragLoop")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TTargetCLSIDClipboardFormat, TCustomSimpleClipboardFormat, csWrite, "TargetCLSID")

bool TTargetCLSIDClipboardFormat::ReadData(const uint8_t* data, size_t size) {
    if (size != sizeof(CLSID)) return false;
    std::memcpy(&Value, data, sizeof(CLSID));
    return true;
}

bool TTargetCLSIDClipboardFormat::WriteData(uint8_t* data, size_t size) const {
    if (size != sizeof(CLSID)) return false;
    std::memcpy(data, &Value, sizeof(CLSID));
    return true;
}

bool TTargetCLSIDClipboardFormat::HasData() const { return !IsEqualGUID(Value, GUID_NULL); }

// ----------------------------------------------------------- TClipboardFormats

int TClipboardFormats::Add(TClipboardFormat* format) {
    formats_.push_back(format);
    if (owns_ && data_format_) format->DataFormat = data_format_;
    return Count() - 1;
}

TClipboardFormat* TClipboardFormats::FindFormat(const TFormatClassInfo& cls) const {
    for (TClipboardFormat* f : formats_)
        if (f->Class().InheritsFrom(&cls)) return f;
    return nullptr;
}

TClipboardFormat* TClipboardFormats::GetFormat(const TFormatClassInfo& cls) const {
    if (TClipboardFormat* f = FindFormat(cls)) return f;
    const char* owner = data_format_ ? data_format_->Class().name : "";
    throw Exception(
        Format("Clipboard format %s does not exist in %s's list of copatible formats", {cls.name, owner}));
}

void TClipboardFormats::Clear() {
    std::vector<TClipboardFormat*> old;
    old.swap(formats_);
    if (owns_)
        for (auto it = old.rbegin(); it != old.rend(); ++it) delete *it;
}

// ------------------------------------------------------------------- names

std::string ClipboardFormatToName(UINT id) {
    static const char* const kStandard[] = {"CF_TEXT",    "CF_BITMAP",      "CF_METAFILEPICT", "CF_SYLK",
                                            "CF_DIF",     "CF_TIFF",        "CF_OEMTEXT",      "CF_DIB",
                                            "CF_PALETTE", "CF_PENDATA",     "CF_RIFF",         "CF_WAVE",
                                            "CF_UNICODETEXT", "CF_ENHMETAFILE", "CF_HDROP",    "CF_LOCALE",
                                            "CF_DIBV5",   "CF_MAX_XP"};
    if (id >= 1 && id <= 18) return kStandard[id - 1];
    switch (id) {
    case 128: return "CF_OWNERDISPLAY";
    case 129: return "CF_DSPTEXT";
    case 130: return "CF_DSPBITMAP";
    case 131: return "CF_DSPMETAFILEPICT";
    case 142: return "CF_DSPENHMETAFILE";
    default: break;
    }
    char buf[256];
    const int n = GetClipboardFormatNameA(id, buf, 256);
    return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
}
