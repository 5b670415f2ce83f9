// The plot editor's "Channels", "X-Axes" and "Y-Axes" pages: rows written
// through their controls reach the object and the object's values come back
// after a refresh; the XY channel's hidden tabs; the statistics; the axis
// pages' up-downs, date-time format boxes, name boxes and "Copy Default".
// Renders of every sub-page in English and in Chinese.

#include <filesystem>
#include <functional>
#include <tuple>

#include "instruments/editors/iPlotEditorChannelsPage.h"
#include "instruments/plot/iPlot.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotMasterManager.h"
#include "platform/classlib/ControlImage.h"
#include "platform/sys/SysUtils.h"
#include "tests/instruments/editors/PlotEditorTestSupport.h"

using namespace editors_test;

namespace {

// A strip-chart plot (time-series channels) whose editor opens stay-on-top.
struct StripPlot {
  TiPlot* plot;
  StripPlot() {
    classlib_test::App();
    plot = new TiPlot(nullptr);
    plot->SetEditorFormStyle(ipfsStayOnTop);
  }
  ~StripPlot() { delete plot; }
  StripPlot(const StripPlot&) = delete;
  StripPlot& operator=(const StripPlot&) = delete;
  TiPlotEditorForm* Open() {
    plot->EditProperties();
    return plot->GetMaster()->GetEditorForm();
  }
};

// ---------------------------------------------------------------- values as text

std::string AsText(const std::string& v) {
  return v;
}
std::string AsText(bool v) {
  return v ? "1" : "0";
}
std::string AsText(double v) {
  return FloatToStr(v);
}
template <class V>
std::string AsText(V v) {
  return IntToStr(static_cast<long long>(v));
}

template <class V>
V FromText(const std::string& s) {
  if constexpr (std::is_same_v<V, std::string>)
    return s;
  else if constexpr (std::is_same_v<V, bool>)
    return s == "1";
  else if constexpr (std::is_same_v<V, double>)
    return std::stod(s);
  else
    return static_cast<V>(std::stoi(s));
}

// What a control shows, as text: an edit's or editable box's text, a check
// box "1"/"0", a list's or radio group's index, a colour's number.
std::string Shown(TComponent* c) {
  if (auto* e = dynamic_cast<TiComponentEditorEdit*>(c)) return e->GetAsString();
  if (auto* k = dynamic_cast<TiComponentEditorCheckBox*>(c)) return AsText(k->GetAsBoolean());
  if (auto* b = dynamic_cast<TiComponentEditorComboBox*>(c))
    return b->GetStyle() == csDropDown ? b->GetAsString() : AsText(b->GetAsInteger());
  if (auto* r = dynamic_cast<TiComponentEditorRadioGroup*>(c)) return AsText(r->GetAsInteger());
  if (auto* p = dynamic_cast<TiComponentEditorColorPicker*>(c)) return AsText(p->GetColor());
  ADD_FAILURE() << "no value of " << (c ? c->GetName() : "(none)");
  return {};
}

// The user's change of a control: its value, then the event a user's change
// fires (the Enter of an edit, the click of a check box, the change of the
// others).
void UserSets(TComponent* c, const std::string& value) {
  ASSERT_NE(c, nullptr);
  if (auto* e = dynamic_cast<TiComponentEditorEdit*>(c)) {
    e->SetStringWithEvent(value);
  } else if (auto* k = dynamic_cast<TiComponentEditorCheckBox*>(c)) {
    k->SetChecked(value == "1");
  } else if (auto* b = dynamic_cast<TiComponentEditorComboBox*>(c)) {
    if (b->GetStyle() == csDropDown)
      b->SetAsString(value);
    else
      b->SetAsInteger(std::stoi(value));
    ASSERT_TRUE(b->OnChange);
    b->OnChange(b);
  } else if (auto* r = dynamic_cast<TiComponentEditorRadioGroup*>(c)) {
    r->SetAsInteger(std::stoi(value));
    ASSERT_TRUE(r->OnChange);
    r->OnChange(r);
  } else if (auto* p = dynamic_cast<TiComponentEditorColorPicker*>(c)) {
    p->SetColor(std::stoi(value));
    ASSERT_TRUE(p->OnChange);
    p->OnChange(p);
  } else {
    FAIL() << "cannot set " << c->GetName();
  }
}

// One row: the control, a value the user enters, a value set on the object,
// and the object's property as text.
template <class O>
struct Row {
  std::string control;
  std::string typed;
  std::string stored;
  std::function<std::string(O*)> get;
  std::function<void(O*, const std::string&)> set;
};

template <class O, class G, class S>
Row<O> R(std::string control, std::string typed, std::string stored, G get, S set) {
  return {std::move(control), std::move(typed), std::move(stored),
          [get](O* o) { return AsText(std::invoke(get, o)); },
          [get, set](O* o, const std::string& v) {
            using V = std::decay_t<decltype(std::invoke(get, o))>;
            std::invoke(set, o, FromText<V>(v));
          }};
}

// Each row both ways: typed into the control it reaches the object; set on
// the object it shows in the control once the page is refreshed.
template <class O>
void CheckRows(TiPlotEditorForm* form, O* object, const std::vector<Row<O>>& rows) {
  for (const Row<O>& r : rows) {
    SCOPED_TRACE(r.control);
    TComponent* control = form->FindComponent(r.control);
    ASSERT_NE(control, nullptr);
    UserSets(control, r.typed);
    EXPECT_EQ(r.get(object), r.typed);
    r.set(object, r.stored);
    form->UpdateAll();
    EXPECT_EQ(Shown(control), r.stored);
  }
}

// ---------------------------------------------------------------- channels

TEST(PlotEditorChannels, CommonRowsBothWays) {
  EditorPlot p;
  p.plot->AddXAxis();
  p.plot->AddYAxis();
  TiPlotEditorForm* form = p.Open();
  PickEntry(form, "ChannelListBox", 1);
  using C = TiPlotChannelCustom;
  C* ch = p.plot->GetChannel(1);
  const std::vector<Row<C>> rows = {
      R<C>("ChannelNameEdit", "Flow", "Level", &C::GetName, &C::SetName),
      R<C>("ChannelTitleEdit", "Inflow", "Outflow", &C::GetTitleText, &C::SetTitleText),
      R<C>("ChannelColorPicker", "255", "65280", &C::GetColor, &C::SetColor),
      R<C>("ChannelRingBufferSizeEdit", "500", "20", &C::GetRingBufferSize, &C::SetRingBufferSize),
      R<C>("ChannelLayerEdit", "7", "3", &C::GetLayer, &C::SetLayer),
      R<C>("ChannelDataStyleComboBox", "3", "1", &C::GetDataStyle, &C::SetDataStyle),
      R<C>("ChannelUserCanMoveDataPointsStyleComboBox", "2", "1", &C::GetUserCanMoveDataPointsStyle,
           &C::SetUserCanMoveDataPointsStyle),
      R<C>("ChannelVisibleCheckBox", "0", "1", &C::GetVisible, &C::SetVisible),
      R<C>("ChannelVisibleInLegendCheckBox", "0", "1", &C::GetVisibleInLegend, &C::SetVisibleInLegend),
      R<C>("ChannelPopupEnabledCheckBox", "0", "1", &C::GetPopupEnabled, &C::SetPopupEnabled),
      R<C>("ChannelXAxisTrackingEnabled", "0", "1", &C::GetXAxisTrackingEnabled, &C::SetXAxisTrackingEnabled),
      R<C>("ChannelYAxisTrackingEnabled", "0", "1", &C::GetYAxisTrackingEnabled, &C::SetYAxisTrackingEnabled),
      R<C>("ChannelUserCanMoveDataPointsCheckBox", "1", "0", &C::GetUserCanMoveDataPoints,
           &C::SetUserCanMoveDataPoints),
      R<C>("ChannelTraceVisibleCheckBox", "0", "1", &C::GetTraceVisible, &C::SetTraceVisible),
      R<C>(
          "ChannelTraceLineStyleComboBox", "4", "2", [](C* c) { return c->GetTraceLineStyle(); },
          &C::SetTraceLineStyle),
      R<C>(
          "ChannelTraceLineWidthEdit", "3", "5", [](C* c) { return c->GetTraceLineWidth(); },
          &C::SetTraceLineWidth),
      R<C>("ChannelMarkersVisible", "1", "0", &C::GetMarkersVisible, &C::SetMarkersVisible),
      R<C>("ChannelMarkersAllowIndividual", "1", "0", &C::GetMarkersAllowIndividual,
           &C::SetMarkersAllowIndividual),
      R<C>("ChannelMarkersStyleComboBox", "11", "5", &C::GetMarkersStyle, &C::SetMarkersStyle),
      R<C>("ChannelMarkersSizeEdit", "9", "4", &C::GetMarkersSize, &C::SetMarkersSize),
      R<C>("ChannelMarkersTurnOffLimitEdit", "1500", "200", &C::GetMarkersTurnOffLimit,
           &C::SetMarkersTurnOffLimit),
      R<C>("ChannelMarkersPenStyleComboBox", "6", "5", &C::GetMarkersPenStyle, &C::SetMarkersPenStyle),
      R<C>("ChannelMarkersPenColorPicker", "128", "32768", &C::GetMarkersPenColor, &C::SetMarkersPenColor),
      R<C>("ChannelMarkersPenWidthEdit", "2", "6", &C::GetMarkersPenWidth, &C::SetMarkersPenWidth),
      R<C>("ChannelMarkersPenUseChannelColorCheckBox", "0", "1", &C::GetMarkersPenUseChannelColor,
           &C::SetMarkersPenUseChannelColor),
      R<C>("ChannelMarkersBrushStyleComboBox", "7", "1", &C::GetMarkersBrushStyle, &C::SetMarkersBrushStyle),
      R<C>("ChannelMarkersBrushColorPicker", "8388608", "16711680", &C::GetMarkersBrushColor,
           &C::SetMarkersBrushColor),
      R<C>("ChannelMarkersBrushUseChannelColorCheckBox", "0", "1", &C::GetMarkersBrushUseChannelColor,
           &C::SetMarkersBrushUseChannelColor),
  };
  CheckRows(form, ch, rows);
  // The other channel kept its own values.
  EXPECT_EQ(p.plot->GetChannel(0)->GetName(), "Channel 1");
  EXPECT_EQ(p.plot->GetChannel(0)->GetTitleText(), "Channel 1");
}

// The time-series rows on a strip-chart plot.
TEST(PlotEditorChannels, TimeSeriesRowsBothWays) {
  StripPlot p;
  TiPlotEditorForm* form = p.Open();
  using T = TiPlotChannel;
  T* ch = p.plot->GetChannel(0);
  const std::vector<Row<T>> rows = {
      R<T>("ChannelFastDrawCheckBox", "0", "1", &T::GetFastDrawEnabled, &T::SetFastDrawEnabled),
      R<T>("ChannelClipToAxesCheckBox", "1", "0", &T::GetClipToAxes, &T::SetClipToAxes),
      R<T>("ChannelInterpolationStyleComboBox", "5", "2", &T::GetInterpolationStyle,
           &T::SetInterpolationStyle),
      R<T>("ChannelBarEnabledCheckBox", "1", "0", &T::GetBarEnabled, &T::SetBarEnabled),
      R<T>(
          "ChannelBarWidthEdit", "2.5", "0.75", [](T* c) { return c->GetBarWidth(); }, &T::SetBarWidth),
      R<T>(
          "ChannelBarReferenceEdit", "-3", "1.5", [](T* c) { return c->GetBarReference(); },
          &T::SetBarReference),
      R<T>(
          "ChannelBarPenStyleComboBox", "3", "1", [](T* c) { return c->GetBarPenStyle(); },
          &T::SetBarPenStyle),
      R<T>(
          "ChannelBarPenColorPicker", "4227072", "255", [](T* c) { return c->GetBarPenColor(); },
          &T::SetBarPenColor),
      R<T>(
          "ChannelBarPenWidthEdit", "4", "2", [](T* c) { return c->GetBarPenWidth(); }, &T::SetBarPenWidth),
      R<T>("ChannelBarPenUseChannelColorCheckBox", "0", "1", &T::GetBarPenUseChannelColor,
           &T::SetBarPenUseChannelColor),
      R<T>(
          "ChannelBarBrushStyleComboBox", "6", "0", [](T* c) { return c->GetBarBrushStyle(); },
          &T::SetBarBrushStyle),
      R<T>(
          "ChannelBarBrushColorPicker", "33023", "128", [](T* c) { return c->GetBarBrushColor(); },
          &T::SetBarBrushColor),
      R<T>("ChannelBarBrushUseChannelColorCheckBox", "0", "1", &T::GetBarBrushUseChannelColor,
           &T::SetBarBrushUseChannelColor),
      R<T>("ChannelHighLowEnabledCheckBox", "1", "0", &T::GetHighLowEnabled, &T::SetHighLowEnabled),
      R<T>("ChannelHighLowStyleComboBox", "1", "0", &T::GetHighLowStyle, &T::SetHighLowStyle),
      R<T>("ChannelHighLowOpenShowCheckBox", "0", "1", &T::GetHighLowOpenShow, &T::SetHighLowOpenShow),
      R<T>("ChannelHighLowOpenColorPicker", "1", "2", &T::GetHighLowOpenColor, &T::SetHighLowOpenColor),
      R<T>("ChannelHighLowOpenWidthEdit", "1.25", "3", &T::GetHighLowOpenWidth, &T::SetHighLowOpenWidth),
      R<T>("ChannelHighLowOpenHeightEdit", "0.5", "2", &T::GetHighLowOpenHeight, &T::SetHighLowOpenHeight),
      R<T>("ChannelHighLowCloseShowCheckBox", "0", "1", &T::GetHighLowCloseShow, &T::SetHighLowCloseShow),
      R<T>("ChannelHighLowCloseColorPicker", "3", "4", &T::GetHighLowCloseColor, &T::SetHighLowCloseColor),
      R<T>("ChannelHighLowCloseWidthEdit", "4.5", "6", &T::GetHighLowCloseWidth, &T::SetHighLowCloseWidth),
      R<T>("ChannelHighLowCloseHeightEdit", "7", "8.5", &T::GetHighLowCloseHeight, &T::SetHighLowCloseHeight),
      R<T>("ChannelHighLowBarColorPicker", "5", "6", &T::GetHighLowBarColor, &T::SetHighLowBarColor),
      R<T>("ChannelHighLowBarWidthEdit", "9", "1.5", &T::GetHighLowBarWidth, &T::SetHighLowBarWidth),
      R<T>("ChannelHighLowShadowColorPicker", "7", "8", &T::GetHighLowShadowColor, &T::SetHighLowShadowColor),
      R<T>("ChannelHighLowBullishColorPicker", "9", "10", &T::GetHighLowBullishColor,
           &T::SetHighLowBullishColor),
      R<T>("ChannelHighLowBearishColorPicker", "11", "12", &T::GetHighLowBearishColor,
           &T::SetHighLowBearishColor),
      R<T>("ChannelFillEnabledCheckBox", "1", "0", &T::GetFillEnabled, &T::SetFillEnabled),
      R<T>("ChannelFillReferenceEdit", "12.5", "-1", &T::GetFillReference, &T::SetFillReference),
      R<T>("ChannelFillStyleComboBox", "4", "7", &T::GetFillStyle, &T::SetFillStyle),
      R<T>("ChannelFillColorPicker", "13", "14", &T::GetFillColor, &T::SetFillColor),
      R<T>("ChannelFillUseChannelColorCheckBox", "0", "1", &T::GetFillUseChannelColor,
           &T::SetFillUseChannelColor),
      R<T>("ChannelDigitalEnabledCheckBox", "1", "0", &T::GetDigitalEnabled, &T::SetDigitalEnabled),
      R<T>("ChannelDigitalReferenceHighEdit", "80", "90.5", &T::GetDigitalReferenceHigh,
           &T::SetDigitalReferenceHigh),
      R<T>("ChannelDigitalReferenceLowEdit", "20", "10.5", &T::GetDigitalReferenceLow,
           &T::SetDigitalReferenceLow),
      R<T>("ChannelDigitalReferenceStyleComboBox", "1", "0", &T::GetDigitalReferenceStyle,
           &T::SetDigitalReferenceStyle),
  };
  CheckRows(form, ch, rows);
}

// On the XY plot the time-series tabs, "Fast Draw" and the interpolation
// style are hidden, with and without a channel; on a strip chart they show.
TEST(PlotEditorChannels, TimeSeriesTabsAndControlsFollowTheChannelClass) {
  auto check = [](TiPlotEditorForm* form, bool shown) {
    for (const char* sheet :
         {"ChannelFillTabSheet", "ChannelDigitalTabSheet", "ChannelHighLowTabSheet", "ChannelBarTabSheet"})
      EXPECT_EQ(Named<TTabSheet>(form, sheet)->GetTabVisible(), shown) << sheet;
    for (const char* control :
         {"ChannelFastDrawCheckBox", "ChannelInterpolationStyleComboBox", "ChannelInterpolationStyleLabel"})
      EXPECT_EQ(Named<TControl>(form, control)->GetVisible(), shown) << control;
    EXPECT_TRUE(Named<TControl>(form, "ChannelClipToAxesCheckBox")->GetVisible());
    for (const char* sheet : {"ChannelGeneralTabSheet", "ChannelTraceTabSheet", "ChannelStatsTabSheet"})
      EXPECT_TRUE(Named<TTabSheet>(form, sheet)->GetTabVisible()) << sheet;
  };
  {
    EditorPlot p;
    TiPlotEditorForm* form = p.Open();
    check(form, false);
    p.plot->DeleteChannel(1);
    p.plot->DeleteChannel(0);
    form->UpdateAll();
    check(form, false);
  }
  {
    StripPlot p;
    TiPlotEditorForm* form = p.Open();
    check(form, true);
    p.plot->DeleteChannel(0);
    form->UpdateAll();
    check(form, true);
  }
}

// "Clip To Axes" is read and written for time-series channels only.
TEST(PlotEditorChannels, ClipToAxesLeavesAnXYChannelAlone) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  TiPlotChannelCustom* ch = p.plot->GetChannel(0);
  ch->SetClipToAxes(true);
  form->UpdateAll();
  auto* box = Named<TiComponentEditorCheckBox>(form, "ChannelClipToAxesCheckBox");
  EXPECT_FALSE(box->GetAsBoolean());
  UserSets(box, "1");
  UserSets(box, "0");
  EXPECT_TRUE(ch->GetClipToAxes());
}

// The axis boxes list "<None>" and the axes; the choice is stored by name.
TEST(PlotEditorChannels, AxisNameBoxesListTheAxesAndStoreTheChoice) {
  EditorPlot p;
  p.plot->AddXAxis();
  TiPlotEditorForm* form = p.Open();
  auto* box = Named<TiComponentEditorComboBox>(form, "ChannelXAxisNameComboBox");
  EXPECT_EQ(Entries(box->GetItems()), (std::vector<std::string>{"<None>", "X-Axis 1", "X-Axis 2"}));
  EXPECT_EQ(box->GetAsInteger(), 1);
  UserSets(box, "2");
  EXPECT_EQ(p.plot->GetChannel(0)->GetXAxisName(), "X-Axis 2");
  EXPECT_EQ(Entries(Named<TiComponentEditorComboBox>(form, "ChannelYAxisNameComboBox")->GetItems()),
            (std::vector<std::string>{"<None>", "Y-Axis 1"}));
}

std::vector<std::string> Stats(TiPlotEditorForm* form) {
  std::vector<std::string> out;
  for (const char* name :
       {"ChannelStatsPointCountDisplay", "ChannelStatsPointCapacityDisplay", "ChannelStatsMemoryUsedDisplay",
        "ChannelStatsDataPointSizeDisplay", "ChannelStatsMaxDataPointsDisplay", "ChannelStatsXMinDisplay",
        "ChannelStatsXMaxDisplay", "ChannelStatsXMeanDisplay", "ChannelStatsYMinDisplay",
        "ChannelStatsYMaxDisplay", "ChannelStatsYMeanDisplay"})
    out.push_back(Named<TLabel>(form, name)->GetCaption());
  return out;
}

const std::vector<std::string> kClickRefresh(11, "Click Refresh");

// "Refresh" fills the displays from the channel, X and Y through their
// axes' label texts (dates on a date-time axis); a channel without a valid
// point shows its store but no minimum, maximum or mean.
TEST(PlotEditorChannels, StatsShowTheChannelThroughItsAxes) {
  EditorPlot p;
  TiXYPlotChannel* ch = p.plot->GetChannel(0);
  for (auto [x, y] : {std::pair{45000.25, 10.0}, {45002.75, 30.0}, {45001.5, 20.0}}) ch->AddXY(x, y);
  ch->AddNull();
  TiPlotXAxis* xAxis = p.plot->GetXAxis(0);
  xAxis->SetLabelsFormatStyle(iptfDateTime);
  xAxis->SetDateTimeFormat("yyyy-mm-dd");
  TiPlotEditorForm* form = p.Open();
  EXPECT_EQ(Stats(form), kClickRefresh);
  ClickButton(form, "ChannelStatsRefreshButton");
  const std::string bytes = " Bytes";
  TiPlotYAxis* yAxis = p.plot->GetYAxis(0);
  EXPECT_EQ(Stats(form), (std::vector<std::string>{
                             "4", IntToStr(ch->GetCapacity()), IntToStr(ch->GetMemoryUsed()) + bytes,
                             IntToStr(ch->GetDataPointSize()) + bytes, IntToStr(ch->GetMaxDataPoints()),
                             "2023-03-15", "2023-03-17", "2023-03-16", yAxis->GetLabelText(10),
                             yAxis->GetLabelText(30), yAxis->GetLabelText(20)}));

  // Without axes the numbers in general format.
  ch->SetXAxisName("");
  ch->SetYAxisName("");
  ClickButton(form, "ChannelStatsRefreshButton");
  const std::vector<std::string> plain = Stats(form);
  EXPECT_EQ(std::vector<std::string>(plain.begin() + 5, plain.end()),
            (std::vector<std::string>{"45000.25", "45002.75", "45001.5", "10", "30", "20"}));

  // Only a Null point: no minimum, maximum or mean (no 1e300, no 0).
  ch->Clear();
  ch->AddNull();
  ClickButton(form, "ChannelStatsRefreshButton");
  const std::vector<std::string> none = Stats(form);
  EXPECT_EQ(none[0], "1");
  EXPECT_EQ(std::vector<std::string>(none.begin() + 5, none.end()), std::vector<std::string>(6, ""));
}

// Another channel, "Add" and "Remove" put "Click Refresh" back; a write-back
// leaves the figures; with no channel left the displays are empty.
TEST(PlotEditorChannels, StatsResetOnSelectAddAndRemove) {
  EditorPlot p;
  p.plot->SetUserCanAddRemoveChannels(true);
  TiPlotEditorForm* form = p.Open();
  auto refreshed = [&] {
    ClickButton(form, "ChannelStatsRefreshButton");
    EXPECT_EQ(Stats(form)[0], "0");
  };
  refreshed();
  TypeInto(form, "ChannelTitleEdit", "Renamed");
  EXPECT_EQ(Stats(form)[0], "0");
  PickEntry(form, "ChannelListBox", 1);
  EXPECT_EQ(Stats(form), kClickRefresh);
  refreshed();
  ClickButton(form, "iChannelAddButton");
  EXPECT_EQ(p.plot->GetChannelCount(), 3);
  EXPECT_EQ(Stats(form), kClickRefresh);
  refreshed();
  // A channel added through the plot is selected: its figures are not shown.
  p.plot->AddChannel();
  EXPECT_EQ(Stats(form), kClickRefresh);
  refreshed();
  for (int left = 3; left >= 1; --left) {
    ClickButton(form, "ChannelRemoveButton");
    EXPECT_EQ(p.plot->GetChannelCount(), left);
    EXPECT_EQ(Stats(form), kClickRefresh);
    refreshed();
  }
  ClickButton(form, "ChannelRemoveButton");
  EXPECT_EQ(Stats(form), std::vector<std::string>(11, ""));
  ClickButton(form, "ChannelStatsRefreshButton");
  EXPECT_EQ(Stats(form), std::vector<std::string>(11, ""));
}

// ---------------------------------------------------------------- axes

// Both pages, each on its own axis.
TEST(PlotEditorAxes, RowsBothWaysOnBothPages) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  using A = TiPlotAxis;
  for (const std::string P : {"XAxis", "YAxis"}) {
    SCOPED_TRACE(P);
    A* axis = P == "XAxis" ? static_cast<A*>(p.plot->GetXAxis(0)) : p.plot->GetYAxis(0);
    const std::vector<Row<A>> rows = {
        R<A>(P + "NameEdit", "Time", "Level", &A::GetName, &A::SetName),
        R<A>(P + "VisibleCheckBox", "0", "1", &A::GetVisible, &A::SetVisible),
        R<A>(P + "GridLinesVisibleCheckBox", "1", "0", &A::GetGridLinesVisible, &A::SetGridLinesVisible),
        R<A>(P + "EnabledCheckBox", "0", "1", &A::GetEnabled, &A::SetEnabled),
        R<A>(P + "PopupEnabledCheckBox", "0", "1", &A::GetPopupEnabled, &A::SetPopupEnabled),
        R<A>(P + "LayerEdit", "4", "9", &A::GetLayer, &A::SetLayer),
        R<A>(P + "StartPercentEdit", "10", "20", &A::GetStartPercent, &A::SetStartPercent),
        R<A>(P + "StopPercentEdit", "90", "80", &A::GetStopPercent, &A::SetStopPercent),
        R<A>(P + "MinEdit", "-5", "2.5", &A::GetMin, &A::SetMin),
        R<A>(P + "SpanEdit", "50", "12.5", &A::GetSpan, &A::SetSpan),
        R<A>(P + "DesiredStartEdit", "1.5", "3", &A::GetDesiredStart, &A::SetDesiredStart),
        R<A>(P + "DesiredIncrementEdit", "2", "0.5", &A::GetDesiredIncrement, &A::SetDesiredIncrement),
        R<A>(P + "ReverseScaleCheckBox", "1", "0", &A::GetReverseScale, &A::SetReverseScale),
        R<A>(P + "RestoreValuesOnResumeCheckBox", "0", "1", &A::GetRestoreValuesOnResume,
             &A::SetRestoreValuesOnResume),
        R<A>(P + "MasterUIInputCheckBox", "1", "0", &A::GetMasterUIInput, &A::SetMasterUIInput),
        R<A>(P + "InnerMarginEdit", "-12", "6", &A::GetInnerMargin, &A::SetInnerMargin),
        R<A>(P + "OuterMarginEdit", "11", "-3", &A::GetOuterMargin, &A::SetOuterMargin),
        R<A>(P + "TitleTextEdit", "Seconds", "Volts", &A::GetTitle, &A::SetTitle),
        R<A>(P + "TitleMarginEdit", "0.75", "1.25", &A::GetTitleMargin, &A::SetTitleMargin),
        R<A>(P + "TitleShowCheckBox", "0", "1", &A::GetTitleShow, &A::SetTitleShow),
        R<A>(P + "TitleRotatedCheckBox", "1", "0", &A::GetTitleRotated, &A::SetTitleRotated),
        R<A>(P + "ScaleLinesShowCheckBox", "0", "1", &A::GetScaleLinesShow, &A::SetScaleLinesShow),
        R<A>(P + "ScaleLinesColorPicker", "255", "16711680", &A::GetScaleLinesColor, &A::SetScaleLinesColor),
        R<A>(P + "MajorLengthEdit", "9", "12", &A::GetMajorLength, &A::SetMajorLength),
        R<A>(P + "MinorLengthEdit", "4", "2", &A::GetMinorLength, &A::SetMinorLength),
        R<A>(P + "MinorCountEdit", "5", "3", &A::GetMinorCount, &A::SetMinorCount),
        R<A>(P + "LabelVisibleCheckBox", "0", "1", &A::GetLabelsVisible, &A::SetLabelsVisible),
        R<A>(P + "LabelMarginEdit", "0.5", "0.125", &A::GetLabelsMargin, &A::SetLabelsMargin),
        R<A>(P + "LabelFormatStyleComboBox", "5", "2", &A::GetLabelsFormatStyle, &A::SetLabelsFormatStyle),
        R<A>(P + "LabelRotationComboBox", "3", "1", &A::GetLabelsRotation, &A::SetLabelsRotation),
        // Typed text that is no preset is the value.
        R<A>(P + "DateTimeFormatComboBox", "yyyy", "hh:nn:ss.zzz", &A::GetDateTimeFormat,
             &A::SetDateTimeFormat),
        R<A>(P + "LabelPrecisionStyleComboBox", "1", "0", &A::GetLabelsPrecisionStyle,
             &A::SetLabelsPrecisionStyle),
        R<A>(P + "LabelPrecisionEdit", "6", "2", &A::GetLabelsPrecision, &A::SetLabelsPrecision),
        R<A>(P + "LabelMinLengthEdit", "3.5", "1", &A::GetLabelsMinLength, &A::SetLabelsMinLength),
        R<A>(P + "LabelMinLengthAutoAdjustCheckBox", "0", "1", &A::GetLabelsMinLengthAutoAdjust,
             &A::SetLabelsMinLengthAutoAdjust),
        R<A>(P + "LabelSeparationEdit", "4", "1.5", &A::GetLabelSeparation, &A::SetLabelSeparation),
        R<A>(P + "CursorUseDefaultFormatCheckBox", "0", "1", &A::GetCursorUseDefaultFormat,
             &A::SetCursorUseDefaultFormat),
        R<A>(P + "CursorFormatStyleComboBox", "1", "4", &A::GetCursorFormatStyle, &A::SetCursorFormatStyle),
        R<A>(P + "CursorDateTimeFormatComboBox", "nn:ss", "m/d hh:nn:ss", &A::GetCursorDateTimeFormat,
             &A::SetCursorDateTimeFormat),
        R<A>(P + "CursorPrecisionStyleComboBox", "1", "0", &A::GetCursorPrecisionStyle,
             &A::SetCursorPrecisionStyle),
        R<A>(P + "CursorPrecisionEdit", "8", "1", &A::GetCursorPrecision, &A::SetCursorPrecision),
        R<A>(P + "CursorMinLengthEdit", "2.5", "6", &A::GetCursorMinLength, &A::SetCursorMinLength),
        R<A>(P + "CursorMinLengthAutoAdjustCheckBox", "0", "1", &A::GetCursorMinLengthAutoAdjust,
             &A::SetCursorMinLengthAutoAdjust),
        R<A>(P + "LegendUseDefaultFormatCheckBox", "0", "1", &A::GetLegendUseDefaultFormat,
             &A::SetLegendUseDefaultFormat),
        R<A>(P + "LegendFormatStyleComboBox", "2", "3", &A::GetLegendFormatStyle, &A::SetLegendFormatStyle),
        R<A>(P + "LegendDateTimeFormatComboBox", "d mmm h:nn:ss am/pm", "hh", &A::GetLegendDateTimeFormat,
             &A::SetLegendDateTimeFormat),
        R<A>(P + "LegendPrecisionStyleComboBox", "1", "0", &A::GetLegendPrecisionStyle,
             &A::SetLegendPrecisionStyle),
        R<A>(P + "LegendPrecisionEdit", "9", "4", &A::GetLegendPrecision, &A::SetLegendPrecision),
        R<A>(P + "LegendMinLengthEdit", "7.5", "2", &A::GetLegendMinLength, &A::SetLegendMinLength),
        R<A>(P + "LegendMinLengthAutoAdjustCheckBox", "0", "1", &A::GetLegendMinLengthAutoAdjust,
             &A::SetLegendMinLengthAutoAdjust),
        R<A>(P + "TrackingEnabledCheckBox", "0", "1", &A::GetTrackingEnabled, &A::SetTrackingEnabled),
        R<A>(P + "TrackingStyleComboBox", "7", "4", &A::GetTrackingStyle, &A::SetTrackingStyle),
        R<A>(P + "TrackingIncrementStyleComboBox", "2", "1", &A::GetTrackingIncrementStyle,
             &A::SetTrackingIncrementStyle),
        R<A>(P + "TrackingAlignFirstStyleComboBox", "3", "2", &A::GetTrackingAlignFirstStyle,
             &A::SetTrackingAlignFirstStyle),
        R<A>(P + "TrackingScrollCompressMaxEdit", "15", "7.5", &A::GetTrackingScrollCompressMax,
             &A::SetTrackingScrollCompressMax),
        R<A>(P + "TrackingSpanMinimumEdit", "0.25", "2", &A::GetTrackingSpanMinimum,
             &A::SetTrackingSpanMinimum),
        R<A>(P + "TrackingMaxMarginEdit", "12", "3", &A::GetTrackingMaxMargin, &A::SetTrackingMaxMargin),
        R<A>(P + "TrackingMinMarginEdit", "8", "1", &A::GetTrackingMinMargin, &A::SetTrackingMinMargin),
        R<A>(P + "StackingEndsMarginEdit", "1.5", "0.75", &A::GetStackingEndsMargin,
             &A::SetStackingEndsMargin),
        R<A>(P + "ForceStackingCheckBox", "1", "0", &A::GetForceStacking, &A::SetForceStacking),
        R<A>(P + "ScaleTypeRadioGroup", "1", "0", &A::GetScaleType, &A::SetScaleType),
        R<A>(P + "CursorScalerEdit", "1000", "0.001", &A::GetCursorScaler, &A::SetCursorScaler),
        R<A>(P + "ScrollMinMaxEnabledCheckBox", "1", "0", &A::GetScrollMinMaxEnabled,
             &A::SetScrollMinMaxEnabled),
        R<A>(P + "ScrollMinEdit", "-100", "-50", &A::GetScrollMin, &A::SetScrollMin),
        R<A>(P + "ScrollMaxEdit", "250", "125", &A::GetScrollMax, &A::SetScrollMax),
        R<A>(P + "CartesianStyleComboBox", "2", "1", &A::GetCartesianStyle, &A::SetCartesianStyle),
        R<A>(P + "CartesianChildRefValueEdit", "3.25", "-1", &A::GetCartesianChildRefValue,
             &A::SetCartesianChildRefValue),
    };
    CheckRows(form, axis, rows);
  }
}

// What the setters keep is shown: a stop of 120 % is 100 %, a negative
// increment 0.
TEST(PlotEditorAxes, ClampedValuesShowCorrected) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  for (auto [edit, typed, shown] : {std::tuple{"XAxisStopPercentEdit", "120", "100"},
                                    {"YAxisStartPercentEdit", "-20", "0"},
                                    {"XAxisDesiredIncrementEdit", "-3", "0"}}) {
    SCOPED_TRACE(edit);
    TypeInto(form, edit, typed);
    EXPECT_EQ(Named<TiComponentEditorEdit>(form, edit)->GetAsString(), shown);
  }
  EXPECT_EQ(p.plot->GetXAxis(0)->GetStopPercent(), 100);
}

// The up-down table: the X and Y pages differ in the label and legend
// precision only; a value past the end stops there.
TEST(PlotEditorAxes, UpDownLimits) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  struct Case {
    const char* name;
    int min, xMax, yMax, increment;
  };
  for (const Case& c :
       {Case{"LabelPrecisionUpDown", 0, 1000, 20, 1}, Case{"CursorPrecisionUpDown", 0, 20, 20, 1},
        Case{"LegendPrecisionUpDown", 0, 1000, 20, 1}, Case{"MajorLengthUpDown", 0, 1000, 1000, 1},
        Case{"MinorLengthUpDown", 0, 1000, 1000, 1}, Case{"MinorCountUpDown", 0, 100, 100, 1},
        Case{"InnerMarginUpDown", -1000, 1000, 1000, 1}, Case{"OuterMarginUpDown", -1000, 1000, 1000, 1},
        Case{"LayerUpDown", 0, 0, 0, 1}}) {
    for (const std::string P : {"XAxis", "YAxis"}) {
      SCOPED_TRACE(P + c.name);
      auto* upDown = Named<TiUpDown>(form, P + c.name);
      ASSERT_NE(upDown, nullptr);
      EXPECT_EQ(upDown->GetMin(), c.min);
      EXPECT_EQ(upDown->GetMax(), P == "XAxis" ? c.xMax : c.yMax);
      EXPECT_EQ(upDown->GetIncrement(), c.increment);
    }
  }
  for (auto [P, top] : {std::pair{"XAxis", "1000"}, {"YAxis", "20"}}) {
    auto* upDown = Named<TiUpDown>(form, std::string(P) + "LabelPrecisionUpDown");
    upDown->SetAsInteger(5000);
    EXPECT_EQ(upDown->GetAssociate()->GetAsString(), top) << P;
  }
  // Layer has no limit.
  Named<TiUpDown>(form, "XAxisLayerUpDown")->SetAsInteger(5000);
  EXPECT_EQ(Named<TiComponentEditorEdit>(form, "XAxisLayerEdit")->GetAsString(), "5000");
}

// The date-time boxes are editable, with the presets listed.
TEST(PlotEditorAxes, DateTimeFormatBoxesAreEditableWithThePresets) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  for (const char* name : {"XAxisDateTimeFormatComboBox", "XAxisCursorDateTimeFormatComboBox",
                           "YAxisLegendDateTimeFormatComboBox"}) {
    auto* box = Named<TiComponentEditorComboBox>(form, name);
    EXPECT_EQ(box->GetStyle(), csDropDown) << name;
    EXPECT_EQ(Entries(box->GetItems()),
              (std::vector<std::string>{"hh:nn:ss", "hh:nn:ss.zzz", "m/d hh:nn:ss", "d mmm h:nn:ss am/pm",
                                        "m/d/yy h:nn:ss am/pm", "m/d/yyyy h:nn:ss am/pm"}))
        << name;
  }
}

// "Copy Default" copies the six "(Default)" format values into the axis'
// cursor or legend format at once; "Use Default Format" stays as it was.
TEST(PlotEditorAxes, CopyDefaultCopiesTheFormatButNotUseDefault) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  struct Case {
    const char* page;
    const char* kind;
    bool useDefault;
  };
  for (const Case& c : {Case{"XAxis", "Cursor", true}, Case{"YAxis", "Legend", false}}) {
    const std::string P = c.page, K = c.kind;
    SCOPED_TRACE(P + K);
    TiPlotAxis* axis = P == "XAxis" ? static_cast<TiPlotAxis*>(p.plot->GetXAxis(0)) : p.plot->GetYAxis(0);
    if (K == "Cursor")
      axis->SetCursorUseDefaultFormat(c.useDefault);
    else
      axis->SetLegendUseDefaultFormat(c.useDefault);
    form->UpdateAll();
    UserSets(form->FindComponent(P + "LabelFormatStyleComboBox"), "3");
    UserSets(form->FindComponent(P + "DateTimeFormatComboBox"), "yyyy/mm");
    UserSets(form->FindComponent(P + "LabelPrecisionStyleComboBox"), "1");
    UserSets(form->FindComponent(P + "LabelPrecisionEdit"), "7");
    UserSets(form->FindComponent(P + "LabelMinLengthEdit"), "4.5");
    UserSets(form->FindComponent(P + "LabelMinLengthAutoAdjustCheckBox"), "0");
    ClickButton(form, P + K + "CopyDefaultButton");
    const bool cursor = K == "Cursor";
    EXPECT_EQ(cursor ? axis->GetCursorFormatStyle() : axis->GetLegendFormatStyle(), iptfDateTime);
    EXPECT_EQ(cursor ? axis->GetCursorDateTimeFormat() : axis->GetLegendDateTimeFormat(), "yyyy/mm");
    EXPECT_EQ(cursor ? axis->GetCursorPrecisionStyle() : axis->GetLegendPrecisionStyle(),
              ipsFixedDecimalPoints);
    EXPECT_EQ(cursor ? axis->GetCursorPrecision() : axis->GetLegendPrecision(), 7);
    EXPECT_EQ(cursor ? axis->GetCursorMinLength() : axis->GetLegendMinLength(), 4.5);
    EXPECT_FALSE(cursor ? axis->GetCursorMinLengthAutoAdjust() : axis->GetLegendMinLengthAutoAdjust());
    EXPECT_EQ(cursor ? axis->GetCursorUseDefaultFormat() : axis->GetLegendUseDefaultFormat(), c.useDefault);
    EXPECT_EQ(Named<TiComponentEditorEdit>(form, P + K + "PrecisionEdit")->GetAsString(), "7");
  }
}

// The X page's Cartesian reference lists Y axes and its alignment X axes;
// the Y page the reverse. Both store the chosen name.
TEST(PlotEditorAxes, ReferenceBoxesListTheRightDirection) {
  EditorPlot p;
  p.plot->AddXAxis();
  p.plot->AddYAxis();
  TiPlotEditorForm* form = p.Open();
  const std::vector<std::string> xs = {"<None>", "X-Axis 1", "X-Axis 2"},
                                 ys = {"<None>", "Y-Axis 1", "Y-Axis 2"};
  struct Case {
    const char* box;
    std::vector<std::string> entries;
    std::function<std::string()> stored;
  };
  for (const Case& c :
       {Case{"XAxisCartesianChildRefAxisNameComboBox", ys,
             [&] { return p.plot->GetXAxis(0)->GetCartesianChildRefAxisName(); }},
        Case{"XAxisAlignRefAxisNameComboBox", xs, [&] { return p.plot->GetXAxis(0)->GetAlignRefAxisName(); }},
        Case{"YAxisCartesianChildRefAxisNameComboBox", xs,
             [&] { return p.plot->GetYAxis(0)->GetCartesianChildRefAxisName(); }},
        Case{"YAxisAlignRefAxisNameComboBox", ys,
             [&] { return p.plot->GetYAxis(0)->GetAlignRefAxisName(); }}}) {
    SCOPED_TRACE(c.box);
    auto* box = Named<TiComponentEditorComboBox>(form, c.box);
    EXPECT_EQ(Entries(box->GetItems()), c.entries);
    UserSets(box, "2");
    EXPECT_EQ(c.stored(), c.entries[2]);
  }
}

// ---------------------------------------------------------------- renders

std::string PngPath(const std::string& name) {
  return (std::filesystem::path(::testing::TempDir()) / ("plot-editor-" + name + ".png")).string();
}

// Every sub-page (and inner sub-page) of a page, each saved as a picture.
void RenderPage(TiPlotEditorForm* form, const std::string& sheet, const std::string& pages,
                const std::string& tag) {
  form->PageControl->SetActivePage(Named<TTabSheet>(form, sheet));
  auto* pc = Named<TPageControl>(form, pages);
  for (int i = 0; pc && i < pc->GetPageCount(); ++i) {
    TTabSheet* page = pc->GetPages(i);
    if (!page->GetTabVisible()) continue;
    pc->SetActivePageIndex(i);
    std::vector<TPageControl*> inner;
    for (int k = 0; k < form->GetComponentCount(); ++k)
      if (auto* child = dynamic_cast<TPageControl*>(form->GetComponents(k));
          child && child->GetParent() == page)
        inner.push_back(child);
    const int count = inner.empty() ? 1 : inner[0]->GetPageCount();
    for (int j = 0; j < count; ++j) {
      if (!inner.empty()) inner[0]->SetActivePageIndex(j);
      classlib_test::DrainEvents();
      EXPECT_TRUE(SaveControlImage(form, PngPath(tag + "-" + std::to_string(i) + "-" + std::to_string(j))));
    }
  }
}

void RenderAll(TiPlotEditorForm* form, const std::string& lang) {
  RenderPage(form, "ChannelsTabSheet", "ChannelPageControl", "channel-" + lang);
  RenderPage(form, "XAxesTabSheet", "XAxisPageControl", "xaxis-" + lang);
  RenderPage(form, "YAxesTabSheet", "YAxisPageControl", "yaxis-" + lang);
}

TEST(PlotEditorChannelsAxesRender, EnglishAndChinese) {
  for (const char* lang : {"en", "zh"}) {
    StripPlot p;
    p.plot->SetUserCanAddRemoveChannels(true);
    if (std::string(lang) == "zh") AddChineseCaptions(p.plot);
    for (int i = 0; i < 20; ++i) p.plot->GetChannel(0)->AddXY(i, i * i);
    TiPlotEditorForm* form = p.Open();
    ClickButton(form, "ChannelStatsRefreshButton");
    RenderAll(form, lang);
  }
}

}  // namespace
