#include "platform/os/IniFiles.h"

#include <fstream>
#include <sstream>

#include "platform/core/Classes.h"
#include "platform/core/CodePage.h"
#include "platform/core/TextBasics.h"

namespace {

std::string ReadFileBytes(const std::string& FileName) {
  std::ifstream In(FileName, std::ios::binary);
  if (!In) return std::string();
  std::ostringstream Buffer;
  Buffer << In.rdbuf();
  return Buffer.str();
}

std::string DecodeIniText(const std::string& Bytes) {
  if (Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return Bytes.substr(3);
  if (Bytes.compare(0, 2, "\xFF\xFE") == 0) return CodePageBytesToUnicode(Bytes.substr(2), CP_UTF16LE);
  if (textbasics::IsValidUtf8(Bytes)) return Bytes;
  return CodePageBytesToUnicode(Bytes, GetSystemCodePage());
}

std::string Unquoted(const std::string& V) {
  if (V.size() >= 2 && (V.front() == '"' || V.front() == '\'') && V.back() == V.front())
    return V.substr(1, V.size() - 2);
  return V;
}

template <class Fn>
void FillStrings(TStrings* Strings, Fn&& Fill) {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    Fill();
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

}  // namespace

TIniFile::TIniFile(const std::string& FileName) : FileName_(FileName) {
  Parse(DecodeIniText(ReadFileBytes(FileName)));
}

void TIniFile::Parse(const std::string& Text) {
  TIniSection* Current = nullptr;
  textbasics::ForEachLine(Text, [&](const std::string& Raw) {
    const std::string Line = textbasics::Trim(Raw);
    if (Line.empty() || Line[0] == ';') return;
    if (Line[0] == '[') {
      const size_t Close = Line.find(']');
      const std::string Name =
          textbasics::Trim(Line.substr(1, Close == std::string::npos ? std::string::npos : Close - 1));
      Current = nullptr;
      for (TIniSection& S : Sections_)
        if (textbasics::SameTextAscii(S.Name, Name)) Current = &S;
      if (Current == nullptr) {
        Sections_.push_back(TIniSection{Name, {}});
        Current = &Sections_.back();
      }
      return;
    }
    const size_t Eq = Line.find('=');
    if (Current == nullptr || Eq == std::string::npos) return;
    const std::string Key = textbasics::Trim(Line.substr(0, Eq));
    if (Key.empty()) return;
    for (const TIniKey& K : Current->Keys)
      if (textbasics::SameTextAscii(K.Name, Key)) return;  // the first one wins
    Current->Keys.push_back(TIniKey{Key, Unquoted(textbasics::Trim(Line.substr(Eq + 1)))});
  });
}

const TIniFile::TIniSection* TIniFile::FindSection(const std::string& Section) const {
  const std::string Name = textbasics::Trim(Section);
  for (const TIniSection& S : Sections_)
    if (textbasics::SameTextAscii(S.Name, Name)) return &S;
  return nullptr;
}

const TIniFile::TIniKey* TIniFile::FindKey(const std::string& Section, const std::string& Ident) const {
  const TIniSection* S = FindSection(Section);
  if (S == nullptr) return nullptr;
  const std::string Name = textbasics::Trim(Ident);
  for (const TIniKey& K : S->Keys)
    if (textbasics::SameTextAscii(K.Name, Name)) return &K;
  return nullptr;
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) const {
  const TIniKey* K = FindKey(Section, Ident);
  return K == nullptr ? Default : K->Value;
}

int TIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) const {
  int Value = 0;
  return textbasics::TryParseInteger(ReadString(Section, Ident, std::string()), Value) ? Value : Default;
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const std::string& Section, const std::string& Ident, double Default) const {
  double Value = 0;
  return textbasics::TryParseFloat(ReadString(Section, Ident, std::string()), Value) ? Value : Default;
}

void TIniFile::ReadSection(const std::string& Section, TStrings* Strings) const {
  if (Strings == nullptr) return;
  FillStrings(Strings, [&] {
    if (const TIniSection* S = FindSection(Section))
      for (const TIniKey& K : S->Keys) Strings->Add(K.Name);
  });
}

void TIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings) const {
  if (Strings == nullptr) return;
  FillStrings(Strings, [&] {
    if (const TIniSection* S = FindSection(Section))
      for (const TIniKey& K : S->Keys) Strings->Add(K.Name + "=" + K.Value);
  });
}

void TIniFile::ReadSections(TStrings* Strings) const {
  if (Strings == nullptr) return;
  FillStrings(Strings, [&] {
    for (const TIniSection& S : Sections_) Strings->Add(S.Name);
  });
}

bool TIniFile::SectionExists(const std::string& Section) const { return FindSection(Section) != nullptr; }

bool TIniFile::ValueExists(const std::string& Section, const std::string& Ident) const {
  return FindKey(Section, Ident) != nullptr;
}
