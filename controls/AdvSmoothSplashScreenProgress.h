#pragma once
// The splash's progress bar: TGDIPSplashProgress holds its look and values
// and draws it into any rectangle; TAdvSplashProgressBar is the control
// that shows one, clamps and animates its position and sweeps a glow
// across the filled part.

#include <functional>
#include <memory>
#include <string>

#include "controls/ComponentStyle.h"
#include "controls/ControlProperties.h"
#include "controls/GDIPFill.h"
#include "platform/classlib/Controls.h"

class TTimer;

enum TGDIPProgressValueType { vtPercentage, vtAbsolute };
enum TGDIPProgressValuePosition { vpProgressCenter, vpProgressRight, vpCenter, vpLeft, vpRight, vpCustom };

// The value text of one drawing: what it says, where its top-left goes
// and whether it takes the progress font.
struct TSplashValueText {
  std::string Text;
  float X = 0;
  float Y = 0;
  float Width = 0;
  float Height = 0;
  bool InProgressFont = false;
};

class TGDIPSplashProgress : public TPersistent {
 public:
  TGDIPSplashProgress();
  ~TGDIPSplashProgress() override;
  // From another TGDIPSplashProgress only (its progress font stays); one
  // change notice.
  void Assign(TPersistent* Source) override;

  // Fills, end shading, value text, gloss.
  void Draw(TGPGraphics* G, const TRect& R, double Min, double Max, double Position);
  // The inside of R: its last row and column off, less the border.
  TRect GetInsideRect(const TRect& R) const;
  TGPRectF GetInsideRectF(const TRect& R) const;
  // The filled part of the inside.
  TGPRectF CalculateProgressRectangle(const TRect& R, double Min, double Max, double Pos) const;
  TSplashValueText GetValueText(TGPGraphics* G, const TRect& R, double Min, double Max, double Position) const;

  TGDIPFill* GetBackGroundFill() const { return FBackGroundFill.get(); }
  void SetBackGroundFill(TGDIPFill* Value);
  TGDIPFill* GetProgressFill() const { return FProgressFill.get(); }
  void SetProgressFill(TGDIPFill* Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value);
  TFont* GetProgressFont() const { return FProgressFont.get(); }
  void SetProgressFont(TFont* Value);
  bool GetVisible() const { return FVisible; }
  // Notifies even when unchanged.
  void SetVisible(bool Value) {
    FVisible = Value;
    Changed();
  }

  TNotifyEvent OnChange;

  CONTROL_PROPERTY(std::string, ValueFormat, "%.0f%%", Changed())
  CONTROL_PROPERTY(TGDIPProgressValueType, ValueType, vtAbsolute, Changed())
  CONTROL_PROPERTY(TGDIPProgressValuePosition, ValuePosition, vpCenter, Changed())
  CONTROL_PROPERTY(int, ValuePositionLeft, 0, Changed())
  CONTROL_PROPERTY(int, ValuePositionTop, 0, Changed())
  CONTROL_PROPERTY(bool, ValueVisible, false, Changed())
  CONTROL_PROPERTY(int, Left, 50, Changed())
  CONTROL_PROPERTY(int, Top, 100, Changed())
  CONTROL_PROPERTY(int, Width, 300, Changed())
  CONTROL_PROPERTY(int, Height, 17, Changed())
  CONTROL_QUIET_PROPERTY(double, Step, 10.0)
  CONTROL_PROPERTY(double, Minimum, 0.0, Changed())
  CONTROL_PROPERTY(double, Maximum, 100.0, Changed())
  CONTROL_PROPERTY(double, Position, 0.0, Changed())
  // No published property: copied by Assign and handed to the control.
  CONTROL_QUIET_PROPERTY(bool, GlowAnimation, false)
  CONTROL_QUIET_PROPERTY(bool, ProgressAnimation, false)

 private:
  void Changed();
  void PartChanged();
  template <typename T>
  void CopyPart(T& Own, T* Value);

  std::unique_ptr<TGDIPFill> FBackGroundFill;
  std::unique_ptr<TGDIPFill> FProgressFill;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TFont> FProgressFont;
  bool FVisible = false;
  int FCopying = 0;
};

using TAdvSmoothProgressBarPositionChanged = std::function<void(TObject* Sender, double Value)>;

class TAdvSplashProgressBar : public TGraphicControl {
 public:
  explicit TAdvSplashProgressBar(TComponent* AOwner);
  ~TAdvSplashProgressBar() override;
  // From another TAdvSplashProgressBar only: values as they stand, no
  // clamping and no events.
  void Assign(TPersistent* Source) override;

  double GetStep() const { return FStep; }
  void SetStep(double Value);
  double GetMinimum() const { return FMinimum; }
  void SetMinimum(double Value);
  double GetMaximum() const { return FMaximum; }
  void SetMaximum(double Value);
  double GetPosition() const { return FPosition; }
  // Clamped to [Minimum, Maximum].
  void SetPosition(double Value);
  bool GetGlowAnimation() const { return FGlowAnimation; }
  void SetGlowAnimation(bool Value);
  bool GetProgressAnimation() const { return FProgressAnimation; }
  void SetProgressAnimation(bool Value);
  TGDIPSplashProgress* GetAppearance() const { return FAppearance.get(); }
  void SetAppearance(TGDIPSplashProgress* Value);
  std::string GetVersion() const { return "1.2.0.0"; }

  void Next() { SetPosition(FPosition + FStep); }
  void Next(double AStep) { SetPosition(FPosition + AStep); }
  void Previous() { SetPosition(FPosition - FStep); }
  void Previous(double AStep) { SetPosition(FPosition - AStep); }
  void GoToStart() { SetPosition(FMinimum); }
  void GoToEnd() { SetPosition(FMaximum); }
  void GoToValue(double AValue) { SetPosition(AValue); }
  bool AnimationInProgress() const;
  void SetComponentStyle(TKYTStyle AStyle);

  // One beat of the 10 ms animation timer; tests drive it directly.
  void AnimationTick();
  // Where the glow and its pause stand.
  double GetGlowPosition() const { return FGlowPosition; }
  int GetGlowCounter() const { return FGlowCounter; }
  TTimer* GetAnimationTimer() const { return FTimer; }

  TNotifyEvent OnChange;
  TAdvSmoothProgressBarPositionChanged OnPositionChanged;

 protected:
  void Paint() override;
  void Resize() override;

 private:
  void AppearanceChanged();
  bool Animating(bool Flag) const;
  void PositionChanged();

  double FStep = 10;
  double FMinimum = 0;
  double FMaximum = 100;
  double FPosition = 0;
  double FTarget = 0;
  double FAnimated = 0;
  bool FGlowAnimation = false;
  bool FProgressAnimation = false;
  int FGlowCounter = 3000;
  double FGlowPosition = -40;
  TRect FPaintRect;
  std::unique_ptr<TGDIPSplashProgress> FAppearance;
  TTimer* FTimer = nullptr;
  bool FTakingAppearance = false;
};
