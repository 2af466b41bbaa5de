// TCustomEdit: the system EDIT control as a framework control. Text,
// selection, read-only state, length limit and modified flag work with and
// without a window (kept in the object while there is none, handed to a
// window made later, read back before it goes). EN_CHANGE comes back from
// the parent as CN_COMMAND and runs Change() (OnChange); a text set from
// code without a window, or in a multi-line EDIT (which sends no EN_CHANGE
// for it), runs it through CM_TEXTCHANGED.
//
// Cut, copy and paste go through WM_CUT/WM_COPY/WM_PASTE sent to the window,
// so a subclass that handles those messages (a masked edit) serves the
// keyboard and the methods alike.
#pragma once

#include <windows.h>

#include <string>

#include "framework/text_alignment.h"
#include "framework/win_control.h"

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);

    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool value);
    // 0: no limit.
    int MaxLength() const { return max_length_; }
    void SetMaxLength(int value);
    bool Modified() const;
    void SetModified(bool value);
    // bsSingle: a sunken client edge (or a plain line when not Ctl3D).
    TBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TBorderStyle value);
    bool Ctl3D() const { return ctl3d_; }
    void SetCtl3D(bool value);
    // Right-to-left reading gives the window WS_EX_RTLREADING (a window
    // style: the window is made again, the text kept).
    TBiDiMode BiDiMode() const { return bidi_mode_; }
    void SetBiDiMode(TBiDiMode value);
    bool UseRightToLeftReading() const { return bidi_mode_ != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return bidi_mode_ == bdRightToLeft; }

    // Selection as EM_GETSEL gives it: Start..End, End exclusive.
    void GetSel(int& Start, int& End) const;
    // EM_SETSEL: Start -1 removes the selection, End -1 selects to the end.
    void SetSel(int Start, int End);
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    std::string SelText() const;
    // Replaces the selection (an undoable change with a window).
    void SetSelText(const std::string& value);
    void SelectAll() { SetSel(0, -1); }
    void ClearSelection() { SetSelText(std::string()); }

    bool CanUndo() const;
    void Undo();
    void ClearUndo();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    // The text changed (by the user or by code).
    virtual void Change();
    void CNCommand(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;

private:
    void RememberWindowState();
    bool read_only_ = false;
    int max_length_ = 0;
    mutable bool modified_ = false;
    TBorderStyle border_style_ = bsSingle;
    bool ctl3d_ = true;
    TBiDiMode bidi_mode_ = bdLeftToRight;
    int sel_start_ = 0;
    int sel_end_ = 0;
};
