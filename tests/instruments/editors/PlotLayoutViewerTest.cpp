// The layout viewer on the editor's "Layout" page: its slots, the drags that
// move, merge and resize objects, and the page's popup menu.

#include "instruments/editors/iPlotLayoutViewer.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotLabel.h"
#include "instruments/plot/iPlotLegend.h"
#include "instruments/plot/iPlotTable.h"
#include "instruments/plot/iPlotToolBar.h"
#include "tests/instruments/editors/PlotEditorTestSupport.h"

using namespace editors_test;

namespace {

enum Kind { kToolBar, kLabel, kXAxis, kYAxis, kLegend, kTable };

struct Placed {
  Kind kind;
  bool horizontal;
  int z;
  double start = 0, stop = 100;
};

// A plot with the objects placed as given (the data view's places at z-order
// 1 on both sides), its editor open on the "Layout" page.
struct LayoutStage {
  TiPlotComponent* plot;
  TiPlotEditorForm* form = nullptr;
  TiPlotLayoutViewer* viewer = nullptr;
  std::vector<TiPlotLayoutObject*> objects;
  int changes = 0;

  explicit LayoutStage(std::initializer_list<Placed> Objects) {
    classlib_test::App();
    plot = new TiPlotComponent(nullptr);
    plot->SetEditorFormStyle(ipfsStayOnTop);
    plot->DisableLayoutManager();
    plot->AddDataView();
    for (const Placed& p : Objects) {
      TiPlotLayoutObject* o = nullptr;
      switch (p.kind) {
        case kToolBar:
          o = plot->GetToolBar(plot->AddToolBar());
          break;
        case kLabel:
          o = plot->GetLabel(plot->AddLabel());
          break;
        case kXAxis:
          o = plot->GetXAxis(plot->AddXAxis());
          break;
        case kYAxis:
          o = plot->GetYAxis(plot->AddYAxis());
          break;
        case kLegend:
          o = plot->GetLegend(plot->AddLegend());
          break;
        case kTable:
          o = plot->GetTable(plot->AddTable());
          break;
      }
      o->SetHorizontal(p.horizontal);
      o->SetZOrder(p.z);
      o->SetStartStopPercent(p.start, p.stop);
      objects.push_back(o);
    }
    plot->SetDataViewZHorz(1);
    plot->SetDataViewZVert(1);
    plot->EnableLayoutManager();
    plot->EditProperties();
    form = plot->GetMaster()->GetEditorForm();
    form->PageControl->SetActivePage(form->Find<TTabSheet>("LayoutTabSheet"));
    classlib_test::ShowAndActivate(form);
    viewer = form->iPlotLayoutViewer;
    auto pageChange = viewer->OnChange;
    viewer->OnChange = [this, pageChange](TObject* s) {
      ++changes;
      pageChange(s);
    };
    Layout();
  }
  ~LayoutStage() { delete plot; }
  LayoutStage(const LayoutStage&) = delete;
  LayoutStage& operator=(const LayoutStage&) = delete;

  void Layout() {
    TBitmap b;
    b.SetWidth(1);
    b.SetHeight(1);
    viewer->CalcLayout(b.GetCanvas());
  }
  TRect RectOf(int i) const { return objects[static_cast<size_t>(i)]->GetLayoutRect(); }
  static TPoint Middle(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  const TBlockObject* Slot(bool Horizontal, int Z) const {
    for (const auto& b : viewer->GetBlocks())
      if (b->Horizontal == Horizontal && b->ZOrder == Z) return b.get();
    return nullptr;
  }
  // A left-button drag of object i to (x, y).
  void Drag(int i, int x, int y) {
    const TPoint from = Middle(RectOf(i));
    classlib_test::ForgetRecentClicks();
    classlib_test::Move(viewer, from.X, from.Y);
    classlib_test::Press(viewer, from.X, from.Y);
    classlib_test::Move(viewer, x, y, Qt::LeftButton);
  }
  void Drop(int x, int y) { classlib_test::Release(viewer, x, y); }
};

// One column left, none right, two rows above (the upper one the tool-bar
// row), one below; the data view's area carries the name "Data View".
TEST(PlotLayoutViewer, SlotsForEveryZOrderRoundTheDataView) {
  LayoutStage s({{kYAxis, false, 0}, {kXAxis, true, 0}, {kLabel, true, 2}, {kToolBar, true, 3}});
  const int c = s.viewer->GetCellWidth();
  const TRect view = s.viewer->GetViewRect();
  ASSERT_GT(c, 0);
  EXPECT_EQ(view, TRect(5, 5, s.viewer->GetWidth() - 5, s.viewer->GetHeight() - 5));
  const TRect dv = s.viewer->GetDataViewRect();
  EXPECT_EQ(dv, TRect(view.Left + c, view.Top + 2 * c, view.Right, view.Bottom - c));

  struct Expected {
    bool horizontal, dataView, toolBar;
    int z;
    TRect rect;
  };
  const std::vector<Expected> expected = {
      {false, false, false, 0, TRect(view.Left, dv.Top, view.Left + c, dv.Bottom)},
      {false, true, false, 1, dv},
      {true, false, true, 3, TRect(view.Left, view.Top, view.Right, view.Top + c)},
      {true, false, false, 2, TRect(view.Left, view.Top + c, view.Right, view.Top + 2 * c)},
      {true, true, false, 1, dv},
      {true, false, false, 0, TRect(view.Left, dv.Bottom, view.Right, dv.Bottom + c)}};
  const auto& blocks = s.viewer->GetBlocks();
  ASSERT_EQ(blocks.size(), expected.size());
  for (size_t i = 0; i < blocks.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(blocks[i]->Horizontal, expected[i].horizontal);
    EXPECT_EQ(blocks[i]->DataView, expected[i].dataView);
    EXPECT_EQ(blocks[i]->ToolBar, expected[i].toolBar);
    EXPECT_EQ(blocks[i]->ZOrder, expected[i].z);
    EXPECT_EQ(blocks[i]->ARect, expected[i].rect);
  }
  // The objects sit in their slots; the data-view place is "Data View".
  EXPECT_EQ(s.RectOf(0), expected[0].rect);
  EXPECT_EQ(s.RectOf(2), expected[3].rect);
  EXPECT_EQ(s.RectOf(1), TRect(dv.Left, dv.Bottom, dv.Right, dv.Bottom + c));
  TiPlotLayoutObject* label = s.plot->GetLayoutManager()->GetDataViewHorz();
  EXPECT_EQ(label->GetName(), "Data View");
  EXPECT_EQ(label->GetLayoutRect(), dv);
  // The tool-bar row takes drops only in its lower half; the data view's
  // slots only along their edges.
  EXPECT_EQ(s.viewer->GetMouseOverBlock2(view.Left + 50, view.Top + 2), nullptr);
  EXPECT_EQ(s.viewer->GetMouseOverBlock2(view.Left + 50, view.Top + c - 2), blocks[2].get());
  EXPECT_EQ(s.viewer->GetMouseOverBlock2((dv.Left + dv.Right) / 2, (dv.Top + dv.Bottom) / 2), nullptr);
  EXPECT_EQ(s.viewer->GetMouseOverBlock2(dv.Left + 2, (dv.Top + dv.Bottom) / 2), blocks[1].get());
  EXPECT_EQ(s.viewer->GetMouseOverBlock2((dv.Left + dv.Right) / 2, dv.Top + 2), blocks[4].get());
}

// An end is dragged in steps of 1.25 % of the data view: 10 % moves the
// start by 10, 3 % by 2.5; the finished resize fires OnChange once.
TEST(PlotLayoutViewer, DraggingAnEndResizesInStepsOfOneAndAQuarterPercent) {
  LayoutStage s({{kYAxis, false, 0}, {kXAxis, true, 0}});
  TiPlotLayoutObject* axis = s.objects[1];
  const TRect r = s.RectOf(1);
  const int y = (r.Top + r.Bottom) / 2;
  const int width = s.viewer->GetDataViewRect().Right - s.viewer->GetDataViewRect().Left;
  classlib_test::Move(s.viewer, r.Left + 1, y);
  EXPECT_EQ(s.viewer->GetResizeBlock(), axis);
  classlib_test::Press(s.viewer, r.Left + 1, y);
  EXPECT_EQ(s.viewer->GetEditMode(), ilemSize);
  struct Step {
    double percent, start;
  };
  for (const Step& step : {Step{10, 10}, Step{3, 2.5}, Step{-5, 0}}) {
    classlib_test::Move(s.viewer, r.Left + 1 + static_cast<int>(std::lround(width * step.percent / 100)), y,
                        Qt::LeftButton);
    EXPECT_DOUBLE_EQ(axis->GetStartPercent(), step.start) << step.percent;
  }
  EXPECT_EQ(s.changes, 0);
  classlib_test::Release(s.viewer, r.Left + 1, y);
  EXPECT_EQ(s.changes, 1);
  EXPECT_EQ(s.viewer->GetEditMode(), ilemNone);
}

// A label dropped on the middle third of another label's row shares it:
// 0-50 and 50-100, the dragged label second.
TEST(PlotLayoutViewer, ALabelDroppedInTheMiddleThirdSharesTheRow) {
  LayoutStage s(
      {{kYAxis, false, 0}, {kXAxis, true, 0}, {kLabel, true, 2}, {kLabel, true, 3}, {kToolBar, true, 4}});
  const TBlockObject* row = s.Slot(true, 2);
  ASSERT_NE(row, nullptr);
  const int x = (row->ARect.Left + row->ARect.Right) / 2;
  const int y = row->ARect.Top + (row->ARect.Bottom - row->ARect.Top) / 2;
  s.Drag(3, x, y);
  EXPECT_EQ(s.viewer->GetDragOverBlock(), row);
  EXPECT_EQ(s.viewer->GetInsertDirection(), iidMerge);
  s.Drop(x, y);
  EXPECT_EQ(s.changes, 1);
  EXPECT_EQ(s.objects[3]->GetZOrder(), s.objects[2]->GetZOrder());
  EXPECT_DOUBLE_EQ(s.objects[2]->GetStartPercent(), 0);
  EXPECT_DOUBLE_EQ(s.objects[2]->GetStopPercent(), 50);
  EXPECT_DOUBLE_EQ(s.objects[3]->GetStartPercent(), 50);
  EXPECT_DOUBLE_EQ(s.objects[3]->GetStopPercent(), 100);
}

// On the tool-bar row only the lower third takes a drop: a new row below
// the tool bar, for a label as for any object.
TEST(PlotLayoutViewer, TheLowerThirdOfTheToolBarRowMakesARowBelowIt) {
  LayoutStage s(
      {{kYAxis, false, 0}, {kXAxis, true, 0}, {kLabel, true, 2}, {kLabel, true, 3}, {kToolBar, true, 4}});
  const TBlockObject* row = s.Slot(true, 4);
  ASSERT_TRUE(row && row->ToolBar);
  const int h = row->ARect.Bottom - row->ARect.Top;
  const int x = (row->ARect.Left + row->ARect.Right) / 2;
  s.Drag(2, x, row->ARect.Top + h / 2 + 1);
  EXPECT_EQ(s.viewer->GetDragOverBlock(), nullptr) << "the middle of the row takes nothing";
  classlib_test::Move(s.viewer, x, row->ARect.Bottom - 1, Qt::LeftButton);
  EXPECT_EQ(s.viewer->GetDragOverBlock(), row);
  EXPECT_EQ(s.viewer->GetInsertDirection(), iidBelow);
  s.Drop(x, row->ARect.Bottom - 1);
  EXPECT_EQ(s.changes, 1);
  EXPECT_EQ(s.objects[2]->GetZOrder(), s.objects[4]->GetZOrder() - 1);
  EXPECT_EQ(s.objects[4]->GetZOrder(), 4) << "the tool bar stays the topmost row";
  EXPECT_EQ(s.objects[3]->GetZOrder(), 2);
}

// An axis keeps its orientation; a legend dropped on a column turns
// vertical and takes a column of its own.
TEST(PlotLayoutViewer, AnAxisIsRefusedOnAColumnALegendTurnsVertical) {
  LayoutStage s({{kYAxis, false, 0}, {kLegend, true, 0}, {kXAxis, true, 2}, {kToolBar, true, 3}});
  const TBlockObject* column = s.Slot(false, 0);
  ASSERT_NE(column, nullptr);
  // Slots are rebuilt by each layout: looked up anew after one.
  const int x = column->ARect.Left + 2;
  const int y = (column->ARect.Top + column->ARect.Bottom) / 2;

  s.Drag(2, x, y);
  EXPECT_EQ(s.viewer->GetDragOverBlock(), nullptr);
  s.Drop(x, y);
  EXPECT_EQ(s.changes, 0);
  EXPECT_TRUE(s.objects[2]->GetHorizontal());

  s.Layout();
  column = s.Slot(false, 0);
  s.Drag(1, x, y);
  EXPECT_EQ(s.viewer->GetDragOverBlock(), column);
  s.Drop(x, y);
  EXPECT_EQ(s.changes, 1);
  EXPECT_FALSE(s.objects[1]->GetHorizontal());
  EXPECT_EQ(s.objects[1]->GetZOrder(), 0);
  EXPECT_EQ(s.objects[0]->GetZOrder(), 1) << "the Y axis moved out";
  EXPECT_EQ(s.plot->GetDataViewZHorz(), 0) << "the rows closed up";
  EXPECT_EQ(s.objects[2]->GetZOrder(), 1);
}

// The popup's items follow the object under the last press.
TEST(PlotLayoutViewer, PopupItemsFollowTheObjectUnderThePress) {
  LayoutStage s({{kYAxis, false, 0},
                 {kXAxis, true, 0},
                 {kLabel, true, 2},
                 {kLabel, true, 3},
                 {kToolBar, true, 4},
                 {kTable, false, 2}});
  TiPlotEditorForm* f = s.form;
  struct Case {
    const char* what;
    TPoint at;
    bool del, visible, edit, checked;
  };
  const TRect dv = s.viewer->GetDataViewRect();
  for (const Case& c : {Case{"title", LayoutStage::Middle(s.RectOf(2)), false, true, true, true},
                        Case{"second label", LayoutStage::Middle(s.RectOf(3)), true, true, true, true},
                        Case{"axis", LayoutStage::Middle(s.RectOf(1)), true, true, true, true},
                        Case{"table", LayoutStage::Middle(s.RectOf(5)), true, true, true, true},
                        Case{"tool bar", LayoutStage::Middle(s.RectOf(4)), false, true, true, true},
                        Case{"data view", LayoutStage::Middle(dv), false, false, true, true},
                        Case{"nothing", TPoint(1, 1), false, false, false, false}}) {
    SCOPED_TRACE(c.what);
    f->iPlotLayoutViewerMouseDown(s.viewer, mbRight, TShiftState(), c.at.X, c.at.Y);
    f->LayoutPopupMenuPopup(f->LayoutPopupMenu);
    EXPECT_EQ(f->DeleteMenuItem->GetEnabled(), c.del);
    EXPECT_EQ(f->VisibleMenuItem->GetEnabled(), c.visible);
    EXPECT_EQ(f->VisibleMenuItem->GetChecked(), c.checked);
    EXPECT_EQ(f->EditMenuItem->GetEnabled(), c.edit);
    EXPECT_FALSE(f->XYAxesReverseMenuItem->GetChecked());
  }
  f->XYAxesReverseMenuItemClick(nullptr);
  f->LayoutPopupMenuPopup(f->LayoutPopupMenu);
  EXPECT_TRUE(f->XYAxesReverseMenuItem->GetChecked());
  EXPECT_TRUE(s.plot->GetXYAxesReverse());

  // "Visible" switches the object; "Delete" frees it.
  f->iPlotLayoutViewerMouseDown(s.viewer, mbRight, TShiftState(), LayoutStage::Middle(s.RectOf(3)).X,
                                LayoutStage::Middle(s.RectOf(3)).Y);
  f->VisibleMenuItemClick(nullptr);
  EXPECT_FALSE(s.objects[3]->GetVisible());
  f->DeleteMenuItemClick(nullptr);
  EXPECT_EQ(s.plot->GetLabelCount(), 1);
  EXPECT_EQ(f->GetRightClickObject(), nullptr);
}

// "Edit" shows the object's page with it selected and its values shown.
TEST(PlotLayoutViewer, EditOnATableShowsTheTablesPageWithItSelected) {
  LayoutStage s({{kYAxis, false, 0}, {kXAxis, true, 0}, {kTable, false, 2}, {kTable, false, 3}});
  s.objects[3]->SetName("Totals");
  TiPlotEditorForm* f = s.form;
  const TPoint at = LayoutStage::Middle(s.RectOf(3));
  f->iPlotLayoutViewerMouseDown(s.viewer, mbRight, TShiftState(), at.X, at.Y);
  f->EditMenuItemClick(nullptr);
  EXPECT_EQ(f->PageControl->GetActivePage(), f->SheetOf(iepkTable));
  EXPECT_EQ(Named<TiComponentEditorListBox>(f, "TableListBox")->GetItemIndex(), 1);
  EXPECT_EQ(Named<TiComponentEditorEdit>(f, "TableNameEdit")->GetAsString(), "Totals");
}

}  // namespace
