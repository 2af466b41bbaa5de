// A form's menu bar: the HMENU shown by the window and the routing of its
// messages to the TMainMenu.

#include "framework/form.h"
#include "framework/menus.h"

void TCustomForm::SetMenu(TMainMenu* Value) {
    if (menu_ != Value) {
        if (menu_) {
            menu_->form_ = nullptr;
            menu_->RemoveFreeNotification(this);
        }
        if (Value && Value->form_ && Value->form_ != this) Value->form_->SetMenu(nullptr);
        menu_ = Value;
        if (menu_) {
            menu_->form_ = this;
            menu_->FreeNotification(this);
        }
    }
    if (HandleAllocated()) {
        // The platform destroys a window's menu with the window: the bar is
        // taken off again at WM_DESTROY, so the handle stays the menu's.
        ::SetMenu(WindowHandle(), menu_ ? menu_->Handle() : nullptr);
        DrawMenuBar(WindowHandle());
    }
}

bool TCustomForm::DispatchMenuMessage(TMessage& m) {
    if (m.Msg == WM_DESTROY && HandleAllocated()) ::SetMenu(WindowHandle(), nullptr);
    return IsMenuMessage(m.Msg) && menu_->HandleMenuMessage(m);
}
