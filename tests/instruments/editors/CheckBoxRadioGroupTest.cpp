// The library's owner-drawn check box and radio group.

#include "platform/classlib/Keys.h"
#include "tests/instruments/editors/EditorTestSupport.h"

using namespace classlib_test;
using namespace editors_test;

namespace {

struct Stage : FormStage {
  Log events;
  template <class T>
  T* Make(const char* name, int l, int t, int w, int h) {
    auto* c = Add<T>(name, l, t, w, h);
    const std::string n = name;
    c->OnChange = [this, n](TObject*) { events.push_back(n + ".OnChange"); };
    c->OnChangeUser = [this, n](TObject*) { events.push_back(n + ".OnChangeUser"); };
    c->OnChangeProtected = [this, n](TObject*, const std::string& prop) {
      events.push_back(n + ".Protected:" + prop);
    };
    return c;
  }
};

TEST(CheckBox, EventsFollowWhoMadeTheChange) {
  Stage s;
  auto* box = s.Make<TiCheckBox>("box", 10, 10, 97, 17);
  box->SetChecked(false);
  EXPECT_EQ(s.events, Log{}) << "an equal value fires nothing";
  box->SetChecked(true);
  EXPECT_EQ(s.events, (Log{"box.Protected:Checked", "box.OnChange"}));
  s.events.clear();
  box->OnRequestEdit = [](TObject*, const std::string& prop, bool& can) { can = prop != "Checked"; };
  box->SetChecked(false);
  EXPECT_TRUE(box->GetChecked()) << "vetoed";
  EXPECT_EQ(s.events, Log{});
  box->OnRequestEdit = nullptr;

  ShowAndActivate(s.form);
  Press(box, 5, 8);
  Release(box, 5, 8);
  EXPECT_FALSE(box->GetChecked());
  EXPECT_EQ(s.events, (Log{"box.Protected:Checked", "box.OnChange", "box.OnChangeUser"}));
  s.events.clear();
  // A release outside the control does not toggle.
  Press(box, 5, 8);
  Release(box, box->GetWidth() + 20, 8);
  EXPECT_FALSE(box->GetChecked());
  EXPECT_EQ(s.events, Log{});
  // Space toggles on its release, as the user's change.
  box->SetFocus();
  Key(box, Qt::Key_Space, " ");
  EXPECT_TRUE(box->GetChecked());
  EXPECT_EQ(s.events, (Log{"box.Protected:Checked", "box.OnChange", "box.OnChangeUser"}));
}

TEST(CheckBox, AutoSizeKeepsTheBoxEdge) {
  Stage s;
  auto* right = s.Make<TiCheckBox>("right", 10, 10, 97, 17);
  right->SetCaption("A much longer caption");
  TCanvas measure;
  measure.Font->Assign(right->GetFont());
  const TSize size = measure.TextExtent("A much longer caption");
  EXPECT_EQ(right->GetLeft(), 10);
  EXPECT_EQ(right->GetWidth(), size.cx + 20);
  EXPECT_EQ(right->GetHeight(), size.cy + 4);
  auto* left = s.Make<TiCheckBox>("left", 200, 10, 97, 17);
  left->SetAlignment(taLeftJustify);
  left->SetCaption("Box on the right");
  EXPECT_EQ(left->GetLeft() + left->GetWidth(), 297) << "the right edge stays";
}

TEST(RadioGroup, FiveItemsInTwoColumns) {
  Stage s;
  auto* r = s.Make<TiRadioGroup>("r", 10, 10, 200, 110);
  for (const char* item : {"a", "b", "c", "d", "e"}) r->GetItems()->Add(item);
  r->SetColumns(2);
  r->ComputeLayout();
  EXPECT_EQ(r->GetMaxRows(), 3);
  EXPECT_DOUBLE_EQ(r->GetItemsColSpacing(), (200 - 14) / 2);
  for (int i = 0; i < 5; ++i) {
    const TPoint c = r->ItemCenter(i);
    EXPECT_EQ(c.X, i < 3 ? 14 : 14 + 93) << i;
    EXPECT_EQ(r->ItemAtPoint(c.X + 2, c.Y), i) << i;
  }
  EXPECT_EQ(r->ItemCenter(3).Y, r->ItemCenter(0).Y);
}

TEST(RadioGroup, ItemIndexIsKeptInRange) {
  Stage s;
  auto* r = s.Make<TiRadioGroup>("r", 10, 10, 200, 110);
  for (const char* item : {"a", "b", "c"}) r->GetItems()->Add(item);
  r->SetItemIndex(10);
  EXPECT_EQ(r->GetItemIndex(), 2);
  r->SetItemIndex(-5);
  EXPECT_EQ(r->GetItemIndex(), -1);
  r->GetItems()->Clear();
  r->GetItems()->Add("x");
  r->SetItemIndex(0);
  r->GetItems()->Clear();
  EXPECT_EQ(r->GetItemIndex(), -1);
  EXPECT_EQ(s.events, (Log{"r.Protected:ItemIndex", "r.OnChange", "r.Protected:ItemIndex", "r.OnChange",
                           "r.Protected:ItemIndex", "r.OnChange"}));
}

TEST(RadioGroup, MouseSelectsAsTheUserAndArrowsWithoutOnChangeUser) {
  Stage s;
  auto* r = s.Make<TiRadioGroup>("r", 10, 10, 200, 110);
  for (const char* item : {"a", "b", "c"}) r->GetItems()->Add(item);
  ShowAndActivate(s.form);
  r->Repaint();
  r->ComputeLayout();
  const TPoint b = r->ItemCenter(1);
  const TPoint c = r->ItemCenter(2);
  // Pressed on one item, released on another: nothing.
  Press(r, b.X, b.Y);
  Release(r, c.X, c.Y);
  EXPECT_EQ(r->GetItemIndex(), 0);
  EXPECT_EQ(s.events, Log{});
  Press(r, b.X, b.Y);
  Release(r, b.X, b.Y);
  EXPECT_EQ(r->GetItemIndex(), 1);
  EXPECT_EQ(s.events, (Log{"r.Protected:ItemIndex", "r.OnChange", "r.OnChangeUser"}));
  s.events.clear();
  r->SetFocus();
  Key(r, Qt::Key_Down);
  Key(r, Qt::Key_Right);
  EXPECT_EQ(r->GetItemIndex(), 0) << "from the last to the first";
  Key(r, Qt::Key_Up);
  EXPECT_EQ(r->GetItemIndex(), 2) << "from the first to the last";
  Key(r, Qt::Key_Space, " ");
  EXPECT_EQ(r->GetItemIndex(), 2);
  EXPECT_EQ(s.events, (Log{"r.Protected:ItemIndex", "r.OnChange", "r.Protected:ItemIndex", "r.OnChange",
                           "r.Protected:ItemIndex", "r.OnChange"}));
}

TEST(RadioGroup, AGroupWithNoRoomForItsItemsHitsNothing) {
  Stage s;
  auto* empty = s.Make<TiRadioGroup>("empty", 10, 10, 120, 60);
  auto* tiny = s.Make<TiRadioGroup>("tiny", 10, 100, 120, 12);
  for (const char* item : {"a", "b", "c", "d"}) tiny->GetItems()->Add(item);
  ShowAndActivate(s.form);
  for (TiRadioGroup* r : {empty, tiny}) {
    r->Repaint();
    r->ComputeLayout();
    for (int y : {0, 3, 6, 11}) {
      EXPECT_EQ(r->ItemAtPoint(20, y), -1);
      Press(r, 20, y);
      Release(r, 20, y);
    }
  }
  EXPECT_EQ(tiny->GetItemIndex(), 0);
  EXPECT_EQ(s.events, Log{});
}

}  // namespace
