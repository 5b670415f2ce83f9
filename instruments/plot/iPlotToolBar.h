#pragma once
// The plot toolbar: the layout object that holds the plot's buttons.

#include <string>

#include "instruments/plot/iPlotObjects.h"

class TiPlotToolBar : public TiPlotLayoutObject {
 public:
  using TiPlotLayoutObject::TiPlotLayoutObject;
  ~TiPlotToolBar() override;
};
