#pragma once
// A limit line or band on the axes.

#include <string>

#include "instruments/plot/iPlotObjects.h"

class TiPlotLimit : public TiPlotObject {
 public:
  using TiPlotObject::TiPlotObject;
  ~TiPlotLimit() override;
  const std::string& GetXAxisName() const { return FXAxisName; }
  void SetXAxisName(const std::string& Value) {
    SetStringProperty(Value, FXAxisName, &TiPlotObject::DoChange);
  }
  const std::string& GetYAxisName() const { return FYAxisName; }
  void SetYAxisName(const std::string& Value) {
    SetStringProperty(Value, FYAxisName, &TiPlotObject::DoChange);
  }

 private:
  std::string FXAxisName;
  std::string FYAxisName;
};
