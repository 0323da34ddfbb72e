#include "platform/data/DataSource.h"

#include <algorithm>

#include "platform/rtti/Publish.h"

TANDREL_PUBLISH(TDataSource) {
  Info.Property("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
  Info.Property("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled);
  Info.Property("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit);
  Info.Property("OnDataChange", &TDataSource::OnDataChange);
  Info.Property("OnStateChange", &TDataSource::OnStateChange);
  Info.Property("OnUpdateData", &TDataSource::OnUpdateData);
}

TANDREL_PUBLISH(TDataLink) {}

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  // No events from a source being destroyed; its links still hear that it left.
  if (DataSet_ != nullptr) {
    DataSet_->RemoveDataSource(this);
    DataSet_->RemoveFreeNotification(this);
    DataSet_ = nullptr;
  }
  LastState_ = dsInactive;
  for (TDataLink* Link : std::vector<TDataLink*>(Links_)) Link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* Value) {
  if (Value == DataSet_) return;
  if (DataSet_ != nullptr) {
    DataSet_->RemoveDataSource(this);
    DataSet_->RemoveFreeNotification(this);
  }
  DataSet_ = Value;
  if (DataSet_ != nullptr) {
    DataSet_->AddDataSource(this);
    DataSet_->FreeNotification(this);
  }
  DataEvent(deUpdateState, nullptr);
  DataEvent(deDataSetChange, nullptr);
}

void TDataSource::SetEnabled(bool Value) {
  if (Value == Enabled_) return;
  Enabled_ = Value;
  DataEvent(deUpdateState, nullptr);
  DataEvent(deDataSetChange, nullptr);
}

TDataSetState TDataSource::State() const {
  return Enabled_ && DataSet_ != nullptr ? DataSet_->State() : dsInactive;
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == DataSet_) SetDataSet(nullptr);
}

void TDataSource::DataEvent(TDataEvent Event, TField* Field) {
  if (Event == deUpdateState) {
    if (State() == LastState_) return;
    LastState_ = State();
    NotifyLinks(Event, Field);
    OnStateChange(this);
    return;
  }
  if (!Enabled_) return;
  NotifyLinks(Event, Field);
  if (Event == deUpdateRecord) OnUpdateData(this);
  if (Event == deFieldChange || Event == deRecordChange || Event == deDataSetChange || Event == deDataSetScroll)
    OnDataChange(this, Event == deFieldChange || Event == deRecordChange ? Field : nullptr);
}

void TDataSource::NotifyLinks(TDataEvent Event, TField* Field) {
  for (TDataLink* Link : std::vector<TDataLink*>(Links_)) Link->DataEvent(Event, Field);
}

// --- links ------------------------------------------------------------------------

TDataLink::~TDataLink() { Detach(); }

void TDataLink::Detach() {
  if (DataSource_ != nullptr)
    DataSource_->Links_.erase(std::remove(DataSource_->Links_.begin(), DataSource_->Links_.end(), this),
                              DataSource_->Links_.end());
  DataSource_ = nullptr;
}

void TDataLink::SetDataSource(TDataSource* Value) {
  if (Value == DataSource_) return;
  Detach();
  DataSource_ = Value;
  if (DataSource_ != nullptr) DataSource_->Links_.push_back(this);
  UpdateState();
  DataSetChanged();
}

TDataSet* TDataLink::DataSet() const {
  return DataSource_ != nullptr && DataSource_->Enabled() ? DataSource_->DataSet() : nullptr;
}

bool TDataLink::Edit() {
  TDataSet* Data = DataSet();
  if (!ReadOnly_ && Data != nullptr && DataSource_->AutoEdit() && Data->State() == dsBrowse && Data->CanModify())
    Data->Edit();
  return Editing_;
}

void TDataLink::UpdateRecord() {
  if (DataSource_ != nullptr) DataSource_->NotifyLinks(deUpdateRecord, nullptr);
}

void TDataLink::UpdateState() {
  const TDataSetState State = DataSource_ != nullptr ? DataSource_->State() : dsInactive;
  const bool NowActive = State != dsInactive;
  const bool NowEditing = State == dsEdit || State == dsInsert;
  if (NowActive != Active_) {
    Active_ = NowActive;
    ActiveChanged();
  }
  if (NowEditing != Editing_) {
    Editing_ = NowEditing;
    EditingChanged();
  }
}

void TDataLink::DataEvent(TDataEvent Event, TField* Field) {
  switch (Event) {
    case deUpdateState:
      UpdateState();
      break;
    case deFieldChange:
    case deRecordChange:
      RecordChanged(Field);
      break;
    case deDataSetChange:
      DataSetChanged();
      break;
    case deDataSetScroll:
      DataSetScrolled();
      break;
    case deUpdateRecord:
      UpdateData();
      break;
  }
}
