// The editor life cycle on a real window (Xvfb): typed characters, change
// notifications, closing, re-placing, the rule that a hidden grid never
// opens an editor, and the real editors behind the interface.
#include "grids/inplace_editor.h"

#include <gtest/gtest.h>

#include "editors/popups/calculator.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/format_settings.h"
#include "framework/streams.h"
#include "grids/data_grid.h"
#include "grids/string_grid.h"
#include "tests/framework/user_input.h"
#include "tests/grids/grid_test_support.h"

namespace {

class EditGrid : public T_StringGrid {
public:
    explicit EditGrid(TComponent* AOwner) : T_StringGrid(AOwner) {}
    std::vector<std::string> log;
    IInplaceEditor* use = nullptr;  // the editor of the first line (default: the choice editor)

    void ChooseEditor(bool& Second, IInplaceEditor*& Editor, bool& Found) override {
        Editor = Second ? static_cast<IInplaceEditor*>(InplaceSecondEdit()) : use ? use : InplaceChoiceEdit();
        Found = true;
    }
    void BeforeSetCell(int ACol, int ARow, std::string& Value) override {
        log.push_back("BeforeSetCell " + std::to_string(ACol) + "," + std::to_string(ARow) + " stored=" + GetCell(ACol, ARow));
        (void)Value;
    }
    void AfterCellWrite(int ACol, int ARow, const std::string& FieldName) override {
        log.push_back("AfterCellWrite " + std::to_string(ACol) + "," + std::to_string(ARow) + " stored=" + GetCell(ACol, ARow));
        T_StringGrid::AfterCellWrite(ACol, ARow, FieldName);
    }
};

class EditorLifeCycle : public ::testing::Test {
protected:
    // One plain top-level host for the suite: mapping a window is slow under Wine.
    static void SetUpTestSuite() { host_ = grid_test::MakeHostForm(600, 400); }
    static void TearDownTestSuite() { grid_test::FreeHostForm(host_); }

    void SetUp() override {
        grid = Create<EditGrid>(nullptr);
        grid->SetParent(host_);
        grid->SetBounds(0, 0, 500, 300);
        grid->SetOptions(DefaultGridOptions | goEditing);
        grid->Show();
        Pump();
        grid->OnAfterCellInput = [this](TObject*) { grid->log.push_back("OnAfterCellInput"); };
        grid->OnAfterCellEdit = [this](TObject*, int c, int r, const std::string& f, bool eq) {
            grid->log.push_back("OnAfterCellEdit " + std::to_string(c) + "," + std::to_string(r) + " [" + f + "] " +
                                (eq ? "Equal" : "Changed"));
        };
    }
    void TearDown() override { grid->Free(); }
    TWinControl& Editor() { return *grid->InplaceChoiceEdit(); }
    // A character as the user types it: to the grid, or to its editor once
    // that has the focus.
    void Type(char c) {
        if (GetFocus() != grid->Handle() && !IsChild(grid->Handle(), GetFocus())) grid->SetFocus();
        user_input::TypeText(std::string(1, c));
    }

    static inline TForm* host_ = nullptr;
    EditGrid* grid = nullptr;
};

TEST_F(EditorLifeCycle, TypedCharacterWritesTheCellInHookOrder) {
    ASSERT_TRUE(grid->HandleAllocated());
    ASSERT_TRUE(grid->CanEditShow());
    Type('x');
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->GetCell(1, 1), "x");
    EXPECT_EQ(grid->log, (std::vector<std::string>{"BeforeSetCell 1,1 stored=", "AfterCellWrite 1,1 stored=x",
                                                    "OnAfterCellInput"}));
    // Characters from 128 up are CP1252 bytes.
    grid->log.clear();
    Type('\xE4');
    EXPECT_EQ(grid->GetCell(1, 1), "x\xE4");

    grid->log.clear();
    grid->HideEdit();
    EXPECT_EQ(grid->log, (std::vector<std::string>{"OnAfterCellEdit 1,1 [] Equal"}));
    EXPECT_FALSE(Editor().Visible());
    EXPECT_EQ(Editor().Left(), -1000);

    // A later mouse press closes "no editor".
    grid->log.clear();
    SendMessageA(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 100));
    SendMessageA(grid->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 100));
    Pump();
    EXPECT_EQ(grid->log, (std::vector<std::string>{"OnAfterCellEdit -1,-1 [] Equal"}));
}

// Opening loads the text without input; an open editor follows height
// changes and code writes, a closed one stays closed.
TEST_F(EditorLifeCycle, OpeningPlacingAndRefreshing) {
    grid->SetCell(1, 1, "abc");
    grid->log.clear();
    grid->ShowEditor();
    grid->SetRowHeight(0, 50);
    Pump();
    ASSERT_TRUE(grid->EditorMode());
    EXPECT_EQ(Editor().GetText(), "abc");
    EXPECT_TRUE(grid->log.empty());
    EXPECT_EQ((std::vector<int>{Editor().Left(), Editor().Top(), Editor().Height()}),
              (std::vector<int>{grid->CellRect(1, 1).left, grid->CellRect(1, 1).top, grid->DefaultRowHeight()}));
    grid->SetCell(1, 1, "new");
    Pump();
    EXPECT_EQ(Editor().GetText(), "new");
    grid->HideEdit();
    EXPECT_EQ(grid->GetCell(1, 1), "new");
    grid->SetRowHeight(1, 60);
    grid->SetColWidth(1, 90);
    Pump();
    EXPECT_FALSE(Editor().Visible());
    EXPECT_EQ(Editor().Left(), -1000);
}

TEST_F(EditorLifeCycle, InplaceCommandRunsTheWriteBack) {
    grid->ShowEditor();
    grid->log.clear();
    SetWindowTextA(Editor().Handle(), "typed");
    Pump();
    EXPECT_EQ(grid->GetCell(1, 1), "typed");
    EXPECT_EQ(std::count(grid->log.begin(), grid->log.end(), "OnAfterCellInput"), 1);
    grid->InplaceChoiceEdit()->NotifyGridOfChange();
    EXPECT_EQ(std::count(grid->log.begin(), grid->log.end(), "OnAfterCellInput"), 2);
    // A command from a window that is not the open editor is not input.
    SendMessageA(grid->Handle(), WM_COMMAND, MAKEWPARAM(ID_INPLACE_EDITOR_COMMAND, 0),
                 reinterpret_cast<LPARAM>(grid->InplaceFloatEdit()->Handle()));
    EXPECT_EQ(std::count(grid->log.begin(), grid->log.end(), "OnAfterCellInput"), 2);
}

TEST_F(EditorLifeCycle, HideEditSurvivesHandlersThatReenter) {
    int closes = 0;
    grid->OnAfterCellEdit = [&](TObject*, int, int, const std::string&, bool) {
        ++closes;
        grid->HideEdit();
        grid->SetCell(1, 1, "from handler");
        grid->MoveCurrent(false, 2, 2, true, false);
    };
    grid->ShowEditor();
    grid->HideEdit();
    Pump();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->InplaceCol(), -1);
    EXPECT_FALSE(Editor().Visible());
    EXPECT_EQ(grid->GetCell(1, 1), "from handler");
    EXPECT_EQ(grid->Current(), (TGridCoord{2, 2, false}));
}

TEST_F(EditorLifeCycle, EmptiedSecondLineGoesBackToItsCell) {
    grid->SetUseSecondLine(true);
    grid->SetDefaultRowHeight(17);
    grid->SetCell(-2, 1, "memo");
    grid->SetRowHeight(1, 34);
    grid->SetSecondLineActive(true);
    grid->SetSecondLineCol(2);
    grid->MoveCurrent(true, 1, 1, true, false);
    grid->ShowEditor();
    ASSERT_EQ(grid->InplaceEditor(), static_cast<IInplaceEditor*>(grid->InplaceSecondEdit()));
    EXPECT_TRUE(grid->InplaceSecond());
    EXPECT_EQ(grid->InplaceSecondEdit()->GetText(), "memo");
    SetWindowTextA(grid->InplaceSecondEdit()->Handle(), "");
    grid->InplaceSecondEdit()->NotifyGridOfChange();
    Pump();
    EXPECT_EQ(grid->GetCell(-2, 1), "");
    EXPECT_FALSE(grid->SecondLineActive());
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->InplaceEditor(), static_cast<IInplaceEditor*>(grid->InplaceChoiceEdit()));
    EXPECT_FALSE(grid->InplaceSecondEdit()->Visible());
}

TEST_F(EditorLifeCycle, AHiddenOrWindowlessGridOpensNothing) {
    grid->Hide();
    Pump();
    grid->ShowEditor();
    EXPECT_FALSE(grid->EditorMode());

    auto* g = Create<EditGrid>(nullptr);
    g->SetOptions(DefaultGridOptions | goEditing | goAlwaysShowEditor);
    g->ShowEditor();
    char key = 'a';
    g->KeyPress(key);
    g->SetCell(1, 1, "y");
    EXPECT_EQ(g->InplaceEditor(), nullptr);
    EXPECT_FALSE(g->HandleAllocated());
    g->Free();
}

TEST_F(EditorLifeCycle, ScrollingBeyondSixteenBits) {
    grid->SetRowCount(100000);
    grid->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(grid->TopRow(), 100000 - grid->VisibleRowCount());
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(grid->Handle(), SB_VERT, &si);
    EXPECT_EQ(si.nPos, grid->TopRow() - grid->FixedRows());
    EXPECT_GT(si.nPos, 65535);
    grid->Perform(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(grid->TopRow(), 100000 - grid->VisibleRowCount() - 1);
    grid->Perform(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(grid->TopRow(), 1);
}

class EditDataGrid : public TDataGrid {
public:
    explicit EditDataGrid(TComponent* AOwner) : TDataGrid(AOwner) {}
    void ChooseEditor(bool& Second, IInplaceEditor*& Editor, bool& Found) override {
        (void)Second;
        Editor = InplaceChoiceEdit();
        Found = true;
    }
};

// A load closes the editor and forgets it: later closings report nothing.
TEST_F(EditorLifeCycle, ALoadDropsTheGridsEditor) {
    auto* d = Create<EditDataGrid>(nullptr);
    d->SetParent(host_);
    d->SetBounds(0, 0, 400, 200);
    d->Show();
    Pump();
    d->ShowEditor();
    ASSERT_TRUE(d->EditorMode());
    TStringStream in("");
    EXPECT_TRUE(d->LoadFromStream(in));
    EXPECT_EQ(d->InplaceEditor(), nullptr);
    EXPECT_FALSE(d->InplaceChoiceEdit()->Visible());
    d->Free();
}

}  // namespace

// The editors are the library's edits: the combo completes typed text from
// its pick list and the completed text reaches the cell; the lookup editor
// carries its ellipsis button; line breaks never reach a first-line cell.
TEST_F(EditorLifeCycle, TheRealEditorsWriteWhatTheyMakeOfTheInputIntoTheCell) {
    TI_InplaceComboEdit* combo = grid->InplaceComboEdit();
    combo->Items().Add("Mannheim");
    combo->Items().Add("Mainz");
    grid->use = combo;
    grid->SetFocus();
    grid->ShowEditor();
    Pump();
    ASSERT_TRUE(grid->EditorMode());
    ASSERT_EQ(GetFocus(), combo->Handle());
    user_input::TypeText("man");
    EXPECT_EQ(grid->GetCell(1, 1), "Mannheim");
    EXPECT_EQ(combo->ItemIndex(), 0);
    grid->HideEdit();
    EXPECT_EQ(combo->Left(), -1000);

    EXPECT_EQ(grid->InplaceGridEdit()->GetButtonWidth(), 16);
    EXPECT_EQ(grid->InplaceGridEdit()->ButtonChoiceStyle(), btsEllipsis);
    EXPECT_EQ(grid->InplaceChoiceEdit()->GetButtonWidth(), 0);

    grid->use = nullptr;
    grid->SetCell(1, 1, "ab");
    grid->ShowEditor();
    Pump();
    TI_InplaceChoiceEdit* plain = grid->InplaceChoiceEdit();
    plain->MoveCaretToEnd();
    ASSERT_EQ(GetFocus(), plain->Handle());
    user_input::TypeText("\n");  // the character of Ctrl+Enter
    EXPECT_EQ(grid->GetCell(1, 1), "ab");
    EXPECT_TRUE(grid->InplaceSecondEdit()->MultiLine());
}

// The number editor is the float edit behind the same interface: the grid
// sets kind, places and button, the editor's rules decide what a typed key
// does, and what it makes of the input (also the calculator's result)
// reaches the cell.
namespace {

class TNumberGridForm : public TForm {
public:
    explicit TNumberGridForm(TComponent* AOwner) : TForm(AOwner) {}
};

struct NumberGrid {
    TNumberGridForm* form = nullptr;
    EditGrid* grid = nullptr;
    TI_InplaceFloatEdit* number = nullptr;

    NumberGrid(TEditDataType_ kind, int precision, int digits, bool button) {
        InitFormatSettings();
        form = Create<TNumberGridForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(20, 20, 520, 320);
        grid = Create<EditGrid>(form);
        grid->SetBounds(0, 0, 500, 300);
        grid->SetOptions(DefaultGridOptions | goEditing);
        grid->SetParent(form);
        number = grid->InplaceFloatEdit();
        // The order the positions grid uses.
        number->DataType().SetKind(kind);
        number->DataType().SetPrecision(precision);
        number->DataType().SetDigits(digits);
        number->SetButtonExist(button);
        grid->use = number;
        form->Show();
        Application()->ProcessMessages();
        grid->SetFocus();
        Application()->ProcessMessages();
    }
    ~NumberGrid() {
        form->Free();
        Application()->ProcessMessages();
    }
    // Typed to the grid, then to the editor the first character opened.
    void Type(const std::string& s) { user_input::TypeText(s); }
};

}  // namespace

TEST(NumberEditor, TypedKeysFollowTheColumnsKindAndReachTheCell) {
    struct Case {
        TEditDataType_ kind;
        int precision, digits;
        const char* typed;
        const char* cell;
        double value;
    } cases[] = {
        {deFloat, 2, 8, "12a,5", "12,5", 12.5},
        {deInteger, 0, 3, "1-2,x3", "123", 123},
        {deCurrency, 0, 10, "-4,2x5", "-4,25", -4.25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        NumberGrid g(c.kind, c.precision, c.digits, false);
        g.Type(c.typed);
        ASSERT_EQ(g.grid->InplaceEditor(), static_cast<IInplaceEditor*>(g.number));
        EXPECT_EQ(g.grid->GetCell(1, 1), c.cell);
        EXPECT_EQ(g.number->Value(), c.value);
        EXPECT_EQ(g.number->GetButtonWidth(), 0);
        EXPECT_EQ(g.number->Alignment(), taRightJustify);
    }
}

TEST(NumberEditor, TheCalculatorsResultIsWrittenIntoTheCell) {
    NumberGrid g(deFloat, 2, 8, true);
    g.Type("12,5");
    EXPECT_GT(g.number->GetButtonWidth(), 0);
    EXPECT_EQ(g.number->ButtonStyle(), esDropDown);
    g.number->DropDown();
    ASSERT_NE(g.number->Calculator(), nullptr);
    ASSERT_EQ(GetFocus(), g.number->Handle());
    user_input::TypeText("*2=");
    g.number->Calculator()->Press(ckOK);
    Application()->ProcessMessages();
    EXPECT_EQ(g.number->Calculator(), nullptr);
    EXPECT_EQ(g.number->GetText(), "25,00");
    EXPECT_EQ(g.grid->GetCell(1, 1), "25,00");
    g.grid->HideEdit();
    EXPECT_EQ(g.grid->GetCell(1, 1), "25,00");
}

// A text the float edit would refuse on leaving (four digits of three)
// is the cell's already: closing the editor hands the focus to the grid,
// shows no bubble and leaves no focused editor behind.
TEST(NumberEditor, ClosingNeverKeepsTheFocusInTheHiddenEditor) {
    NumberGrid g(deInteger, 0, 3, false);
    g.Type("1234");
    ASSERT_TRUE(g.number->Focused());
    EXPECT_EQ(g.grid->GetCell(1, 1), "1234");
    g.grid->HideEdit();
    Application()->ProcessMessages();
    EXPECT_TRUE(g.grid->Focused());
    EXPECT_FALSE(g.number->Visible());
    EXPECT_EQ(TI_CustomEdit::SharedBubble(), nullptr);
    EXPECT_EQ(g.number->ErrorCode(), 0);
    EXPECT_EQ(g.grid->GetCell(1, 1), "1234");
}
