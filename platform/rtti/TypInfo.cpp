#include "platform/rtti/TypInfo.h"

#include <limits>
#include <map>

#include "platform/components/Component.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Variant.h"
#include "platform/rtti/CodePoints.h"
#include "platform/rtti/Identifiers.h"
#include "platform/rtti/Publish.h"

// --- type infos --------------------------------------------------------------

namespace {

template <class T>
TTypeInfo MakeOrdinalTypeInfo(TTypeKind Kind, const char* Name) {
  TTypeInfo Info;
  Info.Kind = Kind;
  Info.Name = Name;
  Info.MinValue = static_cast<int64_t>(std::numeric_limits<T>::min());
  Info.MaxValue = static_cast<int64_t>(std::numeric_limits<T>::max());
  return Info;
}

TTypeInfo MakeTypeInfo(TTypeKind Kind, const char* Name) {
  TTypeInfo Info;
  Info.Kind = Kind;
  Info.Name = Name;
  return Info;
}

std::string Quoted(const std::string& S) { return "'" + S + "'"; }

}  // namespace

#define TANDREL_BUILTIN_TYPE(Type, Init)       \
  const TTypeInfo& TypeInfoFor(Type*) {        \
    static const TTypeInfo Info = Init;        \
    return Info;                               \
  }

TANDREL_BUILTIN_TYPE(bool, MakeEnumTypeInfo("Boolean", {"False", "True"}))
TANDREL_BUILTIN_TYPE(char, MakeOrdinalTypeInfo<unsigned char>(tkChar, "Char"))
TANDREL_BUILTIN_TYPE(char32_t, (MakeOrdinalTypeInfo<char32_t>(tkChar, "WideChar")))
TANDREL_BUILTIN_TYPE(int8_t, MakeOrdinalTypeInfo<int8_t>(tkInteger, "ShortInt"))
TANDREL_BUILTIN_TYPE(uint8_t, MakeOrdinalTypeInfo<uint8_t>(tkInteger, "Byte"))
TANDREL_BUILTIN_TYPE(int16_t, MakeOrdinalTypeInfo<int16_t>(tkInteger, "SmallInt"))
TANDREL_BUILTIN_TYPE(uint16_t, MakeOrdinalTypeInfo<uint16_t>(tkInteger, "Word"))
TANDREL_BUILTIN_TYPE(int32_t, MakeOrdinalTypeInfo<int32_t>(tkInteger, "Integer"))
TANDREL_BUILTIN_TYPE(uint32_t, MakeOrdinalTypeInfo<uint32_t>(tkInteger, "Cardinal"))
TANDREL_BUILTIN_TYPE(int64_t, MakeOrdinalTypeInfo<int64_t>(tkInteger, "Int64"))
TANDREL_BUILTIN_TYPE(float, MakeTypeInfo(tkFloat, "Single"))
TANDREL_BUILTIN_TYPE(double, MakeTypeInfo(tkFloat, "Double"))
TANDREL_BUILTIN_TYPE(std::string, MakeTypeInfo(tkString, "string"))
TANDREL_BUILTIN_TYPE(Variant, MakeTypeInfo(tkVariant, "Variant"))

const TTypeInfo& VariantTypeInfo() { return TypeInfoFor(static_cast<Variant*>(nullptr)); }

TTypeInfo MakeEnumTypeInfo(std::string Name, std::vector<std::string> Names, int64_t First) {
  TTypeInfo Info;
  Info.Kind = tkEnumeration;
  Info.Name = std::move(Name);
  Info.MinValue = First;
  Info.MaxValue = First + static_cast<int64_t>(Names.size()) - 1;
  Info.EnumNames = std::move(Names);
  return Info;
}

TTypeInfo MakeSetTypeInfo(const TTypeInfo& ElementType) {
  TTypeInfo Info;
  Info.Kind = tkSet;
  Info.Name = "set of " + ElementType.Name;
  Info.ElementType = &ElementType;
  return Info;
}

const TTypeInfo& NamedTypeInfo(const std::string& Name, const TTypeInfo& Shape) {
  static std::map<std::string, std::unique_ptr<TTypeInfo>> Named;
  std::unique_ptr<TTypeInfo>& Slot = Named[UpperCase(Name)];
  if (!Slot) {
    Slot = std::make_unique<TTypeInfo>(Shape);
    Slot->Name = Name;
  }
  return *Slot;
}

std::string GetEnumName(const TTypeInfo& Type, int64_t Value) {
  if (Value < Type.MinValue || Value > Type.MaxValue) return "";
  return Type.EnumNames[static_cast<size_t>(Value - Type.MinValue)];
}

int64_t GetEnumValue(const TTypeInfo& Type, const std::string& Name) {
  for (size_t I = 0; I < Type.EnumNames.size(); ++I)
    if (SameText(Type.EnumNames[I], Name)) return Type.MinValue + static_cast<int64_t>(I);
  return -1;
}

std::string SetToString(const TTypeInfo& SetType, uint64_t Value, bool Brackets) {
  std::string Result;
  const TTypeInfo& Element = *SetType.ElementType;
  for (int64_t Ordinal = Element.MinValue; Ordinal <= Element.MaxValue; ++Ordinal) {
    if ((Value & (uint64_t{1} << Ordinal)) == 0) continue;
    if (!Result.empty()) Result += ',';
    Result += GetEnumName(Element, Ordinal);
  }
  return Brackets ? "[" + Result + "]" : Result;
}

uint64_t StringToSet(const TTypeInfo& SetType, const std::string& Text) {
  std::string Body = Trim(Text);
  if (!Body.empty() && Body.front() == '[') {
    if (Body.back() != ']') throw EConvertError("Invalid set " + Quoted(Text) + ": missing ']'");
    Body = Body.substr(1, Body.size() - 2);
  }
  uint64_t Result = 0;
  size_t Start = 0;
  while (Start <= Body.size()) {
    size_t Comma = Body.find(',', Start);
    if (Comma == std::string::npos) Comma = Body.size();
    std::string Name = Trim(Body.substr(Start, Comma - Start));
    if (!Name.empty()) {
      int64_t Ordinal = GetEnumValue(*SetType.ElementType, Name);
      if (Ordinal < 0)
        throw EConvertError("Invalid set element " + Quoted(Name) + " of " + SetType.Name);
      Result |= uint64_t{1} << Ordinal;
    } else if (Comma < Body.size()) {
      throw EConvertError("Invalid set " + Quoted(Text) + ": empty element");
    }
    Start = Comma + 1;
  }
  return Result;
}

// --- property and class infos ------------------------------------------------

const TTypeInfo& TPropInfo::PropType() const { return Type != nullptr ? *Type : ResolveType(); }

bool TPropInfo::IsWritable() const {
  return SetOrd || SetFloat || SetStr || SetObject || SetMethod || SetVariant;
}

TClassInfo::TClassInfo(std::string Name, const TClassInfo* Parent, TFactory Factory,
                       TPublisher Publish)
    : Name_(std::move(Name)), Parent_(Parent), Factory_(Factory) {
  Type_.Kind = tkClass;
  Type_.Name = Name_;
  Type_.ClassType = this;
  if (Publish != nullptr) Publish(*this);
}

TClassInfo::~TClassInfo() = default;

bool TClassInfo::InheritsFrom(const TClassInfo* Ancestor) const {
  for (const TClassInfo* C = this; C != nullptr; C = C->Parent_)
    if (C == Ancestor) return true;
  return false;
}

TComponent* TClassInfo::Create(TComponent* Owner) const {
  if (Factory_ == nullptr)
    throw EInvalidOperation("Cannot create an instance of class " + Name_ +
                            ": it has no constructor taking an owner");
  TComponent* Instance = Factory_(Owner);
  try {
    Instance->AfterConstruction();
  } catch (...) {
    delete Instance;
    throw;
  }
  return Instance;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& Name) const {
  for (const TClassInfo* C = this; C != nullptr; C = C->Parent_)
    for (const auto& P : C->Properties_)
      if (SameText(P->Name, Name)) return P.get();
  return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<const TPropInfo*> List = Parent_ != nullptr ? Parent_->Properties()
                                                          : std::vector<const TPropInfo*>();
  for (const auto& Own : Properties_) {
    bool Replaced = false;
    for (const TPropInfo*& Inherited : List)
      if (SameText(Inherited->Name, Own->Name)) {
        Inherited = Own.get();
        Replaced = true;
      }
    if (!Replaced) List.push_back(Own.get());
  }
  return List;
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& Name) const {
  for (const TClassInfo* C = this; C != nullptr; C = C->Parent_)
    for (const TMethodInfo& M : C->Methods_)
      if (SameText(M.Name, Name)) return &M;
  return nullptr;
}

const TMethodInfo* TClassInfo::FindMethodByCode(const void* Code) const {
  for (const TClassInfo* C = this; C != nullptr; C = C->Parent_)
    for (const TMethodInfo& M : C->Methods_)
      if (M.Code == Code) return &M;
  return nullptr;
}

const TFieldInfo* TClassInfo::FindField(const std::string& Name) const {
  for (const TClassInfo* C = this; C != nullptr; C = C->Parent_)
    for (const TFieldInfo& F : C->Fields_)
      if (SameText(F.Name, Name)) return &F;
  return nullptr;
}

TPropInfo& TClassInfo::AddProperty(const std::string& Name) {
  for (const auto& P : Properties_)
    if (SameText(P->Name, Name))
      throw EPropertyError("Property '" + Name + "' is published twice by " + Name_);
  Properties_.push_back(std::make_unique<TPropInfo>());
  Properties_.back()->Name = Name;
  Properties_.back()->DeclaringClass = this;
  return *Properties_.back();
}

void TClassInfo::AddMethod(TMethodInfo Method) {
  for (const TMethodInfo& M : Methods_)
    if (SameText(M.Name, Method.Name))
      throw EPropertyError("Method '" + Method.Name + "' is published twice by " + Name_);
  Methods_.push_back(std::move(Method));
}

void TClassInfo::AddField(TFieldInfo Field) {
  for (const TFieldInfo& F : Fields_)
    if (SameText(F.Name, Field.Name))
      throw EPropertyError("Field '" + Field.Name + "' is published twice by " + Name_);
  Fields_.push_back(std::move(Field));
}

// --- class registry ------------------------------------------------------------

namespace {
std::map<std::string, const TClassInfo*>& Registry() {
  static std::map<std::string, const TClassInfo*> Classes;
  return Classes;
}
}  // namespace

void RegisterClass(const TClassInfo& Class) {
  const TClassInfo*& Slot = Registry()[UpperCase(Class.ClassName())];
  if (Slot != nullptr && Slot != &Class)
    throw EInvalidOperation("A class named " + Class.ClassName() + " is already registered");
  Slot = &Class;
}

void UnregisterClass(const TClassInfo& Class) {
  auto It = Registry().find(UpperCase(Class.ClassName()));
  if (It != Registry().end() && It->second == &Class) Registry().erase(It);
}

const TClassInfo* GetClass(const std::string& Name) {
  auto It = Registry().find(UpperCase(Name));
  return It == Registry().end() ? nullptr : It->second;
}

const TClassInfo& FindClass(const std::string& Name) {
  const TClassInfo* Class = GetClass(Name);
  if (Class == nullptr) throw EClassNotFound("Class " + Name + " not found");
  return *Class;
}

TComponent* CreateComponentOfClass(const std::string& ClassName, TComponent* Owner) {
  return FindClass(ClassName).Create(Owner);
}

// A second class of a registered name keeps the first: raising here would
// stop the module from loading at all.
TClassRegistration::TClassRegistration(const TClassInfo& Class) : Class_(Class), Registered_(false) {
  if (GetClass(Class.ClassName()) == nullptr) {
    RegisterClass(Class);
    Registered_ = true;
  }
}

TClassRegistration::~TClassRegistration() {
  if (Registered_) UnregisterClass(Class_);
}

// --- property paths ----------------------------------------------------------

namespace {

// Resolves Path on Instance; on failure gives the reason in Error.
bool Resolve(TObject* Instance, const std::string& Path, TObject*& Target, const TPropInfo*& Prop,
             std::string& Error) {
  Target = Instance;
  Prop = nullptr;
  if (Instance == nullptr) {
    Error = "No object to read property '" + Path + "' of";
    return false;
  }
  size_t Start = 0;
  while (true) {
    size_t Dot = Path.find('.', Start);
    std::string Part = Trim(Path.substr(Start, Dot == std::string::npos ? std::string::npos : Dot - Start));
    Prop = Target->ClassInfo()->FindProperty(Part);
    if (Part.empty() || Prop == nullptr) {
      Error = "Property '" + Part + "' does not exist in class " + Target->ClassName();
      return false;
    }
    if (Dot == std::string::npos) return true;
    if (Prop->Kind() != tkClass) {
      Error = "Property '" + Prop->Name + "' of " + Target->ClassName() + " is not an object property";
      return false;
    }
    TObject* Next = Prop->GetObject(Target);
    if (Next == nullptr) {
      Error = "Property '" + Prop->Name + "' of " + Target->ClassName() + " holds no object";
      return false;
    }
    Target = Next;
    Start = Dot + 1;
  }
}

struct TResolved {
  TObject* Target;
  const TPropInfo* Prop;
};

TResolved ResolveOrRaise(const TObject* Instance, const std::string& Path) {
  TResolved R{};
  std::string Error;
  if (!Resolve(const_cast<TObject*>(Instance), Path, R.Target, R.Prop, Error))
    throw EPropertyError(Error);
  return R;
}

std::string Describe(const TPropInfo& Prop) {
  return "property '" + Prop.Name + "' (" + Prop.TypeName() + ")";
}

[[noreturn]] void RaiseWrongKind(const TPropInfo& Prop, const char* Wanted) {
  throw EPropertyError("The " + Describe(Prop) + " is not " + Wanted);
}

[[noreturn]] void RaiseReadOnly(const TPropInfo& Prop) {
  throw EPropertyError("The " + Describe(Prop) + " is read-only");
}

[[noreturn]] void RaiseBadValue(const TPropInfo& Prop, const std::string& Value) {
  throw EConvertError("Invalid value " + Quoted(Value) + " for " + Describe(Prop));
}

bool IsOrdinal(TTypeKind Kind) {
  return Kind == tkInteger || Kind == tkChar || Kind == tkEnumeration || Kind == tkSet;
}

void CheckOrdinalRange(const TPropInfo& Prop, int64_t Value) {
  const TTypeInfo& Type = Prop.PropType();
  bool InRange = true;
  if (Type.Kind == tkSet) {
    int64_t Highest = Type.ElementType->MaxValue;
    InRange = Highest >= 63 || (static_cast<uint64_t>(Value) >> (Highest + 1)) == 0;
  } else {
    InRange = Value >= Type.MinValue && Value <= Type.MaxValue;
  }
  if (!InRange)
    throw EPropertyError("Value " + IntToStr(Value) + " is out of range for the " + Describe(Prop));
}

// Where a property's event handlers and component references are looked
// up: the owners of Instance (nearest first), then Instance itself.
std::vector<TObject*> Owners(TObject* Instance) {
  std::vector<TObject*> List;
  auto* Persistent = dynamic_cast<TPersistent*>(Instance);
  for (TPersistent* Owner = Persistent != nullptr ? Persistent->GetOwner() : nullptr; Owner != nullptr;
       Owner = Owner->GetOwner())
    List.push_back(Owner);
  List.push_back(Instance);
  return List;
}

TComponent* FindReferencedComponent(TObject* Instance, const std::string& Name) {
  for (TObject* Candidate : Owners(Instance)) {
    auto* Component = dynamic_cast<TComponent*>(Candidate);
    if (Component == nullptr) continue;
    if (SameText(Component->Name(), Name)) return Component;
    if (TComponent* Found = Component->FindComponent(Name)) return Found;
  }
  return nullptr;
}

std::string CharToText(int64_t Code) {
  std::string S;
  AppendCodePoint(S, static_cast<uint32_t>(Code));
  return S;
}

// One UTF-8 character, or "#n" with its code; false for anything else.
bool TextToChar(const std::string& Text, int64_t& Code) {
  if (Text.size() > 1 && Text[0] == '#') return TryStrToInt64(Text.substr(1), Code);
  uint32_t C = 0;
  if (!DecodeSingleCodePoint(Text, C)) return false;
  Code = C;
  return true;
}

}  // namespace

bool ResolvePropPath(TObject* Instance, const std::string& Path, TObject*& Target,
                     const TPropInfo*& Prop) {
  std::string Error;
  return Resolve(Instance, Path, Target, Prop, Error);
}

const TPropInfo* GetPropInfo(const TObject* Instance, const std::string& Path) {
  TObject* Target = nullptr;
  const TPropInfo* Prop = nullptr;
  return ResolvePropPath(const_cast<TObject*>(Instance), Path, Target, Prop) ? Prop : nullptr;
}

const TPropInfo& FindPropInfo(const TObject* Instance, const std::string& Path) {
  return *ResolveOrRaise(Instance, Path).Prop;
}

bool IsPublishedProp(const TObject* Instance, const std::string& Path) {
  return GetPropInfo(Instance, Path) != nullptr;
}

bool PropIsType(const TObject* Instance, const std::string& Path, const std::string& TypeName) {
  const TPropInfo* Prop = GetPropInfo(Instance, Path);
  return Prop != nullptr && SameText(Prop->TypeName(), TypeName);
}

std::vector<const TPropInfo*> GetPropList(const TObject* Instance) {
  return Instance == nullptr ? std::vector<const TPropInfo*>() : Instance->ClassInfo()->Properties();
}

// --- access by kind ----------------------------------------------------------

int64_t GetOrdProp(const TObject* Instance, const TPropInfo& Prop) {
  if (Prop.Kind() == tkClass) return static_cast<int64_t>(reinterpret_cast<intptr_t>(Prop.GetObject(Instance)));
  if (!IsOrdinal(Prop.Kind())) RaiseWrongKind(Prop, "an ordinal property");
  return Prop.GetOrd(Instance);
}

void SetOrdProp(TObject* Instance, const TPropInfo& Prop, int64_t Value) {
  if (!IsOrdinal(Prop.Kind())) RaiseWrongKind(Prop, "an ordinal property");
  if (!Prop.SetOrd) RaiseReadOnly(Prop);
  CheckOrdinalRange(Prop, Value);
  Prop.SetOrd(Instance, Value);
}

std::string GetStrProp(const TObject* Instance, const TPropInfo& Prop) {
  if (Prop.Kind() != tkString) RaiseWrongKind(Prop, "a string property");
  return Prop.GetStr(Instance);
}

void SetStrProp(TObject* Instance, const TPropInfo& Prop, const std::string& Value) {
  if (Prop.Kind() != tkString) RaiseWrongKind(Prop, "a string property");
  if (!Prop.SetStr) RaiseReadOnly(Prop);
  Prop.SetStr(Instance, Value);
}

double GetFloatProp(const TObject* Instance, const TPropInfo& Prop) {
  if (Prop.Kind() != tkFloat) RaiseWrongKind(Prop, "a floating-point property");
  return Prop.GetFloat(Instance);
}

void SetFloatProp(TObject* Instance, const TPropInfo& Prop, double Value) {
  if (Prop.Kind() != tkFloat) RaiseWrongKind(Prop, "a floating-point property");
  if (!Prop.SetFloat) RaiseReadOnly(Prop);
  Prop.SetFloat(Instance, Value);
}

TObject* GetObjectProp(const TObject* Instance, const TPropInfo& Prop) {
  if (Prop.Kind() != tkClass) RaiseWrongKind(Prop, "an object property");
  return Prop.GetObject(Instance);
}

void SetObjectProp(TObject* Instance, const TPropInfo& Prop, TObject* Value) {
  if (Prop.Kind() != tkClass) RaiseWrongKind(Prop, "an object property");
  if (!Prop.SetObject) RaiseReadOnly(Prop);
  Prop.SetObject(Instance, Value);
}

TMethod GetMethodProp(const TObject* Instance, const TPropInfo& Prop) {
  if (Prop.Kind() != tkMethod) RaiseWrongKind(Prop, "an event property");
  return Prop.GetMethod(Instance);
}

void SetMethodProp(TObject* Instance, const TPropInfo& Prop, const TMethod& Value) {
  if (Prop.Kind() != tkMethod) RaiseWrongKind(Prop, "an event property");
  if (!Prop.SetMethod) RaiseReadOnly(Prop);
  Prop.SetMethod(Instance, Value);
}

Variant GetVariantProp(const TObject* Instance, const TPropInfo& Prop) {
  if (Prop.Kind() != tkVariant) RaiseWrongKind(Prop, "a variant property");
  Variant Value;
  Prop.GetVariant(Instance, Value);
  return Value;
}

void SetVariantProp(TObject* Instance, const TPropInfo& Prop, const Variant& Value) {
  if (Prop.Kind() != tkVariant) RaiseWrongKind(Prop, "a variant property");
  if (!Prop.SetVariant) RaiseReadOnly(Prop);
  Prop.SetVariant(Instance, Value);
}

// The path forms resolve the path and act on the object that holds the
// property.
#define TANDREL_PATH_GETTER(Result, Name)                                    \
  Result Name(const TObject* Instance, const std::string& Path) {            \
    TResolved R = ResolveOrRaise(Instance, Path);                            \
    return Name(R.Target, *R.Prop);                                          \
  }
#define TANDREL_PATH_SETTER(Value, Name)                                     \
  void Name(TObject* Instance, const std::string& Path, Value V) {           \
    TResolved R = ResolveOrRaise(Instance, Path);                            \
    Name(R.Target, *R.Prop, V);                                              \
  }

TANDREL_PATH_GETTER(int64_t, GetOrdProp)
TANDREL_PATH_SETTER(int64_t, SetOrdProp)
TANDREL_PATH_GETTER(std::string, GetStrProp)
TANDREL_PATH_SETTER(const std::string&, SetStrProp)
TANDREL_PATH_GETTER(double, GetFloatProp)
TANDREL_PATH_SETTER(double, SetFloatProp)
TANDREL_PATH_GETTER(TObject*, GetObjectProp)
TANDREL_PATH_SETTER(TObject*, SetObjectProp)
TANDREL_PATH_GETTER(TMethod, GetMethodProp)
TANDREL_PATH_SETTER(const TMethod&, SetMethodProp)
TANDREL_PATH_GETTER(Variant, GetVariantProp)
TANDREL_PATH_SETTER(const Variant&, SetVariantProp)
TANDREL_PATH_GETTER(std::string, GetPropText)
TANDREL_PATH_SETTER(const std::string&, SetPropText)

std::string GetEnumProp(const TObject* Instance, const std::string& Path) {
  TResolved R = ResolveOrRaise(Instance, Path);
  if (R.Prop->Kind() != tkEnumeration) RaiseWrongKind(*R.Prop, "an enumeration property");
  return GetPropText(R.Target, *R.Prop);
}

void SetEnumProp(TObject* Instance, const std::string& Path, const std::string& Value) {
  TResolved R = ResolveOrRaise(Instance, Path);
  if (R.Prop->Kind() != tkEnumeration) RaiseWrongKind(*R.Prop, "an enumeration property");
  SetPropText(R.Target, *R.Prop, Value);
}

std::string GetSetProp(const TObject* Instance, const std::string& Path, bool Brackets) {
  TResolved R = ResolveOrRaise(Instance, Path);
  if (R.Prop->Kind() != tkSet) RaiseWrongKind(*R.Prop, "a set property");
  return SetToString(R.Prop->PropType(), static_cast<uint64_t>(R.Prop->GetOrd(R.Target)), Brackets);
}

void SetSetProp(TObject* Instance, const std::string& Path, const std::string& Value) {
  TResolved R = ResolveOrRaise(Instance, Path);
  if (R.Prop->Kind() != tkSet) RaiseWrongKind(*R.Prop, "a set property");
  SetPropText(R.Target, *R.Prop, Value);
}

// --- access as text ------------------------------------------------------------

std::string MethodName(const TObject* Instance, const TMethod& Method) {
  if (Instance == nullptr || !Method.Assigned()) return "";
  const TMethodInfo* Info = Instance->ClassInfo()->FindMethodByCode(Method.Code);
  if (Info == nullptr || Info->SelfOf(const_cast<TObject*>(Instance)) != Method.Data) return "";
  return Info->Name;
}

std::string GetPropText(const TObject* Instance, const TPropInfo& Prop) {
  const TTypeInfo& Type = Prop.PropType();
  switch (Type.Kind) {
    case tkInteger: {
      int64_t Value = Prop.GetOrd(Instance);
      std::string Ident;
      TIntToIdent ToIdent = FindIntToIdent(Type.Name);
      if (ToIdent != nullptr && ToIdent(static_cast<int32_t>(Value), Ident)) return Ident;
      return IntToStr(Value);
    }
    case tkChar:
      return CharToText(Prop.GetOrd(Instance));
    case tkEnumeration:
      return GetEnumName(Type, Prop.GetOrd(Instance));
    case tkSet:
      return SetToString(Type, static_cast<uint64_t>(Prop.GetOrd(Instance)));
    case tkFloat:
      return FloatToStr(Prop.GetFloat(Instance));
    case tkString:
      return Prop.GetStr(Instance);
    case tkClass: {
      TObject* Value = Prop.GetObject(Instance);
      if (Value == nullptr) return "";
      if (auto* Component = dynamic_cast<TComponent*>(Value)) return Component->Name();
      throw EPropertyError("The " + Describe(Prop) + " holds an object that has no text form");
    }
    case tkMethod: {
      TMethod Method = Prop.GetMethod(Instance);
      for (TObject* Candidate : Owners(const_cast<TObject*>(Instance))) {
        std::string Name = MethodName(Candidate, Method);
        if (!Name.empty()) return Name;
      }
      return "";
    }
    case tkVariant:
      return VarToStr(GetVariantProp(Instance, Prop));
    default:
      throw EPropertyError("The " + Describe(Prop) + " has no text form");
  }
}

namespace {

int64_t OrdinalFromText(const TPropInfo& Prop, const std::string& Value) {
  const TTypeInfo& Type = Prop.PropType();
  std::string Text = Trim(Value);
  int64_t Result = 0;
  switch (Type.Kind) {
    case tkInteger: {
      int32_t Ident = 0;
      TIdentToInt ToInt = FindIdentToInt(Type.Name);
      if (ToInt != nullptr && ToInt(Text, Ident)) return Ident;
      if (!TryStrToInt64(Text, Result)) RaiseBadValue(Prop, Value);
      return Result;
    }
    case tkChar:
      if (!TextToChar(Value, Result)) RaiseBadValue(Prop, Value);
      return Result;
    case tkEnumeration:
      Result = GetEnumValue(Type, Text);
      if (Result < 0) RaiseBadValue(Prop, Value);
      return Result;
    default:
      try {
        return static_cast<int64_t>(StringToSet(Type, Text));
      } catch (const EConvertError& E) {
        throw EConvertError(E.Message() + " for " + Describe(Prop));
      }
  }
}

TMethod MethodFromText(TObject* Instance, const TPropInfo& Prop, const std::string& Name) {
  for (TObject* Candidate : Owners(Instance)) {
    const TMethodInfo* Method = Candidate->ClassInfo()->FindMethod(Name);
    if (Method == nullptr) continue;
    if (*Method->Signature != *Prop.PropType().Signature)
      throw EConvertError("Method " + Quoted(Name) + " does not have the arguments of " + Describe(Prop));
    return Method->Bind(Candidate);
  }
  throw EConvertError("Method " + Quoted(Name) + " not found for " + Describe(Prop));
}

}  // namespace

void SetPropText(TObject* Instance, const TPropInfo& Prop, const std::string& Value) {
  switch (Prop.Kind()) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet:
      SetOrdProp(Instance, Prop, OrdinalFromText(Prop, Value));
      return;
    case tkFloat: {
      double Number = 0;
      if (!TryStrToFloat(Trim(Value), Number)) RaiseBadValue(Prop, Value);
      SetFloatProp(Instance, Prop, Number);
      return;
    }
    case tkString:
      SetStrProp(Instance, Prop, Value);
      return;
    case tkClass: {
      std::string Name = Trim(Value);
      TComponent* Component = nullptr;
      if (!Name.empty() && !SameText(Name, "nil")) {
        Component = FindReferencedComponent(Instance, Name);
        if (Component == nullptr) throw EConvertError("Component " + Quoted(Name) + " not found for " + Describe(Prop));
      }
      SetObjectProp(Instance, Prop, Component);
      return;
    }
    case tkMethod: {
      std::string Name = Trim(Value);
      bool Clear = Name.empty() || SameText(Name, "nil");
      SetMethodProp(Instance, Prop, Clear ? TMethod{} : MethodFromText(Instance, Prop, Name));
      return;
    }
    case tkVariant:
      SetVariantProp(Instance, Prop, Variant(Value));
      return;
    default:
      throw EPropertyError("The " + Describe(Prop) + " cannot be set from text");
  }
}

bool TrySetPropText(TObject* Instance, const std::string& Path, const std::string& Value) {
  try {
    TObject* Target = nullptr;
    const TPropInfo* Prop = nullptr;
    if (!ResolvePropPath(Instance, Path, Target, Prop)) return false;
    SetPropText(Target, *Prop, Value);
    return true;
  } catch (const Exception&) {
    return false;
  }
}
