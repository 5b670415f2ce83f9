// Construction, property writers, copying and the repaint pipeline of the
// response plot controls.
#include "response/ResponsePlotBase.h"

#include <algorithm>

LResponsePlotBase::LResponsePlotBase(TComponent* AOwner) : TPaintBox(AOwner) {
  SetBounds(GetLeft(), GetTop(), 500, 250);
  SetParentFont(true);
  SetColor(clBlack);
  FXTitle = "Frequency ";
  FYTitle = "dB";
  FYLabel = "dB";
  FPlotTitle = "Frequency Response";
  // Paint rebuilds every page it copies to the screen.
  SetPaintRedrawsAll(true);
  MakePagesAndFonts();
}

LResponsePlotBase::~LResponsePlotBase() = default;

void LResponsePlotBase::MakePagesAndFonts() {
  FPlotList = std::make_unique<TPlotList>();
  FPlotPage = std::make_unique<TPaintPage>();
  FXLabelPage = std::make_unique<TPaintPage>();
  FYLabelPage = std::make_unique<TPaintPage>();
  FPlotTitlePage = std::make_unique<TPaintPage>();
  FXTitlePage = std::make_unique<TPaintPage>();
  FYTitlePage = std::make_unique<TPaintPage>();
  FRightMarginPage = std::make_unique<TPaintPage>();
  FYTitleTextPage = std::make_unique<TPaintPage>();
  FCoordPage = std::make_unique<TPaintPage>();
  FComposed = std::make_unique<TBitmap>();
  FPagesStale = true;
  FPlotTitleFont = std::make_unique<TFont>();
  FPlotTitleFont->SetColor(clLime);
  FAxisTitleFont = std::make_unique<TFont>();
  FAxisTitleFont->SetColor(clLime);
  FAxisLabelFont = std::make_unique<TFont>();
  FAxisLabelFont->SetColor(clYellow);
  FMouseCoordFont = std::make_unique<TFont>();
  FMouseCoordFont->SetColor(clLime);
}

// ---------------------------------------------------------------- copying

void LResponsePlotBase::CopyFrom(const LResponsePlotBase& other) {
  AssignPlotFrom(other);
}

void LResponsePlotBase::AssignPlotFrom(const LResponsePlotBase& other) {
  if (&other == this) return;
  MakePagesAndFonts();
  FPlotList = std::make_unique<TPlotList>(*other.FPlotList);
  AssignPlotPropertiesFrom(other);
  FindXMaxMin();
  FindYMaxMin();
  ResizePaintPage();
  if (FAutoRedraw) Redraw();
}

void LResponsePlotBase::AssignPlotPropertiesFrom(const LResponsePlotBase& o) {
  if (&o == this) return;
  FAutoRedraw = o.FAutoRedraw;
  FAxisColor = o.FAxisColor;
  FAxisStyle = o.FAxisStyle;
  FXAxisFormat = o.FXAxisFormat;
  FYAxisFormat = o.FYAxisFormat;
  FShowXLabel = o.FShowXLabel;
  FShowYLabel = o.FShowYLabel;
  FShowCoordinates = o.FShowCoordinates;
  FYAutoScale = o.FYAutoScale;
  FXAutoScale = o.FXAutoScale;
  FPointSize = o.FPointSize;
  FYLabelScale = o.FYLabelScale;
  FYMax = o.FYMax;
  FYMin = o.FYMin;
  FXMax = o.FXMax;
  FXMin = o.FXMin;
  FXLabelPrecision = o.FXLabelPrecision;
  FYLabelPrecision = o.FYLabelPrecision;
  FXLabelDigits = o.FXLabelDigits;
  FYLabelDigits = o.FYLabelDigits;
  FYLabelFormat = o.FYLabelFormat;
  FXLabelFormat = o.FXLabelFormat;
  FShowVertGrid = o.FShowVertGrid;
  FShowHorzGrid = o.FShowHorzGrid;
  FNumVertGrid = o.FNumVertGrid;
  FNumHorzGrid = o.FNumHorzGrid;
  FShowVertTicks = o.FShowVertTicks;
  FShowHorzTicks = o.FShowHorzTicks;
  FVertTickLength = o.FVertTickLength;
  FHorzTickLength = o.FHorzTickLength;
  FGridColor = o.FGridColor;
  FMouseControl = o.FMouseControl;
  FShowXTitle = o.FShowXTitle;
  FShowYTitle = o.FShowYTitle;
  FShowPlotTitle = o.FShowPlotTitle;
  FXTitle = o.FXTitle;
  FYTitle = o.FYTitle;
  FYLabel = o.FYLabel;
  FPlotTitle = o.FPlotTitle;
  FPlotTitleFont->Assign(o.FPlotTitleFont.get());
  FAxisTitleFont->Assign(o.FAxisTitleFont.get());
  FAxisLabelFont->Assign(o.FAxisLabelFont.get());
  FMouseCoordFont->Assign(o.FMouseCoordFont.get());
  FFFTNuimber = o.FFFTNuimber;
  if (FAutoRedraw) Redraw();
}

// ---------------------------------------------------------------- pipeline

void LResponsePlotBase::Paint() {
  if (GetWidth() != FLastWidth || GetHeight() != FLastHeight) {
    FLastWidth = GetWidth();
    FLastHeight = GetHeight();
    ResizePaintPage();
  }
  if (FPagesStale) {
    SetPagesLive(true);
    FPagesStale = false;
  }
  Redraw();
  // A rubber band on the screen stays there across a repaint, so that the
  // inverting pen that removes it restores the page exactly.
  if (FRubberBandShown) DrawRubberBand();
  TPaintBox::Paint();
  // Painted onto another picture while nobody sees it: the pages go again.
  if (!GetShowing()) ShowingEnded();
}

void LResponsePlotBase::ShowingEnded() {
  SetPagesLive(false);
  FPagesStale = true;
}

void LResponsePlotBase::SetPagesLive(bool live) {
  for (TPaintPage* page :
       {FPlotPage.get(), FXLabelPage.get(), FYLabelPage.get(), FPlotTitlePage.get(), FXTitlePage.get(),
        FYTitlePage.get(), FRightMarginPage.get(), FYTitleTextPage.get(), FCoordPage.get()})
    page->SetLive(live);
  if (!live) FComposed->SetSize(0, 0);
}

bool LResponsePlotBase::PagesReady() {
  if (IsPainting()) return true;
  if (!GetShowing()) {
    if (!FPagesStale) ShowingEnded();
    Invalidate();
    return false;
  }
  if (FPagesStale) {
    SetPagesLive(true);
    FPagesStale = false;
    Redraw();
  }
  return true;
}

void LResponsePlotBase::Redraw() {
  DrawPlotsAndLabels();
  DrawTitles();
}

void LResponsePlotBase::DrawPlotsAndLabels() {
  DrawPlotsAndLabelsNoUpdate();
  UpdatePaintPage(FPlotPage.get());
}

void LResponsePlotBase::DrawPlotsAndLabelsNoUpdate() {
  DrawAllPlots();
  DrawXAxisLabels();
  DrawYAxisLabels();
}

void LResponsePlotBase::DrawAllPlots() {
  if (!GetVisible() || !PagesReady()) return;
  FPlotPage->Fill(GetColor());
  DrawGrid();
  DrawTicks();
  DrawAxis();
  for (TPlotListMember* m = FPlotList->Head(); m; m = m->Next.get()) DrawOnePlot(*m);
}

void LResponsePlotBase::ComposeOverlays() {
  TBitmap& base = *FPlotPage->Bitmap;
  if (FComposed->GetWidth() != base.GetWidth() || FComposed->GetHeight() != base.GetHeight())
    FComposed->SetSize(base.GetWidth(), base.GetHeight());
  const TRect all(0, 0, base.GetWidth(), base.GetHeight());
  FComposed->GetCanvas()->SetCopyMode(cmSrcCopy);
  FComposed->GetCanvas()->CopyRect(all, base.GetCanvas(), all);
  BlockPaint();
  if (FLineShown) LinePaint();
  TextPaint();
  CuveDisplayPaint();
}

void LResponsePlotBase::CopyPageToScreen(const TPaintPage& page, const TBitmap& bitmap) {
  TCanvas* screen = GetCanvas();
  if (!screen || page.ScreenRect.IsEmpty()) return;
  screen->SetCopyMode(cmSrcCopy);
  screen->CopyRect(page.ScreenRect, bitmap.GetCanvas(), page.LocalRect);
}

void LResponsePlotBase::UpdatePaintPage(TPaintPage* page) {
  if (!page || !PagesReady()) return;
  if (page == FPlotPage.get()) {
    ComposeOverlays();
    CopyPageToScreen(*page, *FComposed);
  } else {
    CopyPageToScreen(*page, *page->Bitmap);
  }
}

void LResponsePlotBase::RedrawScreen() {
  if (FShowXLabel) UpdatePaintPage(FXLabelPage.get());
  if (FShowXTitle) UpdatePaintPage(FXTitlePage.get());
  if (FShowYLabel) UpdatePaintPage(FYLabelPage.get());
  if (FShowYTitle) UpdatePaintPage(FYTitlePage.get());
  if (FShowPlotTitle) UpdatePaintPage(FPlotTitlePage.get());
  UpdatePaintPage(FRightMarginPage.get());
  UpdatePaintPage(FPlotPage.get());
}

void LResponsePlotBase::ClearPlot() {
  if (!PagesReady()) return;
  const TColor c = GetColor();
  if (FShowXLabel) FXLabelPage->Fill(c);
  if (FShowXTitle) FXTitlePage->Fill(c);
  if (FShowYLabel) FYLabelPage->Fill(c);
  if (FShowYTitle) {
    FYTitlePage->Fill(c);
    FYTitleTextPage->Fill(c);
  }
  if (FShowPlotTitle) FPlotTitlePage->Fill(c);
  FRightMarginPage->Fill(c);
  FPlotPage->Fill(c);
}

void LResponsePlotBase::Change() {
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- writers

void LResponsePlotBase::SetAutoRedraw(bool v) {
  FAutoRedraw = v;
  if (v) Redraw();
}

void LResponsePlotBase::SetAxisColor(TColor v) {
  FAxisColor = v;
  DrawAxis();
}

void LResponsePlotBase::SetAxisStyle(TMyAxisStyle v) {
  FAxisStyle = v;
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetYLabelScale(double v) {
  FYLabelScale = v;
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetYAutoScale(bool v) {
  FYAutoScale = v;
  FindYMaxMin();
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetXAutoScale(bool v) {
  FXAutoScale = v;
  FindXMaxMin();
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetYMax(double v) {
  FYMax = v;
  CompareMaxMin();
  CalculateLogMaxMin();
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetYMin(double v) {
  FYMin = v;
  CompareMaxMin();
  CalculateLogMaxMin();
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetXMax(double v) {
  FXMax = v;
  CompareMaxMin();
  CalculateLogMaxMin();
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetXMin(double v) {
  FXMin = v;
  CompareMaxMin();
  CalculateLogMaxMin();
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetShowXLabel(bool v) {
  FShowXLabel = v;
  ResizePaintPage();
  if (FAutoRedraw) Redraw();
}

void LResponsePlotBase::SetShowYLabel(bool v) {
  FShowYLabel = v;
  ResizePaintPage();
  if (FAutoRedraw) Redraw();
}

void LResponsePlotBase::SetShowXTitle(bool v) {
  FShowXTitle = v;
  ResizePaintPage();
  if (FAutoRedraw) Redraw();
}

void LResponsePlotBase::SetShowYTitle(bool v) {
  FShowYTitle = v;
  ResizePaintPage();
  if (FAutoRedraw) Redraw();
}

void LResponsePlotBase::SetShowPlotTitle(bool v) {
  FShowPlotTitle = v;
  ResizePaintPage();
  if (FAutoRedraw) Redraw();
}

void LResponsePlotBase::SetYLabelFormat(TStringFloatFormat v) {
  FYLabelFormat = v;
  SetShowYLabel(FShowYLabel);
}
void LResponsePlotBase::SetYLabelPrecision(int v) {
  FYLabelPrecision = v;
  SetShowYLabel(FShowYLabel);
}
void LResponsePlotBase::SetYLabelDigits(int v) {
  FYLabelDigits = v;
  SetShowYLabel(FShowYLabel);
}
void LResponsePlotBase::SetXLabelFormat(TStringFloatFormat v) {
  FXLabelFormat = v;
  SetShowXLabel(FShowXLabel);
}
void LResponsePlotBase::SetXLabelPrecision(int v) {
  FXLabelPrecision = v;
  SetShowXLabel(FShowXLabel);
}
void LResponsePlotBase::SetXLabelDigits(int v) {
  FXLabelDigits = v;
  SetShowXLabel(FShowXLabel);
}

void LResponsePlotBase::SetShowCoordinates(bool v) {
  FShowCoordinates = v;
  if (GetVisible() && FAutoRedraw && PagesReady()) {
    FCoordPage->Fill(GetColor());
    UpdatePaintPage(FCoordPage.get());
    DrawAllPlots();
  }
}

void LResponsePlotBase::SetPointSize(int v) {
  FPointSize = std::clamp(v, 1, 10);
  if (FAutoRedraw) DrawAllPlots();
}

void LResponsePlotBase::SetShowHorzGrid(bool v) {
  FShowHorzGrid = v;
  if (FAutoRedraw) DrawAllPlots();
}
void LResponsePlotBase::SetShowVertGrid(bool v) {
  FShowVertGrid = v;
  if (FAutoRedraw) DrawAllPlots();
}
void LResponsePlotBase::SetShowHorzTicks(bool v) {
  FShowHorzTicks = v;
  if (FAutoRedraw) DrawAllPlots();
}
void LResponsePlotBase::SetShowVertTicks(bool v) {
  FShowVertTicks = v;
  if (FAutoRedraw) DrawAllPlots();
}
void LResponsePlotBase::SetGridColor(TColor v) {
  FGridColor = v;
  if (FAutoRedraw) DrawAllPlots();
}

void LResponsePlotBase::SetVertTickLength(int v) {
  FVertTickLength = std::clamp(v, 0, std::max(GetHeight(), 0));
  if (FAutoRedraw) DrawAllPlots();
}

void LResponsePlotBase::SetHorzTickLength(int v) {
  FHorzTickLength = std::clamp(v, 0, std::max(GetWidth(), 0));
  if (FAutoRedraw) DrawAllPlots();
}

void LResponsePlotBase::SetNumHorzGrid(int v) {
  FNumHorzGrid = std::max(v, 0);
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetNumVertGrid(int v) {
  FNumVertGrid = std::max(v, 0);
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetXTitle(const std::string& v) {
  FXTitle = v;
  if (FAutoRedraw) DrawTitles();
}

void LResponsePlotBase::SetPlotTitle(const std::string& v) {
  FPlotTitle = v;
  if (FAutoRedraw) DrawTitles();
}

void LResponsePlotBase::SetYTitle(const std::string& v) {
  FYTitle = v;
  ResizePaintPage();
  if (FAutoRedraw) DrawTitles();
}

void LResponsePlotBase::SetYLabel(const std::string& v) {
  FYLabel = v;
  ResizePaintPage();
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetPlotTitleFont(const TFont* f) {
  if (f) FPlotTitleFont->Assign(f);
  FPlotTitlePage->SetFont(FPlotTitleFont.get());
  ResizePaintPage();
  if (FAutoRedraw) Redraw();
}

void LResponsePlotBase::SetAxisTitleFont(const TFont* f) {
  if (f) FAxisTitleFont->Assign(f);
  FXTitlePage->SetFont(FAxisTitleFont.get());
  FYTitlePage->SetFont(FAxisTitleFont.get());
  ResizePaintPage();
  if (FAutoRedraw) Redraw();
}

void LResponsePlotBase::SetAxisLabelFont(const TFont* f) {
  if (f) FAxisLabelFont->Assign(f);
  FXLabelPage->SetFont(FAxisLabelFont.get());
  FYLabelPage->SetFont(FAxisLabelFont.get());
  ResizePaintPage();
  if (FAutoRedraw) Redraw();
}

void LResponsePlotBase::SetMouseCoordFont(const TFont* f) {
  if (f) FMouseCoordFont->Assign(f);
  FCoordPage->SetFont(FMouseCoordFont.get());
  ResizePaintPage();
  if (FAutoRedraw) DrawPlotsAndLabels();
}
