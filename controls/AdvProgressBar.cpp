#include "controls/AdvProgressBar.h"

#include <algorithm>
#include <cmath>

namespace {

int RoundEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

// Integers into a "%d" text in turn; "%%" is a percent sign. Anything else
// stays as written, so a stray placeholder can never read past the values.
std::string FormatIntegers(const std::string& format, std::initializer_list<int> values) {
  std::string out;
  auto next = values.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (format[i + 1] == 'd' && next != values.end()) {
        out += std::to_string(*next++);
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

void SolidBlock(TCanvas* c, const TRect& r, TColor color) {
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(color);
  c->Pen->SetColor(color);
  c->FillRect(r);
}

// Bands across the bar: horizontal stripes (Across false) or vertical ones.
void StepGradient(TCanvas* c, TColor from, TColor to, int steps, const TRect& r, bool vertical) {
  if (steps <= 0) steps = 1;
  const TColor f = ColorToRGB(from), t = ColorToRGB(to);
  const int start = vertical ? r.Left : r.Top;
  const int end = vertical ? r.Right : r.Bottom;
  const double h = static_cast<double>(end - start) / steps;
  for (int i = 0; i < steps; ++i) {
    auto ch = [&](int a, int b) {
      return std::clamp(a + RoundEven(i * static_cast<double>(b - a) / steps), 0, 255);
    };
    const TColor color =
        RGB(ch(GetRValue(f), GetRValue(t)), ch(GetGValue(f), GetGValue(t)), ch(GetBValue(f), GetBValue(t)));
    const int s = start + RoundEven(i * h);
    const int e = std::min(end, s + static_cast<int>(h) + 1);
    if (e <= s) continue;
    SolidBlock(c, vertical ? Rect(s, r.Top, e, r.Bottom) : Rect(r.Left, s, r.Right, e), color);
  }
}

void Shade(TCanvas* c, const TGaugeBlock& b, const TGaugeSettings& S) {
  const TRect& r = b.Rect;
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  if (!S.ShowGradient) return SolidBlock(c, r, b.Color);
  const bool vertical = S.Orientation == goVertical;
  if (vertical) {
    const int m = r.Left + (r.Right - r.Left) / 2;
    StepGradient(c, b.ColorTo, b.Color, S.Steps, Rect(r.Left, r.Top, m, r.Bottom), true);
    StepGradient(c, b.Color, b.ColorTo, S.Steps, Rect(m, r.Top, r.Right, r.Bottom), true);
  } else {
    const int m = r.Top + (r.Bottom - r.Top) / 2;
    StepGradient(c, b.ColorTo, b.Color, S.Steps, Rect(r.Left, r.Top, r.Right, m), false);
    StepGradient(c, b.Color, b.ColorTo, S.Steps, Rect(r.Left, m, r.Right, r.Bottom), false);
  }
}

// A horizontal rectangle along the bar laid onto a vertical bar, filling
// from the bottom upward.
TRect ToVertical(const TRect& h, const TRect& R) {
  return Rect(R.Left + (h.Top - R.Top), R.Bottom - (h.Right - R.Left), R.Left + (h.Bottom - R.Top),
              R.Bottom - (h.Left - R.Left));
}

// The bar's rectangle as a horizontal one of the same length and thickness.
TRect AlongBar(const TRect& R, bool vertical) {
  return vertical ? Rect(R.Left, R.Top, R.Left + (R.Bottom - R.Top), R.Top + (R.Right - R.Left)) : R;
}

}  // namespace

int GaugePercent(int Value, int Min, int Max) {
  if (Max == Min) return 0;
  // Differences in double: a full int range overflows an int.
  const double p = (static_cast<double>(Value) - Min) * 100.0 / (static_cast<double>(Max) - Min);
  // A maximum lowered below the position must not draw past the trough;
  // clamped before the rounding, which could not hold a far larger value.
  return RoundEven(std::clamp(p, 0.0, 100.0));
}

std::vector<TGaugeBlock> GaugeBlocks(const TRect& R0, const TGaugeSettings& S) {
  const bool vertical = S.Orientation == goVertical;
  // Work along a horizontal bar; a vertical one is laid back afterwards.
  const TRect R = AlongBar(R0, vertical);
  std::vector<TGaugeBlock> blocks;
  int p = S.Position;
  int perc1 = S.Level1Perc, perc2 = S.Level2Perc;
  if (S.Infinite) {
    p = 100;
    perc1 = perc2 = 101;
  }
  if (p <= 0) return blocks;
  const int L = (R.Right - R.Left) - 2;
  if (S.Stacked) {
    const int len0 = RoundEven((p < perc1 ? p : perc1) / 100.0 * L);
    blocks.push_back(
        {Rect(R.Left + 2, R.Top + 1, R.Left + len0, R.Bottom - 1), S.Level0Color, S.Level0ColorTo});
    if (p >= perc1) {
      const int len1 =
          p < perc2 ? RoundEven(L * (p - perc1) / 100.0) : RoundEven(L * (perc2 - perc1) / 100.0);
      const int x1 = R.Left + len0;
      blocks.push_back({Rect(x1, R.Top + 1, x1 + len1, R.Bottom - 1), S.Level1Color, S.Level1ColorTo});
      if (p >= perc2) {
        const int len2 = p == 100 ? L - len0 - len1 : RoundEven(L * (p - perc2) / 100.0);
        const int x2 = x1 + len1;
        blocks.push_back({Rect(x2, R.Top + 1, x2 + len2, R.Bottom - 1), S.Level2Color, S.Level2ColorTo});
      }
    }
  } else {
    TColor c = S.Level2Color, cto = S.Level2ColorTo;
    if (p < perc1)
      c = S.Level0Color, cto = S.Level0ColorTo;
    else if (p < perc2)
      c = S.Level1Color, cto = S.Level1ColorTo;
    else if (p >= 100)
      c = S.Level3Color, cto = S.Level3ColorTo;
    if (S.CompletionSmooth) {
      blocks.push_back(
          {Rect(R.Left + 2, R.Top + 2, R.Left + RoundEven(p / 100.0 * L), R.Bottom - 2), c, cto});
    } else {
      const int F = RoundEven(L * p / 100.0);
      if (F <= 9) {
        if (F > 1) blocks.push_back({Rect(R.Left + 2, R.Top + 2, R.Left + F + 1, R.Bottom - 2), c, cto});
      } else {
        int x = R.Left + 2;
        int right = x;
        for (int i = 0; i < F / 9; ++i) {
          blocks.push_back({Rect(x, R.Top + 2, x + 7, R.Bottom - 2), c, cto});
          right = x + 7;
          x = right + 2;
        }
        if (F % 9 > 2)
          blocks.push_back({Rect(right + 2, R.Top + 2, right + 2 + (F % 9) - 1, R.Bottom - 2), c, cto});
      }
    }
  }
  if (vertical)
    for (TGaugeBlock& b : blocks) b.Rect = ToVertical(b.Rect, R0);
  return blocks;
}

std::string GaugeText(const TGaugeSettings& S) {
  if (!S.Format.empty()) return FormatIntegers(S.Format, {S.Value, S.Max});
  return S.ShowPercentage ? std::to_string(S.Position) + "%" : std::to_string(S.Value);
}

void DrawGauge(TCanvas* Canvas, const TRect& R, const TGaugeSettings& S) {
  TCanvas* c = Canvas;
  const bool vertical = S.Orientation == goVertical;
  if (S.Rounded) SolidBlock(c, R, clFuchsia);
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(S.BackgroundColor);
  c->Pen->SetColor(S.ShowBorder ? S.BorderColor : S.BackgroundColor);
  if (S.Rounded)
    c->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 6, 6);
  else
    c->Rectangle(R);
  // Zone backgrounds.
  const int L = (vertical ? R.Bottom - R.Top : R.Right - R.Left) - 2;
  if (S.Level0BkColor != clNone || S.Level1BkColor != clNone || S.Level2BkColor != clNone) {
    const int z0 = RoundEven(S.Level1Perc / 100.0 * L);
    const int z1 = RoundEven((S.Level2Perc - S.Level1Perc) / 100.0 * L);
    const TColor colors[3] = {S.Level0BkColor, S.Level1BkColor, S.Level2BkColor};
    const int starts[3] = {2, z0, z0 + z1};
    const int ends[3] = {z0, z0 + z1, L};
    for (int z = 0; z < 3; ++z) {
      if (colors[z] == clNone) continue;
      const TRect along = AlongBar(R, vertical);
      const TRect h = Rect(along.Left + starts[z], along.Top + 1, along.Left + ends[z], along.Bottom - 1);
      SolidBlock(c, vertical ? ToVertical(h, R) : h, colors[z]);
    }
  }
  for (const TGaugeBlock& b : GaugeBlocks(R, S)) Shade(c, b, S);
  if (S.Infinite) {
    const int len = (vertical ? R.Bottom - R.Top : R.Right - R.Left) - 4;
    const int P = len < 5 ? 0 : RoundEven(S.InfinitePos / 100.0 * len);
    if (vertical) {
      SolidBlock(c, Rect(R.Left + 1, R.Top + 2, R.Right - 1, std::max(R.Top + 2, R.Top + P - 10)),
                 S.BackgroundColor);
      SolidBlock(c, Rect(R.Left + 2, R.Top + P + 12, R.Right - 2, R.Bottom - 2), S.BackgroundColor);
    } else {
      SolidBlock(c, Rect(R.Left + 2, R.Top + 1, std::max(R.Left + 2, R.Left + P - 10), R.Bottom - 1),
                 S.BackgroundColor);
      SolidBlock(c, Rect(R.Left + P + 12, R.Top + 2, R.Right - 2, R.Bottom - 2), S.BackgroundColor);
    }
  }
  if (S.ShowPosition) {
    c->Brush->SetStyle(bsClear);
    if (S.Font) c->Font->Assign(S.Font);
    const std::string text = GaugeText(S);
    const int w = c->TextWidth(text), h = c->TextHeight(text);
    if (vertical) {
      TFont rotated;
      rotated.Assign(c->Font.get());
      rotated.SetOrientation(900);
      c->Font->Assign(&rotated);
      c->TextOut(R.Left + (R.Right - R.Left) / 2 - h / 2, R.Top + (R.Bottom - R.Top) / 2 + w / 2, text);
    } else {
      c->TextOut(R.Left + (R.Right - R.Left) / 2 - w / 2, R.Top + (R.Bottom - R.Top) / 2 - h / 2, text);
    }
    c->Brush->SetStyle(bsSolid);
  }
}

// ---------------------------------------------------------------- the control

TAdvProgressBar::TAdvProgressBar(TComponent* AOwner)
    : TGraphicControl(AOwner), FFont(std::make_unique<TFont>()) {
  FFont->SetName("Verdana");
  FFont->SetSize(10);
  FFont->OnChange = [this](TGraphicsObject*) { Invalidate(); };
  FTimer = new TTimer(this);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(static_cast<unsigned>(FInfiniteInterval));
  FTimer->OnTimer = [this](TObject* s) { TimerTick(s); };
  SetBounds(GetLeft(), GetTop(), 128, 18);
}

TAdvProgressBar::~TAdvProgressBar() = default;

void TAdvProgressBar::SetPosition(int Value) {
  if (Value < FMin || Value > FMax) {
    const int clamped = Value < FMin ? FMin : FMax;
    // Not painted at once, but the bar must not go on showing the old value.
    if (clamped != FPosition) Invalidate();
    FPosition = clamped;
    return;
  }
  FPosition = Value;
  const int p = GaugePercent(Value, FMin, FMax);
  const bool paint = FMaxIncrement == 0 || Value % FMaxIncrement == 0 ||
                     Value / FMaxIncrement != FOldBlockPos || p != FOldPos;
  if (paint) Repaint();
  FOldPos = p;
  if (FMaxIncrement != 0) FOldBlockPos = Value / FMaxIncrement;
}

void TAdvProgressBar::SetMax(int Value) {
  FMax = Value;
  FMaxIncrement = static_cast<int>((static_cast<long long>(FMax) - FMin) / 100);
  Invalidate();
}

void TAdvProgressBar::SetMin(int Value) {
  FMin = Value;
  FMaxIncrement = static_cast<int>((static_cast<long long>(FMax) - FMin) / 100);
  Invalidate();
}

void TAdvProgressBar::UpdateTimer() {
  FTimer->SetEnabled(FInfinite && FAnimated);
}

void TAdvProgressBar::SetInfinite(bool Value) {
  FInfinite = Value;
  if (Value) FInfinitePos = 0;
  UpdateTimer();
  Invalidate();
}

void TAdvProgressBar::SetAnimated(bool Value) {
  FAnimated = Value;
  UpdateTimer();
  Invalidate();
}

void TAdvProgressBar::SetInfiniteInterval(int Value) {
  FInfiniteInterval = Value;
  FTimer->SetInterval(static_cast<unsigned>(Value));
}

void TAdvProgressBar::TimerTick(TObject*) {
  if (FInfiniteInc > 0) {
    FInfinitePos += 4;
    if (FInfinitePos > 99) {
      FInfinitePos = 100;
      FInfiniteInc = -1;
    }
  } else {
    FInfinitePos -= 4;
    if (FInfinitePos < 1) {
      FInfinitePos = 0;
      FInfiniteInc = 1;
    }
  }
  Repaint();
}

TGaugeSettings TAdvProgressBar::Settings() const {
  return TGaugeSettings{FLevel0Color,
                        FLevel0ColorTo,
                        FLevel1Color,
                        FLevel1ColorTo,
                        FLevel2Color,
                        FLevel2ColorTo,
                        FLevel3Color,
                        FLevel3ColorTo,
                        FLevel1Perc,
                        FLevel2Perc,
                        FBorderColor,
                        FLevel0BkColor,
                        FLevel1BkColor,
                        FLevel2BkColor,
                        FShowBorder,
                        FStacked,
                        FShowPercentage,
                        FShowPosition,
                        FFont.get(),
                        FCompletionSmooth,
                        FShowGradient,
                        FSteps,
                        GaugePercent(FPosition, FMin, FMax),
                        FPosition,
                        FMax,
                        FBackgroundColor,
                        FOrientation,
                        FRounded,
                        FFormat,
                        FInfinite,
                        FInfinitePos};
}

void TAdvProgressBar::Paint() {
  TCanvas* c = GetCanvas();
  if (!c || !GetParent()) return;
  ++FPaintCount;
  TBitmap bmp(GetWidth(), GetHeight());
  DrawGauge(bmp.GetCanvas(), GetClientRect(), Settings());
  if (FRounded) {
    bmp.SetTransparentMode(tmFixed);
    bmp.SetTransparentColor(clFuchsia);
    bmp.SetTransparent(true);
  }
  c->Draw(0, 0, &bmp);
}
