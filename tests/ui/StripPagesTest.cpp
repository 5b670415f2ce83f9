// The strip pages of the main window (inputs, outputs, effect bus, Gain
// page): every control the handlers look up by name exists once, is owned
// by the main window, has its class, Tag and GroupIndex, and sits inside
// one of the strip pages' boxes; toggles that must act alone do; the boxes
// and the controls the window's resizing moves stand where it expects them
// at the design size; and captions fit in both languages.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "controls/VrButtons.h"
#include "instruments/base/iLed.h"
#include "mainwindow/FMainLanguage.h"
#include "model/LUnitControl.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/LProgressBar.h"
#include "response/MyPEQAllpass.h"
#include "tests/ui/StripPagesSupport.h"

namespace {

using namespace strip_test;

enum class Kind {
  Box,
  Panel,
  Label,
  Key,
  Fader,
  ValueBox,
  Meter,
  LedButton,
  DemoButton,
  Plot,
  BandTable,
  Combo,
  UpDown,
  Radio,
  Led
};

bool IsKind(TComponent* c, Kind k) {
  switch (k) {
    case Kind::Box:
      return dynamic_cast<TRzGroupBox*>(c) && !dynamic_cast<TMyPEQAllpass*>(c);
    case Kind::Panel:
      return dynamic_cast<TPanel*>(c) && !dynamic_cast<LProgressBar*>(c);
    case Kind::Label:
      return dynamic_cast<TLabel*>(c);
    case Kind::Key:
      return dynamic_cast<TRzBmpButton*>(c);
    case Kind::Fader:
      return dynamic_cast<TAdvTrackBar*>(c);
    case Kind::ValueBox:
      return dynamic_cast<TCurvyEdit*>(c);
    case Kind::Meter:
      return dynamic_cast<LProgressBar*>(c);
    case Kind::LedButton:
      return dynamic_cast<TVrPowerButton*>(c);
    case Kind::DemoButton:
      return dynamic_cast<TVrDemoButton*>(c);
    case Kind::Plot:
      return dynamic_cast<LMyFFTDrawPhase*>(c);
    case Kind::BandTable:
      return dynamic_cast<TMyPEQAllpass*>(c);
    case Kind::Combo:
      return dynamic_cast<TRzComboBox*>(c);
    case Kind::UpDown:
      return dynamic_cast<TUpDown*>(c);
    case Kind::Radio:
      return dynamic_cast<TRadioButton*>(c);
    case Kind::Led:
      return dynamic_cast<TiLedRectangle*>(c);
  }
  return false;
}

constexpr int Any = -1;

struct Expected {
  std::string name;
  Kind kind;
  int tag = Any;
  int group = Any;  // GroupIndex of a key
};

std::string In(int i) {
  return std::string(1, static_cast<char>('A' + i));
}
std::string Out(int n) {
  return std::to_string(n + 1);
}

// Every name of the strip pages, from the families the handlers build.
std::vector<Expected> StripNames() {
  std::vector<Expected> t;
  auto add = [&](std::string n, Kind k, int tag = Any, int group = Any) {
    t.push_back({std::move(n), k, tag, group});
  };
  // Strip plot boxes and their per-strip band tables, for inputs and outputs.
  for (int side = 0; side < 2; ++side) {
    for (int k = 0; k < 8; ++k) {
      const bool in = side == 0;
      const int strip = in ? k : 8 + k;
      const std::string sx = in ? "In" + In(k) : "Out" + Out(k);
      add("rzgFft" + sx, Kind::Box);
      add("lbFftChannel" + sx, Kind::Label);
      add("lbFftParam" + sx, Kind::Label);
      add("rzgFftShowCh" + sx, Kind::Box);
      for (int s = 0; s < 8; ++s)
        if (s != k)
          add("vrbShow" + (in ? In(s) : Out(s)) + (in ? "In" : "Out") + (in ? In(k) : Out(k)),
              Kind::LedButton, in ? s : 8 + s);
      add("vrbEqBypass" + sx, Kind::DemoButton, strip);
      add("vrbEqReset" + sx, Kind::DemoButton, strip);
      add("vrbEqShowAll" + sx, Kind::LedButton, strip);
      add("rbShowGain" + sx, Kind::Radio, strip);
      add("rbShowPhase" + sx, Kind::Radio, strip);
      add("fftDraw" + sx, Kind::Plot, strip);
      add("rzpPeq" + sx, Kind::Panel);
      add("peqPeq" + sx, Kind::BandTable, strip);
      for (int b = 0; b < (in ? 5 : 7); ++b)
        add("rzbEq" + std::to_string(b + 1) + sx, Kind::Key, b, strip + 1);
      // The Gain page's copy of the strip's level controls.
      add("isGainBackup" + sx, Kind::Fader, strip);
      add("cvdGainBackup" + sx, Kind::ValueBox);
      add("rzbPhaseBackup" + sx, Kind::Key, strip);
      add("rzbMuteBackup" + sx, Kind::Key, strip);
      add("pbLevelBackup" + sx, Kind::Meter);
      if (in) {
        add("rzbLineBackup" + sx, Kind::Key, strip);
        add("rzbPhantomBackup" + sx, Kind::Key, strip);
        add("rzcLineBackup" + sx, Kind::Combo);
        add("udLineBackup" + sx, Kind::UpDown, strip);
      } else {
        add("pbLimitBackup" + sx, Kind::Meter);
      }
    }
  }
  // The shared parameter boxes of the input and output pages.
  for (const std::string sx : {"InA", "Out1"}) {
    add("rzgParam" + sx, Kind::Box);
    add("lbEq" + sx, Kind::Label);
    add("lbEqParam" + sx, Kind::Label);
    for (const char* role : {"Freq", "Bw", "Gain"}) {
      add(std::string("isEq") + role + sx, Kind::Fader);
      add(std::string("cvdEq") + role + sx, Kind::ValueBox);
      add(std::string("lbEq") + role + sx, Kind::Label);
    }
    for (const char* role : {"LowCut", "HighCut"}) {
      add(std::string("is") + role + "Freq" + sx, Kind::Fader);
      add(std::string("cvd") + role + "Freq" + sx, Kind::ValueBox);
      add(std::string("lb") + role + "Freq" + sx, Kind::Label);
      add(std::string("lb") + role + "Slop" + sx, Kind::Label);
      add(std::string("rzc") + role + "Slop" + sx, Kind::Combo);
      add(std::string("rzb") + role + "Bypass" + sx, Kind::Key, Any, 1);
    }
    add("isGain" + sx, Kind::Fader);
    add("cvdGain" + sx, Kind::ValueBox);
    add("lbGain" + sx, Kind::Label);
    add("lbGainName" + sx, Kind::Label);
    add("rzbPhase" + sx, Kind::Key);
    add("rzbMute" + sx, Kind::Key);
    add("pbLevel" + sx, Kind::Meter);
  }
  add("pbLimitOut1", Kind::Meter);
  add("rzbLineInA", Kind::Key);
  add("rzbPhantomInA", Kind::Key);
  add("rzcLineInA", Kind::Combo);
  add("udLineInA", Kind::UpDown);
  add("lbFbtInA", Kind::Label);
  for (int k = 0; k < 5; ++k) add("rzbFbtLevel" + std::to_string(k) + "InA", Kind::Key, k);
  // The effect bus.
  add("rzgFftEff", Kind::Box);
  add("lbFftParamEff", Kind::Label);
  add("vrbEqBypassEff", Kind::DemoButton, 18);
  add("vrbEqResetEff", Kind::DemoButton, 18);
  add("vrbEqShowAllEff", Kind::LedButton, 18);
  add("rbShowGainEff", Kind::Radio, 18);
  add("rbShowPhaseEff", Kind::Radio, 18);
  add("fftDrawEff", Kind::Plot, 18);
  add("rzgParamEff", Kind::Box);
  add("peqPeqEff", Kind::BandTable, 18);
  for (int b = 0; b < 5; ++b) add("rzbEq" + std::to_string(b + 1) + "Eff", Kind::Key, b, 19);
  add("lbEqEff", Kind::Label);
  add("lbEqParamEff", Kind::Label);
  for (const char* role : {"Freq", "Bw", "Gain"}) {
    add(std::string("isEq") + role + "Eff", Kind::Fader);
    add(std::string("cvdEq") + role + "Eff", Kind::ValueBox);
    add(std::string("lbEq") + role + "Eff", Kind::Label);
  }
  add("isGainEff", Kind::Fader);
  add("cvdGainEff", Kind::ValueBox);
  add("lbGainEff", Kind::Label);
  add("rzbMuteEff", Kind::Key);
  add("pbLevelEff", Kind::Meter);
  add("isCompThresholdEff", Kind::Fader);
  add("cvdCompThresholdEff", Kind::ValueBox);
  add("lbCompEff", Kind::Label);
  add("ilrCompLedEff", Kind::Led);
  for (const char* n : {"rzbCompSetEff", "rzbEffectSetEff", "rzbAutoMixSetEff", "rzbCameraSetEff"})
    add(n, Kind::Key, Any, 0);
  for (const char* n : {"rzbOnOffEff", "rzbAutoMixOnOffEff", "rzbCameraOnOffEff"}) add(n, Kind::Key);
  for (const char* n : {"lbEffectEff", "lbAutoMixEff", "lbCameraEff", "lbMatrixEff"}) add(n, Kind::Label);
  for (int k = 0; k < 8; ++k) add("rzb" + In(k) + "MatrixEff", Kind::Key, k);
  // The Gain page.
  add("rzgFftGain", Kind::Box);
  add("fftDrawGainIn", Kind::Plot, 0);
  add("fftDrawGainOut", Kind::Plot, 0);
  add("rzgFftShowChIn", Kind::Box);
  add("rzgFftShowChOut", Kind::Box);
  add("lbFftGainIn", Kind::Label);
  add("lbFftGainOut", Kind::Label);
  for (int k = 0; k < 8; ++k) {
    add("vrbShow" + In(k) + "Gain", Kind::LedButton, k);
    add("vrbShow" + Out(k) + "Gain", Kind::LedButton, 8 + k);
  }
  add("rzgParamGain", Kind::Box);
  add("rzpGainIn", Kind::Panel);
  add("rzpGainOut", Kind::Panel);
  add("rzbGainSelIn", Kind::Key, 0);
  add("rzbGainSelOut", Kind::Key, 1);
  for (const char* n : {"lbGainSel", "lbGainInput", "lbGainOutput"}) add(n, Kind::Label);
  return t;
}

// The page boxes of the strip pages: everything above lives in one of them.
const std::set<std::string>& StripBoxes() {
  static const std::set<std::string> boxes = [] {
    std::set<std::string> s = {"rzgFftEff",    "rzgParamEff", "rzgFftGain",
                               "rzgParamGain", "rzgParamInA", "rzgParamOut1"};
    for (int k = 0; k < 8; ++k) {
      s.insert("rzgFftIn" + In(k));
      s.insert("rzgFftOut" + Out(k));
    }
    return s;
  }();
  return boxes;
}

// The page box a control sits in (its ancestor whose parent is rzgMain).
std::string PageBoxOf(TControl* c) {
  TWinControl* main = MainWindow()->GetMainBox();
  while (c && c->GetParent() != main) c = c->GetParent();
  return c ? c->GetName() : std::string();
}

TEST(StripPages, EveryNameOnceWithClassTagAndGroupInsideItsPage) {
  TfmMain* form = MainWindow();
  const std::vector<Expected> table = StripNames();
  std::map<std::string, int> count;
  for (int i = 0; i < form->GetComponentCount(); ++i) ++count[form->GetComponents(i)->GetName()];
  std::set<std::string> seen;
  for (const Expected& e : table) {
    SCOPED_TRACE(e.name);
    EXPECT_TRUE(seen.insert(e.name).second) << "listed twice in the test";
    TComponent* c = form->FindComponent(e.name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetOwner(), form);
    EXPECT_EQ(count[e.name], 1) << "name made more than once";
    EXPECT_TRUE(IsKind(c, e.kind));
    if (e.tag != Any) {
      EXPECT_EQ(c->GetTag(), e.tag);
    }
    if (e.group != Any) {
      auto* key = dynamic_cast<TRzBmpButton*>(c);
      ASSERT_NE(key, nullptr);
      EXPECT_EQ(key->GetGroupIndex(), e.group);
    }
    auto* control = dynamic_cast<TControl*>(c);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(StripBoxes().count(PageBoxOf(control))) << "outside the strip pages: " << PageBoxOf(control);
  }
  // And nothing named inside the strip pages that the table does not know.
  for (int i = 0; i < form->GetComponentCount(); ++i) {
    auto* c = dynamic_cast<TControl*>(form->GetComponents(i));
    if (!c || c->GetName().empty() || !StripBoxes().count(PageBoxOf(c)) || StripBoxes().count(c->GetName()))
      continue;
    EXPECT_TRUE(seen.count(c->GetName())) << "unlisted name " << c->GetName();
  }
}

TEST(StripPages, StartStateOfSelectionsAndSwitches) {
  MainWindow();
  auto key = [](const std::string& n) { return dynamic_cast<TRzBmpButton*>(Control(n)); };
  auto led = [](const std::string& n) { return dynamic_cast<TVrPowerButton*>(Control(n)); };
  for (const std::string sx : {"InA", "InH", "Out1", "Out8", "Eff"}) {
    SCOPED_TRACE(sx);
    EXPECT_TRUE(key("rzbEq1" + sx)->GetDown());
    EXPECT_FALSE(key("rzbEq2" + sx)->GetDown());
    EXPECT_TRUE(dynamic_cast<TRadioButton*>(Control("rbShowGain" + sx))->GetChecked());
    EXPECT_FALSE(dynamic_cast<TRadioButton*>(Control("rbShowPhase" + sx))->GetChecked());
    EXPECT_FALSE(Control("lbFftParam" + sx)->GetVisible());
  }
  // The Gain page shows first, in front of input A's plot (which start-up
  // makes visible beneath it); every other strip page waits hidden.
  EXPECT_TRUE(Control("rzgFftGain")->GetVisible());
  EXPECT_TRUE(Control("rzgParamGain")->GetVisible());
  for (const char* n : {"rzgFftInB", "rzgFftOut8", "rzgFftEff", "rzgParamInA", "rzgParamOut1", "rzgParamEff"})
    EXPECT_FALSE(Control(n)->GetVisible()) << n;
  TWinControl* container = MainWindow()->GetMainBox();
  auto place = [container](const char* n) {
    for (int i = 0; i < container->GetControlCount(); ++i)
      if (container->GetControls(i) == Control(n)) return i;
    return -1;
  };
  EXPECT_GT(place("rzgFftGain"), place("rzgFftInA"));
  // The input strips' panel in front, and input A's band table in front of
  // the stacked ones.
  auto frontmost = [](TWinControl* parent) { return parent->GetControls(parent->GetControlCount() - 1); };
  EXPECT_EQ(frontmost(Control("rzpPeqInA")->GetParent()), Control("rzpPeqInA"));
  EXPECT_EQ(frontmost(Control("rzpPeqOut1")->GetParent()), Control("rzpPeqOut1"));
  EXPECT_EQ(frontmost(Control("rzpGainIn")->GetParent()), Control("rzpGainIn"));
  EXPECT_TRUE(key("rzbFbtLevel0InA")->GetDown());
  // The meter reset writes the effect-bus input keys' captions in black:
  // their faces are light enough for it.
  for (int k = 0; k < 8; ++k) {
    const TColor face = ColorToRGB(key("rzb" + In(k) + "MatrixEff")->GetColor());
    const int luma = (299 * (face & 0xFF) + 587 * ((face >> 8) & 0xFF) + 114 * ((face >> 16) & 0xFF)) / 1000;
    EXPECT_GE(luma, 140) << k;
  }
  EXPECT_TRUE(key("rzbGainSelIn")->GetDown());
  // Only input A's and output 1's curves show on the Gain page at first.
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(led("vrbShow" + In(k) + "Gain")->GetActive(), k == 0);
    EXPECT_EQ(led("vrbShow" + Out(k) + "Gain")->GetActive(), k == 0);
  }
  // The start-up refresh puts each fader where the model's gain word says.
  const std::pair<const char*, int> gains[] = {{"isGainInA", 0},
                                               {"isGainOut1", 8},
                                               {"isGainEff", 18},
                                               {"isGainBackupInC", 2},
                                               {"isGainBackupOut5", 12}};
  for (const auto& [n, channel] : gains) {
    auto* f = dynamic_cast<TAdvTrackBar*>(Control(n));
    EXPECT_EQ(f->GetMin(), -280) << n;
    EXPECT_EQ(f->GetMax(), 120) << n;
    EXPECT_EQ(f->GetPosition(), MainWindow()->GetState().UnitControl->GetGain(channel) - 280) << n;
  }
  // Line level at first: the mic controls wait disabled.
  for (const char* n :
       {"rzbPhantomInA", "rzcLineInA", "udLineInA", "rzbPhantomBackupInD", "rzcLineBackupInD"})
    EXPECT_FALSE(Control(n)->GetEnabled()) << n;
  EXPECT_EQ(dynamic_cast<TRzComboBox*>(Control("rzcLineInA"))->GetItemIndex(), 50);
  EXPECT_EQ(dynamic_cast<TRzComboBox*>(Control("rzcLowCutSlopOut1"))->GetItems()->GetCount(), 20);
  EXPECT_EQ(dynamic_cast<TMyPEQAllpass*>(Control("peqPeqInB"))->GetChannelNumber(), 5);
  EXPECT_EQ(dynamic_cast<TMyPEQAllpass*>(Control("peqPeqOut2"))->GetChannelNumber(), 7);
  EXPECT_EQ(dynamic_cast<TMyPEQAllpass*>(Control("peqPeqEff"))->GetChannelNumber(), 5);
}

// Toggles meant to act alone do; the band keys of one strip stay exclusive.
TEST(StripPages, TogglesActAloneAndBandKeysStayExclusive) {
  MainWindow();
  auto key = [](const std::string& n) { return dynamic_cast<TRzBmpButton*>(Control(n)); };
  const std::vector<std::vector<std::string>> together = {
      {"rzbLowCutBypassInA", "rzbHighCutBypassInA"},
      {"rzbLowCutBypassOut1", "rzbHighCutBypassOut1"},
      {"rzbPhaseInA", "rzbMuteInA", "rzbLineInA", "rzbPhantomInA"},
      {"rzbPhaseBackupInA", "rzbMuteBackupInA", "rzbLineBackupInA", "rzbPhantomBackupInA",
       "rzbPhaseBackupInB", "rzbMuteBackupInB"},
      {"rzbPhaseBackupOut1", "rzbMuteBackupOut1", "rzbPhaseBackupOut2"},
      {"rzbMuteEff", "rzbOnOffEff", "rzbAutoMixOnOffEff", "rzbCameraOnOffEff", "rzbAMatrixEff",
       "rzbHMatrixEff"},
  };
  for (const auto& group : together) {
    for (const std::string& n : group) key(n)->SetDown(true);
    for (const std::string& n : group) EXPECT_TRUE(key(n)->GetDown()) << n;
    // Each goes up by itself again.
    for (const std::string& n : group) {
      EXPECT_TRUE(key(n)->GetAllowAllUp()) << n;
      key(n)->SetDown(false);
      EXPECT_FALSE(key(n)->GetDown()) << n;
    }
  }
  key("rzbEq3InA")->SetDown(true);
  EXPECT_FALSE(key("rzbEq1InA")->GetDown());
  EXPECT_TRUE(key("rzbEq1InB")->GetDown());
  key("rzbEq1InA")->SetDown(true);
  EXPECT_FALSE(key("rzbEq3InA")->GetDown());
  key("rzbFbtLevel2InA")->SetDown(true);
  EXPECT_FALSE(key("rzbFbtLevel0InA")->GetDown());
  key("rzbFbtLevel0InA")->SetDown(true);
}

// At the design size the boxes and the controls that resizing moves stand
// where the resizing rules start from.
TEST(StripPages, DesignGeometryMatchesTheResizeRules) {
  MainWindow();
  struct Place {
    std::string name;
    int left, top, width, height;  // Any: not checked
  };
  std::vector<Place> places = {
      {"rzgFftGain", 0, Any, 1112, 284},       {"rzgFftEff", 0, Any, 1112, 284},
      {"rzgParamGain", 20, 292, Any, Any},     {"rzgParamInA", 20, 292, Any, Any},
      {"rzgParamOut1", 20, 292, Any, Any},     {"rzgParamEff", 20, 292, Any, 282},
      {"fftDrawGainIn", Any, Any, 530, 255},   {"fftDrawGainOut", 550, Any, 530, 255},
      {"rzgFftShowChIn", 130, Any, Any, Any},  {"rzgFftShowChOut", 662, Any, Any, Any},
      {"lbFftGainOut", 600, Any, Any, Any},    {"fftDrawEff", Any, Any, 1070, 255},
      {"vrbEqBypassEff", 776, Any, Any, Any},  {"vrbEqResetEff", 857, Any, Any, Any},
      {"vrbEqShowAllEff", 934, Any, Any, Any},
  };
  for (int k = 0; k < 8; ++k)
    for (const std::string& sx : {"In" + In(k), "Out" + Out(k)}) {
      places.push_back({"rzgFft" + sx, 0, Any, 1112, 284});
      places.push_back({"fftDraw" + sx, Any, Any, 1070, 255});
      places.push_back({"rzgFftShowCh" + sx, 420, Any, Any, Any});
      places.push_back({"vrbEqBypass" + sx, 776, Any, Any, Any});
      places.push_back({"vrbEqReset" + sx, 857, Any, Any, Any});
      places.push_back({"vrbEqShowAll" + sx, 934, Any, Any, Any});
    }
  for (const Place& p : places) {
    SCOPED_TRACE(p.name);
    TControl* c = Control(p.name);
    ASSERT_NE(c, nullptr);
    const int got[4] = {c->GetLeft(), c->GetTop(), c->GetWidth(), c->GetHeight()};
    const int want[4] = {p.left, p.top, p.width, p.height};
    for (int i = 0; i < 4; ++i) {
      if (want[i] != Any) {
        EXPECT_EQ(got[i], want[i]) << "left, top, width, height: " << i;
      }
    }
  }
  // Each band key stands level with its row of the band table.
  for (const auto& [sx, bands] : std::vector<std::pair<std::string, int>>{
           {"InA", 5}, {"InH", 5}, {"Out1", 7}, {"Out8", 7}, {"Eff", 5}}) {
    auto* table = dynamic_cast<TMyPEQAllpass*>(Control("peqPeq" + sx));
    table->RePaint();
    for (int row = 0; row < bands; ++row) {
      TControl* key = Control("rzbEq" + std::to_string(row + 1) + sx);
      const TRect cell = table->GetCellRect(row, pcFrequency);
      EXPECT_EQ(key->GetTop(), table->GetTop() + cell.Top) << sx << " band " << row + 1;
      EXPECT_EQ(key->GetParent(), table->GetParent()) << sx;
      EXPECT_LE(key->GetLeft() + key->GetWidth(), table->GetLeft()) << sx;
    }
  }
  // The upper box ends above the lower boxes, and every control of the
  // strip pages lies wholly inside its parent.
  EXPECT_LE(Control("rzgFftInA")->GetTop() + Control("rzgFftInA")->GetHeight(), 292);
  TfmMain* form = MainWindow();
  for (int i = 0; i < form->GetComponentCount(); ++i) {
    auto* c = dynamic_cast<TControl*>(form->GetComponents(i));
    if (!c || !c->GetParent() || !StripBoxes().count(PageBoxOf(c))) continue;
    TWinControl* parent = c->GetParent();
    const bool inside = c->GetLeft() >= 0 && c->GetTop() >= 0 &&
                        c->GetLeft() + c->GetWidth() <= parent->GetWidth() &&
                        c->GetTop() + c->GetHeight() <= parent->GetHeight();
    // The band table keeps its hidden rows far below on purpose.
    if (dynamic_cast<TMyPEQAllpass*>(parent)) continue;
    EXPECT_TRUE(inside) << c->GetName() << " (" << c->ClassName() << ") spills out of " << parent->GetName();
  }
}

// The captions the language pass writes into the strip pages fit their
// controls in English and in Chinese.
TEST(StripPages, CaptionsFitInBothLanguages) {
  MainWindow();
  const std::vector<StripCaption> captions = StripCaptions();
  TBitmap bmp;
  bmp.SetWidth(8);
  bmp.SetHeight(8);
  TCanvas* canvas = bmp.GetCanvas();
  for (const StripCaption& c : captions) {
    TControl* control = Control(c.name);
    ASSERT_NE(control, nullptr) << c.name;
    canvas->Font->Assign(control->GetFont());
    for (const std::string_view language : {LanguageEnglish, LanguageChineseGB}) {
      const std::string text = GetLangText(language, c.key);
      EXPECT_LE(canvas->TextWidth(text) + c.room, control->GetWidth())
          << c.name << " '" << text << "' in " << language;
    }
  }
}

}  // namespace

namespace {

// The meters have the segments the level reply counts on: inputs and the
// effect bus 9 (1 red, 2 yellow, 6 green from the top), outputs 8 (1, 3,
// 4), the limit lamps 1; a position lights that many segments from the
// bottom, the scale's top lights them all.
TEST(StripPages, MetersHaveTheLevelScalesSegments) {
  MainWindow();
  struct Meter {
    std::string name;
    int red, yellow, green;
  };
  std::vector<Meter> meters = {
      {"pbLevelInA", 1, 2, 6}, {"pbLevelOut1", 1, 3, 4}, {"pbLimitOut1", 1, 0, 0}, {"pbLevelEff", 1, 2, 6}};
  for (int k = 0; k < 8; ++k) {
    meters.push_back({"pbLevelBackupIn" + In(k), 1, 2, 6});
    meters.push_back({"pbLevelBackupOut" + Out(k), 1, 3, 4});
    meters.push_back({"pbLimitBackupOut" + Out(k), 1, 0, 0});
  }
  for (const Meter& m : meters) {
    SCOPED_TRACE(m.name);
    auto* bar = dynamic_cast<LProgressBar*>(Control(m.name));
    ASSERT_NE(bar, nullptr);
    const int count = m.red + m.yellow + m.green;
    ASSERT_EQ(bar->GetSegmentCount(), count);
    EXPECT_EQ(bar->GetFirstNum(), m.red);
    EXPECT_EQ(bar->GetSecondNum(), m.yellow);
    EXPECT_EQ(bar->GetThirdNum(), m.green);
    auto lit = [&] {
      int n = 0;
      for (int s = 0; s < count; ++s) {
        const TColor c = bar->GetSegment(s)->GetBrush()->GetColor();
        n += c == bar->GetLFirstColor() || c == bar->GetLSecondColor() || c == bar->GetLThirdColor();
      }
      return n;
    };
    EXPECT_EQ(lit(), 0);
    bar->SetPosition(count);
    EXPECT_EQ(lit(), count);
    bar->SetPosition(count - 1);
    EXPECT_EQ(lit(), count - 1);
    // One short of the top leaves the red top segment dark.
    EXPECT_NE(bar->GetSegment(0)->GetBrush()->GetColor(), bar->GetLFirstColor());
    bar->SetPosition(0);
  }
}

}  // namespace

namespace {

// After the window's own language pass, in each language, every caption
// on the strip pages fits its control.
TEST(StripPages, CaptionsOfTheLanguagePassFit) {
  TfmMain* form = MainWindow();
  TBitmap bmp;
  bmp.SetWidth(8);
  bmp.SetHeight(8);
  TCanvas* canvas = bmp.GetCanvas();
  for (const std::string_view language : {LanguageChineseGB, LanguageEnglish}) {
    SwitchLanguage(language);
    int checked = 0;
    for (int i = 0; i < form->GetComponentCount(); ++i) {
      auto* c = dynamic_cast<TControl*>(form->GetComponents(i));
      if (!c || c->GetCaption().empty() || !StripBoxes().count(PageBoxOf(c))) continue;
      // Pixels beside the text: a key's edge, an LED and its gap, a button's bevel.
      int room = -1;
      if (dynamic_cast<TLabel*>(c)) room = 0;
      if (dynamic_cast<TRzBmpButton*>(c)) room = 8;
      if (dynamic_cast<TVrPowerButton*>(c)) room = 14;
      if (dynamic_cast<TVrDemoButton*>(c)) room = 6;
      if (room < 0) continue;
      canvas->Font->Assign(c->GetFont());
      EXPECT_LE(canvas->TextWidth(c->GetCaption()) + room, c->GetWidth())
          << c->GetName() << " '" << c->GetCaption() << "' in " << language;
      ++checked;
    }
    EXPECT_GT(checked, 300) << language;
  }
}

}  // namespace

namespace {

bool Overlap(TControl* a, TControl* b) {
  return a->GetLeft() < b->GetLeft() + b->GetWidth() && b->GetLeft() < a->GetLeft() + a->GetWidth() &&
         a->GetTop() < b->GetTop() + b->GetHeight() && b->GetTop() < a->GetTop() + a->GetHeight();
}

// The controls of a strip plot box stand apart at the design size and stay
// apart when the window is W pixels wider and its width rules move some of
// them (applied here as the rules give them, since the window's own pass
// stops at the first control of a page not built yet).
TEST(StripPages, PlotBoxControlsStayApartWhenTheWindowWidens) {
  MainWindow();
  struct Rule {
    std::string name;
    int left, leftPerW, width, widthPerW;  // value = base + W * perW / 2; base -1: unchanged
  };
  std::vector<Rule> rules = {{"fftDrawEff", -1, 0, 1070, 2},    {"vrbEqBypassEff", 776, 2, -1, 0},
                             {"vrbEqResetEff", 857, 2, -1, 0},  {"vrbEqShowAllEff", 934, 2, -1, 0},
                             {"rzgFftEff", -1, 0, 1112, 2},     {"rzgFftGain", -1, 0, 1112, 2},
                             {"fftDrawGainIn", -1, 0, 530, 1},  {"fftDrawGainOut", 550, 1, 530, 1},
                             {"rzgFftShowChIn", 130, 1, -1, 0}, {"rzgFftShowChOut", 662, 2, -1, 0},
                             {"lbFftGainOut", 600, 1, -1, 0}};
  for (int k = 0; k < 8; ++k)
    for (const std::string& sx : {"In" + In(k), "Out" + Out(k)}) {
      rules.push_back({"rzgFft" + sx, -1, 0, 1112, 2});
      rules.push_back({"fftDraw" + sx, -1, 0, 1070, 2});
      rules.push_back({"vrbEqBypass" + sx, 776, 2, -1, 0});
      rules.push_back({"vrbEqReset" + sx, 857, 2, -1, 0});
      rules.push_back({"vrbEqShowAll" + sx, 934, 2, -1, 0});
      rules.push_back({"rzgFftShowCh" + sx, 420, 1, -1, 0});
    }
  std::vector<TRect> saved;
  for (const Rule& r : rules) saved.push_back(Control(r.name)->GetBoundsRect());
  for (const int w : {0, 40, 120, 300}) {
    for (const Rule& r : rules) {
      TControl* c = Control(r.name);
      c->SetBounds(r.left < 0 ? c->GetLeft() : r.left + w * r.leftPerW / 2, c->GetTop(),
                   r.width < 0 ? c->GetWidth() : r.width + w * r.widthPerW / 2, c->GetHeight());
    }
    for (const std::string box :
         {"rzgFftInA", "rzgFftInH", "rzgFftOut1", "rzgFftOut8", "rzgFftEff", "rzgFftGain"}) {
      auto* parent = dynamic_cast<TWinControl*>(Control(box));
      ASSERT_NE(parent, nullptr);
      for (int i = 0; i < parent->GetControlCount(); ++i) {
        TControl* a = parent->GetControls(i);
        EXPECT_LE(a->GetLeft() + a->GetWidth(), parent->GetWidth())
            << box << " W " << w << ": " << a->GetName();
        for (int j = i + 1; j < parent->GetControlCount(); ++j) {
          TControl* b = parent->GetControls(j);
          EXPECT_FALSE(Overlap(a, b)) << box << " W " << w << ": " << a->GetName() << " and " << b->GetName();
        }
      }
    }
  }
  for (std::size_t i = 0; i < rules.size(); ++i) Control(rules[i].name)->SetBoundsRect(saved[i]);
}

}  // namespace
