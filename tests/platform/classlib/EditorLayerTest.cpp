// The page control, the date-time picker, the owner-drawn list with drags
// on itself, and moving the focus in tab order.

#include <QDateTimeEdit>

#include "platform/classlib/ControlImage.h"
#include "platform/classlib/DateTimePicker.h"
#include "platform/classlib/PageControl.h"
#include "platform/classlib/StdCtrls.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

using Log = std::vector<std::string>;

TEST(PageControl, PagesTheUsersChoiceAndTheProgramsWrite) {
  FormStage s;
  auto* pages = s.Add<TPageControl>("pages", 10, 10, 300, 200);
  std::vector<TTabSheet*> sheets;
  for (const char* caption : {"One", "Two", "Three"}) {
    auto* sheet = new TTabSheet(s.form);
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages);
    sheets.push_back(sheet);
  }
  pages->OnChange = [&s](TObject*) { s.log.push_back("OnChange"); };
  EXPECT_EQ(pages->GetPageCount(), 3);
  EXPECT_EQ(pages->GetActivePage(), sheets[0]) << "the first page shows";
  EXPECT_TRUE(sheets[0]->GetVisible());
  EXPECT_FALSE(sheets[1]->GetVisible());
  pages->SetActivePageIndex(2);
  EXPECT_EQ(pages->GetActivePage(), sheets[2]);
  EXPECT_EQ(sheets[2]->GetPageIndex(), 2);
  pages->SetActivePageIndex(7);
  EXPECT_EQ(pages->GetActivePageIndex(), -1);
  EXPECT_EQ(s.log, Log{}) << "the program's writes fire nothing";
  EXPECT_EQ(sheets[0]->GetBoundsRect(), pages->PageRect());

  ShowAndActivate(s.form);
  const TRect tab = pages->TabRect(1);
  Press(pages, tab.Left + 4, tab.Top + 4);
  Release(pages, tab.Left + 4, tab.Top + 4);
  EXPECT_EQ(pages->GetActivePage(), sheets[1]);
  EXPECT_EQ(s.log, Log{"OnChange"});
  pages->OnChanging = [](TObject*, bool& allow) { allow = false; };
  Key(pages, Qt::Key_Right);
  EXPECT_EQ(pages->GetActivePage(), sheets[1]) << "refused";
  pages->OnChanging = nullptr;
  Key(pages, Qt::Key_Right);
  EXPECT_EQ(pages->GetActivePage(), sheets[2]);
  EXPECT_EQ(s.log, (Log{"OnChange", "OnChange"}));

  // A hidden tab is passed over and its page never shows.
  sheets[1]->SetTabVisible(false);
  EXPECT_TRUE(pages->TabRect(1).IsEmpty());
  Key(pages, Qt::Key_Left);
  EXPECT_EQ(pages->GetActivePage(), sheets[0]);
  pages->SetActivePage(sheets[1]);
  EXPECT_EQ(pages->GetActivePage(), sheets[0]);
  sheets[2]->Free();
  EXPECT_EQ(pages->GetPageCount(), 2);
}

TEST(PageControl, PagesNestAndGoWithTheirControl) {
  FormStage s;
  auto* outer = s.Add<TPageControl>("outer", 10, 10, 300, 200);
  auto* sheet = new TTabSheet(s.form);
  sheet->SetCaption("Outer");
  sheet->SetPageControl(outer);
  auto* inner = new TPageControl(s.form);
  inner->SetParent(sheet);
  inner->SetBounds(4, 4, 200, 120);
  auto* innerSheet = new TTabSheet(s.form);
  innerSheet->SetCaption("Inner");
  innerSheet->SetPageControl(inner);
  EXPECT_EQ(inner->GetActivePage(), innerSheet);
  EXPECT_TRUE(SaveControlImage(s.form, ::testing::TempDir() + "layer-pages.png"));
  outer->Free();
  EXPECT_EQ(s.form->FindComponent("outer"), nullptr);
}

// Tabs wider than the control wrap into rows; the active tab's row sits
// next to the page, and the page starts below the last row.
TEST(PageControl, MultiLineTabsWrapWithTheActiveRowNextToThePage) {
  FormStage s;
  auto* pages = s.Add<TPageControl>("pages", 10, 10, 160, 200);
  std::vector<TTabSheet*> sheets;
  for (const char* caption : {"General", "Title", "Background", "Print"}) {
    auto* sheet = new TTabSheet(s.form);
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages);
    sheets.push_back(sheet);
  }
  const int oneRow = pages->TabHeight();
  EXPECT_GT(pages->TabRect(3).Right, 160) << "one row runs past the edge";
  pages->SetMultiLine(true);
  EXPECT_GT(pages->TabHeight(), oneRow);
  for (int i = 0; i < 4; ++i) EXPECT_LE(pages->TabRect(i).Right, 160) << i;
  const int activeTop = pages->TabRect(0).Top;
  int lastRowTop = 0;
  for (int i = 0; i < 4; ++i) lastRowTop = std::max(lastRowTop, static_cast<int>(pages->TabRect(i).Top));
  EXPECT_EQ(activeTop, lastRowTop) << "the active tab's row is the lowest";
  EXPECT_EQ(sheets[0]->GetTop(), pages->PageRect().Top);
  EXPECT_GE(pages->PageRect().Top, pages->TabHeight());
  // A tab of another row, clicked, brings its row down.
  pages->SetActivePage(sheets[3]);
  EXPECT_EQ(pages->TabRect(3).Top, lastRowTop);
  EXPECT_EQ(pages->IndexOfTabAt(pages->TabRect(0).Left + 2, pages->TabRect(0).Top + 2), 0);
}

TEST(DateTimePicker, OnlyTheUsersChangesFireAndTheRangeHolds) {
  FormStage s;
  auto* date = s.Add<TDateTimePicker>("date", 10, 10, 137, 21);
  auto* time = s.Add<TDateTimePicker>("time", 10, 40, 137, 21);
  time->SetKind(dtkTime);
  for (TDateTimePicker* p : {date, time}) p->OnChange = [&s, p](TObject*) { s.log.push_back(p->GetName()); };
  date->SetDateTime(EncodeDate(2024, 2, 28) + 0.25);
  time->SetDateTime(0.5);
  EXPECT_EQ(s.log, Log{});
  date->SetDateTime(1e9);
  EXPECT_EQ(date->GetDateTime(), MaxDateTime);
  date->SetDateTime(-1e9);
  EXPECT_EQ(date->GetDateTime(), MinDateTime);
  date->SetMaxDate(EncodeDate(2030, 1, 1));
  date->SetDateTime(EncodeDate(2040, 1, 1));
  EXPECT_EQ(date->GetDateTime(), EncodeDate(2030, 1, 1));
  date->SetDateTime(EncodeDate(2024, 2, 28) + 0.25);

  ShowAndActivate(s.form);
  // The user steps the day: the date moves, the time of day stays.
  auto* field = static_cast<QDateTimeEdit*>(date->GetWidget());
  date->SetFocus();
  field->setCurrentSection(QDateTimeEdit::DaySection);
  Key(date, Qt::Key_Up);
  EXPECT_EQ(s.log, Log{"date"});
  EXPECT_DOUBLE_EQ(date->GetDateTime(), EncodeDate(2024, 2, 29) + 0.25);
  auto* timeField = static_cast<QDateTimeEdit*>(time->GetWidget());
  time->SetFocus();
  timeField->setCurrentSection(QDateTimeEdit::HourSection);
  Key(time, Qt::Key_Up);
  EXPECT_EQ(s.log, (Log{"date", "time"}));
  EXPECT_NEAR(time->GetTime(), 13.0 / 24, 1e-9);
  EXPECT_TRUE(SaveControlImage(s.form, ::testing::TempDir() + "layer-datetime.png"));
}

TEST(ListBox, OwnerDrawnRowsAndDragsOnItself) {
  FormStage s;
  auto* list = s.Add<TListBox>("list", 10, 10, 160, 100);
  list->SetStyle(lbOwnerDrawFixed);
  list->SetItemHeight(16);
  for (int i = 0; i < 12; ++i) list->GetItems()->Add("Row " + std::to_string(i));
  std::vector<int> drawn;
  list->OnDrawItem = [&drawn, list](TWinControl*, int Index, TRect R, TOwnerDrawState State) {
    drawn.push_back(Index);
    TCanvas* c = list->GetCanvas();
    c->Brush->SetColor(State.Contains(odSelected) ? clNavy : clWindow);
    c->FillRect(R);
  };
  TPoint dropped(-1, -1);
  TObject* source = nullptr;
  list->OnDragDrop = [&](TObject*, TObject* Source, int X, int Y) {
    source = Source;
    dropped = TPoint(X, Y);
  };
  list->OnDragOver = [](TObject*, TObject* Source, int, int, bool& accept) { accept = Source != nullptr; };
  list->SetDragMode(dmAutomatic);
  ShowAndActivate(s.form);
  list->SetItemIndex(1);
  ASSERT_TRUE(WaitFor("rows drawn", [&drawn] { return drawn.size() >= 2; }));
  const TRect r1 = list->ItemRect(1);
  EXPECT_EQ(r1.Height(), 16);
  EXPECT_EQ(list->ItemAtPos(TPoint(r1.Left + 3, r1.Top + 3), true), 1);
  list->SetTopIndex(3);
  EXPECT_EQ(list->GetTopIndex(), 3);
  EXPECT_EQ(list->ItemRect(4).Top, r1.Top);
  list->SetTopIndex(0);

  const TRect r3 = list->ItemRect(3);
  Press(list, r1.Left + 20, r1.Top + 4);
  Release(list, r1.Left + 20, r1.Top + 4);
  EXPECT_EQ(source, nullptr) << "a click is no drag";
  Press(list, r1.Left + 20, r1.Top + 4);
  Move(list, r1.Left + 20, r1.Top + 12, Qt::LeftButton);
  EXPECT_TRUE(list->Dragging());
  Move(list, r3.Left + 20, r3.Top + 4, Qt::LeftButton);
  Release(list, r3.Left + 20, r3.Top + 4);
  EXPECT_EQ(source, list);
  EXPECT_EQ(dropped, TPoint(r3.Left + 20, r3.Top + 4));
  EXPECT_FALSE(list->Dragging());
}

TEST(SelectNext, FollowsTheTabOrderThroughContainersAndWraps) {
  FormStage s;
  auto* a = s.Add<TEdit>("a", 10, 10, 80, 21);
  auto* panel = s.Add<TGroupBox>("panel", 10, 40, 200, 100);
  auto* b = s.Add<TEdit>("b", 10, 20, 80, 21, panel);
  auto* skipped = s.Add<TEdit>("skipped", 10, 50, 80, 21, panel);
  skipped->SetTabStop(false);
  auto* c = s.Add<TEdit>("c", 10, 150, 80, 21);
  auto* hidden = s.Add<TEdit>("hidden", 100, 150, 80, 21);
  hidden->SetVisible(false);
  ShowAndActivate(s.form);
  a->SetFocus();
  s.form->SelectNext(a, true, true);
  EXPECT_TRUE(b->Focused());
  s.form->SelectNext(b, true, true);
  EXPECT_TRUE(c->Focused());
  s.form->SelectNext(c, true, true);
  EXPECT_TRUE(a->Focused()) << "round to the first";
  s.form->SelectNext(a, false, true);
  EXPECT_TRUE(c->Focused());
  s.form->SelectNext(b, true, false);
  EXPECT_TRUE(skipped->Focused()) << "without CheckTabStop";
}

}  // namespace
