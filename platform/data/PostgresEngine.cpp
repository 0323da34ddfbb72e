#include <libpq-fe.h>

#include <charconv>
#include <cstdlib>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/DbEngine.h"

// PostgreSQL: a company database DB (DB..TABLE) is the schema "db" of the
// database the connection opens. Values travel as text in both directions,
// which the server reads by the column each one lands in.

namespace {

const char* const DefaultConnectTimeoutSeconds = "10";

// Connection string keys and the libpq keyword each one sets.
struct TKeyword {
  const char* Key;
  const char* LibPq;
};
const TKeyword Keywords[] = {
    {"Host", "host"},       {"Server", "host"},          {"Port", "port"},
    {"Database", "dbname"}, {"Initial Catalog", "dbname"}, {"User ID", "user"},
    {"UID", "user"},        {"Password", "password"},    {"PWD", "password"},
    {"Connect Timeout", "connect_timeout"},              {"SSL Mode", "sslmode"},
};

// Type numbers of the server's built-in types.
enum : Oid {
  BoolOid = 16, Int8Oid = 20, Int2Oid = 21, Int4Oid = 23, TextOid = 25, Float4Oid = 700, Float8Oid = 701,
  BpCharOid = 1042, VarCharOid = 1043, DateOid = 1082, TimestampOid = 1114, TimestampTzOid = 1184, NumericOid = 1700
};

TFieldType TypeOfOid(Oid Type) {
  switch (Type) {
    case BoolOid: return ftBoolean;
    case Int2Oid:
    case Int4Oid: return ftInteger;
    case Int8Oid: return ftLargeint;
    case Float4Oid:
    case Float8Oid:
    case NumericOid: return ftFloat;
    case DateOid:
    case TimestampOid:
    case TimestampTzOid: return ftDateTime;
    case TextOid: return ftMemo;
    default: return ftString;
  }
}

Variant ParseValue(TFieldType Type, const char* Text, int Length) {
  const std::string S(Text, static_cast<size_t>(Length));
  switch (Type) {
    case ftBoolean:
      return S == "t";
    case ftInteger:
      return static_cast<int>(std::strtol(Text, nullptr, 10));
    case ftLargeint:
      return static_cast<long long>(std::strtoll(Text, nullptr, 10));
    case ftFloat: {
      double D = 0;
      std::from_chars(Text, Text + Length, D);
      return D;
    }
    case ftDateTime: {
      TDateTime D;
      return TryIsoTextToDateTime(S, D) ? VarFromDateTime(D) : Variant(S);
    }
    default:
      return S;
  }
}

// The text form of a parameter value; false for Null.
bool ValueText(const Variant& V, std::string& Text) {
  if (VarIsNull(V) || VarIsEmpty(V)) return false;
  if (VarIsStr(V)) {
    Text = *V.StrPtr();
  } else if (VarType(V) == varDate) {
    Text = DateTimeToIsoText(VarToDateTime(V));
  } else if (VarType(V) == varBoolean) {
    Text = VarToBoolean(V) ? "1" : "0";  // read as true/false by Boolean columns, as 1/0 by numbers
  } else if (VarIsFloat(V)) {
    char Buffer[32];
    const auto End = std::to_chars(Buffer, Buffer + sizeof Buffer, VarToDouble(V)).ptr;
    Text.assign(Buffer, End);
  } else if (VarIsOrdinal(V)) {
    Text = IntToStr(VarToInt64(V));
  } else {
    throw EDatabaseError("A value of type " + VarTypeAsText(VarType(V)) + " cannot be sent to the database");
  }
  return true;
}

[[noreturn]] void RaiseResultError(const PGresult* Res) {
  const char* State = PQresultErrorField(Res, PG_DIAG_SQLSTATE);
  const std::string Message = Trim(PQresultErrorMessage(Res));
  const std::string Code = State != nullptr ? State : "";
  throw EDBEngineError(Message + (Code.empty() ? "" : " [SQLSTATE " + Code + "]"), {{0, Message}});
}

class TResult {
 public:
  explicit TResult(PGresult* Res) : Res_(Res) {}
  ~TResult() { PQclear(Res_); }
  TResult(const TResult&) = delete;
  TResult& operator=(const TResult&) = delete;
  PGresult* Get() const { return Res_; }

 private:
  PGresult* Res_;
};

void IgnoreNotice(void*, const char*) {}

class TPostgresEngine : public TDbEngine {
 public:
  explicit TPostgresEngine(const TConnectionString& Settings) {
    std::vector<const char*> Known;
    for (const TKeyword& K : Keywords) Known.push_back(K.Key);
    CheckConnectionKeys(Settings, Known, "PostgreSQL");
    std::vector<std::string> Names, Values;
    for (const TKeyword& K : Keywords)
      if (Settings.HasKey(K.Key)) SetKeyword(Names, Values, K.LibPq, Settings.Value(K.Key));
    if (!Settings.HasKey("Connect Timeout")) SetKeyword(Names, Values, "connect_timeout", DefaultConnectTimeoutSeconds);
    SetKeyword(Names, Values, "client_encoding", "UTF8");
    std::vector<const char*> NamePtrs, ValuePtrs;
    for (size_t I = 0; I < Names.size(); ++I) {
      NamePtrs.push_back(Names[I].c_str());
      ValuePtrs.push_back(Values[I].c_str());
    }
    NamePtrs.push_back(nullptr);
    ValuePtrs.push_back(nullptr);
    Conn_ = PQconnectdbParams(NamePtrs.data(), ValuePtrs.data(), 0);
    if (Conn_ == nullptr || PQstatus(Conn_) != CONNECTION_OK) {
      const std::string Message =
          "Cannot connect to PostgreSQL: " + (Conn_ != nullptr ? Trim(PQerrorMessage(Conn_)) : "out of memory");
      PQfinish(Conn_);
      throw EDBEngineError(Message, {{0, Message}});
    }
    PQsetNoticeProcessor(Conn_, IgnoreNotice, nullptr);
  }
  ~TPostgresEngine() override { PQfinish(Conn_); }

  TSqlDialect Dialect() const override { return TSqlDialect::PostgreSQL; }

  TDbResult Execute(const TAdaptedSql& Sql, const std::vector<Variant>& Values) override {
    std::vector<std::string> Texts(Values.size());
    std::vector<const char*> Pointers(Values.size());
    for (size_t I = 0; I < Values.size(); ++I)
      Pointers[I] = ValueText(Values[I], Texts[I]) ? Texts[I].c_str() : nullptr;
    // Only the simple protocol runs several statements in one text.
    TResult Res(Values.empty() ? PQexec(Conn_, Sql.Text.c_str())
                               : PQexecParams(Conn_, Sql.Text.c_str(), static_cast<int>(Values.size()), nullptr,
                                              Pointers.data(), nullptr, nullptr, 0));
    if (Res.Get() == nullptr) throw EDBEngineError("PostgreSQL: " + Trim(PQerrorMessage(Conn_)), {});
    switch (PQresultStatus(Res.Get())) {
      case PGRES_TUPLES_OK:
        return ReadRows(Res.Get());
      case PGRES_COMMAND_OK:
      case PGRES_EMPTY_QUERY: {
        TDbResult Result;
        Result.RowsAffected = std::atoll(PQcmdTuples(Res.Get()));
        return Result;
      }
      default:
        RaiseResultError(Res.Get());
    }
  }

 private:
  static void SetKeyword(std::vector<std::string>& Names, std::vector<std::string>& Values, const std::string& Name,
                         const std::string& Value) {
    for (size_t I = 0; I < Names.size(); ++I)
      if (Names[I] == Name) {
        Values[I] = Value;
        return;
      }
    Names.push_back(Name);
    Values.push_back(Value);
  }

  static TDbResult ReadRows(const PGresult* Res) {
    TDbResult Result;
    Result.HasResultSet = true;
    const int Columns = PQnfields(Res);
    for (int C = 0; C < Columns; ++C) {
      const Oid Type = PQftype(Res, C);
      const int Modifier = PQfmod(Res, C);
      const bool HasLength = (Type == VarCharOid || Type == BpCharOid) && Modifier >= 4;
      Result.Columns.push_back({PQfname(Res, C), TypeOfOid(Type), HasLength ? Modifier - 4 : 0});
    }
    MakeColumnNamesUnique(Result.Columns);
    for (int R = 0; R < PQntuples(Res); ++R) {
      std::vector<Variant> Row;
      Row.reserve(Columns);
      for (int C = 0; C < Columns; ++C)
        Row.push_back(PQgetisnull(Res, R, C) ? Null()
                                             : ParseValue(Result.Columns[C].DataType, PQgetvalue(Res, R, C),
                                                          PQgetlength(Res, R, C)));
      Result.Rows.push_back(std::move(Row));
    }
    return Result;
  }

  PGconn* Conn_ = nullptr;
};

}  // namespace

std::unique_ptr<TDbEngine> OpenPostgresEngine(const TConnectionString& Settings) {
  return std::make_unique<TPostgresEngine>(Settings);
}
