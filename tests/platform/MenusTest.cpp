#include <gtest/gtest.h>

#include "platform/ui/HeadlessWidgetSet.h"
#include "platform/ui/Menus.h"
#include "tests/platform/ButtonsSampleForm.h"
#include "tests/platform/UiTestForms.h"

namespace {

using Strings = std::vector<std::string>;

class MenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    THeadlessDriver::Reset();
    Owner = new TComponent(nullptr);
    Menu = new TPopupMenu(Owner);
  }
  void TearDown() override { delete Owner; }

  TMenuItem* Add(const std::string& Name, TMenuItem* Parent = nullptr) {
    auto* Item = new TMenuItem(Owner);
    Item->SetName(Name);
    Item->SetCaption(Name);
    Item->OnClick = TNotifyEvent::Of<&TClickLog::Clicked>(&Clicks);
    (Parent != nullptr ? Parent : Menu->Items())->Add(Item);
    return Item;
  }

  std::vector<bool> Checks(std::initializer_list<TMenuItem*> Items) const {
    std::vector<bool> Result;
    for (TMenuItem* I : Items) Result.push_back(I->Checked());
    return Result;
  }

  TComponent* Owner = nullptr;
  TPopupMenu* Menu = nullptr;
  TClickLog Clicks;
};

}  // namespace

TEST_F(MenusTest, CheckingARadioItemUnchecksItsGroupAmongItsSiblings) {
  TMenuItem* N7 = Add("N7");
  TMenuItem* N8 = Add("N8");
  TMenuItem* Plain = Add("Plain");
  TMenuItem* OtherGroup = Add("OtherGroup");
  TMenuItem* Sub = Add("Sub", N8);
  for (TMenuItem* I : {N7, N8, OtherGroup, Sub}) I->SetRadioItem(true);
  OtherGroup->SetGroupIndex(2);
  for (TMenuItem* I : {N7, Plain, OtherGroup, Sub}) I->SetChecked(true);
  N8->SetChecked(true);
  EXPECT_EQ(Checks({N7, N8, Plain, OtherGroup, Sub}), (std::vector<bool>{false, true, true, true, true}));
  // An item that becomes a radio item of a group with a checked one settles it.
  N7->SetChecked(true);
  EXPECT_FALSE(N8->Checked());
}

TEST_F(MenusTest, ClickingRunsAutoCheckThenOnClickButNothingWhenDisabled) {
  TMenuItem* Toggle = Add("Toggle");
  TMenuItem* Radio = Add("Radio");
  TMenuItem* Off = Add("Off");
  Toggle->SetAutoCheck(true);
  Radio->SetAutoCheck(true);
  Radio->SetRadioItem(true);
  Off->SetEnabled(false);
  Toggle->Click();
  Radio->Click();
  Radio->Click();
  Off->Click();
  EXPECT_TRUE(Toggle->Checked());
  EXPECT_TRUE(Radio->Checked());
  EXPECT_EQ(Clicks.Log, (Strings{"Toggle", "Radio", "Radio"}));
}

TEST_F(MenusTest, ItemsAreFoundByCaptionWithoutTheirAccelerator) {
  TMenuItem* Open = Add("N2");
  Open->SetCaption("开启(&O)");
  EXPECT_EQ(Menu->Items()->Find("开启(O)"), Open);
  EXPECT_EQ(Menu->Items()->Find("删除"), nullptr);
  EXPECT_EQ(StripHotkey("Save && &Exit"), "Save & Exit");
}

TEST_F(MenusTest, AnItemLeavesItsParentWhenFreedAndFreesItsSubItems) {
  TMenuItem* View = Add("View");
  Add("Icons", View);
  Add("List", View);
  Add("Open");
  View->Free();
  EXPECT_EQ(Menu->Items()->Count(), 1);
  EXPECT_EQ(Owner->FindComponent("Icons"), nullptr);
  EXPECT_EQ(Owner->ComponentCount(), 2);  // the menu and Open
}

TEST_F(MenusTest, AnItemHasOneParentAndCannotHoldItself) {
  TMenuItem* View = Add("View");
  TMenuItem* Icons = Add("Icons", View);
  EXPECT_THROW(Menu->Items()->Add(Icons), EMenuError);
  View->Remove(Icons);
  EXPECT_THROW(Icons->Add(Icons), EMenuError);
  EXPECT_THROW(View->Items(5), EMenuError);
  View->Add(Icons);
  EXPECT_THROW(Icons->Add(Menu->Items()), EMenuError);
  EXPECT_EQ(Icons->Count(), 0);
}

TEST_F(MenusTest, PopupRunsOnPopupAndTheWidgetSetRecordsTheMenuAndPoint) {
  TMenuItem* Exit = Add("miOKExit");
  Menu->OnPopup = TNotifyEvent::Of<&TClickLog::Clicked>(&Clicks);
  Menu->SetName("pmOKExit");
  Menu->Popup(120, 340);
  ASSERT_EQ(THeadlessDriver::Popups().size(), 1u);
  const TRecordedPopup& Shown = THeadlessDriver::Popups()[0];
  EXPECT_EQ(Shown.Menu, Menu);
  EXPECT_EQ(Shown.X, 120);
  EXPECT_EQ(Shown.Y, 340);
  EXPECT_EQ(Menu->PopupPoint(), (TPoint{120, 340}));
  // The user chooses an item of the menu shown.
  Shown.Menu->Items()->Items(0)->Click();
  EXPECT_EQ(Exit->GetParentMenu(), Menu);
  EXPECT_EQ(Clicks.Log, (Strings{"pmOKExit", "miOKExit"}));
}

TEST(ContextMenuTest, ARightClickPopsUpTheControlsMenuWhereTheMouseIs) {
  THeadlessDriver::Reset();
  auto* Form = CreateForm<TForm>(nullptr);
  Form->SetBounds(100, 50, 300, 200);
  auto* Panel = new TUiTestPanel(Form);
  Panel->SetParent(Form);
  Panel->SetBounds(10, 20, 100, 50);
  auto* Menu = new TPopupMenu(Form);
  Panel->SetPopupMenu(Menu);
  THeadlessDriver::MouseDown(Panel, mbRight, 5, 6);
  THeadlessDriver::MouseUp(Panel, mbRight, 5, 6);
  ASSERT_EQ(THeadlessDriver::Popups().size(), 1u);
  TPoint Expected = Panel->ClientToScreen({5, 6});
  EXPECT_EQ((TPoint{THeadlessDriver::Popups()[0].X, THeadlessDriver::Popups()[0].Y}), Expected);
  EXPECT_EQ(Menu->PopupComponent(), Panel);
  Menu->SetAutoPopup(false);
  THeadlessDriver::MouseUp(Panel, mbRight, 5, 6);
  EXPECT_EQ(THeadlessDriver::Popups().size(), 1u);
  Form->Free();
}
