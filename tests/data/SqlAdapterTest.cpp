#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/DbEngine.h"
#include "platform/data/SqlAdapter.h"
#include "platform/data/SqlTokenizer.h"

namespace {

struct TAdaptCase {
  const char* Sql;
  const char* SQLite;
  const char* PostgreSQL;
};

TEST(SqlAdapterTest, RewritesSqlServerTextsForEachEngine) {
  const TAdaptCase Cases[] = {
      {"SELECT A FROM T", "SELECT A FROM T", "SELECT A FROM T"},
      {"SELECT X FROM DEMO..TMCMD", "SELECT X FROM DEMO.TMCMD", "SELECT X FROM \"demo\".TMCMD"},
      {"SELECT isnull(MD007, '') MD007", "SELECT COALESCE(MD007, '') MD007", "SELECT COALESCE(MD007, '') MD007"},
      {" SELECT GETDATE() DATEX ", " SELECT strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime') DATEX ",
       " SELECT LOCALTIMESTAMP(3) DATEX "},
      {"CONVERT(CHAR(14), CAST(MAX(TC001) AS BIGINT) + 1)", "CAST(CAST(MAX(TC001) AS BIGINT) + 1 AS CHAR(14))",
       "CAST(CAST(MAX(TC001) AS BIGINT) + 1 AS CHAR(14))"},
      {"CAST(A AS DATETIME)", "CAST(A AS TEXT)", "CAST(A AS TIMESTAMP)"},
      {"CONVERT(NVARCHAR(5), ISNULL(A, B))", "CAST(COALESCE(A, B) AS VARCHAR(5))",
       "CAST(COALESCE(A, B) AS VARCHAR(5))"},
      {"WHERE A = :X AND B = :Y OR C = :x", "WHERE A = ?1 AND B = ?2 OR C = ?1", "WHERE A = $1 AND B = $2 OR C = $1"},
      // Literals, quoted names and comments are left alone.
      {"SELECT 'DB..T :X ISNULL(' \"GETDATE()\" -- :Y\n/* :Z */", "SELECT 'DB..T :X ISNULL(' \"GETDATE()\" -- :Y\n/* :Z */",
       "SELECT 'DB..T :X ISNULL(' \"GETDATE()\" -- :Y\n/* :Z */"},
      {"SELECT 'it''s', N'x' FROM T", "SELECT 'it''s', N'x' FROM T", "SELECT 'it''s', N'x' FROM T"},
  };
  for (const TAdaptCase& Case : Cases) {
    SCOPED_TRACE(Case.Sql);
    EXPECT_EQ(AdaptSql(Case.Sql, TSqlDialect::SQLite).Text, Case.SQLite);
    EXPECT_EQ(AdaptSql(Case.Sql, TSqlDialect::PostgreSQL).Text, Case.PostgreSQL);
  }
}

TEST(SqlAdapterTest, ReportsParametersAndCompanyDatabases) {
  const TAdaptedSql A = AdaptSql("SELECT * FROM demo..A JOIN DEMO..B ON :P = :q WHERE :p = 1", TSqlDialect::SQLite);
  EXPECT_EQ(A.ParamNames, (std::vector<std::string>{"P", "q"}));
  EXPECT_EQ(A.Databases, std::vector<std::string>{"DEMO"});
  EXPECT_EQ(SqlParameterNames("VALUES (:TC001, :TC002,:COMPANY, ':NOT')"),
            (std::vector<std::string>{"TC001", "TC002", "COMPANY"}));
}

TEST(SqlAdapterTest, TokensGiveTheTextBackUnchanged) {
  const std::string Sql = " SELECT a.b::int, x<>y, 1.5e3 FROM [t] -- end\n";
  std::string Joined;
  for (const TSqlToken& T : TokenizeSql(Sql)) Joined += T.Leading + T.Text;
  EXPECT_EQ(Joined, Sql);
}

TEST(SqlAdapterTest, MalformedTextsRaiseClearErrors) {
  const std::pair<const char*, const char*> Cases[] = {
      {"SELECT 'open", "Unterminated string in SQL text at position 8"},
      {"SELECT /* open", "Unterminated comment in SQL text at position 8"},
      {"SELECT CONVERT(CHAR(8), GETDATE(), 112)", "CONVERT with a style argument is not supported"},
      {"SELECT CONVERT(CHAR(8))", "CONVERT needs a type and an expression"},
      {"SELECT CAST(A)", "CAST needs an expression AS a type"},
      {"SELECT GETDATE(", "GETDATE has no closing parenthesis"},
      {"SELECT GETDATE(1)", "GETDATE takes no arguments"},
  };
  for (const auto& [Sql, Message] : Cases) {
    SCOPED_TRACE(Sql);
    try {
      AdaptSql(Sql, TSqlDialect::PostgreSQL);
      ADD_FAILURE() << "accepted";
    } catch (const EDatabaseError& E) {
      EXPECT_NE(E.Message().find(Message), std::string::npos) << E.Message();
    }
  }
}

TEST(ConnectionStringTest, ReadsAdoStyleParts) {
  const TConnectionString S(" Provider = PostgreSQL ;Host=127.0.0.1;;Password=\"a;b\"\"c\";PWD='x y' ;host=db");
  EXPECT_EQ(S.Value("provider"), "PostgreSQL");
  EXPECT_EQ(S.Value("HOST"), "db");
  EXPECT_EQ(S.Value("Password"), "a;b\"c");
  EXPECT_EQ(S.Value("Pwd"), "x y");
  EXPECT_EQ(S.Value("Port"), "");
  EXPECT_EQ(S.Pairs().size(), 4u);
}

TEST(ConnectionStringTest, RefusesMalformedAndUnknownSettings) {
  const std::pair<const char*, const char*> Cases[] = {
      {"Provider=SQLite;Data Source", "Connection string part 2 has no '='"},
      {"=x", "Connection string part 1 has no key"},
      {"Password=\"open", "unterminated quoted value"},
      {"Provider=Oracle", "Provider 'Oracle' is not supported"},
      {"Provider=SQLite;Data Sorce=/tmp/x.db", "key 'Data Sorce' is not known to the SQLite provider"},
      {"Provider=SQLite", "has no Data Source"},
      {"Provider=PostgreSQL;Hots=x", "key 'Hots' is not known to the PostgreSQL provider"},
  };
  for (const auto& [Text, Message] : Cases) {
    SCOPED_TRACE(Text);
    try {
      OpenDbEngine(Text);
      ADD_FAILURE() << "accepted";
    } catch (const EDatabaseError& E) {
      EXPECT_NE(E.Message().find(Message), std::string::npos) << E.Message();
    }
  }
}

}  // namespace
