#include "platform/sys/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// A finite value as decimal digits: value = 0.digits x 10^exp. No trailing
// zeros in digits; zero has no digits.
struct Decimal {
  bool negative = false;
  int exp = 0;
  std::string digits;
  bool Zero() const { return digits.empty(); }
};

constexpr int kExactDigits = 40;  // digits taken from the binary value before rounding
constexpr int kNoLimit = INT_MAX / 2;

// Rounds half away from zero to at most `significant` digits and at most
// `decimals` digits after the point.
Decimal ToDecimal(double value, int significant, int decimals = kNoLimit) {
  Decimal d;
  d.negative = std::signbit(value);
  double a = std::fabs(value);
  if (a == 0.0) {
    d.negative = false;
    return d;
  }
  char buf[80];
  auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, kExactDigits);
  std::string_view text(buf, size_t(res.ptr - buf));
  size_t e = text.find('e');
  std::string all;
  all.reserve(kExactDigits + 1);
  for (size_t i = 0; i < e; ++i)
    if (text[i] != '.') all.push_back(text[i]);
  int exp10 = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), exp10);
  d.exp = exp10 + 1;

  long long keep = significant;
  if (decimals != kNoLimit) keep = std::min<long long>(keep, (long long)d.exp + decimals);
  if (keep < 0) {
    d.negative = false;
    return d;  // rounds to zero
  }
  if (keep >= (long long)all.size()) {
    d.digits = all;
  } else {
    bool up = all[size_t(keep)] >= '5';
    d.digits = all.substr(0, size_t(keep));
    if (up) {
      int i = int(d.digits.size()) - 1;
      while (i >= 0 && d.digits[size_t(i)] == '9') d.digits[size_t(i--)] = '0';
      if (i >= 0) {
        ++d.digits[size_t(i)];
      } else {
        d.digits.insert(d.digits.begin(), '1');
        d.digits.pop_back();
        ++d.exp;
        if (d.digits.empty()) d.digits = "1";
      }
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.negative = false;
  return d;
}

std::string PadLeft(std::string s, size_t width, char fill) {
  if (s.size() < width) s.insert(0, width - s.size(), fill);
  return s;
}

std::string GroupThousands(const std::string& intPart) {
  std::string out;
  size_t n = intPart.size();
  for (size_t i = 0; i < n; ++i) {
    out.push_back(intPart[i]);
    size_t left = n - 1 - i;
    if (left > 0 && left % 3 == 0) out.push_back(',');
  }
  return out;
}

std::string NonFinite(double v) {
  if (std::isnan(v)) return "NAN";
  return v < 0 ? "-INF" : "INF";
}

// Integer and fraction digits of a decimal with `decimals` places (zero padded).
void SplitFixed(const Decimal& d, int decimals, std::string& intPart, std::string& fracPart) {
  intPart.clear();
  fracPart.clear();
  if (d.exp > 0) {
    intPart = d.digits.substr(0, std::min<size_t>(d.digits.size(), size_t(d.exp)));
    if (intPart.size() < size_t(d.exp)) intPart.append(size_t(d.exp) - intPart.size(), '0');
  } else {
    intPart.assign(1, '0');
  }
  for (int k = 0; k < decimals; ++k) {
    long long idx = (long long)d.exp + k;  // index into digits of the k-th decimal
    fracPart.push_back(idx >= 0 && idx < (long long)d.digits.size() ? d.digits[size_t(idx)] : '0');
  }
}

std::string ExponentText(int e, int minDigits, bool alwaysSign) {
  std::string s = std::to_string(e < 0 ? -(long long)e : (long long)e);
  s = PadLeft(s, size_t(std::max(minDigits, 0)), '0');
  if (e < 0) return s.insert(0, 1, '-');
  return alwaysSign ? s.insert(0, 1, '+') : s;
}

std::string GeneralText(const Decimal& d, int precision, int expDigits) {
  if (d.Zero()) return "0";
  std::string out = d.negative ? "-" : "";
  if (d.exp > precision || d.exp < -3) {
    out.push_back(d.digits[0]);
    if (d.digits.size() > 1) {
      out.push_back('.');
      out.append(d.digits, 1);
    }
    out += 'E';
    out += ExponentText(d.exp - 1, expDigits, false);
    return out;
  }
  if (d.exp <= 0) {
    out += "0.";
    out.append(size_t(-d.exp), '0');
    out += d.digits;
    return out;
  }
  std::string intPart, frac;
  SplitFixed(d, 0, intPart, frac);
  out += intPart;
  if (d.digits.size() > size_t(d.exp)) {
    out.push_back('.');
    out.append(d.digits, size_t(d.exp));
  }
  return out;
}

std::string ExponentFormText(double value, int precision, int expDigits) {
  Decimal d = ToDecimal(value, precision);
  std::string digits = d.digits;
  int e = d.Zero() ? 0 : d.exp - 1;
  digits.resize(size_t(precision), '0');
  std::string out = d.negative ? "-" : "";
  out.push_back(digits[0]);
  if (precision > 1) {
    out.push_back('.');
    out.append(digits, 1);
  }
  out += 'E';
  out += ExponentText(e, expDigits, true);
  return out;
}

std::string FixedText(double value, int significant, int decimals, bool thousands) {
  Decimal d = ToDecimal(value, significant, decimals);
  std::string intPart, frac;
  SplitFixed(d, decimals, intPart, frac);
  std::string out = d.negative ? "-" : "";
  out += thousands ? GroupThousands(intPart) : intPart;
  if (decimals > 0) {
    out += '.';
    out += frac;
  }
  return out;
}

}  // namespace

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  if (!std::isfinite(value)) return NonFinite(value);
  precision = std::clamp(precision, 1, 18);
  switch (format) {
    case ffExponent:
      return ExponentFormText(value, precision, std::clamp(digits, 0, 4));
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      Decimal rounded = ToDecimal(value, precision);
      if (rounded.exp > precision) return GeneralText(rounded, precision, 0);
      return FixedText(value, precision, std::clamp(digits, 0, 18), format != ffFixed);
    }
    case ffGeneral:
    default:
      return GeneralText(ToDecimal(value, precision), precision, std::clamp(digits, 0, 4));
  }
}

std::string FloatToStr(double value) {
  return FloatToStrF(value, ffGeneral, 15, 0);
}

// ---- FormatFloat -------------------------------------------------------------

namespace {

// One section of a FormatFloat pattern, quoted literals resolved.
struct Pattern {
  struct Item {
    enum Kind { Literal, Digits, Exponent } kind;
    std::string text;
  };
  std::string prefix, suffix;  // literals around the number
  int intZeros = 0;            // '0's before the point
  bool hasPoint = false;
  int fracZeros = 0, fracHashes = 0;
  bool thousands = false;
  bool scientific = false;
  bool expSign = false;  // "E+" rather than "E-"
  char expLetter = 'E';
  int expZeros = 0;
  bool anyDigit = false;
};

Pattern ParsePattern(std::string_view s) {
  Pattern p;
  bool inNumber = false, afterNumber = false, inFrac = false;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    std::string* lit = afterNumber ? &p.suffix : (inNumber ? nullptr : &p.prefix);
    if (c == '"' || c == '\'') {
      size_t end = s.find(c, i + 1);
      if (end == std::string_view::npos) end = s.size();
      std::string text(s.substr(i + 1, end - i - 1));
      (lit ? *lit : p.suffix) += text;
      if (!lit) afterNumber = true;
      i = end;
      continue;
    }
    if (!afterNumber && (c == '0' || c == '#' || c == '.' || c == ',')) {
      inNumber = true;
      p.anyDigit |= (c == '0' || c == '#');
      if (c == '.') {
        if (!p.hasPoint) {
          p.hasPoint = true;
          inFrac = true;
        }
      } else if (c == ',') {
        if (!inFrac) p.thousands = true;
      } else if (inFrac) {
        if (c == '0')
          p.fracZeros = p.fracZeros + p.fracHashes + 1, p.fracHashes = 0;
        else
          ++p.fracHashes;
      } else if (c == '0') {
        ++p.intZeros;
      }
      continue;
    }
    if (inNumber && !afterNumber && (c == 'E' || c == 'e') && i + 1 < s.size() &&
        (s[i + 1] == '+' || s[i + 1] == '-')) {
      p.scientific = true;
      p.expLetter = c;
      p.expSign = s[i + 1] == '+';
      i += 2;
      while (i < s.size() && s[i] == '0') {
        ++p.expZeros;
        ++i;
      }
      --i;
      afterNumber = true;
      continue;
    }
    if (inNumber) afterNumber = true;
    (afterNumber ? p.suffix : p.prefix).push_back(c);
  }
  return p;
}

std::vector<std::string_view> SplitSections(std::string_view s) {
  std::vector<std::string_view> out;
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      out.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  out.push_back(s.substr(start));
  return out;
}

std::string ApplyPattern(const Pattern& p, double a /* not negative */) {
  int maxFrac = p.fracZeros + p.fracHashes;
  std::string intPart, frac;
  std::string exponent;
  if (p.scientific) {
    int intDigits = std::max(p.intZeros, 1);
    int sig = intDigits + maxFrac;
    Decimal d = ToDecimal(a, std::min(sig, 18));
    int e = d.Zero() ? 0 : d.exp - intDigits;
    Decimal shifted = d;
    shifted.exp = d.Zero() ? 0 : intDigits;
    SplitFixed(shifted, maxFrac, intPart, frac);
    if (intPart.size() < size_t(p.intZeros)) intPart = PadLeft(intPart, size_t(p.intZeros), '0');
    exponent = std::string(1, p.expLetter) + (e < 0 ? "-" : (p.expSign ? "+" : "")) +
               PadLeft(std::to_string(std::abs(e)), size_t(std::max(p.expZeros, 1)), '0');
  } else {
    Decimal d = ToDecimal(a, 18, maxFrac);
    SplitFixed(d, maxFrac, intPart, frac);
    if (intPart == "0" && p.intZeros == 0) intPart.clear();
    if (intPart.size() < size_t(p.intZeros)) intPart = PadLeft(intPart, size_t(p.intZeros), '0');
    if (p.thousands) intPart = GroupThousands(intPart);
  }
  while (frac.size() > size_t(p.fracZeros) && frac.back() == '0') frac.pop_back();
  std::string out = p.prefix + intPart;
  if (!frac.empty()) {
    out += '.';
    out += frac;
  }
  out += exponent + p.suffix;
  return out;
}

}  // namespace

std::string FormatFloat(std::string_view pattern, double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  auto sections = SplitSections(pattern);
  if (pattern.empty()) return FloatToStr(value);
  if (sections.size() > 3) sections.resize(3);
  std::string_view positive = sections[0];
  Pattern pp = ParsePattern(positive);
  if (!pp.anyDigit) return pp.prefix + pp.suffix;

  // A value that the positive section shows as zero takes the zero section.
  std::string text = ApplyPattern(pp, std::fabs(value));
  bool isZero = value == 0.0 || text == ApplyPattern(pp, 0.0);
  if (isZero && sections.size() == 3 && !sections[2].empty()) {
    Pattern pz = ParsePattern(sections[2]);
    return pz.anyDigit ? ApplyPattern(pz, 0.0) : pz.prefix + pz.suffix;
  }
  if (value < 0 && !isZero) {
    if (sections.size() >= 2 && !sections[1].empty()) {
      Pattern pn = ParsePattern(sections[1]);
      return pn.anyDigit ? ApplyPattern(pn, -value) : pn.prefix + pn.suffix;
    }
    return "-" + text;
  }
  return text;
}

// ---- Format ------------------------------------------------------------------

namespace sys {
namespace {

struct Spec {
  bool left = false, plus = false, space = false, alt = false, zero = false;
  int width = -1, precision = -1;
  char conv = 0;
};

unsigned long long AsUnsignedBits(const FormatArg& a) {
  if (a.kind == FormatArg::Int) {
    unsigned long long u = (unsigned long long)a.i;
    if (a.bits < 64) u &= (1ULL << a.bits) - 1;
    return u;
  }
  if (a.kind == FormatArg::UInt) return a.u;
  if (a.kind == FormatArg::Pointer) return (unsigned long long)(uintptr_t)a.p;
  if (a.kind == FormatArg::Float) {
    if (!std::isfinite(a.f)) return 0;
    double t = std::trunc(a.f);
    if (t <= 0) return t <= -9.2e18 ? 0 : (unsigned long long)(long long)t;
    return t >= 1.8e19 ? ULLONG_MAX : (unsigned long long)t;
  }
  return 0;
}

// Sign and magnitude of an integer-ish argument.
bool AsSigned(const FormatArg& a, unsigned long long& magnitude) {
  switch (a.kind) {
    case FormatArg::Int:
      magnitude = a.i < 0 ? 0ULL - (unsigned long long)a.i : (unsigned long long)a.i;
      return a.i < 0;
    case FormatArg::Float: {
      if (!std::isfinite(a.f)) {
        magnitude = 0;
        return false;
      }
      double t = std::trunc(std::fabs(a.f));
      magnitude = t >= 1.8e19 ? ULLONG_MAX : (unsigned long long)t;
      return a.f < 0 && magnitude != 0;
    }
    default:
      magnitude = AsUnsignedBits(a);
      return false;
  }
}

double AsDouble(const FormatArg& a) {
  switch (a.kind) {
    case FormatArg::Float:
      return a.f;
    case FormatArg::Int:
      return double(a.i);
    case FormatArg::UInt:
      return double(a.u);
    case FormatArg::Text:
      return ReadLeadingDecimal(a.s);
    default:
      return 0.0;
  }
}

std::string ToBase(unsigned long long v, unsigned base) {
  if (v == 0) return "0";
  std::string s;
  while (v) {
    s.push_back("0123456789ABCDEF"[v % base]);
    v /= base;
  }
  std::reverse(s.begin(), s.end());
  return s;
}

// Lays out sign (or prefix) and body in the field.
void Emit(std::string& out, const Spec& sp, std::string_view signOrPrefix, std::string body,
          bool zeroPadAllowed) {
  size_t len = signOrPrefix.size() + body.size();
  size_t width = sp.width > 0 ? size_t(sp.width) : 0;
  if (len >= width) {
    out += signOrPrefix;
    out += body;
  } else if (sp.left) {
    out += signOrPrefix;
    out += body;
    out.append(width - len, ' ');
  } else if (sp.zero && zeroPadAllowed) {
    out += signOrPrefix;
    out.append(width - len, '0');
    out += body;
  } else {
    out.append(width - len, ' ');
    out += signOrPrefix;
    out += body;
  }
}

std::string SignText(const Spec& sp, bool negative) {
  if (negative) return "-";
  if (sp.plus) return "+";
  if (sp.space) return " ";
  return "";
}

void FormatOne(std::string& out, const Spec& sp, const FormatArg* arg) {
  char c = sp.conv;
  if (!arg) return;  // missing argument: nothing
  const FormatArg& a = *arg;
  switch (c) {
    case 'd':
    case 'i':
    case 'u': {
      if (a.kind == FormatArg::Text) {
        Emit(out, sp, "", std::string(a.s), false);
        return;
      }
      unsigned long long mag;
      bool neg;
      if (c == 'u') {
        mag = AsUnsignedBits(a);
        neg = false;
      } else {
        neg = AsSigned(a, mag);
      }
      std::string body = ToBase(mag, 10);
      if (sp.precision >= 0) {
        if (sp.precision == 0 && mag == 0) body.clear();
        body = PadLeft(body, size_t(sp.precision), '0');
      }
      Emit(out, sp, SignText(sp, neg), body, sp.precision < 0);
      return;
    }
    case 'x':
    case 'X':
    case 'o': {
      unsigned long long v = AsUnsignedBits(a);
      std::string body = ToBase(v, c == 'o' ? 8 : 16);
      if (sp.precision >= 0) {
        if (sp.precision == 0 && v == 0) body.clear();
        body = PadLeft(body, size_t(sp.precision), '0');
      }
      std::string prefix;
      if (sp.alt && v != 0) prefix = c == 'o' ? "0" : "0X";
      Emit(out, sp, prefix, body, sp.precision < 0);
      return;
    }
    case 'p': {
      unsigned long long v = AsUnsignedBits(a);
      Emit(out, sp, "", PadLeft(ToBase(v, 16), sizeof(void*) * 2, '0'), false);
      return;
    }
    case 'c': {
      std::string body;
      if (a.kind == FormatArg::Text)
        body = a.s.empty() ? std::string() : std::string(1, a.s[0]);
      else
        body = std::string(1, char(AsUnsignedBits(a) & 0xFF));
      Emit(out, sp, "", body, false);
      return;
    }
    case 's': {
      std::string body;
      if (a.kind == FormatArg::Text)
        body = std::string(a.s);
      else if (a.kind == FormatArg::Float)
        body = FloatToStr(a.f);
      else if (a.kind == FormatArg::Int)
        body = IntToStr(a.i);
      else if (a.kind == FormatArg::UInt)
        body = UIntToStr(a.u);
      else
        body = PadLeft(ToBase(AsUnsignedBits(a), 16), sizeof(void*) * 2, '0');
      if (sp.precision >= 0 && body.size() > size_t(sp.precision)) body.resize(size_t(sp.precision));
      Emit(out, sp, "", body, false);
      return;
    }
    default:
      break;
  }
  // Floating-point conversions.
  double v = AsDouble(a);
  if (!std::isfinite(v)) {
    std::string t = NonFinite(v);
    bool neg = t[0] == '-';
    Emit(out, sp, SignText(sp, neg), neg ? t.substr(1) : t, false);
    return;
  }
  std::string text;
  switch (c) {
    case 'f':
    case 'F':
      text = FixedText(v, kNoLimit, std::clamp(sp.precision < 0 ? 2 : sp.precision, 0, 99), false);
      break;
    case 'n':
      text = FixedText(v, kNoLimit, std::clamp(sp.precision < 0 ? 2 : sp.precision, 0, 99), true);
      break;
    case 'e':
    case 'E':
      text = ExponentFormText(v, std::clamp(sp.precision < 0 ? 15 : sp.precision, 1, 18), 3);
      break;
    default:  // g, G
    {
      int prec = std::clamp(sp.precision < 0 ? 15 : sp.precision, 1, 18);
      text = GeneralText(ToDecimal(v, prec), prec, 0);
      break;
    }
  }
  bool neg = !text.empty() && text[0] == '-';
  if (neg) text.erase(0, 1);
  Emit(out, sp, SignText(sp, neg), text, true);
}

// The arguments in order; '*' widths and precisions take theirs too.
class ArgCursor {
 public:
  ArgCursor(const FormatArg* args, size_t count) : FArgs(args), FCount(count) {}

  // Null once the arguments are used up: the conversion shows nothing.
  const FormatArg* Take() { return FNext < FCount ? &FArgs[FNext++] : nullptr; }

  int TakeInt() {
    const FormatArg* a = Take();
    if (!a) return 0;
    unsigned long long mag;
    const bool neg = AsSigned(*a, mag);
    const long long v = (long long)std::min<unsigned long long>(mag, 1000000);
    return int(neg ? -v : v);
  }

 private:
  const FormatArg* FArgs;
  size_t FCount;
  size_t FNext = 0;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

void ReadFlags(std::string_view f, size_t& j, Spec& sp) {
  for (; j < f.size(); ++j) {
    switch (f[j]) {
      case '-':
        sp.left = true;
        break;
      case '+':
        sp.plus = true;
        break;
      case ' ':
        sp.space = true;
        break;
      case '#':
        sp.alt = true;
        break;
      case '0':
        sp.zero = true;
        break;
      default:
        return;
    }
  }
}

// A '*' width from the arguments counts a negative value as left-aligned.
void ReadWidth(std::string_view f, size_t& j, Spec& sp, ArgCursor& args) {
  if (j < f.size() && f[j] == '*') {
    const int w = args.TakeInt();
    if (w < 0) sp.left = true;
    sp.width = w < 0 ? -w : w;
    ++j;
    return;
  }
  for (; j < f.size() && IsDigit(f[j]); ++j)
    sp.width = std::min((sp.width < 0 ? 0 : sp.width) * 10 + (f[j] - '0'), 100000);
}

// A negative '*' precision counts as none.
void ReadPrecision(std::string_view f, size_t& j, Spec& sp, ArgCursor& args) {
  if (j >= f.size() || f[j] != '.') return;
  ++j;
  sp.precision = 0;
  if (j < f.size() && f[j] == '*') {
    const int p = args.TakeInt();
    sp.precision = p < 0 ? -1 : p;
    ++j;
    return;
  }
  for (; j < f.size() && IsDigit(f[j]); ++j)
    sp.precision = std::min(sp.precision * 10 + (f[j] - '0'), 100000);
}

// Reads "[flags][width][.precision][length]conversion" from j, just past
// the '%'; j ends on the conversion letter, or where the text stops being
// a conversion (false).
bool ReadConversion(std::string_view f, size_t& j, Spec& sp, ArgCursor& args) {
  ReadFlags(f, j, sp);
  ReadWidth(f, j, sp, args);
  ReadPrecision(f, j, sp, args);
  while (j < f.size() && std::strchr("hlLqjzt", f[j])) ++j;
  if (j >= f.size() || !std::strchr("diuxXocspfFeEgGn", f[j])) return false;
  sp.conv = f[j];
  return true;
}

}  // namespace

std::string FormatArgs(std::string_view f, const FormatArg* args, size_t count) {
  std::string out;
  out.reserve(f.size() + 16);
  ArgCursor cursor(args, count);
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i] != '%') {
      out.push_back(f[i]);
      continue;
    }
    if (i + 1 < f.size() && f[i + 1] == '%') {
      out.push_back('%');
      ++i;
      continue;
    }
    Spec sp;
    size_t j = i + 1;
    if (!ReadConversion(f, j, sp, cursor)) {
      // Not a conversion: the text stands as written.
      out.append(f.substr(i, j - i));
      i = j - 1;
      continue;
    }
    FormatOne(out, sp, cursor.Take());
    i = j;
  }
  return out;
}

}  // namespace sys

// ---- integers ------------------------------------------------------------------

std::string IntToStr(long long value) {
  return std::to_string(value);
}
std::string UIntToStr(unsigned long long value) {
  return std::to_string(value);
}

std::string UIntToHex(unsigned long long value, int digits) {
  std::string s = sys::ToBase(value, 16);
  if (digits > 0) s = PadLeft(s, size_t(std::min(digits, 64)), '0');
  return s;
}

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool ParseInt64(std::string_view text, long long lo, long long hi, long long& out) {
  std::string_view s = Trim(text);
  bool neg = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    neg = s[0] == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s[0] == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return false;
  unsigned long long mag = 0;
  auto res = std::from_chars(s.data(), s.data() + s.size(), mag, base);
  if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return false;
  if (base == 16 && !neg) {
    // A hexadecimal text gives the bit pattern at the target width.
    unsigned long long maxBits = hi == INT_MAX ? 0xFFFFFFFFULL : ULLONG_MAX;
    if (mag > maxBits) return false;
    out = hi == INT_MAX ? (long long)(int)(unsigned)mag : (long long)mag;
    return true;
  }
  if (neg) {
    if (mag > (unsigned long long)hi + 1 || mag > 0ULL - (unsigned long long)lo) return false;
    out = mag == 0 ? 0 : -(long long)(mag - 1) - 1;
  } else {
    if (mag > (unsigned long long)hi) return false;
    out = (long long)mag;
  }
  return true;
}

std::string Quoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '\'';
  out += text;
  out += '\'';
  return out;
}

}  // namespace

bool TryStrToInt(std::string_view text, int& value) {
  long long v;
  if (!ParseInt64(text, INT_MIN, INT_MAX, v)) return false;
  value = int(v);
  return true;
}

bool TryStrToInt64(std::string_view text, long long& value) {
  return ParseInt64(text, LLONG_MIN, LLONG_MAX, value);
}

int StrToInt(std::string_view text) {
  int v;
  if (!TryStrToInt(text, v)) throw EConvertError(Quoted(text) + " is not a valid integer value");
  return v;
}

long long StrToInt64(std::string_view text) {
  long long v;
  if (!TryStrToInt64(text, v)) throw EConvertError(Quoted(text) + " is not a valid integer value");
  return v;
}

int StrToIntDef(std::string_view text, int fallback) {
  int v;
  return TryStrToInt(text, v) ? v : fallback;
}

// ---- floating point --------------------------------------------------------------

bool TryStrToFloat(std::string_view text, double& value) {
  std::string_view s = Trim(text);
  bool neg = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    neg = s[0] == '-';
    s.remove_prefix(1);
  }
  // Shape check first: digits, one optional point with a digit beside it,
  // optional exponent with digits. No "inf", "nan" or hexadecimal.
  size_t i = 0, intDigits = 0, fracDigits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++intDigits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++fracDigits;
  }
  if (intDigits + fracDigits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t k = i + 1;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
    size_t expStart = k;
    while (k < s.size() && s[k] >= '0' && s[k] <= '9') ++k;
    if (k == expStart) return false;
    i = k;
  }
  if (i != s.size()) return false;
  double v = 0;
  auto res = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // Underflow reads as zero; overflow is not a number.
    bool tiny = false;
    size_t e = s.find_first_of("eE");
    if (e != std::string_view::npos && s.substr(e + 1).find('-') != std::string_view::npos) tiny = true;
    if (!tiny) return false;
    v = 0.0;
  } else if (res.ec != std::errc() || res.ptr != s.data() + s.size()) {
    return false;
  }
  value = neg ? -v : v;
  return true;
}

double StrToFloat(std::string_view text) {
  double v;
  if (!TryStrToFloat(text, v)) throw EConvertError(Quoted(text) + " is not a valid floating point value");
  return v;
}

double StrToFloatDef(std::string_view text, double fallback) {
  double v;
  return TryStrToFloat(text, v) ? v : fallback;
}

// ---- readers ---------------------------------------------------------------------

namespace sys {

double ReadLeadingDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool neg = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) neg = text[i++] == '-';
  size_t start = i;
  bool point = false;
  size_t digits = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
    ++i;
  }
  if (digits == 0) return 0.0;
  std::string_view num = text.substr(start, i - start);
  if (num.back() == '.') num.remove_suffix(1);
  double v = 0.0;
  if (num.front() == '.') {
    std::string withZero(1, '0');
    withZero += num;
    std::from_chars(withZero.data(), withZero.data() + withZero.size(), v, std::chars_format::fixed);
  } else {
    auto res = std::from_chars(num.data(), num.data() + num.size(), v, std::chars_format::fixed);
    if (res.ec == std::errc::result_out_of_range) v = std::numeric_limits<double>::infinity();
  }
  return neg ? -v : v;
}

int ReadLeadingInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool neg = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) neg = text[i++] == '-';
  long long v = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    v = v * 10 + (text[i] - '0');
    if (v > (long long)INT_MAX + 1) v = (long long)INT_MAX + 1;
    ++i;
  }
  if (neg) v = -v;
  return int(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace sys
