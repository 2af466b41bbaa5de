// What the form edits take from outside and how a drag ends: a drop (real
// mouse) or a paste goes in only as typing would, never onto a window a
// modal dialog disabled; a drag that loses the capture says so and puts the
// cursor back; an accept holds only where it was given; only a press on the
// selected text drags. The form combo: no context menu over its open list,
// no item after the list style emptied it, alive until a click in its list
// returns when OnIndexChange frees it. A multi-line form edit never takes Enter.
#include <gtest/gtest.h>

#include "editors/edits/combo_box.h"
#include "editors/popups/popup_list_box.h"
#include "framework/clipboard.h"
#include "framework/menus.h"
#include "framework/screen.h"
#include "tests/editors/edits/edits_test_support.h"
#include "tests/editors/popups/popup_test_support.h"
#include "tests/framework/user_input.h"

namespace {

POINT At(TWinControl* c, int x, int y) {
    POINT p{x, y};
    ClientToScreen(c->Handle(), &p);
    return p;
}

// Presses the left button at from, moves over each point of via (resting
// there), then to `to`, and lets go. The first moves are queued before the
// press is handled: the drag detection waits for them.
void Drag(POINT from, std::initializer_list<POINT> via, POINT to) {
    SetCursorPos(from.x, from.y);
    PumpFor(GetDoubleClickTime() + 50);  // a press of its own, no double click
    MouseInput(MOUSEEVENTF_LEFTDOWN);
    MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, POINT{from.x + 12, from.y + 12});
    for (POINT p : via) {
        MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p);
        PumpFor(150);
    }
    MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, to);
    PumpFor(150);
    MouseInput(MOUSEEVENTF_LEFTUP);
    PumpFor(150);
}

// A borderless shown form of its own at (x, y).
TEditTestForm* ShownForm(int x, int y, int w, int h) {
    auto* form = Create<TEditTestForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(x, y, w, h);
    form->Show();
    Pump();
    return form;
}

template <class E>
E* Field(TWinControl* parent, int y, const std::string& text, int w = 180, int h = 21) {
    E* e = Place<E>(parent, parent, 10, y, w, h);
    e->SetButtonExist(false);
    e->SetDataDraggingEnabled(true);
    e->SetText(text);
    return e;
}

// A multi-line source field A with the dragged text selected, and targets.
struct DropScene {
    TEditTestForm* form = ShownForm(40, 40, 420, 330);
    TDCChoiceEdit* source = nullptr;
    DropScene() {
        source = Field<TDCChoiceEdit>(form, 10, "", 300, 40);
        source->SetMultiLine(true);
        Pump();
    }
    ~DropScene() {
        form->Free();
        SetCursorPos(1, 1);
        Pump();
    }
    // Drags all of text from the source onto a point of target.
    void DragOnto(TWinControl* target, const std::string& text) {
        source->SetText(text);
        source->SetFocus();
        source->SetSel(0, -1);
        Pump();
        Drag(At(source, 6, 6), {}, At(target, 30, 8));
    }
};

}  // namespace

TEST(FormEditDrop, AFieldTakesADropOnlyAsTypingWouldAndAPasteByTheSameRules) {
    DropScene s;
    auto* limited = Field<TDCChoiceEdit>(s.form, 60, "alt");
    limited->SetMaxLength(8);
    auto* oneLine = Field<TDCChoiceEdit>(s.form, 90, "alt");
    auto* postcode = Field<TDCChoiceEdit>(s.form, 120, "");
    postcode->SetEditMask("00000");
    auto* town = Place<TDCComboBox>(s.form, s.form, 10, 150, 180, 21);
    town->SetDataDraggingEnabled(true);
    for (const char* item : {"Mannheim", "Mainz", "Worms"}) town->Items().Add(item);
    town->SetStyle(csDropDownList);
    town->SetItemIndex(1);
    auto* city = Place<TDCComboBox>(s.form, s.form, 10, 180, 180, 21);
    city->SetDataDraggingEnabled(true);
    for (const char* item : {"Mannheim", "Mainz", "Worms"}) city->Items().Add(item);
    city->SetItemIndex(0);
    Pump();

    s.DragOnto(limited, "Postfach 1234567 XYZ");
    EXPECT_EQ(limited->GetText(), "alt") << "longer than MaxLength 8";
    s.DragOnto(oneLine, "Hauptstr. 1\r\nHinterhaus");
    EXPECT_EQ(oneLine->GetText(), "alt") << "a line break in a one-line field";
    s.DragOnto(postcode, "Berlin");
    EXPECT_EQ(postcode->GetText(), "") << "letters into the mask 00000";
    s.DragOnto(town, "Berlin");
    EXPECT_EQ(town->GetText(), "Mainz") << "no item of the list-only combo";
    EXPECT_EQ(town->ItemIndex(), 1);
    // What typing takes, a drop takes.
    s.DragOnto(limited, "Postfach");
    EXPECT_EQ(limited->GetText(), "Postfach");
    s.DragOnto(oneLine, "Postfach 1234567 XYZ");
    EXPECT_EQ(oneLine->GetText(), "Postfach 1234567 XYZ");
    s.DragOnto(postcode, "68159");
    EXPECT_EQ(postcode->GetText(), "68159");
    s.DragOnto(town, "worms");
    EXPECT_EQ(town->GetText(), "Worms");
    EXPECT_EQ(town->ItemIndex(), 2);
    s.DragOnto(city, "Mainz");
    EXPECT_EQ(city->GetText(), "Mainz");
    EXPECT_EQ(city->ItemIndex(), 1) << "the item follows the dropped text";
    s.DragOnto(city, "Ludwigshafen");
    EXPECT_EQ(city->ItemIndex(), -1);

    // A paste goes through the same rules: cut at the limit, one line.
    SetClipboardText("Hauptstr.\r\n12345678");
    limited->SetFocus();
    limited->SetText("");
    Pump();
    user_input::PressKey('V', user_input::kCtrl);
    EXPECT_EQ(limited->GetText(), "Hauptstr");
    oneLine->SetFocus();
    oneLine->SetText("");
    Pump();
    user_input::PressKey('V', user_input::kCtrl);
    EXPECT_EQ(oneLine->GetText(), "Hauptstr.12345678");
}

TEST(FormEditDrop, AWindowDisabledByAModalDialogTakesNoDrop) {
    TEditTestForm* behind = ShownForm(40, 40, 300, 60);
    auto* target = Field<TDCChoiceEdit>(behind, 10, "bleibt");
    TEditTestForm* dialog = ShownForm(40, 200, 300, 60);
    auto* source = Field<TDCChoiceEdit>(dialog, 10, "neu");
    Pump();
    // What a modal dialog does to the windows behind it.
    EnableWindow(behind->Handle(), FALSE);
    source->SetFocus();
    source->SetSel(0, -1);
    Pump();
    Drag(At(source, 6, 6), {}, At(target, 30, 8));
    EXPECT_EQ(target->GetText(), "bleibt");
    EnableWindow(behind->Handle(), TRUE);
    source->SetFocus();
    source->SetSel(0, -1);
    Pump();
    Drag(At(source, 6, 6), {}, At(target, 30, 8));
    EXPECT_EQ(target->GetText(), "neu");
    dialog->Free();
    behind->Free();
    SetCursorPos(1, 1);
    Pump();
}

TEST(FormEditDrag, ALostCaptureCancelsAnAcceptHoldsWhereGivenAndOnlyTheSelectionDrags) {
    DropScene s;
    TDCChoiceEdit* a = s.source;
    auto* b = Field<TDCChoiceEdit>(s.form, 60, "b");
    auto* c = Field<TDCChoiceEdit>(s.form, 90, "c");
    auto* d = Field<TDCChoiceEdit>(s.form, 120, "d");
    int cancels = 0;
    a->OnDragOverCancel = [&](int&) { ++cancels; };

    // The capture taken away mid-drag: cancelled, the cursor back, no drop.
    a->SetText("abc");
    a->SetFocus();
    a->SetSel(0, -1);
    Pump();
    const POINT from = At(a, 6, 6), over = At(b, 30, 8);
    SetCursorPos(from.x, from.y);
    PumpFor(GetDoubleClickTime() + 50);
    MouseInput(MOUSEEVENTF_LEFTDOWN);
    MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, POINT{from.x + 12, from.y + 12});
    MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, over);
    PumpFor(150);
    ASSERT_TRUE(a->DataDragging());
    EXPECT_EQ(GetCursor(), Screen()->Cursors(crDrag));
    const int before = cancels;
    SetCapture(s.form->Handle());
    Pump();
    EXPECT_FALSE(a->DataDragging());
    EXPECT_GT(cancels, before) << "no OnDragOverCancel";
    EXPECT_EQ(GetCursor(), Screen()->Cursors(crArrow));
    MouseInput(MOUSEEVENTF_LEFTUP);
    PumpFor(150);
    ReleaseCapture();
    EXPECT_EQ(b->GetText(), "b");

    // A handler that accepts only over C: released over D, nothing lands.
    int drops = 0;
    a->OnDragOverData = [&](bool& accept, int&, POINT p, TDataDragExtra&) {
        RECT r;
        GetWindowRect(c->Handle(), &r);
        if (PtInRect(&r, p)) accept = true;
    };
    a->OnDragDropData = [&](bool&, int&, POINT, TDataDragExtra&) { ++drops; };
    a->SetFocus();
    a->SetSel(0, -1);
    Pump();
    Drag(At(a, 6, 6), {At(c, 30, 8)}, At(d, 30, 8));
    EXPECT_EQ(d->GetText(), "d");
    EXPECT_EQ(drops, 0);
    Drag(At(a, 6, 6), {At(d, 30, 8)}, At(c, 30, 8));
    EXPECT_EQ(c->GetText(), "abc");
    EXPECT_EQ(drops, 1);
    a->OnDragOverData = nullptr;

    // All selected as Tab leaves it: a press beside the text places the caret.
    a->SetFocus();
    a->SetSel(0, -1);
    Pump();
    Drag(At(a, 200, 6), {}, At(b, 30, 8));
    EXPECT_EQ(b->GetText(), "b");
    EXPECT_FALSE(a->DataDragging());
    const auto [start, end] = SelOf(a);
    EXPECT_EQ(start, end);
}

TEST(FormEditEnter, AMultiLineFieldNeverTakesEnterAsANewLine) {
    TEditTestForm* form = ShownForm(40, 40, 300, 120);
    auto* memo = Field<TDCChoiceEdit>(form, 10, "", 180, 50);
    memo->SetMultiLine(true);
    Field<TDCChoiceEdit>(form, 70, "");
    memo->OnSelectNext = [](TWinControl*&, TWinControl*&, bool& allow, WORD key) {
        if (key == VK_RETURN) allow = false;
    };
    memo->SetFocus();
    Pump();
    user_input::TypeText("ab");
    user_input::PressKey(VK_RETURN);
    user_input::TypeText("c");
    EXPECT_EQ(memo->GetText(), "abc");
    EXPECT_EQ(GetFocus(), memo->Handle());
    form->Free();
    Pump();
}

TEST(FormCombo, NoContextMenuOverItsOpenList) {
    TwoEdits<TDCComboBox> t;
    TDCComboBox* c = t.first;
    for (const char* s : {"eins", "zwei"}) c->Items().Add(s);
    auto* menu = Create<TPopupMenu>(t.form);
    auto* item = Create<TMenuItem>(menu);
    item->SetCaption("Kopieren");
    menu->Items()->Add(item);
    int shown = 0;
    menu->OnPopup = [&](TObject*) { ++shown; };
    c->SetPopupMenu(menu);
    // A menu that opens is closed again from inside its loop.
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    c->SetFocus();
    Pump();
    user_input::PressKey(VK_F10, user_input::kShift);
    PumpFor(300);
    EXPECT_EQ(shown, 1) << "Shift+F10 on the closed combo shows its menu";
    c->SetFocus();  // the menu may have taken it
    Pump();
    user_input::PressKey(VK_F2);
    ASSERT_TRUE(c->IsDroppedDown());
    user_input::PressKey(VK_F10, user_input::kShift);
    PumpFor(300);
    EXPECT_EQ(shown, 1) << "a menu over the open list";
    KillTimer(nullptr, timer);
}

TEST(FormCombo, TheListStyleAfterAChosenItemHoldsNoItem) {
    TwoEdits<TDCComboBox> t;
    TDCComboBox* c = t.first;
    for (const char* s : {"Mannheim", "Mainz"}) c->Items().Add(s);
    c->SetItemIndex(1);
    c->SetStyle(csDropDownList);
    EXPECT_EQ(c->GetText(), "");
    EXPECT_EQ(c->ItemIndex(), -1) << "the face would show an item the field does not hold";
}

namespace {
// A combo that says when it is deleted.
class WatchedCombo : public TDCComboBox {
public:
    WatchedCombo(TComponent* owner, bool* deleted) : TDCComboBox(owner), deleted_(deleted) {}
    ~WatchedCombo() override { *deleted_ = true; }

private:
    bool* deleted_;
};
}  // namespace

TEST(FormCombo, FreedByOnIndexChangeFromAClickInItsListItLivesUntilTheClickReturns) {
    TEditTestForm* form = ShownForm(40, 40, 300, 200);
    bool deleted = false, deletedInHandler = true;
    auto* c = Create<WatchedCombo>(form, &deleted);
    c->SetBounds(10, 10, 180, 21);
    c->SetParent(form);
    for (const char* s : {"eins", "zwei", "drei"}) c->Items().Add(s);
    c->OnIndexChange = [&](TObject*) {
        c->Free();
        deletedInHandler = deleted;
    };
    c->SetFocus();
    Pump();
    user_input::PressKey(VK_F2);
    ASSERT_TRUE(c->IsDroppedDown());
    TI_PopupListBox* list = c->List();
    const int row = list->ItemHeight();
    POINT p{10, row + row / 2};
    ClientToScreen(list->Handle(), &p);
    MouseAt(p);
    PumpFor(200);
    EXPECT_FALSE(deletedInHandler) << "deleted inside the click that is still running";
    EXPECT_TRUE(deleted);
    form->Free();
    SetCursorPos(1, 1);  // lists follow the mouse: none is left under it
    Pump();
}

TEST(ChoiceEdit, AMissingButtonPictureLeavesAPlainButton) {
    constexpr PopupFamily kNoPictures{"NONE_", false, true, false};
    TI_ComboBox* c = nullptr;
    EXPECT_NO_THROW(c = Create<TI_ComboBox>(nullptr, kNoPictures));
    ASSERT_NE(c, nullptr);
    EXPECT_NE(c->Button(), nullptr);
    c->Free();
}
