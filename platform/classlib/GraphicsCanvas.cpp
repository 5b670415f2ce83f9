// TCanvas. Every shape is first rasterised, aliased, into a coverage mask
// over its clipped bounding box; the mask is then applied to the surface
// with the pen's raster operation. That keeps the pixel rules of the
// drawing layer exact for every mode: pmNot drawn twice restores the
// surface because both passes cover the very same pixels.

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "platform/classlib/Graphics.h"
#include "platform/classlib/CanvasRecord.h"
#include "platform/classlib/GraphicsCanvasPrivate.h"

namespace {

QRgb ToQRgb(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQRgb(QRgb q) {
  return RGB(qRed(q), qGreen(q), qBlue(q));
}

// The sixteen binary raster operations of the pen, on 24-bit colour.
std::uint32_t Rop2(TPenMode mode, std::uint32_t pen, std::uint32_t dst) {
  switch (mode) {
    case pmBlack:
      return 0;
    case pmWhite:
      return 0xFFFFFF;
    case pmNop:
      return dst;
    case pmNot:
      return ~dst;
    case pmCopy:
      return pen;
    case pmNotCopy:
      return ~pen;
    case pmMergePenNot:
      return pen | ~dst;
    case pmMaskPenNot:
      return pen & ~dst;
    case pmMergeNotPen:
      return ~pen | dst;
    case pmMaskNotPen:
      return ~pen & dst;
    case pmMerge:
      return pen | dst;
    case pmNotMerge:
      return ~(pen | dst);
    case pmMask:
      return pen & dst;
    case pmNotMask:
      return ~(pen & dst);
    case pmXor:
      return pen ^ dst;
    case pmNotXor:
      return ~(pen ^ dst);
  }
  return pen;
}

// Raster operations of CopyRect; P is the brush colour.
std::uint32_t Rop3(TCopyMode mode, std::uint32_t src, std::uint32_t dst, std::uint32_t pat) {
  switch (mode) {
    case cmBlackness:
      return 0;
    case cmWhiteness:
      return 0xFFFFFF;
    case cmDstInvert:
      return ~dst;
    case cmMergeCopy:
      return src & pat;
    case cmMergePaint:
      return ~src | dst;
    case cmNotSrcCopy:
      return ~src;
    case cmNotSrcErase:
      return ~(src | dst);
    case cmPatCopy:
      return pat;
    case cmPatInvert:
      return pat ^ dst;
    case cmPatPaint:
      return pat | ~src | dst;
    case cmSrcAnd:
      return src & dst;
    case cmSrcCopy:
      return src;
    case cmSrcErase:
      return src & ~dst;
    case cmSrcInvert:
      return src ^ dst;
    case cmSrcPaint:
      return src | dst;
  }
  return src;
}

bool UsableFormat(QImage::Format f) {
  return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

QRgb ReadPixel(const QImage& img, int x, int y) {
  const QRgb q = reinterpret_cast<const QRgb*>(img.constScanLine(y))[x];
  if (img.format() == QImage::Format_ARGB32_Premultiplied) return qUnpremultiply(q);
  return q;
}

// Dash patterns of one-pixel pens, in pixels on / off.
const std::vector<int>& DashPattern(TPenStyle style) {
  static const std::vector<int> none;
  static const std::vector<int> dash{18, 6};
  static const std::vector<int> dot{3, 3};
  static const std::vector<int> dashDot{9, 6, 3, 6};
  static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
  switch (style) {
    case psDash:
      return dash;
    case psDot:
      return dot;
    case psDashDot:
      return dashDot;
    case psDashDotDot:
      return dashDotDot;
    default:
      return none;
  }
}

// Walks a dash pattern pixel by pixel.
class DashWalker {
 public:
  explicit DashWalker(const std::vector<int>& pattern) : FPattern(pattern) {}
  bool Next() {
    if (FPattern.empty()) return true;
    const bool on = (FIndex % 2) == 0;
    if (++FStep >= FPattern[FIndex]) {
      FStep = 0;
      FIndex = (FIndex + 1) % FPattern.size();
    }
    return on;
  }

 private:
  const std::vector<int>& FPattern;
  std::size_t FIndex = 0;
  int FStep = 0;
};

bool HatchHit(TBrushStyle style, int x, int y) {
  const bool h = (y & 7) == 0;
  const bool v = (x & 7) == 0;
  const bool f = ((x - y) & 7) == 0;
  const bool b = ((x + y) & 7) == 0;
  switch (style) {
    case bsHorizontal:
      return h;
    case bsVertical:
      return v;
    case bsFDiagonal:
      return f;
    case bsBDiagonal:
      return b;
    case bsCross:
      return h || v;
    case bsDiagCross:
      return f || b;
    default:
      return true;
  }
}

// Coverage of one primitive over a box of the surface.
class Mask {
 public:
  explicit Mask(const QRect& box)
      : FBox(box), FBits(static_cast<std::size_t>(box.width()) * box.height(), 0) {}
  const QRect& Box() const { return FBox; }
  bool Empty() const { return FBox.isEmpty(); }
  void Set(int x, int y) {
    if (FBox.contains(x, y)) FBits[Index(x, y)] = 1;
  }
  void Clear(int x, int y) {
    if (FBox.contains(x, y)) FBits[Index(x, y)] = 0;
  }
  bool Get(int x, int y) const { return FBox.contains(x, y) && FBits[Index(x, y)] != 0; }
  // Rasterises whatever `paint` draws (in surface coordinates) into the mask.
  template <typename F>
  void Paint(F&& paint) {
    if (FBox.isEmpty()) return;
    QImage img(FBox.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(0);
    {
      QPainter p(&img);
      p.setRenderHint(QPainter::Antialiasing, false);
      p.translate(-FBox.left(), -FBox.top());
      paint(p);
    }
    for (int y = 0; y < img.height(); ++y) {
      const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
      for (int x = 0; x < img.width(); ++x) {
        if (qAlpha(line[x]) != 0) FBits[static_cast<std::size_t>(y) * FBox.width() + x] = 1;
      }
    }
  }
  // Removes from this mask every pixel set in `other`.
  void Subtract(const Mask& other) {
    for (int y = FBox.top(); y <= FBox.bottom(); ++y)
      for (int x = FBox.left(); x <= FBox.right(); ++x)
        if (other.Get(x, y)) FBits[Index(x, y)] = 0;
  }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y - FBox.top()) * FBox.width() + (x - FBox.left());
  }
  QRect FBox;
  std::vector<std::uint8_t> FBits;
};

// Bresenham from (x0, y0) towards (x1, y1), the last point left out.
template <typename F>
void WalkLine(int x0, int y0, int x1, int y1, F&& plot) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    plot(x0, y0);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

QRect Normalised(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  return QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
}

QPen MaskPen(const TPen& pen) {
  QPen p(Qt::white);
  if (pen.GetWidth() <= 1) {
    p.setWidth(0);  // cosmetic: exactly one pixel
    const std::vector<int>& dashes = DashPattern(pen.GetStyle());
    if (!dashes.empty()) {
      QList<qreal> qd;
      for (int d : dashes) qd << d;
      p.setDashPattern(qd);
    }
  } else {
    p.setWidth(pen.GetWidth());
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
  }
  return p;
}

bool PenVisible(const TPen& pen) {
  return pen.GetStyle() != psClear && pen.GetMode() != pmNop;
}

}  // namespace

// ---------------------------------------------------------------- surface

TCanvas::TCanvas()
    : Pen(std::make_unique<TPen>()),
      Brush(std::make_unique<TBrush>()),
      Font(std::make_unique<TFont>()),
      FState(std::make_unique<CanvasState>()) {
  // The background of dashed and hatched drawing follows the brush.
  Brush->OnChange = [this](TGraphicsObject*) {
    FState->bkMode = Brush->GetStyle() == bsSolid ? OPAQUE : TRANSPARENT;
    FState->bkColor = Brush->GetColor();
  };
}

TCanvas::TCanvas(QImage* image) : TCanvas() {
  SetImage(image);
}

TCanvas::~TCanvas() {
  Brush->OnChange = nullptr;
}

void TCanvas::SetImage(QImage* image) {
  FImage = image;
  if (FImage && !FImage->isNull() && !UsableFormat(FImage->format())) {
    *FImage = FImage->convertToFormat(FImage->hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                : QImage::Format_RGB32);
  }
}

bool TCanvas::HasSurface() const {
  if (FImage && FImage->isNull() && OnSurfaceNeeded) OnSurfaceNeeded();
  return FImage && !FImage->isNull();
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

namespace {

// The surface's pixels while one primitive draws.
struct Surface {
  QImage* img = nullptr;
  QRect clip;  // inclusive QRect, already inside the image
  uchar* bits = nullptr;
  qsizetype bytesPerLine = 0;
  bool premultiplied = false;
  bool alpha = false;
  // For a clip that is not one rectangle: one byte per pixel of `clip`.
  std::shared_ptr<const std::vector<std::uint8_t>> maskHold;
  const std::uint8_t* mask = nullptr;

  bool Ok() const { return img && !clip.isEmpty(); }
  // `state` keeps the mask of a complex clip between calls.
  void Bind(QImage* image, const QRegion& region, CanvasState& state) {
    img = image;
    clip = region.boundingRect();
    bits = image->bits();  // detaches once, not per pixel
    bytesPerLine = image->bytesPerLine();
    premultiplied = image->format() == QImage::Format_ARGB32_Premultiplied;
    alpha = image->hasAlphaChannel();
    if (region.rectCount() <= 1) return;
    if (!state.mask || state.maskSurface != image->rect()) {
      auto bytes = std::make_shared<std::vector<std::uint8_t>>(
          static_cast<std::size_t>(clip.width()) * clip.height(), 0);
      for (const QRect& r : region)
        for (int y = r.top(); y <= r.bottom(); ++y)
          std::fill_n(bytes->begin() + MaskIndex(r.left(), y), r.width(), std::uint8_t{1});
      state.mask = std::move(bytes);
      state.maskSurface = image->rect();
    }
    maskHold = state.mask;
    mask = maskHold->data();
  }
  std::size_t MaskIndex(int x, int y) const {
    return static_cast<std::size_t>(y - clip.top()) * clip.width() + (x - clip.left());
  }
  bool Inside(int x, int y) const { return clip.contains(x, y) && (!mask || mask[MaskIndex(x, y)]); }
  // Makes one pixel (inside the clip rectangle) fully transparent.
  void Clear(int x, int y) {
    if (mask && !mask[MaskIndex(x, y)]) return;
    reinterpret_cast<QRgb*>(bits + y * bytesPerLine)[x] = 0;
  }
  // Writes one pixel (inside the clip rectangle) with a raster operation;
  // results are opaque. Pixels outside a complex clip are left alone.
  void Put(int x, int y, TPenMode mode, std::uint32_t colour) {
    if (mask && !mask[MaskIndex(x, y)]) return;
    QRgb* p = reinterpret_cast<QRgb*>(bits + y * bytesPerLine) + x;
    if (mode == pmCopy) {
      *p = 0xFF000000u | colour;
      return;
    }
    const std::uint32_t dst = (premultiplied ? qUnpremultiply(*p) : *p) & 0xFFFFFF;
    *p = 0xFF000000u | (Rop2(mode, colour, dst) & 0xFFFFFF);
  }
};

// Pixel offsets of a round pen tip of the given width.
std::vector<QPoint> PenTip(int width) {
  std::vector<QPoint> tip;
  const int lo = -(width / 2), hi = lo + width - 1;
  const double c = (lo + hi) / 2.0, r2 = (width / 2.0) * (width / 2.0) + 1e-9;
  for (int dy = lo; dy <= hi; ++dy)
    for (int dx = lo; dx <= hi; ++dx)
      if ((dx - c) * (dx - c) + (dy - c) * (dy - c) <= r2) tip.emplace_back(dx, dy);
  return tip;
}

}  // namespace

// The canvas state a primitive reads, gathered once.
class CanvasDraw {
 public:
  explicit CanvasDraw(TCanvas& c) : FCanvas(c) {
    if (c.HasSurface()) {
      const QRegion region = c.ClipRegion();
      if (!region.isEmpty()) FSurface.Bind(c.GetImage(), region, *c.FState);
    }
  }
  bool Ok() const { return FSurface.Ok(); }
  QRect Clip(const QRect& box) const { return box.intersected(FSurface.clip); }

  std::uint32_t PenColour() const { return ToQRgb(FCanvas.Pen->GetColor()) & 0xFFFFFF; }
  // The gaps of dashed pens and hatches are filled only in OPAQUE mode.
  bool OpaqueGaps() const { return FCanvas.FState->bkMode == OPAQUE; }
  std::uint32_t BkColour() const { return ToQRgb(FCanvas.FState->bkColor) & 0xFFFFFF; }

  void ApplyPenMask(const Mask& m) {
    const TPenMode mode = FCanvas.Pen->GetMode();
    const std::uint32_t colour = PenColour();
    const QRect& b = m.Box();
    for (int y = b.top(); y <= b.bottom(); ++y)
      for (int x = b.left(); x <= b.right(); ++x)
        if (m.Get(x, y)) FSurface.Put(x, y, mode, colour);
  }

  // Brush fill of the pixels `covered` says; `useRop` applies the pen's
  // mode as shapes do (FillRect and FrameRect do not).
  template <typename Covered>
  void Brush(const QRect& box, bool useRop, Covered&& covered) {
    const TBrush& brush = *FCanvas.Brush;
    if (brush.GetStyle() == bsClear) return;
    const TPenMode mode = useRop ? FCanvas.Pen->GetMode() : pmCopy;
    const std::uint32_t colour = ToQRgb(brush.GetColor()) & 0xFFFFFF;
    const TBitmap* pattern = brush.GetBitmap();
    const QImage* pat = pattern && !pattern->GetEmpty() ? &pattern->GetImage() : nullptr;
    const TBrushStyle style = brush.GetStyle();
    // A clNone brush on a surface with alpha clears to transparent.
    const bool clear = !pat && style == bsSolid && brush.GetColor() == clNone && FSurface.alpha;
    const bool gaps = OpaqueGaps();
    const std::uint32_t back = BkColour();
    for (int y = box.top(); y <= box.bottom(); ++y) {
      for (int x = box.left(); x <= box.right(); ++x) {
        if (!covered(x, y)) continue;
        if (clear) {
          FSurface.Clear(x, y);
        } else if (pat) {
          FSurface.Put(x, y, mode, ReadPixel(*pat, x % pat->width(), y % pat->height()) & 0xFFFFFF);
        } else if (style == bsSolid || HatchHit(style, x, y)) {
          FSurface.Put(x, y, mode, colour);
        } else if (gaps) {
          FSurface.Put(x, y, mode, back);
        }
      }
    }
  }
  void ApplyBrushMask(const Mask& m, bool useRop) {
    Brush(m.Box(), useRop, [&](int x, int y) { return m.Get(x, y); });
  }

  // Pen strokes of a one-pixel line run from (x0,y0) to (x1,y1), end
  // excluded; the gaps of a dashed pen go to `gaps`.
  void LineRun(Mask& m, Mask& gaps, int x0, int y0, int x1, int y1, DashWalker& dash) {
    WalkLine(x0, y0, x1, y1, [&](int x, int y) {
      if (dash.Next())
        m.Set(x, y);
      else
        gaps.Set(x, y);
    });
  }
  // The gaps of a dashed outline, in the background colour when OPAQUE.
  void ApplyGapMask(const Mask& gaps) {
    if (!OpaqueGaps() || gaps.Empty()) return;
    const TPenMode mode = FCanvas.Pen->GetMode();
    const std::uint32_t colour = BkColour();
    const QRect& b = gaps.Box();
    for (int y = b.top(); y <= b.bottom(); ++y)
      for (int x = b.left(); x <= b.right(); ++x)
        if (gaps.Get(x, y)) FSurface.Put(x, y, mode, colour);
  }

  QRect ShapeBox(const QRect& shape) const {
    const int w = FCanvas.Pen->GetWidth();
    return Clip(shape.adjusted(-w, -w, w, w));
  }

  TCanvas& FCanvas;
  Surface FSurface{};
};

// ---------------------------------------------------------------- lines

namespace {

// A recorded call of a point list: the points mapped, then the call.
TCanvasCall PointsCall(const TPoint* logical, int count, void (TCanvas::*draw)(const TPoint*, int)) {
  return [pts = std::vector<TPoint>(logical, logical + count), draw](TCanvas& c, const TReplayMap& m) {
    std::vector<TPoint> q(pts);
    for (TPoint& p : q) p = m.P(p);
    (c.*draw)(q.data(), static_cast<int>(q.size()));
  };
}

}  // namespace

void TCanvas::MoveTo(int x, int y) {
  FPenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
  const TPoint line[2] = {FPenPos, {x, y}};
  FPenPos = {x, y};
  Polyline(line, 2);
}

namespace {

std::vector<TPoint> Offset(const TPoint* points, int count, TPoint by) {
  std::vector<TPoint> out(points, points + std::max(count, 0));
  for (TPoint& p : out) p = {p.X + by.X, p.Y + by.Y};
  return out;
}

}  // namespace

void TCanvas::Polyline(const TPoint* logical, int count) {
  CanvasRecordScope rec(*this);
  if (rec && count > 0) rec.Add(PointsCall(logical, count, &TCanvas::Polyline));
  CanvasDraw d(*this);
  if (!d.Ok() || count < 2 || !PenVisible(*Pen)) return;
  const std::vector<TPoint> device = Offset(logical, count, DeviceOffset());
  const TPoint* points = device.data();
  const TPenMode mode = Pen->GetMode();
  const std::uint32_t colour = d.PenColour();
  if (Pen->GetWidth() <= 1) {
    // Straight onto the surface: each segment leaves out its last point,
    // so no pixel of a polyline is visited twice at a joint.
    DashWalker dash(DashPattern(Pen->GetStyle()));
    const bool gaps = d.OpaqueGaps();
    const std::uint32_t back = d.BkColour();
    const QRect& clip = d.FSurface.clip;
    for (int i = 1; i < count; ++i) {
      WalkLine(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y, [&](int x, int y) {
        const bool on = dash.Next();
        if (!clip.contains(x, y)) return;
        if (on)
          d.FSurface.Put(x, y, mode, colour);
        else if (gaps)
          d.FSurface.Put(x, y, mode, back);
      });
    }
    Changed();
    return;
  }
  // Wide pens: a round tip swept along the lines, both ends included. A
  // mode that gives the same result when repeated stamps straight onto the
  // surface; the others go through a mask so each pixel is touched once.
  const std::vector<QPoint> tip = PenTip(Pen->GetWidth());
  if (mode == pmCopy || mode == pmNotCopy || mode == pmBlack || mode == pmWhite) {
    const QRect& clip = d.FSurface.clip;
    auto put = [&](int x, int y) {
      for (const QPoint& o : tip)
        if (clip.contains(x + o.x(), y + o.y())) d.FSurface.Put(x + o.x(), y + o.y(), mode, colour);
    };
    for (int i = 1; i < count; ++i) WalkLine(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y, put);
    put(points[count - 1].X, points[count - 1].Y);
    Changed();
    return;
  }
  int minX = points[0].X, maxX = minX, minY = points[0].Y, maxY = minY;
  for (int i = 1; i < count; ++i) {
    minX = std::min(minX, points[i].X);
    maxX = std::max(maxX, points[i].X);
    minY = std::min(minY, points[i].Y);
    maxY = std::max(maxY, points[i].Y);
  }
  const QRect box = d.ShapeBox(QRect(QPoint(minX, minY), QPoint(maxX, maxY)));
  if (box.isEmpty()) return;
  Mask m(box);
  auto stamp = [&](int x, int y) {
    for (const QPoint& o : tip) m.Set(x + o.x(), y + o.y());
  };
  for (int i = 1; i < count; ++i) WalkLine(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y, stamp);
  stamp(points[count - 1].X, points[count - 1].Y);
  d.ApplyPenMask(m);
  Changed();
}

// ---------------------------------------------------------------- shapes

namespace {

// Draws a closed shape: `fill` paints its interior, `outline` its pen
// stroke, both into masks; the interior loses the pixels of the outline so
// that every pixel gets one operation.
template <typename Fill, typename Outline>
void DrawShape(CanvasDraw& d, const QRect& shape, Fill&& fill, Outline&& outline) {
  const QRect box = d.ShapeBox(shape);
  if (box.isEmpty()) return;
  const bool pen = PenVisible(*d.FCanvas.Pen);
  const bool brush = d.FCanvas.Brush->GetStyle() != bsClear;
  Mask stroke(box), gaps(box);
  if (pen) outline(stroke, gaps);
  if (brush) {
    Mask inside(box);
    fill(inside);
    inside.Subtract(stroke);
    inside.Subtract(gaps);
    d.ApplyBrushMask(inside, true);
  }
  if (pen) {
    d.ApplyPenMask(stroke);
    d.ApplyGapMask(gaps);
  }
}

}  // namespace

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  CanvasRecordScope rec(*this);
  if (rec) rec.Add([=](TCanvas& c, const TReplayMap& m) { c.Rectangle(m.X(x1), m.Y(y1), m.X(x2), m.Y(y2)); });
  CanvasDraw d(*this);
  const TPoint o = DeviceOffset();
  const QRect r = Normalised(x1 + o.X, y1 + o.Y, x2 + o.X, y2 + o.Y);
  if (!d.Ok() || r.isEmpty()) return;
  const int w = Pen->GetWidth();
  DrawShape(
      d, r,
      [&](Mask& m) {
        for (int y = r.top(); y <= r.bottom(); ++y)
          for (int x = r.left(); x <= r.right(); ++x) m.Set(x, y);
      },
      [&](Mask& m, Mask& gaps) {
        if (w <= 1) {
          DashWalker dash(DashPattern(Pen->GetStyle()));
          const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
          if (l == rr || t == b) {
            for (int y = t; y <= b; ++y)
              for (int x = l; x <= rr; ++x) (dash.Next() ? m : gaps).Set(x, y);
            return;
          }
          d.LineRun(m, gaps, l, t, rr, t, dash);
          d.LineRun(m, gaps, rr, t, rr, b, dash);
          d.LineRun(m, gaps, rr, b, l, b, dash);
          d.LineRun(m, gaps, l, b, l, t, dash);
        } else {
          QRectF path(r.left() + 0.5, r.top() + 0.5, r.width() - 1, r.height() - 1);
          if (Pen->GetStyle() == psInsideFrame)
            path.adjust(w / 2.0 - 0.5, w / 2.0 - 0.5, 0.5 - w / 2.0, 0.5 - w / 2.0);
          QPainterPath pp;
          pp.addRect(path);
          QPen pen = MaskPen(*Pen);
          pen.setJoinStyle(Qt::MiterJoin);
          m.Paint([&](QPainter& p) {
            p.setPen(pen);
            p.drawPath(pp);
          });
        }
      });
  Changed();
}

namespace {

// Angular sector of an arc or pie, counter-clockwise as seen on screen.
struct Sector {
  double cx = 0, cy = 0, start = 0, sweep = 360;
  bool Contains(double px, double py) const {
    if (sweep >= 360) return true;
    const double dx = px - cx, dy = cy - py;
    if (dx == 0 && dy == 0) return true;
    double a = std::atan2(dy, dx) * 180.0 / M_PI - start;
    while (a < 0) a += 360;
    while (a >= 360) a -= 360;
    return a <= sweep;
  }
};

}  // namespace

InsideTest EllipseTest(const QRect& r) {
  const double cx = r.left() + r.width() / 2.0, cy = r.top() + r.height() / 2.0;
  const double a0 = r.width() / 2.0, b0 = r.height() / 2.0;
  return [=](double px, double py, double g) {
    const double a = a0 + g, b = b0 + g;
    if (a <= 0 || b <= 0) return false;
    const double u = (px - cx) / a, v = (py - cy) / b;
    return u * u + v * v <= 1.0 + 1e-9;
  };
}

InsideTest RoundRectTest(const QRect& r, int cornerW, int cornerH) {
  const double l = r.left(), t = r.top(), rr = r.left() + r.width(), b = r.top() + r.height();
  const double rx = std::min(std::abs(cornerW) / 2.0, r.width() / 2.0);
  const double ry = std::min(std::abs(cornerH) / 2.0, r.height() / 2.0);
  return [=](double px, double py, double g) {
    if (px < l - g || px > rr + g || py < t - g || py > b + g) return false;
    if (rx <= 0 || ry <= 0) return true;
    const double ccx = px < l + rx ? l + rx : px > rr - rx ? rr - rx : px;
    const double ccy = py < t + ry ? t + ry : py > b - ry ? b - ry : py;
    if (ccx == px || ccy == py) return true;  // not in a corner
    const double a = rx + g, bb = ry + g;
    if (a <= 0 || bb <= 0) return false;
    const double u = (px - ccx) / a, v = (py - ccy) / bb;
    return u * u + v * v <= 1.0 + 1e-9;
  };
}

QRegion RegionFromTest(const QRect& box, const InsideTest& inside) {
  QRegion out;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    int run = -1;
    for (int x = box.left(); x <= box.right() + 1; ++x) {
      const bool in = x <= box.right() && inside(x + 0.5, y + 0.5, 0);
      if (in && run < 0) run = x;
      if (!in && run >= 0) {
        out += QRect(run, y, x - run, 1);
        run = -1;
      }
    }
  }
  return out;
}

namespace {

// Splits the box into outline and interior pixels of the shape. A one-pixel
// pen takes the shape's border pixels (those with a 4-neighbour outside);
// a wider pen is centred on the line through those pixels' centres.
void CurveMasks(const InsideTest& inside, const Sector* sector, int penWidth, Mask& outline, Mask& interior) {
  const QRect& box = outline.Box();
  auto in = [&](double px, double py, double g) {
    return inside(px, py, g) && (!sector || sector->Contains(px, py));
  };
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      const double px = x + 0.5, py = y + 0.5;
      if (penWidth <= 1) {
        if (!in(px, py, 0)) continue;
        const bool border =
            !in(px - 1, py, 0) || !in(px + 1, py, 0) || !in(px, py - 1, 0) || !in(px, py + 1, 0);
        (border ? outline : interior).Set(x, y);
      } else {
        const double half = penWidth / 2.0;
        if (in(px, py, -0.5 - half)) {
          interior.Set(x, y);
        } else if (in(px, py, -0.5 + half)) {
          outline.Set(x, y);
        }
      }
    }
  }
}

Sector MakeSector(const QRect& r, int x3, int y3, int x4, int y4) {
  Sector s;
  s.cx = r.left() + r.width() / 2.0;
  s.cy = r.top() + r.height() / 2.0;
  auto angle = [&](int x, int y) {
    const double dx = x - s.cx, dy = s.cy - y;
    return (dx == 0 && dy == 0) ? 0.0 : std::atan2(dy, dx) * 180.0 / M_PI;
  };
  s.start = angle(x3, y3);
  double sweep = angle(x4, y4) - s.start;
  while (sweep <= 0) sweep += 360;
  while (sweep > 360) sweep -= 360;
  s.sweep = sweep;
  return s;
}

}  // namespace

// Draws a curved closed shape: the interior with the brush, the outline with the pen.
static void DrawCurved(CanvasDraw& d, const QRect& r, const InsideTest& inside, const Sector* sector,
                       bool fill) {
  const TPen& pen = *d.FCanvas.Pen;
  const QRect box = d.ShapeBox(r);
  if (box.isEmpty()) return;
  Mask outline(box), interior(box);
  CurveMasks(inside, sector, pen.GetWidth(), outline, interior);
  const bool penOn = PenVisible(pen);
  if (fill && d.FCanvas.Brush->GetStyle() != bsClear) {
    if (!penOn) {  // no outline: its pixels belong to the interior
      const QRect& b = outline.Box();
      for (int y = b.top(); y <= b.bottom(); ++y)
        for (int x = b.left(); x <= b.right(); ++x)
          if (outline.Get(x, y) && inside(x + 0.5, y + 0.5, 0)) interior.Set(x, y);
    }
    d.ApplyBrushMask(interior, true);
  }
  if (penOn) d.ApplyPenMask(outline);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  CanvasRecordScope rec(*this);
  if (rec) rec.Add([=](TCanvas& c, const TReplayMap& m) { c.Ellipse(m.X(x1), m.Y(y1), m.X(x2), m.Y(y2)); });
  CanvasDraw d(*this);
  const TPoint o = DeviceOffset();
  const QRect r = Normalised(x1 + o.X, y1 + o.Y, x2 + o.X, y2 + o.Y);
  if (!d.Ok() || r.isEmpty()) return;
  DrawCurved(d, r, EllipseTest(r), nullptr, true);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  CanvasRecordScope rec(*this);
  if (rec)
    rec.Add([=](TCanvas& c, const TReplayMap& m) {
      c.RoundRect(m.X(x1), m.Y(y1), m.X(x2), m.Y(y2), m.W(x3), m.H(y3));
    });
  CanvasDraw d(*this);
  const TPoint o = DeviceOffset();
  const QRect r = Normalised(x1 + o.X, y1 + o.Y, x2 + o.X, y2 + o.Y);
  if (!d.Ok() || r.isEmpty()) return;
  DrawCurved(d, r, RoundRectTest(r, x3, y3), nullptr, true);
  Changed();
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  CanvasRecordScope rec(*this);
  if (rec)
    rec.Add([=](TCanvas& c, const TReplayMap& m) {
      c.Arc(m.X(x1), m.Y(y1), m.X(x2), m.Y(y2), m.X(x3), m.Y(y3), m.X(x4), m.Y(y4));
    });
  CanvasDraw d(*this);
  const TPoint o = DeviceOffset();
  const QRect r = Normalised(x1 + o.X, y1 + o.Y, x2 + o.X, y2 + o.Y);
  if (!d.Ok() || r.isEmpty() || !PenVisible(*Pen)) return;
  const QRect box = d.ShapeBox(r);
  if (box.isEmpty()) return;
  // The ellipse's own outline, kept where it lies in the sector.
  const Sector sector = MakeSector(r, x3 + o.X, y3 + o.Y, x4 + o.X, y4 + o.Y);
  Mask outline(box), interior(box);
  CurveMasks(EllipseTest(r), nullptr, Pen->GetWidth(), outline, interior);
  Mask arc(box);
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x)
      if (outline.Get(x, y) && sector.Contains(x + 0.5, y + 0.5)) arc.Set(x, y);
  d.ApplyPenMask(arc);
  Changed();
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  CanvasRecordScope rec(*this);
  if (rec)
    rec.Add([=](TCanvas& c, const TReplayMap& m) {
      c.Pie(m.X(x1), m.Y(y1), m.X(x2), m.Y(y2), m.X(x3), m.Y(y3), m.X(x4), m.Y(y4));
    });
  CanvasDraw d(*this);
  const TPoint o = DeviceOffset();
  const QRect r = Normalised(x1 + o.X, y1 + o.Y, x2 + o.X, y2 + o.Y);
  if (!d.Ok() || r.isEmpty()) return;
  const Sector sector = MakeSector(r, x3 + o.X, y3 + o.Y, x4 + o.X, y4 + o.Y);
  DrawCurved(d, r, EllipseTest(r), &sector, true);
  Changed();
}

void TCanvas::Polygon(const TPoint* logical, int count) {
  CanvasRecordScope rec(*this);
  if (rec && count > 0) rec.Add(PointsCall(logical, count, &TCanvas::Polygon));
  CanvasDraw d(*this);
  if (!d.Ok() || count < 2) return;
  const std::vector<TPoint> device = Offset(logical, count, DeviceOffset());
  const TPoint* points = device.data();
  int minX = points[0].X, maxX = minX, minY = points[0].Y, maxY = minY;
  QPolygonF fillPoly;
  for (int i = 0; i < count; ++i) {
    minX = std::min(minX, points[i].X);
    maxX = std::max(maxX, points[i].X);
    minY = std::min(minY, points[i].Y);
    maxY = std::max(maxY, points[i].Y);
    fillPoly << QPointF(points[i].X, points[i].Y);
  }
  const QRect shape(QPoint(minX, minY), QPoint(maxX, maxY));
  DrawShape(
      d, shape,
      [&](Mask& m) {
        // Pixel centres inside the polygon: its right and bottom edges stay out.
        m.Paint([&](QPainter& p) {
          p.setPen(Qt::NoPen);
          p.setBrush(Qt::white);
          p.drawPolygon(fillPoly, Qt::OddEvenFill);
        });
      },
      [&](Mask& m, Mask& gaps) {
        if (Pen->GetWidth() <= 1) {
          DashWalker dash(DashPattern(Pen->GetStyle()));
          for (int i = 0; i < count; ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % count];
            d.LineRun(m, gaps, a.X, a.Y, b.X, b.Y, dash);
          }
        } else {
          const std::vector<QPoint> tip = PenTip(Pen->GetWidth());
          auto stamp = [&](int x, int y) {
            for (const QPoint& o : tip) m.Set(x + o.x(), y + o.y());
          };
          for (int i = 0; i < count; ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % count];
            WalkLine(a.X, a.Y, b.X, b.Y, stamp);
          }
        }
      });
  Changed();
}

// ---------------------------------------------------------------- brush-only fills

void TCanvas::FillRect(const TRect& logical) {
  CanvasRecordScope rec(*this);
  if (rec) rec.Add([=](TCanvas& c, const TReplayMap& m) { c.FillRect(m.R(logical)); });
  CanvasDraw d(*this);
  const TRect r = OffsetRect(logical, DeviceOffset().X, DeviceOffset().Y);
  if (!d.Ok() || r.IsEmpty()) return;
  const QRect box = d.Clip(QRect(r.Left, r.Top, r.Width(), r.Height()));
  if (box.isEmpty()) return;
  d.Brush(box, false, [](int, int) { return true; });
  Changed();
}

void TCanvas::FrameRect(const TRect& logical) {
  CanvasRecordScope rec(*this);
  if (rec) rec.Add([=](TCanvas& c, const TReplayMap& m) { c.FrameRect(m.R(logical)); });
  CanvasDraw d(*this);
  const TRect r = OffsetRect(logical, DeviceOffset().X, DeviceOffset().Y);
  if (!d.Ok() || r.IsEmpty()) return;
  const QRect box = d.Clip(QRect(r.Left, r.Top, r.Width(), r.Height()));
  if (box.isEmpty()) return;
  d.Brush(box, false,
          [&](int x, int y) { return x == r.Left || x == r.Right - 1 || y == r.Top || y == r.Bottom - 1; });
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& logical) {
  CanvasRecordScope rec(*this);
  if (rec) rec.Add([=](TCanvas& c, const TReplayMap& m) { c.DrawFocusRect(m.R(logical)); });
  CanvasDraw d(*this);
  const TRect r = OffsetRect(logical, DeviceOffset().X, DeviceOffset().Y);
  if (!d.Ok() || r.IsEmpty()) return;
  const QRect box = d.Clip(QRect(r.Left, r.Top, r.Width(), r.Height()));
  if (box.isEmpty()) return;
  Mask m(box);
  auto dot = [&](int x, int y) {
    if (((x + y) & 1) == 0) m.Set(x, y);
  };
  for (int x = r.Left; x < r.Right; ++x) {
    dot(x, r.Top);
    if (r.Bottom - 1 != r.Top) dot(x, r.Bottom - 1);
  }
  for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
    dot(r.Left, y);
    if (r.Right - 1 != r.Left) dot(r.Right - 1, y);
  }
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x)
      if (m.Get(x, y)) d.FSurface.Put(x, y, pmNot, 0);
  Changed();
}

// ---------------------------------------------------------------- pixels

TColor TCanvas::GetPixels(int x, int y) const {
  const TPoint o = DeviceOffset();
  x += o.X;
  y += o.Y;
  if (!HasSurface() || !FImage->rect().contains(x, y)) return clNone;
  return FromQRgb(ReadPixel(*FImage, x, y));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
  CanvasRecordScope rec(*this);
  if (rec)
    rec.Add([=](TCanvas& c, const TReplayMap& m) {
      c.Brush->SetColor(color);
      c.Brush->SetStyle(bsSolid);
      c.FillRect({m.X(x), m.Y(y), m.X(x + 1), m.Y(y + 1)});
    });
  CanvasDraw d(*this);
  const TPoint o = DeviceOffset();
  x += o.X;
  y += o.Y;
  if (!d.Ok() || !d.FSurface.Inside(x, y)) return;
  reinterpret_cast<QRgb*>(d.FSurface.bits + y * d.FSurface.bytesPerLine)[x] = ToQRgb(color);
  Changed();
}

// ---------------------------------------------------------------- edges

namespace {

// The two colours (top-left, bottom-right) of each half of an edge.
struct EdgeColours {
  unsigned bit;
  TColor topLeft, bottomRight;
};
constexpr EdgeColours kOuterEdges[] = {{BDR_RAISEDOUTER, cl3DLight, cl3DDkShadow},
                                       {BDR_SUNKENOUTER, clBtnShadow, clBtnHighlight}};
constexpr EdgeColours kInnerEdges[] = {{BDR_RAISEDINNER, clBtnHighlight, clBtnShadow},
                                       {BDR_SUNKENINNER, cl3DDkShadow, cl3DLight}};

}  // namespace

void TCanvas::DrawEdge(TRect& logical, unsigned edge, unsigned flags) {
  CanvasRecordScope rec(*this);
  if (rec)
    rec.Add([r0 = logical, edge, flags](TCanvas& c, const TReplayMap& m) {
      TRect r = m.R(r0);
      c.DrawEdge(r, edge, flags);
    });
  CanvasDraw d(*this);
  const TPoint o = DeviceOffset();
  TRect r = OffsetRect(logical, o.X, o.Y);
  auto put = [&](int x, int y, TColor c) {
    if (d.Ok() && d.FSurface.Inside(x, y)) d.FSurface.Put(x, y, pmCopy, ToQRgb(c) & 0xFFFFFF);
  };
  // One ring per half: the left and top sides in one colour, the right and
  // bottom sides (with the bottom-left and top-right corners) in the other.
  auto ring = [&](const EdgeColours* table) {
    for (int i = 0; i < 2; ++i) {
      const EdgeColours& e = table[i];
      if (!(edge & e.bit) || r.IsEmpty()) continue;
      if (flags & BF_LEFT)
        for (int y = r.Top; y < r.Bottom - 1; ++y) put(r.Left, y, e.topLeft);
      if (flags & BF_TOP)
        for (int x = r.Left; x < r.Right - 1; ++x) put(x, r.Top, e.topLeft);
      if (flags & BF_RIGHT)
        for (int y = r.Top; y < r.Bottom; ++y) put(r.Right - 1, y, e.bottomRight);
      if (flags & BF_BOTTOM)
        for (int x = r.Left; x < r.Right; ++x) put(x, r.Bottom - 1, e.bottomRight);
      break;
    }
    if (!(edge & (table[0].bit | table[1].bit))) return;
    if (flags & BF_LEFT) ++r.Left;
    if (flags & BF_TOP) ++r.Top;
    if (flags & BF_RIGHT) --r.Right;
    if (flags & BF_BOTTOM) --r.Bottom;
  };
  ring(kOuterEdges);
  ring(kInnerEdges);
  if ((flags & BF_MIDDLE) && !r.IsEmpty()) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) put(x, y, clBtnFace);
  }
  if (flags & BF_ADJUST) logical = OffsetRect(r, -o.X, -o.Y);
  if (d.Ok()) Changed();
}

// ---------------------------------------------------------------- copying

void TCanvas::CopyRect(const TRect& logicalDest, TCanvas* source, const TRect& logicalSource) {
  CanvasRecordScope rec(*this);
  if (rec && source && logicalSource.Width() > 0 && logicalSource.Height() > 0) {
    // The source's pixels as they are now.
    auto copy = std::make_shared<TBitmap>(logicalSource.Width(), logicalSource.Height());
    copy->GetCanvas()->CopyRect(Rect(0, 0, copy->GetWidth(), copy->GetHeight()), source, logicalSource);
    rec.Add([copy, logicalDest](TCanvas& c, const TReplayMap& m) {
      c.CopyRect(m.R(logicalDest), copy->GetCanvas(), Rect(0, 0, copy->GetWidth(), copy->GetHeight()));
    });
  }
  CanvasDraw d(*this);
  if (!d.Ok() || !source || !source->HasSurface()) return;
  const TPoint o = DeviceOffset(), so = source->DeviceOffset();
  const TRect dest = OffsetRect(logicalDest, o.X, o.Y);
  const TRect sourceRect = OffsetRect(logicalSource, so.X, so.Y);
  int dw = dest.Width(), dh = dest.Height(), sw = sourceRect.Width(), sh = sourceRect.Height();
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
  // A negative extent on one side only mirrors the copy.
  const bool mirrorX = (dw < 0) != (sw < 0);
  const bool mirrorY = (dh < 0) != (sh < 0);
  const int dl = std::min(dest.Left, dest.Right), dt = std::min(dest.Top, dest.Bottom);
  const int sl = std::min(sourceRect.Left, sourceRect.Right),
            st = std::min(sourceRect.Top, sourceRect.Bottom);
  dw = std::abs(dw);
  dh = std::abs(dh);
  sw = std::abs(sw);
  sh = std::abs(sh);
  const QImage& srcImg = *source->GetImage();
  const QRect srcArea = QRect(sl, st, sw, sh).intersected(srcImg.rect());
  if (srcArea.isEmpty()) return;
  // From the same surface the source is copied first, as the areas may overlap.
  const bool same = source->GetImage() == FImage || srcImg.constBits() == FImage->constBits();
  const QImage src = same ? srcImg.copy(srcArea) : srcImg;
  const int ox = same ? srcArea.left() : 0, oy = same ? srcArea.top() : 0;
  const QRect box = d.Clip(QRect(dl, dt, dw, dh));
  if (box.isEmpty()) return;

  if (FCopyMode == cmSrcCopy && dw == sw && dh == sh && !mirrorX && !mirrorY) {
    // 1:1 copy: whole runs of a row at a time. Same formats copy every bit,
    // as a block transfer does; others come out opaque.
    const bool raw = src.format() == FImage->format();
    const bool premultiplied = src.format() == QImage::Format_ARGB32_Premultiplied;
    const QRect from = QRect(box.topLeft() - QPoint(dl - sl, dt - st), box.size()).intersected(srcArea);
    const QRect to = from.translated(dl - sl, dt - st);
    for (int y = to.top(); y <= to.bottom(); ++y) {
      const QRgb* in =
          reinterpret_cast<const QRgb*>(src.constScanLine(y - (dt - st) - oy)) + (to.left() - (dl - sl) - ox);
      QRgb* out = reinterpret_cast<QRgb*>(d.FSurface.bits + y * d.FSurface.bytesPerLine);
      auto copyRun = [&](int x0, int x1) {  // [x0, x1)
        const QRgb* from = in + (x0 - to.left());
        if (raw) {
          std::memcpy(out + x0, from, static_cast<std::size_t>(x1 - x0) * sizeof(QRgb));
        } else {
          for (int x = x0; x < x1; ++x, ++from)
            out[x] = 0xFF000000u | ((premultiplied ? qUnpremultiply(*from) : *from) & 0xFFFFFF);
        }
      };
      if (!d.FSurface.mask) {
        copyRun(to.left(), to.right() + 1);
        continue;
      }
      int run = -1;
      for (int x = to.left(); x <= to.right() + 1; ++x) {
        const bool in = x <= to.right() && d.FSurface.Inside(x, y);
        if (in && run < 0) run = x;
        if (!in && run >= 0) {
          copyRun(run, x);
          run = -1;
        }
      }
    }
    Changed();
    return;
  }

  const std::uint32_t pat = ToQRgb(Brush->GetColor()) & 0xFFFFFF;
  const bool opaqueSource = src.format() == QImage::Format_RGB32;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    int fy = (y - dt) * sh / dh;
    if (mirrorY) fy = sh - 1 - fy;
    const int sy = st + fy - oy;
    if (sy < srcArea.top() - oy || sy > srcArea.bottom() - oy) continue;
    const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
    QRgb* line = reinterpret_cast<QRgb*>(d.FSurface.bits + y * d.FSurface.bytesPerLine);
    for (int x = box.left(); x <= box.right(); ++x) {
      int fx = (x - dl) * sw / dw;
      if (mirrorX) fx = sw - 1 - fx;
      const int sx = sl + fx - ox;
      if (sx < srcArea.left() - ox || sx > srcArea.right() - ox) continue;
      if (d.FSurface.mask && !d.FSurface.Inside(x, y)) continue;
      const std::uint32_t s = (opaqueSource ? in[sx] : ReadPixel(src, sx, sy)) & 0xFFFFFF;
      if (FCopyMode == cmSrcCopy) {
        line[x] = 0xFF000000u | s;
        continue;
      }
      const std::uint32_t dst = ReadPixel(*FImage, x, y) & 0xFFFFFF;
      line[x] = 0xFF000000u | (Rop3(FCopyMode, s, dst, pat) & 0xFFFFFF);
    }
  }
  Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->GetEmpty()) return;
  StretchDraw(Bounds(x, y, graphic->GetWidth(), graphic->GetHeight()), graphic);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  CanvasRecordScope rec(*this);
  if (rec && graphic && !graphic->GetEmpty())
    rec.Add([g = std::shared_ptr<TGraphic>(graphic->Clone()), r](TCanvas& c, const TReplayMap& m) {
      c.StretchDraw(m.R(r), g.get());
    });
  if (!graphic || graphic->GetEmpty() || !HasSurface()) return;
  graphic->Draw(this, r);
  Changed();
}
