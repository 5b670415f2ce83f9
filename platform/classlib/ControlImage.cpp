#include "platform/classlib/ControlImage.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "platform/classlib/Controls.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/ScrollingWinControl.h"

namespace {

// Scroll bars follow moved children at the next pass of the event loop;
// the picture shows them as they will be.
void SettleScrollBars(TControl* c) {
  auto* win = dynamic_cast<TWinControl*>(c);
  if (!win) return;
  if (auto* scrolling = dynamic_cast<TScrollingWinControl*>(win); scrolling && scrolling->GetAutoScroll())
    scrolling->UpdateScrollBars();
  for (int i = 0; i < win->GetControlCount(); ++i) SettleScrollBars(win->GetControls(i));
}

QImage RenderControl(TControl* Control) {
  QWidget* w = Control->GetWidget();
  SettleScrollBars(Control);
  // A window never shown has had neither its style applied nor its
  // layouts run; rendering sees to both without putting it on screen.
  w->ensurePolished();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  // One image pixel per control pixel, whatever the screen's scale.
  QImage shot(w->size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  shot.setDevicePixelRatio(1.0);
  shot.fill(Qt::transparent);
  w->render(&shot, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  return shot;
}

}  // namespace

bool SaveControlImage(TControl* Control, const std::string& PngPath) {
  if (!Control) return false;
  return RenderControl(Control).save(QString::fromStdString(PngPath), "PNG");
}

bool PaintControlImage(TControl* Control, TBitmap& Picture) {
  if (!Control) return false;
  Picture.SetImage(RenderControl(Control));
  return true;
}
