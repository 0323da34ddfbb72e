#include "platform/data/DBCtrls.h"

#include "platform/data/Fields.h"
#include "platform/rtti/Publish.h"
#include "platform/rtti/TypInfo.h"

TANDREL_PUBLISH(TFieldDataLink) {}

void TFieldDataLink::SetFieldName(const std::string& Value) {
  if (Value == FieldName_) return;
  FieldName_ = Value;
  Modified_ = false;
  OnActiveChange(Control_);
  OnDataChange(Control_);
}

TField* TFieldDataLink::Field() const {
  TDataSet* Data = DataSet();
  return Active() && Data != nullptr && !FieldName_.empty() ? Data->FindField(FieldName_) : nullptr;
}

bool TFieldDataLink::CanModify() const {
  const TField* F = Field();
  return !ReadOnly() && F != nullptr && !F->ReadOnly() && DataSet()->CanModify();
}

void TFieldDataLink::Reset() {
  Modified_ = false;
  OnDataChange(Control_);
}

void TFieldDataLink::ActiveChanged() {
  Modified_ = false;
  OnActiveChange(Control_);
  OnDataChange(Control_);
}

void TFieldDataLink::EditingChanged() { OnEditingChange(Control_); }

void TFieldDataLink::RecordChanged(TField* Changed) {
  if (Changed != nullptr && Changed != Field()) return;
  Modified_ = false;
  OnDataChange(Control_);
}

void TFieldDataLink::UpdateData() {
  if (!Modified_ || Field() == nullptr) return;
  OnUpdateData(Control_);
  Modified_ = false;
}

TField* FindDataControlField(const TObject* Control) {
  const TPropInfo* SourceProp = GetPropInfo(Control, "DataSource");
  const TPropInfo* FieldProp = GetPropInfo(Control, "DataField");
  if (SourceProp == nullptr || FieldProp == nullptr || SourceProp->Kind() != tkClass || FieldProp->Kind() != tkString)
    return nullptr;
  auto* Source = dynamic_cast<TDataSource*>(GetObjectProp(Control, *SourceProp));
  if (Source == nullptr || Source->DataSet() == nullptr) return nullptr;
  return Source->DataSet()->FindField(GetStrProp(Control, *FieldProp));
}
