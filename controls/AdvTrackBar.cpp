#include "controls/AdvTrackBar.h"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>

#include "platform/classlib/Forms.h"
#include "platform/classlib/ImgList.h"

namespace trackbar {

int ThumbOffset(int D, int Position, int Min, int Max) {
  if (Max == Min) return 0;
  // Differences in long double: a full int range overflows an int.
  const long double q = (static_cast<long double>(Position) - Min) / (static_cast<long double>(Max) - Min);
  return static_cast<int>(std::nearbyintl(static_cast<long double>(D) * q));
}

int PositionAt(int n, int D, int Min, int Max, int Current) {
  if (D == 0) return Current;
  const long double v =
      static_cast<long double>(n) / static_cast<long double>(D) * (static_cast<long double>(Max) - Min) + Min;
  // The default rounding mode takes halves to the even neighbour.
  long long p = static_cast<long long>(std::nearbyintl(v));
  if (p < Min) p = Min;
  if (p > Max) p = Max;
  return static_cast<int>(p);
}

int StepFrom(int Position, long long Step) {
  // Held in the int range: a step past either end clamps to it anyway.
  const long long p = Position + Step;
  return static_cast<int>(std::clamp<long long>(p, INT_MIN, INT_MAX));
}

}  // namespace trackbar

// ---------------------------------------------------------------- construction

TCustomTrackBar::TCustomTrackBar(TComponent* AOwner)
    : TCustomControl(AOwner),
      FThumb(std::make_unique<TTrackBarThumb>(this)),
      FTickMark(std::make_unique<TTrackBarTick>()),
      FIBackGround(std::make_unique<TGDIPPicture>()),
      FIRateInActive(std::make_unique<TGDIPPicture>()),
      FIRateActive(std::make_unique<TGDIPPicture>()),
      FIBackGroundDisabled(std::make_unique<TGDIPPicture>()),
      FButtons(std::make_unique<TTrackBarButtons>(this)),
      FTrackHintWnd(std::make_unique<TTrackHintWindow>()),
      FTrackLabel(std::make_unique<TTrackBarLabel>()) {
  FSlider.reset(CreateSlider());
  auto changed = [this](TObject* s) { PartChanged(s); };
  FThumb->OnChange = changed;
  FSlider->OnChange = changed;
  FButtons->OnChange = changed;
  FTrackLabel->OnChange = changed;
  FTickMark->OnChange = [this](TObject* s) { TickChanged(s); };
  for (TGDIPPicture* p :
       {FIBackGround.get(), FIBackGroundDisabled.get(), FIRateActive.get(), FIRateInActive.get()})
    p->OnChange = [this](TGraphic*) { Invalidate(); };
  SetBounds(GetLeft(), GetTop(), 150, 26);
  SetTabStop(true);
  SetColor(clNone);
  UpdateSurface();
  FTrackHint = GetShowHint();
  TControlStyle style = GetControlStyle();
  style >> csDoubleClicks;
  SetControlStyle(style);
}

TCustomTrackBar::~TCustomTrackBar() = default;

TTrackBarSlider* TCustomTrackBar::CreateSlider() {
  return new TTrackBarSlider(this);
}

void TCustomTrackBar::Loaded() {
  TCustomControl::Loaded();
  MeasureTextHeight();
  FButtons->SizeFromPictures();
  FThumb->SizeFromPicture();
}

void TCustomTrackBar::PartChanged(TObject*) {
  Invalidate();
}

void TCustomTrackBar::TickChanged(TObject*) {
  MeasureTextHeight();
  Invalidate();
}

void TCustomTrackBar::MeasureTextHeight() {
  TCanvas measure;
  measure.Font->Assign(FTickMark->GetFont());
  FTextHeight = measure.TextHeight("gh") + 2 * FTickTextOffset;
}

void TCustomTrackBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages && !GetComponentState().Contains(csDestroying)) {
    FImages = nullptr;
    Invalidate();
  }
}

// ---------------------------------------------------------------- properties

void TCustomTrackBar::SetMin(int Value) {
  if (Value == FMin) return;
  FMin = Value;
  if (FPosition < FMin) SetPosition(FMin);
  Invalidate();
}

void TCustomTrackBar::SetMax(int Value) {
  if (Value == FMax) return;
  FMax = Value;
  if (FPosition > FMax) SetPosition(FMax);
  Invalidate();
}

void TCustomTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  const TComponentState state = GetComponentState();
  if (!state.Contains(csLoading) && !state.Contains(csUpdating))
    SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
  Invalidate();
}

void TCustomTrackBar::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  UpdateSurface();
  Invalidate();
}

// A transparent fader, or one with no colour to erase to, shows what lies
// beneath it wherever it paints nothing.
void TCustomTrackBar::UpdateSurface() {
  SetTransparentSurface(FTransparent || GetColor() == clNone);
}

void TCustomTrackBar::ColorChanged() {
  TCustomControl::ColorChanged();
  UpdateSurface();
}

void TCustomTrackBar::SetColorTo(TColor Value) {
  if (Value == FColorTo) return;
  FColorTo = Value;
  Invalidate();
}

void TCustomTrackBar::SetBorderColor(TColor Value) {
  if (Value == FBorderColor) return;
  FBorderColor = Value;
  Invalidate();
}

void TCustomTrackBar::SetDirection(TGradientDirection Value) {
  if (Value == FDirection) return;
  FDirection = Value;
  Invalidate();
}

void TCustomTrackBar::SetBackGroundStretched(bool Value) {
  if (Value == FBackGroundStretched) return;
  FBackGroundStretched = Value;
  Invalidate();
}

void TCustomTrackBar::SetTickImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

bool TCustomTrackBar::AllowThumbPointer(TTrackBarThumb*, TThumbPointer&) {
  return true;
}

bool TCustomTrackBar::IsRating() const {
  return !FIRateActive->GetEmpty() && !FIRateInActive->GetEmpty();
}

int TCustomTrackBar::GetThumbLength() const {
  return FThumb->GetWidth();
}

// ---------------------------------------------------------------- geometry

TRect TCustomTrackBar::GetInnerRect() const {
  TRect r = GetClientRect();
  const int d = FBorderWidth + FOffset;
  return Rect(r.Left + d, r.Top + d, r.Right - d, r.Bottom - d);
}

TTrackBarButtons* TCustomTrackBar::VisibleButtons() const {
  return FButtons->GetVisible() ? FButtons.get() : nullptr;
}

TRect TCustomTrackBar::GetMinButtonRect() const {
  const TRect i = GetInnerRect();
  const int size = FButtons->GetSize();
  if (FOrientation == trVertical) return Rect(i.Left, i.Bottom - size, i.Right, i.Bottom);
  return Rect(i.Left, i.Top, i.Left + size, i.Bottom);
}

TRect TCustomTrackBar::GetMaxButtonRect() const {
  const TRect i = GetInnerRect();
  const int size = FButtons->GetSize();
  if (FOrientation == trVertical) return Rect(i.Left, i.Top, i.Right, i.Top + size);
  return Rect(i.Right - size, i.Top, i.Right, i.Bottom);
}

TRect TCustomTrackBar::GetTrackRect() const {
  TRect r = GetInnerRect();
  const bool vertical = FOrientation == trVertical;
  int inset = FSlider->GetOffset();
  const TLabelPosition lp = FTrackLabel->GetPosition();
  if (FTrackLabel->GetVisible() && (lp == lpTopCenter || lp == lpTopLeft || lp == lpTopRight)) {
    TCanvas measure;
    measure.Font->Assign(FTrackLabel->GetFont());
    inset += measure.TextHeight("Pos") + FTrackLabel->GetSpacing() + 1;
  }
  if (vertical)
    r.Left += inset;
  else
    r.Top += inset;
  if (VisibleButtons()) {
    const int spacing = FButtons->GetSpacing();
    if (vertical) {
      r.Bottom = GetMinButtonRect().Top - spacing;
      r.Top = GetMaxButtonRect().Bottom + spacing;
    } else {
      r.Left = GetMinButtonRect().Right + spacing;
      r.Right = GetMaxButtonRect().Left - spacing;
    }
  }
  return r;
}

int TCustomTrackBar::PointerOffset() const {
  const int w = FThumb->GetWidth();
  if (w <= 0) return 0;
  switch (FThumb->GetThumbPointer()) {
    case tpLeft:
      return 0;
    case tpCenter:
      return w / 2;
    case tpRight:
      return w;
  }
  return 0;
}

void TCustomTrackBar::GetTopLeftTickRect(TRect& R) const {
  if (FTickMark->GetStyle() == tsNone || FTickMark->GetPosition() == tmBottomRight) {
    R = Rect(-1, -1, -1, -1);
    return;
  }
  const TRect t = GetTrackRect();
  const int p = PointerOffset();
  const int e = FTickMark->GetSize() + (FTickMark->GetShowText() ? FTextHeight : 0);
  if (FOrientation == trVertical)
    R = Rect(t.Left, t.Top + p, t.Left + e, t.Bottom - p);
  else
    R = Rect(t.Left + p, t.Top, t.Right - p, t.Top + e);
}

static bool HasBand(const TRect& R) {
  return !(R.Left == -1 && R.Top == -1 && R.Right == -1 && R.Bottom == -1);
}

TRect TCustomTrackBar::GetSliderRect() const {
  if (FSlider->GetSize() <= 0 || !FSlider->GetVisible()) return Rect(-1, -1, -1, -1);
  const TRect t = GetTrackRect();
  TRect band;
  GetTopLeftTickRect(band);
  const bool vertical = FOrientation == trVertical;
  int nearEdge;
  if (HasBand(band))
    nearEdge = (vertical ? band.Right : band.Bottom) + FTickMark->GetSpacing();
  else
    nearEdge = vertical ? t.Left : t.Top;
  if (vertical) return Rect(nearEdge, t.Top, nearEdge + FSlider->GetSize(), t.Bottom);
  return Rect(t.Left, nearEdge, t.Right, nearEdge + FSlider->GetSize());
}

void TCustomTrackBar::GetBottomRightTickRect(TRect& R) const {
  const TTickMark pos = FTickMark->GetPosition();
  if (FTickMark->GetStyle() == tsNone || !(pos == tmBottomRight || pos == tmBoth)) {
    R = Rect(-1, -1, -1, -1);
    return;
  }
  const TRect t = GetTrackRect();
  const TRect s = GetSliderRect();
  TRect band;
  GetTopLeftTickRect(band);
  const bool vertical = FOrientation == trVertical;
  const int spacing = FTickMark->GetSpacing();
  int nearEdge;
  if (HasBand(s))
    nearEdge = (vertical ? s.Right : s.Bottom) - (FSlider->GetBorder3D() ? 1 : 0) + spacing;
  else if (HasBand(band))
    nearEdge = (vertical ? band.Right : band.Bottom) + 2 * spacing;
  else
    nearEdge = vertical ? t.Left : t.Top;
  const int p = PointerOffset();
  const int e = FTickMark->GetSize() + (FTickMark->GetShowText() ? FTextHeight : 0);
  if (vertical)
    R = Rect(nearEdge, t.Top + p, nearEdge + e, t.Bottom - p);
  else
    R = Rect(t.Left + p, nearEdge, t.Right - p, nearEdge + e);
}

int TCustomTrackBar::TrackLength() const {
  const TRect t = GetTrackRect();
  return FOrientation == trVertical ? t.Bottom - t.Top : t.Right - t.Left;
}

int TCustomTrackBar::SpareLength() const {
  return TrackLength() - FThumb->GetWidth();
}

TRect TCustomTrackBar::ThumbRectAt(int Position) const {
  const bool vertical = FOrientation == trVertical;
  const TRect t = GetTrackRect();
  const TRect s = GetSliderRect();
  TRect top, bottom;
  GetTopLeftTickRect(top);
  GetBottomRightTickRect(bottom);
  const int size = FThumb->GetSize();
  int nearEdge;
  if (HasBand(s)) {
    const int sn = vertical ? s.Left : s.Top;
    const int sf = vertical ? s.Right : s.Bottom;
    nearEdge = sn + (sf - sn) / 2 - size / 2;
  } else if (!HasBand(top) && !HasBand(bottom)) {
    nearEdge = vertical ? t.Left : t.Top;
  } else if (!HasBand(top)) {
    nearEdge = vertical ? bottom.Left : bottom.Top;
  } else {
    nearEdge = (vertical ? top.Left : top.Top) + FTickMark->GetSpacing() - size / 2;
  }
  int farEdge = nearEdge + size;
  if (FThumb->GetShape() == tsLine && FThumb->GetPicture()->GetEmpty()) {
    const TRect i = GetInnerRect();
    nearEdge = vertical ? i.Left : i.Top;
    farEdge = (vertical ? GetWidth() : GetHeight()) - FBorderWidth;
  }
  const int w = FThumb->GetWidth();
  const int offset = trackbar::ThumbOffset(SpareLength(), Position, FMin, FMax);
  if (vertical) {
    const int b = t.Bottom - offset;
    return Rect(nearEdge, b - w, farEdge, b);
  }
  const int l = t.Left + offset;
  return Rect(l, nearEdge, l + w, farEdge);
}

void TCustomTrackBar::GetThumbRect(bool, TRect& R) const {
  R = ThumbRectAt(FPosition);
}

TRect TCustomTrackBar::GetRatingRect(int Index) const {
  if (Index <= FMin) return Rect(-1, -1, -1, -1);
  const int cw = std::max(FIRateActive->GetWidth(), FIRateInActive->GetWidth());
  const int ch = std::max(FIRateActive->GetHeight(), FIRateInActive->GetHeight());
  const TRect t = GetTrackRect();
  int x = t.Left, y = t.Top;
  for (int i = FMin + 1; i < Index; ++i) {
    if (x + 2 * cw > t.Right) {
      x = t.Left;
      y += ch;
    } else {
      x += cw;
    }
  }
  if (y > t.Bottom) return Rect(-1, -1, -1, -1);
  return Rect(x, y, x + cw, y + ch);
}

// ---------------------------------------------------------------- value

void TCustomTrackBar::InvalidateRect(const TRect&) {
  // The layer repaints whole controls; a region keeps to the same contract.
  Invalidate();
}

void TCustomTrackBar::SetPosition(int Value) {
  if (Value == FPosition) return;
  if (Value < FMin)
    Value = FMin;
  else if (Value > FMax)
    Value = FMax;
  const int old = FPosition;
  const TRect oldThumb = ThumbRectAt(old);
  FPosition = Value;
  const TRect newThumb = ThumbRectAt(FPosition);
  if (GetComponentState().Contains(csDesigning)) {
    Invalidate();
    return;
  }
  if (IsRating()) {
    Invalidate();
  } else {
    TRect area = oldThumb;
    area.Left = std::min(oldThumb.Left, newThumb.Left) - 1;
    area.Top = std::min(oldThumb.Top, newThumb.Top) - 1;
    area.Right = std::max(oldThumb.Right, newThumb.Right) + 1;
    area.Bottom = std::max(oldThumb.Bottom, newThumb.Bottom) + 1;
    InvalidateRect(area);
    InvalidateTrackLabel();
  }
  DoChange();
}

void TCustomTrackBar::DoChange() {
  if (OnChange) OnChange(this);
}

void TCustomTrackBar::InvalidateTrackLabel() {
  if (!FTrackLabel->GetVisible()) return;
  TRect r;
  GetTrackLabelRect(!HasTrackLabelEvent(), r);
  InvalidateRect(r);
}

namespace {

// The label format with the position as its one integer. Only an integer
// conversion (with flags, width and precision) takes the value and only the
// first one; any other conversion stays as written, so a stray "%s" or a
// second "%d" can never read an argument that is not there.
std::string FormatPosition(const std::string& Format, int Value) {
  std::string out;
  bool used = false;
  for (std::size_t i = 0; i < Format.size(); ++i) {
    if (Format[i] != '%') {
      out += Format[i];
      continue;
    }
    if (i + 1 < Format.size() && Format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < Format.size() && Format[j] != '\0' && std::strchr("-+ #0", Format[j])) ++j;
    const std::size_t widthStart = j;
    while (j < Format.size() && std::isdigit(static_cast<unsigned char>(Format[j]))) ++j;
    if (j < Format.size() && Format[j] == '.') ++j;
    while (j < Format.size() && std::isdigit(static_cast<unsigned char>(Format[j]))) ++j;
    const bool integer = j < Format.size() && (Format[j] == 'd' || Format[j] == 'i');
    // A width or precision past three digits would only pad beyond reason.
    if (!integer || used || j - widthStart > 7) {
      out += Format[i];
      continue;
    }
    char buf[160];
    std::snprintf(buf, sizeof buf, Format.substr(i, j - i + 1).c_str(), Value);
    out += buf;
    used = true;
    i = j;
  }
  return out;
}

}  // namespace

void TCustomTrackBar::GetTrackLabelText(std::string& Text) {
  Text = FormatPosition(FTrackLabel->GetFormat(), FPosition);
  if (OnGetTrackLabelText) OnGetTrackLabelText(this, FPosition, Text);
}

void TCustomTrackBar::GetTrackLabelRect(bool Fitted, TRect& R) {
  if (!FTrackLabel->GetVisible()) {
    R = Rect(-1, -1, -1, -1);
    return;
  }
  TCanvas measure;
  measure.Font->Assign(FTrackLabel->GetFont());
  std::string text;
  GetTrackLabelText(text);
  if (text.empty() && OnGetTrackLabelText) text = "Pos";
  const int tw = measure.TextWidth(text);
  const int th = measure.TextHeight(text);
  const TRect i = GetInnerRect();
  const TLabelPosition lp = FTrackLabel->GetPosition();
  const bool bottom = lp == lpBottomCenter || lp == lpBottomLeft || lp == lpBottomRight;
  const bool vertical = FOrientation == trVertical;
  int start;
  if (bottom) {
    TRect band;
    GetBottomRightTickRect(band);
    start = (vertical ? band.Right : band.Bottom) + 1 + 1;
  } else {
    start = (vertical ? i.Left : i.Top) + FSlider->GetOffset();
  }
  const int depth = th + FTrackLabel->GetSpacing();
  int a0 = vertical ? i.Top : i.Left;
  int a1 = vertical ? i.Bottom : i.Right;
  if (Fitted) {
    const bool left = lp == lpTopLeft || lp == lpBottomLeft;
    const bool right = lp == lpTopRight || lp == lpBottomRight;
    const int len = tw + 5;
    if (!vertical) {
      if (left)
        a1 = a0 + len;
      else if (right)
        a0 = a1 - len;
      else {
        a0 = a0 + ((a1 - a0) - len) / 2;
        a1 = a0 + len;
      }
    } else {
      // Rotated text reads upward: the rectangle starts at its lower end.
      int lower;
      if (left)
        lower = i.Bottom;
      else if (right)
        lower = i.Top + len;
      else
        lower = i.Top + ((i.Bottom - i.Top) + len) / 2;
      a0 = lower;
      a1 = lower - len;
    }
  }
  if (vertical)
    R = Rect(start, a0, start + depth, a1);
  else
    R = Rect(a0, start, a1, start + depth);
}

// ---------------------------------------------------------------- buttons

void TCustomTrackBar::MinButtonClick() {
  if (FPosition > FMin)
    SetPosition(trackbar::StepFrom(FPosition, -static_cast<long long>(FButtons->GetStep())));
}

void TCustomTrackBar::MaxButtonClick() {
  if (FPosition < FMax) SetPosition(trackbar::StepFrom(FPosition, FButtons->GetStep()));
}

// ---------------------------------------------------------------- page clicks

void TCustomTrackBar::PageStep() {
  const int D = SpareLength();
  const double step = FMax == FMin ? 0.0 : static_cast<double>(D) / (static_cast<double>(FMax) - FMin);
  const TRect t = GetTrackRect();
  const int p = PointerOffset();
  const int moved = RoundHalfEven((static_cast<double>(FPosition) - FMin) * step);
  double distance;
  long long move;
  if (FOrientation == trVertical) {
    const int edge = t.Bottom - moved;
    if (FSliderDownPt.Y < edge) {
      distance = edge - FSliderDownPt.Y;
      move = FPageSize;
    } else {
      distance = std::abs(FSliderDownPt.Y + p - edge);
      move = -static_cast<long long>(FPageSize);
    }
  } else {
    const int edge = t.Left + moved;
    if (FSliderDownPt.X < edge) {
      distance = std::abs(FSliderDownPt.X - p - edge);
      move = -static_cast<long long>(FPageSize);
    } else {
      distance = FSliderDownPt.X - edge;
      move = FPageSize;
    }
  }
  if (distance >= step) SetPosition(trackbar::StepFrom(FPosition, move));
}

void TCustomTrackBar::StartRepeatTimer() {
  if (!FRepeatTimer) {
    FRepeatTimer = new TTimer(this);
    FRepeatTimer->OnTimer = [this](TObject* s) { RepeatTimerTick(s); };
  }
  FRepeatTimer->SetEnabled(false);
  FRepeatTimer->SetInterval(static_cast<unsigned>(FButtons->GetInitRepeatPause()));
  FRepeatTimer->SetEnabled(true);
}

void TCustomTrackBar::RepeatTimerTick(TObject*) {
  FRepeatTimer->SetInterval(static_cast<unsigned>(FButtons->GetRepeatPause()));
  try {
    if (GetMouseCapture() && FSliderButtonDown)
      PageStep();
    else if (GetMouseCapture() && FMinButtonDown)
      MinButtonClick();
    else if (GetMouseCapture() && FMaxButtonDown)
      MaxButtonClick();
    else
      FRepeatTimer->SetEnabled(false);
  } catch (...) {
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

// ---------------------------------------------------------------- mouse

static bool Inside(const TRect& R, int X, int Y) {
  return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

void TCustomTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!Focused() && CanFocus()) SetFocus();
  TRect track = GetTrackRect();
  track = Rect(track.Left - 4, track.Top - 4, track.Right + 4, track.Bottom + 4);
  const bool buttons = VisibleButtons() != nullptr;
  const bool onMin = buttons && Inside(GetMinButtonRect(), X, Y);
  const bool onMax = buttons && Inside(GetMaxButtonRect(), X, Y);
  TRect thumb;
  GetThumbRect(false, thumb);
  const bool rating = IsRating();
  const bool vertical = FOrientation == trVertical;
  if (!rating && Button == mbLeft && !Inside(thumb, X, Y) && FMoveOnClick != mcStep && !onMin && !onMax) {
    const TRect t = GetTrackRect();
    const int w = FThumb->GetWidth();
    const int n = vertical ? t.Bottom - w - Y : X - t.Left - PointerOffset();
    int pos = trackbar::PositionAt(n, SpareLength(), FMin, FMax, FPosition);
    if (!IsValidPosition(pos)) pos = FPosition;
    SetPosition(pos);
    if (FMoveOnClick == mcMoveSlide) {
      FThumbDown = true;
      FSliding = true;
    }
    return;
  }
  if (Button != mbLeft || rating) return;
  if (Inside(thumb, X, Y)) {
    if (CanDragThumb()) {
      FSliding = true;
      FThumbDown = true;
      DrawThumb();
      FThumbCenterOffsetX = X - (thumb.Left + (thumb.Right - thumb.Left) / 2);
      FThumbCenterOffsetY = Y - (thumb.Top + (thumb.Bottom - thumb.Top) / 2);
    }
    return;
  }
  if (Inside(track, X, Y) && CanPageClick()) {
    FSliderButtonDown = true;
    FSliderDownPt = TPoint{X, Y};
    PageStep();
    StartRepeatTimer();
    return;
  }
  if (buttons) {
    if (onMin && !FMinButtonDown) {
      FMinButtonDown = true;
      Invalidate();
      if (FButtons->GetRepeatClick()) StartRepeatTimer();
    }
    if (onMax && !FMaxButtonDown) {
      FMaxButtonDown = true;
      Invalidate();
      if (FButtons->GetRepeatClick()) StartRepeatTimer();
    }
  }
}

void TCustomTrackBar::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (IsRating()) return;
  if (FSliding) {
    const TRect t = GetTrackRect();
    const int w = FThumb->GetWidth();
    const int n = FOrientation == trVertical ? t.Bottom - w + (w / 2) + FThumbCenterOffsetY - Y
                                             : X - t.Left - FThumbCenterOffsetX - (w / 2);
    int pos = trackbar::PositionAt(n, SpareLength(), FMin, FMax, FPosition);
    if (!IsValidPosition(pos)) pos = FPosition;
    if (pos != FPosition && FTrackHint && pos != FHintTickIndex) {
      ShowTrackHint(X, Y, pos);
      FHintTickIndex = pos;
    }
    FSliderButtonDown = false;
    SetPosition(pos);
    return;
  }
  if (VisibleButtons()) {
    struct Button {
      TRect r;
      bool& hot;
      bool& down;
    } both[] = {{GetMinButtonRect(), FMinButtonHot, FMinButtonDown},
                {GetMaxButtonRect(), FMaxButtonHot, FMaxButtonDown}};
    for (Button& b : both) {
      if (Inside(b.r, X, Y)) {
        if (!b.hot) {
          b.hot = true;
          Invalidate();
        }
      } else if (b.hot || b.down) {
        b.hot = false;
        b.down = false;
        Invalidate();
      }
    }
  }
  TRect thumb;
  GetThumbRect(false, thumb);
  if (Inside(thumb, X, Y) && CanDragThumb()) {
    if (!FThumbHot) {
      FThumbHot = true;
      DrawThumb();
    }
  } else if (FThumbHot) {
    FThumbHot = false;
    FThumbDown = false;
    DrawThumb();
  }
}

void TCustomTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
  FSliderButtonDown = false;
  if (IsRating()) {
    if (Button == mbLeft) {
      for (int i = FMin + 1; i <= FMax; ++i) {
        if (Inside(GetRatingRect(i), X, Y)) {
          SetPosition(i);
          break;
        }
      }
      const TRect first = GetRatingRect(FMin + 1);
      if (X >= first.Left - 4 && X < first.Left && Y >= first.Top && Y <= first.Bottom) SetPosition(FMin);
    }
  } else if (Button == mbLeft) {
    HideTrackHint();
    FSliding = false;
    if (FThumbDown) {
      FThumbDown = false;
      TRect thumb;
      GetThumbRect(false, thumb);
      if (!Inside(thumb, X, Y)) FThumbHot = false;
      DrawThumb();
    }
    if (VisibleButtons()) {
      if (FMinButtonDown && Inside(GetMinButtonRect(), X, Y)) {
        FMinButtonDown = false;
        Invalidate();
        MinButtonClick();
      }
      if (FMaxButtonDown && Inside(GetMaxButtonRect(), X, Y)) {
        FMaxButtonDown = false;
        Invalidate();
        MaxButtonClick();
      }
    }
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomTrackBar::MouseLeave() {
  TCustomControl::MouseLeave();
  if (FMinButtonHot || FMinButtonDown || FMaxButtonHot || FMaxButtonDown) {
    FMinButtonHot = FMinButtonDown = FMaxButtonHot = FMaxButtonDown = false;
    Invalidate();
  }
  if ((FThumbHot || FThumbDown) && !FSliding) {
    FThumbHot = false;
    FThumbDown = false;
    DrawThumb();
  }
}

// ---------------------------------------------------------------- keys and wheel

void TCustomTrackBar::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0 || Shift.Contains(ssShift)) return;
  const bool vertical = FOrientation == trVertical;
  switch (Key) {
    case VK_PRIOR:
      SetPosition(trackbar::StepFrom(FPosition, FPageSize));
      break;
    case VK_NEXT:
      SetPosition(trackbar::StepFrom(FPosition, -static_cast<long long>(FPageSize)));
      break;
    case VK_END:
      SetPosition(vertical ? GetMinPosition() : GetMaxPosition());
      break;
    case VK_HOME:
      SetPosition(vertical ? GetMaxPosition() : GetMinPosition());
      break;
    case VK_UP:
    case VK_RIGHT:
      if (FPosition < FMax) SetPosition(FPosition + 1);
      break;
    case VK_LEFT:
    case VK_DOWN:
      if (FPosition > FMin) SetPosition(FPosition - 1);
      break;
    default:
      break;
  }
}

void TCustomTrackBar::DefaultHandler(TMessage& Message) {
  TCustomControl::DefaultHandler(Message);
  if (Message.Msg == WM_GETDLGCODE) Message.Result |= DLGC_WANTARROWS;
}

bool TCustomTrackBar::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  TCustomControl::DoMouseWheelDown(Shift, MousePos);
  if (FPosition > FMin) SetPosition(FPosition - 1);
  return true;
}

bool TCustomTrackBar::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  TCustomControl::DoMouseWheelUp(Shift, MousePos);
  if (FPosition < FMax) SetPosition(FPosition + 1);
  return true;
}

void TCustomTrackBar::DoEnter() {
  TCustomControl::DoEnter();
  Repaint();
}

void TCustomTrackBar::DoExit() {
  TCustomControl::DoExit();
  Repaint();
}

void TCustomTrackBar::EnabledChanged() {
  TCustomControl::EnabledChanged();
  Invalidate();
}

// ---------------------------------------------------------------- track hint

void TCustomTrackBar::ShowTrackHint(int X, int Y, int Position) {
  std::string hint = std::to_string(Position);
  if (OnGetTrackHint) OnGetTrackHint(this, Position, hint);
  const TPoint screen = ClientToScreen(TPoint{X, Y});
  FTrackHintWnd->ActivateHint(TPoint{screen.X + 10, screen.Y}, hint);
  FTrackHintShow = true;
}

void TCustomTrackBar::HideTrackHint() {
  if (!FTrackHintShow) return;
  FTrackHintWnd->Hide();
  FTrackHintShow = false;
}
