#include <climits>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "platform/sys/SysUtils.h"

TEST(Format, DisplayFormatsOfTheEditor) {
  EXPECT_EQ(Format("%4.2f", 0.4), "0.40");
  EXPECT_EQ(Format("%4.2fKHz", 20158.7 * 0.001), "20.16KHz");
  EXPECT_EQ(Format("%4.1fHz", 19.7), "19.7Hz");
  EXPECT_EQ(Format(" %4.1fHz", 5.0), "  5.0Hz");
  EXPECT_EQ(Format("%+1.1fdB", 3.0), "+3.0dB");
  EXPECT_EQ(Format("%+1.1fdB", -3.0), "-3.0dB");
  EXPECT_EQ(Format(" %+5.1fdB", 0.0), "  +0.0dB");
  EXPECT_EQ(Format("%1.1fdB", -12.5), "-12.5dB");
  EXPECT_EQ(Format("-%2d.0dB", 5), "- 5.0dB");
  EXPECT_EQ(Format("%4.3f ms", 1.0), "1.000 ms");
  EXPECT_EQ(Format("%3dms", 5), "  5ms");
  EXPECT_EQ(Format(" %3d%", 50), "  50%");  // a lone '%' at the end stands as written
  EXPECT_EQ(Format("%.0f%%", 50.0), "50%");
  EXPECT_EQ(Format("%d.%d.%d.%d", 192, 168, 1, 101), "192.168.1.101");
  EXPECT_EQ(Format("F%02d", 7), "F07");
  EXPECT_EQ(Format("In%c", 'A' + 1), "InB");
  EXPECT_EQ(Format("Pos: %d", -3), "Pos: -3");
  EXPECT_EQ(Format("List index out of bounds (%d)", 12), "List index out of bounds (12)");
}

TEST(Format, HexadecimalIsUpperCase) {
  EXPECT_EQ(Format("%02X", 5), "05");
  EXPECT_EQ(Format("%02X", 255), "FF");
  EXPECT_EQ(Format("%02X%02X", 0x12, 0xab), "12AB");
  EXPECT_EQ(Format("unknown HID error %x", 0xc0110001u), "unknown HID error C0110001");
  EXPECT_EQ(Format("unknown Locale ID $%.4x", 0x409), "unknown Locale ID $0409");
  EXPECT_EQ(Format("%x", -1), "FFFFFFFF");  // at the argument's own width
  EXPECT_EQ(Format("%x", (long long)-1), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(Format("%02X", (unsigned char)0x0a), "0A");
  EXPECT_EQ(Format("%#x", 255), "0XFF");
  EXPECT_EQ(Format("%o", 8), "10");
}

TEST(Format, IntegerFlagsWidthAndPrecision) {
  struct Case {
    std::string got;
    const char* expected;
  } cases[] = {
      {Format("%-4d|", 5), "5   |"},
      {Format("%05d", -42), "-0042"},
      {Format("%+d", 0), "+0"},
      {Format("% d", 7), " 7"},
      {Format("%.3d", 7), "007"},
      {Format("%5.3d", -7), " -007"},
      {Format("%.0d", 0), ""},
      {Format("%*d", 4, 7), "   7"},
      {Format("%-*d|", 3, 7), "7  |"},
      {Format("%*d|", -3, 7), "7  |"},
      {Format("%u", -1), "4294967295"},
      {Format("%ld %lld %hd %zu", 1L, 2LL, (short)3, (size_t)4), "1 2 3 4"},
      {Format("%d", LLONG_MIN), "-9223372036854775808"},
      {Format("%u", ULLONG_MAX), "18446744073709551615"},
      {Format("%d", true), "1"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(Format, FloatingPointConventions) {
  EXPECT_EQ(Format("%.3e", 4567.8), "4.57E+003");  // significant digits, three exponent digits
  EXPECT_EQ(Format("%.4e", -0.00012346), "-1.235E-004");
  EXPECT_EQ(Format("%e", 1.0), "1.00000000000000E+000");
  EXPECT_EQ(Format("%f", 1.0), "1.00");  // two decimals by default
  EXPECT_EQ(Format("%.0f", 2.5), "3");   // halves away from zero
  EXPECT_EQ(Format("%.2f", 0.125), "0.13");
  EXPECT_EQ(Format("%.1f", -0.04), "0.0");
  EXPECT_EQ(Format("%08.2f", -3.14159), "-0003.14");
  EXPECT_EQ(Format("%-8.2f|", 3.14159), "3.14    |");
  EXPECT_EQ(Format("%.2f", 1e20), "100000000000000000000.00");
  EXPECT_EQ(Format("%g", 0.1), "0.1");
  EXPECT_EQ(Format("%g", 1e20), "1E20");
  EXPECT_EQ(Format("%.3g", 1234.0), "1.23E3");
  EXPECT_EQ(Format("%n", 1234567.5), "1,234,567.50");
  EXPECT_EQ(Format("%.*f", 1, 2.25), "2.3");
  EXPECT_EQ(Format("%5.1f", std::numeric_limits<double>::infinity()), "  INF");
}

TEST(Format, TextPointersAndMixedArguments) {
  std::string s = "abc";
  std::string_view v = "view";
  const char* nul = nullptr;
  EXPECT_EQ(Format("%s/%s/%s", s, v, "lit"), "abc/view/lit");
  EXPECT_EQ(Format("%5s|%-5s|%.2s", "ab", "ab", "abcdef"), "   ab|ab   |ab");
  EXPECT_EQ(Format("[%s]", nul), "[]");
  EXPECT_EQ(Format("%c%c", 'o', 'k'), "ok");
  int x = 0;
  std::string p = Format("%p", &x);
  EXPECT_EQ(p.size(), sizeof(void*) * 2);
  EXPECT_EQ(p.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  // Mismatched types convert rather than fail.
  EXPECT_EQ(Format("%d", 3.7), "3");
  EXPECT_EQ(Format("%d", -3.7), "-3");
  EXPECT_EQ(Format("%f", 2), "2.00");
  EXPECT_EQ(Format("%s %s", 12, 1.5), "12 1.5");
}

TEST(Format, EscapesMissingArgumentsAndBadConversions) {
  EXPECT_EQ(Format("100%%"), "100%");
  EXPECT_EQ(Format("%%d", 5), "%d");
  EXPECT_EQ(Format("100%"), "100%");
  EXPECT_EQ(Format("%y %d", 5), "%y 5");
  EXPECT_EQ(Format("%5"), "%5");
  EXPECT_EQ(Format("a%db%dc", 1), "a1bc");  // missing argument: nothing
  EXPECT_EQ(Format("no conversions"), "no conversions");
  EXPECT_EQ(Format("%d", 1, 2, 3), "1");  // extra arguments are ignored
}

TEST(IntToStrAndHex, Table) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(INT_MIN), "-2147483648");
  EXPECT_EQ(IntToStr(LLONG_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToStr(4000000000u), "4000000000");
  EXPECT_EQ(IntToStr(ULLONG_MAX), "18446744073709551615");
  EXPECT_EQ(IntToHex(255, 2), "FF");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0x12345, 2), "12345");  // never cut
  EXPECT_EQ(IntToHex(0, 0), "0");
  EXPECT_EQ(IntToHex(-1, 8), "FFFFFFFF");
  EXPECT_EQ(IntToHex((int16_t)-1, 2), "FFFF");
  EXPECT_EQ(IntToHex((long long)-2, 1), "FFFFFFFFFFFFFFFE");
  EXPECT_EQ(IntToHex((uint8_t)0xA, 2), "0A");
}
