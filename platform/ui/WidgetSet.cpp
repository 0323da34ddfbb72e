#include "platform/ui/WidgetSet.h"

#include "platform/ui/HeadlessWidgetSet.h"

namespace {

THeadlessWidgetSet& DefaultWidgetSet() {
  static THeadlessWidgetSet Headless;
  return Headless;
}

TWidgetSet* Current = nullptr;

}  // namespace

TWidgetSet& WidgetSet() {
  if (Current == nullptr) SetWidgetSet(nullptr);
  return *Current;
}

void SetWidgetSet(TWidgetSet* Value) {
  Current = Value != nullptr ? Value : &DefaultWidgetSet();
  SetTextRenderer(Current);
}
