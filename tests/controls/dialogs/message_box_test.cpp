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

}  // namespace

TEST_F(MessageBoxTest, KeysOfTheInformationAndTheQuestionBox) {
    struct {
        const char* keys;
        bool question;
        Chords chords;
        int result;                     // the information box's ModalResult (0: it stays open), the answer
        const char* focused = nullptr;  // after the keys, for the question cases that leave it open
    } cases[] = {
        {"a", false, {{'A'}}, mrCancel},
        {"Shift+A", false, {{VK_SHIFT, 'A'}}, mrNone},
        {"Ctrl+C", false, {{VK_CONTROL, 'C'}}, mrNone},
        {"Enter", false, {{VK_RETURN}}, mrOk},  // the button's own Enter
        {"Shift+Enter", false, {{VK_SHIFT, VK_RETURN}}, mrOk},
        {"Escape", false, {{VK_ESCAPE}}, mrCancel},
        {"Space", false, {{VK_SPACE}}, mrCancel},
        {"Left", false, {{VK_LEFT}}, mrCancel},
        {"F1", false, {{VK_F1}}, mrNone},
        // Dialog keys: the focus moves (to the only tab stop), nothing closes.
        {"Tab", false, {{VK_TAB}}, mrNone},
        {"Up", false, {{VK_UP}}, mrNone},
        {"Down", false, {{VK_DOWN}}, mrNone},
        {"Enter on Ja", true, {{VK_RETURN}}, true},
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
    for (const auto& c : cases) {
        TModalResult typed = -1;
        HWND shown = nullptr;
        std::string focused;
        SetBoxShownHook([&](TFSB_BOX* box) {
            shown = box->Handle();
            if (c.question) {
                EXPECT_EQ(box->ActiveControl(), box->FB_OK) << c.keys;
            }
            typed = TypeInto(box, c.chords, c.question ? &focused : nullptr);
        });
        const int result = c.question ? ShowQuestion("Weiter?") : (ShowInfo("Hallo"), typed);
        EXPECT_EQ(result, c.result) << c.keys << " " << c.question;
        EXPECT_FALSE(IsWindow(shown)) << c.keys;  // the box is gone with its window
        if (c.focused) {
            EXPECT_EQ(focused, c.focused) << c.keys;
        }
    }
    SetBoxShownHook([](TFSB_BOX* box) { PostMessageA(box->Handle(), WM_CLOSE, 0, 0); });
    EXPECT_FALSE(ShowQuestion("Weiter?"));
}

TEST_F(MessageBoxTest, CaptionHelpButtonsAndGermanTexts) {
    struct {
        bool question;
        std::string help, caption, shownCaption;
    } cases[] = {
        {false, "", "", "Ordivo"},
        {true, "", "", "Ordivo"},
        {false, "Mehr dazu", "Hinweis", "Hinweis"},
        {true, "Mehr dazu", "Frage", "Frage"},
    };
    for (const auto& c : cases) {
        SetBoxShownHook([&](TFSB_BOX* box) {
            char text[64] = {};
            GetWindowTextA(box->Handle(), text, sizeof(text));
            EXPECT_EQ(text, c.shownCaption);
            EXPECT_EQ(box->HelpText(), c.help);
            // Question bar, message bar, their help buttons, help panel (hidden in both boxes).
            const bool help = !c.help.empty();
            EXPECT_EQ((std::vector<bool>{box->Pquestion->Visible(), box->Pmsg->Visible(),
                                         box->Pquestion->Visible() && box->FBhelpQ->Visible(),
                                         box->Pmsg->Visible() && box->FBhelpS->Visible(), box->FP_help->Visible()}),
                      (std::vector<bool>{c.question, !c.question, c.question && help, !c.question && help, false}))
                << c.caption;
            box->SetModalResult(mrCancel);
        });
        c.question ? (void)ShowQuestion("Text", c.help, c.caption) : ShowInfo("Text", c.help, c.caption);
    }
    TFSB_BOX* box = CreateMessageBox();
    const std::pair<TFlatButton*, std::string> texts[] = {
        {box->FB_OK, "Ja"},           {box->FB_BREAK1, "Nein"},
        {box->FB_BREAK2, "Schlie\xDF" "en"}, {box->FBhelpQ, "Hilfe"},
        {box->FBhelpS, "Hilfe"},      {box->FB_ICANCEL, "Abbrechen"},
        {box->FB_IOK, "\xDC" "bernehmen"},  {box->FB_HELPI, "Hilfe"},
    };
    for (const auto& [button, text] : texts) EXPECT_EQ(button->Caption(), text);
    box->Free();
}

TEST_F(MessageBoxTest, HelpButtonShowsTheHelpBelowTheButtons) {
    SetBoxShownHook([](TFSB_BOX* box) {
        const int before = box->ClientHeight();
        const int barBottom = box->Pquestion->Top() + box->Pquestion->Height();
        box->FBhelpQ->Click();
        const int grow = box->HelpLabel()->Height() + 5;
        EXPECT_GT(box->HelpLabel()->Height(), 6);
        // Shown below the bar, the box grown by it, the help button off and nothing closed.
        EXPECT_EQ((std::vector<int>{box->FP_help->Visible(), box->FP_help->Height(), box->ClientHeight(),
                                    box->FP_help->Top(), box->FBhelpQ->Enabled(), box->ModalResult()}),
                  (std::vector<int>{true, grow, before + grow, barBottom, false, mrNone}));
        box->SetModalResult(mrOk);
    });
    EXPECT_TRUE(ShowQuestion("Frage", "<B>Hilfe</B> zum<BR>Thema"));
}

TEST_F(MessageBoxTest, LayoutFollowsTheScreenSize) {
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
        b->Free();
    }
}

TEST_F(MessageBoxTest, HeightFollowsTheTextAndTallTextsStayInsideTheWorkArea) {
    // Work area 0..560, maximum height 420.
    std::string tall;
    for (int i = 0; i < 600; ++i) tall += "Wort ";
    for (const std::string& text : {std::string("Eine Zeile"), std::string("A<BR>B<BR>C"), tall}) {
        SetBoxShownHook([&](TFSB_BOX* box) {
            const RECT r = box->BoundsRect();
            if (text == tall) {
                EXPECT_EQ(box->Height(), 420);
            } else {
                EXPECT_EQ(box->ClientHeight(), box->MessageLabel()->Height() + 37);
            }
            // The bar stays at the bottom; at the maximum height it covers the label's end.
            EXPECT_EQ(box->Pmsg->Top() + box->Pmsg->Height(), box->ClientHeight() - 2);
            EXPECT_GE(r.top, 0);
            EXPECT_LE(r.bottom, 560);
            box->SetModalResult(mrOk);
        });
        ShowInfo(text);
    }
    // Beside a primary of 1200 (maximum height 840), a monitor of 600 whose
    // work area is lower than that: the tall box takes the work area's height.
    gMonitors = {{nullptr, {0, 0, 1024, 1200}, {0, 0, 1024, 1160}, true},
                 {nullptr, {1024, 0, 2048, 600}, {1024, 0, 2048, 560}}};
    Screen()->RefreshMonitors();
    TForm* active = Create<TForm>(nullptr);
    active->SetBounds(1100, 100, 600, 400);
    Screen()->SetActiveForm(active);
    std::vector<int> shown;
    SetBoxShownHook([&](TFSB_BOX* box) {
        const RECT r = box->BoundsRect();
        shown = {r.left >= 1024, r.top, r.bottom, box->Pmsg->Top() + box->Pmsg->Height() - box->ClientHeight()};
        box->SetModalResult(mrOk);
    });
    ShowInfo(tall);
    active->Free();
    EXPECT_EQ(shown, (std::vector<int>{true, 0, 560, -2}));
}

TEST_F(MessageBoxTest, KeepsTheForegroundOnlyWhileOpen) {
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
}

TEST_F(MessageBoxTest, LeavesNoWindowOrGdiObjectBehind) {
    auto counts = [] {
        int windows = 0;
        EnumThreadWindows(
            GetCurrentThreadId(), [](HWND, LPARAM p) { return ++*reinterpret_cast<int*>(p), TRUE; },
            reinterpret_cast<LPARAM>(&windows));
        return std::vector<int>{GdiOwnerLiveObjects(), GdiOwnerLiveDCs(), windows};
    };
    SetBoxShownHook([](TFSB_BOX* box) {
        box->FBhelpQ->Click();  // the help label and its panel painted too
        PumpUntil([] { return false; }, 5);
        box->SetModalResult(mrOk);
    });
    ShowQuestion("<B>Erst</B> einmal", "Hilfe");  // shared caches fill once
    const std::vector<int> before = counts();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(ShowQuestion("<B>Noch</B> einmal", "Hilfe"));
    Application()->ProcessMessages();
    EXPECT_EQ(counts(), before);
}

TEST_F(MessageBoxTest, OpensCentredOnTheMonitorOfTheActiveForm) {
    // Primary 1024 x 600 on the left, a second monitor of 1280 x 1024 right of it.
    gMonitors = {{nullptr, {0, 0, 1024, 600}, {0, 0, 1024, 560}, true}, {nullptr, {1024, 0, 2304, 1024}, {1024, 0, 2304, 984}}};
    Screen()->RefreshMonitors();
    TForm* active = Create<TForm>(nullptr);
    active->SetBounds(1300, 100, 600, 400);  // mostly on the right monitor
    Screen()->SetActiveForm(active);
    TFSB_BOX* box = CreateMessageBox();
    EXPECT_EQ(box->Position(), poDesigned);
    EXPECT_EQ(box->Left(), 1024 + (1280 - box->Width()) / 2);
    EXPECT_EQ(box->Top(), (984 - box->Height()) / 2);
    box->Free();
    Screen()->SetActiveForm(active);
    RECT shown{};
    SetBoxShownHook([&](TFSB_BOX* b) {
        shown = b->BoundsRect();
        b->SetModalResult(mrOk);
    });
    ShowInfo("Zweiter Bildschirm");
    EXPECT_GE(shown.left, 1024);
    EXPECT_LE(shown.right, 2304);
    active->Free();
}
