#pragma once

#include <memory>
#include <string>

#include "platform/components/Component.h"
#include "platform/core/Variant.h"
#include "platform/net/SocketIO.h"

// A remote-data socket connection: the link of a form to an application
// server hosted by a TSocketDispatcher. Open connects to Address:Port, asks
// for the server object named ServerName and hands it out as AppServer, an
// automation object whose calls cross the connection synchronously: each
// call waits at most Timeout for its answer. A callee's failure arrives as
// EOleException with the callee's message and source; a lost, silent or
// misbehaving server as EOleError, and the connection is then closed.
//
//   Conn->SetAddress("10.0.0.5"); Conn->SetPort(211);
//   Conn->SetServerName("Suite.AppServer");
//   Conn->Open();                              // raises ESocketError
//   VarCall(Conn->AppServer(), "Request", {Params});
//
// An object created in this process can be handed over with SetAppServer
// instead; the connection then counts as connected until Close.

struct TClientChannel;

class TSocketConnection : public TComponent {
  TANDREL_CLASS(TSocketConnection, TComponent)

  explicit TSocketConnection(TComponent* AOwner);
  ~TSocketConnection() override;

  const std::string& Address() const { return Address_; }
  void SetAddress(const std::string& Value);
  int Port() const { return Port_; }
  void SetPort(int Value);
  const std::string& ServerName() const { return ServerName_; }
  void SetServerName(const std::string& Value);
  // Milliseconds for connecting, the hello and each call (default 30000).
  int Timeout() const { return Timeout_; }
  void SetTimeout(int Value);
  // Calls from the server back to the client are not carried: true raises
  // ESocketError.
  bool SupportCallbacks() const { return false; }
  void SetSupportCallbacks(bool Value);

  // A server object is held (remote, and its connection still up, or local).
  bool Connected() const;
  void SetConnected(bool Value);
  // Does nothing when connected. Raises ESocketError when no server name is
  // set, the server cannot be reached, does not answer in time, or refuses
  // (its reason, such as "Server 'X' is not registered", is in the message).
  void Open();
  // Releases the server object and ends the connection.
  void Close();

  // The server object; empty when not connected.
  Variant AppServer() const;
  // Takes an automation object of this process as the server object (any
  // connection is closed first).
  void SetAppServer(const Variant& Server);

 private:
  void CheckClosed(const char* What) const;

  std::string Address_;
  int Port_ = 211;
  std::string ServerName_;
  int Timeout_ = 30000;
  std::shared_ptr<TClientChannel> Channel_;
  Variant AppServer_;
};
