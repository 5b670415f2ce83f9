// The "Control" page: the plot's own properties. It has no list: the master
// manager fills it when the form is shown and writes every row back on any
// change (GeneralChanged); the "Title" rows edit the first label instead.

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotComponent.h"

void iPlotEditorControlPage(TiPlotEditorPage& Page) {
  using P = TiPlotComponent;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuNothing;

  t.On("ControlGeneralTabSheet");
  t.Integer<P>("UpdateFrameRateEdit", "Update Frame Rate", &P::GetUpdateFrameRate, &P::SetUpdateFrameRate)
      .WithUpDown(0, 0);
  t.Check<P>("AutoFrameRateCheckBox", "Auto Frame Rate", &P::GetAutoFrameRate, &P::SetAutoFrameRate);
  t.Combo<P>("CopyToClipBoardFormatComboBox", "Copy To ClipBoard Format", {"Meta File", "Bitmap", "JPEG"},
             &P::GetCopyToClipBoardFormat, &P::SetCopyToClipBoardFormat);
  t.Combo<P>("FileColumnSeparatorComboBox", "File Column Separator", {"Tab", "Comma"},
             &P::GetDataFileColumnSeparator, &P::SetDataFileColumnSeparator);
  t.Check<P>("ClipAnnotationsToAxesCheckBox", "Clip Annotations To Axes", &P::GetClipAnnotationsToAxes,
             &P::SetClipAnnotationsToAxes);
  t.Radio<P>("BorderStyleRadioGroup", "Border Style", {"None", "Raised", "Lowered"}, &P::GetBorderStyle,
             &P::SetBorderStyle);
  t.On("ControlGeneralTabSheet", "Outer Margin");
  t.Integer<P>("OuterMarginLeftEdit", "Left", &P::GetOuterMarginLeft, &P::SetOuterMarginLeft)
      .WithUpDown(0, 0);
  t.Integer<P>("OuterMarginTopEdit", "Top", &P::GetOuterMarginTop, &P::SetOuterMarginTop).WithUpDown(0, 0);
  t.Integer<P>("OuterMarginRightEdit", "Right", &P::GetOuterMarginRight, &P::SetOuterMarginRight)
      .WithUpDown(0, 0);
  t.Integer<P>("OuterMarginBottomEdit", "Bottom", &P::GetOuterMarginBottom, &P::SetOuterMarginBottom)
      .WithUpDown(0, 0);

  // The title is the first label; its rows have their own change handler.
  auto title = [](TiPlotEditorForm& Form) { Form.TitleChange(&Form); };
  t.On("ControlTitleTabSheet");
  t.Check<P>("TitleVisibleCheckBox", "Visible", &P::GetTitleVisible, &P::SetTitleVisible).OnChange(title);
  t.Text<P>("TitleTextEdit", "Text", &P::GetTitleText, &P::SetTitleText).OnChange(title);
  t.Float<P>("TitleMarginEdit", "Margin", &P::GetTitleMargin, &P::SetTitleMargin).OnChange(title);
  t.Font<P>("TitleFontPicker", "Font", &P::GetTitleFont, &P::SetTitleFont).OnChange(title);

  t.On("ControlBackgroundTabSheet");
  t.Color<P>("BackGroundColorPicker", "Color", &P::GetBackGroundColor, &P::SetBackGroundColor);
  t.On("ControlBackgroundTabSheet", "Gradient");
  t.Check<P>("BackGroundGradientEnabledCheckBox", "Enabled", &P::GetBackGroundGradientEnabled,
             &P::SetBackGroundGradientEnabled);
  t.Color<P>("BackGroundGradientStartColorPicker", "Start Color", &P::GetBackGroundGradientStartColor,
             &P::SetBackGroundGradientStartColor);
  t.Color<P>("BackGroundGradientStopColorPicker", "Stop Color", &P::GetBackGroundGradientStopColor,
             &P::SetBackGroundGradientStopColor);
  t.Combo<P>("BackGroundGradientDirectionComboBox", "Direction",
             {"Top/Bottom", "Bottom/Top", "Left/Right", "Right/Left", "Top Left/Bottom Right",
              "Bottom Right/Top Left", "Bottom Left/Top Right", "Top Right/Bottom Left", "Rectangle Out",
              "Rectangle In", "Circle Out", "Circle In"},
             &P::GetBackGroundGradientDirection, &P::SetBackGroundGradientDirection);

  // Print settings and annotation defaults are stored without notification:
  // the plot's setters of these only store the value.
  t.On("ControlPrintTabSheet");
  t.Check<P>("PrintShowDialogCheckBox", "Show Dialog", &P::GetPrintShowDialog, &P::SetPrintShowDialog);
  t.Radio<P>("PrintOrientationRadioGroup", "Orientation", {"Portrait", "Landscape"}, &P::GetPrintOrientation,
             &P::SetPrintOrientation);
  t.Text<P>("PrintDocumentNameEdit", "Document Name", &P::GetPrintDocumentName, &P::SetPrintDocumentName);
  t.On("ControlPrintTabSheet", "Margin");
  t.Float<P>("PrintMarginLeftEdit", "Left", &P::GetPrintMarginLeft, &P::SetPrintMarginLeft);
  t.Float<P>("PrintMarginTopEdit", "Top", &P::GetPrintMarginTop, &P::SetPrintMarginTop);
  t.Float<P>("PrintMarginRightEdit", "Right", &P::GetPrintMarginRight, &P::SetPrintMarginRight);
  t.Float<P>("PrintMarginBottomEdit", "Bottom", &P::GetPrintMarginBottom, &P::SetPrintMarginBottom);

  t.On("ControlHintsTabSheet");
  t.Check<P>("HintsShowCheckBox", "Show", &P::GetHintsShow, &P::SetHintsShow);
  t.Integer<P>("HintsPauseEdit", "Pause", &P::GetHintsPause, &P::SetHintsPause).WithUpDown(0, 0, 100);
  t.Integer<P>("HintsHidePauseEdit", "Hide Pause", &P::GetHintsHidePause, &P::SetHintsHidePause)
      .WithUpDown(0, 0, 100);
  t.Font<P>(
      "HintsFontPicker", "Font", [](P* p) { return static_cast<const P*>(p)->GetHintsFont(); },
      &P::SetHintsFont);

  const std::vector<std::string> individual = {"DataView", "Channel", "Auto"};
  t.On("ControlAnnotationDefaultsTabSheet");
  t.Font<P>("AnnotationDefaultFontPicker", "Font", &P::GetAnnotationDefaultFont,
            &P::SetAnnotationDefaultFont);
  t.Combo<P>("AnnotationDefaultReferenceComboBox", "Reference",
             {"DataView", "Channel", "X-Channel Y-DataView", "Y-Channel X-DataView "},
             &P::GetAnnotationDefaultReference, &P::SetAnnotationDefaultReference);
  t.Combo<P>("AnnotationDefaultReferencePositionXComboBox", "Reference Position-X", individual,
             &P::GetAnnotationDefaultReferencePositionX, &P::SetAnnotationDefaultReferencePositionX);
  t.Combo<P>("AnnotationDefaultReferencePositionYComboBox", "Reference Position-Y", individual,
             &P::GetAnnotationDefaultReferencePositionY, &P::SetAnnotationDefaultReferencePositionY);
  t.Combo<P>("AnnotationDefaultReferenceSizeXComboBox", "Reference Size-X", individual,
             &P::GetAnnotationDefaultReferenceSizeX, &P::SetAnnotationDefaultReferenceSizeX);
  t.Combo<P>("AnnotationDefaultReferenceSizeYComboBox", "Reference Size-Y", individual,
             &P::GetAnnotationDefaultReferenceSizeY, &P::SetAnnotationDefaultReferenceSizeY);
  t.On("ControlAnnotationDefaultsTabSheet", "Brush");
  t.Color<P>("AnnotationDefaultBrushColorPicker", "Color", &P::GetAnnotationDefaultBrushColor,
             &P::SetAnnotationDefaultBrushColor);
  t.Combo<P>("AnnotationDefaultBrushStyleComboBox", "Style",
             {"Solid", "Clear", "Horizontal", "Vertical", "FDiagonal", "BDiagonal", "Cross", "DiagCross"},
             &P::GetAnnotationDefaultBrushStlye, &P::SetAnnotationDefaultBrushStlye);
  t.On("ControlAnnotationDefaultsTabSheet", "Pen");
  t.Color<P>("AnnotationDefaultPenColorPicker", "Color", &P::GetAnnotationDefaultPenColor,
             &P::SetAnnotationDefaultPenColor);
  t.Combo<P>("AnnotationDefaultPenStyleComboBox", "Style",
             {"Solid", "Dash", "Dot", "DashDot", "DashDotDot", "Clear", "Inside Frame"},
             &P::GetAnnotationDefaultPenStlye, &P::SetAnnotationDefaultPenStlye);
  t.Integer<P>("AnnotationDefaultPenWidthEdit", "Width", &P::GetAnnotationDefaultPenWidth,
               &P::SetAnnotationDefaultPenWidth)
      .WithUpDown(0, 0);

  iPlotEditorControlFileRows(Page);

  // Filled and written in one order, the log rows of "File I/O" among them.
  const std::initializer_list<const char*> order = {"AutoFrameRateCheckBox",
                                                    "UpdateFrameRateEdit",
                                                    "ClipAnnotationsToAxesCheckBox",
                                                    "BorderStyleRadioGroup",
                                                    "CopyToClipBoardFormatComboBox",
                                                    "FileColumnSeparatorComboBox",
                                                    "BackGroundColorPicker",
                                                    "BackGroundGradientDirectionComboBox",
                                                    "BackGroundGradientEnabledCheckBox",
                                                    "BackGroundGradientStartColorPicker",
                                                    "BackGroundGradientStopColorPicker",
                                                    "OuterMarginLeftEdit",
                                                    "OuterMarginTopEdit",
                                                    "OuterMarginRightEdit",
                                                    "OuterMarginBottomEdit",
                                                    "TitleVisibleCheckBox",
                                                    "TitleMarginEdit",
                                                    "TitleTextEdit",
                                                    "TitleFontPicker",
                                                    "ControlLogFileNameEdit",
                                                    "ControlLogBufferSizeEdit",
                                                    "HintsShowCheckBox",
                                                    "HintsPauseEdit",
                                                    "HintsHidePauseEdit",
                                                    "HintsFontPicker",
                                                    "AnnotationDefaultPenColorPicker",
                                                    "AnnotationDefaultPenStyleComboBox",
                                                    "AnnotationDefaultPenWidthEdit",
                                                    "AnnotationDefaultBrushColorPicker",
                                                    "AnnotationDefaultBrushStyleComboBox",
                                                    "AnnotationDefaultReferenceComboBox",
                                                    "AnnotationDefaultReferencePositionXComboBox",
                                                    "AnnotationDefaultReferencePositionYComboBox",
                                                    "AnnotationDefaultReferenceSizeXComboBox",
                                                    "AnnotationDefaultReferenceSizeYComboBox",
                                                    "AnnotationDefaultFontPicker",
                                                    "PrintShowDialogCheckBox",
                                                    "PrintOrientationRadioGroup",
                                                    "PrintMarginLeftEdit",
                                                    "PrintMarginTopEdit",
                                                    "PrintMarginRightEdit",
                                                    "PrintMarginBottomEdit",
                                                    "PrintDocumentNameEdit"};
  t.RefreshOrder(order);
  t.WriteOrder(order);
}
