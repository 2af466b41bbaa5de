// An OLE drag of file names from this program, as the shell starts one.
#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <thread>

#include "framework/com_ptr.h"
#include "tests/demo/live_driver.h"

namespace live {
namespace {

// The dragged data: CF_HDROP in global memory, nothing else.
class FileData final : public ComObject<IDataObject> {
public:
    explicit FileData(const std::vector<std::wstring>& files) {
        for (const auto& f : files) names_ += f + L'\0';
        names_ += L'\0';
    }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
        if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
        const size_t bytes = sizeof(DROPFILES) + names_.size() * sizeof(wchar_t);
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        if (!g) return E_OUTOFMEMORY;
        auto* d = static_cast<DROPFILES*>(GlobalLock(g));
        d->pFiles = sizeof(DROPFILES);
        d->fWide = TRUE;
        std::memcpy(d + 1, names_.data(), names_.size() * sizeof(wchar_t));
        GlobalUnlock(g);
        m->tymed = TYMED_HGLOBAL;
        m->hGlobal = g;
        m->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
        return f && f->cfFormat == CF_HDROP && (f->tymed & TYMED_HGLOBAL) && f->dwAspect == DVASPECT_CONTENT
                   ? S_OK
                   : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dir, IEnumFORMATETC** out) override {
        if (dir != DATADIR_GET) return E_NOTIMPL;
        FORMATETC f{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &f, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    ~FileData() override = default;
    std::wstring names_;
};

// Drops when the left button comes up, cancels on Escape.
class ButtonSource final : public ComObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    ~ButtonSource() override = default;
};

// A small window of this thread to press the button on.
class PressPad {
public:
    explicit PressPad(POINT at)
        : h_(CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, at.x - 20,
                             at.y - 20, 40, 40, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ~PressPad() {
        if (h_) DestroyWindow(h_);
    }
    PressPad(const PressPad&) = delete;
    PressPad& operator=(const PressPad&) = delete;
    bool Ok() const { return h_ != nullptr; }

private:
    HWND h_;
};

void Pump(int ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - start < static_cast<DWORD>(ms));
}

}  // namespace

HRESULT DragFiles(const std::vector<std::wstring>& files, POINT to, const std::function<void()>& over, DWORD* effect) {
    const POINT from{GetSystemMetrics(SM_CXSCREEN) - 60, GetSystemMetrics(SM_CYSCREEN) - 60};
    PressPad pad(from);
    if (!pad.Ok()) return E_FAIL;
    Pump(50);
    MoveMouse(from);
    LeftDown();
    // The drag loop looks at this thread's own key state.
    const DWORD start = GetTickCount();
    while (GetKeyState(VK_LBUTTON) >= 0 && GetTickCount() - start < 2000) Pump(10);
    if (GetKeyState(VK_LBUTTON) >= 0) {
        LeftUp();
        return E_FAIL;
    }
    std::thread hand([from, to, &over] {
        Sleep(150);
        for (int i = 1; i <= 8; ++i)
            MoveMouse(POINT{from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8});
        MoveMouse(POINT{to.x + 2, to.y + 1});
        Sleep(150);
        if (over) over();
        LeftUp();
    });
    auto* data = new FileData(files);
    auto* source = new ButtonSource;
    DWORD done = DROPEFFECT_NONE;
    const HRESULT hr = DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &done);
    hand.join();
    source->Release();
    data->Release();
    if (effect) *effect = done;
    return hr;
}

}  // namespace live
