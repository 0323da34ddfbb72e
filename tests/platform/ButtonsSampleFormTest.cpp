#include <gtest/gtest.h>

#include "platform/rtti/TypInfo.h"
#include "platform/ui/HeadlessWidgetSet.h"
#include "platform/ui/Keys.h"
#include "tests/platform/ButtonsSampleForm.h"

namespace {

using Strings = std::vector<std::string>;

class ButtonsSampleFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    THeadlessDriver::Reset();
    Form = CreateForm<TButtonsSampleForm>(nullptr);
    Form->Show();
  }
  void TearDown() override { Form->Free(); }

  std::string Text(const std::string& Component, const std::string& Property) const {
    return GetPropText(Form->FindComponent(Component), Property);
  }

  TButtonsSampleForm* Form = nullptr;
};

}  // namespace

TEST_F(ButtonsSampleFormTest, TheResourceLoadsAndItsTextsReadBackByName) {
  const std::vector<std::array<std::string, 3>> Expected = {
      {"btnInsert", "Caption", "保存(&S)"},
      {"btnInsert", "Hint", "保存"},
      {"btnInsert", "ImageIndex", "1"},
      {"ToolButton1", "Style", "tbsDropDown"},
      {"ToolButton1", "DropdownMenu", "mnList"},
      {"ToolBar1", "Images", "ImageList1"},
      {"ToolBar1", "EdgeBorders", "[]"},
      {"pnlCondition", "BevelOuter", "bvLowered"},
      {"pnlCondition", "Caption", " "},
      {"btnPeriod", "Caption", "周期性"},
      {"btnPeriod", "GroupIndex", "1"},
      {"btnPeriod", "AllowAllUp", "True"},
      {"btnOk", "Caption", "确定"},
      {"btnCancel", "Caption", "取消"},
      {"btnCancel", "Kind", "bkCancel"},
      {"btnCancel", "Cancel", "True"},
      {"btnCancel", "ModalResult", "2"},
      {"grpOptions", "Caption", "通知方式"},
      {"chkNotify", "Checked", "True"},
      {"chkNotify", "State", "cbChecked"},
      {"rdoQueue", "Checked", "True"},
      {"miOKExit", "Caption", "处理后直接退出作业(&C)"},
      {"N7", "RadioItem", "True"},
      {"N7", "OnClick", "ViewClick"},
      {"Splitter1", "Align", "alLeft"},
  };
  for (const auto& [Component, Property, Value] : Expected)
    EXPECT_EQ(Text(Component, Property), Value) << Component << "." << Property;
  EXPECT_TRUE(PropIsType(Form->btnOk, "Glyph", "TBitmap"));
  EXPECT_TRUE(PropIsType(Form->btnPeriod, "NumGlyphs", "TNumGlyphs"));
  EXPECT_TRUE(PropIsType(Form->chkNotify, "Alignment", "TLeftRight"));
  // Setting states from the resource ran no handler.
  EXPECT_TRUE(Form->Log.empty());
}

TEST_F(ButtonsSampleFormTest, MenuItemsNestInTheirMenusNotAmongTheControls) {
  ASSERT_EQ(Form->mnList->Items()->Count(), 3);
  EXPECT_EQ(GetObjectProp(Form->mnList, "Items"), Form->mnList->Items());
  EXPECT_EQ(Form->mnList->Items()->Items(0), Form->N7);
  ASSERT_EQ(Form->N9->Count(), 1);
  EXPECT_EQ(Form->N9->Items(0)->Name(), "N11");
  EXPECT_EQ(Form->N9->Items(0)->GetParentMenu(), Form->mnList);
  EXPECT_EQ(Form->pmOKExit->Items()->Count(), 2);
  EXPECT_TRUE(Form->N7->Checked());
}

TEST_F(ButtonsSampleFormTest, TheToolBarLaysOutItsButtonsAndTheSplitterSitsBesideThePanel) {
  EXPECT_EQ(Form->btnInsert->BoundsRect(), Bounds(0, 0, 25, 24));
  EXPECT_EQ(Form->btnOpen->BoundsRect(), Bounds(25, 0, 25, 24));
  EXPECT_EQ(Form->ToolButton1->BoundsRect(), Bounds(50, 0, 25 + TToolButton::DropDownWidth, 24));
  EXPECT_EQ(Form->Splitter1->FindControl(), Form->pnlCondition);
  EXPECT_EQ(Form->Splitter1->Left(), 151);
}

TEST_F(ButtonsSampleFormTest, TheDropDownChoosesAViewAndTheBodyClicksTheButton) {
  TToolButton* Button = Form->ToolButton1;
  int ArrowX = Button->Width() - 3;
  THeadlessDriver::MouseDown(Button, mbLeft, ArrowX, 5);
  THeadlessDriver::MouseUp(Button, mbLeft, ArrowX, 5);
  ASSERT_EQ(THeadlessDriver::Popups().size(), 1u);
  THeadlessDriver::Popups().back().Menu->Items()->Items(1)->Click();
  EXPECT_TRUE(Form->N8->Checked());
  EXPECT_FALSE(Form->N7->Checked());
  THeadlessDriver::Click(Button);
  EXPECT_EQ(Form->Log, (Strings{"view N8", "click ToolButton1"}));
}

TEST_F(ButtonsSampleFormTest, TheNarrowButtonPopsTheOkMenuUpUnderOk) {
  THeadlessDriver::Click(Form->btnSpd);
  ASSERT_EQ(THeadlessDriver::Popups().size(), 1u);
  const TRecordedPopup& Shown = THeadlessDriver::Popups().back();
  EXPECT_EQ(Shown.Menu, Form->pmOKExit);
  TPoint Corner = Form->btnOk->ClientToScreen({0, Form->btnOk->Height()});
  EXPECT_EQ((TPoint{Shown.X, Shown.Y}), Corner);
  Shown.Menu->Items()->Find("处理后并不退出作业(B)")->Click();
  EXPECT_EQ(Form->Log, (Strings{"click miOKNoExit"}));
}

TEST_F(ButtonsSampleFormTest, ThePeriodButtonTogglesAndEscReachesTheCancelButton) {
  THeadlessDriver::Click(Form->btnPeriod);
  EXPECT_TRUE(Form->btnPeriod->Down());
  THeadlessDriver::Click(Form->btnPeriod);
  EXPECT_FALSE(Form->btnPeriod->Down());
  THeadlessDriver::PressKey(VK_ESCAPE);
  EXPECT_EQ(Form->ModalResult(), mrCancel);
  EXPECT_EQ(Form->Log, (Strings{"click btnPeriod", "click btnPeriod", "click btnCancel"}));
}

TEST_F(ButtonsSampleFormTest, ARadioButtonClickedOnTheFormUnchecksItsSibling) {
  THeadlessDriver::Click(Form->rdoRealTime);
  EXPECT_FALSE(Form->rdoQueue->Checked());
  EXPECT_EQ(Form->Log, (Strings{"click rdoRealTime"}));
}
