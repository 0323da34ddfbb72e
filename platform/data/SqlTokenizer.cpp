#include "platform/data/SqlTokenizer.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

namespace {

bool IsWordStart(unsigned char C) {
  return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_' || C == '@' || C == '#' ||
         C == '$' || C >= 0x80;
}

bool IsWordChar(unsigned char C) { return IsWordStart(C) || (C >= '0' && C <= '9'); }

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

[[noreturn]] void Unterminated(const char* What, size_t Offset) {
  throw EDatabaseError(std::string("Unterminated ") + What + " in SQL text at position " +
                       IntToStr(static_cast<int64_t>(Offset) + 1));
}

class TSqlScanner {
 public:
  explicit TSqlScanner(const std::string& Sql) : S_(Sql) {}

  std::vector<TSqlToken> Run() {
    std::vector<TSqlToken> Tokens;
    for (;;) {
      std::string Leading = SkipBlanksAndComments();
      TSqlToken Token{TSqlTokenKind::End, "", std::move(Leading), P_};
      if (P_ < S_.size()) ReadToken(Token);
      const bool AtEnd = Token.Kind == TSqlTokenKind::End;
      Tokens.push_back(std::move(Token));
      if (AtEnd) return Tokens;
    }
  }

 private:
  char At(size_t I) const { return I < S_.size() ? S_[I] : '\0'; }

  std::string SkipBlanksAndComments() {
    const size_t Start = P_;
    for (;;) {
      if (P_ < S_.size() && static_cast<unsigned char>(S_[P_]) <= ' ') {
        ++P_;
      } else if (At(P_) == '-' && At(P_ + 1) == '-') {
        while (P_ < S_.size() && S_[P_] != '\n') ++P_;
      } else if (At(P_) == '/' && At(P_ + 1) == '*') {
        const size_t Close = S_.find("*/", P_ + 2);
        if (Close == std::string::npos) Unterminated("comment", P_);
        P_ = Close + 2;
      } else {
        return S_.substr(Start, P_ - Start);
      }
    }
  }

  void ReadToken(TSqlToken& Token) {
    const size_t Start = P_;
    const char C = S_[P_];
    if ((C == 'N' || C == 'n') && At(P_ + 1) == '\'') {
      ++P_;
      ReadQuoted('\'', "string", Start);
      Token.Kind = TSqlTokenKind::String;
    } else if (C == '\'') {
      ReadQuoted('\'', "string", Start);
      Token.Kind = TSqlTokenKind::String;
    } else if (C == '"') {
      ReadQuoted('"', "quoted name", Start);
      Token.Kind = TSqlTokenKind::QuotedName;
    } else if (C == '[') {
      ReadQuoted(']', "quoted name", Start);
      Token.Kind = TSqlTokenKind::QuotedName;
    } else if (IsWordStart(static_cast<unsigned char>(C))) {
      while (P_ < S_.size() && IsWordChar(static_cast<unsigned char>(S_[P_]))) ++P_;
      Token.Kind = TSqlTokenKind::Word;
    } else if (IsDigit(C) || (C == '.' && IsDigit(At(P_ + 1)))) {
      ReadNumber();
      Token.Kind = TSqlTokenKind::Number;
    } else if (C == ':' && IsWordChar(static_cast<unsigned char>(At(P_ + 1)))) {
      ++P_;
      while (P_ < S_.size() && IsWordChar(static_cast<unsigned char>(S_[P_]))) ++P_;
      Token.Kind = TSqlTokenKind::Parameter;
    } else {
      static const char* const Pairs[] = {"<>", "<=", ">=", "!=", "||", "::"};
      P_ += 1;
      for (const char* Pair : Pairs)
        if (C == Pair[0] && At(Start + 1) == Pair[1]) P_ = Start + 2;
      Token.Kind = TSqlTokenKind::Symbol;
    }
    Token.Text = S_.substr(Start, P_ - Start);
  }

  // P_ is on the opening quote; a doubled closing quote stands for itself.
  void ReadQuoted(char Close, const char* What, size_t Start) {
    ++P_;
    for (;;) {
      const size_t Found = S_.find(Close, P_);
      if (Found == std::string::npos) Unterminated(What, Start);
      P_ = Found + 1;
      if (At(P_) != Close) return;
      ++P_;
    }
  }

  void ReadNumber() {
    while (IsDigit(At(P_))) ++P_;
    if (At(P_) == '.') {
      ++P_;
      while (IsDigit(At(P_))) ++P_;
    }
    const bool Exponent = (At(P_) == 'e' || At(P_) == 'E') &&
                          (IsDigit(At(P_ + 1)) || ((At(P_ + 1) == '+' || At(P_ + 1) == '-') && IsDigit(At(P_ + 2))));
    if (Exponent) {
      P_ += 2;
      while (IsDigit(At(P_))) ++P_;
    }
  }

  const std::string& S_;
  size_t P_ = 0;
};

}  // namespace

bool TSqlToken::IsWord(const char* Word) const { return Kind == TSqlTokenKind::Word && SameText(Text, Word); }

bool TSqlToken::IsSymbol(const char* Symbol) const {
  return Kind == TSqlTokenKind::Symbol && Text == Symbol;
}

std::vector<TSqlToken> TokenizeSql(const std::string& Sql) { return TSqlScanner(Sql).Run(); }

std::vector<std::string> SqlParameterNames(const std::string& Sql) {
  std::vector<std::string> Names;
  for (const TSqlToken& Token : TokenizeSql(Sql)) {
    if (Token.Kind != TSqlTokenKind::Parameter) continue;
    const std::string Name = Token.Text.substr(1);
    bool Known = false;
    for (const std::string& N : Names) Known = Known || SameText(N, Name);
    if (!Known) Names.push_back(Name);
  }
  return Names;
}
