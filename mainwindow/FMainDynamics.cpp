// The Comp and Gate pages: faders, strip selection and transfer curves.

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iXYPlot.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLayout.h"
#include "model/CommonConstants.h"
#include "model/LUnitControl.h"
#include "model/ValueScales.h"

namespace {

// Fields of the compressor and gate records as SetCompParam and
// SetGateParam number them; the gate has the first three.
constexpr int FieldThreshold = 0;
constexpr int FieldAttack = 1;
constexpr int FieldRelease = 2;
constexpr int FieldRatio = 3;
constexpr int CompFieldCount = 4;
constexpr int GateFieldCount = 3;
constexpr int EffectChannel = 18;
constexpr std::array<const char*, CompFieldCount> FieldStems = {"Threshold", "Attack", "Release", "Ratio"};

// Outputs 8..15 on the Comp page, inputs 0..7 on the Gate page.
bool IsStripOf(bool comp, int strip) {
  return comp ? strip >= 8 && strip <= 15 : strip >= 0 && strip <= 7;
}

std::string ControlName(const char* prefix, bool comp, int field, int strip) {
  return std::string(prefix) + (comp ? "Comp" : "Gate") + FieldStems[static_cast<std::size_t>(field)] +
         DelayChannelSuffix(strip);
}
std::string FaderName(bool comp, int field, int strip) {
  return ControlName("is", comp, field, strip);
}
std::string BoxName(bool comp, int field, int strip) {
  return ControlName("cvd", comp, field, strip);
}

// "Out 3", "In 3".
std::string StripTitle(bool comp, int strip) {
  return comp ? "Out " + std::to_string(strip - 7) : "In " + std::to_string(strip + 1);
}
std::string HeadingOf(bool comp, int strip, const std::string& what) {
  return StripTitle(comp, strip) + "  " + what;
}

std::string FieldText(int field, int position) {
  switch (field) {
    case FieldThreshold:
      return ThresholdText(position);
    case FieldRatio:
      return CompRatioDisplayText(position);
    default:
      return DynTimeText(position);
  }
}

// The plots' top right corner in dB, where a curve leaves the plot.
constexpr double PlotTop = 20.0;
constexpr double PlotBottom = -100.0;
// The threshold dot sits a little right of and below the knee.
constexpr double DotRight = 0.2;
constexpr double DotDown = 0.4;

using Point = std::pair<double, double>;

// Replaces every point of a plot channel, so a channel always holds exactly
// what the last drawing gave it.
void ReplacePoints(TiXYPlot* plot, int channel, std::initializer_list<Point> points) {
  if (channel >= plot->GetChannelCount()) return;
  TiPlotChannelCustom* target = plot->GetChannel(channel);
  target->DeletePoints(target->GetCount());
  for (const auto& [x, y] : points) target->AddXY(x, y);
}

int PositionOf(TCustomTrackBar* fader) {
  return fader ? fader->GetPosition() : 0;
}

}  // namespace

// ---------------------------------------------------------------- model

void TfmMain::SetCompParam(int strip, int field, int value) {
  if (!UnitControl || field < 0 || field >= CompFieldCount) return;
  if (strip == EffectChannel && field == FieldThreshold) {
    // The effect bus's own fader follows without storing or sending again.
    // The flag comes back as it was, also when a handler throws, so that
    // a caller's refresh goes on and a user's edit still sends.
    if (auto* fader = FindAs<TCustomTrackBar>("isCompThresholdEff")) {
      struct Hold {
        bool& Flag;
        bool Was;
        ~Hold() { Flag = Was; }
      } hold{Refreshing, Refreshing};
      Refreshing = true;
      fader->SetPosition(value);
    }
  }
  if (Refreshing) return;
  CompRecord record = UnitControl->GetComp(strip);
  const auto word =
      static_cast<std::uint16_t>(field == FieldThreshold ? value + DynThresholdStoredOffset : value);
  switch (field) {
    case FieldThreshold:
      record.Threshold = word;
      break;
    case FieldAttack:
      record.Attack = word;
      break;
    case FieldRelease:
      record.Release = word;
      break;
    default:
      record.Ratio = word;
      break;
  }
  UnitControl->SetComp(strip, record);
}

void TfmMain::SetGateParam(int strip, int field, int value) {
  if (!UnitControl || field < 0 || field >= GateFieldCount || Refreshing) return;
  GateRecord record = UnitControl->GetGate(strip);
  switch (field) {
    case FieldThreshold:
      record.Threshold = static_cast<std::uint16_t>(value + DynThresholdStoredOffset);
      break;
    case FieldAttack:
      record.Attack = static_cast<std::uint16_t>(value);
      break;
    default:
      record.Release = static_cast<std::uint16_t>(value);
      break;
  }
  UnitControl->SetGate(strip, record);
}

// ---------------------------------------------------------------- curves

void TfmMain::DrawCompCurve(int strip) {
  if (!IsStripOf(true, strip)) return;
  auto* plot = FindAs<TiXYPlot>("ipComp");
  auto* ratioFader = FindAs<TCustomTrackBar>(FaderName(true, FieldRatio, strip));
  if (!plot || !ratioFader) return;
  const double threshold = PositionOf(FindAs<TCustomTrackBar>(FaderName(true, FieldThreshold, strip))) * 0.5;
  const int ratio = std::clamp(ratioFader->GetPosition(), 0, CompRatioLimit);
  // A limiter holds the output at the threshold; a ratio bends the line
  // above it.
  const double rise = ratio == ratioFader->GetMax() || ratio == CompRatioLimit
                          ? 0.0
                          : (PlotTop - threshold) / CompRatioValue[static_cast<std::size_t>(ratio)];
  ReplacePoints(plot, 0, {{PlotTop, threshold + rise}, {threshold, threshold}, {PlotBottom, PlotBottom}});
  ReplacePoints(plot, 1, {{threshold + DotRight, threshold - DotDown}});
}

void TfmMain::DrawGateCurve(int strip) {
  if (!IsStripOf(false, strip)) return;
  auto* plot = FindAs<TiXYPlot>("ipGate");
  if (!plot) return;
  const double threshold = PositionOf(FindAs<TCustomTrackBar>(FaderName(false, FieldThreshold, strip))) * 0.5;
  ReplacePoints(plot, 0, {{PlotTop, PlotTop}, {threshold, threshold}, {threshold, PlotBottom}});
  ReplacePoints(plot, 1, {{threshold + DotRight, threshold - DotDown}});
}

// ---------------------------------------------------------------- selection

void TfmMain::SelectCompStrip(int strip) {
  if (!IsStripOf(true, strip)) return;
  DrawCompCurve(strip);
  if (auto* name = FindAs<TControl>("lbCompName"))
    name->SetCaption(HeadingOf(true, strip, GetLangText("SID_COMP")));
  if (auto* head = FindAs<TControl>("lbHeadCompOut")) head->SetCaption(StripTitle(true, strip));
  CompStrip = strip;
}

void TfmMain::SelectGateStrip(int strip) {
  if (!IsStripOf(false, strip)) return;
  DrawGateCurve(strip);
  if (auto* name = FindAs<TControl>("lbGateName"))
    name->SetCaption(HeadingOf(false, strip, GetLangText("SID_GATE")));
  if (auto* head = FindAs<TControl>("lbHeadGateIn")) head->SetCaption(StripTitle(false, strip));
  GateStrip = strip;
}

// ---------------------------------------------------------------- faders

void TfmMain::DynamicsFaderChange(TObject* Sender, bool comp, int field) {
  if (Refreshing) return;
  auto* fader = dynamic_cast<TCustomTrackBar*>(Sender);
  if (!fader) return;
  const int strip = fader->GetTag();
  if (!IsStripOf(comp, strip)) return;
  const int position = fader->GetPosition();
  (comp ? CompStrip : GateStrip) = strip;
  if (auto* box = FindAs<TCurvyEdit>(BoxName(comp, field, strip))) box->SetText(FieldText(field, position));
  if (comp) {
    DrawCompCurve(strip);
    if (auto* name = FindAs<TControl>("lbCompName"))
      name->SetCaption(HeadingOf(true, strip, GetLangText("SID_COMP")));
    SetCompParam(strip, field, position);
    LinkComp(strip, field, position);
  } else {
    DrawGateCurve(strip);
    if (auto* name = FindAs<TControl>("lbGateName"))
      name->SetCaption(HeadingOf(false, strip, GetLangText("SID_GATE")));
    SetGateParam(strip, field, position);
    LinkGate(strip, field, position);
  }
}

void TfmMain::isCompThresholdOut1Change(TObject* Sender) {
  DynamicsFaderChange(Sender, true, FieldThreshold);
}
void TfmMain::isCompRatioOut1Change(TObject* Sender) {
  DynamicsFaderChange(Sender, true, FieldRatio);
}
void TfmMain::isCompAttackOut1Change(TObject* Sender) {
  DynamicsFaderChange(Sender, true, FieldAttack);
}
void TfmMain::isCompReleaseOut1Change(TObject* Sender) {
  DynamicsFaderChange(Sender, true, FieldRelease);
}
void TfmMain::isGateThresholdInAChange(TObject* Sender) {
  DynamicsFaderChange(Sender, false, FieldThreshold);
}
void TfmMain::isGateAttackInAChange(TObject* Sender) {
  DynamicsFaderChange(Sender, false, FieldAttack);
}
void TfmMain::isGateReleaseInAChange(TObject* Sender) {
  DynamicsFaderChange(Sender, false, FieldRelease);
}

// A press on any control of a column selects its strip.
void TfmMain::isCompThresholdOut1MouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
  if (auto* control = dynamic_cast<TComponent*>(Sender)) SelectCompStrip(control->GetTag());
}
void TfmMain::cvdCompThresholdOut1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                            int Y) {
  isCompThresholdOut1MouseDown(Sender, Button, Shift, X, Y);
}
void TfmMain::lbCompOut1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  isCompThresholdOut1MouseDown(Sender, Button, Shift, X, Y);
}
void TfmMain::isGateThresholdInAMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
  if (auto* control = dynamic_cast<TComponent*>(Sender)) SelectGateStrip(control->GetTag());
}
void TfmMain::cvdGateThresholdInAMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                           int Y) {
  isGateThresholdInAMouseDown(Sender, Button, Shift, X, Y);
}
void TfmMain::lbGateInAMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  isGateThresholdInAMouseDown(Sender, Button, Shift, X, Y);
}

// ---------------------------------------------------------------- binding

void TfmMain::BindDynamicsHandlers() {
  using Change = void (TfmMain::*)(TObject*);
  using KeyDown = void (TfmMain::*)(TObject*, std::uint16_t&, TShiftState);
  using MouseDown = void (TfmMain::*)(TObject*, TMouseButton, TShiftState, int, int);
  struct FieldHandlers {
    bool Comp;
    int Field;
    Change OnChange;
    KeyDown OnKeyDown;
    Change OnExit;
  };
  static const FieldHandlers fields[] = {
      {true, FieldThreshold, &TfmMain::isCompThresholdOut1Change, &TfmMain::cvdCompThresholdOut1KeyDown,
       &TfmMain::cvdCompThresholdOut1Exit},
      {true, FieldRatio, &TfmMain::isCompRatioOut1Change, &TfmMain::cvdCompRatioOut1KeyDown,
       &TfmMain::cvdCompRatioOut1Exit},
      {true, FieldAttack, &TfmMain::isCompAttackOut1Change, &TfmMain::cvdCompAttackOut1KeyDown,
       &TfmMain::cvdCompAttackOut1Exit},
      {true, FieldRelease, &TfmMain::isCompReleaseOut1Change, &TfmMain::cvdCompReleaseOut1KeyDown,
       &TfmMain::cvdCompReleaseOut1Exit},
      {false, FieldThreshold, &TfmMain::isGateThresholdInAChange, &TfmMain::cvdGateThresholdInAKeyDown,
       &TfmMain::cvdGateThresholdInAExit},
      {false, FieldAttack, &TfmMain::isGateAttackInAChange, &TfmMain::cvdGateAttackInAKeyDown,
       &TfmMain::cvdGateAttackInAExit},
      {false, FieldRelease, &TfmMain::isGateReleaseInAChange, &TfmMain::cvdGateReleaseInAKeyDown,
       &TfmMain::cvdGateReleaseInAExit},
  };
  // The presses that select a column: fader, value box, heading.
  static const std::array<MouseDown, 3> compPresses = {&TfmMain::isCompThresholdOut1MouseDown,
                                                       &TfmMain::cvdCompThresholdOut1MouseDown,
                                                       &TfmMain::lbCompOut1MouseDown};
  static const std::array<MouseDown, 3> gatePresses = {&TfmMain::isGateThresholdInAMouseDown,
                                                       &TfmMain::cvdGateThresholdInAMouseDown,
                                                       &TfmMain::lbGateInAMouseDown};
  for (const FieldHandlers& f : fields) {
    const auto& presses = f.Comp ? compPresses : gatePresses;
    for (int i = 0; i < 8; ++i) {
      const int strip = f.Comp ? 8 + i : i;
      if (auto* fader = FindAs<TCustomTrackBar>(FaderName(f.Comp, f.Field, strip))) {
        fader->OnChange = [this, h = f.OnChange](TObject* s) { (this->*h)(s); };
        fader->OnMouseDown = [this, h = presses[0]](TObject* s, TMouseButton b, TShiftState sh, int x,
                                                    int y) { (this->*h)(s, b, sh, x, y); };
      }
      if (auto* box = FindAs<TCurvyEdit>(BoxName(f.Comp, f.Field, strip))) {
        box->OnKeyDown = [this, h = f.OnKeyDown](TObject* s, std::uint16_t& k, TShiftState sh) {
          (this->*h)(s, k, sh);
        };
        box->OnExit = [this, h = f.OnExit](TObject* s) { (this->*h)(s); };
        box->OnMouseDown = [this, h = presses[1]](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
          (this->*h)(s, b, sh, x, y);
        };
      }
      if (f.Field != FieldThreshold) continue;
      // The column's heading, once per column.
      if (auto* label =
              FindAs<TControl>(std::string("lb") + (f.Comp ? "Comp" : "Gate") + DelayChannelSuffix(strip)))
        label->OnMouseDown = [this, h = presses[2]](TObject* s, TMouseButton b, TShiftState sh, int x,
                                                    int y) { (this->*h)(s, b, sh, x, y); };
    }
  }
}
