#include "platform/os/SystemInfo.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/core/TextBasics.h"
#include "platform/os/FileUtils.h"

std::string GetTempDirectory() {
  const char* Dir = std::getenv("TMPDIR");
  return IncludeTrailingPathDelimiter((Dir != nullptr && *Dir != '\0') ? Dir : "/tmp");
}

std::string GetComputerName() {
  char Buffer[HOST_NAME_MAX + 1] = {};
  if (gethostname(Buffer, sizeof Buffer - 1) != 0) return std::string();
  std::string Name(Buffer);
  Name = Name.substr(0, Name.find('.'));
  if (Name.size() > 15) Name.resize(15);
  return textbasics::UpperAscii(Name);
}

std::string GetUserName() {
  long Size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> Buffer(static_cast<size_t>(Size > 0 ? Size : 16384));
  passwd Entry{};
  passwd* Found = nullptr;
  if (getpwuid_r(geteuid(), &Entry, Buffer.data(), Buffer.size(), &Found) == 0 && Found != nullptr &&
      Found->pw_name != nullptr && *Found->pw_name != '\0')
    return Found->pw_name;
  for (const char* Var : {"USER", "LOGNAME"}) {
    const char* V = std::getenv(Var);
    if (V != nullptr && *V != '\0') return V;
  }
  return std::string();
}

std::string GetOSVersionText() {
  utsname U{};
  if (uname(&U) != 0) return "Linux";
  return std::string(U.sysname) + " " + U.release + " " + U.machine;
}

uint32_t GetCurrentProcessId() { return static_cast<uint32_t>(getpid()); }
