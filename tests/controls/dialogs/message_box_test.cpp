// The message box shown for real: keys typed through the system into the
// modal loop, answers, captions and help, the sizes it takes from the
// screen, and the foreground rule while it closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/dialogs/message_box.h"
#include "controls/flat/flat_button.h"
#include "controls/flat/flat_panel.h"
#include "controls/html/html_label.h"
#include "framework/application.h"
#include "framework/gdi_owner.h"
#include "framework/screen.h"
#include "framework/std_controls.h"

namespace {

std::vector<TMonitorInfo> gMonitors;  // what the screen reports

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application()->Initialize();
        Application()->SetTitle("Ordivo");
        Screen()->SetMonitorProvider([] { return gMonitors; });
        UseScreen(1024, 600);
        Screen()->SetActiveForm(nullptr);
    }
    void TearDown() override {
        SetBoxShownHook(nullptr);
        Screen()->SetMonitorProvider(nullptr);
        Screen()->SetActiveForm(nullptr);
        Application()->ProcessMessages();
    }
    // One monitor of w x h with a task bar of 40 at the bottom.
    void UseScreen(int w, int h) {
        gMonitors = {{nullptr, {0, 0, w, h}, {0, 0, w, h - 40}, true}};
        Screen()->RefreshMonitors();
    }
};

template <class F>
bool PumpUntil(F done, int rounds = 100) {
    for (int i = 0; i < rounds && !done(); ++i, Sleep(10)) Application()->ProcessMessages();
    return done();
}

using Chords = std::vector<std::vector<WORD>>;

// Types the chords into the shown box (each chord's keys pressed in order,
// released in reverse, as real input); returns the ModalResult it then has
// (0 while it stays open, in which case the box is closed with mrAbort).
TModalResult TypeInto(TFSB_BOX* box, const Chords& chords, std::string* focusedAfter = nullptr) {
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == box->Handle(); }));
    for (const auto& chord : chords) {
        std::vector<INPUT> in(chord.size() * 2, INPUT{INPUT_KEYBOARD, {}});
        for (size_t k = 0; k < chord.size(); ++k) {
            in[k].ki.wVk = in[in.size() - 1 - k].ki.wVk = chord[k];
            in[in.size() - 1 - k].ki.dwFlags = KEYEVENTF_KEYUP;
        }
        SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
        PumpUntil([] { return false; }, 8);  // the key-up too, or the loop has ended
    }
    if (focusedAfter)
        *focusedAfter = box->ActiveControl() ? dynamic_cast<TFlatButton*>(box->ActiveControl())->Caption() : "";
    const TModalResult result = box->ModalResult();
    if (result == mrNone) box->SetModalResult(mrAbort);
    return result;
}

// Windows of this thread, live GDI objects and DCs.
std::vector<int> Leftovers() {
    int windows = 0;
    EnumThreadWindows(
        GetCurrentThreadId(), [](HWND, LPARAM p) { return ++*reinterpret_cast<int*>(p), TRUE; },
        reinterpret_cast<LPARAM>(&windows));
    return {GdiOwnerLiveObjects(), GdiOwnerLiveDCs(), windows};
}

}  // namespace

TEST_F(MessageBoxTest, KeysCaptionsHelpAndNothingLeftBehind) {
    struct {
        const char* keys;
        bool question;
        Chords chords;
        int result;                     // the information box's ModalResult (0: it stays open), the answer
        const char* focused = nullptr;  // after the keys, for the question cases that leave it open
        std::string help = "", caption = "";
        bool clickHelp = false;  // the help shown below the buttons first
    } cases[] = {
        // The first two fill the shared caches.
        {"a after help", false, {{'A'}}, mrCancel, nullptr, "<B>Hilfe</B> zum<BR>Thema", "Hinweis", true},
        {"Enter on Ja after help", true, {{VK_RETURN}}, true, nullptr, "Mehr dazu", "Frage", true},
        {"Shift+A", false, {{VK_SHIFT, 'A'}}, mrNone},
        {"Ctrl+C", false, {{VK_CONTROL, 'C'}}, mrNone},
        {"Enter", false, {{VK_RETURN}}, mrOk},  // the button's own Enter
        {"Shift+Enter", false, {{VK_SHIFT, VK_RETURN}}, mrOk},
        {"Escape", false, {{VK_ESCAPE}}, mrCancel},
        {"Space", false, {{VK_SPACE}}, mrCancel},
        {"Left", false, {{VK_LEFT}}, mrCancel},
        {"F1", false, {{VK_F1}}, mrNone, nullptr, "Mehr dazu"},
        // Dialog keys: the focus moves (to the only tab stop), nothing closes.
        {"Tab", false, {{VK_TAB}}, mrNone},
        {"Up", false, {{VK_UP}}, mrNone},
        {"Down", false, {{VK_DOWN}}, mrNone},
        {"Enter on Ja", true, {{VK_RETURN}}, true, nullptr, "Mehr dazu"},
        {"Enter on Nein", true, {{VK_RIGHT}, {VK_RETURN}}, false},
        {"Right, Left, Enter", true, {{VK_RIGHT}, {VK_LEFT}, {VK_RETURN}}, true},
        {"Tab, Enter", true, {{VK_TAB}, {VK_RETURN}}, false},
        {"Escape", true, {{VK_ESCAPE}}, false},
        {"Shift+Escape", true, {{VK_SHIFT, VK_ESCAPE}}, false},
        // Left/Right move once: the button eats them before the dialog keys.
        {"Right", true, {{VK_RIGHT}}, false, "Nein"},
        {"Right, Right", true, {{VK_RIGHT}, {VK_RIGHT}}, false, "Ja"},
        {"a", true, {{'A'}}, false, "Ja"},
    };
    std::vector<int> before;
    for (const auto& c : cases) {
        TModalResult typed = -1;
        HWND shown = nullptr;
        std::string focused;
        SetBoxShownHook([&](TFSB_BOX* box) {
            shown = box->Handle();
            char text[64] = {};
            GetWindowTextA(shown, text, sizeof(text));
            EXPECT_EQ(text, c.caption.empty() ? "Ordivo" : c.caption) << c.keys;
            EXPECT_EQ(box->HelpText(), c.help);
            // Question bar, message bar, their help buttons, help panel (hidden in both boxes).
            const bool help = !c.help.empty();
            TFlatPanel* bar = c.question ? box->Pquestion : box->Pmsg;
            TFlatButton* helpButton = c.question ? box->FBhelpQ : box->FBhelpS;
            EXPECT_EQ((std::vector<bool>{box->Pquestion->Visible(), box->Pmsg->Visible(), helpButton->Visible(),
                                         box->FP_help->Visible()}),
                      (std::vector<bool>{c.question, !c.question, help, false}))
                << c.keys;
            EXPECT_EQ(box->ActiveControl(), c.question ? box->FB_OK : box->FB_BREAK2) << c.keys;
            if (c.clickHelp) {
                const int height = box->ClientHeight(), barBottom = bar->Top() + bar->Height();
                helpButton->Click();
                const int grow = box->HelpLabel()->Height() + 5;
                // Shown below the bar, the box grown by it, the help button off and nothing closed.
                EXPECT_GT(box->HelpLabel()->Height(), 6);
                EXPECT_EQ((std::vector<int>{box->FP_help->Visible(), box->FP_help->Height(), box->ClientHeight(),
                                            box->FP_help->Top(), helpButton->Enabled(), box->ModalResult()}),
                          (std::vector<int>{true, grow, height + grow, barBottom, false, mrNone}));
            }
            typed = TypeInto(box, c.chords, c.question ? &focused : nullptr);
        });
        const int result =
            c.question ? ShowQuestion("Weiter?", c.help, c.caption) : (ShowInfo("Hallo", c.help, c.caption), typed);
        EXPECT_EQ(result, c.result) << c.keys << " " << c.question;
        EXPECT_FALSE(IsWindow(shown)) << c.keys;  // the box is gone with its window
        if (c.focused) {
            EXPECT_EQ(focused, c.focused) << c.keys;
        }
        if (before.empty() && c.question) before = Leftovers();
    }
    SetBoxShownHook([](TFSB_BOX* box) { PostMessageA(box->Handle(), WM_CLOSE, 0, 0); });
    EXPECT_FALSE(ShowQuestion("Weiter?"));
    Application()->ProcessMessages();
    EXPECT_EQ(Leftovers(), before);
}

TEST_F(MessageBoxTest, LayoutAndTextsFollowTheScreenSize) {
    // Screen size, then: label, help label and form font sizes, Panel2 width,
    // FB_BREAK2 left and width, Panel3 width, FB_ICANCEL left and width,
    // FB_IOK left and width, maximum height.
    const std::vector<int> cases[] = {
        {800, 768, 8, 8, 8, 89, 7, 77, 185, 7, 82, 92, 89, 538},
        {801, 1025, 10, 10, 9, 97, 2, 93, 222, 7, 98, 109, 106, 718},
    };
    for (const auto& c : cases) {
        UseScreen(c[0], c[1]);
        TFSB_BOX* b = CreateMessageBox();
        EXPECT_EQ((std::vector<int>{c[0], c[1], b->MessageLabel()->Font().Size(), b->HelpLabel()->Font().Size(),
                                    b->Font().Size(), b->Panel2->Width(), b->FB_BREAK2->Left(), b->FB_BREAK2->Width(),
                                    b->Panel3->Width(), b->FB_ICANCEL->Left(), b->FB_ICANCEL->Width(),
                                    b->FB_IOK->Left(), b->FB_IOK->Width(), b->Constraints().MaxHeight}),
                  c);
        std::string captions;
        for (TFlatButton* button : {b->FB_OK, b->FB_BREAK1, b->FB_BREAK2, b->FBhelpQ, b->FBhelpS, b->FB_ICANCEL,
                                    b->FB_IOK, b->FB_HELPI})
            captions += button->Caption() + "|";
        EXPECT_EQ(captions, "Ja|Nein|Schlie\xDF" "en|Hilfe|Hilfe|Abbrechen|\xDC" "bernehmen|Hilfe|");
        b->Free();
    }
}

TEST_F(MessageBoxTest, PlacedOnTheActiveFormsMonitorInsideItsWorkArea) {
    std::string tall;
    for (int i = 0; i < 600; ++i) tall += "Wort ";
    const TMonitorInfo small{nullptr, {0, 0, 1024, 600}, {0, 0, 1024, 560}, true};
    // The box's height: 0 for its label's height + 37 in the client area.
    struct {
        const char* what;
        std::vector<TMonitorInfo> monitors;
        RECT active, work;  // active form (none when empty), the work area the box goes to
        std::string text;
        int height;
    } cases[] = {
        {"one line", {small}, {}, {0, 0, 1024, 560}, "Eine Zeile", 0},
        {"three lines", {small}, {}, {0, 0, 1024, 560}, "A<BR>B<BR>C", 0},
        {"tall: the maximum height", {small}, {}, {0, 0, 1024, 560}, tall, 420},
        // Beside a primary of 1200 (maximum height 840), a monitor lower than that.
        {"tall on a low monitor: its work area",
         {{nullptr, {0, 0, 1024, 1200}, {0, 0, 1024, 1160}, true}, {nullptr, {1024, 0, 2048, 600}, {1024, 0, 2048, 560}}},
         {1100, 100, 1700, 500}, {1024, 0, 2048, 560}, tall, 560},
        {"second monitor", {small, {nullptr, {1024, 0, 2304, 1024}, {1024, 0, 2304, 984}}}, {1300, 100, 1900, 500},
         {1024, 0, 2304, 984}, "Zweiter Bildschirm", 0},
    };
    for (const auto& c : cases) {
        gMonitors = c.monitors;
        Screen()->RefreshMonitors();
        TForm* active = c.active.right ? Create<TForm>(nullptr) : nullptr;
        if (active) active->SetBoundsRect(c.active);
        Screen()->SetActiveForm(active);
        // Created centred in the work area at its designed size.
        TFSB_BOX* created = CreateMessageBox();
        EXPECT_EQ((std::vector<int>{created->Position(), created->Left(), created->Top()}),
                  (std::vector<int>{poDesigned, (c.work.left + c.work.right - created->Width()) / 2,
                                    (c.work.top + c.work.bottom - created->Height()) / 2}))
            << c.what;
        created->Free();
        SetBoxShownHook([&](TFSB_BOX* box) {
            const RECT r = box->BoundsRect();
            EXPECT_EQ(c.height ? box->Height() : box->ClientHeight(), c.height ? c.height : box->MessageLabel()->Height() + 37)
                << c.what;
            // The bar stays at the bottom; at the maximum height it covers the label's end.
            EXPECT_EQ(box->Pmsg->Top() + box->Pmsg->Height(), box->ClientHeight() - 2) << c.what;
            EXPECT_TRUE(r.left >= c.work.left && r.top >= c.work.top && r.right <= c.work.right && r.bottom <= c.work.bottom)
                << c.what;
            box->SetModalResult(mrOk);
        });
        ShowInfo(c.text);
        Screen()->SetActiveForm(nullptr);
        if (active) active->Free();
    }
}

TEST_F(MessageBoxTest, KeepsTheForegroundOnlyWhileOpenAndEnabled) {
    HWND other = nullptr, boxWindow = nullptr, afterOpen = nullptr, afterClosing = nullptr;
    SetBoxShownHook([&](TFSB_BOX* box) {
        boxWindow = box->Handle();
        TForm* f = Create<TForm>(nullptr);
        f->SetBorderStyle(bsNone);
        f->SetBounds(600, 20, 100, 80);
        f->Show();
        other = f->Handle();
        SetForegroundWindow(other);
        PumpUntil([&] { return GetForegroundWindow() == box->Handle(); }, 30);
        afterOpen = GetForegroundWindow();
        box->SetModalResult(mrOk);  // closing: it must let the other window have it
        SetForegroundWindow(other);
        PumpUntil([] { return false; }, 10);
        afterClosing = GetForegroundWindow();
        f->Free();
    });
    ShowInfo("Vordergrund");
    EXPECT_EQ(afterOpen, boxWindow);
    EXPECT_EQ(afterClosing, other);
    // A box opened inside another's modal loop (an error raised there): the
    // disabled outer box must not take the foreground back from the inner
    // one. A key closes the inner box, a second the outer one.
    TFSB_BOX* outer = nullptr;
    std::vector<int> typed;
    SetBoxShownHook([&](TFSB_BOX* box) {
        if (outer) return typed.push_back(TypeInto(box, {{'A'}}));
        outer = box;
        ShowInfo("Innen");
        typed.push_back(TypeInto(box, {{'B'}}));
    });
    ShowInfo("Au\xDF" "en");
    EXPECT_EQ(typed, (std::vector<int>{mrCancel, mrCancel}));
}
