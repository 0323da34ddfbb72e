#include "platform/net/Protocol.h"

#include "platform/net/WireFormat.h"

namespace {

// Opens every hello, so that a stray client speaking something else is
// told apart from a client of another version.
constexpr char Magic[4] = {'T', 'D', 'R', 'L'};

TWireWriter Begin(TMessageKind Kind) {
  TWireWriter W;
  W.WriteU8(static_cast<uint8_t>(Kind));
  return W;
}

// A reader placed after the kind byte, which must be Kind.
TWireReader Open(const std::string& Body, TMessageKind Kind) {
  TWireReader R(Body);
  if (R.ReadU8() != static_cast<uint8_t>(Kind))
    throw EProtocolError("a message of kind " + std::to_string(static_cast<int>(MessageKindOf(Body))) +
                         " where kind " + std::to_string(static_cast<int>(Kind)) + " was expected");
  return R;
}

// Names of methods and servers: texts that cannot be empty.
std::string ReadName(TWireReader& R, const char* What) {
  std::string Name = R.ReadText();
  if (Name.empty()) throw EProtocolError(std::string("an empty ") + What);
  return Name;
}

}  // namespace

TMessageKind MessageKindOf(const std::string& Body) {
  return Body.empty() ? TMessageKind{} : static_cast<TMessageKind>(static_cast<uint8_t>(Body[0]));
}

std::string EncodeHello(const THelloMessage& M) {
  TWireWriter W = Begin(TMessageKind::Hello);
  for (char C : Magic) W.WriteU8(static_cast<uint8_t>(C));
  W.WriteU16(M.Version);
  W.WriteText(M.ServerName);
  return W.Bytes();
}

std::string EncodeWelcome() {
  TWireWriter W = Begin(TMessageKind::Welcome);
  W.WriteU16(ProtocolVersion);
  return W.Bytes();
}

std::string EncodeRefused(const std::string& Reason) {
  TWireWriter W = Begin(TMessageKind::Refused);
  W.WriteText(Reason);
  return W.Bytes();
}

std::string EncodeCall(const TCallMessage& M) {
  TWireWriter W = Begin(TMessageKind::Call);
  W.WriteU32(M.CallId);
  W.WriteU8(static_cast<uint8_t>(M.Kind));
  W.WriteText(M.Name);
  W.WriteU32(static_cast<uint32_t>(M.Args.size()));
  for (const TDispArg& A : M.Args) {
    W.WriteU8(A.ByRef ? 1 : 0);
    W.WriteVariant(A.Value);
  }
  return W.Bytes();
}

std::string EncodeResult(const TResultMessage& M) {
  TWireWriter W = Begin(TMessageKind::Result);
  W.WriteU32(M.CallId);
  W.WriteVariant(M.Result);
  W.WriteU32(static_cast<uint32_t>(M.RefValues.size()));
  for (const auto& [Index, Value] : M.RefValues) {
    W.WriteU32(Index);
    W.WriteVariant(Value);
  }
  return W.Bytes();
}

std::string EncodeError(const TErrorMessage& M) {
  TWireWriter W = Begin(TMessageKind::Error);
  W.WriteU32(M.CallId);
  W.WriteText(M.ExceptionClass);
  W.WriteText(M.Source);
  W.WriteText(M.Message);
  W.WriteI32(M.ErrorCode);
  return W.Bytes();
}

THelloMessage DecodeHello(const std::string& Body) {
  TWireReader R = Open(Body, TMessageKind::Hello);
  for (char C : Magic)
    if (R.ReadU8() != static_cast<uint8_t>(C)) throw EProtocolError("the hello lacks the protocol's mark");
  THelloMessage M;
  M.Version = R.ReadU16();
  // A client of another version may say more; its version alone decides.
  if (M.Version != ProtocolVersion) return M;
  M.ServerName = ReadName(R, "server name");
  R.ExpectEnd();
  return M;
}

uint16_t DecodeWelcome(const std::string& Body) {
  TWireReader R = Open(Body, TMessageKind::Welcome);
  const uint16_t Version = R.ReadU16();
  R.ExpectEnd();
  return Version;
}

std::string DecodeRefused(const std::string& Body) {
  TWireReader R = Open(Body, TMessageKind::Refused);
  std::string Reason = R.ReadText();
  R.ExpectEnd();
  return Reason;
}

TCallMessage DecodeCall(const std::string& Body) {
  TWireReader R = Open(Body, TMessageKind::Call);
  TCallMessage M;
  M.CallId = R.ReadU32();
  const uint8_t Kind = R.ReadU8();
  if (Kind > static_cast<uint8_t>(TInvokeKind::PropertyPut))
    throw EProtocolError("unknown call kind " + std::to_string(Kind));
  M.Kind = static_cast<TInvokeKind>(Kind);
  M.Name = ReadName(R, "method name");
  // A flag byte and a variant tag at least.
  const uint32_t Count = R.ReadCount(3);
  M.Args.reserve(Count);
  for (uint32_t K = 0; K < Count; ++K) {
    const uint8_t Flags = R.ReadU8();
    if (Flags > 1) throw EProtocolError("unknown argument flags " + std::to_string(Flags));
    M.Args.push_back({R.ReadVariant(), Flags == 1});
  }
  R.ExpectEnd();
  return M;
}

TResultMessage DecodeResult(const std::string& Body) {
  TWireReader R = Open(Body, TMessageKind::Result);
  TResultMessage M;
  M.CallId = R.ReadU32();
  M.Result = R.ReadVariant();
  // An index and a variant tag at least.
  const uint32_t Count = R.ReadCount(6);
  for (uint32_t K = 0; K < Count; ++K) {
    const uint32_t Index = R.ReadU32();
    M.RefValues.emplace_back(Index, R.ReadVariant());
  }
  R.ExpectEnd();
  return M;
}

TErrorMessage DecodeError(const std::string& Body) {
  TWireReader R = Open(Body, TMessageKind::Error);
  TErrorMessage M;
  M.CallId = R.ReadU32();
  M.ExceptionClass = R.ReadText();
  M.Source = R.ReadText();
  M.Message = R.ReadText();
  M.ErrorCode = R.ReadI32();
  R.ExpectEnd();
  return M;
}
