// A form resource made of every text-entry control, read back through the
// published properties by name, as the condition sets and the language
// layer read and write them.

#include <gtest/gtest.h>

#include "platform/core/Classes.h"
#include "platform/rtti/Publish.h"
#include "platform/rtti/TypInfo.h"
#include "platform/ui/Bevel.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Label.h"
#include "platform/ui/MaskEdit.h"
#include "platform/ui/SpinEdit.h"
#include "tests/platform/ControlHost.h"

namespace {

class TStdCtrlsTestForm : public TForm {
  TANDREL_CLASS(TStdCtrlsTestForm, TForm)
  using TForm::TForm;

  TLabel* lblDate = nullptr;
  TMaskEdit* meDate = nullptr;
  TMemo* memNote = nullptr;
};

}  // namespace

TANDREL_PUBLISH(TStdCtrlsTestForm) {
  Info.Field("lblDate", &TStdCtrlsTestForm::lblDate);
  Info.Field("meDate", &TStdCtrlsTestForm::meDate);
  Info.Field("memNote", &TStdCtrlsTestForm::memNote);
}

namespace {

class StdCtrlsFormTest : public ::testing::Test {
 protected:
  void SetUp() override { THeadlessDriver::Reset(); }
  void TearDown() override {
    Form->Free();
    Application().ProcessMessages();
  }

  std::string Prop(const std::string& Component, const std::string& Path) const {
    return GetPropText(Form->FindComponent(Component), Path);
  }

  TStdCtrlsTestForm* Form = CreateForm<TStdCtrlsTestForm>(nullptr);
};

TEST_F(StdCtrlsFormTest, EveryControlLoadsAndReadsBackByName) {
  struct TCase {
    const char* Component;
    const char* Property;
    const char* Value;
  };
  for (TCase C : {TCase{"lblDate", "Caption", "制表日期(&D)"}, TCase{"lblDate", "FocusControl", "meDate"},
                  TCase{"lblDate", "Layout", "tlCenter"}, TCase{"lblDate", "Alignment", "taRightJustify"},
                  TCase{"meDate", "EditMask", "9999/99/99;1; "}, TCase{"meDate", "Text", "2024/03/05"},
                  TCase{"me01", "Text", "SR0112345678901"}, TCase{"edName", "Text", "名称"},
                  TCase{"edName", "MaxLength", "10"}, TCase{"edName", "ImeName", "中文 (简体) - 美式键盘"}, TCase{"edName", "ReadOnly", "True"},
                  TCase{"memNote", "WantReturns", "False"}, TCase{"cboDay", "Style", "csDropDownList"},
                  TCase{"cboDay", "ItemIndex", "1"}, TCase{"cboDay", "Text", "第 2 个"},
                  TCase{"seHour", "Value", "7"}, TCase{"seHour", "Text", "7"},
                  TCase{"bvlLine", "Shape", "bsTopLine"}})
    EXPECT_EQ(Prop(C.Component, C.Property), C.Value) << C.Component << "." << C.Property;
  EXPECT_EQ(Form->memNote->Lines()->Strings(1), "5.Portal用户");
  EXPECT_EQ(static_cast<TMaskEdit*>(Form->FindComponent("me01"))->EditText(), "SR01-12345678901");
}

TEST_F(StdCtrlsFormTest, PublishedTypeNamesAreTheClassicOnes) {
  struct TCase {
    const char* Component;
    const char* Property;
    const char* Type;
  };
  for (TCase C : {TCase{"meDate", "EditMask", "TEditMask"}, TCase{"meDate", "Text", "TMaskedText"},
                  TCase{"memNote", "Lines", "TStrings"}, TCase{"cboDay", "Items", "TStrings"},
                  TCase{"cboDay", "Style", "TComboBoxStyle"}, TCase{"lblDate", "Layout", "TTextLayout"},
                  TCase{"edName", "OnChange", "TNotifyEvent"}})
    EXPECT_TRUE(PropIsType(Form->FindComponent(C.Component), C.Property, C.Type)) << C.Component << "." << C.Property;
}

TEST_F(StdCtrlsFormTest, TheLabelsAccelCharFocusesItsMaskEdit) {
  Form->Show();
  THeadlessDriver::PressKey(VK_TAB);
  THeadlessDriver::PressKey('D', {ssAlt});
  EXPECT_TRUE(Form->meDate->Focused());
}

}  // namespace
