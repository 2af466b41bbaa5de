// TI_MessageWindow: the bubble that shows an error or hint next to a
// control. A popup window with a text in "/" style codes, an optional icon
// and row of buttons, three shapes (rectangle, rounded, balloon with a
// pointer towards its anchor), automatic sizing and an auto-hide timer.
//
// Auto-hide: Show starts a window timer (unless the bubble carries
// buttons). Only its expiry posts UM_BUBBLE with WParam 0 to a windowed
// owner (which hides the bubble); without one the bubble hides itself. Hide
// just stops the timer, so a bubble shown again for a new text is never
// hidden by the old text's timer.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "editors/popups/bubble_geometry.h"
#include "editors/popups/popup_window.h"
#include "editors/tools/edit_buttons.h"
#include "framework/bitmap.h"

// draw: set false to paint no text; text may be changed; rect: the text area.
using TBubbleDrawTextEvent =
    std::function<void(TObject* Sender, HDC Dc, bool& Draw, std::string& Text, const RECT& Rect)>;

class TI_MessageWindow : public TI_PopupWindow {
public:
    explicit TI_MessageWindow(TComponent* AOwner, const PopupFamily& family = kInplaceFamily);
    ~TI_MessageWindow() override;

    TI_EditButtons& Buttons() { return *buttons_; }

    int IconKind() const { return icon_kind_; }
    void SetIconKind(int value);
    // Copies the picture as the bubble's own icon (kind 2 draws it).
    void SetIcon(TBitmap* value);
    TBitmap& Icon() { return *icon_; }
    bool IconShown() const { return icon_shown_; }

    bool AutoHide() const { return auto_hide_; }
    void SetAutoHide(bool value) { auto_hide_ = value; }
    int HideDelay() const { return hide_delay_; }
    void SetHideDelay(int ms) { hide_delay_ = ms; }
    bool TimerPending() const { return timer_pending_; }

    int Shape() const { return shape_; }
    void SetShape(int value);
    int MaxTextWidth() const { return max_text_width_; }
    void SetMaxTextWidth(int value);
    bool CentreVertically() const { return centre_vertically_; }
    void SetCentreVertically(bool value);
    const BubbleMetrics& Metrics() const { return metrics_; }

    // While an update is open, changes do not re-size the bubble.
    void BeginUpdate() { ++update_count_; }
    void EndUpdate();
    // Size and window region from text, icon, buttons and shape.
    void ReSize();
    // The window region for the current size, shape and placement (in the
    // bubble's own coordinates).
    GdiObject<HRGN> CreateRegion() const;

    void Show() override;
    void Hide() override;

    TBubbleDrawTextEvent OnDrawText;

protected:
    void CreateWnd() override;
    void Paint() override;
    void SetPlacementFlags(int flags) override;
    void Dispatch(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void BeforeDestruction() override;

private:
    void StopTimer();
    void RebuildRegion();
    // The canvas font the text is measured and painted in.
    void PrepareFont(TCanvas& canvas);
    void PaintInto(TBitmap& buffer);

    std::unique_ptr<TI_EditButtons> buttons_;
    std::unique_ptr<TBitmap> icon_;
    std::unique_ptr<TBitmap> back_buffer_;
    BubbleMetrics metrics_;
    int icon_kind_ = 0;
    bool icon_shown_ = true;
    bool auto_hide_ = false;
    bool timer_pending_ = false;
    int hide_delay_ = 2000;
    int shape_ = bsRectangle;
    bool centre_vertically_ = false;
    int max_text_width_ = 0;
    int update_count_ = 0;
    int buttons_shift_ = 0;  // how far the buttons stand left of where they were put
};

class TDCMessageWindow : public TI_MessageWindow {
public:
    explicit TDCMessageWindow(TComponent* AOwner) : TI_MessageWindow(AOwner, kFormFamily) {}
};
