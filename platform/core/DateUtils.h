#pragma once

#include <string>

#include "platform/core/SysUtils.h"

// Days since 30 December 1899; the fraction is the time of day. Before the
// epoch the integer part counts days backwards and the fraction still adds
// forward time, as the classic type does.
using TDateTime = double;

constexpr TDateTime DateDelta = 693594;  // days from 1 January 0001 to the epoch

bool IsLeapYear(int Year);
int DaysInAMonth(int Year, int Month);

// Raises EConvertError "Invalid argument to date encode" / "... time encode".
TDateTime EncodeDate(int Year, int Month, int Day);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec);
TDateTime IncMonth(TDateTime Date, int Months = 1);
// Joins a date and a time of day the way the classic type counts: before the
// epoch the time is subtracted (EncodeDate(1899, 12, 29) with 06:00 is -1.25).
// Use it instead of Date + Time wherever the date may precede the epoch.
TDateTime ComposeDateTime(TDateTime Date, TDateTime Time);
TDateTime DateOf(TDateTime DateTime);  // the date part (time 00:00)
TDateTime TimeOf(TDateTime DateTime);  // the time of day, 0 <= t < 1

TDateTime Date();
TDateTime Time();
TDateTime Now();
int DayOfWeek(TDateTime Date);  // 1 = Sunday .. 7 = Saturday
int CurrentYear();

// Directives: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz
// am/pm ampm c t tt ddddd, "/" and ":" standing for the separators of the
// settings, quoted literals. Case-insensitive as in the classic formatter.
std::string FormatDateTime(const std::string& Format, TDateTime DateTime);
std::string FormatDateTime(const std::string& Format, TDateTime DateTime,
                           const TFormatSettings& Settings);
std::string DateToStr(TDateTime Date);
std::string TimeToStr(TDateTime Time);
std::string DateTimeToStr(TDateTime DateTime);

// Read by the order of fields in the short date format (y, m, d) and the date
// separator; a two-digit year takes the century window. Raises EConvertError
// "'%s' is not a valid date" / "... date and time" / "... time".
TDateTime StrToDate(const std::string& S);
TDateTime StrToDateTime(const std::string& S);
TDateTime StrToTime(const std::string& S);
bool TryStrToDate(const std::string& S, TDateTime& Value);
bool TryStrToDateTime(const std::string& S, TDateTime& Value);
bool TryStrToTime(const std::string& S, TDateTime& Value);
TDateTime StrToDateDef(const std::string& S, TDateTime Default);
bool TryStrToDate(const std::string& S, TDateTime& Value, const TFormatSettings& Settings);
bool TryStrToDateTime(const std::string& S, TDateTime& Value, const TFormatSettings& Settings);
bool TryStrToTime(const std::string& S, TDateTime& Value, const TFormatSettings& Settings);

// The date separator of the user's locale, "/" when it has none: read from
// nl_langinfo(D_FMT) of the locale the environment names (LC_ALL, LC_TIME,
// LANG), without changing the process locale.
char LocaleDateSeparator();
// The separator in a strftime date format ("%d.%m.%Y" -> '.'); "/" when it
// has no ASCII punctuation between its fields.
char DateSeparatorOfLocaleFormat(const std::string& DateFormat);
