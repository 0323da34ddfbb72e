#include "platform/core/DateUtils.h"

#include <langinfo.h>
#include <locale.h>
#include <time.h>

#include <cctype>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/core/Exceptions.h"

namespace {

constexpr int64_t MSecsPerDay = 86400000;
constexpr int64_t UnixEpochDay = 25569;  // 1 January 1970 as a TDateTime

// Days since 1 January 1970 of a proleptic Gregorian date (H. Hinnant).
int64_t DaysFromCivil(int64_t Y, int M, int D) {
  Y -= M <= 2;
  const int64_t Era = (Y >= 0 ? Y : Y - 399) / 400;
  const int64_t Yoe = Y - Era * 400;
  const int64_t Doy = (153 * (M + (M > 2 ? -3 : 9)) + 2) / 5 + D - 1;
  const int64_t Doe = Yoe * 365 + Yoe / 4 - Yoe / 100 + Doy;
  return Era * 146097 + Doe - 719468;
}

void CivilFromDays(int64_t Z, int& Y, int& M, int& D) {
  Z += 719468;
  const int64_t Era = (Z >= 0 ? Z : Z - 146096) / 146097;
  const int64_t Doe = Z - Era * 146097;
  const int64_t Yoe = (Doe - Doe / 1460 + Doe / 36524 - Doe / 146096) / 365;
  const int64_t Doy = Doe - (365 * Yoe + Yoe / 4 - Yoe / 100);
  const int64_t Mp = (5 * Doy + 2) / 153;
  D = static_cast<int>(Doy - (153 * Mp + 2) / 5 + 1);
  M = static_cast<int>(Mp < 10 ? Mp + 3 : Mp - 9);
  Y = static_cast<int>(Yoe + Era * 400 + (M <= 2));
}

// The day (counted from the epoch, negative before it) and the milliseconds
// of the day, by the classic rule: the integer part names the day, the
// fraction's magnitude is the time of day.
void Split(TDateTime DT, int64_t& Day, int64_t& MSec) {
  if (!std::isfinite(DT) || std::fabs(DT) > 1e9) {
    Day = 0;
    MSec = 0;
    return;
  }
  const double T = std::trunc(DT);
  Day = static_cast<int64_t>(T);
  MSec = std::llround(std::fabs(DT - T) * static_cast<double>(MSecsPerDay));
  if (MSec >= MSecsPerDay) {
    MSec -= MSecsPerDay;
    Day += 1;
  }
}

struct TParts {
  int Year, Month, Day, Hour, Min, Sec, MSec, Dow;  // Dow 0 = Sunday
};

TParts Decode(TDateTime DT) {
  int64_t Day, MSec;
  Split(DT, Day, MSec);
  TParts P{};
  CivilFromDays(Day - UnixEpochDay, P.Year, P.Month, P.Day);
  P.Hour = static_cast<int>(MSec / 3600000);
  P.Min = static_cast<int>(MSec / 60000 % 60);
  P.Sec = static_cast<int>(MSec / 1000 % 60);
  P.MSec = static_cast<int>(MSec % 1000);
  P.Dow = static_cast<int>(((Day % 7) + 7 + 6) % 7);
  return P;
}

struct TLocalNow {
  int Year, Month, Day, Hour, Min, Sec, MSec;
};

TLocalNow LocalNow() {
  timespec Ts{};
  clock_gettime(CLOCK_REALTIME, &Ts);
  tm Tm{};
  localtime_r(&Ts.tv_sec, &Tm);
  return {Tm.tm_year + 1900, Tm.tm_mon + 1, Tm.tm_mday, Tm.tm_hour,
          Tm.tm_min,         Tm.tm_sec,     static_cast<int>(Ts.tv_nsec / 1000000)};
}

}  // namespace

bool IsLeapYear(int Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

int DaysInAMonth(int Year, int Month) {
  static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return Month == 2 && IsLeapYear(Year) ? 29 : Days[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
      Day > DaysInAMonth(Year, Month))
    return false;
  Date = static_cast<double>(DaysFromCivil(Year, Month, Day) + UnixEpochDay);
  return true;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time) {
  if (Hour < 0 || Hour >= 24 || Min < 0 || Min >= 60 || Sec < 0 || Sec >= 60 || MSec < 0 ||
      MSec >= 1000)
    return false;
  Time = static_cast<double>(((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) /
         static_cast<double>(MSecsPerDay);
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime D;
  if (!TryEncodeDate(Year, Month, Day, D)) throw EConvertError("Invalid argument to date encode");
  return D;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  TDateTime T;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, T)) throw EConvertError("Invalid argument to time encode");
  return T;
}

void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day) {
  const TParts P = Decode(Date);
  Year = P.Year;
  Month = P.Month;
  Day = P.Day;
}

void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec) {
  const TParts P = Decode(Time);
  Hour = P.Hour;
  Min = P.Min;
  Sec = P.Sec;
  MSec = P.MSec;
}

TDateTime ComposeDateTime(TDateTime Date, TDateTime Time) {
  const double T = std::fabs(Time - std::trunc(Time));
  return Date < 0 ? Date - T : Date + T;
}

TDateTime DateOf(TDateTime DateTime) {
  int64_t Day, MSec;
  Split(DateTime, Day, MSec);
  return static_cast<double>(Day);
}

TDateTime TimeOf(TDateTime DateTime) {
  int64_t Day, MSec;
  Split(DateTime, Day, MSec);
  return static_cast<double>(MSec) / static_cast<double>(MSecsPerDay);
}

TDateTime IncMonth(TDateTime Date, int Months) {
  const TParts P = Decode(Date);
  int64_t M = static_cast<int64_t>(P.Year) * 12 + (P.Month - 1) + Months;
  const int Y = static_cast<int>(M >= 0 ? M / 12 : (M - 11) / 12);
  const int Mo = static_cast<int>(M - static_cast<int64_t>(Y) * 12) + 1;
  const int D = std::min(P.Day, DaysInAMonth(Y, Mo));
  return ComposeDateTime(EncodeDate(Y, Mo, D), TimeOf(Date));
}

TDateTime Date() {
  const TLocalNow N = LocalNow();
  return EncodeDate(N.Year, N.Month, N.Day);
}

TDateTime Time() {
  const TLocalNow N = LocalNow();
  return EncodeTime(N.Hour, N.Min, N.Sec, N.MSec);
}

TDateTime Now() {
  const TLocalNow N = LocalNow();
  return ComposeDateTime(EncodeDate(N.Year, N.Month, N.Day), EncodeTime(N.Hour, N.Min, N.Sec, N.MSec));
}

int DayOfWeek(TDateTime Date) { return Decode(Date).Dow + 1; }

int CurrentYear() { return LocalNow().Year; }

// --- FormatDateTime -------------------------------------------------------

namespace {

bool StartsWithNoCase(const std::string& S, size_t I, const char* What) {
  for (size_t K = 0; What[K]; ++K) {
    if (I + K >= S.size()) return false;
    if (std::toupper(static_cast<unsigned char>(S[I + K])) != std::toupper(static_cast<unsigned char>(What[K])))
      return false;
  }
  return true;
}

void AppendNumber(std::string& Out, int Value, int Digits) {
  std::string N = std::to_string(Value);
  if (static_cast<int>(N.size()) < Digits) Out.append(static_cast<size_t>(Digits) - N.size(), '0');
  Out += N;
}

class TDateFormatter {
 public:
  TDateFormatter(TDateTime DT, const TFormatSettings& Fs) : P_(Decode(DT)), Fs_(Fs) {}

  void Append(std::string& Out, const std::string& F, int Level) {
    if (Level > 2) return;  // formats naming formats, as deep as the classic one goes
    char LastToken = ' ';
    size_t I = 0;
    auto Count = [&](char Upper) {
      size_t N = 1;
      while (I + N < F.size() && std::toupper(static_cast<unsigned char>(F[I + N])) == Upper) ++N;
      return N;
    };
    while (I < F.size()) {
      const char C = F[I];
      char Token = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
      const bool Letter = Token >= 'A' && Token <= 'Z';
      if (Letter) {
        if (Token == 'M' && LastToken == 'H') Token = 'N';
        LastToken = Token;
      }
      switch (Token) {
        case '"':
        case '\'': {
          const size_t E = F.find(C, I + 1);
          const size_t End = E == std::string::npos ? F.size() : E;
          Out.append(F, I + 1, End - I - 1);
          I = End + 1;
          continue;
        }
        case 'C': {
          I += Count('C');
          Append(Out, Fs_.ShortDateFormat, Level + 1);
          if (P_.Hour != 0 || P_.Min != 0 || P_.Sec != 0) {
            Out += ' ';
            Append(Out, Fs_.LongTimeFormat, Level + 1);
          }
          continue;
        }
        case 'D': {
          const size_t N = Count('D');
          I += N;
          if (N <= 2) AppendNumber(Out, P_.Day, static_cast<int>(N));
          else if (N == 3) Out += Fs_.ShortDayNames[P_.Dow];
          else if (N == 4) Out += Fs_.LongDayNames[P_.Dow];
          else if (N == 5) Append(Out, Fs_.ShortDateFormat, Level + 1);
          else Append(Out, Fs_.LongDateFormat, Level + 1);
          continue;
        }
        case 'M': {
          const size_t N = Count('M');
          I += N;
          if (N <= 2) AppendNumber(Out, P_.Month, static_cast<int>(N));
          else if (N == 3) Out += Fs_.ShortMonthNames[P_.Month - 1];
          else Out += Fs_.LongMonthNames[P_.Month - 1];
          continue;
        }
        case 'Y': {
          const size_t N = Count('Y');
          I += N;
          if (N <= 2) AppendNumber(Out, P_.Year % 100, 2);
          else AppendNumber(Out, P_.Year, 4);
          continue;
        }
        case 'H': {
          const size_t N = Count('H');
          I += N;
          int H = P_.Hour;
          if (Uses12Hour(F, I)) {
            H %= 12;
            if (H == 0) H = 12;
          }
          AppendNumber(Out, H, N >= 2 ? 2 : 1);
          continue;
        }
        case 'N': {
          const size_t N = Count(static_cast<char>(std::toupper(static_cast<unsigned char>(C))));
          I += N;
          AppendNumber(Out, P_.Min, N >= 2 ? 2 : 1);
          continue;
        }
        case 'S': {
          const size_t N = Count('S');
          I += N;
          AppendNumber(Out, P_.Sec, N >= 2 ? 2 : 1);
          continue;
        }
        case 'Z': {
          const size_t N = Count('Z');
          I += N;
          AppendNumber(Out, P_.MSec, N >= 3 ? 3 : 1);
          continue;
        }
        case 'T': {
          const size_t N = Count('T');
          I += N;
          Append(Out, N == 1 ? Fs_.ShortTimeFormat : Fs_.LongTimeFormat, Level + 1);
          continue;
        }
        case 'A': {
          const bool Pm = P_.Hour >= 12;
          if (StartsWithNoCase(F, I, "am/pm")) {
            Out.append(F, I + (Pm ? 3 : 0), 2);  // in the case the format writes it
            I += 5;
          } else if (StartsWithNoCase(F, I, "a/p")) {
            Out += F[I + (Pm ? 2 : 0)];
            I += 3;
          } else if (StartsWithNoCase(F, I, "ampm")) {
            Out += Pm ? Fs_.TimePMString : Fs_.TimeAMString;
            I += 4;
          } else {
            Out += C;
            ++I;
          }
          continue;
        }
        case '/':
          Out += Fs_.DateSeparator;
          ++I;
          continue;
        case ':':
          Out += Fs_.TimeSeparator;
          ++I;
          continue;
        default:
          Out += C;
          ++I;
          continue;
      }
    }
  }

 private:
  // An hour is on the 12-hour clock when an am/pm directive follows it.
  static bool Uses12Hour(const std::string& F, size_t From) {
    char Quote = 0;
    for (size_t I = From; I < F.size(); ++I) {
      if (Quote) {
        if (F[I] == Quote) Quote = 0;
        continue;
      }
      if (F[I] == '"' || F[I] == '\'') {
        Quote = F[I];
        continue;
      }
      if (StartsWithNoCase(F, I, "am/pm") || StartsWithNoCase(F, I, "a/p") ||
          StartsWithNoCase(F, I, "ampm"))
        return true;
    }
    return false;
  }

  TParts P_;
  const TFormatSettings& Fs_;
};

}  // namespace

std::string FormatDateTime(const std::string& Format, TDateTime DateTime,
                           const TFormatSettings& Settings) {
  std::string Out;
  TDateFormatter(DateTime, Settings).Append(Out, Format.empty() ? std::string("c") : Format, 0);
  return Out;
}

std::string FormatDateTime(const std::string& Format, TDateTime DateTime) {
  return FormatDateTime(Format, DateTime, FormatSettings());
}

std::string DateToStr(TDateTime Date) { return FormatDateTime("ddddd", Date); }
std::string TimeToStr(TDateTime Time) { return FormatDateTime("tt", Time); }
std::string DateTimeToStr(TDateTime DateTime) { return FormatDateTime("c", DateTime); }

// --- text to date -------------------------------------------------------------

namespace {

class TScanner {
 public:
  TScanner(const std::string& S, const TFormatSettings& Fs) : S_(S), Fs_(Fs) {}

  size_t Pos = 0;

  void Blanks() {
    while (Pos < S_.size() && static_cast<unsigned char>(S_[Pos]) <= ' ') ++Pos;
  }
  bool AtEnd() {
    Blanks();
    return Pos >= S_.size();
  }
  // Reads a number; Digits gets how many digits it had.
  bool Number(int& Value, int& Digits) {
    Blanks();
    Value = 0;
    Digits = 0;
    while (Pos < S_.size() && S_[Pos] >= '0' && S_[Pos] <= '9') {
      if (Digits >= 9) return false;
      Value = Value * 10 + (S_[Pos] - '0');
      ++Pos;
      ++Digits;
    }
    return Digits > 0;
  }
  bool Char(char C) {
    const size_t Before = Pos;
    Blanks();
    if (Pos < S_.size() && S_[Pos] == C) {
      ++Pos;
      return true;
    }
    if (static_cast<unsigned char>(C) <= ' ' && Pos > Before) return true;  // a blank separator
    Pos = Before;
    return false;
  }
  bool Word(const std::string& W) {
    Blanks();
    if (W.empty() || !StartsWithNoCase(S_, Pos, W.c_str())) return false;
    Pos += W.size();
    return true;
  }

  bool Date(TDateTime& Value) {
    const size_t Start = Pos;
    enum { MDY, DMY, YMD } Order = MDY;
    for (char C : Fs_.ShortDateFormat) {
      const char U = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
      if (U == 'Y') { Order = YMD; break; }
      if (U == 'M') { Order = MDY; break; }
      if (U == 'D') { Order = DMY; break; }
    }
    int N1, N2, N3 = 0, L1, L2, L3 = 0;
    if (!(Number(N1, L1) && Char(Fs_.DateSeparator) && Number(N2, L2))) {
      Pos = Start;
      return false;
    }
    const size_t AfterTwo = Pos;
    bool Three = Char(Fs_.DateSeparator) && Number(N3, L3);
    if (!Three) Pos = AfterTwo;
    int Y, M, D, YDigits;
    if (Three) {
      switch (Order) {
        case YMD: Y = N1; YDigits = L1; M = N2; D = N3; break;
        case DMY: D = N1; M = N2; Y = N3; YDigits = L3; break;
        default: M = N1; D = N2; Y = N3; YDigits = L3; break;
      }
    } else {
      Y = CurrentYear();
      YDigits = 4;
      if (Order == DMY) { D = N1; M = N2; }
      else { M = N1; D = N2; }
    }
    if (YDigits <= 2) {
      const int Base = CurrentYear() - Fs_.TwoDigitYearCenturyWindow;
      Y += Base / 100 * 100;
      if (Fs_.TwoDigitYearCenturyWindow > 0 && Y < Base) Y += 100;
    }
    if (!TryEncodeDate(Y, M, D, Value)) {
      Pos = Start;
      return false;
    }
    return true;
  }

  bool Time(TDateTime& Value) {
    const size_t Start = Pos;
    int H, Mi = 0, Se = 0, Ms = 0, L;
    if (!Number(H, L)) return false;
    bool HasMin = false;
    if (Char(Fs_.TimeSeparator)) {
      if (!Number(Mi, L)) return Pos = Start, false;
      HasMin = true;
      if (Char(Fs_.TimeSeparator)) {
        if (!Number(Se, L)) return Pos = Start, false;
        if (Char(Fs_.DecimalSeparator) || (Fs_.DecimalSeparator != '.' && Char('.'))) {
          if (!Number(Ms, L)) return Pos = Start, false;
          // Digits after the point are a fraction of a second.
          while (L > 3) Ms /= 10, --L;
          while (L < 3) Ms *= 10, ++L;
        }
      }
    }
    int AmPm = -1;
    if (Word(Fs_.TimeAMString) || Word("AM")) AmPm = 0;
    else if (Word(Fs_.TimePMString) || Word("PM")) AmPm = 1;
    if (!HasMin && AmPm < 0) return Pos = Start, false;
    if (AmPm >= 0) {
      if (H == 0 || H > 12) return Pos = Start, false;
      if (H == 12) H = 0;
      if (AmPm == 1) H += 12;
    }
    if (!TryEncodeTime(H, Mi, Se, Ms, Value)) return Pos = Start, false;
    return true;
  }

 private:
  const std::string& S_;
  const TFormatSettings& Fs_;
};

}  // namespace

bool TryStrToDate(const std::string& S, TDateTime& Value, const TFormatSettings& Settings) {
  TScanner Sc(S, Settings);
  TDateTime D;
  if (!Sc.Date(D) || !Sc.AtEnd()) return false;
  Value = D;
  return true;
}

bool TryStrToTime(const std::string& S, TDateTime& Value, const TFormatSettings& Settings) {
  TScanner Sc(S, Settings);
  TDateTime T;
  if (!Sc.Time(T) || !Sc.AtEnd()) return false;
  Value = T;
  return true;
}

bool TryStrToDateTime(const std::string& S, TDateTime& Value, const TFormatSettings& Settings) {
  TScanner Sc(S, Settings);
  TDateTime D, T;
  if (Sc.Date(D)) {
    if (Sc.AtEnd()) {
      Value = D;
      return true;
    }
    if (!Sc.Time(T) || !Sc.AtEnd()) return false;
    Value = ComposeDateTime(D, T);
    return true;
  }
  return TryStrToTime(S, Value, Settings);
}

bool TryStrToDate(const std::string& S, TDateTime& Value) {
  return TryStrToDate(S, Value, FormatSettings());
}
bool TryStrToTime(const std::string& S, TDateTime& Value) {
  return TryStrToTime(S, Value, FormatSettings());
}
bool TryStrToDateTime(const std::string& S, TDateTime& Value) {
  return TryStrToDateTime(S, Value, FormatSettings());
}

TDateTime StrToDate(const std::string& S) {
  TDateTime V;
  if (!TryStrToDate(S, V)) throw EConvertError("'" + S + "' is not a valid date");
  return V;
}

TDateTime StrToDateTime(const std::string& S) {
  TDateTime V;
  if (!TryStrToDateTime(S, V)) throw EConvertError("'" + S + "' is not a valid date and time");
  return V;
}

TDateTime StrToTime(const std::string& S) {
  TDateTime V;
  if (!TryStrToTime(S, V)) throw EConvertError("'" + S + "' is not a valid time");
  return V;
}

TDateTime StrToDateDef(const std::string& S, TDateTime Default) {
  TDateTime V;
  return TryStrToDate(S, V) ? V : Default;
}

// --- locale ---------------------------------------------------------------------

char DateSeparatorOfLocaleFormat(const std::string& F) {
  for (size_t I = 0; I < F.size(); ++I) {
    const auto C = static_cast<unsigned char>(F[I]);
    if (C == '%') {
      ++I;
      while (I < F.size() && std::strchr("_-0^#", F[I]) != nullptr) ++I;   // flags
      while (I < F.size() && F[I] >= '0' && F[I] <= '9') ++I;               // width
      if (I < F.size() && (F[I] == 'E' || F[I] == 'O')) ++I;                 // modifiers
      if (I >= F.size()) break;
      if (F[I] == 'D') return '/';  // %m/%d/%y
      if (F[I] == 'F') return '-';  // %Y-%m-%d
      continue;
    }
    if (C < 0x80 && std::ispunct(C)) return static_cast<char>(C);
  }
  return '/';
}

char LocaleDateSeparator() {
  locale_t L = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
  if (L == static_cast<locale_t>(nullptr)) return '/';
  const char* F = nl_langinfo_l(D_FMT, L);
  const char Sep = DateSeparatorOfLocaleFormat(F ? F : "");
  freelocale(L);
  return Sep;
}
