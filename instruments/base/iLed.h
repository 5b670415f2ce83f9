#pragma once
// Indicator lamps: TiLed keeps the on/off state and the lamp colours;
// TiLedRound is a circular lamp with a bevelled ring and a gleam,
// TiLedRectangle a rectangular one with an optional centred label.

#include <memory>
#include <string>

#include "instruments/base/iDrawing.h"
#include "instruments/base/iVCLComponent.h"

class TiLed : public TiCustomComponent {
 public:
  explicit TiLed(TComponent* AOwner);

  bool GetActive() const { return FActive; }
  // Asks the request-edit event ("Active"), then stores, repaints and
  // fires the protected-change event and OnChange; a veto leaves all as it was.
  void SetActive(bool Value);
  // As SetActive without OnChange.
  void SetActiveNoEvent(bool Value);
  TColor GetActiveColor() const { return FActiveColor; }
  void SetActiveColor(TColor Value);
  bool GetAutoInactiveColor() const { return FAutoInactiveColor; }
  void SetAutoInactiveColor(bool Value);
  TColor GetInactiveColor() const { return FInactiveColor; }
  void SetInactiveColor(TColor Value);
  TiBevelStyle GetBevelStyle() const { return FBevelStyle; }
  void SetBevelStyle(TiBevelStyle Value);

  // The colour the lamp shows now.
  TColor GetLampColor() const;

  TNotifyEvent OnChange;

 private:
  template <class T>
  void SetAndRepaint(T Value, T& Field);

  bool FActive = false;
  TiBevelStyle FBevelStyle = ibsLowered;
  TColor FActiveColor = 0x00FF00;
  bool FAutoInactiveColor = true;
  TColor FInactiveColor = 0x005500;
};

class TiLedRound : public TiLed {
 public:
  explicit TiLedRound(TComponent* AOwner);
  bool GetShowReflection() const { return FShowReflection; }
  void SetShowReflection(bool Value) { SetBooleanProperty(Value, FShowReflection, irkBackGround); }
  // Always square: a changed width becomes the height, else a changed
  // height the width (not while streaming loads the lamp).
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void iPaintToCanvas(TCanvas* Canvas) override;

 private:
  bool FShowReflection = true;
};

class TiLedRectangle : public TiLed {
 public:
  explicit TiLedRectangle(TComponent* AOwner);

  const std::string& GetCenterLabelText() const { return FCenterLabelText; }
  void SetCenterLabelText(const std::string& Value) {
    SetStringProperty(Value, FCenterLabelText, irkBackGround);
  }
  TFont* GetCenterLabelFont() const { return FCenterLabelFont.get(); }
  void SetCenterLabelFont(const TFont* Value) { FCenterLabelFont->Assign(Value); }
  TColor GetCenterLabelFontActiveColor() const { return FCenterLabelFontActiveColor; }
  void SetCenterLabelFontActiveColor(TColor Value) {
    SetColorProperty(Value, FCenterLabelFontActiveColor, irkBackGround);
  }
  TColor GetCenterLabelFontInactiveColor() const { return FCenterLabelFontInactiveColor; }
  void SetCenterLabelFontInactiveColor(TColor Value) {
    SetColorProperty(Value, FCenterLabelFontInactiveColor, irkBackGround);
  }
  bool GetCenterLabelWordWrap() const { return FCenterLabelWordWrap; }
  void SetCenterLabelWordWrap(bool Value) { SetBooleanProperty(Value, FCenterLabelWordWrap, irkBackGround); }
  int GetCenterLabelEndsMargin() const { return FCenterLabelEndsMargin; }
  void SetCenterLabelEndsMargin(int Value) {
    SetIntegerProperty(Value, FCenterLabelEndsMargin, irkBackGround);
  }
  TiAlignmentHorizontal GetCenterLabelAlignment() const { return FCenterLabelAlignment; }
  void SetCenterLabelAlignment(TiAlignmentHorizontal Value);
  bool GetShowReflection() const { return FShowReflection; }
  void SetShowReflection(bool Value) { SetBooleanProperty(Value, FShowReflection, irkBackGround); }

  void iPaintToCanvas(TCanvas* Canvas) override;

 private:
  std::string FCenterLabelText;
  TColor FCenterLabelFontInactiveColor = 0xFFFFFF;
  TColor FCenterLabelFontActiveColor = 0;
  std::unique_ptr<TFont> FCenterLabelFont;
  bool FShowReflection = true;
  bool FCenterLabelWordWrap = false;
  int FCenterLabelEndsMargin = 5;
  TiAlignmentHorizontal FCenterLabelAlignment = iahCenter;
};
