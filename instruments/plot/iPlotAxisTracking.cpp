// Axis tracking, zoom and scrolling: the scale follows new data, zooms and
// scrolls on request, and answers the user's drag, wheel and keys. Every
// step ends in SetMinSpan, so the plot sees one set of scale events per step.

#include <cmath>

#include "instruments/base/iDrawing.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotDataHost.h"
#include "instruments/plot/iPlotMasterManager.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/Menus.h"

namespace {

IiPlotDataHost* DataHostOf(const TiPlotObject* Object) {
  return dynamic_cast<IiPlotDataHost*>(Object->GetOwner());
}

// The largest multiple of I not above X (Up false) or the smallest not
// below it (Up true).
double AlignedTo(double X, double I, bool Up) {
  double r = std::trunc(X / I) * I;
  if (Up && r < X) r += I;
  if (!Up && r > X) r -= I;
  return r;
}

}  // namespace

void TiPlotAxis::SetTrackingEnabled(bool Value) {
  if (Value == FTrackingEnabled) return;
  FTrackingEnabled = Value;
  if (FRestoreValuesOnResume) {
    if (Value) {
      SetMinSpan(FPreviousMin, FPreviousSpan);
      FLabelsMinLength = FPreviousLabelsMinLength;
    } else {
      UpdateResumeValues();
    }
  }
  DoChange();
}

void TiPlotAxis::UpdateResumeValues() {
  FPreviousMin = FMin;
  FPreviousSpan = FSpan;
  FPreviousLabelsMinLength = FLabelsMinLength;
}

// ---------------------------------------------------------------- tracking

void TiPlotAxis::NewTrackingData(double Value) {
  if (!FTrackingEnabled) return;
  const double v = Value;
  const double min = GetMin(), span = GetSpan(), max = GetMax();
  if (!FFirstAlignDone) {
    FFirstAlignDone = true;
    double nm = min;
    switch (FTrackingAlignFirstStyle) {
      case ipafsMin:
        nm = v;
        break;
      case ipafsMax:
        nm = v - span;
        break;
      case ipafsAuto:
        nm = v < min || v > max ? v : min;
        break;
      case ipafsNone:
        return;
    }
    SetMinSpan(nm, span);
    return;
  }
  double ns = span, nm = min;
  switch (FTrackingStyle) {
    case iptsScaleMinMax:
      if (min + span < v) ns = v - min;
      if (v < min) nm = v;
      SetMinSpan(nm, ns);
      AlignToIncrement();
      break;
    case iptsScaleMax:
      if (v > max) {
        SetMinSpan(min, v - max + span);
        AlignToIncrement();
      }
      break;
    case iptsScaleMin:
      if (v < min) {
        SetMinSpan(v, max - v);
        AlignToIncrement();
      }
      break;
    case iptsScrollSmooth:
    case iptsScrollPage: {
      const bool smooth = FTrackingStyle == iptsScrollSmooth;
      if (v > min + span) {
        if (FTrackingScrollCompressMax != 0) {
          ns = v - min;
          if (span > FTrackingScrollCompressMax) ns = FTrackingScrollCompressMax;
        }
        nm = smooth ? v - ns : min + ns;
      } else if (v < min) {
        nm = smooth ? v : min - ns;
      }
      SetMinSpan(nm, ns);
      break;
    }
    case iptsExpandCollapse:
      ZoomToFit();
      AlignToIncrement();
      break;
    case iptsExpandCollapseFast:
      ZoomToFitFast();
      AlignToIncrement();
      break;
    case iptsExpandMinMax:
      if (v > max) ns = span + (v - max);
      if (v < min) {
        ns = min - v + span;
        nm = v;
      }
      SetMinSpan(nm, ns);
      AlignToIncrement();
      break;
  }
  if (FTrackingSpanMinimum != 0 && GetSpan() < FTrackingSpanMinimum)
    SetMinSpan(GetMid() - FTrackingSpanMinimum / 2, FTrackingSpanMinimum);
  if (FTrackingMinMargin != 0 && v < GetMin() + FTrackingMinMargin)
    SetMinSpan(GetMin() - (GetMin() + FTrackingMinMargin - v), GetSpan());
  if (FTrackingMaxMargin != 0 && v > GetMax() - FTrackingMaxMargin)
    SetMinSpan(GetMin(), v - (GetMax() - FTrackingMaxMargin) + GetSpan());
}

void TiPlotAxis::AlignToIncrement() {
  if (FTrackingIncrementStyle == iptisMinimum) return;
  const double i = FTrackingIncrementStyle == iptisMajor ? FMajorIncrement : FMinorIncrement;
  // No increment before the first tick generation: nothing to align to.
  if (!(i > 0) || !std::isfinite(i)) return;
  const double newMax = AlignedTo(GetMax(), i, true);
  const double newMin = AlignedTo(GetMin(), i, false);
  if (!std::isfinite(newMax) || !std::isfinite(newMin)) return;
  if (newMax != GetMax() || newMin != GetMin()) SetMinSpan(newMin, newMax - newMin);
}

// ---------------------------------------------------------------- zoom

void TiPlotAxis::ZoomToFitOver(bool Fast) {
  TiPlotMasterManager* master = iPlotMaster(DataHostOf(this));
  if (!master || !master->GetChannelManager()) return;
  const bool x = dynamic_cast<TiPlotXAxis*>(this) != nullptr;
  double largest = -TiPlotChannelCustom::kNoValue, smallest = TiPlotChannelCustom::kNoValue;
  TiPlotChannelManager* channels = master->GetChannelManager();
  for (int i = 0; i < channels->Count(); ++i) {
    TiPlotChannelCustom* c = channels->GetItem(i);
    if (!SameText(x ? c->GetXAxisName() : c->GetYAxisName(), GetName())) continue;
    if (Fast) {
      largest = std::max(largest, x ? c->GetRunningXMax() : c->GetRunningYMax());
      smallest = std::min(smallest, x ? c->GetRunningXMin() : c->GetRunningYMin());
    } else {
      largest = std::max(largest, x ? c->GetXMaxFit() : c->GetYMaxFit());
      smallest = std::min(smallest, x ? c->GetXMinFit() : c->GetYMinFit());
    }
  }
  if (!(largest > -1e299) || !(smallest < 1e299) || largest == smallest) return;
  double d = largest - smallest;
  if (!Fast && FTrackingSpanMinimum != 0 && FTrackingSpanMinimum > d) d = FTrackingSpanMinimum;
  SetMinSpan(smallest - FTrackingMinMargin, d + FTrackingMaxMargin + FTrackingMinMargin);
}

void TiPlotAxis::ZoomToFit() {
  ZoomToFitOver(false);
}

void TiPlotAxis::ZoomToFitFast() {
  ZoomToFitOver(true);
}

void TiPlotAxis::Zoom(double Value) {
  if (FScaleType == ipstLog10) {
    const double f = std::pow(10.0, Value);
    SetMinSpan(GetMin() / f, GetSpan() * f);
    return;
  }
  if (!(Value > 0)) throw Exception("Linear Scale Zoom Factor must be Greater than Zero");
  const double ns = Value * GetSpan();
  SetMinSpan((GetMax() + GetMin()) / 2 - ns / 2, ns);
}

void TiPlotAxis::ZoomToRect(const TRect& Rect) {
  int p1 = GetHorizontal() ? Rect.Left : Rect.Bottom;
  int p2 = GetHorizontal() ? Rect.Right : Rect.Top;
  if (FReverseScale) std::swap(p1, p2);
  const double nm = PixelsToPosition(p1);
  SetMinSpan(nm, PixelsToPosition(p2) - nm);
}

void TiPlotAxis::ScrollStep(double Fraction) {
  const double min = GetMin(), span = GetSpan();
  if (FScaleType == ipstLinear) {
    double nm = min + Fraction * span;
    if (FScrollMinMaxEnabled) {
      if (nm <= FScrollMin)
        nm = FScrollMin;
      else if (nm + span >= FScrollMax)
        nm = FScrollMax - span;
    }
    SetMinSpan(nm, span);
    return;
  }
  const double lmin = LogMin(), lmax = LogMin() + LogSpan();
  const double g = std::log10(lmax) - std::log10(lmin);
  const double h = std::pow(10.0, Fraction * g);
  double nm = lmin * h, nmax = lmax * h;
  if (FScrollMinMaxEnabled) {
    if (nm <= FScrollMin) {
      nm = FScrollMin;
      nmax = std::pow(10.0, g) * FScrollMin;
    } else if (nm + span >= FScrollMax) {
      nmax = FScrollMax;
      nm = FScrollMax / std::pow(10.0, g);
    }
  }
  SetMinSpan(nm, nmax - nm);
}

void TiPlotAxis::ZoomStep(double Exponent) {
  const double f = std::pow(10.0, Exponent);
  if (FScaleType == ipstLinear) {
    const double ns = GetSpan() / f;
    SetMinSpan((GetMax() + GetMin()) / 2 - ns / 2, ns);
  } else {
    SetMinSpan(GetMin() * f, GetSpan() / f);
  }
}

// ---------------------------------------------------------------- mouse, wheel, keys

TiPlotAxisMode TiPlotAxis::EffectiveMode() const {
  if (!IsControlKeyDown()) return FMode;
  return FMode == ipamScroll ? ipamZoom : ipamScroll;
}

void TiPlotAxis::MinSpanChangeFinished(double OldMin, double OldSpan) {
  if (OldMin == GetMin() && OldSpan == GetSpan()) return;
  if (IiPlotAxisHost* host = AxisHost()) host->DoAxisMinSpanChangeFinished(this, OldMin, OldSpan, GetMin(), GetSpan());
}

void TiPlotAxis::DoMouseLeft(TiPlotMouseData& MouseData) {
  if (FMasterUIInput)
    if (IiPlotAxisHost* host = AxisHost()) host->MasterAxisMouseLeft(this, MouseData);
  FScaleMouseDown = true;
  FMouseDownX = MouseData.X;
  FMouseDownY = MouseData.Y;
  FMouseDownMin = GetMin();
  FMouseDownSpan = GetSpan();
}

void TiPlotAxis::DoMouseMove(TiPlotMouseData& MouseData) {
  if (FMasterUIInput)
    if (IiPlotAxisHost* host = AxisHost()) host->MasterAxisMouseMove(this, MouseData);
  if (!FScaleMouseDown || MouseData.DblClickActive) return;
  InvalidateNow();
  SetTrackingEnabled(false);
  const int length = GetScaleLength();
  if (length == 0) return;
  int d;
  if (GetHorizontal())
    d = FReverseScale ? FMouseDownX - MouseData.X : MouseData.X - FMouseDownX;
  else
    d = FReverseScale ? MouseData.Y - FMouseDownY : FMouseDownY - MouseData.Y;
  const double fraction = static_cast<double>(d) / length;
  if (EffectiveMode() == ipamScroll)
    ScrollStep(-fraction);
  else
    ZoomStep(FScaleType == ipstLinear ? fraction / 4 : fraction * 2);
  FMouseDownX = MouseData.X;
  FMouseDownY = MouseData.Y;
}

void TiPlotAxis::DoMouseUp(TiPlotMouseData& MouseData) {
  if (FMasterUIInput)
    if (IiPlotAxisHost* host = AxisHost()) host->MasterAxisMouseUp(this, MouseData);
  if (!FScaleMouseDown) return;
  FScaleMouseDown = false;
  if (iMouseHitTest(MouseData))
    if (IiPlotDataHost* host = DataHostOf(this)) host->DoObjectClick(this);
  MinSpanChangeFinished(FMouseDownMin, FMouseDownSpan);
}

bool TiPlotAxis::DoMouseWheel(int WheelDelta, TShiftState Shift, int X, int Y) {
  if (FMasterUIInput)
    if (IiPlotAxisHost* host = AxisHost()) host->MasterAxisMouseWheel(this, WheelDelta, Shift, X, Y);
  if (WheelDelta == 0) return false;
  SetTrackingEnabled(false);
  const double g = WheelDelta > 0 ? 1 : -1;
  if (EffectiveMode() == ipamScroll)
    ScrollStep(0.05 * g);
  else
    ZoomStep((FScaleType == ipstLinear ? 0.025 : 0.05) * g);
  return true;
}

void TiPlotAxis::iKeyDown(std::uint16_t& Key, TShiftState Shift, TPopupMenu* PopupMenu) {
  if (FMasterUIInput)
    if (IiPlotAxisHost* host = AxisHost()) host->MasterAxisKeyDown(this, Key, Shift);
  TiPlotLayoutObject::iKeyDown(Key, Shift, PopupMenu);
  SetTrackingEnabled(false);
  const double oldMin = GetMin(), oldSpan = GetSpan();
  double step = 0;
  switch (Key) {
    case VK_PRIOR:
    case VK_END:
      step = 1;
      break;
    case VK_NEXT:
    case VK_HOME:
      step = -1;
      break;
    case VK_UP:
    case VK_RIGHT:
      step = 0.01;
      break;
    case VK_LEFT:
    case VK_DOWN:
      step = -0.01;
      break;
    default:
      break;
  }
  if (step != 0) {
    InvalidateNow();
    if (FMode == ipamScroll)
      ScrollStep(step);
    else
      ZoomStep(step);
  }
  MinSpanChangeFinished(oldMin, oldSpan);
}

bool TiPlotAxis::iMouseHitTest(const TiPlotMouseData& MouseData) {
  return FFocusRect.Contains(TPoint(MouseData.X, MouseData.Y));
}

TCursor TiPlotAxis::GetMouseCursor(TPoint) {
  TCursor c = crHandPoint;
  if (FMode == ipamZoom) c = GetHorizontal() ? crSizeWE : crSizeNS;
  if (IiPlotDataHost* host = DataHostOf(this)) host->DoObjectGetMouseCursor(this, c);
  return c;
}

void TiPlotAxis::DoMouseHint(TiPlotMouseData& MouseData, TiHintData& HintData) {
  if (FTitleShow) return;
  IiPlotAxisHost* host = AxisHost();
  TCanvas* canvas = host ? host->GetHintCanvas() : nullptr;
  HintData.Text = FTitle;
  HintData.Left = MouseData.X;
  HintData.Top = MouseData.Y - 20;
  HintData.Width = (canvas ? canvas->TextWidth(FTitle) : 0) + 4;
  HintData.Height = (canvas ? canvas->TextHeight(FTitle) : 0) + 4;
  if (host) host->DoAxisCustomizeHint(this, HintData.Text);
}

void TiPlotAxis::BuildPopupMenu(TPopupMenu* PopupMenu) {
  TiPlotLayoutObject::BuildPopupMenu(PopupMenu);
  auto add = [&](int At, const char* Caption, auto Click) {
    auto* item = new TMenuItem(PopupMenu);
    item->SetCaption(TranslateText(Caption));
    item->OnClick = [this, Click](TObject*) { Click(); };
    PopupMenu->GetItems()->Insert(At, item);
    return item;
  };
  add(0, "Tracking Enabled", [this] { SetTrackingEnabled(!FTrackingEnabled); })->SetChecked(FTrackingEnabled);
  add(1, "Update Resume Values", [this] { UpdateResumeValues(); })
      ->SetEnabled(!FTrackingEnabled && (FPreviousMin != FMin || FPreviousSpan != FSpan));
  add(2, "Zoom to Fit", [this] { ZoomToFit(); });
}

void TiPlotAxis::NotificationSetFocus(TObject* Sender) {
  auto* other = dynamic_cast<TiPlotObject*>(Sender);
  if (!other || other == this || !other->GetUserSelected()) return;
  // Axes chosen with Shift or Ctrl held are selected together.
  if (dynamic_cast<TiPlotAxis*>(other) &&
      (other->GetShiftState().Contains(ssShift) || other->GetShiftState().Contains(ssCtrl)))
    return;
  SetUserSelected(false);
}

// ---------------------------------------------------------------- scale events

void TiPlotAxis::DoMinChangeEvent(double OldValue, double NewValue) {
  if (IiPlotAxisHost* host = AxisHost()) host->DoAxisMinChange(this, OldValue, NewValue);
}

void TiPlotAxis::DoSpanChangeEvent(double OldValue, double NewValue) {
  if (IiPlotAxisHost* host = AxisHost()) host->DoAxisSpanChange(this, OldValue, NewValue);
}

void TiPlotAxis::DoMinSpanChangeEvent(double OldMin, double OldSpan, double NewMin, double NewSpan) {
  if (IiPlotAxisHost* host = AxisHost()) host->DoAxisMinSpanChange(this, OldMin, OldSpan, NewMin, NewSpan);
}
