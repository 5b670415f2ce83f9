#include "platform/gdiplus/Brush.h"

#include <algorithm>
#include <cmath>

#include "platform/gdiplus/GdiPlusPrivate.h"
#include "platform/gdiplus/GraphicsPath.h"
#include "platform/gdiplus/Image.h"

namespace Gdiplus {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kGamma = 2.2;

bool ValidPositions(const REAL* positions, INT count) {
  for (INT i = 0; i < count; ++i) {
    if (!(positions[i] >= 0 && positions[i] <= 1)) return false;
    if (i > 0 && positions[i] < positions[i - 1]) return false;
  }
  return true;
}

Status CopyMatrix(const Matrix& from, Matrix& to) {
  REAL e[6];
  from.GetElements(e);
  return to.SetElements(e[0], e[1], e[2], e[3], e[4], e[5]);
}

}  // namespace

namespace detail {

ARGB MixColors(ARGB a, ARGB b, double f, bool gamma) {
  f = std::clamp(f, 0.0, 1.0);
  auto channel = [&](int shift) {
    const double x = ((a >> shift) & 0xff) / 255.0, y = ((b >> shift) & 0xff) / 255.0;
    double v;
    if (gamma && shift != Color::AlphaShift)
      v = std::pow(std::pow(x, kGamma) * (1 - f) + std::pow(y, kGamma) * f, 1 / kGamma);
    else
      v = x * (1 - f) + y * f;
    return ARGB(std::lround(std::clamp(v, 0.0, 1.0) * 255)) << shift;
  };
  return channel(Color::AlphaShift) | channel(Color::RedShift) | channel(Color::GreenShift) |
         channel(Color::BlueShift);
}

double BlendFactor(const GradientRamp& ramp, double t) {
  const auto& pos = ramp.blendPositions;
  const auto& fac = ramp.blendFactors;
  if (pos.empty()) return t;
  if (t <= pos.front()) return fac.front();
  for (size_t i = 1; i < pos.size(); ++i) {
    if (t <= pos[i]) {
      const double span = pos[i] - pos[i - 1];
      const double u = span > 0 ? (t - pos[i - 1]) / span : 1.0;
      return fac[i - 1] + (fac[i] - fac[i - 1]) * u;
    }
  }
  return fac.back();
}

}  // namespace detail

ARGB GradientRamp::At(double t) const {
  t = std::clamp(t, 0.0, 1.0);
  if (!presetColors.empty()) {
    const auto& pos = presetPositions;
    for (size_t i = 1; i < pos.size(); ++i) {
      if (t <= pos[i]) {
        const double span = pos[i] - pos[i - 1];
        const double u = span > 0 ? (t - pos[i - 1]) / span : 1.0;
        return detail::MixColors(presetColors[i - 1], presetColors[i], u, gammaCorrection);
      }
    }
    return presetColors.back();
  }
  return detail::MixColors(start, end, detail::BlendFactor(*this, t), gammaCorrection);
}

// ---- Brush --------------------------------------------------------------------

Brush::~Brush() = default;

Status Brush::GetLastStatus() const {
  const Status s = FLastResult;
  FLastResult = Ok;
  return s;
}

Status Brush::SetMatrix(Matrix& target, const Matrix* source) {
  if (!source) return InvalidParameter;
  if (!source->IsInvertible()) return InvalidParameter;
  return CopyMatrix(*source, target);
}

Status Brush::GetMatrix(const Matrix& source, Matrix* target) {
  if (!target) return InvalidParameter;
  return CopyMatrix(source, *target);
}

Status SolidBrush::GetColor(Color* color) const {
  if (!color) return Record(InvalidParameter);
  *color = FColor;
  return Ok;
}

Status SolidBrush::SetColor(const Color& color) {
  FColor = color;
  return Ok;
}

// ---- HatchBrush -------------------------------------------------------------

HatchBrush::HatchBrush(HatchStyle hatchStyle, const Color& foreColor, const Color& backColor)
    : Brush(BrushTypeHatchFill), FStyle(hatchStyle), FFore(foreColor), FBack(backColor) {
  if (hatchStyle < HatchStyleMin || hatchStyle > HatchStyleMax) FLastResult = InvalidParameter;
}

Brush* HatchBrush::Clone() const {
  return new HatchBrush(FStyle, FFore, FBack);
}

Status HatchBrush::GetForegroundColor(Color* color) const {
  if (!color) return Record(InvalidParameter);
  *color = FFore;
  return Ok;
}

Status HatchBrush::GetBackgroundColor(Color* color) const {
  if (!color) return Record(InvalidParameter);
  *color = FBack;
  return Ok;
}

// ---- TextureBrush -----------------------------------------------------------

TextureBrush::TextureBrush(const Image* image, WrapMode wrapMode) : Brush(BrushTypeTextureFill) {
  Init(image, wrapMode, nullptr, nullptr);
}
TextureBrush::TextureBrush(const Image* image, WrapMode wrapMode, const RectF& dstRect)
    : Brush(BrushTypeTextureFill) {
  Init(image, wrapMode, &dstRect, nullptr);
}
TextureBrush::TextureBrush(const Image* image, WrapMode wrapMode, const Rect& r)
    : Brush(BrushTypeTextureFill) {
  const RectF part(REAL(r.X), REAL(r.Y), REAL(r.Width), REAL(r.Height));
  Init(image, wrapMode, &part, nullptr);
}
TextureBrush::TextureBrush(const Image* image, const RectF& dstRect, const ImageAttributes* imageAttributes)
    : Brush(BrushTypeTextureFill) {
  Init(image, imageAttributes ? imageAttributes->GetWrap() : WrapModeTile, &dstRect, imageAttributes);
}
TextureBrush::TextureBrush(const Image* image, const Rect& r, const ImageAttributes* imageAttributes)
    : Brush(BrushTypeTextureFill) {
  const RectF part(REAL(r.X), REAL(r.Y), REAL(r.Width), REAL(r.Height));
  Init(image, imageAttributes ? imageAttributes->GetWrap() : WrapModeTile, &part, imageAttributes);
}
TextureBrush::TextureBrush(const Image* image, WrapMode wrapMode, REAL x, REAL y, REAL w, REAL h)
    : Brush(BrushTypeTextureFill) {
  const RectF part(x, y, w, h);
  Init(image, wrapMode, &part, nullptr);
}
TextureBrush::TextureBrush(const Image* image, WrapMode wrapMode, INT x, INT y, INT w, INT h)
    : Brush(BrushTypeTextureFill) {
  const RectF part{REAL(x), REAL(y), REAL(w), REAL(h)};
  Init(image, wrapMode, &part, nullptr);
}

TextureBrush::TextureBrush() : Brush(BrushTypeTextureFill) {}
TextureBrush::~TextureBrush() = default;

void TextureBrush::Init(const Image* image, WrapMode wrapMode, const RectF* part,
                        const ImageAttributes* attributes) {
  if (wrapMode < WrapModeTile || wrapMode > WrapModeClamp) {
    FLastResult = InvalidParameter;
    return;
  }
  FWrapMode = wrapMode;
  if (!image || !image->Data()) {
    FLastResult = InvalidParameter;
    return;
  }
  QImage pixels = image->Data()->image;
  if (part) {
    const QRect r(int(std::floor(part->X)), int(std::floor(part->Y)), int(std::lround(part->Width)),
                  int(std::lround(part->Height)));
    if (r.width() <= 0 || r.height() <= 0 || !pixels.rect().contains(r)) {
      FLastResult = InvalidParameter;
      return;
    }
    pixels = pixels.copy(r);
  }
  if (attributes) {
    const auto& settings = attributes->For(ColorAdjustTypeBrush);
    if (settings.Any()) pixels = detail::ApplyAttributes(pixels, settings);
  }
  // A copy detached from any caller-owned rows.
  FImage.reset(detail::MakeBitmap(pixels.copy(), image->Data()->format));
}

Brush* TextureBrush::Clone() const {
  auto* copy = new TextureBrush();
  if (FImage) copy->FImage.reset(FImage->Clone());
  copy->FWrapMode = FWrapMode;
  CopyMatrix(FTransform, copy->FTransform);
  copy->FLastResult = FLastResult;
  return copy;
}

Status TextureBrush::MultiplyTransform(const Matrix* matrix, MatrixOrder order) {
  return Record(FTransform.Multiply(matrix, order));
}
Status TextureBrush::TranslateTransform(REAL dx, REAL dy, MatrixOrder order) {
  return Record(FTransform.Translate(dx, dy, order));
}
Status TextureBrush::ScaleTransform(REAL sx, REAL sy, MatrixOrder order) {
  return Record(FTransform.Scale(sx, sy, order));
}
Status TextureBrush::RotateTransform(REAL angle, MatrixOrder order) {
  return Record(FTransform.Rotate(angle, order));
}

Status TextureBrush::SetWrapMode(WrapMode wrapMode) {
  if (wrapMode < WrapModeTile || wrapMode > WrapModeClamp) return Record(InvalidParameter);
  FWrapMode = wrapMode;
  return Ok;
}

Image* TextureBrush::GetImage() const {
  return FImage ? FImage->Clone() : nullptr;
}

// ---- LinearGradientBrush ----------------------------------------------------

LinearGradientBrush::LinearGradientBrush(const PointF& point1, const PointF& point2, const Color& color1,
                                         const Color& color2)
    : GradientBrush(BrushTypeLinearGradient) {
  InitPoints(point1, point2, color1, color2);
}

LinearGradientBrush::LinearGradientBrush(const Point& point1, const Point& point2, const Color& color1,
                                         const Color& color2)
    : GradientBrush(BrushTypeLinearGradient) {
  InitPoints(PointF(REAL(point1.X), REAL(point1.Y)), PointF(REAL(point2.X), REAL(point2.Y)), color1, color2);
}

LinearGradientBrush::LinearGradientBrush(const RectF& rect, const Color& color1, const Color& color2,
                                         LinearGradientMode mode)
    : GradientBrush(BrushTypeLinearGradient) {
  static constexpr double kModeAngles[] = {0, 90, 45, 135};
  if (mode < LinearGradientModeHorizontal || mode > LinearGradientModeBackwardDiagonal) {
    FValid = false;
    FLastResult = InvalidParameter;
    return;
  }
  InitRect(rect, color1, color2, kModeAngles[mode], true);
}

LinearGradientBrush::LinearGradientBrush(const Rect& r, const Color& color1, const Color& color2,
                                         LinearGradientMode mode)
    : LinearGradientBrush(RectF(REAL(r.X), REAL(r.Y), REAL(r.Width), REAL(r.Height)), color1, color2, mode) {}

LinearGradientBrush::LinearGradientBrush(const RectF& rect, const Color& color1, const Color& color2,
                                         REAL angle, bool isAngleScalable)
    : GradientBrush(BrushTypeLinearGradient) {
  InitRect(rect, color1, color2, angle, isAngleScalable);
}

LinearGradientBrush::LinearGradientBrush(const Rect& r, const Color& color1, const Color& color2, REAL angle,
                                         bool isAngleScalable)
    : LinearGradientBrush(RectF(REAL(r.X), REAL(r.Y), REAL(r.Width), REAL(r.Height)), color1, color2, angle,
                          isAngleScalable) {}

void LinearGradientBrush::InitPoints(const PointF& p1, const PointF& p2, const Color& c1, const Color& c2) {
  FRamp.start = c1.GetValue();
  FRamp.end = c2.GetValue();
  FStart = p1;
  FEnd = p2;
  FRect = RectF(std::min(p1.X, p2.X), std::min(p1.Y, p2.Y), std::fabs(p2.X - p1.X), std::fabs(p2.Y - p1.Y));
  if (p1.Equals(p2)) {
    FValid = false;
    FLastResult = InvalidParameter;
  }
}

void LinearGradientBrush::InitRect(const RectF& rect, const Color& c1, const Color& c2, double angle,
                                   bool scalable) {
  FRamp.start = c1.GetValue();
  FRamp.end = c2.GetValue();
  FRect = rect;
  if (!(rect.Width != 0 && rect.Height != 0) || !std::isfinite(angle)) {
    FValid = false;
    FLastResult = InvalidParameter;
    return;
  }
  // The gradient's end lines pass through the two corners that lie furthest
  // back and furthest ahead along the angle. A scalable angle is worked out
  // on the unit square and stretched onto the rectangle with it.
  double x = rect.X, y = rect.Y, w = rect.Width, h = rect.Height;
  if (scalable) {
    FSpace.SetElements(REAL(w), 0, 0, REAL(h), REAL(x), REAL(y));
    x = 0;
    y = 0;
    w = 1;
    h = 1;
  }
  const double rad = angle * kPi / 180.0;
  const double dx = std::cos(rad), dy = std::sin(rad);
  const double corners[4][2] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
  double lo = 1e300, hi = -1e300;
  for (const auto& c : corners) {
    const double p = c[0] * dx + c[1] * dy;
    lo = std::min(lo, p);
    hi = std::max(hi, p);
  }
  const double cx = x + w / 2, cy = y + h / 2, cp = cx * dx + cy * dy;
  FStart = PointF(REAL(cx + dx * (lo - cp)), REAL(cy + dy * (lo - cp)));
  FEnd = PointF(REAL(cx + dx * (hi - cp)), REAL(cy + dy * (hi - cp)));
}

Brush* LinearGradientBrush::Clone() const {
  auto* copy = new LinearGradientBrush();
  copy->FRamp = FRamp;
  copy->FStart = FStart;
  copy->FEnd = FEnd;
  CopyMatrix(FSpace, copy->FSpace);
  CopyMatrix(FTransform, copy->FTransform);
  copy->FRect = FRect;
  copy->FWrapMode = FWrapMode;
  copy->FValid = FValid;
  copy->FLastResult = FLastResult;
  return copy;
}

Status LinearGradientBrush::SetLinearColors(const Color& color1, const Color& color2) {
  FRamp.start = color1.GetValue();
  FRamp.end = color2.GetValue();
  return Ok;
}

Status LinearGradientBrush::GetLinearColors(Color* colors) const {
  if (!colors) return Record(InvalidParameter);
  colors[0] = Color(FRamp.start);
  colors[1] = Color(FRamp.end);
  return Ok;
}

Status LinearGradientBrush::GetRectangle(RectF* rect) const {
  if (!rect) return Record(InvalidParameter);
  *rect = FRect;
  return Ok;
}

Status LinearGradientBrush::GetRectangle(Rect* rect) const {
  if (!rect) return Record(InvalidParameter);
  *rect = Rect(INT(std::lround(FRect.X)), INT(std::lround(FRect.Y)), INT(std::lround(FRect.Width)),
               INT(std::lround(FRect.Height)));
  return Ok;
}

Status GradientBrush::SetGammaCorrection(bool useGammaCorrection) {
  FRamp.gammaCorrection = useGammaCorrection;
  return Ok;
}

Status GradientBrush::SetBlend(const REAL* blendFactors, const REAL* blendPositions, INT count) {
  if (!blendFactors || !blendPositions || count <= 0 || !ValidPositions(blendPositions, count))
    return Record(InvalidParameter);
  FRamp.blendFactors.assign(blendFactors, blendFactors + count);
  FRamp.blendPositions.assign(blendPositions, blendPositions + count);
  FRamp.presetColors.clear();
  FRamp.presetPositions.clear();
  return Ok;
}

Status LinearGradientBrush::GetBlend(REAL* blendFactors, REAL* blendPositions, INT count) const {
  if (!blendFactors || !blendPositions || count < GetBlendCount()) return Record(InsufficientBuffer);
  std::copy(FRamp.blendFactors.begin(), FRamp.blendFactors.end(), blendFactors);
  std::copy(FRamp.blendPositions.begin(), FRamp.blendPositions.end(), blendPositions);
  return Ok;
}

namespace {

// Preset colours must run from position 0 to position 1.
Status CheckPreset(const Color* colors, const REAL* positions, INT count) {
  if (!colors || !positions || count < 2) return InvalidParameter;
  if (positions[0] != 0 || positions[count - 1] != 1 || !ValidPositions(positions, count))
    return InvalidParameter;
  return Ok;
}

}  // namespace

Status GradientBrush::SetInterpolationColors(const Color* presetColors, const REAL* blendPositions,
                                             INT count) {
  if (const Status s = CheckPreset(presetColors, blendPositions, count); s != Ok) return Record(s);
  FRamp.presetColors.clear();
  for (INT i = 0; i < count; ++i) FRamp.presetColors.push_back(presetColors[i].GetValue());
  FRamp.presetPositions.assign(blendPositions, blendPositions + count);
  FRamp.blendFactors.clear();
  FRamp.blendPositions.clear();
  return Ok;
}

Status GradientBrush::GetInterpolationColors(Color* presetColors, REAL* blendPositions, INT count) const {
  if (!presetColors || !blendPositions || count < GetInterpolationColorCount())
    return Record(InsufficientBuffer);
  for (size_t i = 0; i < FRamp.presetColors.size(); ++i) {
    presetColors[i] = Color(FRamp.presetColors[i]);
    blendPositions[i] = FRamp.presetPositions[i];
  }
  return Ok;
}

Status LinearGradientBrush::SetWrapMode(WrapMode wrapMode) {
  // A linear gradient always repeats in some way; clamping is refused.
  if (wrapMode < WrapModeTile || wrapMode >= WrapModeClamp) return Record(InvalidParameter);
  FWrapMode = wrapMode;
  return Ok;
}

Status GradientBrush::MultiplyTransform(const Matrix* matrix, MatrixOrder order) {
  return Record(FTransform.Multiply(matrix, order));
}
Status GradientBrush::TranslateTransform(REAL dx, REAL dy, MatrixOrder order) {
  return Record(FTransform.Translate(dx, dy, order));
}
Status GradientBrush::ScaleTransform(REAL sx, REAL sy, MatrixOrder order) {
  return Record(FTransform.Scale(sx, sy, order));
}
Status GradientBrush::RotateTransform(REAL angle, MatrixOrder order) {
  return Record(FTransform.Rotate(angle, order));
}

// ---- PathGradientBrush ------------------------------------------------------

PathGradientBrush::PathGradientBrush(const PointF* points, INT count, WrapMode wrapMode)
    : GradientBrush(BrushTypePathGradient) {
  if (!points || count < 2) {
    FLastResult = InvalidParameter;
    return;
  }
  std::vector<BYTE> types(size_t(count), PathPointTypeLine);
  types[0] = PathPointTypeStart;
  types.back() |= PathPointTypeCloseSubpath;
  Init(std::vector<PointF>(points, points + count), std::move(types), wrapMode);
}

PathGradientBrush::PathGradientBrush(const Point* points, INT count, WrapMode wrapMode)
    : GradientBrush(BrushTypePathGradient) {
  if (!points || count < 2) {
    FLastResult = InvalidParameter;
    return;
  }
  std::vector<PointF> pts;
  for (INT i = 0; i < count; ++i) pts.emplace_back(REAL(points[i].X), REAL(points[i].Y));
  std::vector<BYTE> types(size_t(count), PathPointTypeLine);
  types[0] = PathPointTypeStart;
  types.back() |= PathPointTypeCloseSubpath;
  Init(std::move(pts), std::move(types), wrapMode);
}

PathGradientBrush::PathGradientBrush(const GraphicsPath* path) : GradientBrush(BrushTypePathGradient) {
  if (!path || path->GetPointCount() < 2) {
    FLastResult = InvalidParameter;
    return;
  }
  Init(path->Points(), path->Types(), WrapModeClamp);
}

void PathGradientBrush::Init(std::vector<PointF> points, std::vector<BYTE> types, WrapMode wrapMode) {
  FPoints = std::move(points);
  FTypes = std::move(types);
  FWrapMode = (wrapMode >= WrapModeTile && wrapMode <= WrapModeClamp) ? wrapMode : WrapModeClamp;
  FRamp.start = Color::White;
  FRamp.end = Color::White;
  // The centre starts at the centroid of the area the boundary encloses.
  double area = 0, cx = 0, cy = 0, minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  for (const auto& figure : detail::FlattenPath(FPoints, FTypes, 0.25)) {
    const auto& p = figure.points;
    for (size_t i = 0; i < p.size(); ++i) {
      const PointF a = p[i], b = p[(i + 1) % p.size()];
      const double cross = double(a.X) * b.Y - double(b.X) * a.Y;
      area += cross;
      cx += (double(a.X) + b.X) * cross;
      cy += (double(a.Y) + b.Y) * cross;
      minX = std::min<double>(minX, a.X);
      maxX = std::max<double>(maxX, a.X);
      minY = std::min<double>(minY, a.Y);
      maxY = std::max<double>(maxY, a.Y);
    }
  }
  if (std::fabs(area) > 1e-9)
    FCenterPoint = PointF(REAL(cx / (3 * area)), REAL(cy / (3 * area)));
  else if (minX <= maxX)
    FCenterPoint = PointF(REAL((minX + maxX) / 2), REAL((minY + maxY) / 2));
}

Brush* PathGradientBrush::Clone() const {
  auto* copy = new PathGradientBrush();
  copy->FPoints = FPoints;
  copy->FTypes = FTypes;
  copy->FSurround = FSurround;
  copy->FCenter = FCenter;
  copy->FCenterPoint = FCenterPoint;
  copy->FRamp = FRamp;
  copy->FWrapMode = FWrapMode;
  CopyMatrix(FTransform, copy->FTransform);
  copy->FLastResult = FLastResult;
  return copy;
}

Status PathGradientBrush::GetCenterColor(Color* color) const {
  if (!color) return Record(InvalidParameter);
  *color = Color(FCenter);
  return Ok;
}

Status PathGradientBrush::SetCenterColor(const Color& color) {
  FCenter = color.GetValue();
  return Ok;
}

Status PathGradientBrush::GetCenterPoint(PointF* point) const {
  if (!point) return Record(InvalidParameter);
  *point = FCenterPoint;
  return Ok;
}

Status PathGradientBrush::GetCenterPoint(Point* point) const {
  if (!point) return Record(InvalidParameter);
  *point = Point(INT(std::lround(FCenterPoint.X)), INT(std::lround(FCenterPoint.Y)));
  return Ok;
}

Status PathGradientBrush::SetCenterPoint(const PointF& point) {
  FCenterPoint = point;
  return Ok;
}

Status PathGradientBrush::SetCenterPoint(const Point& point) {
  return SetCenterPoint(PointF(REAL(point.X), REAL(point.Y)));
}

Status PathGradientBrush::SetSurroundColors(const Color* colors, INT* count) {
  if (!colors || !count || *count <= 0 || *count > GetPointCount()) return Record(InvalidParameter);
  FSurround.clear();
  for (INT i = 0; i < *count; ++i) FSurround.push_back(colors[i].GetValue());
  return Ok;
}

Status PathGradientBrush::GetSurroundColors(Color* colors, INT* count) const {
  if (!colors || !count) return Record(InvalidParameter);
  if (*count < GetSurroundColorCount()) return Record(InsufficientBuffer);
  for (size_t i = 0; i < FSurround.size(); ++i) colors[i] = Color(FSurround[i]);
  *count = GetSurroundColorCount();
  return Ok;
}

ARGB PathGradientBrush::SurroundColorAt(size_t pointIndex) const {
  // Points beyond the colours given take the last colour.
  return FSurround[std::min(pointIndex, FSurround.size() - 1)];
}

Status PathGradientBrush::GetRectangle(RectF* rect) const {
  if (!rect) return Record(InvalidParameter);
  const QRectF r = detail::ToQPainterPath(FPoints, FTypes, FillModeAlternate).boundingRect();
  *rect = RectF(REAL(r.x()), REAL(r.y()), REAL(r.width()), REAL(r.height()));
  return Ok;
}

Status PathGradientBrush::SetWrapMode(WrapMode wrapMode) {
  if (wrapMode < WrapModeTile || wrapMode > WrapModeClamp) return Record(InvalidParameter);
  FWrapMode = wrapMode;
  return Ok;
}

}  // namespace Gdiplus
