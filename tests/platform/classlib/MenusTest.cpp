#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <string>
#include <vector>

#include "platform/classlib/Dialogs.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

namespace {

using classlib_test::FormGuard;

TMenuItem* NewItem(TComponent* owner, const std::string& name, const std::string& caption) {
  auto* item = new TMenuItem(owner);
  item->SetName(name);
  item->SetCaption(caption);
  return item;
}

std::vector<std::string> Texts(const QWidget* view) {
  std::vector<std::string> out;
  for (QAction* a : view->actions()) out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
  return out;
}

TEST(MenuCaption, AcceleratorsAreStrippedForDisplay) {
  struct Case {
    const char* caption;
    const char* shown;
    char key;
  };
  for (const Case c :
       {Case{"&File", "File", 'F'}, Case{"Save &as", "Save as", 'A'}, Case{"R&&D", "R&D", 0},
        Case{"&&&x", "&x", 'X'}, Case{"-", "-", 0}, Case{"Trailing&", "Trailing", 0}, Case{"", "", 0}}) {
    EXPECT_EQ(StripHotkey(c.caption), c.shown) << c.caption;
    EXPECT_EQ(GetHotkey(c.caption), c.key) << c.caption;
  }
  TComponent owner(nullptr);
  TMenuItem* item = NewItem(&owner, "Open", "&Open...");
  EXPECT_EQ(item->GetCaption(), "&Open...");  // kept as given
  classlib_test::App();
  EXPECT_EQ(item->GetAction()->text().toStdString(), "&Open...");  // the toolkit underlines O
}

TEST(MenuItem, TreeOperations) {
  TComponent owner(nullptr);
  TMenuItem* file = NewItem(&owner, "File", "&File");
  TMenuItem* open = NewItem(&owner, "Open", "&Open");
  TMenuItem* save = NewItem(&owner, "Save", "&Save");
  TMenuItem* line = NewItem(&owner, "N1", "-");
  TMenuItem* exit = NewItem(&owner, "Exit", "E&xit");
  file->Add(open);
  file->Add(exit);
  file->Insert(1, save);
  file->Insert(2, line);
  EXPECT_EQ(file->Count(), 4);
  EXPECT_EQ((*file)[1], save);
  EXPECT_EQ(exit->GetMenuIndex(), 3);
  EXPECT_EQ(save->GetParent(), file);
  EXPECT_TRUE(line->IsLine());
  EXPECT_EQ(file->Find("exit"), exit);
  EXPECT_EQ(file->Find("&Save"), save);
  EXPECT_EQ(file->Find("Print"), nullptr);

  EXPECT_THROW(file->Add(open), EMenuError);     // already in a menu
  EXPECT_THROW(open->Add(open), EMenuError);     // itself
  EXPECT_THROW(open->Add(nullptr), EMenuError);  // nothing
  auto* loose = NewItem(&owner, "Loose", "x");
  EXPECT_THROW(file->Insert(9, loose), EMenuError);
  EXPECT_THROW((void)file->GetItems(4), EMenuError);
  loose->Add(file);
  EXPECT_THROW(open->Add(loose), EMenuError);  // a parent of open's parent
  loose->Remove(file);

  exit->SetMenuIndex(0);
  EXPECT_EQ(file->IndexOf(exit), 0);
  file->Delete(0);  // out of the tree, not freed
  EXPECT_EQ(exit->GetParent(), nullptr);
  EXPECT_EQ(file->IndexOf(exit), -1);
  EXPECT_EQ(owner.FindComponent("Exit"), exit);

  save->Free();  // a freed item leaves its parent
  EXPECT_EQ(file->Count(), 2);
  file->Free();  // and takes its sub-items along
  EXPECT_EQ(owner.FindComponent("Open"), nullptr);
  EXPECT_EQ(owner.FindComponent("N1"), nullptr);
  EXPECT_EQ(owner.FindComponent("Exit"), exit);
}

TEST(MenuItem, ClickFollowsEnabledAndTheGuard) {
  classlib_test::App();
  TComponent owner(nullptr);
  TMenuItem* item = NewItem(&owner, "Link", "&Link");
  int clicks = 0;
  item->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, item);
    ++clicks;
  };
  struct Case {
    const char* what;
    bool enabled, visible;
    bool byUser;
    int clicks;
  };
  for (const Case c :
       {Case{"program, enabled", true, true, false, 1}, Case{"program, disabled", false, true, false, 0},
        Case{"program, hidden", true, false, false, 1}, Case{"user, enabled", true, true, true, 1},
        Case{"user, disabled", false, true, true, 0}}) {
    clicks = 0;
    item->SetEnabled(c.enabled);
    item->SetVisible(c.visible);
    if (c.byUser)
      item->GetAction()->trigger();
    else
      item->Click();
    EXPECT_EQ(clicks, c.clicks) << c.what;
  }

  // A handler's exception: guarded for the user's click, the caller's own
  // for a program click.
  item->SetEnabled(true);
  item->OnClick = [](TObject*) { throw Exception("Menu handler failed"); };
  classlib_test::Messages().clear();
  item->GetAction()->trigger();
  ASSERT_EQ(classlib_test::Messages().size(), 1u);
  EXPECT_EQ(classlib_test::Messages()[0].text, "Menu handler failed.");
  EXPECT_THROW(item->Click(), Exception);
}

TEST(MenuItem, StatesReachTheToolkitAndTheCheckMarkIsOurs) {
  classlib_test::App();
  TComponent owner(nullptr);
  TMenuItem* english = NewItem(&owner, "English", "English");
  QAction* a = english->GetAction();
  struct Case {
    bool checked, enabled, visible;
  };
  for (const Case c : {Case{true, true, true}, Case{false, false, true}, Case{true, true, false}}) {
    english->SetChecked(c.checked);
    english->SetEnabled(c.enabled);
    english->SetVisible(c.visible);
    EXPECT_EQ(a->isChecked(), c.checked);
    // The toolkit reports a hidden action as disabled too.
    EXPECT_EQ(a->isEnabled(), c.enabled && c.visible);
    EXPECT_EQ(a->isVisible(), c.visible);
  }
  // The user's click does not toggle the mark; the handler decides.
  english->SetVisible(true);
  english->SetChecked(true);
  bool checkedInHandler = false;
  english->OnClick = [&](TObject*) { checkedInHandler = english->GetChecked(); };
  a->trigger();
  EXPECT_TRUE(checkedInHandler);
  EXPECT_TRUE(english->GetChecked());
  EXPECT_TRUE(a->isChecked());
  english->SetCaption("-");
  EXPECT_TRUE(a->isSeparator());
}

// The main window's kind of menu: top-level commands, drop-downs, hidden
// items, separators and check marks.
struct MenuForm {
  TForm* form;
  TMainMenu* menu;
  TMenuItem *file, *open, *save, *exit, *link, *lang, *chinese, *traditional, *english, *help, *hidData;
  explicit MenuForm(FormGuard& guard) {
    form = guard(new TForm(classlib_test::App()));
    form->SetCaption("Menu test");
    form->SetBounds(40, 40, 420, 160);
    form->SetColor(RGB(40, 44, 52));
    menu = new TMainMenu(form);
    menu->SetName("MainMenu1");
    file = NewItem(form, "File", "&File");
    open = NewItem(form, "Open", "&Open...");
    save = NewItem(form, "Save", "&Save...");
    TMenuItem* n1 = NewItem(form, "N1", "-");
    exit = NewItem(form, "Exit", "E&xit");
    link = NewItem(form, "Link", "&Link");
    lang = NewItem(form, "LanguageSel", "L&anguage");
    chinese = NewItem(form, "ChineseSimplified", "Chinese (Simplified)");
    traditional = NewItem(form, "ChineseTraditional", "Chinese (Traditional)");
    english = NewItem(form, "English", "&English");
    help = NewItem(form, "Help", "&Help");
    hidData = NewItem(form, "HidData", "Hid Data");
    for (TMenuItem* i : {open, save, n1, exit}) file->Add(i);
    for (TMenuItem* i : {chinese, traditional, english}) lang->Add(i);
    help->Add(hidData);
    for (TMenuItem* i : {file, link, lang, help}) menu->GetItems()->Add(i);
    traditional->SetVisible(false);
    hidData->SetVisible(false);
    english->SetChecked(true);
  }
  QMenuBar* Bar() const { return qobject_cast<QMenuBar*>(menu->GetMenuBar()); }
};

TEST(MainMenu, BecomesTheBarOfItsForm) {
  FormGuard guard;
  MenuForm m(guard);
  EXPECT_EQ(GetFormMenu(m.form), m.menu);
  EXPECT_EQ(m.menu->GetForm(), m.form);
  ASSERT_NE(m.Bar(), nullptr);
  EXPECT_EQ(m.Bar()->parentWidget(), m.form->GetWidget());
  EXPECT_EQ(Texts(m.Bar()), (std::vector<std::string>{"&File", "&Link", "L&anguage", "&Help"}));
  QMenu* fileMenu = m.file->GetAction()->menu();
  ASSERT_NE(fileMenu, nullptr);
  EXPECT_EQ(Texts(fileMenu), (std::vector<std::string>{"&Open...", "&Save...", "-", "E&xit"}));
  EXPECT_EQ(m.link->GetAction()->menu(), nullptr);  // a command on the bar itself
  EXPECT_FALSE(m.traditional->GetAction()->isVisible());
  EXPECT_EQ(m.menu->FindItemByName("hiddata"), m.hidData);
  EXPECT_EQ(m.menu->FindItemByName("Nothing"), nullptr);
  EXPECT_EQ(m.english->GetParentMenu(), m.menu);

  // Changes after attaching show at once.
  auto* about = NewItem(m.form, "About", "&About");
  m.menu->GetItems()->Add(about);
  m.file->Delete(m.file->IndexOf(m.save));
  m.save->Free();
  EXPECT_EQ(Texts(m.Bar()).back(), "&About");
  EXPECT_EQ(Texts(fileMenu), (std::vector<std::string>{"&Open...", "-", "E&xit"}));

  // The last sub-item going turns the drop-down into a command.
  m.help->Delete(0);
  EXPECT_EQ(m.help->GetAction()->menu(), nullptr);
}

TEST(MainMenu, UserChoicesReachTheHandlers) {
  FormGuard guard;
  MenuForm m(guard);
  std::string log;
  m.link->OnClick = [&](TObject*) { log += "link "; };
  m.open->OnClick = [&](TObject*) { log += "open "; };
  m.file->OnClick = [&](TObject*) { log += "file "; };
  m.link->GetAction()->trigger();
  m.open->GetAction()->trigger();
  // Opening a drop-down clicks its item first.
  QMenu* fileMenu = m.file->GetAction()->menu();
  emit fileMenu->aboutToShow();
  EXPECT_EQ(log, "link open file ");
}

TEST(MainMenu, AnItemMayFreeItselfFromItsOwnClick) {
  FormGuard guard;
  MenuForm m(guard);
  bool ran = false;
  m.exit->OnClick = [&](TObject*) {
    ran = true;
    m.exit->Free();
  };
  m.exit->GetAction()->trigger();
  EXPECT_TRUE(ran);
  EXPECT_EQ(m.file->Find("Exit"), nullptr);
  QCoreApplication::processEvents();  // the toolkit's action goes now
  EXPECT_EQ(m.file->GetAction()->menu()->actions().size(), 3);
}

TEST(MainMenu, DetachingAndFreeingTheMenuRemovesTheBar) {
  FormGuard guard;
  MenuForm m(guard);
  SetFormMenu(m.form, nullptr);
  EXPECT_EQ(GetFormMenu(m.form), nullptr);
  EXPECT_EQ(m.menu->GetMenuBar(), nullptr);
  QCoreApplication::processEvents();
  EXPECT_TRUE(m.form->GetWidget()->findChildren<QMenuBar*>().isEmpty());

  SetFormMenu(m.form, m.menu);
  EXPECT_NE(m.Bar(), nullptr);
  m.menu->Free();
  EXPECT_EQ(GetFormMenu(m.form), nullptr);
  QCoreApplication::processEvents();
  EXPECT_TRUE(m.form->GetWidget()->findChildren<QMenuBar*>().isEmpty());
  // A second main menu of the form is not attached by itself.
  auto* other = new TMainMenu(m.form);
  EXPECT_EQ(GetFormMenu(m.form), other);
  auto* third = new TMainMenu(m.form);
  EXPECT_EQ(third->GetForm(), nullptr);
}

TEST(MainMenu, FormFreedBeforeItsMenu) {
  TMainMenu* menu = nullptr;
  TComponent keeper(nullptr);
  {
    FormGuard guard;
    MenuForm m(guard);
    // A menu owned elsewhere outlives the form.
    menu = new TMainMenu(&keeper);
    SetFormMenu(m.form, menu);
    menu->GetItems()->Add(NewItem(&keeper, "Solo", "&Solo"));
  }
  EXPECT_EQ(menu->GetForm(), nullptr);
  EXPECT_EQ(menu->GetMenuBar(), nullptr);
  menu->GetItems()->Add(NewItem(&keeper, "Late", "&Late"));  // no bar to update, no crash
}

TEST(MainMenu, RendersOffscreen) {
  FormGuard guard;
  MenuForm m(guard);
  m.form->Show();
  EXPECT_TRUE(classlib_test::WaitFor("the form's window to be exposed",
                                     [&] { return m.form->GetWidget()->windowHandle()->isExposed(); }));
  QImage shot = m.form->GetWidget()->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  shot.save("/tmp/tavo-menus-form.png");
  // The bar covers the top and is painted in the menu colours.
  const int barHeight = m.Bar()->height();
  EXPECT_GT(barHeight, 10);
  EXPECT_NE(shot.pixelColor(shot.width() / 2, barHeight / 2),
            shot.pixelColor(shot.width() / 2, barHeight + 40));

  QMenu* lang = m.lang->GetAction()->menu();
  lang->popup(m.form->GetWidget()->mapToGlobal(QPoint(60, barHeight)));
  EXPECT_TRUE(classlib_test::WaitFor("the language menu to show", [&] { return lang->isVisible(); }));
  lang->grab().toImage().save("/tmp/tavo-menus-language.png");
  lang->hide();
}

// ---------------------------------------------------------------- popups

struct PopupFixture {
  TComponent owner{nullptr};
  TPopupMenu* popup;
  TMenuItem *edit, *line, *more, *deep, *off;
  std::string log;
  PopupFixture() {
    popup = new TPopupMenu(&owner);
    edit = NewItem(&owner, "Edit", "&Edit...");
    line = NewItem(&owner, "N1", "-");
    more = NewItem(&owner, "More", "&More");
    deep = NewItem(&owner, "Deep", "&Deep");
    off = NewItem(&owner, "Off", "Off");
    more->Add(deep);
    for (TMenuItem* i : {edit, line, more, off}) popup->GetItems()->Add(i);
    off->SetEnabled(false);
    popup->OnPopup = [this](TObject*) { log += "popup "; };
    for (TMenuItem* i : {edit, deep, off}) i->OnClick = [this, i](TObject*) { log += i->GetName() + " "; };
  }
};

TEST(PopupMenu, TheScriptedUserPicksAnItem) {
  classlib_test::App();
  PopupFixture f;
  TScriptedDialogService user;
  struct Case {
    std::function<void()> answer;
    const char* log;
  };
  const std::vector<Case> cases = {
      {[&] { user.AnswerPopup("Edit"); }, "popup Edit "},
      {[&] { user.AnswerPopup("More/Deep"); }, "popup Deep "},
      {[&] { user.AnswerPopup("more/&deep"); }, "popup Deep "},
      {[&] { user.AnswerPopup("Off"); }, "popup "},   // disabled: cannot be chosen
      {[&] { user.AnswerPopup("More"); }, "popup "},  // opens a sub-menu, clicks nothing
      {[&] { user.AnswerCancel(); }, "popup "},
  };
  for (const auto& c : cases) {
    f.log.clear();
    c.answer();
    f.popup->Popup(30, 40);
    EXPECT_EQ(f.log, c.log);
  }
  EXPECT_EQ(f.popup->GetPopupPoint(), Point(30, 40));
  ASSERT_FALSE(user.GetQuestions().empty());
  const auto& q = user.GetQuestions().front();
  EXPECT_EQ(q.Kind, TScriptedDialogService::qkPopup);
  EXPECT_EQ(q.Point, Point(30, 40));
  EXPECT_EQ(q.Items, (std::vector<std::string>{"Edit", "More", "Off"}));
  EXPECT_EQ(user.GetMismatches(), 0);

  user.AnswerPopup("Missing");
  f.log.clear();
  f.popup->Popup(0, 0);
  EXPECT_EQ(f.log, "popup ");
  EXPECT_EQ(user.GetMismatches(), 1);
}

TEST(PopupMenu, ItemsHiddenAfterOnPopupAreOutOfReach) {
  classlib_test::App();
  PopupFixture f;
  TScriptedDialogService user;
  f.popup->OnPopup = [&](TObject*) { f.more->SetVisible(false); };
  user.AnswerPopup("More/Deep");
  f.popup->Popup(0, 0);
  EXPECT_EQ(f.log, "");
}

TEST(PopupMenu, TheToolkitPopupClicksTheChosenItemOnce) {
  classlib_test::App();
  PopupFixture f;
  // Acts as the user once the popup is up: selects Edit and presses Enter.
  bool acted = false;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* a : menu->actions())
      if (a->text() == "&Edit...") menu->setActiveAction(a);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &enter);
    acted = true;
  });
  // Deadlock guard: closes any popup still open after a while.
  QTimer::singleShot(5000, [] {
    if (QWidget* w = QApplication::activePopupWidget()) w->close();
  });
  f.popup->Popup(10, 10);
  EXPECT_TRUE(acted);
  EXPECT_EQ(f.log, "popup Edit ");
}

}  // namespace
