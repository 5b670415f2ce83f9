#include "tests/instruments/InstrumentsTestSupport.h"

namespace instruments_test {

namespace {
const TiRegisterProperties<TTestControl, TiCustomComponent> kProps([](TiPropertyBuilder<TTestControl>& b) {
  b.Add("Flag", &TTestControl::GetFlag, &TTestControl::SetFlag, 0);
  b.Add("Count", &TTestControl::GetCount, &TTestControl::SetCount, 3);
  b.Add("Shape", &TTestControl::GetShape, &TTestControl::SetShape, tsRound, tsStar);
  b.Add("Options", &TTestControl::GetOptions, &TTestControl::SetOptions, 0);
  b.Add("Ratio", &TTestControl::GetRatio, &TTestControl::SetRatio);
  b.Add("Caption2", &TTestControl::GetCaption2, &TTestControl::SetCaption2);
  b.Object("LabelFont", &TTestControl::GetLabelFont);
});
}  // namespace

TTestControl::TTestControl(TComponent* AOwner) : TiCustomComponent(AOwner) {
  SetBounds(0, 0, 40, 30);
}

void TTestControl::iPaintToCanvas(TCanvas* Canvas) {
  ++FPaints;
  if (FFailPaint) throw Exception("boom");
  DrawBackGround(Canvas, GetBackGroundColor());
}

}  // namespace instruments_test
