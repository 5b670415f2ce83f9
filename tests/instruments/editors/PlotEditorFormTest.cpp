// The plot editor form: its pages, the object lists with Add and Remove,
// refresh and write-back through the page tables, disabling by prefix.

#include "tests/instruments/editors/PlotEditorTestSupport.h"

using namespace editors_test;

namespace {

TEST(PlotEditorForm, PagesSubPagesAndPageControls) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->GetCaption(), "Plot");
  EXPECT_EQ(form->GetClientWidth(), 576);
  EXPECT_EQ(form->GetClientHeight(), 272);
  std::vector<std::string> pages;
  for (int i = 0; i < form->PageControl->GetPageCount(); ++i)
    pages.push_back(form->PageControl->GetPages(i)->GetCaption());
  EXPECT_EQ(pages,
            (std::vector<std::string>{"Control", "Layout", "Channels", "Cursors", "Limits", "Labels",
                                      "X-Axes", "Y-Axes", "Legend", "Tables", "ToolBar", "Data View"}));
  for (TPageControl* pc : form->IndexedPageControls()) EXPECT_NE(pc, nullptr);

  auto tabs = [&](const char* name) {
    std::vector<std::string> out;
    auto* pc = Named<TPageControl>(form, name);
    for (int i = 0; pc && i < pc->GetPageCount(); ++i)
      out.push_back(pc->GetPages(i)->GetTabVisible() ? pc->GetPages(i)->GetCaption() : "(hidden)");
    return out;
  };
  EXPECT_EQ(tabs("ControlPageControl"),
            (std::vector<std::string>{"General", "Title", "Background", "Print", "Hints", "File I/O",
                                      "Annotation Defaults"}));
  // An XY plot: the time-series channel's tabs are hidden.
  EXPECT_EQ(tabs("ChannelPageControl"),
            (std::vector<std::string>{"General", "Trace", "Marker", "(hidden)", "(hidden)", "(hidden)",
                                      "(hidden)", "File I/O", "Stats"}));
  EXPECT_EQ(tabs("ChannelHighLowPageControl"), (std::vector<std::string>{"Open/Close", "Candlestick"}));
  EXPECT_EQ(tabs("YAxisLabelsPageControl"), (std::vector<std::string>{"(Default)", "Cursor", "Legend"}));
  EXPECT_EQ(tabs("LegendPageControl"), (std::vector<std::string>{"(hidden)", "General", "Columns", "Wrap"}));
  EXPECT_EQ(tabs("DataViewGridLinesPageControl"),
            (std::vector<std::string>{"X-Majors", "X-Minors", "Y-Majors", "Y-Minors"}));
  EXPECT_FALSE(Named<TControl>(form, "ToolBarHiddenGroupBox")->GetVisible());
  // The channel buttons follow UserCanAddRemoveChannels (off here).
  EXPECT_FALSE(Named<TControl>(form, "iChannelAddButton")->GetVisible());
  EXPECT_TRUE(Named<TControl>(form, "iLimitAddButton")->GetVisible());
}

TEST(PlotEditorForm, ListsFilledInManagerOrderWithTheFirstSelected) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  struct Case {
    const char* list;
    const char* nameEdit;
    std::vector<std::string> entries;
  };
  for (const Case& c : {Case{"ChannelListBox", "ChannelNameEdit", {"Channel 1", "Channel 2"}},
                        Case{"LimitListBox", "LimitNameEdit", {"Limit 1", "Limit 2"}},
                        Case{"LabelListBox", "LabelNameEdit", {"Title", "Label 1"}},
                        Case{"XAxisListBox", "XAxisNameEdit", {"X-Axis 1"}},
                        Case{"TableListBox", "TableNameEdit", {"Table 1"}},
                        Case{"ToolBarListBox", "ToolBarNameEdit", {"Toolbar 1"}}}) {
    SCOPED_TRACE(c.list);
    auto* list = Named<TiComponentEditorListBox>(form, c.list);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Entries(list->GetItems()), c.entries);
    EXPECT_EQ(list->GetItemIndex(), 0);
    EXPECT_EQ(Named<TiComponentEditorEdit>(form, c.nameEdit)->GetAsString(), c.entries[0]);
  }
}

// Remove takes the selected entry: the one after it (or the new last)
// is selected; the last one gone leaves the page disabled but "Add".
TEST(PlotEditorForm, AddAndRemoveKeepASelectionAndDisableAnEmptyPage) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  auto* list = Named<TiComponentEditorListBox>(form, "LimitListBox");
  auto* name = Named<TiComponentEditorEdit>(form, "LimitNameEdit");
  auto* remove = Named<TButton>(form, "LimitRemoveButton");
  ClickButton(form, "iLimitAddButton");
  EXPECT_EQ(Entries(list->GetItems()), (std::vector<std::string>{"Limit 1", "Limit 2", "Limit 3"}));
  EXPECT_EQ(list->GetItemIndex(), 2);
  EXPECT_EQ(name->GetAsString(), "Limit 3");
  EXPECT_TRUE(remove->GetEnabled());

  struct Step {
    int select;
    std::vector<std::string> left;
    int selected;
    std::string shown;
  };
  for (const Step& s : {Step{1, {"Limit 1", "Limit 3"}, 1, "Limit 3"},  // a middle entry
                        Step{1, {"Limit 1"}, 0, "Limit 1"},             // the last entry
                        Step{0, {}, -1, ""}}) {                         // the only entry
    PickEntry(form, "LimitListBox", s.select);
    ClickButton(form, "LimitRemoveButton");
    EXPECT_EQ(Entries(list->GetItems()), s.left);
    EXPECT_EQ(list->GetItemIndex(), s.selected);
    EXPECT_EQ(name->GetAsString(), s.shown);
    EXPECT_EQ(p.plot->GetLimitCount(), static_cast<int>(s.left.size()));
  }
  EXPECT_FALSE(name->GetEnabled());
  EXPECT_FALSE(remove->GetEnabled());
  EXPECT_TRUE(Named<TButton>(form, "iLimitAddButton")->GetEnabled());
  // Remove without a selection does nothing.
  ClickButton(form, "LimitRemoveButton");
  ClickButton(form, "iLimitAddButton");
  EXPECT_TRUE(name->GetEnabled());
  EXPECT_EQ(name->GetAsString(), p.plot->GetLimit(0)->GetName());
}

TEST(PlotEditorForm, TheTitleLabelCannotBeRemoved) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  auto* remove = Named<TButton>(form, "LabelRemoveButton");
  EXPECT_FALSE(remove->GetEnabled());
  remove->Click();
  EXPECT_EQ(p.plot->GetLabelCount(), 2);
  PickEntry(form, "LabelListBox", 1);
  EXPECT_TRUE(remove->GetEnabled());
  remove->Click();
  EXPECT_EQ(p.plot->GetLabelCount(), 1);
  EXPECT_FALSE(remove->GetEnabled());
}

// Objects made or freed through the plot reach the open editor's lists.
TEST(PlotEditorForm, ObjectsAddedAndFreedElsewhereFollowInTheLists) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  auto* list = Named<TiComponentEditorListBox>(form, "ChannelListBox");
  EXPECT_EQ(p.plot->AddChannel(), 2);
  EXPECT_EQ(Entries(list->GetItems()), (std::vector<std::string>{"Channel 1", "Channel 2", "Channel 3"}));
  EXPECT_EQ(list->GetItemIndex(), 2);
  EXPECT_EQ(Named<TiComponentEditorEdit>(form, "ChannelNameEdit")->GetAsString(), "Channel 3");
  p.plot->DeleteChannel(0);
  EXPECT_EQ(Entries(list->GetItems()), (std::vector<std::string>{"Channel 2", "Channel 3"}));
}

// A typed name goes through the setter; the list shows it at once.
TEST(PlotEditorForm, WriteBackRenamesTheObjectAndItsEntry) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  PickEntry(form, "LimitListBox", 1);
  TypeInto(form, "LimitNameEdit", "Upper");
  EXPECT_EQ(p.plot->GetLimit(1)->GetName(), "Upper");
  EXPECT_EQ(Entries(Named<TiComponentEditorListBox>(form, "LimitListBox")->GetItems()),
            (std::vector<std::string>{"Limit 1", "Upper"}));
}

// By upper-case prefix; page controls, tab sheets and labels stay; the
// kit's controls clear themselves.
TEST(PlotEditorForm, DisableAndEnableByPrefix) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  auto* edit = Named<TiComponentEditorEdit>(form, "UpdateFrameRateEdit");
  auto* upDown = Named<TiUpDown>(form, "UpdateFrameRateUpDown");
  form->DisableControls("updateframe");
  EXPECT_FALSE(edit->GetEnabled());
  EXPECT_FALSE(upDown->GetEnabled());
  EXPECT_EQ(edit->GetAsString(), "");
  EXPECT_TRUE(Named<TControl>(form, "AutoFrameRateCheckBox")->GetEnabled());
  form->DisableControls("Channel");
  EXPECT_TRUE(Named<TControl>(form, "ChannelPageControl")->GetEnabled());
  EXPECT_TRUE(Named<TControl>(form, "ChannelGeneralTabSheet")->GetEnabled());
  EXPECT_FALSE(Named<TControl>(form, "ChannelListBox")->GetEnabled());
  form->EnableControls("UPDATEFRAME");
  EXPECT_TRUE(edit->GetEnabled());
  EXPECT_TRUE(upDown->GetEnabled());
}

// The user picks entry Index of a combo box.
void Pick(TiPlotEditorForm* Form, const std::string& Box, int Index) {
  auto* c = Named<TiComponentEditorComboBox>(Form, Box);
  c->SetItemIndex(Index);
  c->OnChange(c);
}

TEST(PlotEditorNameBoxes, ListTheNamesOfTheirKindWithTheStoredOneSelected) {
  EditorPlot p;
  p.plot->AddYAxis();
  TiPlotEditorForm* form = p.Open();
  struct Case {
    const char* box;
    std::vector<std::string> entries;
    std::string shown;
  };
  for (const Case& c :
       {Case{"ChannelXAxisNameComboBox", {"<None>", "X-Axis 1"}, "X-Axis 1"},
        Case{"ChannelYAxisNameComboBox", {"<None>", "Y-Axis 1", "Y-Axis 2"}, "Y-Axis 1"},
        Case{"LimitYAxisNameComboBox", {"<None>", "Y-Axis 1", "Y-Axis 2"}, "Y-Axis 1"},
        Case{"DataViewGridXAxisNameComboBox", {"<None>", "X-Axis 1", "<All>"}, "X-Axis 1"},
        Case{"DataViewGridYAxisNameComboBox", {"<None>", "Y-Axis 1", "Y-Axis 2", "<All>"}, "Y-Axis 1"},
        Case{"DataCursorChannelNameComboBox", {"<All>", "Channel 1", "Channel 2"}, "Channel 1"},
        Case{"XAxisAlignRefAxisNameComboBox", {"<None>", "X-Axis 1"}, "<None>"},
        Case{"XAxisCartesianChildRefAxisNameComboBox", {"<None>", "Y-Axis 1", "Y-Axis 2"}, "<None>"},
        Case{"YAxisCartesianChildRefAxisNameComboBox", {"<None>", "X-Axis 1"}, "<None>"}}) {
    SCOPED_TRACE(c.box);
    auto* box = Named<TiComponentEditorComboBox>(form, c.box);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Entries(box->GetItems()), c.entries);
    EXPECT_EQ(box->GetAsString(), c.shown);
  }
  // A new axis is in the box at its next drop-down.
  p.plot->AddXAxis();
  auto* box = Named<TiComponentEditorComboBox>(form, "LimitXAxisNameComboBox");
  box->OnDropDown(box);
  EXPECT_EQ(Entries(box->GetItems()), (std::vector<std::string>{"<None>", "X-Axis 1", "X-Axis 2"}));
}

TEST(PlotEditorNameBoxes, ARenamedAxisIsShownUnderItsNewName) {
  EditorPlot p;
  // The objects know their axes, as after a paint: they follow its name.
  p.plot->GetChannel(0)->GetXAxis();
  p.plot->GetLimit(0)->GetXAxis();
  p.plot->GetDataView(0)->GetGridXAxis();
  TiPlotEditorForm* form = p.Open();
  // Renamed by the program while the editor is open: no page refresh runs.
  p.plot->GetXAxis(0)->SetName("Time");
  for (const char* name :
       {"ChannelXAxisNameComboBox", "LimitXAxisNameComboBox", "DataViewGridXAxisNameComboBox"}) {
    auto* box = Named<TiComponentEditorComboBox>(form, name);
    EXPECT_EQ(box->GetAsString(), "Time") << name;
    EXPECT_EQ(box->GetItems()->IndexOf("X-Axis 1"), -1) << name;
  }
  EXPECT_EQ(Entries(Named<TiComponentEditorListBox>(form, "XAxisListBox")->GetItems()),
            std::vector<std::string>{"Time"});
}

// A stored name without an entry shows no selection and survives a
// write-back caused by another control.
TEST(PlotEditorNameBoxes, AStoredNameWithoutAnEntryStaysAsItIs) {
  EditorPlot p;
  p.plot->GetLimit(0)->SetXAxisName("Elsewhere");
  TiPlotEditorForm* form = p.Open();
  auto* box = Named<TiComponentEditorComboBox>(form, "LimitXAxisNameComboBox");
  EXPECT_EQ(box->GetItemIndex(), -1);
  TypeInto(form, "LimitNameEdit", "Upper");
  EXPECT_EQ(p.plot->GetLimit(0)->GetName(), "Upper");
  EXPECT_EQ(p.plot->GetLimit(0)->GetXAxisName(), "Elsewhere");
  Pick(form, "LimitXAxisNameComboBox", 1);
  EXPECT_EQ(p.plot->GetLimit(0)->GetXAxisName(), "X-Axis 1");
}

// "<None>" and "<All>" are shown translated, stored as they are.
TEST(PlotEditorNameBoxes, TheSpecialWordsAreShownTranslatedAndStoredUntranslated) {
  EditorPlot p;
  p.plot->AddTranslation("<None>", "无");
  p.plot->AddTranslation("<All>", "全部");
  TiPlotEditorForm* form = p.Open();
  auto* grid = Named<TiComponentEditorComboBox>(form, "DataViewGridXAxisNameComboBox");
  EXPECT_EQ(Entries(grid->GetItems()), (std::vector<std::string>{"无", "X-Axis 1", "全部"}));
  Pick(form, "DataViewGridXAxisNameComboBox", 2);
  EXPECT_EQ(p.plot->GetDataView(0)->GetGridXAxisName(), "<All>");
  EXPECT_EQ(grid->GetAsString(), "全部");
  Pick(form, "ChannelXAxisNameComboBox", 0);
  EXPECT_EQ(p.plot->GetChannel(0)->GetXAxisName(), "<None>");
  EXPECT_EQ(Named<TiComponentEditorComboBox>(form, "ChannelXAxisNameComboBox")->GetAsString(), "无");
}

}  // namespace
