#include "mainwindow/FMainLayout.h"

#include <array>
#include <initializer_list>
#include <span>
#include <string_view>

#include "mainwindow/FMain.h"
#include "mainwindow/FMainLook.h"
#include "platform/classlib/Controls.h"

namespace {

// clang-format off
constexpr std::array<PageButtonSpec, MainPageCount> PageButtons = {{
    {"rzbMenuGain", "Gain", PageGain},     {"rzbMenuGate", "Gate", PageGate},
    {"rzbMenuComp", "Comp", PageComp},     {"rzbMenuDelay", "Delay", PageDelay},
    {"rzbMenuMatrix", "Matrix", PageMatrix}, {"rzbMenuEff", "Aux", PageEff},
    {"rzbMenuInA", "In1", 0},  {"rzbMenuInB", "In2", 1},  {"rzbMenuInC", "In3", 2},  {"rzbMenuInD", "In4", 3},
    {"rzbMenuInE", "In5", 4},  {"rzbMenuInF", "In6", 5},  {"rzbMenuInG", "In7", 6},  {"rzbMenuInH", "In8", 7},
    {"rzbMenuOut1", "Out1", 8},  {"rzbMenuOut2", "Out2", 9},  {"rzbMenuOut3", "Out3", 10}, {"rzbMenuOut4", "Out4", 11},
    {"rzbMenuOut5", "Out5", 12}, {"rzbMenuOut6", "Out6", 13}, {"rzbMenuOut7", "Out7", 14}, {"rzbMenuOut8", "Out8", 15},
}};
// clang-format on

constexpr int NamedPageButtons = 6;
constexpr int PageButtonLeft = 6;
constexpr int PageButtonStep = 46;
constexpr int PageButtonWidth = 44;
constexpr int PageButtonGap = 8;

const std::string InputLetters = "ABCDEFGH";

std::string In(std::string_view prefix, int i) {
  return std::string(prefix) + InputLetters[static_cast<std::size_t>(i)];
}
std::string Out(std::string_view prefix, int n) {
  return std::string(prefix) + std::to_string(n);
}

// Collects steps; each family helper adds one rule for every name given.
class Plan {
 public:
  void Add(const std::string& name, LayoutEdge edge, int value) { FSteps.push_back({name, edge, value}); }
  void Add(std::span<const std::string_view> names, LayoutEdge edge, int value) {
    for (std::string_view name : names) Add(std::string(name), edge, value);
  }
  void Add(std::initializer_list<std::string_view> names, LayoutEdge edge, int value) {
    Add(std::span<const std::string_view>(names.begin(), names.size()), edge, value);
  }
  std::vector<LayoutStep> Take() { return std::move(FSteps); }

 private:
  std::vector<LayoutStep> FSteps;
};

constexpr std::string_view UpperBoxes[] = {"rzgFftGain", "rzgFftDelay",  "rzgFftComp",
                                           "rzgFftGate", "rzgFftMatrix", "rzgFftEff"};
constexpr std::string_view LowerBoxes[] = {"rzgParamGain",   "rzgParamDelay", "rzgParamComp", "rzgParamGate",
                                           "rzgParamMatrix", "rzgParamEff",   "rzgParamInA",  "rzgParamOut1"};

// A meter scale's labels from the top, with the (k, b) of their tops
// E·k/9 + b.
struct ScaleLabel {
  std::string_view Name;
  int K;
  int B;
};
constexpr ScaleLabel CompScale[] = {
    {"lbLimitCompOut", 1, 32}, {"lbClipCompOut", 2, 56}, {"lb12CompOut", 3, 79},
    {"lb5CompOut", 4, 102},    {"lb0CompOut", 5, 124},   {"lbN5CompOut", 6, 149},
    {"lbN15CompOut", 7, 172},  {"lbN30CompOut", 8, 195}, {"lbN60CompOut", 9, 219}};
constexpr int CompStripScaleB[] = {35, 58, 81, 105, 128, 151, 175, 198, 222};
constexpr ScaleLabel GateScale[] = {
    {"lbClipGateIn", 1, 36}, {"lb12GateIn", 2, 59},   {"lb5GateIn", 3, 82},
    {"lb0GateIn", 4, 105},   {"lbN5GateIn", 5, 129},  {"lbN15GateIn", 6, 152},
    {"lbN20GateIn", 7, 175}, {"lbN30GateIn", 8, 198}, {"lbN60GateIn", 9, 222}};

struct MatrixCell {
  std::string_view Cell;
  int K;
  int B;
};
constexpr MatrixCell InputCells[] = {{"Gain", 2, 77}, {"Gate", 3, 134},  {"HpLp", 4, 191},
                                     {"Peq", 5, 248}, {"Phase", 6, 305}, {"Delay", 7, 362}};
constexpr MatrixCell OutputCells[] = {{"Peq", 1, 61},    {"Gain", 2, 121},  {"Comp", 3, 180},
                                      {"Phase", 4, 240}, {"Delay", 5, 298}, {"Mute", 6, 359}};
constexpr MatrixCell EffectCells[] = {{"Sel", 3, 191}, {"Efx", 5, 248}, {"Peq", 6, 305}, {"Comp", 7, 362}};

// The label and the separator shape of a matrix cell, with one rule.
void AddCell(Plan& plan, std::string_view cell, const std::string& suffix, int width, int left) {
  for (std::string_view kind : {"lbMatrix", "spMatrix"}) {
    const std::string name = std::string(kind) + std::string(cell) + suffix;
    plan.Add(name, LayoutEdge::Width, width);
    plan.Add(name, LayoutEdge::Left, left);
  }
}

}  // namespace

const PageButtonSpec& PageButtonAt(int slot) {
  return PageButtons.at(static_cast<std::size_t>(slot));
}

TRect PageButtonRect(int slot) {
  const int group = slot < NamedPageButtons ? 0 : slot < NamedPageButtons + 8 ? 1 : 2;
  const int left = PageButtonLeft + slot * PageButtonStep + group * PageButtonGap;
  return Bounds(left, LinkButtonRect.Top, PageButtonWidth, LinkButtonRect.Height());
}

TColor PageAccentOf(int page) {
  if (page >= 0 && page < 8) return MainLook::InputAccent;
  if (page >= 8 && page < 16) return MainLook::OutputAccent;
  if (page == PageEff) return MainLook::EffectAccent;
  return MainLook::PageAccent;
}

const std::vector<PresetBarItem>& PresetBarItems() {
  static const std::vector<PresetBarItem> items = {
      {"lPstNum", PresetBarKind::Caption, Rect(8, 12, 80, 38)},
      {"lbPstNum", PresetBarKind::Display, Rect(88, 11, 148, 39)},
      {"lPstName", PresetBarKind::Caption, Rect(156, 12, 228, 38)},
      {"lbPstName", PresetBarKind::Display, Rect(236, 11, 420, 39)},
      {"bStore", PresetBarKind::Key, Rect(444, 10, 544, 40)},
      {"bRecall", PresetBarKind::Key, Rect(556, 10, 656, 40)},
      {"lbShowIdNumber", PresetBarKind::Caption, Rect(960, 12, 1090, 38)},
  };
  return items;
}

const std::vector<FrameImageSpec>& FrameImages() {
  static const std::vector<FrameImageSpec> images = {
      {"imLeftUpBase", true, Rect(0, 0, 1082, 256)},
      {"imRightUpBase", true, Rect(1077, 0, DesignWidth, 256)},
      {"imLeftDownBase", false, Rect(0, 256, 1082, DesignClientHeight)},
      {"imRightDownBase", false, Rect(1077, 256, DesignWidth, DesignClientHeight)},
  };
  return images;
}

std::vector<LayoutStep> HeightRules(int e) {
  using enum LayoutEdge;
  Plan plan;
  // The controls of fixed names.
  plan.Add("rzgMain", Height, 629 + e);
  plan.Add(UpperBoxes, Height, 284 + e);
  plan.Add(LowerBoxes, Top, 292 + e);
  plan.Add("rzgParamEff", Height, 282 + e);
  plan.Add({"fftDrawGainIn", "fftDrawGainOut", "fftDrawEff"}, Height, 255 + e);
  plan.Add({"plFftDelayIn", "plFftDelayOut"}, Height, 234 + e);
  plan.Add({"ipComp", "ipGate"}, Height, 230 + e);
  plan.Add({"plLevelCompOut", "plLevelGateIn"}, Height, 247 + e);
  plan.Add("pbLevelCompOut", Height, e * 8 / 9 + 185);
  plan.Add("pbLevelCompOut", Top, e / 9 + 54);
  plan.Add("pbLimitCompOut", Height, e / 9 + 22);
  for (const ScaleLabel& label : CompScale) plan.Add(std::string(label.Name), Top, e * label.K / 9 + label.B);
  plan.Add("pbLevelGateIn", Height, e * 8 / 9 + 208);
  plan.Add("pbLevelGateIn", Top, e / 9 + 32);
  for (const ScaleLabel& label : GateScale) plan.Add(std::string(label.Name), Top, e * label.K / 9 + label.B);
  plan.Add("pbMatrix", Top, e / 9 + 26);
  plan.Add("pbMatrix", Height, 240 + e);
  plan.Add("AuxMixLine1", Height, e * 8 / 9 + 214);
  plan.Add("AuxMixLine2", Top, e * 9 / 10 + 246);
  plan.Add("plMatrixEff", Top, 9 * (e / 9) + 249);

  // Per channel.
  for (int i = 0; i < 8; ++i) plan.Add(In("rzgFftIn", i), Height, 284 + e);
  for (int n = 1; n <= 8; ++n) plan.Add(Out("rzgFftOut", n), Height, 284 + e);
  for (int i = 0; i < 8; ++i) plan.Add(In("fftDrawIn", i), Height, 255 + e);
  for (int n = 1; n <= 8; ++n) plan.Add(Out("fftDrawOut", n), Height, 255 + e);
  for (int n = 1; n <= 8; ++n) plan.Add(Out("plLevelCompOut", n), Height, 247 + e);
  for (int i = 0; i < 8; ++i) plan.Add(In("plLevelGateIn", i), Height, 247 + e);
  for (int n = 1; n <= 8; ++n) {
    plan.Add(Out("pbLevelCompOut", n), Height, e * 8 / 9 + 185);
    plan.Add(Out("pbLevelCompOut", n), Top, e / 9 + 55);
    plan.Add(Out("pbLimitCompOut", n), Height, e / 9 + 22);
    for (std::size_t k = 0; k < std::size(CompScale); ++k)
      plan.Add(Out(CompScale[k].Name, n), Top, e * CompScale[k].K / 9 + CompStripScaleB[k]);
  }
  for (int i = 0; i < 8; ++i) {
    // Each input's gate bar grows like the Gate page's own, so that it ends
    // level with its lowest scale label.
    plan.Add(In("pbLevelGateIn", i), Height, e * 8 / 9 + 208);
    plan.Add(In("pbLevelGateIn", i), Top, e / 9 + 32);
    for (const ScaleLabel& label : GateScale) plan.Add(In(label.Name, i), Top, e * label.K / 9 + label.B);
  }
  for (int i = 0; i < 8; ++i) plan.Add(In("plMatrixIn", i), Top, (e / 9) * (i + 1) + 29 * i + 17);
  for (int n = 1; n <= 8; ++n) plan.Add(Out("plMatrixOut", n), Top, (e / 9) * n + 30 * (n - 1) + 23);
  for (int i = 0; i < 8; ++i) {
    const int top = (e / 8) * (i + 1) + 28 * i;
    plan.Add(In("imDelayIn", i), Top, top + 2);
    plan.Add(In("lbDelayLineIn", i), Top, top + 2);
    plan.Add(In("lbDelayShowIn", i), Top, top + 8);
  }
  for (int n = 1; n <= 8; ++n) {
    const int top = (e / 8) * n + 28 * (n - 1);
    plan.Add(Out("imDelayOut", n), Top, top + 2);
    plan.Add(Out("lbDelayLineOut", n), Top, top + 2);
    plan.Add(Out("lbDelayShowOut", n), Top, top + 8);
  }

  // The frame, then the preset bar below the pages.
  plan.Add({"imRightUpBase", "imLeftUpBase"}, Height, 256 + e);
  plan.Add({"imRightDownBase", "imLeftDownBase"}, Top, 256 + e);
  plan.Add("rzgPreset", Top, 624 + e);
  return plan.Take();
}

std::vector<LayoutStep> WidthRules(int w) {
  using enum LayoutEdge;
  const int t = w / 3;
  Plan plan;
  plan.Add("rzbMenuLink", Left, 1052 + w);
  plan.Add("rzgFunction", Width, 1115 + w);
  plan.Add("rzgMain", Width, 1112 + w);
  plan.Add(UpperBoxes, Width, 1112 + w);
  for (int i = 0; i < 8; ++i) plan.Add(In("rzgFftIn", i), Width, 1112 + w);
  for (int n = 1; n <= 8; ++n) plan.Add(Out("rzgFftOut", n), Width, 1112 + w);
  // The lower boxes keep their width and stay centred.
  plan.Add(LowerBoxes, Left, 20 + w / 2);
  plan.Add({"fftDrawGainIn", "fftDrawGainOut"}, Width, 530 + w / 2);
  plan.Add("fftDrawGainOut", Left, 550 + w / 2);
  plan.Add("rzgFftShowChIn", Left, 130 + w / 2);
  plan.Add("rzgFftShowChOut", Left, 662 + w);
  plan.Add("lbFftGainOut", Left, 600 + w / 2);
  plan.Add({"plFftDelayIn", "lbFftDelayIn"}, Width, 520 + w / 2);
  plan.Add({"plFftDelayOut", "lbFftDelayOut"}, Width, 1055 + w);
  for (int i = 0; i < 8; ++i) plan.Add(In("lbDelayLineIn", i), Width, 475 + w / 2);
  for (int n = 1; n <= 8; ++n) plan.Add(Out("lbDelayLineOut", n), Width, 1006 + w);
  plan.Add({"ipComp", "ipGate"}, Width, 587 + w);
  plan.Add({"lbCompName", "lbGateName"}, Width, 538 + w);

  // The response plots and the three buttons at their right end.
  std::vector<std::string> strips = {"Eff"};
  for (int i = 0; i < 8; ++i) strips.push_back(In("In", i));
  for (int n = 1; n <= 8; ++n) strips.push_back(Out("Out", n));
  for (const std::string& s : strips) plan.Add("fftDraw" + s, Width, 1070 + w);
  for (const std::string& s : strips) plan.Add("vrbEqBypass" + s, Left, 776 + w);
  for (const std::string& s : strips) plan.Add("vrbEqReset" + s, Left, 857 + w);
  for (const std::string& s : strips) plan.Add("vrbEqShowAll" + s, Left, 934 + w);
  for (int i = 0; i < 8; ++i) plan.Add(In("rzgFftShowChIn", i), Left, 420 + w / 2);
  for (int n = 1; n <= 8; ++n) plan.Add(Out("rzgFftShowChOut", n), Left, 420 + w / 2);
  for (int i = 0; i < 8; ++i) plan.Add(In("plLevelGateIn", i), Left, 659 + w + 53 * i);
  for (int n = 1; n <= 8; ++n) plan.Add(Out("plLevelCompOut", n), Left, 659 + w + 53 * (n - 1));

  // The Matrix page: lines, rows and the cells of each row.
  plan.Add("pbMatrix", Left, 465 + t);
  plan.Add("pbMatrix", Width, 97 + t);
  plan.Add("AuxMixLine1", Left, 434 + t);
  plan.Add("AuxMixLine2", Left, 210 + w / 8);
  plan.Add("AuxMixLine2", Width, 228 + w / 5);
  plan.Add({"AuxMixLine3", "AuxMixLine4"}, Left, 159 + w / 8);
  for (int i = 0; i < 8; ++i) plan.Add(In("plMatrixIn", i), Width, 415 + t);
  plan.Add("plMatrixEff", Width, 415 + t);
  for (int n = 1; n <= 8; ++n) {
    plan.Add(Out("plMatrixOut", n), Left, 561 + w * 2 / 3);
    plan.Add(Out("plMatrixOut", n), Width, 510 + t);
  }
  for (int i = 0; i < 8; ++i) {
    const std::string suffix(1, InputLetters[static_cast<std::size_t>(i)]);
    plan.Add(In("lbMatrixNameIn", i), Width, t / 7 + 70);
    plan.Add(In("lbMatrixNameIn", i), Left, t / 8);
    plan.Add(In("lbMatrixChNameIn", i), Width, t / 7 + 70);
    plan.Add(In("lbMatrixChNameIn", i), Left, t / 8);
    plan.Add(In("spMatrixNameIn", i), Width, t / 7 + 58);
    plan.Add(In("spMatrixNameIn", i), Left, t / 8);
    for (const MatrixCell& c : InputCells)
      AddCell(plan, c.Cell, "In" + suffix, t / 7 + 50, t * c.K / 8 + c.B);
  }
  for (int n = 1; n <= 8; ++n) {
    const std::string suffix = "Out" + std::to_string(n);
    AddCell(plan, "Xover", suffix, t / 8 + 50, 2);
    for (const MatrixCell& c : OutputCells) AddCell(plan, c.Cell, suffix, t / 8 + 50, t * c.K / 9 + c.B);
    plan.Add("lbMatrixName" + suffix, Width, t / 8 + 80);
    plan.Add("lbMatrixName" + suffix, Left, t * 7 / 9 + 418);
    plan.Add("lbMatrixChName" + suffix, Width, t / 8 + 80);
    plan.Add("lbMatrixChName" + suffix, Left, t * 7 / 9 + 419);
    plan.Add("spMatrixName" + suffix, Width, t / 8 + 58);
    plan.Add("spMatrixName" + suffix, Left, t * 7 / 9 + 416);
  }
  plan.Add("lbMatrixChNameEff", Width, t / 7 + 70);
  plan.Add("lbMatrixChNameEff", Left, t / 8);
  for (const MatrixCell& c : EffectCells) AddCell(plan, c.Cell, "Eff", t / 7 + 50, t * c.K / 8 + c.B);

  plan.Add({"imRightUpBase", "imRightDownBase"}, Left, 1077 + w);
  plan.Add({"imLeftUpBase", "imLeftDownBase"}, Width, 1082 + w);
  plan.Add("rzgPreset", Left, 10 + w / 2);
  return plan.Take();
}

bool ApplyLayoutSteps(const TComponent& owner, const std::vector<LayoutStep>& steps) {
  for (const LayoutStep& step : steps) {
    auto* control = dynamic_cast<TControl*>(owner.FindComponent(step.Name));
    if (!control) return false;
    switch (step.Edge) {
      case LayoutEdge::Left:
        control->SetLeft(step.Value);
        break;
      case LayoutEdge::Top:
        control->SetTop(step.Value);
        break;
      case LayoutEdge::Width:
        control->SetWidth(step.Value);
        break;
      case LayoutEdge::Height:
        control->SetHeight(step.Value);
        break;
    }
  }
  return true;
}

int DelayMarkerLeft(int position, int maximum, int lineWidth) {
  if (maximum <= 0) return 40;
  const long long span = static_cast<long long>(position) * (lineWidth - 90);
  return static_cast<int>(span / maximum) + 40;
}

std::string DelayChannelSuffix(int channel) {
  return channel < 8 ? In("In", channel) : Out("Out", channel - 7);
}

TColor BlendColour(TColor from, TColor to, int step, int steps) {
  if (steps <= 0) return from;
  const auto channel = [&](int shift) {
    const int a = static_cast<int>((from >> shift) & 0xFF);
    const int b = static_cast<int>((to >> shift) & 0xFF);
    return a + (b - a) * step / steps;
  };
  return RGB(channel(0), channel(8), channel(16));
}
