#include "response/NumberText.h"

#include "platform/sys/SysUtils.h"

std::string FloatText(double value, int format, int precision, int digits) {
  return FloatToStrF(value, static_cast<TFloatFormat>(format), precision, digits);
}

double LeadingDecimal(std::string_view text) {
  return sys::ReadLeadingDecimal(text);
}
