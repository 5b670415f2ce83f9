// Affine transform in the row-vector convention: p' = p * M, with
// x' = m11*x + m21*y + dx and y' = m12*x + m22*y + dy. Rotations are in
// degrees and turn clockwise on a y-down surface.
#pragma once

#include "platform/gdiplus/GdiPlusTypes.h"

namespace Gdiplus {

class Matrix {
 public:
  Matrix();
  Matrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
  // Maps the rectangle onto the parallelogram of three points: the images of
  // its upper-left, upper-right and lower-left corners.
  Matrix(const RectF& rect, const PointF* dstplg);
  Matrix(const Rect& rect, const Point* dstplg);
  Matrix(const Matrix&) = delete;
  Matrix& operator=(const Matrix&) = delete;
  ~Matrix() = default;

  Matrix* Clone() const;
  Status GetElements(REAL* m) const;
  Status SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
  REAL OffsetX() const { return FElements[4]; }
  REAL OffsetY() const { return FElements[5]; }

  Status Reset();
  Status Multiply(const Matrix* matrix, MatrixOrder order = MatrixOrderPrepend);
  Status Translate(REAL offsetX, REAL offsetY, MatrixOrder order = MatrixOrderPrepend);
  Status Scale(REAL scaleX, REAL scaleY, MatrixOrder order = MatrixOrderPrepend);
  Status Rotate(REAL angle, MatrixOrder order = MatrixOrderPrepend);
  Status RotateAt(REAL angle, const PointF& center, MatrixOrder order = MatrixOrderPrepend);
  Status Shear(REAL shearX, REAL shearY, MatrixOrder order = MatrixOrderPrepend);
  Status Invert();

  Status TransformPoints(PointF* pts, INT count = 1) const;
  Status TransformPoints(Point* pts, INT count = 1) const;
  Status TransformVectors(PointF* pts, INT count = 1) const;
  Status TransformVectors(Point* pts, INT count = 1) const;

  bool IsInvertible() const;
  bool IsIdentity() const;
  bool Equals(const Matrix* matrix) const;

  // Returns the last failure and clears it.
  Status GetLastStatus() const;

 private:
  Status Record(Status s) const {
    if (s != Ok) FLastResult = s;
    return s;
  }
  void Combine(const double* other, MatrixOrder order);

  REAL FElements[6];
  mutable Status FLastResult = Ok;
};

}  // namespace Gdiplus
