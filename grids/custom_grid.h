// T_CustomGrid: the two-line grid engine.
//
// A grid of columns and rows with fixed (title) rows and columns, per-column
// widths and per-row heights, a current position, in-place editing and owner
// drawing. Every row may carry a second line drawn below its first line
// across the columns LeftStartSecond..RightEndSecond; a position may be a cell
// or the second line of a row.
//
// The grid works without a window: a grid that is never shown never gets an
// HWND, and every invalidation, scroll and repaint is then a no-op. No data
// operation creates the window, and an in-place editor opens only on a
// visible window.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/custom_control.h"
#include "editors/tools/drop_arrows.h"
#include "framework/graphics.h"
#include "framework/image_list.h"
#include "grids/grid_geometry.h"
#include "grids/grid_helpers.h"

class IInplaceEditor;
class TI_InplaceSecondEdit;
class TI_InplaceChoiceEdit;
class TI_InplaceFloatEdit;
class TI_InplaceGridEdit;
class TI_InplaceComboEdit;

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goDrawFocusSelected = 1u << 4,
    goRowSizing = 1u << 5,
    goColSizing = 1u << 6,
    goRowMoving = 1u << 7,
    goColMoving = 1u << 8,
    goEditing = 1u << 9,
    goTabs = 1u << 10,
    goRowSelect = 1u << 11,
    goAlwaysShowEditor = 1u << 12,
    goThumbTracking = 1u << 13,
};
using TGridOptions = unsigned;
inline constexpr TGridOptions DefaultGridOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;

enum TGridDrawStateFlag : unsigned {
    gdSelected = 1u << 0,
    gdFocused = 1u << 1,
    gdFixed = 1u << 2,
};
using TGridDrawState = unsigned;

enum class TGridState { gsNormal, gsRowSizing, gsColSizing };
enum class TGridMoveKind { mkNone, mkRow, mkColumn };

// Grid limits.
inline constexpr int GridMaxRowHeight = 300;

using TAfterCellEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const std::string& FieldName, bool Equal)>;
using TAfterCellWriteEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& FieldName)>;
using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, const RECT& Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

class T_CustomGrid : public TCustomControl {
public:
    explicit T_CustomGrid(TComponent* AOwner);
    ~T_CustomGrid() override;

    // ---- counts, sizes and options ----
    int ColCount() const { return col_count_; }
    void SetColCount(int Value);
    int RowCount() const { return row_count_; }
    // (16) Below 2 becomes 2; FixedRows is lowered first when needed; then
    // the grid is resized and OnUserHeigth fires.
    virtual void SetRowCount(int Value);
    int FixedCols() const { return fixed_cols_; }
    void SetFixedCols(int Value);
    int FixedRows() const { return fixed_rows_; }
    void SetFixedRows(int Value);
    int DefaultColWidth() const { return default_col_width_; }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return default_row_height_; }
    void SetDefaultRowHeight(int Value);
    int GridLineWidth() const { return grid_line_width_; }
    void SetGridLineWidth(int Value);
    int ColWidths(int Index) const;
    // (10) Index outside 0..ColCount-1 raises the index message.
    virtual void SetColWidth(int Index, int Value);
    int RowHeights(int Index) const;
    // The row-height rule: Value clamped to DefaultRowHeight..300; ARow
    // outside 0..RowCount-1 raises the index message.
    void SetRowHeight(int ARow, int Value);
    // The row-height rule for every row from First to Last, with one repaint
    // and one row-heights-changed step (one OnUserHeigth, one scroll range)
    // when any height changed: linear in the rows. A row outside
    // 0..RowCount-1 raises the index message before any height changes.
    void SetRowHeights(int First, int Last, int Value);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions Value);
    TColor FixedColor() const { return fixed_color_; }
    void SetFixedColor(TColor Value);
    bool DefaultDrawing() const { return default_drawing_; }
    void SetDefaultDrawing(bool Value) { default_drawing_ = Value; }
    TBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TBorderStyle Value);
    const TExtents& ColWidthsArray() const { return col_widths_; }
    const TExtents& RowHeightsArray() const { return row_heights_; }

    // ---- positions ----
    int Col() const { return current_.X; }
    void SetCol(int Value);
    int Row() const { return current_.Y; }
    void SetRow(int Value);
    TGridCoord Current() const { return current_; }
    TGridCoord Anchor() const { return anchor_; }
    int LeftCol() const { return top_left_.X; }
    void SetLeftCol(int Value);
    int TopRow() const { return top_left_.Y; }
    void SetTopRow(int Value);
    TGridRect Selection() const;
    int VisibleColCount();
    int VisibleRowCount();

    // Moves the current position. ACol/ARow out of range raise the index
    // message; SelectCell may veto (nothing changes then).
    void MoveCurrent(bool Second, int ACol, int ARow, bool MoveAnchor, bool Show);

    // ---- geometry ----
    TGridDrawInfo CalcDrawInfo();
    // Empty when the cell is out of range or not shown.
    RECT CellRect(int ACol, int ARow);
    // The second-line area of a row (empty when the row is not shown or has
    // no room below its first line).
    RECT SecondLineRect(int ARow, bool WithScrollBar = false);
    TGridCoord MouseCoord(int X, int Y);

    // ---- invalidation (no-ops without a window or with drawing off) ----
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    void InvalidateGridRect(const TGridRect& Block);
    void InvalidatePosition(const TGridCoord& Position);
    void InvalidateGrid();
    // Drawing off suppresses invalidation and painting; never WM_SETREDRAW.
    bool DrawingEnabled() const { return drawing_enabled_; }
    void SetDrawing(bool Enabled);

    // ---- structure ----
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);

    // ---- the editor ----
    void ShowEditor();
    void HideEdit();
    // Writes the open editor's text back; the result tells whether the stored
    // text stayed the same (True also when there is nothing to write).
    bool UpdateText();
    bool EditorMode() const { return editor_mode_; }
    void SetEditorMode(bool Value);
    IInplaceEditor* InplaceEditor() const { return inplace_editor_; }
    int InplaceCol() const { return inplace_col_; }
    int InplaceRow() const { return inplace_row_; }
    bool InplaceSecond() const { return inplace_second_; }
    void SetInplaceSecond(bool Value) { inplace_second_ = Value; }
    TI_InplaceSecondEdit* InplaceSecondEdit() const { return second_edit_; }
    TI_InplaceChoiceEdit* InplaceChoiceEdit() const { return choice_edit_; }
    TI_InplaceFloatEdit* InplaceFloatEdit() const { return float_edit_; }
    TI_InplaceGridEdit* InplaceGridEdit() const { return grid_edit_; }
    TI_InplaceComboEdit* InplaceComboEdit() const { return combo_edit_; }

    // ---- the second line ----
    bool SecondLine() const { return second_line_; }
    void SetSecondLine(bool Value);
    bool UseSecondLine() const { return use_second_line_; }
    void SetUseSecondLine(bool Value) { use_second_line_ = Value; }
    TFont& SecondFont() { return *second_font_; }
    void SetSecondFont(const TFont* Value);
    bool SecondReadOnly() const { return second_read_only_; }
    void SetSecondReadOnly(bool Value) { second_read_only_ = Value; }
    int LeftStartSecond() const { return left_start_second_; }
    void SetLeftStartSecond(int Value) { left_start_second_ = Value; }
    int RightEndSecond() const { return right_end_second_; }
    void SetRightEndSecond(int Value) { right_end_second_ = Value; }
    bool SecondLineActive() const { return second_line_active_; }
    void SetSecondLineActive(bool Value) { second_line_active_ = Value; }
    int SecondLineCol() const { return second_line_col_; }
    void SetSecondLineCol(int Value) { second_line_col_ = Value; }

    // ---- flags ----
    // The core's updating flag (set by the owner's update bracket): while it
    // is set the before-set-cell and cell-written hooks stay silent.
    bool Updating() const { return updating_; }
    void SetUpdating(bool Value) { updating_ = Value; }
    // False until construction is complete; the owner may clear it a while.
    bool EventsEnabled() const { return events_enabled_; }
    void SetEventsEnabled(bool Value) { events_enabled_ = Value; }
    bool ReadOnly() const { return read_only_; }
    bool ColumnFitRunning() const { return column_fit_; }
    int MouseDownX() const { return mouse_down_x_; }
    TGridState GridState() const { return grid_state_; }
    TGridMoveKind MoveKind() const { return move_kind_; }
    bool CanModify() const { return can_modify_; }
    void SetCanModify(bool Value) { can_modify_ = Value; }
    bool SaveCellExtents() const { return save_cell_extents_; }
    void SetSaveCellExtents(bool Value) { save_cell_extents_ = Value; }

    // Fires OnUserHeigth when assigned and events are enabled.
    void FireUserHeight();

    // ---- streaming of "ColWidths" and "RowHeights" ----
    // Whether the list is stored: the save flag is set and the extents exist
    // and differ from Ancestor's (nullptr: no ancestor).
    bool ShouldStoreColWidths(const T_CustomGrid* Ancestor) const;
    bool ShouldStoreRowHeights(const T_CustomGrid* Ancestor) const;
    std::vector<int> WriteColWidths() const;   // one per column
    std::vector<int> WriteRowHeights() const;  // one per row
    // Applies each value through SetColWidth / SetRowHeight.
    void ReadColWidths(const std::vector<int>& Values);
    void ReadRowHeights(const std::vector<int>& Values);

    // ---- the virtual operations of the grid ----
    // (1) (2) draw a moved column / row into the drag picture; draw nothing.
    virtual void DrawColumnImage(TCanvas& Canvas, int ACol, int ARow, const RECT& Rect, unsigned Flags);
    virtual void DrawRowImage(TCanvas& Canvas, int ARow, const RECT& Rect, unsigned Flags);
    // (3) the number format of the current cell's editor; empty here.
    virtual void GetEditFormat(std::string& Result);
    // (4) may change a text before the string grid stores it; nothing here.
    virtual void BeforeSetCell(int ACol, int ARow, std::string& Value);
    // (5) True: hides the editor and removes column/row moving and sizing
    // from the options; False: adds row moving. The options field is changed
    // directly (no setter side effects).
    virtual void SetEditReadOnly(bool Value);
    // (6) chooses the editor for the current position; none here.
    virtual void ChooseEditor(bool& Second, IInplaceEditor*& Editor, bool& Found);
    // (7) fires OnAfterCellEdit.
    virtual void AfterCellEdit(int ACol, int ARow, const std::string& FieldName, bool Equal);
    // (8) fires OnAfterCellWrite unless destroying or updating.
    virtual void AfterCellWrite(int ACol, int ARow, const std::string& FieldName);
    // (9) the sizing hit test at a client point.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs);
    // (11) whether an editor may open: events enabled, no column fit, and a
    // window that exists and is visible.
    virtual bool CanEditShow();
    // (12) draws one cell; nothing here.
    virtual void DrawCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State);
    // (13) whether the position may become current; True here.
    virtual bool SelectCell(bool Second, int ACol, int ARow);
    // (14) (15) move the index to the last place, then lower the count.
    virtual void DeleteColumn(int ACol);
    virtual void DeleteRow(int ARow);

    // ---- events ----
    TNotifyEvent OnUserHeigth;
    TAfterCellEditEvent OnAfterCellEdit;
    TAfterCellWriteEvent OnAfterCellWrite;
    TNotifyEvent OnAfterCellInput;

    // ---- life cycle ----
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // ---- framework overrides ----
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    // A typed character opens the editor (goEditing) and is posted to it.
    void KeyPress(char& Key) override;
    // The press: sizing zones, the second line, row and column moves and
    // the current cell (see custom_grid_input.cpp).
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // ---- sizing and moving state ----
    int SizingIndex() const { return sizing_index_; }
    int SizingPos() const { return sizing_pos_; }
    int MoveIndex() const { return move_index_; }
    int MovePos() const { return move_pos_; }
    const TDropArrowInfo& DropInfo() const { return drop_info_; }
    bool DragImageDragging() const { return drag_image_.Dragging(); }
    // Fits the columns after Index to the client width (after a sizing).
    void ColumnFit(int Index);
    // The grid's minimum width: the columns up to FixedCols, less one pixel
    // per later shown column and -1 per later hidden one.
    int MinimumGridWidth() const;
    // Keeps the window's minimum width at MinimumGridWidth, widening a
    // window that is narrower.
    void ApplyMinimumWidth();

protected:
    // ---- dynamics of the grid model ----
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void TopLeftChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual bool CanEditAcceptKey(char Key);
    virtual bool CanGridAcceptKey(WORD Key, TShiftState Shift);
    virtual bool CanEditModify();
    virtual std::string GetEditMask(int ACol, int ARow);
    virtual int GetEditLimit();
    // The text an editor opens with, and the write-back of its text (the
    // result: the stored text stayed the same).
    virtual std::string GetEditText(bool Second, int ACol, int ARow);
    virtual bool SetEditText(bool Second, int ACol, int ARow, const std::string& Value);

    // Resizes the extents, clamps positions, recomputes the scroll range
    // and calls SizeChanged.
    void ChangeSize(int NewColCount, int NewRowCount);
    // Inserts (Amount > 0) or deletes (Amount < 0) rows or columns at Index.
    void AdjustSize(int Index, int Amount, bool Rows);
    void ScrollData(int DX, int DY);
    void UpdateScrollRange();
    void MoveTopLeft(int ALeft, int ATop);
    void ScrollIntoView(int ACol, int ARow);
    void InitializeFixedArea();
    void SetColumnFitRunning(bool Value) { column_fit_ = Value; }
    void SetMouseDownX(int Value) { mouse_down_x_ = Value; }
    void SetGridState(TGridState Value) { grid_state_ = Value; }
    void SetMoveKind(TGridMoveKind Value) { move_kind_ = Value; }
    void SetInplacePosition(int ACol, int ARow) { inplace_col_ = ACol, inplace_row_ = ARow; }
    // Options without the setter's side effects.
    void SetOptionsField(TGridOptions Value) { options_ = Value; }

    // Closes the editor (HideEdit) and forgets it: until an editor is chosen
    // again, HideEdit does nothing and reports no closing.
    void DropEditor();

    // Runs Apply with the repaint and the changed steps of SetColWidth and
    // SetRowHeight held back; afterwards the grid is repainted once and each
    // step that is due (column widths, row heights) runs once. Each step sets
    // the scroll range, which costs a redraw of the bars on a shown grid.
    void BatchSizeChanges(const std::function<void()>& Apply);

    // Loads the open editor's text from its cell again (no user input).
    void ReloadEditorText();

    // A change notification (EN_CHANGE or command 10017) of the open editor:
    // the text is written back, then OnAfterCellInput fires.
    virtual void EditorTextChanged();

    // Paints the visible cells on Canvas(): background, DrawCell per cell
    // with its state, grid lines by the options, then DrawSecondLine per row.
    void PaintGrid();
    // Draws a row's second-line area after its cells; nothing here.
    virtual void DrawSecondLine(int ARow, const RECT& Rect);
    void Paint() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DoEnter() override;
    void DoExit() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WMSize(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;

    void HandleScroll(bool Vertical, int Code);

    bool DoMouseWheelDown(TShiftState Shift, POINT MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, POINT MousePos) override;
    void WMCancelMode(TMessage& Message) override;
    void WMSetCursor(TMessage& Message) override;
    void CMChildKey(TMessage& Message) override;
    void CMWantSpecialKey(TMessage& Message) override;
    // Whether a key may reach the grid's navigation; True here.
    // (CanGridAcceptKey above.)

    // Starts a row or column move at the pressed cell.
    void BeginMove(TGridMoveKind Kind, int Index, int X, int Y);
    // Ends a move: with Drop the row (column) goes to the drop position.
    void EndMove(bool Drop);
    // Ends sizing: erases the line and returns to the normal state.
    void EndSizing();

private:
    TGridAxisParams HorzParams();
    TGridAxisParams VertParams();
    void ResizeExtentsForCounts();
    void EnsureRowHeights();
    void PlaceOpenEditor(bool Repaint);
    void LoadEditorText();
    void InvalidatePixelRect(const RECT& R, bool Erase);
    bool CanDraw() const { return drawing_enabled_ && HandleAllocated(); }
    // The in-place editor while it is open, else null.
    IInplaceEditor* OpenEditor() const { return editor_mode_ ? inplace_editor_ : nullptr; }
    bool IsOpenEditorWindow(HWND Window) const;

    int col_count_ = 5;
    int row_count_ = 5;
    int fixed_cols_ = 1;
    int fixed_rows_ = 1;
    int default_col_width_ = 64;
    int default_row_height_ = 24;
    int grid_line_width_ = 1;
    TExtents col_widths_;
    TExtents row_heights_;
    TGridOptions options_ = DefaultGridOptions;
    TColor fixed_color_;
    bool default_drawing_ = true;
    TBorderStyle border_style_ = bsSingle;

    TGridCoord current_{1, 1, false};
    TGridCoord anchor_{1, 1, false};
    TGridCoord top_left_{1, 1, false};

    bool editor_mode_ = false;
    IInplaceEditor* inplace_editor_ = nullptr;
    int inplace_col_ = -1;
    int inplace_row_ = -1;
    bool inplace_second_ = false;
    TI_InplaceSecondEdit* second_edit_ = nullptr;
    TI_InplaceChoiceEdit* choice_edit_ = nullptr;
    TI_InplaceFloatEdit* float_edit_ = nullptr;
    TI_InplaceGridEdit* grid_edit_ = nullptr;
    TI_InplaceComboEdit* combo_edit_ = nullptr;
    int loading_editor_text_ = 0;
    // The user changed the open editor's text (typed, picked, pasted).
    bool editor_changed_ = false;
    bool hiding_editor_ = false;
    HWND focus_target_ = nullptr;
    bool updating_scroll_range_ = false;
    // BatchSizeChanges: nesting depth, and the steps it holds back.
    int sizes_held_ = 0;
    bool col_widths_due_ = false;
    bool row_heights_due_ = false;
    void RunDueSizeChanges();

    bool second_line_ = false;
    bool use_second_line_ = false;
    std::unique_ptr<TFont> second_font_;
    bool second_read_only_ = false;
    int left_start_second_ = 0;
    int right_end_second_ = 0;
    bool second_line_active_ = false;
    int second_line_col_ = 0;

    bool updating_ = false;
    bool events_enabled_ = false;
    bool read_only_ = false;
    bool column_fit_ = false;
    int mouse_down_x_ = 0;
    TGridState grid_state_ = TGridState::gsNormal;
    TGridMoveKind move_kind_ = TGridMoveKind::mkNone;
    bool can_modify_ = true;
    bool save_cell_extents_ = true;
    bool drawing_enabled_ = true;

    int sizing_index_ = -1;
    int sizing_pos_ = 0;
    int sizing_ofs_ = 0;
    bool sizing_line_shown_ = false;
    int move_index_ = -1;
    int move_pos_ = -1;
    bool pressed_data_cell_ = false;
    TDropArrowInfo drop_info_;
    TDragImage drag_image_;

    void DrawSizingLine();
    void TrackMove(int X, int Y);
};
