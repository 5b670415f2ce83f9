#pragma once
// The value an OPC item holds: empty, one of the integer kinds, single,
// double, string, Boolean or date-time, tagged with its variant type
// number. Strings are UTF-8 here and UTF-16 across the library's boundary.

#include <cstdint>
#include <string>

#include "instruments/opc/iOPCLibraryABI.h"

class TiOPCVariant {
 public:
  TiOPCVariant() = default;
  static TiOPCVariant Integer(std::int64_t Value, std::uint16_t VarType = iOPCVarInteger);
  static TiOPCVariant Real(double Value, std::uint16_t VarType = iOPCVarDouble);
  static TiOPCVariant String(const std::string& Value);
  static TiOPCVariant Boolean(bool Value);
  static TiOPCVariant DateTime(double Value);

  std::uint16_t VarType() const { return FVarType; }
  bool IsEmpty() const { return FVarType == iOPCVarEmpty; }
  bool IsIntegerKind() const { return IsIntegerType(FVarType); }
  static bool IsIntegerType(std::uint16_t VarType);
  bool IsRealKind() const { return FVarType == iOPCVarSingle || FVarType == iOPCVarDouble; }
  std::int64_t AsInteger() const { return FInt; }
  // Numbers, Booleans and dates as a double; a string read as a number
  // (EConvertError when it is none); 0 when empty.
  double AsDouble() const;
  // The text form SetPropertyByPath takes: integers in decimal, reals in
  // the shortest text that reads back, "True"/"False", dates as their
  // date-time text, strings as they are, "" when empty.
  std::string AsText() const;

  // Scales a numeric value: times Scalar when Scalar is not 0, then plus
  // Offset when Offset is not 0. Integer kinds become a 32-bit integer
  // rounded half to even, unless the result is not finite or outside 32
  // bits (then a double); single and double become a double; others stay.
  TiOPCVariant Scaled(double Scalar, double Offset) const;

  // Across the library's boundary. ToC's text stays valid while Buffer does.
  void ToC(iOPCVariant& Out, std::u16string& Buffer) const;
  static TiOPCVariant FromC(const iOPCVariant& In);

  bool operator==(const TiOPCVariant& Other) const = default;

 private:
  std::uint16_t FVarType = iOPCVarEmpty;
  std::int64_t FInt = 0;
  double FReal = 0;
  std::string FText;
};

// UTF-8 and UTF-16; malformed input becomes U+FFFD.
std::u16string iOPCUtf8ToUtf16(const std::string& Text);
std::string iOPCUtf16ToUtf8(const std::uint16_t* Text);
