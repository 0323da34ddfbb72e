#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/components/Component.h"
#include "platform/core/Variant.h"
#include "platform/data/DataTypes.h"

// Data sets: records in memory, a cursor over them and the fields of the
// current record. A subclass delivers the columns and records when the data
// set opens (a query from its engine, a client data set from its provider);
// edits are kept locally unless a subclass sends them on. Errors name the
// data set: "Query2: Field 'MD008' not found".

class TDataSource;
class TField;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
TANDREL_ENUM(TDataSetState);

// What data sources pass on to their data links.
enum TDataEvent { deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deUpdateRecord, deUpdateState };

using TRecordValues = std::vector<Variant>;

// What a subclass delivers when the data set opens.
struct TDataSetContent {
  std::vector<TFieldDefinition> Fields;
  std::vector<TRecordValues> Records;
};

class TDataSet : public TComponent {
  TANDREL_CLASS(TDataSet, TComponent)

  explicit TDataSet(TComponent* AOwner);
  ~TDataSet() override;

  bool Active() const { return State_ != dsInactive; }
  void SetActive(bool Value);
  void Open() { SetActive(true); }
  // Discards a pending edit, the fields and the records.
  void Close() { SetActive(false); }
  TDataSetState State() const { return State_; }

  // Fields exist while the data set is open.
  int FieldCount() const { return static_cast<int>(Fields_.size()); }
  TField* Fields(int Index) const;
  // Names are compared without regard to case; nil when absent.
  TField* FindField(const std::string& FieldName) const;
  // Raises EDatabaseError "<name>: Field '<FieldName>' not found".
  TField* FieldByName(const std::string& FieldName) const;

  // Moving posts a pending edit first. Next on the last record (and Prior on
  // the first) leaves the cursor there and sets Eof (Bof).
  void First();
  void Next();
  void Prior();
  void Last();
  bool Eof() const { return Eof_; }
  bool Bof() const { return Bof_; }
  bool IsEmpty() const { return Records_.empty(); }
  int RecordCount() const;
  // 1 for the first record, 0 when there is none.
  int RecNo() const;

  // Editing the current record, or a new one appended. Edit on an empty data
  // set appends; Post stores the edit (a subclass may place the record
  // anew), Cancel drops it.
  virtual bool CanModify() const { return Active(); }
  void Edit();
  void Append();
  void Post();
  void Cancel();
  void Delete();
  // Posts a pending edit.
  void CheckBrowseMode();

  // Nested; while disabled, data sources hear nothing, and they hear of the
  // whole data set once enabled again.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return DisableCount_ > 0; }

 protected:
  virtual void InternalOpen(TDataSetContent& Content) = 0;
  virtual void InternalClose() {}
  // Before a posted record is stored: a subclass may refuse it by raising.
  virtual void CheckRecord(const TRecordValues& Values, int RecordIndex);
  // After open and after each post: a subclass may reorder the records
  // (ReorderRecords keeps the cursor on its record).
  virtual void RecordsChanged() {}
  void Loaded() override;

  const std::vector<TRecordValues>& Records() const { return Records_; }
  using TRecordLess = std::function<bool(const TRecordValues&, const TRecordValues&)>;
  void ReorderRecords(const TRecordLess& IsLess);
  // Moves the cursor to Index (from 0) and tells the data sources.
  void MoveTo(int Index);
  int CurrentIndex() const { return Current_; }
  // Raises EDatabaseError with the data set's name in front.
  [[noreturn]] void DatabaseError(const std::string& Message) const;
  void CheckActive() const;

 private:
  friend class TField;
  friend class TDataSource;

  const Variant& FieldValue(int Index) const;
  void SetFieldValue(TField* Field, const Variant& Value);
  void OpenNow();
  void CloseNow();
  void CreateFields(const std::vector<TFieldDefinition>& Definitions);
  void DestroyFields();
  void SetState(TDataSetState Value);
  void DataEvent(TDataEvent Event, TField* Field = nullptr);
  void AddDataSource(TDataSource* Source);
  void RemoveDataSource(TDataSource* Source);

  TDataSetState State_ = dsInactive;
  bool StreamedActive_ = false;
  std::vector<TField*> Fields_;
  std::vector<TRecordValues> Records_;
  TRecordValues EditBuffer_;
  int Current_ = 0;
  bool Eof_ = true;
  bool Bof_ = true;
  int DisableCount_ = 0;
  bool ChangedWhileDisabled_ = false;
  std::vector<TDataSource*> DataSources_;
};
