#include "controls/dialogs/rich_edit_links.h"

#include "controls/flat/hsl_utils.h"
#include "framework/font.h"
#include "framework/gdi_owner.h"
#include "framework/graphics_base.h"
#include "framework/sysutils.h"

namespace {

bool BlankText(const std::string& S) {
    for (char c : S)
        if (c != ' ') return false;
    return true;
}

}  // namespace

TColor PlaceholderColor(TColor Background) {
    const TColor rgb = ColorToRGB(Background) & 0xFFFFFF;
    return AdjustLuminance(~rgb & 0xFFFFFF, 200);
}

TRichEditWithLinks::TRichEditWithLinks(TComponent* AOwner) : TOLECustomRichEdit(AOwner) {
    // Protected text (links the control marks) may always change.
    OnProtectChange = [](TObject*, int, int, bool& Allow) { Allow = true; };
    SetEventMask(EventMask() | ENM_LINK);
    SetAutoUrlDetect(true);
}

void TRichEditWithLinks::SetPlaceholder(const std::string& Text) {
    placeholder_ = Text;
    empty_ = BlankText(GetText());
    Invalidate();
}


void TRichEditWithLinks::CNNotify(TMessage& m) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
    if (hdr && hdr->code == EN_LINK) {
        const auto* link = reinterpret_cast<const ENLINK*>(m.LParam);
        const int from = static_cast<int>(link->chrg.cpMin), to = static_cast<int>(link->chrg.cpMax);
        if (link->msg == WM_LBUTTONDOWN) {
            pressed_from_ = from;
            pressed_to_ = to;
        }
        if (link->msg == WM_LBUTTONUP && OnHyperlinkClicked) {
            const bool clicked = pressed_from_ == from && pressed_to_ == to;
            pressed_from_ = pressed_to_ = -1;
            const std::string text = TextRange(from, to);
            if (clicked && SelLength() == 0) OnHyperlinkClicked(this, from, to, text);
            m.Result = 1;
            return;
        }
    }
    TOLECustomRichEdit::CNNotify(m);
}

void TRichEditWithLinks::WMKeyDown(TMessage& m) {
    TOLECustomRichEdit::WMKeyDown(m);
    if (IsBeingFreed() || !OnBlockKeyDown) return;
    if (m.WParam == VK_PRIOR || m.WParam == VK_NEXT || m.WParam == VK_END) OnBlockKeyDown(this, m);
}

void TRichEditWithLinks::WMGetDlgCode(TMessage& m) {
    TOLECustomRichEdit::WMGetDlgCode(m);
    if ((m.Result & DLGC_WANTTAB) == 0 && GetKeyState(VK_CONTROL) < 0) m.Result |= DLGC_WANTTAB;
}

bool TRichEditWithLinks::ShowsPlaceholder() const { return !placeholder_.empty() && empty_; }

void TRichEditWithLinks::WMPaint(TMessage& m) {
    TOLECustomRichEdit::WMPaint(m);
    if (ShowsPlaceholder() && WindowHandle()) PaintPlaceholder();
}

void TRichEditWithLinks::PaintPlaceholder() {
    WindowDC dc(WindowHandle(), false);
    TFont font;
    font.SetName("Tahoma");
    font.SetSize(9);
    ScopedSelect selected(dc.Get(), font.Handle());
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), ColorToCOLORREF(PlaceholderColor(Color())));
    const std::string text = " " + placeholder_;
    TextOutA(dc.Get(), 2, 2, text.c_str(), static_cast<int>(text.size()));
}

void TRichEditWithLinks::Change() {
    if (!placeholder_.empty()) {
        const bool now_empty = BlankText(GetText());
        if (empty_ && !now_empty) Invalidate();  // the placeholder goes once
        empty_ = now_empty;
    }
    TOLECustomRichEdit::Change();
}

void TRichEditWithLinks::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A press off every link forgets the last one; a press on a link
        // records it through the control's link notice.
        pressed_from_ = pressed_to_ = -1;
        TOLECustomRichEdit::Dispatch(m);
        return;
    case WM_LBUTTONUP:
        TOLECustomRichEdit::Dispatch(m);
        pressed_from_ = pressed_to_ = -1;
        return;
    case WM_KILLFOCUS:
        pressed_from_ = pressed_to_ = -1;
        TOLECustomRichEdit::Dispatch(m);
        return;
    case WM_NCCALCSIZE:
        DefaultHandler(m);
        // Room for the frame inside the window.
        if (BorderWidth() != 0 && m.WParam) {
            auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
            InflateRect(&p->rgrc[0], -1, -1);
        }
        return;
    case WM_NCPAINT:
        DefaultHandler(m);
        if (BorderWidth() != 0 && WindowHandle()) {
            WindowDC dc(WindowHandle(), true);
            RECT r;
            GetWindowRect(WindowHandle(), &r);
            OffsetRect(&r, -r.left, -r.top);
            GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToCOLORREF(kLinkEditFrameColor)));
            FrameRect(dc.Get(), &r, brush.Get());
        }
        return;
    default: TOLECustomRichEdit::Dispatch(m); return;
    }
}
