// The main window's controls of one role: the strip pages: inputs, outputs,
// the effect bus and the Gain page. This unit builds the upper boxes (the
// response plots with their buttons and overlay switches); the lower boxes
// are built by FMainStripPanels and FMainGainPage.

#include "controls/VrButtons.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainStripPages.h"
#include "platform/classlib/RzControls.h"
#include "response/LMyFFTDrawPhase.h"

void TfmMain::CreateStripControls() {
  using namespace strip;
  BuildStripPlotBoxes(this, FMainBox);
  BuildGainPlotBox(this, FMainBox);
  BuildStripParamBox(this, FMainBox, Side::In);
  BuildStripParamBox(this, FMainBox, Side::Out);
  BuildEffParamBox(this, FMainBox);
  BuildGainParamBox(this, FMainBox);
}

namespace strip {

namespace {

// The top row of a strip plot box, left to right: channel label, view
// switch, key hint, overlay switches, then the three EQ buttons at the
// places the window's resizing keeps them (they move right as the window
// widens, so nothing that stays put may stand right of them).
constexpr TRect ChannelLabelBounds = Bounds(14, 4, 50, 20);
constexpr TRect MagRadioBounds = Bounds(66, 4, 42, 20);
constexpr TRect PhaseRadioBounds = Bounds(108, 4, 52, 20);
constexpr TRect KeyLabelBounds = Bounds(164, 6, 254, 18);
constexpr TRect OverlayBoxBounds = Bounds(420, 1, 350, 25);
constexpr TRect BypassButtonBounds = Bounds(776, 3, 76, 21);
constexpr TRect ResetButtonBounds = Bounds(857, 3, 73, 21);
constexpr TRect ShowAllButtonBounds = Bounds(934, 3, 82, 21);
constexpr TRect StripPlotBounds = Bounds(21, 27, 1070, 255);
// One overlay switch in a row of them.
constexpr int OverlayPitch = 50;
constexpr int OverlayWidth = 48;

// What a strip plot box shows: its channel, suffix and caption.
struct PlotBoxSpec {
  Side side;
  int strip;            // ChannelIndex
  std::string suffix;   // "InA", "Out1", "Eff"
  std::string channel;  // "In1", "Out1", "Aux"
};

// The overlay switches of one strip plot: one per other strip of its side,
// named vrbShow + source + In/Out + target, Tag = source strip.
void BuildOverlayBox(TComponent* owner, TWinControl* box, const PlotBoxSpec& spec) {
  const bool in = spec.side == Side::In;
  const int target = in ? spec.strip : spec.strip - 8;
  const std::string targetSuffix = in ? InSuffix(target) : OutSuffix(target);
  auto* overlays = MakePageBox(owner, box, std::string("rzgFftShowCh") + (in ? "In" : "Out") + targetSuffix,
                               OverlayBoxBounds);
  int x = 1;
  for (int source = 0; source < 8; ++source) {
    if (source == target) continue;
    const std::string name =
        "vrbShow" + (in ? InSuffix(source) : OutSuffix(source)) + (in ? "In" : "Out") + targetSuffix;
    const std::string caption = (in ? "In" : "Out") + std::to_string(source + 1);
    MakeLedButton(owner, overlays, name, caption, Bounds(x, 2, OverlayWidth, 21), in ? source : source + 8,
                  AccentOf(spec.side));
    x += OverlayPitch;
  }
}

void BuildStripPlotBox(TComponent* owner, TWinControl* mainBox, const PlotBoxSpec& spec) {
  const TColor accent = AccentOf(spec.side);
  auto* box = MakePageBox(owner, mainBox, "rzgFft" + spec.suffix, UpperBoxBounds);
  box->SetVisible(false);
  // The effect bus's channel label has no name of its own: no code writes it.
  MakeLabel(owner, box, spec.side == Side::Eff ? "" : "lbFftChannel" + spec.suffix, spec.channel,
            ChannelLabelBounds, accent, 10, true);
  auto* key =
      MakeLabel(owner, box, "lbFftParam" + spec.suffix,
                "Frequency  ( \xE2\x86\x90 / \xE2\x86\x92 )      Q(\xEF\xBC\x8B/\xEF\xBC\x8D)     Gain (  "
                "\xE2\x86\x91 / \xE2\x86\x93  )",
                KeyLabelBounds, DimText);
  key->SetVisible(false);
  if (spec.side != Side::Eff) BuildOverlayBox(owner, box, spec);
  MakeDemoButton(owner, box, "vrbEqBypass" + spec.suffix, "EQ Bypass", BypassButtonBounds, spec.strip);
  MakeDemoButton(owner, box, "vrbEqReset" + spec.suffix, "EQ Reset", ResetButtonBounds, spec.strip);
  MakeLedButton(owner, box, "vrbEqShowAll" + spec.suffix, "SHOW ALL EQ", ShowAllButtonBounds, spec.strip,
                accent, 7);
  MakeRadio(owner, box, "rbShowGain" + spec.suffix, "Mag", MagRadioBounds, spec.strip, true, clYellow, 7);
  MakeRadio(owner, box, "rbShowPhase" + spec.suffix, "Phase", PhaseRadioBounds, spec.strip, false, clSilver,
            7);
  MakeResponsePlot(owner, box, "fftDraw" + spec.suffix, StripPlotBounds, spec.strip);
}

}  // namespace

void BuildStripPlotBoxes(TComponent* owner, TWinControl* mainBox) {
  for (int i = 0; i < 8; ++i)
    BuildStripPlotBox(owner, mainBox, {Side::In, i, "In" + InSuffix(i), "In" + std::to_string(i + 1)});
  for (int n = 0; n < 8; ++n)
    BuildStripPlotBox(owner, mainBox,
                      {Side::Out, 8 + n, "Out" + OutSuffix(n), "Out" + std::to_string(n + 1)});
  BuildStripPlotBox(owner, mainBox, {Side::Eff, 18, "Eff", "Aux"});
}

void BuildGainPlotBox(TComponent* owner, TWinControl* mainBox) {
  auto* box = MakePageBox(owner, mainBox, "rzgFftGain", UpperBoxBounds);
  struct Half {
    Side side;
    const char* label;
    const char* caption;
    TRect labelBounds, overlayBounds;
    const char* overlayBox;
    const char* plot;
  };
  const Half halves[] = {
      {Side::In, "lbFftGainIn", "Input", Bounds(66, 4, 62, 20), Bounds(130, 1, 418, 25), "rzgFftShowChIn",
       "fftDrawGainIn"},
      {Side::Out, "lbFftGainOut", "Output", Bounds(600, 4, 62, 20), Bounds(662, 1, 418, 25),
       "rzgFftShowChOut", "fftDrawGainOut"},
  };
  for (const Half& h : halves) {
    const bool in = h.side == Side::In;
    MakeLabel(owner, box, h.label, h.caption, h.labelBounds, AccentOf(h.side), 9, true, taRightJustify);
    auto* overlays = MakePageBox(owner, box, h.overlayBox, h.overlayBounds);
    for (int k = 0; k < 8; ++k) {
      const std::string name = "vrbShow" + (in ? InSuffix(k) : OutSuffix(k)) + "Gain";
      const std::string caption = (in ? "In" : "Out") + std::to_string(k + 1);
      auto* b = MakeLedButton(owner, overlays, name, caption, Bounds(1 + 52 * k, 2, 50, 21), in ? k : 8 + k,
                              AccentOf(h.side));
      // Input A's and output 1's curves show from the start.
      if (k == 0) b->SetActive(true);
    }
    // Both Gain plots carry Tag 0: their mouse handlers treat them as input A.
    MakeResponsePlot(owner, box, h.plot, in ? Bounds(16, 27, 530, 255) : Bounds(550, 27, 530, 255), 0);
  }
}

}  // namespace strip
