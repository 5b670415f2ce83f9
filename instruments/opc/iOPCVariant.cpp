#include "instruments/opc/iOPCVariant.h"

#include <cmath>
#include <limits>

#include "platform/sys/DateTime.h"
#include "platform/sys/SysUtils.h"

TiOPCVariant TiOPCVariant::Integer(std::int64_t Value, std::uint16_t VarType) {
  TiOPCVariant v;
  v.FVarType = VarType;
  v.FInt = Value;
  return v;
}

TiOPCVariant TiOPCVariant::Real(double Value, std::uint16_t VarType) {
  TiOPCVariant v;
  v.FVarType = VarType;
  v.FReal = VarType == iOPCVarSingle ? static_cast<double>(static_cast<float>(Value)) : Value;
  return v;
}

TiOPCVariant TiOPCVariant::String(const std::string& Value) {
  TiOPCVariant v;
  v.FVarType = iOPCVarString;
  v.FText = Value;
  return v;
}

TiOPCVariant TiOPCVariant::Boolean(bool Value) {
  return Integer(Value ? 1 : 0, iOPCVarBoolean);
}

TiOPCVariant TiOPCVariant::DateTime(double Value) {
  return Real(Value, iOPCVarDate);
}

bool TiOPCVariant::IsIntegerType(std::uint16_t VarType) {
  switch (VarType) {
    case iOPCVarSmallint:
    case iOPCVarInteger:
    case iOPCVarShortInt:
    case iOPCVarByte:
    case iOPCVarWord:
    case iOPCVarLongWord:
    case iOPCVarInt64:
      return true;
    default:
      return false;
  }
}

double TiOPCVariant::AsDouble() const {
  if (IsIntegerKind() || FVarType == iOPCVarBoolean) return static_cast<double>(FInt);
  if (FVarType == iOPCVarString) return StrToFloat(FText);
  if (FVarType == iOPCVarEmpty) return 0;
  return FReal;
}

std::string TiOPCVariant::AsText() const {
  if (IsIntegerKind()) return IntToStr(FInt);
  switch (FVarType) {
    case iOPCVarBoolean:
      return FInt ? "True" : "False";
    case iOPCVarString:
      return FText;
    case iOPCVarDate:
      return DateTimeToStr(FReal);
    case iOPCVarSingle:
    case iOPCVarDouble: {
      for (int precision = 15; precision < 17; ++precision) {
        std::string text = FloatToStrF(FReal, ffGeneral, precision, 0);
        double back = 0;
        if (TryStrToFloat(text, back) && back == FReal) return text;
      }
      return FloatToStrF(FReal, ffGeneral, 17, 0);
    }
    default:
      return "";
  }
}

TiOPCVariant TiOPCVariant::Scaled(double Scalar, double Offset) const {
  if (!IsIntegerKind() && !IsRealKind()) return *this;
  double v = AsDouble();
  if (Scalar != 0) v *= Scalar;
  if (Offset != 0) v += Offset;
  if (IsIntegerKind()) {
    // Halves to the even neighbour; a result that does not fit stays a
    // double rather than wrapping.
    const double r = std::nearbyint(v);
    if (std::isfinite(r) && r >= std::numeric_limits<std::int32_t>::min() &&
        r <= std::numeric_limits<std::int32_t>::max())
      return Integer(static_cast<std::int64_t>(r));
  }
  return Real(v);
}

void TiOPCVariant::ToC(iOPCVariant& Out, std::u16string& Buffer) const {
  Out.VarType = FVarType;
  Out.Int = FInt;
  Out.Real = FReal;
  Out.Text = nullptr;
  if (FVarType == iOPCVarString) {
    Buffer = iOPCUtf8ToUtf16(FText);
    Out.Text = reinterpret_cast<const std::uint16_t*>(Buffer.c_str());
  }
}

TiOPCVariant TiOPCVariant::FromC(const iOPCVariant& In) {
  if (IsIntegerType(In.VarType)) return Integer(In.Int, In.VarType);
  switch (In.VarType) {
    case iOPCVarBoolean:
      return Boolean(In.Int != 0);
    case iOPCVarSingle:
    case iOPCVarDouble:
    case iOPCVarDate:
      return Real(In.Real, In.VarType);
    case iOPCVarString:
      return String(In.Text ? iOPCUtf16ToUtf8(In.Text) : std::string());
    default:
      // A type we do not know arrives as empty, never as garbage.
      return TiOPCVariant();
  }
}

std::u16string iOPCUtf8ToUtf16(const std::string& Text) {
  std::u16string out;
  out.reserve(Text.size());
  const auto* s = reinterpret_cast<const unsigned char*>(Text.data());
  const size_t n = Text.size();
  size_t i = 0;
  while (i < n) {
    char32_t c = s[i];
    int extra = 0;
    if (c < 0x80) {
    } else if ((c & 0xE0) == 0xC0) {
      c &= 0x1F, extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      c &= 0x0F, extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      c &= 0x07, extra = 3;
    } else {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    bool ok = i + static_cast<size_t>(extra) < n;
    for (int k = 1; ok && k <= extra; ++k) {
      if ((s[i + static_cast<size_t>(k)] & 0xC0) != 0x80)
        ok = false;
      else
        c = (c << 6) | (s[i + static_cast<size_t>(k)] & 0x3F);
    }
    if (!ok || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    i += static_cast<size_t>(extra) + 1;
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::string iOPCUtf16ToUtf8(const std::uint16_t* Text) {
  std::string out;
  if (!Text) return out;
  for (size_t i = 0; Text[i]; ++i) {
    char32_t c = Text[i];
    if (c >= 0xD800 && c <= 0xDBFF && Text[i + 1] >= 0xDC00 && Text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (Text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}
