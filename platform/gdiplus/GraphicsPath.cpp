#include "platform/gdiplus/GraphicsPath.h"

#include <algorithm>
#include <cmath>

#include "platform/gdiplus/GdiPlusPrivate.h"
#include "platform/gdiplus/Matrix.h"
#include "platform/gdiplus/Pen.h"

namespace Gdiplus {

namespace {

constexpr double kPi = 3.14159265358979323846;

PointF ToF(const Point& p) {
  return PointF(REAL(p.X), REAL(p.Y));
}

std::vector<PointF> ToF(const Point* points, INT count) {
  std::vector<PointF> out;
  out.reserve(count > 0 ? size_t(count) : 0);
  for (INT i = 0; i < count; ++i) out.push_back(ToF(points[i]));
  return out;
}

}  // namespace

namespace detail {

std::vector<PointF> ArcBezierPoints(double x, double y, double width, double height, double startAngle,
                                    double sweepAngle) {
  sweepAngle = std::clamp(sweepAngle, -360.0, 360.0);
  const double a = width / 2, b = height / 2;
  const double cx = x + a, cy = y + b;
  // The angles are those of rays from the centre, so on an ellipse they are
  // turned into the curve's parameter; the branch nearest the angle keeps the
  // sweep's direction and size.
  auto parameter = [&](double degrees) {
    const double theta = degrees * kPi / 180.0;
    const double t0 = std::atan2(a * std::sin(theta), b * std::cos(theta));
    return t0 + 2 * kPi * std::round((theta - t0) / (2 * kPi));
  };
  const double t1 = parameter(startAngle);
  double t2 = parameter(startAngle + sweepAngle);
  if (std::fabs(sweepAngle) >= 360.0) t2 = t1 + (sweepAngle > 0 ? 2 * kPi : -2 * kPi);

  auto at = [&](double t) { return PointF(REAL(cx + a * std::cos(t)), REAL(cy + b * std::sin(t))); };
  std::vector<PointF> out{at(t1)};
  const double span = t2 - t1;
  if (span == 0) return out;
  const int segments = std::max(1, int(std::ceil(std::fabs(span) / (kPi / 2) - 1e-9)));
  const double delta = span / segments;
  const double k = 4.0 / 3.0 * std::tan(delta / 4);
  for (int i = 0; i < segments; ++i) {
    const double ta = t1 + delta * i, tb = ta + delta;
    const PointF pa = at(ta), pb = at(tb);
    out.emplace_back(REAL(pa.X - k * a * std::sin(ta)), REAL(pa.Y + k * b * std::cos(ta)));
    out.emplace_back(REAL(pb.X + k * a * std::sin(tb)), REAL(pb.Y - k * b * std::cos(tb)));
    out.push_back(i == segments - 1 ? at(t2) : pb);
  }
  return out;
}

std::vector<PointF> CardinalBezierPoints(const PointF* points, INT count, bool closed, REAL tension) {
  std::vector<PointF> out;
  if (count < 2) return out;
  const double f = tension / 3.0;
  auto point = [&](INT i) {
    if (closed) return points[((i % count) + count) % count];
    return points[std::clamp(i, 0, count - 1)];
  };
  const INT segments = closed ? count : count - 1;
  out.push_back(points[0]);
  for (INT i = 0; i < segments; ++i) {
    const PointF p0 = point(i - 1), p1 = point(i), p2 = point(i + 1), p3 = point(i + 2);
    out.emplace_back(REAL(p1.X + f * (p2.X - p0.X)), REAL(p1.Y + f * (p2.Y - p0.Y)));
    out.emplace_back(REAL(p2.X - f * (p3.X - p1.X)), REAL(p2.Y - f * (p3.Y - p1.Y)));
    out.push_back(p2);
  }
  return out;
}

std::vector<BYTE> BezierTypes(size_t pointCount) {
  std::vector<BYTE> types(pointCount, PathPointTypeBezier);
  if (!types.empty()) types[0] = PathPointTypeStart;
  return types;
}

}  // namespace detail

GraphicsPath::GraphicsPath(FillMode fillMode) : FFillMode(fillMode) {
  if (fillMode != FillModeAlternate && fillMode != FillModeWinding) {
    FFillMode = FillModeAlternate;
    FLastResult = InvalidParameter;
  }
}

GraphicsPath::GraphicsPath(const PointF* points, const BYTE* types, INT count, FillMode fillMode)
    : GraphicsPath(fillMode) {
  if (!points || !types || count < 0) {
    FLastResult = InvalidParameter;
    return;
  }
  FPoints.assign(points, points + count);
  FTypes.assign(types, types + count);
  FStartNewFigure = count == 0 || (types[count - 1] & PathPointTypeCloseSubpath) != 0;
}

GraphicsPath* GraphicsPath::Clone() const {
  auto* copy = new GraphicsPath(FFillMode);
  copy->FPoints = FPoints;
  copy->FTypes = FTypes;
  copy->FStartNewFigure = FStartNewFigure;
  return copy;
}

Status GraphicsPath::Reset() {
  FPoints.clear();
  FTypes.clear();
  FFillMode = FillModeAlternate;
  FStartNewFigure = true;
  return Ok;
}

Status GraphicsPath::SetFillMode(FillMode fillMode) {
  if (fillMode != FillModeAlternate && fillMode != FillModeWinding) return Record(InvalidParameter);
  FFillMode = fillMode;
  return Ok;
}

Status GraphicsPath::StartFigure() {
  FStartNewFigure = true;
  return Ok;
}

Status GraphicsPath::CloseFigure() {
  if (!FTypes.empty()) FTypes.back() |= PathPointTypeCloseSubpath;
  FStartNewFigure = true;
  return Ok;
}

Status GraphicsPath::CloseAllFigures() {
  for (size_t i = 0; i < FTypes.size(); ++i) {
    const bool lastOfFigure =
        i + 1 == FTypes.size() || (FTypes[i + 1] & PathPointTypePathTypeMask) == PathPointTypeStart;
    if (lastOfFigure) FTypes[i] |= PathPointTypeCloseSubpath;
  }
  FStartNewFigure = true;
  return Ok;
}

void GraphicsPath::AppendOpen(const std::vector<PointF>& pts, const std::vector<BYTE>& types) {
  if (pts.empty()) return;
  size_t first = 0;
  if (FStartNewFigure || FPoints.empty()) {
    FPoints.push_back(pts[0]);
    FTypes.push_back(PathPointTypeStart);
    first = 1;
    FStartNewFigure = false;
  } else if (FPoints.back().Equals(pts[0])) {
    first = 1;  // already there: no zero-length joining line
  }
  for (size_t i = first; i < pts.size(); ++i) {
    FPoints.push_back(pts[i]);
    FTypes.push_back(i == 0 ? BYTE(PathPointTypeLine) : types[i]);
  }
}

void GraphicsPath::AppendClosed(const std::vector<PointF>& pts, const std::vector<BYTE>& types) {
  if (pts.empty()) return;
  FPoints.insert(FPoints.end(), pts.begin(), pts.end());
  for (size_t i = 0; i < types.size(); ++i) FTypes.push_back(i == 0 ? BYTE(PathPointTypeStart) : types[i]);
  FTypes.back() |= PathPointTypeCloseSubpath;
  FStartNewFigure = true;
}

Status GraphicsPath::AddLine(const PointF& pt1, const PointF& pt2) {
  AppendOpen({pt1, pt2}, {PathPointTypeStart, PathPointTypeLine});
  return Ok;
}
Status GraphicsPath::AddLine(REAL x1, REAL y1, REAL x2, REAL y2) {
  return AddLine(PointF(x1, y1), PointF(x2, y2));
}
Status GraphicsPath::AddLine(const Point& pt1, const Point& pt2) {
  return AddLine(ToF(pt1), ToF(pt2));
}
Status GraphicsPath::AddLine(INT x1, INT y1, INT x2, INT y2) {
  return AddLine(Point(x1, y1), Point(x2, y2));
}

Status GraphicsPath::AddLines(const PointF* points, INT count) {
  if (!points || count <= 0) return Record(InvalidParameter);
  std::vector<PointF> pts(points, points + count);
  std::vector<BYTE> types(pts.size(), PathPointTypeLine);
  types[0] = PathPointTypeStart;
  AppendOpen(pts, types);
  return Ok;
}
Status GraphicsPath::AddLines(const Point* points, INT count) {
  if (!points || count <= 0) return Record(InvalidParameter);
  const auto pts = ToF(points, count);
  return AddLines(pts.data(), count);
}

Status GraphicsPath::AddArc(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle) {
  const auto pts = detail::ArcBezierPoints(x, y, width, height, startAngle, sweepAngle);
  AppendOpen(pts, detail::BezierTypes(pts.size()));
  return Ok;
}
Status GraphicsPath::AddArc(const RectF& r, REAL startAngle, REAL sweepAngle) {
  return AddArc(r.X, r.Y, r.Width, r.Height, startAngle, sweepAngle);
}
Status GraphicsPath::AddArc(const Rect& r, REAL startAngle, REAL sweepAngle) {
  return AddArc(REAL(r.X), REAL(r.Y), REAL(r.Width), REAL(r.Height), startAngle, sweepAngle);
}
Status GraphicsPath::AddArc(INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle) {
  return AddArc(REAL(x), REAL(y), REAL(width), REAL(height), startAngle, sweepAngle);
}

Status GraphicsPath::AddBezier(const PointF& pt1, const PointF& pt2, const PointF& pt3, const PointF& pt4) {
  AppendOpen({pt1, pt2, pt3, pt4}, detail::BezierTypes(4));
  return Ok;
}
Status GraphicsPath::AddBezier(REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4) {
  return AddBezier(PointF(x1, y1), PointF(x2, y2), PointF(x3, y3), PointF(x4, y4));
}
Status GraphicsPath::AddBezier(const Point& pt1, const Point& pt2, const Point& pt3, const Point& pt4) {
  return AddBezier(ToF(pt1), ToF(pt2), ToF(pt3), ToF(pt4));
}
Status GraphicsPath::AddBezier(INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4) {
  return AddBezier(Point(x1, y1), Point(x2, y2), Point(x3, y3), Point(x4, y4));
}

Status GraphicsPath::AddBeziers(const PointF* points, INT count) {
  if (!points || count < 4 || (count - 1) % 3 != 0) return Record(InvalidParameter);
  AppendOpen(std::vector<PointF>(points, points + count), detail::BezierTypes(size_t(count)));
  return Ok;
}
Status GraphicsPath::AddBeziers(const Point* points, INT count) {
  if (!points) return Record(InvalidParameter);
  const auto pts = ToF(points, count);
  return AddBeziers(pts.data(), count);
}

Status GraphicsPath::AddCurve(const PointF* points, INT count) {
  return AddCurve(points, count, 0.5f);
}

Status GraphicsPath::AddCurve(const PointF* points, INT count, REAL tension) {
  if (!points || count < 2) return Record(InvalidParameter);
  const auto pts = detail::CardinalBezierPoints(points, count, false, tension);
  AppendOpen(pts, detail::BezierTypes(pts.size()));
  return Ok;
}

Status GraphicsPath::AddCurve(const PointF* points, INT count, INT offset, INT numberOfSegments,
                              REAL tension) {
  if (!points || count < 2 || offset < 0 || numberOfSegments < 1 || offset + numberOfSegments >= count)
    return Record(InvalidParameter);
  // Tangents use the neighbours outside the chosen segments too.
  const auto all = detail::CardinalBezierPoints(points, count, false, tension);
  const std::vector<PointF> pts(all.begin() + 3 * offset, all.begin() + 3 * (offset + numberOfSegments) + 1);
  AppendOpen(pts, detail::BezierTypes(pts.size()));
  return Ok;
}

Status GraphicsPath::AddCurve(const Point* points, INT count) {
  return AddCurve(points, count, 0.5f);
}
Status GraphicsPath::AddCurve(const Point* points, INT count, REAL tension) {
  if (!points) return Record(InvalidParameter);
  const auto pts = ToF(points, count);
  return AddCurve(pts.data(), count, tension);
}
Status GraphicsPath::AddCurve(const Point* points, INT count, INT offset, INT numberOfSegments,
                              REAL tension) {
  if (!points) return Record(InvalidParameter);
  const auto pts = ToF(points, count);
  return AddCurve(pts.data(), count, offset, numberOfSegments, tension);
}

Status GraphicsPath::AddClosedCurve(const PointF* points, INT count) {
  return AddClosedCurve(points, count, 0.5f);
}
Status GraphicsPath::AddClosedCurve(const PointF* points, INT count, REAL tension) {
  if (!points || count < 3) return Record(InvalidParameter);
  const auto pts = detail::CardinalBezierPoints(points, count, true, tension);
  AppendClosed(pts, detail::BezierTypes(pts.size()));
  return Ok;
}
Status GraphicsPath::AddClosedCurve(const Point* points, INT count) {
  return AddClosedCurve(points, count, 0.5f);
}
Status GraphicsPath::AddClosedCurve(const Point* points, INT count, REAL tension) {
  if (!points) return Record(InvalidParameter);
  const auto pts = ToF(points, count);
  return AddClosedCurve(pts.data(), count, tension);
}

Status GraphicsPath::AddRectangle(const RectF& r) {
  if (r.Width == 0 || r.Height == 0) return Ok;  // nothing to enclose
  AppendClosed({PointF(r.X, r.Y), PointF(r.X + r.Width, r.Y), PointF(r.X + r.Width, r.Y + r.Height),
                PointF(r.X, r.Y + r.Height)},
               {PathPointTypeStart, PathPointTypeLine, PathPointTypeLine, PathPointTypeLine});
  return Ok;
}
Status GraphicsPath::AddRectangle(const Rect& r) {
  return AddRectangle(RectF(REAL(r.X), REAL(r.Y), REAL(r.Width), REAL(r.Height)));
}
Status GraphicsPath::AddRectangles(const RectF* rects, INT count) {
  if (!rects || count <= 0) return Record(InvalidParameter);
  for (INT i = 0; i < count; ++i) AddRectangle(rects[i]);
  return Ok;
}
Status GraphicsPath::AddRectangles(const Rect* rects, INT count) {
  if (!rects || count <= 0) return Record(InvalidParameter);
  for (INT i = 0; i < count; ++i) AddRectangle(rects[i]);
  return Ok;
}

Status GraphicsPath::AddEllipse(REAL x, REAL y, REAL width, REAL height) {
  const auto pts = detail::ArcBezierPoints(x, y, width, height, 0, 360);
  AppendClosed(pts, detail::BezierTypes(pts.size()));
  return Ok;
}
Status GraphicsPath::AddEllipse(const RectF& r) {
  return AddEllipse(r.X, r.Y, r.Width, r.Height);
}
Status GraphicsPath::AddEllipse(const Rect& r) {
  return AddEllipse(REAL(r.X), REAL(r.Y), REAL(r.Width), REAL(r.Height));
}
Status GraphicsPath::AddEllipse(INT x, INT y, INT width, INT height) {
  return AddEllipse(REAL(x), REAL(y), REAL(width), REAL(height));
}

Status GraphicsPath::AddPie(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle) {
  auto arc = detail::ArcBezierPoints(x, y, width, height, startAngle, sweepAngle);
  std::vector<PointF> pts{PointF(x + width / 2, y + height / 2)};
  std::vector<BYTE> types{PathPointTypeStart};
  pts.insert(pts.end(), arc.begin(), arc.end());
  for (size_t i = 0; i < arc.size(); ++i)
    types.push_back(i == 0 ? BYTE(PathPointTypeLine) : BYTE(PathPointTypeBezier));
  AppendClosed(pts, types);
  return Ok;
}
Status GraphicsPath::AddPie(const RectF& r, REAL startAngle, REAL sweepAngle) {
  return AddPie(r.X, r.Y, r.Width, r.Height, startAngle, sweepAngle);
}
Status GraphicsPath::AddPie(const Rect& r, REAL startAngle, REAL sweepAngle) {
  return AddPie(REAL(r.X), REAL(r.Y), REAL(r.Width), REAL(r.Height), startAngle, sweepAngle);
}
Status GraphicsPath::AddPie(INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle) {
  return AddPie(REAL(x), REAL(y), REAL(width), REAL(height), startAngle, sweepAngle);
}

Status GraphicsPath::AddPolygon(const PointF* points, INT count) {
  if (!points || count < 3) return Record(InvalidParameter);
  std::vector<BYTE> types(size_t(count), PathPointTypeLine);
  AppendClosed(std::vector<PointF>(points, points + count), types);
  return Ok;
}
Status GraphicsPath::AddPolygon(const Point* points, INT count) {
  if (!points) return Record(InvalidParameter);
  const auto pts = ToF(points, count);
  return AddPolygon(pts.data(), count);
}

Status GraphicsPath::AddPath(const GraphicsPath* addingPath, bool connect) {
  if (!addingPath) return Record(InvalidParameter);
  const auto& pts = addingPath->FPoints;
  const auto& types = addingPath->FTypes;
  for (size_t i = 0; i < pts.size(); ++i) {
    const bool start = (types[i] & PathPointTypePathTypeMask) == PathPointTypeStart;
    if (start && i == 0 && connect && !FStartNewFigure && !FPoints.empty()) {
      if (!FPoints.back().Equals(pts[i])) {
        FPoints.push_back(pts[i]);
        FTypes.push_back(PathPointTypeLine | (types[i] & ~PathPointTypePathTypeMask));
      }
    } else {
      FPoints.push_back(pts[i]);
      FTypes.push_back(types[i]);
    }
  }
  if (!pts.empty()) FStartNewFigure = addingPath->FStartNewFigure;
  return Ok;
}

Status GraphicsPath::AddString(const WCHAR* string, INT length, const FontFamily* family, INT style,
                               REAL emSize, const RectF& layoutRect, const StringFormat* format) {
  return AddStringImpl(string, length, family, style, emSize, layoutRect, format);
}

Status GraphicsPath::AddString(const WCHAR* string, INT length, const FontFamily* family, INT style,
                               REAL emSize, const PointF& origin, const StringFormat* format) {
  return AddStringImpl(string, length, family, style, emSize, RectF(origin.X, origin.Y, 0, 0), format);
}

Status GraphicsPath::Transform(const Matrix* matrix) {
  if (!matrix) return Ok;  // no matrix: nothing to do
  if (!FPoints.empty()) matrix->TransformPoints(FPoints.data(), GetPointCount());
  return Ok;
}

Status GraphicsPath::Flatten(const Matrix* matrix, REAL flatness) {
  Transform(matrix);
  std::vector<PointF> pts;
  std::vector<BYTE> types;
  for (const auto& figure : detail::FlattenPath(FPoints, FTypes, flatness)) {
    for (size_t i = 0; i < figure.points.size(); ++i) {
      pts.push_back(figure.points[i]);
      types.push_back(i == 0 ? BYTE(PathPointTypeStart) : BYTE(PathPointTypeLine));
    }
    if (figure.closed && !figure.points.empty()) types.back() |= PathPointTypeCloseSubpath;
  }
  FPoints = std::move(pts);
  FTypes = std::move(types);
  return Ok;
}

Status GraphicsPath::GetBounds(RectF* bounds, const Matrix* matrix, const Pen* pen) const {
  if (!bounds) return Record(InvalidParameter);
  QPainterPath path = detail::ToQPainterPath(*this);
  if (matrix) path = detail::ToQTransform(*matrix).map(path);
  QRectF r = path.boundingRect();
  if (pen) {
    const double half = std::max<double>(pen->GetWidth(), 1.0) / 2;
    r.adjust(-half, -half, half, half);
  }
  *bounds = RectF(REAL(r.x()), REAL(r.y()), REAL(r.width()), REAL(r.height()));
  return Ok;
}

Status GraphicsPath::GetBounds(Rect* bounds, const Matrix* matrix, const Pen* pen) const {
  if (!bounds) return Record(InvalidParameter);
  RectF r;
  GetBounds(&r, matrix, pen);
  const INT left = INT(std::floor(r.X)), top = INT(std::floor(r.Y));
  *bounds = Rect(left, top, INT(std::ceil(r.GetRight())) - left, INT(std::ceil(r.GetBottom())) - top);
  return Ok;
}

bool GraphicsPath::IsVisible(REAL x, REAL y, const Graphics*) const {
  return detail::ToQPainterPath(*this).contains(QPointF(x, y));
}

Status GraphicsPath::GetPathPoints(PointF* points, INT count) const {
  if (!points || count < GetPointCount()) return Record(InsufficientBuffer);
  std::copy(FPoints.begin(), FPoints.end(), points);
  return Ok;
}

Status GraphicsPath::GetPathPoints(Point* points, INT count) const {
  if (!points || count < GetPointCount()) return Record(InsufficientBuffer);
  for (size_t i = 0; i < FPoints.size(); ++i)
    points[i] = Point(INT(std::lround(FPoints[i].X)), INT(std::lround(FPoints[i].Y)));
  return Ok;
}

Status GraphicsPath::GetPathTypes(BYTE* types, INT count) const {
  if (!types || count < GetPointCount()) return Record(InsufficientBuffer);
  std::copy(FTypes.begin(), FTypes.end(), types);
  return Ok;
}

Status GraphicsPath::GetLastPoint(PointF* lastPoint) const {
  if (!lastPoint || FPoints.empty()) return Record(InvalidParameter);
  *lastPoint = FPoints.back();
  return Ok;
}

Status GraphicsPath::GetLastStatus() const {
  const Status s = FLastResult;
  FLastResult = Ok;
  return s;
}

}  // namespace Gdiplus
