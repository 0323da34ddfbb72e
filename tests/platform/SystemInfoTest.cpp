#include "platform/os/SystemInfo.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <optional>
#include <string>

#include "TestSupport.h"

using testsupport::TScopedEnv;

TEST(SystemInfo, TempDirectoryKeepsItsTrailingDelimiter) {
  const struct {
    std::optional<std::string> TmpDir;
    std::string Expected;
  } Cases[] = {
      {std::nullopt, "/tmp/"}, {"", "/tmp/"}, {"/var/tmp", "/var/tmp/"}, {"/scratch/", "/scratch/"},
  };
  for (const auto& C : Cases) {
    TScopedEnv Env("TMPDIR", C.TmpDir);
    EXPECT_EQ(GetTempDirectory(), C.Expected) << C.TmpDir.value_or("(unset)");
  }
}

TEST(SystemInfo, ComputerNameIsTheShortHostNameInUpperCase) {
  char Host[HOST_NAME_MAX + 1] = {};
  ASSERT_EQ(gethostname(Host, sizeof Host - 1), 0);
  std::string Expected(Host);
  Expected = Expected.substr(0, Expected.find('.')).substr(0, 15);
  for (char& C : Expected) C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
  const std::string Name = GetComputerName();
  EXPECT_EQ(Name, Expected);
  EXPECT_LE(Name.size(), 15u);
  for (char C : Name) EXPECT_FALSE(std::islower(static_cast<unsigned char>(C))) << Name;
}

TEST(SystemInfo, UserNameIsTheEffectiveUser) {
  const passwd* Entry = getpwuid(geteuid());
  ASSERT_NE(Entry, nullptr);
  EXPECT_EQ(GetUserName(), Entry->pw_name);
}

TEST(SystemInfo, OSVersionTextNamesSystemReleaseAndMachine) {
  utsname U{};
  ASSERT_EQ(uname(&U), 0);
  EXPECT_EQ(GetOSVersionText(), std::string(U.sysname) + " " + U.release + " " + U.machine);
  EXPECT_EQ(GetOSVersionText().find('\n'), std::string::npos);
}

TEST(SystemInfo, ProcessIdIsThisProcess) { EXPECT_EQ(GetCurrentProcessId(), static_cast<uint32_t>(getpid())); }
