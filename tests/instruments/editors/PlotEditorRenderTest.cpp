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
  const std::vector<std::pair<const char*, const char*>> entries = {
      {"Plot", "图表"},
      {"Control", "控制"},
      {"Layout", "布局"},
      {"Channels", "通道"},
      {"Cursors", "光标"},
      {"Limits", "界限"},
      {"Labels", "标签"},
      {"X-Axes", "X轴"},
      {"Y-Axes", "Y轴"},
      {"Legend", "图例"},
      {"Tables", "表格"},
      {"ToolBar", "工具栏"},
      {"Data View", "数据视图"},
      {"General", "常规"},
      {"Title", "标题"},
      {"Background", "背景"},
      {"Print", "打印"},
      {"Hints", "提示"},
      {"File I/O", "文件"},
      {"Annotation Defaults", "注释默认值"},
      {"Update Frame Rate", "刷新帧率"},
      {"Auto Frame Rate", "自动帧率"},
      {"Copy To ClipBoard Format", "复制到剪贴板格式"},
      {"File Column Separator", "文件列分隔符"},
      {"Clip Annotations To Axes", "注释裁剪到坐标轴"},
      {"Border Style", "边框样式"},
      {"None", "无"},
      {"Raised", "凸起"},
      {"Lowered", "凹陷"},
      {"Outer Margin", "外边距"},
      {"Left", "左"},
      {"Top", "上"},
      {"Right", "右"},
      {"Bottom", "下"},
      {"Visible", "可见"},
      {"Text", "文本"},
      {"Margin", "边距"},
      {"Font", "字体"},
      {"Color", "颜色"},
      {"Gradient", "渐变"},
      {"Enabled", "启用"},
      {"Start Color", "起始颜色"},
      {"Stop Color", "结束颜色"},
      {"Direction", "方向"},
      {"Show Dialog", "显示对话框"},
      {"Orientation", "方向"},
      {"Portrait", "纵向"},
      {"Landscape", "横向"},
      {"Document Name", "文档名称"},
      {"Show", "显示"},
      {"Pause", "延迟"},
      {"Hide Pause", "隐藏延迟"},
      {"Reference", "参考"},
      {"Reference Position-X", "参考位置X"},
      {"Reference Position-Y", "参考位置Y"},
      {"Reference Size-X", "参考尺寸X"},
      {"Reference Size-Y", "参考尺寸Y"},
      {"Brush", "画刷"},
      {"Pen", "画笔"},
      {"Style", "样式"},
      {"Width", "宽度"},
      {"Solid", "实心"},
      {"Tab", "制表符"},
      {"Comma", "逗号"},
      {"Add", "添加"},
      {"Remove", "删除"}};
  for (const auto& [from, to] : entries) p.plot->AddTranslation(from, to);
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
