#pragma once
// TAdvProgressBar: a rounded trough with level-coloured blocks (green,
// yellow, orange, red as the percentage grows) and the percentage in the
// middle. A new position paints at once, so the bar advances during long
// operations on the user-interface thread.

#include <memory>
#include <string>
#include <vector>

#include "controls/ControlProperties.h"
#include "platform/classlib/Controls.h"
#include "platform/classlib/ExtCtrls.h"

enum TGaugeOrientation { goHorizontal, goVertical };

// Everything the painter needs, copied from the bar for one paint.
struct TGaugeSettings {
  TColor Level0Color, Level0ColorTo, Level1Color, Level1ColorTo, Level2Color, Level2ColorTo, Level3Color,
      Level3ColorTo;
  int Level1Perc, Level2Perc;
  TColor BorderColor, Level0BkColor, Level1BkColor, Level2BkColor;
  bool ShowBorder, Stacked, ShowPercentage, ShowPosition;
  const TFont* Font;
  bool CompletionSmooth, ShowGradient;
  int Steps;
  int Position;  // the percentage
  int Value;     // the raw position
  int Max;
  TColor BackgroundColor;
  TGaugeOrientation Orientation;
  bool Rounded;
  std::string Format;
  bool Infinite;
  int InfinitePos;
};

// One filled part of the bar, in the colours of one level.
struct TGaugeBlock {
  TRect Rect;
  TColor Color;
  TColor ColorTo;
};

// The blocks of a horizontal bar over R (the trough) at the settings'
// percentage; a vertical bar is computed on the transposed rectangle.
std::vector<TGaugeBlock> GaugeBlocks(const TRect& R, const TGaugeSettings& S);
void DrawGauge(TCanvas* Canvas, const TRect& R, const TGaugeSettings& S);
// The text in the middle: the percentage with "%", the raw position, or
// Format with the position and the maximum.
std::string GaugeText(const TGaugeSettings& S);
// Percentage of Value within [Min, Max], rounded halves to even; 0 when the
// range is empty, at most 100.
int GaugePercent(int Value, int Min, int Max);

class TAdvProgressBar : public TGraphicControl {
 public:
  explicit TAdvProgressBar(TComponent* AOwner);
  ~TAdvProgressBar() override;

  int GetPosition() const { return FPosition; }
  void SetPosition(int Value);
  int GetMin() const { return FMin; }
  void SetMin(int Value);
  int GetMax() const { return FMax; }
  void SetMax(int Value);
  int GetStepSize() const { return FMaxIncrement; }
  int GetPercent() const { return GaugePercent(FPosition, FMin, FMax); }
  // How many times the bar painted: a new position paints at once.
  int GetPaintCount() const { return FPaintCount; }

  TFont* GetBarFont() const { return FFont.get(); }
  void SetBarFont(const TFont* Value) { FFont->Assign(Value); }

  CONTROL_PROPERTY(TColor, Level0Color, clLime, Invalidate())
  CONTROL_PROPERTY(TColor, Level0ColorTo, RGB(225, 255, 225), Invalidate())
  CONTROL_PROPERTY(TColor, Level1Color, clYellow, Invalidate())
  CONTROL_PROPERTY(TColor, Level1ColorTo, RGB(255, 255, 202), Invalidate())
  CONTROL_PROPERTY(TColor, Level2Color, 5483007, Invalidate())
  CONTROL_PROPERTY(TColor, Level2ColorTo, 11064319, Invalidate())
  CONTROL_PROPERTY(TColor, Level3Color, clRed, Invalidate())
  CONTROL_PROPERTY(TColor, Level3ColorTo, 13290239, Invalidate())
  CONTROL_PROPERTY(int, Level1Perc, 70, Invalidate())
  CONTROL_PROPERTY(int, Level2Perc, 90, Invalidate())
  CONTROL_PROPERTY(TColor, BorderColor, clGray, Invalidate())
  CONTROL_PROPERTY(bool, ShowBorder, true, Invalidate())
  CONTROL_PROPERTY(TColor, BackgroundColor, clWhite, Invalidate())
  CONTROL_PROPERTY(bool, Stacked, false, Invalidate())
  CONTROL_PROPERTY(bool, ShowPercentage, true, Invalidate())
  CONTROL_PROPERTY(bool, ShowPosition, true, Invalidate())
  CONTROL_PROPERTY(bool, CompletionSmooth, false, Invalidate())
  CONTROL_PROPERTY(bool, ShowGradient, true, Invalidate())
  CONTROL_PROPERTY(int, Steps, 8, Invalidate())
  CONTROL_PROPERTY(TGaugeOrientation, Orientation, goHorizontal, Invalidate())
  CONTROL_PROPERTY(bool, Rounded, true, Invalidate())
  CONTROL_PROPERTY(std::string, Format, "", Invalidate())

 public:
  TColor GetLevel0BkColor() const { return FLevel0BkColor; }
  void SetLevel0BkColor(TColor Value) { SetBk(FLevel0BkColor, Value); }
  TColor GetLevel1BkColor() const { return FLevel1BkColor; }
  void SetLevel1BkColor(TColor Value) { SetBk(FLevel1BkColor, Value); }
  TColor GetLevel2BkColor() const { return FLevel2BkColor; }
  void SetLevel2BkColor(TColor Value) { SetBk(FLevel2BkColor, Value); }
  bool GetAnimated() const { return FAnimated; }
  void SetAnimated(bool Value);
  bool GetInfinite() const { return FInfinite; }
  void SetInfinite(bool Value);
  int GetInfiniteInterval() const { return FInfiniteInterval; }
  void SetInfiniteInterval(int Value);
  int GetInfinitePos() const { return FInfinitePos; }
  std::string GetVersion() const { return "1.2.0.1"; }

 protected:
  void Paint() override;
  void TimerTick(TObject* Sender);

 private:
  void SetBk(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
  }
  void UpdateTimer();
  TGaugeSettings Settings() const;

  int FPosition = 50;
  int FMin = 0;
  int FMax = 100;
  int FMaxIncrement = 1;
  int FOldBlockPos = 0;
  int FOldPos = 0;
  int FPaintCount = 0;
  TColor FLevel0BkColor = clNone;
  TColor FLevel1BkColor = clNone;
  TColor FLevel2BkColor = clNone;
  bool FAnimated = false;
  bool FInfinite = false;
  int FInfiniteInterval = 50;
  int FInfinitePos = 0;
  int FInfiniteInc = 1;
  std::unique_ptr<TFont> FFont;
  TTimer* FTimer = nullptr;
};
