#pragma once
// Small persistent value objects of the buttons: the LED palette and the
// raised, sunken or shadowed caption style.

#include <string>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Graphics.h"

// Holds change notices while an update is open; EndUpdate notifies once.
class TVrPersistent : public TPersistent {
 public:
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  TNotifyEvent OnChange;

 protected:
  virtual void Changed();
  template <typename T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }

 private:
  int FUpdateCount = 0;
};

class TVrPalette : public TVrPersistent {
 public:
  void Assign(TPersistent* Source) override;
  TColor GetLow() const { return FLow; }
  void SetLow(TColor Value) { Store(FLow, Value); }
  TColor GetHigh() const { return FHigh; }
  void SetHigh(TColor Value) { Store(FHigh, Value); }
  // Low for 0 and below, High otherwise.
  virtual TColor GetColor(int Index) const { return Index <= 0 ? FLow : FHigh; }
  // Recolours a two-colour bitmap: DarkColor pixels become Low, LightColor
  // pixels High.
  void ToBMP(TBitmap* Bitmap, TColor DarkColor, TColor LightColor) const;

 private:
  TColor FLow = clGreen;
  TColor FHigh = clLime;
};

enum TVrFont3DStyle { f3dNone, f3dRaised, f3dSunken, f3dShadow };

class TVrFont3D : public TVrPersistent {
 public:
  void Assign(TPersistent* Source) override;
  TVrFont3DStyle GetStyle() const { return FStyle; }
  void SetStyle(TVrFont3DStyle Value) { Store(FStyle, Value); }
  TColor GetHighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(TColor Value) { Store(FHighlightColor, Value); }
  TColor GetShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value) { Store(FShadowColor, Value); }
  int GetHighlightDepth() const { return FHighlightDepth; }
  void SetHighlightDepth(int Value) { Store(FHighlightDepth, Value); }
  int GetShadowDepth() const { return FShadowDepth; }
  void SetShadowDepth(int Value) { Store(FShadowDepth, Value); }

  // Draws Text in R with the text-drawing Flags in the style.
  void Paint(TCanvas* Canvas, const TRect& R, const std::string& Text, unsigned Flags) const;

 private:
  TVrFont3DStyle FStyle = f3dNone;
  TColor FHighlightColor = clBtnHighlight;
  TColor FShadowColor = clBtnShadow;
  int FHighlightDepth = 1;
  int FShadowDepth = 1;
};
