// Brushes: solid, hatch (our own 8x8 patterns), texture, linear gradient and
// path gradient. A brush is a description; the Graphics turns it into pixels.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdiplus/GdiPlusTypes.h"
#include "platform/gdiplus/Matrix.h"

namespace Gdiplus {

class GraphicsPath;
class Image;
class ImageAttributes;

class Brush {
 public:
  Brush(const Brush&) = delete;
  Brush& operator=(const Brush&) = delete;
  virtual ~Brush();

  virtual Brush* Clone() const = 0;
  BrushType GetType() const { return FType; }
  Status GetLastStatus() const;

 protected:
  explicit Brush(BrushType type) : FType(type) {}
  Status Record(Status s) const {
    if (s != Ok) FLastResult = s;
    return s;
  }
  // Transform helpers shared by the brushes that carry a transform.
  static Status SetMatrix(Matrix& target, const Matrix* source);
  static Status GetMatrix(const Matrix& source, Matrix* target);

  BrushType FType;
  mutable Status FLastResult = Ok;
};

class SolidBrush : public Brush {
 public:
  explicit SolidBrush(const Color& color) : Brush(BrushTypeSolidColor), FColor(color) {}
  Brush* Clone() const override { return new SolidBrush(FColor); }
  Status GetColor(Color* color) const;
  Status SetColor(const Color& color);

 private:
  Color FColor;
};

class HatchBrush : public Brush {
 public:
  HatchBrush(HatchStyle hatchStyle, const Color& foreColor, const Color& backColor = Color());
  Brush* Clone() const override;
  HatchStyle GetHatchStyle() const { return FStyle; }
  Status GetForegroundColor(Color* color) const;
  Status GetBackgroundColor(Color* color) const;

 private:
  HatchStyle FStyle;
  Color FFore, FBack;
};

// 8x8 pattern of a hatch style: row r, bit 7 is the leftmost pixel; a set bit
// takes the foreground colour. An unknown style gives all zero.
BYTE HatchPatternRow(HatchStyle style, int row);

class TextureBrush : public Brush {
 public:
  explicit TextureBrush(const Image* image, WrapMode wrapMode = WrapModeTile);
  // The rectangle picks the part of the image that makes the texture.
  TextureBrush(const Image* image, WrapMode wrapMode, const RectF& dstRect);
  TextureBrush(const Image* image, WrapMode wrapMode, const Rect& dstRect);
  TextureBrush(const Image* image, const RectF& dstRect, const ImageAttributes* imageAttributes = nullptr);
  TextureBrush(const Image* image, const Rect& dstRect, const ImageAttributes* imageAttributes = nullptr);
  TextureBrush(const Image* image, WrapMode wrapMode, REAL dstX, REAL dstY, REAL dstWidth, REAL dstHeight);
  TextureBrush(const Image* image, WrapMode wrapMode, INT dstX, INT dstY, INT dstWidth, INT dstHeight);
  ~TextureBrush() override;

  Brush* Clone() const override;
  Status SetTransform(const Matrix* matrix) { return Record(SetMatrix(FTransform, matrix)); }
  Status GetTransform(Matrix* matrix) const { return Record(GetMatrix(FTransform, matrix)); }
  Status ResetTransform() { return FTransform.Reset(); }
  Status MultiplyTransform(const Matrix* matrix, MatrixOrder order = MatrixOrderPrepend);
  Status TranslateTransform(REAL dx, REAL dy, MatrixOrder order = MatrixOrderPrepend);
  Status ScaleTransform(REAL sx, REAL sy, MatrixOrder order = MatrixOrderPrepend);
  Status RotateTransform(REAL angle, MatrixOrder order = MatrixOrderPrepend);
  Status SetWrapMode(WrapMode wrapMode);
  WrapMode GetWrapMode() const { return FWrapMode; }
  // A copy of the texture; it belongs to the caller.
  Image* GetImage() const;

  const Image* Texture() const { return FImage.get(); }
  const Matrix& Transform() const { return FTransform; }

 private:
  TextureBrush();
  void Init(const Image* image, WrapMode wrapMode, const RectF* part, const ImageAttributes* attributes);

  std::unique_ptr<Image> FImage;
  WrapMode FWrapMode = WrapModeTile;
  Matrix FTransform;
};

// Colour ramp shared by the gradient brushes: two end colours shaped by a
// blend, or a preset list of colours; optionally interpolated in linear light.
struct GradientRamp {
  ARGB start = Color::Black, end = Color::White;
  std::vector<REAL> blendFactors, blendPositions;
  std::vector<ARGB> presetColors;
  std::vector<REAL> presetPositions;
  bool gammaCorrection = false;

  // Colour at position t in [0, 1] (0 = start, 1 = end), not premultiplied.
  ARGB At(double t) const;
};

// What both gradient brushes share: the colour ramp and the brush transform.
class GradientBrush : public Brush {
 public:
  Status SetGammaCorrection(bool useGammaCorrection);
  bool GetGammaCorrection() const { return FRamp.gammaCorrection; }
  Status SetBlend(const REAL* blendFactors, const REAL* blendPositions, INT count);
  INT GetBlendCount() const { return INT(FRamp.blendFactors.size()); }
  Status SetInterpolationColors(const Color* presetColors, const REAL* blendPositions, INT count);
  INT GetInterpolationColorCount() const { return INT(FRamp.presetColors.size()); }
  Status GetInterpolationColors(Color* presetColors, REAL* blendPositions, INT count) const;
  Status SetTransform(const Matrix* matrix) { return Record(SetMatrix(FTransform, matrix)); }
  Status GetTransform(Matrix* matrix) const { return Record(GetMatrix(FTransform, matrix)); }
  Status ResetTransform() { return FTransform.Reset(); }
  Status MultiplyTransform(const Matrix* matrix, MatrixOrder order = MatrixOrderPrepend);
  Status TranslateTransform(REAL dx, REAL dy, MatrixOrder order = MatrixOrderPrepend);
  Status ScaleTransform(REAL sx, REAL sy, MatrixOrder order = MatrixOrderPrepend);
  Status RotateTransform(REAL angle, MatrixOrder order = MatrixOrderPrepend);

  // For the renderer.
  const GradientRamp& Ramp() const { return FRamp; }
  const Matrix& Transform() const { return FTransform; }

 protected:
  explicit GradientBrush(BrushType type) : Brush(type) {}

  GradientRamp FRamp;
  Matrix FTransform;
};

class LinearGradientBrush : public GradientBrush {
 public:
  LinearGradientBrush(const PointF& point1, const PointF& point2, const Color& color1, const Color& color2);
  LinearGradientBrush(const Point& point1, const Point& point2, const Color& color1, const Color& color2);
  LinearGradientBrush(const RectF& rect, const Color& color1, const Color& color2, LinearGradientMode mode);
  LinearGradientBrush(const Rect& rect, const Color& color1, const Color& color2, LinearGradientMode mode);
  // The angle is in degrees clockwise from the x axis; scalable means it is
  // taken on the rectangle as if it were a square, then stretched with it.
  LinearGradientBrush(const RectF& rect, const Color& color1, const Color& color2, REAL angle,
                      bool isAngleScalable = false);
  LinearGradientBrush(const Rect& rect, const Color& color1, const Color& color2, REAL angle,
                      bool isAngleScalable = false);

  Brush* Clone() const override;
  Status SetLinearColors(const Color& color1, const Color& color2);
  Status GetLinearColors(Color* colors) const;
  Status GetRectangle(RectF* rect) const;
  Status GetRectangle(Rect* rect) const;
  Status GetBlend(REAL* blendFactors, REAL* blendPositions, INT count) const;
  Status SetWrapMode(WrapMode wrapMode);
  WrapMode GetWrapMode() const { return FWrapMode; }

  // For the renderer: the gradient runs from Start() (t = 0) to End()
  // (t = 1) in a space that Space() maps into brush space, then Transform()
  // into world space.
  PointF Start() const { return FStart; }
  PointF End() const { return FEnd; }
  const Matrix& Space() const { return FSpace; }
  bool IsValid() const { return FValid; }

 private:
  LinearGradientBrush() : GradientBrush(BrushTypeLinearGradient) {}
  void InitPoints(const PointF& p1, const PointF& p2, const Color& c1, const Color& c2);
  void InitRect(const RectF& rect, const Color& c1, const Color& c2, double angle, bool scalable);

  PointF FStart, FEnd;
  Matrix FSpace;
  RectF FRect;
  WrapMode FWrapMode = WrapModeTile;
  bool FValid = true;
};

class PathGradientBrush : public GradientBrush {
 public:
  PathGradientBrush(const PointF* points, INT count, WrapMode wrapMode = WrapModeClamp);
  PathGradientBrush(const Point* points, INT count, WrapMode wrapMode = WrapModeClamp);
  explicit PathGradientBrush(const GraphicsPath* path);

  Brush* Clone() const override;
  Status GetCenterColor(Color* color) const;
  Status SetCenterColor(const Color& color);
  Status GetCenterPoint(PointF* point) const;
  Status GetCenterPoint(Point* point) const;
  Status SetCenterPoint(const PointF& point);
  Status SetCenterPoint(const Point& point);
  INT GetPointCount() const { return INT(FPoints.size()); }
  INT GetSurroundColorCount() const { return INT(FSurround.size()); }
  // count in: colours given; more than the boundary has points is refused.
  Status SetSurroundColors(const Color* colors, INT* count);
  Status GetSurroundColors(Color* colors, INT* count) const;
  Status GetRectangle(RectF* rect) const;
  // Positions run from the boundary (0) to the centre (1).
  Status SetWrapMode(WrapMode wrapMode);
  WrapMode GetWrapMode() const { return FWrapMode; }

  // For the renderer. The ramp runs from the surround colour (0) to the
  // centre colour (1).
  const std::vector<PointF>& Points() const { return FPoints; }
  const std::vector<BYTE>& Types() const { return FTypes; }
  ARGB SurroundColorAt(size_t pointIndex) const;
  ARGB CenterColor() const { return FCenter; }
  PointF CenterPoint() const { return FCenterPoint; }

 private:
  PathGradientBrush() : GradientBrush(BrushTypePathGradient) {}
  void Init(std::vector<PointF> points, std::vector<BYTE> types, WrapMode wrapMode);

  std::vector<PointF> FPoints;
  std::vector<BYTE> FTypes;
  std::vector<ARGB> FSurround{Color::White};
  ARGB FCenter = Color::White;
  PointF FCenterPoint;
  WrapMode FWrapMode = WrapModeClamp;
};

}  // namespace Gdiplus
