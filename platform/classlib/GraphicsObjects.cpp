#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <string_view>

#include "platform/classlib/Graphics.h"

namespace {

constexpr int kScreenDpi = 96;
constexpr int kDefaultHeight = -11;  // 8 points at 96 dpi

// MulDiv of the drawing layer: rounds half away from zero.
int MulDiv(int a, int b, int c) {
  const long long p = static_cast<long long>(a) * b;
  const long long q = (std::llabs(p) * 2 + c) / (2LL * c);
  return static_cast<int>(p < 0 ? -q : q);
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

const std::string kSans = "Liberation Sans";
const std::string kSerif = "Liberation Serif";
const std::string kMono = "Liberation Mono";
const std::string kCjk = "WenQuanYi Micro Hei";

struct FamilyAlias {
  const char* windowsName;  // lower case
  const std::string* family;
};

const FamilyAlias kAliases[] = {
    {"ms sans serif", &kSans},
    {"microsoft sans serif", &kSans},
    {"tahoma", &kSans},
    {"arial", &kSans},
    {"verdana", &kSans},
    {"segoe ui", &kSans},
    {"ms shell dlg", &kSans},
    {"ms shell dlg 2", &kSans},
    {"system", &kSans},
    {"helvetica", &kSans},
    {"arial narrow", &kSans},
    {"trebuchet ms", &kSans},
    {"times new roman", &kSerif},
    {"times", &kSerif},
    {"ms serif", &kSerif},
    {"georgia", &kSerif},
    {"courier new", &kMono},
    {"courier", &kMono},
    {"consolas", &kMono},
    {"lucida console", &kMono},
    {"fixedsys", &kMono},
    {"terminal", &kMono},
    {"\xE5\xAE\x8B\xE4\xBD\x93", &kCjk},                          // Song
    {"\xE6\x96\xB0\xE5\xAE\x8B\xE4\xBD\x93", &kCjk},              // new Song
    {"\xE9\xBB\x91\xE4\xBD\x93", &kCjk},                          // Hei
    {"\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91", &kCjk},  // YaHei
    {"\xE6\xA5\xB7\xE4\xBD\x93", &kCjk},                          // Kai
    {"\xE4\xBB\xBF\xE5\xAE\x8B", &kCjk},                          // FangSong
    {"simsun", &kCjk},
    {"nsimsun", &kCjk},
    {"simhei", &kCjk},
    {"microsoft yahei", &kCjk},
    {"kaiti", &kCjk},
    {"fangsong", &kCjk},
};

bool HasNonAscii(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Cell height (ascent + descent) per pixel of character height, per family.
double CellRatio(const QFont& font) {
  static std::map<std::string, double> cache;
  const std::string key =
      font.family().toStdString() + (font.bold() ? "/b" : "") + (font.italic() ? "/i" : "");
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  QFont probe(font);
  probe.setPixelSize(100);
  const double ratio = std::max(1.0, QFontMetricsF(probe).height() / 100.0);
  cache.emplace(key, ratio);
  return ratio;
}

}  // namespace

// ---------------------------------------------------------------- TGraphicsObject

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- fonts

std::string MapFontFamily(const std::string& windowsName) {
  std::string name = windowsName;
  if (!name.empty() && name.front() == '@') name.erase(0, 1);  // vertical-writing variant
  const std::string key = Lower(name);
  for (const FamilyAlias& a : kAliases) {
    if (key == a.windowsName) return *a.family;
  }
  if (key.empty()) return kSans;
  if (HasNonAscii(name)) return kCjk;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
      QFontDatabase::hasFamily(QString::fromStdString(name))) {
    return name;
  }
  return kSans;
}

const std::string& CjkFontFamily() {
  return kCjk;
}

QFont MakeQFont(const TFont& font) {
  QFont f;
  const std::string family = MapFontFamily(font.GetName());
  QStringList families{QString::fromStdString(family)};
  if (family != kCjk) families << QString::fromStdString(kCjk);
  f.setFamilies(families);
  const TFontStyles st = font.GetStyle();
  f.setBold(st.Contains(fsBold));
  f.setItalic(st.Contains(fsItalic));
  f.setUnderline(st.Contains(fsUnderline));
  f.setStrikeOut(st.Contains(fsStrikeOut));
  if (font.GetPitch() == fpFixed) f.setFixedPitch(true);
  int h = font.GetHeight();
  if (h == 0) h = kDefaultHeight;
  int pixels = h < 0 ? -h : static_cast<int>(std::lround(h / CellRatio(f)));
  f.setPixelSize(std::max(1, pixels));
  return f;
}

TFont::TFont() : FName("Tahoma"), FHeight(kDefaultHeight), FColor(clWindowText) {}

void TFont::Assign(TPersistent* Source) {
  if (const auto* other = dynamic_cast<const TFont*>(Source)) {
    Assign(other);
    return;
  }
  TPersistent::Assign(Source);
}

void TFont::Assign(const TFont* source) {
  if (!source || source == this) return;
  if (*this == *source) return;
  FName = source->FName;
  FHeight = source->FHeight;
  FColor = source->FColor;
  FStyle = source->FStyle;
  FPitch = source->FPitch;
  FCharset = source->FCharset;
  FOrientation = source->FOrientation;
  Changed();
}

bool operator==(const TFont& a, const TFont& b) {
  return a.FName == b.FName && a.FHeight == b.FHeight && a.FColor == b.FColor && a.FStyle == b.FStyle &&
         a.FPitch == b.FPitch && a.FCharset == b.FCharset && a.FOrientation == b.FOrientation;
}

void TFont::SetName(const std::string& name) {
  if (name.empty() || name == FName) return;
  FName = name;
  Changed();
}

int TFont::GetSize() const {
  return -MulDiv(FHeight, 72, kScreenDpi);
}

void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, kScreenDpi, 72));
}

void TFont::SetHeight(int pixels) {
  if (pixels == FHeight) return;
  FHeight = pixels;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == FPitch) return;
  FPitch = pitch;
  Changed();
}

void TFont::SetCharset(TFontCharset charset) {
  if (charset == FCharset) return;
  FCharset = charset;
  Changed();
}

void TFont::SetOrientation(int tenths) {
  if (tenths == FOrientation) return;
  FOrientation = tenths;
  Changed();
}

// ---------------------------------------------------------------- pens

void TPen::Assign(TPersistent* Source) {
  if (const auto* other = dynamic_cast<const TPen*>(Source)) {
    Assign(other);
    return;
  }
  TPersistent::Assign(Source);
}

void TPen::Assign(const TPen* source) {
  if (!source || source == this) return;
  if (FColor == source->FColor && FWidth == source->FWidth && FStyle == source->FStyle &&
      FMode == source->FMode)
    return;
  FColor = source->FColor;
  FWidth = source->FWidth;
  FStyle = source->FStyle;
  FMode = source->FMode;
  Changed();
}

void TPen::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width < 1) width = 1;  // a zero or negative width draws one pixel wide
  if (width == FWidth) return;
  FWidth = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (mode == FMode) return;
  FMode = mode;
  Changed();
}

// ---------------------------------------------------------------- brushes

TBrush::~TBrush() = default;

void TBrush::Assign(TPersistent* Source) {
  if (const auto* other = dynamic_cast<const TBrush*>(Source)) {
    Assign(other);
    return;
  }
  TPersistent::Assign(Source);
}

void TBrush::Assign(const TBrush* source) {
  if (!source || source == this) return;
  FColor = source->FColor;
  FStyle = source->FStyle;
  if (source->FBitmap) {
    FBitmap = std::make_unique<TBitmap>();
    FBitmap->Assign(source->FBitmap.get());
  } else {
    FBitmap.reset();
  }
  Changed();
}

void TBrush::SetColor(TColor color) {
  if (color == FColor && FStyle != bsClear) return;
  FColor = color;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TBrush::SetBitmap(const TBitmap* bitmap) {
  if (bitmap && !bitmap->GetEmpty()) {
    FBitmap = std::make_unique<TBitmap>();
    FBitmap->Assign(bitmap);
  } else {
    FBitmap.reset();
  }
  Changed();
}
