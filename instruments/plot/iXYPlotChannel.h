#pragma once
// The channel of the XY plot: (X, Y) points drawn in the order they were
// added, both coordinates free, so that a curve may run back and forth. It
// chooses the drawable range, draws its clipped trace and markers, scans
// its extents for zoom-to-fit, reads out data cursors, and names the OPC
// items that would feed X and Y (the OPC library is not present: the items
// keep their settings and never connect).

#include <string>

#include "instruments/plot/iPlotChannelCustom.h"

class TiXYPlotChannel : public TiPlotChannelCustom {
 public:
  TiXYPlotChannel(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                  TNotifyEvent AOnRename);
  ~TiXYPlotChannel() override;

  void UpdateCanDraw() override;
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;
  void DoInsert() override;
  void CalcStartIndex() override;
  void CalcStopIndex() override;
  double GetXMaxFit() override;
  double GetXMinFit() override;
  double GetYMaxFit() override;
  double GetYMinFit() override;
  void UpdateDataCursor(TiPlotDataCursorReadout& Readout) override;

  // A gap in the trace, and a placeholder the trace passes over; neither
  // counts into the statistics nor reaches the axes.
  int AddNull();
  int AddEmpty();

  // OPC: item 0 supplies X, item 1 Y.
  const std::string& GetOPCComputerName() const { return FOPC[0].ComputerName; }
  void SetOPCComputerName(const std::string& Value) { FOPC[0].ComputerName = Value; }
  const std::string& GetOPCServerName() const { return FOPC[0].ServerName; }
  void SetOPCServerName(const std::string& Value) { FOPC[0].ServerName = Value; }
  const std::string& GetOPCItemName() const { return FOPC[0].ItemName; }
  void SetOPCItemName(const std::string& Value) { FOPC[0].ItemName = Value; }
  const std::string& GetOPCItem2Name() const { return FOPC[1].ItemName; }
  void SetOPCItem2Name(const std::string& Value) { FOPC[1].ItemName = Value; }
  int GetOPCUpdateRate() const { return FOPC[0].UpdateRate; }
  void SetOPCUpdateRate(int Value) { FOPC[0].UpdateRate = Value; }
  double GetOPCScalar() const { return FOPC[0].Scalar; }
  void SetOPCScalar(double Value) { FOPC[0].Scalar = Value; }
  double GetOPCOffset() const { return FOPC[0].Offset; }
  void SetOPCOffset(double Value) { FOPC[0].Offset = Value; }
  double GetOPCScalar2() const { return FOPC[1].Scalar; }
  void SetOPCScalar2(double Value) { FOPC[1].Scalar = Value; }
  double GetOPCOffset2() const { return FOPC[1].Offset; }
  void SetOPCOffset2(double Value) { FOPC[1].Offset = Value; }
  bool GetOPCAutoConnect() const { return FOPC[0].AutoConnect; }
  void SetOPCAutoConnect(bool Value) { FOPC[0].AutoConnect = Value; }
  bool GetOPCActive() const { return FOPC[0].Active; }
  bool GetOPCQualityGood() const { return FOPC[0].QualityGood; }
  void OPCActivate();
  void OPCActivateSuspend();
  void OPCDeactivate();
  void OPCUpdateSuspend() {}
  void OPCUpdateResume() {}

 private:
  struct TOPCItem {
    std::string ComputerName;
    std::string ServerName;
    std::string ItemName;
    int UpdateRate = 500;
    double Scalar = 1;
    double Offset = 0;
    bool AutoConnect = true;
    bool Active = false;
    bool QualityGood = false;
  };
  // The extent scan: the best marker extent of the valid points, or Start.
  template <class E, class B>
  double Fit(double Start, E Extent, B Better);

  TOPCItem FOPC[2];
};
