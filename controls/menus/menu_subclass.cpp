#include "controls/menus/menu_subclass.h"

#include <algorithm>

#include "controls/menus/menu_appearance.h"
#include "controls/menus/menu_components.h"
#include "framework/exceptions.h"
#include "framework/form.h"
#include "framework/timer.h"
#include "framework/win_control.h"

// --- ToxBaseSubClass ---------------------------------------------------------------------------

ToxBaseSubClass::ToxBaseSubClass(TComponent* AOwner) : TComponent(AOwner) {}

ToxBaseSubClass::~ToxBaseSubClass() = default;

void ToxBaseSubClass::BeforeDestruction() {
    Unhook();
    SetControl(nullptr);
    TComponent::BeforeDestruction();  // frees the re-attach timer it owns
    timer_ = nullptr;
}

void ToxBaseSubClass::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == control_) {
        control_ = nullptr;
        if (timer_) timer_->SetEnabled(false);
    }
    if (AComponent == timer_) timer_ = nullptr;
}

void ToxBaseSubClass::SetActive(bool Value) {
    if (active_ == Value) return;
    if (Value) Hook();
    else Unhook();
    if (!IsDestroying()) Changed();
}

void ToxBaseSubClass::Hook() {
    if (!handle_ || !IsWindow(handle_)) throw ENotOwnerError("Not a valid Window");
    if (!hook_.Attach(handle_, [this](TMessage& m) { return HookMessage(m); }))
        throw EOutOfResources("Windows Resources Exhausted");
    active_ = true;
}

void ToxBaseSubClass::Unhook() {
    hook_.Detach();
    active_ = false;
}

void ToxBaseSubClass::SetHandle(HWND Value) {
    if (handle_ == Value) return;
    const bool was = active_;
    Unhook();
    handle_ = Value;
    if (was && handle_) Hook();
}

void ToxBaseSubClass::SetControl(TWinControl* Value) {
    if (control_ == Value) return;
    if (control_) control_->RemoveFreeNotification(this);
    control_ = Value;
    if (control_) {
        control_->FreeNotification(this);
        SetHandle(control_->Handle());
    }
}

bool ToxBaseSubClass::HookMessage(TMessage& m) {
    if (m.Msg == WM_DESTROY && control_) {
        // The control may make its window again: look for it a few times.
        was_active_ = active_;
        ticks_ = 0;
        if (!timer_) {
            timer_ = new TTimer(this);
            timer_->OnTimer = [this](TObject*) { ReattachTick(); };
        }
        timer_->SetInterval(kReattachInterval);
        timer_->SetEnabled(true);
    }
    return WndProc(m);
}

bool ToxBaseSubClass::WndProc(TMessage&) { return false; }

bool ToxBaseSubClass::Reattaching() const { return timer_ && timer_->Enabled(); }

void ToxBaseSubClass::ReattachTick() {
    if (control_ && !control_->HandleAllocated() && ++ticks_ < kReattachTicks) return;
    timer_->SetEnabled(false);
    ticks_ = 0;
    Reattach();
}

void ToxBaseSubClass::Reattach() {
    active_ = false;
    hook_.Detach();
    handle_ = control_ && control_->HandleAllocated() ? control_->Handle() : nullptr;
    if (was_active_ && handle_) Hook();
}

// --- TMenuFormSubclass -------------------------------------------------------------------------

namespace {

std::vector<TMenuFormSubclass*>& FormSubclasses() {
    static std::vector<TMenuFormSubclass*> list;
    return list;
}

}  // namespace

TMenuFormSubclass* TMenuFormSubclass::Acquire(TCustomForm* Form, ToxMenu* Menu) {
    for (TMenuFormSubclass* s : FormSubclasses())
        if (s->Control() == Form) {
            s->menus_.push_back(Menu);
            return s;
        }
    auto* s = Create<TMenuFormSubclass>(nullptr);
    s->SetControl(Form);
    s->SetActive(true);
    s->menus_.push_back(Menu);
    FormSubclasses().push_back(s);
    return s;
}

void TMenuFormSubclass::ReleaseFor(TMenuFormSubclass* Subclass, ToxMenu* Menu) {
    auto& menus = Subclass->menus_;
    menus.erase(std::remove(menus.begin(), menus.end(), Menu), menus.end());
    if (!menus.empty()) return;
    auto& list = FormSubclasses();
    list.erase(std::remove(list.begin(), list.end(), Subclass), list.end());
    Subclass->Free();
}

bool TMenuFormSubclass::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_INITMENUPOPUP: {
        HMENU popup = reinterpret_cast<HMENU>(m.WParam);
        for (ToxMenu* menu : menus_)
            if (menu->FindItem(reinterpret_cast<UINT_PTR>(popup), fkHandle)) menu->MenuData().FirstDrawPending = true;
        menu_selected_ = false;
        return false;
    }
    case WM_MENUSELECT:
        menu_selected_ = true;
        return false;
    case WM_MENUCHAR: {
        HMENU menu = reinterpret_cast<HMENU>(m.LParam);
        for (ToxMenu* owner : menus_)
            if (owner->FindItem(reinterpret_cast<UINT_PTR>(menu), fkHandle)) {
                m.Result = KitMenuCharSearch(owner, menu, static_cast<char>(LOWORD(m.WParam)));
                return true;
            }
        return false;
    }
    default: return false;
    }
}

void TMenuFormSubclass::Reattach() {
    ToxBaseSubClass::Reattach();
    if (Handle()) DrawMenuBar(Handle());
}
