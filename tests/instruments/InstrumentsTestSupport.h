#pragma once
// Shared bits of the instrument tests: the application, a clock the test
// sets, and a small control with one property of every kind.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "instruments/base/iVCLComponent.h"
#include "platform/sys/SysUtils.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

namespace instruments_test {

// The message of the library exception F raises; empty when it raises none.
inline std::string ErrorOf(const std::function<void()>& F) {
  try {
    F();
  } catch (const Exception& e) {
    return e.what();
  }
  return "";
}

// Now() reads this clock while the object lives.
class FakeClock {
 public:
  FakeClock() {
    sys::SetDateTimeClock([this] { return FNow; });
  }
  ~FakeClock() { sys::SetDateTimeClock(nullptr); }
  void Set(TDateTime t) { FNow = t; }
  void AdvanceMs(double ms) { FNow += ms / 86400000.0; }
  TDateTime Get() const { return FNow; }

 private:
  TDateTime FNow = 45000.0;
};

enum TTestShape { tsRound, tsSquare, tsStar };
enum TTestOption { toA, toB, toC };
using TTestOptions = TSet<TTestOption>;

// A control with a property of every kind the property text knows.
class TTestControl : public TiCustomComponent {
 public:
  explicit TTestControl(TComponent* AOwner);
  bool GetFlag() const { return FFlag; }
  void SetFlag(bool v) { SetBooleanProperty(v, FFlag, irkInvalidate); }
  int GetCount() const { return FCount; }
  void SetCount(int v) { SetIntegerProperty(v, FCount, irkInvalidate); }
  TTestShape GetShape() const { return FShape; }
  void SetShape(TTestShape v) {
    FShape = v;
    InvalidateChange();
  }
  TTestOptions GetOptions() const { return FOptions; }
  void SetOptions(TTestOptions v) { FOptions = v; }
  double GetRatio() const { return FRatio; }
  void SetRatio(double v) { FRatio = v; }
  const std::string& GetCaption2() const { return FText; }
  void SetCaption2(const std::string& v) { SetStringProperty(v, FText, irkInvalidate); }
  TFont* GetLabelFont() const { return FFont.get(); }

  void iPaintToCanvas(TCanvas* Canvas) override;
  int FPaints = 0;
  bool FFailPaint = false;
  std::vector<std::string> FHooks;

 protected:
  void iKeyDown(std::uint16_t& Key, TShiftState) override {
    FHooks.push_back("keydown:" + std::to_string(Key));
  }
  void iMouseDown(TMouseButton, TShiftState, int, int) override {
    FHooks.push_back(GetUserGenerated() ? "mousedown:user" : "mousedown:code");
  }

 private:
  bool FFlag = false;
  int FCount = 3;
  TTestShape FShape = tsRound;
  TTestOptions FOptions;
  double FRatio = 0.5;
  std::string FText;
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
};

}  // namespace instruments_test
