#include "controls/GDIPicture.h"

void TGDIPPicture::Assign(const TGraphic* Source) {
  FIsEmpty = true;
  if (!Source) {
    FData.clear();
    FWidth = FHeight = 0;
    Changed();
    if (OnClear) OnClear(this);
    return;
  }
  // Measured before the notice, so that a listener sees the new size.
  if (auto* other = dynamic_cast<const TGDIPPicture*>(Source)) {
    TakeBytes(other->GetBytes());
    GetImageSizes();
    Changed();
  } else if (dynamic_cast<const TBitmap*>(Source)) {
    TakeGraphic(Source);
    GetImageSizes();
    Changed();
  }
}

void TGDIPPicture::Assign(TPersistent* Source) {
  if (!Source) return Assign(static_cast<const TGraphic*>(nullptr));
  if (auto* g = dynamic_cast<TGraphic*>(Source)) return Assign(static_cast<const TGraphic*>(g));
  if (auto* p = dynamic_cast<TPicture*>(Source)) {
    FIsEmpty = true;
    if (p->GetGraphic()) {
      TakeGraphic(p->GetGraphic());
      GetImageSizes();
      Changed();
    }
    return;
  }
  FIsEmpty = true;
}

std::unique_ptr<TGraphic> TGDIPPicture::Clone() const {
  auto copy = std::make_unique<TGDIPPicture>();
  CopyInto(*copy);
  return copy;
}

void TGDIPPicture::Draw(TCanvas* Canvas, const TRect& R) const {
  std::unique_ptr<TGraphic> g = DecodedGraphic();
  if (!Canvas || !g) return;
  // A transparent picture keeps its key colour (bitmaps) or alpha.
  if (GetTransparent()) g->SetTransparent(true);
  Canvas->StretchDraw(R, g.get());
}

void TGDIPPicture::DrawImage(TGPGraphics* Graphics, int X, int Y) {
  auto image = Decode();
  if (!image || !Graphics) return;
  Graphics->DrawImage(image.get(), X, Y);
}

void TGDIPPicture::DrawImageRect(TGPGraphics* Graphics, int X, int Y, int W, int H) {
  auto image = Decode();
  if (!image || !Graphics) return;
  Graphics->DrawImage(image.get(), static_cast<Gdiplus::REAL>(X), static_cast<Gdiplus::REAL>(Y),
                      static_cast<Gdiplus::REAL>(W), static_cast<Gdiplus::REAL>(H));
}

void TGDIPPicture::ReadData(TStream* Stream) {
  if (!Stream) return;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(Stream->GetSize()));
  Stream->SetPosition(0);
  if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  TakeBytes(std::move(bytes));
  FIsEmpty = false;
}
