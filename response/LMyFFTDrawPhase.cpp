#include "response/LMyFFTDrawHpLp6dB.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/PlotScales.h"

unsigned PhasePlotCaptionLines(int code, bool repaint) {
  if (code <= 2) return clQ | clFrequency | clGain;
  if (code == 5 || code == 10 || code == 11) return clFrequency;
  if (code == 3 || code == 4 || code == 6) return clQ | clFrequency;
  // Codes the system never stores: a repaint shows Q and frequency, the
  // first drawing nothing.
  return repaint ? clQ | clFrequency : 0u;
}

unsigned TwinPlotCaptionLines(int code) {
  if (code <= 2) return clQ | clFrequency | clGain;
  if (code == 3 || code == 5 || code == 7) return clFrequency;
  return clQ | clFrequency;
}

unsigned LMyFFTDrawPhase::CaptionLines(int code, bool repaint) const {
  return PhasePlotCaptionLines(code, repaint);
}

unsigned LMyFFTDrawHpLp6dB::CaptionLines(int code, bool) const {
  return TwinPlotCaptionLines(code);
}
