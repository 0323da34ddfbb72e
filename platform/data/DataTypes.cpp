#include "platform/data/DataTypes.h"

#include "platform/core/DateUtils.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/rtti/Publish.h"

TANDREL_ENUM_NAMES(TFieldType, "ftUnknown", "ftString", "ftMemo", "ftInteger", "ftLargeint", "ftFloat",
                   "ftDateTime", "ftBoolean")

namespace {

const char* const TypeNames[] = {"Unknown", "String", "Memo", "Integer", "Largeint", "Float", "DateTime", "Boolean"};

// Reads Count digits at Text[Pos]; false when they are not all digits.
bool ReadDigits(const std::string& Text, size_t& Pos, int Count, int& Value) {
  if (Pos + Count > Text.size()) return false;
  Value = 0;
  for (int I = 0; I < Count; ++I) {
    const char C = Text[Pos + I];
    if (C < '0' || C > '9') return false;
    Value = Value * 10 + (C - '0');
  }
  Pos += Count;
  return true;
}

bool Expect(const std::string& Text, size_t& Pos, char C) {
  if (Pos >= Text.size() || Text[Pos] != C) return false;
  ++Pos;
  return true;
}

// Fractions of a second, as milliseconds rounded down.
int ReadMilliseconds(const std::string& Text, size_t& Pos) {
  int MSec = 0;
  int Digits = 0;
  while (Pos < Text.size() && Text[Pos] >= '0' && Text[Pos] <= '9') {
    if (Digits < 3) MSec = MSec * 10 + (Text[Pos] - '0');
    ++Digits;
    ++Pos;
  }
  for (; Digits < 3; ++Digits) MSec *= 10;
  return MSec;
}

bool IsZoneSuffix(const std::string& Rest) {
  if (Rest.empty() || Rest == "Z") return true;
  if (Rest[0] != '+' && Rest[0] != '-') return false;
  for (size_t I = 1; I < Rest.size(); ++I)
    if (!((Rest[I] >= '0' && Rest[I] <= '9') || Rest[I] == ':')) return false;
  return Rest.size() > 1;
}

}  // namespace

std::string FieldTypeName(TFieldType Type) { return TypeNames[static_cast<int>(Type)]; }

TFieldType FieldTypeFromName(const std::string& Name) {
  for (int I = 0; I <= static_cast<int>(ftBoolean); ++I)
    if (SameText(Name, TypeNames[I])) return static_cast<TFieldType>(I);
  throw EDatabaseError("Unknown field type '" + Name + "'");
}

std::string DateTimeToIsoText(TDateTime Value) {
  TFormatSettings Iso;
  Iso.DateSeparator = '-';
  Iso.TimeSeparator = ':';
  return FormatDateTime("yyyy/mm/dd hh:nn:ss.zzz", Value, Iso);
}

bool TryIsoTextToDateTime(const std::string& Text, TDateTime& Value) {
  size_t Pos = 0;
  int Year, Month, Day, Hour = 0, Min = 0, Sec = 0, MSec = 0;
  if (!ReadDigits(Text, Pos, 4, Year) || !Expect(Text, Pos, '-') || !ReadDigits(Text, Pos, 2, Month) ||
      !Expect(Text, Pos, '-') || !ReadDigits(Text, Pos, 2, Day))
    return false;
  if (Pos < Text.size() && (Text[Pos] == ' ' || Text[Pos] == 'T')) {
    ++Pos;
    if (!ReadDigits(Text, Pos, 2, Hour) || !Expect(Text, Pos, ':') || !ReadDigits(Text, Pos, 2, Min)) return false;
    if (Expect(Text, Pos, ':')) {
      if (!ReadDigits(Text, Pos, 2, Sec)) return false;
      if (Expect(Text, Pos, '.')) MSec = ReadMilliseconds(Text, Pos);
    }
  }
  if (!IsZoneSuffix(Text.substr(Pos))) return false;
  TDateTime D, T;
  if (!TryEncodeDate(Year, Month, Day, D) || !TryEncodeTime(Hour, Min, Sec, MSec, T)) return false;
  Value = ComposeDateTime(D, T);
  return true;
}

TDateTime TextToDateTime(const std::string& Text) {
  TDateTime Value;
  if (TryIsoTextToDateTime(Trim(Text), Value)) return Value;
  return StrToDateTime(Text);
}

Variant FieldValueOf(TFieldType Type, const Variant& Value) {
  if (VarIsNull(Value) || VarIsEmpty(Value)) return Null();
  // A blank text clears any field that is not text.
  if (Type != ftString && Type != ftMemo && VarIsStr(Value) && Trim(*Value.StrPtr()).empty()) return Null();
  switch (Type) {
    case ftString:
    case ftMemo:
      return VarToStr(Value);
    case ftInteger:
      return VarIsStr(Value) ? Variant(StrToInt(*Value.StrPtr())) : Variant(VarToInteger(Value));
    case ftLargeint:
      return VarIsStr(Value) ? Variant(static_cast<long long>(StrToInt64(*Value.StrPtr())))
                             : Variant(static_cast<long long>(VarToInt64(Value)));
    case ftFloat:
      return VarIsStr(Value) ? StrToFloat(*Value.StrPtr()) : VarToDouble(Value);
    case ftDateTime:
      return VarFromDateTime(VarIsStr(Value) ? TextToDateTime(*Value.StrPtr()) : VarToDateTime(Value));
    case ftBoolean:
      return VarIsStr(Value) ? StrToBool(*Value.StrPtr()) : VarToBoolean(Value);
    case ftUnknown:
      break;
  }
  return Value;
}
