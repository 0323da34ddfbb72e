#pragma once

// The installation the language tests configure: a registry file naming one
// folder as client and server installation, its TandrelC.ini and
// TandrelS.ini, the system code page, and a fresh headless widgetset.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/ui/HeadlessWidgetSet.h"
#include "tests/env/EnvTestSupport.h"

namespace languagetest {

// Forms are freed with Free, so their destroy handlers run.
struct TFreeComponent {
  void operator()(TComponent* Component) const { Component->Free(); }
};
template <class T>
using TFormPtr = std::unique_ptr<T, TFreeComponent>;

class TLanguageConfiguration : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::WriteFile(RegistryFile, envtest::RegistryText({envtest::RegString("ClientPath", Install.Path()),
                                                                envtest::RegString("ServerPath", Install.Path())}));
    THeadlessDriver::Reset();
  }
  void SystemCodePage(const char* CodePage) {
    CodePageEnv.reset();  // puts the old value back before the new one is set
    CodePageEnv = std::make_unique<testsupport::TScopedEnv>("TANDREL_SYSTEM_CODEPAGE", CodePage);
  }
  void WriteClientIni(const std::string& Text) { testsupport::WriteFile(Install / "TandrelC.ini", Text); }
  void WriteServerIni(const std::string& Text) { testsupport::WriteFile(Install / "TandrelS.ini", Text); }
  // Creates Install/MultiLanguage/<Code>/ and gives its path.
  std::string MakeLanguageFolder(const std::string& Code) {
    const std::string Folder = Install / ("MultiLanguage/" + Code + "/");
    std::filesystem::create_directories(Folder);
    return Folder;
  }

  testsupport::TTempFolder Scratch;
  testsupport::TTempFolder Install;
  std::string RegistryFile = Scratch / "registry.reg";
  testsupport::TScopedEnv RegistryEnv{"TANDREL_REGISTRY", RegistryFile};
  std::unique_ptr<testsupport::TScopedEnv> CodePageEnv =
      std::make_unique<testsupport::TScopedEnv>("TANDREL_SYSTEM_CODEPAGE", "936");
};

}  // namespace languagetest
