// Renders every strip page to a PNG for a look by eye, when
// TAVO_RENDER_DIR names a folder; otherwise skipped.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/ui/StripPagesSupport.h"

namespace {

using namespace strip_test;

struct Page {
  const char* file;
  const char* upper;
  const char* lower;
  const char* front;  // a panel of the lower box to bring up, if any
  const char* key;    // the key hint shown once a band is selected, if any
};

TEST(StripPagesRender, EveryPageToPng) {
  const char* dir = std::getenv("TAVO_RENDER_DIR");
  if (!dir) GTEST_SKIP() << "set TAVO_RENDER_DIR to render the pages";
  const Page pages[] = {
      {"gain-in", "rzgFftGain", "rzgParamGain", "rzpGainIn", nullptr},
      {"gain-out", "rzgFftGain", "rzgParamGain", "rzpGainOut", nullptr},
      {"in-a", "rzgFftInA", "rzgParamInA", "rzpPeqInA", "lbFftParamInA"},
      {"in-h", "rzgFftInH", "rzgParamInA", "rzpPeqInH", nullptr},
      {"out-1", "rzgFftOut1", "rzgParamOut1", "rzpPeqOut1", "lbFftParamOut1"},
      {"out-8", "rzgFftOut8", "rzgParamOut1", "rzpPeqOut8", nullptr},
      {"eff", "rzgFftEff", "rzgParamEff", nullptr, "lbFftParamEff"},
  };
  TfmMain* main = MainWindow();
  // The order and visibility of what the look changes come back afterwards.
  TWinControl* container = main->GetMainBox();
  std::vector<std::pair<TControl*, bool>> saved;
  for (TWinControl* parent : {container, Control("rzpPeqInA")->GetParent(),
                              Control("rzpPeqOut1")->GetParent(), Control("rzpGainIn")->GetParent()})
    for (int i = 0; i < parent->GetControlCount(); ++i)
      saved.emplace_back(parent->GetControls(i), parent->GetControls(i)->GetVisible());
  auto restore = [&saved] {
    for (const auto& [control, visible] : saved) {
      control->BringToFront();
      control->SetVisible(visible);
    }
  };
  if (main->GetWidth() < 1126) main->SetBounds(0, 0, 1126, 725);
  for (const auto& [language, tag] : {std::pair{LanguageEnglish, "en"}, std::pair{LanguageChineseGB, "zh"}}) {
    SwitchLanguage(language);
    // The whole window as it starts, then each page alone.
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
    const std::string window = std::string(dir) + "/window-" + tag + ".png";
    EXPECT_TRUE(Shot(main).save(QString::fromStdString(window))) << window;
    for (const Page& p : pages) {
      ShowOnly({p.lower, p.upper});
      if (p.front) Control(p.front)->BringToFront();
      if (p.key) Control(p.key)->SetVisible(true);
      for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
      const std::string path = std::string(dir) + "/" + p.file + "-" + tag + ".png";
      EXPECT_TRUE(Shot(main->GetMainBox()).save(QString::fromStdString(path))) << path;
      if (p.key) Control(p.key)->SetVisible(false);
    }
    restore();
  }
  SwitchLanguage(LanguageEnglish);
}

}  // namespace
