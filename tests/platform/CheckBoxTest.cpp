#include <gtest/gtest.h>

#include <memory>

#include "platform/rtti/Publish.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/HeadlessWidgetSet.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Panels.h"
#include "tests/platform/ButtonsSampleForm.h"

namespace {

using Strings = std::vector<std::string>;

// A radio button of its own class, as the framework derives them.
class TOtherRadioButton : public TRadioButton {
  TANDREL_CLASS(TOtherRadioButton, TRadioButton)
  using TRadioButton::TRadioButton;
};

class CheckBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    THeadlessDriver::Reset();
    Form = CreateForm<TForm>(nullptr);
    Form->Show();
  }
  void TearDown() override { Form->Free(); }

  template <class T>
  T* Add(const std::string& Name, TWinControl* Parent) {
    T* C = new T(Form);
    C->SetName(Name);
    C->SetParent(Parent);
    C->OnClick = TNotifyEvent::Of<&TClickLog::Clicked>(&Log);
    return C;
  }

  TForm* Form = nullptr;
  TClickLog Log;
};

}  // namespace

TANDREL_PUBLISH(TOtherRadioButton) {}

TEST_F(CheckBoxTest, ClicksCycleTheStatesAndEveryChangeRunsOnClick) {
  struct TCase {
    bool AllowGrayed;
    std::vector<TCheckBoxState> Expected;
  };
  const TCase Cases[] = {
      {false, {cbChecked, cbUnchecked, cbChecked}},
      {true, {cbGrayed, cbChecked, cbUnchecked}},
  };
  for (const TCase& Case : Cases) {
    auto* Box = Add<TCheckBox>(Case.AllowGrayed ? "chkGrayed" : "chkPlain", Form);
    Box->SetAllowGrayed(Case.AllowGrayed);
    std::vector<TCheckBoxState> Seen;
    for (int I = 0; I < 3; ++I) {
      THeadlessDriver::Click(Box);
      Seen.push_back(Box->State());
    }
    EXPECT_EQ(Seen, Case.Expected) << "AllowGrayed " << Case.AllowGrayed;
    EXPECT_EQ(Log.Log.size(), 3u);
    Log.Log.clear();
  }
}

TEST_F(CheckBoxTest, CodeSetsTheStateWithAClickButClickAloneChangesNothing) {
  auto* Box = Add<TCheckBox>("chkNotify", Form);
  Box->SetChecked(true);
  Box->SetChecked(true);
  EXPECT_EQ(Log.Log, (Strings{"chkNotify"}));
  Box->Click();
  EXPECT_TRUE(Box->Checked());
  Box->SetState(cbGrayed);
  EXPECT_FALSE(Box->Checked());
}

TEST_F(CheckBoxTest, SpaceAndTheAcceleratorToggleTheBox) {
  auto* Box = Add<TCheckBox>("chkLog", Form);
  Box->SetCaption("生成&Log文档");
  Box->SetFocus();
  THeadlessDriver::PressKey(VK_SPACE);
  EXPECT_TRUE(Box->Checked());
  THeadlessDriver::PressKey('L', {ssAlt});
  EXPECT_FALSE(Box->Checked());
}

TEST_F(CheckBoxTest, AReleaseOutsideTheBoxDoesNotToggleIt) {
  auto* Box = Add<TCheckBox>("chkNotify", Form);
  THeadlessDriver::MouseDown(Box, mbLeft, 5, 5);
  THeadlessDriver::MouseUp(Box, mbLeft, Box->Width() + 5, 5);
  EXPECT_FALSE(Box->Checked());
  EXPECT_TRUE(Log.Log.empty());
}

TEST_F(CheckBoxTest, DisabledBoxesIgnoreTheMouse) {
  auto* Box = Add<TCheckBox>("chkNotify", Form);
  Box->SetEnabled(false);
  THeadlessDriver::Click(Box);
  EXPECT_FALSE(Box->Checked());
}

TEST_F(CheckBoxTest, ARadioButtonUnchecksOnlyItsSiblingsOfTheSameClass) {
  auto* Page = new TPanel(Form);
  Page->SetParent(Form);
  auto* Other = new TPanel(Form);
  Other->SetParent(Form);
  auto* rdoQueue = Add<TRadioButton>("rdoQueue", Page);
  auto* rdoRealTime = Add<TRadioButton>("rdoRealTime", Page);
  auto* rdoOwn = Add<TOtherRadioButton>("rdoOwn", Page);
  auto* rdoElsewhere = Add<TRadioButton>("rdoElsewhere", Other);
  for (TRadioButton* R : std::initializer_list<TRadioButton*>{rdoQueue, rdoOwn, rdoElsewhere}) R->SetChecked(true);
  Log.Log.clear();

  THeadlessDriver::Click(rdoRealTime);
  EXPECT_TRUE(rdoRealTime->Checked());
  EXPECT_FALSE(rdoQueue->Checked());
  EXPECT_TRUE(rdoOwn->Checked());
  EXPECT_TRUE(rdoElsewhere->Checked());
  // Clicking the checked one again changes nothing and runs no click.
  THeadlessDriver::Click(rdoRealTime);
  EXPECT_EQ(Log.Log, (Strings{"rdoRealTime"}));
}

TEST_F(CheckBoxTest, ARadioButtonIsATabStopWhileChecked) {
  auto* A = Add<TRadioButton>("rdoA", Form);
  auto* B = Add<TRadioButton>("rdoB", Form);
  EXPECT_FALSE(A->TabStop());
  A->SetChecked(true);
  EXPECT_TRUE(A->TabStop());
  B->SetChecked(true);
  EXPECT_FALSE(A->TabStop());
  EXPECT_TRUE(B->TabStop());
}

TEST_F(CheckBoxTest, AlignmentIsLeftOrRight) {
  auto* Box = Add<TCheckBox>("chkNotify", Form);
  EXPECT_EQ(Box->Alignment(), taRightJustify);
  Box->SetAlignment(taLeftJustify);
  EXPECT_EQ(Box->Alignment(), taLeftJustify);
  EXPECT_THROW(Box->SetAlignment(taCenter), EInvalidControlOperation);
}
