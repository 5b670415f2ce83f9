#include "platform/classlib/ControlImage.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "platform/classlib/Controls.h"

bool SaveControlImage(TControl* Control, const std::string& PngPath) {
  if (!Control) return false;
  QWidget* w = Control->GetWidget();
  // A window never shown has had neither its style applied nor its
  // layouts run; rendering sees to both without putting it on screen.
  w->ensurePolished();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  // One image pixel per control pixel, whatever the screen's scale.
  QImage shot(w->size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  shot.setDevicePixelRatio(1.0);
  shot.fill(Qt::transparent);
  w->render(&shot, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  return shot.save(QString::fromStdString(PngPath), "PNG");
}
