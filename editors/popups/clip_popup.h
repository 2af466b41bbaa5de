// TI_ClipPopup: a popup window with an optional small caption bar and size
// grip in its frame and a row of buttons. The user moves it by its caption
// (or Ctrl+arrows), resizes it by the grip, and a press outside it ends it.
//
// A shown clip popup holds the mouse capture, so the mouse reaches it as
// client messages wherever the pointer is: the hit areas are tested on
// those too, and the capture comes back after tracking and after a button
// took its click. TrackPopupRect is the modal move and resize loop.
#pragma once

#include <windows.h>

#include <memory>

#include "editors/popups/clip_popup_geometry.h"
#include "editors/popups/popup_window.h"
#include "editors/tools/edit_buttons.h"

class TI_ClipPopup : public TI_PopupWindow {
public:
    explicit TI_ClipPopup(TComponent* AOwner, const PopupFamily& family = kInplaceFamily);
    ~TI_ClipPopup() override;

    TI_EditButtons& Buttons() { return *buttons_; }

    unsigned Options() const { return options_; }
    void SetOptions(unsigned value);
    int BorderStyle() const { return border_style_; }
    void SetBorderStyle(int value);
    const ClipMargins& Margins() const { return margins_; }
    // The area of the last hit test.
    int HitArea() const { return hit_area_; }
    // The hit test at a screen point (the popup's window must exist).
    ClipHit HitTestAt(POINT screen) const;
    bool Tracking() const { return tracking_; }

    void Show() override;
    void Hide() override;
    // Ctrl+arrows move a popup with a caption bar by 10 pixels.
    void KeyDown(WORD& Key, TShiftState Shift) override;

protected:
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void PaintNonClient(HDC DC) override;
    // A copy (PaintTo) does not pass the buttons' window hook: it paints them.
    void Paint() override;
    void BeforeDestruction() override;
    virtual void PaintBorder(HDC WindowDC);
    virtual void PaintCaption(HDC WindowDC);
    virtual void PaintSizeGrip(HDC WindowDC);
    virtual void CalcMargins();
    virtual void ButtonsChanged() {}
    virtual bool MovesByKeys() const { return true; }
    // A press outside the popup while it holds the capture: it hides.
    virtual void OutsidePress();
    // The window rectangle in window coordinates.
    RECT WindowBox() const;

private:
    friend bool TrackPopupRect(TI_ClipPopup* popup, int x, int y, int step, int mode);
    void FrameChanged();
    // True when the press started tracking or hit outside.
    bool PressAt(POINT screen);
    void SetCursorFor(POINT screen);
    void Activated(TMessage& Message);

    std::unique_ptr<TI_EditButtons> buttons_;
    unsigned options_ = 0;
    int border_style_ = 0;
    ClipMargins margins_;
    int hit_area_ = caClient;
    bool tracking_ = false;
};

// The modal move (mode 1) or resize (mode 0) loop from the cursor position
// (x, y) on the screen: a drag frame follows the mouse with a size label;
// the button's release applies the new bounds (after UM_BEFORETRACKMOVE 0
// to the popup), a press or Esc ends without a change, a WM_QUIT ends it and
// stays queued. Returns whether the bounds were applied.
bool TrackPopupRect(TI_ClipPopup* popup, int x, int y, int step, int mode);
// True while a tracking loop runs.
bool PopupTrackingActive();
