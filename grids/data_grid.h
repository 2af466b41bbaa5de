// TDataGrid: the positions grid. A two-line string grid whose columns are
// described by a TDataGridColumns collection of TColumn items, with an update
// bracket for bulk filling, the field-name lookup and the positions text.
//
// The order import uses it as an in-memory table (Clear, LoadFromStream,
// FindColumnByFieldName, GetCell/SetCell inside BeginUpdate/EndUpdate,
// SaveToStream); none of that needs or creates a window.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/bitmap.h"
#include "framework/messages.h"
#include "framework/streams.h"
#include "grids/column.h"
#include "grids/data_grid_columns.h"
#include "grids/string_grid.h"

class IInplaceEditor;
class TI_InplaceComboEdit;
class TDataGrid;
struct TRowKindLook;

enum TDataGridOption : unsigned {
    dgoAppendRow = 1u << 0,
    dgoInsertRow = 1u << 1,
    dgoDeleteRow = 1u << 2,
};
using TDataGridOptions = unsigned;

// The data set handed to the external editor is a component of the data
// layer; the grid only keeps the pointer (and forgets it when it is freed).
using TEditorDataSet = TComponent;

using TBeforeComboEditorSettingsEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TI_InplaceComboEdit* Editor)>;
using TAppendRecordEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Text, TEditorDataSet* DataSet)>;
// The callback handed to the external editor: fires OnAppendRecord (Sender nil).
using TAppendRecord2 = std::function<void(int ACol, int ARow, const std::string& Text, TEditorDataSet* DataSet)>;
using TBeforeSetCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value, const std::string& FieldName)>;
using TChangeColumnsLayoutEvent = std::function<void(TObject* Sender, TDataGridColumns* Columns)>;
using TExternalDBGridEditorEvent =
    std::function<void(const std::string& Text, const std::string& FieldName, int ACol, int ARow, POINT P,
                       const TAppendRecord2& DOnAppendRecord, TEditorDataSet* EditorDataSet)>;
using TForceFormatThisCellEvent = std::function<void(int ACol, int ARow, bool& Force)>;
// Called after every message the grid handled.
using TDataGridMessageHook = std::function<void(TDataGrid* Grid, IInplaceEditor* Editor, TMessage& Message)>;
// May change the caption of a moved row's drag picture.
using TRowImageCaptionHook = std::function<void(TDataGrid* Grid, int ARow, std::string& Caption)>;

// The caption of a moved row: "Pos." + the "Pos." cell + a blank (only when
// that cell is not empty), then the "Bezeichnung1" cell, trimmed; Hook may
// change it; an empty caption becomes "Verschieben.."; four blanks go first.
std::string RowImageCaption(const std::string& PosCell, const std::string& Bezeichnung1Cell,
                            const std::function<void(std::string&)>& Hook = {});

// The DrawText format of a column title (and of a moved column's picture):
// word-wrapped, no prefix, ending in an ellipsis, aligned by Alignment.
UINT TitleTextFormat(TAlignment Alignment);
// DT_LEFT, DT_RIGHT or DT_CENTER for an alignment.
UINT TextAlignmentFormat(TAlignment Alignment);

// The 16 standard field names of the positions grid, in their order.
inline constexpr int StandardFieldNameCount = 16;
extern const char* const StandardFieldNames[StandardFieldNameCount];

// The plain OK dialog that reports a failed SaveToStream (MessageBoxA by
// default). Returns the previous function; nullptr puts the default back.
using TPlainMessageDialog = void (*)(const std::string& Text);
TPlainMessageDialog SetPlainMessageDialog(TPlainMessageDialog Dialog);

class TDataGrid : public T_StringGrid {
public:
    explicit TDataGrid(TComponent* AOwner);
    ~TDataGrid() override;

    // ---- properties ----
    TDataGridColumns& Columns() { return *columns_; }
    const TDataGridColumns& Columns() const { return *columns_; }
    // Copies the given collection into the grid's own.
    void SetColumns(const TDataGridColumns* Value);
    TDataGridOptions DataGridOptions() const { return data_grid_options_; }
    void SetDataGridOptions(TDataGridOptions Value) { data_grid_options_ = Value; }
    int RowCountMin() const { return row_count_min_; }
    // Negative values become 0; a value above RowCount raises RowCount to it.
    void SetRowCountMin(int Value);
    int SelectedIndex() const { return Col(); }
    void SetSelectedIndex(int Value) { SetCol(Value); }
    TEditorDataSet* EditorDataSet() const { return editor_data_set_; }
    void SetEditorDataSet(TEditorDataSet* Value);
    bool FullColumnsStreaming() const { return full_columns_streaming_; }
    void SetFullColumnsStreaming(bool Value) { full_columns_streaming_ = Value; }
    int MaxSecondHeight() const { return max_second_height_; }
    // Clamped to 50..100.
    void SetMaxSecondHeight(int Value);
    // Write-only font settings. AdjustGrid: "size factor" (the factor with
    // "." or ","); every column and title font takes the adjusted size, the
    // first column's font sets the default row height, MaxSecondHeight is
    // scaled. A malformed text is kept but changes nothing.
    void SetAdjustGrid(const std::string& Value);
    // Every column, title and second-line font takes the name; a stored
    // AdjustGrid text is applied again.
    void SetGlobalFontName(const std::string& Value);
    // The private hook asked before the external editor is called; False
    // vetoes the request.
    void SetPreEditorHook(std::function<bool(TDataGrid* Grid)> Hook) { pre_editor_hook_ = std::move(Hook); }

    // ---- the keyboard row operations (gated by DataGridOptions and the
    // editing switch by the keys; callable directly) ----
    void AppendRow();
    void InsertRow();
    void DeleteCurrentRow();
    // Whether the keyboard may edit a cell: its column is wider than 15 and
    // the row kind allows read-only columns or the column is not read-only.
    bool CellEditable(int ACol, int ARow);

    // The column item of a grid column, or nullptr.
    TColumn* ColumnOf(int ACol) const { return columns_ ? columns_->ItemOrNull(ACol) : nullptr; }
    // True while the grid adds or frees column items to match ColCount.
    bool ColumnsSyncing() const { return column_lock_ > 0; }
    bool CellHooksIdle() const override;
    // A column item at Index has left the collection: its cells go and the
    // columns behind it move up with theirs.
    void ColumnItemFreed(int Index);
    TDataGridBookMarkList& BookMarks() { return bookmarks_; }
    // The second-line data strings A and B of the last load.
    const std::string& SecondLineDataA() const { return l2_a_; }
    const std::string& SecondLineDataB() const { return l2_b_; }
    // The bitmap "CLIP_G" (empty when the executable has no such resource).
    TBitmap& ClipBitmap() { return *clip_bitmap_; }

    // ---- the update bracket ----
    // Locks the canvas once more, turns drawing off, hides the editor and
    // sets the update flag (hooks stay silent). Any number of calls.
    void BeginUpdate();
    // Ends every open BeginUpdate: with Relayout (1, 1) becomes current;
    // drawing on, canvas unlocked to 0, flag cleared, grid invalidated.
    void EndUpdate(bool Relayout);
    bool IsUpdating() const { return Updating(); }

    // Empties the data rows (cells, second lines, heights) and leaves one data
    // row with (1, 1) current. Returns True.
    bool Clear();
    // The first column whose field name equals Name after CP1252 upper-casing
    // of both; -1 when none.
    int FindColumnByFieldName(const std::string& Name) const;

    // ---- the positions text ----
    void WritePositionsText(TStream& Stream);
    // Returns the row after the last row read.
    int ReadPositionsText(TStream& Stream);
    // Neither raises: failures give False (Save also shows the plain dialog
    // "TDataGrid.SaveToStream " + message).
    bool SaveToStream(TStream& Stream, const std::string& A = std::string(), const std::string& B = std::string());
    bool LoadFromStream(TStream& Stream, const std::string& A = std::string(), const std::string& B = std::string());

    // ---- private hooks (not published) ----
    void SetMessageHook(TDataGridMessageHook Hook) { message_hook_ = std::move(Hook); }
    void SetRowImageCaptionHook(TRowImageCaptionHook Hook) { row_caption_hook_ = std::move(Hook); }
    // The caption DrawRowImage draws for ARow.
    std::string RowImageCaptionOf(int ARow);

    // ---- events ----
    TNotifyEvent OnAfterloading;
    TBeforeComboEditorSettingsEvent OnBeforeComboEditorSettings;
    TNotifyEvent BeforeDelete;
    TNotifyEvent BeforeInsert;
    TNotifyEvent AfterInsert;
    TAppendRecordEvent OnAppendRecord;
    TBeforeSetCellEvent OnBeforeSetcell;
    TChangeColumnsLayoutEvent OnChangeColumnsLayout;
    TExternalDBGridEditorEvent OnExternalDBGridEditor;
    TForceFormatThisCellEvent OnForceFormatThisCell;

    // The text a data cell shows. A number goes through the column's
    // DisplayMask when the cell is formatted: number columns are, and
    // OnForceFormatThisCell may decide otherwise per cell. Any other text
    // is shown as stored ("16 %" stays "16 %").
    std::string CellDisplayText(int ACol, int ARow);

    // ---- overrides of the grid ----
    void DrawColumnImage(TCanvas& Canvas, int ACol, int ARow, const RECT& Rect, unsigned Flags) override;
    void DrawRowImage(TCanvas& Canvas, int ARow, const RECT& Rect, unsigned Flags) override;
    void GetEditFormat(std::string& Result) override;
    void BeforeSetCell(int ACol, int ARow, std::string& Value) override;
    void AfterCellEdit(int ACol, int ARow, const std::string& FieldName, bool Equal) override;
    void AfterCellWrite(int ACol, int ARow, const std::string& FieldName) override;
    // The editor by the current column's Format, with its hint.
    void ChooseEditor(bool& Second, IInplaceEditor*& Editor, bool& Found) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    // The second line, with the row's underline across it.
    void DrawSecondLine(int ARow, const RECT& Rect) override;

protected:
    // A number column with an edit mask opens with its text reformatted,
    // only when the text is a number.
    std::string GetEditText(bool Second, int ACol, int ARow) override;
    void DrawCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State) override;
    void WMSetFocus(TMessage& Message) override;
    void TopLeftChanged() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    // Column synchronisation after the inherited size change.
    void SizeChanged(int OldColCount, int OldRowCount) override;
    // The column item moves with its cells (and so its field name).
    void ColumnMoved(int FromIndex, int ToIndex) override;
    std::string GetEditMask(int ACol, int ARow) override;
    // Called after RowCountMin changed; nothing here.
    virtual void RowCountMinChanged() {}

    // Row shifts (insert and delete of rows) silence the cell hooks.
    bool RowShiftInProgress() const { return row_shift_; }
    void SetRowShiftInProgress(bool Value) { row_shift_ = Value; }

private:
    void ExternalEditorRequest();
    void PostExternalEditorRequest();
    void ApplyAdjustGrid();
    void DrawRowKind(const RECT& Rect, const TRowKindLook& Look);
    // The row's coloured underline (character 3 of its kind) along Rect's bottom.
    void DrawRowUnderline(const TRowKindLook& Look, const RECT& Rect);
    void DrawTitle(int ACol, const RECT& Rect);
    void DrawDataCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State);
    void DrawDragPicture(TCanvas& Canvas, const RECT& Rect, const std::string& Caption, RECT TextRect, UINT Format);
    friend class TDataGridColumns;
    void SyncColumns();
    void MakeFirstCellCurrent();
    std::string FieldNameOf(int ACol) const;

    TDataGridColumns* columns_ = nullptr;
    TDataGridBookMarkList bookmarks_;
    TDataGridOptions data_grid_options_ = 0;
    int row_count_min_ = 0;
    TEditorDataSet* editor_data_set_ = nullptr;
    bool full_columns_streaming_ = false;
    int max_second_height_ = 100;
    std::string adjust_grid_;
    std::string global_font_name_;
    int column_lock_ = 0;
    bool row_shift_ = false;
    std::unique_ptr<TBitmap> clip_bitmap_;
    std::string l2_a_;
    std::string l2_b_;
    std::string external_text_;
    POINT external_point_{0, 0};
    TDataGridMessageHook message_hook_;
    TRowImageCaptionHook row_caption_hook_;
    std::function<bool(TDataGrid* Grid)> pre_editor_hook_;
};

// The private message of the external-editor request.
inline constexpr UINT WM_DATAGRID_EXTERNAL_EDITOR = 33258;
