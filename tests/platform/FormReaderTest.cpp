#include "platform/components/FormReader.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/components/Resources.h"
#include "platform/core/Classes.h"
#include "platform/rtti/TypInfo.h"
#include "tests/platform/SampleClasses.h"

namespace {

std::unique_ptr<TSampleDerived> CreateDerived() {
  LoadedLog().clear();
  return std::unique_ptr<TSampleDerived>(
      static_cast<TSampleDerived*>(FindClass("TSampleDerived").Create(nullptr)));
}

TEST(FormResources, EmbeddedUnderTheirClassNames) {
  ASSERT_NE(FindResource("TSampleBase"), nullptr);
  ASSERT_NE(FindResource("tsamplederived"), nullptr);
  EXPECT_EQ(FindResource("SampleBase"), nullptr);
  EXPECT_THROW(GetResource("TNoForm"), EResNotFound);
}

TEST(FormResources, BaseResourceBuildsTheForm) {
  LoadedLog().clear();
  std::unique_ptr<TComponent> Created(FindClass("TSampleBase").Create(nullptr));
  auto& Form = static_cast<TSampleBase&>(*Created);
  EXPECT_EQ(Form.Name(), "frmSampleBase");
  EXPECT_EQ(Form.Caption, "Sample");
  ASSERT_EQ(Form.ComponentCount(), 3);
  ASSERT_NE(Form.btnOk, nullptr);
  ASSERT_NE(Form.btnCancel, nullptr);
  ASSERT_NE(Form.pnlButtons, nullptr);
  EXPECT_EQ(Form.btnOk->Owner(), &Form) << "the root owns nested components too";
  EXPECT_EQ(Form.btnOk->Parent, Form.pnlButtons);
  EXPECT_EQ(Form.pnlButtons->Parent, &Form);

  TSampleControl& Ok = *Form.btnOk;
  EXPECT_EQ(Ok.Caption(), "确定");
  EXPECT_EQ(Ok.Style, stRaised);
  EXPECT_EQ(Ok.Options, (TSampleOptions{soBold, soUnderline}));
  EXPECT_EQ(Ok.Buddy(), Form.btnCancel) << "a reference to a component read later";
  EXPECT_EQ(Form.pnlButtons->Font()->Name, "Tahoma");
  EXPECT_EQ(Form.pnlButtons->Font()->Charset, GB2312_CHARSET);

  TSampleControl& Cancel = *Form.btnCancel;
  EXPECT_EQ(Cancel.Caption(), "Can't");
  EXPECT_EQ(Cancel.Left, 80);
  EXPECT_EQ(Cancel.Color, clBtnHighlight);
  EXPECT_EQ(Cancel.Cursor, crHourGlass);
  EXPECT_EQ(Cancel.Lines()->Text(), "first\r\nsecond\r\n");
  ASSERT_EQ(Cancel.Columns()->Count(), 2);
  auto* Code = static_cast<TSampleColumn*>(Cancel.Columns()->Items(0));
  auto* Name = static_cast<TSampleColumn*>(Cancel.Columns()->Items(1));
  EXPECT_EQ(Code->Caption, "Code");
  EXPECT_EQ(Code->Width, 80);
  EXPECT_EQ(Name->Caption, "Name");
  EXPECT_EQ(Name->Width, 50);

  TCloseAction Action = caHide;
  Form.OnClose(&Form, Action);
  EXPECT_EQ(Action, caFree);
  Word Key = 40;
  Ok.OnKeyDown(&Ok, Key, TShiftState{});
  EXPECT_EQ(Key, 0);
}

TEST(FormResources, DerivedResourceChangesAncestorComponentsAndAddsOwn) {
  auto Form = CreateDerived();
  EXPECT_EQ(Form->Name(), "frmSampleDerived");
  EXPECT_EQ(Form->Caption, "Derived");
  ASSERT_EQ(Form->ComponentCount(), 4);
  EXPECT_EQ(Form->btnOk->Caption(), "OK");
  EXPECT_DOUBLE_EQ(Form->btnOk->Ratio, 1.5);
  EXPECT_EQ(Form->btnOk->Style, stRaised) << "what the derived resource leaves alone stays";
  ASSERT_NE(Form->btnHelp, nullptr);
  EXPECT_EQ(Form->Components(3), Form->btnHelp);
  EXPECT_EQ(Form->btnHelp->Parent, Form->pnlButtons);
  EXPECT_EQ(Form->btnHelp->Left, -10);
  EXPECT_EQ(VarToStr(Form->btnHelp->Value), "42");

  Form->btnOk->OnClick(Form->btnOk);
  Form->btnHelp->OnClick(Form->btnHelp);
  ASSERT_EQ(Form->Clicked.size(), 1u);
  EXPECT_EQ(Form->Clicked[0], Form->btnOk);
  ASSERT_EQ(Form->HelpClicked.size(), 1u);
  EXPECT_EQ(GetPropText(Form->btnHelp, "OnClick"), "btnHelpClick");
}

TEST(FormResources, LoadingStateDuringTheReadAndLoadedOnceAfterInCreationOrder) {
  auto Form = CreateDerived();
  EXPECT_TRUE(Form->btnOk->CaptionSetWhileLoading);
  EXPECT_TRUE(Form->btnHelp->CaptionSetWhileLoading);
  for (int I = 0; I < Form->ComponentCount(); ++I)
    EXPECT_TRUE(Form->Components(I)->ComponentState().Empty()) << Form->Components(I)->Name();
  EXPECT_TRUE(Form->ComponentState().Empty());
  std::vector<std::string> Expected = {"frmSampleDerived", "pnlButtons", "btnOk", "btnCancel", "btnHelp"};
  EXPECT_EQ(LoadedLog(), Expected);
  EXPECT_EQ(Form->btnOk->LoadedCount, 1);
  Form->btnOk->SetCaption("later");
  EXPECT_FALSE(Form->btnOk->CaptionSetWhileLoading);
}

TEST(FormResources, ClassWithoutResourceReadsNothing) {
  TSampleControl Control(nullptr);
  EXPECT_FALSE(ReadComponentResources(&Control));
  EXPECT_THROW(ReadComponentResource(&Control, "TSampleControl"), EResNotFound);
}

TEST(FormResources, TextForms) {
  TSampleBase Form(nullptr);
  ReadComponentText(&Form,
                    "object frmText: TSampleBase\n"
                    "  object btnOk: TSampleControl\n"
                    "    Caption = 'a'#13#10'b' +\n"
                    "      ''''#$4E2D\n"
                    "    Left = -$10\n"
                    "    Ratio = -2.5E1\n"
                    "    Accel = 'q'\n"
                    "    Glyph = 20013\n"
                    "    Options = []\n"
                    "    Enabled = false\n"
                    "    Buddy = BTNOK\n"
                    "    OnClick = nil\n"
                    "  end\n"
                    "end\n",
                    "text");
  TSampleControl& Ok = *Form.btnOk;
  EXPECT_EQ(Ok.Caption(), "a\r\nb'中");
  EXPECT_EQ(Ok.Left, -16);
  EXPECT_DOUBLE_EQ(Ok.Ratio, -25);
  EXPECT_EQ(Ok.Accel, 'q');
  EXPECT_EQ(Ok.Glyph, U'中');
  EXPECT_TRUE(Ok.Options.Empty());
  EXPECT_FALSE(Ok.Enabled);
  EXPECT_EQ(Ok.Buddy(), &Ok);
}

TEST(FormResources, ErrorsNameResourceLineAndFault) {
  struct TCase {
    const char* Text;
    int Line;
    const char* Fault;
  };
  const std::string Head = "object frmX: TSampleBase\n  object btnOk: TSampleControl\n";
  const std::string Tail = "  end\nend\n";
  auto InButton = [&](const std::string& Lines) { return Head + Lines + Tail; };
  const std::string Button[] = {
      InButton("    Size = 3\n"),
      InButton("    Font.Size = 3\n"),
      InButton("    Style = stRound\n"),
      InButton("    Caption = 12\n"),
      InButton("    Color = clPink\n"),
      InButton("    Width = 70000\n"),
      InButton("    Options = [soBold,\n      soWide]\n"),
      InButton("    Caption = ('a')\n"),
      InButton("    Lines = (\n      'a'\n      12)\n"),
      InButton("\n    OnClick = btnNoneClick\n"),
      InButton("    OnClick = FormKeyDown\n"),
      InButton("    Buddy = btnNone\n"),
      InButton("    Buddy = frmX\n"),
  };
  const TCase Cases[] = {
      {Button[0].c_str(), 3, "Property 'Size' does not exist in class TSampleControl"},
      {Button[1].c_str(), 3, "Property 'Size' does not exist in class TSampleFont"},
      {Button[2].c_str(), 3, "Invalid value stRound for property 'Style' (TSampleStyle)"},
      {Button[3].c_str(), 3, "Invalid value 12 for property 'Caption' (string)"},
      {Button[4].c_str(), 3, "Invalid value clPink for property 'Color' (TColor)"},
      {Button[5].c_str(), 3, "Value 70000 is out of range"},
      {Button[6].c_str(), 4, "Invalid set element soWide"},
      {Button[7].c_str(), 3, "Invalid value a list for property 'Caption' (string)"},
      {Button[8].c_str(), 5, "A string expected in the lines of property 'Lines'"},
      {Button[9].c_str(), 4, "Method btnNoneClick not found in class TSampleBase"},
      {Button[10].c_str(), 3, "Method FormKeyDown does not have the arguments of property 'OnClick' (TNotifyEvent)"},
      {Button[11].c_str(), 3, "Component btnNone not found"},
      {Button[12].c_str(), 3, "Property 'Buddy' cannot hold an object of class TSampleBase"},
      {"object frmX: TSampleBase\n  object btnOk: TNoSuchControl\n  end\nend\n", 2, "Class TNoSuchControl not found"},
      {"object frmX: TSampleBase\n  inherited btnGone: TSampleControl\n  end\nend\n", 2,
       "Inherited component btnGone not found"},
      {"object frmX: TSampleBase\n  object btnOk: TSampleControl\n  end\n  object BTNOK: TSampleControl\n  end\nend\n", 4,
       "A component named BTNOK already exists"},
      {"object frmX: TSampleBase\n  object pnlButtons: TComponent\n  end\nend\n", 2,
       "Field pnlButtons of TSampleBase is a TSampleControl, not a TComponent"},
      {"object frmX: TSampleBase\n  object btnOk: TStringList\n  end\nend\n", 2, "Class TStringList is not a component class"},
      {"object frmX: TSampleControl\nend\n", 1, "The resource describes a TSampleControl, not a TSampleBase"},
      {"object frmX: TSampleBase\n  Caption = 'x'\n", 3, "'end' expected but the end of the text found"},
      {"object frmX: TSampleBase\n  Caption = 'abc\nend\n", 2, "unterminated string"},
      {"object frmX: TSampleBase\n  Caption = {00}\nend\n", 2, "binary property data is not supported"},
      {"object frmX: TSampleBase\n  Caption 'x'\nend\n", 2, "'=' expected but a string found"},
      {"object frmX: TSampleBase\nend\nend\n", 3, "text after the end of the root object"},
      {"frmX: TSampleBase\nend\n", 1, "'object' or 'inherited' expected"},
  };
  for (const TCase& C : Cases) {
    TSampleBase Form(nullptr);
    try {
      ReadComponentText(&Form, C.Text, "sample");
      ADD_FAILURE() << "accepted: " << C.Text;
    } catch (const EReadError& E) {
      std::string Prefix = "Error reading sample, line " + std::to_string(C.Line) + ": ";
      EXPECT_EQ(E.Message().substr(0, Prefix.size()), Prefix) << E.Message();
      EXPECT_NE(E.Message().find(C.Fault), std::string::npos) << E.Message();
    }
    EXPECT_EQ(Form.ComponentCount(), 0) << "components of a failed read are freed: " << C.Text;
    EXPECT_EQ(Form.btnOk, nullptr);
    EXPECT_TRUE(Form.ComponentState().Empty());
  }
}

TEST(FormResources, FailedDerivedReadFreesOnlyWhatItCreated) {
  TSampleBase Form(nullptr);
  {
    TFormReader Reader(&Form);
    Reader.Read(GetResource("TSampleBase"), "TSampleBase");
    EXPECT_TRUE(Form.btnOk->ComponentState().Contains(csLoading));
    EXPECT_THROW(Reader.Read("inherited frmX: TSampleBase\n  object btnNew: TSampleControl\n    Left = 'x'\n  end\nend\n",
                             "broken"),
                 EReadError);
  }
  EXPECT_EQ(Form.FindComponent("btnNew"), nullptr);
  EXPECT_EQ(Form.ComponentCount(), 0) << "one read: all it created goes";
  EXPECT_TRUE(Form.ComponentState().Empty());
}

}  // namespace
