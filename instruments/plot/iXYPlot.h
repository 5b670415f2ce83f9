#pragma once
// The XY plot control.

#include "instruments/base/iVCLComponent.h"

class TiXYPlot : public TiCustomComponent {
 public:
  explicit TiXYPlot(TComponent* AOwner);
};
