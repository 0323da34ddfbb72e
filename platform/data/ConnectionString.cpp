#include "platform/data/ConnectionString.h"

#include <algorithm>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

namespace {

// Reads a quoted value starting at Text[Pos] (the quote); Pos ends after it.
std::string ReadQuoted(const std::string& Text, size_t& Pos) {
  const char Quote = Text[Pos++];
  std::string Value;
  while (Pos < Text.size()) {
    const char C = Text[Pos++];
    if (C != Quote) {
      Value += C;
    } else if (Pos < Text.size() && Text[Pos] == Quote) {
      Value += Quote;
      ++Pos;
    } else {
      return Value;
    }
  }
  throw EDatabaseError("Connection string has an unterminated quoted value");
}

}  // namespace

TConnectionString::TConnectionString(const std::string& Text) {
  size_t Pos = 0;
  int Part = 0;
  while (Pos < Text.size()) {
    ++Part;
    const size_t PartEnd = std::min(Text.find(';', Pos), Text.size());
    const size_t Equals = Text.find('=', Pos);
    if (Equals == std::string::npos || Equals > PartEnd) {
      if (!Trim(Text.substr(Pos, PartEnd - Pos)).empty())
        throw EDatabaseError("Connection string part " + IntToStr(Part) + " has no '='");
      Pos = PartEnd + 1;
      continue;
    }
    const std::string Key = Trim(Text.substr(Pos, Equals - Pos));
    if (Key.empty()) throw EDatabaseError("Connection string part " + IntToStr(Part) + " has no key");
    Pos = Equals + 1;
    while (Pos < Text.size() && Text[Pos] == ' ') ++Pos;
    std::string Value;
    if (Pos < Text.size() && (Text[Pos] == '"' || Text[Pos] == '\'')) {
      Value = ReadQuoted(Text, Pos);
      const size_t Next = std::min(Text.find(';', Pos), Text.size());
      if (!Trim(Text.substr(Pos, Next - Pos)).empty())
        throw EDatabaseError("Connection string value of '" + Key + "' has text after its closing quote");
      Pos = Next + 1;
    } else {
      Value = Trim(Text.substr(Pos, PartEnd - Pos));
      Pos = PartEnd + 1;
    }
    Set(Key, Value);
  }
}

void TConnectionString::Set(const std::string& Key, const std::string& Value) {
  for (auto& [K, V] : Pairs_)
    if (SameText(K, Key)) {
      V = Value;
      return;
    }
  Pairs_.emplace_back(Key, Value);
}

bool TConnectionString::HasKey(const std::string& Key) const {
  for (const auto& Pair : Pairs_)
    if (SameText(Pair.first, Key)) return true;
  return false;
}

std::string TConnectionString::Value(const std::string& Key) const {
  for (const auto& [K, V] : Pairs_)
    if (SameText(K, Key)) return V;
  return "";
}

std::string TConnectionString::ValueOfAny(std::initializer_list<const char*> Keys) const {
  for (const char* Key : Keys)
    if (HasKey(Key)) return Value(Key);
  return "";
}
