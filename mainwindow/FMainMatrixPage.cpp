// The Matrix page: above, the block diagram (a row of blocks per input, per
// output and for the effect bus, the routing drawing between them and the
// lines of the effect mix); below, the routing buttons, one row per output.
// Every block is a label over a framing shape of the same left and width,
// named after the block and the row; Tags are channel indexes.

#include <string>
#include <vector>

#include "mainwindow/FMainPageKit.h"
#include "mainwindow/FMainPages.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"

using namespace pagekit;

namespace pages {

namespace {

// One block of a row: "Gain" names lbMatrixGainInA and spMatrixGainInA.
struct Block {
  const char* Name;
  const char* Caption;
  int Left;
  int Width;
  bool Shape;  // it has its named shape
};

constexpr int BlockWidth = 50;

// Inputs: name plate, then GAIN .. SEL at a 57-pixel pitch.
const std::vector<Block>& InputBlocks() {
  static const std::vector<Block> blocks{
      {"Gain", "GAIN", 77, BlockWidth, true},    {"Gate", "GATE", 134, BlockWidth, true},
      {"HpLp", "HP/LP", 191, BlockWidth, true},  {"Peq", "PEQ", 248, BlockWidth, true},
      {"Phase", "PHASE", 305, BlockWidth, true}, {"Delay", "SEL", 362, BlockWidth, true}};
  return blocks;
}

// Outputs: XOVER .. MUTE, then the name plate at the right end.
const std::vector<Block>& OutputBlocks() {
  static const std::vector<Block> blocks{
      {"Xover", "XOVER", 2, BlockWidth, true},   {"Peq", "PEQ", 61, BlockWidth, true},
      {"Gain", "GAIN", 121, BlockWidth, true},   {"Comp", "COMP", 180, BlockWidth, true},
      {"Phase", "PHASE", 240, BlockWidth, true}, {"Delay", "DELAY", 298, BlockWidth, true},
      {"Mute", "MUTE", 359, BlockWidth, true}};
  return blocks;
}

// The effect bus: its mute stands in the inputs' GAIN column; the bus
// enters at SEL, in the inputs' HP/LP column.
const std::vector<Block>& EffectBlocks() {
  static const std::vector<Block> blocks{{"Mute", "MUTE", 77, BlockWidth, false},
                                         {"Sel", "SEL", 191, BlockWidth, true},
                                         {"Efx", "EFX", 248, BlockWidth, true},
                                         {"Peq", "PEQ", 305, BlockWidth, true},
                                         {"Comp", "COMP", 362, BlockWidth, true}};
  return blocks;
}

// Rows of the upper box. At 22 the input rows' SEL column ends where the
// effect mix's line down begins, and the effect row's SEL stands under the
// left end of the line along (the lines' places are fixed).
constexpr int InRowLeft = 22;
constexpr int InRowWidth = 415;
constexpr int InRowHeight = 25;
constexpr int OutRowLeft = 561;
constexpr int OutRowWidth = 510;
constexpr int OutRowHeight = 28;
constexpr TRect MatrixBounds = Bounds(465, 26, 97, 240);
constexpr TRect EffectRowBounds = Bounds(InRowLeft, 249, InRowWidth, InRowHeight);
int InRowTop(int i) {
  return 29 * i + 17;
}
int OutRowTop(int n) {
  return 30 * (n - 1) + 23;
}

// The lines of the effect mix: down beside the inputs' SEL column and along
// above the effect row to its SEL (in the box, following the rows as the
// box grows); and, inside the effect row, the entry into its SEL.
struct MixLine {
  const char* Name;
  bool InEffectRow;
  TRect Bounds;
};
// The line along is one pixel deeper than the others, down to the effect
// row's top, where the bus meets the blocks of that row.
const MixLine MixLines[] = {{"AuxMixLine1", false, Bounds(434, 32, 2, 214)},
                            {"AuxMixLine2", false, Bounds(210, 246, 228, 3)},
                            {"AuxMixLine3", true, Bounds(159, 11, 32, 2)},
                            {"AuxMixLine4", true, Bounds(159, 5, 2, 14)}};

// Lower box: a row of nine buttons per output.
constexpr int ButtonRowTop = 10;
constexpr int ButtonRowPitch = 33;
constexpr int ButtonLeft = 70;
constexpr int ButtonPitch = 108;
constexpr int ButtonWidth = 100;

// A block two pixels in from its row's edges; top 0 puts it against the
// row's top.
void CreateBlock(TComponent* owner, TWinControl* row, const Block& block, const std::string& suffix, int tag,
                 int height, TColor accent, int top = 2) {
  const TRect r = Bounds(block.Left, top, block.Width, height - 2 - top);
  MakeShape(owner, row, block.Shape ? "spMatrix" + std::string(block.Name) + suffix : "", r, SectionBack,
            FrameOf(accent), tag);
  TLabel* label = MakeLabel(owner, row, "lbMatrix" + std::string(block.Name) + suffix, block.Caption, r, tag,
                            TextColor, 10, true, taCenter);
  label->SetCursor(crHandPoint);
}

// The name plate of a row: the channel's name, left-aligned over an
// underline in the side's colour (the plate's shape), with the label of the
// plate beneath it.
struct NamePlate {
  int ShapeLeft, ShapeWidth;
  int NameLeft, ChNameLeft, LabelWidth;
  bool Named;  // the plate's shape and label have names (not the effect row's)
};
constexpr NamePlate InPlate{0, 58, 0, 0, 70, true};
constexpr NamePlate OutPlate{416, 58, 418, 419, 80, true};
constexpr NamePlate EffPlate{0, 58, 0, 0, 70, false};

void CreateNamePlate(TComponent* owner, TWinControl* row, const NamePlate& plate, const std::string& suffix,
                     const std::string& caption, int tag, int height, TColor accent) {
  MakeShape(owner, row, plate.Named ? "spMatrixName" + suffix : "",
            Bounds(plate.ShapeLeft, height - 5, plate.ShapeWidth, 2), accent, accent, tag);
  if (plate.Named)
    MakeLabel(owner, row, "lbMatrixName" + suffix, "",
              Bounds(plate.NameLeft, 2, plate.LabelWidth, height - 7), tag, accent, 10, true);
  MakeLabel(owner, row, "lbMatrixChName" + suffix, caption,
            Bounds(plate.ChNameLeft, 2, plate.LabelWidth, height - 7), tag, accent, 12, true)
      ->SetCursor(crHandPoint);
}

void CreateDiagram(TComponent* owner, TWinControl* box) {
  for (int i = 0; i < 8; ++i) {
    const std::string suffix = "In" + InSuffix(i);
    TPanel* row = MakePanel(owner, box, "plMatrix" + suffix,
                            Bounds(InRowLeft, InRowTop(i), InRowWidth, InRowHeight), PageBack, i);
    CreateNamePlate(owner, row, InPlate, suffix, "In" + std::to_string(i + 1), i, InRowHeight, AccentIn);
    for (const Block& block : InputBlocks()) CreateBlock(owner, row, block, suffix, i, InRowHeight, AccentIn);
    // SEL lights when the input feeds the effect bus.
    if (auto* sel = dynamic_cast<TLabel*>(owner->FindComponent("lbMatrixDelay" + suffix)))
      sel->GetFont()->SetColor(clWhite);
  }
  TPanel* effect = MakePanel(owner, box, "plMatrixEff", EffectRowBounds, PageBack, 18);
  CreateNamePlate(owner, effect, EffPlate, "Eff", "Aux", 18, InRowHeight, AccentEff);
  // The effect mix comes down onto the top of the bus's blocks.
  for (const Block& block : EffectBlocks())
    CreateBlock(owner, effect, block, "Eff", 18, InRowHeight, AccentEff, 0);

  auto* matrix = new TPaintBox(owner);
  matrix->SetName("pbMatrix");
  matrix->SetParent(box);
  matrix->SetBounds(MatrixBounds.Left, MatrixBounds.Top, MatrixBounds.Width(), MatrixBounds.Height());

  for (int n = 1; n <= 8; ++n) {
    const std::string suffix = "Out" + std::to_string(n);
    const int tag = 7 + n;
    TPanel* row = MakePanel(owner, box, "plMatrix" + suffix,
                            Bounds(OutRowLeft, OutRowTop(n), OutRowWidth, OutRowHeight), PageBack, tag);
    for (const Block& block : OutputBlocks())
      CreateBlock(owner, row, block, suffix, tag, OutRowHeight, AccentOut);
    CreateNamePlate(owner, row, OutPlate, suffix, "Out" + std::to_string(n), tag, OutRowHeight, AccentOut);
  }
  for (const MixLine& line : MixLines)
    MakeShape(owner, line.InEffectRow ? effect : box, line.Name, line.Bounds, AccentEff, AccentEff);
}

void CreateRouting(TComponent* owner, TWinControl* box) {
  for (int n = 1; n <= 8; ++n) {
    const std::string suffix = "Out" + std::to_string(n);
    TPanel* row = MakePanel(owner, box, "", Bounds(8, ButtonRowTop + (n - 1) * ButtonRowPitch, 1056, 30),
                            SectionBack, 7 + n);
    MakeLabel(owner, row, "", "Out" + std::to_string(n), Bounds(10, 0, 56, 30), 7 + n, AccentOut, 12, true);
    // Nine toggles, each its own group (all may be down, or none).
    for (int t = 0; t <= 8; ++t) {
      const bool effect = t == 8;
      const std::string name = "rzb" + (effect ? std::string("Eff") : InSuffix(t)) + "Matrix" + suffix;
      const std::string caption = effect ? "Aux" : "In" + std::to_string(t + 1);
      MakeButton(owner, row, name, caption, Bounds(ButtonLeft + t * ButtonPitch, 3, ButtonWidth, 24), t,
                 t + 1, true, effect ? AccentEff : AccentIn);
    }
  }
}

}  // namespace

void CreateMatrixPage(TComponent* owner, TWinControl* mainBox) {
  TRzGroupBox* upper = MakePageBox(owner, mainBox, "rzgFftMatrix", UpperBoxBounds);
  upper->SetVisible(false);
  CreateDiagram(owner, upper);
  TRzGroupBox* lower = MakePageBox(owner, mainBox, "rzgParamMatrix", LowerBoxBounds);
  lower->SetVisible(false);
  CreateRouting(owner, lower);
}

}  // namespace pages
