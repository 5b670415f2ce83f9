#include "dialogs/Fcomp.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "dialogs/DialogLook.h"
#include "dialogs/ParamDialogKit.h"
#include "instruments/base/iLed.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iXYPlot.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainPageKit.h"
#include "mainwindow/FMainPages.h"
#include "model/CommonConstants.h"
#include "model/ValueScales.h"
#include "platform/classlib/StdCtrls.h"

using namespace paramkit;

TfmComp* fmComp = nullptr;

namespace {

constexpr int EffectBus = 18;
enum Field { FieldThreshold = 0, FieldAttack = 1, FieldRelease = 2, FieldRatio = 3 };

// Where a curve leaves the plot, in dB; the marker sits a little right of
// and below the knee.
constexpr double PlotTop = 20.0;
constexpr double PlotBottom = -100.0;
constexpr double MarkerRight = 0.2;
constexpr double MarkerDown = 0.4;

constexpr int ColumnWidth = 76;
constexpr TColor Accent = pagekit::AccentEff;

// The factory compressor of the bus: +20 dB, 50 ms, 200 ms, 1:1.0.
constexpr int StartThreshold = 40;
constexpr int StartAttack = 49;
constexpr int StartRelease = 199;
constexpr int StartRatio = 0;

std::string FaderText(int field, int position) {
  switch (field) {
    case FieldThreshold:
      return ThresholdWideText(position);
    case FieldRatio:
      return CompRatioDisplayText(position);
    default:
      return DynTimeText(position, 3);
  }
}

void Replace(TiXYPlot* plot, int channel, std::initializer_list<std::pair<double, double>> points) {
  if (channel >= plot->GetChannelCount()) return;
  TiPlotChannelCustom* target = plot->GetChannel(channel);
  target->DeletePoints(target->GetCount());
  for (const auto& [x, y] : points) target->AddXY(x, y);
}

}  // namespace

TfmComp::TfmComp(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmComp", "Compressor Setting", 652, 344, true);
  lbCompLed = AddLabel(this, "lbCompLed", "Active", 16, 10, 96, 24);
  ilrCompLed = new TiLedRectangle(this);
  ilrCompLed->SetName("ilrCompLed");
  ilrCompLed->SetParent(this);
  ilrCompLed->SetBounds(116, 14, 36, 16);
  ilrCompLed->SetActiveColor(RGB(0xF0, 0x50, 0x40));
  ilrCompLed->SetBackGroundColor(dialog_look::Face);
  ilrCompLed->SetBevelStyle(ibsNone);
  ipComp = pages::MakeTransferPlot(this, this, "ipComp", Bounds(12, 40, 300, 292), Accent);

  auto* box = AddGroupBox(this, "gbComp", "", 324, 12, 4 * ColumnWidth + 12, 320);
  const struct {
    const char* Stem;
    const char* Caption;
    int Min, Max, Start;
    Field Kind;
    void (TfmComp::*Handler)(TObject*);
  } faders[] = {{"Threshold", "Threshold", DynThresholdMin, DynThresholdMax, StartThreshold, FieldThreshold,
                 &TfmComp::isThresholdChange},
                {"Attack", "Attack", 0, 199, StartAttack, FieldAttack, &TfmComp::isAttackChange},
                {"Release", "Release", 0, 998, StartRelease, FieldRelease, &TfmComp::isReleaseChange},
                {"Ratio", "Ratio", 0, CompRatioIndexMax, StartRatio, FieldRatio, &TfmComp::isRatioChange}};
  for (int k = 0; k < 4; ++k) {
    const auto& f = faders[k];
    AddFaderColumn(box, {f.Stem, f.Caption, f.Min, f.Max, f.Start, f.Kind, FaderText(f.Kind, f.Start)},
                   Bounds(6 + k * ColumnWidth, 10, ColumnWidth, 298), Accent)
        .Fader->OnChange = [this, h = f.Handler](TObject* s) { (this->*h)(s); };
  }
  // The picture starts as the faders stand.
  DrawCurve();
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmComp::~TfmComp() {
  if (fmComp == this) fmComp = nullptr;
}

void TfmComp::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_COMP_TITLE"));
  const std::pair<const char*, const char*> labels[] = {{"lbCompLed", "SID_COMP_LED"},
                                                        {"lbThreshold", "SID_COMP_THRESHOLD"},
                                                        {"lbAttack", "SID_COMP_ATTACK"},
                                                        {"lbRelease", "SID_COMP_RELEASE"},
                                                        {"lbRatio", "SID_COMP_RATIO"}};
  for (const auto& [name, key] : labels)
    if (auto* label = FindOn<TLabel>(this, name)) label->SetCaption(LangText(Language, key));
}

void TfmComp::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}

bool TfmComp::DrawCurve() {
  auto* threshold = FindOn<TAdvTrackBar>(this, "isThreshold");
  auto* ratio = FindOn<TAdvTrackBar>(this, "isRatio");
  if (!threshold || !ratio || !ipComp) return false;
  const double t = threshold->GetPosition() * 0.5;
  const int k = ratio->GetPosition();
  // A limiter holds the output at the threshold; a ratio bends the line
  // above it.
  const double rise = k == ratio->GetMax() || k < 0 || k >= CompRatioLimit
                          ? 0.0
                          : (PlotTop - t) / CompRatioValue[static_cast<std::size_t>(k)];
  Replace(ipComp, 0, {{PlotTop, t + rise}, {t, t}, {PlotBottom, PlotBottom}});
  Replace(ipComp, 1, {{t + MarkerRight, t - MarkerDown}});
  return true;
}

void TfmComp::FaderChanged(TObject* Sender, int Field, bool Curve) {
  auto* fader = dynamic_cast<TAdvTrackBar*>(Sender);
  TCurvyEdit* box = fader ? ValueBoxOf(fader) : nullptr;
  if (!box) return;
  const int position = fader->GetPosition();
  box->SetText(FaderText(Field, position));
  if (Curve && !DrawCurve()) return;
  if (!FFilling && fmMain) fmMain->SetCompParam(EffectBus, Field, position);
}

void TfmComp::isThresholdChange(TObject* Sender) {
  FaderChanged(Sender, FieldThreshold, true);
}

void TfmComp::isAttackChange(TObject* Sender) {
  FaderChanged(Sender, FieldAttack, false);
}

void TfmComp::isReleaseChange(TObject* Sender) {
  FaderChanged(Sender, FieldRelease, false);
}

void TfmComp::isRatioChange(TObject* Sender) {
  FaderChanged(Sender, FieldRatio, true);
}
