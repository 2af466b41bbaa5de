// TControl's context menu.

#include "framework/control.h"
#include "framework/menus.h"

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (popup_menu_ == value) return;
    if (popup_menu_) popup_menu_->RemoveFreeNotification(this);
    popup_menu_ = value;
    if (popup_menu_) popup_menu_->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == popup_menu_) popup_menu_ = nullptr;
}

bool TControl::DoContextPopup(POINT ScreenPos) {
    if (!popup_menu_ || !popup_menu_->Items()->Count()) return false;
    if (ScreenPos.x == -1 && ScreenPos.y == -1)
        ScreenPos = ClientToScreen(POINT{ClientWidth() / 2, ClientHeight() / 2});
    popup_menu_->SetPopupComponent(this);
    popup_menu_->Popup(ScreenPos.x, ScreenPos.y);
    return true;
}
