#pragma once
// Inside the class library only: the canvas state behind its clip, origin
// and background calls, the region object, and the shape tests shared by
// the canvas's shapes and the regions made from the same shapes.

#include <QRect>
#include <QRegion>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classlib/Graphics.h"

// What SaveDC keeps and RestoreDC brings back.
struct CanvasState {
  bool hasClip = false;
  QRegion clip;  // device pixels
  TPoint windowOrg;
  TPoint viewportOrg;
  int bkMode = OPAQUE;
  TColor bkColor = clWhite;
  // A clip that is not one rectangle as one byte per pixel of its bounds,
  // made on first need for the surface rectangle `maskSurface`; dropped
  // whenever the clip changes.
  std::shared_ptr<const std::vector<std::uint8_t>> mask;
  QRect maskSurface;

  void SetClip(QRegion region) {
    clip = std::move(region);
    hasClip = true;
    mask.reset();
  }
  void NoClip() {
    clip = QRegion();
    hasClip = false;
    mask.reset();
  }
};

struct TRegionObject {
  QRegion region;
};

// A curved shape as a test on pixel centres: inside(px, py, grow) tells
// whether the point lies in the shape grown outwards by `grow` pixels.
// The shape with grow 0 is the interior of the box [l, r) x [t, b), so
// fill and outline never leave the box.
using InsideTest = std::function<bool(double px, double py, double grow)>;
InsideTest EllipseTest(const QRect& r);
InsideTest RoundRectTest(const QRect& r, int cornerW, int cornerH);

// The pixels of `box` whose centres pass `inside` (grow 0), as a region.
QRegion RegionFromTest(const QRect& box, const InsideTest& inside);

// NULLREGION, SIMPLEREGION or COMPLEXREGION.
int RegionKind(const QRegion& region);
