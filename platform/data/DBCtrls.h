#pragma once

#include <string>

#include "platform/data/DataSource.h"
#include "platform/rtti/Events.h"

// What data-aware controls are built on: the link of one control to one
// field, named by the control's data source and data field.

class TComponent;
class TField;

class TFieldDataLink : public TDataLink {
  TANDREL_CLASS(TFieldDataLink, TDataLink)

  TFieldDataLink() = default;

  // The control the link serves (the Sender of its events).
  TComponent* Control() const { return Control_; }
  void SetControl(TComponent* Value) { Control_ = Value; }
  const std::string& FieldName() const { return FieldName_; }
  void SetFieldName(const std::string& Value);
  // The field of that name in the open data set; nil when inactive or
  // absent. Looked up anew each time, so reopening the data set is safe.
  TField* Field() const;
  // Whether the control may change the field now, or after Edit.
  bool CanModify() const;
  // The control marks its text as differing from the field; UpdateRecord
  // and Post then write it through OnUpdateData.
  void Modified() { Modified_ = true; }
  bool IsModified() const { return Modified_; }
  // Drops the control's change and shows the field again.
  void Reset();

  // The field's value changed or the cursor moved: show Field()->Text().
  TNotifyEvent OnDataChange;
  // The data set entered or left edit mode.
  TNotifyEvent OnEditingChange;
  // The data set opened or closed, or the source changed.
  TNotifyEvent OnActiveChange;
  // Write the control's text into the field (Field()->SetText).
  TNotifyEvent OnUpdateData;

 protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

 private:
  TComponent* Control_ = nullptr;
  std::string FieldName_;
  bool Modified_ = false;
};

// The field a data-aware control shows, found through its published
// "DataSource" (a data source with a data set) and "DataField" properties;
// nil when any of them is missing or the data set has no such field.
TField* FindDataControlField(const TObject* Control);
