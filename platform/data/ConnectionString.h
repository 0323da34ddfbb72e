#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// A connection string in the ADO layout: "Key=Value" parts separated by ";".
// Keys ignore case and surrounding blanks; a value may be quoted with " or '
// (the quote doubled inside) to hold ";" or blanks at its ends; a key given
// twice keeps its last value; empty parts are skipped. A part without "=" or
// with an empty key, and an unterminated quote, raise EDatabaseError.
//
//   Provider=SQLite;Data Source=/var/lib/tandrel/suite.db
//   Provider=PostgreSQL;Host=127.0.0.1;Port=5432;Database=suite;User ID=tandrel;Password="a;b"

class TConnectionString {
 public:
  explicit TConnectionString(const std::string& Text);

  bool HasKey(const std::string& Key) const;
  // "" when the key is absent.
  std::string Value(const std::string& Key) const;
  // The first of Keys that is present, else "".
  std::string ValueOfAny(std::initializer_list<const char*> Keys) const;
  // Keys in the order first given, with their values.
  const std::vector<std::pair<std::string, std::string>>& Pairs() const { return Pairs_; }

 private:
  void Set(const std::string& Key, const std::string& Value);
  std::vector<std::pair<std::string, std::string>> Pairs_;
};
