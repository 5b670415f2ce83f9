// Curves of the response plots: adding, replacing and removing them by id,
// and drawing one into the plot page.
#include <vector>

#include "response/PlotScales.h"
#include "response/ResponsePlotBase.h"

bool LResponsePlotBase::FFTDraw(const double* x, const double* y, int count, int plotId, TColor colour,
                                TMyPlotStyle style) {
  // A curve needs at least one point (the fitting and the drawing read point 0).
  if (!x || !y || count < 1) return false;
  const bool replaced = FPlotList->AddOrReplace(x, y, count, plotId, colour, style);
  FindXMaxMin();
  FindYMaxMin();
  if (FAutoRedraw) DrawPlotsAndLabelsNoUpdate();
  return replaced;
}

bool LResponsePlotBase::FFTDraw(const double* y, int count, int plotId, TColor colour, TMyPlotStyle style) {
  if (!y || count < 1) return false;
  std::vector<double> x(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) x[static_cast<std::size_t>(i)] = i;
  return FFTDraw(x.data(), y, count, plotId, colour, style);
}

bool LResponsePlotBase::FFTDraw(const double* y, int count, double firstX, double lastX, int plotId,
                                TColor colour, TMyPlotStyle style) {
  if (!y || count < 1) return false;
  std::vector<double> x(static_cast<std::size_t>(count));
  // A single point stands at the first x.
  for (int i = 0; i < count; ++i)
    x[static_cast<std::size_t>(i)] = count == 1 ? firstX : firstX + i * (lastX - firstX) / (count - 1);
  return FFTDraw(x.data(), y, count, plotId, colour, style);
}

void LResponsePlotBase::AfterListChange() {
  FindXMaxMin();
  FindYMaxMin();
  if (FAutoRedraw) DrawPlotsAndLabelsNoUpdate();
}

bool LResponsePlotBase::RemovePlot(int plotId) {
  if (!FPlotList->Remove(plotId)) return false;
  AfterListChange();
  return true;
}

bool LResponsePlotBase::SetPlotColor(TColor colour, int plotId) {
  TPlotListMember* m = FPlotList->Find(plotId);
  if (!m) return false;
  m->PlotColor = colour;
  DrawOnePlot(*m);
  RedrawScreen();
  return true;
}

bool LResponsePlotBase::SetPlotStyle(TMyPlotStyle style, int plotId) {
  TPlotListMember* m = FPlotList->Find(plotId);
  if (!m) return false;
  m->PlotStyle = style;
  if (FAutoRedraw) DrawAllPlots();
  return true;
}

bool LResponsePlotBase::GetPlotColor(TColor& colour, int plotId) const {
  const TPlotListMember* m = FPlotList->Find(plotId);
  if (m) colour = m->PlotColor;
  return m != nullptr;
}

bool LResponsePlotBase::GetPlotStyle(TMyPlotStyle& style, int plotId) const {
  const TPlotListMember* m = FPlotList->Find(plotId);
  if (m) style = m->PlotStyle;
  return m != nullptr;
}

bool LResponsePlotBase::GetPlotNumPoints(int& count, int plotId) const {
  const TPlotListMember* m = FPlotList->Find(plotId);
  if (m) count = m->NumPoints;
  return m != nullptr;
}

bool LResponsePlotBase::GetPlotX(double* out, int plotId) const {
  const TPlotListMember* m = FPlotList->Find(plotId);
  if (!m || !out) return false;
  std::copy(m->XValues.begin(), m->XValues.end(), out);
  return true;
}

bool LResponsePlotBase::GetPlotY(double* out, int plotId) const {
  const TPlotListMember* m = FPlotList->Find(plotId);
  if (!m || !out) return false;
  std::copy(m->YValues.begin(), m->YValues.end(), out);
  return true;
}

void LResponsePlotBase::AssignPlotDataFrom(const LResponsePlotBase& other) {
  if (&other == this) return;
  FPlotList = std::make_unique<TPlotList>(*other.FPlotList);
  FindXMaxMin();
  FindYMaxMin();
  ResizePaintPage();
  if (FAutoRedraw) Redraw();
}

void LResponsePlotBase::AppendPlotDataFrom(const LResponsePlotBase& other) {
  FPlotList->Merge(*other.FPlotList);
  FindXMaxMin();
  FindYMaxMin();
  ResizePaintPage();
  if (FAutoRedraw) Redraw();
}

void LResponsePlotBase::DrawOnePlot(const TPlotListMember& member) {
  if (!GetVisible() || !PagesReady()) return;
  DrawOnePlot(member, FPlotPage->Canvas());
}

void LResponsePlotBase::DrawOnePlot(const TPlotListMember& m, TCanvas* c) {
  if (m.NumPoints < 1) return;
  const int W = GetPlotWidth();
  const int H = GetPlotHeight();
  const int style = m.PlotStyle;
  const bool line = style == 0 || style == 3 || style == 4;
  const bool squares = style >= 1 && style <= 4;
  c->Pen->SetWidth(2);
  c->Pen->SetStyle(psSolid);
  c->Pen->SetMode(pmCopy);
  c->Pen->SetColor(m.PlotColor);
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(style == 1 || style == 3 ? m.PlotColor : GetColor());
  const int s = FPointSize;

  // Runs of the line are drawn as one polyline: the same pixels as a line
  // to each point, far fewer calls. A point far outside the page only moves
  // the pen, which starts the next run.
  std::vector<TPoint> run;
  run.reserve(static_cast<std::size_t>(m.NumPoints) + 1);
  auto flush = [&] {
    if (run.size() >= 2) c->Polyline(run);
    const TPoint last = run.empty() ? c->GetPenPos() : run.back();
    run.clear();
    run.push_back(last);
    c->MoveTo(last.X, last.Y);
  };
  TPoint pen(TruncPixel(FFTScreenX(m.XValues[0])), TruncPixel(FFTScreenY(m.YValues[0])));
  c->MoveTo(pen.X, pen.Y);
  run.push_back(pen);
  for (int i = 0; i < m.NumPoints; ++i) {
    const TPoint p(TruncPixel(FFTScreenX(m.XValues[static_cast<std::size_t>(i)])),
                   TruncPixel(FFTScreenY(m.YValues[static_cast<std::size_t>(i)])));
    if (p.X < -2 * W || p.X >= 3 * W || p.Y < -2 * H || p.Y >= 3 * H) {
      flush();
      run.back() = p;
      c->MoveTo(p.X, p.Y);
      continue;
    }
    if (line && !(p == run.back())) run.push_back(p);
    if (squares) {
      flush();
      c->Rectangle(p.X - s, p.Y - s, p.X + s, p.Y + s);
      if (line) {
        run.back() = p;
        c->MoveTo(p.X, p.Y);
      } else {
        c->MoveTo(run.back().X, run.back().Y);
      }
    }
  }
  flush();
  c->Pen->SetWidth(2);
}
