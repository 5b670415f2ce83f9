#include "controls/AdvSmoothSplashScreenItems.h"

#include <algorithm>
#include <cmath>

#include "controls/AdvSmoothSplashScreen.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Image.h"
#include "platform/sys/SysUtils.h"

namespace {

template <typename T>
const T* SameKind(TPersistent* Source) {
  return dynamic_cast<const T*>(Source);
}

std::unique_ptr<TFont> TahomaFont() {
  auto font = std::make_unique<TFont>();
  font->SetName("Tahoma");
  return font;
}

}  // namespace

// ---------------------------------------------------------------- headings

TSplashHeadingText::TSplashHeadingText()
    : FFont(TahomaFont()), FPicture(std::make_unique<TAdvGDIPPicture>()) {}

TSplashHeadingText::~TSplashHeadingText() = default;

void TSplashHeadingText::SetText(const std::string& Value) {
  if (Value == FText) return;
  FText = Value;
  if (OnChange) OnChange(this);
}

void TSplashHeadingText::Assign(TPersistent* Source) {
  const auto* s = SameKind<TSplashHeadingText>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FAngle = s->FAngle;
  FOpacityStart = s->FOpacityStart;
  FOpacityEnd = s->FOpacityEnd;
  FPosY = s->FPosY;
  FPosX = s->FPosX;
  FText = s->FText;
  FPicture->Assign(s->FPicture.get());
  FGradientType = s->FGradientType;
  FColorEnd = s->FColorEnd;
  FColorStart = s->FColorStart;
  FFont->Assign(s->FFont.get());
  FHatchStyle = s->FHatchStyle;
  FLocation = s->FLocation;
}

TBasicProgramInfo::TBasicProgramInfo()
    : FProgramName(std::make_unique<TSplashHeadingText>()),
      FProgramVersion(std::make_unique<TSplashHeadingText>()),
      FCopyRightFont(std::make_unique<TFont>()) {
  FProgramName->GetFont()->SetSize(14);
  FProgramName->GetFont()->SetStyle(TFontStyles{fsBold});
  FProgramVersion->GetFont()->SetSize(14);
  FProgramVersion->SetPosX(80);
  FProgramVersion->SetPosY(100);
  auto changed = [this](TObject*) {
    if (OnChange) OnChange(this);
  };
  FProgramName->OnChange = changed;
  FProgramVersion->OnChange = changed;
}

TBasicProgramInfo::~TBasicProgramInfo() = default;

void TBasicProgramInfo::Assign(TPersistent* Source) {
  const auto* s = SameKind<TBasicProgramInfo>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FAutoLoad = s->FAutoLoad;
  FCopyRightFont->Assign(s->FCopyRightFont.get());
  FCopyRightLocation = s->FCopyRightLocation;
  FCopyRightPosX = s->FCopyRightPosX;
  FCopyRightPosY = s->FCopyRightPosY;
  FCopyRight = s->FCopyRight;
  FProgramName->Assign(s->FProgramName.get());
  FProgramVersion->Assign(s->FProgramVersion.get());
}

// ---------------------------------------------------------------- collections

TSplashCollection::TSplashCollection(TAdvSmoothSplashScreen* Owner, TCollectionItemClass ItemClass)
    : TOwnedCollection(Owner, std::move(ItemClass)), FSplash(Owner) {}

void TSplashCollection::Update(TCollectionItem* Item) {
  if (!Item && GetCount() == 0 && OnChange) OnChange(this);
}

namespace {

// An item about to go tells its collection's OnDeleteItem.
void TellDeleted(TCollectionItem* Item) {
  auto* c = dynamic_cast<TSplashCollection*>(Item->GetCollection());
  if (c && c->OnDeleteItem) c->OnDeleteItem(c, Item->GetIndex());
}

}  // namespace

TSplashItem::TSplashItem(TCollection* Collection)
    : TCollectionItem(Collection),
      FPicture(std::make_unique<TAdvGDIPPicture>()),
      FFont(std::make_unique<TFont>()) {}

TSplashItem::~TSplashItem() {
  TellDeleted(this);
}

void TSplashItem::Assign(TPersistent* Source) {
  const auto* s = SameKind<TSplashItem>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FText = s->FText;
  FTag = s->FTag;
  FImageIndex = s->FImageIndex;
  FPicture->Assign(s->FPicture.get());
  FPosX = s->FPosX;
  FPosY = s->FPosY;
}

void TSplashItem::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0) Refresh();
}

void TSplashItem::Refresh() {
  auto* c = dynamic_cast<TSplashCollection*>(GetCollection());
  TAdvSmoothSplashScreen* splash = c ? c->GetSplash() : nullptr;
  if (splash && !splash->GetComponentState().Contains(csDesigning)) splash->InvalidateSplash();
}

TSplashItems::TSplashItems(TAdvSmoothSplashScreen* Owner)
    : TSplashCollection(Owner, CollectionItemClass<TSplashItem>()) {}

TSplashItems::~TSplashItems() {
  Clear();
}

// ---------------------------------------------------------------- list

void TListItemsRect::Assign(TPersistent* Source) {
  const auto* s = SameKind<TListItemsRect>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FLeft = s->FLeft;
  FTop = s->FTop;
  FWidth = s->FWidth;
  FHeight = s->FHeight;
}

TSplashListItemsSettings::TSplashListItemsSettings()
    : FRect(std::make_unique<TListItemsRect>()), FHTMLFont(TahomaFont()) {}

TSplashListItemsSettings::~TSplashListItemsSettings() = default;

void TSplashListItemsSettings::Assign(TPersistent* Source) {
  const auto* s = SameKind<TSplashListItemsSettings>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FHTMLShadowColor = s->FHTMLShadowColor;
  FHTMLURLColor = s->FHTMLURLColor;
  FHTMLShadowOffset = s->FHTMLShadowOffset;
  FHTMLFont->Assign(s->FHTMLFont.get());
  FRect->Assign(s->FRect.get());
  FSpace = s->FSpace;
}

TSplashListItem::TSplashListItem(TCollection* Collection) : TCollectionItem(Collection) {}

TSplashListItem::~TSplashListItem() {
  TellDeleted(this);
}

void TSplashListItem::Assign(TPersistent* Source) {
  const auto* s = SameKind<TSplashListItem>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FHTMLText = s->FHTMLText;
  FTag = s->FTag;
  FImageIndex = s->FImageIndex;
}

void TSplashListItem::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0) Refresh();
}

void TSplashListItem::Refresh() {
  auto* c = dynamic_cast<TSplashCollection*>(GetCollection());
  if (c && c->OnChange) c->OnChange(c);
}

TSplashListItems::TSplashListItems(TAdvSmoothSplashScreen* Owner)
    : TSplashCollection(Owner, CollectionItemClass<TSplashListItem>()) {}

TSplashListItems::~TSplashListItems() {
  Clear();
}

int LayOutListItems(TSplashListItems* Items, const TRect& Area, int Space, const std::vector<int>& Heights) {
  const int count = Items->GetCount();
  int y = Area.Top;
  for (int i = 0; i < count; ++i) {
    const int h = i < static_cast<int>(Heights.size()) ? Heights[static_cast<size_t>(i)] : 0;
    Items->GetItem(i)->SetDisplayRect(TRect(Area.Left, y, Area.Right, y + h));
    y += h + Space;
  }
  if (count == 0) return 0;
  const int last = count - 1;
  int first = 0;
  const int lastBottom = Items->GetItem(last)->GetDisplayRect().Bottom;
  if (lastBottom > Area.Bottom) {
    // The oldest lines give way until the newest fits.
    int overflow = lastBottom - Area.Bottom;
    first = last;
    for (int i = 0; i < count; ++i) {
      TSplashListItem* item = Items->GetItem(i);
      TRect r = item->GetDisplayRect();
      const int h = r.Height();
      r.Top = -1;
      r.Bottom = -1;
      item->SetDisplayRect(r);
      overflow -= h + Space;
      if (overflow <= 0) {
        first = std::min(i + 1, last);
        break;
      }
    }
    const int shift = Items->GetItem(first)->GetDisplayRect().Top - Area.Top;
    for (int i = first; i < count; ++i) {
      TSplashListItem* item = Items->GetItem(i);
      TRect r = item->GetDisplayRect();
      r.Top -= shift;
      r.Bottom -= shift;
      item->SetDisplayRect(r);
    }
  }
  return first;
}

// ---------------------------------------------------------------- top layer

TAdvSplashHTMLText::TAdvSplashHTMLText(TAdvSmoothSplashScreen* Owner) : FOwner(Owner), FFont(TahomaFont()) {
  FFont->OnChange = [this](TGraphicsObject*) { Changed(); };
}

TAdvSplashHTMLText::~TAdvSplashHTMLText() = default;

void TAdvSplashHTMLText::Changed() {
  if (FOwner) FOwner->InvalidateSplash();
  if (OnChange) OnChange(this);
}

void TAdvSplashHTMLText::SetText(const std::string& Value) {
  if (Value == FText) return;
  FText = Value;
  Changed();
}

void TAdvSplashHTMLText::SetFont(TFont* Value) {
  if (Value == FFont.get()) return;
  FFont->Assign(Value);
  Changed();
}

void TAdvSplashHTMLText::Assign(TPersistent* Source) {
  const auto* s = SameKind<TAdvSplashHTMLText>(Source);
  if (!s) return;
  FText = s->FText;
  FURLColor = s->FURLColor;
  FShadowOffset = s->FShadowOffset;
  {
    // One notice for the whole copy.
    auto notice = std::move(FFont->OnChange);
    FFont->Assign(s->FFont.get());
    FFont->OnChange = std::move(notice);
  }
  FShadowColor = s->FShadowColor;
  FLocation = s->FLocation;
  FLeft = s->FLeft;
  FTop = s->FTop;
  Changed();
}

TAdvSplashTopLayerItem::TAdvSplashTopLayerItem(TCollection* Collection)
    : TCollectionItem(Collection), FFill(std::make_unique<TGDIPFill>()) {
  FHTMLText = std::make_unique<TAdvSplashHTMLText>(Splash());
  FFill->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

TAdvSplashTopLayerItem::~TAdvSplashTopLayerItem() {
  FFill->OnChange = nullptr;
  TAdvSmoothSplashScreen* splash = Splash();
  if (splash) splash->InvalidateSplash();
}

TAdvSmoothSplashScreen* TAdvSplashTopLayerItem::Splash() const {
  auto* c = dynamic_cast<TSplashCollection*>(GetCollection());
  return c ? c->GetSplash() : nullptr;
}

void TAdvSplashTopLayerItem::Changed() {
  if (TAdvSmoothSplashScreen* splash = Splash()) splash->InvalidateSplash();
}

void TAdvSplashTopLayerItem::SetHTMLText(TAdvSplashHTMLText* Value) {
  if (Value == FHTMLText.get()) return;
  FHTMLText->Assign(Value);
  Changed();
}

void TAdvSplashTopLayerItem::SetFill(TGDIPFill* Value) {
  if (Value == FFill.get()) return;
  FFill->Assign(Value);
  Changed();
}

void TAdvSplashTopLayerItem::Assign(TPersistent* Source) {
  const auto* s = SameKind<TAdvSplashTopLayerItem>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FHTMLText->Assign(s->FHTMLText.get());
  FVisible = s->FVisible;
  FTop = s->FTop;
  FLeft = s->FLeft;
  FHeight = s->FHeight;
  FWidth = s->FWidth;
  FFill->Assign(s->FFill.get());
  FAlign = s->FAlign;
  Changed();
}

TAdvSplashTopLayerItems::TAdvSplashTopLayerItems(TAdvSmoothSplashScreen* Owner)
    : TSplashCollection(Owner, CollectionItemClass<TAdvSplashTopLayerItem>()) {}

TAdvSplashTopLayerItems::~TAdvSplashTopLayerItems() {
  Clear();
}

bool TopLayerItemRect(const TAdvSplashTopLayerItem& Item, const TGPRectF& C, TGPRectF& R) {
  const float x = C.X, y = C.Y, w = C.Width, h = C.Height;
  const auto W = static_cast<float>(Item.GetWidth());
  const auto H = static_cast<float>(Item.GetHeight());
  switch (Item.GetAlign()) {
    case alTop:
      R = TGPRectF(x, y, w - x, H);
      return true;
    case alBottom:
      R = TGPRectF(x, y + h - H, w - x, H);
      return true;
    case alLeft:
      R = TGPRectF(x, y, W, h);
      return true;
    case alRight:
      R = TGPRectF(w - W, y, W, h);
      return true;
    case alClient:
      R = TGPRectF(x, y, w - x, h);
      return true;
    case alCustom:
      R = TGPRectF(x + static_cast<float>(Item.GetLeft()), y + static_cast<float>(Item.GetTop()), W, H);
      return true;
    default:
      return false;
  }
}

// ---------------------------------------------------------------- drawing

TGPPointF PlaceItemInRect(TAdvSmoothSplashScreenLocation Location, const TGPRectF& R, int BoxWidth,
                          int BoxHeight) {
  const int w = RoundHalfEven(R.Width);
  const int h = RoundHalfEven(R.Height);
  const int cx = (w - BoxWidth) / 2;
  const int cy = (h - BoxHeight) / 2;
  int x = 0, y = 0;
  switch (Location) {
    case cpTopCenter:
      x = cx;
      break;
    case cpTopRight:
      x = w - BoxWidth;
      break;
    case cpCenterLeft:
      y = cy;
      break;
    case cpCenterCenter:
      x = cx;
      y = cy;
      break;
    case cpCenterRight:
      x = w - BoxWidth;
      y = cy;
      break;
    case cpBottomLeft:
      y = h - BoxHeight;
      break;
    case cpBottomCenter:
      x = cx;
      y = h - BoxHeight;
      break;
    case cpBottomRight:
      x = w - BoxWidth;
      y = h - BoxHeight;
      break;
    default:
      break;
  }
  return TGPPointF(static_cast<float>(x + RoundHalfEven(R.X)), static_cast<float>(y + RoundHalfEven(R.Y)));
}

void DrawHeadingText(TGPGraphics* Graphics, const std::string& Text, const TGPPointF& Point, TSize& Size,
                     Gdiplus::TextRenderingHint Rendering, int Angle, bool MeasureOnly, TColor ColorEnd,
                     TColor ColorStart, std::uint8_t OpacityEnd, std::uint8_t OpacityStart,
                     Gdiplus::HatchStyle HatchStyle, TAdvGDIPPicture* Picture, TAdvGradientType GradientType,
                     const TFont& Font) {
  Size = TSize();
  if (Text.empty() || !Graphics) return;
  auto font = MakeFont(Font);
  Graphics->SetTextRenderingHint(Rendering);
  TGPStringFormat format;
  format.SetAlignment(Gdiplus::StringAlignmentNear);
  const std::u16string text = Utf16(Text);
  const auto* wide = reinterpret_cast<const Gdiplus::WCHAR*>(text.c_str());
  const float x = Point.X, y = Point.Y;
  TGPRectF box;
  Graphics->MeasureString(wide, static_cast<int>(text.size()), font.get(), TGPRectF(x, y, 1500, 500), &format,
                          &box);
  Size = TSize(RoundHalfEven(box.Width), RoundHalfEven(box.Height));
  if (MeasureOnly) return;
  const auto w = static_cast<float>(Size.cx), h = static_cast<float>(Size.cy);
  const Gdiplus::Color c1(ArgbFromColor(OpacityStart, ColorStart));
  const Gdiplus::Color c2(ArgbFromColor(OpacityEnd, ColorEnd));
  if (ColorEnd == clNone && GradientType != gtTexture && GradientType != gtNone) GradientType = gtSolid;
  std::unique_ptr<TGPBrush> brush;
  std::unique_ptr<TGPImage> texture;
  switch (GradientType) {
    case gtSolid:
      brush = std::make_unique<TGPSolidBrush>(c1);
      break;
    case gtVertical:
      brush = std::make_unique<TGPLinearGradientBrush>(TGPPointF(x, y), TGPPointF(x, y + h), c1, c2);
      break;
    case gtHorizontal:
      brush = std::make_unique<TGPLinearGradientBrush>(TGPPointF(x, y), TGPPointF(x + w, y), c1, c2);
      break;
    case gtForwardDiagonal:
      brush = std::make_unique<TGPLinearGradientBrush>(TGPPointF(x, y), TGPPointF(x + w, y + h), c1, c2);
      break;
    case gtBackwardDiagonal:
      brush = std::make_unique<TGPLinearGradientBrush>(TGPPointF(x, y + h), TGPPointF(x + w, y), c1, c2);
      break;
    case gtAngle: {
      auto angled = std::make_unique<TGPLinearGradientBrush>(TGPRectF(x, y, w + 10, h + 10), c1, c2,
                                                             static_cast<float>(Angle), true);
      angled->SetGammaCorrection(true);
      brush = std::move(angled);
      break;
    }
    case gtHatch:
      brush = std::make_unique<TGPHatchBrush>(HatchStyle, c1, c2);
      break;
    case gtTexture:
      if (Picture && !Picture->GetEmpty()) {
        texture = Picture->Decode();
        if (texture) brush = std::make_unique<TGPTextureBrush>(texture.get(), Gdiplus::WrapModeTile);
      }
      break;
    default:
      break;
  }
  if (!brush) return;
  Graphics->DrawString(wide, static_cast<int>(text.size()), font.get(), TGPRectF(x, y, w + 10, h + 10),
                       &format, brush.get());
}

void DrawItemPicture(TGPGraphics* Graphics, const TGPPointF& Point, TAdvGDIPPicture* Picture) {
  if (!Graphics || !Picture || Picture->GetEmpty()) return;
  const std::vector<std::uint8_t>& bytes = Picture->GetBytes();
  Gdiplus::MemoryStream stream(bytes);
  TGPBitmap image(&stream);
  const auto w = static_cast<float>(image.GetWidth());
  const auto h = static_cast<float>(image.GetHeight());
  if (w <= 0 || h <= 0) return;
  if (GetImageFormat(image) == ifPNG) {
    Graphics->DrawImage(&image, TGPRectF(Point.X, Point.Y, w, h));
    return;
  }
  // The bottom-left pixel's colour is the see-through one.
  Gdiplus::Color key;
  image.GetPixel(0, static_cast<int>(h) - 1, &key);
  TGPImageAttributes attributes;
  attributes.SetColorKey(key, key);
  Graphics->DrawImage(&image, TGPRectF(Point.X, Point.Y, w, h), 0, 0, w, h, Gdiplus::UnitPixel, &attributes);
}

TProgramInfoPlaces PlaceProgramInfo(const TBasicProgramInfo& Info, const TRect& R, const TSize& NameSize,
                                    const TSize& VersionSize, const TSize& CopyRightSize) {
  const int nW = NameSize.cx, nH = NameSize.cy;
  const int vW = VersionSize.cx, vH = VersionSize.cy;
  const int cW = CopyRightSize.cx, cH = CopyRightSize.cy;
  constexpr int hGap = 1;
  constexpr int vGap = 3;
  auto centre = [&R](int w) { return R.Left + (R.Right - R.Left - w) / 2; };
  const TSplashHeadingText& name = *Info.GetProgramName();
  const TSplashHeadingText& version = *Info.GetProgramVersion();
  const TItemLocation nl = name.GetLocation();
  const TItemLocation vl = version.GetLocation();
  const TItemLocation cl = Info.GetCopyRightLocation();
  TProgramInfoPlaces p;

  switch (nl) {
    case ilTopLeft:
      p.Name = {R.Left, R.Top};
      break;
    case ilTopCenter:
      p.Name = {centre(nW), R.Top};
      break;
    case ilTopRight:
      p.Name = {R.Right - nW - (vl == ilTopRight && vW > 0 ? vW + hGap : 0), R.Top};
      break;
    case ilBottomLeft:
      p.Name = {R.Left, R.Bottom - nH - (cl == ilBottomLeft && cH > 0 ? cH + vGap : 0)};
      break;
    case ilBottomCenter:
      p.Name = {centre(nW), R.Bottom - nH - (cl == ilBottomCenter ? cH + vGap + vH : 0)};
      break;
    case ilBottomRight:
      p.Name = {R.Right - nW - (vl == ilBottomRight && vW > 0 ? vW + hGap : 0),
                R.Bottom - nH - (cl == ilBottomRight && cH > 0 ? cH + vGap : 0)};
      break;
    default:
      p.Name = {name.GetPosX(), name.GetPosY()};
      break;
  }

  // The version's height under the name at the bottom.
  auto bottomY = [&](TItemLocation same) {
    const int y = nH >= 1 ? R.Bottom - nH : R.Bottom - vH;
    return y - (cl == same && cH > 0 ? cH + vGap : 0);
  };
  switch (vl) {
    case ilTopLeft:
      if (nl == ilTopLeft && nW >= 1)
        p.Version = {R.Left + nW + hGap, R.Top + (nH - vH) / 2};
      else
        p.Version = {R.Left, R.Top};
      break;
    case ilTopCenter:
      p.Version = {centre(vW), R.Top + (nl == ilTopCenter ? nH + vH : 0)};
      break;
    case ilTopRight:
      p.Version = {R.Right - vW, R.Top};
      break;
    case ilBottomLeft: {
      const bool beside = nl == ilBottomLeft && nW > 0;
      p.Version = {beside ? R.Left + nW + hGap : R.Left,
                   (beside ? R.Bottom - nH : R.Bottom - vH) - (cl == ilBottomLeft && cH > 0 ? cH + vGap : 0)};
      break;
    }
    case ilBottomCenter:
      p.Version = {centre(vW), bottomY(ilBottomCenter)};
      break;
    case ilBottomRight:
      p.Version = {R.Right - vW, bottomY(ilBottomRight)};
      break;
    default:
      p.Version = {version.GetPosX(), version.GetPosY()};
      break;
  }

  // Below a heading at the same top place.
  auto topY = [&](TItemLocation same) {
    if (nl == same && nH > 0) return R.Top + nH + vGap;
    if (vl == same && vH > 0) return R.Top + vH + vGap;
    return R.Top;
  };
  switch (cl) {
    case ilTopLeft:
      p.CopyRight = {R.Left, topY(ilTopLeft)};
      break;
    case ilTopCenter:
      p.CopyRight = {centre(cW), topY(ilTopCenter)};
      break;
    case ilTopRight:
      p.CopyRight = {R.Right - cW, topY(ilTopRight)};
      break;
    case ilBottomLeft:
      p.CopyRight = {R.Left, R.Bottom - cH};
      break;
    case ilBottomCenter:
      p.CopyRight = {centre(cW), R.Bottom - cH};
      break;
    case ilBottomRight:
      p.CopyRight = {R.Right - cW, R.Bottom - cH};
      break;
    default:
      p.CopyRight = {Info.GetCopyRightPosX(), Info.GetCopyRightPosY()};
      break;
  }
  return p;
}
