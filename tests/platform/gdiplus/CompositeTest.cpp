// One picture with the drawing the controls do: a panel with shadow,
// mirrored gradient body and radial glow, a response plot's translucent
// filled curve, hatches, headings in gradient text and measured labels.
// It is written to the temporary folder to be looked at.
#include <gtest/gtest.h>

#include <QDir>
#include <cmath>

#include "Support.h"

using namespace Gdiplus;
using namespace gdiplus_test;

namespace {

void RoundRect(GraphicsPath& path, const RectF& r, REAL radius) {
  const REAL d = 2 * radius;
  path.AddArc(r.X, r.Y, d, d, 180, 90);
  path.AddArc(r.GetRight() - d, r.Y, d, d, 270, 90);
  path.AddArc(r.GetRight() - d, r.GetBottom() - d, d, d, 0, 90);
  path.AddArc(r.X, r.GetBottom() - d, d, d, 90, 90);
  path.CloseFigure();
}

void Panel(Graphics& g, const RectF& r) {
  // Soft shadow: clear at the edge, grey from a tenth of the way in.
  GraphicsPath shadowPath;
  RoundRect(shadowPath, RectF(r.X + 6, r.Y + 6, r.Width, r.Height), 10);
  PathGradientBrush shadow(&shadowPath);
  const Color shadowColors[] = {Color(0, 0, 0, 0), Color(180, 0, 0, 0), Color(180, 0, 0, 0)};
  const REAL shadowPositions[] = {0, 0.1f, 1};
  shadow.SetInterpolationColors(shadowColors, shadowPositions, 3);
  g.FillPath(&shadow, &shadowPath);

  GraphicsPath body;
  RoundRect(body, r, 10);
  const REAL half = r.Height / 2;
  g.SetClip(&body);
  LinearGradientBrush upper(RectF(r.X - 1, r.Y - 1, r.Width + 2, half + 2), Color(255, 70, 78, 92),
                            Color(255, 40, 44, 52), LinearGradientModeVertical);
  upper.SetGammaCorrection(true);
  g.FillRectangle(&upper, RectF(r.X, r.Y, r.Width, half + 1));
  LinearGradientBrush lower(RectF(r.X - 1, r.Y + half - 2, r.Width + 2, half + 2), Color(255, 28, 30, 36),
                            Color(255, 48, 54, 64), LinearGradientModeVertical);
  lower.SetGammaCorrection(true);
  g.FillRectangle(&lower, RectF(r.X, r.Y + half - 1, r.Width, half + 1));
  // Radial glow from the top middle.
  GraphicsPath glow;
  glow.AddEllipse(r.X + 10, r.Y - r.Height / 2, r.Width - 20, r.Height * 1.5f);
  PathGradientBrush glowBrush(&glow);
  glowBrush.SetCenterPoint(PointF(r.X + r.Width / 2, r.Y));
  glowBrush.SetCenterColor(Color(120, 120, 200, 255));
  Color clear(0, 40, 44, 52);
  INT one = 1;
  glowBrush.SetSurroundColors(&clear, &one);
  g.FillRectangle(&glowBrush, r);
  g.ResetClip();
  Pen border(Color(255, 120, 200, 255), 1.5f);
  g.DrawPath(&border, &body);
}

}  // namespace

TEST(Composite, RendersTheControlsDrawingForALook) {
  QImage image = Canvas(640, 420, 0xFF1E2126);
  {
    Graphics g(&image);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    g.SetTextRenderingHint(TextRenderingHintAntiAlias);
    Panel(g, RectF(20, 20, 280, 150));

    FontFamily tahoma(u"Tahoma");
    Font heading(&tahoma, 22.0f, FontStyleBold, UnitPixel);
    LinearGradientBrush headingBrush(PointF(40, 40), PointF(40, 70), Color(255, 255, 255, 255),
                                     Color(255, 120, 200, 255));
    g.DrawString(u"TAVO matrix", -1, &heading, PointF(40, 40), &headingBrush);
    Font label(&tahoma, 12.0f, FontStyleRegular, UnitPixel);
    SolidBrush white(Color(255, 230, 230, 230));
    RectF box;
    g.MeasureString(u"Gain -12.5dB", -1, &label, PointF(40, 120), &box);
    SolidBrush labelBack(Color(255, 60, 66, 78));
    g.FillRectangle(&labelBack, box);
    g.DrawString(u"Gain -12.5dB", -1, &label, PointF(40, 120), &white);
    StringFormat centre;
    centre.SetAlignment(StringAlignmentCenter);
    centre.SetLineAlignment(StringAlignmentCenter);
    g.DrawString(u"centred in its box", -1, &label, RectF(160, 110, 120, 40), &centre, &white);

    // Response plot: grid, a translucent grey band curve, its outline.
    const RectF plot(330, 20, 290, 180);
    SolidBrush plotBack(Color(255, 12, 14, 18));
    g.FillRectangle(&plotBack, plot);
    Pen grid(Color(255, 50, 56, 66), 1);
    grid.SetDashStyle(DashStyleDot);
    for (int i = 1; i < 6; ++i)
      g.DrawLine(&grid, plot.X, plot.Y + i * 30.0f, plot.GetRight(), plot.Y + i * 30.0f);
    std::vector<PointF> curve;
    for (int i = 0; i <= 58; ++i) {
      const double x = i / 58.0;
      const double db = 9 * std::exp(-std::pow((x - 0.5) / 0.12, 2));
      curve.emplace_back(REAL(plot.X + x * plot.Width), REAL(plot.Y + 90 - db * 8));
    }
    GraphicsPath fill(FillModeAlternate);
    fill.AddCurve(curve.data(), INT(curve.size()));
    fill.AddLine(plot.GetRight(), plot.Y + 90, plot.X, plot.Y + 90);
    Pen grey(Color(30, 128, 128, 128), 1);
    SolidBrush greyFill(Color(30, 128, 128, 128));
    for (int layer = 0; layer < 3; ++layer) g.FillPath(&greyFill, &fill);
    g.DrawPath(&grey, &fill);
    Pen yellow(Color(255, 255, 220, 0), 2);
    GraphicsPath line;
    line.AddCurve(curve.data(), INT(curve.size()));
    g.DrawPath(&yellow, &line);
    Pen marker(Color(255, 255, 80, 80), 1);
    marker.SetDashStyle(DashStyleDash);
    g.DrawLine(&marker, plot.X + 145, plot.Y, plot.X + 145, plot.GetBottom());

    // All hatch styles, eight to a row.
    for (int s = HatchStyleMin; s <= HatchStyleMax; ++s) {
      HatchBrush hatch(HatchStyle(s), Color(255, 200, 210, 230), Color(255, 40, 44, 52));
      const REAL x = 20 + (s % 8) * 36.0f, y = 200 + (s / 8) * 30.0f;
      g.FillRectangle(&hatch, RectF(x, y, 32, 26));
    }

    // Arcs, a pie and a closed curve with a wide round-joined pen.
    Pen arc(Color(255, 90, 220, 140), 4);
    arc.SetLineCap(LineCapRound, LineCapRound, DashCapRound);
    g.DrawArc(&arc, RectF(340, 230, 80, 80), 0, 270);
    LinearGradientBrush pieBrush(RectF(440, 230, 80, 80), Color(255, 255, 140, 60), Color(255, 120, 40, 20),
                                 45.0f, true);
    g.FillPie(&pieBrush, RectF(440, 230, 80, 80), -60, 300);
    const PointF blob[] = {{550, 240}, {620, 260}, {600, 320}, {545, 300}};
    HatchBrush blobBrush(HatchStyleDiagonalCross, Color(255, 200, 120, 255), Color(60, 200, 120, 255));
    g.FillClosedCurve(&blobBrush, blob, 4);
    Pen blobPen(Color(255, 200, 120, 255), 2);
    g.DrawClosedCurve(&blobPen, blob, 4);

    // Translucent overlaps.
    SolidBrush red(Color(128, 255, 40, 40)), blue(Color(128, 40, 120, 255));
    g.FillEllipse(&red, RectF(350, 330, 70, 70));
    g.FillEllipse(&blue, RectF(390, 330, 70, 70));
  }
  const QString path = QDir::temp().filePath("gdiplus-composite.png");
  ASSERT_TRUE(image.save(path));
  EXPECT_TRUE(IsInk(image, 400, 100));
  // The overlap of the two translucent discs mixes both.
  const unsigned mix = Px(image, 405, 365);
  EXPECT_GT(Red(mix), 60);
  EXPECT_GT(Blue(mix), 100);
}
