// The choice edit: margins and text rectangle by style, the button's
// settings, F2 and DropDown, Enter and line breaks, the lock, and a button
// switched off from inside its own click.
#include <gtest/gtest.h>

#include <memory>

#include "editors/edits/choice_edit.h"
#include "editors/tools/styled_text.h"
#include "framework/clipboard.h"
#include "tests/editors/edits/edits_test_support.h"

namespace {
std::unique_ptr<TBitmap> Glyph(int w, int h) {
    auto b = std::make_unique<TBitmap>();
    FillBitmap(*b, w, h, 0x00FF00);
    return b;
}
}  // namespace

TEST(ChoiceEditLayout, MarginsFollowStyleButtonAlignmentAndCheckGlyph) {
    TwoEdits<TI_ChoiceEdit> t;
    TI_ChoiceEdit* e = t.first;
    struct Case {
        TControlStyle style;
        bool button;
        TAlignment alignment;
        int right;
    } cases[] = {
        {fcsNormal, true, taLeftJustify, 20},
        {fcsNormal, true, taRightJustify, 24},
        {fsNone, true, taLeftJustify, 16},
        {fcsNormal, false, taLeftJustify, 4},
    };
    for (const Case& c : cases) {
        e->SetDrawStyle(c.style);
        e->SetButtonExist(c.button);
        e->SetAlignment(c.alignment);
        int left = -1, right = -1;
        e->GetEditMargins(left, right);
        EXPECT_EQ(right, c.right) << c.style << c.button << c.alignment;
        EXPECT_EQ(left, 0);
    }
    e->Font().SetHeight(-13);  // 13 pixels high... and its cell height decides
    auto wide = Glyph(20, 10);
    e->SetCheckGlyph(wide.get());
    int left = 0, right = 0;
    e->GetEditMargins(left, right);
    EXPECT_EQ(left, std::max(22, FontHeight(e->Handle(), e->Font()) + 5));
    auto narrow = Glyph(10, 10);
    e->SetCheckGlyph(narrow.get());
    e->GetEditMargins(left, right);
    EXPECT_EQ(left, FontHeight(e->Handle(), e->Font()) + 5);
}

TEST(ChoiceEditLayout, TextRectangleByStyleOnAHundredByTwentyOne) {
    TwoEdits<TI_ChoiceEdit> t;
    TI_ChoiceEdit* e = t.first;
    e->SetBounds(10, 10, 100, 21);
    e->SetDrawStyle(fsNone);
    RECT r = e->EditRect();
    EXPECT_EQ(std::make_tuple(r.left, r.top, r.right, r.bottom), std::make_tuple(2L, 1L, 84L, 22L));
    // One line: the text area is the window's margins (left 2, right the button's 16).
    auto margins = [&] {
        const LRESULT m = SendMessageA(e->Handle(), EM_GETMARGINS, 0, 0);
        return std::make_pair(static_cast<int>(LOWORD(m)), static_cast<int>(HIWORD(m)));
    };
    EXPECT_EQ(GetWindowLongA(e->Handle(), GWL_STYLE) & ES_MULTILINE, 0);
    EXPECT_EQ(margins(), std::make_pair(2, 16));
    e->SetDrawStyle(fsSingle);
    r = e->EditRect();
    EXPECT_EQ(std::make_tuple(r.left, r.top, r.right, r.bottom), std::make_tuple(-1L, -1L, 80L, 22L));
    EXPECT_EQ(margins(), std::make_pair(0, e->ClientWidth() - 80));
    // A font change resets an EDIT's margins: they are set again.
    e->Font().SetSize(12);
    EXPECT_EQ(margins(), std::make_pair(0, e->ClientWidth() - 80));
    // MultiLine: a memo laid out by its formatting rectangle.
    e->SetMultiLine(true);
    EXPECT_NE(GetWindowLongA(e->Handle(), GWL_STYLE) & ES_MULTILINE, 0);
}

TEST(ChoiceEditButton, GlyphAndWidthMakeItCustomAndNoButtonHasNoWidth) {
    auto* e = Create<TI_ChoiceEdit>(nullptr);
    auto g = Glyph(10, 8);
    e->SetGlyph(g.get());
    EXPECT_EQ(e->ButtonChoiceStyle(), btsCustom);
    EXPECT_EQ(e->ChoiceButtonWidth(), 16);
    e->SetButtonChoiceStyle(btsEllipsis);
    e->SetChoiceButtonWidth(20);
    EXPECT_EQ(e->ButtonChoiceStyle(), btsCustom);
    e->SetButtonExist(false);
    EXPECT_EQ(e->GetButtonWidth(), 0);
    e->Free();
}

TEST(ChoiceEditButton, F2ClicksOnlyADropDownButtonOnceAndLeavesItUp) {
    TwoEdits<TI_ChoiceEdit> t;
    TI_ChoiceEdit* e = t.first;
    int clicks = 0;
    e->OnButtonClick = [&](TObject*) { ++clicks; };
    SendKey(e, VK_F2);
    EXPECT_EQ(clicks, 0);
    e->SetButtonStyle(esDropDown);
    e->SetCanEmpty(false);
    e->OnGetErrorHint = [](TObject*, int, std::string& s) { s = "leer"; };
    e->Perform(UM_BUBBLE, 1, kEditErrorEmpty);
    ASSERT_NE(TI_CustomEdit::SharedBubble(), nullptr);
    SendKey(e, VK_F2);
    EXPECT_EQ(clicks, 1);
    // A press and a release: the button is not left down.
    ASSERT_NE(e->Button(), nullptr);
    EXPECT_NE(e->Button()->State(), ebsDown);
    Pump();
    EXPECT_EQ(TI_CustomEdit::SharedBubble(), nullptr);
}

TEST(ChoiceEditKeys, EnterGoesToTheFormAndLineBreaksNeverEnterOneLine) {
    TwoEdits<TI_ChoiceEdit> t;
    TI_ChoiceEdit* e = t.first;
    e->SetText("ab");
    e->SetSel(2, 2);
    TypeChars(e, "\r");
    EXPECT_EQ(t.form->dialog_keys, std::vector<WPARAM>{VK_RETURN});
    TypeChars(e, "\n");  // Ctrl+Enter
    EXPECT_EQ(e->GetText(), "ab");
    ASSERT_TRUE(SetClipboardText("a\r\nb"));
    SendMessageA(e->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(e->GetText(), "abab");
    e->SetMultiLine(true);  // a window made again, given the focus again
    e->SetFocus();
    Pump();
    t.form->dialog_keys.clear();
    TypeChars(e, "\r");
    EXPECT_TRUE(t.form->dialog_keys.empty());
    EXPECT_NE(e->GetText().find("\r\n"), std::string::npos);
}

TEST(ChoiceEditLock, ALockedEditDisablesItsButtonAndIgnoresCheckDoubleClicks) {
    TwoEdits<TI_ChoiceEdit> t;
    TI_ChoiceEdit* e = t.first;
    auto g = Glyph(10, 10);
    e->SetCheckGlyph(g.get());
    int checks = 0;
    e->OnCheckClick = [&](TObject*) { ++checks; };
    e->SetChoiceLocked(true);
    ASSERT_NE(e->Button(), nullptr);
    EXPECT_FALSE(e->Button()->Enabled());
    SendMessageA(e->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 5));
    EXPECT_EQ(checks, 0);
    e->SetChoiceLocked(false);
    EXPECT_TRUE(e->Button()->Enabled());
    SendMessageA(e->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 5));
    EXPECT_EQ(checks, 1);
}

TEST(ChoiceEditButton, SwitchedOffInItsOwnClickItIsHiddenAtOnceAndFreedAfterwards) {
    TwoEdits<TI_ChoiceEdit> t;
    TI_ChoiceEdit* e = t.first;
    e->SetButtonStyle(esDropDown);
    TI_EditButton* during = nullptr;
    bool visibleDuring = true;
    e->OnButtonClick = [&](TObject*) {
        e->SetButtonExist(false);
        during = e->Button();
        visibleDuring = during && during->Visible();
    };
    e->DropDown();
    EXPECT_NE(during, nullptr);  // still there while its click runs
    EXPECT_FALSE(visibleDuring);
    EXPECT_EQ(e->Button(), nullptr);  // gone once the click returned
    EXPECT_EQ(e->GetButtonWidth(), 0);
}
