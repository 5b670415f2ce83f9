// Paths turned into Qt paths and polygons, and the pixels of path gradients.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/gdiplus/GdiPlusPrivate.h"

namespace Gdiplus {
namespace detail {

namespace {

bool IsStart(BYTE type) {
  return (type & PathPointTypePathTypeMask) == PathPointTypeStart;
}
bool IsBezier(BYTE type) {
  return (type & PathPointTypePathTypeMask) == PathPointTypeBezier;
}
bool IsClosed(BYTE type) {
  return (type & PathPointTypeCloseSubpath) != 0;
}

}  // namespace

QPainterPath ToQPainterPath(const std::vector<PointF>& points, const std::vector<BYTE>& types,
                            FillMode mode) {
  QPainterPath path;
  path.setFillRule(mode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
  const size_t n = std::min(points.size(), types.size());
  for (size_t i = 0; i < n; ++i) {
    const PointF& p = points[i];
    if (IsStart(types[i]) || i == 0) {
      path.moveTo(p.X, p.Y);
    } else if (IsBezier(types[i]) && i + 2 < n) {
      path.cubicTo(p.X, p.Y, points[i + 1].X, points[i + 1].Y, points[i + 2].X, points[i + 2].Y);
      i += 2;
    } else {
      path.lineTo(p.X, p.Y);
    }
    if (IsClosed(types[i])) path.closeSubpath();
  }
  return path;
}

std::vector<FlatFigure> FlattenPath(const std::vector<PointF>& points, const std::vector<BYTE>& types,
                                    double tolerance) {
  std::vector<FlatFigure> figures;
  const size_t n = std::min(points.size(), types.size());
  tolerance = std::max(tolerance, 1e-3);
  auto add = [&](const PointF& p, int from, int to, float along) {
    auto& f = figures.back();
    f.points.push_back(p);
    f.fromIndex.push_back(from);
    f.toIndex.push_back(to);
    f.along.push_back(along);
  };
  for (size_t i = 0; i < n; ++i) {
    if (IsStart(types[i]) || figures.empty()) {
      figures.emplace_back();
      add(points[i], int(i), int(i), 0);
    } else if (IsBezier(types[i]) && i + 2 < n) {
      const PointF p0 = points[i - 1], p1 = points[i], p2 = points[i + 1], p3 = points[i + 2];
      const double length = std::hypot(p1.X - p0.X, p1.Y - p0.Y) + std::hypot(p2.X - p1.X, p2.Y - p1.Y) +
                            std::hypot(p3.X - p2.X, p3.Y - p2.Y);
      const int steps = std::clamp(int(std::ceil(std::sqrt(length / tolerance))), 1, 256);
      for (int s = 1; s <= steps; ++s) {
        const double t = double(s) / steps, u = 1 - t;
        const double x = u * u * u * p0.X + 3 * u * u * t * p1.X + 3 * u * t * t * p2.X + t * t * t * p3.X;
        const double y = u * u * u * p0.Y + 3 * u * u * t * p1.Y + 3 * u * t * t * p2.Y + t * t * t * p3.Y;
        add(PointF(REAL(x), REAL(y)), int(i - 1), int(i + 2), float(t));
      }
      i += 2;
    } else {
      add(points[i], int(i), int(i), 0);
    }
    if (IsClosed(types[i])) figures.back().closed = true;
  }
  return figures;
}

QString ToQString(const WCHAR* text, INT length) {
  if (!text) return QString();
  if (length < 0) {
    length = 0;
    while (text[length]) ++length;
  }
  return QString::fromUtf16(text, length);
}

namespace {

constexpr double kTwoPi = 6.283185307179586;

// An angle step folded into (-pi, pi].
double Wrapped(double d) {
  if (d > kTwoPi / 2) d -= kTwoPi;
  if (d < -kTwoPi / 2) d += kTwoPi;
  return d;
}

// One straight piece of the flattened boundary with its surround colours.
struct GradientEdge {
  double ax, ay, bx, by;
  ARGB ca, cb;
};

ARGB SurroundColorAlong(const PathGradientBrush& brush, const FlatFigure& f, size_t k) {
  const ARGB a = brush.SurroundColorAt(size_t(f.fromIndex[k]));
  const ARGB b = brush.SurroundColorAt(size_t(f.toIndex[k]));
  return f.along[k] <= 0 ? a : MixColors(a, b, f.along[k], false);
}

// Every figure counts as closed here.
std::vector<GradientEdge> BoundaryEdges(const PathGradientBrush& brush,
                                        const std::vector<FlatFigure>& figures) {
  std::vector<GradientEdge> edges;
  for (const auto& f : figures) {
    const size_t m = f.points.size();
    if (m < 2) continue;
    for (size_t k = 0; k < m; ++k) {
      const size_t next = (k + 1) % m;
      if (f.points[k].Equals(f.points[next])) continue;
      edges.push_back({f.points[k].X, f.points[k].Y, f.points[next].X, f.points[next].Y,
                       SurroundColorAlong(brush, f, k), SurroundColorAlong(brush, f, next)});
    }
  }
  return edges;
}

// Where rays from the centre leave the boundary.
class BoundaryRays {
 public:
  BoundaryRays(std::vector<GradientEdge> edges, double cx, double cy, bool oneFigure)
      : FEdges(std::move(edges)), FCx(cx), FCy(cy) {
    FStar = oneFigure && FEdges.size() >= 3 && OrderAroundCentre();
  }

  // The farthest crossing of the ray centre + lambda * (vx, vy) with the
  // boundary: lambda (negative when there is none) and the boundary's
  // colour there.
  double FarthestExit(double vx, double vy, ARGB& color) const {
    double best = -1;
    auto consider = [&](const GradientEdge& e) {
      double lambda, mu;
      if (Crossing(e, vx, vy, lambda, mu) && lambda > best) {
        best = lambda;
        color = MixColors(e.ca, e.cb, std::clamp(mu, 0.0, 1.0), false);
      }
    };
    if (FStar) {
      const size_t n = FEdges.size();
      const size_t k = EdgeAtAngle(std::atan2(vy, vx));
      consider(FEdges[k]);
      consider(FEdges[(k + 1) % n]);  // rays through a corner
      consider(FEdges[(k + n - 1) % n]);
    }
    if (best < 0) {
      for (const GradientEdge& e : FEdges) consider(e);
    }
    return best;
  }

 private:
  // Most boundaries (ellipses, rounded rectangles) are star-shaped around the
  // centre: their corners then turn one way round it, and the edge a ray
  // leaves by is found by its angle instead of by trying every edge. True
  // when the boundary is so; the edges then run counter-clockwise and FTurn
  // holds the rising angle at each edge's start.
  bool OrderAroundCentre() {
    double total = 0;
    int sign = 0;
    for (const GradientEdge& e : FEdges) {
      const double d = Wrapped(std::atan2(e.by - FCy, e.bx - FCx) - std::atan2(e.ay - FCy, e.ax - FCx));
      const int s = d > 0 ? 1 : d < 0 ? -1 : 0;
      if (s != 0 && sign != 0 && s != sign) return false;
      if (s != 0) sign = s;
      total += d;
    }
    if (std::fabs(std::fabs(total) - kTwoPi) >= 1e-6) return false;
    if (sign < 0) {
      std::reverse(FEdges.begin(), FEdges.end());
      for (GradientEdge& e : FEdges) {
        std::swap(e.ax, e.bx);
        std::swap(e.ay, e.by);
        std::swap(e.ca, e.cb);
      }
    }
    double at = std::atan2(FEdges[0].ay - FCy, FEdges[0].ax - FCx);
    for (const GradientEdge& e : FEdges) {
      FTurn.push_back(at);
      at += Wrapped(std::atan2(e.by - FCy, e.bx - FCx) - std::atan2(e.ay - FCy, e.ax - FCx));
    }
    return true;
  }

  size_t EdgeAtAngle(double angle) const {
    angle = FTurn[0] + std::fmod(std::fmod(angle - FTurn[0], kTwoPi) + kTwoPi, kTwoPi);
    const size_t n = FEdges.size();
    return size_t(std::upper_bound(FTurn.begin(), FTurn.end(), angle) - FTurn.begin() + n - 1) % n;
  }

  bool Crossing(const GradientEdge& e, double vx, double vy, double& lambda, double& mu) const {
    const double ex = e.bx - e.ax, ey = e.by - e.ay;
    const double denom = vx * ey - vy * ex;
    if (std::fabs(denom) < 1e-12) return false;
    const double wx = e.ax - FCx, wy = e.ay - FCy;
    lambda = (wx * ey - wy * ex) / denom;  // crossing at centre + lambda * v
    mu = (wx * vy - wy * vx) / denom;      // and at a + mu * (b - a)
    return mu >= -1e-9 && mu <= 1 + 1e-9 && lambda > 0;
  }

  std::vector<GradientEdge> FEdges;
  double FCx, FCy;
  bool FStar = false;
  std::vector<double> FTurn;
};

}  // namespace

// Path gradient, done the way the API defines it for any boundary: the
// colour at a point comes from where the ray from the centre through the
// point leaves the boundary, blended toward the centre colour by how far in
// the point lies. Qt's radial gradients match this only for ellipses, so the
// pixels are worked out here for every shape. Boundaries that are not
// star-shaped around the centre take the farthest crossing.
QImage RenderPathGradient(const PathGradientBrush& brush, const QTransform& deviceToBrush,
                          const QRect& area) {
  QImage out(area.size(), QImage::Format_ARGB32_Premultiplied);
  out.fill(0);
  if (area.isEmpty()) return out;

  // A quarter of a device pixel is fine enough for the boundary.
  const double scale = std::sqrt(std::fabs(deviceToBrush.determinant()));
  const auto figures = FlattenPath(brush.Points(), brush.Types(), 0.25 * (scale > 0 ? scale : 1));
  std::vector<GradientEdge> edges = BoundaryEdges(brush, figures);
  if (edges.empty()) return out;

  const PointF centre = brush.CenterPoint();
  const double cx = centre.X, cy = centre.Y;
  const BoundaryRays rays(std::move(edges), cx, cy, figures.size() == 1);
  const ARGB centreColor = brush.CenterColor();
  const GradientRamp& ramp = brush.Ramp();
  const bool preset = !ramp.presetColors.empty();

  for (int j = 0; j < area.height(); ++j) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(j));
    for (int i = 0; i < area.width(); ++i) {
      const QPointF p = deviceToBrush.map(QPointF(area.x() + i + 0.5, area.y() + j + 0.5));
      const double vx = p.x() - cx, vy = p.y() - cy;
      double depth = 1;  // 0 on the boundary, 1 at the centre
      ARGB edgeColor = centreColor;
      if (std::fabs(vx) >= 1e-9 || std::fabs(vy) >= 1e-9) {
        const double best = rays.FarthestExit(vx, vy, edgeColor);
        if (best < 1 - 1e-9) continue;  // outside the boundary: clamped, nothing drawn
        depth = 1 - 1 / best;
      }
      const ARGB c = preset
                         ? ramp.At(depth)
                         : MixColors(edgeColor, centreColor, BlendFactor(ramp, depth), ramp.gammaCorrection);
      line[i] = qPremultiply(c);
    }
  }
  return out;
}

}  // namespace detail
}  // namespace Gdiplus
