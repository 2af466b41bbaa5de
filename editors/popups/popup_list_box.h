// TI_PopupListBox: the drop-down list of the combo edits. An owner-drawn
// list in a top-level, top-most window that is never activated: it is
// placed like a popup window next to its owner, follows the mouse (the item
// under it becomes the current one), scrolls with the wheel and has its own
// border (0 none, 1 a black line, 2 a raised double edge). Clicks select
// without taking the focus from the edit. TDCPopupListBox is the same list
// for the form edits, held to half the screen's height.
#pragma once

#include "editors/popups/popup_family.h"
#include "editors/popups/popup_geometry.h"
#include "framework/list_box.h"

class TI_PopupListBox : public TCustomListBox {
public:
    explicit TI_PopupListBox(TComponent* AOwner, const PopupFamily& family = kInplaceFamily);

    TWinControl* OwnerControl() const;
    void Show() override;
    void Hide() override;
    bool Shown() const { return shown_; }
    void SetPopupRect(int ALeft, int ATop, int AWidth, int AHeight);
    RECT PopupRect() const { return popup_rect_; }
    void SetPopupPosition(int mode);
    int PopupMode() const { return mode_; }
    bool KeepOnScreen() const { return keep_on_screen_; }
    void SetKeepOnScreen(bool value) { keep_on_screen_ = value; }
    int PlacementFlags() const { return placement_flags_; }

    int BorderStyle() const { return border_style_; }
    void SetBorderStyle(int value);
    int BorderWidth() const { return border_style_; }
    int DropDownRows() const { return drop_down_rows_; }
    void SetDropDownRows(int value) { drop_down_rows_ = value; }
    // Height for the items (count + extra rows when fewer than the drop-down
    // rows), kept to 1..drop-down rows; the popup rectangle's top-left stays.
    void AdjustHeight(int ExtraRows);
    // Item height from the font: its character height + 3.
    void UpdateItemHeight();

    bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    bool ShowsWithoutParent() const override { return true; }
    void Dispatch(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void PaintNonClient(HDC Dc) override;

private:
    void DrawBorder(HDC Dc, RECT WindowRect);
    const PopupFamily& family_;
    bool shown_ = false;
    RECT popup_rect_{};
    bool keep_on_screen_ = true;
    int mode_ = pmBelowLeft;
    int placement_flags_ = 0;
    int border_style_ = 1;
    int drop_down_rows_ = 8;
};

class TDCPopupListBox : public TI_PopupListBox {
public:
    explicit TDCPopupListBox(TComponent* AOwner) : TI_PopupListBox(AOwner, kFormFamily) {}
};
