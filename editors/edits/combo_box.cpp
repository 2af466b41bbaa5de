#include "editors/edits/combo_box.h"

#include <algorithm>

#include "editors/popups/popup_list_box.h"
#include "editors/tools/styled_text.h"
#include "framework/ansi_text.h"
#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"
#include "framework/messages.h"
#include "framework/sysutils.h"

namespace {
// Arrows, every key (Enter and Esc reach KeyPress) and characters.
constexpr LRESULT kComboDlgCode = DLGC_WANTARROWS | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
static_assert(kComboDlgCode == 133);
}  // namespace

TI_CustomComboBox::TI_CustomComboBox(TComponent* AOwner, const PopupFamily& family)
    : TI_CustomChoiceEdit(AOwner, family), items_(std::make_unique<TStringList>()) {
    SetButtonChoiceStyle(btsCombo);
    SetButtonStyle(esDropDown);
}

TI_CustomComboBox::~TI_CustomComboBox() = default;

ComboItemView TI_CustomComboBox::ItemView() const {
    const TStringList* items = items_.get();
    return ComboItemView{items->Count(), [items](int i) -> const std::string& { return items->TextAt(i); }};
}

int TI_CustomComboBox::FindItem(bool prefixOnly) const {
    return match_items_ ? FindComboItem(ItemView(), GetText(), prefixOnly) : -1;
}

int TI_CustomComboBox::ItemNamed(const std::string& text) const {
    return FindComboItem(ItemView(), text, false);
}

void TI_CustomComboBox::SetItemIndex(int index) {
    const bool inList = index >= 0 && index < items_->Count();
    const std::string text = inList ? items_->Get(index) : std::string();
    if (index == item_index_ && GetText() == text) return;
    item_index_ = index;
    const std::string before = GetText();
    SetText(text);
    if (IsBeingFreed()) return;
    if (OnIndexChange) {
        OnIndexChange(this);
        if (IsBeingFreed()) return;
    }
    // A list-only combo has no EDIT to report its text; every change of
    // the shown item is a change (the wheel included).
    if (ListOnly() && before == text) Change();
    Invalidate();
}

void TI_CustomComboBox::SetTextAndIndex(const std::string& text, int index, int selStart, int selEnd) {
    if (text == GetText() && index == item_index_) return;
    if (OnSelectText) {
        OnSelectText(this, text, index);
        if (IsBeingFreed()) return;
    }
    SetItemIndex(index);
    if (IsBeingFreed()) return;
    SetText(text);
    if (IsBeingFreed()) return;
    SetSel(selStart, selEnd);
}

std::optional<OutsideTextResult> TI_CustomComboBox::FitOutside(const std::string& text, TOutsideText how) const {
    if (!ListOnly()) return TI_CustomChoiceEdit::FitOutside(text, how);
    // No text to type into: only a drop that names an item, shown as the item.
    if (how != TOutsideText::Drop) return std::nullopt;
    const int index = ItemNamed(text);
    if (index < 0) return std::nullopt;
    const std::string& item = items_->TextAt(index);
    return OutsideTextResult{item, 0, item};
}

void TI_CustomComboBox::ApplyOutside(const OutsideTextResult& r, TOutsideText how) {
    if (ListOnly()) {
        SetTextAndIndex(r.text, ItemNamed(r.text), 0, 0);
        return;
    }
    TI_CustomChoiceEdit::ApplyOutside(r, how);
    if (IsBeingFreed()) return;
    // The item follows the text it took, as on leaving.
    item_index_ = FindItem(false);
    if (list_) list_->SetItemIndex(item_index_);
}

bool TI_CustomComboBox::DoContextPopup(POINT pos) {
    // Taken, with no menu at all (the EDIT's own neither), over an open list.
    if (Family().form_edit_rules && list_open_) return true;
    return TI_CustomChoiceEdit::DoContextPopup(pos);
}

void TI_CustomComboBox::SetStyle(TComboStyle value) {
    if (style_ == value) return;
    const bool wasListOnly = ListOnly();
    style_ = value;
    if (Family().form_edit_rules) {
        // The form combo: the simple style has no button, the list style
        // starts empty; the window is made anew either way.
        SetButtonExist(value != csSimple);
        if (value == csDropDownList) {
            // Empty means no item: the face shows what ItemIndex holds.
            SetText(std::string());
            item_index_ = -1;
        }
        std::string text = GetText();
        RecreateWnd();
        SetText(text);
        return;
    }
    ListOnlyChanged(wasListOnly);
}

void TI_CustomComboBox::SetListOnlyOverride(bool value) {
    if (list_only_override_ == value) return;
    const bool wasListOnly = ListOnly();
    list_only_override_ = value;
    ListOnlyChanged(wasListOnly);
}

void TI_CustomComboBox::ListOnlyChanged(bool wasListOnly) {
    if (wasListOnly == ListOnly()) return;
    // Another window class: the window is made again, the text kept.
    std::string text = GetText();
    RecreateWnd();
    SetText(text);
}

void TI_CustomComboBox::Clear() {
    items_->Clear();
    item_index_ = -1;
}

void TI_CustomComboBox::UpdateButtonGlyph() {
    if (ButtonChoiceStyle() != btsCombo) SetButtonChoiceStyle(btsCombo);
    if (ButtonStyle() != esDropDown) SetButtonStyle(esDropDown);
}

void TI_CustomComboBox::CheckText(bool& error) {
    TI_CustomChoiceEdit::CheckText(error);
    if (error || !CanCheck() || !ListOnly()) return;
    if (item_index_ == -1 && !Trim(GetText()).empty()) {
        error = true;
        SetErrorCode(kEditErrorNotInList);
    }
}

// --- the list ------------------------------------------------------------------------------

void TI_CustomComboBox::Remember() {
    remembered_text_ = GetText();
    remembered_index_ = item_index_;
}

void TI_CustomComboBox::OpenDropDown() {
    if (HWND h = WindowHandle(); h && ListOnly()) {
        WindowDC dc(h);
        PaintFace(dc.Get(), false);
    }
    if (OnDropDown) OnDropDown(this);
    if (IsBeingFreed()) return;
    auto* list = Create<TI_PopupListBox>(this, Family());
    list_ = list;
    list->SetDropDownRows(drop_down_count_);
    list->SetBorderStyle(DrawStyle() == fsFlat || DrawStyle() == fsSingle ? 2 : 1);
    list->Font().Assign(&Font());
    list->SetItemHeight(item_height_ > 0 ? item_height_
                                         : std::max(list->ItemHeight(), TextHeightFor(Font(), "WQ", nullptr)));
    if (OnMeasureItem) {
        int height = list->ItemHeight();
        OnMeasureItem(list, 0, height);
        if (height > 0) list->SetItemHeight(height);
    }
    list->OnDrawItem = OnDrawItem;
    PrepareList(*list);
    list->Items().Assign(items_.get());
    // The list closes by a posted message: never freed inside its own click.
    // The item it takes may fire OnIndexChange, which may free the combo: the
    // combo is then deleted when this call returns (it runs in the list's
    // dispatch, not in the combo's).
    list->OnClick = [this](TObject*) {
        TDispatchScope alive(this);
        CloseUp(true, false);
    };
    const int width = drop_down_width_ > 0 ? drop_down_width_ : Width();
    list->SetPopupRect(0, 0, width, list->ItemHeight());
    if (match_items_ && item_index_ >= 0 && item_index_ < items_->Count() - 1 &&
        AnsiSameText(items_->Get(item_index_), GetText()))
        item_index_ = FindItem(false);
    list->SetItemIndex(item_index_);
    SelectAll();
    ShowDropDown();
    list_open_ = true;
}

TWinControl* TI_CustomComboBox::DropDownWindow() const { return list_; }

void TI_CustomComboBox::ShowDropDown() {
    if (list_) list_->Show();
}

void TI_CustomComboBox::CloseDropDown() {
    list_open_ = false;
    TI_PopupListBox* list = list_;
    list_ = nullptr;
    if (list) list->Free();
    RepaintFace();
}

void TI_CustomComboBox::CloseUp(bool accept, bool immediately) {
    int index = -1;
    std::string item;
    if (accept && list_open_ && list_) {
        index = list_->ItemIndex();
        if (index >= 0 && index < items_->Count()) item = items_->Get(index);
    } else if (!accept && list_open_) {
        int s = 0, e = 0;
        GetSel(s, e);
        SetSel(e, e);
    }
    TI_CustomChoiceEdit::CloseUp(accept, immediately);
    if (IsBeingFreed()) return;
    if (accept && index >= 0 && !ReadOnly()) {
        SetTextAndIndex(item, index, -1, 0);
        if (IsBeingFreed()) return;
        Remember();
    }
}

void TI_CustomComboBox::ButtonClick(TObject* sender) { ToggleDropDown(sender); }

void TI_CustomComboBox::CheckClick() {
    if (ListOnly()) HideCaret(WindowHandle());
    TI_CustomChoiceEdit::CheckClick();
}

bool TI_CustomComboBox::SelectItemByChar(char ch) {
    // Control characters (Enter, Escape, Backspace) are keys, not letters:
    // they neither pick an item nor open the list.
    if (ReadOnly() || static_cast<unsigned char>(ch) < 32) return false;
    const int index = FindComboItemByChar(ItemView(), item_index_, ch);
    if (index >= 0) {
        SetTextAndIndex(items_->Get(index), index, 0, 0);
        if (list_) list_->SetItemIndex(index);
        return true;
    }
    if (!list_open_) Perform(UM_DROPDOWN, 1, 0);
    return false;
}

// --- keys, characters and wheel ----------------------------------------------------------------

void TI_CustomComboBox::KeyDown(WORD& key, TShiftState shift) {
    const bool alt = (shift & ssAlt) != 0;
    if (list_open_ && (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN)) {
        TWinControl::KeyDown(key, shift);
        if (key == 0 || !list_) return;
        if (list_->ItemIndex() >= 0)
            SendMessageA(list_->Handle(), WM_KEYDOWN, key, 0);
        else
            list_->SetItemIndex(0);
        const int index = list_->ItemIndex();
        if (index >= 0 && index < items_->Count() && !ReadOnly())
            SetTextAndIndex(items_->Get(index), index, -1, 0);
        key = 0;
        return;
    }
    if (!list_open_ && (key == VK_UP || key == VK_DOWN) && !alt) {
        TWinControl::KeyDown(key, shift);
        if (key != 0 && !ReadOnly()) {
            // Without item matching the text does not find the start.
            const std::string text = match_items_ ? GetText() : std::string("\x01");
            const int index = StepComboIndex(ItemView(), item_index_, text, key == VK_UP ? -1 : +1);
            if (index >= 0) SetTextAndIndex(items_->Get(index), index, -1, 0);
        }
        key = 0;
        return;
    }
    // F4, as in every combo of the system, opens and closes the list too.
    if (key == VK_F4 && !alt && style_ != csSimple) {
        TWinControl::KeyDown(key, shift);
        if (key != 0) DropDown();
        key = 0;
        return;
    }
    if (!list_open_ && key == VK_DOWN && alt && style_ != csSimple) {
        TWinControl::KeyDown(key, shift);
        DropDown();
        key = 0;
        return;
    }
    if (!list_open_ && key == VK_DELETE) {
        TI_CustomChoiceEdit::KeyDown(key, shift);
        if (key != 0 && !ReadOnly()) item_index_ = -1;
        return;
    }
    TI_CustomChoiceEdit::KeyDown(key, shift);
}

void TI_CustomComboBox::UndoTyping() {
    // Back to the item of the entry or of the last accept.
    SetTextAndIndex(remembered_text_, remembered_index_, 0, -1);
}

void TI_CustomComboBox::KeyPress(char& key) {
    if (list_open_ && key == VK_RETURN) {
        CloseUp(true, true);
        if (!KeyPass()) {
            key = 0;
            return;
        }
    } else if (list_open_ && key == VK_ESCAPE) {
        CloseUp(false, true);
        key = 0;
        return;
    }
    TI_CustomChoiceEdit::KeyPress(key);
}

void TI_CustomComboBox::TypedChar(TMessage& m) {
    const char ch = static_cast<char>(static_cast<unsigned char>(m.WParam));
    if (ListOnly()) {
        SelectItemByChar(ch);
        TI_CustomChoiceEdit::Dispatch(m);
        return;
    }
    if (ch != VK_RETURN && ch != VK_ESCAPE) item_index_ = -1;
    TI_CustomChoiceEdit::Dispatch(m);
    if (IsBeingFreed() || ch == VK_BACK || ch == VK_RETURN || ch == VK_ESCAPE) return;
    if (OnCompleteText) {
        OnCompleteText(this);
        if (IsBeingFreed()) return;
    } else if (match_items_ && !ReadOnly()) {
        const ComboCompletion c = CompleteComboText(ItemView(), GetText());
        if (c.index >= 0) {
            SetTextAndIndex(c.text, c.index, c.sel_start, c.sel_end);
            Invalidate();
        }
    }
    if (list_) list_->SetItemIndex(item_index_);
}

bool TI_CustomComboBox::DoMouseWheel(TShiftState shift, int delta, POINT pos) {
    TI_CustomChoiceEdit::DoMouseWheel(shift, delta, pos);
    if (list_open_ && list_) {
        list_->DoMouseWheel(shift, delta, pos);
    } else if (!ReadOnly()) {
        const int index = WheelComboIndex(items_->Count(), item_index_, delta);
        if (index >= 0) SetItemIndex(index);
    }
    return true;
}

// --- window ------------------------------------------------------------------------------------

void TI_CustomComboBox::CreateParams(TCreateParams& p) {
    TI_CustomChoiceEdit::CreateParams(p);
    if (!ListOnly()) return;
    // A plain window of the combo's own class instead of an EDIT.
    p.WinClassName = "TI_ComboListOnly";
    p.SystemClass = false;
    p.ClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    p.Style = (p.Style & 0xFFFF0000u) | WS_CHILD | WS_CLIPSIBLINGS;
    if (TabStop()) p.Style |= WS_TABSTOP;
    if (!Enabled()) p.Style |= WS_DISABLED;
    p.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    if (DrawStyle() == fsSingle)
        p.Style |= WS_BORDER;
    else if (DrawStyle() != fsNone)
        p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TI_CustomComboBox::CMTextChanged(TMessage& m) {
    TI_CustomChoiceEdit::CMTextChanged(m);
    if (ListOnly() && WindowHandle()) {
        // No EDIT reports it: the shown item changed.
        Change();
        RepaintFace();
    }
}

void TI_CustomComboBox::CMEnter(TMessage& m) {
    TI_CustomChoiceEdit::CMEnter(m);
    RepaintFace();
}

void TI_CustomComboBox::RepaintFace() {
    HWND h = WindowHandle();
    if (!h || !ListOnly()) return;
    ::InvalidateRect(h, nullptr, FALSE);
}

void TI_CustomComboBox::DrawItemImage(int index) {
    if (!OnItemImage) return;
    TBitmap& glyph = CheckGlyph();
    const RECT area{0, 0, glyph.Width(), glyph.Height()};
    glyph.SetSize(0, 0);
    OnItemImage(this, area, glyph, index);
    if (glyph.Width() != area.right || glyph.Height() != area.bottom) LayoutChanged();
}

void TI_CustomComboBox::PaintFace(HDC dc, bool focusLook) {
    RECT c = ClientRect();
    c.right -= GetButtonWidth();
    if (CheckGlyphVisible()) c.left += CheckGlyph().Width() + 2;
    if (c.right <= c.left) return;
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font().Assign(&Font());
    canvas.Brush().SetColor(Color());
    canvas.FillRect(c);
    RECT face = c;
    InflateRect(&face, -1, -1);
    if (focusLook) {
        canvas.Brush().SetColor(clHighlight);
        canvas.Font().SetColor(clHighlightText);
        canvas.FillRect(face);
        DrawFocusRect(dc, &face);
    }
    const int index = item_index_ >= 0 && item_index_ < items_->Count() ? item_index_ : -1;
    if (OnDrawText) {
        OnDrawText(canvas, this, index, face);
    } else {
        const std::string text = index >= 0 ? items_->Get(index) : std::string();
        const TAlignment shown = MirroredAlignment(Alignment(), BiDiMode());
        UINT align = shown == taRightJustify ? DT_RIGHT : shown == taCenter ? DT_CENTER : DT_LEFT;
        if (UseRightToLeftReading()) align |= DT_RTLREADING;
        RECT tr = face;
        tr.left += 1;
        canvas.Brush().SetStyle(bsClear);
        canvas.DrawText(text, tr, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    canvas.SetHandle(nullptr);
}

void TI_CustomComboBox::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = kComboDlgCode;
        return;
    case WM_CHAR:
        TypedChar(m);
        return;
    case WM_SETFOCUS:
        Remember();
        TI_CustomChoiceEdit::Dispatch(m);
        if (ListOnly()) HideCaret(WindowHandle());
        return;
    case WM_KILLFOCUS:
        TI_CustomChoiceEdit::Dispatch(m);
        if (!ListOnly() && match_items_) item_index_ = FindItem(false);
        RepaintFace();
        return;
    case WM_PAINT:
        if (ListOnly()) {
            DrawItemImage(item_index_);
            // A DC in WParam: a picture of the control (PaintTo).
            if (m.WParam) {
                PaintFace(reinterpret_cast<HDC>(m.WParam), false);
                PaintClientExtras(reinterpret_cast<HDC>(m.WParam));
            } else {
                PaintDC paint(WindowHandle());
                PaintFace(paint.Get(), Focused() && !list_open_);
                PaintClientExtras(paint.Get());
            }
            m.Result = 0;
            return;
        }
        break;
    case WM_SETCURSOR:
        if (ListOnly() && LOWORD(m.LParam) == HTCLIENT) {
            ::SetCursor(LoadCursor(nullptr, IDC_ARROW));
            m.Result = 1;
            return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int x = MessageX(m);
        if (ListOnly() && !OverButton(x) && !OverCheckGlyph(x)) {
            if (CanFocus()) SetFocus();
            if (Focused()) DropDown();
            return;
        }
        if (ListOnly() && m.Msg == WM_LBUTTONDBLCLK && OverButton(x)) return;
        if (!ListOnly() && !Focused() && !OverButton(x) && !OverCheckGlyph(x)) {
            TI_CustomChoiceEdit::Dispatch(m);
            SelectAll();
            return;
        }
        break;
    }
    default:
        break;
    }
    TI_CustomChoiceEdit::Dispatch(m);
}
