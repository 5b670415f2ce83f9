// The strip view of the main window: the whole-window refresh from the
// model, the strip panel refill, the EQ bypass and view switches, the cut
// curves and the curve overlays, on the program's own forms.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "controls/VrButtons.h"
#include "dialogs/Fsubctrl.h"
#include "instruments/plot/iXYPlot.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "link/CommandTable.h"
#include "link/LCmd.h"
#include "model/CommonConstants.h"
#include "model/LUnitControl.h"
#include "model/ValueScales.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/MyPEQAllpass.h"
#include "response/Plot.h"
#include "response/PlotScales.h"
#include "tests/ui/ProgramFormsTestSupport.h"

namespace {

using program_forms_test::ProgramFormsSuite;

struct Frame {
  std::uint8_t Code;
  std::vector<std::uint8_t> Payload;
};

class StripView : public ProgramFormsSuite {
 protected:
  void SetUp() override {
    fmMain->SetSendSink([this](const LCmd& c, bool) { Frames.push_back({c.Code, c.Payload}); });
  }
  void TearDown() override {
    Model().LoadDefaults();
    fmMain->ShowStripParameters(0);
    fmMain->RefreshFromModel(&Model());
    fmMain->SetSendSink({});
  }

  static LUnitControl& Model() { return *fmMain->GetState().UnitControl; }
  // Writes the model as an upload would: nothing is sent.
  template <class F>
  static void Quietly(F&& edit) {
    fmMain->SetRefreshing(true);
    edit(Model());
    fmMain->SetRefreshing(false);
  }
  template <class T>
  static T* Find(const std::string& name) {
    auto* c = dynamic_cast<T*>(fmMain->FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  static int Position(const std::string& name) { return Find<TAdvTrackBar>(name)->GetPosition(); }
  static std::string Text(const std::string& name) { return Find<TCurvyEdit>(name)->GetText(); }
  static bool Down(const std::string& name) { return Find<TRzBmpButton>(name)->GetDown(); }
  static Plot& StripPlot(int strip) { return *fmMain->GetState().Plots[static_cast<std::size_t>(strip)]; }
  static std::vector<std::pair<double, double>> Points(const char* plot, int channel) {
    TiXYPlotChannel* c = Find<TiXYPlot>(plot)->GetChannel(channel);
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < c->GetCount(); ++i) points.emplace_back(c->GetX(i), c->GetY(i));
    return points;
  }
  // The response of a slot at the grid point nearest a frequency.
  static double ResponseAt(int strip, int slot, double hz) {
    const int i = static_cast<int>(std::lround(FrequencyToGridX(hz)));
    return StripPlot(strip).GetBand(slot)->Response[static_cast<std::size_t>(i)];
  }

  std::vector<Frame> Frames;
};

TEST_F(StripView, RefreshShowsADistinctiveSetOnEveryPageAndSendsNothing) {
  Quietly([](LUnitControl& m) {
    m.SetChannelName(2, "Vocal");
    m.SetChannelName(10, "Sub");
    m.SetPresetNameText("Evening Show 7");
    m.SetPeqBand(2, 0, PeqBandRecord{150, 100, 50, 1}, 1);
    m.SetHighPass(2, 8, 90);
    m.SetLowPass(2, 0, 250);
    m.SetGain(2, 380);
    m.SetPolarity(2, 1);
    m.SetMute(2, 1);
    m.SetMicGain(2, 11);
    m.SetPhantom(2, 1);
    m.SetFeedbackLevel(2, 3);
    m.SetGate(2, GateRecord{9, 99, 100});
    m.SetComp(8, CompRecord{15, 4, 40, 200});
    m.SetComp(10, CompRecord{14, 19, 199, 160});
    m.SetGain(10, 80);
    m.SetDelay(10, 4800);
    m.SetMatrix(10, 0x105);
    m.SetMatrix(18, 0x81);
    m.SetEqBypassMask(2, 0x0004);
    m.SetMemorizeMode(1);
    m.SetSubCtrl(1, SubCtrlRecord{42, 1, 0x00F0});
  });
  fmMain->ShowStripParameters(2);
  Frames.clear();
  fmMain->RefreshFromModel(&Model());

  EXPECT_TRUE(Frames.empty());
  EXPECT_FALSE(fmMain->IsRefreshing());
  EXPECT_EQ(Find<TControl>("lbPstNum")->GetCaption(), "F00");
  EXPECT_EQ(Find<TControl>("lbPstName")->GetCaption(), "Evening Show 7");
  EXPECT_EQ(Find<TControl>("lbMatrixChNameInC")->GetCaption(), "Vocal");
  EXPECT_EQ(Find<TControl>("rzbMenuInC")->GetHint(), "Vocal");
  EXPECT_EQ(Find<TControl>("lbMatrixChNameOut3")->GetCaption(), "Sub");

  auto* table = Find<TMyPEQAllpass>("peqPeqInC");
  EXPECT_NEAR(table->GetFreqValue(0), IndexToFreq(100), 0.01);
  EXPECT_NEAR(table->GetGainValue(0), 3.0, 1e-9);
  // The table's change handler limits a shelf's Q even while refreshing.
  EXPECT_DOUBLE_EQ(table->GetQValue(0), 3.0);
  EXPECT_EQ(table->GetTypeValue(0), 1);
  EXPECT_TRUE(table->GetBypassValue(0));
  EXPECT_TRUE(Down("rzbEq1InC"));

  // Input C's panel (it is the current strip).
  EXPECT_TRUE(Down("rzbFbtLevel3InA"));
  EXPECT_EQ(Position("isLowCutFreqInA"), 90);
  EXPECT_EQ(Text("cvdLowCutFreqInA"), FreqText(static_cast<float>(IndexToFreq(90))));
  EXPECT_EQ(Find<TRzComboBox>("rzcLowCutSlopInA")->GetItemIndex(), 7);
  EXPECT_FALSE(Down("rzbLowCutBypassInA"));
  EXPECT_TRUE(Down("rzbHighCutBypassInA"));
  EXPECT_EQ(Position("isHighCutFreqInA"), 250);
  for (const std::string sx : {"InA", "BackupInC"}) {
    SCOPED_TRACE(sx);
    EXPECT_TRUE(Down("rzbLine" + sx));
    EXPECT_TRUE(Down("rzbPhantom" + sx));
    EXPECT_TRUE(Find<TControl>("rzcLine" + sx)->GetEnabled());
    EXPECT_EQ(Find<TRzComboBox>("rzcLine" + sx)->GetItemIndex(), 40);
    EXPECT_EQ(Position("isGain" + sx), 100);
    EXPECT_EQ(Text("cvdGain" + sx), fmMain->FormatGainText(100));
    EXPECT_TRUE(Down("rzbPhase" + sx));
    EXPECT_EQ(Find<TControl>("rzbPhase" + sx)->GetCaption(), fmMain->GetLangText("SID_PHASE_ON"));
    EXPECT_TRUE(Down("rzbMute" + sx));
  }
  EXPECT_EQ(Text("cvdGateThresholdInC"), "-40.0dB");
  EXPECT_EQ(Text("cvdGateAttackInC"), "10ms");
  EXPECT_EQ(Text("cvdGateReleaseInC"), "100ms");

  // Output 3: Comp, Delay, Matrix and Gain pages.
  EXPECT_EQ(Text("cvdCompRatioOut3"), "1:20.0");
  EXPECT_EQ(Text("cvdCompThresholdOut3"), "-10.0dB");
  EXPECT_EQ(Text("cvdCompAttackOut3"), "20ms");
  EXPECT_EQ(Text("cvdCompReleaseOut3"), "200ms");
  EXPECT_EQ(Position("isDelayOut3"), 4800);
  EXPECT_EQ(Position("isDelayInC"), 0);
  // Input A also reaches output 3 through the effect bus: its direct key is
  // released and disabled on screen, while the model keeps the mask.
  EXPECT_FALSE(Down("rzbAMatrixOut3"));
  EXPECT_FALSE(Find<TControl>("rzbAMatrixOut3")->GetEnabled());
  EXPECT_EQ(Model().GetMatrix(10), 0x105);
  EXPECT_FALSE(Down("rzbBMatrixOut3"));
  EXPECT_TRUE(Down("rzbCMatrixOut3"));
  EXPECT_TRUE(Down("rzbEffMatrixOut3"));
  EXPECT_EQ(Text("cvdGainBackupOut3"), "-20.0dB");
  EXPECT_TRUE(Down("rzbAMatrixEff"));
  EXPECT_TRUE(Down("rzbHMatrixEff"));
  EXPECT_FALSE(Down("rzbBMatrixEff"));
  EXPECT_EQ(Find<TControl>("lbMatrixDelayInH")->GetFont()->GetColor(), clLime);
  EXPECT_EQ(Find<TControl>("lbMatrixDelayInB")->GetFont()->GetColor(), clWhite);

  // A limiter on output 1 draws flat above its threshold (+10 dB).
  using P = std::vector<std::pair<double, double>>;
  EXPECT_EQ(Points("ipComp", 0), (P{{20, 10}, {10, 10}, {-100, -100}}));
  EXPECT_EQ(Find<TControl>("lbCompName")->GetCaption(), "Out 1  " + fmMain->GetLangText("SID_COMP"));
  const P gate = Points("ipGate", 0);
  EXPECT_EQ(gate.size(), 3u);

  EXPECT_EQ(Find<LMyFFTDrawPhase>("fftDrawInC")->GetTextString(), "BYPASS");
  EXPECT_EQ(Find<LMyFFTDrawPhase>("fftDrawInB")->GetTextString(), "");
  EXPECT_TRUE(Find<TMenuItem>("Forget")->GetChecked());
  EXPECT_FALSE(Find<TMenuItem>("Memorize")->GetChecked());
  ASSERT_NE(fmSubCtrl, nullptr);
  EXPECT_EQ(fmSubCtrl->GetSubCtrlRecord(1).Volume, 42);
  EXPECT_EQ(fmSubCtrl->GetSubCtrlRecord(1).ChannelMask, 0x00F0);

  // A second refresh with the bit clear removes the caption.
  Quietly([](LUnitControl& m) { m.SetEqBypassMask(2, 0); });
  fmMain->RefreshFromModel(&Model());
  EXPECT_EQ(Find<LMyFFTDrawPhase>("fftDrawInC")->GetTextString(), "");
  EXPECT_TRUE(Frames.empty());
}

// Stored bytes that name no control or lie outside a scale: the refresh
// still finishes, clears the flag and shows the nearest valid value.
TEST_F(StripView, RefreshOfOutOfRangeValuesFinishesAndClamps) {
  Quietly([](LUnitControl& m) {
    m.SetFeedbackLevel(0, 9);
    m.SetDelayUnit(7);
    m.SetHighPass(0, 40, 999);
    m.SetMicGain(0, 99);
    m.SetPeqBand(0, 0, PeqBandRecord{999, 999, 200, 12}, 0);
    m.SetComp(8, CompRecord{40, 0, 0, 0});
  });
  fmMain->ShowStripParameters(0);
  Frames.clear();
  fmMain->RefreshFromModel(&Model());
  EXPECT_FALSE(fmMain->IsRefreshing());
  EXPECT_TRUE(Frames.empty());
  EXPECT_TRUE(Down("rzbFbtLevel4InA"));
  EXPECT_EQ(Position("isLowCutFreqInA"), 300);
  EXPECT_EQ(Find<TRzComboBox>("rzcLowCutSlopInA")->GetItemIndex(), 19);
  EXPECT_EQ(Find<TRzComboBox>("rzcLineInA")->GetItemIndex(), 0);
  auto* table = Find<TMyPEQAllpass>("peqPeqInA");
  EXPECT_EQ(table->GetTypeValue(0), 6);
  // Clamped to the last type, whose Q the table then limits.
  EXPECT_DOUBLE_EQ(table->GetQValue(0), 1.7);
  EXPECT_DOUBLE_EQ(table->GetGainValue(0), 12.0);
  EXPECT_EQ(Text("cvdCompRatioOut1"), "Limit");
  // The stored bytes stay as received.
  EXPECT_EQ(Model().GetFeedbackLevel(0), 9);
  EXPECT_EQ(Model().GetPeqBand(0, 0).Type, 12);
}

TEST_F(StripView, LineLevelShowsTheMicControlsOffAndDisabledWhateverPhantomSays) {
  Quietly([](LUnitControl& m) {
    m.SetMicGain(1, 0);
    m.SetPhantom(1, 1);
  });
  Frames.clear();  // mic gain and phantom go out even while refreshing
  fmMain->ShowStripParameters(1);
  fmMain->RefreshFromModel(&Model());
  for (const std::string sx : {"InA", "BackupInB"}) {
    SCOPED_TRACE(sx);
    EXPECT_FALSE(Down("rzbLine" + sx));
    EXPECT_EQ(Find<TControl>("rzbLine" + sx)->GetCaption(), fmMain->GetLangText("SID_POTENT_LINE"));
    EXPECT_EQ(Find<TRzComboBox>("rzcLine" + sx)->GetItemIndex(), 50);
    for (const std::string n : {"rzbPhantom", "rzcLine", "udLine"})
      EXPECT_FALSE(Find<TControl>(n + sx)->GetEnabled()) << n;
  }
  EXPECT_FALSE(Down("rzbPhantomInA"));
  EXPECT_TRUE(Frames.empty());
}

TEST_F(StripView, PanelRefillShowsEachStripAndTheEffectBusOnlyBecomesCurrent) {
  for (int strip = 0; strip < 16; ++strip) {
    Quietly([strip](LUnitControl& m) {
      m.SetGain(strip, static_cast<std::uint16_t>(100 + 10 * strip));
      m.SetHighPass(strip, static_cast<std::uint16_t>(strip % 3), static_cast<std::uint16_t>(20 + strip));
      m.SetPolarity(strip, static_cast<std::uint8_t>(strip % 2));
    });
  }
  Frames.clear();
  for (int strip = 0; strip < 16; ++strip) {
    SCOPED_TRACE(strip);
    fmMain->ShowStripParameters(strip);
    const std::string panel = strip < 8 ? "InA" : "Out1";
    EXPECT_EQ(fmMain->GetState().CurrentStrip, strip);
    EXPECT_EQ(Position("isGain" + panel), 100 + 10 * strip - 280);
    EXPECT_EQ(Position("isLowCutFreq" + panel), 20 + strip);
    EXPECT_EQ(Down("rzbLowCutBypass" + panel), strip % 3 == 0);
    // Bypassed, the list shows its first slope, not the strip viewed before.
    EXPECT_EQ(Find<TRzComboBox>("rzcLowCutSlop" + panel)->GetItemIndex(), std::max(strip % 3 - 1, 0));
    EXPECT_EQ(Down("rzbPhase" + panel), strip % 2 == 1);
    EXPECT_FALSE(fmMain->IsRefreshing());
  }
  const int before = Position("isGainOut1");
  fmMain->ShowStripParameters(PlotEff);
  EXPECT_EQ(fmMain->GetState().CurrentStrip, PlotEff);
  EXPECT_EQ(Position("isGainOut1"), before);
  EXPECT_TRUE(Frames.empty());
}

// The computed Q of index 50 reads 7.15, the table's 7.10: a caption drawn
// by a refresh shows the table's, as it does after an edit.
TEST_F(StripView, RefreshedBandCaptionsShowTheirTablesQ) {
  const int strips[] = {3, 9, PlotEff};
  Quietly([&](LUnitControl& m) {
    for (int strip : strips) m.SetPeqBand(strip, 0, PeqBandRecord{130, 100, 50, 0}, 0);
  });
  fmMain->RefreshFromModel(&Model());
  for (int strip : strips) {
    SCOPED_TRACE(strip);
    EXPECT_EQ(CaptionQText(StripPlot(strip).GetPlot()->GetCaptionQ()), "Q:" + PeqQText(50));
    EXPECT_EQ(Find<TMyPEQAllpass>("peqPeq" + TfmMain::StripSuffix(strip))->GetQValue(0), PeqQTable[50]);
  }
}

TEST_F(StripView, OutputGainTexts) {
  const std::pair<int, const char*> cases[] = {
      {-200, "-20.0dB"}, {-250, "-45.0dB"}, {-280, "-60.0dB"}, {120, "+12.0dB"}};
  for (const auto& [position, text] : cases) {
    Quietly([position](LUnitControl& m) { m.SetGain(9, static_cast<std::uint16_t>(position + 280)); });
    fmMain->ShowStripParameters(9);
    EXPECT_EQ(Text("cvdGainOut1"), text) << position;
  }
}

TEST_F(StripView, EqBypassTogglesTheGroupCaptionsTheClickedPlotAndSendsOneCommand) {
  auto* button = Find<TVrDemoButton>("vrbEqBypassInB");
  auto* plot = Find<LMyFFTDrawPhase>("fftDrawInB");
  const unsigned group = static_cast<unsigned>(fmMain->LinkGroupOf(1)) | 0x2u;
  const std::uint8_t code = CommandCode("EQ_BYPASS");
  button->OnClick(button);
  EXPECT_EQ(Model().GetEqBypassMask(1) & 0xFF, group);
  EXPECT_EQ(plot->GetTextString(), "BYPASS");
  ASSERT_EQ(Frames.size(), 1u);
  EXPECT_EQ(Frames[0].Code, code);
  EXPECT_EQ(Frames[0].Payload, (std::vector<std::uint8_t>{1, 1}));

  // The view switch keeps the caption.
  Find<TRadioButton>("rbShowPhaseInB")->SetChecked(true);
  EXPECT_EQ(plot->GetTextString(), "BYPASS");
  Find<TRadioButton>("rbShowGainInB")->SetChecked(true);

  button->OnClick(button);
  EXPECT_EQ(Model().GetEqBypassMask(1) & group, 0u);
  EXPECT_EQ(plot->GetTextString(), "");
  ASSERT_EQ(Frames.size(), 2u);
  EXPECT_EQ(Frames[1].Payload, (std::vector<std::uint8_t>{1, 0}));
  // Outputs use their own word, bit = strip - 8.
  auto* out = Find<TVrDemoButton>("vrbEqBypassOut4");
  out->OnClick(out);
  EXPECT_TRUE(Model().GetEqBypassMask(11) & 0x8);
  EXPECT_EQ(Frames.back().Payload, (std::vector<std::uint8_t>{11, 1}));
  out->OnClick(out);
}

TEST_F(StripView, ViewSwitchRecomputesInPhaseAndSetsTheAxis) {
  Quietly([](LUnitControl& m) { m.SetHighPass(3, 8, 100); });
  fmMain->RefreshFromModel(&Model());
  auto* plot = Find<LMyFFTDrawPhase>("fftDrawInD");
  const double magnitude = ResponseAt(3, 10, IndexToFreq(100));
  Find<TRadioButton>("rbShowPhaseInD")->SetChecked(true);
  EXPECT_TRUE(StripPlot(3).GetPhaseMode());
  EXPECT_EQ(plot->GetNumHorzGrid(), 7);
  EXPECT_EQ(plot->GetYLabel(), "");
  EXPECT_DOUBLE_EQ(plot->GetYLabelScale(), 10.0);
  EXPECT_DOUBLE_EQ(plot->GetYMax(), 18.0);
  EXPECT_DOUBLE_EQ(plot->GetYMin(), -18.0);
  EXPECT_EQ(Find<TRadioButton>("rbShowPhaseInD")->GetFont()->GetColor(), clYellow);
  EXPECT_EQ(Find<TRadioButton>("rbShowGainInD")->GetFont()->GetColor(), clSilver);
  // The cut total is now a phase, within half a turn; not the dB value.
  const double phase = ResponseAt(3, 10, IndexToFreq(100));
  EXPECT_NE(phase, magnitude);
  EXPECT_LE(std::abs(ResponseAt(3, PlotTotalSlot, 1000.0)), 18.0);

  // Phase again changes nothing.
  plot->SetNumHorzGrid(3);
  fmMain->rbShowPhaseInAClick(Find<TRadioButton>("rbShowPhaseInD"));
  EXPECT_EQ(plot->GetNumHorzGrid(), 3);

  Find<TRadioButton>("rbShowGainInD")->SetChecked(true);
  EXPECT_FALSE(StripPlot(3).GetPhaseMode());
  EXPECT_EQ(plot->GetNumHorzGrid(), 11);
  EXPECT_EQ(plot->GetYLabel(), "dB");
  EXPECT_DOUBLE_EQ(plot->GetYLabelScale(), 1.0);
  EXPECT_DOUBLE_EQ(ResponseAt(3, 10, IndexToFreq(100)), magnitude);
  EXPECT_TRUE(Frames.empty());
}

// Cut totals at the cut-off: bypass flat, first order and Butterworth
// -3 dB, Linkwitz-Riley -6 dB; each total keeps its own slot.
TEST_F(StripView, CutCurvesAtTheirCutOff) {
  struct Case {
    int slope;
    double atCutOff;
    double octaveBelow;  // high-pass, an octave under the cut-off
  };
  const Case cases[] = {{0, 0.0, 0.0}, {1, -3.01, -6.99}, {3, -3.01, -12.3}, {10, -6.02, -24.6}};
  const double hz = 1000.0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slope);
    fmMain->BuildCutCurve(true, c.slope, hz, 10, 4);
    EXPECT_NEAR(ResponseAt(4, 10, hz), c.atCutOff, 0.2);
    EXPECT_NEAR(ResponseAt(4, 10, hz / 2), c.octaveBelow, 0.6);
  }
  fmMain->BuildCutCurve(false, 3, hz, 10, 4);
  EXPECT_NEAR(ResponseAt(4, 11, hz), -3.01, 0.2);
  EXPECT_NEAR(ResponseAt(4, 10, hz), -6.02, 0.2);  // the high-pass total stays
  fmMain->RefreshFromModel(&Model());
}

TEST_F(StripView, OverlaysRecopyOnlyStaleCurves) {
  fmMain->RefreshFromModel(&Model());
  fmMain->RefreshStripOverlays(0);
  auto* led = Find<TVrPowerButton>("vrbShowCInA");
  constexpr int slot = 18 + 2;
  // Editing input C marks it stale in every input plot and the Gain-page
  // inputs; bringing plot A up to date copies C's new sum.
  Model().SetPeqBand(2, 1, PeqBandRecord{240, 170, 16, 0}, 0);
  fmMain->DrawStripPeqCurve(Find<LMyFFTDrawPhase>("fftDrawInC"));
  EXPECT_TRUE(fmMain->GetState().OverlayStale[0] & 0x4);
  EXPECT_TRUE(fmMain->GetState().OverlayStale[16] & 0x4);
  fmMain->RefreshStripOverlays(0);
  EXPECT_FALSE(fmMain->GetState().OverlayStale[0] & 0x4);
  EXPECT_EQ(StripPlot(0).GetBand(slot)->Response, StripPlot(2).GetBand(PlotTotalSlot)->Response);

  // A fresh copy is not taken again, and switching the button on and off
  // shows the copy it has.
  const auto copy = StripPlot(0).GetBand(slot)->Response;
  StripPlot(2).GetBand(PlotTotalSlot)->Response[100] += 5.0;
  fmMain->RefreshStripOverlays(0);
  EXPECT_EQ(StripPlot(0).GetBand(slot)->Response, copy);
  auto* plotA = Find<LMyFFTDrawPhase>("fftDrawInA");
  TColor colour = clNone;
  led->SetActive(true);
  led->OnClick(led);
  EXPECT_EQ(StripPlot(0).GetBand(slot)->Response, copy);
  EXPECT_TRUE(plotA->GetPlotColor(colour, slot));
  EXPECT_EQ(colour, static_cast<TColor>(StripCurveColors[2]));
  led->SetActive(false);
  led->OnClick(led);
  EXPECT_FALSE(plotA->GetPlotColor(colour, slot));
  // A page that is no strip plot changes nothing.
  const auto masks = fmMain->GetState().OverlayStale;
  fmMain->RefreshStripOverlays(PageMatrix);
  EXPECT_EQ(fmMain->GetState().OverlayStale, masks);

  // The Gain page copies every strip; only active buttons clear their bit.
  fmMain->MarkOverlaysStale(10);
  fmMain->RefreshGainOverlays();
  EXPECT_EQ(StripPlot(PlotGainOut).GetBand(10)->Response, StripPlot(10).GetBand(PlotTotalSlot)->Response);
  EXPECT_TRUE(fmMain->GetState().OverlayStale[PlotGainOut] & (1u << 10));
  auto* gainLed = Find<TVrPowerButton>("vrbShow3Gain");
  gainLed->SetActive(true);
  gainLed->OnClick(gainLed);
  EXPECT_FALSE(fmMain->GetState().OverlayStale[PlotGainOut] & (1u << 10));
  gainLed->SetActive(false);
  gainLed->OnClick(gainLed);

  // Pressed while its copy is stale, a button shows the current curve.
  fmMain->MarkOverlaysStale(2);
  StripPlot(2).GetBand(PlotTotalSlot)->Response[200] += 3.0;
  led->SetActive(true);
  led->OnClick(led);
  EXPECT_EQ(StripPlot(0).GetBand(slot)->Response, StripPlot(2).GetBand(PlotTotalSlot)->Response);
  EXPECT_FALSE(fmMain->GetState().OverlayStale[0] & 0x4);
  led->SetActive(false);
  led->OnClick(led);
}

}  // namespace
