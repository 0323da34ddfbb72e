#include "platform/data/RemoteServer.h"

#include "platform/rtti/Publish.h"

TANDREL_PUBLISH(TCustomRemoteServer) {}
