#pragma once

#include <chrono>
#include <string>

#include "platform/core/Exceptions.h"

// Stream sockets and length-prefixed frames for the connection's two sides.
// Descriptors are plain ints so that no socket header leaks out of here.

// A socket call that failed (cannot connect, connection lost ...).
TANDREL_EXCEPTION(ESocketError, Exception);

using TDeadline = std::chrono::steady_clock::time_point;
TDeadline DeadlineAfter(int Milliseconds);
constexpr TDeadline NoDeadline = TDeadline::max();

// A descriptor closed by its owner.
class TSocketHandle {
 public:
  TSocketHandle() = default;
  explicit TSocketHandle(int Fd) : Fd_(Fd) {}
  TSocketHandle(TSocketHandle&& Other) noexcept : Fd_(Other.Release()) {}
  TSocketHandle& operator=(TSocketHandle&& Other) noexcept;
  TSocketHandle(const TSocketHandle&) = delete;
  TSocketHandle& operator=(const TSocketHandle&) = delete;
  ~TSocketHandle() { Close(); }

  int Fd() const { return Fd_; }
  bool IsOpen() const { return Fd_ >= 0; }
  int Release();
  void Close();

 private:
  int Fd_ = -1;
};

// Address is a numeric address or a host name.
TSocketHandle ConnectTcp(const std::string& Address, int Port, TDeadline Deadline);
// Port 0 takes a free ephemeral port (see LocalPort).
TSocketHandle ListenTcp(const std::string& Address, int Port);
// The next waiting connection, made non-blocking; a closed handle when none waits.
TSocketHandle AcceptConnection(int ListenFd);
// A pipe whose read end becomes readable, for good, once Signal is called:
// every thread that waits with it as its stop descriptor wakes.
class TStopSignal {
 public:
  TStopSignal();
  int Fd() const { return Read_.Fd(); }
  void Signal();

 private:
  TSocketHandle Read_;
  TSocketHandle Write_;
};
int LocalPort(int Fd);
// "address:port" of the other side, for logs.
std::string PeerName(int Fd);

enum class TWaitResult { Ready, TimedOut, Stopped };
// Waits until Fd can be read, the deadline passes, or StopFd (if not -1)
// becomes readable.
TWaitResult WaitReadable(int Fd, int StopFd, TDeadline Deadline);

void SendFrame(int Fd, const std::string& Body, TDeadline Deadline);

enum class TReceiveResult { Frame, Closed, TimedOut, Stopped };
// Receives one frame body. Closed: the other side ended the connection
// between frames. Once a frame has begun, all of it must arrive within
// StallMilliseconds. A size of 0 or above MaxFrameSize, or a connection that
// ends inside a frame, raises EProtocolError; a socket failure ESocketError.
TReceiveResult ReceiveFrame(int Fd, std::string& Body, TDeadline Deadline, int StopFd = -1,
                            int StallMilliseconds = 30000);
