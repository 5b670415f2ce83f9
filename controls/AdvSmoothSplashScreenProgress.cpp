#include "controls/AdvSmoothSplashScreenProgress.h"

#include <algorithm>
#include <cmath>

#include "platform/classlib/ExtCtrls.h"
#include "platform/gdiplus/ClassLibBridge.h"
#include "platform/sys/SysUtils.h"

namespace {

// Width of the shading at either end of a fill, and of each glow band.
constexpr float kEndShade = 10;
constexpr float kGlowBand = 30;
// Each animation beat covers this share of the way left.
constexpr double kAnimationShare = 15;
constexpr double kArrived = 1e-6;

Gdiplus::Color Argb(std::uint8_t a, TColor c) {
  return Gdiplus::Color(ArgbFromColor(a, c));
}

// A band filled with a two-colour gradient laid one pixel wider on every
// side, so that the end colours meet the band's edges.
void GradientBand(TGPGraphics* g, const TGPRectF& band, Gdiplus::Color from, Gdiplus::Color to,
                  Gdiplus::LinearGradientMode mode) {
  if (band.Width <= 0 || band.Height <= 0) return;
  TGPLinearGradientBrush brush(TGPRectF(band.X - 1, band.Y - 1, band.Width + 2, band.Height + 2), from, to, mode);
  g->FillRectangle(&brush, band);
}

void EndShading(TGPGraphics* g, const TGPRectF& r) {
  const Gdiplus::Color dark = Argb(30, clBlack), clear = Argb(0, clBlack);
  GradientBand(g, TGPRectF(r.X, r.Y, kEndShade, r.Height), dark, clear, Gdiplus::LinearGradientModeHorizontal);
  GradientBand(g, TGPRectF(r.X + r.Width - kEndShade, r.Y, kEndShade, r.Height), clear, dark,
               Gdiplus::LinearGradientModeHorizontal);
}

void Gloss(TGPGraphics* g, const TGPRectF& r) {
  GradientBand(g, TGPRectF(r.X, r.Y, r.Width, r.Height / 2.5f), Argb(180, clWhite), Argb(0, clWhite),
               Gdiplus::LinearGradientModeVertical);
  GradientBand(g, TGPRectF(r.X, r.Y + r.Height - r.Height / 5, r.Width, r.Height / 5), Argb(0, clWhite),
               Argb(255, clWhite), Gdiplus::LinearGradientModeVertical);
}

TGPRectF RectF(const TRect& r) {
  return TGPRectF(static_cast<float>(r.Left), static_cast<float>(r.Top), static_cast<float>(r.Right - r.Left),
                  static_cast<float>(r.Bottom - r.Top));
}

}  // namespace

// ---------------------------------------------------------------- appearance

TGDIPSplashProgress::TGDIPSplashProgress()
    : FBackGroundFill(std::make_unique<TGDIPFill>()),
      FProgressFill(std::make_unique<TGDIPFill>()),
      FFont(std::make_unique<TFont>()),
      FProgressFont(std::make_unique<TFont>()) {
  FBackGroundFill->OnChange = [this](TObject*) { PartChanged(); };
  FProgressFill->OnChange = [this](TObject*) { PartChanged(); };
  FFont->OnChange = [this](TGraphicsObject*) { PartChanged(); };
  FProgressFont->OnChange = [this](TGraphicsObject*) { PartChanged(); };
}

TGDIPSplashProgress::~TGDIPSplashProgress() = default;

void TGDIPSplashProgress::Changed() {
  if (OnChange) OnChange(this);
}

void TGDIPSplashProgress::PartChanged() {
  if (FCopying == 0) Changed();
}

template <typename T>
void TGDIPSplashProgress::CopyPart(T& Own, T* Value) {
  if (!Value || Value == &Own) return;
  ++FCopying;
  Own.Assign(Value);
  --FCopying;
  Changed();
}

void TGDIPSplashProgress::SetBackGroundFill(TGDIPFill* Value) {
  CopyPart(*FBackGroundFill, Value);
}
void TGDIPSplashProgress::SetProgressFill(TGDIPFill* Value) {
  CopyPart(*FProgressFill, Value);
}
void TGDIPSplashProgress::SetFont(TFont* Value) {
  CopyPart(*FFont, Value);
}
void TGDIPSplashProgress::SetProgressFont(TFont* Value) {
  CopyPart(*FProgressFont, Value);
}

void TGDIPSplashProgress::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TGDIPSplashProgress*>(Source);
  if (!s || s == this) return;
  ++FCopying;
  FBackGroundFill->Assign(s->FBackGroundFill.get());
  FProgressFill->Assign(s->FProgressFill.get());
  FFont->Assign(s->FFont.get());
  --FCopying;
  FValueFormat = s->FValueFormat;
  FValueType = s->FValueType;
  FValuePositionTop = s->FValuePositionTop;
  FValuePositionLeft = s->FValuePositionLeft;
  FValuePosition = s->FValuePosition;
  FValueVisible = s->FValueVisible;
  FVisible = s->FVisible;
  FHeight = s->FHeight;
  FWidth = s->FWidth;
  FLeft = s->FLeft;
  FTop = s->FTop;
  FStep = s->FStep;
  FMaximum = s->FMaximum;
  FMinimum = s->FMinimum;
  FPosition = s->FPosition;
  FGlowAnimation = s->FGlowAnimation;
  FProgressAnimation = s->FProgressAnimation;
  Changed();
}

TRect TGDIPSplashProgress::GetInsideRect(const TRect& R) const {
  TRect r(R.Left, R.Top, R.Right - 1, R.Bottom - 1);
  if (FBackGroundFill->GetBorderColor() != clNone) {
    const int bw = FBackGroundFill->GetBorderWidth();
    const int b = bw == 1 ? 1 : (bw + 1) / 2;
    r = TRect(r.Left + b, r.Top + b, r.Right - b, r.Bottom - b);
  }
  return r;
}

TGPRectF TGDIPSplashProgress::GetInsideRectF(const TRect& R) const {
  return RectF(GetInsideRect(R));
}

TGPRectF TGDIPSplashProgress::CalculateProgressRectangle(const TRect& R, double Min, double Max,
                                                         double Pos) const {
  const TRect in = GetInsideRect(R);
  const bool border = FProgressFill->GetBorderColor() != clNone && FProgressFill->GetBorderWidth() != 0;
  const int bw = border ? FProgressFill->GetBorderWidth() : 0;
  const double w = (in.Right - bw) - in.Left;
  // A position below the range fills nothing rather than a negative width.
  const double filled = Max - Min > 0 ? std::clamp((Pos - Min) / (Max - Min) * w, 0.0, std::max(w, 0.0)) : 0;
  if (border)
    return TGPRectF(in.Left + bw / 2.0f, in.Top + bw / 2.0f, static_cast<float>(filled),
                    static_cast<float>(in.Bottom - bw - in.Top));
  return TGPRectF(static_cast<float>(in.Left), static_cast<float>(in.Top), static_cast<float>(filled),
                  static_cast<float>(in.Bottom - in.Top));
}

TSplashValueText TGDIPSplashProgress::GetValueText(TGPGraphics* G, const TRect& R, double Min, double Max,
                                                   double Position) const {
  TSplashValueText t;
  const double pos = std::max(Min, std::min(Position, Max));
  double value = pos;
  if (FValueType == vtPercentage) value = Min < Max ? (pos - Min) / (Max - Min) * 100 : Max;
  t.Text = Format(FValueFormat, value);
  const TGPRectF in = GetInsideRectF(R);
  const TGPRectF p = CalculateProgressRectangle(R, Min, Max, Position);
  t.Width = static_cast<float>(TextWidth(G, t.Text, *FFont));
  t.Height = static_cast<float>(TextHeight(G, t.Text, *FFont));
  t.Y = (in.Height - t.Height) / 2;
  const bool fits = p.Width >= t.Width;
  switch (FValuePosition) {
    case vpProgressCenter:
      t.X = fits ? in.X + (p.Width - t.Width) / 2 : in.X;
      break;
    case vpProgressRight:
      t.X = fits ? in.X + p.Width - t.Width : in.X;
      break;
    case vpCenter:
      t.X = R.Left + (in.Width - t.Width) / 2;
      break;
    case vpLeft:
      t.X = in.X;
      break;
    case vpRight:
      t.X = R.Left + in.Width - t.Width;
      break;
    case vpCustom:
      t.X = static_cast<float>(R.Left + FValuePositionLeft);
      t.Y = static_cast<float>(FValuePositionTop);
      break;
  }
  t.InProgressFont = p.X + p.Width > t.X + t.Width / 2;
  return t;
}

void TGDIPSplashProgress::Draw(TGPGraphics* G, const TRect& R, double Min, double Max, double Position) {
  if (!G) return;
  FBackGroundFill->Fill(G, TGPRectF(static_cast<float>(R.Left), static_cast<float>(R.Top),
                                    static_cast<float>(R.Right - R.Left - 1),
                                    static_cast<float>(R.Bottom - R.Top - 1)));
  const TGPRectF p = CalculateProgressRectangle(R, Min, Max, Position);
  if (p.Width > 0) {
    FProgressFill->Fill(G, p);
    EndShading(G, p);
  }
  const TGPRectF in = GetInsideRectF(R);
  EndShading(G, in);
  if (FValueVisible) {
    const TSplashValueText t = GetValueText(G, R, Min, Max, Position);
    const TFont& font = t.InProgressFont ? *FProgressFont : *FFont;
    TRect at(RoundHalfEven(t.X), RoundHalfEven(R.Top + t.Y), 0, 0);
    DrawText(G, t.Text, -1, at, font, 0, clNone);
  }
  Gloss(G, in);
}

// ---------------------------------------------------------------- the control

TAdvSplashProgressBar::TAdvSplashProgressBar(TComponent* AOwner)
    : TGraphicControl(AOwner), FAppearance(std::make_unique<TGDIPSplashProgress>()) {
  SetBounds(GetLeft(), GetTop(), 150, 17);
  FTimer = new TTimer(this);
  FTimer->SetInterval(10);
  FTimer->OnTimer = [this](TObject*) { AnimationTick(); };
  FTimer->SetEnabled(true);
  FAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
}

TAdvSplashProgressBar::~TAdvSplashProgressBar() {
  FAppearance->OnChange = nullptr;
  FTimer->OnTimer = nullptr;
}

void TAdvSplashProgressBar::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TAdvSplashProgressBar*>(Source);
  if (!s || s == this) return;
  FStep = s->FStep;
  FMinimum = s->FMinimum;
  FMaximum = s->FMaximum;
  FPosition = s->FPosition;
  FGlowAnimation = s->FGlowAnimation;
  FProgressAnimation = s->FProgressAnimation;
  FTakingAppearance = true;
  FAppearance->Assign(s->FAppearance.get());
  FTakingAppearance = false;
  Invalidate();
}

bool TAdvSplashProgressBar::Animating(bool Flag) const {
  const TComponentState state = GetComponentState();
  return Flag && !state.Contains(csDesigning) && !state.Contains(csLoading);
}

bool TAdvSplashProgressBar::AnimationInProgress() const {
  return Animating(FProgressAnimation) && std::fabs(FAnimated - FTarget) >= 0.001;
}

void TAdvSplashProgressBar::PositionChanged() {
  if (OnPositionChanged) OnPositionChanged(this, FPosition);
}

void TAdvSplashProgressBar::SetPosition(double Value) {
  FPosition = std::max(FMinimum, std::min(Value, FMaximum));
  FTarget = FPosition;
  if (Animating(FProgressAnimation)) return;
  FAnimated = FPosition;
  PositionChanged();
  Invalidate();
}

void TAdvSplashProgressBar::SetMaximum(double Value) {
  if (FMaximum == Value) return;
  FMaximum = Value;
  if (Value < FPosition) {
    FTarget = Value;
    if (!Animating(FProgressAnimation)) FPosition = FAnimated = Value;
  }
  Invalidate();
}

void TAdvSplashProgressBar::SetMinimum(double Value) {
  if (FMinimum == Value) return;
  FMinimum = Value;
  if (Value > FPosition) {
    FTarget = Value;
    if (!Animating(FProgressAnimation)) FPosition = FAnimated = Value;
  }
  Invalidate();
}

void TAdvSplashProgressBar::SetStep(double Value) {
  if (FStep == Value) return;
  FStep = Value;
  Invalidate();
}

void TAdvSplashProgressBar::SetProgressAnimation(bool Value) {
  if (FProgressAnimation == Value) return;
  FProgressAnimation = Value;
  Invalidate();
  if (!Value) SetPosition(FPosition);
}

void TAdvSplashProgressBar::SetGlowAnimation(bool Value) {
  if (FGlowAnimation == Value) return;
  FGlowAnimation = Value;
  Invalidate();
}

void TAdvSplashProgressBar::SetAppearance(TGDIPSplashProgress* Value) {
  if (!Value || Value == FAppearance.get()) return;
  FTakingAppearance = true;
  FAppearance->Assign(Value);
  FTakingAppearance = false;
  AppearanceChanged();
}

void TAdvSplashProgressBar::AppearanceChanged() {
  if (FTakingAppearance) return;
  const TGDIPSplashProgress& a = *FAppearance;
  SetBounds(a.GetLeft(), a.GetTop(), a.GetWidth(), a.GetHeight());
  SetVisible(a.GetVisible());
  SetStep(a.GetStep());
  SetMinimum(a.GetMinimum());
  SetMaximum(a.GetMaximum());
  SetPosition(a.GetPosition());
  SetGlowAnimation(a.GetGlowAnimation());
  SetProgressAnimation(a.GetProgressAnimation());
  Invalidate();
}

void TAdvSplashProgressBar::AnimationTick() {
  if (Animating(FProgressAnimation)) {
    const double left = std::fabs(FTarget - FAnimated);
    if (left < kArrived) {
      // Arriving snaps onto the target; a bar at rest stays quiet.
      if (FAnimated != FTarget || FPosition != FTarget) {
        FAnimated = FPosition = FTarget;
        PositionChanged();
        Invalidate();
      }
    } else {
      const double step = std::max(left / kAnimationShare, kArrived);
      FAnimated += FTarget > FAnimated ? step : -step;
      FPosition = FAnimated;
      PositionChanged();
      Invalidate();
    }
  }
  if (FPosition > FMinimum && Animating(FGlowAnimation)) {
    if (FGlowCounter >= 1500) FGlowPosition += 3;
    const TGPRectF p = FAppearance->CalculateProgressRectangle(FPaintRect, FMinimum, FMaximum, FPosition);
    if (p.Width >= FGlowPosition) {
      FGlowCounter += 10;
    } else {
      FGlowCounter = 0;
      FGlowPosition = -60;
    }
    Invalidate();
  }
}

void TAdvSplashProgressBar::Paint() {
  auto g = Gdiplus::GraphicsFromCanvas(GetCanvas());
  if (!g) return;
  g->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g->SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
  FPaintRect = TRect(0, 0, GetWidth(), GetHeight());
  FAppearance->Draw(g.get(), FPaintRect, FMinimum, FMaximum, FPosition);
  if (!Animating(FGlowAnimation) || FPosition <= 0) return;
  const TGPRectF p = FAppearance->CalculateProgressRectangle(FPaintRect, FMinimum, FMaximum, FPosition);
  const TGPRectF in = FAppearance->GetInsideRectF(FPaintRect);
  g->SetClip(p);
  const float x = p.X + static_cast<float>(FGlowPosition);
  GradientBand(g.get(), TGPRectF(x - kGlowBand, in.Y, kGlowBand, in.Height), Argb(0, clWhite), Argb(120, clWhite),
               Gdiplus::LinearGradientModeHorizontal);
  GradientBand(g.get(), TGPRectF(x, in.Y, kGlowBand, in.Height), Argb(120, clWhite), Argb(0, clWhite),
               Gdiplus::LinearGradientModeHorizontal);
  g->ResetClip();
}

void TAdvSplashProgressBar::Resize() {
  TGraphicControl::Resize();
  Invalidate();
}
