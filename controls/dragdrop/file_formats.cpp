#include "controls/dragdrop/file_formats.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/cp1252.h"
#include "controls/dragdrop/stream_formats.h"
#include "controls/dragdrop/virtual_files.h"
#include "framework/com_ptr.h"
#include "framework/exceptions.h"
#include "framework/sysutils.h"

DEFINE_CLIPBOARD_FORMAT_CLASS(TFileClipboardFormat, TCustomSimpleClipboardFormat, csRead);
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TAnsiFilenameClipboardFormat, TCustomAnsiTextClipboardFormat, csRead, "FileName")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TUnicodeFilenameClipboardFormat, TCustomUnicodeTextClipboardFormat, csRead, "FileNameW")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TAnsiFilenameMapClipboardFormat, TCustomSimpleClipboardFormat, csRead, "FileNameMap")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TUnicodeFilenameMapClipboardFormat, TCustomSimpleClipboardFormat, csRead, "FileNameMapW")
DEFINE_REGISTERED_CLIPBOARD_FORMAT(TPIDLClipboardFormat, TCustomSimpleClipboardFormat, csRead, "Shell IDList Array")

namespace {

// Copies as much of the block as fits; a block of another size is the
// caller's choice (the allocation may be larger).
bool CopyBlock(const dropblocks::Bytes& block, uint8_t* data, size_t size) {
    std::memcpy(data, block.data(), std::min(size, block.size()));
    return true;
}

std::vector<std::string> NarrowNames(const TUnicodeStrings& names) {
    std::vector<std::string> out;
    for (int i = 0; i < names.Count(); ++i) out.push_back(NarrowCp1252(names[i]));
    return out;
}

}  // namespace

// ------------------------------------------------------------------- CF_HDROP

bool TFileClipboardFormat::ReadData(const uint8_t* data, size_t size) {
    dropblocks::DropFiles block;
    if (!dropblocks::ReadDropFiles(data, size, block)) return false;
    Files.BeginUpdate();
    Files.Clear();
    if (block.wide)
        for (auto& n : block.wideNames) Files.Add(n);
    else
        for (auto& n : block.ansiNames) Files.Add(WidenCp1252(n));
    Files.EndUpdate();
    return true;
}

dropblocks::Bytes TFileClipboardFormat::Block() const {
    if (Wide) return dropblocks::WriteDropFilesWide(Files.ToVector());
    return dropblocks::WriteDropFilesAnsi(NarrowNames(Files));
}

bool TFileClipboardFormat::WriteData(uint8_t* data, size_t size) const {
    if (size <= dropblocks::kDropFilesHeaderSize) return false;
    return CopyBlock(Block(), data, size);
}

size_t TFileClipboardFormat::GetSize() const { return Block().size(); }

// --------------------------------------------------------- FileName, FileNameW

// -------------------------------------------------- FileNameMap, FileNameMapW

bool TAnsiFilenameMapClipboardFormat::ReadData(const uint8_t* data, size_t size) {
    FileMaps.Clear();
    for (auto& n : dropblocks::ReadNameList8(data, size)) FileMaps.Add(n);
    return FileMaps.Count() > 0;
}

bool TAnsiFilenameMapClipboardFormat::WriteData(uint8_t* data, size_t size) const {
    std::vector<std::string> names;
    for (int i = 0; i < FileMaps.Count(); ++i) names.push_back(FileMaps[i]);
    return CopyBlock(dropblocks::WriteNameList8(names), data, size);
}

size_t TAnsiFilenameMapClipboardFormat::GetSize() const {
    size_t n = 1;
    for (int i = 0; i < FileMaps.Count(); ++i) n += FileMaps[i].size() + 1;
    return n;
}

bool TUnicodeFilenameMapClipboardFormat::ReadData(const uint8_t* data, size_t size) {
    FileMaps.BeginUpdate();
    FileMaps.Clear();
    for (auto& n : dropblocks::ReadNameList16(data, size)) FileMaps.Add(n);
    FileMaps.EndUpdate();
    return FileMaps.Count() > 0;
}

bool TUnicodeFilenameMapClipboardFormat::WriteData(uint8_t* data, size_t size) const {
    return CopyBlock(dropblocks::WriteNameList16(FileMaps.ToVector()), data, size);
}

size_t TUnicodeFilenameMapClipboardFormat::GetSize() const {
    size_t n = 1;
    for (int i = 0; i < FileMaps.Count(); ++i) n += FileMaps[i].size() + 1;
    return n * 2;
}

// ------------------------------------------------------------ shell ID lists

void TPIDLList::Add(dropblocks::Bytes idList) {
    lists_.push_back(std::move(idList));
    if (OnChange) OnChange(nullptr);
}

void TPIDLList::Assign(std::vector<dropblocks::Bytes> lists) {
    lists_ = std::move(lists);
    if (OnChange) OnChange(nullptr);
}

void TPIDLList::Clear() {
    if (lists_.empty()) return;
    lists_.clear();
    if (OnChange) OnChange(nullptr);
}

int TPIDLsToFilenamesStrings::GetCount() const { return list_->Count() < 2 ? 0 : list_->Count() - 1; }

std::wstring TPIDLsToFilenamesStrings::Get(int Index) const {
    if (Index < 0 || Index >= GetCount()) throw Exception("Filename index out of range");
    const auto& parent = list_->Items(0);
    const auto& item = list_->Items(Index + 1);
    dropblocks::Bytes absolute(parent.begin(), parent.end() - 2);  // without its terminator
    absolute.insert(absolute.end(), item.begin(), item.end());
    wchar_t path[MAX_PATH + 1] = {};
    if (!SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(absolute.data()), path)) return {};
    return std::wstring(path, wcsnlen(path, MAX_PATH + 1));
}

bool TPIDLClipboardFormat::ReadData(const uint8_t* data, size_t size) {
    std::vector<dropblocks::Bytes> lists;
    if (!dropblocks::ReadCida(data, size, lists)) return false;
    Pidls.Assign(std::move(lists));
    return true;
}

bool TPIDLClipboardFormat::WriteData(uint8_t* data, size_t size) const {
    if (Pidls.Count() < 1) return false;
    return CopyBlock(dropblocks::WriteCida(Pidls.Lists()), data, size);
}

size_t TPIDLClipboardFormat::GetSize() const {
    if (Pidls.Count() < 1) return 0;
    size_t n = (static_cast<size_t>(Pidls.Count()) + 1) * 4;  // count, and count + 1 offsets
    for (const auto& l : Pidls.Lists()) n += l.size();
    return n;
}

namespace {

struct CoTaskMemDeleter {
    void operator()(void* p) const { CoTaskMemFree(p); }
};
using ShellIdList = std::unique_ptr<ITEMIDLIST, CoTaskMemDeleter>;

}  // namespace

bool FilenamesToPIDLList(const std::vector<std::wstring>& names, TPIDLList& out) {
    out.Clear();
    if (names.empty()) return false;
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Put())) || !desktop) throw Exception("Failed to get interface to Desktop");
    std::vector<dropblocks::Bytes> absolute;
    for (const auto& name : names) {
        std::wstring buf = name;
        PIDLIST_RELATIVE raw = nullptr;
        if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, buf.data(), nullptr, &raw, nullptr)) || !raw)
            throw Exception(Format("Invalid filename: %s", {NarrowCp1252(name)}));
        ShellIdList pidl(raw);
        const UINT size = ILGetSize(pidl.get());
        const auto* bytes = reinterpret_cast<const uint8_t*>(pidl.get());
        absolute.emplace_back(bytes, bytes + size);
    }
    out.Assign(dropblocks::SplitCommonParent(absolute));
    return true;
}

// ---------------------------------------------------------------- data formats

namespace {

void RegisterFileFormats();
void RegisterFileMapFormats();
void RegisterPIDLFormats();

}  // namespace

const TDataFormatClass TFileDataFormat::Info{{"TFileDataFormat", &TCustomDataFormat::Info}, &RegisterFileFormats};
const TDataFormatClass TFileMapDataFormat::Info{{"TFileMapDataFormat", &TCustomDataFormat::Info},
                                                &RegisterFileMapFormats};
const TDataFormatClass TPIDLDataFormat::Info{{"TPIDLDataFormat", &TCustomDataFormat::Info}, &RegisterPIDLFormats};

namespace {

constexpr TConversionScopes kReadWrite = csRead | csWrite;

void RegisterFileFormats() {
    RegisterDataConversion(TFileDataFormat::Info, TFileClipboardFormat::Info, 0, kReadWrite);
    RegisterDataConversion(TFileDataFormat::Info, TPIDLClipboardFormat::Info, 1, kReadWrite);
    RegisterDataConversion(TFileDataFormat::Info, TAnsiFilenameClipboardFormat::Info, 2, kReadWrite);
    RegisterDataConversion(TFileDataFormat::Info, TUnicodeFilenameClipboardFormat::Info, 3, kReadWrite);
}

void RegisterFileMapFormats() {
    RegisterDataConversion(TFileMapDataFormat::Info, TAnsiFilenameMapClipboardFormat::Info, -1, kReadWrite);
    RegisterDataConversion(TFileMapDataFormat::Info, TUnicodeFilenameMapClipboardFormat::Info, 0, kReadWrite);
}

void RegisterPIDLFormats() {
    RegisterDataConversion(TPIDLDataFormat::Info, TPIDLClipboardFormat::Info, 0, kReadWrite);
    RegisterDataConversion(TPIDLDataFormat::Info, TFileClipboardFormat::Info, 1, kReadWrite);
}

}  // namespace

void RegisterStandardDataFormats() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterDataFormat(TFeedbackDataFormat::Info);
    RegisterDataFormat(TTextDataFormat::Info);
    RegisterDataFormat(TFileDataFormat::Info);
    RegisterDataFormat(TFileMapDataFormat::Info);
    RegisterDataFormat(TPIDLDataFormat::Info);
    RegisterDataFormat(TDataStreamDataFormat::Info);
    RegisterDataFormat(TVirtualFileStreamDataFormat::Info);
}

TFileDataFormat::TFileDataFormat(TDragDropComponent* owner) : TCustomDataFormat(owner) {
    Files.OnChanging = [this](TObject* sender) { DoOnChanging(sender); };
}

bool TFileDataFormat::Assign(TClipboardFormat* source) {
    const auto& cls = source->Class();
    if (&cls == &TFileClipboardFormat::Info) {
        Files.Assign(&static_cast<TFileClipboardFormat*>(source)->Files);
    } else if (&cls == &TPIDLClipboardFormat::Info) {
        Files.Assign(&static_cast<TPIDLClipboardFormat*>(source)->Filenames);
    } else if (&cls == &TAnsiFilenameClipboardFormat::Info) {
        Files.Clear();
        Files.Add(WidenCp1252(static_cast<TAnsiFilenameClipboardFormat*>(source)->Data));
    } else if (&cls == &TUnicodeFilenameClipboardFormat::Info) {
        Files.Clear();
        Files.Add(static_cast<TUnicodeFilenameClipboardFormat*>(source)->Text);
    } else {
        return false;
    }
    return true;
}

bool TFileDataFormat::AssignTo(TClipboardFormat* dest) {
    const auto& cls = dest->Class();
    if (&cls == &TFileClipboardFormat::Info) {
        static_cast<TFileClipboardFormat*>(dest)->Files.Assign(&Files);
    } else if (&cls == &TPIDLClipboardFormat::Info) {
        return FilenamesToPIDLList(Files.ToVector(), static_cast<TPIDLClipboardFormat*>(dest)->Pidls);
    } else if (&cls == &TAnsiFilenameClipboardFormat::Info && Files.Count() > 0) {
        static_cast<TAnsiFilenameClipboardFormat*>(dest)->Data = NarrowCp1252(Files[0]);
    } else if (&cls == &TUnicodeFilenameClipboardFormat::Info && Files.Count() > 0) {
        static_cast<TUnicodeFilenameClipboardFormat*>(dest)->Text = Files[0];
    } else {
        return false;
    }
    return true;
}

TFileMapDataFormat::TFileMapDataFormat(TDragDropComponent* owner) : TCustomDataFormat(owner) {
    FileMaps.OnChanging = [this](TObject* sender) { DoOnChanging(sender); };
}

bool TFileMapDataFormat::Assign(TClipboardFormat* source) {
    const auto& cls = source->Class();
    if (&cls == &TAnsiFilenameMapClipboardFormat::Info)
        FileMaps.Assign(&static_cast<TAnsiFilenameMapClipboardFormat*>(source)->FileMaps);
    else if (&cls == &TUnicodeFilenameMapClipboardFormat::Info)
        FileMaps.Assign(&static_cast<TUnicodeFilenameMapClipboardFormat*>(source)->FileMaps);
    else
        return false;
    return true;
}

bool TFileMapDataFormat::AssignTo(TClipboardFormat* dest) {
    const auto& cls = dest->Class();
    if (&cls == &TAnsiFilenameMapClipboardFormat::Info)
        static_cast<TAnsiFilenameMapClipboardFormat*>(dest)->FileMaps.Assign(&FileMaps);
    else if (&cls == &TUnicodeFilenameMapClipboardFormat::Info)
        static_cast<TUnicodeFilenameMapClipboardFormat*>(dest)->FileMaps.Assign(&FileMaps);
    else
        return false;
    return true;
}

TPIDLDataFormat::TPIDLDataFormat(TDragDropComponent* owner) : TCustomDataFormat(owner) {
    Pidls.OnChange = [this](TObject*) { DoOnChanging(this); };
}

bool TPIDLDataFormat::Assign(TClipboardFormat* source) {
    const auto& cls = source->Class();
    if (&cls == &TPIDLClipboardFormat::Info) {
        Pidls.Assign(static_cast<TPIDLClipboardFormat*>(source)->Pidls.Lists());
        return true;
    }
    if (&cls == &TFileClipboardFormat::Info)
        return FilenamesToPIDLList(static_cast<TFileClipboardFormat*>(source)->Files.ToVector(), Pidls);
    return false;
}

bool TPIDLDataFormat::AssignTo(TClipboardFormat* dest) {
    const auto& cls = dest->Class();
    if (&cls == &TPIDLClipboardFormat::Info) {
        static_cast<TPIDLClipboardFormat*>(dest)->Pidls.Assign(Pidls.Lists());
        return true;
    }
    if (&cls == &TFileClipboardFormat::Info) {
        static_cast<TFileClipboardFormat*>(dest)->Files.Assign(&Filenames);
        return true;
    }
    return false;
}
