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

// Reads with the decimal separator of the settings, exponent allowed.
// Raises EConvertError "'%s' is not a valid floating point value".
double StrToFloat(const std::string& S);
double StrToFloatDef(const std::string& S, double Default);
bool TryStrToFloat(const std::string& S, double& Value);
// General format with 15 significant digits, as the classic FloatToStr.
std::string FloatToStr(double Value);

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
// Picture formats: "0", "#", ".", ",", "E+", literals in quotes, ";" sections.
std::string FormatFloat(const std::string& Picture, double Value);

bool StrToBool(const std::string& S);  // "True"/"False", digits; else EConvertError
std::string BoolToStr(bool Value, bool UseBoolStrs = true);  // "True"/"False" or "-1"/"0"
