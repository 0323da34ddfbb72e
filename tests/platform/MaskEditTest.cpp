#include <gtest/gtest.h>

#include "platform/ui/Edit.h"
#include "platform/ui/Keys.h"
#include "platform/ui/MaskEdit.h"
#include "platform/ui/MaskUtils.h"
#include "tests/platform/ControlHost.h"
#include "tests/platform/FormatSettingsGuard.h"

namespace {

struct TMaskCase {
  const char* Mask;
  const char* Input;
  const char* EditText;
  const char* Text;
};

void PrintTo(const TMaskCase& C, std::ostream* Os) { *Os << '"' << C.Mask << "\" <- \"" << C.Input << '"'; }

class MaskEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Edit = Host.Add<TMaskEdit>();
    Other = Host.Add<TEdit>();
    Edit->SetFocus();
  }

  void Type(const std::string& Mask, const std::string& Keys) {
    Edit->SetEditMask(Mask);
    Edit->SetSelStart(0);
    THeadlessDriver::TypeText(Keys);
  }

  FormatSettingsGuard Settings;
  TControlHost Host;
  TMaskEdit* Edit = nullptr;
  TEdit* Other = nullptr;
};

class MaskTyping : public MaskEditTest, public ::testing::WithParamInterface<TMaskCase> {};

// Typed keys: characters the position does not take are refused, typing the
// next literal skips to it, letters take the position's case.
TEST_P(MaskTyping, ShowsAndKeepsWhatTheMaskAllows) {
  const TMaskCase& C = GetParam();
  Type(C.Mask, C.Input);
  EXPECT_EQ(Edit->EditText(), C.EditText);
  EXPECT_EQ(Edit->Text(), C.Text);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskTyping,
    ::testing::Values(
        TMaskCase{"9999/99/99;1; ", "", "    /  /  ", "    /  /  "},
        TMaskCase{"9999/99/99;1; ", "20240205", "2024/02/05", "2024/02/05"},
        TMaskCase{"9999/99/99;1; ", "2024/02/05", "2024/02/05", "2024/02/05"},
        TMaskCase{"9999/99/99;1; ", "2024/2/5", "2024/2 /5 ", "2024/2 /5 "},
        TMaskCase{"9999/99/99;1; ", "2x0y2z4", "2024/  /  ", "2024/  /  "},
        TMaskCase{"9999/99/99;0; ", "20240205", "2024/02/05", "20240205"},
        TMaskCase{"!aaaa-aaaaaaaaaaa;0; ", "", "    -           ", ""},
        TMaskCase{"!aaaa-aaaaaaaaaaa;0; ", "SR0112345678901", "SR01-12345678901", "SR0112345678901"},
        TMaskCase{"!aaaa-aaaaaaaaaaa;0; ", "SR01-123", "SR01-123        ", "SR01123        "},
        TMaskCase{"!aaaa-aaaaaaaaaaa;0; ", "SR+01", "SR01-           ", "SR01           "},
        TMaskCase{"(999) 000-0000;1;_", "5551234567", "(555) 123-4567", "(555) 123-4567"},
        TMaskCase{"(999) 000-0000;0;_", "55512", "(555) 12_-____", "55512"},
        TMaskCase{">LL<ll;0;_", "abCD", "ABcd", "ABcd"},
        TMaskCase{">L<>l;0;_", "ab", "Ab", "Ab"},
        TMaskCase{"LL;0;_", "a1b", "ab", "ab"},
        TMaskCase{"aaa;0;_", "日1-", "日1_", "日1"},
        TMaskCase{"#99;0;_", "-12", "-12", "-12"},
        TMaskCase{"ccc;0;*", "a b", "a b", "a b"},
        TMaskCase{"\\L00;1;_", "12", "L12", "L12"},
        TMaskCase{"999", "1", "1__", "1  "},
        TMaskCase{"000;1;_", "1a2", "12_", "12 "}));

struct TTextCase {
  const char* Mask;
  const char* Text;
  const char* EditText;
  const char* ReadBack;
};

void PrintTo(const TTextCase& C, std::ostream* Os) { *Os << '"' << C.Mask << "\" = \"" << C.Text << '"'; }

class MaskText : public MaskEditTest, public ::testing::WithParamInterface<TTextCase> {};

// A text set by the program comes in the form Text gives it: with literals
// when the mask saves them (each field padded to its width), else without.
TEST_P(MaskText, ProgramTextIsLaidOverTheMask) {
  const TTextCase& C = GetParam();
  Edit->SetEditMask(C.Mask);
  Edit->SetText(C.Text);
  EXPECT_EQ(Edit->EditText(), C.EditText);
  EXPECT_EQ(Edit->Text(), C.ReadBack);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskText,
    ::testing::Values(TTextCase{"9999/99/99;1; ", "2024/2/5", "2024/2 /5 ", "2024/2 /5 "},
                      TTextCase{"9999/99/99;1; ", "", "    /  /  ", "    /  /  "},
                      TTextCase{"9999/99/99;0; ", "20240205", "2024/02/05", "20240205"},
                      TTextCase{"!aaaa-aaaaaaaaaaa;0; ", "SR0112345678901", "SR01-12345678901", "SR0112345678901"},
                      TTextCase{"!999;0;_", "12", "_12", "12"},
                      TTextCase{"000;0;_", "12345", "123", "123"},
                      TTextCase{"000;0;_", "1x3", "1_3", "1 3"}));

TEST_F(MaskEditTest, TheSeparatorCharactersFollowTheProcessSettings) {
  FormatSettings().DateSeparator = '-';
  FormatSettings().TimeSeparator = '.';
  Type("9999/99/99;1; ", "2024-02-05");
  EXPECT_EQ(Edit->EditText(), "2024-02-05");
  Type("99:99;1;_", "1230");
  EXPECT_EQ(Edit->Text(), "12.30");
}

// The check of an empty value switches ";1" to ";0" and back around
// clearing the text; what the user typed must survive both switches.
TEST_F(MaskEditTest, ChangingTheMaskKeepsWhatCanBeKept) {
  Type("9999/99/99;1; ", "20240205");
  Edit->SetEditMask("9999/99/99;0; ");
  EXPECT_EQ(Edit->EditText(), "2024/02/05");
  EXPECT_EQ(Edit->Text(), "20240205");
  Edit->SetEditMask("9999/99/99;1; ");
  EXPECT_EQ(Edit->Text(), "2024/02/05");

  Edit->SetEditMask("");
  EXPECT_EQ(Edit->Text(), "20240205");
  Edit->SetEditMask("99/99;1;_");
  EXPECT_EQ(Edit->EditText(), "20/24");

  Edit->SetEditMask("");
  Edit->SetText("ab12");
  Edit->SetEditMask("9999;0;_");
  EXPECT_EQ(Edit->EditText(), "__12");
}

// How the condition form finds the text a date field shows with nothing
// typed: ";1" to ";0", clear, back to ";1", read, put the text back.
TEST_F(MaskEditTest, TheEmptyTextOfAMaskThatKeepsLiteralsCanBeFoundAndTheTextRestored) {
  Type("9999/99/99;1; ", "2024/3/5");
  std::string Typed = Edit->Text();
  Edit->SetEditMask("9999/99/99;0; ");
  Edit->SetText("");
  Edit->SetEditMask("9999/99/99;1; ");
  EXPECT_EQ(Edit->Text(), "    /  /  ");
  Edit->SetText(Typed);
  EXPECT_EQ(Edit->Text(), "2024/3 /5 ");
}

TEST_F(MaskEditTest, AnEmptyMaskMakesAPlainEdit) {
  Edit->SetMaxLength(3);
  THeadlessDriver::TypeText("a-b c");
  EXPECT_EQ(Edit->Text(), "a-b");
  EXPECT_EQ(Edit->EditText(), "a-b");
}

TEST_F(MaskEditTest, BackspaceAndDeleteBlankPositionsAndSkipLiterals) {
  Type("9999/99/99;1; ", "20240205");
  THeadlessDriver::PressKey(VK_BACK);
  THeadlessDriver::PressKey(VK_BACK);
  THeadlessDriver::PressKey(VK_BACK);
  EXPECT_EQ(Edit->EditText(), "2024/0 /  ");
  EXPECT_EQ(Edit->SelStart(), 6);
  Edit->SetSelStart(0);
  THeadlessDriver::PressKey(VK_DELETE);
  EXPECT_EQ(Edit->EditText(), " 024/0 /  ");
  THeadlessDriver::TypeText("1");
  EXPECT_EQ(Edit->EditText(), "1024/0 /  ");
}

TEST_F(MaskEditTest, TypingOverASelectionBlanksItFirst) {
  Type("9999/99/99;1; ", "20240205");
  Edit->SetSelStart(2);
  Edit->SetSelLength(4);
  THeadlessDriver::TypeText("9");
  EXPECT_EQ(Edit->EditText(), "209 / 2/05");
}

TEST_F(MaskEditTest, PastedTextFillsTheInputPositionsTheMaskAllows) {
  Type("9999/99/99;1; ", "");
  Edit->SetSelStart(2);
  Edit->SetSelText("24-0x3");
  EXPECT_EQ(Edit->EditText(), "  24/03/  ");
  EXPECT_EQ(Edit->SelStart(), 8);
}

TEST_F(MaskEditTest, OnChangeRunsForEveryAcceptedKeyOnly) {
  int Changes = 0;
  struct TCounter {
    int* Count;
    void Changed(TObject*) { ++*Count; }
  } Counter{&Changes};
  Edit->SetEditMask("000;0;_");
  Edit->OnChange = TNotifyEvent::Of<&TCounter::Changed>(&Counter);
  Edit->SetSelStart(0);
  THeadlessDriver::TypeText("1x2");
  EXPECT_EQ(Changes, 2);
  Edit->SetReadOnly(true);
  THeadlessDriver::TypeText("3");
  THeadlessDriver::PressKey(VK_BACK);
  EXPECT_EQ(Edit->EditText(), "12_");
  EXPECT_EQ(Changes, 2);
}

// Required positions must be filled before the focus may leave; Esc gives
// back the text the control had when it was entered.
TEST_F(MaskEditTest, AnIncompleteRequiredMaskKeepsTheFocusAndEscRestores) {
  Edit->SetEditMask("000;1;_");
  Edit->SetText("12");
  Other->SetFocus();
  Edit->SetFocus();
  Edit->SetSelStart(2);
  THeadlessDriver::PressKey(VK_BACK);
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_TRUE(Edit->Focused());
  ASSERT_EQ(THeadlessDriver::Dialogs().size(), 1u);
  EXPECT_EQ(THeadlessDriver::Dialogs()[0].Text, "Invalid input value.  Use escape key to abandon changes.");
  THeadlessDriver::PressKey(VK_ESCAPE);
  EXPECT_EQ(Edit->EditText(), "12_");
  Edit->SetSelStart(2);
  THeadlessDriver::TypeText("3");
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_TRUE(Other->Focused());
  EXPECT_EQ(Edit->Text(), "123");
}

TEST(MaskUtilsTest, FormatMaskTextShowsAValueAsTheMaskLaysItOut) {
  EXPECT_EQ(FormatMaskText("9999/99/99;1;_", "2024/2/5"), "2024/2 /5 ");
  EXPECT_EQ(FormatMaskText("9999/99/99;0;_", "20240205"), "2024/02/05");
  EXPECT_EQ(FormatMaskText("!999;0;_", "5"), "  5");
  EXPECT_EQ(FormatMaskText("", "as is"), "as is");
}

}  // namespace
