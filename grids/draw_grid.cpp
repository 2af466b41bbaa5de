#include "grids/draw_grid.h"

T_DrawGrid::T_DrawGrid(TComponent* AOwner) : T_CustomGrid(AOwner) {}

void T_DrawGrid::DrawCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, Rect, State);
}

bool T_DrawGrid::SelectCell(bool Second, int ACol, int ARow) {
    (void)Second;
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

void T_DrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
    T_CustomGrid::ColumnMoved(FromIndex, ToIndex);
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void T_DrawGrid::RowMoved(int FromIndex, int ToIndex) {
    T_CustomGrid::RowMoved(FromIndex, ToIndex);
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void T_DrawGrid::TopLeftChanged() {
    T_CustomGrid::TopLeftChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

std::string T_DrawGrid::GetEditMask(int ACol, int ARow) {
    std::string mask;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, mask);
    return mask;
}

std::string T_DrawGrid::GetEditText(bool Second, int ACol, int ARow) {
    (void)Second;
    std::string text;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, text);
    return text;
}

bool T_DrawGrid::SetEditText(bool Second, int ACol, int ARow, const std::string& Value) {
    (void)Second;
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
    return true;
}
