#pragma once
// The data view: the plot area round which the layout objects stack.

#include <string>

#include "instruments/plot/iPlotObjects.h"

class TiPlotDataView : public TiPlotLayoutObject {
 public:
  using TiPlotLayoutObject::TiPlotLayoutObject;
  ~TiPlotDataView() override;
  const std::string& GetGridXAxisName() const { return FGridXAxisName; }
  void SetGridXAxisName(const std::string& Value) {
    SetStringProperty(Value, FGridXAxisName, &TiPlotObject::DoChange);
  }
  const std::string& GetGridYAxisName() const { return FGridYAxisName; }
  void SetGridYAxisName(const std::string& Value) {
    SetStringProperty(Value, FGridYAxisName, &TiPlotObject::DoChange);
  }

 private:
  std::string FGridXAxisName;
  std::string FGridYAxisName;
};
