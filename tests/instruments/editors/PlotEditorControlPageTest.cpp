// The editor's "Control" page: each row written through its control into
// the plot and filled back from it, what a change writes and repaints, and
// the "Title" rows that edit the first label.

#include "instruments/plot/iPlotLabel.h"
#include "tests/instruments/editors/PlotEditorTestSupport.h"

using namespace editors_test;

namespace {

// The user picks entry Index of a combo box or radio group.
void Choose(TiPlotEditorForm* Form, const std::string& Name, int Index) {
  if (auto* combo = Form->Find<TiComponentEditorComboBox>(Name)) {
    combo->SetItemIndex(Index);
    combo->OnChange(combo);
  } else if (auto* radio = Named<TiComponentEditorRadioGroup>(Form, Name)) {
    radio->SetItemIndex(Index);
    radio->OnChange(radio);
  }
}

void Toggle(TiPlotEditorForm* Form, const std::string& Name) {
  auto* check = Named<TiComponentEditorCheckBox>(Form, Name);
  check->SetChecked(!check->GetChecked());
}

std::string Text(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%g", v);
  return b;
}

// A control changed as the user does, and the plot property it must reach.
struct Row {
  const char* control;
  std::function<void(TiPlotEditorForm*)> change;
  std::function<std::string(TiPlotComponent*)> read;
  std::string expected;
};

std::vector<Row> Rows() {
  auto typed = [](const char* edit, const char* text) {
    return [edit, text](TiPlotEditorForm* f) { TypeInto(f, edit, text); };
  };
  auto chosen = [](const char* box, int index) {
    return [box, index](TiPlotEditorForm* f) { Choose(f, box, index); };
  };
  using P = TiPlotComponent;
  return {
      // The frame rate is stored as typed: the scheduler takes 0 or less as
      // "at once" and works the interval out in floating point.
      {"UpdateFrameRateEdit", typed("UpdateFrameRateEdit", "0"),
       [](P* p) { return std::to_string(p->GetUpdateFrameRate()); }, "0"},
      {"UpdateFrameRateEdit", typed("UpdateFrameRateEdit", "-5"),
       [](P* p) { return std::to_string(p->GetUpdateFrameRate()); }, "-5"},
      {"UpdateFrameRateEdit", typed("UpdateFrameRateEdit", "30000"),
       [](P* p) { return std::to_string(p->GetUpdateFrameRate()); }, "30000"},
      {"UpdateFrameRateEdit", typed("UpdateFrameRateEdit", "fast"),
       [](P* p) { return std::to_string(p->GetUpdateFrameRate()); }, "0"},
      {"AutoFrameRateCheckBox", [](TiPlotEditorForm* f) { Toggle(f, "AutoFrameRateCheckBox"); },
       [](P* p) { return std::to_string(p->GetAutoFrameRate()); }, "0"},
      {"CopyToClipBoardFormatComboBox", chosen("CopyToClipBoardFormatComboBox", 2),
       [](P* p) { return std::to_string(p->GetCopyToClipBoardFormat()); }, std::to_string(ipefJPEG)},
      {"FileColumnSeparatorComboBox", chosen("FileColumnSeparatorComboBox", 1),
       [](P* p) { return std::to_string(p->GetDataFileColumnSeparator()); }, std::to_string(ipdfcsComma)},
      {"ClipAnnotationsToAxesCheckBox",
       [](TiPlotEditorForm* f) { Toggle(f, "ClipAnnotationsToAxesCheckBox"); },
       [](P* p) { return std::to_string(p->GetClipAnnotationsToAxes()); }, "0"},
      {"BorderStyleRadioGroup", chosen("BorderStyleRadioGroup", 1),
       [](P* p) { return std::to_string(p->GetBorderStyle()); }, std::to_string(ibsRaised)},
      {"OuterMarginBottomEdit", typed("OuterMarginBottomEdit", "12"),
       [](P* p) { return std::to_string(p->GetOuterMarginBottom()); }, "12"},
      {"BackGroundGradientEnabledCheckBox",
       [](TiPlotEditorForm* f) { Toggle(f, "BackGroundGradientEnabledCheckBox"); },
       [](P* p) { return std::to_string(p->GetBackGroundGradientEnabled()); }, "1"},
      {"BackGroundGradientDirectionComboBox", chosen("BackGroundGradientDirectionComboBox", 11),
       [](P* p) { return std::to_string(p->GetBackGroundGradientDirection()); }, std::to_string(ifdCircleIn)},
      {"PrintOrientationRadioGroup", chosen("PrintOrientationRadioGroup", 0),
       [](P* p) { return std::to_string(p->GetPrintOrientation()); }, std::to_string(poPortrait)},
      {"PrintMarginRightEdit", typed("PrintMarginRightEdit", "0.75"),
       [](P* p) { return Text(p->GetPrintMarginRight()); }, "0.75"},
      {"PrintDocumentNameEdit", typed("PrintDocumentNameEdit", "Report"),
       [](P* p) { return p->GetPrintDocumentName(); }, "Report"},
      {"HintsHidePauseEdit", typed("HintsHidePauseEdit", "4000"),
       [](P* p) { return std::to_string(p->GetHintsHidePause()); }, "4000"},
      {"AnnotationDefaultReferenceComboBox", chosen("AnnotationDefaultReferenceComboBox", 3),
       [](P* p) { return std::to_string(p->GetAnnotationDefaultReference()); },
       std::to_string(iprtXDataViewYChannel)},
      {"AnnotationDefaultReferenceSizeYComboBox", chosen("AnnotationDefaultReferenceSizeYComboBox", 1),
       [](P* p) { return std::to_string(p->GetAnnotationDefaultReferenceSizeY()); },
       std::to_string(ipriChannel)},
      {"AnnotationDefaultBrushStyleComboBox", chosen("AnnotationDefaultBrushStyleComboBox", 7),
       [](P* p) { return std::to_string(p->GetAnnotationDefaultBrushStlye()); }, std::to_string(bsDiagCross)},
      {"AnnotationDefaultPenStyleComboBox", chosen("AnnotationDefaultPenStyleComboBox", 6),
       [](P* p) { return std::to_string(p->GetAnnotationDefaultPenStlye()); }, std::to_string(psInsideFrame)},
      {"AnnotationDefaultPenWidthEdit", typed("AnnotationDefaultPenWidthEdit", "3"),
       [](P* p) { return std::to_string(p->GetAnnotationDefaultPenWidth()); }, "3"},
  };
}

TEST(PlotEditorControlPage, EachControlWritesItsPlotProperty) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.control);
    EditorPlot p;
    TiPlotEditorForm* form = p.Open();
    row.change(form);
    EXPECT_EQ(row.read(p.plot), row.expected);
  }
}

// Shown: what the plot holds, each time the editor is shown.
TEST(PlotEditorControlPage, EveryControlShowsItsPlotProperty) {
  EditorPlot p;
  p.plot->SetUpdateFrameRate(25);
  p.plot->SetBorderStyle(ibsRaised);
  p.plot->SetCopyToClipBoardFormat(ipefBitmap);
  p.plot->SetOuterMarginTop(9);
  p.plot->SetPrintMarginLeft(0.25);
  p.plot->SetPrintDocumentName("Curves");
  p.plot->SetHintsPause(800);
  p.plot->SetAnnotationDefaultReference(iprtXDataViewYChannel);
  p.plot->SetBackGroundColor(0x123456);
  p.plot->SetTitleText("Gate");
  TiPlotEditorForm* form = p.Open();
  EXPECT_EQ(Named<TiComponentEditorEdit>(form, "UpdateFrameRateEdit")->GetAsString(), "25");
  EXPECT_EQ(Named<TiComponentEditorRadioGroup>(form, "BorderStyleRadioGroup")->GetAsInteger(), ibsRaised);
  EXPECT_EQ(Named<TiComponentEditorComboBox>(form, "CopyToClipBoardFormatComboBox")->GetAsString(), "Bitmap");
  EXPECT_EQ(Named<TiComponentEditorEdit>(form, "OuterMarginTopEdit")->GetAsString(), "9");
  EXPECT_EQ(Named<TiComponentEditorEdit>(form, "PrintMarginLeftEdit")->GetAsString(), "0.25");
  EXPECT_EQ(Named<TiComponentEditorEdit>(form, "PrintDocumentNameEdit")->GetAsString(), "Curves");
  EXPECT_EQ(Named<TiComponentEditorEdit>(form, "HintsPauseEdit")->GetAsString(), "800");
  EXPECT_EQ(Named<TiComponentEditorComboBox>(form, "AnnotationDefaultReferenceComboBox")->GetAsString(),
            "Y-Channel X-DataView ");
  EXPECT_EQ(Named<TiComponentEditorColorPicker>(form, "BackGroundColorPicker")->GetColor(), 0x123456);
  EXPECT_EQ(Named<TiComponentEditorEdit>(form, "TitleTextEdit")->GetAsString(), "Gate");
  // Filled again at the next showing; nothing was written meanwhile.
  p.plot->SetHintsPause(900);
  p.plot->EditProperties();
  EXPECT_EQ(Named<TiComponentEditorEdit>(form, "HintsPauseEdit")->GetAsString(), "900");
}

// Print settings are stored without notification: no repaint.
TEST(PlotEditorControlPage, PrintMarginsAloneRepaintNothing) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  // Inside an update bracket a repaint request only marks the plot.
  p.plot->BeginUpdate();
  // A repaint now: nothing is left waiting.
  p.plot->InvalidateNow();
  TypeInto(form, "PrintMarginLeftEdit", "0.5");
  TypeInto(form, "PrintMarginBottomEdit", "2");
  EXPECT_FALSE(p.plot->GetNeedsRepaint());
  EXPECT_DOUBLE_EQ(p.plot->GetPrintMarginLeft(), 0.5);
  EXPECT_DOUBLE_EQ(p.plot->GetPrintMarginBottom(), 2);
  TypeInto(form, "OuterMarginLeftEdit", "20");
  EXPECT_TRUE(p.plot->GetNeedsRepaint());
  p.plot->EndUpdate();
}

// A "Title" control writes only the first label; any other control writes
// the title controls too.
TEST(PlotEditorControlPage, TitleControlsWriteOnlyTheFirstLabel) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  p.plot->SetHintsPause(1234);
  TypeInto(form, "TitleTextEdit", "Compressor");
  EXPECT_EQ(p.plot->GetLabel(0)->GetCaption(), "Compressor");
  EXPECT_EQ(p.plot->GetLabel(1)->GetCaption(), "Label 1");
  EXPECT_EQ(p.plot->GetHintsPause(), 1234) << "the other sub-pages stay unwritten";
  TypeInto(form, "TitleMarginEdit", "4");
  EXPECT_DOUBLE_EQ(p.plot->GetLabel(0)->GetMarginBottom(), 4);

  p.plot->GetLabel(0)->SetCaption("Changed by the program");
  Toggle(form, "HintsShowCheckBox");
  EXPECT_FALSE(p.plot->GetHintsShow());
  EXPECT_EQ(p.plot->GetLabel(0)->GetCaption(), "Compressor");
  EXPECT_EQ(p.plot->GetHintsPause(), 500) << "the page writes back what it shows";
}

// The label page's write-back of the first label shows it on "Title"; another
// label's leaves "Title" alone.
TEST(PlotEditorControlPage, TheFirstLabelsChangesReachTheTitleRows) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  TypeInto(form, "LabelCaptionMemo", "Gate");
  EXPECT_EQ(Named<TiComponentEditorEdit>(form, "TitleTextEdit")->GetAsString(), "Gate");
  PickEntry(form, "LabelListBox", 1);
  TypeInto(form, "LabelCaptionMemo", "Expander");
  EXPECT_EQ(p.plot->GetLabel(1)->GetCaption(), "Expander");
  EXPECT_EQ(Named<TiComponentEditorEdit>(form, "TitleTextEdit")->GetAsString(), "Gate");
}

}  // namespace
