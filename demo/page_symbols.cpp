// Gallery page "symbols": the symbol dialog as it looks when shown, and a
// field with a button (or its context menu) that opens the real dialog; the
// chosen character goes into the field at its caret.
#include <string>

#include "controls/dialogs/symbol_dialog.h"
#include "controls/dialogs/symbol_layout.h"
#include "controls/flat/flat_button.h"
#include "controls/menus/edit_context_menu.h"
#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "foundation/user_mode.h"
#include "framework/edit.h"

namespace {

// The gallery's character list has the euro sign second, so it is reached
// with one arrow key; a list the user changed otherwise is left alone.
void UseGallerySymbols() {
    std::string chars;
    ReadUserModeString(kSymbolCharsKey, "", "", chars, false);
    if (chars.find('\x80') != std::string::npos) return;
    const std::string& defaults = DefaultSymbolChars();
    std::string list(1, defaults[0]);
    list.push_back('\x80');
    list.append(defaults, 1);
    WriteUserModeString(kSymbolCharsKey, list, "");
}

TSymbolDlg* LoadedDialog() {
    auto* dlg = Create<TSymbolDlg>(nullptr);
    dlg->LoadSymbols();
    return dlg;
}

void BuildSymbolsPage(TWinControl* parent) {
    parent->SetColor(RGB(0xEB, 0xEA, 0xE1));
    SampleTitle(parent, "  Symbol einfügen", 30);
    UseGallerySymbols();
    SampleLabel(parent, 16, 40, 320, "Symbolfenster", true);
    WindowPicture(parent, 16, 60, LoadedDialog(), true);

    // Everything here belongs to the page and goes with it.
    TComponent* owner = parent;
    SampleLabel(parent, 470, 40, 320, "Feld mit Symbol (modal)", true);
    auto* edit = Create<TCustomEdit>(owner);
    edit->SetBounds(470, 62, 200, 21);
    edit->SetText("Preis: 10 ");
    edit->SetParent(parent);
    // Right click: the edit menu, whose "Symbol einfügen" opens the dialog too.
    edit->SetPopupMenu(Create<TTextoxPopupMenu>(owner));
    auto* open = Create<TFlatButton>(owner);
    open->SetBounds(470, 92, 150, 29);
    open->SetCaption("Symbol einfügen ...");
    open->SetTabStop(true);
    open->SetParent(parent);
    open->OnClick = [edit](TObject*) {
        edit->SetSelStart(static_cast<int>(edit->Text().size()));
        TSymbolDlg* dlg = Create<TSymbolDlg>(nullptr);
        dlg->InsertProc = [edit](const std::string& text) { edit->SetSelText(text); };
        dlg->ShowModal();
        dlg->Free();
    };
    SampleLabel(parent, 470, 130, 320, "Pfeiltasten und Enter, Doppelklick oder F3 wählen;");
    SampleLabel(parent, 470, 148, 320, "Escape und \"Abbruch\" schließen ohne Wahl.");
}

}  // namespace

GALLERY_PAGE(symbols, "symbols", 55, &BuildSymbolsPage);
