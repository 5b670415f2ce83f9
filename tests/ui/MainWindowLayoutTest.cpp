// The window layout: the resizing rules as pure functions of the extra
// height and width, the delay marker position, the shell's own geometry,
// and the window applying them when its client size changes.

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "MainWindowTestSupport.h"
#include "mainwindow/FMainLayout.h"

using namespace ui_test;

namespace {

std::optional<int> ValueOf(const std::vector<LayoutStep>& steps, const std::string& name, LayoutEdge edge) {
  std::optional<int> value;
  for (const LayoutStep& step : steps)
    if (step.Name == name && step.Edge == edge) value = step.Value;
  return value;
}

struct Expect {
  const char* name;
  LayoutEdge edge;
  int value;
};

TEST(LayoutRules, NoExtraSpaceGivesTheDesignedGeometry) {
  using enum LayoutEdge;
  const auto height = HeightRules(0);
  const auto width = WidthRules(0);
  const Expect expected[] = {
      {"rzgMain", Height, 629},        {"rzgFftGain", Height, 284},     {"rzgFftInC", Height, 284},
      {"rzgParamGain", Top, 292},      {"rzgParamOut1", Top, 292},      {"rzgParamEff", Height, 282},
      {"fftDrawOut8", Height, 255},    {"plMatrixInA", Top, 17},        {"plMatrixInH", Top, 220},
      {"plMatrixOut8", Top, 233},      {"plMatrixEff", Top, 249},       {"imDelayInH", Top, 198},
      {"lbDelayShowOut1", Top, 8},     {"pbLevelGateInD", Top, 32},     {"lbN60CompOut5", Top, 222},
      {"imLeftUpBase", Height, 256},   {"imRightDownBase", Top, 256},   {"rzgPreset", Top, 624},
      {"rzgMain", Width, 1112},        {"rzgFunction", Width, 1115},    {"rzbMenuLink", Left, 1052},
      {"rzgParamGain", Left, 20},      {"fftDrawGainOut", Left, 550},   {"fftDrawInB", Width, 1070},
      {"vrbEqShowAllEff", Left, 934},  {"plLevelGateInH", Left, 1030},  {"plMatrixOut2", Left, 561},
      {"lbMatrixDelayInA", Left, 362}, {"spMatrixDelayInA", Width, 50}, {"spMatrixNameOut1", Left, 416},
      {"lbMatrixCompEff", Left, 362},  {"imRightUpBase", Left, 1077},   {"rzgPreset", Left, 10},
  };
  for (const Expect& e : expected) {
    SCOPED_TRACE(e.name);
    const auto& steps = e.edge == Height || (e.edge == Top) ? height : width;
    EXPECT_EQ(ValueOf(steps, e.name, e.edge), e.value);
  }
}

TEST(LayoutRules, ExtraHeightMovesRowsDownByTheirShare) {
  const auto base = HeightRules(0);
  const auto taller = HeightRules(90);
  const std::string letters = "ABCDEFGH";
  for (int i = 0; i < 8; ++i) {
    const std::string x(1, letters[static_cast<std::size_t>(i)]);
    EXPECT_EQ(*ValueOf(taller, "plMatrixIn" + x, LayoutEdge::Top) -
                  *ValueOf(base, "plMatrixIn" + x, LayoutEdge::Top),
              10 * (i + 1));
    EXPECT_EQ(
        *ValueOf(taller, "imDelayIn" + x, LayoutEdge::Top) - *ValueOf(base, "imDelayIn" + x, LayoutEdge::Top),
        11 * (i + 1));
  }
  EXPECT_EQ(ValueOf(taller, "rzgMain", LayoutEdge::Height), 719);
  EXPECT_EQ(ValueOf(taller, "rzgParamMatrix", LayoutEdge::Top), 382);
  EXPECT_EQ(ValueOf(taller, "rzgPreset", LayoutEdge::Top), 714);
}

TEST(LayoutRules, GateBarsEndLevelWithTheirLowestLabel) {
  for (int e : {0, 9, 90, 450}) {
    SCOPED_TRACE(e);
    const auto steps = HeightRules(e);
    for (const std::string suffix : {"", "A", "E", "H"}) {
      const int bottom = *ValueOf(steps, "pbLevelGateIn" + suffix, LayoutEdge::Top) +
                         *ValueOf(steps, "pbLevelGateIn" + suffix, LayoutEdge::Height);
      EXPECT_EQ(bottom - *ValueOf(steps, "lbN60GateIn" + suffix, LayoutEdge::Top), 18) << suffix;
    }
  }
}

TEST(LayoutRules, ExtraWidthGoesToPlotsCentresAndMatrixColumns) {
  using enum LayoutEdge;
  const auto steps = WidthRules(300);  // T = 100
  const Expect expected[] = {
      {"rzgMain", Width, 1412},         {"rzgParamGate", Left, 170},    {"fftDrawGainIn", Width, 680},
      {"fftDrawGainOut", Left, 700},    {"rzgFftShowChOut", Left, 962}, {"lbDelayLineInC", Width, 625},
      {"lbDelayLineOut3", Width, 1306}, {"pbMatrix", Left, 565},        {"pbMatrix", Width, 197},
      {"AuxMixLine2", Width, 288},      {"plMatrixOut3", Left, 761},    {"plMatrixOut3", Width, 610},
      {"lbMatrixGainInB", Left, 102},   {"lbMatrixGainInB", Width, 64}, {"lbMatrixMuteOut4", Left, 425},
      {"plLevelCompOut2", Left, 1012},  {"rzbMenuLink", Left, 1352},    {"rzgPreset", Left, 160},
  };
  for (const Expect& e : expected) EXPECT_EQ(ValueOf(steps, e.name, e.edge), e.value) << e.name;
}

TEST(LayoutRules, DelayMarkersSitOnTheirShareOfTheLine) {
  struct Case {
    int position, maximum, line, left;
  };
  const Case cases[] = {{0, 100, 475, 40},
                        {100, 100, 475, 425},
                        {50, 100, 475, 232},
                        {7, 0, 475, 40},
                        {INT_MAX, INT_MAX, 2000, 1950}};
  for (const Case& c : cases)
    EXPECT_EQ(DelayMarkerLeft(c.position, c.maximum, c.line), c.left) << c.position << "/" << c.maximum;
}

TEST(LayoutRules, PageButtonsFitBetweenTheBarEdgeAndTheLinkButton) {
  for (int slot = 0; slot < MainPageCount; ++slot) {
    const TRect r = PageButtonRect(slot);
    EXPECT_GT(r.Left, 0);
    EXPECT_LE(r.Right, LinkButtonRect.Left - 4);
    if (slot > 0) {
      EXPECT_GT(r.Left, PageButtonRect(slot - 1).Right);
    }
  }
}

// The window applying the rules; stand-ins take the places of controls
// other parts of the window build.
class WindowLayout : public ProgramFormsTest {
 protected:
  void SetUp() override {
    ProgramFormsTest::SetUp();
    for (const auto& rules : {HeightRules(0), WidthRules(0)})
      for (const LayoutStep& step : rules) StandIn(step.Name);
    for (int channel = 0; channel < 16; ++channel) {
      const std::string suffix = DelayChannelSuffix(channel);
      for (const std::string prefix : {"imDelay", "isDelay", "lbDelayLine", "lbFftDelayTime"})
        StandIn(prefix + suffix);
    }
    fmMain->FormResize(fmMain);
    // The layer drops the first size a shown window is given from code;
    // one step there and back lets the sizes below take.
    Resize(DesignWidth, DesignClientHeight + 1);
    Resize(DesignWidth, DesignClientHeight);
    ASSERT_EQ(fmMain->GetClientHeight(), DesignClientHeight);
  }

  // The user sizes the whole area below the menu; scroll bars take their room
  // inside it, while the layer's client size leaves them out.
  static int AreaWidth() { return fmMain->TWinControl::GetClientWidth(); }
  static int AreaHeight() { return fmMain->TWinControl::GetClientHeight(); }
  void Resize(int width, int height) {
    for (int pass = 0; pass < 4 && (AreaWidth() != width || AreaHeight() != height); ++pass) {
      fmMain->SetClientWidth(fmMain->GetClientWidth() + width - AreaWidth());
      fmMain->SetClientHeight(fmMain->GetClientHeight() + height - AreaHeight());
    }
  }
  int Edge(const char* name, LayoutEdge edge) {
    auto* c = Find<TControl>(name);
    switch (edge) {
      case LayoutEdge::Left:
        return c->GetLeft();
      case LayoutEdge::Top:
        return c->GetTop();
      case LayoutEdge::Width:
        return c->GetWidth();
      case LayoutEdge::Height:
        return c->GetHeight();
    }
    return 0;
  }
};

TEST_F(WindowLayout, ResizingFollowsTheRulesOfEachDirection) {
  struct Case {
    int width, height;
    bool scrolling;
    int extraHeight, mainWidth, mainHeight, presetLeft, presetTop, lowerTop;
  };
  const Case cases[] = {
      {1126, 683, false, 0, 1112, 629, 10, 624, 292},   // the design size
      {1126, 682, true, 0, 1112, 629, 10, 624, 292},    // one short: scrolls, heights stay
      {1216, 773, false, 90, 1202, 719, 55, 714, 382},  // more of both
      {1000, 758, true, 75, 1112, 704, 10, 699, 367},   // narrow: widths stay
      {1300, 658, true, 0, 1286, 629, 97, 624, 292},    // low: heights stay
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    Resize(DesignWidth, DesignClientHeight);
    Resize(c.width, c.height);
    EXPECT_EQ(AreaWidth(), c.width);
    EXPECT_EQ(AreaHeight(), c.height);
    EXPECT_EQ(fmMain->IsScrolling(), c.scrolling);
    EXPECT_EQ(fmMain->GetAutoScroll(), c.scrolling);
    EXPECT_EQ(fmMain->GetState().ExtraHeight, c.extraHeight);
    EXPECT_EQ(Edge("rzgMain", LayoutEdge::Width), c.mainWidth);
    EXPECT_EQ(Edge("rzgMain", LayoutEdge::Height), c.mainHeight);
    EXPECT_EQ(Edge("rzgPreset", LayoutEdge::Left), c.presetLeft);
    EXPECT_EQ(Edge("rzgPreset", LayoutEdge::Top), c.presetTop);
    EXPECT_EQ(Edge("rzgParamComp", LayoutEdge::Top), c.lowerTop);
    EXPECT_TRUE(Find<TControl>("rzgMain")->GetVisible());
  }
}

TEST_F(WindowLayout, DelayMarkersFollowTheirFaders) {
  auto* full = Find<TAdvTrackBar>("isDelayInA");
  full->SetMax(100);
  full->SetPosition(100);
  auto* empty = Find<TAdvTrackBar>("isDelayOut8");
  empty->SetMax(100);
  empty->SetPosition(0);
  Find<TControl>("imDelayInA")->SetHeight(20);
  Resize(DesignWidth + 2, DesignClientHeight);
  Resize(DesignWidth, DesignClientHeight);
  EXPECT_EQ(Edge("imDelayInA", LayoutEdge::Left), 425);
  EXPECT_EQ(Edge("lbFftDelayTimeInA", LayoutEdge::Left), 455);
  EXPECT_EQ(Edge("lbFftDelayTimeInA", LayoutEdge::Top), Edge("imDelayInA", LayoutEdge::Top) + 5);
  EXPECT_EQ(Edge("imDelayOut8", LayoutEdge::Left), 40);
}

TEST_F(WindowLayout, AMissingControlEndsThePass) {
  Find<TControl>("rzgFftGain")->Free();
  Resize(1216, 773);
  EXPECT_EQ(Edge("rzgMain", LayoutEdge::Height), 719);
  EXPECT_EQ(Edge("rzgFftDelay", LayoutEdge::Height), 284);
  EXPECT_EQ(Edge("rzgMain", LayoutEdge::Width), 1112);
}

}  // namespace

TEST_F(WindowLayout, ADelayLineRunsItsDashesUpToTheMarker) {
  struct Case {
    int markerLeft;
    std::size_t dashes;
  } cases[] = {{40, 0}, {100, 10}, {45, 0}, {1000, 160}, {10, 0}};
  auto* marker = Find<TControl>("imDelayInC");
  auto* line = Find<TControl>("lbDelayLineInC");
  auto* time = Find<TControl>("lbFftDelayTimeInC");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.markerLeft);
    marker->SetLeft(c.markerLeft);
    fmMain->DrawDelayLine(2);
    EXPECT_EQ(line->GetCaption(), std::string(c.dashes, '-'));
    EXPECT_EQ(time->GetLeft(), c.markerLeft + 30);
    EXPECT_EQ(time->GetTop(), marker->GetTop() + marker->GetHeight() / 4);
  }
}
