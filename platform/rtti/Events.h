#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "platform/core/Object.h"
#include "platform/rtti/Sets.h"

// Events are method pointers: a plain function (Code) that takes the object
// it acts for (Data) first. Two pointers, so a handler can be read, saved
// (also as the two objects of string-list entries), compared, restored and
// called, and a host can fill one with its own function and data.

struct TMethod {
  void* Code = nullptr;
  void* Data = nullptr;

  bool Assigned() const { return Code != nullptr; }
  friend bool operator==(const TMethod&, const TMethod&) = default;
};

// The name of an event type, carried in the type itself.
template <size_t N>
struct TEventName {
  constexpr TEventName(const char (&Name)[N]) {
    for (size_t I = 0; I < N; ++I) Text[I] = Name[I];
  }
  char Text[N];
};

template <class Member>
struct TMemberFunctionTraits;
template <class C, class... A>
struct TMemberFunctionTraits<void (C::*)(A...)> {
  using Class = C;
  using Code = void (*)(void* Data, A...);
  // The plain function that calls Member on the object passed as Data.
  template <auto Member>
  static void Thunk(void* Self, A... Args) {
    (static_cast<C*>(Self)->*Member)(std::forward<A>(Args)...);
  }
};
template <auto Member>
using TMemberTraits = TMemberFunctionTraits<decltype(Member)>;

template <TEventName Name, class... Args>
class TEvent {
 public:
  using TCode = void (*)(void* Data, Args...);

  static constexpr const char* TypeName() { return Name.Text; }
  // Handlers with the same arguments share a signature, whatever their names.
  static const std::type_info& Signature() { return typeid(TCode); }

  TEvent() = default;
  TEvent(TCode Code, void* Data) : Code_(Code), Data_(Data) {}
  // Restores a saved method pointer; the caller vouches that Code has these
  // arguments (it came from an event of this type or a published method
  // with this signature).
  explicit TEvent(const TMethod& Method)
      : Code_(reinterpret_cast<TCode>(Method.Code)), Data_(Method.Data) {}

  // A handler that calls Member on Instance: TNotifyEvent::Of<&TForm1::btnOkClick>(this).
  template <auto Member>
  static TEvent Of(typename TMemberTraits<Member>::Class* Instance) {
    static_assert(std::is_same_v<typename TMemberTraits<Member>::Code, TCode>,
                  "the handler's arguments do not match the event's");
    return TEvent(&TMemberTraits<Member>::template Thunk<Member>, Instance);
  }

  TMethod Method() const { return {reinterpret_cast<void*>(Code_), Data_}; }
  TCode Code() const { return Code_; }
  void* Data() const { return Data_; }
  bool Assigned() const { return Code_ != nullptr; }

  // Calling an unassigned event does nothing, so callers need no test.
  void operator()(Args... A) const {
    if (Code_ != nullptr) Code_(Data_, std::forward<Args>(A)...);
  }

  friend bool operator==(const TEvent&, const TEvent&) = default;

 private:
  TCode Code_ = nullptr;
  void* Data_ = nullptr;
};

using Word = uint16_t;

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
TANDREL_ENUM(TShiftStateFlag);

enum TCloseAction { caNone, caHide, caFree, caMinimize };
TANDREL_ENUM(TCloseAction);

enum TMouseButton { mbLeft, mbRight, mbMiddle };
TANDREL_ENUM(TMouseButton);

using TNotifyEvent = TEvent<"TNotifyEvent", TObject*>;
using TKeyEvent = TEvent<"TKeyEvent", TObject*, Word&, TShiftState>;
// The key is a Unicode code point; setting it to 0 swallows the key stroke.
using TKeyPressEvent = TEvent<"TKeyPressEvent", TObject*, char32_t&>;
using TCloseEvent = TEvent<"TCloseEvent", TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<"TCloseQueryEvent", TObject*, bool&>;
using TMouseEvent = TEvent<"TMouseEvent", TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<"TMouseMoveEvent", TObject*, TShiftState, int, int>;
