// Class infos of the core classes whose units come before the class-info
// machinery.

#include "platform/core/Classes.h"
#include "platform/rtti/Publish.h"

TANDREL_PUBLISH(TStrings) {}
TANDREL_PUBLISH(TStringList) {}
