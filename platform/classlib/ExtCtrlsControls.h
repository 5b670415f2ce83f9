#pragma once
// Panels and pictures: the bevel, the panel with its bevels, the shape and
// the image. Their bevel lines are shades of their own Color, so they stay
// crisp on light and dark faces alike.

#include <memory>

#include "platform/classlib/Controls.h"
#include "platform/classlib/StdCtrls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// The two bevel shades of a face colour: a lighter one for the lit edges
// and a darker one for the shaded edges.
TColor BevelHighlight(TColor face);
TColor BevelShadow(TColor face);
// Draws Width rings inside R, top and left edges in Top, bottom and right
// in Bottom; R shrinks by Width on every side.
void Frame3D(TCanvas* Canvas, TRect& R, TColor Top, TColor Bottom, int Width);

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape GetShape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle GetStyle() const { return FStyle; }
  void SetStyle(TBevelStyle Value);

 protected:
  void Paint() override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* AOwner);

  TBevelCut GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  TBevelCut GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  // A band of the panel's Color between the outer and the inner bevel.
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  // bsSingle adds a one-pixel frame outside the bevels.
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TVerticalAlignment GetVerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TVerticalAlignment Value);
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  // Kept for callers; the panel always paints its own Color.
  bool GetParentBackground() const { return FParentBackground; }
  void SetParentBackground(bool Value) { FParentBackground = Value; }
  bool GetFullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }

 protected:
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  // Width of the bevels, border and frame on each side.
  int EdgeWidth() const;

 private:
  TBevelCut FBevelOuter = bvRaised;
  TBevelCut FBevelInner = bvNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  TAlignment FAlignment = taCenter;
  TVerticalAlignment FVerticalAlignment = taVerticalCenter;
  bool FShowCaption = true;
  bool FParentBackground = true;
  bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

// A rectangle, rounded rectangle or ellipse drawn with Pen and filled with
// Brush; changing either repaints.
class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;

  TShapeType GetShape() const { return FShape; }
  void SetShape(TShapeType Value);
  TPen* GetPen() const { return FPen.get(); }
  void SetPen(const TPen* Value) { FPen->Assign(Value); }
  TBrush* GetBrush() const { return FBrush.get(); }
  void SetBrush(const TBrush* Value) { FBrush->Assign(Value); }

 protected:
  void Paint() override;

 private:
  TShapeType FShape = stRectangle;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
};

// Shows a picture (bitmap, PNG or JPEG): at its own size from the top-left,
// or centred, or stretched to the control (keeping its proportions with
// Proportional).
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(const TPicture* Value) { FPicture->Assign(Value); }
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool Value);
  bool GetProportional() const { return FProportional; }
  void SetProportional(bool Value);
  // A bitmap's key colour (its bottom-left pixel unless set) is left out;
  // pictures with an alpha channel always blend.
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Sizes the control to the picture.
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

  // Where the picture goes in the control.
  TRect DestRect() const;

 protected:
  void Paint() override;

 private:
  void PictureChanged();

  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FTransparent = false;
  bool FAutoSize = false;
};
