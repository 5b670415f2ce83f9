// The Matrix page: routing keys, effect-route exclusion, the routing drawing
// and the block diagram's jumps to the pages where each block is edited.
//
// Effect-route exclusion: an input that feeds the effect bus is never also
// routed straight to an output that takes the effect bus, so its key on such
// an output is released and disabled, and an output that takes such an
// input directly cannot take the bus.

#include <array>
#include <cstdint>
#include <string>

#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

namespace {

constexpr int EffectBus = 18;
constexpr int EffectSource = 8;  // the effect bus's bit in an output's mask
constexpr std::uint16_t EffectBit = 1u << EffectSource;
constexpr int FirstOutput = 8;
constexpr int OutputCount = 8;
constexpr int InputCount = 8;

// Pen of each source (inputs A..H, then the effect bus).
constexpr std::array<TColor, 9> MatrixPens = {clMaroon, clGreen,           clOlive, clNavy,  clPurple,
                                              clTeal,   RGB(58, 110, 165), clGray,  clSilver};
int MatrixSourceY(int i) {
  return 3 + 29 * i;
}
int MatrixOutputY(int j) {
  return 12 + 30 * j;
}

std::string Letter(int input) {
  return std::string(1, static_cast<char>('A' + input));
}

// The routing key of a source (0..7 inputs, 8 the bus) on output j (0..7).
std::string RouteKeyName(int source, int j) {
  return "rzb" + (source == EffectSource ? std::string("Eff") : Letter(source)) + "MatrixOut" +
         std::to_string(j + 1);
}

bool Has(std::uint16_t mask, int bit) {
  return ((mask >> bit) & 1u) != 0;
}

// The clickable labels of the block diagram by block, with the handler of
// the jump each makes (the name labels open the name dialog, which the
// names code binds: no handler here).
using LabelHandler = void (TfmMain::*)(TObject*);
struct JumpBlock {
  const char* Block;
  LabelHandler Handler;
};
const JumpBlock InputJumps[] = {{"Gain", &TfmMain::lbMatrixHpLpInAClick},
                                {"Gate", &TfmMain::lbMatrixGateInAClick},
                                {"HpLp", &TfmMain::lbMatrixHpLpInAClick},
                                {"Peq", &TfmMain::lbMatrixHpLpInAClick},
                                {"Phase", &TfmMain::lbMatrixHpLpInAClick},
                                {"Delay", &TfmMain::lbMatrixDelayInAClick},
                                {"ChName", nullptr}};
const JumpBlock OutputJumps[] = {
    {"Xover", &TfmMain::lbMatrixHpLpInAClick}, {"Peq", &TfmMain::lbMatrixHpLpInAClick},
    {"Gain", &TfmMain::lbMatrixHpLpInAClick},  {"Comp", &TfmMain::lbMatrixCompOut1Click},
    {"Phase", &TfmMain::lbMatrixHpLpInAClick}, {"Delay", &TfmMain::lbMatrixDelayInAClick},
    {"Mute", &TfmMain::lbMatrixHpLpInAClick},  {"ChName", nullptr}};
const JumpBlock EffectJumps[] = {{"Mute", &TfmMain::lbMatrixCompEffClick},
                                 {"Efx", &TfmMain::lbMatrixCompEffClick},
                                 {"Peq", &TfmMain::lbMatrixCompEffClick},
                                 {"Comp", &TfmMain::lbMatrixCompEffClick},
                                 {"Sel", &TfmMain::lbMatrixCompEffClick}};

}  // namespace

// ---------------------------------------------------------------- routing keys

void TfmMain::rzbAMatrixOut1Click(TObject* Sender) {
  auto* key = dynamic_cast<TRzBmpButton*>(Sender);
  if (!key || !UnitControl) return;
  // The output from the key's name: rzb<source>MatrixOut<n>.
  const std::string& name = key->GetName();
  const std::size_t at = name.rfind("MatrixOut");
  if (at == std::string::npos || at + 10 != name.size()) return;
  const int j = name.back() - '1';
  const int t = key->GetTag();
  if (j < 0 || j >= OutputCount || t < 0 || t > EffectSource) return;
  const int output = FirstOutput + j;

  std::uint16_t mask = UnitControl->GetMatrix(output);
  const std::uint16_t fx = UnitControl->GetMatrix(EffectBus) & 0xFF;
  auto* effectKey = FindAs<TRzBmpButton>(RouteKeyName(EffectSource, j));
  if (key->GetDown()) {
    mask |= static_cast<std::uint16_t>(1u << t);
    if (t == EffectSource) {
      for (int i = 0; i < InputCount; ++i) {
        if (!Has(fx, i)) continue;
        if (auto* input = FindAs<TRzBmpButton>(RouteKeyName(i, j))) {
          input->SetDown(false);
          input->SetEnabled(false);
        }
        mask &= static_cast<std::uint16_t>(~(1u << i));
      }
    } else if (Has(fx, t) && effectKey) {
      effectKey->SetEnabled(false);
    }
  } else {
    mask &= static_cast<std::uint16_t>(~(1u << t));
    if (t == EffectSource) {
      for (int i = 0; i < InputCount; ++i)
        if (Has(fx, i))
          if (auto* input = FindAs<TRzBmpButton>(RouteKeyName(i, j))) input->SetEnabled(true);
    } else if ((mask & fx) == 0 && effectKey) {
      effectKey->SetEnabled(true);
    }
  }
  UnitControl->SetMatrix(output, mask);
  DrawMatrix();
}

void TfmMain::rzbAMatrixEffClick(TObject* Sender) {
  auto* key = dynamic_cast<TRzBmpButton*>(Sender);
  if (!key || !UnitControl) return;
  const int x = key->GetTag();
  if (x < 0 || x >= InputCount) return;
  std::uint16_t fx = UnitControl->GetMatrix(EffectBus) & 0xFF;
  const bool down = key->GetDown();
  if (down)
    fx |= static_cast<std::uint16_t>(1u << x);
  else
    fx &= static_cast<std::uint16_t>(~(1u << x));
  if (auto* sel = FindAs<TLabel>("lbMatrixDelayIn" + Letter(x)))
    sel->GetFont()->SetColor(down ? clLime : clWhite);

  for (int j = 0; j < OutputCount; ++j) {
    const int output = FirstOutput + j;
    std::uint16_t m = UnitControl->GetMatrix(output);
    auto* inputKey = FindAs<TRzBmpButton>(RouteKeyName(x, j));
    auto* effectKey = FindAs<TRzBmpButton>(RouteKeyName(EffectSource, j));
    if (down) {
      const bool direct = Has(m, x);
      const bool bus = Has(m, EffectSource);
      if (direct && bus) {
        if (inputKey) {
          inputKey->SetDown(false);
          inputKey->SetEnabled(false);
        }
        m &= static_cast<std::uint16_t>(~(1u << x));
        UnitControl->SetMatrix(output, m);
      } else if (direct) {
        if (effectKey) effectKey->SetEnabled(false);
      } else if (bus) {
        if (inputKey) inputKey->SetEnabled(false);
      }
    } else {
      if (inputKey) inputKey->SetEnabled(true);
      if ((m & fx) == 0 && effectKey) effectKey->SetEnabled(true);
    }
  }
  UnitControl->SetMatrix(EffectBus, fx);
  // A route removed above must not linger in the drawing.
  DrawMatrix();
}

void TfmMain::UpdateMatrixEnables() {
  if (!UnitControl) return;
  const std::uint16_t fx = UnitControl->GetMatrix(EffectBus) & 0xFF;
  for (int j = 0; j < OutputCount; ++j) {
    const std::uint16_t m = UnitControl->GetMatrix(FirstOutput + j);
    auto* effectKey = FindAs<TRzBmpButton>(RouteKeyName(EffectSource, j));
    for (int source = 0; source <= EffectSource; ++source)
      if (auto* key = FindAs<TRzBmpButton>(RouteKeyName(source, j))) key->SetEnabled(true);
    if (Has(m, EffectSource)) {
      for (int i = 0; i < InputCount; ++i)
        if (Has(fx, i))
          if (auto* input = FindAs<TRzBmpButton>(RouteKeyName(i, j))) {
            input->SetDown(false);
            input->SetEnabled(false);
          }
    } else if ((m & fx) != 0 && effectKey) {
      effectKey->SetEnabled(false);
    }
  }
}

// ---------------------------------------------------------------- drawing

// Outside pbMatrix's paint this repaints the box, whose paint clears it and
// comes back here: the lines always match the model and none lingers.
void TfmMain::DrawMatrix() {
  auto* box = FindAs<TPaintBox>("pbMatrix");
  if (!box) return;
  if (!MatrixPainting) {
    box->Repaint();
    return;
  }
  if (!UnitControl) return;
  TCanvas* canvas = box->GetCanvas();
  canvas->GetPen()->SetWidth(2);
  const int width = box->GetWidth();
  for (int i = 0; i <= EffectSource; ++i) {
    canvas->GetPen()->SetColor(MatrixPens[static_cast<std::size_t>(i)]);
    for (int j = 0; j < OutputCount; ++j) {
      if (!Has(UnitControl->GetMatrix(FirstOutput + j), i)) continue;
      canvas->MoveTo(0, MatrixSourceY(i) + i * (ExtraHeight / 9));
      canvas->LineTo(width, MatrixOutputY(j) + j * (ExtraHeight / 8));
    }
  }
}

// ---------------------------------------------------------------- block diagram

namespace {

// Clicks a page key as the user would, leaves it down and releases the
// Matrix page's key. The label under the pointer goes away with its page,
// so the hand it showed goes too.
void ClickPageKey(TComponent* form, const std::string& name) {
  auto* key = dynamic_cast<TRzBmpButton*>(form->FindComponent(name));
  if (!key) return;
  if (Screen) Screen->SetCursor(crDefault);
  key->Click();
  key->SetDown(true);
  if (auto* matrix = dynamic_cast<TRzBmpButton*>(form->FindComponent("rzbMenuMatrix")))
    matrix->SetDown(false);
}

}  // namespace

void TfmMain::lbMatrixHpLpInAClick(TObject* Sender) {
  auto* label = dynamic_cast<TComponent*>(Sender);
  if (!label) return;
  const int strip = label->GetTag();
  if (strip >= 0 && strip < InputCount)
    ClickPageKey(this, "rzbMenuIn" + Letter(strip));
  else if (strip >= FirstOutput && strip < FirstOutput + OutputCount)
    ClickPageKey(this, "rzbMenuOut" + std::to_string(strip - FirstOutput + 1));
}

void TfmMain::lbMatrixGateInAClick(TObject* /*Sender*/) {
  ClickPageKey(this, "rzbMenuGate");
}

void TfmMain::lbMatrixCompOut1Click(TObject* /*Sender*/) {
  ClickPageKey(this, "rzbMenuComp");
}

void TfmMain::lbMatrixCompEffClick(TObject* /*Sender*/) {
  ClickPageKey(this, "rzbMenuEff");
}

// DELAY of an output shows the outputs' delays; SEL of an input passes the
// Delay page on the way to the Eff page, where the bus's inputs are chosen.
void TfmMain::lbMatrixDelayInAClick(TObject* Sender) {
  ClickPageKey(this, "rzbMenuDelay");
  if (auto* outputs = FindAs<TControl>("rzpDelayOut")) outputs->BringToFront();
  auto* label = dynamic_cast<TComponent*>(Sender);
  if (label && label->GetTag() >= 0 && label->GetTag() < InputCount) ClickPageKey(this, "rzbMenuEff");
}

void TfmMain::lbMatrixChNameInAMouseMove(TObject* /*Sender*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
  if (Screen) Screen->SetCursor(crHandPoint);
}

void TfmMain::lbMatrixChNameInAMouseLeave(TObject* /*Sender*/) {
  if (Screen) Screen->SetCursor(crDefault);
}

void TfmMain::BlockDiagramClick(TObject* /*Sender*/) {}

// ---------------------------------------------------------------- binding

void TfmMain::BindMatrixEffectHandlers() {
  for (int j = 0; j < OutputCount; ++j)
    for (int source = 0; source <= EffectSource; ++source)
      if (auto* key = FindAs<TRzBmpButton>(RouteKeyName(source, j)))
        key->OnClick = [this](TObject* s) { rzbAMatrixOut1Click(s); };
  for (int i = 0; i < InputCount; ++i)
    if (auto* key = FindAs<TRzBmpButton>("rzb" + Letter(i) + "MatrixEff"))
      key->OnClick = [this](TObject* s) { rzbAMatrixEffClick(s); };

  if (auto* box = FindAs<TPaintBox>("pbMatrix"))
    box->OnPaint = [this](TObject*) {
      MatrixPainting = true;
      struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
      } clear{MatrixPainting};
      DrawMatrix();
    };

  auto bind = [this](const std::string& name, LabelHandler handler) {
    auto* label = FindAs<TLabel>(name);
    if (!label) return;
    label->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
      lbMatrixChNameInAMouseMove(s, sh, x, y);
    };
    label->OnMouseLeave = [this](TObject* s) { lbMatrixChNameInAMouseLeave(s); };
    if (handler) label->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
  };
  for (int i = 0; i < InputCount; ++i)
    for (const JumpBlock& block : InputJumps)
      bind("lbMatrix" + std::string(block.Block) + "In" + Letter(i), block.Handler);
  for (int j = 0; j < OutputCount; ++j)
    for (const JumpBlock& block : OutputJumps)
      bind("lbMatrix" + std::string(block.Block) + "Out" + std::to_string(j + 1), block.Handler);
  for (const JumpBlock& block : EffectJumps)
    bind("lbMatrix" + std::string(block.Block) + "Eff", block.Handler);
  // The bus's name opens nothing.
  if (auto* name = FindAs<TLabel>("lbMatrixChNameEff")) name->SetCursor(crDefault);

  if (auto* item = dynamic_cast<TMenuItem*>(FindComponent("BlockDiagram")))
    item->OnClick = [this](TObject* s) { BlockDiagramClick(s); };

  BindEffectBusHandlers();
}
