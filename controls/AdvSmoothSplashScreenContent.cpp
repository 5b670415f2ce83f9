// What the splash window draws above its background: the program info,
// the list lines, the top-layer boxes and the items.

#include <cmath>

#include "controls/AdvSmoothSplashScreen.h"
#include "platform/classlib/ImgList.h"
#include "platform/gdiplus/ClassLibBridge.h"

void TSplashScreenWindow::DrawHtml(TGPGraphics* Graphics, const TFont& Font, const std::string& Text,
                                   const TRect& R, int ShadowOffset, TColor URLColor, TColor ShadowColor,
                                   bool MeasureOnly, int& XSize, int& YSize) const {
  std::string anchor, strip, focusAnchor;
  int links = 0, mouseLink = -1;
  TRect hover;
  XSize = 0;
  YSize = 0;
  DrawHtmlText(Graphics, Font, Text, R, FSplash->GetImages(), 0, 0, -1, -1, ShadowOffset, false, MeasureOnly,
               false, false, false, false, true, 1.0, URLColor, clNone, clNone, ShadowColor, anchor, strip,
               focusAnchor, XSize, YSize, links, mouseLink, hover, FSplash->GetPictureContainer(), 2);
}

TGPGraphics* TSplashScreenWindow::GivenOrOwn(TGPGraphics* Given, std::unique_ptr<TGPGraphics>& Own) {
  if (Given) return Given;
  Own = CreateGraphics();
  return Own.get();
}

// ---------------------------------------------------------------- program info

void TSplashScreenWindow::DrawProgramInfo(TGPGraphics* Graphics) {
  std::unique_ptr<TGPGraphics> own;
  Graphics = GivenOrOwn(Graphics, own);
  if (!Graphics) return;
  const TBasicProgramInfo& info = *FSplash->GetBasicProgramInfo();
  const TSplashHeadingText& name = *info.GetProgramName();
  const TSplashHeadingText& version = *info.GetProgramVersion();
  TRect r = InsetByRounding(GetContentRect());
  r.Right -= 5;
  const Gdiplus::TextRenderingHint hint = FSplash->GetRenderingHint();
  auto heading = [&](const TSplashHeadingText& h, TPoint at, bool measureOnly) {
    TSize size;
    DrawHeadingText(Graphics, h.GetText(), TGPPointF(static_cast<float>(at.X), static_cast<float>(at.Y)),
                    size, hint, h.GetAngle(), measureOnly, h.GetColorEnd(), h.GetColorStart(),
                    h.GetOpacityEnd(), h.GetOpacityStart(), h.GetHatchStyle(), h.GetPicture(),
                    h.GetGradientType(), *h.GetFont());
    return size;
  };
  const TSize nameSize = heading(name, TPoint(r.Left, r.Top), true);
  const TSize versionSize = heading(version, TPoint(r.Left, r.Top), true);
  TSize copySize;
  const TFont& copyFont = *info.GetCopyRightFont();
  if (!info.GetCopyRight().empty()) {
    TCanvas measure;
    measure.Font->Assign(&copyFont);
    copySize = TSize(measure.TextWidth(info.GetCopyRight()), measure.TextHeight(info.GetCopyRight()));
  }
  const TProgramInfoPlaces at = PlaceProgramInfo(info, r, nameSize, versionSize, copySize);
  heading(name, at.Name, false);
  heading(version, at.Version, false);
  TSize drawn;
  DrawHeadingText(Graphics, info.GetCopyRight(),
                  TGPPointF(static_cast<float>(at.CopyRight.X), static_cast<float>(at.CopyRight.Y)), drawn,
                  hint, 0, false, clNone, copyFont.GetColor(), 255, 255, Gdiplus::HatchStyleHorizontal,
                  nullptr, gtSolid, copyFont);
}

// ---------------------------------------------------------------- items

void TSplashScreenWindow::DrawItems(TGPGraphics* Graphics) {
  std::unique_ptr<TGPGraphics> own;
  Graphics = GivenOrOwn(Graphics, own);
  if (!Graphics) return;
  TSplashItems& items = *FSplash->GetItems();
  for (int i = 0; i < items.GetCount(); ++i) {
    TSplashItem& item = *items.GetItem(i);
    if (!item.GetVisible()) continue;
    SetTextRendering(Graphics);
    int x = item.GetPosX();
    const auto y = static_cast<float>(item.GetPosY());
    TCustomImageList* images = FSplash->GetImages();
    if (!item.GetPicture()->GetEmpty()) {
      DrawItemPicture(Graphics, TGPPointF(static_cast<float>(x), y), item.GetPicture());
      x += item.GetPicture()->GetWidth() + FSplash->GetPictureGap();
    } else if (images && item.GetImageIndex() >= 0) {
      // Into the same graphics, so a translucent splash shows it too.
      TBitmap bitmap;
      if (images->GetBitmap(item.GetImageIndex(), &bitmap))
        DrawBitmap(Graphics, bitmap,
                   TGPRectF(static_cast<float>(x), y, static_cast<float>(images->GetWidth()),
                            static_cast<float>(images->GetHeight())));
      x += images->GetWidth() + FSplash->GetPictureGap();
    }
    if (item.GetText().empty()) continue;
    TSize size;
    DrawHeadingText(Graphics, item.GetText(), TGPPointF(static_cast<float>(x), y), size,
                    FSplash->GetRenderingHint(), 0, false, clNone, item.GetFont()->GetColor(), 255, 255,
                    Gdiplus::HatchStyleHorizontal, nullptr, gtSolid, *item.GetFont());
  }
}

// ---------------------------------------------------------------- list

TRect TSplashScreenWindow::MeasureListItem(TSplashListItem* Item, TGPGraphics* Graphics) {
  if (!Item || Item->GetHTMLText().empty()) return TRect();
  std::unique_ptr<TGPGraphics> own;
  if (!Graphics) {
    own = Gdiplus::GraphicsFromCanvas(GetCanvas());
    Graphics = own.get();
  }
  if (!Graphics) return TRect();
  SetTextRendering(Graphics);
  const TSplashListItemsSettings& s = *FSplash->GetListItemsSettings();
  int xs = 0, ys = 0;
  DrawHtml(Graphics, *s.GetHTMLFont(), Item->GetHTMLText(),
           TRect(0, 0, s.GetRect()->GetWidth(), s.GetRect()->GetHeight()), s.GetHTMLShadowOffset(),
           s.GetHTMLURLColor(), s.GetHTMLShadowColor(), true, xs, ys);
  return TRect(0, 0, xs, ys);
}

void TSplashScreenWindow::DrawListItems(TGPGraphics* Graphics) {
  std::unique_ptr<TGPGraphics> own;
  Graphics = GivenOrOwn(Graphics, own);
  if (!Graphics) return;
  TSplashListItems& items = *FSplash->GetListItems();
  if (items.GetCount() == 0) return;
  const TSplashListItemsSettings& s = *FSplash->GetListItemsSettings();
  std::vector<int> heights;
  for (int i = 0; i < items.GetCount(); ++i)
    heights.push_back(MeasureListItem(items.GetItem(i), Graphics).Height());
  const int first = LayOutListItems(&items, s.GetRect()->GetRect(), s.GetSpace(), heights);
  const int w = s.GetRect()->GetWidth(), h = s.GetRect()->GetHeight();
  for (int i = first; i < items.GetCount(); ++i) {
    TSplashListItem& item = *items.GetItem(i);
    if (item.GetHTMLText().empty()) continue;
    const TRect& d = item.GetDisplayRect();
    int xs = 0, ys = 0;
    SetTextRendering(Graphics);
    DrawHtml(Graphics, *s.GetHTMLFont(), item.GetHTMLText(), TRect(d.Left, d.Top, d.Left + w, d.Top + h),
             s.GetHTMLShadowOffset(), s.GetHTMLURLColor(), s.GetHTMLShadowColor(), false, xs, ys);
  }
}

// ---------------------------------------------------------------- top layer

void TSplashScreenWindow::DrawTopLayerItems() {
  TAdvSplashTopLayerItems& items = *FSplash->GetTopLayerItems();
  if (items.GetCount() == 0) return;
  auto g = CreateGraphics();
  if (!g) return;
  SetTextRendering(g.get());
  const TRect inside = GetInsideRect();
  const TGPRectF container(static_cast<float>(inside.Left), static_cast<float>(inside.Top),
                           static_cast<float>(inside.Right), static_cast<float>(inside.Bottom));
  for (int i = 0; i < items.GetCount(); ++i) {
    TAdvSplashTopLayerItem& item = *items.GetItem(i);
    if (!item.GetVisible()) continue;
    TGDIPFill& fill = *item.GetFill();
    if (fill.GetRounding() > 0 && fill.GetRoundingType() != rtNone)
      g->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    TGPRectF r;
    if (!TopLayerItemRect(item, container, r)) continue;
    if (fill.GetBorderColor() == clNone || fill.GetBorderWidth() == 0) r.Height += 1;
    fill.Fill(g.get(), r);
    const TAdvSplashHTMLText& html = *item.GetHTMLText();
    if (html.GetText().empty()) continue;
    int xs = 0, ys = 0;
    DrawHtml(g.get(), *html.GetFont(), html.GetText(),
             TRect(0, 0, static_cast<int>(std::lround(r.Width)), static_cast<int>(std::lround(r.Height))),
             html.GetShadowOffset(), html.GetURLColor(), html.GetShadowColor(), true, xs, ys);
    TGPPointF at = html.GetLocation() == cpCustom
                       ? TGPPointF(static_cast<float>(html.GetLeft()), static_cast<float>(html.GetTop()))
                       : PlaceItemInRect(html.GetLocation(), r, xs, ys);
    const int x = static_cast<int>(at.X), y = static_cast<int>(at.Y);
    DrawHtml(g.get(), *html.GetFont(), html.GetText(), TRect(x, y, x + xs, y + ys), html.GetShadowOffset(),
             html.GetURLColor(), html.GetShadowColor(), false, xs, ys);
  }
}
