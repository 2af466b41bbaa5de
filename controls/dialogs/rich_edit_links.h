// TRichEditWithLinks: the OLE rich edit with detected links, a link-click
// event, a placeholder for an empty control, a block-key hook and the
// Ctrl+Tab rule (Tab moves the focus, Ctrl+Tab stays in the control).
#pragma once

#include <functional>
#include <string>

#include "controls/dialogs/ole_rich_edit.h"

// A link was clicked: its character range and text.
using TLinkClicked = std::function<void(TObject* Sender, int cpMin, int cpMax, const std::string& Text)>;
using TBlockKeyDown = std::function<void(TObject* Sender, TMessage& Message)>;

// The frame colour drawn around the window when BorderWidth is not 0.
inline constexpr TColor kLinkEditFrameColor = 10930928;

class TRichEditWithLinks : public TOLECustomRichEdit {
public:
    explicit TRichEditWithLinks(TComponent* AOwner);

    // Shown while the text (blanks removed) is empty; empty: nothing shown.
    const std::string& Placeholder() const { return placeholder_; }
    void SetPlaceholder(const std::string& Text);

    // Only for a release of the left button on the link the button was
    // pressed on, while nothing is selected (a release alone, say after a
    // double click elsewhere opened the window under the pointer, is no
    // click); the release's notification counts as handled whenever this
    // is set.
    TLinkClicked OnHyperlinkClicked;
    // Page Up, Page Down and End, after the control handled them.
    TBlockKeyDown OnBlockKeyDown;

protected:
    void Dispatch(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void WMKeyDown(TMessage& Message) override;
    void WMPaint(TMessage& Message) override;
    void CNNotify(TMessage& Message) override;
    void Change() override;

private:
    bool ShowsPlaceholder() const;
    void PaintPlaceholder();
    std::string placeholder_;
    bool empty_ = true;
    // The link the left button went down on; from < 0: none.
    int pressed_from_ = -1;
    int pressed_to_ = -1;
};

// The placeholder's colour on Background: inverted, then 200 lighter on the
// 0..240 luminance scale.
TColor PlaceholderColor(TColor Background);
