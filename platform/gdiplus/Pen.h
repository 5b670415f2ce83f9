// Pen: width in world units (0 draws one device pixel), a colour or a brush,
// dashes in multiples of the width, caps, joins and alignment.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdiplus/GdiPlusTypes.h"

namespace Gdiplus {

class Brush;

class Pen {
 public:
  explicit Pen(const Color& color, REAL width = 1.0f);
  explicit Pen(const Brush* brush, REAL width = 1.0f);
  Pen(const Pen&) = delete;
  Pen& operator=(const Pen&) = delete;
  ~Pen();

  Pen* Clone() const;

  Status SetWidth(REAL width);
  REAL GetWidth() const { return FWidth; }
  Status SetColor(const Color& color);
  // Fails with WrongState when the pen paints with another kind of brush.
  Status GetColor(Color* color) const;
  Status SetBrush(const Brush* brush);
  // A copy of the pen's brush; it belongs to the caller.
  Brush* GetBrush() const;
  PenType GetPenType() const;

  Status SetLineCap(LineCap startCap, LineCap endCap, DashCap dashCap);
  Status SetStartCap(LineCap startCap);
  Status SetEndCap(LineCap endCap);
  Status SetDashCap(DashCap dashCap);
  LineCap GetStartCap() const { return FStartCap; }
  LineCap GetEndCap() const { return FEndCap; }
  DashCap GetDashCap() const { return FDashCap; }
  Status SetLineJoin(LineJoin lineJoin);
  LineJoin GetLineJoin() const { return FLineJoin; }
  Status SetMiterLimit(REAL miterLimit);
  REAL GetMiterLimit() const { return FMiterLimit; }
  Status SetDashStyle(DashStyle dashStyle);
  DashStyle GetDashStyle() const { return FDashStyle; }
  Status SetDashOffset(REAL dashOffset);
  REAL GetDashOffset() const { return FDashOffset; }
  Status SetDashPattern(const REAL* dashArray, INT count);
  INT GetDashPatternCount() const { return INT(DashPattern().size()); }
  Status GetDashPattern(REAL* dashArray, INT count) const;
  Status SetAlignment(PenAlignment penAlignment);
  PenAlignment GetAlignment() const { return FAlignment; }

  Status GetLastStatus() const;

  // For the renderer: dash lengths in multiples of the width (empty: solid).
  std::vector<REAL> DashPattern() const;
  const Brush* PaintBrush() const { return FBrush.get(); }

 private:
  Status Record(Status s) const {
    if (s != Ok) FLastResult = s;
    return s;
  }

  std::unique_ptr<Brush> FBrush;
  REAL FWidth;
  LineCap FStartCap = LineCapFlat, FEndCap = LineCapFlat;
  DashCap FDashCap = DashCapFlat;
  LineJoin FLineJoin = LineJoinMiter;
  REAL FMiterLimit = 10.0f;
  DashStyle FDashStyle = DashStyleSolid;
  REAL FDashOffset = 0;
  std::vector<REAL> FCustomDashes;
  PenAlignment FAlignment = PenAlignmentCenter;
  mutable Status FLastResult = Ok;
};

}  // namespace Gdiplus
