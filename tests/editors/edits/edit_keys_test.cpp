// Escape, Tab, Enter and the focus in the edit fields, with keys through the
// application's loop: Escape closes no window and brings back the text of the
// entry however often it is pressed, Tab moves on from every edit and combo,
// a field narrower than its text takes all that is typed, and a failed check
// on leaving runs once, never in the field the focus was heading for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/edits/combo_box.h"
#include "editors/edits/float_edit.h"
#include "framework/format_settings.h"
#include "framework/std_controls.h"
#include "tests/editors/edits/edits_test_support.h"

namespace {

// A form with a panel carrying fields, as the settings dialogs hold them.
struct PanelFields {
    TEditTestForm* form;
    TPanel* panel;
    PanelFields() {
        InitFormatSettings();
        form = Create<TEditTestForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(40, 40, 420, 260);
        panel = Place<TPanel>(form, form, 5, 5, 400, 240);
        form->Show();
        Pump();
    }
    ~PanelFields() {
        form->Free();
        Pump();
    }
    template <class E>
    E* Field(int y, int w = 180) {
        return Place<E>(form, panel, 10, y, w, 21);
    }
    void Focus(TWinControl* c) {
        c->SetFocus();
        Pump();
        ASSERT_EQ(GetFocus(), c->Handle());
    }
    // Nothing closed: the panel's and the form's windows stand and show.
    bool AllStanding() const {
        return panel->HandleAllocated() && IsWindow(panel->WindowHandle()) && IsWindowVisible(panel->WindowHandle()) &&
               IsWindow(form->WindowHandle()) && IsWindowVisible(form->WindowHandle());
    }
};

}  // namespace

TEST(EditEscape, UndoesTheTypingAndClosesNeitherPanelNorForm) {
    PanelFields p;
    auto* plain = p.Field<TDCChoiceEdit>(10);
    auto* memo = p.Field<TDCChoiceEdit>(40);
    memo->SetMultiLine(true);
    auto* number = p.Field<TI_FloatEdit>(70);
    auto* combo = p.Field<TI_ComboBox>(100);
    combo->Items().Add("Basel");
    combo->Items().Add("Bern");
    plain->SetText("Kiel");
    memo->SetText("Zeile");
    number->SetText("12,50");
    combo->SetText("Bern");
    struct Case {
        TI_CustomEdit* edit;
        const char* typed;
        const char* entry;
    } cases[] = {{plain, "Ulm", "Kiel"}, {memo, "neu", "Zeile"}, {number, "99", "12,50"}, {combo, "Zug", "Bern"}};
    for (const Case& c : cases) {
        p.Focus(c.edit);
        c.edit->MoveCaretToEnd();
        TypeChars(c.edit, c.typed);
        ASSERT_NE(c.edit->GetText(), c.entry);
        SendKey(c.edit, VK_ESCAPE);
        Pump();
        EXPECT_TRUE(p.AllStanding()) << c.entry;
        ASSERT_TRUE(c.edit->HandleAllocated()) << c.entry;
        EXPECT_EQ(c.edit->GetText(), c.entry);
        EXPECT_EQ(GetFocus(), c.edit->WindowHandle()) << c.entry;
    }
}

TEST(EditEscape, EveryPressBringsBackTheTextOfTheEntry) {
    PanelFields p;
    auto* plain = p.Field<TDCChoiceEdit>(10);
    auto* masked = p.Field<TI_ChoiceEdit>(40);
    auto* other = p.Field<TDCChoiceEdit>(70);
    masked->SetEditMask("9{5}");
    plain->SetText("Kiel");
    masked->SetText("12345");
    for (TI_CustomEdit* e : {static_cast<TI_CustomEdit*>(plain), static_cast<TI_CustomEdit*>(masked)}) {
        const std::string entry = e->GetText();
        p.Focus(e);
        e->MoveCaretToEnd();
        SendKey(e, VK_BACK);
        SendKey(e, VK_BACK);
        TypeChars(e, "7");
        SendKey(e, VK_ESCAPE);
        EXPECT_EQ(e->GetText(), entry);
        // The window's undo would bring the typing back now.
        SendKey(e, VK_ESCAPE);
        EXPECT_EQ(e->GetText(), entry);
        TypeChars(e, "8");
        SendKey(e, VK_ESCAPE);
        SendKey(e, VK_ESCAPE);
        SendKey(e, VK_ESCAPE);
        EXPECT_EQ(e->GetText(), entry);
    }
    // A new entry starts from the text it finds.
    p.Focus(other);
    plain->SetText("Ulm");
    p.Focus(plain);
    TypeChars(plain, "x");
    SendKey(plain, VK_ESCAPE);
    EXPECT_EQ(plain->GetText(), "Ulm");
}

TEST(EditEscape, AfterAFailedCheckStillTheTextOfTheFirstEntry) {
    PanelFields p;
    auto* city = p.Field<TDCChoiceEdit>(10);
    auto* other = p.Field<TDCChoiceEdit>(40);
    city->SetCanEmpty(false);
    city->SetText("Kiel");
    p.Focus(city);
    SendKey(city, VK_BACK);  // all selected on entry: the text goes
    SendKey(city, VK_TAB);   // empty fails the check: the focus stays
    EXPECT_EQ(GetFocus(), city->WindowHandle());
    SendKey(city, VK_ESCAPE);
    EXPECT_EQ(city->GetText(), "Kiel");
    SendKey(city, VK_TAB);
    EXPECT_EQ(GetFocus(), other->WindowHandle());
}

TEST(EditTab, MovesOnFromEveryEditAndComboAndTypesNoTab) {
    PanelFields p;
    auto* plain = p.Field<TDCChoiceEdit>(10);
    auto* memo = p.Field<TDCChoiceEdit>(40);
    memo->SetMultiLine(true);
    auto* inplaceKind = p.Field<TI_ChoiceEdit>(70);
    auto* number = p.Field<TI_FloatEdit>(100);
    auto* combo = p.Field<TDCComboBox>(130);
    auto* listOnly = p.Field<TI_ComboBox>(160);
    auto* last = p.Field<TDCChoiceEdit>(190);
    for (TI_ComboBox* c : {static_cast<TI_ComboBox*>(combo), listOnly}) {
        c->Items().Add("Basel");
        c->Items().Add("Bern");
    }
    listOnly->SetStyle(csDropDownList);
    std::vector<TI_CustomEdit*> chain{plain, memo, inplaceKind, number, combo, listOnly, last};
    for (size_t i = 0; i + 1 < chain.size(); ++i) {
        TI_CustomEdit* e = chain[i];
        p.Focus(e);
        if (e != listOnly) {
            e->SetText("");
            TypeChars(e, e == number ? "5" : "Ba");
        }
        const std::string before = e->GetText();
        SendKey(e, VK_TAB);
        EXPECT_EQ(GetFocus(), chain[i + 1]->WindowHandle()) << i;
        EXPECT_EQ(e->GetText().find('\t'), std::string::npos) << i;
        EXPECT_EQ(e->GetText(), before) << i;
        EXPECT_TRUE(p.form->dialog_keys.empty() || p.form->dialog_keys.back() == VK_TAB) << i;
    }
    // Shift+Tab goes back.
    p.Focus(listOnly);
    SendKey(listOnly, VK_TAB, user_input::kShift);
    EXPECT_EQ(GetFocus(), combo->WindowHandle());
}

TEST(ComboKeys, EnterInAListOnlyComboReachesTheFormAndOpensNoList) {
    TwoEdits<TI_ComboBox> t;
    TI_ComboBox* c = t.first;
    c->Items().Add("Basel");
    c->Items().Add("Bern");
    c->SetStyle(csDropDownList);
    c->SetItemIndex(1);
    c->SetFocus();
    Pump();
    bool opened = false;
    c->OnDropDown = [&](TObject*) { opened = true; };
    SendKey(c, VK_RETURN);
    EXPECT_FALSE(opened);
    EXPECT_FALSE(c->IsDroppedDown());
    EXPECT_EQ(t.form->dialog_keys, std::vector<WPARAM>{VK_RETURN});
    EXPECT_EQ(c->ItemIndex(), 1);
    // Escape and Backspace pick nothing and open nothing either.
    SendKey(c, VK_ESCAPE);
    SendKey(c, VK_BACK);
    EXPECT_FALSE(opened);
    EXPECT_EQ(c->ItemIndex(), 1);
    // A letter still walks the items.
    TypeChars(c, "b");
    EXPECT_EQ(c->ItemIndex(), 0);
}

TEST(EditWidth, AFieldNarrowerThanItsTextTakesAllThatIsTyped) {
    PanelFields p;
    auto* plain = p.Field<TDCChoiceEdit>(10, 40);
    auto* buttoned = p.Field<TI_ChoiceEdit>(40, 44);
    buttoned->SetButtonStyle(esDropDown);
    auto* number = p.Field<TI_FloatEdit>(70, 60);
    number->DataType().SetKind(deFloat);
    number->DataType().SetPrecision(2);
    number->DataType().SetDigits(14);
    auto* combo = p.Field<TI_ComboBox>(100, 40);
    struct Case {
        TI_CustomEdit* edit;
        const char* typed;
    } cases[] = {{plain, "Donaudampfschifffahrt"},
                 {buttoned, "1250,75 und mehr"},
                 {number, "1234567890"},
                 {combo, "Zweibr\xFC" "cken-Land"}};
    for (const Case& c : cases) {
        p.Focus(c.edit);
        c.edit->SetText("");
        TypeChars(c.edit, c.typed);
        EXPECT_EQ(c.edit->GetText(), c.typed);
    }
}

TEST(EditFocus, AFailedCheckRunsOnceAndAFieldNeverEnteredIsNeverLeft) {
    PanelFields p;
    auto* a = p.Field<TDCChoiceEdit>(10);
    auto* b = p.Field<TDCChoiceEdit>(40);
    auto* n = p.Field<TI_FloatEdit>(70);
    for (TDCChoiceEdit* e : {a, b}) {
        e->SetCanEmpty(false);
        e->SetText("");
    }
    int checksA = 0, checksB = 0, entersB = 0, exitsB = 0, entersN = 0, exitsN = 0;
    a->OnKillFocus = [&](TObject*, bool&) { ++checksA; };
    b->OnKillFocus = [&](TObject*, bool&) { ++checksB; };
    b->OnEnter = [&](TObject*) { ++entersB; };
    b->OnExit = [&](TObject*) { ++exitsB; };
    n->OnEnter = [&](TObject*) { ++entersN; };
    n->OnExit = [&](TObject*) { ++exitsN; };
    p.Focus(a);
    SendKey(a, VK_TAB);
    EXPECT_EQ(GetFocus(), a->WindowHandle());
    EXPECT_EQ(checksA, 1);
    EXPECT_EQ(checksB, 0);
    EXPECT_EQ(entersB + exitsB, 0);
    // Straight to the number field: the same, once more.
    n->SetFocus();
    Pump();
    EXPECT_EQ(GetFocus(), a->WindowHandle());
    EXPECT_EQ(checksA, 2);
    EXPECT_EQ(entersN + exitsN, 0);
    // Filled, the first lets go; the empty second then holds the focus.
    TypeChars(a, "x");
    SendKey(a, VK_TAB);
    EXPECT_EQ(GetFocus(), b->WindowHandle());
    EXPECT_EQ(entersB, 1);
    SendKey(b, VK_TAB);
    EXPECT_EQ(GetFocus(), b->WindowHandle());
    EXPECT_EQ(checksB, 1);
    EXPECT_EQ(exitsB, 0);
    EXPECT_EQ(entersN + exitsN, 0);
    EXPECT_EQ(checksA, 3);  // its exit when the focus went on to the second
}

TEST(EditEscape, ANumberFieldStraightOnAFormLeavesTheFormOpen) {
    InitFormatSettings();
    TwoEdits<TI_FloatEdit> t;
    TI_FloatEdit* e = t.first;
    e->SetText("12,50");
    t.Leave();
    e->SetFocus();
    Pump();
    const std::string entry = e->GetText();  // in the field's own form
    e->MoveCaretToEnd();
    TypeChars(e, "9");
    ASSERT_NE(e->GetText(), entry);
    SendKey(e, VK_ESCAPE);
    Pump();
    EXPECT_TRUE(IsWindowVisible(t.form->WindowHandle()));
    EXPECT_EQ(GetFocus(), e->WindowHandle());
    EXPECT_EQ(e->GetText(), entry);
}
