// The XY plot rendered whole: set up in code as the program's transfer
// plots are, and with its default objects shown. The images are saved
// under /tmp/hcore for a look.

#include <filesystem>

#include "instruments/plot/iXYPlot.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;

namespace {

// The program's transfer plots: axes -100..+20 with yellow 11-pixel
// labels and no lines, two channels, the toolbar, legend, cursor and title
// hidden, the data view on layer 0, and no popups, editing, selection or
// hints.
void SetUpAsTransferPlot(TiXYPlot& Plot) {
  Plot.AddChannel();
  Plot.GetToolBar(0)->SetVisible(false);
  Plot.GetLegend(0)->SetVisible(false);
  Plot.GetDataCursor(0)->SetVisible(false);
  Plot.SetTitleVisible(false);
  Plot.SetUserCanEditObjects(false);
  Plot.SetHintsShow(false);
  Plot.GetDataView(0)->SetLayer(0);
  Plot.GetDataView(0)->SetPopupEnabled(false);
  Plot.GetDataView(0)->SetCanFocus(false);
  TFont labels;
  labels.SetName("MS Sans Serif");
  labels.SetHeight(-11);
  labels.SetColor(clYellow);
  struct {
    TiPlotAxis* Axis;
    double Increment;
    int MinorCount;
    double MinLength;
  } axes[] = {{Plot.GetXAxis(0), 20, 4, 5}, {Plot.GetYAxis(0), 10, 1, 3}};
  for (const auto& a : axes) {
    a.Axis->SetTrackingEnabled(false);
    a.Axis->SetMinSpan(-100, 120);
    a.Axis->SetEnabled(false);
    a.Axis->SetPopupEnabled(false);
    a.Axis->SetCanFocus(false);
    a.Axis->SetDesiredStart(20);
    a.Axis->SetDesiredIncrement(a.Increment);
    a.Axis->SetMinorCount(a.MinorCount);
    a.Axis->SetLabelsPrecision(2);
    a.Axis->SetLabelsMinLength(a.MinLength);
    a.Axis->SetLabelsFont(&labels);
    a.Axis->SetScaleLinesShow(false);
    a.Axis->SetTitleShow(false);
  }
  for (int i = 0; i < Plot.GetChannelCount(); ++i) {
    Plot.GetChannel(i)->SetPopupEnabled(false);
    Plot.GetChannel(i)->SetCanFocus(false);
  }
}

std::unique_ptr<TBitmap> Render(TiPlotComponent& Plot, const std::string& Name) {
  auto bitmap = std::make_unique<TBitmap>(Plot.GetWidth(), Plot.GetHeight());
  Plot.iPaintToCanvas(bitmap->GetCanvas());
  std::filesystem::create_directories("/tmp/hcore");
  bitmap->SaveToFile("/tmp/hcore/" + Name + ".bmp");
  Plot.SaveImageToPNG("/tmp/hcore/" + Name + ".png", 6);
  return bitmap;
}

int CountColour(TBitmap& Bitmap, const TRect& R, TColor Colour) {
  int n = 0;
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x) n += Bitmap.GetCanvas()->GetPixels(x, y) == ColorToRGB(Colour);
  return n;
}

// Text is smoothed: yellow-ish pixels (strong red and green, little blue).
int CountYellowish(TBitmap& Bitmap, const TRect& R) {
  int n = 0;
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x) {
      const TColor c = Bitmap.GetCanvas()->GetPixels(x, y);
      n += (c & 0xFF) > 0x80 && ((c >> 8) & 0xFF) > 0x80 && ((c >> 16) & 0xFF) < 0x60;
    }
  return n;
}

TEST(XYPlotRender, TransferPlotAsTheProgramSetsItUp) {
  classlib_test::App();
  TiXYPlot plot(nullptr);
  plot.SetBounds(0, 0, 260, 240);
  SetUpAsTransferPlot(plot);
  // A 4:1 compressor above -40: the curve, then the threshold dot.
  TiXYPlotChannel* curve = plot.GetChannel(0);
  curve->SetColor(clAqua);
  curve->DeletePoints(curve->GetCount());
  curve->AddXY(-100, -100);
  curve->AddXY(-40, -40);
  curve->AddXY(20, -25);
  TiXYPlotChannel* dot = plot.GetChannel(1);
  dot->SetColor(clRed);
  dot->SetMarkersVisible(true);
  dot->SetMarkersSize(3);
  dot->AddXY(-40, -40);
  auto bitmap = Render(plot, "transfer");
  const TRect dv = plot.GetDataView(0)->GetDrawRect();
  // Labels below and left of the data view, in yellow; nothing above it.
  EXPECT_GT(CountYellowish(*bitmap, TRect(dv.Left, dv.Bottom + 1, dv.Right, plot.GetHeight())), 0);
  EXPECT_GT(CountYellowish(*bitmap, TRect(0, dv.Top, dv.Left, dv.Bottom)), 0);
  EXPECT_LT(dv.Top, 20);
  // The green grid inside.
  EXPECT_GT(CountColour(*bitmap, dv, 0x008000), 0);
  // The X axis maps -100 and +20 to the data view's ends.
  EXPECT_EQ(plot.GetXAxis(0)->PositionToPixels(-100), dv.Left);
  EXPECT_EQ(plot.GetXAxis(0)->PositionToPixels(20), dv.Right);
  EXPECT_EQ(plot.GetYAxis(0)->PositionToPixels(20), dv.Top);
  // The curve at its ends, the dot over the knee.
  TCanvas* c = bitmap->GetCanvas();
  auto near = [&](double X, double Y, TColor Colour) {
    const int x = plot.GetXAxis(0)->PositionToPixels(X), y = plot.GetYAxis(0)->PositionToPixels(Y);
    // Slanted lines are smoothed and stepped: a pixel close to the colour
    // within two rows counts.
    auto close = [](TColor a, TColor b) {
      for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 0x70)
          return false;
      return true;
    };
    for (int dy = -2; dy <= 2; ++dy)
      if (close(c->GetPixels(x, y + dy), ColorToRGB(Colour))) return true;
    return false;
  };
  EXPECT_TRUE(near(-70, -70, clAqua));
  EXPECT_TRUE(near(-40, -40, clRed));
  EXPECT_TRUE(near(-10, -32.5, clAqua));
  EXPECT_FALSE(near(-10, -10, clAqua));
}

TEST(XYPlotRender, DefaultObjectsShown) {
  classlib_test::App();
  TiXYPlot plot(nullptr);
  plot.SetBounds(0, 0, 500, 300);
  plot.SetTitleText("Transfer");
  auto bitmap = Render(plot, "default");
  const TRect bar = plot.GetToolBar(0)->GetDrawRect();
  const TRect title = plot.GetLabel(0)->GetDrawRect();
  EXPECT_EQ(bar.Top, 2);
  // The title next to the data view, inside the border and outer margin.
  EXPECT_EQ(title.Top, 36 + 2 + 5);
  EXPECT_LE(title.Bottom, plot.GetDataView(0)->GetDrawRect().Top);
  EXPECT_GT(CountColour(*bitmap, title, clWhite), 0);
  EXPECT_GT(CountColour(*bitmap, bar, clBtnFace), 0);

  // The cursor button shows the data cursor over a channel with points.
  for (int i = 0; i <= 10; ++i) plot.GetChannel(0)->AddXY(i * 10, 50 + 40 * ((i % 4) - 1.5) / 1.5);
  plot.GetToolBar(0)->DoButtonClickCursor();
  EXPECT_TRUE(plot.GetDataCursor(0)->GetVisible());
  auto withCursor = Render(plot, "default-cursor");
  EXPECT_GT(CountColour(*withCursor, plot.GetDataView(0)->GetDrawRect(), clRed), 0);
}

TEST(XYPlotRender, ReversedAxesWithASideTitle) {
  classlib_test::App();
  TiXYPlot plot(nullptr);
  plot.SetBounds(0, 0, 400, 260);
  plot.GetToolBar(0)->SetVisible(false);
  plot.SetXYAxesReverse(true);
  plot.GetXAxis(0)->SetMinSpan(-100, 120);
  plot.GetYAxis(0)->SetMinSpan(0, 50);
  // The title beside the data view, on the right, reading upward.
  TiPlotLabel* title = plot.GetLabel(0);
  title->SetHorizontal(false);
  title->SetZOrder(3);
  plot.SetTitleText("Reversed");
  TiXYPlotChannel* ch = plot.GetChannel(0);
  ch->AddXY(-90, 5);
  ch->AddXY(10, 45);
  auto bitmap = Render(plot, "reversed");
  const TRect dv = plot.GetDataView(0)->GetDrawRect();
  // X runs up the left side, Y along the bottom.
  EXPECT_LT(plot.GetXAxis(0)->GetDrawRect().Right, dv.Left + 1);
  EXPECT_GT(plot.GetYAxis(0)->GetDrawRect().Top, dv.Bottom - 1);
  EXPECT_GE(title->GetDrawRect().Left, dv.Right);
  EXPECT_GT(CountColour(*bitmap, title->GetDrawRect(), clWhite), 0);
}

}  // namespace
