#include "platform/sys/Locale.h"

#include <clocale>

namespace sys {

void ForceCNumericLocale() {
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace sys
