// The key pipeline's dialog-code rules and the focus chain's enter and exit:
// a control is asked WM_GETDLGCODE without a message, so a multi-line EDIT
// never acts as a dialog child (Escape closes nothing); only DLGC_WANTTAB
// keeps Tab; CM_EXIT goes only to a control that had CM_ENTER.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/custom_control.h"
#include "framework/edit.h"
#include "framework/std_controls.h"
#include "tests/framework/control_test_support.h"
#include "tests/framework/user_input.h"

namespace {

std::vector<std::string> g_log;

class CodeControl : public TCustomControl {
public:
    CodeControl(TComponent* owner, std::string name) : TCustomControl(owner), name_(std::move(name)) {
        SetTabStop(true);
    }
    UINT dlgcode = 0;
    std::vector<LPARAM> asked;  // the LParam of every WM_GETDLGCODE
    bool refuse_exit = false;   // CM_EXIT takes the focus back, as a failed check does

protected:
    void WMGetDlgCode(TMessage& m) override {
        asked.push_back(m.LParam);
        m.Result = dlgcode;
    }
    void KeyDown(WORD& key, TShiftState shift) override {
        g_log.push_back("keydown:" + name_ + ":" + std::to_string(key));
        TCustomControl::KeyDown(key, shift);
    }
    void CMEnter(TMessage& m) override {
        g_log.push_back("enter:" + name_);
        TCustomControl::CMEnter(m);
    }
    void CMExit(TMessage& m) override {
        g_log.push_back("exit:" + name_);
        if (refuse_exit) {
            SetFocus();
            return;
        }
        TCustomControl::CMExit(m);
    }
    std::string name_;
};

// A multi-line EDIT as a memo has it.
class MemoEdit : public TCustomEdit {
public:
    explicit MemoEdit(TComponent* owner) : TCustomEdit(owner) {}

protected:
    void CreateParams(TCreateParams& p) override {
        TCustomEdit::CreateParams(p);
        p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    }
};

struct Scene {
    TForm* form;
    TPanel* panel;
    CodeControl* a;
    CodeControl* b;
    CodeControl* c;
    Scene() {
        form = ShowTestForm(360, 220);
        panel = Place<TPanel>(form, form, 5, 5, 340, 200);
        a = Place<CodeControl>(form, panel, 10, 10, 60, 20, "a");
        b = Place<CodeControl>(form, panel, 10, 40, 60, 20, "b");
        c = Place<CodeControl>(form, panel, 10, 70, 60, 20, "c");
        Pump();
        a->SetFocus();
        Pump();
        g_log.clear();
    }
    ~Scene() {
        form->Free();
        Pump();
    }
};

}  // namespace

TEST(DialogCodes, AskedWithoutAMessageAndOnlyWantTabKeepsTab) {
    struct Case {
        const char* what;
        UINT dlgcode;
        WORD key;
        std::vector<std::string> log;
        char focused;
    } cases[] = {
        {"all keys wanted: Tab still moves on", DLGC_WANTALLKEYS | DLGC_WANTCHARS, VK_TAB, {}, 'b'},
        {"the combo's 133: Tab moves on", DLGC_WANTARROWS | DLGC_WANTALLKEYS | DLGC_WANTCHARS, VK_TAB, {}, 'b'},
        {"Tab wanted", DLGC_WANTTAB, VK_TAB, {"keydown:a:9"}, 'a'},
        {"all keys wanted keep Escape", DLGC_WANTALLKEYS, VK_ESCAPE, {"keydown:a:27"}, 'a'},
        {"all keys wanted keep the arrows", DLGC_WANTALLKEYS, VK_DOWN, {"keydown:a:40"}, 'a'},
        {"arrows not wanted move the focus", 0, VK_DOWN, {}, 'b'},
    };
    for (const Case& k : cases) {
        Scene s;
        s.a->dlgcode = k.dlgcode;
        user_input::PressKey(k.key);
        EXPECT_EQ(g_log.size() >= k.log.size() ? std::vector<std::string>(g_log.begin(), g_log.begin() +
                                                                               static_cast<long>(k.log.size()))
                                               : g_log,
                  k.log)
            << k.what;
        CodeControl* focused = k.focused == 'a' ? s.a : s.b;
        EXPECT_EQ(GetFocus(), focused->Handle()) << k.what;
        ASSERT_FALSE(s.a->asked.empty()) << k.what;
        for (LPARAM l : s.a->asked) EXPECT_EQ(l, 0) << k.what;
    }
}

TEST(DialogCodes, EscapeInAMultiLineEditClosesNoWindow) {
    TForm* form = ShowTestForm(360, 220);
    TPanel* panel = Place<TPanel>(form, form, 5, 5, 340, 200);
    MemoEdit* memo = Place<MemoEdit>(form, panel, 10, 10, 200, 60);
    TCustomEdit* next = Place<TCustomEdit>(form, panel, 10, 100, 200, 22);
    Pump();
    memo->SetFocus();
    Pump();
    user_input::TypeText("ab");
    user_input::PressKey(VK_ESCAPE);
    Pump();
    ASSERT_TRUE(panel->HandleAllocated());
    EXPECT_TRUE(IsWindow(panel->WindowHandle()));
    EXPECT_TRUE(IsWindowVisible(form->WindowHandle()));
    EXPECT_EQ(GetFocus(), memo->Handle());
    EXPECT_EQ(memo->Text(), "ab");
    // Tab moves on from it too (its EDIT would otherwise type a tab).
    user_input::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), next->Handle());
    EXPECT_EQ(memo->Text(), "ab");
    form->Free();
    Pump();
}

TEST(FocusChain, ARefusedExitNeverExitsTheControlTheFocusWasHeadingFor) {
    Scene s;
    s.a->refuse_exit = true;
    s.b->SetFocus();
    Pump();
    EXPECT_EQ(GetFocus(), s.a->Handle());
    // a is left once and entered again; b was never entered, so never left.
    EXPECT_EQ(g_log, (std::vector<std::string>{"exit:a", "enter:a"}));
    g_log.clear();
    user_input::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), s.a->Handle());
    EXPECT_EQ(g_log, (std::vector<std::string>{"exit:a", "enter:a"}));
    // Let go: a is left, b entered; from b on to c.
    s.a->refuse_exit = false;
    g_log.clear();
    s.b->SetFocus();
    Pump();
    s.c->SetFocus();
    Pump();
    EXPECT_EQ(g_log, (std::vector<std::string>{"exit:a", "enter:b", "exit:b", "enter:c"}));
}

TEST(FocusChain, AContainerLeftByItsEnteredControlIsStillLeftOnce) {
    Scene s;
    TForm* form = s.form;
    TPanel* other = Place<TPanel>(form, form, 5, 5, 10, 10);
    CodeControl* d = Place<CodeControl>(form, other, 1, 1, 5, 5, "d");
    Pump();
    // The entered control goes away; the panel holding it stays entered.
    s.a->Free();
    s.a = nullptr;
    g_log.clear();
    d->SetFocus();
    Pump();
    EXPECT_EQ(g_log, (std::vector<std::string>{"enter:d"}));
    EXPECT_EQ(form->EnteredControl(), d);
}
