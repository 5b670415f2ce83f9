#pragma once
// The application object a benchmark of a control needs, on Qt's offscreen
// platform unless the environment chooses another.

#include <cstdlib>

#include "platform/classlib/Forms.h"

inline void BenchApp() {
  if (Application) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  new TApplication(argc, argv);
}
