#include <gtest/gtest.h>

#include "platform/ui/Application.h"
#include "platform/ui/HeadlessWidgetSet.h"
#include "platform/ui/Keys.h"
#include "tests/platform/ListsTestForm.h"

namespace {

using Strings = std::vector<std::string>;
using Cell = std::pair<int, int>;

// The form's grid of people (8 columns, a header row and one data row,
// editing with the editor always shown) and a plain 5 x 5 grid beside it.
class GridsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    THeadlessDriver::Reset();
    Form = CreateForm<TListsSampleForm>(nullptr);
    Form->Show();
    Form->pgOption->SetActivePage(Form->tsOption2);
    Grid = Form->grReceive;
    Plain = new TStringGrid(Form);
    Plain->SetParent(Form->tsOption2);
    Plain->SetBounds(0, 200, 400, 150);
    Form->Log.clear();
  }
  void TearDown() override {
    Form->Free();
    Application().ProcessMessages();
  }

  static Cell Current(const TCustomGrid* G) { return {G->Col(), G->Row()}; }

  TListsSampleForm* Form = nullptr;
  TStringGrid* Grid = nullptr;
  TStringGrid* Plain = nullptr;
};

TEST_F(GridsTest, FocusingAnAlwaysEditingGridFocusesItsEditor) {
  Grid->SetFocus();
  EXPECT_TRUE(Grid->EditorMode());
  ASSERT_NE(Grid->InplaceEditor(), nullptr);
  EXPECT_EQ(Form->ActiveControl(), Grid->InplaceEditor());
  EXPECT_EQ(Grid->InplaceEditor()->BoundsRect(), Grid->CellRect(1, 1));
}

// Down on the last row reaches the grid's handler (and the form's preview)
// before the grid, which would stay on the row.
TEST_F(GridsTest, ADownKeyOnTheLastRowCanBeHandledByTheForm) {
  struct TPreview {
    TListsSampleForm* Form;
    void KeyDown(TObject* Sender, Word& Key, TShiftState Shift) { Form->grReceiveKeyDown(Sender, Key, Shift); }
  } Preview{Form};
  for (bool ByPreview : {false, true}) {
    Grid->SetRowCount(2);
    if (ByPreview) {
      Grid->OnKeyDown = {};
      Form->SetKeyPreview(true);
      Form->OnKeyDown = TKeyEvent::Of<&TPreview::KeyDown>(&Preview);
    }
    Form->edSecond->SetFocus();
    Grid->SetFocus();
    THeadlessDriver::PressKey(VK_DOWN);
    EXPECT_EQ(Grid->RowCount(), 3) << ByPreview;
    EXPECT_EQ(Current(Grid), Cell(1, 2)) << ByPreview;
    EXPECT_EQ(Form->ActiveControl(), Grid->InplaceEditor());
    THeadlessDriver::PressKey(VK_UP);
    EXPECT_EQ(Current(Grid), Cell(1, 1));
  }
  Plain->SetFocus();
  Plain->SetRow(4);
  THeadlessDriver::PressKey(VK_DOWN);
  EXPECT_EQ(Current(Plain), Cell(1, 4));
}

TEST_F(GridsTest, KeysMoveTheCurrentCellWithinTheMovablePart) {
  struct TCase {
    Word Key;
    TShiftState Shift;
    Cell From, To;
  };
  const TCase Cases[] = {
      {VK_RIGHT, {}, {1, 1}, {2, 1}},       {VK_LEFT, {}, {1, 1}, {1, 1}},      {VK_UP, {}, {2, 1}, {2, 1}},
      {VK_DOWN, {}, {2, 1}, {2, 2}},        {VK_END, {}, {2, 3}, {4, 3}},       {VK_HOME, {}, {4, 3}, {1, 3}},
      {VK_END, {ssCtrl}, {2, 1}, {2, 4}},   {VK_HOME, {ssCtrl}, {2, 4}, {2, 1}}, {VK_NEXT, {}, {1, 1}, {1, 4}},
  };
  Plain->SetFocus();
  for (const TCase& Case : Cases) {
    Plain->FocusCell(Case.From.first, Case.From.second);
    THeadlessDriver::PressKey(Case.Key, Case.Shift);
    EXPECT_EQ(Current(Plain), Case.To) << Case.Key;
    EXPECT_EQ(Form->ActiveControl(), Plain);
  }
}

TEST_F(GridsTest, TabWalksTheCellsRowByRowWithGoTabs) {
  Grid->SetRowCount(3);
  Grid->SetFocus();
  Grid->FocusCell(7, 1);
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_EQ(Current(Grid), Cell(1, 2));
  THeadlessDriver::PressKey(VK_TAB, {ssShift});
  EXPECT_EQ(Current(Grid), Cell(7, 1));
  // Without goTabs, Tab leaves the grid.
  Plain->SetFocus();
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_NE(Form->ActiveControl(), Plain);
}

TEST_F(GridsTest, TheEditorWritesTheCurrentCellAndFollowsIt) {
  Grid->SetCells(2, 1, "Li");
  Grid->SetFocus();
  THeadlessDriver::TypeText("U01");
  EXPECT_EQ(Grid->Cells(1, 1), "U01");
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "Li");
  THeadlessDriver::TypeText("n");  // the whole text is selected on arrival
  EXPECT_EQ(Grid->Cells(2, 1), "n");
  THeadlessDriver::PressKey(VK_LEFT);  // within the text
  EXPECT_EQ(Current(Grid), Cell(2, 1));
  THeadlessDriver::PressKey(VK_HOME);
  THeadlessDriver::PressKey(VK_LEFT);  // from its start: the cell before
  EXPECT_EQ(Current(Grid), Cell(1, 1));
  // A lookup filling the edited cell shows in the editor.
  Grid->SetCells(1, 1, "U02");
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "U02");
}

TEST_F(GridsTest, EnterAndTypingStartTheEditorOfAnEditingGrid) {
  Plain->SetOptions(Plain->Options() + TGridOptions{goEditing});
  Plain->SetCells(1, 1, "old");
  Plain->SetFocus();
  THeadlessDriver::PressKey(VK_RETURN);
  EXPECT_TRUE(Plain->EditorMode());
  EXPECT_EQ(Form->ActiveControl(), Plain->InplaceEditor());
  THeadlessDriver::PressKey(VK_RETURN);
  EXPECT_FALSE(Plain->EditorMode());
  EXPECT_EQ(Form->ActiveControl(), Plain);
  struct TPreview {
    int Presses = 0;
    void KeyPress(TObject*, char32_t&) { ++Presses; }
  } Preview;
  Form->SetKeyPreview(true);
  Form->OnKeyPress = TKeyPressEvent::Of<&TPreview::KeyPress>(&Preview);
  THeadlessDriver::TypeText("x");
  EXPECT_TRUE(Plain->EditorMode());
  EXPECT_EQ(Plain->Cells(1, 1), "x");
  EXPECT_EQ(Preview.Presses, 1);
  Form->edSecond->SetFocus();
  EXPECT_FALSE(Plain->EditorMode());
  Plain->SetOptions(Plain->Options() + TGridOptions{goRowSelect});
  Plain->SetEditorMode(true);
  EXPECT_FALSE(Plain->EditorMode());
}

TEST_F(GridsTest, BadSizesAndCellsAreRefusedWithClearErrors) {
  struct TCase {
    const char* Name;
    void (*Act)(TStringGrid*);
    const char* Message;
  };
  const TCase Cases[] = {
      {"fixed rows", [](TStringGrid* G) { G->SetFixedRows(5); }, "Fixed row count must be less than row count"},
      {"fixed cols", [](TStringGrid* G) { G->SetFixedCols(5); }, "Fixed column count must be less than column count"},
      {"fixed col", [](TStringGrid* G) { G->SetCol(0); }, "Grid index out of range"},
      {"row past", [](TStringGrid* G) { G->SetRow(5); }, "Grid index out of range"},
      {"width", [](TStringGrid* G) { G->SetColWidths(5, 10); }, "Grid index out of range"},
      {"cell", [](TStringGrid* G) { G->SetCells(-1, 0, "x"); }, "Grid index out of range"},
  };
  for (const TCase& Case : Cases) {
    try {
      Case.Act(Plain);
      ADD_FAILURE() << Case.Name;
    } catch (const EInvalidGridOperation& E) {
      EXPECT_STREQ(E.what(), Case.Message) << Case.Name;
    }
  }
  EXPECT_EQ(Current(Plain), Cell(1, 1));
}

TEST_F(GridsTest, ResizingKeepsWhatFitsAndDeletingARowMovesTheRestUp) {
  Plain->SetCells(6, 7, "beyond");
  Plain->SetCells(1, 2, "two");
  Plain->SetCells(1, 3, "three");
  Plain->FocusCell(4, 4);
  Plain->SetRowCount(8);
  Plain->SetColCount(7);
  EXPECT_EQ(Plain->Cells(6, 7), "beyond");
  Plain->DeleteRow(2);
  EXPECT_EQ(Plain->Cells(1, 2), "three");
  EXPECT_EQ(Plain->Cells(6, 6), "beyond");
  EXPECT_EQ(Plain->RowCount(), 7);
  Plain->SetRowCount(3);
  EXPECT_EQ(Current(Plain), Cell(4, 2));
  EXPECT_EQ(Plain->Cells(6, 6), "");
  Plain->SetRowCount(7);
  EXPECT_EQ(Plain->Cells(6, 6), "");
  Plain->SetRowCount(0);
  EXPECT_EQ(Plain->RowCount(), 1);
  EXPECT_EQ(Plain->FixedRows(), 0);
}

TEST_F(GridsTest, ClicksChooseTheCellUnderTheMouseUnlessRefused) {
  // Default columns 64 and rows 24 wide, with 1-pixel lines.
  EXPECT_EQ(Plain->CellRect(2, 1), Bounds(130, 25, 64, 24));
  EXPECT_EQ(Plain->MouseCoord(135, 30), (TGridCoord{2, 1}));
  EXPECT_EQ(Plain->MouseCoord(399, 149), (TGridCoord{-1, -1}));
  THeadlessDriver::MouseDown(Plain, mbLeft, 135, 55);
  EXPECT_EQ(Current(Plain), Cell(2, 2));
  EXPECT_EQ(Form->ActiveControl(), Plain);
  struct TRefuse {
    void SelectCell(TObject*, int, int ARow, bool& CanSelect) { CanSelect = ARow != 3; }
  } Refuse;
  Plain->OnSelectCell = TSelectCellEvent::Of<&TRefuse::SelectCell>(&Refuse);
  THeadlessDriver::MouseDown(Plain, mbLeft, 135, 80);
  EXPECT_EQ(Current(Plain), Cell(2, 2));
  THeadlessDriver::PressKey(VK_DOWN);
  EXPECT_EQ(Current(Plain), Cell(2, 2));
}

}  // namespace
