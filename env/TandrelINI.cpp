#include "env/TandrelINI.h"

#include <exception>
#include <vector>

#include "env/KestruneU.h"
#include "env/LibStrs.h"
#include "platform/core/Classes.h"
#include "platform/core/CodePage.h"
#include "platform/core/SysUtils.h"
#include "platform/os/FileUtils.h"
#include "platform/os/IniFiles.h"
#include "platform/os/Registry.h"
#include "platform/os/SystemInfo.h"

namespace {

constexpr int MaxUserNameLength = 31;

std::string SystemCodePageText() {
  const std::string CodePage = IntToStr(GetSystemCodePage());
  return CodePage == "936" || CodePage == "950" ? CodePage : "437";
}

uint8_t UIConvertModeOf(const std::string& UICodePage, const std::string& SysCodePage) {
  if (UICodePage == "950") return 2;
  if (UICodePage == "936" && SysCodePage == "950") return 4;
  return 0;
}

uint8_t DBConvertModeOf(const std::string& UICodePage, const std::string& DBCodePage) {
  if (UICodePage == "950" && DBCodePage == "936") return 2;
  if (UICodePage == "936" && DBCodePage == "950") return 1;
  return 0;
}

void ComputeConvertModes(TTandrelIniBase& Reader) {
  Reader.UIConvertMode = UIConvertModeOf(Reader.UICodePage, Reader.SysCodePage);
  Reader.DBConvertMode = DBConvertModeOf(Reader.UICodePage, Reader.DBCodePage);
}

void ReadCodePages(TTandrelIniBase& Reader, const TIniFile& Ini) {
  Reader.UICodePage = Ini.ReadString("CodePage", "UICodePage", Reader.SysCodePage);
  Reader.DBCodePage = Ini.ReadString("CodePage", "DBCodePage", "936");
}

bool IsTruthy(const std::string& Text) {
  const std::string Upper = UpperCase(Text);
  return Upper == "1" || Upper == "Y" || Upper == "YES" || Upper == "TRUE";
}

// A value that cannot be read as text counts as missing.
std::string ReadRegistryText(const TRegistry& Registry, const std::string& Name) {
  try {
    return Registry.ReadString(Name);
  } catch (const std::exception&) {
    return std::string();
  }
}

// The defaults, then the installation folder (BaseValue of the registry key,
// into BasePath), the profile folder and the INI file's name. False when
// loading stops here.
bool LocateIniFile(TTandrelIniBase& Reader, const char* BaseValue, const char* IniName, std::string& BasePath) {
  Reader.ErrorCode.clear();
  BasePath.clear();
  Reader.ProfilePath.clear();
  Reader.ProfileType = "0";
  Reader.UserName = "Default";
  Reader.DBCodePage = "936";
  Reader.SysCodePage = SystemCodePageText();
  Reader.UICodePage = Reader.SysCodePage;
  Reader.SupportCallBack = false;
  ComputeConvertModes(Reader);
  Reader.IniFileName.clear();

  TRegistry Registry;
  Registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (!Registry.OpenKeyReadOnly(TandrelRegistryKey)) {
    Reader.ErrorCode = "E;000015";
    return false;
  }
  BasePath = ReadRegistryText(Registry, BaseValue);
  Reader.ProfileType = ReadRegistryText(Registry, "ProfileType");
  Registry.CloseKey();
  if (BasePath.empty()) return false;
  BasePath = IncludeTrailingPathDelimiter(BasePath);

  if (Reader.ProfileType.empty() || Reader.ProfileType == "0") {
    Reader.ProfilePath = BasePath;
  } else {
    const std::string User = Utf8Copy(GetUserName(), 1, MaxUserNameLength);
    Reader.ProfilePath = BasePath + "Profile/" + User + "/";
    Reader.UserName = User;
  }
  Reader.IniFileName = Reader.ProfilePath + IniName;
  if (!FileExists(Reader.IniFileName)) {
    Reader.ProfilePath = BasePath;
    Reader.IniFileName = BasePath + IniName;
  }
  return true;
}

// A configured folder below the installation unless it has a root, a drive
// or a network name.
std::string ResolveFolder(const std::string& BasePath, const std::string& Folder) {
  const bool Relative = ExtractFileDrive(Folder).empty() && !Folder.empty() && Folder[0] != '\\' &&
                        Folder[0] != '/';
  return Relative ? BasePath + StringReplaceAll(Folder, "\\", "/")
                  : ResolveConfiguredPath(BasePath, Folder);
}

// The "WorkDLLPath" lines' folders, or DefaultFolder below the installation.
void FillWorkDLLPaths(TStrings& Paths, const TIniFile& Ini, const std::string& BasePath,
                      const char* DefaultFolder) {
  TStringList Lines;
  Ini.ReadSectionValues("WorkDLLPath", &Lines);
  Paths.Clear();
  if (Lines.Count() == 0) {
    Paths.Add(BasePath + DefaultFolder);
    return;
  }
  for (int I = 0; I < Lines.Count(); ++I)
    Paths.Add(ResolveFolder(BasePath, IncludeTrailingPathDelimiter(Lines.ValueFromIndex(I))));
}

}  // namespace

TTandrelIniBase::TTandrelIniBase() : WorkDLLPaths(std::make_unique<TStringList>()) {}

TTandrelIniBase::~TTandrelIniBase() = default;

// --- client ---------------------------------------------------------------

TTandrelIniC::TTandrelIniC() {
  try {
    Load();
  } catch (const std::exception&) {
    // What could not be read keeps its default.
  }
}

TTandrelIniC::~TTandrelIniC() = default;

bool TTandrelIniC::Load() {
  if (!LocateIniFile(*this, "ClientPath", "TandrelC.ini", ClientPath)) return false;
  const TIniFile Ini(IniFileName);
  LangType = Ini.ReadString("Client Components", "LangType", "ENG");
  Version = Ini.ReadString("ProductVersion", "Version", "");
  CreateGifBeforeSendEF = Ini.ReadString("UserDefine", "CreateGifBeforeSendEF", "Y");
  ReadCodePages(*this, Ini);
  SupportCallBack = IsTruthy(Ini.ReadString("Server Information", "SupportCallBack", "0"));
  const std::string Names = Trim(Ini.ReadString("Server Information", "ComputerName", "127.0.0.1"));
  const int Port = Ini.ReadInteger("Server Information", "ServerPort", 211);
  AutoCheckNewMsg = Ini.ReadString("TaskMessageCenter Setting", "AutoCheckNewMsg", "1");
  CheckInterval = Ini.ReadString("TaskMessageCenter Setting", "CheckInterval", "1");
  PopupMsg = Ini.ReadString("TaskMessageCenter Setting", "PopupMsg", "1");
  LoginCheck = Ini.ReadString("TaskMessageCenter Setting", "LoginCheck", "0");
  ComputeConvertModes(*this);
  if (!FillServerList(Names, Port)) {
    ErrorCode = "E;000016";
    return false;
  }
  FillWorkDLLPaths(*WorkDLLPaths, Ini, ClientPath, "C_PKG/");
  return true;
}

// Names separated by ";", every one with the same port; the names are not
// trimmed and may be empty. False when there is no name at all.
bool TTandrelIniC::FillServerList(std::string Names, int Port) {
  if (!Names.empty() && Names.back() == ';') Names.pop_back();
  if (Names.empty()) return false;
  std::vector<std::string> Computers;
  while (!Names.empty()) Computers.push_back(CutSepField(Names, ";"));
  ServerList = VarArrayCreate({0, 1, 0, static_cast<int>(Computers.size()) - 1});
  for (int I = 0; I < static_cast<int>(Computers.size()); ++I) {
    ServerList.SetElement(0, I, Computers[static_cast<size_t>(I)]);
    ServerList.SetElement(1, I, Port);
  }
  return true;
}

// --- server ---------------------------------------------------------------

TTandrelIniS::TTandrelIniS() {
  try {
    Load();
  } catch (const std::exception&) {
    // What could not be read keeps its default.
  }
}

TTandrelIniS::~TTandrelIniS() = default;

void TTandrelIniS::GetWorkDLLPaths(TStrings* List) const {
  if (List != nullptr) List->Assign(WorkDLLPaths.get());
}

bool TTandrelIniS::Load() {
  if (!LocateIniFile(*this, "ServerPath", "TandrelS.ini", ServerPath)) return false;
  DBSettings = VarArrayCreate({0, 3, 0, 7});
  const TIniFile Ini(IniFileName);
  const auto Text = [&Ini](const char* Section, const char* Key, const char* Default) {
    return Variant(Ini.ReadString(Section, Key, Default));
  };
  const auto Number = [&Ini](const char* Section, const char* Key, int Default) {
    return Variant(Ini.ReadInteger(Section, Key, Default));
  };
  const auto Password = [&Ini](const char* Key) {
    return Variant(DecodePassword(Ini.ReadString("DBE Setting", Key, "")));
  };
  const auto MainServerOr = [this](const std::string& Address) {
    return Trim(Address).empty() ? VarToStr(DBSettings.GetElement(0, 5)) : Address;
  };
  const char* const Dbe = "DBE Setting";

  Version = Ini.ReadString("ProductVersion", "Version", "");
  ReadCodePages(*this, Ini);
  DBSettings.SetElement(0, 1, Text(Dbe, "MainUserName", "sa"));
  // The main password is kept under this very name.
  DBSettings.SetElement(0, 2, Password("XXXXXX"));
  DBSettings.SetElement(0, 0, Text(Dbe, "MainAlias", "Dravik"));
  DBSettings.SetElement(0, 3, Text(Dbe, "MainDBType", "MSSQL"));
  DBSettings.SetElement(0, 4, Text(Dbe, "MainDBName", ""));
  DBSettings.SetElement(0, 5, Text(Dbe, "MainServerName", ""));
  SystemControlAddress = MainServerOr(Ini.ReadString(Dbe, "SystemControlAddress", ""));
  OtherSystemControlAddress = MainServerOr(Ini.ReadString(Dbe, "OtherSystemControlAddress", ""));
  DBSettings.SetElement(0, 6, Number(Dbe, "MainConnectionTimeOut", 300));
  DBSettings.SetElement(0, 7, Number(Dbe, "MainCommandTimeOut", 3000));
  DBSettings.SetElement(1, 0, Text(Dbe, "TempAlias", "DravikTemp"));
  DBSettings.SetElement(1, 1, Text(Dbe, "TempUserName", "sa"));
  DBSettings.SetElement(1, 2, Password("TempPassword"));
  DBSettings.SetElement(1, 3, Text(Dbe, "TempDBType", "PARADOX"));
  DBSettings.SetElement(1, 4, Text(Dbe, "TempDBName", ""));
  DBSettings.SetElement(1, 5, Text(Dbe, "TempDriverName", "PostgreSQL"));
  DBSettings.SetElement(1, 6, Number(Dbe, "TempConnectionTimeOut", 300));
  DBSettings.SetElement(1, 7, Number(Dbe, "TempCommandTimeOut", 3000));
  DBSettings.SetElement(2, 0, Trim(Ini.ReadString("DBPasswordCtrl", "ComputerName", "")));
  DBSettings.SetElement(2, 1, Number("DBPasswordCtrl", "ServerPort", 211));
  DBSettings.SetElement(2, 2, Number("DBPasswordCtrl", "ClientSocketPort", 1024));
  SupportCallBack = IsTruthy(Ini.ReadString("DBPasswordCtrl", "SupportCallBack", "0"));
  DBSettings.SetElement(2, 3, Text(Dbe, "DataBaseCodeOrder", "Chinese_Taiwan_Stroke_BIN"));
  DBSettings.SetElement(3, 0, Text(Dbe, "EctAlias", "EDIDATA"));
  DBSettings.SetElement(3, 1, Text(Dbe, "EctUserName", "sa"));
  DBSettings.SetElement(3, 2, Text(Dbe, "EctPassword", ""));  // kept as stored
  FillWorkDLLPaths(*WorkDLLPaths, Ini, ServerPath, "S_PKG/");

  const std::string DBType = VarToStr(DBSettings.GetElement(0, 3));
  MainDBKind = SameText(DBType, "ORACLE") ? 1 : SameText(DBType, "DB2") ? 2 : 0;
  ComputeConvertModes(*this);
  return true;
}
