// High-pass (low cut) and low-pass (high cut) editing in the strip panels:
// cut-off faders, slope lists and bypass keys.

#include <algorithm>
#include <string>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainBandKit.h"
#include "model/LUnitControl.h"
#include "model/ValueScales.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/RzControls.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/MyPEQAllpass.h"
#include "response/Plot.h"

using namespace bandkit;

namespace {

// The value box of a cut-off being dragged.
constexpr TColor CutDragColor = 0x008000;

// The controls of one cut filter in a panel: LowCut is the high-pass,
// HighCut the low-pass.
struct CutControls {
  TAdvTrackBar* Fader = nullptr;
  TCurvyEdit* Box = nullptr;
  TRzComboBox* Slope = nullptr;
  TRzBmpButton* Bypass = nullptr;
  bool Complete() const { return Fader && Box && Slope && Bypass; }
  // The CutSlope the controls show: 0 while bypassed.
  int SlopeWord() const {
    if (Bypass->GetDown()) return CutSlopeBypass;
    return std::clamp(Slope->GetItemIndex() + 1, CutSlopeBypass, CutSlopeMax);
  }
  int FreqWord() const { return std::clamp(Fader->GetPosition(), FreqIndexMin, FreqIndexMax); }
};

template <class Find>
CutControls FindCut(Find&& find, bool highPass, const std::string& suffix) {
  const std::string role = highPass ? "LowCut" : "HighCut";
  CutControls c;
  c.Fader = dynamic_cast<TAdvTrackBar*>(find("is" + role + "Freq" + suffix));
  c.Box = dynamic_cast<TCurvyEdit*>(find("cvd" + role + "Freq" + suffix));
  c.Slope = dynamic_cast<TRzComboBox*>(find("rzc" + role + "Slop" + suffix));
  c.Bypass = dynamic_cast<TRzBmpButton*>(find("rzb" + role + "Bypass" + suffix));
  return c;
}

}  // namespace

void TfmMain::CutFaderChanged(TObject* Sender, bool highPass) {
  if (Refreshing || !dynamic_cast<TAdvTrackBar*>(Sender) || !UnitControl) return;
  const CutControls cut = FindCut([this](const std::string& n) { return FindComponent(n); }, highPass,
                                  CutPanelSuffix(CurrentStrip));
  if (!cut.Complete()) return;
  const int p = cut.FreqWord();
  const double f = IndexToFreq(p);
  cut.Box->SetText(FreqBoxText(f));
  const int slope = cut.SlopeWord();
  // The curve of the other filter, if it still waits, is drawn first.
  TTimer* timer = FindTimer("tmHpLpCurve");
  if (timer && timer->GetEnabled() &&
      (PendingCutEdit.Kind != (highPass ? 1 : 0) || PendingCutEdit.Channel != ShownStrip))
    tmHpLpCurveTimer(timer);
  PendingCutEdit.Channel = ShownStrip;
  PendingCutEdit.FreqHz = static_cast<float>(f);
  PendingCutEdit.Slope = slope;
  PendingCutEdit.Kind = highPass ? 1 : 0;
  StartTimer("tmHpLpCurve");
  if (highPass)
    UnitControl->SetHighPass(ShownStrip, static_cast<std::uint16_t>(slope), static_cast<std::uint16_t>(p));
  else
    UnitControl->SetLowPass(ShownStrip, static_cast<std::uint16_t>(slope), static_cast<std::uint16_t>(p));
}

void TfmMain::isLowCutFreqInAChange(TObject* Sender) {
  CutFaderChanged(Sender, true);
}

void TfmMain::isHighCutFreqInAChange(TObject* Sender) {
  CutFaderChanged(Sender, false);
}

// The last cut-off move of a burst: the filter's total, its caption and the sum.
void TfmMain::tmHpLpCurveTimer(TObject* /*Sender*/) {
  StartTimer("tmHpLpCurve", false);
  const PendingBandEditRecord edit = PendingCutEdit;
  if (edit.Channel < 0 || edit.Channel >= PlotCount) return;
  Plot* plot = Plots[static_cast<std::size_t>(edit.Channel)].get();
  if (!plot) return;
  const bool highPass = edit.Kind == 1;
  BuildCutCurve(highPass, std::clamp(edit.Slope, CutSlopeBypass, CutSlopeMax), edit.FreqHz, HighPassSlot,
                edit.Channel);
  plot->DrawBandParam(highPass ? HighPassCaption : LowPassCaption, highPass ? HighPassSlot : LowPassSlot, 0,
                      0, true);
  plot->DrawSum(edit.Channel);
  if (plot->GetPlot()) plot->GetPlot()->UpdateCurvePage();
}

// A slope or bypass change redraws at once: it comes one click at a time.
void TfmMain::CutSlopeChanged(bool highPass) {
  if (!UnitControl || ShownStrip < 0 || ShownStrip >= PlotCount) return;
  const CutControls cut = FindCut([this](const std::string& n) { return FindComponent(n); }, highPass,
                                  CutPanelSuffix(CurrentStrip));
  if (!cut.Complete()) return;
  const int p = cut.FreqWord();
  const int slope = cut.SlopeWord();
  BuildCutCurve(highPass, slope, IndexToFreq(p), HighPassSlot, ShownStrip);
  if (Plot* plot = Plots[static_cast<std::size_t>(ShownStrip)].get()) {
    plot->DrawBandParam(highPass ? HighPassCaption : LowPassCaption, highPass ? HighPassSlot : LowPassSlot, 0,
                        0, true);
    plot->DrawSum(CurrentStrip);
    if (plot->GetPlot()) plot->GetPlot()->UpdateCurvePage();
  }
  if (highPass)
    UnitControl->SetHighPass(ShownStrip, static_cast<std::uint16_t>(slope), static_cast<std::uint16_t>(p));
  else
    UnitControl->SetLowPass(ShownStrip, static_cast<std::uint16_t>(slope), static_cast<std::uint16_t>(p));
}

void TfmMain::rzcLowCutSlopInAChange(TObject* Sender) {
  if (Refreshing || !dynamic_cast<TCustomComboBox*>(Sender)) return;
  CutSlopeChanged(true);
}

void TfmMain::rzcHighCutSlopInAChange(TObject* Sender) {
  if (Refreshing || !dynamic_cast<TCustomComboBox*>(Sender)) return;
  CutSlopeChanged(false);
}

void TfmMain::rzbLowCutBypassInAClick(TObject* Sender) {
  if (Refreshing || !dynamic_cast<TRzBmpButton*>(Sender)) return;
  CutSlopeChanged(true);
}

void TfmMain::rzbHighCutBypassInAClick(TObject* Sender) {
  if (Refreshing || !dynamic_cast<TRzBmpButton*>(Sender)) return;
  CutSlopeChanged(false);
}

// A cut-off marker dragged on a plot: the panel's fader follows, and its own
// handler stores, sends and waits for the curve; an unchanged position has
// nothing to send.
void TfmMain::DragCutOff(int strip, bool highPass, double frequency) {
  const CutControls cut =
      FindCut([this](const std::string& n) { return FindComponent(n); }, highPass, CutPanelSuffix(strip));
  if (!cut.Complete()) return;
  cut.Fader->SetPosition(std::clamp(FreqToIndex(frequency), FreqIndexMin, FreqIndexMax));
  PendingCutEdit.Channel = strip;
  PendingCutEdit.FreqHz = static_cast<float>(frequency);
  PendingCutEdit.Slope = cut.SlopeWord();
  PendingCutEdit.Kind = highPass ? 1 : 0;
  StartTimer("tmHpLpCurve");
  // The band selection gives way to the cut-off being dragged.
  if (auto* table = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(strip))) {
    const int row = table->GetNowIndex();
    if (row != NoSelectedRow) {
      auto* key = FindAs<TRzBmpButton>(BandKeyName(row, StripSuffix(strip)));
      if (!key) return;
      table->SetNowIndex(-1);
      key->SetDown(false);
    }
  }
  cut.Box->GetFont()->SetColor(CutDragColor);
}

// The wheel never changes a slope (nor the mic gain lists that share this).
void TfmMain::rzcLowCutSlopInAMouseWheel(TObject* /*Sender*/, TShiftState /*Shift*/, int /*WheelDelta*/,
                                         TPoint /*MousePos*/, bool& Handled) {
  Handled = true;
}

void TfmMain::rzcHighCutSlopInAMouseWheel(TObject* /*Sender*/, TShiftState /*Shift*/, int /*WheelDelta*/,
                                          TPoint /*MousePos*/, bool& Handled) {
  Handled = true;
}

void TfmMain::BindCutEditingHandlers() {
  for (const char* suffix : {"InA", "Out1"}) {
    for (const bool highPass : {true, false}) {
      const CutControls cut =
          FindCut([this](const std::string& n) { return FindComponent(n); }, highPass, suffix);
      if (cut.Fader)
        cut.Fader->OnChange = [this, highPass](TObject* s) {
          highPass ? isLowCutFreqInAChange(s) : isHighCutFreqInAChange(s);
        };
      if (cut.Slope) {
        cut.Slope->OnChange = [this, highPass](TObject* s) {
          highPass ? rzcLowCutSlopInAChange(s) : rzcHighCutSlopInAChange(s);
        };
        cut.Slope->OnMouseWheel = [this, highPass](TObject* s, TShiftState sh, int d, TPoint p, bool& h) {
          highPass ? rzcLowCutSlopInAMouseWheel(s, sh, d, p, h) : rzcHighCutSlopInAMouseWheel(s, sh, d, p, h);
        };
      }
      if (cut.Bypass)
        cut.Bypass->OnClick = [this, highPass](TObject* s) {
          highPass ? rzbLowCutBypassInAClick(s) : rzbHighCutBypassInAClick(s);
        };
    }
  }
  std::vector<std::string> micGainLists = {"rzcLineInA"};
  for (int i = 0; i < 8; ++i)
    micGainLists.push_back("rzcLineBackupIn" + std::string(1, static_cast<char>('A' + i)));
  for (const std::string& name : micGainLists)
    if (auto* list = FindAs<TControl>(name))
      list->OnMouseWheel = [this](TObject* s, TShiftState sh, int d, TPoint p, bool& h) {
        rzcLowCutSlopInAMouseWheel(s, sh, d, p, h);
      };
}
