// Axis drawing: the room an axis asks of the layout, and the scale line,
// marks, labels, title and grid probed at their pixels; labels of axes
// crossing the data view keep clear of what is already there.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "instruments/base/iDrawing.h"
#include "instruments/plot/iPlotAxis.h"
#include "platform/classlib/PicturePng.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

namespace {

// A plot as far as axes see it.
class TAxisHost : public TCustomControl, public IiPlotAxisHost {
 public:
  TAxisHost() : TCustomControl(nullptr) {}
  void AddAxesCollisionRect(const TRect& R) override { Rects.push_back(R); }
  bool TryAddAxesCollisionRect(const TRect& R) override {
    for (const TRect& r : Rects)
      if (!IntersectRect(r, R).IsEmpty()) return false;
    if (!Rects.empty() && (R.Left < DataView.Left || R.Top < DataView.Top || R.Right > DataView.Right ||
                           R.Bottom > DataView.Bottom))
      return false;
    Rects.push_back(R);
    return true;
  }
  void DoAxisCustomizeLabel(TiPlotAxis* Axis, std::string& Text, double Value) override {
    if (OnLabel) OnLabel(Axis, Text, Value);
  }
  std::vector<TRect> Rects;
  TRect DataView;
  std::function<void(TiPlotAxis*, std::string&, double)> OnLabel;
};

constexpr TColor kBack = 0x202020;

class PlotAxisDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    Sheet.GetCanvas()->Brush->SetColor(kBack);
    Sheet.GetCanvas()->FillRect(TRect(0, 0, 320, 220));
  }
  std::unique_ptr<TiPlotAxis> Axis(bool Horizontal, TRect R, double Min, double Span) {
    auto a = std::make_unique<TiPlotXAxis>(&Host, nop, nop, nop, nop);
    a->SetHorizontal(Horizontal);
    a->SetMinSpan(Min, Span);
    a->SetDrawRect(R);
    return a;
  }
  void Paint(TiPlotAxis& A) {
    A.CalcTicks(Canvas());
    A.GetRequiredWidth(Canvas());
    A.UpdateCanDraw();
    A.Draw(Canvas(), kBack);
  }
  TCanvas* Canvas() { return Sheet.GetCanvas(); }
  TColor Pixel(int X, int Y) { return Canvas()->GetPixels(X, Y); }
  // Any pixel of R in a colour other than the background.
  bool Inked(const TRect& R) {
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x)
        if (Pixel(x, y) != kBack) return true;
    return false;
  }
  void Save(const std::string& Name) {
    TPngImage png;
    png.Assign(&Sheet);
    png.SaveToFile(::testing::TempDir() + Name);
  }
  TAxisHost Host;
  TBitmap Sheet{320, 220};
  TNotifyEvent nop = [](TObject*) {};
};

TEST_F(PlotAxisDrawTest, RequiredWidthCountsTicksLabelsAndTitle) {
  auto a = Axis(false, TRect(0, 10, 60, 160), -100, 120);
  const int full = a->GetRequiredWidth(Canvas());
  Canvas()->Font->Assign(a->GetLabelsFont());
  const int labelsMargin = iRound(Canvas()->TextHeight("A") * 0.25);
  const int widest = a->GetWidestLabel(Canvas());
  EXPECT_EQ(full, 5 + 5 + 7 + labelsMargin + widest);
  EXPECT_EQ(a->GetTitleOffset(), 7 + 5 + labelsMargin + widest);

  a->SetScaleLinesShow(false);  // the program's axes: no tick length
  EXPECT_EQ(a->GetRequiredWidth(Canvas()), full - 7);
  a->SetScaleLinesShow(true);
  a->SetMajorLength(-4);  // a negative length counts as none, the minor one stays
  EXPECT_EQ(a->GetRequiredWidth(Canvas()), full - 7 + 3);
  a->SetMajorLength(7);

  a->SetTitle("Gain");
  EXPECT_EQ(a->GetRequiredWidth(Canvas()), full);  // title hidden
  a->SetTitle(" ");
  a->SetTitleShow(true);  // shown yet blank: its margin and height count
  Canvas()->Font->Assign(a->GetTitleFont());
  const int th = MultiLineTextHeight(Canvas(), " ");
  EXPECT_EQ(a->GetRequiredWidth(Canvas()), full + iRound(th * 1.25));
  a->SetTitleShow(false);

  // Turned labels of a left axis are as wide as the text is high.
  a->SetLabelsRotation(ira090);
  Canvas()->Font->Assign(a->GetLabelsFont());
  EXPECT_EQ(a->GetRequiredWidth(Canvas()),
            5 + 5 + 7 + labelsMargin + MultiLineTextHeight(Canvas(), a->GetLabelText(-100)));
  a->SetLabelsVisible(false);
  EXPECT_EQ(a->GetRequiredWidth(Canvas()), 5 + 5 + 7);
  EXPECT_EQ(a->GetRequiredEndMargin(Canvas()), 0);
}

TEST_F(PlotAxisDrawTest, EndMarginIsHalfTheLabelAlongTheAxis) {
  auto x = Axis(true, TRect(40, 160, 280, 200), -100, 120);
  auto y = Axis(false, TRect(0, 10, 40, 160), -100, 120);
  Canvas()->Font->Assign(x->GetLabelsFont());
  const int xyz = MultiLineTextHeight(Canvas(), "XYZ");
  EXPECT_EQ(x->GetRequiredEndMargin(Canvas()), x->GetWidestLabel(Canvas()) / 2);
  EXPECT_EQ(y->GetRequiredEndMargin(Canvas()), xyz / 2);
  x->SetLabelsRotation(ira270);
  y->SetLabelsRotation(ira090);
  EXPECT_EQ(x->GetRequiredEndMargin(Canvas()), xyz / 2);
  EXPECT_EQ(y->GetRequiredEndMargin(Canvas()), y->GetWidestLabel(Canvas()) / 2);
}

TEST_F(PlotAxisDrawTest, ScaleLineAndMarksAtTheirPixels) {
  auto x = Axis(true, TRect(40, 160, 280, 200), 0, 100);
  x->SetMinorCount(1);
  x->SetDesiredIncrement(50);
  auto y = Axis(false, TRect(0, 10, 40, 160), 0, 100);
  y->SetDesiredIncrement(50);
  y->SetMinorCount(0);
  Paint(*x);
  Paint(*y);
  auto top = Axis(true, TRect(40, 0, 280, 10), 0, 90);  // no mark at its right end
  top->SetDesiredIncrement(50);
  top->SetReverseSide(true);
  top->SetLabelsVisible(false);
  Paint(*top);
  Save("plot-axis-lines.png");

  // Bottom axis: the line 5 pixels below its top edge, ends included.
  EXPECT_EQ(Pixel(40, 165), clWhite);
  EXPECT_EQ(Pixel(280, 165), clWhite);
  EXPECT_EQ(Pixel(281, 165), kBack);
  // Majors at 0, 50, 100 reach 7 pixels out; the minor at 25 three.
  for (int p : {40, 160, 280}) {
    EXPECT_EQ(Pixel(p, 171), clWhite) << p;
    EXPECT_EQ(Pixel(p, 172), kBack) << p;
  }
  EXPECT_EQ(Pixel(100, 168), clWhite);
  EXPECT_EQ(Pixel(100, 169), kBack);
  EXPECT_EQ(Pixel(101, 166), kBack);
  // Left axis: the line 5 pixels in from its right edge, both ends drawn.
  EXPECT_EQ(Pixel(35, 10), clWhite);
  EXPECT_EQ(Pixel(35, 160), clWhite);
  EXPECT_EQ(Pixel(29, 85), clWhite);  // the major at 50
  EXPECT_EQ(Pixel(28, 85), kBack);
  // A top axis' line stops one pixel short of the right end.
  EXPECT_EQ(Pixel(40, 5), clWhite);
  EXPECT_EQ(Pixel(279, 5), clWhite);
  EXPECT_EQ(Pixel(280, 5), kBack);

  // Labels sit below the bottom axis' marks, centred on their tick.
  Canvas()->Font->Assign(x->GetLabelsFont());
  const int d = 5 + 7 + iRound(MultiLineTextHeight(Canvas(), "A") * 0.25);
  const int th = MultiLineTextHeight(Canvas(), "50");
  EXPECT_TRUE(Inked(TRect(150, 160 + d, 170, 160 + d + th)));
  EXPECT_FALSE(Inked(TRect(110, 173, 140, 200)));
}

TEST_F(PlotAxisDrawTest, ProgramAxesDrawOnlyYellowLabels) {
  auto y = Axis(false, TRect(0, 10, 40, 160), -100, 120);
  y->SetScaleLinesShow(false);
  y->SetDesiredStart(20);
  y->SetDesiredIncrement(10);
  y->SetLabelsPrecision(2);
  y->SetLabelsMinLength(3);
  TFont f;
  f.SetName("MS Sans Serif");
  f.SetHeight(-11);
  f.SetColor(clYellow);
  y->SetLabelsFont(&f);
  y->SetTitle("Output");
  Paint(*y);
  Save("plot-axis-program.png");
  bool yellow = false;
  for (int yy = 10; yy <= 160; ++yy) {
    // No scale line at 35 and no marks from 29 on; labels end 8 pixels in.
    for (int xx = 33; xx <= 35; ++xx) EXPECT_EQ(Pixel(xx, yy), kBack) << xx << "," << yy;
    for (int xx = 0; xx < 35; ++xx) {
      const TColor c = Pixel(xx, yy);  // text edges are blended
      yellow = yellow || (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 100);
    }
  }
  EXPECT_TRUE(yellow);
}

TEST_F(PlotAxisDrawTest, TitleBesideTheLabels) {
  auto x = Axis(true, TRect(40, 150, 280, 215), 0, 100);
  x->SetTitle("Input (dB)");
  x->SetTitleShow(true);
  Paint(*x);
  Save("plot-axis-title.png");
  Canvas()->Font->Assign(x->GetTitleFont());
  const int h = MultiLineTextHeight(Canvas(), "Input (dB)");
  EXPECT_TRUE(Inked(TRect(120, 215 - 5 - h, 200, 215 - 5)));
  EXPECT_FALSE(Inked(TRect(40, 215 - 4, 280, 215)));  // the outer margin stays clear
}

// Four sides with titles and turned labels, each as thick as it asks, on
// one sheet for looking at.
TEST_F(PlotAxisDrawTest, FourSidesWithTitlesAndTurnedLabels) {
  struct Side {
    bool Horizontal, Reverse;
    TiRotationAngle Rotation;
    bool TitleRotated;
  } sides[] = {
      {false, false, ira090, false},  // left
      {false, true, ira000, true},    // right
      {true, true, ira270, false},    // top
      {true, false, ira000, false},   // bottom
  };
  std::vector<std::unique_ptr<TiPlotAxis>> axes;
  int w[4];
  for (int i = 0; i < 4; ++i) {
    auto a = Axis(sides[i].Horizontal, TRect(), -100, 120);
    a->SetReverseSide(sides[i].Reverse);
    a->SetLabelsRotation(sides[i].Rotation);
    a->SetTitle("Level (dB)");
    a->SetTitleShow(true);
    a->SetTitleRotated(sides[i].TitleRotated);
    a->SetDesiredIncrement(40);
    w[i] = a->GetRequiredWidth(Canvas());
    axes.push_back(std::move(a));
  }
  const TRect data(w[0], w[2], 320 - w[1], 220 - w[3]);
  ASSERT_GT(data.Width(), 40);
  ASSERT_GT(data.Height(), 40);
  axes[0]->SetDrawRect(TRect(0, data.Top, data.Left, data.Bottom));
  axes[1]->SetDrawRect(TRect(data.Right, data.Top, 320, data.Bottom));
  axes[2]->SetDrawRect(TRect(data.Left, 0, data.Right, data.Top));
  axes[3]->SetDrawRect(TRect(data.Left, data.Bottom, data.Right, 220));
  for (auto& a : axes) {
    Paint(*a);
    EXPECT_EQ(a->GetLastRequiredWidth(), w[&a - &axes[0]]);  // the same once ticks are built
  }
  Save("plot-axis-sides.png");
  // Labels lie beside their marks on every side.
  EXPECT_TRUE(Inked(TRect(data.Left - 30, data.Top, data.Left - 13, data.Bottom)));
  EXPECT_TRUE(Inked(TRect(data.Right + 13, data.Top, data.Right + 30, data.Bottom)));
  EXPECT_TRUE(Inked(TRect(data.Left, data.Top - 30, data.Right, data.Top - 13)));
  EXPECT_TRUE(Inked(TRect(data.Left, data.Bottom + 13, data.Right, data.Bottom + 25)));
}

TEST_F(PlotAxisDrawTest, CartesianLabelsKeepClearOfTakenPlaces) {
  Host.DataView = TRect(20, 20, 300, 200);
  auto x = Axis(true, TRect(20, 110, 300, 110), -100, 200);
  x->SetCartesianStyle(ipcsMaster);
  x->SetDesiredIncrement(50);
  x->SetMinorCount(0);
  auto y = Axis(false, TRect(160, 20, 160, 200), -100, 200);
  y->SetCartesianStyle(ipcsMaster);
  y->SetDesiredIncrement(50);
  y->SetMinorCount(0);
  x->CalcTicks(Canvas());
  y->CalcTicks(Canvas());
  x->UpdateCanDraw();
  y->UpdateCanDraw();
  // Each registers the one-pixel rectangle of its line.
  ASSERT_EQ(Host.Rects.size(), 2u);
  EXPECT_EQ(Host.Rects[0], TRect(20, 110, 301, 111));
  EXPECT_EQ(Host.Rects[1], TRect(160, 20, 161, 201));
  x->GetRequiredWidth(Canvas());
  y->GetRequiredWidth(Canvas());
  x->Draw(Canvas(), kBack);
  y->Draw(Canvas(), kBack);
  Save("plot-axis-cartesian.png");
  // Marks are centred on the line: 4 pixels either side of a major.
  EXPECT_EQ(Pixel(90, 106), clWhite);
  EXPECT_EQ(Pixel(90, 114), clWhite);
  EXPECT_EQ(Pixel(90, 115), kBack);
  // The X label of 0 would sit on the Y axis' line: it is left out. The
  // label of -100 would leave the data view at its left end: left out too.
  Canvas()->Font->Assign(x->GetLabelsFont());
  const int below = 110 + iRound(MultiLineTextHeight(Canvas(), "A") * 0.25) + 4;
  EXPECT_FALSE(Inked(TRect(150, below, 159, below + 10)));
  EXPECT_FALSE(Inked(TRect(0, below, 20, below + 10)));
  EXPECT_TRUE(Inked(TRect(85, below, 105, below + 12)));  // -50 is drawn
  // The focus rectangle lies across the line.
  EXPECT_EQ(x->GetFocusRect().Top, 110 - 4 - 5);
  EXPECT_EQ(x->GetFocusRect().Bottom, 110 - 4 - 5 + x->GetLastRequiredWidth());
}

TEST_F(PlotAxisDrawTest, GridLinesAtShownTicksUnlessHidden) {
  auto x = Axis(true, TRect(40, 160, 280, 200), 0, 100);
  x->SetDesiredIncrement(50);
  x->SetMinorCount(1);
  x->CalcTicks(Canvas());
  TiPlotGridLines g;
  g.MajorColor = clLime;
  g.MinorColor = clRed;
  g.ShowMinors = true;
  x->DrawGridLines(Canvas(), TRect(40, 10, 281, 150), g);
  EXPECT_EQ(Pixel(160, 10), clLime);
  EXPECT_EQ(Pixel(160, 149), clLime);
  EXPECT_EQ(Pixel(160, 150), kBack);
  EXPECT_EQ(Pixel(100, 80), clRed);
  x->SetGridLinesVisible(false);
  x->DrawGridLines(Canvas(), TRect(40, 151, 281, 159), g);
  EXPECT_EQ(Pixel(160, 155), kBack);
}

TEST_F(PlotAxisDrawTest, CustomizedLabelsAndTheGrowingMinimumLength) {
  auto x = Axis(true, TRect(40, 160, 280, 200), 0, 100);
  // A handler that sets the axis' text wins over the text it leaves.
  Host.OnLabel = [](TiPlotAxis* A, std::string& Text, double Value) {
    Text = "ignored";
    if (Value == 50) A->SetCustomizeLabelEventText("half");
  };
  EXPECT_EQ(x->GetLabelText(50), "half");
  EXPECT_EQ(x->GetLabelText(40), "ignored");
  EXPECT_EQ(x->GetLegendText(50), "half");
  // A log scale has no text for values at or below zero, and no event.
  x->SetScaleType(ipstLog10);
  EXPECT_EQ(x->GetLabelText(0), "Unknown");
  x->SetScaleType(ipstLinear);
  // A handler that fails leaves "Error".
  Host.OnLabel = [](TiPlotAxis*, std::string&, double) { throw Exception("no"); };
  EXPECT_EQ(x->GetCursorText(1), "Error");

  Host.OnLabel = [](TiPlotAxis*, std::string& Text, double) { Text += " dBFS"; };
  x->SetLabelsMinLength(3);
  x->GetWidestLabel(Canvas());
  EXPECT_EQ(x->GetLabelsMinLength(), 3);  // no adjusting unless asked
  x->SetLabelsMinLengthAutoAdjust(true);
  x->GetLabelText(100);  // only while the widest label is measured
  EXPECT_EQ(x->GetLabelsMinLength(), 3);
  const int before = x->GetWidestLabel(Canvas());
  EXPECT_EQ(x->GetLabelsMinLength(), 8);  // "100 dBFS"
  Canvas()->Font->Assign(x->GetLabelsFont());
  EXPECT_EQ(x->GetWidestLabel(Canvas()), std::max(before, iRound(Canvas()->TextWidth("0") * 8)));
  x->SetMinSpan(0, 1);
  x->GetWidestLabel(Canvas());
  EXPECT_EQ(x->GetLabelsMinLength(), 9);  // "1.00 dBFS"; it never shrinks by itself
  x->SetMinSpan(0, 100);
  x->GetWidestLabel(Canvas());
  EXPECT_EQ(x->GetLabelsMinLength(), 9);

  // Legend and cursor widths follow their own minimum length when asked.
  TFont f;
  Canvas()->Font->Assign(&f);
  const int w0 = Canvas()->TextWidth("0");
  EXPECT_EQ(x->GetLegendTextWidth(Canvas(), &f), iRound(w0 * 9));
  x->SetLegendUseDefaultFormat(false);
  x->SetLegendMinLength(2.5);
  EXPECT_EQ(x->GetLegendTextWidth(Canvas(), &f), iRound(w0 * 2.5));
  x->SetCursorUseDefaultFormat(false);
  x->SetCursorMinLength(4);
  EXPECT_EQ(x->GetCursorTextWidth(Canvas(), &f), w0 * 4);
}

TEST_F(PlotAxisDrawTest, WidestLabelOfAScaleAtTheEndsOfTheRange) {
  // Min / Span is beyond any number here: the widest label is measured on Min.
  auto x = Axis(true, TRect(0, 0, 600, 20), 1e300, 1e-300);
  Canvas()->Font->Assign(x->GetLabelsFont());
  const int w = x->GetWidestLabel(Canvas());
  EXPECT_GE(w, iRound(Canvas()->TextWidth("0") * 5));
  EXPECT_EQ(w, std::max(iRound(Canvas()->TextWidth("0") * 5),
                        MultiLineTextWidth(Canvas(), x->GetLabelText(1e300))));
  x->CalcTicks(Canvas());  // and the paint's tick step gets through it
}

TEST_F(PlotAxisDrawTest, TicksFromTheCanvasFitTheLabels) {
  // The compressor's X axis: majors every 10 when more than twelve fit.
  auto x = Axis(true, TRect(0, 0, 600, 20), -100, 120);
  x->SetDesiredStart(20);
  x->SetDesiredIncrement(10);
  x->SetMinorCount(4);
  x->SetLabelsPrecision(2);
  x->CalcTicks(Canvas());
  EXPECT_EQ(x->GetMajorIncrement(), 10);
  EXPECT_EQ(x->GetTick(0).Text, "-100");
  // Squeezed to 100 pixels the desired increment no longer fits.
  x->SetDrawRect(TRect(0, 0, 100, 20));
  x->CalcTicks(Canvas());
  EXPECT_GT(x->GetMajorIncrement(), 10);
}

}  // namespace
