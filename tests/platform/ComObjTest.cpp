#include "platform/os/ComObj.h"

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "platform/core/Automation.h"
#include "platform/net/SocketConnection.h"
#include "platform/os/DynLib.h"
#include "platform/os/FileUtils.h"

using testsupport::TScopedEnv;
using testsupport::TTempFolder;
using testsupport::WriteFile;

namespace {

std::string FixtureLibrary() { return ExtractFilePath(ProgramFileName()) + "fixtures/TandrelFixtureAutoObject.so"; }

// A registry file with the test classes, in place for the test's duration.
class ComObjTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string Lib = FixtureLibrary();
    WriteFile(Temp_ / "registry.reg",
              "Windows Registry Editor Version 5.00\n"
              "[HKEY_CLASSES_ROOT\\Test.Default]\n\"Library\"=\"" + Lib + "\"\n"
              "[HKEY_CLASSES_ROOT\\Test.Named]\n\"Library\"=\"" + Lib + "\"\n\"Factory\"=\"CreateNamedObject\"\n"
              "[HKEY_CLASSES_ROOT\\Test.NoLibrary]\n\"Factory\"=\"CreateNamedObject\"\n"
              "[HKEY_CLASSES_ROOT\\Test.MissingFile]\n\"Library\"=\"" + Temp_.Path() + "Missing.so\"\n"
              "[HKEY_CLASSES_ROOT\\Test.NoExport]\n\"Library\"=\"" + Lib + "\"\n\"Factory\"=\"NoSuchFactory\"\n"
              "[HKEY_CLASSES_ROOT\\Test.NoObject]\n\"Library\"=\"" + Lib + "\"\n\"Factory\"=\"CreateNothing\"\n"
              "[HKEY_LOCAL_MACHINE\\Test.Elsewhere]\n\"Library\"=\"" + Lib + "\"\n");
  }

  static int LiveObjects() {
    HMODULE Lib = LoadLibrary(FixtureLibrary());
    const int Count = GetProc<int (*)()>(Lib, "FixtureLiveObjects")();
    FreeLibrary(Lib);
    return Count;
  }

  TTempFolder Temp_;
  TScopedEnv Env_{"TANDREL_REGISTRY", Temp_ / "registry.reg"};
};

}  // namespace

TEST_F(ComObjTest, CreatesTheObjectOfARegisteredClass) {
  for (const std::string Name : {"Test.Default", "test.NAMED"}) {
    Variant Object = CreateOleObject(Name);
    ASSERT_TRUE(VarIsDispatch(Object)) << Name;
    EXPECT_EQ(VarCall(Object, "Hello"), Variant("hello from " + Name));
    EXPECT_EQ(LiveObjects(), 1);
    Object.Clear();
    EXPECT_EQ(LiveObjects(), 0) << "the one reference the factory took must be handed over, not kept";
  }
}

TEST_F(ComObjTest, FailuresNameTheClassAndTheCause) {
  const struct {
    std::string ClassName;
    std::string Expected;
  } Cases[] = {
      {"Test.Unknown", "Class 'Test.Unknown' is not registered (no key HKEY_CLASSES_ROOT\\Test.Unknown in "},
      {"Test.Elsewhere", "Class 'Test.Elsewhere' is not registered"},
      {"", "Class '' is not registered"},
      {"Test.Default\\..", "is not registered"},
      {"Test.NoLibrary", "Class 'Test.NoLibrary' names no library (value \"Library\")"},
      {"Test.MissingFile", "Class 'Test.MissingFile': library '" + Temp_.Path() + "Missing.so' cannot be loaded: "},
      {"Test.NoExport", "Class 'Test.NoExport': library '" + FixtureLibrary() + "' has no export 'NoSuchFactory'"},
      {"Test.NoObject", "Class 'Test.NoObject': the factory 'CreateNothing' of library '" + FixtureLibrary() +
                            "' gave no object"},
  };
  for (const auto& C : Cases) {
    try {
      CreateOleObject(C.ClassName);
      ADD_FAILURE() << C.ClassName << " was created";
    } catch (const EOleError& E) {
      EXPECT_NE(E.Message().find(C.Expected), std::string::npos) << E.Message();
    }
  }
}

TEST_F(ComObjTest, ALocalObjectServesAsTheConnectionsServer) {
  TSocketConnection Conn(nullptr);
  Conn.SetAddress("127.0.0.1");
  Conn.SetServerName("Test.Default");
  Conn.SetAppServer(CreateOleObject(Conn.ServerName()));
  EXPECT_TRUE(Conn.Connected());
  EXPECT_EQ(VarCall(Conn.AppServer(), "Hello"), Variant("hello from Test.Default"));
  Conn.Close();
  EXPECT_FALSE(Conn.Connected());
  EXPECT_TRUE(VarIsEmpty(Conn.AppServer()));
  EXPECT_EQ(LiveObjects(), 0);
  EXPECT_THROW(Conn.SetAppServer(Variant(5)), ESocketError);
}
