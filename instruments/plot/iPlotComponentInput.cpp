// The plot's input: mouse, wheel and keys handed to the object under the
// mouse or to the selected objects, the hint box timed by the internal
// timer, the master-axis replay, and the objects' notices turned into the
// plot's events with the object's index in its manager.

#include "instruments/plot/iPlotComponent.h"

// ---------------------------------------------------------------- events by kind

template <class E, class... A>
void TiPlotComponent::FireKind(TObject* Object,
                               std::initializer_list<std::pair<TiPlotObjectManagerCustom*, E*>> Events,
                               A&&... Args) {
  for (const auto& [manager, event] : Events) {
    if (!manager) continue;
    const int index = manager->GetIndex(Object);
    if (index < 0) continue;
    if (*event) (*event)(index, std::forward<A>(Args)...);
    return;
  }
}

template <class E, class... A>
void TiPlotComponent::FireAxisEvent(TiPlotObject* Axis, E& XEvent, E& YEvent, A&&... Args) {
  // Tracking sets scales at data rate: nothing to look up without a handler.
  if (!XEvent && !YEvent) return;
  FireKind<E>(Axis, {{FMaster->GetXAxisManager(), &XEvent}, {FMaster->GetYAxisManager(), &YEvent}},
           std::forward<A>(Args)...);
}

// The kinds in the relays' order; Prefix names the events.
#define TI_PLOT_KINDS(Prefix)                                                                 \
  {                                                                                           \
    {FMaster->GetChannelManager(), &Prefix##Channel}, {FMaster->GetXAxisManager(), &Prefix##XAxis}, \
        {FMaster->GetYAxisManager(), &Prefix##YAxis},                                         \
        {FMaster->GetDataCursorManager(), &Prefix##DataCursor},                               \
        {FMaster->GetDataViewManager(), &Prefix##DataView},                                   \
        {FMaster->GetLegendManager(), &Prefix##Legend}, {FMaster->GetLimitManager(), &Prefix##Limit}, \
        {FMaster->GetAnnotationManager(), &Prefix##Annotation}                                \
  }

void TiPlotComponent::ObjectMouseDown(TiPlotObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                      int Y) {
  if (IsLoading()) return;
  FireKind<TiPlotObjectMouseEvent>(Sender, TI_PLOT_KINDS(OnMouseDown), Button, Shift, X, Y);
}

void TiPlotComponent::ObjectMouseMove(TiPlotObject* Sender, TShiftState Shift, int X, int Y) {
  if (IsLoading()) return;
  FireKind<TiPlotObjectMouseMoveEvent>(Sender, TI_PLOT_KINDS(OnMouseMove), Shift, X, Y);
}

void TiPlotComponent::ObjectMouseUp(TiPlotObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (IsLoading()) return;
  FireKind<TiPlotObjectMouseEvent>(Sender, TI_PLOT_KINDS(OnMouseUp), Button, Shift, X, Y);
}

void TiPlotComponent::ObjectMouseWheel(TiPlotObject* Sender, int WheelDelta, TShiftState Shift, int X, int Y) {
  if (IsLoading()) return;
  // Channels report the wheel only in a strip chart, which this plot is not.
  FireKind<TiPlotObjectMouseWheelEvent>(Sender,
                                        {{FMaster->GetXAxisManager(), &OnMouseWheelXAxis},
                                         {FMaster->GetYAxisManager(), &OnMouseWheelYAxis},
                                         {FMaster->GetDataViewManager(), &OnMouseWheelDataView},
                                         {FMaster->GetLegendManager(), &OnMouseWheelLegend},
                                         {FMaster->GetLimitManager(), &OnMouseWheelLimit},
                                         {FMaster->GetDataCursorManager(), &OnMouseWheelDataCursor},
                                         {FMaster->GetAnnotationManager(), &OnMouseWheelAnnotation}},
                                        WheelDelta, Shift, X, Y);
}

void TiPlotComponent::ObjectPopupMenu(TiPlotObject* Sender, bool& Cancel, int ScreenX, int ScreenY) {
  if (IsLoading()) return;
  FireKind<TiPlotPopupMenuEvent>(Sender, TI_PLOT_KINDS(OnPopupMenu), Cancel, ScreenX, ScreenY);
}

void TiPlotComponent::ObjectGotFocus(TiPlotObject* Sender) {
  if (IsLoading()) return;
  FireKind<TiPlotObjectEvent>(Sender,
                              {{FMaster->GetChannelManager(), &OnGotFocusChannel},
                               {FMaster->GetXAxisManager(), &OnGotFocusXAxis},
                               {FMaster->GetYAxisManager(), &OnGotFocusYAxis},
                               {FMaster->GetDataCursorManager(), &OnGotFocusDataCursor},
                               {FMaster->GetDataViewManager(), &OnGotFocusDataView},
                               {FMaster->GetLegendManager(), &OnGotFocusLegend},
                               {FMaster->GetAnnotationManager(), &OnGotFocusAnnotation}});
}

void TiPlotComponent::ObjectLostFocus(TiPlotObject* Sender) {
  if (IsLoading()) return;
  FireKind<TiPlotObjectEvent>(Sender,
                              {{FMaster->GetChannelManager(), &OnLostFocusChannel},
                               {FMaster->GetXAxisManager(), &OnLostFocusXAxis},
                               {FMaster->GetYAxisManager(), &OnLostFocusYAxis},
                               {FMaster->GetDataCursorManager(), &OnLostFocusDataCursor},
                               {FMaster->GetDataViewManager(), &OnLostFocusDataView},
                               {FMaster->GetLegendManager(), &OnLostFocusLegend},
                               {FMaster->GetAnnotationManager(), &OnLostFocusAnnotation}});
}

void TiPlotComponent::DoObjectClick(TiPlotObject* Sender) {
  if (IsLoading()) return;
  const bool dbl = FDBLClickActive;
  FDBLClickActive = false;
  if (dbl)
    FireKind<TiPlotObjectEvent>(Sender, TI_PLOT_KINDS(OnDblClick));
  else
    FireKind<TiPlotObjectEvent>(Sender, TI_PLOT_KINDS(OnClick));
}

void TiPlotComponent::DoObjectGetMouseCursor(TiPlotObject* Sender, TCursor& Cursor) {
  if (IsLoading()) return;
  FireKind<TiPlotObjectGetMouseCursorEvent>(Sender, TI_PLOT_KINDS(OnGetMouseCursor), Cursor);
}

#undef TI_PLOT_KINDS

int TiPlotComponent::ChannelIndex(TiPlotChannelCustom* Channel) const {
  return FMaster->GetChannelManager()->GetIndex(Channel);
}

void TiPlotComponent::DoDataPointMouseDown(TiPlotChannelCustom* Channel, int DataIndex,
                                           const TiPlotMouseData& d) {
  if (IsLoading() || !OnMouseDownDataPoint) return;
  OnMouseDownDataPoint(ChannelIndex(Channel), DataIndex, d.Button, d.Shift, d.X, d.Y);
}

void TiPlotComponent::DoDataPointMouseMove(TiPlotChannelCustom* Channel, int DataIndex,
                                           const TiPlotMouseData& d) {
  if (IsLoading() || !OnMouseMoveDataPoint) return;
  OnMouseMoveDataPoint(ChannelIndex(Channel), DataIndex, d.Shift, d.X, d.Y);
}

void TiPlotComponent::DoDataPointMouseUp(TiPlotChannelCustom* Channel, int DataIndex, const TiPlotMouseData& d) {
  if (IsLoading() || !OnMouseUpDataPoint) return;
  OnMouseUpDataPoint(ChannelIndex(Channel), DataIndex, d.Button, d.Shift, d.X, d.Y);
}

void TiPlotComponent::DoDataPointClick(TiPlotChannelCustom* Channel, int DataIndex) {
  if (IsLoading()) return;
  auto& event = FDBLClickActive ? OnDblClickDataPoint : OnClickDataPoint;
  if (event) event(ChannelIndex(Channel), DataIndex);
}

void TiPlotComponent::DoDataPointMoved(TiPlotChannelCustom* Channel, int DataIndex, double OldX, double OldY,
                                       double NewX, double NewY) {
  if (IsLoading() || !OnDataPointMoved) return;
  OnDataPointMoved(ChannelIndex(Channel), DataIndex, OldX, OldY, NewX, NewY);
}

void TiPlotComponent::DoDataPointCustomizeHint(TiPlotChannelCustom* Channel, int DataIndex, TiHintData& Hint) {
  if (IsLoading() || !OnDataPointCustomizeHint) return;
  OnDataPointCustomizeHint(ChannelIndex(Channel), DataIndex, Hint.Text);
}

void TiPlotComponent::DoAxisMinChange(TiPlotAxis* Axis, double OldValue, double NewValue) {
  if (IsLoading()) return;
  FireAxisEvent(Axis, OnXAxisMinChange, OnYAxisMinChange, OldValue, NewValue);
}

void TiPlotComponent::DoAxisSpanChange(TiPlotAxis* Axis, double OldValue, double NewValue) {
  if (IsLoading()) return;
  FireAxisEvent(Axis, OnXAxisSpanChange, OnYAxisSpanChange, OldValue, NewValue);
}

void TiPlotComponent::DoAxisMinSpanChange(TiPlotAxis* Axis, double OldMin, double OldSpan, double NewMin,
                                          double NewSpan) {
  if (IsLoading()) return;
  FireAxisEvent(Axis, OnXAxisMinSpanChange, OnYAxisMinSpanChange, OldMin, OldSpan, NewMin, NewSpan);
}

void TiPlotComponent::DoAxisMinSpanChangeFinished(TiPlotAxis* Axis, double OldMin, double OldSpan,
                                                  double NewMin, double NewSpan) {
  if (IsLoading()) return;
  FireAxisEvent(Axis, OnXAxisMinSpanChangeFinished, OnYAxisMinSpanChangeFinished, OldMin, OldSpan, NewMin,
                NewSpan);
}

void TiPlotComponent::DoAxisCustomizeHint(TiPlotAxis* Axis, std::string& Text) {
  if (IsLoading()) return;
  FireAxisEvent(Axis, OnXAxisCustomizeHint, OnYAxisCustomizeHint, Text);
}

TCanvas* TiPlotComponent::GetHintCanvas() {
  if (!FHintMeasure) FHintMeasure = std::make_unique<TBitmap>(1, 1);
  FHintMeasure->GetCanvas()->Font->Assign(FHintsFont.get());
  return FHintMeasure->GetCanvas();
}

void TiPlotComponent::DoBeforeDataCursorUpdate(TiPlotDataCursor* Cursor) {
  if (IsLoading()) return;
  FireKind<TiPlotObjectEvent>(Cursor, {{FMaster->GetDataCursorManager(), &OnBeforeDataCursorUpdate}});
}

void TiPlotComponent::DoDataCursorChange(TiPlotDataCursor* Cursor) {
  // Reported while loading too.
  FireKind<TiPlotObjectEvent>(Cursor, {{FMaster->GetDataCursorManager(), &OnDataCursorChange}});
}

void TiPlotComponent::DoDataCursorCustomizeHint(TiPlotDataCursor* Cursor, std::string& Text) {
  if (IsLoading()) return;
  FireKind<TiPlotObjectCustomizeTextEvent>(Cursor, {{FMaster->GetDataCursorManager(), &OnDataCursorCustomizeHint}},
                                           Text);
}

void TiPlotComponent::DoLimitLine1PositionChange(TiPlotObject* Limit, double OldValue, double NewValue) {
  if (IsLoading()) return;
  FireKind<TiPlotObjectDoubleValueChangeEvent>(Limit, {{FMaster->GetLimitManager(), &OnLimitLine1PositionChange}},
                                               OldValue, NewValue);
}

void TiPlotComponent::DoLimitLine2PositionChange(TiPlotObject* Limit, double OldValue, double NewValue) {
  if (IsLoading()) return;
  FireKind<TiPlotObjectDoubleValueChangeEvent>(Limit, {{FMaster->GetLimitManager(), &OnLimitLine2PositionChange}},
                                               OldValue, NewValue);
}

#define TI_ANNOTATION_RELAY(Name)                                                                 \
  void TiPlotComponent::Do##Name(TiPlotObject* Annotation) {                                      \
    if (IsLoading()) return;                                                                      \
    FireKind<TiPlotObjectEvent>(Annotation, {{FMaster->GetAnnotationManager(), &On##Name}});      \
  }
TI_ANNOTATION_RELAY(AnnotationCoordinatesChange)
TI_ANNOTATION_RELAY(AnnotationMoveUser)
TI_ANNOTATION_RELAY(AnnotationResizeUser)
TI_ANNOTATION_RELAY(AnnotationCoordinatesChangeFinished)
#undef TI_ANNOTATION_RELAY

// ---------------------------------------------------------------- master axis

template <class F>
void TiPlotComponent::MasterAxisRelay(TiPlotAxis* Axis, F&& Fn) {
  if (FMasterAxisBlock) return;
  FMasterAxisBlock = true;
  try {
    const bool x = FMaster->GetXAxisManager()->GetIndex(Axis) >= 0;
    const int n = x ? GetXAxisCount() : GetYAxisCount();
    for (int i = 0; i < n; ++i) {
      TiPlotAxis* other = x ? static_cast<TiPlotAxis*>(GetXAxis(i)) : GetYAxis(i);
      if (other != Axis) Fn(other);
    }
  } catch (...) {
    FMasterAxisBlock = false;
    throw;
  }
  FMasterAxisBlock = false;
}

void TiPlotComponent::MasterAxisMouseLeft(TiPlotAxis* Axis, TiPlotMouseData& MouseData) {
  MasterAxisRelay(Axis, [&](TiPlotAxis* a) { a->DoMouseLeft(MouseData); });
}

void TiPlotComponent::MasterAxisMouseMove(TiPlotAxis* Axis, TiPlotMouseData& MouseData) {
  MasterAxisRelay(Axis, [&](TiPlotAxis* a) { a->DoMouseMove(MouseData); });
}

void TiPlotComponent::MasterAxisMouseUp(TiPlotAxis* Axis, TiPlotMouseData& MouseData) {
  MasterAxisRelay(Axis, [&](TiPlotAxis* a) { a->DoMouseUp(MouseData); });
}

void TiPlotComponent::MasterAxisMouseWheel(TiPlotAxis* Axis, int WheelDelta, TShiftState Shift, int X, int Y) {
  MasterAxisRelay(Axis, [&](TiPlotAxis* a) { a->DoMouseWheel(WheelDelta, Shift, X, Y); });
}

void TiPlotComponent::MasterAxisKeyDown(TiPlotAxis* Axis, std::uint16_t& Key, TShiftState Shift) {
  MasterAxisRelay(Axis, [&](TiPlotAxis* a) { a->iKeyDown(Key, Shift, GetPopupMenu()); });
}

// ---------------------------------------------------------------- finding objects

TiPlotMouseData TiPlotComponent::PlotMouseData(int X, int Y, TMouseButton Button, TShiftState Shift) const {
  TiPlotMouseData d;
  d.X = X;
  d.Y = Y;
  const bool reversed = GetXYAxesReverse();
  d.XAxisPixels = reversed ? Y : X;
  d.YAxisPixels = reversed ? X : Y;
  d.Shift = Shift;
  d.Button = Button;
  return d;
}

TiPlotObject* TiPlotComponent::FindObjectAt(const TiPlotMouseData& MouseData) {
  TiPlotObjectManager* objects = GetPlotObjectManager();
  TiPlotLayoutManager* layout = GetLayoutManager();
  auto viewOrLegend = [](TiPlotObject* o) {
    return dynamic_cast<TiPlotDataView*>(o) != nullptr || dynamic_cast<TiPlotLegend*>(o) != nullptr;
  };
  auto find = [&](auto&& Wanted) -> TiPlotObject* {
    for (int i = 0; i < objects->Count(); ++i) {
      TiPlotObject* o = objects->GetObject(i);
      if (layout && (static_cast<const void*>(o) == layout->GetDataViewHorz() ||
                     static_cast<const void*>(o) == layout->GetDataViewVert()))
        continue;
      if (o->GetEnabled() && o->GetVisible() && Wanted(o) && o->iMouseHitTest(MouseData)) return o;
    }
    return nullptr;
  };
  TiPlotObject* hit = find([&](TiPlotObject* o) { return o->GetUserSelected() && !viewOrLegend(o); });
  if (!hit) hit = find([&](TiPlotObject* o) { return !viewOrLegend(o); });
  if (!hit) hit = find(viewOrLegend);
  return hit ? hit->GetMouseOverObject(MouseData.X, MouseData.Y) : nullptr;
}

// ---------------------------------------------------------------- mouse

void TiPlotComponent::iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FShiftState = Shift;
  TiPlotObjectManager* objects = GetPlotObjectManager();
  objects->SetShiftState(Shift);
  FMouseDown = true;
  const TiPlotMouseData d = PlotMouseData(X, Y, Button, Shift);
  FocusComponentWindow(this);
  HideHint();
  const TPoint screen = ClientToScreen(TPoint(X, Y));
  if (Button == mbRight) objects->ClearAllUserSelections();
  FMouseDownObject = FindObjectAt(d);
  FLastMouseClickObject = nullptr;
  TiPlotObject* o = FMouseDownObject;
  if (!o) {
    objects->ClearAllUserSelections();
    return;
  }
  const bool axis = dynamic_cast<TiPlotAxis*>(o) != nullptr;
  // A button of a toolbar, legend or table is part of its container.
  const bool button = dynamic_cast<TiPlotButton*>(o) != nullptr;
  if (Shift.Contains(ssShift)) {
    FSelectingActive = axis;
    o->SetUserSelected(true);
  } else if (Shift.Contains(ssCtrl)) {
    FSelectingActive = axis;
    o->SetUserSelected(axis ? !o->GetUserSelected() : true);
  } else if (!button && !dynamic_cast<TiPlotToolBar*>(o) && o->GetCanFocus()) {
    o->SetUserSelected(true);
  }
  // The object may have gone with a handler of the selection.
  if (FMouseDownObject != o) return;
  if (Button == mbRight) SetLocalMouseCapture();
  const bool alone = Button == mbRight || button || dynamic_cast<TiPlotAnnotation*>(o) ||
                     dynamic_cast<TiPlotLimit*>(o) || !o->GetCanFocus();
  if (alone)
    o->iMouseDown(Button, Shift, X, Y, screen.X, screen.Y, FPopupMenu);
  else
    objects->MouseDownFocusObjects(Button, Shift, X, Y, screen.X, screen.Y, FPopupMenu);
}

void TiPlotComponent::RestartHintTimer(int Pause) {
  InternalTimerStop();
  InternalTimerStart(0, Pause);
}

void TiPlotComponent::iMouseMove(TShiftState Shift, int X, int Y) {
  if (FSelectingActive) return;
  try {
    if (!GetClientRect().Contains(TPoint(X, Y)) && !FMouseDown && GetMouseCapture()) SetMouseCapture(false);
    FShiftState = Shift;
    TiPlotObjectManager* objects = GetPlotObjectManager();
    objects->SetShiftState(Shift);
    const TiPlotMouseData d = PlotMouseData(X, Y, mbLeft, Shift);
    const TPoint screen = ClientToScreen(TPoint(X, Y));

    if ((Shift.Contains(ssLeft) || Shift.Contains(ssRight)) && FMouseDownObject) {
      TiPlotObject* o = FMouseDownObject;
      if (dynamic_cast<TiPlotAnnotation*>(o) || dynamic_cast<TiPlotToolBar*>(o) ||
          dynamic_cast<TiPlotButton*>(o) || !o->GetCanFocus())
        o->iMouseMove(FHintData, Shift, X, Y, screen.X, screen.Y, FDBLClickActive);
      else
        objects->MouseMoveFocusObjects(FHintData, Shift, X, Y, screen.X, screen.Y, FDBLClickActive);
      SetCursor(crDefault);
      return;
    }

    // No button held: a press whose release went elsewhere ends here.
    if (TiPlotObject* o = FMouseDownObject) {
      FMouseDownObject = nullptr;
      o->iMouseUp(mbLeft, Shift, X, Y, screen.X, screen.Y, FDBLClickActive, FPopupMenu);
    }
    objects->MouseUpFocusObjects(mbLeft, Shift, X, Y, screen.X, screen.Y, FDBLClickActive, FPopupMenu);

    TiPlotObject* o = FindObjectAt(d);
    if (FLastMouseOverObject && FLastMouseOverObject != o) FLastMouseOverObject->DoMouseNotOver();
    FLastMouseOverObject = nullptr;
    if (!o) {
      SetCursor(crDefault);
      return;
    }
    SetCursor(o->GetMouseCursor(TPoint(X, Y)));
    TiHintData hint;
    o->iMouseMove(hint, Shift, X, Y, screen.X, screen.Y, FDBLClickActive);

    if (FHintsShow) {
      FHintData.Text = hint.Text;
      FHintData.Left = hint.Left;
      FHintData.Top = hint.Top;
      FHintData.Width = hint.Width;
      FHintData.Height = hint.Height;
      const bool keepsHint = dynamic_cast<TiPlotButton*>(o) || dynamic_cast<TiPlotChannelCustom*>(o);
      if (FMouseDown) {
        HideHint();
      } else if (hint.Text.empty()) {
        HideHint();
        FLastHintObject = nullptr;
        FLastHintShowRect = TRect();
      } else {
        if (FLastHintObject && FLastHintObject != o && !dynamic_cast<TiPlotButton*>(FLastHintObject)) {
          HideHint();
          FLastHintObject = nullptr;
        }
        if (InternalTimerRunning()) {
          if (!FHintData.Visible)
            RestartHintTimer(FHintsPause);
          else if (keepsHint)
            RestartHintTimer(FHintsHidePause);
          else
            HideHint();
        } else if (!FLastHintShowRect.Contains(TPoint(X, Y)) && o != FLastHintObject) {
          FLastHintX = X;
          FLastHintY = Y;
          FLastHintObject = o;
          InternalTimerStart(0, FHintsPause);
        }
      }
      if (FHintData.Visible) InvalidateNow();
    }
    FLastMouseOverObject = o;
  } catch (const std::exception&) {
    // An object's failure during a move leaves the plot as it is.
  }
}

void TiPlotComponent::HintTimerTick() {
  InternalTimerStop();
  if (FHintData.Visible) {
    FHintData.Visible = false;
    if (GetMouseCapture()) SetMouseCapture(false);
  } else {
    FHintData.Visible = true;
    FLastHintShowRect = TRect(FLastHintX - 3, FLastHintY - 3, FLastHintX + 3, FLastHintY + 3);
    InternalTimerStart(0, FHintsHidePause);
    if (!GetMouseCapture()) SetLocalMouseCapture();
  }
  InvalidateNow();
}

void TiPlotComponent::HideHint() {
  InternalTimerStop();
  FHintData.Visible = false;
  if (FHintShowing) InvalidateNow();
}

void TiPlotComponent::InternalTimerStart(int InitialDelay, int Interval) {
  if (!InternalTimerRunning()) {
    FLastTimerInitialDelay = InitialDelay;
    FLastTimerInterval = Interval;
  }
  TiCustomComponent::InternalTimerStart(InitialDelay, Interval);
}

void TiPlotComponent::iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FMouseDown = false;
  FShiftState = Shift;
  TiPlotObjectManager* objects = GetPlotObjectManager();
  objects->SetShiftState(Shift);
  HideHint();
  FSelectingActive = false;
  const TPoint screen = ClientToScreen(TPoint(X, Y));
  TiPlotObject* o = FMouseDownObject;
  if (o) o->iMouseUp(Button, Shift, X, Y, screen.X, screen.Y, FDBLClickActive, FPopupMenu);
  objects->MouseUpFocusObjects(Button, Shift, X, Y, screen.X, screen.Y, FDBLClickActive, FPopupMenu);
  FLastMouseClickObject = FMouseDownObject;
  FLastMouseClickButton = Button;
  FLastMouseClickShift = Shift;
  FLastMouseClickX = X;
  FLastMouseClickY = Y;
  FLastMouseClickScreenX = screen.X;
  FLastMouseClickScreenY = screen.Y;
  FMouseDownObject = nullptr;
  FDBLClickActive = false;
}

void TiPlotComponent::iDoubleClick() {
  FDBLClickActive = true;
}

bool TiPlotComponent::iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos) {
  GetPlotObjectManager()->MouseWheelFocusObjects(WheelDelta, Shift, MousePos);
  return true;
}

void TiPlotComponent::iKeyDown(std::uint16_t& Key, TShiftState Shift) {
  GetPlotObjectManager()->KeyDownFocusObjects(Key, Shift, FPopupMenu);
}

void TiPlotComponent::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_CAPTURECHANGED) WMCaptureChanged(Message);
  TiCustomComponent::DefaultHandler(Message);
}

void TiPlotComponent::WMCaptureChanged(TMessage& Message) {
  FCaptureWindowHandle = Message.LParam;
  if (reinterpret_cast<HWND>(Message.LParam) == GetHandle()) return;
  const bool drawn = FHintShowing;
  HideHint();
  FJustReleasedCapture = true;
  if (drawn) InvalidateNow();
  if (FLastMouseOverObject) {
    TiPlotObject* o = FLastMouseOverObject;
    FLastMouseOverObject = nullptr;
    o->DoMouseNotOver();
  }
}
