#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/core/Object.h"
#include "platform/rtti/Events.h"

// Class infos and published members: what class references, property access
// by name and the form-resource reader stand on. Classes publish their
// members with the builder of platform/rtti/Publish.h.

class TComponent;
class Variant;

// Unknown, read-only or mismatched properties.
TANDREL_EXCEPTION(EPropertyError, Exception);
TANDREL_EXCEPTION(EClassNotFound, Exception);

enum TTypeKind {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkVariant
};

struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  std::string Name;
  // Ordinal range of integers, characters and enumerations.
  int64_t MinValue = 0;
  int64_t MaxValue = 0;
  std::vector<std::string> EnumNames;         // tkEnumeration: MinValue..MaxValue
  const TTypeInfo* ElementType = nullptr;     // tkSet
  const TClassInfo* ClassType = nullptr;      // tkClass
  const std::type_info* Signature = nullptr;  // tkMethod: the handler's code type
};

TTypeInfo MakeEnumTypeInfo(std::string Name, std::vector<std::string> Names, int64_t First = 0);
TTypeInfo MakeSetTypeInfo(const TTypeInfo& ElementType);
// A type of the same shape under another name (TColor is an Integer,
// TAnchors a set); one stable record per name.
const TTypeInfo& NamedTypeInfo(const std::string& Name, const TTypeInfo& Shape);
const TTypeInfo& VariantTypeInfo();

// Enumeration value names, compared without regard to case. GetEnumValue
// gives -1 for an unknown name; GetEnumName gives '' outside the range.
std::string GetEnumName(const TTypeInfo& Type, int64_t Value);
int64_t GetEnumValue(const TTypeInfo& Type, const std::string& Name);
// "[a,b]"; StringToSet also takes the list without brackets and with blanks,
// and raises EConvertError for a name the element type does not have.
std::string SetToString(const TTypeInfo& SetType, uint64_t Value, bool Brackets = true);
uint64_t StringToSet(const TTypeInfo& SetType, const std::string& Text);

// A published property. Exactly the accessors of its kind are set (ordinal
// for integers, characters, enumerations and sets); no setter means read-only.
struct TPropInfo {
  std::string Name;
  const TClassInfo* DeclaringClass = nullptr;
  const TTypeInfo* Type = nullptr;
  // Class types are resolved on first use, so a class may publish a
  // property of its own type.
  const TTypeInfo& (*ResolveType)() = nullptr;

  std::function<int64_t(const TObject*)> GetOrd;
  std::function<void(TObject*, int64_t)> SetOrd;
  std::function<double(const TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<std::string(const TObject*)> GetStr;
  std::function<void(TObject*, const std::string&)> SetStr;
  std::function<TObject*(const TObject*)> GetObject;
  std::function<void(TObject*, TObject*)> SetObject;
  std::function<TMethod(const TObject*)> GetMethod;
  std::function<void(TObject*, const TMethod&)> SetMethod;
  std::function<void(const TObject*, Variant&)> GetVariant;
  std::function<void(TObject*, const Variant&)> SetVariant;

  const TTypeInfo& PropType() const;
  TTypeKind Kind() const { return PropType().Kind; }
  const std::string& TypeName() const { return PropType().Name; }
  bool IsWritable() const;
};

// A published handler: Code takes the object that SelfOf gives for the
// instance, so the pair is a TMethod of the handler's signature.
struct TMethodInfo {
  std::string Name;
  void* Code = nullptr;
  const std::type_info* Signature = nullptr;
  void* (*SelfOf)(TObject* Instance) = nullptr;

  TMethod Bind(TObject* Instance) const { return {Code, SelfOf(Instance)}; }
};

// A published component field, set when a component of its name joins the
// instance and cleared when it leaves.
struct TFieldInfo {
  std::string Name;
  const TClassInfo& (*FieldClass)() = nullptr;
  // False when Value is not of the field's class (the field is left alone).
  std::function<bool(TObject* Instance, TObject* Value)> Set;
  std::function<TObject*(const TObject* Instance)> Get;
};

class TClassInfo {
 public:
  using TFactory = TComponent* (*)(TComponent* Owner);
  using TPublisher = void (*)(TClassInfo& Info);

  TClassInfo(std::string Name, const TClassInfo* Parent, TFactory Factory, TPublisher Publish);
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;
  ~TClassInfo();

  const std::string& ClassName() const { return Name_; }
  const TClassInfo* ClassParent() const { return Parent_; }
  bool InheritsFrom(const TClassInfo* Ancestor) const;
  const TTypeInfo& TypeInfo() const { return Type_; }

  // The virtual constructor of component classes: creates an instance with
  // Owner and runs its AfterConstruction. Raises EInvalidOperation for a
  // class that cannot be created so.
  bool CanCreate() const { return Factory_ != nullptr; }
  TComponent* Create(TComponent* Owner) const;

  // Lookups walk the class chain; names are compared without regard to case.
  const TPropInfo* FindProperty(const std::string& Name) const;
  // Ancestors' properties first, each in declaration order; a property that
  // a descendant declares again keeps its ancestor's place.
  std::vector<const TPropInfo*> Properties() const;
  const TMethodInfo* FindMethod(const std::string& Name) const;
  const TMethodInfo* FindMethodByCode(const void* Code) const;
  const TFieldInfo* FindField(const std::string& Name) const;

  // Publishing, for the builder. A name published twice by one class raises
  // EPropertyError.
  TPropInfo& AddProperty(const std::string& Name);
  void AddMethod(TMethodInfo Method);
  void AddField(TFieldInfo Field);

 private:
  std::string Name_;
  const TClassInfo* Parent_;
  TFactory Factory_;
  TTypeInfo Type_;
  std::vector<std::unique_ptr<TPropInfo>> Properties_;
  std::vector<TMethodInfo> Methods_;
  std::vector<TFieldInfo> Fields_;
};

// --- class registry -----------------------------------------------------
// Names are compared without regard to case. Registering the same class
// again does nothing; another class of a registered name raises
// EInvalidOperation.
void RegisterClass(const TClassInfo& Class);
void UnregisterClass(const TClassInfo& Class);
// Nil when no class of that name is registered.
const TClassInfo* GetClass(const std::string& Name);
// Raises EClassNotFound "Class TFoo not found".
const TClassInfo& FindClass(const std::string& Name);
TComponent* CreateComponentOfClass(const std::string& ClassName, TComponent* Owner);

// Keeps a class registered while the module that holds it is loaded.
class TClassRegistration {
 public:
  explicit TClassRegistration(const TClassInfo& Class);
  ~TClassRegistration();
  TClassRegistration(const TClassRegistration&) = delete;
  TClassRegistration& operator=(const TClassRegistration&) = delete;

 private:
  const TClassInfo& Class_;
  bool Registered_;
};

// --- properties of an instance -------------------------------------------
// Path is a property name or a dotted path through object properties
// ("Font.Name"). Names are compared without regard to case.

// Nil when Instance is nil, the path is empty, a part is missing or an object
// on the way is nil.
const TPropInfo* GetPropInfo(const TObject* Instance, const std::string& Path);
// The same, but raises EPropertyError naming the part that is missing.
const TPropInfo& FindPropInfo(const TObject* Instance, const std::string& Path);
// The object holding the last part of Path, and that property; false when
// GetPropInfo would give nil.
bool ResolvePropPath(TObject* Instance, const std::string& Path, TObject*& Target,
                     const TPropInfo*& Prop);
bool IsPublishedProp(const TObject* Instance, const std::string& Path);
// True when the property's type is named TypeName (ignoring case).
bool PropIsType(const TObject* Instance, const std::string& Path, const std::string& TypeName);
std::vector<const TPropInfo*> GetPropList(const TObject* Instance);

// Access by kind. A property of another kind, a read-only property, or a
// value outside the type's range raises EPropertyError; GetOrdProp also
// reads object properties (the object's address).
int64_t GetOrdProp(const TObject* Instance, const std::string& Path);
void SetOrdProp(TObject* Instance, const std::string& Path, int64_t Value);
std::string GetStrProp(const TObject* Instance, const std::string& Path);
void SetStrProp(TObject* Instance, const std::string& Path, const std::string& Value);
double GetFloatProp(const TObject* Instance, const std::string& Path);
void SetFloatProp(TObject* Instance, const std::string& Path, double Value);
TObject* GetObjectProp(const TObject* Instance, const std::string& Path);
void SetObjectProp(TObject* Instance, const std::string& Path, TObject* Value);
TMethod GetMethodProp(const TObject* Instance, const std::string& Path);
void SetMethodProp(TObject* Instance, const std::string& Path, const TMethod& Value);
Variant GetVariantProp(const TObject* Instance, const std::string& Path);
void SetVariantProp(TObject* Instance, const std::string& Path, const Variant& Value);
std::string GetEnumProp(const TObject* Instance, const std::string& Path);
void SetEnumProp(TObject* Instance, const std::string& Path, const std::string& Value);
std::string GetSetProp(const TObject* Instance, const std::string& Path, bool Brackets = true);
void SetSetProp(TObject* Instance, const std::string& Path, const std::string& Value);

// The same on an already found property of Instance.
int64_t GetOrdProp(const TObject* Instance, const TPropInfo& Prop);
void SetOrdProp(TObject* Instance, const TPropInfo& Prop, int64_t Value);
std::string GetStrProp(const TObject* Instance, const TPropInfo& Prop);
void SetStrProp(TObject* Instance, const TPropInfo& Prop, const std::string& Value);
double GetFloatProp(const TObject* Instance, const TPropInfo& Prop);
void SetFloatProp(TObject* Instance, const TPropInfo& Prop, double Value);
TObject* GetObjectProp(const TObject* Instance, const TPropInfo& Prop);
void SetObjectProp(TObject* Instance, const TPropInfo& Prop, TObject* Value);
TMethod GetMethodProp(const TObject* Instance, const TPropInfo& Prop);
void SetMethodProp(TObject* Instance, const TPropInfo& Prop, const TMethod& Value);
Variant GetVariantProp(const TObject* Instance, const TPropInfo& Prop);
void SetVariantProp(TObject* Instance, const TPropInfo& Prop, const Variant& Value);

// Any kind as text: integers as numbers, or as identifiers where their type
// registered identifier conversions (clRed, crHourGlass, GB2312_CHARSET);
// characters as themselves; enumerations by value name; sets as "[a,b]";
// floats in the number format of the settings; variants by their text; object properties by the
// component's name; events by the published method's name (looked up on the
// instance's owners, then on the instance). Setting raises EPropertyError
// for unknown or read-only properties and EConvertError for a value that
// does not convert, both naming property and value.
std::string GetPropText(const TObject* Instance, const std::string& Path);
void SetPropText(TObject* Instance, const std::string& Path, const std::string& Value);
std::string GetPropText(const TObject* Instance, const TPropInfo& Prop);
void SetPropText(TObject* Instance, const TPropInfo& Prop, const std::string& Value);
// The quiet attempt: false instead of raising.
bool TrySetPropText(TObject* Instance, const std::string& Path, const std::string& Value);

// The name of the published method of Instance's class that Method calls on
// Instance; '' when none.
std::string MethodName(const TObject* Instance, const TMethod& Method);
