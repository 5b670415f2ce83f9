// Each fault the simulator injects into its replies does what it says, seen
// by a plain client over TCP loopback.

#include <gtest/gtest.h>

#include "tests/sim/DeviceSimulator.h"
#include "tests/sim/SimClient.h"

#include <chrono>
#include <functional>
#include <string>

namespace {

using sim::DeviceSimulator;
using sim::FaultKind;
using sim::SimClient;

// Long enough for a reply that is coming to arrive on a loaded machine; the
// cases that wait this long expect nothing.
constexpr int QuietMs = 300;

const LCmd Hello(1, 0x10);
const LCmd PresetNumber(1, 0x14);
const ByteVector HelloReply = {0x10, 0x02, 0x01, 0x00, 0x01, 0x10, 0x10, 0x03, 0x11};

struct Case {
  const char* name;
  std::function<void(DeviceSimulator&)> arm;
  std::function<void(DeviceSimulator&, SimClient&)> check;
};

// The code of a reply, or -1 when none came.
int CodeOf(const std::optional<LCmd>& reply) {
  return reply ? reply->Code : -1;
}

ByteVector Joined(const std::vector<sim::SimFrame>& writes) {
  ByteVector all;
  for (const auto& w : writes) all.insert(all.end(), w.Raw.begin(), w.Raw.end());
  return all;
}

TEST(SimFaults, EachFaultShapesTheRepliesAsAsked) {
  const std::vector<Case> cases = {
      {"drop the next two replies", [](DeviceSimulator& s) { s.DropReplies(2); },
       [](DeviceSimulator& s, SimClient& c) {
         ASSERT_TRUE(c.Send(Hello));
         ASSERT_TRUE(c.Send(Hello));
         EXPECT_FALSE(c.ReceiveFrame(QuietMs));
         EXPECT_EQ(CodeOf(c.Request(Hello)), 0x10);
         EXPECT_EQ(s.CountReceived(0x10), 3u);  // the dropped requests were still heard
       }},
      {"drop the replies to a code from its second on",
       [](DeviceSimulator& s) {
         sim::Fault f;
         f.Count = sim::Fault::Forever;
         f.OnlyCode = 0x14;
         f.After = 1;
         s.AddFault(f);
       },
       [](DeviceSimulator&, SimClient& c) {
         EXPECT_EQ(CodeOf(c.Request(PresetNumber)), 0x14);
         EXPECT_EQ(CodeOf(c.Request(Hello)), 0x10);
         ASSERT_TRUE(c.Send(PresetNumber));
         EXPECT_FALSE(c.ReceiveFrame(QuietMs));
       }},
      {"duplicate a reply",
       [](DeviceSimulator& s) {
         sim::Fault f;
         f.Kind = FaultKind::Duplicate;
         s.AddFault(f);
       },
       [](DeviceSimulator&, SimClient& c) {
         EXPECT_EQ(CodeOf(c.Request(Hello)), 0x10);
         const auto again = c.ReceiveFrame(QuietMs * 3);
         ASSERT_TRUE(again);
         EXPECT_EQ(*again, HelloReply);
         EXPECT_FALSE(c.ReceiveFrame(QuietMs));
       }},
      {"drop only the replies to one code", [](DeviceSimulator& s) { s.DropReplies(1, 0x14); },
       [](DeviceSimulator&, SimClient& c) {
         EXPECT_EQ(CodeOf(c.Request(Hello)), 0x10);
         ASSERT_TRUE(c.Send(PresetNumber));
         EXPECT_FALSE(c.ReceiveFrame(QuietMs));
         EXPECT_EQ(CodeOf(c.Request(PresetNumber)), 0x14);
       }},
      {"delay every reply", [](DeviceSimulator& s) { s.DelayReplies(150); },
       [](DeviceSimulator& s, SimClient& c) {
         for (int i = 0; i < 2; ++i) {
           const auto start = std::chrono::steady_clock::now();
           ASSERT_TRUE(c.Request(Hello, 5000));
           EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
         }
         const auto heard = s.Received();
         const auto sent = s.Sent();
         ASSERT_EQ(sent.size(), 2u);
         EXPECT_GE(sent[1].AtMs - heard[1].AtMs, 150u);
       }},
      {"split a reply into chunks", [](DeviceSimulator& s) { s.SplitReplies(4, 10); },
       [](DeviceSimulator& s, SimClient& c) {
         EXPECT_EQ(CodeOf(c.Request(Hello)), 0x10);  // the cutter joins the chunks again
         const auto sent = s.Sent();
         ASSERT_EQ(sent.size(), 3u);
         EXPECT_EQ(sent[0].Raw.size(), 4u);
         EXPECT_EQ(sent[2].Raw.size(), 1u);
         EXPECT_EQ(Joined(sent), HelloReply);
         EXPECT_EQ(CodeOf(c.Request(Hello)), 0x10);  // only once
         EXPECT_EQ(s.Sent().size(), 4u);
       }},
      {"merge two replies into one write", [](DeviceSimulator& s) { s.MergeReplies(); },
       [](DeviceSimulator& s, SimClient& c) {
         ASSERT_TRUE(c.Send(Hello));
         EXPECT_FALSE(c.ReceiveFrame(QuietMs));
         ASSERT_TRUE(c.Send(PresetNumber));
         const auto first = c.Receive();
         const auto second = c.Receive();
         ASSERT_TRUE(first && second);
         EXPECT_EQ(first->Code, 0x10);
         EXPECT_EQ(second->Code, 0x14);
         const auto sent = s.Sent();
         ASSERT_EQ(sent.size(), 1u);
         EXPECT_EQ(sent[0].Raw.size(), HelloReply.size() + 10u);
       }},
      {"corrupt the trailer", [](DeviceSimulator& s) { s.CorruptReplies(FaultKind::CorruptTrailer); },
       [](DeviceSimulator&, SimClient& c) {
         ASSERT_TRUE(c.Send(Hello));
         const auto frame = c.ReceiveFrame();
         ASSERT_TRUE(frame);
         EXPECT_TRUE(ParseFrame(*frame).Unframed);
         std::uint8_t check = 0;
         for (std::size_t i = 0; i + 1 < frame->size(); ++i) check ^= (*frame)[i];
         EXPECT_EQ(check, frame->back());  // only the trailer is wrong
         EXPECT_EQ(ByteVector(frame->begin(), frame->end() - 3),
                   ByteVector(HelloReply.begin(), HelloReply.end() - 3));
         const auto plain = c.Request(Hello);
         ASSERT_TRUE(plain);
         EXPECT_FALSE(plain->Unframed);
       }},
      {"corrupt the check byte", [](DeviceSimulator& s) { s.CorruptReplies(FaultKind::CorruptCheck); },
       [](DeviceSimulator&, SimClient& c) {
         ASSERT_TRUE(c.Send(Hello));
         const auto frame = c.ReceiveFrame();
         ASSERT_TRUE(frame);
         EXPECT_EQ(ByteVector(frame->begin(), frame->end() - 1),
                   ByteVector(HelloReply.begin(), HelloReply.end() - 1));
         EXPECT_NE(frame->back(), HelloReply.back());
       }},
      {"replace a reply with other bytes",
       [](DeviceSimulator& s) {
         s.ReplaceReplies({0x10, 0x02, 0x01, 0x00, 0x02, 0x24, 0x05, 0x10, 0x03, 0x33}, 1, 0x27);
       },
       [](DeviceSimulator&, SimClient& c) {
         const auto reply = c.Request(LCmd(1, 0x27));
         ASSERT_TRUE(reply);
         EXPECT_EQ(reply->Code, 0x24);
         EXPECT_EQ(reply->Payload, ByteVector{0x05});  // a state packet cut short
       }},
      {"answer nothing while silent", [](DeviceSimulator& s) { s.SetSilent(true); },
       [](DeviceSimulator& s, SimClient& c) {
         ASSERT_TRUE(c.Send(Hello));
         EXPECT_FALSE(c.ReceiveFrame(QuietMs));
         EXPECT_TRUE(s.WaitForCode(0x10));
         s.ClearFaults();
         EXPECT_EQ(CodeOf(c.Request(Hello)), 0x10);
       }},
      {"answer with a wrong identity",
       [](DeviceSimulator& s) { s.With([](sim::SimDevice& d) { d.SetIdentity("TAVO V012 20191020"); }); },
       [](DeviceSimulator&, SimClient& c) {
         const auto reply = c.Request(LCmd(1, 0x52));
         ASSERT_TRUE(reply);
         EXPECT_EQ(std::string(reply->Payload.begin(), reply->Payload.end()), "TAVO V012 20191020");
       }},
      {"answer in the other identity form",
       [](DeviceSimulator& s) {
         s.With([](sim::SimDevice& d) { d.SetIdentity("TAVO V013 20200101", 0x13); });
       },
       [](DeviceSimulator&, SimClient& c) { EXPECT_EQ(CodeOf(c.Request(LCmd(1, 0x52))), 0x13); }},
      {"answer as another device", [](DeviceSimulator& s) { s.SetReplyDeviceId(5); },
       [](DeviceSimulator&, SimClient& c) {
         const auto reply = c.Request(Hello);
         ASSERT_TRUE(reply);
         EXPECT_EQ(reply->DeviceId, 5);
         ;
       }},
  };

  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    DeviceSimulator device;
    ASSERT_TRUE(device.ListenTcp("127.0.0.1", 0)) << device.LastError();
    std::string error;
    auto client = SimClient::Tcp("127.0.0.1", device.TcpPort(), &error);
    ASSERT_TRUE(client) << error;
    test.arm(device);
    test.check(device, *client);
  }
}

TEST(SimFaults, FaultsCombineOnOneReply) {
  DeviceSimulator device;
  ASSERT_TRUE(device.ListenTcp("127.0.0.1", 0)) << device.LastError();
  auto client = SimClient::Tcp("127.0.0.1", device.TcpPort());
  ASSERT_TRUE(client);
  device.CorruptReplies(FaultKind::CorruptCheck);
  device.SplitReplies(0, 5);
  device.DelayReplies(50, 1);
  ASSERT_TRUE(client->Send(Hello));
  const auto frame = client->ReceiveFrame(5000);
  ASSERT_TRUE(frame);
  EXPECT_NE(frame->back(), HelloReply.back());
  const auto sent = device.Sent();
  ASSERT_EQ(sent.size(), 2u);  // halves
  EXPECT_EQ(sent[0].Raw.size(), 5u);
  EXPECT_GE(sent[0].AtMs - device.Received()[0].AtMs, 50u);
  // Used up: the next reply is plain.
  EXPECT_EQ(client->ReceiveFrame(0), std::nullopt);
  ASSERT_TRUE(client->Request(Hello));
  EXPECT_EQ(device.Sent().back().Raw, HelloReply);
}

}  // namespace
