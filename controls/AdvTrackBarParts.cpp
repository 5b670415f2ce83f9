#include "controls/AdvTrackBarParts.h"

#include "controls/AdvTrackBar.h"

std::unique_ptr<TGDIPPicture> TTrackBarPart::MakePicture() {
  auto p = std::make_unique<TGDIPPicture>();
  p->OnChange = [this](TGraphic*) { PictureChanged(); };
  return p;
}

// ---------------------------------------------------------------- thumb

TTrackBarThumb::TTrackBarThumb(TCustomTrackBar* AOwner)
    : FAdvTrackBar(AOwner),
      FPicture(MakePicture()),
      FPictureHot(MakePicture()),
      FPictureDown(MakePicture()),
      FPictureDisabled(MakePicture()) {}

void TTrackBarThumb::SetSize(int Value) {
  if (!FPicture->GetEmpty() || Value == FSize) return;
  FSize = Value;
  Changed();
}

void TTrackBarThumb::SetWidth(int Value) {
  if (!FPicture->GetEmpty() || Value == FWidth) return;
  FWidth = Value;
  Changed();
}

void TTrackBarThumb::SetThumbPointer(TThumbPointer Value) {
  if (Value == FThumbPointer || !FAdvTrackBar) return;
  if (!FAdvTrackBar->AllowThumbPointer(this, Value)) return;
  FThumbPointer = Value;
  Changed();
}

void TTrackBarThumb::SetStyle(TThumbStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TTrackBarThumb::SizeFromPicture() {
  if (FPicture->GetEmpty() || !FAdvTrackBar) return;
  // A picture from form data is not measured until asked.
  if (FPicture->GetWidth() == 0) FPicture->GetImageSizes();
  if (FAdvTrackBar->GetOrientation() == trVertical) {
    FWidth = FPicture->GetHeight();
    FSize = FPicture->GetWidth();
  } else {
    FSize = FPicture->GetHeight();
    FWidth = FPicture->GetWidth();
  }
}

void TTrackBarThumb::PictureChanged() {
  SizeFromPicture();
  Changed();
}

TThumbColors TTrackBarThumb::StateColors(int State) const {
  switch (State) {
    case 1:
      return {FBorderColorHot, FColorHot, FColorHotTo, FColorMirrorHot, FColorMirrorHotTo};
    case 2:
      return {FBorderColorDown, FColorDown, FColorDownTo, FColorMirrorDown, FColorMirrorDownTo};
    case 3:
      return {FBorderColorDisabled, FColorDisabled, FColorDisabledTo, FColorMirrorDisabled,
              FColorMirrorDisabledTo};
    default:
      return {FBorderColor, FColor, FColorTo, FColorMirror, FColorMirrorTo};
  }
}

void TTrackBarThumb::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TTrackBarThumb*>(Source);
  if (!s) return;
  FBorderColor = s->FBorderColor;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FColorMirror = s->FColorMirror;
  FColorMirrorTo = s->FColorMirrorTo;
  FBorderColorHot = s->FBorderColorHot;
  FColorHot = s->FColorHot;
  FColorHotTo = s->FColorHotTo;
  FColorMirrorHot = s->FColorMirrorHot;
  FColorMirrorHotTo = s->FColorMirrorHotTo;
  FBorderColorDown = s->FBorderColorDown;
  FColorDown = s->FColorDown;
  FColorDownTo = s->FColorDownTo;
  FColorMirrorDown = s->FColorMirrorDown;
  FColorMirrorDownTo = s->FColorMirrorDownTo;
  FBorderColorDisabled = s->FBorderColorDisabled;
  FColorDisabled = s->FColorDisabled;
  FColorDisabledTo = s->FColorDisabledTo;
  FColorMirrorDisabled = s->FColorMirrorDisabled;
  FColorMirrorDisabledTo = s->FColorMirrorDisabledTo;
  FSteps = s->FSteps;
  FGradient = s->FGradient;
  FGradientMirror = s->FGradientMirror;
  FPicture->Assign(s->FPicture.get());
  FPictureHot->Assign(s->FPictureHot.get());
  FPictureDown->Assign(s->FPictureDown.get());
  FPictureDisabled->Assign(s->FPictureDisabled.get());
  SetWidth(s->FWidth);
  SetShape(s->FShape);
  SetStyle(s->FStyle);
  SetSize(s->FSize);
  SetThumbPointer(s->FThumbPointer);
}

// ---------------------------------------------------------------- slider

TTrackBarSlider::TTrackBarSlider(TCustomTrackBar* AOwner)
    : FAdvTrackBar(AOwner),
      FPicture(MakePicture()),
      FPictureDisabled(MakePicture()),
      FPictureCompleted(MakePicture()),
      FPictureCompletedDisabled(MakePicture()) {}

void TTrackBarSlider::PictureChanged() {
  if (!FPicture->GetEmpty() && FAdvTrackBar) {
    FSize = FAdvTrackBar->GetOrientation() == trVertical ? FPicture->GetWidth() : FPicture->GetHeight();
    SetBorderColor(clNone);
  }
  Changed();
}

void TTrackBarSlider::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TTrackBarSlider*>(Source);
  if (!s) return TPersistent::Assign(Source);
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FBorderColor = s->FBorderColor;
  FBorderColorDisabled = s->FBorderColorDisabled;
  FColorDisabled = s->FColorDisabled;
  FColorDisabledTo = s->FColorDisabledTo;
  FColorCompleted = s->FColorCompleted;
  FColorCompletedTo = s->FColorCompletedTo;
  FColorCompletedDisabled = s->FColorCompletedDisabled;
  FColorCompletedDisabledTo = s->FColorCompletedDisabledTo;
  FSize = s->FSize;
  FRounded = s->FRounded;
  FPictureStretched = s->FPictureStretched;
  SetBorder3D(s->FBorder3D);
  SetVisible(s->FVisible);
  FPicture->Assign(s->FPicture.get());
  FPictureDisabled->Assign(s->FPictureDisabled.get());
  FPictureCompleted->Assign(s->FPictureCompleted.get());
  FPictureCompletedDisabled->Assign(s->FPictureCompletedDisabled.get());
  SetOffset(s->FOffset);
  Changed();
}

// ---------------------------------------------------------------- ticks

TTrackBarTick::TTrackBarTick()
    : FFont(std::make_unique<TFont>()), FPicture(MakePicture()), FPictureDisabled(MakePicture()) {
  FFont->SetName("Tahoma");
  FFont->OnChange = [this](TGraphicsObject*) { Changed(); };
}

void TTrackBarTick::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TTrackBarTick*>(Source);
  if (!s) return TPersistent::Assign(Source);
  SetColor(s->FColor);
  SetColorDisabled(s->FColorDisabled);
  SetSize(s->FSize);
  SetPosition(s->FPosition);
  SetStyle(s->FStyle);
  FPicture->Assign(s->FPicture.get());
  FPictureDisabled->Assign(s->FPictureDisabled.get());
  FFont->Assign(s->FFont.get());
  SetShowText(s->FShowText);
  SetLine3D(s->FLine3D);
  FShowImageAtThumbOnly = s->FShowImageAtThumbOnly;
  FShowImageAtSteps = s->FShowImageAtSteps;
  SetSpacing(s->FSpacing);
}

// ---------------------------------------------------------------- buttons

TTrackBarButtons::TTrackBarButtons(TCustomTrackBar* AOwner)
    : FAdvTrackBar(AOwner),
      FMinPicture(MakePicture()),
      FMinPictureHot(std::make_unique<TGDIPPicture>()),
      FMinPictureDown(std::make_unique<TGDIPPicture>()),
      FMaxPicture(MakePicture()),
      FMaxPictureHot(std::make_unique<TGDIPPicture>()),
      FMaxPictureDown(std::make_unique<TGDIPPicture>()) {}

void TTrackBarButtons::SetSize(int Value) {
  if (!FMinPicture->GetEmpty() || !FMaxPicture->GetEmpty() || Value == FSize) return;
  FSize = Value;
  Changed();
}

void TTrackBarButtons::SizeFromPictures() {
  if (!FAdvTrackBar || (FMinPicture->GetEmpty() && FMaxPicture->GetEmpty())) return;
  TGDIPPicture* p = FMinPicture->GetEmpty() ? FMaxPicture.get() : FMinPicture.get();
  FSize = FAdvTrackBar->GetOrientation() == trVertical ? p->GetHeight() : p->GetWidth();
}

void TTrackBarButtons::PictureChanged() {
  SizeFromPictures();
  Changed();
}

TThumbColors TTrackBarButtons::StateColors(int State) const {
  switch (State) {
    case 1:
      return {FBorderColorHot, FColorHot, FColorHotTo, FColorMirrorHot, FColorMirrorHotTo};
    case 2:
      return {FBorderColorDown, FColorDown, FColorDownTo, FColorMirrorDown, FColorMirrorDownTo};
    default:
      return {FBorderColor, FColor, FColorTo, FColorMirror, FColorMirrorTo};
  }
}

void TTrackBarButtons::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TTrackBarButtons*>(Source);
  if (!s) return TPersistent::Assign(Source);
  SetBorderColor(s->FBorderColor);
  SetColor(s->FColor);
  SetColorTo(s->FColorTo);
  SetBorderColorHot(s->FBorderColorHot);
  SetColorHot(s->FColorHot);
  SetColorHotTo(s->FColorHotTo);
  SetBorderColorDown(s->FBorderColorDown);
  SetColorDown(s->FColorDown);
  SetColorDownTo(s->FColorDownTo);
  FColorMirror = s->FColorMirror;
  FColorMirrorTo = s->FColorMirrorTo;
  FColorMirrorHot = s->FColorMirrorHot;
  FColorMirrorHotTo = s->FColorMirrorHotTo;
  FColorMirrorDown = s->FColorMirrorDown;
  FColorMirrorDownTo = s->FColorMirrorDownTo;
  FMinPicture->Assign(s->FMinPicture.get());
  FMinPictureHot->Assign(s->FMinPictureHot.get());
  FMinPictureDown->Assign(s->FMinPictureDown.get());
  FMaxPicture->Assign(s->FMaxPicture.get());
  FMaxPictureHot->Assign(s->FMaxPictureHot.get());
  FMaxPictureDown->Assign(s->FMaxPictureDown.get());
  SetVisible(s->FVisible);
  SetSize(s->FSize);
  SetShape(s->FShape);
  SetCornerRadius(s->FCornerRadius);
  FRepeatClick = s->FRepeatClick;
  FRepeatPause = s->FRepeatPause;
  SetRotateText(s->FRotateText);
  FInitRepeatPause = s->FInitRepeatPause;
  SetSpacing(s->FSpacing);
  FStep = s->FStep;
}

// ---------------------------------------------------------------- label

TTrackBarLabel::TTrackBarLabel() : FFont(std::make_unique<TFont>()) {
  FFont->SetName("Tahoma");
  FFont->OnChange = [this](TGraphicsObject*) { Changed(); };
}

void TTrackBarLabel::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TTrackBarLabel*>(Source);
  if (!s) return TPersistent::Assign(Source);
  SetVisible(s->FVisible);
  SetFormat(s->FFormat);
  FFont->Assign(s->FFont.get());
  SetPosition(s->FPosition);
}
