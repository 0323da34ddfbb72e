#include <gtest/gtest.h>

#include "platform/core/Classes.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Keys.h"
#include "tests/platform/ControlHost.h"

namespace {

struct TComboLog {
  std::vector<std::string> Events;
  void Change(TObject*) { Events.push_back("change"); }
  void Click(TObject*) { Events.push_back("click"); }
  void Select(TObject*) { Events.push_back("select"); }
};

class ComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Combo = Host.Add<TComboBox>();
    Combo->Items()->SetCommaText("Apple,Banana,Cherry,Blueberry");
    Combo->OnChange = TNotifyEvent::Of<&TComboLog::Change>(&Log);
    Combo->OnClick = TNotifyEvent::Of<&TComboLog::Click>(&Log);
    Combo->SetFocus();
  }

  TControlHost Host;
  TComboBox* Combo = nullptr;
  TComboLog Log;
};

struct TTypingCase {
  TComboBoxStyle Style;
  const char* Keys;
  const char* Text;
  int ItemIndex;
};

class ComboTyping : public ComboBoxTest, public ::testing::WithParamInterface<TTypingCase> {};

// The edit styles take any text (and find the item it names); the list
// styles pick the next item that starts with the typed character.
TEST_P(ComboTyping, TypedCharactersEditOrChoose) {
  Combo->SetStyle(GetParam().Style);
  THeadlessDriver::TypeText(GetParam().Keys);
  EXPECT_EQ(Combo->Text(), GetParam().Text);
  EXPECT_EQ(Combo->ItemIndex(), GetParam().ItemIndex);
}

INSTANTIATE_TEST_SUITE_P(Styles, ComboTyping,
                         ::testing::Values(TTypingCase{csDropDown, "Cher", "Cher", -1},
                                           TTypingCase{csSimple, "cherry", "cherry", 2},
                                           TTypingCase{csDropDownList, "b", "Banana", 1},
                                           TTypingCase{csDropDownList, "bb", "Blueberry", 3},
                                           TTypingCase{csOwnerDrawFixed, "c", "Cherry", 2},
                                           TTypingCase{csOwnerDrawVariable, "x", "", -1}));

TEST_F(ComboBoxTest, TheSelectionFollowsItsItemAndGoesWithIt) {
  Combo->SetItemIndex(2);
  Combo->Items()->Insert(0, "Apricot");
  EXPECT_EQ(Combo->ItemIndex(), 3);
  Combo->Items()->Delete(1);
  EXPECT_EQ(Combo->ItemIndex(), 2);
  Combo->Items()->SetStrings(2, "Cranberry");
  EXPECT_EQ(Combo->Text(), "Cranberry");
  Combo->Items()->Delete(2);
  EXPECT_EQ(Combo->ItemIndex(), -1);
  Combo->SetItemIndex(0);
  Combo->Items()->Clear();
  EXPECT_EQ(Combo->ItemIndex(), -1);
}

TEST_F(ComboBoxTest, SortingKeepsTheSelectionOnItsItem) {
  Combo->SetItemIndex(2);
  Combo->SetSorted(true);
  EXPECT_EQ(Combo->ItemIndex(), 3);
  EXPECT_EQ(Combo->Items()->Add("Apricot"), 1);
  EXPECT_EQ(Combo->ItemIndex(), 4);
  EXPECT_EQ(Combo->Text(), "Cherry");
}

TEST_F(ComboBoxTest, AnIndexOutsideTheItemsSelectsNothing) {
  Combo->SetStyle(csDropDownList);
  Combo->SetItemIndex(1);
  Combo->SetItemIndex(9);
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(Combo->Text(), "");
  Combo->SetText("Cherry");
  EXPECT_EQ(Combo->ItemIndex(), 2);
  Combo->SetText("Durian");
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_TRUE(Log.Events.empty());
}

// Changing the style (the code converter makes lists owner-drawn) keeps the
// selection; a list style shows only the selected item's text.
TEST_F(ComboBoxTest, ChangingTheStyleKeepsTheSelection) {
  Combo->SetItemIndex(1);
  Combo->SetStyle(csOwnerDrawFixed);
  EXPECT_EQ(Combo->ItemIndex(), 1);
  Combo->SetStyle(csDropDown);
  Combo->SetText("free text");
  Combo->SetStyle(csDropDownList);
  EXPECT_EQ(Combo->Text(), "");
}

TEST_F(ComboBoxTest, ArrowKeysChooseAndRaiseClickThenSelectOrChange) {
  Combo->SetStyle(csDropDownList);
  THeadlessDriver::PressKey(VK_DOWN);
  THeadlessDriver::PressKey(VK_DOWN);
  EXPECT_EQ(Combo->ItemIndex(), 1);
  THeadlessDriver::PressKey(VK_END);
  THeadlessDriver::PressKey(VK_DOWN);
  EXPECT_EQ(Combo->Text(), "Blueberry");
  EXPECT_EQ(Log.Events, (std::vector<std::string>{"click", "change", "click", "change", "click", "change"}));
  Log.Events.clear();
  Combo->OnSelect = TNotifyEvent::Of<&TComboLog::Select>(&Log);
  THeadlessDriver::PressKey(VK_HOME);
  EXPECT_EQ(Log.Events, (std::vector<std::string>{"click", "select"}));
}

TEST_F(ComboBoxTest, EditingTheTextRaisesChangeAndKeepsMaxLength) {
  Combo->SetMaxLength(4);
  THeadlessDriver::TypeText("Appleton");
  EXPECT_EQ(Combo->Text(), "Appl");
  THeadlessDriver::PressKey(VK_BACK);
  THeadlessDriver::PressKey(VK_HOME);
  THeadlessDriver::PressKey(VK_DELETE);
  EXPECT_EQ(Combo->Text(), "pp");
  EXPECT_EQ(Log.Events.size(), 6u);
}

TEST_F(ComboBoxTest, F4AndAltDownDropTheListDown) {
  int Drops = 0;
  struct TDrop {
    int* Count;
    void DropDown(TObject*) { ++*Count; }
  } Drop{&Drops};
  Combo->OnDropDown = TNotifyEvent::Of<&TDrop::DropDown>(&Drop);
  THeadlessDriver::PressKey(VK_F4);
  EXPECT_TRUE(Combo->DroppedDown());
  THeadlessDriver::PressKey(VK_ESCAPE);
  EXPECT_FALSE(Combo->DroppedDown());
  THeadlessDriver::PressKey(VK_DOWN, {ssAlt});
  EXPECT_EQ(Drops, 2);
  EXPECT_EQ(Combo->ItemIndex(), -1);
}

}  // namespace
