#include "platform/sys/CodePage.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <iconv.h>

namespace {

constexpr int kFromEnvironment = -1;
std::atomic<int> g_override{kFromEnvironment};

const char* const kReplacement = "\xEF\xBF\xBD";  // U+FFFD

AnsiCodePage FromEnvironment() {
  static const AnsiCodePage page = [] {
    for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
      const char* v = std::getenv(var);
      if (v && *v) return AnsiCodePageForLocale(v);
    }
    return AnsiCodePage::Cp1252;
  }();
  return page;
}

// Converters are not thread-safe: each thread keeps its own, opened on
// first use.
class Converters {
 public:
  ~Converters() {
    for (auto& row : FCd)
      for (iconv_t& c : row)
        if (c != Invalid()) iconv_close(c);
  }
  // toUtf8: ANSI -> UTF-8; otherwise UTF-8 -> ANSI. Null when unavailable.
  iconv_t Get(AnsiCodePage page, bool toUtf8) {
    iconv_t& c = FCd[page == AnsiCodePage::Gbk][toUtf8];
    if (c == Invalid()) {
      const char* ansi = page == AnsiCodePage::Gbk ? "CP936" : "CP1252";
      c = toUtf8 ? iconv_open("UTF-8", ansi) : iconv_open(ansi, "UTF-8");
      if (c == Invalid() && page == AnsiCodePage::Gbk)
        c = toUtf8 ? iconv_open("UTF-8", "GBK") : iconv_open("GBK", "UTF-8");
    }
    if (c == Invalid()) return Invalid();
    iconv(c, nullptr, nullptr, nullptr, nullptr);  // fresh shift state
    return c;
  }
  static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }

 private:
  iconv_t FCd[2][2] = {{Invalid(), Invalid()}, {Invalid(), Invalid()}};
};

thread_local Converters t_converters;

bool IsGbkLead(unsigned char b) {
  return b >= 0x81 && b <= 0xFE;
}
bool IsGbkTrail(unsigned char b) {
  return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// Bytes 0x81, 0x8D, 0x8F, 0x90, 0x9D have no character in CP1252; like the
// system code page they stand for the C1 controls of the same number, so
// they survive a round trip.
bool IsCp1252Hole(unsigned char b) {
  return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

void AppendUtf8(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out.push_back(char(cp));
  } else if (cp < 0x800) {
    out.push_back(char(0xC0 | (cp >> 6)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(char(0xE0 | (cp >> 12)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  }
}

// Length of the well-formed UTF-8 sequence at s[i], 0 when ill-formed;
// `cp` receives its code point.
size_t Utf8Sequence(std::string_view s, size_t i, unsigned& cp) {
  auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char c = b(i);
  size_t len;
  unsigned min;
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    cp = c & 0x1F;
    min = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    cp = c & 0x0F;
    min = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    cp = c & 0x07;
    min = 0x10000;
  } else
    return 0;
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

// Runs iconv over the whole input. On a byte it cannot take, `onError` is
// told the position and whether the input ended inside a character; it
// appends its replacement and returns how many bytes to skip (0 stops).
template <class OnError>
std::string Convert(iconv_t cd, std::string_view in, OnError onError) {
  std::string out;
  out.resize(in.size() * 2 + 16);
  size_t used = 0;
  size_t pos = 0;
  while (pos < in.size()) {
    char* src = const_cast<char*>(in.data() + pos);
    size_t srcLeft = in.size() - pos;
    char* dst = out.data() + used;
    size_t dstLeft = out.size() - used;
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    int err = errno;
    pos = in.size() - srcLeft;
    used = out.size() - dstLeft;
    if (r != static_cast<size_t>(-1)) break;
    if (err == E2BIG) {
      out.resize(out.size() * 2 + 16);
      continue;
    }
    std::string repl;
    size_t skip = onError(pos, err == EINVAL, repl);
    if (used + repl.size() > out.size()) out.resize(out.size() * 2 + repl.size());
    std::memcpy(out.data() + used, repl.data(), repl.size());
    used += repl.size();
    if (skip == 0) break;
    pos += skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(used);
  return out;
}

std::string AnsiToUtf8Impl(std::string_view bytes, AnsiCodePage page, bool dropCutTail) {
  iconv_t cd = t_converters.Get(page, true);
  if (cd == Converters::Invalid()) {
    // No converter: keep ASCII, mark the rest.
    std::string out;
    for (char c : bytes) {
      if (static_cast<unsigned char>(c) < 0x80)
        out.push_back(c);
      else
        out += kReplacement;
    }
    return out;
  }
  return Convert(cd, bytes, [&](size_t pos, bool incomplete, std::string& repl) -> size_t {
    auto b = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    if (page == AnsiCodePage::Cp1252) {
      if (IsCp1252Hole(b(pos)))
        AppendUtf8(repl, b(pos));
      else
        repl = kReplacement;
      return 1;
    }
    if (incomplete) {
      // A lead byte with nothing after it: the text was cut inside a
      // character.
      if (!dropCutTail) repl = kReplacement;
      return 0;
    }
    repl = kReplacement;
    // An unassigned pair is one character; a lead byte before a byte
    // that cannot follow it is replaced alone, so the next one survives.
    if (IsGbkLead(b(pos)) && pos + 1 < bytes.size() && IsGbkTrail(b(pos + 1))) return 2;
    return 1;
  });
}

}  // namespace

AnsiCodePage AnsiCodePageForLocale(std::string_view name) {
  if (name.size() >= 2 && (name[0] == 'z' || name[0] == 'Z') && (name[1] == 'h' || name[1] == 'H') &&
      (name.size() == 2 || name[2] == '_' || name[2] == '.' || name[2] == '@' || name[2] == '-'))
    return AnsiCodePage::Gbk;
  return AnsiCodePage::Cp1252;
}

AnsiCodePage GetAnsiCodePage() {
  int o = g_override.load(std::memory_order_relaxed);
  if (o != kFromEnvironment) return static_cast<AnsiCodePage>(o);
  return FromEnvironment();
}

void SetAnsiCodePage(AnsiCodePage page) {
  g_override.store(static_cast<int>(page), std::memory_order_relaxed);
}

std::string AnsiToUtf8(std::string_view bytes) {
  return AnsiToUtf8(bytes, GetAnsiCodePage());
}

std::string AnsiToUtf8(std::string_view bytes, AnsiCodePage page) {
  return AnsiToUtf8Impl(bytes, page, false);
}

std::string Utf8ToAnsi(std::string_view text) {
  return Utf8ToAnsi(text, GetAnsiCodePage());
}

std::string Utf8ToAnsi(std::string_view text, AnsiCodePage page) {
  iconv_t cd = t_converters.Get(page, false);
  if (cd == Converters::Invalid()) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
      unsigned cp;
      size_t len = Utf8Sequence(text, i, cp);
      out.push_back(len == 1 ? text[i] : '?');
      i += len ? len : 1;
    }
    return out;
  }
  return Convert(cd, text, [&](size_t pos, bool, std::string& repl) -> size_t {
    unsigned cp = 0;
    size_t len = Utf8Sequence(text, pos, cp);
    if (len == 0) {
      repl = "?";  // ill-formed UTF-8: one byte at a time
      return 1;
    }
    if (page == AnsiCodePage::Cp1252 && cp < 0x100 && IsCp1252Hole(static_cast<unsigned char>(cp)))
      repl = std::string(1, static_cast<char>(cp));
    else
      repl = "?";
    return len;
  });
}

bool Utf8ToAnsiExact(std::string_view text, AnsiCodePage page, std::string& out, std::string& failed) {
  failed.clear();
  out = Utf8ToAnsi(text, page);
  // A character that came through unchanged round-trips; '?' in the output
  // that the input did not hold marks a replacement.
  const std::string back = AnsiToUtf8(out, page);
  if (back == text) return true;
  size_t i = 0;
  while (i < text.size() && i < back.size() && text[i] == back[i]) ++i;
  while (i > 0 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) --i;
  unsigned cp = 0;
  size_t len = i < text.size() ? Utf8Sequence(text, i, cp) : 0;
  failed = std::string(text.substr(i, len ? len : 1));
  return false;
}

std::string Utf8ToAnsiField(std::string_view text, size_t size) {
  return Utf8ToAnsiField(text, size, GetAnsiCodePage());
}

std::string Utf8ToAnsiField(std::string_view text, size_t size, AnsiCodePage page) {
  std::string ansi = Utf8ToAnsi(text, page);
  if (ansi.size() <= size) return ansi;
  if (page == AnsiCodePage::Cp1252) return ansi.substr(0, size);
  size_t end = 0;
  while (end < ansi.size()) {
    size_t len = IsGbkLead(static_cast<unsigned char>(ansi[end])) && end + 1 < ansi.size() ? 2 : 1;
    if (end + len > size) break;
    end += len;
  }
  return ansi.substr(0, end);
}

std::string Utf8ToAnsiPadded(std::string_view text, size_t size, char fill) {
  return Utf8ToAnsiPadded(text, size, fill, GetAnsiCodePage());
}

std::string Utf8ToAnsiPadded(std::string_view text, size_t size, char fill, AnsiCodePage page) {
  std::string field = Utf8ToAnsiField(text, size, page);
  field.resize(size, fill);
  return field;
}

std::string AnsiFieldToUtf8(const char* field, size_t size) {
  return AnsiFieldToUtf8(field, size, GetAnsiCodePage());
}

std::string AnsiFieldToUtf8(const char* field, size_t size, AnsiCodePage page) {
  if (!field) return {};
  const void* nul = std::memchr(field, 0, size);
  size_t len = nul ? static_cast<size_t>(static_cast<const char*>(nul) - field) : size;
  return AnsiToUtf8Impl(std::string_view(field, len), page, true);
}
