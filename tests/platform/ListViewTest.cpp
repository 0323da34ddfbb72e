#include <gtest/gtest.h>

#include "platform/core/Classes.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/ui/HeadlessWidgetSet.h"
#include "platform/ui/InplaceEdit.h"
#include "platform/ui/Keys.h"
#include "tests/platform/ListsTestForm.h"

namespace {

using Strings = std::vector<std::string>;

// What the list's events said, in order.
struct TListProbe {
  Strings Log;
  bool Refuse = false;
  void Changing(TObject*, TListItem* Item, TItemChange Change, bool& Allow) {
    Log.push_back("changing " + Item->Caption() + " " + std::to_string(Change));
    Allow = !Refuse;
  }
  void Changed(TObject*, TListItem* Item, TItemChange Change) {
    Log.push_back("change " + Item->Caption() + " " + std::to_string(Change));
  }
  void Selected(TObject*, TListItem* Item, bool Selected) {
    Log.push_back(std::string(Selected ? "select " : "deselect ") + Item->Caption());
  }
  void ColumnClicked(TObject*, TListColumn* Column) { Log.push_back("column " + Column->Caption()); }
  void Deleted(TObject*, TListItem* Item) { Log.push_back("deleted " + Item->Caption()); }
};

// Headless metrics of the form's font (height 11): characters 6 wide, rows
// 15 high under a header of 19.
class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    THeadlessDriver::Reset();
    Form = CreateForm<TListsSampleForm>(nullptr);
    Form->Show();
    Form->Log.clear();
    List = Form->lstCondition;
  }
  void TearDown() override {
    Form->Free();
    Application().ProcessMessages();
  }

  Strings Captions() const {
    Strings Out;
    for (int I = 0; I < List->Items()->Count(); ++I) Out.push_back(List->Items()->Item(I)->Caption());
    return Out;
  }
  Strings SelectedCaptions() const {
    Strings Out;
    for (int I = 0; I < List->Items()->Count(); ++I)
      if (List->Items()->Item(I)->Selected()) Out.push_back(List->Items()->Item(I)->Caption());
    return Out;
  }
  void ClickAt(int X, int Y, TShiftState Shift = {}) {
    THeadlessDriver::MouseDown(List, mbLeft, X, Y, Shift);
    THeadlessDriver::MouseUp(List, mbLeft, X, Y, Shift);
  }
  void Listen() {
    List->OnChanging = TLVChangingEvent::Of<&TListProbe::Changing>(&Probe);
    List->OnChange = TLVChangeEvent::Of<&TListProbe::Changed>(&Probe);
    List->OnSelectItem = TLVSelectItemEvent::Of<&TListProbe::Selected>(&Probe);
    List->OnColumnClick = TLVColumnClickEvent::Of<&TListProbe::ColumnClicked>(&Probe);
    List->OnDeletion = TLVDeletedEvent::Of<&TListProbe::Deleted>(&Probe);
  }

  TListsSampleForm* Form = nullptr;
  TListView* List = nullptr;
  TListProbe Probe;
};

TEST_F(ListViewTest, ItemsAndColumnsComeFromTheResourceSortedByCaption) {
  EXPECT_EQ(Captions(), (Strings{"alpha", "beta"}));
  EXPECT_EQ(List->Items()->Item(0)->SubItems()->Strings(0), "2023/12/31");
  EXPECT_EQ(List->Items()->Item(0)->ImageIndex(), 0);
  ASSERT_EQ(List->Columns()->Count(), 2);
  EXPECT_EQ(List->Column(1)->Alignment(), taRightJustify);
  EXPECT_EQ(List->Column(0)->WidthType(), ColumnAutoSizeUseHeader);
}

TEST_F(ListViewTest, AutomaticColumnWidthsFitTextsUnderTheHeadlessMetrics) {
  struct TCase {
    int Column;
    int WidthType;
    const char* Caption;
    int Expected;
  };
  const TCase Cases[] = {
      {0, ColumnAutoSize, "Name", 5 * 6 + 12},               // "alpha"
      {0, ColumnAutoSizeUseHeader, "Name", 5 * 6 + 12},      // the items are wider
      {0, ColumnAutoSizeUseHeader, "Project name", 12 * 6 + 12},
      {0, ColumnAutoSize, "Project name", 5 * 6 + 12},
      {1, ColumnAutoSize, "Created", 10 * 6 + 12},           // "2024/01/02"
      {1, ColumnAutoSizeUseHeader, "Created", 200 - 42},     // the last one fills the rest
      {1, 70, "Created", 70},
  };
  for (const TCase& Case : Cases) {
    List->Column(0)->SetWidth(ColumnAutoSize);
    List->Column(Case.Column)->SetCaption(Case.Caption);
    List->Column(Case.Column)->SetWidth(Case.WidthType);
    EXPECT_EQ(List->Column(Case.Column)->Width(), Case.Expected) << Case.Column << " " << Case.WidthType;
  }
}

TEST_F(ListViewTest, ASortedListKeepsItsOrderAsCaptionsChange) {
  List->Items()->Item(0)->SetCaption("zeta");
  EXPECT_EQ(Captions(), (Strings{"beta", "zeta"}));
  List->Items()->BeginUpdate();
  List->Items()->Add()->SetCaption("gamma");
  List->Items()->Add()->SetCaption("Alpha");
  EXPECT_EQ(Captions(), (Strings{"beta", "zeta", "gamma", "Alpha"}));
  List->Items()->EndUpdate();
  EXPECT_EQ(Captions(), (Strings{"Alpha", "beta", "gamma", "zeta"}));
  List->SetSortType(stNone);
  List->Items()->Add()->SetCaption("delta");
  EXPECT_EQ(Captions().back(), "delta");
}

TEST_F(ListViewTest, ClickingARowSelectsItsItem) {
  struct TCase {
    int X, Y;
    bool RowSelect;
    const char* Selected;
  };
  const TCase Cases[] = {
      {10, 20, false, "alpha"},  {10, 36, false, "beta"},  {100, 20, false, nullptr},
      {100, 20, true, "alpha"},  {10, 60, false, nullptr}, {120, 48, true, "beta"},
      {150, 48, true, nullptr},  // past the last column
  };
  for (const TCase& Case : Cases) {
    List->ClearSelection();
    List->SetRowSelect(Case.RowSelect);
    ClickAt(Case.X, Case.Y);
    EXPECT_EQ(SelectedCaptions(), Case.Selected ? Strings{Case.Selected} : Strings{}) << Case.X << "," << Case.Y;
  }
  EXPECT_EQ(Form->ActiveControl(), List);
}

TEST_F(ListViewTest, AHeaderClickReportsItsColumn) {
  Listen();
  ClickAt(50, 5);
  List->SetColumnClick(false);
  ClickAt(10, 5);
  EXPECT_EQ(Probe.Log, (Strings{"column Created"}));
}

TEST_F(ListViewTest, SingleSelectionMovesWithChangingChangeAndSelectEvents) {
  List->Items()->Item(0)->SetSelected(true);
  Listen();
  ClickAt(10, 36);
  EXPECT_EQ(Probe.Log, (Strings{"changing alpha 2", "change alpha 2", "deselect alpha", "changing beta 2",
                                "change beta 2", "select beta"}));
  EXPECT_EQ(List->Selected()->Caption(), "beta");
  Probe.Log.clear();
  Probe.Refuse = true;
  ClickAt(10, 20);
  EXPECT_EQ(SelectedCaptions(), (Strings{"beta"}));
  EXPECT_EQ(Probe.Log, (Strings{"changing beta 2"}));
}

TEST_F(ListViewTest, MultiSelectionTakesCtrlAndShiftClicksAndKeys) {
  List->SetMultiSelect(true);
  for (const char* Caption : {"gamma", "delta"}) List->Items()->Add()->SetCaption(Caption);
  // alpha beta delta gamma, rows from y 19 in steps of 15
  ClickAt(10, 20);
  ClickAt(10, 66, {ssShift});
  EXPECT_EQ(SelectedCaptions(), (Strings{"alpha", "beta", "delta", "gamma"}));
  ClickAt(10, 36, {ssCtrl});
  EXPECT_EQ(List->SelCount(), 3);
  ClickAt(10, 51);
  EXPECT_EQ(SelectedCaptions(), (Strings{"delta"}));
  THeadlessDriver::PressKey(VK_UP, {ssShift});
  EXPECT_EQ(SelectedCaptions(), (Strings{"beta", "delta"}));
  THeadlessDriver::PressKey(VK_HOME);
  EXPECT_EQ(SelectedCaptions(), (Strings{"alpha"}));
  EXPECT_EQ(Form->ActiveControl(), List);
  List->SetMultiSelect(false);
  List->SelectAll();
  EXPECT_EQ(List->SelCount(), 1);
}

TEST_F(ListViewTest, ColumnClickCanSortByAnyColumn) {
  List->SetSortType(stNone);
  List->Items()->Add()->SetCaption("gamma");
  List->Items()->Item(2)->SubItems()->Add("2025/06/01");
  struct TSorter {
    TListView* List;
    void ColumnClick(TObject*, TListColumn* Column) {
      List->CustomSort(
          [](TListItem* A, TListItem* B, LPARAM Col) {
            return -CompareStr(A->ColumnText(static_cast<int>(Col)), B->ColumnText(static_cast<int>(Col)));
          },
          Column->Index());
    }
  } Sorter{List};
  List->OnColumnClick = TLVColumnClickEvent::Of<&TSorter::ColumnClick>(&Sorter);
  ClickAt(50, 5);
  EXPECT_EQ(Captions(), (Strings{"gamma", "beta", "alpha"}));
  ClickAt(10, 5);
  EXPECT_EQ(Captions(), (Strings{"gamma", "beta", "alpha"}));
  List->AlphaSort();
  EXPECT_EQ(Captions(), (Strings{"alpha", "beta", "gamma"}));
}

// Renaming in place: the edited handler can put the old name back.
TEST_F(ListViewTest, InPlaceEditingCanBeRevertedByTheHandler) {
  struct TCase {
    const char* Typed;
    Word EndKey;
    Strings Captions;
    Strings Log;
  };
  const TCase Cases[] = {
      {"omega", VK_RETURN, {"beta", "omega"}, {"edited alpha to omega"}},
      {"beta", VK_RETURN, {"alpha", "beta"}, {"edited alpha to beta"}},
      {"  ", VK_RETURN, {"alpha", "beta"}, {"edited alpha to   "}},
      {"omega", VK_ESCAPE, {"alpha", "beta"}, {}},
  };
  for (const TCase& Case : Cases) {
    List->Items()->Clear();
    for (const char* Caption : {"beta", "alpha"}) List->Items()->Add()->SetCaption(Caption);
    TListItem* Alpha = List->Items()->Item(0);
    List->SetSelected(Alpha);
    Alpha->SetFocused(true);
    List->SetFocus();
    Form->Log.clear();
    THeadlessDriver::PressKey(VK_F2);
    ASSERT_TRUE(List->IsEditing()) << Case.Typed;
    EXPECT_EQ(Form->ActiveControl(), List->Editor());
    EXPECT_EQ(List->Editor()->Text(), "alpha");
    THeadlessDriver::TypeText(Case.Typed);
    THeadlessDriver::PressKey(Case.EndKey);
    EXPECT_FALSE(List->IsEditing());
    EXPECT_EQ(Captions(), Case.Captions) << Case.Typed;
    EXPECT_EQ(Form->Log, Case.Log) << Case.Typed;
    EXPECT_EQ(Form->ActiveControl(), List);
  }
}

TEST_F(ListViewTest, LeavingTheEditorKeepsTheTextAndReadOnlyListsDoNotEdit) {
  TListItem* Beta = List->Items()->Item(1);
  ASSERT_TRUE(Beta->EditCaption());
  THeadlessDriver::TypeText("car");
  THeadlessDriver::PressKey(VK_BACK);
  Form->edFirst->SetFocus();
  EXPECT_EQ(Beta->Caption(), "ca");
  List->SetReadOnly(true);
  EXPECT_FALSE(Beta->EditCaption());
  EXPECT_FALSE(List->IsEditing());
}

// As with the system's caption editor, a form's key preview does not see them.
TEST_F(ListViewTest, EnterAndEscInTheCaptionEditorAreItsOwn) {
  struct TPreview {
    Strings Keys;
    void KeyDown(TObject*, Word& Key, TShiftState) { Keys.push_back(std::to_string(Key)); }
  } Preview;
  Form->SetKeyPreview(true);
  Form->OnKeyDown = TKeyEvent::Of<&TPreview::KeyDown>(&Preview);
  for (Word Key : {VK_ESCAPE, VK_RETURN}) {
    ASSERT_TRUE(List->Items()->Item(0)->EditCaption());
    THeadlessDriver::PressKey(Key);
    EXPECT_FALSE(List->IsEditing());
  }
  EXPECT_TRUE(Preview.Keys.empty());
  EXPECT_EQ(Form->Log, (Strings{"edited alpha to alpha"}));
}

TEST_F(ListViewTest, DeletingTheEditedItemEndsTheEditQuietly) {
  Listen();
  ASSERT_TRUE(List->Items()->Item(0)->EditCaption());
  List->Items()->Delete(0);
  EXPECT_FALSE(List->IsEditing());
  EXPECT_FALSE(List->Editor()->Visible());
  EXPECT_EQ(Probe.Log, (Strings{"deleted alpha"}));
  EXPECT_TRUE(Form->Log.empty());
  EXPECT_EQ(Captions(), (Strings{"beta"}));
}

}  // namespace
