#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/Exceptions.h"
#include "platform/core/Object.h"

class TStrings;

// A read-only registry (DESIGN.md 2.4), read from a text file in the .reg
// export layout:
//
//   Windows Registry Editor Version 5.00        (optional, as is REGEDIT4)
//   ; a comment
//   [HKEY_LOCAL_MACHINE\Software\ORV\Tandrel]
//   @="the default value"
//   "ClientPath"="/opt/tandrel/"               (\\ and \" escapes)
//   "Port"=dword:00001f90
//   "Blob"=hex:01,02,03                          (binary; hex(2): an expandable
//                                                 string in UTF-16LE, readable
//                                                 by ReadString)
//
// The file is $TANDREL_REGISTRY, else /etc/tandrel/registry.reg, in UTF-8 (a
// UTF-8, UTF-16LE or UTF-16BE byte-order mark is honoured). Key and value
// names are case-insensitive. A section names its parents too (they exist,
// with no values). A key listed twice gathers the values of both sections; a
// value listed twice keeps the later one, as an import would. A "[-KEY]"
// section and a "Name"=- line are ignored.
//
// A missing or unreadable file, or a missing key, is a key that cannot be
// opened: false, no exception.

TANDREL_EXCEPTION(ERegistryException, Exception);

using HKEY = uint32_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

// The registry file this process reads.
std::string RegistryFileName();

struct TRegistryData;
struct TRegistryKey;

class TRegistry : public TObject {
 public:
  // RootKey starts as HKEY_CURRENT_USER, as in the classic class.
  TRegistry();
  ~TRegistry() override;

  HKEY RootKey() const { return RootKey_; }
  // Changing the root closes the open key.
  void SetRootKey(HKEY Value);

  // Reads the registry file afresh and opens Key. A Key beginning with "\"
  // is taken from the root; any other is relative to the open key, or to the
  // root when none is open (the classic rule). "" opens the key itself.
  // Key names are case-insensitive; empty parts ("a\\b\") are skipped.
  bool OpenKeyReadOnly(const std::string& Key);
  // The classic OpenKey: keys cannot be created in this registry, so it opens
  // an existing key as OpenKeyReadOnly does and returns false for a missing one.
  bool OpenKey(const std::string& Key, bool CanCreate);
  void CloseKey();
  // The open key's path below the root, without a leading "\" ("" when none).
  const std::string& CurrentPath() const { return CurrentPath_; }
  bool HasOpenKey() const { return Key_ != nullptr; }

  // Whether Key exists (same path rules as OpenKeyReadOnly; the file is read
  // afresh); the open key does not change.
  bool KeyExists(const std::string& Key);

  // Values of the open key; "" names the default value ("@").
  bool ValueExists(const std::string& Name) const;
  TRegDataType GetDataType(const std::string& Name) const;
  // A string, an expandable string (not expanded), or a dword as its decimal
  // number text. "" when no key is open or the value is missing. A binary
  // value raises ERegistryException "Invalid data type for 'Name'".
  std::string ReadString(const std::string& Name) const;
  // A dword, or a string holding an integer (decimal, "$1A", "0x1A"). A
  // missing value (or no open key) raises ERegistryException
  // "Failed to get data for 'Name'", any other value "Invalid data type for 'Name'".
  int ReadInteger(const std::string& Name) const;
  // ReadInteger(Name) != 0.
  bool ReadBool(const std::string& Name) const;

  // Replace the contents of Strings with the open key's value names (the
  // default value as "") / its direct subkeys' names, in file order; empty
  // when no key is open.
  void GetValueNames(TStrings* Strings) const;
  void GetKeyNames(TStrings* Strings) const;
  bool HasSubKeys() const;

 private:
  // The path parts of Key as the open key and the classic rules see it.
  std::string FullPath(const std::string& Key) const;

  HKEY RootKey_ = HKEY_CURRENT_USER;
  std::shared_ptr<const TRegistryData> Data_;
  const TRegistryKey* Key_ = nullptr;
  std::string CurrentPath_;
};
