// The kit's forms rendered offscreen, in English and through a Chinese
// translation table, and probes of the tick, the radio dot and the arrows.

#include <filesystem>

#include "instruments/editors/iEditorPickers.h"
#include "instruments/editors/iEditorTranslate.h"
#include "instruments/editors/iValueConverterEditForm.h"
#include "instruments/plot/iPlotMasterManager.h"
#include "platform/classlib/ControlImage.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "tests/instruments/editors/EditorTestSupport.h"

using namespace classlib_test;
using namespace editors_test;

namespace {

std::string PngPath(const std::string& name) {
  return (std::filesystem::path(::testing::TempDir()) / ("editors-" + name + ".png")).string();
}

// The plot's translation table with the kit's texts in Chinese.
struct ChineseTable {
  FormGuard guard;
  TiPlotMasterManager* master;
  ChineseTable() {
    auto* owner = guard(new TPanel(nullptr));
    master = new TiPlotMasterManager(owner);
    const std::vector<std::pair<const char*, const char*>> entries = {{"Value Converter", "数值转换器"},
                                                                      {"Interval", "时间间隔"},
                                                                      {"Date/Time", "日期/时间"},
                                                                      {"Price 32nds", "32分位价格"},
                                                                      {"Days", "天"},
                                                                      {"Hours", "小时"},
                                                                      {"Minutes", "分钟"},
                                                                      {"Seconds", "秒"},
                                                                      {"mSec", "毫秒"},
                                                                      {"Weeks", "周"},
                                                                      {"Set All To 0", "全部清零"},
                                                                      {"Date", "日期"},
                                                                      {"Time", "时间"},
                                                                      {"Now", "现在"},
                                                                      {"Integer", "整数"},
                                                                      {"32nds", "32分位"},
                                                                      {"256ths", "256分位"},
                                                                      {"OK", "确定"},
                                                                      {"Cancel", "取消"},
                                                                      {"Editor Kit", "编辑器组件"},
                                                                      {"Values", "数值"},
                                                                      {"Objects", "对象"},
                                                                      {"Visible", "可见"},
                                                                      {"Style", "样式"},
                                                                      {"Line", "线"},
                                                                      {"Points", "点"},
                                                                      {"Bars", "柱"},
                                                                      {"Steps", "阶梯"},
                                                                      {"Area", "面积"},
                                                                      {"Solid", "实线"},
                                                                      {"Dash", "虚线"},
                                                                      {"Dot", "点线"},
                                                                      {"Apply", "应用"},
                                                                      {"Preview", "预览"},
                                                                      {"Font", "字体"},
                                                                      {"Open", "打开"},
                                                                      {"Save", "保存"}};
    for (const auto& [from, to] : entries) master->AddTranslation(from, to);
  }
  ~ChineseTable() { delete master; }
  const TiPlotTranslationManager* Table() const { return master->GetTranslationManager(); }
};

void AddPickers(FixtureForm* f) {
  int left = 8;
  auto* colour = new TiComponentEditorColorPicker(f);
  colour->SetName("ColourPicker");
  colour->SetParent(f->Page2);
  colour->SetBounds(180, 8, 60, 21);
  colour->SetColor(clTeal);
  for (TiComponentEditorPickerButton* b :
       {static_cast<TiComponentEditorPickerButton*>(new TiComponentEditorFontPicker(f)),
        static_cast<TiComponentEditorPickerButton*>(new TiComponentEditorOpenPicker(f)),
        static_cast<TiComponentEditorPickerButton*>(new TiComponentEditorSavePicker(f))}) {
    b->SetParent(f->Page2);
    b->SetBounds(180 + left - 8, 40, 75, 25);
    left += 80;
  }
  auto* edit = new TiComponentEditorEdit(f);
  edit->SetParent(f->Page2);
  edit->SetBounds(180, 80, 80, 21);
  edit->SetAsFloat(2.28125);
  auto* convert = new TiComponentEditorValueConverterPicker(f);
  convert->SetParent(f->Page2);
  convert->SetAssociate(edit);
}

TEST(EditorRender, KitFormAndConverterPagesInEnglishAndChinese) {
  for (bool chinese : {false, true}) {
    SCOPED_TRACE(chinese ? "Chinese" : "English");
    ChineseTable table;
    KitStage s;
    FixtureForm* f = s.form;
    AddPickers(f);
    f->Edit->SetAsInteger(42);
    f->Check->SetAsBoolean(true);
    f->Radio->SetAsInteger(3);
    f->Combo->SetAsInteger(1);
    f->List->SetItemIndex(1);
    f->List->OnGetData = [](int Index, bool& box, TColor& colour, std::string&) {
      const TColor colours[] = {clRed, clLime, clBlue};
      colour = colours[Index % 3];
      box = Index != 2;
    };
    if (chinese) TranslateEditorForm(table.Table(), f);
    const std::string lang = chinese ? "zh" : "en";
    EXPECT_EQ(f->GetCaption(), chinese ? "编辑器组件" : "Editor Kit");
    EXPECT_EQ(f->Radio->GetItems()->Get(0), chinese ? "线" : "Line");
    EXPECT_EQ(f->Combo->GetItems()->Get(2), chinese ? "点线" : "Dot");
    EXPECT_EQ(f->Combo->GetItemIndex(), 1);
    EXPECT_EQ(f->Check->GetCaption(), chinese ? "可见" : "Visible");
    EXPECT_TRUE(SaveControlImage(f, PngPath("kit-values-" + lang)));
    f->Pages->SetActivePage(f->Page2);
    EXPECT_TRUE(SaveControlImage(f, PngPath("kit-objects-" + lang)));

    FormGuard guard;
    auto* converter = guard(new TiValueConverterEditForm(nullptr));
    converter->AfterConstruction();
    converter->SetValue(EncodeDate(2024, 6, 11) + 0.5625);
    if (chinese) TranslateEditorForm(table.Table(), converter);
    EXPECT_EQ(converter->IntervalTabSheet->GetCaption(), chinese ? "时间间隔" : "Interval");
    for (int page = 0; page < 3; ++page) {
      converter->PageControl->SetActivePageIndex(page);
      EXPECT_TRUE(SaveControlImage(converter, PngPath("converter-" + std::to_string(page) + "-" + lang)));
    }
  }
}

TEST(EditorRender, AnEmptyTableLeavesTheFormUntouched) {
  KitStage s;
  FormGuard guard;
  auto* owner = guard(new TPanel(nullptr));
  TiPlotMasterManager master(owner);
  s.form->log.clear();
  TranslateEditorForm(master.GetTranslationManager(), s.form);
  TranslateEditorForm(nullptr, s.form);
  EXPECT_EQ(s.form->GetCaption(), "Editor Kit");
  EXPECT_EQ(s.form->Radio->GetItems()->Get(4), "Area");
  EXPECT_EQ(s.form->log, Log{});
}

TEST(EditorRender, TheTickTheDotAndTheArrowsArePainted) {
  KitStage s;
  FixtureForm* f = s.form;
  auto* box = new TiCheckBox(f);
  box->SetParent(f);
  box->SetAutoSize(false);
  box->SetBounds(0, 0, 97, 17);
  TBitmap bmp(97, 17);
  auto paint = [&](auto* control) {
    bmp.GetCanvas()->Brush->SetColor(clBtnFace);
    bmp.GetCanvas()->FillRect(Rect(0, 0, bmp.GetWidth(), bmp.GetHeight()));
    control->iPaintToCanvas(bmp.GetCanvas());
  };
  paint(box);
  EXPECT_EQ(bmp.GetCanvas()->GetPixels(7, 8), clWhite) << "no tick while unchecked";
  box->SetChecked(true);
  paint(box);
  for (TPoint p : {TPoint(4, 9), TPoint(5, 10), TPoint(7, 8), TPoint(9, 6), TPoint(7, 6)})
    EXPECT_EQ(bmp.GetCanvas()->GetPixels(p.X, p.Y), clBlack) << p.X << "," << p.Y;

  TiComponentEditorRadioGroup* radio = f->Radio;
  radio->SetAsInteger(1);
  bmp.SetSize(radio->GetWidth(), radio->GetHeight());
  paint(radio);
  const TPoint on = radio->ItemCenter(1);
  const TPoint off = radio->ItemCenter(0);
  EXPECT_EQ(bmp.GetCanvas()->GetPixels(on.X, on.Y), clBlack);
  EXPECT_EQ(bmp.GetCanvas()->GetPixels(on.X + 1, on.Y - 1), clBlack);
  EXPECT_EQ(bmp.GetCanvas()->GetPixels(off.X + 1, off.Y - 1), clWhite);

  TiUpDown* u = f->UpDown;
  TBitmap arrows(15, 21);
  u->PaintTo(arrows.GetCanvas(), 0, 0);
  EXPECT_EQ(arrows.GetCanvas()->GetPixels(7, 5), clBlack) << "up arrow";
  EXPECT_EQ(arrows.GetCanvas()->GetPixels(7, 16), clBlack) << "down arrow";
  EXPECT_NE(arrows.GetCanvas()->GetPixels(7, 8), clBlack) << "the arrows are small (s = 1)";
  u->Disable();
  u->PaintTo(arrows.GetCanvas(), 0, 0);
  EXPECT_EQ(arrows.GetCanvas()->GetPixels(7, 5), 0x808080);
}

}  // namespace
