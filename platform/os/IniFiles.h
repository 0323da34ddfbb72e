#pragma once

#include <string>
#include <vector>

#include "platform/core/Object.h"

class TStrings;

// A read-only INI file, read once at construction.
//
// Sections and keys are case-insensitive (ASCII); the first occurrence of a
// key wins, and a section named twice gathers the keys of both (its first
// occurrence still winning). Keys and values are trimmed, and a value wrapped
// in one pair of matching quotes ('...' or "...") loses them, as the classic
// Windows profile calls do. A line whose first non-blank character is ";" is
// a comment; lines before the first section, and lines with no "=", are
// ignored.
//
// The file is UTF-8 (a UTF-8 or UTF-16LE byte-order mark is honoured); a file
// that is not valid UTF-8 is taken to be in the system code page
// (GetSystemCodePage) and converted. A missing or unreadable file is an empty INI.
class TIniFile : public TObject {
 public:
  explicit TIniFile(const std::string& FileName);

  const std::string& FileName() const { return FileName_; }

  // Default when the section or key is missing ("key=" gives "").
  std::string ReadString(const std::string& Section, const std::string& Ident,
                         const std::string& Default) const;
  // Decimal, "$1A" or "0x1A"; Default when missing or not an integer.
  int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
  // The classic rule: ReadInteger(Section, Ident, Default ? 1 : 0) != 0, so
  // "1" and "-1" are true, "0" false, and "True" gives Default.
  bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;
  // "." as the decimal separator, exponent allowed; Default when missing or
  // not a number.
  double ReadFloat(const std::string& Section, const std::string& Ident, double Default) const;

  // Replace the contents of Strings with: the section's key names / its
  // "key=value" lines / every section name, in file order.
  void ReadSection(const std::string& Section, TStrings* Strings) const;
  void ReadSectionValues(const std::string& Section, TStrings* Strings) const;
  void ReadSections(TStrings* Strings) const;
  // True when the file has the section's header (even with no keys).
  bool SectionExists(const std::string& Section) const;
  bool ValueExists(const std::string& Section, const std::string& Ident) const;

 private:
  struct TIniKey {
    std::string Name;
    std::string Value;
  };
  struct TIniSection {
    std::string Name;
    std::vector<TIniKey> Keys;
  };

  const TIniSection* FindSection(const std::string& Section) const;
  const TIniKey* FindKey(const std::string& Section, const std::string& Ident) const;
  void Parse(const std::string& Text);

  std::string FileName_;
  std::vector<TIniSection> Sections_;
};
