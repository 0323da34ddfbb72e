#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Variant.h"
#include "platform/data/DataTypes.h"
#include "platform/data/SqlAdapter.h"

class TConnectionString;

// What a statement gave back: its columns and rows (empty for statements
// without a result set) and the rows it changed.
struct TDbResult {
  std::vector<TFieldDefinition> Columns;
  std::vector<std::vector<Variant>> Rows;
  int64_t RowsAffected = 0;
  bool HasResultSet = false;
};

// One open session with a database engine. Engines keep their C library
// out of every header; the connection component reaches them only here.
class TDbEngine {
 public:
  virtual ~TDbEngine() = default;
  virtual TSqlDialect Dialect() const = 0;
  // Runs an adapted text (one or more statements) with Values bound to its
  // placeholders in order. Failures raise EDBEngineError with the engine's
  // messages.
  virtual TDbResult Execute(const TAdaptedSql& Sql, const std::vector<Variant>& Values) = 0;
};

// Opens the engine named by the connection string's Provider: "SQLite" (also
// when there is none) or "PostgreSQL" ("Postgres"); EDatabaseError for any
// other, or for keys the engine does not know.
std::unique_ptr<TDbEngine> OpenDbEngine(const std::string& ConnectionString);
std::unique_ptr<TDbEngine> OpenSqliteEngine(const TConnectionString& Settings);
std::unique_ptr<TDbEngine> OpenPostgresEngine(const TConnectionString& Settings);

// Raises EDatabaseError when Settings has a key outside Known (and Provider).
void CheckConnectionKeys(const TConnectionString& Settings, const std::vector<const char*>& Known,
                         const std::string& Provider);
// Where a fresh column's duplicate name gets "_1", "_2" ..., as the classic
// data sets name fields.
void MakeColumnNamesUnique(std::vector<TFieldDefinition>& Columns);
