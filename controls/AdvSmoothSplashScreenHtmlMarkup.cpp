// Reading the splash's markup: entities, the field tag, line ends,
// attributes, numbers and colours. Every reader stays inside its text.

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

#include "controls/AdvSmoothSplashScreenHtml.h"

namespace HtmlMarkup {

namespace {

char Up(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool IsLetter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

bool EndsWithNoCase(const std::string& s, const char* tail) {
  const std::size_t n = std::strlen(tail);
  if (s.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (Up(s[s.size() - n + i]) != Up(tail[i])) return false;
  return true;
}

struct Entity {
  const char* name;
  const char* text;
};

// Replaced once for the whole text; "&nbsp;", "&lt;" and "&gt;" wait for
// the pieces so that a "<" they give never opens a tag.
const Entity kEntities[] = {{"&amp;", "&"},     {"&quot;", "\""},   {"&sect;", "\xC2\xA7"},
                            {"&permil;", "\xE2\x80\xB0"},          {"&reg;", "\xC2\xAE"},
                            {"&copy;", "\xC2\xA9"},                {"&para;", "\xC2\xB6"},
                            {"&trade;", "\xE2\x84\xA2"},           {"&euro;", "\xE2\x82\xAC"}};

const Entity kPieceEntities[] = {{"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"}};

// Every entity ends in ';' and only a replacement '&' can start a new one,
// so checking the output's tail at each ';' reaches the same result as
// replacing over and over, in one pass.
template <std::size_t N>
std::string Replace(const std::string& text, const Entity (&table)[N]) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    out += c;
    if (c != ';') continue;
    for (const Entity& e : table) {
      if (!EndsWithNoCase(out, e.name)) continue;
      out.resize(out.size() - std::strlen(e.name));
      out += e.text;
      break;
    }
  }
  return out;
}

struct NamedColor {
  const char* name;
  TColor color;
};

const NamedColor kColors[] = {
    {"clred", 0x0000FF},          {"clblack", 0x000000},        {"clblue", 0xFF0000},
    {"clgreen", 0x008000},        {"claqua", 0xFFFF00},         {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},      {"clwhite", 0xFFFFFF},        {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},       {"clgray", 0x808080},         {"clolive", 0x008080},
    {"clnavy", 0x800000},         {"clpurple", 0x800080},       {"clteal", 0x808000},
    {"clmaroon", 0x000080},       {"clbackground", SystemColor(1)},
    {"clactivecaption", SystemColor(2)},                         {"clinactivecaption", SystemColor(3)},
    {"clmenu", SystemColor(4)},   {"clwindow", SystemColor(5)}, {"clwindowframe", SystemColor(6)},
    {"clmenutext", SystemColor(7)},                              {"clwindowtext", SystemColor(8)},
    {"clcaptiontext", SystemColor(9)},                           {"clactiveborder", SystemColor(10)},
    {"clinactiveborder", SystemColor(11)},                       {"clappworkspace", SystemColor(12)},
    {"clhighlight", SystemColor(13)},                            {"clhighlighttext", SystemColor(14)},
    {"clbtnface", SystemColor(15)},                              {"clbtnshadow", SystemColor(16)},
    {"clgraytext", SystemColor(17)},                             {"clbtntext", SystemColor(18)},
    {"clinactivecaptiontext", SystemColor(19)},                  {"clbtnhighlight", SystemColor(20)},
    {"cl3ddkshadow", SystemColor(21)},                           {"cl3dlight", SystemColor(22)},
    {"clinfotext", SystemColor(23)},                             {"clinfobk", SystemColor(24)},
};

int HexDigit(const std::string& s, std::size_t i) {
  if (i >= s.size()) return 0;
  const char c = Up(s[i]);
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

// Reads [sign] digits from i; false when no digit follows.
bool ReadNumber(const std::string& s, std::size_t& i, int& value) {
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
    negative = s[i] == '-';
    ++i;
  }
  if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i]))) return false;
  long long v = 0;
  for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
    v = std::min<long long>(v * 10 + (s[i] - '0'), static_cast<long long>(INT_MAX) + 1);
  if (negative) v = -v;
  value = static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
  return true;
}

}  // namespace

std::string Prepare(const std::string& Text) {
  std::string s = Text.find('&') != std::string::npos ? Replace(Text, kEntities) : Text;
  if (const std::size_t field = s.find("<#"); field != std::string::npos) {
    s.erase(field, 1);
    if (const std::size_t close = s.find('>', field); close != std::string::npos) s.erase(close, 1);
  }
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '\r')
      out += "<BR>";
    else if (c != '\n')
      out += c;
  }
  return out;
}

std::string PieceText(const std::string& Piece) {
  return Piece.find('&') != std::string::npos ? Replace(Piece, kPieceEntities) : Piece;
}

TColor ColorByName(const std::string& Name) {
  std::string lower = Name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
  for (const NamedColor& c : kColors)
    if (lower == c.name) return c.color;
  return 0;
}

TColor ColorValue(const std::string& Value) {
  if (Value.empty() || Value[0] != '#') return ColorByName(Value);
  const int r = HexDigit(Value, 1) * 16 + HexDigit(Value, 2);
  const int g = HexDigit(Value, 3) * 16 + HexDigit(Value, 4);
  const int b = HexDigit(Value, 5) * 16 + HexDigit(Value, 6);
  return r + 256 * g + 65536 * b;
}

bool Attribute(const std::string& Tag, const char* Name, std::string& Value) {
  std::string upper = Tag;
  std::transform(upper.begin(), upper.end(), upper.begin(), Up);
  const std::size_t n = std::strlen(Name);
  for (std::size_t at = upper.find(Name); at != std::string::npos; at = upper.find(Name, at + 1)) {
    if (at > 0 && (IsLetter(upper[at - 1]) || upper[at - 1] == '<' || upper[at - 1] == '/')) continue;
    std::size_t i = at + n;
    while (i < upper.size() && upper[i] == ' ') ++i;
    if (i >= upper.size() || upper[i] != '=') continue;
    ++i;
    while (i < upper.size() && upper[i] == ' ') ++i;
    if (i < Tag.size() && Tag[i] == '"') {
      const std::size_t close = Tag.find('"', i + 1);
      std::size_t end = close != std::string::npos ? close : Tag.size();
      if (close == std::string::npos && end > i + 1 && Tag[end - 1] == '>') --end;
      Value = Tag.substr(i + 1, end - i - 1);
      return true;
    }
    if (std::strcmp(Name, "SIZE") == 0) {
      std::size_t end = i;
      while (end < Tag.size() && Tag[end] != ' ' && Tag[end] != '>') ++end;
      Value = Tag.substr(i, end - i);
      return true;
    }
  }
  return false;
}

int LeadingNumber(const std::string& Text) {
  std::size_t i = 0;
  while (i < Text.size() && Text[i] == ' ') ++i;
  int value = 0;
  return ReadNumber(Text, i, value) ? value : 0;
}

bool WholeNumber(const std::string& Text, int& Value) {
  std::size_t i = 0;
  while (i < Text.size() && Text[i] == ' ') ++i;
  int v = 0;
  if (!ReadNumber(Text, i, v)) return false;
  while (i < Text.size() && Text[i] == ' ') ++i;
  if (i != Text.size()) return false;
  Value = v;
  return true;
}

}  // namespace HtmlMarkup
