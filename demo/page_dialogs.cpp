// Gallery page "dialogs": buttons that open an information box and a
// question box (the answer shows in the status line), and pictures of both
// boxes as they look when shown, painted from box forms that are never shown.
#include <string>

#include "controls/dialogs/message_box.h"
#include "controls/flat/flat_button.h"
#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "framework/form.h"

namespace {

const char* const kInfoText =
    "<B>Der Import ist beendet.</B><BR>3 Aufträge wurden übernommen, 1 Auftrag wurde erneuert.<BR>"
    "Die Artikelbezüge von 2 Positionen mussten geändert werden.";
const char* const kQuestionText =
    "<B>Die Datei \"Auftrag_1043.QTF\" ist schon vorhanden.</B><BR>Soll sie überschrieben werden?";

// A message box as ShowInfo or ShowQuestion would show it: set up and sized
// by its own FormShow, never shown.
TFSB_BOX* PreparedBox(bool Question) {
    TFSB_BOX* box = CreateMessageBox();
    if (Question)
        PrepareQuestionBox(box, kQuestionText, "", "Ordivo");
    else
        PrepareInfoBox(box, kInfoText, "", "Ordivo");
    box->FormShow(box);
    return box;
}

// A button that opens a real box; owned by the page's form like its other controls.
void AddOpener(TWinControl* parent, int y, const std::string& caption, TNotifyEvent open) {
    TCustomForm* form = GetParentForm(parent);
    auto* b = Create<TFlatButton>(form ? static_cast<TComponent*>(form) : parent);
    b->SetBounds(470, y, 150, 29);
    b->SetCaption(caption);
    b->SetTabStop(true);
    b->OnClick = std::move(open);
    b->SetParent(parent);
}


void BuildDialogsPage(TWinControl* parent) {
    parent->SetColor(RGB(0xEB, 0xEA, 0xE1));
    SampleTitle(parent, "  Meldungs- und Fragefenster", 30);

    auto* info = WindowPicture(parent, 16, 60, PreparedBox(false), true);
    auto* question = WindowPicture(parent, 16, info->Top() + info->Height() + 36, PreparedBox(true), true);

    SampleLabel(parent, 16, 40, 320, "Information", true);
    SampleLabel(parent, 16, question->Top() - 20, 320, "Frage", true);
    SampleLabel(parent, 470, 40, 320, "Echte Fenster (modal)", true);
    SampleLabel(parent, 470, 200, 320, "Information: jede Taste ohne Umschalt schließt.");
    SampleLabel(parent, 470, 220, 320, "Frage: Enter, Escape, links und rechts.");
    auto* status = SampleLabel(parent, 470, 170, 320, "Noch keine Antwort.");
    AddOpener(parent, 62, "Information zeigen",
              [](TObject*) { ShowInfo(kInfoText, "Das Protokoll steht in <B>imported.txt</B>."); });
    AddOpener(parent, 100, "Frage stellen", [status](TObject*) {
        status->SetCaption(ShowQuestion(kQuestionText) ? "Antwort: Ja" : "Antwort: Nein");
    });
}

}  // namespace

GALLERY_PAGE(dialogs, "dialogs", 50, &BuildDialogsPage);
