// TI_CustomFloatEdit: a right-aligned choice edit for integers, decimal
// numbers and currency amounts. TFloatDataType_ names the kind and the
// places; from them the edit takes its mask, the characters it accepts, its
// check on leaving (kEditErrorInteger, kEditErrorDecimal,
// kEditErrorCurrency), the text form of its Value and optional limits. Its
// button (or Alt+Down, F2) opens the pocket calculator; OK writes the
// calculator's display into Value.
//
// On leaving, the text is checked first and only a valid, non-empty text is
// written again in the kind's form; an empty optional field stays empty. A
// change the user did not type is written in the kind's form at once. A
// value the field cannot show is refused by the check, never replaced.
// While the calculator is open the edit's keys go to it.
#pragma once

#include <memory>

#include "editors/edits/choice_edit.h"
#include "editors/edits/float_rules.h"

class TI_CustomFloatEdit;
class TI_CustomCalculator;

class TFloatDataType_ : public TPersistent {
public:
    explicit TFloatDataType_(TI_CustomFloatEdit* Owner);

    TEditDataType_ Kind() const { return rules_.kind; }
    // deInteger: digits and "-", Precision 0; deCurrency: the decimal
    // characters, Precision 0; deFloat keeps the characters.
    void SetKind(TEditDataType_ value);
    int Precision() const { return rules_.precision; }
    void SetPrecision(int value);
    int Digits() const { return rules_.digits; }
    void SetDigits(int value);
    const FloatCharSet& AllowedChars() const { return allowed_; }
    const FloatFieldRules& Rules() const { return rules_; }
    // Copies kind, precision and digits (not the characters).
    void Assign(const TPersistent* Source) override;

private:
    // The owner's mask from the places (which normalises its text).
    void Rebuild();

    TI_CustomFloatEdit* owner_;
    FloatFieldRules rules_;
    FloatCharSet allowed_;
};

class TI_CustomFloatEdit : public TI_CustomChoiceEdit {
public:
    explicit TI_CustomFloatEdit(TComponent* AOwner, const PopupFamily& family = kInplaceFamily);
    ~TI_CustomFloatEdit() override;

    TFloatDataType_& DataType() { return *data_type_; }
    bool Masked() const { return masked_; }
    void SetMasked(bool value) { masked_ = value; }
    double Min() const { return min_; }
    void SetMin(double value) { min_ = value; }
    double Max() const { return max_; }
    void SetMax(double value) { max_ = value; }
    bool LimitCheck() const { return limit_check_; }
    void SetLimitCheck(bool value) { limit_check_ = value; }

    // The text's value (0 when it is no number).
    double Value() const;
    // The value in the kind's form (rounded to its decimals).
    void SetValue(double value);
    virtual void SetFloatValue(double value);
    // The calculator while it is open.
    TI_CustomCalculator* Calculator() const { return calculator_; }

    bool IsDroppedDown() const override { return calculator_open_; }
    TWinControl* DropDownWindow() const override;
    void CloseUp(bool Accept, bool Immediately) override;
    void ButtonClick(TObject* Sender) override;
    void UpdateButtonGlyph() override;
    void ShowDropDown() override;
    bool IsMasked() const override;
    // An empty optional field stays empty; anything else is normalised.
    void ResetText() override;
    void BuildErrorText() override;

    TNotifyEvent OnInvalidValue;
    TNotifyEvent OnLimitMin;
    TNotifyEvent OnLimitMax;

protected:
    void CheckText(bool& Error) override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void CMExit(TMessage& Message) override;
    void Change() override;
    void BeforeDestruction() override;
    void OpenDropDown() override;
    void CloseDropDown() override;

private:
    // The limit check, then the text in the kind's form.
    void Reformat();
    bool MaskAccepts(const std::string& text) const;

    std::unique_ptr<TFloatDataType_> data_type_;
    TI_CustomCalculator* calculator_ = nullptr;
    bool calculator_open_ = false;
    bool masked_ = false;
    double min_ = 0;
    double max_ = 0;
    bool limit_check_ = false;
    bool typed_ = false;
    bool reformatting_ = false;
};

class TI_FloatEdit : public TI_CustomFloatEdit {
public:
    explicit TI_FloatEdit(TComponent* AOwner, const PopupFamily& family = kInplaceFamily)
        : TI_CustomFloatEdit(AOwner, family) {}
};
