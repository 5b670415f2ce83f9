#pragma once
// Drawing routines of the fader: band gradients, colour blends, 3D frames,
// the dotted focus rectangle, rounded outlines, the two-part glossy fill and
// the polygon thumbs. They keep no state. The band and polygon geometry is
// computed by pure functions so that it can be checked without drawing.

#include <memory>
#include <vector>

#include "controls/AdvGDIP.h"
#include "controls/AdvTrackBarParts.h"

// One band of a band gradient: a filled rectangle in one colour.
struct TGradientBand {
  TRect Rect;
  TColor Color;
};
std::vector<TGradientBand> GradientBands(TColor From, TColor To, bool Across, const TRect& R, int Steps);

void DrawGradient(TCanvas* Canvas, TColor From, TColor To, bool Across, const TRect& R, int Steps);
void DrawGradientRect(TCanvas* Canvas, TColor From, TColor To, TGradientDirection Direction, const TRect& R,
                      int Steps);

// Narrows a canvas's clip to a region (logical coordinates, taken over and
// freed) for the life of the object; the clip before it comes back after.
class TCanvasRegionClip {
 public:
  TCanvasRegionClip(TCanvas* Canvas, HRGN Region);
  ~TCanvasRegionClip();
  TCanvasRegionClip(const TCanvasRegionClip&) = delete;
  TCanvasRegionClip& operator=(const TCanvasRegionClip&) = delete;

 private:
  TCanvas* FCanvas;
  int FLevel;
};

TColor BlendColor(TColor A, TColor B, int Percent);
void Draw3DFrame(TCanvas* Canvas, const TRect& R, bool Swap, TColor Color1, TColor Color2);
void DrawDottedFocusRect(TCanvas* Canvas, const TRect& R, TColor Color);

std::unique_ptr<TGPGraphicsPath> CreateRoundedRectPath(const TGPRectF& R, float Radius);
void DrawRoundRectOutline(TGPGraphics* Graphics, const TGPRectF& R, float Radius, TColor Color);
void FillGlossyHalf(TGPGraphics* Graphics, const TGPRectF& R, TColor A, TColor B, TGDIPGradient Kind,
                    bool Upper);
void DrawGlossyOutline(TGPGraphics* Graphics, const TGPRectF& R, TTrackButtonShape Shape, bool Vertical,
                       TColor Inner, TColor Outer);
void DrawGlossy(TGPGraphics* Graphics, const TRect& R, TTrackButtonShape Shape, TColor Outer, TColor Inner,
                const TThumbColors& Colors, TGDIPGradient Gradient, TGDIPGradient GradientMirror,
                bool Vertical);

// Polygons of the thumb shapes on R = (L, T, R, B).
std::vector<TPoint> PointerThumbPoints(const TRect& R, TTickMark Ticks, bool Vertical);
std::vector<TPoint> TriangleThumbPoints(const TRect& R, int Code);
std::vector<TPoint> PointerRightUpThumbPoints(const TRect& R, int Code);
std::vector<TPoint> PointerLeftUpThumbPoints(const TRect& R, int Code);

std::unique_ptr<TGPGraphicsPath> PolygonPath(const std::vector<TPoint>& Points);

// The band direction a thumb gradient takes from its gradient kind.
TGradientDirection ThumbGradientDirection(TGDIPGradient Gradient);
