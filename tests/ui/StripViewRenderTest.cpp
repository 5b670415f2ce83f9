// Renders the strip pages and the Gain page after a refresh from a
// distinctive parameter set, for a look by eye, when TAVO_RENDER_DIR names a
// folder; otherwise skipped.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "controls/VrButtons.h"
#include "model/LUnitControl.h"
#include "tests/ui/StripPagesSupport.h"

namespace {

using namespace strip_test;

TEST(StripViewRender, PagesAfterARefreshToPng) {
  const char* dir = std::getenv("TAVO_RENDER_DIR");
  if (!dir) GTEST_SKIP() << "set TAVO_RENDER_DIR to render the pages";
  TfmMain* main = MainWindow();
  LUnitControl& m = *main->GetState().UnitControl;
  main->SetRefreshing(true);
  for (int strip = 0; strip < 16; ++strip) {
    const int bands = strip < 8 ? 5 : 7;
    for (int b = 0; b < bands; ++b) {
      const auto gain = static_cast<std::uint16_t>(120 + ((strip + b) % 5 - 2) * 40);
      const auto freq = static_cast<std::uint16_t>(40 + b * 45 + strip * 3);
      m.SetPeqBand(strip, b, PeqBandRecord{gain, freq, static_cast<std::uint8_t>(20 + b * 5), 0}, 0);
    }
    m.SetHighPass(strip, static_cast<std::uint16_t>(1 + strip % 20),
                  static_cast<std::uint16_t>(40 + strip * 2));
    m.SetLowPass(strip, static_cast<std::uint16_t>(3 + strip), static_cast<std::uint16_t>(280 - strip * 3));
    m.SetGain(strip, static_cast<std::uint16_t>(120 + strip * 15));
  }
  m.SetEqBypassMask(2, 0x0004);
  m.SetMicGain(2, 31);
  m.SetPhantom(2, 1);
  m.SetPresetNameText("Render Check");
  main->SetRefreshing(false);
  main->ShowStripParameters(2);
  main->RefreshFromModel(&m);
  // Overlays of B and D on input C's plot.
  for (const char* n : {"vrbShowBInC", "vrbShowDInC", "vrbShowBGain", "vrbShow3Gain"}) {
    auto* led = dynamic_cast<TVrPowerButton*>(main->FindComponent(n));
    ASSERT_NE(led, nullptr) << n;
    led->SetActive(true);
    led->OnClick(led);
  }
  main->RefreshStripOverlays(2);
  main->RefreshGainOverlays();
  if (main->GetWidth() < 1126) main->SetBounds(0, 0, 1126, 725);
  struct Page {
    const char* file;
    const char* upper;
    const char* lower;
    const char* front;
  };
  const Page pages[] = {
      {"view-in-c", "rzgFftInC", "rzgParamInA", "rzpPeqInC"},
      {"view-out-3", "rzgFftOut3", "rzgParamOut1", "rzpPeqOut3"},
      {"view-gain-in", "rzgFftGain", "rzgParamGain", "rzpGainIn"},
      {"view-gain-out", "rzgFftGain", "rzgParamGain", "rzpGainOut"},
  };
  for (const Page& p : pages) {
    ShowOnly({p.lower, p.upper});
    Control(p.front)->BringToFront();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
    const std::string path = std::string(dir) + "/" + p.file + ".png";
    EXPECT_TRUE(Shot(main->GetMainBox()).save(QString::fromStdString(path))) << path;
  }
}

}  // namespace
