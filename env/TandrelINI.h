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

// What both readers share: where the INI file was found and its code pages.
class TTandrelIniBase : public TObject {
 public:
  TTandrelIniBase();
  ~TTandrelIniBase() override;

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
  // '', "E;000015" (no registry key) or, for the client, "E;000016" (no
  // computer name).
  std::string ErrorCode;
  std::unique_ptr<TStringList> WorkDLLPaths;
  std::string Version;
};

class TTandrelIniC : public TTandrelIniBase {
 public:
  TTandrelIniC();
  ~TTandrelIniC() override;

  std::string ClientPath;       // the registry's "ClientPath"
  // [0, i] the application server's computer name, [1, i] its port.
  Variant ServerList;
  std::string LangType = "ENG";
  std::string CreateGifBeforeSendEF = "Y";
  std::string AutoCheckNewMsg = "1";
  std::string CheckInterval = "1";
  std::string PopupMsg = "1";
  std::string LoginCheck = "0";

 private:
  bool Load();
  bool FillServerList(std::string Names, int Port);
};

class TTandrelIniS : public TTandrelIniBase {
 public:
  TTandrelIniS();
  ~TTandrelIniS() override;

  // Replaces the contents of List by the work-library folders.
  void GetWorkDLLPaths(TStrings* List) const;

  std::string ServerPath;       // the registry's "ServerPath"
  // [0..3, 0..7]: row 0 the main database, 1 the temporary database, 2 the
  // password-control service and the collation, 3 the e-commerce database.
  Variant DBSettings;
  uint8_t MainDBKind = 0;  // 1 ORACLE, 2 DB2, 0 any other
  std::string SystemControlAddress;
  std::string OtherSystemControlAddress;

 private:
  bool Load();
};
