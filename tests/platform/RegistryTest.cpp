#include "platform/os/Registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "platform/core/Classes.h"
#include "platform/core/CodePage.h"

using ::testing::ElementsAre;
using testsupport::TScopedEnv;
using testsupport::TTempFolder;
using testsupport::WriteFile;

namespace {

const char* const SampleReg =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; written by the demo installation\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\ORV\\Tandrel]\r\n"
    "@=\"the default\"\r\n"
    "\"ClientPath\"=\"/opt/tandrel/\"\r\n"
    "\"WinPath\"=\"C:\\\\Tandrel\\\\\"\r\n"
    "\"Quoted\"=\"say \\\"hi\\\"\"\r\n"
    "\"Port\"=dword:0000000a\r\n"
    "\"Minus\"=dword:ffffffff\r\n"
    "\"Number\"=\" 42 \"\r\n"
    "\"Words\"=\"forty-two\"\r\n"
    "\"Chinese\"=\"\xE4\xB8\xAD\xE6\x96\x87\"\r\n"
    "\"Blob\"=hex:01,02,\\\r\n"
    "  03,04\r\n"
    "\"Expand\"=hex(2):25,00,54,00,4d,00,50,00,25,00,00,00\r\n"
    "\"Spaced\" = \"around the equals\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\ORV\\Tandrel\\Modules\\QVXB27]\r\n"
    "\"Enabled\"=dword:00000001\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\ORV\\Tandrel\\Database]\r\n"
    "\"Engine\"=\"sqlite\"\r\n"
    "\r\n"
    "[hkey_local_machine\\software\\orv\\tandrel]\r\n"
    "\"Port\"=dword:0000000b\r\n"
    "\"Later\"=\"added in a second section\"\r\n"
    "\r\n"
    "[-HKEY_LOCAL_MACHINE\\Software\\Gone]\r\n"
    "\"Ignored\"=\"yes\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\ORV]\r\n"
    "\"User\"=\"me\"\r\n";

class Registry : public ::testing::Test {
 protected:
  void Write(const std::string& Bytes) { WriteFile(FileName, Bytes); }

  TTempFolder Folder;
  std::string FileName = Folder / "registry.reg";
  TScopedEnv Env{"TANDREL_REGISTRY", FileName};
};

const std::string TandrelKey = "Software\\ORV\\Tandrel";

}  // namespace

TEST_F(Registry, FileNameComesFromTheEnvironment) {
  EXPECT_EQ(RegistryFileName(), FileName);
  TScopedEnv Unset("TANDREL_REGISTRY", std::nullopt);
  EXPECT_EQ(RegistryFileName(), "/etc/tandrel/registry.reg");
  TScopedEnv Empty("TANDREL_REGISTRY", "");
  EXPECT_EQ(RegistryFileName(), "/etc/tandrel/registry.reg");
}

TEST_F(Registry, MissingFileMissingKeyAndMissingValueDiffer) {
  TRegistry Reg;
  Reg.SetRootKey(HKEY_LOCAL_MACHINE);
  // No file: no key can be opened, and nothing raises.
  EXPECT_FALSE(Reg.OpenKeyReadOnly(TandrelKey));
  EXPECT_FALSE(Reg.OpenKeyReadOnly(""));
  EXPECT_FALSE(Reg.KeyExists(TandrelKey));
  EXPECT_FALSE(Reg.HasOpenKey());
  EXPECT_EQ(Reg.ReadString("ClientPath"), "");

  Write(SampleReg);
  // A key the file does not have.
  EXPECT_FALSE(Reg.OpenKeyReadOnly("Software\\ORV\\Nowhere"));
  EXPECT_FALSE(Reg.KeyExists("Software\\ORV\\Nowhere"));
  EXPECT_FALSE(Reg.OpenKeyReadOnly("Software\\Gone"));  // a deletion section
  // A value the key does not have.
  ASSERT_TRUE(Reg.OpenKeyReadOnly(TandrelKey));
  EXPECT_FALSE(Reg.ValueExists("Missing"));
  EXPECT_EQ(Reg.ReadString("Missing"), "");
  EXPECT_EQ(Reg.GetDataType("Missing"), rdUnknown);
  try {
    (void)Reg.ReadInteger("Missing");
    ADD_FAILURE() << "no exception";
  } catch (const ERegistryException& E) {
    EXPECT_EQ(E.Message(), "Failed to get data for 'Missing'");
    EXPECT_STREQ(E.ClassName(), "ERegistryException");
  }
  EXPECT_THROW((void)Reg.ReadBool("Missing"), ERegistryException);
}

TEST_F(Registry, ReadsStringsNumbersAndEscapes) {
  Write(SampleReg);
  TRegistry Reg;
  Reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(Reg.OpenKeyReadOnly(TandrelKey));
  const struct {
    std::string Name, Text;
    TRegDataType Type;
  } Strings[] = {
      {"", "the default", rdString},
      {"ClientPath", "/opt/tandrel/", rdString},
      {"clientpath", "/opt/tandrel/", rdString},
      {"WinPath", "C:\\Tandrel\\", rdString},
      {"Quoted", "say \"hi\"", rdString},
      {"Port", "11", rdInteger},  // the later section's value
      {"Minus", "4294967295", rdInteger},
      {"Chinese", "\xE4\xB8\xAD\xE6\x96\x87", rdString},
      {"Expand", "%TMP%", rdExpandString},
      {"Spaced", "around the equals", rdString},
      {"Later", "added in a second section", rdString},
  };
  for (const auto& C : Strings) {
    EXPECT_TRUE(Reg.ValueExists(C.Name)) << C.Name;
    EXPECT_EQ(Reg.ReadString(C.Name), C.Text) << C.Name;
    EXPECT_EQ(Reg.GetDataType(C.Name), C.Type) << C.Name;
  }
  const struct {
    std::string Name;
    int Value;
  } Integers[] = {{"Port", 11}, {"Minus", -1}, {"Number", 42}};
  for (const auto& C : Integers) EXPECT_EQ(Reg.ReadInteger(C.Name), C.Value) << C.Name;
  EXPECT_TRUE(Reg.ReadBool("Port"));

  try {
    (void)Reg.ReadInteger("Words");
    ADD_FAILURE() << "no exception";
  } catch (const ERegistryException& E) {
    EXPECT_EQ(E.Message(), "Invalid data type for 'Words'");
  }
  EXPECT_EQ(Reg.GetDataType("Blob"), rdBinary);
  EXPECT_THROW((void)Reg.ReadString("Blob"), ERegistryException);
  EXPECT_THROW((void)Reg.ReadInteger("Blob"), ERegistryException);
}

TEST_F(Registry, KeyPathsIgnoreCaseAndMayBeginWithABackslash) {
  Write(SampleReg);
  TRegistry Reg;
  Reg.SetRootKey(HKEY_LOCAL_MACHINE);
  for (const std::string Path : {"Software\\ORV\\Tandrel", "SOFTWARE\\orv\\TANDREL", "\\Software\\ORV\\Tandrel",
                                 "Software\\ORV\\Tandrel\\", "Software\\\\ORV\\Tandrel"}) {
    ASSERT_TRUE(Reg.OpenKeyReadOnly(Path)) << Path;
    EXPECT_EQ(Reg.ReadString("ClientPath"), "/opt/tandrel/") << Path;
    Reg.CloseKey();
  }
  EXPECT_FALSE(Reg.HasOpenKey());
  EXPECT_EQ(Reg.ReadString("ClientPath"), "");
}

TEST_F(Registry, RelativePathsStartAtTheOpenKey) {
  Write(SampleReg);
  TRegistry Reg;
  Reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(Reg.OpenKeyReadOnly("Software\\ORV"));
  EXPECT_TRUE(Reg.KeyExists("Tandrel\\Database"));
  EXPECT_FALSE(Reg.KeyExists("Software"));  // relative: Software\ORV\Software
  EXPECT_TRUE(Reg.KeyExists("\\Software"));
  ASSERT_TRUE(Reg.OpenKeyReadOnly("Tandrel\\Database"));
  EXPECT_EQ(Reg.CurrentPath(), "Software\\ORV\\Tandrel\\Database");
  EXPECT_EQ(Reg.ReadString("Engine"), "sqlite");
  EXPECT_FALSE(Reg.OpenKeyReadOnly("Nowhere"));
  EXPECT_EQ(Reg.ReadString("Engine"), "sqlite");  // a failed open keeps the open key
  ASSERT_TRUE(Reg.OpenKeyReadOnly("\\Software\\ORV\\Tandrel\\Modules\\QVXB27"));
  EXPECT_EQ(Reg.ReadInteger("Enabled"), 1);
}

TEST_F(Registry, ParentsExistAndListTheirChildren) {
  Write(SampleReg);
  TRegistry Reg;
  Reg.SetRootKey(HKEY_LOCAL_MACHINE);
  TStringList Names;
  ASSERT_TRUE(Reg.OpenKeyReadOnly("Software"));
  EXPECT_TRUE(Reg.HasSubKeys());
  Reg.GetKeyNames(&Names);
  EXPECT_EQ(Names.Count(), 1);
  EXPECT_EQ(Names.Strings(0), "ORV");
  ASSERT_TRUE(Reg.OpenKeyReadOnly("\\Software\\ORV\\Tandrel"));
  Reg.GetKeyNames(&Names);
  EXPECT_EQ(Names.CommaText(), "Modules,Database");
  Reg.GetValueNames(&Names);
  EXPECT_EQ(Names.CommaText(),
            ",ClientPath,WinPath,Quoted,Port,Minus,Number,Words,Chinese,Blob,Expand,Spaced,Later");
  ASSERT_TRUE(Reg.OpenKeyReadOnly("Modules\\QVXB27"));
  EXPECT_FALSE(Reg.HasSubKeys());
  Reg.GetKeyNames(&Names);
  EXPECT_EQ(Names.Count(), 0);
  Reg.CloseKey();
  Reg.GetValueNames(&Names);
  EXPECT_EQ(Names.Count(), 0);
}

TEST_F(Registry, RootKeysAreSeparate) {
  Write(SampleReg);
  TRegistry Reg;
  EXPECT_EQ(Reg.RootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(Reg.OpenKeyReadOnly(TandrelKey));
  ASSERT_TRUE(Reg.OpenKeyReadOnly("Software\\ORV"));
  EXPECT_EQ(Reg.ReadString("User"), "me");
  Reg.SetRootKey(HKEY_LOCAL_MACHINE);  // closes the key
  EXPECT_FALSE(Reg.HasOpenKey());
  EXPECT_TRUE(Reg.OpenKeyReadOnly(TandrelKey));
  Reg.SetRootKey(HKEY_CLASSES_ROOT);
  EXPECT_TRUE(Reg.OpenKeyReadOnly(""));  // the root itself
  EXPECT_FALSE(Reg.OpenKeyReadOnly("Software"));
}

TEST_F(Registry, EveryOpenReadsTheFileAfresh) {
  Write("[HKEY_LOCAL_MACHINE\\Software\\ORV\\Tandrel]\n\"ClientPath\"=\"/first/\"\n");
  TRegistry Reg;
  Reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(Reg.OpenKeyReadOnly(TandrelKey));
  EXPECT_EQ(Reg.ReadString("ClientPath"), "/first/");
  Write("[HKEY_LOCAL_MACHINE\\Software\\ORV\\Tandrel]\n\"ClientPath\"=\"/second/\"\n");
  EXPECT_EQ(Reg.ReadString("ClientPath"), "/first/");  // the open key is a snapshot
  ASSERT_TRUE(Reg.OpenKeyReadOnly("\\" + TandrelKey));
  EXPECT_EQ(Reg.ReadString("ClientPath"), "/second/");
  Write("REGEDIT4\n");
  EXPECT_FALSE(Reg.OpenKeyReadOnly("\\" + TandrelKey));
  EXPECT_FALSE(Reg.OpenKey("\\" + TandrelKey, true));  // keys cannot be created
}

TEST_F(Registry, ByteOrderMarksAreHonoured) {
  const std::string Body =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\ORV\\Tandrel]\r\n"
      "\"Language\"=\"\xE4\xB8\xAD\xE6\x96\x87\"\r\n";
  const struct {
    const char* What;
    std::string Bytes;
  } Cases[] = {
      {"UTF-8 with BOM", "\xEF\xBB\xBF" + Body},
      {"UTF-16LE with BOM", "\xFF\xFE" + UnicodeToCodePageBytes(Body, CP_UTF16LE)},
      {"UTF-16BE with BOM", "\xFE\xFF" + UnicodeToCodePageBytes(Body, CP_UTF16BE)},
  };
  for (const auto& C : Cases) {
    Write(C.Bytes);
    TRegistry Reg;
    Reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(Reg.OpenKeyReadOnly(TandrelKey)) << C.What;
    EXPECT_EQ(Reg.ReadString("Language"), "\xE4\xB8\xAD\xE6\x96\x87") << C.What;
  }
}
