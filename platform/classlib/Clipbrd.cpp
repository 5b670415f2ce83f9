#include "platform/classlib/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <utility>

#include "platform/classlib/ClipboardStore.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/PictureJpeg.h"

namespace {

constexpr unsigned kFirstRegistered = 0xC000;
const QString kJpegMime = QStringLiteral("image/jpeg");

// Registered formats by number (from kFirstRegistered on).
std::vector<std::string>& Registered() {
  static std::vector<std::string> names;
  return names;
}

class MemoryStore : public ClipboardStore {
 public:
  const QMimeData* Data() const override { return FData.get(); }
  void SetData(std::unique_ptr<QMimeData> data) override { FData = std::move(data); }

 private:
  std::unique_ptr<QMimeData> FData;
};

class ToolkitStore : public ClipboardStore {
 public:
  const QMimeData* Data() const override { return QGuiApplication::clipboard()->mimeData(); }
  void SetData(std::unique_ptr<QMimeData> data) override {
    QGuiApplication::clipboard()->setMimeData(data.release());
  }
};

std::unique_ptr<ClipboardStore>& InstalledStore() {
  static std::unique_ptr<ClipboardStore> store;
  return store;
}

ClipboardStore& Store() {
  auto& store = InstalledStore();
  if (store) return *store;
  // Chosen on first use: a display's clipboard when the toolkit runs.
  static ToolkitStore toolkit;
  static MemoryStore memory;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return toolkit;
  return memory;
}

// The media type a registered format travels under.
QString MimeOf(unsigned format) {
  const auto& names = Registered();
  if (format < kFirstRegistered || format - kFirstRegistered >= names.size()) return {};
  return "application/x-clipboard-format;name=\"" + QString::fromStdString(names[format - kFirstRegistered]) +
         "\"";
}

bool IsPictureFormat(unsigned format) {
  return format == CF_BITMAP || format == CF_DIB || format == CF_PICTURE;
}

QImage ClipboardImage() {
  const QMimeData* data = Store().Data();
  if (!data || !data->hasImage()) return {};
  return qvariant_cast<QImage>(data->imageData());
}

}  // namespace

unsigned RegisterClipboardFormat(const std::string& Name) {
  if (Name.empty()) return 0;
  auto& names = Registered();
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameText(names[i], Name)) return kFirstRegistered + static_cast<unsigned>(i);
  }
  names.push_back(Name);
  return kFirstRegistered + static_cast<unsigned>(names.size() - 1);
}

std::unique_ptr<ClipboardStore> NewMemoryClipboardStore() {
  return std::make_unique<MemoryStore>();
}

std::unique_ptr<ClipboardStore> SetClipboardStore(std::unique_ptr<ClipboardStore> store) {
  std::swap(InstalledStore(), store);
  return store;
}

// ---------------------------------------------------------------- TClipboard

std::string TClipboard::GetAsText() const {
  const QMimeData* data = Store().Data();
  return data && data->hasText() ? data->text().toStdString() : std::string();
}

void TClipboard::SetAsText(const std::string& Value) {
  auto data = std::make_unique<QMimeData>();
  data->setText(QString::fromStdString(Value));
  Store().SetData(std::move(data));
}

bool TClipboard::HasFormat(unsigned Format) const {
  const QMimeData* data = Store().Data();
  if (!data) return false;
  if (Format == CF_TEXT || Format == CF_UNICODETEXT) return data->hasText();
  if (IsPictureFormat(Format)) return data->hasImage();
  const QString mime = MimeOf(Format);
  return !mime.isEmpty() && data->hasFormat(mime);
}

void TClipboard::SetBuffer(unsigned Format, const void* Buffer, std::size_t Size) {
  const QString mime = MimeOf(Format);
  if (mime.isEmpty())
    throw EConvertError("Clipboard format " + std::to_string(Format) + " is not registered");
  auto data = std::make_unique<QMimeData>();
  data->setData(mime, QByteArray(static_cast<const char*>(Buffer), static_cast<qsizetype>(Size)));
  Store().SetData(std::move(data));
}

std::vector<std::uint8_t> TClipboard::GetBuffer(unsigned Format) const {
  const QMimeData* data = Store().Data();
  const QString mime = MimeOf(Format);
  if (!data || mime.isEmpty() || !data->hasFormat(mime)) return {};
  const QByteArray bytes = data->data(mime);
  return {bytes.begin(), bytes.end()};
}

void TClipboard::Clear() {
  Store().SetData(std::make_unique<QMimeData>());
}

void TClipboard::Assign(TPersistent* Source) {
  const TGraphic* graphic = dynamic_cast<const TGraphic*>(Source);
  if (const auto* picture = dynamic_cast<const TPicture*>(Source)) graphic = picture->GetGraphic();
  if (!graphic && !dynamic_cast<const TPicture*>(Source)) {
    TPersistent::Assign(Source);
    return;
  }
  auto data = std::make_unique<QMimeData>();
  // A JPEG goes as its compressed bytes, as other programs paste JPEG.
  if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(graphic); jpeg && !jpeg->GetEmpty()) {
    const std::vector<std::uint8_t> bytes = jpeg->SaveToBytes();
    data->setData(kJpegMime, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                        static_cast<qsizetype>(bytes.size())));
  } else if (graphic && !graphic->GetEmpty()) {
    data->setImageData(graphic->GetImage());
  }
  Store().SetData(std::move(data));
}

void TClipboard::AssignTo(TPersistent* Dest) {
  auto* graphic = dynamic_cast<TGraphic*>(Dest);
  auto* picture = dynamic_cast<TPicture*>(Dest);
  if (!graphic && !picture) {
    TPersistent::AssignTo(Dest);
    return;
  }
  const QImage image = ClipboardImage();
  if (image.isNull()) throw EInvalidGraphic("Unsupported clipboard format");
  if (graphic) {
    graphic->SetImage(image);
    return;
  }
  TBitmap bitmap;
  bitmap.SetPixelFormat(image.hasAlphaChannel() ? pf32bit : pf24bit);
  bitmap.SetImage(image);
  picture->SetGraphic(&bitmap);
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}
