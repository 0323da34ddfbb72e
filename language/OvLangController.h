#pragma once

#include <string>

#include "language/LangController.h"

// The language controller every form owns: the language file is named after
// LangPackageName (a form class name) in the language folder of the
// configuration DesignType names.
class TOvLangController : public TLanguageController {
  TANDREL_CLASS(TOvLangController, TLanguageController)

  using TLanguageController::TLanguageController;

  TDesignType DesignType() const { return DesignType_; }
  void SetDesignType(TDesignType Value) { DesignType_ = Value; }

  const std::string& LangPackageName() const { return LangPackageName_; }
  // A different name sets FileName to LanguageDir(DesignType) + Value + ".Lng".
  void SetLangPackageName(const std::string& Value);

 private:
  TDesignType DesignType_ = dtClient;
  std::string LangPackageName_;
};

// The language folder of the client or the server installation, read afresh:
// ClientPath or ServerPath + "MultiLanguage/" + CHS, CHT or ENG for the UI
// code page 936, 950 or 437, ending in "/". Empty for another code page or
// when the folder does not exist.
std::string LanguageDir(TDesignType DesignType);

// The "Msg" attribute of the first element named Key in the language file
// FileBase + ".Lng" of the language folder; Default when the file, the
// element or the attribute is missing, or anything fails. Never raises.
std::string GetLangMessage(bool IsServer, const std::string& FileBase, const std::string& Key,
                           const std::string& Default);
