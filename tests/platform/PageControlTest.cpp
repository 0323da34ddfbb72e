#include <gtest/gtest.h>

#include "platform/graphics/Canvas.h"
#include "platform/rtti/TypInfo.h"
#include "platform/ui/Application.h"
#include "platform/ui/HeadlessWidgetSet.h"
#include "platform/ui/Keys.h"
#include "tests/platform/ListsTestForm.h"

namespace {

using Strings = std::vector<std::string>;

class PageControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    THeadlessDriver::Reset();
    Form = CreateForm<TListsSampleForm>(nullptr);
    Form->Show();
    Form->Log.clear();
  }
  void TearDown() override {
    Form->Free();
    Application().ProcessMessages();
  }

 public:
  TPageControl* Pages() const { return Form->pgOption; }
  void ClickTab(int TabIndex) {
    TRect R = Pages()->TabRect(TabIndex);
    THeadlessDriver::MouseDown(Pages(), mbLeft, R.Left + 2, R.Top + 2);
    THeadlessDriver::MouseUp(Pages(), mbLeft, R.Left + 2, R.Top + 2);
  }

  TListsSampleForm* Form = nullptr;
};

TEST_F(PageControlTest, TheResourceLoadsAndItsTextsReadBackByName) {
  ASSERT_EQ(Pages()->PageCount(), 3);
  EXPECT_EQ(Pages()->Pages(0), Form->tsOption1);
  EXPECT_EQ(Pages()->Pages(2), Form->tsPeriodOption);
  EXPECT_EQ(Form->tsOption1->Parent(), Pages());
  const std::pair<TObject*, const char*> Expected[][2] = {
      {{Form->pgOption, "Hint"}, {nullptr, "请输入选项条件"}},
      {{Form->pgOption, "ActivePage"}, {nullptr, "tsOption1"}},
      {{Form->tsOption1, "Caption"}, {nullptr, "基本选项"}},
      {{Form->tsOption2, "PageControl"}, {nullptr, "pgOption"}},
      {{Form->tsPeriodOption, "TabVisible"}, {nullptr, "False"}},
      {{Form->lstCondition, "ViewStyle"}, {nullptr, "vsReport"}},
      {{Form->lstCondition, "SortType"}, {nullptr, "stText"}},
      {{Form->lstCondition, "IconOptions.AutoArrange"}, {nullptr, "True"}},
      {{Form->grReceive, "ColCount"}, {nullptr, "8"}},
      {{Form->grReceive, "Options"},
       {nullptr, "[goFixedVertLine,goFixedHorzLine,goVertLine,goHorzLine,goEditing,goTabs,goAlwaysShowEditor]"}},
  };
  for (const auto& [Where, Text] : Expected)
    EXPECT_EQ(GetPropText(Where.first, Where.second), Text.second) << Where.second;
  EXPECT_TRUE(PropIsType(Form->lstCondition, "Items", "TListItems"));
  EXPECT_TRUE(PropIsType(Form->lstCondition, "Columns", "TListColumns"));
  EXPECT_TRUE(PropIsType(Form->pgOption, "OnDrawTab", "TDrawTabEvent"));
  for (const char* Name : {"TPageControl", "TTabSheet", "TListView", "TStringGrid", "TDrawGrid"})
    EXPECT_NE(GetClass(Name), nullptr) << Name;
}

TEST_F(PageControlTest, OnlyTheActivePageIsShown) {
  EXPECT_TRUE(Form->tsOption1->Visible());
  EXPECT_FALSE(Form->tsOption2->Visible());
  EXPECT_FALSE(Form->tsPeriodOption->Visible());
  EXPECT_EQ(Form->tsOption1->BoundsRect(), Pages()->DisplayRect());
}

TEST_F(PageControlTest, TabIndexesCountOnlyVisibleTabs) {
  struct TCase {
    bool Visible[3];
    int TabIndexes[3];
    Strings Captions;
  };
  const TCase Cases[] = {
      {{true, true, false}, {0, 1, -1}, {"基本选项", "系统选项"}},
      {{false, true, true}, {-1, 0, 1}, {"系统选项", "周期性设置"}},
      {{true, false, true}, {0, -1, 1}, {"基本选项", "周期性设置"}},
  };
  for (const TCase& Case : Cases) {
    Strings Captions;
    for (int I = 0; I < 3; ++I) Pages()->Pages(I)->SetTabVisible(Case.Visible[I]);
    for (int I = 0; I < 3; ++I) EXPECT_EQ(Pages()->Pages(I)->TabIndex(), Case.TabIndexes[I]) << I;
    for (int Tab = 0; Tab < Pages()->TabCount(); ++Tab) Captions.push_back(Pages()->PageOfTab(Tab)->Caption());
    EXPECT_EQ(Captions, Case.Captions);
    EXPECT_EQ(Pages()->PageOfTab(2), nullptr);
  }
}

TEST_F(PageControlTest, OwnerDrawnTabsDrawTheCaptionsOfVisibleTabs) {
  struct TProbe {
    std::vector<std::pair<int, bool>> Calls;
    Strings Captions;
    void DrawTab(TCustomTabControl* Control, int TabIndex, const TRect&, bool Active) {
      Calls.push_back({TabIndex, Active});
      Captions.push_back(static_cast<TPageControl*>(Control)->PageOfTab(TabIndex)->Caption());
    }
  } Probe;
  Form->tsOption1->SetTabVisible(false);
  Form->tsPeriodOption->SetTabVisible(true);
  Pages()->SetOwnerDraw(true);
  Pages()->Repaint();
  Strings Drawn;
  for (const TTextRecord& R : Pages()->Canvas()->TextDrawn()) Drawn.push_back(R.Text);
  EXPECT_EQ(Drawn, (Strings{"系统选项", "周期性设置"}));

  Pages()->OnDrawTab = TDrawTabEvent::Of<&TProbe::DrawTab>(&Probe);
  Pages()->Repaint();
  EXPECT_EQ(Probe.Calls, (std::vector<std::pair<int, bool>>{{0, true}, {1, false}}));
  EXPECT_EQ(Probe.Captions, (Strings{"系统选项", "周期性设置"}));
}

// The user's ways of changing the page all ask OnChanging first.
TEST_F(PageControlTest, APageChangeRefusedByTheChangingEventLeavesThePage) {
  struct TWay {
    const char* Name;
    void (*Go)(PageControlTest&);
    bool FocusOnTabs = false;
  };
  const TWay Ways[] = {
      {"tab click", [](PageControlTest& T) { T.ClickTab(1); }},
      {"next page", [](PageControlTest& T) { T.Pages()->SelectNextPage(true); }},
      {"Ctrl+Tab", [](PageControlTest&) { THeadlessDriver::PressKey(VK_TAB, {ssCtrl}); }},
      {"Right on the tabs", [](PageControlTest&) { THeadlessDriver::PressKey(VK_RIGHT); }, true},
  };
  for (const TWay& Way : Ways) {
    Pages()->SetActivePage(Form->tsOption1);
    if (Way.FocusOnTabs)
      Pages()->SetFocus();
    else
      Form->edFirst->SetFocus();
    Form->Log.clear();
    Form->RefusePageChange = true;
    Way.Go(*this);
    EXPECT_EQ(Pages()->ActivePage(), Form->tsOption1) << Way.Name;
    EXPECT_EQ(Form->Log, (Strings{"changing from tsOption1"})) << Way.Name;

    Form->RefusePageChange = false;
    Form->Log.clear();
    Way.Go(*this);
    EXPECT_EQ(Pages()->ActivePage(), Form->tsOption2) << Way.Name;
    EXPECT_EQ(Form->Log.front(), "changing from tsOption1") << Way.Name;
    EXPECT_EQ(Form->Log.back(), "change to tsOption2") << Way.Name;
  }
}

TEST_F(PageControlTest, TheFocusFollowsTheUserToTheNewPage) {
  Form->edFirst->SetFocus();
  THeadlessDriver::PressKey(VK_TAB, {ssCtrl});
  EXPECT_EQ(Form->Log, (Strings{"changing from tsOption1", "exit edFirst", "show tsOption2", "change to tsOption2"}));
  EXPECT_EQ(Form->ActiveControl(), Form->edSecond);
  THeadlessDriver::PressKey(VK_TAB, {ssCtrl, ssShift});
  EXPECT_EQ(Pages()->ActivePage(), Form->tsOption1);
  EXPECT_EQ(Form->ActiveControl(), Form->edFirst);
}

TEST_F(PageControlTest, ActivatingByCodeShowsThePageWithoutChangeEvents) {
  Pages()->SetActivePage(Form->tsOption2);
  EXPECT_EQ(Form->Log, (Strings{"show tsOption2"}));
  EXPECT_FALSE(Form->tsOption1->Visible());
  Pages()->SetActivePage(Form->tsPeriodOption);
  EXPECT_EQ(Pages()->ActivePageIndex(), 2);
  EXPECT_EQ(Pages()->TabIndex(), -1);
  TTabSheet Stranger(nullptr);
  Pages()->SetActivePage(&Stranger);
  EXPECT_EQ(Pages()->ActivePage(), Form->tsPeriodOption);
}

TEST_F(PageControlTest, NextPageWrapsAndSkipsHiddenTabsUnlessAsked) {
  Pages()->SetActivePage(Form->tsOption2);
  EXPECT_EQ(Pages()->FindNextPage(Form->tsOption2, true, true), Form->tsOption1);
  EXPECT_EQ(Pages()->FindNextPage(Form->tsOption2, true, false), Form->tsPeriodOption);
  EXPECT_EQ(Pages()->FindNextPage(Form->tsOption1, false, true), Form->tsOption2);
  Pages()->SelectNextPage(false, false);
  EXPECT_EQ(Pages()->ActivePage(), Form->tsOption1);
}

TEST_F(PageControlTest, HidingTheActiveTabActivatesTheTabThatTakesItsPlace) {
  Form->tsPeriodOption->SetTabVisible(true);
  Pages()->SetActivePage(Form->tsOption2);
  Form->tsOption2->SetTabVisible(false);
  EXPECT_EQ(Pages()->ActivePage(), Form->tsPeriodOption);
  Form->tsPeriodOption->SetTabVisible(false);
  EXPECT_EQ(Pages()->ActivePage(), Form->tsOption1);
  Form->tsOption1->SetTabVisible(false);
  EXPECT_EQ(Pages()->ActivePage(), nullptr);
  Form->tsOption2->SetTabVisible(true);
  EXPECT_EQ(Pages()->ActivePage(), Form->tsOption2);
}

TEST_F(PageControlTest, SheetsMoveLeaveAndDieCleanly) {
  Form->tsPeriodOption->SetPageIndex(0);
  EXPECT_EQ(Pages()->Pages(0), Form->tsPeriodOption);
  EXPECT_EQ(Form->tsOption1->PageIndex(), 1);
  Pages()->SetActivePage(Form->tsOption2);
  Form->tsOption2->SetPageControl(nullptr);
  EXPECT_EQ(Form->tsOption2->Parent(), nullptr);
  EXPECT_EQ(Pages()->PageCount(), 2);
  EXPECT_EQ(Pages()->ActivePage(), Form->tsOption1);
  Form->tsOption1->Free();
  EXPECT_EQ(Pages()->PageCount(), 1);
  EXPECT_EQ(Pages()->ActivePage(), nullptr);
  EXPECT_THROW(Pages()->Pages(1), EListError);
}

}  // namespace
