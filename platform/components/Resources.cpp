#include "platform/components/Resources.h"

#include <map>

#include "platform/core/SysUtils.h"

namespace {
std::map<std::string, std::string>& Resources() {
  static std::map<std::string, std::string> Map;
  return Map;
}
}  // namespace

void RegisterResource(const std::string& Name, std::string Text) {
  Resources()[UpperCase(Name)] = std::move(Text);
}

void UnregisterResource(const std::string& Name) { Resources().erase(UpperCase(Name)); }

const std::string* FindResource(const std::string& Name) {
  auto It = Resources().find(UpperCase(Name));
  return It == Resources().end() ? nullptr : &It->second;
}

const std::string& GetResource(const std::string& Name) {
  const std::string* Text = FindResource(Name);
  if (Text == nullptr) throw EResNotFound("Resource " + Name + " not found");
  return *Text;
}

TResourceRegistration::TResourceRegistration(const char* Name, const char* Text, size_t Size)
    : Name_(Name) {
  RegisterResource(Name_, std::string(Text, Size));
}

TResourceRegistration::~TResourceRegistration() { UnregisterResource(Name_); }
