#pragma once

#include <string>
#include <vector>

// The module's statements are written for Microsoft SQL Server. AdaptSql
// rewrites such a text for the engine at hand, token by token (strings,
// quoted names and comments are never touched):
//
//   DB..TABLE               SQLite: DB.TABLE (DB is attached on demand)
//                           PostgreSQL: "db".TABLE (schema db)
//   ISNULL(a, b)            COALESCE(a, b)
//   GETDATE()               the local date and time with milliseconds
//   CONVERT(type, expr)     CAST(expr AS type)
//   CAST(expr AS type)      with the type mapped (DATETIME, NVARCHAR ...)
//   :NAME                   a positional placeholder (?1 / $1), one per name
//
// Other text passes unchanged. CONVERT with a style argument raises
// EDatabaseError, as does a malformed call of the functions above.

enum class TSqlDialect { SQLite, PostgreSQL };

struct TAdaptedSql {
  std::string Text;
  // Placeholder N (from 1) stands for ParamNames[N - 1].
  std::vector<std::string> ParamNames;
  // Company databases the text names (DB of DB..TABLE), each once, upper case.
  std::vector<std::string> Databases;
};

TAdaptedSql AdaptSql(const std::string& Sql, TSqlDialect Dialect);
