// TOLECustomRichEdit: the rich edit with OLE objects and OLE drag and drop.
//
// With AllowObjects the control gets a TRichEditOleCallback at window
// creation and names the host of embedded objects (the application title
// without blanks, else the program's file name). OLEDragDrop false turns the
// control's OLE drag and drop off. Objects are closed when the window goes
// and on Clear. The callback is reference counted: the window holds its own
// reference, which it gives back when the callback is unregistered before
// the window is destroyed, and the control holds one until it goes, so the
// callback never goes while either can still call it.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <richole.h>

#include <string>

#include "framework/com_ptr.h"
#include "framework/rich_edit.h"

__CRT_UUID_DECL(IRichEditOleCallback, 0x00020D03, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46)

// The control's answers to its rich edit. There is no in-place frame in this
// framework, so in-place activation is declined (E_NOTIMPL).
class TRichEditOleCallback : public ComObject<IRichEditOleCallback> {
public:

    HRESULT STDMETHODCALLTYPE GetNewStorage(LPSTORAGE* Storage) override;
    HRESULT STDMETHODCALLTYPE GetInPlaceContext(LPOLEINPLACEFRAME* Frame, LPOLEINPLACEUIWINDOW* Doc,
                                                LPOLEINPLACEFRAMEINFO FrameInfo) override;
    HRESULT STDMETHODCALLTYPE ShowContainerUI(BOOL Show) override;
    HRESULT STDMETHODCALLTYPE QueryInsertObject(LPCLSID Clsid, LPSTORAGE Storage, LONG Cp) override;
    HRESULT STDMETHODCALLTYPE DeleteObject(LPOLEOBJECT Object) override;
    HRESULT STDMETHODCALLTYPE QueryAcceptData(LPDATAOBJECT Data, CLIPFORMAT* Format, DWORD Reco, BOOL Really,
                                              HGLOBAL MetaPict) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL EnterMode) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(CHARRANGE* Range, DWORD Reco, LPDATAOBJECT* Data) override;
    HRESULT STDMETHODCALLTYPE GetDragDropEffect(BOOL Drag, DWORD KeyState, LPDWORD Effect) override;
    HRESULT STDMETHODCALLTYPE GetContextMenu(WORD SelType, LPOLEOBJECT Object, CHARRANGE* Range,
                                             HMENU* Menu) override;
};

class TOLECustomRichEdit : public TCustomRichEdit {
public:
    explicit TOLECustomRichEdit(TComponent* AOwner);

    bool AllowObjects() const { return allow_objects_; }
    void SetAllowObjects(bool value);
    bool OLEDragDrop() const { return ole_drag_drop_; }
    void SetOLEDragDrop(bool value);
    // The control's OLE interface while AllowObjects and a window exist.
    IRichEditOle* RichEditOle() const { return rich_edit_ole_.Get(); }
    IRichEditOleCallback* OleCallback() const { return callback_.Get(); }

    // Closes every object, empties the control and clears its modified flag.
    void Clear() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    void CloseObjects();
    bool allow_objects_ = false;
    bool ole_drag_drop_ = true;
    ComPtr<TRichEditOleCallback> callback_;
    ComPtr<IRichEditOle> rich_edit_ole_;
};

// The host name given to embedded objects: Title without blanks, else the
// file name of ExeName.
std::string RichEditHostName(const std::string& Title, const std::string& ExeName);
