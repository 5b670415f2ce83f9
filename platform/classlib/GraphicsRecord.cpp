#include <algorithm>

#include "platform/classlib/CanvasRecord.h"
#include "platform/classlib/GraphicsCanvasPrivate.h"

void TCanvasRecorder::Add(TCanvas& Canvas, TCanvasCall Call) {
  auto r = std::make_shared<TCanvasRecord>();
  r->Pen.Assign(Canvas.Pen.get());
  r->Brush.Assign(Canvas.Brush.get());
  r->Font.Assign(Canvas.Font.get());
  r->CopyMode = Canvas.GetCopyMode();
  r->BkMode = Canvas.GetBkMode();
  r->BkColor = Canvas.GetBkColor();
  r->HasClip = Canvas.FState->hasClip;
  if (r->HasClip) r->Clip = Canvas.FState->clip;
  r->Offset = Canvas.DeviceOffset();
  r->Call = std::move(Call);
  FRecords.push_back(std::move(r));
}

namespace {

// A region of the recording canvas's device pixels on the target.
QRegion ScaledRegion(const QRegion& region, const TReplayMap& m) {
  QRegion out;
  for (const QRect& r : region) {
    const int l = m.dx + static_cast<int>(std::lround(r.left() * m.sx));
    const int t = m.dy + static_cast<int>(std::lround(r.top() * m.sy));
    const int rr = m.dx + static_cast<int>(std::lround((r.right() + 1) * m.sx));
    const int b = m.dy + static_cast<int>(std::lround((r.bottom() + 1) * m.sy));
    if (rr > l && b > t) out += QRect(l, t, rr - l, b - t);
  }
  return out;
}

// The state a canvas's caller set, put back after a replay.
struct SavedState {
  explicit SavedState(TCanvas& c) : canvas(c), level(c.SaveDC()), copyMode(c.GetCopyMode()) {
    pen.Assign(c.Pen.get());
    brush.Assign(c.Brush.get());
    font.Assign(c.Font.get());
  }
  ~SavedState() {
    canvas.Pen->Assign(&pen);
    canvas.Brush->Assign(&brush);
    canvas.Font->Assign(&font);
    canvas.SetCopyMode(copyMode);
    canvas.RestoreDC(level);
  }
  TCanvas& canvas;
  int level;
  TCopyMode copyMode;
  TPen pen;
  TBrush brush;
  TFont font;
};

}  // namespace

void TCanvasRecorder::Play(TCanvas& Target, const TRect& Dest, int Width, int Height) const {
  if (Width <= 0 || Height <= 0 || Dest.Right <= Dest.Left || Dest.Bottom <= Dest.Top) return;
  SavedState saved(Target);
  const TPoint o = Target.DeviceOffset();
  const QRect dest(Dest.Left + o.X, Dest.Top + o.Y, Dest.Right - Dest.Left, Dest.Bottom - Dest.Top);
  const QRegion base = Target.ClipRegion().intersected(dest);
  if (base.isEmpty()) return;
  Target.SetWindowOrg({0, 0});
  Target.SetViewportOrg({0, 0});
  TReplayMap map;
  map.sx = static_cast<double>(dest.width()) / Width;
  map.sy = static_cast<double>(dest.height()) / Height;
  map.dx = dest.left();
  map.dy = dest.top();
  const double lineScale = std::min(map.sx, map.sy);
  TRegionObject clip;
  for (const auto& r : FRecords) {
    Target.Pen->Assign(&r->Pen);
    Target.Pen->SetWidth(
        std::max(1, static_cast<int>(std::lround(std::max(1, r->Pen.GetWidth()) * lineScale))));
    Target.Brush->Assign(&r->Brush);
    Target.Font->Assign(&r->Font);
    const int h = r->Font.GetHeight();
    const int scaled = static_cast<int>(std::lround(h * map.sy));
    Target.Font->SetHeight(scaled != 0 ? scaled : (h < 0 ? -1 : 1));
    Target.SetCopyMode(r->CopyMode);
    Target.SetBkMode(r->BkMode);
    Target.SetBkColor(r->BkColor);
    clip.region = r->HasClip ? ScaledRegion(r->Clip, map).intersected(base) : base;
    if (clip.region.isEmpty()) continue;
    Target.SelectClipRgn(&clip);
    map.off = r->Offset;
    r->Call(Target, map);
  }
}
