#include "instruments/base/iDrawing.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/classlib/Controls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/PageControl.h"
#include "platform/classlib/Printers.h"

namespace {

int Clamp255(long long v) {
  return static_cast<int>(std::clamp<long long>(v, 0, 255));
}

// A date-time difference as whole units: days, then the time fields.
long long DateTimeUnits(TDateTime Value, long long perDay, long long perHour, long long perMinute,
                        long long perSecond, long long perMs) {
  // Past a billion days every unit is out of range; NaN counts as negative.
  if (!(Value < 1e9)) return Value >= 1e9 ? LLONG_MAX : -1;
  if (Value <= -1e9) return -1;
  const double days = std::trunc(Value + (Value < 0 ? -1e-15 : 1e-15));
  long long ms = std::llround(std::fabs(Value - days) * 86400000.0);
  if (ms >= 86400000) ms = 86400000 - 1;
  const long long h = ms / 3600000, m = ms / 60000 % 60, s = ms / 1000 % 60, milli = ms % 1000;
  return static_cast<long long>(days) * perDay + h * perHour + m * perMinute + s * perSecond + milli * perMs;
}

// Out-of-range results clamp instead of wrapping.
int ClampUnits(long long v, int negative) {
  if (v < 0) return negative;
  return v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

}  // namespace

int iRound(double X) {
  if (std::isnan(X)) return 0;
  const double r = std::nearbyint(X);
  if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(r);
}

unsigned iTextFlagsToDrawText(unsigned Flags) {
  static constexpr struct {
    unsigned Bit;
    unsigned Flag;
  } kMap[] = {{iTextFlagCenter, DT_CENTER},
              {iTextFlagRight, DT_RIGHT},
              {iTextFlagVCenter, DT_VCENTER},
              {iTextFlagBottom, DT_BOTTOM},
              {iTextFlagWordBreak, DT_WORDBREAK},
              {iTextFlagSingleLine, DT_SINGLELINE},
              {iTextFlagExpandTabs, DT_EXPANDTABS},
              {iTextFlagNoClip, DT_NOCLIP},
              {iTextFlagCalcRect, DT_CALCRECT},
              {iTextFlagEndEllipsis, DT_END_ELLIPSIS},
              {iTextFlagPathEllipsis, DT_PATH_ELLIPSIS},
              {iTextFlagWordEllipsis, DT_WORD_ELLIPSIS},
              {iTextFlagModifyString, DT_MODIFYSTRING}};
  unsigned result = 0;
  for (const auto& m : kMap)
    if (Flags & m.Bit) result |= m.Flag;
  if (!(Flags & iTextFlagShowPrefix)) result |= DT_NOPREFIX;
  return result;
}

// ---------------------------------------------------------------- colours

TColor ColorDivide(TColor Color, int Divisor) {
  auto f = [&](int c) { return Divisor >= 1 ? c / Divisor : Clamp255(static_cast<long long>(c) * -Divisor); };
  return RGB(Clamp255(f(GetRValue(Color))), Clamp255(f(GetGValue(Color))), Clamp255(f(GetBValue(Color))));
}

TColor ColorAdjust(TColor Color, int Amount, bool Lighten) {
  const TColor c = ColorToRGB(Color);
  const int d = Lighten ? Amount : -Amount;
  return RGB(Clamp255(GetRValue(c) + d), Clamp255(GetGValue(c) + d), Clamp255(GetBValue(c) + d));
}

TColor ColorHighlight(TColor Color) {
  return ColorAdjust(Color, 32, true);
}

TColor ColorShadow(TColor Color) {
  return ColorAdjust(Color, 64, false);
}

// ---------------------------------------------------------------- text

int DrawTextWithFlags(TCanvas* Canvas, const std::string& Text, TRect& ARect, TColor BackColor, bool Enabled,
                      unsigned Flags) {
  const unsigned flags = iTextFlagsToDrawText(Flags);
  if (!Enabled && !(Flags & iTextFlagCalcRect) && ColorToRGB(BackColor) != clBlack) {
    const TColor saved = Canvas->Font->GetColor();
    TRect shifted(ARect.Left + 1, ARect.Top + 1, ARect.Right + 1, ARect.Bottom + 1);
    Canvas->Font->SetColor(ColorAdjust(clBtnFace, 64, true));
    Canvas->DrawText(Text, shifted, flags);
    Canvas->Font->SetColor(ColorAdjust(clBtnFace, 32, false));
    const int result = Canvas->DrawText(Text, ARect, flags);
    Canvas->Font->SetColor(saved);
    return result;
  }
  return Canvas->DrawText(Text, ARect, flags);
}

void DrawRotatedText(TCanvas* Canvas, const std::string& Text, const TRect& ARect, TRect& TextRect,
                     TColor BackColor, bool Enabled, TiAlignmentHorizontal Alignment, TiRotationAngle Angle) {
  const TPoint c((ARect.Left + ARect.Right) / 2, (ARect.Top + ARect.Bottom) / 2);
  const int w = Canvas->TextWidth(Text), h = Canvas->TextHeight(Text);
  const TRect flat(c.X - w / 2, c.Y - h / 2, c.X + w / 2, c.Y + h / 2);
  const TRect turned(c.X - h / 2, c.Y - w / 2, c.X + h / 2, c.Y + w / 2);
  if (Angle == ira000) {
    unsigned flags = iTextFlagVCenter | iTextFlagNoClip;
    flags |= Alignment == iahLeft ? iTextFlagLeft : Alignment == iahRight ? iTextFlagRight : iTextFlagCenter;
    if (Text.find('\r') == std::string::npos) flags |= iTextFlagSingleLine;
    TRect r = ARect;
    DrawTextWithFlags(Canvas, Text, r, BackColor, Enabled, flags);
    TextRect = flat;
    return;
  }
  const int savedOrientation = Canvas->Font->GetOrientation();
  TPoint start;
  switch (Angle) {
    case ira090:
      Canvas->Font->SetOrientation(900);
      start = TPoint(c.X - h / 2, c.Y + w / 2);
      TextRect = turned;
      break;
    case ira180:
      Canvas->Font->SetOrientation(1800);
      start = TPoint(c.X + w / 2, c.Y + h / 2);
      TextRect = flat;
      break;
    default:
      Canvas->Font->SetOrientation(2700);
      start = TPoint(c.X - h / 2 + h, c.Y - w / 2);
      TextRect = turned;
      break;
  }
  // TextOut turns the text with the font's orientation (DrawText lays it
  // out level); a disabled text is etched as DrawTextWithFlags etches it.
  if (!Enabled && ColorToRGB(BackColor) != clBlack) {
    const TColor saved = Canvas->Font->GetColor();
    Canvas->Font->SetColor(ColorAdjust(clBtnFace, 64, true));
    Canvas->TextOut(start.X + 1, start.Y + 1, Text);
    Canvas->Font->SetColor(ColorAdjust(clBtnFace, 32, false));
    Canvas->TextOut(start.X, start.Y, Text);
    Canvas->Font->SetColor(saved);
  } else {
    Canvas->TextOut(start.X, start.Y, Text);
  }
  Canvas->Font->SetOrientation(savedOrientation);
}

int MultiLineTextWidth(TCanvas* Canvas, const std::string& Text) {
  int widest = 0;
  size_t start = 0;
  while (start <= Text.size()) {
    size_t end = Text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = Text.size();
    widest = std::max(widest, Canvas->TextWidth(Text.substr(start, end - start)));
    if (end < Text.size() && Text[end] == '\r' && end + 1 < Text.size() && Text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return Text.empty() ? 0 : widest;
}

int MultiLineTextHeight(TCanvas* Canvas, const std::string& Text) {
  TRect r(0, 0, 0, 0);
  return DrawTextWithFlags(Canvas, Text, r, clBtnFace, true, iTextFlagCalcRect | iTextFlagNoClip);
}

int TextHeightForWidth(TCanvas* Canvas, const std::string& Text, int Width) {
  TRect r(0, -800, Width, -100);
  return DrawTextWithFlags(Canvas, Text, r, clBtnFace, true,
                           iTextFlagWordBreak | iTextFlagLeft | iTextFlagTop);
}

// ---------------------------------------------------------------- shapes

void DrawFocusRectangle(TCanvas* Canvas, const TRect& ARect) {
  Canvas->DrawFocusRect(ARect);
}

void DrawBevel(TCanvas* Canvas, const TRect& ARect, int Style) {
  TRect r = ARect;
  if (Style == iBevelLowered) {
    Canvas->DrawEdge(r, EDGE_SUNKEN, BF_RECT);
  } else if (Style == iBevelRaised) {
    Canvas->DrawEdge(r, EDGE_RAISED, BF_RECT);
  } else if (Style == iBevelFlat) {
    Canvas->Pen->SetStyle(psSolid);
    Canvas->Pen->SetColor(clBtnShadow);
    Canvas->Polygon({TPoint(ARect.Left, ARect.Top), TPoint(ARect.Right - 1, ARect.Top),
                     TPoint(ARect.Right - 1, ARect.Bottom - 1), TPoint(ARect.Left, ARect.Bottom - 1)});
  }
}

std::vector<TiGradientStep> GradientSteps(const TRect& ARect, TiFillDirection Direction, TColor StartColor,
                                          TColor StopColor, int& PenWidth) {
  const int R = ARect.Right, B = ARect.Bottom, M = std::max(R, B);
  int n = 0;
  PenWidth = 1;
  switch (Direction) {
    case ifdTopBottom:
    case ifdBottomTop:
      n = ARect.Height() - 1;
      break;
    case ifdLeftRight:
    case ifdRightLeft:
      n = ARect.Width() - 1;
      break;
    case ifdRectangleOut:
    case ifdRectangleIn:
      n = (M - 1) / 3;
      PenWidth = 2;
      break;
    case ifdCircleOut:
    case ifdCircleIn:
      n = (M - 1) / 8;
      PenWidth = 16;
      break;
    default:
      n = 2 * (M - 1);
      break;
  }
  const bool forward = Direction == ifdTopBottom || Direction == ifdLeftRight ||
                       Direction == ifdTopLeftBottomRight || Direction == ifdBottomLeftTopRight ||
                       Direction == ifdRectangleOut || Direction == ifdCircleOut;
  std::vector<TiGradientStep> steps;
  for (int k = 0; k <= n; ++k) {
    // A gradient one pixel long has one step, in the start colour.
    const double t = n > 0 ? static_cast<double>(k) / n : 0.0;
    const double a = forward ? t : 1 - t;
    auto mix = [&](int start, int stop) { return iRound(a * stop + (1 - a) * start); };
    TiGradientStep s;
    s.Color = RGB(mix(GetRValue(StartColor), GetRValue(StopColor)),
                  mix(GetGValue(StartColor), GetGValue(StopColor)),
                  mix(GetBValue(StartColor), GetBValue(StopColor)));
    const double sx = 2 * t;
    switch (Direction) {
      case ifdTopBottom:
      case ifdBottomTop:
        s.P1 = TPoint(ARect.Left, ARect.Top + k);
        s.P2 = TPoint(ARect.Right, ARect.Top + k);
        break;
      case ifdLeftRight:
      case ifdRightLeft:
        s.P1 = TPoint(ARect.Left + k, ARect.Top);
        s.P2 = TPoint(ARect.Left + k, ARect.Bottom);
        break;
      case ifdTopLeftBottomRight:
      case ifdBottomRightTopLeft:
        s.P1 = TPoint(iRound(sx * (R - 1)) - 1, 0);
        s.P2 = TPoint(-1, iRound(sx * (B - 1)));
        break;
      case ifdBottomLeftTopRight:
      case ifdTopRightBottomLeft:
        s.P1 = TPoint(0, (B - 1) - iRound(sx * (B - 1)));
        s.P2 = TPoint(iRound(sx * (R - 1)), B - 1);
        break;
      default: {
        const bool circle = Direction == ifdCircleOut || Direction == ifdCircleIn;
        const double f = circle ? 1.414 * t : t;
        const double cx = (R - 1) / 2.0, cy = (B - 1) / 2.0;
        s.Kind = circle ? TiGradientStep::Ellipse : TiGradientStep::Rectangle;
        s.P1 = TPoint(iRound(cx - f * cx), iRound(cy + f * cy));
        s.P2 = TPoint(iRound(cx + f * cx), iRound(cy - f * cy));
        break;
      }
    }
    steps.push_back(s);
  }
  return steps;
}

void FillGradient(TCanvas* Canvas, const TRect& ARect, TiFillDirection Direction, TColor StartColor,
                  TColor StopColor) {
  Canvas->Brush->SetStyle(bsClear);
  int penWidth = 1;
  const auto steps = GradientSteps(ARect, Direction, StartColor, StopColor, penWidth);
  Canvas->Pen->SetWidth(penWidth);
  for (const auto& s : steps) {
    Canvas->Pen->SetColor(s.Color);
    const TRect r = NormalizedRect(s.P1.X, s.P1.Y, s.P2.X, s.P2.Y);
    if (s.Kind == TiGradientStep::Line)
      Canvas->Polyline({s.P1, s.P2});
    else if (s.Kind == TiGradientStep::Rectangle)
      Canvas->Rectangle(r);
    else
      Canvas->Ellipse(r);
  }
  Canvas->Pen->SetWidth(1);
  const TColor centre = Direction == ifdRectangleOut ? StartColor : StopColor;
  if (Direction == ifdRectangleOut || Direction == ifdRectangleIn)
    Canvas->SetPixels(ARect.Left + ARect.Width() / 2 - 1, ARect.Top + ARect.Height() / 2 - 1, centre);
}

// ---------------------------------------------------------------- geometry

void SwapIntegers(int& A, int& B) {
  std::swap(A, B);
}

TRect NormalizedRect(int X1, int Y1, int X2, int Y2) {
  return TRect(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
}

TRect NormalizedRectSwapXY(bool Swap, int X1, int Y1, int X2, int Y2) {
  return Swap ? NormalizedRect(Y1, X1, Y2, X2) : NormalizedRect(X1, Y1, X2, Y2);
}

TPoint PointSwapXY(bool Swap, int X, int Y) {
  return Swap ? TPoint(Y, X) : TPoint(X, Y);
}

TiDoublePoint MakeDoublePoint(double X, double Y) {
  return {X, Y};
}

// ---------------------------------------------------------------- numbers and times

int DecimalsForPrecision(int Precision, TiPrecisionStyle Style, double Value1, double Value2) {
  if (Style == ipsFixedDecimalPoints) return Precision;
  if (Style != ipsSignificantDigits || Precision <= 0) return 0;
  const double d = std::fabs(Value2 - Value1);
  if (!std::isfinite(d)) return 0;
  int n = d != 0 ? Precision - (static_cast<int>(std::trunc(std::log10(d))) + 1) : 0;
  if (d < 1) ++n;
  return std::max(n, 0);
}

int DateTimeToMilliseconds(TDateTime Value) {
  return ClampUnits(DateTimeUnits(Value, 86400000, 3600000, 60000, 1000, 1), INT_MAX);
}

int DateTimeToSeconds(TDateTime Value) {
  return ClampUnits(DateTimeUnits(Value, 86400, 3600, 60, 1, 0), INT_MAX);
}

int DateTimeToMinutes(TDateTime Value) {
  return ClampUnits(DateTimeUnits(Value, 1440, 60, 1, 0, 0), 10000);
}

int DateTimeToHours(TDateTime Value) {
  return ClampUnits(DateTimeUnits(Value, 24, 1, 0, 0, 0), INT_MAX);
}

// ---------------------------------------------------------------- printing and forms

void GetPaperSizeInches(int PaperCode, double& Width, double& Height) {
  PaperSizeInches(PaperCode, Width, Height);
}

void GetPrinterPaperSizeInches(double& Width, double& Height) {
  TPrinter* printer = Printer();
  GetPaperSizeInches(printer->GetPaperCode(), Width, Height);
  if (printer->GetOrientation() == poLandscape) std::swap(Width, Height);
}

double MillimetresToInches(double X) {
  return X / 10 / 2.54;
}

TComponent* FindOwnerForm(TComponent* Component) {
  TComponent* lastWindowed = nullptr;
  for (TComponent* o = Component ? Component->GetOwner() : nullptr; o; o = o->GetOwner()) {
    if (dynamic_cast<TCustomForm*>(o)) return o;
    if (dynamic_cast<TWinControl*>(o)) lastWindowed = o;
  }
  return lastWindowed;
}

void FocusComponentWindow(TWinControl* Control) {
  if (Control && Control->CanFocus()) Control->SetFocus();
}

bool IsShiftKeyDown() {
  return GetInputShiftState().Contains(ssShift);
}

bool IsControlKeyDown() {
  return GetInputShiftState().Contains(ssCtrl);
}

void SetActivePageIndex(TPageControl* PageControl, int Index) {
  if (PageControl && Index < PageControl->GetPageCount()) PageControl->SetActivePageIndex(Index);
}

int GetActivePageIndex(TPageControl* PageControl) {
  return PageControl ? PageControl->GetActivePageIndex() : -1;
}
