// TsCheckBox: the check box the program's forms use instead of the system's.
// It draws its own raised or sunken box, a four-line tick in CheckColor and a
// grayed square, and toggles unchecked, (grayed,) checked, unchecked with an
// OnClick per toggle; writing Checked or State raises none.
#pragma once

#include "controls/menus/checkbox_control.h"

enum TsBWCCBoxStyle { bwsRaised, bwsSunken };

class TsCustomCheckBox : public TsBWCCControl {
public:
    explicit TsCustomCheckBox(TComponent* AOwner) : TsBWCCControl(AOwner) {}

    bool AllowGrayed() const { return allow_grayed_; }
    void SetAllowGrayed(bool value) { allow_grayed_ = value; }
    TsBWCCBoxStyle Style() const { return style_; }
    void SetStyle(TsBWCCBoxStyle value);

protected:
    void DrawCheck(TCanvas& Canvas, const RECT& Box) override;
    void Toggle() override;

private:
    bool allow_grayed_ = false;
    TsBWCCBoxStyle style_ = bwsRaised;
};

class TsCheckBox : public TsCustomCheckBox {
public:
    explicit TsCheckBox(TComponent* AOwner) : TsCustomCheckBox(AOwner) {}
};
