#pragma once
// The number formatting and reading of the response components, kept apart
// from the class-library headers (the system helpers and the class library
// both declare a conversion error class).

#include <string>
#include <string_view>

// The class library's float-to-text: format 0 general, 1 exponent, 2 fixed,
// 3 number, 4 currency.
std::string FloatText(double value, int format, int precision, int digits);
// The C library's atof as the entry fields read a number.
double LeadingDecimal(std::string_view text);
