// A hand-written IDataObject for drop tests: it offers chosen formats on
// chosen media, records what the target writes back, counts its references
// and the releases of the media it hands out.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shldisp.h>
#include <shlwapi.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/dragdrop/drop_blocks.h"
#include "framework/com_ptr.h"

// Counts Release calls (used as a medium's pUnkForRelease).
class ReleaseCounter final : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown)) return E_NOINTERFACE;
        *ppv = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++addrefs; }
    ULONG STDMETHODCALLTYPE Release() override { return ++releases; }
    std::atomic<ULONG> addrefs{0};
    std::atomic<ULONG> releases{0};
};

// ShortStream's Stat claims twice its bytes, HugeStream's a terabyte.
enum class Medium { Global, Stream, Storage, Fail, ShortStream, HugeStream };

class TestDataObject final : public IDataObject {
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
    TestDataObject(const TestDataObject&) = delete;
    TestDataObject& operator=(const TestDataObject&) = delete;

    void Offer(CLIPFORMAT format, dropblocks::Bytes bytes, Medium medium = Medium::Global) {
        entries.push_back(Entry{format, medium, std::move(bytes)});
    }

    std::vector<Entry> entries;
    std::vector<Written> written;
    bool acceptSetData = true;
    ReleaseCounter mediumOwner;  // pUnkForRelease of every global block handed out
    std::atomic<LONG> refs{1};
    int getDataCalls = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (offerAsync && IsEqualIID(riid, IID_IDataObjectAsyncCapability)) {
            *ppv = &async;
        } else if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *ppv = static_cast<IDataObject*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }

    // The source's side of an asynchronous transfer.
    class AsyncOperation final : public IDataObjectAsyncCapability {
    public:
        explicit AsyncOperation(TestDataObject* outer) : outer_(outer) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
            return outer_->QueryInterface(riid, ppv);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return outer_->AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return outer_->Release(); }
        HRESULT STDMETHODCALLTYPE SetAsyncMode(BOOL mode) override {
            asyncMode = mode;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE GetAsyncMode(BOOL* mode) override {
            *mode = asyncMode;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE StartOperation(IBindCtx*) override {
            inOperation = TRUE;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE InOperation(BOOL* in) override {
            *in = inOperation;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE EndOperation(HRESULT result, IBindCtx*, DWORD effects) override {
            inOperation = FALSE;
            endResult = result;
            endEffect = effects;
            ++endCalls;
            return S_OK;
        }
        BOOL asyncMode = TRUE;
        BOOL inOperation = FALSE;
        HRESULT endResult = E_PENDING;
        DWORD endEffect = 0;
        int endCalls = 0;

    private:
        TestDataObject* outer_;
    };
    bool offerAsync = false;
    AsyncOperation async{this};
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    // The object lives on the test's stack; the count only shows balance.
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
        ++getDataCalls;
        if (!f || !m) return E_INVALIDARG;
        *m = STGMEDIUM{};
        const Entry* e = Find(*f);
        if (!e) return DV_E_FORMATETC;
        switch (e->medium) {
        case Medium::Fail:
            return E_FAIL;
        case Medium::Global: {
            HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, e->bytes.size() ? e->bytes.size() : 1);
            if (!e->bytes.empty()) {
                memcpy(GlobalLock(h), e->bytes.data(), e->bytes.size());
                GlobalUnlock(h);
            }
            m->tymed = TYMED_HGLOBAL;
            m->hGlobal = h;
            m->pUnkForRelease = &mediumOwner;
            mediumOwner.AddRef();
            return S_OK;
        }
        case Medium::Stream:
        case Medium::ShortStream:
        case Medium::HugeStream: {
            IStream* s = e->medium == Medium::Stream ? SHCreateMemStream(e->bytes.data(), static_cast<UINT>(e->bytes.size()))
                         : e->medium == Medium::ShortStream ? new ShortStream(e->bytes, e->bytes.size() * 2)
                                                             : new ShortStream(e->bytes, 1ull << 40);
            LARGE_INTEGER end{};
            s->Seek(end, STREAM_SEEK_END, nullptr);  // the reader must start at 0 itself
            m->tymed = TYMED_ISTREAM;
            m->pstm = s;
            return S_OK;
        }
        case Medium::Storage: {
            IStorage* stg = MakeStorage(e->bytes);
            if (!stg) return E_OUTOFMEMORY;
            m->tymed = TYMED_ISTORAGE;
            m->pstg = stg;
            return S_OK;
        }
        }
        return E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
        return f && Find(*f) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* f, STGMEDIUM* m, BOOL release) override {
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
        if (!out) return E_POINTER;
        *out = nullptr;
        if (dir != DATADIR_GET) return E_NOTIMPL;
        std::vector<FORMATETC> fmts;
        for (const auto& e : entries) fmts.push_back(FormatOf(e));
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(fmts.size()), fmts.data(), out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    // The value last written for a format, or -1.
    long long WrittenDword(CLIPFORMAT format) const {
        for (auto it = written.rbegin(); it != written.rend(); ++it)
            if (it->format == format && it->bytes.size() >= 4)
                return it->bytes[0] | (it->bytes[1] << 8) | (it->bytes[2] << 16) | (static_cast<long long>(it->bytes[3]) << 24);
        return -1;
    }

private:
    static DWORD TymedOf(Medium m) {
        switch (m) {
        case Medium::Stream:
        case Medium::ShortStream:
        case Medium::HugeStream: return TYMED_ISTREAM;
        case Medium::Storage: return TYMED_ISTORAGE;
        default: return TYMED_HGLOBAL;
        }
    }
    static FORMATETC FormatOf(const Entry& e) {
        return FORMATETC{e.format, nullptr, DVASPECT_CONTENT, -1, TymedOf(e.medium)};
    }
    const Entry* Find(const FORMATETC& f) const {
        for (const auto& e : entries)
            if (e.format == f.cfFormat && (f.tymed & TymedOf(e.medium)) && (e.index == -1 || e.index == f.lindex))
                return &e;
        return nullptr;
    }
    static IStorage* MakeStorage(const dropblocks::Bytes& bytes) {
        ComPtr<ILockBytes> lb;
        if (FAILED(CreateILockBytesOnHGlobal(nullptr, TRUE, lb.Put()))) return nullptr;
        ComPtr<IStorage> stg;
        if (FAILED(StgCreateDocfileOnILockBytes(lb.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                                stg.Put())))
            return nullptr;
        ComPtr<IStream> s;
        if (FAILED(stg->CreateStream(L"data", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, s.Put())))
            return nullptr;
        ULONG done = 0;
        s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &done);
        stg->Commit(STGC_DEFAULT);
        return stg.Detach();
    }

    // A stream whose Stat claims more than it delivers.
    class ShortStream final : public IStream {
    public:
        ShortStream(dropblocks::Bytes b, ULONGLONG claimed) : data_(std::move(b)), claimed_(claimed) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
            if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IStream) ||
                IsEqualIID(riid, IID_ISequentialStream)) {
                *ppv = this;
                AddRef();
                return S_OK;
            }
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
        ULONG STDMETHODCALLTYPE Release() override {
            const ULONG n = --refs_;
            if (n == 0) delete this;
            return n;
        }
        HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* read) override {
            const size_t n = std::min<size_t>(cb, data_.size() - pos_);
            memcpy(pv, data_.data() + pos_, n);
            pos_ += n;
            if (read) *read = static_cast<ULONG>(n);
            return n < cb ? S_FALSE : S_OK;
        }
        HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* out) override {
            pos_ = origin == STREAM_SEEK_SET ? static_cast<size_t>(move.QuadPart)
                   : origin == STREAM_SEEK_END ? data_.size()
                                               : pos_ + static_cast<size_t>(move.QuadPart);
            if (out) out->QuadPart = pos_;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
            return E_NOTIMPL;
        }
        HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Stat(STATSTG* st, DWORD) override {
            *st = STATSTG{};
            st->type = STGTY_STREAM;
            st->cbSize.QuadPart = claimed_;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

    private:
        dropblocks::Bytes data_;
        ULONGLONG claimed_;
        size_t pos_ = 0;
        std::atomic<ULONG> refs_{1};
    };
};

// Blocks of the file formats.
inline dropblocks::Bytes HDropBlock(const std::vector<std::wstring>& names, uint32_t wideFlag = 1) {
    dropblocks::Bytes b = dropblocks::WriteDropFilesWide(names);
    for (int i = 0; i < 4; ++i) b[16 + i] = static_cast<uint8_t>(wideFlag >> (8 * i));
    return b;
}

inline dropblocks::Bytes WideText(const std::wstring& s) {
    dropblocks::Bytes b;
    for (wchar_t c : s) {
        b.push_back(static_cast<uint8_t>(c & 0xFF));
        b.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
    }
    b.push_back(0);
    b.push_back(0);
    return b;
}

inline CLIPFORMAT Registered(const char* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatA(name)); }

// Three files in the Wine prefix, for the shell's ID lists and real drops.
inline std::vector<std::wstring> MakeTestFiles() {
    CreateDirectoryA("C:\\ddtest", nullptr);
    std::vector<std::wstring> names = {L"C:\\ddtest\\a.QTF", L"C:\\ddtest\\b b.QTF", L"C:\\ddtest\\c.txt"};
    for (const auto& n : names) {
        HANDLE h = CreateFileW(n.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    return names;
}
