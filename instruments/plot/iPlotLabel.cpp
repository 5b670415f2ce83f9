#include "instruments/plot/iPlotLabel.h"

#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotComponent.h"
#include "platform/classlib/ImgList.h"

namespace {
const TiRegisterProperties<TiPlotLabel, TiPlotLayoutObject> kProperties(
    [](TiPropertyBuilder<TiPlotLabel>& b) {
      b.Add("Caption", &TiPlotLabel::GetCaption, &TiPlotLabel::SetCaption);
      b.Add("MarginLeft", &TiPlotLabel::GetMarginLeft, &TiPlotLabel::SetMarginLeft);
      b.Add("MarginRight", &TiPlotLabel::GetMarginRight, &TiPlotLabel::SetMarginRight);
      b.Add("MarginBottom", &TiPlotLabel::GetMarginBottom, &TiPlotLabel::SetMarginBottom);
      b.Add("MarginTop", &TiPlotLabel::GetMarginTop, &TiPlotLabel::SetMarginTop);
      b.Object("Font", &TiPlotLabel::GetFont);
      b.Add("Alignment", &TiPlotLabel::GetAlignment, &TiPlotLabel::SetAlignment, iahCenter, iahRight);
      b.Add("ImageListIndex", &TiPlotLabel::GetImageListIndex, &TiPlotLabel::SetImageListIndex, -1);
      b.Add("ImageIndex", &TiPlotLabel::GetImageIndex, &TiPlotLabel::SetImageIndex, 0);
    });
}  // namespace

TiPlotLabel::TiPlotLabel(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                         TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotLayoutObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                         std::move(AOnRename)),
      FFont(std::make_unique<TFont>()) {
  SetHorizontal(true);
  FFont->SetName("Arial");
  FFont->SetSize(14);
  FFont->SetStyle(TFontStyles() << fsBold);
  FFont->SetColor(clWhite);
  FFont->OnChange = [this](TGraphicsObject*) { DoChange(); };
}

TiPlotLabel::~TiPlotLabel() = default;

void TiPlotLabel::SetAlignment(TiAlignmentHorizontal Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  DoChange();
}

void TiPlotLabel::SetImage(const TBitmap* Value) {
  iAssignOwnImage(FImage, Value);
  DoChange();
}

void TiPlotLabel::ImageClear() {
  if (!FImage) return;
  FImage.reset();
  DoChange();
}

void TiPlotLabel::ImageLoadFromFile(const std::string& FileName) {
  TBitmap bitmap;
  bitmap.LoadFromFile(FileName);
  SetImage(&bitmap);
}

void TiPlotLabel::CalcLayout(TCanvas* Canvas) {
  Canvas->Font->Assign(FFont.get());
  const int w = MultiLineTextWidth(Canvas, "0");
  const int h = MultiLineTextHeight(Canvas, "0");
  FMarginTopPixels = iRound(h * FMarginTop);
  FMarginBottomPixels = iRound(h * FMarginBottom);
  FMarginLeftPixels = iRound(w * FMarginLeft);
  FMarginRightPixels = iRound(w * FMarginRight);
  FRequiredWidth = MultiLineTextHeight(Canvas, FCaption) + FMarginTopPixels + FMarginBottomPixels;
}

int TiPlotLabel::GetRequiredWidth(TCanvas* Canvas) {
  CalcLayout(Canvas);
  return FRequiredWidth;
}

int TiPlotLabel::ImageX(int W) const {
  const TRect r = GetDrawRect();
  switch (FAlignment) {
    case iahLeft:
      return r.Left + FMarginLeftPixels;
    case iahRight:
      return r.Right - FMarginRightPixels - W;
    default:
      return (r.Left + r.Right) / 2 - W / 2;
  }
}

void TiPlotLabel::Draw(TCanvas* Canvas, TColor) {
  if (!GetVisible()) return;
  CalcLayout(Canvas);
  const TRect r = GetDrawRect();
  const int y = r.Top + FMarginTopPixels;
  if (FImage) {
    TBitmap copy;
    copy.Assign(FImage.get());
    copy.SetTransparentMode(tmAuto);
    copy.SetTransparent(true);
    Canvas->Draw(ImageX(copy.GetWidth()), y, &copy);
    return;
  }
  auto* plot = dynamic_cast<TiPlotComponent*>(GetOwner());
  TCustomImageList* list = plot ? plot->GetImageList(FImageListIndex) : nullptr;
  if (list && FImageIndex >= 0 && FImageIndex < list->GetCount()) {
    list->Draw(Canvas, ImageX(list->GetWidth()), y, FImageIndex, GetEnabled());
    return;
  }
  Canvas->Brush->SetStyle(bsClear);
  if (GetHorizontal()) {
    TRect t(r.Left + FMarginLeftPixels, r.Top + FMarginTopPixels, r.Right - FMarginRightPixels,
            r.Bottom - FMarginBottomPixels);
    const unsigned flags = FAlignment == iahLeft    ? iTextFlagLeft | iTextFlagVCenter
                           : FAlignment == iahRight ? iTextFlagRight | iTextFlagVCenter
                                                    : iTextFlagCenter | iTextFlagVCenter;
    DrawTextWithFlags(Canvas, FCaption, t, clBtnFace, true, flags);
    return;
  }
  const int half = MultiLineTextWidth(Canvas, FCaption) / 2;
  int top = 0, bottom = 0;
  switch (FAlignment) {
    case iahLeft:
      top = bottom = r.Bottom - half - FMarginLeftPixels;
      break;
    case iahRight:
      top = bottom = r.Top + half + FMarginRightPixels;
      break;
    default:
      top = (r.Top + r.Bottom) / 2 - half;
      bottom = (r.Top + r.Bottom) / 2 + half;
      break;
  }
  TRect textRect;
  DrawRotatedText(Canvas, FCaption,
                  TRect(r.Left + FMarginTopPixels, top, r.Right - FMarginBottomPixels, bottom), textRect,
                  clBtnFace, true, iahCenter, ira090);
}
