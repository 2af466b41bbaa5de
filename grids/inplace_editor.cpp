#include "grids/inplace_editor.h"

#include "editors/edits/float_rules.h"
#include "framework/messages.h"
#include "framework/sysutils.h"
#include "grids/custom_grid.h"
#include "grids/string_grid.h"

std::string IInplaceEditor::EditorText() { return EditorControl().GetText(); }

void IInplaceEditor::SetEditorText(const std::string& Value) { EditorControl().SetText(Value); }

bool IInplaceEditor::EditorVisible() { return EditorControl().Visible(); }

void IInplaceEditor::ShowEditorAt(const RECT& R, bool Repaint) {
    TWinControl& c = EditorControl();
    const bool wasHidden = !c.Visible();
    c.SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
    c.SetVisible(true);
    if (Repaint || wasHidden) c.Invalidate();
}

void IInplaceEditor::HideEditor() {
    TWinControl& c = EditorControl();
    // A focused editor hands the focus to its grid before it goes: hidden,
    // it would take the keys, or the focus would fall to the form.
    T_CustomGrid* grid = OwningGrid();
    if (c.HandleAllocated() && c.Focused() && grid && grid->HandleAllocated() && grid->CanFocus()) grid->SetFocus();
    c.SetVisible(false);
    c.SetBounds(InplaceEditorHiddenLeft, c.Top(), c.Width(), 0);
}

bool IInplaceEditor::EditorFocused() { return EditorControl().Focused(); }

void IInplaceEditor::FocusEditor() {
    TWinControl& c = EditorControl();
    if (c.CanFocus()) c.SetFocus();
}

void IInplaceEditor::SelectAllText() {
    TWinControl& c = EditorControl();
    if (c.HandleAllocated()) SendMessageA(c.WindowHandle(), EM_SETSEL, 0, -1);
}

void IInplaceEditor::NotifyGridOfChange() {
    T_CustomGrid* grid = OwningGrid();
    TWinControl& c = EditorControl();
    if (!grid || !grid->HandleAllocated() || !c.HandleAllocated()) return;
    SendMessageA(grid->WindowHandle(), WM_COMMAND, MAKEWPARAM(ID_INPLACE_EDITOR_COMMAND, 0),
                 reinterpret_cast<LPARAM>(c.WindowHandle()));
}

bool IInplaceEditor::WindowReportsSetText() {
    HWND h = EditorControl().WindowHandle();
    if (!h) return false;
    char cls[8] = {};
    GetClassNameA(h, cls, sizeof cls);
    return lstrcmpiA(cls, "EDIT") == 0 && (GetWindowLongA(h, GWL_STYLE) & ES_MULTILINE) == 0;
}

TI_InplaceSecondEdit::TI_InplaceSecondEdit(TComponent* AOwner) : TInplaceEditor<TI_ChoiceEdit>(AOwner) {
    SetMultiLine(true);
}

void TI_InplaceSecondEdit::KeyDown(WORD& Key, TShiftState Shift) {
    if ((Key != VK_F2 && Key != VK_F4) || (Shift & (ssCtrl | ssAlt))) {
        TInplaceEditor<TI_ChoiceEdit>::KeyDown(Key, Shift);
        return;
    }
    // The edit's own F2 (its drop-down) does not apply: the keys are the
    // grid's second-line keys. OnKeyDown may take them first.
    TWinControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    const WORD key = Key;
    Key = 0;
    if (auto* grid = dynamic_cast<T_StringGrid*>(OwningGrid())) grid->SecondLineEditorKey(key);
}

void TI_InplaceFloatEdit::FinishEditorText() {
    if (ReadOnly() || !Modified()) return;
    const std::string text = Trim(GetText());
    std::string normal;
    if (text.empty() || CheckFloatText(text, DataType().Rules(), normal) != 0) return;
    if (normal != GetText()) SetText(normal);
}

TI_InplaceGridEdit::TI_InplaceGridEdit(TComponent* AOwner) : TInplaceEditor<TI_ChoiceEdit>(AOwner) {
    SetButtonExist(true);
    SetButtonChoiceStyle(btsEllipsis);
}

TI_InplaceComboEdit::TI_InplaceComboEdit(TComponent* AOwner) : TInplaceEditor<TI_ComboBox>(AOwner) {
    // A combo opens its list with its button.
    SetButtonExist(true);
}

namespace {

RECT InplaceEditorRect(T_CustomGrid* Grid, bool Second, int ARow, const RECT& Rect) {
    RECT r = Rect;
    if (r.right > r.left && r.bottom > r.top) {
        if (Second)
            r = Grid->SecondLineRect(ARow);
        else if (r.bottom > r.top + Grid->DefaultRowHeight())
            r.bottom = r.top + Grid->DefaultRowHeight();
    }
    return r;
}

}  // namespace

bool HasInplaceEditorRoom(T_CustomGrid* Grid, bool Second, int ARow, const RECT& Rect) {
    if (!Grid) return false;
    const RECT r = InplaceEditorRect(Grid, Second, ARow, Rect);
    return r.right > r.left && r.bottom > r.top;
}

void PlaceInplaceEditor(IInplaceEditor* Editor, T_CustomGrid* Grid, bool Second, int ARow, bool Show, const RECT& Rect) {
    if (!Editor || !Grid) return;
    const RECT r = InplaceEditorRect(Grid, Second, ARow, Rect);
    if (r.right <= r.left || r.bottom <= r.top) {
        Editor->HideEditor();
        return;
    }
    Grid->SetInplaceSecond(Second);
    Editor->ShowEditorAt(r, Show);
    if (Grid->HandleAllocated() && Grid->Focused()) Editor->FocusEditor();
}

int SecondLineHitTest(T_CustomGrid* Grid, POINT Point) {
    auto* grid = dynamic_cast<T_StringGrid*>(Grid);
    if (!grid) return -1;
    const TGridCoord c = grid->MouseCoord(Point.x, Point.y);
    if (c.Y < grid->FixedRows()) return -1;
    TLongTextObject2* o = grid->SecondLineOf(c.Y);
    if (!o || !o->Data().HasIndicator()) return -1;
    const RECT area = grid->SecondLineRect(c.Y);
    return PtInRect(&area, Point) ? c.Y : -1;
}
