// Internals of the drawing API shared by its sources (Qt side). Not for use
// outside platform/gdiplus.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTextLayout>
#include <QTransform>
#include <functional>
#include <memory>
#include <vector>

#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/GdiPlusTypes.h"
#include "platform/gdiplus/GraphicsPath.h"
#include "platform/gdiplus/Image.h"
#include "platform/gdiplus/Matrix.h"

class QPaintDevice;

namespace Gdiplus {

class Font;
class StringFormat;

struct ImageData {
  QImage image;  // may wrap the caller's rows (Bitmap with scan0)
  PixelFormat format = PixelFormat32bppARGB;
  GUID rawFormat = ImageFormatMemoryBMP;
};

struct RegionData {
  bool infinite = true;
  QPainterPath path;  // the area when not infinite
};

namespace detail {

QPainterPath InfiniteArea();
void CombineRegion(RegionData& self, const RegionData& other, CombineMode mode);

inline QColor ToQColor(ARGB argb) {
  return QColor::fromRgba(argb);
}

inline QTransform ToQTransform(const Matrix& m) {
  REAL e[6];
  m.GetElements(e);
  return QTransform(e[0], e[1], e[2], e[3], e[4], e[5]);
}

inline void FromQTransform(const QTransform& t, Matrix* m) {
  m->SetElements(REAL(t.m11()), REAL(t.m12()), REAL(t.m21()), REAL(t.m22()), REAL(t.dx()), REAL(t.dy()));
}

QPainterPath ToQPainterPath(const std::vector<PointF>& points, const std::vector<BYTE>& types, FillMode mode);
inline QPainterPath ToQPainterPath(const GraphicsPath& path) {
  return ToQPainterPath(path.Points(), path.Types(), path.GetFillMode());
}

// Figures of a path as polygons. Each polygon point remembers the two path
// points it lies between (and where), so per-point colours can follow.
struct FlatFigure {
  std::vector<PointF> points;
  std::vector<int> fromIndex, toIndex;
  std::vector<float> along;
  bool closed = false;
};
std::vector<FlatFigure> FlattenPath(const std::vector<PointF>& points, const std::vector<BYTE>& types,
                                    double tolerance);

std::vector<PointF> ArcBezierPoints(double x, double y, double width, double height, double startAngle,
                                    double sweepAngle);
std::vector<PointF> CardinalBezierPoints(const PointF* points, INT count, bool closed, REAL tension);
std::vector<BYTE> BezierTypes(size_t pointCount);

// Mixes two unpremultiplied colours, in linear light with gamma correction.
ARGB MixColors(ARGB a, ARGB b, double f, bool gamma);
// Blend factor at a position, from the ramp's blend (identity without one).
double BlendFactor(const GradientRamp& ramp, double t);

// A bitmap over the pixels (ARGB32, premultiplied or not, or RGB32).
Bitmap* MakeBitmap(QImage pixels, PixelFormat reportedFormat);

// 8x8 tile of a hatch style in the two colours.
QImage HatchImage(HatchStyle style, ARGB fore, ARGB back);

// A copy of the pixels with colour adjustments applied, in ARGB32.
QImage ApplyAttributes(const QImage& image, const ImageAttributes::Settings& settings);

// Pixels of a path-gradient brush over a device area: pixel (i, j) of the
// result is device pixel area.topLeft() + (i, j); deviceToBrush maps device
// coordinates (pixel centres at +0.5) into brush space. Outside the brush's
// boundary the result is transparent.
QImage RenderPathGradient(const PathGradientBrush& brush, const QTransform& deviceToBrush, const QRect& area);

// A window-system font for an installed face at an em size in pixels on a
// device of the given resolution.
QFont MakeQFont(const std::string& face, double pixelSize, INT style, double dpi, bool antialias);

// True when the toolkit's font system can be used (an application object
// exists).
bool FontSystemReady();

QString ToQString(const WCHAR* text, INT length);

}  // namespace detail

struct DrawingState {
  QTransform world;
  bool clipInfinite = true;
  QPainterPath clip;
  SmoothingMode smoothing = SmoothingModeNone;
  PixelOffsetMode pixelOffset = PixelOffsetModeDefault;
  TextRenderingHint textHint = TextRenderingHintSystemDefault;
  UINT textContrast = 4;
  CompositingMode compositingMode = CompositingModeSourceOver;
  CompositingQuality compositingQuality = CompositingQualityDefault;
  InterpolationMode interpolation = InterpolationModeBilinear;
  Unit pageUnit = UnitDisplay;
};

// A graphics over a device of its own opens a painter for each drawing
// call and closes it after, so other painters (a canvas drawing text on the
// same bitmap) may use the device between calls. A borrowed painter is
// used as it is.
struct GraphicsData {
  QPaintDevice* device = nullptr;
  std::unique_ptr<QPainter> owned;
  QPainter* painter = nullptr;
  bool borrowed = false;
  bool busy = false;
  // Nesting of drawing calls (a string drawn as a filled shape).
  int openDepth = 0;
  // What a borrowed painter had, or the canvas a graphics draws for: its
  // transform is the device's frame, its clip stays in force under ours.
  QTransform base;
  bool baseClipping = false;
  QPainterPath baseClip;
  // Always 96, as the canvas: sizes in points come out alike on any screen.
  double dpiX = 96, dpiY = 96;
  // Runs after every drawing call (the canvas's change notice).
  std::function<void()> onChanged;

  // Opens the painter for one drawing call; false when the device refuses.
  bool Open();
  void Close();

  DrawingState state;  // clip in device coordinates of the API
  std::vector<std::pair<GraphicsState, DrawingState>> saved;
  GraphicsState nextSaveId = 1;

  bool Antialias() const;
  // The API puts pixel centres on integer coordinates; antialiased drawing in
  // Qt has them at +0.5, so vector shapes move by half a pixel unless the
  // pixel offset mode already asks for that. Aliased drawing needs no shift:
  // Qt's aliased rasteriser already lights the pixels the API does.
  double Shift() const;
  double PageScale() const;
  // World to the API's device coordinates.
  QTransform Device() const;
  // World to Qt's device coordinates, for vector shapes and for pixels.
  QTransform VectorTransform() const;
  QTransform PixelTransform() const;
  QRectF DeviceBounds() const;
  void ApplyState();
  void ApplyClip();
};

// One drawing call's hold on the device.
class PaintScope {
 public:
  explicit PaintScope(GraphicsData& d) : FData(d), FOpen(d.Open()) {}
  ~PaintScope() {
    if (FOpen) FData.Close();
  }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  bool Ok() const { return FOpen; }

 private:
  GraphicsData& FData;
  bool FOpen;
};

namespace detail {

// Text laid out the way DrawString and MeasureString see it.
struct LaidOutText {
  std::unique_ptr<QTextLayout> layout;
  QFont font;
  int visibleLines = 0;
  RectF box;
  INT codepointsFitted = 0;
  bool clip = false;
  QRectF clipRect;
};

Status LayOutText(const WCHAR* string, INT length, const Font& font, const RectF& layoutRect,
                  const StringFormat* format, QPaintDevice* device, double dpi, bool antialias,
                  LaidOutText* out);

// A 96-dpi surface that text is laid out for, whatever the screen's or the
// target's resolution.
QPaintDevice* MetricsDevice();

}  // namespace detail
}  // namespace Gdiplus
