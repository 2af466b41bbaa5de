// Gallery page "checkbox": the owner-drawn check box in each of its states
// and looks (checked, grayed, disabled, sunken, box at the right, red tick,
// focus frame, word wrap, auto-size), its three background modes on a
// coloured panel, the duplicate-address pair whose clicks set each other,
// and flat buttons whose hints show in the flat hint window with the main
// window's look. Clicks, Space and accelerators toggle; the status line
// tells what OnClick saw.
#include <string>

#include "controls/flat/flat_button.h"
#include "controls/flat/flat_hint.h"
#include "controls/flat/flat_panel.h"
#include "controls/menus/checkbox.h"
#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "framework/font.h"
#include "framework/form.h"

namespace {

// The flat hint belongs to the form, where hints look for it; this keeper,
// owned by the page, frees it with the page.
class TPageFlatHint : public TComponent {
public:
    TPageFlatHint(TComponent* Page, TFlatHint* Hint) : TComponent(Page), hint_(Hint) { hint_->FreeNotification(this); }

protected:
    void BeforeDestruction() override {
        if (TFlatHint* h = hint_) {
            hint_ = nullptr;
            h->Free();
        }
        TComponent::BeforeDestruction();
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && AComponent == hint_) hint_ = nullptr;
    }

private:
    TFlatHint* hint_;
};

// The look of the main import window's hints.
void AddMainWindowFlatHint(TWinControl* page) {
    TCustomForm* form = GetParentForm(page);
    if (!form) return;
    auto* hint = Create<TFlatHint>(form);
    hint->SetColorBorder(16744576);
    hint->SetColorArrowBackground(16744576);
    hint->SetColorArrow(clWhite);
    hint->SetMaxHintWidth(600);
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-11);
    hint->SetFont(font);
    Create<TPageFlatHint>(page, hint);
}

const char* StateText(TCheckBoxState s) {
    switch (s) {
    case cbChecked: return "an";
    case cbGrayed: return "grau";
    case cbUnchecked: break;
    }
    return "aus";
}

}  // namespace

void BuildCheckboxPage(TWinControl* parent) {
    parent->SetColor(RGB(0xEB, 0xEA, 0xE1));
    SampleTitle(parent, "  Kontrollk\xE4stchen und flache Hinweise", 30);
    auto* status = SampleLabel(parent, 16, 572, 760, "Klicken, Leertaste oder Alt+Buchstabe schalten um.");

    auto box = [&](TWinControl* on, int x, int y, int w, int h, const std::string& caption) {
        auto* b = Create<TsCheckBox>(parent);
        b->SetBounds(x, y, w, h);
        b->SetCaption(caption);
        b->SetColor(on->Color());
        b->SetParent(on);
        b->OnClick = [status, b](TObject*) {
            status->SetCaption("Angeklickt: " + b->Caption() + " = " + StateText(b->State()));
        };
        return b;
    };

    SampleLabel(parent, 16, 40, 300, "Zust\xE4nde", true);
    box(parent, 16, 62, 150, 20, "Nicht markiert");
    box(parent, 16, 86, 150, 20, "&Markiert")->SetChecked(true);
    auto* grayed = box(parent, 16, 110, 150, 20, "&Dreistufig");
    grayed->SetAllowGrayed(true);
    grayed->SetState(cbGrayed);
    auto* off = box(parent, 16, 134, 150, 20, "Gesperrt");
    off->SetChecked(true);
    off->SetEnabled(false);
    auto* sunken = box(parent, 186, 62, 150, 20, "&Vertieft");
    sunken->SetStyle(bwsSunken);
    sunken->SetChecked(true);
    auto* right = box(parent, 186, 86, 150, 20, "K\xE4stchen rechts");
    right->SetAlignment(taRightJustify);
    right->SetChecked(true);
    auto* red = box(parent, 186, 110, 150, 20, "&Roter Haken");
    red->SetCheckColor(clRed);
    red->SetChecked(true);
    auto* framed = box(parent, 186, 134, 150, 20, "Mit &Fokusrahmen");
    framed->SetFocusFrame(true);
    framed->SetTextAlignment(taCenter);
    auto* wrapped = box(parent, 356, 62, 170, 44, "Ein l\xE4ngerer Text, der in zwei Zeilen umbricht");
    wrapped->SetWordWrap(true);
    wrapped->SetVerticalAlignment(vaTop);
    auto* sized = box(parent, 356, 110, 98, 20, "&Gr\xF6\xDF" "e passt sich an");
    sized->SetAutoSize(true);
    auto* flat = box(parent, 356, 134, 170, 20, "Nicht knopfartig");
    flat->SetButtonLike(false);

    // The POP3 settings' boxes: red tick, the panel showing through.
    SampleLabel(parent, 16, 172, 400, "Hintergrund: deckend, halb durchsichtig, durchsichtig", true);
    auto* backdrop = Create<TFlatPanel>(parent);
    backdrop->SetBounds(16, 194, 510, 40);
    backdrop->SetParentColor(false);
    backdrop->SetColor(RGB(200, 220, 240));
    backdrop->SetParent(parent);
    const TsTransparentMode modes[] = {tmOpaque, tmSemiTransparent, tmTransparent};
    const char* modeCaptions[] = {"Deckend", "Halb", "Benutzen"};
    for (int i = 0; i < 3; ++i) {
        auto* b = box(backdrop, 10 + i * 165, 10, 150, 20, modeCaptions[i]);
        b->SetColor(clWhite);
        b->SetCheckColor(clRed);
        b->SetTransparentMode(modes[i]);
    }

    // The duplicate-address dialog's pair: each click sets the other.
    SampleLabel(parent, 16, 250, 400, "Doppelte Adresse", true);
    auto* take = box(parent, 16, 272, 520, 20, "Den Auftrag der markierten Adresse aus Ihrer Datenbank zuordnen");
    auto* add = box(parent, 16, 296, 520, 20,
                    "Die im Import mitgelieferte Originaladresse in Ihre Datenbank als neu eintragen");
    take->SetCheckColor(clRed);
    add->SetCheckColor(clRed);
    take->SetChecked(true);
    take->OnClick = [status, take, add](TObject*) {
        add->SetChecked(!take->Checked());
        status->SetCaption(std::string("Zuordnen: ") + StateText(take->State()));
    };
    add->OnClick = [status, take, add](TObject*) {
        take->SetChecked(!add->Checked());
        status->SetCaption(std::string("Neu eintragen: ") + StateText(add->State()));
    };

    // Flat buttons whose hints show in the flat hint window.
    SampleLabel(parent, 16, 332, 400, "Flache Hinweise (Maus auf einer Schaltfl\xE4" "che ruhen lassen)", true);
    AddMainWindowFlatHint(parent);
    auto* bar = Create<TFlatPanel>(parent);
    bar->SetBounds(16, 354, 330, 41);
    bar->SetParent(parent);
    const char* captions[] = {"Empfangen", "\xD6" "ffnen", "Liste"};
    const char* hints[] = {"Holt neue Auftr\xE4ge vom Mailserver",
                           "\xD6" "ffnet eine Auftragsdatei|und liest sie ein",
                           "Zeigt alle importierten Auftr\xE4ge dieser Woche mit Kunde, Datum und Betrag; "
                           "ein langer Hinweis bricht bei der gr\xF6\xDFten Hinweisbreite um."};
    for (int i = 0; i < 3; ++i) {
        auto* b = Create<TFlatButton>(bar);
        b->SetBounds(6 + i * 106, 6, 100, 29);
        b->SetCaption(captions[i]);
        b->SetHint(hints[i]);
        b->SetShowHint(true);
        b->SetParent(bar);
    }
}

GALLERY_PAGE(checkbox, "checkbox", 90, &BuildCheckboxPage);
