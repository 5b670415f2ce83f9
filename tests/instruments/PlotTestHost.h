#pragma once
// A stand-in plot for the tests of data views and channels: a control that
// owns a master manager and records the object events it is given.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotDataHost.h"
#include "instruments/plot/iPlotMasterManager.h"
#include "platform/classlib/Forms.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

namespace instruments_test {

class TTestPlotHost : public TCustomControl, public IiPlotDataHost {
 public:
  TTestPlotHost() : TCustomControl(nullptr) {}
  ~TTestPlotHost() override { Master.reset(); }
  // A plot with one X and one Y axis, as the plots of the program have.
  static std::unique_ptr<TTestPlotHost> WithAxes() {
    classlib_test::App();
    auto p = std::make_unique<TTestPlotHost>();
    p->Master->AddXAxis();
    p->Master->AddYAxis();
    return p;
  }
  TiPlotMasterManager* GetMasterManager() override { return Master.get(); }
  bool GetToolBarSelectActive() override { return SelectActive; }
  bool GetToolBarZoomBoxActive() override { return ZoomBoxActive; }
  void DisableAllTracking() override { Events.push_back("disable tracking"); }
  void NewTrackingData(TiPlotAxis* Axis, double Value) override {
    Tracking.push_back(Axis->GetName() + " " + FloatText(Value));
  }
  void DoObjectClick(TiPlotObject* Sender) override { Events.push_back("click " + Sender->GetName()); }
  void DoBeforeZoomBox(const TRect& R, bool& Cancel) override {
    Events.push_back("zoom box " + std::to_string(R.Left) + "," + std::to_string(R.Top) + "," +
                     std::to_string(R.Right) + "," + std::to_string(R.Bottom));
    Cancel = CancelZoom;
  }
  void DoDataPointClick(TiPlotChannelCustom*, int Index) override {
    Events.push_back("point click " + std::to_string(Index));
  }
  void DoDataPointMoved(TiPlotChannelCustom*, int Index, double, double, double NewX, double NewY) override {
    Events.push_back("point moved " + std::to_string(Index) + " to " +
                     std::to_string(static_cast<int>(NewX)) + "," + std::to_string(static_cast<int>(NewY)));
  }

  std::unique_ptr<TiPlotMasterManager> Master = std::make_unique<TiPlotMasterManager>(this);
  bool SelectActive = false;
  bool ZoomBoxActive = false;
  bool CancelZoom = false;
  std::vector<std::string> Events;
  std::vector<std::string> Tracking;

  static std::string FloatText(double V) {
    char b[32];
    std::snprintf(b, sizeof b, "%g", V);
    return b;
  }
};

// The program's two channels: the white transfer curve, and the threshold
// point as a dotted trace with filled markers in its colour.
inline void SetUpAsProgramChannels(TiPlotChannelCustom* Curve, TiPlotChannelCustom* Dot) {
  Curve->SetColor(clWhite);
  Curve->SetTraceLineWidth(2);
  Dot->SetColor(0x8080FF);
  Dot->SetTraceLineStyle(iplsDot);
  Dot->SetTraceLineWidth(5);
  Dot->SetMarkersVisible(true);
  Dot->SetMarkersSize(5);
  Dot->SetMarkersPenWidth(3);
  Dot->SetMarkersAllowIndividual(true);
}

}  // namespace instruments_test
