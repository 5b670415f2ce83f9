#pragma once
// Recorded pictures in place of enhanced metafiles. A metafile of W x H
// keeps every call its canvas drew (and the pixels they made); drawn into
// a rectangle of any canvas (a bitmap, a form, a printer page) the calls
// are played again scaled, so text and lines are drawn at the target's
// resolution. Saved, it is a standard enhanced-metafile file holding its
// pixels as one stretch-bitmap record.

#include <memory>
#include <string>

#include "platform/classlib/Graphics.h"

class TCanvasRecorder;

class TMetafile : public TGraphic {
 public:
  TMetafile();
  ~TMetafile() override;

  int GetWidth() const override { return FWidth; }
  int GetHeight() const override { return FHeight; }
  bool GetEmpty() const override { return FWidth <= 0 || FHeight <= 0; }
  // A new size empties the picture.
  void SetWidth(int Value) { SetSize(Value, FHeight); }
  void SetHeight(int Value) { SetSize(FWidth, Value); }
  void SetSize(int Width, int Height);
  // The creator and description texts of the last canvas made on it.
  const std::string& GetCreatedBy() const { return FCreatedBy; }
  const std::string& GetDescription() const { return FDescription; }
  // Drawing calls recorded (0 for a metafile read from a file).
  int GetRecordCount() const;

  // The enhanced-metafile file: header (with the creator and description
  // texts), one stretch-bitmap record of the pixels, end record.
  std::vector<std::uint8_t> SaveToBytes() const override;
  // Reads such a file back (its first stretch-bitmap record of 24 or 32
  // bits); EInvalidGraphic for anything else.
  void LoadFromBytes(const std::uint8_t* data, std::size_t size) override;
  using TGraphic::LoadFromBytes;
  void SetImage(const QImage& image) override;
  using TGraphic::Assign;
  void Assign(const TGraphic* source) override;
  std::unique_ptr<TGraphic> Clone() const override;
  // Plays the recorded calls scaled into r; without any, the pixels.
  void Draw(TCanvas* canvas, const TRect& r) const override;

 private:
  friend class TMetafileCanvas;
  void Blank(int Width, int Height);
  int FWidth = 0;
  int FHeight = 0;
  std::string FCreatedBy;
  std::string FDescription;
  // Replaced, never changed, once a copy may share it.
  std::shared_ptr<TCanvasRecorder> FRecorder;
};

// Draws on a metafile: the metafile starts empty (white) at its size and
// holds every call drawn here once the canvas is freed.
class TMetafileCanvas : public TCanvas {
 public:
  TMetafileCanvas(TMetafile* Metafile, const std::string& CreatedBy, const std::string& Description);
  ~TMetafileCanvas() override;
  TMetafileCanvas(const TMetafileCanvas&) = delete;
  TMetafileCanvas& operator=(const TMetafileCanvas&) = delete;

 private:
  TMetafile* FMetafile;
};
