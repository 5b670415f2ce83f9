#pragma once
// The channel of the XY plot: (X, Y) points drawn in the order they were
// added, both coordinates free, so that a curve may run back and forth. It
// chooses the drawable range, draws its clipped trace and markers, scans
// its extents for zoom-to-fit, reads out data cursors, and takes X and Y
// from a pair of OPC items.

#include <string>

#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotChannelOPC.h"

class TiXYPlotChannel : public TiPlotChannelCustom, public TiPlotChannelOPC {
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

  // OPC: item 0 supplies X, item 1 Y; one group update gives one point.
  void OPCActivate();
  void OPCActivateSuspend();
  void OPCUpdateSuspend();
  void OPCUpdateResume();

 private:
  // The extent scan: the best marker extent of the valid points, or Start.
  template <class E, class B>
  double Fit(double Start, E Extent, B Better);
};
