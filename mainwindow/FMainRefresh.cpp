// The whole window written from the model: every page's controls, the
// dialogs' model-backed fields, then the curves, the band selection and the
// overlays. Controls written here fire their handlers, which return while
// Refreshing is set; a control missing by name skips its step only.

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "controls/AdvTrackBar.h"
#include "controls/VrButtons.h"
#include "dialogs/Fautomix.h"
#include "dialogs/Fgroupctrl.h"
#include "dialogs/Flinksel.h"
#include "dialogs/Fsubctrl.h"
#include "dialogs/Ftest.h"
#include "instruments/plot/iXYPlot.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "mainwindow/FMain.h"
#include "model/CommonConstants.h"
#include "model/LUnitControl.h"
#include "model/ValueScales.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/MyPEQAllpass.h"

namespace {

constexpr int StripCount = 16;
constexpr int InputCount = 8;
// The threshold marker sits just beside the curve's knee.
constexpr double MarkerDx = 0.2;
constexpr double MarkerDy = -0.4;
constexpr double CurveTop = 20.0;
constexpr double CurveBottom = -100.0;
// The delay marker's travel: the line's width less its margins, from 40.
constexpr int DelayMarkerInset = 90;
constexpr int DelayMarkerLeft = 40;

std::string InputLetter(int i) {
  return std::string(1, static_cast<char>('A' + i));
}

void SetLabel(TControl* c, const std::string& text) {
  if (c) c->SetCaption(text);
}

}  // namespace

void TfmMain::WriteBandTable(const LUnitControl& model, int strip) {
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(strip));
  if (!table) return;
  table->SetNowIndex(0);
  for (int row = 0; row < table->GetChannelNumber(); ++row) {
    const PeqBandRecord band = model.GetPeqBand(strip, row);
    const float hz = static_cast<float>(IndexToFreq(std::clamp<int>(band.Freq, FreqIndexMin, FreqIndexMax)));
    table->SetEqParamValue(row, hz, std::clamp<int>(band.Q, PeqQIndexMin, PeqQIndexMax),
                           IndexToPeqGain(std::clamp<int>(band.Gain, PeqGainIndexMin, PeqGainIndexMax)),
                           std::clamp<int>(band.Type, 0, PeqTypeCount - 1), model.GetPeqBypass(strip, row));
  }
}

// Channel 0 is the transfer curve, channel 1 the threshold marker beside
// its knee at (t, t).
void TfmMain::WriteTransferCurve(const std::string& plotName, const std::array<TransferPoint, 3>& curve,
                                 double t) {
  auto* plot = FindAs<TiXYPlot>(plotName);
  if (!plot || !plot->GetChannel(0) || !plot->GetChannel(1)) return;
  for (int c = 0; c < 2; ++c) {
    TiXYPlotChannel* channel = plot->GetChannel(c);
    if (channel->GetCount() > 0) channel->DeletePoints(channel->GetCount());
  }
  for (const auto& [x, y] : curve) plot->GetChannel(0)->AddXY(x, y);
  plot->GetChannel(1)->AddXY(t + MarkerDx, t + MarkerDy);
}

void TfmMain::RefreshInput(const LUnitControl& model, int i) {
  const std::string x = InputLetter(i);
  const std::string name = model.GetChannelName(i);
  SetLabel(FindAs<TControl>("lbMatrixChNameIn" + x), name);
  if (auto* button = FindAs<TControl>("rzbMenuIn" + x)) button->SetHint(name);
  WriteBandTable(model, i);
  if (i == CurrentStrip) WriteStripPanel(model, i);

  // Gate page.
  const GateRecord gate = model.GetGate(i);
  const int threshold = WriteFader("isGateThresholdIn" + x, gate.Threshold + DynThresholdMin);
  WriteText("cvdGateThresholdIn" + x, ThresholdText(threshold));
  WriteText("cvdGateAttackIn" + x, DynTimeText(WriteFader("isGateAttackIn" + x, gate.Attack)));
  WriteText("cvdGateReleaseIn" + x, DynTimeText(WriteFader("isGateReleaseIn" + x, gate.Release)));
  if (i == 0 && !Starting) {
    const double t = threshold * 0.5;
    WriteTransferCurve("ipGate", {{{CurveTop, CurveTop}, {t, t}, {t, CurveBottom}}}, t);
    SetLabel(FindAs<TControl>("lbGateName"), "In " + std::to_string(i + 1) + "  " + GetLangText("SID_GATE"));
  }

  // Delay page: the model keeps no input delays, so these stand at 0.
  const int delay = WriteFader("isDelayIn" + x, model.GetDelay(i));
  auto* fader = FindAs<TAdvTrackBar>("isDelayIn" + x);
  auto* line = FindAs<TControl>("lbDelayLineIn" + x);
  auto* marker = FindAs<TControl>("imDelayIn" + x);
  if (fader && line && marker && fader->GetMax() > 0)
    marker->SetLeft(delay * (line->GetWidth() - DelayMarkerInset) / fader->GetMax() + DelayMarkerLeft);

  // Gain page copy.
  WriteMicLine(model, "BackupIn" + x, i);
  WriteLevelControls(model, "BackupIn" + x, i);

  if (fmLinkSel) fmLinkSel->LoadLinkMask(i, model.GetLinkMask(i));
  MarkOverlaysStale(i);
  auto* draw = FindAs<LMyFFTDrawPhase>("fftDrawIn" + x);
  if (draw && FindAs<TControl>("vrbEqBypassIn" + x))
    WriteBypassCaption(draw, (model.GetEqBypassMask(i) >> i) & 1u);
}

void TfmMain::RefreshEffectBus(const LUnitControl& model) {
  const std::string name = model.GetChannelName(PlotEff);
  SetLabel(FindAs<TControl>("lbMatrixChNameEff"), name);
  if (auto* button = FindAs<TControl>("rzbMenuEff")) button->SetHint(name);
  const unsigned routes = model.GetMatrix(PlotEff);
  for (int k = 0; k < InputCount; ++k) {
    const bool on = (routes >> k) & 1u;
    WriteDown("rzb" + InputLetter(k) + "MatrixEff", on);
    if (auto* label = FindAs<TControl>("lbMatrixDelayIn" + InputLetter(k)))
      label->GetFont()->SetColor(on ? clLime : clWhite);
  }
  const std::pair<const char*, bool> switches[] = {
      {"rzbOnOffEff", model.GetEffectOn() != 0},
      {"rzbAutoMixOnOffEff", model.GetAutoMixGate().Reserved != 0},
      {"rzbCameraOnOffEff", model.GetCameraGate().Reserved != 0},
  };
  for (const auto& [button, on] : switches) {
    if (auto* b = FindAs<TRzBmpButton>(button)) {
      b->SetDown(on);
      b->SetCaption(GetLangText(on ? "SID_ON" : "SID_OFF"));
    }
  }
  WriteBandTable(model, PlotEff);
  const int threshold = WriteFader("isCompThresholdEff", model.GetComp(PlotEff).Threshold + DynThresholdMin);
  WriteText("cvdCompThresholdEff", ThresholdText(threshold));
  WriteText("cvdGainEff", GainText(WriteFader("isGainEff", model.GetGain(PlotEff) + GainPositionMin)));
  WriteDown("rzbMuteEff", model.GetMute(PlotEff));
}

void TfmMain::RefreshOutput(const LUnitControl& model, int i) {
  const std::string n = std::to_string(i - 7);
  const std::string name = model.GetChannelName(i);
  SetLabel(FindAs<TControl>("lbMatrixChNameOut" + n), name);
  if (auto* button = FindAs<TControl>("rzbMenuOut" + n)) button->SetHint(name);
  const unsigned routes = model.GetMatrix(i);
  for (int k = 0; k < InputCount; ++k)
    WriteDown("rzb" + InputLetter(k) + "MatrixOut" + n, (routes >> k) & 1u);
  WriteDown("rzbEffMatrixOut" + n, (routes >> 8) & 1u);
  if (i == CurrentStrip) WriteStripPanel(model, i);
  WriteBandTable(model, i);

  // Comp page.
  const CompRecord comp = model.GetComp(i);
  const int threshold = WriteFader("isCompThresholdOut" + n, comp.Threshold + DynThresholdMin);
  WriteText("cvdCompThresholdOut" + n, ThresholdText(threshold));
  const int ratio = WriteFader("isCompRatioOut" + n, comp.Ratio);
  WriteText("cvdCompRatioOut" + n, CompRatioDisplayText(ratio));
  WriteText("cvdCompAttackOut" + n, DynTimeText(WriteFader("isCompAttackOut" + n, comp.Attack)));
  WriteText("cvdCompReleaseOut" + n, DynTimeText(WriteFader("isCompReleaseOut" + n, comp.Release)));
  if (i == 8 && !Starting) {
    const double t = threshold * 0.5;
    auto* ratioFader = FindAs<TAdvTrackBar>("isCompRatioOut1");
    const int r = std::clamp(ratio, 0, CompRatioIndexMax);
    // A limiter is drawn flat above the threshold.
    const bool limit = ratioFader ? ratio == ratioFader->GetMax() : r == CompRatioLimit;
    const double offset = limit ? 0.0 : (CurveTop - t) / CompRatioValue[static_cast<std::size_t>(r)];
    WriteTransferCurve("ipComp", {{{CurveTop, t + offset}, {t, t}, {CurveBottom, CurveBottom}}}, t);
    SetLabel(FindAs<TControl>("lbCompName"), "Out 1  " + GetLangText("SID_COMP"));
  }

  const int delay = WriteFader("isDelayOut" + n, model.GetDelay(i));
  auto* fader = FindAs<TAdvTrackBar>("isDelayOut" + n);
  auto* line = FindAs<TControl>("lbDelayLineOut" + n);
  auto* marker = FindAs<TControl>("imDelayOut" + n);
  if (fader && line && marker && fader->GetMax() > 0)
    marker->SetLeft(delay * (line->GetWidth() - DelayMarkerInset) / fader->GetMax() + DelayMarkerLeft);

  WriteLevelControls(model, "BackupOut" + n, i);

  if (fmLinkSel) fmLinkSel->LoadLinkMask(i, model.GetLinkMask(i));
  MarkOverlaysStale(i);
  auto* draw = FindAs<LMyFFTDrawPhase>("fftDrawOut" + n);
  if (draw && FindAs<TControl>("vrbEqBypassOut" + n))
    WriteBypassCaption(draw, (model.GetEqBypassMask(i) >> (i - 8)) & 1u);
}

void TfmMain::RefreshDialogs(const LUnitControl& model) {
  if (fmTest) {
    const char* const sources[] = {"rbAnalogIn", "rbPinkNoise", "rbWhiteNoise", "rbSineWave"};
    const int source = model.GetSignalSource();
    if (source >= 0 && source < 4) {
      if (auto* radio = dynamic_cast<TRadioButton*>(fmTest->FindComponent(sources[source])))
        radio->SetChecked(true);
      if (source == 3)
        if (auto* sine = dynamic_cast<TComboBox*>(fmTest->FindComponent("cbSineFreq")))
          sine->SetItemIndex(model.GetSineFrequencyIndex());
    }
  }
  if (auto* matrix = FindAs<TControl>("pbMatrix")) matrix->Invalidate();
  const char* const modes[] = {"Memorize", "Forget", "U01"};
  for (int m = 0; m < 3; ++m)
    if (auto* item = FindAs<TMenuItem>(modes[m])) item->SetChecked(model.GetMemorizeMode() == m);
  if (fmSubCtrl)
    for (int r = 0; r < 2; ++r) fmSubCtrl->SetSubCtrlRecord(r, model.GetSubCtrl(r));
  if (fmGroupCtrl)
    for (int r = 0; r < 8; ++r) fmGroupCtrl->SetGroupCtrlRecord(r, model.GetGroupCtrl(r));
  if (fmAutoMix)
    if (auto* slope = dynamic_cast<TComboBox*>(fmAutoMix->FindComponent("rzcAutoMixSlop")))
      slope->SetItemIndex(model.GetAutoMixSlope());
  if (fmLinkSel) {
    fmLinkSel->ApplyLeaders();
    fmLinkSel->ApplyMembers();
    for (int strip = 0; strip < StripCount; ++strip) DrawDelayLine(strip);
  }
}

void TfmMain::RefreshFromModel(LUnitControl* model) {
  if (!model) return;
  DeselectPeqBands();
  {
    RefreshGuard guard(*this);
    char number[16];
    std::snprintf(number, sizeof number, PresetNumber >= 1 ? "U%02d" : "F%02d", PresetNumber);
    SetLabel(FindAs<TControl>("lbPstNum"), number);
    SetLabel(FindAs<TControl>("lbPstName"), model->GetPresetName());

    for (int y = 0; y < InputCount; ++y) OverlayStale[static_cast<std::size_t>(y)] = 0xFF;
    OverlayStale[PlotGainIn] = OverlayStale[PlotGainOut] = 0xFFFF;
    RefreshGainOverlays();

    for (int i = 0; i < InputCount; ++i) RefreshInput(*model, i);
    RefreshEffectBus(*model);
    for (int i = InputCount; i < StripCount; ++i) RefreshOutput(*model, i);

    // Delay unit: its handler writes every delay box in that unit.
    const int unit = std::clamp<int>(model->GetDelayUnit(), DelayUnitMs, DelayUnitFeet);
    if (auto* button = FindAs<TRzBmpButton>("rzbUnit" + std::to_string(unit))) {
      button->SetDown(true);
      rzbUnit0Click(button);
    }
    RefreshDialogs(*model);
  }
  for (int strip = 0; strip < StripCount; ++strip) {
    auto* draw = FindAs<LMyFFTDrawPhase>("fftDraw" + StripSuffix(strip));
    if (!draw) continue;
    DrawStripPeqCurve(draw);
    DrawHighPassCurve(draw);
    DrawLowPassCurve(draw);
  }
  if (auto* draw = FindAs<LMyFFTDrawPhase>("fftDrawEff")) DrawStripPeqCurve(draw);
  SelectFirstPeqBands();
  // The shown page's band panel follows the newly selected band.
  if (CurrentPage < StripCount || CurrentPage == PageEff) ShowStripParameters(CurrentPage);
  if (CurrentPage == PageGain)
    RefreshGainOverlays();
  else
    RefreshStripOverlays(CurrentPage);
  UpdateMatrixEnables();
}
