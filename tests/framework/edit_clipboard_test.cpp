// The EDIT wrapper, the clipboard's CP1252 text, the application's message
// listeners and its modal state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/clipboard.h"
#include "framework/edit.h"
#include "tests/framework/control_test_support.h"
#include "tests/framework/user_input.h"

namespace {

struct EditOnForm {
    TForm* form = ShowTestForm();
    TCustomEdit* edit = Place<TCustomEdit>(form, form, 10, 10, 120, 21);
    int changes = 0;
    EditOnForm() {
        edit->OnChange = [this](TObject*) { ++changes; };
        Pump();
    }
    ~EditOnForm() {
        form->Free();
        Pump();
    }
    // Typed as a user types: into the focused edit, through the application's loop.
    void Type(const std::string& s) {
        if (GetFocus() != edit->Handle()) {
            edit->SetFocus();
            Pump();
        }
        user_input::TypeText(s);
    }
};

}  // namespace

TEST(CustomEdit, TypedTextReachesOnChangeThroughTheParentsReflection) {
    EditOnForm t;
    t.Type("ab");
    EXPECT_EQ(t.edit->GetText(), "ab");
    EXPECT_EQ(t.changes, 2);
    EXPECT_TRUE(t.edit->Modified());
    t.edit->SetText("xyz");  // a single-line EDIT reports it once
    EXPECT_EQ(t.changes, 3);
}

TEST(CustomEdit, ReadOnlyAndMaxLengthHoldForTypedKeys) {
    EditOnForm t;
    t.edit->SetMaxLength(3);
    t.Type("12345");
    EXPECT_EQ(t.edit->GetText(), "123");
    t.edit->SetReadOnly(true);
    t.edit->SetSel(0, -1);
    t.Type("x");
    EXPECT_EQ(t.edit->GetText(), "123");
    EXPECT_EQ(GetWindowLongA(t.edit->Handle(), GWL_STYLE) & ES_READONLY, ES_READONLY);
}

TEST(CustomEdit, UndoRestoresTheTextBeforeTheLastEdit) {
    EditOnForm t;
    t.edit->SetText("abcd");
    t.edit->SetSel(4, 4);
    t.edit->SetModified(false);
    t.Type("x");
    EXPECT_TRUE(t.edit->CanUndo());
    t.edit->Undo();
    EXPECT_EQ(t.edit->GetText(), "abcd");
}

TEST(CustomEdit, SelectionAndStateWithoutAWindowGoToTheWindowMadeLater) {
    auto* e = Create<TCustomEdit>(nullptr);
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    e->SetText("Grüße");
    EXPECT_EQ(changes, 1);
    e->SetSel(1, 3);
    EXPECT_EQ(e->SelText(), "rü");
    e->SetSelText("XY");
    EXPECT_EQ(e->GetText(), "GXYße");
    EXPECT_EQ(e->SelStart(), 3);
    e->SetMaxLength(7);
    e->SetReadOnly(true);
    HWND h = e->Handle();
    int s = 0, end = 0;
    e->GetSel(s, end);
    EXPECT_EQ(s, 3);
    EXPECT_EQ(end, 3);
    EXPECT_EQ(SendMessageA(h, EM_GETLIMITTEXT, 0, 0), 7);
    EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & ES_READONLY, ES_READONLY);
    e->SetSel(0, -1);
    e->RecreateWnd();  // text and selection survive a new window
    EXPECT_EQ(e->GetText(), "GXYße");
    EXPECT_EQ(e->SelLength(), 5);
    e->Free();
}

TEST(Clipboard, TextRoundTripsInCp1252AndIsOfferedAsUnicode) {
    const std::string text = "Stra\xDF" "e \x80 5";  // "Straße € 5"
    ASSERT_TRUE(SetClipboardText(text));
    EXPECT_TRUE(ClipboardHasText());
    EXPECT_EQ(ClipboardText(), text);
    ClipboardScope scope(nullptr);
    ASSERT_TRUE(scope.Opened());
    HANDLE h = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(h, nullptr);
    const auto* w = static_cast<const wchar_t*>(GlobalLock(h));
    EXPECT_EQ(std::wstring(w), L"Stra\u00DFe \u20AC 5");
    GlobalUnlock(h);
}

TEST(CustomEdit, CutAndPasteGoThroughTheClipboard) {
    EditOnForm t;
    t.edit->SetText("Köln");
    t.edit->SetSel(0, 2);
    t.edit->CutToClipboard();
    EXPECT_EQ(ClipboardText(), "Kö");
    EXPECT_EQ(t.edit->GetText(), "ln");
    t.edit->SetSel(2, 2);
    t.edit->PasteFromClipboard();
    EXPECT_EQ(t.edit->GetText(), "lnKö");
}

TEST(ApplicationListeners, SeePostedMessagesInOrderAndMayRemoveThemselves) {
    TForm* f = ShowTestForm();
    std::vector<std::string> seen;
    int second = 0;
    int first = Application()->AddMessageListener([&](const MSG& m) {
        if (m.message == WM_CHAR) seen.push_back("first:" + std::string(1, static_cast<char>(m.wParam)));
    });
    second = Application()->AddMessageListener([&](const MSG& m) {
        if (m.message != WM_CHAR) return;
        seen.push_back("second");
        Application()->RemoveMessageListener(second);  // goes from the next message on
    });
    PostMessageA(f->Handle(), WM_CHAR, 'a', 1);
    PostMessageA(f->Handle(), WM_CHAR, 'b', 1);
    Pump();
    Application()->RemoveMessageListener(first);
    EXPECT_EQ(seen, (std::vector<std::string>{"first:a", "second", "first:b"}));
    EXPECT_EQ(Application()->MessageListenerCount(), 0);
    f->Free();
}

TEST(ApplicationModalState, HoldsWhileAModalFormRuns) {
    EXPECT_FALSE(Application()->InModalState());
    TForm* f = Create<TForm>(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetBounds(40, 40, 100, 80);
    bool inside = false;
    f->OnShow = [&](TObject*) {
        inside = Application()->InModalState();
        f->SetModalResult(mrOk);
    };
    EXPECT_EQ(f->ShowModal(), mrOk);
    EXPECT_TRUE(inside);
    EXPECT_FALSE(Application()->InModalState());
    f->Free();
}
