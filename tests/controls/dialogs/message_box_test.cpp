// The message box shown for real: keys typed through the system into the
// modal loop, answers, captions and help, the sizes it takes from the
// screen, and the foreground rule while it closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/dialogs/box_text.h"
#include "controls/dialogs/message_box.h"
#include "controls/flat/flat_button.h"
#include "controls/flat/flat_panel.h"
#include "controls/html/html_label.h"
#include "framework/application.h"
#include "framework/gdi_owner.h"
#include "framework/screen.h"
#include "framework/std_controls.h"

namespace {

RECT gWork{0, 0, 1024, 560};
int gScreenWidth = 1024;
int gScreenHeight = 600;

std::vector<TMonitorInfo> OneMonitor() {
    TMonitorInfo m;
    m.BoundsRect = RECT{0, 0, gScreenWidth, gScreenHeight};
    m.WorkareaRect = gWork;
    m.Primary = true;
    return {m};
}

// Primary 1024 x 600 on the left, a second monitor of 1280 x 1024 right of it.
std::vector<TMonitorInfo> TwoMonitors() {
    TMonitorInfo left;
    left.BoundsRect = RECT{0, 0, 1024, 600};
    left.WorkareaRect = RECT{0, 0, 1024, 560};
    left.Primary = true;
    TMonitorInfo right;
    right.BoundsRect = RECT{1024, 0, 2304, 1024};
    right.WorkareaRect = RECT{1024, 0, 2304, 984};
    return {left, right};
}

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application()->Initialize();
        Application()->SetTitle("Ordivo");
        gScreenWidth = 1024;
        gScreenHeight = 600;
        gWork = RECT{0, 0, 1024, 560};
        Screen()->SetMonitorProvider(&OneMonitor);
        Screen()->SetActiveForm(nullptr);
    }
    void TearDown() override {
        SetBoxShownHook(nullptr);
        Screen()->SetMonitorProvider(nullptr);
        Screen()->SetActiveForm(nullptr);
        Application()->ProcessMessages();
    }
    void UseScreen(int w, int h) {
        gScreenWidth = w;
        gScreenHeight = h;
        gWork = RECT{0, 0, w, h - 40};
        Screen()->RefreshMonitors();
    }
};

template <class F>
bool PumpUntil(F done, int rounds = 100) {
    for (int i = 0; i < rounds && !done(); ++i) {
        Application()->ProcessMessages();
        Sleep(10);
    }
    return done();
}

// Presses the keys of a chord in order and releases them in reverse, as real input.
void TypeChord(const std::vector<WORD>& chord) {
    std::vector<INPUT> in;
    for (WORD vk : chord) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        in.push_back(i);
    }
    for (auto it = chord.rbegin(); it != chord.rend(); ++it) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *it;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

using Chords = std::vector<std::vector<WORD>>;

// Types the chords into the shown box; returns the ModalResult it then has
// (0 while it stays open, in which case the box is closed with mrAbort).
TModalResult TypeInto(TFSB_BOX* box, const Chords& chords, std::string* focusedAfter = nullptr) {
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == box->Handle(); }));
    for (const auto& chord : chords) {
        TypeChord(chord);
        for (int i = 0; i < 8; ++i) {  // the key-up too, or the loop has ended
            Application()->ProcessMessages();
            Sleep(10);
        }
    }
    if (focusedAfter)
        *focusedAfter = box->ActiveControl() ? dynamic_cast<TFlatButton*>(box->ActiveControl())->Caption() : "";
    const TModalResult result = box->ModalResult();
    if (result == mrNone) box->SetModalResult(mrAbort);
    return result;
}

}  // namespace

TEST_F(MessageBoxTest, KeysOfAnInformationBox) {
    struct {
        const char* keys;
        Chords chords;
        TModalResult result;  // 0: the box stays open
    } cases[] = {
        {"a", {{'A'}}, mrCancel},
        {"Shift+A", {{VK_SHIFT, 'A'}}, mrNone},
        {"Ctrl+C", {{VK_CONTROL, 'C'}}, mrNone},
        {"Enter", {{VK_RETURN}}, mrOk},  // the button's own Enter
        {"Shift+Enter", {{VK_SHIFT, VK_RETURN}}, mrOk},
        {"Escape", {{VK_ESCAPE}}, mrCancel},
        {"Space", {{VK_SPACE}}, mrCancel},
        {"Left", {{VK_LEFT}}, mrCancel},
        {"F1", {{VK_F1}}, mrNone},
        // Dialog keys: the focus moves (to the only tab stop), nothing closes.
        {"Tab", {{VK_TAB}}, mrNone},
        {"Up", {{VK_UP}}, mrNone},
        {"Down", {{VK_DOWN}}, mrNone},
    };
    for (const auto& c : cases) {
        TModalResult result = -1;
        HWND shown = nullptr;
        SetBoxShownHook([&](TFSB_BOX* box) {
            shown = box->Handle();
            result = TypeInto(box, c.chords);
        });
        ShowInfo("Hallo");
        EXPECT_EQ(result, c.result) << c.keys;
        EXPECT_FALSE(IsWindow(shown)) << c.keys;  // the box is gone with its window
    }
}

TEST_F(MessageBoxTest, KeysAndAnswersOfAQuestionBox) {
    struct {
        const char* keys;
        Chords chords;
        bool answer;
        const char* focused;  // after the keys, for the cases that leave it open
    } cases[] = {
        {"Enter on Ja", {{VK_RETURN}}, true, nullptr},
        {"Enter on Nein", {{VK_RIGHT}, {VK_RETURN}}, false, nullptr},
        {"Right, Left, Enter", {{VK_RIGHT}, {VK_LEFT}, {VK_RETURN}}, true, nullptr},
        {"Tab, Enter", {{VK_TAB}, {VK_RETURN}}, false, nullptr},
        {"Escape", {{VK_ESCAPE}}, false, nullptr},
        {"Shift+Escape", {{VK_SHIFT, VK_ESCAPE}}, false, nullptr},
        // Left/Right move once: the button eats them before the dialog keys.
        {"Right", {{VK_RIGHT}}, false, "Nein"},
        {"Right, Right", {{VK_RIGHT}, {VK_RIGHT}}, false, "Ja"},
        {"a", {{'A'}}, false, "Ja"},
    };
    for (const auto& c : cases) {
        std::string focused;
        SetBoxShownHook([&](TFSB_BOX* box) {
            EXPECT_EQ(box->ActiveControl(), box->FB_OK);
            TypeInto(box, c.chords, &focused);
        });
        EXPECT_EQ(ShowQuestion("Weiter?"), c.answer) << c.keys;
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
            EXPECT_EQ(box->Pquestion->Visible(), c.question);
            EXPECT_EQ(box->Pmsg->Visible(), !c.question);
            EXPECT_EQ(box->Pquestion->Visible() && box->FBhelpQ->Visible(), c.question && !c.help.empty());
            EXPECT_EQ(box->Pmsg->Visible() && box->FBhelpS->Visible(), !c.question && !c.help.empty());
            EXPECT_FALSE(box->FP_help->Visible());  // in the question box too
            EXPECT_EQ(box->HelpText(), c.help);
            box->SetModalResult(mrCancel);
        });
        if (c.question)
            ShowQuestion("Text", c.help, c.caption);
        else
            ShowInfo("Text", c.help, c.caption);
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
        EXPECT_TRUE(box->FP_help->Visible());
        EXPECT_EQ(box->FP_help->Height(), grow);
        EXPECT_EQ(box->ClientHeight(), before + grow);
        EXPECT_EQ(box->FP_help->Top(), barBottom);
        EXPECT_FALSE(box->FBhelpQ->Enabled());
        EXPECT_EQ(box->ModalResult(), mrNone);  // the help button closes nothing
        box->SetModalResult(mrOk);
    });
    EXPECT_TRUE(ShowQuestion("Frage", "<B>Hilfe</B> zum<BR>Thema"));
}

TEST_F(MessageBoxTest, LayoutFollowsTheScreenSize) {
    struct {
        int width, height;
        int labelSize, formSize;
        int panel2, break2Left, break2Width, panel3, cancelWidth, okLeft, okWidth;
        int maxHeight;
    } cases[] = {
        {800, 768, 8, 8, 89, 7, 77, 185, 82, 92, 89, 538},
        {801, 1025, 10, 9, 97, 2, 93, 222, 98, 109, 106, 718},
    };
    for (const auto& c : cases) {
        UseScreen(c.width, c.height);
        TFSB_BOX* box = CreateMessageBox();
        EXPECT_EQ(box->MessageLabel()->Font().Size(), c.labelSize) << c.width;
        EXPECT_EQ(box->HelpLabel()->Font().Size(), c.labelSize) << c.width;
        EXPECT_EQ(box->Font().Size(), c.formSize) << c.width;
        EXPECT_EQ(box->Panel2->Width(), c.panel2) << c.width;
        EXPECT_EQ(box->FB_BREAK2->Left(), c.break2Left) << c.width;
        EXPECT_EQ(box->FB_BREAK2->Width(), c.break2Width) << c.width;
        EXPECT_EQ(box->Panel3->Width(), c.panel3) << c.width;
        EXPECT_EQ(box->FB_ICANCEL->Left(), 7) << c.width;
        EXPECT_EQ(box->FB_ICANCEL->Width(), c.cancelWidth) << c.width;
        EXPECT_EQ(box->FB_IOK->Left(), c.okLeft) << c.width;
        EXPECT_EQ(box->FB_IOK->Width(), c.okWidth) << c.width;
        EXPECT_EQ(box->Constraints().MaxHeight, c.maxHeight) << c.width;
        box->Free();
    }
}

TEST_F(MessageBoxTest, HeightFollowsTheTextAndTallTextsStayInsideTheWorkArea) {
    UseScreen(1024, 600);  // work area 0..560, maximum height 420
    std::string tall;
    for (int i = 0; i < 600; ++i) tall += "Wort ";
    struct {
        std::string text;
        bool capped;
    } cases[] = {{"Eine Zeile", false}, {"A<BR>B<BR>C", false}, {tall, true}};
    for (const auto& c : cases) {
        SetBoxShownHook([&](TFSB_BOX* box) {
            const RECT r = box->BoundsRect();
            if (c.capped)
                EXPECT_EQ(box->Height(), 420);
            else
                EXPECT_EQ(box->ClientHeight(), box->MessageLabel()->Height() + 37);
            // The bar stays at the bottom; at the maximum height it covers the label's end.
            EXPECT_EQ(box->Pmsg->Top() + box->Pmsg->Height(), box->ClientHeight() - 2);
            EXPECT_GE(r.top, gWork.top);
            EXPECT_LE(r.bottom, gWork.bottom);
            box->SetModalResult(mrOk);
        });
        ShowInfo(c.text);
    }
}

TEST_F(MessageBoxTest, ForeignTextKeepsItsTailWhenEscaped) {
    TFSB_BOX* box = CreateMessageBox();
    TSBHTM* label = box->MessageLabel();
    const std::string reply = "550 <user@example.org> & weiter bis zum Ende";
    label->SetHTMLText(PrepareBoxText("Antwort: " + reply));
    const int raw = label->Measure().cx;
    label->SetHTMLText(PrepareBoxText("Antwort: " + EscapeBoxText(reply)));
    EXPECT_GT(label->Measure().cx, raw + 100);  // the whole reply, not cut at "<"
    box->Free();
}

TEST_F(MessageBoxTest, KeepsTheForegroundOnlyWhileOpen) {
    HWND other = nullptr, boxWindow = nullptr;
    HWND afterOpen = nullptr, afterClosing = nullptr;
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
        PumpUntil([&] { return false; }, 10);
        afterClosing = GetForegroundWindow();
        f->Free();
    });
    ShowInfo("Vordergrund");
    EXPECT_EQ(afterOpen, boxWindow);
    EXPECT_EQ(afterClosing, other);
}

TEST_F(MessageBoxTest, LeavesNoWindowOrGdiObjectBehind) {
    auto threadWindows = [] {
        int n = 0;
        EnumThreadWindows(
            GetCurrentThreadId(), [](HWND, LPARAM p) { return ++*reinterpret_cast<int*>(p), TRUE; },
            reinterpret_cast<LPARAM>(&n));
        return n;
    };
    SetBoxShownHook([](TFSB_BOX* box) {
        box->FBhelpQ->Click();  // the help label and its panel painted too
        PumpUntil([] { return false; }, 5);
        box->SetModalResult(mrOk);
    });
    ShowQuestion("<B>Erst</B> einmal", "Hilfe");  // shared caches fill once
    const int objects = GdiOwnerLiveObjects(), dcs = GdiOwnerLiveDCs(), windows = threadWindows();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(ShowQuestion("<B>Noch</B> einmal", "Hilfe"));
    Application()->ProcessMessages();
    EXPECT_EQ(GdiOwnerLiveObjects(), objects);
    EXPECT_EQ(GdiOwnerLiveDCs(), dcs);
    EXPECT_EQ(threadWindows(), windows);
}

TEST_F(MessageBoxTest, OpensCentredOnTheMonitorOfTheActiveForm) {
    Screen()->SetMonitorProvider(&TwoMonitors);
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
