#include "platform/classlib/Cursors.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <map>
#include <memory>

#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/CursorTable.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Graphics.h"

struct TCursorHandle {
  // A picture with its hot spot, or a standard shape when the picture is null.
  QImage image;
  int hotX = 0;
  int hotY = 0;
  Qt::CursorShape shape = Qt::ArrowCursor;

  QCursor Make() const {
    if (image.isNull()) return QCursor(shape);
    return QCursor(QPixmap::fromImage(image), hotX, hotY);
  }
};

namespace {

Qt::CursorShape ShapeOf(TCursor cursor) {
  static const std::map<TCursor, Qt::CursorShape> shapes = {
      {crNone, Qt::BlankCursor},
      {crCross, Qt::CrossCursor},
      {crIBeam, Qt::IBeamCursor},
      {crSizeNESW, Qt::SizeBDiagCursor},
      {crSizeNS, Qt::SizeVerCursor},
      {crSizeNWSE, Qt::SizeFDiagCursor},
      {crSizeWE, Qt::SizeHorCursor},
      {crUpArrow, Qt::UpArrowCursor},
      {crHourGlass, Qt::WaitCursor},
      {crSQLWait, Qt::WaitCursor},
      {crDrag, Qt::DragMoveCursor},
      {crMultiDrag, Qt::DragCopyCursor},
      {crNoDrop, Qt::ForbiddenCursor},
      {crNo, Qt::ForbiddenCursor},
      {crHSplit, Qt::SplitHCursor},
      {crVSplit, Qt::SplitVCursor},
      {crAppStart, Qt::BusyCursor},
      {crHelp, Qt::WhatsThisCursor},
      {crHandPoint, Qt::PointingHandCursor},
      {crSizeAll, Qt::SizeAllCursor},
  };
  auto it = shapes.find(cursor);
  return it == shapes.end() ? Qt::ArrowCursor : it->second;
}

// The cursors put in Screen->Cursors, owned here.
std::map<TCursor, std::unique_ptr<TCursorHandle>>& Table() {
  static std::map<TCursor, std::unique_ptr<TCursorHandle>> table;
  return table;
}

bool IsStandard(TCursor cursor) {
  return cursor <= crDefault && cursor >= crSizeAll;
}

// Every widget showing the number shows its new cursor.
void Reapply(TCursor number) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  for (QWidget* w : QApplication::allWidgets()) {
    TControl* c = ControlBridge::ControlOf(w);
    if (c && c->WidgetIfCreated() == w && c->GetCursor() == number && number != crDefault)
      w->setCursor(ToolkitCursor(number));
  }
  if (Screen && Screen->GetCursor() == number && number != crDefault)
    QGuiApplication::changeOverrideCursor(ToolkitCursor(number));
}

}  // namespace

QCursor ToolkitCursor(TCursor cursor) {
  auto& table = Table();
  auto it = table.find(cursor);
  if (it != table.end()) return it->second->Make();
  return QCursor(ShapeOf(cursor));
}

HCURSOR CreateCursorFromGraphic(const TGraphic* Picture, int HotX, int HotY) {
  if (!Picture || Picture->GetEmpty()) return nullptr;
  auto* h = new TCursorHandle;
  h->image = Picture->GetImage().convertToFormat(QImage::Format_ARGB32);
  // A bitmap's transparent colour is see-through.
  if (const auto* b = dynamic_cast<const TBitmap*>(Picture); b && b->GetTransparent()) {
    const QRgb key = ToQColor(b->GetTransparentColor()).rgb() & 0xFFFFFF;
    for (int y = 0; y < h->image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(h->image.scanLine(y));
      for (int x = 0; x < h->image.width(); ++x) {
        if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
      }
    }
  }
  h->hotX = HotX;
  h->hotY = HotY;
  return h;
}

HCURSOR CreateStandardCursor(TCursor Shape) {
  auto* h = new TCursorHandle;
  h->shape = ShapeOf(Shape);
  return h;
}

void DestroyCursor(HCURSOR Cursor) {
  delete Cursor;
}

HCURSOR TScreen::GetCursors(int Index) const {
  auto& table = Table();
  auto it = table.find(Index);
  if (it != table.end()) return it->second.get();
  // Standard shapes are there from the start; unknown numbers read as the
  // default cursor.
  const TCursor number = IsStandard(Index) ? Index : crDefault;
  auto& slot = table[number];
  if (!slot) slot.reset(CreateStandardCursor(number));
  return slot.get();
}

void TScreen::SetCursors(int Index, HCURSOR Handle) {
  auto& table = Table();
  auto it = table.find(Index);
  if (it != table.end() && it->second.get() == Handle) return;
  if (Handle)
    table[Index].reset(Handle);
  else if (it != table.end())
    table.erase(it);
  Reapply(Index);
}
