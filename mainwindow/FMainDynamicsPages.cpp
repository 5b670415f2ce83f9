// The Comp page (compressor/limiter of the outputs) and the Gate page (noise
// gate of the inputs). Both have one layout: the transfer plot of the
// selected strip with its meter, a meter per strip, and below a column of
// faders with value boxes per strip. Tags are channel indexes throughout.

#include <algorithm>
#include <string>
#include <vector>

#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotDataView.h"
#include "instruments/plot/iPlotLegend.h"
#include "instruments/plot/iPlotToolBar.h"
#include "instruments/plot/iXYPlot.h"
#include "mainwindow/FMainPageKit.h"
#include "mainwindow/FMainPages.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"

using namespace pagekit;

namespace pages {

namespace {

// One fader row of a strip's column.
struct DynamicsField {
  const char* Name;  // "Threshold": isCompThresholdOut1, cvdCompThresholdOut1, lbCompThresholdOut1
  const char* Caption;
  int Min;
  int Max;
  int Start;
  const char* Text;  // the value box's text at Start
};

// One scale label beside a meter: its name stem ("lbClip") and caption.
struct ScaleMark {
  const char* Stem;
  const char* Caption;
};

struct DynamicsPage {
  const char* Page;  // "Comp" or "Gate"
  const char* Side;  // "Out" or "In"
  bool Inputs;
  TColor Accent;
  std::vector<DynamicsField> Fields;
  // Meter segments from the top: red, yellow, green.
  int Red, Yellow, Green;
  // Bar of the selected strip's meter and of each strip's meter.
  int HeadBarTop, StripBarTop, BarHeight;
  // Scale labels from the top, with their tops on the selected strip's
  // meter and on each strip's meter; a first "lbLimit" mark goes with the
  // limit lamp.
  std::vector<ScaleMark> Marks;
  std::vector<int> HeadMarkTops, StripMarkTops;
};

const DynamicsPage& CompPage() {
  static const DynamicsPage page{"Comp",
                                 "Out",
                                 false,
                                 AccentOut,
                                 {{"Threshold", "Threshold", -180, 40, 40, "+20.0dB"},
                                  {"Ratio", "Ratio", 0, 15, 0, "1:1.0"},
                                  {"Attack", "Attack", 0, 998, 50, "51ms"},
                                  {"Release", "Release", 0, 2999, 499, "500ms"}},
                                 1,
                                 3,
                                 4,
                                 54,
                                 55,
                                 185,
                                 {{"lbLimit", "Limit"},
                                  {"lbClip", "Clip"},
                                  {"lb12", "12"},
                                  {"lb5", "5"},
                                  {"lb0", "0"},
                                  {"lbN5", "-5"},
                                  {"lbN15", "-15"},
                                  {"lbN30", "-30"},
                                  {"lbN60", "-60"}},
                                 {32, 56, 79, 102, 124, 149, 172, 195, 219},
                                 {35, 58, 81, 105, 128, 151, 175, 198, 222}};
  return page;
}

const DynamicsPage& GatePage() {
  static const DynamicsPage page{"Gate",
                                 "In",
                                 true,
                                 AccentIn,
                                 {{"Threshold", "Threshold", -180, 40, 40, "+20.0dB"},
                                  {"Attack", "Attack", 0, 998, 50, "51ms"},
                                  {"Release", "Release", 0, 2999, 2999, "3000ms"}},
                                 1,
                                 2,
                                 6,
                                 32,
                                 32,
                                 208,
                                 {{"lbClip", "Clip"},
                                  {"lb12", "12"},
                                  {"lb5", "5"},
                                  {"lb0", "0"},
                                  {"lbN5", "-5"},
                                  {"lbN15", "-15"},
                                  {"lbN20", "-20"},
                                  {"lbN30", "-30"},
                                  {"lbN60", "-60"}},
                                 {36, 59, 82, 105, 129, 152, 175, 198, 222},
                                 {36, 59, 82, 105, 129, 152, 175, 198, 222}};
  return page;
}

// Upper box: plot and heading at the left, the selected strip's meter, then
// one meter per strip at a 53-pixel pitch from 659.
constexpr TRect HeadingBounds = Bounds(14, 6, 538, 22);
constexpr TRect PlotBounds = Bounds(10, 30, 587, 230);
constexpr int MeterPanelTop = 30;
constexpr int MeterPanelWidth = 49;
constexpr int MeterPanelHeight = 247;
constexpr int HeadMeterLeft = 604;
constexpr int StripMeterLeft = 659;
constexpr int StripMeterPitch = 53;
constexpr int BarLeft = 5;
constexpr int BarWidth = 13;
constexpr int MarkLeft = 21;
constexpr int MarkWidth = 28;
constexpr int MarkHeight = 16;
constexpr int LimitBarHeight = 22;

// Lower box: one column per strip.
constexpr int ColumnLeft = 8;
constexpr int ColumnPitch = 132;
constexpr int ColumnWidth = 126;
constexpr int RowTop = 30;
constexpr int RowPitch = 60;
constexpr int RowHeight = 46;

// "Out 3", "In 3": the strip as the page's headings name it.
std::string StripTitle(const DynamicsPage& page, int i) {
  return std::string(page.Side) + " " + std::to_string(i + 1);
}

// A meter panel: heading, (limit lamp,) segmented bar and scale labels. The
// selected strip's panel has no suffix and a heading of its own name.
void CreateMeterPanel(TComponent* owner, TWinControl* box, const DynamicsPage& page,
                      const std::string& suffix, int left, int tag, const std::string& headName,
                      const std::string& headCaption) {
  const bool head = suffix == page.Side;
  TPanel* panel = MakePanel(owner, box, std::string("plLevel") + page.Page + suffix,
                            Bounds(left, MeterPanelTop, MeterPanelWidth, MeterPanelHeight),
                            head ? RGB(46, 50, 58) : SectionBack, tag);
  MakeLabel(owner, panel, headName, headCaption, Bounds(0, 4, MeterPanelWidth, 20), tag,
            head ? page.Accent : TextColor, 11, true, taCenter);
  const std::vector<int>& tops = head ? page.HeadMarkTops : page.StripMarkTops;
  const int barTop = head ? page.HeadBarTop : page.StripBarTop;
  for (std::size_t k = 0; k < page.Marks.size(); ++k) {
    const bool limit = std::string(page.Marks[k].Stem) == "lbLimit";
    MakeLabel(owner, panel, page.Marks[k].Stem + std::string(page.Page) + suffix, page.Marks[k].Caption,
              Bounds(limit ? MarkLeft - 4 : MarkLeft, tops[k], limit ? MarkWidth + 4 : MarkWidth, MarkHeight),
              tag, limit ? TextColor : DimText, 10);
    if (limit) {
      // The lamp sits level with its label.
      const int lampTop = tops[k] + MarkHeight / 2 - LimitBarHeight / 2;
      MakeMeter(owner, panel, std::string("pbLimit") + page.Page + suffix,
                Bounds(BarLeft, lampTop, BarWidth, LimitBarHeight), 1, 0, 0, tag);
    }
  }
  MakeMeter(owner, panel, std::string("pbLevel") + page.Page + suffix,
            Bounds(BarLeft, barTop, BarWidth, page.BarHeight), page.Red, page.Yellow, page.Green, tag);
}

// A strip's column: heading label, then per field a caption, a value box
// and a fader across the column.
void CreateColumn(TComponent* owner, TWinControl* box, const DynamicsPage& page, int i, int top, int height) {
  const std::string suffix = StripSuffix(page.Inputs, i);
  const int tag = StripChannel(page.Inputs, i);
  TPanel* column = MakePanel(owner, box, "", Bounds(ColumnLeft + i * ColumnPitch, top, ColumnWidth, height),
                             SectionBack, tag);
  MakeLabel(owner, column, std::string("lb") + page.Page + suffix, StripTitle(page, i),
            Bounds(0, 4, ColumnWidth, 20), tag, page.Accent, 12, true, taCenter);
  for (std::size_t f = 0; f < page.Fields.size(); ++f) {
    const DynamicsField& field = page.Fields[f];
    const int y = RowTop + static_cast<int>(f) * RowPitch;
    const std::string stem = std::string(page.Page) + field.Name + suffix;
    MakeLabel(owner, column, "lb" + stem, field.Caption, Bounds(6, y, 56, 20), tag, DimText, 11);
    MakeValueBox(owner, column, "cvd" + stem, Bounds(62, y, 62, 20), field.Text, tag);
    MakeFader(owner, column, "is" + stem, Bounds(2, y + 22, ColumnWidth - 4, 24), field.Min, field.Max,
              field.Start, 10, tag, page.Accent, false);
  }
}

}  // namespace

TiXYPlot* MakeTransferPlot(TComponent* owner, TWinControl* parent, const std::string& name,
                           const TRect& bounds, TColor accent) {
  auto* plot = new TiXYPlot(owner);
  plot->SetName(name);
  plot->SetParent(parent);
  plot->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  plot->SetTitleVisible(false);
  plot->SetBackGroundGradientEnabled(false);
  plot->SetBackGroundColor(PageBack);
  plot->SetBorderStyle(ibsNone);
  plot->GetToolBar(0)->SetVisible(false);
  plot->GetLegend(0)->SetVisible(false);
  plot->GetLegend(0)->SetEnabled(false);
  if (plot->GetDataCursorCount() > 0) plot->GetDataCursor(0)->SetVisible(false);
  // The program never opens the library's editors, menus or hints.
  plot->SetUserCanEditObjects(false);
  plot->SetHintsShow(false);
  TFont font;
  font.SetName("Tahoma");
  font.SetHeight(-11);
  font.SetColor(clYellow);
  for (TiPlotAxis* axis :
       {static_cast<TiPlotAxis*>(plot->GetXAxis(0)), static_cast<TiPlotAxis*>(plot->GetYAxis(0))}) {
    // A fixed scale: no tracking of the curves, no dragging, menu or selection.
    axis->SetTrackingEnabled(false);
    axis->SetEnabled(false);
    axis->SetPopupEnabled(false);
    axis->SetCanFocus(false);
    axis->SetMinSpan(-100, 120);
    axis->SetLabelsFont(&font);
    axis->SetScaleLinesColor(EdgeColor);
  }
  TiPlotDataView* view = plot->GetDataView(0);
  view->SetBackgroundTransparent(false);
  view->SetBackgroundColor(WellBack);
  view->SetGridLineColor(EdgeColor);
  plot->AddChannel();
  plot->GetChannel(0)->SetColor(accent);
  plot->GetChannel(1)->SetColor(clWhite);
  view->SetPopupEnabled(false);
  view->SetUserCanEdit(false);
  // A click in the plot area selects nothing.
  view->SetCanFocus(false);
  for (int i = 0; i < 2; ++i) {
    plot->GetChannel(i)->SetPopupEnabled(false);
    plot->GetChannel(i)->SetUserCanEdit(false);
    plot->GetChannel(i)->SetCanFocus(false);
  }
  return plot;
}

namespace {

void CreateDynamicsPage(TComponent* owner, TWinControl* mainBox, const DynamicsPage& page) {
  TRzGroupBox* upper = MakePageBox(owner, mainBox, std::string("rzgFft") + page.Page, UpperBoxBounds);
  upper->SetVisible(false);
  const std::string heading = StripTitle(page, 0) + "  " + (page.Inputs ? "Gate" : "Compressor");
  MakeLabel(owner, upper, std::string("lb") + page.Page + "Name", heading, HeadingBounds, 0, page.Accent, 13,
            true);
  MakeTransferPlot(owner, upper, std::string("ip") + page.Page, PlotBounds, page.Accent);
  CreateMeterPanel(owner, upper, page, page.Side, HeadMeterLeft, 0,
                   std::string("lbHead") + page.Page + page.Side, StripTitle(page, 0));
  for (int i = 0; i < 8; ++i)
    CreateMeterPanel(owner, upper, page, StripSuffix(page.Inputs, i), StripMeterLeft + i * StripMeterPitch,
                     StripChannel(page.Inputs, i), "", StripTitle(page, i));

  TRzGroupBox* lower = MakePageBox(owner, mainBox, std::string("rzgParam") + page.Page, LowerBoxBounds);
  lower->SetVisible(false);
  // Both pages' columns take one frame, the taller page's, in the middle of
  // the box: switching between the pages moves no panel.
  const std::size_t rows = std::max(CompPage().Fields.size(), GatePage().Fields.size());
  const int height = RowTop + (static_cast<int>(rows) - 1) * RowPitch + RowHeight + 10;
  const int top = (LowerBoxBounds.Height() - height) / 2;
  for (int i = 0; i < 8; ++i) CreateColumn(owner, lower, page, i, top, height);
}

}  // namespace

void CreateCompPage(TComponent* owner, TWinControl* mainBox) {
  CreateDynamicsPage(owner, mainBox, CompPage());
}

void CreateGatePage(TComponent* owner, TWinControl* mainBox) {
  CreateDynamicsPage(owner, mainBox, GatePage());
}

}  // namespace pages
