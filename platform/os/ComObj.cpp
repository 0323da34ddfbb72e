#include "platform/os/ComObj.h"

#include "platform/core/Dispatch.h"
#include "platform/core/Exceptions.h"
#include "platform/os/DynLib.h"
#include "platform/os/Registry.h"

namespace {

struct TRegisteredClass {
  std::string Library;
  std::string Factory;
};

TRegisteredClass ReadRegistration(const std::string& ClassName) {
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CLASSES_ROOT);
  // A name with a backslash would reach into another key.
  if (ClassName.empty() || ClassName.find('\\') != std::string::npos || !Reg.OpenKeyReadOnly("\\" + ClassName))
    throw EOleError("Class '" + ClassName + "' is not registered (no key HKEY_CLASSES_ROOT\\" + ClassName + " in " +
                    RegistryFileName() + ")");
  TRegisteredClass R{Reg.ReadString("Library"), Reg.ReadString("Factory")};
  if (R.Library.empty()) throw EOleError("Class '" + ClassName + "' names no library (value \"Library\")");
  if (R.Factory.empty()) R.Factory = DefaultAutoObjectFactory;
  return R;
}

}  // namespace

Variant CreateOleObject(const std::string& ClassName) {
  const TRegisteredClass R = ReadRegistration(ClassName);
  std::string Error;
  HMODULE Library = LoadLibrary(R.Library, &Error);
  if (Library == nullptr)
    throw EOleError("Class '" + ClassName + "': library '" + R.Library + "' cannot be loaded: " + Error);
  const auto Factory = GetProc<TAutoObjectFactory>(Library, R.Factory, &Error);
  if (Factory == nullptr) {
    FreeLibrary(Library);
    throw EOleError("Class '" + ClassName + "': library '" + R.Library + "' has no export '" + R.Factory + "'");
  }
  IDispatch* Object = Factory(ClassName.c_str());
  if (Object == nullptr)
    throw EOleError("Class '" + ClassName + "': the factory '" + R.Factory + "' of library '" + R.Library +
                    "' gave no object");
  Variant Result(Object);
  // The variant holds its own reference now.
  Object->Release();
  return Result;
}
