// Region: an area built from rectangles and paths by set operations, used
// for clipping.
#pragma once

#include <memory>

#include "platform/gdiplus/GdiPlusTypes.h"

namespace Gdiplus {

class Graphics;
class GraphicsPath;
class Matrix;
struct RegionData;

class Region {
 public:
  Region();  // infinite
  explicit Region(const RectF& rect);
  explicit Region(const Rect& rect);
  explicit Region(const GraphicsPath* path);
  Region(const Region&) = delete;
  Region& operator=(const Region&) = delete;
  ~Region();

  Region* Clone() const;
  Status MakeInfinite();
  Status MakeEmpty();
  Status Intersect(const RectF& rect);
  Status Intersect(const Rect& rect);
  Status Intersect(const GraphicsPath* path);
  Status Intersect(const Region* region);
  Status Union(const RectF& rect);
  Status Union(const Rect& rect);
  Status Union(const GraphicsPath* path);
  Status Union(const Region* region);
  Status Xor(const RectF& rect);
  Status Xor(const GraphicsPath* path);
  Status Xor(const Region* region);
  Status Exclude(const RectF& rect);
  Status Exclude(const Rect& rect);
  Status Exclude(const GraphicsPath* path);
  Status Exclude(const Region* region);
  Status Complement(const RectF& rect);
  Status Complement(const GraphicsPath* path);
  Status Complement(const Region* region);
  Status Translate(REAL dx, REAL dy);
  Status Transform(const Matrix* matrix);
  Status GetBounds(RectF* rect, const Graphics* g = nullptr) const;
  bool IsEmpty(const Graphics* g = nullptr) const;
  bool IsInfinite(const Graphics* g = nullptr) const;
  bool IsVisible(REAL x, REAL y, const Graphics* g = nullptr) const;
  bool IsVisible(const PointF& point, const Graphics* g = nullptr) const {
    return IsVisible(point.X, point.Y, g);
  }
  Status GetLastStatus() const;

  RegionData* Data() const { return FData.get(); }

 private:
  Status Record(Status s) const {
    if (s != Ok) FLastResult = s;
    return s;
  }
  Status Combine(const RegionData& other, CombineMode mode);

  std::unique_ptr<RegionData> FData;
  mutable Status FLastResult = Ok;
};

}  // namespace Gdiplus
