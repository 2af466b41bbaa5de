// Ready-made context menus for edits in the menu kit's looks: cut, copy,
// paste, select all and insert symbol, enabled by the edit's read-only state
// and selection. TRTFoxPopupMenu copies and pastes files as "file://" links.
#pragma once

#include <string>

#include "controls/menus/menu_components.h"

class TWinControl;

class TTextoxPopupMenu : public ToxPopupMenu {
public:
    explicit TTextoxPopupMenu(TComponent* AOwner);

    static constexpr int kStandardCount = 6;
    int StandardCount() const { return kStandardCount; }
    // While set the menu neither enables, acts nor shows or hides anything.
    bool StandardOff() const { return standard_off_; }
    void SetStandardOff(bool Value) { standard_off_ = Value; }

    TMenuItem* CutItem() const { return cut_; }
    TMenuItem* CopyItem() const { return copy_; }
    TMenuItem* PasteItem() const { return paste_; }
    TMenuItem* SeparatorItem() const { return separator_; }
    TMenuItem* SelectAllItem() const { return select_all_; }
    TMenuItem* SymbolItem() const { return symbol_; }

    // Opens the symbol dialog modally; its choice goes through InsertText.
    virtual void ShowSymbolDialog();
    // Puts Text on the clipboard and pastes it into the popup component.
    virtual void InsertText(const std::string& Text);
    // Enables the items for the popup component (also run before showing).
    virtual void PreparePopup();
    virtual void ItemClick(TObject* Sender);
    virtual void SetItemsVisible(bool Value);
    virtual void SetBannerCaption(const std::string& Value);
    // A further item; Resource names its bitmap ("" for none).
    virtual TMenuItem* AddItem(const std::string& Caption, const std::string& Resource = std::string());

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DoPopup(TObject* Sender) override;
    // The popup component as a control with a window, else null.
    TWinControl* Target() const;

private:
    void BuildItems();
    void SetAppearance();

    TMenuItem* cut_ = nullptr;
    TMenuItem* copy_ = nullptr;
    TMenuItem* paste_ = nullptr;
    TMenuItem* separator_ = nullptr;
    TMenuItem* select_all_ = nullptr;
    TMenuItem* symbol_ = nullptr;
    bool standard_off_ = false;
};

// The variant for rich edits: copy hands linked files to the clipboard,
// paste turns clipboard files into links.
class TRTFoxPopupMenu : public TTextoxPopupMenu {
public:
    explicit TRTFoxPopupMenu(TComponent* AOwner) : TTextoxPopupMenu(AOwner) {}
    void ItemClick(TObject* Sender) override;
};

// The selection length of an edit or rich edit (end less start).
int EditSelectionLength(TWinControl* Control);
// The window's ES_READONLY style (false for windows without it).
bool EditIsReadOnly(TWinControl* Control);
