#include "platform/data/OvADO.h"

#include "platform/rtti/Publish.h"

TANDREL_PUBLISH(TOvADOConnection) {}

TANDREL_PUBLISH(TOvADOQuery) {
  Info.Property("EnableBCD", &TOvADOQuery::EnableBCD, &TOvADOQuery::SetEnableBCD);
  Info.Property("CachedUpdates", &TOvADOQuery::CachedUpdates, &TOvADOQuery::SetCachedUpdates);
}

void TOvADOQuery::SetEnableBCD(bool Value) {
  if (Value) DatabaseError("BCD fields are not supported: numbers arrive as floats");
}

void TOvADOQuery::SetCachedUpdates(bool Value) {
  if (Value) DatabaseError("Cached updates are not supported: queries are read-only");
}
