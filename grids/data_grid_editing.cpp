// TDataGrid: the editor by column format, the external-editor request, the
// keyboard row operations, focus, AdjustGrid and the global font name.
#include <algorithm>
#include <cmath>

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/screen.h"
#include "framework/scoped_state.h"
#include "framework/sysutils.h"
#include "grids/data_grid.h"
#include "grids/inplace_editor.h"
#include "grids/row_kind.h"

namespace {

// Columns this narrow are not edited from the keyboard.
constexpr int NarrowColumnWidth = 15;

void SetEditorReadOnly(TWinControl& Editor, bool ReadOnly) {
    if (auto* edit = dynamic_cast<TCustomEdit*>(&Editor)) {
        edit->SetReadOnly(ReadOnly);
    } else if (Editor.HandleAllocated()) {
        SendMessageA(Editor.WindowHandle(), EM_SETREADONLY, ReadOnly ? TRUE : FALSE, 0);
    }
}

void SetEditorAlignment(TWinControl& Editor, TAlignment Alignment) {
    if (auto* edit = dynamic_cast<TI_CustomEdit*>(&Editor)) edit->SetAlignment(Alignment);
}

}  // namespace

// ------------------------------------------------------------------ the editor

void TDataGrid::ChooseEditor(bool& Second, IInplaceEditor*& Editor, bool& Found) {
    T_StringGrid::ChooseEditor(Second, Editor, Found);
    if (IsBeingFreed()) return;
    TColumn* column = ColumnOf(Col());
    if (!column) return;
    // Every road that opens an editor (keys, typing, the mouse, the wheel)
    // comes here: a cell the keyboard may not edit (a hidden or narrow
    // column, a read-only one on an ordinary row) gets none.
    if (!Second && !CellEditable(Col(), Row())) return;
    if (Second) {
        TI_InplaceSecondEdit* second = InplaceSecondEdit();
        second->SetColor(clWhite);
        second->SetHint(SecondReadOnly() ? "F8, F2 bearbeiten" : "F8, F2/F4 bearbeiten");
        SetEditorReadOnly(*second, SecondReadOnly() || ReadOnly());
        Editor = second;
        Found = true;
        return;
    }
    TWinControl* control = nullptr;
    switch (column->Format()) {
        case cfNumber: {
            TI_InplaceFloatEdit* number = InplaceFloatEdit();
            // Kind first: it resets the precision the column then gives.
            TFloatDataType_& type = number->DataType();
            type.SetKind(column->NumericKind());
            type.SetPrecision(column->NumericPrecision());
            type.SetDigits(column->NumericDigits());
            number->SetButtonExist(column->ButtonExists());
            number->SetHint("Numerische Daten");
            SetEditorAlignment(*number, column->Alignment());
            Editor = number;
            control = number;
            break;
        }
        case cfdblocate: {
            TI_InplaceGridEdit* lookup = InplaceGridEdit();
            lookup->SetButtonChoiceStyle(btsEllipsis);
            lookup->SetButtonExist(true);
            lookup->SetHint("F2 F3");
            lookup->OnButtonClick = [this](TObject*) { PostExternalEditorRequest(); };
            SetEditorAlignment(*lookup, column->Alignment());
            Editor = lookup;
            control = lookup;
            break;
        }
        case cfcombo: {
            TI_InplaceComboEdit* combo = InplaceComboEdit();
            combo->Items().Assign(&column->PickList());
            combo->SetDropDownCount(std::min(25, combo->Items().Count() + 1));
            combo->SetButtonExist(column->ButtonExists());
            combo->SetHint(column->ButtonExists() ? "F2 F4" : "F2");
            SetEditorAlignment(*combo, column->Alignment());
            if (OnBeforeComboEditorSettings) OnBeforeComboEditorSettings(this, Col(), Row(), combo);
            Editor = combo;
            control = combo;
            break;
        }
        default: {  // cfString, cfDate, cfcheck
            TI_InplaceChoiceEdit* plain = InplaceChoiceEdit();
            plain->SetButtonExist(false);
            plain->SetHint("Beliebige Daten");
            SetEditorAlignment(*plain, column->Alignment());
            Editor = plain;
            control = plain;
            break;
        }
    }
    control->Font().Assign(&column->Font());
    SetEditorReadOnly(*control, column->ReadOnly() || ReadOnly());
    Found = true;
}

std::string TDataGrid::GetEditText(bool Second, int ACol, int ARow) {
    std::string text = T_StringGrid::GetEditText(Second, ACol, ARow);
    const TColumn* column = Second ? nullptr : ColumnOf(ACol);
    // Only a number column reformats, and only a text that is a number:
    // "16 %" or a serial number opens as it is.
    if (!column || column->Format() != cfNumber || column->NumericKind() == deInteger || column->EditMask().empty())
        return text;
    double value = 0;
    if (!TryStrToFloat(Trim(text), value)) return text;
    return FormatFloat(column->EditMask(), value);
}

// ------------------------------------------------------------------ external editor

void TDataGrid::PostExternalEditorRequest() {
    IInplaceEditor* editor = InplaceEditor();
    external_text_ = editor ? editor->EditorText() : std::string();
    const RECT cell = CellRect(Col(), Row());
    external_point_ = ClientToScreen(POINT{cell.left, cell.bottom});
    if (HandleAllocated()) PostMessageA(WindowHandle(), WM_DATAGRID_EXTERNAL_EDITOR, 0, 0);
}

void TDataGrid::ExternalEditorRequest() {
    if (pre_editor_hook_ && !pre_editor_hook_(this)) return;
    if (!OnExternalDBGridEditor) return;
    const TColumn* column = ColumnOf(Col());
    const TAppendRecord2 append = [this](int ACol, int ARow, const std::string& Text, TEditorDataSet* DataSet) {
        if (OnAppendRecord) OnAppendRecord(nullptr, ACol, ARow, Text, DataSet);
    };
    OnExternalDBGridEditor(external_text_, column ? column->FieldName() : std::string(), Col(), Row(),
                           external_point_, append, EditorDataSet());
}

// ------------------------------------------------------------------ keys and rows

bool TDataGrid::CellEditable(int ACol, int ARow) {
    const TColumn* column = ColumnOf(ACol);
    if (!column || ColWidths(ACol) <= NarrowColumnWidth) return false;
    return RowKindEditsReadOnlyColumns(GetCell(0, ARow)) || !column->ReadOnly();
}

void TDataGrid::KeyDown(WORD& Key, TShiftState Shift) {
    if (!ReadOnly() && Key != 0) {
        const bool ctrl = (Shift & ssCtrl) != 0;
        const bool lastRow = Row() == RowCount() - 1;
        const TDataGridOptions o = data_grid_options_;
        if (!ctrl && (o & dgoAppendRow) && lastRow &&
            (Key == VK_DOWN || (Key == VK_RETURN && Col() == ColCount() - 1))) {
            Key = 0;
            AppendRow();
            return;
        }
        if (ctrl && Key == VK_INSERT && (o & dgoInsertRow)) {
            Key = 0;
            InsertRow();
            return;
        }
        if (ctrl && Key == VK_DELETE && (o & dgoDeleteRow)) {
            Key = 0;
            DeleteCurrentRow();
            return;
        }
    }
    if (Key == VK_F2 && !CellEditable(Col(), Row()) && !Current().Second) {
        Key = 0;
        return;
    }
    T_StringGrid::KeyDown(Key, Shift);
}

void TDataGrid::KeyPress(char& Key) {
    // A typed character opens no editor on a cell the keyboard may not edit.
    if (!EditorMode() && static_cast<unsigned char>(Key) >= 32 && !CellEditable(Col(), Row())) return;
    T_StringGrid::KeyPress(Key);
}

void TDataGrid::AppendRow() {
    if (BeforeInsert) BeforeInsert(this);
    SetRowCount(RowCount() + 1);
    MoveCurrent(false, Col(), RowCount() - 1, true, true);
    if (AfterInsert) AfterInsert(this);
}

void TDataGrid::InsertRow() {
    if (BeforeInsert) BeforeInsert(this);
    const int at = Row();
    {
        ScopedValue<bool> shifting(row_shift_, true);
        SetRowCount(RowCount() + 1);
        HideEdit();
        BeginUpdate();
        // The new last row comes up to the current place; the rows from
        // there move down with their cells, second lines and heights.
        MoveRow(RowCount() - 1, at);
        ClearRowContents(at);
        SetRowHeight(at, DefaultRowHeight());
        EndUpdate(false);
        MoveCurrent(false, Col(), at, true, true);
        if (AfterInsert) AfterInsert(this);
    }
}

void TDataGrid::DeleteCurrentRow() {
    if (BeforeDelete) BeforeDelete(this);
    const int at = Row();
    const int dataRows = RowCount() - FixedRows();
    HideEdit();
    if (dataRows > 1 && (row_count_min_ == 0 || row_count_min_ < RowCount())) {
        ScopedValue<bool> shifting(row_shift_, true);
        // The row goes to the end and falls off there, emptied.
        DeleteRow(at);
    } else {
        ScopedValue<bool> shifting(row_shift_, true);
        ClearRowContents(at);
        SetRowHeight(at, DefaultRowHeight());
    }
    const int row = std::min(at, RowCount() - 1);
    MoveCurrent(false, Col(), row, true, true);
    AfterCellWrite(Col(), row, FieldNameOf(Col()));
}

// ------------------------------------------------------------------ focus

void TDataGrid::WMSetFocus(TMessage& Message) {
    T_StringGrid::WMSetFocus(Message);
    if (IsBeingFreed() || ColWidths(Col()) != -1) return;
    for (int c = 1; c < ColCount(); ++c) {
        if (ColWidths(c) == -1) continue;
        MoveCurrent(false, c, Row(), true, true);
        break;
    }
}

void TDataGrid::TopLeftChanged() {
    T_StringGrid::TopLeftChanged();
    InvalidateGrid();
}

// ------------------------------------------------------------------ fonts

void TDataGrid::SetAdjustGrid(const std::string& Value) {
    adjust_grid_ = Value;
    ApplyAdjustGrid();
}

void TDataGrid::SetGlobalFontName(const std::string& Value) {
    if (Value == global_font_name_) return;
    global_font_name_ = Value;
    for (int c = 0; c < columns_->Count(); ++c) {
        TColumn* column = columns_->Items(c);
        column->Font().SetName(Value);
        column->Title().Font().SetName(Value);
    }
    SecondFont().SetName(Value);
    ApplyAdjustGrid();
}

void TDataGrid::ApplyAdjustGrid() {
    int size = 0;
    double factor = 0;
    if (!ParseAdjustGrid(adjust_grid_, size, factor)) return;
    const int ppi = Screen()->PixelsPerInch();
    const TAdjustedSizes sizes = AdjustedFontSizes(size, factor, ppi);
    // A row raised to two lines must still hold both: the default row height
    // stays within half the row-height limit, and the fonts are made smaller
    // until their rows fit it.
    const int maxDefaultHeight = GridMaxRowHeight / 2;
    TBitmap measure;
    measure.SetSize(1, 1);
    auto textHeightIn = [&](const TFont& Font) {
        return [&measure, font = &Font](int FontSize) {
            measure.Canvas().Font().Assign(font);
            measure.Canvas().Font().SetSize(FontSize);
            return measure.Canvas().TextHeight("Wg");
        };
    };
    int columnSize = sizes.Final;
    if (columns_->Count() > 0)
        columnSize = FittingFontSize(sizes.Final, maxDefaultHeight, textHeightIn(columns_->Items(0)->Font()));
    for (int c = 0; c < columns_->Count(); ++c) {
        TColumn* column = columns_->Items(c);
        column->Title().Font().SetSize(columnSize);
        column->Font().SetSize(columnSize);
        if (c == 0) SetDefaultRowHeight(AdjustedRowHeight(textHeightIn(column->Font())(columnSize)));
    }
    SecondFont().SetSize(FittingFontSize(sizes.Scaled, maxDefaultHeight, textHeightIn(SecondFont())));
    SetMaxSecondHeight(AdjustedMaxSecondHeight(MaxSecondHeight(), factor, ppi));
}
