#pragma once
// The XY plot: a plot control whose channels hold arbitrary X/Y points. It
// makes the standard set of objects (toolbar, legend, X and Y axis, one
// channel, data view, data cursor and the "Title" label) and gives typed
// access to its channels.

#include "instruments/plot/iPlotComponent.h"
#include "instruments/plot/iXYPlotChannel.h"

class TiXYPlot : public TiPlotComponent {
 public:
  explicit TiXYPlot(TComponent* AOwner);
  // Channel Index; outside 0..ChannelCount-1 the list index error, and a
  // channel of another class (after the channel class was changed) the
  // invalid-cast error. Never null.
  TiXYPlotChannel* GetChannel(int Index) const;
};
