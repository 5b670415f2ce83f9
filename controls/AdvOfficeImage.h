#pragma once
// TAdvOfficeImage: a windowless control showing one picture kept as its
// file's bytes, at its own size (centred or in the corner) or stretched
// over the control. Where the picture does not cover it, the parent shows.

#include <cstdint>
#include <memory>
#include <string>

#include "controls/AdvHintInfo.h"
#include "controls/GDIPicture.h"
#include "platform/classlib/Controls.h"

class TAdvOfficeImage : public TGraphicControl {
 public:
  explicit TAdvOfficeImage(TComponent* AOwner);
  ~TAdvOfficeImage() override;

  TGDIPPicture* GetPicture() const { return FIPicture.get(); }
  // Copies the picture in and repaints.
  void SetPicture(TGDIPPicture* Value);
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool Value);
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool Value);
  TAdvHintInfo* GetOfficeHint() const { return FOfficeHint.get(); }
  void SetOfficeHint(TAdvHintInfo* Value);

  // Reads "1.1.0.0"; writes are ignored (form data stores the text).
  std::string GetVersion() const { return "1.1.0.0"; }
  void SetVersion(const std::string&) {}
  // Major version in the top byte.
  virtual std::uint32_t GetVersionNr() const;

  // Where the picture's top-left goes in a control of the given size
  // (division truncating toward zero; negative when the picture is larger).
  static TPoint PictureOrigin(int ControlWidth, int ControlHeight, int PictureWidth, int PictureHeight,
                              bool Center);

 protected:
  void Paint() override;
  virtual void PaintPicture(TCanvas* ACanvas);
  // At run time only: OnMouseEnter / OnMouseLeave.
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  void PictureChanged();

  std::unique_ptr<TAdvHintInfo> FOfficeHint;
  std::unique_ptr<TGDIPPicture> FIPicture;
  bool FCenter = true;
  bool FStretch = false;
};
