#include <gtest/gtest.h>

#include <vector>

#include "editors/popups/calculator.h"
#include "tests/editors/popups/popup_test_support.h"

namespace {

struct ShownCalculator {
    OwnerOnForm<> host{300, 100, 120, 22};
    TI_CustomCalculator* calc = nullptr;
    std::vector<bool> closes;
    ShownCalculator() {
        calc = Create<TI_CustomCalculator>(host.owner);
        calc->OnClose = [this](bool accept) { closes.push_back(accept); };
        calc->Show();
        PumpFor(30);
    }
    ~ShownCalculator() { calc->Free(); }
    void Type(const char* chars) {
        for (const char* c = chars; *c; ++c) {
            char k = *c;
            calc->KeyPress(k);
        }
    }
};

}  // namespace

TEST(Calculator, LayoutFromTheKeySize) {
    OwnerOnForm<> host(300, 100, 120, 22);
    auto* calc = Create<TI_CustomCalculator>(host.owner);
    const int kw = calc->KeyWidth(), kh = calc->KeyHeight();
    EXPECT_GT(kw, 8);
    EXPECT_EQ(calc->PopupRect().right - calc->PopupRect().left, 6 * kw + 12);
    EXPECT_EQ(calc->PopupRect().bottom - calc->PopupRect().top, 7 * kh + 24);
    EXPECT_EQ(calc->Buttons().Count(), 29);
    TI_EditButton* bks = calc->Buttons().FindByName("$BT_BKS");
    ASSERT_NE(bks, nullptr);
    EXPECT_EQ(bks->Caption(), "Backspase");
    EXPECT_EQ(bks->Width(), 3 * kw);
    EXPECT_EQ(calc->Buttons().FindByName("$BT_SEP")->Caption(), ",");
    EXPECT_EQ(calc->Buttons().FindByName("$BT_OK")->Width(), 5 * kw + 4);
    calc->Free();
}

TEST(Calculator, KeysOfTheEditAndItsButtons) {
    ShownCalculator s;
    s.Type("12*3=");
    EXPECT_EQ(s.calc->Engine().Display(), "36");
    WORD key = VK_F9;
    s.calc->KeyDown(key, 0);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(s.calc->Engine().Display(), "0,0277777777777778");
    s.calc->Buttons().FindByName("$BT_C")->Click();
    EXPECT_EQ(s.calc->Engine().Display(), "0");
    key = VK_RETURN;
    s.calc->KeyDown(key, 0);
    EXPECT_EQ(s.closes, std::vector<bool>{true});
    key = VK_ESCAPE;
    s.calc->KeyDown(key, 0);
    EXPECT_TRUE(s.calc->DialogChar('o'));
    EXPECT_FALSE(s.calc->DialogChar('x'));
    EXPECT_EQ(s.closes, (std::vector<bool>{true, false, true}));
}

TEST(Calculator, AKeyClickedWithTheMouseAndAPressOutside) {
    ShownCalculator s;
    ASSERT_EQ(GetCapture(), s.calc->WindowHandle());
    TI_EditButton* seven = s.calc->Buttons().FindByName("$BT_7");
    RECT w;
    GetWindowRect(s.calc->WindowHandle(), &w);
    MouseAt(POINT{w.left + seven->Left() + 3, w.top + seven->Top() + 3});
    EXPECT_EQ(s.calc->Engine().Display(), "7");
    PumpFor(30);
    // The button gave the capture up after its click; the popup has it back.
    EXPECT_EQ(GetCapture(), s.calc->WindowHandle());
    EXPECT_TRUE(s.closes.empty());
    // A press outside closes without accepting.
    MouseAt(POINT{20, 700});
    EXPECT_EQ(s.closes, std::vector<bool>{false});
}
