// The plot editor rendered offscreen, in English and through a Chinese
// translation table: the "Control" sub-pages and the layout page.

#include <filesystem>

#include "platform/classlib/ControlImage.h"
#include "tests/instruments/editors/PlotEditorTestSupport.h"

using namespace editors_test;

namespace {

std::string PngPath(const std::string& name) {
  return (std::filesystem::path(::testing::TempDir()) / ("plot-editor-" + name + ".png")).string();
}

void RenderControlPages(TiPlotEditorForm* form, const std::string& lang) {
  form->PageControl->SetActivePageIndex(0);
  auto* pc = Named<TPageControl>(form, "ControlPageControl");
  for (int i = 0; i < pc->GetPageCount(); ++i) {
    pc->SetActivePageIndex(i);
    classlib_test::DrainEvents();
    EXPECT_TRUE(SaveControlImage(form, PngPath("control-" + std::to_string(i) + "-" + lang)));
  }
}

TEST(PlotEditorRender, ControlSubPagesInEnglish) {
  EditorPlot p;
  RenderControlPages(p.Open(), "en");
}

}  // namespace
