#include "platform/os/Registry.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "platform/core/Classes.h"
#include "platform/core/CodePage.h"
#include "platform/core/TextBasics.h"

struct TRegistryValue {
  std::string Name;
  TRegDataType Type = rdUnknown;
  std::string Text;  // rdString, rdExpandString
  uint32_t Number = 0;  // rdInteger
  std::string Bytes;  // rdBinary
};

struct TRegistryKey {
  std::vector<TRegistryValue> Values;
  std::vector<std::string> SubKeys;  // display names, file order
};

struct TRegistryData {
  std::map<std::string, TRegistryKey> Keys;  // by folded id, see KeyId
};

namespace {

const struct {
  const char* Name;
  const char* Short;
  HKEY Key;
} Roots[] = {
    {"HKEY_CLASSES_ROOT", "HKCR", HKEY_CLASSES_ROOT},   {"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE}, {"HKEY_USERS", "HKU", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", "HKCC", HKEY_CURRENT_CONFIG},
};

bool RootOfName(const std::string& Name, HKEY& Key) {
  for (const auto& R : Roots)
    if (textbasics::SameTextAscii(Name, R.Name) || textbasics::SameTextAscii(Name, R.Short)) {
      Key = R.Key;
      return true;
    }
  return false;
}

std::vector<std::string> SplitKeyPath(const std::string& Path) {
  std::vector<std::string> Parts;
  std::string Part;
  for (char C : Path) {
    if (C == '\\') {
      if (!Part.empty()) Parts.push_back(Part);
      Part.clear();
    } else {
      Part += C;
    }
  }
  if (!Part.empty()) Parts.push_back(Part);
  return Parts;
}

std::string KeyId(HKEY Root, const std::vector<std::string>& Parts, size_t Count) {
  std::string Id = std::to_string(Root);
  for (size_t I = 0; I < Count && I < Parts.size(); ++I) Id += "\\" + textbasics::UpperAscii(Parts[I]);
  return Id;
}

const TRegistryValue* FindValue(const TRegistryKey* Key, const std::string& Name) {
  if (Key == nullptr) return nullptr;
  for (const TRegistryValue& V : Key->Values)
    if (textbasics::SameTextAscii(V.Name, Name)) return &V;
  return nullptr;
}

// Reads a quoted .reg string starting at S[Pos] == '"'; Pos ends after the
// closing quote. \\ and \" are escapes; another backslash is kept as it is.
bool ReadQuoted(const std::string& S, size_t& Pos, std::string& Out) {
  if (Pos >= S.size() || S[Pos] != '"') return false;
  ++Pos;
  Out.clear();
  while (Pos < S.size()) {
    const char C = S[Pos];
    if (C == '"') {
      ++Pos;
      return true;
    }
    if (C == '\\' && Pos + 1 < S.size() && (S[Pos + 1] == '\\' || S[Pos + 1] == '"')) {
      Out += S[Pos + 1];
      Pos += 2;
    } else {
      Out += C;
      ++Pos;
    }
  }
  return false;  // no closing quote
}

bool StartsWithText(const std::string& S, size_t Pos, const std::string& Prefix) {
  return S.size() - Pos >= Prefix.size() && textbasics::SameTextAscii(S.substr(Pos, Prefix.size()), Prefix);
}

// "01,02,ff" -> bytes; false on anything else.
bool ParseHexBytes(const std::string& Text, std::string& Bytes) {
  Bytes.clear();
  std::string Item;
  std::stringstream In(Text);
  while (std::getline(In, Item, ',')) {
    Item = textbasics::Trim(Item);
    if (Item.empty()) continue;
    unsigned B = 0;
    auto [Ptr, Ec] = std::from_chars(Item.data(), Item.data() + Item.size(), B, 16);
    if (Ec != std::errc() || Ptr != Item.data() + Item.size() || B > 0xFF) return false;
    Bytes += static_cast<char>(B);
  }
  return true;
}

std::string DecodeFileText(std::string Bytes) {
  if (Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return Bytes.substr(3);
  if (Bytes.compare(0, 2, "\xFF\xFE") == 0) return CodePageBytesToUnicode(Bytes.substr(2), CP_UTF16LE);
  if (Bytes.compare(0, 2, "\xFE\xFF") == 0) return CodePageBytesToUnicode(Bytes.substr(2), CP_UTF16BE);
  return Bytes;
}

class TRegFileParser {
 public:
  explicit TRegFileParser(TRegistryData& Data) : Data_(Data) {
    for (const auto& R : Roots) Data_.Keys[KeyId(R.Key, {}, 0)];
  }

  void Parse(const std::string& Text) {
    textbasics::ForEachLine(Text, [&](const std::string& L) { Lines_.push_back(L); });
    for (Line_ = 0; Line_ < Lines_.size(); ++Line_) {
      const std::string L = textbasics::Trim(Lines_[Line_]);
      if (L.empty() || L[0] == ';') continue;
      if (L[0] == '[')
        Section(L);
      else if ((L[0] == '"' || L[0] == '@') && Current_ != nullptr)
        Value(L);
    }
  }

 private:
  void Section(const std::string& L) {
    const size_t Close = L.rfind(']');
    const std::string Path = textbasics::Trim(L.substr(1, Close == std::string::npos ? std::string::npos : Close - 1));
    Current_ = nullptr;
    if (Path.empty() || Path[0] == '-') return;  // a deletion section
    const std::vector<std::string> Parts = SplitKeyPath(Path);
    HKEY Root = 0;
    if (Parts.empty() || !RootOfName(Parts[0], Root)) return;
    // The key and each of its parents, each parent listing its child.
    TRegistryKey* Parent = &Data_.Keys[KeyId(Root, {}, 0)];
    for (size_t I = 1; I < Parts.size(); ++I) {
      const std::string Id = KeyId(Root, std::vector<std::string>(Parts.begin() + 1, Parts.end()), I);
      const bool IsNew = Data_.Keys.find(Id) == Data_.Keys.end();
      TRegistryKey* Key = &Data_.Keys[Id];
      if (IsNew) Parent->SubKeys.push_back(Parts[I]);
      Parent = Key;
    }
    Current_ = Parent;
  }

  void Value(const std::string& L) {
    size_t Pos = 0;
    TRegistryValue V;
    if (L[0] == '@') {
      Pos = 1;
    } else if (!ReadQuoted(L, Pos, V.Name)) {
      return;
    }
    while (Pos < L.size() && (L[Pos] == ' ' || L[Pos] == '\t')) ++Pos;
    if (Pos >= L.size() || L[Pos] != '=') return;
    ++Pos;
    while (Pos < L.size() && (L[Pos] == ' ' || L[Pos] == '\t')) ++Pos;
    if (Pos >= L.size()) return;

    if (L[Pos] == '"') {
      if (!ReadQuoted(L, Pos, V.Text)) return;
      V.Type = rdString;
    } else if (L[Pos] == '-') {
      Remove(V.Name);
      return;
    } else if (StartsWithText(L, Pos, "dword:")) {
      const std::string Digits = textbasics::Trim(L.substr(Pos + 6));
      if (Digits.empty() || Digits.size() > 8) return;
      auto [Ptr, Ec] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), V.Number, 16);
      if (Ec != std::errc() || Ptr != Digits.data() + Digits.size()) return;
      V.Type = rdInteger;
    } else if (StartsWithText(L, Pos, "hex")) {
      if (!Hex(L.substr(Pos + 3), V)) return;
    } else {
      return;
    }
    Set(std::move(V));
  }

  // "hex:..." or "hex(N):...", continued on the next lines after a trailing "\".
  bool Hex(std::string Rest, TRegistryValue& V) {
    const size_t Colon = Rest.find(':');
    if (Colon == std::string::npos) return false;
    const std::string Kind = textbasics::UpperAscii(textbasics::Trim(Rest.substr(0, Colon)));
    std::string Data = textbasics::Trim(Rest.substr(Colon + 1));
    while (!Data.empty() && Data.back() == '\\' && Line_ + 1 < Lines_.size()) {
      Data.pop_back();
      Data += textbasics::Trim(Lines_[++Line_]);
    }
    std::string Bytes;
    if (!ParseHexBytes(Data, Bytes)) return false;
    if (Kind == "(1)" || Kind == "(2)") {
      std::string T = CodePageBytesToUnicode(Bytes, CP_UTF16LE);
      while (!T.empty() && T.back() == '\0') T.pop_back();
      V.Type = Kind == "(1)" ? rdString : rdExpandString;
      V.Text = T;
    } else if (Kind == "(4)" && Bytes.size() == 4) {
      V.Type = rdInteger;
      for (int I = 3; I >= 0; --I) V.Number = (V.Number << 8) | static_cast<unsigned char>(Bytes[static_cast<size_t>(I)]);
    } else {
      V.Type = rdBinary;
      V.Bytes = Bytes;
    }
    return true;
  }

  void Set(TRegistryValue V) {
    for (TRegistryValue& Old : Current_->Values)
      if (textbasics::SameTextAscii(Old.Name, V.Name)) {
        V.Name = Old.Name;
        Old = std::move(V);
        return;
      }
    Current_->Values.push_back(std::move(V));
  }

  void Remove(const std::string& Name) {
    auto& Values = Current_->Values;
    for (auto It = Values.begin(); It != Values.end(); ++It)
      if (textbasics::SameTextAscii(It->Name, Name)) {
        Values.erase(It);
        return;
      }
  }

  TRegistryData& Data_;
  TRegistryKey* Current_ = nullptr;
  std::vector<std::string> Lines_;
  size_t Line_ = 0;
};

// The registry as the file holds it now; nullptr when it cannot be read.
std::shared_ptr<const TRegistryData> LoadRegistry() {
  std::ifstream In(RegistryFileName(), std::ios::binary);
  if (!In) return nullptr;
  std::ostringstream Buffer;
  Buffer << In.rdbuf();
  if (In.bad()) return nullptr;
  auto Data = std::make_shared<TRegistryData>();
  TRegFileParser(*Data).Parse(DecodeFileText(Buffer.str()));
  return Data;
}

const TRegistryKey* FindKey(const TRegistryData& Data, HKEY Root, const std::string& Path) {
  const std::vector<std::string> Parts = SplitKeyPath(Path);
  const auto It = Data.Keys.find(KeyId(Root, Parts, Parts.size()));
  return It == Data.Keys.end() ? nullptr : &It->second;
}

// Clears Strings and fills it, as one update.
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

[[noreturn]] void InvalidType(const std::string& Name) {
  throw ERegistryException("Invalid data type for '" + Name + "'");
}

}  // namespace

std::string RegistryFileName() {
  const char* F = std::getenv("TANDREL_REGISTRY");
  return (F != nullptr && *F != '\0') ? std::string(F) : std::string("/etc/tandrel/registry.reg");
}

TRegistry::TRegistry() = default;
TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(HKEY Value) {
  if (Value == RootKey_) return;
  CloseKey();
  RootKey_ = Value;
}

std::string TRegistry::FullPath(const std::string& Key) const {
  std::string Path = Key;
  if ((Key.empty() || Key[0] != '\\') && Key_ != nullptr) Path = CurrentPath_ + "\\" + Key;
  std::string Joined;
  for (const std::string& Part : SplitKeyPath(Path)) {
    if (!Joined.empty()) Joined += '\\';
    Joined += Part;
  }
  return Joined;
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
  const std::string Path = FullPath(Key);
  std::shared_ptr<const TRegistryData> Data = LoadRegistry();
  if (Data == nullptr) return false;
  const TRegistryKey* Found = FindKey(*Data, RootKey_, Path);
  if (Found == nullptr) return false;
  Data_ = std::move(Data);
  Key_ = Found;
  CurrentPath_ = Path;
  return true;
}

bool TRegistry::OpenKey(const std::string& Key, bool /*CanCreate*/) { return OpenKeyReadOnly(Key); }

void TRegistry::CloseKey() {
  Key_ = nullptr;
  Data_.reset();
  CurrentPath_.clear();
}

bool TRegistry::KeyExists(const std::string& Key) {
  const std::shared_ptr<const TRegistryData> Data = LoadRegistry();
  return Data != nullptr && FindKey(*Data, RootKey_, FullPath(Key)) != nullptr;
}

bool TRegistry::ValueExists(const std::string& Name) const { return FindValue(Key_, Name) != nullptr; }

TRegDataType TRegistry::GetDataType(const std::string& Name) const {
  const TRegistryValue* V = FindValue(Key_, Name);
  return V == nullptr ? rdUnknown : V->Type;
}

std::string TRegistry::ReadString(const std::string& Name) const {
  const TRegistryValue* V = FindValue(Key_, Name);
  if (V == nullptr) return std::string();
  switch (V->Type) {
    case rdString:
    case rdExpandString:
      return V->Text;
    case rdInteger:
      return std::to_string(V->Number);
    default:
      InvalidType(Name);
  }
}

int TRegistry::ReadInteger(const std::string& Name) const {
  const TRegistryValue* V = FindValue(Key_, Name);
  if (V == nullptr) throw ERegistryException("Failed to get data for '" + Name + "'");
  int Result = 0;
  if (V->Type == rdInteger) return static_cast<int32_t>(V->Number);
  if ((V->Type == rdString || V->Type == rdExpandString) && textbasics::TryParseInteger(V->Text, Result))
    return Result;
  InvalidType(Name);
}

bool TRegistry::ReadBool(const std::string& Name) const { return ReadInteger(Name) != 0; }

void TRegistry::GetValueNames(TStrings* Strings) const {
  if (Strings == nullptr) return;
  FillStrings(Strings, [&] {
    if (Key_ != nullptr)
      for (const TRegistryValue& V : Key_->Values) Strings->Add(V.Name);
  });
}

void TRegistry::GetKeyNames(TStrings* Strings) const {
  if (Strings == nullptr) return;
  FillStrings(Strings, [&] {
    if (Key_ != nullptr)
      for (const std::string& K : Key_->SubKeys) Strings->Add(K);
  });
}

bool TRegistry::HasSubKeys() const { return Key_ != nullptr && !Key_->SubKeys.empty(); }
