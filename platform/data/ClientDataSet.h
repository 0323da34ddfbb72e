#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/components/Collection.h"
#include "platform/core/Variant.h"
#include "platform/data/DataSet.h"
#include "platform/rtti/Sets.h"

// The client data set: records handed over by a provider of an application
// server (or assigned as a data packet), kept in memory, ordered by an
// active index, found by key and edited locally; nothing is sent back.
//
//   Cds->SetRemoteServer(MainMidas);
//   Cds->SetProviderName("pvdConSave");
//   Cds->IndexDefs()->AddIndexDef("Index1", "NCONDITION;CREATOR;PROGRAMME");
//   Cds->SetIndexName("Index1");
//   Cds->Open();
//   if (Cds->FindKey({Name, User, Program})) ...
//
// Opening asks the server object for AS_GetRecords(ProviderName, -1,
// RecsOut, 0, "", Params, OwnerData) (the last three by reference), which
// answers a data packet (DataPacket.h).

class TCustomRemoteServer;

enum TIndexOption { ixPrimary, ixUnique, ixDescending, ixCaseInsensitive };
TANDREL_ENUM(TIndexOption);
using TIndexOptions = TSet<TIndexOption>;

class TIndexDef : public TCollectionItem {
  TANDREL_CLASS(TIndexDef, TCollectionItem)

  explicit TIndexDef(TCollection* Collection) : TCollectionItem(Collection) {}

  const std::string& Name() const { return Name_; }
  void SetName(const std::string& Value) { Name_ = Value; }
  // Field names separated by ";".
  const std::string& Fields() const { return Fields_; }
  void SetFields(const std::string& Value) { Fields_ = Value; }
  // Descending and case-insensitive change the order; primary and unique
  // refuse a posted record whose key another record has.
  TIndexOptions Options() const { return Options_; }
  void SetOptions(TIndexOptions Value) { Options_ = Value; }

 private:
  std::string Name_;
  std::string Fields_;
  TIndexOptions Options_;
};

class TIndexDefs : public TCollection {
  TANDREL_CLASS(TIndexDefs, TCollection)

  explicit TIndexDefs(TPersistent* Owner) : TCollection(Owner, &TCollection::NewItem<TIndexDef>) {}

  TIndexDef* AddIndexDef(const std::string& Name, const std::string& Fields, TIndexOptions Options = {});
  // Names are compared without regard to case; nil when absent.
  TIndexDef* FindIndex(const std::string& Name) const;
};

class TClientDataSet : public TDataSet {
  TANDREL_CLASS(TClientDataSet, TDataSet)

  explicit TClientDataSet(TComponent* AOwner);
  ~TClientDataSet() override;

  TCustomRemoteServer* RemoteServer() const { return RemoteServer_; }
  void SetRemoteServer(TCustomRemoteServer* Value);
  const std::string& ProviderName() const { return ProviderName_; }
  void SetProviderName(const std::string& Value);

  TIndexDefs* IndexDefs() const { return IndexDefs_.get(); }
  void SetIndexDefs(TIndexDefs* Value);
  // The active index, by definition name or by field names ("A;B"); setting
  // one clears the other. An unknown name raises when the data set is or
  // becomes active.
  const std::string& IndexName() const { return IndexName_; }
  void SetIndexName(const std::string& Value);
  const std::string& IndexFieldNames() const { return IndexFieldNames_; }
  void SetIndexFieldNames(const std::string& Value);

  // Moves to the first record (in index order) whose leading index fields
  // equal KeyValues; false, with the cursor left alone, when there is none.
  // Raises EDatabaseError without an active index or with more key values
  // than it has fields.
  bool FindKey(const std::vector<Variant>& KeyValues);

  // The records as a data packet; assigning one loads it (and opens the data
  // set) without asking a provider.
  Variant Data() const;
  void SetData(const Variant& Packet);

 protected:
  void InternalOpen(TDataSetContent& Content) override;
  void CheckRecord(const TRecordValues& Values, int RecordIndex) override;
  void RecordsChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  struct TActiveIndex;
  TDataSetContent FetchFromProvider();
  // The fields and options of the active index; empty without one.
  TActiveIndex ResolveIndex() const;
  void ChangeIndex(const std::string& Name, const std::string& FieldNames);

  TCustomRemoteServer* RemoteServer_ = nullptr;
  std::string ProviderName_;
  std::unique_ptr<TIndexDefs> IndexDefs_;
  std::string IndexName_;
  std::string IndexFieldNames_;
  std::unique_ptr<TDataSetContent> PendingData_;
};
