// The in-place editors of the two-line grid, as the grid core sees them.
//
// The core talks to its editors only through IInplaceEditor: owning grid,
// text, visibility, bounds and focus. An editor reports text changes to the
// grid by the EDIT control's EN_CHANGE notification or by WM_COMMAND with id
// ID_INPLACE_EDITOR_COMMAND (10017), notification code 0 and its window as
// LParam; the grid ignores both while it loads the editor's text itself.
//
// The editors are the library's edit controls (inplace family) made
// borderless, hidden and out of the tab order; a text set on their window
// (from code, a mask, a completion) reaches the grid as command 10017.
// They keep no check of their own on leaving: the grid writes every change
// into the cell as it is made, so holding the focus would protect nothing
// and would leave a focused editor behind when the grid hides it.
#pragma once

#include <windows.h>

#include <string>

#include "editors/edits/combo_box.h"
#include "editors/edits/float_edit.h"
#include "framework/win_control.h"

class T_CustomGrid;

class IInplaceEditor {
public:
    // The editor's window control (owned by the grid, a child of it).
    virtual TWinControl& EditorControl() = 0;
    virtual T_CustomGrid* OwningGrid() const = 0;
    virtual void SetOwningGrid(T_CustomGrid* Grid) = 0;

    virtual std::string EditorText();
    virtual void SetEditorText(const std::string& Value);
    virtual bool EditorVisible();
    // Places the editor on R and makes it visible; repaints it when Repaint
    // is set or it was hidden.
    virtual void ShowEditorAt(const RECT& R, bool Repaint);
    // The hidden state: not visible, left -1000, height 0.
    virtual void HideEditor();
    virtual bool EditorFocused();
    virtual void FocusEditor();
    // Selects the whole text (a typed first character then replaces it).
    virtual void SelectAllText();
    // Called as the grid closes the editor, before it reads the text for
    // the last time: an editor that keeps its values in a form of its own
    // writes the typed text in that form here.
    virtual void FinishEditorText() {}

    // Sends command 10017 to the owning grid (for changes the control does
    // not report by EN_CHANGE itself).
    void NotifyGridOfChange();
    // A one-line EDIT reports a text set on its window by EN_CHANGE itself.
    bool WindowReportsSetText();

protected:
    ~IInplaceEditor() = default;
};

// Hidden-state position of an editor.
inline constexpr int InplaceEditorHiddenLeft = -1000;

// An edit control of the library as an in-place editor of the grid.
template <class Edit>
class TInplaceEditor : public Edit, public IInplaceEditor {
public:
    explicit TInplaceEditor(TComponent* AOwner) : Edit(AOwner) {
        this->SetVisible(false);
        this->SetTabStop(false);
        this->SetParentColor(false);
        this->SetDrawStyle(fsNone);
        this->SetButtonExist(false);
    }

    TWinControl& EditorControl() override { return *this; }
    T_CustomGrid* OwningGrid() const override { return grid_; }
    void SetOwningGrid(T_CustomGrid* Grid) override { grid_ = Grid; }
    // The grid holds the cell's value; the editor never keeps the focus.
    bool CanCheck() const override { return false; }

protected:
    // The wheel over an editor is the grid's (it closes the editor and moves
    // the row): not taken here, it goes on to the grid. Only an open
    // drop-down (a combo's list) uses it.
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override {
        if (!this->IsDroppedDown()) return false;
        Edit::DoMouseWheel(Shift, WheelDelta, MousePos);
        return true;
    }
    // Typing reaches the grid as EN_CHANGE; a text set on the window (from
    // code, a mask or a completion) is not reported by a multi-line EDIT
    // or the list-only combo's window, so it is reported here.
    void Dispatch(TMessage& Message) override {
        Edit::Dispatch(Message);
        if (Message.Msg == WM_SETTEXT && !this->IsBeingFreed() && !WindowReportsSetText()) NotifyGridOfChange();
    }

private:
    T_CustomGrid* grid_ = nullptr;
};

// Second-line memo editor: several lines, Enter makes a new one. F2 and F4
// fit the row's height to the second line (the editor moves with it); F4
// then asks the grid for the row's long text (T_StringGrid::LongTextRequest).
class TI_InplaceSecondEdit : public TInplaceEditor<TI_ChoiceEdit> {
public:
    explicit TI_InplaceSecondEdit(TComponent* AOwner);

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
};

// Plain or choice text.
class TI_InplaceChoiceEdit : public TInplaceEditor<TI_ChoiceEdit> {
public:
    using TInplaceEditor<TI_ChoiceEdit>::TInplaceEditor;
};

// Float number: the grid sets DataType()'s Kind, Precision and Digits and
// ButtonExist (the calculator's button), and reads Value and the text.
class TI_InplaceFloatEdit : public TInplaceEditor<TI_FloatEdit> {
public:
    using TInplaceEditor<TI_FloatEdit>::TInplaceEditor;
    // A typed, valid number goes to the cell in the kind's form ("5" in a
    // currency column as "5,00"); a text the user did not touch, or one that
    // is no number, goes as it is.
    void FinishEditorText() override;
};

// Grid-lookup choice: an ellipsis button that calls back into the grid.
class TI_InplaceGridEdit : public TInplaceEditor<TI_ChoiceEdit> {
public:
    explicit TI_InplaceGridEdit(TComponent* AOwner);
};

// Combo with pick list.
class TI_InplaceComboEdit : public TInplaceEditor<TI_ComboBox> {
public:
    explicit TI_InplaceComboEdit(TComponent* AOwner);
};

// With a non-empty rectangle: places Editor on the cell's first line (Rect
// cut to DefaultRowHeight) or, for Second, on the row's second-line area,
// shows it, records Second as the grid's in-place second flag and gives the
// editor the focus when the grid has it. With an empty rectangle: hides it.
void PlaceInplaceEditor(IInplaceEditor* Editor, T_CustomGrid* Grid, bool Second, int ARow, bool Show, const RECT& Rect);
// Whether PlaceInplaceEditor would find room for an editor there (a cell
// of a hidden column, or a row without room below its first line, has none).
bool HasInplaceEditorRoom(T_CustomGrid* Grid, bool Second, int ARow, const RECT& Rect);

// The row whose second-line indicator lies under the point, or -1. No
// provider of this library shows an indicator, so this is -1.
int SecondLineHitTest(T_CustomGrid* Grid, POINT Point);
