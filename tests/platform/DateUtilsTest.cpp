#include "platform/core/DateUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/core/Exceptions.h"
#include "tests/platform/FormatSettingsGuard.h"

namespace {

class DateUtilsTest : public ::testing::Test {
 protected:
  FormatSettingsGuard Guard;
};

TEST_F(DateUtilsTest, EncodeCountsDaysFrom30December1899) {
  struct Case { int Y, M, D; double Serial; };
  const Case Cases[] = {
      {1899, 12, 30, 0},     {1899, 12, 31, 1},    {1900, 1, 1, 2},      {1899, 12, 29, -1},
      {1899, 12, 1, -29},    {1900, 3, 1, 61},     {1970, 1, 1, 25569},  {2000, 1, 1, 36526},
      {2024, 2, 29, 45351},  {2024, 3, 5, 45356},  {1, 1, 1, -693593},   {9999, 12, 31, 2958465},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(EncodeDate(C.Y, C.M, C.D), C.Serial) << C.Y << "-" << C.M << "-" << C.D;
    int Y, M, D;
    DecodeDate(C.Serial, Y, M, D);
    EXPECT_EQ(Y * 10000 + M * 100 + D, C.Y * 10000 + C.M * 100 + C.D) << C.Serial;
  }
}

TEST_F(DateUtilsTest, LeapYearsAndInvalidDates) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInAMonth(1900, 2), 28);
  EXPECT_EQ(DaysInAMonth(2023, 4), 30);
  struct Bad { int Y, M, D; };
  const Bad Bads[] = {{2023, 2, 29}, {1900, 2, 29}, {2024, 13, 1}, {2024, 0, 1},
                      {2024, 4, 31}, {0, 1, 1},     {10000, 1, 1}, {2024, 1, 0}};
  for (const Bad& B : Bads) {
    TDateTime D;
    EXPECT_FALSE(TryEncodeDate(B.Y, B.M, B.D, D)) << B.Y << "-" << B.M << "-" << B.D;
  }
  try {
    EncodeDate(2023, 2, 29);
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "Invalid argument to date encode");
  }
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

TEST_F(DateUtilsTest, NegativeDatesCountTheTimeForward) {
  // -1.25 is 29 December 1899, 06:00: the integer part names the day, the
  // fraction's size is the time of day.
  struct Case { double Serial; const char* Text; };
  const Case Cases[] = {
      {-1.25, "1899/12/29 06:00:00.000"}, {-1.75, "1899/12/29 18:00:00.000"},
      {-0.5, "1899/12/30 12:00:00.000"},  {0.5, "1899/12/30 12:00:00.000"},
      {1.25, "1899/12/31 06:00:00.000"},  {-2, "1899/12/28 00:00:00.000"},
      {-30.999988425925926, "1899/11/30 23:59:59.000"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss.zzz", C.Serial), C.Text) << C.Serial;
  EXPECT_DOUBLE_EQ(ComposeDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0, 0)), -1.25);
  EXPECT_DOUBLE_EQ(ComposeDateTime(EncodeDate(1899, 12, 31), EncodeTime(6, 0, 0, 0)), 1.25);
  EXPECT_DOUBLE_EQ(DateOf(-1.25), -1);
  EXPECT_DOUBLE_EQ(TimeOf(-1.25), 0.25);
  int H, M, S, Ms;
  DecodeTime(-1.25, H, M, S, Ms);
  EXPECT_EQ(H, 6);
}

TEST_F(DateUtilsTest, RoundTripsAroundTheEpochAndLeapDays) {
  FormatSettings().ShortDateFormat = "yyyy/mm/dd";
  FormatSettings().DateSeparator = '/';
  struct Start { int Y, M, D; };
  // Ten days on each side of: the epoch, 1900's non-leap February, leap days.
  const Start Starts[] = {{1899, 12, 20}, {1900, 2, 19}, {2000, 2, 19},
                          {2024, 2, 19},  {2100, 2, 19}, {1600, 2, 19}};
  for (const Start& St : Starts) {
    const TDateTime First = EncodeDate(St.Y, St.M, St.D);
    for (int K = 0; K < 20; ++K) {
      const TDateTime Day = First + K;
      int Y, M, D;
      DecodeDate(Day, Y, M, D);
      EXPECT_EQ(EncodeDate(Y, M, D), Day);
      const TDateTime Stamp = ComposeDateTime(Day, EncodeTime(13, 45, 30, 250));
      int H, Mi, S, Ms;
      DecodeTime(Stamp, H, Mi, S, Ms);
      EXPECT_EQ(H * 10000000 + Mi * 100000 + S * 1000 + Ms, 134530250) << Stamp;
      int Y2, M2, D2;
      DecodeDate(Stamp, Y2, M2, D2);
      EXPECT_EQ(Y2 * 10000 + M2 * 100 + D2, Y * 10000 + M * 100 + D) << Stamp;
      // Through text and back.
      EXPECT_EQ(StrToDate(DateToStr(Day)), Day) << DateToStr(Day);
      EXPECT_NEAR(StrToDateTime(FormatDateTime("yyyy/mm/dd hh:nn:ss.zzz", Stamp)), Stamp, 1e-9)
          << FormatDateTime("yyyy/mm/dd hh:nn:ss.zzz", Stamp);
    }
  }
  EXPECT_EQ(DateToStr(EncodeDate(2024, 2, 29)), "2024/02/29");
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd", EncodeDate(2024, 2, 28) + 1), "2024/02/29");
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd", EncodeDate(2023, 2, 28) + 1), "2023/03/01");
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd", EncodeDate(1900, 2, 28) + 1), "1900/03/01");
}

TEST_F(DateUtilsTest, IncMonthClampsTheDay) {
  struct Case { int Y, M, D, Months; const char* Text; };
  const Case Cases[] = {
      {2024, 1, 31, 1, "2024/02/29"}, {2023, 1, 31, 1, "2023/02/28"}, {2024, 3, 31, -1, "2024/02/29"},
      {2024, 12, 15, 1, "2025/01/15"}, {2024, 1, 15, -13, "2022/12/15"}, {2024, 2, 29, 12, "2025/02/28"},
      {1900, 1, 10, -1, "1899/12/10"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd", IncMonth(EncodeDate(C.Y, C.M, C.D), C.Months)), C.Text);
  // The time of day stays, before the epoch too.
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn", IncMonth(ComposeDateTime(EncodeDate(1900, 1, 10),
                                                                         EncodeTime(6, 30, 0, 0)),
                                                         -1)),
            "1899/12/10 06:30");
}

TEST_F(DateUtilsTest, DayOfWeekStartsOnSunday) {
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // a Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 29)), 6);
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5)), 3);
}

TEST_F(DateUtilsTest, FormatDateTimeDirectives) {
  const TDateTime T = ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(14, 7, 9, 45));
  struct Case { const char* Format; const char* Text; };
  const Case Cases[] = {
      {"d/m/yy", "5/3/24"},
      {"dd/mm/yyyy", "05/03/2024"},
      {"ddd dddd", "Tue Tuesday"},
      {"mmm mmmm", "Mar March"},
      {"h:n:s.z", "14:7:9.45"},
      {"hh:nn:ss.zzz", "14:07:09.045"},
      {"hh:mm", "14:07"},               // m after h is the minute
      {"yyyy-mm-dd hh:mm", "2024-03-05 14:07"},
      {"h:mm am/pm", "2:07 pm"},
      {"h:mm AM/PM", "2:07 PM"},
      {"hh a/p", "02 p"},
      {"hh ampm", "02 PM"},
      {"YYYYMMDD", "20240305"},         // directives ignore case
      {"'day' d \"of\" mmmm", "day 5 of March"},
      {"ddddd", "2024/03/05"},
      {"c", "2024/03/05 14:07:09"},
      {"t", "14:07"},
      {"tt", "14:07:09"},
      {"", "2024/03/05 14:07:09"},
      {"yyyy\"/\"mm", "2024/03"},       // a quoted "/" is a literal
  };
  for (const Case& C : Cases) EXPECT_EQ(FormatDateTime(C.Format, T), C.Text) << C.Format;
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "2024/03/05");  // no time at midnight
  EXPECT_EQ(FormatDateTime("h am/pm", EncodeTime(0, 30, 0, 0)), "12 am");
  EXPECT_EQ(FormatDateTime("h am/pm", EncodeTime(12, 30, 0, 0)), "12 pm");
}

TEST_F(DateUtilsTest, FormatDateTimeUsesTheSeparatorsOfTheSettings) {
  const TDateTime T = ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(6, 7, 8, 9));
  struct Case { char DateSep; char TimeSep; const char* Text; };
  const Case Cases[] = {
      {'-', ':', "2024-03-05 06:07:08:009"},
      {'/', ':', "2024/03/05 06:07:08:009"},
      {'.', '.', "2024.03.05 06.07.08.009"},
  };
  for (const Case& C : Cases) {
    FormatSettings().DateSeparator = C.DateSep;
    FormatSettings().TimeSeparator = C.TimeSep;
    EXPECT_EQ(FormatDateTime("YYYY/MM/DD hh:nn:ss:zzz", T), C.Text);
  }
  TFormatSettings Own;
  Own.DateSeparator = '-';
  Own.ShortDateFormat = "dd/mm/yyyy";
  EXPECT_EQ(FormatDateTime("ddddd", T, Own), "05-03-2024");
}

TEST_F(DateUtilsTest, TextToDateFollowsTheShortDateFormat) {
  struct Case { const char* ShortFormat; char Sep; const char* Text; int Y, M, D; };
  const int Year = CurrentYear();
  const Case Cases[] = {
      {"yyyy/mm/dd", '/', "2024/03/05", 2024, 3, 5},
      {"yyyy/mm/dd", '/', " 2024 / 3 / 5 ", 2024, 3, 5},
      {"yyyy-mm-dd", '-', "2024-03-05", 2024, 3, 5},
      {"dd.mm.yyyy", '.', "05.03.2024", 2024, 3, 5},
      {"mm/dd/yyyy", '/', "03/05/2024", 2024, 3, 5},
      {"m/d/yy", '/', "3/5/2024", 2024, 3, 5},
      {"dd/mm/yyyy", '/', "29/02/2024", 2024, 2, 29},
      {"yyyy/mm/dd", '/', "3/5", Year, 3, 5},   // two numbers: this year
      {"dd/mm/yyyy", '/', "5/3", Year, 3, 5},
      {"yyyy/mm/dd", '/', "0024/03/05", 24, 3, 5},  // four digits typed: as written
  };
  for (const Case& C : Cases) {
    FormatSettings().ShortDateFormat = C.ShortFormat;
    FormatSettings().DateSeparator = C.Sep;
    TDateTime V = -1;
    ASSERT_TRUE(TryStrToDate(C.Text, V)) << C.Text << " as " << C.ShortFormat;
    EXPECT_EQ(V, EncodeDate(C.Y, C.M, C.D)) << C.Text << " as " << C.ShortFormat;
  }
  struct Bad { const char* ShortFormat; char Sep; const char* Text; };
  const Bad Bads[] = {
      {"yyyy/mm/dd", '/', "2024-03-05"},  // not the separator of the settings
      {"yyyy/mm/dd", '/', "05/03/2024"},  // day 2024
      {"dd/mm/yyyy", '/', "2024/03/05"},
      {"yyyy/mm/dd", '/', "2023/02/29"},
      {"yyyy/mm/dd", '/', "2024/03/05x"},
      {"yyyy/mm/dd", '/', ""},
      {"yyyy/mm/dd", '/', "2024"},
      {"yyyy/mm/dd", '/', "2024/03/05 12:00"},  // a time is no date
  };
  for (const Bad& B : Bads) {
    FormatSettings().ShortDateFormat = B.ShortFormat;
    FormatSettings().DateSeparator = B.Sep;
    TDateTime V;
    EXPECT_FALSE(TryStrToDate(B.Text, V)) << B.Text << " as " << B.ShortFormat;
  }
  FormatSettings().ShortDateFormat = "yyyy/mm/dd";
  FormatSettings().DateSeparator = '/';
  try {
    StrToDate("2024/13/01");
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "'2024/13/01' is not a valid date");
  }
  EXPECT_EQ(StrToDateDef("nonsense", 7), 7);
}

TEST_F(DateUtilsTest, TwoDigitYearsTakeTheCenturyWindow) {
  FormatSettings().ShortDateFormat = "yy/mm/dd";
  FormatSettings().DateSeparator = '/';
  const int Year = CurrentYear();
  for (int YY : {0, 1, 24, 49, 50, 51, 75, 99}) {
    const std::string Text = (YY < 10 ? "0" : "") + std::to_string(YY) + "/06/15";
    int Y, M, D;
    DecodeDate(StrToDate(Text), Y, M, D);
    EXPECT_EQ(Y % 100, YY) << Text;
    EXPECT_GE(Y, Year - 50) << Text;  // within 50 years before ...
    EXPECT_LT(Y, Year + 50) << Text;  // ... and after the current year
  }
  FormatSettings().TwoDigitYearCenturyWindow = 0;  // the current century
  int Y, M, D;
  DecodeDate(StrToDate("99/06/15"), Y, M, D);
  EXPECT_EQ(Y, Year / 100 * 100 + 99);
}

TEST_F(DateUtilsTest, TextToTimeAndDateTime) {
  struct Case { const char* Text; int H, M, S, Ms; };
  const Case Cases[] = {
      {"12:30", 12, 30, 0, 0},       {"12:30:45", 12, 30, 45, 0}, {"1:02:03.5", 1, 2, 3, 500},
      {"23:59:59.999", 23, 59, 59, 999}, {"2:30 PM", 14, 30, 0, 0}, {"12:00 am", 0, 0, 0, 0},
      {"12 PM", 12, 0, 0, 0},        {" 7:05 ", 7, 5, 0, 0},
  };
  for (const Case& C : Cases) {
    TDateTime V = -1;
    ASSERT_TRUE(TryStrToTime(C.Text, V)) << C.Text;
    EXPECT_NEAR(V, EncodeTime(C.H, C.M, C.S, C.Ms), 1e-12) << C.Text;
  }
  for (const char* Bad : {"24:00", "12:60", "12", "13:00 PM", "ab", "", "12:30:"}) {
    TDateTime V;
    EXPECT_FALSE(TryStrToTime(Bad, V)) << Bad;
  }
  EXPECT_THROW(StrToTime("25:00"), EConvertError);
  try {
    StrToDateTime("2024/03/05 25:00");
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "'2024/03/05 25:00' is not a valid date and time");
  }
  EXPECT_DOUBLE_EQ(StrToDateTime("2024/03/05 06:00"), EncodeDate(2024, 3, 5) + 0.25);
  EXPECT_DOUBLE_EQ(StrToDateTime("1899/12/29 06:00"), -1.25);
  EXPECT_DOUBLE_EQ(StrToDateTime("2024/03/05"), EncodeDate(2024, 3, 5));
  EXPECT_DOUBLE_EQ(StrToDateTime("06:00"), 0.25);
  // Another time separator.
  FormatSettings().TimeSeparator = '.';
  EXPECT_DOUBLE_EQ(StrToTime("06.30"), EncodeTime(6, 30, 0, 0));
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5) + 0.25), "2024/03/05 06.00.00");
}

TEST_F(DateUtilsTest, NowIsToday) {
  const TDateTime N = Now();
  const TDateTime D = Date();
  EXPECT_GE(N, D);
  EXPECT_LT(N, D + 1.0001);  // allow for midnight between the calls
  EXPECT_GE(Time(), 0);
  EXPECT_LT(Time(), 1);
  int Y, M, Dd;
  DecodeDate(D, Y, M, Dd);
  EXPECT_EQ(Y, CurrentYear());
}

TEST_F(DateUtilsTest, DateSeparatorOfLocaleFormats) {
  struct Case { const char* Format; char Sep; };
  const Case Cases[] = {
      {"%m/%d/%y", '/'},  {"%d.%m.%Y", '.'},  {"%Y-%m-%d", '-'},  {"%d-%m-%y", '-'},
      {"%Y年%m月%d日", '/'}, {"%D", '/'},     {"%F", '-'},        {"%d %b %Y", '/'},
      {"%e/%m/%Y", '/'},  {"%Y. %m. %d.", '.'}, {"%-d.%-m.%Y", '.'}, {"", '/'},
  };
  for (const Case& C : Cases) EXPECT_EQ(DateSeparatorOfLocaleFormat(C.Format), C.Sep) << C.Format;
}

// Sets an environment variable for one scope.
class EnvVar {
 public:
  EnvVar(const char* Name, const std::string& Value) : Name_(Name) {
    if (const char* Old = std::getenv(Name)) Old_ = Old, Had_ = true;
    setenv(Name, Value.c_str(), 1);
  }
  ~EnvVar() {
    if (Had_) setenv(Name_, Old_.c_str(), 1);
    else unsetenv(Name_);
  }

 private:
  const char* Name_;
  std::string Old_;
  bool Had_ = false;
};

TEST_F(DateUtilsTest, LocaleDateSeparatorReadsTheEnvironmentsLocale) {
  {
    EnvVar All("LC_ALL", "C");
    EXPECT_EQ(LocaleDateSeparator(), '/');
  }
  {
    EnvVar All("LC_ALL", "xx_NOWHERE.UTF-8");  // a locale the system lacks
    EXPECT_EQ(LocaleDateSeparator(), '/');
  }
  // A real German locale, compiled for this test when the machine has the
  // locale sources (Debian's "locales" package).
  const std::filesystem::path Dir = std::filesystem::temp_directory_path() / "tandrel-locale-test";
  if (!std::filesystem::exists("/usr/share/i18n/locales/de_DE"))
    GTEST_SKIP() << "no locale sources";
  std::filesystem::create_directories(Dir);
  const std::string Cmd = "localedef -i de_DE -f UTF-8 '" + (Dir / "de_DE.UTF-8").string() +
                          "' >/dev/null 2>&1";
  if (!std::filesystem::exists(Dir / "de_DE.UTF-8") && std::system(Cmd.c_str()) != 0)
    GTEST_SKIP() << "localedef failed";
  EnvVar Path("LOCPATH", Dir.string());
  EnvVar All("LC_ALL", "de_DE.UTF-8");
  EXPECT_EQ(LocaleDateSeparator(), '.');
}

}  // namespace
