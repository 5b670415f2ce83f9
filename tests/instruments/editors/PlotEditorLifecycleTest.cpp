// The editor's life with the master manager: modal and stay-on-top, the
// events round it, the page indexes kept between two openings, an object's
// edit request, and the refresh on activation.

#include <QTimer>

#include "instruments/plot/iPlotAnnotation.h"
#include "tests/instruments/editors/PlotEditorTestSupport.h"

using namespace editors_test;

namespace {

// Runs Fn once the modal loop is up.
void WhenModal(std::function<void()> Fn) {
  QTimer::singleShot(0, [Fn = std::move(Fn)] { Fn(); });
}

TEST(PlotEditorLifecycle, AModalEditorIsFreedWhenItClosesWithTheEventsRoundIt) {
  EditorPlot p;
  p.plot->SetEditorFormStyle(ipfsModal);
  std::vector<std::string> log;
  TiPlotMasterManager* master = p.plot->GetMaster();
  TObject* shown = nullptr;
  p.plot->OnAfterOpenEditor = [&](TObject* Sender) {
    log.push_back(Sender == master ? "open (master)" : "open");
    shown = master->GetEditorForm();
    WhenModal([&] {
      log.push_back(shown && shown == master->GetEditorForm() && master->GetEditorForm()->GetVisible()
                        ? "up"
                        : "not up");
      master->GetEditorForm()->Close();
    });
  };
  p.plot->OnAfterCloseEditor = [&](TObject* Sender) {
    log.push_back(Sender == shown ? "close (form)" : "close");
  };
  p.plot->EditProperties();
  EXPECT_EQ(log, (std::vector<std::string>{"open (master)", "up", "close (form)"}));
  EXPECT_EQ(master->GetEditorForm(), nullptr);
}

TEST(PlotEditorLifecycle, AModalEditorIsFreedAlsoAfterAnError) {
  EditorPlot p;
  p.plot->SetEditorFormStyle(ipfsModal);
  int closed = 0;
  p.plot->OnAfterOpenEditor = [](TObject*) { throw Exception("refused"); };
  p.plot->OnAfterCloseEditor = [&](TObject*) { ++closed; };
  EXPECT_THROW(p.plot->EditProperties(), Exception);
  EXPECT_EQ(p.plot->GetMaster()->GetEditorForm(), nullptr);
  EXPECT_EQ(closed, 1);
}

// Stay-on-top: up at once, released when closed; the next request makes a
// new one.
TEST(PlotEditorLifecycle, AStayOnTopEditorLivesUntilClosed) {
  EditorPlot p;
  int closed = 0;
  p.plot->OnAfterCloseEditor = [&](TObject*) { ++closed; };
  TiPlotEditorForm* form = p.Open();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->GetVisible());
  EXPECT_EQ(form->GetFormStyle(), fsStayOnTop);
  EXPECT_EQ(form->GetBorderStyle(), bsDialog);
  form->Close();
  EXPECT_TRUE(form->GetIsClosing());
  EXPECT_EQ(p.plot->GetMaster()->GetEditorForm(), nullptr);
  EXPECT_TRUE(classlib_test::WaitFor("the closed editor freed", [&] { return closed == 1; }));
  // Notices no longer reach it.
  p.plot->AddChannel();
  TiPlotEditorForm* again = p.Open();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(Named<TiComponentEditorListBox>(again, "ChannelListBox")->GetCount(), 3);
}

// A closed editor that waits to be freed goes with its plot, which is
// still whole for OnAfterCloseEditor.
TEST(PlotEditorLifecycle, AClosedEditorWaitingToBeFreedGoesWithThePlot) {
  auto p = std::make_unique<EditorPlot>();
  std::vector<std::string> log;
  TiPlotComponent* plot = p->plot;
  plot->OnAfterCloseEditor = [&log, plot](TObject*) { log.push_back(plot->GetTitleText()); };
  p->Open()->Close();
  p.reset();
  EXPECT_EQ(log, std::vector<std::string>{"Untitled"});
  classlib_test::DrainEvents();
}

// The active page of each page control comes back at the next opening,
// also those the user chose while a modal editor was up.
TEST(PlotEditorLifecycle, PageIndexesAreKeptBetweenTwoOpenings) {
  EditorPlot p;
  p.plot->SetEditorFormStyle(ipfsModal);
  TiPlotMasterManager* master = p.plot->GetMaster();
  const std::vector<std::pair<const char*, int>> chosen = {{"PageControl", 6},
                                                           {"ChannelPageControl", 2},
                                                           {"XAxisLabelsPageControl", 1},
                                                           {"DataViewGridLinesPageControl", 3}};
  std::vector<std::pair<std::string, int>> seen;
  p.plot->OnAfterOpenEditor = [&](TObject*) {
    WhenModal([&] {
      TiPlotEditorForm* form = master->GetEditorForm();
      for (const auto& [name, index] : chosen) form->Find<TPageControl>(name)->SetActivePageIndex(index);
      form->Close();
    });
  };
  p.plot->EditProperties();
  p.plot->OnAfterOpenEditor = [&](TObject*) {
    WhenModal([&] {
      TiPlotEditorForm* form = master->GetEditorForm();
      for (const auto& [name, index] : chosen)
        seen.emplace_back(name, form->Find<TPageControl>(name)->GetActivePageIndex());
      form->Close();
    });
  };
  p.plot->EditProperties();
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>(chosen.begin(), chosen.end())));
}

TEST(PlotEditorLifecycle, ChannelButtonsFollowUserCanAddRemoveChannels) {
  EditorPlot p;
  p.plot->SetUserCanAddRemoveChannels(true);
  TiPlotEditorForm* form = p.Open();
  EXPECT_TRUE(Named<TControl>(form, "iChannelAddButton")->GetVisible());
  EXPECT_TRUE(Named<TControl>(form, "ChannelRemoveButton")->GetVisible());
  ClickButton(form, "iChannelAddButton");
  EXPECT_EQ(p.plot->GetChannelCount(), 3);
}

// An object's "Edit..." opens the editor on its page with it selected;
// labels have their page too; an annotation opens the editor as it was.
TEST(PlotEditorLifecycle, AnEditRequestSelectsTheObjectOnItsPage) {
  EditorPlot p;
  p.plot->AddAnnotation();
  struct Case {
    TiPlotObject* object;
    const char* sheet;
    const char* list;
    int index;
  };
  for (const Case& c : {Case{p.plot->GetLimit(1), "LimitsTabSheet", "LimitListBox", 1},
                        Case{p.plot->GetLabel(1), "LabelsTabSheet", "LabelListBox", 1},
                        Case{p.plot->GetChannel(1), "ChannelsTabSheet", "ChannelListBox", 1},
                        Case{p.plot->GetLegend(0), "LegendTabSheet", "LegendListBox", 0},
                        Case{p.plot->GetAnnotation(0), "LegendTabSheet", "LegendListBox", 0}}) {
    SCOPED_TRACE(c.sheet);
    c.object->DoEdit();
    TiPlotEditorForm* form = p.plot->GetMaster()->GetEditorForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->PageControl->GetActivePage(), form->Find<TTabSheet>(c.sheet));
    EXPECT_EQ(Named<TiComponentEditorListBox>(form, c.list)->GetItemIndex(), c.index);
  }
  EXPECT_EQ(
      Named<TiComponentEditorEdit>(p.plot->GetMaster()->GetEditorForm(), "ChannelNameEdit")->GetAsString(),
      "Channel 2");
}

// A stay-on-top editor shows what changed through the plot meanwhile once
// its activation changes; a modal one is not refreshed so.
TEST(PlotEditorLifecycle, AStayOnTopEditorRefreshesOnActivation) {
  EditorPlot p;
  TiPlotEditorForm* form = p.Open();
  classlib_test::ShowAndActivate(form);
  auto* name = Named<TiComponentEditorEdit>(form, "LimitNameEdit");
  p.plot->GetLimit(0)->SetName("Upper");
  EXPECT_EQ(name->GetAsString(), "Limit 1");
  classlib_test::FormGuard guard;
  auto* other = guard(new TForm(nullptr));
  other->SetBounds(0, 0, 100, 100);
  classlib_test::ShowAndActivate(other);
  EXPECT_TRUE(classlib_test::WaitFor("the editor refreshed", [&] { return name->GetAsString() == "Upper"; }));
}

}  // namespace
