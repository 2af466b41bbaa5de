// TCustomRichEdit: the system rich edit (riched20, ANSI window, CP1252 text)
// as a framework control.
//
// Text goes in and out as plain text (SetText/GetText, PlainTextOut) or as
// RTF (SetRtfText/RtfText, through EM_STREAMIN/EM_STREAMOUT). The content
// survives a re-made window (kept as RTF while there is none). Notifications
// come back from the parent as CN_NOTIFY (EN_LINK, EN_PROTECTED, ...) and
// CN_COMMAND (EN_CHANGE). The rich edit answers WM_GETDLGCODE with the Tab
// key wanted, also where Tab should move the focus; here it wants Tab only
// with WantTabs, so Tab is a dialog key by default. Printing lays the text out
// page by page with EM_FORMATRANGE on a TPrinter.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <functional>
#include <string>

#include "framework/win_control.h"

class TPrinter;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Protected text is about to change; AllowChange false keeps it.
using TRichEditProtectChange = std::function<void(TObject* Sender, int StartPos, int EndPos, bool& AllowChange)>;

class TCustomRichEdit : public TWinControl {
public:
    explicit TCustomRichEdit(TComponent* AOwner);

    // Plain text (GetText is the base's: the window's text, or without a
    // window the text set or kept from the last window).
    void SetText(const std::string& value) override;
    // The content as RTF; setting RTF replaces the content (without a window
    // it goes in when the window is made).
    std::string RtfText() const;
    void SetRtfText(const std::string& Rtf);
    // The content as plain text through the stream interface (CR LF lines).
    std::string PlainTextOut() const;
    int TextLength() const;
    // Lines as the control breaks them at paragraph ends (not at wraps).
    int LineCount() const;
    std::string Line(int Index) const;
    // Empties the control and clears its modified flag.
    virtual void Clear();

    // Selection in characters (EM_EXGETSEL/EM_EXSETSEL).
    CHARRANGE Selection() const;
    void SetSelection(int Start, int End);
    int SelStart() const { return static_cast<int>(Selection().cpMin); }
    int SelLength() const;
    void SelectAll() { SetSelection(0, -1); }
    std::string SelText() const;                 // EM_GETSELTEXT
    void ReplaceSel(const std::string& Text, bool CanUndo = true);  // EM_REPLACESEL
    std::string TextRange(int Start, int End) const;  // EM_GETTEXTRANGE
    void CopyToClipboard();

    bool Modified() const;
    void SetModified(bool value);
    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool value);
    // Text mode at window creation: plain text (one format) or rich text.
    bool PlainText() const { return plain_text_; }
    void SetPlainText(bool value);
    TScrollStyle ScrollBars() const { return scroll_bars_; }
    void SetScrollBars(TScrollStyle value);
    // False: the scroll bars stay in place (disabled while not needed), so
    // the client area does not change with the text.
    bool HideScrollBars() const { return hide_scroll_bars_; }
    void SetHideScrollBars(bool value);
    bool WantTabs() const { return want_tabs_; }
    void SetWantTabs(bool value) { want_tabs_ = value; }
    // The rectangle the text is formatted in (EM_GETRECT/EM_SETRECT), client
    // coordinates; without a window the one set, else the client rectangle.
    // Set before the window exists, it is given to the window before the
    // text goes in; the same rectangle again changes nothing. (Each change
    // lays the whole text out anew, which takes long for a long text.)
    RECT FormatRect() const;
    void SetFormatRect(const RECT& Rect);
    // Links detected in the text (EM_AUTOURLDETECT), set before the text
    // goes into a new window (the control marks links as text comes in).
    bool AutoUrlDetect() const { return auto_url_detect_; }
    void SetAutoUrlDetect(bool value);
    // Event mask (EM_SETEVENTMASK), kept across a re-made window.
    DWORD EventMask() const { return event_mask_; }
    void SetEventMask(DWORD Mask);

    // Printing: PageRect is the text's rectangle in device units of the
    // printer's printable area (empty: the whole area). Print starts a job
    // named Title and prints every page; False when the job did not start.
    RECT PageRect{};
    bool Print(TPrinter& Printer, const std::string& Title);

    TNotifyEvent OnChange;
    TRichEditProtectChange OnProtectChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WMGetDlgCode(TMessage& Message) override;
    void CNCommand(TMessage& Message) override;
    void CNNotify(TMessage& Message) override;
    // Text changed (EN_CHANGE): fires OnChange.
    virtual void Change();
    // EN_PROTECTED: OnProtectChange decides; without it the change is kept.
    virtual bool ProtectChange(int StartPos, int EndPos);

private:
    std::string StreamOut(UINT Format) const;
    void StreamIn(UINT Format, const std::string& Bytes);
    bool read_only_ = false;
    bool plain_text_ = false;
    bool want_tabs_ = false;
    bool auto_url_detect_ = false;
    TScrollStyle scroll_bars_ = ssBoth;
    bool hide_scroll_bars_ = true;
    bool has_format_rect_ = false;
    bool format_rect_given_ = false;  // the window has format_rect_
    RECT format_rect_{};
    DWORD event_mask_ = ENM_CHANGE | ENM_PROTECTED;
    std::string creation_text_;  // plain text for the window being made
    std::string kept_rtf_;       // the content while the window is re-made
    bool has_kept_rtf_ = false;
    bool modified_ = false;      // the flag while there is no window
};
