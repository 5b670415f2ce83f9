#include "platform/classlib/FileIcons.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QPainter>
#include <QPixmap>

#include "platform/classlib/Graphics.h"

int FileIconSide(TFileIconSize Size) {
  return Size == fisLarge ? 32 : 16;
}

namespace {

// By name alone: the icon the desktop's theme gives the name's type, else
// the toolkit's own file or folder icon.
QIcon IconByName(const QString& name, const QFileIconProvider& provider) {
  if (name.endsWith('/')) return provider.icon(QAbstractFileIconProvider::Folder);
  const QMimeType type = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
  QIcon icon = QIcon::fromTheme(type.iconName());
  if (icon.isNull()) icon = QIcon::fromTheme(type.genericIconName());
  if (icon.isNull()) icon = provider.icon(QAbstractFileIconProvider::File);
  return icon;
}

}  // namespace

bool GetFileIcon(const std::string& Path, TFileIconSize Size, TBitmap* Icon) {
  if (!Icon || Path.empty()) return false;
  const QString name = QString::fromStdString(Path);
  const QFileInfo info(name);
  QFileIconProvider provider;
  QIcon icon;
  if (info.exists()) icon = provider.icon(info);
  if (icon.isNull()) icon = IconByName(name, provider);
  if (icon.isNull()) return false;
  const int side = FileIconSide(Size);
  const QPixmap pixmap = icon.pixmap(side, side);
  if (pixmap.isNull()) return false;
  // Centred on a transparent square: a theme may hand out a smaller size.
  QImage square(side, side, QImage::Format_ARGB32);
  square.fill(Qt::transparent);
  {
    const QImage image = pixmap.toImage();
    QPainter p(&square);
    p.drawImage((side - image.width()) / 2, (side - image.height()) / 2, image);
  }
  Icon->SetPixelFormat(pf32bit);
  Icon->SetImage(square);
  return true;
}
