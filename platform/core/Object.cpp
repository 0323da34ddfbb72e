#include "platform/core/Object.h"

#include "platform/core/Exceptions.h"
#include "platform/rtti/Publish.h"

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo Info("TObject", nullptr, nullptr, nullptr);
  return Info;
}
static const TClassRegistration TObjectRegistration(TObject::StaticClassInfo());

const TClassInfo* TObject::ClassInfo() const { return &StaticClassInfo(); }

const std::string& TObject::ClassName() const { return ClassInfo()->ClassName(); }

const TClassInfo* TObject::ClassParent() const { return ClassInfo()->ClassParent(); }

bool TObject::InheritsFrom(const TClassInfo* Class) const { return ClassInfo()->InheritsFrom(Class); }

TANDREL_PUBLISH(TPersistent) {}

void TPersistent::Assign(const TPersistent* Source) {
  if (Source == nullptr) throw EConvertError("Cannot assign a nil to a " + ClassName());
  Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) const {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}
