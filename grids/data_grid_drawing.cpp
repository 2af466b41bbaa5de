// TDataGrid: cell drawing. The row-kind column, the word-wrapped titles and
// the data cells in their column's font and colour.
#include <algorithm>

#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/sysutils.h"
#include "grids/data_grid.h"
#include "grids/draw_grid.h"
#include "grids/row_kind.h"

namespace {

// Background of a marked ("h" or "j") row-kind cell.
constexpr TColor RowKindFillColor = clYellow;
// Height of a row's coloured underline.
constexpr int UnderlineHeight = 2;

}  // namespace

void TDataGrid::DrawCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State) {
    if (DefaultDrawing()) {
        if (ARow < FixedRows()) {
            DrawTitle(ACol, Rect);
        } else {
            // The row kind is read once per cell, for its symbol and its underline.
            const TRowKindLook look = RowKindLookOf(GetCell(0, ARow));
            if (ACol < FixedCols())
                DrawRowKind(Rect, look);
            else
                DrawDataCell(ACol, ARow, Rect, State);
            // Character 3 of the row kind underlines the whole row.
            DrawRowUnderline(look, Rect);
        }
    }
    T_DrawGrid::DrawCell(ACol, ARow, Rect, State);
}

void TDataGrid::DrawRowUnderline(const TRowKindLook& Look, const RECT& Rect) {
    if (Look.Underline == TRowUnderline::None) return;
    TCanvas& c = Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Look.Underline == TRowUnderline::Red ? clRed : clGreen);
    c.FillRect(RECT{Rect.left, std::max(Rect.top, Rect.bottom - UnderlineHeight), Rect.right, Rect.bottom});
}

void TDataGrid::DrawSecondLine(int ARow, const RECT& Rect) {
    T_StringGrid::DrawSecondLine(ARow, Rect);
    if (DefaultDrawing())
        DrawRowUnderline(RowKindLookOf(GetCell(0, ARow)), RECT{Rect.left + 1, Rect.top, Rect.right - 1, Rect.bottom});
}

std::string TDataGrid::CellDisplayText(int ACol, int ARow) {
    std::string text = GetCell(ACol, ARow);
    const TColumn* column = ColumnOf(ACol);
    if (text.empty() || !column || ARow < FixedRows() || ACol < FixedCols()) return text;
    bool force = column->Format() == cfNumber;
    if (OnForceFormatThisCell) OnForceFormatThisCell(ACol, ARow, force);
    double value = 0;
    if (!force || column->DisplayMask().empty() || !TryStrToFloat(Trim(text), value)) return text;
    return FormatFloat(column->DisplayMask(), value);
}

void TDataGrid::DrawTitle(int ACol, const RECT& Rect) {
    const TColumn* column = ColumnOf(ACol);
    if (!column) return;
    const std::string caption = column->Title().Caption();
    if (caption.empty()) return;
    TCanvas& c = Canvas();
    c.Font().Assign(&column->Title().Font());
    c.Brush().SetStyle(bsClear);
    RECT text{Rect.left + 2, Rect.top + 1, Rect.right - 2, Rect.bottom - 1};
    c.DrawText(caption, text, TitleTextFormat(column->Title().Alignment()));
    c.Brush().SetStyle(bsSolid);
}

void TDataGrid::DrawRowKind(const RECT& Rect, const TRowKindLook& Look) {
    TCanvas& c = Canvas();
    if (Look.Fill) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(RowKindFillColor);
        c.FillRect(Rect);
    }
    // The symbol sits in the row's first line.
    const RECT line{Rect.left, Rect.top, Rect.right, std::min<LONG>(Rect.bottom, Rect.top + DefaultRowHeight())};
    if (Look.Symbol == TRowKindSymbol::Letter) {
        c.Font().SetName("Tahoma");
        c.Font().SetSize(Look.Larger ? 12 : 8);
        c.Font().SetColor(clBlack);
        c.Font().SetStyle(0);
        c.Brush().SetStyle(bsClear);
        RECT text = line;
        c.DrawText(std::string(1, Look.Letter), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        c.Brush().SetStyle(bsSolid);
    } else if (Look.Symbol == TRowKindSymbol::Triangle) {
        const int cx = (line.left + line.right) / 2, cy = (line.top + line.bottom) / 2;
        const POINT points[3] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clBlack);
        c.Pen().SetColor(clBlack);
        c.Polygon(points, 3);
    }
}

void TDataGrid::DrawDataCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State) {
    const TColumn* column = ColumnOf(ACol);
    TCanvas& c = Canvas();
    const bool highlighted = (State & gdSelected) && (!(State & gdFocused) || (Options() & goDrawFocusSelected));
    if (column && !highlighted) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(column->Color());
        c.FillRect(Rect);
    }
    if (column) c.Font().Assign(&column->Font());
    if (highlighted) c.Font().SetColor(clHighlightText);
    const std::string text = CellDisplayText(ACol, ARow);
    if (text.empty()) return;
    c.Brush().SetStyle(bsClear);
    RECT line{Rect.left + 2, Rect.top, Rect.right - 2, std::min<LONG>(Rect.bottom, Rect.top + DefaultRowHeight())};
    const UINT align = TextAlignmentFormat(column ? column->Alignment() : taLeftJustify);
    c.DrawText(text, line, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | align);
    c.Brush().SetStyle(bsSolid);
}
