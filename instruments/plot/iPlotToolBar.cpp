#include "instruments/plot/iPlotToolBar.h"

#include "instruments/base/iDrawing.h"
#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotComponent.h"
#include "platform/classlib/ImgList.h"

namespace {

const TiRegisterProperties<TiPlotToolBar, TiPlotLayoutObject> kProperties(
    [](TiPropertyBuilder<TiPlotToolBar>& b) {
      using T = TiPlotToolBar;
      b.Add("ShowResumeButton", &T::GetShowResumeButton, &T::SetShowResumeButton, 1);
      b.Add("ShowPauseButton", &T::GetShowPauseButton, &T::SetShowPauseButton, 1);
      b.Add("ShowAxesModeButtons", &T::GetShowAxesModeButtons, &T::SetShowAxesModeButtons, 1);
      b.Add("ShowZoomInOutButtons", &T::GetShowZoomInOutButtons, &T::SetShowZoomInOutButtons, 1);
      b.Add("ShowSelectButton", &T::GetShowSelectButton, &T::SetShowSelectButton, 0);
      b.Add("ShowZoomBoxButton", &T::GetShowZoomBoxButton, &T::SetShowZoomBoxButton, 1);
      b.Add("ShowCursorButton", &T::GetShowCursorButton, &T::SetShowCursorButton, 1);
      b.Add("ShowEditButton", &T::GetShowEditButton, &T::SetShowEditButton, 1);
      b.Add("ShowCopyButton", &T::GetShowCopyButton, &T::SetShowCopyButton, 1);
      b.Add("ShowSaveButton", &T::GetShowSaveButton, &T::SetShowSaveButton, 1);
      b.Add("ShowPrintButton", &T::GetShowPrintButton, &T::SetShowPrintButton, 1);
      b.Add("ShowPreviewButton", &T::GetShowPreviewButton, &T::SetShowPreviewButton, 0);
      b.Add("ZoomInOutFactor", &T::GetZoomInOutFactor, &T::SetZoomInOutFactor);
      b.Add("FlatBorder", &T::GetFlatBorder, &T::SetFlatBorder, 0);
      b.Add("FlatButtons", &T::GetFlatButtons, &T::SetFlatButtons, 0);
      b.Add("SmallButtons", &T::GetSmallButtons, &T::SetSmallButtons, 0);
    });

// Pressed buttons: white with each component lowered by 16.
constexpr TColor kPressedFace = 0xEFEFEF;
constexpr int kSpacerWidth = 10;

TiPlotComponent* Plot(const TiPlotObject* Object) {
  return dynamic_cast<TiPlotComponent*>(Object->GetOwner());
}

}  // namespace

// ---------------------------------------------------------------- buttons

TiPlotToolBarButton::TiPlotToolBarButton(TWinControl* AOwner, TiPlotToolBar* AToolBar)
    : TiPlotButton(AOwner, nullptr, nullptr, nullptr, nullptr), FToolBar(AToolBar) {
  OnChange = [AToolBar](TObject*) { AToolBar->DoChange(); };
  OnInvalidate = [AToolBar](TObject*) { AToolBar->InvalidateNow(); };
}

TCustomImageList* TiPlotToolBarButton::GetImageList() const {
  return FToolBar->GetImageList();
}

void TiPlotToolBarButton::Draw(TCanvas* Canvas, TColor) {
  if (FStyle == iptbbsSpacer) return;
  TCustomImageList* list = GetImageList();
  if (FImageIndex == -1 && !FImageName.empty()) FToolBar->LoadButtonImage(this);
  const TRect r = GetDrawRect();
  int x = GetLeft() + GetWidth() / 2 - list->GetWidth() / 2;
  int y = GetTop() + GetHeight() / 2 - list->GetHeight() / 2;
  const bool pressed = FMouseDown || GetDown();
  Canvas->Brush->SetStyle(bsSolid);
  if (!FFlat) {
    if (pressed) {
      Canvas->Brush->SetColor(kPressedFace);
      Canvas->FillRect(r);
      DrawBevel(Canvas, r, iBevelLowered);
      ++x;
      ++y;
    } else {
      DrawBevel(Canvas, r, iBevelRaised);
    }
  } else {
    if (pressed && !FMouseOver) {
      Canvas->Brush->SetColor(kPressedFace);
      Canvas->FillRect(r);
    }
    if (GetEnabled()) {
      if (pressed) {
        DrawLoweredEdge(Canvas);
        ++x;
        ++y;
      } else if (FMouseOver) {
        DrawRaisedEdge(Canvas);
      }
    }
  }
  list->Draw(Canvas, x, y, FImageIndex, GetEnabled());
}

namespace {
void DrawEdgeLines(TCanvas* Canvas, const TRect& R, TColor First, TColor Second) {
  const TRect r(R.Left, R.Top, R.Right - 1, R.Bottom - 1);
  Canvas->Pen->SetStyle(psSolid);
  Canvas->Pen->SetWidth(1);
  Canvas->Pen->SetColor(First);
  Canvas->MoveTo(r.Left, r.Bottom);
  Canvas->LineTo(r.Left, r.Top);
  Canvas->LineTo(r.Right, r.Top);
  Canvas->Pen->SetColor(Second);
  Canvas->LineTo(r.Right, r.Bottom);
  Canvas->LineTo(r.Left, r.Bottom);
}
}  // namespace

void TiPlotToolBarButton::DrawLoweredEdge(TCanvas* Canvas) {
  DrawEdgeLines(Canvas, GetDrawRect(), clBtnShadow, clBtnHighlight);
}

void TiPlotToolBarButton::DrawRaisedEdge(TCanvas* Canvas) {
  DrawEdgeLines(Canvas, GetDrawRect(), clBtnHighlight, clBtnShadow);
}

void TiPlotToolBarButton::iMouseMove(TiHintData& HintData, TShiftState Shift, int X, int Y, int ScreenX,
                                     int ScreenY, bool DblClickActive) {
  TiPlotButton::iMouseMove(HintData, Shift, X, Y, ScreenX, ScreenY, DblClickActive);
  FMouseOver = true;
  if (FFlat) DoChange();
}

void TiPlotToolBarButton::DoMouseNotOver() {
  FMouseOver = false;
  DoChange();
}

void TiPlotToolBarButton::DoMouseHint(TiPlotMouseData&, TiHintData& HintData) {
  HintData.Text = TranslateText(FHint);
  TCanvas measure;
  if (auto* plot = Plot(this)) measure.Font->Assign(plot->GetHintsFont());
  HintData.Top = GetBottom() + 3;
  HintData.Left = GetLeft();
  HintData.Width = measure.TextWidth(HintData.Text) + 4;
  HintData.Height = measure.TextHeight(HintData.Text) + 4;
  if (auto* plot = Plot(this)) plot->DoToolBarCustomizeHint(FToolBar, HintData.Text);
}

// ---------------------------------------------------------------- toolbar

TiPlotToolBar::TiPlotToolBar(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                             TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotLayoutObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                         std::move(AOnRename)),
      FImageList(std::make_unique<TImageList>(nullptr, 24, 24)) {
  SetHorizontal(true);
  FResumeButton = AddButton("Resume All (Tracking)", "AUTO", 0, &TiPlotToolBar::DoButtonClickResume);
  FPauseButton = AddButton("Pause All (Tracking)", "PAUSE", 0, &TiPlotToolBar::DoButtonClickPause);
  FResumePauseSpacer = AddSpacer();
  FAxesModeScrollButton =
      AddButton("Scroll (Axes)", "SCROLL", 2, &TiPlotToolBar::DoButtonClickScrollAxesMode);
  FAxesModeZoomButton = AddButton("Zoom (Axes)", "ZOOM", 2, &TiPlotToolBar::DoButtonClickZoomAxesMode);
  FAxesModeSpacer = AddSpacer();
  FZoomOutButton = AddButton("Zoom Out All Axes", "ZOOMOUT", 0, &TiPlotToolBar::DoButtonClickZoomOut);
  FZoomInButton = AddButton("Zoom In All Axes", "ZOOMIN", 0, &TiPlotToolBar::DoButtonClickZoomIn);
  FZoomInOutSpacer = AddSpacer();
  FSelectButton = AddButton("Select", "SELECT", -1, &TiPlotToolBar::DoButtonClickSelect);
  FZoomBoxButton = AddButton("Zoom Box", "SCROLLBOX", -1, &TiPlotToolBar::DoButtonClickZoomBox);
  FCursorButton = AddButton("Cursor", "CURSOR", -2, &TiPlotToolBar::DoButtonClickCursor);
  FZoomBoxCursorSpacer = AddSpacer();
  FEditButton = AddButton("Properties", "PROPERTIES", 0, &TiPlotToolBar::DoButtonClickEdit);
  FEditSpacer = AddSpacer();
  FCopyButton = AddButton("Copy to Clipboard", "COPY", 0, &TiPlotToolBar::DoButtonClickCopy);
  FSaveButton = AddButton("Save to File", "SAVE", 0, &TiPlotToolBar::DoButtonClickSave);
  FPrintButton = AddButton("Print", "PRINTER", 0, &TiPlotToolBar::DoButtonClickPrint);
  FPreviewButton = AddButton("Preview", "PREVIEW", 0, &TiPlotToolBar::DoButtonClickPreview);
  FAxesModeScrollButton->SetDown(true);
  FCursorButton->OnDownChange = [this](TObject*) { CursorDownChange(); };
  FSelectButton->OnDownChange = [this](TObject*) { SelectDownChange(); };
  FSelectButton->SetVisible(false);
  FPreviewButton->SetVisible(false);
  LoadImages(false);
}

TiPlotToolBar::~TiPlotToolBar() {
  for (TiPlotToolBarButton* b : FButtonList) {
    b->OnChange = nullptr;
    delete b;
  }
}

TiPlotToolBarButton* TiPlotToolBar::AddButton(const char* Hint, const char* Image, int GroupIndex,
                                              void (TiPlotToolBar::*Action)()) {
  auto* b = new TiPlotToolBarButton(GetOwner(), this);
  b->SetHint(Hint);
  b->SetImageName(Image);
  b->SetGroupIndex(GroupIndex);
  b->OnClick = [this, Action](TObject*) { (this->*Action)(); };
  b->OnGroupClick = [this](TObject* Sender) {
    auto* pressed = static_cast<TiPlotToolBarButton*>(Sender);
    for (TiPlotToolBarButton* other : FButtonList)
      if (other != pressed && other->GetGroupIndex() == pressed->GetGroupIndex()) other->SetDown(false);
  };
  FButtonList.push_back(b);
  return b;
}

TiPlotToolBarButton* TiPlotToolBar::AddSpacer() {
  auto* b = new TiPlotToolBarButton(GetOwner(), this);
  b->SetStyle(iptbbsSpacer);
  FButtonList.push_back(b);
  return b;
}

void TiPlotToolBar::LoadImages(bool Small) {
  for (TiPlotToolBarButton* b : FButtonList) {
    std::string name = b->GetImageName();
    if (name.starts_with("SMALL")) name.erase(0, 5);
    if (!name.empty()) b->SetImageName(Small ? "SMALL" + name : name);
    b->SetImageIndex(-1);
  }
  FImageList->Clear();
  FImageList->SetSize(Small ? 16 : 24, Small ? 16 : 24);
}

void TiPlotToolBar::LoadButtonImage(TiPlotToolBarButton* Button) {
  std::string name = Button->GetImageName();
  const bool small = name.starts_with("SMALL");
  if (small) name.erase(0, 5);
  TBitmap bitmap;
  iToolBarImage(name, small ? 16 : 24, &bitmap);
  Button->SetImageIndex(FImageList->AddMasked(&bitmap, clTeal));
}

void TiPlotToolBar::SetShowAxesModeButtons(bool Value) {
  FAxesModeScrollButton->SetVisible(Value);
  FAxesModeZoomButton->SetVisible(Value);
}

void TiPlotToolBar::SetShowZoomInOutButtons(bool Value) {
  FZoomInButton->SetVisible(Value);
  FZoomOutButton->SetVisible(Value);
}

void TiPlotToolBar::SetZoomInOutFactor(double Value) {
  // Below 1 (or not a number) would zoom the wrong way: 1.
  SetDoubleProperty(Value >= 1 ? Value : 1, FZoomInOutFactor, &TiPlotObject::DoChange);
}

void TiPlotToolBar::SetFlatButtons(bool Value) {
  if (FFlatButtons == Value) return;
  FFlatButtons = Value;
  for (TiPlotToolBarButton* b : FButtonList) b->SetFlat(Value);
  DoChange();
}

void TiPlotToolBar::SetSmallButtons(bool Value) {
  if (FSmallButtons == Value) return;
  FSmallButtons = Value;
  LoadImages(Value);
  DoChange();
}

// ---------------------------------------------------------------- clicks

template <class F>
void TiPlotToolBar::Click(TiPlotToolBarButtonType Type, F&& Action, bool After) {
  TiPlotComponent* plot = Plot(this);
  bool cancel = false;
  if (plot) plot->DoBeforeToolBarButtonClick(this, Type, cancel);
  if (cancel) return;
  Action(plot);
  if (After && plot) plot->DoToolBarButtonClick(this, Type);
}

template <class F>
void TiPlotToolBar::ForEachAxis(F&& Fn) {
  TiPlotComponent* plot = Plot(this);
  if (!plot) return;
  for (int i = 0; i < plot->GetXAxisCount(); ++i) Fn(plot, static_cast<TiPlotAxis*>(plot->GetXAxis(i)));
  for (int i = 0; i < plot->GetYAxisCount(); ++i) Fn(plot, static_cast<TiPlotAxis*>(plot->GetYAxis(i)));
}

void TiPlotToolBar::DoButtonClickResume() {
  Click(iptbbtResume, [this](TiPlotComponent* plot) {
    if (FCursorButton->GetDown()) DoButtonClickCursor();
    if (FSelectButton->GetDown()) DoButtonClickSelect();
    if (!plot) return;
    plot->GetMaster()->DeSelectAll();
    plot->EnableAllTracking();
  });
}

void TiPlotToolBar::DoButtonClickPause() {
  Click(iptbbtPause, [](TiPlotComponent* plot) {
    if (plot) plot->DisableAllTracking();
  });
}

void TiPlotToolBar::DoButtonClickScrollAxesMode() {
  Click(iptbbtScrollAxesMode, [this](TiPlotComponent*) {
    FAxesModeScrollButton->SetDown(true);
    FAxesModeZoomButton->SetDown(false);
    ForEachAxis([](TiPlotComponent*, TiPlotAxis* a) { a->SetMode(ipamScroll); });
  });
}

void TiPlotToolBar::DoButtonClickZoomAxesMode() {
  Click(iptbbtZoomAxesMode, [this](TiPlotComponent*) {
    FAxesModeZoomButton->SetDown(true);
    FAxesModeScrollButton->SetDown(false);
    ForEachAxis([](TiPlotComponent*, TiPlotAxis* a) { a->SetMode(ipamZoom); });
  });
}

void TiPlotToolBar::DoButtonClickZoomIn() {
  Click(iptbbtZoomIn, [this](TiPlotComponent*) {
    DoButtonClickPause();
    ForEachAxis([this](TiPlotComponent* plot, TiPlotAxis* a) {
      plot->ZoomAxis(a, a->GetScaleType() == ipstLog10 ? -1 : 1 / FZoomInOutFactor);
    });
  });
}

void TiPlotToolBar::DoButtonClickZoomOut() {
  Click(iptbbtZoomOut, [this](TiPlotComponent*) {
    DoButtonClickPause();
    ForEachAxis([this](TiPlotComponent* plot, TiPlotAxis* a) {
      plot->ZoomAxis(a, a->GetScaleType() == ipstLog10 ? 1 : FZoomInOutFactor);
    });
  });
}

void TiPlotToolBar::DoButtonClickSelect() {
  Click(iptbbtSelect, [this](TiPlotComponent*) {
    FSelectButton->SetDown(!FSelectButton->GetDown());
    FZoomBoxButton->SetDown(false);
  });
}

void TiPlotToolBar::DoButtonClickZoomBox() {
  Click(iptbbtZoomBox, [this](TiPlotComponent*) {
    FSelectButton->SetDown(false);
    FZoomBoxButton->SetDown(!FZoomBoxButton->GetDown());
  });
}

void TiPlotToolBar::DoButtonClickCursor() {
  Click(iptbbtCursor, [this](TiPlotComponent*) { FCursorButton->SetDown(!FCursorButton->GetDown()); });
}

void TiPlotToolBar::DoButtonClickEdit() {
  Click(
      iptbbtEdit,
      [](TiPlotComponent* plot) {
        if (plot) plot->EditProperties();
      },
      false);
}

void TiPlotToolBar::DoButtonClickCopy() {
  Click(iptbbtCopy, [](TiPlotComponent* plot) {
    if (plot) plot->CopyToClipBoard();
  });
}

void TiPlotToolBar::DoButtonClickSave() {
  Click(iptbbtSave, [](TiPlotComponent* plot) {
    if (plot) plot->Save();
  });
}

void TiPlotToolBar::DoButtonClickPrint() {
  Click(iptbbtPrint, [](TiPlotComponent* plot) {
    if (plot) plot->PrintChart();
  });
}

void TiPlotToolBar::DoButtonClickPreview() {
  Click(iptbbtPreview, [](TiPlotComponent* plot) {
    if (plot) plot->PreviewChart();
  });
}

void TiPlotToolBar::CursorDownChange() {
  TiPlotComponent* plot = Plot(this);
  if (!plot) return;
  const bool down = FCursorButton->GetDown();
  for (int i = 0; i < plot->GetDataCursorCount(); ++i) plot->GetDataCursor(i)->SetVisible(down);
  if (!down) return;
  plot->DisableAllTracking();
  if (plot->GetDataCursorCount() > 0) plot->GetDataCursor(0)->SetUserSelected(true);
}

void TiPlotToolBar::SelectDownChange() {
  TiPlotComponent* plot = Plot(this);
  if (!plot) return;
  if (FSelectButton->GetDown()) plot->DisableAllTracking();
  plot->SetToolBarSelectActive(FSelectButton->GetDown());
}

// ---------------------------------------------------------------- drawing and input

void TiPlotToolBar::UpdateSpacers() {
  FResumePauseSpacer->SetVisible(FResumeButton->GetVisible() || FPauseButton->GetVisible());
  FAxesModeSpacer->SetVisible(FAxesModeScrollButton->GetVisible() || FAxesModeZoomButton->GetVisible());
  FZoomInOutSpacer->SetVisible(FZoomInButton->GetVisible() || FZoomOutButton->GetVisible());
  FZoomBoxCursorSpacer->SetVisible(FZoomBoxButton->GetVisible() || FCursorButton->GetVisible());
  FEditSpacer->SetVisible(FEditButton->GetVisible());
}

void TiPlotToolBar::Draw(TCanvas* Canvas, TColor) {
  if (!GetVisible()) return;
  const int size = FSmallButtons ? 22 : 30;
  // Buttons changed here repaint nothing: this is the paint.
  for (TiPlotToolBarButton* b : FButtonList) b->OnChange = nullptr;
  UpdateSpacers();
  bool anyOff = false, anyOn = false;
  if (TiPlotComponent* plot = Plot(this))
    ForEachAxis(
        [&](TiPlotComponent*, TiPlotAxis* a) { (plot->GetAxisTrackingEnabled(a) ? anyOn : anyOff) = true; });
  FResumeButton->SetEnabled(anyOff);
  FPauseButton->SetEnabled(anyOn);
  for (TiPlotToolBarButton* b : FButtonList) b->OnChange = [this](TObject*) { DoChange(); };

  const TRect r = GetDrawRect();
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(clBtnFace);
  Canvas->Pen->SetWidth(1);
  Canvas->FillRect(TRect(r.Left, r.Top, r.Right + 1, r.Bottom));
  if (!FFlatBorder) DrawBevel(Canvas, r, iBevelRaised);
  int x = r.Left + 3;
  for (TiPlotToolBarButton* b : FButtonList) {
    if (!b->GetVisible()) continue;
    const int w = b->GetStyle() == iptbbsSpacer ? kSpacerWidth : size;
    b->SetDrawRect(TRect(x, r.Top + 3, x + w, r.Top + 3 + size));
    b->Draw(Canvas, clBtnFace);
    x += w;
  }
}

TiPlotObject* TiPlotToolBar::GetMouseOverObject(int X, int Y) {
  TiPlotObject* result = TiPlotLayoutObject::GetMouseOverObject(X, Y);
  for (TiPlotToolBarButton* b : FButtonList)
    if (b->GetVisible() && b->GetDrawRect().Contains(TPoint(X, Y))) {
      FMouseOverObject = b;
      return b;
    }
  return result;
}

void TiPlotToolBar::NotificationSetFocus(TObject* Sender) {
  auto* other = dynamic_cast<TiPlotObject*>(Sender);
  if (other && other != this && other->GetUserSelected()) SetUserSelected(false);
}

void TiPlotToolBar::BuildPopupMenu(TPopupMenu* PopupMenu) {
  TiPlotLayoutObject::BuildPopupMenu(PopupMenu);
  AddEditMenuItem(PopupMenu);
}
