#include "editors/edits/mask_edit.h"

#include "framework/clipboard.h"
#include "framework/messages.h"
#include "framework/sysutils.h"

namespace {

// A mask fits one line: pasted line breaks never reach its positions.
std::string WithoutLineBreaks(std::string s) {
    std::erase_if(s, [](char c) { return c == '\r' || c == '\n'; });
    return s;
}

}  // namespace

TI_CustomMaskEdit::TI_CustomMaskEdit(TComponent* AOwner, const PopupFamily& family) : TI_CustomEdit(AOwner, family) {}

void TI_CustomMaskEdit::SetEditMask(const std::string& value) {
    edit_mask_ = value;
    CompileEditMask(value, positions_);
    ResetText();
}

void TI_CustomMaskEdit::ResetText() {
    SetText(std::string());
    // An unmasked edit stays empty; a masked one got its template through
    // the text change.
    if (IsMasked() && GetText().empty()) Perform(CM_TEXTCHANGED);
}

void TI_CustomMaskEdit::CMTextChanged(TMessage& m) {
    TI_CustomEdit::CMTextChanged(m);
    if (templating_ || !IsMasked() || !GetText().empty()) return;
    int start = 0, end = 0;
    GetSel(start, end);
    std::string blank;
    int a = start, b = end;
    AppendMaskLiterals(blank, positions_, 0, a, b);
    if (blank.empty()) return;
    templating_ = true;
    SetText(blank);
    templating_ = false;
    SetSel(start, start);
}

int TI_CustomMaskEdit::GetHideDelay() const {
    return ErrorCode() == kEditErrorMask ? 4000 : TI_CustomEdit::GetHideDelay();
}

std::string TI_CustomMaskEdit::DefaultErrorText(int code) const {
    // The code's own default (none), a blank and the mask.
    if (code == kEditErrorMask) return TI_CustomEdit::DefaultErrorText(code) + " " + edit_mask_;
    return TI_CustomEdit::DefaultErrorText(code);
}

void TI_CustomMaskEdit::CheckText(bool& error) {
    TI_CustomEdit::CheckText(error);
    if (error || !CanCheck() || !IsMasked()) return;
    std::string text = GetText();
    if (Trim(text).empty()) return;
    std::string fitted = text;
    int passed = 0, reached = 0;
    if (ApplyEditMask(fitted, positions_, false, passed, true, reached) == -1) {
        error = true;
        SetErrorCode(kEditErrorMask);
        return;
    }
    if (fitted != text) SetText(fitted);
}

void TI_CustomMaskEdit::InsertThroughMask(const std::string& typed) {
    std::string text = GetText();
    int start = 0, end = 0;
    GetSel(start, end);
    if (!InsertMaskedText(text, typed, positions_, start, end)) return;
    SetText(text);
    SetSel(start, start);
}

void TI_CustomMaskEdit::DeleteThroughMask() {
    std::string text = GetText();
    int start = 0, end = 0;
    GetSel(start, end);
    int index = DeleteMaskedRange(text, positions_, start, end);
    int a = start, b = start;
    AppendMaskLiterals(text, positions_, index, a, b);
    SetText(text);
    SetSel(start, start);
}

void TI_CustomMaskEdit::BackspaceThroughMask() {
    int start = 0, end = 0;
    GetSel(start, end);
    if (start != end) {
        DeleteThroughMask();
        return;
    }
    std::string text = GetText();
    if (start <= 0) {
        SetText(text);
        return;
    }
    int index = DeleteMaskedRange(text, positions_, start - 1, start);
    int a = start - 1, b = start - 1;
    AppendMaskLiterals(text, positions_, index, a, b);
    TrimMaskLiterals(text, positions_, index);
    SetText(text);
    SetSel(start - 1, start - 1);
}

void TI_CustomMaskEdit::Dispatch(TMessage& m) {
    if (IsMasked() && (m.Msg == WM_CUT || m.Msg == WM_PASTE)) {
        if (!ReadOnly()) {
            if (m.Msg == WM_CUT)
                DeleteThroughMask();  // the clipboard stays as it is
            else
                InsertThroughMask(WithoutLineBreaks(ClipboardText()));
        }
        m.Result = 0;
        return;
    }
    TI_CustomEdit::Dispatch(m);
}

void TI_CustomMaskEdit::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_DELETE) Perform(UM_BUBBLE, 0, 0);
    if (IsMasked() && !ReadOnly() && (key == VK_BACK || key == VK_DELETE)) {
        // OnKeyDown first; a handler that took the key stops the deletion.
        TI_CustomEdit::KeyDown(key, shift);
        if (key == VK_DELETE)
            DeleteThroughMask();
        else if (key == VK_BACK)
            BackspaceThroughMask();
        key = 0;
        return;
    }
    TI_CustomEdit::KeyDown(key, shift);
}

void TI_CustomMaskEdit::KeyPress(char& key) {
    if (IsMasked() && !ReadOnly()) {
        unsigned char c = static_cast<unsigned char>(key);
        if (c >= 32) {
            InsertThroughMask(std::string(1, key));
            key = 0;
            return;
        }
        if (key == VK_BACK) {
            key = 0;
            return;
        }
    }
    TI_CustomEdit::KeyPress(key);
}
