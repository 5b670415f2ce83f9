#include "platform/gdiplus/Matrix.h"

#include <cmath>

namespace Gdiplus {

namespace {

constexpr double kPi = 3.14159265358979323846;

// r = a * b for row-vector affine matrices.
void MultiplyElements(const double* a, const double* b, double* r) {
  const double m11 = a[0] * b[0] + a[1] * b[2];
  const double m12 = a[0] * b[1] + a[1] * b[3];
  const double m21 = a[2] * b[0] + a[3] * b[2];
  const double m22 = a[2] * b[1] + a[3] * b[3];
  const double dx = a[4] * b[0] + a[5] * b[2] + b[4];
  const double dy = a[4] * b[1] + a[5] * b[3] + b[5];
  r[0] = m11;
  r[1] = m12;
  r[2] = m21;
  r[3] = m22;
  r[4] = dx;
  r[5] = dy;
}

bool ValidOrder(MatrixOrder order) {
  return order == MatrixOrderPrepend || order == MatrixOrderAppend;
}

}  // namespace

Matrix::Matrix() : FElements{1, 0, 0, 1, 0, 0} {}

Matrix::Matrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy)
    : FElements{m11, m12, m21, m22, dx, dy} {}

Matrix::Matrix(const RectF& rect, const PointF* dstplg) : FElements{1, 0, 0, 1, 0, 0} {
  if (!dstplg || rect.Width == 0 || rect.Height == 0) {
    FLastResult = InvalidParameter;
    return;
  }
  // Unit square to the parallelogram, after the rectangle to the unit square.
  const double toUnit[6] = {
      1.0 / rect.Width, 0, 0, 1.0 / rect.Height, -rect.X / double(rect.Width), -rect.Y / double(rect.Height)};
  const double toPlg[6] = {double(dstplg[1].X) - dstplg[0].X,
                           double(dstplg[1].Y) - dstplg[0].Y,
                           double(dstplg[2].X) - dstplg[0].X,
                           double(dstplg[2].Y) - dstplg[0].Y,
                           dstplg[0].X,
                           dstplg[0].Y};
  double r[6];
  MultiplyElements(toUnit, toPlg, r);
  for (int i = 0; i < 6; ++i) FElements[i] = static_cast<REAL>(r[i]);
}

Matrix::Matrix(const Rect& rect, const Point* dstplg) : FElements{1, 0, 0, 1, 0, 0} {
  if (!dstplg) {
    FLastResult = InvalidParameter;
    return;
  }
  const PointF pts[3] = {PointF(REAL(dstplg[0].X), REAL(dstplg[0].Y)),
                         PointF(REAL(dstplg[1].X), REAL(dstplg[1].Y)),
                         PointF(REAL(dstplg[2].X), REAL(dstplg[2].Y))};
  Matrix m(RectF(REAL(rect.X), REAL(rect.Y), REAL(rect.Width), REAL(rect.Height)), pts);
  for (int i = 0; i < 6; ++i) FElements[i] = m.FElements[i];
  FLastResult = m.FLastResult;
}

Matrix* Matrix::Clone() const {
  return new Matrix(FElements[0], FElements[1], FElements[2], FElements[3], FElements[4], FElements[5]);
}

Status Matrix::GetElements(REAL* m) const {
  if (!m) return Record(InvalidParameter);
  for (int i = 0; i < 6; ++i) m[i] = FElements[i];
  return Ok;
}

Status Matrix::SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
  FElements[0] = m11;
  FElements[1] = m12;
  FElements[2] = m21;
  FElements[3] = m22;
  FElements[4] = dx;
  FElements[5] = dy;
  return Ok;
}

Status Matrix::Reset() {
  return SetElements(1, 0, 0, 1, 0, 0);
}

void Matrix::Combine(const double* other, MatrixOrder order) {
  const double self[6] = {FElements[0], FElements[1], FElements[2], FElements[3], FElements[4], FElements[5]};
  double r[6];
  // Prepend: the new transform acts first.
  if (order == MatrixOrderPrepend)
    MultiplyElements(other, self, r);
  else
    MultiplyElements(self, other, r);
  for (int i = 0; i < 6; ++i) FElements[i] = static_cast<REAL>(r[i]);
}

Status Matrix::Multiply(const Matrix* matrix, MatrixOrder order) {
  if (!matrix || !ValidOrder(order)) return Record(InvalidParameter);
  const double other[6] = {matrix->FElements[0], matrix->FElements[1], matrix->FElements[2],
                           matrix->FElements[3], matrix->FElements[4], matrix->FElements[5]};
  Combine(other, order);
  return Ok;
}

Status Matrix::Translate(REAL offsetX, REAL offsetY, MatrixOrder order) {
  if (!ValidOrder(order)) return Record(InvalidParameter);
  const double t[6] = {1, 0, 0, 1, offsetX, offsetY};
  Combine(t, order);
  return Ok;
}

Status Matrix::Scale(REAL scaleX, REAL scaleY, MatrixOrder order) {
  if (!ValidOrder(order)) return Record(InvalidParameter);
  const double s[6] = {scaleX, 0, 0, scaleY, 0, 0};
  Combine(s, order);
  return Ok;
}

Status Matrix::Rotate(REAL angle, MatrixOrder order) {
  if (!ValidOrder(order)) return Record(InvalidParameter);
  const double rad = angle * kPi / 180.0;
  double c = std::cos(rad), s = std::sin(rad);
  // Keep quarter turns exact so that pixel-aligned shapes stay aligned.
  if (std::fabs(c) < 1e-12) c = 0;
  if (std::fabs(s) < 1e-12) s = 0;
  const double r[6] = {c, s, -s, c, 0, 0};
  Combine(r, order);
  return Ok;
}

Status Matrix::RotateAt(REAL angle, const PointF& center, MatrixOrder order) {
  if (!ValidOrder(order)) return Record(InvalidParameter);
  if (order == MatrixOrderAppend) {
    Translate(-center.X, -center.Y, order);
    Rotate(angle, order);
    return Translate(center.X, center.Y, order);
  }
  Translate(center.X, center.Y, order);
  Rotate(angle, order);
  return Translate(-center.X, -center.Y, order);
}

Status Matrix::Shear(REAL shearX, REAL shearY, MatrixOrder order) {
  if (!ValidOrder(order)) return Record(InvalidParameter);
  const double s[6] = {1, shearY, shearX, 1, 0, 0};
  Combine(s, order);
  return Ok;
}

Status Matrix::Invert() {
  const double det = double(FElements[0]) * FElements[3] - double(FElements[1]) * FElements[2];
  if (det == 0 || !std::isfinite(det)) return Record(InvalidParameter);
  const double m11 = FElements[3] / det, m12 = -FElements[1] / det, m21 = -FElements[2] / det,
               m22 = FElements[0] / det;
  const double dx = -(FElements[4] * m11 + FElements[5] * m21);
  const double dy = -(FElements[4] * m12 + FElements[5] * m22);
  SetElements(REAL(m11), REAL(m12), REAL(m21), REAL(m22), REAL(dx), REAL(dy));
  return Ok;
}

Status Matrix::TransformPoints(PointF* pts, INT count) const {
  if (!pts || count <= 0) return Record(InvalidParameter);
  for (INT i = 0; i < count; ++i) {
    const double x = pts[i].X, y = pts[i].Y;
    pts[i].X = REAL(x * FElements[0] + y * FElements[2] + FElements[4]);
    pts[i].Y = REAL(x * FElements[1] + y * FElements[3] + FElements[5]);
  }
  return Ok;
}

Status Matrix::TransformPoints(Point* pts, INT count) const {
  if (!pts || count <= 0) return Record(InvalidParameter);
  for (INT i = 0; i < count; ++i) {
    const double x = pts[i].X, y = pts[i].Y;
    pts[i].X = INT(std::lround(x * FElements[0] + y * FElements[2] + FElements[4]));
    pts[i].Y = INT(std::lround(x * FElements[1] + y * FElements[3] + FElements[5]));
  }
  return Ok;
}

Status Matrix::TransformVectors(PointF* pts, INT count) const {
  if (!pts || count <= 0) return Record(InvalidParameter);
  for (INT i = 0; i < count; ++i) {
    const double x = pts[i].X, y = pts[i].Y;
    pts[i].X = REAL(x * FElements[0] + y * FElements[2]);
    pts[i].Y = REAL(x * FElements[1] + y * FElements[3]);
  }
  return Ok;
}

Status Matrix::TransformVectors(Point* pts, INT count) const {
  if (!pts || count <= 0) return Record(InvalidParameter);
  for (INT i = 0; i < count; ++i) {
    const double x = pts[i].X, y = pts[i].Y;
    pts[i].X = INT(std::lround(x * FElements[0] + y * FElements[2]));
    pts[i].Y = INT(std::lround(x * FElements[1] + y * FElements[3]));
  }
  return Ok;
}

bool Matrix::IsInvertible() const {
  const double det = double(FElements[0]) * FElements[3] - double(FElements[1]) * FElements[2];
  return det != 0 && std::isfinite(det);
}

bool Matrix::IsIdentity() const {
  return FElements[0] == 1 && FElements[1] == 0 && FElements[2] == 0 && FElements[3] == 1 &&
         FElements[4] == 0 && FElements[5] == 0;
}

bool Matrix::Equals(const Matrix* matrix) const {
  if (!matrix) return false;
  for (int i = 0; i < 6; ++i)
    if (FElements[i] != matrix->FElements[i]) return false;
  return true;
}

Status Matrix::GetLastStatus() const {
  const Status s = FLastResult;
  FLastResult = Ok;
  return s;
}

}  // namespace Gdiplus
