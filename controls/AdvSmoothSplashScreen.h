#pragma once
// The splash screen: a component a form holds which, once that form has
// been built, opens a borderless window that never takes the focus and
// shows a filled background with its picture, the program's name, version
// and copyright, items, a list of HTML lines, top-layer boxes and a
// progress bar; it closes after a time-out or when the main form is first
// shown. A translucent fill makes the window draw with per-pixel alpha.

#include <cstdint>
#include <memory>
#include <string>

#include "controls/AdvSmoothSplashScreenHtml.h"
#include "controls/AdvSmoothSplashScreenItems.h"
#include "controls/AdvSmoothSplashScreenProgress.h"
#include "controls/ComponentStyle.h"
#include "controls/GDIPFill.h"
#include "controls/GDIPPictureContainer.h"
#include "platform/classlib/Forms.h"

class TCustomImageList;
class TTimer;

enum TDisplayStyle { dsNormal, dsFadeInOut };
enum TDisplayLocation { dlFixedPos, dlCenter };
enum TAdvSmoothSplashScreenTextRenderingHint { tAntiAlias, tAntiAliasGridFit, tClearType };

class TAdvSmoothSplashScreen;

// The splash's own window, made for every showing and freed by every Hide.
class TSplashScreenWindow : public TForm {
 public:
  TSplashScreenWindow(TComponent* AOwner, TAdvSmoothSplashScreen* Splash);
  ~TSplashScreenWindow() override;

  TAdvSmoothSplashScreen* GetSplash() const { return FSplash; }
  TAdvSplashProgressBar* GetProgressBar() const { return FProgressBar; }
  // Per-pixel alpha: the window shows its buffer, redrawn only by Refresh.
  bool GetLayeredMode() const { return FLayeredMode; }
  std::uint8_t GetLayeredOpacity() const { return FLayeredOpacity; }
  void SetLayeredOpacity(std::uint8_t Value) { FLayeredOpacity = Value; }
  // The 32-bit ARGB picture of the layered mode; null before it is needed.
  TGPBitmap* GetLayeredBuffer() const { return FBuffer.get(); }

  // The layered redraw in the layered mode, the form's own otherwise.
  void Refresh();

  void SetLayered(bool Value);
  void RefreshLayeredContent();
  void DrawLayered();
  void PresentLayered();
  void SetWindowRegion();
  void FadeInLayered(int Step, int Wait, int Target);
  void FadeOutWindow(int Step, int Wait, int Floor);

  // Drawing, each on the graphics given (a new one on the window or its
  // buffer when null).
  void DrawBackground(TGPGraphics* Graphics);
  void DrawProgramInfo(TGPGraphics* Graphics);
  void DrawItems(TGPGraphics* Graphics);
  void DrawListItems(TGPGraphics* Graphics);
  void DrawTopLayerItems();
  void DrawProgressBar(TGPGraphics* Graphics);
  // (0, 0, width, height) of the item's laid-out text; all 0 when empty.
  TRect MeasureListItem(TSplashListItem* Item, TGPGraphics* Graphics);

  // The window less its border; that less the shadow; a rectangle less
  // half the rounding.
  TRect GetInsideRect() const;
  TRect GetContentRect() const;
  TRect InsetByRounding(const TRect& R) const;

 protected:
  void DoCreate() override;
  void DoDestroy() override;
  void Paint() override;
  void Click() override;

 private:
  friend class TAdvSmoothSplashScreen;
  std::unique_ptr<TGPGraphics> CreateGraphics();
  // Given, or a new one on the window or its buffer kept in Own.
  TGPGraphics* GivenOrOwn(TGPGraphics* Given, std::unique_ptr<TGPGraphics>& Own);
  void CreateBuffer();
  void ClearBuffer();
  void SetTextRendering(TGPGraphics* Graphics) const;
  void DrawHtml(TGPGraphics* Graphics, const TFont& Font, const std::string& Text, const TRect& R,
                int ShadowOffset, TColor URLColor, TColor ShadowColor, bool MeasureOnly, int& XSize,
                int& YSize) const;

  TAdvSmoothSplashScreen* FSplash;
  TAdvSplashProgressBar* FProgressBar = nullptr;
  bool FLayeredMode = false;
  std::unique_ptr<TGPBitmap> FBuffer;
  std::uint8_t FLayeredOpacity = 5;
};

class TAdvSmoothSplashScreen : public TComponent {
 public:
  explicit TAdvSmoothSplashScreen(TComponent* AOwner);
  ~TAdvSmoothSplashScreen() override;

  // Opens the window; nothing while showing. X and Y are not used: the
  // window goes where DisplayLocation says.
  void Show();
  void Show(int X, int Y);
  void Hide();
  // Redraws the window while showing.
  void Refresh();
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  // After 20 ms, AForm is brought to the front and given the focus.
  void SetFocusToForm(TCustomForm* AForm);
  void FadeIn(int Step, int Wait, int Max);
  void FadeOut(int Step, int Wait, int Min);
  void SetComponentStyle(TKYTStyle AStyle);
  void SaveToTheme(const std::string&) {}
  void LoadFromTheme(const std::string&) {}
  std::string GetThemeID() const { return "TAdvSmoothSplashScreen"; }
  std::string GetVersion() const { return "1.2.0.0"; }
  void SetVersion(const std::string&) {}

  TSplashScreenWindow* GetSplashWindow() const { return FWindow; }
  bool GetShowing() const { return FShowing; }
  bool GetFocusParentForm() const { return FFocusParentForm; }
  void SetFocusParentForm(bool Value) { FFocusParentForm = Value; }
  TCustomForm* GetMainForm() const { return FMainForm; }
  // Gives the form set before its OnShow back and takes over the new one's
  // (with CloseOnMainFormShow).
  void SetMainForm(TCustomForm* Value);

  // Invalidates the window while showing (the layered picture stays as it
  // is until Refresh).
  void InvalidateSplash();

  bool GetStayOnTop() const { return FStayOnTop; }
  void SetStayOnTop(bool Value);
  TAdvSmoothSplashScreenTextRenderingHint GetTextRendering() const { return FTextRendering; }
  void SetTextRendering(TAdvSmoothSplashScreenTextRenderingHint Value);
  Gdiplus::TextRenderingHint GetRenderingHint() const;

  TBasicProgramInfo* GetBasicProgramInfo() const { return FBasicProgramInfo.get(); }
  void SetBasicProgramInfo(TBasicProgramInfo* Value) { FBasicProgramInfo->Assign(Value); }
  TGDIPFill* GetFill() const { return FFill.get(); }
  void SetFill(TGDIPFill* Value) { FFill->Assign(Value); }
  TGDIPSplashProgress* GetProgressBar() const { return FProgressBar.get(); }
  void SetProgressBar(TGDIPSplashProgress* Value) { FProgressBar->Assign(Value); }
  TSplashItems* GetItems() const { return FItems.get(); }
  void SetItems(TSplashItems* Value) { FItems->Assign(Value); }
  TSplashListItems* GetListItems() const { return FListItems.get(); }
  void SetListItems(TSplashListItems* Value) { FListItems->Assign(Value); }
  TSplashListItemsSettings* GetListItemsSettings() const { return FListItemsSettings.get(); }
  void SetListItemsSettings(TSplashListItemsSettings* Value) { FListItemsSettings->Assign(Value); }
  TAdvSplashTopLayerItems* GetTopLayerItems() const { return FTopLayerItems.get(); }
  void SetTopLayerItems(TAdvSplashTopLayerItems* Value);
  TGDIPPictureContainer* GetPictureContainer() const { return FPictureContainer; }
  void SetPictureContainer(TGDIPPictureContainer* Value);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);

  TTimer* GetCloseTimer() const { return FCloseTimer.get(); }
  TTimer* GetFocusTimer() const { return FFocusTimer.get(); }

  TNotifyEvent OnProgressChange;
  TAdvSmoothProgressBarPositionChanged OnProgressPositionChanged;
  TNotifyEvent OnClick;
  TNotifyEvent OnBeforeShow;
  TNotifyEvent OnClose;

  CONTROL_QUIET_PROPERTY(bool, AutoShow, true)
  CONTROL_QUIET_PROPERTY(bool, AutoAdaptPictureSize, true)
  CONTROL_QUIET_PROPERTY(bool, CloseOnMainFormShow, true)
  CONTROL_QUIET_PROPERTY(bool, CloseOnTimeout, false)
  CONTROL_QUIET_PROPERTY(int, TimeOut, 1000)
  CONTROL_QUIET_PROPERTY(int, PictureGap, 5)
  CONTROL_QUIET_PROPERTY(TDisplayStyle, DisplayStyle, dsFadeInOut)
  CONTROL_QUIET_PROPERTY(TDisplayLocation, DisplayLocation, dlCenter)
  CONTROL_QUIET_PROPERTY(int, DisplayPosX, 0)
  CONTROL_QUIET_PROPERTY(int, DisplayPosY, 0)
  CONTROL_QUIET_PROPERTY(int, Width, 600)
  CONTROL_QUIET_PROPERTY(int, Height, 400)
  CONTROL_QUIET_PROPERTY(std::uint8_t, MaxOpacity, 255)

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TSplashScreenWindow;
  // The program file's version texts: Linux programs carry no version
  // resource, so the texts stay as set.
  void LoadProgramInfo() {}
  void CreateAndShowSplashWindow();
  void FreeSplashWindow();
  void ApplyProgressBar();
  void ProgressBarChanged();
  void ProgramInfoChanged();
  void MainFormShow(TObject* Sender);
  void Hook(TCustomForm* Form);
  void Unhook();
  void CloseTimerTimer();
  static void FocusForm(TCustomForm* Form);

  bool FShowing = false;
  TSplashScreenWindow* FWindow = nullptr;
  std::unique_ptr<TTimer> FCloseTimer;
  std::unique_ptr<TTimer> FFocusTimer;
  std::unique_ptr<TTimer> FFocusFormTimer;
  TCustomForm* FFocusForm = nullptr;
  TCustomForm* FMainForm = nullptr;
  // The main form's OnShow while the splash holds it.
  bool FHooked = false;
  TNotifyEvent FSavedOnShow;
  bool FFocusParentForm = false;
  int FUpdateCount = 0;
  bool FStayOnTop = true;
  TAdvSmoothSplashScreenTextRenderingHint FTextRendering = tClearType;

  std::unique_ptr<TSplashItems> FItems;
  std::unique_ptr<TAdvSplashTopLayerItems> FTopLayerItems;
  std::unique_ptr<TSplashListItems> FListItems;
  std::unique_ptr<TGDIPFill> FFill;
  std::unique_ptr<TGDIPSplashProgress> FProgressBar;
  std::unique_ptr<TBasicProgramInfo> FBasicProgramInfo;
  std::unique_ptr<TSplashListItemsSettings> FListItemsSettings;
  TGDIPPictureContainer* FPictureContainer = nullptr;
  TCustomImageList* FImages = nullptr;
};
