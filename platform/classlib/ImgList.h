#pragma once
// Image lists: a row of equally sized images, added from bitmaps and drawn
// by index onto a canvas.

#include <memory>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Graphics.h"

class QImage;

class TCustomImageList : public TComponent {
 public:
  // 16 x 16 images.
  explicit TCustomImageList(TComponent* AOwner);
  TCustomImageList(TComponent* AOwner, int AWidth, int AHeight);
  ~TCustomImageList() override;

  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  // A new size empties the list (the images no longer fit it). Sizes below
  // 1 are taken as 1.
  void SetWidth(int Value) { SetSize(Value, FHeight); }
  void SetHeight(int Value) { SetSize(FWidth, Value); }
  void SetSize(int AWidth, int AHeight);
  int GetCount() const { return static_cast<int>(FImages.size()); }
  int Count() const { return GetCount(); }

  // Cuts Image into Width-wide images from the left (a bitmap narrower
  // than Width gives one image) and appends them, cropped or padded with
  // transparent pixels to Height. Mask pixels that are not black leave the
  // image transparent there; without a mask a 32-bit bitmap keeps its
  // alpha and any other is opaque. Returns the index of the first image
  // added, -1 when Image is null or empty.
  int Add(const TBitmap* Image, const TBitmap* Mask = nullptr);
  // As Add, with every pixel of MaskColor transparent (clNone: none).
  int AddMasked(const TBitmap* Image, TColor MaskColor);
  // Throws EInvalidOperation "Invalid ImageList Index" outside 0..Count-1.
  void Delete(int Index);
  void Clear();

  // Draws image Index with its top-left at (X, Y), transparent pixels left
  // alone; a disabled image is drawn as a grey, lighter copy. An index
  // outside the list draws nothing, as does a null canvas.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const;
  // Copies image Index into Image (32-bit, with its transparency); false
  // for an index outside the list.
  bool GetBitmap(int Index, TBitmap* Image) const;

  // After every change of the images or the size.
  TNotifyEvent OnChange;

 protected:
  virtual void Change();

 private:
  int AddImage(const QImage& Source, const QImage* Mask, TColor MaskColor);

  int FWidth = 16;
  int FHeight = 16;
  std::vector<std::unique_ptr<QImage>> FImages;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
};
