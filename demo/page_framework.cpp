// Gallery page "framework": the framework's own control kinds at work:
// windowed controls painting on their canvas, a container laying out aligned
// children, window-less controls painted and driven by their parent, and
// keyboard focus moving with Tab and the arrow keys.
#include <string>

#include "demo/gallery_registry.h"
#include "demo/sample_controls.h"
#include "framework/font.h"
#include "framework/win_control.h"

namespace {

TSamplePanel* MakePanel(TWinControl* parent, TAlign align, int size, const std::string& caption, bool raised) {
    auto* p = Create<TSamplePanel>(parent);
    p->Raised = raised;
    p->SetCaption(caption);
    if (align == alTop || align == alBottom)
        p->SetHeight(size);
    else
        p->SetWidth(size);
    p->SetAlign(align);
    p->SetParent(parent);
    return p;
}

TSampleLabel* MakeLabel(TWinControl* parent, int x, int y, int w, const std::string& text) {
    auto* l = Create<TSampleLabel>(parent);
    l->SetBounds(x, y, w, 17);
    l->SetCaption(text);
    l->SetParent(parent);
    return l;
}


void BuildFrameworkPage(TWinControl* parent) {
    SampleTitle(parent, "  Framework: Steuerelemente, Ausrichtung und fensterlose Controls");

    auto* frame = MakePanel(parent, alClient, 0, "", false);
    MakePanel(frame, alTop, 36, "alTop: Leiste oben", true);
    MakePanel(frame, alBottom, 28, "alBottom: Statuszeile", true);
    auto* left = MakePanel(frame, alLeft, 180, "", true);
    auto* right = MakePanel(frame, alRight, 170, "", true);
    auto* client = MakePanel(frame, alClient, 0, "", false);
    client->SetColor(clWindow);

    // Windowed buttons: tab stops, hover look, keyboard click.
    MakeLabel(left, 12, 8, 150, "alLeft: Schaltflächen");
    auto* counter = MakeLabel(client, 16, 200, 360, "Noch nichts angeklickt.");
    const char* captions[] = {"Öffnen", "Übernehmen", "Schließen", "Gesperrt"};
    for (int i = 0; i < 4; ++i) {
        auto* b = Create<TSampleButton>(left);
        b->SetBounds(12, 32 + i * 36, 150, 28);
        b->SetCaption(captions[i]);
        b->SetHint(std::string("Schaltfläche \"") + captions[i] + "\"");
        b->SetShowHint(true);
        if (i == 3) b->SetEnabled(false);
        b->OnClick = [counter, b](TObject*) { counter->SetCaption("Angeklickt: " + b->Caption()); };
        b->SetParent(left);
    }
    auto* toggle = Create<TSampleButton>(left);
    toggle->SetBounds(12, 32 + 4 * 36 + 8, 150, 28);
    toggle->SetCaption("Umschalter");
    toggle->SetDown(true);
    toggle->OnClick = [toggle](TObject*) { toggle->SetDown(!toggle->Down()); };
    toggle->SetParent(left);

    // Window-less swatches: painted by the panel, enter/leave from its mouse moves.
    MakeLabel(right, 12, 8, 150, "alRight: fensterlos");
    const TColor colors[] = {RGB(200, 40, 40), RGB(40, 150, 60), RGB(40, 70, 200),
                             RGB(230, 180, 30), RGB(130, 60, 160), RGB(40, 160, 170)};
    for (int i = 0; i < 6; ++i) {
        auto* s = Create<TSampleSwatch>(right);
        s->SetBounds(14 + (i % 3) * 48, 34 + (i / 3) * 48, 40, 40);
        s->SetColor(colors[i]);
        s->SetParent(right);
    }
    auto* disabled = Create<TSampleSwatch>(right);
    disabled->SetBounds(14, 34 + 2 * 48, 136, 24);
    disabled->SetColor(RGB(160, 160, 160));
    disabled->SetEnabled(false);
    disabled->SetParent(right);
    MakeLabel(right, 12, 34 + 2 * 48 + 28, 150, "gesperrt, Maus trotzdem");

    // Painted text on the client area.
    MakeLabel(client, 16, 14, 380, "alClient: der Rest der Fläche");
    MakeLabel(client, 16, 40, 380, "Text in CP1252: Größe, Maß, Übergabe, 12,50 €");
    MakeLabel(client, 16, 66, 380, "Tab und Umschalt+Tab wandern durch die Schaltflächen,");
    MakeLabel(client, 16, 84, 380, "die Pfeiltasten innerhalb derselben Leiste.");
    auto* boxed = MakeLabel(client, 16, 120, 300, "Fensterloses Etikett mit eigenem Grund");
    boxed->Transparent = false;
    boxed->SetColor(RGB(255, 251, 240));
    boxed->Format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    boxed->SetHeight(30);
}

}  // namespace

GALLERY_PAGE(framework, "framework", 10, &BuildFrameworkPage);
