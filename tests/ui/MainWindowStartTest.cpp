// The main window right after the program made it: caption, device ID,
// page, language, socket address, the armed start-up timer; the menu tree;
// the page-button row; the shell's hidden components.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MainWindowTestSupport.h"
#include "dialogs/Fnetworkscan.h"
#include "mainwindow/FMainLanguage.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/Menus.h"
#include "platform/hidctl/JvHidDeviceController.h"
#include "platform/net/ClientSocket.h"
#include "response/Plot.h"

using namespace ui_test;

namespace {

class StartUp : public ProgramFormsTest {
  bool KeepStartTimer() const override { return true; }
};

TEST_F(StartUp, TheWindowIsOfflineOnTheGainPageInEnglish) {
  const MainFormState& state = fmMain->GetState();
  EXPECT_EQ(fmMain->GetCaption(), "TAVO DSP Processor Editor V1.32");
  EXPECT_EQ(fmMain->GetHint(), "TAVO DSP Processor Editor");
  EXPECT_EQ(state.DeviceId, 1);
  EXPECT_EQ(fmMain->GetDeviceId(), 1);
  EXPECT_EQ(Find<TControl>("lbShowIdNumber")->GetCaption(), "ID : 1");
  EXPECT_EQ(state.CurrentPage, PageGain);
  EXPECT_EQ(state.CompStrip, 8);
  EXPECT_EQ(state.GateStrip, 0);
  EXPECT_EQ(state.DragHandle, -1);
  EXPECT_EQ(state.LastDragHandle, -1);
  EXPECT_EQ(state.Language, "English");
  EXPECT_FALSE(state.Online);
  EXPECT_FALSE(state.Connected);
  EXPECT_FALSE(state.Starting);
  EXPECT_FALSE(state.Refreshing);
  EXPECT_EQ(state.ExtraHeight, 0);
  EXPECT_EQ(state.DeviceIp, 0xC0A80165u);
  ASSERT_NE(state.UnitControl, nullptr);
  for (const auto& plot : state.Plots) {
    ASSERT_NE(plot, nullptr);
    EXPECT_FALSE(plot->GetPhaseMode());
  }

  EXPECT_TRUE(Find<TMenuItem>("English")->GetChecked());
  EXPECT_FALSE(Find<TMenuItem>("ChineseSimplified")->GetChecked());
  EXPECT_FALSE(Find<TMenuItem>("ChineseTraditional")->GetChecked());
  EXPECT_TRUE(Find<TMenuItem>("NetworkSetup")->GetVisible());
  EXPECT_EQ(Find<TControl>("rzbMenuLink")->GetCaption(), "OffLine");

  auto* gain = Find<TRzBmpButton>("rzbMenuGain");
  EXPECT_TRUE(gain->GetDown());
  EXPECT_EQ(gain->GetFont()->GetColor(), RGB(0, 255, 0));

  auto* socket = Find<TClientSocket>("ClientSocket");
  ASSERT_NE(socket, nullptr);
  EXPECT_EQ(socket->GetPort(), 9761);
  EXPECT_EQ(socket->GetAddress(), "192.168.1.101");
  EXPECT_FALSE(socket->GetActive());

  EXPECT_EQ(fmMain->GetClientWidth(), 1126);
  EXPECT_EQ(fmMain->GetClientHeight(), 683);
  EXPECT_FALSE(fmMain->IsScrolling());
}

TEST_F(StartUp, OnlyTheStartTimerRunsAndItFiresOnce) {
  struct TimerRow {
    const char* name;
    unsigned interval;
  };
  const TimerRow timers[] = {{"tmStartConnect", 300}, {"tmDisconnect", 300},  {"tmComScan", 1},
                             {"tmLockPrompt", 1000},  {"tmProcessShow", 100}, {"tmUpload", 300},
                             {"tmInLevelDet", 300},   {"tmEqCurve", 1},       {"tmHpLpCurve", 1},
                             {"tmMouseEqCurve", 1}};
  for (const TimerRow& row : timers) {
    SCOPED_TRACE(row.name);
    auto* timer = Find<TTimer>(row.name);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->GetInterval(), row.interval);
    EXPECT_EQ(timer->GetEnabled(), std::string(row.name) == "tmStartConnect");
  }
  // Offline, the start timer presses the link button, which opens the scan
  // dialog modally; a watcher running inside that loop closes it again.
  bool scanShown = false;
  TTimer watcher(nullptr);
  watcher.SetInterval(10);
  watcher.OnTimer = [&](TObject*) {
    if (fmNetwork && fmNetwork->GetVisible()) {
      scanShown = true;
      fmNetwork->Hide();
    }
  };
  auto* start = Find<TTimer>("tmStartConnect");
  EXPECT_TRUE(PumpUntil([&] { return !start->GetEnabled() && scanShown; }));
  watcher.SetEnabled(false);
}

using ShellParts = ProgramFormsTest;

TEST_F(ShellParts, TheMenuTreeHoldsEveryItemWithItsTagAndVisibility) {
  struct MenuRow {
    const char* name;
    const char* parent;  // "" for the bar
    int tag;
    bool visible;
  };
  const MenuRow rows[] = {
      {"File", "", 0, true},
      {"Open", "File", 0, true},
      {"Save", "File", 0, true},
      {"Upload", "File", 0, true},
      {"Download", "File", 0, true},
      {"FactoryDefault", "File", 0, true},
      {"Exit", "File", 0, true},
      {"Link", "", 0, true},
      {"Copy", "", 0, true},
      {"Lock", "", 0, true},
      {"WorkingStatus", "", 0, true},
      {"Memorize", "WorkingStatus", 0, true},
      {"Forget", "WorkingStatus", 1, true},
      {"U01", "WorkingStatus", 2, true},
      {"SettingID", "", 0, false},
      {"NetworkSetup", "", 0, true},
      {"TestTone", "", 0, true},
      {"ChNameList", "", 0, true},
      {"SubCtrl", "", 0, true},
      {"GroupCtrl", "", 0, true},
      {"LanguageSel", "", 0, true},
      {"ChineseSimplified", "LanguageSel", 0, true},
      {"ChineseTraditional", "LanguageSel", 1, false},
      {"English", "LanguageSel", 2, true},
      {"Help", "", 0, true},
      {"Rs232Code", "Help", 0, true},
      {"MemoShow", "Help", 0, false},
      {"HidData", "Help", 0, false},
      {"PhantomPotent", "Help", 0, false},
      {"BlockDiagram", "", 0, false},
      {"LockSetup", "BlockDiagram", 0, false},
      {"Connect", "", 0, false},
      {"Connected", "Connect", 0, true},
      {"ConnectHelp", "Connect", 0, false},
      {"About", "", 0, true},
  };
  TMainMenu* menu = fmMain->GetMenu();
  ASSERT_NE(menu, nullptr);
  std::vector<std::string> bar;
  for (const MenuRow& row : rows) {
    SCOPED_TRACE(row.name);
    auto* item = Find<TMenuItem>(row.name);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetOwner(), fmMain);
    EXPECT_EQ(item->GetTag(), row.tag);
    EXPECT_EQ(item->GetVisible(), row.visible);
    EXPECT_EQ(item->GetParentMenu(), menu);
    if (*row.parent) {
      EXPECT_EQ(item->GetParent(), Find<TMenuItem>(row.parent));
    } else {
      EXPECT_EQ(item->GetParent(), menu->GetItems());
      bar.push_back(row.name);
    }
  }
  // The bar reads in the table's order; separators are unnamed.
  std::vector<std::string> shown;
  for (int i = 0; i < menu->GetItems()->GetCount(); ++i)
    shown.push_back(menu->GetItems()->GetItems(i)->GetName());
  EXPECT_EQ(shown, bar);
}

TEST_F(ShellParts, ThePageButtonsAreOneRadioGroupReadingGainToOut8) {
  const std::vector<std::pair<std::string, int>> expected = {
      {"Gain", 21}, {"Gate", 20}, {"Comp", 16}, {"Delay", 17}, {"Matrix", 19}, {"Aux", 18},
      {"In1", 0},   {"In2", 1},   {"In3", 2},   {"In4", 3},    {"In5", 4},     {"In6", 5},
      {"In7", 6},   {"In8", 7},   {"Out1", 8},  {"Out2", 9},   {"Out3", 10},   {"Out4", 11},
      {"Out5", 12}, {"Out6", 13}, {"Out7", 14}, {"Out8", 15}};
  const std::vector<std::string> names = {
      "rzbMenuGain", "rzbMenuGate", "rzbMenuComp", "rzbMenuDelay", "rzbMenuMatrix", "rzbMenuEff",
      "rzbMenuInA",  "rzbMenuInB",  "rzbMenuInC",  "rzbMenuInD",   "rzbMenuInE",    "rzbMenuInF",
      "rzbMenuInG",  "rzbMenuInH",  "rzbMenuOut1", "rzbMenuOut2",  "rzbMenuOut3",   "rzbMenuOut4",
      "rzbMenuOut5", "rzbMenuOut6", "rzbMenuOut7", "rzbMenuOut8"};
  auto* bar = Find<TWinControl>("rzgFunction");
  ASSERT_NE(bar, nullptr);
  std::vector<TRzBmpButton*> buttons;
  for (const std::string& name : names) {
    auto* button = Find<TRzBmpButton>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button->GetParent(), bar) << name;
    buttons.push_back(button);
  }
  std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->GetLeft() < b->GetLeft(); });
  int downs = 0;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    SCOPED_TRACE(expected[i].first);
    EXPECT_EQ(buttons[i]->GetCaption(), expected[i].first);
    EXPECT_EQ(buttons[i]->GetTag(), expected[i].second);
    EXPECT_EQ(buttons[i]->GetGroupIndex(), buttons[0]->GetGroupIndex());
    EXPECT_EQ(buttons[i]->GetFont()->GetColor(), buttons[i]->GetDown() ? RGB(0, 255, 0) : RGB(255, 255, 255));
    if (i > 0) {
      EXPECT_GE(buttons[i]->GetLeft(), buttons[i - 1]->GetLeft() + buttons[i - 1]->GetWidth());
    }
    downs += buttons[i]->GetDown() ? 1 : 0;
  }
  EXPECT_NE(buttons[0]->GetGroupIndex(), 0);
  EXPECT_EQ(downs, 1);

  // Pressing another page's button from code takes the group's light over.
  Find<TRzBmpButton>("rzbMenuInC")->SetDown(true);
  EXPECT_FALSE(Find<TRzBmpButton>("rzbMenuGain")->GetDown());

  // The link button closes the row on its right and belongs to no group.
  auto* link = Find<TRzBmpButton>("rzbMenuLink");
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->GetParent(), bar);
  EXPECT_EQ(link->GetLeft(), 1052);
  EXPECT_EQ(link->GetGroupIndex(), 0);
  EXPECT_GE(link->GetLeft(), buttons.back()->GetLeft() + buttons.back()->GetWidth());
  EXPECT_LE(link->GetLeft() + link->GetWidth(), bar->GetWidth());
}

TEST_F(ShellParts, HiddenPartsHoldTheTablesDialogsAndDevices) {
  auto* english = Find<TMemo>("moEnglish");
  auto* simplified = Find<TMemo>("moSimplified");
  ASSERT_NE(english, nullptr);
  ASSERT_NE(simplified, nullptr);
  EXPECT_FALSE(english->GetVisible());
  EXPECT_FALSE(simplified->GetVisible());
  const auto lines = [](TMemo* memo) {
    std::vector<std::string> all;
    for (int i = 0; i < memo->GetLines()->GetCount(); ++i) all.push_back(memo->GetLines()->Get(i));
    return all;
  };
  EXPECT_EQ(lines(english), EnglishLanguageLines());
  EXPECT_EQ(lines(simplified), SimplifiedLanguageLines());

  const std::pair<const char*, const char*> dialogs[] = {{"odOpenPreset", "*.prs|*.prs"},
                                                         {"sdSavePreset", "*.prs|*.prs"},
                                                         {"odOpenUnit", "*.unt|*.unt"},
                                                         {"sdSaveUnit", "*.unt|*.unt"}};
  for (const auto& [name, filter] : dialogs) {
    auto* dialog = Find<TOpenDialog>(name);
    ASSERT_NE(dialog, nullptr) << name;
    EXPECT_EQ(dialog->GetFilter(), filter) << name;
    EXPECT_EQ(dynamic_cast<TSaveDialog*>(dialog) != nullptr, name[0] == 's') << name;
  }
  auto* blue = Find<TAdvTrackBar>("isBlue");
  ASSERT_NE(blue, nullptr);
  EXPECT_FALSE(blue->GetVisible());
  EXPECT_NE(Find<TJvHidDeviceController>("HidCtl"), nullptr);
  for (const char* name : {"imLeftUpBase", "imRightUpBase", "imLeftDownBase", "imRightDownBase", "rzgPreset",
                           "lPstNum", "lPstName", "lbPstNum", "lbPstName", "bStore", "bRecall"})
    EXPECT_NE(Find<TControl>(name), nullptr) << name;
}

}  // namespace
