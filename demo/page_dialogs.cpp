// Gallery page "dialogs": buttons that open an information box, a question
// box (the answer shows in the status line) and an input box (its text
// shows in the answer field), and pictures of the three boxes as they look
// when shown, painted from box forms that are never shown.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/dialogs/message_box.h"
#include "controls/flat/flat_button.h"
#include "demo/sample_controls.h"
#include "editors/edits/combo_box.h"
#include "framework/canvas.h"
#include "framework/font.h"
#include "framework/form.h"
#include "framework/graphic_control.h"

namespace {

const char* const kInfoText =
    "<B>Der Import ist beendet.</B><BR>3 Aufträge wurden übernommen, 1 Auftrag wurde erneuert.<BR>"
    "Die Artikelbezüge von 2 Positionen mussten geändert werden.";
const char* const kQuestionText =
    "<B>Die Datei \"Auftrag_1043.QTF\" ist schon vorhanden.</B><BR>Soll sie überschrieben werden?";

const char* const kInputText = "<B>Lieferant</B><BR>Bitte den Namen eingeben oder aus der Liste wählen:";
const std::vector<std::string> kSuppliers{"Meier GmbH", "Schulz & Partner", "Weber KG", "Zimmermann AG"};

enum class BoxKind { Info, Question, Input };

// A picture of a message box: the box form is set up as ShowInfo,
// ShowQuestion or ShowInput would show it, sized by its own FormShow and
// painted with PaintTo.
class TBoxPicture : public TGraphicControl {
public:
    TBoxPicture(TComponent* AOwner, BoxKind Kind) : TGraphicControl(AOwner), box_(CreateMessageBox()) {
        if (Kind == BoxKind::Question)
            PrepareQuestionBox(box_, kQuestionText, "", "Ordivo");
        else if (Kind == BoxKind::Input) {
            PrepareInputBox(box_, kInputText, kSuppliers, "", "", "Ordivo");
            // The field paints its text and placeholder from its window.
            box_->FINPE->HandleNeeded();
        }
        else
            PrepareInfoBox(box_, kInfoText, "", "Ordivo");
        box_->FormShow(box_);
        SetBounds(0, 0, box_->Width(), box_->Height());
        // The application owns the box and may free it first at shut-down.
        box_->FreeNotification(this);
    }

protected:
    void Paint() override {
        if (box_) box_->PaintTo(Canvas().Handle(), 0, 0);
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TGraphicControl::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && AComponent == box_) box_ = nullptr;
    }
    void BeforeDestruction() override {
        if (TFSB_BOX* box = std::exchange(box_, nullptr)) box->Free();
        TGraphicControl::BeforeDestruction();
    }

private:
    TFSB_BOX* box_;
};

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

}  // namespace

void BuildDialogsPage(TWinControl* parent) {
    parent->SetColor(RGB(0xEB, 0xEA, 0xE1));
    SampleTitle(parent, "  Meldungs- und Fragefenster", 30);

    auto* info = Create<TBoxPicture>(parent, BoxKind::Info);
    info->SetLeft(16);
    info->SetTop(60);
    info->SetParent(parent);
    auto* question = Create<TBoxPicture>(parent, BoxKind::Question);
    question->SetLeft(16);
    question->SetTop(info->Top() + info->Height() + 36);
    question->SetParent(parent);

    auto* input = Create<TBoxPicture>(parent, BoxKind::Input);
    input->SetLeft(16);
    input->SetTop(question->Top() + question->Height() + 36);
    input->SetParent(parent);

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
        const std::optional<std::string> text = ShowInput(kInputText, kSuppliers);
        answer->SetText(text ? *text : std::string("(abgebrochen)"));
    });
}
