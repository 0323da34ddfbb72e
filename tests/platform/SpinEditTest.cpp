#include <gtest/gtest.h>

#include "platform/ui/Edit.h"
#include "platform/ui/Keys.h"
#include "platform/ui/SpinEdit.h"
#include "tests/platform/ControlHost.h"

namespace {

class SpinEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Spin = Host.Add<TSpinEdit>();
    Other = Host.Add<TEdit>();
    Spin->SetMinValue(1);
    Spin->SetMaxValue(31);
    Spin->SetFocus();
    Spin->SelectAll();
  }

  TControlHost Host;
  TSpinEdit* Spin = nullptr;
  TEdit* Other = nullptr;
};

struct TSpinCase {
  const char* Keys;
  const char* Text;
  int Value;
};

class SpinTyping : public SpinEditTest, public ::testing::WithParamInterface<TSpinCase> {};

// Only digits and signs are typed; a text that is no number reads as the
// minimum. A sign after the digits stays for the change handler to judge.
TEST_P(SpinTyping, TakesDigitsAndSigns) {
  THeadlessDriver::TypeText(GetParam().Keys);
  EXPECT_EQ(Spin->Text(), GetParam().Text);
  EXPECT_EQ(Spin->Value(), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Keys, SpinTyping,
                         ::testing::Values(TSpinCase{"12", "12", 12}, TSpinCase{"1a2.", "12", 12},
                                           TSpinCase{"-5", "-5", -5}, TSpinCase{"12+", "12+", 1},
                                           TSpinCase{"+", "+", 1}, TSpinCase{"45", "45", 45}));

TEST_F(SpinEditTest, ArrowKeysStepTheValueWithinTheRange) {
  Spin->SetValue(30);
  Spin->SetIncrement(2);
  THeadlessDriver::PressKey(VK_UP);
  EXPECT_EQ(Spin->Text(), "31");
  THeadlessDriver::PressKey(VK_DOWN);
  EXPECT_EQ(Spin->Value(), 29);
  Spin->SetValue(-4);
  EXPECT_EQ(Spin->Value(), 1);
  Spin->SetMaxValue(1);
  Spin->SetValue(-4);
  EXPECT_EQ(Spin->Value(), -4);
}

// The exit handler sees what was typed; afterwards the text is in range.
TEST_F(SpinEditTest, LeavingPutsATypedNumberBackIntoTheRange) {
  struct TProbe {
    TSpinEdit* Spin;
    std::string Seen;
    void Exit(TObject*) { Seen = Spin->Text(); }
  } Probe{Spin, ""};
  Spin->OnExit = TNotifyEvent::Of<&TProbe::Exit>(&Probe);
  THeadlessDriver::TypeText("45");
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_EQ(Probe.Seen, "45");
  EXPECT_EQ(Spin->Text(), "31");
}

TEST_F(SpinEditTest, WithTheEditorDisabledOnlyTheKeysChangeTheValue) {
  Spin->SetValue(5);
  Spin->SetEditorEnabled(false);
  THeadlessDriver::TypeText("9");
  THeadlessDriver::PressKey(VK_BACK);
  EXPECT_EQ(Spin->Text(), "5");
  THeadlessDriver::PressKey(VK_UP);
  EXPECT_EQ(Spin->Value(), 6);
}

}  // namespace
