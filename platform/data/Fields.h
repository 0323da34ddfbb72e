#pragma once

#include <cstdint>
#include <string>

#include "platform/components/Component.h"
#include "platform/core/Variant.h"
#include "platform/data/DataTypes.h"
#include "platform/rtti/Events.h"

// A field: one column of a data set, read and written on the data set's
// current record. Values are kept converted to the field's type, so a bad
// text raises before anything changes.

class TDataSet;
class TField;

// Text is the text to show (empty on entry); DisplayText is true for display,
// false for editing.
using TFieldGetTextEvent = TEvent<"TFieldGetTextEvent", TField*, std::string&, bool>;
// The handler stores the text itself (SetAsString or another setter).
using TFieldSetTextEvent = TEvent<"TFieldSetTextEvent", TField*, const std::string&>;

class TField : public TComponent {
  TANDREL_CLASS(TField, TComponent)

  explicit TField(TComponent* AOwner);

  TDataSet* DataSet() const { return DataSet_; }
  const std::string& FieldName() const { return FieldName_; }
  void SetFieldName(const std::string& Value) { FieldName_ = Value; }
  // The caption controls and grids show: the field name unless set.
  std::string DisplayLabel() const { return DisplayLabel_.empty() ? FieldName_ : DisplayLabel_; }
  void SetDisplayLabel(const std::string& Value) { DisplayLabel_ = Value; }
  std::string DisplayName() const { return DisplayLabel(); }
  TFieldType DataType() const { return DataType_; }
  // The declared length of a string field, 0 when unknown.
  int Size() const { return Size_; }
  // The place among the data set's fields, from 0.
  int Index() const { return Index_; }
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool Value) { ReadOnly_ = Value; }

  // Reading gives the current record's value (the edited one while the data
  // set is in edit or insert mode); Null for an empty data set. Writing needs
  // edit or insert mode (EDatabaseError otherwise) and converts the value to
  // the field's type (EConvertError when it does not convert).
  Variant Value() const;
  void SetValue(const Variant& Value);
  bool IsNull() const;
  void Clear() { SetValue(Null()); }

  // The classic conversions: Null reads as "", 0, 0.0, date 0 and False; a
  // text field reads numbers, dates and Booleans from its text.
  std::string AsString() const;
  void SetAsString(const std::string& Value) { SetValue(Value); }
  int AsInteger() const;
  void SetAsInteger(int Value) { SetValue(Value); }
  int64_t AsLargeInt() const;
  void SetAsLargeInt(int64_t Value) { SetValue(static_cast<long long>(Value)); }
  double AsFloat() const;
  void SetAsFloat(double Value) { SetValue(Value); }
  TDateTime AsDateTime() const;
  void SetAsDateTime(TDateTime Value) { SetValue(VarFromDateTime(Value)); }
  bool AsBoolean() const;
  void SetAsBoolean(bool Value) { SetValue(Value); }
  Variant AsVariant() const { return Value(); }
  void SetAsVariant(const Variant& Value) { SetValue(Value); }

  // Through OnGetText / OnSetText when assigned, else AsString / SetAsString.
  std::string Text() const;
  void SetText(const std::string& Value);
  std::string DisplayText() const;

  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;

 private:
  friend class TDataSet;
  void Bind(TDataSet* Owner, int Index, const TFieldDefinition& Definition);
  std::string TextFor(bool Display) const;

  TDataSet* DataSet_ = nullptr;
  std::string FieldName_;
  std::string DisplayLabel_;
  TFieldType DataType_ = ftUnknown;
  int Size_ = 0;
  int Index_ = -1;
  bool ReadOnly_ = false;
};
