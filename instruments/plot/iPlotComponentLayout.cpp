// The plot's layout pass: the visible layout objects stacked round the data
// view by z-order, their extents along the sides, and the data view's
// rectangle from the axes' scales.

#include <algorithm>

#include "instruments/plot/iPlotComponent.h"

namespace {

using TSideList = TiPlotLayoutManager::TSideList;

bool IsCartesian(const TiPlotLayoutObject* o) {
  auto* axis = dynamic_cast<const TiPlotAxis*>(o);
  return axis && axis->GetCartesianStyle() != ipcsNone;
}

// Step 2: which ends of each object abut a neighbour along the side.
void MarkStacking(const TSideList& List) {
  for (TiPlotLayoutObject* o : List) {
    o->SetStartStacked(false);
    o->SetStopStacked(false);
  }
  TiPlotLayoutObject* previous = nullptr;
  int zOrder = -1;
  for (TiPlotLayoutObject* o : List) {
    if (IsCartesian(o)) continue;
    if (o->GetForceStacking()) {
      o->SetStartStacked(true);
      o->SetStopStacked(true);
    } else if (o->GetZOrder() == zOrder) {
      if (previous) previous->SetStopStacked(true);
      o->SetStartStacked(true);
    } else {
      zOrder = o->GetZOrder();
    }
    previous = o;
  }
}

// Step 3: room beyond the start and stop ends of a side.
void EndMargins(const TSideList& List, TCanvas* Canvas, int& Start, int& Stop) {
  Start = Stop = 0;
  for (TiPlotLayoutObject* o : List) {
    if (IsCartesian(o)) continue;
    const int m = o->GetRequiredEndMargin(Canvas);
    if (!o->GetStartStacked()) Start = std::max(Start, m);
    if (!o->GetStopStacked()) Stop = std::max(Stop, m);
  }
}

// Step 4: the width of each z-order group of a side.
struct TGroup {
  int ZOrder;
  int Width;
};
std::vector<TGroup> Groups(const TSideList& List, TCanvas* Canvas) {
  std::vector<TGroup> groups;
  for (TiPlotLayoutObject* o : List) {
    // Asked of every object, so axes refresh what they cache.
    const int w = o->GetRequiredWidth(Canvas);
    auto it = std::find_if(groups.begin(), groups.end(),
                           [&](const TGroup& g) { return g.ZOrder == o->GetZOrder(); });
    if (it == groups.end()) it = groups.insert(groups.end(), {o->GetZOrder(), 0});
    if (!IsCartesian(o)) it->Width = std::max(it->Width, w);
  }
  return groups;
}

int Thickness(const std::vector<TGroup>& Groups) {
  int sum = 0;
  for (const TGroup& g : Groups) sum += g.Width;
  return sum;
}

int GroupWidth(const std::vector<TGroup>& Groups, int ZOrder) {
  for (const TGroup& g : Groups)
    if (g.ZOrder == ZOrder) return g.Width;
  return 0;
}

// Step 7: the objects of a side, group by group from the data view
// outward; Place gets the object, the edge nearest the data view and the
// group's width.
template <class It, class F>
void Stack(It First, It Last, const std::vector<TGroup>& Groups, F Place) {
  int offset = 0;
  int previousWidth = 0;
  bool started = false;
  int zOrder = 0;
  for (It it = First; it != Last; ++it) {
    TiPlotLayoutObject* o = *it;
    if (!started || o->GetZOrder() != zOrder) {
      if (started) offset += previousWidth;
      started = true;
      zOrder = o->GetZOrder();
      previousWidth = GroupWidth(Groups, zOrder);
    }
    Place(o, offset, previousWidth);
  }
}

}  // namespace

int TiPlotComponent::BorderWidth() const {
  return GetBorderStyle() != ibsNone ? 2 : 0;
}

void TiPlotComponent::CalcLayout(TCanvas* Canvas) {
  TiPlotLayoutManager* manager = GetLayoutManager();
  const int B = BorderWidth();
  const int width = GetWidth();
  const int height = GetHeight();

  // 1. Visible side lists.
  auto visible = [](const TSideList& from, TSideList& to) {
    to.clear();
    for (TiPlotLayoutObject* o : from)
      if (o->GetVisible()) to.push_back(o);
  };
  visible(manager->GetTopList(), FVisibleListTop);
  visible(manager->GetBottomList(), FVisibleListBottom);
  visible(manager->GetLeftList(), FVisibleListLeft);
  visible(manager->GetRightList(), FVisibleListRight);
  const TSideList* sides[] = {&FVisibleListTop, &FVisibleListBottom, &FVisibleListLeft, &FVisibleListRight};

  // 2. and 3.
  for (const TSideList* side : sides) MarkStacking(*side);
  int start[4], stop[4];
  for (int i = 0; i < 4; ++i) EndMargins(*sides[i], Canvas, start[i], stop[i]);

  // 4. and 5.
  std::vector<TGroup> groups[4];
  int thick[4];
  for (int i = 0; i < 4; ++i) {
    groups[i] = Groups(*sides[i], Canvas);
    thick[i] = Thickness(groups[i]);
  }
  enum { top, bottom, left, right };
  const int HS = std::max({0, start[top], start[bottom]});
  const int HE = std::max({0, stop[top], stop[bottom]});
  const int VS = std::max({0, start[left], start[right]});
  const int VE = std::max({0, stop[left], stop[right]});
  thick[left] = std::max(thick[left], HS);
  thick[right] = std::max(thick[right], HE);
  thick[top] = std::max(thick[top], VE);
  thick[bottom] = std::max(thick[bottom], VS);

  // 6. The data view between the sides; never of negative size on a
  // control too small for its objects.
  TRect dv;
  dv.Left = thick[left] + B + FOuterMarginLeft;
  dv.Right = width - (thick[right] + B + FOuterMarginRight) - 1;
  dv.Top = thick[top] + B + FOuterMarginTop;
  if (FVisibleListTop.size() == 1 && dynamic_cast<TiPlotToolBar*>(FVisibleListTop[0])) dv.Top += VE;
  dv.Bottom = height - (thick[bottom] + B + FOuterMarginBottom) - 1;
  dv.Right = std::max(dv.Right, dv.Left);
  dv.Bottom = std::max(dv.Bottom, dv.Top);

  // 7. Stacking across the sides.
  Stack(FVisibleListLeft.rbegin(), FVisibleListLeft.rend(), groups[left],
        [&](TiPlotLayoutObject* o, int offset, int w) {
          o->SetDrawLeft(dv.Left - offset - w);
          o->SetDrawRight(dv.Left - offset);
        });
  Stack(FVisibleListRight.begin(), FVisibleListRight.end(), groups[right],
        [&](TiPlotLayoutObject* o, int offset, int w) {
          o->SetDrawLeft(dv.Right + offset);
          o->SetDrawRight(dv.Right + offset + w);
        });
  Stack(FVisibleListTop.begin(), FVisibleListTop.end(), groups[top],
        [&](TiPlotLayoutObject* o, int offset, int w) {
          o->SetDrawTop(dv.Top - offset - w);
          o->SetDrawBottom(dv.Top - offset);
          // A toolbar above the data view sits at the control's top edge.
          if (dynamic_cast<TiPlotToolBar*>(o)) {
            o->SetDrawTop(B);
            o->SetDrawBottom(B + o->GetRequiredWidth(Canvas));
          }
        });
  Stack(FVisibleListBottom.rbegin(), FVisibleListBottom.rend(), groups[bottom],
        [&](TiPlotLayoutObject* o, int offset, int w) {
          o->SetDrawTop(dv.Bottom + offset);
          o->SetDrawBottom(dv.Bottom + offset + w);
        });

  // 8.
  TiPlotDataView* view = GetDataViewCount() > 0 ? GetDataView(0) : nullptr;
  if (view) view->SetDrawRect(dv);

  // 9. Extents along the sides.
  const int dvW = dv.Right - dv.Left;
  const int dvH = dv.Bottom - dv.Top;
  for (int i = 0; i < manager->Count(); ++i) {
    TiPlotLayoutObject* o = manager->GetItem(i);
    if (dynamic_cast<TiPlotDataView*>(o) || dynamic_cast<TiPlotDataViewLayout*>(o)) continue;
    const double startP = o->GetStartPercent() / 100;
    const double stopP = o->GetStopPercent() / 100;
    if (o->GetHorizontal()) {
      if (dynamic_cast<TiPlotToolBar*>(o)) {
        o->SetDrawLeft(iRound(startP * (width - 2 * B)) + B);
        o->SetDrawRight(iRound(stopP * (width - 2 * B)) + B - 1);
      } else if (dynamic_cast<TiPlotLabel*>(o)) {
        const int w = width - B - FOuterMarginLeft - FOuterMarginRight;
        o->SetDrawLeft(iRound(startP * w) + B + FOuterMarginLeft);
        o->SetDrawRight(iRound(stopP * w) + B + FOuterMarginLeft);
      } else {
        o->SetDrawLeft(iRound(dvW * startP) + dv.Left);
        o->SetDrawRight(iRound(dvW * stopP) + dv.Left);
      }
    } else if (!dynamic_cast<TiPlotToolBar*>(o)) {
      o->SetDrawTop(dv.Bottom - iRound(dvH * stopP));
      o->SetDrawBottom(dv.Bottom - iRound(dvH * startP));
    }
  }

  // 10. to 12. Cartesian and aligned axes.
  std::vector<TiPlotAxis*> axes;
  for (int i = 0; i < GetXAxisCount(); ++i) axes.push_back(GetXAxis(i));
  for (int i = 0; i < GetYAxisCount(); ++i) axes.push_back(GetYAxis(i));
  auto cartesianRef = [&](TiPlotAxis* a) -> TiPlotAxis* {
    if (dynamic_cast<TiPlotXAxis*>(a)) return GetYAxisByName(a->GetCartesianChildRefAxisName());
    return GetXAxisByName(a->GetCartesianChildRefAxisName());
  };
  auto alignRef = [&](TiPlotAxis* a) -> TiPlotAxis* {
    TiPlotAxis* r = dynamic_cast<TiPlotXAxis*>(a)
                        ? static_cast<TiPlotAxis*>(GetXAxisByName(a->GetAlignRefAxisName()))
                        : GetYAxisByName(a->GetAlignRefAxisName());
    return r == a ? nullptr : r;
  };
  for (TiPlotAxis* a : axes) {
    if (a->GetCartesianStyle() != ipcsMaster) continue;
    if (a->GetHorizontal())
      a->SetDrawRect(TRect(dv.Left, (dv.Top + dv.Bottom) / 2, dv.Right, (dv.Top + dv.Bottom) / 2));
    else
      a->SetDrawRect(TRect((dv.Left + dv.Right) / 2, dv.Top, (dv.Left + dv.Right) / 2, dv.Bottom));
  }
  for (TiPlotAxis* a : axes) {
    if (a->GetCartesianStyle() != ipcsChild) continue;
    TiPlotAxis* ref = cartesianRef(a);
    if (!ref) {
      a->SetDrawRect(TRect(0, 0, 0, 0));
      continue;
    }
    const int p = ref->PositionToPixels(a->GetCartesianChildRefValue());
    if (a->GetHorizontal())
      a->SetDrawRect(TRect(dv.Left, p, dv.Right, p));
    else
      a->SetDrawRect(TRect(p, dv.Top, p, dv.Bottom));
  }
  for (TiPlotAxis* a : axes) {
    TiPlotAxis* ref = alignRef(a);
    if (!ref) continue;
    if (a->GetHorizontal()) {
      a->SetDrawLeft(ref->GetDrawRect().Left);
      a->SetDrawRight(ref->GetDrawRect().Right);
    } else {
      a->SetDrawTop(ref->GetDrawRect().Top);
      a->SetDrawBottom(ref->GetDrawRect().Bottom);
    }
    a->SetStartStacked(ref->GetStartStacked());
    a->SetStopStacked(ref->GetStopStacked());
    a->UpdateScaleRect(Canvas);
  }

  // 13. The data view spans the axes' scales; a direction without axes
  // keeps the rectangle of step 6.
  for (TiPlotAxis* a : axes) a->UpdateScaleRect(Canvas);
  if (!view) return;
  TRect final = dv;
  const bool reverse = GetXYAxesReverse();
  const int across = reverse ? GetXAxisCount() : GetYAxisCount();
  const int along = reverse ? GetYAxisCount() : GetXAxisCount();
  if (across > 0) {
    final.Top = height;
    final.Bottom = 0;
  }
  if (along > 0) {
    final.Left = width;
    final.Right = 0;
  }
  for (TiPlotAxis* a : axes) {
    const bool x = dynamic_cast<TiPlotXAxis*>(a) != nullptr;
    const TRect s = a->GetScaleRect();
    if (x != reverse) {
      final.Left = std::min(final.Left, s.Left);
      final.Right = std::max(final.Right, s.Right);
    } else {
      final.Top = std::min(final.Top, s.Top);
      final.Bottom = std::max(final.Bottom, s.Bottom);
    }
  }
  view->SetDrawRect(final);
}

void TiPlotComponent::ReCalcLayout() {
  auto bitmap = std::make_unique<TBitmap>(std::max(GetWidth(), 1), std::max(GetHeight(), 1));
  iPaintToCanvas(bitmap->GetCanvas());
}
