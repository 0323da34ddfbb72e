#pragma once

#include <string>

#include "platform/core/Variant.h"
#include "platform/os/SystemInfo.h"  // GetTempDirectory, shared by every caller of this unit

// Shared helpers of the job forms: separated-field texts, date layouts and
// 'yyyymmdd' arithmetic, variant helpers, code-page conversion of variant
// data, dialog button captions and the alert log. No state of their own.

// Field order of a date text; layouts 4 and 5 count years from 1911.
enum TDateType : int {
  dt_NoneCare = 0,
  dt_YYYYMMDD = 1,
  dt_MMDDYYYY = 2,
  dt_DDMMYYYY = 3,
  dt_YYMMDD = 4,
  dt_YYYMMDD = 5
};

// --- separated fields ------------------------------------------------------
// The Index-th field (from 1) of Text split at Sep; '' when there are fewer
// fields or Index < 1. A text ending in Sep has an empty last field.
std::string GetSepField(const std::string& Text, const std::string& Sep, int Index);
// Occurrences of Sep plus one, overlapping occurrences of a repeated
// separator included (";;;" holds two of ";;"); 0 for an empty text.
int CountSepFields(const std::string& Text, const std::string& Sep);
// The text before the first Sep; Text loses it and the Sep. Without a Sep the
// whole text is returned and Text becomes ''.
std::string CutSepField(std::string& Text, const std::string& Sep);
// Every OldPart replaced by NewPart, searching again from where a new
// occurrence can begin, so "ab" by "a" in "abb" gives "a". Parts equal
// ignoring case replace nothing. A NewPart holding OldPart is replaced once
// per occurrence, and a chain of replacements that keeps feeding itself stops
// at a bound and replaces every original occurrence once instead.
std::string ReplaceAllStr(const std::string& Text, const std::string& OldPart,
                          const std::string& NewPart, bool TrimResult);
// Text with FillChar appended up to Width, counted as the double-byte code
// page counts (2 for a non-ASCII character); a longer text is unchanged.
std::string PadRightStr(const std::string& Text, int Width, char FillChar = ' ');
// Head #3 Items[0] #3, then Items[1..n] each followed by #3, where Items[0]
// holds n.
std::string PackEtxList(const std::string& Head, const Variant& Items);

// --- dates -----------------------------------------------------------------
// Date written in Layout with the first character of SepText between the
// fields; '' for date 0 or a layout outside 1..5.
std::string FormatDateLayout(TDateType Layout, const std::string& SepText, TDateTime Date);
// The same with year and month only.
std::string FormatMonthLayout(TDateType Layout, const std::string& SepText, TDateTime Date);
// Three fields split at Sep read in Layout; a day beyond the month's end
// carries into the next month. 0 when the text cannot be read.
TDateTime ParseDateLayout(const std::string& Text, TDateType Layout, const std::string& Sep);
// An eight-character 'yyyymmdd' text as a date; 0 when it is not a real date.
TDateTime YmdToDate(const std::string& Text);
// '' is valid; otherwise the first eight characters must be a real date and
// the whole text must sort between "17530101" and "99991231".
bool IsValidYmd(const std::string& Text);
// Value ('yyyymmdd' text or a date) moved by Count units of "D", "M" or "Y"
// (any case), as 'yyyymmdd'. Moving by months or years keeps the day of the
// month, or falls back to the month's last day. '' for no date, another unit
// or a result outside the calendar.
std::string ShiftYmd(const Variant& Value, const std::string& Unit, int Count);
// 28..31; 0 for a month outside 1..12.
int DaysOfMonth(int Year, int Month);

// --- variants and numbers ----------------------------------------------------
Variant VarIfThen(bool Cond, const Variant& A, const Variant& B);
// Empty or null.
bool VarIsBlank(const Variant& V);
// The number Text holds ('.' as the decimal point, leading blanks allowed),
// or Default when Text is not entirely a number.
double StrToFloatDefault(const std::string& Text, double Default);

// --- code pages ----------------------------------------------------------------
// Process text (UTF-8) as the bytes of CodePage; an unknown code page leaves
// the text as it is.
std::string WideToCodePage(const std::string& W, int CodePage);
// Bytes of CodePage as process text; an unknown code page leaves them as they are.
std::string CodePageToWide(const std::string& S, int CodePage);
// V with every string (in a one-dimensional array at any depth, in a
// two-dimensional array at its first level, or V itself) converted and
// stored as an ANSI / wide string. A failure is written to the "libstrs"
// alert log and V comes back unchanged.
Variant VarWideToCodePage(const Variant& V, int CodePage);
Variant VarCodePageToWide(const Variant& V, int CodePage);

// --- environment ---------------------------------------------------------------
// Exactly "127.0.0.1".
bool IsLocalHostAddress(const std::string& Text);
// The Chinese caption of a message-dialog button name ("Yes", "OK" ...);
// other names come back unchanged.
std::string LocalButtonCaption(const std::string& Name);

// --- installation and alert logs -----------------------------------------------
// The suite's installation key under HKEY_LOCAL_MACHINE.
inline constexpr char TandrelRegistryKey[] = "Software\\ORV\\Tandrel";
// Its "ClientPath", else its "ServerPath"; '' when neither is set or the key
// cannot be opened. Raises when a value cannot be read as text.
std::string RegisteredTandrelFolder();
// The client folder from the registry, else the server folder, else the
// host program's folder.
std::string GetTandrelHome();
// Appends "[yyyy/mm/dd hh:nn:ss:zzz] Text" to Log/Alert_<Name>_<date>.log
// under GetTandrelHome; the date is yyyymmdd, or yyyymm for Period "M", yyyy
// for "Y". A Name holding a "." gets no ".log". False when the line could not
// be written; never raises.
bool WriteAlertLog(const std::string& Name, const std::string& Text, const std::string& Period);
// The same under another base folder.
bool WriteAlertLogUnder(const std::string& BaseFolder, const std::string& Name,
                        const std::string& Text, const std::string& Period);
// Appends Line and CR LF to FileName in the Log folder under BaseFolder,
// creating the folder with its parents and the file when missing. A file
// name holding a path delimiter is refused. False on any failure; never raises.
bool AppendLogLine(const std::string& BaseFolder, const std::string& FileName,
                   const std::string& Line);
