#include "platform/os/DynLib.h"

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "platform/core/CodePage.h"
#include "platform/os/FileUtils.h"

using testsupport::TTempFolder;
using testsupport::WriteFile;

namespace {

// The fixture libraries sit in bin/fixtures/, beside the test program's bin/.
std::string FixtureDir() { return ExtractFilePath(ProgramFileName()) + "fixtures/"; }

bool EndsWith(const std::string& S, const std::string& Tail) {
  return S.size() >= Tail.size() && S.compare(S.size() - Tail.size(), Tail.size(), Tail) == 0;
}

int InTheTestProgram() { return 1; }

}  // namespace

TEST(DynLib, LoadsResolvesAndUnloadsALibraryByPath) {
  for (const std::string Name : {"TandrelFixtureNeighbour.so", "TandrelFixtureNeighbour"}) {
    std::string Error = "stale";
    HMODULE Lib = LoadLibrary(FixtureDir() + Name, &Error);
    ASSERT_NE(Lib, nullptr) << Name << ": " << Error;
    EXPECT_EQ(Error, "");
    const auto Twice = GetProc<int (*)(int)>(Lib, "FixtureTwice");
    ASSERT_NE(Twice, nullptr);
    EXPECT_EQ(Twice(21), 42);
    EXPECT_EQ(ModuleFileName(reinterpret_cast<const void*>(Twice)), FixtureDir() + "TandrelFixtureNeighbour.so");

    EXPECT_EQ(GetProcAddress(Lib, "NoSuchExport", &Error), nullptr);
    EXPECT_NE(Error.find("NoSuchExport"), std::string::npos) << Error;
    EXPECT_EQ(LastLibraryError(), Error);
    EXPECT_TRUE(FreeLibrary(Lib, &Error)) << Error;
  }
}

TEST(DynLib, BareNamesAreSearchedBesideTheProgramAndTheCaller) {
  // The platform library sits beside the program.
  HMODULE Platform = LoadLibrary("libtandrelplatform.so");
  ASSERT_NE(Platform, nullptr) << LastLibraryError();
  EXPECT_TRUE(FreeLibrary(Platform));

  // The neighbour is in fixtures/: not beside the program, not on the system's path ...
  std::string Error;
  EXPECT_EQ(LoadLibrary("TandrelFixtureNeighbour.so", &Error), nullptr);
  EXPECT_FALSE(Error.empty());

  // ... but beside the fixture library that loads it.
  HMODULE Caller = LoadLibrary(FixtureDir() + "TandrelFixtureCaller.so", &Error);
  ASSERT_NE(Caller, nullptr) << Error;
  const auto NeighbourAnswer = GetProc<int (*)()>(Caller, "FixtureNeighbourAnswer");
  ASSERT_NE(NeighbourAnswer, nullptr);
  EXPECT_EQ(NeighbourAnswer(), 42);
  const auto OwnFileName = GetProc<const char* (*)()>(Caller, "FixtureOwnFileName");
  ASSERT_NE(OwnFileName, nullptr);
  EXPECT_EQ(std::string(OwnFileName()), FixtureDir() + "TandrelFixtureCaller.so");
  EXPECT_TRUE(FreeLibrary(Caller));
}

TEST(DynLib, FailuresGiveANullHandleAndAnErrorText) {
  TTempFolder Folder;
  WriteFile(Folder / "NotALibrary.so", "just text, no ELF header\n");
  const std::string Cases[] = {
      "NoSuchLibraryAnywhere.so",
      "NoSuchLibraryAnywhere",
      "/nonexistent/folder/Library.so",
      Folder / "NotALibrary.so",
      Folder.Path(),
      "",
  };
  for (const std::string& Name : Cases) {
    std::string Error;
    EXPECT_EQ(LoadLibrary(Name, &Error), nullptr) << Name;
    EXPECT_FALSE(Error.empty()) << Name;
    EXPECT_EQ(LastLibraryError(), Error) << Name;
  }
  std::string Error;
  EXPECT_EQ(GetProcAddress(nullptr, "Anything", &Error), nullptr);
  EXPECT_FALSE(Error.empty());
  EXPECT_FALSE(FreeLibrary(nullptr, &Error));
  EXPECT_FALSE(Error.empty());
}

TEST(DynLib, ModuleFileNamesNameTheFileHoldingAnAddress) {
  const std::string Program = ProgramFileName();
  EXPECT_TRUE(EndsWith(Program, "/platform_tests")) << Program;
  EXPECT_EQ(ModuleFileName(reinterpret_cast<const void*>(&InTheTestProgram)), Program);
  EXPECT_EQ(ModuleFileName(reinterpret_cast<const void*>(&GetACP)),
            ExtractFilePath(Program) + "libtandrelplatform.so");
  EXPECT_EQ(ModuleFileName(nullptr), "");
  int OnTheStack = 0;
  EXPECT_EQ(ModuleFileName(&OnTheStack), "");
}
