#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "env/KestruneU.h"
#include "env/LibStrs.h"
#include "env/OVDownLoadNewFileU.h"
#include "platform/core/DateUtils.h"
#include "platform/core/Exceptions.h"
#include "platform/os/DynLib.h"
#include "platform/os/FileUtils.h"
#include "platform/os/SystemInfo.h"
#include "tests/env/EnvTestSupport.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::MatchesRegex;
using envtest::ReadBytes;
using envtest::ReadCrLfLines;
using envtest::RegistryText;
using envtest::RegString;
using envtest::WithoutStamp;
using testsupport::TScopedEnv;
using testsupport::TTempFolder;
using testsupport::WriteFile;

namespace {

class LogFiles : public ::testing::Test {
 protected:
  void Register(const std::vector<std::string>& Values, bool WithKey = true) {
    WriteFile(RegistryFile, RegistryText(Values, WithKey));
  }
  void RegisterClientPath() { Register({RegString("ClientPath", Install.Path())}); }
  static std::string Today(const char* Layout = "yyyymmdd") { return FormatDateTime(Layout, Date()); }
  std::string LogFile(const std::string& Base, const std::string& Name) const {
    return Base + "Log/" + Name;
  }
  std::string KestruneLog() const { return LogFile(Install.Path(), "Alert_Kestrune_" + Today() + ".log"); }

  TTempFolder Scratch;
  std::string RegistryFile = Scratch / "registry.reg";
  TScopedEnv RegistryEnv{"TANDREL_REGISTRY", RegistryFile};
  TTempFolder Install;
};

TEST_F(LogFiles, AlertLinesAreStampedAppendedAndEndInCrLf) {
  RegisterClientPath();
  EXPECT_TRUE(WriteAlertLog("libstrs", "LINE[2735] first", "D"));
  EXPECT_TRUE(WriteAlertLog("libstrs", "second\r\ncontinued", "D"));
  const std::string File = LogFile(Install.Path(), "Alert_libstrs_" + Today() + ".log");
  const std::vector<std::string> Lines = ReadCrLfLines(File);
  ASSERT_EQ(Lines.size(), 3u);
  EXPECT_THAT(Lines[0], MatchesRegex("\\[[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}:[0-9]{3}\\] "
                                     "LINE\\[2735\\] first"));
  EXPECT_EQ(WithoutStamp(Lines[1]), "second");
  EXPECT_EQ(Lines[2], "continued");
  EXPECT_EQ(ReadBytes(File).substr(ReadBytes(File).size() - 2), "\r\n");
}

TEST_F(LogFiles, PeriodAndNameMakeTheFileName) {
  RegisterClientPath();
  struct Case { const char* Name; const char* Period; std::string FileName; };
  const Case Cases[] = {
      {"day", "D", "Alert_day_" + Today() + ".log"},
      {"lower", "d", "Alert_lower_" + Today() + ".log"},
      {"other", "W", "Alert_other_" + Today() + ".log"},
      {"month", "M", "Alert_month_" + Today("yyyymm") + ".log"},
      {"year", "Y", "Alert_year_" + Today("yyyy") + ".log"},
      {"x.txt", "D", "Alert_x.txt_" + Today()},
  };
  for (const Case& C : Cases) {
    EXPECT_TRUE(WriteAlertLog(C.Name, "text", C.Period)) << C.Name;
    EXPECT_TRUE(FileExists(LogFile(Install.Path(), C.FileName))) << C.FileName;
  }
}

TEST_F(LogFiles, BaseFolderFallsBackFromClientToServerToProgramFolder) {
  const std::string ProgramFolder = ExtractFilePath(ProgramFileName());
  Register({RegString("ClientPath", ""), RegString("ServerPath", Install.Path())});
  EXPECT_EQ(GetTandrelHome(), Install.Path());
  Register({}, false);
  EXPECT_EQ(GetTandrelHome(), ProgramFolder);
  // A value that cannot be read as text falls back like a missing key.
  Register({"\"ClientPath\"=hex:01,02"});
  EXPECT_EQ(GetTandrelHome(), ProgramFolder);

  const std::string Name = "envtest" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(WriteAlertLog(Name, "text", "D"));
  const std::string File = LogFile(ProgramFolder, "Alert_" + Name + "_" + Today() + ".log");
  EXPECT_TRUE(FileExists(File));
  DeleteFile(File);
}

TEST_F(LogFiles, DownloadAlertsGoToTheProgramFolderWhateverTheRegistrySays) {
  RegisterClientPath();
  const std::string Name = "envtestdl" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(WriteDownloadAlertLog(Name, "Read Upgrader Registry Error", "D"));
  const std::string File =
      LogFile(ExtractFilePath(ProgramFileName()), "Alert_" + Name + "_" + Today() + ".log");
  EXPECT_THAT(ReadCrLfLines(File), ElementsAre(::testing::EndsWith("] Read Upgrader Registry Error")));
  DeleteFile(File);
}

TEST_F(LogFiles, WritersGiveFalseInsteadOfRaising) {
  // The base folder is a file, so no Log folder can be made under it.
  WriteFile(Install / "plain", "");
  Register({RegString("ClientPath", Install / "plain")});
  EXPECT_FALSE(WriteAlertLog("libstrs", "text", "D"));
  EXPECT_FALSE(WriteKestruneLog("text"));
  WriteErrorReport(nullptr, "where", "message");

  // A log name cannot lead out of the log folder.
  RegisterClientPath();
  EXPECT_FALSE(WriteAlertLog("../escaped", "text", "D"));
  EXPECT_FALSE(FileExists(Install / ("escaped_" + Today() + ".log")));
  EXPECT_TRUE(AppendLogLine(Install.Path(), "plain.log", "ok"));
  EXPECT_FALSE(AppendLogLine(Install.Path(), "", "no name"));
}

TEST_F(LogFiles, KestruneLogUsesTheShortDateAndLongTime) {
  RegisterClientPath();
  EXPECT_EQ(GetKestruneHome(), Install.Path());
  EXPECT_TRUE(WriteKestruneLog("one"));
  EXPECT_TRUE(WriteKestruneLog("two"));
  const std::vector<std::string> Lines = ReadCrLfLines(KestruneLog());
  ASSERT_EQ(Lines.size(), 2u);
  EXPECT_THAT(Lines[0], MatchesRegex("\\[" + Today("ddddd") + " [0-9]{2}:[0-9]{2}:[0-9]{2}\\] one"));
  EXPECT_EQ(WithoutStamp(Lines[1]), "two");
}

TEST_F(LogFiles, KestruneHomeFallsBackToTheTemporaryFolderThenTmp) {
  TScopedEnv Temp("TMPDIR", Install.Path());
  Register({}, false);
  EXPECT_EQ(GetKestruneHome(), Install.Path());
  EXPECT_TRUE(WriteKestruneLog("no key"));
  EXPECT_THAT(ReadCrLfLines(KestruneLog()), ElementsAre(::testing::EndsWith("] no key")));
  Register({"\"ClientPath\"=hex:01,02"});
  EXPECT_EQ(GetKestruneHome(), "/tmp");
}

TEST_F(LogFiles, ErrorReportsDescribeEachKindOfException) {
  RegisterClientPath();
  const std::string H(34, '-');
  const std::string Header = H + H;
  struct Case {
    const char* Title;
    std::shared_ptr<std::exception> E;
    const char* Where;
    const char* Programmer;
    std::vector<std::string> Lines;
  };
  const Case Cases[] = {
      {"nothing", nullptr, "", "", {Header}},
      {"blank where", nullptr, "  ", "msg", {Header, "Programer Message: msg"}},
      {"where", nullptr, " DecodeSQLSa", " p ", {H + " on  DecodeSQLSa " + H, "Programer Message:  p "}},
      {"general", std::make_shared<EConvertError>("bad"), "", "",
       {Header, "讯息信息:", "Exception is EConvertError", "Message 01: bad", "ErrorMessage Count: 1"}},
      {"engine", std::make_shared<EDBEngineError>(std::vector<TDBError>{{10, "a"}, {20, "b"}, {30, "c"}}),
       "", "",
       {Header, "讯息信息:", "EDBEngineError Error 01: Code: 10, Message: a",
        "EDBEngineError Error 02: Code: 20, Message: b", "EDBEngineError Error 03: Code: 30, Message: c",
        "ErrorMessage Count: 3"}},
      {"engine without errors", std::make_shared<EDBEngineError>("lost?", std::vector<TDBError>{}), "", "",
       {Header, "讯息信息:", "Exception is EDBEngineError", "Message 01: lost?", "ErrorMessage Count: 1"}},
      {"system", std::make_shared<EWin32Error>("denied", 5), "", "",
       {Header, "讯息信息:", "EWin32Error Error 01: Code: 5, Message: denied", "ErrorMessage Count: 1"}},
      {"os", std::make_shared<EOSError>("gone", 2), "", "",
       {Header, "讯息信息:", "EWin32Error Error 01: Code: 2, Message: gone", "ErrorMessage Count: 1"}},
      {"in/out", std::make_shared<EInOutError>("disk full", 28), "", "",
       {Header, "讯息信息:", "EInOutError Error 01: Code: 28, Message: disk full", "ErrorMessage Count: 1"}},
      {"standard", std::make_shared<std::runtime_error>("100% %s %d"), "", "",
       {Header, "讯息信息:", "Exception is std::runtime_error", "Message 01: 100% %s %d",
        "ErrorMessage Count: 1"}},
  };
  for (const Case& C : Cases) {
    DeleteFile(KestruneLog());
    WriteErrorReport(C.E.get(), C.Where, C.Programmer);
    std::vector<std::string> Lines;
    for (const std::string& Line : ReadCrLfLines(KestruneLog())) Lines.push_back(WithoutStamp(Line));
    EXPECT_THAT(Lines, ElementsAreArray(C.Lines)) << C.Title;
  }
}

}  // namespace
