#pragma once

#include <atomic>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>

#include "platform/core/Dispatch.h"

// Late-bound calls on a variant holding a dispatch object, and a base class
// for objects that answer them.

// An argument of VarCall: by value, or by reference to the caller's variable,
// which receives what the callee wrote.
class TCallArg {
 public:
  TCallArg(const Variant& Value) : Value_(Value) {}  // NOLINT: arguments convert
  TCallArg(int Value) : Value_(Value) {}              // NOLINT
  TCallArg(const char* Value) : Value_(Value) {}      // NOLINT
  TCallArg(const std::string& Value) : Value_(Value) {}  // NOLINT
  static TCallArg Ref(Variant& Target) { return TCallArg(Target); }

  const Variant& Value() const { return Target_ != nullptr ? *Target_ : Value_; }
  Variant* Target() const { return Target_; }

 private:
  explicit TCallArg(Variant& Target) : Target_(&Target) {}
  Variant Value_;
  Variant* Target_ = nullptr;
};

// Marks an argument as passed by reference: VarCall(Obj, "M", {VarRef(X)}).
inline TCallArg VarRef(Variant& Target) { return TCallArg::Ref(Target); }

// Calls a method of the dispatch object Obj holds. A variant that holds no
// object raises EVariantError "Invalid variant operation".
Variant VarCall(const Variant& Obj, const std::string& Name, std::initializer_list<TCallArg> Args = {});
Variant VarGet(const Variant& Obj, const std::string& Name, std::initializer_list<TCallArg> Args = {});
void VarPut(const Variant& Obj, const std::string& Name, const Variant& Value);
// True when V holds a dispatch object (not a nil one).
bool VarIsDispatch(const Variant& V);

// Reference counting shared by every object that implements IDispatch.
class TInterfacedDispatch : public IDispatch {
 public:
  void AddRef() override { ++RefCount_; }
  void Release() override {
    if (--RefCount_ == 0) delete this;
  }

 protected:
  ~TInterfacedDispatch() override = default;

 private:
  std::atomic<int> RefCount_{0};
};

// An automation object whose members are registered by name, each with a
// function taking the call's arguments. Failures inside a member reach the
// caller as EOleException with the member's message and this object's
// class name as the source.
class TAutoObject : public TInterfacedDispatch {
 public:
  using TMethodFn = std::function<Variant(TDispArgs& Args)>;
  using TGetFn = std::function<Variant(TDispArgs& Args)>;
  using TPutFn = std::function<void(TDispArgs& Args, const Variant& Value)>;

  explicit TAutoObject(std::string ClassName) : ClassName_(std::move(ClassName)) {}

  Variant Invoke(const std::string& Name, TInvokeKind Kind, TDispArgs& Args) override;
  const std::string& AutoClassName() const { return ClassName_; }

  // The argument at Index; raises EOleError "Invalid number of parameters"
  // when the caller passed fewer.
  static Variant& Arg(TDispArgs& Args, size_t Index);

 protected:
  void RegisterMethod(const std::string& Name, TMethodFn Fn);
  void RegisterProperty(const std::string& Name, TGetFn Get, TPutFn Put = nullptr);

 private:
  struct TMember {
    TMethodFn Method;
    TGetFn Get;
    TPutFn Put;
  };
  struct TNameLess {
    bool operator()(const std::string& A, const std::string& B) const;
  };
  Variant InvokeMember(const TMember& M, const std::string& Name, TInvokeKind Kind, TDispArgs& Args);

  std::string ClassName_;
  std::map<std::string, TMember, TNameLess> Members_;
};

// Wraps a new automation object in a variant (which holds its reference).
template <class T, class... A>
Variant CreateAutoObject(A&&... Args) {
  return Variant(static_cast<IDispatch*>(new T(std::forward<A>(Args)...)));
}
