// The "Data View", "Limits", "Labels" and "Tables" pages. The data-view list
// is never shown; its name edit sits beside it. Rows are added as
// iPlotEditorTable.h describes.

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotComponent.h"
#include "instruments/plot/iPlotDataView.h"
#include "instruments/plot/iPlotLabel.h"
#include "instruments/plot/iPlotLimit.h"
#include "instruments/plot/iPlotTable.h"

namespace {

const std::vector<std::string> kGridLineStyles = {"Solid", "Dash", "Dot"};

// Show, Custom and the custom pen of one kind of grid line (X majors, ...),
// on its own sub-page.
void GridLineRows(TiPlotEditorTable& t, const std::string& Kind, auto ShowGet, auto ShowSet, auto CustomGet,
                  auto CustomSet, auto ColorGet, auto ColorSet, auto WidthGet, auto WidthSet, auto StyleGet,
                  auto StyleSet) {
  using D = TiPlotDataView;
  const std::string name = "DataViewGridLine" + Kind;
  const std::string sheet = "DataViewGridLines" + Kind + "sTabSheet";
  t.On(sheet);
  t.Check<D>("DataViewGridLineShow" + Kind + "sCheckBox", "Show", ShowGet, ShowSet);
  t.Check<D>(name + "CustomCheckBox", "Custom", CustomGet, CustomSet);
  t.On(sheet, "Custom Properties");
  t.Color<D>(name + "ColorColorPicker", "Color", ColorGet, ColorSet);
  t.Integer<D>(name + "WidthEdit", "Width", WidthGet, WidthSet);
  t.Combo<D>(name + "StyleComboBox", "Style", kGridLineStyles, StyleGet, StyleSet);
}

}  // namespace

void iPlotEditorDataViewPage(TiPlotEditorPage& Page) {
  using D = TiPlotDataView;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuUpdateAll;

  t.On("DataViewHiddenTabSheet");
  t.Text<D>("DataViewNameEdit", "Name", &D::GetName, &D::SetName);

  const std::vector<std::string> axesControl = {"X-Axis", "Y-Axis", "Both", "None"};
  t.On("DataViewGeneralTabSheet");
  t.Check<D>("DataViewEnabledCheckBox", "Enabled", &D::GetEnabled, &D::SetEnabled);
  t.Check<D>("DataViewPopupEnabledCheckBox", "Popup Enabled", &D::GetPopupEnabled, &D::SetPopupEnabled);
  t.On("DataViewGeneralTabSheet", "Background");
  t.Check<D>("DataViewBackGroundTransparentCheckBox", "Transparent", &D::GetBackgroundTransparent,
             &D::SetBackgroundTransparent);
  t.Color<D>("DataViewBackgroundColorPicker", "Color", &D::GetBackgroundColor, &D::SetBackgroundColor);
  t.On("DataViewGeneralTabSheet", "Grid");
  t.Check<D>("DataViewGridShow", "Show", &D::GetGridShow, &D::SetGridShow);
  t.Name<D>("DataViewGridXAxisNameComboBox", "X-Axis Name", ienfXAxesAll, &D::GetGridXAxisName,
            &D::SetGridXAxisName);
  t.Name<D>("DataViewGridYAxisNameComboBox", "Y-Axis Name", ienfYAxesAll, &D::GetGridYAxisName,
            &D::SetGridYAxisName);
  // The mouse and wheel styles are stored without notification: their
  // setters only keep the value (nothing is drawn differently).
  t.On("DataViewGeneralTabSheet", "Axes Control");
  t.Check<D>("DataViewAxesControlEnabledCheckBox", "Enabled", &D::GetAxesControlEnabled,
             &D::SetAxesControlEnabled);
  t.Check<D>("DataViewAxesControlAllowInSelectModeCheckBox", "Allow In Select Mode",
             &D::GetAxesControlAllowInSelectMode, &D::SetAxesControlAllowInSelectMode);
  t.Combo<D>("DataViewAxesControlMouseStyleComboBox", "Mouse Style", axesControl,
             &D::GetAxesControlMouseStyle, &D::SetAxesControlMouseStyle);
  t.Combo<D>("DataViewAxesControlWheelStyleComboBox", "Wheel Style", axesControl,
             &D::GetAxesControlWheelStyle, &D::SetAxesControlWheelStyle);

  t.On("DataViewGridLinesTabSheet");
  t.Color<D>("DataViewGridLineColorPicker", "Color", &D::GetGridLineColor, &D::SetGridLineColor);
  t.Integer<D>("DataViewLayerEdit", "Layer", &D::GetLayer, &D::SetLayer).WithUpDown(0, 100);
  t.Combo<D>("DataViewGridLineMajorStyleComboBox", "Major Style", kGridLineStyles, &D::GetGridLineMajorStyle,
             &D::SetGridLineMajorStyle);
  t.Combo<D>("DataViewGridLineMinorStyleComboBox", "Minor Style", kGridLineStyles, &D::GetGridLineMinorStyle,
             &D::SetGridLineMinorStyle);
  t.On("DataViewGridLinesTabSheet", "Show");
  t.Check<D>("DataViewGridLineShowLeft", "Left", &D::GetGridLineShowLeft, &D::SetGridLineShowLeft);
  t.Check<D>("DataViewGridLineShowTop", "Top", &D::GetGridLineShowTop, &D::SetGridLineShowTop);
  t.Check<D>("DataViewGridLineShowRight", "Right", &D::GetGridLineShowRight, &D::SetGridLineShowRight);
  t.Check<D>("DataViewGridLineShowBottom", "Bottom", &D::GetGridLineShowBottom, &D::SetGridLineShowBottom);

  GridLineRows(t, "XMajor", &D::GetGridLineShowXMajors, &D::SetGridLineShowXMajors,
               &D::GetGridLineXMajorCustom, &D::SetGridLineXMajorCustom, &D::GetGridLineXMajorColor,
               &D::SetGridLineXMajorColor, &D::GetGridLineXMajorWidth, &D::SetGridLineXMajorWidth,
               &D::GetGridLineXMajorStyle, &D::SetGridLineXMajorStyle);
  GridLineRows(t, "XMinor", &D::GetGridLineShowXMinors, &D::SetGridLineShowXMinors,
               &D::GetGridLineXMinorCustom, &D::SetGridLineXMinorCustom, &D::GetGridLineXMinorColor,
               &D::SetGridLineXMinorColor, &D::GetGridLineXMinorWidth, &D::SetGridLineXMinorWidth,
               &D::GetGridLineXMinorStyle, &D::SetGridLineXMinorStyle);
  GridLineRows(t, "YMajor", &D::GetGridLineShowYMajors, &D::SetGridLineShowYMajors,
               &D::GetGridLineYMajorCustom, &D::SetGridLineYMajorCustom, &D::GetGridLineYMajorColor,
               &D::SetGridLineYMajorColor, &D::GetGridLineYMajorWidth, &D::SetGridLineYMajorWidth,
               &D::GetGridLineYMajorStyle, &D::SetGridLineYMajorStyle);
  GridLineRows(t, "YMinor", &D::GetGridLineShowYMinors, &D::SetGridLineShowYMinors,
               &D::GetGridLineYMinorCustom, &D::SetGridLineYMinorCustom, &D::GetGridLineYMinorColor,
               &D::SetGridLineYMinorColor, &D::GetGridLineYMinorWidth, &D::SetGridLineYMinorWidth,
               &D::GetGridLineYMinorStyle, &D::SetGridLineYMinorStyle);

  t.RefreshOrder({"DataViewNameEdit",
                  "DataViewEnabledCheckBox",
                  "DataViewPopupEnabledCheckBox",
                  "DataViewLayerEdit",
                  "DataViewBackGroundTransparentCheckBox",
                  "DataViewBackgroundColorPicker",
                  "DataViewGridShow",
                  "DataViewAxesControlEnabledCheckBox",
                  "DataViewAxesControlAllowInSelectModeCheckBox",
                  "DataViewAxesControlMouseStyleComboBox",
                  "DataViewAxesControlWheelStyleComboBox",
                  "DataViewGridLineColorPicker",
                  "DataViewGridLineShowLeft",
                  "DataViewGridLineShowTop",
                  "DataViewGridLineShowRight",
                  "DataViewGridLineShowBottom",
                  "DataViewGridLineShowXMajorsCheckBox",
                  "DataViewGridLineShowXMinorsCheckBox",
                  "DataViewGridLineShowYMajorsCheckBox",
                  "DataViewGridLineShowYMinorsCheckBox",
                  "DataViewGridLineMajorStyleComboBox",
                  "DataViewGridLineMinorStyleComboBox",
                  "DataViewGridLineXMajorCustomCheckBox",
                  "DataViewGridLineXMajorColorColorPicker",
                  "DataViewGridLineXMajorWidthEdit",
                  "DataViewGridLineXMajorStyleComboBox",
                  "DataViewGridLineXMinorCustomCheckBox",
                  "DataViewGridLineXMinorColorColorPicker",
                  "DataViewGridLineXMinorWidthEdit",
                  "DataViewGridLineXMinorStyleComboBox",
                  "DataViewGridLineYMajorCustomCheckBox",
                  "DataViewGridLineYMajorColorColorPicker",
                  "DataViewGridLineYMajorWidthEdit",
                  "DataViewGridLineYMajorStyleComboBox",
                  "DataViewGridLineYMinorCustomCheckBox",
                  "DataViewGridLineYMinorColorColorPicker",
                  "DataViewGridLineYMinorWidthEdit",
                  "DataViewGridLineYMinorStyleComboBox",
                  "DataViewGridXAxisNameComboBox",
                  "DataViewGridYAxisNameComboBox"});
  t.WriteOrder({"DataViewNameEdit",
                "DataViewEnabledCheckBox",
                "DataViewPopupEnabledCheckBox",
                "DataViewLayerEdit",
                "DataViewBackGroundTransparentCheckBox",
                "DataViewBackgroundColorPicker",
                "DataViewGridShow",
                "DataViewGridXAxisNameComboBox",
                "DataViewGridYAxisNameComboBox",
                "DataViewAxesControlEnabledCheckBox",
                "DataViewAxesControlAllowInSelectModeCheckBox",
                "DataViewAxesControlMouseStyleComboBox",
                "DataViewAxesControlWheelStyleComboBox",
                "DataViewGridLineColorPicker",
                "DataViewGridLineShowLeft",
                "DataViewGridLineShowRight",
                "DataViewGridLineShowTop",
                "DataViewGridLineShowBottom",
                "DataViewGridLineShowXMajorsCheckBox",
                "DataViewGridLineShowXMinorsCheckBox",
                "DataViewGridLineShowYMajorsCheckBox",
                "DataViewGridLineShowYMinorsCheckBox",
                "DataViewGridLineMajorStyleComboBox",
                "DataViewGridLineMinorStyleComboBox"});
}

void iPlotEditorLimitPage(TiPlotEditorPage& Page) {
  using L = TiPlotLimit;
  TiPlotEditorTable& t = Page.Table;
  // Only the limit page is refreshed after a change, and its list redrawn.
  Page.FollowUp = iefuRefreshPage;

  // Refreshed and written in the order Name, the switches, Layer, Style,
  // the positions, the pen and fill, Color, then the axis names.
  t.On("LimitGeneralTabSheet");
  t.Text<L>("LimitNameEdit", "Name", &L::GetName, &L::SetName);
  t.Check<L>("LimitVisibleCheckBox", "Visible", &L::GetVisible, &L::SetVisible);
  t.Check<L>("LimitUserCanMoveCheckBox", "User Can Move", &L::GetUserCanMove, &L::SetUserCanMove);
  t.Check<L>("LimitPopUpEnabledCheckBox", "Popup Enabled", &L::GetPopupEnabled, &L::SetPopupEnabled);
  t.Check<L>("LimitClipToAxesCheckBox", "Clip To Axes", &L::GetClipToAxes, &L::SetClipToAxes);
  t.Integer<L>("LimitLayerEdit", "Layer", &L::GetLayer, &L::SetLayer).WithUpDown(0, 0);
  t.Combo<L>("LimitStyleComboBox", "Style",
             {"Line X", "Line Y", "Band X", "Band Y", "Poly Band X", "Poly Band Y"}, &L::GetStyle,
             &L::SetStyle);
  t.Float<L>("LimitLine1PositionEdit", "Line 1 Position", &L::GetLine1Position, &L::SetLine1Position);
  t.Float<L>("LimitLine2PositionEdit", "Line 2 Position", &L::GetLine2Position, &L::SetLine2Position);
  t.Combo<L>("LimitFillStyleCombobox", "Fill Style",
             {"Solid", "Clear", "Horizontal", "Vertical", "FDiagonal", "BDiagonal", "Cross", "DiagCross"},
             &L::GetFillStyle, &L::SetFillStyle);
  t.Combo<L>("LimitLineStyleComboBox", "Line Style",
             {"Solid", "Dash", "Dot", "DashDot", "DashDotDot", "Clear", "Inside Frame"}, &L::GetLineStyle,
             &L::SetLineStyle);
  t.Integer<L>("LimitLineWidthEdit", "Line Width", &L::GetLineWidth, &L::SetLineWidth).WithUpDown(0, 100);
  t.Color<L>("LimitColorPicker", "Color", &L::GetColor, &L::SetColor);
  t.Name<L>("LimitXAxisNameComboBox", "X-Axis Name", ienfXAxes, &L::GetXAxisName, &L::SetXAxisName);
  t.Name<L>("LimitYAxisNameComboBox", "Y-Axis Name", ienfYAxes, &L::GetYAxisName, &L::SetYAxisName);
}

void iPlotEditorLabelPage(TiPlotEditorPage& Page) {
  using L = TiPlotLabel;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuRefreshPage;
  // The first label is the plot's title: the "Control" page shows it too.
  Page.AfterChange = [](TiPlotEditorForm& Form) {
    TiComponentEditorListBox* list = Form.ListOf(iepkLabel);
    if (list->GetItemIndex() != 0 || !Form.PlotComponent) return;
    Form.RefreshRows(iepkControl, Form.PlotComponent,
                     {"TitleVisibleCheckBox", "TitleTextEdit", "TitleMarginEdit", "TitleFontPicker"});
  };

  t.On("LabelGeneralTabSheet");
  t.Text<L>("LabelNameEdit", "Name", &L::GetName, &L::SetName);
  t.Check<L>("LabelVisibleCheckBox", "Visible", &L::GetVisible, &L::SetVisible);
  t.Text<L>("LabelCaptionMemo", "Caption", &L::GetCaption, &L::SetCaption);
  t.Combo<L>("LabelAlignmentComboBox", "Alignment", {"Center", "Left", "Right"}, &L::GetAlignment,
             &L::SetAlignment);
  t.Integer<L>("LabelImageListIndexEdit", "Image List Index", &L::GetImageListIndex, &L::SetImageListIndex)
      .WithUpDown(-1, 2);
  t.Integer<L>("LabelImageIndexEdit", "Image Index", &L::GetImageIndex, &L::SetImageIndex)
      .WithUpDown(-1, 255);
  t.Font<L>("LabelFontPicker", "Font", &L::GetFont, &L::SetFont);
  t.On("LabelGeneralTabSheet", "Margin");
  t.Float<L>("LabelMarginLeftEdit", "Left", &L::GetMarginLeft, &L::SetMarginLeft);
  t.Float<L>("LabelMarginTopEdit", "Top", &L::GetMarginTop, &L::SetMarginTop);
  t.Float<L>("LabelMarginRightEdit", "Right", &L::GetMarginRight, &L::SetMarginRight);
  t.Float<L>("LabelMarginBottomEdit", "Bottom", &L::GetMarginBottom, &L::SetMarginBottom);

  t.RefreshOrder({"LabelNameEdit", "LabelVisibleCheckBox", "LabelCaptionMemo", "LabelMarginLeftEdit",
                  "LabelMarginTopEdit", "LabelMarginRightEdit", "LabelMarginBottomEdit",
                  "LabelAlignmentComboBox", "LabelImageListIndexEdit", "LabelImageIndexEdit",
                  "LabelFontPicker"});
  t.WriteOrder({"LabelNameEdit", "LabelVisibleCheckBox", "LabelCaptionMemo", "LabelMarginLeftEdit",
                "LabelMarginTopEdit", "LabelMarginRightEdit", "LabelMarginBottomEdit",
                "LabelAlignmentComboBox", "LabelImageListIndexEdit", "LabelImageIndexEdit",
                "LabelFontPicker"});
}

void iPlotEditorTablePage(TiPlotEditorPage& Page) {
  using T = TiPlotTable;
  TiPlotEditorTable& t = Page.Table;
  // Nothing is refreshed after a change: the page keeps what was typed.
  Page.FollowUp = iefuNothing;

  // The spacings and the row limit sit with the start and stop on "Layout":
  // "General" has no room for them beside the object list.
  t.On("TableGeneralTabSheet");
  t.Text<T>("TableNameEdit", "Name", &T::GetName, &T::SetName);
  t.Check<T>("TableVisibleCheckbox", "Visible", &T::GetVisible, &T::SetVisible);
  t.Check<T>("TableEnabledCheckbox", "Enabled", &T::GetEnabled, &T::SetEnabled);
  t.Check<T>("TablePopupEnabledCheckbox", "Popup Enabled", &T::GetPopupEnabled, &T::SetPopupEnabled);
  t.On("TableGeneralTabSheet", "Column Titles");
  t.Check<T>("TableColumnTitlesVisibleCheckBox", "Visible", &T::GetColumnTitlesVisible,
             &T::SetColumnTitlesVisible);
  t.Font<T>("TableColumnTitlesFontPicker", "Font", &T::GetColumnTitlesFont, &T::SetColumnTitlesFont);
  t.On("TableGeneralTabSheet", "Margin");
  t.Float<T>("TableLeftMarginEdit", "Left", &T::GetMarginLeft, &T::SetMarginLeft);
  t.Float<T>("TableTopMarginEdit", "Top", &T::GetMarginTop, &T::SetMarginTop);
  t.Float<T>("TableRightMarginEdit", "Right", &T::GetMarginRight, &T::SetMarginRight);
  t.Float<T>("TableBottomMarginEdit", "Bottom", &T::GetMarginBottom, &T::SetMarginBottom);
  t.On("TableGeneralTabSheet", "Data");
  t.Font<T>("TableDataFontPicker", "Font", &T::GetDataFont, &T::SetDataFont);
  t.On("TableGridTabSheet", "Background");
  t.Check<T>("TableGridBackGroundTransparentCheckBox", "Transparent", &T::GetGridBackGroundTransparent,
             &T::SetGridBackGroundTransparent);
  t.Color<T>("TableGridBackgroundColorPicker", "Color", &T::GetGridBackGroundColor,
             &T::SetGridBackGroundColor);
  t.On("TableGridTabSheet", "Lines");
  t.Check<T>("TableGridLinesShowCheckBox", "Show", &T::GetGridLinesShow, &T::SetGridLinesShow);
  t.Color<T>("TableGridLinesColorPicker", "Color", &T::GetGridLinesColor, &T::SetGridLinesColor);
  t.On("TableLayoutTabSheet");
  t.Float<T>("TableStartPercentEdit", "Start Percent", &T::GetStartPercent, &T::SetStartPercent);
  t.Float<T>("TableStopPercentEdit", "Stop Percent", &T::GetStopPercent, &T::SetStopPercent);
  t.Float<T>("TableColumnSpacingEdit", "Column Spacing", &T::GetColumnSpacing, &T::SetColumnSpacing);
  t.Float<T>("TableRowSpacingEdit", "Row Spacing", &T::GetRowSpacing, &T::SetRowSpacing);
  t.Integer<T>("TableRowsMaxEdit", "Rows Max", &T::GetRowsMax, &T::SetRowsMax);

  const std::initializer_list<const char*> order = {"TableNameEdit",
                                                    "TableVisibleCheckbox",
                                                    "TableEnabledCheckbox",
                                                    "TablePopupEnabledCheckbox",
                                                    "TableTopMarginEdit",
                                                    "TableLeftMarginEdit",
                                                    "TableRightMarginEdit",
                                                    "TableBottomMarginEdit",
                                                    "TableColumnSpacingEdit",
                                                    "TableRowSpacingEdit",
                                                    "TableRowsMaxEdit",
                                                    "TableColumnTitlesVisibleCheckBox",
                                                    "TableGridLinesShowCheckBox",
                                                    "TableGridLinesColorPicker",
                                                    "TableStartPercentEdit",
                                                    "TableStopPercentEdit",
                                                    "TableGridBackGroundTransparentCheckBox",
                                                    "TableGridBackgroundColorPicker",
                                                    "TableDataFontPicker",
                                                    "TableColumnTitlesFontPicker"};
  t.RefreshOrder(order);
  t.WriteOrder(order);
}
