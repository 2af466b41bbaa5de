// The popup surfaces of the edit controls.
//
// PlacePopup puts a window next to its owner control and shows it top-most
// without activating it. TI_PopupWindow is a borderless top-level tool
// window that keeps a popup rectangle and a placement mode, and never takes
// the focus from the edit it belongs to (clicks into it answer
// MA_NOACTIVATE). TDCPopupWindow is the same window for the form edits.
#pragma once

#include <windows.h>

#include "editors/popups/popup_family.h"
#include "editors/popups/popup_geometry.h"
#include "framework/custom_control.h"

// Places and shows window (top-most, not activated) for mode and rect (size,
// and position for modes 0 and 3) next to owner (may be nullptr). The
// window's stored bounds follow without going through its SetBounds.
// Returns the placement flags, or -1 when no owner-relative placement took
// place.
int PlacePopup(TWinControl* window, int mode, const RECT& rect, TWinControl* owner, bool keep_on_screen);

// The screen rectangles PlacePopup fits into (from the screen object, so a
// test may give it monitors of its own): the monitor of popup (the nearest
// one when it lies on none; the primary monitor without popup) and the
// virtual screen.
PopupScreens CurrentPopupScreens(const RECT* popup = nullptr);

// Dispatches the thread's pending WM_PAINT messages, a bounded number; a
// WM_QUIT met on the way is posted again and ends the run.
void DispatchPendingPaint();

class TI_PopupWindow : public TCustomControl {
public:
    explicit TI_PopupWindow(TComponent* AOwner, const PopupFamily& family = kInplaceFamily);

    // The control the popup belongs to (its owner, when that is windowed).
    TWinControl* OwnerControl() const;
    const PopupFamily& Family() const { return family_; }

    void Show() override;
    void Hide() override;
    bool Shown() const { return shown_; }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetPopupRect(int ALeft, int ATop, int AWidth, int AHeight);
    RECT PopupRect() const { return popup_rect_; }
    int PopupMode() const { return mode_; }
    void SetPopupPosition(int mode);
    bool KeepOnScreen() const { return keep_on_screen_; }
    void SetKeepOnScreen(bool value) { keep_on_screen_ = value; }
    int PlacementFlags() const { return placement_flags_; }

protected:
    void CreateParams(TCreateParams& Params) override;
    bool ShowsWithoutParent() const override { return true; }
    void Dispatch(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;
    virtual void SetPlacementFlags(int flags);
    // Places the window again from the stored fields.
    void Place();
    // A new size for the popup rectangle (its top-left stays), shown at once
    // when the popup is shown.
    void SetPopupSize(int AWidth, int AHeight);

private:
    const PopupFamily& family_;
    bool shown_ = false;
    bool placing_ = false;
    RECT popup_rect_{};
    bool keep_on_screen_ = true;
    int mode_ = pmAtPosition;
    int placement_flags_ = 0;
};

class TDCPopupWindow : public TI_PopupWindow {
public:
    explicit TDCPopupWindow(TComponent* AOwner) : TI_PopupWindow(AOwner, kFormFamily) {}
};
