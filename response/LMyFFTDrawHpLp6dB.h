#pragma once
// The twin response plot control: the same plot with its own caption split
// (codes 3, 5 and 7 show the frequency alone, the other codes above 2 the Q
// and the frequency, the same when drawn and when repainted).

#include "response/ResponsePlotBase.h"

class LMyFFTDrawHpLp6dB : public LResponsePlotBase {
 public:
  explicit LMyFFTDrawHpLp6dB(TComponent* AOwner) : LResponsePlotBase(AOwner) {}
  LMyFFTDrawHpLp6dB(const LMyFFTDrawHpLp6dB& other) : LResponsePlotBase(other.GetOwner()) { CopyFrom(other); }
  LMyFFTDrawHpLp6dB& operator=(const LMyFFTDrawHpLp6dB&) = delete;

  void AssignPlot(const LMyFFTDrawHpLp6dB& other) { AssignPlotFrom(other); }
  void AssignPlotProperties(const LMyFFTDrawHpLp6dB& other) { AssignPlotPropertiesFrom(other); }
  void AssignPlotData(const LMyFFTDrawHpLp6dB& other) { AssignPlotDataFrom(other); }
  void AppendPlotData(const LMyFFTDrawHpLp6dB& other) { AppendPlotDataFrom(other); }

 protected:
  unsigned CaptionLines(int code, bool repaint) const override;
};

unsigned TwinPlotCaptionLines(int code);
