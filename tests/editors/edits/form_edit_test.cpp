// The form edits (TDC family): placeholder pixels, Enter through the tab
// order without a second action, a bubble of their own, data dragging with
// the real mouse, and the form combo's additions.
#include <gtest/gtest.h>

#include <algorithm>

#include "editors/edits/combo_box.h"
#include "editors/popups/message_window.h"
#include "editors/popups/popup_list_box.h"
#include "framework/image_list.h"
#include "tests/editors/edits/edits_test_support.h"
#include "tests/editors/popups/popup_test_support.h"

namespace {
constexpr uint32_t kGrey = 0x808080;

// The leftmost column of a placeholder-grey pixel in the edit's client area
// (-1: none).
int FirstGreyColumn(TWinControl* e) {
    HWND h = e->Handle();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();
    RECT c;
    GetClientRect(h, &c);
    const std::vector<uint32_t> px = ScreenPixels(h, c.right, c.bottom);
    int first = -1;
    for (size_t i = 0; i < px.size(); ++i)
        if (px[i] == kGrey) {
            const int x = static_cast<int>(i % static_cast<size_t>(c.right));
            if (first < 0 || x < first) first = x;
        }
    return first;
}

// Four form edits A, B (read-only), C, D on a form that owns them.
struct FourFields {
    TEditTestForm* form;
    TDCChoiceEdit* e[4];
    FourFields() {
        form = Create<TEditTestForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(40, 40, 420, 200);
        for (int i = 0; i < 4; ++i) {
            e[i] = Place<TDCChoiceEdit>(form, form, 10, 10 + i * 40, 180, 21);
            e[i]->SetButtonExist(false);
        }
        e[1]->SetReadOnly(true);
        form->Show();
        Pump();
        e[0]->SetFocus();
        Pump();
    }
    ~FourFields() {
        form->Free();
        Pump();
    }
    bool Has(int i) const { return GetFocus() == e[i]->WindowHandle(); }
};

POINT ScreenPointIn(TWinControl* c, int x, int y) {
    POINT p{x, y};
    ClientToScreen(c->Handle(), &p);
    return p;
}

// Presses the left button at from, moves to to and lets go there. The moves
// are queued before the press is handled: the drag detection waits for them.
void DragWithMouse(POINT from, POINT to) {
    SetCursorPos(from.x, from.y);
    // Past the double-click time: this press starts a drag of its own.
    PumpFor(GetDoubleClickTime() + 50);
    MouseInput(MOUSEEVENTF_LEFTDOWN);
    MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, POINT{from.x + 12, from.y + 12});
    MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, to);
    PumpFor(200);
    MouseInput(MOUSEEVENTF_LEFTUP);
    PumpFor(200);
}
}  // namespace

TEST(FormEditPlaceholder, GreyAtTwoOnAnEmptyFieldAndGoneAfterACharacter) {
    TwoEdits<TDCChoiceEdit> t;
    TDCChoiceEdit* e = t.second;
    e->SetEmptyText("optional");
    e->SetText("");
    const int first = FirstGreyColumn(e);
    EXPECT_GE(first, 2);
    EXPECT_LE(first, 4);  // the first letter's own side bearing at most
    e->SetFocus();
    Pump();
    TypeChars(e, "a");
    Pump();
    EXPECT_EQ(FirstGreyColumn(e), -1);
    // An empty-paint handler replaces the placeholder.
    int calls = 0;
    e->OnEmptyPaint = [&](TObject*) { ++calls; };
    e->SetText("");
    EXPECT_EQ(FirstGreyColumn(e), -1);
    EXPECT_GT(calls, 0);
}

TEST(FormEditEnter, MovesThroughTheTabOrderOverReadOnlyFormEdits) {
    FourFields f;
    SendKey(f.e[0], VK_RETURN);
    EXPECT_TRUE(f.Has(2));  // A -> C, B read-only
    f.e[0]->SetFocus();
    SendKey(f.e[0], VK_RETURN, user_input::kShift);
    EXPECT_TRUE(f.Has(3));  // Shift+Enter in A wraps to D
    // OnSelectNext vetoes, or names another control.
    f.e[0]->SetFocus();
    WORD seen = 0;
    f.e[0]->OnSelectNext = [&](TWinControl*&, TWinControl*&, bool& allow, WORD key) {
        seen = key;
        allow = false;
    };
    SendKey(f.e[0], VK_RETURN);
    EXPECT_TRUE(f.Has(0));
    EXPECT_EQ(seen, VK_RETURN);
    f.e[0]->OnSelectNext = [&](TWinControl*&, TWinControl*& next, bool&, WORD) { next = f.e[3]; };
    SendKey(f.e[0], VK_RETURN);
    EXPECT_TRUE(f.Has(3));
    // Any other key asks too: a named control gets the focus.
    f.e[3]->OnSelectNext = [&](TWinControl*&, TWinControl*& next, bool&, WORD key) {
        if (key == VK_F9) next = f.e[2];
    };
    SendKey(f.e[3], VK_F9);
    EXPECT_TRUE(f.Has(2));
}

TEST(FormEditEnter, AnEnterThatMovedTheFocusIsNoDialogKeyAsWell) {
    FourFields f;
    std::vector<char> pressed;
    f.e[0]->OnKeyPress = [&](TObject*, char& key) { pressed.push_back(key); };
    // As the message loop delivers Enter: the key-down, then its character
    // (made by the loop) to the same window.
    SendKey(f.e[0], VK_RETURN);
    EXPECT_TRUE(f.Has(2));
    EXPECT_TRUE(f.form->dialog_keys.empty());
    EXPECT_EQ(pressed, std::vector<char>{'\r'});  // its own handler still sees it
    // Enter that moved nothing is the form's dialog key, as in every edit.
    f.e[2]->OnSelectNext = [](TWinControl*&, TWinControl*&, bool& allow, WORD) { allow = false; };
    SendKey(f.e[2], VK_RETURN);
    EXPECT_EQ(f.form->dialog_keys, std::vector<WPARAM>{VK_RETURN});
}

TEST(FormEditKeys, F2OpensOnlyWithoutShiftAndRecordsTheReason) {
    TwoEdits<TDCChoiceEdit> t;
    TDCChoiceEdit* e = t.first;
    e->SetButtonStyle(esDropDown);
    int clicks = 0;
    e->OnButtonClick = [&](TObject*) { ++clicks; };
    SendKey(e, VK_F2, user_input::kShift);
    EXPECT_EQ(clicks, 0);
    SendKey(e, VK_F2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(e->DropDownReason(), drKey);
}

TEST(FormEditBubble, AFormEditAndAnInplaceEditShowTheirBubblesAtOnce) {
    TEditTestForm* form = Create<TEditTestForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(40, 40, 360, 200);
    auto* grid = Place<TI_ChoiceEdit>(form, form, 10, 10, 150, 21);
    auto* dc = Place<TDCChoiceEdit>(form, form, 10, 90, 150, 21);
    form->Show();
    Pump();
    for (TI_CustomEdit* e : {static_cast<TI_CustomEdit*>(grid), static_cast<TI_CustomEdit*>(dc)})
        e->OnGetErrorHint = [](TObject*, int, std::string& s) { s = "Pflichtfeld"; };
    grid->Perform(UM_BUBBLE, 1, kEditErrorEmpty);
    dc->Perform(UM_BUBBLE, 1, kEditErrorEmpty);
    TI_MessageWindow* a = TI_CustomEdit::SharedBubble(kInplaceFamily);
    TI_MessageWindow* b = TI_CustomEdit::SharedBubble(kFormFamily);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_TRUE(IsWindowVisible(a->Handle()));
    EXPECT_TRUE(IsWindowVisible(b->Handle()));
    EXPECT_EQ(TI_CustomEdit::SharedBubbleOwner(kFormFamily), dc);
    grid->Perform(UM_BUBBLE, 0, 0);
    EXPECT_EQ(TI_CustomEdit::SharedBubble(kInplaceFamily), nullptr);
    ASSERT_EQ(TI_CustomEdit::SharedBubble(kFormFamily), b);
    EXPECT_TRUE(IsWindowVisible(b->Handle()));
    // A form edit that goes takes its family's bubble along.
    dc->Free();
    EXPECT_EQ(TI_CustomEdit::SharedBubble(kFormFamily), nullptr);
    form->Free();
    Pump();
}

TEST(FormEditDrag, SelectedTextDroppedOnAFieldReplacesItsTextUnlessRefusedOrReadOnly) {
    FourFields f;
    TDCChoiceEdit* a = f.e[0];
    for (TDCChoiceEdit* e : f.e) e->SetDataDraggingEnabled(true);
    f.e[1]->SetReadOnly(true);
    f.e[1]->SetText("fest");
    f.e[2]->SetText("alt");
    f.e[3]->SetText("bleibt");
    a->SetText("abc");
    a->SetSel(0, 3);
    int cancels = 0, drops = 0;
    a->OnDragOverCancel = [&](int&) { ++cancels; };
    const int lists = ImageListLiveHandles();
    // Onto C: accepted (no OnDragOverData), C takes the whole text, A keeps it.
    DragWithMouse(ScreenPointIn(a, 8, 8), ScreenPointIn(f.e[2], 30, 8));
    EXPECT_EQ(f.e[2]->GetText(), "abc");
    EXPECT_EQ(a->GetText(), "abc");
    EXPECT_FALSE(a->DataDragging());
    EXPECT_EQ(ImageListLiveHandles(), lists);  // the drag image is gone
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(a->DragExtra().Values[1], -1);
    EXPECT_GT(cancels, 0);
    // Onto the read-only B: nothing changes.
    a->SetFocus();
    a->SetSel(0, 3);
    DragWithMouse(ScreenPointIn(a, 8, 8), ScreenPointIn(f.e[1], 30, 8));
    EXPECT_EQ(f.e[1]->GetText(), "fest");
    // Onto D with OnDragOverData refusing: D keeps its text, no drop event.
    int asked = 0;
    a->OnDragOverData = [&](bool& accept, int&, POINT, TDataDragExtra&) {
        ++asked;
        accept = false;
    };
    a->OnDragDropData = [&](bool&, int&, POINT, TDataDragExtra&) { ++drops; };
    a->SetSel(0, 3);
    DragWithMouse(ScreenPointIn(a, 8, 8), ScreenPointIn(f.e[3], 30, 8));
    EXPECT_GT(asked, 0);
    EXPECT_EQ(f.e[3]->GetText(), "bleibt");
    EXPECT_EQ(drops, 0);
    // The same handler accepting: the drop lands and is reported.
    a->OnDragOverData = [&](bool& accept, int&, POINT, TDataDragExtra&) { accept = true; };
    a->SetSel(0, 3);
    DragWithMouse(ScreenPointIn(a, 8, 8), ScreenPointIn(f.e[3], 30, 8));
    EXPECT_EQ(f.e[3]->GetText(), "abc");
    EXPECT_EQ(drops, 1);
}

TEST(FormEditDrag, AClickWithoutMovingPlacesTheCaretAndKeepsNoCapture) {
    FourFields f;
    TDCChoiceEdit* a = f.e[0];
    a->SetDataDraggingEnabled(true);
    a->SetText("abcdef");
    a->SetSel(0, 6);
    SetCursorPos(ScreenPointIn(a, 60, 8).x, ScreenPointIn(a, 60, 8).y);
    PumpFor(GetDoubleClickTime() + 50);
    MouseInput(MOUSEEVENTF_LEFTDOWN);
    MouseInput(MOUSEEVENTF_LEFTUP);
    PumpFor(200);
    EXPECT_FALSE(a->DataDragging());
    EXPECT_EQ(GetCapture(), nullptr);  // the EDIT saw the release too
    const auto [s, e] = SelOf(a);
    EXPECT_EQ(s, e);  // the click put the caret, the selection is gone
    EXPECT_EQ(a->GetText(), "abcdef");
}

TEST(FormCombo, StyleSwitchesTheButtonAndTheListStyleStartsEmpty) {
    TwoEdits<TDCComboBox> t;
    TDCComboBox* c = t.first;
    c->Items().Add("Mannheim");
    c->SetText("Mannheim");
    c->SetStyle(csDropDownList);
    EXPECT_NE(c->Button(), nullptr);
    EXPECT_EQ(c->GetText(), "");
    c->SetStyle(csSimple);
    EXPECT_EQ(c->Button(), nullptr);
    EXPECT_FALSE(c->ButtonExist());
    c->SetStyle(csDropDown);
    EXPECT_NE(c->Button(), nullptr);
    // The in-place combo keeps its button whatever the style.
    TwoEdits<TI_ComboBox> g;
    g.first->SetStyle(csSimple);
    EXPECT_NE(g.first->Button(), nullptr);
}

TEST(FormCombo, MatchingOffCompletesNothingAndEventsComeBeforeTheChange) {
    TwoEdits<TDCComboBox> t;
    TDCComboBox* c = t.first;
    c->Items().Add("Mannheim");
    c->Items().Add("Mainz");
    c->SetMatchItems(false);
    c->SetText("");
    TypeChars(c, "Man");
    EXPECT_EQ(c->GetText(), "Man");
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(c->FindItem(true), -1);
    // The select-text event sees the old text and the new one.
    c->SetMatchItems(true);
    std::vector<std::string> seen;
    c->OnSelectText = [&](TObject* s, const std::string& text, int index) {
        seen.push_back(static_cast<TDCComboBox*>(s)->GetText() + ">" + text + "#" + std::to_string(index));
    };
    SendKey(c, VK_DOWN);
    EXPECT_EQ(c->GetText(), "Mannheim");
    EXPECT_EQ(seen, std::vector<std::string>{"Man>Mannheim#0"});
    // A completion event replaces the built-in completion.
    int completions = 0;
    c->OnCompleteText = [&](TObject*) { ++completions; };
    c->SetText("");
    TypeChars(c, "Mai");
    EXPECT_EQ(c->GetText(), "Mai");
    EXPECT_EQ(completions, 3);
}

TEST(FormCombo, TheListTakesItemHeightAndDrawsRowsThroughOnDrawItem) {
    TwoEdits<TDCComboBox> t;
    TDCComboBox* c = t.first;
    for (const char* s : {"eins", "zwei", "drei"}) c->Items().Add(s);
    c->SetItemHeight(19);
    std::vector<int> drawn;
    c->OnDrawItem = [&](TWinControl*, int index, const RECT&, unsigned) { drawn.push_back(index); };
    SendKey(c, VK_F2);
    ASSERT_NE(c->List(), nullptr);
    EXPECT_EQ(c->List()->ItemHeight(), 19);
    UpdateWindow(c->List()->Handle());
    Pump();
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 1), drawn.end());
    // With the list open, Enter takes the item and moves no focus.
    SendKey(c, VK_DOWN);
    SendKey(c, VK_RETURN);
    TypeChars(c, "\r");
    EXPECT_EQ(c->GetText(), "eins");
    EXPECT_EQ(GetFocus(), c->WindowHandle());
    EXPECT_FALSE(c->IsDroppedDown());
}
