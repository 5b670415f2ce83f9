// The "Legend", "Cursors" and "ToolBar" pages. The legend and tool-bar
// lists are never shown; the name edit sits beside them. Rows are added as
// iPlotEditorTable.h describes.

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotDataCursor.h"
#include "instruments/plot/iPlotLegend.h"
#include "instruments/plot/iPlotToolBar.h"

void iPlotEditorLegendPage(TiPlotEditorPage& Page) {
  using L = TiPlotLegend;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuUpdateAll;

  t.On("LegendHiddenTabSheet");
  t.Text<L>("LegendNameEdit", "Name", &L::GetName, &L::SetName);

  // Laid out in three columns: the switches and margins, the channel name
  // and line column, the fonts and colours.
  t.On("LegendGeneralTabSheet");
  t.Check<L>("LegendVisibleCheckbox", "Visible", &L::GetVisible, &L::SetVisible);
  t.Check<L>("LegendEnabledCheckbox", "Enabled", &L::GetEnabled, &L::SetEnabled);
  t.Check<L>("LegendPopupEnabledCheckbox", "Popup Enabled", &L::GetPopupEnabled, &L::SetPopupEnabled);
  t.On("LegendGeneralTabSheet", "Margin");
  t.Float<L>("LegendLeftMarginEdit", "Left", &L::GetMarginLeft, &L::SetMarginLeft);
  t.Float<L>("LegendTopMarginEdit", "Top", &L::GetMarginTop, &L::SetMarginTop);
  t.Float<L>("LegendRightMarginEdit", "Right", &L::GetMarginRight, &L::SetMarginRight);
  t.Float<L>("LegendBottomMarginEdit", "Bottom", &L::GetMarginBottom, &L::SetMarginBottom);
  t.On("LegendGeneralTabSheet", "Channel Name");
  t.Float<L>("LegendChannelNameMaxWidthEdit", "Max Width", &L::GetChannelNameMaxWidth,
             &L::SetChannelNameMaxWidth);
  t.Combo<L>("LegendChannelNameColorStyleComboBox", "Color Style",
             {"Font", "ChannelColor", "XAxisFontColor ", "YAxisFontColor"}, &L::GetChannelNameColorStyle,
             &L::SetChannelNameColorStyle);
  t.On("LegendGeneralTabSheet", "Line Column");
  t.Integer<L>("LegendLineColumnWidthEdit", "Width", &L::GetLineColumnWidth, &L::SetLineColumnWidth);
  t.Integer<L>("LegendLineColumnHeightEdit", "Height", &L::GetLineColumnHeight, &L::SetLineColumnHeight);
  t.On("LegendGeneralTabSheet");
  t.Float<L>("LegendColumnSpacingEdit", "Column Spacing", &L::GetColumnSpacing, &L::SetColumnSpacing);
  t.Font<L>("LegendFontPicker", "Font", &L::GetFont, &L::SetFont);
  t.On("LegendGeneralTabSheet", "Background");
  t.Check<L>("LegendBackGroundTransparentCheckBox", "Transparent", &L::GetBackGroundTransparent,
             &L::SetBackGroundTransparent);
  t.Color<L>("LegendBackgroundColorPicker", "Color", &L::GetBackGroundColor, &L::SetBackGroundColor);
  t.On("LegendGeneralTabSheet", "Selected Item");
  t.Font<L>("LegendSelectedItemFontPicker", "Font", &L::GetSelectedItemFont, &L::SetSelectedItemFont);
  t.Color<L>("LegendSelectedItemColorPicker", "Color", &L::GetSelectedItemBackGroundColor,
             &L::SetSelectedItemBackGroundColor);

  t.On("LegendColumnsTabSheet", "Show");
  t.Check<L>("LegendShowXAxisTitleCheckbox", "X-Axis Title", &L::GetShowColumnXAxisTitle,
             &L::SetShowColumnXAxisTitle);
  t.Check<L>("LegendShowYAxisTitleCheckbox", "Y-Axis Title", &L::GetShowColumnYAxisTitle,
             &L::SetShowColumnYAxisTitle);
  t.Check<L>("LegendShowMarkerCheckbox", "Marker", &L::GetShowColumnMarker, &L::SetShowColumnMarker);
  t.Check<L>("LegendShowXValueCheckbox", "X-Value", &L::GetShowColumnXValue, &L::SetShowColumnXValue);
  t.Check<L>("LegendShowYValueCheckbox", "Y-Value", &L::GetShowColumnYValue, &L::SetShowColumnYValue);
  t.Check<L>("LegendShowLineCheckbox", "Line", &L::GetShowColumnLine, &L::SetShowColumnLine);
  t.Check<L>("LegendShowYMaxCheckbox", "Y-Max", &L::GetShowColumnYMax, &L::SetShowColumnYMax);
  t.Check<L>("LegendShowYMinCheckbox", "Y-Min", &L::GetShowColumnYMin, &L::SetShowColumnYMin);
  t.Check<L>("LegendShowYMeanCheckbox", "Y-Mean", &L::GetShowColumnYMean, &L::SetShowColumnYMean);
  t.On("LegendColumnsTabSheet", "Titles");
  t.Check<L>("LegendColumnTitlesVisibleCheckbox", "Visible", &L::GetColumnTitlesVisible,
             &L::SetColumnTitlesVisible);
  t.Font<L>("LegendColumnTitlesFontPicker", "Font", &L::GetColumnTitlesFont, &L::SetColumnTitlesFont);

  t.On("LegendWrapTabSheet", "Col");
  t.Integer<L>("LegendWrapColDesiredCountEdit", "Desired Count", &L::GetWrapColDesiredCount,
               &L::SetWrapColDesiredCount)
      .WithUpDown(1, 1000);
  t.On("LegendWrapTabSheet", "Col/Auto Count");
  t.Check<L>("LegendWrapColAutoCountEnabledCheckBox", "Enabled", &L::GetWrapColAutoCountEnabled,
             &L::SetWrapColAutoCountEnabled);
  t.Integer<L>("LegendWrapColAutoCountMaxEdit", "Max", &L::GetWrapColAutoCountMax, &L::SetWrapColAutoCountMax)
      .WithUpDown(1, 1000);
  t.On("LegendWrapTabSheet", "Col/Spacing");
  t.Check<L>("LegendWrapColSpacingAutoCheckBox", "Auto", &L::GetWrapColSpacingAuto,
             &L::SetWrapColSpacingAuto);
  t.Float<L>("LegendWrapColSpacingMinEdit", "Min", &L::GetWrapColSpacingMin, &L::SetWrapColSpacingMin);
  t.On("LegendWrapTabSheet", "Row");
  t.Integer<L>("LegendWrapRowDesiredCountEdit", "Desired Count", &L::GetWrapRowDesiredCount,
               &L::SetWrapRowDesiredCount)
      .WithUpDown(1, 1000);
  t.On("LegendWrapTabSheet", "Row/Auto Count");
  t.Check<L>("LegendWrapRowAutoCountEnabledCheckBox", "Enabled", &L::GetWrapRowAutoCountEnabled,
             &L::SetWrapRowAutoCountEnabled);
  t.Integer<L>("LegendWrapRowAutoCountMaxEdit", "Max", &L::GetWrapRowAutoCountMax, &L::SetWrapRowAutoCountMax)
      .WithUpDown(1, 1000);
  t.On("LegendWrapTabSheet", "Row/Spacing");
  t.Check<L>("LegendWrapRowSpacingAutoCheckBox", "Auto", &L::GetWrapRowSpacingAuto,
             &L::SetWrapRowSpacingAuto);
  t.Float<L>("LegendWrapRowSpacingMinEdit", "Min", &L::GetWrapRowSpacingMin, &L::SetWrapRowSpacingMin);

  const std::initializer_list<const char*> order = {"LegendNameEdit",
                                                    "LegendVisibleCheckbox",
                                                    "LegendEnabledCheckbox",
                                                    "LegendPopupEnabledCheckbox",
                                                    "LegendTopMarginEdit",
                                                    "LegendBottomMarginEdit",
                                                    "LegendLeftMarginEdit",
                                                    "LegendRightMarginEdit",
                                                    "LegendChannelNameMaxWidthEdit",
                                                    "LegendChannelNameColorStyleComboBox",
                                                    "LegendLineColumnWidthEdit",
                                                    "LegendLineColumnHeightEdit",
                                                    "LegendColumnSpacingEdit",
                                                    "LegendBackGroundTransparentCheckBox",
                                                    "LegendBackgroundColorPicker",
                                                    "LegendSelectedItemColorPicker",
                                                    "LegendShowLineCheckbox",
                                                    "LegendShowMarkerCheckbox",
                                                    "LegendShowXAxisTitleCheckbox",
                                                    "LegendShowYAxisTitleCheckbox",
                                                    "LegendShowXValueCheckbox",
                                                    "LegendShowYValueCheckbox",
                                                    "LegendShowYMaxCheckbox",
                                                    "LegendShowYMinCheckbox",
                                                    "LegendShowYMeanCheckbox",
                                                    "LegendWrapColDesiredCountEdit",
                                                    "LegendWrapColAutoCountEnabledCheckBox",
                                                    "LegendWrapColAutoCountMaxEdit",
                                                    "LegendWrapColSpacingMinEdit",
                                                    "LegendWrapColSpacingAutoCheckBox",
                                                    "LegendWrapRowDesiredCountEdit",
                                                    "LegendWrapRowAutoCountEnabledCheckBox",
                                                    "LegendWrapRowAutoCountMaxEdit",
                                                    "LegendWrapRowSpacingMinEdit",
                                                    "LegendWrapRowSpacingAutoCheckBox",
                                                    "LegendColumnTitlesVisibleCheckbox",
                                                    "LegendFontPicker",
                                                    "LegendSelectedItemFontPicker",
                                                    "LegendColumnTitlesFontPicker"};
  t.RefreshOrder(order);
  t.WriteOrder(order);
}

void iPlotEditorDataCursorPage(TiPlotEditorPage& Page) {
  using D = TiPlotDataCursor;
  TiPlotEditorTable& t = Page.Table;
  // Only the cursor page is refreshed after a change, and its list redrawn.
  Page.FollowUp = iefuRefreshPage;

  t.On("DataCursorGeneralTabSheet");
  t.Text<D>("DataCursorNameEdit", "Name", &D::GetName, &D::SetName);
  t.Check<D>("DataCursorPopupEnabledCheckBox", "Popup Enabled", &D::GetPopupEnabled, &D::SetPopupEnabled);
  t.Combo<D>("DataCursorStyleComboBox", "Style",
             {"Value XY", "Value X", "Value Y", "Delta X", "Delta Y", "Inverse Delta X"}, &D::GetStyle,
             &D::SetStyle);
  t.Color<D>("DataCursorColorPicker", "Color", &D::GetColor, &D::SetColor);
  t.Check<D>("DataCursorUseChannelColorCheckBox", "Use Channel Color", &D::GetUseChannelColor,
             &D::SetUseChannelColor);
  t.Font<D>("DataCursorFontPicker", "Font", &D::GetFont, &D::SetFont);
  t.Float<D>("DataCursorPointer1PositionEdit", "Pointer 1 Position", &D::GetPointer1Position,
             &D::SetPointer1Position);
  t.Float<D>("DataCursorPointer2PositionEdit", "Pointer 2 Position", &D::GetPointer2Position,
             &D::SetPointer2Position);
  t.Integer<D>("DataCursorPointerPenWidthEdit", "Pointer Pen Width", &D::GetPointerPenWidth,
               &D::SetPointerPenWidth)
      .WithUpDown(1, 50);
  // Stored without notification: the cursor's setter only keeps the value.
  t.Check<D>("DataCursorSnapToDataPointCheckBox", "Snap To Data Point", &D::GetSnapToDataPoint,
             &D::SetSnapToDataPoint);

  t.On("DataCursorChannelTabSheet");
  t.Name<D>("DataCursorChannelNameComboBox", "Channel Name", ienfAllChannels, &D::GetChannelName,
            &D::SetChannelName);
  t.Check<D>("DataCursorChannelAllowAllCheckBox", "Allow All", &D::GetChannelAllowAll,
             &D::SetChannelAllowAll);
  t.Check<D>("DataCursorChannelShowAllInLegendCheckBox", "Show All In Legend", &D::GetChannelShowAllInLegend,
             &D::SetChannelShowAllInLegend);

  t.On("DataCursorHintTabSheet");
  t.Check<D>("DataCursorHintShowCheckBox", "Show", &D::GetHintShow, &D::SetHintShow);
  t.Check<D>("DataCursorHintHideOnReleaseCheckBox", "Hide On Release", &D::GetHintHideOnRelease,
             &D::SetHintHideOnRelease);
  t.Radio<D>("DataCursorOrientationSideRadioGroup", "Orientation Side", {"Bottom-Right", "Top-Left"},
             &D::GetHintOrientationSide, &D::SetHintOrientationSide);
  t.Float<D>("DataCursorHintPositionEdit", "Position", &D::GetHintPosition, &D::SetHintPosition);

  t.RefreshOrder({"DataCursorNameEdit", "DataCursorPopupEnabledCheckBox", "DataCursorPointerPenWidthEdit",
                  "DataCursorSnapToDataPointCheckBox", "DataCursorStyleComboBox", "DataCursorColorPicker",
                  "DataCursorUseChannelColorCheckBox", "DataCursorHintPositionEdit",
                  "DataCursorHintShowCheckBox", "DataCursorHintHideOnReleaseCheckBox",
                  "DataCursorOrientationSideRadioGroup", "DataCursorPointer1PositionEdit",
                  "DataCursorPointer2PositionEdit", "DataCursorChannelAllowAllCheckBox",
                  "DataCursorChannelShowAllInLegendCheckBox", "DataCursorFontPicker",
                  "DataCursorChannelNameComboBox"});
  t.WriteOrder({"DataCursorNameEdit", "DataCursorPopupEnabledCheckBox", "DataCursorSnapToDataPointCheckBox",
                "DataCursorStyleComboBox", "DataCursorColorPicker", "DataCursorUseChannelColorCheckBox",
                "DataCursorHintPositionEdit", "DataCursorHintShowCheckBox",
                "DataCursorHintHideOnReleaseCheckBox", "DataCursorOrientationSideRadioGroup",
                "DataCursorPointer1PositionEdit", "DataCursorPointer2PositionEdit",
                "DataCursorPointerPenWidthEdit", "DataCursorChannelNameComboBox",
                "DataCursorChannelAllowAllCheckBox", "DataCursorChannelShowAllInLegendCheckBox",
                "DataCursorFontPicker"});
}

void iPlotEditorToolBarPage(TiPlotEditorPage& Page) {
  using T = TiPlotToolBar;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuUpdateAll;

  t.On("ToolBarHiddenGroupBox");
  t.Text<T>("ToolBarNameEdit", "Name", &T::GetName, &T::SetName);

  // Refreshed and written in table order.
  t.On("ToolBarTabSheet");
  t.Check<T>("ToolBarVisibleCheckBox", "Visible", &T::GetVisible, &T::SetVisible);
  t.Check<T>("ToolBarEnabledCheckBox", "Enabled", &T::GetEnabled, &T::SetEnabled);
  t.Check<T>("ToolBarPopupEnabledCheckBox", "Popup Enabled", &T::GetPopupEnabled, &T::SetPopupEnabled);
  t.Check<T>("ToolBarFlatBorderCheckBox", "Flat Border", &T::GetFlatBorder, &T::SetFlatBorder);
  t.Check<T>("ToolBarFlatButtonsCheckBox", "Flat Buttons", &T::GetFlatButtons, &T::SetFlatButtons);
  t.Check<T>("ToolBarSmallButtonsCheckBox", "Small Buttons", &T::GetSmallButtons, &T::SetSmallButtons);
  t.On("ToolBarTabSheet", "Show Button");
  t.Check<T>("ToolBarShowResumeButtonCheckBox", "Resume", &T::GetShowResumeButton, &T::SetShowResumeButton);
  t.Check<T>("ToolBarShowPauseButtonCheckBox", "Pause", &T::GetShowPauseButton, &T::SetShowPauseButton);
  t.Check<T>("ToolBarShowAxesModeButtonsCheckBox", "Axes Mode", &T::GetShowAxesModeButtons,
             &T::SetShowAxesModeButtons);
  t.Check<T>("ToolBarShowZoomInOutButtonsCheckBox", "Zoom In/Out", &T::GetShowZoomInOutButtons,
             &T::SetShowZoomInOutButtons);
  t.Check<T>("ToolBarShowSelectButtonCheckBox", "Select", &T::GetShowSelectButton, &T::SetShowSelectButton);
  t.Check<T>("ToolBarShowZoomBoxButtonCheckBox", "Zoom Box", &T::GetShowZoomBoxButton,
             &T::SetShowZoomBoxButton);
  t.Check<T>("ToolBarShowCursorButtonCheckBox", "Cursor", &T::GetShowCursorButton, &T::SetShowCursorButton);
  t.Check<T>("ToolBarShowEditButtonCheckBox", "Edit", &T::GetShowEditButton, &T::SetShowEditButton);
  t.Check<T>("ToolBarShowCopyButtonCheckBox", "Copy", &T::GetShowCopyButton, &T::SetShowCopyButton);
  t.Check<T>("ToolBarShowSaveButtonCheckBox", "Save", &T::GetShowSaveButton, &T::SetShowSaveButton);
  t.Check<T>("ToolBarShowPrintButtonCheckBox", "Print", &T::GetShowPrintButton, &T::SetShowPrintButton);
  t.Check<T>("ToolBarShowPreviewButtonCheckBox", "Preview", &T::GetShowPreviewButton,
             &T::SetShowPreviewButton);
  t.On("ToolBarTabSheet");
  t.Float<T>("ToolBarZoomInOutFactorEdit", "Zoom In/Out Factor", &T::GetZoomInOutFactor,
             &T::SetZoomInOutFactor);
}
