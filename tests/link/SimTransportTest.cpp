// The simulator's transports: a pseudo-terminal, the fake HID backend and
// TCP, one exchange each, plus what each transport does when the device
// goes away.

#include <gtest/gtest.h>

#include "platform/hid/FakeHidBackend.h"
#include "tests/sim/DeviceSimulator.h"
#include "tests/sim/SimClient.h"

#include <atomic>
#include <fcntl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using sim::DeviceSimulator;
using sim::SimClient;

constexpr int QuietMs = 300;

TEST(SimTransport, PseudoTerminalCarriesAnExchangeAndIgnoresRepliesWrittenBack) {
  DeviceSimulator device;
  ASSERT_TRUE(device.OpenPty()) << device.LastError();
  std::string error;
  auto line = SimClient::Serial(device.PtyPath(), &error);
  ASSERT_TRUE(line) << error;

  const auto identity = line->Request(LCmd(1, 0x52));
  ASSERT_TRUE(identity);
  EXPECT_EQ(identity->Code, 0x52);
  EXPECT_EQ(std::string(identity->Payload.begin(), identity->Payload.end()), "TAVO V013 20191020");
  ASSERT_EQ(device.Received().size(), 1u);
  EXPECT_EQ(device.Received()[0].Via, sim::Transport::Serial);

  // The serial link writes a received reply back on a later time-out.
  ASSERT_TRUE(line->SendRaw(device.Sent().back().Raw));
  EXPECT_FALSE(line->ReceiveFrame(QuietMs));
  EXPECT_TRUE(device.WaitForReceived([](const auto& frames) { return frames.size() == 2; }));

  // Another baud rate is what the editor's port reads back.
  ASSERT_TRUE(device.SetSerialBaudRate(9600)) << device.LastError();
  const int fd = ::open(device.PtyPath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  termios t{};
  ASSERT_EQ(::tcgetattr(fd, &t), 0);
  EXPECT_EQ(::cfgetospeed(&t), B9600);
  ::close(fd);

  // The device goes away: the line hangs up.
  device.ClosePty();
  EXPECT_FALSE(line->ReadChunk(5000));
  EXPECT_TRUE(device.PtyPath().empty());
}

TEST(SimTransport, FakeHidDeviceAnswersEachOutputReportWithAnInputReport) {
  auto backend = std::make_shared<FakeHidBackend>();
  DeviceSimulator device;
  ASSERT_TRUE(device.PlugHid(backend)) << device.LastError();

  const auto listed = backend->Enumerate();
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].VendorId, 0x0168);
  EXPECT_EQ(listed[0].ProductId, 0x0821);
  EXPECT_EQ(listed[0].Path, device.HidPath());

  auto handle = backend->Open(device.HidPath());
  ASSERT_TRUE(handle);
  EXPECT_EQ(handle->GetCaps().OutputReportByteLength, 65);
  // Report ID 0, the level request, then padding.
  ByteVector report(65, 0xEE);
  report[0] = 0;
  const ByteVector poll = BuildFrame(LCmd(1, 0x40), 1);
  std::copy(poll.begin(), poll.end(), report.begin() + 1);
  ASSERT_TRUE(handle->WriteOutputReport(report.data(), report.size()));

  ByteVector input;
  ASSERT_TRUE(handle->ReadInputReport(input, 5000));
  ASSERT_EQ(input.size(), 65u);
  EXPECT_EQ(input[0], 0);
  const LCmd levels = ParseFrame(ByteVector(input.begin() + 1, input.end()));
  EXPECT_EQ(levels.Code, 0x40);
  EXPECT_EQ(levels.Payload.size(), 55u);
  EXPECT_FALSE(levels.Unframed);  // the 64-byte frame fills the report exactly
  const auto heard = device.Received();
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].Raw, poll);
  EXPECT_EQ(heard[0].Via, sim::Transport::Hid);

  handle->Close();
  EXPECT_TRUE(device.UnplugHid());
  EXPECT_TRUE(backend->Enumerate().empty());
}

TEST(SimTransport, TwoDevicesShareOneHidBackend) {
  auto backend = std::make_shared<FakeHidBackend>();
  sim::SimConfig second;
  second.DeviceId = 2;
  DeviceSimulator a;
  DeviceSimulator b(second);
  ASSERT_TRUE(a.PlugHid(backend));
  ASSERT_TRUE(b.PlugHid(backend));
  auto toA = SimClient::Hid(*backend, a.HidPath());
  auto toB = SimClient::Hid(*backend, b.HidPath());
  ASSERT_TRUE(toA && toB);
  const auto fromB = toB->Request(LCmd(1, 0x10));
  const auto fromA = toA->Request(LCmd(1, 0x10));
  ASSERT_TRUE(fromA && fromB);
  EXPECT_EQ(fromA->DeviceId, 1);
  EXPECT_EQ(fromB->DeviceId, 2);
  EXPECT_EQ(a.Received().size(), 1u);
  EXPECT_EQ(b.Received().size(), 1u);
}

TEST(SimTransport, TcpServesLoopbackOnlyAndPushesUnaskedFrames) {
  DeviceSimulator device;
  for (const char* outside : {"0.0.0.0", "10.0.0.1", "192.168.1.100", "not an address"})
    EXPECT_FALSE(device.ListenTcp(outside, 0)) << outside;
  ASSERT_TRUE(device.ListenTcp("127.0.0.1", 0)) << device.LastError();
  EXPECT_FALSE(device.ListenTcp("127.0.0.1", 0));  // one listener

  auto client = SimClient::Tcp("127.0.0.1", device.TcpPort());
  ASSERT_TRUE(client);
  ASSERT_TRUE(client->Request(LCmd(1, 0x10)));
  EXPECT_EQ(device.TcpClientCount(), 1);

  device.SendGateLevels({1.0f, 0.5f, 0, 0, 0, 0, 0, 0});
  const auto gate = client->Receive();
  ASSERT_TRUE(gate);
  EXPECT_EQ(gate->Code, 0x41);
  ASSERT_EQ(gate->Payload.size(), 24u);
  EXPECT_EQ(ByteVector(gate->Payload.begin() + 3, gate->Payload.begin() + 6), (ByteVector{0x00, 0x3F, 0x00}));

  // The device goes away: the client reads the end of the stream.
  device.CloseTcpClients();
  EXPECT_FALSE(client->ReadChunk(5000));
  EXPECT_FALSE(client->Request(LCmd(1, 0x10), QuietMs));

  // A new connection is served again.
  auto again = SimClient::Tcp("127.0.0.1", device.TcpPort());
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->Request(LCmd(1, 0x10)));
}

TEST(SimTransport, QueriesAndFaultsWhileTrafficFlowsThenStopsWithRepliesPending) {
  auto device = std::make_unique<DeviceSimulator>();
  ASSERT_TRUE(device->ListenTcp("127.0.0.1", 0)) << device->LastError();
  const std::uint16_t port = device->TcpPort();
  constexpr int Rounds = 100;
  std::atomic<int> answered{0};
  std::vector<std::thread> clients;
  for (int i = 0; i < 2; ++i) {
    clients.emplace_back([&, i] {
      auto client = SimClient::Tcp("127.0.0.1", port);
      if (!client) return;
      for (int k = 0; k < Rounds; ++k) {
        if (client->Request(CM_MCS_GAIN(1, static_cast<std::uint8_t>(i), static_cast<std::uint16_t>(k)),
                            5000))
          ++answered;
      }
    });
  }
  for (int k = 0; k < 50; ++k) {
    device->DelayReplies(1, 1);
    (void)device->Image();
    (void)device->Received();
    (void)device->With([](const sim::SimDevice& d) { return d.Gain(1); });
  }
  for (auto& t : clients) t.join();
  EXPECT_EQ(answered.load(), 2 * Rounds);
  EXPECT_EQ(device->With([](const sim::SimDevice& d) { return d.Gain(0); }), Rounds - 1);

  // A connected client and a reply still waiting do not hold up the end.
  auto client = SimClient::Tcp("127.0.0.1", port);
  ASSERT_TRUE(client);
  device->DelayReplies(60000);
  ASSERT_TRUE(client->Send(LCmd(1, 0x10)));
  ASSERT_TRUE(device->WaitForCode(0x10));
  device.reset();
  EXPECT_FALSE(client->ReadChunk(5000));
}

TEST(SimTransport, TheDevicesDefaultAddressInsideTheTestNamespace) {
  DeviceSimulator device;
  if (!device.ListenTcp(sim::DeviceAddress, 0))
    GTEST_SKIP() << "the device's address is not on loopback here: " << device.LastError();
  auto client = SimClient::Tcp(sim::DeviceAddress, device.TcpPort());
  ASSERT_TRUE(client);
  EXPECT_TRUE(client->Request(LCmd(1, 0x10)));
}

}  // namespace
