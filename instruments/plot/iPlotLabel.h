#pragma once
// A plot label, such as the title.

#include <string>

#include "instruments/plot/iPlotObjects.h"

class TiPlotLabel : public TiPlotLayoutObject {
 public:
  using TiPlotLayoutObject::TiPlotLayoutObject;
  ~TiPlotLabel() override;
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value) {
    SetStringProperty(Value, FCaption, &TiPlotObject::DoLayoutChange);
  }

 private:
  std::string FCaption;
};
