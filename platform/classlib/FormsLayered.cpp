// Forms that come up before the event loop runs, and windows that keep out
// of the way: no activation, always on top, per-pixel alpha, shaped.

#include <QBitmap>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/GraphicsCanvasPrivate.h"
#include "platform/classlib/WindowRegistry.h"

namespace {

// On X11 a compositor owns the selection _NET_WM_CM_S<screen>.
bool X11CompositorRuns() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c) return false;
  static const char kName[] = "_NET_WM_CM_S0";
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof(kName) - 1, kName), nullptr);
  if (!atom) return false;
  const xcb_atom_t selection = atom->atom;
  std::free(atom);
  if (selection == XCB_ATOM_NONE) return false;
  xcb_get_selection_owner_reply_t* owner =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
  if (!owner) return false;
  const bool runs = owner->owner != XCB_WINDOW_NONE;
  std::free(owner);
  return runs;
}

}  // namespace

bool TCustomForm::DisplayBlendsAlpha() {
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("xcb")) return X11CompositorRuns();
  // Wayland always composes; the offscreen platform shows nothing, so the
  // picture itself is what counts there.
  return platform.startsWith(QLatin1String("wayland")) || platform == QLatin1String("offscreen");
}

bool TCustomForm::ShowOnScreen(unsigned MaxWaitMs) {
  BeginDispatchHold();
  struct Release {
    ~Release() { EndDispatchHold(); }
  } release;
  std::weak_ptr<bool> alive = FAlive;
  const unsigned before = FSurface->paints;
  Show();
  if (alive.expired() || !FWidget || !FWidget->isVisible()) return false;
  QElapsedTimer clock;
  clock.start();
  // Wakes the wait at the bound when nothing else comes.
  // A timer may fire a little before its time, so it is armed again for
  // what is left whenever it has fired: the wait never outlives the bound.
  QTimer bound;
  bound.setSingleShot(true);
  bound.setTimerType(Qt::PreciseTimer);
  const auto flags = QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers;
  for (;;) {
    if (alive.expired() || !FWidget) return false;
    QWindow* window = FWidget->windowHandle();
    if (FSurface->paints != before && window && window->isExposed()) break;
    const qint64 left = static_cast<qint64>(MaxWaitMs) - clock.elapsed();
    if (left <= 0) return false;
    if (!bound.isActive()) bound.start(static_cast<int>(left));
    QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
  }
  // What was painted goes to the display now, not when the loop next idles.
  QCoreApplication::processEvents(flags);
  return true;
}

void TCustomForm::SetNoActivate(bool Value) {
  if (Value == FNoActivate) return;
  FNoActivate = Value;
  QWidget* w = GetWidget();
  w->setAttribute(Qt::WA_ShowWithoutActivating, Value);
  w->setAttribute(Qt::WA_X11DoNotAcceptFocus, Value);
  ApplyWindowFlags();
}

void TCustomForm::SetTopMost(bool Value) {
  if (Value == FTopMost) return;
  FTopMost = Value;
  ApplyWindowFlags();
}

void TCustomForm::SetLayered(bool Value) {
  if (Value == FLayered) return;
  FLayered = Value;
  QWidget* w = GetWidget();
  PaintSurface& s = *FSurface;
  s.layered = Value;
  const bool blends = Value && DisplayBlendsAlpha();
  w->setAttribute(Qt::WA_TranslucentBackground, blends);
  w->setAttribute(Qt::WA_NoSystemBackground, blends);
  s.layeredBack = Value && !blends ? ToQColor(GetColor() == clNone ? clBlack : GetColor()) : QColor();
  if (!Value) s.layeredImage = QImage();
  ApplyWindowMask();
  Invalidate();
}

void TCustomForm::UpdateLayeredImage(const QImage& Picture, std::uint8_t ConstantAlpha) {
  if (!FLayered) return;
  PaintSurface& s = *FSurface;
  if (ConstantAlpha == 255) {
    s.layeredImage = Picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  } else {
    QImage faded(Picture.size(), QImage::Format_ARGB32_Premultiplied);
    faded.fill(Qt::transparent);
    QPainter painter(&faded);
    painter.setOpacity(ConstantAlpha / 255.0);
    painter.drawImage(0, 0, Picture);
    painter.end();
    s.layeredImage = std::move(faded);
  }
  ApplyWindowMask();
  if (FWidget && FWidget->isVisible()) FWidget->repaint();
}

void TCustomForm::SetWindowRgn(HRGN Region, bool Redraw) {
  if (Region != FWindowRgn) DeleteObject(FWindowRgn);
  FWindowRgn = Region;
  ApplyWindowMask();
  if (Redraw && FWidget && FWidget->isVisible()) FWidget->update();
}

void TCustomForm::ApplyWindowMask() {
  if (!FWidget) return;
  QRegion mask;
  bool shaped = false;
  if (FWindowRgn) {
    mask = FWindowRgn->region;
    shaped = true;
  }
  const PaintSurface& s = *FSurface;
  // Over an opaque background only the picture's visible part is window.
  if (s.layered && s.layeredBack.isValid() && !s.layeredImage.isNull()) {
    const QRegion visible(QBitmap::fromImage(s.layeredImage.createAlphaMask(Qt::ThresholdAlphaDither)));
    mask = shaped ? mask.intersected(visible) : visible;
    shaped = true;
  }
  if (shaped)
    FWidget->setMask(mask);
  else
    FWidget->clearMask();
}
