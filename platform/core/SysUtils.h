#pragma once

#include <cstdint>
#include <string>

// Text and number routines with the classic rules. Texts are UTF-8; the
// byte-based routines (Pos, Copy, Length) count bytes, the Utf8* routines count
// characters, for the places that count characters.

// Process-wide format settings; some forms change them at run time.
struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "yyyy/mm/dd";
  std::string LongDateFormat = "yyyy/mm/dd";
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  // Currency text for ffCurrency and Format's %m: no symbol by default.
  std::string CurrencyString;
  int CurrencyDecimals = 2;
  // Names FormatDateTime writes for mmm, mmmm, ddd and dddd (day 0 = Sunday).
  std::string ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string LongMonthNames[12] = {"January", "February", "March",     "April",
                                    "May",     "June",     "July",      "August",
                                    "September", "October", "November", "December"};
  std::string ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::string LongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
  // A two-digit year read from text lands in the 100 years starting
  // this many years before the current year (0 = the current century).
  int TwoDigitYearCenturyWindow = 50;
};

// The settings every routine here reads unless it is handed others.
TFormatSettings& FormatSettings();

// --- trimming and case ---------------------------------------------------
// Trim removes blanks and control characters (bytes <= ' ') at both ends.
std::string Trim(const std::string& S);
std::string TrimLeft(const std::string& S);
std::string TrimRight(const std::string& S);
// ASCII letters only.
std::string UpperCase(const std::string& S);
std::string LowerCase(const std::string& S);
// Every letter Unicode knows a case of (Latin, Greek, Cyrillic, full width ...).
std::string AnsiUpperCase(const std::string& S);
std::string AnsiLowerCase(const std::string& S);
// The simple case mapping of one code point (unchanged when it has none).
uint32_t UnicodeToUpper(uint32_t CodePoint);
uint32_t UnicodeToLower(uint32_t CodePoint);

// --- comparison ----------------------------------------------------------
// <0, 0, >0 like strcmp; the Text forms ignore ASCII case, the Ansi forms
// ignore Unicode case.
int CompareStr(const std::string& A, const std::string& B);
int CompareText(const std::string& A, const std::string& B);
int AnsiCompareText(const std::string& A, const std::string& B);
bool SameText(const std::string& A, const std::string& B);
bool AnsiSameText(const std::string& A, const std::string& B);

// --- positions, 1-based ---------------------------------------------------
// Position of Sub in S counted in bytes from 1; 0 when absent or Sub is empty.
int Pos(const std::string& Sub, const std::string& S, int Offset = 1);
// Count bytes from Index (1-based); out-of-range parts are clipped.
std::string Copy(const std::string& S, int Index, int Count);
void Delete(std::string& S, int Index, int Count);
void Insert(const std::string& Sub, std::string& S, int Index);
// The same counted in UTF-8 characters; a malformed byte counts as one character.
int Utf8Length(const std::string& S);
int Utf8Pos(const std::string& Sub, const std::string& S);
std::string Utf8Copy(const std::string& S, int Index, int Count);
bool IsValidUtf8(const std::string& S);

std::string StringOfChar(char C, int Count);
std::string StringReplaceAll(const std::string& S, const std::string& From,
                             const std::string& To, bool IgnoreCase = false);
std::string QuotedStr(const std::string& S);

// --- numbers ---------------------------------------------------------------
std::string IntToStr(int64_t Value);
std::string IntToHex(int64_t Value, int Digits);
// Decimal, or hexadecimal with a leading "$" or "0x"; surrounding blanks are
// allowed. Raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& S);
int64_t StrToInt64(const std::string& S);
int StrToIntDef(const std::string& S, int Default);
int64_t StrToInt64Def(const std::string& S, int64_t Default);
bool TryStrToInt(const std::string& S, int& Value);
bool TryStrToInt64(const std::string& S, int64_t& Value);

// Reads with the decimal separator of the settings, exponent allowed;
// surrounding blanks are allowed, thousands separators are not.
// Raises EConvertError "'%s' is not a valid floating point value".
double StrToFloat(const std::string& S);
double StrToFloat(const std::string& S, const TFormatSettings& Settings);
double StrToFloatDef(const std::string& S, double Default);
bool TryStrToFloat(const std::string& S, double& Value);
bool TryStrToFloat(const std::string& S, double& Value, const TFormatSettings& Settings);
// General format with 15 significant digits, as the classic FloatToStr:
// 0.1 -> "0.1", 1e20 -> "1E20", 1.5e-7 -> "1.5E-7"; INF, -INF, NAN.
std::string FloatToStr(double Value);
std::string FloatToStr(double Value, const TFormatSettings& Settings);

// The classic float formats. The value is first taken to 15 significant
// digits (so 2.675 is 2.675, not 2.67499...), then rounded half away from zero.
//   ffGeneral  shortest of fixed / scientific, Precision significant digits,
//              Digits = minimum exponent digits ("1E20", "1.5E-7")
//   ffExponent "-d.ddd...E+dddd", Precision significant digits, Digits = minimum
//              exponent digits (0..4)
//   ffFixed    "-ddd.ddd", Digits decimals; scientific when the integer part
//              has more than Precision digits
//   ffNumber   as ffFixed with thousands separators
//   ffCurrency as ffNumber with CurrencyString in front
enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                        const TFormatSettings& Settings);
// Picture formats: "0", "#", ".", ",", "E+", "E-", literals in quotes, ";"
// sections (positive;negative;zero). An empty picture is the general format.
std::string FormatFloat(const std::string& Picture, double Value);
std::string FormatFloat(const std::string& Picture, double Value,
                        const TFormatSettings& Settings);

// "True"/"False" (any case) or a number (non-zero is true); else
// EConvertError "'%s' is not a valid boolean value".
bool StrToBool(const std::string& S);
bool StrToBoolDef(const std::string& S, bool Default);
bool TryStrToBool(const std::string& S, bool& Value);
std::string BoolToStr(bool Value, bool UseBoolStrs = true);  // "True"/"False" or "-1"/"0"
