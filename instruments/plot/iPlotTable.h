#pragma once
// The table: a layout object of columns and rows.

#include <string>

#include "instruments/plot/iPlotObjects.h"

class TiPlotTable : public TiPlotLayoutObject {
 public:
  using TiPlotLayoutObject::TiPlotLayoutObject;
  ~TiPlotTable() override;
};
