// Every annotation style on one plot, straight and with exchanged axes, and
// a table with its scroll buttons, with Chinese text under the GBK code
// page. Saved as PNGs when TAVO_RENDER_DIR names a folder; the pixels are
// checked either way.

#include <cstdlib>

#include "instruments/plot/iXYPlot.h"
#include "platform/sys/CodePage.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;
using namespace classlib_test;

namespace {

class PlotAnnotationRender : public ::testing::Test {
 protected:
  void SetUp() override {
    page = GetAnsiCodePage();
    SetAnsiCodePage(AnsiCodePage::Gbk);
    stage.form->SetBounds(120, 120, 560, 400);
    plot = stage.Add<TiXYPlot>("plot", 10, 10, 520, 360);
    ShowAndActivate(stage.form);
    FixAxesAt0To100(*plot);
  }
  void TearDown() override { SetAnsiCodePage(page); }
  std::unique_ptr<TBitmap> Render(const std::string& Name) {
    auto b = std::make_unique<TBitmap>(plot->GetWidth(), plot->GetHeight());
    plot->iPaintToCanvas(b->GetCanvas());
    if (const char* dir = std::getenv("TAVO_RENDER_DIR"))
      plot->SaveImageToPNG(std::string(dir) + "/" + Name, 6);
    return b;
  }
  TiPlotAnnotation* Add(TiPlotAnnotationStyle Style, double X, double Y, TColor Pen, TColor Brush) {
    TiPlotAnnotation* a = plot->GetAnnotation(plot->AddAnnotation());
    a->SetStyle(Style);
    a->SetX(X);
    a->SetY(Y);
    a->SetPenColor(Pen);
    a->SetBrushColor(Brush);
    return a;
  }
  static void Box(TiPlotAnnotation* A, double W, double H) {
    A->SetWidth(W);
    A->SetHeight(H);
  }
  void AddEveryStyle() {
    TiPlotAnnotation* text = Add(ipasText, 18, 92, clWhite, clWhite);
    text->SetText("Gain 增益");
    text->GetFont()->SetColor(clYellow);
    text->GetFont()->SetSize(11);
    TiPlotAnnotation* line = Add(ipasLine, 4, 4, clAqua, clWhite);
    line->SetX2(28);
    line->SetY2(40);
    line->SetPenWidth(2);
    Box(Add(ipasRectangle, 50, 86, clWhite, 0xC06020), 14, 12);
    Add(ipasLineX, 68, 0, clRed, clWhite);
    Add(ipasLineY, 0, 62, clLime, clWhite)->SetPenStyle(psDot);
    // An own bitmap whose green frame (its bottom-left pixel) is left out.
    TBitmap own(20, 20);
    own.GetCanvas()->Brush->SetColor(clLime);
    own.GetCanvas()->FillRect(TRect(0, 0, 20, 20));
    own.GetCanvas()->Brush->SetColor(clRed);
    own.GetCanvas()->FillRect(TRect(3, 3, 17, 17));
    image = Add(ipasImage, 86, 86, clWhite, clWhite);
    image->SetImage(&own);
    TBitmap listed(16, 16);
    listed.GetCanvas()->Brush->SetColor(clBlack);
    listed.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    listed.GetCanvas()->Brush->SetColor(clFuchsia);
    listed.GetCanvas()->FillRect(TRect(2, 2, 14, 14));
    plot->ImageListAdd(0, &listed);
    Add(ipasImage, 86, 62, clWhite, clWhite);
    TiPlotAnnotation* inBox = Add(ipasTextRectangle, 25, 62, clWhite, 0x404000);
    Box(inBox, 30, 16);
    inBox->SetText("Text in a box\r\n第二行");
    inBox->SetTextHorzAlignment(iahLeft);
    inBox->SetTextVertAlignment(iavTop);
    inBox->SetTextLineAlignment(iahLeft);
    TiPlotAnnotation* ellipse = Add(ipasEllipse, 42, 46, clWhite, clTeal);
    ellipse->SetX2(60);
    ellipse->SetY2(30);
    ellipse->SetBrushStyle(bsDiagCross);
    TiPlotAnnotation* textBox = Add(ipasTextBox, 16, 22, clSilver, 0x203040);
    textBox->SetText("Box 盒子");
    textBox->SetOuterMargin(4);
    Box(Add(ipasEllipse2, 50, 14, clWhite, clPurple), 16, 14);
    TiPlotAnnotation* polygon = Add(ipasPolygon, 0, 0, clWhite, clOlive);
    for (auto [x, y] : {std::pair{70.0, 40.0}, {96.0, 44.0}, {92.0, 20.0}, {76.0, 8.0}})
      polygon->PolyPointAdd(x, y);
    TiPlotAnnotation* corners = Add(ipasRectangle2, 30, 12, clYellow, clNavy);
    corners->SetX2(40);
    corners->SetY2(3);
    selected = Add(ipasRectangle, 50, 62, clWhite, clMaroon);
    Box(selected, 10, 10);
    selected->SetUserSelected(true);
  }

  FormStage stage;
  TiXYPlot* plot = nullptr;
  TiPlotAnnotation* image = nullptr;
  TiPlotAnnotation* selected = nullptr;
  AnsiCodePage page;
};

TEST_F(PlotAnnotationRender, EveryStyleStraightAndExchanged) {
  AddEveryStyle();
  auto b = Render("p1a-annotations.png");
  for (int i = 0; i < plot->GetAnnotationCount(); ++i)
    EXPECT_EQ(plot->GetAnnotation(i)->GetShowing(), plot->GetAnnotation(i)->GetStyle() != ipasLine) << i;
  TCanvas* c = b->GetCanvas();
  // The own bitmap: red inside, its green frame left out.
  const TRect r = image->GetClickRect();
  EXPECT_EQ(c->GetPixels((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2), ColorToRGB(clRed));
  EXPECT_NE(c->GetPixels(r.Left, r.Top), ColorToRGB(clLime));
  EXPECT_NE(c->GetPixels(r.Left, r.Bottom - 1), ColorToRGB(clLime));
  // The line across the data view at X = 68.
  const int x = plot->GetXAxis(0)->PositionToPixels(68);
  EXPECT_EQ(c->GetPixels(x, plot->GetYAxis(0)->PositionToPixels(50)), ColorToRGB(clRed));
  // The selected box shows its corner handles inverted.
  const TRect s = selected->GetDrawRect();
  const TColor marked = c->GetPixels(s.Left - 2, s.Top - 2);
  selected->SetUserSelected(false);
  EXPECT_EQ(Render("p1a-annotations-unselected.png")->GetCanvas()->GetPixels(s.Left - 2, s.Top - 2),
            marked ^ 0xFFFFFF);
  selected->SetUserSelected(true);

  plot->SetXYAxesReverse(true);
  auto e = Render("p1a-annotations-exchanged.png");
  const TRect r2 = image->GetClickRect();
  // The picture now sits at (Y, X) on the screen.
  EXPECT_EQ(e->GetCanvas()->GetPixels((r2.Left + r2.Right) / 2, (r2.Top + r2.Bottom) / 2), ColorToRGB(clRed));
  EXPECT_EQ((r2.Left + r2.Right) / 2, plot->GetDataView(0)->PositionPercentToPixelsX(86));
  const int y = plot->GetXAxis(0)->PositionToPixels(68);
  EXPECT_EQ(e->GetCanvas()->GetPixels(plot->GetYAxis(0)->PositionToPixels(50), y), ColorToRGB(clRed));
}

TEST_F(PlotAnnotationRender, TableWithItsScrollButtons) {
  TiPlotTable* table = plot->GetTable(plot->AddTable());
  table->AddColumn("Band");
  table->AddColumn("Freq");
  table->AddColumn("增益");
  table->GetColumn(1)->DataAlignment = iahRight;
  table->GetColumn(0)->TitleAlignment = iahLeft;
  for (int r = 0; r < 12; ++r) {
    table->AddRow();
    table->SetCellText(0, r, std::to_string(r + 1));
    table->SetCellText(1, r, std::to_string(100 * (r + 1)) + " Hz");
    table->SetCellText(2, r, r % 2 ? "高" : "低 -3 dB");
  }
  table->SetRowsMax(5);
  table->SetRowDisplayStartIndex(3);
  table->SetUserSelected(true);
  auto b = Render("p1a-table.png");
  EXPECT_EQ(table->GetRowDisplayStartIndex(), 3);
  const TRect up = table->GetUpButton()->GetDrawRect();
  ASSERT_TRUE(table->GetUpButton()->GetVisible());
  EXPECT_EQ(up.Width(), 17);
  EXPECT_EQ(up.Height(), 17);
  // The face, and the black arrow of an enabled button at its centre.
  EXPECT_EQ(b->GetCanvas()->GetPixels(up.Left + 3, up.Top + 3), ColorToRGB(clBtnFace));
  EXPECT_EQ(b->GetCanvas()->GetPixels((up.Left + up.Right) / 2, (up.Top + up.Bottom) / 2),
            ColorToRGB(clBlack));
  const TRect g = table->GetGridRect();
  EXPECT_EQ(b->GetCanvas()->GetPixels(g.Right, g.Top + 2), ColorToRGB(clWhite));
}

}  // namespace
