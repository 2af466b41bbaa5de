// The combo box: key steps, completion, wheel, list-only letters and
// checks, and the life of its drop-down list.
#include <gtest/gtest.h>

#include <set>

#include "editors/edits/combo_box.h"
#include "editors/popups/popup_list_box.h"
#include "framework/gdi_owner.h"
#include "tests/editors/edits/edits_test_support.h"

namespace {
void Fill(TI_ComboBox* c, std::initializer_list<const char*> items) {
    for (const char* s : items) c->Items().Add(s);
}
LRESULT Wheel(TWinControl* c, int delta) {
    return SendMessageA(c->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                        MAKELPARAM(50, 50));
}
}  // namespace

TEST(ComboKeys, UpAndDownStepThroughTheItemsUnlessReadOnly) {
    TwoEdits<TI_ComboBox> t;
    TI_ComboBox* c = t.first;
    Fill(c, {"a", "b", "beta", "gamma"});
    c->SetText("BETA");
    SendKey(c, VK_DOWN);
    EXPECT_EQ(c->ItemIndex(), 3);
    EXPECT_EQ(c->GetText(), "gamma");
    c->SetItemIndex(0);
    SendKey(c, VK_UP);
    EXPECT_EQ(c->ItemIndex(), 0);
    c->SetReadOnly(true);
    SendKey(c, VK_DOWN);
    EXPECT_EQ(c->ItemIndex(), 0);
}

TEST(ComboTyping, ThreeCharactersCompleteToTheFirstItemWithTheTailSelected) {
    TwoEdits<TI_ComboBox> t;
    TI_ComboBox* c = t.first;
    Fill(c, {"Mannheim", "Mainz"});
    int changes = 0;
    c->OnIndexChange = [&](TObject*) { ++changes; };
    c->SetText("");
    TypeChars(c, "Ma");
    EXPECT_EQ(c->GetText(), "Ma");
    EXPECT_EQ(c->ItemIndex(), -1);
    TypeChars(c, "n");
    EXPECT_EQ(c->GetText(), "Mannheim");
    EXPECT_EQ(SelOf(c), std::make_pair(3, 8));
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(changes, 1);
}

TEST(ComboWheel, StepsByNotchesIgnoresStepsOutsideAndRespectsReadOnly) {
    TwoEdits<TI_ComboBox> t;
    TI_ComboBox* c = t.first;
    Fill(c, {"a", "b", "c", "d", "e"});
    c->SetItemIndex(3);
    EXPECT_NE(Wheel(c, 240), 0);
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_NE(Wheel(c, 240), 0);
    EXPECT_EQ(c->ItemIndex(), 1);
    c->SetReadOnly(true);
    Wheel(c, -120);
    EXPECT_EQ(c->ItemIndex(), 1);
}

TEST(ComboListOnly, LettersWalkTheItemsAndAnUnknownOneOpensTheList) {
    TwoEdits<TI_ComboBox> t;
    TI_ComboBox* c = t.first;
    c->SetStyle(csDropDownList);  // a window made again, given the focus again
    c->SetFocus();
    Pump();
    Fill(c, {"Bern", "Basel", "Chur", "Biel"});
    std::vector<int> walk;
    for (int i = 0; i < 4; ++i) {
        TypeChars(c, "b");
        walk.push_back(c->ItemIndex());
    }
    EXPECT_EQ(walk, (std::vector<int>{0, 1, 3, 0}));
    TypeChars(c, "x");
    EXPECT_TRUE(c->IsDroppedDown());
    c->CloseUp(false, true);
    EXPECT_FALSE(c->IsDroppedDown());
}

TEST(ComboListOnly, WheelChangesRaiseTheChangeNotification) {
    TwoEdits<TI_ComboBox> t;
    TI_ComboBox* c = t.first;
    c->SetStyle(csDropDownList);
    Fill(c, {"Bern", "Basel", "Chur"});
    c->SetItemIndex(2);
    int changes = 0;
    c->OnChange = [&](TObject*) { ++changes; };
    Wheel(c, 120);
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->GetText(), "Basel");
    EXPECT_EQ(changes, 1);
}

TEST(ComboCheck, DialogCodeIs133AndAListOnlyTextThatIsNoItemFails) {
    TwoEdits<TI_ComboBox> t;
    TI_ComboBox* c = t.first;
    EXPECT_EQ(SendMessageA(c->Handle(), WM_GETDLGCODE, 0, 0), 133);
    c->SetStyle(csDropDownList);
    Fill(c, {"Bern", "Basel"});
    c->SetText("Zug");
    EXPECT_EQ(c->ItemIndex(), -1);
    t.Leave();
    EXPECT_EQ(c->ErrorCode(), kEditErrorNotInList);
    EXPECT_EQ(GetFocus(), c->WindowHandle());
}

TEST(ComboKeys, F4AndAltDownOpenTheListAndF4ClosesIt) {
    TwoEdits<TI_ComboBox> t;
    TI_ComboBox* c = t.first;
    Fill(c, {"Bern", "Basel"});
    SendKey(c, VK_F4);
    EXPECT_TRUE(c->IsDroppedDown());
    SendKey(c, VK_F4);
    EXPECT_FALSE(c->IsDroppedDown());
    SendKey(c, VK_DOWN, user_input::kAlt);
    EXPECT_TRUE(c->IsDroppedDown());
    c->SetStyle(csSimple);  // a simple combo opens nothing by keys
    c->CloseUp(false, true);
    c->SetFocus();
    Pump();
    SendKey(c, VK_F4);
    EXPECT_FALSE(c->IsDroppedDown());
}

TEST(ComboList, ClosingAListNeverOpenedKeepsTheHints) {
    TwoEdits<TI_ComboBox> t;
    TI_ComboBox* c = t.first;
    c->SetShowHint(true);
    c->CloseUp(false, true);
    t.Leave();
    EXPECT_TRUE(c->ShowHint());
    c->Perform(UM_DROPDOWN, 1, 0);
    EXPECT_FALSE(c->ShowHint());
    c->Perform(UM_DROPDOWN, 0, 0);
    EXPECT_TRUE(c->ShowHint());
}

TEST(ComboList, AClickOnTheListClosesItAfterItsOwnHandler) {
    TwoEdits<TI_ComboBox> t;
    TI_ComboBox* c = t.first;
    Fill(c, {"Bern", "Basel", "Chur"});
    SendKey(c, VK_DOWN, user_input::kAlt);
    ASSERT_TRUE(c->IsDroppedDown());
    TI_PopupListBox* list = c->List();
    ASSERT_NE(list, nullptr);
    list->SetItemIndex(2);
    SendMessageA(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, list->ItemHeight() * 2 + 3));
    EXPECT_TRUE(c->IsDroppedDown());  // the click's handler still runs on a living list
    Pump();
    EXPECT_FALSE(c->IsDroppedDown());
    EXPECT_EQ(c->GetText(), "Chur");
    EXPECT_EQ(c->ItemIndex(), 2);
}

namespace {
BOOL CALLBACK CountWindow(HWND, LPARAM lp) {
    ++*reinterpret_cast<int*>(lp);
    return TRUE;
}
int ThreadWindows() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}
}  // namespace

TEST(ComboList, AThousandOpeningsAndClosingsLeaveNoWindowOrGdiObject) {
    TwoEdits<TI_ComboBox> t;
    TI_ComboBox* c = t.first;
    Fill(c, {"Bern", "Basel", "Chur"});
    c->OnGetErrorHint = [](TObject*, int, std::string& s) { s = "Fehler"; };
    // Once each, so that lazily made shared pieces exist before counting.
    c->Perform(UM_DROPDOWN, 1, 0);
    c->Perform(UM_DROPDOWN, 0, 0);
    c->Perform(UM_BUBBLE, 1, kEditErrorEmpty);
    c->Perform(UM_BUBBLE, 0, 0);
    Pump();
    const int windows = ThreadWindows(), objects = GdiOwnerLiveObjects(), dcs = GdiOwnerLiveDCs();
    for (int i = 0; i < 1000; ++i) {
        c->Perform(UM_DROPDOWN, 1, 0);
        ASSERT_TRUE(c->IsDroppedDown());
        c->CloseUp(i % 2 == 0, true);
        c->Perform(UM_BUBBLE, 1, kEditErrorEmpty);
        c->Perform(UM_BUBBLE, 0, 0);
    }
    Pump();
    EXPECT_EQ(ThreadWindows(), windows);
    EXPECT_EQ(GdiOwnerLiveObjects(), objects);
    EXPECT_EQ(GdiOwnerLiveDCs(), dcs);
    EXPECT_EQ(TI_CustomEdit::SharedBubble(), nullptr);
    EXPECT_EQ(Application()->MessageListenerCount(), 0);
}

// Owner drawing: the list is drawn and measured by the combo's events, and
// the list-only face shows the picture the image event makes for the
// current item, laying the text out beside it.
TEST(ComboOwnerDraw, TheListsItemsAndTheFacesPictureComeFromTheEvents) {
    TwoEdits<TI_ComboBox> t;
    TI_ComboBox* c = t.first;
    Fill(c, {"Bern", "Basel", "Chur"});
    std::set<int> drawn;
    c->OnDrawItem = [&](TWinControl*, int index, const RECT&, unsigned) { drawn.insert(index); };
    c->OnMeasureItem = [](TWinControl*, int, int& height) { height = 25; };
    c->Perform(UM_DROPDOWN, 1, 0);
    ASSERT_NE(c->List(), nullptr);
    UpdateWindow(c->List()->Handle());
    EXPECT_EQ(c->List()->ItemHeight(), 25);
    EXPECT_EQ(SendMessageA(c->List()->Handle(), LB_GETITEMHEIGHT, 0, 0), 25);
    EXPECT_EQ(drawn, (std::set<int>{0, 1, 2}));
    c->Perform(UM_DROPDOWN, 0, 0);

    c->SetStyle(csDropDownList);
    c->SetItemIndex(1);
    std::vector<int> pictured;
    c->OnItemImage = [&](TObject*, const RECT&, TBitmap& b, int index) {
        pictured.push_back(index);
        b.SetSize(10, 10);
    };
    int left = 0, right = 0;
    c->GetEditMargins(left, right);
    const int plainLeft = left;
    c->Invalidate();
    UpdateWindow(c->Handle());
    EXPECT_EQ(pictured, std::vector<int>{1});
    EXPECT_EQ(c->CheckGlyph().Width(), 10);
    c->GetEditMargins(left, right);
    EXPECT_GT(left, plainLeft);
}
