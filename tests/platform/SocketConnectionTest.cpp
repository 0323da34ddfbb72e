#include "platform/net/SocketConnection.h"

#include <gtest/gtest.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/core/Automation.h"
#include "platform/net/Protocol.h"
#include "platform/net/SocketDispatcher.h"
#include "platform/net/WireFormat.h"

namespace {

constexpr const char* EchoName = "Test.Echo";

std::atomic<int> NextEchoId{0};

// The server object every test connection asks for.
class TEchoServer : public TAutoObject {
 public:
  TEchoServer() : TAutoObject("TestServer.Echo"), Id_(++NextEchoId) {
    RegisterMethod("Echo", [](TDispArgs& A) { return Arg(A, 0); });
    RegisterMethod("Swap", [](TDispArgs& A) {
      Arg(A, 0).Swap(Arg(A, 1));
      Arg(A, 2) = "changed, but passed by value";
      return Variant(true);
    });
    RegisterMethod("Fail", [](TDispArgs&) -> Variant { throw EConvertError("no such table"); });
    RegisterMethod("Sleep", [](TDispArgs& A) {
      std::this_thread::sleep_for(std::chrono::milliseconds(VarToInteger(Arg(A, 0))));
      return Variant();
    });
    RegisterMethod("Id", [this](TDispArgs&) { return Variant(Id_); });
    RegisterMethod("Self", [this](TDispArgs&) { return Variant(static_cast<IDispatch*>(this)); });
  }

 private:
  int Id_;
};

// True when A and B have the same kind, bounds and payload, bit for bit.
bool SameVariant(const Variant& A, const Variant& B) {
  if (A.VType() != B.VType()) return false;
  if (A.IsArray()) {
    if (VarArrayDimCount(A) != VarArrayDimCount(B)) return false;
    for (int D = 1; D <= VarArrayDimCount(A); ++D)
      if (VarArrayLowBound(A, D) != VarArrayLowBound(B, D) || VarArrayHighBound(A, D) != VarArrayHighBound(B, D))
        return false;
    const auto& Ia = VarArrayItems(A);
    const auto& Ib = VarArrayItems(B);
    for (size_t K = 0; K < Ia.size(); ++K)
      if (!SameVariant(Ia[K], Ib[K])) return false;
    return true;
  }
  if (VarIsStr(A)) return *A.StrPtr() == *B.StrPtr();
  if (A.VType() == varEmpty || A.VType() == varNull || A.VType() == varDispatch) return true;
  return VarScalarBits(A) == VarScalarBits(B);
}

// A dispatcher serving TEchoServer on an ephemeral loopback port, with its
// log kept for the test.
class SocketConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Server_.RegisterServer(EchoName, [] { return CreateAutoObject<TEchoServer>(); });
    Server_.SetOnLog([this](const std::string& Line) {
      std::lock_guard Lock(LogMutex_);
      Log_.push_back(Line);
    });
    Server_.Open("127.0.0.1", 0);
  }
  void TearDown() override { Server_.Close(); }

  std::unique_ptr<TSocketConnection> Connect(const std::string& ServerName = EchoName) {
    auto Conn = std::make_unique<TSocketConnection>(nullptr);
    Conn->SetAddress("127.0.0.1");
    Conn->SetPort(Server_.Port());
    Conn->SetServerName(ServerName);
    Conn->SetTimeout(2000);
    Conn->Open();
    return Conn;
  }

  // Waits (bounded) for a log line containing Text.
  bool LoggedSoon(const std::string& Text) {
    for (int K = 0; K < 200; ++K) {
      {
        std::lock_guard Lock(LogMutex_);
        for (const std::string& Line : Log_)
          if (Line.find(Text) != std::string::npos) return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  std::string LogText() {
    std::lock_guard Lock(LogMutex_);
    std::string All;
    for (const std::string& Line : Log_) All += Line + "\n";
    return All;
  }

  TSocketDispatcher Server_;
  std::mutex LogMutex_;
  std::vector<std::string> Log_;
};

// Nesting arrays Depth deep, the innermost holding 1.
Variant Nested(int Depth) {
  Variant V = 1;
  for (int K = 0; K < Depth; ++K) V = VarArrayOf({V});
  return V;
}

Variant Grid() {
  Variant G = VarArrayCreate({-1, 1, 5, 6}, varInteger);
  for (int I = -1; I <= 1; ++I)
    for (int J = 5; J <= 6; ++J) G.SetElement(I, J, I * 10 + J);
  return G;
}

}  // namespace

TEST_F(SocketConnectionTest, EveryVariantKindCrossesUnchanged) {
  auto Conn = Connect();
  Variant Cube = VarArrayCreate({0, 1, 1, 2, -3, -2});
  Cube.SetElement({1, 2, -2}, VarOleStr("corner"));
  const Variant Cases[] = {
      Variant(),
      Null(),
      Variant(static_cast<short>(-12345)),
      Variant(std::numeric_limits<int>::min()),
      Variant(1.5f),
      Variant(-0.1),
      Variant(std::nan("")),
      VarFromScalarBits(varCurrency, static_cast<uint64_t>(std::numeric_limits<int64_t>::max())),
      VarFromDateTime(45000.75),
      VarOleStr("抛转 sales return"),
      Variant("ANSI text"),
      Variant(std::string()),
      VarAsError(-2147352572),
      Variant(true),
      Variant(false),
      Variant(static_cast<signed char>(-128)),
      Variant(static_cast<unsigned char>(255)),
      Variant(static_cast<unsigned short>(65535)),
      Variant(4294967295u),
      Variant(std::numeric_limits<long long>::min()),
      Variant(static_cast<IDispatch*>(nullptr)),
      VarArrayOf({1, "two", VarArrayOf({3.0, VarArrayOf({Null(), VarOleStr("four")})})}),
      VarArrayCreate({0, -1}),
      VarArrayCreate({3, 5}, varOleStr),
      Grid(),
      Cube,
      Nested(MaxVariantDepth),
  };
  for (const Variant& V : Cases) {
    const Variant Back = VarCall(Conn->AppServer(), "Echo", {V});
    EXPECT_TRUE(SameVariant(V, Back)) << V << " came back as " << Back;
  }
}

TEST_F(SocketConnectionTest, ByReferenceValuesAreWrittenBack) {
  auto Conn = Connect();
  Variant A = VarArrayOf({1, 2});
  Variant B = VarOleStr("b");
  Variant C = "by value";
  EXPECT_EQ(VarCall(Conn->AppServer(), "Swap", {VarRef(A), VarRef(B), C}), Variant(true));
  EXPECT_TRUE(SameVariant(A, VarOleStr("b")));
  EXPECT_TRUE(SameVariant(B, VarArrayOf({1, 2})));
  EXPECT_EQ(C, Variant("by value"));
}

TEST_F(SocketConnectionTest, CalleeFailuresReachTheCallerAndTheConnectionStays) {
  auto Conn = Connect();
  try {
    VarCall(Conn->AppServer(), "Fail");
    ADD_FAILURE() << "no failure";
  } catch (const EOleException& E) {
    EXPECT_EQ(E.Message(), "no such table");
    EXPECT_EQ(E.Source(), "TestServer.Echo");
  }
  try {
    VarCall(Conn->AppServer(), "NoSuchMethod");
    ADD_FAILURE() << "no failure";
  } catch (const EOleException&) {
    ADD_FAILURE() << "an unknown name keeps the class a local object gives it";
  } catch (const EOleError& E) {
    EXPECT_EQ(E.Message(), "Method 'NoSuchMethod' not supported by automation object");
  }
  // Objects stay on their side, both ways.
  EXPECT_THROW(VarCall(Conn->AppServer(), "Self"), EOleError);
  EXPECT_THROW(VarCall(Conn->AppServer(), "Echo", {Conn->AppServer()}), EOleError);
  EXPECT_TRUE(Conn->Connected());
  EXPECT_EQ(VarCall(Conn->AppServer(), "Echo", {7}), Variant(7));
}

TEST_F(SocketConnectionTest, RefusalsAndUnreachableServersRaiseClearErrors) {
  try {
    Connect("No.Such.Server");
    ADD_FAILURE() << "connected";
  } catch (const ESocketError& E) {
    EXPECT_NE(E.Message().find("refused the connection: Server 'No.Such.Server' is not registered"),
              std::string::npos)
        << E.Message();
  }
  EXPECT_TRUE(LoggedSoon("refused: Server 'No.Such.Server' is not registered"));

  TSocketConnection Conn(nullptr);
  Conn.SetAddress("127.0.0.1");
  EXPECT_THROW(Conn.Open(), ESocketError) << "no server name";
  // A port nobody listens on: the one just freed by a closed dispatcher.
  TSocketDispatcher Gone;
  Gone.Open("127.0.0.1", 0);
  const int FreePort = Gone.Port();
  Gone.Close();
  Conn.SetPort(FreePort);
  Conn.SetServerName(EchoName);
  try {
    Conn.Open();
    ADD_FAILURE() << "connected";
  } catch (const ESocketError& E) {
    EXPECT_NE(E.Message().find("Cannot connect to 127.0.0.1:" + std::to_string(FreePort)), std::string::npos)
        << E.Message();
  }
  EXPECT_FALSE(Conn.Connected());
}

TEST_F(SocketConnectionTest, ASilentServerTimesOut) {
  // Slow to answer a call: the call fails and the connection closes.
  auto Conn = Connect();
  Conn->Close();
  Conn->SetTimeout(100);
  Conn->Open();
  const auto Start = std::chrono::steady_clock::now();
  try {
    VarCall(Conn->AppServer(), "Sleep", {500});
    ADD_FAILURE() << "answered";
  } catch (const EOleError& E) {
    EXPECT_NE(E.Message().find("did not answer 'Sleep' within 100 ms"), std::string::npos) << E.Message();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::milliseconds(450));
  EXPECT_FALSE(Conn->Connected());

  // Never answering the hello: a listener that accepts nothing.
  TSocketHandle Mute = ListenTcp("127.0.0.1", 0);
  TSocketConnection Late(nullptr);
  Late.SetAddress("127.0.0.1");
  Late.SetPort(LocalPort(Mute.Fd()));
  Late.SetServerName(EchoName);
  Late.SetTimeout(100);
  try {
    Late.Open();
    ADD_FAILURE() << "connected";
  } catch (const ESocketError& E) {
    EXPECT_NE(E.Message().find("did not answer within 100 ms"), std::string::npos) << E.Message();
  }
}

TEST_F(SocketConnectionTest, ABadFrameEndsOnlyItsConnection) {
  auto Good = Connect();
  auto Frame = [](const std::string& Body) {
    std::string Bytes;
    const auto Size = static_cast<uint32_t>(Body.size());
    for (int K = 0; K < 4; ++K) Bytes.push_back(static_cast<char>((Size >> (8 * K)) & 0xFF));
    return Bytes + Body;
  };
  auto CallWith = [](const std::string& Tail) {
    TWireWriter W;
    W.WriteU8(static_cast<uint8_t>(TMessageKind::Call));
    W.WriteU32(1);
    W.WriteU8(0);
    return W.Bytes() + Tail;
  };
  auto Text = [](const std::string& Bytes) {
    TWireWriter W;
    W.WriteU32(static_cast<uint32_t>(Bytes.size()));
    return W.Bytes() + Bytes;
  };
  std::string TooDeep;  // one array more than allowed, each holding the next
  for (int K = 0; K <= MaxVariantDepth; ++K) TooDeep += std::string("\x0C\x20\x01\0\0\0\0\x01\0\0\0", 11);
  TooDeep += std::string("\x03\0\x01\0\0\0", 6);
  const std::string Hello = Frame(EncodeHello({ProtocolVersion, EchoName}));
  const struct {
    const char* Fault;
    bool AfterHello;
    std::string Bytes;
    const char* Logged;
  } Cases[] = {
      {"oversized", false, std::string("\x01\0\0\x01", 4), "a frame of 16777217 bytes"},
      {"empty frame", true, std::string(4, '\0'), "a frame of 0 bytes"},
      {"truncated", true, std::string("\x64\0\0\0\x04\x01", 6), "the connection ended inside a frame"},
      {"bad UTF-8 name", true, Frame(CallWith(Text("Ec\xC3\x28ho") + std::string(4, '\0'))), "a text is not valid UTF-8"},
      {"bad UTF-8 argument", true,
       Frame(CallWith(Text("Echo") + std::string("\x01\0\0\0\0\x08\0", 7) + Text("\xFF"))), "a text is not valid UTF-8"},
      {"too deep", true, Frame(CallWith(Text("Echo") + std::string("\x01\0\0\0\0", 5) + TooDeep)), "arrays are nested deeper"},
      {"count beyond the frame", true, Frame(CallWith(Text("Echo") + std::string("\xFF\xFF\xFF\x0F", 4))),
       "a count of 268435455 items exceeds the frame"},
      {"unknown variant", true, Frame(CallWith(Text("Echo") + std::string("\x01\0\0\0\0\x77\x07", 7))),
       "unknown variant type 1911"},
      {"trailing bytes", true, Frame(CallWith(Text("Echo") + std::string("\0\0\0\0!", 5))), "bytes left over after the end of the message"},
      {"not a hello", false, Frame(CallWith(Text("Echo") + std::string(4, '\0'))), "a message of kind 4 where kind 1 was expected"},
      {"hello twice", true, Hello, "a message of kind 1 where a call was expected"},
  };
  for (const auto& C : Cases) {
    TSocketHandle Raw = ConnectTcp("127.0.0.1", Server_.Port(), DeadlineAfter(2000));
    std::string Reply;
    if (C.AfterHello) {
      ::send(Raw.Fd(), Hello.data(), Hello.size(), MSG_NOSIGNAL);
      ASSERT_EQ(ReceiveFrame(Raw.Fd(), Reply, DeadlineAfter(2000)), TReceiveResult::Frame) << C.Fault;
      ASSERT_EQ(MessageKindOf(Reply), TMessageKind::Welcome) << C.Fault;
    }
    ::send(Raw.Fd(), C.Bytes.data(), C.Bytes.size(), MSG_NOSIGNAL);
    ::shutdown(Raw.Fd(), SHUT_WR);
    EXPECT_EQ(ReceiveFrame(Raw.Fd(), Reply, DeadlineAfter(2000)), TReceiveResult::Closed) << C.Fault;
    EXPECT_TRUE(LoggedSoon(std::string("bad frame, connection ended: ") + C.Logged)) << C.Fault << "\n" << LogText();
    EXPECT_EQ(VarCall(Good->AppServer(), "Echo", {C.Fault}), Variant(C.Fault));
  }
}

TEST_F(SocketConnectionTest, SeveralClientsAreServedAtOnceEachWithItsOwnObject) {
  constexpr int Clients = 4;
  std::vector<std::unique_ptr<TSocketConnection>> Conns;
  for (int K = 0; K < Clients; ++K) Conns.push_back(Connect());
  // One client inside a slow call does not hold up the others.
  std::atomic<bool> SlowDone{false};
  std::thread Slow([&] {
    VarCall(Conns[0]->AppServer(), "Sleep", {800});
    SlowDone = true;
  });
  std::vector<std::thread> Busy;
  std::atomic<int> Right{0};
  for (int K = 1; K < Clients; ++K)
    Busy.emplace_back([&, K] {
      for (int N = 0; N < 50; ++N)
        if (VarCall(Conns[static_cast<size_t>(K)]->AppServer(), "Echo", {K * 100 + N}) == Variant(K * 100 + N))
          ++Right;
    });
  for (std::thread& T : Busy) T.join();
  EXPECT_FALSE(SlowDone);
  Slow.join();
  EXPECT_EQ(Right, (Clients - 1) * 50);
  EXPECT_EQ(Server_.ConnectionCount(), Clients);
  std::vector<int> Ids;
  for (auto& C : Conns) Ids.push_back(VarToInteger(VarCall(C->AppServer(), "Id")));
  std::sort(Ids.begin(), Ids.end());
  EXPECT_EQ(std::unique(Ids.begin(), Ids.end()), Ids.end()) << "one object per connection";
}

TEST_F(SocketConnectionTest, ClosingEitherSideEndsTheConnection) {
  auto Conn = Connect();
  const Variant Kept = Conn->AppServer();
  Conn->Close();
  EXPECT_FALSE(Conn->Connected());
  EXPECT_THROW(VarCall(Kept, "Echo", {1}), EOleError) << "a server object kept past Close";

  Conn->Open();
  Server_.Close();
  try {
    VarCall(Conn->AppServer(), "Echo", {1});
    ADD_FAILURE() << "answered";
  } catch (const EOleError& E) {
    EXPECT_NE(E.Message().find("was lost"), std::string::npos) << E.Message();
  }
  EXPECT_FALSE(Conn->Connected());
}
