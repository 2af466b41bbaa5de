// Virtual files through real data objects: the contents as a string, as
// streams asked for on demand and as storages, descriptor names as a list,
// and the virtual-file data format from source to target over the OLE
// clipboard.
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>

#include "controls/dragdrop/virtual_files.h"
#include "framework/exceptions.h"
#include "framework/global_memory.h"
#include "tests/controls/dragdrop/test_data_object.h"

static_assert(sizeof(FILEDESCRIPTORW) == dropblocks::kFileDescriptorWSize);
static_assert(sizeof(FILEDESCRIPTORA) == dropblocks::kFileDescriptorASize);
static_assert(offsetof(FILEDESCRIPTORW, cFileName) == dropblocks::kFileDescriptorNameOffset);
static_assert(offsetof(FILEDESCRIPTORA, cFileName) == dropblocks::kFileDescriptorNameOffset);

namespace {

// A source's data object: answers GetData by rendering the first format that
// accepts the request, as a drag source or a clipboard owner does.
class RenderingDataObject final : public ComObject<IDataObject> {
public:
    RenderingDataObject(std::vector<TClipboardFormat*> formats, int* alive) : formats_(std::move(formats)), alive_(alive) {
        ++*alive_;
    }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
        *m = STGMEDIUM{};
        for (TClipboardFormat* format : formats_)
            if (format->AcceptFormat(*f)) return format->Render(*f, *m) ? S_OK : DV_E_LINDEX;
        return DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
        for (TClipboardFormat* format : formats_)
            if (format->AcceptFormat(*f)) return S_OK;
        return DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dir, IEnumFORMATETC** out) override {
        *out = nullptr;
        if (dir != DATADIR_GET) return E_NOTIMPL;
        std::vector<FORMATETC> fmts;
        for (TClipboardFormat* format : formats_) fmts.push_back(format->FormatEtc());
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(fmts.size()), fmts.data(), out);
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    ~RenderingDataObject() override { --*alive_; }
    std::vector<TClipboardFormat*> formats_;
    int* alive_;
};

// Puts a rendering object on the OLE clipboard for the scope and hands out
// the clipboard's own data object; the source is gone at the end.
class OnTheClipboard {
public:
    OnTheClipboard(std::vector<TClipboardFormat*> formats) {
        ComPtr<IDataObject> source(new RenderingDataObject(std::move(formats), &alive_));
        ok_ = OleSetClipboard(source.Get()) == S_OK && OleGetClipboard(clip_.Put()) == S_OK && clip_;
    }
    ~OnTheClipboard() {
        clip_.Reset();
        OleSetClipboard(nullptr);
        EXPECT_EQ(alive_, 0) << "the source data object outlived the clipboard";
    }
    bool Ok() const { return ok_; }
    IDataObject* Get() const { return clip_.Get(); }

private:
    int alive_ = 0;
    bool ok_ = false;
    ComPtr<IDataObject> clip_;
};

std::string ReadAll(IStream* s) {
    std::string out;
    char buf[64];
    ULONG got = 0;
    while (SUCCEEDED(s->Read(buf, sizeof buf, &got)) && got > 0) out.append(buf, got);
    return out;
}

ComPtr<IStream> StreamOf(const std::string& bytes) {
    ComPtr<IStream> s;
    CreateStreamOnHGlobal(nullptr, TRUE, s.Put());
    s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);  // left at its end
    return s;
}

// A compound file on global memory with the bytes in its stream "data".
ComPtr<IStorage> StorageOf(const std::string& bytes) {
    const DWORD mode = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
    ComPtr<ILockBytes> lb;
    ComPtr<IStorage> stg;
    ComPtr<IStream> s;
    CreateILockBytesOnHGlobal(nullptr, TRUE, lb.Put());
    StgCreateDocfileOnILockBytes(lb.Get(), mode, 0, stg.Put());
    stg->CreateStream(L"data", mode, 0, 0, s.Put());
    s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    s.Reset();
    stg->Commit(STGC_DEFAULT);
    return stg;
}

std::string DataOf(IStorage* storage) {
    ComPtr<IStream> s;
    if (FAILED(storage->OpenStream(L"data", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, s.Put()))) return "<none>";
    return ReadAll(s.Get());
}

ULONG RefsOf(IUnknown* p) {
    p->AddRef();
    return p->Release();
}

const FILEDESCRIPTORW& Descriptor(const dropblocks::Bytes& record) {
    return *reinterpret_cast<const FILEDESCRIPTORW*>(record.data());
}

const std::string kOrder = std::string("QTF\0\xFF" "1;2", 8);
const std::string kInfo = "{\\rtf1 \xDC" "bersicht}";

// A source's virtual files: two names and a size, contents on request.
struct Source {
    TVirtualFileStreamDataFormat files{nullptr};
    std::vector<int> asked;
    Source() {
        files.FileNames.Add(L"Bestellung 4711.QTF");
        files.FileNames.Add(L"\x00DC" L"bersicht \x20AC.rtf");
        auto& second = *reinterpret_cast<FILEDESCRIPTORW*>(files.FileDescriptors[1].data());
        second.dwFlags = FD_FILESIZE;
        second.nFileSizeLow = static_cast<DWORD>(kInfo.size());
        files.OnGetStream = [this](TObject*, int index, ComPtr<IStream>& stream) {
            asked.push_back(index);
            stream = StreamOf(index == 0 ? kOrder : kInfo);
        };
    }
};

}  // namespace

TEST(FileContents, BytesAsTheyAreWithTheFileIndex) {
    TFileContentsClipboardFormat out;
    out.Data = kOrder;
    TestDataObject sink;
    ASSERT_TRUE(out.SetDataOn(&sink));
    ASSERT_EQ(sink.written.size(), 1u);
    EXPECT_EQ(sink.written[0].format, Registered("FileContents"));
    EXPECT_EQ(std::string(sink.written[0].bytes.begin(), sink.written[0].bytes.end()).substr(0, kOrder.size()), kOrder);

    const CLIPFORMAT contents = Registered("FileContents");
    for (Medium medium : {Medium::Global, Medium::Stream}) {
        TestDataObject obj;
        obj.entries.push_back({contents, medium, {'n', 'u', 'l', 'l'}, 0});
        obj.entries.push_back({contents, medium, dropblocks::Bytes(kOrder.begin(), kOrder.end()), 1});
        TFileContentsClipboardFormat second(1), first(0), missing(2);
        ASSERT_TRUE(second.GetData(&obj));
        EXPECT_EQ(second.Data, kOrder);  // zero bytes and all
        ASSERT_TRUE(first.GetData(&obj));
        EXPECT_EQ(first.Data, "null");
        EXPECT_FALSE(missing.GetData(&obj));
        EXPECT_EQ(obj.mediumOwner.addrefs, obj.mediumOwner.releases);
    }

    // A source renders it for a request of any index its own accepts.
    FORMATETC request = out.FormatEtc();
    request.tymed = TYMED_ISTREAM;
    StgMedium medium;
    ASSERT_TRUE(out.Render(request, *medium.Put()));
    ASSERT_EQ(medium.Get().tymed, static_cast<DWORD>(TYMED_ISTREAM));
    EXPECT_EQ(ReadAll(medium.Get().pstm), kOrder);
    request.cfFormat = CF_TEXT;
    EXPECT_FALSE(out.Render(request, *medium.Put()));
}

TEST(FileDescriptorNames, ListOverTheRecords) {
    std::vector<dropblocks::Bytes> records;
    TFileDescriptorToFilenameStrings names(&records);
    int changes = 0;
    names.OnChange = [&](TObject*) { ++changes; };
    names.Add(L"a.txt");
    names.Add(L"c.txt");
    names.Insert(1, L"b.txt");
    EXPECT_EQ(names.ToVector(), (std::vector<std::wstring>{L"a.txt", L"b.txt", L"c.txt"}));
    EXPECT_EQ(changes, 3);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].size(), sizeof(FILEDESCRIPTORW));
    EXPECT_STREQ(Descriptor(records[1]).cFileName, L"b.txt");

    // Renaming keeps the record's other fields.
    reinterpret_cast<FILEDESCRIPTORW*>(records[2].data())->nFileSizeLow = 1234;
    names.Put(2, L"umbenannt.txt");
    EXPECT_EQ(Descriptor(records[2]).nFileSizeLow, 1234u);
    EXPECT_STREQ(Descriptor(records[2]).cFileName, L"umbenannt.txt");
    // A name fills at most 259 characters and its terminator.
    names.Put(0, std::wstring(300, L'x'));
    EXPECT_EQ(names[0], std::wstring(259, L'x'));
    EXPECT_EQ(Descriptor(records[0]).cFileName[259], L'\0');

    for (int bad : {-1, 3, 100}) {
        const std::string text = "Filename index out of bounds (" + std::to_string(bad) + ")";
        EXPECT_EQ(ErrorOf<Exception>([&] { names.Get(bad); }), text);
        EXPECT_EQ(ErrorOf<Exception>([&] { names.Put(bad, L"x"); }), text);
        EXPECT_EQ(ErrorOf<Exception>([&] { names.Delete(bad); }), text);
    }
    EXPECT_EQ(ErrorOf<Exception>([&] { names.Insert(4, L"x"); }), "Filename index out of bounds (4)");
    names.Delete(0);
    EXPECT_EQ(names.ToVector(), (std::vector<std::wstring>{L"b.txt", L"umbenannt.txt"}));
    names.Clear();
    EXPECT_TRUE(records.empty());
}

TEST(VirtualFileStreamDataFormat, CompatibleFormatsInTheirOrder) {
    TVirtualFileStreamDataFormat files(nullptr);
    TClipboardFormats& formats = files.CompatibleFormats();
    ASSERT_EQ(formats.Count(), 3);
    EXPECT_EQ(&formats.Items(0)->Class(), &TUnicodeFileGroupDescriptorClipboardFormat::Info);
    EXPECT_EQ(&formats.Items(1)->Class(), &TFileContentsStreamOnDemandClipboardFormat::Info);
    EXPECT_EQ(&formats.Items(2)->Class(), &TAnsiFileGroupDescriptorClipboardFormat::Info);
    EXPECT_EQ(formats.Items(1)->ClipboardFormatName(), "FileContents");
}

TEST(VirtualFileStreamDataFormat, FromSourceToTargetOverTheClipboard) {
    Source source;
    TUnicodeFileGroupDescriptorClipboardFormat wide;
    TAnsiFileGroupDescriptorClipboardFormat ansi;
    TFileContentsStreamOnDemandClipboardFormat contents;
    ASSERT_TRUE(source.files.AssignTo(&wide));
    ASSERT_TRUE(source.files.AssignTo(&ansi));
    ASSERT_TRUE(source.files.AssignTo(&contents));
    EXPECT_FALSE(contents.GotData);
    EXPECT_EQ(ansi.Names[1], "\xDC" "bersicht \x80.rtf");
    {
        OnTheClipboard clip({&wide, &contents, &ansi});
        ASSERT_TRUE(clip.Ok());
        TVirtualFileStreamDataFormat target(nullptr);
        ASSERT_TRUE(target.GetData(clip.Get()));
        EXPECT_TRUE(source.asked.empty()) << "contents are fetched only when asked for";
        EXPECT_EQ(target.FileNames.ToVector(), source.files.FileNames.ToVector());
        ASSERT_EQ(target.FileDescriptors.size(), 2u);
        EXPECT_EQ(target.FileDescriptors[1], source.files.FileDescriptors[1]);  // flags and size too
        ASSERT_TRUE(target.HasContents());

        ComPtr<IStream> info = target.GetStream(1);
        ASSERT_TRUE(info);
        EXPECT_EQ(ReadAll(info.Get()), kInfo);
        ComPtr<IStream> order = target.GetStream(0);
        ASSERT_TRUE(order);
        EXPECT_EQ(ReadAll(order.Get()), kOrder);
        EXPECT_EQ(source.asked, (std::vector<int>{1, 0}));
        EXPECT_TRUE(contents.GotData);
        EXPECT_EQ(ErrorOf<Exception>([&] { target.GetStream(2); }), "Filename index out of bounds (2)");
        EXPECT_EQ(ErrorOf<Exception>([&] { target.FileNames.Get(2); }), "Filename index out of bounds (2)");

        // A source without contents for an index answers nothing, and one
        // whose handler fails does not let the failure into the COM call.
        source.files.OnGetStream = [](TObject*, int index, ComPtr<IStream>&) {
            if (index == 1) throw Exception("kaputt");
        };
        EXPECT_FALSE(target.GetStream(0));
        EXPECT_FALSE(target.GetStream(1));
        target.Clear();
        EXPECT_FALSE(target.HasContents());
    }

    // The 8-bit descriptors alone give the same names, no contents.
    dropblocks::Bytes block(ansi.GetSize());
    ASSERT_TRUE(ansi.WriteData(block.data(), block.size()));
    TestDataObject obj(Registered("FileGroupDescriptor"), block);
    TVirtualFileStreamDataFormat target(nullptr);
    ASSERT_TRUE(target.GetData(&obj));
    EXPECT_EQ(target.FileNames.ToVector(), source.files.FileNames.ToVector());
    EXPECT_EQ(Descriptor(target.FileDescriptors[1]).nFileSizeLow, kInfo.size());
    EXPECT_FALSE(target.HasContents());
}

TEST(VirtualFileStreamDataFormat, CountsThatDoNotFitAreRefused) {
    Source source;
    TUnicodeFileGroupDescriptorClipboardFormat wide;
    TAnsiFileGroupDescriptorClipboardFormat ansi;
    source.files.AssignTo(&wide);
    source.files.AssignTo(&ansi);
    dropblocks::Bytes w(wide.GetSize()), a(ansi.GetSize());
    ASSERT_TRUE(wide.WriteData(w.data(), w.size()));
    ASSERT_TRUE(ansi.WriteData(a.data(), a.size()));
    ASSERT_FALSE(wide.WriteData(w.data(), w.size() - 1));

    w[0] = 3;  // three records claimed, two there
    TestDataObject lying(Registered("FileGroupDescriptorW"), w);
    TVirtualFileStreamDataFormat target(nullptr);
    EXPECT_FALSE(target.GetData(&lying));
    EXPECT_EQ(target.FileNames.Count(), 0);

    // The 8-bit block is the fallback; a short one is refused as well.
    lying.Offer(Registered("FileGroupDescriptor"), a);
    ASSERT_TRUE(target.GetData(&lying));
    EXPECT_EQ(target.FileNames.Count(), 2);
    TestDataObject shortA(Registered("FileGroupDescriptor"), dropblocks::Bytes(a.begin(), a.end() - 1));
    target.Clear();
    EXPECT_FALSE(target.GetData(&shortA));
    EXPECT_EQ(target.FileNames.Count(), 0);
}

TEST(FileContentsStorage, EachFileItsStorageByIndex) {
    ComPtr<IStorage> one = StorageOf("erste Datei"), two = StorageOf(kOrder);
    {
        TFileContentsStorageClipboardFormat out;
        out.Storages.Add("eins", one.Get());
        out.Storages.Add("zwei", two.Get());
        TUnicodeFileGroupDescriptorClipboardFormat names;
        names.Names = {L"eins.doc", L"zwei.doc"};

        FORMATETC request = out.FormatEtc();
        StgMedium medium;
        for (LONG bad : {-1, 2}) {
            request.lindex = bad;
            EXPECT_FALSE(out.Render(request, *medium.Put())) << bad;
        }
        request.lindex = 1;
        request.tymed = TYMED_HGLOBAL;
        EXPECT_FALSE(out.Render(request, *medium.Put()));
        request.tymed = TYMED_ISTORAGE;
        ASSERT_TRUE(out.Render(request, *medium.Put()));
        EXPECT_EQ(medium.Get().pstg, two.Get());
        medium.Reset();

        OnTheClipboard clip({&names, &out});
        ASSERT_TRUE(clip.Ok());
        TFileContentsStorageClipboardFormat in;
        ASSERT_TRUE(in.GetData(clip.Get()));
        ASSERT_EQ(in.Storages.Count(), 2);
        EXPECT_EQ(in.Storages.Names(0), "eins.doc");
        EXPECT_EQ(in.Storages.Names(1), "zwei.doc");
        EXPECT_EQ(DataOf(in.Storages.Items(0)), "erste Datei");
        EXPECT_EQ(DataOf(in.Storages.Items(1)), kOrder);
    }
    EXPECT_EQ(RefsOf(one.Get()), 1u);
    EXPECT_EQ(RefsOf(two.Get()), 1u);
}
