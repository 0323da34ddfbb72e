#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/DbEngine.h"

// SQLite: the embedded default. A company database DB (DB..TABLE) is the file
// "db.db" attached as DB, found in the Company Folder of the connection
// string or else beside the main database; an in-memory main database gets
// in-memory company databases.

namespace {

const int BusyTimeoutMs = 5000;

[[noreturn]] void RaiseSqliteError(sqlite3* Db, const std::string& Context) {
  const int Code = sqlite3_extended_errcode(Db);
  const std::string Message = Context + sqlite3_errmsg(Db);
  throw EDBEngineError(Message, {{Code, Message}});
}

// A prepared statement, finalized however the run ends.
class TStatement {
 public:
  TStatement(sqlite3* Db, const char*& Tail) {
    if (sqlite3_prepare_v2(Db, Tail, -1, &Stmt_, &Tail) != SQLITE_OK) RaiseSqliteError(Db, "");
  }
  ~TStatement() { sqlite3_finalize(Stmt_); }
  TStatement(const TStatement&) = delete;
  TStatement& operator=(const TStatement&) = delete;
  sqlite3_stmt* Get() const { return Stmt_; }

 private:
  sqlite3_stmt* Stmt_ = nullptr;
};

TFieldType TypeOfDeclaration(const std::string& Declared) {
  const std::string T = UpperCase(Declared);
  auto Has = [&](const char* Part) { return T.find(Part) != std::string::npos; };
  if (Has("BOOL") || T == "BIT") return ftBoolean;
  if (Has("BIGINT")) return ftLargeint;
  if (Has("INT")) return ftInteger;
  if (Has("DATE") || Has("TIME")) return ftDateTime;
  if (Has("CHAR")) return ftString;
  if (Has("TEXT") || Has("CLOB")) return ftMemo;
  if (Has("REAL") || Has("FLOA") || Has("DOUB") || Has("NUM") || Has("DEC")) return ftFloat;
  return ftUnknown;
}

// "VARCHAR(20)" -> 20; 0 when no length is declared.
int SizeOfDeclaration(const std::string& Declared) {
  const size_t Open = Declared.find('(');
  if (Open == std::string::npos) return 0;
  int Size = 0;
  std::from_chars(Declared.data() + Open + 1, Declared.data() + Declared.size(), Size);
  return Size;
}

// An expression column has no declared type: its values tell.
TFieldType TypeOfValues(const std::vector<std::vector<Variant>>& Rows, size_t Column) {
  TFieldType Type = ftUnknown;
  for (const auto& Row : Rows) {
    const Variant& V = Row[Column];
    if (VarIsNull(V)) continue;
    if (VarIsStr(V)) return ftString;
    const TFieldType Own = VarIsFloat(V) ? ftFloat : ftLargeint;
    Type = (Type == ftUnknown || Type == Own) ? Own : ftFloat;
  }
  return Type == ftUnknown ? ftString : Type;
}

Variant ReadColumn(sqlite3_stmt* Stmt, int Column) {
  switch (sqlite3_column_type(Stmt, Column)) {
    case SQLITE_INTEGER: {
      const sqlite3_int64 V = sqlite3_column_int64(Stmt, Column);
      if (V >= INT32_MIN && V <= INT32_MAX) return static_cast<int>(V);
      return static_cast<long long>(V);
    }
    case SQLITE_FLOAT:
      return sqlite3_column_double(Stmt, Column);
    case SQLITE_NULL:
      return Null();
    default: {
      const auto* Text = reinterpret_cast<const char*>(sqlite3_column_text(Stmt, Column));
      return std::string(Text, static_cast<size_t>(sqlite3_column_bytes(Stmt, Column)));
    }
  }
}

// Brings a stored value to its column's type where SQLite kept another one
// (dates are stored as text, Booleans as integers).
Variant Typed(TFieldType Type, const Variant& Value) {
  if (VarIsNull(Value)) return Value;
  if (Type == ftDateTime && VarIsStr(Value)) {
    TDateTime D;
    return TryIsoTextToDateTime(*Value.StrPtr(), D) ? VarFromDateTime(D) : Value;
  }
  if (Type == ftBoolean && VarIsOrdinal(Value)) return VarToInt64(Value) != 0;
  return Value;
}

void BindValue(sqlite3* Db, sqlite3_stmt* Stmt, int Index, const Variant& V) {
  int Rc;
  if (VarIsNull(V) || VarIsEmpty(V)) {
    Rc = sqlite3_bind_null(Stmt, Index);
  } else if (VarIsStr(V)) {
    const std::string& S = *V.StrPtr();
    Rc = sqlite3_bind_text(Stmt, Index, S.data(), static_cast<int>(S.size()), SQLITE_TRANSIENT);
  } else if (VarType(V) == varDate) {
    const std::string S = DateTimeToIsoText(VarToDateTime(V));
    Rc = sqlite3_bind_text(Stmt, Index, S.data(), static_cast<int>(S.size()), SQLITE_TRANSIENT);
  } else if (VarType(V) == varBoolean) {
    Rc = sqlite3_bind_int(Stmt, Index, VarToBoolean(V) ? 1 : 0);
  } else if (VarIsFloat(V)) {
    Rc = sqlite3_bind_double(Stmt, Index, VarToDouble(V));
  } else if (VarIsOrdinal(V)) {
    Rc = sqlite3_bind_int64(Stmt, Index, VarToInt64(V));
  } else {
    throw EDatabaseError("A value of type " + VarTypeAsText(VarType(V)) + " cannot be sent to the database");
  }
  if (Rc != SQLITE_OK) RaiseSqliteError(Db, "");
}

bool IsValidDatabaseName(const std::string& Name) {
  return !Name.empty() && std::all_of(Name.begin(), Name.end(), [](char C) {
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') || C == '_';
  });
}

class TSqliteEngine : public TDbEngine {
 public:
  explicit TSqliteEngine(const TConnectionString& Settings) {
    CheckConnectionKeys(Settings, {"Data Source", "Company Folder"}, "SQLite");
    const std::string Path = Settings.Value("Data Source");
    if (Path.empty()) throw EDatabaseError("The SQLite connection string has no Data Source");
    InMemory_ = Path == ":memory:";
    CompanyFolder_ = Settings.Value("Company Folder");
    if (CompanyFolder_.empty() && !InMemory_) {
      const size_t Slash = Path.rfind('/');
      CompanyFolder_ = Slash == std::string::npos ? "" : Path.substr(0, Slash);
    }
    if (!CompanyFolder_.empty() && CompanyFolder_.back() != '/') CompanyFolder_ += '/';
    const int Rc = sqlite3_open_v2(Path.c_str(), &Db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (Rc != SQLITE_OK) {
      const std::string Message = "Cannot open the database '" + Path + "': " +
                                  (Db_ != nullptr ? sqlite3_errmsg(Db_) : sqlite3_errstr(Rc));
      sqlite3_close(Db_);
      throw EDBEngineError(Message, {{Rc, Message}});
    }
    sqlite3_busy_timeout(Db_, BusyTimeoutMs);
  }
  ~TSqliteEngine() override { sqlite3_close(Db_); }

  TSqlDialect Dialect() const override { return TSqlDialect::SQLite; }

  TDbResult Execute(const TAdaptedSql& Sql, const std::vector<Variant>& Values) override {
    for (const std::string& Database : Sql.Databases) Attach(Database);
    TDbResult Result;
    const char* Tail = Sql.Text.c_str();
    while (*Tail != '\0') {
      TStatement Statement(Db_, Tail);
      if (Statement.Get() == nullptr) continue;  // only blanks or comments were left
      Result = Run(Statement.Get(), Values);
    }
    return Result;
  }

 private:
  TDbResult Run(sqlite3_stmt* Stmt, const std::vector<Variant>& Values) {
    for (int I = 1; I <= sqlite3_bind_parameter_count(Stmt); ++I) {
      // Placeholders are "?N"; N counts the names of the whole text.
      const char* Name = sqlite3_bind_parameter_name(Stmt, I);
      const int Number = Name != nullptr ? std::atoi(Name + 1) : I;
      if (Number < 1 || Number > static_cast<int>(Values.size()))
        throw EDatabaseError("The SQL text has more placeholders than values");
      BindValue(Db_, Stmt, I, Values[Number - 1]);
    }
    TDbResult Result;
    const int ColumnCount = sqlite3_column_count(Stmt);
    Result.HasResultSet = ColumnCount > 0;
    int Rc;
    while ((Rc = sqlite3_step(Stmt)) == SQLITE_ROW) {
      std::vector<Variant> Row;
      Row.reserve(ColumnCount);
      for (int C = 0; C < ColumnCount; ++C) Row.push_back(ReadColumn(Stmt, C));
      Result.Rows.push_back(std::move(Row));
    }
    if (Rc != SQLITE_DONE) RaiseSqliteError(Db_, "");
    if (Result.HasResultSet)
      DescribeColumns(Stmt, Result);
    else
      Result.RowsAffected = sqlite3_changes(Db_);
    return Result;
  }

  void DescribeColumns(sqlite3_stmt* Stmt, TDbResult& Result) {
    for (int C = 0; C < sqlite3_column_count(Stmt); ++C) {
      const char* Declared = sqlite3_column_decltype(Stmt, C);
      TFieldDefinition Column{sqlite3_column_name(Stmt, C), ftUnknown, 0};
      if (Declared != nullptr) {
        Column.DataType = TypeOfDeclaration(Declared);
        Column.Size = SizeOfDeclaration(Declared);
      }
      if (Column.DataType == ftUnknown) Column.DataType = TypeOfValues(Result.Rows, C);
      for (auto& Row : Result.Rows) Row[C] = Typed(Column.DataType, Row[C]);
      Result.Columns.push_back(std::move(Column));
    }
    MakeColumnNamesUnique(Result.Columns);
  }

  void Attach(const std::string& Database) {
    if (SameText(Database, "main") || SameText(Database, "temp")) return;
    for (const std::string& Known : Attached_)
      if (SameText(Known, Database)) return;
    if (!IsValidDatabaseName(Database))
      throw EDatabaseError("Company database name '" + Database + "' is not valid (letters, digits and _ only)");
    const std::string File = InMemory_ && CompanyFolder_.empty() ? ":memory:" : CompanyFolder_ + LowerCase(Database) + ".db";
    const char* Tail = "ATTACH DATABASE ?1 AS ?2";
    TStatement Statement(Db_, Tail);
    sqlite3_bind_text(Statement.Get(), 1, File.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(Statement.Get(), 2, Database.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(Statement.Get()) != SQLITE_DONE)
      RaiseSqliteError(Db_, "Cannot attach the company database " + Database + ": ");
    Attached_.push_back(Database);
  }

  sqlite3* Db_ = nullptr;
  bool InMemory_ = false;
  std::string CompanyFolder_;
  std::vector<std::string> Attached_;
};

}  // namespace

std::unique_ptr<TDbEngine> OpenSqliteEngine(const TConnectionString& Settings) {
  return std::make_unique<TSqliteEngine>(Settings);
}
