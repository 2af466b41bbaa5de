// Gallery page "edit-popups": number fields with the pocket calculator (the
// button, F2 or Alt+Down opens it; Enter or OK takes its result), and the
// clip popup that moves by its caption and grows by its size grip. The
// popups are top-level windows: the page also shows pictures of them so that
// its screenshot has them too.
#include <string>

#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "editors/edits/float_edit.h"
#include "editors/popups/calculator.h"
#include "editors/popups/db_clip_popup.h"

namespace {

// The first cell of a grid the database popup would sit under.
struct FirstCell : IClipCellSource {
    RECT CellRect(int, int) const override { return RECT{0, 0, 80, 18}; }
};

TI_FloatEdit* NumberField(TWinControl* parent, int x, int y, TEditDataType_ kind, int precision, int digits,
                          const std::string& text) {
    auto* e = Create<TI_FloatEdit>(parent);
    e->SetBounds(x, y, 160, 21);
    e->DataType().SetKind(kind);
    e->DataType().SetPrecision(precision);
    e->DataType().SetDigits(digits);
    e->SetText(text);
    e->SetParent(parent);
    return e;
}

// A clip popup with caption bar and size grip on a white face.
TI_ClipPopup* SampleClipPopup(TComponent* owner) {
    auto* clip = Create<TI_ClipPopup>(owner);
    clip->SetBorderStyle(2);
    clip->SetOptions(kClipCaption | kClipSizeGrip);
    clip->SetCaption("Clip-Popup");
    clip->SetColor(clWindow);
    return clip;
}

}  // namespace

void BuildEditPopupsPage(TWinControl* parent) {
    SampleTitle(parent, "  Zahlenfelder mit Taschenrechner und verschiebbare Clip-Popups");

    auto* panel = Create<TSamplePanel>(parent);
    panel->Raised = false;
    panel->SetAlign(alClient);
    panel->SetParent(parent);

    SampleLabel(panel, 16, 12, 360, "Betrag (Schaltfläche, F2 oder Alt+Unten: Rechner):", true);
    NumberField(panel, 16, 32, deFloat, 2, 10, "12,50");
    SampleLabel(panel, 16, 66, 360, "Menge (ganze Zahl, höchstens 3 Stellen):", true);
    TI_FloatEdit* count = NumberField(panel, 16, 86, deInteger, 0, 3, "7");
    count->SetLimitCheck(true);
    count->SetMax(500);
    SampleLabel(panel, 16, 120, 360, "Preis (Währung):", true);
    NumberField(panel, 16, 140, deCurrency, 0, -1, "19,99");
    auto* hint = SampleLabel(panel, 190, 86, 180, "");
    count->OnLimitMax = [hint](TObject*) { hint->SetCaption("mehr als 500"); };

    SampleLabel(panel, 16, 184, 360, "Clip-Popup (Titel zieht, Griff vergrößert):", true);
    auto* open = Create<TSampleButton>(panel);
    open->SetBounds(16, 204, 160, 24);
    open->SetCaption("Clip-Popup öffnen");
    open->SetParent(panel);
    TI_ClipPopup* clip = SampleClipPopup(open);
    clip->SetPopupRect(0, 0, 200, 120);
    clip->SetPopupPosition(pmBelowLeft);
    open->OnClick = [clip](TObject*) {
        if (clip->Shown())
            clip->Hide();
        else
            clip->Show();
    };

    // Pictures for the screenshot: the calculator, a clip popup and the
    // database grid's popup (their buttons sit by the window's frame, so
    // each is given its window first).
    SampleLabel(panel, 400, 12, 360, "Rechner, Clip-Popup und Datenbank-Popup:", true);
    auto picture = [panel](TWinControl* popup, int y) {
        popup->HandleNeeded();
        WindowPicture(panel, 410, 42 + y, popup, false)->NeedsHandle = true;
    };
    auto* calc = Create<TI_CustomCalculator>(panel);
    calc->SetDisplay("36");
    picture(calc, 0);
    TI_ClipPopup* shown_clip = SampleClipPopup(panel);
    shown_clip->SetBounds(0, 0, 180, 100);
    picture(shown_clip, 220);
    FirstCell cell;  // read once, at construction
    auto* db = Create<TDBClipPopup>(panel, cell);
    db->SetGotoItems({"Kunde", "Artikel", "Lieferant"}, 2);
    picture(db, 340);
}

GALLERY_PAGE(edit_popups, "edit-popups", 110, &BuildEditPopupsPage);
