#pragma once
// The layout manager lists the plot's layout objects (axes, toolbars,
// legends, tables, data views, labels) and hears when one of them changes
// what moves objects. Stacking them round the data view comes with the
// layout computation.

#include "instruments/plot/iPlotObjectManagers.h"

class TiPlotLayoutManager : public TiPlotObjectManagerCustom {
 public:
  using TiPlotObjectManagerCustom::TiPlotObjectManagerCustom;
  TiPlotObject* CreateObject() override;
  std::string GetBaseName() const override { return "n/a"; }
  void NotificationInsert(TObject* Sender) override;

  bool GetXYAxesReverse() const { return FXYAxesReverse; }
  void SetXYAxesReverse(bool Value);
  // A layout change is waiting for the next layout pass.
  bool GetLayoutChanged() const { return FLayoutChanged; }
  void SetLayoutChanged(bool Value) { FLayoutChanged = Value; }

 private:
  bool FXYAxesReverse = false;
  bool FLayoutChanged = true;
};
