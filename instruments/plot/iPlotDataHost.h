#pragma once
// What a plot offers the objects that live inside its data view (data views
// and channels): its objects through the master manager, the toolbar modes
// the data view reads, and the object events it raises. The plot component
// implements it; every event has an empty default, so a plot raises only
// what it publishes.

#include <string>

#include "instruments/plot/iPlotObjects.h"

class TiPlotMasterManager;
class TiPlotAxis;
class TiPlotXAxis;
class TiPlotYAxis;
class TiPlotDataView;
class TiPlotChannelCustom;

class IiPlotDataHost {
 public:
  virtual ~IiPlotDataHost() = default;
  virtual TiPlotMasterManager* GetMasterManager() = 0;

  // The first toolbar's select and zoom-box modes; false without a toolbar.
  virtual bool GetToolBarSelectActive() { return false; }
  virtual bool GetToolBarZoomBoxActive() { return false; }
  // Pauses the axes' tracking (a zoom box is being dragged).
  virtual void DisableAllTracking() {}
  // Hands a channel's new value to an axis' tracking.
  virtual void NewTrackingData(TiPlotAxis* /*Axis*/, double /*Value*/) {}
  // The font hints are measured in; null: the canvas font.
  virtual TFont* GetHintsFont() { return nullptr; }
  // The plot's file settings that channel files follow.
  virtual bool GetDifferentialPropertySave() const { return false; }
  virtual char GetDataFileSeparatorChar() const { return '\t'; }

  // A plot object that is in no manager (a button of a toolbar, legend or
  // table) is going: the plot drops what it holds of it.
  virtual void ForgetObject(TiPlotObject* /*Object*/) {}

  // Object events.
  virtual void DoObjectClick(TiPlotObject* /*Sender*/) {}
  virtual void DoObjectGetMouseCursor(TiPlotObject* /*Sender*/, TCursor& /*Cursor*/) {}
  virtual void DoBeforeZoomBox(const TRect& /*Rect*/, bool& /*Cancel*/) {}
  virtual void DoDataPointMouseDown(TiPlotChannelCustom*, int /*DataIndex*/, const TiPlotMouseData&) {}
  virtual void DoDataPointMouseMove(TiPlotChannelCustom*, int /*DataIndex*/, const TiPlotMouseData&) {}
  virtual void DoDataPointMouseUp(TiPlotChannelCustom*, int /*DataIndex*/, const TiPlotMouseData&) {}
  virtual void DoDataPointClick(TiPlotChannelCustom*, int /*DataIndex*/) {}
  virtual void DoDataPointMoved(TiPlotChannelCustom*, int /*DataIndex*/, double /*OldX*/, double /*OldY*/,
                                double /*NewX*/, double /*NewY*/) {}
  virtual void DoDataPointCustomizeHint(TiPlotChannelCustom*, int /*DataIndex*/, TiHintData&) {}
  virtual void DoLimitLine1PositionChange(TiPlotObject*, double /*OldValue*/, double /*NewValue*/) {}
  virtual void DoLimitLine2PositionChange(TiPlotObject*, double /*OldValue*/, double /*NewValue*/) {}
};

// Lookups through a plot's managers; each answers null when the plot, the
// manager or the object is absent. Names compare without regard to case.
TiPlotMasterManager* iPlotMaster(IiPlotDataHost* Host);
TiPlotXAxis* iPlotXAxisByName(IiPlotDataHost* Host, const std::string& Name);
TiPlotYAxis* iPlotYAxisByName(IiPlotDataHost* Host, const std::string& Name);
int iPlotXAxisCount(IiPlotDataHost* Host);
TiPlotXAxis* iPlotXAxis(IiPlotDataHost* Host, int Index);
int iPlotYAxisCount(IiPlotDataHost* Host);
TiPlotYAxis* iPlotYAxis(IiPlotDataHost* Host, int Index);
// Data view 0, the one channels draw in.
TiPlotDataView* iPlotFirstDataView(IiPlotDataHost* Host);
