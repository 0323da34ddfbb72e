#pragma once

#include <vector>

#include "platform/components/Component.h"
#include "platform/data/DataSet.h"
#include "platform/rtti/Events.h"

// A data source joins a data set to the data-aware controls that show it;
// each control reaches it through a data link.

class TDataLink;

using TDataChangeEvent = TEvent<"TDataChangeEvent", TObject*, TField*>;

class TDataSource : public TComponent {
  TANDREL_CLASS(TDataSource, TComponent)

  explicit TDataSource(TComponent* AOwner);
  ~TDataSource() override;

  TDataSet* DataSet() const { return DataSet_; }
  void SetDataSet(TDataSet* Value);
  // A disabled source tells its links that the data set is inactive.
  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool Value);
  // Whether a control may put the data set in edit mode when the user types.
  bool AutoEdit() const { return AutoEdit_; }
  void SetAutoEdit(bool Value) { AutoEdit_ = Value; }
  // dsInactive without an enabled, active data set.
  TDataSetState State() const;

  // Sender is the source; Field is the changed field, nil for the record.
  TDataChangeEvent OnDataChange;
  TNotifyEvent OnStateChange;
  TNotifyEvent OnUpdateData;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TDataSet;
  friend class TDataLink;

  void DataEvent(TDataEvent Event, TField* Field);
  void NotifyLinks(TDataEvent Event, TField* Field);

  TDataSet* DataSet_ = nullptr;
  bool Enabled_ = true;
  bool AutoEdit_ = true;
  TDataSetState LastState_ = dsInactive;
  std::vector<TDataLink*> Links_;
};

// The link of one control (or any other reader) to a data source. A
// subclass overrides the notifications it cares about.
class TDataLink : public TPersistent {
  TANDREL_CLASS(TDataLink, TPersistent)

  TDataLink() = default;
  ~TDataLink() override;

  TDataSource* DataSource() const { return DataSource_; }
  void SetDataSource(TDataSource* Value);
  // The data set when the source is enabled, else nil.
  TDataSet* DataSet() const;
  // An enabled source with an open data set.
  bool Active() const { return Active_; }
  bool Editing() const { return Editing_; }
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool Value) { ReadOnly_ = Value; }
  // Puts the data set in edit mode when the source allows it; true when it
  // is in edit or insert mode afterwards.
  bool Edit();
  // Asks every link of the source to write what its control holds.
  void UpdateRecord();

 protected:
  virtual void ActiveChanged() {}
  virtual void EditingChanged() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled() { DataSetChanged(); }
  // Field is the changed field, nil for the whole record.
  virtual void RecordChanged(TField* Field) { (void)Field; }
  // The control writes its pending value into the field.
  virtual void UpdateData() {}

 private:
  friend class TDataSource;
  void Detach();
  void DataEvent(TDataEvent Event, TField* Field);
  void UpdateState();

  TDataSource* DataSource_ = nullptr;
  bool Active_ = false;
  bool Editing_ = false;
  bool ReadOnly_ = false;
};
