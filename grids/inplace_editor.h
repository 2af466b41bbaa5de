// The in-place editors of the two-line grid, as the grid core sees them.
//
// The core talks to its editors only through IInplaceEditor: owning grid,
// text, visibility, bounds and focus. An editor reports text changes to the
// grid by the EDIT control's EN_CHANGE notification or by WM_COMMAND with id
// ID_INPLACE_EDITOR_COMMAND (10017), notification code 0 and its window as
// LParam; the grid ignores both while it loads the editor's text itself.
//
// The five editor classes below are plain single-line edits for now; the
// full editors replace them here with the same names and constructors, and the
// core needs no change.
#pragma once

#include <windows.h>

#include <string>

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

    // Sends command 10017 to the owning grid (for changes the control does
    // not report by EN_CHANGE itself).
    void NotifyGridOfChange();

protected:
    ~IInplaceEditor() = default;
};

// Hidden-state position of an editor.
inline constexpr int InplaceEditorHiddenLeft = -1000;

// A plain single-line EDIT window owned by the grid: the base of the editors
// until the full ones arrive.
class TInplaceEditBase : public TWinControl, public IInplaceEditor {
public:
    explicit TInplaceEditBase(TComponent* AOwner);
    using TWinControl::AfterConstruction;  // for Create<T>

    TWinControl& EditorControl() override { return *this; }
    T_CustomGrid* OwningGrid() const override { return grid_; }
    void SetOwningGrid(T_CustomGrid* Grid) override;

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    T_CustomGrid* grid_ = nullptr;
};

// Second-line memo editor.
class TI_InplaceSecondEdit : public TInplaceEditBase {
public:
    explicit TI_InplaceSecondEdit(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& Params) override;
};

// Plain or choice text.
class TI_InplaceChoiceEdit : public TInplaceEditBase {
public:
    using TInplaceEditBase::TInplaceEditBase;
};

// Float number.
class TI_InplaceFloatEdit : public TInplaceEditBase {
public:
    using TInplaceEditBase::TInplaceEditBase;
};

// Grid-lookup choice.
class TI_InplaceGridEdit : public TInplaceEditBase {
public:
    using TInplaceEditBase::TInplaceEditBase;
};

// Combo with pick list.
class TI_InplaceComboEdit : public TInplaceEditBase {
public:
    using TInplaceEditBase::TInplaceEditBase;
};

// With a non-empty rectangle: places Editor on the cell's first line (Rect
// cut to DefaultRowHeight) or, for Second, on the row's second-line area,
// shows it, records Second as the grid's in-place second flag and gives the
// editor the focus when the grid has it. With an empty rectangle: hides it.
void PlaceInplaceEditor(IInplaceEditor* Editor, T_CustomGrid* Grid, bool Second, int ARow, bool Show, const RECT& Rect);

// The row whose second-line indicator lies under the point, or -1. No
// provider of this library shows an indicator, so this is -1.
int SecondLineHitTest(T_CustomGrid* Grid, POINT Point);
