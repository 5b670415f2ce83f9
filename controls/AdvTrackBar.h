#pragma once
// TAdvTrackBar, the fader of every window: an integer Position between Min
// and Max shown as a thumb on a groove, changed by dragging, page clicks with
// repeat, keys and the wheel. Writing Position from code fires OnChange just
// as a user's move does.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/AdvTrackBarParts.h"
#include "controls/ComponentStyle.h"
#include "platform/classlib/Controls.h"
#include "platform/classlib/ExtCtrls.h"

class TCustomImageList;
class TTrackHintWindow;

enum TMoveOnClick { mcStep, mcMove, mcMoveSlide };

using TDrawTickEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, TPoint Location, int Position, TTickMark TickPos,
                       int& Length, TColor& Color, TColor& TextColor, std::string& Text, bool& DefaultDraw)>;
using TGetTrackHintEvent = std::function<void(TObject* Sender, int Position, std::string& HintStr)>;
using TGetTrackLabelEvent = std::function<void(TObject* Sender, int Position, std::string& Value)>;
using TGetTickMarkTextEvent = std::function<void(TObject* Sender, int Index, std::string& Value)>;

// The pure mapping between position and pixel; D is the track's spare
// length (track length less thumb length).
namespace trackbar {
// Pixels from the track's near end to the thumb's near edge.
int ThumbOffset(int D, int Position, int Min, int Max);
// The position n pixels along, clamped to [Min, Max]; Current when D is 0
// (a track no longer than its thumb has no position under the pointer).
int PositionAt(int n, int D, int Min, int Max, int Current);
// Position + Step held in the int range.
int StepFrom(int Position, long long Step);
}  // namespace trackbar

class TCustomTrackBar : public TCustomControl {
 public:
  explicit TCustomTrackBar(TComponent* AOwner);
  ~TCustomTrackBar() override;
  void Loaded() override;

  int GetMin() const { return FMin; }
  void SetMin(int Value);
  int GetMax() const { return FMax; }
  void SetMax(int Value);
  int GetPosition() const { return FPosition; }
  virtual void SetPosition(int Value);
  int GetPageSize() const { return FPageSize; }
  void SetPageSize(int Value) { FPageSize = Value; }
  TTrackBarOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation Value);
  TMoveOnClick GetMoveOnClick() const { return FMoveOnClick; }
  void SetMoveOnClick(TMoveOnClick Value) { FMoveOnClick = Value; }
  bool GetShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value) { FShowFocus = Value; }
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool GetTrackHint() const { return FTrackHint; }
  void SetTrackHint(bool Value) { FTrackHint = Value; }

  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TColor GetColorDisabled() const { return FColorDisabled; }
  void SetColorDisabled(TColor Value) { FColorDisabled = Value; }
  TColor GetColorDisabledTo() const { return FColorDisabledTo; }
  void SetColorDisabledTo(TColor Value) { FColorDisabledTo = Value; }
  TColor GetBorderColorDisabled() const { return FBorderColorDisabled; }
  void SetBorderColorDisabled(TColor Value) { FBorderColorDisabled = Value; }
  TGradientDirection GetDirection() const { return FDirection; }
  void SetDirection(TGradientDirection Value);
  bool GetBackGroundStretched() const { return FBackGroundStretched; }
  void SetBackGroundStretched(bool Value);

  TGDIPPicture* GetBackGround() const { return FIBackGround.get(); }
  void SetBackGround(TGraphic* Value) { FIBackGround->Assign(Value); }
  TGDIPPicture* GetBackGroundDisabled() const { return FIBackGroundDisabled.get(); }
  void SetBackGroundDisabled(TGraphic* Value) { FIBackGroundDisabled->Assign(Value); }
  TGDIPPicture* GetRateActive() const { return FIRateActive.get(); }
  void SetRateActive(TGraphic* Value) { FIRateActive->Assign(Value); }
  TGDIPPicture* GetRateInActive() const { return FIRateInActive.get(); }
  void SetRateInActive(TGraphic* Value) { FIRateInActive->Assign(Value); }

  TTrackBarThumb* GetThumb() const { return FThumb.get(); }
  void SetThumb(TTrackBarThumb* Value) { FThumb->Assign(Value); }
  TTrackBarSlider* GetSlider() const { return FSlider.get(); }
  void SetSlider(TTrackBarSlider* Value) { FSlider->Assign(Value); }
  TTrackBarTick* GetTickMark() const { return FTickMark.get(); }
  void SetTickMark(TTrackBarTick* Value) { FTickMark->Assign(Value); }
  TTrackBarButtons* GetButtons() const { return FButtons.get(); }
  void SetButtons(TTrackBarButtons* Value) { FButtons->Assign(Value); }
  TTrackBarLabel* GetTrackLabel() const { return FTrackLabel.get(); }
  void SetTrackLabel(TTrackBarLabel* Value) { FTrackLabel->Assign(Value); }
  TCustomImageList* GetTickImages() const { return FImages; }
  void SetTickImages(TCustomImageList* Value);

  std::string GetVersion() const { return "1.6.3.0"; }
  void SetVersion(const std::string&) {}

  // One of the library's ready-made colour schemes.
  void SetComponentStyle(TKYTStyle AStyle);

  // Both rating pictures set: a row of pictures instead of a groove.
  bool IsRating() const;

  // Geometry, in client coordinates.
  TRect GetInnerRect() const;
  TRect GetTrackRect() const;
  TRect GetSliderRect() const;
  int PointerOffset() const;
  virtual void GetTopLeftTickRect(TRect& R) const;
  virtual void GetBottomRightTickRect(TRect& R) const;
  virtual void GetThumbRect(bool Dummy, TRect& R) const;
  TRect ThumbRectAt(int Position) const;
  TRect GetMinButtonRect() const;
  TRect GetMaxButtonRect() const;
  void GetTrackLabelRect(bool Fitted, TRect& R);
  TRect GetRatingRect(int Index) const;
  int GetTextHeight() const { return FTextHeight; }

  // Interaction state, for painting and tests.
  bool GetThumbHot() const { return FThumbHot; }
  bool GetThumbDown() const { return FThumbDown; }
  bool GetSliding() const { return FSliding; }
  bool GetMinButtonHot() const { return FMinButtonHot; }
  bool GetMinButtonDown() const { return FMinButtonDown; }
  bool GetMaxButtonHot() const { return FMaxButtonHot; }
  bool GetMaxButtonDown() const { return FMaxButtonDown; }
  bool GetTrackHintShowing() const { return FTrackHintShow; }
  TTrackHintWindow* GetTrackHintWindow() const { return FTrackHintWnd.get(); }
  TTimer* GetRepeatTimer() const { return FRepeatTimer; }

  TNotifyEvent OnChange;
  TDrawTickEvent OnDrawTick;
  TGetTrackHintEvent OnGetTrackHint;
  TGetTrackLabelEvent OnGetTrackLabelText;
  TGetTickMarkTextEvent OnGetTickMarkText;

  // WM_GETDLGCODE: the fader wants the arrow keys.
  void DefaultHandler(TMessage& Message) override;

 protected:
  virtual void RepeatTimerTick(TObject* Sender);
  virtual bool CanPageClick() { return true; }
  virtual void GetTrackLabelText(std::string& Text);
  virtual TTrackBarSlider* CreateSlider();
  virtual bool CanDragThumb() { return true; }
  virtual bool IsValidPosition(int Value) { return FMin <= Value && Value <= FMax; }
  virtual int GetMinPosition() { return FMin; }
  virtual int GetMaxPosition() { return FMax; }
  virtual bool HasTrackLabelEvent() { return static_cast<bool>(OnGetTrackLabelText); }
  virtual void MinButtonClick();
  virtual void MaxButtonClick();
  virtual void PageStep();
  virtual int GetThumbLength() const;

 public:
  virtual bool AllowThumbPointer(TTrackBarThumb* Thumb, TThumbPointer& Value);

 protected:
  virtual void DrawSlider();
  virtual void DrawThumb();
  virtual void InvalidateTrackLabel();
  virtual void DoChange();

  void Paint() override;
  void DoEnter() override;
  void DoExit() override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void EnabledChanged() override;
  void ColorChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  void DrawBackground();
  void DrawTicks();
  void DrawButtons();
  void DrawTrackLabel();
  void DrawRating();
  void PaintThumb(TTrackBarThumb* Thumb, const TRect& R, int Position, bool Down, bool Hot);

 private:
  void UpdateSurface();
  void PartChanged(TObject* Sender);
  void TickChanged(TObject* Sender);
  void MeasureTextHeight();
  void StartRepeatTimer();
  void ShowTrackHint(int X, int Y, int Position);
  void HideTrackHint();
  void InvalidateRect(const TRect& R);
  int SpareLength() const;
  int TrackLength() const;
  TTrackBarButtons* VisibleButtons() const;

  std::unique_ptr<TTrackBarThumb> FThumb;
  std::unique_ptr<TTrackBarSlider> FSlider;
  std::unique_ptr<TTrackBarTick> FTickMark;
  int FMax = 10;
  int FMin = 0;
  TTrackBarOrientation FOrientation = trHorizontal;
  int FPageSize = 1;
  int FPosition = 0;
  bool FSliding = false;
  TColor FColorDisabled = clNone;
  TColor FColorTo = clNone;
  TColor FBorderColorDisabled = clNone;
  TColor FBorderColor = clNone;
  TColor FColorDisabledTo = clNone;
  std::unique_ptr<TGDIPPicture> FIBackGround;
  TGradientDirection FDirection = gdHorizontal;
  bool FTransparent = true;
  int FOffset = 2;
  int FTickTextOffset = 2;
  bool FThumbHot = false;
  bool FThumbDown = false;
  int FThumbCenterOffsetX = 0;
  int FThumbCenterOffsetY = 0;
  TCustomImageList* FImages = nullptr;
  std::unique_ptr<TGDIPPicture> FIRateInActive;
  std::unique_ptr<TGDIPPicture> FIRateActive;
  std::unique_ptr<TGDIPPicture> FIBackGroundDisabled;
  std::unique_ptr<TTrackBarButtons> FButtons;
  int FBorderWidth = 1;
  bool FMinButtonHot = false;
  bool FMinButtonDown = false;
  bool FMaxButtonHot = false;
  bool FMaxButtonDown = false;
  bool FSliderButtonDown = false;
  TPoint FSliderDownPt{0, 0};
  int FTextHeight = 0;
  TTimer* FRepeatTimer = nullptr;
  bool FTrackHint = false;
  bool FBackGroundStretched = false;
  int FHintTickIndex = -1;
  std::unique_ptr<TTrackHintWindow> FTrackHintWnd;
  bool FTrackHintShow = false;
  bool FShowFocus = false;
  TMoveOnClick FMoveOnClick = mcStep;
  std::unique_ptr<TTrackBarLabel> FTrackLabel;
};

class TAdvTrackBar : public TCustomTrackBar {
 public:
  explicit TAdvTrackBar(TComponent* AOwner) : TCustomTrackBar(AOwner) {}
};

// The small window that follows the pointer while the thumb is dragged.
class TTrackHintWindow {
 public:
  TTrackHintWindow();
  ~TTrackHintWindow();
  // Shows the text with its top-left at the screen point, kept 2 pixels
  // inside the monitor's right and bottom edges.
  void ActivateHint(TPoint ScreenPos, const std::string& Hint);
  void Hide();
  bool GetShowing() const;
  const std::string& GetText() const { return FText; }
  TRect GetBoundsRect() const { return FBounds; }

 private:
  std::string FText;
  TRect FBounds;
  struct Window;
  std::unique_ptr<Window> FWindow;
};
