#pragma once
// An annotation drawn on the plot.

#include <string>

#include "instruments/plot/iPlotObjects.h"

class TiPlotAnnotation : public TiPlotObject {
 public:
  using TiPlotObject::TiPlotObject;
  ~TiPlotAnnotation() override;
};
