#include <gtest/gtest.h>

#include "platform/core/Classes.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Bevel.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Label.h"
#include "tests/platform/ControlHost.h"

namespace {

struct TChangeCounter {
  int Count = 0;
  void Changed(TObject*) { ++Count; }
};

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Edit = Host.Add<TEdit>();
    Edit->OnChange = TNotifyEvent::Of<&TChangeCounter::Changed>(&Changes);
    Edit->SetFocus();
  }

  TControlHost Host;
  TEdit* Edit = nullptr;
  TChangeCounter Changes;
};

TEST_F(EditTest, TypedCharactersGoInAtTheCaretAndReplaceTheSelection) {
  THeadlessDriver::TypeText("held");
  THeadlessDriver::PressKey(VK_LEFT);
  THeadlessDriver::TypeText("l");
  EXPECT_EQ(Edit->Text(), "helld");
  THeadlessDriver::PressKey(VK_HOME);
  THeadlessDriver::PressKey(VK_RIGHT, {ssShift});
  THeadlessDriver::PressKey(VK_RIGHT, {ssShift});
  EXPECT_EQ(Edit->SelText(), "he");
  THeadlessDriver::TypeText("日本");
  EXPECT_EQ(Edit->Text(), "日本lld");
  EXPECT_EQ(Edit->SelStart(), 2);
  EXPECT_TRUE(Edit->Modified());
  EXPECT_EQ(Changes.Count, 7);
}

TEST_F(EditTest, BackspaceAndDeleteRemoveOneCharacterOrTheSelection) {
  Edit->SetText("abcdef");
  Edit->SetSelStart(3);
  THeadlessDriver::PressKey(VK_BACK);
  THeadlessDriver::PressKey(VK_DELETE);
  EXPECT_EQ(Edit->Text(), "abef");
  Edit->SelectAll();
  THeadlessDriver::PressKey(VK_DELETE);
  EXPECT_EQ(Edit->Text(), "");
  THeadlessDriver::PressKey(VK_BACK);
  EXPECT_EQ(Changes.Count, 4);
}

TEST_F(EditTest, MaxLengthLimitsTypingButNotTheProgram) {
  Edit->SetMaxLength(3);
  THeadlessDriver::TypeText("abcd");
  EXPECT_EQ(Edit->Text(), "abc");
  Edit->SetSelStart(1);
  Edit->SetSelLength(1);
  THeadlessDriver::TypeText("X");
  EXPECT_EQ(Edit->Text(), "aXc");
  Edit->SetText("longer");
  EXPECT_EQ(Edit->Text(), "longer");
}

TEST_F(EditTest, ReadOnlyRefusesEveryChangeOfTheUser) {
  Edit->SetText("fixed");
  Edit->SetReadOnly(true);
  Changes.Count = 0;
  THeadlessDriver::TypeText("x");
  THeadlessDriver::PressKey(VK_BACK);
  THeadlessDriver::PressKey(VK_DELETE);
  EXPECT_EQ(Edit->Text(), "fixed");
  EXPECT_EQ(Changes.Count, 0);
}

TEST_F(EditTest, TheProgramsTextRunsOnChangeOnlyWhenItDiffersAndClearsModified) {
  THeadlessDriver::TypeText("a");
  Edit->SetText("b");
  Edit->SetText("b");
  EXPECT_EQ(Changes.Count, 2);
  EXPECT_FALSE(Edit->Modified());
  EXPECT_EQ(Edit->SelStart(), 0);
  Edit->SetSelStart(99);
  EXPECT_EQ(Edit->SelStart(), 1);
  Edit->SetSelText("cd");
  EXPECT_EQ(Edit->Text(), "bcd");
}

TEST_F(EditTest, EnteringSelectsAllAndEnterGoesToTheDefaultButton) {
  auto* Other = Host.Add<TEdit>();
  auto* Ok = Host.Add<TButton>();
  Ok->SetDefault(true);
  Ok->SetModalResult(mrOk);
  Edit->SetText("chosen");
  Other->SetFocus();
  THeadlessDriver::PressKey(VK_TAB, {ssShift});
  EXPECT_EQ(Edit->SelLength(), 6);
  THeadlessDriver::PressKey(VK_RETURN);
  EXPECT_EQ(Edit->Text(), "chosen");
  EXPECT_EQ(Host.Form->ModalResult(), mrOk);
}

// --- memo ----------------------------------------------------------------------

class MemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Memo = Host.Add<TMemo>();
    Memo->SetFocus();
  }

  TControlHost Host;
  TMemo* Memo = nullptr;
};

TEST_F(MemoTest, LinesAreAViewOfTheText) {
  Memo->Lines()->Add("first");
  Memo->Lines()->Add("second");
  EXPECT_EQ(Memo->Text(), "first\r\nsecond\r\n");
  Memo->Lines()->SetStrings(0, "1st");
  Memo->Lines()->Insert(1, "");
  EXPECT_EQ(Memo->Lines()->Count(), 3);
  Memo->Lines()->Delete(2);
  EXPECT_EQ(Memo->Text(), "1st\r\n\r\n");
  Memo->SetText("a\nb\r\nc");
  EXPECT_EQ(Memo->Lines()->Count(), 3);
  EXPECT_EQ(Memo->Lines()->Strings(2), "c");
  EXPECT_THROW(Memo->Lines()->Strings(3), EListError);
  Memo->Lines()->Clear();
  EXPECT_EQ(Memo->Text(), "");
}

// The base form reads the caret's line in its key preview before the memo
// takes the Enter (new lines on lines 0 and 1, the next control from line 2).
TEST_F(MemoTest, EnterTypesALineBreakAndTheFormSeesTheCaretLineFirst) {
  struct TPreview {
    TMemo* Memo;
    std::vector<int> Lines;
    void KeyPress(TObject*, char32_t& Key) {
      if (Key == CharEnter) Lines.push_back(Memo->CaretPos().Y);
    }
  } Preview{Memo, {}};
  Host.Form->SetKeyPreview(true);
  Host.Form->OnKeyPress = TKeyPressEvent::Of<&TPreview::KeyPress>(&Preview);
  THeadlessDriver::TypeText("ab");
  THeadlessDriver::PressKey(VK_RETURN);
  THeadlessDriver::TypeText("c");
  THeadlessDriver::PressKey(VK_RETURN);
  THeadlessDriver::PressKey(VK_RETURN);
  EXPECT_EQ(Memo->Text(), "ab\r\nc\r\n\r\n");
  EXPECT_EQ(Preview.Lines, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Memo->CaretPos(), (TPoint{0, 3}));
}

TEST_F(MemoTest, WithoutWantReturnsEnterTypesNothing) {
  auto* Ok = Host.Add<TButton>();
  Ok->SetDefault(true);
  Ok->SetModalResult(mrOk);
  Memo->SetWantReturns(false);
  THeadlessDriver::PressKey(VK_RETURN);
  EXPECT_EQ(Memo->Text(), "");
  EXPECT_EQ(Host.Form->ModalResult(), mrOk);
}

TEST_F(MemoTest, CursorKeysMoveBetweenLinesKeepingTheColumn) {
  Memo->SetText("abcd\r\nx\r\nlonger");
  Memo->SetCaretPos({3, 0});
  EXPECT_EQ(Memo->SelStart(), 3);
  THeadlessDriver::PressKey(VK_DOWN);
  EXPECT_EQ(Memo->CaretPos(), (TPoint{1, 1}));
  THeadlessDriver::PressKey(VK_DOWN);
  THeadlessDriver::PressKey(VK_END);
  EXPECT_EQ(Memo->CaretPos(), (TPoint{6, 2}));
  THeadlessDriver::PressKey(VK_DOWN);
  EXPECT_EQ(Memo->CaretPos(), (TPoint{6, 2}));
  THeadlessDriver::PressKey(VK_UP);
  THeadlessDriver::PressKey(VK_UP);
  EXPECT_EQ(Memo->CaretPos(), (TPoint{1, 0}));
  THeadlessDriver::PressKey(VK_HOME);
  EXPECT_EQ(Memo->SelStart(), 0);
}

TEST_F(MemoTest, TabMovesOnUnlessTheMemoWantsTabs) {
  auto* Next = Host.Add<TEdit>();
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_TRUE(Next->Focused());
  Memo->SetFocus();
  Memo->SetWantTabs(true);
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_EQ(Memo->Text(), "\t");
}

// --- label and bevel ---------------------------------------------------------------

class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override { Label = Host.Add<TLabel>(); }

  TControlHost Host;
  TLabel* Label = nullptr;
};

// Headless metrics: 11 pixels high, 6 wide for each ASCII character.
TEST_F(LabelTest, AutoSizeTakesTheTextsSizeWithoutTheAccelMark) {
  Label->SetBounds(100, 10, 10, 10);
  Label->SetCaption("&Name");
  EXPECT_EQ(Label->Width(), 24);
  EXPECT_EQ(Label->Height(), 11);
  Label->SetAlignment(taRightJustify);
  Label->SetCaption("Na");
  EXPECT_EQ(Label->Left(), 112);
  EXPECT_EQ(Label->Width(), 12);
  Label->SetAutoSize(false);
  Label->SetCaption("A longer caption");
  EXPECT_EQ(Label->Width(), 12);
}

TEST_F(LabelTest, AWrappingLabelKeepsItsWidthAndBreaksAtBlanksOrBetweenChineseCharacters) {
  Label->SetWordWrap(true);
  Label->SetWidth(40);
  struct TCase {
    const char* Caption;
    std::vector<std::string> Lines;
  };
  for (const TCase& C : {TCase{"one two three", {"one", "two", "three"}}, TCase{"制表日期", {"制表日", "期"}},
                         TCase{"abcdefghij", {"abcdef", "ghij"}}, TCase{"a\r\n\r\nb", {"a", "", "b"}}}) {
    Label->SetCaption(C.Caption);
    EXPECT_EQ(Label->Width(), 40);
    EXPECT_EQ(Label->Height(), 11 * static_cast<int>(C.Lines.size())) << C.Caption;
    Label->Canvas()->ClearTextDrawn();
    Label->Repaint();
    std::vector<std::string> Drawn;
    for (const TTextRecord& R : Label->Canvas()->TextDrawn()) Drawn.push_back(R.Text);
    EXPECT_EQ(Drawn, C.Lines);
  }
}

TEST_F(LabelTest, LayoutPlacesTheTextVertically) {
  Label->SetAutoSize(false);
  Label->SetBounds(0, 0, 60, 31);
  Label->SetCaption("x");
  struct TCase {
    TTextLayout Layout;
    int Top;
  };
  for (TCase C : {TCase{tlTop, 0}, TCase{tlCenter, 10}, TCase{tlBottom, 20}}) {
    Label->SetLayout(C.Layout);
    Label->Canvas()->ClearTextDrawn();
    Label->Repaint();
    ASSERT_EQ(Label->Canvas()->TextDrawn().size(), 1u);
    EXPECT_EQ(Label->Canvas()->TextDrawn()[0].Rect.Top, C.Top) << C.Layout;
  }
}

TEST_F(LabelTest, TheAccelCharFocusesTheFocusControlUntilItIsFreed) {
  auto* First = Host.Add<TEdit>();
  auto* Target = Host.Add<TEdit>();
  First->SetFocus();
  Label->SetCaption("&Name");
  Label->SetFocusControl(Target);
  THeadlessDriver::PressKey('N', {ssAlt});
  EXPECT_TRUE(Target->Focused());
  EXPECT_EQ(First->Text(), "");
  First->SetFocus();
  Label->SetShowAccelChar(false);
  THeadlessDriver::PressKey('N', {ssAlt});
  EXPECT_TRUE(First->Focused());
  Target->Free();
  EXPECT_EQ(Label->FocusControl(), nullptr);
}

TEST(BevelTest, ALoweredBoxHasItsShadowTopLeftAndARaisedOneBottomRight) {
  TControlHost Host;
  auto* Bevel = Host.Add<TBevel>();
  Bevel->SetBounds(0, 0, 10, 10);
  Bevel->Repaint();
  EXPECT_EQ(Bevel->Canvas()->Pixel(0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Bevel->Canvas()->Pixel(9, 9), ColorToRGB(clBtnHighlight));
  Bevel->SetStyle(bsRaised);
  Bevel->Repaint();
  EXPECT_EQ(Bevel->Canvas()->Pixel(0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Bevel->Canvas()->Pixel(9, 9), ColorToRGB(clBtnShadow));
}

}  // namespace
