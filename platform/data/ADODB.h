#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/components/Component.h"
#include "platform/core/Classes.h"
#include "platform/core/Variant.h"
#include "platform/data/DataSet.h"
#include "platform/data/SqlAdapter.h"

// Database connections and queries with the ADO operations: a connection
// string picks the engine (SQLite or PostgreSQL, see the README), queries
// take SQL Server texts with :NAME parameters and the data layer adapts them
// to the engine. Values always travel as parameters.
//
//   TADOConnection Db(nullptr);
//   Db.SetLoginPrompt(false);
//   Db.SetConnectionString("Provider=SQLite;Data Source=/tmp/suite.db");
//   Db.SetConnected(true);
//   TADOQuery Q(nullptr);
//   Q.SetConnection(&Db);
//   Q.SQL()->Clear();
//   Q.SQL()->Add("SELECT TC001 FROM ADMTC WHERE TC002 = :USER");
//   Q.ParamByName("USER").SetAsString("DS");
//   Q.Open();
//   for (Q.First(); !Q.Eof(); Q.Next()) Use(Q.FieldByName("TC001")->AsString());

class TDbEngine;
struct TDbResult;
class TADOQuery;

class TParameter {
 public:
  explicit TParameter(std::string Name) : Name_(std::move(Name)) {}

  const std::string& Name() const { return Name_; }
  // False until a value is set; a query with such a parameter does not run.
  bool HasValue() const { return HasValue_; }
  const Variant& Value() const { return Value_; }
  void SetValue(const Variant& Value);
  void SetAsString(const std::string& Value) { SetValue(Value); }
  void SetAsInteger(int Value) { SetValue(Value); }
  void SetAsFloat(double Value) { SetValue(Value); }
  void SetAsDateTime(TDateTime Value) { SetValue(VarFromDateTime(Value)); }
  void Clear() { SetValue(Null()); }
  std::string AsString() const { return VarToStr(Value_); }

 private:
  std::string Name_;
  Variant Value_;
  bool HasValue_ = false;
};

// The parameters of an SQL text, in order of first use.
class TParameters {
 public:
  int Count() const { return static_cast<int>(Items_.size()); }
  TParameter& Items(int Index);
  // Names are compared without regard to case; nil when absent.
  TParameter* FindParam(const std::string& Name);
  // Raises EDatabaseError "Parameter '<Name>' not found".
  TParameter& ParamByName(const std::string& Name);
  // Takes the names of Sql's :NAME parameters; those already known keep
  // their values.
  void ParseSQL(const std::string& Sql);

 private:
  std::vector<TParameter> Items_;
};

class TADOConnection : public TComponent {
  TANDREL_CLASS(TADOConnection, TComponent)

  explicit TADOConnection(TComponent* AOwner);
  ~TADOConnection() override;

  const std::string& ConnectionString() const { return ConnectionString_; }
  // Raises EDatabaseError while connected.
  void SetConnectionString(const std::string& Value);
  // Kept for form resources; this library has no login dialog, so a
  // connection always uses the credentials of its connection string.
  bool LoginPrompt() const { return LoginPrompt_; }
  void SetLoginPrompt(bool Value) { LoginPrompt_ = Value; }

  bool Connected() const { return Engine_ != nullptr; }
  // Connecting opens the engine the connection string names; disconnecting
  // closes the queries that use the connection first.
  void SetConnected(bool Value);
  void Open() { SetConnected(true); }
  void Close() { SetConnected(false); }

  // Runs a statement without parameters; returns the rows it changed.
  int Execute(const std::string& CommandText);
  bool InTransaction() const { return InTransaction_; }
  void BeginTrans();
  void CommitTrans();
  void RollbackTrans();

  // Raises EDatabaseError when not connected.
  TSqlDialect Dialect() const;
  // Adapts Sql, binds Params (every parameter of the text needs a value)
  // and runs it; connects first when needed.
  void Run(const std::string& Sql, TParameters* Params, TDbResult& Result);

 protected:
  void Loaded() override;

 private:
  friend class TADOQuery;
  void Connect();
  void Disconnect();
  [[noreturn]] void DatabaseError(const std::string& Message) const;

  std::string ConnectionString_;
  bool LoginPrompt_ = true;
  bool StreamedConnected_ = false;
  bool InTransaction_ = false;
  std::unique_ptr<TDbEngine> Engine_;
  std::vector<TADOQuery*> Queries_;
};

// A query: its records are read at open and kept in memory; it is read-only
// (statements change data through ExecSQL).
class TADOQuery : public TDataSet {
  TANDREL_CLASS(TADOQuery, TDataSet)

  explicit TADOQuery(TComponent* AOwner);
  ~TADOQuery() override;

  TADOConnection* Connection() const { return Connection_; }
  void SetConnection(TADOConnection* Value);
  // Changing the text closes the query.
  TStrings* SQL() const;
  void SetSQL(TStrings* Value);
  // Parsed from the text when first asked for after a change.
  TParameters& Parameters();
  TParameter& ParamByName(const std::string& Name) { return Parameters().ParamByName(Name); }

  // Runs the text as a statement; returns the rows it changed.
  int ExecSQL();
  int RowsAffected() const { return RowsAffected_; }

  bool CanModify() const override { return false; }

 protected:
  void InternalOpen(TDataSetContent& Content) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void SQLChanged();
  void Execute(TDbResult& Result);

  TADOConnection* Connection_ = nullptr;
  std::unique_ptr<TStringList> SQL_;
  TParameters Parameters_;
  bool ParametersStale_ = false;
  int RowsAffected_ = 0;
};
