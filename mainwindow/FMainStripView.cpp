// The strip view: the parameter panel refill on a page switch, the EQ bypass
// button and the magnitude/phase view of every strip plot.

#include <algorithm>
#include <string>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "controls/VrButtons.h"
#include "link/CommandTable.h"
#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "model/CommonConstants.h"
#include "model/LUnitControl.h"
#include "model/ValueScales.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/MyPEQAllpass.h"
#include "response/Plot.h"

namespace {

constexpr int MaxFeedbackLevel = 4;
// The "BYPASS" caption: a third across, a quarter down, large and faint.
constexpr int BypassCaptionSize = 60;
const char* const BypassCaptionFont = "Times New Roman";

// The plot's vertical axis in each view.
struct ViewAxis {
  int Grid;
  const char* Label;
  double LabelScale;
};
constexpr ViewAxis MagnitudeAxis{11, "dB", 1.0};
constexpr ViewAxis PhaseAxis{7, "", 10.0};
constexpr double ViewYMax = 18.0;

}  // namespace

int TfmMain::WriteFader(const std::string& name, int position) {
  auto* fader = FindAs<TAdvTrackBar>(name);
  if (!fader) return position;
  fader->SetPosition(std::clamp(position, fader->GetMin(), fader->GetMax()));
  return fader->GetPosition();
}

void TfmMain::WriteText(const std::string& name, const std::string& text) {
  if (auto* box = FindAs<TCurvyEdit>(name)) box->SetText(text);
}

void TfmMain::WriteDown(const std::string& name, bool down) {
  if (auto* button = FindAs<TRzBmpButton>(name)) button->SetDown(down);
}

void TfmMain::WriteCutControls(const std::string& panel, bool lowCut, int slope, int freq) {
  const std::string kind = lowCut ? "LowCut" : "HighCut";
  const int position = WriteFader("is" + kind + "Freq" + panel, std::clamp(freq, FreqIndexMin, FreqIndexMax));
  WriteText("cvd" + kind + "Freq" + panel, FreqText(static_cast<float>(IndexToFreq(position))));
  const int s = std::clamp(slope, 0, CutSlopeMax);
  // A bypassed filter keeps no slope: its list shows the first entry, never
  // the slope of the strip shown before.
  if (auto* combo = FindAs<TRzComboBox>("rzc" + kind + "Slop" + panel))
    combo->SetItemIndex(s == CutSlopeBypass ? 0 : s - 1);
  WriteDown("rzb" + kind + "Bypass" + panel, s == CutSlopeBypass);
}

void TfmMain::WriteMicLine(const LUnitControl& model, const std::string& suffix, int strip) {
  auto* line = FindAs<TRzBmpButton>("rzbLine" + suffix);
  auto* phantom = FindAs<TRzBmpButton>("rzbPhantom" + suffix);
  auto* combo = FindAs<TRzComboBox>("rzcLine" + suffix);
  auto* arrows = FindAs<TUpDown>("udLine" + suffix);
  const int step = std::clamp<int>(model.GetMicGain(strip), MicGainLineLevel, MicGainStepMax);
  if (phantom) phantom->SetDown(model.GetPhantom(strip));
  if (line) line->SetDown(step != MicGainLineLevel);
  if (combo) combo->SetItemIndex(MicGainStepToItem(step));
  const bool mic = step != MicGainLineLevel;
  if (line) line->SetCaption(GetLangText(mic ? "SID_POTENT_MIC" : "SID_POTENT_LINE"));
  // Line level has no phantom power: shown off whatever the model holds.
  if (phantom && !mic) phantom->SetDown(false);
  for (TControl* c :
       {static_cast<TControl*>(phantom), static_cast<TControl*>(combo), static_cast<TControl*>(arrows)})
    if (c) c->SetEnabled(mic);
}

void TfmMain::WriteLevelControls(const LUnitControl& model, const std::string& suffix, int strip) {
  const int position = WriteFader("isGain" + suffix, model.GetGain(strip) + GainPositionMin);
  WriteText("cvdGain" + suffix, strip < 8 ? FormatGainText(position) : GainText(position));
  const bool inverted = model.GetPolarity(strip);
  if (auto* phase = FindAs<TRzBmpButton>("rzbPhase" + suffix)) {
    phase->SetDown(inverted);
    phase->SetCaption(GetLangText(inverted ? "SID_PHASE_ON" : "SID_PHASE_OFF"));
  }
  WriteDown("rzbMute" + suffix, model.GetMute(strip));
}

void TfmMain::WriteStripPanel(const LUnitControl& model, int strip) {
  const bool input = strip < 8;
  const std::string panel = input ? "InA" : "Out1";
  if (input) {
    const int level = std::clamp<int>(model.GetFeedbackLevel(strip), 0, MaxFeedbackLevel);
    WriteDown("rzbFbtLevel" + std::to_string(level) + panel, true);
  }
  const PassFilters pass = model.GetPassFilters(strip);
  WriteCutControls(panel, true, pass.HpSlope, pass.HpFreq);
  WriteCutControls(panel, false, pass.LpSlope, pass.LpFreq);
  if (input) WriteMicLine(model, panel, strip);
  WriteLevelControls(model, panel, strip);
}

void TfmMain::ShowStripParameters(int page) {
  if (page == PlotEff) {
    // The effect bus's page has its own panel and no cut filters; its band
    // panel still follows the selected band, else it would show a band the
    // device does not hold.
    CurrentStrip = PlotEff;
    if (!UnitControl) return;
  } else {
    if (page < 0 || page >= 16 || !UnitControl) return;
    CurrentStrip = page;
    RefreshGuard guard(*this);
    WriteStripPanel(*UnitControl, page);
  }
  // A linked member's page shows its leader's plot and band table: the band
  // panel follows that table.
  const int leader = page == PlotEff ? -1 : PageLeader(page);
  const int shown = leader >= 0 ? leader : page;
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(shown));
  if (!table) return;
  int row = table->GetNowIndex();
  if (row < 0 || row >= table->GetChannelNumber()) row = 0;
  const PeqBandRecord band = UnitControl->GetPeqBand(shown, row);
  ShowBandPanel(shown, true, IndexToFreq(std::clamp<int>(band.Freq, FreqIndexMin, FreqIndexMax)),
                IndexToPeqGain(std::clamp<int>(band.Gain, PeqGainIndexMin, PeqGainIndexMax)),
                table->GetQValue(row));
}

void TfmMain::WriteBypassCaption(LMyFFTDrawPhase* draw, bool bypassed) {
  draw->DrawTextA(draw->GetPlotWidth() / 3, draw->GetPlotHeight() / 4, BypassCaptionSize, clBtnFace,
                  BypassCaptionFont, bypassed ? "BYPASS" : "");
}

void TfmMain::vrbEqBypassInAClick(TObject* Sender) {
  auto* button = dynamic_cast<TVrDemoButton*>(Sender);
  if (!button || !UnitControl) return;
  const int strip = static_cast<int>(button->GetTag());
  if (strip < 0 || strip >= 16) return;
  auto* draw = FindAs<LMyFFTDrawPhase>("fftDraw" + StripSuffix(strip));
  if (!draw) return;
  const int bit = strip < 8 ? strip : strip - 8;
  // The clicked strip always belongs to its own group.
  const unsigned group = (static_cast<unsigned>(LinkGroupOf(strip)) | (1u << bit)) & 0xFFu;
  std::uint16_t mask = UnitControl->GetEqBypassMask(strip);
  const bool bypass = !(mask & (1u << bit));
  WriteBypassCaption(draw, bypass);
  mask = static_cast<std::uint16_t>(bypass ? (mask | group) : (mask & ~group));
  UnitControl->SetEqBypassMask(strip, mask);
  draw->Invalidate();
  SendCommand(CM_MCS_CMD(GetDeviceId(), CommandCode("EQ_BYPASS"), static_cast<std::uint8_t>(strip),
                         static_cast<std::uint8_t>(bypass ? 1 : 0)),
              false);
}

void TfmMain::SetStripView(TObject* Sender, bool phase) {
  auto* radio = dynamic_cast<TRadioButton*>(Sender);
  if (!radio) return;
  const int strip = static_cast<int>(radio->GetTag());
  Plot* plot = StripPlot(strip);
  if (!plot || plot->GetPhaseMode() == phase) return;
  plot->SetPhaseMode(phase);
  const std::string suffix = StripSuffix(strip);
  auto* draw = FindAs<LMyFFTDrawPhase>("fftDraw" + suffix);
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + suffix);
  auto* box = FindAs<TControl>("rzgFft" + suffix);
  auto* other = FindAs<TRadioButton>((phase ? "rbShowGain" : "rbShowPhase") + suffix);
  if (!draw || !table || !box || !other) return;
  radio->GetFont()->SetColor(clYellow);
  other->GetFont()->SetColor(clSilver);
  DrawStripPeqCurve(draw);
  if (strip != PlotEff) {
    DrawHighPassCurve(draw);
    DrawLowPassCurve(draw);
  }
  const ViewAxis& axis = phase ? PhaseAxis : MagnitudeAxis;
  draw->SetNumHorzGrid(axis.Grid);
  draw->SetYLabel(axis.Label);
  draw->SetYLabelScale(axis.LabelScale);
  draw->SetYMax(ViewYMax);
  draw->SetYMin(-ViewYMax);
  // Between the two selection steps of a refresh no band is selected: then
  // there is no caption to show.
  const int row = table->GetNowIndex();
  if (row >= 0 && row < table->GetChannelNumber())
    plot->DrawBandParam(std::clamp(table->GetTypeValue(row), 0, PeqTypeCount - 1), row,
                        static_cast<float>(table->GetGainValue(row)),
                        static_cast<float>(table->GetQValue(row)), true);
  draw->UpdateCurvePage();
  box->Invalidate();
  if (strip < 16) {
    MarkOverlaysStale(strip);
    RefreshStripOverlays(strip);
  }
}

void TfmMain::rbShowGainInAClick(TObject* Sender) {
  SetStripView(Sender, false);
}

void TfmMain::rbShowPhaseInAClick(TObject* Sender) {
  SetStripView(Sender, true);
}

void TfmMain::BindStripViewHandlers() {
  for (int strip : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, PlotEff}) {
    const std::string suffix = StripSuffix(strip);
    if (strip < 16)
      if (auto* b = FindAs<TVrDemoButton>("vrbEqBypass" + suffix))
        b->OnClick = [this](TObject* s) { vrbEqBypassInAClick(s); };
    if (auto* r = FindAs<TRadioButton>("rbShowGain" + suffix))
      r->OnClick = [this](TObject* s) { rbShowGainInAClick(s); };
    if (auto* r = FindAs<TRadioButton>("rbShowPhase" + suffix))
      r->OnClick = [this](TObject* s) { rbShowPhaseInAClick(s); };
  }
  // Overlay buttons: one per other strip of a side on each plot.
  for (int target = 0; target <= PlotGainOut; ++target) {
    for (int source = 0; source < 16; ++source) {
      if (auto* b = FindAs<TVrPowerButton>(OverlayButtonName(source, target)))
        b->OnClick = [this, target](TObject* s) { vrbShowOverlayClick(s, target); };
    }
  }
}
