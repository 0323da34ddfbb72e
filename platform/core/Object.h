#pragma once

#include <string>

// The root of the class library. Every class that takes part in class
// references, published properties or form resources declares its class info
// with TANDREL_CLASS in its body and publishes its members in its .cpp with
// TANDREL_PUBLISH (platform/rtti/Publish.h).

class TClassInfo;
struct TTypeInfo;
template <class T>
class TClassBuilder;

// One line in the class body (best first): the class's static class info, its
// virtual ClassInfo and the hook that publishes its members. Leaves the body
// public.
#define TANDREL_CLASS(Class, Parent)                                      \
 public:                                                                  \
  using inherited = Parent;                                               \
  static const TClassInfo& StaticClassInfo();                             \
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); } \
                                                                          \
 private:                                                                 \
  friend class TClassBuilder<Class>;                                      \
  static void PublishMembers(TClassBuilder<Class>& Info);                 \
                                                                          \
 public:

// Declares the type info of an enumeration next to it; the value names are
// given once in a .cpp with TANDREL_ENUM_NAMES (platform/rtti/Publish.h).
#define TANDREL_ENUM(Type) const TTypeInfo& TypeInfoFor(Type*)

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo* ClassInfo() const;
  const TClassInfo* ClassType() const { return ClassInfo(); }
  const std::string& ClassName() const;
  // Nil for TObject itself.
  const TClassInfo* ClassParent() const;
  // True for the class itself and every class it derives from.
  bool InheritsFrom(const TClassInfo* Class) const;
  template <class T>
  bool InheritsFrom() const {
    return InheritsFrom(&T::StaticClassInfo());
  }

  // Runs once the whole constructor chain has finished, for objects made
  // through a class reference (TClassInfo::Create): forms read their
  // resources here, when their published fields exist.
  virtual void AfterConstruction() {}
};

// An object that can copy another's state: string lists, fonts, bitmaps.
class TPersistent : public TObject {
  TANDREL_CLASS(TPersistent, TObject)

  // Copies Source into this object; raises EConvertError when the classes
  // do not know each other, as the classic library does.
  virtual void Assign(const TPersistent* Source);
  // The object this one belongs to (a component's owner, a collection's
  // owner), nil when none.
  virtual TPersistent* GetOwner() const { return nullptr; }

 protected:
  // Lets the source copy itself into Dest when Dest does not know the source.
  virtual void AssignTo(TPersistent* Dest) const;
};
