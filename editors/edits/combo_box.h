// TI_CustomComboBox: a choice edit whose button opens a drop-down list of
// Items (a popup list box). ItemIndex follows the text; Up/Down and the
// wheel step through the items, three typed characters are completed from
// them, Esc restores the text of the moment of entry or of the last accept.
// Alt+Down and F4 open the list; with the list open, the arrows move in it,
// Enter takes the item and Esc closes it.
// In list-only mode (Style 2 without the override) the control is a plain
// window of its own class that paints the current item itself; a typed
// letter selects the next item starting with it, and leaving with a text
// that is no item fails with kEditErrorNotInList.
//
// Item matching (on by default) finds items for the text: switched off,
// typed text is never completed and ItemIndex is not looked up from the
// text. OnCompleteText replaces the built-in completion; OnSelectText is told
// of a text and index about to be set, before anything changes. A form
// combo's Style also switches its button (off for the simple style) and the
// drop-down list style starts with an empty text.
//
// UM_DROPDOWN: WParam 1 opens, 0 closes the list (closing a list that is
// not open does nothing). The list closes itself by a posted message, so it
// is never freed inside its own handlers.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "editors/edits/choice_edit.h"
#include "editors/edits/combo_rules.h"
#include "framework/list_box.h"
#include "framework/strings.h"

class TI_PopupListBox;
class TCanvas;

// A text and index about to be set (the control still shows the old ones).
using TComboSelectTextEvent = std::function<void(TObject* Sender, const std::string& Text, int Index)>;
// Draws the face of a list-only combo: the item at Index in Rect.
using TComboDrawTextEvent = std::function<void(TCanvas& Canvas, TObject* Control, int Index, const RECT& Rect)>;
// The open list's item height (its items share one): Height comes in as
// the list's own and may be changed.
using TComboMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;
// Draws the check-glyph picture of the item at Index into Bitmap (emptied
// before; Rect: the picture's area before). It may give it another size.
using TComboItemImageEvent = std::function<void(TObject* Sender, const RECT& Rect, TBitmap& Bitmap, int Index)>;

// Combo styles: only 1 (simple: no Alt+Down) and 2 (drop-down list) change
// behaviour.
enum TComboStyle : int { csDropDown = 0, csSimple = 1, csDropDownList = 2, csOwnerDrawFixed = 3, csOwnerDrawVariable = 4 };

class TI_CustomComboBox : public TI_CustomChoiceEdit {
public:
    explicit TI_CustomComboBox(TComponent* AOwner, const PopupFamily& family = kInplaceFamily);
    ~TI_CustomComboBox() override;

    TStrings& Items() { return *items_; }
    int ItemIndex() const { return item_index_; }
    // The text becomes the item (empty for an index outside the list);
    // OnIndexChange, and in list-only mode the change notification.
    void SetItemIndex(int Index);
    void SetTextAndIndex(const std::string& Text, int Index, int SelStart, int SelEnd);
    int FindItem(bool PrefixOnly) const;
    TComboStyle Style() const { return style_; }
    void SetStyle(TComboStyle value);
    bool ListOnlyOverride() const { return list_only_override_; }
    void SetListOnlyOverride(bool value);
    bool ListOnly() const { return style_ == csDropDownList && !list_only_override_; }
    int DropDownCount() const { return drop_down_count_; }
    void SetDropDownCount(int value) { drop_down_count_ = value; }
    int DropDownWidth() const { return drop_down_width_; }
    void SetDropDownWidth(int value) { drop_down_width_ = value; }
    bool MatchItems() const { return match_items_; }
    void SetMatchItems(bool value) { match_items_ = value; }
    // The rows' height in the list; 0: from the font.
    int ItemHeight() const { return item_height_; }
    void SetItemHeight(int value) { item_height_ = value < 0 ? 0 : value; }
    int CheckTag() const { return check_tag_; }
    void SetCheckTag(int value) { check_tag_ = value; }
    // The open list (nullptr when closed).
    TI_PopupListBox* List() const { return list_; }
    void Clear();

    virtual void PrepareList(TI_PopupListBox&) {}
    // The check glyph made by OnItemImage for the item at Index (before each
    // paint of the list-only face); a new size lays the edit out again.
    virtual void DrawItemImage(int Index);
    // The next item starting with Ch; no hit with the list closed opens it.
    virtual bool SelectItemByChar(char Ch);

    void CloseUp(bool Accept, bool Immediately) override;
    void ButtonClick(TObject* Sender) override;
    bool IsDroppedDown() const override { return list_open_; }
    TWinControl* DropDownWindow() const override;
    void UpdateButtonGlyph() override;
    int GetMinWidth() const override { return ListOnly() ? 2 : 0; }
    void CheckClick() override;
    void ShowDropDown() override;

    TNotifyEvent OnIndexChange;
    TNotifyEvent OnDropDown;
    TComboDrawTextEvent OnDrawText;
    // Handed to the open list: its items drawn by the owner.
    TDrawItemEvent OnDrawItem;
    TComboMeasureItemEvent OnMeasureItem;
    TComboItemImageEvent OnItemImage;
    TNotifyEvent OnCompleteText;
    TComboSelectTextEvent OnSelectText;

protected:
    void CheckText(bool& Error) override;
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    // Escape with the list closed: the text and index of the entry or of the last accept.
    void UndoTyping() override;
    void CMTextChanged(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;
    bool ErasesBackground() const override { return !ListOnly(); }
    // A list-only combo takes a dropped text only when it names an item;
    // any other keeps its item in step with the text it took.
    std::optional<OutsideTextResult> FitOutside(const std::string& Text, TOutsideText How) const override;
    void ApplyOutside(const OutsideTextResult& Result, TOutsideText How) override;
    // A form combo offers no context menu while its list is open.
    bool DoContextPopup(POINT ScreenPos) override;
    void OpenDropDown() override;
    void CloseDropDown() override;

private:
    // The items as the rules read them, without a copy.
    ComboItemView ItemView() const;
    // The item equal to Text ignoring case (whatever the item matching), or -1.
    int ItemNamed(const std::string& Text) const;
    void ListOnlyChanged(bool WasListOnly);
    void Remember();
    void TypedChar(TMessage& Message);
    void PaintFace(HDC Dc, bool FocusLook);
    void RepaintFace();
    std::unique_ptr<TStringList> items_;
    TComboStyle style_ = csDropDown;
    bool list_only_override_ = false;
    int drop_down_count_ = 8;
    int drop_down_width_ = 0;
    TI_PopupListBox* list_ = nullptr;
    bool list_open_ = false;
    std::string remembered_text_;
    int remembered_index_ = -1;
    int item_index_ = -1;
    bool match_items_ = true;
    int item_height_ = 0;
    int check_tag_ = 0;
};

class TI_ComboBox : public TI_CustomComboBox {
public:
    explicit TI_ComboBox(TComponent* AOwner, const PopupFamily& family = kInplaceFamily)
        : TI_CustomComboBox(AOwner, family) {}
};

class TDCCustomComboBox : public TI_CustomComboBox {
public:
    explicit TDCCustomComboBox(TComponent* AOwner) : TI_CustomComboBox(AOwner, kFormFamily) {}
};

class TDCComboBox : public TI_ComboBox {
public:
    explicit TDCComboBox(TComponent* AOwner) : TI_ComboBox(AOwner, kFormFamily) {}
};
