#pragma once

namespace sys {

// Numbers are read and written with a point whatever the user's locale.
// Call after the GUI toolkit has set the locale from the environment.
void ForceCNumericLocale();

}  // namespace sys
