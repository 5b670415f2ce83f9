// Value types, enumerations and start-up of our GDI+ drawing API.
//
// The names, orders and values of the enumerations are those the drawing
// code of the controls was written against; the implementation underneath is
// our own, over QPainter. This header is free of Qt so that the layers above
// the platform can include it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Gdiplus {

using REAL = float;
using INT = int;
using UINT = unsigned int;
using BYTE = std::uint8_t;
using ARGB = std::uint32_t;
using WCHAR = char16_t;
using LANGID = std::uint16_t;
using PixelFormat = INT;
using GraphicsState = UINT;
using DrawImageAbort = bool (*)(void* callbackData);
using GetThumbnailImageAbort = bool (*)(void* callbackData);

enum Status {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20
};

enum FillMode { FillModeAlternate = 0, FillModeWinding = 1 };

enum Unit {
  UnitWorld = 0,
  UnitDisplay = 1,
  UnitPixel = 2,
  UnitPoint = 3,
  UnitInch = 4,
  UnitDocument = 5,
  UnitMillimeter = 6
};

enum HatchStyle {
  HatchStyleHorizontal = 0,
  HatchStyleVertical,
  HatchStyleForwardDiagonal,
  HatchStyleBackwardDiagonal,
  HatchStyleCross,
  HatchStyleDiagonalCross,
  HatchStyle05Percent,
  HatchStyle10Percent,
  HatchStyle20Percent,
  HatchStyle25Percent,
  HatchStyle30Percent,
  HatchStyle40Percent,
  HatchStyle50Percent,
  HatchStyle60Percent,
  HatchStyle70Percent,
  HatchStyle75Percent,
  HatchStyle80Percent,
  HatchStyle90Percent,
  HatchStyleLightDownwardDiagonal,
  HatchStyleLightUpwardDiagonal,
  HatchStyleDarkDownwardDiagonal,
  HatchStyleDarkUpwardDiagonal,
  HatchStyleWideDownwardDiagonal,
  HatchStyleWideUpwardDiagonal,
  HatchStyleLightVertical,
  HatchStyleLightHorizontal,
  HatchStyleNarrowVertical,
  HatchStyleNarrowHorizontal,
  HatchStyleDarkVertical,
  HatchStyleDarkHorizontal,
  HatchStyleDashedDownwardDiagonal,
  HatchStyleDashedUpwardDiagonal,
  HatchStyleDashedHorizontal,
  HatchStyleDashedVertical,
  HatchStyleSmallConfetti,
  HatchStyleLargeConfetti,
  HatchStyleZigZag,
  HatchStyleWave,
  HatchStyleDiagonalBrick,
  HatchStyleHorizontalBrick,
  HatchStyleWeave,
  HatchStylePlaid,
  HatchStyleDivot,
  HatchStyleDottedGrid,
  HatchStyleDottedDiamond,
  HatchStyleShingle,
  HatchStyleTrellis,
  HatchStyleSphere,
  HatchStyleSmallGrid,
  HatchStyleSmallCheckerBoard,
  HatchStyleLargeCheckerBoard,
  HatchStyleOutlinedDiamond,
  HatchStyleSolidDiamond,
  HatchStyleTotal,
  HatchStyleLargeGrid = HatchStyleCross,
  HatchStyleMin = HatchStyleHorizontal,
  HatchStyleMax = HatchStyleTotal - 1
};

enum DashStyle {
  DashStyleSolid = 0,
  DashStyleDash = 1,
  DashStyleDot = 2,
  DashStyleDashDot = 3,
  DashStyleDashDotDot = 4,
  DashStyleCustom = 5
};

enum DashCap { DashCapFlat = 0, DashCapRound = 2, DashCapTriangle = 3 };

enum LineCap {
  LineCapFlat = 0,
  LineCapSquare = 1,
  LineCapRound = 2,
  LineCapTriangle = 3,
  LineCapNoAnchor = 0x10,
  LineCapSquareAnchor = 0x11,
  LineCapRoundAnchor = 0x12,
  LineCapDiamondAnchor = 0x13,
  LineCapArrowAnchor = 0x14,
  LineCapCustom = 0xff,
  LineCapAnchorMask = 0xf0
};

enum LineJoin { LineJoinMiter = 0, LineJoinBevel = 1, LineJoinRound = 2, LineJoinMiterClipped = 3 };

enum PenAlignment { PenAlignmentCenter = 0, PenAlignmentInset = 1 };

enum PenType {
  PenTypeSolidColor = 0,
  PenTypeHatchFill = 1,
  PenTypeTextureFill = 2,
  PenTypePathGradient = 3,
  PenTypeLinearGradient = 4,
  PenTypeUnknown = -1
};

enum BrushType {
  BrushTypeSolidColor = 0,
  BrushTypeHatchFill = 1,
  BrushTypeTextureFill = 2,
  BrushTypePathGradient = 3,
  BrushTypeLinearGradient = 4
};

enum WrapMode {
  WrapModeTile = 0,
  WrapModeTileFlipX = 1,
  WrapModeTileFlipY = 2,
  WrapModeTileFlipXY = 3,
  WrapModeClamp = 4
};

enum LinearGradientMode {
  LinearGradientModeHorizontal = 0,
  LinearGradientModeVertical = 1,
  LinearGradientModeForwardDiagonal = 2,
  LinearGradientModeBackwardDiagonal = 3
};

enum CombineMode {
  CombineModeReplace = 0,
  CombineModeIntersect = 1,
  CombineModeUnion = 2,
  CombineModeXor = 3,
  CombineModeExclude = 4,
  CombineModeComplement = 5
};

enum MatrixOrder { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };

enum QualityMode { QualityModeInvalid = -1, QualityModeDefault = 0, QualityModeLow = 1, QualityModeHigh = 2 };

enum SmoothingMode {
  SmoothingModeInvalid = QualityModeInvalid,
  SmoothingModeDefault = QualityModeDefault,
  SmoothingModeHighSpeed = QualityModeLow,
  SmoothingModeHighQuality = QualityModeHigh,
  SmoothingModeNone = 3,
  SmoothingModeAntiAlias = 4,
  SmoothingModeAntiAlias8x4 = SmoothingModeAntiAlias,
  SmoothingModeAntiAlias8x8 = 5
};

enum PixelOffsetMode {
  PixelOffsetModeInvalid = QualityModeInvalid,
  PixelOffsetModeDefault = QualityModeDefault,
  PixelOffsetModeHighSpeed = QualityModeLow,
  PixelOffsetModeHighQuality = QualityModeHigh,
  PixelOffsetModeNone = 3,
  PixelOffsetModeHalf = 4
};

enum CompositingMode { CompositingModeSourceOver = 0, CompositingModeSourceCopy = 1 };

enum CompositingQuality {
  CompositingQualityInvalid = QualityModeInvalid,
  CompositingQualityDefault = QualityModeDefault,
  CompositingQualityHighSpeed = QualityModeLow,
  CompositingQualityHighQuality = QualityModeHigh,
  CompositingQualityGammaCorrected = 3,
  CompositingQualityAssumeLinear = 4
};

enum InterpolationMode {
  InterpolationModeInvalid = QualityModeInvalid,
  InterpolationModeDefault = QualityModeDefault,
  InterpolationModeLowQuality = QualityModeLow,
  InterpolationModeHighQuality = QualityModeHigh,
  InterpolationModeBilinear = 3,
  InterpolationModeBicubic = 4,
  InterpolationModeNearestNeighbor = 5,
  InterpolationModeHighQualityBilinear = 6,
  InterpolationModeHighQualityBicubic = 7
};

enum TextRenderingHint {
  TextRenderingHintSystemDefault = 0,
  TextRenderingHintSingleBitPerPixelGridFit = 1,
  TextRenderingHintSingleBitPerPixel = 2,
  TextRenderingHintAntiAliasGridFit = 3,
  TextRenderingHintAntiAlias = 4,
  TextRenderingHintClearTypeGridFit = 5
};

enum StringAlignment { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };

enum StringTrimming {
  StringTrimmingNone = 0,
  StringTrimmingCharacter = 1,
  StringTrimmingWord = 2,
  StringTrimmingEllipsisCharacter = 3,
  StringTrimmingEllipsisWord = 4,
  StringTrimmingEllipsisPath = 5
};

enum StringFormatFlags {
  StringFormatFlagsDirectionRightToLeft = 0x00000001,
  StringFormatFlagsDirectionVertical = 0x00000002,
  StringFormatFlagsNoFitBlackBox = 0x00000004,
  StringFormatFlagsDisplayFormatControl = 0x00000020,
  StringFormatFlagsNoFontFallback = 0x00000400,
  StringFormatFlagsMeasureTrailingSpaces = 0x00000800,
  StringFormatFlagsNoWrap = 0x00001000,
  StringFormatFlagsLineLimit = 0x00002000,
  StringFormatFlagsNoClip = 0x00004000
};

enum HotkeyPrefix { HotkeyPrefixNone = 0, HotkeyPrefixShow = 1, HotkeyPrefixHide = 2 };

enum FontStyle {
  FontStyleRegular = 0,
  FontStyleBold = 1,
  FontStyleItalic = 2,
  FontStyleBoldItalic = 3,
  FontStyleUnderline = 4,
  FontStyleStrikeout = 8
};

enum FlushIntention { FlushIntentionFlush = 0, FlushIntentionSync = 1 };

enum RotateFlipType {
  RotateNoneFlipNone = 0,
  Rotate90FlipNone = 1,
  Rotate180FlipNone = 2,
  Rotate270FlipNone = 3,
  RotateNoneFlipX = 4,
  Rotate90FlipX = 5,
  Rotate180FlipX = 6,
  Rotate270FlipX = 7,
  RotateNoneFlipY = Rotate180FlipX,
  Rotate90FlipY = Rotate270FlipX,
  Rotate180FlipY = RotateNoneFlipX,
  Rotate270FlipY = Rotate90FlipX,
  RotateNoneFlipXY = Rotate180FlipNone,
  Rotate90FlipXY = Rotate270FlipNone,
  Rotate180FlipXY = RotateNoneFlipNone,
  Rotate270FlipXY = Rotate90FlipNone
};

enum ColorAdjustType {
  ColorAdjustTypeDefault = 0,
  ColorAdjustTypeBitmap = 1,
  ColorAdjustTypeBrush = 2,
  ColorAdjustTypePen = 3,
  ColorAdjustTypeText = 4,
  ColorAdjustTypeCount = 5,
  ColorAdjustTypeAny = 6
};

enum ColorMatrixFlags {
  ColorMatrixFlagsDefault = 0,
  ColorMatrixFlagsSkipGrays = 1,
  ColorMatrixFlagsAltGray = 2
};

enum ColorChannelFlags {
  ColorChannelFlagsC = 0,
  ColorChannelFlagsM = 1,
  ColorChannelFlagsY = 2,
  ColorChannelFlagsK = 3,
  ColorChannelFlagsLast = 4
};

enum ImageType { ImageTypeUnknown = 0, ImageTypeBitmap = 1, ImageTypeMetafile = 2 };

// Pixel formats: index in bits 0-7, bits per pixel in bits 8-15, flags above.
inline constexpr PixelFormat PixelFormatIndexed = 0x00010000;
inline constexpr PixelFormat PixelFormatGDI = 0x00020000;
inline constexpr PixelFormat PixelFormatAlpha = 0x00040000;
inline constexpr PixelFormat PixelFormatPAlpha = 0x00080000;
inline constexpr PixelFormat PixelFormatExtended = 0x00100000;
inline constexpr PixelFormat PixelFormatCanonical = 0x00200000;
inline constexpr PixelFormat PixelFormatUndefined = 0;
inline constexpr PixelFormat PixelFormatDontCare = 0;
inline constexpr PixelFormat PixelFormat1bppIndexed = 1 | (1 << 8) | PixelFormatIndexed | PixelFormatGDI;
inline constexpr PixelFormat PixelFormat4bppIndexed = 2 | (4 << 8) | PixelFormatIndexed | PixelFormatGDI;
inline constexpr PixelFormat PixelFormat8bppIndexed = 3 | (8 << 8) | PixelFormatIndexed | PixelFormatGDI;
inline constexpr PixelFormat PixelFormat16bppGrayScale = 4 | (16 << 8) | PixelFormatExtended;
inline constexpr PixelFormat PixelFormat16bppRGB555 = 5 | (16 << 8) | PixelFormatGDI;
inline constexpr PixelFormat PixelFormat16bppRGB565 = 6 | (16 << 8) | PixelFormatGDI;
inline constexpr PixelFormat PixelFormat16bppARGB1555 = 7 | (16 << 8) | PixelFormatAlpha | PixelFormatGDI;
inline constexpr PixelFormat PixelFormat24bppRGB = 8 | (24 << 8) | PixelFormatGDI;
inline constexpr PixelFormat PixelFormat32bppRGB = 9 | (32 << 8) | PixelFormatGDI;
inline constexpr PixelFormat PixelFormat32bppARGB =
    10 | (32 << 8) | PixelFormatAlpha | PixelFormatGDI | PixelFormatCanonical;
inline constexpr PixelFormat PixelFormat32bppPARGB =
    11 | (32 << 8) | PixelFormatAlpha | PixelFormatPAlpha | PixelFormatGDI;
inline constexpr PixelFormat PixelFormat48bppRGB = 12 | (48 << 8) | PixelFormatExtended;
inline constexpr PixelFormat PixelFormat64bppARGB =
    13 | (64 << 8) | PixelFormatAlpha | PixelFormatCanonical | PixelFormatExtended;
inline constexpr PixelFormat PixelFormat64bppPARGB =
    14 | (64 << 8) | PixelFormatAlpha | PixelFormatPAlpha | PixelFormatExtended;

inline constexpr UINT GetPixelFormatSize(PixelFormat format) {
  return (format >> 8) & 0xff;
}
inline constexpr bool IsIndexedPixelFormat(PixelFormat format) {
  return (format & PixelFormatIndexed) != 0;
}
inline constexpr bool IsAlphaPixelFormat(PixelFormat format) {
  return (format & PixelFormatAlpha) != 0;
}

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  BYTE Data4[8];
};

constexpr bool operator==(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.Data4[i] != b.Data4[i]) return false;
  return true;
}

// Raw image format identifiers; they differ only in their first field.
inline constexpr GUID ImageFormatUndefined{
    0xb96b3ca9, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatMemoryBMP{
    0xb96b3caa, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatBMP{
    0xb96b3cab, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatEMF{
    0xb96b3cac, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatWMF{
    0xb96b3cad, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatJPEG{
    0xb96b3cae, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatPNG{
    0xb96b3caf, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatGIF{
    0xb96b3cb0, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatTIFF{
    0xb96b3cb1, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatEXIF{
    0xb96b3cb2, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
inline constexpr GUID ImageFormatIcon{
    0xb96b3cb5, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// ---- geometry -------------------------------------------------------------

struct SizeF {
  REAL Width = 0, Height = 0;
  SizeF() = default;
  SizeF(REAL width, REAL height) : Width(width), Height(height) {}
  bool Empty() const { return Width == 0 && Height == 0; }
};

struct Size {
  INT Width = 0, Height = 0;
  Size() = default;
  Size(INT width, INT height) : Width(width), Height(height) {}
  bool Empty() const { return Width == 0 && Height == 0; }
};

struct PointF {
  REAL X = 0, Y = 0;
  PointF() = default;
  PointF(REAL x, REAL y) : X(x), Y(y) {}
  PointF operator+(const PointF& o) const { return {X + o.X, Y + o.Y}; }
  PointF operator-(const PointF& o) const { return {X - o.X, Y - o.Y}; }
  bool Equals(const PointF& o) const { return X == o.X && Y == o.Y; }
};

struct Point {
  INT X = 0, Y = 0;
  Point() = default;
  Point(INT x, INT y) : X(x), Y(y) {}
  Point operator+(const Point& o) const { return {X + o.X, Y + o.Y}; }
  Point operator-(const Point& o) const { return {X - o.X, Y - o.Y}; }
  bool Equals(const Point& o) const { return X == o.X && Y == o.Y; }
};

struct RectF {
  REAL X = 0, Y = 0, Width = 0, Height = 0;
  RectF() = default;
  RectF(REAL x, REAL y, REAL width, REAL height) : X(x), Y(y), Width(width), Height(height) {}
  RectF(const PointF& location, const SizeF& size)
      : X(location.X), Y(location.Y), Width(size.Width), Height(size.Height) {}
  REAL GetLeft() const { return X; }
  REAL GetTop() const { return Y; }
  REAL GetRight() const { return X + Width; }
  REAL GetBottom() const { return Y + Height; }
  bool IsEmptyArea() const { return Width <= 0 || Height <= 0; }
  bool Contains(REAL x, REAL y) const { return x >= X && x < X + Width && y >= Y && y < Y + Height; }
  bool Contains(const PointF& p) const { return Contains(p.X, p.Y); }
  void Inflate(REAL dx, REAL dy) {
    X -= dx;
    Y -= dy;
    Width += 2 * dx;
    Height += 2 * dy;
  }
  void Offset(REAL dx, REAL dy) {
    X += dx;
    Y += dy;
  }
  bool Equals(const RectF& o) const { return X == o.X && Y == o.Y && Width == o.Width && Height == o.Height; }
};

struct Rect {
  INT X = 0, Y = 0, Width = 0, Height = 0;
  Rect() = default;
  Rect(INT x, INT y, INT width, INT height) : X(x), Y(y), Width(width), Height(height) {}
  Rect(const Point& location, const Size& size)
      : X(location.X), Y(location.Y), Width(size.Width), Height(size.Height) {}
  INT GetLeft() const { return X; }
  INT GetTop() const { return Y; }
  INT GetRight() const { return X + Width; }
  INT GetBottom() const { return Y + Height; }
  bool IsEmptyArea() const { return Width <= 0 || Height <= 0; }
  bool Contains(INT x, INT y) const { return x >= X && x < X + Width && y >= Y && y < Y + Height; }
  void Inflate(INT dx, INT dy) {
    X -= dx;
    Y -= dy;
    Width += 2 * dx;
    Height += 2 * dy;
  }
  void Offset(INT dx, INT dy) {
    X += dx;
    Y += dy;
  }
  bool Equals(const Rect& o) const { return X == o.X && Y == o.Y && Width == o.Width && Height == o.Height; }
};

// ---- colour ----------------------------------------------------------------

// A 32-bit colour: alpha in bits 24-31, red 16-23, green 8-15, blue 0-7.
class Color {
 public:
  enum : ARGB {
    Black = 0xFF000000,
    White = 0xFFFFFFFF,
    Transparent = 0x00FFFFFF,
    Red = 0xFFFF0000,
    Green = 0xFF008000,
    Blue = 0xFF0000FF,
    Yellow = 0xFFFFFF00,
    Gray = 0xFF808080,
    Silver = 0xFFC0C0C0
  };
  enum { AlphaShift = 24, RedShift = 16, GreenShift = 8, BlueShift = 0 };

  Color() = default;
  Color(BYTE r, BYTE g, BYTE b) : FArgb(MakeARGB(255, r, g, b)) {}
  Color(BYTE a, BYTE r, BYTE g, BYTE b) : FArgb(MakeARGB(a, r, g, b)) {}
  Color(ARGB argb) : FArgb(argb) {}  // implicit: ARGB values are passed where colours go

  BYTE GetA() const { return static_cast<BYTE>(FArgb >> AlphaShift); }
  BYTE GetR() const { return static_cast<BYTE>(FArgb >> RedShift); }
  BYTE GetG() const { return static_cast<BYTE>(FArgb >> GreenShift); }
  BYTE GetB() const { return static_cast<BYTE>(FArgb >> BlueShift); }
  BYTE GetAlpha() const { return GetA(); }
  BYTE GetRed() const { return GetR(); }
  BYTE GetGreen() const { return GetG(); }
  BYTE GetBlue() const { return GetB(); }
  ARGB GetValue() const { return FArgb; }
  void SetValue(ARGB argb) { FArgb = argb; }

  static constexpr ARGB MakeARGB(BYTE a, BYTE r, BYTE g, BYTE b) {
    return (ARGB(a) << AlphaShift) | (ARGB(r) << RedShift) | (ARGB(g) << GreenShift) | (ARGB(b) << BlueShift);
  }
  static Color FromArgb(BYTE a, BYTE r, BYTE g, BYTE b) { return Color(a, r, g, b); }

 private:
  ARGB FArgb = Black;
};

struct ColorMatrix {
  REAL m[5][5];
};

// ---- start-up ---------------------------------------------------------------

using DebugEventProc = void (*)(int level, char* message);
using NotificationHookProc = Status (*)(std::uintptr_t* token);
using NotificationUnhookProc = void (*)(std::uintptr_t token);

struct GdiplusStartupInput {
  UINT GdiplusVersion = 1;
  DebugEventProc DebugEventCallback = nullptr;
  bool SuppressBackgroundThread = false;
  bool SuppressExternalCodecs = false;
};

struct GdiplusStartupOutput {
  NotificationHookProc NotificationHook = nullptr;
  NotificationUnhookProc NotificationUnhook = nullptr;
};

// Nothing needs starting over Qt; these check their arguments as the real
// calls do and hand back working (no-op) notification hooks.
Status GdiplusStartup(std::uintptr_t* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void GdiplusShutdown(std::uintptr_t token);

}  // namespace Gdiplus
