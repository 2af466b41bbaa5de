#include "controls/dialogs/message_box.h"

#include "controls/dialogs/box_text.h"
#include "controls/dialogs/form_placement.h"
#include "controls/dialogs/look_and_feel_hook.h"
#include "controls/flat/flat_button.h"
#include "controls/flat/flat_panel.h"
#include "controls/html/html_label.h"
#include "editors/edits/combo_box.h"
#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/graphics_base.h"
#include "framework/screen.h"
#include "framework/std_controls.h"

namespace {

// The input list's odd rows (counted from 0).
constexpr TColor kInputOddRowColor = 12383742;  // 0xBCF5FE, light yellow

// Posted by FormShow so the shown hook runs once the box is on the screen.
constexpr UINT kBoxShown = WM_APP + 0x1B0;
// Posted by FormDeactivate: takes the foreground back once the activation
// change that deactivated the box is over (a call inside it is undone).
constexpr UINT kBoxRegainForeground = WM_APP + 0x1B1;

TBoxShownHook& ShownHook() {
    static TBoxShownHook hook;
    return hook;
}

// The box's pictures: a disc on the bar's colour with a white sign.
void PaintBoxPicture(TBitmap& b, TColor Disc, const char* Sign) {
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(ColorToRGB(clBtnFace));
    c.FillRect(RECT{0, 0, 24, 24});
    c.Brush().SetColor(Disc);
    c.Pen().SetColor(Disc);
    c.Ellipse(1, 1, 23, 23);
    c.Font().SetName("Arial");
    c.Font().SetHeight(-20);
    c.Font().SetStyle(fsBold);
    c.Font().SetColor(clWhite);
    c.Brush().SetStyle(bsClear);
    RECT r{0, 0, 24, 24};
    c.DrawText(Sign, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

TImage* MakePicture(TWinControl* Bar, TColor Disc, const char* Sign) {
    auto* image = Create<TImage>(Bar);
    image->SetBounds(5, 5, 24, 24);
    TBitmap picture(24, 24);
    PaintBoxPicture(picture, Disc, Sign);
    image->SetPicture(picture);
    image->SetParent(Bar);
    return image;
}

TFlatPanel* MakeBar(TFSB_BOX* Box, int Top, int Height, bool Visible) {
    auto* bar = Create<TFlatPanel>(Box);
    bar->SetVisible(Visible);
    bar->SetBounds(0, Top, 402, Height);
    bar->SetAlign(alBottom);
    bar->SetParent(Box);
    return bar;
}

TPanel* MakeButtonPanel(TWinControl* Bar, int Width) {
    auto* panel = Create<TPanel>(Bar);
    panel->SetBounds(Bar->Width() - Width, 0, Width, Bar->Height());
    panel->SetAlign(alRight);
    panel->SetParent(Bar);
    return panel;
}

TFlatButton* MakeButton(TWinControl* Parent, const std::string& Caption, int Left, int Width, bool TabStop) {
    auto* b = Create<TFlatButton>(Parent->Owner());
    b->SetCaption(Caption);
    b->SetBounds(Left, 5, Width, 25);
    b->SetColor(clBtnFace);
    b->SetColorBorder(clBtnFace);
    b->SetLayout(blGlyphLeft);
    b->SetRound(0);
    b->SetTabStop(TabStop);
    b->SetParent(Parent);
    return b;
}

TSBHTM* MakeLabel(TFSB_BOX* Box, TWinControl* Parent) {
    auto* label = Create<TSBHTM>(Box);
    label->SetAutoSizeType(asVertical);
    label->SetAutoSizing(true);
    label->SetTop(0);
    label->SetAlign(alTop);
    label->SetParent(Parent);
    return label;
}

// Frees the box however the modal call ends.
struct BoxOwner {
    TFSB_BOX* box;
    ~BoxOwner() { box->Free(); }
};

void SetUpBox(TFSB_BOX* Box, TFlatPanel* Bar, TFlatButton* Help, TWinControl* Focus, const std::string& Text,
              const std::string& HelpText, const std::string& Caption) {
    Box->FP_help->Hide();
    Box->MessageLabel()->SetHTMLText(PrepareBoxText(Text));
    Bar->Show();
    Box->SetCaption(Caption.empty() ? Application()->Title() : Caption);
    Help->SetVisible(!HelpText.empty());
    Box->SetHelpText(HelpText);
    Box->SetActiveControl(Focus);
}

}  // namespace

TFSB_BOX::TFSB_BOX(TComponent* AOwner) : TForm(AOwner) {
    SetBorderStyle(bsDialog);
    SetClientSize(406, 187);
    SetColor(clWhite);
    Font().SetName("Tahoma");
    Font().SetHeight(-11);
    Font().SetCharset(ANSI_CHARSET);
    SetFormStyle(fsStayOnTop);
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    BuildComponents();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); };
    OnKeyPress = [this](TObject* s, char& k) { FormKeyPress(s, k); };
    OnDeactivate = [this](TObject* s) { FormDeactivate(s); };
}

void TFSB_BOX::BuildComponents() {
    // The bars stand at the bottom in this order, lowest first.
    Pquestion = MakeBar(this, 152, 35, false);
    Image2 = MakePicture(Pquestion, RGB(40, 110, 190), "?");
    Panel1 = MakeButtonPanel(Pquestion, 173);
    FB_BREAK1 = MakeButton(Panel1, "Nein", 91, 77, true);
    FB_BREAK1->Tag = 50;
    FB_OK = MakeButton(Panel1, "Ja", 8, 77, true);
    FBhelpQ = MakeButton(Pquestion, "Hilfe", 93, 94, false);
    FBhelpQ->Hide();

    Pmsg = MakeBar(this, 117, 35, false);
    Image1 = MakePicture(Pmsg, RGB(50, 130, 200), "i");
    Panel2 = MakeButtonPanel(Pmsg, 89);
    FB_BREAK2 = MakeButton(Panel2, "Schließen", 7, 77, true);
    FBhelpS = MakeButton(Pmsg, "Hilfe", 93, 94, false);

    FP_help = MakeBar(this, 94, 23, true);

    // The input bar's first row is where the input field goes.
    Pinput = MakeBar(this, 33, 61, false);
    FlatPanel1 = Create<TFlatPanel>(this);
    FlatPanel1->SetBounds(1, 1, 400, 25);
    FlatPanel1->SetAlign(alTop);
    FlatPanel1->SetParent(Pinput);
    Panel3 = MakeButtonPanel(Pinput, 185);
    FB_ICANCEL = MakeButton(Panel3, "Abbrechen", 7, 82, true);
    FB_ICANCEL->Tag = 50;
    FB_IOK = MakeButton(Panel3, "Übernehmen", 92, 89, true);
    FB_HELPI = MakeButton(Pinput, "Hilfe", 93, 94, false);
    FB_HELPI->SetTop(30);

    auto ok = [this](TObject*) { SetModalResult(mrOk); };
    auto cancel = [this](TObject*) { SetModalResult(mrCancel); };
    FB_OK->OnClick = ok;
    FB_IOK->OnClick = ok;
    FB_BREAK1->OnClick = cancel;
    FB_BREAK2->OnClick = cancel;
    FB_ICANCEL->OnClick = cancel;
    for (TFlatButton* help : {FBhelpQ, FBhelpS, FB_HELPI}) help->OnClick = [this](TObject* s) { FBhelpQClick(s); };
    auto yes = [this](TWinControl*& s, TWinControl*& d, WORD c, bool& a) { FB_OKSelectNext(s, d, c, a); };
    auto no = [this](TWinControl*& s, TWinControl*& d, WORD c, bool& a) { FB_BREAK1SelectNext(s, d, c, a); };
    FB_OK->OnSelectNext = yes;
    FB_IOK->OnSelectNext = yes;
    FB_BREAK1->OnSelectNext = no;
    FB_ICANCEL->OnSelectNext = no;
    FB_BREAK2->OnSelectNext = [this](TWinControl*& s, TWinControl*& d, WORD c, bool& a) {
        FB_BREAK2SelectNext(s, d, c, a);
    };
}

void TFSB_BOX::AdjustClientRect(RECT& Rect) {
    TForm::AdjustClientRect(Rect);
    InflateRect(&Rect, -2, -2);
}

void TFSB_BOX::Dispatch(TMessage& Message) {
    if (Message.Msg == kBoxShown) {
        if (ShownHook() && Visible()) ShownHook()(this);
        return;
    }
    if (Message.Msg == kBoxRegainForeground) {
        if (KeepsForeground()) SetForegroundWindow(WindowHandle());
        return;
    }
    TForm::Dispatch(Message);
}

void TFSB_BOX::FormCreate(TObject*) {
    FormLookAndFeel(this, true);
    link_clicked_ = false;
    message_label_ = MakeLabel(this, this);
    help_label_ = MakeLabel(this, FP_help);
    if (Screen()->Width() > 800) {
        message_label_->Font().SetSize(10);
        help_label_->Font().SetSize(10);
        Font().SetSize(9);
        Panel2->SetWidth(Panel2->Width() * 11 / 10);
        FB_BREAK2->SetBounds(2, FB_BREAK2->Top(), Panel2->Width() - 4, FB_BREAK2->Height());
        Panel3->SetWidth(Panel3->Width() * 12 / 10);
        FB_ICANCEL->SetBounds(7, FB_ICANCEL->Top(), FB_ICANCEL->Width() * 12 / 10, FB_ICANCEL->Height());
        FB_IOK->SetBounds(FB_ICANCEL->Left() + FB_ICANCEL->Width() + 4, FB_IOK->Top(), FB_IOK->Width() * 12 / 10,
                          FB_IOK->Height());
    }
    // The input field and FlatPanel1's height come with the input box (CreateInputField).
    message_label_->OnLinkClick = [this](TObject* s) { LinkClicked(s); };
    help_label_->OnLinkClick = [this](TObject* s) { LinkClicked(s); };
    Pmsg->SetColor(clBtnFace);
    Pinput->SetColor(clBtnFace);
    Pquestion->SetColor(clBtnFace);
    Constraints().MaxHeight = BoxMaxHeight(Screen()->Height());
}

void TFSB_BOX::FormShow(TObject*) {
    SetColor(clWhite);
    // Taken while the box still has the height it was placed with: grown,
    // it may reach into a neighbouring monitor.
    const RECT area = CurrentWorkArea();
    message_label_->Measure();
    const int labelHeight = message_label_->Height();
    TFlatPanel* bar = Pquestion->Visible() ? Pquestion : Pinput->Visible() ? Pinput : Pmsg;
    bar->SetTop(labelHeight + 2);
    SetClientHeight(labelHeight + (Pinput->Visible() ? 70 : 37));
    // The box was placed at its designed height: a tall message must not
    // push the buttons off the work area.
    KeepInside(area);
    if (HWND h = WindowHandle()) {
        BoxToForeground(h);
        PostMessageA(h, kBoxShown, 0, 0);
    }
}

RECT TFSB_BOX::CurrentWorkArea() {
    TMonitor* monitor = Screen()->MonitorFromRect(BoundsRect());
    return monitor ? monitor->WorkareaRect() : RECT{};
}

void TFSB_BOX::KeepInside(const RECT& Area) {
    if (Area.bottom <= Area.top) return;
    // The height cap is a share of the primary screen: a smaller monitor's
    // work area can be lower still.
    if (Height() > Area.bottom - Area.top) SetHeight(Area.bottom - Area.top);
    KeepFormInside(this, Area);
}

void TFSB_BOX::FBhelpQClick(TObject* Sender) {
    if (help_text_.empty()) return;
    const RECT area = CurrentWorkArea();
    help_label_->SetHTMLText(PrepareBoxText(help_text_));
    help_label_->Measure();
    const int grow = help_label_->Height() + 5;
    FP_help->SetHeight(grow);
    FP_help->SetTop(ClientHeight());  // below the button bar
    SetClientHeight(ClientHeight() + grow);
    KeepInside(area);
    if (auto* button = dynamic_cast<TControl*>(Sender)) button->SetEnabled(false);
    FP_help->Show();
}

void TFSB_BOX::FormKeyDown(TObject*, WORD& Key, TShiftState Shift) {
    if (Key == VK_F1) {
        Key = 0;
        return;
    }
    if (!Pinput->Visible() && !Pquestion->Visible() && (Shift & (ssShift | ssCtrl | ssAlt)) == 0) {
        SetModalResult(mrCancel);  // any key closes an information box
        return;
    }
    switch (Key) {
    case VK_RETURN:
        // An open input list takes Enter for its item.
        if (InputListOpen()) break;
        // No button carries Tag 20 ("Nein" and "Abbrechen" have 50), and a
        // focused flat button takes Enter before the form sees it.
        SetModalResult(ActiveControl() && ActiveControl()->Tag == 20 ? mrCancel : mrOk);
        break;
    case VK_ESCAPE:
        // An open input list takes Escape to close itself: the box stays.
        if (InputListOpen()) break;
        SetModalResult(Pinput->Visible() && !FB_ICANCEL->Visible() ? mrOk : mrCancel);
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        TWinControl* active = ActiveControl();
        if (active == FB_OK)
            FB_BREAK1->SetFocus();
        else if (active == FB_BREAK1)
            FB_OK->SetFocus();
        else if (active == FB_IOK && FB_ICANCEL->CanFocus())
            FB_ICANCEL->SetFocus();
        else if (active == FB_ICANCEL)
            FB_IOK->SetFocus();
        break;
    }
    default: break;
    }
}

bool TFSB_BOX::InputListOpen() const { return FINPE && FINPE->IsDroppedDown(); }

void TFSB_BOX::CreateInputField() {
    if (FINPE) return;
    Label1 = Create<TLabel>(this);
    Label1->Font().SetName("Arial");
    Label1->Font().SetHeight(-11);
    Label1->SetCaption("Eingabe:");
    Label1->SetBounds(6, 6, 52, 14);
    Label1->SetParent(FlatPanel1);
    FINPE = Create<TDCComboBox>(this);
    FINPE->SetBounds(60, 2, FlatPanel1->Width() - 64, 21);
    FINPE->SetStyle(csDropDown);
    FINPE->SetDrawStyle(fsFlat);
    FINPE->SetEmptyText("Eingabe");
    FINPE->SetShowCheckBox(true);
    FINPE->SetItemHeight(19);
    FINPE->OnDrawItem = [this](TWinControl* c, int i, const RECT& r, unsigned st) { FINPEDrawItem(c, i, r, st); };
    FINPE->OnKeyPress = [this](TObject* s, char& k) { FINPEKeyPress(s, k); };
    FINPE->SetParent(FlatPanel1);
    // The bar's first row: the field's height + 4.
    FlatPanel1->SetHeight(FINPE->Height() + 4);
}

void TFSB_BOX::FINPEKeyPress(TObject*, char& Key) {
    if (Key != VK_RETURN) return;
    Key = 0;
    SetModalResult(mrOk);
}

void TFSB_BOX::FINPEDrawItem(TWinControl* Control, int Index, const RECT& Rect, unsigned State) {
    auto* list = dynamic_cast<TCustomListBox*>(Control);
    if (!list) return;
    TCanvas& c = list->Canvas();
    if (State & (ODS_SELECTED | ODS_FOCUS)) {
        c.Brush().SetColor(clHighlight);
        c.Font().SetColor(clHighlightText);
    } else {
        c.Brush().SetColor(Index % 2 == 1 ? kInputOddRowColor : clWhite);
        c.Font().SetColor(clWindowText);
    }
    c.Brush().SetStyle(bsSolid);
    c.FillRect(Rect);
    if (Index < 0 || Index >= list->Items().Count()) return;
    RECT text{Rect.left + 5, Rect.top + 1, Rect.right, Rect.bottom - 1};
    c.Brush().SetStyle(bsClear);
    c.DrawText(list->Items().Get(Index), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void TFSB_BOX::FormKeyPress(TObject*, char& Key) {
    if (Key == 27 && !InputListOpen()) Key = 0;
}

bool TFSB_BOX::KeepsForeground() const {
    // Only an open box keeps the foreground; a closing one lets it go, and
    // so does one disabled by a box opened from it: taking the foreground
    // back from the inner box would start a tug of war between the two.
    HWND h = WindowHandle();
    return !link_clicked_ && h && Visible() && IsWindowVisible(h) && IsWindowEnabled(h) && ModalResult() == mrNone;
}

void TFSB_BOX::FormDeactivate(TObject*) {
    if (KeepsForeground()) PostMessageA(WindowHandle(), kBoxRegainForeground, 0, 0);
}

void TFSB_BOX::FB_OKSelectNext(TWinControl*&, TWinControl*&, WORD CharCode, bool&) {
    if (int result = BoxSelectNextResult(BoxButtonRole::Yes, CharCode)) SetModalResult(result);
}

void TFSB_BOX::FB_BREAK1SelectNext(TWinControl*&, TWinControl*&, WORD CharCode, bool&) {
    if (int result = BoxSelectNextResult(BoxButtonRole::No, CharCode)) SetModalResult(result);
}

void TFSB_BOX::FB_BREAK2SelectNext(TWinControl*&, TWinControl*&, WORD CharCode, bool&) {
    if (int result = BoxSelectNextResult(BoxButtonRole::Close, CharCode)) SetModalResult(result);
}

void TFSB_BOX::LinkClicked(TObject*) {
    link_clicked_ = true;
    SetModalResult(mrCancel);
}

TFSB_BOX* CreateMessageBox() {
    auto* box = Create<TFSB_BOX>(Application());
    box->SetColor(clWhite);
    PlaceFormOnMonitor(box, false);
    return box;
}

void PrepareInfoBox(TFSB_BOX* Box, const std::string& Text, const std::string& HelpText, const std::string& Caption) {
    Box->SetHelpText("");
    SetUpBox(Box, Box->Pmsg, Box->FBhelpS, Box->FB_BREAK2, Text, HelpText, Caption);
}

void PrepareQuestionBox(TFSB_BOX* Box, const std::string& Text, const std::string& HelpText,
                        const std::string& Caption) {
    SetUpBox(Box, Box->Pquestion, Box->FBhelpQ, Box->FB_OK, Text, HelpText, Caption);
}

void PrepareInputBox(TFSB_BOX* Box, const std::string& Text, const std::vector<std::string>& Items,
                     const std::string& Value, const std::string& HelpText, const std::string& Caption) {
    Box->CreateInputField();
    Box->FINPE->Items().Clear();
    for (const std::string& item : Items) Box->FINPE->Items().Add(item);
    Box->FINPE->SetText(Value);
    SetUpBox(Box, Box->Pinput, Box->FB_HELPI, Box->FINPE, Text, HelpText, Caption);
}

std::optional<std::string> ShowInput(const std::string& Text, const std::vector<std::string>& Items,
                                     const std::string& Value, const std::string& HelpText,
                                     const std::string& Caption) {
    BoxOwner owner{CreateMessageBox()};
    PrepareInputBox(owner.box, Text, Items, Value, HelpText, Caption);
    if (owner.box->ShowModal() != mrOk) return std::nullopt;
    return owner.box->FINPE->GetText();
}

void ShowInfo(const std::string& Text, const std::string& HelpText, const std::string& Caption) {
    BoxOwner owner{CreateMessageBox()};
    PrepareInfoBox(owner.box, Text, HelpText, Caption);
    owner.box->ShowModal();
}

bool ShowQuestion(const std::string& Text, const std::string& HelpText, const std::string& Caption) {
    BoxOwner owner{CreateMessageBox()};
    PrepareQuestionBox(owner.box, Text, HelpText, Caption);
    return owner.box->ShowModal() == mrOk;
}

bool BoxToForeground(HWND Wnd) { return ForceForegroundWindow(Wnd); }

void SetBoxShownHook(TBoxShownHook Hook) { ShownHook() = std::move(Hook); }
