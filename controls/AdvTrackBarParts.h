#pragma once
// The fader's appearance objects: thumb, slider, tick marks, min/max buttons
// and position label. Each holds values and pictures only and reports every
// effective change through OnChange to the fader that owns it.

#include <memory>
#include <string>

#include "controls/AdvGDIP.h"
#include "controls/ControlProperties.h"
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

  CONTROL_PROPERTY(TColor, BorderColor, 10317632, Changed())
  CONTROL_PROPERTY(TColor, Color, 15653832, Changed())
  CONTROL_PROPERTY(TColor, ColorTo, 16178633, Changed())
  CONTROL_PROPERTY(TColor, ColorMirror, 15586496, Changed())
  CONTROL_PROPERTY(TColor, ColorMirrorTo, 16245200, Changed())
  CONTROL_PROPERTY(TColor, BorderColorHot, 10079963, Changed())
  CONTROL_PROPERTY(TColor, ColorHot, 15465983, Changed())
  CONTROL_PROPERTY(TColor, ColorHotTo, 11332863, Changed())
  CONTROL_QUIET_PROPERTY(TColor, ColorMirrorHot, 5888767)
  CONTROL_QUIET_PROPERTY(TColor, ColorMirrorHotTo, 10807807)
  CONTROL_PROPERTY(TColor, BorderColorDown, 4548219, Changed())
  CONTROL_PROPERTY(TColor, ColorDown, 7778289, Changed())
  CONTROL_PROPERTY(TColor, ColorDownTo, 4296947, Changed())
  CONTROL_QUIET_PROPERTY(TColor, ColorMirrorDown, 946929)
  CONTROL_QUIET_PROPERTY(TColor, ColorMirrorDownTo, 5021693)
  CONTROL_PROPERTY(TColor, BorderColorDisabled, clBlack, Changed())
  CONTROL_PROPERTY(TColor, ColorDisabled, clBlack, Changed())
  CONTROL_PROPERTY(TColor, ColorDisabledTo, clBlack, Changed())
  CONTROL_PROPERTY(TColor, ColorMirrorDisabled, clBlack, Changed())
  CONTROL_PROPERTY(TColor, ColorMirrorDisabledTo, clBlack, Changed())
  CONTROL_PROPERTY(TGDIPGradient, Gradient, ggVertical, Changed())
  CONTROL_PROPERTY(TGDIPGradient, GradientMirror, ggRadial, Changed())
  CONTROL_PROPERTY(TThumbShape, Shape, tsPointer, Changed())
  CONTROL_PROPERTY(bool, ShowAtMinMax, true, Changed())

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

  CONTROL_PROPERTY(TColor, Color, clWhite, Changed())
  CONTROL_PROPERTY(TColor, ColorTo, clBlack, Changed())
  CONTROL_PROPERTY(TColor, BorderColor, 12752500, Changed())
  CONTROL_PROPERTY(TColor, BorderColorDisabled, clBlack, Changed())
  CONTROL_PROPERTY(TColor, ColorDisabled, clBlack, Changed())
  CONTROL_PROPERTY(TColor, ColorDisabledTo, clBlack, Changed())
  CONTROL_PROPERTY(TColor, ColorCompleted, clNone, Changed())
  CONTROL_PROPERTY(TColor, ColorCompletedTo, clNone, Changed())
  CONTROL_PROPERTY(TColor, ColorCompletedDisabled, clNone, Changed())
  CONTROL_PROPERTY(TColor, ColorCompletedDisabledTo, clNone, Changed())
  CONTROL_PROPERTY(TGradientDirection, Direction, gdHorizontal, Changed())
  CONTROL_PROPERTY(int, Size, 2, Changed())
  CONTROL_PROPERTY(int, Offset, 10, Changed())
  CONTROL_PROPERTY(bool, Visible, true, Changed())
  CONTROL_PROPERTY(bool, Border3D, true, Changed())
  CONTROL_PROPERTY(bool, Rounded, false, Changed())
  CONTROL_PROPERTY(bool, PictureStretched, false, Changed())

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

  CONTROL_PROPERTY(TColor, Color, clBlack, Changed())
  CONTROL_PROPERTY(TColor, ColorDisabled, clBlack, Changed())
  CONTROL_PROPERTY(bool, Line3D, false, Changed())
  CONTROL_PROPERTY(TTickMark, Position, tmBottomRight, Changed())
  CONTROL_PROPERTY(bool, RotateFontVert, true, Changed())
  CONTROL_PROPERTY(TTickStyle, Style, tsAuto, Changed())
  CONTROL_PROPERTY(bool, ShowText, false, Changed())
  CONTROL_PROPERTY(bool, ShowImageAtThumbOnly, false, Changed())
  CONTROL_PROPERTY(int, ShowImageAtSteps, 1, Changed())
  CONTROL_PROPERTY(int, Spacing, 8, Changed())
  CONTROL_PROPERTY(int, Size, 4, Changed())

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

  CONTROL_PROPERTY(bool, Visible, false, Changed())
  CONTROL_PROPERTY(TTrackButtonShape, Shape, bsRound, Changed())
  CONTROL_QUIET_PROPERTY(int, Step, 1)
  CONTROL_PROPERTY(int, Spacing, 2, Changed())
  CONTROL_QUIET_PROPERTY(bool, RepeatClick, true)
  CONTROL_QUIET_PROPERTY(int, InitRepeatPause, 400)
  CONTROL_QUIET_PROPERTY(int, RepeatPause, 100)
  CONTROL_PROPERTY(bool, RotateText, true, Changed())
  CONTROL_PROPERTY(TColor, BorderColor, 9262895, Changed())
  CONTROL_PROPERTY(TColor, Color, 15653832, Changed())
  CONTROL_PROPERTY(TColor, ColorTo, 16178633, Changed())
  CONTROL_QUIET_PROPERTY(TColor, ColorMirror, 15586496)
  CONTROL_QUIET_PROPERTY(TColor, ColorMirrorTo, 16245200)
  CONTROL_PROPERTY(TColor, BorderColorHot, 10079963, Changed())
  CONTROL_PROPERTY(TColor, ColorHot, 15465983, Changed())
  CONTROL_PROPERTY(TColor, ColorHotTo, 11332863, Changed())
  CONTROL_QUIET_PROPERTY(TColor, ColorMirrorHot, 5888767)
  CONTROL_QUIET_PROPERTY(TColor, ColorMirrorHotTo, 10807807)
  CONTROL_PROPERTY(TColor, BorderColorDown, 4548219, Changed())
  CONTROL_PROPERTY(TColor, ColorDown, 7778289, Changed())
  CONTROL_PROPERTY(TColor, ColorDownTo, 4296947, Changed())
  CONTROL_QUIET_PROPERTY(TColor, ColorMirrorDown, 946929)
  CONTROL_QUIET_PROPERTY(TColor, ColorMirrorDownTo, 5021693)
  CONTROL_PROPERTY(TGDIPGradient, Gradient, ggVertical, Changed())
  CONTROL_PROPERTY(TGDIPGradient, GradientMirror, ggVertical, Changed())
  CONTROL_PROPERTY(int, CornerRadius, 0, Changed())

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

  CONTROL_PROPERTY(bool, Visible, false, Changed())
  CONTROL_PROPERTY(TLabelPosition, Position, lpTopCenter, Changed())
  CONTROL_PROPERTY(std::string, Format, "Pos: %d", Changed())
  CONTROL_PROPERTY(int, Spacing, 4, Changed())

 private:
  std::unique_ptr<TFont> FFont;
};
