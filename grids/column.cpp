#include "grids/column.h"

#include "framework/menus.h"
#include "framework/scoped_state.h"
#include "framework/sysutils.h"
#include "grids/data_grid.h"
#include "grids/data_grid_columns.h"

// ------------------------------------------------------------------ TColumnTitle

TColumnTitle::TColumnTitle(TColumn* Column) : column_(Column), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TObject*) { FontChanged(); };
}

TColumnTitle::~TColumnTitle() { font_->OnChange = nullptr; }

TPersistent* TColumnTitle::GetOwner() const { return column_; }

TAlignment TColumnTitle::Alignment() const {
    return (column_->assigned_ & cvTitleAlignment) ? alignment_ : DefaultAlignment();
}

void TColumnTitle::SetAlignment(TAlignment Value) {
    if ((column_->assigned_ & cvTitleAlignment) && Value == alignment_) return;
    alignment_ = Value;
    column_->assigned_ |= cvTitleAlignment;
    column_->Changed(false);
}

std::string TColumnTitle::Caption() const {
    return (column_->assigned_ & cvTitleCaption) ? caption_ : DefaultCaption();
}

void TColumnTitle::SetCaption(const std::string& Value) {
    if ((column_->assigned_ & cvTitleCaption) && Value == caption_) return;
    caption_ = Value;
    column_->assigned_ |= cvTitleCaption;
    column_->Changed(false);
}

TFont& TColumnTitle::DefaultFont() const {
    if (TDataGrid* grid = column_->Grid()) return grid->Font();
    return column_->Font();
}

void TColumnTitle::RefreshDefaultFont() const {
    if (column_->assigned_ & cvTitleFont) return;
    TFont& def = DefaultFont();
    if (&def == font_.get() || font_->Equals(def)) return;
    ScopedValue<bool> scope(refreshing_font_, true);  // a font refresh is no user change
    font_->Assign(&def);
}

TFont& TColumnTitle::Font() const {
    RefreshDefaultFont();
    return *font_;
}

void TColumnTitle::SetFont(const TFont* Value) {
    if (Value) font_->Assign(Value);
}

void TColumnTitle::FontChanged() {
    if (refreshing_font_) return;
    column_->assigned_ |= cvTitleFont;
    column_->Changed(false);
}

void TColumnTitle::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TColumnTitle*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    const TColumnValues marks = src->column_->assigned_;
    if (marks & cvTitleAlignment) SetAlignment(src->Alignment());
    if (marks & cvTitleCaption) SetCaption(src->Caption());
    if (marks & cvTitleFont) SetFont(&src->Font());
}

void TColumnTitle::RestoreDefaults() {
    const TColumnValues mine = cvTitleCaption | cvTitleAlignment | cvTitleFont;
    const bool changed = (column_->assigned_ & mine) != 0;
    column_->assigned_ &= static_cast<TColumnValues>(~mine);
    caption_.clear();
    alignment_ = taLeftJustify;
    RefreshDefaultFont();
    if (changed) column_->Changed(false);
}

// ----------------------------------------------------------------------- TColumn

TColumn::TColumn(TCollection* Collection)
    : TCollectionItem(Collection), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TObject*) { FontChanged(); };
    title_ = CreateTitle();
    auto* columns = dynamic_cast<TDataGridColumns*>(Collection);
    if (!columns) return;
    const int count = columns->Count();
    // The first column of an empty grid is "TColumn-1"; stored texts rely on it.
    field_name_ = GetDisplayName() + "-" + IntToStr(count);
    internal_col_ = count - 1;
    TDataGrid* grid = columns->Grid();
    if (grid && !grid->ColumnsSyncing()) grid->SetColCount(count);
    RefreshDefaultFont();
}

TColumn::~TColumn() {
    font_->OnChange = nullptr;
    title_.reset();
}

void TColumn::BeforeDestruction() {
    TDataGrid* grid = Grid();
    const int index = Index();
    TCollectionItem::BeforeDestruction();
    if (grid && !grid->ColumnsSyncing() && !grid->IsDestroying()) grid->ColumnItemFreed(index);
}

void TColumn::SetIndex(int Value) {
    TDataGrid* grid = Grid();
    const int from = Index();
    if (grid && !grid->ColumnsSyncing() && from != Value && from >= 0 && from < grid->ColCount() && Value >= 0 &&
        Value < grid->ColCount()) {
        grid->MoveColumn(from, Value);  // moves this item too
        return;
    }
    TCollectionItem::SetIndex(Value);
}

std::unique_ptr<TColumnTitle> TColumn::CreateTitle() { return std::make_unique<TColumnTitle>(this); }

bool TColumn::InDataGridColumns() const { return dynamic_cast<TDataGridColumns*>(Collection()) != nullptr; }

TDataGrid* TColumn::Grid() const {
    auto* columns = dynamic_cast<TDataGridColumns*>(Collection());
    return columns ? columns->Grid() : nullptr;
}

void TColumn::SetEditMask(const std::string& Value) {
    if (Value == edit_mask_) return;
    edit_mask_ = Value;
    Changed(false);
}

void TColumn::SetMaxLength(int Value) {
    if (Value == max_length_) return;
    max_length_ = Value;
    Changed(false);
}

void TColumn::SetLimitToList(bool Value) {
    if (Value == limit_to_list_) return;
    limit_to_list_ = Value;
    Changed(false);
}

TAlignment TColumn::Alignment() const { return (assigned_ & cvAlignment) ? alignment_ : DefaultAlignment(); }

void TColumn::SetAlignment(TAlignment Value) {
    if ((assigned_ & cvAlignment) && Value == alignment_) return;
    alignment_ = Value;
    assigned_ |= cvAlignment;
    Changed(false);
}

void TColumn::SetButtonStyle(TColumnButtonStyle Value) {
    if (Value == button_style_) return;
    button_style_ = Value;
    Changed(false);
}

void TColumn::SetFormat(TColumnFormat Value) {
    if (Value == format_) return;
    format_ = Value;
    // A mask written for the old format does not fit the new one.
    display_mask_.clear();
    Changed(false);
}

TColor TColumn::DefaultColor() const {
    if (TDataGrid* grid = Grid()) return grid->Color();
    return clWindow;
}

TColor TColumn::Color() const { return (assigned_ & cvColor) ? color_ : DefaultColor(); }

void TColumn::SetColor(TColor Value) {
    if ((assigned_ & cvColor) && Value == color_) return;
    color_ = Value;
    assigned_ |= cvColor;
    Changed(false);
}

void TColumn::SetDropDownRows(unsigned Value) {
    if (Value == drop_down_rows_) return;
    drop_down_rows_ = Value;
    Changed(false);
}

TFont& TColumn::DefaultFont() const {
    if (TDataGrid* grid = Grid()) return grid->Font();
    return *font_;
}

void TColumn::RefreshDefaultFont() const {
    if (assigned_ & cvFont) return;
    TFont& def = DefaultFont();
    if (&def == font_.get() || font_->Equals(def)) return;
    ScopedValue<bool> scope(refreshing_font_, true);  // a font refresh is no user change
    font_->Assign(&def);
}

TFont& TColumn::Font() const {
    RefreshDefaultFont();
    return *font_;
}

void TColumn::SetFont(const TFont* Value) {
    if (!Value) return;
    font_->Assign(Value);
    // Assigning an equal font fires no change but still makes it the column's own.
    if (!(assigned_ & cvFont)) FontChanged();
}

void TColumn::FontChanged() {
    if (refreshing_font_) return;
    assigned_ |= cvFont;
    Changed(false);
}

TStrings& TColumn::PickList() {
    if (!pick_list_) pick_list_ = std::make_unique<TStringList>();
    return *pick_list_;
}

void TColumn::SetPickList(const TStrings* Value) {
    if (!Value) {
        pick_list_.reset();
        return;
    }
    if (Value == pick_list_.get()) return;
    PickList().Assign(Value);
}

void TColumn::SetPopupMenu(TPopupMenu* Value) {
    if (Value == popup_menu_) return;
    TDataGrid* grid = Grid();
    if (popup_menu_ && grid) popup_menu_->RemoveFreeNotification(grid);
    popup_menu_ = Value;
    if (popup_menu_ && grid) popup_menu_->FreeNotification(grid);
}

bool TColumn::DefaultReadOnly() const {
    if (TDataGrid* grid = Grid()) return (grid->Options() & goEditing) == 0;
    return true;
}

bool TColumn::ReadOnly() const { return (assigned_ & cvReadOnly) ? read_only_ : DefaultReadOnly(); }

void TColumn::SetReadOnly(bool Value) {
    if ((assigned_ & cvReadOnly) && Value == read_only_) return;
    read_only_ = Value;
    assigned_ |= cvReadOnly;
    Changed(false);
}

void TColumn::SetTitle(const TColumnTitle* Value) { title_->Assign(Value); }

void TColumn::SetDisplayMask(const std::string& Value) {
    if (Value == display_mask_) return;
    display_mask_ = Value;
    Changed(false);
}

int TColumn::Width() const {
    TDataGrid* grid = Grid();
    if (!grid || grid->ColumnsSyncing()) return width_;
    const int index = Index();
    if (index >= grid->ColCount()) return 10;
    return grid->ColWidths(index);
}

void TColumn::SetWidth(int Value) {
    // -1 hides the column (width plus the line gives 0 pixels); anything
    // more negative would give overlapping cells.
    if (Value < 0)
        Value = -1;
    else if (Value < 10)
        Value = 10;
    const int old = Width();
    width_ = Value;
    TDataGrid* grid = Grid();
    if (grid && !grid->ColumnsSyncing()) {
        const int index = Index();
        if (index >= 0 && index < grid->ColCount()) grid->SetColWidth(index, Value);
    }
    if (old != Value) Changed(false);
}

void TColumn::SetFieldName(const std::string& Value) {
    std::string name = Value;
    if (InDataGridColumns() && Trim(Value).empty()) name = "TColumn-" + IntToStr(internal_col_);
    if (name == field_name_) return;
    field_name_ = name;
    Changed(false);
}

void TColumn::SetCheckField(bool Value) {
    if (Value == check_field_) return;
    check_field_ = Value;
    Changed(false);
}

void TColumn::SetNumericDigits(int Value) {
    if (Value == numeric_digits_) return;
    numeric_digits_ = Value;
    Changed(false);
}

void TColumn::SetNumericKind(TEditDataType_ Value) {
    if (Value == numeric_kind_) return;
    numeric_kind_ = Value;
    Changed(false);
}

void TColumn::SetNumericPrecision(int Value) {
    if (Value == numeric_precision_) return;
    numeric_precision_ = Value;
    Changed(false);
}

void TColumn::SetButtonExists(bool Value) {
    if (Value == button_exists_) return;
    button_exists_ = Value;
    Changed(false);
}

void TColumn::SetIntern(bool Value) {
    if (Value == intern_) return;
    intern_ = Value;
    Changed(false);
}

void TColumn::SetStreaming(bool Value) {
    if (Value == streaming_) return;
    streaming_ = Value;
    Changed(false);
}

std::string TColumn::GetDisplayName() const {
    std::string name = Trim(field_name_);
    if (name.empty()) return TCollectionItem::GetDisplayName();
    return name;
}

void TColumn::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TColumn*>(Source);
    if (!src) {
        TCollectionItem::Assign(Source);
        return;
    }
    auto assign = [&] {
        if (src->assigned_ & cvColor) SetColor(src->Color());
        if (src->assigned_ & cvFont) SetFont(&src->Font());
        if (src->assigned_ & cvAlignment) SetAlignment(src->Alignment());
        if (src->assigned_ & cvReadOnly) SetReadOnly(src->ReadOnly());
        title_->Assign(src->title_.get());
        SetDropDownRows(src->DropDownRows());
        SetButtonStyle(src->ButtonStyle());
        SetPickList(src->pick_list_.get());
        SetPopupMenu(src->PopupMenu());
        SetWidth(src->Width());
        SetFieldName(src->FieldName());
        SetEditMask(src->EditMask());
        SetMaxLength(src->MaxLength());
        // Format before DisplayMask: a format change empties the mask.
        SetFormat(src->Format());
        SetDisplayMask(src->DisplayMask());
        SetNumericKind(src->NumericKind());
    };
    // Inside the collection's update bracket, when there is one.
    if (TCollection* collection = Collection())
        WithUpdate(*collection, assign);
    else
        assign();
}

void TColumn::RestoreDefaults() {
    title_->RestoreDefaults();
    assigned_ = 0;
    RefreshDefaultFont();
    pick_list_.reset();
    button_style_ = cbsAuto;
    SetWidth(20);
    check_field_ = false;
    limit_to_list_ = false;
    streaming_ = false;
    SetFieldName(std::string());
    Changed(false);
}
