#pragma once
// Number and text conversions with the class library's names and rules.
// Decimal separator '.', thousands separator ','; no locale is consulted.

#include <concepts>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// The common exception of both library layers: a message the user can read.
// Handler boundaries catch it with everything derived from it.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// A text that is not a number or a date, a value out of range, or two
// objects that cannot be assigned to each other.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// The value rounded (half away from zero) to `precision` significant digits
// (1..18), then:
// - ffGeneral: the shorter form, trailing zeros dropped; scientific ("1E20",
//   "1.5E-7") when the integer part has more than `precision` digits or the
//   value is below 0.0001; `digits` is the exponent's minimum digit count.
// - ffExponent: "d.dddE+ddd" with `precision` digits and at least `digits`
//   (0..4) exponent digits.
// - ffFixed / ffNumber (ffNumber with thousands separators) / ffCurrency (as
//   ffNumber): `digits` (0..18) decimals; the general form when the integer
//   part has more than `precision` digits.
// NaN and infinities read "NAN", "INF", "-INF".
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
// FloatToStrF(value, ffGeneral, 15, 0).
std::string FloatToStr(double value);

// Pattern formatting: '0' digit, '#' optional digit, '.' decimal point, ','
// anywhere in the integer part for thousands separators, "E+"/"E-"/"e+"/"e-"
// scientific, quoted literals, ';' separating positive;negative;zero sections.
std::string FormatFloat(std::string_view pattern, double value);

// ---- Format ----------------------------------------------------------------

namespace sys {
struct FormatArg {
  enum Kind { Int, UInt, Float, Text, Pointer } kind;
  union {
    long long i;
    unsigned long long u;
    double f;
    const void* p;
  };
  std::string_view s;
  int bits = 64;  // width of an integer argument, for %x and %u of negatives

  template <class T>
  static FormatArg From(const T& v) {
    FormatArg a{};
    using D = std::decay_t<T>;
    if constexpr (std::is_same_v<D, bool>) {
      a.kind = Int;
      a.i = v ? 1 : 0;
      a.bits = 32;
    } else if constexpr (std::is_enum_v<D>) {
      return From(static_cast<std::underlying_type_t<D>>(v));
    } else if constexpr (std::is_integral_v<D> && std::is_signed_v<D>) {
      a.kind = Int;
      a.i = v;
      a.bits = sizeof(D) < 4 ? 32 : int(sizeof(D) * 8);
    } else if constexpr (std::is_integral_v<D>) {
      a.kind = UInt;
      a.u = v;
      a.bits = sizeof(D) < 4 ? 32 : int(sizeof(D) * 8);
    } else if constexpr (std::is_floating_point_v<D>) {
      a.kind = Float;
      a.f = static_cast<double>(v);
    } else if constexpr (std::is_array_v<T> && (std::is_same_v<D, const char*> || std::is_same_v<D, char*>)) {
      a.kind = Text;
      a.s = std::string_view(v);
    } else if constexpr (std::is_same_v<D, const char*> || std::is_same_v<D, char*>) {
      a.kind = Text;
      a.s = v ? std::string_view(v) : std::string_view();
    } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
      a.kind = Text;
      a.s = std::string_view(v);
    } else if constexpr (std::is_pointer_v<D> || std::is_null_pointer_v<D>) {
      a.kind = Pointer;
      a.p = static_cast<const void*>(v);
    } else {
      static_assert(sizeof(T) == 0, "Format: unsupported argument type");
    }
    return a;
  }
};
std::string FormatArgs(std::string_view format, const FormatArg* args, size_t count);
}  // namespace sys

// printf conventions: flags "-+ #0", width and precision (also "*"), length
// modifiers ignored, "%%" for a percent sign; a '%' that starts no valid
// conversion is copied as it stands. Where the class library's Format
// differs from C, it is followed: %x and %X both give upper-case digits; %e
// has `precision` significant digits (default 15), an upper-case E, a sign
// and at least three exponent digits (4.57E+003); %f and %n default to 2
// decimals; %g is the general form with 15 significant digits by default;
// %n has thousands separators; %p is the address in upper-case hexadecimal.
// A missing argument formats as nothing; a number given to %s prints as
// %d/%g would; never throws.
template <class... A>
std::string Format(std::string_view format, const A&... args) {
  if constexpr (sizeof...(A) == 0) {
    return sys::FormatArgs(format, nullptr, 0);
  } else {
    const sys::FormatArg list[] = {sys::FormatArg::From(args)...};
    return sys::FormatArgs(format, list, sizeof...(A));
  }
}

// ---- integers ----------------------------------------------------------------

std::string IntToStr(long long value);
std::string UIntToStr(unsigned long long value);
template <std::integral T>
std::string IntToStr(T value) {
  if constexpr (std::is_signed_v<T>)
    return IntToStr(static_cast<long long>(value));
  else
    return UIntToStr(static_cast<unsigned long long>(value));
}

// Upper-case hexadecimal of the value's bits at its own width (-1 as int is
// FFFFFFFF), left-padded with '0' to at least `digits`.
std::string UIntToHex(unsigned long long value, int digits);
template <std::integral T>
std::string IntToHex(T value, int digits) {
  return UIntToHex(static_cast<unsigned long long>(static_cast<std::make_unsigned_t<T>>(value)), digits);
}

// Decimal with optional sign, or hexadecimal after "$", "0x" or "0X"; blanks
// around it are allowed. Out of range or anything else is not a number.
bool TryStrToInt(std::string_view text, int& value);
bool TryStrToInt64(std::string_view text, long long& value);
int StrToInt(std::string_view text);  // throws EConvertError
long long StrToInt64(std::string_view text);
int StrToIntDef(std::string_view text, int fallback);

// ---- floating point ------------------------------------------------------------

// Optional sign, digits with one optional point (a digit on at least one
// side), optional exponent; blanks around it are allowed. Overflow is not a
// number.
bool TryStrToFloat(std::string_view text, double& value);
double StrToFloat(std::string_view text);  // throws EConvertError
double StrToFloatDef(std::string_view text, double fallback);

// ---- readers of a number at the start of a text ------------------------------

namespace sys {

// The C library's atof restricted to what the editor's entry fields need:
// leading white space skipped, an optional sign, then digits with at most
// one point; reading stops at the first character that cannot continue the
// number (a comma, a second point, a second sign, a blank). Nothing
// readable gives 0.
double ReadLeadingDecimal(std::string_view text);

// The same for whole numbers (atoi): leading white space, an optional sign,
// digits up to the first non-digit; nothing readable gives 0; saturates at
// the int range.
int ReadLeadingInteger(std::string_view text);

}  // namespace sys
