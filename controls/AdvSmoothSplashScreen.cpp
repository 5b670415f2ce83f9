#include "controls/AdvSmoothSplashScreen.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/ImgList.h"
#include "platform/gdiplus/ClassLibBridge.h"
#include "platform/gdiplus/Image.h"

namespace {

// The fades block the calling thread, as the splash always has.
void Sleep(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Half the border width a fill's border takes on each side (1 for 1).
int BorderInset(const TGDIPFill& fill) {
  return fill.GetBorderWidth() == 1 ? 1 : (fill.GetBorderWidth() + 1) / 2;
}

}  // namespace

// ---------------------------------------------------------------- window

TSplashScreenWindow::TSplashScreenWindow(TComponent* AOwner, TAdvSmoothSplashScreen* Splash)
    : TForm(AOwner), FSplash(Splash) {
  // The window never takes the focus from the program, clicked or not.
  SetNoActivate(true);
}

TSplashScreenWindow::~TSplashScreenWindow() = default;

void TSplashScreenWindow::DoCreate() {
  FLayeredMode = false;
  FLayeredOpacity = 5;
  TForm::DoCreate();
}

void TSplashScreenWindow::DoDestroy() {
  FBuffer.reset();
  TForm::DoDestroy();
}

void TSplashScreenWindow::Click() {
  TForm::Click();
  if (FSplash && FSplash->OnClick) FSplash->OnClick(FSplash);
}

void TSplashScreenWindow::Paint() {
  TForm::Paint();
  // A layered window shows its buffer; an invalidation changes nothing.
  if (FLayeredMode) return;
  auto g = Gdiplus::GraphicsFromCanvas(GetCanvas());
  if (!g) return;
  DrawBackground(g.get());
  DrawProgramInfo(g.get());
  DrawListItems(g.get());
  DrawTopLayerItems();
  DrawItems(g.get());
}

void TSplashScreenWindow::Refresh() {
  if (FLayeredMode)
    DrawLayered();
  else
    TForm::Refresh();
}

std::unique_ptr<TGPGraphics> TSplashScreenWindow::CreateGraphics() {
  if (FLayeredMode) {
    CreateBuffer();
    return std::make_unique<TGPGraphics>(FBuffer.get());
  }
  return Gdiplus::GraphicsFromCanvas(GetCanvas());
}

void TSplashScreenWindow::CreateBuffer() {
  if (FBuffer) return;
  FBuffer = std::make_unique<TGPBitmap>(std::max(GetWidth(), 1), std::max(GetHeight(), 1),
                                        Gdiplus::PixelFormat32bppARGB);
}

void TSplashScreenWindow::ClearBuffer() {
  if (!FBuffer) return;
  TGPGraphics g(FBuffer.get());
  g.Clear(Gdiplus::Color(0));
}

void TSplashScreenWindow::SetTextRendering(TGPGraphics* Graphics) const {
  Graphics->SetTextRenderingHint(FSplash->GetRenderingHint());
}

void TSplashScreenWindow::SetLayered(bool Value) {
  if (Value == FLayeredMode) return;
  FLayeredMode = Value;
  if (!Value) return;
  CreateBuffer();
  // A layered splash is topmost whatever StayOnTop says.
  TForm::SetLayered(true);
  SetTopMost(true);
  DrawLayered();
}

void TSplashScreenWindow::RefreshLayeredContent() {
  if (!FLayeredMode) return;
  CreateBuffer();
  DrawLayered();
}

void TSplashScreenWindow::DrawLayered() {
  if (!FLayeredMode) return;
  CreateBuffer();
  ClearBuffer();
  SetTopMost(true);
  {
    TGPGraphics g(FBuffer.get());
    DrawBackground(&g);
    DrawProgramInfo(&g);
    DrawListItems(&g);
  }
  DrawTopLayerItems();
  {
    TGPGraphics g(FBuffer.get());
    DrawItems(&g);
    DrawProgressBar(&g);
  }
  PresentLayered();
}

void TSplashScreenWindow::PresentLayered() {
  if (FBuffer) Gdiplus::UpdateLayeredWindow(this, FBuffer.get(), FLayeredOpacity);
}

void TSplashScreenWindow::DrawBackground(TGPGraphics* Graphics) {
  Graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  FSplash->GetFill()->Fill(
      Graphics, TGPRectF(0, 0, static_cast<float>(GetWidth() - 1), static_cast<float>(GetHeight() - 1)));
}

void TSplashScreenWindow::DrawProgressBar(TGPGraphics* Graphics) {
  if (!FLayeredMode || !FSplash->GetProgressBar()->GetVisible() || !FProgressBar) return;
  FProgressBar->GetAppearance()->Draw(Graphics, FProgressBar->GetBoundsRect(), 0, 100,
                                      FProgressBar->GetPosition());
}

TRect TSplashScreenWindow::GetInsideRect() const {
  TRect r(0, 0, GetWidth() - 1, GetHeight() - 1);
  const TGDIPFill& fill = *FSplash->GetFill();
  if (fill.GetBorderColor() != clNone) {
    const int b = BorderInset(fill);
    r = TRect(r.Left + b, r.Top + b, r.Right - b, r.Bottom - b);
  }
  return r;
}

TRect TSplashScreenWindow::GetContentRect() const {
  const TRect i = GetInsideRect();
  const TGDIPFill& fill = *FSplash->GetFill();
  const int s = fill.GetShadowColor() != clNone ? fill.GetShadowOffset() : 0;
  return TRect(i.Left, i.Top, i.Right - i.Left - s, i.Bottom - i.Top - s);
}

TRect TSplashScreenWindow::InsetByRounding(const TRect& R) const {
  const int d = FSplash->GetFill()->GetRounding() / 2;
  return TRect(R.Left + d, R.Top + d, R.Right - d, R.Bottom - d);
}

void TSplashScreenWindow::SetWindowRegion() {
  const TGDIPFill& fill = *FSplash->GetFill();
  const int rounding = fill.GetRounding();
  if (rounding <= 0 || fill.GetRoundingType() == rtNone) return;
  const int w = 2 * rounding;
  const int L = 0, T = 0, R = GetClientWidth(), B = GetClientHeight();
  HRGN region = nullptr;
  auto unite = [](HRGN a, HRGN b) {
    CombineRgn(a, a, b, RGN_OR);
    DeleteObject(b);
    return a;
  };
  switch (fill.GetRoundingType()) {
    case rtTop:
      region = unite(CreateRoundRectRgn(L, T, R + 1, B, w, w), CreateRectRgn(L, T + w, R, B));
      break;
    case rtBottom:
      region = unite(CreateRectRgn(L, T, R, B - w), CreateRoundRectRgn(L, T, R + 1, B, w, w));
      break;
    case rtBoth:
      region = CreateRoundRectRgn(0, 0, R - L, B - T, w, w);
      break;
    case rtLeft:
      region = unite(CreateRoundRectRgn(L, T, R, B + 1, w, w), CreateRectRgn(L + w, T, R, B));
      break;
    case rtRight:
      region = unite(CreateRoundRectRgn(L, T, R, B + 1, w, w), CreateRectRgn(L, T, R - w, B));
      break;
    default:
      return;
  }
  SetWindowRgn(region, true);
}

void TSplashScreenWindow::FadeInLayered(int Step, int Wait, int Target) {
  while (FLayeredOpacity < Target) {
    if (FLayeredOpacity + Step >= Target) {
      FLayeredOpacity = static_cast<std::uint8_t>(std::clamp(Target, 0, 255));
      PresentLayered();
      break;
    }
    FLayeredOpacity = static_cast<std::uint8_t>(FLayeredOpacity + Step);
    PresentLayered();
    Sleep(Wait);
  }
}

void TSplashScreenWindow::FadeOutWindow(int Step, int Wait, int Floor) {
  if (FLayeredMode) {
    while (Floor < FLayeredOpacity) {
      if (FLayeredOpacity - Step <= Floor) {
        FLayeredOpacity = static_cast<std::uint8_t>(std::clamp(Floor, 0, 255));
        PresentLayered();
        break;
      }
      FLayeredOpacity = static_cast<std::uint8_t>(FLayeredOpacity - Step);
      PresentLayered();
      Sleep(Wait);
    }
    return;
  }
  while (Floor < GetAlphaBlendValue()) {
    if (GetAlphaBlendValue() - Step <= Floor) {
      SetAlphaBlendValue(Floor);
      break;
    }
    SetAlphaBlendValue(GetAlphaBlendValue() - Step);
    Sleep(3 * Wait);
  }
}

// ---------------------------------------------------------------- component

TAdvSmoothSplashScreen::TAdvSmoothSplashScreen(TComponent* AOwner)
    : TComponent(AOwner),
      FCloseTimer(std::make_unique<TTimer>(nullptr)),
      FFocusTimer(std::make_unique<TTimer>(nullptr)),
      FItems(std::make_unique<TSplashItems>(this)),
      FTopLayerItems(std::make_unique<TAdvSplashTopLayerItems>(this)),
      FListItems(std::make_unique<TSplashListItems>(this)),
      FFill(std::make_unique<TGDIPFill>()),
      FProgressBar(std::make_unique<TGDIPSplashProgress>()),
      FBasicProgramInfo(std::make_unique<TBasicProgramInfo>()),
      FListItemsSettings(std::make_unique<TSplashListItemsSettings>()) {
  FItems->OnChange = [this](TObject*) { Refresh(); };
  FListItems->OnChange = [this](TObject*) { Refresh(); };
  FTopLayerItems->OnChange = [this](TObject*) { InvalidateSplash(); };
  FBasicProgramInfo->OnChange = [this](TObject*) { ProgramInfoChanged(); };
  FProgressBar->OnChange = [this](TObject*) { ProgressBarChanged(); };
  FCloseTimer->SetEnabled(false);
  FCloseTimer->SetInterval(static_cast<unsigned>(FTimeOut));
  FCloseTimer->OnTimer = [this](TObject*) { CloseTimerTimer(); };
  FFocusTimer->SetEnabled(false);
  FFocusTimer->SetInterval(20);
  FFocusTimer->OnTimer = [this](TObject*) {
    FFocusTimer->SetEnabled(false);
    FocusForm(FMainForm);
  };
}

TAdvSmoothSplashScreen::~TAdvSmoothSplashScreen() {
  Destroying();
  FCloseTimer->SetEnabled(false);
  FFocusTimer->SetEnabled(false);
  FreeSplashWindow();
  FShowing = false;
  Unhook();
  if (FMainForm) FMainForm->RemoveFreeNotification(this);
  if (FFocusForm) FFocusForm->RemoveFreeNotification(this);
}

void TAdvSmoothSplashScreen::Loaded() {
  TComponent::Loaded();
  if (GetComponentState().Contains(csDesigning)) return;
  if (FBasicProgramInfo->GetAutoLoad()) LoadProgramInfo();
  if (FAutoShow) Show();
}

void TAdvSmoothSplashScreen::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove || !AComponent) return;
  if (!GetComponentState().Contains(csDestroying)) {
    if (AComponent == FPictureContainer) FPictureContainer = nullptr;
    if (AComponent == FImages) FImages = nullptr;
  }
  // A form that goes takes its handler with it.
  if (AComponent == FMainForm) {
    FMainForm = nullptr;
    FHooked = false;
    FSavedOnShow = nullptr;
  }
  if (AComponent == FFocusForm) FFocusForm = nullptr;
}

Gdiplus::TextRenderingHint TAdvSmoothSplashScreen::GetRenderingHint() const {
  switch (FTextRendering) {
    case tAntiAlias:
      return Gdiplus::TextRenderingHintAntiAlias;
    case tAntiAliasGridFit:
      return Gdiplus::TextRenderingHintAntiAliasGridFit;
    default:
      return Gdiplus::TextRenderingHintClearTypeGridFit;
  }
}

void TAdvSmoothSplashScreen::SetStayOnTop(bool Value) {
  if (Value == FStayOnTop) return;
  FStayOnTop = Value;
  InvalidateSplash();
}

void TAdvSmoothSplashScreen::SetTextRendering(TAdvSmoothSplashScreenTextRenderingHint Value) {
  if (Value == FTextRendering) return;
  FTextRendering = Value;
  InvalidateSplash();
}

void TAdvSmoothSplashScreen::SetTopLayerItems(TAdvSplashTopLayerItems* Value) {
  if (Value != FTopLayerItems.get()) FTopLayerItems->Assign(Value);
  InvalidateSplash();
}

void TAdvSmoothSplashScreen::SetPictureContainer(TGDIPPictureContainer* Value) {
  if (FPictureContainer) FPictureContainer->RemoveFreeNotification(this);
  FPictureContainer = Value;
  if (Value) Value->FreeNotification(this);
}

void TAdvSmoothSplashScreen::SetImages(TCustomImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TAdvSmoothSplashScreen::InvalidateSplash() {
  if (FShowing && FWindow) FWindow->Invalidate();
}

void TAdvSmoothSplashScreen::Refresh() {
  if (FShowing && FWindow) FWindow->Refresh();
}

void TAdvSmoothSplashScreen::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0) Refresh();
}

void TAdvSmoothSplashScreen::ProgramInfoChanged() {
  const TComponentState state = GetComponentState();
  if (state.Contains(csDesigning) || state.Contains(csLoading)) return;
  Refresh();
}

// ---------------------------------------------------------------- showing

void TAdvSmoothSplashScreen::Show(int, int) {
  Show();
}

void TAdvSmoothSplashScreen::Show() {
  if (FShowing) return;
  if (OnBeforeShow) OnBeforeShow(this);
  TCustomForm* mainForm = FMainForm;
  if (auto* owner = dynamic_cast<TForm*>(GetOwner())) mainForm = owner;
  if (Application && Application->GetMainForm()) mainForm = Application->GetMainForm();
  if (mainForm != FMainForm) {
    Unhook();
    if (FMainForm) FMainForm->RemoveFreeNotification(this);
    FMainForm = mainForm;
    if (mainForm) mainForm->FreeNotification(this);
  }
  // A form already hooked keeps the handler saved first.
  if (FCloseOnMainFormShow && FMainForm && !FHooked) Hook(FMainForm);
  CreateAndShowSplashWindow();
}

void TAdvSmoothSplashScreen::Hook(TCustomForm* Form) {
  FSavedOnShow = Form->OnShow;
  Form->OnShow = [this](TObject* Sender) { MainFormShow(Sender); };
  FHooked = true;
}

void TAdvSmoothSplashScreen::Unhook() {
  if (!FHooked) return;
  FHooked = false;
  if (FMainForm) FMainForm->OnShow = std::move(FSavedOnShow);
  FSavedOnShow = nullptr;
}

void TAdvSmoothSplashScreen::SetMainForm(TCustomForm* Value) {
  if (FMainForm && FCloseOnMainFormShow) Unhook();
  if (FMainForm) FMainForm->RemoveFreeNotification(this);
  FMainForm = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  if (FCloseOnMainFormShow && !FHooked) Hook(Value);
}

void TAdvSmoothSplashScreen::CreateAndShowSplashWindow() {
  const bool layered = FFill->GetOpacity() < 255 || FFill->GetOpacityTo() < 255;
  auto* w = new TSplashScreenWindow(Application, this);
  w->AfterConstruction();
  FWindow = w;
  w->SetBorderIcons(TBorderIcons{});
  w->SetBorderStyle(bsNone);
  if (FStayOnTop) w->SetFormStyle(fsStayOnTop);
  w->SetColor(clWhite);
  TAdvGDIPPicture* picture = FFill->GetPicture();
  if (FAutoAdaptPictureSize && !picture->GetEmpty()) {
    // The border counts even when it is not drawn.
    const int b = BorderInset(*FFill);
    w->SetBounds(w->GetLeft(), w->GetTop(), picture->GetWidth() + 2 * b, picture->GetHeight() + 2 * b);
  } else {
    w->SetBounds(w->GetLeft(), w->GetTop(), FWidth, FHeight);
  }
  if (FDisplayLocation == dlCenter) {
    w->SetPosition(poScreenCenter);
  } else {
    w->SetPosition(poDesigned);
    w->SetBounds(FDisplayPosX, FDisplayPosY, w->GetWidth(), w->GetHeight());
  }
  auto* bar = new TAdvSplashProgressBar(w);
  bar->SetParent(w);
  bar->SetVisible(false);
  bar->SetAppearance(FProgressBar.get());
  bar->OnPositionChanged = [this](TObject*, double Value) {
    if (OnProgressPositionChanged) OnProgressPositionChanged(this, Value);
  };
  bar->OnChange = [this](TObject*) {
    if (OnProgressChange) OnProgressChange(this);
  };
  w->FProgressBar = bar;
  ApplyProgressBar();
  if (FDisplayStyle == dsNormal) {
    w->FLayeredOpacity = 255;
  } else if (layered) {
    w->FLayeredOpacity = 5;
  } else {
    w->SetAlphaBlend(true);
    w->SetAlphaBlendValue(5);
  }
  // The picture is ready before the window comes up, so its first paint
  // shows it whole.
  w->SetWindowRegion();
  w->SetLayered(layered);
  FShowing = true;
  w->ShowOnScreen();
  if (!layered) {
    if (FDisplayStyle == dsFadeInOut) {
      while (w->GetAlphaBlendValue() < FMaxOpacity) {
        w->SetAlphaBlendValue(w->GetAlphaBlendValue() + std::min(5, FMaxOpacity - w->GetAlphaBlendValue()));
        Sleep(5);
      }
    }
    w->SetAlphaBlendValue(FMaxOpacity);
  } else if (FDisplayStyle == dsFadeInOut) {
    w->FadeInLayered(20, 5, 255);
  }
  FCloseTimer->SetInterval(static_cast<unsigned>(std::max(FTimeOut, 0)));
  FCloseTimer->SetEnabled(FCloseOnTimeout);
}

void TAdvSmoothSplashScreen::ApplyProgressBar() {
  TAdvSplashProgressBar* bar = FWindow ? FWindow->FProgressBar : nullptr;
  if (!bar) return;
  TGDIPSplashProgress& p = *FProgressBar;
  // Position before the range, as the bar has always taken them.
  bar->SetPosition(p.GetPosition());
  bar->SetGlowAnimation(p.GetGlowAnimation());
  bar->SetStep(p.GetStep());
  bar->SetProgressAnimation(p.GetProgressAnimation());
  bar->SetMaximum(p.GetMaximum());
  bar->SetMinimum(p.GetMinimum());
  bar->SetVisible(p.GetVisible());
  bar->SetBounds(p.GetLeft(), p.GetTop(), p.GetWidth(), p.GetHeight());
  bar->SetAppearance(&p);
}

void TAdvSmoothSplashScreen::ProgressBarChanged() {
  if (GetComponentState().Contains(csDesigning) || !FShowing || !FWindow || !FWindow->FProgressBar) return;
  ApplyProgressBar();
  if (FWindow->FLayeredMode) Refresh();
}

void TAdvSmoothSplashScreen::Hide() {
  if (!FShowing) return;
  FCloseTimer->SetEnabled(false);
  if (FDisplayStyle == dsFadeInOut && FWindow && FWindow->GetVisible()) FWindow->FadeOutWindow(20, 5, 10);
  FShowing = false;
  Unhook();
  FreeSplashWindow();
  if (OnClose) OnClose(this);
}

void TAdvSmoothSplashScreen::FreeSplashWindow() {
  TSplashScreenWindow* w = FWindow;
  FWindow = nullptr;
  if (w) w->Free();
}

void TAdvSmoothSplashScreen::MainFormShow(TObject* Sender) {
  const TNotifyEvent saved = FSavedOnShow;
  Hide();
  if (saved) saved(Sender);
  if (FFocusParentForm && FMainForm) FFocusTimer->SetEnabled(true);
}

void TAdvSmoothSplashScreen::CloseTimerTimer() {
  const bool wasShowing = FShowing;
  Hide();
  if (FFocusParentForm && FMainForm && wasShowing) FFocusTimer->SetEnabled(true);
}

void TAdvSmoothSplashScreen::FadeIn(int Step, int Wait, int Max) {
  if (!FWindow || !FWindow->GetVisible()) return;
  if (FWindow->FLayeredMode) {
    FWindow->FadeInLayered(Step, 3 * Wait, Max);
    return;
  }
  while (FWindow->GetAlphaBlendValue() < Max) {
    FWindow->SetAlphaBlendValue(FWindow->GetAlphaBlendValue() +
                                std::min(Step, Max - FWindow->GetAlphaBlendValue()));
    Sleep(3 * Wait);
  }
}

void TAdvSmoothSplashScreen::FadeOut(int Step, int Wait, int Min) {
  if (FWindow && FWindow->GetVisible()) FWindow->FadeOutWindow(Step, Wait, Min);
}

// ---------------------------------------------------------------- focus

void TAdvSmoothSplashScreen::FocusForm(TCustomForm* Form) {
  // Through the window system: the form is raised and activated.
  if (Form && Form->GetVisible()) Form->BringToFront();
}

void TAdvSmoothSplashScreen::SetFocusToForm(TCustomForm* AForm) {
  if (!FFocusFormTimer) {
    FFocusFormTimer = std::make_unique<TTimer>(nullptr);
    FFocusFormTimer->SetEnabled(false);
    FFocusFormTimer->SetInterval(20);
    FFocusFormTimer->OnTimer = [this](TObject*) {
      FFocusFormTimer->SetEnabled(false);
      FocusForm(FFocusForm);
    };
  }
  if (FFocusForm) FFocusForm->RemoveFreeNotification(this);
  FFocusForm = AForm;
  if (AForm) AForm->FreeNotification(this);
  FFocusFormTimer->SetEnabled(true);
}

// ---------------------------------------------------------------- looks

void TAdvSmoothSplashScreen::SetComponentStyle(TKYTStyle AStyle) {
  struct Look {
    TKYTStyle Style;
    TColor Color, ColorTo, ColorMirror, ColorMirrorTo, BorderColor;
    bool MirrorVertical;
  };
  static constexpr Look kLooks[] = {
      {ksOffice2003Blue, 0xFDEADA, 0xE4AE88, clNone, clNone, 0xDFD2C5, false},
      {ksOffice2003Silver, 0xF7F3F3, 0xE6D8D8, clNone, clNone, 0x927476, false},
      {ksOffice2003Olive, 0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x6B7760, false},
      {ksOffice2003Classic, 0xFFFFFF, 0xC9D1D5, clNone, clNone, 0x808080, false},
      {ksOffice2007Luna, 0xFAF1E9, 0xEDD8C7, 0xEDD8C7, 0xFFF2E7, 0xE3B28D, true},
      {ksOffice2007Obsidian, 0xCFC6C1, 0xC5BBB4, 0xC5BBB4, 0xECECE5, 0x000000, true},
      {ksWindowsXP, clBtnFace, clBtnFace, clNone, clNone, 0x000000, false},
      {ksWhidbey, 0xFFFFFF, 0xD9E9EC, clNone, clNone, 0x828F92, false},
      {ksOffice2007Silver, 0xF6F1EE, 0xE7DCD5, 0xE7DCD5, 0xF4F4EE, 0x74706F, true},
      {ksWindowsVista, 0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDDE99, false},
      {ksWindows7, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, false},
      {ksTerminal, clBtnFace, clBtnFace, clNone, clNone, 0x808080, false},
      {ksOffice2010Blue, 0xFDF6EF, 0xF0DAC7, clNone, clNone, 0xC7B29F, false},
      {ksOffice2010Silver, 0xFFFFFF, 0xEDE5E0, clNone, clNone, 0xD2CDC8, false},
      {ksOffice2010Black, 0xBFBFBF, 0x919191, clNone, clNone, 0x6D6D6D, false},
  };
  FFill->SetGradientType(gtVertical);
  for (const Look& look : kLooks) {
    if (look.Style != AStyle) continue;
    FFill->SetColor(look.Color);
    FFill->SetColorTo(look.ColorTo);
    FFill->SetColorMirror(look.ColorMirror);
    FFill->SetColorMirrorTo(look.ColorMirrorTo);
    FFill->SetBorderColor(look.BorderColor);
    if (look.MirrorVertical) FFill->SetGradientMirrorType(gtVertical);
  }
}
