#pragma once
// A data cursor: measurement lines over a data view.

#include <string>

#include "instruments/plot/iPlotObjects.h"

class TiPlotDataCursor : public TiPlotManagerObject {
 public:
  using TiPlotManagerObject::TiPlotManagerObject;
  ~TiPlotDataCursor() override;
  const std::string& GetChannelName() const { return FChannelName; }
  void SetChannelName(const std::string& Value) {
    SetStringProperty(Value, FChannelName, &TiPlotObject::DoChange);
  }
  const std::string& GetDataViewName() const { return FDataViewName; }
  void SetDataViewName(const std::string& Value) {
    SetStringProperty(Value, FDataViewName, &TiPlotObject::DoChange);
  }

 private:
  std::string FChannelName;
  std::string FDataViewName;
};
