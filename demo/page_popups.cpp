// Gallery page "popups": edits with embedded buttons (drop-down, ellipsis,
// captions on gradients, the three disabled looks, a toggle), the drop-down
// list that opens under a combo and the error bubble that points at an edit.
// The list and the bubble are top-level windows; the page also shows
// pictures of them so that its screenshot has them too.
#include <string>
#include <vector>

#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "editors/edits/combo_box.h"
#include "editors/popups/message_window.h"
#include "editors/popups/popup_list_box.h"
#include "editors/tools/edit_buttons.h"
#include "framework/font.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"
#include "framework/messages.h"

namespace {

// A mask edit carrying a collection of edit buttons at its right end; its
// text stops left of them.
class TButtonsEdit : public TI_ParentEdit {
public:
    explicit TButtonsEdit(TComponent* AOwner) : TI_ParentEdit(AOwner), buttons(this) {
        buttons.DefaultCoordinateMode = false;
        buttons.DefaultAnchor = 1;
    }
    TI_EditButtons buttons;

protected:
    void CreateWnd() override {
        TI_ParentEdit::CreateWnd();
        buttons.AttachWindow();
        const RECT b = buttons.GetBoundsRect();
        if (!IsRectEmpty(&b))
            SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, ClientWidth() - b.left + 2));
    }
    void Dispatch(TMessage& m) override {
        if (m.Msg != WM_PRINTCLIENT) {
            TI_ParentEdit::Dispatch(m);
            return;
        }
        // A copy (the gallery's picture) does not pass the window hook; the
        // EDIT leaves the DC clipped to its text.
        const HDC dc = reinterpret_cast<HDC>(m.WParam);
        {
            ScopedSaveDC save(dc);
            TI_ParentEdit::Dispatch(m);
        }
        buttons.PaintButtons(dc, false);
    }
};

TButtonsEdit* Edit(TWinControl* parent, int x, int y, int w, const std::string& text) {
    auto* e = Create<TButtonsEdit>(parent);
    e->SetBounds(x, y, w, 24);
    e->SetText(text);
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

// A glyph button at the right end of an edit's client area (18 wide).
TI_EditButton* GlyphButton(TButtonsEdit* e, const char* resource, int kind, int from_right) {
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

    // 1. Drop-down: a combo whose list opens below it; a click takes the item.
    SampleLabel(panel, 16, 12, 330, "Auswahl (der Pfeil öffnet die Liste):", true);
    auto* choice = Create<TI_ComboBox>(panel);
    choice->SetBounds(16, 32, 220, 24);
    for (const char* c : kCities) choice->Items().Add(c);
    choice->SetDropDownCount(10);
    choice->SetParent(panel);
    choice->SetItemIndex(7);

    // 2. Ellipsis: the check fails and the edit's error bubble points at it.
    SampleLabel(panel, 16, 70, 330, "Datei (Klick auf ... zeigt die Blase):", true);
    auto* file = Create<TI_ChoiceEdit>(panel);
    file->SetBounds(16, 90, 220, 24);
    file->SetButtonChoiceStyle(btsEllipsis);
    file->SetParent(panel);
    file->OnGetErrorHint = [](TObject*, int, std::string& text) {
        text = "/bUngültiger Wert/b0/#Bitte einen Dateinamen eingeben.";
    };
    // Every click checks anew: the bubble goes and comes back with its full time.
    file->OnButtonClick = [file](TObject*) {
        file->Perform(UM_BUBBLE, 0, 0);
        PostMessageA(file->Handle(), UM_BUBBLE, 1, kEditErrorEmpty);
    };

    // 3. Captions: kinds 3 (with gradient) and 1 (no frame until the mouse is
    // over it; a flat kind 1 keeps one frame in both looks).
    SampleLabel(panel, 16, 128, 330, "Beschriftete Schaltflächen (Art 3, Art 1):", true);
    TButtonsEdit* captions = Edit(panel, 16, 148, 220, "Text");
    const int cw = captions->ClientWidth(), ch = captions->ClientHeight();
    TI_EditButton* ok = CaptionButton(captions->buttons, "/bOK", 3, RECT{cw - 74, 0, cw - 40, ch});
    ok->SetGradient(true);
    TI_EditButton* cancel = CaptionButton(captions->buttons, "Nein", 1, RECT{cw - 38, 0, cw, ch});
    auto* counter = SampleLabel(panel, 244, 152, 120, "");
    ok->OnClick = [counter](TObject*) { counter->SetCaption("OK geklickt"); };
    cancel->OnClick = [counter](TObject*) { counter->SetCaption("Nein geklickt"); };

    // 4. Disabled looks 0 embossed, 1 greyed, 2 faded.
    SampleLabel(panel, 16, 186, 330, "Gesperrt: geprägt, grau, verblasst:", true);
    TButtonsEdit* disabled = Edit(panel, 16, 206, 220, "gesperrt");
    for (int look = 0; look < 3; ++look) {
        TI_EditButton* b = GlyphButton(disabled, "I_BTNCALC", 0, 18 * (3 - look));
        b->SetDisabledLook(look);
        b->SetEnabled(false);
    }

    // 5. Toggle with allow-all-up: stays down after a click.
    SampleLabel(panel, 16, 244, 330, "Umschalter (Art 4, bleibt gedrückt):", true);
    TButtonsEdit* toggle = Edit(panel, 16, 264, 220, "fett");
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
