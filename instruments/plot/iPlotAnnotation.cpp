#include "instruments/plot/iPlotAnnotation.h"

#include <algorithm>
#include <cmath>

#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotComponent.h"
#include "instruments/plot/iPlotMath.h"
#include "platform/classlib/ImgList.h"

namespace {
const TiRegisterProperties<TiPlotAnnotation, TiPlotObject> kProperties(
    [](TiPropertyBuilder<TiPlotAnnotation>& b) {
      using A = TiPlotAnnotation;
      b.Add("Style", &A::GetStyle, &A::SetStyle, ipasText, ipasRectangle2);
      b.Add("Reference", &A::GetReference, &A::SetReference, iprtDataView, iprtXDataViewYChannel);
      b.Add("ReferencePositionX", &A::GetReferencePositionX, &A::SetReferencePositionX, ipriAuto, ipriAuto);
      b.Add("ReferencePositionY", &A::GetReferencePositionY, &A::SetReferencePositionY, ipriAuto, ipriAuto);
      b.Add("ReferenceSizeX", &A::GetReferenceSizeX, &A::SetReferenceSizeX, ipriAuto, ipriAuto);
      b.Add("ReferenceSizeY", &A::GetReferenceSizeY, &A::SetReferenceSizeY, ipriAuto, ipriAuto);
      b.Add("X", &A::GetX, &A::SetX);
      b.Add("Y", &A::GetY, &A::SetY);
      b.Add("X2", &A::GetX2, &A::SetX2);
      b.Add("Y2", &A::GetY2, &A::SetY2);
      b.Add("Width", &A::GetWidth, &A::SetWidth);
      b.Add("Height", &A::GetHeight, &A::SetHeight);
      b.Add("PenColor", &A::GetPenColor, &A::SetPenColor, clWhite);
      b.Add("PenStyle", &A::GetPenStyle, &A::SetPenStyle, psSolid, psInsideFrame);
      b.Add("PenWidth", &A::GetPenWidth, &A::SetPenWidth, 1);
      b.Add("BrushColor", &A::GetBrushColor, &A::SetBrushColor, clWhite);
      b.Add("BrushStyle", &A::GetBrushStyle, &A::SetBrushStyle, bsSolid, bsDiagCross);
      b.Add("Text", &A::GetText, &A::SetText);
      b.Add("TextRotation", &A::GetTextRotation, &A::SetTextRotation, ira000, ira270);
      b.Add("TextHorzAlignment", &A::GetTextHorzAlignment, &A::SetTextHorzAlignment, iahCenter, iahRight);
      b.Add("TextVertAlignment", &A::GetTextVertAlignment, &A::SetTextVertAlignment, iavCenter, iavBottom);
      b.Add("TextLineAlignment", &A::GetTextLineAlignment, &A::SetTextLineAlignment, iahCenter, iahRight);
      b.Add("TextHorzMargin", &A::GetTextHorzMargin, &A::SetTextHorzMargin);
      b.Add("TextVertMargin", &A::GetTextVertMargin, &A::SetTextVertMargin);
      b.Object("Font", &A::GetFont);
      b.Add("OuterMargin", &A::GetOuterMargin, &A::SetOuterMargin, 0);
      b.Add("ImageListIndex", &A::GetImageListIndex, &A::SetImageListIndex, 0);
      b.Add("ImageIndex", &A::GetImageIndex, &A::SetImageIndex, 0);
      b.Add("ChannelName", &A::GetChannelName, &A::SetChannelName);
      b.Add("UserCanMove", &A::GetUserCanMove, &A::SetUserCanMove, 0);
      b.Add("UserCanSize", &A::GetUserCanSize, &A::SetUserCanSize, 0);
      b.Add("SelectModeOnlyInteraction", &A::GetSelectModeOnlyInteraction, &A::SetSelectModeOnlyInteraction,
            1);
      b.Add("ClipToAxes", &A::GetClipToAxes, &A::SetClipToAxes, 0);
      b.Add("ShowFocusRect", &A::GetShowFocusRect, &A::SetShowFocusRect, 1);
    });

constexpr int kHandle = 3;
constexpr int kLineGrab = 5;

bool Meets(const TRect& A, const TRect& B) {
  return !IntersectRect(A, B).IsEmpty();
}
}  // namespace

TiPlotAnnotation::TiPlotAnnotation(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                                   TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                   std::move(AOnRename)),
      FFont(std::make_unique<TFont>()) {
  FFont->SetName("Arial");
  FFont->SetColor(clWhite);
  FFont->OnChange = [this](TGraphicsObject*) { DoChange(); };
}

TiPlotAnnotation::~TiPlotAnnotation() = default;

TiPlotComponent* TiPlotAnnotation::Plot() const {
  return dynamic_cast<TiPlotComponent*>(GetOwner());
}

void TiPlotAnnotation::SetCoordinate(double Value, double& Field) {
  if (!(Field != Value)) return;
  Field = Value;
  DoChange();
  if (TiPlotComponent* plot = Plot()) plot->DoAnnotationCoordinatesChange(this);
}

void TiPlotAnnotation::SetChannelName(const std::string& Value) {
  if (Value == FChannelName) return;
  FChannelName = Value;
  FChannel = nullptr;
  DoChange();
}

void TiPlotAnnotation::SetImage(const TBitmap* Value) {
  iAssignOwnImage(FImage, Value);
  DoChange();
}

void TiPlotAnnotation::ImageClear() {
  if (!FImage) return;
  FImage.reset();
  DoChange();
}

void TiPlotAnnotation::ImageLoadFromFile(const std::string& FileName) {
  TBitmap loaded;
  loaded.LoadFromFile(FileName);
  SetImage(&loaded);
}

int TiPlotAnnotation::PolyPointAdd(double X, double Y) {
  auto p = std::make_unique<TiPlotAnnotationPoint>();
  p->X = X;
  p->Y = Y;
  FPolyPoints.push_back(std::move(p));
  return GetPolyPointsCount() - 1;
}

void TiPlotAnnotation::PolyPointsClear() {
  FPolyPoints.clear();
}

// ---------------------------------------------------------------- references and mapping

TiPlotChannelCustom* TiPlotAnnotation::GetChannel() {
  if (!FChannel)
    if (TiPlotMasterManager* m = iPlotMaster(dynamic_cast<IiPlotDataHost*>(GetOwner())))
      FChannel = static_cast<TiPlotChannelCustom*>(m->GetChannelManager()->GetObjectByName(FChannelName));
  return FChannel;
}

bool TiPlotAnnotation::UsesChannel(TCoordinate Coordinate) const {
  switch (FReferences[Coordinate]) {
    case ipriDataView:
      return false;
    case ipriChannel:
      return true;
    default:
      break;
  }
  if (FReference == iprtChannel) return true;
  const bool alongX = Coordinate == icPositionX || Coordinate == icSizeX;
  return FReference == (alongX ? iprtXChannelYDataView : iprtXDataViewYChannel);
}

int TiPlotAnnotation::ToPixels(bool AlongX, bool Channel, double Value) {
  if (!Channel) {
    if (!FDataView) return 0;
    // With exchanged axes X runs down the screen and Y across it.
    return AlongX != GetXYAxesReversed() ? FDataView->PositionPercentToPixelsX(Value)
                                         : FDataView->PositionPercentToPixelsY(Value);
  }
  TiPlotChannelCustom* c = GetChannel();
  if (!c || !c->GetXAxis() || !c->GetYAxis()) return 0;
  return AlongX ? c->GetXAxis()->PositionToPixels(Value) : c->GetYAxis()->PositionToPixels(Value);
}

double TiPlotAnnotation::ToPosition(bool AlongX, bool Channel, int Value) {
  if (!Channel) {
    if (!FDataView) return 0;
    return AlongX != GetXYAxesReversed() ? FDataView->PixelsXToPositionPercent(Value)
                                         : FDataView->PixelsYToPositionPercent(Value);
  }
  TiPlotChannelCustom* c = GetChannel();
  if (!c || !c->GetXAxis() || !c->GetYAxis()) return 0;
  return AlongX ? c->GetXAxis()->PixelsToPosition(Value) : c->GetYAxis()->PixelsToPosition(Value);
}

int TiPlotAnnotation::SizeToPixels(bool AlongX, double Value) {
  const bool channel = UsesChannel(AlongX ? icSizeX : icSizeY);
  if (!channel) return std::abs(ToPixels(AlongX, false, Value) - ToPixels(AlongX, false, 0));
  TiPlotChannelCustom* c = GetChannel();
  if (!c || !c->GetXAxis() || !c->GetYAxis()) return 0;
  TiPlotAxis* axis = AlongX ? static_cast<TiPlotAxis*>(c->GetXAxis()) : c->GetYAxis();
  return std::abs(axis->PositionToPixels(axis->GetMin() + Value) - axis->PositionToPixels(axis->GetMin()));
}

int TiPlotAnnotation::PositionXToPixels(double Value) {
  return ToPixels(true, UsesChannel(icPositionX), Value);
}

int TiPlotAnnotation::PositionYToPixels(double Value) {
  return ToPixels(false, UsesChannel(icPositionY), Value);
}

double TiPlotAnnotation::PixelsXToPosition(int Value) {
  return ToPosition(true, UsesChannel(icPositionX), Value);
}

double TiPlotAnnotation::PixelsYToPosition(int Value) {
  return ToPosition(false, UsesChannel(icPositionY), Value);
}

int TiPlotAnnotation::SizeXToPixels(double Value) {
  return SizeToPixels(true, Value);
}

int TiPlotAnnotation::SizeYToPixels(double Value) {
  return SizeToPixels(false, Value);
}

bool TiPlotAnnotation::ReferencesResolved() {
  bool view = false, channel = false;
  for (TCoordinate c : {icPositionX, icPositionY, icSizeX, icSizeY}) (UsesChannel(c) ? channel : view) = true;
  if (view && !FDataView) return false;
  if (channel) {
    TiPlotChannelCustom* c = GetChannel();
    if (!c || !c->GetXAxis() || !c->GetYAxis()) return false;
  }
  return true;
}

void TiPlotAnnotation::SetFromPixelRect(int Left, int Top, int Right, int Bottom) {
  // With exchanged axes X comes from the vertical edges' pixels.
  const bool reversed = GetXYAxesReversed();
  const int x1 = reversed ? Top : Left, x2 = reversed ? Bottom : Right;
  const int y1 = reversed ? Left : Top, y2 = reversed ? Right : Bottom;
  if (FStyle == ipasEllipse || FStyle == ipasRectangle2) {
    FX = PixelsXToPosition(x1);
    FY = PixelsYToPosition(y1);
    FX2 = PixelsXToPosition(x2);
    FY2 = PixelsYToPosition(y2);
  } else {
    FX = (PixelsXToPosition(x1) + PixelsXToPosition(x2)) / 2;
    FY = (PixelsYToPosition(y1) + PixelsYToPosition(y2)) / 2;
    const bool sx = UsesChannel(icSizeX), sy = UsesChannel(icSizeY);
    FWidth = std::abs(ToPosition(true, sx, x2) - ToPosition(true, sx, x1));
    FHeight = std::abs(ToPosition(false, sy, y2) - ToPosition(false, sy, y1));
  }
  FRectChange = true;
  DoChange();
  if (TiPlotComponent* plot = Plot()) plot->DoAnnotationCoordinatesChange(this);
}

// ---------------------------------------------------------------- notices

void TiPlotAnnotation::NotificationRemove(TObject* Sender) {
  if (static_cast<const void*>(Sender) == FDataView) FDataView = nullptr;
  if (static_cast<const void*>(Sender) == FChannel) FChannel = nullptr;
}

void TiPlotAnnotation::NotificationRename(TObject* Sender) {
  // The channel keeps its annotations under its new name.
  if (FChannel && static_cast<const void*>(Sender) == FChannel) FChannelName = FChannel->GetName();
}

void TiPlotAnnotation::NotificationSetFocus(TObject* Sender) {
  auto* other = dynamic_cast<TiPlotObject*>(Sender);
  if (other && other != this && other->GetUserSelected()) SetUserSelected(false);
}

// ---------------------------------------------------------------- drawing

bool TiPlotAnnotation::Sizable() const {
  switch (FStyle) {
    case ipasRectangle:
    case ipasRectangle2:
    case ipasTextRectangle:
    case ipasEllipse:
    case ipasEllipse2:
      return true;
    default:
      return false;
  }
}

void TiPlotAnnotation::SetOutline(TCanvas* Canvas, TColor BackGroundColor, bool Fill) {
  Canvas->Pen->SetColor(FPenColor);
  Canvas->Pen->SetWidth(FPenWidth);
  Canvas->Pen->SetStyle(FPenStyle);
  Canvas->Brush->SetColor(Fill ? FBrushColor : BackGroundColor);
  Canvas->Brush->SetStyle(Fill ? FBrushStyle : bsSolid);
  // The gaps of patterned pens and brushes show the background.
  Canvas->SetBkColor(BackGroundColor);
}

TRect TiPlotAnnotation::TextBlock(TCanvas* Canvas, int PX, int PY, int Grow) {
  int tw = MultiLineTextWidth(Canvas, FText);
  int th = MultiLineTextHeight(Canvas, FText);
  const int mx = iRound(Canvas->TextWidth("A") * FTextHorzMargin);
  const int my = iRound(Canvas->TextHeight("A") * FTextVertMargin);
  if (GetXYAxesReversed()) std::swap(PX, PY);
  if (FTextRotation == ira090 || FTextRotation == ira270) std::swap(tw, th);
  tw += 2 * Grow;
  th += 2 * Grow;
  TRect w(PX - tw / 2, PY - th / 2, PX - tw / 2 + tw, PY - th / 2 + th);
  const int dx = FTextHorzAlignment == iahLeft    ? tw / 2 + mx
                 : FTextHorzAlignment == iahRight ? -(tw / 2 + mx)
                                                  : 0;
  const int dy = FTextVertAlignment == iavTop      ? th / 2 + my
                 : FTextVertAlignment == iavBottom ? -(th / 2 + my)
                                                   : 0;
  return OffsetRect(w, dx, dy);
}

void TiPlotAnnotation::DrawTextIn(TCanvas* Canvas, const TRect& R) {
  Canvas->Brush->SetStyle(bsClear);
  TRect drawn;
  DrawRotatedText(Canvas, FText, R, drawn, clBtnFace, true, FTextLineAlignment, FTextRotation);
}

void TiPlotAnnotation::DrawTextInBox(TCanvas* Canvas, const TRect& R) {
  int tw = MultiLineTextWidth(Canvas, FText);
  int th = MultiLineTextHeight(Canvas, FText);
  const int mx = iRound(Canvas->TextWidth("0") * FTextHorzMargin);
  const int my = iRound(Canvas->TextHeight("A") * FTextVertMargin);
  if (FTextRotation == ira090 || FTextRotation == ira270) std::swap(tw, th);
  TRect t = R;
  if (FTextHorzAlignment == iahLeft) {
    t.Left = R.Left + mx;
    t.Right = t.Left + tw;
  } else if (FTextHorzAlignment == iahRight) {
    t.Right = R.Right - mx;
    t.Left = t.Right - tw;
  }
  if (FTextVertAlignment == iavTop) {
    t.Top = R.Top + my;
    t.Bottom = t.Top + th;
  } else if (FTextVertAlignment == iavBottom) {
    t.Bottom = R.Bottom - my;
    t.Top = t.Bottom - th;
  }
  DrawTextIn(Canvas, t);
}

void TiPlotAnnotation::BoxFinish(TCanvas* Canvas, const TRect& R, const TRect& DV) {
  FShowing = true;
  FDrawRect = R;
  FClickRect = IntersectRect(R, DV);
  const TPoint corners[4] = {TPoint(R.Left, R.Top), TPoint(R.Right, R.Top), TPoint(R.Left, R.Bottom),
                             TPoint(R.Right, R.Bottom)};
  for (int i = 0; i < 4; ++i)
    FHandles[i] = IntersectRect(
        TRect(corners[i].X - kHandle, corners[i].Y - kHandle, corners[i].X + kHandle, corners[i].Y + kHandle),
        DV);
  if (!GetUserSelected() || !FShowFocusRect) return;
  const TCopyMode saved = Canvas->GetCopyMode();
  Canvas->SetCopyMode(cmDstInvert);
  for (const TRect& h : FHandles)
    if (!h.IsEmpty()) Canvas->CopyRect(h, Canvas, h);
  Canvas->SetCopyMode(saved);
}

void TiPlotAnnotation::DrawImage(TCanvas* Canvas, int PX, int PY, const TRect& DV) {
  const TPoint at = PointSwapXY(GetXYAxesReversed(), PX, PY);
  if (FImage) {
    const int w = FImage->GetWidth(), h = FImage->GetHeight();
    const TRect r(at.X - w / 2, at.Y - h / 2, at.X - w / 2 + w, at.Y - h / 2 + h);
    if (!Meets(r, DV)) return;
    // The bottom-left pixel gives the colour left out.
    FImage->SetTransparentColor(FImage->GetCanvas()->GetPixels(0, h - 1));
    FImage->SetTransparent(true);
    Canvas->Draw(r.Left, r.Top, FImage.get());
    FShowing = true;
    FClickRect = r;
    return;
  }
  TiPlotComponent* plot = Plot();
  TCustomImageList* list =
      plot ? plot->GetImageList(FImageListIndex == 0 || FImageListIndex == 1 ? FImageListIndex : 2) : nullptr;
  if (!list) return;
  const int w = list->GetWidth(), h = list->GetHeight();
  const TRect r(at.X - w / 2, at.Y - h / 2, at.X - w / 2 + w, at.Y - h / 2 + h);
  if (!Meets(r, DV)) return;
  // A picture index outside the list draws nothing, but the place still takes clicks.
  list->Draw(Canvas, r.Left, r.Top, FImageIndex, GetEnabled());
  FShowing = true;
  FClickRect = r;
}

void TiPlotAnnotation::Draw(TCanvas* Canvas, TColor BackGroundColor) {
  FShowing = false;
  for (TRect& h : FHandles) h = TRect();
  if (!GetVisible() || !ReferencesResolved() || !FDataView) return;
  const bool reversed = GetXYAxesReversed();
  const int px = PositionXToPixels(FX), py = PositionYToPixels(FY);
  const int qx = PositionXToPixels(FX2), qy = PositionYToPixels(FY2);
  const int hw = SizeXToPixels(FWidth) / 2, hh = SizeYToPixels(FHeight) / 2;
  const int x1 = px - hw, x2 = px + hw, y1 = py - hh, y2 = py + hh;

  // Narrowed to the channel's axes; without a channel coordinate there are
  // no axes, and the painting's clip to the data view stands alone.
  TiPlotComponent* plot = Plot();
  const bool anyChannel =
      UsesChannel(icPositionX) || UsesChannel(icPositionY) || UsesChannel(icSizeX) || UsesChannel(icSizeY);
  if (anyChannel &&
      (FClipToAxes || (FReference == iprtChannel && plot && plot->GetClipAnnotationsToAxes()))) {
    TiPlotAxis* x = GetChannel()->GetXAxis();
    TiPlotAxis* y = GetChannel()->GetYAxis();
    const TRect r = NormalizedRectSwapXY(reversed, x->GetMinPixels(), y->GetMinPixels(), x->GetMaxPixels(),
                                         y->GetMaxPixels());
    Canvas->IntersectClipRect(TRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1));
  }

  const TRect dv = FDataView->GetDrawRect();
  Canvas->Font->Assign(FFont.get());
  switch (FStyle) {
    case ipasText: {
      const TRect w = TextBlock(Canvas, px, py, 0);
      if (!Meets(w, dv)) return;
      DrawTextIn(Canvas, w);
      FShowing = true;
      FClickRect = w;
      return;
    }
    case ipasTextBox: {
      const TRect w = TextBlock(Canvas, px, py, FOuterMargin);
      if (!Meets(w, dv)) return;
      SetOutline(Canvas, BackGroundColor, true);
      Canvas->Rectangle(w);
      DrawTextIn(Canvas, TRect(w.Left + FOuterMargin, w.Top + FOuterMargin, w.Right - FOuterMargin,
                               w.Bottom - FOuterMargin));
      FShowing = true;
      FClickRect = w;
      return;
    }
    case ipasLine: {
      const TPoint a = PointSwapXY(reversed, px, py), b = PointSwapXY(reversed, qx, qy);
      if (!SegmentIntersectsRect(a, b, dv)) return;
      SetOutline(Canvas, BackGroundColor, false);
      Canvas->Polyline({a, b});
      return;
    }
    case ipasLineX:
    case ipasLineY: {
      // A line across the whole data view at X (or at Y).
      const bool lineX = FStyle == ipasLineX;
      const int from = lineX ? (reversed ? dv.Right : dv.Top) : (reversed ? dv.Top : dv.Right);
      const int to = lineX ? (reversed ? dv.Left : dv.Bottom) : (reversed ? dv.Bottom : dv.Left);
      const TPoint a = lineX ? PointSwapXY(reversed, px, from) : PointSwapXY(reversed, from, py);
      const TPoint b = lineX ? PointSwapXY(reversed, px, to) : PointSwapXY(reversed, to, py);
      if (!SegmentIntersectsRect(a, b, dv)) return;
      SetOutline(Canvas, BackGroundColor, false);
      Canvas->Polyline({a, b});
      FShowing = true;
      FClickRect = lineX ? NormalizedRectSwapXY(reversed, px - kLineGrab, from, px + kLineGrab, to)
                         : NormalizedRectSwapXY(reversed, from, py - kLineGrab, to, py + kLineGrab);
      return;
    }
    case ipasImage:
      DrawImage(Canvas, px, py, dv);
      return;
    case ipasPolygon: {
      if (GetPolyPointsCount() < 2) return;
      std::vector<TPoint> points;
      for (const auto& p : FPolyPoints)
        points.push_back(PointSwapXY(reversed, PositionXToPixels(p->X), PositionYToPixels(p->Y)));
      TRect r(points[0].X, points[0].Y, points[0].X, points[0].Y);
      for (const TPoint& p : points) {
        r.Left = std::min(r.Left, p.X);
        r.Top = std::min(r.Top, p.Y);
        r.Right = std::max(r.Right, p.X);
        r.Bottom = std::max(r.Bottom, p.Y);
      }
      if (!Meets(r, dv)) return;
      SetOutline(Canvas, BackGroundColor, true);
      Canvas->Polygon(points);
      BoxFinish(Canvas, r, dv);
      return;
    }
    default:
      break;
  }
  // The box-shaped styles: centred on the anchor, or between two corners.
  const bool corners = FStyle == ipasRectangle2 || FStyle == ipasEllipse;
  const TRect r = corners ? NormalizedRectSwapXY(reversed, px, py, qx, qy)
                          : NormalizedRectSwapXY(reversed, x1, y1, x2, y2);
  if (!Meets(r, dv)) return;
  SetOutline(Canvas, BackGroundColor, true);
  if (FStyle == ipasEllipse || FStyle == ipasEllipse2)
    Canvas->Ellipse(r);
  else
    Canvas->Rectangle(r);
  BoxFinish(Canvas, r, dv);
  if (FStyle == ipasTextRectangle) DrawTextInBox(Canvas, r);
}

// ---------------------------------------------------------------- mouse

bool TiPlotAnnotation::iMouseHitTest(const TiPlotMouseData& MouseData) {
  auto* host = dynamic_cast<IiPlotDataHost*>(GetOwner());
  if (FSelectModeOnlyInteraction && !(host && host->GetToolBarSelectActive())) return false;
  if (!FShowing) return false;
  const TPoint p(MouseData.X, MouseData.Y);
  if (FClickRect.Contains(p)) return true;
  return std::any_of(std::begin(FHandles), std::end(FHandles), [&](const TRect& h) { return h.Contains(p); });
}

TCursor TiPlotAnnotation::GetMouseCursor(TPoint APoint) {
  TCursor cursor = crHandPoint;
  if (FUserCanSize && Sizable() && GetUserSelected()) {
    if (FHandles[cTopLeft].Contains(APoint) || FHandles[cBottomRight].Contains(APoint))
      cursor = crSizeNWSE;
    else if (FHandles[cTopRight].Contains(APoint) || FHandles[cBottomLeft].Contains(APoint))
      cursor = crSizeNESW;
  }
  if (auto* host = dynamic_cast<IiPlotDataHost*>(GetOwner())) host->DoObjectGetMouseCursor(this, cursor);
  return cursor;
}

void TiPlotAnnotation::DoMouseLeft(TiPlotMouseData& MouseData) {
  if (!FShowing) return;
  FSelectStyle = ipassNone;
  if (Sizable() && FUserCanSize) {
    const TPoint p(MouseData.X, MouseData.Y);
    const std::pair<TCorner, TiPlotAnnotationSelectStyle> order[] = {{cTopLeft, ipassSizeTopLeft},
                                                                     {cBottomRight, ipassSizeBottomRight},
                                                                     {cTopRight, ipassSizeTopRight},
                                                                     {cBottomLeft, ipassSizeBottomLeft}};
    for (const auto& [corner, style] : order)
      if (FHandles[corner].Contains(p)) {
        FSelectStyle = style;
        break;
      }
  }
  if (FSelectStyle == ipassNone && FUserCanMove) FSelectStyle = ipassMove;
  FGestureDown = true;
  FMouseDownRect = FDrawRect;
  FRectChange = false;
  FMouseDownXValue = FX;
  FMouseDownYValue = FY;
  FMouseDownX2Value = FX2;
  FMouseDownY2Value = FY2;
  FMouseDownWidth = FWidth;
  FMouseDownHeight = FHeight;
  FMouseDownX = MouseData.X;
  FMouseDownY = MouseData.Y;
  const TPoint anchor = PointSwapXY(GetXYAxesReversed(), PositionXToPixels(FX), PositionYToPixels(FY));
  FMouseDownPositionPixelsX = anchor.X;
  FMouseDownPositionPixelsY = anchor.Y;
}

void TiPlotAnnotation::DoMouseMove(TiPlotMouseData& MouseData) {
  if (!GetUserSelected() || !FGestureDown) return;
  const int dx = MouseData.X - FMouseDownX, dy = MouseData.Y - FMouseDownY;
  const int ax = FMouseDownPositionPixelsX + dx, ay = FMouseDownPositionPixelsY + dy;
  const bool reversed = GetXYAxesReversed();
  TiPlotComponent* plot = Plot();
  if (FSelectStyle == ipassMove) {
    const double nx = PixelsXToPosition(reversed ? ay : ax);
    const double ny = PixelsYToPosition(reversed ? ax : ay);
    SetX(nx);
    SetY(ny);
    // The corner styles keep their extent.
    if (FStyle == ipasEllipse || FStyle == ipasRectangle2) {
      SetX2(FMouseDownX2Value - FMouseDownXValue + nx);
      SetY2(FMouseDownY2Value - FMouseDownYValue + ny);
    }
    FRectChange = true;
    DoChange();
    if (plot) {
      plot->DoAnnotationMoveUser(this);
      plot->DoAnnotationCoordinatesChange(this);
    }
  } else if (FSelectStyle != ipassNone) {
    TRect r = FMouseDownRect;
    if (FSelectStyle == ipassSizeTopLeft || FSelectStyle == ipassSizeBottomLeft) r.Left += dx;
    if (FSelectStyle == ipassSizeTopRight || FSelectStyle == ipassSizeBottomRight) r.Right += dx;
    if (FSelectStyle == ipassSizeTopLeft || FSelectStyle == ipassSizeTopRight) r.Top += dy;
    if (FSelectStyle == ipassSizeBottomLeft || FSelectStyle == ipassSizeBottomRight) r.Bottom += dy;
    SetFromPixelRect(r.Left, r.Top, r.Right, r.Bottom);
    if (plot) plot->DoAnnotationResizeUser(this);
  }
  DoChange();
}

void TiPlotAnnotation::DoMouseUp(TiPlotMouseData& MouseData) {
  if (!FGestureDown) return;
  FGestureDown = false;
  if (iMouseHitTest(MouseData))
    if (auto* host = dynamic_cast<IiPlotDataHost*>(GetOwner())) host->DoObjectClick(this);
  if (FRectChange)
    if (TiPlotComponent* plot = Plot()) plot->DoAnnotationCoordinatesChangeFinished(this);
  FSelectStyle = ipassNone;
}
