// Graphics: draws on a Qt paint device (an image, a widget's backing store)
// or through a painter that is already active, with the pixel rules of the
// API it stands for: pixel centres on integer coordinates, world transforms,
// clip regions kept on the device, text with measuring padding.
#pragma once

#include <memory>

#include "platform/gdiplus/GdiPlusTypes.h"

class QImage;
class QPaintDevice;
class QPainter;
class QPainterPath;

namespace Gdiplus {

class Brush;
class Font;
class GraphicsPath;
class Image;
class ImageAttributes;
class Matrix;
class Pen;
class Region;
class StringFormat;
struct GraphicsData;

class Graphics {
 public:
  explicit Graphics(QPaintDevice* device);
  explicit Graphics(QImage* image);
  // Borrows a painter that is already active; its state is restored when the
  // graphics goes away.
  explicit Graphics(QPainter* painter);
  // Only bitmaps of non-indexed formats can be drawn on.
  explicit Graphics(Image* image);
  static Graphics* FromImage(Image* image);
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;
  ~Graphics();

  void Flush(FlushIntention intention = FlushIntentionFlush);
  // Hands the paint device out for drawing by other means; until
  // ReleaseHDC the graphics refuses to draw (ObjectBusy).
  QPaintDevice* GetHDC();
  void ReleaseHDC(QPaintDevice* device);

  Status Clear(const Color& color);

  // ---- state
  Status SetSmoothingMode(SmoothingMode smoothingMode);
  SmoothingMode GetSmoothingMode() const;
  Status SetPixelOffsetMode(PixelOffsetMode pixelOffsetMode);
  PixelOffsetMode GetPixelOffsetMode() const;
  Status SetTextRenderingHint(TextRenderingHint newMode);
  TextRenderingHint GetTextRenderingHint() const;
  Status SetTextContrast(UINT contrast);
  UINT GetTextContrast() const;
  Status SetCompositingMode(CompositingMode compositingMode);
  CompositingMode GetCompositingMode() const;
  Status SetCompositingQuality(CompositingQuality compositingQuality);
  CompositingQuality GetCompositingQuality() const;
  Status SetInterpolationMode(InterpolationMode interpolationMode);
  InterpolationMode GetInterpolationMode() const;
  Status SetPageUnit(Unit unit);
  Unit GetPageUnit() const;
  REAL GetDpiX() const;
  REAL GetDpiY() const;
  GraphicsState Save();
  Status Restore(GraphicsState state);

  // ---- transforms
  Status SetTransform(const Matrix* matrix);
  Status GetTransform(Matrix* matrix) const;
  Status ResetTransform();
  Status MultiplyTransform(const Matrix* matrix, MatrixOrder order = MatrixOrderPrepend);
  Status TranslateTransform(REAL dx, REAL dy, MatrixOrder order = MatrixOrderPrepend);
  Status ScaleTransform(REAL sx, REAL sy, MatrixOrder order = MatrixOrderPrepend);
  Status RotateTransform(REAL angle, MatrixOrder order = MatrixOrderPrepend);

  // ---- clipping (kept in device space: later transforms do not move it)
  Status SetClip(const Graphics* g, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const RectF& rect, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const Rect& rect, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const GraphicsPath* path, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const Region* region, CombineMode combineMode = CombineModeReplace);
  Status IntersectClip(const RectF& rect);
  Status IntersectClip(const Rect& rect);
  Status IntersectClip(const Region* region);
  Status ExcludeClip(const RectF& rect);
  Status ExcludeClip(const Rect& rect);
  Status ExcludeClip(const Region* region);
  Status ResetClip();
  Status GetClip(Region* region) const;
  Status GetClipBounds(RectF* rect) const;
  bool IsClipEmpty() const;

  // ---- lines and outlines
  Status DrawLine(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
  Status DrawLine(const Pen* pen, const PointF& pt1, const PointF& pt2);
  Status DrawLine(const Pen* pen, INT x1, INT y1, INT x2, INT y2);
  Status DrawLine(const Pen* pen, const Point& pt1, const Point& pt2);
  Status DrawLines(const Pen* pen, const PointF* points, INT count);
  Status DrawLines(const Pen* pen, const Point* points, INT count);
  Status DrawArc(const Pen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
  Status DrawArc(const Pen* pen, const RectF& rect, REAL startAngle, REAL sweepAngle);
  Status DrawArc(const Pen* pen, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle);
  Status DrawArc(const Pen* pen, const Rect& rect, REAL startAngle, REAL sweepAngle);
  Status DrawBezier(const Pen* pen, const PointF& pt1, const PointF& pt2, const PointF& pt3,
                    const PointF& pt4);
  Status DrawBezier(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4);
  Status DrawBeziers(const Pen* pen, const PointF* points, INT count);
  Status DrawCurve(const Pen* pen, const PointF* points, INT count);
  Status DrawCurve(const Pen* pen, const PointF* points, INT count, REAL tension);
  Status DrawCurve(const Pen* pen, const Point* points, INT count);
  Status DrawCurve(const Pen* pen, const Point* points, INT count, REAL tension);
  Status DrawClosedCurve(const Pen* pen, const PointF* points, INT count);
  Status DrawClosedCurve(const Pen* pen, const PointF* points, INT count, REAL tension);
  Status DrawRectangle(const Pen* pen, const RectF& rect);
  Status DrawRectangle(const Pen* pen, REAL x, REAL y, REAL width, REAL height);
  Status DrawRectangle(const Pen* pen, const Rect& rect);
  Status DrawRectangle(const Pen* pen, INT x, INT y, INT width, INT height);
  Status DrawEllipse(const Pen* pen, const RectF& rect);
  Status DrawEllipse(const Pen* pen, REAL x, REAL y, REAL width, REAL height);
  Status DrawEllipse(const Pen* pen, const Rect& rect);
  Status DrawEllipse(const Pen* pen, INT x, INT y, INT width, INT height);
  Status DrawPie(const Pen* pen, const RectF& rect, REAL startAngle, REAL sweepAngle);
  Status DrawPie(const Pen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
  Status DrawPolygon(const Pen* pen, const PointF* points, INT count);
  Status DrawPolygon(const Pen* pen, const Point* points, INT count);
  Status DrawPath(const Pen* pen, const GraphicsPath* path);

  // ---- fills
  Status FillRectangle(const Brush* brush, const RectF& rect);
  Status FillRectangle(const Brush* brush, REAL x, REAL y, REAL width, REAL height);
  Status FillRectangle(const Brush* brush, const Rect& rect);
  Status FillRectangle(const Brush* brush, INT x, INT y, INT width, INT height);
  Status FillRectangles(const Brush* brush, const RectF* rects, INT count);
  Status FillEllipse(const Brush* brush, const RectF& rect);
  Status FillEllipse(const Brush* brush, REAL x, REAL y, REAL width, REAL height);
  Status FillEllipse(const Brush* brush, const Rect& rect);
  Status FillEllipse(const Brush* brush, INT x, INT y, INT width, INT height);
  Status FillPie(const Brush* brush, const RectF& rect, REAL startAngle, REAL sweepAngle);
  Status FillPie(const Brush* brush, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                 REAL sweepAngle);
  Status FillPolygon(const Brush* brush, const PointF* points, INT count,
                     FillMode fillMode = FillModeAlternate);
  Status FillPolygon(const Brush* brush, const Point* points, INT count,
                     FillMode fillMode = FillModeAlternate);
  Status FillClosedCurve(const Brush* brush, const PointF* points, INT count,
                         FillMode fillMode = FillModeAlternate, REAL tension = 0.5f);
  Status FillPath(const Brush* brush, const GraphicsPath* path);
  Status FillRegion(const Brush* brush, const Region* region);

  // ---- images (at their pixel size when no size is given)
  Status DrawImage(Image* image, INT x, INT y);
  Status DrawImage(Image* image, REAL x, REAL y);
  Status DrawImage(Image* image, const PointF& point);
  Status DrawImage(Image* image, const Point& point);
  Status DrawImage(Image* image, const RectF& rect);
  Status DrawImage(Image* image, REAL x, REAL y, REAL width, REAL height);
  Status DrawImage(Image* image, const Rect& rect);
  Status DrawImage(Image* image, INT x, INT y, INT width, INT height);
  // A part of the image (in pixels: srcUnit UnitPixel) into a rectangle.
  Status DrawImage(Image* image, const RectF& destRect, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight,
                   Unit srcUnit, const ImageAttributes* imageAttributes = nullptr,
                   DrawImageAbort callback = nullptr, void* callbackData = nullptr);
  Status DrawImage(Image* image, const Rect& destRect, INT srcx, INT srcy, INT srcwidth, INT srcheight,
                   Unit srcUnit, const ImageAttributes* imageAttributes = nullptr,
                   DrawImageAbort callback = nullptr, void* callbackData = nullptr);

  // ---- text; length -1 means up to the terminating zero
  Status DrawString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                    const StringFormat* stringFormat, const Brush* brush);
  Status DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                    const StringFormat* stringFormat, const Brush* brush);
  Status DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                    const Brush* brush);
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                       const StringFormat* stringFormat, RectF* boundingBox, INT* codepointsFitted = nullptr,
                       INT* linesFilled = nullptr) const;
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const SizeF& layoutRectSize,
                       const StringFormat* stringFormat, SizeF* size, INT* codepointsFitted = nullptr,
                       INT* linesFilled = nullptr) const;
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                       const StringFormat* stringFormat, RectF* boundingBox) const;
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                       RectF* boundingBox) const;
  Status MeasureString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                       RectF* boundingBox) const;

  Status GetLastStatus() const;

  GraphicsData* Data() const { return FImpl.get(); }

 private:
  Status Record(Status s) const {
    if (s != Ok) FLastResult = s;
    return s;
  }
  Status Ready() const;
  // Shapes in world coordinates.
  Status StrokeShape(const Pen* pen, const QPainterPath& shape, bool hasClosedFigure);
  Status StrokePath(const Pen* pen, const GraphicsPath& path);
  Status FillShape(const Brush* brush, const QPainterPath& shape);
  Status FillPathShape(const Brush* brush, const GraphicsPath& path);
  Status CombineClip(const QPainterPath& devicePath, bool infinite, CombineMode mode);
  Status DrawImageImpl(Image* image, const RectF& dest, const RectF& src, const ImageAttributes* attributes);

  std::unique_ptr<GraphicsData> FImpl;
  mutable Status FLastResult = Ok;
};

}  // namespace Gdiplus
