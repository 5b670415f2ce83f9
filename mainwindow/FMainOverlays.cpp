// Curve overlays: copies of other strips' sums on a strip's plot and on the
// two Gain-page plots, taken again only when the source changed.

#include <string>

#include "controls/VrButtons.h"
#include "mainwindow/FMain.h"
#include "model/CommonConstants.h"
#include "response/Plot.h"
#include "response/ResponsePlotBase.h"

namespace {

constexpr int OverlayFirstSlot = 18;

// Where target plot Y keeps its copy of strip X.
int OverlaySlot(int target, int source) {
  return target >= PlotGainIn ? source : OverlayFirstSlot + source % 8;
}

void CopySum(const Plot& from, Plot& to, int slot) {
  if (PlotBand* band = to.GetBand(slot)) band->Response = from.GetBand(PlotTotalSlot)->Response;
}

void UpdatePage(Plot* plot) {
  if (plot && plot->GetPlot()) plot->GetPlot()->UpdateCurvePage();
}

}  // namespace

std::string TfmMain::OverlayButtonName(int source, int target) {
  const bool sameSide = (source < 8) == (target < 8 || target == PlotGainIn);
  if (source < 0 || source >= 16 || target < 0 || target > PlotGainOut || source == target || !sameSide)
    return {};
  const std::string key =
      source < 8 ? std::string(1, static_cast<char>('A' + source)) : std::to_string(source - 7);
  return "vrbShow" + key + (target >= PlotGainIn ? "Gain" : StripSuffix(target));
}

std::uint32_t& TfmMain::StaleMask(int target) {
  return OverlayStale[static_cast<std::size_t>(target)];
}

void TfmMain::vrbShowOverlayClick(TObject* Sender, int target) {
  auto* button = dynamic_cast<TVrPowerButton*>(Sender);
  Plot* plot = StripPlot(target);
  if (!button || !plot || target < 0 || target > PlotGainOut) return;
  const int source = static_cast<int>(button->GetTag());
  if (source < 0 || source >= 16) return;
  const int slot = OverlaySlot(target, source);
  // A stale copy is taken again first, so the bit is never cleared over an
  // outdated curve.
  if (StaleMask(target) & (1u << source))
    if (const Plot* from = StripPlot(source)) CopySum(*from, *plot, slot);
  StaleMask(target) &= ~(1u << source);
  if (button->GetActive())
    plot->DrawBandCurve(slot, StripCurveColors[static_cast<std::size_t>(source)]);
  else
    plot->RemoveBandCurve(slot);
  UpdatePage(plot);
}

void TfmMain::RefreshStripOverlays(int page) {
  if (page < 0 || page >= 16) return;
  Plot* target = StripPlot(page);
  if (!target) return;
  const int first = page < 8 ? 0 : 8;
  for (int source = first; source < first + 8; ++source) {
    if (source == page) continue;
    auto* button = FindAs<TVrPowerButton>(OverlayButtonName(source, page));
    if (!button) return;
    const std::uint32_t bit = 1u << source;
    if (!(StaleMask(page) & bit)) continue;
    StaleMask(page) &= ~bit;
    const Plot* from = StripPlot(source);
    if (!from) continue;
    const int slot = OverlaySlot(page, source);
    CopySum(*from, *target, slot);
    if (button->GetActive()) target->DrawBandCurve(slot, StripCurveColors[static_cast<std::size_t>(source)]);
  }
  UpdatePage(target);
}

void TfmMain::RefreshGainOverlays() {
  Plot* gainIn = StripPlot(PlotGainIn);
  Plot* gainOut = StripPlot(PlotGainOut);
  if (!gainIn || !gainOut) return;
  for (int source = 0; source < 16; ++source)
    if (const Plot* from = StripPlot(source)) CopySum(*from, source < 8 ? *gainIn : *gainOut, source);
  for (int source = 0; source < 16; ++source) {
    const int target = source < 8 ? PlotGainIn : PlotGainOut;
    auto* button = FindAs<TVrPowerButton>(OverlayButtonName(source, target));
    if (!button) return;
    const std::uint32_t bit = 1u << source;
    if (!button->GetActive() || !(StaleMask(target) & bit)) continue;
    StaleMask(target) &= ~bit;
    StripPlot(target)->DrawBandCurve(source, StripCurveColors[static_cast<std::size_t>(source)]);
  }
  UpdatePage(gainIn);
  UpdatePage(gainOut);
}
