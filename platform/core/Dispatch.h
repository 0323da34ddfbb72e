#pragma once

#include <string>
#include <vector>

#include "platform/core/Variant.h"

// The one interface of every late-bound object: manager, counter, validator,
// lookup window, application server (local or across a connection).

enum class TInvokeKind { Method, PropertyGet, PropertyPut };

// An argument of a late-bound call. A by-reference argument may be written by
// the callee; the caller reads it back from the same slot.
struct TDispArg {
  Variant Value;
  bool ByRef = false;
};
using TDispArgs = std::vector<TDispArg>;

class IDispatch {
 public:
  virtual void AddRef() = 0;
  virtual void Release() = 0;
  // Name is matched case-insensitively. For PropertyPut the last argument is
  // the value. Unknown names raise EOleError
  // "Method '%s' not supported by automation object"; a failure inside the
  // callee reaches the caller as an EOleException with the callee's message.
  virtual Variant Invoke(const std::string& Name, TInvokeKind Kind, TDispArgs& Args) = 0;

 protected:
  virtual ~IDispatch() = default;
};
