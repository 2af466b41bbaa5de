// OLE drop targets for window controls.
//
// TCustomDropTarget registers one or more TWinControls with OLE, finds the
// registered control under the pointer, agrees the drop effect with the
// source, shows the shell's drag image, scrolls the control while the
// pointer rests near its edge, fetches the dropped data through its data
// formats and fires OnEnter, OnDragOver, OnLeave and OnDrop.
//
// COM sees a small reference-counted forwarder, not the component: the
// component's lifetime belongs to its owner, and a reference ole32 or a
// stub still holds after the component is gone reaches a forwarder that
// answers E_UNEXPECTED. No exception leaves an IDropTarget method or the
// scroll timer: the drag gets effect 0 with E_UNEXPECTED, and the exception
// goes to the application's handler once the IDropTarget call has returned
// (a message box opened inside it would hold the drag source).
#pragma once

#include <windows.h>
#include <oleidl.h>
#include <shobjidl.h>

#include <shldisp.h>

#include <exception>
#include <functional>
#include <vector>

#include "controls/dragdrop/data_format.h"
#include "controls/dragdrop/drop_rules.h"
#include "controls/dragdrop/file_formats.h"
#include "framework/com_ptr.h"
#include "framework/control.h"

class TWinControl;
class TTimer;
class TImageList;
class TDropTargetForwarder;
class TDropNotifyWindow;

using TDropTargetEvent = std::function<void(TObject* Sender, TShiftState ShiftState, POINT APoint, DWORD& Effect)>;

enum TScrollDirection : unsigned { sdUp = 1u << 0, sdDown = 1u << 1, sdLeft = 1u << 2, sdRight = 1u << 3 };
using TScrollDirections = unsigned;
using TDropTargetScrollEvent =
    std::function<void(TObject* Sender, POINT Point, TScrollDirections& Scroll, int& Interval)>;

// A drag's MK_* key state (MK_ALT is 0x20) to the framework's shift state.
TShiftState DropKeysToShiftState(DWORD keys);

// Forwarders not yet released by COM or their component, for leak tests.
int DropTargetForwardersAlive();

class TCustomDropTarget : public TDragDropComponent {
public:
    explicit TCustomDropTarget(TComponent* AOwner);
    ~TCustomDropTarget() override;

    // --- registration ---------------------------------------------------------
    // Registers the control (once); without MultiTarget the others go first.
    // With AutoRegister a hidden child of the control keeps the registration
    // across re-creation of the control's window. Raises "Failed to register
    // the drop target (<HRESULT>)" when the system refuses the control's
    // window (another target has it), which then stays unregistered; a
    // refusal on a later re-creation goes to the application's handler.
    // Unregistering revokes only what this target registered.
    void RegisterControl(TWinControl* Control);
    // nullptr unregisters every control, last registered first.
    void UnregisterControl(TWinControl* Control);
    int RegisteredCount() const { return static_cast<int>(controls_.size()); }
    TWinControl* RegisteredControl(int i) const { return controls_.at(static_cast<size_t>(i)); }
    // The registered control under the pointer during a drag, else nullptr.
    TWinControl* Target() const { return target_; }
    // With MultiTarget every control is unregistered first; then registers Value.
    void SetTarget(TWinControl* Value);

    // The interface registered with OLE (not AddRef'ed).
    IDropTarget* DropTargetInterface() const;

    // --- IDropTarget, called through the forwarder; never throw -----------------
    HRESULT DragEnter(IDataObject* DataObject, DWORD KeyState, POINTL Pt, DWORD* Effect) noexcept;
    HRESULT DragOver(DWORD KeyState, POINTL Pt, DWORD* Effect) noexcept;
    HRESULT DragLeave() noexcept;
    HRESULT Drop(IDataObject* DataObject, DWORD KeyState, POINTL Pt, DWORD* Effect) noexcept;

    // --- feedback with the source ----------------------------------------------
    virtual DWORD GetPreferredDropEffect();
    bool SetPerformedDropEffect(DWORD Effect);
    bool SetPasteSucceeded(DWORD Effect);
    // Drops what the OLE clipboard holds; returns the effect.
    DWORD PasteFromClipboard();
    bool CanPasteFromClipboard();
    // The object being dropped; on the transfer thread of an asynchronous
    // transfer its marshalled proxy, the only reference valid there.
    IDataObject* DataObject() const;

    // --- properties --------------------------------------------------------------
    TDragTypes DragTypes = dtCopy | dtLink;
    bool GetDataOnEnter = false;
    bool Enabled = true;
    bool MultiTarget = false;
    bool AutoRegister = true;
    bool AutoScroll = true;
    bool OptimizedMove = false;
    // Fetch the data on a thread of its own when the source offers an
    // asynchronous operation; OnDrop then runs on that thread.
    bool AllowAsyncTransfer = false;
    bool AsyncTransfer() const { return async_transfer_; }
    bool ShowImage() const { return show_image_; }
    void SetShowImage(bool Value);

    TDropTargetEvent OnEnter;
    TDropTargetEvent OnDragOver;
    TNotifyEvent OnLeave;
    TDropTargetEvent OnDrop;
    TDropTargetEvent OnGetDropEffect;
    TDropTargetScrollEvent OnScroll;
    TNotifyEvent OnStartAsyncTransfer;
    TNotifyEvent OnEndAsyncTransfer;

    void GetDataFormatConversions(const TDataFormatClass& cls, TClipboardFormats& formats) override;

protected:
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    virtual void DoEnter(TShiftState Shift, POINT P, DWORD& Effect);
    virtual void DoDragOver(TShiftState Shift, POINT P, DWORD& Effect);
    virtual void DoDrop(TShiftState Shift, POINT P, DWORD& Effect);
    virtual void DoLeave();
    virtual void DoScroll(POINT P, TScrollDirections& Scroll, int& Interval);
    virtual void DropFromClipboard(DWORD& Effect);
    virtual bool GetData(DWORD Effect);
    virtual bool DoGetData(IDataObject* DataObject) = 0;
    virtual void ClearData() = 0;
    virtual bool HasValidFormats(IDataObject* DataObject) = 0;
    virtual DWORD GetValidDropEffect(TShiftState Shift, POINT P, DWORD Effect);
    // The registered control at a screen point: the framework's window there
    // and then its parents.
    virtual TWinControl* FindTarget(POINT ScreenPoint);

private:
    friend class TWinControlProxy;
    HRESULT DoDragEnter(IDataObject* DataObject, DWORD KeyState, POINTL Pt, DWORD& Effect);
    HRESULT DoDragOverImpl(DWORD KeyState, POINTL Pt, DWORD& Effect);
    HRESULT DoDropImpl(DWORD KeyState, POINTL Pt, DWORD& Effect);
    // Ends a drag however it went: timer off, image gone, data released.
    void EndDrag() noexcept;
    POINT ClientPoint(POINTL Pt) const;
    bool InNoScrollZone(POINT P) const;
    void ScrollTick();
    void ImageEnter(IDataObject* DataObject, POINTL Pt, DWORD Effect);
    void ImageOver(POINTL Pt, POINT ClientPt, DWORD Effect);
    void ImageLeave();
    void ImageShow(bool Show);
    POINT TargetWindowPoint(POINT ClientPt) const;
    bool IsRegistered(TWinControl* Control) const;
    // The registration's result; S_OK also while the control has no window.
    HRESULT RegisterWindow(TWinControl* Control);
    TDropNotifyWindow* NotifyWindow();
    // Keeps an exception caught inside an IDropTarget call for ReportErrors,
    // which a posted message runs once the call has returned.
    void DeferError(std::exception_ptr Error) noexcept;
    void ReportErrors() noexcept;
    bool StartAsyncTransfer(ComPtr<IDataObjectAsyncCapability> op, DWORD Effect);
    static DWORD WINAPI TransferThread(void* self);
    void RunTransfer();
    void FinishAsyncTransfer();

    ComPtr<TDropTargetForwarder> forwarder_;
    ComPtr<IDataObject> data_object_;
    ComPtr<IDropTargetHelper> helper_;
    std::vector<TWinControl*> controls_;
    std::vector<std::pair<TWinControl*, TComponent*>> proxies_;
    // Windows registered directly (without AutoRegister) by this target.
    std::vector<HWND> registered_windows_;
    bool registering_ = false;  // inside RegisterControl: a refusal is raised there
    std::vector<std::exception_ptr> pending_errors_;
    TWinControl* target_ = nullptr;
    TTimer* scroll_timer_ = nullptr;
    TImageList* drag_images_ = nullptr;
    HIMAGELIST drag_image_ = nullptr;  // the shell's current drag image, not owned
    bool image_shown_ = false;
    bool show_image_ = true;
    // Per drag: switched off while no registered control is under the pointer.
    bool drag_show_image_ = true;
    bool drag_auto_scroll_ = true;
    POINT last_point_{};
    bool scroll_h_ = false, scroll_v_ = false;
    RECT no_scroll_zone_{};
    THoverSampler hover_;
    // Asynchronous transfer: the thread, its proxy of the object, the
    // source's operation, the effect, and what went wrong on the thread.
    bool async_transfer_ = false;
    HANDLE transfer_thread_ = nullptr;
    IStream* transfer_stream_ = nullptr;
    IDataObject* transfer_object_ = nullptr;
    DWORD transfer_thread_id_ = 0;
    ComPtr<IDataObjectAsyncCapability> async_op_;
    DWORD async_effect_ = 0;
    std::exception_ptr transfer_error_;
    TDropNotifyWindow* notify_window_ = nullptr;
};

// A drop target that lets several data formats take part in one drop.
class TCustomDropMultiTarget : public TCustomDropTarget {
public:
    explicit TCustomDropMultiTarget(TComponent* AOwner);
    ~TCustomDropMultiTarget() override;
    // Accept starts true.
    std::function<void(TObject* Sender, TCustomDataFormat* DataFormat, bool& Accept)> OnAcceptFormat;

protected:
    bool DoGetData(IDataObject* DataObject) override;
    // Raises "Can't clear data while async data transfer is in progress".
    void ClearData() override;
    bool HasValidFormats(IDataObject* DataObject) override;
    virtual bool DoAcceptFormat(TCustomDataFormat* DataFormat);
};

// Drops of files: the names in the order the source gave them.
class TDropFileTarget : public TCustomDropMultiTarget {
public:
    explicit TDropFileTarget(TComponent* AOwner);
    // Copy when the source states no preference.
    DWORD GetPreferredDropEffect() override;
    const TUnicodeStrings& GetFiles() const { return file_format_->Files; }
    const TUnicodeStrings& GetMappedNames() const { return file_map_format_->FileMaps; }

private:
    TFileDataFormat* file_format_;
    TFileMapDataFormat* file_map_format_;
};
