#include "platform/core/CodePage.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "TestSupport.h"

using testsupport::TScopedEnv;

namespace {

// "中文", "中", "文", "é", "€", "😀" in UTF-8.
const std::string ChineseText = "\xE4\xB8\xAD\xE6\x96\x87";
const std::string Zhong = "\xE4\xB8\xAD";
const std::string EAcute = "\xC3\xA9";
const std::string Euro = "\xE2\x82\xAC";
const std::string Emoji = "\xF0\x9F\x98\x80";

std::string Hex(const std::string& S) {
  static const char* Digits = "0123456789ABCDEF";
  std::string R;
  for (unsigned char C : S) {
    if (!R.empty()) R += ' ';
    R += Digits[C >> 4];
    R += Digits[C & 15];
  }
  return R;
}

}  // namespace

TEST(CodePage, AnsiCodePageIsUtf8) { EXPECT_EQ(GetACP(), 65001); }

struct RoundTripCase {
  std::string Text;
  int CodePage;
  std::string Bytes;
};

TEST(CodePage, BytesRoundTripInEveryKnownCodePage) {
  const RoundTripCase Cases[] = {
      {ChineseText, 936, "\xD6\xD0\xCE\xC4"},
      {ChineseText, 950, "\xA4\xA4\xA4\xE5"},
      {"ab " + ChineseText + "!", 936, "ab \xD6\xD0\xCE\xC4!"},
      {Euro, 936, "\x80"},
      {EAcute, 1252, "\xE9"},
      {Euro, 1252, "\x80"},
      {EAcute, 437, "\x82"},
      {"plain ASCII", 437, "plain ASCII"},
      {Zhong, 1200, std::string("\x2D\x4E", 2)},
      {"A", 1201, std::string("\x00\x41", 2)},
      {ChineseText, 65001, ChineseText},
      {ChineseText, 0, ChineseText},
      {"", 936, ""},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(Hex(UnicodeToCodePageBytes(C.Text, C.CodePage)), Hex(C.Bytes)) << "code page " << C.CodePage;
    EXPECT_EQ(CodePageBytesToUnicode(C.Bytes, C.CodePage), C.Text) << "code page " << C.CodePage;
  }
}

TEST(CodePage, CharactersTheTargetCannotHoldBecomeQuestionMarks) {
  const RoundTripCase Cases[] = {
      {Zhong, 1252, "?"},
      {"a" + Zhong + "b", 437, "a?b"},
      {Emoji + "x", 936, "?x"},
      {"a\xFF" "b", 936, "a?b"},  // a malformed UTF-8 byte
      {"a\xE4\xB8", 950, "a?"},  // a character cut short at the end
      {Zhong, 1200, std::string("\x2D\x4E", 2)},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(Hex(UnicodeToCodePageBytes(C.Text, C.CodePage)), Hex(C.Bytes)) << "code page " << C.CodePage;
}

TEST(CodePage, InvalidInputBytesNeitherCrashNorLoop) {
  const RoundTripCase Cases[] = {
      {"?", 936, "\xFF"},
      {"a?", 936, "a\xD6"},  // a lead byte cut off at the end
      {"?" + ChineseText, 936, "\xFF\xD6\xD0\xCE\xC4"},
      {"? ", 950, "\xA4 "},  // a lead byte with a trail byte outside the code page
      {"A?", 1200, std::string("\x41\x00\x41", 3)},  // half a UTF-16 unit at the end
      {"?", 1200, std::string("\x00\xDC", 2)},  // a lone low surrogate
  };
  for (const auto& C : Cases)
    EXPECT_EQ(CodePageBytesToUnicode(C.Bytes, C.CodePage), C.Text) << "bytes " << Hex(C.Bytes);
  // Every byte value after every lead byte: no hang, no crash, valid UTF-8 out.
  std::string All;
  for (int Lead = 0x80; Lead < 0x100; ++Lead)
    for (int Trail = 0; Trail < 0x100; Trail += 7) {
      All += static_cast<char>(Lead);
      All += static_cast<char>(Trail);
    }
  for (int CodePage : {936, 950, 437, 1252, 1200, 1201}) {
    const std::string Text = CodePageBytesToUnicode(All, CodePage);
    EXPECT_FALSE(Text.empty()) << CodePage;
    EXPECT_EQ(UnicodeToCodePageBytes(Text, 65001), Text);
  }
}

TEST(CodePage, UnknownCodePagesConvertAsTheAnsiCodePage) {
  for (int CodePage : {12345, -1, 28591}) {
    EXPECT_FALSE(IsCodePageKnown(CodePage)) << CodePage;
    EXPECT_EQ(UnicodeToCodePageBytes(ChineseText, CodePage), ChineseText);
    EXPECT_EQ(CodePageBytesToUnicode("\xD6\xD0", CodePage), "\xD6\xD0");
  }
  for (int CodePage : {0, 437, 936, 950, 1200, 1252, 65001}) EXPECT_TRUE(IsCodePageKnown(CodePage)) << CodePage;
}

struct LocaleCase {
  std::optional<std::string> LcAll, LcCtype, Lang, Override;
  int Expected;
};

TEST(CodePage, SystemCodePageComesFromTheLocale) {
  using std::nullopt;
  const LocaleCase Cases[] = {
      {"zh_CN.UTF-8", nullopt, nullopt, nullopt, 936},
      {"zh_SG", nullopt, nullopt, nullopt, 936},
      {nullopt, "zh_TW.UTF-8", nullopt, nullopt, 950},
      {nullopt, nullopt, "zh_HK.Big5", nullopt, 950},
      {nullopt, nullopt, "zh_MO", nullopt, 950},
      {nullopt, nullopt, "zh_CN.GB2312@stroke", nullopt, 936},
      {nullopt, nullopt, "en_US.UTF-8", nullopt, 1252},
      {nullopt, nullopt, "C", nullopt, 1252},
      {nullopt, nullopt, nullopt, nullopt, 1252},
      {"en_US.UTF-8", "zh_TW", "zh_CN", nullopt, 1252},  // LC_ALL comes first
      {"", "zh_TW", "zh_CN", nullopt, 950},  // an empty variable does not count
      {nullopt, nullopt, "en_US", "936", 936},  // the override wins
      {"zh_CN", nullopt, nullopt, "437", 437},
      {"zh_CN", nullopt, nullopt, "not a number", 936},
      {"zh_CN", nullopt, nullopt, "", 936},
  };
  for (const auto& C : Cases) {
    TScopedEnv A("LC_ALL", C.LcAll), B("LC_CTYPE", C.LcCtype), L("LANG", C.Lang),
        O("TANDREL_SYSTEM_CODEPAGE", C.Override);
    EXPECT_EQ(GetSystemCodePage(), C.Expected)
        << "LC_ALL=" << C.LcAll.value_or("-") << " LC_CTYPE=" << C.LcCtype.value_or("-")
        << " LANG=" << C.Lang.value_or("-") << " override=" << C.Override.value_or("-");
  }
}

TEST(CodePage, DoubleByteLengthCountsTwoForNonAscii) {
  const struct {
    std::string Text;
    int Length;
  } Cases[] = {
      {"", 0}, {"abc", 3}, {ChineseText, 4}, {"a" + Zhong + "b", 4}, {EAcute, 2}, {Emoji, 2}, {"\xFF", 2},
  };
  for (const auto& C : Cases) EXPECT_EQ(DoubleByteLength(C.Text), C.Length) << Hex(C.Text);
}
