#include "platform/core/Object.h"

#include "platform/core/Exceptions.h"

void TPersistent::Assign(const TPersistent* Source) {
  if (Source == nullptr) throw EConvertError("Cannot assign a nil to a TPersistent");
  Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* /*Dest*/) const {
  throw EConvertError("Cannot assign this object to another of its kind");
}
