#pragma once
// The content of a rich edit: paragraphs of runs of formatted text, and its
// laying out into a rectangle of a canvas (what EM_FORMATRANGE does). The
// model knows no file format: readers and writers of one live above.

#include <string>
#include <vector>

#include "platform/classlib/Graphics.h"

enum class TRichAlign { Left, Center, Right, Justify };

struct TRichCharFormat {
  std::string FontName = "Tahoma";
  // The font's character set as documents store it (0 ANSI, 134 GB2312...).
  int Charset = 0;
  int HalfPoints = 20;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strike = false;
  // clNone: the automatic colour (window text).
  TColor Color = clNone;
  // clNone: no highlight.
  TColor Highlight = clNone;

  friend bool operator==(const TRichCharFormat&, const TRichCharFormat&) = default;
};

// Distances in twips (1440 per inch).
struct TRichParaFormat {
  TRichAlign Align = TRichAlign::Left;
  int LeftIndent = 0;
  int RightIndent = 0;
  // Of the first line against LeftIndent; may be negative.
  int FirstIndent = 0;
  int SpaceBefore = 0;
  int SpaceAfter = 0;
  // 0: as the line's fonts need; above 0: at least that; below 0: exactly
  // its magnitude. With LineMultiple the value is in 240ths of a line.
  int LineSpacing = 0;
  bool LineMultiple = false;
  // Tab stops from the left edge of the area, ascending.
  std::vector<int> Tabs;

  friend bool operator==(const TRichParaFormat&, const TRichParaFormat&) = default;
};

// Text is UTF-8; '\t' is a tab and '\v' a line break inside the paragraph.
struct TRichRun {
  std::string Text;
  TRichCharFormat Format;
};

struct TRichParagraph {
  TRichParaFormat Format;
  std::vector<TRichRun> Runs;

  std::string PlainText() const;
};

struct TRichDocument {
  std::vector<TRichParagraph> Paragraphs;

  bool Empty() const { return Paragraphs.empty(); }
  // Characters (code points) of the document, each paragraph's end counted
  // as one, as character positions count them.
  int Length() const;
  // One line per paragraph.
  std::vector<std::string> PlainLines() const;
  // Paragraphs of the lines, all in the one format.
  static TRichDocument FromLines(const std::vector<std::string>& Lines, const TRichCharFormat& Format);
};

// Lays the document out into Area (twips from the canvas's logical origin,
// at the canvas's resolution; 0 counts as 96) and, with Render, draws the
// lines that fit wholly inside it, transparently. Lines are wrapped at the
// area's width. Returns the character position of the first character that
// did not fit (the document's length when all of it did).
int FormatRichDocument(TCanvas* Canvas, const TRichDocument& Document, const TRect& Area, bool Render);
