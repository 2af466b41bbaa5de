// TI_EditButtons: the buttons of one owner control. The collection hooks
// the owner's window (TWindowHook): it answers hit tests over a button as
// client area, paints the buttons after the owner's own (non-client) paint
// and keeps them out of the owner's painting, moves anchored buttons by the
// owner's final size change, and routes the mouse to the buttons (a press on
// a button does not reach the owner). "Data" stores the buttons as bytes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editors/tools/edit_button.h"
#include "editors/tools/edit_button_data.h"
#include "framework/window_hook.h"

class TI_EditButtons : public TPersistent {
public:
    using Factory = std::function<TI_EditButton*(TWinControl* Owner, TI_EditButtons* Collection)>;

    explicit TI_EditButtons(TWinControl* AOwner);
    ~TI_EditButtons() override;

    TWinControl* OwnerControl() const { return owner_; }

    // A new button (plain, or made by factory) named "Button" + its index,
    // with the collection's default anchor, coordinate mode and colour and
    // its index as tag.
    TI_EditButton* Add(const Factory& factory = nullptr);
    void Clear();
    int Count() const { return static_cast<int>(buttons_.size()); }
    TI_EditButton* Items(int Index) const { return buttons_.at(static_cast<size_t>(Index)); }
    // Case-insensitive.
    TI_EditButton* FindByName(const std::string& Name) const;
    // Union of the visible buttons (empty without any).
    RECT GetBoundsRect() const;
    // The visible button under a screen point.
    TI_EditButton* ButtonAt(POINT ScreenPos) const;
    // First enabled, visible button whose caption has "&" + Ch.
    TI_EditButton* FindAccelerator(char Ch) const;
    void Repaint();
    // Paints every button on the owner's window now (after the owner painted).
    void PaintNow();
    void ResetStates();
    // Buttons still in the old default colour take the new one.
    void SetColor(TColor value);
    TColor Color() const { return color_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int DefaultAnchor = 0;
    bool DefaultCoordinateMode = true;
    TI_EditButton* LastClicked() const { return last_clicked_; }
    TI_EditButton* HotButton() const { return hot_; }
    bool PaintLocked() const { return paint_lock_ > 0; }
    void LockPaint() { ++paint_lock_; }
    void UnlockPaint() {
        if (paint_lock_ > 0) --paint_lock_;
    }

    // Hooks the owner's window when it has one (again when it was made anew).
    void AttachWindow();
    bool Attached() const { return hook_.Attached(); }
    // One mouse event at a screen point for every button; true when a
    // button took a press.
    bool RouteMouse(POINT ScreenPos, EditButtonMouseAction Action, bool Held);
    // The mouse left the owner: no button stays hot.
    void MouseLeft();
    // Paints every visible button into a DC showing the owner's client area
    // (window_dc false) or whole window (true).
    void PaintButtons(HDC Dc, bool WindowDc);

    // --- "Data" -------------------------------------------------------------
    std::vector<uint8_t> SaveData() const;
    // Replaces the buttons; a malformed stream changes nothing (false).
    bool LoadData(const uint8_t* Data, size_t Size);
    // Whether the data must be written next to an ancestor's buttons: any
    // difference in what is stored.
    bool DataDiffers(const TI_EditButtons* Ancestor) const;

private:
    friend class TI_EditButton;
    void Forget(TI_EditButton* button);
    void SetLastClicked(TI_EditButton* button) { last_clicked_ = button; }
    bool HandleMessage(TMessage& m);
    POINT ToButtonSpace(const TI_EditButton* b, POINT screen) const;
    void OwnerSizeChanged(int width, int height);

    TWinControl* owner_;
    std::vector<TI_EditButton*> buttons_;
    TWindowHook hook_;
    bool enabled_ = true;
    bool pressed_ = false;
    bool clearing_ = false;
    TColor color_ = clBtnFace;
    TI_EditButton* last_clicked_ = nullptr;
    TI_EditButton* hot_ = nullptr;
    int paint_lock_ = 0;
    SIZE owner_size_{};
};
