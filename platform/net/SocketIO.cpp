#include "platform/net/SocketIO.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/net/WireFormat.h"

namespace {

[[noreturn]] void RaiseErrno(const std::string& What) {
  throw ESocketError(What + ": " + std::strerror(errno));
}

// Milliseconds left for poll: -1 waits without end.
int PollTimeout(TDeadline Deadline) {
  if (Deadline == NoDeadline) return -1;
  const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::clamp<long long>(Left.count(), 0, 24LL * 3600 * 1000));
}

// Waits for Events on Fd; false when the deadline passed.
bool WaitFor(int Fd, short Events, TDeadline Deadline) {
  for (;;) {
    pollfd P{Fd, Events, 0};
    const int N = poll(&P, 1, PollTimeout(Deadline));
    if (N > 0) return true;
    if (N == 0) return false;
    if (errno != EINTR) RaiseErrno("poll");
  }
}

struct TAddressList {
  addrinfo* List = nullptr;
  ~TAddressList() {
    if (List != nullptr) freeaddrinfo(List);
  }
};

void Resolve(const std::string& Address, int Port, int Flags, TAddressList& Out) {
  if (Port < 0 || Port > 65535) throw ESocketError("Port " + std::to_string(Port) + " is out of range");
  addrinfo Hints{};
  Hints.ai_family = AF_UNSPEC;
  Hints.ai_socktype = SOCK_STREAM;
  Hints.ai_flags = Flags;
  const std::string Service = std::to_string(Port);
  const int Rc = getaddrinfo(Address.empty() ? nullptr : Address.c_str(), Service.c_str(), &Hints, &Out.List);
  if (Rc != 0) throw ESocketError("Cannot resolve '" + Address + "': " + gai_strerror(Rc));
}

void SetNonBlocking(int Fd) {
  const int Flags = fcntl(Fd, F_GETFL, 0);
  if (Flags < 0 || fcntl(Fd, F_SETFL, Flags | O_NONBLOCK) < 0) RaiseErrno("fcntl");
}

// Reads up to Count bytes once Fd is readable; 0 means the other side closed.
size_t ReadSome(int Fd, char* Buffer, size_t Count) {
  for (;;) {
    const ssize_t N = recv(Fd, Buffer, Count, 0);
    if (N >= 0) return static_cast<size_t>(N);
    if (errno == EAGAIN || errno == EWOULDBLOCK) return SIZE_MAX;
    if (errno != EINTR) RaiseErrno("recv");
  }
}

// Fills Buffer; false when the other side closed before the first byte.
bool ReadExact(int Fd, char* Buffer, size_t Count, TDeadline Deadline, bool& TimedOut) {
  size_t Done = 0;
  TimedOut = false;
  while (Done < Count) {
    if (!WaitFor(Fd, POLLIN, Deadline)) {
      TimedOut = true;
      return false;
    }
    const size_t N = ReadSome(Fd, Buffer + Done, Count - Done);
    if (N == SIZE_MAX) continue;
    if (N == 0) return false;
    Done += N;
  }
  return true;
}

}  // namespace

TDeadline DeadlineAfter(int Milliseconds) {
  return std::chrono::steady_clock::now() + std::chrono::milliseconds(Milliseconds);
}

TSocketHandle& TSocketHandle::operator=(TSocketHandle&& Other) noexcept {
  if (this != &Other) {
    Close();
    Fd_ = Other.Release();
  }
  return *this;
}

int TSocketHandle::Release() {
  const int Fd = Fd_;
  Fd_ = -1;
  return Fd;
}

void TSocketHandle::Close() {
  if (Fd_ >= 0) ::close(Fd_);
  Fd_ = -1;
}

TSocketHandle ConnectTcp(const std::string& Address, int Port, TDeadline Deadline) {
  TAddressList Addresses;
  Resolve(Address, Port, 0, Addresses);
  std::string LastError = "no address";
  for (addrinfo* A = Addresses.List; A != nullptr; A = A->ai_next) {
    TSocketHandle S(socket(A->ai_family, A->ai_socktype | SOCK_CLOEXEC, A->ai_protocol));
    if (!S.IsOpen()) RaiseErrno("socket");
    SetNonBlocking(S.Fd());
    if (connect(S.Fd(), A->ai_addr, A->ai_addrlen) != 0 && errno != EINPROGRESS) {
      LastError = std::strerror(errno);
      continue;
    }
    if (!WaitFor(S.Fd(), POLLOUT, Deadline)) {
      LastError = "timed out";
      continue;
    }
    int Error = 0;
    socklen_t Len = sizeof Error;
    getsockopt(S.Fd(), SOL_SOCKET, SO_ERROR, &Error, &Len);
    if (Error != 0) {
      LastError = std::strerror(Error);
      continue;
    }
    const int One = 1;
    setsockopt(S.Fd(), IPPROTO_TCP, TCP_NODELAY, &One, sizeof One);
    return S;
  }
  throw ESocketError("Cannot connect to " + Address + ":" + std::to_string(Port) + ": " + LastError);
}

TSocketHandle ListenTcp(const std::string& Address, int Port) {
  TAddressList Addresses;
  Resolve(Address, Port, AI_PASSIVE, Addresses);
  TSocketHandle S(socket(Addresses.List->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!S.IsOpen()) RaiseErrno("socket");
  const int One = 1;
  setsockopt(S.Fd(), SOL_SOCKET, SO_REUSEADDR, &One, sizeof One);
  if (bind(S.Fd(), Addresses.List->ai_addr, Addresses.List->ai_addrlen) != 0)
    RaiseErrno("Cannot listen on " + Address + ":" + std::to_string(Port));
  if (listen(S.Fd(), 64) != 0) RaiseErrno("listen");
  SetNonBlocking(S.Fd());
  return S;
}

TSocketHandle AcceptConnection(int ListenFd) {
  for (;;) {
    TSocketHandle S(accept4(ListenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (S.IsOpen()) {
      const int One = 1;
      setsockopt(S.Fd(), IPPROTO_TCP, TCP_NODELAY, &One, sizeof One);
      return S;
    }
    if (errno == EINTR) continue;
    // The client may have gone again, or descriptors ran out: wait for the next.
    return S;
  }
}

TStopSignal::TStopSignal() {
  int Fds[2];
  if (pipe2(Fds, O_CLOEXEC) != 0) RaiseErrno("pipe");
  Read_ = TSocketHandle(Fds[0]);
  Write_ = TSocketHandle(Fds[1]);
}

void TStopSignal::Signal() {
  const char Byte = 1;
  while (write(Write_.Fd(), &Byte, 1) < 0 && errno == EINTR) {
  }
}

int LocalPort(int Fd) {
  sockaddr_storage Addr{};
  socklen_t Len = sizeof Addr;
  if (getsockname(Fd, reinterpret_cast<sockaddr*>(&Addr), &Len) != 0) RaiseErrno("getsockname");
  if (Addr.ss_family == AF_INET6) return ntohs(reinterpret_cast<sockaddr_in6*>(&Addr)->sin6_port);
  return ntohs(reinterpret_cast<sockaddr_in*>(&Addr)->sin_port);
}

std::string PeerName(int Fd) {
  sockaddr_storage Addr{};
  socklen_t Len = sizeof Addr;
  if (getpeername(Fd, reinterpret_cast<sockaddr*>(&Addr), &Len) != 0) return "?";
  char Host[NI_MAXHOST];
  char Service[NI_MAXSERV];
  if (getnameinfo(reinterpret_cast<sockaddr*>(&Addr), Len, Host, sizeof Host, Service, sizeof Service,
                  NI_NUMERICHOST | NI_NUMERICSERV) != 0)
    return "?";
  return std::string(Host) + ":" + Service;
}

TWaitResult WaitReadable(int Fd, int StopFd, TDeadline Deadline) {
  for (;;) {
    pollfd P[2] = {{Fd, POLLIN, 0}, {StopFd, POLLIN, 0}};
    const int N = poll(P, StopFd >= 0 ? 2 : 1, PollTimeout(Deadline));
    if (N < 0 && errno == EINTR) continue;
    if (N < 0) RaiseErrno("poll");
    if (N == 0) return TWaitResult::TimedOut;
    if (StopFd >= 0 && (P[1].revents & POLLIN) != 0) return TWaitResult::Stopped;
    return TWaitResult::Ready;
  }
}

void SendFrame(int Fd, const std::string& Body, TDeadline Deadline) {
  if (Body.empty() || Body.size() > MaxFrameSize)
    throw EProtocolError("a message of " + std::to_string(Body.size()) + " bytes cannot be framed");
  std::string Bytes;
  Bytes.reserve(4 + Body.size());
  const auto Size = static_cast<uint32_t>(Body.size());
  for (int K = 0; K < 4; ++K) Bytes.push_back(static_cast<char>((Size >> (8 * K)) & 0xFF));
  Bytes += Body;
  size_t Done = 0;
  while (Done < Bytes.size()) {
    const ssize_t N = send(Fd, Bytes.data() + Done, Bytes.size() - Done, MSG_NOSIGNAL);
    if (N >= 0) {
      Done += static_cast<size_t>(N);
      continue;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) RaiseErrno("The connection was lost");
    if (!WaitFor(Fd, POLLOUT, Deadline)) throw ESocketError("Sending timed out");
  }
}

TReceiveResult ReceiveFrame(int Fd, std::string& Body, TDeadline Deadline, int StopFd, int StallMilliseconds) {
  switch (WaitReadable(Fd, StopFd, Deadline)) {
    case TWaitResult::TimedOut: return TReceiveResult::TimedOut;
    case TWaitResult::Stopped: return TReceiveResult::Stopped;
    case TWaitResult::Ready: break;
  }
  char Header[4];
  bool TimedOut = false;
  // Once a frame has begun, all of it must arrive in time.
  const TDeadline FrameDeadline = DeadlineAfter(StallMilliseconds);
  if (!ReadExact(Fd, Header, 1, FrameDeadline, TimedOut)) return TReceiveResult::Closed;
  if (!ReadExact(Fd, Header + 1, 3, FrameDeadline, TimedOut))
    throw EProtocolError(TimedOut ? "a frame stalled" : "the connection ended inside a frame");
  uint32_t Size = 0;
  for (int K = 0; K < 4; ++K) Size |= static_cast<uint32_t>(static_cast<uint8_t>(Header[K])) << (8 * K);
  if (Size == 0 || Size > MaxFrameSize)
    throw EProtocolError("a frame of " + std::to_string(Size) + " bytes (at most " +
                         std::to_string(MaxFrameSize) + " allowed)");
  Body.assign(Size, '\0');
  if (!ReadExact(Fd, Body.data(), Size, FrameDeadline, TimedOut))
    throw EProtocolError(TimedOut ? "a frame stalled" : "the connection ended inside a frame");
  return TReceiveResult::Frame;
}
