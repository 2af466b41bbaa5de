// The grid's mouse and keys on a real window (Xvfb), driven by messages:
// the second line, sizing and the column fit, moving rows and columns,
// the wheel, cancel mode and keys.
#include <gtest/gtest.h>

#include <numeric>

#include "grids/inplace_editor.h"
#include "grids/string_grid.h"
#include "tests/framework/user_input.h"
#include "tests/grids/grid_test_support.h"

namespace {

using grid_test::Pump;

class InputGrid : public T_StringGrid {
public:
    explicit InputGrid(TComponent* AOwner) : T_StringGrid(AOwner) {}
    void ChooseEditor(bool& Second, IInplaceEditor*& Editor, bool& Found) override {
        Editor = Second ? static_cast<IInplaceEditor*>(InplaceSecondEdit()) : InplaceChoiceEdit();
        Found = true;
    }
};

class GridInput : public ::testing::Test {
protected:
    static void SetUpTestSuite() { host_ = grid_test::MakeHostForm(600, 400); }
    static void TearDownTestSuite() { grid_test::FreeHostForm(host_); }

    void SetUp() override {
        g = Create<InputGrid>(nullptr);
        g->SetParent(host_);
        g->SetDefaultRowHeight(17);
        g->SetDefaultColWidth(60);
        g->SetRowCount(8);
        g->SetColCount(5);
        g->SetBounds(0, 0, 400, 300);
        g->SetOptions(DefaultGridOptions | goEditing | goColSizing | goRowMoving | goColMoving);
        g->Show();
        for (int r = 1; r < g->RowCount(); ++r)
            for (int c = 0; c < g->ColCount(); ++c) g->SetCell(c, r, std::to_string(c) + ":" + std::to_string(r));
        Pump();
    }
    void TearDown() override { g->Free(); }

    void Send(UINT msg, WPARAM w, int x, int y) {
        SendMessageA(g->Handle(), msg, w, MAKELPARAM(x, y));
        Pump();
    }
    void Press(int x, int y) { Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y); }
    void Move(int x, int y) { Send(WM_MOUSEMOVE, MK_LBUTTON, x, y); }
    void Release(int x, int y) { Send(WM_LBUTTONUP, 0, x, y); }
    // A key as the user presses it, to the focused grid.
    void Key(WORD key) {
        if (GetFocus() != g->Handle()) g->SetFocus();
        user_input::PressKey(key);
    }
    std::string Column(int c) {
        std::string s;
        for (int r = 1; r < g->RowCount(); ++r) s += g->GetCell(c, r) + "|";
        return s;
    }
    std::string Row(int r) {
        std::string s;
        for (int c = 0; c < g->ColCount(); ++c) s += g->GetCell(c, r) + "|";
        return s;
    }
    bool Captured() { return GetCapture() == g->Handle(); }

    static inline TForm* host_ = nullptr;
    InputGrid* g = nullptr;
};

TEST_F(GridInput, PressBelowTheFirstLineEntersTheSecondLine) {
    g->SetRowHeight(2, 25);
    const RECT r = g->CellRect(2, 2);
    Press(r.left + 5, r.top + 17);
    Release(r.left + 5, r.top + 17);
    EXPECT_FALSE(g->SecondLineActive());
    EXPECT_FALSE(g->Current().Second);
    EXPECT_EQ(g->RowHeights(2), 25);
    Press(r.left + 5, r.top + 22);
    Release(r.left + 5, r.top + 22);
    EXPECT_TRUE(g->SecondLineActive());
    EXPECT_TRUE(g->Current().Second);
    EXPECT_EQ(g->Current().X, 2);
    EXPECT_EQ(g->Current().Y, 2);
    EXPECT_EQ(g->RowHeights(2), 34);
    EXPECT_TRUE(g->InplaceSecond());
    // A key leaves the second line: the flag follows the position.
    g->HideEdit();
    Key(VK_DOWN);
    EXPECT_EQ(g->Current().Y, 3);
    EXPECT_FALSE(g->Current().Second);
    EXPECT_FALSE(g->SecondLineActive());
}

TEST_F(GridInput, WithoutEditingAPressNeitherMovesNorRaisesNorSetsTheFlag) {
    g->SetOptions(DefaultGridOptions);
    g->SetRowHeight(3, 25);
    const RECT r = g->CellRect(2, 3);
    Press(r.left + 5, r.top + 22);
    Release(r.left + 5, r.top + 22);
    EXPECT_FALSE(g->SecondLineActive());
    EXPECT_EQ(g->Current(), (TGridCoord{1, 1, false}));
    EXPECT_EQ(g->RowHeights(3), 25);
}

TEST_F(GridInput, ADroppedWideningEndsTheSizingAndChangesNothing) {
    for (int c = 2; c < 5; ++c) g->SetColWidth(c, 14);
    const RECT title = g->CellRect(1, 0);
    const int y = (title.top + title.bottom) / 2;
    Press(title.right, y);
    EXPECT_EQ(g->GridState(), TGridState::gsColSizing);
    Move(title.right + 30, y);
    Release(title.right + 30, y);
    EXPECT_EQ(g->GridState(), TGridState::gsNormal);
    EXPECT_FALSE(Captured());
    EXPECT_EQ(g->ColWidths(1), 60);
    EXPECT_EQ(g->ColWidths(2), 14);
    // A later move draws no line and changes nothing.
    Send(WM_MOUSEMOVE, 0, title.right + 40, y);
    EXPECT_EQ(g->GridState(), TGridState::gsNormal);
}

TEST_F(GridInput, WideningAColumnFitsTheFollowingOnesToTheClient) {
    const RECT title = g->CellRect(1, 0);
    const int y = (title.top + title.bottom) / 2;
    Press(title.right, y);
    Move(title.right + 50, y);
    Release(title.right + 50, y);
    EXPECT_EQ(g->ColWidths(1), 110);
    int total = 0;
    for (int c = 0; c < g->ColCount(); ++c) {
        total += g->ColWidths(c) + g->GridLineWidth();
        if (c > 1) {
            EXPECT_GE(g->ColWidths(c), 15);
        }
    }
    // Room is kept for a vertical bar that is not shown yet.
    const bool bar = (GetWindowLongA(g->Handle(), GWL_STYLE) & WS_VSCROLL) != 0;
    EXPECT_NEAR(total, g->ClientWidth() - (bar ? 0 : GetSystemMetrics(SM_CXVSCROLL)), 1);
}

TEST_F(GridInput, RowMovesCarryCellsAndHeightAndAgreeWithTheMarkers) {
    g->SetRowHeight(2, 30);
    const int imageLists = ImageListLiveHandles();
    const std::string row2 = Row(2), row4 = Row(4);
    RECT from = g->CellRect(0, 2), to = g->CellRect(0, 4);
    // Released on itself: nothing moves.
    Press(from.left + 3, from.top + 3);
    EXPECT_EQ(g->MoveKind(), TGridMoveKind::mkRow);
    Release(from.left + 3, from.top + 4);
    EXPECT_EQ(g->MoveKind(), TGridMoveKind::mkNone);
    EXPECT_EQ(Row(2), row2);
    // Escape cancels.
    Press(from.left + 3, from.top + 3);
    Move(to.left + 3, to.top + 3);
    Key(VK_ESCAPE);
    EXPECT_EQ(g->MoveKind(), TGridMoveKind::mkNone);
    EXPECT_FALSE(Captured());
    EXPECT_FALSE(g->DragImageDragging());
    Release(to.left + 3, to.top + 3);
    EXPECT_EQ(Row(2), row2);
    EXPECT_EQ(Row(4), row4);
    // A drop on row 4: the marker's target is the drop position.
    Press(from.left + 3, from.top + 3);
    Move(to.left + 3, to.top + 3);
    EXPECT_EQ(g->MovePos(), 4);
    EXPECT_EQ(g->DropInfo().TargetIndex, 4);
    EXPECT_TRUE(g->DropInfo().MarkersShown);
    Release(to.left + 3, to.top + 3);
    EXPECT_FALSE(g->DropInfo().MarkersShown);
    EXPECT_EQ(Row(4), row2);
    EXPECT_EQ(Row(3), row4);
    EXPECT_EQ(g->RowHeights(4), 30);
    EXPECT_EQ(g->Row(), 4);
    // The drag pictures went with their moves.
    EXPECT_FALSE(g->DragImageDragging());
    EXPECT_EQ(ImageListLiveHandles(), imageLists);
}

TEST_F(GridInput, ColumnMovesAndCancelMode) {
    const std::string col1 = Column(1), col3 = Column(3);
    RECT from = g->CellRect(1, 0), to = g->CellRect(3, 0);
    Press(from.left + 5, from.top + 5);
    EXPECT_EQ(g->MoveKind(), TGridMoveKind::mkColumn);
    Move(to.left + 5, to.top + 5);
    EXPECT_EQ(g->DropInfo().TargetIndex, 3);
    // Capture taken away: the move ends without a drop.
    SendMessageA(g->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_EQ(g->MoveKind(), TGridMoveKind::mkNone);
    EXPECT_EQ(Column(1), col1);
    Press(from.left + 5, from.top + 5);
    Move(to.left + 5, to.top + 5);
    Release(to.left + 5, to.top + 5);
    EXPECT_EQ(Column(3), col1);
    EXPECT_EQ(Column(2), col3);
}

TEST_F(GridInput, WheelAndKeysMoveTheCurrentCell) {
    SendMessageA(g->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(50, 50));
    Pump();
    EXPECT_EQ(g->Row(), 2);
    SendMessageA(g->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(50, 50));
    Pump();
    EXPECT_EQ(g->Row(), 1);
    g->HideEdit();
    g->MoveCurrent(false, 4, 7, true, true);
    // Tab is the grid's with goTabs; without, it moves the form's focus.
    g->SetOptions(g->Options() | goTabs);
    Key(VK_TAB);
    EXPECT_EQ(g->Current(), (TGridCoord{1, 1, false}));
    Key(VK_RETURN);
    EXPECT_EQ(g->Col(), 2);
    Key(VK_END);
    EXPECT_EQ(g->Col(), 4);
    const int cellRows = g->VisibleRowCount();
    Key(VK_NEXT);
    EXPECT_EQ(g->Row(), std::min(1 + cellRows, 7));
}

TEST_F(GridInput, RowSizingFollowsTheRowHeightRule) {
    g->SetOptions(g->Options() | goRowSizing);
    const RECT r = g->CellRect(0, 2);
    Press(5, r.bottom);
    EXPECT_EQ(g->GridState(), TGridState::gsRowSizing);
    Move(5, r.bottom + 500);
    Release(5, r.bottom + 500);
    EXPECT_EQ(g->RowHeights(2), 300);
    Press(5, g->CellRect(0, 2).bottom);
    Move(5, g->CellRect(0, 2).top + 3);
    Release(5, g->CellRect(0, 2).top + 3);
    EXPECT_EQ(g->RowHeights(2), 17);
    EXPECT_EQ(g->GridState(), TGridState::gsNormal);
}

}  // namespace
