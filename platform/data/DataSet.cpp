#include "platform/data/DataSet.h"

#include <algorithm>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/data/DataSource.h"
#include "platform/data/Fields.h"
#include "platform/rtti/Publish.h"

TANDREL_ENUM_NAMES(TDataSetState, "dsInactive", "dsBrowse", "dsEdit", "dsInsert")

TANDREL_PUBLISH(TDataSet) { Info.Property("Active", &TDataSet::Active, &TDataSet::SetActive); }

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet() {
  // Subclasses are gone by now: drop everything without calling them.
  DestroyFields();
  Records_.clear();
  State_ = dsInactive;
  for (TDataSource* Source : std::vector<TDataSource*>(DataSources_)) Source->SetDataSet(nullptr);
}

void TDataSet::DatabaseError(const std::string& Message) const {
  throw EDatabaseError(Name().empty() ? Message : Name() + ": " + Message);
}

void TDataSet::CheckActive() const {
  if (!Active()) DatabaseError("Cannot perform this operation on a closed dataset");
}

// --- opening and closing -----------------------------------------------------

void TDataSet::SetActive(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    StreamedActive_ = Value;
    return;
  }
  if (Value == Active()) return;
  if (Value)
    OpenNow();
  else
    CloseNow();
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (StreamedActive_) SetActive(true);
}

void TDataSet::OpenNow() {
  TDataSetContent Content;
  InternalOpen(Content);
  for (const TRecordValues& Record : Content.Records)
    if (Record.size() != Content.Fields.size()) DatabaseError("A record does not match the fields");
  CreateFields(Content.Fields);
  Records_ = std::move(Content.Records);
  Current_ = 0;
  Bof_ = true;
  Eof_ = Records_.empty();
  State_ = dsBrowse;
  try {
    RecordsChanged();
  } catch (...) {
    CloseNow();
    throw;
  }
  Current_ = 0;
  DataEvent(deUpdateState);
}

void TDataSet::CloseNow() {
  InternalClose();
  State_ = dsInactive;
  DataEvent(deUpdateState);
  DestroyFields();
  Records_.clear();
  EditBuffer_.clear();
  Current_ = 0;
  Bof_ = Eof_ = true;
}

void TDataSet::CreateFields(const std::vector<TFieldDefinition>& Definitions) {
  DestroyFields();
  for (const TFieldDefinition& Definition : Definitions) {
    auto* Field = new TField(this);
    Field->Bind(this, static_cast<int>(Fields_.size()), Definition);
    Fields_.push_back(Field);
  }
}

void TDataSet::DestroyFields() {
  for (TField* Field : Fields_) delete Field;
  Fields_.clear();
}

// --- fields --------------------------------------------------------------------

TField* TDataSet::Fields(int Index) const {
  if (Index < 0 || Index >= FieldCount()) DatabaseError("Field index out of range (" + IntToStr(Index) + ")");
  return Fields_[static_cast<size_t>(Index)];
}

TField* TDataSet::FindField(const std::string& FieldName) const {
  for (TField* Field : Fields_)
    if (SameText(Field->FieldName(), FieldName)) return Field;
  return nullptr;
}

TField* TDataSet::FieldByName(const std::string& FieldName) const {
  TField* Field = FindField(FieldName);
  if (Field == nullptr) DatabaseError("Field '" + FieldName + "' not found");
  return Field;
}

const Variant& TDataSet::FieldValue(int Index) const {
  static const Variant NoValue = Null();
  if (State_ == dsEdit || State_ == dsInsert) return EditBuffer_[static_cast<size_t>(Index)];
  if (Records_.empty()) return NoValue;
  return Records_[static_cast<size_t>(Current_)][static_cast<size_t>(Index)];
}

void TDataSet::SetFieldValue(TField* Field, const Variant& Value) {
  if (State_ != dsEdit && State_ != dsInsert) DatabaseError("Dataset not in edit or insert mode");
  EditBuffer_[static_cast<size_t>(Field->Index())] = Value;
  DataEvent(deFieldChange, Field);
}

// --- moving ----------------------------------------------------------------------

void TDataSet::MoveTo(int Index) {
  Current_ = std::clamp(Index, 0, std::max(0, static_cast<int>(Records_.size()) - 1));
  DataEvent(deDataSetScroll);
}

void TDataSet::First() {
  CheckBrowseMode();
  Bof_ = true;
  Eof_ = Records_.empty();
  MoveTo(0);
}

void TDataSet::Last() {
  CheckBrowseMode();
  Eof_ = true;
  Bof_ = Records_.empty();
  MoveTo(static_cast<int>(Records_.size()) - 1);
}

void TDataSet::Next() {
  CheckBrowseMode();
  if (Current_ + 1 < static_cast<int>(Records_.size())) {
    Bof_ = false;
    MoveTo(Current_ + 1);
  } else {
    Eof_ = true;
  }
}

void TDataSet::Prior() {
  CheckBrowseMode();
  if (Current_ > 0) {
    Eof_ = false;
    MoveTo(Current_ - 1);
  } else {
    Bof_ = true;
  }
}

int TDataSet::RecordCount() const {
  CheckActive();
  return static_cast<int>(Records_.size());
}

int TDataSet::RecNo() const { return Active() && !Records_.empty() ? Current_ + 1 : 0; }

// --- editing -----------------------------------------------------------------------

void TDataSet::SetState(TDataSetState Value) {
  if (State_ == Value) return;
  State_ = Value;
  DataEvent(deUpdateState);
}

void TDataSet::Edit() {
  if (State_ == dsEdit || State_ == dsInsert) return;
  CheckActive();
  if (!CanModify()) DatabaseError("Cannot modify a read-only dataset");
  if (Records_.empty()) {
    Append();
    return;
  }
  EditBuffer_ = Records_[static_cast<size_t>(Current_)];
  SetState(dsEdit);
}

void TDataSet::Append() {
  CheckBrowseMode();
  CheckActive();
  if (!CanModify()) DatabaseError("Cannot modify a read-only dataset");
  EditBuffer_.assign(Fields_.size(), Null());
  SetState(dsInsert);
}

void TDataSet::CheckRecord(const TRecordValues&, int) {}

void TDataSet::Post() {
  if (State_ != dsEdit && State_ != dsInsert) DatabaseError("Dataset not in edit or insert mode");
  DataEvent(deUpdateRecord);
  const bool Inserting = State_ == dsInsert;
  CheckRecord(EditBuffer_, Inserting ? -1 : Current_);
  if (Inserting) {
    Records_.push_back(std::move(EditBuffer_));
    Current_ = static_cast<int>(Records_.size()) - 1;
  } else {
    Records_[static_cast<size_t>(Current_)] = std::move(EditBuffer_);
  }
  EditBuffer_.clear();
  Bof_ = Eof_ = false;
  State_ = dsBrowse;
  RecordsChanged();
  DataEvent(deUpdateState);
  DataEvent(deDataSetChange);
}

void TDataSet::Cancel() {
  if (State_ != dsEdit && State_ != dsInsert) return;
  EditBuffer_.clear();
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
}

void TDataSet::Delete() {
  CheckActive();
  if (State_ == dsInsert) {
    Cancel();
    return;
  }
  if (Records_.empty()) DatabaseError("Cannot perform this operation on an empty dataset");
  if (!CanModify()) DatabaseError("Cannot modify a read-only dataset");
  EditBuffer_.clear();
  State_ = dsBrowse;
  Records_.erase(Records_.begin() + Current_);
  Eof_ = Records_.empty();
  Current_ = std::min(Current_, std::max(0, static_cast<int>(Records_.size()) - 1));
  DataEvent(deUpdateState);
  DataEvent(deDataSetChange);
}

void TDataSet::CheckBrowseMode() {
  if (State_ == dsEdit || State_ == dsInsert) Post();
}

void TDataSet::ReorderRecords(const TRecordLess& IsLess) {
  std::vector<size_t> Order(Records_.size());
  for (size_t I = 0; I < Order.size(); ++I) Order[I] = I;
  std::stable_sort(Order.begin(), Order.end(), [&](size_t A, size_t B) { return IsLess(Records_[A], Records_[B]); });
  std::vector<TRecordValues> Sorted;
  Sorted.reserve(Records_.size());
  int NewCurrent = 0;
  for (size_t I = 0; I < Order.size(); ++I) {
    if (static_cast<int>(Order[I]) == Current_) NewCurrent = static_cast<int>(I);
    Sorted.push_back(std::move(Records_[Order[I]]));
  }
  Records_ = std::move(Sorted);
  Current_ = NewCurrent;
}

// --- data sources ------------------------------------------------------------------

void TDataSet::DisableControls() { ++DisableCount_; }

void TDataSet::EnableControls() {
  if (DisableCount_ == 0 || --DisableCount_ > 0) return;
  if (!ChangedWhileDisabled_) return;
  ChangedWhileDisabled_ = false;
  DataEvent(deUpdateState);
  DataEvent(deDataSetChange);
}

void TDataSet::DataEvent(TDataEvent Event, TField* Field) {
  if (ControlsDisabled()) {
    ChangedWhileDisabled_ = true;
    return;
  }
  for (TDataSource* Source : std::vector<TDataSource*>(DataSources_)) Source->DataEvent(Event, Field);
}

void TDataSet::AddDataSource(TDataSource* Source) { DataSources_.push_back(Source); }

void TDataSet::RemoveDataSource(TDataSource* Source) {
  DataSources_.erase(std::remove(DataSources_.begin(), DataSources_.end(), Source), DataSources_.end());
}
