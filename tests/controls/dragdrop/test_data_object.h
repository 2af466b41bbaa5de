// A hand-written IDataObject for drop tests: it offers chosen formats on
// chosen media, records what the target writes back and from which threads,
// counts its references and the releases of the media it hands out.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shldisp.h>
#include <shlwapi.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "controls/dragdrop/drop_blocks.h"
#include "framework/com_ptr.h"
#include "framework/exceptions.h"
#include "tests/framework/control_test_support.h"

// Counts Release calls (used as a medium's pUnkForRelease).
class ReleaseCounter final : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = IsEqualIID(riid, IID_IUnknown) ? (AddRef(), this) : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++addrefs; }
    ULONG STDMETHODCALLTYPE Release() override { return ++releases; }
    std::atomic<ULONG> addrefs{0}, releases{0};
};

// A stream whose Stat claims `claimed` bytes whatever it holds, and whose
// reads fail from offset failAt on.
class ClaimingStream final : public ComObject<IStream> {
public:
    ClaimingStream(dropblocks::Bytes b, ULONGLONG claimed, size_t failAt)
        : data_(std::move(b)), claimed_(claimed), fail_at_(failAt) {}
    bool Offers(REFIID riid) const override { return IsEqualIID(riid, IID_ISequentialStream); }
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* read) override {
        if (read) *read = 0;
        if (pos_ >= fail_at_) return STG_E_READFAULT;
        const size_t n = std::min<size_t>(cb, data_.size() - std::min(pos_, data_.size()));
        if (n) memcpy(pv, data_.data() + pos_, n);
        pos_ += n;
        if (read) *read = static_cast<ULONG>(n);
        return n < cb ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* out) override {
        pos_ = (origin == STREAM_SEEK_END ? data_.size() : origin == STREAM_SEEK_CUR ? pos_ : 0) +
               static_cast<size_t>(move.QuadPart);
        if (out) out->QuadPart = pos_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* st, DWORD) override {
        *st = STATSTG{};
        st->type = STGTY_STREAM;
        st->cbSize.QuadPart = claimed_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    dropblocks::Bytes data_;
    ULONGLONG claimed_;
    size_t fail_at_;
    size_t pos_ = 0;
};

// A format enumerator that never ends: every Next gives one more CF_TEXT.
class EndlessFormats final : public ComObject<IEnumFORMATETC> {
public:
    explicit EndlessFormats(std::atomic<long>* calls) : calls_(calls) {}
    HRESULT STDMETHODCALLTYPE Next(ULONG n, FORMATETC* out, ULONG* got) override {
        ++*calls_;
        for (ULONG i = 0; i < n; ++i) out[i] = FORMATETC{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        if (got) *got = n;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reset() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** out) override {
        *out = new EndlessFormats(calls_);
        return S_OK;
    }

private:
    std::atomic<long>* calls_;
};

// ShortStream's Stat claims twice its bytes, HugeStream's a terabyte;
// FailingStream's reads fail after the first MiB.
enum class Medium { Global, Stream, Storage, Fail, ShortStream, HugeStream, FailingStream };

class TestDataObject final : public IDataObject, public IDataObjectAsyncCapability {
public:
    struct Entry {
        CLIPFORMAT format;
        Medium medium;
        dropblocks::Bytes bytes;
        LONG index = -1;  // a FileContents entry for one file; -1 answers any
    };
    struct Written {
        CLIPFORMAT format;
        dropblocks::Bytes bytes;
    };

    TestDataObject() = default;
    TestDataObject(CLIPFORMAT format, dropblocks::Bytes bytes, Medium medium = Medium::Global) {
        Offer(format, std::move(bytes), medium);
    }
    void Offer(CLIPFORMAT format, dropblocks::Bytes bytes, Medium medium = Medium::Global) {
        entries.push_back(Entry{format, medium, std::move(bytes)});
    }
    // The value last written for a format, or -1.
    long long WrittenDword(CLIPFORMAT format) const {
        for (auto it = written.rbegin(); it != written.rend(); ++it)
            if (it->format == format && it->bytes.size() >= 4) {
                uint32_t v = 0;
                memcpy(&v, it->bytes.data(), 4);
                return v;
            }
        return -1;
    }

    std::vector<Entry> entries;
    std::vector<Written> written;
    bool acceptSetData = true;
    std::set<DWORD> callers;  // threads that called GetData or SetData
    ReleaseCounter mediumOwner;  // pUnkForRelease of every global block handed out
    std::atomic<LONG> refs{1};   // the object lives on the test's stack; the count shows balance
    // The source's side of an asynchronous transfer, offered when offerAsync.
    bool offerAsync = false;
    // EnumFormatEtc hands out an EndlessFormats; Next calls counted here.
    bool endlessFormats = false;
    std::atomic<long> formatCalls{0};
    HRESULT endResult = E_PENDING;
    DWORD endEffect = 0;
    int endCalls = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (offerAsync && IsEqualIID(riid, IID_IDataObjectAsyncCapability))
            *ppv = static_cast<IDataObjectAsyncCapability*>(this);
        else if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject))
            *ppv = static_cast<IDataObject*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
        callers.insert(GetCurrentThreadId());
        *m = STGMEDIUM{};
        const Entry* e = Find(*f);
        if (!e) return DV_E_FORMATETC;
        switch (e->medium) {
        case Medium::Fail: return E_FAIL;
        case Medium::Global: {
            HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, std::max<size_t>(e->bytes.size(), 1));
            if (!e->bytes.empty()) memcpy(GlobalLock(h), e->bytes.data(), e->bytes.size());
            GlobalUnlock(h);
            m->tymed = TYMED_HGLOBAL;
            m->hGlobal = h;
            m->pUnkForRelease = &mediumOwner;
            mediumOwner.AddRef();
            return S_OK;
        }
        case Medium::Storage:
            m->tymed = TYMED_ISTORAGE;
            m->pstg = MakeStorage(e->bytes);
            return m->pstg ? S_OK : E_OUTOFMEMORY;
        default: {
            const ULONGLONG claimed = e->medium == Medium::HugeStream    ? 1ull << 40
                                      : e->medium == Medium::ShortStream ? e->bytes.size() * 2
                                                                         : e->bytes.size();
            const size_t failAt = e->medium == Medium::FailingStream ? 1048576 : SIZE_MAX;
            IStream* s = new ClaimingStream(e->bytes, claimed, failAt);
            LARGE_INTEGER end{};
            s->Seek(end, STREAM_SEEK_END, nullptr);  // the reader must start at 0 itself
            m->tymed = TYMED_ISTREAM;
            m->pstm = s;
            return S_OK;
        }
        }
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override { return Find(*f) ? S_OK : DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* f, STGMEDIUM* m, BOOL release) override {
        callers.insert(GetCurrentThreadId());
        if (!acceptSetData) return E_NOTIMPL;
        Written w{f->cfFormat, {}};
        if (m->tymed == TYMED_HGLOBAL) {
            const auto* p = static_cast<const uint8_t*>(GlobalLock(m->hGlobal));
            w.bytes.assign(p, p + GlobalSize(m->hGlobal));
            GlobalUnlock(m->hGlobal);
        }
        written.push_back(std::move(w));
        if (release) ReleaseStgMedium(m);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dir, IEnumFORMATETC** out) override {
        *out = nullptr;
        if (dir != DATADIR_GET) return E_NOTIMPL;
        if (endlessFormats) {
            *out = new EndlessFormats(&formatCalls);
            return S_OK;
        }
        std::vector<FORMATETC> fmts;
        for (const auto& e : entries)
            fmts.push_back(FORMATETC{e.format, nullptr, DVASPECT_CONTENT, -1, TymedOf(e.medium)});
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(fmts.size()), fmts.data(), out);
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    HRESULT STDMETHODCALLTYPE SetAsyncMode(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetAsyncMode(BOOL* mode) override {
        *mode = TRUE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE StartOperation(IBindCtx*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE InOperation(BOOL* in) override {
        *in = endCalls == 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EndOperation(HRESULT result, IBindCtx*, DWORD effects) override {
        endResult = result;
        endEffect = effects;
        ++endCalls;
        return S_OK;
    }

private:
    static DWORD TymedOf(Medium m) {
        if (m == Medium::Storage) return TYMED_ISTORAGE;
        if (m == Medium::Global || m == Medium::Fail) return TYMED_HGLOBAL;
        return TYMED_ISTREAM;
    }
    const Entry* Find(const FORMATETC& f) const {
        for (const auto& e : entries)
            if (e.format == f.cfFormat && (f.tymed & TymedOf(e.medium)) && (e.index == -1 || e.index == f.lindex))
                return &e;
        return nullptr;
    }
    // A compound file on global memory holding the bytes as one stream.
    static IStorage* MakeStorage(const dropblocks::Bytes& bytes) {
        const DWORD mode = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
        ComPtr<ILockBytes> lb;
        ComPtr<IStorage> stg;
        ComPtr<IStream> s;
        if (FAILED(CreateILockBytesOnHGlobal(nullptr, TRUE, lb.Put())) ||
            FAILED(StgCreateDocfileOnILockBytes(lb.Get(), mode, 0, stg.Put())) ||
            FAILED(stg->CreateStream(L"data", mode, 0, 0, s.Put())))
            return nullptr;
        s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
        stg->Commit(STGC_DEFAULT);
        return stg.Detach();
    }
};

// A CF_HDROP block of wide names with the given wide flag.
inline dropblocks::Bytes HDropBlock(const std::vector<std::wstring>& names, uint32_t wideFlag = 1) {
    dropblocks::Bytes b = dropblocks::WriteDropFilesWide(names);
    memcpy(&b[16], &wideFlag, 4);
    return b;
}

inline dropblocks::Bytes WideText(const std::wstring& s) {
    dropblocks::Bytes b;
    for (wchar_t c : s) b.insert(b.end(), {static_cast<uint8_t>(c & 0xFF), static_cast<uint8_t>((c >> 8) & 0xFF)});
    b.insert(b.end(), {0, 0});
    return b;
}
inline CLIPFORMAT Registered(const char* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatA(name)); }

// Three files in the Wine prefix, for the shell's ID lists and real drops.
inline std::vector<std::wstring> MakeTestFiles() {
    CreateDirectoryA("C:\\ddtest", nullptr);
    std::vector<std::wstring> names = {L"C:\\ddtest\\a.QTF", L"C:\\ddtest\\b b.QTF", L"C:\\ddtest\\c.txt"};
    for (const auto& n : names)
        CloseHandle(CreateFileW(n.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return names;
}
