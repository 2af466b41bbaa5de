// T_CustomGrid: the in-place editor life cycle and the cell hooks.
#include "grids/custom_grid.h"

#include "framework/scoped_state.h"
#include "grids/inplace_editor.h"

bool T_CustomGrid::CanEditShow() {
    if (!events_enabled_ || column_fit_ || IsDesigning()) return false;
    // A grid that is never shown (an in-memory table) never edits.
    return HandleAllocated() && IsWindowVisible(WindowHandle());
}

void T_CustomGrid::ChooseEditor(bool& Second, IInplaceEditor*& Editor, bool& Found) {
    (void)Second;
    Editor = nullptr;
    Found = false;
}

void T_CustomGrid::GetEditFormat(std::string& Result) { Result.clear(); }

void T_CustomGrid::BeforeSetCell(int ACol, int ARow, std::string& Value) { (void)ACol, (void)ARow, (void)Value; }

void T_CustomGrid::AfterCellEdit(int ACol, int ARow, const std::string& FieldName, bool Equal) {
    if (OnAfterCellEdit) OnAfterCellEdit(this, ACol, ARow, FieldName, Equal);
}

void T_CustomGrid::AfterCellWrite(int ACol, int ARow, const std::string& FieldName) {
    if (IsDestroying() || updating_) return;
    if (OnAfterCellWrite) OnAfterCellWrite(this, ACol, ARow, FieldName);
}

std::string T_CustomGrid::GetEditText(bool Second, int ACol, int ARow) {
    (void)Second, (void)ACol, (void)ARow;
    return {};
}

bool T_CustomGrid::SetEditText(bool Second, int ACol, int ARow, const std::string& Value) {
    (void)Second, (void)ACol, (void)ARow, (void)Value;
    return true;
}

void T_CustomGrid::SetEditorMode(bool Value) {
    if (Value)
        ShowEditor();
    else
        HideEdit();
}

bool T_CustomGrid::IsOpenEditorWindow(HWND Window) const {
    IInplaceEditor* editor = OpenEditor();
    if (!editor) return false;
    TWinControl& c = editor->EditorControl();
    return c.HandleAllocated() && c.WindowHandle() == Window;
}

void T_CustomGrid::LoadEditorText() {
    // The grid's own load is no user input: its change notification is ignored.
    ScopedCounter loading(loading_editor_text_);
    inplace_editor_->SetEditorText(GetEditText(inplace_second_, inplace_col_, inplace_row_));
}

void T_CustomGrid::ReloadEditorText() {
    if (!OpenEditor()) return;
    LoadEditorText();
    editor_changed_ = false;
}

void T_CustomGrid::PlaceOpenEditor(bool Repaint) {
    if (!inplace_editor_ || inplace_col_ < 0 || inplace_row_ < 0) return;
    const RECT cell = CellRect(inplace_col_, inplace_row_);
    // An editor whose place went out of sight (the row shrank below its
    // second line, the column was hidden or scrolled away) is closed, not
    // left open and hidden.
    if (editor_mode_ && !HasInplaceEditorRoom(this, inplace_second_, inplace_row_, cell)) {
        HideEdit();
        return;
    }
    PlaceInplaceEditor(inplace_editor_, this, inplace_second_, inplace_row_, Repaint, cell);
}

void T_CustomGrid::ShowEditor() {
    if (hiding_editor_) return;
    if (!CanEditShow()) return;
    if (editor_mode_) HideEdit();
    bool second = second_line_active_;
    IInplaceEditor* editor = nullptr;
    bool found = false;
    ChooseEditor(second, editor, found);
    if (!editor) return;
    // A position that is not shown (a hidden column, a row without room for
    // its second line) opens nothing: typing never reaches what is not seen.
    if (!HasInplaceEditorRoom(this, second, current_.Y, CellRect(current_.X, current_.Y))) return;
    if (inplace_editor_ && inplace_editor_ != editor) inplace_editor_->HideEditor();
    inplace_editor_ = editor;
    editor_mode_ = true;
    inplace_col_ = current_.X;
    inplace_row_ = current_.Y;
    inplace_second_ = second;
    editor_changed_ = false;
    LoadEditorText();
    PlaceOpenEditor(true);
    inplace_editor_->SelectAllText();
}

bool T_CustomGrid::UpdateText() {
    if (!inplace_editor_ || inplace_col_ == -1 || inplace_row_ == -1) return true;
    return SetEditText(inplace_second_, inplace_col_, inplace_row_, inplace_editor_->EditorText());
}

void T_CustomGrid::HideEdit() {
    if (!inplace_editor_ || hiding_editor_) return;
    // Handlers run below may write cells, move the current cell or close the
    // editor again; the values are taken first and nested calls return here.
    ScopedValue<bool> hiding(hiding_editor_, true);
    bool equal = true;
    // Only what the user changed goes back: a cell the editor cannot hold
    // as it is (bytes after a NUL, a number shown reformatted) stays as it
    // is when the editor was only opened and closed.
    if (editor_mode_ && editor_changed_) {
        inplace_editor_->FinishEditorText();
        equal = UpdateText();
    }
    const int col = inplace_col_, row = inplace_row_;
    IInplaceEditor* editor = inplace_editor_;
    if (editor->EditorFocused() && HandleAllocated() && CanFocus()) SetFocus();
    editor_mode_ = false;
    AfterCellEdit(col, row, std::string(), equal);
    if (editor_mode_) return;  // reopened by a handler
    if (inplace_editor_ == editor) editor->HideEditor();
    if (row >= 0 && row < row_count_) InvalidateGridRect(TGridRect{0, row, col_count_ - 1, row});
    inplace_col_ = inplace_row_ = -1;
    inplace_second_ = false;
}

void T_CustomGrid::DropEditor() {
    HideEdit();
    if (!editor_mode_) inplace_editor_ = nullptr;
}

void T_CustomGrid::EditorTextChanged() {
    IInplaceEditor* editor = OpenEditor();
    if (loading_editor_text_ > 0 || hiding_editor_ || !editor) return;
    editor_changed_ = true;
    // An emptied second line gives the row back to its cell. Decided before
    // the write: writing it shrinks the row, which closes the editor.
    const bool emptiedSecond = second_line_active_ && inplace_second_ && editor->EditorText().empty();
    const int row = inplace_row_;
    const bool hadFocus = HandleAllocated() && (Focused() || editor->EditorFocused());
    UpdateText();
    if (OnAfterCellInput) OnAfterCellInput(this);
    if (IsBeingFreed() || !emptiedSecond) return;
    if (!second_line_active_ || !current_.Second || current_.Y != row) return;  // moved meanwhile
    second_line_active_ = false;
    current_.Second = false;
    if (second_line_col_ >= 0 && second_line_col_ < col_count_) current_.X = second_line_col_;
    // The grid keeps the focus for the editor it opens: the closed second-line
    // editor handed it over, and the cell's editor takes it from the grid.
    if (hadFocus && !Focused() && CanFocus() && !OpenEditor()) SetFocus();
    ShowEditor();
}

void T_CustomGrid::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == 0) return;
    const unsigned char ch = static_cast<unsigned char>(Key);
    if (!(options_ & goEditing) || (ch < 32 && ch != 8)) return;
    if (!editor_mode_) ShowEditor();
    IInplaceEditor* editor = OpenEditor();
    if (!editor) return;
    TWinControl& c = editor->EditorControl();
    if (!c.HandleAllocated()) return;
    PostMessageA(c.WindowHandle(), WM_CHAR, ch, 1);
    Key = 0;
}
