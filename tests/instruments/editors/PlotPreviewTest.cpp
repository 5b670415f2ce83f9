// The print preview: where the sheet and the picture go, the settings
// round trip, the toolbar kept out of the picture, and the forms rendered.

#include <QTimer>

#include <filesystem>

#include "instruments/editors/iEditorTranslate.h"
#include "instruments/editors/iPlotPreviewForm.h"
#include "instruments/plot/iPlotToolBar.h"
#include "instruments/plot/iXYPlot.h"
#include "platform/classlib/ControlImage.h"
#include "platform/classlib/Dialogs.h"
#include "tests/instruments/editors/EditorTestSupport.h"

using namespace classlib_test;

namespace {

std::string PngPath(const std::string& name) {
  return (std::filesystem::path(::testing::TempDir()) / ("preview-" + name + ".png")).string();
}

std::string Text(const TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}

// Runs Fn once the event loop turns, inside whatever modal run is up.
void Soon(std::function<void()> Fn) {
  QTimer::singleShot(0, std::move(Fn));
}

class PlotPreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    form = guard(new TForm(nullptr));
    plot = new TiXYPlot(form);
    plot->SetParent(form);
    plot->SetBounds(0, 0, 500, 200);
    plot->SetPrintDocumentName("Levels");
  }
  FormGuard guard;
  TForm* form = nullptr;
  TiXYPlot* plot = nullptr;
  TScriptedDialogService dialogs;
};

}  // namespace

TEST(PlotPreviewGeometry, SheetAreaAndPictureInTheBox) {
  struct Case {
    const char* what;
    int boxW, boxH, size;
    TPrinterOrientation orientation;
    double margin;
    int pictureW, pictureH;
    std::string sheet;
    int dpi, areaW, areaH;
    std::string picture;
  };
  const Case cases[] = {
      // As wide as the box less 20, 11/8.5 as high.
      {"Letter portrait, tall box", 200, 400, 0, poPortrait, 1, 500, 200, "5,79,185,311", 21, 138, 191,
       "26,100,164,155"},
      // An 85-pixel sheet: 10 dots per inch, 1-inch margins leave 65.
      {"10 dpi", 105, 300, 0, poPortrait, 1, 500, 200, "5,90,89,200", 10, 65, 90, "15,100,80,126"},
      {"Letter landscape", 400, 400, 0, poLandscape, 1, 500, 200, "5,48,385,342", 35, 310, 224,
       "40,83,350,207"},
      {"A4 in a wide box", 600, 300, 3, poPortrait, 0.5, 500, 200, "196,5,394,285", 24, 174, 256,
       "208,17,382,87"},
      // Decision cases: no room for a sheet, no printable area, no picture.
      {"box inside its border", 15, 300, 0, poPortrait, 1, 500, 200, "0,0,0,0", 0, 0, 0, "0,0,0,0"},
      {"margins over the sheet", 200, 400, 0, poPortrait, 5, 500, 200, "5,79,185,311", 21, -30, 23,
       "0,0,0,0"},
      {"plot of no size", 200, 400, 0, poPortrait, 1, 0, 200, "5,79,185,311", 21, 138, 191, "0,0,0,0"},
  };
  for (const Case& c : cases) {
    const TiPreviewGeometry g = PreviewGeometry(c.boxW, c.boxH, c.size, c.orientation, c.margin, c.margin,
                                                c.margin, c.margin, c.pictureW, c.pictureH);
    EXPECT_EQ(Text(g.Sheet), c.sheet) << c.what;
    EXPECT_EQ(g.Dpi, c.dpi) << c.what;
    EXPECT_EQ(g.AreaWidth, c.areaW) << c.what;
    EXPECT_EQ(g.AreaHeight, c.areaH) << c.what;
    EXPECT_EQ(Text(g.Picture), c.picture) << c.what;
  }
  // Landscape is wider than high; the paper codes of the five sizes.
  const TiPreviewGeometry wide = PreviewGeometry(400, 400, 0, poLandscape, 1, 1, 1, 1, 500, 200);
  EXPECT_GT(wide.Sheet.Width(), wide.Sheet.Height());
  EXPECT_EQ(PreviewPaperCode(0), 1);
  EXPECT_EQ(PreviewPaperCode(1), 5);
  EXPECT_EQ(PreviewPaperCode(2), 8);
  EXPECT_EQ(PreviewPaperCode(3), 9);
  EXPECT_EQ(PreviewPaperCode(4), 11);
  EXPECT_EQ(PreviewPaperCode(7), 1);
}

TEST_F(PlotPreviewTest, OpensWithThePlotsSettingsAndRoundTripsTheSettingsForm) {
  plot->SetPrintMarginLeft(0.75);
  bool checked = false;
  Soon([&] {
    TiPlotPreviewForm* f = iPlotPreviewForm;
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->GetCaption(), "Levels (Preview)");
    EXPECT_EQ(f->GetWidth(), 836);
    EXPECT_EQ(f->GetHeight(), 563);
    EXPECT_EQ(f->GetMinWidth(), 500);
    EXPECT_EQ(f->GetMinHeight(), 300);
    EXPECT_EQ(f->iComponent, plot);
    EXPECT_EQ(f->PrintMarginLeft, 0.75);
    EXPECT_EQ(f->PrintOrientation, poLandscape);
    EXPECT_FALSE(f->PrintButton->GetGlyph()->GetEmpty());

    // Cancel changes nothing, not even the caption.
    Soon([] {
      TiPlotPreviewSettingsForm* s = iPlotPreviewSettingsForm;
      ASSERT_NE(s, nullptr);
      EXPECT_EQ(s->PrintMarginLeftEdit->GetText(), "0.75");
      EXPECT_EQ(s->PrintOrientationRadioGroup->GetItemIndex(), 1);
      EXPECT_EQ(s->PrintDocumentNameEdit->GetText(), "Levels");
      EXPECT_EQ(s->PrintPaperSizeComboBox->GetItemIndex(), 0);
      s->PrintMarginLeftEdit->SetText("2");
      s->Button2->Click();
    });
    f->SettingsButtonClick(nullptr);
    EXPECT_EQ(plot->GetPrintMarginLeft(), 0.75);
    EXPECT_EQ(f->GetCaption(), "Levels (Preview)");

    // A margin that is no number says so and keeps the form up; then OK.
    dialogs.AnswerButton(IDOK);
    Soon([] {
      TiPlotPreviewSettingsForm* s = iPlotPreviewSettingsForm;
      s->PrintMarginTopEdit->SetText("wide");
      s->Button1->Click();
      Soon([s] {
        EXPECT_TRUE(s->GetVisible());
        s->PrintMarginTopEdit->SetText("0.5");
        s->PrintOrientationRadioGroup->SetItemIndex(0);
        s->PrintDocumentNameEdit->SetText("Report");
        s->PrintPaperSizeComboBox->SetItemIndex(3);
        s->Button1->Click();
      });
    });
    f->SettingsButtonClick(nullptr);
    ASSERT_EQ(dialogs.GetQuestions().size(), 1u);
    EXPECT_NE(dialogs.GetQuestions()[0].Text.find("wide"), std::string::npos);
    EXPECT_EQ(plot->GetPrintMarginTop(), 0.5);
    EXPECT_EQ(plot->GetPrintOrientation(), poPortrait);
    EXPECT_EQ(plot->GetPrintDocumentName(), "Report");
    EXPECT_EQ(f->PrintSize, 3);  // the paper size stays with the preview
    EXPECT_EQ(f->GetCaption(), "Report (Preview)");
    checked = true;
    f->CloseButtonClick(nullptr);
  });
  plot->PreviewChart();
  EXPECT_TRUE(checked);
  EXPECT_EQ(iPlotPreviewForm, nullptr);
}

TEST_F(PlotPreviewTest, EveryRepaintHidesTheToolBarForThePictureOnly) {
  std::unique_ptr<TiPlotPreviewForm> f(new TiPlotPreviewForm(nullptr));
  f->AfterConstruction();
  f->iComponent = plot;
  std::vector<std::string> events;
  plot->OnBeforePrint = [&](TObject* Sender) {
    events.push_back(Sender == f.get() ? "before" : "before?");
    EXPECT_FALSE(plot->GetToolBar(0)->GetVisible());
  };
  plot->OnAfterPrint = [&](TObject* Sender) { events.push_back(Sender == f.get() ? "after" : "after?"); };
  for (int i = 0; i < 2; ++i) {
    f->PreviewPaint(f->Preview);
    EXPECT_TRUE(plot->GetToolBar(0)->GetVisible());
  }
  EXPECT_EQ(events, (std::vector<std::string>{"before", "after", "before", "after"}));
  // The picture is the plot without its toolbar: the toolbar's face would
  // show at the picture's top left.
  TCanvas* shown = f->Preview->GetCanvas();
  const TiPreviewGeometry g =
      PreviewGeometry(f->Preview->GetWidth(), f->Preview->GetHeight(), 0, poLandscape, 1, 1, 1, 1, 500, 200);
  ASSERT_FALSE(g.Picture.IsEmpty());
  EXPECT_EQ(shown->GetPixels(g.Picture.Left + 6, g.Picture.Top + 6), clBlack);
  EXPECT_EQ(shown->GetPixels(g.Sheet.Left + 2, g.Sheet.Top + 2), clWhite);
  EXPECT_EQ(shown->GetPixels(g.Sheet.Right + 3, g.Sheet.Bottom + 3), clBlack);  // the shadow
  TBitmap withBar(f->Preview->GetWidth(), f->Preview->GetHeight());
  f->DrawPage(&withBar);
  EXPECT_NE(withBar.Canvas->GetPixels(g.Picture.Left + 6, g.Picture.Top + 6), clBlack);
  // Without a toolbar, of no size, or on a box too small: the empty sheet.
  plot->OnBeforePrint = nullptr;
  plot->RemoveAllToolBars();
  plot->SetHeight(0);
  f->PreviewPaint(f->Preview);
  TBitmap tiny(12, 12);
  f->DrawPage(&tiny);
  EXPECT_EQ(ColorToRGB(tiny.Canvas->GetPixels(6, 6)), ColorToRGB(clBtnFace));
}

TEST_F(PlotPreviewTest, RenderedInEnglishAndChinese) {
  for (int i = 0; i <= 40; ++i) plot->GetChannel(0)->AddXY(i, (i * 37) % 90);
  for (bool chinese : {false, true}) {
    if (chinese)
      for (const auto& [from, to] :
           std::vector<std::pair<const char*, const char*>>{{"Settings", "设置"},
                                                            {"Close", "关闭"},
                                                            {"Margin", "页边距"},
                                                            {"Left", "左"},
                                                            {"Top", "上"},
                                                            {"Bottom", "下"},
                                                            {"Right", "右"},
                                                            {"Orientation", "方向"},
                                                            {"Portrait", "纵向"},
                                                            {"Landscape", "横向"},
                                                            {"Document Name", "文档名称"},
                                                            {"Paper Size", "纸张大小"},
                                                            {"OK", "确定"},
                                                            {"Cancel", "取消"}})
        plot->AddTranslation(from, to);
    const std::string lang = chinese ? "zh" : "en";
    FormGuard g;
    auto* f = g(new TiPlotPreviewForm(nullptr));
    f->AfterConstruction();
    f->iComponent = plot;
    f->DoTranslation();
    EXPECT_EQ(f->SettingsButton->GetCaption(), chinese ? "设置" : "Settings");
    struct Shot {
      const char* name;
      TPrinterOrientation orientation;
      int size;
    };
    for (const Shot& s : {Shot{"letter-portrait", poPortrait, 0}, Shot{"letter-landscape", poLandscape, 0},
                          Shot{"a4-portrait", poPortrait, 3}}) {
      f->PrintOrientation = s.orientation;
      f->PrintSize = s.size;
      f->Preview->Repaint();
      f->PreviewPaint(f->Preview);
      EXPECT_TRUE(SaveControlImage(f, PngPath(std::string(s.name) + "-" + lang)));
    }
    auto* settings = g(new TiPlotPreviewSettingsForm(nullptr));
    settings->AfterConstruction();
    settings->PrintMarginLeftEdit->SetAsFloat(1);
    settings->PrintOrientationRadioGroup->SetAsInteger(1);
    settings->PrintPaperSizeComboBox->SetAsInteger(0);
    settings->PrintDocumentNameEdit->SetAsString("Levels");
    TranslateEditorForm(plot->GetTranslationManager(), settings);
    EXPECT_EQ(settings->PrinterMarginGroupBox->GetCaption(), chinese ? "页边距" : "Margin");
    EXPECT_TRUE(SaveControlImage(settings, PngPath("settings-" + lang)));
  }
}
