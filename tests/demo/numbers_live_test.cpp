// The number fields of the edit-popups page used live: whole numbers beyond
// 32 bits typed into the pocket calculator are computed as shown, and its
// result goes into the field as that number.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/demo/live_driver.h"

using namespace live;

namespace {

HWND EditShowing(HWND under, const std::string& text) {
    std::pair<std::string, HWND> find{text, nullptr};
    EnumChildWindows(
        under,
        [](HWND h, LPARAM lp) {
            auto* f = reinterpret_cast<std::pair<std::string, HWND>*>(lp);
            const std::string cls = ClassName(h);
            if (cls != "Edit" && cls != "EDIT") return TRUE;
            if (AskedText(h) != f->first) return TRUE;
            f->second = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.second;
}

}  // namespace

TEST(NumbersLive, CalculatorComputesBeyond32BitsAndOKPutsTheNumberIntoTheField) {
    Gallery g("edit-popups");
    ASSERT_TRUE(g.Started());
    // The currency field ("Preis"), which holds any amount of two decimals.
    HWND edit = EditShowing(g.Main(), "19,99");
    ASSERT_NE(edit, nullptr);
    Click(edit, 10, ClientHeight(edit) / 2);
    ASSERT_TRUE(WaitFor([&] { return g.Focus() == edit; }));
    Key(VK_F2);
    ASSERT_TRUE(WaitFor([&] { return g.Popups().size() == 1; })) << "no calculator";
    // "3000000000+1=": "+" from the keypad, "=" from its key on the (US)
    // layout of the test display.
    for (char c : std::string("3000000000")) Key(static_cast<WORD>(c));
    Key(VK_ADD);
    Key('1');
    Key(VK_OEM_PLUS);
    EXPECT_EQ(AskedText(edit), "19,99");
    Key(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return AskedText(edit) == "3000000001,00"; })) << AskedText(edit);
    EXPECT_TRUE(WaitFor([&] { return g.Popups().empty(); })) << "the calculator stayed";
    EXPECT_EQ(g.Focus(), edit);
    // Opened again, the calculator starts from the field's number: doubled,
    // it is 6000000002.
    Key(VK_F2);
    ASSERT_TRUE(WaitFor([&] { return g.Popups().size() == 1; })) << "no calculator";
    Key(VK_MULTIPLY);
    Key('2');
    Key(VK_OEM_PLUS);
    Key(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return AskedText(edit) == "6000000002,00"; })) << AskedText(edit);
    // Leaving keeps the number: the field's check takes it.
    Key(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return g.Focus() != edit; }));
    EXPECT_EQ(AskedText(edit), "6000000002,00");
    EXPECT_TRUE(g.Close()) << "the gallery did not end cleanly, exit code " << g.ExitCode();
    MoveMouse(POINT{1, 1});
}
