// T_DrawGrid: the grid with its owner-draw and editing events.
#pragma once

#include "grids/custom_grid.h"

class T_DrawGrid : public T_CustomGrid {
public:
    explicit T_DrawGrid(TComponent* AOwner);

    TMovedEvent OnColumnMoved;
    TDrawCellEvent OnDrawCell;
    TGetEditEvent OnGetEditMask;
    TGetEditEvent OnGetEditText;
    TMovedEvent OnRowMoved;
    TSelectCellEvent OnSelectCell;
    TSetEditEvent OnSetEditText;
    TNotifyEvent OnTopLeftChanged;

    // Fires OnDrawCell.
    void DrawCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State) override;
    // Asks OnSelectCell.
    bool SelectCell(bool Second, int ACol, int ARow) override;

protected:
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void TopLeftChanged() override;
    std::string GetEditMask(int ACol, int ARow) override;
    std::string GetEditText(bool Second, int ACol, int ARow) override;
    bool SetEditText(bool Second, int ACol, int ARow, const std::string& Value) override;
};
