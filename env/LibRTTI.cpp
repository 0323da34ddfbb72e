#include "env/LibRTTI.h"

#include "platform/rtti/TypInfo.h"

namespace {

// A property found by name (or dotted path) and the object holding it.
struct TFoundProp {
  TObject* Target = nullptr;
  const TPropInfo* Prop = nullptr;
  explicit operator bool() const { return Prop != nullptr; }
};

using TKindTest = bool (*)(TTypeKind Kind);

bool IsString(TTypeKind Kind) { return Kind == tkString; }
bool IsMethod(TTypeKind Kind) { return Kind == tkMethod; }
bool IsWritableOrdinal(TTypeKind Kind) {
  return Kind == tkInteger || Kind == tkChar || Kind == tkEnumeration || Kind == tkSet;
}
bool IsReadableOrdinal(TTypeKind Kind) { return IsWritableOrdinal(Kind) || Kind == tkClass; }

TFoundProp FindOfKind(const TObject* Instance, const std::string& PropName, TKindTest Accepts) {
  TFoundProp Found;
  if (Instance == nullptr || PropName.empty()) return Found;
  if (!ResolvePropPath(const_cast<TObject*>(Instance), PropName, Found.Target, Found.Prop) ||
      !Accepts(Found.Prop->Kind()))
    return TFoundProp();
  return Found;
}

TFoundProp FindWritableOfKind(TObject* Instance, const std::string& PropName, TKindTest Accepts) {
  const TFoundProp Found = FindOfKind(Instance, PropName, Accepts);
  return Found && Found.Prop->IsWritable() ? Found : TFoundProp();
}

}  // namespace

std::string GetPropString(const TObject* Component, const std::string& PropName) {
  const TFoundProp Found = FindOfKind(Component, PropName, IsString);
  return Found ? GetStrProp(Found.Target, *Found.Prop) : std::string();
}

void SetPropString(TObject* Component, const std::string& PropName, const std::string& Value) {
  if (const TFoundProp Found = FindWritableOfKind(Component, PropName, IsString))
    SetStrProp(Found.Target, *Found.Prop, Value);
}

int64_t GetPropOrdinal(const TObject* Control, const std::string& PropName) {
  const TFoundProp Found = FindOfKind(Control, PropName, IsReadableOrdinal);
  return Found ? GetOrdProp(Found.Target, *Found.Prop) : 0;
}

void SetPropOrdinal(TObject* Object, const std::string& PropName, int64_t Value) {
  if (const TFoundProp Found = FindWritableOfKind(Object, PropName, IsWritableOrdinal))
    SetOrdProp(Found.Target, *Found.Prop, Value);
}

TMethod GetPropMethod(const TObject* Instance, const std::string& PropName) {
  const TFoundProp Found = FindOfKind(Instance, PropName, IsMethod);
  return Found ? GetMethodProp(Found.Target, *Found.Prop) : TMethod();
}

void SetPropMethod(TObject* Instance, const std::string& PropName, const TMethod& Method) {
  if (const TFoundProp Found = FindWritableOfKind(Instance, PropName, IsMethod))
    SetMethodProp(Found.Target, *Found.Prop, Method);
}

bool HasPublishedProp(const TObject* Component, const std::string& PropName) {
  return static_cast<bool>(FindOfKind(Component, PropName, [](TTypeKind) { return true; }));
}
