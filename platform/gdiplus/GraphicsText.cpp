// Text: laying out, measuring and drawing strings, and text outlines in
// paths. Measuring follows the API: a generic-default format pads the text
// by a sixth of an em on each side, trailing spaces count only when asked,
// and a layout rectangle of zero size measures from a point.
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/GdiPlusPrivate.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/GraphicsPath.h"

namespace Gdiplus {

namespace detail {

namespace {

constexpr double kUnlimited = 1e7;

double AlignOffset(StringAlignment align, double space) {
  switch (align) {
    case StringAlignmentCenter:
      return space / 2;
    case StringAlignmentFar:
      return space;
    default:
      return 0;
  }
}

// The text as shown: hotkey marks taken out, line breaks made Qt's. map[i]
// is the index in the original text of shown character i.
struct ShownText {
  QString text;
  std::vector<int> map;
  std::vector<int> underline;
};

ShownText Prepare(const QString& original, HotkeyPrefix hotkey) {
  ShownText out;
  const int n = int(original.size());
  for (int i = 0; i < n; ++i) {
    QChar c = original[i];
    if (hotkey != HotkeyPrefixNone && c == u'&') {
      if (i + 1 < n && original[i + 1] == u'&') {
        ++i;  // "&&" shows one ampersand
      } else {
        if (hotkey == HotkeyPrefixShow && i + 1 < n) out.underline.push_back(int(out.text.size()));
        continue;
      }
    }
    if (c == u'\r') {
      if (i + 1 < n && original[i + 1] == u'\n') ++i;
      c = QChar::LineSeparator;
    } else if (c == u'\n') {
      c = QChar::LineSeparator;
    }
    out.text.append(c);
    out.map.push_back(i);
  }
  return out;
}

}  // namespace

Status LayOutText(const WCHAR* string, INT length, const Font& font, const RectF& rect,
                  const StringFormat* format, QPaintDevice* device, double dpi, bool antialias,
                  LaidOutText* out) {
  if (!string || !font.IsAvailable() || !device) return InvalidParameter;
  if (!FontSystemReady()) return GdiplusNotInitialized;
  const StringFormat* fmt = format ? format : StringFormat::GenericDefault();
  const INT flags = fmt->GetFormatFlags();
  const QString original = ToQString(string, length);
  ShownText shown = Prepare(original, fmt->GetHotkeyPrefix());

  out->font = MakeQFont(font.Face(), font.PixelSize(dpi), font.GetStyle(), dpi, antialias);
  const QFontMetricsF metrics(out->font, device);
  const double pad = fmt->IsTypographic() ? 0.0 : font.PixelSize(dpi) / 6.0;
  const double lineHeight = metrics.lineSpacing();
  const bool hasWidth = rect.Width > 0, hasHeight = rect.Height > 0;
  const bool wrap = hasWidth && !(flags & StringFormatFlagsNoWrap);
  const double available = hasWidth ? std::max(rect.Width - 2 * pad, 0.01) : kUnlimited;

  // Ellipsis trimming shortens lines that run past the width when they do
  // not wrap; wrapped text is cut at the rectangle instead.
  const StringTrimming trimming = fmt->GetTrimming();
  if (hasWidth && !wrap &&
      (trimming == StringTrimmingEllipsisCharacter || trimming == StringTrimmingEllipsisWord ||
       trimming == StringTrimmingEllipsisPath)) {
    const Qt::TextElideMode mode = trimming == StringTrimmingEllipsisPath ? Qt::ElideMiddle : Qt::ElideRight;
    QStringList parts = shown.text.split(QChar::LineSeparator);
    for (QString& part : parts) part = metrics.elidedText(part, mode, available);
    const QString elided = parts.join(QChar::LineSeparator);
    if (elided != shown.text) {
      shown.text = elided;
      shown.underline.clear();
      shown.map.resize(size_t(elided.size()));
      for (size_t i = 0; i < shown.map.size(); ++i)
        shown.map[i] = std::min<int>(int(i), int(original.size()) - 1);
    }
  }

  out->layout = std::make_unique<QTextLayout>(shown.text, out->font, device);
  QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
  option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
  if (flags & StringFormatFlagsMeasureTrailingSpaces) option.setFlags(QTextOption::IncludeTrailingSpaces);
  if (flags & StringFormatFlagsDirectionRightToLeft) option.setTextDirection(Qt::RightToLeft);
  out->layout->setTextOption(option);
  if (!shown.underline.empty()) {
    QList<QTextLayout::FormatRange> ranges;
    for (int at : shown.underline) {
      QTextLayout::FormatRange r;
      r.start = at;
      r.length = 1;
      r.format.setFontUnderline(true);
      ranges.append(r);
    }
    out->layout->setFormats(ranges);
  }

  QTextLayout& layout = *out->layout;
  layout.beginLayout();
  int lines = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(wrap ? available : kUnlimited);
    ++lines;
  }
  layout.endLayout();
  if (shown.text.isEmpty()) lines = 0;

  int visible = lines;
  if (hasHeight) {
    const int fit = (flags & StringFormatFlagsLineLimit) ? int(std::floor(rect.Height / lineHeight + 1e-6))
                                                         : int(std::ceil(rect.Height / lineHeight - 1e-6));
    visible = std::clamp(fit, 0, lines);
  }
  // Trailing spaces of a line count only when the format asks for them.
  const bool trailing = flags & StringFormatFlagsMeasureTrailingSpaces;
  std::vector<double> widths;
  double widest = 0;
  for (int i = 0; i < visible; ++i) {
    const QTextLine line = layout.lineAt(i);
    double w = line.naturalTextWidth();
    if (!trailing) {
      int end = line.textStart() + line.textLength();
      while (end > line.textStart() && shown.text[end - 1].isSpace()) --end;
      w = std::fabs(line.cursorToX(end) - line.cursorToX(line.textStart()));
    }
    widths.push_back(w);
    widest = std::max(widest, w);
  }

  StringAlignment align = fmt->GetAlignment();
  if (flags & StringFormatFlagsDirectionRightToLeft) {
    if (align == StringAlignmentNear)
      align = StringAlignmentFar;
    else if (align == StringAlignmentFar)
      align = StringAlignmentNear;
  }
  const double boxWidth = visible > 0 ? widest + 2 * pad : 0;
  const double textHeight = visible * lineHeight;
  const double x =
      hasWidth ? rect.X + AlignOffset(align, rect.Width - boxWidth) : rect.X - AlignOffset(align, boxWidth);
  const double y = hasHeight ? rect.Y + AlignOffset(fmt->GetLineAlignment(), rect.Height - textHeight)
                             : rect.Y - AlignOffset(fmt->GetLineAlignment(), textHeight);
  for (int i = 0; i < visible; ++i) {
    QTextLine line = layout.lineAt(i);
    line.setPosition(QPointF(x + pad + AlignOffset(align, widest - widths[size_t(i)]), y + i * lineHeight));
  }

  double shownHeight = textHeight;
  double top = y;
  if (hasHeight && !(flags & StringFormatFlagsLineLimit) && textHeight > rect.Height) {
    top = std::max(y, double(rect.Y));
    shownHeight = std::min(y + textHeight, double(rect.Y + rect.Height)) - top;
  }
  out->visibleLines = visible;
  out->box = visible > 0 ? RectF(REAL(x), REAL(top), REAL(boxWidth), REAL(shownHeight))
                         : RectF(rect.X, rect.Y, 0, 0);
  if (visible == lines) {
    out->codepointsFitted = INT(original.size());
  } else if (visible > 0) {
    const QTextLine last = layout.lineAt(visible - 1);
    const int end = last.textStart() + last.textLength();
    out->codepointsFitted = end < int(shown.map.size()) ? shown.map[size_t(end)] : INT(original.size());
  } else {
    out->codepointsFitted = 0;
  }
  out->clip = hasWidth && hasHeight && !(flags & StringFormatFlagsNoClip);
  out->clipRect = QRectF(rect.X, rect.Y, rect.Width, rect.Height);
  return Ok;
}

}  // namespace detail

namespace {

bool TextAntialias(TextRenderingHint hint) {
  return hint != TextRenderingHintSingleBitPerPixel && hint != TextRenderingHintSingleBitPerPixelGridFit;
}

QPainterPath GlyphOutlines(const detail::LaidOutText& text) {
  QPainterPath outlines;
  for (int i = 0; i < text.visibleLines; ++i) {
    const QTextLine line = text.layout->lineAt(i);
    for (const QGlyphRun& run : line.glyphRuns()) {
      const QRawFont raw = run.rawFont();
      const auto glyphs = run.glyphIndexes();
      const auto positions = run.positions();
      for (qsizetype g = 0; g < glyphs.size(); ++g) {
        QPainterPath glyph = raw.pathForGlyph(glyphs[g]);
        glyph.translate(positions[g]);  // run positions already include the line's
        outlines.addPath(glyph);
      }
    }
  }
  outlines.setFillRule(Qt::WindingFill);
  return outlines;
}

}  // namespace

namespace detail {

QPaintDevice* MetricsDevice() {
  static QImage device = [] {
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    constexpr int kDotsPerMeterAt96 = 3780;  // 96 / 0.0254, rounded
    image.setDotsPerMeterX(kDotsPerMeterAt96);
    image.setDotsPerMeterY(kDotsPerMeterAt96);
    return image;
  }();
  return &device;
}

}  // namespace detail

Status Graphics::DrawString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                            const StringFormat* stringFormat, const Brush* brush) {
  if (const Status s = Ready(); s != Ok) return Record(s);
  if (!font || !brush || !string) return Record(InvalidParameter);
  detail::LaidOutText text;
  const Status s =
      detail::LayOutText(string, length, *font, layoutRect, stringFormat, detail::MetricsDevice(),
                         FImpl->dpiY, TextAntialias(FImpl->state.textHint), &text);
  if (s != Ok) return Record(s);
  if (text.visibleLines == 0) return Ok;

  if (brush->GetType() != BrushTypeSolidColor) {
    // Other brushes paint the glyph outlines as a shape.
    QPainterPath outlines = GlyphOutlines(text);
    if (text.clip) {
      QPainterPath box;
      box.addRect(text.clipRect);
      outlines = outlines.intersected(box);
    }
    return FillShape(brush, outlines);
  }
  Color color;
  static_cast<const SolidBrush*>(brush)->GetColor(&color);
  PaintScope scope(*FImpl);
  if (!scope.Ok()) return Record(ObjectBusy);
  QPainter* p = FImpl->painter;
  p->save();
  // Glyphs keep to whole pixels: no half-pixel shift for text.
  p->setWorldTransform(FImpl->PixelTransform());
  if (text.clip) p->setClipRect(text.clipRect, Qt::IntersectClip);
  p->setPen(QPen(detail::ToQColor(color.GetValue()), 0));
  for (int i = 0; i < text.visibleLines; ++i) text.layout->lineAt(i).draw(p, QPointF());
  p->restore();
  return Ok;
}

Status Graphics::DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                            const StringFormat* stringFormat, const Brush* brush) {
  return DrawString(string, length, font, RectF(origin.X, origin.Y, 0, 0), stringFormat, brush);
}

Status Graphics::DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                            const Brush* brush) {
  return DrawString(string, length, font, RectF(origin.X, origin.Y, 0, 0), nullptr, brush);
}

Status Graphics::MeasureString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                               const StringFormat* stringFormat, RectF* boundingBox, INT* codepointsFitted,
                               INT* linesFilled) const {
  if (!FImpl) return Record(InvalidParameter);
  if (!font || !string || !boundingBox) return Record(InvalidParameter);
  detail::LaidOutText text;
  const Status s =
      detail::LayOutText(string, length, *font, layoutRect, stringFormat, detail::MetricsDevice(),
                         FImpl->dpiY, TextAntialias(FImpl->state.textHint), &text);
  if (s != Ok) return Record(s);
  *boundingBox = text.box;
  if (codepointsFitted) *codepointsFitted = text.codepointsFitted;
  if (linesFilled) *linesFilled = text.visibleLines;
  return Ok;
}

Status Graphics::MeasureString(const WCHAR* string, INT length, const Font* font, const SizeF& layoutRectSize,
                               const StringFormat* stringFormat, SizeF* size, INT* codepointsFitted,
                               INT* linesFilled) const {
  if (!size) return Record(InvalidParameter);
  RectF box;
  const Status s =
      MeasureString(string, length, font, RectF(0, 0, layoutRectSize.Width, layoutRectSize.Height),
                    stringFormat, &box, codepointsFitted, linesFilled);
  if (s == Ok) *size = SizeF(box.Width, box.Height);
  return s;
}

Status Graphics::MeasureString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                               const StringFormat* stringFormat, RectF* boundingBox) const {
  return MeasureString(string, length, font, RectF(origin.X, origin.Y, 0, 0), stringFormat, boundingBox);
}

Status Graphics::MeasureString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                               RectF* boundingBox) const {
  return MeasureString(string, length, font, layoutRect, nullptr, boundingBox);
}

Status Graphics::MeasureString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                               RectF* boundingBox) const {
  return MeasureString(string, length, font, RectF(origin.X, origin.Y, 0, 0), nullptr, boundingBox);
}

Status GraphicsPath::AddStringImpl(const WCHAR* string, INT length, const FontFamily* family, INT style,
                                   REAL emSize, const RectF& layoutRect, const StringFormat* format) {
  if (!string || !family) return Record(InvalidParameter);
  const Font font(family, emSize, style, UnitPixel);
  if (!font.IsAvailable()) return Record(InvalidParameter);
  detail::LaidOutText text;
  const Status s = detail::LayOutText(string, length, font, layoutRect, format, detail::MetricsDevice(), 96.0,
                                      true, &text);
  if (s != Ok) return Record(s);
  const QPainterPath outlines = GlyphOutlines(text);
  // Each glyph contour becomes a closed figure of lines and Béziers.
  std::vector<PointF> pts;
  std::vector<BYTE> types;
  for (int i = 0; i < outlines.elementCount(); ++i) {
    const QPainterPath::Element e = outlines.elementAt(i);
    if (e.isMoveTo()) {
      if (!types.empty()) types.back() |= PathPointTypeCloseSubpath;
      pts.emplace_back(REAL(e.x), REAL(e.y));
      types.push_back(PathPointTypeStart);
    } else if (e.isLineTo()) {
      pts.emplace_back(REAL(e.x), REAL(e.y));
      types.push_back(PathPointTypeLine);
    } else {
      pts.emplace_back(REAL(e.x), REAL(e.y));
      types.push_back(PathPointTypeBezier);
    }
  }
  if (!types.empty()) types.back() |= PathPointTypeCloseSubpath;
  FPoints.insert(FPoints.end(), pts.begin(), pts.end());
  FTypes.insert(FTypes.end(), types.begin(), types.end());
  if (!pts.empty()) FStartNewFigure = true;
  return Ok;
}

}  // namespace Gdiplus
