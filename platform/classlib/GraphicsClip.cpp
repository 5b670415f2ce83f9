// The canvas as a device context: clip regions, saved states, window and
// viewport origins, the background mode, and the region objects callers
// build clips from.

#include <QPainter>
#include <QPolygon>

#include <algorithm>

#include "platform/classlib/Graphics.h"
#include "platform/classlib/GraphicsCanvasPrivate.h"

namespace {

QRect ToQRect(const TRect& r) {
  return QRect(r.Left, r.Top, std::max(r.Width(), 0), std::max(r.Height(), 0));
}

QRect NormalisedBox(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  return QRect(left, top, right - left, bottom - top);
}

HRGN NewRegion(QRegion region) {
  return new TRegionObject{std::move(region)};
}

}  // namespace

int RegionKind(const QRegion& region) {
  if (region.isEmpty()) return NULLREGION;
  return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// ---------------------------------------------------------------- clip

QRegion TCanvas::ClipRegion() const {
  if (!HasSurface()) return QRegion();
  const QRegion whole(FImage->rect());
  return FState->hasClip ? FState->clip.intersected(whole) : whole;
}

int TCanvas::ClipKind() const {
  return RegionKind(ClipRegion());
}

TRect TCanvas::GetClipRect() const {
  const QRect b = ClipRegion().boundingRect();
  if (b.isEmpty()) return TRect();
  const TPoint o = DeviceOffset();
  return Bounds(b.x() - o.X, b.y() - o.Y, b.width(), b.height());
}

void TCanvas::SetClipRect(const TRect& r) {
  const TPoint o = DeviceOffset();
  FState->SetClip(QRegion(ToQRect(OffsetRect(r, o.X, o.Y))));
}

void TCanvas::ResetClipRect() {
  FState->NoClip();
}

int TCanvas::IntersectClipRect(const TRect& r) {
  const TPoint o = DeviceOffset();
  FState->SetClip(ClipRegion().intersected(ToQRect(OffsetRect(r, o.X, o.Y))));
  return ClipKind();
}

int TCanvas::ExcludeClipRect(const TRect& r) {
  const TPoint o = DeviceOffset();
  FState->SetClip(ClipRegion().subtracted(ToQRect(OffsetRect(r, o.X, o.Y))));
  return ClipKind();
}

int TCanvas::SelectClipRgn(HRGN region) {
  if (!region) {
    ResetClipRect();
  } else {
    FState->SetClip(region->region);
  }
  return ClipKind();
}

// ---------------------------------------------------------------- saved states

int TCanvas::SaveDC() {
  FSaved.push_back(*FState);
  return static_cast<int>(FSaved.size());
}

bool TCanvas::RestoreDC(int level) {
  const int depth = static_cast<int>(FSaved.size());
  const int target = level < 0 ? depth + level + 1 : level;
  if (target < 1 || target > depth) return false;
  *FState = FSaved[static_cast<std::size_t>(target - 1)];
  FSaved.resize(static_cast<std::size_t>(target - 1));
  return true;
}

// ---------------------------------------------------------------- origins

TPoint TCanvas::GetWindowOrg() const {
  return FState->windowOrg;
}

TPoint TCanvas::SetWindowOrg(TPoint p) {
  return std::exchange(FState->windowOrg, p);
}

TPoint TCanvas::GetViewportOrg() const {
  return FState->viewportOrg;
}

TPoint TCanvas::SetViewportOrg(TPoint p) {
  return std::exchange(FState->viewportOrg, p);
}

TPoint TCanvas::DeviceOffset() const {
  return {FState->viewportOrg.X - FState->windowOrg.X, FState->viewportOrg.Y - FState->windowOrg.Y};
}

// ---------------------------------------------------------------- background

int TCanvas::GetBkMode() const {
  return FState->bkMode;
}

int TCanvas::SetBkMode(int mode) {
  if (mode != OPAQUE && mode != TRANSPARENT) return 0;
  return std::exchange(FState->bkMode, mode);
}

TColor TCanvas::GetBkColor() const {
  return FState->bkColor;
}

TColor TCanvas::SetBkColor(TColor color) {
  return std::exchange(FState->bkColor, color);
}

// ---------------------------------------------------------------- painter

bool TCanvas::BeginPainter(QPainter& painter) {
  if (!HasSurface()) return false;
  const QRegion clip = ClipRegion();
  if (clip.isEmpty()) return false;
  if (!painter.begin(FImage)) return false;
  if (FState->hasClip) painter.setClipRegion(clip);
  const TPoint o = DeviceOffset();
  painter.translate(o.X, o.Y);
  return true;
}

// ---------------------------------------------------------------- regions

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return NewRegion(QRegion(NormalisedBox(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const TRect& r) {
  return CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
  const QRect box = NormalisedBox(left, top, right, bottom);
  return NewRegion(box.isEmpty() ? QRegion() : RegionFromTest(box, EllipseTest(box)));
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  const QRect box = NormalisedBox(left, top, right, bottom);
  return NewRegion(box.isEmpty() ? QRegion()
                                 : RegionFromTest(box, RoundRectTest(box, cornerWidth, cornerHeight)));
}

HRGN CreatePolygonRgn(const TPoint* points, int count, int fillMode) {
  if (!points || count < 3) return NewRegion(QRegion());
  QPolygonF poly;
  for (int i = 0; i < count; ++i) poly << QPointF(points[i].X, points[i].Y);
  const Qt::FillRule rule = fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
  // Pixel centres inside the outline, as the canvas fills polygons.
  const QRect box = poly.boundingRect().toAlignedRect();
  return NewRegion(RegionFromTest(
      box, [&](double px, double py, double) { return poly.containsPoint(QPointF(px, py), rule); }));
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
  if (!dest || !src1 || (mode != RGN_COPY && !src2)) return RGN_ERROR;
  switch (mode) {
    case RGN_AND:
      dest->region = src1->region.intersected(src2->region);
      break;
    case RGN_OR:
      dest->region = src1->region.united(src2->region);
      break;
    case RGN_XOR:
      dest->region = src1->region.xored(src2->region);
      break;
    case RGN_DIFF:
      dest->region = src1->region.subtracted(src2->region);
      break;
    case RGN_COPY:
      dest->region = src1->region;
      break;
    default:
      return RGN_ERROR;
  }
  return RegionKind(dest->region);
}

int OffsetRgn(HRGN region, int dx, int dy) {
  if (!region) return RGN_ERROR;
  region->region.translate(dx, dy);
  return RegionKind(region->region);
}

bool PtInRegion(HRGN region, int x, int y) {
  return region && region->region.contains(QPoint(x, y));
}

bool EqualRgn(HRGN a, HRGN b) {
  return a && b && a->region == b->region;
}

bool DeleteObject(HRGN region) {
  if (!region) return false;
  delete region;
  return true;
}

// ---------------------------------------------------------------- on a device context

int SelectClipRgn(HDC dc, HRGN region) {
  return dc ? dc->SelectClipRgn(region) : RGN_ERROR;
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  return dc ? dc->IntersectClipRect(Rect(left, top, right, bottom)) : RGN_ERROR;
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  return dc ? dc->ExcludeClipRect(Rect(left, top, right, bottom)) : RGN_ERROR;
}

int SaveDC(HDC dc) {
  return dc ? dc->SaveDC() : 0;
}

bool RestoreDC(HDC dc, int level) {
  return dc && dc->RestoreDC(level);
}

bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old) {
  if (!dc) return false;
  const TPoint was = dc->SetWindowOrg({x, y});
  if (old) *old = was;
  return true;
}

bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old) {
  if (!dc) return false;
  const TPoint was = dc->SetViewportOrg({x, y});
  if (old) *old = was;
  return true;
}

bool GetWindowOrgEx(HDC dc, TPoint* p) {
  if (!dc || !p) return false;
  *p = dc->GetWindowOrg();
  return true;
}

bool GetViewportOrgEx(HDC dc, TPoint* p) {
  if (!dc || !p) return false;
  *p = dc->GetViewportOrg();
  return true;
}

int GetDeviceCaps(HDC dc, int index) {
  if (!dc) return 0;
  if (index == LOGPIXELSX) return dc->GetPixelsPerInchX();
  if (index == LOGPIXELSY) return dc->GetPixelsPerInchY();
  if (index == PHYSICALOFFSETX) return dc->GetPhysicalOffset().X;
  if (index == PHYSICALOFFSETY) return dc->GetPhysicalOffset().Y;
  return 0;
}

int SetBkMode(HDC dc, int mode) {
  return dc ? dc->SetBkMode(mode) : 0;
}

TColor SetBkColor(HDC dc, TColor color) {
  return dc ? dc->SetBkColor(color) : clNone;
}

bool DrawEdge(HDC dc, TRect* r, unsigned edge, unsigned flags) {
  if (!dc || !r) return false;
  dc->DrawEdge(*r, edge, flags);
  return true;
}
