#pragma once
// The program's forms for the band, cut-off and plot-drag editing tests:
// every frame the window sends is recorded, the model starts from its
// factory set, and the strips' tables and markers are written from it as
// the whole-window refresh leaves them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "model/ValueScales.h"
#include "platform/classlib/ExtCtrls.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/MyPEQAllpass.h"
#include "response/Plot.h"
#include "tests/ui/ProgramFormsTestSupport.h"

namespace band_test {

using program_forms_test::PumpUntil;

struct Frame {
  std::uint8_t Code;
  std::vector<std::uint8_t> Payload;
  bool Append;
};

template <class T = TComponent>
T* Find(const std::string& name) {
  return dynamic_cast<T*>(fmMain->FindComponent(name));
}

inline std::string StripSuffix(int strip) {
  if (strip < 8) return "In" + std::string(1, static_cast<char>('A' + strip));
  if (strip < 16) return "Out" + std::to_string(strip - 7);
  return "Eff";
}

class BandEditingSuite : public program_forms_test::ProgramFormsSuite {
 protected:
  void SetUp() override {
    ASSERT_NE(fmMain, nullptr);
    Model()->LoadDefaults();
    for (int strip : {0, 1, 2, 3, 8, 9, 10, 18}) LoadStrip(strip);
    fmMain->SetSendSink([this](const LCmd& c, bool append) {
      Frames.push_back({c.Code, c.Payload, append});
    });
    // Nothing of an earlier test may still wait.
    ASSERT_TRUE(PumpUntil([] { return !AnyCurveTimerOn(); }));
    Frames.clear();
  }
  void TearDown() override {
    fmMain->SetSendSink(nullptr);
    PumpUntil([] { return !AnyCurveTimerOn(); });
  }

  static LUnitControl* Model() { return fmMain->GetState().UnitControl.get(); }
  static Plot* PlotOf(int strip) { return fmMain->GetState().Plots[static_cast<std::size_t>(strip)].get(); }
  static TMyPEQAllpass* Table(int strip) { return Find<TMyPEQAllpass>("peqPeq" + StripSuffix(strip)); }

  static bool AnyCurveTimerOn() {
    for (const char* name : {"tmEqCurve", "tmHpLpCurve", "tmMouseEqCurve"})
      if (Find<TTimer>(name)->GetEnabled()) return true;
    return false;
  }
  static void WaitForCurves() {
    ASSERT_TRUE(PumpUntil([] { return !AnyCurveTimerOn(); }));
  }

  // The strip's table, band markers and cut-off markers from the model, with
  // band 1 selected.
  static void LoadStrip(int strip) {
    TMyPEQAllpass* table = Table(strip);
    fmMain->SetRefreshing(true);
    table->SetNowIndex(0);
    for (int b = 0; b < table->GetChannelNumber(); ++b) {
      const PeqBandRecord r = Model()->GetPeqBand(strip, b);
      table->SetEqParamValue(b, IndexToFreq(r.Freq), r.Q, IndexToPeqGain(r.Gain), r.Type,
                             Model()->GetPeqBypass(strip, b));
    }
    fmMain->SetRefreshing(false);
    Plot* plot = PlotOf(strip);
    for (int b = 0; b < table->GetChannelNumber(); ++b) {
      plot->SetBand(b, table->GetGainValue(b), table->GetFreqValue(b), table->GetQValue(b), 1);
      plot->DrawBand(b, static_cast<float>(table->GetGainValue(b)), 1);
    }
    if (strip < 16) {
      const PassFilters pass = Model()->GetPassFilters(strip);
      plot->SetBand(10, 0, IndexToFreq(pass.HpFreq), 0.05, 10);
      plot->DrawBand(10, 0, 3);
      plot->SetBand(11, 0, IndexToFreq(pass.LpFreq), 0.05, 10);
      plot->DrawBand(11, 0, 2);
    }
  }

  // Puts channels of one side into one link group: the first one's mask
  // holds them all and leads, the others' masks stay empty. A single
  // channel stands alone again.
  static void Link(std::initializer_list<int> strips) {
    unsigned mask = 0;
    for (int s : strips) mask |= 1u << (s % 8);
    if (strips.size() == 1) mask = 0;
    fmMain->SetRefreshing(true);
    for (int s : strips) Model()->SetLinkMask(s, static_cast<std::uint16_t>(s == *strips.begin() ? mask : 0));
    fmMain->SetRefreshing(false);
  }

  std::vector<Frame> FramesOf(std::uint8_t code) const {
    std::vector<Frame> out;
    for (const Frame& f : Frames)
      if (f.Code == code) out.push_back(f);
    return out;
  }

  // CM_MCS_PEQ payload of a band record.
  static std::vector<std::uint8_t> PeqPayload(int strip, int band, const PeqBandRecord& r, int bypass) {
    return {static_cast<std::uint8_t>(strip),
            static_cast<std::uint8_t>(band),
            static_cast<std::uint8_t>(r.Gain & 0xFF),
            static_cast<std::uint8_t>(r.Gain >> 8),
            static_cast<std::uint8_t>(r.Freq & 0xFF),
            static_cast<std::uint8_t>(r.Freq >> 8),
            r.Q,
            r.Type,
            static_cast<std::uint8_t>(bypass)};
  }

  std::vector<Frame> Frames;
};

}  // namespace band_test

// Found by argument lookup: the record lives in the global namespace.
inline bool operator==(const PeqBandRecord& a, const PeqBandRecord& b) {
  return a.Gain == b.Gain && a.Freq == b.Freq && a.Q == b.Q && a.Type == b.Type;
}
