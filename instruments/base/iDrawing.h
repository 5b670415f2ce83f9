#pragma once
// Drawing and utility functions shared by every drawing part of the
// library: colour arithmetic, flagged, etched and rotated text, bevels, the
// twelve-direction gradient, geometry for plots whose axes can be
// exchanged, decimals and date-time conversions for axis labels, paper
// sizes. They keep no state.

#include <cstdint>
#include <string>

#include "platform/classlib/Graphics.h"
#include "platform/sys/DateTime.h"

class TComponent;
class TWinControl;

// The library's own text-flag bits (DrawTextWithFlags).
constexpr unsigned iTextFlagLeft = 0x0001;
constexpr unsigned iTextFlagCenter = 0x0002;
constexpr unsigned iTextFlagRight = 0x0004;
constexpr unsigned iTextFlagTop = 0x0008;
constexpr unsigned iTextFlagVCenter = 0x0010;
constexpr unsigned iTextFlagBottom = 0x0020;
constexpr unsigned iTextFlagWordBreak = 0x0040;
constexpr unsigned iTextFlagSingleLine = 0x0080;
constexpr unsigned iTextFlagExpandTabs = 0x0100;
constexpr unsigned iTextFlagNoClip = 0x0200;
constexpr unsigned iTextFlagShowPrefix = 0x0400;
constexpr unsigned iTextFlagCalcRect = 0x0800;
constexpr unsigned iTextFlagEndEllipsis = 0x1000;
constexpr unsigned iTextFlagPathEllipsis = 0x2000;
constexpr unsigned iTextFlagWordEllipsis = 0x4000;
constexpr unsigned iTextFlagModifyString = 0x8000;

// The class library's DrawText flags for the library's bits.
unsigned iTextFlagsToDrawText(unsigned Flags);

enum TiFillDirection {
  ifdTopBottom,
  ifdBottomTop,
  ifdLeftRight,
  ifdRightLeft,
  ifdTopLeftBottomRight,
  ifdBottomRightTopLeft,
  ifdBottomLeftTopRight,
  ifdTopRightBottomLeft,
  ifdRectangleOut,
  ifdRectangleIn,
  ifdCircleOut,
  ifdCircleIn
};
enum TiRotationAngle { ira000, ira090, ira180, ira270 };
enum TiAlignmentHorizontal { iahCenter, iahLeft, iahRight };
enum TiAlignmentVertical { iavCenter, iavTop, iavBottom };
enum TiPrecisionStyle { ipsSignificantDigits, ipsFixedDecimalPoints };

// DrawBevel styles.
constexpr int iBevelLowered = 0;
constexpr int iBevelRaised = 1;
constexpr int iBevelFlat = 2;

// Colours.
TColor ColorDivide(TColor Color, int Divisor);
TColor ColorAdjust(TColor Color, int Amount, bool Lighten);
TColor ColorHighlight(TColor Color);
TColor ColorShadow(TColor Color);

// Text.
int DrawTextWithFlags(TCanvas* Canvas, const std::string& Text, TRect& ARect, TColor BackColor, bool Enabled,
                      unsigned Flags);
void DrawRotatedText(TCanvas* Canvas, const std::string& Text, const TRect& ARect, TRect& TextRect,
                     TColor BackColor, bool Enabled, TiAlignmentHorizontal Alignment, TiRotationAngle Angle);
int MultiLineTextWidth(TCanvas* Canvas, const std::string& Text);
int MultiLineTextHeight(TCanvas* Canvas, const std::string& Text);
int TextHeightForWidth(TCanvas* Canvas, const std::string& Text, int Width);

// Shapes.
void DrawFocusRectangle(TCanvas* Canvas, const TRect& ARect);
void DrawBevel(TCanvas* Canvas, const TRect& ARect, int Style);

// One figure of a gradient: a polyline, or an unfilled rectangle or ellipse.
struct TiGradientStep {
  enum Shape { Line, Rectangle, Ellipse } Kind = Line;
  TPoint P1, P2;
  TColor Color = 0;
};
// The figures FillGradient draws, in order, and their pen width.
std::vector<TiGradientStep> GradientSteps(const TRect& ARect, TiFillDirection Direction, TColor StartColor,
                                          TColor StopColor, int& PenWidth);
void FillGradient(TCanvas* Canvas, const TRect& ARect, TiFillDirection Direction, TColor StartColor,
                  TColor StopColor);

// Geometry.
void SwapIntegers(int& A, int& B);
TRect NormalizedRect(int X1, int Y1, int X2, int Y2);
TRect NormalizedRectSwapXY(bool Swap, int X1, int Y1, int X2, int Y2);
TPoint PointSwapXY(bool Swap, int X, int Y);
struct TiDoublePoint {
  double X = 0;
  double Y = 0;
};
TiDoublePoint MakeDoublePoint(double X, double Y);

// Numbers and times.
int DecimalsForPrecision(int Precision, TiPrecisionStyle Style, double Value1, double Value2);
int DateTimeToMilliseconds(TDateTime Value);
int DateTimeToSeconds(TDateTime Value);
int DateTimeToMinutes(TDateTime Value);
int DateTimeToHours(TDateTime Value);

// Printing.
void GetPaperSizeInches(int PaperCode, double& Width, double& Height);
// The current printer's paper, width and height exchanged for landscape.
void GetPrinterPaperSizeInches(double& Width, double& Height);
double MillimetresToInches(double X);

// Forms.
TComponent* FindOwnerForm(TComponent* Component);
class TWinControl;
// Gives the control the keyboard focus when it can take it; otherwise nothing.
void FocusComponentWindow(TWinControl* Control);
// The modifier keys of the input being handled.
bool IsShiftKeyDown();
bool IsControlKeyDown();
class TPageControl;
// Makes page Index active when it is below the page count.
void SetActivePageIndex(TPageControl* PageControl, int Index);
// The active page's index; -1 when none is active.
int GetActivePageIndex(TPageControl* PageControl);

// Halves to the even neighbour, as the library rounds pixels.
int iRound(double X);
