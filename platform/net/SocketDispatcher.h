#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/core/Variant.h"

// The server side of socket connections: hosts automation objects by server
// name. Each accepted connection names the server it wants in its hello; the
// factory of that name makes one object for the connection, whose calls the
// connection then carries. Every connection is served on its own thread, so
// factories and the objects they make must bear being used on several
// threads at once (one object is only ever used by its own connection).
//
// A connection that sends a bad frame, or a hello naming no registered
// server, is ended and the reason logged; every other connection goes on.
//
//   TSocketDispatcher Server;
//   Server.RegisterServer("Suite.AppServer", [] { return CreateAutoObject<TAppServer>(); });
//   Server.Open("127.0.0.1", 0);   // Server.Port() tells the port taken
//   ...
//   Server.Close();                // also done by the destructor

class TSocketDispatcher {
 public:
  // Returns a variant holding a new automation object.
  using TServerFactory = std::function<Variant()>;
  // Receives one line of the server's log; may be called on any thread, one
  // call at a time.
  using TLogEvent = std::function<void(const std::string& Line)>;

  TSocketDispatcher();
  ~TSocketDispatcher();
  TSocketDispatcher(const TSocketDispatcher&) = delete;
  TSocketDispatcher& operator=(const TSocketDispatcher&) = delete;

  // Names are matched without regard to case; registering a name again
  // replaces its factory. Allowed while open.
  void RegisterServer(const std::string& ServerName, TServerFactory Factory);
  // Without a handler, log lines go to stderr.
  void SetOnLog(TLogEvent Handler);

  // Connections beyond this many are refused (default 64).
  void SetMaxConnections(int Value);
  // A connection must complete its hello, and any frame once begun, within
  // this time (default 30000 ms).
  void SetFrameTimeout(int Milliseconds);

  // Starts listening; Port 0 takes a free ephemeral port. Raises
  // ESocketError when the address cannot be bound or the dispatcher is open.
  void Open(const std::string& Address, int Port);
  bool Active() const;
  int Port() const;
  // Stops listening, ends every connection and waits for their threads; a
  // call in progress is finished first.
  void Close();

  // Connections being served now.
  int ConnectionCount() const;

 private:
  struct TState;
  std::unique_ptr<TState> State_;
};
