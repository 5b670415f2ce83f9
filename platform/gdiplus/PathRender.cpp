// Paths turned into Qt paths and polygons, and the pixels of path gradients.
#include <algorithm>
#include <cmath>

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

  struct Edge {
    double ax, ay, bx, by;
    ARGB ca, cb;
  };
  std::vector<Edge> edges;
  auto colorOf = [&](const FlatFigure& f, size_t k) {
    const ARGB a = brush.SurroundColorAt(size_t(f.fromIndex[k]));
    const ARGB b = brush.SurroundColorAt(size_t(f.toIndex[k]));
    return f.along[k] <= 0 ? a : MixColors(a, b, f.along[k], false);
  };
  // A quarter of a device pixel is fine enough for the boundary.
  const double scale = std::sqrt(std::fabs(deviceToBrush.determinant()));
  const auto figures = FlattenPath(brush.Points(), brush.Types(), 0.25 * (scale > 0 ? scale : 1));
  for (const auto& f : figures) {
    const size_t m = f.points.size();
    if (m < 2) continue;
    for (size_t k = 0; k < m; ++k) {
      const size_t next = (k + 1) % m;  // every figure counts as closed here
      if (f.points[k].Equals(f.points[next])) continue;
      edges.push_back({f.points[k].X, f.points[k].Y, f.points[next].X, f.points[next].Y, colorOf(f, k),
                       colorOf(f, next)});
    }
  }
  if (edges.empty()) return out;

  const PointF centre = brush.CenterPoint();
  const double cx = centre.X, cy = centre.Y;
  const ARGB centreColor = brush.CenterColor();
  const GradientRamp& ramp = brush.Ramp();
  const bool preset = !ramp.presetColors.empty();

  // Most boundaries (ellipses, rounded rectangles) are star-shaped around the
  // centre: their corners then turn one way round it, and the edge a ray
  // leaves by is found by its angle instead of by trying every edge.
  constexpr double kTwoPi = 6.283185307179586;
  std::vector<double> turn;  // angle at each edge's start, rising
  bool star = figures.size() == 1 && edges.size() >= 3;
  if (star) {
    double total = 0;
    int sign = 0;
    for (size_t k = 0; k < edges.size() && star; ++k) {
      const double a0 = std::atan2(edges[k].ay - cy, edges[k].ax - cx);
      const double a1 = std::atan2(edges[k].by - cy, edges[k].bx - cx);
      double d = a1 - a0;
      if (d > kTwoPi / 2) d -= kTwoPi;
      if (d < -kTwoPi / 2) d += kTwoPi;
      const int s = d > 0 ? 1 : d < 0 ? -1 : 0;
      if (s != 0 && sign != 0 && s != sign) star = false;
      if (s != 0) sign = s;
      total += d;
    }
    star = star && std::fabs(std::fabs(total) - kTwoPi) < 1e-6;
    if (star) {
      if (sign < 0) {
        std::reverse(edges.begin(), edges.end());
        for (Edge& e : edges) {
          std::swap(e.ax, e.bx);
          std::swap(e.ay, e.by);
          std::swap(e.ca, e.cb);
        }
      }
      double at = std::atan2(edges[0].ay - cy, edges[0].ax - cx);
      for (const Edge& e : edges) {
        turn.push_back(at);
        double d = std::atan2(e.by - cy, e.bx - cx) - std::atan2(e.ay - cy, e.ax - cx);
        if (d > kTwoPi / 2) d -= kTwoPi;
        if (d < -kTwoPi / 2) d += kTwoPi;
        at += d;
      }
    }
  }
  auto crossing = [&](const Edge& e, double vx, double vy, double* lambda, double* mu) {
    const double ex = e.bx - e.ax, ey = e.by - e.ay;
    const double denom = vx * ey - vy * ex;
    if (std::fabs(denom) < 1e-12) return false;
    const double wx = e.ax - cx, wy = e.ay - cy;
    *lambda = (wx * ey - wy * ex) / denom;  // crossing at centre + lambda * v
    *mu = (wx * vy - wy * vx) / denom;      // and at a + mu * (b - a)
    return *mu >= -1e-9 && *mu <= 1 + 1e-9 && *lambda > 0;
  };

  for (int j = 0; j < area.height(); ++j) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(j));
    for (int i = 0; i < area.width(); ++i) {
      const QPointF p = deviceToBrush.map(QPointF(area.x() + i + 0.5, area.y() + j + 0.5));
      const double vx = p.x() - cx, vy = p.y() - cy;
      double depth;  // 0 on the boundary, 1 at the centre
      ARGB edgeColor = centreColor;
      if (std::fabs(vx) < 1e-9 && std::fabs(vy) < 1e-9) {
        depth = 1;
      } else {
        double best = -1, lambda, mu;
        auto consider = [&](const Edge& e) {
          if (crossing(e, vx, vy, &lambda, &mu) && lambda > best) {
            best = lambda;
            edgeColor = MixColors(e.ca, e.cb, std::clamp(mu, 0.0, 1.0), false);
          }
        };
        if (star) {
          double angle = std::atan2(vy, vx);
          angle = turn[0] + std::fmod(std::fmod(angle - turn[0], kTwoPi) + kTwoPi, kTwoPi);
          const size_t n = edges.size();
          const size_t k =
              size_t(std::upper_bound(turn.begin(), turn.end(), angle) - turn.begin() + n - 1) % n;
          consider(edges[k]);
          consider(edges[(k + 1) % n]);  // rays through a corner
          consider(edges[(k + n - 1) % n]);
        }
        if (best < 0) {
          for (const Edge& e : edges) consider(e);
        }
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
