// The lower boxes of the input, output and effect-bus pages: the band
// tables, the band panel, the cut filters and the level controls. The
// input pages share one box (suffix InA), the output pages another (Out1);
// only the band tables exist per strip, stacked in their panels.

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "controls/VrButtons.h"
#include "instruments/base/iLed.h"
#include "mainwindow/FMainStripPages.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"
#include "response/LProgressBar.h"
#include "response/MyPEQAllpass.h"

namespace strip {

namespace {

// The four sections of a parameter box, left to right.
constexpr TRect BandTableSectionBounds = Bounds(8, 8, 448, 266);
constexpr TRect BandPanelBounds = Bounds(464, 8, 200, 266);
constexpr TRect CutSectionBounds = Bounds(672, 8, 180, 266);
constexpr TRect LevelSectionBounds = Bounds(860, 8, 204, 266);
// The effect bus's table is narrower (its title spaces its columns closer),
// which leaves room for the bus's blocks.
constexpr TRect EffBandTableBounds = Bounds(8, 8, 396, 266);
constexpr TRect EffBandPanelBounds = Bounds(412, 8, 200, 266);
constexpr TRect EffLevelBounds = Bounds(620, 8, 212, 266);
constexpr TRect EffBlocksBounds = Bounds(840, 8, 224, 266);

// Where the band table puts row r (its layout rule for 15 pixels of top
// space): the band keys stand level with the row's fields.
int BandRowTop(int tableHeight, int bands, int row) {
  const int pitch = (tableHeight - 15 - 16) / bands;
  return 15 + pitch * row + 8 - 1;
}

std::string SideSuffix(Side side) {
  switch (side) {
    case Side::In:
      return "InA";
    case Side::Out:
      return "Out1";
    case Side::Eff:
      break;
  }
  return "Eff";
}

// One strip's band keys and table in a panel of their own.
void BuildBandStrip(TComponent* owner, TWinControl* panel, int strip, const std::string& stripSuffix,
                    int bands, TColor accent) {
  const int h = panel->GetHeight();
  constexpr int KeyWidth = 22;
  for (int row = 0; row < bands; ++row) {
    auto* key = MakeButton(owner, panel, "rzbEq" + std::to_string(row + 1) + stripSuffix, "",
                           Bounds(4, BandRowTop(h, bands, row), KeyWidth, 21), row,
                           strip == 18 ? 19 : strip + 1, false, accent);
    if (row == 0) key->SetDown(true);
  }
  MakeBandTable(owner, panel, "peqPeq" + stripSuffix,
                Bounds(KeyWidth + 6, 0, panel->GetWidth() - KeyWidth - 6, h), strip, bands);
}

void BuildCutSection(TComponent* owner, TWinControl* parent, const std::string& suffix, TColor accent) {
  auto* section = MakePanel(owner, parent, "", CutSectionBounds);
  struct Filter {
    const char* role;  // LowCut is the high-pass, HighCut the low-pass
    const char* caption;
    int position;
    const char* text;
  };
  const Filter filters[] = {{"LowCut", "HighPass", 0, "19.7Hz"}, {"HighCut", "LowPass", 300, "20.16KHz"}};
  const int w = CutSectionBounds.Width() / 2;
  const int h = CutSectionBounds.Height();
  for (int k = 0; k < 2; ++k) {
    const Filter& f = filters[k];
    const std::string role = f.role;
    auto* column = MakePanel(owner, section, "", Bounds(k * w, 0, w, h));
    MakeLabel(owner, column, "lb" + role + "Freq" + suffix, f.caption, Bounds(2, 4, w - 4, 18), TextColor, 8,
              true, taCenter);
    MakeFader(owner, column, "is" + role + "Freq" + suffix, Bounds((w - 30) / 2, 24, 30, 128), 0, 300,
              f.position, 0, accent);
    MakeValueBox(owner, column, "cvd" + role + "Freq" + suffix, Bounds(6, 156, w - 12, 24), f.text, true);
    MakeLabel(owner, column, "lb" + role + "Slop" + suffix, "Slope", Bounds(2, 184, w - 4, 16), DimText, 8,
              false, taCenter);
    auto* slope = MakeCombo(owner, column, "rzc" + role + "Slop" + suffix, Bounds(6, 202, w - 12, 22));
    FillSlopeItems(slope);
    MakeButton(owner, column, "rzb" + role + "Bypass" + suffix, "Bypass", Bounds(6, 232, w - 12, 24), 0,
               GroupCutBypass, true, WarnColor);
  }
}

// Gain fader, meter and value box of a level section, in its left column.
void BuildGainColumn(TComponent* owner, TWinControl* section, const std::string& suffix, Side side) {
  const TColor accent = AccentOf(side);
  MakeLabel(owner, section, "lbGain" + suffix, "Gain", Bounds(2, 26, 64, 16), DimText, 8, false, taCenter);
  auto* fader =
      MakeFader(owner, section, "isGain" + suffix, Bounds(14, 44, 30, 184), -280, 120, 0, 0, accent);
  fader->SetPageSize(6);
  if (side == Side::Out) {
    MakeMeter(owner, section, "pbLimit" + suffix, Bounds(48, 44, 12, 10), 1, 0, 0);
    MakeMeter(owner, section, "pbLevel" + suffix, Bounds(48, 58, 12, 164), 1, 3, 4);
  } else {
    MakeMeter(owner, section, "pbLevel" + suffix, Bounds(48, 50, 12, 172), 1, 2, 6);
  }
  MakeValueBox(owner, section, "cvdGain" + suffix, Bounds(4, 234, 62, 24), "+0.0dB", true, accent);
}

void BuildLevelSection(TComponent* owner, TWinControl* parent, Side side) {
  const std::string suffix = SideSuffix(side);
  const TColor accent = AccentOf(side);
  auto* section = MakePanel(owner, parent, "", LevelSectionBounds);
  MakeLabel(owner, section, "lbGainName" + suffix, side == Side::In ? "In1" : "Out1", Bounds(6, 4, 100, 20),
            accent, 10, true);
  BuildGainColumn(owner, section, suffix, side);
  // Outputs have no mic or feedback controls: their keys take the room.
  // The input's keys reach to the feedback column so that the mic-gain list
  // holds "50dB" beside its arrows.
  const int x = side == Side::In ? 70 : 72, w = side == Side::In ? 69 : 124;
  MakeButton(owner, section, "rzbPhase" + suffix, "Normal", Bounds(x, 44, w, 24), 0, GroupPhase, true,
             accent);
  MakeButton(owner, section, "rzbMute" + suffix, "Mute", Bounds(x, 72, w, 24), 0, GroupMute, true, WarnColor);
  if (side != Side::In) return;
  // Mic/line, phantom and mic gain: line level at first, so the mic
  // controls wait disabled.
  MakeButton(owner, section, "rzbLineInA", "Line", Bounds(x, 100, w, 24), 0, GroupLine, true, accent);
  MakeButton(owner, section, "rzbPhantomInA", "+48V", Bounds(x, 128, w, 24), 0, GroupPhantom, true, WarnColor)
      ->SetEnabled(false);
  auto* micGain = MakeCombo(owner, section, "rzcLineInA", Bounds(x, 158, w - 15, 22));
  FillMicGainItems(micGain);
  micGain->SetEnabled(false);
  MakeUpDown(owner, section, "udLineInA", Bounds(x + w - 15, 158, 15, 22), 0)->SetEnabled(false);
  // Feedback suppression: five levels, one always down.
  MakeLabel(owner, section, "lbFbtInA", "FBQ", Bounds(140, 26, 60, 16), DimText, 8, false, taCenter);
  static const char* const kLevels[] = {"Close", "Level 1", "Level 2", "Level 3", "Level 4"};
  for (int k = 0; k < 5; ++k) {
    auto* b = MakeButton(owner, section, "rzbFbtLevel" + std::to_string(k) + "InA", kLevels[k],
                         Bounds(140, 44 + 28 * k, 60, 24), k, GroupFeedback, false, accent);
    if (k == 0) b->SetDown(true);
  }
}

}  // namespace

TWinControl* BuildBandTableSection(TComponent* owner, TWinControl* parent, const TRect& r, Side side) {
  const TColor accent = AccentOf(side);
  auto* section = MakePanel(owner, parent, "", r);
  const bool eff = side == Side::Eff;
  MakeLabel(
      owner, section, "lbEq" + SideSuffix(side),
      eff ? "  PEQ      Frequency            Q                Gain             Type             Bypass"
          : "  PEQ       Frequency                Q                     Gain                  Type        "
            "         Bypass",
      Bounds(26, 4, r.Width() - 30, 16), DimText);
  const TRect area = Bounds(0, 22, r.Width(), r.Height() - 22);
  if (eff) {
    BuildBandStrip(owner, MakePanel(owner, section, "", area), 18, "Eff", 5, accent);
    return section;
  }
  // One panel per strip, stacked; page navigation brings the shown one up.
  TPanel* first = nullptr;
  for (int k = 0; k < 8; ++k) {
    const bool in = side == Side::In;
    const std::string stripSuffix = in ? "In" + InSuffix(k) : "Out" + OutSuffix(k);
    auto* panel = MakePanel(owner, section, "rzpPeq" + stripSuffix, area);
    BuildBandStrip(owner, panel, in ? k : 8 + k, stripSuffix, in ? 5 : 7, accent);
    if (k == 0) first = panel;
  }
  first->BringToFront();
  return section;
}

void BuildBandPanel(TComponent* owner, TWinControl* parent, const TRect& r, Side side,
                    const std::string& suffix) {
  const TColor accent = AccentOf(side);
  auto* section = MakePanel(owner, parent, "", r);
  MakeLabel(owner, section, "lbEqParam" + suffix, "PEQ Parameter", Bounds(6, 4, r.Width() - 12, 18),
            TextColor, 8, true);
  struct Column {
    const char* role;
    const char* caption;
    int max, position;
    const char* text;
  };
  const Column columns[] = {
      {"Freq", "Freq", 300, 0, "19.7Hz"}, {"Bw", "Q", 100, 0, "0.4"}, {"Gain", "Gain", 240, 120, "+0.0dB"}};
  const int w = (r.Width() - 8) / 3;
  for (int k = 0; k < 3; ++k) {
    const Column& c = columns[k];
    const int x = 4 + k * w;
    MakeLabel(owner, section, std::string("lbEq") + c.role + suffix, c.caption, Bounds(x, 26, w, 16), DimText,
              8, false, taCenter);
    MakeFader(owner, section, std::string("isEq") + c.role + suffix, Bounds(x + (w - 30) / 2, 44, 30, 184), 0,
              c.max, c.position, 0, accent);
    MakeValueBox(owner, section, std::string("cvdEq") + c.role + suffix, Bounds(x + 1, 234, w - 2, 24),
                 c.text, false);
  }
}

void BuildStripParamBox(TComponent* owner, TWinControl* mainBox, Side side) {
  const std::string suffix = SideSuffix(side);
  auto* box = MakePageBox(owner, mainBox, "rzgParam" + suffix, LowerBoxBounds);
  box->SetVisible(false);
  BuildBandTableSection(owner, box, BandTableSectionBounds, side);
  BuildBandPanel(owner, box, BandPanelBounds, side, suffix);
  BuildCutSection(owner, box, suffix, AccentOf(side));
  BuildLevelSection(owner, box, side);
}

void BuildEffParamBox(TComponent* owner, TWinControl* mainBox) {
  const TColor accent = AccentEff;
  auto* box = MakePageBox(owner, mainBox, "rzgParamEff", LowerBoxBounds);
  box->SetVisible(false);
  BuildBandTableSection(owner, box, EffBandTableBounds, Side::Eff);
  BuildBandPanel(owner, box, EffBandPanelBounds, Side::Eff, "Eff");

  // Gain and compressor threshold of the bus.
  auto* level = MakePanel(owner, box, "", EffLevelBounds);
  MakeLabel(owner, level, "", "Aux", Bounds(6, 4, 60, 20), accent, 10, true);
  MakeButton(owner, level, "rzbMuteEff", "Mute", Bounds(136, 4, 70, 22), 0, GroupMute, true, WarnColor);
  BuildGainColumn(owner, level, "Eff", Side::Eff);
  MakeLabel(owner, level, "lbCompEff", "Comp", Bounds(72, 26, 136, 16), DimText, 8, false, taCenter);
  MakeFader(owner, level, "isCompThresholdEff", Bounds(80, 44, 30, 184), -180, 40, 0, 0, accent);
  auto* led = new TiLedRectangle(owner);
  led->SetName("ilrCompLedEff");
  led->SetParent(level);
  led->SetBounds(116, 50, 18, 18);
  led->SetActiveColor(RGB(240, 70, 58));
  led->SetInactiveColor(RGB(70, 24, 22));
  led->SetBorderStyle(ibsNone);
  MakeButton(owner, level, "rzbCompSetEff", "Set", Bounds(140, 47, 66, 24), 0, 0, false, accent);
  MakeValueBox(owner, level, "cvdCompThresholdEff", Bounds(72, 234, 134, 24), "+0.0dB", true, accent);

  // The effect, automix and camera blocks, then the inputs that feed the bus.
  auto* blocks = MakePanel(owner, box, "", EffBlocksBounds);
  struct Block {
    const char* label;
    const char* caption;
    const char* onOff;
    const char* set;
  };
  const Block rows[] = {{"lbEffectEff", "Effect", "rzbOnOffEff", "rzbEffectSetEff"},
                        {"lbAutoMixEff", "AutoMix", "rzbAutoMixOnOffEff", "rzbAutoMixSetEff"},
                        {"lbCameraEff", "Camera", "rzbCameraOnOffEff", "rzbCameraSetEff"}};
  for (int k = 0; k < 3; ++k) {
    const int y = 12 + 36 * k;
    MakeLabel(owner, blocks, rows[k].label, rows[k].caption, Bounds(6, y + 3, 80, 18), TextColor);
    MakeButton(owner, blocks, rows[k].onOff, "Off", Bounds(88, y, 62, 24), 0, 11 + k, true, accent);
    MakeButton(owner, blocks, rows[k].set, "Set", Bounds(156, y, 62, 24), 0, 0, false, accent);
  }
  MakeLabel(owner, blocks, "lbMatrixEff", "Select", Bounds(6, 130, 212, 18), DimText);
  // The input keys are light, so that the black caption the meter reset
  // gives them reads as well as their own.
  for (int k = 0; k < 8; ++k) {
    auto* key = MakeButton(owner, blocks, "rzb" + InSuffix(k) + "MatrixEff", "In" + std::to_string(k + 1),
                           Bounds(6 + 54 * (k % 4), 152 + 30 * (k / 4), 50, 24), k, 21 + k, true, AccentIn);
    key->SetColor(RGB(156, 162, 172));
    key->GetFont()->SetColor(clBlack);
  }
}

}  // namespace strip
