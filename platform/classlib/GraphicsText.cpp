// Text on a TCanvas: TextOut, TextRect, measuring and the DrawText layout.
// Text is drawn with grayscale antialiasing for legibility; shapes stay aliased.

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

#include "platform/classlib/Graphics.h"
#include "platform/classlib/CanvasRecord.h"

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

const QString kEllipsis = QStringLiteral("...");

// The longest head of `line` (cut only where `cuttable` allows) that fits
// `width` with the ellipsis after it; the bare ellipsis when none does.
template <typename Cuttable>
QString CutWithEllipsis(const QString& line, const QFontMetrics& fm, int width, Cuttable&& cuttable) {
  for (qsizetype n = line.size(); n > 0; --n) {
    if (!cuttable(n)) continue;
    const QString candidate = line.left(n) + kEllipsis;
    if (fm.horizontalAdvance(candidate) <= width) return candidate;
  }
  return kEllipsis;
}

// One line shortened to `width` by the ellipsis flags; unchanged when it fits.
QString Ellipsize(const QString& line, const QFontMetrics& fm, int width, unsigned flags) {
  if (fm.horizontalAdvance(line) <= width) return line;
  if (flags & DT_PATH_ELLIPSIS) {
    // Keep the last part of the path whole; cut the head before it.
    const qsizetype sep = std::max(line.lastIndexOf('\\'), line.lastIndexOf('/'));
    const QString tail = sep >= 0 ? line.mid(sep) : line;
    const QString head = sep >= 0 ? line.left(sep) : QString();
    for (qsizetype n = head.size(); n >= 0; --n) {
      const QString candidate = head.left(n) + kEllipsis + tail;
      if (fm.horizontalAdvance(candidate) <= width) return candidate;
    }
    return CutWithEllipsis(kEllipsis + tail, fm, width, [](qsizetype) { return true; });
  }
  if (flags & DT_WORD_ELLIPSIS) {
    // Cut after a whole word; a first word too long is cut inside.
    const bool words = line.contains(' ');
    const QString cut = CutWithEllipsis(line, fm, width, [&](qsizetype n) {
      return !words || (n < line.size() && line[n] == ' ' && line[n - 1] != ' ');
    });
    if (cut != kEllipsis || !words) return cut;
    return CutWithEllipsis(line, fm, width, [](qsizetype) { return true; });
  }
  return CutWithEllipsis(line, fm, width, [](qsizetype) { return true; });
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
  CanvasRecordScope rec(*this);
  if (rec) rec.Add([=](TCanvas& c, const TReplayMap& m) { c.TextOut(m.X(x), m.Y(y), text); });
  const QFont font = MakeQFont(*Font);
  const QFontMetrics fm(font);
  const QString qs = ToQ(text);
  const int w = fm.horizontalAdvance(qs);
  if (QPainter p; BeginPainter(p)) {
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
  CanvasRecordScope rec(*this);
  if (rec) rec.Add([=](TCanvas& c, const TReplayMap& m) { c.TextRect(m.R(r), m.X(x), m.Y(y), text); });
  if (r.IsEmpty()) return;
  const QFont font = MakeQFont(*Font);
  const QFontMetrics fm(font);
  QPainter p;
  if (!BeginPainter(p)) return;
  p.setClipRect(QRect(r.Left, r.Top, r.Width(), r.Height()), Qt::IntersectClip);
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
  if (format.Contains(tfPathEllipsis)) flags |= DT_PATH_ELLIPSIS;
  if (format.Contains(tfWordEllipsis)) flags |= DT_WORD_ELLIPSIS;
  if (format.Contains(tfModifyString)) flags |= DT_MODIFYSTRING;
  DrawText(text, r, flags);
}

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags) {
  std::string copy = text;
  return DrawTextImpl(copy, r, flags & ~DT_MODIFYSTRING);
}

int TCanvas::DrawText(std::string& text, TRect& r, unsigned flags) {
  return DrawTextImpl(text, r, flags);
}

int DrawText(HDC dc, std::string& text, TRect* r, unsigned flags) {
  return dc && r ? dc->DrawText(text, *r, flags) : 0;
}

int DrawText(HDC dc, const std::string& text, TRect* r, unsigned flags) {
  return dc && r ? dc->DrawText(text, *r, flags) : 0;
}

int TCanvas::DrawTextImpl(std::string& text, TRect& r, unsigned flags) {
  CanvasRecordScope rec(*this);
  if (rec && !(flags & DT_CALCRECT))
    rec.Add([text, r, flags](TCanvas& c, const TReplayMap& m) {
      std::string t = text;
      TRect d = m.R(r);
      c.DrawText(t, d, flags);
    });
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
  const unsigned ellipsis = DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS;
  if ((flags & ellipsis) && r.Width() > 0) {
    bool changed = false;
    for (QString& line : lines) {
      const QString shown = Ellipsize(line, fm, r.Width(), flags);
      changed = changed || shown != line;
      line = shown;
    }
    if ((flags & DT_MODIFYSTRING) && changed) text = lines.join("\r\n").toStdString();
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
    QPainter p;
    if (BeginPainter(p)) {
      if (!(flags & DT_NOCLIP)) p.setClipRect(QRect(r.Left, r.Top, r.Width(), r.Height()), Qt::IntersectClip);
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
