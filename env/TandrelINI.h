#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/Object.h"
#include "platform/core/Variant.h"

class TStringList;
class TStrings;

// The client (TandrelC.ini) and server (TandrelS.ini) configuration of the
// installation the registry names. Each reader loads everything once, when
// it is created; callers create one, copy what they need and free it.
// Nothing is ever written. Creating a reader never raises: what cannot be
// read keeps its default, and ErrorCode tells why loading stopped early.
//
// Code pages are "936" (GB), "950" (BIG5) or "437" (anything else). Folders
// end in "/"; a configured work-library folder beginning with "\" or having
// no root is taken below the installation folder, one with a root, a drive
// or a network name is used as it stands.

class TTandrelIniC : public TObject {
 public:
  TTandrelIniC();
  ~TTandrelIniC() override;

  std::string ClientPath;       // the registry's "ClientPath"
  std::string ProfilePath;      // the folder of the INI file used
  std::string ProfileType = "0";
  std::string UserName = "Default";
  std::string UICodePage;
  std::string DBCodePage = "936";
  std::string SysCodePage;
  uint8_t UIConvertMode = 0;
  uint8_t DBConvertMode = 0;
  bool SupportCallBack = false;
  std::string IniFileName;
  // [0, i] the application server's computer name, [1, i] its port.
  Variant ServerList;
  // '', "E;000015" (no registry key) or "E;000016" (no computer name).
  std::string ErrorCode;
  std::string LangType = "ENG";
  std::unique_ptr<TStringList> WorkDLLPaths;
  std::string Version;
  std::string CreateGifBeforeSendEF = "Y";
  std::string AutoCheckNewMsg = "1";
  std::string CheckInterval = "1";
  std::string PopupMsg = "1";
  std::string LoginCheck = "0";

 private:
  bool Load();
  bool FillServerList(std::string Names, int Port);
};

class TTandrelIniS : public TObject {
 public:
  TTandrelIniS();
  ~TTandrelIniS() override;

  // Replaces the contents of List by the work-library folders.
  void GetWorkDLLPaths(TStrings* List) const;

  std::string ServerPath;       // the registry's "ServerPath"
  std::string ProfilePath;
  std::string ProfileType = "0";
  std::string UserName = "Default";
  std::string UICodePage;
  std::string DBCodePage = "936";
  std::string SysCodePage;
  uint8_t UIConvertMode = 0;
  uint8_t DBConvertMode = 0;
  bool SupportCallBack = false;
  std::string IniFileName;
  // [0..3, 0..7]: row 0 the main database, 1 the temporary database, 2 the
  // password-control service and the collation, 3 the e-commerce database.
  Variant DBSettings;
  std::string ErrorCode;  // '' or "E;000015"
  std::unique_ptr<TStringList> WorkDLLPaths;
  std::string Version;
  uint8_t MainDBKind = 0;  // 1 ORACLE, 2 DB2, 0 any other
  std::string SystemControlAddress;
  std::string OtherSystemControlAddress;

 private:
  bool Load();
};
