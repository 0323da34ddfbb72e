#include "platform/os/FileUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace {

bool IsDelim(char C) { return C == '/' || C == '\\'; }

bool IsAsciiLetter(char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z'); }

bool HasDrive(const std::string& S) { return S.size() >= 2 && S[1] == ':' && IsAsciiLetter(S[0]); }

// Index of the last path delimiter or drive colon; npos when none.
size_t LastPathDelimiter(const std::string& S) {
  for (size_t I = S.size(); I-- > 0;) {
    if (IsDelim(S[I])) return I;
    if (I == 1 && HasDrive(S)) return I;
  }
  return std::string::npos;
}

// Index of the last ".", path delimiter or drive colon; npos when none.
size_t LastExtDelimiter(const std::string& S) {
  for (size_t I = S.size(); I-- > 0;) {
    if (S[I] == '.' || IsDelim(S[I])) return I;
    if (I == 1 && HasDrive(S)) return I;
  }
  return std::string::npos;
}

std::string Slashes(std::string S) {
  for (char& C : S)
    if (C == '\\') C = '/';
  return S;
}

}  // namespace

bool FileExists(const std::string& FileName) {
  struct stat St {};
  return !FileName.empty() && stat(FileName.c_str(), &St) == 0 && !S_ISDIR(St.st_mode);
}

bool DirectoryExists(const std::string& Directory) {
  struct stat St {};
  return !Directory.empty() && stat(Directory.c_str(), &St) == 0 && S_ISDIR(St.st_mode);
}

bool ForceDirectories(const std::string& Directory) {
  if (Directory.empty()) return false;
  std::error_code Ec;
  std::filesystem::create_directories(std::filesystem::path(Directory), Ec);
  return DirectoryExists(Directory);
}

bool DeleteFile(const std::string& FileName) {
  return !FileName.empty() && unlink(FileName.c_str()) == 0;
}

std::string ExtractFilePath(const std::string& FileName) {
  const size_t I = LastPathDelimiter(FileName);
  return I == std::string::npos ? std::string() : FileName.substr(0, I + 1);
}

std::string ExtractFileDir(const std::string& FileName) {
  size_t I = LastPathDelimiter(FileName);
  if (I == std::string::npos) return std::string();
  // Keep a root delimiter ("/", "D:\"), drop any other.
  if (I > 0 && IsDelim(FileName[I]) && !IsDelim(FileName[I - 1]) && !(I == 2 && HasDrive(FileName)))
    return FileName.substr(0, I);
  return FileName.substr(0, I + 1);
}

std::string ExtractFileName(const std::string& FileName) {
  const size_t I = LastPathDelimiter(FileName);
  return I == std::string::npos ? FileName : FileName.substr(I + 1);
}

std::string ExtractFileExt(const std::string& FileName) {
  const size_t I = LastExtDelimiter(FileName);
  return (I != std::string::npos && FileName[I] == '.') ? FileName.substr(I) : std::string();
}

std::string ChangeFileExt(const std::string& FileName, const std::string& Extension) {
  const size_t I = LastExtDelimiter(FileName);
  if (I != std::string::npos && FileName[I] == '.') return FileName.substr(0, I) + Extension;
  return FileName + Extension;
}

std::string ExtractFileDrive(const std::string& FileName) {
  if (HasDrive(FileName)) return FileName.substr(0, 2);
  if (FileName.size() >= 2 && IsDelim(FileName[0]) && IsDelim(FileName[1])) {
    // "//server/share": up to the delimiter after the share name.
    int Delims = 0;
    size_t I = 2;
    for (; I < FileName.size(); ++I) {
      if (IsDelim(FileName[I]) && ++Delims == 2) break;
    }
    return FileName.substr(0, I);
  }
  return std::string();
}

std::string IncludeTrailingPathDelimiter(const std::string& Path) {
  if (!Path.empty() && IsDelim(Path.back())) return Path;
  return Path + PathDelim;
}

std::string ExcludeTrailingPathDelimiter(const std::string& Path) {
  if (!Path.empty() && IsDelim(Path.back())) return Path.substr(0, Path.size() - 1);
  return Path;
}

std::string ExpandFileName(const std::string& FileName) {
  if (FileName.empty()) return std::string();
  std::error_code Ec;
  std::filesystem::path P = std::filesystem::absolute(std::filesystem::path(FileName), Ec);
  if (Ec) return FileName;
  return P.lexically_normal().string();
}

std::string ResolveConfiguredPath(const std::string& Base, const std::string& Configured) {
  const bool Network = Configured.size() >= 2 && Configured[0] == '\\' && Configured[1] == '\\';
  if (Network || Configured.empty() || Configured[0] != '\\') return Slashes(Configured);
  // One leading "\": relative to Base.
  std::string Rest = Slashes(Configured.substr(1));
  size_t Skip = 0;
  while (Skip < Rest.size() && Rest[Skip] == '/') ++Skip;
  Rest.erase(0, Skip);
  const std::string Dir = Slashes(Base);
  if (Dir.empty()) return Rest;
  return IncludeTrailingPathDelimiter(Dir) + Rest;
}
