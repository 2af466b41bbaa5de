// T_StringGrid: the two-line grid with a text and an object per cell, kept
// sparsely, and a second line per row kept in a TLongTextObject2 stored as
// the object of the row's column 0 (the storage is T_GridRows).
//
// GetCell / SetCell take column -1 for "no column" and -2 for the row's
// second line. Neither checks the indices against ColCount and RowCount.
// Second-line objects belong to the grid and are never shared by two cells.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grids/draw_grid.h"
#include "grids/grid_rows.h"
#include "grids/long_text_object.h"
#include "grids/sparse_list.h"

class T_StringSparseList;
class T_StringGridStrings;

// The long-text request of a row: Text comes in as the row's second line;
// what the handler leaves in it becomes the row's second line.
using TLongTextRequestEvent = std::function<void(TObject* Sender, int ARow, std::string& Text)>;

class T_StringGrid : public T_DrawGrid {
public:
    explicit T_StringGrid(TComponent* AOwner);
    ~T_StringGrid() override;

    // The cell text; "" for column -1, the second line's text for -2 (one
    // final CR LF removed), "" for a row never written (nothing is created).
    std::string GetCell(int ACol, int ARow) const;
    // (17) Writes a cell (hooks: BeforeSetCell, store, AfterCellWrite; both
    // silent while Updating()) or the second line (-2); -1 does nothing.
    virtual void SetCell(int ACol, int ARow, const std::string& Value);
    std::string Cells(int ACol, int ARow) const { return GetCell(ACol, ARow); }
    // GetCell without a copy: the text as a view valid until the grid
    // changes. Scratch holds it when it has to be built (the second line
    // after its line list was made).
    std::string_view CellText(int ACol, int ARow, std::string& Scratch) const;
    void SetCells(int ACol, int ARow, const std::string& Value) { SetCell(ACol, ARow, Value); }
    // CellText of Count cells of one row (a column below 0 gives an empty
    // text), looked up together.
    void RowTextViews(int ARow, const int* Cols, size_t Count, std::string_view* Texts) const;
    // Stores cell texts (columns 0 or above) as SetCell does, one after the
    // other. While CellHooksIdle() they go in directly, a row without cells
    // getting a cell list of just the room they need; otherwise each goes
    // through SetCell and its hooks.
    void StoreRowTexts(int ARow, const std::pair<int, std::string_view>* Cells, size_t Count);
    // True when writing a cell would run no hook that does anything: the
    // grid is of exactly its class and has no cell handler.
    virtual bool CellHooksIdle() const;

    // Whether a cell of the row was ever stored (reading creates nothing).
    bool HasRowData(int ARow) const { return RowList(ARow) != nullptr; }

    TObject* Objects(int ACol, int ARow) const;
    // Stores the object. A second-line object goes only into column 0 of one
    // row of its own grid (never shared by two cells); anything else raises
    // EInvalidCast.
    void SetObjects(int ACol, int ARow, TObject* AObject);

    // Row and column views, created on demand and owned by the grid.
    T_StringGridStrings& Rows(int ARow);
    T_StringGridStrings& Cols(int ACol);

    // The grid's own update state (distinct from the core's Updating flag and
    // from the canvas lock): while on, changed cells are only recorded; turning
    // it off repaints once when something changed.
    bool StringsUpdating() const { return strings_updating_; }
    bool NeedsRepaint() const { return needs_repaint_; }
    void SetStringsUpdateState(bool Updating);
    // Greater than 0 while the editor's text is being written into a cell.
    int EditUpdateCount() const { return edit_update_; }

    // The second-line objects the grid created (and owns).
    int SecondLineObjectCount() const { return rows_.SecondLineCount(); }
    TLongTextObject2* SecondLineObject(int Index) const { return rows_.SecondLineAt(Index); }
    TCustomL2DataClass SecondLineDataClass() const { return l2_data_class_; }
    void SetSecondLineDataClass(TCustomL2DataClass Value) { l2_data_class_ = Value; }
    // The row's second-line object, or nullptr.
    TLongTextObject2* SecondLineOf(int ARow) const;

    // Empties a row: every stored cell's second-line object is released and
    // freed, then each cell's object becomes none and its text empty (hooks
    // fire as for SetCell).
    void ClearRowContents(int ARow);
    // The same for every row of a column, from the last to the first.
    void ClearColContents(int ACol);
    // ClearRowContents for every stored row from FirstRow on, those at or
    // past RowCount included.
    void ClearRowsFrom(int FirstRow);
    // Moves the whole stored row (texts, objects, second line) from FromRow to
    // ToRow; ToRow's old contents are released first and FromRow is left
    // without data. No hooks fire; the rows are repainted.
    void MoveRowContents(int FromRow, int ToRow);

    // Releases (data release, then free) a second-line object the grid owns
    // and takes it out of the list; the caller has detached it from its cell.
    void FreeSecondLineObject(TLongTextObject2* Object);

    // F2 and F4 in the open second-line editor: the row takes the height
    // that shows its whole second line (SecondLineFitHeight, through the
    // row-height rule) and the editor moves onto the new second-line area;
    // F4 then sends the long-text request when the editor is not read-only.
    void SecondLineEditorKey(WORD Key);
    // The height of row ARow with its second-line text (the open second-line
    // editor's, else the stored one) wrapped in SecondFont across the
    // second-line area: two lines at least, before the row-height rule.
    int SecondLineFitHeight(int ARow);
    // Asks OnLongTextRequest for row ARow's long text (once; nothing without
    // a handler) and writes the answer into the second line when it differs.
    void LongTextRequest(int ARow);
    TLongTextRequestEvent OnLongTextRequest;

    // Overrides of the grid.
    void DrawCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State) override;
    void DeleteColumn(int ACol) override;
    void DeleteRow(int ARow) override;
    void BeforeDestruction() override;

protected:
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    std::string GetEditText(bool Second, int ACol, int ARow) override;
    bool SetEditText(bool Second, int ACol, int ARow, const std::string& Value) override;
    // Draws the second-line text in SecondFont when UseSecondLine is on.
    void DrawSecondLine(int ARow, const RECT& Rect) override;

private:
    friend class T_StringGridStrings;
    T_StringSparseList* RowList(int ARow) const;
    T_StringSparseList* EnsureRowList(int ARow);
    T_StringGridStrings* EnsureView(T_SparseList& Views, int Index, int ViewIndex);
    void CellChanged(int ACol, int ARow);
    void RefreshEditorAt(int ACol, int ARow);
    void FreeAllData();

    T_GridRows rows_;
    // Views are made when Rows / Cols first asks for one, not per written
    // cell: a view holds nothing but its grid and index, so a view made later
    // is the same view, and a load of many rows does not pay one per row.
    std::unique_ptr<T_SparseList> row_views_;  // row -> T_StringGridStrings*
    std::unique_ptr<T_SparseList> col_views_;  // column -> T_StringGridStrings*
    TCustomL2DataClass l2_data_class_ = nullptr;
    std::string set_cell_buffer_;  // SetCell's copy for the hook
    bool set_cell_buffer_busy_ = false;
    bool strings_updating_ = false;
    bool needs_repaint_ = false;
    int edit_update_ = 0;
};
