#pragma once

#include <string>

// Loading shared libraries at run time, in the classic shape
// (LoadLibrary / GetProcAddress / FreeLibrary). Failures give a null result
// and an error text, never an exception or a crash.

using HMODULE = void*;

// FileName is a path (it has a "/") or a bare name. A bare name is looked for
// in the host program's folder, then the folder of the module that calls
// LoadLibrary, then the platform library's folder, then by the system's
// search (dlopen); the first folder holding the file decides. A name without
// an extension gets ".so", as Windows adds ".dll" (a trailing "." means "no
// extension"). Loading binds every symbol at once (RTLD_NOW). On failure
// returns nullptr and sets the error text (dlerror's, or "file not found").
HMODULE LoadLibrary(const std::string& FileName, std::string* ErrorText = nullptr);

// The address of an export; nullptr (with the error text) when the module
// has none or Module is null.
void* GetProcAddress(HMODULE Module, const std::string& ProcName, std::string* ErrorText = nullptr);

// True when unloaded; false for a null or unknown handle.
bool FreeLibrary(HMODULE Module, std::string* ErrorText = nullptr);

// The error text of this thread's last failed call above ("" after none).
std::string LastLibraryError();

// The file of the module (program or shared library) that contains Address,
// as an absolute name; "" when no module contains it.
std::string ModuleFileName(const void* Address);

// The running program's file (/proc/self/exe).
std::string ProgramFileName();

// An export as a typed function pointer: GetProc<int (*)(int)>(Lib, "Twice").
template <class Fn>
Fn GetProc(HMODULE Module, const std::string& ProcName, std::string* ErrorText = nullptr) {
  return reinterpret_cast<Fn>(GetProcAddress(Module, ProcName, ErrorText));
}
