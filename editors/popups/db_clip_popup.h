// TDBClipPopup: the database grid's small tool popup below its first cell,
// with a "#goto" button, one button per stored search and a status line
// that names the button under the mouse. TI_AssistButton is its button.
//
// The popup knows the grid only through IClipCellSource, so the editors
// never depend on the grids.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editors/popups/clip_popup.h"
#include "editors/tools/edit_button.h"

// What the popup asks of its grid: a cell's rectangle in the grid's client
// coordinates.
class IClipCellSource {
public:
    virtual ~IClipCellSource() = default;
    virtual RECT CellRect(int Col, int Row) const = 0;
};

class TI_AssistButton : public TI_EditButton {
public:
    using TI_EditButton::TI_EditButton;

protected:
    void PaintBackground(TCanvas& Canvas, const RECT& Rect) override;
    void PaintCaption(TCanvas& Canvas, const RECT& TextRect) override;
    bool ShiftsWhenDown(bool) const override { return false; }
};

// name: "#goto" or "#Goto" + index.
using TDBClipButtonEvent = std::function<void(TObject* Sender, const std::string& Name)>;

class TDBClipPopup : public TI_ClipPopup {
public:
    // grid is the popup's owner; cells gives the first cell's place.
    TDBClipPopup(TWinControl* Grid, const IClipCellSource& Cells, const PopupFamily& family = kInplaceFamily);

    int ButtonSize() const { return button_size_; }
    int StatusHeight() const { return status_height_; }
    virtual void SetGotoItems(const std::vector<std::string>& Names, int LastIndex);
    TI_AssistButton* AddAssistButton(const std::string& Name, const std::string& Glyph, int Column, int Row,
                                     const std::string& Text);
    // Shows the button's text in the status line, or clears it.
    virtual void ShowButtonText(TI_EditButton* Button, bool Clear);
    virtual void ButtonClick(TI_EditButton* Button);

    TDBClipButtonEvent OnButtonClick;

protected:
    bool MovesByKeys() const override { return false; }
    void PaintBorder(HDC WindowDC) override;
    void Paint() override;

private:
    RECT StatusRect() const;

    int button_size_ = 26;
    int status_height_ = 18;
    int highest_row_ = 0;
    int highest_column_ = 0;
    TI_EditButton* status_button_ = nullptr;
};
