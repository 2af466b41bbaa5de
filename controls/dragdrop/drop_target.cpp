#include "controls/dragdrop/drop_target.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <utility>

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/callback_guard.h"
#include "framework/colors.h"
#include "framework/exceptions.h"
#include "framework/image_list.h"
#include "framework/scoped_state.h"
#include "framework/sysutils.h"
#include "framework/timer.h"
#include "framework/win_control.h"

#ifndef MK_ALT
#define MK_ALT 0x20
#endif

// ------------------------------------------------------------------- forwarder

namespace {
std::atomic<int> g_live_forwarders{0};
// The shell's drag-image helper.
constexpr CLSID kClsidDragDropHelper = {0x4657278A, 0x411B, 0x11D2, {0x83, 0x9A, 0x00, 0xC0, 0x4F, 0xD9, 0x18, 0xD0}};

Exception RegistrationError(HRESULT hr) {
    return Exception(Format("Failed to register the drop target (%s)", {IntToHex(static_cast<uint32_t>(hr), 8)}));
}
}  // namespace

// The COM face of a drop target. It lives as long as someone holds a
// reference; the component clears the back-pointer when it goes.
class TDropTargetForwarder final : public ComObject<IDropTarget> {
public:
    explicit TDropTargetForwarder(TCustomDropTarget* target) : target_(target) { ++g_live_forwarders; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* obj, DWORD keys, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        if (!target_) return Refuse(effect);
        return target_->DragEnter(obj, keys, pt, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        if (!target_) return Refuse(effect);
        return target_->DragOver(keys, pt, effect);
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return target_ ? target_->DragLeave() : S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* obj, DWORD keys, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        if (!target_) return Refuse(effect);
        return target_->Drop(obj, keys, pt, effect);
    }

    void Detach() { target_ = nullptr; }

private:
    ~TDropTargetForwarder() override { --g_live_forwarders; }
    static HRESULT Refuse(DWORD* effect) {
        *effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
    TCustomDropTarget* target_;
};

int DropTargetForwardersAlive() { return g_live_forwarders; }

// ------------------------------------------------------------------------ proxy

// A window-less-looking child of a registered control (zero size, visible,
// transparent to hit tests) whose window comes and goes with its parent's:
// it registers the parent's window when created and revokes it when
// destroyed, so the registration survives the parent's re-creation.
class TWinControlProxy : public TWinControl {
public:
    TWinControlProxy(TCustomDropTarget* owner) : TWinControl(owner), target_(owner) { SetBounds(0, 0, 0, 0); }
    // The result of the last registration (S_OK before the first).
    HRESULT Registration() const { return registration_; }

protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        p.ExStyle |= WS_EX_TRANSPARENT;
    }
    void CreateWnd() override {
        TWinControl::CreateWnd();
        if (HWND parent = GetAncestor(WindowHandle(), GA_PARENT)) {
            registration_ = RegisterDragDrop(parent, target_->DropTargetInterface());
            registered_ = registration_ == S_OK;
            // Re-created with its parent, outside any call of ours: the
            // application hears of the failure.
            if (!registered_ && !target_->registering_)
                GuardCallback([this] { throw RegistrationError(registration_); });
        }
    }
    void WMDestroy(TMessage& m) override {
        // Only what this proxy registered: another target's registration
        // of the same window stays.
        HWND parent = GetAncestor(WindowHandle(), GA_PARENT);
        if (registered_ && parent) RevokeDragDrop(parent);
        registered_ = false;
        TWinControl::WMDestroy(m);
    }

private:
    TCustomDropTarget* target_;
    HRESULT registration_ = S_OK;
    bool registered_ = false;
};

// ------------------------------------------------------------- notify window

namespace {
constexpr UINT kTransferDone = WM_APP + 0x2D0;
constexpr UINT kReportErrors = WM_APP + 0x2D1;
// Formats asked of a source's enumerator at most: one that never ends must
// not hang the drag (sources offer a few dozen).
constexpr int kMaxEnumeratedFormats = 1024;
}  // namespace

// A message-only window: the transfer thread's end, and the exceptions
// caught inside IDropTarget calls, are handled on the UI thread once the
// call has returned.
class TDropNotifyWindow : public TWinControl {
public:
    explicit TDropNotifyWindow(TComponent* owner) : TWinControl(owner) {}
    std::function<void()> OnDone;
    std::function<void()> OnReport;

protected:
    void Dispatch(TMessage& m) override {
        if (m.Msg == kTransferDone || m.Msg == kReportErrors) {
            const auto& handler = m.Msg == kTransferDone ? OnDone : OnReport;
            if (handler) handler();
            return;
        }
        TWinControl::Dispatch(m);
    }
};

// ----------------------------------------------------------------- shift state

TShiftState DropKeysToShiftState(DWORD keys) {
    // Alt comes with the drag's key state (the drag may run in another process).
    TShiftState s = KeysToShiftState(static_cast<WPARAM>(keys)) & ~ssAlt;
    if (keys & MK_ALT) s |= ssAlt;
    return s;
}

// ------------------------------------------------------------ TCustomDropTarget

TCustomDropTarget::TCustomDropTarget(TComponent* AOwner)
    : TDragDropComponent(AOwner), forwarder_(new TDropTargetForwarder(this)) {
    scroll_timer_ = Create<TTimer>(this);
    scroll_timer_->SetEnabled(false);
    scroll_timer_->OnTimer = [this](TObject*) { GuardCallback([this] { ScrollTick(); }); };
}

TCustomDropTarget::~TCustomDropTarget() {
    if (forwarder_) forwarder_->Detach();
}

void TCustomDropTarget::BeforeDestruction() {
    // The thread's calls into an object of this thread need its messages;
    // handling them may run the transfer's end, which closes the handle.
    while (transfer_thread_) {
        const DWORD wait = MsgWaitForMultipleObjects(1, &transfer_thread_, FALSE, INFINITE, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_FAILED) break;
        Application()->ProcessMessages();
    }
    if (transfer_thread_) GuardCallback([this] { FinishAsyncTransfer(); });
    ReportErrors();
    GuardCallback([this] {
        EndDrag();
        UnregisterControl(nullptr);
    });
    if (forwarder_) {
        CoDisconnectObject(static_cast<IDropTarget*>(forwarder_.Get()), 0);
        forwarder_->Detach();
        forwarder_.Reset();
    }
    TDragDropComponent::BeforeDestruction();
}

IDropTarget* TCustomDropTarget::DropTargetInterface() const { return forwarder_.Get(); }

IDataObject* TCustomDropTarget::DataObject() const {
    if (transfer_object_ && GetCurrentThreadId() == transfer_thread_id_) return transfer_object_;
    return data_object_.Get();
}

void TCustomDropTarget::Notification(TComponent* AComponent, TOperation Operation) {
    TDragDropComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    for (auto it = proxies_.begin(); it != proxies_.end(); ++it) {
        if (it->second == AComponent) {
            proxies_.erase(it);
            break;
        }
    }
    if (auto* c = dynamic_cast<TWinControl*>(AComponent); c && IsRegistered(c)) UnregisterControl(c);
}

void TCustomDropTarget::GetDataFormatConversions(const TDataFormatClass& cls, TClipboardFormats& formats) {
    GetFormatConversions(cls, formats, csRead);
}

// --- registration -------------------------------------------------------------

bool TCustomDropTarget::IsRegistered(TWinControl* Control) const {
    return std::find(controls_.begin(), controls_.end(), Control) != controls_.end();
}

void TCustomDropTarget::RegisterControl(TWinControl* Control) {
    if (Control && IsRegistered(Control)) return;
    if (!MultiTarget && !IsLoading()) UnregisterControl(nullptr);
    if (!Control) return;
    // After the last registered ancestor, so that FindTarget meets the
    // innermost registered control first when walking the list backwards.
    auto at = controls_.end();
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        bool ancestor = false;
        for (TWinControl* p = Control->Parent(); p && !ancestor; p = p->Parent()) ancestor = p == *it;
        if (ancestor) {
            at = it.base();
            break;
        }
    }
    controls_.insert(at, Control);
    Control->FreeNotification(this);
    const HRESULT hr = RegisterWindow(Control);
    if (hr != S_OK) {
        UnregisterControl(Control);
        throw RegistrationError(hr);
    }
}

HRESULT TCustomDropTarget::RegisterWindow(TWinControl* Control) {
    if (AutoRegister) {
        auto* proxy = Create<TWinControlProxy>(this);
        proxies_.emplace_back(Control, proxy);
        proxy->SetParent(Control);
        if (!Control->HandleAllocated()) return S_OK;  // registered with the window, when it comes
        ScopedValue<bool> registering(registering_, true);
        proxy->HandleNeeded();
        return proxy->Registration();
    }
    const HRESULT hr = RegisterDragDrop(Control->Handle(), DropTargetInterface());
    if (hr == S_OK) registered_windows_.push_back(Control->Handle());
    return hr;
}

void TCustomDropTarget::UnregisterControl(TWinControl* Control) {
    if (!Control) {
        while (!controls_.empty()) UnregisterControl(controls_.back());
        return;
    }
    auto it = std::find(controls_.begin(), controls_.end(), Control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    if (target_ == Control) target_ = nullptr;
    Control->RemoveFreeNotification(this);
    auto proxy = std::find_if(proxies_.begin(), proxies_.end(), [&](auto& p) { return p.first == Control; });
    if (proxy != proxies_.end()) {
        TComponent* p = proxy->second;
        proxies_.erase(proxy);
        p->Free();  // its window's end revokes the registration
    } else if (Control->HandleAllocated()) {
        // Only a registration of ours: another target's stays.
        HWND h = Control->WindowHandle();
        auto mine = std::find(registered_windows_.begin(), registered_windows_.end(), h);
        if (mine != registered_windows_.end()) {
            registered_windows_.erase(mine);
            RevokeDragDrop(h);
        }
    }
}

void TCustomDropTarget::SetTarget(TWinControl* Value) {
    if (MultiTarget && !IsLoading()) UnregisterControl(nullptr);
    RegisterControl(Value);
}

TWinControl* TCustomDropTarget::FindTarget(POINT ScreenPoint) {
    for (HWND h = WindowFromPoint(ScreenPoint); h; h = GetParent(h)) {
        if (TWinControl* c = FindControl(h)) {
            for (TWinControl* w = c; w; w = w->Parent())
                if (IsRegistered(w)) return w;
            return nullptr;
        }
    }
    return nullptr;
}

// --- IDropTarget ------------------------------------------------------------------

HRESULT TCustomDropTarget::DragEnter(IDataObject* DataObject, DWORD KeyState, POINTL Pt, DWORD* Effect) noexcept {
    try {
        return DoDragEnter(DataObject, KeyState, Pt, *Effect);
    } catch (...) {
        DeferError(std::current_exception());
        EndDrag();
        *Effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
}

HRESULT TCustomDropTarget::DragOver(DWORD KeyState, POINTL Pt, DWORD* Effect) noexcept {
    try {
        return DoDragOverImpl(KeyState, Pt, *Effect);
    } catch (...) {
        DeferError(std::current_exception());
        *Effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
}

HRESULT TCustomDropTarget::DragLeave() noexcept {
    HRESULT result = S_OK;
    try {
        scroll_timer_->SetEnabled(false);
        if (!async_transfer_) {  // a drag refused while a transfer reads leaves its data alone
            ClearData();
            data_object_.Reset();
        }
        ImageLeave();
        DoLeave();
    } catch (...) {
        DeferError(std::current_exception());
        result = E_UNEXPECTED;
    }
    EndDrag();
    return result;
}

HRESULT TCustomDropTarget::Drop(IDataObject*, DWORD KeyState, POINTL Pt, DWORD* Effect) noexcept {
    HRESULT result;
    try {
        result = DoDropImpl(KeyState, Pt, *Effect);
    } catch (...) {
        DeferError(std::current_exception());
        *Effect = DROPEFFECT_NONE;
        result = E_UNEXPECTED;
    }
    EndDrag();
    return result;
}

HRESULT TCustomDropTarget::DoDragEnter(IDataObject* DataObject, DWORD KeyState, POINTL Pt, DWORD& Effect) {
    if (async_transfer_) {
        // The last drop is still being read: no new drag until it ends.
        Effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
    ClearData();
    EndDrag();
    data_object_ = ComPtr<IDataObject>::Copy(DataObject);
    drag_show_image_ = show_image_;
    drag_auto_scroll_ = AutoScroll;
    target_ = FindTarget(POINT{Pt.x, Pt.y});
    if (!target_) {
        // Nothing to show or scroll over for this drag.
        drag_show_image_ = false;
        drag_auto_scroll_ = false;
    } else {
        last_point_ = ClientPoint(Pt);
    }
    hover_.Reset(GetTickCount(), Pt.x, Pt.y);
    scroll_h_ = scroll_v_ = false;

    if (Enabled && DataObject && HasValidFormats(DataObject)) {
        if (drag_auto_scroll_ && target_->HandleAllocated()) {
            const LONG style = GetWindowLongA(target_->WindowHandle(), GWL_STYLE);
            scroll_h_ = (style & WS_HSCROLL) != 0;
            scroll_v_ = (style & WS_VSCROLL) != 0;
            if (scroll_h_ || scroll_v_) {
                no_scroll_zone_ = target_->ClientRect();
                if (scroll_v_) InflateRect(&no_scroll_zone_, 0, -2 * GetSystemMetrics(SM_CYHSCROLL));
                if (scroll_h_) InflateRect(&no_scroll_zone_, -2 * GetSystemMetrics(SM_CXHSCROLL), 0);
            }
        }
        if (GetDataOnEnter && !GetData(Effect)) {
            data_object_.Reset();
            Effect = DROPEFFECT_NONE;
            return DV_E_CLIPFORMAT;
        }
        const TShiftState shift = DropKeysToShiftState(KeyState);
        Effect = GetValidDropEffect(shift, last_point_, Effect);
        DoEnter(shift, last_point_, Effect);
        if ((Effect & ~kDropEffectScroll) == 0) data_object_.Reset();
    } else {
        data_object_.Reset();
        Effect = DROPEFFECT_NONE;
    }
    if (drag_show_image_) ImageEnter(DataObject, Pt, Effect);
    return S_OK;
}

HRESULT TCustomDropTarget::DoDragOverImpl(DWORD KeyState, POINTL Pt, DWORD& Effect) {
    if (!target_ || async_transfer_) {
        Effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
    const POINT cp = ClientPoint(Pt);
    HRESULT result = S_OK;
    if (data_object_) {
        const TShiftState shift = DropKeysToShiftState(KeyState);
        Effect = GetValidDropEffect(shift, cp, Effect);
        DoDragOver(shift, cp, Effect);
    } else {
        Effect = DROPEFFECT_NONE;
        result = DV_E_CLIPFORMAT;
    }
    const bool resting = hover_.Test(GetTickCount(), Pt.x, Pt.y);
    if ((Effect & kDropEffectScroll) && resting) {
        if (!scroll_timer_->Enabled()) {
            scroll_timer_->SetInterval(50);
            scroll_timer_->SetEnabled(true);
        }
    } else {
        scroll_timer_->SetEnabled(false);
    }
    ImageOver(Pt, cp, Effect);
    last_point_ = cp;
    return result;
}

HRESULT TCustomDropTarget::DoDropImpl(DWORD KeyState, POINTL Pt, DWORD& Effect) {
    scroll_timer_->SetEnabled(false);
    if (!data_object_ || async_transfer_) {
        Effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
    const TShiftState shift = DropKeysToShiftState(KeyState);
    if (target_) last_point_ = ClientPoint(Pt);
    // The scroll bit belongs to the hovering, not to what the drop did.
    Effect = GetValidDropEffect(shift, last_point_, Effect) & ~kDropEffectScroll;
    if (helper_) {
        POINT p{Pt.x, Pt.y};
        helper_->Drop(data_object_.Get(), &p, Effect);
    }
    if (!GetDataOnEnter && !GetData(Effect))
        Effect = DROPEFFECT_NONE;
    else if (!async_transfer_)
        DoDrop(shift, last_point_, Effect);
    return S_OK;
}

void TCustomDropTarget::EndDrag() noexcept {
    if (scroll_timer_) scroll_timer_->SetEnabled(false);
    GuardCallback([this] {
        if (!helper_) ImageLeave();
        if (!async_transfer_) ClearData();
    });
    helper_.Reset();
    image_shown_ = false;
    drag_image_ = nullptr;
    if (async_transfer_) return;  // the transfer keeps its object until it ends
    data_object_.Reset();
    target_ = nullptr;
}

POINT TCustomDropTarget::ClientPoint(POINTL Pt) const {
    const POINT p{Pt.x, Pt.y};
    return target_ ? target_->ScreenToClient(p) : p;
}

bool TCustomDropTarget::InNoScrollZone(POINT P) const { return PtInRect(&no_scroll_zone_, P) != FALSE; }

DWORD TCustomDropTarget::GetValidDropEffect(TShiftState Shift, POINT P, DWORD Effect) {
    DWORD result = DragTypesToDropEffect(DragTypes) & Effect;
    if (!OnGetDropEffect) result = KeyRuleDropEffect((Shift & ssCtrl) != 0, (Shift & ssShift) != 0, result, true);
    if (drag_auto_scroll_ && AutoScroll && (scroll_h_ || scroll_v_)) {
        if (InNoScrollZone(P))
            result &= ~kDropEffectScroll;
        else
            result |= kDropEffectScroll;
    }
    if (OnGetDropEffect) OnGetDropEffect(this, Shift, P, result);
    return result;
}

// --- events ------------------------------------------------------------------------

void TCustomDropTarget::DoEnter(TShiftState Shift, POINT P, DWORD& Effect) {
    if (OnEnter) OnEnter(this, Shift, P, Effect);
}

void TCustomDropTarget::DoDragOver(TShiftState Shift, POINT P, DWORD& Effect) {
    if (OnDragOver) OnDragOver(this, Shift, P, Effect);
}

void TCustomDropTarget::DoLeave() {
    if (OnLeave) OnLeave(this);
}

void TCustomDropTarget::DoDrop(TShiftState Shift, POINT P, DWORD& Effect) {
    if (OnDrop) OnDrop(this, Shift, P, Effect);
    if (Effect == DROPEFFECT_NONE) return;
    // A move the target performed as a read is reported as a copy, so the
    // source never deletes what the target only read, whether or not the
    // data object takes the report.
    const DWORD report = (OptimizedMove && Effect == DROPEFFECT_MOVE) ? DROPEFFECT_COPY : Effect;
    if (SetPerformedDropEffect(report) || OptimizedMove) Effect = report;
}

void TCustomDropTarget::DoScroll(POINT P, TScrollDirections& Scroll, int& Interval) {
    if (OnScroll) OnScroll(this, P, Scroll, Interval);
}

void TCustomDropTarget::DropFromClipboard(DWORD& Effect) {
    DoDrop(0, POINT{0, 0}, Effect);
    if (Effect != DROPEFFECT_NONE) SetPasteSucceeded(Effect);
}

bool TCustomDropTarget::GetData(DWORD Effect) {
    ClearData();
    if (AllowAsyncTransfer && data_object_) {
        auto op = data_object_.As<IDataObjectAsyncCapability>();
        BOOL async = FALSE;
        if (op && SUCCEEDED(op->GetAsyncMode(&async)) && async && SUCCEEDED(op->StartOperation(nullptr)))
            return StartAsyncTransfer(std::move(op), Effect);
    }
    return DoGetData(data_object_.Get());
}

bool TCustomDropTarget::StartAsyncTransfer(ComPtr<IDataObjectAsyncCapability> op, DWORD Effect) {
    IStream* stream = nullptr;
    if (FAILED(CoMarshalInterThreadInterfaceInStream(IID_IDataObject, data_object_.Get(), &stream))) {
        op->EndOperation(E_FAIL, nullptr, DROPEFFECT_NONE);
        return DoGetData(data_object_.Get());
    }
    NotifyWindow()->HandleNeeded();
    async_op_ = std::move(op);
    async_effect_ = Effect;
    transfer_error_ = nullptr;
    transfer_stream_ = stream;
    if (OnStartAsyncTransfer) OnStartAsyncTransfer(this);
    async_transfer_ = true;
    transfer_thread_ = CreateThread(nullptr, 0, &TCustomDropTarget::TransferThread, this, 0, nullptr);
    if (!transfer_thread_) {
        CoReleaseMarshalData(stream);
        stream->Release();
        transfer_stream_ = nullptr;
        async_transfer_ = false;
        async_op_->EndOperation(E_FAIL, nullptr, DROPEFFECT_NONE);
        async_op_.Reset();
        return DoGetData(data_object_.Get());
    }
    return true;
}

DWORD WINAPI TCustomDropTarget::TransferThread(void* self) {
    static_cast<TCustomDropTarget*>(self)->RunTransfer();
    return 0;
}

void TCustomDropTarget::RunTransfer() {
    const HRESULT init = CoInitialize(nullptr);
    DWORD effect = async_effect_;
    {
        ComPtr<IDataObject> obj;
        IStream* stream = std::exchange(transfer_stream_, nullptr);
        try {
            if (FAILED(CoGetInterfaceAndReleaseStream(stream, IID_IDataObject, obj.PutVoid()))) throw EAbort("");
            transfer_thread_id_ = GetCurrentThreadId();
            transfer_object_ = obj.Get();
            if (DoGetData(obj.Get()))
                DoDrop(0, POINT{0, 0}, effect);
            else
                effect = DROPEFFECT_NONE;
        } catch (const EAbort&) {
            effect = DROPEFFECT_NONE;
        } catch (...) {
            transfer_error_ = std::current_exception();
            effect = DROPEFFECT_NONE;
        }
        transfer_object_ = nullptr;
    }
    async_effect_ = effect;
    if (SUCCEEDED(init)) CoUninitialize();
    PostMessageA(notify_window_->WindowHandle(), kTransferDone, 0, 0);
}

void TCustomDropTarget::FinishAsyncTransfer() {
    if (!transfer_thread_) return;
    WaitForSingleObject(transfer_thread_, INFINITE);
    CloseHandle(transfer_thread_);
    transfer_thread_ = nullptr;
    if (async_op_) async_op_->EndOperation(transfer_error_ ? E_UNEXPECTED : S_OK, nullptr, async_effect_);
    async_op_.Reset();
    async_transfer_ = false;
    std::exception_ptr error = std::exchange(transfer_error_, nullptr);
    GuardCallback([this] { ClearData(); });
    data_object_.Reset();
    target_ = nullptr;
    if (OnEndAsyncTransfer) OnEndAsyncTransfer(this);
    if (error) std::rethrow_exception(error);
}

// --- errors caught inside IDropTarget calls ---------------------------------------------

TDropNotifyWindow* TCustomDropTarget::NotifyWindow() {
    if (!notify_window_) {
        notify_window_ = Create<TDropNotifyWindow>(this);
        notify_window_->SetParentWindow(HWND_MESSAGE);
        notify_window_->OnDone = [this] { FinishAsyncTransfer(); };
        notify_window_->OnReport = [this] { ReportErrors(); };
    }
    return notify_window_;
}

void TCustomDropTarget::DeferError(std::exception_ptr Error) noexcept {
    // A message box opened here would hold the drag source until the user
    // answers: the error waits until the call has returned.
    try {
        pending_errors_.push_back(std::move(Error));
        if (pending_errors_.size() == 1) {
            TDropNotifyWindow* w = NotifyWindow();
            w->HandleNeeded();
            PostMessageA(w->WindowHandle(), kReportErrors, 0, 0);
        }
    } catch (...) {
        // Without memory or a window the error has nobody to go to.
    }
}

void TCustomDropTarget::ReportErrors() noexcept {
    std::vector<std::exception_ptr> errors;
    errors.swap(pending_errors_);
    for (auto& e : errors) GuardCallback([&] { std::rethrow_exception(e); });
}

// --- feedback ------------------------------------------------------------------------

DWORD TCustomDropTarget::GetPreferredDropEffect() {
    IDataObject* obj = DataObject();
    if (!obj) return DROPEFFECT_NONE;
    TPreferredDropEffectClipboardFormat f;
    return f.GetData(obj) ? f.Value : DROPEFFECT_NONE;
}

bool TCustomDropTarget::SetPerformedDropEffect(DWORD Effect) {
    IDataObject* obj = DataObject();
    if (!obj) return false;
    TPerformedDropEffectClipboardFormat f;
    f.Value = Effect;
    return f.SetDataOn(obj);
}

bool TCustomDropTarget::SetPasteSucceeded(DWORD Effect) {
    IDataObject* obj = DataObject();
    if (!obj) return false;
    TPasteSucceededClipboardFormat f;
    f.Value = Effect;
    return f.SetDataOn(obj);
}

DWORD TCustomDropTarget::PasteFromClipboard() {
    EndDrag();
    ComPtr<IDataObject> obj;
    if (FAILED(OleGetClipboard(obj.Put())) || !obj) return DROPEFFECT_NONE;
    data_object_ = std::move(obj);
    DWORD effect = DROPEFFECT_NONE;
    try {
        effect = GetPreferredDropEffect();
        if (!GetData(effect)) effect = DROPEFFECT_NONE;
        DropFromClipboard(effect);
    } catch (...) {
        data_object_.Reset();
        throw;
    }
    data_object_.Reset();
    return effect;
}

bool TCustomDropTarget::CanPasteFromClipboard() {
    ComPtr<IDataObject> obj;
    if (FAILED(OleGetClipboard(obj.Put())) || !obj) return false;
    return HasValidFormats(obj.Get());
}

// --- automatic scrolling ------------------------------------------------------------

void TCustomDropTarget::ScrollTick() {
    scroll_timer_->SetEnabled(false);  // the next DragOver arms it again
    if (!target_ || !target_->HandleAllocated() || InNoScrollZone(last_point_)) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (!hover_.Test(GetTickCount(), cursor.x, cursor.y)) return;
    const HWND wnd = target_->WindowHandle();
    TScrollDirections scroll = 0;
    auto bar = [&](int kind, LONG pos, LONG low, LONG high, TScrollDirection less, TScrollDirection more) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        if (!GetScrollInfo(wnd, kind, &si)) return;
        if (pos < low && si.nPos > si.nMin)
            scroll |= less;
        else if (pos >= high && si.nPos + static_cast<int>(si.nPage) <= si.nMax)
            scroll |= more;
    };
    if (scroll_v_) bar(SB_VERT, last_point_.y, no_scroll_zone_.top, no_scroll_zone_.bottom, sdUp, sdDown);
    if (scroll_h_) bar(SB_HORZ, last_point_.x, no_scroll_zone_.left, no_scroll_zone_.right, sdLeft, sdRight);
    if (!scroll) return;
    int interval = 50;
    DoScroll(last_point_, scroll, interval);
    if (!scroll) return;
    ImageShow(false);
    if (scroll & sdUp) SendMessageA(wnd, WM_VSCROLL, SB_LINEUP, 0);
    if (scroll & sdDown) SendMessageA(wnd, WM_VSCROLL, SB_LINEDOWN, 0);
    if (scroll & sdLeft) SendMessageA(wnd, WM_HSCROLL, SB_LINELEFT, 0);
    if (scroll & sdRight) SendMessageA(wnd, WM_HSCROLL, SB_LINERIGHT, 0);
    ImageShow(true);
}

// --- drag image --------------------------------------------------------------------

POINT TCustomDropTarget::TargetWindowPoint(POINT ClientPt) const {
    const POINT s = target_->ClientToScreen(ClientPt);
    RECT wr{};
    GetWindowRect(target_->WindowHandle(), &wr);
    return POINT{s.x - wr.left, s.y - wr.top};
}

void TCustomDropTarget::ImageEnter(IDataObject* DataObject, POINTL Pt, DWORD Effect) {
    if (!target_ || !target_->HandleAllocated()) return;
    ComPtr<IDropTargetHelper> helper;
    if (SUCCEEDED(CoCreateInstance(kClsidDragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper,
                                   helper.PutVoid())) &&
        helper) {
        POINT p{Pt.x, Pt.y};
        if (SUCCEEDED(helper->DragEnter(target_->WindowHandle(), DataObject, &p, Effect))) {
            helper_ = std::move(helper);
            return;
        }
    }
    POINT at{}, hot{};
    drag_image_ = ImageList_GetDragImage(&at, &hot);
    if (!drag_image_) return;
    if (!drag_images_) {
        // One transparent 32 x 32 cursor image: the shell's picture is merged in.
        drag_images_ = Create<TImageList>(this);
        drag_images_->SetSize(32, 32);
        TBitmap blank(32, 32);
        blank.Canvas().Brush().SetColor(clWindow);
        blank.Canvas().FillRect(RECT{0, 0, 32, 32});
        drag_images_->AddMasked(&blank, clWindow);
    }
    ImageList_SetDragCursorImage(drag_images_->Handle(), 0, hot.x, hot.y);
    const POINT wp = TargetWindowPoint(last_point_);
    image_shown_ = ImageList_DragEnter(target_->WindowHandle(), wp.x, wp.y) != FALSE;
}

void TCustomDropTarget::ImageOver(POINTL Pt, POINT ClientPt, DWORD Effect) {
    if (helper_) {
        POINT p{Pt.x, Pt.y};
        helper_->DragOver(&p, Effect);
    } else if (image_shown_ && (ClientPt.x != last_point_.x || ClientPt.y != last_point_.y)) {
        const POINT wp = TargetWindowPoint(ClientPt);
        ImageList_DragMove(wp.x, wp.y);
    }
}

void TCustomDropTarget::ImageLeave() {
    if (helper_) {
        helper_->DragLeave();
    } else if (image_shown_ && target_ && target_->HandleAllocated()) {
        ImageList_DragLeave(target_->WindowHandle());
    }
    image_shown_ = false;
}

void TCustomDropTarget::ImageShow(bool Show) {
    if (helper_) {
        helper_->Show(Show);
    } else if (drag_image_ && target_ && target_->HandleAllocated()) {
        if (Show) {
            const POINT wp = TargetWindowPoint(last_point_);
            image_shown_ = ImageList_DragEnter(target_->WindowHandle(), wp.x, wp.y) != FALSE;
        } else if (image_shown_) {
            ImageList_DragLeave(target_->WindowHandle());
            image_shown_ = false;
        }
    }
}

void TCustomDropTarget::SetShowImage(bool Value) {
    show_image_ = Value;
    if (helper_)
        helper_->Show(Value);
    else if (data_object_)
        ImageList_DragShowNolock(Value);
}

// ------------------------------------------------------- TCustomDropMultiTarget

TCustomDropMultiTarget::TCustomDropMultiTarget(TComponent* AOwner) : TCustomDropTarget(AOwner) {
    data_formats_ = std::make_unique<TDataFormats>();
}

TCustomDropMultiTarget::~TCustomDropMultiTarget() {
    while (data_formats_->Count() > 0) delete data_formats_->Items(data_formats_->Count() - 1);
}

bool TCustomDropMultiTarget::DoAcceptFormat(TCustomDataFormat* DataFormat) {
    bool accept = true;
    if (OnAcceptFormat) OnAcceptFormat(this, DataFormat, accept);
    return accept;
}

bool TCustomDropMultiTarget::DoGetData(IDataObject* obj) {
    if (!obj) return false;
    bool result = false;
    for (int i = 0; i < data_formats_->Count(); ++i) {
        TCustomDataFormat* f = data_formats_->Items(i);
        if (f->HasValidFormats(obj) && DoAcceptFormat(f) && f->GetData(obj)) result = true;
    }
    return result;
}

void TCustomDropMultiTarget::ClearData() {
    if (AsyncTransfer()) throw Exception("Can't clear data while async data transfer is in progress");
    for (int i = 0; i < data_formats_->Count(); ++i) data_formats_->Items(i)->Clear();
}

bool TCustomDropMultiTarget::HasValidFormats(IDataObject* obj) {
    ComPtr<IEnumFORMATETC> formats;
    if (FAILED(obj->EnumFormatEtc(DATADIR_GET, formats.Put())) || !formats) return false;
    formats->Reset();
    FORMATETC fe{};
    ULONG got = 0;
    for (int asked = 0; asked < kMaxEnumeratedFormats && formats->Next(1, &fe, &got) == S_OK && got == 1; ++asked) {
        const FORMATETC entry = fe;
        if (fe.ptd) CoTaskMemFree(fe.ptd);
        for (int i = 0; i < data_formats_->Count(); ++i) {
            TCustomDataFormat* f = data_formats_->Items(i);
            if (f->AcceptFormat(entry) && f->HasValidFormats(obj) && DoAcceptFormat(f)) return true;
        }
    }
    return false;
}

// --------------------------------------------------------------- TDropFileTarget

TDropFileTarget::TDropFileTarget(TComponent* AOwner)
    : TCustomDropMultiTarget(AOwner),
      file_format_(new TFileDataFormat(this)),
      file_map_format_(new TFileMapDataFormat(this)) {
    OptimizedMove = true;
}

DWORD TDropFileTarget::GetPreferredDropEffect() {
    const DWORD e = TCustomDropTarget::GetPreferredDropEffect();
    return e == DROPEFFECT_NONE ? DROPEFFECT_COPY : e;
}
