// The batch form's three statements (definitions, sequence number, alert
// insert) and the query operations it uses, on SQLite and on PostgreSQL.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/core/DateUtils.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/data/ADODB.h"
#include "platform/data/Fields.h"
#include "tests/data/PostgresServer.h"
#include "tests/platform/TestSupport.h"

namespace {

enum class TEngine { SQLite, PostgreSQL };

std::string EngineName(const testing::TestParamInfo<TEngine>& Info) {
  return Info.param == TEngine::SQLite ? "SQLite" : "PostgreSQL";
}

const char* const DefinitionSql =
    " SELECT MD001, MD002, MD003, MD006, ISNULL(MD007, '') MD007  FROM $$TMCMD  LEFT JOIN $$TMCMC ON MC001 = "
    "MD001 AND MC002 = MD002  WHERE UPPER(MC005) = :MC005  AND MD004 = :MD004 ";

const char* const InsertSql =
    " INSERT INTO ADMTC (TC001, TC002, TC003, TC004, TC005, TC006, TC007, TC008, TC009,  COMPANY, CREATOR, "
    "CREATE_DATE, FLAG)  VALUES (:TC001, :TC002, :TC003, :TC004, :TC005, :TC006, :TC007, :TC008, :TC009,:COMPANY, "
    ":CREATOR, :CREATE_DATE, :FLAG) ";

std::string SequenceSql(const std::string& D) {
  return " SELECT (SELECT CASE WHEN MAX(TC001) IS NULL THEN '" + D + "000001" + "' " +
         " ELSE CONVERT(CHAR(14), CAST(MAX(TC001) AS BIGINT) + 1) END " + " FROM " +
         " (SELECT MAX(TC001) TC001 FROM ADMTC WHERE TC004 LIKE '" + D + "%' " + " UNION " +
         " SELECT MAX(TD001) TD001 FROM ADMTD WHERE TD004 LIKE '" + D + "%') B) SEQX ";
}

class StatementsTest : public testing::TestWithParam<TEngine> {
 protected:
  void SetUp() override {
    std::string ConnectionString;
    if (GetParam() == TEngine::SQLite) {
      ConnectionString = "Provider=SQLite;Data Source=" + Folder_ / "suite.db";
    } else {
      TPostgresServer& Server = TPostgresServer::Shared();
      if (!Server.Running()) GTEST_SKIP() << "PostgreSQL tests skipped: " << Server.SkipReason();
      ConnectionString = Server.ConnectionString();
    }
    Db_ = std::make_unique<TADOConnection>(nullptr);
    Db_->SetLoginPrompt(false);
    Db_->SetConnectionString(ConnectionString);
    Db_->SetConnected(true);
    if (GetParam() == TEngine::PostgreSQL)
      Db_->Execute("DROP SCHEMA IF EXISTS demo CASCADE; CREATE SCHEMA demo; DROP TABLE IF EXISTS ADMTC, ADMTD, T");
    Db_->Execute(
        "CREATE TABLE DEMO..TMCMC (MC001 VARCHAR(10), MC002 VARCHAR(10), MC005 VARCHAR(20));"
        "CREATE TABLE DEMO..TMCMD (MD001 VARCHAR(10), MD002 VARCHAR(10), MD003 VARCHAR(10), MD004 VARCHAR(2),"
        " MD006 VARCHAR(10), MD007 TEXT);"
        "CREATE TABLE ADMTC (TC001 VARCHAR(14), TC002 VARCHAR(20), TC003 TEXT, TC004 VARCHAR(17), TC005 VARCHAR(1),"
        " TC006 VARCHAR(100), TC007 TEXT, TC008 TEXT, TC009 VARCHAR(1), COMPANY VARCHAR(20), CREATOR VARCHAR(20),"
        " CREATE_DATE VARCHAR(17), FLAG INT);"
        "CREATE TABLE ADMTD (TD001 VARCHAR(14), TD004 VARCHAR(17))");
    Query_ = std::make_unique<TADOQuery>(nullptr);
    Query_->SetConnection(Db_.get());
  }

  // Runs Sql with the given text parameters through the query, as the form does.
  void Run(const std::string& Sql, const std::vector<std::pair<std::string, Variant>>& Params = {},
           bool Select = false) {
    Query_->Close();
    Query_->SQL()->Clear();
    Query_->SQL()->Add(Sql);
    for (const auto& [Name, Value] : Params) Query_->ParamByName(Name).SetValue(Value);
    if (Select)
      Query_->Open();
    else
      Query_->ExecSQL();
  }

  void Select(const std::string& Sql, const std::vector<std::pair<std::string, Variant>>& Params = {}) {
    Run(Sql, Params, true);
  }

  // Every row of a select as texts, sorted, so both engines compare alike.
  std::vector<std::string> Rows(const std::string& Sql) {
    Select(Sql);
    std::vector<std::string> Result;
    for (Query_->First(); !Query_->Eof(); Query_->Next()) {
      std::string Line;
      for (int I = 0; I < Query_->FieldCount(); ++I) Line += (I ? "|" : "") + Query_->Fields(I)->AsString();
      Result.push_back(Line);
    }
    std::sort(Result.begin(), Result.end());
    return Result;
  }

  // The direct-processing alert loop: one alert row per non-blank definition.
  void WriteAlerts(const std::string& ProgramId) {
    auto Definitions = std::make_unique<TADOQuery>(nullptr);
    Definitions->SetConnection(Db_.get());
    Definitions->SQL()->Add(StringReplaceAll(DefinitionSql, "$$", "DEMO.."));
    Definitions->ParamByName("MC005").SetAsString(UpperCase(ProgramId));
    Definitions->ParamByName("MD004").SetAsString("6");
    Definitions->Open();
    for (Definitions->First(); !Definitions->Eof(); Definitions->Next()) {
      const std::string Md007 = Definitions->FieldByName("MD007")->AsString();
      if (Trim(Md007).empty()) continue;
      Select(" SELECT GETDATE() DATEX ");
      const std::string T = FormatDateTime("YYYYMMDDHHNNSSZZZ", Query_->FieldByName("DATEX")->AsDateTime());
      const std::string D = T.substr(0, 8);
      Select(SequenceSql(D));
      const std::string S = Query_->FieldByName("SEQX")->AsString();
      Run(InsertSql, {{"TC001", S}, {"TC002", "DS"}, {"TC003", "<Root/>"}, {"TC004", T}, {"TC005", "N"},
                      {"TC006", "Title"}, {"TC007", "part 3"}, {"TC008", Md007}, {"TC009", "4"},
                      {"COMPANY", "DEMO"}, {"CREATOR", "DS"}, {"CREATE_DATE", T}, {"FLAG", 1}});
    }
  }

  static std::string Today() { return FormatDateTime("yyyymmdd", Date()); }

  testsupport::TTempFolder Folder_;
  std::unique_ptr<TADOConnection> Db_;
  std::unique_ptr<TADOQuery> Query_;
};

TEST_P(StatementsTest, DefinitionQueryReadsTheProgramsKindSixLinesWithEmptyTextForNull) {
  Db_->Execute(
      "INSERT INTO DEMO..TMCMC VALUES ('A', '1', 'qvxb27'); INSERT INTO DEMO..TMCMC VALUES ('B', '1', 'OTHER');"
      "INSERT INTO DEMO..TMCMD VALUES ('A', '1', 'x', '6', 'y', 'first');"
      "INSERT INTO DEMO..TMCMD VALUES ('A', '1', 'x', '6', 'y', NULL);"
      "INSERT INTO DEMO..TMCMD VALUES ('A', '1', 'x', '5', 'y', 'kind five');"
      "INSERT INTO DEMO..TMCMD VALUES ('B', '1', 'x', '6', 'y', 'other program')");
  Select(StringReplaceAll(DefinitionSql, "$$", "DEMO.."), {{"MC005", "QVXB27"}, {"MD004", "6"}});
  std::vector<std::string> Texts;
  for (Query_->First(); !Query_->Eof(); Query_->Next()) {
    EXPECT_FALSE(Query_->FieldByName("MD007")->IsNull());
    Texts.push_back(Query_->FieldByName("md007")->AsString());
  }
  std::sort(Texts.begin(), Texts.end());
  EXPECT_EQ(Texts, (std::vector<std::string>{"", "first"}));
}

TEST_P(StatementsTest, GetDateGivesTheServersTimeWithMilliseconds) {
  Select(" SELECT GETDATE() DATEX ");
  const TDateTime Server = Query_->FieldByName("DATEX")->AsDateTime();
  EXPECT_NEAR(Server, Now(), 5.0 / 86400);
  EXPECT_EQ(FormatDateTime("YYYYMMDDHHNNSSZZZ", Server).size(), 17u);
}

struct TSequenceCase {
  const char* Name;
  std::vector<std::string> ExistingAlerts;  // TC001 of ADMTC rows, "D" standing for today
  std::vector<std::string> ExistingSecond;  // TD001 of ADMTD rows
  std::vector<std::string> Expected;        // TC001 of the new rows
};

TEST_P(StatementsTest, AlertsGetTheDaysNextNumberAcrossBothTables) {
  const std::string D = Today();
  const TSequenceCase Cases[] = {
      {"first alert of the day", {"20000101000009"}, {}, {D + "000001", D + "000002"}},
      {"continues after the higher table", {D + "000003", "20000101000009"}, {D + "000005"},
       {D + "000006", D + "000007"}},
  };
  Db_->Execute(
      "INSERT INTO DEMO..TMCMC VALUES ('A', '1', 'QVXB27');"
      "INSERT INTO DEMO..TMCMD VALUES ('A', '1', 'x', '6', 'y', 'first');"
      "INSERT INTO DEMO..TMCMD VALUES ('A', '1', 'x', '6', 'y', '   ');"
      "INSERT INTO DEMO..TMCMD VALUES ('A', '1', 'x', '6', 'y', 'second')");
  for (const TSequenceCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Db_->Execute("DELETE FROM ADMTC; DELETE FROM ADMTD");
    for (const std::string& N : Case.ExistingAlerts)
      Run("INSERT INTO ADMTC (TC001, TC004) VALUES (:N, :T)", {{"N", N}, {"T", N.substr(0, 8) + "120000000"}});
    for (const std::string& N : Case.ExistingSecond)
      Run("INSERT INTO ADMTD (TD001, TD004) VALUES (:N, :T)", {{"N", N}, {"T", N.substr(0, 8) + "120000000"}});
    WriteAlerts("qvxb27");
    std::vector<std::string> Expected;
    for (const std::string& N : Case.Expected) Expected.push_back(N);
    std::vector<std::string> Actual = Rows("SELECT TC001 FROM ADMTC WHERE TC002 = 'DS'");
    EXPECT_EQ(Actual, Expected);
    EXPECT_EQ(Rows("SELECT TC008, TC005, TC009, COMPANY, CREATOR, FLAG FROM ADMTC WHERE TC002 = 'DS'"),
              (std::vector<std::string>{"first|N|4|DEMO|DS|1", "second|N|4|DEMO|DS|1"}));
    Select("SELECT TC004, CREATE_DATE FROM ADMTC WHERE TC002 = 'DS'");
    EXPECT_EQ(Query_->FieldByName("TC004")->AsString().substr(0, 8), D);
    EXPECT_EQ(Query_->FieldByName("TC004")->AsString(), Query_->FieldByName("CREATE_DATE")->AsString());
  }
}

TEST_P(StatementsTest, ValuesTravelAsParametersAndNeverAsSql) {
  const std::string Hostile = "x'); DROP TABLE ADMTD; -- :TC002 $1 ?1";
  Run("INSERT INTO ADMTC (TC001, TC008) VALUES (:TC001, :TC008)", {{"TC001", "1"}, {"TC008", Hostile}});
  EXPECT_EQ(Rows("SELECT TC008 FROM ADMTC"), std::vector<std::string>{Hostile});
  EXPECT_EQ(Rows("SELECT COUNT(*) FROM ADMTD"), std::vector<std::string>{"0"});
  // A parameter sign inside a string literal is text, not a parameter.
  EXPECT_EQ(Rows("SELECT ':TC001' || ' ok' A"), std::vector<std::string>{":TC001 ok"});
}

TEST_P(StatementsTest, BadNamesAndMissingValuesRaiseErrorsNamingThem) {
  Query_->SQL()->Add("SELECT TC001 FROM ADMTC WHERE TC002 = :USER AND TC005 = :user");
  EXPECT_EQ(Query_->Parameters().Count(), 1);
  try {
    Query_->ParamByName("NOPE");
    FAIL() << "an unknown parameter was accepted";
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "Parameter 'NOPE' not found");
  }
  try {
    Query_->Open();
    FAIL() << "a query without a parameter value ran";
  } catch (const EDatabaseError& E) {
    EXPECT_NE(E.Message().find("'USER'"), std::string::npos) << E.Message();
  }
  Query_->ParamByName("User").SetAsString("DS");
  Query_->Open();
  try {
    Query_->FieldByName("TC999");
    FAIL() << "an unknown field was accepted";
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "Field 'TC999' not found");
  }
  EXPECT_THROW(Db_->Execute("SELECT * FROM NO_SUCH_TABLE"), EDBEngineError);
}

TEST_P(StatementsTest, FieldsReadTheirValuesByType) {
  Db_->Execute("CREATE TABLE T (I INT, B BIGINT, F FLOAT, S VARCHAR(8), W TIMESTAMP)");
  const TDateTime Stamp = EncodeDate(2026, 12, 11) + EncodeTime(14, 5, 9, 42);
  Run("INSERT INTO T VALUES (:I, :B, :F, :S, :W)",
      {{"I", 7}, {"B", 12345678901234LL}, {"F", 2.5}, {"S", "abc"}, {"W", VarFromDateTime(Stamp)}});
  Run("INSERT INTO T (I) VALUES (:I)", {{"I", Null()}});
  Select("SELECT I, B, F, S, W FROM T ORDER BY CASE WHEN S IS NULL THEN 1 ELSE 0 END");
  EXPECT_EQ(Query_->FieldByName("I")->DataType(), ftInteger);
  EXPECT_EQ(Query_->FieldByName("I")->AsInteger(), 7);
  EXPECT_EQ(Query_->FieldByName("B")->AsLargeInt(), 12345678901234LL);
  EXPECT_DOUBLE_EQ(Query_->FieldByName("F")->AsFloat(), 2.5);
  EXPECT_EQ(Query_->FieldByName("S")->AsString(), "abc");
  EXPECT_EQ(Query_->FieldByName("S")->Size(), 8);
  EXPECT_EQ(Query_->FieldByName("W")->DataType(), ftDateTime);
  EXPECT_NEAR(Query_->FieldByName("W")->AsDateTime(), Stamp, 0.5 / 86400000);
  Query_->Next();
  EXPECT_TRUE(Query_->FieldByName("S")->IsNull());
  EXPECT_EQ(Query_->FieldByName("S")->AsString(), "");
  Query_->Next();
  EXPECT_TRUE(Query_->Eof());
  EXPECT_EQ(Query_->RecordCount(), 2);
  // A query is read-only: nothing would reach the database.
  EXPECT_THROW(Query_->Edit(), EDatabaseError);
}

TEST_P(StatementsTest, DisconnectClosesTheQueriesAndReconnectWorks) {
  Select("SELECT TC001 FROM ADMTC");
  Db_->SetConnected(false);
  EXPECT_FALSE(Query_->Active());
  EXPECT_FALSE(Db_->Connected());
  Select("SELECT TC001 FROM ADMTC");  // connects again on demand
  EXPECT_TRUE(Db_->Connected());
}

INSTANTIATE_TEST_SUITE_P(Engines, StatementsTest, testing::Values(TEngine::SQLite, TEngine::PostgreSQL),
                         EngineName);

}  // namespace
