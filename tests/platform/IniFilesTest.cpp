#include "platform/os/IniFiles.h"

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

const char* const SampleIni =
    "; settings of the job module\r\n"
    "orphan=before any section\r\n"
    "[Database]\r\n"
    "Server = alpha \r\n"
    "server=second\r\n"
    "Port=1433\r\n"
    "Empty=\r\n"
    "HexDollar=$1A\r\n"
    "HexC=0x1A\r\n"
    "Negative=-5\r\n"
    "NotANumber=12abc\r\n"
    "  ; an indented comment=not a key\r\n"
    "a line without equals\r\n"
    "Quoted=\"  kept inside  \"\r\n"
    "Single='x'\r\n"
    "HalfQuoted=\"x\r\n"
    "[ Flags ]\r\n"
    "One=1\r\n"
    "Zero=0\r\n"
    "MinusOne=-1\r\n"
    "Word=True\r\n"
    "Ratio=2.5\r\n"
    "Exp=1e3\r\n"
    "Comma=2,5\r\n"
    "[database]\r\n"
    "Port=9999\r\n"
    "User=sa\r\n"
    "[Empty Section]\r\n";

class IniFile : public ::testing::Test {
 protected:
  std::string Write(const std::string& Bytes, const std::string& Name = "test.ini") {
    WriteFile(Folder / Name, Bytes);
    return Folder / Name;
  }
  TTempFolder Folder;
};

std::vector<std::string> LinesOf(const TStrings& L) {
  std::vector<std::string> R;
  for (int I = 0; I < L.Count(); ++I) R.push_back(L.Strings(I));
  return R;
}

}  // namespace

TEST_F(IniFile, FirstMatchWinsAndDefaultsFillTheGaps) {
  const TIniFile Ini(Write(SampleIni));
  const struct {
    std::string Section, Key, Default, Expected;
  } Cases[] = {
      {"Database", "Server", "-", "alpha"},  // trimmed; the later "server" loses
      {"DATABASE", "SERVER", "-", "alpha"},
      {"Database", "Port", "-", "1433"},  // the second [database] does not override
      {"Database", "User", "-", "sa"},  // ... but adds its new keys
      {"Database", "Empty", "-", ""},
      {"Database", "Missing", "fallback", "fallback"},
      {"Nowhere", "Server", "fallback", "fallback"},
      {"Flags", "One", "-", "1"},  // "[ Flags ]" is trimmed
      {"Database", "Quoted", "-", "  kept inside  "},
      {"Database", "Single", "-", "x"},
      {"Database", "HalfQuoted", "-", "\"x"},
      {"Database", "; an indented comment", "-", "-"},
      {"Database", "a line without equals", "-", "-"},
      {"", "orphan", "-", "-"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(Ini.ReadString(C.Section, C.Key, C.Default), C.Expected) << C.Section << "/" << C.Key;
}

TEST_F(IniFile, NumbersAndBooleansFollowTheClassicRules) {
  const TIniFile Ini(Write(SampleIni));
  const struct {
    std::string Section, Key;
    int Default, Expected;
  } Integers[] = {
      {"Database", "Port", 0, 1433},      {"Database", "HexDollar", 0, 26}, {"Database", "HexC", 0, 26},
      {"Database", "Negative", 0, -5},    {"Database", "NotANumber", 7, 7}, {"Database", "Empty", 7, 7},
      {"Database", "Missing", -3, -3},    {"Database", "Server", 8, 8},
  };
  for (const auto& C : Integers)
    EXPECT_EQ(Ini.ReadInteger(C.Section, C.Key, C.Default), C.Expected) << C.Key;

  const struct {
    std::string Key;
    bool Default, Expected;
  } Booleans[] = {
      {"One", false, true},   {"Zero", true, false}, {"MinusOne", false, true},
      {"Word", false, false},  // not an integer: the default
      {"Word", true, true},   {"Missing", true, true}, {"Missing", false, false},
  };
  for (const auto& C : Booleans) EXPECT_EQ(Ini.ReadBool("Flags", C.Key, C.Default), C.Expected) << C.Key;

  const struct {
    std::string Key;
    double Expected;
  } Floats[] = {{"Ratio", 2.5}, {"Exp", 1000.0}, {"One", 1.0}, {"Comma", -1.0}, {"Word", -1.0}, {"Missing", -1.0}};
  for (const auto& C : Floats) EXPECT_DOUBLE_EQ(Ini.ReadFloat("Flags", C.Key, -1.0), C.Expected) << C.Key;
}

TEST_F(IniFile, SectionsAndKeysCanBeListed) {
  const TIniFile Ini(Write(SampleIni));
  TStringList L;
  L.Add("stale");
  Ini.ReadSections(&L);
  EXPECT_THAT(LinesOf(L), ElementsAre("Database", "Flags", "Empty Section"));
  Ini.ReadSection("flags", &L);
  EXPECT_THAT(LinesOf(L), ElementsAre("One", "Zero", "MinusOne", "Word", "Ratio", "Exp", "Comma"));
  Ini.ReadSectionValues("Database", &L);
  ASSERT_EQ(L.Count(), 11);
  EXPECT_EQ(L.Strings(0), "Server=alpha");
  EXPECT_EQ(L.Strings(2), "Empty=");
  EXPECT_EQ(L.Values("User"), "sa");
  Ini.ReadSection("Nowhere", &L);
  EXPECT_EQ(L.Count(), 0);

  EXPECT_TRUE(Ini.SectionExists("DATABASE"));
  EXPECT_TRUE(Ini.SectionExists("Empty Section"));
  EXPECT_FALSE(Ini.SectionExists("Nowhere"));
  EXPECT_TRUE(Ini.ValueExists("Database", "empty"));
  EXPECT_FALSE(Ini.ValueExists("Database", "Missing"));
  EXPECT_FALSE(Ini.ValueExists("Nowhere", "Server"));
}

TEST_F(IniFile, MissingFileIsAnEmptyIni) {
  const TIniFile Ini(Folder / "no-such.ini");
  EXPECT_EQ(Ini.FileName(), Folder / "no-such.ini");
  EXPECT_EQ(Ini.ReadString("Any", "Key", "default"), "default");
  EXPECT_EQ(Ini.ReadInteger("Any", "Key", 5), 5);
  TStringList L;
  Ini.ReadSections(&L);
  EXPECT_EQ(L.Count(), 0);
  EXPECT_FALSE(Ini.SectionExists("Any"));
}

struct EncodedIniCase {
  const char* What;
  std::string Bytes;
  std::string SystemCodePage;
};

TEST_F(IniFile, LegacyFilesAreReadInTheSystemCodePage) {
  // [语言] / 名称=中文 in each encoding; 中文 is D6 D0 CE C4 in GBK, A4 A4 A4 E5 in BIG5.
  const std::string Section = "\xE8\xAF\xAD\xE8\xA8\x80";  // 语言
  const std::string Key = "\xE5\x90\x8D\xE7\xA7\xB0";  // 名称
  const std::string Value = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文
  const std::string Utf8 = "[" + Section + "]\r\n" + Key + "=" + Value + "\r\nCount=2\r\n";
  const EncodedIniCase Cases[] = {
      {"GBK with system code page 936", "[\xD3\xEF\xD1\xD4]\r\n\xC3\xFB\xB3\xC6=\xD6\xD0\xCE\xC4\r\nCount=2\r\n", "936"},
      {"UTF-8 under 936", Utf8, "936"},
      {"UTF-8 with BOM", "\xEF\xBB\xBF" + Utf8, "1252"},
      {"UTF-16LE with BOM", "\xFF\xFE" + UnicodeToCodePageBytes(Utf8, CP_UTF16LE), "1252"},
  };
  for (const auto& C : Cases) {
    TScopedEnv Cp("TANDREL_SYSTEM_CODEPAGE", C.SystemCodePage);
    const TIniFile Ini(Write(C.Bytes));
    EXPECT_EQ(Ini.ReadString(Section, Key, "-"), Value) << C.What;
    EXPECT_EQ(Ini.ReadInteger(Section, "Count", 0), 2) << C.What;
  }
}

TEST_F(IniFile, BigFiveFilesAreReadUnderCodePage950) {
  TScopedEnv Cp("TANDREL_SYSTEM_CODEPAGE", "950");
  const TIniFile Ini(Write("[Lang]\nName=\xA4\xA4\xA4\xE5\n"));
  EXPECT_EQ(Ini.ReadString("Lang", "Name", "-"), "\xE4\xB8\xAD\xE6\x96\x87");
}

TEST_F(IniFile, LineEndsOfEveryKindSplitLines) {
  const TIniFile Ini(Write("[A]\rx=1\ny=2\r\nz=3"));
  EXPECT_EQ(Ini.ReadString("A", "x", "-"), "1");
  EXPECT_EQ(Ini.ReadString("A", "y", "-"), "2");
  EXPECT_EQ(Ini.ReadString("A", "z", "-"), "3");
}
