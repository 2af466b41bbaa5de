#include "editors/edits/float_edit.h"

#include "editors/popups/calculator.h"
#include "editors/tools/number_text.h"
#include "framework/clipboard.h"
#include "framework/messages.h"
#include "framework/sysutils.h"

// --- the data type ---------------------------------------------------------------

TFloatDataType_::TFloatDataType_(TI_CustomFloatEdit* Owner)
    // Digits, "-", the separator and "E" from the start: a new decimal
    // field takes what a decimal number is made of.
    : owner_(Owner), allowed_(DecimalFloatChars(FormatSettings.DecimalSeparator)) {}

void TFloatDataType_::SetKind(TEditDataType_ value) {
    rules_.kind = value;
    allowed_ = FloatCharsForKind(value, FormatSettings.DecimalSeparator);
    if (value != deFloat) rules_.precision = 0;
    Rebuild();
}

void TFloatDataType_::SetPrecision(int value) {
    rules_.precision = value;
    Rebuild();
}

void TFloatDataType_::SetDigits(int value) {
    rules_.digits = value;
    Rebuild();
}

void TFloatDataType_::Assign(const TPersistent* Source) {
    const auto* other = dynamic_cast<const TFloatDataType_*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    rules_ = other->rules_;
    Rebuild();
}

void TFloatDataType_::Rebuild() {
    if (owner_) owner_->SetEditMask(FloatEditMask(rules_.digits, rules_.precision, FormatSettings.DecimalSeparator));
}

// --- the edit ----------------------------------------------------------------------

TI_CustomFloatEdit::TI_CustomFloatEdit(TComponent* AOwner, const PopupFamily& family)
    : TI_CustomChoiceEdit(AOwner, family), data_type_(std::make_unique<TFloatDataType_>(this)) {
    SetAlignment(taRightJustify);
    UpdateButtonGlyph();
}

TI_CustomFloatEdit::~TI_CustomFloatEdit() = default;

void TI_CustomFloatEdit::BeforeDestruction() {
    Perform(UM_BUBBLE, 0, 0);
    if (calculator_open_) CloseDropDown();
    TI_CustomChoiceEdit::BeforeDestruction();
}

double TI_CustomFloatEdit::Value() const { return FloatTextValue(GetText(), data_type_->Rules()); }

void TI_CustomFloatEdit::SetValue(double value) { SetFloatValue(value); }

void TI_CustomFloatEdit::SetFloatValue(double value) {
    // A value that is no number leaves the text as it is.
    const std::string text = FloatValueText(value, data_type_->Rules());
    if (!text.empty()) SetText(text);
}

bool TI_CustomFloatEdit::IsMasked() const { return masked_ && TI_CustomChoiceEdit::IsMasked(); }

void TI_CustomFloatEdit::ResetText() {
    const std::string text = GetText();
    if (CanEmpty() && text.empty()) return;
    // A required empty field shows the kind's zero; a text the field cannot
    // take stays as it is for the check to refuse, never replaced.
    std::string normal = text.empty() ? NormalizeFloatText(text, data_type_->Rules()) : text;
    if (!text.empty() && !ToFloatKindForm(normal, data_type_->Rules())) return;
    if (normal != text) SetText(normal);
}

void TI_CustomFloatEdit::UpdateButtonGlyph() {
    if (ButtonStyle() != esDropDown) SetButtonStyle(esDropDown);
    if (ButtonChoiceStyle() == btsCustom && !Glyph().Empty()) return;
    TBitmap glyph;
    try {
        glyph.LoadFromResourceName(GetModuleHandleA(nullptr), Family().Resource("BTNCALC"));
    } catch (...) {
        return;  // a program without the picture keeps the plain button
    }
    SetGlyph(&glyph);
}

bool TI_CustomFloatEdit::MaskAccepts(const std::string& text) const {
    if (!IsMasked()) return true;
    std::string fitted = text;
    int passed = 0, reached = 0;
    return ApplyEditMask(fitted, MaskPositions(), false, passed, true, reached) != -1;
}

void TI_CustomFloatEdit::CheckText(bool& error) {
    if (CanCheck() && !error) {
        const std::string text = Trim(GetText());
        if (!text.empty() && MaskAccepts(text)) {
            std::string normal;
            const int code = CheckFloatText(text, data_type_->Rules(), normal);
            if (code != 0) {
                error = true;
                SetErrorCode(code);
                return;
            }
            if (normal != GetText()) SetText(normal);
        }
    }
    TI_CustomChoiceEdit::CheckText(error);
}

void TI_CustomFloatEdit::BuildErrorText() {
    const int code = ErrorCode();
    // The number codes have no default texts: OnGetErrorHint gives them.
    if (code == kEditErrorInteger || code == kEditErrorDecimal || code == kEditErrorCurrency)
        SetErrorText(std::string());
    TI_CustomChoiceEdit::BuildErrorText();
}

void TI_CustomFloatEdit::CMExit(TMessage& m) {
    TI_CustomChoiceEdit::CMExit(m);
    // An edit that is not checked (an in-place editor) is not rewritten
    // either: its owner writes the text in its own time.
    if (IsDestroying() || ErrorShown() || !Visible() || !CanCheck()) return;
    Reformat();
}

void TI_CustomFloatEdit::Change() {
    // A change the user did not type (code, a paste from a menu, the
    // calculator) is shown in the kind's form at once; typing is left alone
    // until the field is left.
    if (!typed_ && !reformatting_ && CanCheck()) {
        TDispatchScope keep(this);
        const std::string before = GetText();
        Reformat();
        // A text the reformatting changed was announced by its own change.
        if (IsDestroying() || GetText() != before) return;
    }
    TI_CustomChoiceEdit::Change();
}

void TI_CustomFloatEdit::Reformat() {
    if ((ComponentState() & (csDesigning | csLoading)) || reformatting_) return;
    // The texts written here are changes of their own, not reformatted again.
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(reformatting_);
    const std::string text = Trim(GetText());
    if (text.empty()) return;  // an empty optional field stays empty
    if (text != GetText()) SetText(text);
    const FloatLimitReading reading = ReadFloatLimitText(text, data_type_->Kind(), data_type_->AllowedChars());
    if (!reading.valid) {
        // Nothing is written over a text that is no number.
        if (OnInvalidValue) OnInvalidValue(this);
        return;
    }
    if (limit_check_) {
        if (reading.value < min_) {
            if (OnLimitMin) OnLimitMin(this);
        } else if (reading.value > max_) {
            if (OnLimitMax) OnLimitMax(this);
        }
        if (IsDestroying()) return;
    }
    // Only a text the field takes is written in its form; any other stays
    // for the check to refuse (1,234 in a currency field is not 1,23).
    std::string normal;
    if (CheckFloatText(text, data_type_->Rules(), normal) != 0) return;
    SetFloatValue(reading.value);
    Invalidate();
}

// --- keys ----------------------------------------------------------------------------

void TI_CustomFloatEdit::KeyDown(WORD& key, TShiftState shift) {
    typed_ = true;
    if (calculator_open_ && calculator_) {
        TWinControl::KeyDown(key, shift);  // OnKeyDown
        if (key && calculator_) calculator_->KeyDown(key, shift);
        key = 0;
        return;
    }
    if (key == VK_DOWN && (shift & ssAlt)) {
        TWinControl::KeyDown(key, shift);
        DropDown();
        key = 0;
        return;
    }
    TI_CustomChoiceEdit::KeyDown(key, shift);
}

void TI_CustomFloatEdit::KeyPress(char& key) {
    typed_ = true;
    if (calculator_open_ && !KeyPass()) {
        // The characters the calculator reads from the keyboard layout.
        if (calculator_) calculator_->KeyPress(key);
        key = 0;
        return;
    }
    int start = 0, end = 0;
    GetSel(start, end);
    const FloatKeyDecision d =
        JudgeFloatKey(GetText(), start, end - start, key, data_type_->Rules(), data_type_->AllowedChars());
    if (d.verdict == FloatKeyVerdict::Drop) {
        key = 0;
        return;
    }
    if (d.clear_text) SetText(std::string());
    key = d.key;
    TI_CustomChoiceEdit::KeyPress(key);
    if (d.verdict == FloatKeyVerdict::PassThenDrop) key = 0;
}

// --- the calculator --------------------------------------------------------------------

void TI_CustomFloatEdit::OpenDropDown() {
    calculator_ = Create<TI_CustomCalculator>(this, Family());
    calculator_->Font().Assign(&Font());
    if (HWND h = WindowHandle()) HideCaret(h);
    // Closing from inside the calculator is posted: it is never freed in its
    // own handlers.
    calculator_->OnClose = [this](bool accept) { CloseUp(accept, false); };
    const std::string text = Trim(GetText());
    if (IsNumberText(text, FormatSettings, IntegerRange::Any)) calculator_->SetDisplay(text);
    calculator_open_ = true;
    ShowDropDown();
}

TWinControl* TI_CustomFloatEdit::DropDownWindow() const { return calculator_; }

void TI_CustomFloatEdit::ShowDropDown() {
    if (calculator_) calculator_->Show();
}

void TI_CustomFloatEdit::CloseDropDown() {
    calculator_open_ = false;
    TI_CustomCalculator* calc = calculator_;
    calculator_ = nullptr;
    if (calc) calc->Free();
    if (HWND h = WindowHandle(); h && GetFocus() == h) ShowCaret(h);
}

void TI_CustomFloatEdit::CloseUp(bool accept, bool immediately) {
    // OnChange may free the edit (from inside the calculator's OK): it stays
    // until this call returns.
    TDispatchScope keep(this);
    if (accept && calculator_open_ && calculator_ && !calculator_->Engine().Error() && !ReadOnly()) {
        const std::string display = calculator_->Engine().Display();
        double value = 0;
        if (IsNumberText(display, FormatSettings, IntegerRange::Any) && TryStrToFloat(display, value)) {
            SetValue(value);
            if (IsDestroying()) return;
            SelectAll();
        }
    }
    TI_CustomChoiceEdit::CloseUp(accept, immediately);
}

void TI_CustomFloatEdit::ButtonClick(TObject* sender) { ToggleDropDown(sender); }

void TI_CustomFloatEdit::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case CM_DIALOGCHAR:
        if (calculator_open_ && calculator_ && calculator_->DialogChar(static_cast<char>(m.WParam))) {
            m.Result = 1;
            return;
        }
        break;
    case WM_PASTE:
        m.Result = 0;
        if (!ReadOnly()) {
            // The clipboard's text replaces the whole text, selected: one line,
            // no longer than the field holds.
            SetText(PastedFloatText(ClipboardText(), data_type_->Rules()));
            if (IsDestroying()) return;
            SelectAll();
        }
        return;
    default: break;
    }
    TI_CustomChoiceEdit::Dispatch(m);
}
