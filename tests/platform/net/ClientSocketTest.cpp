// The non-blocking client socket over real loopback connections: events on
// the user-interface thread, the error code a handler may clear, writes from
// a worker thread, and closing while a worker writes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "platform/classlib/Forms.h"
#include "platform/net/ClientSocket.h"
#include "tests/support/WaitThat.h"

namespace {

std::vector<std::string>& Shown() {
  static std::vector<std::string> shown;
  return shown;
}

void EnsureApp() {
  if (!Application) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "net-test";
    static char* argv[] = {name, nullptr};
    new TApplication(argc, argv);
  }
  Application->MessageBoxHook = [](const std::string& text, const std::string&, unsigned) {
    Shown().push_back(text);
    return IDOK;
  };
}

void PumpOnce() {
  QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Handles events until get() matches; the failure names the value.
template <class Get, class M>
::testing::AssertionResult PumpUntilThat(const char* what, Get get, const M& matcher, int timeoutMs = 10000) {
  return test_support::WaitThat(what, get, matcher, PumpOnce, timeoutMs);
}

// A loopback listener on a free port.
class Listener {
 public:
  Listener() {
    FFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(FFd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(FFd, 4);
    socklen_t len = sizeof a;
    ::getsockname(FFd, reinterpret_cast<sockaddr*>(&a), &len);
    FPort = ntohs(a.sin_port);
  }
  ~Listener() {
    if (FPeer >= 0) ::close(FPeer);
    ::close(FFd);
  }
  int Port() const { return FPort; }
  // Takes the waiting connection.
  bool Accept() {
    pollfd p{FFd, POLLIN, 0};
    if (::poll(&p, 1, 5000) != 1) return false;
    FPeer = ::accept(FFd, nullptr, nullptr);
    return FPeer >= 0;
  }
  int Peer() const { return FPeer; }
  // Bytes the peer has received and not read.
  int Waiting() const {
    int n = 0;
    return FPeer >= 0 && ::ioctl(FPeer, FIONREAD, &n) == 0 ? n : 0;
  }
  // Whether another connection waits to be taken.
  bool AnotherWaits() const {
    pollfd p{FFd, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1;
  }
  std::string ReadSome(size_t want) {
    std::string got;
    while (got.size() < want) {
      pollfd p{FPeer, POLLIN, 0};
      if (::poll(&p, 1, 5000) != 1) break;
      char buf[256];
      ssize_t n = ::recv(FPeer, buf, sizeof buf, 0);
      if (n <= 0) break;
      got.append(buf, static_cast<size_t>(n));
    }
    return got;
  }
  void ClosePeer() {
    ::close(FPeer);
    FPeer = -1;
  }

 private:
  int FFd = -1;
  int FPeer = -1;
  int FPort = 0;
};

// A port on which nothing listens: bound once and given back.
int UnusedPort() {
  Listener l;
  return l.Port();
}

struct Recorder {
  std::vector<std::string> events;
  std::string received;
  bool onMainThread = true;
  void Note(const std::string& e) {
    events.push_back(e);
    if (QThread::currentThread() != qApp->thread()) onMainThread = false;
  }
  void Wire(TClientSocket& s) {
    s.OnConnecting = [this](TObject*, TCustomWinSocket*) { Note("connecting"); };
    s.OnConnect = [this](TObject*, TCustomWinSocket* sock) { Note("connect " + sock->GetRemoteAddress()); };
    s.OnRead = [this](TObject*, TCustomWinSocket* sock) {
      Note("read");
      char buf[100];
      int n = sock->ReceiveBuf(buf, sizeof buf);
      if (n > 0) received.append(buf, static_cast<size_t>(n));
    };
    s.OnDisconnect = [this](TObject*, TCustomWinSocket*) { Note("disconnect"); };
  }
};

// Opens the socket to the listener and takes the connection there.
bool ConnectTo(TClientSocket& sock, Listener& listener) {
  bool connected = false;
  sock.OnConnect = [&](TObject*, TCustomWinSocket*) { connected = true; };
  sock.SetAddress("127.0.0.1");
  sock.SetPort(listener.Port());
  sock.SetActive(true);
  const bool ok = PumpUntilThat(
                      "connected", [&] { return connected; }, ::testing::IsTrue()) &&
                  listener.Accept();
  sock.OnConnect = nullptr;
  return ok;
}

class ClientSocketTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    Shown().clear();
  }
};

TEST_F(ClientSocketTest, ConnectsReadsWritesFromAWorkerAndSeesThePeerClose) {
  Listener listener;
  TClientSocket sock(nullptr);
  Recorder rec;
  rec.Wire(sock);
  sock.SetAddress("127.0.0.1");
  sock.SetPort(listener.Port());
  sock.SetActive(true);
  // Connecting runs inside the call; the connection itself comes from the loop.
  ASSERT_EQ(rec.events, std::vector<std::string>{"connecting"});
  ASSERT_TRUE(sock.GetActive());
  ASSERT_TRUE(PumpUntilThat(
      "rec.events.size()", [&] { return rec.events.size(); }, ::testing::Eq(2)));
  EXPECT_EQ(rec.events[1], "connect 127.0.0.1");
  EXPECT_EQ(sock.GetSocket()->GetRemotePort(), listener.Port());
  ASSERT_TRUE(listener.Accept());

  std::thread worker([&] {
    const char frame[] = "\x10\x02\x00\x01\x01\x10\x10\x03\x11";
    EXPECT_EQ(sock.GetSocket()->SendBuf(frame, 9), 9);
  });
  worker.join();
  EXPECT_EQ(listener.ReadSome(9), std::string("\x10\x02\x00\x01\x01\x10\x10\x03\x11", 9));

  ASSERT_EQ(::send(listener.Peer(), "abc", 3, 0), 3);
  ASSERT_TRUE(PumpUntilThat(
      "rec.received", [&] { return rec.received; }, ::testing::Eq("abc")));

  listener.ClosePeer();
  ASSERT_TRUE(PumpUntilThat(
      "sock.GetActive()", [&] { return sock.GetActive(); }, ::testing::IsFalse()));
  EXPECT_EQ(rec.events.back(), "disconnect");
  EXPECT_TRUE(rec.onMainThread);
  EXPECT_EQ(sock.GetSocket()->SendBuf("x", 1), -1) << "a closed socket takes no bytes";
  EXPECT_TRUE(Shown().empty());
}

TEST_F(ClientSocketTest, AHelloSentRightAfterActivationArrivesAndActivatingAgainKeepsTheConnection) {
  const std::string hello("\x10\x02\x00\x01\x01\x10\x10\x03\x11", 9);
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    Listener listener;
    TClientSocket sock(nullptr);
    int connects = 0;
    sock.OnConnect = [&](TObject*, TCustomWinSocket*) { ++connects; };
    sock.SetAddress("127.0.0.1");
    sock.SetPort(listener.Port());
    sock.SetActive(true);
    // The worker writes while the connection may still be in progress and
    // before this thread has handled any event.
    auto sent = std::async(std::launch::async, [&] {
      return sock.GetSocket()->SendBuf(hello.data(), static_cast<int>(hello.size()));
    });
    sock.SetActive(true);
    EXPECT_EQ(sent.get(), 9);
    ASSERT_TRUE(PumpUntilThat(
        "connects", [&] { return connects; }, ::testing::Ge(1)));
    ASSERT_TRUE(listener.Accept());
    EXPECT_EQ(listener.ReadSome(hello.size()), hello);
    EXPECT_EQ(connects, 1);
    EXPECT_FALSE(listener.AnotherWaits()) << "activating an active socket opened a second connection";
  }
}

TEST_F(ClientSocketTest, AWriterWaitingForRoomDoesNotHoldUpReadsOnTheWindowThread) {
  Listener listener;
  TClientSocket sock(nullptr);
  ASSERT_TRUE(ConnectTo(sock, listener));

  // The peer never reads: one block far larger than the buffers leaves
  // the writer waiting for room until its second is up.
  std::vector<char> block(64 * 1024 * 1024, 'x');
  auto writer = std::async(std::launch::async, [&] {
    return sock.GetSocket()->SendBuf(block.data(), static_cast<int>(block.size()));
  });
  ASSERT_TRUE(PumpUntilThat(
      "listener.Waiting()", [&] { return listener.Waiting(); }, ::testing::Gt(0)));
  auto reader = std::async(std::launch::async, [&] { return sock.GetSocket()->ReceiveLength(); });
  EXPECT_EQ(reader.wait_for(std::chrono::milliseconds(500)), std::future_status::ready)
      << "a read waited for the writer";
  EXPECT_EQ(writer.get(), -1) << "no room within the second";
  reader.get();
}

TEST_F(ClientSocketTest, RefusedConnectionReachesOnErrorAndAClearedCodeRaisesNothing) {
  struct Case {
    bool clearCode;
    size_t shownAfter;
  };
  for (Case c : {Case{true, 0}, Case{false, 1}}) {
    SCOPED_TRACE(c.clearCode ? "handler clears the code" : "handler keeps the code");
    Shown().clear();
    TClientSocket sock(nullptr);
    std::vector<std::pair<TErrorEvent, int>> errors;
    sock.OnError = [&](TObject*, TCustomWinSocket*, TErrorEvent e, int& code) {
      errors.push_back({e, code});
      if (c.clearCode) code = 0;
    };
    bool connected = false;
    sock.OnConnect = [&](TObject*, TCustomWinSocket*) { connected = true; };
    sock.SetAddress("127.0.0.1");
    sock.SetPort(UnusedPort());
    // A refusal may come at once (raised from the call) or from the loop.
    try {
      sock.SetActive(true);
    } catch (const ESocketError& e) {
      Shown().push_back(e.what());
    }
    ASSERT_TRUE(PumpUntilThat(
        "errors", [&] { return errors; }, ::testing::Not(::testing::IsEmpty())));
    ASSERT_TRUE(PumpUntilThat(
        "messages shown", [&] { return Shown().size(); }, ::testing::Ge(c.shownAfter)));
    EXPECT_EQ(errors[0].first, eeConnect);
    EXPECT_EQ(errors[0].second, ECONNREFUSED);
    EXPECT_FALSE(connected);
    EXPECT_FALSE(sock.GetActive());
    EXPECT_EQ(Shown().size(), c.shownAfter);
  }
}

TEST_F(ClientSocketTest, AnAddressThatIsNotNumericFailsTheCallUnlessTheHandlerTakesIt) {
  TClientSocket sock(nullptr);
  sock.SetAddress("device.local");
  sock.SetPort(9761);
  EXPECT_THROW(sock.SetActive(true), ESocketError);
  EXPECT_FALSE(sock.GetActive());

  TErrorEvent seen = eeGeneral;
  sock.OnError = [&](TObject*, TCustomWinSocket*, TErrorEvent e, int& code) {
    seen = e;
    code = 0;
  };
  EXPECT_NO_THROW(sock.SetActive(true));
  EXPECT_EQ(seen, eeLookup);
  EXPECT_FALSE(sock.GetActive());
}

TEST_F(ClientSocketTest, ClosingWhileAWorkerWritesEndsItsWritesCleanly) {
  Listener listener;
  TClientSocket sock(nullptr);
  ASSERT_TRUE(ConnectTo(sock, listener));

  // The peer never reads, so the worker soon waits for room in the buffers.
  std::atomic<bool> failed{false};
  std::thread worker([&] {
    std::vector<char> block(64 * 1024, 'x');
    for (int i = 0; i < 10000 && !failed; ++i)
      if (sock.GetSocket()->SendBuf(block.data(), static_cast<int>(block.size())) < 0) failed = true;
  });
  ASSERT_TRUE(PumpUntilThat(
      "bytes at the peer", [&] { return listener.Waiting(); }, ::testing::Gt(0)));
  sock.SetActive(false);
  worker.join();
  EXPECT_TRUE(failed);
  EXPECT_FALSE(sock.GetActive());
}

TEST_F(ClientSocketTest, ReopeningFromTheDisconnectHandlerKeepsTheNewConnection) {
  Listener first;
  Listener second;
  TClientSocket sock(nullptr);
  int connects = 0;
  sock.OnConnect = [&](TObject*, TCustomWinSocket*) { ++connects; };
  sock.OnDisconnect = [&](TObject*, TCustomWinSocket*) {
    sock.SetPort(second.Port());
    sock.SetActive(true);
  };
  sock.SetAddress("127.0.0.1");
  sock.SetPort(first.Port());
  sock.SetActive(true);
  ASSERT_TRUE(PumpUntilThat(
      "connects", [&] { return connects; }, ::testing::Eq(1)));
  ASSERT_TRUE(first.Accept());
  first.ClosePeer();
  ASSERT_TRUE(PumpUntilThat(
      "connects", [&] { return connects; }, ::testing::Eq(2)));
  EXPECT_TRUE(sock.GetActive());
  EXPECT_TRUE(sock.GetSocket()->GetConnected());
  EXPECT_EQ(sock.GetSocket()->GetRemotePort(), second.Port());
}

TEST_F(ClientSocketTest, AReadHandlerThatTakesNothingIsAskedAgainLaterWithTheBytesKept) {
  Listener listener;
  TClientSocket sock(nullptr);
  bool connected = false;
  bool take = false;
  int asked = 0;
  std::string got;
  sock.OnConnect = [&](TObject*, TCustomWinSocket*) { connected = true; };
  sock.OnRead = [&](TObject*, TCustomWinSocket* s) {
    ++asked;
    if (!take) return;
    char buf[16];
    int n = s->ReceiveBuf(buf, sizeof buf);
    if (n > 0) got.append(buf, static_cast<size_t>(n));
  };
  sock.SetAddress("127.0.0.1");
  sock.SetPort(listener.Port());
  sock.SetActive(true);
  ASSERT_TRUE(PumpUntilThat(
      "connected", [&] { return connected; }, ::testing::IsTrue()));
  ASSERT_TRUE(listener.Accept());
  ASSERT_EQ(::send(listener.Peer(), "0123456789abcdefXYZ", 19, 0), 19);
  ASSERT_TRUE(PumpUntilThat(
      "asked", [&] { return asked; }, ::testing::Ge(2)));
  // A busy loop would ask tens of thousands of times meanwhile.
  // A busy loop would ask once in every round of the event loop.
  const int before = asked;
  for (int round = 0; round < 100; ++round) QCoreApplication::processEvents(QEventLoop::AllEvents);
  EXPECT_LT(asked - before, 50);
  take = true;
  ASSERT_TRUE(PumpUntilThat(
      "got.size()", [&] { return got.size(); }, ::testing::Eq(19)));
  EXPECT_EQ(got, "0123456789abcdefXYZ") << "taken 16 bytes at a time, nothing lost";
}

}  // namespace
