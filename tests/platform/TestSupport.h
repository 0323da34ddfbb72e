#pragma once

// Small helpers of the platform tests: a temporary folder, an environment
// variable set for one test, and writing a file's bytes.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with its
// contents at the end. Path() ends with "/".
class TTempFolder {
 public:
  TTempFolder() {
    std::string Pattern = (std::filesystem::temp_directory_path() / "tandrel-test-XXXXXX").string();
    if (mkdtemp(Pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    Path_ = Pattern + "/";
  }
  ~TTempFolder() {
    std::error_code Ec;
    std::filesystem::remove_all(Path_, Ec);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  const std::string& Path() const { return Path_; }
  std::string operator/(const std::string& Name) const { return Path_ + Name; }

 private:
  std::string Path_;
};

// Sets (or, with std::nullopt, removes) an environment variable until the end
// of the scope, then puts back what was there.
class TScopedEnv {
 public:
  TScopedEnv(std::string Name, const std::optional<std::string>& Value) : Name_(std::move(Name)) {
    if (const char* Old = std::getenv(Name_.c_str())) Old_ = Old;
    if (Value)
      setenv(Name_.c_str(), Value->c_str(), 1);
    else
      unsetenv(Name_.c_str());
  }
  ~TScopedEnv() {
    if (Old_)
      setenv(Name_.c_str(), Old_->c_str(), 1);
    else
      unsetenv(Name_.c_str());
  }
  TScopedEnv(const TScopedEnv&) = delete;
  TScopedEnv& operator=(const TScopedEnv&) = delete;

 private:
  std::string Name_;
  std::optional<std::string> Old_;
};

inline void WriteFile(const std::string& FileName, const std::string& Bytes) {
  std::ofstream Out(FileName, std::ios::binary | std::ios::trunc);
  Out << Bytes;
  if (!Out) throw std::runtime_error("cannot write " + FileName);
}

}  // namespace testsupport
