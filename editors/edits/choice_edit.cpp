#include "editors/edits/choice_edit.h"

#include <algorithm>
#include <string>

#include "editors/popups/message_window.h"
#include "editors/tools/edit_drawing.h"
#include "editors/tools/styled_text.h"
#include "framework/clipboard.h"
#include "framework/colors.h"
#include "framework/form.h"
#include "framework/application.h"
#include "framework/image_list.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"
#include "framework/messages.h"

namespace {
// The margin a frame style keeps right of the text, and the offset of the
// text rectangle.
int StyleMargin(TControlStyle s) { return s == fsNone ? 0 : 4; }
POINT StyleOffset(TControlStyle s) {
    switch (s) {
    case fsNone: return POINT{2, 1};
    case fsSingle: return POINT{-1, -1};
    default: return POINT{0, 0};
    }
}
const char* StyleGlyphName(TChoiceBtnStyle s) {
    switch (s) {
    case btsCombo: return "BTNCOMBO";
    case btsEllipsis: return "BTNELLIPSIS";
    default: return "FLATCHOICE";
    }
}
}  // namespace

TI_CustomChoiceEdit::TI_CustomChoiceEdit(TComponent* AOwner, const PopupFamily& family)
    : TI_CustomMaskEdit(AOwner, family),
      glyph_(std::make_unique<TBitmap>()),
      check_glyph_(std::make_unique<TBitmap>()) {
    SetCtl3D(false);
}

TI_CustomChoiceEdit::~TI_CustomChoiceEdit() = default;

// --- the button -------------------------------------------------------------------

template <class F>
void TI_CustomChoiceEdit::WithButton(F&& f) {
    ++button_calls_;
    try {
        f();
    } catch (...) {
        --button_calls_;
        if (button_calls_ == 0 && button_retired_) FreeButton();
        throw;
    }
    --button_calls_;
    if (button_calls_ == 0 && button_retired_ && !IsBeingFreed()) FreeButton();
}

void TI_CustomChoiceEdit::FreeButton() {
    button_retired_ = false;
    if (!button_) return;
    if (button_calls_ > 0) {
        // Inside the button's own click: hidden now, freed when it returns.
        button_->SetVisible(false);
        button_retired_ = true;
        return;
    }
    TI_EditButton* b = button_;
    button_ = nullptr;
    b->Free();
}

void TI_CustomChoiceEdit::SetButtonExist(bool value) {
    if (button_exist_ == value) return;
    button_exist_ = value;
    if (!value) FreeButton();
    UpdateButton();
    LayoutChanged();
}

int TI_CustomChoiceEdit::GetButtonWidth() const {
    return button_ && !button_retired_ ? button_->Width() : 0;
}

void TI_CustomChoiceEdit::SetButtonChoiceStyle(TChoiceBtnStyle value) {
    if (choice_style_ == value) return;
    choice_style_ = value;
    if (value != btsCustom) choice_button_width_ = 16;
    UpdateButton();
    LayoutChanged();
}

void TI_CustomChoiceEdit::SetButtonStyle(TEventStyle value) {
    event_style_ = value;
    if (button_) button_->SetEventStyle(value);
}

void TI_CustomChoiceEdit::SetChoiceButtonWidth(int value) {
    choice_button_width_ = std::max(0, value);
    choice_style_ = btsCustom;
    UpdateButton();
    LayoutChanged();
    Invalidate();
}

void TI_CustomChoiceEdit::SetGlyph(TBitmap* value) {
    if (value)
        glyph_->Assign(value);
    else
        glyph_->SetSize(0, 0);
    choice_style_ = btsCustom;
    choice_button_width_ = glyph_->Empty() || glyph_->Width() == 0 ? 16 : glyph_->Width() + 6;
    UpdateButton();
    LayoutChanged();
}

void TI_CustomChoiceEdit::SetButtonActive(bool value) {
    if (button_active_ == value) return;
    button_active_ = value;
    if (button_) {
        button_->SetEnabled(Enabled() && button_active_);
        PaintButton();
    }
}

void TI_CustomChoiceEdit::SetChoiceLocked(bool value) {
    choice_locked_ = value;
    SetButtonActive(!value);
    if (HWND h = WindowHandle()) RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TI_CustomChoiceEdit::LoadStyleGlyph() {
    if (!button_) return;
    if (choice_style_ == btsCustom) {
        button_->SetGlyph(glyph_.get());
        return;
    }
    TBitmap bmp;
    try {
        bmp.LoadFromResourceName(GetModuleHandleA(nullptr), Family().Resource(StyleGlyphName(choice_style_)));
    } catch (...) {
        // A program without the picture keeps a plain button (this runs in constructors).
        bmp.SetSize(0, 0);
    }
    button_->SetGlyph(&bmp);
}

void TI_CustomChoiceEdit::UpdateButton() {
    if (!button_exist_) return;
    if (!button_) {
        button_ = new TI_EditButton(this);
        button_->SetColor(clBtnFace);
        button_->SetLayout(2);
        button_->SetEventStyle(event_style_);
        button_->OnClick = [this](TObject* sender) { ButtonClick(sender); };
    }
    button_->SetEnabled(Enabled() && button_active_);
    const RECT c = ClientRect();
    const int width = choice_style_ == btsCustom ? choice_button_width_ : 16;
    const int height = c.bottom - c.top;
    LoadStyleGlyph();
    // In client coordinates: the frame styles differ only in the look (the
    // offsets a window-coordinate layout needs for the border fall away).
    const int kind = draw_style_ == fsFlat ? 2 : DefaultButtonKind();
    const int left = c.right - width;
    button_->SetKind(kind);
    button_->SetBounds(left, 0, width, height);
}

bool TI_CustomChoiceEdit::OverButton(int x) const {
    const int w = GetButtonWidth();
    if (w == 0) return false;
    RECT c = ClientRect();
    return x >= c.right - w;
}

bool TI_CustomChoiceEdit::OverCheckGlyph(int x) const {
    return CheckGlyphVisible() && show_check_box_ && x < check_glyph_->Width() + 2 && Width() >= GetMinWidth();
}

void TI_CustomChoiceEdit::ButtonClick(TObject* sender) {
    if (sender != button_ && event_style_ == esDropDown) {
        DropDown();
        return;
    }
    PostHideMessage();
    if (OnButtonClick) OnButtonClick(this);
}

void TI_CustomChoiceEdit::ToggleDropDown(TObject* sender) {
    if (sender != button_ && event_style_ == esDropDown) {
        DropDown();  // which comes back here from the button
        return;
    }
    TI_CustomChoiceEdit::ButtonClick(sender);
    if (IsBeingFreed()) return;
    if (!IsDroppedDown())
        Perform(UM_DROPDOWN, 1, 0);
    else
        CloseUp(false, true);
}

void TI_CustomChoiceEdit::DropDown() {
    drop_down_reason_ = drKey;
    if (!button_ || button_retired_ || event_style_ != esDropDown) return;
    // A press and a release: the button ends up in its normal state.
    const int x = button_->Left() + 1, y = button_->Top() + 1;
    WithButton([&] {
        button_->MouseEvent(x, y, EditButtonMouseAction::Press, true);
        if (button_ && !button_retired_) button_->MouseEvent(x, y, EditButtonMouseAction::Release, false);
    });
}

void TI_CustomChoiceEdit::CheckClick() {
    if (OnCheckClick) OnCheckClick(this);
}

// --- look ----------------------------------------------------------------------------

void TI_CustomChoiceEdit::SetDrawStyle(TControlStyle value) {
    if (draw_style_ == value) return;
    draw_style_ = value;
    RecreateWnd();
    UpdateButton();
    LayoutChanged();
}

void TI_CustomChoiceEdit::SetMultiLine(bool value) {
    if (multi_line_ == value) return;
    multi_line_ = value;
    std::string text = GetText();
    RecreateWnd();
    SetText(text);
}

void TI_CustomChoiceEdit::SetCheckGlyph(TBitmap* value) {
    if (value)
        check_glyph_->Assign(value);
    else
        check_glyph_->SetSize(0, 0);
    LayoutChanged();
    Invalidate();
}

void TI_CustomChoiceEdit::SetShowCheckBox(bool value) {
    show_check_box_ = value;
    LayoutChanged();
    Invalidate();
}

void TI_CustomChoiceEdit::SetCornerMark(bool value) {
    corner_mark_ = value;
    Invalidate();
}

void TI_CustomChoiceEdit::SetRightEdgeMark(bool value) {
    right_edge_mark_ = value;
    Invalidate();
}

void TI_CustomChoiceEdit::SetLinkControl(TWinControl* value) {
    WatchComponent(link_control_, value);
}

void TI_CustomChoiceEdit::Notification(TComponent* c, TOperation op) {
    TI_CustomMaskEdit::Notification(c, op);
    if (op == TOperation::opRemove && c == link_control_) link_control_ = nullptr;
}

bool TI_CustomChoiceEdit::CheckGlyphVisible() const {
    return show_check_box_ && !check_glyph_->Empty() && check_glyph_->Width() > 0;
}

void TI_CustomChoiceEdit::GetEditMargins(int& left, int& right) {
    right = StyleMargin(draw_style_);
    if (button_ && !button_retired_ && button_exist_) {
        const int w = GetButtonWidth();
        if (w > Width()) {
            FreeButton();  // hidden at once, freed after a running click
        } else {
            right += w;
            if (Alignment() != taLeftJustify) right += 4;
        }
    }
    left = 0;
    if (CheckGlyphVisible()) {
        int fontHeight = FontHeight(WindowHandle(), Font());
        left = std::max(check_glyph_->Width() + 2, fontHeight + 5);
    }
}

void TI_CustomChoiceEdit::LayoutChanged() {
    HWND h = WindowHandle();
    int left = 0, right = 0;
    GetEditMargins(left, right);
    const POINT offset = StyleOffset(draw_style_);
    RECT r{left + (CheckGlyphVisible() ? 0 : offset.x), offset.y, Width() - right, Height() + 1};
    edit_rect_ = r;
    text_left_ = r.left;
    if (h && multi_line_) {
        SendMessageA(h, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
        LRESULT margins = SendMessageA(h, EM_GETMARGINS, 0, 0);
        SendMessageA(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, margins);
        SendMessageA(h, EM_SCROLLCARET, 0, 0);
    } else if (h) {
        // One line: the same text area as margins of the client area (a
        // one-line EDIT has no formatting rectangle of its own).
        const int clientWidth = ClientRect().right;
        const int leftMargin = std::max(0, static_cast<int>(r.left));
        const int rightMargin = std::max(0, clientWidth - static_cast<int>(r.right));
        SendMessageA(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(leftMargin, rightMargin));
        SendMessageA(h, EM_SCROLLCARET, 0, 0);
    }
    UpdateButtonGlyph();
}

// --- window ----------------------------------------------------------------------------

void TI_CustomChoiceEdit::CreateParams(TCreateParams& p) {
    TI_CustomMaskEdit::CreateParams(p);
    // Several lines wrap at the right edge, as in a memo; one line scrolls
    // sideways to take what is typed (ES_AUTOHSCROLL).
    if (multi_line_)
        p.Style = (p.Style & ~static_cast<DWORD>(ES_AUTOHSCROLL)) | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    p.Style &= ~static_cast<DWORD>(WS_BORDER);
    p.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    if (draw_style_ != fsNone) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TI_CustomChoiceEdit::CreateWnd() {
    TI_CustomMaskEdit::CreateWnd();
    UpdateButton();
    LayoutChanged();
}

void TI_CustomChoiceEdit::BoundsChanged() {
    TI_CustomMaskEdit::BoundsChanged();
    UpdateButton();
    LayoutChanged();
}

void TI_CustomChoiceEdit::CMEnabledChanged(TMessage& m) {
    TI_CustomMaskEdit::CMEnabledChanged(m);
    if (button_) button_->SetEnabled(Enabled() && button_active_);
    Invalidate();
}

void TI_CustomChoiceEdit::CMFontChanged(TMessage& m) {
    TI_CustomMaskEdit::CMFontChanged(m);
    LayoutChanged();
}

void TI_CustomChoiceEdit::CMMouseEnter(TMessage& m) {
    TI_CustomMaskEdit::CMMouseEnter(m);
    if (drag_state_ != 0) return;
    if (!(GetKeyState(VK_LBUTTON) & 0x8000)) pressed_ = false;
    if (draw_style_ == fsFlat && !hot_) {
        hot_ = true;
        PaintFrame(true);
    }
}

void TI_CustomChoiceEdit::CMMouseLeave(TMessage& m) {
    TI_CustomMaskEdit::CMMouseLeave(m);
    if (drag_state_ != 0) return;
    if (button_) WithButton([&] { button_->MouseEvent(-1, -1, EditButtonMouseAction::Move, false); });
    if (draw_style_ == fsFlat && hot_ && !Focused()) {
        hot_ = false;
        PaintFrame(true);
    }
}

void TI_CustomChoiceEdit::CMExit(TMessage& m) {
    CloseUp(false, true);
    if (draw_style_ == fsFlat && !ErrorShown()) hot_ = false;
    TI_CustomMaskEdit::CMExit(m);
    if (IsBeingFreed()) return;
    PaintFrame(true);
}

// --- painting ---------------------------------------------------------------------------

void TI_CustomChoiceEdit::PaintButton() {
    HWND h = WindowHandle();
    if (!h || !IsWindowVisible(h)) return;
    WindowDC dc(h);
    PaintButtonOn(dc.Get());
}

void TI_CustomChoiceEdit::PaintCheckGlyph(HDC dc) {
    if (!CheckGlyphVisible()) return;
    RECT c = ClientRect();
    const int ch = c.bottom - c.top;
    TBitmap bmp(check_glyph_->Width() + 2, ch);
    GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color())));
    RECT all{0, 0, bmp.Width(), bmp.Height()};
    FillRect(bmp.DC(), &all, brush.Get());
    const int gh = check_glyph_->Height();
    const int top = gh < ch ? (ch - gh) / 2 : 0;
    StretchBlt(bmp.DC(), 1, top, bmp.Width() - 2, gh, check_glyph_->DC(), 0, 0, check_glyph_->Width(), gh, SRCCOPY);
    if (!Enabled()) ApplyBitmapEffect(bmp, bmp, BitmapEffect::Greyed);
    BitBlt(dc, 0, 0, bmp.Width(), bmp.Height(), bmp.DC(), 0, 0, SRCCOPY);
}

void TI_CustomChoiceEdit::PaintFrame(bool drawAll) {
    HWND h = WindowHandle();
    if (!h || !IsWindowVisible(h)) return;
    if (drawAll) {
        WindowDC dc(h, true);
        PaintFrameOn(dc.Get());
    }
    WindowDC client(h);
    PaintCheckGlyph(client.Get());
    PaintButtonOn(client.Get());
}

void TI_CustomChoiceEdit::PaintFrameOn(HDC dc) {
    ScopedSaveDC save(dc);
    RECT r{0, 0, Width(), Height()};
    const RECT area = ClientAreaInWindow();
    if (button_ && !button_retired_) {
        RECT b = button_->BoundsRect();
        OffsetRect(&b, area.left, area.top);
        ExcludeClipRect(dc, b.left, b.top, b.right, b.bottom);
    }
    const bool hotLook = (hot_ || Focused()) && !IsDesigning();
    GdiObject<HBRUSH> own(CreateSolidBrush(ColorToRGB(Color())));
    switch (draw_style_) {
    case fcsNormal: {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        RECT in = r;
        InflateRect(&in, -1, -1);
        DrawEdge(dc, &in, BDR_SUNKENINNER, BF_RECT);
        break;
    }
    case fsFlat:
    case fsSingle:
        if (draw_style_ == fsFlat && hotLook) {
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
            RECT in = r;
            InflateRect(&in, -1, -1);
            DrawEdge(dc, &in, BDR_SUNKENINNER, BF_RIGHT | BF_BOTTOM);
            HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
            RECT col{in.left, in.top, in.left + 1, in.bottom};
            FillRect(dc, &col, face);
            RECT row{in.left, in.top, in.right, in.top + 1};
            FillRect(dc, &row, face);
        } else {
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_LEFT | BF_TOP);
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM);
            RECT in = r;
            InflateRect(&in, -1, -1);
            FrameRect(dc, &in, own.Get());
        }
        break;
    case fsNone:
        break;
    }
}

void TI_CustomChoiceEdit::PaintButtonOn(HDC dc) {
    if (button_ && !button_retired_ && button_->Visible()) button_->PaintOn(dc);
}

void TI_CustomChoiceEdit::PaintClientExtras(HDC dc) {
    PaintMarks(dc);
    PaintCheckGlyph(dc);
    PaintButtonOn(dc);
}

void TI_CustomChoiceEdit::PaintNonClient(HDC dc) {
    TI_CustomMaskEdit::PaintNonClient(dc);
    PaintFrameOn(dc);
}

void TI_CustomChoiceEdit::PaintMarks(HDC dc) {
    if (!corner_mark_ && !right_edge_mark_) return;
    RECT c = ClientRect();
    const int x = GetButtonWidth() > 0 ? c.right - GetButtonWidth() - 1 : c.right - 1;
    const int bottom = c.bottom;
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    GdiObject<HBRUSH> window(CreateSolidBrush(ColorToRGB(clWindow)));
    ScopedSaveDC save(dc);
    SelectObject(dc, pen.Get());
    SelectObject(dc, window.Get());
    if (corner_mark_) {
        POINT pts[3] = {{x - 6, bottom - 1}, {x, bottom - 7}, {x, bottom - 1}};
        Polygon(dc, pts, 3);
    }
    if (right_edge_mark_) {
        MoveToEx(dc, x, bottom, nullptr);
        LineTo(dc, x, c.top - 1);
    }
}

// --- messages ------------------------------------------------------------------------------

void TI_CustomChoiceEdit::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_PASTE:
        TakeOutsideText(ClipboardText(), TOutsideText::Paste);
        m.Result = 0;
        return;
    case WM_GETDLGCODE:
        TI_CustomMaskEdit::Dispatch(m);
        // Enter and Escape are the edit's: its KeyPress hands them on to the
        // form (once, as characters) unless they stay in the edit. Tab is not.
        m.Result |= DLGC_WANTALLKEYS;
        return;
    case WM_NCPAINT:
        TI_CustomMaskEdit::Dispatch(m);
        PaintFrame(true);
        return;
    case WM_PAINT:
        TI_CustomMaskEdit::Dispatch(m);
        if (HWND h = WindowHandle(); h && m.WParam == 0) {
            WindowDC dc(h);
            PaintClientExtras(dc.Get());
            PaintPlaceholder(dc.Get());
        }
        AfterPaint();
        return;
    case WM_PRINTCLIENT: {
        // The EDIT leaves the DC clipped to its text rectangle.
        ScopedSaveDC save(reinterpret_cast<HDC>(m.WParam));
        TI_CustomMaskEdit::Dispatch(m);
    }
        PaintClientExtras(reinterpret_cast<HDC>(m.WParam));
        PaintPlaceholder(reinterpret_cast<HDC>(m.WParam));
        return;
    case WM_ERASEBKGND:
        if (!ErasesBackground()) {
            m.Result = 1;
            return;
        }
        break;
    case WM_SETCURSOR:
        if (LOWORD(m.LParam) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            ::ScreenToClient(WindowHandle(), &p);
            if (OverButton(p.x) || OverCheckGlyph(p.x)) {
                ::SetCursor(LoadCursor(nullptr, IDC_ARROW));
                m.Result = 1;
                return;
            }
        }
        break;
    case WM_SETFOCUS:
        TI_CustomMaskEdit::Dispatch(m);
        if (HWND h = WindowHandle(); h && GetFocus() == h) {
            CreateCaret(h, nullptr, 1, std::max(1, FontHeight(h, Font())));
            ShowCaret(h);
        }
        if (draw_style_ == fsFlat && !hot_) {
            hot_ = true;
            PaintFrame(true);
        }
        return;
    case WM_KILLFOCUS: {
        HWND to = reinterpret_cast<HWND>(m.WParam);
        bool toOwnPopup = to && GetWindow(to, GW_OWNER) == WindowHandle();
        if (!toOwnPopup || Application()->InModalState()) CloseUp(false, true);
        if (drag_state_ == 0) EndDragImage();
        break;
    }
    case WM_CAPTURECHANGED:
        // The capture taken away (another window, a menu): the drag ends without a drop.
        if (drag_state_ != 0 && reinterpret_cast<HWND>(m.LParam) != WindowHandle()) {
            CancelDataDrag();
            if (IsBeingFreed()) return;
        }
        break;
    case UM_DROPDOWN:
        m.Result = 0;
        if (GetKeyState(VK_RBUTTON) & 0x8000) return;
        // Opening what is open, or closing what is not, does nothing (the
        // hints stay as they are).
        if (m.WParam && !IsDroppedDown()) {
            saved_show_hint_ = ShowHint();
            SetShowHint(false);
            OpenDropDown();
        } else if (!m.WParam && IsDroppedDown()) {
            CloseDropDown();
            SetShowHint(saved_show_hint_);
        }
        return;
    case CM_CANCELMODE: {
        TI_CustomMaskEdit::Dispatch(m);
        auto* sender = reinterpret_cast<TControl*>(m.LParam);
        TWinControl* popup = DropDownWindow();
        // Neither the edit itself nor its own drop-down closes it.
        if (sender != this && !(popup && (sender == popup || popup->ContainsControl(sender)))) {
            CloseUp(false, true);
            pressed_ = false;
        }
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int x = MessageX(m), y = MessageY(m);
        const bool dbl = m.Msg == WM_LBUTTONDBLCLK;
        if (OverCheckGlyph(x)) {
            if (dbl && choice_locked_) return;
            if (CanFocus()) SetFocus();
            if (Focused()) CheckClick();
            return;
        }
        if (!dbl) {
            const PressKind press = DragMouseDown(x, y);
            if (press == PressKind::Drag || IsBeingFreed()) return;
            if (press == PressKind::Click) {
                // The detection took the release: the EDIT gets it after its press.
                TI_CustomMaskEdit::Dispatch(m);
                if (HWND h = WindowHandle(); h && !IsBeingFreed()) SendMessageA(h, WM_LBUTTONUP, 0, m.LParam);
                return;
            }
        }
        if (OverButton(x)) {
            if (CanFocus() && !Focused()) SetFocus();
            if (Focused() && button_ && !button_retired_) {
                pressed_ = true;
                drop_down_reason_ = drButton;
                WithButton([&] { button_->MouseEvent(x, y, EditButtonMouseAction::Press, true); });
            }
            return;
        }
        if (dbl && Focused() && button_ && button_->Enabled() && event_style_ == esDropDown) {
            DropDown();
            return;
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (drag_state_ != 0) {
            DragMouseMove(m);
            return;
        }
        if (button_ && !button_retired_) {
            const int x = MessageX(m), y = MessageY(m);
            const bool held = (m.WParam & MK_LBUTTON) != 0 && pressed_;
            WithButton([&] { button_->MouseEvent(x, y, EditButtonMouseAction::Move, held); });
        }
        break;
    case WM_LBUTTONUP: {
        if (drag_state_ != 0) {
            DragMouseUp();
            return;
        }
        const bool was = pressed_;
        pressed_ = false;
        if (was && Focused() && button_ && !button_retired_) {
            const int x = MessageX(m), y = MessageY(m);
            WithButton([&] { button_->MouseEvent(x, y, EditButtonMouseAction::Release, false); });
            if (IsBeingFreed()) return;
        }
        break;
    }
    default:
        break;
    }
    TI_CustomMaskEdit::Dispatch(m);
}

void TI_CustomChoiceEdit::KeyDown(WORD& key, TShiftState shift) {
    swallow_enter_char_ = false;
    TI_CustomMaskEdit::KeyDown(key, shift);
    if (IsBeingFreed()) return;
    const bool formRules = Family().form_edit_rules;
    // The form edits open with a plain F2 only.
    if (key == VK_F2 && (!formRules || (shift & (ssShift | ssCtrl | ssAlt)) == 0)) DropDown();
    if (!formRules || key == 0 || IsBeingFreed()) return;
    HWND self = WindowHandle();
    if (key == VK_RETURN) {
        // An open list takes Enter itself (KeyPress accepts its item).
        if (IsDroppedDown()) return;
        SelectNext(this, (shift & ssShift) == 0, VK_RETURN, true);
        // Its character must not act a second time as the form's dialog key.
        if (!IsBeingFreed() && self && GetFocus() != self) swallow_enter_char_ = true;
        return;
    }
    AskSelectNext(this, nullptr, key);
}

void TI_CustomChoiceEdit::KeyPress(char& key) {
    if (key == VK_RETURN && swallow_enter_char_) {
        // The Enter that moved the focus: its own handler sees it, nothing else.
        swallow_enter_char_ = false;
        TWinControl::KeyPress(key);
        key = 0;
        return;
    }
    if ((key == VK_RETURN || key == VK_ESCAPE) && BubbleWithButtonsShown()) {
        PostHideMessage();
        key = 0;
        return;
    }
    TI_CustomMaskEdit::KeyPress(key);
    if (key == 0 || IsBeingFreed()) return;
    if (multi_line_) {
        // A form edit's Enter moves the focus (or was vetoed): never a new line.
        if (key == VK_RETURN && Family().form_edit_rules) key = 0;
        return;
    }
    if (key == VK_RETURN || key == VK_ESCAPE) {
        if (Perform(CM_WANTSPECIALKEY, static_cast<unsigned char>(key), 0) == 0) {
            if (TCustomForm* form = GetParentForm(this)) form->Perform(CM_DIALOGKEY, static_cast<unsigned char>(key), 0);
            key = 0;
        }
        return;
    }
    // One line: a typed line break (Ctrl+Enter gives LF) would reach the stored text.
    if (key == '\n' || key == '\r') key = 0;
}
