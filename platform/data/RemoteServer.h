#pragma once

#include "platform/components/Component.h"
#include "platform/core/Variant.h"

// A connection to an application server: what client data sets ask for
// their records. The socket connection and the local server object derive
// from it.
class TCustomRemoteServer : public TComponent {
  TANDREL_CLASS(TCustomRemoteServer, TComponent)

  explicit TCustomRemoteServer(TComponent* AOwner) : TComponent(AOwner) {}

  // The server object (a dispatch variant) once connected; connects first
  // when needed, and raises when that fails.
  virtual Variant AppServer() = 0;
};
