// Typed compressor and gate values: a threshold, ratio or time typed into a
// value box is checked, moved onto its fader's grid and applied by setting
// the fader, whose change handler stores, sends and propagates it. A text
// that is refused or changes nothing brings the shown value back with the
// caret at its end.

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLayout.h"
#include "model/CommonConstants.h"
#include "model/ValueScales.h"
#include "platform/classlib/Keys.h"
#include "platform/sys/SysUtils.h"

namespace {

constexpr double LowestThresholdDb = -90.0;
constexpr double HighestThresholdDb = 20.0;

bool OnlyOf(std::string_view text, std::string_view allowed) {
  return text.find_first_not_of(allowed) == std::string_view::npos;
}

// A decimal or whole number written with digits and at most a sign.
bool IsSignedWhole(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  return !text.empty() && OnlyOf(text, "0123456789");
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The fader position of a typed threshold, or nothing when refused.
std::optional<int> ThresholdPosition(std::string text, int current) {
  text = RemoveUnitSuffixes(std::move(text), GainSuffixes);
  if (text.empty() || text == "-" || text == "." || !OnlyOf(text, "0123456789.,-+ ") ||
      std::count(text.begin(), text.end(), '.') > 1 || std::count(text.begin(), text.end(), '-') > 1)
    return std::nullopt;
  if (const auto point = text.find('.'); point != std::string::npos) {
    if (point + 1 >= text.size() || !IsDigit(text[point + 1])) return std::nullopt;
    const int decimal = text[point + 1] - '0';
    if (decimal >= 6) {
      // One decimal kept; the 0.5 dB grid truncates it below.
      text.resize(point + 2);
    } else if (decimal <= 4) {
      const std::string whole = text.substr(0, point);
      if (!IsSignedWhole(whole)) return std::nullopt;
      text = std::to_string(sys::ReadLeadingInteger(whole));
    }
  }
  const double value = std::clamp(sys::ReadLeadingDecimal(text), LowestThresholdDb, HighestThresholdDb);
  if (current == value * 2) return std::nullopt;
  return static_cast<int>(std::trunc(value * 2));
}

// The ratio index of a typed ratio, or nothing when refused. Above the
// last ratio step it is the limiter.
std::optional<int> RatioPosition(const std::string& shown) {
  std::string text = RemoveUnitSuffixes(shown, GainSuffixes);
  const auto colons = std::count(text.begin(), text.end(), ':');
  if (text.empty() || text == ":" || text == "." || !OnlyOf(text, "0123456789:., ") ||
      std::count(text.begin(), text.end(), '.') > 1 || colons > 1 || (colons == 1 && text.front() != '1'))
    return std::nullopt;
  // "1:4" reads as 4; a trailing "dB" there ends the reading by itself.
  if (colons == 1) text = shown.size() > 2 ? shown.substr(2) : std::string();
  const auto point = text.find('.');
  if (point == std::string::npos ? text.empty() : point + 1 >= text.size()) return std::nullopt;
  const double value = sys::ReadLeadingDecimal(text);
  const auto step = std::find_if(CompRatioValue.begin(), CompRatioValue.end(),
                                 [value](double ratio) { return value <= ratio; });
  return std::min(static_cast<int>(step - CompRatioValue.begin()), CompRatioLimit);
}

// The fader position of a typed time in ms, or nothing when refused.
std::optional<int> TimePosition(std::string text, int minimum, int maximum, int current) {
  text = RemoveUnitSuffixes(std::move(text), TimeSuffixes);
  if (text.empty() || !IsNumericText(text)) return std::nullopt;
  const long long ms = std::clamp<long long>(sys::ReadLeadingInteger(text), minimum + 1LL, maximum + 1LL);
  if (ms == current + 1LL) return std::nullopt;
  return static_cast<int>(ms - 1);
}

// The box's strip fader, found from its Tag; null without one.
TCustomTrackBar* FaderOf(const TfmMain& window, TCurvyEdit* box, std::string_view stem) {
  if (!box || box->GetTag() < 0 || box->GetTag() > 15) return nullptr;
  return dynamic_cast<TCustomTrackBar*>(
      window.FindComponent(std::string(stem) + DelayChannelSuffix(box->GetTag())));
}

// The common end of every rule: the fader takes an accepted position and
// the box shows the fader's value; a refused text only brings it back.
template <class TextOf>
void Conclude(TCurvyEdit* box, TCustomTrackBar* fader, std::optional<int> position, TextOf textOf) {
  box->SetText("");
  if (position) fader->SetPosition(std::clamp(*position, fader->GetMin(), fader->GetMax()));
  box->SetText(textOf(fader->GetPosition()));
  if (!position) box->GetEdit()->PressEndKey();
}

}  // namespace

void TfmMain::ApplyTypedThreshold(TObject* Sender, std::string_view faderStem) {
  auto* box = dynamic_cast<TCurvyEdit*>(Sender);
  TCustomTrackBar* fader = FaderOf(*this, box, faderStem);
  if (!fader) return;
  Conclude(box, fader, ThresholdPosition(box->GetText(), fader->GetPosition()),
           [](int position) { return ThresholdText(position); });
}

void TfmMain::ApplyTypedRatio(TObject* Sender) {
  auto* box = dynamic_cast<TCurvyEdit*>(Sender);
  TCustomTrackBar* fader = FaderOf(*this, box, "isCompRatio");
  if (!fader) return;
  Conclude(box, fader, RatioPosition(box->GetText()), [fader](int position) {
    return position >= fader->GetMax() ? "Limit" : CompRatioDisplayText(position);
  });
}

void TfmMain::ApplyTypedTime(TObject* Sender, std::string_view faderStem) {
  auto* box = dynamic_cast<TCurvyEdit*>(Sender);
  TCustomTrackBar* fader = FaderOf(*this, box, faderStem);
  if (!fader) return;
  Conclude(box, fader, TimePosition(box->GetText(), fader->GetMin(), fader->GetMax(), fader->GetPosition()),
           [](int position) { return DynTimeText(position); });
}

void TfmMain::cvdCompThresholdOut1KeyDown(TObject* Sender, std::uint16_t& Key, TShiftState) {
  if (Key == VK_RETURN) ApplyTypedThreshold(Sender, "isCompThreshold");
}
void TfmMain::cvdCompThresholdOut1Exit(TObject* Sender) {
  ApplyTypedThreshold(Sender, "isCompThreshold");
}
void TfmMain::cvdGateThresholdInAKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState) {
  if (Key == VK_RETURN) ApplyTypedThreshold(Sender, "isGateThreshold");
}
void TfmMain::cvdGateThresholdInAExit(TObject* Sender) {
  ApplyTypedThreshold(Sender, "isGateThreshold");
}
void TfmMain::cvdCompRatioOut1KeyDown(TObject* Sender, std::uint16_t& Key, TShiftState) {
  if (Key == VK_RETURN) ApplyTypedRatio(Sender);
}
void TfmMain::cvdCompRatioOut1Exit(TObject* Sender) {
  ApplyTypedRatio(Sender);
}
void TfmMain::cvdCompAttackOut1KeyDown(TObject* Sender, std::uint16_t& Key, TShiftState) {
  if (Key == VK_RETURN) ApplyTypedTime(Sender, "isCompAttack");
}
void TfmMain::cvdCompAttackOut1Exit(TObject* Sender) {
  ApplyTypedTime(Sender, "isCompAttack");
}
void TfmMain::cvdCompReleaseOut1KeyDown(TObject* Sender, std::uint16_t& Key, TShiftState) {
  if (Key == VK_RETURN) ApplyTypedTime(Sender, "isCompRelease");
}
void TfmMain::cvdCompReleaseOut1Exit(TObject* Sender) {
  ApplyTypedTime(Sender, "isCompRelease");
}
void TfmMain::cvdGateAttackInAKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState) {
  if (Key == VK_RETURN) ApplyTypedTime(Sender, "isGateAttack");
}
void TfmMain::cvdGateAttackInAExit(TObject* Sender) {
  ApplyTypedTime(Sender, "isGateAttack");
}
void TfmMain::cvdGateReleaseInAKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState) {
  if (Key == VK_RETURN) ApplyTypedTime(Sender, "isGateRelease");
}
void TfmMain::cvdGateReleaseInAExit(TObject* Sender) {
  ApplyTypedTime(Sender, "isGateRelease");
}
