// The filter model of one plot: its bands, totals and what it hands to the plot.
#include <gtest/gtest.h>

#include <utility>

#include "model/CommonConstants.h"
#include "response/Plot.h"
#include "response/PlotScales.h"
#include "tests/response/PlotTestSupport.h"

using namespace response_test;

TEST(PlotModel, NewModelIsFlatInBothViews) {
  Plot model(nullptr);
  EXPECT_EQ(model.GetBandCount(), 27);
  for (int slot = 0; slot < 27; ++slot) {
    const PlotBand* b = model.GetBand(slot);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->FilterType, 3);
    EXPECT_EQ(b->Frequency, 1000.0);
    EXPECT_EQ(b->Q, 0.4);
  }
  model.DrawSum(0);
  for (double v : model.GetBand(12)->Response) ASSERT_EQ(v, 0.0);
  model.SetPhaseMode(true);
  for (int slot = 0; slot < 12; ++slot) model.ComputeResponse(slot);
  model.DrawSum(0);
  for (double v : model.GetBand(12)->Response) ASSERT_EQ(v, 0.0);
  // Slots outside the model are ignored.
  EXPECT_EQ(model.GetBand(27), nullptr);
  EXPECT_EQ(model.GetBand(-1), nullptr);
  model.SetBand(27, 1, 1000, 1, 1);
  model.DrawBand(-3, 0, 1);
}

// Bands share their curves until written: what each slot reads must be
// what it would hold with an array of its own.
TEST(PlotModel, SharedCurvesReadAsOwnCopies) {
  Plot a(nullptr), b(nullptr);
  // Computed afresh, the start band gives the curve every slot starts with.
  PlotBand fresh = *a.GetBand(5);
  BiquadCoefficients c;
  ASSERT_TRUE(DesignBiquad(fresh, c));
  EvaluateResponse(fresh, c);
  EXPECT_EQ(a.GetBand(5)->Response, fresh.Response);
  EXPECT_TRUE(a.GetBand(5)->Response.SharesWith(b.GetBand(20)->Response));

  // Writing one slot leaves the others, in this model and another, alone.
  const ResponseCurve before = b.GetBand(5)->Response;
  a.SetBand(5, 6.0, 1000.0, 1.41, ftPeak);
  EXPECT_FALSE(a.GetBand(5)->Response == before);
  EXPECT_EQ(b.GetBand(5)->Response, before);
  EXPECT_EQ(a.GetBand(6)->Response, before);

  // A copy taken of a total keeps its values when the total is summed again.
  a.DrawSum(0);
  b.GetBand(18)->Response = std::as_const(a).GetBand(PlotTotalSlot)->Response;
  const double peak = std::as_const(a).GetBand(PlotTotalSlot)->Response[2625];
  a.SetBand(5, -6.0, 1000.0, 1.41, ftPeak);
  a.DrawSum(0);
  EXPECT_EQ(std::as_const(b).GetBand(18)->Response[2625], peak);
  EXPECT_NE(std::as_const(a).GetBand(PlotTotalSlot)->Response[2625], peak);
  // Written through an index, a shared curve takes its own array first.
  b.GetBand(18)->Response[0] = 99.0;
  EXPECT_NE(std::as_const(a).GetBand(PlotTotalSlot)->Response[0], 99.0);

  // Unity sections share one curve per view, equal to their own evaluation.
  for (bool phase : {false, true}) {
    a.SetPhaseMode(phase);
    a.SetCrossoverBand(13, 0, 80, 0.05, ftUnity, 0, 0);
    a.SetCrossoverBand(14, 0, 5000, 0.05, ftUnity, 0, 0);
    PlotBand unity = *a.GetBand(13);
    ASSERT_TRUE(DesignBiquad(unity, c));
    EvaluateResponse(unity, c);
    EXPECT_EQ(std::as_const(a).GetBand(13)->Response, unity.Response);
    EXPECT_TRUE(a.GetBand(13)->Response.SharesWith(a.GetBand(14)->Response));
  }
}

TEST(PlotModel, BypassedBandAddsNothingAndPeqTypesMap) {
  Plot model(nullptr);
  model.SetBand(0, 9.0, 500.0, 2.0, PeqTypeToFilterType[0]);
  model.DrawSum(0);
  const auto withPeak = model.GetBand(12)->Response;
  model.SetBand(1, 0.0, 3000.0, 1.0, BypassedFilterType);
  model.DrawSum(0);
  EXPECT_EQ(model.GetBand(12)->Response, withPeak);
  EXPECT_EQ((std::vector<int>(PeqTypeToFilterType.begin(), PeqTypeToFilterType.end())),
            (std::vector<int>{1, 2, 3, 5, 4, 7, 17}));
  // A type outside 1..17 designs nothing and keeps the last response.
  model.SetBand(0, 9.0, 500.0, 2.0, 42);
  EXPECT_FALSE(model.DesignBiquad(0));
  model.DrawSum(0);
  EXPECT_EQ(model.GetBand(12)->Response, withPeak);
}

TEST(PlotModel, PhaseTotalFoldsIntoTheScale) {
  Plot model(nullptr);
  model.SetPhaseMode(true);
  // Write slot responses directly, as the strip view does for the cut totals.
  for (int slot = 0; slot < 12; ++slot) model.GetBand(slot)->Response.fill(0.0);
  model.GetBand(10)->Response.fill(12.0);
  model.GetBand(11)->Response.fill(8.0);
  model.DrawSum(0);
  EXPECT_EQ(model.GetBand(12)->Response[100], -16.0);
  model.GetBand(10)->Response.fill(-12.0);
  model.GetBand(11)->Response.fill(-8.0);
  model.DrawSum(0);
  EXPECT_EQ(model.GetBand(12)->Response[100], 16.0);
  // Eleven half turns need more than two steps.
  for (int slot = 0; slot < 11; ++slot) model.GetBand(slot)->Response.fill(18.0);
  model.GetBand(11)->Response.fill(1.0);
  model.DrawSum(0);
  EXPECT_EQ(model.GetBand(12)->Response[100], -17.0);
}

TEST(PlotModel, ColourTablesAreBoundsChecked) {
  EXPECT_EQ(StripCurveColor(0), 0x000080u);
  EXPECT_EQ(StripCurveColor(15), 0xF0FBFFu);
  EXPECT_NE(StripCurveColor(18), 0u);
  for (int s = 0; s < 16; ++s) EXPECT_NE(StripCurveColor(18), StripCurveColor(s));
  EXPECT_EQ(BandMarkerColor(0), 0x0000FFu);
  EXPECT_EQ(BandMarkerColor(42), BandMarkerColor(0));
  EXPECT_EQ(BandMarkerColor(49), BandMarkerColor(7));
}

// Every band's row number reads on the dark panel; a colour light enough
// already stays the band's own.
TEST(PlotModel, BandLabelsAreLightEnoughToRead) {
  auto luma = [](std::uint32_t c) {
    return ((c & 0xFF) * 299 + ((c >> 8) & 0xFF) * 587 + ((c >> 16) & 0xFF) * 114) / 1000;
  };
  for (int slot = 0; slot < 14; ++slot) {
    SCOPED_TRACE(slot);
    const std::uint32_t label = BandLabelColor(slot);
    EXPECT_GE(luma(label), 110u);
    if (luma(BandMarkerColor(slot)) >= 110) {
      EXPECT_EQ(label, BandMarkerColor(slot));
    }
  }
  // Band 6's pure blue stays blue: its blue channel leads.
  const std::uint32_t six = BandLabelColor(5);
  EXPECT_EQ((six >> 16) & 0xFF, 0xFFu);
  EXPECT_LT(six & 0xFF, 0xC0u);
}

TEST(PlotModel, DrivesItsPlot) {
  FormFixture f(1100, 300);
  LMyFFTDrawPhase* view = MakeStripPlot(f.form.get());
  f.Show();
  Plot model(view);
  model.SetBand(2, 6.0, 1000.0, 1.41, 1);
  model.DrawSum(3);
  int n = 0;
  ASSERT_TRUE(view->GetPlotNumPoints(n, 12));
  EXPECT_EQ(n, 4096);
  TColor c = 0;
  ASSERT_TRUE(view->GetPlotColor(c, 12));
  EXPECT_EQ(c, static_cast<TColor>(StripCurveColor(3)));
  // A second total keeps the curve's colour.
  model.DrawSum(5);
  ASSERT_TRUE(view->GetPlotColor(c, 12));
  EXPECT_EQ(c, static_cast<TColor>(StripCurveColor(3)));
  // The marker of slot 2 stands at the band's frequency and the given level.
  model.DrawBand(2, 6.0f, 1);
  EXPECT_EQ(view->GetBlockPos(2),
            TPoint(TruncPixel(view->ScreenX(FrequencyToGridX(1000.0))), TruncPixel(view->ScreenY(6.0))));
  model.DrawBandCurve(2, clAqua);
  EXPECT_TRUE(view->GetPlotNumPoints(n, 2));
  model.RemoveBandCurve(2);
  EXPECT_FALSE(view->GetPlotNumPoints(n, 2));
  // A negative slot captions slot 0; show clear only hides.
  model.DrawBandParam(0, -4, 3.0f, 1.0f, true);
  EXPECT_TRUE(view->GetCurveDisplay());
  model.DrawBandParam(0, 0, 3.0f, 1.0f, false);
  EXPECT_FALSE(view->GetCurveDisplay());
}
