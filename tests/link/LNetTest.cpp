// The network engine over a real TCP connection to the device simulator on
// loopback. The test window plays the main window's part: it owns the
// socket, writes the engine's frames to it, and hands every read to the
// engine, which reassembles frames across reads.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "link/LNet.h"
#include "tests/sim/DeviceSimulator.h"

using namespace link_test;

namespace {

class NetWindow : public RecordingOwner, public LinkOwner {
 public:
  ~NetWindow() override {
    if (FFd >= 0) ::close(FFd);
  }

  bool Connect(int port) {
    FFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected = FFd >= 0 && ::connect(FFd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    return connected;
  }

  // Worker thread of the engine.
  bool WriteSocket(const std::uint8_t* data, std::size_t size, std::string& error) override {
    if (Send(data, size)) return true;
    error = "not connected";
    return false;
  }

  // One read of what waits, as the socket's read handler does it.
  void Idle() override {
    if (!connected) return;
    pollfd p{FFd, POLLIN, 0};
    if (::poll(&p, 1, 0) != 1) return;
    std::uint8_t buf[100];
    const ssize_t n = ::recv(FFd, buf, sizeof buf, MSG_DONTWAIT);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
      connected = false;
      return;
    }
    if (n < 0) return;
    // Every read goes to the engine, which cuts it into frames.
    if (engine) engine->OnReceived(buf, static_cast<size_t>(n));
  }

  LNetProc* engine = nullptr;
  std::atomic<bool> connected{false};

 private:
  bool Send(const std::uint8_t* data, std::size_t size) {
    std::lock_guard lock(FSendLock);
    return connected && ::send(FFd, data, size, MSG_NOSIGNAL) == static_cast<ssize_t>(size);
  }
  int FFd = -1;
  std::mutex FSendLock;
};

class LNetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim.ListenTcp("127.0.0.1", 0)) << sim.LastError();
    ASSERT_TRUE(window.Connect(sim.TcpPort()));
    engine = std::make_unique<LNetProc>(&window, &window, 1);
    window.engine = engine.get();
    ASSERT_TRUE(engine->Start());
    engine->SetKeepAliveInterval(60000);
  }
  void TearDown() override { engine.reset(); }
  std::vector<ByteVector> FramesWithCode(std::uint8_t code) const {
    std::vector<ByteVector> out;
    for (const auto& f : window.Frames())
      if (f.size() > 5 && f[5] == code) out.push_back(f);
    return out;
  }

  sim::DeviceSimulator sim;
  NetWindow window;
  std::unique_ptr<LNetProc> engine;
};

TEST_F(LNetTest, GreetsTheDeviceAndCoalescesABurstWhileAnAnswerIsAwaited) {
  engine->SetTimeout(4000);
  engine->SetRetryLimit(0);
  engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x10), 1), true);
  ASSERT_TRUE(PumpUntilThat(
      "FramesWithCode(0x10)", [&] { return FramesWithCode(0x10); }, ::testing::Not(::testing::IsEmpty())));

  engine->SetTimeout(5000);
  engine->SetRetryLimit(2);
  engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x52), 1), true);
  // A fader drag on input A and one move on each of B..D, all while the
  // identity answer waits: A's moves shrink to the last, B..D each get out.
  for (std::uint16_t v = 1; v <= 20; ++v) engine->SendCommand(BuildFrame(CM_MCS_GAIN(1, 0, v), 1), false);
  for (std::uint8_t ch = 1; ch <= 3; ++ch) engine->SendCommand(BuildFrame(CM_MCS_GAIN(1, ch, 100), 1), false);
  ASSERT_TRUE(PumpUntilThat(
      "gains received", [&] { return sim.CountReceived(0x34); }, ::testing::Eq(4u)));
  ASSERT_TRUE(PumpUntilThat(
      "busy", [&] { return engine->IsBusy(); }, ::testing::IsFalse()));

  const auto identity = FramesWithCode(0x52);
  ASSERT_EQ(identity.size(), 1u);
  const LCmd reply = ParseFrame(identity[0]);
  EXPECT_EQ(std::string(reply.Payload.begin(), reply.Payload.begin() + 9), "TAVO V013");
  EXPECT_EQ(sim.With([](sim::SimDevice& d) { return d.Gain(0); }), 20);
  for (int ch = 1; ch <= 3; ++ch) EXPECT_EQ(sim.With([ch](sim::SimDevice& d) { return d.Gain(ch); }), 100);
}

TEST_F(LNetTest, RepliesSplitOrMergedAcrossReadsAreReassembled) {
  struct Case {
    std::string name;
    std::function<void(sim::DeviceSimulator&)> fault;
  };
  const std::vector<Case> cases = {
      {"a reply split over two reads", [](sim::DeviceSimulator& s) { s.SplitReplies(0, 150, 1, 0x52); }},
      {"two replies in one read", [](sim::DeviceSimulator& s) { s.MergeReplies(1, 0x52); }},
      {"garbage in place of the reply",
       [](sim::DeviceSimulator& s) {
         s.ReplaceReplies({0x05, 0x10, 0x07, 0x10, 0x02}, 1, 0x52);
       }},
  };
  engine->SetTimeout(300);
  engine->SetRetryLimit(5);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window.got.clear();
    sim.ClearRecords();
    c.fault(sim);
    engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x52), 1), true);
    ASSERT_TRUE(PumpUntilThat(
        "0x52 frames", [&] { return FramesWithCode(0x52); }, ::testing::Not(::testing::IsEmpty())));
    ASSERT_TRUE(PumpUntilThat(
        "busy", [&] { return engine->IsBusy(); }, ::testing::IsFalse()));
    for (const auto& f : window.Frames()) {
      ASSERT_GE(f.size(), 5u);
      EXPECT_EQ(f.size(), f[4] + 8u) << "a whole frame";
    }
    EXPECT_TRUE(window.Timeouts().empty());
    sim.ClearFaults();
    // A hello answered behind everything the case caused: nothing of this
    // case reaches the next.
    engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x10), 1), true);
    ASSERT_TRUE(PumpUntilThat(
        "0x10 frames", [&] { return FramesWithCode(0x10); }, ::testing::Not(::testing::IsEmpty())));
    ASSERT_TRUE(PumpUntilThat(
        "busy", [&] { return engine->IsBusy(); }, ::testing::IsFalse()));
  }
}

TEST_F(LNetTest, ALostDeviceIsReportedAsLinkTimeoutAfterTheResends) {
  struct Case {
    std::string name;
    bool dropConnection;
  };
  for (const Case& c :
       {Case{"the device falls silent", false}, Case{"the device drops the connection", true}}) {
    SCOPED_TRACE(c.name);
    window.got.clear();
    sim.ClearRecords();
    engine->SetTimeout(50);
    engine->SetRetryLimit(2);
    if (c.dropConnection) {
      sim.CloseTcpClients();
      ASSERT_TRUE(PumpUntilThat(
          "window.connected", [&] { return window.connected.load(); }, ::testing::IsFalse()));
    } else {
      sim.SetSilent(true);
    }
    engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x40), 1), false);
    ASSERT_TRUE(PumpUntilThat(
        "window.Timeouts()", [&] { return window.Timeouts(); }, ::testing::Not(::testing::IsEmpty())));
    EXPECT_EQ(window.Timeouts()[0], std::make_pair(static_cast<int>(LinkNoAnswer), 1));
    if (!c.dropConnection) {
      EXPECT_EQ(sim.CountReceived(0x40), 3u) << "written once and resent twice";
    }
    sim.SetSilent(false);
    // Back to a quiet, answered link for the next case.
    engine.reset();
    engine = std::make_unique<LNetProc>(&window, &window, 1);
    window.engine = engine.get();
    ASSERT_TRUE(engine->Start());
    engine->SetKeepAliveInterval(60000);
  }
}

}  // namespace
