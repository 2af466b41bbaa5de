// The key pipeline: CN_KEYDOWN first, dialog keys to the form unless the
// control wants them, then the form's key preview and the control's KeyDown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/custom_control.h"
#include "framework/exceptions.h"
#include "tests/framework/control_test_support.h"

namespace {

std::vector<std::string> g_keys;

class KeyControl : public TCustomControl {
public:
    explicit KeyControl(TComponent* owner, std::string name) : TCustomControl(owner), name_(std::move(name)) {
        SetTabStop(true);
    }
    bool claim = false;        // CN_KEYDOWN answers non-zero
    bool suppress = false;     // CN_KEYDOWN sets the key code to 0
    UINT dlgcode = 0;          // WM_GETDLGCODE answer
    bool want_special = false; // CM_WANTSPECIALKEY answer
    bool fail = false;         // CN_KEYDOWN throws

protected:
    void CNKeyDown(TMessage& m) override {
        g_keys.push_back("cn:" + name_);
        if (fail) throw Exception("Tastenfehler");
        if (suppress) m.WParam = 0;
        if (claim) {
            m.Result = 1;
            return;
        }
        TCustomControl::CNKeyDown(m);
    }
    void WMGetDlgCode(TMessage& m) override { m.Result = dlgcode; }
    void CMWantSpecialKey(TMessage& m) override { m.Result = want_special ? 1 : 0; }
    void KeyDown(WORD& key, TShiftState shift) override {
        g_keys.push_back("keydown:" + name_ + ":" + std::to_string(key));
        TCustomControl::KeyDown(key, shift);
    }
    void KeyPress(char& key) override {
        g_keys.push_back(std::string("press:") + name_ + ":" + key);
        TCustomControl::KeyPress(key);
    }

private:
    std::string name_;
};

class KeyForm : public TForm {
public:
    explicit KeyForm(TComponent* owner) : TForm(owner) {}
    bool eat = false;

protected:
    void CMDialogKey(TMessage& m) override {
        g_keys.push_back("dialogkey:" + std::to_string(m.WParam));
        TForm::CMDialogKey(m);
    }
    void KeyDown(WORD& key, TShiftState shift) override {
        g_keys.push_back("preview:" + std::to_string(key));
        if (eat) key = 0;
        TForm::KeyDown(key, shift);
    }
};

struct KeyScene {
    KeyForm* form;
    KeyControl* a;
    KeyControl* b;
    KeyControl* c;
};

KeyScene BuildKeyScene() {
    KeyScene s{};
    s.form = Create<KeyForm>(nullptr);
    s.form->SetBorderStyle(bsNone);
    s.form->SetBounds(40, 40, 300, 200);
    s.a = Create<KeyControl>(s.form, "a");
    s.b = Create<KeyControl>(s.form, "b");
    s.c = Create<KeyControl>(s.form, "c");
    s.a->SetBounds(10, 10, 50, 20);
    s.b->SetBounds(10, 40, 50, 20);
    s.c->SetBounds(10, 70, 50, 20);
    s.b->SetTabStop(false);
    s.a->SetParent(s.form);
    s.b->SetParent(s.form);
    s.c->SetParent(s.form);
    s.form->Show();
    Pump();
    s.a->SetFocus();
    Pump();
    g_keys.clear();
    return s;
}

}  // namespace

TEST(KeyPipeline, KeyPreviewRunsBeforeTheControl) {
    KeyScene s = BuildKeyScene();
    s.form->SetKeyPreview(true);
    RouteKey(s.a->Handle(), 'X');
    std::vector<std::string> expected{"cn:a", "preview:88", "keydown:a:88"};
    EXPECT_EQ(g_keys, expected);
    s.form->Free();
}

TEST(KeyPipeline, PreviewThatTakesTheKeyStopsIt) {
    KeyScene s = BuildKeyScene();
    s.form->SetKeyPreview(true);
    s.form->eat = true;
    RouteKey(s.a->Handle(), 'X');
    std::vector<std::string> expected{"cn:a", "preview:88"};
    EXPECT_EQ(g_keys, expected);
    s.form->Free();
}

TEST(KeyPipeline, TabMovesFocusToTheNextTabStop) {
    KeyScene s = BuildKeyScene();
    ASSERT_TRUE(s.a->Focused());
    RouteKey(s.a->Handle(), VK_TAB);
    EXPECT_TRUE(s.c->Focused());  // b is no tab stop
    EXPECT_EQ(s.form->ActiveControl(), s.c);
    std::vector<std::string> expected{"cn:a", "dialogkey:9"};
    EXPECT_EQ(g_keys, expected);
    // From the last one the focus wraps to the first.
    RouteKey(s.c->Handle(), VK_TAB);
    EXPECT_TRUE(s.a->Focused());
    s.form->Free();
}

TEST(KeyPipeline, ClaimedControlKeyStopsDialogKeyAndKeyDown) {
    KeyScene s = BuildKeyScene();
    s.a->claim = true;
    s.form->SetKeyPreview(true);
    RouteKey(s.a->Handle(), VK_TAB);
    Pump();
    EXPECT_TRUE(s.a->Focused());
    std::vector<std::string> expected{"cn:a"};
    EXPECT_EQ(g_keys, expected);
    s.form->Free();
}

TEST(KeyPipeline, ZeroedKeyCodeOnlySuppressesDialogNavigation) {
    KeyScene s = BuildKeyScene();
    s.a->suppress = true;
    RouteKey(s.a->Handle(), VK_TAB);
    EXPECT_TRUE(s.a->Focused());
    std::vector<std::string> expected{"cn:a", "keydown:a:9"};
    EXPECT_EQ(g_keys, expected);
    s.form->Free();
}

TEST(KeyPipeline, ControlThatWantsTabGetsIt) {
    KeyScene s = BuildKeyScene();
    s.a->dlgcode = DLGC_WANTTAB;
    RouteKey(s.a->Handle(), VK_TAB);
    EXPECT_TRUE(s.a->Focused());
    std::vector<std::string> expected{"cn:a", "keydown:a:9"};
    EXPECT_EQ(g_keys, expected);
    // Arrows are still dialog keys for it.
    g_keys.clear();
    RouteKey(s.a->Handle(), VK_DOWN);
    EXPECT_TRUE(s.b->Focused());  // arrows ignore TabStop, within the same parent
    s.form->Free();
}

TEST(KeyPipeline, WantSpecialKeyKeepsEnterAwayFromTheForm) {
    KeyScene s = BuildKeyScene();
    RouteKey(s.a->Handle(), VK_RETURN);
    std::vector<std::string> offered{"cn:a", "dialogkey:13", "keydown:a:13"};
    EXPECT_EQ(g_keys, offered);  // the form offers no default button: Enter goes on
    g_keys.clear();
    s.a->want_special = true;
    RouteKey(s.a->Handle(), VK_RETURN);
    std::vector<std::string> kept{"cn:a", "keydown:a:13"};
    EXPECT_EQ(g_keys, kept);
    s.form->Free();
}

TEST(KeyPipeline, CharactersArriveAsCp1252Bytes) {
    KeyScene s = BuildKeyScene();
    s.a->dlgcode = DLGC_WANTCHARS;
    MSG m = MakeMsg(s.a->Handle(), WM_CHAR, 0xDF, 1);
    Application()->ProcessMessage(m);
    std::vector<std::string> expected{"press:a:\xDF"};
    EXPECT_EQ(g_keys, expected);
    s.form->Free();
}

TEST(KeyPipeline, ExceptionInAKeyHandlerGoesToTheApplication) {
    KeyScene s = BuildKeyScene();
    s.a->fail = true;
    auto& caught = ControlTestEnvironment::CaughtExceptions();
    caught.clear();
    RouteKey(s.a->Handle(), VK_TAB);  // must not throw out of ProcessMessage
    Pump();
    ASSERT_EQ(caught.size(), 1u);
    EXPECT_EQ(caught[0], "Tastenfehler");
    EXPECT_TRUE(s.a->Focused());  // the key went nowhere else
    s.form->Free();
}
