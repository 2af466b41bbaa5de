// The edits page's form fields used live: a text selected with the keyboard
// and dragged with the mouse onto another field lands there only when
// typing could have put it there.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/demo/live_driver.h"

using namespace live;

namespace {

class FormEditsLive : public ::testing::Test {
protected:
    void SetUp() override {
        gallery_ = std::make_unique<Gallery>("edits");
        ASSERT_TRUE(gallery_->Started());
    }
    void TearDown() override {
        if (gallery_) {
            EXPECT_TRUE(gallery_->Close()) << "exit code " << gallery_->ExitCode();
        }
        MoveMouse(POINT{1, 1});
    }
    Gallery& G() { return *gallery_; }

private:
    std::unique_ptr<Gallery> gallery_;
};

// A click at the start of the field's first line, then Shift+End (and, for
// two lines, Shift+Down first): the text selected as a user selects it.
void SelectFromStart(HWND field, bool twoLines) {
    Sleep(GetDoubleClickTime() + 50);  // no double click with the click before
    Click(field, 3, 6);
    if (twoLines) Key(VK_DOWN, true);
    Key(VK_END, true);
    Sleep(100);
}

// Presses on the selection's start, moves past the drag threshold and on
// to the target, and lets go there.
void DragSelection(HWND from, HWND to) {
    MoveMouse(from, 6, 6);
    LeftDown();
    MoveMouse(from, 20, 16);
    MoveMouse(from, 40, 20);
    MoveMouse(to, 30, 8);
    Sleep(150);
    MoveMouse(to, 32, 9);
    Sleep(150);
    LeftUp();
    Sleep(200);
}

}  // namespace

TEST_F(FormEditsLive, ADraggedTextOverTheFieldsLimitOrWithALineBreakIsRefused) {
    HWND phone = G().Child("0621 123456");
    HWND note = G().Child("Hinterhaus\r\n2. Stock");
    HWND readOnly = G().Child("nur lesen (Enter springt darüber)");
    ASSERT_TRUE(phone && note && readOnly);
    // The first-name field stands left of the read-only one, on its row.
    const POINT left = ScreenPoint(readOnly, -150, 8);
    HWND firstName = WindowFromPoint(left);
    ASSERT_TRUE(firstName && firstName != readOnly && ClassName(firstName) == ClassName(phone));
    ASSERT_EQ(AskedText(firstName), "");

    // Two lines onto a one-line field: refused.
    SelectFromStart(note, true);
    DragSelection(note, firstName);
    EXPECT_EQ(AskedText(firstName), "");
    // 33 characters onto the phone number (at most 15): refused.
    SelectFromStart(readOnly, false);
    DragSelection(readOnly, phone);
    EXPECT_EQ(AskedText(phone), "0621 123456");
    // What the field can take lands: the phone number onto the first name.
    SelectFromStart(phone, false);
    DragSelection(phone, firstName);
    EXPECT_EQ(AskedText(firstName), "0621 123456");
    EXPECT_EQ(AskedText(note), "Hinterhaus\r\n2. Stock");
}
