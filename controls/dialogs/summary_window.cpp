#include "controls/dialogs/summary_window.h"

#include <memory>

#include "controls/dialogs/form_placement.h"
#include "controls/dialogs/look_and_feel.h"
#include "controls/dialogs/rich_edit_links.h"
#include "controls/dialogs/summary_links.h"
#include "controls/dragdrop/doc_roots.h"
#include "controls/dragdrop/file_link_rules.h"
#include "controls/flat/flat_button.h"
#include "controls/flat/flat_panel.h"
#include "controls/menus/edit_context_menu.h"
#include "foundation/shell_jobs.h"
#include "framework/bitmap.h"
#include "framework/exceptions.h"
#include "framework/font.h"
#include "framework/printer.h"

namespace {

constexpr TColor kButtonBorder = 16744576;

// A button along one side of the bottom bar (Drucken left, Weiter right, so
// both stay in sight at any width).
TFlatButton* MakeButton(TFTip* Form, TWinControl* Parent, const std::string& Caption, TAlign Side,
                        const char* Glyph) {
    auto* b = Create<TFlatButton>(Form);
    // A program built without the picture keeps the button, just without it.
    try {
        TBitmap glyph;
        glyph.LoadFromResourceName(GetModuleHandleA(nullptr), Glyph);
        b->SetGlyph(glyph);
    } catch (const EInvalidOperation&) {
    }
    b->SetBounds(0, 0, 100, 25);
    b->SetAlign(Side);
    b->SetCaption(Caption);
    b->SetColorBorder(kButtonBorder);
    b->SetTabStop(true);
    b->SetParent(Parent);
    return b;
}

}  // namespace

TFTip::TFTip(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Nachricht hinzufügen");
    SetBorderStyle(bsDialog);
    SetBorderWidth(5);
    SetClientSize(546, 318);
    Constraints().MinWidth = 337;
    Constraints().MinHeight = 150;
    Font().SetName("Tahoma");
    Font().SetHeight(-12);
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    BuildComponents();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnKeyPress = [this](TObject* s, char& k) { FormKeyPress(s, k); };
}

void TFTip::BuildComponents() {
    FlatPanel1 = Create<TFlatPanel>(this);
    FlatPanel1->SetBounds(0, ClientHeight() - 37, ClientWidth(), 37);
    FlatPanel1->SetAlign(alBottom);
    FlatPanel1->SetBorderWidth(5);
    FlatPanel1->SetParent(this);
    FlatButton_HK_close = MakeButton(this, FlatPanel1, "Drucken", alLeft, "FTIP_PRINT");
    FlatButton2 = MakeButton(this, FlatPanel1, "&Weiter", alRight, "FTIP_NEXT");
    FlatButton_HK_close->OnClick = [this](TObject*) { Print(); };
    FlatButton2->OnClick = [this](TObject* s) { FlatButton2Click(s); };

    RichEdit = Create<TRichEditWithLinks>(this);
    RichEdit->SetAlign(alClient);
    RichEdit->Font().SetName("Tahoma");
    RichEdit->Font().SetHeight(-13);
    RichEdit->Font().SetStyle(fsBold);
    RichEdit->SetPlainText(true);
    RichEdit->SetScrollBars(ssBoth);
    // Scroll bars that stay keep the client area, and with it the text's
    // rectangle, the same for every text.
    RichEdit->SetHideScrollBars(false);
    RichEdit->OnHyperlinkClicked = [this](TObject* s, int a, int b, const std::string& t) {
        RichEditHyperlinkClicked(s, a, b, t);
    };
    RichEdit->SetParent(this);
    RichEdit->SetTabOrder(0);
}

void TFTip::FormCreate(TObject*) {
    ApplyLookAndFeel(this, true);
    PopupMenu = Create<TRTFoxPopupMenu>(this);
    PopupMenu->Font().SetSize(9);
    PopupMenu->SetColor(clWhite);
    PopupMenu->SymbolItem()->SetVisible(false);
    RichEdit->SetPopupMenu(PopupMenu);
}

RECT TFTip::TextRect() const {
    RECT r = RichEdit->ClientRect();
    InflateRect(&r, -kSummaryTextInset, -kSummaryTextInset);
    return r;
}

void TFTip::CreateWnd() {
    TForm::CreateWnd();
    if (!RichEdit->HandleAllocated()) RichEdit->SetFormatRect(TextRect());
}

void TFTip::FormShow(TObject*) {
    RichEdit->SetFormatRect(TextRect());
    if (RichEdit->CanFocus()) RichEdit->SetFocus();
    BringFormToFront(this);
}

void TFTip::FormKeyPress(TObject*, char& Key) {
    if (Key == VK_ESCAPE) {
        Key = 0;
        Close();
    }
}

void TFTip::FlatButton2Click(TObject*) { SetModalResult(mrOk); }

std::string TFTip::PrintTitle() const { return RichEdit->LineCount() > 0 ? RichEdit->Line(0) : std::string(); }

bool TFTip::Print() {
    std::unique_ptr<TPrinter> printer = ExecutePrintDialog(HandleAllocated() ? WindowHandle() : nullptr);
    if (!printer) return false;
    const PlainRect page = MarginPageRect(printer->Metrics(), kSummaryPrintMarginMm);
    RichEdit->PageRect = {page.left, page.top, page.right, page.bottom};
    return RichEdit->Print(*printer, PrintTitle());
}

void TFTip::RichEditHyperlinkClicked(TObject*, int, int, const std::string& Text) {
    // The program's own file links carry root placeholders: without an
    // installed resolver the document roots resolve them.
    const bool viaRoots = SummaryLinkKind(Text) == TSummaryLinkKind::File && !HasFileLinkResolver();
    const std::string target = viaRoots ? ResolveFileLink(Text) : ShellTargetOfLink(Text);
    if (target.empty()) return;
    // A link in a report never starts a program: its folder opens with the
    // file selected instead.
    if (SummaryLinkKind(Text) == TSummaryLinkKind::File && IsProgramFile(target)) {
        OpenFolderAndSelect(target);
        return;
    }
    ShellOpen("open", target, SW_SHOWNORMAL);
}
