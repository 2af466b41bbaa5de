// The message box's input variant shown for real: keys typed through the
// system into its field and list, the answer it gives, its layout, the
// list's row colours, and that only the input box makes the field.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "controls/dialogs/message_box.h"
#include "controls/flat/flat_button.h"
#include "controls/flat/flat_panel.h"
#include "controls/html/html_label.h"
#include "editors/edits/combo_box.h"
#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/list_box.h"
#include "framework/std_controls.h"

namespace {

class InputBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application()->Initialize();
        Application()->SetTitle("Ordivo");
    }
    void TearDown() override {
        SetBoxShownHook(nullptr);
        Application()->ProcessMessages();
    }
};

void PumpRounds(int rounds) {
    for (int i = 0; i < rounds; ++i, Sleep(10)) Application()->ProcessMessages();
}

// Presses and releases each key through the system, the loop running between.
void Press(const std::vector<WORD>& keys) {
    for (WORD k : keys) {
        INPUT in[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
        in[0].ki.wVk = in[1].ki.wVk = k;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        PumpRounds(8);
    }
}

const std::vector<std::string> kItems{"eins", "zwei", "drei"};

// The list follows the mouse: the cursor goes where no list opens.
void ParkMouse() {
    SetCursorPos(1, 1);
    PumpRounds(3);
}

}  // namespace

TEST_F(InputBoxTest, KeysGiveTheTypedOrChosenTextOrNothing) {
    struct {
        const char* what;
        bool cancelHidden;
        std::vector<WORD> keys;
        std::optional<std::string> answer;
    } cases[] = {
        {"typed, Enter", false, {'A', 'B', VK_RETURN}, "ab"},
        {"second item by arrows", false, {VK_F2, VK_DOWN, VK_DOWN, VK_RETURN, VK_RETURN}, "zwei"},
        {"typed, Escape", false, {'X', 'Y', VK_ESCAPE}, std::nullopt},
        {"Escape closes the list, a second one the box", false, {VK_F2, VK_ESCAPE, VK_ESCAPE}, std::nullopt},
        {"Escape without Abbrechen", true, {'Q', VK_ESCAPE}, "q"},
    };
    for (const auto& c : cases) {
        SetBoxShownHook([&](TFSB_BOX* box) {
            ParkMouse();
            if (c.cancelHidden) box->FB_ICANCEL->Hide();
            EXPECT_EQ(GetFocus(), box->FINPE->Handle()) << c.what;
            Press(c.keys);
            if (box->ModalResult() == mrNone) {
                ADD_FAILURE() << c.what << ": still open";
                box->SetModalResult(mrAbort);
            }
        });
        EXPECT_EQ(ShowInput("Name?", kItems), c.answer) << c.what;
    }
}

TEST_F(InputBoxTest, WhileTheListIsOpenEnterAndEscapeBelongToIt) {
    // Also when "Abbrechen" is hidden, where Escape would answer with the text.
    for (const bool cancelHidden : {false, true}) {
        SetBoxShownHook([cancelHidden](TFSB_BOX* box) {
            ParkMouse();
            if (cancelHidden) box->FB_ICANCEL->Hide();
            Press({VK_F2, VK_ESCAPE});
            EXPECT_EQ(box->ModalResult(), mrNone) << "Escape over the open list closed the box";
            if (box->ModalResult() != mrNone) return;
            Press({VK_F2});
            ASSERT_TRUE(box->FINPE->IsDroppedDown());
            Press({VK_DOWN, VK_RETURN});  // takes "eins", the box stays
            EXPECT_EQ(box->ModalResult(), mrNone);
            EXPECT_FALSE(box->FINPE->IsDroppedDown());
            EXPECT_EQ(box->FINPE->GetText(), "eins");
            Press({VK_F2, VK_ESCAPE});  // closes the list only
            EXPECT_EQ(box->ModalResult(), mrNone);
            EXPECT_FALSE(box->FINPE->IsDroppedDown());
            box->SetModalResult(mrCancel);
        });
        EXPECT_EQ(ShowInput("Text", kItems), std::nullopt) << cancelHidden;
    }
}

TEST_F(InputBoxTest, LayoutAndTheFieldOnlyInTheInputBox) {
    SetBoxShownHook([](TFSB_BOX* box) {
        EXPECT_TRUE(box->Pinput->Visible());
        EXPECT_EQ(box->FlatPanel1->Height(), box->FINPE->Height() + 4);
        EXPECT_EQ(box->ClientHeight(), box->MessageLabel()->Height() + 70);
        EXPECT_EQ(box->FINPE->EmptyText(), "Eingabe");
        EXPECT_EQ(box->FINPE->DrawStyle(), fsFlat);
        EXPECT_EQ(box->FINPE->ItemHeight(), 19);
        EXPECT_EQ(box->Label1->Caption(), "Eingabe:");
        EXPECT_EQ(box->Label1->Font().Name(), "Arial");
        box->SetModalResult(mrCancel);
    });
    ShowInput("Text", kItems, "vorher");
    SetBoxShownHook([](TFSB_BOX* box) {
        EXPECT_EQ(box->FINPE, nullptr);
        EXPECT_EQ(box->Label1, nullptr);
        box->SetModalResult(mrCancel);
    });
    ShowQuestion("Frage");
}

TEST_F(InputBoxTest, ListRowsAlternateFromTheSecondRowAndTheSelectedRowIsHighlighted) {
    TFSB_BOX* box = CreateMessageBox();
    PrepareInputBox(box, "Text", kItems);
    auto* list = Create<TCustomListBox>(nullptr);
    for (const std::string& s : kItems) list->Items().Add(s);
    TBitmap bmp(60, 19);
    list->Canvas().SetHandle(bmp.DC());
    const RECT row{0, 0, 60, 19};
    auto cornerOf = [&](int index, unsigned state) {
        box->FINPEDrawItem(list, index, row, state);
        GdiFlush();
        return bmp.Pixel(0, 0);
    };
    EXPECT_EQ(cornerOf(0, 0), static_cast<TColor>(0xFFFFFF));
    EXPECT_EQ(cornerOf(1, 0), static_cast<TColor>(0xBCF5FE));
    EXPECT_EQ(cornerOf(2, 0), static_cast<TColor>(0xFFFFFF));
    EXPECT_EQ(cornerOf(1, ODS_SELECTED), static_cast<TColor>(ColorToRGB(clHighlight)));
    list->Canvas().SetHandle(nullptr);
    list->Free();
    box->Free();
}
