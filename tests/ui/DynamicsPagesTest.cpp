// The Comp and Gate pages' handlers on the program's own window: each fader
// sends its record with the one field changed, the transfer curves follow
// the selected strip's faders, and presses on a column select its strip.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "instruments/plot/iXYPlot.h"
#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "tests/ui/ParameterPagesTestSupport.h"

namespace {

using namespace parameter_pages_test;

constexpr std::uint8_t CompCode = CommandCode("CM_MCS_COMP");
constexpr std::uint8_t GateCode = CommandCode("CM_MCS_GATE");

using Points = std::vector<std::pair<double, double>>;

class DynamicsPages : public RecordingSuite {
 protected:
  void SetUp() override {
    RecordingSuite::SetUp();
    // Every fader at its design start, without sending.
    fmMain->SetRefreshing(true);
    for (int i = 0; i < 8; ++i) {
      Fader("isCompThreshold", 8 + i)->SetPosition(40);
      Fader("isCompRatio", 8 + i)->SetPosition(0);
      Fader("isCompAttack", 8 + i)->SetPosition(50);
      Fader("isCompRelease", 8 + i)->SetPosition(499);
      Fader("isGateThreshold", i)->SetPosition(40);
      Fader("isGateAttack", i)->SetPosition(50);
      Fader("isGateRelease", i)->SetPosition(2999);
    }
    fmMain->SetRefreshing(false);
    Sent.clear();
  }
  void TearDown() override {
    RecordingSuite::TearDown();
    fmMain->SelectCompStrip(8);
    fmMain->SelectGateStrip(0);
  }

  static TAdvTrackBar* Fader(const std::string& stem, int strip) {
    return Get<TAdvTrackBar>(stem + Suffix(strip));
  }
  static std::string Caption(const std::string& name) { return Get<TControl>(name)->GetCaption(); }
  static void Press(const std::string& name) {
    auto* control = Get<TControl>(name);
    if (auto* box = dynamic_cast<TCurvyEdit*>(control))
      box->OnMouseDown(box, mbLeft, {}, 4, 4);
    else
      control->OnMouseDown(control, mbLeft, {}, 4, 4);
  }
  static Points PointsOf(const char* plot, int channel) {
    Points out;
    auto* c = Get<TiXYPlot>(plot)->GetChannel(channel);
    for (int i = 0; i < c->GetCount(); ++i) out.emplace_back(c->GetX(i), c->GetY(i));
    return out;
  }
};

TEST_F(DynamicsPages, CompressorFadersSendTheRecordWithTheirField) {
  fmMain->SetRefreshing(true);
  Model()->SetComp(10, CompRecord{2, 10, 100, 200});
  fmMain->SetRefreshing(false);
  struct Case {
    const char* stem;
    int position;
    const char* text;
    std::vector<std::uint8_t> payload;  // channel, ratio, attack, release, threshold + 180
  };
  const Case cases[] = {
      {"Threshold", -180, "-90.0dB", {10, 2, 0, 10, 0, 100, 0, 0, 0}},
      {"Ratio", 15, "Limit", {10, 15, 0, 10, 0, 100, 0, 0, 0}},
      {"Ratio", 14, "1:20.0", {10, 14, 0, 10, 0, 100, 0, 0, 0}},
      {"Attack", 0, "1ms", {10, 14, 0, 0, 0, 100, 0, 0, 0}},
      {"Release", 2999, "3000ms", {10, 14, 0, 0, 0, 0xB7, 0x0B, 0, 0}},
      {"Threshold", 40, "+20.0dB", {10, 14, 0, 0, 0, 0xB7, 0x0B, 220, 0}},
      {"Attack", 998, "999ms", {10, 14, 0, 0xE6, 0x03, 0xB7, 0x0B, 220, 0}},
  };
  for (const Case& c : cases) {
    Sent.clear();
    Fader(std::string("isComp") + c.stem, 10)->SetPosition(c.position);
    SCOPED_TRACE(std::string(c.stem) + " " + std::to_string(c.position));
    EXPECT_EQ(Payloads(CompCode), Bytes{c.payload});
    EXPECT_EQ(Sent.size(), 1u);
    EXPECT_EQ(Get<TCurvyEdit>(std::string("cvdComp") + c.stem + "Out3")->GetText(), c.text);
    EXPECT_EQ(fmMain->GetState().CompStrip, 10);
    EXPECT_EQ(Caption("lbCompName"), "Out 3  Compressor");
  }
}

TEST_F(DynamicsPages, GateFadersSendTheRecordWithTheirField) {
  fmMain->SetRefreshing(true);
  Model()->SetGate(2, GateRecord{50, 2999, 220});
  fmMain->SetRefreshing(false);
  struct Case {
    const char* stem;
    int position;
    const char* text;
    std::vector<std::uint8_t> payload;  // channel, attack, release, threshold + 180
  };
  const Case cases[] = {
      {"Threshold", -100, "-50.0dB", {2, 50, 0, 0xB7, 0x0B, 80, 0}},
      {"Attack", 998, "999ms", {2, 0xE6, 0x03, 0xB7, 0x0B, 80, 0}},
      {"Release", 0, "1ms", {2, 0xE6, 0x03, 0, 0, 80, 0}},
      {"Threshold", 1, "+0.5dB", {2, 0xE6, 0x03, 0, 0, 181, 0}},
  };
  for (const Case& c : cases) {
    Sent.clear();
    Fader(std::string("isGate") + c.stem, 2)->SetPosition(c.position);
    SCOPED_TRACE(std::string(c.stem) + " " + std::to_string(c.position));
    EXPECT_EQ(Payloads(GateCode), Bytes{c.payload});
    EXPECT_EQ(Sent.size(), 1u);
    EXPECT_EQ(Get<TCurvyEdit>(std::string("cvdGate") + c.stem + "InC")->GetText(), c.text);
    EXPECT_EQ(fmMain->GetState().GateStrip, 2);
    EXPECT_EQ(Caption("lbGateName"), "In 3  Gate");
  }
}

TEST_F(DynamicsPages, LinkedOutputsStoreTheRecordAndSendItOnce) {
  fmMain->SetRefreshing(true);
  for (int strip : {8, 10}) Model()->SetLinkMask(strip, 0b101);
  fmMain->SetRefreshing(false);
  const int outside = Model()->GetComp(9).Ratio;
  Fader("isCompRatio", 10)->SetPosition(9);
  EXPECT_EQ(Payloads(CompCode).size(), 1u);
  EXPECT_EQ(Model()->GetComp(8).Ratio, 9);
  EXPECT_EQ(Model()->GetComp(10).Ratio, 9);
  EXPECT_EQ(Model()->GetComp(9).Ratio, outside);
}

TEST_F(DynamicsPages, MovesWhileRefreshingDoNothing) {
  fmMain->SetRefreshing(true);
  Fader("isCompThreshold", 12)->SetPosition(-20);
  Fader("isGateAttack", 5)->SetPosition(7);
  fmMain->SetRefreshing(false);
  EXPECT_TRUE(Sent.empty());
  EXPECT_EQ(fmMain->GetState().CompStrip, 8);
  EXPECT_EQ(fmMain->GetState().GateStrip, 0);
}

// Output level over input level in dB, three points from the top right;
// the dot marks the threshold.
TEST_F(DynamicsPages, TransferCurvesFollowThresholdAndRatio) {
  struct Case {
    int threshold, ratio;
    Points curve;
  };
  const Case cases[] = {
      {-40, 9, {{20, -10}, {-20, -20}, {-100, -100}}},   // 4:1 above -20 dB
      {-40, 15, {{20, -20}, {-20, -20}, {-100, -100}}},  // the limiter is flat
      {-40, 0, {{20, 20}, {-20, -20}, {-100, -100}}},    // 1:1 is a straight line
      {40, 14, {{20, 20}, {20, 20}, {-100, -100}}},      // no room above +20 dB
      {-180, 14, {{20, -84.5}, {-90, -90}, {-100, -100}}},
  };
  for (const Case& c : cases) {
    fmMain->SetRefreshing(true);
    Fader("isCompThreshold", 13)->SetPosition(c.threshold);
    Fader("isCompRatio", 13)->SetPosition(c.ratio);
    fmMain->SetRefreshing(false);
    fmMain->SelectCompStrip(13);
    const double t = c.threshold * 0.5;
    EXPECT_EQ(PointsOf("ipComp", 0), c.curve) << c.threshold << " " << c.ratio;
    EXPECT_EQ(PointsOf("ipComp", 1), (Points{{t + 0.2, t - 0.4}}));
  }
  // A fader move redraws the curve of its own strip.
  Fader("isCompRatio", 13)->SetPosition(9);
  EXPECT_EQ(PointsOf("ipComp", 0), (Points{{20, -62.5}, {-90, -90}, {-100, -100}}));

  Fader("isGateThreshold", 6)->SetPosition(-60);
  EXPECT_EQ(PointsOf("ipGate", 0), (Points{{20, 20}, {-30, -30}, {-30, -100}}));
  EXPECT_EQ(PointsOf("ipGate", 1), (Points{{-30 + 0.2, -30 - 0.4}}));
  EXPECT_EQ(Sent.size(), 2u);
}

TEST_F(DynamicsPages, PressesSelectAColumnAndMovesOnlyRetitleThePlot) {
  fmMain->SelectCompStrip(8);
  EXPECT_EQ(Caption("lbHeadCompOut"), "Out 1");
  Fader("isCompThreshold", 10)->SetPosition(-20);
  EXPECT_EQ(fmMain->GetState().CompStrip, 10);
  EXPECT_EQ(Caption("lbCompName"), "Out 3  Compressor");
  EXPECT_EQ(Caption("lbHeadCompOut"), "Out 1");
  EXPECT_EQ(PointsOf("ipComp", 0)[1], (std::pair<double, double>{-10, -10}));
  struct Case {
    const char* control;
    int strip;
    const char* heading;
    const char* head;
  };
  const Case cases[] = {
      {"lbCompOut3", 10, "Out 3  Compressor", "Out 3"},
      {"cvdCompRatioOut5", 12, "Out 5  Compressor", "Out 5"},
      {"isCompAttackOut2", 9, "Out 2  Compressor", "Out 2"},
      {"lbCompOut8", 15, "Out 8  Compressor", "Out 8"},
      {"lbGateInC", 2, "In 3  Gate", "In 3"},
      {"cvdGateReleaseInH", 7, "In 8  Gate", "In 8"},
      {"isGateThresholdInA", 0, "In 1  Gate", "In 1"},
  };
  for (const Case& c : cases) {
    Press(c.control);
    const bool comp = c.strip >= 8;
    EXPECT_EQ(comp ? fmMain->GetState().CompStrip : fmMain->GetState().GateStrip, c.strip) << c.control;
    EXPECT_EQ(Caption(comp ? "lbCompName" : "lbGateName"), c.heading) << c.control;
    EXPECT_EQ(Caption(comp ? "lbHeadCompOut" : "lbHeadGateIn"), c.head) << c.control;
  }
  EXPECT_EQ(Sent.size(), 1u);
}

// The effect-bus compressor dialog sets the bus's threshold through the
// window: its fader follows, and the record goes out once.
TEST_F(DynamicsPages, EffectBusThresholdMovesItsFaderAndSendsOnce) {
  fmMain->SetCompParam(18, 0, -30);
  EXPECT_EQ(Get<TAdvTrackBar>("isCompThresholdEff")->GetPosition(), -30);
  ASSERT_EQ(Payloads(CompCode).size(), 1u);
  EXPECT_EQ(Payloads(CompCode)[0][0], 18);
  EXPECT_EQ(Model()->GetComp(18).Threshold, 150);
  EXPECT_FALSE(fmMain->GetState().Refreshing);
  // Under a refresh nothing is stored or sent, and the refresh goes on.
  Sent.clear();
  fmMain->SetRefreshing(true);
  fmMain->SetCompParam(18, 0, 10);
  fmMain->SetGateParam(3, 1, 10);
  EXPECT_TRUE(fmMain->GetState().Refreshing);
  fmMain->SetRefreshing(false);
  EXPECT_TRUE(Sent.empty());
  EXPECT_EQ(Model()->GetComp(18).Threshold, 150);
  EXPECT_EQ(Get<TAdvTrackBar>("isCompThresholdEff")->GetPosition(), 10);
}

}  // namespace

TEST_F(DynamicsPages, TransferPlotsKeepTheirScaleAndOfferNoInteraction) {
  for (const char* name : {"ipComp", "ipGate"}) {
    SCOPED_TRACE(name);
    auto* plot = Get<TiXYPlot>(name);
    for (TiPlotAxis* a : {static_cast<TiPlotAxis*>(plot->GetXAxis(0)), static_cast<TiPlotAxis*>(plot->GetYAxis(0))}) {
      EXPECT_FALSE(a->GetTrackingEnabled());
      EXPECT_FALSE(a->GetEnabled());
      EXPECT_FALSE(a->GetPopupEnabled());
      EXPECT_FALSE(a->GetCanFocus());
    }
    EXPECT_FALSE(plot->GetLegend(0)->GetEnabled());
    EXPECT_FALSE(plot->GetDataView(0)->GetCanFocus());
  }
  // Curves reaching the scale's ends leave it as it is.
  fmMain->SetRefreshing(true);
  Fader("isCompThreshold", 13)->SetPosition(-180);
  Fader("isCompRatio", 13)->SetPosition(14);
  fmMain->SetRefreshing(false);
  fmMain->SelectCompStrip(13);
  for (const char* name : {"ipComp", "ipGate"}) {
    auto* plot = Get<TiXYPlot>(name);
    for (TiPlotAxis* a : {static_cast<TiPlotAxis*>(plot->GetXAxis(0)), static_cast<TiPlotAxis*>(plot->GetYAxis(0))}) {
      EXPECT_EQ(a->GetMin(), -100);
      EXPECT_EQ(a->GetSpan(), 120);
    }
  }
  EXPECT_TRUE(Sent.empty());
}
