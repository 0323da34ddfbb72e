#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/CodeConverter.h"
#include "language/OvLangController.h"
#include "platform/core/Classes.h"
#include "platform/rtti/Publish.h"
#include "tests/language/LanguageTestSupport.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A form carrying the two language components as every module form does.
class TLanguageTestForm : public TForm {
  TANDREL_CLASS(TLanguageTestForm, TForm)
  using TForm::TForm;

  TCodeConverter* OvConverter = nullptr;
  TOvLangController* LangController = nullptr;
  std::vector<std::string> Log;

  void LangBeforeOpen(TObject*) { Log.push_back("before open"); }
  void LangLoadComponent(TComponent*, TXMLNode*) { Log.push_back("load component"); }
};

TANDREL_PUBLISH(TLanguageTestForm) {
  Info.Field("OvConverter", &TLanguageTestForm::OvConverter);
  Info.Field("LangController", &TLanguageTestForm::LangController);
  Info.Method<&TLanguageTestForm::LangBeforeOpen>("LangBeforeOpen");
  Info.Method<&TLanguageTestForm::LangLoadComponent>("LangLoadComponent");
}

// Its resource asks for activity before it names the package.
class TLanguageActiveForm : public TForm {
  TANDREL_CLASS(TLanguageActiveForm, TForm)
  using TForm::TForm;
};

TANDREL_PUBLISH(TLanguageActiveForm) {}

namespace {

class LanguageComponents : public languagetest::TLanguageConfiguration {};

TEST_F(LanguageComponents, ReadFromAFormResource) {
  WriteClientIni("[CodePage]\nUICodePage=437\nDBCodePage=950\n");
  WriteServerIni("");
  MakeLanguageFolder("ENG");
  const std::string ServerFolder = MakeLanguageFolder("CHS");

  languagetest::TFormPtr<TLanguageTestForm> Form(CreateForm<TLanguageTestForm>(nullptr));
  ASSERT_NE(Form->OvConverter, nullptr);
  ASSERT_NE(Form->LangController, nullptr);

  // The settings were read at creation, before the design type was streamed.
  TCodeConverter& Converter = *Form->OvConverter;
  EXPECT_EQ(Converter.DesignType(), dtServer);
  EXPECT_EQ(Converter.DBCodePage(), "950");
  EXPECT_EQ(Converter.UICodePage(), "437");

  TOvLangController& Controller = *Form->LangController;
  EXPECT_FALSE(Controller.Active());
  EXPECT_EQ(Controller.DesignType(), dtServer);
  EXPECT_EQ(Controller.LangPackageName(), "TfrmLanguageTest");
  EXPECT_EQ(Controller.FileName(), ServerFolder + "TfrmLanguageTest.Lng");
  EXPECT_EQ(Controller.ExcludeControls()->Text(), " btnOk \r\nedCode\r\n");
  EXPECT_EQ(GetPropText(&Controller, "DesignType"), "dtServer");
  EXPECT_EQ(GetPropText(&Converter, "DesignType"), "dtServer");
  EXPECT_EQ(MethodName(Form.get(), GetMethodProp(&Controller, "BeforeLoadComponent")), "LangLoadComponent");
  EXPECT_EQ(MethodName(Form.get(), GetMethodProp(&Controller, "AfterLoadComponent")), "LangLoadComponent");
  for (const char* Event : {"AfterClose", "AfterOpen", "BeforeClose"})
    EXPECT_EQ(GetPropInfo(&Controller, Event)->TypeName(), "TNotifyEvent") << Event;

  // Without its file the controller stays inactive, after saying so.
  EXPECT_THROW(Controller.SetActive(true), LanguageControllerError);
  EXPECT_THAT(Form->Log, ElementsAre("before open"));
  EXPECT_FALSE(Controller.Active());
}

// Activity asked for while loading waits for the package's file name.
TEST_F(LanguageComponents, ActivityIsAppliedWhenLoadingEnds) {
  WriteClientIni("");
  try {
    CreateForm<TLanguageActiveForm>(nullptr)->Free();
    ADD_FAILURE() << "activated without a language file";
  } catch (const std::exception& E) {
    EXPECT_THAT(E.what(), HasSubstr("TfrmLanguageActive.Lng"));
  }
}

}  // namespace
