#include "instruments/editors/iPlotLayoutViewer.h"

#include <cstdlib>

#include "instruments/base/iDrawing.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotDataView.h"
#include "instruments/plot/iPlotLabel.h"
#include "instruments/plot/iPlotLegend.h"
#include "instruments/plot/iPlotTable.h"
#include "instruments/plot/iPlotToolBar.h"
#include "instruments/plot/iPlotTranslationManager.h"

namespace {

bool IsAxis(const TObject* o) {
  return dynamic_cast<const TiPlotAxis*>(o) != nullptr;
}
bool IsLabel(const TObject* o) {
  return dynamic_cast<const TiPlotLabel*>(o) != nullptr;
}
bool IsLegend(const TObject* o) {
  return dynamic_cast<const TiPlotLegend*>(o) != nullptr;
}
bool IsDataView(const TObject* o) {
  return dynamic_cast<const TiPlotDataView*>(o) != nullptr;
}
bool IsPlaceHolder(const TObject* o) {
  return dynamic_cast<const TiPlotDataViewLayout*>(o) != nullptr;
}
// The objects whose ends can be dragged.
bool IsSizable(const TObject* o) {
  return IsAxis(o) || IsLabel(o) || IsLegend(o) || dynamic_cast<const TiPlotTable*>(o);
}
// Pairs that can share a slot side by side.
bool Mergeable(const TObject* a, const TObject* b) {
  return (IsAxis(a) && IsAxis(b)) || ((IsLabel(a) || IsLegend(a)) && IsLabel(b)) ||
         (IsLabel(a) && IsLegend(b));
}

TRect Normalized(int L, int T, int R, int B) {
  return TRect(std::min(L, R), std::min(T, B), std::max(L, R), std::max(T, B));
}

bool Holds(const TRect& R, int X, int Y) {
  return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

}  // namespace

TiPlotLayoutViewer::TiPlotLayoutViewer(TComponent* AOwner)
    : TiCustomComponent(AOwner), FFont(std::make_unique<TFont>()) {
  FFont->SetName("Arial");
  FFont->SetSize(10);
}

TiPlotLayoutViewer::~TiPlotLayoutViewer() = default;

void TiPlotLayoutViewer::ForgetObject(const TObject* AObject) {
  for (TiPlotLayoutObject** p : {&FSelectedBlock, &FResizeBlock, &FOverLayoutObject})
    if (*p == AObject) *p = nullptr;
  if (!FSelectedBlock) {
    FMouseDown = false;
    FEditMode = ilemNone;
    FDragOverRefBlock2 = nullptr;
  }
}

// ---------------------------------------------------------------- layout

void TiPlotLayoutViewer::CalcLayout(TCanvas* Canvas) {
  FViewRect = TRect(5, 5, GetWidth() - 5, GetHeight() - 5);
  if (!FLayoutManager) return;
  Canvas->GetFont()->Assign(FFont.get());
  const int c = iRound(1.1 * Canvas->TextHeight("ABC"));
  FCellWidth = c;
  auto cells = [c](int n) { return iRound(n * static_cast<double>(c)); };
  const int left = FLayoutManager->GetLeftUniqueCount(), right = FLayoutManager->GetRightUniqueCount();
  const int top = FLayoutManager->GetTopUniqueCount(), bottom = FLayoutManager->GetBottomUniqueCount();
  FDataViewRect = TRect(FViewRect.Left + cells(left), FViewRect.Top + cells(top),
                        FViewRect.Right - cells(right), FViewRect.Bottom - cells(bottom));
  FDataViewWidth = FDataViewRect.Right - FDataViewRect.Left;
  FDataViewHeight = FDataViewRect.Bottom - FDataViewRect.Top;
  const TRect& dv = FDataViewRect;

  // While a drag targets a slot the slots stay as they are.
  if (!FDragOverRefBlock2) {
    FBlockList.clear();
    auto add = [this](TRect R, int Z, bool Horizontal, bool DataView, bool ToolBar) {
      auto b = std::make_unique<TBlockObject>();
      b->ARect = Normalized(R.Left, R.Top, R.Right, R.Bottom);
      b->ZOrder = Z;
      b->Horizontal = Horizontal;
      b->DataView = DataView;
      b->ToolBar = ToolBar;
      FBlockList.push_back(std::move(b));
    };
    int z = 0;
    for (int d = 0; d < left; ++d, ++z)
      add(TRect(FViewRect.Left + cells(d), dv.Top, FViewRect.Left + cells(d + 1), dv.Bottom), z, false, false,
          false);
    add(dv, z++, false, true, false);
    for (int d = 0; d < right; ++d, ++z)
      add(TRect(dv.Right + cells(d), dv.Top, dv.Right + cells(d + 1), dv.Bottom), z, false, false, false);
    z = top + bottom;
    for (int i = 0; i < top; ++i, --z)
      add(TRect(FViewRect.Left, FViewRect.Top + cells(i), FViewRect.Right, FViewRect.Top + cells(i + 1)), z,
          true, false, i == 0);
    add(dv, z--, true, true, false);
    for (int d = 0; d < bottom; ++d, --z)
      add(TRect(FViewRect.Left, dv.Bottom + cells(d), FViewRect.Right, dv.Bottom + cells(d + 1)), z, true,
          false, false);
  }

  const int h = FLayoutManager->GetDataViewHorz()->GetZOrder();
  const int v = FLayoutManager->GetDataViewVert()->GetZOrder();
  const int viewWidth = FViewRect.Right - FViewRect.Left;
  for (int i = 0; i < FLayoutManager->Count(); ++i) {
    TiPlotLayoutObject* o = FLayoutManager->GetItem(i);
    if (IsDataView(o) || IsPlaceHolder(o)) {
      o->SetLayoutRect(dv);
      continue;
    }
    const int zo = o->GetZOrder();
    const double start = o->GetStartPercent(), stop = o->GetStopPercent();
    if (o->GetHorizontal()) {
      int t, b;
      if (zo > h) {
        t = dv.Top - cells(zo - h);
        b = dv.Top - cells(zo - h - 1);
      } else {
        t = dv.Bottom + cells(h - zo - 1);
        b = dv.Bottom + cells(h - zo);
      }
      int l, r;
      if (IsAxis(o)) {
        l = iRound(FDataViewWidth * start / 100 + dv.Left);
        r = iRound(FDataViewWidth * stop / 100 + dv.Left);
      } else {
        l = FViewRect.Left + iRound(viewWidth * start / 100);
        r = FViewRect.Left + iRound(viewWidth * stop / 100);
      }
      o->SetLayoutRect(Normalized(l, t, r, b));
    } else {
      int l, r;
      if (zo > v) {
        l = dv.Right + cells(zo - v - 1);
        r = dv.Right + cells(zo - v);
      } else {
        l = dv.Left - cells(v - zo);
        r = dv.Left - cells(v - zo - 1);
      }
      const int t = dv.Bottom - iRound(FDataViewHeight * stop / 100);
      const int b = dv.Bottom - iRound(FDataViewHeight * start / 100);
      o->SetLayoutRect(Normalized(l, t, r, b));
    }
  }
}

void TiPlotLayoutViewer::iPaintToCanvas(TCanvas* Canvas) {
  CalcLayout(Canvas);
  DrawBackground(Canvas);
  if (FLayoutManager) DrawBlocks(Canvas);
}

void TiPlotLayoutViewer::DrawBackground(TCanvas* Canvas) {
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->GetBrush()->SetColor(clBlue);
  Canvas->GetPen()->SetColor(clBlue);
  Canvas->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
  Canvas->GetBrush()->SetColor(clWhite);
  Canvas->GetPen()->SetColor(clWhite);
  Canvas->FillRect(FViewRect);
}

void TiPlotLayoutViewer::DrawBlocks(TCanvas* Canvas) {
  Canvas->GetPen()->SetColor(clBlack);
  Canvas->GetPen()->SetStyle(psClear);
  Canvas->GetFont()->Assign(FFont.get());
  for (int i = 0; i < FLayoutManager->Count(); ++i) {
    TiPlotLayoutObject* o = FLayoutManager->GetItem(i);
    // The horizontal place holder, named "Data View", labels the data view.
    if (IsDataView(o) || o == FLayoutManager->GetDataViewVert()) continue;
    const bool dragged = o == FSelectedBlock && FEditMode == ilemDrag;
    Canvas->GetBrush()->SetColor(dragged ? clYellow : clSilver);
    Canvas->GetBrush()->SetStyle(o->GetVisible() ? bsSolid : bsDiagCross);
    const TRect r = o->GetLayoutRect();
    Canvas->Rectangle(r);
    Canvas->GetBrush()->SetStyle(bsClear);
    const std::string text =
        FTranslationManager ? FTranslationManager->FindReplacement(o->GetName()) : o->GetName();
    TRect textRect;
    DrawRotatedText(Canvas, text, r, textRect, GetBackGroundColor(), true, iahCenter,
                    o->GetHorizontal() ? ira000 : ira090);
  }

  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->GetPen()->SetStyle(psSolid);
  Canvas->GetPen()->SetColor(clBlack);
  Canvas->GetPen()->SetWidth(2);
  const int c = FCellWidth;
  if (FOverLayoutObject) {
    Canvas->Rectangle(FOverLayoutObject->GetLayoutRect());
  } else if (const TBlockObject* b = FDragOverRefBlock2) {
    TRect r = b->ARect;
    int dx = 0, dy = 0;
    if (b->Horizontal) {
      if (FInsertDirection == iidBelow) dy = c / 2;
      if (FInsertDirection == iidAbove) dy = -(c / 2 - 1);
    } else {
      if (FInsertDirection == iidBelow) dx = -(c / 2);
      if (FInsertDirection == iidAbove) dx = c / 2 + 1;
    }
    r = TRect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
    if (b->DataView && FInsertDirection != iidMerge) {
      if (b->Horizontal) {
        if (FInsertDirection == iidBelow)
          r.Top = r.Bottom - c;
        else
          r.Bottom = r.Top + c;
        r.Left = FViewRect.Left;
        r.Right = FViewRect.Right;
      } else if (FInsertDirection == iidBelow) {
        r.Right = r.Left + c;
      } else {
        r.Left = r.Right - c;
      }
    }
    Canvas->Rectangle(r);
  }
  Canvas->GetPen()->SetWidth(1);
}

// ---------------------------------------------------------------- hit tests

TiPlotLayoutObject* TiPlotLayoutViewer::GetMouseOverBlock(int X, int Y) const {
  if (!FLayoutManager) return nullptr;
  for (int i = 0; i < FLayoutManager->Count(); ++i) {
    TiPlotLayoutObject* o = FLayoutManager->GetItem(i);
    if (IsPlaceHolder(o)) continue;
    if (Holds(o->GetLayoutRect(), X, Y)) return o;
  }
  return nullptr;
}

const TBlockObject* TiPlotLayoutViewer::GetMouseOverBlock2(int X, int Y) const {
  const int c = FCellWidth;
  for (const auto& block : FBlockList) {
    const TRect& r = block->ARect;
    if (!Holds(r, X, Y)) continue;
    if (block->DataView) {
      const bool nearEdge =
          block->Horizontal ? (Y < r.Top + c || Y >= r.Bottom - c) : (X < r.Left + c || X >= r.Right - c);
      if (!nearEdge) continue;
    } else if (block->ToolBar && Y < (r.Top + r.Bottom) / 2) {
      continue;
    }
    return block.get();
  }
  return nullptr;
}

TiPlotLayoutObject* TiPlotLayoutViewer::FindSlotObject(const TiPlotLayoutObject* AObject, bool Horizontal,
                                                       int ZOrder) const {
  if (!FLayoutManager) return nullptr;
  const TiPlotLayoutObject* otherPlaceHolder =
      Horizontal ? static_cast<TiPlotLayoutObject*>(FLayoutManager->GetDataViewVert())
                 : static_cast<TiPlotLayoutObject*>(FLayoutManager->GetDataViewHorz());
  for (int i = 0; i < FLayoutManager->Count(); ++i) {
    TiPlotLayoutObject* o = FLayoutManager->GetItem(i);
    if (o == AObject || IsDataView(o) || o == otherPlaceHolder) continue;
    if (o->GetHorizontal() == Horizontal && o->GetZOrder() == ZOrder) return o;
  }
  return nullptr;
}

// ---------------------------------------------------------------- mouse

void TiPlotLayoutViewer::iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TiCustomComponent::iMouseDown(Button, Shift, X, Y);
  TiPlotLayoutObject* o = GetMouseOverBlock(X, Y);
  if (!o || IsDataView(o) || dynamic_cast<TiPlotToolBar*>(o)) return;
  FSelectedBlock = o;
  FMouseDown = true;
  FMouseDownX = X;
  FMouseDownY = Y;
  if (!Shift.Contains(ssLeft)) FInsertDirection = iidMerge;
  if (FResizeBlock) {
    FEditMode = ilemSize;
    FMouseDownStartPercent = o->GetStartPercent();
    FMouseDownStopPercent = o->GetStopPercent();
  } else {
    FEditMode = ilemDrag;
  }
  InvalidateChange();
}

void TiPlotLayoutViewer::ArmResize(TiPlotLayoutObject* O, int X, int Y) {
  if (!O) {
    FResizeBlock = nullptr;
    return;
  }
  if (!IsSizable(O)) return;
  const TRect r = O->GetLayoutRect();
  bool armed = true;
  if (O->GetHorizontal()) {
    if (std::abs(r.Left - X) < 7)
      FSizingSide = ilssStart;
    else if (std::abs(r.Right - X) < 7)
      FSizingSide = ilssStop;
    else
      armed = false;
    if (armed) SetCursor(crSizeWE);
  } else {
    if (std::abs(r.Bottom - Y) < 7)
      FSizingSide = ilssStart;
    else if (std::abs(r.Top - Y) < 7)
      FSizingSide = ilssStop;
    else
      armed = false;
    if (armed) SetCursor(crSizeNS);
  }
  FResizeBlock = armed ? O : nullptr;
}

void TiPlotLayoutViewer::ChooseSlot(const TBlockObject* B, int X, int Y) {
  TiPlotLayoutObject* s = FSelectedBlock;
  // An axis keeps its orientation.
  if (IsAxis(s) && B->Horizontal != s->GetHorizontal()) return;
  TiPlotLayoutObject* t = FindSlotObject(s, B->Horizontal, B->ZOrder);
  FDragOverRefBlock2 = B;
  if (!t) return;
  const TRect& r = B->ARect;
  const int h = r.Bottom - r.Top, w = r.Right - r.Left;
  if (B->ToolBar) {
    // Only a new row below the tool bar, from the row's lower third.
    if (Y > r.Top + 2 * h / 3)
      FInsertDirection = iidBelow;
    else
      FDragOverRefBlock2 = nullptr;
  } else if (Mergeable(s, t)) {
    if (B->Horizontal)
      FInsertDirection = Y > r.Top + 2 * h / 3 ? iidBelow : (Y > r.Top + h / 3 ? iidMerge : iidAbove);
    else
      FInsertDirection = X < r.Left + w / 3 ? iidBelow : (X < r.Left + 2 * w / 3 ? iidMerge : iidAbove);
  } else if (B->Horizontal) {
    FInsertDirection = Y > r.Top + h / 2 ? iidBelow : iidAbove;
  } else {
    FInsertDirection = X < r.Left + w / 2 ? iidBelow : iidAbove;
  }
}

void TiPlotLayoutViewer::iMouseMove(TShiftState Shift, int X, int Y) {
  TiCustomComponent::iMouseMove(Shift, X, Y);
  SetCursor(crDefault);
  if (FEditMode == ilemDrag && !Shift.Contains(ssLeft)) return;
  FOverLayoutObject = nullptr;
  FDragOverRefBlock2 = nullptr;
  TiPlotLayoutObject* o = GetMouseOverBlock(X, Y);
  const TBlockObject* b = GetMouseOverBlock2(X, Y);
  if (FEditMode == ilemNone) {
    ArmResize(o, X, Y);
  } else if (FEditMode == ilemDrag && FMouseDown && FSelectedBlock) {
    TiPlotLayoutObject* s = FSelectedBlock;
    if (o && !IsDataView(o) && o != s && o->GetHorizontal() == s->GetHorizontal() &&
        o->GetZOrder() == s->GetZOrder())
      FOverLayoutObject = o;
    if (b) ChooseSlot(b, X, Y);
  } else if (FEditMode == ilemSize && FMouseDown && FResizeBlock) {
    // A data view without width or height gives no scale to drag against.
    const bool vertical = !FResizeBlock->GetHorizontal();
    const int extent = vertical ? FDataViewHeight : FDataViewWidth;
    if (extent > 0) {
      double d = vertical ? (FMouseDownY - Y) / static_cast<double>(extent) * 100
                          : (X - FMouseDownX) / static_cast<double>(extent) * 100;
      d = iRound(d / 1.25) * 1.25;
      if (FSizingSide == ilssStart)
        FResizeBlock->SetStartPercent(FMouseDownStartPercent + d);
      else
        FResizeBlock->SetStopPercent(FMouseDownStopPercent + d);
    }
  }
  InvalidateChange();
}

void TiPlotLayoutViewer::iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TiCustomComponent::iMouseUp(Button, Shift, X, Y);
  FMouseDown = false;
  TiPlotLayoutObject* s = FSelectedBlock;
  const TBlockObject* b = FDragOverRefBlock2;
  if (FEditMode == ilemDrag && s && FLayoutManager) {
    if (FOverLayoutObject && b) {
      SwapBlocks();
    } else if (b && !FOverLayoutObject) {
      if (b->Horizontal == s->GetHorizontal()) {
        if (FInsertDirection != iidMerge) {
          if (TiPlotLayoutObject* t = FindSlotObject(s, b->Horizontal, b->ZOrder)) {
            FLayoutManager->RemoveZOrder(s);
            FLayoutManager->InsertZOrder(s, t->GetZOrder(), FInsertDirection);
          }
          s->SetStartPercent(0);
          s->SetStopPercent(100);
          DoChange();
        } else {
          std::vector<TiPlotLayoutObject*> row;
          for (int i = 0; i < FLayoutManager->Count(); ++i) {
            TiPlotLayoutObject* o = FLayoutManager->GetItem(i);
            if (o != s && !IsDataView(o) && o->GetHorizontal() == b->Horizontal &&
                o->GetZOrder() == b->ZOrder)
              row.push_back(o);
          }
          TiPlotLayoutObject* t = FindSlotObject(s, b->Horizontal, b->ZOrder);
          row.push_back(s);
          const double share = 100.0 / static_cast<double>(row.size());
          for (std::size_t a = 0; a < row.size(); ++a) {
            row[a]->SetStopPercent(share * static_cast<double>(a + 1));
            row[a]->SetStartPercent(share * static_cast<double>(a));
          }
          if (t) {
            FLayoutManager->RemoveZOrder(s);
            FLayoutManager->InsertZOrder(s, t->GetZOrder(), iidMerge);
          }
          DoChange();
        }
      } else if (s->GetHorizontal()) {
        MoveToVertical();
      } else {
        MoveToHorizontal();
      }
    }
  } else if (FEditMode == ilemSize && FResizeBlock) {
    DoChange();
  }
  FEditMode = ilemNone;
  SetCursor(crDefault);
  FOverLayoutObject = nullptr;
  FDragOverRefBlock2 = nullptr;
  FSelectedBlock = nullptr;
  FResizeBlock = nullptr;
  InvalidateChange();
}

void TiPlotLayoutViewer::SwapBlocks() {
  TiPlotLayoutObject* s = FSelectedBlock;
  TiPlotLayoutObject* t = FOverLayoutObject;
  const double sStart = s->GetStartPercent(), sStop = s->GetStopPercent();
  const double tStart = t->GetStartPercent(), tStop = t->GetStopPercent();
  t->SetStartStopPercent(sStart, sStop);
  s->SetStartStopPercent(tStart, tStop);
  DoChange();
}

void TiPlotLayoutViewer::MoveToVertical() {
  MoveAcross(false);
}

void TiPlotLayoutViewer::MoveToHorizontal() {
  MoveAcross(true);
}

void TiPlotLayoutViewer::MoveAcross(bool Horizontal) {
  TiPlotLayoutObject* s = FSelectedBlock;
  const TBlockObject* b = FDragOverRefBlock2;
  TiPlotLayoutObject* t = FindSlotObject(s, b->Horizontal, b->ZOrder);
  // A slot that holds nothing gives no place on the other side.
  if (!t) return;
  FLayoutManager->RemoveZOrder(s);
  s->SetHorizontal(Horizontal);
  FLayoutManager->InsertZOrder(s, t->GetZOrder(), FInsertDirection);
  DoChange();
}

void TiPlotLayoutViewer::DoChange() {
  if (OnChange) OnChange(this);
}
