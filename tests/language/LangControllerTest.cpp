#include "language/OvLangController.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/Classes.h"
#include "tests/language/LanguageTestSupport.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class LangController : public languagetest::TLanguageConfiguration {
 protected:
  void SetUp() override {
    TLanguageConfiguration::SetUp();
    WriteClientIni("");
    WriteServerIni("");
    Controller.BeforeOpen = TNotifyEvent::Of<&LangController::Record>(this);
  }
  void Record(TObject*) { Opened.push_back(Controller.FileName()); }

  // Activation must fail, leave the controller inactive and say why.
  void ExpectActivationFails(const std::string& Reason) {
    try {
      Controller.SetActive(true);
      ADD_FAILURE() << "activated";
    } catch (const LanguageControllerError& E) {
      EXPECT_THAT(E.Message(), HasSubstr(Reason));
    }
    EXPECT_FALSE(Controller.Active());
  }

  TOvLangController Controller{nullptr};
  std::vector<std::string> Opened;
};

TEST_F(LangController, FileNameFromTheLanguageFolderOfTheUICodePage) {
  struct Case {
    const char* System;
    const char* Ini;
    const char* Folder;  // created below the installation, '' for none
    bool Found;
  };
  const Case Cases[] = {
      {"936", "", "CHS", true},
      {"1252", "[CodePage]\nUICodePage=950\n", "CHT", true},
      {"1252", "", "ENG", true},
      {"936", "", "", false},                                 // no folder
      {"1252", "[CodePage]\nUICodePage=1252\n", "ENG", false},  // no language code
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.System) + " " + C.Ini + C.Folder);
    std::filesystem::remove_all(Install / "MultiLanguage");
    SystemCodePage(C.System);
    WriteClientIni(C.Ini);
    const std::string Folder = *C.Folder != '\0' ? MakeLanguageFolder(C.Folder) : std::string();
    TOvLangController Fresh(nullptr);
    Fresh.SetLangPackageName("TfrmBaseGene");
    EXPECT_EQ(Fresh.FileName(), (C.Found ? Folder : std::string()) + "TfrmBaseGene.Lng");
    EXPECT_EQ(LanguageDir(dtClient), C.Found ? Folder : std::string());
  }
}

TEST_F(LangController, ServerDesignUsesTheServerConfiguration) {
  WriteClientIni("[CodePage]\nUICodePage=437\n");
  const std::string Folder = MakeLanguageFolder("CHS");
  MakeLanguageFolder("ENG");
  Controller.SetDesignType(dtServer);
  Controller.SetLangPackageName("TfrmQvxb27");
  EXPECT_EQ(Controller.FileName(), Folder + "TfrmQvxb27.Lng");
}

TEST_F(LangController, InactiveAfterCreation) {
  EXPECT_FALSE(Controller.Active());
  EXPECT_EQ(Controller.DesignType(), dtClient);
  EXPECT_EQ(Controller.FileName(), "");
  EXPECT_EQ(Controller.XMLText()->Count(), 0);
  EXPECT_EQ(Controller.ExcludeControls()->Count(), 0);
  try {
    Controller.Reader();
    ADD_FAILURE() << "an inactive controller gave a reader";
  } catch (const LanguageControllerError& E) {
    EXPECT_EQ(E.Message(), "No active LanguageController!");
  }
}

TEST_F(LangController, ActivationWithoutADocumentFails) {
  ExpectActivationFails("Cannot Find File !");
  Controller.SetFileName(Install / "Missing.Lng");
  ExpectActivationFails("Missing.Lng");
  EXPECT_THAT(Opened, ElementsAre("", Install / "Missing.Lng"));
}

// Language documents are not read yet: a present file or text is refused
// rather than taken as applied.
TEST_F(LangController, DocumentsAreRefusedNotPretended) {
  const std::string Folder = MakeLanguageFolder("CHS");
  testsupport::WriteFile(Folder + "TfrmX.Lng", "<frmX Caption=\"X\"/>");
  Controller.SetLangPackageName("TfrmX");
  ExpectActivationFails("not supported");
  Controller.XMLText()->Add("<frmX Caption=\"X\"/>");
  ExpectActivationFails("not supported");
}

TEST_F(LangController, FileNameAndXMLTextReplaceEachOther) {
  Controller.SetFileName("a.Lng");
  Controller.XMLText()->Add("<frmX/>");
  EXPECT_EQ(Controller.FileName(), "");
  Controller.SetFileName("b.Lng");
  EXPECT_EQ(Controller.XMLText()->Count(), 0);
  EXPECT_EQ(Controller.FileName(), "b.Lng");
  TStringList Text;
  Text.Add("<frmY/>");
  Controller.SetXMLText(&Text);
  EXPECT_EQ(Controller.FileName(), "");
  EXPECT_EQ(Controller.XMLText()->Text(), Text.Text());
}

TEST_F(LangController, SamePackageNameKeepsTheFileName) {
  Controller.SetLangPackageName("TfrmX");
  Controller.SetFileName("elsewhere.Lng");
  Controller.SetLangPackageName("TfrmX");
  EXPECT_EQ(Controller.FileName(), "elsewhere.Lng");
}

TEST_F(LangController, ExcludeControlsIsACopy) {
  TStringList Names;
  Names.Add(" BTNOK ");
  Controller.SetExcludeControls(&Names);
  Names.Add("edCode");
  EXPECT_EQ(Controller.ExcludeControls()->Count(), 1);
  Controller.SetExcludeControls(nullptr);
  EXPECT_EQ(Controller.ExcludeControls()->Count(), 0);
}

TEST_F(LangController, GetLangMessageFallsBackToItsDefault) {
  EXPECT_EQ(GetLangMessage(false, "TfrmBaseGene", "sDeleteProj", "确实要删除此方案吗？"), "确实要删除此方案吗？");
  const std::string Folder = MakeLanguageFolder("CHS");
  testsupport::WriteFile(Folder + "TfrmBaseGene.Lng", "<frmBaseGene><sReason/></frmBaseGene>");
  EXPECT_EQ(GetLangMessage(true, "TfrmBaseGene", "sReason", "有问题! 原因: "), "有问题! 原因: ");
}

}  // namespace
