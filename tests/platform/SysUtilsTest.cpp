#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/core/Exceptions.h"
#include "tests/platform/FormatSettingsGuard.h"

namespace {

// --- trimming and case ------------------------------------------------------

TEST(SysUtils, TrimRemovesBlanksAndControlCharacters) {
  struct Case { const char* In; const char* Both; const char* Left; const char* Right; };
  const Case Cases[] = {
      {"", "", "", ""},
      {"   ", "", "", ""},
      {"  a b  ", "a b", "a b  ", "  a b"},
      {"\t\r\n x \x01\x1f", "x", "x \x01\x1f", "\t\r\n x"},
      {"中文 ", "中文", "中文 ", "中文"},  // bytes >= 0x80 are no blanks
      {"\xc2\xa0", "\xc2\xa0", "\xc2\xa0", "\xc2\xa0"},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(Trim(C.In), C.Both) << C.In;
    EXPECT_EQ(TrimLeft(C.In), C.Left) << C.In;
    EXPECT_EQ(TrimRight(C.In), C.Right) << C.In;
  }
}

TEST(SysUtils, AsciiCaseTouchesOnlyAsciiLetters) {
  EXPECT_EQ(UpperCase("abc xyz 123 äö"), "ABC XYZ 123 äö");
  EXPECT_EQ(LowerCase("ABC XYZ ÄÖ"), "abc xyz ÄÖ");
}

TEST(SysUtils, UnicodeCaseMapsCommonScripts) {
  struct Case { const char* Lower; const char* Upper; };
  const Case Cases[] = {
      {"hello", "HELLO"},
      {"àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþ", "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ"},  // Latin-1
      {"āăąćčďđēěğīįķłńňōőœřśşšťūůűųźżž", "ĀĂĄĆČĎĐĒĚĞĪĮĶŁŃŇŌŐŒŘŚŞŠŤŪŮŰŲŹŻŽ"},  // Extended-A
      {"ǎǐǒǔǖǘǚǜ", "ǍǏǑǓǕǗǙǛ"},  // pinyin tones
      {"αβγδεζηθικλμνξοπρστυφχψω", "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ"},
      {"άέήίόύώϊϋ", "ΆΈΉΊΌΎΏΪΫ"},
      {"абвгдеёжзийклмнопрстуфхцчшщъыьэюя", "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"},
      {"ђѓєѕіїјљњћќўџґ", "ЂЃЄЅІЇЈЉЊЋЌЎЏҐ"},
      {"ａｂｃｘｙｚ", "ＡＢＣＸＹＺ"},  // full width
      {"ạảấầẩẫậ", "ẠẢẤẦẨẪẬ"},        // Vietnamese
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(AnsiUpperCase(C.Lower), C.Upper) << C.Lower;
    EXPECT_EQ(AnsiLowerCase(C.Upper), C.Lower) << C.Upper;
  }
  // One-way and caseless characters.
  EXPECT_EQ(AnsiUpperCase("ÿ"), "Ÿ");
  EXPECT_EQ(AnsiLowerCase("Ÿ"), "ÿ");
  EXPECT_EQ(AnsiUpperCase("ς"), "Σ");
  EXPECT_EQ(AnsiLowerCase("Σ"), "σ");
  EXPECT_EQ(AnsiUpperCase("ß"), "ß");
  EXPECT_EQ(AnsiUpperCase("中文ａ"), "中文Ａ");
  EXPECT_EQ(AnsiUpperCase("ı"), "I");
  EXPECT_EQ(AnsiLowerCase("İ"), "i");
  // Malformed bytes pass through unchanged.
  EXPECT_EQ(AnsiUpperCase("a\xff" "b"), "A\xff" "B");
}

// --- comparison --------------------------------------------------------------

TEST(SysUtils, Comparisons) {
  struct Case { const char* A; const char* B; int Str; int Text; int Ansi; };
  const Case Cases[] = {
      {"abc", "abc", 0, 0, 0},
      {"abc", "ABC", 1, 0, 0},
      {"abc", "abd", -1, -1, -1},
      {"ab", "abc", -1, -1, -1},
      {"b", "A", 1, 1, 1},
      {"straße", "STRASSE", 1, 1, 1},
      {"äbc", "ÄBC", 1, 1, 0},  // CompareText ignores ASCII case only
      {"привет", "ПРИВЕТ", 1, 1, 0},
      {"", "", 0, 0, 0},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(CompareStr(C.A, C.B), C.Str) << C.A << " / " << C.B;
    EXPECT_EQ(CompareText(C.A, C.B) , C.Text) << C.A << " / " << C.B;
    EXPECT_EQ(AnsiCompareText(C.A, C.B), C.Ansi) << C.A << " / " << C.B;
    EXPECT_EQ(SameText(C.A, C.B), C.Text == 0);
    EXPECT_EQ(AnsiSameText(C.A, C.B), C.Ansi == 0);
  }
}

// --- positions -----------------------------------------------------------------

TEST(SysUtils, BytePositionsCountFromOne) {
  struct Case { const char* Sub; const char* S; int Offset; int Expected; };
  const Case Cases[] = {
      {"b", "abcb", 1, 2}, {"b", "abcb", 3, 4}, {"b", "abcb", 5, 0}, {"x", "abc", 1, 0},
      {"", "abc", 1, 0},   {"abc", "abc", 1, 1}, {"b", "abc", 0, 0},  {"文", "中文", 1, 4},
  };
  for (const Case& C : Cases) EXPECT_EQ(Pos(C.Sub, C.S, C.Offset), C.Expected) << C.Sub << " in " << C.S;

  struct CopyCase { const char* S; int Index; int Count; const char* Expected; };
  const CopyCase Copies[] = {
      {"abcdef", 2, 3, "bcd"}, {"abcdef", 5, 10, "ef"}, {"abcdef", 0, 2, "ab"},
      {"abcdef", 7, 1, ""},    {"abcdef", 2, 0, ""},    {"abcdef", 2, -1, ""},
  };
  for (const CopyCase& C : Copies) EXPECT_EQ(Copy(C.S, C.Index, C.Count), C.Expected);

  std::string S = "abcdef";
  Delete(S, 2, 2);
  EXPECT_EQ(S, "adef");
  Delete(S, 3, 100);
  EXPECT_EQ(S, "ad");
  Delete(S, 0, 1);
  EXPECT_EQ(S, "ad");
  Delete(S, 5, 1);
  EXPECT_EQ(S, "ad");
  Insert("XY", S, 2);
  EXPECT_EQ(S, "aXYd");
  Insert("<", S, 0);
  EXPECT_EQ(S, "<aXYd");
  Insert(">", S, 100);
  EXPECT_EQ(S, "<aXYd>");
}

TEST(SysUtils, Utf8CountsCharacters) {
  EXPECT_EQ(Utf8Length(""), 0);
  EXPECT_EQ(Utf8Length("abc"), 3);
  EXPECT_EQ(Utf8Length("中文ab"), 4);
  EXPECT_EQ(Utf8Length("a\xff" "b"), 3);  // a malformed byte counts one
  EXPECT_EQ(Utf8Length("\xe4\xb8"), 2);   // a cut character: two malformed bytes
  EXPECT_EQ(Utf8Pos("文", "中文ab"), 2);
  EXPECT_EQ(Utf8Pos("b", "中文ab"), 4);
  EXPECT_EQ(Utf8Pos("x", "中文ab"), 0);
  EXPECT_EQ(Utf8Copy("中文ab", 2, 2), "文a");
  EXPECT_EQ(Utf8Copy("中文ab", 0, 1), "中");
  EXPECT_EQ(Utf8Copy("中文ab", 4, 9), "b");
  EXPECT_EQ(Utf8Copy("中文ab", 5, 1), "");
  EXPECT_TRUE(IsValidUtf8("中文ab"));
  EXPECT_FALSE(IsValidUtf8("a\xff"));
  EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xf4\x90\x80\x80"));  // past U+10FFFF
}

TEST(SysUtils, SmallStringHelpers) {
  EXPECT_EQ(StringOfChar('-', 3), "---");
  EXPECT_EQ(StringOfChar('-', -1), "");
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(StringReplaceAll("a.b.c", ".", "::"), "a::b::c");
  EXPECT_EQ(StringReplaceAll("aAa", "a", "x"), "xAx");
  EXPECT_EQ(StringReplaceAll("aAa", "a", "x", true), "xxx");
  EXPECT_EQ(StringReplaceAll("Grüße GRÜSSE grüße", "GRÜ", "-", true), "-ße -SSE -ße");
  EXPECT_EQ(StringReplaceAll("abc", "", "x"), "abc");
}

// --- integers ------------------------------------------------------------------

TEST(SysUtils, IntegerParsing) {
  struct Case { const char* Text; bool Ok; int Value; };
  const Case Cases[] = {
      {"0", true, 0},           {"12", true, 12},         {"-12", true, -12},
      {"+7", true, 7},          {" 42 ", true, 42},       {"$FF", true, 255},
      {"0x1f", true, 31},       {"-$10", true, -16},      {"$FFFFFFFF", true, -1},
      {"2147483647", true, 2147483647}, {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0}, {"", false, 0},           {" ", false, 0},
      {"1.5", false, 0},        {"12a", false, 0},        {"--1", false, 0},
      {"$", false, 0},          {"1 2", false, 0},        {"$1FFFFFFFF", false, 0},
  };
  for (const Case& C : Cases) {
    int V = 12345;
    EXPECT_EQ(TryStrToInt(C.Text, V), C.Ok) << "'" << C.Text << "'";
    if (C.Ok) {
      EXPECT_EQ(V, C.Value) << C.Text;
      EXPECT_EQ(StrToInt(C.Text), C.Value);
    } else {
      EXPECT_EQ(StrToIntDef(C.Text, -99), -99);
    }
  }
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64("2147483648"), 2147483648LL);
  EXPECT_EQ(StrToInt64Def("9223372036854775808", 7), 7);
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
}

TEST(SysUtils, IntegerErrorsCarryTheClassicText) {
  try {
    StrToInt("12x");
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "'12x' is not a valid integer value");
  }
  try {
    StrToInt64("");
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "'' is not a valid integer value");
  }
}

TEST(SysUtils, IntegerPrinting) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(-4294967296LL, 1), "FFFFFFFF00000000");
}

// --- floats --------------------------------------------------------------------

TEST(SysUtils, FloatToStrIsGeneralWith15Digits) {
  struct Case { double Value; const char* Text; };
  const Case Cases[] = {
      {0, "0"},
      {0.1, "0.1"},
      {-0.1, "-0.1"},
      {1, "1"},
      {1.5, "1.5"},
      {100, "100"},
      {1e20, "1E20"},
      {1.5e-7, "1.5E-7"},
      {-2.5e-10, "-2.5E-10"},
      {1e15, "1E15"},
      {123456789012345.0, "123456789012345"},
      {0.00001, "0.00001"},
      {0.000001, "1E-6"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {0.1 + 0.2, "0.3"},
      {1234.5678, "1234.5678"},
      {1.7976931348623157e308, "1.79769313486232E308"},
      {5e-324, "4.94065645841247E-324"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
      {std::nan(""), "NAN"},
  };
  for (const Case& C : Cases) EXPECT_EQ(FloatToStr(C.Value), C.Text) << C.Value;
}

TEST(SysUtils, FloatToStrFFormats) {
  struct Case { double Value; TFloatFormat F; int Precision; int Digits; const char* Text; };
  using enum TFloatFormat;
  const Case Cases[] = {
      {1234.5678, ffFixed, 15, 2, "1234.57"},
      {2.675, ffFixed, 15, 2, "2.68"},  // 15 digits first: 2.675, then half away from zero
      {-2.675, ffFixed, 15, 2, "-2.68"},
      {0.004, ffFixed, 15, 2, "0.00"},  // no "-0.00" either
      {-0.004, ffFixed, 15, 2, "0.00"},
      {0.005, ffFixed, 15, 2, "0.01"},
      {999.995, ffFixed, 15, 2, "1000.00"},
      {12, ffFixed, 15, 0, "12"},
      {1234567.891, ffNumber, 15, 2, "1,234,567.89"},
      {-1234567.891, ffNumber, 15, 0, "-1,234,568"},
      {123, ffNumber, 15, 1, "123.0"},
      {1234.5, ffExponent, 4, 2, "1.235E+03"},
      {1234.5, ffExponent, 15, 3, "1.23450000000000E+003"},
      {-0.00012345, ffExponent, 3, 0, "-1.23E-4"},
      {0, ffExponent, 3, 2, "0.00E+00"},
      {1234.5, ffGeneral, 3, 0, "1.23E3"},
      {1234.5, ffGeneral, 4, 0, "1235"},
      {1e20, ffGeneral, 15, 2, "1E20"},
      {1.5e-7, ffGeneral, 15, 3, "1.5E-007"},
      {1234.5, ffCurrency, 15, 2, "1,234.50"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(FloatToStrF(C.Value, C.F, C.Precision, C.Digits), C.Text) << C.Value;
}

TEST(SysUtils, FloatReadingUsesTheDecimalSeparator) {
  FormatSettingsGuard Guard;
  struct Case { char Sep; const char* Text; bool Ok; double Value; };
  const Case Cases[] = {
      {'.', "1.5", true, 1.5},        {'.', " -2.25 ", true, -2.25}, {'.', "1e3", true, 1000},
      {'.', "1.5E-2", true, 0.015},   {'.', ".5", true, 0.5},        {'.', "5.", true, 5},
      {'.', "+3", true, 3},           {'.', "1,5", false, 0},        {'.', "", false, 0},
      {'.', "1.5x", false, 0},        {'.', "e5", false, 0},         {'.', "1e", false, 0},
      {'.', "1e400", false, 0},       {'.', "INF", false, 0},        {'.', "1.2.3", false, 0},
      {',', "1,5", true, 1.5},        {',', "-0,25", true, -0.25},   {',', "1.5", false, 0},
      {',', "1,5e1", true, 15},
  };
  for (const Case& C : Cases) {
    FormatSettings().DecimalSeparator = C.Sep;
    double V = -1;
    EXPECT_EQ(TryStrToFloat(C.Text, V), C.Ok) << "'" << C.Text << "' with " << C.Sep;
    if (C.Ok) {
      EXPECT_DOUBLE_EQ(V, C.Value) << C.Text;
    }
  }
  FormatSettings().DecimalSeparator = ',';
  try {
    StrToFloat("1.5");
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "'1.5' is not a valid floating point value");
  }
  EXPECT_EQ(StrToFloatDef("x", 2.5), 2.5);
}

TEST(SysUtils, FloatPrintingUsesTheDecimalSeparator) {
  FormatSettingsGuard Guard;
  FormatSettings().DecimalSeparator = ',';
  FormatSettings().ThousandSeparator = '.';
  EXPECT_EQ(FloatToStr(1.5), "1,5");
  EXPECT_EQ(FloatToStr(1.5e-7), "1,5E-7");
  EXPECT_EQ(FloatToStrF(1234567.891, TFloatFormat::ffNumber, 15, 2), "1.234.567,89");
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
  // Round trip through text in the changed settings.
  for (double V : {0.1, -123.456, 1e-7, 98765.4321, 1e20})
    EXPECT_DOUBLE_EQ(StrToFloat(FloatToStr(V)), V) << V;
}

TEST(SysUtils, FormatFloatPictures) {
  struct Case { const char* Picture; double Value; const char* Text; };
  const Case Cases[] = {
      {"0", 1234.5, "1235"},            {"0.00", 1234.5, "1234.50"},
      {"#.##", 1234.5, "1234.5"},       {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0", 123, "123"},            {"#,##0", 1234, "1,234"},
      {"000", 5, "005"},                {"#.###", 0.5, ".5"},
      {"0.###", 0.5, "0.5"},            {"0.00", -1.005, "-1.01"},
      {"0.0", -0.04, "0.0"},            {"0.00E+00", 1234, "1.23E+03"},
      {"0.00E-00", 0.001234, "1.23E-03"},{"0.0E+0", 0, "0.0E+0"},
      {"00-00", 1234, "12-34"},         {"00-00", 5, "00-05"},
      {"\"$\"#,##0.00", 1234.5, "$1,234.50"}, {"0 'kg'", 12, "12 kg"},
      {"0.00;(0.00)", -5, "(5.00)"},    {"0.00;(0.00)", 5, "5.00"},
      {"0;-0;'zero'", 0, "zero"},       {"0;;'zero'", -3, "-3"},
      {"", 1.5, "1.5"},                 {".00", 12.5, "12.50"},
      {"#", 0, ""},                     {"0", -0.4, "0"},
  };
  for (const Case& C : Cases) EXPECT_EQ(FormatFloat(C.Picture, C.Value), C.Text) << C.Picture;
}

TEST(SysUtils, Booleans) {
  struct Case { const char* Text; bool Ok; bool Value; };
  const Case Cases[] = {
      {"True", true, true}, {"false", true, false}, {" TRUE ", true, true}, {"0", true, false},
      {"-1", true, true},   {"2", true, true},      {"yes", false, false},  {"", false, false},
  };
  for (const Case& C : Cases) {
    bool V = false;
    EXPECT_EQ(TryStrToBool(C.Text, V), C.Ok) << C.Text;
    if (C.Ok) {
      EXPECT_EQ(V, C.Value) << C.Text;
    }
  }
  EXPECT_THROW(StrToBool("maybe"), EConvertError);
  EXPECT_EQ(BoolToStr(true), "True");
  EXPECT_EQ(BoolToStr(false), "False");
  EXPECT_EQ(BoolToStr(true, false), "-1");
  EXPECT_EQ(BoolToStr(false, false), "0");
}

}  // namespace
