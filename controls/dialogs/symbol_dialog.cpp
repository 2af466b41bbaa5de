#include "controls/dialogs/symbol_dialog.h"

#include <algorithm>

#include "controls/dialogs/look_and_feel_hook.h"
#include "controls/dialogs/symbol_layout.h"
#include "controls/flat/flat_speed_button.h"
#include "foundation/user_mode.h"
#include "framework/canvas.h"
#include "framework/font.h"
#include "framework/screen.h"
#include "framework/std_controls.h"
#include "grids/string_grid.h"

namespace {

constexpr int kSmallestFontSize = 5;

TFlatSpeedButton* MakeButton(TSymbolDlg* Dlg, TPanel* Parent, const std::string& Caption, int Left) {
    auto* b = Create<TFlatSpeedButton>(Dlg);
    b->SetCaption(Caption);
    b->SetBounds(Left, 8, 75, 25);
    b->SetParent(Parent);
    return b;
}

}  // namespace

TSymbolDlg::TSymbolDlg(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Symbol einfügen");
    SetBorderStyle(bsDialog);
    SetClientSize(172, 83);
    Constraints().MinWidth = 180;
    Constraints().MinHeight = 100;
    Font().SetName("Tahoma");
    Font().SetHeight(-11);
    SetFormStyle(fsStayOnTop);
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    BuildComponents();
    OnCreate = [this](TObject*) { FormLookAndFeel(this, true); };
    OnShow = [this](TObject*) { LoadSymbols(); };
    OnKeyDown = [this](TObject*, WORD& Key, TShiftState) { FormKeyDown(Key); };
}

void TSymbolDlg::BuildComponents() {
    Panel2 = Create<TPanel>(this);
    Panel2->SetBounds(0, ClientHeight() - kSymbolPanelHeight, ClientWidth(), kSymbolPanelHeight);
    Panel2->SetAlign(alBottom);
    Panel2->SetParent(this);
    Panel3 = Create<TPanel>(this);
    Panel3->SetBounds(ClientWidth() - 168, 0, 168, kSymbolPanelHeight);
    Panel3->SetAlign(alRight);
    Panel3->SetParent(Panel2);
    FCancel = MakeButton(this, Panel3, "&Abbruch", 8);
    fok = MakeButton(this, Panel3, "&Fertig", 87);
    FCancel->OnClick = [this](TObject*) { SetModalResult(mrCancel); };
    fok->OnClick = [this](TObject*) { ChooseCurrent(); };

    Grid = Create<T_StringGrid>(this);
    Grid->SetAlign(alClient);
    Grid->SetBorderStyle(bsNone);
    Grid->SetFixedCols(0);
    Grid->SetFixedRows(0);
    Grid->SetDefaultColWidth(25);
    Grid->SetDefaultRowHeight(25);
    Grid->Font().SetName("Verdana");
    Grid->Font().SetHeight(-19);
    Grid->Font().SetStyle(fsBold);
    Grid->SetDefaultDrawing(false);
    Grid->SetOptions(goVertLine | goHorzLine | goDrawFocusSelected | goAlwaysShowEditor);
    Grid->OnDrawCell = [this](TObject*, int c, int r, const RECT& rect, TGridDrawState s) { GridDrawCell(c, r, rect, s); };
    Grid->OnDblClick = [this](TObject*) { ChooseCurrent(); };
    // The grid moves its current cell on a press only while it edits; the
    // dialog's grid never edits, so a press selects here.
    Grid->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
        const TGridCoord cell = Grid->MouseCoord(X, Y);
        if (Button != mbLeft || cell.X < 0 || cell.Y < 0) return;
        Grid->SetCol(cell.X);
        Grid->SetRow(cell.Y);
    };
    Grid->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) { GridKeyDown(Key); };
    Grid->SetParent(this);
    SetActiveControl(Grid);
}

void TSymbolDlg::LoadSymbols() {
    const int cell = ClampSymbolCellSize(ReadUserModeInteger(kSymbolCellKey, kSymbolCellDefault, "", true));
    std::string chars;
    ReadUserModeString(kSymbolCharsKey, DefaultSymbolChars(), "", chars, true);
    const TSymbolLayout layout = LayoutSymbols(LimitSymbolChars(chars));
    Grid->SetDefaultColWidth(cell);
    Grid->SetDefaultRowHeight(cell);
    Grid->SetColCount(layout.Cols);
    Grid->SetRowCount(layout.Rows);
    for (int r = 0; r < Grid->RowCount(); ++r)
        for (int c = 0; c < Grid->ColCount(); ++c) Grid->SetCell(c, r, "");
    for (size_t i = 0; i < layout.Cells.size(); ++i) {
        const int n = static_cast<int>(i);
        Grid->SetCell(n % layout.Cols, n / layout.Cols, layout.Cells[i]);
    }
    // The whole dialog stays on the work area; the grid scrolls the rest.
    const RECT work = Screen()->WorkAreaRect();
    const TSymbolWindowSize size = SymbolWindowSize(cell, Grid->GridLineWidth(), layout.Cols, layout.Rows,
                                                    kSymbolPanelHeight, work.right - work.left,
                                                    work.bottom - work.top);
    const int left = std::max<int>(work.left, std::min<int>(Left(), work.right - size.Width));
    const int top = std::max<int>(work.top, std::min<int>(Top(), work.bottom - size.Height));
    SetBounds(left, top, size.Width, size.Height);
}

void TSymbolDlg::ChooseCurrent() {
    // An empty cell inserts nothing, but choosing still closes the dialog.
    const std::string text = Grid->Cells(Grid->Col(), Grid->Row());
    if (!text.empty() && InsertProc) InsertProc(text);
    SetModalResult(mrOk);
}

void TSymbolDlg::GridDrawCell(int ACol, int ARow, const RECT& Rect, unsigned State) {
    TCanvas& canvas = Grid->Canvas();
    const bool selected = State & gdSelected;
    canvas.Brush().SetColor(selected ? TColor(kSymbolSelectedColor) : clWhite);
    canvas.FillRect(Rect);
    canvas.Font().Assign(&Grid->Font());
    canvas.Font().SetColor(selected ? clWhite : clBlack);
    const std::string text = Grid->Cells(ACol, ARow);
    const int width = Rect.right - Rect.left;
    while (canvas.Font().Size() > kSmallestFontSize && canvas.TextWidth(text) > width)
        canvas.Font().SetSize(canvas.Font().Size() - 1);
    canvas.Brush().SetStyle(bsClear);
    const SIZE extent = canvas.TextExtent(text);
    canvas.TextRect(Rect, Rect.left + (width - extent.cx) / 2, Rect.top + (Rect.bottom - Rect.top - extent.cy) / 2,
                    text);
    canvas.Brush().SetStyle(bsSolid);
    if (State & gdFocused) canvas.DrawFocusRect(Rect);
}

void TSymbolDlg::FormKeyDown(WORD& Key) {
    if (Key == VK_F3) {
        Key = 0;
        ChooseCurrent();
    } else if (Key == VK_ESCAPE) {
        Key = 0;
        SetModalResult(mrCancel);
    }
}

void TSymbolDlg::GridKeyDown(WORD& Key) {
    if (Key != VK_RETURN) return;
    Key = 0;
    ChooseCurrent();
}
