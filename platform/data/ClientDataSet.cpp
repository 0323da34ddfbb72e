#include "platform/data/ClientDataSet.h"

#include <algorithm>

#include "platform/core/Dispatch.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/data/DataPacket.h"
#include "platform/data/Fields.h"
#include "platform/data/RemoteServer.h"
#include "platform/rtti/Publish.h"

TANDREL_ENUM_NAMES(TIndexOption, "ixPrimary", "ixUnique", "ixDescending", "ixCaseInsensitive")

TANDREL_PUBLISH(TIndexDef) {
  Info.Property("Name", &TIndexDef::Name, &TIndexDef::SetName);
  Info.Property("Fields", &TIndexDef::Fields, &TIndexDef::SetFields);
  Info.Property("Options", &TIndexDef::Options, &TIndexDef::SetOptions);
}

TANDREL_PUBLISH(TIndexDefs) {}

TANDREL_PUBLISH(TClientDataSet) {
  Info.Property("RemoteServer", &TClientDataSet::RemoteServer, &TClientDataSet::SetRemoteServer);
  Info.Property("ProviderName", &TClientDataSet::ProviderName, &TClientDataSet::SetProviderName);
  Info.Property("IndexDefs", &TClientDataSet::IndexDefs, &TClientDataSet::SetIndexDefs);
  Info.Property("IndexName", &TClientDataSet::IndexName, &TClientDataSet::SetIndexName);
  Info.Property("IndexFieldNames", &TClientDataSet::IndexFieldNames, &TClientDataSet::SetIndexFieldNames);
}

namespace {

// Null sorts first; texts compare by bytes (or ignoring case), everything
// else by value.
int CompareValues(const Variant& A, const Variant& B, bool CaseInsensitive) {
  const bool NullA = VarIsNull(A) || VarIsEmpty(A);
  const bool NullB = VarIsNull(B) || VarIsEmpty(B);
  if (NullA || NullB) return NullA == NullB ? 0 : (NullA ? -1 : 1);
  if (VarIsStr(A) && VarIsStr(B))
    return CaseInsensitive ? AnsiCompareText(*A.StrPtr(), *B.StrPtr()) : CompareStr(*A.StrPtr(), *B.StrPtr());
  switch (VarCompareValue(A, B)) {
    case TVariantRelationship::vrEqual: return 0;
    case TVariantRelationship::vrLessThan: return -1;
    case TVariantRelationship::vrGreaterThan: return 1;
    case TVariantRelationship::vrNotEqual: break;
  }
  return CompareStr(VarToStr(A), VarToStr(B));
}

std::vector<std::string> SplitFieldNames(const std::string& Names) {
  std::vector<std::string> Parts;
  size_t Start = 0;
  while (Start <= Names.size()) {
    const size_t End = std::min(Names.find(';', Start), Names.size());
    const std::string Part = Trim(Names.substr(Start, End - Start));
    if (!Part.empty()) Parts.push_back(Part);
    Start = End + 1;
  }
  return Parts;
}

}  // namespace

TIndexDef* TIndexDefs::AddIndexDef(const std::string& Name, const std::string& Fields, TIndexOptions Options) {
  auto* Def = static_cast<TIndexDef*>(Add());
  Def->SetName(Name);
  Def->SetFields(Fields);
  Def->SetOptions(Options);
  return Def;
}

TIndexDef* TIndexDefs::FindIndex(const std::string& Name) const {
  for (int I = 0; I < Count(); ++I) {
    auto* Def = static_cast<TIndexDef*>(Items(I));
    if (SameText(Def->Name(), Name)) return Def;
  }
  return nullptr;
}

// --- the active index ------------------------------------------------------------

struct TClientDataSet::TActiveIndex {
  std::vector<size_t> Fields;
  bool Descending = false;
  bool CaseInsensitive = false;
  bool Unique = false;

  // Compares the first Count index fields of two records.
  int Compare(const TRecordValues& A, const TRecordValues& B, size_t Count) const {
    for (size_t I = 0; I < Count; ++I) {
      const int C = CompareValues(A[Fields[I]], B[Fields[I]], CaseInsensitive);
      if (C != 0) return Descending ? -C : C;
    }
    return 0;
  }
};

TClientDataSet::TClientDataSet(TComponent* AOwner)
    : TDataSet(AOwner), IndexDefs_(std::make_unique<TIndexDefs>(this)) {}

TClientDataSet::~TClientDataSet() { SetRemoteServer(nullptr); }

void TClientDataSet::SetRemoteServer(TCustomRemoteServer* Value) {
  if (Value == RemoteServer_) return;
  if (RemoteServer_ != nullptr) RemoteServer_->RemoveFreeNotification(this);
  RemoteServer_ = Value;
  if (RemoteServer_ != nullptr) RemoteServer_->FreeNotification(this);
}

void TClientDataSet::Notification(TComponent* AComponent, TOperation Operation) {
  TDataSet::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == RemoteServer_) RemoteServer_ = nullptr;
}

void TClientDataSet::SetProviderName(const std::string& Value) {
  if (Value == ProviderName_) return;
  Close();
  ProviderName_ = Value;
}

void TClientDataSet::SetIndexDefs(TIndexDefs* Value) { IndexDefs_->Assign(Value); }

void TClientDataSet::SetIndexName(const std::string& Value) { ChangeIndex(Value, ""); }

void TClientDataSet::SetIndexFieldNames(const std::string& Value) { ChangeIndex("", Value); }

// An index that does not resolve on an open data set is refused, and the
// old one stays.
void TClientDataSet::ChangeIndex(const std::string& Name, const std::string& FieldNames) {
  const std::string OldName = IndexName_;
  const std::string OldFieldNames = IndexFieldNames_;
  IndexName_ = Name;
  IndexFieldNames_ = FieldNames;
  if (!Active() || ComponentState().Contains(csLoading)) return;
  try {
    CheckBrowseMode();
    RecordsChanged();
  } catch (...) {
    IndexName_ = OldName;
    IndexFieldNames_ = OldFieldNames;
    throw;
  }
  MoveTo(0);
}

TClientDataSet::TActiveIndex TClientDataSet::ResolveIndex() const {
  TActiveIndex Index;
  std::string Names = IndexFieldNames_;
  if (Names.empty() && !IndexName_.empty()) {
    const TIndexDef* Def = IndexDefs_->FindIndex(IndexName_);
    if (Def == nullptr) DatabaseError("Index '" + IndexName_ + "' not found");
    Names = Def->Fields();
    Index.Descending = Def->Options().Contains(ixDescending);
    Index.CaseInsensitive = Def->Options().Contains(ixCaseInsensitive);
    Index.Unique = Def->Options().Contains(ixUnique) || Def->Options().Contains(ixPrimary);
  }
  for (const std::string& Name : SplitFieldNames(Names))
    Index.Fields.push_back(static_cast<size_t>(FieldByName(Name)->Index()));
  return Index;
}

void TClientDataSet::RecordsChanged() {
  const TActiveIndex Index = ResolveIndex();
  if (Index.Fields.empty()) return;
  ReorderRecords([&](const TRecordValues& A, const TRecordValues& B) {
    return Index.Compare(A, B, Index.Fields.size()) < 0;
  });
}

void TClientDataSet::CheckRecord(const TRecordValues& Values, int RecordIndex) {
  const TActiveIndex Index = ResolveIndex();
  if (!Index.Unique) return;
  const auto& All = Records();
  for (size_t I = 0; I < All.size(); ++I)
    if (static_cast<int>(I) != RecordIndex && Index.Compare(All[I], Values, Index.Fields.size()) == 0)
      DatabaseError("Key violation: another record has the key of index '" + IndexName_ + "'");
}

bool TClientDataSet::FindKey(const std::vector<Variant>& KeyValues) {
  CheckActive();
  CheckBrowseMode();
  const TActiveIndex Index = ResolveIndex();
  if (Index.Fields.empty()) DatabaseError("No index currently active");
  if (KeyValues.empty() || KeyValues.size() > Index.Fields.size())
    DatabaseError("FindKey needs 1 to " + IntToStr(static_cast<int64_t>(Index.Fields.size())) +
                  " key values, got " + IntToStr(static_cast<int64_t>(KeyValues.size())));
  // The key as a record, each value converted to its field's type.
  TRecordValues Key(static_cast<size_t>(FieldCount()));
  for (size_t I = 0; I < KeyValues.size(); ++I)
    Key[Index.Fields[I]] = FieldValueOf(Fields(static_cast<int>(Index.Fields[I]))->DataType(), KeyValues[I]);
  const auto& All = Records();
  const size_t Count = KeyValues.size();
  const auto Found = std::lower_bound(All.begin(), All.end(), Key, [&](const TRecordValues& R, const TRecordValues& K) {
    return Index.Compare(R, K, Count) < 0;
  });
  if (Found == All.end() || Index.Compare(*Found, Key, Count) != 0) return false;
  MoveTo(static_cast<int>(Found - All.begin()));
  return true;
}

// --- records ---------------------------------------------------------------------

void TClientDataSet::InternalOpen(TDataSetContent& Content) {
  if (PendingData_ != nullptr) {
    Content = std::move(*PendingData_);
    PendingData_.reset();
    return;
  }
  Content = FetchFromProvider();
}

TDataSetContent TClientDataSet::FetchFromProvider() {
  if (ProviderName_.empty()) DatabaseError("Missing data provider or data packet");
  if (RemoteServer_ == nullptr) DatabaseError("Provider '" + ProviderName_ + "' needs a remote server");
  const Variant Server = RemoteServer_->AppServer();
  IDispatch* AppServer = VarToDispatch(Server);
  if (AppServer == nullptr) DatabaseError("The remote server has no server object");
  TDispArgs Args{{ProviderName_}, {-1}, {0, true}, {0}, {""}, {Unassigned(), true}, {Unassigned(), true}};
  return ReadDataPacket(AppServer->Invoke("AS_GetRecords", TInvokeKind::Method, Args));
}

Variant TClientDataSet::Data() const {
  CheckActive();
  return MakeDataPacket(FieldDefinitionsOf(*this), Records());
}

void TClientDataSet::SetData(const Variant& Packet) {
  auto Content = std::make_unique<TDataSetContent>(ReadDataPacket(Packet));
  Close();
  PendingData_ = std::move(Content);
  try {
    Open();
  } catch (...) {
    PendingData_.reset();
    throw;
  }
}
