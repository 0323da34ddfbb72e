#pragma once

#include <string>
#include <vector>

// Splits an SQL text into tokens, so that rewriting never looks inside string
// literals, quoted names or comments. Each token keeps the blanks and
// comments before it, so joining Leading + Text of every token gives the
// text back unchanged.

enum class TSqlTokenKind {
  Word,        // identifier or keyword: letters, digits, _ @ # $, non-ASCII
  QuotedName,  // "name" or [name]
  String,      // 'text' with '' inside, also N'text'
  Number,
  Parameter,   // :NAME; Text holds the whole ":NAME"
  Symbol,      // one character, or one of <> <= >= != || ::
  End          // after the last token; Leading holds the trailing blanks
};

struct TSqlToken {
  TSqlTokenKind Kind;
  std::string Text;
  std::string Leading;
  size_t Offset = 0;  // byte offset of Text in the source

  bool IsWord(const char* Word) const;  // a Word token equal to Word ignoring case
  bool IsSymbol(const char* Symbol) const;
};

// Raises EDatabaseError for an unterminated string, quoted name or comment,
// naming its position (counted from 1).
std::vector<TSqlToken> TokenizeSql(const std::string& Sql);

// The names of the :NAME parameters in order of first use, each once
// (compared without regard to case).
std::vector<std::string> SqlParameterNames(const std::string& Sql);
