// Typed thresholds, ratios and times in the Comp and Gate pages' value
// boxes: what each text becomes on its fader and in the box, what is
// refused, and that only a real change is sent.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "platform/classlib/Keys.h"
#include "tests/ui/ParameterPagesTestSupport.h"

namespace {

using namespace parameter_pages_test;

class TypedEntry : public RecordingSuite {
 protected:
  struct Case {
    const char* box;  // the fader is the box's name with "is" for "cvd"
    int start;
    const char* typed;
    const char* shown;
    int position;
    // Accepted, though it lands where the fader stands.
    bool accepted = false;
  };

  // Types each case's text and applies it, by Enter and by leaving the box
  // in turn.
  void Run(const std::vector<Case>& cases) {
    bool enter = false;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.box) + " typed \"" + c.typed + "\"");
      auto* box = dynamic_cast<TCurvyEdit*>(fmMain->FindComponent(c.box));
      auto* fader = dynamic_cast<TAdvTrackBar*>(fmMain->FindComponent(std::string("is") + (c.box + 3)));
      ASSERT_TRUE(box && fader);
      fader->SetPosition(c.start);
      Sent.clear();
      enter = !enter;
      Type(box, c.typed, enter);
      EXPECT_EQ(box->GetText(), c.shown);
      EXPECT_EQ(fader->GetPosition(), c.position);
      // One record for a change, nothing otherwise.
      EXPECT_EQ(Sent.size(), c.position == c.start ? 0u : 1u);
      // A refused text comes back with the caret at its end.
      if (c.position == c.start && !c.accepted) {
        EXPECT_TRUE(CaretAtEnd(box));
      }
    }
  }
};

// A threshold goes toward zero onto the 0.5 dB grid, within -90..+20 dB.
TEST_F(TypedEntry, Thresholds) {
  Run({
      {"cvdCompThresholdOut4", 0, "12.3", "+12.0dB", 24},
      {"cvdCompThresholdOut4", 0, "12.7", "+12.5dB", 25},
      {"cvdCompThresholdOut4", 0, "-12.7", "-12.5dB", -25},
      {"cvdCompThresholdOut4", 0, "12.5", "+12.5dB", 25},
      {"cvdCompThresholdOut4", 0, "25", "+20.0dB", 40},
      {"cvdCompThresholdOut4", 0, "-100", "-90.0dB", -180},
      {"cvdCompThresholdOut4", 0, "99999999999999999999999", "+20.0dB", 40},
      {"cvdCompThresholdOut4", 0, "3dB", "+3.0dB", 6},
      {"cvdCompThresholdOut4", 0, "1,5", "+1.0dB", 2},
      {"cvdCompThresholdOut4", 0, ".5", "+0.5dB", 1},
      {"cvdCompThresholdOut4", 0, "12.", "+0.0dB", 0},
      {"cvdCompThresholdOut4", 0, "1.2.3", "+0.0dB", 0},
      {"cvdCompThresholdOut4", 0, "--1", "+0.0dB", 0},
      {"cvdCompThresholdOut4", 0, "1.-", "+0.0dB", 0},
      {"cvdCompThresholdOut4", 0, ".3", "+0.0dB", 0},
      {"cvdCompThresholdOut4", 0, "-0.2", "+0.0dB", 0},
      {"cvdCompThresholdOut4", 0, "abc", "+0.0dB", 0},
      {"cvdCompThresholdOut4", 0, "", "+0.0dB", 0},
      // The value already set, as the box shows it.
      {"cvdCompThresholdOut4", 24, "+12.0dB", "+12.0dB", 24},
      {"cvdGateThresholdInB", 0, "-45.7", "-45.5dB", -91},
      {"cvdGateThresholdInB", 40, "+20.0dB", "+20.0dB", 40},
  });
}

// A ratio goes up to the next step; above 20.0 it is the limiter.
TEST_F(TypedEntry, Ratios) {
  Run({
      {"cvdCompRatioOut4", 0, "4", "1:4.0", 9},
      {"cvdCompRatioOut4", 0, "1:4", "1:4.0", 9},
      {"cvdCompRatioOut4", 0, "1:4dB", "1:4.0", 9},
      {"cvdCompRatioOut4", 0, "4.2", "1:5.0", 10},
      {"cvdCompRatioOut4", 0, "20.05", "Limit", 15},
      {"cvdCompRatioOut4", 0, "100", "Limit", 15},
      {"cvdCompRatioOut4", 9, "0.5", "1:1.0", 0},
      {"cvdCompRatioOut4", 0, "2:4", "1:1.0", 0},
      {"cvdCompRatioOut4", 0, "4.", "1:1.0", 0},
      {"cvdCompRatioOut4", 0, "1:", "1:1.0", 0},
      {"cvdCompRatioOut4", 0, "1:2:3", "1:1.0", 0},
      // Left as shown: the fader keeps its place and nothing is sent.
      {"cvdCompRatioOut4", 9, "1:4.0", "1:4.0", 9, true},
      {"cvdCompRatioOut4", 15, "Limit", "Limit", 15},
  });
}

// Attack and release in whole milliseconds, within each fader's range.
TEST_F(TypedEntry, Times) {
  Run({
      {"cvdCompAttackOut4", 50, "0", "1ms", 0},
      {"cvdCompAttackOut4", 50, "1", "1ms", 0},
      {"cvdCompAttackOut4", 50, "5000", "999ms", 998},
      {"cvdCompAttackOut4", 50, "12.7", "12ms", 11},
      {"cvdCompAttackOut4", 0, "50ms", "50ms", 49},
      {"cvdCompAttackOut4", 0, "99999999999999999999", "999ms", 998},
      {"cvdCompAttackOut4", 50, "", "51ms", 50},
      {"cvdCompAttackOut4", 50, "-5", "51ms", 50},
      {"cvdCompAttackOut4", 50, "51ms", "51ms", 50},
      {"cvdCompReleaseOut4", 499, "5000", "3000ms", 2999},
      {"cvdGateAttackInB", 50, "20", "20ms", 19},
      {"cvdGateReleaseInB", 2999, "5000", "3000ms", 2999},
      {"cvdGateReleaseInB", 2999, "750 MS", "750ms", 749},
  });
}

}  // namespace
