// The Delay page: faders, marker drags, typed times and the delay unit.

#include <algorithm>
#include <cmath>
#include <string>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLayout.h"
#include "model/CommonConstants.h"
#include "model/LUnitControl.h"
#include "model/ValueScales.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/sys/SysUtils.h"

namespace {

constexpr int DelayChannels = 16;
// The marker sits 40 pixels into its line at delay 0 and is 30 wide; the
// line's usable width is its Width less 90.
constexpr int LineStart = 40;
constexpr int MarkerHalf = 15;
constexpr int LineMargin = 90;
constexpr int RightStop = 75;
// A press this close to the marker's middle takes it.
constexpr int GripReach = 14;
constexpr int DashPixels = 6;
constexpr int DelayDashes = 396;

std::string Dashes(int count) {
  return std::string(static_cast<std::size_t>(std::clamp(count, 0, DelayDashes)), '-');
}

// Blanks at both ends do not count when a typed text is compared.
std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string WithoutUnit(std::string text, int unit) {
  switch (unit) {
    case DelayUnitMetre:
      return RemoveUnitSuffixes(std::move(text), MetreSuffixes);
    case DelayUnitFeet:
      return RemoveUnitSuffixes(std::move(text), FeetSuffixes);
    default:
      return RemoveUnitSuffixes(std::move(text), TimeSuffixes);
  }
}

}  // namespace

void TfmMain::isDelayInAChange(TObject* Sender) {
  if (Refreshing) return;
  auto* fader = dynamic_cast<TCustomTrackBar*>(Sender);
  if (!fader || !UnitControl) return;
  const int strip = fader->GetTag();
  if (strip < 0 || strip >= DelayChannels) return;
  const std::string suffix = DelayChannelSuffix(strip);
  auto* box = FindAs<TCurvyEdit>("cvdDelay" + suffix);
  auto* marker = FindAs<TControl>("imDelay" + suffix);
  auto* line = FindAs<TControl>("lbDelayLine" + suffix);
  auto* time = FindAs<TControl>("lbFftDelayTime" + suffix);
  if (!box || !marker || !line || !time) return;
  const int position = fader->GetPosition();
  marker->SetLeft(DelayMarkerLeft(position, fader->GetMax(), line->GetWidth()));
  DrawDelayLine(strip);
  const std::string text = DelayText(position, UnitControl->GetDelayUnit());
  box->SetText(text);
  time->SetCaption(text);
  UnitControl->SetDelay(strip, static_cast<std::uint16_t>(std::clamp(position, 0, DelaySamplesMax)));
  LinkDelay(strip, position, marker->GetLeft());
}

void TfmMain::rzbUnit0Click(TObject* Sender) {
  auto* button = dynamic_cast<TComponent*>(Sender);
  if (!button) return;
  const int unit = button->GetTag();
  if (unit < DelayUnitMs || unit > DelayUnitFeet) return;
  for (int channel = 0; channel < DelayChannels; ++channel) {
    const std::string suffix = DelayChannelSuffix(channel);
    auto* fader = FindAs<TCustomTrackBar>("isDelay" + suffix);
    auto* box = FindAs<TCurvyEdit>("cvdDelay" + suffix);
    auto* time = FindAs<TControl>("lbFftDelayTime" + suffix);
    if (!fader || !box || !time) continue;
    const std::string text = DelayText(fader->GetPosition(), unit);
    box->SetText(text);
    time->SetCaption(text);
  }
  if (!Refreshing && UnitControl) UnitControl->SetDelayUnit(static_cast<std::uint16_t>(unit));
}

void TfmMain::rzbDelaySelInClick(TObject* Sender) {
  auto* button = dynamic_cast<TComponent*>(Sender);
  if (!button) return;
  const bool inputs = button->GetTag() == 0;
  if (auto* panel = FindAs<TControl>(inputs ? "rzpDelayIn" : "rzpDelayOut")) panel->BringToFront();
  // The delay lines of the chosen side are shown with their heading.
  for (const char* side : {"In", "Out"}) {
    const bool shown = (std::string_view(side) == "In") == inputs;
    for (const std::string stem : {"plFftDelay", "lbFftDelay"})
      if (auto* control = FindAs<TControl>(stem + side)) control->SetVisible(shown);
  }
}

// ---------------------------------------------------------------- marker drag

void TfmMain::lbDelayLineInAMouseDown(TObject* Sender, TMouseButton /*Button*/, TShiftState /*Shift*/, int X,
                                      int Y) {
  auto* line = dynamic_cast<TControl*>(Sender);
  if (!line) return;
  const int strip = line->GetTag();
  if (strip < 0 || strip >= DelayChannels) return;
  if (auto* side = FindAs<TRzBmpButton>(strip < 8 ? "rzbDelaySelIn" : "rzbDelaySelOut")) {
    side->SetDown(true);
    side->Click();
  }
  auto* marker = FindAs<TControl>("imDelay" + DelayChannelSuffix(strip));
  if (!marker) return;
  if (std::abs(X + LineStart - MarkerHalf - marker->GetLeft()) <= GripReach &&
      std::abs(Y - line->GetHeight() / 2) <= GripReach)
    DelayDragging = 1;
}

void TfmMain::lbDelayLineInAMouseMove(TObject* Sender, TShiftState /*Shift*/, int X, int Y) {
  auto* line = dynamic_cast<TControl*>(Sender);
  if (!line) return;
  const int strip = line->GetTag();
  if (strip < 0 || strip >= DelayChannels) return;
  const std::string suffix = DelayChannelSuffix(strip);
  if (!DelayDragging) {
    auto* marker = FindAs<TControl>("imDelay" + suffix);
    if (!marker) return;
    const bool over = std::abs(X + LineStart - MarkerHalf - marker->GetLeft()) <= GripReach &&
                      std::abs(Y - line->GetHeight() / 2) <= GripReach;
    line->SetCursor(over ? crHandPoint : crDefault);
    return;
  }
  auto* fader = FindAs<TCustomTrackBar>("isDelay" + suffix);
  if (!fader) return;
  const int width = line->GetWidth();
  // A line too narrow to travel along has no position to offer.
  if (width - LineMargin <= 0) return;
  const int x = std::min(X, width - RightStop) - MarkerHalf;
  const double position = std::clamp(static_cast<double>(x) * fader->GetMax() / (width - LineMargin), 0.0,
                                     static_cast<double>(fader->GetMax()));
  fader->SetPosition(static_cast<int>(position));
  line->SetCaption(Dashes(x / DashPixels));
}

void TfmMain::lbDelayLineInAMouseUp(TObject* /*Sender*/, TMouseButton /*Button*/, TShiftState /*Shift*/,
                                    int /*X*/, int /*Y*/) {
  DelayDragging = 0;
}

// ---------------------------------------------------------------- typed delay

void TfmMain::cvdDelayInBKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState /*Shift*/) {
  if (Key == VK_RETURN) ApplyTypedDelay(Sender);
}

void TfmMain::cvdDelayInAExit(TObject* Sender) {
  ApplyTypedDelay(Sender);
}

void TfmMain::ApplyTypedDelay(TObject* Sender) {
  auto* box = dynamic_cast<TCurvyEdit*>(Sender);
  if (!box || !UnitControl) return;
  const int strip = box->GetTag();
  if (strip < 0 || strip >= DelayChannels) return;
  auto* fader = FindAs<TCustomTrackBar>("isDelay" + DelayChannelSuffix(strip));
  if (!fader) return;
  const int unit = std::clamp<int>(UnitControl->GetDelayUnit(), DelayUnitMs, DelayUnitFeet);
  const std::string typed = WithoutUnit(box->GetText(), unit);
  // The text the box shows already stands for the fader's position; read
  // back in metres or feet it could land a sample off.
  const bool unchanged = Trimmed(typed) == Trimmed(WithoutUnit(DelayText(fader->GetPosition(), unit), unit));
  const bool valid = !unchanged && !typed.empty() && IsNumericText(typed);
  box->SetText("");
  if (valid) {
    const double value = std::clamp(sys::ReadLeadingDecimal(typed), 0.0, 1.0e6);
    fader->SetPosition(std::clamp(DelayToSamples(value, unit), fader->GetMin(), fader->GetMax()));
  }
  box->SetText(DelayText(fader->GetPosition(), unit));
  box->GetEdit()->PressEndKey();
}

// ---------------------------------------------------------------- binding

void TfmMain::BindDelayDynamicsHandlers() {
  for (int channel = 0; channel < DelayChannels; ++channel) {
    const std::string suffix = DelayChannelSuffix(channel);
    if (auto* fader = FindAs<TCustomTrackBar>("isDelay" + suffix))
      fader->OnChange = [this](TObject* s) { isDelayInAChange(s); };
    if (auto* line = FindAs<TControl>("lbDelayLine" + suffix)) {
      line->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        lbDelayLineInAMouseDown(s, b, sh, x, y);
      };
      line->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
        lbDelayLineInAMouseMove(s, sh, x, y);
      };
      line->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        lbDelayLineInAMouseUp(s, b, sh, x, y);
      };
      // The marker lies over its line and takes the presses meant for it:
      // they reach the line's handlers in the line's coordinates.
      if (auto* marker = FindAs<TControl>("imDelay" + suffix)) {
        const auto inLine = [line, marker](int& x, int& y) {
          x += marker->GetLeft() - line->GetLeft();
          y += marker->GetTop() - line->GetTop();
        };
        marker->OnMouseDown = [this, line, inLine](TObject*, TMouseButton b, TShiftState sh, int x, int y) {
          inLine(x, y);
          lbDelayLineInAMouseDown(line, b, sh, x, y);
        };
        marker->OnMouseMove = [this, line, marker, inLine](TObject*, TShiftState sh, int x, int y) {
          inLine(x, y);
          lbDelayLineInAMouseMove(line, sh, x, y);
          marker->SetCursor(line->GetCursor());
        };
        marker->OnMouseUp = [this, line, inLine](TObject*, TMouseButton b, TShiftState sh, int x, int y) {
          inLine(x, y);
          lbDelayLineInAMouseUp(line, b, sh, x, y);
        };
      }
    }
    if (auto* box = FindAs<TCurvyEdit>("cvdDelay" + suffix)) {
      box->OnKeyDown = [this](TObject* s, std::uint16_t& k, TShiftState sh) { cvdDelayInBKeyDown(s, k, sh); };
      box->OnExit = [this](TObject* s) { cvdDelayInAExit(s); };
    }
  }
  for (const char* name : {"rzbDelaySelIn", "rzbDelaySelOut"})
    if (auto* button = FindAs<TControl>(name))
      button->OnClick = [this](TObject* s) { rzbDelaySelInClick(s); };
  for (const char* name : {"rzbUnit0", "rzbUnit1", "rzbUnit2"})
    if (auto* button = FindAs<TControl>(name)) button->OnClick = [this](TObject* s) { rzbUnit0Click(s); };
  BindDynamicsHandlers();
}
