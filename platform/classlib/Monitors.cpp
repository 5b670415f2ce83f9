#include "platform/classlib/Monitors.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <memory>

#include "platform/classlib/Forms.h"

namespace {

long long DistanceSquared(const TRect& r, TPoint p) {
  const long long dx = p.X < r.Left ? r.Left - p.X : (p.X >= r.Right ? p.X - (r.Right - 1) : 0);
  const long long dy = p.Y < r.Top ? r.Top - p.Y : (p.Y >= r.Bottom ? p.Y - (r.Bottom - 1) : 0);
  return dx * dx + dy * dy;
}

TRect ToRect(const QRect& r) {
  return Bounds(r.x(), r.y(), r.width(), r.height());
}

}  // namespace

int MonitorIndexFromPoint(const std::vector<TRect>& Bounds, TPoint P, TMonitorDefaultTo Default,
                          int Primary) {
  for (size_t i = 0; i < Bounds.size(); ++i) {
    if (Bounds[i].Contains(P)) return static_cast<int>(i);
  }
  if (Bounds.empty() || Default == mdNull) return -1;
  if (Default == mdPrimary) return Primary;
  int best = 0;
  for (size_t i = 1; i < Bounds.size(); ++i) {
    if (DistanceSquared(Bounds[i], P) < DistanceSquared(Bounds[best], P)) best = static_cast<int>(i);
  }
  return best;
}

// The monitors as the toolkit reports them now, the primary one first; one
// of 1024 x 768 without a display.
struct MonitorList {
  static std::vector<std::unique_ptr<TMonitor>>& Refresh() {
    static std::vector<std::unique_ptr<TMonitor>> monitors;
    std::vector<std::pair<TRect, TRect>> found;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
      QList<QScreen*> screens = QGuiApplication::screens();
      QScreen* primary = QGuiApplication::primaryScreen();
      std::stable_partition(screens.begin(), screens.end(), [primary](QScreen* s) { return s == primary; });
      for (QScreen* s : screens) found.emplace_back(ToRect(s->geometry()), ToRect(s->availableGeometry()));
    }
    if (found.empty()) found.emplace_back(Rect(0, 0, 1024, 768), Rect(0, 0, 1024, 768));
    // Objects handed out stay valid while the number of monitors does not
    // shrink.
    if (monitors.size() > found.size()) monitors.resize(found.size());
    while (monitors.size() < found.size()) monitors.push_back(std::make_unique<TMonitor>());
    for (size_t i = 0; i < found.size(); ++i) {
      monitors[i]->FMonitorNum = static_cast<int>(i);
      monitors[i]->FBounds = found[i].first;
      monitors[i]->FWorkarea = found[i].second;
    }
    return monitors;
  }
};

int TScreen::GetMonitorCount() const {
  return static_cast<int>(MonitorList::Refresh().size());
}

TMonitor* TScreen::GetMonitors(int Index) const {
  auto& monitors = MonitorList::Refresh();
  if (Index < 0 || Index >= static_cast<int>(monitors.size()))
    throw EInvalidOperation("Monitor index out of bounds (" + std::to_string(Index) + ")");
  return monitors[static_cast<size_t>(Index)].get();
}

TMonitor* TScreen::GetPrimaryMonitor() const {
  return MonitorList::Refresh().front().get();
}

TMonitor* TScreen::MonitorFromPoint(const TPoint& Point, TMonitorDefaultTo MonitorDefault) const {
  auto& monitors = MonitorList::Refresh();
  std::vector<TRect> bounds;
  for (const auto& m : monitors) bounds.push_back(m->GetBoundsRect());
  const int i = MonitorIndexFromPoint(bounds, Point, MonitorDefault, 0);
  return i < 0 ? nullptr : monitors[static_cast<size_t>(i)].get();
}

TRect KeepRectInside(const TRect& R, const TRect& Area) {
  int dx = 0, dy = 0;
  if (R.Right > Area.Right) dx = Area.Right - R.Right;
  if (R.Bottom > Area.Bottom) dy = Area.Bottom - R.Bottom;
  if (R.Left + dx < Area.Left) dx = Area.Left - R.Left;
  if (R.Top + dy < Area.Top) dy = Area.Top - R.Top;
  return OffsetRect(R, dx, dy);
}
