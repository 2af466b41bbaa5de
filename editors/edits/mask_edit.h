// TI_CustomMaskEdit: the edit with an edit mask. Typing, paste, cut, Delete
// and Backspace all go through the mask (editors/tools/edit_mask.h); an
// empty text shows the mask's blank template; leaving with a text the mask
// does not take fails with kEditErrorMask, shown with the mask text for
// 4 seconds. TI_ParentEdit is the edit the forms and grids use.
#pragma once

#include <string>

#include "editors/edits/edit_base.h"
#include "editors/tools/edit_mask.h"

class TI_CustomMaskEdit : public TI_CustomEdit {
public:
    explicit TI_CustomMaskEdit(TComponent* AOwner, const PopupFamily& family = kInplaceFamily);

    const std::string& EditMask() const { return edit_mask_; }
    // Compiles the mask and resets the text to its blank template.
    void SetEditMask(const std::string& value);
    const TMaskPositions& MaskPositions() const { return positions_; }
    virtual bool IsMasked() const { return positions_.Count() > 0; }
    // The text empty, then the blank template.
    virtual void ResetText();

    std::string DefaultErrorText(int Code) const override;
    int GetHideDelay() const override;

protected:
    void CheckText(bool& Error) override;
    void Dispatch(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    // Inserts text through the mask at the selection.
    void InsertThroughMask(const std::string& Text);
    // Deletes the selection (or the character at the caret) through the mask.
    void DeleteThroughMask();
    void BackspaceThroughMask();

private:
    std::string edit_mask_;
    TMaskPositions positions_;
    bool templating_ = false;
};

class TI_ParentEdit : public TI_CustomMaskEdit {
public:
    explicit TI_ParentEdit(TComponent* AOwner, const PopupFamily& family = kInplaceFamily)
        : TI_CustomMaskEdit(AOwner, family) {}
};

class TDCCustomMaskEdit : public TI_CustomMaskEdit {
public:
    explicit TDCCustomMaskEdit(TComponent* AOwner) : TI_CustomMaskEdit(AOwner, kFormFamily) {}
};

class TDCParentEdit : public TI_ParentEdit {
public:
    explicit TDCParentEdit(TComponent* AOwner) : TI_ParentEdit(AOwner, kFormFamily) {}
};
