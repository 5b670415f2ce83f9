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

// The layout page, and the pages whose rows come nearest the sheet's edges.
void RenderLayoutPage(TiPlotEditorForm* form, const std::string& lang) {
  for (const char* page : {"LayoutTabSheet", "LimitsTabSheet", "LegendWrapTabSheet", "ChannelGeneralTabSheet",
                           "ChannelMarkerTabSheet", "ChannelHighLowOpenCloseTabSheet"}) {
    // Every sheet on the way from the form down to the page is shown.
    ASSERT_NE(form->Find<TTabSheet>(page), nullptr) << page;
    for (TWinControl* w = form->Find<TTabSheet>(page); w && w != form; w = w->GetParent())
      if (auto* sheet = dynamic_cast<TTabSheet*>(w)) sheet->GetPageControl()->SetActivePage(sheet);
    classlib_test::DrainEvents();
    EXPECT_TRUE(SaveControlImage(form, PngPath(std::string(page) + "-" + lang)));
  }
}

// Every control lies wholly inside its parent.
void ExpectNothingClipped(TiPlotEditorForm* form) {
  for (int i = 0; i < form->GetComponentCount(); ++i) {
    auto* c = dynamic_cast<TControl*>(form->GetComponents(i));
    TWinControl* parent = c ? c->GetParent() : nullptr;
    if (!parent || parent == form) continue;
    EXPECT_TRUE(c->GetLeft() >= 0 && c->GetTop() >= 0 &&
                c->GetLeft() + c->GetWidth() <= parent->GetClientWidth() &&
                c->GetTop() + c->GetHeight() <= parent->GetClientHeight())
        << c->GetName() << " in " << parent->GetName();
  }
}

TEST(PlotEditorRender, ControlSubPagesAndLayoutInEnglish) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  ExpectNothingClipped(form);
  RenderControlPages(form, "en");
  RenderLayoutPage(form, "en");
}

// Through a translation table the captions change length: the rows are
// laid out anew and nothing may be cut.
TEST(PlotEditorRender, ControlSubPagesAndLayoutInChinese) {
  EditorPlot p;
  AddChineseCaptions(p.plot);
  TiPlotEditorForm* form = p.Open();
  EXPECT_EQ(form->GetCaption(), "图表");
  EXPECT_EQ(Named<TiComponentEditorCheckBox>(form, "AutoFrameRateCheckBox")->GetCaption(), "自动帧率");
  // Every labelled control starts right of its label.
  for (const auto& [name, labelName] : std::vector<std::pair<const char*, const char*>>{
           {"UpdateFrameRateEdit", "UpdateFrameRateLabel"},
           {"CopyToClipBoardFormatComboBox", "CopyToClipBoardFormatLabel"},
           {"AnnotationDefaultReferencePositionXComboBox", "AnnotationDefaultReferencePositionXLabel"}}) {
    auto* control = Named<TControl>(form, name);
    auto* label = Named<TLabel>(form, labelName);
    ASSERT_TRUE(control && label);
    EXPECT_GE(control->GetLeft(), label->GetLeft() + label->TextSize().cx) << name;
  }
  ExpectNothingClipped(form);
  RenderControlPages(form, "zh");
  RenderLayoutPage(form, "zh");
}

}  // namespace
