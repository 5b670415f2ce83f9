#pragma once
// The fader's appearance objects: thumb, slider, tick marks, min/max buttons
// and position label. Each holds values and pictures only and reports every
// effective change through OnChange to the fader that owns it.

#include <memory>
#include <string>

#include "controls/AdvGDIP.h"
#include "controls/GDIPicture.h"
#include "platform/classlib/Classes.h"
#include "platform/classlib/Graphics.h"

class TCustomTrackBar;

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TThumbShape {
  tsPointer,
  tsRectangle,
  tsRoundRect,
  tsRound,
  tsLine,
  tsPointerRightUp,
  tsPointerLeftUp,
  tsTriangle,
  tsTriangleLeft,
  tsTriangleRight
};
enum TThumbPointer { tpLeft, tpCenter, tpRight };
enum TThumbStyle { tstOffice2007, tstCustom };
enum TGDIPGradient { ggRadial, ggVertical, ggDiagonalForward, ggDiagonalBackward };
enum TGradientDirection { gdHorizontal, gdVertical, gdHorizontalInOut, gdVerticalInOut };
enum TTickMark { tmTopLeft, tmBottomRight, tmBoth };
enum TTickStyle { tsAuto, tsManual, tsNone };
enum TTrackButtonShape { bsRound, bsRectangle };
enum TLabelPosition { lpTopLeft, lpTopCenter, lpTopRight, lpBottomLeft, lpBottomCenter, lpBottomRight };

// Stores a changed value and fires OnChange.
#define TRACKBAR_PROPERTY(Type, Name) \
 public:                              \
  Type Get##Name() const {            \
    return F##Name;                   \
  }                                   \
  void Set##Name(Type Value) {        \
    if (F##Name == Value) return;     \
    F##Name = Value;                  \
    Changed();                        \
  }                                   \
                                      \
 private:                             \
  Type F##Name

// Stored without a change notice.
#define TRACKBAR_QUIET_PROPERTY(Type, Name) \
 public:                                    \
  Type Get##Name() const {                  \
    return F##Name;                         \
  }                                         \
  void Set##Name(Type Value) {              \
    F##Name = Value;                        \
  }                                         \
                                            \
 private:                                   \
  Type F##Name

// The base of the five objects: the change notice to the owner.
class TTrackBarPart : public TPersistent {
 public:
  TNotifyEvent OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  // A picture owned by the part whose changes reach PictureChanged.
  std::unique_ptr<TGDIPPicture> MakePicture();
  virtual void PictureChanged() { Changed(); }
};

// Five colours of one state of a thumb or a button.
struct TThumbColors {
  TColor Border;
  TColor Color;
  TColor ColorTo;
  TColor Mirror;
  TColor MirrorTo;
};

class TTrackBarThumb : public TTrackBarPart {
 public:
  explicit TTrackBarThumb(TCustomTrackBar* AOwner);
  void Assign(TPersistent* Source) override;

  TGDIPPicture* GetPicture() const { return FPicture.get(); }
  TGDIPPicture* GetPictureHot() const { return FPictureHot.get(); }
  TGDIPPicture* GetPictureDown() const { return FPictureDown.get(); }
  TGDIPPicture* GetPictureDisabled() const { return FPictureDisabled.get(); }
  void SetPicture(TGraphic* Value) { FPicture->Assign(Value); }
  void SetPictureHot(TGraphic* Value) { FPictureHot->Assign(Value); }
  void SetPictureDown(TGraphic* Value) { FPictureDown->Assign(Value); }
  void SetPictureDisabled(TGraphic* Value) { FPictureDisabled->Assign(Value); }

  int GetSize() const { return FSize; }
  void SetSize(int Value);
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value);
  TThumbPointer GetThumbPointer() const { return FThumbPointer; }
  void SetThumbPointer(TThumbPointer Value);
  TThumbStyle GetStyle() const { return FStyle; }
  void SetStyle(TThumbStyle Value);
  int GetSteps() const { return FSteps; }

  // The colours of a state: 0 normal, 1 hot, 2 pressed, 3 disabled.
  TThumbColors StateColors(int State) const;
  // Sizes the thumb from Picture when one is set (vertical: Width = picture
  // height, Size = picture width).
  void SizeFromPicture();

 protected:
  void PictureChanged() override;

  TRACKBAR_PROPERTY(TColor, BorderColor) = 10317632;
  TRACKBAR_PROPERTY(TColor, Color) = 15653832;
  TRACKBAR_PROPERTY(TColor, ColorTo) = 16178633;
  TRACKBAR_PROPERTY(TColor, ColorMirror) = 15586496;
  TRACKBAR_PROPERTY(TColor, ColorMirrorTo) = 16245200;
  TRACKBAR_PROPERTY(TColor, BorderColorHot) = 10079963;
  TRACKBAR_PROPERTY(TColor, ColorHot) = 15465983;
  TRACKBAR_PROPERTY(TColor, ColorHotTo) = 11332863;
  TRACKBAR_QUIET_PROPERTY(TColor, ColorMirrorHot) = 5888767;
  TRACKBAR_QUIET_PROPERTY(TColor, ColorMirrorHotTo) = 10807807;
  TRACKBAR_PROPERTY(TColor, BorderColorDown) = 4548219;
  TRACKBAR_PROPERTY(TColor, ColorDown) = 7778289;
  TRACKBAR_PROPERTY(TColor, ColorDownTo) = 4296947;
  TRACKBAR_QUIET_PROPERTY(TColor, ColorMirrorDown) = 946929;
  TRACKBAR_QUIET_PROPERTY(TColor, ColorMirrorDownTo) = 5021693;
  TRACKBAR_PROPERTY(TColor, BorderColorDisabled) = clBlack;
  TRACKBAR_PROPERTY(TColor, ColorDisabled) = clBlack;
  TRACKBAR_PROPERTY(TColor, ColorDisabledTo) = clBlack;
  TRACKBAR_PROPERTY(TColor, ColorMirrorDisabled) = clBlack;
  TRACKBAR_PROPERTY(TColor, ColorMirrorDisabledTo) = clBlack;
  TRACKBAR_PROPERTY(TGDIPGradient, Gradient) = ggVertical;
  TRACKBAR_PROPERTY(TGDIPGradient, GradientMirror) = ggRadial;
  TRACKBAR_PROPERTY(TThumbShape, Shape) = tsPointer;
  TRACKBAR_PROPERTY(bool, ShowAtMinMax) = true;

 private:
  TCustomTrackBar* FAdvTrackBar;
  std::unique_ptr<TGDIPPicture> FPicture, FPictureHot, FPictureDown, FPictureDisabled;
  int FSize = 15;
  int FWidth = 10;
  TThumbPointer FThumbPointer = tpCenter;
  TThumbStyle FStyle = tstOffice2007;
  int FSteps = 64;
};

class TTrackBarSlider : public TTrackBarPart {
 public:
  explicit TTrackBarSlider(TCustomTrackBar* AOwner);
  void Assign(TPersistent* Source) override;

  TGDIPPicture* GetPicture() const { return FPicture.get(); }
  TGDIPPicture* GetPictureDisabled() const { return FPictureDisabled.get(); }
  TGDIPPicture* GetPictureCompleted() const { return FPictureCompleted.get(); }
  TGDIPPicture* GetPictureCompletedDisabled() const { return FPictureCompletedDisabled.get(); }
  void SetPicture(TGraphic* Value) { FPicture->Assign(Value); }
  void SetPictureDisabled(TGraphic* Value) { FPictureDisabled->Assign(Value); }
  void SetPictureCompleted(TGraphic* Value) { FPictureCompleted->Assign(Value); }
  void SetPictureCompletedDisabled(TGraphic* Value) { FPictureCompletedDisabled->Assign(Value); }
  int GetSteps() const { return FSteps; }

 protected:
  void PictureChanged() override;

  TRACKBAR_PROPERTY(TColor, Color) = clWhite;
  TRACKBAR_PROPERTY(TColor, ColorTo) = clBlack;
  TRACKBAR_PROPERTY(TColor, BorderColor) = 12752500;
  TRACKBAR_PROPERTY(TColor, BorderColorDisabled) = clBlack;
  TRACKBAR_PROPERTY(TColor, ColorDisabled) = clBlack;
  TRACKBAR_PROPERTY(TColor, ColorDisabledTo) = clBlack;
  TRACKBAR_PROPERTY(TColor, ColorCompleted) = clNone;
  TRACKBAR_PROPERTY(TColor, ColorCompletedTo) = clNone;
  TRACKBAR_PROPERTY(TColor, ColorCompletedDisabled) = clNone;
  TRACKBAR_PROPERTY(TColor, ColorCompletedDisabledTo) = clNone;
  TRACKBAR_PROPERTY(TGradientDirection, Direction) = gdHorizontal;
  TRACKBAR_PROPERTY(int, Size) = 2;
  TRACKBAR_PROPERTY(int, Offset) = 10;
  TRACKBAR_PROPERTY(bool, Visible) = true;
  TRACKBAR_PROPERTY(bool, Border3D) = true;
  TRACKBAR_PROPERTY(bool, Rounded) = false;
  TRACKBAR_PROPERTY(bool, PictureStretched) = false;

 private:
  TCustomTrackBar* FAdvTrackBar;
  std::unique_ptr<TGDIPPicture> FPicture, FPictureDisabled, FPictureCompleted, FPictureCompletedDisabled;
  int FSteps = 20;
};

class TTrackBarTick : public TTrackBarPart {
 public:
  TTrackBarTick();
  void Assign(TPersistent* Source) override;

  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }
  TGDIPPicture* GetPicture() const { return FPicture.get(); }
  TGDIPPicture* GetPictureDisabled() const { return FPictureDisabled.get(); }
  void SetPicture(TGraphic* Value) { FPicture->Assign(Value); }
  void SetPictureDisabled(TGraphic* Value) { FPictureDisabled->Assign(Value); }

  TRACKBAR_PROPERTY(TColor, Color) = clBlack;
  TRACKBAR_PROPERTY(TColor, ColorDisabled) = clBlack;
  TRACKBAR_PROPERTY(bool, Line3D) = false;
  TRACKBAR_PROPERTY(TTickMark, Position) = tmBottomRight;
  TRACKBAR_PROPERTY(bool, RotateFontVert) = true;
  TRACKBAR_PROPERTY(TTickStyle, Style) = tsAuto;
  TRACKBAR_PROPERTY(bool, ShowText) = false;
  TRACKBAR_PROPERTY(bool, ShowImageAtThumbOnly) = false;
  TRACKBAR_PROPERTY(int, ShowImageAtSteps) = 1;
  TRACKBAR_PROPERTY(int, Spacing) = 8;
  TRACKBAR_PROPERTY(int, Size) = 4;

 private:
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TGDIPPicture> FPicture, FPictureDisabled;
};

class TTrackBarButtons : public TTrackBarPart {
 public:
  explicit TTrackBarButtons(TCustomTrackBar* AOwner);
  void Assign(TPersistent* Source) override;

  TGDIPPicture* GetMinPicture() const { return FMinPicture.get(); }
  TGDIPPicture* GetMinPictureHot() const { return FMinPictureHot.get(); }
  TGDIPPicture* GetMinPictureDown() const { return FMinPictureDown.get(); }
  TGDIPPicture* GetMaxPicture() const { return FMaxPicture.get(); }
  TGDIPPicture* GetMaxPictureHot() const { return FMaxPictureHot.get(); }
  TGDIPPicture* GetMaxPictureDown() const { return FMaxPictureDown.get(); }
  void SetMinPicture(TGraphic* Value) { FMinPicture->Assign(Value); }
  void SetMinPictureHot(TGraphic* Value) { FMinPictureHot->Assign(Value); }
  void SetMinPictureDown(TGraphic* Value) { FMinPictureDown->Assign(Value); }
  void SetMaxPicture(TGraphic* Value) { FMaxPicture->Assign(Value); }
  void SetMaxPictureHot(TGraphic* Value) { FMaxPictureHot->Assign(Value); }
  void SetMaxPictureDown(TGraphic* Value) { FMaxPictureDown->Assign(Value); }

  int GetSize() const { return FSize; }
  void SetSize(int Value);
  void SizeFromPictures();
  TThumbColors StateColors(int State) const;

 protected:
  void PictureChanged() override;

  TRACKBAR_PROPERTY(bool, Visible) = false;
  TRACKBAR_PROPERTY(TTrackButtonShape, Shape) = bsRound;
  TRACKBAR_QUIET_PROPERTY(int, Step) = 1;
  TRACKBAR_PROPERTY(int, Spacing) = 2;
  TRACKBAR_QUIET_PROPERTY(bool, RepeatClick) = true;
  TRACKBAR_QUIET_PROPERTY(int, InitRepeatPause) = 400;
  TRACKBAR_QUIET_PROPERTY(int, RepeatPause) = 100;
  TRACKBAR_PROPERTY(bool, RotateText) = true;
  TRACKBAR_PROPERTY(TColor, BorderColor) = 9262895;
  TRACKBAR_PROPERTY(TColor, Color) = 15653832;
  TRACKBAR_PROPERTY(TColor, ColorTo) = 16178633;
  TRACKBAR_QUIET_PROPERTY(TColor, ColorMirror) = 15586496;
  TRACKBAR_QUIET_PROPERTY(TColor, ColorMirrorTo) = 16245200;
  TRACKBAR_PROPERTY(TColor, BorderColorHot) = 10079963;
  TRACKBAR_PROPERTY(TColor, ColorHot) = 15465983;
  TRACKBAR_PROPERTY(TColor, ColorHotTo) = 11332863;
  TRACKBAR_QUIET_PROPERTY(TColor, ColorMirrorHot) = 5888767;
  TRACKBAR_QUIET_PROPERTY(TColor, ColorMirrorHotTo) = 10807807;
  TRACKBAR_PROPERTY(TColor, BorderColorDown) = 4548219;
  TRACKBAR_PROPERTY(TColor, ColorDown) = 7778289;
  TRACKBAR_PROPERTY(TColor, ColorDownTo) = 4296947;
  TRACKBAR_QUIET_PROPERTY(TColor, ColorMirrorDown) = 946929;
  TRACKBAR_QUIET_PROPERTY(TColor, ColorMirrorDownTo) = 5021693;
  TRACKBAR_PROPERTY(TGDIPGradient, Gradient) = ggVertical;
  TRACKBAR_PROPERTY(TGDIPGradient, GradientMirror) = ggVertical;
  TRACKBAR_PROPERTY(int, CornerRadius) = 0;

 private:
  TCustomTrackBar* FAdvTrackBar;
  std::unique_ptr<TGDIPPicture> FMinPicture, FMinPictureHot, FMinPictureDown, FMaxPicture, FMaxPictureHot,
      FMaxPictureDown;
  int FSize = 20;
};

class TTrackBarLabel : public TTrackBarPart {
 public:
  TTrackBarLabel();
  void Assign(TPersistent* Source) override;

  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }

  TRACKBAR_PROPERTY(bool, Visible) = false;
  TRACKBAR_PROPERTY(TLabelPosition, Position) = lpTopCenter;
  TRACKBAR_PROPERTY(std::string, Format) = "Pos: %d";
  TRACKBAR_PROPERTY(int, Spacing) = 4;

 private:
  std::unique_ptr<TFont> FFont;
};

#undef TRACKBAR_PROPERTY
#undef TRACKBAR_QUIET_PROPERTY
