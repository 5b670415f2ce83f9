#include "platform/gdiplus/Pen.h"

#include <cmath>

#include "platform/gdiplus/Brush.h"

namespace Gdiplus {

namespace {

bool ValidCap(LineCap cap) {
  switch (cap) {
    case LineCapFlat:
    case LineCapSquare:
    case LineCapRound:
    case LineCapTriangle:
    case LineCapNoAnchor:
    case LineCapSquareAnchor:
    case LineCapRoundAnchor:
    case LineCapDiamondAnchor:
    case LineCapArrowAnchor:
      return true;
    default:
      return false;
  }
}

bool ValidDashCap(DashCap cap) {
  return cap == DashCapFlat || cap == DashCapRound || cap == DashCapTriangle;
}

}  // namespace

Pen::Pen(const Color& color, REAL width) : FBrush(new SolidBrush(color)), FWidth(width) {
  if (!(width >= 0) || !std::isfinite(width)) {
    FWidth = 1;
    FLastResult = InvalidParameter;
  }
}

Pen::Pen(const Brush* brush, REAL width) : FWidth(width) {
  if (brush) {
    FBrush.reset(brush->Clone());
  } else {
    FBrush.reset(new SolidBrush(Color()));
    FLastResult = InvalidParameter;
  }
  if (!(width >= 0) || !std::isfinite(width)) {
    FWidth = 1;
    FLastResult = InvalidParameter;
  }
}

Pen::~Pen() = default;

Pen* Pen::Clone() const {
  auto* copy = new Pen(FBrush.get(), FWidth);
  copy->FStartCap = FStartCap;
  copy->FEndCap = FEndCap;
  copy->FDashCap = FDashCap;
  copy->FLineJoin = FLineJoin;
  copy->FMiterLimit = FMiterLimit;
  copy->FDashStyle = FDashStyle;
  copy->FDashOffset = FDashOffset;
  copy->FCustomDashes = FCustomDashes;
  copy->FAlignment = FAlignment;
  return copy;
}

Status Pen::SetWidth(REAL width) {
  if (!(width >= 0) || !std::isfinite(width)) return Record(InvalidParameter);
  FWidth = width;
  return Ok;
}

Status Pen::SetColor(const Color& color) {
  FBrush.reset(new SolidBrush(color));
  return Ok;
}

Status Pen::GetColor(Color* color) const {
  if (!color) return Record(InvalidParameter);
  if (FBrush->GetType() != BrushTypeSolidColor) return Record(WrongState);
  return static_cast<const SolidBrush*>(FBrush.get())->GetColor(color);
}

Status Pen::SetBrush(const Brush* brush) {
  if (!brush) return Record(InvalidParameter);
  FBrush.reset(brush->Clone());
  return Ok;
}

Brush* Pen::GetBrush() const {
  return FBrush->Clone();
}

PenType Pen::GetPenType() const {
  return static_cast<PenType>(FBrush->GetType());
}

Status Pen::SetLineCap(LineCap startCap, LineCap endCap, DashCap dashCap) {
  if (!ValidCap(startCap) || !ValidCap(endCap) || !ValidDashCap(dashCap)) return Record(InvalidParameter);
  FStartCap = startCap;
  FEndCap = endCap;
  FDashCap = dashCap;
  return Ok;
}

Status Pen::SetStartCap(LineCap startCap) {
  if (!ValidCap(startCap)) return Record(InvalidParameter);
  FStartCap = startCap;
  return Ok;
}

Status Pen::SetEndCap(LineCap endCap) {
  if (!ValidCap(endCap)) return Record(InvalidParameter);
  FEndCap = endCap;
  return Ok;
}

Status Pen::SetDashCap(DashCap dashCap) {
  if (!ValidDashCap(dashCap)) return Record(InvalidParameter);
  FDashCap = dashCap;
  return Ok;
}

Status Pen::SetLineJoin(LineJoin lineJoin) {
  if (lineJoin < LineJoinMiter || lineJoin > LineJoinMiterClipped) return Record(InvalidParameter);
  FLineJoin = lineJoin;
  return Ok;
}

Status Pen::SetMiterLimit(REAL miterLimit) {
  if (!std::isfinite(miterLimit)) return Record(InvalidParameter);
  FMiterLimit = miterLimit < 1 ? 1 : miterLimit;
  return Ok;
}

Status Pen::SetDashStyle(DashStyle dashStyle) {
  if (dashStyle < DashStyleSolid || dashStyle > DashStyleCustom) return Record(InvalidParameter);
  if (dashStyle == DashStyleCustom && FCustomDashes.empty()) FCustomDashes = {1, 1};
  FDashStyle = dashStyle;
  return Ok;
}

Status Pen::SetDashOffset(REAL dashOffset) {
  if (!std::isfinite(dashOffset)) return Record(InvalidParameter);
  FDashOffset = dashOffset;
  return Ok;
}

Status Pen::SetDashPattern(const REAL* dashArray, INT count) {
  if (!dashArray || count <= 0) return Record(InvalidParameter);
  for (INT i = 0; i < count; ++i)
    if (!(dashArray[i] > 0)) return Record(InvalidParameter);
  FCustomDashes.assign(dashArray, dashArray + count);
  FDashStyle = DashStyleCustom;
  return Ok;
}

Status Pen::GetDashPattern(REAL* dashArray, INT count) const {
  const auto pattern = DashPattern();
  if (!dashArray || count < INT(pattern.size())) return Record(InvalidParameter);
  std::copy(pattern.begin(), pattern.end(), dashArray);
  return Ok;
}

std::vector<REAL> Pen::DashPattern() const {
  switch (FDashStyle) {
    case DashStyleDash:
      return {3, 1};
    case DashStyleDot:
      return {1, 1};
    case DashStyleDashDot:
      return {3, 1, 1, 1};
    case DashStyleDashDotDot:
      return {3, 1, 1, 1, 1, 1};
    case DashStyleCustom:
      return FCustomDashes;
    default:
      return {};
  }
}

Status Pen::SetAlignment(PenAlignment penAlignment) {
  if (penAlignment != PenAlignmentCenter && penAlignment != PenAlignmentInset)
    return Record(InvalidParameter);
  FAlignment = penAlignment;
  return Ok;
}

Status Pen::GetLastStatus() const {
  const Status s = FLastResult;
  FLastResult = Ok;
  return s;
}

}  // namespace Gdiplus
