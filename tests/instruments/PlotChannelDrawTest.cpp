// Channel drawing: segment clipping and marker figures as tables, probes of
// a trace and its markers drawn on a small canvas, huge values, and the
// mouse on points (hit test, hint, drag).

#include <cmath>
#include <limits>

#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotDataView.h"
#include "platform/classlib/PicturePng.h"
#include "tests/instruments/PlotTestHost.h"

using namespace instruments_test;

namespace {

// A channel that draws every point it holds.
class TAllPointsChannel : public TiPlotChannelCustom {
 public:
  using TiPlotChannelCustom::TiPlotChannelCustom;
  void CalcStartIndex() override { FStartIndex = GetCount() > 0 ? 0 : -1; }
  void CalcStopIndex() override { FStopIndex = GetCount() - 1; }
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override {
    CalcStartIndex();
    CalcStopIndex();
    DrawTrace(Canvas, GetXYAxesReversed(), BackGroundColor);
    DrawMarkers(Canvas, GetXYAxesReversed(), BackGroundColor);
  }
};

TEST(PlotChannelGeometry, LinesThroughTwoPoints) {
  EXPECT_EQ(iPlotLineYAtX(5, 0, 0, 10, 20), 10);
  EXPECT_EQ(iPlotLineYAtX(5, 3, 1, 3, 9), 0);
  EXPECT_EQ(iPlotLineXAtY(10, 0, 0, 10, 20), 5);
  EXPECT_EQ(iPlotLineXAtY(10, 3, 1, 3, 9), 3);
  EXPECT_EQ(iPlotLineXAtY(10, 3, 1, 8, 1), 3);  // horizontal: no division by zero
}

TEST(PlotChannelGeometry, SegmentClipping) {
  struct {
    const char* Name;
    TiPlotSegment In;
    bool ClipY;
    bool Drawn;
    TiPlotSegment Out;
  } cases[] = {
      {"cut at XMin even without clipping", {-10, 0, 10, 20}, false, true, {0, 10, 10, 20}},
      {"above the Y range, not clipping", {10, 50, 20, 60}, false, true, {10, 50, 20, 60}},
      {"above the Y range, clipping", {10, 50, 20, 60}, true, false, {}},
      {"cut at YMax", {0, 5, 10, 15}, true, true, {0, 5, 5, 10}},
      {"ends ordered by X", {10, 15, 0, 5}, true, true, {0, 5, 5, 10}},
      {"both ends left of XMin", {-20, 5, -10, 5}, false, false, {}},
      {"spanning all of X", {-100, 5, 200, 5}, true, true, {0, 5, 100, 5}},
      {"crossing Y from above to below", {0, 20, 10, -10}, true, true, {10.0 / 3, 10, 20.0 / 3, 0}},
  };
  for (const auto& c : cases) {
    TiPlotSegment s = c.In;
    ASSERT_EQ(iPlotClipSegment(s, 0, 100, 0, 10, c.ClipY), c.Drawn) << c.Name;
    if (!c.Drawn) continue;
    EXPECT_DOUBLE_EQ(s.X1, c.Out.X1) << c.Name;
    EXPECT_DOUBLE_EQ(s.Y1, c.Out.Y1) << c.Name;
    EXPECT_DOUBLE_EQ(s.X2, c.Out.X2) << c.Name;
    EXPECT_DOUBLE_EQ(s.Y2, c.Out.Y2) << c.Name;
  }
}

TEST(PlotChannelGeometry, MarkerFigures) {
  using F = TiPlotMarkerFigure;
  struct {
    TiPlotMarkerStyle Style;
    F::TKind Kind;
    std::vector<TPoint> Points;
  } cases[] = {
      {ipmsCircle, F::Ellipse, {{47, 47}, {53, 53}}},
      {ipmsSquare, F::Rectangle, {{47, 47}, {53, 53}}},
      {ipmsDiamond, F::Polygon, {{53, 50}, {50, 53}, {47, 50}, {50, 47}}},
      {ipmsCross, F::Lines, {{53, 53}, {47, 47}, {53, 47}, {47, 53}}},
      {ipmsPlus, F::Lines, {{50, 53}, {50, 47}, {53, 50}, {47, 50}}},
      {ipmsTriangleUp, F::Polygon, {{47, 53}, {50, 50}, {53, 53}}},
      {ipmsTriangleDown, F::Polygon, {{47, 47}, {50, 50}, {53, 47}}},
      {ipmsTriangleLeft, F::Polygon, {{53, 47}, {50, 50}, {53, 53}}},
      {ipmsTriangleRight, F::Polygon, {{47, 47}, {50, 50}, {47, 53}}},
      {ipmsVerticalLine, F::Lines, {{50, 47}, {50, 53}}},
      {ipmsHorizontalLine, F::Lines, {{47, 50}, {53, 50}}},
      {ipmsCharacter, F::Character, {{50, 50}}},
  };
  for (const auto& c : cases) {
    const F f = iPlotMarkerFigure(c.Style, TPoint(50, 50), 3);
    EXPECT_EQ(f.Kind, c.Kind) << c.Style;
    EXPECT_EQ(f.Points, c.Points) << c.Style;
  }
}

class PlotChannelDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plot = TTestPlotHost::WithAxes();
    auto* m = plot->Master.get();
    m->SetChannelClass(iChannelClass<TAllPointsChannel>());
    m->AddChannel();
    m->AddDataView();
    ch = m->GetChannelManager()->GetItem(0);
    ch->SetColor(clYellow);
    // Value v sits at pixel x = 10 + v and y = 110 - v.
    x = m->GetXAxisManager()->GetItem(0);
    x->SetHorizontal(true);
    x->SetDrawRect(TRect(10, 110, 110, 130));
    x->UpdateScaleRect(0, 0, 0);
    y = m->GetYAxisManager()->GetItem(0);
    y->SetDrawRect(TRect(0, 10, 10, 110));
    y->UpdateScaleRect(0, 0, 0);
    m->GetDataViewManager()->GetItem(0)->SetDrawRect(TRect(10, 10, 110, 110));
  }
  // Draws the channel on a black 120 x 120 canvas and keeps the picture.
  TCanvas* Render(const char* Name) {
    canvas.GetCanvas()->Brush->SetStyle(bsSolid);
    canvas.GetCanvas()->Brush->SetColor(clBlack);
    canvas.GetCanvas()->FillRect(TRect(0, 0, 120, 120));
    ch->Draw(canvas.GetCanvas(), clBlack);
    TPngImage png;
    png.Assign(&canvas);
    png.SaveToFile(::testing::TempDir() + Name);
    return canvas.GetCanvas();
  }
  int Count(TColor Color, TRect Area) {
    int n = 0;
    for (int py = Area.Top; py < Area.Bottom; ++py)
      for (int px = Area.Left; px < Area.Right; ++px) n += canvas.GetCanvas()->GetPixels(px, py) == Color;
    return n;
  }
  TiPlotMouseData Mouse(int X, int Y) {
    TiPlotMouseData d;
    d.X = d.XAxisPixels = X;
    d.Y = d.YAxisPixels = Y;
    return d;
  }

  std::unique_ptr<TTestPlotHost> plot;
  TiPlotChannelCustom* ch = nullptr;
  TiPlotXAxis* x = nullptr;
  TiPlotYAxis* y = nullptr;
  TBitmap canvas{120, 120};
};

TEST_F(PlotChannelDrawTest, TraceBreaksAtNullAndBridgesEmpty) {
  // 0 -- 1 (null) -- 2 -- 3 along y = 80; 4 (empty) bridged between 3 and 5 along y = 20.
  ch->AddXY(10, 80);
  ch->AddPoint(30, 80, true, false);
  ch->AddXY(50, 80);
  ch->AddXY(70, 20);
  ch->AddPoint(80, 90, false, true);
  ch->AddXY(90, 20);
  TCanvas* c = Render("plot-channel-trace.png");
  EXPECT_NE(c->GetPixels(10 + 20, 110 - 80), clYellow);  // the gap around the null point
  EXPECT_NE(c->GetPixels(10 + 40, 110 - 80), clYellow);
  EXPECT_EQ(c->GetPixels(10 + 50, 110 - 80), clYellow);  // segment 2-3 starts here
  EXPECT_EQ(c->GetPixels(10 + 80, 110 - 20), clYellow);  // 3-5 runs under the empty point
  EXPECT_EQ(Count(clYellow, TRect(10 + 75, 110 - 95, 10 + 85, 110 - 85)), 0);
}

TEST_F(PlotChannelDrawTest, MarkersAndTheProgramsThresholdPoint) {
  // The program's second channel: dotted width 5, markers of size 5 and pen
  // width 3 in the channel colour, individual markers allowed.
  ch->SetColor(0x8080FF);
  ch->SetTraceLineStyle(iplsDot);
  ch->SetTraceLineWidth(5);
  ch->SetMarkersAllowIndividual(true);
  ch->SetMarkersVisible(true);
  ch->SetMarkersSize(5);
  ch->SetMarkersPenWidth(3);
  ch->AddXY(40, 60);
  TCanvas* c = Render("plot-channel-marker.png");
  EXPECT_EQ(c->GetPixels(50, 50), 0x8080FF);  // filled centre
  EXPECT_EQ(c->GetPixels(54, 50), 0x8080FF);
  EXPECT_EQ(c->GetPixels(58, 50), clBlack);
  EXPECT_EQ(Count(0x8080FF, TRect(0, 0, 120, 120)), Count(0x8080FF, TRect(43, 43, 58, 58)));

  // Marker visibility is the one of the time of the add.
  ch->SetTraceVisible(false);
  ch->SetMarkersVisible(false);
  ch->AddXY(80, 20);
  ch->SetMarkersVisible(true);
  Render("plot-channel-marker-later.png");
  EXPECT_EQ(Count(0x8080FF, TRect(85, 85, 95, 95)), 0);
}

TEST_F(PlotChannelDrawTest, MarkersTurnOffAboveTheLimit) {
  ch->SetTraceVisible(false);
  ch->SetMarkersVisible(true);
  ch->SetMarkersTurnOffLimit(10);
  for (int i = 0; i < 11; ++i) ch->AddXY(5 + 8 * i, 50);
  Render("plot-channel-limit.png");
  EXPECT_GT(Count(clYellow, TRect(0, 0, 120, 120)), 0);
  ch->AddXY(95, 50);
  Render("plot-channel-limit.png");
  EXPECT_EQ(Count(clYellow, TRect(0, 0, 120, 120)), 0);
}

TEST_F(PlotChannelDrawTest, LegendSampleIsAtMostSixPixelsHalfSize) {
  ch->SetMarkersVisible(true);
  ch->SetMarkersSize(9);
  ch->SetMarkersStyle(ipmsSquare);
  canvas.GetCanvas()->Brush->SetColor(clBlack);
  canvas.GetCanvas()->FillRect(TRect(0, 0, 120, 120));
  ch->DrawMarker(canvas.GetCanvas(), -1, clBlack, TPoint(60, 60));
  EXPECT_EQ(Count(clYellow, TRect(0, 0, 120, 120)), 12 * 12);
  // A character sample has no point to read: the channel-wide one serves.
  ch->SetMarkersStyle(ipmsCharacter);
  ch->DrawMarker(canvas.GetCanvas(), -1, clBlack, TPoint(60, 60));
}

TEST_F(PlotChannelDrawTest, HugeValuesAreClampedBeforeDrawing) {
  const double inf = std::numeric_limits<double>::infinity();
  ch->AddXY(20, 1e300);
  ch->AddXY(40, -1e300);
  ch->AddXY(60, inf);
  ch->AddXY(NAN, 10);
  ch->AddXY(80, NAN);
  ch->AddXY(90, 50);
  Render("plot-channel-huge.png");
  // The steep segment from +1e300 to -1e300 still crosses the view in its middle.
  EXPECT_GT(Count(clYellow, TRect(38, 30, 43, 90)), 0);
  ch->SetClipToAxes(true);
  Render("plot-channel-huge-clipped.png");
  EXPECT_GT(Count(clYellow, TRect(38, 30, 43, 90)), 0);
  EXPECT_EQ(Count(clYellow, TRect(0, 0, 120, 9)), 0);
}

TEST_F(PlotChannelDrawTest, PointsAreHitHintedAndDraggedInSelectMode) {
  ch->SetMarkersVisible(true);
  ch->SetShowDataPointHints(true);
  ch->SetUserCanMoveDataPoints(true);
  ch->SetUserCanMoveDataPointsStyle(ipcdpmsYOnly);
  ch->AddXY(50, 98);  // near the top edge of the view
  ch->AddXY(50, 50);
  ch->AddXY(2, 30);                   // near the left edge
  EXPECT_FALSE(ch->HitTest(60, 60));  // select mode off
  plot->SelectActive = true;
  EXPECT_TRUE(ch->HitTest(60, 60));
  EXPECT_EQ(ch->GetSelectDataIndex(), 1);
  EXPECT_FALSE(ch->HitTest(80, 80));

  TiHintData hint;
  ASSERT_TRUE(ch->HitTest(60, 12));
  ch->iMouseMove(hint, {}, 60, 12, 0, 0, false);
  EXPECT_EQ(hint.Text, x->GetLabelText(50) + ", " + y->GetLabelText(98));
  EXPECT_EQ(hint.Top, 12 + 3 / 2 + hint.Height + 4);  // below the point, not above the view
  EXPECT_EQ(hint.Left, 60 - hint.Width / 2);
  ASSERT_TRUE(ch->HitTest(12, 80));
  ch->iMouseMove(hint, {}, 12, 80, 0, 0, false);
  EXPECT_EQ(hint.Left, 12 + 3 / 2 + 8);  // right of the marker at the left edge
  EXPECT_EQ(hint.Top, 80 - hint.Height / 2);

  ASSERT_TRUE(ch->HitTest(60, 60));
  ch->iMouseDown(mbLeft, {}, 60, 60, 0, 0, nullptr);
  ch->iMouseUp(mbLeft, {}, 60, 60, 0, 0, false, nullptr);
  EXPECT_EQ(plot->Events, (std::vector<std::string>{"point click 1"}));
  plot->Events.clear();
  ASSERT_TRUE(ch->HitTest(60, 60));
  ch->iMouseDown(mbLeft, {}, 60, 60, 0, 0, nullptr);
  ch->iMouseMove(hint, {}, 70, 40, 0, 0, false);
  ch->iMouseUp(mbLeft, {}, 70, 40, 0, 0, false, nullptr);
  EXPECT_EQ(ch->GetX(1), 50);
  EXPECT_EQ(ch->GetY(1), 70);
  EXPECT_EQ(plot->Events, (std::vector<std::string>{"point moved 1 to 50,70"}));
}

TEST_F(PlotChannelDrawTest, HintsAndEditingCanBeSwitchedOff) {
  // As the program's plots have them: no hints, no edit item.
  ch->SetMarkersVisible(true);
  ch->AddXY(50, 50);
  plot->SelectActive = true;
  TiHintData hint;
  ASSERT_TRUE(ch->HitTest(60, 60));
  ch->iMouseMove(hint, {}, 60, 60, 0, 0, false);
  EXPECT_TRUE(hint.Text.empty());
  TPopupMenu menu(nullptr);
  ch->BuildPopupMenu(&menu);
  EXPECT_EQ(menu.GetItems()->GetCount(), 1);
  plot->Master->SetUserCanEditObjects(false);
  ch->BuildPopupMenu(&menu);
  EXPECT_EQ(menu.GetItems()->GetCount(), 0);
  auto* view = plot->Master->GetDataViewManager()->GetItem(0);
  view->BuildPopupMenu(&menu);
  EXPECT_EQ(menu.GetItems()->GetCount(), 0);
}

}  // namespace
