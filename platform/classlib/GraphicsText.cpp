// Text on a TCanvas: TextOut, TextRect, measuring and the DrawText layout.
// Text is drawn with grayscale antialiasing for legibility; shapes stay aliased.

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

#include "platform/classlib/Graphics.h"

namespace {

QColor ToQColor(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QString ToQ(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// '&' marks the next character as a keyboard mnemonic; "&&" is one '&'.
QString StripPrefixes(const QString& s) {
  QString out;
  out.reserve(s.size());
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == '&') {
      if (i + 1 < s.size() && s[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += s[i];
  }
  return out;
}

QStringList SplitLines(const QString& s) {
  QStringList lines;
  QString cur;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' || s[i] == '\n') {
      lines << cur;
      cur.clear();
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      cur += s[i];
    }
  }
  lines << cur;
  return lines;
}

// Breaks one line at spaces so that each line fits `width`; a single word
// wider than that keeps its own line.
QStringList WrapLine(const QString& line, const QFontMetrics& fm, int width) {
  QStringList out;
  const QStringList words = line.split(' ');
  QString cur;
  for (const QString& w : words) {
    const QString candidate = cur.isEmpty() ? w : cur + ' ' + w;
    if (!cur.isEmpty() && fm.horizontalAdvance(candidate) > width) {
      out << cur;
      cur = w;
    } else {
      cur = candidate;
    }
  }
  out << cur;
  return out;
}

}  // namespace

int TCanvas::TextWidth(const std::string& text) const {
  return TextExtent(text).cx;
}

int TCanvas::TextHeight(const std::string& text) const {
  return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(const std::string& text) const {
  const QFontMetrics fm(MakeQFont(*Font));
  return {fm.horizontalAdvance(ToQ(text)), fm.height()};
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  const QFont font = MakeQFont(*Font);
  const QFontMetrics fm(font);
  const QString qs = ToQ(text);
  const int w = fm.horizontalAdvance(qs);
  if (HasSurface()) {
    const TRect clip = GetClipRect();
    QPainter p(FImage);
    p.setClipRect(QRect(clip.Left, clip.Top, clip.Width(), clip.Height()));
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.translate(x, y);
    if (Font->GetOrientation() != 0) p.rotate(-Font->GetOrientation() / 10.0);
    if (Brush->GetStyle() == bsSolid) p.fillRect(QRect(0, 0, w, fm.height()), ToQColor(Brush->GetColor()));
    p.setFont(font);
    p.setPen(ToQColor(Font->GetColor()));
    p.drawText(QPoint(0, fm.ascent()), qs);
    p.end();
    Changed();
  }
  FPenPos = {x + w, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  if (!HasSurface()) return;
  const TRect clip = IntersectRect(GetClipRect(), r);
  if (clip.IsEmpty()) return;
  const QFont font = MakeQFont(*Font);
  const QFontMetrics fm(font);
  QPainter p(FImage);
  p.setClipRect(QRect(clip.Left, clip.Top, clip.Width(), clip.Height()));
  p.setRenderHint(QPainter::TextAntialiasing, true);
  if (Brush->GetStyle() != bsClear)
    p.fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), ToQColor(Brush->GetColor()));
  p.setFont(font);
  p.setPen(ToQColor(Font->GetColor()));
  p.drawText(QPoint(x, y + fm.ascent()), ToQ(text));
  p.end();
  Changed();
}

void TCanvas::TextRect(TRect& r, std::string& text, TTextFormat format) {
  unsigned flags = 0;
  if (format.Contains(tfBottom)) flags |= DT_BOTTOM;
  if (format.Contains(tfCalcRect)) flags |= DT_CALCRECT;
  if (format.Contains(tfCenter)) flags |= DT_CENTER;
  if (format.Contains(tfEndEllipsis)) flags |= DT_END_ELLIPSIS;
  if (format.Contains(tfNoClip)) flags |= DT_NOCLIP;
  if (format.Contains(tfNoPrefix)) flags |= DT_NOPREFIX;
  if (format.Contains(tfRight)) flags |= DT_RIGHT;
  if (format.Contains(tfSingleLine)) flags |= DT_SINGLELINE;
  if (format.Contains(tfVerticalCenter)) flags |= DT_VCENTER;
  if (format.Contains(tfWordBreak)) flags |= DT_WORDBREAK;
  DrawText(text, r, flags);
}

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags) {
  const QFont font = MakeQFont(*Font);
  const QFontMetrics fm(font);
  QString s = ToQ(text);
  if (!(flags & DT_NOPREFIX)) s = StripPrefixes(s);
  if (flags & DT_EXPANDTABS) s.replace('\t', QString(8, ' '));

  QStringList lines;
  if (flags & DT_SINGLELINE) {
    QString one = s;
    one.replace("\r\n", " ").replace('\r', ' ').replace('\n', ' ');
    lines << one;
  } else {
    for (const QString& line : SplitLines(s)) {
      if (flags & DT_WORDBREAK)
        lines << WrapLine(line, fm, std::max(0, r.Width()));
      else
        lines << line;
    }
  }
  if ((flags & DT_END_ELLIPSIS) && r.Width() > 0) {
    for (QString& line : lines) line = fm.elidedText(line, Qt::ElideRight, r.Width());
  }

  const int lineHeight = fm.height();
  const int height = lineHeight * static_cast<int>(lines.size());
  int widest = 0;
  for (const QString& line : lines) widest = std::max(widest, fm.horizontalAdvance(line));

  if (flags & DT_CALCRECT) {
    r.Right = r.Left + widest;
    r.Bottom = r.Top + height;
    return height;
  }

  // Vertical placement applies to single lines only, as in the drawing layer.
  int top = r.Top;
  if (flags & DT_SINGLELINE) {
    if (flags & DT_VCENTER)
      top = r.Top + (r.Height() - lineHeight) / 2;
    else if (flags & DT_BOTTOM)
      top = r.Bottom - lineHeight;
  }

  if (HasSurface()) {
    const TRect clip = (flags & DT_NOCLIP) ? GetClipRect() : IntersectRect(GetClipRect(), r);
    if (!clip.IsEmpty()) {
      QPainter p(FImage);
      p.setClipRect(QRect(clip.Left, clip.Top, clip.Width(), clip.Height()));
      p.setRenderHint(QPainter::TextAntialiasing, true);
      p.setFont(font);
      const QColor back = ToQColor(Brush->GetColor());
      const QColor fore = ToQColor(Font->GetColor());
      int y = top;
      for (const QString& line : lines) {
        const int w = fm.horizontalAdvance(line);
        int x = r.Left;
        if (flags & DT_CENTER)
          x = r.Left + (r.Width() - w) / 2;
        else if (flags & DT_RIGHT)
          x = r.Right - w;
        if (Brush->GetStyle() == bsSolid && w > 0) p.fillRect(QRect(x, y, w, lineHeight), back);
        p.setPen(fore);
        p.drawText(QPoint(x, y + fm.ascent()), line);
        y += lineHeight;
      }
      p.end();
      Changed();
    }
  }
  return (top - r.Top) + height;
}
