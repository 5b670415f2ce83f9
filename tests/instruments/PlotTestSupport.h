#pragma once
// Shared bits of the plot tests: a layout object of fixed size, wired to a
// plot's master manager like any object of the plot.

#include <string>
#include <vector>

#include "instruments/plot/iPlotComponent.h"
#include "tests/instruments/InstrumentsTestSupport.h"

namespace instruments_test {

class TFixedLayoutObject : public TiPlotLayoutObject {
 public:
  using TiPlotLayoutObject::TiPlotLayoutObject;
  int GetRequiredWidth(TCanvas*) override { return FWidth; }
  int GetRequiredEndMargin(TCanvas*) override { return FEndMargin; }
  int FWidth = 0;
  int FEndMargin = 0;
};

// Fixed objects are not owned by a manager of the plot: this frees those
// still alive before the plot goes (declare it after the plot).
class TFixedObjects {
 public:
  ~TFixedObjects() {
    for (auto* o : FList) delete o;
  }
  void Add(TFixedLayoutObject* o) { FList.push_back(o); }
  void Free(TFixedLayoutObject* o) {
    std::erase(FList, o);
    delete o;
  }

 private:
  std::vector<TFixedLayoutObject*> FList;
};

// Made with the plot's master callbacks and announced; with the layout
// manager disabled it keeps the z-order given.
inline TFixedLayoutObject* AddFixed(TiPlotComponent& Plot, TFixedObjects& Owner, bool Horizontal, int ZOrder,
                                    int Width, double Start = 0, double Stop = 100) {
  TiPlotMasterManager* m = Plot.GetMaster();
  auto* o = new TFixedLayoutObject(
      &Plot, [m](TObject* s) { m->DoChange(s); }, [m](TObject* s) { m->NotificationInsert(s); },
      [m](TObject* s) { m->NotificationRemove(s); }, [m](TObject* s) { m->NotificationRename(s); });
  o->SetHorizontal(Horizontal);
  o->SetZOrder(ZOrder);
  o->SetStartStopPercent(Start, Stop);
  o->FWidth = Width;
  Owner.Add(o);
  o->DoInsert();
  return o;
}

// The first X and Y axes fixed at 0 to 100, without tracking.
inline void FixAxesAt0To100(TiPlotComponent& Plot) {
  for (TiPlotAxis* a :
       {static_cast<TiPlotAxis*>(Plot.GetXAxis(0)), static_cast<TiPlotAxis*>(Plot.GetYAxis(0))}) {
    a->SetTrackingEnabled(false);
    a->SetMinSpan(0, 100);
  }
}

}  // namespace instruments_test
