// The form edits' additions to the choice edit: the placeholder text,
// Enter moving the focus through the owner's tab order, and dragging a
// selected text onto another form edit.
#include <algorithm>
#include <vector>

#include "editors/edits/choice_edit.h"
#include "editors/edits/form_edit_rules.h"
#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/image_list.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"
#include "framework/screen.h"

namespace {
constexpr TColor kPlaceholderColor = 0x808080;
constexpr TColor kPlaceholderAfterTextColor = 0xC0C0C0;
constexpr POINT kDragHotSpot{2, 8};

// The width of text in font, measured on the screen.
int TextWidthIn(const TFont& font, const std::string& text) {
    WindowDC screen;
    TCanvas canvas;
    canvas.SetHandle(screen.Get());
    canvas.Font().Assign(&font);
    const int w = canvas.TextWidth(text);
    canvas.SetHandle(nullptr);
    return w;
}

POINT CursorPos() {
    POINT p{0, 0};
    GetCursorPos(&p);
    return p;
}

// Whether the window and every window it stands in are shown and enabled: a
// window behind a modal dialog (disabled with its form) takes no drop.
bool TakesInput(HWND h) {
    for (; h; h = GetParent(h)) {
        if (!IsWindowVisible(h) || !IsWindowEnabled(h)) return false;
        if (!(GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) break;
    }
    return true;
}
}  // namespace

// --- placeholder -------------------------------------------------------------------------

void TI_CustomChoiceEdit::SetEmptyText(const std::string& value) {
    if (empty_text_ == value) return;
    empty_text_ = value;
    Invalidate();
}

void TI_CustomChoiceEdit::SetShowEmptyTextAfterText(bool value) {
    if (empty_text_after_text_ == value) return;
    empty_text_after_text_ = value;
    Invalidate();
}

void TI_CustomChoiceEdit::Change() {
    // The EDIT repaints only what its text covers: the placeholder goes or
    // comes with the whole client area.
    if (!empty_text_.empty() || OnEmptyPaint) Invalidate();
    TI_CustomMaskEdit::Change();
}

void TI_CustomChoiceEdit::PaintPlaceholder(HDC dc) {
    const std::string text = GetText();
    if (text.empty() && OnEmptyPaint) {
        OnEmptyPaint(this);
        return;
    }
    if (empty_text_.empty()) return;
    const bool after = !text.empty() && empty_text_after_text_ && Alignment() == taLeftJustify;
    if (!text.empty() && !after) return;
    ScopedSaveDC save(dc);
    TCanvas canvas;  // a fresh canvas: its default font face
    canvas.SetHandle(dc);
    canvas.Font().SetSize(PlaceholderFontSize(Screen()->PixelsPerInch()));
    canvas.Brush().SetStyle(bsClear);
    if (!after) {
        canvas.Font().SetColor(kPlaceholderColor);
        const int y = (Height() - canvas.TextHeight(empty_text_)) / 2 - 3;
        const int x = CheckGlyphVisible() ? check_glyph_->Width() + 16 : 2;
        canvas.TextOut(x, y, empty_text_);
    } else {
        int offset = TextWidthIn(Font(), text) + 5;
        if (CheckGlyphVisible()) offset += check_glyph_->Width() + 20;
        RECT r = ClientRect();
        r.left += offset;
        r.right -= choice_button_width_;
        canvas.Font().SetColor(kPlaceholderAfterTextColor);
        canvas.DrawText(empty_text_, r, DT_END_ELLIPSIS | DT_EDITCONTROL | DT_NOPREFIX);
    }
    canvas.SetHandle(nullptr);
}

// --- Enter ------------------------------------------------------------------------------------

bool TI_CustomChoiceEdit::AskSelectNext(TWinControl* from, TWinControl* next, WORD key) {
    bool allow = true;
    if (OnSelectNext) OnSelectNext(from, next, allow, key);
    if (IsBeingFreed() || !allow || !next || !next->CanFocus()) return false;
    next->SetFocus();
    return true;
}

void TI_CustomChoiceEdit::SelectNext(TWinControl* from, bool forward, WORD key, bool tabStopOnly) {
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (!owner) return;
    std::vector<TWinControl*> list;
    owner->GetTabOrderList(list);
    std::vector<TabOrderEntry> entries;
    entries.reserve(list.size());
    for (TWinControl* c : list) {
        auto* edit = dynamic_cast<TI_CustomChoiceEdit*>(c);
        TabOrderEntry e;
        e.can_focus = c->CanFocus();
        e.tab_stop = c->TabStop();
        e.read_only_form_edit = edit && edit->Family().form_edit_rules && edit->ReadOnly();
        e.child_of_edit = c->Parent() == this;
        entries.push_back(e);
    }
    const auto at = std::find(list.begin(), list.end(), from);
    const int current = at == list.end() ? -1 : static_cast<int>(at - list.begin());
    const int index = FindSelectNextIndex(entries, current, forward, tabStopOnly);
    if (index >= 0) AskSelectNext(from, list[static_cast<size_t>(index)], key);
}

// --- text from outside ------------------------------------------------------------------------

std::optional<OutsideTextResult> TI_CustomChoiceEdit::FitOutside(const std::string& text, TOutsideText how) const {
    OutsideTextField field;
    field.text = GetText();
    GetSel(field.sel_start, field.sel_end);
    field.multi_line = multi_line_;
    field.max_length = MaxLength();
    field.mask = IsMasked() ? &MaskPositions() : nullptr;
    return FitOutsideText(field, text, how);
}

void TI_CustomChoiceEdit::ApplyOutside(const OutsideTextResult& r, TOutsideText how) {
    if (how == TOutsideText::Paste && !IsMasked()) {
        SetSelText(r.inserted);  // the EDIT keeps it for undo
        return;
    }
    SetText(r.text);
    if (IsBeingFreed()) return;
    SetSel(r.caret, r.caret);
}

bool TI_CustomChoiceEdit::TakeOutsideText(const std::string& text, TOutsideText how) {
    if (ReadOnly()) return false;
    const std::optional<OutsideTextResult> r = FitOutside(text, how);
    if (!r) return false;
    ApplyOutside(*r, how);
    return true;
}

bool TI_CustomChoiceEdit::TakesDrop(const std::string& text) const {
    return !ReadOnly() && FitOutside(text, TOutsideText::Drop).has_value();
}

// --- data dragging -----------------------------------------------------------------------------

TI_CustomChoiceEdit* TI_CustomChoiceEdit::DropTargetAt(POINT p) const {
    auto* edit = dynamic_cast<TI_CustomChoiceEdit*>(FindDragTarget(p, false));
    if (!edit || edit == this || !edit->Family().form_edit_rules || !edit->data_dragging_ || edit->ReadOnly())
        return nullptr;
    if (!TakesInput(edit->WindowHandle()) || !edit->TakesDrop(dragged_text_)) return nullptr;
    return edit;
}

bool TI_CustomChoiceEdit::OnSelection(int x, int y) {
    HWND h = WindowHandle();
    if (!h) return false;
    int s = 0, e = 0;
    GetSel(s, e);
    if (s == e) return false;
    // The character under the point: EM_CHARFROMPOS answers the nearest
    // boundary, so a point left of that character's cell belongs to the one before.
    const LRESULT found = SendMessageA(h, EM_CHARFROMPOS, 0, MAKELPARAM(x, y));
    if (found == -1) return false;
    int c = LOWORD(found);
    const int length = GetWindowTextLengthA(h);
    auto cell = [&](int i, RECT& r) {
        const LRESULT at = SendMessageA(h, EM_POSFROMCHAR, static_cast<WPARAM>(i), 0);
        if (at == -1) return false;
        const int left = static_cast<short>(LOWORD(at)), top = static_cast<short>(HIWORD(at));
        const std::string ch = GetText().substr(static_cast<size_t>(i), 1);
        WindowDC dc(h);
        ScopedSelect font(dc.Get(), Font().Handle());
        SIZE size{0, 0};
        GetTextExtentPoint32A(dc.Get(), ch.c_str(), 1, &size);
        r = RECT{left, top, left + size.cx, top + size.cy};
        return true;
    };
    RECT r{};
    if (c >= length || (c < length && cell(c, r) && x < r.left)) --c;
    if (c < s || c >= e || c < 0) return false;
    // Past the end of a line lies no text.
    const std::string text = GetText();
    if (static_cast<size_t>(c) >= text.size() || text[static_cast<size_t>(c)] == '\r' ||
        text[static_cast<size_t>(c)] == '\n')
        return false;
    return cell(c, r) && x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

TI_CustomChoiceEdit::PressKind TI_CustomChoiceEdit::DragMouseDown(int x, int y) {
    HWND h = WindowHandle();
    if (!h || !data_dragging_ || drag_state_ != 0 || OverButton(x)) return PressKind::Plain;
    // Only a press on the selected text drags it (a text selected by Tab
    // stays where a press elsewhere puts the caret).
    if (!OnSelection(x, y)) return PressKind::Plain;
    const POINT start = CursorPos();
    if (!DragDetect(h, start)) return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) ? PressKind::Plain : PressKind::Click;
    dragged_text_ = SelText();
    SetMouseCapture(true);
    // The picture: the text on a raised button face, 20 high, at most 200 wide.
    const int w = DragImageWidth(TextWidthIn(Font(), dragged_text_));
    TBitmap bmp(w, kDragImageHeight);
    TCanvas& c = bmp.Canvas();
    RECT all{0, 0, w, kDragImageHeight};
    c.Brush().SetColor(clBtnFace);
    c.FillRect(all);
    DrawEdge(c.Handle(), &all, BDR_RAISEDINNER, BF_RECT);
    c.Font().Assign(&Font());
    c.Brush().SetStyle(bsClear);
    RECT tr{5, 0, w - 5, kDragImageHeight};
    c.DrawText(dragged_text_, tr, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    drag_image_ = std::make_unique<TDragImage>();
    drag_image_->Begin(bmp, kDragHotSpot.x, kDragHotSpot.y, CursorPos());
    drag_state_ = 1;
    drop_target_ = nullptr;
    drag_accept_ = false;
    FollowDrag(CursorPos());
    return PressKind::Drag;
}

void TI_CustomChoiceEdit::FollowDrag(POINT p) {
    if (drag_image_) drag_image_->Move(p);
    drop_target_ = DropTargetAt(p);
    bool dropCursor = drop_target_ != nullptr;
    if (OnDragOverData) {
        const int before = drag_state_value_;
        // Each move is asked afresh: an accept belongs to the place it was given for.
        bool accept = false;
        int state = drag_state_value_;
        OnDragOverData(accept, state, p, drag_extra_);
        if (IsBeingFreed()) return;
        if (state != before && OnDragOverCancel) {
            int old = before;
            OnDragOverCancel(old);
        }
        drag_state_value_ = state;
        drag_accept_ = accept;
        if (!accept) {
            if (OnDragOverCancel) OnDragOverCancel(drag_state_value_);
            dropCursor = false;
        }
    } else {
        drag_accept_ = false;
    }
    ::SetCursor(Screen()->Cursors(dropCursor ? crDrag : crArrow));
}

void TI_CustomChoiceEdit::EndDragImage() {
    if (drag_image_) drag_image_->End();
    drag_image_.reset();
}

void TI_CustomChoiceEdit::CancelDataDrag() {
    drag_state_ = 0;
    drop_target_ = nullptr;
    EndDragImage();
    drag_accept_ = false;
    if (OnDragOverCancel) OnDragOverCancel(drag_state_value_);
    if (IsBeingFreed()) return;
    ::SetCursor(Screen()->Cursors(crArrow));
}

void TI_CustomChoiceEdit::DragMouseMove(TMessage& m) {
    if (!(m.WParam & MK_LBUTTON)) {
        // The button went up elsewhere: no drop.
        CancelDataDrag();
        if (IsBeingFreed()) return;
        SetMouseCapture(false);
        return;
    }
    FollowDrag(CursorPos());
}

void TI_CustomChoiceEdit::DragMouseUp() {
    const POINT p = CursorPos();
    // Looked up again: the edit found while moving may have gone since.
    TI_CustomChoiceEdit* target = DropTargetAt(p);
    const bool accepted = drag_accept_;
    drag_state_ = 0;
    drop_target_ = nullptr;
    EndDragImage();
    SetMouseCapture(false);
    // A drop the handler refused leaves the target's text alone.
    if (target && (!OnDragOverData || accepted)) target->TakeOutsideText(dragged_text_, TOutsideText::Drop);
    if (IsBeingFreed()) return;
    if (accepted && OnDragDropData) {
        bool a = accepted;
        OnDragDropData(a, drag_state_value_, p, drag_extra_);
        if (IsBeingFreed()) return;
    }
    drag_accept_ = false;
    drag_extra_.Values[1] = drag_extra_.Values[2] = -1;
    if (OnDragOverCancel) OnDragOverCancel(drag_state_value_);
    if (IsBeingFreed()) return;
    ::SetCursor(Screen()->Cursors(crArrow));
    if (draw_style_ == fsFlat) {
        hot_ = true;
        PaintFrame(true);
    }
}
