// Annotations on a real plot: the reference of each coordinate and the
// mappings both ways, also with exchanged axes; text placement; box and
// click rectangles cut at the data view; hit tests and cursors; the move
// and resize gestures through the plot's mouse with their events; the
// selection, rename and removal notices; the plot's annotation defaults.

#include <cmath>

#include "instruments/plot/iXYPlot.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;
using namespace classlib_test;

namespace {

class PlotAnnotationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plot = stage.Add<TiXYPlot>("plot", 10, 10, 400, 280);
    ShowAndActivate(stage.form);
    FixAxesAt0To100(*plot);
    plot->OnAnnotationCoordinatesChange = [&](int i) { events.push_back("coords " + std::to_string(i)); };
    plot->OnAnnotationMoveUser = [&](int i) { events.push_back("move " + std::to_string(i)); };
    plot->OnAnnotationResizeUser = [&](int i) { events.push_back("resize " + std::to_string(i)); };
    plot->OnAnnotationCoordinatesChangeFinished = [&](int i) {
      events.push_back("finished " + std::to_string(i));
    };
    Paint();
  }
  void TearDown() override {
    if (plot->GetMouseCapture()) plot->SetMouseCapture(false);
  }
  void Paint() {
    TBitmap b(plot->GetWidth(), plot->GetHeight());
    plot->iPaintToCanvas(b.GetCanvas());
  }
  TiPlotAnnotation* Add(TiPlotAnnotationStyle Style, double X, double Y, double W = 0, double H = 0) {
    TiPlotAnnotation* a = plot->GetAnnotation(plot->AddAnnotation());
    a->SetStyle(Style);
    a->SetX(X);
    a->SetY(Y);
    a->SetWidth(W);
    a->SetHeight(H);
    return a;
  }
  int Count(const std::string& What) const {
    int n = 0;
    for (const auto& e : events) n += e.rfind(What, 0) == 0;
    return n;
  }
  TRect View() const { return plot->GetDataView(0)->GetDrawRect(); }
  static TPoint Centre(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  void Drag(TPoint From, TPoint To) {
    SendMouse(plot, QEvent::MouseButtonPress, From.X, From.Y, Qt::LeftButton, Qt::LeftButton);
    SendMouse(plot, QEvent::MouseMove, (From.X + To.X) / 2, (From.Y + To.Y) / 2, Qt::NoButton,
              Qt::LeftButton);
    SendMouse(plot, QEvent::MouseMove, To.X, To.Y, Qt::NoButton, Qt::LeftButton);
    SendMouse(plot, QEvent::MouseButtonRelease, To.X, To.Y, Qt::LeftButton, Qt::NoButton);
  }

  FormStage stage;
  TiXYPlot* plot = nullptr;
  std::vector<std::string> events;
};

TEST_F(PlotAnnotationTest, EachCoordinateFollowsItsReference) {
  struct Case {
    TiPlotReferenceType Reference;
    TiPlotReferenceIndividual PositionX, PositionY, SizeX, SizeY;
    const char* Expected;  // C: channel, D: data view; position X, Y, size X, Y
  };
  const TiPlotReferenceIndividual A = ipriAuto, C = ipriChannel, D = ipriDataView;
  const Case cases[] = {
      {iprtDataView, A, A, A, A, "DDDD"},          {iprtChannel, A, A, A, A, "CCCC"},
      {iprtXChannelYDataView, A, A, A, A, "CDCD"}, {iprtXDataViewYChannel, A, A, A, A, "DCDC"},
      {iprtChannel, D, A, A, D, "DCCD"},           {iprtDataView, C, A, A, C, "CDDC"},
  };
  TiPlotAnnotation* a = Add(ipasRectangle, 0, 0);
  for (const Case& c : cases) {
    a->SetReference(c.Reference);
    a->SetReferencePositionX(c.PositionX);
    a->SetReferencePositionY(c.PositionY);
    a->SetReferenceSizeX(c.SizeX);
    a->SetReferenceSizeY(c.SizeY);
    std::string got;
    for (auto k : {TiPlotAnnotation::icPositionX, TiPlotAnnotation::icPositionY, TiPlotAnnotation::icSizeX,
                   TiPlotAnnotation::icSizeY})
      got += a->UsesChannel(k) ? 'C' : 'D';
    EXPECT_EQ(got, c.Expected) << c.Reference;
  }
}

TEST_F(PlotAnnotationTest, XInChannelUnitsFollowsTheXAxisAndYStaysOnTheScreen) {
  TiPlotAnnotation* a = Add(ipasRectangle, 40, 50, 20, 10);
  a->SetReference(iprtXChannelYDataView);
  a->SetChannelName(plot->GetChannel(0)->GetName());
  Paint();
  ASSERT_TRUE(a->GetShowing());
  TiPlotAxis* x = plot->GetXAxis(0);
  const int hw = (x->PositionToPixels(20) - x->PositionToPixels(0)) / 2;
  const TRect before = a->GetDrawRect();
  EXPECT_EQ(before.Left, x->PositionToPixels(40) - hw);
  EXPECT_EQ(before.Right, x->PositionToPixels(40) + hw);
  const int py = plot->GetDataView(0)->PositionPercentToPixelsY(50);
  EXPECT_EQ(Centre(before).Y, py);
  // Both ways, within one pixel.
  EXPECT_NEAR(a->PixelsXToPosition(a->PositionXToPixels(70)), 70, 100.0 / View().Width());
  EXPECT_NEAR(a->PixelsYToPosition(a->PositionYToPixels(30)), 30, 100.0 / View().Height());

  // Scrolling the X axis moves it sideways only.
  x->SetMin(20);
  Paint();
  const TRect after = a->GetDrawRect();
  EXPECT_EQ(after.Left, x->PositionToPixels(40) - hw);
  EXPECT_LT(after.Left, before.Left);
  EXPECT_EQ(after.Top, before.Top);
  EXPECT_EQ(after.Bottom, before.Bottom);
  EXPECT_EQ(after.Width(), before.Width());
}

TEST_F(PlotAnnotationTest, TextSitsAnAWidthOrHeightFromItsAnchor) {
  TiPlotAnnotation* a = Add(ipasText, 50, 50);
  a->SetText("Gain");
  TBitmap measure(1, 1);
  measure.GetCanvas()->Font->Assign(a->GetFont());
  const int wA = measure.GetCanvas()->TextWidth("A"), hA = measure.GetCanvas()->TextHeight("A");
  const int px = plot->GetDataView(0)->PositionPercentToPixelsX(50);
  const int py = plot->GetDataView(0)->PositionPercentToPixelsY(50);
  struct Case {
    TiAlignmentHorizontal Horz;
    TiAlignmentVertical Vert;
    int TRect::*Edge;
    int Expected;
  };
  const Case cases[] = {{iahLeft, iavCenter, &TRect::Left, px + wA},
                        {iahRight, iavCenter, &TRect::Right, px - wA},
                        {iahCenter, iavTop, &TRect::Top, py + hA},
                        {iahCenter, iavBottom, &TRect::Bottom, py - hA}};
  for (const Case& c : cases) {
    a->SetTextHorzAlignment(c.Horz);
    a->SetTextVertAlignment(c.Vert);
    Paint();
    ASSERT_TRUE(a->GetShowing());
    // Halving an odd text size may leave one pixel.
    EXPECT_NEAR(a->GetClickRect().*c.Edge, c.Expected, 1) << c.Horz << " " << c.Vert;
  }
  // Twice the margin, twice the distance.
  a->SetTextVertAlignment(iavCenter);
  a->SetTextHorzAlignment(iahLeft);
  a->SetTextHorzMargin(2);
  Paint();
  EXPECT_EQ(a->GetClickRect().Left, px + 2 * wA);
}

TEST_F(PlotAnnotationTest, ARectangleInPercentAndItsClickRectangleCutAtTheDataView) {
  TiPlotAnnotation* a = Add(ipasRectangle, 50, 50, 20, 10);
  Paint();
  const TRect v = View(), r = a->GetDrawRect();
  EXPECT_NEAR(r.Width(), v.Width() / 5.0, 2);
  EXPECT_NEAR(r.Height(), v.Height() / 10.0, 2);
  EXPECT_NEAR(Centre(r).X, Centre(v).X, 1);
  EXPECT_NEAR(Centre(r).Y, Centre(v).Y, 1);
  EXPECT_EQ(a->GetClickRect(), r);

  a->SetX(95);
  Paint();
  ASSERT_TRUE(a->GetShowing());
  EXPECT_GT(a->GetDrawRect().Right, v.Right);
  EXPECT_EQ(a->GetClickRect(), IntersectRect(a->GetDrawRect(), v));
  EXPECT_EQ(a->GetClickRect().Right, v.Right);
  // Wholly outside: not drawn, not showing.
  a->SetX(150);
  Paint();
  EXPECT_FALSE(a->GetShowing());
}

TEST_F(PlotAnnotationTest, HitTestsByStyleHandlesAndSelectMode) {
  TiPlotAnnotation* line = Add(ipasLine, 10, 10);
  line->SetX2(90);
  line->SetY2(90);
  TiPlotAnnotation* lineX = Add(ipasLineX, 50, 0);
  TiPlotAnnotation* box = Add(ipasRectangle, 25, 25, 20, 20);
  plot->SetToolBarSelectActive(true);
  Paint();
  const int px = plot->GetDataView(0)->PositionPercentToPixelsX(50);
  const int y = Centre(View()).Y;
  const TPoint mid = Centre(View());
  EXPECT_FALSE(line->GetShowing());
  EXPECT_FALSE(line->HitTest(mid.X, mid.Y));
  struct Case {
    int Dx;
    bool Hit;
  };
  for (const Case& c : {Case{-5, true}, Case{-6, false}, Case{4, true}, Case{5, false}, Case{0, true}})
    EXPECT_EQ(lineX->HitTest(px + c.Dx, y), c.Hit) << c.Dx;

  // The corner handles reach 3 pixels beyond the box.
  const TRect r = box->GetDrawRect();
  EXPECT_TRUE(box->HitTest(r.Right + 2, r.Bottom + 2));
  EXPECT_FALSE(box->HitTest(r.Right + 3, r.Bottom + 3));
  EXPECT_TRUE(box->HitTest(r.Left - 3, r.Top - 3));

  // Without the toolbar's select mode only an annotation that allows it is hit.
  plot->SetToolBarSelectActive(false);
  EXPECT_FALSE(box->HitTest(Centre(r).X, Centre(r).Y));
  box->SetSelectModeOnlyInteraction(false);
  EXPECT_TRUE(box->HitTest(Centre(r).X, Centre(r).Y));
  // Nor without a toolbar.
  box->SetSelectModeOnlyInteraction(true);
  plot->SetToolBarSelectActive(true);
  EXPECT_TRUE(box->HitTest(Centre(r).X, Centre(r).Y));
  plot->DeleteToolBar(0);
  EXPECT_FALSE(box->HitTest(Centre(r).X, Centre(r).Y));
}

TEST_F(PlotAnnotationTest, MovingKeepsTheExtentOfTheCornerStyles) {
  TiPlotAnnotation* a = Add(ipasRectangle2, 30, 30);
  a->SetX2(50);
  a->SetY2(60);
  a->SetUserCanMove(true);
  TiPlotAnnotation* b = Add(ipasRectangle, 70, 70, 10, 10);
  b->SetUserCanMove(true);
  plot->SetToolBarSelectActive(true);
  Paint();
  events.clear();
  const TPoint from = Centre(a->GetDrawRect());
  Drag(from, TPoint(from.X + 30, from.Y - 20));
  EXPECT_TRUE(a->GetUserSelected());
  EXPECT_NEAR(a->GetX(), 30 + 30 * 100.0 / View().Width(), 100.0 / View().Width());
  EXPECT_NEAR(a->GetY(), 30 + 20 * 100.0 / View().Height(), 100.0 / View().Height());
  EXPECT_NEAR(a->GetX2() - a->GetX(), 20, 1e-9);
  EXPECT_NEAR(a->GetY2() - a->GetY(), 30, 1e-9);
  EXPECT_GE(Count("move 0"), 1);
  EXPECT_GE(Count("coords 0"), 1);
  EXPECT_EQ(Count("finished 0"), 1);

  // A centred box moves its centre only.
  Paint();
  const TPoint c = Centre(b->GetDrawRect());
  Drag(c, TPoint(c.X - 15, c.Y));
  EXPECT_LT(b->GetX(), 70);
  EXPECT_DOUBLE_EQ(b->GetWidth(), 10);
  EXPECT_DOUBLE_EQ(b->GetHeight(), 10);
  EXPECT_DOUBLE_EQ(b->GetX2(), 0);
  // Selecting it cleared the other one.
  EXPECT_TRUE(b->GetUserSelected());
  EXPECT_FALSE(a->GetUserSelected());
}

TEST_F(PlotAnnotationTest, ResizingAtTheBottomRightHandleEndsWithOneFinishedEvent) {
  TiPlotAnnotation* a = Add(ipasRectangle, 50, 50, 20, 20);
  a->SetUserCanSize(true);
  plot->SetToolBarSelectActive(true);
  Paint();
  const TRect r = a->GetDrawRect();
  const double x = a->GetX(), w = a->GetWidth(), h = a->GetHeight();
  events.clear();
  SendMouse(plot, QEvent::MouseButtonPress, r.Right - 1, r.Bottom - 1, Qt::LeftButton, Qt::LeftButton);
  // Hands over a press the layer may hold back as a possible double click.
  SendMouse(plot, QEvent::MouseMove, r.Right - 1, r.Bottom - 1, Qt::NoButton, Qt::LeftButton);
  ASSERT_TRUE(a->GetUserSelected());
  EXPECT_EQ(a->GetSelectStyle(), ipassSizeBottomRight);
  EXPECT_EQ(a->GetMouseCursor(TPoint(r.Right - 1, r.Bottom - 1)), crSizeNWSE);
  EXPECT_EQ(a->GetMouseCursor(TPoint(r.Right - 1, r.Top)), crSizeNESW);
  EXPECT_EQ(a->GetMouseCursor(Centre(r)), crHandPoint);
  SendMouse(plot, QEvent::MouseMove, r.Right + 19, r.Bottom + 9, Qt::NoButton, Qt::LeftButton);
  SendMouse(plot, QEvent::MouseButtonRelease, r.Right + 19, r.Bottom + 9, Qt::LeftButton, Qt::NoButton);
  EXPECT_GT(a->GetWidth(), w);
  EXPECT_GT(a->GetHeight(), h);
  EXPECT_GT(a->GetX(), x);
  EXPECT_NEAR(a->GetWidth() - w, 20 * 100.0 / View().Width(), 2 * 100.0 / View().Width());
  EXPECT_GE(Count("resize 0"), 1);
  EXPECT_EQ(Count("finished 0"), 1);
  EXPECT_EQ(a->GetSelectStyle(), ipassNone);
  // A press with nothing to do still clicks and changes nothing.
  a->SetUserCanSize(false);
  Paint();
  events.clear();
  int clicks = 0;
  plot->OnClickAnnotation = [&](int) { ++clicks; };
  const TPoint c = Centre(a->GetDrawRect());
  Drag(c, TPoint(c.X + 10, c.Y));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Count("finished"), 0);
}

TEST_F(PlotAnnotationTest, RenamedChannelStaysAttachedAndARemovedOneIsDropped) {
  TiPlotAnnotation* a = Add(ipasEllipse2, 50, 50, 20, 20);
  a->SetReference(iprtChannel);
  a->SetChannelName(plot->GetChannel(0)->GetName());
  Paint();
  ASSERT_TRUE(a->GetShowing());
  plot->GetChannel(0)->SetName("Gain");
  EXPECT_EQ(a->GetChannelName(), "Gain");
  Paint();
  EXPECT_TRUE(a->GetShowing());
  plot->DeleteChannel(0);
  EXPECT_EQ(a->GetChannel(), nullptr);
  Paint();
  EXPECT_FALSE(a->GetShowing());
  // A coordinate that cannot be resolved maps to 0.
  EXPECT_EQ(a->PositionXToPixels(50), 0);
  EXPECT_EQ(a->PixelsYToPosition(100), 0);
}

TEST_F(PlotAnnotationTest, ExchangedAxesSwapTheMappingAndTheGesture) {
  plot->SetXYAxesReverse(true);
  TiPlotAnnotation* a = Add(ipasRectangle, 30, 70, 20, 10);
  a->SetUserCanMove(true);
  plot->SetToolBarSelectActive(true);
  Paint();
  ASSERT_TRUE(a->GetXYAxesReversed());
  TiPlotDataView* v = plot->GetDataView(0);
  // X runs down the screen, Y across it.
  const int px = v->PositionPercentToPixelsY(30), py = v->PositionPercentToPixelsX(70);
  const int hw = std::abs(v->PositionPercentToPixelsY(20) - v->PositionPercentToPixelsY(0)) / 2;
  const int hh = std::abs(v->PositionPercentToPixelsX(10) - v->PositionPercentToPixelsX(0)) / 2;
  EXPECT_EQ(a->PositionXToPixels(30), px);
  EXPECT_EQ(a->GetDrawRect(), NormalizedRectSwapXY(true, px - hw, py - hh, px + hw, py + hh));

  // Dragging across the screen changes Y only.
  const TPoint c = Centre(a->GetDrawRect());
  const double x = a->GetX();
  Drag(c, TPoint(c.X + 20, c.Y));
  EXPECT_NEAR(a->GetX(), x, 100.0 / View().Height());
  EXPECT_NEAR(a->GetY(), 70 + 20 * 100.0 / View().Width(), 100.0 / View().Width());
}

TEST_F(PlotAnnotationTest, AddAnnotationAppliesThePlotDefaults) {
  plot->SetAnnotationDefaultBrushStlye(bsCross);
  plot->SetAnnotationDefaultBrushColor(clRed);
  plot->SetAnnotationDefaultPenStlye(psDot);
  plot->SetAnnotationDefaultPenColor(clLime);
  plot->SetAnnotationDefaultPenWidth(3);
  plot->SetAnnotationDefaultReference(iprtXDataViewYChannel);
  plot->SetAnnotationDefaultReferencePositionX(ipriChannel);
  plot->SetAnnotationDefaultReferencePositionY(ipriDataView);
  plot->SetAnnotationDefaultReferenceSizeX(ipriChannel);
  plot->SetAnnotationDefaultReferenceSizeY(ipriDataView);
  plot->GetAnnotationDefaultFont()->SetSize(17);
  TiPlotAnnotation* a = plot->GetAnnotation(plot->AddAnnotation());
  EXPECT_EQ(a->GetBrushStyle(), bsCross);
  EXPECT_EQ(a->GetBrushColor(), clRed);
  EXPECT_EQ(a->GetPenStyle(), psDot);
  EXPECT_EQ(a->GetPenColor(), clLime);
  EXPECT_EQ(a->GetPenWidth(), 3);
  EXPECT_EQ(a->GetReference(), iprtXDataViewYChannel);
  EXPECT_EQ(a->GetReferencePositionX(), ipriChannel);
  EXPECT_EQ(a->GetReferencePositionY(), ipriDataView);
  EXPECT_EQ(a->GetReferenceSizeX(), ipriChannel);
  EXPECT_EQ(a->GetReferenceSizeY(), ipriDataView);
  EXPECT_EQ(a->GetFont()->GetSize(), 17);
  // The creation state of an annotation made without the plot's help.
  TiPlotAnnotation bare(plot, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(bare.GetFont()->GetName(), "Arial");
  EXPECT_EQ(bare.GetFont()->GetColor(), clWhite);
  EXPECT_EQ(bare.GetReferenceSizeY(), ipriAuto);
  EXPECT_TRUE(bare.GetSelectModeOnlyInteraction());
  EXPECT_TRUE(bare.GetShowFocusRect());
}

TEST_F(PlotAnnotationTest, APictureMissingFromItsListStillTakesClicksOverItsPlace) {
  TBitmap picture(16, 16);
  plot->ImageListAdd(2, &picture);
  TiPlotAnnotation* a = Add(ipasImage, 50, 50);
  const TPoint at(plot->GetDataView(0)->PositionPercentToPixelsX(50),
                  plot->GetDataView(0)->PositionPercentToPixelsY(50));
  struct Case {
    int List, Index, Size;
  };
  // Lists 0 and 1 are empty at their 24 x 24; any other list index means list 2.
  for (const Case& c : {Case{0, 0, 24}, Case{1, 3, 24}, Case{7, 0, 16}, Case{2, 9, 16}}) {
    a->SetImageListIndex(c.List);
    a->SetImageIndex(c.Index);
    Paint();
    ASSERT_TRUE(a->GetShowing()) << c.List;
    EXPECT_EQ(a->GetClickRect(),
              TRect(at.X - c.Size / 2, at.Y - c.Size / 2, at.X + c.Size / 2, at.Y + c.Size / 2))
        << c.List << " " << c.Index;
  }
  // An own bitmap takes its own size.
  TBitmap own(10, 6);
  a->SetImage(&own);
  Paint();
  EXPECT_EQ(a->GetClickRect(), TRect(at.X - 5, at.Y - 3, at.X + 5, at.Y + 3));
  a->ImageClear();
  EXPECT_EQ(a->GetImage(), nullptr);
}

TEST_F(PlotAnnotationTest, ClipToAxesWithoutAChannelIsCutAtTheDataViewOnly) {
  // A data-view annotation with ClipToAxes has no axes to clip to: the
  // paint's clip to the data view (one pixel beyond it) is what cuts it.
  TiPlotAnnotation* a = Add(ipasRectangle, 95, 50, 30, 30);
  a->SetClipToAxes(true);
  a->SetBrushColor(clRed);
  a->SetPenColor(clRed);
  TBitmap b(plot->GetWidth(), plot->GetHeight());
  plot->iPaintToCanvas(b.GetCanvas());
  ASSERT_TRUE(a->GetShowing());
  const TRect v = View();
  const int y = Centre(a->GetDrawRect()).Y;
  EXPECT_EQ(b.GetCanvas()->GetPixels(v.Right - 2, y), ColorToRGB(clRed));
  EXPECT_NE(b.GetCanvas()->GetPixels(v.Right + 3, y), ColorToRGB(clRed));
}

}  // namespace
