// The traffic window lists the frames of the open link while it is shown,
// one line of hexadecimal text per frame, in the shape of each link.

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "EditorDriver.h"
#include "dialogs/FHidData.h"
#include "platform/classlib/ControlImage.h"

using namespace e2e;

namespace {

class TrafficLog : public EditorTest {
 protected:
  static TListBox* List() { return fmHidData->hbHidData; }
  static std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (int i = 0; i < List()->GetCount(); ++i) lines.push_back(List()->GetItems()->Get(i));
    return lines;
  }
  static bool HasLine(const std::string& line) {
    for (const std::string& l : Lines())
      if (l == line) return true;
    return false;
  }
  // The hidden menu item is the window's only way in.
  void ShowThroughMenu() {
    Find<TMenuItem>("HidData")->Click();
    ASSERT_TRUE(Shown(fmHidData));
  }
  ::testing::AssertionResult AwaitPolls(std::size_t more) {
    const std::size_t polls = FSim.CountReceived(0x40);
    return Await("level polls", [&] { return FSim.CountReceived(0x40) >= polls + more; });
  }
  // Every line is its tag, then bytes as two upper-case digits and a space,
  // and the last one is selected.
  static void ExpectShapes(const std::string& tags) {
    const std::regex shape("(" + tags + ")([0-9A-F]{2} )+");
    ASSERT_GT(List()->GetCount(), 0);
    for (const std::string& line : Lines()) EXPECT_TRUE(std::regex_match(line, shape)) << line;
    EXPECT_EQ(List()->GetItemIndex(), List()->GetCount() - 1);
  }
};

std::string Hex(const ByteVector& bytes, std::size_t from = 0) {
  std::string text;
  char cell[8];
  for (std::size_t i = from; i < bytes.size(); ++i) {
    std::snprintf(cell, sizeof cell, "%02X ", bytes[i]);
    text += cell;
  }
  return text;
}

// The frame a record carries: the padding of a USB report goes.
ByteVector FrameOf(const sim::SimFrame& write) {
  ByteVector raw = write.Raw;
  if (raw.size() >= 5 && raw.size() > raw[4] + 8u) raw.resize(raw[4] + 8u);
  return raw;
}

ByteVector LastLevelReply(const sim::DeviceSimulator& simulator) {
  ByteVector reply;
  for (const sim::SimFrame& f : simulator.Sent())
    if (f.Command.Code == sim::reply::Levels) reply = FrameOf(f);
  return reply;
}

TEST_F(TrafficLog, NetworkLinesAppearOnlyWhileTheWindowIsShownAndStayUntilClear) {
  ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
  StartEditor();
  ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));
  ASSERT_TRUE(AwaitPolls(2));
  EXPECT_FALSE(Shown(fmHidData));
  EXPECT_EQ(List()->GetCount(), 0);

  ASSERT_NO_FATAL_FAILURE(ShowThroughMenu());
  ASSERT_TRUE(AwaitPolls(2));
  // The poll's line leaves out the frame's leading byte; a reply is listed whole.
  const ByteVector poll = FSim.ReceivedWithCode(0x40).back().Raw;
  ASSERT_TRUE(Await("the last poll and its reply listed", [&] {
    return HasLine("NET W " + Hex(poll, 1)) && HasLine("NET R " + Hex(LastLevelReply(FSim)));
  }));
  ExpectShapes("NET W |NET R ");

  // Two replies in one write are listed as two frames.
  ByteVector merged = sim::BuildReplyFrame(1, sim::reply::GateLevels, std::vector<std::uint8_t>(24, 0x5A));
  const ByteVector levels =
      sim::BuildReplyFrame(1, sim::reply::Levels, std::vector<std::uint8_t>(sim::LevelPayloadSize, 0xA5));
  ByteVector both = merged;
  both.insert(both.end(), levels.begin(), levels.end());
  FSim.SendRaw(both);
  ASSERT_TRUE(Await("both frames listed",
                    [&] { return HasLine("NET R " + Hex(merged)) && HasLine("NET R " + Hex(levels)); }));
  if (const char* dir = std::getenv("TAVO_RENDER_DIR")) {
    EXPECT_TRUE(SaveControlImage(fmHidData, std::string(dir) + "/traffic-log.png"));
  }

  // Hidden, the window keeps its lines and takes no new ones.
  fmHidData->Close();
  ASSERT_FALSE(Shown(fmHidData));
  const std::vector<std::string> kept = Lines();
  ASSERT_TRUE(AwaitPolls(2));
  EXPECT_EQ(Lines(), kept);
  ASSERT_NO_FATAL_FAILURE(ShowThroughMenu());
  ASSERT_TRUE(Await("new lines after the old", [&] { return Lines().size() > kept.size(); }));
  const std::vector<std::string> after = Lines();
  EXPECT_TRUE(std::equal(kept.begin(), kept.end(), after.begin()));

  // The window keeps the newest 10,000 lines.
  List()->GetItems()->Clear();
  for (int i = 0; i < 9998; ++i) List()->GetItems()->Add("old " + std::to_string(i));
  ASSERT_TRUE(AwaitPolls(3));
  ASSERT_TRUE(Await("new lines past the cap", [&] { return List()->GetItems()->Get(0) != "old 0"; }));
  EXPECT_EQ(List()->GetCount(), 10000);
  EXPECT_EQ(List()->GetItemIndex(), List()->GetCount() - 1);
  EXPECT_EQ(List()->GetItems()->Get(List()->GetCount() - 1).rfind("NET ", 0), 0u);

  fmHidData->bnClear->Click();
  EXPECT_EQ(List()->GetCount(), 0);
  fmHidData->Close();
  ASSERT_TRUE(AwaitPolls(1));
  EXPECT_EQ(List()->GetCount(), 0);
  EXPECT_TRUE(fmMain->IsOnline());
}

// USB and serial lines, each on its own link: the tags, the report ID of
// USB, and the poll's bytes exactly.
struct LinkCase {
  const char* Name;
  bool Usb;
  const char* Tags;
  const char* PollHead;
};

class TrafficLogLinks : public TrafficLog, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(TrafficLogLinks, ListTheirFramesInTheirOwnShape) {
  const LinkCase& c = GetParam();
  if (c.Usb) {
    ASSERT_TRUE(FSim.PlugHid(FHid)) << FSim.LastError();
  } else {
    ASSERT_TRUE(FSim.OpenPty()) << FSim.LastError();
    FPorts = {SerialPortAt(FSim.PtyPath())};
  }
  StartEditor();
  if (!c.Usb) fmMain->SetDeviceIp(0);
  ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));
  ASSERT_NO_FATAL_FAILURE(ShowThroughMenu());
  ASSERT_TRUE(AwaitPolls(2));
  const ByteVector poll = FrameOf(FSim.ReceivedWithCode(0x40).back());
  ASSERT_TRUE(Await("the last poll and a reply listed", [&] {
    return HasLine(c.PollHead + Hex(poll)) && (!c.Usb || HasLine("USB R 00  " + Hex(LastLevelReply(FSim))));
  }));
  ExpectShapes(c.Tags);
  if (c.Usb) {
    // A USB line lists the frame alone, however long the report.
    for (const std::string& line : Lines()) {
      const std::size_t bytes = (line.size() - 10) / 3;
      const int length = std::stoi(line.substr(10 + 4 * 3, 2), nullptr, 16);
      EXPECT_EQ(bytes, static_cast<std::size_t>(length) + 8) << line;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Links, TrafficLogLinks,
                         ::testing::Values(LinkCase{"Usb", true, "USB W 00  |USB R 00  ", "USB W 00  "},
                                           LinkCase{"Serial", false, "COM W |COM R ", "COM W "}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
