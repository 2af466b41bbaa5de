// Gallery page "dialogs": buttons that open an information box, a question
// box (the answer shows in the status line) and an input box (its text
// shows in the answer field), and pictures of the three boxes as they look
// when shown, painted from box forms that are never shown.
#include <optional>
#include <string>
#include <vector>

#include "controls/dialogs/message_box.h"
#include "controls/flat/flat_button.h"
#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "editors/edits/combo_box.h"
#include "framework/form.h"

namespace {

const char* const kInfoText =
    "<B>Der Import ist beendet.</B><BR>3 Aufträge wurden übernommen, 1 Auftrag wurde erneuert.<BR>"
    "Die Artikelbezüge von 2 Positionen mussten geändert werden.";
const char* const kQuestionText =
    "<B>Die Datei \"Auftrag_1043.QTF\" ist schon vorhanden.</B><BR>Soll sie überschrieben werden?";

const char* const kInputText = "<B>Lieferant</B><BR>Bitte den Namen eingeben oder aus der Liste wählen:";
const char* const kSuppliers[] = {"Meier GmbH", "Schulz & Partner", "Weber KG", "Zimmermann AG"};

std::vector<std::string> Suppliers() { return {std::begin(kSuppliers), std::end(kSuppliers)}; }

enum class BoxKind { Info, Question, Input };

// A message box as ShowInfo, ShowQuestion or ShowInput would show it: set
// up and sized by its own FormShow, never shown.
TFSB_BOX* PreparedBox(BoxKind Kind) {
    TFSB_BOX* box = CreateMessageBox();
    if (Kind == BoxKind::Question) {
        PrepareQuestionBox(box, kQuestionText, "", "Ordivo");
    } else if (Kind == BoxKind::Input) {
        PrepareInputBox(box, kInputText, Suppliers(), "", "", "Ordivo");
        // The field paints its text and placeholder from its window.
        box->FINPE->HandleNeeded();
    } else {
        PrepareInfoBox(box, kInfoText, "", "Ordivo");
    }
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

    auto* info = WindowPicture(parent, 16, 60, PreparedBox(BoxKind::Info), true);
    auto* question = WindowPicture(parent, 16, info->Top() + info->Height() + 36, PreparedBox(BoxKind::Question), true);
    auto* input =
        WindowPicture(parent, 16, question->Top() + question->Height() + 36, PreparedBox(BoxKind::Input), true);

    SampleLabel(parent, 16, 40, 320, "Information", true);
    SampleLabel(parent, 16, question->Top() - 20, 320, "Frage", true);
    SampleLabel(parent, 16, input->Top() - 20, 320, "Eingabe", true);
    SampleLabel(parent, 470, 40, 320, "Echte Fenster (modal)", true);
    SampleLabel(parent, 470, 200, 320, "Information: jede Taste ohne Umschalt schließt.");
    SampleLabel(parent, 470, 220, 320, "Frage: Enter, Escape, links und rechts.");
    auto* status = SampleLabel(parent, 470, 170, 320, "Noch keine Antwort.");
    AddOpener(parent, 62, "Information zeigen",
              [](TObject*) { ShowInfo(kInfoText, "Das Protokoll steht in <B>imported.txt</B>."); });
    AddOpener(parent, 100, "Frage stellen", [status](TObject*) {
        status->SetCaption(ShowQuestion(kQuestionText) ? "Antwort: Ja" : "Antwort: Nein");
    });
    // The input box's answer: the text exactly as typed or chosen.
    SampleLabel(parent, 470, 250, 320, "Eingabe: Enter übernimmt, Escape bricht ab.");
    SampleLabel(parent, 470, 276, 80, "Antwort:");
    auto* answer = Create<TDCChoiceEdit>(parent);
    answer->SetBounds(530, 272, 240, 22);
    answer->SetButtonExist(false);
    answer->SetReadOnly(true);
    answer->SetText("Noch keine Eingabe.");
    answer->SetParent(parent);
    AddOpener(parent, 138, "Eingabe abfragen", [answer](TObject*) {
        const std::optional<std::string> text = ShowInput(kInputText, Suppliers());
        answer->SetText(text ? *text : std::string("(abgebrochen)"));
    });
}

}  // namespace

GALLERY_PAGE(dialogs, "dialogs", 50, &BuildDialogsPage);
