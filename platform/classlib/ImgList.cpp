#include "platform/classlib/ImgList.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, int AWidth, int AHeight)
    : TComponent(AOwner), FWidth(std::max(1, AWidth)), FHeight(std::max(1, AHeight)) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Change() {
  if (OnChange) OnChange(this);
}

void TCustomImageList::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(1, AWidth);
  AHeight = std::max(1, AHeight);
  if (AWidth == FWidth && AHeight == FHeight) return;
  FWidth = AWidth;
  FHeight = AHeight;
  FImages.clear();
  Change();
}

int TCustomImageList::AddImage(const QImage& Source, const QImage* Mask, TColor MaskColor) {
  if (Source.isNull() || Source.width() == 0 || Source.height() == 0) return -1;
  QImage src = Source.convertToFormat(QImage::Format_ARGB32);
  const TColor rgb = MaskColor == clNone ? clBlack : ColorToRGB(MaskColor);
  const QRgb keyRgb = qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)) & 0xFFFFFF;
  if (MaskColor != clNone || Mask) {
    for (int y = 0; y < src.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(src.scanLine(y));
      for (int x = 0; x < src.width(); ++x) {
        bool clear = MaskColor != clNone && (line[x] & 0xFFFFFF) == keyRgb;
        if (Mask && x < Mask->width() && y < Mask->height() && (Mask->pixel(x, y) & 0xFFFFFF) != 0)
          clear = true;
        if (clear) line[x] = 0;
      }
    }
  }
  const int pieces = std::max(1, src.width() / FWidth);
  const int first = GetCount();
  for (int i = 0; i < pieces; ++i) {
    auto img = std::make_unique<QImage>(FWidth, FHeight, QImage::Format_ARGB32);
    img->fill(Qt::transparent);
    QPainter p(img.get());
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), src, QRect(i * FWidth, 0, FWidth, FHeight));
    p.end();
    FImages.push_back(std::move(img));
  }
  Change();
  return first;
}

int TCustomImageList::Add(const TBitmap* Image, const TBitmap* Mask) {
  if (!Image || Image->GetEmpty()) return -1;
  QImage mask;
  if (Mask && !Mask->GetEmpty()) mask = Mask->GetImage();
  return AddImage(Image->GetImage(), mask.isNull() ? nullptr : &mask, clNone);
}

int TCustomImageList::AddMasked(const TBitmap* Image, TColor MaskColor) {
  if (!Image || Image->GetEmpty()) return -1;
  return AddImage(Image->GetImage(), nullptr, MaskColor);
}

void TCustomImageList::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) throw EInvalidOperation("Invalid ImageList Index");
  FImages.erase(FImages.begin() + Index);
  Change();
}

void TCustomImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Change();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) const {
  if (!Canvas || Index < 0 || Index >= GetCount()) return;
  QImage img = *FImages[static_cast<std::size_t>(Index)];
  if (!Enabled) {
    // Grey and faded, keeping the shape.
    for (int y = 0; y < img.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x) {
        const int grey = 128 + qGray(line[x]) / 2;
        line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
      }
    }
  }
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetImage(img);
  Canvas->Draw(X, Y, &bmp);
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image) const {
  if (!Image || Index < 0 || Index >= GetCount()) return false;
  Image->SetPixelFormat(pf32bit);
  Image->SetImage(*FImages[static_cast<std::size_t>(Index)]);
  return true;
}
