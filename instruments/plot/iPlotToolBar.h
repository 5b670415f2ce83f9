#pragma once
// The plot toolbar: a row of 14 image buttons and 5 spacers with which the
// user resumes or pauses tracking, chooses whether dragging an axis scrolls
// or zooms it, zooms all axes, switches the data view into select,
// zoom-box or cursor mode, opens the editor and copies, saves, prints or
// previews the plot. The first toolbar of a plot carries the zoom-box and
// select state the data view reads.

#include <memory>
#include <string>
#include <vector>

#include "instruments/plot/iPlotObjects.h"

class TCustomImageList;
class TiPlotToolBar;

enum TiPlotToolBarButtonStyle { iptbbsButton, iptbbsSpacer };
enum TiPlotToolBarButtonType {
  iptbbtResume,
  iptbbtPause,
  iptbbtScrollAxesMode,
  iptbbtZoomAxesMode,
  iptbbtSelect,
  iptbbtZoomBox,
  iptbbtZoomOut,
  iptbbtZoomIn,
  iptbbtCursor,
  iptbbtEdit,
  iptbbtCopy,
  iptbbtSave,
  iptbbtPrint,
  iptbbtPreview
};

class TiPlotToolBarButton : public TiPlotButton {
 public:
  TiPlotToolBarButton(TWinControl* AOwner, TiPlotToolBar* AToolBar);

  TCustomImageList* GetImageList() const;
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  TiPlotToolBarButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TiPlotToolBarButtonStyle Value) { FStyle = Value; }
  const std::string& GetImageName() const { return FImageName; }
  void SetImageName(const std::string& Value) { FImageName = Value; }
  TiPlotToolBar* GetToolBar() const { return FToolBar; }
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value) { FFlat = Value; }
  bool GetMouseOver() const { return FMouseOver; }

  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;
  void iMouseMove(TiHintData& HintData, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                  bool DblClickActive) override;
  void DoMouseNotOver() override;
  void DrawLoweredEdge(TCanvas* Canvas);
  void DrawRaisedEdge(TCanvas* Canvas);

 protected:
  void DoMouseHint(TiPlotMouseData& MouseData, TiHintData& HintData) override;

 private:
  std::string FHint;
  TiPlotToolBarButtonStyle FStyle = iptbbsButton;
  int FImageIndex = -1;
  std::string FImageName;
  bool FFlat = false;
  bool FMouseOver = false;
  TiPlotToolBar* FToolBar;
};

class TiPlotToolBar : public TiPlotLayoutObject {
 public:
  TiPlotToolBar(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                TNotifyEvent AOnRename);
  ~TiPlotToolBar() override;

  TCustomImageList* GetImageList() const { return FImageList.get(); }
  // Every button and spacer in display order.
  const std::vector<TiPlotToolBarButton*>& GetButtons() const { return FButtonList; }
  TiPlotToolBarButton* GetResumeButton() const { return FResumeButton; }
  TiPlotToolBarButton* GetPauseButton() const { return FPauseButton; }
  TiPlotToolBarButton* GetAxesModeScrollButton() const { return FAxesModeScrollButton; }
  TiPlotToolBarButton* GetAxesModeZoomButton() const { return FAxesModeZoomButton; }
  TiPlotToolBarButton* GetZoomInButton() const { return FZoomInButton; }
  TiPlotToolBarButton* GetZoomOutButton() const { return FZoomOutButton; }
  TiPlotToolBarButton* GetSelectButton() const { return FSelectButton; }
  TiPlotToolBarButton* GetZoomBoxButton() const { return FZoomBoxButton; }
  TiPlotToolBarButton* GetCursorButton() const { return FCursorButton; }
  TiPlotToolBarButton* GetEditButton() const { return FEditButton; }
  TiPlotToolBarButton* GetCopyButton() const { return FCopyButton; }
  TiPlotToolBarButton* GetSaveButton() const { return FSaveButton; }
  TiPlotToolBarButton* GetPrintButton() const { return FPrintButton; }
  TiPlotToolBarButton* GetPreviewButton() const { return FPreviewButton; }

#define TI_TOOLBAR_SHOW(Name, Field) \
  bool GetShow##Name() const {       \
    return Field->GetVisible();      \
  }                                  \
  void SetShow##Name(bool Value) {   \
    Field->SetVisible(Value);        \
  }
  TI_TOOLBAR_SHOW(ResumeButton, FResumeButton)
  TI_TOOLBAR_SHOW(PauseButton, FPauseButton)
  TI_TOOLBAR_SHOW(CursorButton, FCursorButton)
  TI_TOOLBAR_SHOW(ZoomBoxButton, FZoomBoxButton)
  TI_TOOLBAR_SHOW(EditButton, FEditButton)
  TI_TOOLBAR_SHOW(CopyButton, FCopyButton)
  TI_TOOLBAR_SHOW(SaveButton, FSaveButton)
  TI_TOOLBAR_SHOW(PrintButton, FPrintButton)
  TI_TOOLBAR_SHOW(SelectButton, FSelectButton)
  TI_TOOLBAR_SHOW(PreviewButton, FPreviewButton)
#undef TI_TOOLBAR_SHOW
  bool GetShowAxesModeButtons() const {
    return FAxesModeScrollButton->GetVisible();
  }
  void SetShowAxesModeButtons(bool Value);
  bool GetShowZoomInOutButtons() const {
    return FZoomInButton->GetVisible();
  }
  void SetShowZoomInOutButtons(bool Value);
  double GetZoomInOutFactor() const {
    return FZoomInOutFactor;
  }
  void SetZoomInOutFactor(double Value);
  bool GetFlatBorder() const {
    return FFlatBorder;
  }
  void SetFlatBorder(bool Value) {
    SetBooleanProperty(Value, FFlatBorder, &TiPlotObject::DoChange);
  }
  bool GetFlatButtons() const {
    return FFlatButtons;
  }
  void SetFlatButtons(bool Value);
  bool GetSmallButtons() const {
    return FSmallButtons;
  }
  void SetSmallButtons(bool Value);

  bool GetZoomBoxActive() const {
    return FZoomBoxButton->GetDown();
  }
  bool GetCursorActive() const {
    return FCursorButton->GetDown();
  }
  bool GetSelectActive() const {
    return FSelectButton->GetDown();
  }

  // Each runs the button's click as a user's click would, without the
  // group release.
  void DoButtonClickResume();
  void DoButtonClickPause();
  void DoButtonClickScrollAxesMode();
  void DoButtonClickZoomAxesMode();
  void DoButtonClickZoomIn();
  void DoButtonClickZoomOut();
  void DoButtonClickSelect();
  void DoButtonClickZoomBox();
  void DoButtonClickCursor();
  void DoButtonClickEdit();
  void DoButtonClickCopy();
  void DoButtonClickSave();
  void DoButtonClickPrint();
  void DoButtonClickPreview();
  void TurnOffCursor() {
    FCursorButton->SetDown(false);
  }

  // Visible after the next paint: a spacer shows when a button of the group
  // before it does.
  void UpdateSpacers();
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;
  TiPlotObject* GetMouseOverObject(int X, int Y) override;
  void NotificationSetFocus(TObject* Sender) override;
  void BuildPopupMenu(TPopupMenu* PopupMenu) override;
  int GetRequiredWidth(TCanvas*) override {
    return FSmallButtons ? 28 : 36;
  }
  // The button's image: drawn on teal, which the list takes as transparent.
  void LoadButtonImage(TiPlotToolBarButton* Button);

 private:
  TiPlotToolBarButton* AddButton(const char* Hint, const char* Image, int GroupIndex,
                                 void (TiPlotToolBar::*Click)());
  TiPlotToolBarButton* AddSpacer();
  // The frame of every click: the before-event may cancel; the after-event
  // follows the action unless After is false.
  template <class F>
  void Click(TiPlotToolBarButtonType Type, F&& Action, bool After = true);
  void LoadImages(bool Small);
  void CursorDownChange();
  void SelectDownChange();
  template <class F>
  void ForEachAxis(F&& Fn);

  std::vector<TiPlotToolBarButton*> FButtonList;
  std::unique_ptr<TCustomImageList> FImageList;
  TiPlotToolBarButton *FResumeButton, *FPauseButton, *FResumePauseSpacer, *FAxesModeScrollButton,
      *FAxesModeZoomButton, *FAxesModeSpacer, *FZoomInButton, *FZoomOutButton, *FZoomInOutSpacer,
      *FSelectButton, *FZoomBoxButton, *FCursorButton, *FZoomBoxCursorSpacer, *FEditButton, *FEditSpacer,
      *FCopyButton, *FSaveButton, *FPrintButton, *FPreviewButton;
  double FZoomInOutFactor = 2;
  bool FFlatButtons = false;
  bool FSmallButtons = false;
  bool FFlatBorder = false;
};

// The toolbar's picture of that name (see the button table), Size pixels
// square, on a teal ($808000) background.
void iToolBarImage(const std::string& Name, int Size, TBitmap* Bitmap);
