// The input box's field with real keys: Tab moves the focus on and types no
// tab character, so the answer is what the user typed.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "controls/dialogs/message_box.h"
#include "controls/flat/flat_button.h"
#include "editors/edits/combo_box.h"
#include "framework/application.h"

namespace {

void PumpRounds(int rounds) {
    for (int i = 0; i < rounds; ++i, Sleep(10)) Application()->ProcessMessages();
}

// Presses and releases each key through the system, the loop running between.
void PressKeys(const std::vector<WORD>& keys) {
    for (WORD k : keys) {
        INPUT in[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
        in[0].ki.wVk = in[1].ki.wVk = k;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        PumpRounds(8);
    }
}

}  // namespace

TEST(InputBoxKeys, TabLeavesTheFieldWithoutATabAndEnterGivesTheTypedText) {
    Application()->Initialize();
    SetCursorPos(1, 1);
    std::string textAfterTab;
    bool fieldLeft = false;
    SetBoxShownHook([&](TFSB_BOX* box) {
        PumpRounds(3);
        PressKeys({'B', 'A', 'S', 'E', 'L', VK_TAB});
        textAfterTab = box->FINPE->GetText();
        fieldLeft = GetFocus() != box->FINPE->Handle();
        // Back into the field, Enter answers.
        box->FINPE->SetFocus();
        PumpRounds(2);
        PressKeys({VK_END, VK_RETURN});
        if (box->ModalResult() == mrNone) {
            ADD_FAILURE() << "still open";
            box->SetModalResult(mrAbort);
        }
    });
    const std::optional<std::string> answer = ShowInput("Ort?", {"Bern", "Basel"});
    SetBoxShownHook(nullptr);
    EXPECT_TRUE(fieldLeft) << "Tab stayed in the field";
    EXPECT_EQ(textAfterTab, "Basel");  // completed from the items
    EXPECT_EQ(answer, std::optional<std::string>("Basel"));
}
