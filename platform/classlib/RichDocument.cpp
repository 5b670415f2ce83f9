#include "platform/classlib/RichDocument.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

#include "platform/classlib/GraphicsTypes.h"

std::string TRichParagraph::PlainText() const {
  std::string text;
  for (const TRichRun& run : Runs) text += run.Text;
  return text;
}

namespace {

int CodePoints(const std::string& Utf8) {
  int n = 0;
  for (unsigned char c : Utf8)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

QColor QColorOf(TColor Color) {
  const TColor rgb = ColorToRGB(Color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QFont FontOf(const TRichCharFormat& Format, int DpiY) {
  TFont font;
  font.SetName(Format.FontName);
  TFontStyles style;
  if (Format.Bold) style = style + TFontStyles{fsBold};
  if (Format.Italic) style = style + TFontStyles{fsItalic};
  if (Format.Underline) style = style + TFontStyles{fsUnderline};
  if (Format.Strike) style = style + TFontStyles{fsStrikeOut};
  font.SetStyle(style);
  QFont q = MakeQFont(font);
  const double pixels = std::max(1, Format.HalfPoints) * DpiY / 144.0;
  q.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  return q;
}

QTextCharFormat CharFormatOf(const TRichCharFormat& Format, int DpiY) {
  QTextCharFormat f;
  f.setFont(FontOf(Format, DpiY));
  f.setForeground(QColorOf(Format.Color == clNone ? clWindowText : Format.Color));
  if (Format.Highlight != clNone) f.setBackground(QColorOf(Format.Highlight));
  return f;
}

int Pixels(int Twips, int Dpi) {
  return static_cast<int>(std::lround(static_cast<double>(Twips) * Dpi / 1440.0));
}

int ValidDpi(int Dpi) {
  return Dpi > 0 ? Dpi : 96;
}

}  // namespace

int TRichDocument::Length() const {
  int n = 0;
  for (const TRichParagraph& p : Paragraphs) n += CodePoints(p.PlainText()) + 1;
  return n;
}

std::vector<std::string> TRichDocument::PlainLines() const {
  std::vector<std::string> lines;
  lines.reserve(Paragraphs.size());
  for (const TRichParagraph& p : Paragraphs) lines.push_back(p.PlainText());
  return lines;
}

TRichDocument TRichDocument::FromLines(const std::vector<std::string>& Lines, const TRichCharFormat& Format) {
  TRichDocument doc;
  for (const std::string& line : Lines) {
    TRichParagraph p;
    p.Runs.push_back({line, Format});
    doc.Paragraphs.push_back(std::move(p));
  }
  return doc;
}

int FormatRichDocument(TCanvas* Canvas, const TRichDocument& Document, const TRect& Area, bool Render) {
  if (!Canvas) return 0;
  const int dpiX = ValidDpi(GetDeviceCaps(Canvas, LOGPIXELSX));
  const int dpiY = ValidDpi(GetDeviceCaps(Canvas, LOGPIXELSY));
  const int left = Pixels(Area.Left, dpiX);
  const int top = Pixels(Area.Top, dpiY);
  const int right = Pixels(Area.Right, dpiX);
  const int bottom = Pixels(Area.Bottom, dpiY);

  QPainter painter;
  const bool drawing = Render && Canvas->BeginPainter(painter);
  if (drawing) painter.setRenderHint(QPainter::TextAntialiasing, true);

  int y = top;
  int position = 0;
  bool full = false;
  for (const TRichParagraph& para : Document.Paragraphs) {
    const TRichParaFormat& pf = para.Format;
    QString text;
    QList<QTextLayout::FormatRange> ranges;
    for (const TRichRun& run : para.Runs) {
      QString piece = QString::fromStdString(run.Text);
      piece.replace(QChar('\v'), QChar::LineSeparator);
      QTextLayout::FormatRange r;
      r.start = static_cast<int>(text.size());
      r.length = static_cast<int>(piece.size());
      r.format = CharFormatOf(run.Format, dpiY);
      text += piece;
      if (r.length > 0) ranges.push_back(r);
    }
    const TRichCharFormat base = para.Runs.empty() ? TRichCharFormat{} : para.Runs.front().Format;
    QTextLayout layout(text, FontOf(base, dpiY));
    layout.setFormats(ranges);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    switch (pf.Align) {
      case TRichAlign::Left:
        option.setAlignment(Qt::AlignLeft);
        break;
      case TRichAlign::Center:
        option.setAlignment(Qt::AlignHCenter);
        break;
      case TRichAlign::Right:
        option.setAlignment(Qt::AlignRight);
        break;
      case TRichAlign::Justify:
        option.setAlignment(Qt::AlignJustify);
        break;
    }
    QList<QTextOption::Tab> tabs;
    for (int t : pf.Tabs) tabs.push_back(QTextOption::Tab(Pixels(t, dpiX), QTextOption::LeftTab));
    option.setTabs(tabs);
    option.setTabStopDistance(Pixels(720, dpiX));
    layout.setTextOption(option);

    const int indent = Pixels(pf.LeftIndent, dpiX);
    const int first = Pixels(pf.FirstIndent, dpiX);
    const int rightIndent = Pixels(pf.RightIndent, dpiX);
    const int width = right - left;
    layout.beginLayout();
    bool firstLine = true;
    while (true) {
      QTextLine line = layout.createLine();
      if (!line.isValid()) break;
      const int x = indent + (firstLine ? first : 0);
      line.setLineWidth(std::max(1, width - x - rightIndent));
      line.setPosition(QPointF(x, 0));
      firstLine = false;
    }
    layout.endLayout();

    y += Pixels(pf.SpaceBefore, dpiY);
    const int paraStart = position;
    for (int i = 0; i < layout.lineCount(); ++i) {
      QTextLine line = layout.lineAt(i);
      const int natural = static_cast<int>(std::ceil(line.ascent() + line.descent()));
      int height = natural;
      if (pf.LineMultiple && pf.LineSpacing != 0)
        height = static_cast<int>(std::lround(natural * std::abs(pf.LineSpacing) / 240.0));
      else if (pf.LineSpacing < 0)
        height = Pixels(-pf.LineSpacing, dpiY);
      else if (pf.LineSpacing > 0)
        height = std::max(natural, Pixels(pf.LineSpacing, dpiY));
      if (y + height > bottom) {
        full = true;
        const QString before = text.left(line.textStart());
        position = paraStart + static_cast<int>(before.toUcs4().size());
        break;
      }
      if (drawing) {
        // The line's foot stands on the line's bottom; what exact spacing
        // takes away comes off the top.
        const double textTop = y + height - (line.ascent() + line.descent());
        line.draw(&painter, QPointF(left, textTop - line.y()));
      }
      y += height;
    }
    if (full) break;
    position = paraStart + static_cast<int>(text.toUcs4().size()) + 1;
    y += Pixels(pf.SpaceAfter, dpiY);
  }
  if (drawing) {
    painter.end();
    Canvas->NotifyChanged();
  }
  return full ? position : Document.Length();
}
