#pragma once
// Colours, fonts, pens, brushes, the canvas and the pictures of the class
// library. A TCanvas draws on a QImage with GDI's pixel rules: integer
// coordinates, no antialiasing, rectangles exclude their right and bottom
// edges, a line excludes its last point, pmNot inverts the destination.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/classlib/GraphicsErrors.h"
#include "platform/classlib/GraphicsStream.h"
#include "platform/classlib/GraphicsTypes.h"

class QImage;
class QFont;
class QPainter;
class QRegion;

// ---------------------------------------------------------------- colours

// 0x00BBGGRR. Values whose top byte is 0xFF are system colours: the low byte
// indexes one fixed table (ColorToRGB resolves them).
using TColor = std::int32_t;

constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((static_cast<std::uint32_t>(r) & 0xFF) |
                             ((static_cast<std::uint32_t>(g) & 0xFF) << 8) |
                             ((static_cast<std::uint32_t>(b) & 0xFF) << 16));
}
constexpr int GetRValue(TColor c) {
  return static_cast<std::uint32_t>(c) & 0xFF;
}
constexpr int GetGValue(TColor c) {
  return (static_cast<std::uint32_t>(c) >> 8) & 0xFF;
}
constexpr int GetBValue(TColor c) {
  return (static_cast<std::uint32_t>(c) >> 16) & 0xFF;
}

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0xFF000000u | (index & 0xFF));
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

// The top byte 0xFF marks a system colour; 0x80 is taken the same way.
constexpr bool IsSystemColor(TColor c) {
  const std::uint32_t top = static_cast<std::uint32_t>(c) & 0xFF000000u;
  return top == 0xFF000000u || top == 0x80000000u;
}
// A plain 0x00BBGGRR value: system colours through the fixed table, any
// other value (clNone and clDefault too: callers test for those first)
// keeps its low three bytes, as the drawing layer would use it.
TColor ColorToRGB(TColor color);
// The fixed table behind the system colours; 0 for an unknown index.
TColor SystemColorRGB(int index);

// ---------------------------------------------------------------- fonts, pens, brushes

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset GB2312_CHARSET = 134;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};
enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

// Base of TFont, TPen and TBrush: OnChange fires after every change of value.
class TGraphicsObject : public TPersistent {
 public:
  std::function<void(TGraphicsObject* sender)> OnChange;

 protected:
  void Changed();
};

class TFont : public TGraphicsObject {
 public:
  TFont();
  void Assign(const TFont* source);
  void Assign(const TFont& source) { Assign(&source); }
  // Takes another TFont; anything else is a conversion error.
  void Assign(TPersistent* Source) override;

  const std::string& GetName() const { return FName; }
  void SetName(const std::string& name);
  // Points at 96 dpi; Size and Height are two views of one value.
  int GetSize() const;
  void SetSize(int points);
  // Negative: character height in pixels; positive: cell height (with leading).
  int GetHeight() const { return FHeight; }
  void SetHeight(int pixels);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor color);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles style);
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch pitch);
  // Kept for callers that read it back; text is always Unicode here.
  TFontCharset GetCharset() const { return FCharset; }
  void SetCharset(TFontCharset charset);
  int GetOrientation() const { return FOrientation; }  // tenths of a degree
  void SetOrientation(int tenths);

  friend bool operator==(const TFont& a, const TFont& b);

 private:
  std::string FName;
  int FHeight;
  TColor FColor;
  TFontStyles FStyle;
  TFontPitch FPitch = fpDefault;
  TFontCharset FCharset = DEFAULT_CHARSET;
  int FOrientation = 0;
};

// The installed family that stands for a Windows family name.
std::string MapFontFamily(const std::string& windowsName);
// The family used for CJK text that the mapped face lacks.
const std::string& CjkFontFamily();
// The Qt font that renders `font` (pixel size, family with CJK fallback, styles).
QFont MakeQFont(const TFont& font);

class TPen : public TGraphicsObject {
 public:
  void Assign(const TPen* source);
  void Assign(const TPen& source) { Assign(&source); }
  // Takes another TPen; anything else is a conversion error.
  void Assign(TPersistent* Source) override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor color);
  int GetWidth() const { return FWidth; }
  void SetWidth(int width);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle style);
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode mode);

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

class TBitmap;

class TBrush : public TGraphicsObject {
 public:
  ~TBrush() override;
  void Assign(const TBrush* source);
  void Assign(const TBrush& source) { Assign(&source); }
  // Takes another TBrush; anything else is a conversion error.
  void Assign(TPersistent* Source) override;
  TColor GetColor() const { return FColor; }
  // Setting a colour while the style is bsClear makes the brush solid again.
  void SetColor(TColor color);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle style);
  // A pattern bitmap tiled instead of the colour; the brush keeps its own copy.
  TBitmap* GetBitmap() const { return FBitmap.get(); }
  void SetBitmap(const TBitmap* bitmap);

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  std::unique_ptr<TBitmap> FBitmap;
};

// ---------------------------------------------------------------- canvas

enum TCopyMode : std::uint32_t {
  cmBlackness = 0x00000042,
  cmDstInvert = 0x00550009,
  cmMergeCopy = 0x00C000CA,
  cmMergePaint = 0x00BB0226,
  cmNotSrcCopy = 0x00330008,
  cmNotSrcErase = 0x001100A6,
  cmPatCopy = 0x00F00021,
  cmPatInvert = 0x005A0049,
  cmPatPaint = 0x00FB0A09,
  cmSrcAnd = 0x008800C6,
  cmSrcCopy = 0x00CC0020,
  cmSrcErase = 0x00440328,
  cmSrcInvert = 0x00660046,
  cmSrcPaint = 0x00EE0086,
  cmWhiteness = 0x00FF0062,
};

// Text layout flags of DrawText.
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_EXPANDTABS = 0x0040;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;

// DrawEdge: the two halves of an edge and the sides drawn.
constexpr unsigned BDR_RAISEDOUTER = 0x0001;
constexpr unsigned BDR_SUNKENOUTER = 0x0002;
constexpr unsigned BDR_RAISEDINNER = 0x0004;
constexpr unsigned BDR_SUNKENINNER = 0x0008;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x0001;
constexpr unsigned BF_TOP = 0x0002;
constexpr unsigned BF_RIGHT = 0x0004;
constexpr unsigned BF_BOTTOM = 0x0008;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr unsigned BF_MIDDLE = 0x0800;
constexpr unsigned BF_ADJUST = 0x2000;

// Background mode: whether the gaps of dashed pens and hatched brushes
// are filled with the background colour.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Results of the region calls.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
// CombineRgn modes.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
// Polygon fill rules.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// TextRect options (the class library's text format set).
enum TTextFormats {
  tfBottom,
  tfCalcRect,
  tfCenter,
  tfEndEllipsis,
  tfLeft,
  tfNoClip,
  tfNoPrefix,
  tfRight,
  tfSingleLine,
  tfTop,
  tfVerticalCenter,
  tfWordBreak,
  tfPathEllipsis,
  tfWordEllipsis,
  tfModifyString
};
using TTextFormat = TSet<TTextFormats>;

class TGraphic;
class TCanvas;
struct TRegionObject;
struct CanvasState;
class TCanvasRecorder;
struct TReplayMap;

// A device context is the canvas that draws on it; a region is owned by
// the caller until DeleteObject.
using HDC = TCanvas*;
using HRGN = TRegionObject*;

// The canvas. Coordinates are logical: the device pixel is the logical
// point plus (viewport origin - window origin). The clip is a region of
// device pixels; every drawing call, text and pictures included, keeps to
// it. Drawing calls on one canvas may be mixed freely with a GDI+ Graphics
// over the same surface (GraphicsFromCanvas): neither holds the surface
// between calls.
class TCanvas : public TPersistent {
 public:
  // A canvas with no surface: drawing does nothing, measuring still works.
  TCanvas();
  // Draws on `image` (not owned). The image should be Format_RGB32 or
  // Format_ARGB32(_Premultiplied); other formats are converted in place.
  explicit TCanvas(QImage* image);
  ~TCanvas() override;

  // Rebinds the canvas to another surface (a control that resized); pen,
  // brush, font, pen position, clip and origins are kept. Null detaches.
  void SetImage(QImage* image);
  // Called when the canvas needs its surface and the bound image is still
  // empty: a control makes its backing image only once something draws.
  std::function<void()> OnSurfaceNeeded;
  QImage* GetImage() const { return FImage; }
  bool HasSurface() const;
  // The canvas as a device context, for the free GDI-style calls below.
  HDC GetHandle() { return this; }

  const std::unique_ptr<TPen> Pen;
  const std::unique_ptr<TBrush> Brush;
  const std::unique_ptr<TFont> Font;
  TPen* GetPen() const { return Pen.get(); }
  TBrush* GetBrush() const { return Brush.get(); }
  TFont* GetFont() const { return Font.get(); }
  void SetPen(const TPen* pen) { Pen->Assign(pen); }
  void SetBrush(const TBrush* brush) { Brush->Assign(brush); }
  void SetFont(const TFont* font) { Font->Assign(font); }

  TCopyMode GetCopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode mode) { FCopyMode = mode; }
  TPoint GetPenPos() const { return FPenPos; }
  void SetPenPos(TPoint p) { FPenPos = p; }

  // The device's resolution in dots per inch (GetDeviceCaps LOGPIXELSX and
  // LOGPIXELSY): 96 for screens and bitmaps unless a caller that stands for
  // another device sets it.
  int GetPixelsPerInchX() const { return FPixelsPerInchX; }
  int GetPixelsPerInchY() const { return FPixelsPerInchY; }
  void SetPixelsPerInch(int X, int Y) {
    FPixelsPerInchX = X;
    FPixelsPerInchY = Y;
  }
  // Where the printable area starts on the paper, in device pixels
  // (GetDeviceCaps PHYSICALOFFSETX and PHYSICALOFFSETY): 0 except on a
  // printer's page.
  TPoint GetPhysicalOffset() const { return FPhysicalOffset; }
  void SetPhysicalOffset(TPoint p) { FPhysicalOffset = p; }

  // A recording canvas (a metafile's) also hands every drawing call, with
  // the state it drew in, to the recorder; null stops recording.
  void SetRecorder(TCanvasRecorder* recorder) { FRecorder = recorder; }
  TCanvasRecorder* GetRecorder() const { return FRecorder; }

  // ---- clip (see also the region calls below)
  // Bounds of the clip in logical coordinates: the whole surface when no
  // clip is set.
  TRect GetClipRect() const;
  // Replaces the clip by r (logical).
  void SetClipRect(const TRect& r);
  // Removes the clip: the whole surface.
  void ResetClipRect();
  // Narrows the clip to its common part with r (logical); the result kind
  // (NULLREGION, SIMPLEREGION, COMPLEXREGION).
  int IntersectClipRect(const TRect& r);
  // Takes r (logical) out of the clip.
  int ExcludeClipRect(const TRect& r);
  // A copy of `region` (device pixels) becomes the clip; null removes it.
  int SelectClipRgn(HRGN region);
  // The clip in device pixels (the whole surface when none is set).
  QRegion ClipRegion() const;

  // ---- saved states: clip, origins and background; SaveDC returns the
  // level, RestoreDC(n) goes back to level n (negative: n levels back).
  int SaveDC();
  bool RestoreDC(int level);

  // ---- origins
  TPoint GetWindowOrg() const;
  TPoint SetWindowOrg(TPoint p);  // returns the old one
  TPoint GetViewportOrg() const;
  TPoint SetViewportOrg(TPoint p);
  // Device pixel offset of logical (0, 0).
  TPoint DeviceOffset() const;

  // ---- background of dashed pens and hatched brushes. A solid brush makes
  // the mode OPAQUE with its colour, any other TRANSPARENT, whenever the
  // brush changes; SetBkMode / SetBkColor hold until the next change.
  int GetBkMode() const;
  int SetBkMode(int mode);  // returns the old mode
  TColor GetBkColor() const;
  TColor SetBkColor(TColor color);

  // Lines: from the pen position up to, not including, (x, y).
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const TPoint* points, int count);
  void Polyline(const std::vector<TPoint>& points) {
    Polyline(points.data(), static_cast<int>(points.size()));
  }

  // Shapes: outlined with the pen, filled with the brush, within
  // [x1, x2) × [y1, y2).
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  // Counter-clockwise from the ray towards (x3,y3) to the ray towards (x4,y4).
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Polygon(const TPoint* points, int count);
  void Polygon(const std::vector<TPoint>& points) { Polygon(points.data(), static_cast<int>(points.size())); }

  // Brush only (no pen). A solid clNone brush on a surface with alpha (a
  // pf32bit bitmap, a transparent control) clears to fully transparent.
  void FillRect(const TRect& r);
  // One-pixel frame in the brush colour.
  void FrameRect(const TRect& r);
  // The dotted XOR focus rectangle; drawing it twice restores the pixels.
  void DrawFocusRect(const TRect& r);
  // A 3-D edge (EDGE_SUNKEN, EDGE_RAISED, ... on the BF_ sides) in the
  // fixed 3-D system colours. BF_ADJUST shrinks r by the edge drawn,
  // BF_MIDDLE fills the inside with clBtnFace.
  void DrawEdge(TRect& r, unsigned edge, unsigned flags);

  // Text: top-left of the cell at (x, y); the background is filled with the
  // brush unless its style is bsClear. The pen position moves to the end.
  void TextOut(int x, int y, const std::string& text);
  // As TextOut, clipped to r (and r filled with the brush when not clear).
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  void TextRect(TRect& r, std::string& text, TTextFormat format);
  int TextWidth(const std::string& text) const;
  int TextHeight(const std::string& text) const;
  TSize TextExtent(const std::string& text) const;
  // Win32-style DrawText: returns the text height; with DT_CALCRECT only
  // measures and sets r.Right / r.Bottom. DT_END_ELLIPSIS cuts lines at the
  // end, DT_WORD_ELLIPSIS at a word's end, DT_PATH_ELLIPSIS keeps the last
  // path part ("\\" or "/") and cuts before it. With DT_MODIFYSTRING the
  // overload taking a modifiable string gets the shortened text back.
  int DrawText(const std::string& text, TRect& r, unsigned flags);
  int DrawText(std::string& text, TRect& r, unsigned flags);

  // Pictures.
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  // Copies source's sourceRect onto dest (scaled when sizes differ) with
  // CopyMode. cmSrcCopy at 1:1 copies whole rows.
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);

  // Pixels outside the surface read as clNone and ignore writes.
  TColor GetPixels(int x, int y) const;
  void SetPixels(int x, int y, TColor color);

  // Platform code: begins `painter` on the surface with the clip and the
  // origin in force; false (painter not begun) when nothing can show.
  bool BeginPainter(QPainter& painter);
  // Platform code that drew on the surface by other means reports it here.
  void NotifyChanged() { Changed(); }

  // The class library's change hooks; OnChange fires after every drawing
  // call. A control's canvas shows what was drawn through it.
  std::function<void(TCanvas* sender)> OnChange;
  std::function<void(TCanvas* sender)> OnChanging;
  void Lock() {}
  void Unlock() {}

 private:
  friend class CanvasDraw;
  friend class CanvasRecordScope;
  friend class TCanvasRecorder;
  void Changed();
  int DrawTextImpl(std::string& text, TRect& r, unsigned flags);
  int ClipKind() const;
  QImage* FImage = nullptr;
  TPoint FPenPos;
  TCopyMode FCopyMode = cmSrcCopy;
  int FPixelsPerInchX = 96;
  int FPixelsPerInchY = 96;
  std::unique_ptr<CanvasState> FState;
  std::vector<CanvasState> FSaved;
  TPoint FPhysicalOffset;
  TCanvasRecorder* FRecorder = nullptr;
  // Inside a recorded call: the calls it makes are not recorded again.
  bool FRecording = false;
};

// ---- the GDI-style calls on a device context (a canvas), as callers of the
// class library write them. Logical coordinates except where noted.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const TRect& r);
// The pixels whose centres lie in the ellipse inscribed in the rectangle.
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
HRGN CreatePolygonRgn(const TPoint* points, int count, int fillMode);
// dest := src1 op src2 (src2 unused by RGN_COPY); the kind of the result.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
bool PtInRegion(HRGN region, int x, int y);
bool EqualRgn(HRGN a, HRGN b);
// Frees a region; false for null.
bool DeleteObject(HRGN region);

int SelectClipRgn(HDC dc, HRGN region);  // region in device pixels
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int level);
bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old);
bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old);
bool GetWindowOrgEx(HDC dc, TPoint* p);
bool GetViewportOrgEx(HDC dc, TPoint* p);
int SetBkMode(HDC dc, int mode);
TColor SetBkColor(HDC dc, TColor color);
bool DrawEdge(HDC dc, TRect* r, unsigned edge, unsigned flags);
// Device capabilities: LOGPIXELSX and LOGPIXELSY give the canvas's
// resolution, PHYSICALOFFSETX and PHYSICALOFFSETY its physical offset;
// other indexes answer 0.
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;
int GetDeviceCaps(HDC dc, int index);
// With DT_MODIFYSTRING the first form gets the shortened text back.
int DrawText(HDC dc, std::string& text, TRect* r, unsigned flags);
int DrawText(HDC dc, const std::string& text, TRect* r, unsigned flags);

// ---------------------------------------------------------------- pictures

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

// A picture of any format. Every graphic keeps its pixels decoded as a
// 32-bit ARGB image; the format classes decode and encode.
class TGraphic : public TPersistent {
 public:
  ~TGraphic() override;
  std::function<void(TGraphic* sender)> OnChange;

  virtual int GetWidth() const;
  virtual int GetHeight() const;
  virtual bool GetEmpty() const;
  virtual bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool transparent);

  // Load and save throw EInvalidGraphic on damaged data (the graphic is left
  // as it was) and the stream errors on I/O failure.
  virtual void LoadFromStream(TStream* stream);
  virtual void SaveToStream(TStream* stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;
  void LoadFromBytes(const std::vector<std::uint8_t>& bytes);
  virtual void LoadFromBytes(const std::uint8_t* data, std::size_t size) = 0;
  virtual std::vector<std::uint8_t> SaveToBytes() const = 0;

  // Copies the picture of another graphic (any format) into this one.
  virtual void Assign(const TGraphic* source);
  // A graphic or a picture's graphic; anything else is a conversion error.
  void Assign(TPersistent* Source) override;
  // A copy of this graphic in its own format.
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  // The decoded pixels (Format_ARGB32, or Format_RGB32 for an opaque
  // bitmap); drawing goes through this.
  const QImage& GetImage() const;
  // Replace the pixels and fire OnChange.
  virtual void SetImage(const QImage& image);

  // Paint onto `canvas` into `r` (scaled when the sizes differ) honouring
  // the graphic's transparency.
  virtual void Draw(TCanvas* canvas, const TRect& r) const;

 protected:
  TGraphic();
  void Changed();
  std::unique_ptr<QImage> FImage;
  bool FTransparent = false;
};

class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;

  int GetWidth() const override;
  int GetHeight() const override;
  void SetWidth(int width);
  void SetHeight(int height);
  // Resizes keeping the pixels that still fit; new pixels are white.
  void SetSize(int width, int height);
  TPixelFormat GetPixelFormat() const { return FPixelFormat; }
  // pf32bit keeps an alpha channel; the others are stored as 24-bit colour.
  void SetPixelFormat(TPixelFormat format);

  // The bitmap's own canvas; it stays valid while the bitmap lives.
  TCanvas* GetCanvas() const { return Canvas; }
  TCanvas* const Canvas;

  // Colour key: with Transparent set, pixels of TransparentColor are not drawn.
  // tmAuto takes the bottom-left pixel's colour.
  TColor GetTransparentColor() const;
  void SetTransparentColor(TColor color);
  TTransparentMode GetTransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode mode);

  // Reads BMP (1/4/8/24/32-bit, bottom-up and top-down, RLE4/RLE8), and any
  // PNG or JPEG handed to it; saves BMP (24-bit, or 32-bit for pf32bit).
  void LoadFromBytes(const std::uint8_t* data, std::size_t size) override;
  using TGraphic::LoadFromBytes;
  std::vector<std::uint8_t> SaveToBytes() const override;
  using TGraphic::Assign;
  void Assign(const TGraphic* source) override;
  std::unique_ptr<TGraphic> Clone() const override;
  void SetImage(const QImage& image) override;
  void Draw(TCanvas* canvas, const TRect& r) const override;
  void Dormant() {}
  void FreeImage() {}

 private:
  TPixelFormat FPixelFormat = pf24bit;
  TColor FTransparentColor = clNone;
  TTransparentMode FTransparentMode = tmAuto;
  // A bitmap with one side 0 holds no pixels but keeps the other side, so
  // setting Width and then Height sizes it.
  int FEmptyWidth = 0;
  int FEmptyHeight = 0;
};

// A picture holder: owns at most one graphic of any format.
class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;

  std::function<void(TPicture* sender)> OnChange;

  TGraphic* GetGraphic() const { return FGraphic.get(); }
  // Stores a copy of `graphic` in its own format (null clears).
  void SetGraphic(const TGraphic* graphic);
  // The picture as a bitmap: a non-bitmap graphic is replaced by a bitmap
  // of its pixels; an empty picture gets an empty bitmap.
  TBitmap* GetBitmap();
  void SetBitmap(const TBitmap* bitmap) { SetGraphic(bitmap); }
  int GetWidth() const;
  int GetHeight() const;

  // The format is taken from the data (BMP, PNG or JPEG signature), not the
  // extension. Throws EInvalidGraphic for unknown or damaged data, leaving
  // the picture unchanged.
  void LoadFromFile(const std::string& fileName);
  void LoadFromStream(TStream* stream);
  void LoadFromBytes(const std::uint8_t* data, std::size_t size);
  void SaveToFile(const std::string& fileName) const;
  void Assign(const TPicture* source);
  void Assign(const TGraphic* source) { SetGraphic(source); }
  // A picture or a graphic; anything else is a conversion error.
  void Assign(TPersistent* Source) override;

 private:
  void Changed();
  std::unique_ptr<TGraphic> FGraphic;
};

// Makes an empty graphic of the format whose signature starts `data`
// (BMP, PNG, JPEG); null when none matches.
std::unique_ptr<TGraphic> NewGraphicForData(const std::uint8_t* data, std::size_t size);
