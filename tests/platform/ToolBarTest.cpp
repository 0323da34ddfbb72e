#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ImageList.h"
#include "platform/ui/HeadlessWidgetSet.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ToolBar.h"
#include "tests/platform/ButtonsSampleForm.h"

namespace {

using Strings = std::vector<std::string>;

class ToolBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    THeadlessDriver::Reset();
    Form = CreateForm<TForm>(nullptr);
    Form->SetBounds(100, 50, 400, 300);
    Bar = new TToolBar(Form);
    Bar->SetParent(Form);
    Bar->SetEdgeBorders({});
    Bar->SetButtonWidth(25);
    Bar->SetButtonHeight(24);
    Menu = new TPopupMenu(Form);
    Form->Show();
  }
  void TearDown() override { Form->Free(); }

  TToolButton* Add(const std::string& Name, TToolButtonStyle Style = tbsButton) {
    auto* B = new TToolButton(Form);
    B->SetName(Name);
    B->SetStyle(Style);
    B->SetParent(Bar);
    B->OnClick = TNotifyEvent::Of<&TClickLog::Clicked>(&Clicks);
    return B;
  }

  TForm* Form = nullptr;
  TToolBar* Bar = nullptr;
  TPopupMenu* Menu = nullptr;
  TClickLog Clicks;
};

}  // namespace

TEST_F(ToolBarTest, ButtonsAreLaidOutInARowByTheirStyle) {
  Add("btnInsert");
  Add("sep", tbsSeparator);
  Add("ToolButton1", tbsDropDown);
  Add("btnDelete");
  std::vector<TRect> Places;
  for (int I = 0; I < Bar->ButtonCount(); ++I) Places.push_back(Bar->Buttons(I)->BoundsRect());
  EXPECT_EQ(Places, (std::vector<TRect>{Bounds(0, 0, 25, 24), Bounds(25, 0, 8, 24),
                                        Bounds(33, 0, 25 + TToolButton::DropDownWidth, 24),
                                        Bounds(72, 0, 25, 24)}));
}

TEST_F(ToolBarTest, AWrapableBarStartsANewRowWhenTheButtonsDoNotFit) {
  Bar->SetAlign(alNone);
  Bar->SetWidth(60);
  for (const char* Name : {"b1", "b2", "b3"}) Add(Name);
  EXPECT_EQ(Bar->Buttons(2)->BoundsRect(), Bounds(0, 24, 25, 24));
  Bar->SetWrapable(false);
  EXPECT_EQ(Bar->Buttons(2)->BoundsRect(), Bounds(50, 0, 25, 24));
}

TEST_F(ToolBarTest, EdgeBordersNarrowTheRow) {
  Bar->SetEdgeBorders({ebLeft, ebTop});
  EXPECT_EQ(Add("btnInsert")->BoundsRect(), Bounds(2, 2, 25, 24));
}

TEST_F(ToolBarTest, AToolButtonsDropDownPartOpensItsMenuWithoutClickingTheButton) {
  TToolButton* Button = Add("ToolButton1", tbsDropDown);
  Button->SetDropdownMenu(Menu);
  int ArrowX = Button->Width() - TToolButton::DropDownWidth / 2;
  THeadlessDriver::MouseDown(Button, mbLeft, ArrowX, 5);
  THeadlessDriver::MouseUp(Button, mbLeft, ArrowX, 5);
  ASSERT_EQ(THeadlessDriver::Popups().size(), 1u);
  EXPECT_EQ(THeadlessDriver::Popups()[0].Menu, Menu);
  // Below the button: the form's client origin plus the button's bottom-left.
  TPoint Expected = Button->ClientToScreen({0, Button->Height()});
  EXPECT_EQ((TPoint{THeadlessDriver::Popups()[0].X, THeadlessDriver::Popups()[0].Y}), Expected);
  EXPECT_EQ(Menu->PopupComponent(), Button);
  EXPECT_TRUE(Clicks.Log.empty());

  THeadlessDriver::MouseDown(Button, mbLeft, 3, 5);
  THeadlessDriver::MouseUp(Button, mbLeft, 3, 5);
  EXPECT_EQ(Clicks.Log, (Strings{"ToolButton1"}));
  EXPECT_EQ(THeadlessDriver::Popups().size(), 1u);
}

TEST_F(ToolBarTest, APlainButtonWithAMenuDropsItDownOnItsClick) {
  TToolButton* Button = Add("btnMenu");
  Button->SetDropdownMenu(Menu);
  THeadlessDriver::Click(Button);
  EXPECT_EQ(THeadlessDriver::Popups().size(), 1u);
  EXPECT_EQ(Clicks.Log, (Strings{"btnMenu"}));
}

TEST_F(ToolBarTest, AFreedMenuLeavesTheButtonWithout) {
  TToolButton* Button = Add("ToolButton1", tbsDropDown);
  Button->SetDropdownMenu(Menu);
  Menu->Free();
  EXPECT_EQ(Button->DropdownMenu(), nullptr);
  EXPECT_FALSE(Button->CheckMenuDropdown());
}

TEST_F(ToolBarTest, GroupedCheckButtonsNextToEachOtherKeepOneDown) {
  TToolButton* A = Add("btnA", tbsCheck);
  TToolButton* B = Add("btnB", tbsCheck);
  Add("sep", tbsSeparator);
  TToolButton* C = Add("btnC", tbsCheck);
  for (TToolButton* T : {A, B, C}) T->SetGrouped(true);
  THeadlessDriver::Click(A);
  C->SetDown(true);
  THeadlessDriver::Click(B);
  EXPECT_FALSE(A->Down());
  EXPECT_TRUE(B->Down());
  EXPECT_TRUE(C->Down());
  // Grouped without AllowAllUp: a click on the one down keeps it down.
  THeadlessDriver::Click(B);
  EXPECT_TRUE(B->Down());
  TToolButton* Plain = Add("btnPlain");
  Plain->SetDown(true);
  EXPECT_FALSE(Plain->Down());
}

TEST_F(ToolBarTest, AButtonPaintsTheBarsImageDimmedWhenDisabled) {
  auto* Images = new TImageList(Form);
  Images->SetWidth(4);
  Images->SetHeight(4);
  TBitmap Picture(4, 4);
  Picture.Canvas()->Brush()->SetColor(clRed);
  Picture.Canvas()->FillRect(Rect(0, 0, 4, 4));
  Images->Add(&Picture);
  Bar->SetImages(Images);
  TToolButton* Button = Add("btnInsert");
  Button->SetImageIndex(0);
  Button->Repaint();
  // The 4x4 image sits in the middle of the 25x24 button, at 10,10.
  EXPECT_EQ(Button->Canvas()->Pixel(11, 11), ColorToRGB(clRed));
  Button->SetEnabled(false);
  Button->Repaint();
  EXPECT_NE(Button->Canvas()->Pixel(11, 11), ColorToRGB(clRed));
  Images->Free();
  EXPECT_EQ(Bar->Images(), nullptr);
}
