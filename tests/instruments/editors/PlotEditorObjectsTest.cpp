// The plot editor's object pages for legends, cursors, the tool bar, data
// views, limits, labels and tables, and the "File I/O" sub-pages: rows
// written through the controls reach the objects, objects changed
// elsewhere reach the controls, and files and logs go through the plot's
// and the channel's own operations.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotDataCursor.h"
#include "instruments/plot/iPlotDataView.h"
#include "instruments/plot/iPlotLabel.h"
#include "instruments/plot/iPlotLegend.h"
#include "instruments/plot/iPlotLimit.h"
#include "instruments/plot/iPlotMasterManager.h"
#include "instruments/plot/iPlotTable.h"
#include "instruments/plot/iPlotToolBar.h"
#include "platform/classlib/ControlImage.h"
#include "platform/classlib/Dialogs.h"
#include "platform/sys/SysUtils.h"
#include "tests/instruments/editors/PlotEditorTestSupport.h"

using namespace editors_test;

namespace {

// The user's gesture on a control, with Value as the edit's text, the
// check's state ("1"), the combo box's or radio group's index, or the colour.
void UserSets(TiPlotEditorForm* Form, const std::string& Control, const std::string& Value) {
  TComponent* c = Form->FindComponent(Control);
  ASSERT_NE(c, nullptr) << Control;
  if (auto* e = dynamic_cast<TiComponentEditorEdit*>(c)) {
    e->SetStringWithEvent(Value);
  } else if (auto* b = dynamic_cast<TiComponentEditorCheckBox*>(c)) {
    b->SetChecked(Value == "1");
  } else if (auto* r = dynamic_cast<TiComponentEditorRadioGroup*>(c)) {
    r->SetItemIndex(std::stoi(Value));
  } else if (auto* x = dynamic_cast<TiComponentEditorComboBox*>(c)) {
    x->SetItemIndex(std::stoi(Value));
    if (x->OnChange) x->OnChange(x);
  } else if (auto* k = dynamic_cast<TiComponentEditorColorPicker*>(c)) {
    TScriptedDialogService dialogs;
    dialogs.AnswerColor(static_cast<TColor>(std::stoi(Value)));
    k->Choose();
  } else {
    ADD_FAILURE() << Control << " is no value control";
  }
}

// What a control shows, in the terms of UserSets.
std::string Shown(TiPlotEditorForm* Form, const std::string& Control) {
  TComponent* c = Form->FindComponent(Control);
  if (auto* e = dynamic_cast<TiComponentEditorEdit*>(c)) return e->GetAsString();
  if (auto* b = dynamic_cast<TiComponentEditorCheckBox*>(c)) return b->GetAsBoolean() ? "1" : "0";
  if (auto* r = dynamic_cast<TiComponentEditorRadioGroup*>(c)) return std::to_string(r->GetAsInteger());
  if (auto* x = dynamic_cast<TiComponentEditorComboBox*>(c)) return std::to_string(x->GetAsInteger());
  if (auto* k = dynamic_cast<TiComponentEditorColorPicker*>(c)) return std::to_string(k->GetColor());
  ADD_FAILURE() << Control << " is no value control";
  return {};
}

std::string Num(double v) {
  return FloatToStr(v);
}
std::string Flag(bool v) {
  return v ? "1" : "0";
}

// A row of a page: the control, the property read as UserSets writes it,
// and a setter for the other direction.
struct Row {
  const char* control;
  std::string typed;   // what the user enters
  std::string stored;  // what the object then holds
  std::string set;     // a value set on the object ...
  std::string shown;   // ... and what the control then shows
  std::function<std::string(TiXYPlot*)> read;
  std::function<void(TiXYPlot*, const std::string&)> write;
};

template <class T>
std::function<std::string(TiXYPlot*)> Get(T* (TiPlotComponent::*Of)(int) const, auto Getter, auto Format) {
  return [=](TiXYPlot* p) { return Format(std::invoke(Getter, (p->*Of)(0))); };
}

const std::vector<Row>& Rows() {
  using L = TiPlotLegend;
  using D = TiPlotDataCursor;
  using T = TiPlotToolBar;
  using V = TiPlotDataView;
  using M = TiPlotLimit;
  using B = TiPlotLabel;
  using G = TiPlotTable;
  auto i = [](auto v) { return std::to_string(static_cast<int>(v)); };
  auto s = [](const std::string& v) { return v; };
  static const std::vector<Row> rows = {
      // Legend (hidden list: the first legend).
      {"LegendTopMarginEdit", "2.5", "2.5", "4", "4", Get(&TiPlotComponent::GetLegend, &L::GetMarginTop, Num),
       [](TiXYPlot* p, const std::string& v) { p->GetLegend(0)->SetMarginTop(std::stod(v)); }},
      {"LegendChannelNameColorStyleComboBox", "2", "2", "3", "3",
       Get(&TiPlotComponent::GetLegend, &L::GetChannelNameColorStyle, i),
       [](TiXYPlot* p, const std::string& v) {
         p->GetLegend(0)->SetChannelNameColorStyle(
             static_cast<TiPlotLegendChannelNameColorStyle>(std::stoi(v)));
       }},
      {"LegendShowYMeanCheckbox", "1", "1", "0", "0",
       Get(&TiPlotComponent::GetLegend, &L::GetShowColumnYMean, Flag),
       [](TiXYPlot* p, const std::string& v) { p->GetLegend(0)->SetShowColumnYMean(v == "1"); }},
      // The setter takes counts below 1 as 1.
      {"LegendWrapRowDesiredCountEdit", "0", "1", "7", "7",
       Get(&TiPlotComponent::GetLegend, &L::GetWrapRowDesiredCount, i),
       [](TiXYPlot* p, const std::string& v) { p->GetLegend(0)->SetWrapRowDesiredCount(std::stoi(v)); }},
      {"LegendWrapColSpacingMinEdit", "3.5", "3.5", "1.5", "1.5",
       Get(&TiPlotComponent::GetLegend, &L::GetWrapColSpacingMin, Num),
       [](TiXYPlot* p, const std::string& v) { p->GetLegend(0)->SetWrapColSpacingMin(std::stod(v)); }},
      {"LegendSelectedItemColorPicker", "255", "255", "65280", "65280",
       Get(&TiPlotComponent::GetLegend, &L::GetSelectedItemBackGroundColor, i),
       [](TiXYPlot* p, const std::string& v) {
         p->GetLegend(0)->SetSelectedItemBackGroundColor(std::stoi(v));
       }},
      // Cursor.
      {"DataCursorStyleComboBox", "5", "5", "3", "3", Get(&TiPlotComponent::GetDataCursor, &D::GetStyle, i),
       [](TiXYPlot* p, const std::string& v) {
         p->GetDataCursor(0)->SetStyle(static_cast<TiPlotDataCursorStyle>(std::stoi(v)));
       }},
      {"DataCursorPointer2PositionEdit", "75.5", "75.5", "20", "20",
       Get(&TiPlotComponent::GetDataCursor, &D::GetPointer2Position, Num),
       [](TiXYPlot* p, const std::string& v) { p->GetDataCursor(0)->SetPointer2Position(std::stod(v)); }},
      {"DataCursorOrientationSideRadioGroup", "1", "1", "0", "0",
       Get(&TiPlotComponent::GetDataCursor, &D::GetHintOrientationSide, i),
       [](TiXYPlot* p, const std::string& v) {
         p->GetDataCursor(0)->SetHintOrientationSide(static_cast<TiOrientationSide>(std::stoi(v)));
       }},
      // Entry 2 of "<All>", "Channel 1", "Channel 2".
      {"DataCursorChannelNameComboBox", "2", "Channel 2", "Channel 1", "1",
       Get(&TiPlotComponent::GetDataCursor, &D::GetChannelName, s),
       [](TiXYPlot* p, const std::string& v) { p->GetDataCursor(0)->SetChannelName(v); }},
      {"DataCursorSnapToDataPointCheckBox", "1", "1", "0", "0",
       Get(&TiPlotComponent::GetDataCursor, &D::GetSnapToDataPoint, Flag),
       [](TiXYPlot* p, const std::string& v) { p->GetDataCursor(0)->SetSnapToDataPoint(v == "1"); }},
      // Tool bar: a factor below 1 is kept as 1.
      {"ToolBarZoomInOutFactorEdit", "0.5", "1", "3", "3",
       Get(&TiPlotComponent::GetToolBar, &T::GetZoomInOutFactor, Num),
       [](TiXYPlot* p, const std::string& v) { p->GetToolBar(0)->SetZoomInOutFactor(std::stod(v)); }},
      {"ToolBarShowPreviewButtonCheckBox", "0", "0", "1", "1",
       Get(&TiPlotComponent::GetToolBar, &T::GetShowPreviewButton, Flag),
       [](TiXYPlot* p, const std::string& v) { p->GetToolBar(0)->SetShowPreviewButton(v == "1"); }},
      // Data view: "<All>" (the last entry) is stored as such.
      {"DataViewGridXAxisNameComboBox", "2", "<All>", "X-Axis 1", "1",
       Get(&TiPlotComponent::GetDataView, &V::GetGridXAxisName, s),
       [](TiXYPlot* p, const std::string& v) { p->GetDataView(0)->SetGridXAxisName(v); }},
      {"DataViewAxesControlWheelStyleComboBox", "3", "3", "1", "1",
       Get(&TiPlotComponent::GetDataView, &V::GetAxesControlWheelStyle, i),
       [](TiXYPlot* p, const std::string& v) {
         p->GetDataView(0)->SetAxesControlWheelStyle(static_cast<TiPlotAxesControlStyle>(std::stoi(v)));
       }},
      {"DataViewGridLineYMinorWidthEdit", "3", "3", "2", "2",
       Get(&TiPlotComponent::GetDataView, &V::GetGridLineYMinorWidth, i),
       [](TiXYPlot* p, const std::string& v) { p->GetDataView(0)->SetGridLineYMinorWidth(std::stoi(v)); }},
      {"DataViewGridLineShowBottom", "0", "0", "1", "1",
       Get(&TiPlotComponent::GetDataView, &V::GetGridLineShowBottom, Flag),
       [](TiXYPlot* p, const std::string& v) { p->GetDataView(0)->SetGridLineShowBottom(v == "1"); }},
      // Limit.
      {"LimitFillStyleCombobox", "7", "7", "2", "2", Get(&TiPlotComponent::GetLimit, &M::GetFillStyle, i),
       [](TiXYPlot* p, const std::string& v) {
         p->GetLimit(0)->SetFillStyle(static_cast<TBrushStyle>(std::stoi(v)));
       }},
      {"LimitLine1PositionEdit", "12.25", "12.25", "-3", "-3",
       Get(&TiPlotComponent::GetLimit, &M::GetLine1Position, Num),
       [](TiXYPlot* p, const std::string& v) { p->GetLimit(0)->SetLine1Position(std::stod(v)); }},
      {"LimitColorPicker", "16711680", "16711680", "255", "255",
       Get(&TiPlotComponent::GetLimit, &M::GetColor, i),
       [](TiXYPlot* p, const std::string& v) { p->GetLimit(0)->SetColor(std::stoi(v)); }},
      // Label (the title, entry 0).
      {"LabelAlignmentComboBox", "2", "2", "1", "1", Get(&TiPlotComponent::GetLabel, &B::GetAlignment, i),
       [](TiXYPlot* p, const std::string& v) {
         p->GetLabel(0)->SetAlignment(static_cast<TiAlignmentHorizontal>(std::stoi(v)));
       }},
      {"LabelMarginRightEdit", "1.75", "1.75", "0.5", "0.5",
       Get(&TiPlotComponent::GetLabel, &B::GetMarginRight, Num),
       [](TiXYPlot* p, const std::string& v) { p->GetLabel(0)->SetMarginRight(std::stod(v)); }},
      // Table.
      {"TableRowsMaxEdit", "12", "12", "4", "4", Get(&TiPlotComponent::GetTable, &G::GetRowsMax, i),
       [](TiXYPlot* p, const std::string& v) { p->GetTable(0)->SetRowsMax(std::stoi(v)); }},
      {"TableGridLinesShowCheckBox", "0", "0", "1", "1",
       Get(&TiPlotComponent::GetTable, &G::GetGridLinesShow, Flag),
       [](TiXYPlot* p, const std::string& v) { p->GetTable(0)->SetGridLinesShow(v == "1"); }},
      {"TableGridBackgroundColorPicker", "8421504", "8421504", "0", "0",
       Get(&TiPlotComponent::GetTable, &G::GetGridBackGroundColor, i),
       [](TiXYPlot* p, const std::string& v) { p->GetTable(0)->SetGridBackGroundColor(std::stoi(v)); }},
  };
  return rows;
}

TEST(PlotEditorObjects, RowsWrittenThroughTheControlsReachTheObjects) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  for (const Row& r : Rows()) {
    SCOPED_TRACE(r.control);
    UserSets(form, r.control, r.typed);
    EXPECT_EQ(r.read(p.plot), r.stored);
    // A value the setter corrected shows corrected (the table page aside).
    if (r.typed != r.stored && !std::string(r.control).starts_with("Table") &&
        !std::string(r.control).ends_with("NameComboBox")) {
      EXPECT_EQ(Shown(form, r.control), r.stored);
    }
  }
}

TEST(PlotEditorObjects, ObjectValuesReachTheControlsOnRefresh) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  for (const Row& r : Rows()) r.write(p.plot, r.set);
  form->UpdateAll();
  for (const Row& r : Rows()) EXPECT_EQ(Shown(form, r.control), r.shown) << r.control;
}

// The table page is not refreshed after its write-back: a start above the
// stop is corrected in the table, the page keeps what was typed.
TEST(PlotEditorObjects, TheTablePageKeepsTheTypedTextUntilItsNextRefresh) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  TiPlotTable* table = p.plot->GetTable(0);
  const double stop = table->GetStopPercent();
  TypeInto(form, "TableStartPercentEdit", Num(stop + 10));
  EXPECT_LE(table->GetStartPercent(), table->GetStopPercent());
  EXPECT_EQ(Shown(form, "TableStartPercentEdit"), Num(stop + 10));
  form->UpdateTableEdit();
  EXPECT_EQ(Shown(form, "TableStartPercentEdit"), Num(table->GetStartPercent()));
}

// Whether Change makes the plot ask for a repaint.
bool Repaints(TiXYPlot* Plot, const std::function<void()>& Change) {
  Plot->InvalidateNow();
  Plot->BeginUpdate();
  Change();
  const bool asked = Plot->GetNeedsRepaint();
  Plot->EndUpdate();
  return asked;
}

TEST(PlotEditorObjects, ValuesStoredWithoutNotificationRepaintNothing) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  struct Case {
    const char* control;
    const char* value;
    bool repaints;
  };
  for (const Case& c :
       {Case{"DataCursorSnapToDataPointCheckBox", "1", false},
        Case{"DataViewAxesControlWheelStyleComboBox", "3", false},
        Case{"DataViewAxesControlMouseStyleComboBox", "0", false}, Case{"DataViewGridLineShowTop", "0", true},
        Case{"DataCursorPointerPenWidthEdit", "4", true}}) {
    SCOPED_TRACE(c.control);
    EXPECT_EQ(Repaints(p.plot, [&] { UserSets(form, c.control, c.value); }), c.repaints);
  }
  EXPECT_TRUE(p.plot->GetDataCursor(0)->GetSnapToDataPoint());
  EXPECT_EQ(p.plot->GetDataView(0)->GetAxesControlMouseStyle(), ipacsXAxis);
}

// The "Title" sub-page and the first label are one object seen twice.
TEST(PlotEditorObjects, TheTitleAndTheFirstLabelStayInStep) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  TiPlotLabel* title = p.plot->GetLabel(0);
  TypeInto(form, "LabelCaptionMemo", "Levels");
  EXPECT_EQ(title->GetCaption(), "Levels");
  EXPECT_EQ(Shown(form, "TitleTextEdit"), "Levels");
  UserSets(form, "LabelVisibleCheckBox", "0");
  EXPECT_EQ(Shown(form, "TitleVisibleCheckBox"), "0");

  TypeInto(form, "TitleTextEdit", "Response");
  EXPECT_EQ(title->GetCaption(), "Response");
  EXPECT_EQ(Shown(form, "LabelCaptionMemo"), "Response");
  TypeInto(form, "TitleMarginEdit", "2.5");
  EXPECT_EQ(title->GetMarginBottom(), 2.5);
  EXPECT_EQ(Shown(form, "LabelMarginBottomEdit"), "2.5");

  // Another label's caption leaves the title alone.
  PickEntry(form, "LabelListBox", 1);
  TypeInto(form, "LabelCaptionMemo", "Second");
  EXPECT_EQ(p.plot->GetLabel(1)->GetCaption(), "Second");
  EXPECT_EQ(Shown(form, "TitleTextEdit"), "Response");
}

// The hidden legend list: an edit request on the second legend shows it.
TEST(PlotEditorObjects, TheLegendPageEditsTheLegendAnEditRequestChose) {
  EditorPlot p;
  p.plot->AddLegend();
  TiPlotEditorForm* form = p.Open();
  EXPECT_EQ(Shown(form, "LegendNameEdit"), p.plot->GetLegend(0)->GetName());
  form->SelectObject(p.plot->GetLegend(1));
  EXPECT_EQ(Shown(form, "LegendNameEdit"), p.plot->GetLegend(1)->GetName());
  TypeInto(form, "LegendColumnSpacingEdit", "9");
  EXPECT_EQ(p.plot->GetLegend(1)->GetColumnSpacing(), 9);
  EXPECT_NE(p.plot->GetLegend(0)->GetColumnSpacing(), 9);
}

// Without a cursor the page is disabled but "Add"; the added cursor is
// shown, and its colour reaches its entry's colour box.
TEST(PlotEditorObjects, TheCursorPageFromNoCursorToAColouredEntry) {
  EditorPlot p;
  p.plot->DeleteDataCursor(0);
  TiPlotEditorForm* form = p.Open();
  auto* list = Named<TiComponentEditorListBox>(form, "DataCursorListBox");
  EXPECT_EQ(list->GetCount(), 0);
  for (const char* c :
       {"DataCursorNameEdit", "DataCursorStyleComboBox", "DataCursorChannelNameComboBox",
        "DataCursorOrientationSideRadioGroup", "DataCursorColorPicker", "DataCursorRemoveButton"})
    EXPECT_FALSE(Named<TControl>(form, c)->GetEnabled()) << c;
  ClickButton(form, "iDataCursorAddButton");
  ASSERT_EQ(list->GetCount(), 1);
  EXPECT_EQ(list->GetItemIndex(), 0);
  EXPECT_TRUE(Named<TControl>(form, "DataCursorNameEdit")->GetEnabled());
  EXPECT_EQ(Shown(form, "DataCursorNameEdit"), p.plot->GetDataCursor(0)->GetName());
  // "<All>" and the two channels.
  EXPECT_EQ(Named<TiComponentEditorComboBox>(form, "DataCursorChannelNameComboBox")->GetItems()->GetCount(),
            3);

  UserSets(form, "DataCursorColorPicker", std::to_string(clFuchsia));
  EXPECT_EQ(p.plot->GetDataCursor(0)->GetColor(), clFuchsia);
  bool box = false;
  TColor colour = clNone;
  std::string text;
  list->OnGetData(0, box, colour, text);
  EXPECT_TRUE(box);
  EXPECT_EQ(colour, clFuchsia);
}

// A fresh folder for one test's files.
struct TempFolder {
  std::filesystem::path path;
  explicit TempFolder(const std::string& Name)
      : path(std::filesystem::path(::testing::TempDir()) / ("plot-editor-files-" + Name)) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempFolder() { std::filesystem::remove_all(path); }
  std::string operator/(const std::string& Name) const { return (path / Name).string(); }
};

// The user clicks a file picker and chooses FileName ("" cancels).
void Choose(TiPlotEditorForm* Form, TScriptedDialogService& Dialogs, const std::string& Picker,
            const std::string& FileName) {
  if (FileName.empty())
    Dialogs.AnswerCancel();
  else
    Dialogs.AnswerFile(FileName);
  if (auto* o = Form->Find<TiComponentEditorOpenPicker>(Picker))
    o->Click();
  else if (auto* s = Form->Find<TiComponentEditorSavePicker>(Picker))
    s->Click();
  else
    ADD_FAILURE() << Picker;
}

TEST(PlotEditorFiles, PickersOfferTheirFiltersExtensionsAndTheControlPagesFolders) {
  TempFolder dir("pickers");
  EditorPlot p;
  p.plot->SetDefaultPropertyDirectory(dir / "props");
  p.plot->SetDefaultDataDirectory(dir / "data");
  p.plot->SetDefaultAnnotationDirectory(dir / "notes");
  TiPlotEditorForm* form = p.Open();
  TScriptedDialogService dialogs;
  const std::string config = "Config (*.cfg)|*.cfg|All Files (*.*)|*.*";
  const std::string data = "Data (*.dat)|*.dat|All Files (*.*)|*.*";
  const std::string annotations = "Annotations (*.ano)|*.ano|All Files (*.*)|*.*";
  const std::string log = "Log (*.log)|*.log|All Files (*.*)|*.*";
  struct Case {
    const char* picker;
    std::string filter, ext, folder, caption;
  };
  for (const Case& c :
       {Case{"ControlPropertiesOpenPicker", config, "cfg", dir / "props", "Load"},
        Case{"ControlPropertiesSavePicker", config, "cfg", dir / "props", "Save"},
        Case{"ControlDataOpenPicker", "Data (*.dat)|*.dat|Log (*.log)|*.log|All Files (*.*)|*.*", "dat",
             dir / "data", "Load"},
        Case{"ControlDataSavePicker", data, "dat", dir / "data", "Save"},
        Case{"ControlAnnotationOpenPicker", annotations, "dat", dir / "notes", "Load"},
        Case{"ControlAnnotationSavePicker", annotations, "dat", dir / "notes", "Save"},
        Case{"ControlLogFileNamePicker", log, "log", "", "..."},
        Case{"ChannelPropertiesOpenPicker", config, "cfg", "", "Load"},
        Case{"ChannelPropertiesSavePicker", config, "cfg", "", "Save"},
        Case{"ChannelDataOpenPicker", data, "dat", "", "Load"},
        Case{"ChannelDataSavePicker", data, "dat", "", "Save"},
        Case{"ChannelLogFileNamePicker", log, "log", "", "..."}}) {
    SCOPED_TRACE(c.picker);
    EXPECT_EQ(Named<TButton>(form, c.picker)->GetCaption(), c.caption);
    const std::size_t asked = dialogs.GetQuestions().size();
    Choose(form, dialogs, c.picker, "");  // cancelled: nothing happens
    ASSERT_EQ(dialogs.GetQuestions().size(), asked + 1);
    const TFileDialogRequest& r = dialogs.GetQuestions().back().File;
    EXPECT_EQ(r.Filter, c.filter);
    EXPECT_EQ(r.InitialDir, c.folder);
    auto* o = form->Find<TiComponentEditorOpenPicker>(c.picker);
    auto* v = form->Find<TiComponentEditorSavePicker>(c.picker);
    EXPECT_EQ(o ? o->GetDefaultExt() : v->GetDefaultExt(), c.ext);
  }
  EXPECT_EQ(dialogs.GetUnanswered(), 0);
}

TEST(PlotEditorFiles, TheControlPageSavesAndLoadsPropertiesDataAndAnnotations) {
  TempFolder dir("control");
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  TScriptedDialogService dialogs;
  TiPlotChannelCustom* a = p.plot->GetChannel(0);
  TiPlotChannelCustom* b = p.plot->GetChannel(1);
  for (int i = 0; i < 3; ++i) a->AddXY(i, i * 2);
  b->AddXY(5, 6);

  // Data: the load first empties every channel.
  Choose(form, dialogs, "ControlDataSavePicker", dir / "points.dat");
  a->AddXY(9, 9);
  b->AddXY(9, 9);
  Choose(form, dialogs, "ControlDataOpenPicker", dir / "points.dat");
  EXPECT_EQ(a->GetCount(), 3);
  EXPECT_EQ(b->GetCount(), 1);
  // A file that cannot be opened loses nothing; the plot's message says why.
  a->AddXY(10, 10);
  for (const std::string& bad : {dir / "missing.dat", dir.path.string()}) {
    EXPECT_THROW(Choose(form, dialogs, "ControlDataOpenPicker", bad), Exception) << bad;
    EXPECT_EQ(a->GetCount(), 4);
    EXPECT_EQ(b->GetCount(), 1);
  }
  // A cancelled dialog changes nothing.
  Choose(form, dialogs, "ControlDataOpenPicker", "");
  EXPECT_EQ(a->GetCount(), 4);

  // Properties: every page, the control page too, shows what was loaded.
  TypeInto(form, "TitleTextEdit", "Saved Title");
  TypeInto(form, "LegendTopMarginEdit", "3");
  Choose(form, dialogs, "ControlPropertiesSavePicker", dir / "plot.cfg");
  TypeInto(form, "TitleTextEdit", "Changed");
  TypeInto(form, "LegendTopMarginEdit", "8");
  Choose(form, dialogs, "ControlPropertiesOpenPicker", dir / "plot.cfg");
  EXPECT_EQ(p.plot->GetTitleText(), "Saved Title");
  EXPECT_EQ(Shown(form, "TitleTextEdit"), "Saved Title");
  EXPECT_EQ(Shown(form, "LegendTopMarginEdit"), "3");
  // The next change on the control page keeps the loaded title.
  UserSets(form, "AutoFrameRateCheckBox", Shown(form, "AutoFrameRateCheckBox") == "1" ? "0" : "1");
  EXPECT_EQ(p.plot->GetTitleText(), "Saved Title");

  // Annotations.
  p.plot->AddAnnotation();
  p.plot->AddAnnotation();
  Choose(form, dialogs, "ControlAnnotationSavePicker", dir / "notes.ano");
  p.plot->AddAnnotation();
  Choose(form, dialogs, "ControlAnnotationOpenPicker", dir / "notes.ano");
  EXPECT_EQ(p.plot->GetAnnotationCount(), 2);
  EXPECT_EQ(dialogs.GetUnanswered(), 0);
}

TEST(PlotEditorFiles, TheChannelPageLoadsOnlyTheSelectedChannel) {
  TempFolder dir("channel");
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  TScriptedDialogService dialogs;
  TiPlotChannelCustom* a = p.plot->GetChannel(0);
  TiPlotChannelCustom* b = p.plot->GetChannel(1);
  a->AddXY(1, 1);
  a->AddXY(2, 4);
  b->AddXY(7, 7);
  PickEntry(form, "ChannelListBox", 0);
  Choose(form, dialogs, "ChannelDataSavePicker", dir / "a.dat");
  PickEntry(form, "ChannelListBox", 1);
  Choose(form, dialogs, "ChannelDataOpenPicker", dir / "a.dat");
  EXPECT_EQ(b->GetCount(), 2);  // replaced, not added to
  EXPECT_EQ(a->GetCount(), 2);

  // Loaded settings show on the page at once.
  PickEntry(form, "ChannelListBox", 0);
  a->SetColor(clTeal);
  a->SetLogBufferSize(64);
  Choose(form, dialogs, "ChannelPropertiesSavePicker", dir / "a.cfg");
  PickEntry(form, "ChannelListBox", 1);
  Choose(form, dialogs, "ChannelPropertiesOpenPicker", dir / "a.cfg");
  EXPECT_EQ(b->GetColor(), clTeal);
  EXPECT_EQ(Shown(form, "ChannelLogBufferSizeEdit"), "64");
  EXPECT_EQ(dialogs.GetUnanswered(), 0);
}

// Activate and Deactivate on both pages; while logging the file name and
// its "..." are greyed, and the name stays (a cleared one would be written
// back, which the plot refuses while it logs).
TEST(PlotEditorFiles, LogButtonsAndTheFileNameFollowTheLoggingState) {
  TempFolder dir("log");
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  TScriptedDialogService dialogs;
  struct Side {
    const char* prefix;
    std::function<bool()> logging;
    std::function<std::string()> name;
  };
  TiPlotChannelCustom* channel = p.plot->GetChannel(0);
  for (const Side& side :
       {Side{"Control", [&] { return p.plot->GetLoggingActive(); }, [&] { return p.plot->GetLogFileName(); }},
        Side{"Channel", [&] { return channel->GetLoggingActive(); },
             [&] { return channel->GetLogFileName(); }}}) {
    const std::string pre = side.prefix;
    SCOPED_TRACE(pre);
    auto* activate = Named<TButton>(form, pre + "LogActivateButton");
    auto* deactivate = Named<TButton>(form, pre + "LogDeactivateButton");
    auto* edit = Named<TiComponentEditorEdit>(form, pre + "LogFileNameEdit");
    auto* picker = Named<TiComponentEditorSavePicker>(form, pre + "LogFileNamePicker");
    // A name chosen with "..." is stored at once.
    Choose(form, dialogs, pre + "LogFileNamePicker", dir / (pre + ".log"));
    EXPECT_EQ(side.name(), dir / (pre + ".log"));
    EXPECT_EQ(edit->GetAsString(), dir / (pre + ".log"));
    EXPECT_TRUE(activate->GetEnabled());
    EXPECT_FALSE(deactivate->GetEnabled());

    activate->Click();
    EXPECT_TRUE(side.logging());
    EXPECT_FALSE(activate->GetEnabled());
    EXPECT_TRUE(deactivate->GetEnabled());
    EXPECT_FALSE(edit->GetEnabled());
    EXPECT_FALSE(picker->GetEnabled());
    EXPECT_EQ(edit->GetAsString(), dir / (pre + ".log"));
    // Another change on the page writes the unchanged name back.
    if (pre == "Control")
      TypeInto(form, "HintsPauseEdit", "700");
    else
      TypeInto(form, "ChannelNameEdit", "Logged");
    EXPECT_EQ(side.name(), dir / (pre + ".log"));
    EXPECT_TRUE(side.logging());

    deactivate->Click();
    EXPECT_FALSE(side.logging());
    EXPECT_TRUE(activate->GetEnabled());
    EXPECT_FALSE(deactivate->GetEnabled());
    EXPECT_TRUE(edit->GetEnabled());
    EXPECT_TRUE(picker->GetEnabled());

    // A typed name: the next "..." opens on it.
    TypeInto(form, pre + "LogFileNameEdit", dir / "typed.log");
    EXPECT_EQ(side.name(), dir / "typed.log");
    EXPECT_EQ(picker->GetFileName(), dir / "typed.log");
  }
  EXPECT_TRUE(std::filesystem::exists(dir / "Control.log"));
  EXPECT_EQ(dialogs.GetUnanswered(), 0);
}

std::string PngPath(const std::string& Name) {
  const char* dir = std::getenv("TAVO_PNG_DIR");
  return (std::filesystem::path(dir ? dir : ::testing::TempDir()) / ("plot-editor-" + Name + ".png"))
      .string();
}

// Every sub-page (and inner sub-page) of a page control, one image each.
void RenderSubPages(TiPlotEditorForm* Form, TPageControl* Pc, const std::string& Name) {
  for (int i = 0; i < Pc->GetPageCount(); ++i) {
    TTabSheet* sheet = Pc->GetPages(i);
    if (!sheet->GetTabVisible()) continue;
    Pc->SetActivePageIndex(i);
    const std::string name = Name + "-" + std::to_string(i);
    classlib_test::DrainEvents();
    EXPECT_TRUE(SaveControlImage(Form, PngPath(name)));
    for (int c = 0; c < sheet->GetControlCount(); ++c)
      if (auto* inner = dynamic_cast<TPageControl*>(sheet->GetControls(c))) RenderSubPages(Form, inner, name);
  }
}

// The pages of this file, and the two "File I/O" sub-pages.
void RenderObjectPages(EditorPlot& p, const std::string& Lang) {
  TiPlotEditorForm* form = p.Open();
  struct Page {
    const char* sheet;
    const char* sub;
  };
  for (const Page& pg :
       {Page{"CursorsTabSheet", "DataCursorPageControl"}, Page{"LimitsTabSheet", "LimitPageControl"},
        Page{"LabelsTabSheet", "LabelPageControl"}, Page{"LegendTabSheet", "LegendPageControl"},
        Page{"TablesTabSheet", "TablePageControl"}, Page{"ToolBarTabSheet", ""},
        Page{"DataViewTabSheet", "DataViewPageControl"}}) {
    form->PageControl->SetActivePage(Named<TTabSheet>(form, pg.sheet));
    if (*pg.sub) {
      RenderSubPages(form, Named<TPageControl>(form, pg.sub), std::string(pg.sheet) + "-" + Lang);
    } else {
      classlib_test::DrainEvents();
      EXPECT_TRUE(SaveControlImage(form, PngPath(std::string(pg.sheet) + "-" + Lang)));
    }
  }
  for (const auto& [sheet, sub, io] :
       {std::tuple{"ControlTabSheet", "ControlPageControl", "ControlFileIOTabSheet"},
        std::tuple{"ChannelsTabSheet", "ChannelPageControl", "ChannelFileIOTabSheet"}}) {
    form->PageControl->SetActivePage(Named<TTabSheet>(form, sheet));
    Named<TPageControl>(form, sub)->SetActivePage(Named<TTabSheet>(form, io));
    classlib_test::DrainEvents();
    EXPECT_TRUE(SaveControlImage(form, PngPath(std::string(io) + "-" + Lang)));
  }
}

TEST(PlotEditorObjectsRender, EveryObjectPageInEnglish) {
  EditorPlot p;
  RenderObjectPages(p, "en");
}

TEST(PlotEditorObjectsRender, EveryObjectPageInChinese) {
  EditorPlot p;
  AddChineseCaptions(p.plot);
  RenderObjectPages(p, "zh");
}

}  // namespace
