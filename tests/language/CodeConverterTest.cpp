#include "language/CodeConverter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/graphics/Graphics.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "tests/language/LanguageTestSupport.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class CodeConverter : public languagetest::TLanguageConfiguration {
 protected:
  // A form owning the converter, as forms own theirs.
  languagetest::TFormPtr<TForm> Form{new TForm(nullptr)};
};

TEST_F(CodeConverter, ReadsCodePagesAndModesOfTheClientConfiguration) {
  struct Case {
    const char* System;
    const char* ClientIni;
    const char* Sys;
    const char* UI;
    const char* DB;
    int DBMode;
  };
  const Case Cases[] = {
      {"936", "", "936", "936", "936", 0},
      {"1252", "", "437", "437", "936", 0},
      {"936", "[CodePage]\nDBCodePage=950\n", "936", "936", "950", 1},
      {"1252", "[CodePage]\nUICodePage=437\nDBCodePage=950\n", "437", "437", "950", 0},
  };
  WriteServerIni("[CodePage]\nDBCodePage=437\n");  // never read by a client converter
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.System) + " " + C.ClientIni);
    SystemCodePage(C.System);
    WriteClientIni(C.ClientIni);
    TCodeConverter Converter(Form.get());
    EXPECT_EQ(Converter.DesignType(), dtClient);
    EXPECT_EQ(Converter.SysCodePage(), C.Sys);
    EXPECT_EQ(Converter.UICodePage(), C.UI);
    EXPECT_EQ(Converter.DBCodePage(), C.DB);
    EXPECT_EQ(Converter.UIConvertMode(), 0);
    EXPECT_EQ(Converter.DBConvertMode(), C.DBMode);
    EXPECT_EQ(Converter.Translator(), nullptr);
  }
}

TEST_F(CodeConverter, ServerDesignReadsTheServerConfiguration) {
  WriteClientIni("");
  WriteServerIni("[CodePage]\nDBCodePage=950\n");
  TCodeConverter Converter(Form.get());
  EXPECT_EQ(Converter.DBCodePage(), "936");
  Converter.SetDesignType(dtServer);
  EXPECT_EQ(Converter.DBCodePage(), "936") << "a new design type alone reads nothing";
  Converter.LoadSettings();
  EXPECT_EQ(Converter.DBCodePage(), "950");
  EXPECT_EQ(Converter.DBConvertMode(), 1);
}

// Without the language library a converted UI cannot be shown; the form
// must not come up untranslated, nor keep a half-made converter.
TEST_F(CodeConverter, UIModeNeedingTheTranslatorFailsItsCreation) {
  const char* const Configurations[] = {"[CodePage]\nUICodePage=950\n", "[CodePage]\nUICodePage=936\n"};
  const char* const Systems[] = {"936", "950"};
  for (int I = 0; I < 2; ++I) {
    SystemCodePage(Systems[I]);
    WriteClientIni(Configurations[I]);
    try {
      TCodeConverter Converter(Form.get());
      ADD_FAILURE() << "created with a UI mode that needs the translator";
    } catch (const Exception& E) {
      EXPECT_THAT(E.Message(), HasSubstr("Ravidoreva.so"));
    }
    EXPECT_EQ(Form->ComponentCount(), 0);
  }
}

TEST_F(CodeConverter, EveryConversionGivesItsInputWithoutTranslator) {
  WriteClientIni("[CodePage]\nDBCodePage=950\n");  // DB mode 1, UI mode 0
  TCodeConverter Converter(Form.get());
  ASSERT_EQ(Converter.DBConvertMode(), 1);

  Variant Row = VarArrayCreate({0, 2});
  Row.SetElement(0, "查询");
  Row.SetElement(1, 12);
  Row.SetElement(2, Null());
  Variant Grid = VarArrayCreate({0, 1, 0, 1});
  Grid.SetElement(0, 1, "销退单");
  const Variant Values[] = {Variant("查询"), Variant(12), Variant(2.5), Unassigned(), Null(), Row, Grid};
  using TConversion = std::function<Variant(const Variant&)>;
  const TConversion Conversions[] = {
      [&](const Variant& V) { return Converter.ConvertValue(0, V); },
      [&](const Variant& V) { return Converter.ConvertValue(1, V); },
      [&](const Variant& V) { return Converter.ConvertValue(2, V); },
      [&](const Variant& V) { return Converter.DBToUI(V); },
      [&](const Variant& V) { return Converter.DesignToUI(V); },
      [&](const Variant& V) { return Converter.UIToDB(V); },
      [&](const Variant& V) { return Converter.UIToDesign(V); },
  };
  for (size_t C = 0; C < std::size(Conversions); ++C)
    for (const Variant& V : Values) {
      SCOPED_TRACE("conversion " + std::to_string(C) + " of type " + std::to_string(VarType(V)));
      const Variant Result = Conversions[C](V);
      EXPECT_EQ(VarType(Result), VarType(V));
      if (VarArrayDimCount(V) == 1) {
        EXPECT_EQ(VarToStr(Result.GetElement(0)), "查询");
        EXPECT_EQ(VarType(Result.GetElement(1)), varInteger);
        EXPECT_TRUE(VarIsNull(Result.GetElement(2)));
      } else if (VarArrayDimCount(V) == 2) {
        EXPECT_EQ(VarToStr(Result.GetElement(0, 1)), "销退单");
      } else if (!VarIsEmpty(V) && !VarIsNull(V)) {
        EXPECT_TRUE(Result == V);
      }
    }
  EXPECT_EQ(Converter.ConvertToGB("銷退單"), "銷退單");
  EXPECT_EQ(Converter.ConvertToBIG5("销退单"), "销退单");
  EXPECT_EQ(Converter.ConvertToBIG5(""), "");
}

TEST_F(CodeConverter, ConvertFormLeavesTheFormAsItIs) {
  WriteClientIni("");
  auto* Converter = new TCodeConverter(Form.get());
  auto* Button = new TButton(Form.get());
  Form->SetCaption("查询");
  Button->SetCaption("确定");
  const std::string IconFont = Screen().IconFont()->Name();
  Converter->ConvertForm(Form.get(), true);
  EXPECT_EQ(Form->Caption(), "查询");
  EXPECT_EQ(Button->Caption(), "确定");
  EXPECT_EQ(Button->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(Screen().IconFont()->Name(), IconFont);
}

TEST_F(CodeConverter, ApplyFontCharsetByKind) {
  struct Case {
    int Kind;
    const char* Name;
    TFontCharset Charset;
  };
  const Case Cases[] = {{0, "SimSun", GB2312_CHARSET},      {1, "SimSun", GB2312_CHARSET},
                        {2, "SimSun", CHINESEBIG5_CHARSET}, {3, "SimSun", CHINESEBIG5_CHARSET},
                        {4, "SimSun", GB2312_CHARSET},      {5, "Tahoma", ANSI_CHARSET}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Kind);
    TFont Font;
    Font.SetName("Tahoma");
    Font.SetCharset(ANSI_CHARSET);
    TCodeConverter::ApplyFontCharset(static_cast<uint8_t>(C.Kind), &Font);
    EXPECT_EQ(Font.Name(), C.Name);
    EXPECT_EQ(Font.Charset(), C.Charset);
  }
  TCodeConverter::ApplyFontCharset(0, nullptr);
}

// The property conversions act on what a component publishes: fonts get
// the kind's face, texts stay as they are without a translator, and only a
// converting kind makes list styles owner-drawn.
TEST_F(CodeConverter, PropertyConversionsOfAComponent) {
  WriteClientIni("");
  TCodeConverter Converter(Form.get());
  auto* Button = new TButton(Form.get());
  Button->SetCaption("确定");
  Button->SetHint("确定提示");
  Converter.ConvertFont(Button, 2);
  Converter.ConvertTitleFont(Button, 0);
  Converter.ConvertCaption(Button, 2);
  Converter.ConvertHint(Button, 2);
  Converter.ConvertItems(Button, 2);
  Converter.ConvertStyle(Button, 2);
  EXPECT_EQ(Button->Font()->Name(), "SimSun");
  EXPECT_EQ(Button->Font()->Charset(), CHINESEBIG5_CHARSET);
  EXPECT_EQ(Button->Caption(), "确定");
  EXPECT_EQ(Button->Hint(), "确定提示");
  EXPECT_TRUE(HasPropOfType(Button, "font", "tfont"));
  EXPECT_FALSE(HasPropOfType(Button, "Caption", "TFont"));
  EXPECT_FALSE(HasPropOfType(Button, "Items", "TStrings"));
}

TEST_F(CodeConverter, ShowMessageDlgShowsTheTextInTheUIFont) {
  struct Case {
    const char* System;
    const char* ClientIni;
    const char* Shown;
  };
  // Six spaces follow the text when the UI or the system is GB.
  const Case Cases[] = {
      {"936", "", "确实要删除此方案吗？      "},
      {"1252", "[CodePage]\nUICodePage=936\n", "确实要删除此方案吗？      "},
      {"1252", "", "确实要删除此方案吗？"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.System);
    THeadlessDriver::Reset();
    SystemCodePage(C.System);
    WriteClientIni(C.ClientIni);
    Form->SetCaption("销退单抛转");
    Form->SetWindowState(wsMinimized);
    TCodeConverter Converter(Form.get());
    THeadlessDriver::QueueAnswer(mrNo);
    EXPECT_EQ(Converter.ShowMessageDlg("确实要删除此方案吗？", mtConfirmation, mbYesNo), mrNo);
    ASSERT_EQ(THeadlessDriver::Dialogs().size(), 1u);
    const TRecordedDialog& Shown = THeadlessDriver::Dialogs()[0];
    EXPECT_EQ(Shown.Text, C.Shown);
    EXPECT_EQ(Shown.Type, mtConfirmation);
    EXPECT_THAT(Shown.ButtonNames, ElementsAre("Yes", "No"));
    EXPECT_EQ(Shown.Caption, "销退单抛转");
    EXPECT_EQ(Shown.FontName, "SimSun");
    EXPECT_EQ(Shown.FontCharset, GB2312_CHARSET);
    EXPECT_EQ(Form->WindowState(), wsNormal);
  }
}

TEST_F(CodeConverter, ShowMessageDlgWithoutTextShowsNothing) {
  WriteClientIni("");
  TCodeConverter Converter(Form.get());
  EXPECT_EQ(Converter.ShowMessageDlg("", mtError, {mbOK}), 0);
  EXPECT_TRUE(THeadlessDriver::Dialogs().empty());
}

// Without an owner form the dialog keeps its own caption.
TEST_F(CodeConverter, ShowMessageDlgWithoutOwnerForm) {
  WriteClientIni("");
  TCodeConverter Converter(nullptr);
  EXPECT_EQ(Converter.ShowMessageDlg("有问题! 原因: ", mtError, {mbOK}), mrOk);
  ASSERT_EQ(THeadlessDriver::Dialogs().size(), 1u);
  EXPECT_EQ(THeadlessDriver::Dialogs()[0].Caption, "Error");
  EXPECT_THAT(THeadlessDriver::Dialogs()[0].ButtonNames, ElementsAre("OK"));
}

}  // namespace
