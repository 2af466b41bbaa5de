// The symbol dialog: settings clamped and written back, the grid filled and
// the window sized from them, choosing by keys and by double click through
// its modal loop (an empty cell inserts nothing), a long list kept on the
// work area, and the cell colours.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/dialogs/symbol_dialog.h"
#include "controls/flat/flat_speed_button.h"
#include "foundation/user_mode.h"
#include "framework/application.h"
#include "framework/screen.h"
#include "grids/string_grid.h"
#include "tests/foundation/test_folder.h"
#include "tests/framework/control_test_support.h"

static ::testing::Environment* const kSymbolEnv = ::testing::AddGlobalTestEnvironment(new ControlTestEnvironment);

namespace {

class SymbolDialogTest : public ::testing::Test {
protected:
    void SetUp() override { SetUserModeFolder(dir.Path()); }
    void TearDown() override { SetUserModeFolder(""); }
    TestFolder dir;
};

std::string Stored(const char* key) {
    std::string v;
    ReadUserModeString(key, "<none>", "", v, false);
    return v;
}

}  // namespace

TEST_F(SymbolDialogTest, SettingsSizeTheGridAndTheWindow) {
    struct Case {
        const char* storedCell;  // nullptr: key missing
        int cell;
        const char* chars;
        int cols, rows;
    };
    const Case cases[] = {
        {nullptr, 30, nullptr, 9, 7},
        {"10", 20, "a(bc)d", 3, 2},  // the grid keeps two rows at least
        {"80", 50, "", 9, 7},
    };
    for (const auto& c : cases) {
        TSymbolDlg* dlg = Create<TSymbolDlg>(nullptr);
        if (c.storedCell) WriteUserModeString(kSymbolCellKey, c.storedCell, "");
        if (c.chars) WriteUserModeString(kSymbolCharsKey, c.chars, "");
        dlg->LoadSymbols();
        EXPECT_EQ(dlg->Grid->DefaultColWidth(), c.cell);
        EXPECT_EQ(dlg->Grid->DefaultRowHeight(), c.cell);
        EXPECT_EQ(dlg->Grid->ColCount(), c.cols);
        EXPECT_EQ(dlg->Grid->RowCount(), c.rows);
        EXPECT_EQ(Stored(kSymbolCellKey), c.storedCell ? c.storedCell : "30");
        if (!c.chars) {
            EXPECT_EQ(Stored(kSymbolCharsKey).size(), 68u);
            EXPECT_EQ(dlg->Width(), 320);
            EXPECT_EQ(dlg->Height(), 304);
            EXPECT_EQ(dlg->Grid->Cells(7, 5), "m\xB2");
        }
        dlg->Free();
    }
    WriteUserModeString(kSymbolCharsKey, "a(bc)d", "");
    WriteUserModeString(kSymbolCellKey, "30", "");
    TSymbolDlg* dlg = Create<TSymbolDlg>(nullptr);
    dlg->LoadSymbols();
    EXPECT_EQ(dlg->Grid->Cells(1, 0), "bc");
    EXPECT_EQ(dlg->Width(), 180);  // 31 * 4 + 10 is below the least width
    EXPECT_EQ(dlg->Height(), 31 * 2 + 41 + 15);
    dlg->Free();
}

TEST_F(SymbolDialogTest, KeysAndDoubleClickChooseThroughTheModalLoop) {
    struct Input {
        UINT msg;
        WPARAM w;
        LPARAM l;
    };
    auto key = [](WORD vk) { return Input{WM_KEYDOWN, vk, 0}; };
    auto at = [](UINT msg, int x, int y) { return Input{msg, msg == WM_LBUTTONUP ? 0u : MK_LBUTTON, MAKELPARAM(x, y)}; };
    struct Case {
        const char* what;
        const char* chars;
        std::vector<Input> input;
        std::vector<std::string> inserted;
        TModalResult result;
    };
    const std::vector<Case> cases = {
        {"F3", "a(bc)d", {key(VK_RIGHT), key(VK_F3)}, {"bc"}, mrOk},
        {"Enter", "a(bc)d", {key(VK_RIGHT), key(VK_RIGHT), key(VK_RETURN)}, {"d"}, mrOk},
        {"Esc", "a(bc)d", {key(VK_RIGHT), key(VK_ESCAPE)}, {}, mrCancel},
        // An empty cell inserts nothing, but choosing it closes with OK.
        {"empty cell", "abcde", {key(VK_DOWN), key(VK_RIGHT), key(VK_RIGHT), key(VK_F3)}, {}, mrOk},
        {"double click",
         "\x80xy",
         {at(WM_LBUTTONDOWN, 15, 45), at(WM_LBUTTONUP, 15, 45), at(WM_LBUTTONDBLCLK, 15, 45), at(WM_LBUTTONUP, 15, 45)},
         {"y"},
         mrOk},
    };
    WriteUserModeString(kSymbolCellKey, "30", "");
    for (const auto& c : cases) {
        WriteUserModeString(kSymbolCharsKey, c.chars, "");
        TSymbolDlg* dlg = Create<TSymbolDlg>(nullptr);
        std::vector<std::string> inserted;
        dlg->InsertProc = [&](const std::string& t) { inserted.push_back(t); };
        const HWND grid = dlg->Grid->Handle();
        for (const auto& in : c.input) {
            PostMessageA(grid, in.msg, in.w, in.l);
            if (in.msg == WM_KEYDOWN) PostMessageA(grid, WM_KEYUP, in.w, 0xC0000000);
        }
        const TModalResult result = dlg->ShowModal();
        EXPECT_EQ(inserted, c.inserted) << c.what;
        EXPECT_EQ(result, c.result) << c.what;
        dlg->Free();
        Pump();
    }
}

TEST_F(SymbolDialogTest, FertigOnAnEmptyCellClosesWithOkAndInsertsNothing) {
    WriteUserModeString(kSymbolCharsKey, "abcde", "");
    TSymbolDlg* dlg = Create<TSymbolDlg>(nullptr);
    std::vector<std::string> inserted;
    dlg->InsertProc = [&](const std::string& t) { inserted.push_back(t); };
    dlg->LoadSymbols();
    dlg->Grid->SetCol(2);
    dlg->Grid->SetRow(1);
    ASSERT_EQ(dlg->Grid->Cells(2, 1), "");
    dlg->fok->OnClick(dlg->fok);
    EXPECT_EQ(dlg->ModalResult(), mrOk);
    EXPECT_EQ(inserted, std::vector<std::string>{});
    dlg->Free();
}

TEST_F(SymbolDialogTest, ALongCharacterListStaysOnTheWorkArea) {
    WriteUserModeString(kSymbolCellKey, "50", "");
    WriteUserModeString(kSymbolCharsKey, std::string(10000, 'x'), "");
    TSymbolDlg* dlg = Create<TSymbolDlg>(nullptr);
    dlg->Show();
    Pump();
    const RECT work = Screen()->WorkAreaRect();
    EXPECT_GE(dlg->Left(), work.left);
    EXPECT_GE(dlg->Top(), work.top);
    EXPECT_LE(dlg->Left() + dlg->Width(), work.right);
    EXPECT_LE(dlg->Top() + dlg->Height(), work.bottom);
    // The buttons are on the screen; the grid holds what the limit lets in.
    RECT button;
    GetWindowRect(dlg->fok->Parent()->Handle(), &button);
    EXPECT_LE(button.bottom, work.bottom);
    EXPECT_EQ(dlg->Grid->ColCount() * dlg->Grid->RowCount() >= 1024, true);
    EXPECT_LE(dlg->Grid->ColCount() * dlg->Grid->RowCount(), 1024 + dlg->Grid->ColCount());
    // The setting itself is kept as the user wrote it.
    std::string stored;
    ReadUserModeString(kSymbolCharsKey, "", "", stored, false);
    EXPECT_EQ(stored.size(), 10000u);
    dlg->Free();
    Pump();
}

TEST_F(SymbolDialogTest, CurrentCellIsBlueWithWhiteTextOthersWhite) {
    WriteUserModeString(kSymbolCharsKey, "\x80xy", "");
    TSymbolDlg* dlg = Create<TSymbolDlg>(nullptr);
    dlg->Show();
    Pump();
    dlg->Grid->Repaint();
    HDC dc = GetDC(dlg->Grid->Handle());
    EXPECT_EQ(GetPixel(dc, 3, 3), COLORREF(kSymbolSelectedColor));
    EXPECT_EQ(GetPixel(dc, 31 + 3, 3), RGB(255, 255, 255));
    int white = 0;
    for (int x = 1; x < 29; ++x)
        for (int y = 1; y < 29; ++y) white += GetPixel(dc, x, y) == RGB(255, 255, 255);
    EXPECT_GT(white, 10);  // the euro sign in white on blue
    ReleaseDC(dlg->Grid->Handle(), dc);
    dlg->Free();
    Pump();
}
