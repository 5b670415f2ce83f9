#pragma once
// A plot label: one caption, bitmap or image of the plot's image lists on a
// side of the data view, such as the plot's title. Horizontal labels draw
// above or below the data view, vertical ones rotated beside it.

#include <memory>
#include <string>

#include "instruments/base/iDrawing.h"
#include "instruments/plot/iPlotObjects.h"

class TiPlotLabel : public TiPlotLayoutObject {
 public:
  TiPlotLabel(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
              TNotifyEvent AOnRename);
  ~TiPlotLabel() override;

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value) { SetStringProperty(Value, FCaption, &TiPlotObject::DoChange); }
  double GetMarginLeft() const { return FMarginLeft; }
  void SetMarginLeft(double Value) { SetDoubleProperty(Value, FMarginLeft, &TiPlotObject::DoChange); }
  double GetMarginTop() const { return FMarginTop; }
  void SetMarginTop(double Value) { SetDoubleProperty(Value, FMarginTop, &TiPlotObject::DoChange); }
  double GetMarginRight() const { return FMarginRight; }
  void SetMarginRight(double Value) { SetDoubleProperty(Value, FMarginRight, &TiPlotObject::DoChange); }
  double GetMarginBottom() const { return FMarginBottom; }
  void SetMarginBottom(double Value) { SetDoubleProperty(Value, FMarginBottom, &TiPlotObject::DoChange); }
  TFont* GetFont() const { return FFont.get(); }
  // Copies the font; its change notice then repaints.
  void SetFont(const TFont* Value) { FFont->Assign(Value); }
  TiAlignmentHorizontal GetAlignment() const { return FAlignment; }
  void SetAlignment(TiAlignmentHorizontal Value);
  int GetImageListIndex() const { return FImageListIndex; }
  void SetImageListIndex(int Value) { SetIntegerProperty(Value, FImageListIndex, &TiPlotObject::DoChange); }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { SetIntegerProperty(Value, FImageIndex, &TiPlotObject::DoChange); }
  TBitmap* GetImage() const { return FImage.get(); }
  // Copies Value (null frees the held bitmap); always a change.
  void SetImage(const TBitmap* Value);
  void ImageClear();
  void ImageLoadFromFile(const std::string& FileName);

  void CalcLayout(TCanvas* Canvas);
  int GetRequiredWidth(TCanvas* Canvas) override;
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;

 private:
  // Left edge of an image of width W placed by the alignment.
  int ImageX(int W) const;

  int FRequiredWidth = 0;
  int FMarginTopPixels = 0, FMarginBottomPixels = 0, FMarginLeftPixels = 0, FMarginRightPixels = 0;
  std::string FCaption;
  double FMarginLeft = 0, FMarginRight = 0, FMarginBottom = 0, FMarginTop = 0;
  std::unique_ptr<TFont> FFont;
  TiAlignmentHorizontal FAlignment = iahCenter;
  std::unique_ptr<TBitmap> FImage;
  int FImageListIndex = -1;
  int FImageIndex = 0;
};
