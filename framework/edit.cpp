#include "framework/edit.h"

#include <algorithm>

#include "framework/colors.h"
#include "framework/messages.h"

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.WinClassName = "EDIT";
    p.SystemClass = true;
    p.Style |= ES_AUTOHSCROLL | ES_LEFT;
    if (read_only_) p.Style |= ES_READONLY;
    if (UseRightToLeftReading()) p.ExStyle |= WS_EX_RTLREADING;
    if (border_style_ == bsSingle) {
        if (ctl3d_)
            p.ExStyle |= WS_EX_CLIENTEDGE;
        else
            p.Style |= WS_BORDER;
    }
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    HWND h = WindowHandle();
    if (!h) return;
    SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
    SendMessageA(h, EM_SETMODIFY, modified_ ? TRUE : FALSE, 0);
    SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(sel_start_), static_cast<LPARAM>(sel_end_));
}

void TCustomEdit::RememberWindowState() {
    if (!WindowHandle()) return;
    GetSel(sel_start_, sel_end_);
    Modified();  // reads the window's flag into modified_
}

void TCustomEdit::Dispatch(TMessage& m) {
    if (m.Msg == WM_DESTROY) RememberWindowState();
    TWinControl::Dispatch(m);
}

void TCustomEdit::SetReadOnly(bool value) {
    read_only_ = value;
    if (HWND h = WindowHandle()) SendMessageA(h, EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetMaxLength(int value) {
    max_length_ = std::max(0, value);
    if (HWND h = WindowHandle()) SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
}

bool TCustomEdit::Modified() const {
    if (HWND h = WindowHandle()) modified_ = SendMessageA(h, EM_GETMODIFY, 0, 0) != 0;
    return modified_;
}

void TCustomEdit::SetModified(bool value) {
    modified_ = value;
    if (HWND h = WindowHandle()) SendMessageA(h, EM_SETMODIFY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    if (value != bsNone) value = bsSingle;
    if (border_style_ == value) return;
    border_style_ = value;
    RecreateWnd();
}

void TCustomEdit::SetBiDiMode(TBiDiMode value) {
    if (bidi_mode_ == value) return;
    bidi_mode_ = value;
    RecreateWnd();
}

void TCustomEdit::SetCtl3D(bool value) {
    if (ctl3d_ == value) return;
    ctl3d_ = value;
    RecreateWnd();
}

void TCustomEdit::GetSel(int& start, int& end) const {
    if (HWND h = WindowHandle()) {
        DWORD s = 0, e = 0;
        SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        start = static_cast<int>(s);
        end = static_cast<int>(e);
        return;
    }
    start = sel_start_;
    end = sel_end_;
}

void TCustomEdit::SetSel(int start, int end) {
    if (HWND h = WindowHandle()) {
        SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
        return;
    }
    // The window's rules without a window: Start -1 collapses at the end
    // of the old selection, End -1 means the end of the text.
    int len = static_cast<int>(GetText().size());
    if (start < 0) {
        sel_start_ = sel_end_ = std::clamp(sel_end_, 0, len);
        return;
    }
    if (end < 0) end = len;
    start = std::clamp(start, 0, len);
    end = std::clamp(end, 0, len);
    sel_start_ = std::min(start, end);
    sel_end_ = std::max(start, end);
}

int TCustomEdit::SelStart() const {
    int s = 0, e = 0;
    GetSel(s, e);
    return s;
}

void TCustomEdit::SetSelStart(int value) { SetSel(value, value); }

int TCustomEdit::SelLength() const {
    int s = 0, e = 0;
    GetSel(s, e);
    return e - s;
}

void TCustomEdit::SetSelLength(int value) {
    int s = SelStart();
    SetSel(s, s + std::max(0, value));
}

std::string TCustomEdit::SelText() const {
    int s = 0, e = 0;
    GetSel(s, e);
    std::string text = GetText();
    s = std::clamp(s, 0, static_cast<int>(text.size()));
    e = std::clamp(e, s, static_cast<int>(text.size()));
    return text.substr(static_cast<size_t>(s), static_cast<size_t>(e - s));
}

void TCustomEdit::SetSelText(const std::string& value) {
    if (HWND h = WindowHandle()) {
        SendMessageA(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(value.c_str()));
        return;
    }
    std::string text = GetText();
    int s = std::clamp(sel_start_, 0, static_cast<int>(text.size()));
    int e = std::clamp(sel_end_, s, static_cast<int>(text.size()));
    text.replace(static_cast<size_t>(s), static_cast<size_t>(e - s), value);
    SetText(text);
    sel_start_ = sel_end_ = s + static_cast<int>(value.size());
}

bool TCustomEdit::CanUndo() const {
    HWND h = WindowHandle();
    return h && SendMessageA(h, EM_CANUNDO, 0, 0) != 0;
}

void TCustomEdit::Undo() {
    if (HWND h = WindowHandle()) SendMessageA(h, EM_UNDO, 0, 0);
}

void TCustomEdit::ClearUndo() {
    if (HWND h = WindowHandle()) SendMessageA(h, EM_EMPTYUNDOBUFFER, 0, 0);
}

void TCustomEdit::CutToClipboard() { SendMessageA(Handle(), WM_CUT, 0, 0); }
void TCustomEdit::CopyToClipboard() { SendMessageA(Handle(), WM_COPY, 0, 0); }
void TCustomEdit::PasteFromClipboard() { SendMessageA(Handle(), WM_PASTE, 0, 0); }

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::CNCommand(TMessage& m) {
    if (HIWORD(m.WParam) == EN_CHANGE) {
        Change();
        return;
    }
    TWinControl::CNCommand(m);
}

void TCustomEdit::CMTextChanged(TMessage& m) {
    TWinControl::CMTextChanged(m);
    // A single-line EDIT reports a text set from code itself (EN_CHANGE); a
    // multi-line one does not.
    HWND h = WindowHandle();
    if (!h || (GetWindowLongA(h, GWL_STYLE) & ES_MULTILINE) != 0) Change();
}
