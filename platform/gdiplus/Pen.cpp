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

Pen::Pen(const Color& color, REAL width) : brush_(new SolidBrush(color)), width_(width) {
  if (!(width >= 0) || !std::isfinite(width)) {
    width_ = 1;
    lastResult_ = InvalidParameter;
  }
}

Pen::Pen(const Brush* brush, REAL width) : width_(width) {
  if (brush) {
    brush_.reset(brush->Clone());
  } else {
    brush_.reset(new SolidBrush(Color()));
    lastResult_ = InvalidParameter;
  }
  if (!(width >= 0) || !std::isfinite(width)) {
    width_ = 1;
    lastResult_ = InvalidParameter;
  }
}

Pen::~Pen() = default;

Pen* Pen::Clone() const {
  auto* copy = new Pen(brush_.get(), width_);
  copy->startCap_ = startCap_;
  copy->endCap_ = endCap_;
  copy->dashCap_ = dashCap_;
  copy->lineJoin_ = lineJoin_;
  copy->miterLimit_ = miterLimit_;
  copy->dashStyle_ = dashStyle_;
  copy->dashOffset_ = dashOffset_;
  copy->customDashes_ = customDashes_;
  copy->alignment_ = alignment_;
  return copy;
}

Status Pen::SetWidth(REAL width) {
  if (!(width >= 0) || !std::isfinite(width)) return Record(InvalidParameter);
  width_ = width;
  return Ok;
}

Status Pen::SetColor(const Color& color) {
  brush_.reset(new SolidBrush(color));
  return Ok;
}

Status Pen::GetColor(Color* color) const {
  if (!color) return Record(InvalidParameter);
  if (brush_->GetType() != BrushTypeSolidColor) return Record(WrongState);
  return static_cast<const SolidBrush*>(brush_.get())->GetColor(color);
}

Status Pen::SetBrush(const Brush* brush) {
  if (!brush) return Record(InvalidParameter);
  brush_.reset(brush->Clone());
  return Ok;
}

Brush* Pen::GetBrush() const {
  return brush_->Clone();
}

PenType Pen::GetPenType() const {
  return static_cast<PenType>(brush_->GetType());
}

Status Pen::SetLineCap(LineCap startCap, LineCap endCap, DashCap dashCap) {
  if (!ValidCap(startCap) || !ValidCap(endCap) || !ValidDashCap(dashCap)) return Record(InvalidParameter);
  startCap_ = startCap;
  endCap_ = endCap;
  dashCap_ = dashCap;
  return Ok;
}

Status Pen::SetStartCap(LineCap startCap) {
  if (!ValidCap(startCap)) return Record(InvalidParameter);
  startCap_ = startCap;
  return Ok;
}

Status Pen::SetEndCap(LineCap endCap) {
  if (!ValidCap(endCap)) return Record(InvalidParameter);
  endCap_ = endCap;
  return Ok;
}

Status Pen::SetDashCap(DashCap dashCap) {
  if (!ValidDashCap(dashCap)) return Record(InvalidParameter);
  dashCap_ = dashCap;
  return Ok;
}

Status Pen::SetLineJoin(LineJoin lineJoin) {
  if (lineJoin < LineJoinMiter || lineJoin > LineJoinMiterClipped) return Record(InvalidParameter);
  lineJoin_ = lineJoin;
  return Ok;
}

Status Pen::SetMiterLimit(REAL miterLimit) {
  if (!std::isfinite(miterLimit)) return Record(InvalidParameter);
  miterLimit_ = miterLimit < 1 ? 1 : miterLimit;
  return Ok;
}

Status Pen::SetDashStyle(DashStyle dashStyle) {
  if (dashStyle < DashStyleSolid || dashStyle > DashStyleCustom) return Record(InvalidParameter);
  if (dashStyle == DashStyleCustom && customDashes_.empty()) customDashes_ = {1, 1};
  dashStyle_ = dashStyle;
  return Ok;
}

Status Pen::SetDashOffset(REAL dashOffset) {
  if (!std::isfinite(dashOffset)) return Record(InvalidParameter);
  dashOffset_ = dashOffset;
  return Ok;
}

Status Pen::SetDashPattern(const REAL* dashArray, INT count) {
  if (!dashArray || count <= 0) return Record(InvalidParameter);
  for (INT i = 0; i < count; ++i)
    if (!(dashArray[i] > 0)) return Record(InvalidParameter);
  customDashes_.assign(dashArray, dashArray + count);
  dashStyle_ = DashStyleCustom;
  return Ok;
}

Status Pen::GetDashPattern(REAL* dashArray, INT count) const {
  const auto pattern = DashPattern();
  if (!dashArray || count < INT(pattern.size())) return Record(InvalidParameter);
  std::copy(pattern.begin(), pattern.end(), dashArray);
  return Ok;
}

std::vector<REAL> Pen::DashPattern() const {
  switch (dashStyle_) {
    case DashStyleDash:
      return {3, 1};
    case DashStyleDot:
      return {1, 1};
    case DashStyleDashDot:
      return {3, 1, 1, 1};
    case DashStyleDashDotDot:
      return {3, 1, 1, 1, 1, 1};
    case DashStyleCustom:
      return customDashes_;
    default:
      return {};
  }
}

Status Pen::SetAlignment(PenAlignment penAlignment) {
  if (penAlignment != PenAlignmentCenter && penAlignment != PenAlignmentInset)
    return Record(InvalidParameter);
  alignment_ = penAlignment;
  return Ok;
}

Status Pen::GetLastStatus() const {
  const Status s = lastResult_;
  lastResult_ = Ok;
  return s;
}

}  // namespace Gdiplus
