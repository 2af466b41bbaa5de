// Gallery page "dialogs": buttons that open an information box, a question
// box (the answer shows in the status line) and an input box (its text
// shows in the answer field), and pictures of the three boxes as they look
// when shown, painted from box forms that are never shown;
// the summary window with a sample order summary, opened for real (its links
// reach the page's shell seam, which shows what would be opened) and as a
// picture.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/dialogs/message_box.h"
#include "controls/dialogs/rich_edit_links.h"
#include "controls/dialogs/summary_links.h"
#include "controls/dialogs/summary_window.h"
#include "controls/flat/flat_button.h"
#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "editors/edits/combo_box.h"
#include "foundation/shell_jobs.h"
#include "framework/form.h"

namespace {

const char* const kInfoText =
    "<B>Der Import ist beendet.</B><BR>3 Aufträge wurden übernommen, 1 Auftrag wurde erneuert.<BR>"
    "Die Artikelbezüge von 2 Positionen mussten geändert werden.";
const char* const kQuestionText =
    "<B>Die Datei \"Auftrag_1043.QTF\" ist schon vorhanden.</B><BR>Soll sie überschrieben werden?";

const char* const kSummaryText =
    "Zusammenfassung des Imports\r\n"
    "3 Aufträge wurden übernommen, 1 Auftrag wurde erneuert.\r\n"
    "Auftrag 1043: file://[SERVER]Auftrag_1043.pdf\r\n"
    "Protokoll: file://[INTERN]Import_Protokoll.txt\r\n"
    "Hilfe im Netz: http://www.example.com/ordivo/hilfe\r\n";

// The page's stand-in for the document roots: the two placeholders name
// fixed sample folders.
std::string ResolveSampleLink(const std::string& Link) {
    for (const auto& [root, folder] : {std::pair<std::string, std::string>{"file://[SERVER]", "C:\\Ordivo\\Server\\"},
                                       std::pair<std::string, std::string>{"file://[INTERN]", "C:\\Ordivo\\Intern\\"}})
        if (Link.compare(0, root.size(), root) == 0) return folder + Link.substr(root.size());
    return std::string();
}

// Gives the shell and link seams back to the system when the page goes.
class TShellSeamOwner : public TComponent {
public:
    explicit TShellSeamOwner(TComponent* AOwner) : TComponent(AOwner) {}

protected:
    void BeforeDestruction() override {
        SetShellExecutor(nullptr);
        SetFileLinkResolver(nullptr);
        TComponent::BeforeDestruction();
    }
};

TFTip* PreparedSummary() {
    auto* tip = Create<TFTip>(nullptr);
    tip->SetCaption("Informationen:");
    tip->RichEdit->SetText(kSummaryText);
    return tip;
}

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
void AddOpener(TWinControl* parent, int y, const std::string& caption, TNotifyEvent open, int x = 470) {
    TCustomForm* form = GetParentForm(parent);
    auto* b = Create<TFlatButton>(form ? static_cast<TComponent*>(form) : parent);
    b->SetBounds(x, y, 150, 29);
    b->SetCaption(caption);
    b->SetTabStop(true);
    b->OnClick = std::move(open);
    b->SetParent(parent);
}


void BuildDialogsPage(TWinControl* parent) {
    parent->SetColor(RGB(0xEB, 0xEA, 0xE1));
    SampleTitle(parent, "  Meldungs- und Fragefenster", 30);

    auto* info = WindowPicture(parent, 16, 60, PreparedBox(BoxKind::Info), true);
    auto* question =
        WindowPicture(parent, 16, info->Top() + info->Height() + 36, PreparedBox(BoxKind::Question), true);
    auto* input =
        WindowPicture(parent, 16, question->Top() + question->Height() + 36, PreparedBox(BoxKind::Input), true);

    SampleLabel(parent, 16, 40, 320, "Information", true);
    SampleLabel(parent, 16, question->Top() - 20, 320, "Frage", true);
    SampleLabel(parent, 16, input->Top() - 20, 320, "Eingabe (Enter übernimmt, Escape bricht ab)", true);
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
    auto* answer = Create<TDCChoiceEdit>(parent);
    answer->SetBounds(630, 103, 160, 22);
    answer->SetButtonExist(false);
    answer->SetReadOnly(true);
    answer->SetText("Noch keine Eingabe.");
    answer->SetParent(parent);
    AddOpener(
        parent, 62, "Eingabe abfragen",
        [answer](TObject*) {
            const std::optional<std::string> text = ShowInput(kInputText, Suppliers());
            answer->SetText(text ? *text : std::string("(abgebrochen)"));
        },
        630);

    // The summary window: links go to the page's shell seam, never to the shell.
    TCustomForm* form = GetParentForm(parent);
    auto* opened = Create<TSamplePanel>(form ? static_cast<TComponent*>(form) : parent);
    opened->Raised = false;
    opened->SetBounds(470, 240, 320, 22);
    opened->SetCaption("Noch kein Verweis geöffnet.");
    opened->SetParent(parent);
    // The shell runs links on its own threads: the text goes to the status
    // window as a sent message (with a time limit, so the end of the program,
    // which waits for those threads, never waits for this one).
    const HWND status_window = opened->Handle();
    SetFileLinkResolver(&ResolveSampleLink);
    SetShellExecutor([status_window](const std::string& Verb, const std::string& FileName, int) -> intptr_t {
        const std::string text = Verb + ": " + FileName;
        SendMessageTimeoutA(status_window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_BLOCK, 1000,
                            nullptr);
        InvalidateRect(status_window, nullptr, TRUE);
        return 42;
    });
    Create<TShellSeamOwner>(opened);
    AddOpener(parent, 138, "Zusammenfassung zeigen", [](TObject*) {
        TFTip* tip = PreparedSummary();
        tip->ShowModal();
        tip->Free();
    });
    SampleLabel(parent, 470, 270, 320, "Zusammenfassung", true);
    TFTip* picture = PreparedSummary();
    picture->SetBounds(0, 0, 337, 290);
    picture->RichEdit->HandleNeeded();
    RECT r = picture->RichEdit->ClientRect();
    InflateRect(&r, -kSummaryTextInset, -kSummaryTextInset);
    picture->RichEdit->SetFormatRect(r);
    WindowPicture(parent, 455, 292, picture, true)->NeedsHandle = true;
}

}  // namespace

GALLERY_PAGE(dialogs, "dialogs", 50, &BuildDialogsPage);
