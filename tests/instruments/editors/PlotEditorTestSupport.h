#pragma once
// The plot editor's tests: an XY plot with objects of every kind whose
// editor opens stay-on-top (so the test goes on while it is up), and the
// user's gestures on the form's controls by name.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotComponent.h"
#include "instruments/plot/iXYPlot.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

namespace editors_test {

// Toolbar, legend, X and Y axis, two channels, data view, data cursor,
// two limits, two labels (the first the title) and a table.
struct EditorPlot {
  TiXYPlot* plot;
  EditorPlot() {
    classlib_test::App();
    plot = new TiXYPlot(nullptr);
    plot->AddChannel();
    plot->AddLimit();
    plot->AddLimit();
    plot->AddLabel();
    plot->AddTable();
    plot->SetEditorFormStyle(ipfsStayOnTop);
  }
  ~EditorPlot() { delete plot; }
  EditorPlot(const EditorPlot&) = delete;
  EditorPlot& operator=(const EditorPlot&) = delete;

  // Opens the editor (stay-on-top: returns at once) and gives the form.
  TiPlotEditorForm* Open() {
    plot->EditProperties();
    return plot->GetMaster()->GetEditorForm();
  }
};

template <class C>
C* Named(TiPlotEditorForm* Form, const std::string& Name) {
  C* c = Form->Find<C>(Name);
  EXPECT_NE(c, nullptr) << Name;
  return c;
}

// The user types Text into an edit and presses Enter.
inline void TypeInto(TiPlotEditorForm* Form, const std::string& Edit, const std::string& Text) {
  if (auto* e = Named<TiComponentEditorEdit>(Form, Edit)) e->SetStringWithEvent(Text);
}

inline void ClickButton(TiPlotEditorForm* Form, const std::string& Button) {
  if (auto* b = Named<TButton>(Form, Button)) b->Click();
}

// The user picks an entry of a list.
inline void PickEntry(TiPlotEditorForm* Form, const std::string& List, int Index) {
  if (auto* l = Named<TiComponentEditorListBox>(Form, List)) {
    l->SetItemIndex(Index);
    if (l->OnClick) l->OnClick(l);
  }
}

inline std::vector<std::string> Entries(TStrings* Items) {
  std::vector<std::string> out;
  for (int i = 0; i < Items->GetCount(); ++i) out.push_back(Items->GetStrings(i));
  return out;
}

// One Chinese translation table for the editor's captions: with it the
// captions change length, so the rows are laid out anew.
inline const std::vector<std::pair<const char*, const char*>>& ChineseCaptions() {
  static const std::vector<std::pair<const char*, const char*>> table = {
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
      {"Remove", "删除"},
      {"Columns", "列"},
      {"Wrap", "换行"},
      {"Grid", "网格"},
      {"Grid Lines", "网格线"},
      {"Hint", "提示"},
      {"Channel", "通道"},
      {"Name", "名称"},
      {"Popup Enabled", "允许弹出菜单"},
      {"Transparent", "透明"},
      {"Load", "载入"},
      {"Save", "保存"},
      {"Properties", "属性"},
      {"Data", "数据"},
      {"Annotations", "注释"},
      {"Log", "日志"},
      {"File Name", "文件名"},
      {"Buffer Size", "缓冲区大小"},
      {"Activate", "启动"},
      {"Deactivate", "停止"},
      {"Caption", "标题文字"},
      {"Alignment", "对齐"},
      {"Image List Index", "图像列表序号"},
      {"Image Index", "图像序号"},
      {"Layer", "图层"},
      {"Column Spacing", "列间距"},
      {"Row Spacing", "行间距"},
      {"Rows Max", "最大行数"},
      {"Start Percent", "起始百分比"},
      {"Stop Percent", "结束百分比"},
      {"Column Titles", "列标题"},
      {"Lines", "线"},
      {"Show Button", "显示按钮"},
      {"Zoom In/Out Factor", "缩放系数"},
      {"Line Style", "线型"},
      {"Line Width", "线宽"},
      {"Fill Style", "填充样式"},
      {"Snap To Data Point", "吸附数据点"},
      {"Use Channel Color", "使用通道颜色"},
      {"Pointer 1 Position", "指针1位置"},
      {"Pointer 2 Position", "指针2位置"},
      {"Pointer Pen Width", "指针线宽"},
      {"Custom", "自定义"},
      {"Custom Properties", "自定义属性"},
      {"Major Style", "主刻度样式"},
      {"Minor Style", "次刻度样式"},
      {"Axes Control", "坐标轴控制"},
      {"Mouse Style", "鼠标方式"},
      {"Wheel Style", "滚轮方式"},
      {"Allow In Select Mode", "选择模式下允许"},
      {"Desired Count", "期望数量"},
      {"Auto Count", "自动数量"},
      {"Spacing", "间距"},
      {"Auto", "自动"},
      {"Max", "最大"},
      {"Min", "最小"},
      {"Channel Name", "通道名称"},
      {"Max Width", "最大宽度"},
      {"Color Style", "颜色方式"},
      {"Line Column", "线列"},
      {"Selected Item", "选中项"},
      {"<All>", "<全部>"},
      {"<None>", "<无>"},
      {"Trace", "轨迹"},
      {"Marker", "标记"},
      {"Bar", "柱"},
      {"High/Low", "高/低"},
      {"Fill", "填充"},
      {"Digital", "数字"},
      {"Stats", "统计"},
      {"X-Axis", "X轴"},
      {"Y-Axis", "Y轴"},
      {"Ring Buffer Size", "环形缓冲区大小"},
      {"Data Style", "数据样式"},
      {"Move Style", "移动方式"},
      {"Visible in Legend", "图例中可见"},
      {"X-Axis Tracking Enabled", "X轴跟踪"},
      {"Y-Axis Tracking Enabled", "Y轴跟踪"},
      {"User Can Move Data Points", "用户可移动数据点"},
      {"Fast Draw", "快速绘制"},
      {"Clip To Axes", "裁剪到坐标轴"},
      {"Interpolation", "插值"},
      {"Size", "大小"},
      {"Turn Off Limit", "关闭上限"},
      {"Height", "高度"},
      {"Open", "开盘"},
      {"Close", "收盘"},
      {"Shadow Color", "影线颜色"},
      {"Bullish Color", "阳线颜色"},
      {"Bearish Color", "阴线颜色"},
      {"Reference High", "高参考值"},
      {"Reference Low", "低参考值"},
      {"Reference Style", "参考方式"},
      {"Point Count", "点数"},
      {"Point Capacity", "点容量"},
      {"Memory Used", "已用内存"},
      {"Data Point Size", "数据点大小"},
      {"Max Data Points", "最大数据点数"},
      {"Refresh", "刷新"},
      {"Click Refresh", "点击刷新"},
      {" Bytes", " 字节"},
      {"Span", "跨度"},
      {"Desired Start", "期望起点"},
      {"Desired Increment", "期望增量"},
      {"Grid Lines Visible", "网格线可见"},
      {"Reverse Scale", "反向刻度"},
      {"Restore Values On Resume", "恢复时还原数值"},
      {"Master UI Input", "主界面输入"},
      {"Scale Type", "刻度类型"},
      {"Linear", "线性"},
      {"Log10", "对数"},
      {"Rotated", "旋转"},
      {"(Default)", "(默认)"},
      {"Cursor", "光标"},
      {"Format Style", "格式"},
      {"Rotation", "旋转角度"},
      {"Date/Time Format", "日期/时间格式"},
      {"Precision Style", "精度方式"},
      {"Precision", "精度"},
      {"Min Length", "最小长度"},
      {"Min Length Auto Adjust", "最小长度自动调整"},
      {"Separation", "间距"},
      {"Use Default Format", "使用默认格式"},
      {"Copy Default", "复制默认"},
      {"Tracking", "跟踪"},
      {"Increment Style", "增量方式"},
      {"Align First Style", "首点对齐"},
      {"Scroll Compress Max", "滚动压缩上限"},
      {"Span Minimum", "最小跨度"},
      {"Max Margin", "上边距"},
      {"Min Margin", "下边距"},
      {"Scaler", "比例"},
      {"Scroll", "滚动"},
      {"Min/Max Enabled", "启用最小/最大"},
      {"Scale", "刻度"},
      {"Lines Show", "显示刻度线"},
      {"Lines Color", "刻度线颜色"},
      {"Major Length", "主刻度长度"},
      {"Minor Length", "次刻度长度"},
      {"Minor Count", "次刻度数"},
      {"Inner Margin", "内边距"},
      {"Stacking Ends Margin", "堆叠端边距"},
      {"Force Stacking", "强制堆叠"},
      {"Align Ref Axis", "对齐参考轴"},
      {"Cartesian", "笛卡尔"},
      {"Child Ref Axis", "子参考轴"},
      {"Child Ref Value", "子参考值"},
  };
  return table;
}

inline void AddChineseCaptions(TiPlotComponent* Plot) {
  for (const auto& [from, to] : ChineseCaptions()) Plot->AddTranslation(from, to);
}

}  // namespace editors_test
