// A path as a list of points with a type byte each: figures of lines and
// cubic Bézier segments, with a close mark on a figure's last point.
#pragma once

#include <vector>

#include "platform/gdiplus/GdiPlusTypes.h"

namespace Gdiplus {

class FontFamily;
class Graphics;
class Matrix;
class Pen;
class StringFormat;

enum PathPointType {
  PathPointTypeStart = 0,
  PathPointTypeLine = 1,
  PathPointTypeBezier = 3,
  PathPointTypePathTypeMask = 0x07,
  PathPointTypeDashMode = 0x10,
  PathPointTypePathMarker = 0x20,
  PathPointTypeCloseSubpath = 0x80,
  PathPointTypeBezier3 = 3
};

class GraphicsPath {
 public:
  explicit GraphicsPath(FillMode fillMode = FillModeAlternate);
  GraphicsPath(const PointF* points, const BYTE* types, INT count, FillMode fillMode = FillModeAlternate);
  GraphicsPath(const GraphicsPath&) = delete;
  GraphicsPath& operator=(const GraphicsPath&) = delete;
  ~GraphicsPath() = default;

  GraphicsPath* Clone() const;

  Status Reset();
  FillMode GetFillMode() const { return FFillMode; }
  Status SetFillMode(FillMode fillMode);
  Status StartFigure();
  Status CloseFigure();
  Status CloseAllFigures();

  // Open shapes continue the current figure, joined to it by a line.
  Status AddLine(const PointF& pt1, const PointF& pt2);
  Status AddLine(REAL x1, REAL y1, REAL x2, REAL y2);
  Status AddLine(const Point& pt1, const Point& pt2);
  Status AddLine(INT x1, INT y1, INT x2, INT y2);
  Status AddLines(const PointF* points, INT count);
  Status AddLines(const Point* points, INT count);
  // Angles in degrees, clockwise from the x axis, measured on the ellipse.
  Status AddArc(const RectF& rect, REAL startAngle, REAL sweepAngle);
  Status AddArc(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
  Status AddArc(const Rect& rect, REAL startAngle, REAL sweepAngle);
  Status AddArc(INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle);
  Status AddBezier(const PointF& pt1, const PointF& pt2, const PointF& pt3, const PointF& pt4);
  Status AddBezier(REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4);
  Status AddBezier(const Point& pt1, const Point& pt2, const Point& pt3, const Point& pt4);
  Status AddBezier(INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4);
  Status AddBeziers(const PointF* points, INT count);
  Status AddBeziers(const Point* points, INT count);
  // Cardinal spline through the points; tension 0 gives straight lines.
  Status AddCurve(const PointF* points, INT count);
  Status AddCurve(const PointF* points, INT count, REAL tension);
  Status AddCurve(const PointF* points, INT count, INT offset, INT numberOfSegments, REAL tension);
  Status AddCurve(const Point* points, INT count);
  Status AddCurve(const Point* points, INT count, REAL tension);
  Status AddCurve(const Point* points, INT count, INT offset, INT numberOfSegments, REAL tension);

  // Closed shapes make figures of their own.
  Status AddClosedCurve(const PointF* points, INT count);
  Status AddClosedCurve(const PointF* points, INT count, REAL tension);
  Status AddClosedCurve(const Point* points, INT count);
  Status AddClosedCurve(const Point* points, INT count, REAL tension);
  Status AddRectangle(const RectF& rect);
  Status AddRectangle(const Rect& rect);
  Status AddRectangles(const RectF* rects, INT count);
  Status AddRectangles(const Rect* rects, INT count);
  Status AddEllipse(const RectF& rect);
  Status AddEllipse(REAL x, REAL y, REAL width, REAL height);
  Status AddEllipse(const Rect& rect);
  Status AddEllipse(INT x, INT y, INT width, INT height);
  Status AddPie(const RectF& rect, REAL startAngle, REAL sweepAngle);
  Status AddPie(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
  Status AddPie(const Rect& rect, REAL startAngle, REAL sweepAngle);
  Status AddPie(INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle);
  Status AddPolygon(const PointF* points, INT count);
  Status AddPolygon(const Point* points, INT count);
  Status AddPath(const GraphicsPath* addingPath, bool connect);
  // Outlines of the text laid out as DrawString would lay it out; emSize in
  // world units.
  Status AddString(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                   const RectF& layoutRect, const StringFormat* format);
  Status AddString(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                   const PointF& origin, const StringFormat* format);

  Status Transform(const Matrix* matrix);
  Status Flatten(const Matrix* matrix = nullptr, REAL flatness = 0.25f);
  Status GetBounds(RectF* bounds, const Matrix* matrix = nullptr, const Pen* pen = nullptr) const;
  Status GetBounds(Rect* bounds, const Matrix* matrix = nullptr, const Pen* pen = nullptr) const;
  bool IsVisible(REAL x, REAL y, const Graphics* g = nullptr) const;
  bool IsVisible(const PointF& point, const Graphics* g = nullptr) const {
    return IsVisible(point.X, point.Y, g);
  }

  INT GetPointCount() const { return static_cast<INT>(FPoints.size()); }
  Status GetPathPoints(PointF* points, INT count) const;
  Status GetPathPoints(Point* points, INT count) const;
  Status GetPathTypes(BYTE* types, INT count) const;
  Status GetLastPoint(PointF* lastPoint) const;

  Status GetLastStatus() const;

  // Read access for the renderer.
  const std::vector<PointF>& Points() const { return FPoints; }
  const std::vector<BYTE>& Types() const { return FTypes; }

 private:
  Status Record(Status s) const {
    if (s != Ok) FLastResult = s;
    return s;
  }
  // Appends points of an open shape: the first is a start point, or a line
  // from the current figure's last point.
  void AppendOpen(const std::vector<PointF>& pts, const std::vector<BYTE>& types);
  // Appends a whole closed figure.
  void AppendClosed(const std::vector<PointF>& pts, const std::vector<BYTE>& types);
  Status AddStringImpl(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                       const RectF& layoutRect, const StringFormat* format);

  std::vector<PointF> FPoints;
  std::vector<BYTE> FTypes;
  FillMode FFillMode;
  bool FStartNewFigure = true;
  mutable Status FLastResult = Ok;
};

}  // namespace Gdiplus
