#pragma once
// The level, link-group and channel tests: the program's forms shared per
// suite, every command the window sends recorded, the model back at its
// factory set after each test, and the user's clicks and fader moves.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "platform/classlib/RzControls.h"
#include "tests/ui/ProgramFormsTestSupport.h"

namespace level_test {

using ui_test::Find;

struct SentFrame {
  std::uint8_t Code = 0;
  ByteVector Payload;
  bool Append = false;
};

class LevelSuite : public program_forms_test::ProgramFormsSuite {
 protected:
  void SetUp() override {
    ASSERT_NE(fmMain, nullptr);
    fmMain->SetRefreshing(false);
    Model()->LoadDefaults();
    fmMain->SetSendSink([this](const LCmd& c, bool append) {
      Frames.push_back({c.Code, c.Payload, append});
    });
  }
  void TearDown() override {
    fmMain->SetSendSink(nullptr);
    fmMain->SetRefreshing(false);
    Model()->LoadDefaults();
  }

  static LUnitControl* Model() { return fmMain->GetState().UnitControl.get(); }

  // Stores link masks (channel, mask) as a received set would, sending nothing.
  static void SetMasks(std::initializer_list<std::pair<int, int>> masks) {
    fmMain->SetRefreshing(true);
    for (const auto& [channel, mask] : masks) Model()->SetLinkMask(channel, static_cast<std::uint16_t>(mask));
    fmMain->SetRefreshing(false);
  }

  // The payloads of the frames of one code, in the order they were sent.
  std::vector<ByteVector> Sent(std::uint8_t code) const {
    std::vector<ByteVector> out;
    for (const SentFrame& f : Frames)
      if (f.Code == code) out.push_back(f.Payload);
    return out;
  }
  // The channels (first payload byte) of the frames of one code.
  std::vector<int> Channels(std::uint8_t code) const {
    std::vector<int> out;
    for (const ByteVector& p : Sent(code)) out.push_back(p.empty() ? -1 : p[0]);
    return out;
  }

  std::vector<SentFrame> Frames;
};

// A user's click on a button: pressed and released over its centre.
inline void UserClick(TControl* c) {
  ASSERT_NE(c, nullptr);
  const int x = c->GetWidth() / 2, y = c->GetHeight() / 2;
  classlib_test::Move(c, x, y);
  classlib_test::Press(c, x, y);
  classlib_test::Release(c, x, y);
}

// What a user's click does to a toggle on a page that is not shown: the
// state changes, then the click fires.
inline void ToggleClick(std::string_view name) {
  auto* b = Find<TRzBmpButton>(name);
  ASSERT_NE(b, nullptr) << name;
  b->SetDown(!b->GetDown());
  b->Click();
}

// Sets a button's state from code, which raises no click.
inline void SetDownQuietly(std::string_view name, bool down) {
  auto* b = Find<TRzBmpButton>(name);
  ASSERT_NE(b, nullptr) << name;
  b->SetDown(down);
}

inline std::string Caption(std::string_view name) {
  auto* c = Find<TControl>(name);
  return c ? c->GetCaption() : "<missing " + std::string(name) + ">";
}

}  // namespace level_test
