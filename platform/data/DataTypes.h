#pragma once

#include <string>

#include "platform/core/Object.h"
#include "platform/core/Variant.h"

// The kinds of data a field holds, and the conversions every part of the
// data layer shares (engines, fields, data packets).

enum TFieldType { ftUnknown, ftString, ftMemo, ftInteger, ftLargeint, ftFloat, ftDateTime, ftBoolean };
TANDREL_ENUM(TFieldType);

// "String", "Memo", "Integer", "Largeint", "Float", "DateTime", "Boolean"
// ("Unknown" for ftUnknown); FieldTypeFromName ignores case and raises
// EDatabaseError for any other name.
std::string FieldTypeName(TFieldType Type);
TFieldType FieldTypeFromName(const std::string& Name);

// A column as an engine or a data packet describes it. Size is the declared
// length of a string column (0 when unknown).
struct TFieldDefinition {
  std::string Name;
  TFieldType DataType = ftString;
  int Size = 0;
};

// Value converted to what a field of Type stores: Null stays Null (so do
// empty and, for fields that are not text, a blank text); text is read by the classic rules (EConvertError for text that is
// no number, date or Boolean); dates also read the ISO layout of the
// engines.
Variant FieldValueOf(TFieldType Type, const Variant& Value);

// "2026-12-11 14:05:09.042", the layout engines read and write.
std::string DateTimeToIsoText(TDateTime Value);
// Reads "YYYY-MM-DD", optionally followed by " " or "T" and "HH:MM",
// ":SS", fractions of a second and a zone suffix (ignored: the engines report
// local time).
bool TryIsoTextToDateTime(const std::string& Text, TDateTime& Value);
// ISO first, then the short date format of the settings; EConvertError
// "'%s' is not a valid date and time" otherwise.
TDateTime TextToDateTime(const std::string& Text);
