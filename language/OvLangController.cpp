#include "language/OvLangController.h"

#include "env/TandrelINI.h"
#include "platform/core/Classes.h"
#include "platform/os/FileUtils.h"
#include "platform/rtti/Publish.h"
#include "platform/ui/PublishControls.h"

TANDREL_PUBLISH(TOvLangController) {
  using T = TOvLangController;
  Info.Property("Active", &T::Active, &T::SetActive);
  PublishMember(Info, "AfterClose", &T::AfterClose);
  PublishMember(Info, "AfterOpen", &T::AfterOpen);
  PublishMember(Info, "BeforeClose", &T::BeforeClose);
  PublishMember(Info, "BeforeOpen", &T::BeforeOpen);
  PublishMember(Info, "BeforeLoadComponent", &T::BeforeLoadComponent);
  PublishMember(Info, "AfterLoadComponent", &T::AfterLoadComponent);
  Info.Property("ExcludeControls", &T::ExcludeControls, &T::SetExcludeControls);
  Info.Property("LangPackageName", &T::LangPackageName, &T::SetLangPackageName);
  Info.Property("DesignType", &T::DesignType, &T::SetDesignType);
}

void TOvLangController::SetLangPackageName(const std::string& Value) {
  if (Value == LangPackageName_) return;
  LangPackageName_ = Value;
  SetFileName(LanguageDir(DesignType_) + Value + ".Lng");
}

namespace {

std::string LanguageCode(const std::string& UICodePage) {
  if (UICodePage == "936") return "CHS";
  if (UICodePage == "950") return "CHT";
  if (UICodePage == "437") return "ENG";
  return std::string();
}

std::string LanguageFolder(const std::string& InstallPath, const std::string& UICodePage) {
  const std::string Code = LanguageCode(UICodePage);
  if (Code.empty()) return std::string();
  const std::string Folder = InstallPath + "MultiLanguage/" + Code + "/";
  return DirectoryExists(Folder) ? Folder : std::string();
}

}  // namespace

std::string LanguageDir(TDesignType DesignType) {
  if (DesignType == dtServer) {
    const TTandrelIniS Ini;
    return LanguageFolder(Ini.ServerPath, Ini.UICodePage);
  }
  const TTandrelIniC Ini;
  return LanguageFolder(Ini.ClientPath, Ini.UICodePage);
}

// Messages are read from language files with the XML reader, which is not
// there yet: until then every key gives its default, as a missing file does.
std::string GetLangMessage(bool /*IsServer*/, const std::string& /*FileBase*/, const std::string& /*Key*/,
                           const std::string& Default) {
  return Default;
}
