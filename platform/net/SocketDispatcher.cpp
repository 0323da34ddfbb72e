#include "platform/net/SocketDispatcher.h"

#include <atomic>
#include <iostream>
#include <list>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/core/Automation.h"
#include "platform/core/SysUtils.h"
#include "platform/net/Protocol.h"
#include "platform/net/SocketIO.h"
#include "platform/net/WireFormat.h"

namespace {

struct TNameLess {
  bool operator()(const std::string& A, const std::string& B) const { return CompareText(A, B) < 0; }
};

struct TConnection {
  std::thread Thread;
  std::atomic<bool> Done{false};
};

// The reply to one call: its result and by-reference values, or the failure
// the callee raised, with the class names the caller needs to raise it again.
std::string Execute(const Variant& Object, TCallMessage& Call) {
  TErrorMessage Error;
  Error.CallId = Call.CallId;
  try {
    TResultMessage Result;
    Result.CallId = Call.CallId;
    Result.Result = VarToDispatch(Object)->Invoke(Call.Name, Call.Kind, Call.Args);
    for (size_t K = 0; K < Call.Args.size(); ++K)
      if (Call.Args[K].ByRef) Result.RefValues.emplace_back(static_cast<uint32_t>(K), Call.Args[K].Value);
    return EncodeResult(Result);
  } catch (const EOleException& E) {
    Error = {Call.CallId, E.ClassName(), E.Source(), E.Message(), E.ErrorCode()};
  } catch (const EOleError& E) {
    Error = {Call.CallId, E.ClassName(), "", E.Message(), E.ErrorCode()};
  } catch (const Exception& E) {
    Error = {Call.CallId, E.ClassName(), E.ClassName(), E.Message(), 0};
  } catch (const std::exception& E) {
    Error = {Call.CallId, "Exception", "", E.what(), 0};
  }
  // Texts from the callee may not be UTF-8; the caller still learns of the failure.
  if (!IsValidUtf8(Error.Message)) Error.Message = "The call failed with a message that is not valid UTF-8";
  if (!IsValidUtf8(Error.Source)) Error.Source.clear();
  return EncodeError(Error);
}

}  // namespace

struct TSocketDispatcher::TState {
  mutable std::mutex Mutex;
  std::map<std::string, TServerFactory, TNameLess> Factories;
  TLogEvent OnLog;
  int MaxConnections = 64;
  int FrameTimeout = 30000;

  std::mutex LogMutex;
  std::atomic<int> ConnectionCount{0};

  // Set while open.
  TSocketHandle Listener;
  std::optional<TStopSignal> Stop;
  std::thread AcceptThread;
  std::list<TConnection> Connections;  // touched by the accept thread and Close only
  int Port = 0;

  void Log(const std::string& Line);
  void AcceptLoop();
  void ReapFinished();
  void Serve(TSocketHandle Socket, std::string Peer);
  // The object the client's hello asks for, or empty after a refusal.
  Variant Handshake(int Fd, const std::string& Peer);
  void Refuse(int Fd, const std::string& Peer, const std::string& Reason);
};

void TSocketDispatcher::TState::Log(const std::string& Line) {
  TLogEvent Handler;
  {
    std::lock_guard Lock(Mutex);
    Handler = OnLog;
  }
  std::lock_guard Lock(LogMutex);
  if (Handler)
    Handler(Line);
  else
    std::cerr << "TSocketDispatcher: " << Line << std::endl;
}

void TSocketDispatcher::TState::AcceptLoop() {
  for (;;) {
    // Waking now and then lets finished connections be reaped on an idle server.
    const TWaitResult Wait = WaitReadable(Listener.Fd(), Stop->Fd(), DeadlineAfter(1000));
    ReapFinished();
    if (Wait == TWaitResult::Stopped) return;
    if (Wait == TWaitResult::TimedOut) continue;
    TSocketHandle Socket = AcceptConnection(Listener.Fd());
    if (!Socket.IsOpen()) continue;
    std::string Peer = PeerName(Socket.Fd());
    int Limit;
    {
      std::lock_guard Lock(Mutex);
      Limit = MaxConnections;
    }
    if (ConnectionCount >= Limit) {
      Refuse(Socket.Fd(), Peer, "The server takes no more than " + std::to_string(Limit) + " connections");
      continue;
    }
    ++ConnectionCount;
    TConnection& C = Connections.emplace_back();
    C.Thread = std::thread([this, &C, S = std::move(Socket), P = std::move(Peer)]() mutable {
      Serve(std::move(S), std::move(P));
      --ConnectionCount;
      C.Done = true;
    });
  }
}

void TSocketDispatcher::TState::ReapFinished() {
  for (auto It = Connections.begin(); It != Connections.end();) {
    if (It->Done) {
      It->Thread.join();
      It = Connections.erase(It);
    } else {
      ++It;
    }
  }
}

void TSocketDispatcher::TState::Refuse(int Fd, const std::string& Peer, const std::string& Reason) {
  Log(Peer + ": refused: " + Reason);
  try {
    SendFrame(Fd, EncodeRefused(Reason), DeadlineAfter(1000));
  } catch (const Exception&) {
    // The client may be gone already; the refusal is logged either way.
  }
}

Variant TSocketDispatcher::TState::Handshake(int Fd, const std::string& Peer) {
  std::string Body;
  const TReceiveResult Received = ReceiveFrame(Fd, Body, DeadlineAfter(FrameTimeout), Stop->Fd(), FrameTimeout);
  if (Received == TReceiveResult::TimedOut) throw EProtocolError("no hello within " + std::to_string(FrameTimeout) + " ms");
  if (Received != TReceiveResult::Frame) return Variant();
  const THelloMessage Hello = DecodeHello(Body);
  if (Hello.Version != ProtocolVersion) {
    Refuse(Fd, Peer, "Protocol version " + std::to_string(Hello.Version) + " is not supported (this server speaks version " +
                         std::to_string(ProtocolVersion) + ")");
    return Variant();
  }
  TServerFactory Factory;
  {
    std::lock_guard Lock(Mutex);
    const auto It = Factories.find(Hello.ServerName);
    if (It != Factories.end()) Factory = It->second;
  }
  if (!Factory) {
    Refuse(Fd, Peer, "Server '" + Hello.ServerName + "' is not registered");
    return Variant();
  }
  Variant Object;
  try {
    Object = Factory();
  } catch (const Exception& E) {
    Refuse(Fd, Peer, "Server '" + Hello.ServerName + "' could not be created: " + E.Message());
    return Variant();
  }
  if (!VarIsDispatch(Object)) {
    Refuse(Fd, Peer, "Server '" + Hello.ServerName + "' could not be created: its factory gave no object");
    return Variant();
  }
  SendFrame(Fd, EncodeWelcome(), DeadlineAfter(FrameTimeout));
  return Object;
}

void TSocketDispatcher::TState::Serve(TSocketHandle Socket, std::string Peer) {
  const int Fd = Socket.Fd();
  try {
    const Variant Object = Handshake(Fd, Peer);
    if (!VarIsDispatch(Object)) return;
    for (;;) {
      std::string Body;
      if (ReceiveFrame(Fd, Body, NoDeadline, Stop->Fd(), FrameTimeout) != TReceiveResult::Frame) return;
      if (MessageKindOf(Body) != TMessageKind::Call)
        throw EProtocolError("a message of kind " + std::to_string(static_cast<int>(MessageKindOf(Body))) +
                             " where a call was expected");
      TCallMessage Call = DecodeCall(Body);
      SendFrame(Fd, Execute(Object, Call), DeadlineAfter(FrameTimeout));
    }
  } catch (const EProtocolError& E) {
    Log(Peer + ": bad frame, connection ended: " + E.Message());
  } catch (const Exception& E) {
    Log(Peer + ": connection ended: " + E.Message());
  } catch (const std::exception& E) {
    Log(Peer + ": connection ended: " + E.what());
  }
}

TSocketDispatcher::TSocketDispatcher() : State_(std::make_unique<TState>()) {}

TSocketDispatcher::~TSocketDispatcher() { Close(); }

void TSocketDispatcher::RegisterServer(const std::string& ServerName, TServerFactory Factory) {
  std::lock_guard Lock(State_->Mutex);
  State_->Factories[ServerName] = std::move(Factory);
}

void TSocketDispatcher::SetOnLog(TLogEvent Handler) {
  std::lock_guard Lock(State_->Mutex);
  State_->OnLog = std::move(Handler);
}

void TSocketDispatcher::SetMaxConnections(int Value) {
  std::lock_guard Lock(State_->Mutex);
  State_->MaxConnections = Value;
}

void TSocketDispatcher::SetFrameTimeout(int Milliseconds) {
  if (Active()) throw ESocketError("The frame time-out cannot change while the server is open");
  State_->FrameTimeout = Milliseconds;
}

void TSocketDispatcher::Open(const std::string& Address, int Port) {
  if (Active()) throw ESocketError("The server is open already");
  State_->Listener = ListenTcp(Address, Port);
  State_->Port = LocalPort(State_->Listener.Fd());
  State_->Stop.emplace();
  State_->AcceptThread = std::thread([S = State_.get()] { S->AcceptLoop(); });
}

bool TSocketDispatcher::Active() const { return State_->AcceptThread.joinable(); }

int TSocketDispatcher::Port() const { return Active() ? State_->Port : 0; }

void TSocketDispatcher::Close() {
  if (!Active()) return;
  State_->Stop->Signal();
  State_->AcceptThread.join();
  for (TConnection& C : State_->Connections) C.Thread.join();
  State_->Connections.clear();
  State_->Listener.Close();
  State_->Stop.reset();
  State_->Port = 0;
}

int TSocketDispatcher::ConnectionCount() const { return State_->ConnectionCount; }
