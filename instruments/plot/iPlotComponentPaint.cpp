// The plot's one paint pass: ticks and layout, background, the objects
// inside the data view in layer order under its clip, then the objects
// round it, cursors, legends and the hint box.

#include <algorithm>
#include <cctype>

#include "instruments/plot/iPlotComponent.h"

namespace {

int AnsiCompareText(const std::string& A, const std::string& B) {
  for (size_t i = 0; i < A.size() && i < B.size(); ++i) {
    const int a = std::tolower(static_cast<unsigned char>(A[i]));
    const int b = std::tolower(static_cast<unsigned char>(B[i]));
    if (a != b) return a - b;
  }
  return static_cast<int>(A.size()) - static_cast<int>(B.size());
}

bool Intersects(const TRect& A, const TRect& B) {
  return !IntersectRect(A, B).IsEmpty();
}

// The smallest rectangle holding both; an empty one adds nothing.
TRect Union(const TRect& A, const TRect& B) {
  if (A.IsEmpty()) return B;
  if (B.IsEmpty()) return A;
  return TRect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
               std::max(A.Bottom, B.Bottom));
}

// Removes the clip when the scope ends, also when drawing fails.
struct TClipScope {
  TCanvas* Canvas;
  ~TClipScope() { Canvas->ResetClipRect(); }
};

}  // namespace

std::string TiPlotComponent::LayerKey(const TiPlotObject* Object, char Kind) {
  return Object->GetLayerSortKey() + Kind;
}

void TiPlotComponent::AddLayerObject(const std::string& Key, TiPlotObject* Object) {
  // Case-insensitive order; an equal key goes before those listed.
  auto at =
      std::lower_bound(FLayerList.begin(), FLayerList.end(), Key,
                       [](const auto& e, const std::string& k) { return AnsiCompareText(e.first, k) < 0; });
  FLayerList.insert(at, {Key, Object});
}

std::vector<TiPlotObject*> TiPlotComponent::GetLayerObjects() const {
  std::vector<TiPlotObject*> result;
  for (const auto& e : FLayerList) result.push_back(e.second);
  return result;
}

void TiPlotComponent::AddAxesCollisionRect(const TRect& ARect) {
  FAxesCollisionList.push_back(ARect);
}

bool TiPlotComponent::TryAddAxesCollisionRect(const TRect& ARect) {
  if (!FAxesCollisionList.empty()) {
    const TRect view = GetDataViewCount() > 0 ? GetDataView(0)->GetDrawRect() : TRect();
    for (const TRect& r : FAxesCollisionList) {
      if (Intersects(ARect, r)) return false;
      if (!(Union(ARect, view) == view)) return false;
    }
  }
  FAxesCollisionList.push_back(ARect);
  return true;
}

void TiPlotComponent::iPaintToCanvas(TCanvas* Canvas) {
  struct TActive {
    bool& Flag;
    explicit TActive(bool& f) : Flag(f) { Flag = true; }
    ~TActive() { Flag = false; }
  } active(FPaintingActive);
  if (GetToolBarCount() == 0 || GetLegendCount() == 0 || GetDataViewCount() == 0) return;
  TiPlotDataView* view = GetDataView(0);
  const TColor layerColor =
      view->GetBackgroundTransparent() ? GetBackGroundColor() : view->GetBackgroundColor();

  FAxesCollisionList.clear();
  FLayerList.clear();

  // Cursors compute their values; one on all channels lists them in the legend.
  TiPlotLegend* legend = GetLegend(0);
  legend->SetCursorAllChannels(false);
  for (int i = 0; i < GetDataCursorCount(); ++i) {
    TiPlotDataCursor* cursor = GetDataCursor(i);
    cursor->UpdateValues();
    if (cursor->GetVisible() && cursor->GetAllChannels() && cursor->GetChannelShowAllInLegend())
      legend->SetCursorAllChannels(true);
  }

  // Ticks, then the layout twice (the second pass sees the axis widths the
  // first one's rectangles give), then the ticks for the final lengths.
  auto ticks = [&] {
    for (int i = 0; i < GetXAxisCount(); ++i) GetXAxis(i)->CalcTicks(Canvas);
    for (int i = 0; i < GetYAxisCount(); ++i) GetYAxis(i)->CalcTicks(Canvas);
  };
  ticks();
  CalcLayout(Canvas);
  CalcLayout(Canvas);
  ticks();
  for (int i = 0; i < GetChannelCount(); ++i) GetChannel(i)->UpdateCanDraw();
  for (int i = 0; i < GetXAxisCount(); ++i) GetXAxis(i)->UpdateCanDraw();
  for (int i = 0; i < GetYAxisCount(); ++i) GetYAxis(i)->UpdateCanDraw();
  for (int i = 0; i < GetAnnotationCount(); ++i) {
    GetAnnotation(i)->SetDataView(view);
    GetAnnotation(i)->SetXYAxesReversed(GetXYAxesReverse());
  }
  for (int i = 0; i < GetDataCursorCount(); ++i) GetDataCursor(i)->SetDataView(view);

  // Background.
  if (FBackGroundGradientEnabled) {
    Canvas->ResetClipRect();
    Canvas->SetClipRect(Rect(0, 0, GetWidth(), GetHeight()));
    FillGradient(Canvas, Rect(0, 0, GetWidth(), GetHeight()), FBackGroundGradientDirection,
                 FBackGroundGradientStartColor, FBackGroundGradientStopColor);
    Canvas->ResetClipRect();
  } else {
    DrawBackGround(Canvas, GetBackGroundColor());
  }
  view->DrawBackground(Canvas);

  // The objects inside the data view, by layer then kind.
  // Filled limits go beneath the grid, the others above it.
  for (int i = 0; i < GetLimitCount(); ++i)
    AddLayerObject(LayerKey(GetLimit(i), GetLimit(i)->IsFilled() ? 'A' : 'C'), GetLimit(i));
  AddLayerObject(LayerKey(view, 'B'), view);
  for (int i = 0; i < GetYAxisCount(); ++i)
    if (GetYAxis(i)->GetCartesianStyle() != ipcsNone) AddLayerObject(LayerKey(GetYAxis(i), 'D'), GetYAxis(i));
  for (int i = 0; i < GetXAxisCount(); ++i)
    if (GetXAxis(i)->GetCartesianStyle() != ipcsNone) AddLayerObject(LayerKey(GetXAxis(i), 'E'), GetXAxis(i));
  for (int i = 0; i < GetChannelCount(); ++i)
    if (GetChannel(i)->GetCanDraw()) AddLayerObject(LayerKey(GetChannel(i), 'F'), GetChannel(i));
  for (int i = 0; i < GetAnnotationCount(); ++i)
    AddLayerObject(LayerKey(GetAnnotation(i), 'G'), GetAnnotation(i));
  PaintLayers(Canvas, layerColor);
  view->DrawZoomBox(Canvas);

  DrawOuterObjects(Canvas);
  for (int i = 0; i < GetDataCursorCount(); ++i) GetDataCursor(i)->Draw(Canvas, layerColor);
  for (int i = 0; i < GetLegendCount(); ++i) GetLegend(i)->Draw(Canvas, GetBackGroundColor());
  for (int i = 0; i < GetTableCount(); ++i) GetTable(i)->Draw(Canvas, GetBackGroundColor());
  DrawHint(Canvas);
  FPaintingActive = false;
  if (OnAfterPaint) OnAfterPaint(this);
}

void TiPlotComponent::PaintLayers(TCanvas* Canvas, TColor LayerColor) {
  const TRect r = GetDataView(0)->GetDrawRect();
  for (const auto& [key, object] : FLayerList) {
    TClipScope scope{Canvas};
    Canvas->SetClipRect(Rect(r.Left, r.Top, r.Right + 1, r.Bottom + 1));
    object->Draw(Canvas, LayerColor);
  }
}

void TiPlotComponent::DrawOuterObjects(TCanvas* Canvas) {
  Canvas->Brush->SetColor(GetBackGroundColor());
  Canvas->Brush->SetStyle(bsSolid);
  DrawBorder(Canvas);
  for (int i = 0; i < GetXAxisCount(); ++i)
    if (GetXAxis(i)->GetCartesianStyle() == ipcsNone) GetXAxis(i)->Draw(Canvas, GetBackGroundColor());
  for (int i = 0; i < GetYAxisCount(); ++i)
    if (GetYAxis(i)->GetCartesianStyle() == ipcsNone) GetYAxis(i)->Draw(Canvas, GetBackGroundColor());
  for (int i = 0; i < GetLabelCount(); ++i) GetLabel(i)->Draw(Canvas, GetBackGroundColor());
  for (int i = 0; i < GetToolBarCount(); ++i) GetToolBar(i)->Draw(Canvas, GetBackGroundColor());
}

void TiPlotComponent::DrawHint(TCanvas* Canvas) {
  FHintShowing = FHintData.Visible;
  if (!FHintData.Visible) return;
  Canvas->Font->Assign(FHintsFont.get());
  Canvas->Brush->SetColor(clInfoBk);
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Font->SetColor(clInfoText);
  Canvas->Pen->SetStyle(psClear);
  const TRect box(FHintData.Left, FHintData.Top, FHintData.Left + FHintData.Width,
                  FHintData.Top + FHintData.Height);
  Canvas->FillRect(box);
  TRect textRect;
  DrawRotatedText(Canvas, FHintData.Text, box, textRect, clInfoBk, true, iahCenter, ira000);
}
