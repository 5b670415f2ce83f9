// The "X-Axes" and "Y-Axes" pages, twins with the prefixes "XAxis" and
// "YAxis". Rows are added as iPlotEditorTable.h describes, once for both
// pages through the prefix. The table is in write-back order; the refresh
// sets its controls with their events blocked, so its own order (which
// differs only for the label rotation and format style) shows the same.

#include <string>
#include <utility>
#include <vector>

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotAxis.h"

namespace {

const std::vector<std::string> kFormatStyles = {"Value",     "Exponent",    "Prefix",
                                                "Date/Time", "Price 32nds", "Thousands"};
const std::vector<std::string> kDateTimeFormats = {"hh:nn:ss",
                                                   "hh:nn:ss.zzz",
                                                   "m/d hh:nn:ss",
                                                   "d mmm h:nn:ss am/pm",
                                                   "m/d/yy h:nn:ss am/pm",
                                                   "m/d/yyyy h:nn:ss am/pm"};
const std::vector<std::string> kPrecisionStyles = {"Significant Digits", "Fixed Decimal Points"};

// The "(Default)" format controls and their "Cursor" and "Legend" twins,
// by the part of the name after the prefix.
struct FormatControls {
  const char* FormatStyle;
  const char* DateTimeFormat;
  const char* PrecisionStyle;
  const char* Precision;
  const char* MinLength;
  const char* MinLengthAutoAdjust;
};
const FormatControls kDefaultFormat = {"LabelFormatStyleComboBox",    "DateTimeFormatComboBox",
                                       "LabelPrecisionStyleComboBox", "LabelPrecisionEdit",
                                       "LabelMinLengthEdit",          "LabelMinLengthAutoAdjustCheckBox"};
FormatControls KindFormat(const std::string& Kind) {
  static const FormatControls cursor = {"CursorFormatStyleComboBox",    "CursorDateTimeFormatComboBox",
                                        "CursorPrecisionStyleComboBox", "CursorPrecisionEdit",
                                        "CursorMinLengthEdit",          "CursorMinLengthAutoAdjustCheckBox"};
  static const FormatControls legend = {"LegendFormatStyleComboBox",    "LegendDateTimeFormatComboBox",
                                        "LegendPrecisionStyleComboBox", "LegendPrecisionEdit",
                                        "LegendMinLengthEdit",          "LegendMinLengthAutoAdjustCheckBox"};
  return Kind == "Cursor" ? cursor : legend;
}

// "Copy Default": the "(Default)" format controls into the Kind's ("Use
// Default Format" stays), then the page's write-back.
void CopyDefaultFormat(TiPlotEditorForm& Form, TiPlotEditorPageKind Page, const std::string& P,
                       const std::string& Kind) {
  const FormatControls to = KindFormat(Kind);
  auto control = [&](const char* Name) { return Form.FindComponent(P + Name); };
  auto copyIndex = [&](const char* From, const char* To) {
    EditorSetInteger(control(To), EditorGetInteger(control(From)));
  };
  auto copyText = [&](const char* From, const char* To) {
    EditorSetText(control(To), EditorGetText(control(From)));
  };
  copyIndex(kDefaultFormat.FormatStyle, to.FormatStyle);
  copyText(kDefaultFormat.DateTimeFormat, to.DateTimeFormat);
  copyIndex(kDefaultFormat.PrecisionStyle, to.PrecisionStyle);
  copyText(kDefaultFormat.Precision, to.Precision);
  copyText(kDefaultFormat.MinLength, to.MinLength);
  EditorSetBoolean(control(to.MinLengthAutoAdjust),
                   EditorGetBoolean(control(kDefaultFormat.MinLengthAutoAdjust)));
  Form.WritePage(Page);
}

void AxisPage(TiPlotEditorPage& Page, TiPlotEditorPageKind Kind, const std::string& P) {
  using A = TiPlotAxis;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuUpdateAll;
  // The name boxes are refilled once an axis is selected.
  Page.NameBoxesAfterSelection = true;
  const bool x = Kind == iepkXAxis;
  // The X axis' label and legend precision go up to 1000, the Y axis' to 20.
  const int precisionMax = x ? 1000 : 20;

  const std::string general = P + "GeneralTabSheet", title = P + "TitleTabSheet",
                    labels = P + "LabelsDefaultTabSheet", scale = P + "ScaleTabSheet",
                    cartesian = P + "CartesianTabSheet";

  t.On(general);
  t.Text<A>(P + "NameEdit", "Name", &A::GetName, &A::SetName);
  t.Check<A>(P + "VisibleCheckBox", "Visible", &A::GetVisible, &A::SetVisible);
  t.Check<A>(P + "GridLinesVisibleCheckBox", "Grid Lines Visible", &A::GetGridLinesVisible,
             &A::SetGridLinesVisible);
  t.Check<A>(P + "EnabledCheckBox", "Enabled", &A::GetEnabled, &A::SetEnabled);
  t.Check<A>(P + "PopupEnabledCheckBox", "Popup Enabled", &A::GetPopupEnabled, &A::SetPopupEnabled);
  t.On(cartesian);
  t.Integer<A>(P + "LayerEdit", "Layer", &A::GetLayer, &A::SetLayer).WithUpDown(0, 0);
  t.On(scale);
  t.Float<A>(P + "StartPercentEdit", "Start Percent", &A::GetStartPercent, &A::SetStartPercent);
  t.Float<A>(P + "StopPercentEdit", "Stop Percent", &A::GetStopPercent, &A::SetStopPercent);
  t.On(general);
  t.Float<A>(P + "MinEdit", "Min", &A::GetMin, &A::SetMin);
  t.Float<A>(P + "SpanEdit", "Span", &A::GetSpan, &A::SetSpan);
  t.Float<A>(P + "DesiredStartEdit", "Desired Start", &A::GetDesiredStart, &A::SetDesiredStart);
  t.Float<A>(P + "DesiredIncrementEdit", "Desired Increment", &A::GetDesiredIncrement,
             &A::SetDesiredIncrement);
  t.Check<A>(P + "ReverseScaleCheckBox", "Reverse Scale", &A::GetReverseScale, &A::SetReverseScale);
  t.Check<A>(P + "RestoreValuesOnResumeCheckBox", "Restore Values On Resume", &A::GetRestoreValuesOnResume,
             &A::SetRestoreValuesOnResume);
  t.Check<A>(P + "MasterUIInputCheckBox", "Master UI Input", &A::GetMasterUIInput, &A::SetMasterUIInput);
  t.On(scale);
  t.Integer<A>(P + "InnerMarginEdit", "Inner Margin", &A::GetInnerMargin, &A::SetInnerMargin)
      .WithUpDown(-1000, 1000);
  t.Integer<A>(P + "OuterMarginEdit", "Outer Margin", &A::GetOuterMargin, &A::SetOuterMargin)
      .WithUpDown(-1000, 1000);

  t.On(title);
  t.Text<A>(P + "TitleTextEdit", "Title", &A::GetTitle, &A::SetTitle);
  t.Float<A>(P + "TitleMarginEdit", "Margin", &A::GetTitleMargin, &A::SetTitleMargin);
  t.Check<A>(P + "TitleShowCheckBox", "Show", &A::GetTitleShow, &A::SetTitleShow);
  t.Check<A>(P + "TitleRotatedCheckBox", "Rotated", &A::GetTitleRotated, &A::SetTitleRotated);

  t.On(scale);
  t.Check<A>(P + "ScaleLinesShowCheckBox", "Lines Show", &A::GetScaleLinesShow, &A::SetScaleLinesShow);
  t.Color<A>(P + "ScaleLinesColorPicker", "Lines Color", &A::GetScaleLinesColor, &A::SetScaleLinesColor);
  t.Integer<A>(P + "MajorLengthEdit", "Major Length", &A::GetMajorLength, &A::SetMajorLength)
      .WithUpDown(0, 1000);
  t.Integer<A>(P + "MinorLengthEdit", "Minor Length", &A::GetMinorLength, &A::SetMinorLength)
      .WithUpDown(0, 1000);
  t.Integer<A>(P + "MinorCountEdit", "Minor Count", &A::GetMinorCount, &A::SetMinorCount).WithUpDown(0, 100);

  t.On(labels);
  t.Check<A>(P + "LabelVisibleCheckBox", "Visible", &A::GetLabelsVisible, &A::SetLabelsVisible);
  t.Float<A>(P + "LabelMarginEdit", "Margin", &A::GetLabelsMargin, &A::SetLabelsMargin);
  t.Combo<A>(P + "LabelFormatStyleComboBox", "Format Style", kFormatStyles, &A::GetLabelsFormatStyle,
             &A::SetLabelsFormatStyle);
  t.Combo<A>(P + "LabelRotationComboBox", "Rotation", {"0", "90", "180", "270"}, &A::GetLabelsRotation,
             &A::SetLabelsRotation);
  t.EditCombo<A>(P + "DateTimeFormatComboBox", "Date/Time Format", kDateTimeFormats, &A::GetDateTimeFormat,
                 &A::SetDateTimeFormat);
  t.Combo<A>(P + "LabelPrecisionStyleComboBox", "Precision Style", kPrecisionStyles,
             &A::GetLabelsPrecisionStyle, &A::SetLabelsPrecisionStyle);
  t.Integer<A>(P + "LabelPrecisionEdit", "Precision", &A::GetLabelsPrecision, &A::SetLabelsPrecision)
      .WithUpDown(0, precisionMax);
  t.Float<A>(P + "LabelMinLengthEdit", "Min Length", &A::GetLabelsMinLength, &A::SetLabelsMinLength);
  t.Check<A>(P + "LabelMinLengthAutoAdjustCheckBox", "Min Length Auto Adjust",
             &A::GetLabelsMinLengthAutoAdjust, &A::SetLabelsMinLengthAutoAdjust);

  // The "Cursor" and "Legend" label formats: seven rows and "Copy Default"
  // each, with their own getter and setter pairs.
  auto formatRows = [&](const std::string& K, auto useDefault, auto style, auto dateTime, auto precisionStyle,
                        auto precision, int precisionLimit, auto minLength, auto autoAdjust) {
    t.On(P + "Labels" + K + "TabSheet");
    t.Check<A>(P + K + "UseDefaultFormatCheckBox", "Use Default Format", useDefault.first, useDefault.second);
    t.Combo<A>(P + K + "FormatStyleComboBox", "Format Style", kFormatStyles, style.first, style.second);
    t.EditCombo<A>(P + K + "DateTimeFormatComboBox", "Date/Time Format", kDateTimeFormats, dateTime.first,
                   dateTime.second);
    t.Combo<A>(P + K + "PrecisionStyleComboBox", "Precision Style", kPrecisionStyles, precisionStyle.first,
               precisionStyle.second);
    t.Integer<A>(P + K + "PrecisionEdit", "Precision", precision.first, precision.second)
        .WithUpDown(0, precisionLimit);
    t.Float<A>(P + K + "MinLengthEdit", "Min Length", minLength.first, minLength.second);
    t.Check<A>(P + K + "MinLengthAutoAdjustCheckBox", "Min Length Auto Adjust", autoAdjust.first,
               autoAdjust.second);
    t.Button(P + K + "CopyDefaultButton", "Copy Default",
             [Kind, P, K](TiPlotEditorForm& Form) { CopyDefaultFormat(Form, Kind, P, K); });
  };
  auto access = [](auto get, auto set) { return std::pair{get, set}; };
  formatRows("Cursor", access(&A::GetCursorUseDefaultFormat, &A::SetCursorUseDefaultFormat),
             access(&A::GetCursorFormatStyle, &A::SetCursorFormatStyle),
             access(&A::GetCursorDateTimeFormat, &A::SetCursorDateTimeFormat),
             access(&A::GetCursorPrecisionStyle, &A::SetCursorPrecisionStyle),
             access(&A::GetCursorPrecision, &A::SetCursorPrecision), 20,
             access(&A::GetCursorMinLength, &A::SetCursorMinLength),
             access(&A::GetCursorMinLengthAutoAdjust, &A::SetCursorMinLengthAutoAdjust));
  formatRows("Legend", access(&A::GetLegendUseDefaultFormat, &A::SetLegendUseDefaultFormat),
             access(&A::GetLegendFormatStyle, &A::SetLegendFormatStyle),
             access(&A::GetLegendDateTimeFormat, &A::SetLegendDateTimeFormat),
             access(&A::GetLegendPrecisionStyle, &A::SetLegendPrecisionStyle),
             access(&A::GetLegendPrecision, &A::SetLegendPrecision), precisionMax,
             access(&A::GetLegendMinLength, &A::SetLegendMinLength),
             access(&A::GetLegendMinLengthAutoAdjust, &A::SetLegendMinLengthAutoAdjust));

  t.On(P + "TrackingTabSheet");
  t.Check<A>(P + "TrackingEnabledCheckBox", "Enabled", &A::GetTrackingEnabled, &A::SetTrackingEnabled);
  t.Combo<A>(P + "TrackingStyleComboBox", "Style",
             {"Scale Min & Max", "Scale Max", "Scale Min", "Scroll Smooth", "Scroll Page", "Expand Collapse",
              "Expand Collapse Fast", "Expand Min & Max"},
             &A::GetTrackingStyle, &A::SetTrackingStyle);
  t.Combo<A>(P + "TrackingIncrementStyleComboBox", "Increment Style", {"Minimum", "Major", "Minor"},
             &A::GetTrackingIncrementStyle, &A::SetTrackingIncrementStyle);
  t.Combo<A>(P + "TrackingAlignFirstStyleComboBox", "Align First Style", {"Min", "Max", "Auto", "None"},
             &A::GetTrackingAlignFirstStyle, &A::SetTrackingAlignFirstStyle);
  t.Float<A>(P + "TrackingScrollCompressMaxEdit", "Scroll Compress Max", &A::GetTrackingScrollCompressMax,
             &A::SetTrackingScrollCompressMax);
  t.Float<A>(P + "TrackingSpanMinimumEdit", "Span Minimum", &A::GetTrackingSpanMinimum,
             &A::SetTrackingSpanMinimum);
  t.Float<A>(P + "TrackingMaxMarginEdit", "Max Margin", &A::GetTrackingMaxMargin, &A::SetTrackingMaxMargin);
  t.Float<A>(P + "TrackingMinMarginEdit", "Min Margin", &A::GetTrackingMinMargin, &A::SetTrackingMinMargin);

  t.On(scale);
  t.Float<A>(P + "StackingEndsMarginEdit", "Stacking Ends Margin", &A::GetStackingEndsMargin,
             &A::SetStackingEndsMargin);
  t.Check<A>(P + "ForceStackingCheckBox", "Force Stacking", &A::GetForceStacking, &A::SetForceStacking);
  t.On(labels);
  t.Float<A>(P + "LabelSeparationEdit", "Separation", &A::GetLabelSeparation, &A::SetLabelSeparation);
  t.On(general);
  t.Radio<A>(P + "ScaleTypeRadioGroup", "Scale Type", {"Linear", "Log10"}, &A::GetScaleType,
             &A::SetScaleType);
  t.On(P + "CursorTabSheet");
  t.Float<A>(P + "CursorScalerEdit", "Scaler", &A::GetCursorScaler, &A::SetCursorScaler);
  t.On(P + "ScrollTabSheet");
  t.Check<A>(P + "ScrollMinMaxEnabledCheckBox", "Min/Max Enabled", &A::GetScrollMinMaxEnabled,
             &A::SetScrollMinMaxEnabled);
  t.Float<A>(P + "ScrollMinEdit", "Min", &A::GetScrollMin, &A::SetScrollMin);
  t.Float<A>(P + "ScrollMaxEdit", "Max", &A::GetScrollMax, &A::SetScrollMax);

  t.On(cartesian);
  t.Combo<A>(P + "CartesianStyleComboBox", "Style", {"None", "Master", "Child"}, &A::GetCartesianStyle,
             &A::SetCartesianStyle);
  // The reference of a child lies on the other direction, the alignment on
  // the same one.
  t.Name<A>(P + "CartesianChildRefAxisNameComboBox", "Child Ref Axis", x ? ienfYAxes : ienfXAxes,
            &A::GetCartesianChildRefAxisName, &A::SetCartesianChildRefAxisName);
  t.Float<A>(P + "CartesianChildRefValueEdit", "Child Ref Value", &A::GetCartesianChildRefValue,
             &A::SetCartesianChildRefValue);
  t.On(scale);
  t.Name<A>(P + "AlignRefAxisNameComboBox", "Align Ref Axis", x ? ienfXAxes : ienfYAxes,
            &A::GetAlignRefAxisName, &A::SetAlignRefAxisName);

  t.On(title);
  t.Font<A>(P + "TitleFontPicker", "", &A::GetTitleFont, &A::SetTitleFont);
  t.On(labels);
  t.Font<A>(P + "LabelFontPicker", "", &A::GetLabelsFont, &A::SetLabelsFont);
}

}  // namespace

void iPlotEditorXAxisPage(TiPlotEditorPage& Page) {
  AxisPage(Page, iepkXAxis, "XAxis");
}

void iPlotEditorYAxisPage(TiPlotEditorPage& Page) {
  AxisPage(Page, iepkYAxis, "YAxis");
}
