#include "controls/menus/edit_context_menu.h"

#include <richedit.h>

#include "controls/dialogs/symbol_dialog.h"
#include "controls/dragdrop/file_links_clipboard.h"
#include "framework/clipboard.h"
#include "framework/win_control.h"

int EditSelectionLength(TWinControl* Control) {
    if (!Control) return 0;
    const HWND wnd = Control->Handle();
    if (IsRichEditControl(Control)) {
        CHARRANGE range{};
        SendMessageA(wnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return range.cpMax > range.cpMin ? range.cpMax - range.cpMin : 0;
    }
    DWORD start = 0, end = 0;
    SendMessageA(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end > start ? static_cast<int>(end - start) : 0;
}

bool EditIsReadOnly(TWinControl* Control) {
    return Control && (GetWindowLongA(Control->Handle(), GWL_STYLE) & ES_READONLY) != 0;
}

TTextoxPopupMenu::TTextoxPopupMenu(TComponent* AOwner) : ToxPopupMenu(AOwner) {
    BuildItems();
    SetAppearance();
}

TMenuItem* TTextoxPopupMenu::AddItem(const std::string& Caption, const std::string& Resource) {
    auto* item = Create<TMenuItem>(this);
    item->SetCaption(Caption);
    if (!Resource.empty()) {
        // A program built without the picture keeps the item, just without it.
        try {
            item->Bitmap().LoadFromResourceName(GetModuleHandleA(nullptr), Resource);
            // The pictures stand on a key colour (their bottom-left pixel)
            // that the menu's background shows through.
            item->Bitmap().SetTransparent(true);
        } catch (const EInvalidOperation&) {
        }
    }
    item->OnClick = [this](TObject* Sender) { ItemClick(Sender); };
    Items()->Add(item);
    return item;
}

void TTextoxPopupMenu::BuildItems() {
    while (Items()->Count() > 0) Items()->Items(0)->Free();
    cut_ = AddItem("Ausschneiden", "UICUTTEXT0");
    copy_ = AddItem("Kopieren", "UICOPYTEXT0");
    paste_ = AddItem("Einfügen", "UIPASTETEXT0");
    separator_ = AddItem("-");
    select_all_ = AddItem("Alles markieren");
    symbol_ = AddItem("Symbol einfügen");
}

void TTextoxPopupMenu::SetAppearance() {
    MenuData().SetOwnerDraw(false);
    Font().SetCharset(0);
    Font().SetColor(clWindowText);
    Font().SetHeight(-11);
    Font().SetName("Tahoma");
    Font().SetStyle(0);
    SetOptions(oxmCustomFont | oxmBanner | oxmBackground | oxmMultiLine);
    SetColor(65535);
    ToxBanner& banner = Banner();
    banner.Font().SetCharset(1);
    banner.Font().SetColor(clWhite);
    banner.Font().SetHeight(-11);
    banner.Font().SetName("Tahoma");
    banner.Font().SetStyle(0);
    banner.SetColor(8421504);
    banner.SetGradient(clWhite);
    banner.SetFont3D(ox3Normal);  // plain text; no effect would draw none
    banner.SetVertical(true);
    banner.SetCaption("Text bearbeiten");
    SetFont3D(ox3Normal);
    Background().SetStyle(oxmHorzGradient);
    Background().SetGradient(16776176);
    SetSelectionStyle(oxmNormSel);
}

void TTextoxPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    ToxPopupMenu::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    for (TMenuItem** field : {&cut_, &copy_, &paste_, &separator_, &select_all_, &symbol_})
        if (*field == AComponent) *field = nullptr;
}

TWinControl* TTextoxPopupMenu::Target() const { return dynamic_cast<TWinControl*>(PopupComponent()); }

void TTextoxPopupMenu::DoPopup(TObject* Sender) {
    PreparePopup();
    ToxPopupMenu::DoPopup(Sender);
}

void TTextoxPopupMenu::PreparePopup() {
    TWinControl* control = Target();
    if (!control || standard_off_) return;
    const bool read_only = EditIsReadOnly(control);
    const bool selected = EditSelectionLength(control) > 0;
    if (symbol_) symbol_->SetEnabled(!read_only);
    if (cut_) cut_->SetEnabled(!read_only && selected);
    if (copy_) copy_->SetEnabled(selected);
    if (paste_) paste_->SetEnabled(!read_only);
    if (select_all_) select_all_->SetEnabled(true);
    if (!control->Focused()) {
        try {
            control->SetFocus();
        } catch (const std::exception&) {
            // A control that cannot take the focus still gets its menu.
        }
    }
}

void TTextoxPopupMenu::ItemClick(TObject* Sender) {
    TWinControl* control = Target();
    if (!control || standard_off_ || !Sender) return;
    if (Sender == symbol_) ShowSymbolDialog();
    else if (Sender == cut_) SendMessageA(control->Handle(), WM_CUT, 0, 0);
    else if (Sender == copy_) SendMessageA(control->Handle(), WM_COPY, 0, 0);
    else if (Sender == paste_) SendMessageA(control->Handle(), WM_PASTE, 0, 0);
    else if (Sender == select_all_) SendMessageA(control->Handle(), EM_SETSEL, 0, -1);
}

void TRTFoxPopupMenu::ItemClick(TObject* Sender) {
    TWinControl* control = Target();
    if (!control || StandardOff() || !Sender) return;
    if (Sender == CopyItem()) CopyWithFileLinks(PopupComponent());
    else if (Sender == PasteItem()) PasteWithFileLinks(control);
    else TTextoxPopupMenu::ItemClick(Sender);
}

void TTextoxPopupMenu::ShowSymbolDialog() {
    TSymbolDlg* dlg = Create<TSymbolDlg>(nullptr);
    dlg->InsertProc = [this](const std::string& Text) { InsertText(Text); };
    try {
        dlg->ShowModal();
    } catch (...) {
        dlg->Free();
        throw;
    }
    dlg->Free();
}

void TTextoxPopupMenu::InsertText(const std::string& Text) {
    TWinControl* control = Target();
    SetClipboardText(Text);
    if (control) SendMessageA(control->Handle(), WM_PASTE, 0, 0);
}

void TTextoxPopupMenu::SetItemsVisible(bool Value) {
    if (standard_off_) return;
    for (TMenuItem* item : {cut_, copy_, paste_, separator_, select_all_, symbol_})
        if (item) item->SetVisible(Value);
}

void TTextoxPopupMenu::SetBannerCaption(const std::string& Value) { Banner().SetCaption(Value); }
