#pragma once
// An annotation: a free drawing laid over the data view (a text, lines,
// boxes, ellipses, a picture or a filled polygon). Each of its four
// coordinates is held in data-view percent or in the units of a channel's
// axes, so that it stays put on the screen or follows the data. The user
// can select it, move it and resize the box-shaped styles at their corners;
// the plot reports each change through its annotation events.

#include <memory>
#include <string>
#include <vector>

#include "instruments/base/iDrawing.h"
#include "instruments/plot/iPlotObjects.h"

class TBitmap;
class TiPlotDataView;
class TiPlotChannelCustom;
class TiPlotComponent;

enum TiPlotAnnotationStyle {
  ipasText,
  ipasLine,
  ipasRectangle,
  ipasLineX,
  ipasLineY,
  ipasImage,
  ipasTextRectangle,
  ipasEllipse,
  ipasTextBox,
  ipasEllipse2,
  ipasPolygon,
  ipasRectangle2
};
enum TiPlotReferenceType { iprtDataView, iprtChannel, iprtXChannelYDataView, iprtXDataViewYChannel };
enum TiPlotReferenceIndividual { ipriDataView, ipriChannel, ipriAuto };
enum TiPlotAnnotationSelectStyle {
  ipassNone,
  ipassMove,
  ipassSizeTopLeft,
  ipassSizeTopRight,
  ipassSizeBottomLeft,
  ipassSizeBottomRight
};

// One vertex of a polygon, in the units of the annotation's X and Y.
class TiPlotAnnotationPoint : public TObject {
 public:
  double X = 0;
  double Y = 0;
};

class TiPlotAnnotation : public TiPlotObject {
 public:
  TiPlotAnnotation(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                   TNotifyEvent AOnRemove, TNotifyEvent AOnRename);
  ~TiPlotAnnotation() override;

  // The four coordinates, in the order the references are indexed.
  enum TCoordinate { icPositionX, icPositionY, icSizeX, icSizeY };

  TiPlotAnnotationStyle GetStyle() const { return FStyle; }
  void SetStyle(TiPlotAnnotationStyle Value) { SetEnum(Value, FStyle); }
  TiPlotReferenceType GetReference() const { return FReference; }
  void SetReference(TiPlotReferenceType Value) { SetEnum(Value, FReference); }
  TiPlotReferenceIndividual GetReferencePositionX() const { return FReferences[icPositionX]; }
  void SetReferencePositionX(TiPlotReferenceIndividual Value) { SetEnum(Value, FReferences[icPositionX]); }
  TiPlotReferenceIndividual GetReferencePositionY() const { return FReferences[icPositionY]; }
  void SetReferencePositionY(TiPlotReferenceIndividual Value) { SetEnum(Value, FReferences[icPositionY]); }
  TiPlotReferenceIndividual GetReferenceSizeX() const { return FReferences[icSizeX]; }
  void SetReferenceSizeX(TiPlotReferenceIndividual Value) { SetEnum(Value, FReferences[icSizeX]); }
  TiPlotReferenceIndividual GetReferenceSizeY() const { return FReferences[icSizeY]; }
  void SetReferenceSizeY(TiPlotReferenceIndividual Value) { SetEnum(Value, FReferences[icSizeY]); }

  double GetX() const { return FX; }
  void SetX(double Value) { SetCoordinate(Value, FX); }
  double GetY() const { return FY; }
  void SetY(double Value) { SetCoordinate(Value, FY); }
  double GetX2() const { return FX2; }
  void SetX2(double Value) { SetCoordinate(Value, FX2); }
  double GetY2() const { return FY2; }
  void SetY2(double Value) { SetCoordinate(Value, FY2); }
  double GetWidth() const { return FWidth; }
  void SetWidth(double Value) { SetCoordinate(Value, FWidth); }
  double GetHeight() const { return FHeight; }
  void SetHeight(double Value) { SetCoordinate(Value, FHeight); }

  TColor GetPenColor() const { return FPenColor; }
  void SetPenColor(TColor Value) { SetColorProperty(Value, FPenColor, &TiPlotObject::DoChange); }
  TPenStyle GetPenStyle() const { return FPenStyle; }
  void SetPenStyle(TPenStyle Value) { SetEnum(Value, FPenStyle); }
  int GetPenWidth() const { return FPenWidth; }
  void SetPenWidth(int Value) { SetIntegerProperty(Value, FPenWidth, &TiPlotObject::DoChange); }
  TColor GetBrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value) { SetColorProperty(Value, FBrushColor, &TiPlotObject::DoChange); }
  TBrushStyle GetBrushStyle() const { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle Value) { SetEnum(Value, FBrushStyle); }
  const std::string& GetText() const { return FText; }
  void SetText(const std::string& Value) { SetStringProperty(Value, FText, &TiPlotObject::DoChange); }
  TiRotationAngle GetTextRotation() const { return FTextRotation; }
  void SetTextRotation(TiRotationAngle Value) { SetEnum(Value, FTextRotation); }
  TiAlignmentHorizontal GetTextHorzAlignment() const { return FTextHorzAlignment; }
  void SetTextHorzAlignment(TiAlignmentHorizontal Value) { SetEnum(Value, FTextHorzAlignment); }
  TiAlignmentVertical GetTextVertAlignment() const { return FTextVertAlignment; }
  void SetTextVertAlignment(TiAlignmentVertical Value) { SetEnum(Value, FTextVertAlignment); }
  TiAlignmentHorizontal GetTextLineAlignment() const { return FTextLineAlignment; }
  void SetTextLineAlignment(TiAlignmentHorizontal Value) { SetEnum(Value, FTextLineAlignment); }
  double GetTextHorzMargin() const { return FTextHorzMargin; }
  void SetTextHorzMargin(double Value) { SetDoubleProperty(Value, FTextHorzMargin, &TiPlotObject::DoChange); }
  double GetTextVertMargin() const { return FTextVertMargin; }
  void SetTextVertMargin(double Value) { SetDoubleProperty(Value, FTextVertMargin, &TiPlotObject::DoChange); }
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }
  int GetOuterMargin() const { return FOuterMargin; }
  void SetOuterMargin(int Value) { SetIntegerProperty(Value, FOuterMargin, &TiPlotObject::DoChange); }
  int GetImageListIndex() const { return FImageListIndex; }
  void SetImageListIndex(int Value) { SetIntegerProperty(Value, FImageListIndex, &TiPlotObject::DoChange); }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { SetIntegerProperty(Value, FImageIndex, &TiPlotObject::DoChange); }
  const std::string& GetChannelName() const { return FChannelName; }
  void SetChannelName(const std::string& Value);
  bool GetUserCanMove() const { return FUserCanMove; }
  void SetUserCanMove(bool Value) { FUserCanMove = Value; }
  bool GetUserCanSize() const { return FUserCanSize; }
  void SetUserCanSize(bool Value) { FUserCanSize = Value; }
  bool GetSelectModeOnlyInteraction() const { return FSelectModeOnlyInteraction; }
  void SetSelectModeOnlyInteraction(bool Value) { FSelectModeOnlyInteraction = Value; }
  bool GetClipToAxes() const { return FClipToAxes; }
  void SetClipToAxes(bool Value) { SetBooleanProperty(Value, FClipToAxes, &TiPlotObject::DoChange); }
  bool GetShowFocusRect() const { return FShowFocusRect; }
  void SetShowFocusRect(bool Value) { SetBooleanProperty(Value, FShowFocusRect, &TiPlotObject::DoChange); }

  // The own bitmap of the image style (null: none). Setting null frees it,
  // setting a bitmap copies it; either way a change is signalled.
  TBitmap* GetImage() const { return FImage.get(); }
  void SetImage(const TBitmap* Value);
  void ImageClear();
  // Load errors go to the caller; the annotation is then unchanged.
  void ImageLoadFromFile(const std::string& FileName);

  // Polygon vertices; neither call signals a change (the caller repaints).
  int PolyPointAdd(double X, double Y);
  void PolyPointsClear();
  int GetPolyPointsCount() const { return static_cast<int>(FPolyPoints.size()); }
  const TiPlotAnnotationPoint& GetPolyPoint(int Index) const { return *FPolyPoints.at(Index); }

  // Set by the plot before each paint.
  TiPlotDataView* GetDataView() const { return FDataView; }
  void SetDataView(TiPlotDataView* Value) { FDataView = Value; }
  // The channel named by ChannelName, looked up once and kept.
  TiPlotChannelCustom* GetChannel();
  // Whether a coordinate is in channel units (else in data-view percent).
  bool UsesChannel(TCoordinate Coordinate) const;

  // Coordinates to pixels of the plot and back, by each one's reference;
  // a reference that cannot be resolved gives 0.
  int PositionXToPixels(double Value);
  int PositionYToPixels(double Value);
  double PixelsXToPosition(int Value);
  double PixelsYToPosition(int Value);
  int SizeXToPixels(double Value);
  int SizeYToPixels(double Value);
  // Sets the coordinates from a box in pixels of the plot, as a resize does.
  void SetFromPixelRect(int Left, int Top, int Right, int Bottom);

  // What the last paint drew.
  bool GetShowing() const { return FShowing; }
  TRect GetClickRect() const { return FClickRect; }
  TRect GetDrawRect() const { return FDrawRect; }
  // The corner handles: top-left, top-right, bottom-left, bottom-right.
  TRect GetHandleRect(int Corner) const { return FHandles[Corner]; }
  TiPlotAnnotationSelectStyle GetSelectStyle() const { return FSelectStyle; }

  void NotificationRemove(TObject* Sender) override;
  void NotificationRename(TObject* Sender) override;
  void NotificationSetFocus(TObject* Sender) override;
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;
  bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
  TCursor GetMouseCursor(TPoint APoint) override;

 protected:
  void DoMouseLeft(TiPlotMouseData& MouseData) override;
  void DoMouseMove(TiPlotMouseData& MouseData) override;
  void DoMouseUp(TiPlotMouseData& MouseData) override;

 private:
  enum TCorner { cTopLeft, cTopRight, cBottomLeft, cBottomRight };
  void SetCoordinate(double Value, double& Field);
  TiPlotComponent* Plot() const;
  bool Sizable() const;
  int ToPixels(bool AlongX, bool Channel, double Value);
  double ToPosition(bool AlongX, bool Channel, int Value);
  int SizeToPixels(bool AlongX, double Value);
  // Whether every reference the coordinates use can be resolved.
  bool ReferencesResolved();
  TRect TextBlock(TCanvas* Canvas, int PX, int PY, int Grow);
  void DrawTextIn(TCanvas* Canvas, const TRect& R);
  void DrawTextInBox(TCanvas* Canvas, const TRect& R);
  void SetOutline(TCanvas* Canvas, TColor BackGroundColor, bool Fill);
  void BoxFinish(TCanvas* Canvas, const TRect& R, const TRect& DV);
  void DrawImage(TCanvas* Canvas, int PX, int PY, const TRect& DV);

  TiPlotAnnotationStyle FStyle = ipasText;
  TiPlotReferenceType FReference = iprtDataView;
  TiPlotReferenceIndividual FReferences[4] = {ipriAuto, ipriAuto, ipriAuto, ipriAuto};
  TiPlotAnnotationSelectStyle FSelectStyle = ipassNone;
  TRect FHandles[4];
  std::vector<std::unique_ptr<TiPlotAnnotationPoint>> FPolyPoints;
  double FX = 0, FY = 0, FY2 = 0, FX2 = 0;
  double FWidth = 0, FHeight = 0;
  TColor FPenColor = clWhite;
  int FPenWidth = 1;
  TPenStyle FPenStyle = psSolid;
  TColor FBrushColor = clWhite;
  TBrushStyle FBrushStyle = bsSolid;
  std::string FText;
  std::unique_ptr<TFont> FFont;
  std::string FChannelName;
  TiPlotDataView* FDataView = nullptr;
  TiPlotChannelCustom* FChannel = nullptr;
  TiRotationAngle FTextRotation = ira000;
  bool FShowing = false;
  TRect FDrawRect;
  TRect FClickRect;
  bool FRectChange = false;
  bool FUserCanMove = false;
  bool FUserCanSize = false;
  bool FSelectModeOnlyInteraction = true;
  bool FClipToAxes = false;
  // A gesture of this annotation is in progress (the base's press flag
  // belongs to the plot's mouse-up event).
  bool FGestureDown = false;
  int FMouseDownX = 0, FMouseDownY = 0;
  double FMouseDownWidth = 0, FMouseDownHeight = 0;
  int FMouseDownPositionPixelsX = 0, FMouseDownPositionPixelsY = 0;
  TRect FMouseDownRect;
  std::unique_ptr<TBitmap> FImage;
  int FImageListIndex = 0;
  int FImageIndex = 0;
  TiAlignmentHorizontal FTextHorzAlignment = iahCenter;
  TiAlignmentVertical FTextVertAlignment = iavCenter;
  TiAlignmentHorizontal FTextLineAlignment = iahCenter;
  double FTextHorzMargin = 1;
  double FTextVertMargin = 1;
  bool FShowFocusRect = true;
  double FMouseDownXValue = 0, FMouseDownYValue = 0, FMouseDownX2Value = 0, FMouseDownY2Value = 0;
  int FOuterMargin = 0;
};
