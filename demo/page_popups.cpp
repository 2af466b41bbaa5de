// Gallery page "popups": edits with embedded buttons (drop-down, ellipsis,
// captions on gradients, the three disabled looks, a toggle), the drop-down
// list that opens under an edit and the message bubble that points at it.
// The list and the bubble are top-level windows; the page also shows
// pictures of them so that its screenshot has them too.
#include <string>
#include <vector>

#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "editors/popups/message_window.h"
#include "editors/popups/popup_list_box.h"
#include "editors/tools/edit_buttons.h"
#include "framework/custom_control.h"
#include "framework/font.h"
#include "framework/graphics_base.h"

namespace {

// A stand-in edit: a white field with a sunken frame, its text, and room on
// the right for its buttons. Like the real edits it hides its bubble when
// the bubble's timer says so.
class TDemoEdit : public TCustomControl {
public:
    explicit TDemoEdit(TComponent* AOwner) : TCustomControl(AOwner), buttons(this) {
        SetColor(clWindow);
        SetTabStop(true);
    }
    TI_EditButtons buttons;
    TI_MessageWindow* bubble = nullptr;

protected:
    void CreateParams(TCreateParams& p) override {
        TCustomControl::CreateParams(p);
        p.ExStyle |= WS_EX_CLIENTEDGE;
    }
    void CreateWnd() override {
        TCustomControl::CreateWnd();
        buttons.AttachWindow();
    }
    void Paint() override {
        TCanvas& c = Canvas();
        RECT r = ClientRect();
        c.Brush().SetColor(Enabled() ? clWindow : clBtnFace);
        c.FillRect(r);
        c.Font().Assign(&Font());
        c.Font().SetColor(Enabled() ? clWindowText : clGrayText);
        c.Brush().SetStyle(bsClear);
        r.left += 3;
        std::string text = Caption();
        c.DrawText(text, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        c.Brush().SetStyle(bsSolid);
        // A copy (the gallery's picture) does not pass the window hook.
        if (ControlState() & csPaintCopy) buttons.PaintButtons(c.Handle(), false);
    }
    void Dispatch(TMessage& m) override {
        if (m.Msg == UM_BUBBLE) {
            if (m.WParam == 0 && bubble) bubble->Hide();
            return;
        }
        TCustomControl::Dispatch(m);
    }
};

TDemoEdit* Edit(TWinControl* parent, int x, int y, int w, const std::string& text) {
    auto* e = Create<TDemoEdit>(parent);
    e->SetBounds(x, y, w, 24);
    e->SetCaption(text);
    e->buttons.DefaultCoordinateMode = false;
    e->buttons.DefaultAnchor = 1;
    e->SetParent(parent);
    return e;
}

// A button with a caption and no glyph.
TI_EditButton* CaptionButton(TI_EditButtons& buttons, const std::string& caption, int kind, const RECT& r) {
    TI_EditButton* b = buttons.Add();
    b->SetCaption(caption);
    b->SetKind(kind);
    b->SetGlyph(nullptr);
    b->SetBounds(r);
    return b;
}

// A glyph button at the right end of an edit's client area (20 x 20).
TI_EditButton* GlyphButton(TDemoEdit* e, const char* resource, int kind, int from_right) {
    TI_EditButton* b = e->buttons.Add();
    TBitmap glyph;
    glyph.LoadFromResourceName(GetModuleHandleA(nullptr), resource);
    b->SetGlyph(&glyph);
    b->SetKind(kind);
    b->SetBounds(e->ClientWidth() - from_right, 0, 18, e->ClientHeight());
    return b;
}

const char* const kCities[] = {"Aachen", "Berlin", "Bremen", "Dresden", "Düsseldorf", "Erfurt", "Frankfurt",
                               "Hamburg", "Hannover", "Kiel", "Köln", "Leipzig", "Mainz", "München",
                               "Nürnberg", "Potsdam", "Saarbrücken", "Schwerin", "Stuttgart", "Wiesbaden"};


void BuildPopupsPage(TWinControl* parent) {
    SampleTitle(parent, "  Popups: Eingabefelder mit Schaltflächen, Auswahlliste und Meldungsblase");

    auto* panel = Create<TSamplePanel>(parent);
    panel->Raised = false;
    panel->SetAlign(alClient);
    panel->SetParent(parent);

    // 1. Drop-down: the list opens below the edit; a click takes the item.
    SampleLabel(panel, 16, 12, 330, "Auswahl (der Pfeil öffnet die Liste):", true);
    TDemoEdit* choice = Edit(panel, 16, 32, 220, "Hamburg");
    TI_EditButton* drop = GlyphButton(choice, "I_BTNCOMBO", 2, 18);
    drop->SetEventStyle(esDropDown);
    auto* list = Create<TI_PopupListBox>(choice);
    for (const char* c : kCities) list->Items().Add(c);
    list->SetBorderStyle(1);
    list->SetPopupRect(0, 0, 220, 10);
    list->SetItemIndex(7);
    drop->OnClick = [list](TObject*) {
        if (list->Shown())
            list->Hide();
        else
            list->Show();
    };
    list->OnClick = [list, choice](TObject*) {
        if (list->ItemIndex() >= 0) choice->SetCaption(list->Items().Get(list->ItemIndex()));
        list->Hide();
    };

    // 2. Ellipsis: the check fails and the bubble points at the edit.
    SampleLabel(panel, 16, 70, 330, "Datei (Klick auf ... zeigt die Blase):", true);
    TDemoEdit* file = Edit(panel, 16, 90, 220, "");
    TI_EditButton* dots = GlyphButton(file, "I_BTNELLIPSIS", 0, 18);
    auto* bubble = Create<TI_MessageWindow>(file);
    file->bubble = bubble;
    bubble->SetAutoHide(true);
    bubble->SetHideDelay(3000);
    bubble->SetIconKind(1);
    bubble->SetShape(bsBalloon);
    bubble->SetCaption("/bUngültiger Wert/b0/#Bitte einen Dateinamen eingeben.");
    bubble->SetPopupRect(5, file->ClientHeight() - 4, bubble->Width(), bubble->Height());
    bubble->SetPopupPosition(pmInOwnerClient);
    dots->OnClick = [bubble](TObject*) { bubble->Show(); };

    // 3. Captions: kinds 3 (with gradient) and 1 (no frame until the mouse is
    // over it; a flat kind 1 keeps one frame in both looks).
    SampleLabel(panel, 16, 128, 330, "Beschriftete Schaltflächen (Art 3, Art 1):", true);
    TDemoEdit* captions = Edit(panel, 16, 148, 220, "Text");
    const int cw = captions->ClientWidth(), ch = captions->ClientHeight();
    TI_EditButton* ok = CaptionButton(captions->buttons, "/bOK", 3, RECT{cw - 74, 0, cw - 40, ch});
    ok->SetGradient(true);
    TI_EditButton* cancel = CaptionButton(captions->buttons, "Nein", 1, RECT{cw - 38, 0, cw, ch});
    auto* counter = SampleLabel(panel, 244, 152, 120, "");
    ok->OnClick = [counter](TObject*) { counter->SetCaption("OK geklickt"); };
    cancel->OnClick = [counter](TObject*) { counter->SetCaption("Nein geklickt"); };

    // 4. Disabled looks 0 embossed, 1 greyed, 2 faded.
    SampleLabel(panel, 16, 186, 330, "Gesperrt: geprägt, grau, verblasst:", true);
    TDemoEdit* disabled = Edit(panel, 16, 206, 220, "gesperrt");
    for (int look = 0; look < 3; ++look) {
        TI_EditButton* b = GlyphButton(disabled, "I_BTNCALC", 0, 18 * (3 - look));
        b->SetDisabledLook(look);
        b->SetEnabled(false);
    }

    // 5. Toggle with allow-all-up: stays down after a click.
    SampleLabel(panel, 16, 244, 330, "Umschalter (Art 4, bleibt gedrückt):", true);
    TDemoEdit* toggle = Edit(panel, 16, 264, 220, "fett");
    TI_EditButton* bold = CaptionButton(toggle->buttons, "/bF", 4,
                                        RECT{toggle->ClientWidth() - 22, 0, toggle->ClientWidth(), toggle->ClientHeight()});
    bold->SetColor(clSilver);
    bold->SetToggle(true);
    bold->SetAllowAllUp(true);
    bold->SetDown(true);

    // Pictures of the popups for the screenshot.
    SampleLabel(panel, 400, 12, 360, "Auswahlliste und Meldungsblasen:", true);
    auto* shown_list = Create<TI_PopupListBox>(choice);
    for (const char* c : kCities) shown_list->Items().Add(c);
    shown_list->SetBorderStyle(2);
    shown_list->SetBounds(0, 0, 200, 10);
    shown_list->AdjustHeight(0);
    shown_list->SetItemIndex(3);
    WindowPicture(panel, 410, 42, shown_list, false)->NeedsHandle = true;
    // A bubble's picture is clipped to its balloon or rounded shape.
    auto bubble_picture = [panel](TI_MessageWindow* b, int y) {
        WindowPicture(panel, 410, 32 + y, b, false)->Shape = [b] { return b->CreateRegion(); };
    };

    auto* b1 = Create<TI_MessageWindow>(file);
    b1->SetIconKind(1);
    b1->SetShape(bsBalloon);
    b1->SetCaption("/bUngültiger Wert/b0/#Bitte einen Dateinamen eingeben.");
    bubble_picture(b1, 160);
    auto* b2 = Create<TI_MessageWindow>(file);
    b2->SetShape(bsRounded);
    b2->SetMaxTextWidth(150);
    b2->SetCaption("/bEin langer Hinweis/b0 bricht an der /igrößten Breite/i0 der Blase in /c{clRed}mehrere Zeilen/c{clInfoText} um.");
    bubble_picture(b2, 310);
    auto* b3 = Create<TI_MessageWindow>(file);
    CaptionButton(b3->Buttons(), "Ja", 0, RECT{6, 20, 46, 40});
    CaptionButton(b3->Buttons(), "Nein", 0, RECT{50, 20, 90, 40});
    b3->SetCaption("Änderungen speichern?");
    bubble_picture(b3, 240);
}

}  // namespace

GALLERY_PAGE(popups, "popups", 80, &BuildPopupsPage);
