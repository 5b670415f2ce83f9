#pragma once
// TGDIPFill: one description of how to paint an area: a soft shadow, the
// body (solid or a gradient of one of several kinds, optionally split into
// an upper half and a mirrored lower half), pictures, border, glow and a
// dotted focus outline, every colour with its own opacity. Also the shape
// fill and the text helpers of the drawing layer that the fill builds on.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/AdvGDIP.h"
#include "controls/ControlProperties.h"

class TIniFile;

enum TFillPictureMode { pmInsideFill, pmOutsideFill };
enum TFillPicturePosition {
  ppTopLeft,
  ppTopCenter,
  ppTopRight,
  ppBottomLeft,
  ppBottomCenter,
  ppBottomRight,
  ppTiled,
  ppStretched,
  ppCenterLeft,
  ppCenterCenter,
  ppCenterRight,
  ppCustom
};
enum TPictureMode { pmStretch, pmNormal };
enum TFillPictureSize { psOriginal, psCustom };
enum TFillRoundingType { rtNone, rtTop, rtBottom, rtBoth, rtLeft, rtRight };
enum TShadowType { stRightBottom, stBottom, stSurround };
enum TGlowMode { gmNone, gmGradient, gmRadial, gmRadialGradient };

// ---------------------------------------------------------------- shape fill and text

struct TGPShapeFill {
  TGPGraphics* Graphics = nullptr;
  TGPGraphicsPath* Path = nullptr;
  bool UsePath = false;
  TGPRectF Rect;
  TAdvGradientType GradientType = gtSolid;
  TColor Color = clNone;
  TColor ColorTo = clNone;
  std::uint8_t Opacity = 255;
  std::uint8_t OpacityTo = 255;
  Gdiplus::HatchStyle HatchStyle = Gdiplus::HatchStyleHorizontal;
  int Angle = 0;
  TAdvGDIPPicture* Picture = nullptr;
  TColor BorderColor = clNone;
  int BorderWidth = 0;
  Gdiplus::DashStyle BorderStyle = Gdiplus::DashStyleSolid;
  bool TopLine = false;
};

// Fills the shape in its kind and outlines it.
void DrawShapeFill(const TGPShapeFill& Fill);

// UTF-8 text as the drawing layer's wide characters.
std::u16string Utf16(const std::string& s);
// A drawing-layer font for a class-library font ("Arial" when the family
// is unknown); the caller owns it.
std::unique_ptr<TGPFont> MakeFont(const TFont& Font);
int TextWidth(TGPGraphics* Graphics, const std::string& Text, const TFont& Font);
int TextHeight(TGPGraphics* Graphics, const std::string& Text, const TFont& Font);
// Draws, or with DT_CALCRECT measures, text at R's top-left; fills the
// measured box first when Background is a colour. Returns R's height.
int DrawText(TGPGraphics* Graphics, const std::string& Text, int Count, TRect& R, const TFont& Font,
             std::uint32_t Flags, TColor Background);
// The width correction DrawText takes off a measured box, by point size.
int TextWidthCorrection(int PointSize);

// The text form of picture bytes in a saved fill: two uppercase hex digits
// per byte; reading takes either case, ignores a last odd digit and raises
// EConvertError "No Hex-Number" on anything else.
std::string HexFromBytes(const std::vector<std::uint8_t>& Bytes);
std::vector<std::uint8_t> BytesFromHex(const std::string& Text);

// The rounded outline of R with the given corners.
std::unique_ptr<TGPGraphicsPath> CreateRoundRectPath(const TGPRectF& R, float Radius, TFillRoundingType Type);

// Where a picture of w x h goes in Rect.
TRect FillPictureRect(TFillPicturePosition Position, int w, int h, const TRect& Rect, int Left, int Top,
                      bool AspectRatio, TPictureMode AspectMode);
TPoint GetAspectFitSize(int PictureW, int PictureH, int RectW, int RectH, TPictureMode Mode);

// ---------------------------------------------------------------- the fill

class TGDIPFill : public TPersistent {
 public:
  TGDIPFill();
  ~TGDIPFill() override;
  void Assign(TPersistent* Source) override;

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate() {
    if (FUpdateCount > 0) --FUpdateCount;
  }

  // Paints over R and returns the body's rectangle (R less the shadow).
  // An opacity of 255 takes the fill's own value.
  TGPRectF Fill(TGPGraphics* Graphics, const TGPRectF& R, std::uint8_t ABorderOpacity = 255,
                std::uint8_t AOpacity = 255, std::uint8_t AOpacityTo = 255, std::uint8_t AOpacityMirror = 255,
                std::uint8_t AOpacityMirrorTo = 255);
  void DrawGradientBackGround(TGPGraphics* Graphics, const TGPRectF& R, bool Mirror, std::uint8_t oc,
                              std::uint8_t octo, std::uint8_t ocmr, std::uint8_t ocmrto);
  void DrawGlow(TGPGraphics* Graphics, const TGPRectF& R);

  TAdvGDIPPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TGraphic* Value);
  TAdvGDIPPicture* GetBackGroundPicture() const { return FBackGroundPicture.get(); }
  void SetBackGroundPicture(TGraphic* Value);
  bool GetFocus() const { return FFocus; }
  void SetFocus(bool Value) { FFocus = Value; }
  TColor GetFocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor Value) { FFocusColor = Value; }

  // The fill's settings in a section of a settings file, and on the
  // clipboard under the format "GDI+ Fill".
  void SaveToFile(const std::string& FileName, const std::string& Section);
  void LoadFromFile(const std::string& FileName, const std::string& Section);
  void SaveToFile(TIniFile* Ini, const std::string& Section);
  void LoadFromFile(TIniFile* Ini, const std::string& Section);
  void SaveToClipBoard();
  void LoadFromClipBoard();

  TNotifyEvent OnChange;

  CONTROL_PROPERTY(TColor, Color, clSilver, Changed())
  CONTROL_PROPERTY(TColor, ColorTo, clGray, Changed())
  CONTROL_PROPERTY(TColor, ColorMirror, clNone, Changed())
  CONTROL_PROPERTY(TColor, ColorMirrorTo, clNone, Changed())
  CONTROL_PROPERTY(TAdvGradientType, GradientType, gtVertical, Changed())
  CONTROL_PROPERTY(TAdvGradientType, GradientMirrorType, gtSolid, Changed())
  CONTROL_PROPERTY(Gdiplus::HatchStyle, HatchStyle, Gdiplus::HatchStyleHorizontal, Changed())
  CONTROL_PROPERTY(Gdiplus::HatchStyle, HatchStyleMirror, Gdiplus::HatchStyleHorizontal, Changed())
  CONTROL_PROPERTY(bool, BackGroundPictureAspectRatio, false, Changed())
  CONTROL_PROPERTY(TFillPictureMode, BackGroundPictureMode, pmOutsideFill, Changed())
  CONTROL_PROPERTY(TFillPicturePosition, BackGroundPicturePosition, ppTopLeft, Changed())
  CONTROL_PROPERTY(int, BackGroundPictureLeft, 0, Changed())
  CONTROL_PROPERTY(int, BackGroundPictureTop, 0, Changed())
  CONTROL_PROPERTY(TPictureMode, BackGroundPictureAspectMode, pmStretch, Changed())
  CONTROL_PROPERTY(TFillPicturePosition, PicturePosition, ppTopLeft, Changed())
  CONTROL_PROPERTY(int, PictureLeft, 0, Changed())
  CONTROL_PROPERTY(int, PictureTop, 0, Changed())
  CONTROL_PROPERTY(TFillPictureSize, PictureSize, psOriginal, Changed())
  CONTROL_PROPERTY(int, PictureWidth, 50, Changed())
  CONTROL_PROPERTY(int, PictureHeight, 50, Changed())
  CONTROL_PROPERTY(bool, PictureAspectRatio, false, Changed())
  CONTROL_PROPERTY(TPictureMode, PictureAspectMode, pmStretch, Changed())
  CONTROL_PROPERTY(std::uint8_t, Opacity, 255, Changed())
  CONTROL_PROPERTY(std::uint8_t, OpacityTo, 255, Changed())
  CONTROL_PROPERTY(std::uint8_t, OpacityMirror, 255, Changed())
  CONTROL_PROPERTY(std::uint8_t, OpacityMirrorTo, 255, Changed())
  CONTROL_PROPERTY(TColor, BorderColor, clNone, Changed())
  CONTROL_PROPERTY(std::uint8_t, BorderOpacity, 255, Changed())
  CONTROL_PROPERTY(int, BorderWidth, 1, Changed())
  CONTROL_PROPERTY(int, Rounding, 0, Changed())
  CONTROL_PROPERTY(TFillRoundingType, RoundingType, rtBoth, Changed())
  CONTROL_PROPERTY(TColor, ShadowColor, clGray, Changed())
  CONTROL_PROPERTY(int, ShadowOffset, 0, Changed())
  CONTROL_PROPERTY(TShadowType, ShadowType, stRightBottom, Changed())
  CONTROL_PROPERTY(int, Angle, 0, Changed())
  CONTROL_PROPERTY(TGlowMode, Glow, gmNone, Changed())
  CONTROL_PROPERTY(TColor, GlowGradientColor, clWhite, Changed())
  CONTROL_PROPERTY(TColor, GlowRadialColor, clWhite, Changed())

 protected:
  void Changed();

 private:
  struct Field;
  static const std::vector<Field>& Fields();
  void DrawRadialFill(TGPGraphics* G, const TGPRectF& R, TColor C, TColor CTo, std::uint8_t O,
                      std::uint8_t OTo, bool Top, TFillRoundingType Type);
  void DrawFillPicture(TGPGraphics* G, TAdvGDIPPicture* Picture, int w, int h, TFillPicturePosition Position,
                       const TRect& Rect, int Left, int Top, bool AspectRatio, TPictureMode AspectMode);

  std::unique_ptr<TAdvGDIPPicture> FPicture;
  std::unique_ptr<TAdvGDIPPicture> FBackGroundPicture;
  bool FFocus = false;
  TColor FFocusColor = clBlack;
  TGPRectF FFocusRect;
  int FUpdateCount = 0;
};
