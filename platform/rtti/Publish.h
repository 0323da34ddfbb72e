#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

#include "platform/rtti/TypInfo.h"

// Publishing a class's members, in its .cpp:
//
//   TANDREL_PUBLISH(TSampleForm) {
//     Info.Property("Caption", &TSampleForm::Caption, &TSampleForm::SetCaption);
//     Info.Property("Color", &TSampleForm::Color, &TSampleForm::SetColor, "TColor");
//     Info.Property("OnClick", &TSampleForm::FOnClick);
//     Info.Field("btnOk", &TSampleForm::btnOk);
//     Info.Method<&TSampleForm::btnOkClick>("btnOkClick");
//   }
//
// The property's kind and type come from the C++ type of its value: bool is
// Boolean; integral types are integers; char and char32_t characters;
// enumerations declared with TANDREL_ENUM; TSet<E>; double and float;
// std::string; pointers to classes with class infos; event types; Variant.

// Built-in type infos; enumerations add theirs with TANDREL_ENUM.
const TTypeInfo& TypeInfoFor(bool*);
const TTypeInfo& TypeInfoFor(char*);
const TTypeInfo& TypeInfoFor(char32_t*);
const TTypeInfo& TypeInfoFor(int8_t*);
const TTypeInfo& TypeInfoFor(uint8_t*);
const TTypeInfo& TypeInfoFor(int16_t*);
const TTypeInfo& TypeInfoFor(uint16_t*);
const TTypeInfo& TypeInfoFor(int32_t*);
const TTypeInfo& TypeInfoFor(uint32_t*);
const TTypeInfo& TypeInfoFor(int64_t*);
const TTypeInfo& TypeInfoFor(float*);
const TTypeInfo& TypeInfoFor(double*);
const TTypeInfo& TypeInfoFor(std::string*);
const TTypeInfo& TypeInfoFor(Variant*);

#define TANDREL_ENUM_NAMES(Type, ...)                                         \
  const TTypeInfo& TypeInfoFor(Type*) {                                       \
    static const TTypeInfo Info = MakeEnumTypeInfo(#Type, {__VA_ARGS__});     \
    return Info;                                                              \
  }

template <class E>
const TTypeInfo& TypeInfoFor(TSet<E>*) {
  static const TTypeInfo Info = MakeSetTypeInfo(TypeInfoFor(static_cast<E*>(nullptr)));
  return Info;
}

template <class V>
concept EventType = requires(const V& Event) {
  V::TypeName();
  V::Signature();
  { Event.Method() } -> std::same_as<TMethod>;
};

template <class V>
concept ObjectPointer = std::is_pointer_v<V> && std::is_base_of_v<TObject, std::remove_pointer_t<V>>;

template <EventType V>
const TTypeInfo& TypeInfoFor(V*) {
  static const TTypeInfo Info = [] {
    TTypeInfo T;
    T.Kind = tkMethod;
    T.Name = V::TypeName();
    T.Signature = &V::Signature();
    return T;
  }();
  return Info;
}

template <class C>
const TTypeInfo& ClassTypeInfoOf() {
  return C::StaticClassInfo().TypeInfo();
}

template <class C>
const TClassInfo& ClassInfoOf() {
  return C::StaticClassInfo();
}

template <class T>
constexpr TClassInfo::TFactory ComponentFactoryFor() {
  if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                std::is_constructible_v<T, TComponent*>) {
    return [](TComponent* Owner) -> TComponent* { return new T(Owner); };
  } else {
    return nullptr;
  }
}

template <class T>
class TClassBuilder {
 public:
  explicit TClassBuilder(TClassInfo& Info) : Info_(Info) {}

  static void Publish(TClassInfo& Info) {
    TClassBuilder Builder(Info);
    T::PublishMembers(Builder);
  }

  // Getter: a const member function or a callable taking const T&. Setter:
  // a member function or a callable taking (T&, value), or nullptr for a
  // read-only property. TypeName names the type where it is not the C++
  // type's own (TColor, TCursor, TFontCharset, TAnchors ...); an object
  // property always carries its class's name.
  template <class G, class S = std::nullptr_t>
    requires(std::is_invocable_v<G, const T&> && !std::is_member_object_pointer_v<G>)
  TClassBuilder& Property(const std::string& Name, G Getter, S Setter = nullptr,
                          const char* TypeName = nullptr) {
    using V = std::remove_cvref_t<std::invoke_result_t<G, const T&>>;
    std::function<V(const T&)> Get = [Getter](const T& Self) -> V { return std::invoke(Getter, Self); };
    std::function<void(T&, const V&)> Set;
    if constexpr (!std::is_null_pointer_v<S>)
      Set = [Setter](T& Self, const V& Value) { std::invoke(Setter, Self, Value); };
    Add<V>(Name, std::move(Get), std::move(Set), TypeName);
    return *this;
  }

  // A data member read and written directly.
  template <class V>
    requires(!std::is_function_v<V>)
  TClassBuilder& Property(const std::string& Name, V T::*Member, const char* TypeName = nullptr) {
    Add<V>(
        Name, [Member](const T& Self) -> V { return Self.*Member; },
        [Member](T& Self, const V& Value) { Self.*Member = Value; }, TypeName);
    return *this;
  }

  // A handler method, found by name by the form reader and by callers.
  template <auto Member>
  TClassBuilder& Method(const std::string& Name) {
    using Traits = TMemberTraits<Member>;
    using C = typename Traits::Class;
    static_assert(std::is_base_of_v<C, T>, "the method belongs to another class");
    TMethodInfo M;
    M.Name = Name;
    M.Code = reinterpret_cast<void*>(&Traits::template Thunk<Member>);
    M.Signature = &typeid(typename Traits::Code);
    M.SelfOf = [](TObject* Instance) -> void* { return static_cast<C*>(static_cast<T*>(Instance)); };
    Info_.AddMethod(std::move(M));
    return *this;
  }

  // A component field, bound by name.
  template <class C>
  TClassBuilder& Field(const std::string& Name, C* T::*Member) {
    TFieldInfo F;
    F.Name = Name;
    F.FieldClass = &ClassInfoOf<C>;
    F.Set = [Member](TObject* Instance, TObject* Value) {
      C* Typed = dynamic_cast<C*>(Value);
      if (Value != nullptr && Typed == nullptr) return false;
      static_cast<T*>(Instance)->*Member = Typed;
      return true;
    };
    F.Get = [Member](const TObject* Instance) -> TObject* { return static_cast<const T*>(Instance)->*Member; };
    Info_.AddField(std::move(F));
    return *this;
  }

 private:
  static const T& Self(const TObject* Instance) { return *static_cast<const T*>(Instance); }
  static T& Self(TObject* Instance) { return *static_cast<T*>(Instance); }

  template <class V>
  void Add(const std::string& Name, std::function<V(const T&)> Get,
           std::function<void(T&, const V&)> Set, const char* TypeName) {
    TPropInfo& P = Info_.AddProperty(Name);
    if constexpr (ObjectPointer<V>) {
      P.ResolveType = &ClassTypeInfoOf<std::remove_pointer_t<V>>;
      P.GetObject = [Get](const TObject* O) -> TObject* { return Get(Self(O)); };
      if (Set)
        P.SetObject = [Set, Name](TObject* O, TObject* Value) {
          auto* Typed = dynamic_cast<V>(Value);
          if (Value != nullptr && Typed == nullptr)
            throw EPropertyError("Property '" + Name + "' cannot hold an object of class " +
                                 Value->ClassName());
          Set(Self(O), Typed);
        };
    } else {
      const TTypeInfo& Own = TypeInfoFor(static_cast<V*>(nullptr));
      P.Type = TypeName != nullptr ? &NamedTypeInfo(TypeName, Own) : &Own;
      AddAccessors<V>(P, std::move(Get), std::move(Set));
    }
  }

  template <class V>
  static void AddAccessors(TPropInfo& P, std::function<V(const T&)> Get,
                           std::function<void(T&, const V&)> Set) {
    if constexpr (EventType<V>) {
      P.GetMethod = [Get](const TObject* O) { return Get(Self(O)).Method(); };
      if (Set) P.SetMethod = [Set](TObject* O, const TMethod& M) { Set(Self(O), V(M)); };
    } else if constexpr (std::is_same_v<V, std::string>) {
      P.GetStr = [Get](const TObject* O) { return Get(Self(O)); };
      if (Set) P.SetStr = [Set](TObject* O, const std::string& S) { Set(Self(O), S); };
    } else if constexpr (std::is_floating_point_v<V>) {
      P.GetFloat = [Get](const TObject* O) { return static_cast<double>(Get(Self(O))); };
      if (Set) P.SetFloat = [Set](TObject* O, double D) { Set(Self(O), static_cast<V>(D)); };
    } else if constexpr (std::is_same_v<V, Variant>) {
      P.GetVariant = [Get](const TObject* O, Variant& Out) { Out = Get(Self(O)); };
      if (Set) P.SetVariant = [Set](TObject* O, const Variant& Value) { Set(Self(O), Value); };
    } else if constexpr (requires(V S) { S.Bits(); }) {
      P.GetOrd = [Get](const TObject* O) { return static_cast<int64_t>(Get(Self(O)).Bits()); };
      if (Set) P.SetOrd = [Set](TObject* O, int64_t Bits) { Set(Self(O), V::FromBits(static_cast<uint64_t>(Bits))); };
    } else {
      static_assert(std::is_integral_v<V> || std::is_enum_v<V>, "this type cannot be published");
      // A char reads as its byte value 0..255, as its type's range says.
      using TOrdinal = std::conditional_t<std::is_same_v<V, char>, unsigned char, V>;
      P.GetOrd = [Get](const TObject* O) { return static_cast<int64_t>(static_cast<TOrdinal>(Get(Self(O)))); };
      if (Set) P.SetOrd = [Set](TObject* O, int64_t Value) { Set(Self(O), static_cast<V>(Value)); };
    }
  }

  TClassInfo& Info_;
};

// The class info and registration of Class, followed by the body that
// publishes its members (see above).
#define TANDREL_PUBLISH(Class)                                                       \
  const TClassInfo& Class::StaticClassInfo() {                                       \
    static const TClassInfo Info(#Class, &Class::inherited::StaticClassInfo(),       \
                                 ComponentFactoryFor<Class>(), &TClassBuilder<Class>::Publish); \
    return Info;                                                                     \
  }                                                                                  \
  static const TClassRegistration Class##Registration(Class::StaticClassInfo());    \
  void Class::PublishMembers([[maybe_unused]] TClassBuilder<Class>& Info)
