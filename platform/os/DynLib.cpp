#include "platform/os/DynLib.h"

#include <dlfcn.h>
#include <sys/auxv.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/os/FileUtils.h"

namespace {

thread_local std::string LastError;

void Fail(const std::string& Text, std::string* ErrorText) {
  LastError = Text;
  if (ErrorText != nullptr) *ErrorText = Text;
}

void Succeed(std::string* ErrorText) {
  LastError.clear();
  if (ErrorText != nullptr) ErrorText->clear();
}

std::string DlError(const std::string& Fallback) {
  const char* E = dlerror();
  return E != nullptr ? std::string(E) : Fallback;
}

// The folder (with "/") of the module containing Address, "" when unknown.
std::string ModuleFolder(const void* Address) { return ExtractFilePath(ModuleFileName(Address)); }

void PlatformAnchor() {}

HMODULE Open(const std::string& Name, std::string* ErrorText) {
  dlerror();
  HMODULE H = dlopen(Name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (H == nullptr)
    Fail(DlError(Name + ": cannot be loaded"), ErrorText);
  else
    Succeed(ErrorText);
  return H;
}

}  // namespace

__attribute__((noinline)) HMODULE LoadLibrary(const std::string& FileName, std::string* ErrorText) {
  const void* Caller = __builtin_return_address(0);
  if (FileName.empty()) {
    Fail("empty library name", ErrorText);
    return nullptr;
  }
  std::string Name = FileName;
  if (Name.back() == '.')
    Name.pop_back();
  else if (ExtractFileExt(Name).empty())
    Name += ".so";
  if (Name.find('/') != std::string::npos) return Open(Name, ErrorText);

  std::vector<std::string> Folders;
  Folders.push_back(ExtractFilePath(ProgramFileName()));
  Folders.push_back(ModuleFolder(Caller));
  Folders.push_back(ModuleFolder(reinterpret_cast<const void*>(&PlatformAnchor)));
  for (const std::string& Folder : Folders) {
    if (Folder.empty()) continue;
    const std::string Candidate = IncludeTrailingPathDelimiter(Folder) + Name;
    if (FileExists(Candidate)) return Open(Candidate, ErrorText);
  }
  return Open(Name, ErrorText);
}

void* GetProcAddress(HMODULE Module, const std::string& ProcName, std::string* ErrorText) {
  if (Module == nullptr) {
    Fail("invalid module handle", ErrorText);
    return nullptr;
  }
  dlerror();
  void* P = dlsym(Module, ProcName.c_str());
  if (P == nullptr) {
    Fail(DlError(ProcName + ": no such export"), ErrorText);
    return nullptr;
  }
  Succeed(ErrorText);
  return P;
}

bool FreeLibrary(HMODULE Module, std::string* ErrorText) {
  if (Module == nullptr) {
    Fail("invalid module handle", ErrorText);
    return false;
  }
  dlerror();
  if (dlclose(Module) != 0) {
    Fail(DlError("the module could not be unloaded"), ErrorText);
    return false;
  }
  Succeed(ErrorText);
  return true;
}

std::string LastLibraryError() { return LastError; }

std::string ModuleFileName(const void* Address) {
  if (Address == nullptr) return std::string();
  Dl_info Info{};
  if (dladdr(Address, &Info) == 0 || Info.dli_fbase == nullptr) return std::string();
  // The program itself: dladdr gives it no usable name.
  Dl_info Main{};
  const auto Phdr = reinterpret_cast<const void*>(getauxval(AT_PHDR));
  if (Phdr != nullptr && dladdr(Phdr, &Main) != 0 && Main.dli_fbase == Info.dli_fbase)
    return ProgramFileName();
  if (Info.dli_fname == nullptr || *Info.dli_fname == '\0') return std::string();
  return ExpandFileName(Info.dli_fname);
}

std::string ProgramFileName() {
  std::error_code Ec;
  const std::filesystem::path P = std::filesystem::read_symlink("/proc/self/exe", Ec);
  return Ec ? std::string() : P.string();
}
