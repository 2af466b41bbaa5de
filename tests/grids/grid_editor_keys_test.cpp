// The positions grid's in-place editors on a form with keys through the
// application's loop: Escape brings back the cell's text and closes no
// window (the one-line editors and the second-line memo alike), and a number
// typed into the narrow Stück column reaches the cell whole.
#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/form.h"
#include "grids/inplace_editor.h"
#include "tests/framework/user_input.h"
#include "tests/grids/grid_test_support.h"

namespace {

class GridEditorKeys : public ::testing::Test {
protected:
    void SetUp() override {
        Application()->Initialize();
        form = Create<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(10, 10, 800, 400);
        g = Create<TDataGrid>(form);
        BuildSourceGridColumns(*g);
        g->SetUseSecondLine(true);
        g->SetRowCount(4);
        for (int r = 1; r < 4; ++r) {
            g->SetCell(0, r, "d");
            g->SetCell(1, r, std::to_string(r));
            g->SetCell(2, r, "100");
            g->SetCell(4, r, "Artikel " + std::to_string(r));
            g->SetCell(-2, r, "Zweite " + std::to_string(r));
        }
        g->SetBounds(0, 0, 780, 380);
        g->SetParent(form);
        form->Show();
        Pump();
        g->SetFocus();
        Pump();
    }
    void TearDown() override {
        form->Free();
        Pump();
    }
    static void Pump() { Application()->ProcessMessages(); }
    // The editor of a cell opened by F2, its text all selected.
    TWinControl* Open(int col, int row) {
        g->HideEdit();
        g->MoveCurrent(false, col, row, true, true);
        user_input::PressKey(VK_F2);
        EXPECT_TRUE(g->EditorMode());
        IInplaceEditor* e = g->InplaceEditor();
        if (!e) return nullptr;
        EXPECT_EQ(GetFocus(), e->EditorControl().Handle());
        return &e->EditorControl();
    }
    bool GridStands() const {
        return IsWindow(g->WindowHandle()) && IsWindowVisible(g->WindowHandle()) && IsWindowVisible(form->WindowHandle());
    }

    TForm* form = nullptr;
    TDataGrid* g = nullptr;
};

}  // namespace

TEST_F(GridEditorKeys, EscapeBringsBackTheCellAndClosesNoWindow) {
    struct Case {
        int col;
        const char* typed;
        const char* cell;
    } cases[] = {{4, "Neu", "Artikel 2"}, {2, "75", "100"}};
    for (const Case& c : cases) {
        TWinControl* e = Open(c.col, 2);
        ASSERT_NE(e, nullptr);
        user_input::PressKey(VK_END);
        user_input::TypeText(c.typed);
        EXPECT_NE(g->GetCell(c.col, 2), c.cell);  // each change reaches the cell at once
        user_input::PressKey(VK_ESCAPE);
        user_input::PressKey(VK_ESCAPE);  // a second press brings nothing back
        Pump();
        ASSERT_TRUE(GridStands()) << c.col;
        EXPECT_EQ(e->GetText(), c.cell) << c.col;
        EXPECT_EQ(g->GetCell(c.col, 2), c.cell) << c.col;
        g->HideEdit();
        EXPECT_EQ(g->GetCell(c.col, 2), c.cell) << c.col;
    }
    // The second-line memo is a multi-line EDIT: Escape must not make it a
    // dialog child that closes the grid.
    g->HideEdit();
    g->SetRowHeight(1, g->DefaultRowHeight() * 2);
    g->SetSecondLineActive(true);
    g->SetSecondLineCol(4);
    g->MoveCurrent(true, 4, 1, true, false);
    g->ShowEditor();
    ASSERT_EQ(g->InplaceEditor(), static_cast<IInplaceEditor*>(g->InplaceSecondEdit()));
    TWinControl* memo = g->InplaceSecondEdit();
    ASSERT_TRUE(memo->Visible());
    ASSERT_EQ(GetFocus(), memo->Handle()) << "grid " << g->WindowHandle();
    user_input::PressKey(VK_END);
    user_input::TypeText("x");
    user_input::PressKey(VK_ESCAPE);
    Pump();
    ASSERT_TRUE(GridStands());
    EXPECT_EQ(memo->GetText(), "Zweite 1");
    EXPECT_EQ(g->GetCell(-2, 1), "Zweite 1");
}

TEST_F(GridEditorKeys, ANumberWiderThanItsColumnReachesTheCellWhole) {
    ASSERT_LT(g->ColWidths(2), 60);  // Stück: a few digits wide
    for (const char* typed : {"1250,75", "100000", "1234567,5"}) {
        TWinControl* e = Open(2, 3);
        ASSERT_NE(e, nullptr);
        user_input::TypeText(typed);  // replaces the selected text
        EXPECT_EQ(e->GetText(), typed);
        EXPECT_EQ(g->GetCell(2, 3), typed);
    }
    // A text cell narrower than what is typed.
    TWinControl* e = Open(1, 3);
    ASSERT_NE(e, nullptr);
    user_input::TypeText("Position 12 von 130");
    g->HideEdit();
    EXPECT_EQ(g->GetCell(1, 3), "Position 12 von 130");
}
