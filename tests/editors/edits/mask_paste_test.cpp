// A paste into a masked one-line edit: line breaks never reach the mask's
// positions, even where a position takes any character.
#include <gtest/gtest.h>

#include "editors/edits/choice_edit.h"
#include "framework/clipboard.h"
#include "tests/editors/edits/edits_test_support.h"
#include "tests/framework/user_input.h"

namespace {
// Empties the clipboard when the test ends: the next program finds it as
// it was before.
struct ClipboardEmptiedAfter {
    ~ClipboardEmptiedAfter() {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
    }
};
}  // namespace

TEST(MaskPaste, PastedLineBreaksAreDropped) {
    ClipboardEmptiedAfter clean;
    TwoEdits<TI_ChoiceEdit> f;
    TI_ChoiceEdit& e = *f.first;
    e.SetEditMask("C{8}");
    ASSERT_TRUE(e.IsMasked());
    e.SetText("");
    ASSERT_TRUE(SetClipboardText("ab\r\ncd\r\n"));
    user_input::PressKey('V', user_input::kCtrl);
    EXPECT_EQ(e.GetText().substr(0, 4), "abcd");
    EXPECT_EQ(e.GetText().find_first_of("\r\n"), std::string::npos);
}
