// The edit base and the mask edit: the check on leaving with its error
// bubble and veto, the bubble's life, the update bracket and mask editing.
#include <gtest/gtest.h>

#include "editors/edits/mask_edit.h"
#include "editors/popups/message_window.h"
#include "framework/clipboard.h"
#include "tests/editors/edits/edits_test_support.h"

namespace {
std::string HintFor(int code) { return "Fehler " + std::to_string(code); }
void GiveHints(TI_CustomEdit* e) {
    e->OnGetErrorHint = [](TObject*, int code, std::string& text) { text = HintFor(code); };
}
}  // namespace

TEST(EditCheck, EmptyTextKeepsTheFocusAndShowsTheSharedBubble) {
    TwoEdits<TI_ParentEdit> t;
    t.first->SetCanEmpty(false);
    t.first->SetText("   ");
    GiveHints(t.first);
    t.Leave();
    EXPECT_EQ(GetFocus(), t.first->WindowHandle());
    EXPECT_EQ(t.first->ErrorCode(), kEditErrorEmpty);
    TI_MessageWindow* bubble = TI_CustomEdit::SharedBubble();
    ASSERT_NE(bubble, nullptr);
    EXPECT_EQ(TI_CustomEdit::SharedBubbleOwner(), t.first);
    EXPECT_EQ(bubble->OwnerControl(), t.first);
    EXPECT_EQ(bubble->GetText(), HintFor(kEditErrorEmpty));
    EXPECT_TRUE(bubble->AutoHide());
    EXPECT_EQ(bubble->HideDelay(), 2500);
    EXPECT_EQ(bubble->PopupMode(), 3);
    EXPECT_EQ(bubble->Shape(), 2);
    EXPECT_EQ(bubble->IconKind(), 1);
    EXPECT_EQ(bubble->PopupRect().left, 5);
    EXPECT_EQ(bubble->PopupRect().top, t.first->Height() - 9);
    EXPECT_TRUE(t.first->ErrorShown());
    // Typing makes it go.
    TypeChars(t.first, "x");
    EXPECT_EQ(TI_CustomEdit::SharedBubble(), nullptr);
    EXPECT_EQ(Application()->MessageListenerCount(), 0);
}

TEST(EditCheck, AVetoOfTheFormLetsTheFocusGoAndAReadOnlyEditIsNotChecked) {
    for (int round = 0; round < 2; ++round) {
        TwoEdits<TI_ParentEdit> t;
        t.first->SetCanEmpty(false);
        GiveHints(t.first);
        if (round == 0)
            t.form->veto = 1;
        else
            t.first->SetReadOnly(true);
        t.Leave();
        EXPECT_EQ(GetFocus(), t.second->WindowHandle()) << round;
        EXPECT_EQ(TI_CustomEdit::SharedBubble(), nullptr) << round;
        // The form is the direct parent: asked once.
        EXPECT_EQ(t.form->check_failed_calls, round == 0 ? 1 : 0);
    }
}

TEST(EditCheck, AnEmptyHintKeepsTheErrorButShowsNoBubble) {
    TwoEdits<TI_ParentEdit> t;
    t.first->SetCanEmpty(false);
    t.Leave();
    EXPECT_EQ(t.first->ErrorCode(), kEditErrorEmpty);
    EXPECT_EQ(GetFocus(), t.first->WindowHandle());
    EXPECT_EQ(TI_CustomEdit::SharedBubble(), nullptr);
}

TEST(EditCheck, AnIncompleteMaskedTextShowsTheMaskForFourSeconds) {
    TwoEdits<TI_ParentEdit> t;
    t.first->SetEditMask("0{3}");
    t.first->SetText("12");
    t.Leave();
    EXPECT_EQ(t.first->ErrorCode(), kEditErrorMask);
    EXPECT_EQ(t.first->GetHideDelay(), 4000);
    ASSERT_NE(TI_CustomEdit::SharedBubble(), nullptr);
    EXPECT_EQ(TI_CustomEdit::SharedBubble()->GetText(), " 0{3}");
    EXPECT_EQ(TI_CustomEdit::SharedBubble()->HideDelay(), 4000);
}

// The old text's expiry (a hide already queued) must not take the new text away.
TEST(EditBubble, AHideQueuedBeforeTheBubbleIsShownAgainIsDropped) {
    TwoEdits<TI_ParentEdit> t;
    GiveHints(t.first);
    t.first->Perform(UM_BUBBLE, 1, kEditErrorEmpty);
    ASSERT_NE(TI_CustomEdit::SharedBubble(), nullptr);
    PostMessageA(t.first->WindowHandle(), UM_BUBBLE, 0, 0);  // what the hide timer posts
    t.first->Perform(UM_BUBBLE, 1, kEditErrorInteger);
    Pump();
    ASSERT_NE(TI_CustomEdit::SharedBubble(), nullptr);
    EXPECT_EQ(TI_CustomEdit::SharedBubble()->GetText(), HintFor(kEditErrorInteger));
    EXPECT_TRUE(TI_CustomEdit::SharedBubble()->Shown());
    // The same text asked for again: shown as it is, the queued hide dropped.
    PostMessageA(t.first->WindowHandle(), UM_BUBBLE, 0, 0);
    t.first->Perform(UM_BUBBLE, 1, kEditErrorInteger);
    Pump();
    EXPECT_NE(TI_CustomEdit::SharedBubble(), nullptr);
}

TEST(EditBubble, AnErrorOfAnotherEditMovesTheBubbleWithItsPlaceAndDelay) {
    TwoEdits<TI_ParentEdit> t;
    GiveHints(t.first);
    GiveHints(t.second);
    t.second->SetEditMask("0");
    t.first->Perform(UM_BUBBLE, 1, kEditErrorEmpty);
    PostMessageA(t.first->WindowHandle(), UM_BUBBLE, 0, 0);  // A's expiry, stale once B shows
    t.second->Perform(UM_BUBBLE, 1, kEditErrorMask);
    Pump();
    TI_MessageWindow* bubble = TI_CustomEdit::SharedBubble();
    ASSERT_NE(bubble, nullptr);
    EXPECT_EQ(TI_CustomEdit::SharedBubbleOwner(), t.second);
    EXPECT_EQ(bubble->OwnerControl(), t.second);
    EXPECT_EQ(bubble->HideDelay(), 4000);
    EXPECT_FALSE(t.first->ErrorShown());
    EXPECT_TRUE(t.second->ErrorShown());
    RECT r;
    GetWindowRect(bubble->WindowHandle(), &r);
    POINT origin{0, 0};
    ClientToScreen(t.second->WindowHandle(), &origin);
    EXPECT_GE(r.bottom, origin.y);  // at B, not at A above it
}

TEST(EditUpdate, NestedBracketsNotifyOnceAtTheOutermostEnd) {
    auto* e = Create<TI_ParentEdit>(nullptr);
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    e->BeginUpdate(true);
    e->BeginUpdate(true);
    e->SetText("a");
    e->SetText("b");
    e->SetText("c");
    e->EndUpdate();
    EXPECT_EQ(changes, 0);
    e->EndUpdate();
    EXPECT_EQ(changes, 1);
    e->BeginUpdate(false);
    e->SetText("d");
    e->EndUpdate();
    EXPECT_EQ(changes, 1);
    // An inner bracket without notification keeps the outer request, and a
    // change made inside it counts.
    e->BeginUpdate(true);
    e->BeginUpdate(false);
    e->SetText("e");
    e->EndUpdate();
    e->EndUpdate();
    EXPECT_EQ(changes, 2);
    e->Free();
}

TEST(MaskEdit, TypingBackspaceAndCutGoThroughTheMask) {
    TwoEdits<TI_ParentEdit> t;
    TI_ParentEdit* e = t.first;
    e->SetEditMask("9{3}");
    TypeChars(e, "1a234");
    EXPECT_EQ(e->GetText(), "123");
    EXPECT_EQ(SelOf(e), std::make_pair(3, 3));
    SendKey(e, VK_BACK);
    EXPECT_EQ(e->GetText(), "12");
    EXPECT_EQ(SelOf(e), std::make_pair(2, 2));
    ASSERT_TRUE(SetClipboardText("vorher"));
    e->SetSel(0, 1);
    SendMessageA(e->Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(e->GetText(), "2");
    EXPECT_EQ(ClipboardText(), "vorher");
    ASSERT_TRUE(SetClipboardText("x45"));
    e->SetSel(1, 1);
    SendMessageA(e->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(e->GetText(), "2");  // "x" fits no digit: nothing is taken
    ASSERT_TRUE(SetClipboardText("45"));
    SendMessageA(e->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(e->GetText(), "245");
}

TEST(MaskEdit, AKeyDownHandlerThatTakesTheKeyStopsTheDeletion) {
    TwoEdits<TI_ParentEdit> t;
    TI_ParentEdit* e = t.first;
    e->SetEditMask("9{3}");
    TypeChars(e, "123");
    e->OnKeyDown = [](TObject*, WORD& key, TShiftState) { key = 0; };
    SendKey(e, VK_BACK);
    SendKey(e, VK_DELETE);
    EXPECT_EQ(e->GetText(), "123");
}

TEST(EditEntry, KeyboardEntrySelectsAllAndEscUndoes) {
    TwoEdits<TI_ParentEdit> t;
    t.second->SetText("abcd");
    t.Leave();
    EXPECT_EQ(SelOf(t.second), std::make_pair(0, 4));
    t.second->MoveCaretToEnd();
    EXPECT_EQ(SelOf(t.second), std::make_pair(4, 4));
    TypeChars(t.second, "x");
    EXPECT_EQ(t.second->GetText(), "abcdx");
    TypeChars(t.second, "\x1B");
    EXPECT_EQ(t.second->GetText(), "abcd");
}

TEST(EditEntry, LeavingPutsTheCaretFirstAndAClickInsideDoesNotOutliveTheExit) {
    TwoEdits<TI_ParentEdit> t;
    t.first->SetText("abcd");
    t.first->SelectAll();
    // A click into the edit that already has the focus.
    SendMessageA(t.first->Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(t.form->Handle()),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    t.Leave();
    EXPECT_EQ(SelOf(t.first), std::make_pair(0, 0));
    // Back by keyboard: the whole text is selected again.
    t.first->SetFocus();
    Pump();
    EXPECT_EQ(SelOf(t.first), std::make_pair(0, 4));
}

TEST(EditBubble, ACodeWithoutAHintShowsNothingRatherThanAnEarlierCodesText) {
    TwoEdits<TI_ParentEdit> t;
    t.first->OnGetErrorHint = [](TObject*, int code, std::string& text) {
        if (code == kEditErrorEmpty) text = "leer";
    };
    t.first->Perform(UM_BUBBLE, 1, kEditErrorEmpty);
    ASSERT_NE(TI_CustomEdit::SharedBubble(), nullptr);
    t.first->Perform(UM_BUBBLE, 0, 0);
    t.first->Perform(UM_BUBBLE, 1, kEditErrorInteger);
    EXPECT_EQ(t.first->ErrorText(), "");
    EXPECT_EQ(TI_CustomEdit::SharedBubble(), nullptr);
}

// Right-to-left reading: the window reads right to left and, unless the
// mode keeps it, shows the alignment mirrored; the text stays.
TEST(EditAlignment, RightToLeftReadingMirrorsTheAlignment) {
    TwoEdits<TI_ParentEdit> f;
    TI_ParentEdit* e = f.first;
    e->SetText("abc");
    struct Case {
        TAlignment alignment;
        TBiDiMode mode;
        DWORD es;
        bool rtl;
    } cases[] = {
        {taLeftJustify, bdLeftToRight, ES_LEFT, false},       {taRightJustify, bdLeftToRight, ES_RIGHT, false},
        {taLeftJustify, bdRightToLeft, ES_RIGHT, true},       {taRightJustify, bdRightToLeft, ES_LEFT, true},
        {taCenter, bdRightToLeft, ES_CENTER, true},           {taLeftJustify, bdRightToLeftNoAlign, ES_LEFT, true},
        {taRightJustify, bdRightToLeftReadingOnly, ES_RIGHT, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.alignment << " " << c.mode);
        e->SetAlignment(c.alignment);
        e->SetBiDiMode(c.mode);
        const LONG style = GetWindowLongA(e->Handle(), GWL_STYLE);
        const LONG ex = GetWindowLongA(e->Handle(), GWL_EXSTYLE);
        EXPECT_EQ(static_cast<DWORD>(style) & (ES_LEFT | ES_RIGHT | ES_CENTER), c.es);
        EXPECT_EQ((ex & WS_EX_RTLREADING) != 0, c.rtl);
        EXPECT_EQ(e->GetText(), "abc");
    }
}
