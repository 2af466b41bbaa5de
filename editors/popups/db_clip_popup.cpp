#include "editors/popups/db_clip_popup.h"

#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/plain_geometry_win32.h"

namespace {

constexpr TColor kDisabledText = 0xD5D5D5;

}  // namespace

void TI_AssistButton::PaintBackground(TCanvas& canvas, const RECT& rect) {
    if (Enabled() && State() != ebsNormal) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clHighlight);
        canvas.FillRect(rect);
        return;
    }
    TI_EditButton::PaintBackground(canvas, rect);
}

void TI_AssistButton::PaintCaption(TCanvas& canvas, const RECT& r) {
    Font().SetColor(Enabled() && State() != ebsNormal ? clHighlightText : clWindowText);
    TI_EditButton::PaintCaption(canvas, r);
}

TDBClipPopup::TDBClipPopup(TWinControl* Grid, const IClipCellSource& Cells, const PopupFamily& family)
    : TI_ClipPopup(Grid, family) {
    const RECT cell = Cells.CellRect(0, 0);
    SetPopupPosition(pmInOwnerClient);
    SetColor(clBtnFace);
    SetBorderStyle(2);
    SetPopupRect(cell.left, cell.bottom, button_size_, 6);
    SetParentFont(false);
    Font().SetSize(8);
}

void TDBClipPopup::SetGotoItems(const std::vector<std::string>& Names, int LastIndex) {
    status_button_ = nullptr;
    Buttons().Clear();
    highest_row_ = highest_column_ = 0;
    for (const DBClipButtonPlan& b : PlanGotoButtons(Names, LastIndex))
        AddAssistButton(b.name, b.glyph, b.column, b.row, b.text);
}

TI_AssistButton* TDBClipPopup::AddAssistButton(const std::string& Name, const std::string& Glyph, int Column,
                                               int Row, const std::string& Text) {
    auto* b = static_cast<TI_AssistButton*>(Buttons().Add(
        [](TWinControl* owner, TI_EditButtons* c) -> TI_EditButton* { return Create<TI_AssistButton>(owner, c); }));
    b->SetName(Name);
    b->SetBounds(ToRECT(DBClipButtonBounds(Column, Row, button_size_, Margins().top)));
    b->SetColor(clBtnFace);
    b->SetGlyph(nullptr);
    if (!Glyph.empty()) {
        TBitmap glyph;
        try {
            glyph.LoadFromResourceName(GetModuleHandleA(nullptr), Family().Resource(Glyph.c_str()));
            b->SetGlyph(&glyph);
        } catch (...) {
            // A program without the picture shows the button without it.
        }
    }
    b->SetColor(0xFFFFFF);
    b->SetLayout(2);
    b->SetFont(Font());
    b->SetShowCaption(false);
    b->SetText(Text);
    b->OnHover = [this](TObject* sender, bool leaving) {
        ShowButtonText(static_cast<TI_EditButton*>(sender), leaving);
    };
    b->OnClick = [this](TObject* sender) { ButtonClick(static_cast<TI_EditButton*>(sender)); };
    if (Row > highest_row_) highest_row_ = Row;
    if (Column > highest_column_) highest_column_ = Column;
    const PlainPoint size =
        DBClipPopupSize(highest_column_, highest_row_, button_size_, Margins().top, status_height_);
    SetPopupSize(size.x, size.y);
    return b;
}

RECT TDBClipPopup::StatusRect() const {
    // Laid out in window coordinates, painted in client ones.
    RECT r = ToRECT(DBClipStatusRect(highest_row_, button_size_, Width()));
    OffsetRect(&r, -Margins().border, -Margins().border);
    return r;
}

void TDBClipPopup::ShowButtonText(TI_EditButton* Button, bool Clear) {
    status_button_ = Clear ? nullptr : Button;
    if (HandleAllocated()) InvalidateRect(StatusRect(), false);
}

void TDBClipPopup::ButtonClick(TI_EditButton* Button) {
    if (OnButtonClick && Button) OnButtonClick(this, Button->Name());
}

void TDBClipPopup::Paint() {
    TI_ClipPopup::Paint();
    // The status line in client coordinates (the frame is 2 wide).
    RECT r = StatusRect();
    TCanvas& c = Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(r);
    if (!status_button_) return;
    c.Font().Assign(&Font());
    c.Font().SetColor(status_button_->Enabled() ? Font().Color() : kDisabledText);
    c.Brush().SetStyle(bsClear);
    c.DrawText(status_button_->Text(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void TDBClipPopup::PaintBorder(HDC dc) {
    TI_ClipPopup::PaintBorder(dc);
    const int b = Margins().border;
    RECT status{b, Height() - b - status_height_, Width() - b, Height() - b};
    DrawEdge(dc, &status, BDR_SUNKENOUTER, BF_RECT);
}
