// The "Channels" page: the channel selected in ChannelListBox. Rows are
// added as iPlotEditorTable.h describes. The common rows bind to the channel
// base; the fill, bar, high/low and digital rows, "Fast Draw", "Clip To
// Axes" and the interpolation style bind to the time-series channel only,
// so an XY channel neither shows nor takes them.

#include "instruments/editors/iPlotEditorChannelsPage.h"

#include <array>
#include <memory>

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotChannel.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotMasterManager.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "platform/sys/SysUtils.h"

namespace {

const std::vector<std::string> kPenStyles = {"Solid",      "Dash",  "Dot",        "DashDot",
                                             "DashDotDot", "Clear", "InsideFrame"};
const std::vector<std::string> kBrushStyles = {"Solid",     "Clear",     "Horizontal", "Vertical",
                                               "FDiagonal", "BDiagonal", "Cross",      "DiagCross"};

// The "Stats" displays, in the order of their captions.
enum TStat { sCount, sCapacity, sMemory, sPointSize, sMaxPoints, sXMin, sXMax, sXMean, sYMin, sYMax, sYMean };
struct StatDef {
  const char* Display;
  const char* Caption;
};
const std::array<StatDef, 11> kStats = {{{"ChannelStatsPointCountDisplay", "Point Count"},
                                         {"ChannelStatsPointCapacityDisplay", "Point Capacity"},
                                         {"ChannelStatsMemoryUsedDisplay", "Memory Used"},
                                         {"ChannelStatsDataPointSizeDisplay", "Data Point Size"},
                                         {"ChannelStatsMaxDataPointsDisplay", "Max Data Points"},
                                         {"ChannelStatsXMinDisplay", "X-Min"},
                                         {"ChannelStatsXMaxDisplay", "X-Max"},
                                         {"ChannelStatsXMeanDisplay", "X-Mean"},
                                         {"ChannelStatsYMinDisplay", "Y-Min"},
                                         {"ChannelStatsYMaxDisplay", "Y-Max"},
                                         {"ChannelStatsYMeanDisplay", "Y-Mean"}}};

// The sub-pages and controls an XY channel has no use for.
const std::array<const char*, 4> kTimeSeriesSheets = {"ChannelFillTabSheet", "ChannelDigitalTabSheet",
                                                      "ChannelHighLowTabSheet", "ChannelBarTabSheet"};
const std::array<const char*, 3> kTimeSeriesControls = {
    "ChannelFastDrawCheckBox", "ChannelInterpolationStyleComboBox", "ChannelInterpolationStyleLabel"};

std::string Translated(const TiPlotEditorForm& Form, const std::string& Text) {
  TiPlotTranslationManager* table = Form.Master ? Form.Master->GetTranslationManager() : nullptr;
  return table ? table->FindReplacement(Text) : Text;
}

void SetStat(TiPlotEditorForm& Form, TStat Stat, const std::string& Text) {
  if (auto* label = Form.Find<TLabel>(kStats[Stat].Display)) label->SetCaption(Text);
}

// The tabs and controls of the time-series channel, shown for every
// channel class but the XY channel's, with or without a selection.
void ShowTimeSeriesControls(TiPlotEditorForm& Form) {
  const bool xy = Form.Master && iIsChannelClass<TiXYPlotChannel>(Form.Master->GetChannelClass());
  for (const char* name : kTimeSeriesSheets)
    if (auto* sheet = Form.Find<TTabSheet>(name)) sheet->SetTabVisible(!xy);
  for (const char* name : kTimeSeriesControls)
    if (auto* control = Form.Find<TControl>(name)) control->SetVisible(!xy);
}

// Below the header, so that its own sub-pages are laid out at their height.
void PlaceHighLowPages(TiPlotEditorForm& Form) {
  auto* sheet = Form.Find<TWinControl>("ChannelHighLowTabSheet");
  auto* pages = Form.Find<TControl>("ChannelHighLowPageControl");
  if (!sheet || !pages) return;
  pages->SetAlign(alBottom);
  pages->SetHeight(sheet->GetClientHeight() - 32);
}

// The "High/Low" sub-page holds its two rows above the page control of its
// own sub-pages: the rows in one line at the top, the page control below.
void PlaceHighLowHeader(TiPlotEditorForm& Form) {
  auto* sheet = Form.Find<TWinControl>("ChannelHighLowTabSheet");
  auto* pages = Form.Find<TControl>("ChannelHighLowPageControl");
  auto* enabled = Form.Find<TControl>("ChannelHighLowEnabledCheckBox");
  auto* label = Form.Find<TControl>("ChannelHighLowStyleLabel");
  auto* style = Form.Find<TControl>("ChannelHighLowStyleComboBox");
  if (!sheet || !pages || !enabled || !label || !style) return;
  enabled->SetLeft(8);
  enabled->SetTop(6);
  label->SetLeft(enabled->GetLeft() + enabled->GetWidth() + 16);
  label->SetTop(9);
  style->SetLeft(label->GetLeft() + label->GetWidth() + 6);
  style->SetTop(5);
  PlaceHighLowPages(Form);
}

// Getters that have a per-point twin are named through a lambda.
void CommonRows(TiPlotEditorTable& t) {
  using C = TiPlotChannelCustom;
  t.On("ChannelGeneralTabSheet");
  t.Text<C>("ChannelNameEdit", "Name", &C::GetName, &C::SetName);
  t.Text<C>("ChannelTitleEdit", "Title", &C::GetTitleText, &C::SetTitleText);
  t.Color<C>("ChannelColorPicker", "Color", &C::GetColor, &C::SetColor);
  t.Name<C>("ChannelXAxisNameComboBox", "X-Axis", ienfXAxes, &C::GetXAxisName, &C::SetXAxisName);
  t.Name<C>("ChannelYAxisNameComboBox", "Y-Axis", ienfYAxes, &C::GetYAxisName, &C::SetYAxisName);
  t.Integer<C>("ChannelRingBufferSizeEdit", "Ring Buffer Size", &C::GetRingBufferSize, &C::SetRingBufferSize);
  t.Integer<C>("ChannelLayerEdit", "Layer", &C::GetLayer, &C::SetLayer).WithUpDown(0, 0);
  t.Combo<C>("ChannelDataStyleComboBox", "Data Style",
             {"Standard", "Compact", "Compact Interval", "Full Feature"}, &C::GetDataStyle, &C::SetDataStyle);
  t.Combo<C>("ChannelUserCanMoveDataPointsStyleComboBox", "Move Style", {"X and Y", "X Only", "Y Only"},
             &C::GetUserCanMoveDataPointsStyle, &C::SetUserCanMoveDataPointsStyle);
  t.Check<C>("ChannelVisibleCheckBox", "Visible", &C::GetVisible, &C::SetVisible);
  t.Check<C>("ChannelVisibleInLegendCheckBox", "Visible in Legend", &C::GetVisibleInLegend,
             &C::SetVisibleInLegend);
  t.Check<C>("ChannelPopupEnabledCheckBox", "Popup Enabled", &C::GetPopupEnabled, &C::SetPopupEnabled);
  t.Check<C>("ChannelXAxisTrackingEnabled", "X-Axis Tracking Enabled", &C::GetXAxisTrackingEnabled,
             &C::SetXAxisTrackingEnabled);
  t.Check<C>("ChannelYAxisTrackingEnabled", "Y-Axis Tracking Enabled", &C::GetYAxisTrackingEnabled,
             &C::SetYAxisTrackingEnabled);
  t.Check<C>("ChannelUserCanMoveDataPointsCheckBox", "User Can Move Data Points",
             &C::GetUserCanMoveDataPoints, &C::SetUserCanMoveDataPoints);

  t.On("ChannelTraceTabSheet");
  t.Check<C>("ChannelTraceVisibleCheckBox", "Visible", &C::GetTraceVisible, &C::SetTraceVisible);
  t.Combo<C>(
      "ChannelTraceLineStyleComboBox", "Line Style", {"Solid", "Dash", "Dot", "DashDot", "DashDotDot"},
      [](C* c) { return c->GetTraceLineStyle(); }, &C::SetTraceLineStyle);
  t.Integer<C>(
       "ChannelTraceLineWidthEdit", "Line Width", [](C* c) { return c->GetTraceLineWidth(); },
       &C::SetTraceLineWidth)
      .WithUpDown(0, 100);

  t.On("ChannelMarkerTabSheet");
  t.Check<C>("ChannelMarkersVisible", "Visible", &C::GetMarkersVisible, &C::SetMarkersVisible);
  t.Check<C>("ChannelMarkersAllowIndividual", "Allow Individual", &C::GetMarkersAllowIndividual,
             &C::SetMarkersAllowIndividual);
  t.Combo<C>("ChannelMarkersStyleComboBox", "Style",
             {"Circle", "Square", "Diamond", "Cross", "Plus", "Triangle Up", "Triangle Down", "Triangle Left",
              "Triangle Right", "Vertical Line", "Horizontal Line", "Character"},
             &C::GetMarkersStyle, &C::SetMarkersStyle);
  t.Integer<C>("ChannelMarkersSizeEdit", "Size", &C::GetMarkersSize, &C::SetMarkersSize).WithUpDown(0, 100);
  t.Integer<C>("ChannelMarkersTurnOffLimitEdit", "Turn Off Limit", &C::GetMarkersTurnOffLimit,
               &C::SetMarkersTurnOffLimit)
      .WithUpDown(0, 20000, 100);
  t.Font<C>("ChannelMarkersFontPicker", "", &C::GetMarkersFont, &C::SetMarkersFont);
  t.On("ChannelMarkerTabSheet", "Pen");
  t.Combo<C>("ChannelMarkersPenStyleComboBox", "Style", kPenStyles, &C::GetMarkersPenStyle,
             &C::SetMarkersPenStyle);
  t.Color<C>("ChannelMarkersPenColorPicker", "Color", &C::GetMarkersPenColor, &C::SetMarkersPenColor);
  t.Integer<C>("ChannelMarkersPenWidthEdit", "Width", &C::GetMarkersPenWidth, &C::SetMarkersPenWidth)
      .WithUpDown(0, 100);
  t.Check<C>("ChannelMarkersPenUseChannelColorCheckBox", "Use Channel Color",
             &C::GetMarkersPenUseChannelColor, &C::SetMarkersPenUseChannelColor);
  t.On("ChannelMarkerTabSheet", "Brush");
  t.Combo<C>("ChannelMarkersBrushStyleComboBox", "Style", kBrushStyles, &C::GetMarkersBrushStyle,
             &C::SetMarkersBrushStyle);
  t.Color<C>("ChannelMarkersBrushColorPicker", "Color", &C::GetMarkersBrushColor, &C::SetMarkersBrushColor);
  t.Check<C>("ChannelMarkersBrushUseChannelColorCheckBox", "Use Channel Color",
             &C::GetMarkersBrushUseChannelColor, &C::SetMarkersBrushUseChannelColor);
}

void TimeSeriesRows(TiPlotEditorTable& t) {
  using T = TiPlotChannel;
  t.On("ChannelGeneralTabSheet");
  t.Check<T>("ChannelFastDrawCheckBox", "Fast Draw", &T::GetFastDrawEnabled, &T::SetFastDrawEnabled);
  t.Check<T>("ChannelClipToAxesCheckBox", "Clip To Axes", &T::GetClipToAxes, &T::SetClipToAxes);

  t.On("ChannelTraceTabSheet");
  t.Combo<T>(
      "ChannelInterpolationStyleComboBox", "Interpolation",
      {"Straight Line", "Cubic Spline", "Polynomial", "Rational", "Differential", "Differential Terminated"},
      &T::GetInterpolationStyle, &T::SetInterpolationStyle);

  t.On("ChannelBarTabSheet");
  t.Check<T>("ChannelBarEnabledCheckBox", "Enabled", &T::GetBarEnabled, &T::SetBarEnabled);
  t.Float<T>(
      "ChannelBarWidthEdit", "Width", [](T* c) { return c->GetBarWidth(); }, &T::SetBarWidth);
  t.Float<T>(
      "ChannelBarReferenceEdit", "Reference", [](T* c) { return c->GetBarReference(); }, &T::SetBarReference);
  t.On("ChannelBarTabSheet", "Pen");
  t.Combo<T>(
      "ChannelBarPenStyleComboBox", "Style", kPenStyles, [](T* c) { return c->GetBarPenStyle(); },
      &T::SetBarPenStyle);
  t.Color<T>(
      "ChannelBarPenColorPicker", "Color", [](T* c) { return c->GetBarPenColor(); }, &T::SetBarPenColor);
  t.Integer<T>(
       "ChannelBarPenWidthEdit", "Width", [](T* c) { return c->GetBarPenWidth(); }, &T::SetBarPenWidth)
      .WithUpDown(0, 100);
  t.Check<T>("ChannelBarPenUseChannelColorCheckBox", "Use Channel Color", &T::GetBarPenUseChannelColor,
             &T::SetBarPenUseChannelColor);
  t.On("ChannelBarTabSheet", "Brush");
  t.Combo<T>(
      "ChannelBarBrushStyleComboBox", "Style", kBrushStyles, [](T* c) { return c->GetBarBrushStyle(); },
      &T::SetBarBrushStyle);
  t.Color<T>(
      "ChannelBarBrushColorPicker", "Color", [](T* c) { return c->GetBarBrushColor(); },
      &T::SetBarBrushColor);
  t.Check<T>("ChannelBarBrushUseChannelColorCheckBox", "Use Channel Color", &T::GetBarBrushUseChannelColor,
             &T::SetBarBrushUseChannelColor);

  t.On("ChannelHighLowTabSheet");
  t.Check<T>("ChannelHighLowEnabledCheckBox", "Enabled", &T::GetHighLowEnabled, &T::SetHighLowEnabled);
  t.Combo<T>("ChannelHighLowStyleComboBox", "Style", {"Open/Close", "Candlestick"}, &T::GetHighLowStyle,
             &T::SetHighLowStyle);
  t.On("ChannelHighLowOpenCloseTabSheet", "Open");
  t.Check<T>("ChannelHighLowOpenShowCheckBox", "Show", &T::GetHighLowOpenShow, &T::SetHighLowOpenShow);
  t.Color<T>("ChannelHighLowOpenColorPicker", "Color", &T::GetHighLowOpenColor, &T::SetHighLowOpenColor);
  t.Float<T>("ChannelHighLowOpenWidthEdit", "Width", &T::GetHighLowOpenWidth, &T::SetHighLowOpenWidth);
  t.Float<T>("ChannelHighLowOpenHeightEdit", "Height", &T::GetHighLowOpenHeight, &T::SetHighLowOpenHeight);
  t.On("ChannelHighLowOpenCloseTabSheet", "Close");
  t.Check<T>("ChannelHighLowCloseShowCheckBox", "Show", &T::GetHighLowCloseShow, &T::SetHighLowCloseShow);
  t.Color<T>("ChannelHighLowCloseColorPicker", "Color", &T::GetHighLowCloseColor, &T::SetHighLowCloseColor);
  t.Float<T>("ChannelHighLowCloseWidthEdit", "Width", &T::GetHighLowCloseWidth, &T::SetHighLowCloseWidth);
  t.Float<T>("ChannelHighLowCloseHeightEdit", "Height", &T::GetHighLowCloseHeight, &T::SetHighLowCloseHeight);
  t.On("ChannelHighLowOpenCloseTabSheet", "Bar");
  t.Color<T>("ChannelHighLowBarColorPicker", "Color", &T::GetHighLowBarColor, &T::SetHighLowBarColor);
  t.Float<T>("ChannelHighLowBarWidthEdit", "Width", &T::GetHighLowBarWidth, &T::SetHighLowBarWidth);
  t.On("ChannelHighLowCandlestickTabSheet");
  t.Color<T>("ChannelHighLowShadowColorPicker", "Shadow Color", &T::GetHighLowShadowColor,
             &T::SetHighLowShadowColor);
  t.Color<T>("ChannelHighLowBullishColorPicker", "Bullish Color", &T::GetHighLowBullishColor,
             &T::SetHighLowBullishColor);
  t.Color<T>("ChannelHighLowBearishColorPicker", "Bearish Color", &T::GetHighLowBearishColor,
             &T::SetHighLowBearishColor);

  t.On("ChannelFillTabSheet");
  t.Check<T>("ChannelFillEnabledCheckBox", "Enabled", &T::GetFillEnabled, &T::SetFillEnabled);
  t.Float<T>("ChannelFillReferenceEdit", "Reference", &T::GetFillReference, &T::SetFillReference);
  t.Combo<T>("ChannelFillStyleComboBox", "Style", kBrushStyles, &T::GetFillStyle, &T::SetFillStyle);
  t.Color<T>("ChannelFillColorPicker", "Color", &T::GetFillColor, &T::SetFillColor);
  t.Check<T>("ChannelFillUseChannelColorCheckBox", "Use Channel Color", &T::GetFillUseChannelColor,
             &T::SetFillUseChannelColor);

  t.On("ChannelDigitalTabSheet");
  t.Check<T>("ChannelDigitalEnabledCheckBox", "Enabled", &T::GetDigitalEnabled, &T::SetDigitalEnabled);
  t.Float<T>("ChannelDigitalReferenceHighEdit", "Reference High", &T::GetDigitalReferenceHigh,
             &T::SetDigitalReferenceHigh);
  t.Float<T>("ChannelDigitalReferenceLowEdit", "Reference Low", &T::GetDigitalReferenceLow,
             &T::SetDigitalReferenceLow);
  t.Combo<T>("ChannelDigitalReferenceStyleComboBox", "Reference Style", {"Scale", "Percent"},
             &T::GetDigitalReferenceStyle, &T::SetDigitalReferenceStyle);
}

void StatsRows(TiPlotEditorTable& t) {
  t.On("ChannelStatsTabSheet");
  for (const StatDef& s : kStats) t.Display(s.Display, s.Caption);
  t.Button("ChannelStatsRefreshButton", "Refresh", &iPlotEditorRefreshChannelStats);
}

}  // namespace

void iPlotEditorClearChannelStats(TiPlotEditorForm& Form) {
  const std::string text = Form.SelectedObject(iepkChannel) ? Translated(Form, "Click Refresh") : "";
  for (const StatDef& s : kStats)
    if (auto* label = Form.Find<TLabel>(s.Display)) label->SetCaption(text);
}

void iPlotEditorRefreshChannelStats(TiPlotEditorForm& Form) {
  auto* channel = dynamic_cast<TiPlotChannelCustom*>(Form.SelectedObject(iepkChannel));
  if (!channel) {
    iPlotEditorClearChannelStats(Form);
    return;
  }
  const std::string bytes = Translated(Form, " Bytes");
  SetStat(Form, sCount, IntToStr(channel->GetCount()));
  SetStat(Form, sCapacity, IntToStr(channel->GetCapacity()));
  SetStat(Form, sMemory, IntToStr(channel->GetMemoryUsed()) + bytes);
  SetStat(Form, sPointSize, IntToStr(channel->GetDataPointSize()) + bytes);
  SetStat(Form, sMaxPoints, IntToStr(channel->GetMaxDataPoints()));

  channel->ReCalcRunningMinMaxMean();
  // Without a valid point the running values are the sentinels (and a mean
  // of 0), which the channel never held: the displays stay empty.
  auto show = [&](TiPlotAxis* Axis, double Min, double Max, double Mean, TStat First) {
    const bool any = Min <= Max;
    const double values[3] = {Min, Max, Mean};
    for (int i = 0; i < 3; ++i) {
      std::string text;
      if (any) text = Axis ? Axis->GetLabelText(values[i]) : FloatToStr(values[i]);
      SetStat(Form, static_cast<TStat>(First + i), text);
    }
  };
  show(channel->GetXAxis(), channel->GetRunningXMin(), channel->GetRunningXMax(), channel->GetRunningXMean(),
       sXMin);
  show(channel->GetYAxis(), channel->GetRunningYMin(), channel->GetRunningYMax(), channel->GetRunningYMean(),
       sYMin);
}

void iPlotEditorChannelsPage(TiPlotEditorPage& Page) {
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuUpdateAll;

  CommonRows(t);
  TimeSeriesRows(t);
  StatsRows(t);
  iPlotEditorChannelFileRows(Page);

  t.RefreshOrder({"ChannelNameEdit",
                  "ChannelVisibleCheckBox",
                  "ChannelPopupEnabledCheckBox",
                  "ChannelLayerEdit",
                  "ChannelTitleEdit",
                  "ChannelVisibleInLegendCheckBox",
                  "ChannelUserCanMoveDataPointsCheckBox",
                  "ChannelUserCanMoveDataPointsStyleComboBox",
                  "ChannelRingBufferSizeEdit",
                  "ChannelColorPicker",
                  "ChannelXAxisTrackingEnabled",
                  "ChannelYAxisTrackingEnabled",
                  "ChannelDataStyleComboBox",
                  "ChannelTraceVisibleCheckBox",
                  "ChannelTraceLineStyleComboBox",
                  "ChannelTraceLineWidthEdit",
                  "ChannelMarkersVisible",
                  "ChannelMarkersAllowIndividual",
                  "ChannelMarkersStyleComboBox",
                  "ChannelMarkersSizeEdit",
                  "ChannelMarkersPenStyleComboBox",
                  "ChannelMarkersPenColorPicker",
                  "ChannelMarkersPenUseChannelColorCheckBox",
                  "ChannelMarkersPenWidthEdit",
                  "ChannelMarkersBrushStyleComboBox",
                  "ChannelMarkersBrushColorPicker",
                  "ChannelMarkersBrushUseChannelColorCheckBox",
                  "ChannelMarkersTurnOffLimitEdit",
                  "ChannelLogFileNameEdit",
                  "ChannelLogBufferSizeEdit",
                  "ChannelMarkersFontPicker"});
  t.WriteOrder({"ChannelNameEdit",
                "ChannelVisibleCheckBox",
                "ChannelPopupEnabledCheckBox",
                "ChannelLayerEdit",
                "ChannelTitleEdit",
                "ChannelVisibleInLegendCheckBox",
                "ChannelUserCanMoveDataPointsCheckBox",
                "ChannelUserCanMoveDataPointsStyleComboBox",
                "ChannelRingBufferSizeEdit",
                "ChannelColorPicker",
                "ChannelXAxisNameComboBox",
                "ChannelYAxisNameComboBox",
                "ChannelXAxisTrackingEnabled",
                "ChannelYAxisTrackingEnabled",
                "ChannelDataStyleComboBox",
                "ChannelTraceVisibleCheckBox",
                "ChannelTraceLineStyleComboBox",
                "ChannelTraceLineWidthEdit",
                "ChannelMarkersVisible",
                "ChannelMarkersAllowIndividual",
                "ChannelMarkersSizeEdit",
                "ChannelMarkersStyleComboBox",
                "ChannelMarkersPenColorPicker",
                "ChannelMarkersPenUseChannelColorCheckBox",
                "ChannelMarkersPenStyleComboBox",
                "ChannelMarkersPenWidthEdit",
                "ChannelMarkersBrushColorPicker",
                "ChannelMarkersBrushUseChannelColorCheckBox",
                "ChannelMarkersBrushStyleComboBox",
                "ChannelMarkersTurnOffLimitEdit",
                "ChannelLogFileNameEdit",
                "ChannelLogBufferSizeEdit",
                "ChannelMarkersFontPicker",
                "ChannelFillEnabledCheckBox",
                "ChannelFillReferenceEdit",
                "ChannelFillStyleComboBox",
                "ChannelFillColorPicker",
                "ChannelFillUseChannelColorCheckBox",
                "ChannelBarEnabledCheckBox",
                "ChannelBarWidthEdit",
                "ChannelBarReferenceEdit",
                "ChannelBarPenUseChannelColorCheckBox",
                "ChannelBarPenStyleComboBox",
                "ChannelBarPenColorPicker",
                "ChannelBarPenWidthEdit",
                "ChannelBarBrushUseChannelColorCheckBox",
                "ChannelBarBrushStyleComboBox",
                "ChannelBarBrushColorPicker",
                "ChannelHighLowStyleComboBox",
                "ChannelHighLowEnabledCheckBox",
                "ChannelHighLowBarColorPicker",
                "ChannelHighLowBarWidthEdit",
                "ChannelHighLowOpenShowCheckBox",
                "ChannelHighLowOpenColorPicker",
                "ChannelHighLowOpenWidthEdit",
                "ChannelHighLowOpenHeightEdit",
                "ChannelHighLowCloseShowCheckBox",
                "ChannelHighLowCloseColorPicker",
                "ChannelHighLowCloseWidthEdit",
                "ChannelHighLowCloseHeightEdit",
                "ChannelHighLowShadowColorPicker",
                "ChannelHighLowBullishColorPicker",
                "ChannelHighLowBearishColorPicker",
                "ChannelDigitalEnabledCheckBox",
                "ChannelDigitalReferenceHighEdit",
                "ChannelDigitalReferenceLowEdit",
                "ChannelDigitalReferenceStyleComboBox",
                "ChannelFastDrawCheckBox",
                "ChannelClipToAxesCheckBox",
                "ChannelInterpolationStyleComboBox"});

  // The file rows may bring hooks of their own: these run after them.
  // Figures of a channel no longer selected are stale: the displays are
  // reset whenever the selection is another object than at the last
  // refresh (the first refresh included), also when a channel came or went
  // through the plot itself.
  struct Shown {
    bool Any = false;
    TObject* Channel = nullptr;
  };
  auto shown = std::make_shared<Shown>();
  Page.BeforeArrange = PlaceHighLowPages;
  auto before = Page.BeforeRefresh;
  Page.BeforeRefresh = [before, shown](TiPlotEditorForm& Form) {
    if (before) before(Form);
    ShowTimeSeriesControls(Form);
    PlaceHighLowHeader(Form);
    TObject* selected = Form.SelectedObject(iepkChannel);
    if (shown->Any && selected == shown->Channel) return;
    shown->Any = true;
    shown->Channel = selected;
    iPlotEditorClearChannelStats(Form);
  };
  // A click in the list, "Add" and "Remove" reset them in any case.
  auto select = Page.AfterSelect;
  Page.AfterSelect = [select](TiPlotEditorForm& Form) {
    if (select) select(Form);
    iPlotEditorClearChannelStats(Form);
  };
}
