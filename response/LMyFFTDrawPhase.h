#pragma once
// The response plot control of the strips (see ResponsePlotBase.h).

#include "response/ResponsePlotBase.h"

class LMyFFTDrawPhase : public LResponsePlotBase {
 public:
  explicit LMyFFTDrawPhase(TComponent* AOwner) : LResponsePlotBase(AOwner) {}
  // A copy with the other's owner, curves (in reverse list order) and
  // properties; its own SampleRate stays n48000.
  LMyFFTDrawPhase(const LMyFFTDrawPhase& other) : LResponsePlotBase(other.GetOwner()) { CopyFrom(other); }
  LMyFFTDrawPhase& operator=(const LMyFFTDrawPhase&) = delete;

  void AssignPlot(const LMyFFTDrawPhase& other) { AssignPlotFrom(other); }
  void AssignPlotProperties(const LMyFFTDrawPhase& other) { AssignPlotPropertiesFrom(other); }
  void AssignPlotData(const LMyFFTDrawPhase& other) { AssignPlotDataFrom(other); }
  void AppendPlotData(const LMyFFTDrawPhase& other) { AppendPlotDataFrom(other); }

 protected:
  unsigned CaptionLines(int code, bool repaint) const override;
};

// Which caption lines a band caption code shows on the strip plots.
unsigned PhasePlotCaptionLines(int code, bool repaint);
