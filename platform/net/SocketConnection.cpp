#include "platform/net/SocketConnection.h"

#include <mutex>

#include "platform/core/Automation.h"
#include "platform/net/Protocol.h"
#include "platform/net/WireFormat.h"
#include "platform/rtti/Publish.h"

// One open connection, shared by the component and the server object it
// handed out, which may outlive it.
struct TClientChannel {
  std::mutex Mutex;
  TSocketHandle Socket;
  std::string Where;  // "address:port", for messages
  int Timeout = 30000;
  uint32_t LastCallId = 0;

  void Close() {
    std::lock_guard Lock(Mutex);
    Socket.Close();
  }
  bool IsOpen() {
    std::lock_guard Lock(Mutex);
    return Socket.IsOpen();
  }
  Variant Call(const std::string& Name, TInvokeKind Kind, TDispArgs& Args);

 private:
  // Closes the connection and raises EOleError with Text.
  [[noreturn]] void Fail(const std::string& Text);
  std::string AwaitReply(const std::string& Name, TDeadline Deadline);
  void TakeResult(const std::string& Body, uint32_t CallId, TDispArgs& Args, Variant& Result);
  [[noreturn]] void RaiseCalleeError(const std::string& Body, uint32_t CallId);
};

void TClientChannel::Fail(const std::string& Text) {
  Socket.Close();
  throw EOleError(Text);
}

Variant TClientChannel::Call(const std::string& Name, TInvokeKind Kind, TDispArgs& Args) {
  std::lock_guard Lock(Mutex);
  if (!Socket.IsOpen()) throw EOleError("The connection to the server at " + Where + " is closed");
  TCallMessage Message{++LastCallId, Kind, Name, Args};
  // Raises before anything is sent when an argument cannot cross.
  const std::string Frame = EncodeCall(Message);
  const TDeadline Deadline = DeadlineAfter(Timeout);
  try {
    SendFrame(Socket.Fd(), Frame, Deadline);
  } catch (const Exception& E) {
    Fail("The connection to the server at " + Where + " was lost: " + E.Message());
  }
  const std::string Reply = AwaitReply(Name, Deadline);
  if (MessageKindOf(Reply) == TMessageKind::Error) RaiseCalleeError(Reply, Message.CallId);
  Variant Result;
  TakeResult(Reply, Message.CallId, Args, Result);
  return Result;
}

std::string TClientChannel::AwaitReply(const std::string& Name, TDeadline Deadline) {
  std::string Body;
  TReceiveResult Received;
  try {
    Received = ReceiveFrame(Socket.Fd(), Body, Deadline, -1, Timeout);
  } catch (const Exception& E) {
    Fail("The server at " + Where + " sent a bad reply (" + E.Message() + "); the connection was closed");
  }
  if (Received == TReceiveResult::TimedOut)
    Fail("The server at " + Where + " did not answer '" + Name + "' within " + std::to_string(Timeout) +
         " ms; the connection was closed");
  if (Received != TReceiveResult::Frame) Fail("The connection to the server at " + Where + " was lost");
  return Body;
}

void TClientChannel::TakeResult(const std::string& Body, uint32_t CallId, TDispArgs& Args, Variant& Result) {
  try {
    TResultMessage M = DecodeResult(Body);
    if (M.CallId != CallId) throw EProtocolError("the answer belongs to another call");
    for (const auto& [Index, Value] : M.RefValues)
      if (Index >= Args.size() || !Args[Index].ByRef) throw EProtocolError("a by-reference value for no such argument");
    for (auto& [Index, Value] : M.RefValues) Args[Index].Value = std::move(Value);
    Result = std::move(M.Result);
  } catch (const EProtocolError& E) {
    Fail("The server at " + Where + " sent a bad reply (" + E.Message() + "); the connection was closed");
  }
}

void TClientChannel::RaiseCalleeError(const std::string& Body, uint32_t CallId) {
  TErrorMessage M;
  try {
    M = DecodeError(Body);
    if (M.CallId != CallId) throw EProtocolError("the answer belongs to another call");
  } catch (const EProtocolError& E) {
    Fail("The server at " + Where + " sent a bad reply (" + E.Message() + "); the connection was closed");
  }
  // Failures of the call itself (no such method, wrong argument count) keep
  // their class, as they would on a local object.
  if (M.ExceptionClass == "EOleError") throw EOleError(M.Message, M.ErrorCode);
  throw EOleException(M.Message, M.Source.empty() ? M.ExceptionClass : M.Source, M.ErrorCode);
}

namespace {

// The server object as the client sees it.
class TRemoteServer : public TInterfacedDispatch {
 public:
  explicit TRemoteServer(std::shared_ptr<TClientChannel> Channel) : Channel_(std::move(Channel)) {}
  Variant Invoke(const std::string& Name, TInvokeKind Kind, TDispArgs& Args) override {
    return Channel_->Call(Name, Kind, Args);
  }

 private:
  std::shared_ptr<TClientChannel> Channel_;
};

std::shared_ptr<TClientChannel> Handshake(TSocketHandle Socket, const std::string& Where, const std::string& ServerName,
                                          int Timeout, TDeadline Deadline) {
  std::string Reply;
  TReceiveResult Received;
  try {
    SendFrame(Socket.Fd(), EncodeHello({ProtocolVersion, ServerName}), Deadline);
    Received = ReceiveFrame(Socket.Fd(), Reply, Deadline, -1, Timeout);
  } catch (const Exception& E) {
    throw ESocketError("The server at " + Where + " broke off the connection: " + E.Message());
  }
  if (Received == TReceiveResult::TimedOut)
    throw ESocketError("The server at " + Where + " did not answer within " + std::to_string(Timeout) + " ms");
  if (Received != TReceiveResult::Frame) throw ESocketError("The server at " + Where + " closed the connection");
  try {
    if (MessageKindOf(Reply) == TMessageKind::Refused)
      throw ESocketError("The server at " + Where + " refused the connection: " + DecodeRefused(Reply));
    const uint16_t Version = DecodeWelcome(Reply);
    if (Version != ProtocolVersion)
      throw ESocketError("The server at " + Where + " speaks protocol version " + std::to_string(Version));
  } catch (const EProtocolError& E) {
    throw ESocketError("The server at " + Where + " sent a bad answer: " + E.Message());
  }
  auto Channel = std::make_shared<TClientChannel>();
  Channel->Socket = std::move(Socket);
  Channel->Where = Where;
  Channel->Timeout = Timeout;
  return Channel;
}

}  // namespace

TANDREL_PUBLISH(TSocketConnection) {
  Info.Property("Address", &TSocketConnection::Address, &TSocketConnection::SetAddress);
  Info.Property("Port", &TSocketConnection::Port, &TSocketConnection::SetPort);
  Info.Property("ServerName", &TSocketConnection::ServerName, &TSocketConnection::SetServerName);
  Info.Property("Timeout", &TSocketConnection::Timeout, &TSocketConnection::SetTimeout);
  Info.Property("SupportCallbacks", &TSocketConnection::SupportCallbacks, &TSocketConnection::SetSupportCallbacks);
}

TSocketConnection::TSocketConnection(TComponent* AOwner) : TComponent(AOwner) {}

TSocketConnection::~TSocketConnection() { Close(); }

void TSocketConnection::CheckClosed(const char* What) const {
  if (Connected()) throw ESocketError(std::string("The ") + What + " cannot change while connected");
}

void TSocketConnection::SetAddress(const std::string& Value) {
  CheckClosed("address");
  Address_ = Value;
}

void TSocketConnection::SetPort(int Value) {
  CheckClosed("port");
  if (Value < 0 || Value > 65535) throw ESocketError("Port " + std::to_string(Value) + " is out of range");
  Port_ = Value;
}

void TSocketConnection::SetServerName(const std::string& Value) {
  CheckClosed("server name");
  ServerName_ = Value;
}

void TSocketConnection::SetTimeout(int Value) {
  if (Value <= 0) throw ESocketError("The time-out must be positive");
  CheckClosed("time-out");
  Timeout_ = Value;
}

void TSocketConnection::SetSupportCallbacks(bool Value) {
  if (Value) throw ESocketError("Calls from the server back to the client are not supported");
}

bool TSocketConnection::Connected() const {
  if (Channel_) return Channel_->IsOpen();
  return VarIsDispatch(AppServer_);
}

void TSocketConnection::SetConnected(bool Value) {
  if (Value)
    Open();
  else
    Close();
}

void TSocketConnection::Open() {
  if (Connected()) return;
  Close();
  if (ServerName_.empty()) throw ESocketError("No server name is set for the connection");
  const std::string Where = Address_ + ":" + std::to_string(Port_);
  const TDeadline Deadline = DeadlineAfter(Timeout_);
  Channel_ = Handshake(ConnectTcp(Address_, Port_, Deadline), Where, ServerName_, Timeout_, Deadline);
  AppServer_ = CreateAutoObject<TRemoteServer>(Channel_);
}

void TSocketConnection::Close() {
  AppServer_.Clear();
  if (Channel_) Channel_->Close();
  Channel_.reset();
}

Variant TSocketConnection::AppServer() const { return Connected() ? AppServer_ : Variant(); }

void TSocketConnection::SetAppServer(const Variant& Server) {
  Close();
  if (!VarIsClear(Server) && !VarIsDispatch(Server)) throw ESocketError("A server object must be an automation object");
  AppServer_ = Server;
}
