#include "platform/gdiplus/Graphics.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/GdiPlusPrivate.h"
#include "platform/gdiplus/GraphicsPath.h"
#include "platform/gdiplus/Image.h"
#include "platform/gdiplus/Matrix.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/Region.h"

namespace Gdiplus {

// ---- state ----------------------------------------------------------------------

bool GraphicsData::Antialias() const {
  switch (state.smoothing) {
    case SmoothingModeHighQuality:
    case SmoothingModeAntiAlias:
    case SmoothingModeAntiAlias8x8:
      return true;
    default:
      return false;
  }
}

double GraphicsData::Shift() const {
  if (!Antialias()) return 0;
  const bool half =
      state.pixelOffset == PixelOffsetModeHalf || state.pixelOffset == PixelOffsetModeHighQuality;
  return half ? 0 : 0.5;
}

double GraphicsData::PageScale() const {
  switch (state.pageUnit) {
    case UnitPoint:
      return dpiX / 72.0;
    case UnitInch:
      return dpiX;
    case UnitDocument:
      return dpiX / 300.0;
    case UnitMillimeter:
      return dpiX / 25.4;
    default:
      return 1.0;
  }
}

QTransform GraphicsData::Device() const {
  const double s = PageScale();
  return state.world * QTransform::fromScale(s, s);
}

QTransform GraphicsData::VectorTransform() const {
  const double s = Shift();
  return Device() * QTransform::fromTranslate(s, s) * base;
}

QTransform GraphicsData::PixelTransform() const {
  return Device() * base;
}

QRectF GraphicsData::DeviceBounds() const {
  return device ? QRectF(0, 0, device->width(), device->height()) : QRectF();
}

void GraphicsData::ApplyState() {
  if (!painter || !painter->isActive() || busy) return;
  painter->setRenderHint(QPainter::Antialiasing, Antialias());
  const bool textAa = state.textHint != TextRenderingHintSingleBitPerPixel &&
                      state.textHint != TextRenderingHintSingleBitPerPixelGridFit;
  painter->setRenderHint(QPainter::TextAntialiasing, textAa);
  painter->setRenderHint(QPainter::SmoothPixmapTransform,
                         state.interpolation != InterpolationModeNearestNeighbor);
  painter->setCompositionMode(state.compositingMode == CompositingModeSourceCopy
                                  ? QPainter::CompositionMode_Source
                                  : QPainter::CompositionMode_SourceOver);
  ApplyClip();
}

bool GraphicsData::Open() {
  if (borrowed) return true;
  if (openDepth++ > 0) return true;
  if (!owned->begin(device)) {
    openDepth = 0;
    return false;
  }
  ApplyState();
  return true;
}

void GraphicsData::Close() {
  if (!borrowed && --openDepth == 0) owned->end();
  if (openDepth == 0 && onChanged) onChanged();
}

void GraphicsData::ApplyClip() {
  if (!painter || !painter->isActive() || busy) return;
  if (state.clipInfinite && !baseClipping) {
    painter->setClipping(false);
    return;
  }
  // Clip regions are whole pixels, as the API's are: set them aliased.
  const bool aa = painter->testRenderHint(QPainter::Antialiasing);
  const QTransform saved = painter->worldTransform();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setWorldTransform(QTransform());
  if (baseClipping) painter->setClipPath(baseClip, Qt::ReplaceClip);
  if (!state.clipInfinite)
    painter->setClipPath(base.map(state.clip), baseClipping ? Qt::IntersectClip : Qt::ReplaceClip);
  painter->setWorldTransform(saved);
  painter->setRenderHint(QPainter::Antialiasing, aa);
}

namespace {

bool PaintableFormat(const QImage& image) {
  switch (image.format()) {
    case QImage::Format_Invalid:
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
      return false;
    default:
      return true;
  }
}

std::unique_ptr<GraphicsData> OpenOn(QPaintDevice* device, Status* status) {
  auto d = std::make_unique<GraphicsData>();
  d->device = device;
  d->owned = std::make_unique<QPainter>();
  d->painter = d->owned.get();
  *status = Ok;
  return d;
}

RectF ToF(const Rect& r) {
  return RectF(REAL(r.X), REAL(r.Y), REAL(r.Width), REAL(r.Height));
}

QPainterPath RectPath(const RectF& r) {
  QPainterPath p;
  p.addRect(QRectF(r.X, r.Y, r.Width, r.Height));
  return p;
}

Qt::PenCapStyle QtCap(LineCap cap) {
  // Triangle caps and the anchor caps have no Qt counterpart; the nearest
  // outline of the three Qt caps stands in for them.
  switch (cap) {
    case LineCapSquare:
    case LineCapSquareAnchor:
    case LineCapDiamondAnchor:
      return Qt::SquareCap;
    case LineCapRound:
    case LineCapRoundAnchor:
    case LineCapTriangle:
    case LineCapArrowAnchor:
      return Qt::RoundCap;
    default:
      return Qt::FlatCap;
  }
}

QGradientStops Stops(const GradientRamp& ramp) {
  std::vector<double> positions;
  constexpr int kSamples = 64;
  for (int i = 0; i <= kSamples; ++i) positions.push_back(double(i) / kSamples);
  positions.insert(positions.end(), ramp.blendPositions.begin(), ramp.blendPositions.end());
  positions.insert(positions.end(), ramp.presetPositions.begin(), ramp.presetPositions.end());
  std::sort(positions.begin(), positions.end());
  QGradientStops stops;
  for (double p : positions) {
    if (!stops.isEmpty() && p - stops.back().first < 1e-6) continue;
    stops.append({p, detail::ToQColor(ramp.At(p))});
  }
  return stops;
}

QImage FlipTiles(const QImage& image, WrapMode mode) {
  const bool fx = mode == WrapModeTileFlipX || mode == WrapModeTileFlipXY;
  const bool fy = mode == WrapModeTileFlipY || mode == WrapModeTileFlipXY;
  if (!fx && !fy) return image;
  QImage out(image.width() * (fx ? 2 : 1), image.height() * (fy ? 2 : 1),
             QImage::Format_ARGB32_Premultiplied);
  out.fill(0);
  QPainter p(&out);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(0, 0, image);
  if (fx) p.drawImage(image.width(), 0, image.mirrored(true, false));
  if (fy) p.drawImage(0, image.height(), image.mirrored(false, true));
  if (fx && fy) p.drawImage(image.width(), image.height(), image.mirrored(true, true));
  return out;
}

// What a brush paints with: a Qt brush, or for a clamped texture the image
// to draw once under a clip.
struct QtPaint {
  QBrush brush;
  bool clampedTexture = false;
  QImage texture;
  QTransform textureTransform;
  // Qt repeats texture brushes; a path gradient's pixels hold only for this
  // device area.
  bool limited = false;
  QRect limit;
};

Status MakePaint(const GraphicsData& d, const Brush* brush, const QRectF& deviceArea, QtPaint* out) {
  if (!brush) return InvalidParameter;
  const QTransform vector = d.VectorTransform();
  const QTransform toWorld = vector.inverted();
  switch (brush->GetType()) {
    case BrushTypeSolidColor: {
      Color c;
      static_cast<const SolidBrush*>(brush)->GetColor(&c);
      out->brush = QBrush(detail::ToQColor(c.GetValue()));
      return Ok;
    }
    case BrushTypeHatchFill: {
      auto* hb = static_cast<const HatchBrush*>(brush);
      Color fore, back;
      hb->GetForegroundColor(&fore);
      hb->GetBackgroundColor(&back);
      // Hatches lie on the device's pixel grid whatever the transform.
      out->brush = QBrush(detail::HatchImage(hb->GetHatchStyle(), fore.GetValue(), back.GetValue()));
      out->brush.setTransform(toWorld);
      return Ok;
    }
    case BrushTypeTextureFill: {
      auto* tb = static_cast<const TextureBrush*>(brush);
      if (!tb->Texture() || !tb->Texture()->Data()) return InvalidParameter;
      const QImage& image = tb->Texture()->Data()->image;
      // Texels cover whole pixels at their world positions: no half-pixel
      // shift for them.
      const QTransform toDevice = detail::ToQTransform(tb->Transform()) * d.PixelTransform();
      if (tb->GetWrapMode() == WrapModeClamp) {
        out->clampedTexture = true;
        out->texture = image;
        out->textureTransform = toDevice;
        return Ok;
      }
      out->brush = QBrush(FlipTiles(image, tb->GetWrapMode()));
      out->brush.setTransform(toDevice * toWorld);
      return Ok;
    }
    case BrushTypeLinearGradient: {
      auto* lb = static_cast<const LinearGradientBrush*>(brush);
      if (!lb->IsValid()) return InvalidParameter;
      QLinearGradient g(QPointF(lb->Start().X, lb->Start().Y), QPointF(lb->End().X, lb->End().Y));
      g.setStops(Stops(lb->Ramp()));
      const WrapMode wrap = lb->GetWrapMode();
      g.setSpread(wrap == WrapModeTileFlipX || wrap == WrapModeTileFlipXY ? QGradient::ReflectSpread
                                                                          : QGradient::RepeatSpread);
      out->brush = QBrush(g);
      out->brush.setTransform(detail::ToQTransform(lb->Space()) * detail::ToQTransform(lb->Transform()));
      return Ok;
    }
    case BrushTypePathGradient: {
      auto* pb = static_cast<const PathGradientBrush*>(brush);
      if (pb->GetPointCount() < 2) return InvalidParameter;
      const QTransform brushToWorld = detail::ToQTransform(pb->Transform());
      if (!brushToWorld.isInvertible() || !vector.isInvertible()) return Ok;  // nothing visible
      const QPainterPath boundary = detail::ToQPainterPath(pb->Points(), pb->Types(), FillModeAlternate);
      QRectF area = deviceArea & (brushToWorld * vector).map(boundary).boundingRect() & d.DeviceBounds();
      if (!d.state.clipInfinite) area &= d.base.map(d.state.clip).boundingRect();
      const QRect pixels = area.toAlignedRect();
      const QImage image =
          detail::RenderPathGradient(*pb, vector.inverted() * brushToWorld.inverted(), pixels);
      out->brush = QBrush(image);
      out->brush.setTransform(QTransform::fromTranslate(pixels.x(), pixels.y()) * toWorld);
      out->limited = true;
      out->limit = pixels;
      return Ok;
    }
  }
  return InvalidParameter;
}

}  // namespace

// ---- construction -------------------------------------------------------------------

Graphics::Graphics(QPaintDevice* device) {
  if (!device) {
    FLastResult = InvalidParameter;
    return;
  }
  Status s;
  FImpl = OpenOn(device, &s);
  FLastResult = s;
}

Graphics::Graphics(QImage* image) {
  if (!image || !PaintableFormat(*image)) {
    FLastResult = InvalidParameter;
    return;
  }
  Status s;
  FImpl = OpenOn(image, &s);
  FLastResult = s;
}

Graphics::Graphics(QPainter* painter) {
  if (!painter || !painter->isActive()) {
    FLastResult = InvalidParameter;
    return;
  }
  FImpl = std::make_unique<GraphicsData>();
  FImpl->painter = painter;
  FImpl->borrowed = true;
  FImpl->device = painter->device();
  painter->save();
  FImpl->base = painter->worldTransform();
  FImpl->baseClipping = painter->hasClipping();
  if (FImpl->baseClipping) FImpl->baseClip = FImpl->base.map(painter->clipPath());
  FImpl->ApplyState();
}

Graphics::Graphics(Image* image) {
  if (!image || !image->Data() || IsIndexedPixelFormat(image->GetPixelFormat()) ||
      !PaintableFormat(image->Data()->image)) {
    FLastResult = InvalidParameter;
    return;
  }
  Status s;
  FImpl = OpenOn(&image->Data()->image, &s);
  FLastResult = s;
}

Graphics* Graphics::FromImage(Image* image) {
  return new Graphics(image);
}

Graphics::~Graphics() {
  if (!FImpl) return;
  if (FImpl->borrowed) FImpl->painter->restore();
}

void Graphics::Flush(FlushIntention) {}  // the raster painter draws at once

QPaintDevice* Graphics::GetHDC() {
  if (const Status s = Ready(); s != Ok) {
    Record(s);
    return nullptr;
  }
  // Our painter is closed between calls; the device is free until ReleaseHDC.
  FImpl->busy = true;
  return FImpl->device;
}

void Graphics::ReleaseHDC(QPaintDevice* device) {
  if (!FImpl || !FImpl->busy || device != FImpl->device) {
    Record(InvalidParameter);
    return;
  }
  FImpl->busy = false;
  FImpl->ApplyState();
}

Status Graphics::Ready() const {
  if (!FImpl || !FImpl->painter) return InvalidParameter;
  if (FImpl->busy) return ObjectBusy;
  return Ok;
}

Status Graphics::Clear(const Color& color) {
  if (const Status s = Ready(); s != Ok) return Record(s);
  PaintScope scope(*FImpl);
  if (!scope.Ok()) return Record(ObjectBusy);
  QPainter* p = FImpl->painter;
  p->save();
  p->setWorldTransform(QTransform());
  p->setCompositionMode(QPainter::CompositionMode_Source);
  p->fillRect(FImpl->DeviceBounds(), detail::ToQColor(color.GetValue()));
  p->restore();
  return Ok;
}

// ---- state ------------------------------------------------------------------------

Status Graphics::SetSmoothingMode(SmoothingMode mode) {
  if (!FImpl) return Record(InvalidParameter);
  if (mode < SmoothingModeDefault || mode > SmoothingModeAntiAlias8x8) return Record(InvalidParameter);
  FImpl->state.smoothing = mode;
  FImpl->ApplyState();
  return Ok;
}

SmoothingMode Graphics::GetSmoothingMode() const {
  if (!FImpl) return Record(InvalidParameter), SmoothingModeInvalid;
  return FImpl->state.smoothing;
}

Status Graphics::SetPixelOffsetMode(PixelOffsetMode mode) {
  if (!FImpl) return Record(InvalidParameter);
  if (mode < PixelOffsetModeDefault || mode > PixelOffsetModeHalf) return Record(InvalidParameter);
  FImpl->state.pixelOffset = mode;
  return Ok;
}

PixelOffsetMode Graphics::GetPixelOffsetMode() const {
  if (!FImpl) return Record(InvalidParameter), PixelOffsetModeInvalid;
  return FImpl->state.pixelOffset;
}

Status Graphics::SetTextRenderingHint(TextRenderingHint mode) {
  if (!FImpl) return Record(InvalidParameter);
  if (mode < TextRenderingHintSystemDefault || mode > TextRenderingHintClearTypeGridFit)
    return Record(InvalidParameter);
  FImpl->state.textHint = mode;
  FImpl->ApplyState();
  return Ok;
}

TextRenderingHint Graphics::GetTextRenderingHint() const {
  if (!FImpl) return Record(InvalidParameter), TextRenderingHintSystemDefault;
  return FImpl->state.textHint;
}

Status Graphics::SetTextContrast(UINT contrast) {
  if (!FImpl) return Record(InvalidParameter);
  if (contrast > 12) return Record(InvalidParameter);
  FImpl->state.textContrast = contrast;
  return Ok;
}

UINT Graphics::GetTextContrast() const {
  return FImpl ? FImpl->state.textContrast : 0;
}

Status Graphics::SetCompositingMode(CompositingMode mode) {
  if (!FImpl) return Record(InvalidParameter);
  if (mode != CompositingModeSourceOver && mode != CompositingModeSourceCopy) return Record(InvalidParameter);
  FImpl->state.compositingMode = mode;
  FImpl->ApplyState();
  return Ok;
}

CompositingMode Graphics::GetCompositingMode() const {
  return FImpl ? FImpl->state.compositingMode : CompositingModeSourceOver;
}

Status Graphics::SetCompositingQuality(CompositingQuality quality) {
  if (!FImpl) return Record(InvalidParameter);
  if (quality < CompositingQualityDefault || quality > CompositingQualityAssumeLinear)
    return Record(InvalidParameter);
  FImpl->state.compositingQuality = quality;
  return Ok;
}

CompositingQuality Graphics::GetCompositingQuality() const {
  if (!FImpl) return Record(InvalidParameter), CompositingQualityInvalid;
  return FImpl->state.compositingQuality;
}

Status Graphics::SetInterpolationMode(InterpolationMode mode) {
  if (!FImpl) return Record(InvalidParameter);
  if (mode < InterpolationModeDefault || mode > InterpolationModeHighQualityBicubic)
    return Record(InvalidParameter);
  // Default and the two quality aliases stand for bilinear and bicubic.
  if (mode == InterpolationModeDefault || mode == InterpolationModeLowQuality)
    mode = InterpolationModeBilinear;
  if (mode == InterpolationModeHighQuality) mode = InterpolationModeHighQualityBicubic;
  FImpl->state.interpolation = mode;
  FImpl->ApplyState();
  return Ok;
}

InterpolationMode Graphics::GetInterpolationMode() const {
  if (!FImpl) return Record(InvalidParameter), InterpolationModeInvalid;
  return FImpl->state.interpolation;
}

Status Graphics::SetPageUnit(Unit unit) {
  if (!FImpl) return Record(InvalidParameter);
  if (unit <= UnitWorld || unit > UnitMillimeter) return Record(InvalidParameter);
  FImpl->state.pageUnit = unit;
  return Ok;
}

Unit Graphics::GetPageUnit() const {
  return FImpl ? FImpl->state.pageUnit : UnitDisplay;
}

REAL Graphics::GetDpiX() const {
  return FImpl ? REAL(FImpl->dpiX) : 96.0f;
}
REAL Graphics::GetDpiY() const {
  return FImpl ? REAL(FImpl->dpiY) : 96.0f;
}

GraphicsState Graphics::Save() {
  if (!FImpl) return Record(InvalidParameter), 0;
  const GraphicsState id = FImpl->nextSaveId++;
  FImpl->saved.emplace_back(id, FImpl->state);
  return id;
}

Status Graphics::Restore(GraphicsState state) {
  if (!FImpl) return Record(InvalidParameter);
  // Restoring a state also drops every state saved after it.
  for (size_t i = FImpl->saved.size(); i-- > 0;) {
    if (FImpl->saved[i].first == state) {
      FImpl->state = FImpl->saved[i].second;
      FImpl->saved.resize(i);
      FImpl->ApplyState();
      return Ok;
    }
  }
  return Ok;
}

// ---- transforms -------------------------------------------------------------------

Status Graphics::SetTransform(const Matrix* matrix) {
  if (!FImpl || !matrix) return Record(InvalidParameter);
  if (!matrix->IsInvertible()) return Record(InvalidParameter);
  FImpl->state.world = detail::ToQTransform(*matrix);
  return Ok;
}

Status Graphics::GetTransform(Matrix* matrix) const {
  if (!FImpl || !matrix) return Record(InvalidParameter);
  detail::FromQTransform(FImpl->state.world, matrix);
  return Ok;
}

Status Graphics::ResetTransform() {
  if (!FImpl) return Record(InvalidParameter);
  FImpl->state.world = QTransform();
  return Ok;
}

Status Graphics::MultiplyTransform(const Matrix* matrix, MatrixOrder order) {
  if (!FImpl || !matrix) return Record(InvalidParameter);
  Matrix m;
  detail::FromQTransform(FImpl->state.world, &m);
  if (const Status s = m.Multiply(matrix, order); s != Ok) return Record(s);
  if (!m.IsInvertible()) return Record(InvalidParameter);
  FImpl->state.world = detail::ToQTransform(m);
  return Ok;
}

Status Graphics::TranslateTransform(REAL dx, REAL dy, MatrixOrder order) {
  Matrix m(1, 0, 0, 1, dx, dy);
  return MultiplyTransform(&m, order);
}

Status Graphics::ScaleTransform(REAL sx, REAL sy, MatrixOrder order) {
  Matrix m(sx, 0, 0, sy, 0, 0);
  return MultiplyTransform(&m, order);
}

Status Graphics::RotateTransform(REAL angle, MatrixOrder order) {
  Matrix m;
  m.Rotate(angle);
  return MultiplyTransform(&m, order);
}

// ---- clipping -------------------------------------------------------------------

Status Graphics::CombineClip(const QPainterPath& devicePath, bool infinite, CombineMode mode) {
  if (!FImpl) return Record(InvalidParameter);
  if (mode < CombineModeReplace || mode > CombineModeComplement) return Record(InvalidParameter);
  RegionData current{FImpl->state.clipInfinite, FImpl->state.clip};
  RegionData other{infinite, devicePath};
  detail::CombineRegion(current, other, mode);
  FImpl->state.clipInfinite = current.infinite;
  FImpl->state.clip = current.path;
  FImpl->ApplyClip();
  return Ok;
}

Status Graphics::SetClip(const Graphics* g, CombineMode mode) {
  if (!FImpl || !g || !g->FImpl) return Record(InvalidParameter);
  return CombineClip(g->FImpl->state.clip, g->FImpl->state.clipInfinite, mode);
}

Status Graphics::SetClip(const RectF& rect, CombineMode mode) {
  if (!FImpl) return Record(InvalidParameter);
  return CombineClip(FImpl->Device().map(RectPath(rect)), false, mode);
}

Status Graphics::SetClip(const Rect& rect, CombineMode mode) {
  return SetClip(ToF(rect), mode);
}

Status Graphics::SetClip(const GraphicsPath* path, CombineMode mode) {
  if (!FImpl || !path) return Record(InvalidParameter);
  return CombineClip(FImpl->Device().map(detail::ToQPainterPath(*path)), false, mode);
}

Status Graphics::SetClip(const Region* region, CombineMode mode) {
  if (!FImpl || !region) return Record(InvalidParameter);
  const RegionData& r = *region->Data();
  return CombineClip(r.infinite ? QPainterPath() : FImpl->Device().map(r.path), r.infinite, mode);
}

Status Graphics::IntersectClip(const RectF& rect) {
  return SetClip(rect, CombineModeIntersect);
}
Status Graphics::IntersectClip(const Rect& rect) {
  return SetClip(rect, CombineModeIntersect);
}
Status Graphics::IntersectClip(const Region* region) {
  return SetClip(region, CombineModeIntersect);
}
Status Graphics::ExcludeClip(const RectF& rect) {
  return SetClip(rect, CombineModeExclude);
}
Status Graphics::ExcludeClip(const Rect& rect) {
  return SetClip(rect, CombineModeExclude);
}
Status Graphics::ExcludeClip(const Region* region) {
  return SetClip(region, CombineModeExclude);
}

Status Graphics::ResetClip() {
  if (!FImpl) return Record(InvalidParameter);
  FImpl->state.clipInfinite = true;
  FImpl->state.clip = QPainterPath();
  FImpl->ApplyClip();
  return Ok;
}

Status Graphics::GetClip(Region* region) const {
  if (!FImpl || !region) return Record(InvalidParameter);
  RegionData& r = *region->Data();
  r.infinite = FImpl->state.clipInfinite;
  r.path = r.infinite ? QPainterPath() : FImpl->Device().inverted().map(FImpl->state.clip);
  return Ok;
}

Status Graphics::GetClipBounds(RectF* rect) const {
  if (!FImpl || !rect) return Record(InvalidParameter);
  QRectF bounds = FImpl->base.inverted().mapRect(FImpl->DeviceBounds());
  if (!FImpl->state.clipInfinite) bounds &= FImpl->state.clip.boundingRect();
  bounds = FImpl->Device().inverted().mapRect(bounds);
  *rect = RectF(REAL(bounds.x()), REAL(bounds.y()), REAL(bounds.width()), REAL(bounds.height()));
  return Ok;
}

bool Graphics::IsClipEmpty() const {
  return FImpl && !FImpl->state.clipInfinite &&
         (FImpl->state.clip.isEmpty() || FImpl->state.clip.boundingRect().isEmpty());
}

// ---- the two drawing primitives ----------------------------------------------------

Status Graphics::FillShape(const Brush* brush, const QPainterPath& shape) {
  if (const Status s = Ready(); s != Ok) return Record(s);
  if (!brush) return Record(InvalidParameter);
  if (shape.isEmpty()) return Ok;
  QPainter* p = FImpl->painter;
  const QTransform vector = FImpl->VectorTransform();
  QtPaint paint;
  if (const Status s = MakePaint(*FImpl, brush, vector.map(shape).boundingRect(), &paint); s != Ok)
    return Record(s);
  PaintScope scope(*FImpl);
  if (!scope.Ok()) return Record(ObjectBusy);
  p->save();
  if (paint.limited) {
    p->setWorldTransform(QTransform());
    p->setClipRect(paint.limit, Qt::IntersectClip);
  }
  p->setWorldTransform(vector);
  if (paint.clampedTexture) {
    p->setClipPath(shape, Qt::IntersectClip);
    p->setWorldTransform(paint.textureTransform);
    p->drawImage(0, 0, paint.texture);
  } else {
    p->fillPath(shape, paint.brush);
  }
  p->restore();
  return Ok;
}

Status Graphics::StrokeShape(const Pen* pen, const QPainterPath& shape, bool hasClosedFigure) {
  if (const Status s = Ready(); s != Ok) return Record(s);
  if (!pen) return Record(InvalidParameter);
  if (shape.isEmpty()) return Ok;
  QPainter* p = FImpl->painter;
  const QTransform vector = FImpl->VectorTransform();
  const bool inset = pen->GetAlignment() == PenAlignmentInset && hasClosedFigure && pen->GetWidth() > 0;
  const double width = pen->GetWidth() * (inset ? 2 : 1);

  QRectF area = vector.map(shape).boundingRect();
  const double reach = std::max(1.0, width * std::sqrt(std::fabs(vector.determinant())));
  area.adjust(-reach, -reach, reach, reach);
  QtPaint paint;
  if (const Status s = MakePaint(*FImpl, pen->PaintBrush(), area, &paint); s != Ok) return Record(s);

  QPen qpen(paint.clampedTexture ? QBrush(paint.texture) : paint.brush, width);
  if (width == 0) qpen.setCosmetic(true);
  const auto dashes = pen->DashPattern();
  qpen.setCapStyle(
      QtCap(!dashes.empty() && pen->GetDashCap() == DashCapRound ? LineCapRound : pen->GetEndCap()));
  switch (pen->GetLineJoin()) {
    case LineJoinBevel:
      qpen.setJoinStyle(Qt::BevelJoin);
      break;
    case LineJoinRound:
      qpen.setJoinStyle(Qt::RoundJoin);
      break;
    case LineJoinMiterClipped:
      qpen.setJoinStyle(Qt::SvgMiterJoin);
      break;
    default:
      qpen.setJoinStyle(Qt::MiterJoin);
      break;
  }
  qpen.setMiterLimit(pen->GetMiterLimit());
  if (!dashes.empty()) {
    QList<qreal> pattern;
    for (REAL v : dashes) pattern.append(v);
    if (pattern.size() % 2) pattern.append(pattern.back());  // Qt wants dash-gap pairs
    qpen.setDashPattern(pattern);
    qpen.setDashOffset(pen->GetDashOffset());
  }
  PaintScope scope(*FImpl);
  if (!scope.Ok()) return Record(ObjectBusy);
  p->save();
  if (paint.limited) {
    p->setWorldTransform(QTransform());
    p->setClipRect(paint.limit, Qt::IntersectClip);
  }
  p->setWorldTransform(vector);
  if (inset) p->setClipPath(shape, Qt::IntersectClip);  // the outer half falls away
  p->setPen(qpen);
  p->setBrush(Qt::NoBrush);
  p->drawPath(shape);
  p->restore();
  return Ok;
}

Status Graphics::StrokePath(const Pen* pen, const GraphicsPath& path) {
  bool closed = false;
  for (BYTE t : path.Types()) closed = closed || (t & PathPointTypeCloseSubpath);
  QPainterPath shape = detail::ToQPainterPath(path);
  return StrokeShape(pen, shape, closed);
}

Status Graphics::FillPathShape(const Brush* brush, const GraphicsPath& path) {
  return FillShape(brush, detail::ToQPainterPath(path));
}

// ---- lines and outlines ---------------------------------------------------------

Status Graphics::DrawLine(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2) {
  GraphicsPath path;
  path.AddLine(x1, y1, x2, y2);
  return StrokePath(pen, path);
}
Status Graphics::DrawLine(const Pen* pen, const PointF& a, const PointF& b) {
  return DrawLine(pen, a.X, a.Y, b.X, b.Y);
}
Status Graphics::DrawLine(const Pen* pen, INT x1, INT y1, INT x2, INT y2) {
  return DrawLine(pen, REAL(x1), REAL(y1), REAL(x2), REAL(y2));
}
Status Graphics::DrawLine(const Pen* pen, const Point& a, const Point& b) {
  return DrawLine(pen, a.X, a.Y, b.X, b.Y);
}

Status Graphics::DrawLines(const Pen* pen, const PointF* points, INT count) {
  if (!points || count < 2) return Record(InvalidParameter);
  GraphicsPath path;
  path.AddLines(points, count);
  return StrokePath(pen, path);
}
Status Graphics::DrawLines(const Pen* pen, const Point* points, INT count) {
  if (!points || count < 2) return Record(InvalidParameter);
  GraphicsPath path;
  path.AddLines(points, count);
  return StrokePath(pen, path);
}

Status Graphics::DrawArc(const Pen* pen, REAL x, REAL y, REAL w, REAL h, REAL startAngle, REAL sweepAngle) {
  GraphicsPath path;
  path.AddArc(x, y, w, h, startAngle, sweepAngle);
  return StrokePath(pen, path);
}
Status Graphics::DrawArc(const Pen* pen, const RectF& r, REAL startAngle, REAL sweepAngle) {
  return DrawArc(pen, r.X, r.Y, r.Width, r.Height, startAngle, sweepAngle);
}
Status Graphics::DrawArc(const Pen* pen, INT x, INT y, INT w, INT h, REAL startAngle, REAL sweepAngle) {
  return DrawArc(pen, REAL(x), REAL(y), REAL(w), REAL(h), startAngle, sweepAngle);
}
Status Graphics::DrawArc(const Pen* pen, const Rect& r, REAL startAngle, REAL sweepAngle) {
  return DrawArc(pen, ToF(r), startAngle, sweepAngle);
}

Status Graphics::DrawBezier(const Pen* pen, const PointF& a, const PointF& b, const PointF& c,
                            const PointF& e) {
  GraphicsPath path;
  path.AddBezier(a, b, c, e);
  return StrokePath(pen, path);
}
Status Graphics::DrawBezier(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4,
                            REAL y4) {
  return DrawBezier(pen, PointF(x1, y1), PointF(x2, y2), PointF(x3, y3), PointF(x4, y4));
}
Status Graphics::DrawBeziers(const Pen* pen, const PointF* points, INT count) {
  GraphicsPath path;
  if (const Status s = path.AddBeziers(points, count); s != Ok) return Record(s);
  return StrokePath(pen, path);
}

Status Graphics::DrawCurve(const Pen* pen, const PointF* points, INT count) {
  return DrawCurve(pen, points, count, 0.5f);
}
Status Graphics::DrawCurve(const Pen* pen, const PointF* points, INT count, REAL tension) {
  GraphicsPath path;
  if (const Status s = path.AddCurve(points, count, tension); s != Ok) return Record(s);
  return StrokePath(pen, path);
}
Status Graphics::DrawCurve(const Pen* pen, const Point* points, INT count) {
  return DrawCurve(pen, points, count, 0.5f);
}
Status Graphics::DrawCurve(const Pen* pen, const Point* points, INT count, REAL tension) {
  GraphicsPath path;
  if (const Status s = path.AddCurve(points, count, tension); s != Ok) return Record(s);
  return StrokePath(pen, path);
}
Status Graphics::DrawClosedCurve(const Pen* pen, const PointF* points, INT count) {
  return DrawClosedCurve(pen, points, count, 0.5f);
}
Status Graphics::DrawClosedCurve(const Pen* pen, const PointF* points, INT count, REAL tension) {
  GraphicsPath path;
  if (const Status s = path.AddClosedCurve(points, count, tension); s != Ok) return Record(s);
  return StrokePath(pen, path);
}

Status Graphics::DrawRectangle(const Pen* pen, const RectF& r) {
  GraphicsPath path;
  path.AddRectangle(r);
  return StrokePath(pen, path);
}
Status Graphics::DrawRectangle(const Pen* pen, REAL x, REAL y, REAL w, REAL h) {
  return DrawRectangle(pen, RectF(x, y, w, h));
}
Status Graphics::DrawRectangle(const Pen* pen, const Rect& r) {
  return DrawRectangle(pen, ToF(r));
}
Status Graphics::DrawRectangle(const Pen* pen, INT x, INT y, INT w, INT h) {
  return DrawRectangle(pen, Rect(x, y, w, h));
}

Status Graphics::DrawEllipse(const Pen* pen, const RectF& r) {
  GraphicsPath path;
  path.AddEllipse(r);
  return StrokePath(pen, path);
}
Status Graphics::DrawEllipse(const Pen* pen, REAL x, REAL y, REAL w, REAL h) {
  return DrawEllipse(pen, RectF(x, y, w, h));
}
Status Graphics::DrawEllipse(const Pen* pen, const Rect& r) {
  return DrawEllipse(pen, ToF(r));
}
Status Graphics::DrawEllipse(const Pen* pen, INT x, INT y, INT w, INT h) {
  return DrawEllipse(pen, Rect(x, y, w, h));
}

Status Graphics::DrawPie(const Pen* pen, const RectF& r, REAL startAngle, REAL sweepAngle) {
  GraphicsPath path;
  path.AddPie(r, startAngle, sweepAngle);
  return StrokePath(pen, path);
}
Status Graphics::DrawPie(const Pen* pen, REAL x, REAL y, REAL w, REAL h, REAL startAngle, REAL sweepAngle) {
  return DrawPie(pen, RectF(x, y, w, h), startAngle, sweepAngle);
}

Status Graphics::DrawPolygon(const Pen* pen, const PointF* points, INT count) {
  GraphicsPath path;
  if (const Status s = path.AddPolygon(points, count); s != Ok) return Record(s);
  return StrokePath(pen, path);
}
Status Graphics::DrawPolygon(const Pen* pen, const Point* points, INT count) {
  GraphicsPath path;
  if (const Status s = path.AddPolygon(points, count); s != Ok) return Record(s);
  return StrokePath(pen, path);
}

Status Graphics::DrawPath(const Pen* pen, const GraphicsPath* path) {
  if (!path) return Record(InvalidParameter);
  return StrokePath(pen, *path);
}

// ---- fills ------------------------------------------------------------------------

Status Graphics::FillRectangle(const Brush* brush, const RectF& r) {
  return FillShape(brush, RectPath(r));
}
Status Graphics::FillRectangle(const Brush* brush, REAL x, REAL y, REAL w, REAL h) {
  return FillRectangle(brush, RectF(x, y, w, h));
}
Status Graphics::FillRectangle(const Brush* brush, const Rect& r) {
  return FillRectangle(brush, ToF(r));
}
Status Graphics::FillRectangle(const Brush* brush, INT x, INT y, INT w, INT h) {
  return FillRectangle(brush, Rect(x, y, w, h));
}

Status Graphics::FillRectangles(const Brush* brush, const RectF* rects, INT count) {
  if (!rects || count <= 0) return Record(InvalidParameter);
  QPainterPath shape;
  for (INT i = 0; i < count; ++i)
    shape.addRect(QRectF(rects[i].X, rects[i].Y, rects[i].Width, rects[i].Height));
  shape.setFillRule(Qt::WindingFill);
  return FillShape(brush, shape);
}

Status Graphics::FillEllipse(const Brush* brush, const RectF& r) {
  GraphicsPath path;
  path.AddEllipse(r);
  return FillPathShape(brush, path);
}
Status Graphics::FillEllipse(const Brush* brush, REAL x, REAL y, REAL w, REAL h) {
  return FillEllipse(brush, RectF(x, y, w, h));
}
Status Graphics::FillEllipse(const Brush* brush, const Rect& r) {
  return FillEllipse(brush, ToF(r));
}
Status Graphics::FillEllipse(const Brush* brush, INT x, INT y, INT w, INT h) {
  return FillEllipse(brush, Rect(x, y, w, h));
}

Status Graphics::FillPie(const Brush* brush, const RectF& r, REAL startAngle, REAL sweepAngle) {
  GraphicsPath path;
  path.AddPie(r, startAngle, sweepAngle);
  return FillPathShape(brush, path);
}
Status Graphics::FillPie(const Brush* brush, REAL x, REAL y, REAL w, REAL h, REAL startAngle,
                         REAL sweepAngle) {
  return FillPie(brush, RectF(x, y, w, h), startAngle, sweepAngle);
}

Status Graphics::FillPolygon(const Brush* brush, const PointF* points, INT count, FillMode fillMode) {
  GraphicsPath path(fillMode);
  if (const Status s = path.AddPolygon(points, count); s != Ok) return Record(s);
  return FillPathShape(brush, path);
}
Status Graphics::FillPolygon(const Brush* brush, const Point* points, INT count, FillMode fillMode) {
  GraphicsPath path(fillMode);
  if (const Status s = path.AddPolygon(points, count); s != Ok) return Record(s);
  return FillPathShape(brush, path);
}

Status Graphics::FillClosedCurve(const Brush* brush, const PointF* points, INT count, FillMode fillMode,
                                 REAL tension) {
  GraphicsPath path(fillMode);
  if (const Status s = path.AddClosedCurve(points, count, tension); s != Ok) return Record(s);
  return FillPathShape(brush, path);
}

Status Graphics::FillPath(const Brush* brush, const GraphicsPath* path) {
  if (!path) return Record(InvalidParameter);
  return FillPathShape(brush, *path);
}

Status Graphics::FillRegion(const Brush* brush, const Region* region) {
  if (!region) return Record(InvalidParameter);
  const RegionData& r = *region->Data();
  if (r.infinite) {
    // The whole device, whatever the transform.
    if (!FImpl) return Record(InvalidParameter);
    QPainterPath all;
    all.addRect(FImpl->DeviceBounds());
    return FillShape(brush, FImpl->VectorTransform().inverted().map(all));
  }
  return FillShape(brush, r.path);
}

// ---- images -------------------------------------------------------------------------

Status Graphics::DrawImageImpl(Image* image, const RectF& dest, const RectF& src,
                               const ImageAttributes* attributes) {
  if (const Status s = Ready(); s != Ok) return Record(s);
  if (!image || !image->Data()) return Record(InvalidParameter);
  if (dest.Width == 0 || dest.Height == 0 || src.Width == 0 || src.Height == 0) return Ok;
  const QImage* pixels = &image->Data()->image;
  QImage adjusted;
  QRectF source(src.X, src.Y, src.Width, src.Height);
  if (attributes) {
    const auto& settings = attributes->For(ColorAdjustTypeBitmap);
    if (settings.Any()) {
      const QRect part = source.normalized().toAlignedRect() & pixels->rect();
      adjusted = detail::ApplyAttributes(pixels->copy(part), settings);
      source.translate(-part.x(), -part.y());
      pixels = &adjusted;
    }
  }
  QPainter* p = FImpl->painter;
  // Negative sizes mirror the picture.
  QTransform mirror;
  QRectF target(dest.X, dest.Y, dest.Width, dest.Height);
  if (target.width() < 0 || target.height() < 0) {
    const QRectF n = target.normalized();
    mirror.translate(n.center().x(), n.center().y());
    mirror.scale(target.width() < 0 ? -1 : 1, target.height() < 0 ? -1 : 1);
    mirror.translate(-n.center().x(), -n.center().y());
    target = n;
  }
  if (source.width() < 0 || source.height() < 0) return Record(InvalidParameter);
  PaintScope scope(*FImpl);
  if (!scope.Ok()) return Record(ObjectBusy);
  p->save();
  p->setWorldTransform(mirror * FImpl->PixelTransform());
  p->drawImage(target, *pixels, source);
  p->restore();
  return Ok;
}

Status Graphics::DrawImage(Image* image, INT x, INT y) {
  return DrawImage(image, REAL(x), REAL(y));
}

Status Graphics::DrawImage(Image* image, REAL x, REAL y) {
  if (!image || !image->Data()) return Record(InvalidParameter);
  const REAL w = REAL(image->GetWidth()), h = REAL(image->GetHeight());
  return DrawImageImpl(image, RectF(x, y, w, h), RectF(0, 0, w, h), nullptr);
}

Status Graphics::DrawImage(Image* image, const PointF& point) {
  return DrawImage(image, point.X, point.Y);
}
Status Graphics::DrawImage(Image* image, const Point& point) {
  return DrawImage(image, point.X, point.Y);
}

Status Graphics::DrawImage(Image* image, const RectF& rect) {
  if (!image || !image->Data()) return Record(InvalidParameter);
  return DrawImageImpl(image, rect, RectF(0, 0, REAL(image->GetWidth()), REAL(image->GetHeight())), nullptr);
}

Status Graphics::DrawImage(Image* image, REAL x, REAL y, REAL w, REAL h) {
  return DrawImage(image, RectF(x, y, w, h));
}
Status Graphics::DrawImage(Image* image, const Rect& rect) {
  return DrawImage(image, ToF(rect));
}
Status Graphics::DrawImage(Image* image, INT x, INT y, INT w, INT h) {
  return DrawImage(image, Rect(x, y, w, h));
}

Status Graphics::DrawImage(Image* image, const RectF& destRect, REAL srcx, REAL srcy, REAL srcwidth,
                           REAL srcheight, Unit srcUnit, const ImageAttributes* attributes,
                           DrawImageAbort callback, void* callbackData) {
  // Only pixel units are used for picture sources here.
  if (srcUnit != UnitPixel) return Record(NotImplemented);
  if (callback && callback(callbackData)) return Record(Aborted);
  return DrawImageImpl(image, destRect, RectF(srcx, srcy, srcwidth, srcheight), attributes);
}

Status Graphics::DrawImage(Image* image, const Rect& destRect, INT srcx, INT srcy, INT srcwidth,
                           INT srcheight, Unit srcUnit, const ImageAttributes* attributes,
                           DrawImageAbort callback, void* callbackData) {
  return DrawImage(image, ToF(destRect), REAL(srcx), REAL(srcy), REAL(srcwidth), REAL(srcheight), srcUnit,
                   attributes, callback, callbackData);
}

Status Graphics::GetLastStatus() const {
  const Status s = FLastResult;
  FLastResult = Ok;
  return s;
}

}  // namespace Gdiplus
