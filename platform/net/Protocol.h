#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/Dispatch.h"

// The messages of the connection (PROTOCOL.md), encoded to and decoded from
// frame bodies. Decoding raises EProtocolError for any fault.

constexpr uint16_t ProtocolVersion = 1;

enum class TMessageKind : uint8_t { Hello = 1, Welcome = 2, Refused = 3, Call = 4, Result = 5, Error = 6 };

struct THelloMessage {
  uint16_t Version = ProtocolVersion;
  std::string ServerName;
};

struct TCallMessage {
  uint32_t CallId = 0;
  TInvokeKind Kind = TInvokeKind::Method;
  std::string Name;
  TDispArgs Args;
};

struct TResultMessage {
  uint32_t CallId = 0;
  Variant Result;
  // The by-reference arguments as the callee left them: index and value.
  std::vector<std::pair<uint32_t, Variant>> RefValues;
};

struct TErrorMessage {
  uint32_t CallId = 0;
  std::string ExceptionClass;
  std::string Source;
  std::string Message;
  int32_t ErrorCode = 0;
};

// The kind byte of a frame body (not checked against the known kinds).
TMessageKind MessageKindOf(const std::string& Body);

std::string EncodeHello(const THelloMessage& M);
std::string EncodeWelcome();
std::string EncodeRefused(const std::string& Reason);
std::string EncodeCall(const TCallMessage& M);
std::string EncodeResult(const TResultMessage& M);
std::string EncodeError(const TErrorMessage& M);

THelloMessage DecodeHello(const std::string& Body);
// The version the server speaks.
uint16_t DecodeWelcome(const std::string& Body);
std::string DecodeRefused(const std::string& Body);
TCallMessage DecodeCall(const std::string& Body);
TResultMessage DecodeResult(const std::string& Body);
TErrorMessage DecodeError(const std::string& Body);
