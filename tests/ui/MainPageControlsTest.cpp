// The main window's parameter pages (Comp, Gate, Delay, Matrix), built the
// way the program builds its forms: every named control of the pages is
// found by name, owned by the main window, of its class, with its Tag and
// GroupIndex, inside its page's boxes; the design-size geometry of meters,
// scale labels, matrix rows and cells and delay rows; the faders' ranges;
// and each page rendered offscreen in English and Chinese, with every
// caption fitting its label.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "dialogs/ProgramForms.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iXYPlot.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLanguage.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"
#include "response/LProgressBar.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"
#include "tests/ui/ProgramFormsTestSupport.h"

using namespace classlib_test;

namespace {

enum class Kind { Box, Panel, Label, Shape, Button, Fader, ValueBox, Meter, Image, PaintBox, XYPlot };

bool IsKind(TComponent* c, Kind kind) {
  switch (kind) {
    case Kind::Box:
      return dynamic_cast<TRzGroupBox*>(c) != nullptr;
    case Kind::Panel:
      return dynamic_cast<TPanel*>(c) != nullptr && dynamic_cast<LProgressBar*>(c) == nullptr;
    case Kind::Label:
      return dynamic_cast<TLabel*>(c) != nullptr;
    case Kind::Shape:
      return dynamic_cast<TShape*>(c) != nullptr;
    case Kind::Button:
      return dynamic_cast<TRzBmpButton*>(c) != nullptr;
    case Kind::Fader:
      return dynamic_cast<TAdvTrackBar*>(c) != nullptr;
    case Kind::ValueBox:
      return dynamic_cast<TCurvyEdit*>(c) != nullptr;
    case Kind::Meter:
      return dynamic_cast<LProgressBar*>(c) != nullptr;
    case Kind::Image:
      return dynamic_cast<TImage*>(c) != nullptr;
    case Kind::PaintBox:
      return dynamic_cast<TPaintBox*>(c) != nullptr;
    case Kind::XYPlot:
      return dynamic_cast<TiXYPlot*>(c) != nullptr;
  }
  return false;
}

// One named control of the pages and what the pages say of it.
struct Named {
  std::string Name;
  Kind Type;
  std::string Page;  // "Comp", "Gate", "Delay" or "Matrix": its boxes are rzgFft and rzgParam + Page
  int Tag;
  int GroupIndex = 0;  // buttons only
};

std::string In(int i) {
  return "In" + std::string(1, static_cast<char>('A' + i));
}
std::string Out(int i) {
  return "Out" + std::to_string(i + 1);
}

// Every name the pages carry, from the families.
std::vector<Named> PageNames() {
  std::vector<Named> t;
  auto add = [&](const std::string& name, Kind kind, const std::string& page, int tag, int group = 0) {
    t.push_back({name, kind, page, tag, group});
  };
  // Comp and Gate: boxes, plot, headings, the selected strip's meter.
  for (const std::string page : {"Comp", "Gate"}) {
    add("rzgFft" + page, Kind::Box, page, 0);
    add("rzgParam" + page, Kind::Box, page, 0);
    add("ip" + page, Kind::XYPlot, page, 0);
    add("lb" + page + "Name", Kind::Label, page, 0);
  }
  const std::vector<std::string> compMarks{"lbLimit", "lbClip", "lb12",  "lb5",  "lb0",
                                           "lbN5",    "lbN15",  "lbN30", "lbN60"};
  const std::vector<std::string> gateMarks{"lbClip", "lb12",  "lb5",   "lb0",  "lbN5",
                                           "lbN15",  "lbN20", "lbN30", "lbN60"};
  auto meter = [&](const std::string& page, const std::string& suffix, int tag) {
    add("plLevel" + page + suffix, Kind::Panel, page, tag);
    add("pbLevel" + page + suffix, Kind::Meter, page, tag);
    for (const std::string& mark : page == "Comp" ? compMarks : gateMarks)
      add(mark + page + suffix, Kind::Label, page, tag);
    if (page == "Comp") add("pbLimitComp" + suffix, Kind::Meter, page, tag);
  };
  meter("Comp", "Out", 0);
  meter("Gate", "In", 0);
  add("lbHeadCompOut", Kind::Label, "Comp", 0);
  add("lbHeadGateIn", Kind::Label, "Gate", 0);
  for (int i = 0; i < 8; ++i) {
    const std::string o = Out(i);
    const int oc = 8 + i;
    meter("Comp", o, oc);
    add("lbComp" + o, Kind::Label, "Comp", oc);
    for (const std::string field : {"Threshold", "Ratio", "Attack", "Release"}) {
      add("isComp" + field + o, Kind::Fader, "Comp", oc);
      add("cvdComp" + field + o, Kind::ValueBox, "Comp", oc);
      add("lbComp" + field + o, Kind::Label, "Comp", oc);
    }
    const std::string x = In(i);
    meter("Gate", x, i);
    add("lbGate" + x, Kind::Label, "Gate", i);
    for (const std::string field : {"Threshold", "Attack", "Release"}) {
      add("isGate" + field + x, Kind::Fader, "Gate", i);
      add("cvdGate" + field + x, Kind::ValueBox, "Gate", i);
      add("lbGate" + field + x, Kind::Label, "Gate", i);
    }
  }
  // Delay.
  add("rzgFftDelay", Kind::Box, "Delay", 0);
  add("rzgParamDelay", Kind::Box, "Delay", 0);
  for (const std::string side : {"In", "Out"}) {
    add("plFftDelay" + side, Kind::Panel, "Delay", 0);
    add("lbFftDelay" + side, Kind::Label, "Delay", 0);
    add("rzpDelay" + side, Kind::Panel, "Delay", 0);
  }
  add("lbDelayInput", Kind::Label, "Delay", 0);
  add("lbDelayOutput", Kind::Label, "Delay", 0);
  add("lbDelaySel", Kind::Label, "Delay", 0);
  add("rzbDelaySelIn", Kind::Button, "Delay", 0, 1);
  add("rzbDelaySelOut", Kind::Button, "Delay", 1, 1);
  add("lbDelayUnit", Kind::Label, "Delay", 0);
  for (int u = 0; u < 3; ++u) add("rzbUnit" + std::to_string(u), Kind::Button, "Delay", u, 2);
  for (int c = 0; c < 16; ++c) {
    const std::string s = c < 8 ? In(c) : Out(c - 8);
    add("isDelay" + s, Kind::Fader, "Delay", c);
    add("cvdDelay" + s, Kind::ValueBox, "Delay", c);
    add("lbDelayLine" + s, Kind::Label, "Delay", c);
    add("imDelay" + s, Kind::Image, "Delay", c);
    add("lbFftDelayTime" + s, Kind::Label, "Delay", c);
    add("lbDelayShow" + s, Kind::Label, "Delay", c);
  }
  // Matrix.
  add("rzgFftMatrix", Kind::Box, "Matrix", 0);
  add("rzgParamMatrix", Kind::Box, "Matrix", 0);
  add("pbMatrix", Kind::PaintBox, "Matrix", 0);
  for (int k = 1; k <= 4; ++k) add("AuxMixLine" + std::to_string(k), Kind::Shape, "Matrix", 0);
  auto cell = [&](const std::string& block, const std::string& suffix, int tag, bool shape) {
    add("lbMatrix" + block + suffix, Kind::Label, "Matrix", tag);
    if (shape) add("spMatrix" + block + suffix, Kind::Shape, "Matrix", tag);
  };
  for (int i = 0; i < 8; ++i) {
    const std::string x = In(i);
    add("plMatrix" + x, Kind::Panel, "Matrix", i);
    cell("Name", x, i, true);
    cell("ChName", x, i, false);
    for (const std::string block : {"Gain", "Gate", "HpLp", "Peq", "Phase", "Delay"}) cell(block, x, i, true);
    const std::string o = Out(i);
    add("plMatrix" + o, Kind::Panel, "Matrix", 8 + i);
    cell("Name", o, 8 + i, true);
    cell("ChName", o, 8 + i, false);
    for (const std::string block : {"Xover", "Peq", "Gain", "Comp", "Phase", "Delay", "Mute"})
      cell(block, o, 8 + i, true);
    for (int t = 0; t < 8; ++t)
      add("rzb" + std::string(1, static_cast<char>('A' + t)) + "Matrix" + o, Kind::Button, "Matrix", t,
          t + 1);
    add("rzbEffMatrix" + o, Kind::Button, "Matrix", 8, 9);
  }
  add("plMatrixEff", Kind::Panel, "Matrix", 18);
  cell("ChName", "Eff", 18, false);
  cell("Mute", "Eff", 18, false);
  for (const std::string block : {"Sel", "Efx", "Peq", "Comp"}) cell(block, "Eff", 18, true);
  return t;
}

// One set of the program's forms for the suite, freed at its end.
class MainPages : public program_forms_test::ProgramFormsSuite {
 protected:
  template <typename T>
  static T* Get(const std::string& name) {
    auto* c = dynamic_cast<T*>(fmMain->FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
};

TEST_F(MainPages, EveryNamedControlIsFoundOwnedAndTagged) {
  ASSERT_NE(fmMain, nullptr);
  const std::vector<Named> names = PageNames();
  EXPECT_EQ(names.size(), 876u);
  for (const Named& n : names) {
    SCOPED_TRACE(n.Name);
    TComponent* c = fmMain->FindComponent(n.Name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetOwner(), fmMain);
    EXPECT_TRUE(IsKind(c, n.Type));
    EXPECT_EQ(c->GetTag(), n.Tag);
    if (auto* button = dynamic_cast<TRzBmpButton*>(c)) {
      EXPECT_EQ(button->GetGroupIndex(), n.GroupIndex);
      EXPECT_EQ(button->GetAllowAllUp(), n.Page == "Matrix");
    }
    // It sits in one of its page's two boxes, and they in the main box.
    auto* control = dynamic_cast<TControl*>(c);
    ASSERT_NE(control, nullptr);
    const std::string upper = "rzgFft" + n.Page, lower = "rzgParam" + n.Page;
    TWinControl* box = n.Type == Kind::Box ? dynamic_cast<TWinControl*>(control) : control->GetParent();
    while (box && box->GetName() != upper && box->GetName() != lower) box = box->GetParent();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetParent(), fmMain->GetMainBox());
  }
}

TEST_F(MainPages, NoNameIsGivenTwice) {
  std::map<std::string, int> seen;
  for (int i = 0; i < fmMain->GetComponentCount(); ++i) {
    std::string name = fmMain->GetComponents(i)->GetName();
    for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (!name.empty()) ++seen[name];
  }
  for (const auto& [name, count] : seen) EXPECT_EQ(count, 1) << name;
}

// The pages start hidden (the Gain page is the first shown); on the Delay
// page the inputs' side and the ms unit are chosen.
TEST_F(MainPages, StartHiddenWithTheirSelectorsSet) {
  for (const std::string page : {"Comp", "Gate", "Delay", "Matrix"}) {
    EXPECT_FALSE(Get<TControl>("rzgFft" + page)->GetVisible()) << page;
    EXPECT_FALSE(Get<TControl>("rzgParam" + page)->GetVisible()) << page;
  }
  EXPECT_TRUE(Get<TRzBmpButton>("rzbDelaySelIn")->GetDown());
  EXPECT_TRUE(Get<TRzBmpButton>("rzbUnit0")->GetDown());
  EXPECT_TRUE(Get<TControl>("plFftDelayIn")->GetVisible());
  EXPECT_FALSE(Get<TControl>("plFftDelayOut")->GetVisible());
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Get<TLabel>("lbMatrixDelay" + In(i))->GetFont()->GetColor(), clWhite);
}

// The unit buttons are one exclusive group; the routing buttons of an
// output are independent toggles.
TEST_F(MainPages, SelectorsAreExclusiveAndRoutingButtonsIndependent) {
  auto* m = Get<TRzBmpButton>("rzbUnit1");
  m->SetDown(true);
  EXPECT_FALSE(Get<TRzBmpButton>("rzbUnit0")->GetDown());
  Get<TRzBmpButton>("rzbUnit0")->SetDown(true);
  EXPECT_FALSE(m->GetDown());

  auto* a = Get<TRzBmpButton>("rzbAMatrixOut3");
  auto* c = Get<TRzBmpButton>("rzbCMatrixOut3");
  auto* fx = Get<TRzBmpButton>("rzbEffMatrixOut3");
  a->SetDown(true);
  c->SetDown(true);
  fx->SetDown(true);
  EXPECT_TRUE(a->GetDown() && c->GetDown() && fx->GetDown());
  for (TRzBmpButton* b : {a, c, fx}) {
    b->SetDown(false);
    EXPECT_FALSE(b->GetDown());
  }
}

// The transfer plots: both axes from -100 to +20 dB, a curve channel and a
// threshold-marker channel.
TEST_F(MainPages, TransferPlotsHaveTheirAxesAndTwoChannels) {
  for (const std::string name : {"ipComp", "ipGate"}) {
    SCOPED_TRACE(name);
    auto* plot = Get<TiXYPlot>(name);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->GetChannelCount(), 2);
    for (const TiPlotAxis* axis :
         {static_cast<TiPlotAxis*>(plot->GetXAxis(0)), static_cast<TiPlotAxis*>(plot->GetYAxis(0))}) {
      EXPECT_DOUBLE_EQ(axis->GetMin(), -100);
      EXPECT_DOUBLE_EQ(axis->GetSpan(), 120);
    }
  }
}

struct Range {
  std::string Stem;  // with the side, without the strip
  int Min, Max, Position, PageSize;
  std::string Text;  // the value box's
};

// Positions and texts are the model's factory set, written by the start-up
// refresh.
TEST_F(MainPages, FadersHaveTheirRangesAndBoxesTheirTexts) {
  const std::vector<Range> ranges{{"CompThresholdOut", -180, 40, 40, 10, "+20.0dB"},
                                  {"CompRatioOut", 0, 15, 0, 10, "1:1.0"},
                                  {"CompAttackOut", 0, 998, 49, 10, "50ms"},
                                  {"CompReleaseOut", 0, 2999, 199, 10, "200ms"},
                                  {"GateThresholdIn", -180, 40, -180, 10, "-90.0dB"},
                                  {"GateAttackIn", 0, 998, 0, 10, "1ms"},
                                  {"GateReleaseIn", 0, 2999, 2999, 10, "3000ms"},
                                  {"DelayIn", 0, 32640, 0, 6, "0.000 ms"},
                                  {"DelayOut", 0, 32640, 0, 6, "0.000 ms"}};
  for (const Range& r : ranges) {
    for (int i = 0; i < 8; ++i) {
      const std::string suffix =
          r.Stem.ends_with("In") ? std::string(1, static_cast<char>('A' + i)) : std::to_string(i + 1);
      SCOPED_TRACE(r.Stem + suffix);
      auto* fader = Get<TAdvTrackBar>("is" + r.Stem + suffix);
      ASSERT_NE(fader, nullptr);
      EXPECT_EQ(fader->GetMin(), r.Min);
      EXPECT_EQ(fader->GetMax(), r.Max);
      EXPECT_EQ(fader->GetPosition(), r.Position);
      EXPECT_EQ(fader->GetPageSize(), r.PageSize);
      EXPECT_EQ(Get<TCurvyEdit>("cvd" + r.Stem + suffix)->GetText(), r.Text);
    }
  }
}

// Meters: input scale 9 segments (1 red, 2 yellow, 6 green), output scale 8
// (1, 3, 4), limit lamps one segment; a position counts lit segments.
TEST_F(MainPages, MetersHaveTheirScales) {
  struct Scale {
    std::string Name;
    int Red, Yellow, Green;
  };
  std::vector<Scale> scales{
      {"pbLevelCompOut", 1, 3, 4}, {"pbLimitCompOut", 1, 0, 0}, {"pbLevelGateIn", 1, 2, 6}};
  for (int i = 0; i < 8; ++i) {
    scales.push_back({"pbLevelCompOut" + std::to_string(i + 1), 1, 3, 4});
    scales.push_back({"pbLimitCompOut" + std::to_string(i + 1), 1, 0, 0});
    scales.push_back({"pbLevelGateIn" + std::string(1, static_cast<char>('A' + i)), 1, 2, 6});
  }
  for (const Scale& s : scales) {
    SCOPED_TRACE(s.Name);
    auto* m = Get<LProgressBar>(s.Name);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->GetFirstNum(), s.Red);
    EXPECT_EQ(m->GetSecondNum(), s.Yellow);
    EXPECT_EQ(m->GetThirdNum(), s.Green);
    EXPECT_EQ(m->GetMax(), s.Red + s.Yellow + s.Green);
    EXPECT_EQ(m->GetPosition(), 0);
  }
}

// The design-size geometry that the window's resizing rules start from.
struct Place {
  std::string Name;
  std::optional<int> Left, Top, Width, Height;
};

std::vector<Place> DesignGeometry() {
  std::vector<Place> p;
  for (const std::string box : {"rzgFftComp", "rzgFftGate", "rzgFftDelay", "rzgFftMatrix"})
    p.push_back({box, 0, {}, 1112, 284});
  for (const std::string box : {"rzgParamComp", "rzgParamGate", "rzgParamDelay", "rzgParamMatrix"})
    p.push_back({box, 20, 292, {}, {}});
  p.push_back({"plFftDelayIn", {}, {}, 520, 234});
  p.push_back({"plFftDelayOut", {}, {}, 1055, 234});
  p.push_back({"lbFftDelayIn", {}, {}, 520, {}});
  p.push_back({"lbFftDelayOut", {}, {}, 1055, {}});
  p.push_back({"ipComp", {}, {}, 587, 230});
  p.push_back({"ipGate", {}, {}, 587, 230});
  p.push_back({"lbCompName", {}, {}, 538, {}});
  p.push_back({"lbGateName", {}, {}, 538, {}});
  p.push_back({"plLevelCompOut", {}, {}, {}, 247});
  p.push_back({"plLevelGateIn", {}, {}, {}, 247});
  p.push_back({"pbLevelCompOut", {}, 54, {}, 185});
  p.push_back({"pbLimitCompOut", {}, {}, {}, 22});
  p.push_back({"pbLevelGateIn", {}, 32, {}, 208});
  const std::vector<std::string> compMarks{"lbLimit", "lbClip", "lb12",  "lb5",  "lb0",
                                           "lbN5",    "lbN15",  "lbN30", "lbN60"};
  const int compHead[] = {32, 56, 79, 102, 124, 149, 172, 195, 219};
  const int compStrip[] = {35, 58, 81, 105, 128, 151, 175, 198, 222};
  const std::vector<std::string> gateMarks{"lbClip", "lb12",  "lb5",   "lb0",  "lbN5",
                                           "lbN15",  "lbN20", "lbN30", "lbN60"};
  const int gateTops[] = {36, 59, 82, 105, 129, 152, 175, 198, 222};
  for (int k = 0; k < 9; ++k) {
    p.push_back({compMarks[k] + "CompOut", {}, compHead[k], {}, {}});
    p.push_back({gateMarks[k] + "GateIn", {}, gateTops[k], {}, {}});
  }
  for (int i = 0; i < 8; ++i) {
    const std::string n = std::to_string(i + 1), x(1, static_cast<char>('A' + i));
    p.push_back({"plLevelCompOut" + n, 659 + 53 * i, {}, {}, 247});
    p.push_back({"plLevelGateIn" + x, 659 + 53 * i, {}, {}, 247});
    p.push_back({"pbLevelCompOut" + n, {}, 55, {}, 185});
    p.push_back({"pbLimitCompOut" + n, {}, {}, {}, 22});
    p.push_back({"pbLevelGateIn" + x, {}, 32, {}, 208});
    for (int k = 0; k < 9; ++k) {
      p.push_back({compMarks[k] + "CompOut" + n, {}, compStrip[k], {}, {}});
      p.push_back({gateMarks[k] + "GateIn" + x, {}, gateTops[k], {}, {}});
    }
    // Matrix rows and cells.
    p.push_back({"plMatrixIn" + x, {}, 29 * i + 17, 415, {}});
    p.push_back({"plMatrixOut" + n, 561, 30 * i + 23, 510, {}});
    for (const std::string cell : {"lbMatrixNameIn", "lbMatrixChNameIn"})
      p.push_back({cell + x, 0, {}, 70, {}});
    p.push_back({"spMatrixNameIn" + x, 0, {}, 58, {}});
    const std::pair<const char*, int> inCells[] = {{"Gain", 77}, {"Gate", 134},  {"HpLp", 191},
                                                   {"Peq", 248}, {"Phase", 305}, {"Delay", 362}};
    for (const auto& [cell, left] : inCells)
      for (const std::string kind : {"lbMatrix", "spMatrix"})
        p.push_back({kind + cell + "In" + x, left, {}, 50, {}});
    const std::pair<const char*, int> outCells[] = {{"Xover", 2},  {"Peq", 61},    {"Gain", 121},
                                                    {"Comp", 180}, {"Phase", 240}, {"Delay", 298},
                                                    {"Mute", 359}};
    for (const auto& [cell, left] : outCells)
      for (const std::string kind : {"lbMatrix", "spMatrix"})
        p.push_back({kind + cell + "Out" + n, left, {}, 50, {}});
    p.push_back({"lbMatrixNameOut" + n, 418, {}, 80, {}});
    p.push_back({"lbMatrixChNameOut" + n, 419, {}, 80, {}});
    p.push_back({"spMatrixNameOut" + n, 416, {}, 58, {}});
    // Delay rows.
    for (const std::string& side : {"In" + x, "Out" + n}) {
      const int top = 28 * i + 2;
      p.push_back({"imDelay" + side, 40, top, 30, 30});
      p.push_back({"lbDelayLine" + side, 40, top, side[0] == 'I' ? 475 : 1006, 29});
      p.push_back({"lbDelayShow" + side, {}, top + 6, {}, {}});
      p.push_back({"lbFftDelayTime" + side, 70, top + 7, {}, {}});
    }
  }
  p.push_back({"plMatrixEff", {}, 249, 415, {}});
  p.push_back({"lbMatrixChNameEff", 0, {}, 70, {}});
  const std::pair<const char*, int> effCells[] = {{"Sel", 191}, {"Efx", 248}, {"Peq", 305}, {"Comp", 362}};
  for (const auto& [cell, left] : effCells)
    for (const std::string kind : {"lbMatrix", "spMatrix"})
      p.push_back({kind + cell + "Eff", left, {}, 50, {}});
  p.push_back({"pbMatrix", 465, 26, 97, 240});
  p.push_back({"AuxMixLine1", 434, {}, {}, 214});
  p.push_back({"AuxMixLine2", 210, 246, 228, {}});
  p.push_back({"AuxMixLine3", 159, {}, {}, {}});
  p.push_back({"AuxMixLine4", 159, {}, {}, {}});
  return p;
}

TEST_F(MainPages, DesignSizeGeometry) {
  for (const Place& p : DesignGeometry()) {
    SCOPED_TRACE(p.Name);
    auto* c = Get<TControl>(p.Name);
    ASSERT_NE(c, nullptr);
    if (p.Left) {
      EXPECT_EQ(c->GetLeft(), *p.Left);
    }
    if (p.Top) {
      EXPECT_EQ(c->GetTop(), *p.Top);
    }
    if (p.Width) {
      EXPECT_EQ(c->GetWidth(), *p.Width);
    }
    if (p.Height) {
      EXPECT_EQ(c->GetHeight(), *p.Height);
    }
  }
  // The mix lines' ends meet: down the inputs' side, then along to the
  // effect row's SEL; the entry lines ride in the effect row.
  auto* down = Get<TControl>("AuxMixLine1");
  auto* along = Get<TControl>("AuxMixLine2");
  EXPECT_EQ(down->GetTop() + down->GetHeight(), along->GetTop());
  EXPECT_EQ(along->GetLeft() + along->GetWidth(), down->GetLeft() + down->GetWidth() + 2);
  EXPECT_EQ(Get<TControl>("AuxMixLine3")->GetParent(), Get<TControl>("plMatrixEff"));
  EXPECT_EQ(Get<TControl>("AuxMixLine4")->GetParent(), Get<TControl>("plMatrixEff"));
  // A delay marker ends its travel in the line: at the fader's maximum its
  // left is the line's width less 90, plus 40, and its time text still
  // fits the panel.
  for (const std::string side : {"In", "Out"}) {
    auto* line = Get<TControl>("lbDelayLine" + side + (side == "In" ? "A" : "1"));
    auto* panel = Get<TControl>("plFftDelay" + side);
    auto* time = Get<TControl>("lbFftDelayTime" + side + (side == "In" ? "A" : "1"));
    const int lastLeft = line->GetWidth() - 90 + 40;
    EXPECT_LE(lastLeft + 30 + time->GetWidth(), panel->GetWidth()) << side;
  }
}

// A delay line's dash run reaches its marker: a dash is six pixels wide in
// the line's font, so (marker left - 40) / 6 dashes end at the marker.
TEST_F(MainPages, DelayDashesAreSixPixelsWide) {
  for (const std::string name : {"lbDelayLineInA", "lbDelayLineOut8"}) {
    auto* line = Get<TLabel>(name);
    ASSERT_NE(line, nullptr);
    const std::string caption = line->GetCaption();
    line->SetCaption(std::string(60, '-'));
    EXPECT_NEAR(line->TextSize().cx, 360, 12) << name;
    line->SetCaption(caption);
  }
}

// ---- the pages on screen

// The captions the language pass gives these pages, by key.
std::vector<std::pair<std::string, std::string>> LanguageCaptions() {
  std::vector<std::pair<std::string, std::string>> c{
      {"lbDelaySel", "SID_CH_SELECT"},  {"rzbDelaySelIn", "SID_IN"},        {"rzbDelaySelOut", "SID_OUT"},
      {"lbDelayInput", "SID_IN"},       {"lbDelayOutput", "SID_OUT"},       {"lbDelayUnit", "SID_DELAY_UNIT"},
      {"lbFftDelayIn", "SID_IN_DELAY"}, {"lbFftDelayOut", "SID_OUT_DELAY"}, {"rzbUnit0", "SID_UNIT_MS"},
      {"rzbUnit1", "SID_UNIT_M"},       {"rzbUnit2", "SID_UNIT_FT"}};
  for (int i = 0; i < 8; ++i) {
    const std::string x(1, static_cast<char>('A' + i)), n = std::to_string(i + 1);
    c.push_back({"lbGateThresholdIn" + x, "SID_COMP_THRESHOLD"});
    c.push_back({"lbGateAttackIn" + x, "SID_COMP_ATTACK"});
    c.push_back({"lbGateReleaseIn" + x, "SID_COMP_RELEASE"});
    c.push_back({"lbCompRatioOut" + n, "SID_COMP_RATIO"});
    c.push_back({"lbCompThresholdOut" + n, "SID_COMP_THRESHOLD"});
    c.push_back({"lbCompAttackOut" + n, "SID_COMP_ATTACK"});
    c.push_back({"lbCompReleaseOut" + n, "SID_COMP_RELEASE"});
  }
  return c;
}

void ApplyCaptions(std::string_view language) {
  for (const auto& [name, key] : LanguageCaptions())
    if (auto* c = dynamic_cast<TControl*>(fmMain->FindComponent(name)))
      c->SetCaption(GetLangText(language, key));
  auto* comp = dynamic_cast<TControl*>(fmMain->FindComponent("lbCompName"));
  auto* gate = dynamic_cast<TControl*>(fmMain->FindComponent("lbGateName"));
  comp->SetCaption("Out 1  " + GetLangText(language, "SID_COMP"));
  gate->SetCaption("In 1  " + GetLangText(language, "SID_GATE"));
}

// Every label of a page box holds its caption (labels with a caption only).
void ExpectCaptionsFit(TWinControl* box) {
  for (int i = 0; i < box->GetControlCount(); ++i) {
    TControl* c = box->GetControls(i);
    if (auto* label = dynamic_cast<TLabel*>(c); label && !label->GetCaption().empty()) {
      EXPECT_LE(label->TextSize().cx, label->GetWidth())
          << label->GetName() << " '" << label->GetCaption() << "'";
      EXPECT_LE(label->TextSize().cy, label->GetHeight() + 2) << label->GetName();
    }
    if (auto* child = dynamic_cast<TWinControl*>(c)) ExpectCaptionsFit(child);
  }
}

// Shows only the page's two boxes in the main box, grabs the main box to
// folder/file, and puts the boxes' visibility back.
QImage RenderPage(const std::string& page, const std::string& path) {
  TWinControl* mainBox = fmMain->GetMainBox();
  std::vector<std::pair<TControl*, bool>> was;
  for (int i = 0; i < mainBox->GetControlCount(); ++i) {
    TControl* c = mainBox->GetControls(i);
    was.push_back({c, c->GetVisible()});
    c->SetVisible(c->GetName() == "rzgFft" + page || c->GetName() == "rzgParam" + page);
  }
  DrainEvents();
  QImage shot = mainBox->GetWidget()->grab().toImage();
  EXPECT_TRUE(shot.save(QString::fromStdString(path)));
  for (auto& [c, visible] : was) c->SetVisible(visible);
  return shot;
}

void SeedTransferCurves() {
  // The start-up seeds of the transfer curves, where start-up has not set them.
  for (const auto& [name, curve, marker] :
       {std::tuple{"ipComp", std::vector<std::pair<double, double>>{{20, 20}, {-10, -10}, {-100, -100}},
                   std::pair{19.8, 20.4}},
        std::tuple{"ipGate", std::vector<std::pair<double, double>>{{20, 20}, {-90, -90}, {-90, -100}},
                   std::pair{-89.8, -90.4}}}) {
    auto* plot = dynamic_cast<TiXYPlot*>(fmMain->FindComponent(name));
    if (plot->GetChannel(0)->GetCount() == 0)
      for (const auto& [x, y] : curve) plot->GetChannel(0)->AddXY(x, y);
    if (plot->GetChannel(1)->GetCount() == 0) plot->GetChannel(1)->AddXY(marker.first, marker.second);
  }
}

const std::string Folder = "/tmp/mpage/";

TEST_F(MainPages, EachPageRendersInBothLanguages) {
  QDir().mkpath(QString::fromStdString(Folder));
  SeedTransferCurves();
  fmMain->Show();
  for (const std::string language : {"English", "ChineseGB"}) {
    ApplyCaptions(language);
    for (const std::string page : {"Comp", "Gate", "Delay", "Matrix"}) {
      SCOPED_TRACE(language + " " + page);
      for (const std::string& box : {"rzgFft" + page, "rzgParam" + page})
        ExpectCaptionsFit(Get<TWinControl>(box));
      QImage shot = RenderPage(page, Folder + page + "-" + language + ".png");
      // Probe: the page's boxes painted their dark face, not the default.
      const QRgb back = shot.pixel(1110, 100);
      EXPECT_LT(qRed(back) + qGreen(back) + qBlue(back), 200);
    }
  }
  ApplyCaptions("English");
  fmMain->Hide();
  DrainEvents();
}

// A larger window: the pages take the extra room as the resizing rules
// hand it out; the pictures are for looking at.
TEST_F(MainPages, PagesRenderInALargerWindow) {
  const int width = fmMain->GetWidth(), height = fmMain->GetHeight();
  fmMain->Show();
  fmMain->SetWidth(width + 210);
  fmMain->SetHeight(height + 90);
  DrainEvents();
  for (const std::string page : {"Comp", "Gate", "Delay", "Matrix"})
    RenderPage(page, Folder + page + "-large.png");
  fmMain->SetWidth(width);
  fmMain->SetHeight(height);
  fmMain->Hide();
  DrainEvents();
}

}  // namespace
