#pragma once
// The legend: the layout object that lists the channels.

#include <string>

#include "instruments/plot/iPlotObjects.h"

class TiPlotLegend : public TiPlotLayoutObject {
 public:
  using TiPlotLayoutObject::TiPlotLayoutObject;
  ~TiPlotLegend() override;
};
