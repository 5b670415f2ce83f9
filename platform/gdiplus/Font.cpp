#include "platform/gdiplus/Font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>

#include "platform/gdiplus/GdiPlusPrivate.h"
#include "platform/gdiplus/Graphics.h"

namespace Gdiplus {

namespace {

enum class Role { Sans, Serif, Mono, Cjk };

// Families the forms name, by the kind of face that stands in for them.
struct Alias {
  const char* name;
  Role role;
};
constexpr Alias kAliases[] = {{"Arial", Role::Sans},
                              {"Tahoma", Role::Sans},
                              {"Verdana", Role::Sans},
                              {"Segoe UI", Role::Sans},
                              {"Microsoft Sans Serif", Role::Sans},
                              {"Calibri", Role::Sans},
                              {"Trebuchet MS", Role::Sans},
                              {"Helvetica", Role::Sans},
                              {"Times New Roman", Role::Serif},
                              {"Georgia", Role::Serif},
                              {"Cambria", Role::Serif},
                              {"Times", Role::Serif},
                              {"Courier New", Role::Mono},
                              {"Consolas", Role::Mono},
                              {"Lucida Console", Role::Mono},
                              {"Courier", Role::Mono},
                              {"SimSun", Role::Cjk},
                              {"NSimSun", Role::Cjk},
                              {"SimHei", Role::Cjk},
                              {"Microsoft YaHei", Role::Cjk},
                              {"\xE5\xAE\x8B\xE4\xBD\x93", Role::Cjk},
                              {"\xE9\xBB\x91\xE4\xBD\x93", Role::Cjk},
                              {"\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91", Role::Cjk}};

// Installed faces preferred for each kind, metric-compatible ones first.
const std::vector<QString>& Preferred(Role role) {
  static const std::vector<QString> sans{"Liberation Sans", "Arimo", "DejaVu Sans", "Noto Sans", "FreeSans"};
  static const std::vector<QString> serif{"Liberation Serif", "Tinos", "DejaVu Serif", "Noto Serif",
                                          "FreeSerif"};
  static const std::vector<QString> mono{"Liberation Mono", "Cousine", "DejaVu Sans Mono", "Noto Sans Mono",
                                         "FreeMono"};
  static const std::vector<QString> cjk{"WenQuanYi Micro Hei", "Noto Sans CJK SC", "WenQuanYi Zen Hei",
                                        "Noto Sans SC", "AR PL UMing CN"};
  switch (role) {
    case Role::Serif:
      return serif;
    case Role::Mono:
      return mono;
    case Role::Cjk:
      return cjk;
    default:
      return sans;
  }
}

std::string FaceFor(Role role) {
  const QStringList installed = QFontDatabase::families();
  for (const QString& face : Preferred(role))
    if (installed.contains(face, Qt::CaseInsensitive)) return face.toStdString();
  QFont f;
  f.setStyleHint(role == Role::Serif  ? QFont::Serif
                 : role == Role::Mono ? QFont::Monospace
                                      : QFont::SansSerif);
  return QFontInfo(f).family().toStdString();
}

// The installed face for a family name; empty when there is none.
std::string ResolveFace(const QString& name) {
  static std::mutex mutex;
  static std::map<QString, std::string> cache;
  std::lock_guard<std::mutex> lock(mutex);
  const QString key = name.toLower();
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  std::string face;
  for (const QString& family : QFontDatabase::families()) {
    if (family.compare(name, Qt::CaseInsensitive) == 0) {
      face = family.toStdString();
      break;
    }
  }
  if (face.empty()) {
    for (const Alias& alias : kAliases) {
      if (QString::fromUtf8(alias.name).compare(name, Qt::CaseInsensitive) == 0) {
        face = FaceFor(alias.role);
        break;
      }
    }
  }
  cache[key] = face;
  return face;
}

std::u16string ToU16(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), s.size());
}

double UnitToPixels(Unit unit, double dpi) {
  switch (unit) {
    case UnitPoint:
      return dpi / 72.0;
    case UnitInch:
      return dpi;
    case UnitDocument:
      return dpi / 300.0;
    case UnitMillimeter:
      return dpi / 25.4;
    default:
      return 1.0;  // world and pixel units
  }
}

}  // namespace

namespace detail {

bool FontSystemReady() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

QFont MakeQFont(const std::string& face, double pixelSize, INT style, double dpi, bool antialias) {
  QFont font(QString::fromStdString(face));
  font.setPointSizeF(std::max(pixelSize, 0.01) * 72.0 / (dpi > 0 ? dpi : 96.0));
  font.setBold(style & FontStyleBold);
  font.setItalic(style & FontStyleItalic);
  font.setUnderline(style & FontStyleUnderline);
  font.setStrikeOut(style & FontStyleStrikeout);
  font.setStyleStrategy(antialias ? QFont::PreferAntialias : QFont::NoAntialias);
  return font;
}

}  // namespace detail

// ---- FontFamily --------------------------------------------------------------

FontFamily::FontFamily() {
  FLastResult = Ok;
}

FontFamily::FontFamily(const WCHAR* name, const FontCollection*) {
  if (!name) {
    FLastResult = InvalidParameter;
    return;
  }
  const QString qname = detail::ToQString(name, -1);
  FName = ToU16(qname);
  if (!detail::FontSystemReady()) {
    FLastResult = GdiplusNotInitialized;
    return;
  }
  FFace = ResolveFace(qname);
  FValid = !FFace.empty();
  if (!FValid) FLastResult = FontFamilyNotFound;
}

namespace {

const FontFamily* Generic(std::unique_ptr<FontFamily>& slot, const char16_t* name) {
  // Made once; made again only if the first try came before the application.
  if (!slot || !slot->IsAvailable()) slot = std::make_unique<FontFamily>(name);
  return slot.get();
}

}  // namespace

const FontFamily* FontFamily::GenericSansSerif() {
  static std::unique_ptr<FontFamily> family;
  return Generic(family, u"Microsoft Sans Serif");
}

const FontFamily* FontFamily::GenericSerif() {
  static std::unique_ptr<FontFamily> family;
  return Generic(family, u"Times New Roman");
}

const FontFamily* FontFamily::GenericMonospace() {
  static std::unique_ptr<FontFamily> family;
  return Generic(family, u"Courier New");
}

FontFamily* FontFamily::Clone() const {
  auto* copy = new FontFamily();
  copy->FName = FName;
  copy->FFace = FFace;
  copy->FValid = FValid;
  return copy;
}

Status FontFamily::GetFamilyName(WCHAR name[FamilyNameLength], LANGID) const {
  if (!name) return FLastResult = InvalidParameter, InvalidParameter;
  const size_t n = std::min<size_t>(FName.size(), FamilyNameLength - 1);
  std::copy(FName.begin(), FName.begin() + std::ptrdiff_t(n), name);
  name[n] = 0;
  return Ok;
}

bool FontFamily::IsStyleAvailable(INT) const {
  return FValid;
}

Status FontFamily::GetLastStatus() const {
  const Status s = FLastResult;
  FLastResult = Ok;
  return s;
}

// ---- Font --------------------------------------------------------------------

Font::Font(const FontFamily* family, REAL emSize, INT style, Unit unit) {
  Init(family, emSize, style, unit);
}

Font::Font(const WCHAR* familyName, REAL emSize, INT style, Unit unit, const FontCollection* collection) {
  FontFamily family(familyName, collection);
  if (family.IsAvailable()) {
    Init(&family, emSize, style, unit);
  } else {
    const Status why = family.GetLastStatus();
    const FontFamily* fallback = why == GdiplusNotInitialized ? nullptr : FontFamily::GenericSansSerif();
    Init(fallback, emSize, style, unit);
    if (!fallback) FLastResult = why;
  }
}

void Font::Init(const FontFamily* family, REAL emSize, INT style, Unit unit) {
  FSize = emSize;
  FStyle = style;
  FUnit = unit;
  if (!family || !family->IsAvailable() || !(emSize > 0) || !std::isfinite(emSize) || unit == UnitDisplay ||
      unit < UnitWorld || unit > UnitMillimeter) {
    FLastResult = InvalidParameter;
    return;
  }
  WCHAR name[FamilyNameLength];
  family->GetFamilyName(name);
  FFamilyName = name;
  FFace = family->Face();
  FValid = true;
}

Font* Font::Clone() const {
  auto* copy = new Font();
  copy->FFamilyName = FFamilyName;
  copy->FFace = FFace;
  copy->FSize = FSize;
  copy->FStyle = FStyle;
  copy->FUnit = FUnit;
  copy->FValid = FValid;
  return copy;
}

Status Font::GetFamily(FontFamily* family) const {
  if (!family || !FValid) return FLastResult = InvalidParameter, InvalidParameter;
  family->FName = FFamilyName;
  family->FFace = FFace;
  family->FValid = true;
  return Ok;
}

double Font::PixelSize(double dpi) const {
  return FSize * UnitToPixels(FUnit, dpi);
}

REAL Font::GetHeight(REAL dpi) const {
  if (!FValid || !detail::FontSystemReady()) return 0;
  // Metrics come at the toolkit's own resolution; scale them to the one asked.
  const QFont font = detail::MakeQFont(FFace, PixelSize(dpi), FStyle, dpi, true);
  const QFontMetricsF metrics(font);
  return REAL(metrics.lineSpacing() * dpi / metrics.fontDpi());
}

REAL Font::GetHeight(const Graphics* graphics) const {
  if (!graphics) return 0;
  return GetHeight(graphics->GetDpiY());
}

Status Font::GetLastStatus() const {
  const Status s = FLastResult;
  FLastResult = Ok;
  return s;
}

// ---- StringFormat ------------------------------------------------------------

StringFormat::StringFormat(INT formatFlags, LANGID) : FFlags(formatFlags) {}

StringFormat::StringFormat(const StringFormat* format) {
  if (!format) {
    FLastResult = InvalidParameter;
    return;
  }
  FFlags = format->FFlags;
  FAlign = format->FAlign;
  FLineAlign = format->FLineAlign;
  FTrimming = format->FTrimming;
  FHotkey = format->FHotkey;
  FTypographic = format->FTypographic;
}

const StringFormat* StringFormat::GenericDefault() {
  static const StringFormat format;
  return &format;
}

const StringFormat* StringFormat::GenericTypographic() {
  static StringFormat format(StringFormatFlagsNoFitBlackBox | StringFormatFlagsLineLimit |
                             StringFormatFlagsNoClip);
  static const bool ready = [] {
    format.FTrimming = StringTrimmingNone;
    format.FTypographic = true;
    return true;
  }();
  (void)ready;
  return &format;
}

StringFormat* StringFormat::Clone() const {
  return new StringFormat(this);
}

Status StringFormat::SetFormatFlags(INT flags) {
  FFlags = flags;
  return Ok;
}

Status StringFormat::SetAlignment(StringAlignment align) {
  if (align < StringAlignmentNear || align > StringAlignmentFar) return Record(InvalidParameter);
  FAlign = align;
  return Ok;
}

Status StringFormat::SetLineAlignment(StringAlignment align) {
  if (align < StringAlignmentNear || align > StringAlignmentFar) return Record(InvalidParameter);
  FLineAlign = align;
  return Ok;
}

Status StringFormat::SetTrimming(StringTrimming trimming) {
  if (trimming < StringTrimmingNone || trimming > StringTrimmingEllipsisPath) return Record(InvalidParameter);
  FTrimming = trimming;
  return Ok;
}

Status StringFormat::SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix) {
  if (hotkeyPrefix < HotkeyPrefixNone || hotkeyPrefix > HotkeyPrefixHide) return Record(InvalidParameter);
  FHotkey = hotkeyPrefix;
  return Ok;
}

Status StringFormat::GetLastStatus() const {
  const Status s = FLastResult;
  FLastResult = Ok;
  return s;
}

}  // namespace Gdiplus
