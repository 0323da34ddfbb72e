#include "env/LibStrs.h"

#include <cstdio>
#include <exception>
#include <functional>

#include "platform/core/CodePage.h"
#include "platform/core/DateUtils.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"
#include "platform/os/DynLib.h"
#include "platform/os/FileUtils.h"
#include "platform/os/Registry.h"

// --- separated fields ------------------------------------------------------

namespace {

// Where to search again after the text changed at P, when nothing before P
// matched: a new occurrence of Part has to reach P.
size_t SearchAgainFrom(size_t P, const std::string& Part) {
  return P >= Part.size() - 1 ? P - (Part.size() - 1) : 0;
}

}  // namespace

std::string GetSepField(const std::string& Text, const std::string& Sep, int Index) {
  std::string Field;
  size_t Start = 0;
  int I = 1;
  bool Found = !Text.empty();
  while (I <= Index && Found) {
    const size_t P = Sep.empty() ? std::string::npos : Text.find(Sep, Start);
    Found = P != std::string::npos;
    if (Found) {
      Field = Text.substr(Start, P - Start);
      Start = P + Sep.size();
      ++I;
    } else {
      Field = Text.substr(Start);
    }
  }
  return Index > I ? std::string() : Field;
}

int CountSepFields(const std::string& Text, const std::string& Sep) {
  if (Text.empty()) return 0;
  if (Sep.empty()) return 1;
  // Each pass overwrites the first character of the first occurrence. The
  // marker must differ from that character, or the occurrence would stay.
  const char Marker = Sep[0] == '#' ? '*' : '#';
  std::string Work = Text;
  int Count = 0;
  size_t From = 0;
  for (;;) {
    ++Count;
    const size_t P = Work.find(Sep, From);
    if (P == std::string::npos) break;
    Work[P] = Marker;
    From = SearchAgainFrom(P, Sep);
  }
  return Count;
}

std::string CutSepField(std::string& Text, const std::string& Sep) {
  const size_t P = Sep.empty() ? std::string::npos : Text.find(Sep);
  std::string Head;
  if (P == std::string::npos) {
    Head.swap(Text);
    return Head;
  }
  Head = Text.substr(0, P);
  Text.erase(0, P + Sep.size());
  return Head;
}

namespace {

// Replaces again where a replacement forms a new occurrence with its
// neighbours. False when the chain ran past Budget replacements.
bool ReplaceRepeatedly(std::string& Work, const std::string& OldPart, const std::string& NewPart,
                       size_t Budget) {
  size_t From = 0;
  for (size_t Done = 0;; ++Done) {
    const size_t P = Work.find(OldPart, From);
    if (P == std::string::npos) return true;
    if (Done == Budget) return false;
    Work.replace(P, OldPart.size(), NewPart);
    From = SearchAgainFrom(P, OldPart);
  }
}

}  // namespace

std::string ReplaceAllStr(const std::string& Text, const std::string& OldPart,
                          const std::string& NewPart, bool TrimResult) {
  std::string Work = Text;
  if (!OldPart.empty() && !AnsiSameText(OldPart, NewPart)) {
    if (NewPart.find(OldPart) != std::string::npos) {
      // Searching the replacement again would never end.
      Work = StringReplaceAll(Text, OldPart, NewPart);
    } else if (NewPart.size() < OldPart.size()) {
      // Every replacement shortens the text, so the chain ends.
      ReplaceRepeatedly(Work, OldPart, NewPart, std::string::npos);
    } else if (!ReplaceRepeatedly(Work, OldPart, NewPart, 2 * (Text.size() + 16))) {
      // A chain that keeps feeding itself: every original occurrence once.
      Work = StringReplaceAll(Text, OldPart, NewPart);
    }
  }
  return TrimResult ? Trim(Work) : Work;
}

std::string PadRightStr(const std::string& Text, int Width, char FillChar) {
  const int Length = DoubleByteLength(Text);
  if (Length >= Width) return Text;
  return Text + std::string(static_cast<size_t>(Width - Length), FillChar);
}

std::string PackEtxList(const std::string& Head, const Variant& Items) {
  const std::string Etx = "\x03";
  std::string Packed = Head + Etx + VarToStr(Items[0]) + Etx;
  const int Count = VarToInteger(Items[0]);
  for (int I = 1; I <= Count; ++I) Packed += VarToStr(Items[I]) + Etx;
  return Packed;
}

// --- dates -----------------------------------------------------------------

namespace {

constexpr int RocYearOffset = 1911;

std::string FirstCharacter(const std::string& Text) { return Utf8Copy(Text, 1, 1); }

// The value of a text made only of digits; 0 for anything else.
int DigitsValue(const std::string& Text) {
  if (Text.empty()) return 0;
  int Value = 0;
  for (const char C : Text) {
    if (C < '0' || C > '9') return 0;
    Value = Value * 10 + (C - '0');
  }
  return Value;
}

// Year, month and day of characters 1-4, 5-6 and 7-8; 0 for a date that is not real.
TDateTime ReadYmdFields(const std::string& Text) {
  TDateTime Date = 0;
  if (!TryEncodeDate(DigitsValue(Copy(Text, 1, 4)), DigitsValue(Copy(Text, 5, 2)),
                     DigitsValue(Copy(Text, 7, 2)), Date))
    return 0;
  return Date;
}

std::string YmdText(TDateTime Date) {
  int Year, Month, Day;
  DecodeDate(Date, Year, Month, Day);
  return Format("%.4d%.2d%.2d", {Year, Month, Day});
}

// The day of the month, or the month's last day when it has fewer days;
// '' outside the calendar.
std::string YmdKeepingDay(long long Year, long long Month, int Day) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12) return std::string();
  const int Last = DaysOfMonth(static_cast<int>(Year), static_cast<int>(Month));
  return YmdText(EncodeDate(static_cast<int>(Year), static_cast<int>(Month), Day < Last ? Day : Last));
}

bool IsInCalendar(TDateTime Date) {
  return Date >= EncodeDate(1, 1, 1) && Date < EncodeDate(9999, 12, 31) + 1;
}

}  // namespace

std::string FormatDateLayout(TDateType Layout, const std::string& SepText, TDateTime Date) {
  if (Date == 0) return std::string();
  const std::string Sep = FirstCharacter(SepText);
  int Year, Month, Day;
  DecodeDate(Date, Year, Month, Day);
  switch (Layout) {
    case dt_YYYYMMDD: return Format("%.4d%s%.2d%s%.2d", {Year, Sep, Month, Sep, Day});
    case dt_MMDDYYYY: return Format("%.2d%s%.2d%s%.4d", {Month, Sep, Day, Sep, Year});
    case dt_DDMMYYYY: return Format("%.2d%s%.2d%s%.4d", {Day, Sep, Month, Sep, Year});
    case dt_YYMMDD: return Format("%.2d%s%.2d%s%.2d", {Year - RocYearOffset, Sep, Month, Sep, Day});
    case dt_YYYMMDD: return Format("%.3d%s%.2d%s%.2d", {Year - RocYearOffset, Sep, Month, Sep, Day});
    default: return std::string();
  }
}

std::string FormatMonthLayout(TDateType Layout, const std::string& SepText, TDateTime Date) {
  if (Date == 0) return std::string();
  const std::string Sep = FirstCharacter(SepText);
  int Year, Month, Day;
  DecodeDate(Date, Year, Month, Day);
  switch (Layout) {
    case dt_YYYYMMDD: return Format("%.4d%s%.2d", {Year, Sep, Month});
    case dt_MMDDYYYY:
    case dt_DDMMYYYY: return Format("%.2d%s%.4d", {Month, Sep, Year});
    case dt_YYMMDD: return Format("%.2d%s%.2d", {Year - RocYearOffset, Sep, Month});
    case dt_YYYMMDD: return Format("%.3d%s%.2d", {Year - RocYearOffset, Sep, Month});
    default: return std::string();
  }
}

TDateTime ParseDateLayout(const std::string& Text, TDateType Layout, const std::string& Sep) {
  if (Trim(Text).empty()) return 0;
  std::string Rest = Text;
  const long long F1 = StrToIntDef(Trim(CutSepField(Rest, Sep)), -1);
  const long long F2 = StrToIntDef(Trim(CutSepField(Rest, Sep)), -1);
  const long long F3 = StrToIntDef(Trim(CutSepField(Rest, Sep)), -1);
  if (F1 <= 0 || F2 <= 0 || F3 <= 0) return 0;
  long long Year, Month, Day;
  switch (Layout) {
    case dt_YYYYMMDD: Year = F1, Month = F2, Day = F3; break;
    case dt_MMDDYYYY: Year = F3, Month = F1, Day = F2; break;
    case dt_DDMMYYYY: Year = F3, Month = F2, Day = F1; break;
    case dt_YYMMDD:
    case dt_YYYMMDD: Year = F1 + RocYearOffset, Month = F2, Day = F3; break;
    default: return 0;
  }
  if (Year > 9999 || Month > 12) return 0;
  TDateTime FirstOfMonth;
  if (!TryEncodeDate(static_cast<int>(Year), static_cast<int>(Month), 1, FirstOfMonth)) return 0;
  // The day is not checked against the month: it carries into the next.
  return FirstOfMonth + static_cast<double>(Day - 1);
}

TDateTime YmdToDate(const std::string& Text) {
  return Text.size() == 8 ? ReadYmdFields(Text) : 0;
}

bool IsValidYmd(const std::string& Text) {
  if (Text.empty()) return true;
  if (ReadYmdFields(Text) == 0) return false;
  return Text >= "17530101" && Text <= "99991231";
}

std::string ShiftYmd(const Variant& Value, const std::string& Unit, int Count) {
  TDateTime Date;
  if (VarIsStr(Value))
    Date = YmdToDate(VarToStr(Value));
  else if (VarType(Value) == varDate)
    Date = VarToDateTime(Value);
  else
    return std::string();
  if (Date == 0 || !IsInCalendar(Date)) return std::string();
  int Year, Month, Day;
  DecodeDate(Date, Year, Month, Day);
  const std::string Kind = UpperCase(Unit);
  if (Kind == "Y") return YmdKeepingDay(static_cast<long long>(Year) + Count, Month, Day);
  if (Kind == "M") {
    const long long Months = static_cast<long long>(Year) * 12 + Month + Count;
    const long long NewMonth = Months % 12;
    if (NewMonth == 0) return YmdKeepingDay(Months / 12 - 1, 12, Day);
    return YmdKeepingDay(Months / 12, NewMonth, Day);
  }
  if (Kind == "D") {
    const TDateTime Shifted = DateOf(Date) + Count;
    return IsInCalendar(Shifted) ? YmdText(Shifted) : std::string();
  }
  return std::string();
}

int DaysOfMonth(int Year, int Month) {
  if (Month < 1 || Month > 12) return 0;
  if (Month == 2) return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0 ? 29 : 28;
  if (Month == 4 || Month == 6 || Month == 9 || Month == 11) return 30;
  return 31;
}

// --- variants and numbers ----------------------------------------------------

Variant VarIfThen(bool Cond, const Variant& A, const Variant& B) { return Cond ? A : B; }

bool VarIsBlank(const Variant& V) { return VarIsEmpty(V) || VarIsNull(V); }

double StrToFloatDefault(const std::string& Text, double Default) {
  static const TFormatSettings PointDecimal = [] {
    TFormatSettings Settings;
    Settings.DecimalSeparator = '.';
    return Settings;
  }();
  // Leading blanks are allowed, trailing ones are not.
  if (Text.empty() || static_cast<unsigned char>(Text.back()) <= ' ') return Default;
  double Value;
  return TryStrToFloat(Text, Value, PointDecimal) ? Value : Default;
}

// --- code pages ----------------------------------------------------------------

std::string WideToCodePage(const std::string& W, int CodePage) {
  return UnicodeToCodePageBytes(W, CodePage);
}

std::string CodePageToWide(const std::string& S, int CodePage) {
  return CodePageBytesToUnicode(S, CodePage);
}

namespace {

using TStringConversion = std::function<Variant(const std::string&)>;

Variant ConvertStrings(const Variant& V, const TStringConversion& Convert) {
  if (VarIsStr(V)) return Convert(VarToStr(V));
  if (!VarIsArray(V)) return V;
  Variant Result = V;
  const int Dims = VarArrayDimCount(V);
  if (Dims == 1) {
    for (int I = VarArrayLowBound(V, 1); I <= VarArrayHighBound(V, 1); ++I) {
      const Variant& Element = V[I];
      if (VarIsArray(Element) || VarIsStr(Element)) Result.SetElement(I, ConvertStrings(Element, Convert));
    }
  } else if (Dims == 2) {
    for (int I = VarArrayLowBound(V, 1); I <= VarArrayHighBound(V, 1); ++I)
      for (int J = VarArrayLowBound(V, 2); J <= VarArrayHighBound(V, 2); ++J) {
        const Variant Element = V.GetElement(I, J);
        if (VarIsStr(Element)) Result.SetElement(I, J, Convert(VarToStr(Element)));
      }
  }
  return Result;
}

Variant ConvertOrLog(const Variant& V, const TStringConversion& Convert, const char* LogMark) {
  if (VarIsBlank(V)) return V;
  try {
    return ConvertStrings(V, Convert);
  } catch (const std::exception& E) {
    WriteAlertLog("libstrs", std::string(LogMark) + E.what(), "D");
    return V;
  }
}

}  // namespace

Variant VarWideToCodePage(const Variant& V, int CodePage) {
  return ConvertOrLog(
      V, [CodePage](const std::string& S) { return VarAnsiStr(WideToCodePage(S, CodePage)); },
      "LINE[2735] ");
}

Variant VarCodePageToWide(const Variant& V, int CodePage) {
  return ConvertOrLog(
      V, [CodePage](const std::string& S) { return VarOleStr(CodePageToWide(S, CodePage)); },
      "LINE[115] ");
}

// --- environment ---------------------------------------------------------------

bool IsLocalHostAddress(const std::string& Text) { return Text == "127.0.0.1"; }

std::string LocalButtonCaption(const std::string& Name) {
  static const struct {
    const char* Name;
    const char* Caption;
  } Captions[] = {
      {"Yes", "是(&Y)"},      {"No", "否(&N)"},       {"OK", "确定"},
      {"Cancel", "取消"},     {"Abort", "中断(&A)"},  {"Retry", "重试(&R)"},
      {"Ignore", "忽略(&I)"}, {"All", "全部(&A)"},    {"NoToAll", "全否(&o)"},
      {"YesToAll", "全是(&A)"}, {"Help", "帮助(&H)"},
  };
  for (const auto& Entry : Captions)
    if (Name == Entry.Name) return Entry.Caption;
  return Name;
}

// --- alert logs ------------------------------------------------------------------

std::string RegisteredTandrelFolder() {
  TRegistry Registry;
  Registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (!Registry.OpenKeyReadOnly(TandrelRegistryKey)) return std::string();
  const std::string ClientPath = Registry.ReadString("ClientPath");
  return ClientPath.empty() ? Registry.ReadString("ServerPath") : ClientPath;
}

std::string GetTandrelHome() {
  try {
    const std::string Folder = RegisteredTandrelFolder();
    if (!Folder.empty()) return Folder;
  } catch (const std::exception&) {
    // An unreadable registry falls back like a missing one.
  }
  return ExtractFilePath(ProgramFileName());
}

bool WriteAlertLog(const std::string& Name, const std::string& Text, const std::string& Period) {
  return WriteAlertLogUnder(GetTandrelHome(), Name, Text, Period);
}

bool WriteAlertLogUnder(const std::string& BaseFolder, const std::string& Name,
                        const std::string& Text, const std::string& Period) {
  try {
    const TDateTime Stamp = Now();
    const char* DatePart = Period == "M" ? "yyyymm" : Period == "Y" ? "yyyy" : "yyyymmdd";
    const std::string Extension = Name.find('.') == std::string::npos ? ".log" : "";
    const std::string FileName = "Alert_" + Name + "_" + FormatDateTime(DatePart, Stamp) + Extension;
    const std::string Line = "[" + FormatDateTime("yyyy/mm/dd hh:nn:ss:zzz", Stamp) + "] " + Text;
    return AppendLogLine(BaseFolder, FileName, Line);
  } catch (...) {
    return false;
  }
}

bool AppendLogLine(const std::string& BaseFolder, const std::string& FileName,
                   const std::string& Line) {
  try {
    // A name from a caller must not lead out of the log folder.
    if (FileName.empty() || FileName.find_first_of("/\\") != std::string::npos) return false;
    const std::string Folder = IncludeTrailingPathDelimiter(BaseFolder) + "Log";
    if (!ForceDirectories(Folder)) return false;
    std::FILE* File = std::fopen((Folder + PathDelim + FileName).c_str(), "ab");
    if (File == nullptr) return false;
    const std::string Bytes = Line + "\r\n";
    const bool Written = std::fwrite(Bytes.data(), 1, Bytes.size(), File) == Bytes.size();
    const bool Closed = std::fclose(File) == 0;
    return Written && Closed;
  } catch (...) {
    return false;
  }
}
