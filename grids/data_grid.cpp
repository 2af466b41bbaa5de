// TDataGrid: construction, properties, the update bracket, Clear, the
// field-name lookup, column synchronisation and the overridden hooks.
#include "grids/data_grid.h"

#include <typeinfo>

#include "framework/ansi_text.h"
#include "framework/exceptions.h"
#include "framework/menus.h"
#include "framework/scoped_state.h"
#include "framework/sysutils.h"
#include "grids/inplace_editor.h"

const char* const StandardFieldNames[StandardFieldNameCount] = {
    "SecondLineCol", "Stueck",       "Einheit",      "Bezeichnung1", "Bezeichnung2", "BestellNummer",
    "Seriennummer",  "Artikelnummer", "Einzelbetrag", "Steuer",       "SummeBetrag",  "intern",
    "ID_Artikel",    "benutzer",     "Pos.",         "Rabatt",
};

namespace {

// The off-screen bitmap of the drag pictures, shared by every positions grid:
// made on first use, freed with the last grid.
struct SharedDragBitmap {
    TBitmap* bitmap = nullptr;
    int users = 0;
};
SharedDragBitmap g_drag_bitmap;

void AcquireDragBitmap() { ++g_drag_bitmap.users; }

void ReleaseDragBitmap() {
    if (--g_drag_bitmap.users > 0) return;
    delete g_drag_bitmap.bitmap;
    g_drag_bitmap.bitmap = nullptr;
    g_drag_bitmap.users = 0;
}

TBitmap& DragBitmap() {
    if (!g_drag_bitmap.bitmap) g_drag_bitmap.bitmap = new TBitmap();
    return *g_drag_bitmap.bitmap;
}

}  // namespace

UINT TextAlignmentFormat(TAlignment Alignment) {
    return Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
}

UINT TitleTextFormat(TAlignment Alignment) {
    return DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS | TextAlignmentFormat(Alignment);
}

std::string RowImageCaption(const std::string& PosCell, const std::string& Bezeichnung1Cell,
                            const std::function<void(std::string&)>& Hook) {
    std::string caption;
    if (!PosCell.empty()) caption = "Pos." + PosCell + " ";
    caption = Trim(caption + Bezeichnung1Cell);
    if (Hook) Hook(caption);
    if (caption.empty()) caption = "Verschieben..";
    return "    " + caption;
}

// ------------------------------------------------------------------ life cycle

TDataGrid::TDataGrid(TComponent* AOwner) : T_StringGrid(AOwner), clip_bitmap_(std::make_unique<TBitmap>()) {
    SetDefaultRowHeight(17);
    max_second_height_ = 100;
    try {
        clip_bitmap_->LoadFromResourceName(GetModuleHandleA(nullptr), "CLIP_G");
    } catch (const Exception&) {
        // An executable without the picture still gets a working grid.
    }
    SetUpdating(false);
    SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing | goEditing);
    columns_ = new TDataGridColumns(this);
    HideEdit();
    AcquireDragBitmap();
    SyncColumns();
}

TDataGrid::~TDataGrid() {
    ReleaseDragBitmap();
    clip_bitmap_.reset();
    if (columns_) {
        // Under the lock: the items must not resize the grid on their way out.
        ScopedCounter lock(column_lock_);
        TDataGridColumns* columns = columns_;
        columns_ = nullptr;
        columns->Free();
    }
    bookmarks_.Clear();
}

void TDataGrid::Loaded() {
    T_StringGrid::Loaded();
    if (OnAfterloading) OnAfterloading(this);
}

void TDataGrid::Notification(TComponent* AComponent, TOperation Operation) {
    T_StringGrid::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove || !AComponent) return;
    if (AComponent == editor_data_set_) editor_data_set_ = nullptr;
    if (!columns_) return;
    for (int i = 0; i < columns_->Count(); ++i) {
        TColumn* column = columns_->Items(i);
        if (static_cast<TComponent*>(column->PopupMenu()) == AComponent) column->SetPopupMenu(nullptr);
    }
}

void TDataGrid::WndProc(TMessage& Message) {
    if (Message.Msg == WM_DATAGRID_EXTERNAL_EDITOR) {
        Message.Result = 0;
        ExternalEditorRequest();
    } else {
        T_StringGrid::WndProc(Message);
    }
    if (message_hook_) message_hook_(this, InplaceEditor(), Message);
}

// ------------------------------------------------------------------ properties

void TDataGrid::SetColumns(const TDataGridColumns* Value) {
    if (Value && Value != columns_) columns_->Assign(Value);
}

void TDataGrid::SetRowCountMin(int Value) {
    if (Value < 0) Value = 0;
    row_count_min_ = Value;
    if (Value > RowCount()) SetRowCount(Value);
    RowCountMinChanged();
}

void TDataGrid::SetEditorDataSet(TEditorDataSet* Value) {
    if (Value == editor_data_set_) return;
    if (editor_data_set_) editor_data_set_->RemoveFreeNotification(this);
    editor_data_set_ = Value;
    if (editor_data_set_) editor_data_set_->FreeNotification(this);
}

void TDataGrid::SetMaxSecondHeight(int Value) {
    if (Value < 50) Value = 50;
    if (Value > 100) Value = 100;
    max_second_height_ = Value;
}

// ------------------------------------------------------------------ columns

void TDataGrid::SizeChanged(int OldColCount, int OldRowCount) {
    T_StringGrid::SizeChanged(OldColCount, OldRowCount);
    SyncColumns();
}

void TDataGrid::SyncColumns() {
    if (!columns_ || IsLoading() || column_lock_ > 0) return;
    ScopedCounter lock(column_lock_);
    while (columns_->Count() > ColCount()) columns_->Items(columns_->Count() - 1)->Free();
    while (columns_->Count() < ColCount()) columns_->Add();
}

void TDataGrid::ColumnMoved(int FromIndex, int ToIndex) {
    TColumn* column = ColumnOf(FromIndex);
    if (column && column_lock_ == 0 && ToIndex >= 0 && ToIndex < columns_->Count()) {
        ScopedCounter lock(column_lock_);
        column->SetIndex(ToIndex);
    }
    T_StringGrid::ColumnMoved(FromIndex, ToIndex);
}

bool TDataGrid::CellHooksIdle() const {
    return typeid(*this) == typeid(TDataGrid) && !OnBeforeSetcell && !OnAfterCellWrite;
}

void TDataGrid::ColumnItemFreed(int Index) {
    ScopedCounter lock(column_lock_);
    if (Index >= 0 && Index < ColCount())
        DeleteColumn(Index);
    else
        SetColCount(ColCount() - 1);
}

std::string TDataGrid::FieldNameOf(int ACol) const {
    const TColumn* column = ColumnOf(ACol);
    return column ? column->FieldName() : std::string();
}

int TDataGrid::FindColumnByFieldName(const std::string& Name) const {
    if (!columns_) return -1;
    for (int i = 0; i < columns_->Count(); ++i)
        if (AnsiSameText(columns_->Items(i)->FieldName(), Name)) return i;
    return -1;
}

// ------------------------------------------------------------------ update bracket

void TDataGrid::BeginUpdate() {
    Canvas().Lock();
    SetDrawing(false);
    HideEdit();
    SetUpdating(true);
}

void TDataGrid::EndUpdate(bool Relayout) {
    if (!Updating()) return;
    if (Relayout) MakeFirstCellCurrent();
    SetDrawing(true);
    while (Canvas().LockCount() > 0) Canvas().Unlock();
    SetUpdating(false);
    InvalidateGrid();
}

void TDataGrid::MakeFirstCellCurrent() { MoveCurrent(false, 1, 1, true, false); }

bool TDataGrid::Clear() {
    BeginUpdate();
    // The bracket closes even when a step below raises.
    struct EndBracket {
        TDataGrid& grid;
        ~EndBracket() {
            grid.SetDrawing(true);
            grid.EndUpdate(false);
        }
    } end{*this};
    bookmarks_.Clear();
    MakeFirstCellCurrent();
    SetDrawing(false);
    HideEdit();
    // Every stored row goes, also those at or past RowCount, so that raising
    // the count again brings back nothing of an earlier order.
    const int last = RowCount() - 1;
    ClearRowsFrom(FixedRows());
    SetRowHeights(FixedRows(), last, DefaultRowHeight());
    SetRowCount(FixedRows() + 1);
    MakeFirstCellCurrent();
    return true;
}

// ------------------------------------------------------------------ hooks

void TDataGrid::GetEditFormat(std::string& Result) {
    const TColumn* column = ColumnOf(Col());
    Result = column ? column->EditMask() : std::string();
}

std::string TDataGrid::GetEditMask(int ACol, int ARow) {
    const TColumn* column = ColumnOf(ACol);
    std::string value = column ? column->EditMask() : std::string();
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, value);
    return value;
}

void TDataGrid::BeforeSetCell(int ACol, int ARow, std::string& Value) {
    if (row_shift_ || !OnBeforeSetcell) return;
    const TColumn* column = ColumnOf(ACol);
    if (!column || column->NumericKind() == deInteger) return;
    OnBeforeSetcell(this, ACol, ARow, Value, column->FieldName());
}

void TDataGrid::AfterCellEdit(int ACol, int ARow, const std::string& FieldName, bool Equal) {
    (void)FieldName;
    if (ACol < 1 || Updating()) return;
    T_StringGrid::AfterCellEdit(ACol, ARow, FieldNameOf(ACol), Equal);
}

void TDataGrid::AfterCellWrite(int ACol, int ARow, const std::string& FieldName) {
    (void)FieldName;
    // Without a handler nothing would fire: skip the name lookup (a load
    // writes every cell outside the update bracket).
    if (ACol < 1 || Updating() || row_shift_ || !OnAfterCellWrite) return;
    try {
        T_StringGrid::AfterCellWrite(ACol, ARow, FieldNameOf(ACol));
    } catch (...) {
        // A failing handler must not break the write that already happened.
    }
}

// ------------------------------------------------------------------ drag pictures

// The drag picture of a moved row or column: the caption on the fixed colour,
// drawn in the shared bitmap and copied to Rect of Canvas.
void TDataGrid::DrawDragPicture(TCanvas& Canvas, const RECT& Rect, const std::string& Caption, RECT TextRect,
                                UINT Format) {
    const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    TBitmap& picture = DragBitmap();
    picture.SetSize(w, h);
    TCanvas& c = picture.Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(FixedColor());
    c.FillRect(RECT{0, 0, w, h});
    c.Font().Assign(&Font());
    c.Brush().SetStyle(bsClear);
    c.DrawText(Caption, TextRect, Format);
    Canvas.CopyRect(Rect, c, RECT{0, 0, w, h});
}

void TDataGrid::DrawColumnImage(TCanvas& Canvas, int ACol, int ARow, const RECT& Rect, unsigned Flags) {
    (void)ARow, (void)Flags;
    const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    if (w <= 0 || h <= 0) return;
    const TColumn* column = ColumnOf(ACol);
    const std::string caption = column ? column->Title().Caption() : std::string();
    const TAlignment alignment = column ? column->Title().Alignment() : taLeftJustify;
    RECT text{2, 2, w - 2, h - 2};
    DrawDragPicture(Canvas, Rect, caption, text, TitleTextFormat(alignment));
}

std::string TDataGrid::RowImageCaptionOf(int ARow) {
    const std::string pos = GetCell(FindColumnByFieldName("Pos."), ARow);
    const std::string name = GetCell(FindColumnByFieldName("Bezeichnung1"), ARow);
    if (!row_caption_hook_) return RowImageCaption(pos, name);
    return RowImageCaption(pos, name, [&](std::string& caption) { row_caption_hook_(this, ARow, caption); });
}

void TDataGrid::DrawRowImage(TCanvas& Canvas, int ARow, const RECT& Rect, unsigned Flags) {
    (void)Flags;
    const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    if (w <= 0 || h <= 0) return;
    const std::string caption = RowImageCaptionOf(ARow);
    RECT text{0, 0, w, h};
    DrawDragPicture(Canvas, Rect, caption, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
}
