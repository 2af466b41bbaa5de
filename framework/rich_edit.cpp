#include "framework/rich_edit.h"

#include <algorithm>
#include <vector>

#include "framework/messages.h"
#include "framework/printer.h"

namespace {

// The rich edit's library, loaded by the first rich edit made and kept for
// the process (its window class must outlive every window of it).
void EnsureRichEditLibrary() {
    static HMODULE library = nullptr;
    if (!library) library = LoadLibraryA("riched20.dll");
}

struct StreamState {
    const std::string* in = nullptr;
    size_t pos = 0;
    std::string* out = nullptr;
};

DWORD CALLBACK StreamOutCallback(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Done) {
    auto* s = reinterpret_cast<StreamState*>(Cookie);
    try {
        s->out->append(reinterpret_cast<const char*>(Buffer), static_cast<size_t>(Count));
    } catch (...) {
        *Done = 0;
        return 1;  // the control stops streaming
    }
    *Done = Count;
    return 0;
}

DWORD CALLBACK StreamInCallback(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Done) {
    auto* s = reinterpret_cast<StreamState*>(Cookie);
    const size_t n = std::min(static_cast<size_t>(Count), s->in->size() - s->pos);
    std::copy_n(s->in->data() + s->pos, n, reinterpret_cast<char*>(Buffer));
    s->pos += n;
    *Done = static_cast<LONG>(n);
    return 0;
}

}  // namespace

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 185, 89);
}

// --- window ------------------------------------------------------------------------------

void TCustomRichEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    EnsureRichEditLibrary();
    p.WinClassName = RICHEDIT_CLASSA;
    p.SystemClass = true;
    p.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_SAVESEL | WS_TABSTOP;
    if (read_only_) p.Style |= ES_READONLY;
    if (scroll_bars_ == ssVertical || scroll_bars_ == ssBoth) p.Style |= WS_VSCROLL;
    if (scroll_bars_ == ssHorizontal || scroll_bars_ == ssBoth) p.Style |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (!hide_scroll_bars_) p.Style |= ES_DISABLENOSCROLL;
    // The text goes in after the text mode is set (only an empty control
    // changes its mode).
    creation_text_ = p.Caption;
    p.Caption.clear();
}

void TCustomRichEdit::CreateWnd() {
    TWinControl::CreateWnd();
    HWND h = WindowHandle();
    SendMessageA(h, EM_SETTEXTMODE, plain_text_ ? TM_PLAINTEXT : TM_RICHTEXT, 0);
    SendMessageA(h, EM_EXLIMITTEXT, 0, 0x7FFFFFF0);
    SendMessageA(h, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToCOLORREF(Color())));
    SendMessageA(h, EM_AUTOURLDETECT, auto_url_detect_, 0);
    // The text is laid out once, in its rectangle.
    format_rect_given_ = has_format_rect_;
    if (has_format_rect_) SendMessageA(h, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format_rect_));
    if (has_kept_rtf_) {
        StreamIn(SF_RTF, kept_rtf_);
        kept_rtf_.clear();
        has_kept_rtf_ = false;
    } else {
        SetWindowTextA(h, creation_text_.c_str());
    }
    creation_text_.clear();
    // Putting the text in sets the flag; the window keeps what it had.
    SendMessageA(h, EM_SETMODIFY, modified_, 0);
    SendMessageA(h, EM_SETEVENTMASK, 0, static_cast<LPARAM>(event_mask_));
}

void TCustomRichEdit::DestroyWnd() {
    if (HWND h = WindowHandle()) {
        modified_ = SendMessageA(h, EM_GETMODIFY, 0, 0) != 0;
        if (!plain_text_) {
            kept_rtf_ = StreamOut(SF_RTF);
            has_kept_rtf_ = true;
        }
        // The window's text is kept by the base (plain text).
        (void)h;
    }
    TWinControl::DestroyWnd();
}

// --- text --------------------------------------------------------------------------------

std::string TCustomRichEdit::StreamOut(UINT Format) const {
    std::string out;
    HWND h = WindowHandle();
    if (!h) return out;
    StreamState state;
    state.out = &out;
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&state);
    es.pfnCallback = &StreamOutCallback;
    SendMessageA(h, EM_STREAMOUT, Format, reinterpret_cast<LPARAM>(&es));
    return out;
}

void TCustomRichEdit::StreamIn(UINT Format, const std::string& Bytes) {
    HWND h = WindowHandle();
    if (!h) return;
    StreamState state;
    state.in = &Bytes;
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&state);
    es.pfnCallback = &StreamInCallback;
    SendMessageA(h, EM_STREAMIN, Format, reinterpret_cast<LPARAM>(&es));
}

void TCustomRichEdit::SetText(const std::string& value) {
    has_kept_rtf_ = false;
    kept_rtf_.clear();
    TWinControl::SetText(value);
}

std::string TCustomRichEdit::RtfText() const {
    if (has_kept_rtf_) return kept_rtf_;
    return StreamOut(SF_RTF);
}

void TCustomRichEdit::SetRtfText(const std::string& Rtf) {
    if (!WindowHandle()) {
        kept_rtf_ = Rtf;  // streamed in when the window is made
        has_kept_rtf_ = true;
        return;
    }
    has_kept_rtf_ = false;
    kept_rtf_.clear();
    StreamIn(SF_RTF, Rtf);
    Perform(CM_TEXTCHANGED);
}

std::string TCustomRichEdit::PlainTextOut() const {
    if (WindowHandle()) return StreamOut(SF_TEXT);
    return GetText();
}

int TCustomRichEdit::TextLength() const {
    HWND h = WindowHandle();
    if (!h) return static_cast<int>(GetText().size());
    GETTEXTLENGTHEX gl{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    return static_cast<int>(SendMessageA(h, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gl), 0));
}

int TCustomRichEdit::LineCount() const {
    const std::string t = GetText();
    if (t.empty()) return 0;
    int lines = 1;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r' || t[i] == '\n') {
            if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
            if (i + 1 < t.size()) ++lines;
        }
    }
    return lines;
}

std::string TCustomRichEdit::Line(int Index) const {
    const std::string t = GetText();
    size_t start = 0;
    for (int line = 0; start <= t.size(); ++line) {
        size_t end = t.find_first_of("\r\n", start);
        if (end == std::string::npos) end = t.size();
        if (line == Index) return t.substr(start, end - start);
        if (end == t.size()) break;
        start = end + ((t[end] == '\r' && end + 1 < t.size() && t[end + 1] == '\n') ? 2 : 1);
    }
    return std::string();
}

void TCustomRichEdit::Clear() {
    SetText("");
    SetModified(false);
}

// --- selection -----------------------------------------------------------------------------

CHARRANGE TCustomRichEdit::Selection() const {
    CHARRANGE r{0, 0};
    if (HWND h = WindowHandle()) SendMessageA(h, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomRichEdit::SetSelection(int Start, int End) {
    CHARRANGE r{Start, End};
    SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

int TCustomRichEdit::SelLength() const {
    const CHARRANGE r = Selection();
    return static_cast<int>(r.cpMax - r.cpMin);
}

std::string TCustomRichEdit::SelText() const {
    HWND h = WindowHandle();
    const int n = SelLength();
    if (!h || n <= 0) return std::string();
    // Room for a CR LF per character at most, and the terminating zero.
    std::vector<char> buf(static_cast<size_t>(n) * 2 + 1, '\0');
    const LRESULT got = SendMessageA(h, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buf.data()));
    return std::string(buf.data(), static_cast<size_t>(std::max<LRESULT>(0, got)));
}

void TCustomRichEdit::ReplaceSel(const std::string& Text, bool CanUndo) {
    SendMessageA(Handle(), EM_REPLACESEL, CanUndo, reinterpret_cast<LPARAM>(Text.c_str()));
}

std::string TCustomRichEdit::TextRange(int Start, int End) const {
    HWND h = WindowHandle();
    if (!h) {
        const std::string text = GetText();
        const int n = static_cast<int>(text.size());
        Start = std::clamp(Start, 0, n);
        End = End < 0 ? n : std::clamp(End, Start, n);
        return text.substr(static_cast<size_t>(Start), static_cast<size_t>(End - Start));
    }
    if (End < 0) End = TextLength();
    if (Start < 0 || End <= Start) return std::string();
    std::vector<char> buf(static_cast<size_t>(End - Start) * 2 + 1, '\0');
    TEXTRANGEA tr{};
    tr.chrg.cpMin = Start;
    tr.chrg.cpMax = End;
    tr.lpstrText = buf.data();
    const LRESULT got = SendMessageA(h, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
    return std::string(buf.data(), static_cast<size_t>(std::max<LRESULT>(0, got)));
}

void TCustomRichEdit::CopyToClipboard() {
    if (HWND h = WindowHandle()) SendMessageA(h, WM_COPY, 0, 0);
}

// --- state ---------------------------------------------------------------------------------

bool TCustomRichEdit::Modified() const {
    HWND h = WindowHandle();
    return h ? SendMessageA(h, EM_GETMODIFY, 0, 0) != 0 : modified_;
}

void TCustomRichEdit::SetModified(bool value) {
    modified_ = value;
    if (HWND h = WindowHandle()) SendMessageA(h, EM_SETMODIFY, value, 0);
}

void TCustomRichEdit::SetReadOnly(bool value) {
    read_only_ = value;
    if (HWND h = WindowHandle()) SendMessageA(h, EM_SETREADONLY, value, 0);
}

void TCustomRichEdit::SetPlainText(bool value) {
    if (plain_text_ == value) return;
    plain_text_ = value;
    RecreateWnd();
}

void TCustomRichEdit::SetScrollBars(TScrollStyle value) {
    if (scroll_bars_ == value) return;
    scroll_bars_ = value;
    RecreateWnd();
}

RECT TCustomRichEdit::FormatRect() const {
    RECT r = has_format_rect_ ? format_rect_ : ClientRect();
    if (HWND h = WindowHandle()) SendMessageA(h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomRichEdit::SetFormatRect(const RECT& Rect) {
    // Compared with what the window was given: the control itself may take
    // room off the rectangle it reports (for a scroll bar).
    HWND h = WindowHandle();
    if (h && format_rect_given_ && EqualRect(&format_rect_, &Rect)) return;
    format_rect_ = Rect;
    has_format_rect_ = true;
    format_rect_given_ = h != nullptr;
    if (h) SendMessageA(h, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&Rect));
}

void TCustomRichEdit::SetHideScrollBars(bool value) {
    if (hide_scroll_bars_ == value) return;
    hide_scroll_bars_ = value;
    RecreateWnd();
}

void TCustomRichEdit::SetAutoUrlDetect(bool value) {
    auto_url_detect_ = value;
    if (!WindowHandle()) return;
    SendMessageA(WindowHandle(), EM_AUTOURLDETECT, value, 0);
    // Text already in the control is scanned when it goes in again.
    if (plain_text_) SetText(GetText());
    else SetRtfText(RtfText());
}

void TCustomRichEdit::SetEventMask(DWORD Mask) {
    event_mask_ = Mask;
    if (HWND h = WindowHandle()) SendMessageA(h, EM_SETEVENTMASK, 0, static_cast<LPARAM>(Mask));
}

// --- messages ------------------------------------------------------------------------------

void TCustomRichEdit::WMGetDlgCode(TMessage& m) {
    TWinControl::WMGetDlgCode(m);
    // The control's own answer claims Tab (and all keys); Tab is a dialog key
    // here unless the control is to take it.
    m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS);
    if (want_tabs_) m.Result |= DLGC_WANTTAB;
}

void TCustomRichEdit::CNCommand(TMessage& m) {
    if (HIWORD(m.WParam) == EN_CHANGE) Change();
    m.Result = 0;
}

void TCustomRichEdit::CNNotify(TMessage& m) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
    if (hdr && hdr->code == EN_PROTECTED) {
        const auto* p = reinterpret_cast<const ENPROTECTED*>(m.LParam);
        m.Result = ProtectChange(static_cast<int>(p->chrg.cpMin), static_cast<int>(p->chrg.cpMax)) ? 0 : 1;
        return;
    }
    TWinControl::CNNotify(m);
}

void TCustomRichEdit::Change() {
    if (OnChange) OnChange(this);
}

bool TCustomRichEdit::ProtectChange(int StartPos, int EndPos) {
    bool allow = true;
    if (OnProtectChange) OnProtectChange(this, StartPos, EndPos, allow);
    return allow;
}

// --- printing --------------------------------------------------------------------------------

bool TCustomRichEdit::Print(TPrinter& Printer, const std::string& Title) {
    HWND h = Handle();
    HDC dc = Printer.Handle();
    const TPrinterMetrics metrics = Printer.Metrics();
    PlainRect page{PageRect.left, PageRect.top, PageRect.right, PageRect.bottom};
    if (page.Width() <= 0 || page.Height() <= 0) page = {0, 0, metrics.PageWidth, metrics.PageHeight};
    const PlainRect twips = DeviceRectToTwips(page, metrics.PixelsPerInchX, metrics.PixelsPerInchY);
    const PlainRect paper = DeviceRectToTwips({0, 0, metrics.PageWidth, metrics.PageHeight},
                                              metrics.PixelsPerInchX, metrics.PixelsPerInchY);
    if (!Printer.BeginDoc(Title)) return false;
    FORMATRANGE fr{};
    fr.hdc = dc;
    fr.hdcTarget = dc;
    fr.rcPage = {paper.left, paper.top, paper.right, paper.bottom};
    const int length = TextLength();
    RunPageLoop(length, [&](int start) {
        Printer.BeginPage();
        fr.rc = {twips.left, twips.top, twips.right, twips.bottom};
        fr.chrg.cpMin = start;
        fr.chrg.cpMax = -1;
        const int next = static_cast<int>(SendMessageA(h, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&fr)));
        Printer.EndPage();
        return next;
    });
    SendMessageA(h, EM_FORMATRANGE, FALSE, 0);  // the control lets go of its cached layout
    Printer.EndDoc();
    return true;
}
