// Gallery page "menus": the owner-drawn menu kit. A context menu in the
// looks of the edit menus (banner, gradient background, glyphs, separator, a
// disabled item) opens on a right click or the menu key over the field; an
// edit field has the edits' own context menu (cut, copy, paste, select all,
// insert symbol); the gallery's window gets a kit menu bar (Alt and a letter
// open it) while the page is shown. Menus are windows of their own, so the
// page also shows pictures of them, painted through the same code, for its
// screenshot.
#include <string>

#include "controls/menus/edit_context_menu.h"
#include "controls/menus/menu_components.h"
#include "controls/menus/menu_picture.h"
#include "demo/sample_controls.h"
#include "framework/bitmap.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/graphic_control.h"
#include "framework/image_list.h"
#include "demo/gallery_registry.h"

namespace {

// A 16x16 glyph: a coloured shape on a transparent magenta ground.
void AddGlyph(TImageList* images, TColor color, int shape) {
    TBitmap b(16, 16);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clFuchsia);
    c.FillRect(RECT{0, 0, 16, 16});
    c.Brush().SetColor(color);
    c.Pen().SetColor(clBlack);
    if (shape == 0) {
        c.Ellipse(1, 9, 7, 15);
        c.Ellipse(9, 9, 15, 15);
        c.MoveTo(4, 9);
        c.LineTo(12, 1);
        c.MoveTo(12, 9);
        c.LineTo(4, 1);
    } else if (shape == 1) {
        c.Rectangle(1, 1, 10, 12);
        c.Rectangle(5, 4, 15, 15);
    } else {
        c.Rectangle(3, 2, 13, 15);
        c.Brush().SetColor(clWhite);
        c.Rectangle(5, 0, 11, 4);
    }
    images->AddMasked(&b, clFuchsia);
}

ToxMenuItem* Item(TMenuItem* parent, const std::string& caption, int image = -1) {
    auto* item = Create<ToxMenuItem>(nullptr);
    item->SetCaption(caption);
    item->SetImageIndex(image);
    parent->Add(item);
    return item;
}

// The edit menus' looks: Tahoma, a gray vertical banner and a horizontal
// gradient from light blue to white.
void EditMenuLooks(ToxPopupMenu* m) {
    m->Font().SetName("Tahoma");
    m->Font().SetHeight(-11);
    m->Font().SetColor(clWindowText);
    m->SetOptions(oxmCustomFont | oxmBanner | oxmBackground | oxmMultiLine);
    m->SetColor(clWhite);
    m->Banner().Font().SetName("Tahoma");
    m->Banner().Font().SetHeight(-11);
    m->Banner().Font().SetColor(clWhite);
    m->Banner().SetColor(0x808080);
    m->Banner().SetVertical(true);
    m->Banner().SetCaption("Text bearbeiten");
    m->Background().SetStyle(oxmHorzGradient);
    m->Background().SetGradient(RGB(240, 251, 255));
}

// The field the context menu belongs to.
class TMenuTarget : public TSamplePanel {
public:
    explicit TMenuTarget(TComponent* AOwner) : TSamplePanel(AOwner) {
        Raised = false;
        SetTabStop(true);
    }
};

// Pictures of open menus for the screenshot (a menu is a window of its own).
class TMenuPictures : public TGraphicControl {
public:
    explicit TMenuPictures(TComponent* AOwner) : TGraphicControl(AOwner) {}
    TMenuItem* popup = nullptr;
    TMenuItem* bar = nullptr;
    TMenuItem* sub = nullptr;  // the first bar item's sub-menu

protected:
    void Paint() override {
        TCanvas& c = Canvas();
        c.Brush().SetColor(clBtnFace);
        c.FillRect(ClientRect());
        HDC dc = c.Handle();
        if (popup) PaintKitPopupPicture(popup, dc, 0, 0, 1);
        if (!bar) return;
        // The bar with its first item open: the sub-menu hangs below it.
        const RECT shown = PaintKitBarPicture(bar, dc, 200, 0, 170, 0);
        if (sub) PaintKitPopupPicture(sub, dc, shown.left, shown.bottom, 0);
    }
};

}  // namespace

void BuildMenusPage(TWinControl* parent) {
    SampleTitle(parent, "  Men\xFC" "s: Kontextmen\xFC und Men\xFCleiste des Men\xFC-Baukastens");

    auto* images = Create<TImageList>(parent);
    AddGlyph(images, clWhite, 0);
    AddGlyph(images, clYellow, 1);
    AddGlyph(images, RGB(160, 200, 255), 2);

    // What ran, as a window of its own (its text is what the checks read).
    auto* status = Create<TSamplePanel>(parent);
    status->Raised = false;
    status->SetBounds(16, 540, 360, 24);
    status->SetCaption("Noch nichts ausgef\xFChrt");
    status->SetParent(parent);
    auto ran = [status](TObject* sender) {
        status->SetCaption("Ausgef\xFChrt: " + static_cast<TMenuItem*>(sender)->Caption());
    };

    // The context menu.
    SampleLabel(parent, 16, 50, 360, "Rechtsklick oder Men\xFCtaste im Feld:", true);
    auto* target = Create<TMenuTarget>(parent);
    target->SetBounds(16, 72, 220, 60);
    target->SetCaption("Rechtsklick hier");
    target->SetParent(parent);
    auto* popup = Create<ToxPopupMenu>(parent);
    EditMenuLooks(popup);
    popup->SetImageList(images);
    Item(popup->Items(), "Ausschneiden", 0)->OnClick = ran;
    Item(popup->Items(), "Kopieren", 1)->OnClick = ran;
    ToxMenuItem* paste = Item(popup->Items(), "Einf\xFCgen", 2);
    paste->OnClick = ran;
    paste->SetEnabled(false);
    Item(popup->Items(), "-");
    Item(popup->Items(), "Alles markieren")->OnClick = ran;
    target->SetPopupMenu(popup);

    // The menu bar of the gallery's window, while the page is shown.
    auto* bar = Create<ToxMenu>(parent);
    bar->SetImageList(images);
    bar->SetStyle(oxmWin97);
    bar->SetSelectionStyle(oxmRaisedSel);
    ToxMenuItem* file = Item(bar->Items(), "&Datei");
    Item(file, "&Neu", 2)->OnClick = ran;
    ToxMenuItem* check = Item(file, "&Gespeichert");
    check->SetChecked(true);
    check->OnClick = ran;
    Item(file, "-");
    ToxMenuItem* print = Item(file, "&Drucken", 1);
    print->SetEnabled(false);
    ToxMenuItem* edit = Item(bar->Items(), "&Bearbeiten");
    Item(edit, "&Kopieren", 1)->OnClick = ran;
    Item(edit, "&Alles||markieren")->OnClick = ran;
    if (TCustomForm* form = GetParentForm(parent)) form->SetMenu(bar);

    SampleLabel(parent, 16, 150, 360, "Alt+D \xF6" "ffnet die Men\xFCleiste, Esc schlie\xDF" "t sie.", false);

    // The edits' context menu on an edit field.
    SampleLabel(parent, 16, 190, 360, "Kontextmen\xFC der Eingabefelder (Rechtsklick):", true);
    auto* field = Create<TCustomEdit>(parent);
    field->SetBounds(16, 212, 220, 21);
    field->SetText("Hallo Welt");
    field->SetParent(parent);
    auto* edit_menu = Create<TTextoxPopupMenu>(parent);
    field->SetPopupMenu(edit_menu);

    // Pictures for the screenshot.
    SampleLabel(parent, 400, 50, 380, "Bilder der offenen Men\xFCs:", true);
    auto* pictures = Create<TMenuPictures>(parent);
    pictures->SetBounds(400, 72, 390, 110);
    pictures->popup = popup->Items();
    pictures->bar = bar->Items();
    pictures->sub = file;
    pictures->SetParent(parent);
    SampleLabel(parent, 400, 190, 380, "Bild des Kontextmen\xFCs der Eingabefelder:", true);
    auto* edit_picture = Create<TMenuPictures>(parent);
    edit_picture->SetBounds(400, 212, 200, 140);
    edit_picture->popup = edit_menu->Items();
    edit_picture->SetParent(parent);
}

GALLERY_PAGE(menus, "menus", 120, &BuildMenusPage);
