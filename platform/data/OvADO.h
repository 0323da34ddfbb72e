#pragma once

#include "platform/data/ADODB.h"

// The ADO wrapper classes the module's forms are designed with. They are
// the connection and query of this data layer under the wrapper's names,
// with the wrapper's two query settings: numbers arrive as floats (BCD off)
// and edits are never cached (cached updates off), the only modes there are.

class TOvADOConnection : public TADOConnection {
  TANDREL_CLASS(TOvADOConnection, TADOConnection)

  explicit TOvADOConnection(TComponent* AOwner) : TADOConnection(AOwner) {}
};

class TOvADOQuery : public TADOQuery {
  TANDREL_CLASS(TOvADOQuery, TADOQuery)

  explicit TOvADOQuery(TComponent* AOwner) : TADOQuery(AOwner) {}

  // Setting either to true raises EDatabaseError.
  bool EnableBCD() const { return false; }
  void SetEnableBCD(bool Value);
  bool CachedUpdates() const { return false; }
  void SetCachedUpdates(bool Value);
};
