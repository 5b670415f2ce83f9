#pragma once
// The plot's axes: X axes run along the data view's width and Y axes along
// its height (exchanged when the plot reverses them).

#include <string>

#include "instruments/plot/iPlotObjects.h"

class TiPlotAxis : public TiPlotLayoutObject {
 public:
  using TiPlotLayoutObject::TiPlotLayoutObject;
  ~TiPlotAxis() override;
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value) { SetStringProperty(Value, FTitle, &TiPlotObject::DoLayoutChange); }

 private:
  std::string FTitle;
};

class TiPlotXAxis : public TiPlotAxis {
 public:
  using TiPlotAxis::TiPlotAxis;
  ~TiPlotXAxis() override;
};

class TiPlotYAxis : public TiPlotAxis {
 public:
  using TiPlotAxis::TiPlotAxis;
  ~TiPlotYAxis() override;
};
