#include "controls/dialogs/ole_rich_edit.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/callback_guard.h"
#include "framework/sysutils.h"

// --- the callback ------------------------------------------------------------------------

HRESULT TRichEditOleCallback::GetNewStorage(LPSTORAGE* Storage) {
    if (!Storage) return E_INVALIDARG;
    *Storage = nullptr;
    try {
        ComPtr<ILockBytes> bytes;
        HRESULT hr = CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.Put());
        if (FAILED(hr)) return hr;
        return StgCreateDocfileOnILockBytes(bytes.Get(), STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0,
                                            Storage);
    } catch (...) {
        HandleCallbackException();
        return E_FAIL;
    }
}

HRESULT TRichEditOleCallback::GetInPlaceContext(LPOLEINPLACEFRAME* Frame, LPOLEINPLACEUIWINDOW* Doc,
                                                LPOLEINPLACEFRAMEINFO) {
    if (Frame) *Frame = nullptr;
    if (Doc) *Doc = nullptr;
    return E_NOTIMPL;
}

HRESULT TRichEditOleCallback::ShowContainerUI(BOOL) { return E_NOTIMPL; }
HRESULT TRichEditOleCallback::QueryInsertObject(LPCLSID, LPSTORAGE, LONG) { return S_OK; }

HRESULT TRichEditOleCallback::DeleteObject(LPOLEOBJECT Object) {
    if (Object) Object->Close(OLECLOSE_NOSAVE);
    return S_OK;
}

HRESULT TRichEditOleCallback::QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) { return S_OK; }
HRESULT TRichEditOleCallback::ContextSensitiveHelp(BOOL) { return S_OK; }

HRESULT TRichEditOleCallback::GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT* Data) {
    if (Data) *Data = nullptr;
    return E_NOTIMPL;
}

HRESULT TRichEditOleCallback::GetDragDropEffect(BOOL, DWORD, LPDWORD) { return E_NOTIMPL; }

HRESULT TRichEditOleCallback::GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU* Menu) {
    if (Menu) *Menu = nullptr;
    return E_NOTIMPL;
}

// --- the control ---------------------------------------------------------------------------

std::string RichEditHostName(const std::string& Title, const std::string& ExeName) {
    std::string name = Title;
    name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
    return name.empty() ? ExtractFileName(ExeName) : name;
}

TOLECustomRichEdit::TOLECustomRichEdit(TComponent* AOwner)
    : TCustomRichEdit(AOwner), callback_(new TRichEditOleCallback()) {}

void TOLECustomRichEdit::SetAllowObjects(bool value) {
    if (allow_objects_ == value) return;
    allow_objects_ = value;
    RecreateWnd();
}

void TOLECustomRichEdit::SetOLEDragDrop(bool value) {
    if (ole_drag_drop_ == value) return;
    ole_drag_drop_ = value;
    RecreateWnd();
}

void TOLECustomRichEdit::CreateParams(TCreateParams& p) {
    TCustomRichEdit::CreateParams(p);
    if (!ole_drag_drop_) p.Style |= ES_NOOLEDRAGDROP;
}

void TOLECustomRichEdit::CreateWnd() {
    TCustomRichEdit::CreateWnd();
    if (!allow_objects_) return;
    HWND h = WindowHandle();
    SendMessageA(h, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(static_cast<IRichEditOleCallback*>(callback_.Get())));
    SendMessageA(h, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(rich_edit_ole_.PutVoid()));
    if (rich_edit_ole_) {
        const std::string host = RichEditHostName(Application()->Title(), Application()->ExeName());
        rich_edit_ole_->SetHostNames(host.c_str(), host.c_str());  // not implemented everywhere: ignored
    }
}

void TOLECustomRichEdit::DestroyWnd() {
    if (HWND h = WindowHandle()) {
        CloseObjects();
        rich_edit_ole_.Reset();
        // The window gives its reference to the callback back now, not at
        // some later point of its destruction.
        if (allow_objects_) SendMessageA(h, EM_SETOLECALLBACK, 0, 0);
    }
    TCustomRichEdit::DestroyWnd();
}

void TOLECustomRichEdit::CloseObjects() {
    if (!rich_edit_ole_) return;
    for (LONG i = rich_edit_ole_->GetObjectCount() - 1; i >= 0; --i) {
        REOBJECT obj{};
        obj.cbStruct = sizeof(obj);
        if (FAILED(rich_edit_ole_->GetObject(i, &obj, REO_GETOBJ_POLEOBJ)) || !obj.poleobj) continue;
        ComPtr<IOleObject> object(obj.poleobj);
        if (obj.dwFlags & REO_INPLACEACTIVE) rich_edit_ole_->InPlaceDeactivate();
        object->Close(OLECLOSE_NOSAVE);
    }
}

void TOLECustomRichEdit::Clear() {
    CloseObjects();
    TCustomRichEdit::Clear();
}
