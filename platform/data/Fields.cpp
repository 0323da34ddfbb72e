#include "platform/data/Fields.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/data/DataSet.h"
#include "platform/rtti/Publish.h"

TANDREL_PUBLISH(TField) {
  Info.Property("FieldName", &TField::FieldName, &TField::SetFieldName);
  Info.Property("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel);
  Info.Property("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly);
  Info.Property("OnGetText", &TField::OnGetText);
  Info.Property("OnSetText", &TField::OnSetText);
}

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

void TField::Bind(TDataSet* Owner, int Index, const TFieldDefinition& Definition) {
  DataSet_ = Owner;
  Index_ = Index;
  FieldName_ = Definition.Name;
  DataType_ = Definition.DataType;
  Size_ = Definition.Size;
}

Variant TField::Value() const {
  if (DataSet_ == nullptr) throw EDatabaseError("Field '" + FieldName_ + "' has no data set");
  return DataSet_->FieldValue(Index_);
}

void TField::SetValue(const Variant& Value) {
  if (DataSet_ == nullptr) throw EDatabaseError("Field '" + FieldName_ + "' has no data set");
  if (ReadOnly_) throw EDatabaseError("Field '" + DisplayLabel() + "' cannot be modified");
  DataSet_->SetFieldValue(this, FieldValueOf(DataType_, Value));
}

bool TField::IsNull() const { return VarIsNull(Value()); }

std::string TField::AsString() const { return VarToStr(Value()); }

// A text value converts by the classic text rules rather than the variant ones.
int TField::AsInteger() const {
  const Variant V = Value();
  if (VarIsNull(V)) return 0;
  return VarIsStr(V) ? StrToInt(*V.StrPtr()) : VarToInteger(V);
}

int64_t TField::AsLargeInt() const {
  const Variant V = Value();
  if (VarIsNull(V)) return 0;
  return VarIsStr(V) ? StrToInt64(*V.StrPtr()) : VarToInt64(V);
}

double TField::AsFloat() const {
  const Variant V = Value();
  if (VarIsNull(V)) return 0;
  return VarIsStr(V) ? StrToFloat(*V.StrPtr()) : VarToDouble(V);
}

TDateTime TField::AsDateTime() const {
  const Variant V = Value();
  if (VarIsNull(V)) return 0;
  return VarIsStr(V) ? TextToDateTime(*V.StrPtr()) : VarToDateTime(V);
}

bool TField::AsBoolean() const {
  const Variant V = Value();
  if (VarIsNull(V)) return false;
  return VarIsStr(V) ? StrToBool(*V.StrPtr()) : VarToBoolean(V);
}

std::string TField::TextFor(bool Display) const {
  if (!OnGetText.Assigned()) return AsString();
  std::string Text;
  OnGetText(const_cast<TField*>(this), Text, Display);
  return Text;
}

std::string TField::Text() const { return TextFor(false); }

std::string TField::DisplayText() const { return TextFor(true); }

void TField::SetText(const std::string& Value) {
  if (OnSetText.Assigned())
    OnSetText(this, Value);
  else
    SetAsString(Value);
}
