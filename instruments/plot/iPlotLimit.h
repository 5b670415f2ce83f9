#pragma once
// A limit on a pair of axes: a line at an X or Y position, a band between
// two positions, or a polygonal band whose bounds change along the other
// axis. Lines and band edges can be dragged when allowed; each move is
// reported through the plot's position events.

#include <memory>
#include <string>

#include "instruments/base/iClasses.h"
#include "instruments/plot/iPlotObjects.h"

class TiPlotXAxis;
class TiPlotYAxis;
class IiPlotDataHost;

enum TiPlotLimitStyle { iplsLineX, iplsLineY, iplsBandX, iplsBandY, iplsPolyBandX, iplsPolyBandY };

class TiPlotLimit : public TiPlotObject {
 public:
  TiPlotLimit(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
              TNotifyEvent AOnRename);
  ~TiPlotLimit() override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { SetColorProperty(Value, FColor, &TiPlotObject::DoChange); }
  TPenStyle GetLineStyle() const { return FLineStyle; }
  void SetLineStyle(TPenStyle Value);
  int GetLineWidth() const { return FLineWidth; }
  void SetLineWidth(int Value) { SetIntegerProperty(Value, FLineWidth, &TiPlotObject::DoChange); }
  TBrushStyle GetFillStyle() const { return FFillStyle; }
  void SetFillStyle(TBrushStyle Value);
  const std::string& GetXAxisName() const { return FXAxisName; }
  void SetXAxisName(const std::string& Value);
  const std::string& GetYAxisName() const { return FYAxisName; }
  void SetYAxisName(const std::string& Value);
  TiPlotLimitStyle GetStyle() const { return FStyle; }
  void SetStyle(TiPlotLimitStyle Value);
  double GetLine1Position() const { return FLine1Position; }
  void SetLine1Position(double Value);
  double GetLine2Position() const { return FLine2Position; }
  void SetLine2Position(double Value);
  bool GetUserCanMove() const { return FUserCanMove; }
  void SetUserCanMove(bool Value) { SetBooleanProperty(Value, FUserCanMove, &TiPlotObject::DoChange); }
  bool GetSelectModeOnlyInteraction() const { return FSelectModeOnlyInteraction; }
  void SetSelectModeOnlyInteraction(bool Value) { FSelectModeOnlyInteraction = Value; }
  bool GetClipToAxes() const { return FClipToAxes; }
  void SetClipToAxes(bool Value) { SetBooleanProperty(Value, FClipToAxes, &TiPlotObject::DoChange); }

  // Appends a poly-band element; a lower limit above the upper is refused.
  void AddBandElement(double Position, double UpperLimit, double LowerLimit);
  void ClearAllElements();
  int GetElementCount() const { return FPointList->GetCount(); }
  bool IsYStyle() const;
  // Filled limits are painted beneath the data view's grid.
  bool IsFilled() const;
  TiPlotXAxis* GetXAxis();
  TiPlotYAxis* GetYAxis();
  // What the last paint drew: the lines and their grab rectangles.
  bool GetLine1Show() const { return FLine1Show; }
  bool GetLine2Show() const { return FLine2Show; }
  TRect GetLine1ClickRect() const { return FLine1ClickRect; }
  TRect GetLine2ClickRect() const { return FLine2ClickRect; }

  void NotificationRemove(TObject* Sender) override;
  void NotificationRename(TObject* Sender) override;
  void NotificationSetFocus(TObject* Sender) override;
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;
  bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
  TCursor GetMouseCursor(TPoint APoint) override;
  void BuildPopupMenu(TPopupMenu* PopupMenu) override;

 protected:
  void DoMouseLeft(TiPlotMouseData& MouseData) override;
  void DoMouseMove(TiPlotMouseData& MouseData) override;
  void DoMouseUp(TiPlotMouseData& MouseData) override;

 private:
  IiPlotDataHost* DataHost() const;
  void DrawLine(TCanvas* Canvas, TiPlotXAxis* X, TiPlotYAxis* Y);
  void DrawBand(TCanvas* Canvas, TiPlotXAxis* X, TiPlotYAxis* Y);
  void DrawPolyBand(TCanvas* Canvas, TiPlotXAxis* X, TiPlotYAxis* Y);

  std::unique_ptr<TiLimitDataList> FPointList;
  TiPlotXAxis* FXAxis = nullptr;
  TiPlotYAxis* FYAxis = nullptr;
  std::string FXAxisName;
  std::string FYAxisName;
  bool FMouseDownLine1 = false;
  bool FMouseDownLine2 = false;
  TiPlotLimitStyle FStyle = iplsLineY;
  TColor FColor = 0x0000FF;
  int FLineWidth = 0;
  TPenStyle FLineStyle = psSolid;
  TBrushStyle FFillStyle = bsSolid;
  bool FLine1Show = false;
  bool FLine2Show = false;
  double FLine1Position = 50;
  double FLine2Position = 50;
  TRect FLine1ClickRect;
  TRect FLine2ClickRect;
  bool FUserCanMove = false;
  bool FSelectModeOnlyInteraction = true;
  bool FClipToAxes = false;
};
