#pragma once
// The button bases: a control with an update counter and change events, a
// control that paints through an off-screen bitmap, and the drawing routines
// the buttons share (3D rings, image and caption layout, captions, tiles).

#include <memory>
#include <string>

#include "platform/classlib/Controls.h"

class TVrCustomControl : public TCustomControl {
 public:
  explicit TVrCustomControl(TComponent* AOwner);

  std::string GetVersion() const { return FVersion; }
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  // Repaints unless loading or inside an update.
  virtual void UpdateControl();

  TNotifyEvent OnFontChanged;
  TNotifyEvent OnTextChanged;

 protected:
  bool IsLoading() const { return GetComponentState().Contains(csLoading); }
  // A dialog character that is the caption's accelerator of an enabled
  // button: OnClick, and true (the message is taken).
  bool ClickOnAccelerator(TMessage& Message);
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();
  virtual void DoFontChanged();
  virtual void DoTextChanged();
  void MouseEnter() override;
  void MouseLeave() override;
  void FontChanged() override;
  void TextChanged() override;

 private:
  std::string FVersion = "1.4.5";
  int FUpdateCount = 0;
};

class TVrCustomImageControl : public TVrCustomControl {
 public:
  explicit TVrCustomImageControl(TComponent* AOwner);
  ~TVrCustomImageControl() override;

  TCanvas* BitmapCanvas() const;
  TBitmap* GetBitmapImage() const { return FBitmapImage.get(); }

 protected:
  // Sizes the bitmap to the control and fills it with Color.
  virtual void ClearBitmapCanvas();
  // Copies the bitmap to the control's canvas; derived buttons paint into
  // the bitmap first and call this last.
  void Paint() override;

 private:
  std::unique_ptr<TBitmap> FBitmapImage;
};

// Width rings in TopColor (left and top) and BottomColor (right and
// bottom); R becomes the area inside them.
void DrawFrame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width);

enum TVrImageTextLayout { ImageLeft = 1, ImageRight, ImageTop, ImageBottom };

// Places an image and a caption in Client: Margin -1 centres the group,
// Spacing -1 spreads them.
void CalcImageTextLayout(TCanvas* Canvas, const TRect& Client, const std::string& Caption,
                         TVrImageTextLayout Layout, int Margin, int Spacing, TPoint ImageSize,
                         TPoint& ImagePos, TRect& TextBounds);

// Centred single line when enabled; embossed when disabled.
void DrawButtonCaption(TCanvas* Canvas, const std::string& Caption, const TRect& R, bool Enabled);

void TileBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap);
