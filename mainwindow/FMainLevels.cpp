// Level polling replies: the meters, limit lamps, compression LEDs and the
// automix and camera read-outs.

#include <stdexcept>

#include "controls/AdvTrackBar.h"
#include "dialogs/Fautomix.h"
#include "dialogs/Fcamera.h"
#include "dialogs/Fcomp.h"
#include "instruments/base/iLed.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "model/LevelScales.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "response/LProgressBar.h"

namespace {

// A payload read with a bounds check: the first missing byte ends the handler.
struct PayloadReader {
  std::span<const std::uint8_t> bytes;
  std::uint8_t operator[](std::size_t i) const {
    if (i >= bytes.size()) throw std::out_of_range("level reply too short");
    return bytes[i];
  }
  float Level(std::size_t at) const { return DecodeLevel((*this)[at], (*this)[at + 1], (*this)[at + 2]); }
};

std::string InputName(const char* prefix, int input) {
  return prefix + std::string(1, static_cast<char>('A' + input));
}
std::string OutputName(const char* prefix, int output) {
  return prefix + std::to_string(output);
}

}  // namespace

void TfmMain::OnLevels(std::uint8_t /*deviceId*/, std::span<const std::uint8_t> payload) {
  const PayloadReader p{payload};
  // A missing meter ends the handler; so does a short payload.
  auto setMeter = [this](const std::string& name, int position) {
    auto* meter = FindAs<LProgressBar>(name);
    if (!meter) throw std::out_of_range(name);
    meter->SetPosition(position);
  };
  try {
    float values[17];
    for (int c = 0; c < 17; ++c) values[c] = p.Level(static_cast<std::size_t>(3 * c));
    for (int i = 0; i < 8; ++i)
      if (fmAutoMix) fmAutoMix->SetInputLed(i, (p[52] & (1u << i)) == 0);
    const int m = (p[54] >> 1) & 0x07;
    if (fmAutoMix) fmAutoMix->lbAutoMixGain->SetCaption(AutoMixGainText(m, UnitControl->GetAutoMixSlope()));
    for (int i = 0; i < 8; ++i)
      if (fmCamera) fmCamera->SetInputLed(i, (p[53] & (1u << i)) == 0);
    if (fmCamera) fmCamera->lbCameraPos->SetCaption(CameraPositionText((p[54] >> 4) & 0x0F));
    setMeter("pbLevelEff", MeterPosition(MeterScale::Input, LevelToDb(values[16])));
    const bool compressing = (p[54] & 1) != 0 && UnitControl->GetComp(18).Ratio != 0;
    if (fmComp) fmComp->ilrCompLed->SetActive(compressing);
    if (auto* led = FindAs<TiLed>("ilrCompLedEff")) led->SetActive(compressing);
    for (int c = 0; c < 16; ++c) {
      const double dB = LevelToDb(values[c]);
      if (c < 8) {
        const int j = MeterPosition(MeterScale::Input, dB);
        setMeter(InputName("pbLevelBackupIn", c), j);
        setMeter(InputName("pbLevelGateIn", c), j);
        if (CurrentStrip == c) setMeter("pbLevelInA", j);
        if (GateStrip == c) setMeter("pbLevelGateIn", j);
        continue;
      }
      const int n = c - 7;
      const int j = MeterPosition(MeterScale::Output, dB);
      setMeter(OutputName("pbLevelCompOut", n), j);
      setMeter(OutputName("pbLevelBackupOut", n), j);
      if (CurrentStrip == c) setMeter("pbLevelOut1", j);
      auto* ratio = FindAs<TAdvTrackBar>(OutputName("isCompRatioOut", n));
      if (!ratio) return;
      const int limit = ((p[51] >> (n - 1)) & 1) != 0 && ratio->GetPosition() != 0 ? 1 : 0;
      setMeter(OutputName("pbLimitCompOut", n), limit);
      setMeter(OutputName("pbLimitBackupOut", n), limit);
      if (CurrentStrip == c) setMeter("pbLimitOut1", limit);
      if (CompStrip == c) {
        setMeter("pbLimitCompOut", limit);
        setMeter("pbLevelCompOut", j);
      }
    }
  } catch (const std::out_of_range&) {}
}

void TfmMain::OnGateLevels(std::uint8_t /*deviceId*/, std::span<const std::uint8_t> payload) {
  const PayloadReader p{payload};
  try {
    for (int i = 0; i < 8; ++i) {
      const int j = MeterPosition(MeterScale::Input, LevelToDb(p.Level(static_cast<std::size_t>(3 * i))));
      auto* meter = FindAs<LProgressBar>(InputName("pbLevelGateIn", i));
      if (!meter) return;
      meter->SetPosition(j);
      if (GateStrip == i) {
        auto* page = FindAs<LProgressBar>("pbLevelGateIn");
        if (!page) return;
        page->SetPosition(j);
      }
    }
  } catch (const std::out_of_range&) {}
}

void TfmMain::ResetMeters() {
  auto zero = [this](const std::string& name) {
    auto* meter = FindAs<LProgressBar>(name);
    if (meter) meter->SetPosition(0);
    return meter != nullptr;
  };
  for (int i = 0; i < 8; ++i)
    if (!zero(InputName("pbLevelBackupIn", i)) || !zero(InputName("pbLevelGateIn", i))) return;
  if (!zero("pbLevelInA")) return;
  for (int n = 1; n <= 8; ++n)
    if (!zero(OutputName("pbLevelBackupOut", n)) || !zero(OutputName("pbLevelCompOut", n)) ||
        !zero(OutputName("pbLimitBackupOut", n)) || !zero(OutputName("pbLimitCompOut", n)))
      return;
  for (const char* name :
       {"pbLevelOut1", "pbLimitOut1", "pbLevelGateIn", "pbLevelCompOut", "pbLimitCompOut", "pbLevelEff"})
    if (!zero(name)) return;
  for (int i = 0; i < 8; ++i) {
    if (auto* send = FindAs<TRzBmpButton>("rzb" + std::string(1, static_cast<char>('A' + i)) + "MatrixEff"))
      send->GetFont()->SetColor(clBlack);
    if (fmAutoMix) fmAutoMix->SetInputLed(i, 0);
  }
  if (auto* led = FindAs<TiLed>("ilrCompLedEff")) led->SetActive(false);
  if (fmComp) fmComp->ilrCompLed->SetActive(false);
}
