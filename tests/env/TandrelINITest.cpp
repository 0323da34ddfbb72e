#include "env/TandrelINI.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "env/KestruneU.h"
#include "platform/core/Classes.h"
#include "platform/core/DateUtils.h"
#include "platform/os/SystemInfo.h"
#include "tests/env/EnvTestSupport.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using envtest::ReadBytes;
using envtest::RegistryText;
using envtest::RegString;
using testsupport::TScopedEnv;
using testsupport::TTempFolder;
using testsupport::WriteFile;

namespace {

std::vector<std::string> Lines(const TStrings& List) {
  std::vector<std::string> Result;
  for (int I = 0; I < List.Count(); ++I) Result.push_back(List.Strings(I));
  return Result;
}

class Configuration : public ::testing::Test {
 protected:
  // The installation registered as both client and server folder.
  void Register(const std::vector<std::string>& Extra = {}) {
    std::vector<std::string> Values = {RegString("ClientPath", Install.Path()),
                                       RegString("ServerPath", Install.Path())};
    Values.insert(Values.end(), Extra.begin(), Extra.end());
    WriteFile(RegistryFile, RegistryText(Values));
  }
  void WriteIni(const std::string& Name, const std::string& Text) { WriteFile(Install / Name, Text); }
  void SystemCodePage(const char* CodePage) {
    CodePageEnv.reset();  // puts the old value back before the new one is set
    CodePageEnv = std::make_unique<TScopedEnv>("TANDREL_SYSTEM_CODEPAGE", CodePage);
  }

  TTempFolder Scratch;
  TTempFolder Install;
  std::string RegistryFile = Scratch / "registry.reg";
  TScopedEnv RegistryEnv{"TANDREL_REGISTRY", RegistryFile};
  std::unique_ptr<TScopedEnv> CodePageEnv = std::make_unique<TScopedEnv>("TANDREL_SYSTEM_CODEPAGE", "1252");
};

TEST_F(Configuration, CodePagesAndConversionModes) {
  struct Case {
    const char* System;
    const char* Ini;
    const char* Sys;
    const char* UI;
    const char* DB;
    int UIMode, DBMode;
  };
  const Case Cases[] = {
      {"1252", "", "437", "437", "936", 0, 0},
      {"936", "", "936", "936", "936", 0, 0},
      {"950", "", "950", "950", "936", 2, 2},
      {"950", "[CodePage]\nUICodePage=936\n", "950", "936", "936", 4, 0},
      {"950", "[CodePage]\nUICodePage=936\nDBCodePage=950\n", "950", "936", "950", 4, 1},
      {"936", "[CodePage]\nUICodePage=950\n", "936", "950", "936", 2, 2},
      {"936", "[CodePage]\nDBCodePage=950\n", "936", "936", "950", 0, 1},
      {"1252", "[CodePage]\nUICodePage=1252\n", "437", "1252", "936", 0, 0},
  };
  Register();
  for (const Case& C : Cases) {
    SystemCodePage(C.System);
    WriteIni("TandrelC.ini", C.Ini);
    WriteIni("TandrelS.ini", C.Ini);
    const TTandrelIniC Client;
    const TTandrelIniS Server;
    const std::string Title = std::string(C.System) + " " + C.Ini;
    EXPECT_EQ(Client.SysCodePage, C.Sys) << Title;
    EXPECT_EQ(Client.UICodePage, C.UI) << Title;
    EXPECT_EQ(Client.DBCodePage, C.DB) << Title;
    EXPECT_EQ(Client.UIConvertMode, C.UIMode) << Title;
    EXPECT_EQ(Client.DBConvertMode, C.DBMode) << Title;
    EXPECT_EQ(Server.UICodePage, C.UI) << Title;
    EXPECT_EQ(Server.UIConvertMode, C.UIMode) << Title;
    EXPECT_EQ(Server.DBConvertMode, C.DBMode) << Title;
  }
}

TEST_F(Configuration, MissingRegistryKeyKeepsUsableDefaults) {
  SystemCodePage("950");
  WriteFile(RegistryFile, RegistryText({}, false));
  const TTandrelIniC Client;
  EXPECT_EQ(Client.ErrorCode, "E;000015");
  EXPECT_EQ(Client.ClientPath, "");
  EXPECT_EQ(Client.IniFileName, "");
  EXPECT_EQ(Client.UserName, "Default");
  EXPECT_EQ(Client.ProfileType, "0");
  EXPECT_EQ(Client.UICodePage, "950");
  EXPECT_EQ(Client.UIConvertMode, 2);
  EXPECT_EQ(Client.DBConvertMode, 2);
  EXPECT_TRUE(VarIsEmpty(Client.ServerList));
  EXPECT_EQ(Client.WorkDLLPaths->Count(), 0);
  const TTandrelIniS Server;
  EXPECT_EQ(Server.ErrorCode, "E;000015");
  EXPECT_TRUE(VarIsEmpty(Server.DBSettings));
}

TEST_F(Configuration, EmptyInstallationFolderStopsWithoutAnErrorCode) {
  WriteFile(RegistryFile, RegistryText({RegString("ClientPath", ""), "\"ServerPath\"=hex:01"}));
  const TTandrelIniC Client;
  EXPECT_EQ(Client.ErrorCode, "");
  EXPECT_EQ(Client.IniFileName, "");
  EXPECT_TRUE(VarIsEmpty(Client.ServerList));
  const TTandrelIniS Server;  // an unreadable value counts as empty
  EXPECT_EQ(Server.ErrorCode, "");
  EXPECT_EQ(Server.IniFileName, "");
}

TEST_F(Configuration, ClientDefaultsWithoutAnIniFile) {
  const std::string Folder = Install.Path();
  WriteFile(RegistryFile, RegistryText({RegString("ClientPath", Folder.substr(0, Folder.size() - 1))}));
  const TTandrelIniC Client;
  EXPECT_EQ(Client.ErrorCode, "");
  EXPECT_EQ(Client.ClientPath, Folder);  // given its trailing delimiter
  EXPECT_EQ(Client.ProfilePath, Folder);
  EXPECT_EQ(Client.IniFileName, Folder + "TandrelC.ini");
  EXPECT_EQ(Client.LangType, "ENG");
  EXPECT_EQ(Client.Version, "");
  EXPECT_EQ(Client.CreateGifBeforeSendEF, "Y");
  EXPECT_FALSE(Client.SupportCallBack);
  EXPECT_EQ(Client.AutoCheckNewMsg, "1");
  EXPECT_EQ(Client.CheckInterval, "1");
  EXPECT_EQ(Client.PopupMsg, "1");
  EXPECT_EQ(Client.LoginCheck, "0");
  ASSERT_EQ(VarArrayHighBound(Client.ServerList, 2), 0);
  EXPECT_EQ(Client.ServerList.GetElement(0, 0), Variant("127.0.0.1"));
  EXPECT_EQ(Client.ServerList.GetElement(1, 0), Variant(211));
  EXPECT_THAT(Lines(*Client.WorkDLLPaths), ElementsAre(Folder + "C_PKG/"));
}

TEST_F(Configuration, ClientReadsEveryKey) {
  Register();
  WriteIni("TandrelC.ini",
           "[Client Components]\nLangType=CHT\n[ProductVersion]\nVersion=9.0.0.0\n"
           "[UserDefine]\nCreateGifBeforeSendEF=N\n"
           "[TaskMessageCenter Setting]\nAutoCheckNewMsg=0\nCheckInterval=5\nPopupMsg=0\nLoginCheck=1\n");
  const TTandrelIniC Client;
  EXPECT_EQ(Client.LangType, "CHT");
  EXPECT_EQ(Client.Version, "9.0.0.0");
  EXPECT_EQ(Client.CreateGifBeforeSendEF, "N");
  EXPECT_EQ(Client.AutoCheckNewMsg, "0");
  EXPECT_EQ(Client.CheckInterval, "5");
  EXPECT_EQ(Client.PopupMsg, "0");
  EXPECT_EQ(Client.LoginCheck, "1");
}

TEST_F(Configuration, ServerListSharesOnePortAcrossTheNames) {
  Register();
  struct Case { const char* Ini; std::vector<std::string> Names; int Port; };
  const Case Cases[] = {
      {"ComputerName=srvA;srvB;\nServerPort=300\n", {"srvA", "srvB"}, 300},
      {"ComputerName= srvA \n", {"srvA"}, 211},
      {"ComputerName=srvA;;srvB\nServerPort=x\n", {"srvA", "", "srvB"}, 211},
      {"ComputerName=a;b;;\nServerPort=7\n", {"a", "b"}, 7},  // the last ";" goes, the next one ends "b"
  };
  for (const Case& C : Cases) {
    WriteIni("TandrelC.ini", std::string("[Server Information]\n") + C.Ini);
    const TTandrelIniC Client;
    EXPECT_EQ(Client.ErrorCode, "") << C.Ini;
    ASSERT_EQ(VarArrayDimCount(Client.ServerList), 2) << C.Ini;
    ASSERT_EQ(VarArrayHighBound(Client.ServerList, 1), 1) << C.Ini;
    ASSERT_EQ(VarArrayHighBound(Client.ServerList, 2) + 1, static_cast<int>(C.Names.size())) << C.Ini;
    for (int I = 0; I < static_cast<int>(C.Names.size()); ++I) {
      EXPECT_EQ(VarToStr(Client.ServerList.GetElement(0, I)), C.Names[static_cast<size_t>(I)]) << C.Ini;
      EXPECT_EQ(Client.ServerList.GetElement(1, I), Variant(C.Port)) << C.Ini;
    }
  }
}

TEST_F(Configuration, NoComputerNameStopsAfterTheKeysAreRead) {
  Register();
  for (const char* Names : {"ComputerName=;", "ComputerName=", "ComputerName=  ;  "}) {
    WriteIni("TandrelC.ini", std::string("[Server Information]\n") + Names +
                                 "\nSupportCallBack=1\n[Client Components]\nLangType=CHS\n"
                                 "[WorkDLLPath]\na=Lib\n");
    const TTandrelIniC Client;
    EXPECT_EQ(Client.ErrorCode, "E;000016") << Names;
    EXPECT_TRUE(VarIsEmpty(Client.ServerList)) << Names;
    EXPECT_EQ(Client.WorkDLLPaths->Count(), 0) << Names;
    EXPECT_EQ(Client.LangType, "CHS") << Names;
    EXPECT_TRUE(Client.SupportCallBack) << Names;
  }
}

TEST_F(Configuration, SupportCallBackTakesOnlyItsTruthyTexts) {
  Register();
  struct Case { const char* Value; bool Expected; };
  const Case Cases[] = {
      {"1", true},  {"y", true},   {"Yes", true},  {"yes", true}, {"TRUE", true}, {"true", true},
      {"On", false}, {"0", false}, {"", false},    {"2", false},  {"-1", false},  {"no", false},
  };
  for (const Case& C : Cases) {
    WriteIni("TandrelC.ini", std::string("[Server Information]\nSupportCallBack=") + C.Value + "\n");
    WriteIni("TandrelS.ini", std::string("[DBPasswordCtrl]\nSupportCallBack=") + C.Value + "\n");
    EXPECT_EQ(TTandrelIniC().SupportCallBack, C.Expected) << C.Value;
    EXPECT_EQ(TTandrelIniS().SupportCallBack, C.Expected) << C.Value;
  }
}

TEST_F(Configuration, WorkLibraryFoldersResolveAgainstTheInstallation) {
  Register();
  WriteIni("TandrelC.ini",
           "[WorkDLLPath]\na=Lib\nb=\\Lib2\nc=D:\\Lib3\nd=/opt/jobs\ne=\\\\srv\\share\\pkg\\\nf=Sub\\Dir\\\n");
  WriteIni("TandrelS.ini", "[WorkDLLPath]\nfirst=Srv\n");
  const std::string Base = Install.Path();
  const TTandrelIniC Client;
  EXPECT_THAT(Lines(*Client.WorkDLLPaths),
              ElementsAre(Base + "Lib/", Base + "Lib2/", "D:/Lib3/", "/opt/jobs/", "//srv/share/pkg/",
                          Base + "Sub/Dir/"));
  const TTandrelIniS Server;
  TStringList List;
  List.Add("stale");
  Server.GetWorkDLLPaths(&List);
  EXPECT_THAT(Lines(List), ElementsAre(Base + "Srv/"));
  WriteIni("TandrelS.ini", "");
  TTandrelIniS().GetWorkDLLPaths(&List);
  EXPECT_THAT(Lines(List), ElementsAre(Base + "S_PKG/"));
}

TEST_F(Configuration, ProfilesGiveEachUserAnOwnIniFile) {
  const std::string User = GetUserName().substr(0, 31);
  ASSERT_FALSE(User.empty());
  const std::string Base = Install.Path();
  const std::string Profile = Base + "Profile/" + User + "/";
  Register({RegString("ProfileType", "1")});
  WriteIni("TandrelC.ini", "[Client Components]\nLangType=SHARED\n");

  // No INI file in the profile folder: the shared one is used, the user still named.
  const TTandrelIniC Shared;
  EXPECT_EQ(Shared.ProfileType, "1");
  EXPECT_EQ(Shared.ProfilePath, Base);
  EXPECT_EQ(Shared.IniFileName, Base + "TandrelC.ini");
  EXPECT_EQ(Shared.UserName, User);
  EXPECT_EQ(Shared.LangType, "SHARED");

  std::filesystem::create_directories(Profile);
  WriteFile(Profile + "TandrelC.ini", "[Client Components]\nLangType=OWN\n");
  const TTandrelIniC Own;
  EXPECT_EQ(Own.ProfilePath, Profile);
  EXPECT_EQ(Own.IniFileName, Profile + "TandrelC.ini");
  EXPECT_EQ(Own.LangType, "OWN");
  EXPECT_THAT(Lines(*Own.WorkDLLPaths), ElementsAre(Base + "C_PKG/"));  // still below the installation

  Register({RegString("ProfileType", "0")});
  const TTandrelIniC Off;
  EXPECT_EQ(Off.ProfilePath, Base);
  EXPECT_EQ(Off.UserName, "Default");
}

TEST_F(Configuration, ServerDefaultsWithoutAnIniFile) {
  Register();
  const TTandrelIniS Server;
  EXPECT_EQ(Server.ErrorCode, "");
  EXPECT_EQ(Server.ServerPath, Install.Path());
  EXPECT_EQ(Server.IniFileName, Install / "TandrelS.ini");
  ASSERT_EQ(VarArrayDimCount(Server.DBSettings), 2);
  EXPECT_EQ(VarArrayHighBound(Server.DBSettings, 1), 3);
  EXPECT_EQ(VarArrayHighBound(Server.DBSettings, 2), 7);
  struct Cell { int Row, Column; Variant Value; };
  const Cell Cells[] = {
      {0, 0, "Dravik"},     {0, 1, "sa"},      {0, 2, ""},          {0, 3, "MSSQL"},
      {0, 4, ""},           {0, 5, ""},        {0, 6, 300},         {0, 7, 3000},
      {1, 0, "DravikTemp"}, {1, 1, "sa"},      {1, 2, ""},          {1, 3, "PARADOX"},
      {1, 4, ""},           {1, 5, "PostgreSQL"}, {1, 6, 300},      {1, 7, 3000},
      {2, 0, ""},           {2, 1, 211},       {2, 2, 1024},        {2, 3, "Chinese_Taiwan_Stroke_BIN"},
      {3, 0, "EDIDATA"},    {3, 1, "sa"},      {3, 2, ""},
  };
  for (const Cell& C : Cells)
    EXPECT_EQ(Server.DBSettings.GetElement(C.Row, C.Column), C.Value) << C.Row << "," << C.Column;
  for (int Column = 4; Column <= 7; ++Column)
    EXPECT_TRUE(VarIsEmpty(Server.DBSettings.GetElement(2, Column))) << Column;
  EXPECT_TRUE(VarIsEmpty(Server.DBSettings.GetElement(3, 3)));
  EXPECT_EQ(Server.MainDBKind, 0);
  EXPECT_EQ(Server.SystemControlAddress, "");
}

TEST_F(Configuration, ServerReadsDatabasesAndUnscramblesPasswords) {
  Register();
  WriteIni("TandrelS.ini",
           "[ProductVersion]\nVersion=9.0\n"
           "[DBE Setting]\nMainUserName=boss\nXXXXXX=" + EncodePassword("secret") +
               "\nMainAlias=Main\nMainDBType=oracle\nMainDBName=erp\nMainServerName=db1\n"
               "OtherSystemControlAddress=ctl2\nMainConnectionTimeOut=30\nMainCommandTimeOut=oops\n"
               "TempPassword=" + EncodePassword("") + "\nEctPassword=B0986C\n"
               "[DBPasswordCtrl]\nComputerName= pw1 \nServerPort=212\nClientSocketPort=2048\n");
  const TTandrelIniS Server;
  EXPECT_EQ(Server.Version, "9.0");
  EXPECT_EQ(Server.DBSettings.GetElement(0, 0), Variant("Main"));
  EXPECT_EQ(Server.DBSettings.GetElement(0, 1), Variant("boss"));
  EXPECT_EQ(Server.DBSettings.GetElement(0, 2), Variant("secret"));
  EXPECT_EQ(Server.DBSettings.GetElement(0, 4), Variant("erp"));
  EXPECT_EQ(Server.DBSettings.GetElement(0, 6), Variant(30));
  EXPECT_EQ(Server.DBSettings.GetElement(0, 7), Variant(3000));
  EXPECT_EQ(Server.DBSettings.GetElement(1, 2), Variant(""));
  EXPECT_EQ(Server.DBSettings.GetElement(3, 2), Variant("B0986C"));  // stored as read
  EXPECT_EQ(Server.DBSettings.GetElement(2, 0), Variant("pw1"));
  EXPECT_EQ(Server.DBSettings.GetElement(2, 1), Variant(212));
  EXPECT_EQ(Server.DBSettings.GetElement(2, 2), Variant(2048));
  EXPECT_EQ(Server.MainDBKind, 1);
  EXPECT_EQ(Server.SystemControlAddress, "db1");  // blank: the main server
  EXPECT_EQ(Server.OtherSystemControlAddress, "ctl2");
}

TEST_F(Configuration, MainDatabaseKindIgnoresCase) {
  Register();
  struct Case { const char* Type; int Kind; };
  const Case Cases[] = {{"ORACLE", 1}, {"Oracle", 1}, {"db2", 2}, {"MSSQL", 0}, {"ORACLE8", 0}};
  for (const Case& C : Cases) {
    WriteIni("TandrelS.ini", std::string("[DBE Setting]\nMainDBType=") + C.Type + "\n");
    EXPECT_EQ(TTandrelIniS().MainDBKind, C.Kind) << C.Type;
  }
}

TEST_F(Configuration, MalformedPasswordIsMarkedReportedAndLoadingGoesOn) {
  Register();
  WriteIni("TandrelS.ini", "[DBE Setting]\nXXXXXX=ZZ\nMainAlias=Main\n");
  const TTandrelIniS Server;
  EXPECT_EQ(Server.DBSettings.GetElement(0, 2), Variant("QZ_Mark_CredentialBad"));
  EXPECT_EQ(Server.DBSettings.GetElement(0, 0), Variant("Main"));
  const std::string Log = ReadBytes(Install / ("Log/Alert_Kestrune_" + FormatDateTime("yyyymmdd", Date()) + ".log"));
  EXPECT_THAT(Log, HasSubstr(" on " + EncodePassword("DecodeSQLSa") + " "));
  EXPECT_THAT(Log, HasSubstr("Exception is EConvertError"));
  EXPECT_THAT(Log, HasSubstr("Programer Message: 解析 Sa 时发生错误!"));
}

TEST(Passwords, ScrambleAndUnscramble) {
  EXPECT_EQ(EncodePassword("abc"), "B0986C");
  struct Case { const char* Scrambled; const char* Plain; };
  const Case Cases[] = {
      {"B0986C", "abc"}, {"b0986c", "abc"}, {"B0986", "ab"}, {"B", ""}, {"", ""},
  };
  for (const Case& C : Cases) EXPECT_EQ(DecodePassword(C.Scrambled), C.Plain) << C.Scrambled;
  // Positions 8, 16 ... keep their bits; every byte comes back.
  const std::string Long = "p@ssw0rd-longer than 8 \x7f\x80\xff";
  EXPECT_EQ(DecodePassword(EncodePassword(Long)), Long);
  EXPECT_EQ(EncodePassword("aaaaaaaa").substr(14, 2), "61");
}

TEST(Passwords, BlankPasswordIsStoredAsTheScrambledMarker) {
  const std::string Stored = EncodePassword("");
  EXPECT_EQ(Stored.size(), 72u);
  EXPECT_EQ(Stored, EncodePassword("QZ_Mark_Blank_CredentialsValueIsNone"));
  EXPECT_EQ(DecodePassword(Stored), "");
}

TEST(Passwords, PairsThatAreNotHexadecimalGiveTheBadMarker) {
  TTempFolder Home;
  TScopedEnv Registry("TANDREL_REGISTRY", Home / "none.reg");
  TScopedEnv Temp("TMPDIR", Home.Path());
  for (const char* Bad : {"ZZ", "B098ZZ", "B0 8", "+1", "0x"})
    EXPECT_EQ(DecodePassword(Bad), "QZ_Mark_CredentialBad") << Bad;
}

}  // namespace
