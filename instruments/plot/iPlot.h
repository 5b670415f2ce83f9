#pragma once
// The strip-chart plot: a plot control whose channels hold series with X
// running one way (time or an index). It makes the standard set of objects
// with a time-series channel, its X axes scroll smoothly with new data,
// and it gives typed access to its channels.

#include "instruments/plot/iPlotChannel.h"
#include "instruments/plot/iPlotComponent.h"

class TiPlot : public TiPlotComponent {
 public:
  explicit TiPlot(TComponent* AOwner);
  // Channel Index; outside 0..ChannelCount-1 the list index error, and a
  // channel of another class (after the channel class was changed) the
  // invalid-cast error. Never null.
  TiPlotChannel* GetChannel(int Index) const;
};
