// Gallery page "file-links": files on the clipboard (copied in a file
// manager) pasted as "file://" links, blanks written as "*" and the server
// root as "[SERVER]"; the links of the field copied out again as files
// (text and shell ID list; one file offers the save dialog).
#include <string>

#include "controls/dragdrop/doc_roots.h"
#include "controls/dragdrop/file_links_clipboard.h"
#include "controls/flat/flat_button.h"
#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/strings.h"

namespace {

TFlatButton* AddButton(TComponent* owner, TWinControl* parent, int x, int y, const std::string& caption) {
    auto* b = Create<TFlatButton>(owner);
    b->SetBounds(x, y, 200, 29);
    b->SetCaption(caption);
    b->SetTabStop(true);
    b->SetParent(parent);
    return b;
}

void BuildFileLinksPage(TWinControl* parent) {
    parent->SetColor(RGB(0xEB, 0xEA, 0xE1));
    SampleTitle(parent, "  Dateiverknüpfungen", 30);
    TCustomForm* form = GetParentForm(parent);
    TComponent* owner = form ? static_cast<TComponent*>(form) : parent;

    SampleLabel(parent, 16, 40, 600, "Verknüpfungen (durch Leerzeichen getrennt)", true);
    auto* links = Create<TCustomEdit>(owner);
    links->SetBounds(16, 60, 760, 21);
    links->SetParent(parent);
    auto* status = SampleLabel(parent, 16, 170, 760, "Dateien im Dateimanager kopieren, dann hier einfügen.");

    AddButton(owner, parent, 16, 96, "Dateien einfügen")->OnClick = [links, status](TObject*) {
        const TDocRoots roots = LoadDocRoots();
        TStringList files;
        if (!GetClipboardFileLinks(roots, files, links->Handle())) {
            status->SetCaption("Keine Dateien in der Zwischenablage.");
            return;
        }
        std::string text;
        for (int i = 0; i < files.Count(); ++i)
            text += (text.empty() ? "" : " ") + MakeLink(roots, files[i], kLinkAsFileUrl, 0);
        links->SetSelText(text);
        status->SetCaption(std::to_string(files.Count()) + " Verknüpfung(en) eingefügt.");
    };
    AddButton(owner, parent, 232, 96, "Verknüpfte Dateien kopieren")->OnClick = [links, status](TObject*) {
        const bool handled = CopyLinkedFiles(links->Text(), true);
        status->SetCaption(handled ? "Dateien kopiert." : "Keine Datei gefunden: als Text kopiert.");
    };
    SampleLabel(parent, 16, 140, 760,
                "Dateien unter dem Server-Stammordner stehen als [SERVER], Leerzeichen als *.");
}

}  // namespace

GALLERY_PAGE(file_links, "file-links", 65, &BuildFileLinksPage);
