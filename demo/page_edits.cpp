// Gallery page "edits": the edit controls as forms and grids use them. A
// masked postcode and a required name check their text when the focus
// leaves and show the error bubble; choice edits in the four frame styles,
// locked, with a check glyph and with marks; combos of German cities whose
// list opens with the button, F4 or Alt+Down and which complete three typed
// letters; a list-only combo that steps by first letters and the wheel.
// Beside them the form edits (DC family): flat fields without a button
// showing grey placeholders, Enter and Shift+Enter moving through the
// fields (over a read-only one), a selected text dragged onto another
// field (refused where typing could not have put it), a two-line note and
// a form combo with its placeholder.
// The open list and the error bubble are top-level windows: the page also
// shows pictures of them so that its screenshot has them too.
#include <string>

#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "editors/edits/combo_box.h"
#include "editors/popups/message_window.h"
#include "editors/popups/popup_list_box.h"
#include "framework/bitmap.h"

namespace {

const char* const kCities[] = {"Aachen", "Berlin", "Bremen", "Dresden", "Duisburg", "Düsseldorf", "Erfurt",
                               "Frankfurt", "Hamburg", "Hannover", "Kiel", "Köln", "Leipzig", "Mainz",
                               "München", "Nürnberg", "Potsdam", "Saarbrücken", "Schwerin", "Stuttgart"};

template <class E>
E* Field(TWinControl* parent, int x, int y, int w, const std::string& label, const std::string& text) {
    SampleLabel(parent, x, y, w + 120, label, true);
    auto* e = Create<E>(parent);
    e->SetBounds(x, y + 20, w, 22);
    e->SetParent(parent);
    e->SetText(text);
    return e;
}

TI_ComboBox* CityCombo(TWinControl* parent, int x, int y, const std::string& label, const std::string& text) {
    auto* c = Field<TI_ComboBox>(parent, x, y, 200, label, text);
    for (const char* city : kCities) c->Items().Add(city);
    c->SetDropDownCount(10);
    c->SetItemIndex(c->FindItem(false));
    return c;
}

}  // namespace

void BuildEditsPage(TWinControl* parent) {
    SampleTitle(parent, "  Eingabefelder: Prüfung beim Verlassen, Auswahl und Kombinationsfelder");

    auto* panel = Create<TSamplePanel>(parent);
    panel->Raised = false;
    panel->SetAlign(alClient);
    panel->SetParent(parent);
    auto* status = SampleLabel(panel, 400, 440, 380, "");

    // Checks on leaving: an incomplete postcode and an empty required name.
    auto* postcode = Field<TI_ParentEdit>(panel, 16, 12, 200, "Postleitzahl (fünf Ziffern, Tab prüft):", "");
    postcode->SetEditMask("0{5}");
    postcode->SetText("1234");
    postcode->OnGetErrorHint = [](TObject*, int, std::string& text) {
        text = "/bUngültige Postleitzahl/b0/#Bitte fünf Ziffern eingeben.";
    };
    auto* name = Field<TI_ParentEdit>(panel, 16, 62, 200, "Name (Pflichtfeld):", "Meier");
    name->SetCanEmpty(false);
    name->OnGetErrorHint = [](TObject*, int, std::string& text) { text = "Bitte einen Namen eingeben."; };

    // Choice edits: the four frame styles, each with its button.
    struct Style {
        TControlStyle style;
        TChoiceBtnStyle button;
        const char* label;
        const char* text;
    } styles[] = {
        {fcsNormal, btsForm, "Rahmen normal, Formular-Schaltfläche:", "Auftrag 4711"},
        {fsFlat, btsEllipsis, "Rahmen flach (heiß unter der Maus), Auslassung:", "C:\\Daten\\Import"},
        {fsNone, btsCombo, "Ohne Rahmen, Pfeil:", "ohne Rahmen"},
        {fsSingle, btsEllipsis, "Einfacher Rahmen:", "einfach"},
    };
    int y = 112;
    for (const Style& s : styles) {
        auto* e = Field<TI_ChoiceEdit>(panel, 16, y, 220, s.label, s.text);
        e->SetDrawStyle(s.style);
        e->SetButtonChoiceStyle(s.button);
        e->OnButtonClick = [status, e](TObject*) { status->SetCaption("Schaltfläche von \"" + e->GetText() + "\""); };
        y += 50;
    }
    auto* locked = Field<TI_ChoiceEdit>(panel, 16, y, 220, "Gesperrt und schreibgeschützt:", "gesperrt");
    locked->SetChoiceLocked(true);
    locked->SetReadOnly(true);
    y += 50;
    auto* marked = Field<TI_ChoiceEdit>(panel, 16, y, 220, "Mit Prüfzeichen und Markierungen:", "markiert");
    TBitmap check;
    check.LoadFromResourceName(GetModuleHandleA(nullptr), "I_MV_INVALIDVALUE");
    marked->SetCheckGlyph(&check);
    marked->SetCornerMark(true);
    marked->SetRightEdgeMark(true);
    marked->OnCheckClick = [status](TObject*) { status->SetCaption("Prüfzeichen geklickt"); };

    // Combos of German cities.
    auto* pick = CityCombo(panel, 400, 12, "Stadt (F4 oder Alt+Pfeil öffnet die Liste):", "Bremen");
    auto* complete = CityCombo(panel, 400, 62, "Stadt (ergänzt nach drei Buchstaben):", "Kiel");
    for (TI_ComboBox* c : {pick, complete})
        c->OnIndexChange = [status, c](TObject*) { status->SetCaption("Gewählt: " + c->GetText()); };
    auto* listOnly = Field<TI_ComboBox>(panel, 400, 112, 200, "Nur aus der Liste (Anfangsbuchstabe, Rad):", "");
    for (const char* s : {"Bern", "Basel", "Chur", "Biel", "Genf", "Luzern", "Zürich"}) listOnly->Items().Add(s);
    listOnly->SetStyle(csDropDownList);
    listOnly->SetItemIndex(0);
    listOnly->OnChange = [status, listOnly](TObject*) { status->SetCaption("Liste: " + listOnly->GetText()); };
    auto* flat = CityCombo(panel, 400, 162, "Flach:", "Mainz");
    flat->SetDrawStyle(fsFlat);
    auto* off = CityCombo(panel, 400, 212, "Gesperrt:", "Potsdam");
    off->SetEnabled(false);

    // Pictures: the first combo's list as it opens, and the postcode's bubble.
    SampleLabel(panel, 400, 262, 380, "Offene Liste und Fehlerblase:", true);
    auto* list = Create<TI_PopupListBox>(pick, pick->Family());
    for (const char* city : kCities) list->Items().Add(city);
    list->SetDropDownRows(6);
    list->Font().Assign(&pick->Font());
    list->SetBounds(0, 0, pick->Width(), 10);
    list->AdjustHeight(0);
    list->SetItemIndex(pick->ItemIndex());
    list->SetTopIndex(pick->ItemIndex());
    WindowPicture(panel, 400, 284, list, false)->NeedsHandle = true;
    auto* bubble = Create<TI_MessageWindow>(postcode, postcode->Family());
    bubble->SetIconKind(1);
    bubble->SetShape(bsBalloon);
    std::string hint;
    postcode->OnGetErrorHint(postcode, kEditErrorMask, hint);
    bubble->SetCaption(hint);
    WindowPicture(panel, 620, 284, bubble, false)->Shape = [bubble] { return bubble->CreateRegion(); };

    // The form edits, below the grid edits: flat fields with placeholders
    // and data dragging, Enter moving on over the read-only one.
    SampleLabel(panel, 16, 460, 380, "Formularfelder: Platzhalter, Enter springt, Text ziehen:", true);
    // A field takes a dragged text only as typing would: the phone number
    // at most 15 characters, a one-line field no line break of the note.
    struct FormField {
        const char* placeholder;
        const char* text;
        bool readOnly;
        int x, y, w, h;
        int maxLength;
        bool multiLine;
    } fields[] = {
        {"Vorname", "", false, 16, 480, 180, 22, 0, false},
        {"Nachname", "", false, 16, 508, 180, 22, 0, false},
        {"", "nur lesen (Enter springt darüber)", true, 210, 480, 180, 22, 0, false},
        {"Telefon", "0621 123456", false, 210, 508, 180, 22, 15, false},
        {"Bemerkung", "Hinterhaus\r\n2. Stock", false, 600, 480, 180, 50, 0, true},
    };
    for (const FormField& f : fields) {
        auto* e = Create<TDCChoiceEdit>(panel);
        e->SetBounds(f.x, f.y, f.w, f.h);
        e->SetDrawStyle(fsFlat);
        e->SetButtonExist(false);
        e->SetMultiLine(f.multiLine);
        e->SetMaxLength(f.maxLength);
        e->SetEmptyText(f.placeholder);
        e->SetText(f.text);
        e->SetReadOnly(f.readOnly);
        e->SetDataDraggingEnabled(true);
        e->SetParent(panel);
    }
    auto* city = Create<TDCComboBox>(panel);
    city->SetBounds(404, 480, 180, 22);
    city->SetDrawStyle(fsFlat);
    city->SetEmptyText("Stadt");
    for (const char* c : kCities) city->Items().Add(c);
    city->SetDropDownCount(10);
    city->SetParent(panel);
    city->OnIndexChange = [status, city](TObject*) { status->SetCaption("Formular: " + city->GetText()); };
}

GALLERY_PAGE(edits, "edits", 100, &BuildEditsPage);
