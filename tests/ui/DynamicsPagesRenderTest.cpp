// Renders the Delay, Comp and Gate pages after edits of a distinctive
// parameter set to PNGs for a look by eye, when TAVO_RENDER_DIR names a
// folder; otherwise skipped.

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/RzControls.h"
#include "tests/ui/ProgramFormsTestSupport.h"

namespace {

using program_forms_test::ProgramFormsSuite;

class DynamicsPagesRender : public ProgramFormsSuite {};

void Move(const std::string& fader, int position) {
  if (auto* f = dynamic_cast<TAdvTrackBar*>(fmMain->FindComponent(fader))) f->SetPosition(position);
}

void Click(const char* name) {
  if (auto* b = dynamic_cast<TRzBmpButton*>(fmMain->FindComponent(name))) {
    b->SetDown(true);
    b->Click();
  }
}

void Save(const std::string& page, const std::string& path) {
  TWinControl* mainBox = fmMain->GetMainBox();
  std::vector<std::pair<TControl*, bool>> was;
  for (int i = 0; i < mainBox->GetControlCount(); ++i) {
    TControl* c = mainBox->GetControls(i);
    was.emplace_back(c, c->GetVisible());
    c->SetVisible(c->GetName() == "rzgFft" + page || c->GetName() == "rzgParam" + page);
  }
  classlib_test::DrainEvents();
  EXPECT_TRUE(mainBox->GetWidget()->grab().toImage().save(QString::fromStdString(path))) << path;
  for (auto& [c, visible] : was) c->SetVisible(visible);
}

TEST_F(DynamicsPagesRender, DelayCompGatePagesToPng) {
  const char* dir = std::getenv("TAVO_RENDER_DIR");
  if (!dir) GTEST_SKIP() << "set TAVO_RENDER_DIR to render the pages";
  const std::string folder(dir);
  const char* in = "ABCDEFGH";
  for (int i = 0; i < 8; ++i) {
    Move(std::string("isDelayIn") + in[i], i * 4000 + 480);
    Move("isDelayOut" + std::to_string(i + 1), 32640 - i * 4100);
    Move("isCompThresholdOut" + std::to_string(i + 1), 30 - i * 25);
    Move("isCompRatioOut" + std::to_string(i + 1), i * 2 + 1);
    Move("isCompAttackOut" + std::to_string(i + 1), i * 120);
    Move("isCompReleaseOut" + std::to_string(i + 1), 2999 - i * 400);
    Move(std::string("isGateThresholdIn") + in[i], -170 + i * 25);
    Move(std::string("isGateAttackIn") + in[i], 998 - i * 130);
    Move(std::string("isGateReleaseIn") + in[i], i * 400);
  }
  fmMain->SelectCompStrip(10);
  fmMain->SelectGateStrip(5);
  Click("rzbDelaySelIn");
  Save("Delay", folder + "/delay-in-ms.png");
  Click("rzbUnit2");
  Click("rzbDelaySelOut");
  Save("Delay", folder + "/delay-out-ft.png");
  Click("rzbUnit0");
  Click("rzbDelaySelIn");
  Save("Comp", folder + "/comp.png");
  Save("Gate", folder + "/gate.png");
}

}  // namespace
