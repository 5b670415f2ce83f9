// PEQ band editing through the band tables, band keys, faders and value boxes.

#include <algorithm>
#include <string>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "controls/VrButtons.h"
#include "dialogs/Fpeqrst.h"
#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainBandKit.h"
#include "model/CommonConstants.h"
#include "model/LUnitControl.h"
#include "model/ValueScales.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/MyPEQAllpass.h"
#include "response/Plot.h"

using namespace bandkit;

namespace {

// The band faders in the order of PendingBandEditRecord::Kind.
enum BandFaderKind { FaderFreq = 0, FaderQ = 1, FaderGain = 2 };
constexpr const char* BandFaderRoles[] = {"Freq", "Bw", "Gain"};

int FreqPosition(double hz) {
  return std::clamp(FreqToIndex(hz), FreqIndexMin, FreqIndexMax);
}
int GainPosition(double db) {
  return std::clamp(PeqGainToIndex(db), PeqGainIndexMin, PeqGainIndexMax);
}
int QPosition(double q) {
  return std::clamp(PeqQToIndex(q), PeqQIndexMin, PeqQIndexMax);
}

}  // namespace

// ---------------------------------------------------------------- drawing

void TfmMain::DrawBandOnPlot(int strip, int row, bool recompute) {
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(strip));
  if (!table || strip < 0 || strip >= PlotCount) return;
  Plot* plot = Plots[static_cast<std::size_t>(strip)].get();
  if (!plot || !plot->GetPlot()) return;
  const double f = table->GetFreqValue(row);
  const double gain = table->GetGainValue(row);
  const double q = table->GetQValue(row);
  const int type = std::clamp(table->GetTypeValue(row), 0, PeqTypeCount - 1);
  const bool bypass = table->GetBypassValue(row);
  if (recompute) plot->SetBand(row, bypass ? 0.0 : gain, f, q, FilterTypeOf(type, bypass));
  plot->DrawBand(row, static_cast<float>(gain), 1);
  plot->DrawBandParam(type, row, static_cast<float>(gain), static_cast<float>(q), true);
  plot->DrawSum(strip);
  plot->GetPlot()->UpdateCurvePage();
}

void TfmMain::SelectBand(int strip, int row) {
  const std::string suffix = StripSuffix(strip);
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + suffix);
  auto* label = FindAs<TLabel>("lbFftParam" + suffix);
  if (!table || !label || row < 0 || row >= table->GetChannelNumber()) return;
  table->SetNowIndex(row);
  ShowBandPanel(strip, true, table->GetFreqValue(row), table->GetGainValue(row), table->GetQValue(row));
  DrawBandOnPlot(strip, row, false);
  label->SetVisible(true);
}

// ---------------------------------------------------------------- storing

void TfmMain::StoreBand(int strip, int row) {
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(strip));
  if (!table || !UnitControl) return;
  const double f = table->GetFreqValue(row);
  const double gain = table->GetGainValue(row);
  const int q = QPosition(table->GetQValue(row));
  const int type = std::clamp(table->GetTypeValue(row), 0, PeqTypeCount - 1);
  const bool bypass = table->GetBypassValue(row);
  const PeqBandRecord record{static_cast<std::uint16_t>(GainPosition(gain)),
                             static_cast<std::uint16_t>(FreqPosition(f)), static_cast<std::uint8_t>(q),
                             static_cast<std::uint8_t>(type)};
  UnitControl->SetPeqBand(strip, row, record, bypass ? 1 : 0);
  if (strip >= 16) return;
  // The members of the group hold the band now: their tables show it too.
  const int first = strip < 8 ? 0 : 8;
  const unsigned group = UnitControl->LinkMaskOf(strip);
  for (int m = 0; m < 8; ++m) {
    if (!((group >> m) & 1u) || first + m == strip) continue;
    auto* member = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(first + m));
    if (!member) continue;
    FlagHold hold(Refreshing);
    member->SetEqParamValue(row, f, q, gain, type, bypass);
  }
}

// ---------------------------------------------------------------- band table

void TfmMain::peqPeqInAChange(TObject* Sender) {
  // A drag writes the model itself; its own table writes are not edits.
  if (DragHandle != -1) return;
  auto* table = dynamic_cast<TMyPEQAllpass*>(Sender);
  if (!table || !UnitControl) return;
  const int row = table->GetNowIndex();
  const int strip = static_cast<int>(table->GetTag());
  const std::string suffix = StripSuffix(strip);
  auto* key = FindAs<TRzBmpButton>(BandKeyName(row, suffix));
  if (!FindAs<LMyFFTDrawPhase>("fftDraw" + suffix) || !key || !FindAs<TLabel>("lbFftParam" + suffix)) return;

  // Q follows the type. A correction raises this handler again, which
  // finishes the edit with the corrected Q.
  const double q = table->GetQValue(row);
  const int type = table->GetTypeValue(row);
  const bool typeChanged = UnitControl->GetPeqBand(strip, row).Type != type;
  if (TakesAnyQ(type)) {
    if (typeChanged) {
      const int start = std::clamp<int>(UnitControl->GetDefaultPeqBand(strip, row).Q, 0, PeqQIndexMax);
      if (q != PeqQTable[static_cast<std::size_t>(start)]) return table->SetQValue(row, start);
    }
  } else if (typeChanged) {
    if (q != PeqQTable[ShelfQIndexStart]) return table->SetQValue(row, ShelfQIndexStart);
  } else if (q > PeqQTable[ShelfQIndexMax]) {
    return table->SetQValue(row, ShelfQIndexMax);
  }
  if (Refreshing) return;

  key->SetDown(true);
  table->SetNowIndex(row);
  DrawBandOnPlot(strip, row, true);
  StoreBand(strip, row);
  ShowBandPanel(strip, true, table->GetFreqValue(row), table->GetGainValue(row), q);
}

void TfmMain::peqPeqInAEditMouseDown(TObject* Sender, TMouseButton /*Button*/, TShiftState /*Shift*/,
                                     int /*X*/, int /*Y*/) {
  auto* table = dynamic_cast<TMyPEQAllpass*>(Sender);
  if (!table) return;
  const int row = table->GetNowIndex();
  const int strip = static_cast<int>(table->GetTag());
  const std::string suffix = StripSuffix(strip);
  auto* key = FindAs<TRzBmpButton>(BandKeyName(row, suffix));
  if (!key || !FindAs<TLabel>("lbFftParam" + suffix)) return;
  key->SetDown(true);
  SelectBand(strip, row);
}

void TfmMain::peqPeqInAPeqTypeMouseWheel(TObject* /*Sender*/, TShiftState /*Shift*/, int /*WheelDelta*/,
                                         TPoint /*MousePos*/, bool& Handled) {
  Handled = true;
}

void TfmMain::rzbEq1InAClick(TObject* Sender) {
  auto* key = dynamic_cast<TRzBmpButton*>(Sender);
  if (!key) return;
  const int strip = key->GetGroupIndex() - 1;
  SelectBand(strip, static_cast<int>(key->GetTag()));
  FocusBandFreqBox(strip);
}

// ---------------------------------------------------------------- band panel

void TfmMain::ShowBandPanel(int strip, bool enable, double frequency, double gain, double q) {
  if (Refreshing) return;
  const std::string suffix = BandPanelSuffix(strip);
  TAdvTrackBar* faders[3];
  TCurvyEdit* boxes[3];
  for (int k = 0; k < 3; ++k) {
    faders[k] = FindAs<TAdvTrackBar>(std::string("isEq") + BandFaderRoles[k] + suffix);
    boxes[k] = FindAs<TCurvyEdit>(std::string("cvdEq") + BandFaderRoles[k] + suffix);
    if (!faders[k] || !boxes[k]) return;
  }
  // The faders' own handlers stay quiet while the panel is written.
  FlagHold hold(Refreshing);
  faders[FaderFreq]->SetPosition(FreqPosition(frequency));
  boxes[FaderFreq]->SetText(FreqBoxText(frequency));
  faders[FaderGain]->SetPosition(GainPosition(gain));
  boxes[FaderGain]->SetText(PeqGainText(faders[FaderGain]->GetPosition()));
  faders[FaderQ]->SetPosition(QPosition(q));
  boxes[FaderQ]->SetText(PeqQText(faders[FaderQ]->GetPosition()));
  for (TAdvTrackBar* fader : faders) fader->SetEnabled(enable);
}

void TfmMain::FocusBandFreqBox(int strip) {
  auto* box = FindAs<TCurvyEdit>("cvdEqFreq" + BandPanelSuffix(strip));
  // A box on a page not shown cannot take the focus.
  if (box && box->GetEdit()->CanFocus()) box->SetFocus();
}

void TfmMain::BandFaderChanged(TObject* Sender, int kind) {
  auto* fader = dynamic_cast<TAdvTrackBar*>(Sender);
  if (Refreshing || !fader) return;
  const std::string suffix = BandPanelSuffix(CurrentStrip);
  auto* box = FindAs<TCurvyEdit>(std::string("cvdEq") + BandFaderRoles[kind] + suffix);
  // The Q limit follows the selected band of the current strip's own table;
  // the edit itself reaches the table shown (the leader's, on a linked
  // member's page) through the timer.
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(CurrentStrip));
  if (!box || !table) return;
  const int p = fader->GetPosition();
  if (kind == FaderQ && !TakesAnyQ(table->GetTypeValue(table->GetNowIndex())) && p > ShelfQIndexMax)
    return fader->SetPosition(ShelfQIndexMax);
  // Another kind of edit still waiting is applied first: only the last edit
  // of each kind may be dropped.
  TTimer* timer = FindTimer("tmEqCurve");
  if (timer && timer->GetEnabled() && (PendingBandEdit.Kind != kind || PendingBandEdit.Channel != ShownStrip))
    tmEqCurveTimer(timer);
  PendingBandEditRecord& edit = PendingBandEdit;
  switch (kind) {
    case FaderFreq:
      edit.FreqHz = static_cast<float>(IndexToFreq(std::clamp(p, FreqIndexMin, FreqIndexMax)));
      box->SetText(FreqBoxText(IndexToFreq(std::clamp(p, FreqIndexMin, FreqIndexMax))));
      break;
    case FaderQ:
      edit.Q = static_cast<float>(std::clamp(p, PeqQIndexMin, PeqQIndexMax));
      box->SetText(PeqQText(p));
      break;
    default:
      edit.GainDb = IndexToPeqGain(std::clamp(p, PeqGainIndexMin, PeqGainIndexMax));
      box->SetText(PeqGainText(std::clamp(p, PeqGainIndexMin, PeqGainIndexMax)));
      break;
  }
  edit.Kind = kind;
  edit.Channel = ShownStrip;
  StartTimer("tmEqCurve");
}

void TfmMain::isEqFreqInAChange(TObject* Sender) {
  BandFaderChanged(Sender, FaderFreq);
}

void TfmMain::isEqBwInAChange(TObject* Sender) {
  BandFaderChanged(Sender, FaderQ);
}

void TfmMain::isEqGainInAChange(TObject* Sender) {
  BandFaderChanged(Sender, FaderGain);
}

// The last fader edit of a burst reaches the shown strip's selected band; the
// table's change then redraws the curve and sends the band.
void TfmMain::tmEqCurveTimer(TObject* /*Sender*/) {
  StartTimer("tmEqCurve", false);
  const PendingBandEditRecord edit = PendingBandEdit;
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(edit.Channel));
  if (!table) return;
  const int row = table->GetNowIndex();
  if (row < 0 || row >= table->GetChannelNumber()) return;
  switch (edit.Kind) {
    case FaderFreq:
      table->SetFreqValue(row, edit.FreqHz);
      break;
    case FaderQ:
      table->SetQValue(row, edit.Q);
      break;
    default:
      table->SetGainValue(row, edit.GainDb);
      break;
  }
}

void TfmMain::cvdEqFreqInAKeyDown(TObject* /*Sender*/, std::uint16_t& Key, TShiftState /*Shift*/) {
  const std::string suffix = BandPanelSuffix(CurrentStrip);
  auto* freq = FindAs<TAdvTrackBar>("isEqFreq" + suffix);
  auto* q = FindAs<TAdvTrackBar>("isEqBw" + suffix);
  auto* gain = FindAs<TAdvTrackBar>("isEqGain" + suffix);
  if (!freq || !q || !gain || !FindAs<TMyPEQAllpass>("peqPeq" + suffix) ||
      !FindAs<TLabel>("lbFftParam" + suffix))
    return;
  TAdvTrackBar* fader = nullptr;
  int step = 0;
  switch (Key) {
    case VK_LEFT:
      fader = freq, step = -1;
      break;
    case VK_RIGHT:
      fader = freq, step = 1;
      break;
    case VK_ADD:
    case VK_OEM_PLUS:
      fader = q, step = 1;
      break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
      fader = q, step = -1;
      break;
    case VK_UP:
      fader = gain, step = 1;
      break;
    case VK_DOWN:
      fader = gain, step = -1;
      break;
    default:
      return;
  }
  fader->SetPosition(std::clamp(fader->GetPosition() + step, fader->GetMin(), fader->GetMax()));
}

void TfmMain::cvdEqFreqInAExit(TObject* /*Sender*/) {}

// ---------------------------------------------------------------- reset, show all

void TfmMain::vrbEqResetInAClick(TObject* Sender) {
  auto* button = dynamic_cast<TVrDemoButton*>(Sender);
  if (!button || !fmPeqRst) return;
  fmPeqRst->SetResetStrip(static_cast<int>(button->GetTag()));
  fmPeqRst->ShowModal();
}

void TfmMain::ResetStripPeq(int strip) {
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(strip));
  if (!table || !UnitControl || strip < 0 || strip >= PlotCount) return;
  Plot* plot = Plots[static_cast<std::size_t>(strip)].get();
  table->SetNowIndex(0);
  for (int b = table->GetChannelNumber() - 1; b >= 0; --b) {
    const PeqBandRecord record = UnitControl->GetDefaultPeqBand(strip, b);
    UnitControl->SetPeqBand(strip, b, record, 0);
    // Once more queued behind what waits, so the reset cannot be replaced.
    SendCommand(
        CM_MCS_PEQ(GetDeviceId(), static_cast<std::uint8_t>(strip), static_cast<std::uint8_t>(b), record, 0),
        true);
    const double f = IndexToFreq(std::clamp<int>(record.Freq, FreqIndexMin, FreqIndexMax));
    const double gain = IndexToPeqGain(std::clamp<int>(record.Gain, PeqGainIndexMin, PeqGainIndexMax));
    const int q = std::clamp<int>(record.Q, PeqQIndexMin, PeqQIndexMax);
    table->SetEqParamValue(b, f, q, gain, record.Type, false);
    if (!plot) continue;
    plot->SetBand(b, gain, f, PeqQTable[static_cast<std::size_t>(q)], FilterTypeOf(record.Type, false));
    plot->DrawBand(b, static_cast<float>(gain), 1);
  }
}

void TfmMain::vrbEqShowAllInAClick(TObject* Sender) {
  auto* button = dynamic_cast<TVrPowerButton*>(Sender);
  if (!button) return;
  const int strip = static_cast<int>(button->GetTag());
  if (strip < 0 || strip >= PlotCount) return;
  Plot* plot = Plots[static_cast<std::size_t>(strip)].get();
  if (!plot || !plot->GetPlot()) return;
  plot->GetPlot()->SetParameterDisplay(button->GetActive());
  plot->GetPlot()->UpdateCurvePage();
  if (auto* box = FindAs<TControl>("rzgFft" + StripSuffix(strip))) box->Invalidate();
}

// ---------------------------------------------------------------- binding

void TfmMain::BindBandEditingHandlers() {
  // The curve timers are the window's; a window built without them gets them here.
  for (const char* name : {"tmEqCurve", "tmHpLpCurve", "tmMouseEqCurve"}) {
    if (FindTimer(name)) continue;
    auto* timer = new TTimer(this);
    timer->SetName(name);
    timer->SetEnabled(false);
    timer->SetInterval(1);
  }
  auto bindTimer = [this](const char* name, void (TfmMain::*handler)(TObject*)) {
    if (TTimer* timer = FindTimer(name))
      timer->OnTimer = [this, handler](TObject* s) { (this->*handler)(s); };
  };
  bindTimer("tmEqCurve", &TfmMain::tmEqCurveTimer);
  bindTimer("tmHpLpCurve", &TfmMain::tmHpLpCurveTimer);
  bindTimer("tmMouseEqCurve", &TfmMain::tmMouseEqCurveTimer);

  auto onClick = [this](const std::string& name, void (TfmMain::*handler)(TObject*)) {
    if (auto* c = FindAs<TControl>(name)) c->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
  };
  for (int strip : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, EffStrip}) {
    const std::string suffix = StripSuffix(strip);
    if (auto* table = FindAs<TMyPEQAllpass>("peqPeq" + suffix)) {
      table->OnChange = [this](TObject* s) { peqPeqInAChange(s); };
      table->OnEditMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        peqPeqInAEditMouseDown(s, b, sh, x, y);
      };
      table->OnPeqTypeMouseWheel = [this](TObject* s, TShiftState sh, int d, TPoint p, bool& h) {
        peqPeqInAPeqTypeMouseWheel(s, sh, d, p, h);
      };
      for (int row = 0; row < table->GetChannelNumber(); ++row)
        onClick(BandKeyName(row, suffix), &TfmMain::rzbEq1InAClick);
    }
    onClick("vrbEqReset" + suffix, &TfmMain::vrbEqResetInAClick);
    onClick("vrbEqShowAll" + suffix, &TfmMain::vrbEqShowAllInAClick);
  }
  for (const char* suffix : {"InA", "Out1", "Eff"}) {
    const std::string sx = suffix;
    const std::pair<const char*, void (TfmMain::*)(TObject*)> faders[] = {
        {"isEqFreq", &TfmMain::isEqFreqInAChange},
        {"isEqBw", &TfmMain::isEqBwInAChange},
        {"isEqGain", &TfmMain::isEqGainInAChange}};
    for (const auto& [prefix, handler] : faders)
      if (auto* fader = FindAs<TAdvTrackBar>(prefix + sx))
        fader->OnChange = [this, handler = handler](TObject* s) { (this->*handler)(s); };
    if (auto* box = FindAs<TCurvyEdit>("cvdEqFreq" + sx)) {
      box->OnKeyDown = [this](TObject* s, std::uint16_t& k, TShiftState sh) {
        cvdEqFreqInAKeyDown(s, k, sh);
      };
      box->OnExit = [this](TObject* s) { cvdEqFreqInAExit(s); };
    }
  }
  BindCutEditingHandlers();
  BindPlotDragHandlers();
}
