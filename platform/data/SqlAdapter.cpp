#include "platform/data/SqlAdapter.h"

#include <algorithm>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/data/SqlTokenizer.h"

namespace {

struct TTypeMapping {
  const char* SqlServer;
  const char* SQLite;
  const char* PostgreSQL;
};

// SQLite reads a type name by its affinity: DATETIME would turn a date text
// into a number, so dates stay text there.
const TTypeMapping TypeMappings[] = {
    {"DATETIME", "TEXT", "TIMESTAMP"},   {"SMALLDATETIME", "TEXT", "TIMESTAMP"},
    {"DATETIME2", "TEXT", "TIMESTAMP"},  {"NVARCHAR", "VARCHAR", "VARCHAR"},
    {"NCHAR", "CHAR", "CHAR"},           {"NTEXT", "TEXT", "TEXT"},
    {"TINYINT", "SMALLINT", "SMALLINT"}, {"BIT", "INTEGER", "BOOLEAN"},
};

class TSqlRewriter {
 public:
  TSqlRewriter(const std::string& Sql, TSqlDialect Dialect) : Tokens_(TokenizeSql(Sql)), Dialect_(Dialect) {}

  TAdaptedSql Run() {
    Result_.Text = Emit(0, Tokens_.size() - 1);
    Result_.Text += Tokens_.back().Leading;
    return std::move(Result_);
  }

 private:
  // The text of tokens [Begin, End), rewritten.
  std::string Emit(size_t Begin, size_t End) {
    std::string Out;
    for (size_t I = Begin; I < End;) I = EmitAt(I, End, Out);
    return Out;
  }

  // Emits the construct starting at token I; returns the index after it.
  size_t EmitAt(size_t I, size_t End, std::string& Out) {
    const TSqlToken& T = Tokens_[I];
    if (T.Kind == TSqlTokenKind::Parameter) {
      Out += T.Leading + Placeholder(T.Text.substr(1));
      return I + 1;
    }
    if (T.Kind == TSqlTokenKind::Word) {
      if (I + 3 < End && Tokens_[I + 1].IsSymbol(".") && Tokens_[I + 2].IsSymbol(".") &&
          IsName(Tokens_[I + 3])) {
        Out += T.Leading + DatabaseQualifier(T.Text) + "." + Tokens_[I + 3].Text;
        return I + 4;
      }
      if (IsCall(I, End)) {
        if (T.IsWord("ISNULL")) {
          Out += T.Leading + "COALESCE";
          return I + 1;
        }
        if (T.IsWord("GETDATE")) return EmitGetDate(I, End, Out);
        if (T.IsWord("CONVERT")) return EmitConvert(I, End, Out);
        if (T.IsWord("CAST")) return EmitCast(I, End, Out);
      }
    }
    Out += T.Leading + T.Text;
    return I + 1;
  }

  static bool IsName(const TSqlToken& T) {
    return T.Kind == TSqlTokenKind::Word || T.Kind == TSqlTokenKind::QuotedName;
  }

  bool IsCall(size_t I, size_t End) const { return I + 1 < End && Tokens_[I + 1].IsSymbol("("); }

  // The index of the ")" matching the "(" at Open.
  size_t MatchingParen(size_t Open, size_t End) const {
    int Depth = 0;
    for (size_t I = Open; I < End; ++I) {
      if (Tokens_[I].IsSymbol("(")) ++Depth;
      if (Tokens_[I].IsSymbol(")") && --Depth == 0) return I;
    }
    Fail("has no closing parenthesis", Tokens_[Open - 1]);
  }

  // Indices of the tokens in (Open, Close) at depth 0 that satisfy Test.
  template <class Pred>
  std::vector<size_t> TopLevel(size_t Open, size_t Close, Pred Test) const {
    std::vector<size_t> Found;
    int Depth = 0;
    for (size_t I = Open + 1; I < Close; ++I) {
      if (Tokens_[I].IsSymbol("(")) ++Depth;
      if (Tokens_[I].IsSymbol(")")) --Depth;
      if (Depth == 0 && Test(Tokens_[I])) Found.push_back(I);
    }
    return Found;
  }

  size_t EmitGetDate(size_t I, size_t End, std::string& Out) {
    const size_t Close = MatchingParen(I + 1, End);
    if (Close != I + 2) Fail("takes no arguments", Tokens_[I]);
    Out += Tokens_[I].Leading;
    Out += Dialect_ == TSqlDialect::SQLite ? "strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime')"
                                           : "LOCALTIMESTAMP(3)";
    return Close + 1;
  }

  size_t EmitConvert(size_t I, size_t End, std::string& Out) {
    const size_t Open = I + 1;
    const size_t Close = MatchingParen(Open, End);
    const auto Commas = TopLevel(Open, Close, [](const TSqlToken& T) { return T.IsSymbol(","); });
    if (Commas.size() > 1) Fail("with a style argument is not supported", Tokens_[I]);
    if (Commas.size() != 1 || Commas[0] == Open + 1 || Commas[0] + 1 == Close)
      Fail("needs a type and an expression", Tokens_[I]);
    Out += Tokens_[I].Leading + "CAST(" + Trim(Emit(Commas[0] + 1, Close)) + " AS " +
           TypeText(Open + 1, Commas[0]) + ")";
    return Close + 1;
  }

  size_t EmitCast(size_t I, size_t End, std::string& Out) {
    const size_t Open = I + 1;
    const size_t Close = MatchingParen(Open, End);
    const auto As = TopLevel(Open, Close, [](const TSqlToken& T) { return T.IsWord("AS"); });
    if (As.size() != 1 || As[0] == Open + 1 || As[0] + 1 == Close) Fail("needs an expression AS a type", Tokens_[I]);
    Out += Tokens_[I].Leading + Tokens_[I].Text + Tokens_[Open].Leading + "(" + Emit(Open + 1, As[0]) +
           Tokens_[As[0]].Leading + Tokens_[As[0]].Text + " " + TypeText(As[0] + 1, Close) + ")";
    return Close + 1;
  }

  // The type of tokens [Begin, End) with its name mapped: "NVARCHAR(20)".
  std::string TypeText(size_t Begin, size_t End) const {
    std::string Text = MappedTypeName(Tokens_[Begin]);
    for (size_t I = Begin + 1; I < End; ++I) Text += Tokens_[I].Leading + Tokens_[I].Text;
    return Text;
  }

  std::string MappedTypeName(const TSqlToken& T) const {
    for (const TTypeMapping& M : TypeMappings)
      if (T.IsWord(M.SqlServer)) return Dialect_ == TSqlDialect::SQLite ? M.SQLite : M.PostgreSQL;
    return T.Text;
  }

  std::string Placeholder(const std::string& Name) {
    auto& Names = Result_.ParamNames;
    auto Found = std::find_if(Names.begin(), Names.end(), [&](const std::string& N) { return SameText(N, Name); });
    if (Found == Names.end()) Found = Names.insert(Names.end(), Name);
    const std::string Number = IntToStr(Found - Names.begin() + 1);
    return (Dialect_ == TSqlDialect::SQLite ? "?" : "$") + Number;
  }

  std::string DatabaseQualifier(const std::string& Database) {
    const std::string Upper = UpperCase(Database);
    auto& Databases = Result_.Databases;
    if (std::find(Databases.begin(), Databases.end(), Upper) == Databases.end()) Databases.push_back(Upper);
    if (Dialect_ == TSqlDialect::SQLite) return Database;
    return "\"" + LowerCase(Database) + "\"";
  }

  [[noreturn]] void Fail(const std::string& Problem, const TSqlToken& At) const {
    throw EDatabaseError(UpperCase(At.Text) + " " + Problem + " (SQL text at position " +
                         IntToStr(static_cast<int64_t>(At.Offset) + 1) + ")");
  }

  std::vector<TSqlToken> Tokens_;
  TSqlDialect Dialect_;
  TAdaptedSql Result_;
};

}  // namespace

TAdaptedSql AdaptSql(const std::string& Sql, TSqlDialect Dialect) { return TSqlRewriter(Sql, Dialect).Run(); }
