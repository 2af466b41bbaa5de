// Gallery page "flat": the flat button in each of its looks (normal,
// default, hovered through the focus, disabled with its grey glyph, down in
// a group, round, transparent, multi-line caption, key label, glyph strip),
// flat panels with their frames and captions, and window-less flat speed
// buttons (one-line caption, round, disabled, down). Enter, Shift+Enter and
// Backspace walk the buttons; the status line tells what OnSelectNext and
// OnClick saw.
#include <memory>
#include <string>

#include "controls/flat/flat_button.h"
#include "controls/flat/flat_panel.h"
#include "controls/flat/flat_speed_button.h"
#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "framework/accelerator.h"
#include "framework/bitmap.h"
#include "framework/font.h"
#include "framework/form.h"

namespace {

constexpr TColor kMagenta = 0xFF00FF;

// A 16 x 16 glyph on magenta (its transparent colour): a filled disc.
std::unique_ptr<TBitmap> DiscGlyph(TColor color) {
    auto g = std::make_unique<TBitmap>(16, 16);
    TCanvas& c = g->Canvas();
    c.Brush().SetColor(kMagenta);
    c.FillRect(RECT{0, 0, 16, 16});
    c.Brush().SetColor(color);
    c.Pen().SetColor(clBlack);
    c.Ellipse(2, 2, 14, 14);
    return g;
}

// Four 16 x 16 images side by side: up, disabled, down, exclusive.
std::unique_ptr<TBitmap> StripGlyph() {
    auto g = std::make_unique<TBitmap>(64, 16);
    TCanvas& c = g->Canvas();
    c.Brush().SetColor(kMagenta);
    c.FillRect(RECT{0, 0, 64, 16});
    const TColor colors[4] = {RGB(40, 150, 60), RGB(150, 150, 150), RGB(200, 60, 40), RGB(40, 80, 200)};
    for (int i = 0; i < 4; ++i) {
        c.Brush().SetColor(colors[i]);
        c.Pen().SetColor(clBlack);
        c.Rectangle(i * 16 + 2, 2, i * 16 + 14, 14);
    }
    return g;
}

TFlatButton* Button(TWinControl* parent, int x, int y, int w, int h, const std::string& caption) {
    auto* b = Create<TFlatButton>(GetParentForm(parent) ? static_cast<TComponent*>(GetParentForm(parent)) : parent);
    b->SetBounds(x, y, w, h);
    b->SetCaption(caption);
    b->SetTabStop(true);
    b->SetParent(parent);
    return b;
}


void BuildFlatPage(TWinControl* parent) {
    parent->SetColor(RGB(0xEB, 0xEA, 0xE1));
    SampleTitle(parent, "  Flache Schaltflächen, Leisten und fensterlose Schalter", 30);

    auto* status = SampleLabel(parent, 16, 572, 760, "Enter, Umschalt+Enter und Rücktaste wandern durch die Schaltflächen.");

    // A button bar as the main window has it.
    auto* bar = Create<TFlatPanel>(parent);
    bar->SetBounds(16, 36, 520, 41);
    bar->SetParent(parent);
    auto* receive = Button(bar, 6, 6, 100, 29, "Empfangen");
    receive->SetDefault(true);
    auto* open = Button(bar, 112, 6, 100, 29, "Öffnen");
    open->SetGlyph(*DiscGlyph(RGB(230, 180, 30)));
    open->SetLayout(blGlyphLeft);
    auto* list = Button(bar, 218, 6, 100, 29, "Liste");

    // Every look of the button.
    SampleLabel(parent, 16, 88, 300, "Zustände", true);
    auto* normal = Button(parent, 16, 110, 120, 44, "Normal");
    auto* def = Button(parent, 146, 110, 120, 44, "Standard");
    def->SetDefault(true);
    auto* hovered = Button(parent, 276, 110, 120, 44, "Fokus / Maus");
    hovered->SetColorFocused(RGB(0xF4, 0xF7, 0xF7));
    auto* disabled = Button(parent, 406, 110, 120, 44, "Gesperrt");
    disabled->SetGlyph(*DiscGlyph(RGB(200, 40, 40)));
    disabled->SetLayout(blGlyphLeft);
    disabled->SetEnabled(false);
    auto* round = Button(parent, 536, 110, 120, 44, "Rund");
    round->SetRound(14);
    round->SetColor(RGB(200, 220, 240));  // no frame on round buttons: a colour shows the shape
    round->SetColorFocused(RGB(220, 235, 250));
    auto* strip = Button(parent, 666, 100, 120, 54, "Bildstreifen");
    strip->SetGlyph(*StripGlyph());

    auto* multi = Button(parent, 16, 164, 120, 44, "Zwei<br>Zeilen");
    auto* key = Button(parent, 146, 164, 120, 44, "Drucken");
    key->SetVKKey("F9");
    key->SetLayout(blGlyphTop);
    auto* colored = Button(parent, 276, 164, 120, 44, "&Weiter");
    colored->SetColorBorder(16744576);
    colored->SetModalResult(mrOk);
    auto* backdrop = Create<TFlatPanel>(parent);
    backdrop->SetBounds(406, 160, 250, 52);
    backdrop->SetParentColor(false);
    backdrop->SetColor(RGB(200, 220, 240));
    backdrop->SetParent(parent);
    auto* transparent = Button(backdrop, 8, 4, 110, 44, "Durchsichtig");
    transparent->SetTransparentMode(tmAlways);
    auto* notFocused = Button(backdrop, 130, 4, 110, 44, "Nur Maus");
    notFocused->SetTransparentMode(tmNotFocused);

    // An exclusive group: one of three stays down.
    SampleLabel(parent, 16, 222, 300, "Gruppe (GroupIndex 1)", true);
    const char* groupCaptions[] = {"Links", "Mitte", "Rechts"};
    for (int i = 0; i < 3; ++i) {
        auto* g = Button(parent, 16 + i * 90, 244, 86, 30, groupCaptions[i]);
        g->SetGroupIndex(1);
        if (i == 1) g->SetDown(true);
    }

    // Window-less speed buttons on a panel.
    SampleLabel(parent, 306, 222, 300, "Fensterlose Schalter", true);
    auto* speedBar = Create<TFlatPanel>(parent);
    speedBar->SetBounds(306, 240, 452, 38);
    speedBar->SetParent(parent);
    auto speed = [&](int i, const char* caption) {
        auto* s = Create<TFlatSpeedButton>(speedBar);
        s->SetBounds(6 + i * 74, 6, 70, 26);
        s->SetCaption(caption);
        s->SetParent(speedBar);
        s->OnClick = [status, s](TObject*) { status->SetCaption("Schalter: " + s->Caption()); };
        return s;
    };
    speed(0, "Abbrechen");
    speed(1, "OK");
    speed(2, "A<br>B");
    auto* speedRound = speed(3, "Rund");
    speedRound->SetHeight(25);
    speedRound->SetRound(10);  // grows to 71 x 26
    speedRound->SetColor(RGB(200, 220, 240));
    auto* speedOff = speed(4, "Aus");
    speedOff->SetGlyph(*DiscGlyph(RGB(200, 40, 40)));
    speedOff->SetLayout(blGlyphLeft);
    speedOff->SetEnabled(false);
    auto* speedDown = speed(5, "Fest");
    speedDown->SetGroupIndex(1);
    speedDown->SetDown(true);

    // Panels: caption alignment, disabled caption, own frame colours.
    SampleLabel(parent, 16, 290, 300, "Flache Leisten", true);
    const TAlignment aligns[] = {taLeftJustify, taCenter, taRightJustify};
    const char* alignCaptions[] = {" linksbündig", "zentriert", "rechtsbündig "};
    for (int i = 0; i < 3; ++i) {
        auto* p = Create<TFlatPanel>(parent);
        p->SetBounds(16 + i * 195, 312, 185, 41);
        p->SetAlignment(aligns[i]);
        p->SetCaption(alignCaptions[i]);
        p->SetParent(parent);
    }
    auto* off = Create<TFlatPanel>(parent);
    off->SetBounds(16, 362, 185, 41);
    off->SetCaption("gesperrt");
    off->SetEnabled(false);
    off->SetParent(parent);
    auto* framed = Create<TFlatPanel>(parent);
    framed->SetBounds(211, 362, 185, 41);
    framed->SetColorHighLight(clWhite);
    framed->SetColorShadow(RGB(90, 90, 90));
    framed->SetCaption("eigene Rahmenfarben");
    framed->SetParent(parent);
    auto* clear = Create<TFlatPanel>(parent);
    clear->SetBounds(406, 362, 185, 41);
    clear->SetTransparent(true);
    clear->SetCaption("durchsichtig");
    clear->SetParent(parent);

    // Status line: what the keyboard events and clicks report.
    // Every enabled button reports; captions as they read (no "&").
    for (TFlatButton* b :
         {receive, open, list, normal, def, hovered, round, strip, multi, key, colored, transparent, notFocused}) {
        b->OnClick = [status, b](TObject*) { status->SetCaption("Angeklickt: " + StripHotkey(b->Caption())); };
        b->OnSelectNext = [status](TWinControl*& src, TWinControl*& dst, WORD code, bool&) {
            if (src && dst)
                status->SetCaption("Weiter mit Taste " + std::to_string(code) + ": " + StripHotkey(src->Caption()) +
                                   " -> " + StripHotkey(dst->Caption()));
        };
    }
    // The hover look shows on the focused button.
    if (TCustomForm* form = GetParentForm(parent)) form->SetActiveControl(hovered);
}

}  // namespace

GALLERY_PAGE(flat, "flat", 30, &BuildFlatPage);
