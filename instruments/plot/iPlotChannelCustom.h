#pragma once
// The channel base: one trace of the plot, drawn against an X and a Y axis
// named by the channel.

#include <functional>
#include <string>

#include "instruments/plot/iPlotObjects.h"

class TiPlotChannelCustom : public TiPlotManagerObject {
 public:
  using TiPlotManagerObject::TiPlotManagerObject;
  ~TiPlotChannelCustom() override;

  const std::string& GetTitleText() const { return FTitleText; }
  void SetTitleText(const std::string& Value) {
    SetStringProperty(Value, FTitleText, &TiPlotObject::DoChange);
  }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { SetColorProperty(Value, FColor, &TiPlotObject::DoChange); }
  const std::string& GetXAxisName() const { return FXAxisName; }
  void SetXAxisName(const std::string& Value) {
    SetStringProperty(Value, FXAxisName, &TiPlotObject::DoChange);
  }
  const std::string& GetYAxisName() const { return FYAxisName; }
  void SetYAxisName(const std::string& Value) {
    SetStringProperty(Value, FYAxisName, &TiPlotObject::DoChange);
  }

 private:
  std::string FTitleText;
  TColor FColor = clRed;
  std::string FXAxisName;
  std::string FYAxisName;
};

// The class of new channels: makes one with the plot and the four notices.
using TiPlotChannelClass =
    std::function<TiPlotChannelCustom*(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                                       TNotifyEvent AOnRemove, TNotifyEvent AOnRename)>;

template <class T>
TiPlotChannelClass iChannelClass() {
  return [](TWinControl* o, TNotifyEvent c, TNotifyEvent i, TNotifyEvent r,
            TNotifyEvent n) -> TiPlotChannelCustom* {
    return new T(o, std::move(c), std::move(i), std::move(r), std::move(n));
  };
}
