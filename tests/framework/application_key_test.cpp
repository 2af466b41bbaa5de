// The key pipeline: CN_* first, dialog keys and characters to the form unless
// the control wants them, then the form's key preview and the control.
#include <gtest/gtest.h>

#include <functional>
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
    bool claim = false;         // CN_KEYDOWN answers non-zero
    bool suppress = false;      // CN_KEYDOWN sets the key code to 0
    UINT dlgcode = 0;           // WM_GETDLGCODE answer
    bool want_special = false;  // CM_WANTSPECIALKEY answer
    bool fail = false;          // CN_KEYDOWN throws
    char accelerator = 0;       // CM_DIALOGCHAR taken for this character

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
    void CMDialogChar(TMessage& m) override {
        g_keys.push_back("dialogchar:" + name_);
        m.Result = accelerator && static_cast<char>(m.WParam) == accelerator ? 1 : 0;
    }
    void KeyDown(WORD& key, TShiftState shift) override {
        g_keys.push_back("keydown:" + name_ + ":" + std::to_string(key));
        TCustomControl::KeyDown(key, shift);
    }
    void KeyUp(WORD& key, TShiftState shift) override {
        g_keys.push_back("keyup:" + name_ + ":" + std::to_string(key));
        TCustomControl::KeyUp(key, shift);
    }
    void KeyPress(char& key) override {
        g_keys.push_back(std::string("press:") + name_ + ":" + key);
        TCustomControl::KeyPress(key);
    }
    std::string name_;
};

class KeyForm : public TForm {
public:
    explicit KeyForm(TComponent* owner) : TForm(owner) {}
    bool eat = false;  // the preview takes every key

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
    void KeyUp(WORD& key, TShiftState shift) override {
        g_keys.push_back("previewup:" + std::to_string(key));
        if (eat) key = 0;
        TForm::KeyUp(key, shift);
    }
    void KeyPress(char& key) override {
        g_keys.push_back(std::string("previewpress:") + key);
        if (eat) key = 0;
        TForm::KeyPress(key);
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
    s.a = Place<KeyControl>(s.form, s.form, 10, 10, 50, 20, "a");
    s.b = Place<KeyControl>(s.form, s.form, 10, 40, 50, 20, "b");
    s.c = Place<KeyControl>(s.form, s.form, 10, 70, 50, 20, "c");
    s.b->SetTabStop(false);
    s.form->Show();
    Pump();
    s.a->SetFocus();
    Pump();
    g_keys.clear();
    return s;
}

struct KeyCase {
    const char* what;
    std::function<void(KeyScene&)> setup;
    UINT msg;
    WPARAM key;
    std::vector<std::string> log;
    char focused;                  // 'a', 'b' or 'c' afterwards
    std::vector<std::string> caught = {};  // by the application
};

}  // namespace

TEST(KeyPipeline, StagesInOrder) {
    static auto preview = [](KeyScene& s) { s.form->SetKeyPreview(true); };
    static auto previewEats = [](KeyScene& s) { s.form->SetKeyPreview(true), s.form->eat = true; };
    const KeyCase cases[] = {
        {"preview runs first", preview, WM_KEYDOWN, 'X', {"cn:a", "preview:88", "keydown:a:88"}, 'a'},
        {"preview takes the key", previewEats, WM_KEYDOWN, 'X', {"cn:a", "preview:88"}, 'a'},
        {"preview of a key release", preview, WM_KEYUP, 'X', {"previewup:88", "keyup:a:88"}, 'a'},
        {"preview takes a release", previewEats, WM_KEYUP, 'X', {"previewup:88"}, 'a'},
        {"preview of a character", [](KeyScene& s) { preview(s), s.a->dlgcode = DLGC_WANTCHARS; }, WM_CHAR, 'x',
         {"previewpress:x", "press:a:x"}, 'a'},
        {"preview takes a character", [](KeyScene& s) { previewEats(s), s.a->dlgcode = DLGC_WANTCHARS; }, WM_CHAR,
         'x', {"previewpress:x"}, 'a'},
        {"tab skips a control that is no tab stop", nullptr, WM_KEYDOWN, VK_TAB, {"cn:a", "dialogkey:9"}, 'c'},
        {"tab wraps from the last to the first", [](KeyScene& s) { s.c->SetFocus(); }, WM_KEYDOWN, VK_TAB,
         {"cn:c", "dialogkey:9"}, 'a'},
        {"an exception in a key handler goes to the application and the key nowhere else",
         [](KeyScene& s) { s.a->fail = true; }, WM_KEYDOWN, VK_TAB, {"cn:a"}, 'a', {"Tastenfehler"}},
        {"claimed key goes nowhere else", [](KeyScene& s) { preview(s), s.a->claim = true; }, WM_KEYDOWN, VK_TAB, {"cn:a"}, 'a'},
        {"zeroed key code only stops navigation", [](KeyScene& s) { s.a->suppress = true; }, WM_KEYDOWN, VK_TAB,
         {"cn:a", "keydown:a:9"}, 'a'},
        {"control that wants tab", [](KeyScene& s) { s.a->dlgcode = DLGC_WANTTAB; }, WM_KEYDOWN, VK_TAB,
         {"cn:a", "keydown:a:9"}, 'a'},
        {"arrows stay dialog keys and ignore TabStop", [](KeyScene& s) { s.a->dlgcode = DLGC_WANTTAB; },
         WM_KEYDOWN, VK_DOWN, {"cn:a", "dialogkey:40"}, 'b'},
        {"enter is offered, then goes on", nullptr, WM_KEYDOWN, VK_RETURN,
         {"cn:a", "dialogkey:13", "keydown:a:13"}, 'a'},
        {"special key kept from the form", [](KeyScene& s) { s.a->want_special = true; }, WM_KEYDOWN, VK_RETURN,
         {"cn:a", "keydown:a:13"}, 'a'},
        {"wanted characters arrive as CP1252 bytes", [](KeyScene& s) { s.a->dlgcode = DLGC_WANTCHARS; }, WM_CHAR,
         0xDF, {"press:a:\xDF"}, 'a'},
        {"unwanted character goes out as an accelerator", [](KeyScene& s) { s.c->accelerator = 'o'; }, WM_CHAR, 'o',
         {"dialogchar:a", "dialogchar:b", "dialogchar:c"}, 'a'},
        {"accelerator nobody takes reaches the control", nullptr, WM_CHAR, 'o',
         {"dialogchar:a", "dialogchar:b", "dialogchar:c", "press:a:o"}, 'a'},
    };
    for (const KeyCase& k : cases) {
        KeyScene s = BuildKeyScene();
        if (k.setup) k.setup(s);
        ControlTestEnvironment::CaughtExceptions().clear();
        MSG m = MakeMsg(GetFocus(), k.msg, k.key, 1);
        if (!Application()->ProcessMessage(m)) ADD_FAILURE() << k.what;  // and nothing thrown out of it
        EXPECT_EQ(g_keys, k.log) << k.what;
        EXPECT_EQ(ControlTestEnvironment::CaughtExceptions(), k.caught) << k.what;
        KeyControl* focused = k.focused == 'a' ? s.a : k.focused == 'b' ? s.b : s.c;
        EXPECT_TRUE(focused->Focused()) << k.what;
        EXPECT_EQ(s.form->ActiveControl(), focused) << k.what;
        s.form->Free();
    }
}
