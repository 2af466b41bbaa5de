#include "editors/edits/float_edit.h"

#include <gtest/gtest.h>

#include "editors/popups/calculator.h"
#include "tests/editors/edits/edits_test_support.h"
#include "tests/editors/popups/popup_test_support.h"

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
    e.SetText("11");
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
