#pragma once
// The compressor of the effect bus: threshold, attack, release and ratio,
// each passed on to the main window's compressor setter, with the static
// transfer curve drawn from the threshold and ratio faders. Its LED
// ilrCompLed shows the bus's compressor acting, as the level reply reports.

#include <string_view>

#include "platform/classlib/Forms.h"

class TiLedRectangle;
class TiXYPlot;
class TLabel;

class TfmComp : public TForm {
 public:
  explicit TfmComp(TComponent* AOwner);
  ~TfmComp() override;

  TiLedRectangle* ilrCompLed;
  TLabel* lbCompLed;
  TiXYPlot* ipComp;

  // Set by the opener while it writes the sliders: nothing is passed on
  // meanwhile.
  void SetFilling(int Value) { FFilling = Value; }
  int GetFilling() const { return FFilling; }

  void SetTexts(std::string_view Language);

  void FormShow(TObject* Sender);
  void isThresholdChange(TObject* Sender);
  void isAttackChange(TObject* Sender);
  void isReleaseChange(TObject* Sender);
  void isRatioChange(TObject* Sender);

 private:
  // Rebuilds the curve and the threshold marker from the threshold and
  // ratio faders; false when one of them is missing.
  bool DrawCurve();
  // Writes a fader's value box, redraws the curve when asked, and passes
  // the position on as Field unless loading.
  void FaderChanged(TObject* Sender, int Field, bool Curve);

  int FFilling = 0;
};

extern TfmComp* fmComp;
