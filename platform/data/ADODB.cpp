#include "platform/data/ADODB.h"

#include <algorithm>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/data/DbEngine.h"
#include "platform/data/SqlTokenizer.h"
#include "platform/rtti/Publish.h"

TANDREL_PUBLISH(TADOConnection) {
  Info.Property("ConnectionString", &TADOConnection::ConnectionString, &TADOConnection::SetConnectionString);
  Info.Property("LoginPrompt", &TADOConnection::LoginPrompt, &TADOConnection::SetLoginPrompt);
  Info.Property("Connected", &TADOConnection::Connected, &TADOConnection::SetConnected);
}

TANDREL_PUBLISH(TADOQuery) {
  Info.Property("Connection", &TADOQuery::Connection, &TADOQuery::SetConnection);
  Info.Property("SQL", &TADOQuery::SQL, &TADOQuery::SetSQL);
}

// --- parameters ------------------------------------------------------------------

void TParameter::SetValue(const Variant& Value) {
  if (VarIsArray(Value) || VarType(Value) == varDispatch)
    throw EDatabaseError("Parameter '" + Name_ + "' cannot hold a value of type " + VarTypeAsText(VarType(Value)));
  Value_ = Value;
  HasValue_ = true;
}

TParameter& TParameters::Items(int Index) {
  if (Index < 0 || Index >= Count()) throw EDatabaseError("Parameter index out of range (" + IntToStr(Index) + ")");
  return Items_[static_cast<size_t>(Index)];
}

TParameter* TParameters::FindParam(const std::string& Name) {
  for (TParameter& P : Items_)
    if (SameText(P.Name(), Name)) return &P;
  return nullptr;
}

TParameter& TParameters::ParamByName(const std::string& Name) {
  TParameter* P = FindParam(Name);
  if (P == nullptr) throw EDatabaseError("Parameter '" + Name + "' not found");
  return *P;
}

void TParameters::ParseSQL(const std::string& Sql) {
  std::vector<TParameter> Parsed;
  for (const std::string& Name : SqlParameterNames(Sql)) {
    TParameter* Known = FindParam(Name);
    Parsed.push_back(Known != nullptr ? *Known : TParameter(Name));
  }
  Items_ = std::move(Parsed);
}

// --- connection --------------------------------------------------------------------

TADOConnection::TADOConnection(TComponent* AOwner) : TComponent(AOwner) {}

TADOConnection::~TADOConnection() {
  for (TADOQuery* Query : std::vector<TADOQuery*>(Queries_)) Query->SetConnection(nullptr);
}

void TADOConnection::DatabaseError(const std::string& Message) const {
  throw EDatabaseError(Name().empty() ? Message : Name() + ": " + Message);
}

void TADOConnection::SetConnectionString(const std::string& Value) {
  if (Connected()) DatabaseError("Cannot change the connection string of an open connection");
  ConnectionString_ = Value;
}

void TADOConnection::SetConnected(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    StreamedConnected_ = Value;
    return;
  }
  if (Value == Connected()) return;
  if (Value)
    Connect();
  else
    Disconnect();
}

void TADOConnection::Loaded() {
  TComponent::Loaded();
  if (StreamedConnected_) SetConnected(true);
}

void TADOConnection::Connect() {
  if (Trim(ConnectionString_).empty()) DatabaseError("Missing ConnectionString");
  Engine_ = OpenDbEngine(ConnectionString_);
}

void TADOConnection::Disconnect() {
  for (TADOQuery* Query : Queries_) Query->Close();
  Engine_.reset();
  InTransaction_ = false;
}

TSqlDialect TADOConnection::Dialect() const {
  if (!Connected()) DatabaseError("Connection is not open");
  return Engine_->Dialect();
}

void TADOConnection::Run(const std::string& Sql, TParameters* Params, TDbResult& Result) {
  if (!Connected()) Connect();
  const TAdaptedSql Adapted = AdaptSql(Sql, Engine_->Dialect());
  std::vector<Variant> Values;
  for (const std::string& Name : Adapted.ParamNames) {
    TParameter* P = Params != nullptr ? Params->FindParam(Name) : nullptr;
    if (P == nullptr || !P->HasValue()) DatabaseError("No value given for parameter '" + Name + "'");
    Values.push_back(P->Value());
  }
  Result = Engine_->Execute(Adapted, Values);
}

int TADOConnection::Execute(const std::string& CommandText) {
  TDbResult Result;
  Run(CommandText, nullptr, Result);
  return static_cast<int>(Result.RowsAffected);
}

void TADOConnection::BeginTrans() {
  if (InTransaction_) DatabaseError("A transaction is already active");
  Execute("BEGIN");
  InTransaction_ = true;
}

void TADOConnection::CommitTrans() {
  if (!InTransaction_) DatabaseError("No transaction is active");
  Execute("COMMIT");
  InTransaction_ = false;
}

void TADOConnection::RollbackTrans() {
  if (!InTransaction_) DatabaseError("No transaction is active");
  Execute("ROLLBACK");
  InTransaction_ = false;
}

// --- query ---------------------------------------------------------------------------

TADOQuery::TADOQuery(TComponent* AOwner) : TDataSet(AOwner), SQL_(std::make_unique<TStringList>()) {
  SQL_->OnChange = [this](TStrings*) { SQLChanged(); };
}

TADOQuery::~TADOQuery() {
  SQL_->OnChange = nullptr;
  SetConnection(nullptr);
}

void TADOQuery::SetConnection(TADOConnection* Value) {
  if (Value == Connection_) return;
  Close();
  if (Connection_ != nullptr) {
    auto& Queries = Connection_->Queries_;
    Queries.erase(std::remove(Queries.begin(), Queries.end(), this), Queries.end());
    Connection_->RemoveFreeNotification(this);
  }
  Connection_ = Value;
  if (Connection_ != nullptr) {
    Connection_->Queries_.push_back(this);
    Connection_->FreeNotification(this);
  }
}

void TADOQuery::Notification(TComponent* AComponent, TOperation Operation) {
  TDataSet::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == Connection_) SetConnection(nullptr);
}

TStrings* TADOQuery::SQL() const { return SQL_.get(); }

void TADOQuery::SetSQL(TStrings* Value) { SQL_->Assign(Value); }

void TADOQuery::SQLChanged() {
  Close();
  ParametersStale_ = true;
}

TParameters& TADOQuery::Parameters() {
  if (ParametersStale_) {
    Parameters_.ParseSQL(SQL_->Text());
    ParametersStale_ = false;
  }
  return Parameters_;
}

void TADOQuery::Execute(TDbResult& Result) {
  if (Connection_ == nullptr) DatabaseError("Missing Connection or ConnectionString");
  if (Trim(SQL_->Text()).empty()) DatabaseError("No SQL statement available");
  Connection_->Run(SQL_->Text(), &Parameters(), Result);
  RowsAffected_ = static_cast<int>(Result.RowsAffected);
}

void TADOQuery::InternalOpen(TDataSetContent& Content) {
  TDbResult Result;
  Execute(Result);
  if (!Result.HasResultSet) DatabaseError("CommandText does not return a result set");
  Content.Fields = std::move(Result.Columns);
  Content.Records = std::move(Result.Rows);
}

int TADOQuery::ExecSQL() {
  Close();
  TDbResult Result;
  Execute(Result);
  return RowsAffected_;
}
