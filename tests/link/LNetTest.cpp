// The network engine over a real TCP connection to the device simulator on
// loopback. The test window plays the main window's part: it owns the
// client socket, writes the engine's frames to it keeping a copy, and hands
// each read to the engine only when it holds exactly one whole frame, else
// writes its last frame again.

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "link/LNet.h"
#include "platform/net/ClientSocket.h"
#include "tests/sim/DeviceSimulator.h"

using namespace link_test;

namespace {

class NetWindow : public RecordingForm, public LinkOwner {
 public:
  explicit NetWindow(TComponent* owner) : RecordingForm(owner) {
    socket = new TClientSocket(this);
    socket->OnConnect = [this](TObject*, TCustomWinSocket*) { connected = true; };
    socket->OnError = [](TObject*, TCustomWinSocket*, TErrorEvent, int& code) { code = 0; };
    socket->OnRead = [this](TObject*, TCustomWinSocket* s) { ClientSocketRead(s); };
  }

  bool WriteSocket(const std::uint8_t* data, std::size_t size, std::string& error) override {
    {
      std::lock_guard lock(lastLock);
      lastFrame.assign(data, data + size);
    }
    if (socket->GetSocket()->SendBuf(data, static_cast<int>(size)) == static_cast<int>(size)) return true;
    error = "send failed";
    return false;
  }

  void ClientSocketRead(TCustomWinSocket* s) {
    std::uint8_t buf[100];
    int n = s->ReceiveBuf(buf, sizeof buf);
    if (n <= 0) return;
    if (engine && IsSingleFrameRead(buf, static_cast<size_t>(n))) {
      engine->OnReceived(buf, static_cast<size_t>(n));
      return;
    }
    ByteVector last;
    {
      std::lock_guard lock(lastLock);
      last = lastFrame;
    }
    ++rewrites;
    s->SendBuf(last.data(), static_cast<int>(last.size()));
  }

  TClientSocket* socket = nullptr;
  LNetProc* engine = nullptr;
  bool connected = false;
  int rewrites = 0;
  std::mutex lastLock;
  ByteVector lastFrame;
};

class LNetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    ASSERT_TRUE(sim.ListenTcp("127.0.0.1", 0)) << sim.LastError();
    window = new NetWindow(Application);
    engine = std::make_unique<LNetProc>(window, window, 1);
    window->engine = engine.get();
    ASSERT_TRUE(engine->Start());
    engine->SetKeepAliveInterval(60000);
    window->socket->SetAddress("127.0.0.1");
    window->socket->SetPort(sim.TcpPort());
    window->socket->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return window->connected; }));
  }
  void TearDown() override {
    engine.reset();
    window->Free();
  }
  std::vector<ByteVector> FramesWithCode(std::uint8_t code) const {
    std::vector<ByteVector> out;
    for (const auto& f : window->Frames())
      if (f.size() > 5 && f[5] == code) out.push_back(f);
    return out;
  }

  sim::DeviceSimulator sim;
  NetWindow* window = nullptr;
  std::unique_ptr<LNetProc> engine;
};

TEST_F(LNetTest, GreetsTheDeviceAndCoalescesABurstWhileAnAnswerIsAwaited) {
  engine->SetTimeout(4000);
  engine->SetRetryLimit(0);
  engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x10), 1), true);
  ASSERT_TRUE(PumpUntil([&] { return !FramesWithCode(0x10).empty(); }));

  engine->SetTimeout(5000);
  engine->SetRetryLimit(2);
  engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x52), 1), true);
  // A fader drag on input A and one move on each of B..D, all while the
  // identity answer waits: A's moves shrink to the last, B..D each get out.
  for (std::uint16_t v = 1; v <= 20; ++v) engine->SendCommand(BuildFrame(CM_MCS_GAIN(1, 0, v), 1), false);
  for (std::uint8_t ch = 1; ch <= 3; ++ch) engine->SendCommand(BuildFrame(CM_MCS_GAIN(1, ch, 100), 1), false);
  ASSERT_TRUE(PumpUntil([&] { return sim.CountReceived(0x34) == 4 && !engine->IsBusy(); }));

  const auto identity = FramesWithCode(0x52);
  ASSERT_EQ(identity.size(), 1u);
  const LCmd reply = ParseFrame(identity[0]);
  EXPECT_EQ(std::string(reply.Payload.begin(), reply.Payload.begin() + 9), "TAVO V013");
  EXPECT_EQ(sim.With([](sim::SimDevice& d) { return d.Gain(0); }), 20);
  for (int ch = 1; ch <= 3; ++ch) EXPECT_EQ(sim.With([ch](sim::SimDevice& d) { return d.Gain(ch); }), 100);
  EXPECT_EQ(window->rewrites, 0);
}

TEST_F(LNetTest, AReadThatIsNotOneWholeFrameMakesTheDeviceAnswerAgain) {
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
    window->got.clear();
    window->rewrites = 0;
    sim.ClearRecords();
    c.fault(sim);
    engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x52), 1), true);
    ASSERT_TRUE(PumpUntil([&] { return !FramesWithCode(0x52).empty() && !engine->IsBusy(); }));
    PumpFor(100);
    for (const auto& f : window->Frames()) EXPECT_TRUE(IsSingleFrameRead(f.data(), f.size()));
    EXPECT_GE(window->rewrites, 1);
    EXPECT_TRUE(window->Timeouts().empty());
    sim.ClearFaults();
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
    window->got.clear();
    sim.ClearRecords();
    engine->SetTimeout(50);
    engine->SetRetryLimit(2);
    if (c.dropConnection) {
      sim.CloseTcpClients();
      ASSERT_TRUE(PumpUntil([&] { return !window->socket->GetActive(); }));
    } else {
      sim.SetSilent(true);
    }
    engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x40), 1), false);
    ASSERT_TRUE(PumpUntil([&] { return !window->Timeouts().empty(); }));
    EXPECT_EQ(window->Timeouts()[0], std::make_pair(static_cast<int>(LinkNoAnswer), 1));
    if (!c.dropConnection) {
      EXPECT_EQ(sim.CountReceived(0x40), 3u) << "written once and resent twice";
    }
    sim.SetSilent(false);
    // Back to a quiet, answered link for the next case.
    engine.reset();
    engine = std::make_unique<LNetProc>(window, window, 1);
    window->engine = engine.get();
    ASSERT_TRUE(engine->Start());
    engine->SetKeepAliveInterval(60000);
  }
}

}  // namespace
