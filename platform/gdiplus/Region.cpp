#include "platform/gdiplus/Region.h"

#include "platform/gdiplus/GdiPlusPrivate.h"
#include "platform/gdiplus/GraphicsPath.h"
#include "platform/gdiplus/Matrix.h"

namespace Gdiplus {

namespace detail {

// Stands in for the infinite region where a finite area is needed.
QPainterPath InfiniteArea() {
  QPainterPath p;
  p.addRect(QRectF(-4194304.0, -4194304.0, 8388608.0, 8388608.0));
  return p;
}

void CombineRegion(RegionData& self, const RegionData& other, CombineMode mode) {
  const QPainterPath a = self.infinite ? InfiniteArea() : self.path;
  const QPainterPath b = other.infinite ? InfiniteArea() : other.path;
  switch (mode) {
    case CombineModeReplace:
      self = other;
      return;
    case CombineModeIntersect:
      if (self.infinite) {
        self = other;
      } else if (!other.infinite) {
        self.path = a.intersected(b);
      }
      return;
    case CombineModeUnion:
      if (self.infinite || other.infinite) {
        self.infinite = true;
        self.path = QPainterPath();
      } else {
        self.path = a.united(b);
      }
      return;
    case CombineModeXor:
      self.infinite = false;
      self.path = a.united(b).subtracted(a.intersected(b));
      return;
    case CombineModeExclude:
      self.infinite = false;
      self.path = a.subtracted(b);
      return;
    case CombineModeComplement:
      self.infinite = false;
      self.path = b.subtracted(a);
      return;
  }
}

}  // namespace detail

namespace {

RegionData FromRect(const RectF& r) {
  RegionData d;
  d.infinite = false;
  if (r.Width > 0 && r.Height > 0) d.path.addRect(QRectF(r.X, r.Y, r.Width, r.Height));
  return d;
}

RegionData FromPath(const GraphicsPath& path) {
  RegionData d;
  d.infinite = false;
  d.path = detail::ToQPainterPath(path);
  return d;
}

RectF ToF(const Rect& r) {
  return RectF(REAL(r.X), REAL(r.Y), REAL(r.Width), REAL(r.Height));
}

}  // namespace

Region::Region() : FData(std::make_unique<RegionData>()) {}

Region::Region(const RectF& rect) : FData(std::make_unique<RegionData>(FromRect(rect))) {}

Region::Region(const Rect& rect) : Region(ToF(rect)) {}

Region::Region(const GraphicsPath* path) : FData(std::make_unique<RegionData>()) {
  if (!path) {
    FLastResult = InvalidParameter;
    return;
  }
  *FData = FromPath(*path);
}

Region::~Region() = default;

Region* Region::Clone() const {
  auto* copy = new Region();
  *copy->FData = *FData;
  return copy;
}

Status Region::MakeInfinite() {
  *FData = RegionData{};
  return Ok;
}

Status Region::MakeEmpty() {
  FData->infinite = false;
  FData->path = QPainterPath();
  return Ok;
}

Status Region::Combine(const RegionData& other, CombineMode mode) {
  detail::CombineRegion(*FData, other, mode);
  return Ok;
}

Status Region::Intersect(const RectF& rect) {
  return Combine(FromRect(rect), CombineModeIntersect);
}
Status Region::Intersect(const Rect& rect) {
  return Intersect(ToF(rect));
}
Status Region::Intersect(const GraphicsPath* path) {
  return path ? Combine(FromPath(*path), CombineModeIntersect) : Record(InvalidParameter);
}
Status Region::Intersect(const Region* region) {
  return region ? Combine(*region->FData, CombineModeIntersect) : Record(InvalidParameter);
}
Status Region::Union(const RectF& rect) {
  return Combine(FromRect(rect), CombineModeUnion);
}
Status Region::Union(const Rect& rect) {
  return Union(ToF(rect));
}
Status Region::Union(const GraphicsPath* path) {
  return path ? Combine(FromPath(*path), CombineModeUnion) : Record(InvalidParameter);
}
Status Region::Union(const Region* region) {
  return region ? Combine(*region->FData, CombineModeUnion) : Record(InvalidParameter);
}
Status Region::Xor(const RectF& rect) {
  return Combine(FromRect(rect), CombineModeXor);
}
Status Region::Xor(const GraphicsPath* path) {
  return path ? Combine(FromPath(*path), CombineModeXor) : Record(InvalidParameter);
}
Status Region::Xor(const Region* region) {
  return region ? Combine(*region->FData, CombineModeXor) : Record(InvalidParameter);
}
Status Region::Exclude(const RectF& rect) {
  return Combine(FromRect(rect), CombineModeExclude);
}
Status Region::Exclude(const Rect& rect) {
  return Exclude(ToF(rect));
}
Status Region::Exclude(const GraphicsPath* path) {
  return path ? Combine(FromPath(*path), CombineModeExclude) : Record(InvalidParameter);
}
Status Region::Exclude(const Region* region) {
  return region ? Combine(*region->FData, CombineModeExclude) : Record(InvalidParameter);
}
Status Region::Complement(const RectF& rect) {
  return Combine(FromRect(rect), CombineModeComplement);
}
Status Region::Complement(const GraphicsPath* path) {
  return path ? Combine(FromPath(*path), CombineModeComplement) : Record(InvalidParameter);
}
Status Region::Complement(const Region* region) {
  return region ? Combine(*region->FData, CombineModeComplement) : Record(InvalidParameter);
}

Status Region::Translate(REAL dx, REAL dy) {
  if (!FData->infinite) FData->path.translate(dx, dy);
  return Ok;
}

Status Region::Transform(const Matrix* matrix) {
  if (!matrix) return Record(InvalidParameter);
  if (!FData->infinite) FData->path = detail::ToQTransform(*matrix).map(FData->path);
  return Ok;
}

Status Region::GetBounds(RectF* rect, const Graphics*) const {
  if (!rect) return Record(InvalidParameter);
  const QRectF r = FData->infinite ? detail::InfiniteArea().boundingRect() : FData->path.boundingRect();
  *rect = RectF(REAL(r.x()), REAL(r.y()), REAL(r.width()), REAL(r.height()));
  return Ok;
}

bool Region::IsEmpty(const Graphics*) const {
  return !FData->infinite && (FData->path.isEmpty() || FData->path.boundingRect().isEmpty());
}

bool Region::IsInfinite(const Graphics*) const {
  return FData->infinite;
}

bool Region::IsVisible(REAL x, REAL y, const Graphics*) const {
  return FData->infinite || FData->path.contains(QPointF(x, y));
}

Status Region::GetLastStatus() const {
  const Status s = FLastResult;
  FLastResult = Ok;
  return s;
}

}  // namespace Gdiplus
