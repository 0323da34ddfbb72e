#include "env/LibStrs.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/CodePage.h"
#include "platform/core/DateUtils.h"
#include "tests/platform/FormatSettingsGuard.h"

namespace {

// 中文 in GBK and in BIG5.
const std::string Chinese = "\xE4\xB8\xAD\xE6\x96\x87";
const std::string ChineseGbk = "\xD6\xD0\xCE\xC4";
const std::string ChineseBig5 = "\xA4\xA4\xA4\xE5";

TEST(SepFields, GetSepFieldCountsFromOneAndKeepsEmptyFields) {
  struct Case { const char* Text; const char* Sep; int Index; const char* Field; };
  const Case Cases[] = {
      {"a||b||c", "||", 1, "a"}, {"a||b||c", "||", 2, "b"}, {"a||b||c", "||", 3, "c"},
      {"a||b||c", "||", 4, ""},  {"a||b||c", "||", 0, ""},  {"a||b||c", "||", -1, ""},
      {"abc", "||", 1, "abc"},   {"abc", "||", 2, ""},      {"", "||", 1, ""},
      {"a,,b", ",", 2, ""},      {"a,,b", ",", 3, "b"},     {"a,b,", ",", 3, ""},
      {"a,b,", ",", 4, ""},      {"abc", "", 1, "abc"},
      {"甲，乙，丙", "，", 2, "乙"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(GetSepField(C.Text, C.Sep, C.Index), C.Field) << C.Text << " " << C.Index;
}

TEST(SepFields, CountSepFieldsCountsOverlappingRunsAndAlwaysEnds) {
  struct Case { const char* Text; const char* Sep; int Count; };
  const Case Cases[] = {
      {"", ",", 0},        {"abc", ",", 1},      {"a,b,c", ",", 3},  {"a,b,", ",", 3},
      {";;;", ";;", 3},    {"a#b#c", "#", 3},    {"\x01\x04", "\x04", 2},
      {"abc", "", 1},
      // Separators beginning with the marker character: counted, and the count ends.
      {"x#;y#;z", "#;", 3}, {"##;", "#;", 2},     {"#x", "##", 1},
  };
  for (const Case& C : Cases) EXPECT_EQ(CountSepFields(C.Text, C.Sep), C.Count) << C.Text;
}

TEST(SepFields, CutSepFieldTakesTheHeadAway) {
  struct Case { const char* Text; const char* Sep; const char* Head; const char* Rest; };
  const Case Cases[] = {
      {"k=v", "=", "k", "v"},       {"kv", "=", "kv", ""},    {"=v", "=", "", "v"},
      {"a||b||c", "||", "a", "b||c"}, {"k=", "=", "k", ""},    {"kv", "", "kv", ""},
  };
  for (const Case& C : Cases) {
    std::string Text = C.Text;
    EXPECT_EQ(CutSepField(Text, C.Sep), C.Head) << C.Text;
    EXPECT_EQ(Text, C.Rest) << C.Text;
  }
}

TEST(ReplaceAllStrTest, ReplacesAgainWhereNeighboursFormANewOccurrence) {
  struct Case { const char* Text; const char* Old; const char* New; bool Trim; const char* Result; };
  const Case Cases[] = {
      {"aXbX", "x", "X", false, "aXbX"},   // equal ignoring case: nothing happens
      {"abb", "ab", "a", false, "a"},
      {"a-b-c", "-", "+", false, "a+b+c"},
      {" a b ", "b", "c", true, "a c"},
      {" a b ", "b", "c", false, " a c "},
      {"x", "", "y", false, "x"},
      {"aabb", "ab", "ba", false, "bbaa"},  // equal lengths keep searching again
      // Parts that would feed themselves forever: every occurrence once.
      {"aa", "a", "ba", false, "baba"},
      {"aab", "ab", "bbaa", false, "abbaa"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(ReplaceAllStr(C.Text, C.Old, C.New, C.Trim), C.Result) << C.Text << " " << C.Old;
}

TEST(ReplaceAllStrTest, LongChainsOfShorteningReplacementsFinish) {
  const std::string Text = "a" + std::string(100000, 'b');
  EXPECT_EQ(ReplaceAllStr(Text, "ab", "a", false), "a");
}

TEST(PadRightStrTest, PadsToTheWidthTheDoubleByteCodePageCounts) {
  EXPECT_EQ(PadRightStr("ab", 5), "ab   ");
  EXPECT_EQ(PadRightStr("abcdef", 5), "abcdef");
  EXPECT_EQ(PadRightStr("ab", 4, '0'), "ab00");
  EXPECT_EQ(PadRightStr("中", 4), "中  ");
  EXPECT_EQ(PadRightStr("ab", -1), "ab");
}

TEST(PackEtxListTest, WritesHeadCountAndItemsEachClosedByEtx) {
  EXPECT_EQ(PackEtxList("X", VarArrayOf({"2", "a", "b"})), "X\x03" "2\x03" "a\x03" "b\x03");
  EXPECT_EQ(PackEtxList("X", VarArrayOf({0})), "X\x03" "0\x03");
}

TEST(DateLayouts, FormatDateAndMonthInEveryLayout) {
  const TDateTime March5 = EncodeDate(2024, 3, 5);
  struct Case { int Layout; const char* Sep; TDateTime Date; const char* Day; const char* Month; };
  const Case Cases[] = {
      {1, "/", March5, "2024/03/05", "2024/03"},
      {1, "", March5, "20240305", "202403"},
      {1, "-/", March5, "2024-03-05", "2024-03"},
      {1, "年", March5, "2024年03年05", "2024年03"},
      {2, "/", March5, "03/05/2024", "03/2024"},
      {3, ".", March5, "05.03.2024", "03.2024"},
      {4, "/", March5, "113/03/05", "113/03"},  // three digits stay three
      {4, "/", EncodeDate(1950, 7, 1), "39/07/01", "39/07"},
      {5, "/", EncodeDate(2011, 1, 2), "100/01/02", "100/01"},
      {5, "/", EncodeDate(1950, 7, 1), "039/07/01", "039/07"},
      {1, "/", 0, "", ""},
      {0, "/", March5, "", ""},
      {6, "/", March5, "", ""},
  };
  for (const Case& C : Cases) {
    const TDateType Layout = static_cast<TDateType>(C.Layout);
    EXPECT_EQ(FormatDateLayout(Layout, C.Sep, C.Date), C.Day) << C.Layout << " " << C.Day;
    EXPECT_EQ(FormatMonthLayout(Layout, C.Sep, C.Date), C.Month) << C.Layout << " " << C.Month;
  }
}

TEST(DateLayouts, ParseReadsThreeFieldsAndCarriesDaysOverTheMonthEnd) {
  struct Case { const char* Text; int Layout; const char* Sep; TDateTime Date; };
  const Case Cases[] = {
      {"2024/03/05", 1, "/", EncodeDate(2024, 3, 5)},
      {"2024/02/31", 1, "/", EncodeDate(2024, 3, 2)},
      {" 2024 / 3 / 5 ", 1, "/", EncodeDate(2024, 3, 5)},
      {"03/05/2024", 2, "/", EncodeDate(2024, 3, 5)},
      {"05/03/2024", 3, "/", EncodeDate(2024, 3, 5)},
      {"113/03/05", 4, "/", EncodeDate(2024, 3, 5)},
      {"92-01-01", 5, "-", EncodeDate(2003, 1, 1)},
      {"2024||03||05", 1, "||", EncodeDate(2024, 3, 5)},
      {"2024/00/10", 1, "/", 0},
      {"2024/13/10", 1, "/", 0},
      {"2024/03", 1, "/", 0},
      {"2024/03/x", 1, "/", 0},
      {"2024/-3/05", 1, "/", 0},
      {"10000/01/01", 1, "/", 0},
      {"2147483647/01/01", 4, "/", 0},
      {"   ", 1, "/", 0},
      {"2024/03/05", 0, "/", 0},
      {"2024/03/05", 6, "/", 0},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(ParseDateLayout(C.Text, static_cast<TDateType>(C.Layout), C.Sep), C.Date) << C.Text;
}

TEST(YmdTexts, YmdToDateReadsExactlyEightCharacters) {
  struct Case { const char* Text; TDateTime Date; };
  const Case Cases[] = {
      {"20240305", EncodeDate(2024, 3, 5)}, {"20240230", 0}, {"2024030", 0},
      {"202403055", 0}, {"2024030x", 0}, {"00000101", 0}, {"2024 3 5", 0}, {"", 0},
  };
  for (const Case& C : Cases) EXPECT_EQ(YmdToDate(C.Text), C.Date) << C.Text;
}

TEST(YmdTexts, IsValidYmdReadsOnlyTheFirstEightCharacters) {
  struct Case { const char* Text; bool Valid; };
  const Case Cases[] = {
      {"", true},          {"20240305", true},     {"17530101", true},  {"99991231", true},
      {"17521231", false}, {"20240230", false},    {"2024030", false},  {"abcdefgh", false},
      {"20240305xyz", true},
  };
  for (const Case& C : Cases) EXPECT_EQ(IsValidYmd(C.Text), C.Valid) << C.Text;
}

TEST(YmdTexts, ShiftYmdMovesByDaysMonthsAndYears) {
  struct Case { Variant Value; const char* Unit; int Count; const char* Result; };
  const Case Cases[] = {
      {"20240131", "M", 1, "20240229"},   // falls back to the month's last day
      {"20240315", "M", -3, "20231215"},
      {"20240115", "M", -1, "20231215"},
      {"20241115", "m", 1, "20241215"},
      {"20241215", "M", 1, "20250115"},
      {"20240101", "d", -1, "20231231"},
      {"20240228", "D", 2, "20240301"},
      {"20240229", "Y", 1, "20250228"},   // no 29 February: the month's last day
      {"20240229", "y", 4, "20280229"},
      {"20240305", "W", 1, ""},
      {"", "D", 1, ""},
      {"2024030", "D", 1, ""},
      {VarFromDateTime(EncodeDate(2024, 1, 31) + 0.75), "M", 1, "20240229"},
      {VarOleStr("20240305"), "D", 1, "20240306"},
      {20240305, "D", 1, ""},              // neither text nor date
      {VarFromDateTime(0), "D", 1, ""},
      {"00010101", "D", -1, ""},           // outside the calendar
      {"99991231", "M", 1, ""},
      {"99991231", "Y", 1, ""},
      {"20240305", "M", -2147483647, ""},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(ShiftYmd(C.Value, C.Unit, C.Count), C.Result) << C.Value << " " << C.Unit << C.Count;
}

TEST(YmdTexts, DaysOfMonthFollowsTheLeapYearRules) {
  struct Case { int Year, Month, Days; };
  const Case Cases[] = {
      {1900, 2, 28}, {2000, 2, 29}, {2024, 2, 29}, {2023, 2, 28}, {2024, 1, 31},
      {2024, 4, 30}, {2024, 11, 30}, {2024, 12, 31}, {2024, 13, 0}, {2024, 0, 0},
  };
  for (const Case& C : Cases) EXPECT_EQ(DaysOfMonth(C.Year, C.Month), C.Days) << C.Year << "-" << C.Month;
}

TEST(VariantsAndNumbers, BlankMeansEmptyOrNull) {
  EXPECT_TRUE(VarIsBlank(Unassigned()));
  EXPECT_TRUE(VarIsBlank(Null()));
  EXPECT_FALSE(VarIsBlank(""));
  EXPECT_FALSE(VarIsBlank(0));
  EXPECT_EQ(VarIfThen(false, 1, "b"), Variant("b"));
}

TEST(VariantsAndNumbers, StrToFloatDefaultNeedsTheWholeTextToBeANumber) {
  FormatSettingsGuard Guard;
  FormatSettings().DecimalSeparator = ',';  // a point is read whatever the settings say
  struct Case { const char* Text; double Result; };
  const Case Cases[] = {
      {"2.5", 2.5}, {" 2.5", 2.5}, {"-0.5", -0.5}, {"1e3", 1000}, {"7", 7},
      {"1.5x", -1}, {"2.5 ", -1}, {"", -1}, {"2,5", -1}, {".", -1}, {"abc", -1},
  };
  for (const Case& C : Cases) EXPECT_EQ(StrToFloatDefault(C.Text, -1), C.Result) << C.Text;
}

TEST(CodePages, TextConvertsToAndFromCodePageBytes) {
  EXPECT_EQ(WideToCodePage(Chinese, CP_GBK), ChineseGbk);
  EXPECT_EQ(WideToCodePage(Chinese, CP_BIG5), ChineseBig5);
  EXPECT_EQ(CodePageToWide(ChineseGbk, CP_GBK), Chinese);
  EXPECT_EQ(CodePageToWide(ChineseBig5, CP_BIG5), Chinese);
  // An unknown code page falls back to the process code page: unchanged.
  EXPECT_EQ(WideToCodePage(Chinese, 12345), Chinese);
  EXPECT_EQ(CodePageToWide(Chinese, 12345), Chinese);
  EXPECT_EQ(WideToCodePage("", CP_GBK), "");
}

TEST(CodePages, VarWideToCodePageConvertsEveryStringItReaches) {
  const Variant Nested = VarArrayOf({VarOleStr(Chinese), 5, VarArrayOf({VarOleStr(Chinese)}), Chinese});
  const Variant One = VarWideToCodePage(Nested, CP_GBK);
  EXPECT_EQ(VarType(One[0]), varString);
  EXPECT_EQ(VarToStr(One[0]), ChineseGbk);
  EXPECT_EQ(One[1], Variant(5));
  EXPECT_EQ(VarToStr(One[2][0]), ChineseGbk);
  EXPECT_EQ(VarToStr(One[3]), ChineseGbk);
  EXPECT_EQ(VarToStr(Nested[0]), Chinese);  // the input is left alone

  Variant Grid = VarArrayCreate({0, 1, 0, 1});
  Grid.SetElement(0, 0, VarOleStr(Chinese));
  Grid.SetElement(1, 1, VarArrayOf({VarOleStr(Chinese)}));
  const Variant Two = VarWideToCodePage(Grid, CP_GBK);
  EXPECT_EQ(VarToStr(Two.GetElement(0, 0)), ChineseGbk);
  EXPECT_EQ(VarToStr(Two.GetElement(1, 1)[0]), Chinese);  // arrays in a grid are not entered

  Variant Cube = VarArrayCreate({0, 0, 0, 0, 0, 0});
  Cube.SetElement({0, 0, 0}, VarOleStr(Chinese));
  EXPECT_EQ(VarToStr(VarArrayGet(VarWideToCodePage(Cube, CP_GBK), {0, 0, 0})), Chinese);

  EXPECT_EQ(VarToStr(VarWideToCodePage(VarOleStr(Chinese), CP_BIG5)), ChineseBig5);
  EXPECT_TRUE(VarIsNull(VarWideToCodePage(Null(), CP_GBK)));
  EXPECT_TRUE(VarIsEmpty(VarWideToCodePage(Unassigned(), CP_GBK)));
  EXPECT_EQ(VarWideToCodePage(3.5, CP_GBK), Variant(3.5));
}

TEST(CodePages, VarCodePageToWideGivesWideStrings) {
  const Variant Wide = VarCodePageToWide(VarArrayOf({ChineseGbk, VarArrayOf({ChineseGbk}), 1}), CP_GBK);
  EXPECT_EQ(VarType(Wide[0]), varOleStr);
  EXPECT_EQ(VarToStr(Wide[0]), Chinese);
  EXPECT_EQ(VarToStr(Wide[1][0]), Chinese);
  // The process code page changes only the kind of string.
  const Variant Same = VarCodePageToWide(Variant(Chinese), CP_ACP);
  EXPECT_EQ(VarType(Same), varOleStr);
  EXPECT_EQ(VarToStr(Same), Chinese);
}

TEST(Environment, LocalHostIsExactlyTheLoopbackAddress) {
  EXPECT_TRUE(IsLocalHostAddress("127.0.0.1"));
  EXPECT_FALSE(IsLocalHostAddress(" 127.0.0.1"));
  EXPECT_FALSE(IsLocalHostAddress("localhost"));
  EXPECT_FALSE(IsLocalHostAddress("127.0.0.2"));
}

TEST(Environment, ButtonCaptionsMatchNamesExactly) {
  struct Case { const char* Name; const char* Caption; };
  const Case Cases[] = {
      {"Yes", "是(&Y)"},   {"No", "否(&N)"},         {"OK", "确定"},          {"Cancel", "取消"},
      {"Abort", "中断(&A)"}, {"Retry", "重试(&R)"},   {"Ignore", "忽略(&I)"},  {"All", "全部(&A)"},
      {"NoToAll", "全否(&o)"}, {"YesToAll", "全是(&A)"}, {"Help", "帮助(&H)"}, {"yes", "yes"},
      {"Close", "Close"},  {"", ""},
  };
  for (const Case& C : Cases) EXPECT_EQ(LocalButtonCaption(C.Name), C.Caption) << C.Name;
}

}  // namespace
