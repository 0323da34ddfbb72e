#include "platform/core/Automation.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

namespace {

[[noreturn]] void NotSupported(const std::string& Name) {
  throw EOleError("Method '" + Name + "' not supported by automation object");
}

IDispatch* DispatchOf(const Variant& Obj) {
  IDispatch* Disp = VarIsDispatch(Obj) ? VarToDispatch(Obj) : nullptr;
  if (Disp == nullptr) throw EVariantError("Invalid variant operation");
  return Disp;
}

Variant Invoke(const Variant& Obj, const std::string& Name, TInvokeKind Kind,
               std::initializer_list<TCallArg> Args, const Variant* PutValue) {
  // Holding a copy keeps the object alive through the call even when the
  // callee clears the caller's variable.
  const Variant Keep = Obj;
  IDispatch* Disp = DispatchOf(Keep);
  TDispArgs DispArgs;
  DispArgs.reserve(Args.size() + 1);
  for (const TCallArg& A : Args) DispArgs.push_back({A.Value(), A.Target() != nullptr});
  if (PutValue != nullptr) DispArgs.push_back({*PutValue, false});
  Variant Result = Disp->Invoke(Name, Kind, DispArgs);
  size_t I = 0;
  for (const TCallArg& A : Args) {
    if (A.Target() != nullptr) *A.Target() = DispArgs[I].Value;
    ++I;
  }
  return Result;
}

}  // namespace

bool VarIsDispatch(const Variant& V) { return VarType(V) == varDispatch && VarToDispatch(V) != nullptr; }

Variant VarCall(const Variant& Obj, const std::string& Name, std::initializer_list<TCallArg> Args) {
  return Invoke(Obj, Name, TInvokeKind::Method, Args, nullptr);
}

Variant VarGet(const Variant& Obj, const std::string& Name, std::initializer_list<TCallArg> Args) {
  return Invoke(Obj, Name, TInvokeKind::PropertyGet, Args, nullptr);
}

void VarPut(const Variant& Obj, const std::string& Name, const Variant& Value) {
  Invoke(Obj, Name, TInvokeKind::PropertyPut, {}, &Value);
}

bool TAutoObject::TNameLess::operator()(const std::string& A, const std::string& B) const {
  return CompareText(A, B) < 0;
}

void TAutoObject::RegisterMethod(const std::string& Name, TMethodFn Fn) { Members_[Name].Method = std::move(Fn); }

void TAutoObject::RegisterProperty(const std::string& Name, TGetFn Get, TPutFn Put) {
  TMember& M = Members_[Name];
  M.Get = std::move(Get);
  M.Put = std::move(Put);
}

Variant& TAutoObject::Arg(TDispArgs& Args, size_t Index) {
  if (Index >= Args.size()) throw EOleError("Invalid number of parameters");
  return Args[Index].Value;
}

Variant TAutoObject::Invoke(const std::string& Name, TInvokeKind Kind, TDispArgs& Args) {
  const auto It = Members_.find(Name);
  if (It == Members_.end()) NotSupported(Name);
  // The object may drop its last outside reference inside the member.
  AddRef();
  struct TReleaseOnExit {
    TAutoObject* Self;
    ~TReleaseOnExit() { Self->Release(); }
  } Guard{this};
  try {
    return InvokeMember(It->second, Name, Kind, Args);
  } catch (const EOleError&) {
    throw;
  } catch (const Exception& E) {
    throw EOleException(E.Message(), ClassName_);
  } catch (const std::exception& E) {
    throw EOleException(E.what(), ClassName_);
  }
}

Variant TAutoObject::InvokeMember(const TMember& M, const std::string& Name, TInvokeKind Kind, TDispArgs& Args) {
  switch (Kind) {
    case TInvokeKind::Method:
      // A property read may be written as a call without arguments, as
      // late-bound callers do.
      if (M.Method) return M.Method(Args);
      if (M.Get) return M.Get(Args);
      break;
    case TInvokeKind::PropertyGet:
      if (M.Get) return M.Get(Args);
      if (M.Method) return M.Method(Args);
      break;
    case TInvokeKind::PropertyPut:
      if (M.Put) {
        if (Args.empty()) throw EOleError("Invalid number of parameters");
        const Variant Value = Args.back().Value;
        Args.pop_back();
        M.Put(Args, Value);
        return Variant();
      }
      break;
  }
  NotSupported(Name);
}
