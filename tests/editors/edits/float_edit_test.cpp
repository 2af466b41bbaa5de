#include "editors/edits/float_edit.h"

#include <gtest/gtest.h>


#include "editors/popups/calculator.h"
#include "framework/clipboard.h"
#include "tests/editors/edits/edits_test_support.h"
#include "tests/editors/popups/popup_test_support.h"
#include "tests/framework/user_input.h"

namespace {

struct FloatFields : TwoEdits<TI_FloatEdit> {
    FloatFields() { InitFormatSettings(); }
    TI_FloatEdit& Edit() { return *first; }
};

}  // namespace

TEST(FloatEdit, MasksFromThePlaces) {
    FloatFields f;
    TFloatDataType_& t = f.Edit().DataType();
    t.SetKind(deInteger);
    t.SetDigits(3);
    EXPECT_EQ(f.Edit().EditMask(), "9{3}");
    t.SetKind(deFloat);
    t.SetPrecision(2);
    t.SetDigits(8);
    EXPECT_EQ(f.Edit().EditMask(), "9{6}!(.,,),9{2}");
    t.SetDigits(0);
    EXPECT_EQ(f.Edit().EditMask(), "");
    EXPECT_EQ(f.Edit().Alignment(), taRightJustify);
    EXPECT_EQ(f.Edit().ButtonStyle(), esDropDown);
    EXPECT_EQ(f.Edit().ButtonChoiceStyle(), btsCustom);
}

TEST(FloatEdit, TypedCharacters) {
    FloatFields f;
    TI_FloatEdit& e = f.Edit();
    // A new decimal field takes digits, "-", the separator and "E".
    TypeChars(&e, "-1,5e3x");
    EXPECT_EQ(e.GetText(), "-1,5E3");
    e.DataType().SetKind(deInteger);
    e.DataType().SetDigits(3);
    e.SetText("12");
    e.SetSel(2, 2);
    TypeChars(&e, "a,");
    EXPECT_EQ(e.GetText(), "12");
    e.SetSel(1, 1);
    TypeChars(&e, "-");
    EXPECT_EQ(e.GetText(), "12");
    e.SetText("-12");
    e.SetSel(1, 3);
    TypeChars(&e, "-");
    EXPECT_EQ(e.GetText(), "-");
    e.DataType().SetKind(deCurrency);
    e.DataType().SetDigits(2);
    e.SetText("1,23");
    e.SetSel(4, 4);
    TypeChars(&e, "4");
    EXPECT_EQ(e.GetText(), "1,23");
}

TEST(FloatEdit, EscapeReachesTheEdit) {
    FloatFields f;
    TI_FloatEdit& e = f.Edit();
    TypeChars(&e, "\x1b");
    ASSERT_FALSE(f.form->dialog_keys.empty());
    EXPECT_EQ(f.form->dialog_keys.back(), static_cast<WPARAM>(VK_ESCAPE));
}

TEST(FloatEdit, ValueInAndOut) {
    FloatFields f;
    TI_FloatEdit& e = f.Edit();
    EXPECT_EQ(e.Value(), 0);
    e.DataType().SetPrecision(2);
    e.SetValue(2.5);
    EXPECT_EQ(e.GetText(), "2,50");
    e.SetFloatValue(1234.5);
    EXPECT_EQ(e.GetText(), "1234,50");
    e.DataType().SetKind(deInteger);
    e.SetValue(2.5);
    EXPECT_EQ(e.GetText(), "2");
    e.SetValue(5.0 / 2 + 1);
    EXPECT_EQ(e.GetText(), "4");
}

TEST(FloatEdit, ChecksOnLeaving) {
    struct Case {
        TEditDataType_ kind;
        int precision, digits;
        const char* text;
        int code;
        const char* after;
    };
    const Case cases[] = {
        {deInteger, 0, 3, "1234", kEditErrorInteger, "1234"},
        {deFloat, 2, -1, "1,2", 0, "1,20"},
        {deCurrency, 0, -1, "1,234", kEditErrorCurrency, "1,234"},
        // Precision counts decimals: the number keeps its integer digits.
        {deFloat, 2, 8, "1234,5", 0, "1234,50"},
    };
    for (const Case& c : cases) {
        FloatFields f;
        TI_FloatEdit& e = f.Edit();
        e.DataType().SetKind(c.kind);
        e.DataType().SetPrecision(c.precision);
        e.DataType().SetDigits(c.digits);
        e.SetText(c.text);
        f.Leave();
        EXPECT_EQ(e.ErrorCode(), c.code) << c.text;
        EXPECT_EQ(e.GetText(), c.after) << c.text;
        EXPECT_EQ(GetFocus() == e.WindowHandle(), c.code != 0) << c.text;
    }
}

TEST(FloatEdit, EmptyOptionalFieldStaysEmpty) {
    FloatFields f;
    TI_FloatEdit& e = f.Edit();
    e.DataType().SetPrecision(2);
    e.SetText("");
    f.Leave();
    EXPECT_EQ(e.GetText(), "");
    EXPECT_EQ(e.ErrorCode(), 0);
}

TEST(FloatEdit, LimitsOnLeaving) {
    FloatFields f;
    TI_FloatEdit& e = f.Edit();
    e.DataType().SetKind(deInteger);
    e.SetLimitCheck(true);
    e.SetMin(0);
    e.SetMax(10);
    int low = 0, high = 0;
    e.OnLimitMin = [&](TObject*) { ++low; };
    e.OnLimitMax = [&](TObject*) { ++high; };
    user_input::TypeText("11");
    f.Leave();
    EXPECT_EQ(high, 1);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(e.GetText(), "11");
}

TEST(FloatEdit, CalculatorRoundTrip) {
    FloatFields f;
    TI_FloatEdit& e = f.Edit();
    e.SetText("12,5");
    SendKey(&e, VK_F2);
    ASSERT_TRUE(e.IsDroppedDown());
    ASSERT_NE(e.Calculator(), nullptr);
    EXPECT_EQ(e.Calculator()->Engine().Display(), "12,5");
    TypeChars(&e, "*2=");
    EXPECT_EQ(e.GetText(), "12,5");  // typed into the calculator
    e.Calculator()->Press(ckOK);
    // Closed by a posted message: the calculator outlives its own key.
    EXPECT_NE(e.Calculator(), nullptr);
    Pump();
    EXPECT_FALSE(e.IsDroppedDown());
    EXPECT_EQ(e.Calculator(), nullptr);
    EXPECT_EQ(e.Value(), 25);
    EXPECT_EQ(SelOf(&e), std::make_pair(0, 2));

    // Without "=" OK writes the display; the pending operator stays unevaluated.
    e.SetText("12,5");
    e.Perform(UM_DROPDOWN, 1, 0);
    TypeChars(&e, "*2");
    SendKey(&e, VK_RETURN);
    Pump();
    EXPECT_EQ(e.GetText(), "2");

    // Alt+O is OK's accelerator.
    e.SetText("12,5");
    e.Perform(UM_DROPDOWN, 1, 0);
    TypeChars(&e, "+1=");
    EXPECT_EQ(e.Perform(CM_DIALOGCHAR, 'o', 1 << 29), 1);
    Pump();
    EXPECT_EQ(e.GetText(), "13,5");

    // Esc leaves the text.
    e.SetText("12,5");
    e.Perform(UM_DROPDOWN, 1, 0);
    TypeChars(&e, "*2=");
    SendKey(&e, VK_ESCAPE);
    Pump();
    EXPECT_FALSE(e.IsDroppedDown());
    EXPECT_EQ(e.GetText(), "12,5");
}

TEST(FloatEdit, ReadOnlyFieldTakesNoResult) {
    FloatFields f;
    TI_FloatEdit& e = f.Edit();
    e.SetText("4");
    e.SetReadOnly(true);
    SendKey(&e, VK_F2);
    ASSERT_TRUE(e.IsDroppedDown());
    TypeChars(&e, "*2=");
    SendKey(&e, VK_RETURN);
    Pump();
    EXPECT_FALSE(e.IsDroppedDown());
    EXPECT_EQ(e.GetText(), "4");
}

TEST(FloatEdit, PressOutsideTheCalculatorClosesWithoutAccepting) {
    FloatFields f;
    TI_FloatEdit& e = f.Edit();
    e.SetText("3");
    SendKey(&e, VK_F2);
    ASSERT_TRUE(e.IsDroppedDown());
    TypeChars(&e, "9");
    MouseAt(POINT{300, 160});
    Pump();
    EXPECT_FALSE(e.IsDroppedDown());
    EXPECT_EQ(e.GetText(), "3");
    // Closing what is not open again changes nothing.
    e.Perform(UM_DROPDOWN, 0, 0);
    EXPECT_FALSE(e.IsDroppedDown());
}

namespace {

void SetPlaces(TI_FloatEdit& e, TEditDataType_ kind, int precision, int digits) {
    e.DataType().SetKind(kind);
    e.DataType().SetPrecision(precision);
    e.DataType().SetDigits(digits);
}

// The screen point of a calculator key.
POINT KeyPoint(TI_CustomCalculator* calc, const char* name) {
    TI_EditButton* key = calc->Buttons().FindByName(name);
    RECT w;
    GetWindowRect(calc->WindowHandle(), &w);
    return POINT{w.left + key->Left() + 4, w.top + key->Top() + 4};
}

}  // namespace

// Values beyond 32 bits and 1E15 are shown with all their digits; a value
// the field cannot hold is refused with the field's error on leaving and
// stays as typed: nothing turns into "0".
TEST(FloatEdit, LargeValuesAreShownOrRefusedNeverZero) {
    struct Case {
        TEditDataType_ kind;
        int precision, digits;
        double value;
        const char* shown;
    };
    const Case values[] = {
        {deInteger, 0, -1, 1e15, "1000000000000000"},
        {deInteger, 0, -1, 3000000000.0, "3000000000"},
        {deCurrency, 0, -1, 1e15, "1000000000000000,00"},
    };
    for (const Case& c : values) {
        FloatFields f;
        SetPlaces(f.Edit(), c.kind, c.precision, c.digits);
        f.Edit().SetValue(c.value);
        EXPECT_EQ(f.Edit().GetText(), c.shown);
        EXPECT_EQ(f.Edit().Value(), c.value);
        f.Leave();
        EXPECT_EQ(f.Edit().ErrorCode(), 0);
        EXPECT_EQ(f.Edit().GetText(), c.shown);
    }
    struct Typed {
        TEditDataType_ kind;
        int precision, digits;
        const char* text;
        int code;
        const char* after;
    };
    const Typed typed[] = {
        {deFloat, 2, -1, "12345678901234567,5", kEditErrorDecimal, "12345678901234567,5"},
        {deCurrency, 0, -1, "1000000000000000", 0, "1000000000000000,00"},
        {deInteger, 0, -1, "3000000000", 0, "3000000000"},
        {deInteger, 0, 5, "3000000000", kEditErrorInteger, "3000000000"},
    };
    for (const Typed& c : typed) {
        FloatFields f;
        SetPlaces(f.Edit(), c.kind, c.precision, c.digits);
        user_input::TypeText(c.text);
        f.Leave();
        EXPECT_EQ(f.Edit().ErrorCode(), c.code) << c.text;
        EXPECT_EQ(f.Edit().GetText(), c.after) << c.text;
        EXPECT_EQ(GetFocus() == f.Edit().WindowHandle(), c.code != 0) << c.text;
    }
}

// The calculator computes with the number it shows, and OK puts that number
// into the field.
TEST(FloatEdit, CalculatorKeepsNumbersBeyond32Bits) {
    for (TEditDataType_ kind : {deInteger, deFloat}) {
        FloatFields f;
        TI_FloatEdit& e = f.Edit();
        SetPlaces(e, kind, kind == deFloat ? 2 : 0, -1);
        user_input::PressKey(VK_F2);
        ASSERT_TRUE(e.IsDroppedDown());
        user_input::TypeText("3000000000+1=");
        EXPECT_EQ(e.Calculator()->Engine().Display(), "3000000001");
        user_input::PressKey(VK_RETURN);
        Pump();
        EXPECT_FALSE(e.IsDroppedDown());
        EXPECT_EQ(e.GetText(), kind == deFloat ? "3000000001,00" : "3000000001");
        EXPECT_EQ(e.Value(), 3000000001.0);
        // Opened on a large value, the calculator starts from it.
        user_input::PressKey(VK_F2);
        ASSERT_TRUE(e.IsDroppedDown());
        user_input::TypeText("*2=");
        EXPECT_EQ(e.Calculator()->Engine().Display(), "6000000002");
        user_input::PressKey(VK_RETURN);
        Pump();
        EXPECT_EQ(e.Value(), 6000000002.0);
    }
}

// One meaning of Digits for a currency field: its decimals. With Digits 2
// (the positions grid's Stück and Preis) every two-decimal amount passes.
TEST(FloatEdit, CurrencyFieldWithDigitsTwoTakesAmounts) {
    struct Case {
        const char* typed;
        const char* after;
    };
    const Case cases[] = {{"12,5", "12,50"}, {"1250,75", "1250,75"}, {"100000", "100000,00"}, {"1,234", "1,23"}};
    for (const Case& c : cases) {
        FloatFields f;
        SetPlaces(f.Edit(), deCurrency, 2, 2);
        user_input::TypeText(c.typed);
        f.Leave();
        EXPECT_EQ(f.Edit().ErrorCode(), 0) << c.typed;
        EXPECT_EQ(f.Edit().GetText(), c.after) << c.typed;
        EXPECT_NE(GetFocus(), f.Edit().WindowHandle()) << c.typed;
    }
}

// The one editor serves an integer column and then a decimal one: the
// decimal kind takes the separator again.
TEST(FloatEdit, DecimalKindAfterAnIntegerKindTakesTheSeparator) {
    FloatFields f;
    TI_FloatEdit& e = f.Edit();
    SetPlaces(e, deInteger, 0, 3);
    SetPlaces(e, deFloat, 2, 8);
    e.SetText("");
    user_input::TypeText("1,5");
    EXPECT_EQ(e.GetText(), "1,5");
    f.Leave();
    EXPECT_EQ(e.GetText(), "1,50");
    EXPECT_EQ(e.Value(), 1.5);
}

namespace {
// Empties the clipboard when the test ends: the next program finds it as
// it was before.
struct ClipboardEmptiedAfter {
    ~ClipboardEmptiedAfter() {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
    }
};
}  // namespace

// A paste is one line, no longer than the field holds, before it reaches
// the window.
TEST(FloatEdit, PasteTakesOneLineTheFieldCanHold) {
    ClipboardEmptiedAfter clean;
    FloatFields f;
    TI_FloatEdit& e = f.Edit();
    SetPlaces(e, deCurrency, 2, 2);
    ASSERT_TRUE(SetClipboardText("12,5\r\n"));
    user_input::PressKey('V', user_input::kCtrl);
    EXPECT_EQ(e.GetText(), "12,5");
    f.Leave();
    EXPECT_EQ(e.GetText(), "12,50");

    SetPlaces(e, deFloat, 2, 8);
    e.SetFocus();
    Pump();
    ASSERT_TRUE(SetClipboardText(std::string(27000, '7')));
    const DWORD start = GetTickCount();
    user_input::PressKey('V', user_input::kCtrl);
    EXPECT_EQ(e.GetText(), std::string(11, '7'));
    EXPECT_LT(GetTickCount() - start, 5000u);
}

// Changes that were not typed are shown in the kind's form at once; typing
// is left alone until the field is left.
TEST(FloatEdit, UntypedChangesAreReformattedTypingIsNot) {
    FloatFields f;
    TI_FloatEdit& e = f.Edit();
    SetPlaces(e, deCurrency, 0, -1);
    int changes = 0;
    e.OnChange = [&](TObject*) { ++changes; };
    e.SetText("7");
    EXPECT_EQ(e.GetText(), "7,00");
    EXPECT_EQ(changes, 1);  // announced once, in the kind's form
    e.SetText("");
    user_input::TypeText("8");
    EXPECT_EQ(e.GetText(), "8");
    e.SetText("9");  // typed before: code is not reformatted either
    EXPECT_EQ(e.GetText(), "9");
}

namespace {
// Stands in for a grid's in-place editor, which is not checked.
class TUncheckedFloatEdit : public TI_FloatEdit {
public:
    explicit TUncheckedFloatEdit(TComponent* AOwner) : TI_FloatEdit(AOwner) {}
    bool CanCheck() const override { return false; }
};
}  // namespace

TEST(FloatEdit, UncheckedEditorIsNotRewrittenOnLeaving) {
    TwoEdits<TUncheckedFloatEdit> f;
    TI_FloatEdit& e = *f.first;
    SetPlaces(e, deFloat, 2, -1);
    e.SetText("12345678901234567,5");
    f.Leave();
    EXPECT_EQ(e.GetText(), "12345678901234567,5");
    SetPlaces(e, deCurrency, 0, -1);
    e.SetText("5");
    e.SetFocus();
    Pump();
    f.Leave();
    EXPECT_EQ(e.GetText(), "5");
}

namespace {
// A field that tells when it is deleted, and whether that happened while the
// result was still being written into it.
class TWatchedFloatEdit : public TI_FloatEdit {
public:
    TWatchedFloatEdit(TComponent* AOwner, bool& deleted, bool& deleted_under_write)
        : TI_FloatEdit(AOwner), deleted_(deleted), deleted_under_write_(deleted_under_write) {}
    ~TWatchedFloatEdit() override { deleted_ = true; }
    void SetFloatValue(double value) override {
        bool& deleted = deleted_;
        bool& under_write = deleted_under_write_;
        TI_FloatEdit::SetFloatValue(value);
        if (deleted) under_write = true;  // only the references are read: they live in the test
    }

private:
    bool& deleted_;
    bool& deleted_under_write_;
};
}  // namespace

// A field whose OnChange frees it, the change coming from the calculator's
// OK (clicked with the mouse, or Enter): the field is kept until the call
// that wrote the result has returned, then deleted.
TEST(FloatEdit, FreedByOnChangeFromTheCalculatorsOK) {
    FloatFields f;
    for (bool by_mouse : {true, false}) {
        bool deleted = false, deleted_under_write = false;
        auto* e = Create<TWatchedFloatEdit>(f.form, deleted, deleted_under_write);
        e->SetBounds(10, 110, 150, 21);
        e->SetParent(f.form);
        SetPlaces(*e, deInteger, 0, -1);
        e->SetFocus();
        Pump();
        e->OnChange = [&](TObject*) { e->Free(); };
        user_input::PressKey(VK_F2);
        ASSERT_TRUE(e->IsDroppedDown());
        TI_CustomCalculator* calc = e->Calculator();
        if (by_mouse) {
            MouseAt(KeyPoint(calc, "$BT_4"));
            ASSERT_EQ(calc->Engine().Display(), "4");
            MouseAt(KeyPoint(calc, "$BT_OK"));
        } else {
            user_input::TypeText("5");
            user_input::PressKey(VK_RETURN);
        }
        PumpFor(50);
        EXPECT_TRUE(deleted) << by_mouse;
        EXPECT_FALSE(deleted_under_write) << by_mouse;
        EXPECT_EQ(f.form->ControlCount(), 2) << by_mouse;
    }
}
