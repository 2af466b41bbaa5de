// TCustomListBox: the system LISTBOX as an owner-drawn list with fixed item
// height. Items live in a string list that works without a window; the
// window is filled from it when it is created and after every change.
// WM_DRAWITEM comes back from the list's parent (or owner) window as
// CN_DRAWITEM and is drawn by DrawItem (default: OnDrawItem, or the item's
// text on the highlight colours when selected).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "framework/strings.h"
#include "framework/win_control.h"

// State: the ODS_* flags of the item.
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, const RECT& Rect, unsigned State)>;

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings& Items();
    int Count() const;
    // -1: none.
    int ItemIndex() const;
    void SetItemIndex(int value);
    int TopIndex() const;
    void SetTopIndex(int value);
    int ItemHeight() const { return item_height_; }
    void SetItemHeight(int value);
    // The item at a client point (-1 past the last item when Existing).
    int ItemAtPos(POINT Pos, bool Existing) const;
    RECT ItemRect(int Index) const;
    TCanvas& Canvas() { return *canvas_; }

    TDrawItemEvent OnDrawItem;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void DrawItem(int Index, const RECT& Rect, unsigned State);
    void CNDrawItem(TMessage& Message) override;
    void CNMeasureItem(TMessage& Message) override;

private:
    void ItemsChanged();
    void FillWindow();
    std::unique_ptr<TStringList> items_;
    std::unique_ptr<TCanvas> canvas_;
    int item_index_ = -1;
    int top_index_ = 0;
    int item_height_ = 16;
    bool filling_ = false;
};
