// Controls: mouse order, double clicks, capture with enter/leave, wheel,
// keys, focus exits, alignment, inherited colour and font, hints, the
// backing canvas, and a rendered form.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ExtCtrls.h"

using namespace classlib_test;

namespace {

std::string ButtonName(TMouseButton b) {
  return b == mbLeft ? "L" : b == mbRight ? "R" : "M";
}

// Every mouse event of a control, as text.
void Record(TControl* c, std::vector<std::string>& log) {
  c->OnMouseDown = [&log](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back("down " + ButtonName(b) + (s.Contains(ssDouble) ? " double" : "") + " " +
                  std::to_string(x) + "," + std::to_string(y));
  };
  c->OnMouseUp = [&log](TObject*, TMouseButton b, TShiftState, int x, int y) {
    log.push_back("up " + ButtonName(b) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  c->OnMouseMove = [&log](TObject*, TShiftState, int x, int y) {
    log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  c->OnClick = [&log](TObject*) { log.push_back("click"); };
  c->OnDblClick = [&log](TObject*) { log.push_back("dblclick"); };
  c->OnMouseEnter = [&log](TObject*) { log.push_back("enter"); };
  c->OnMouseLeave = [&log](TObject*) { log.push_back("leave"); };
}

using Log = std::vector<std::string>;

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    Messages().clear();
    form = new TForm(Application);
    form->SetBounds(0, 0, 400, 300);
  }
  void TearDown() override {
    if (form) form->Free();
  }
  TCustomControl* Box(const std::string& name, int l, int t, int w, int h, TWinControl* parent = nullptr) {
    auto* b = new TCustomControl(form);
    b->SetName(name);
    b->SetParent(parent ? parent : form);
    b->SetBounds(l, t, w, h);
    return b;
  }
  TForm* form = nullptr;
};

TEST_F(ControlsTest, ClickComesBetweenPressAndReleaseOnlyWhenReleasedInside) {
  auto* box = Box("box", 10, 10, 100, 100);
  form->Show();
  Log log;
  Record(box, log);
  PointerIn(form);
  struct Case {
    int releaseX;
    Qt::MouseButton button;
    Log expected;
  } cases[] = {
      {40, Qt::LeftButton, {"down L 20,20", "click", "up L 40,20"}},
      {150, Qt::LeftButton, {"down L 20,20", "leave", "up L 150,20"}},
      {40, Qt::RightButton, {"down R 20,20", "up R 40,20"}},
  };
  for (const Case& c : cases) {
    Move(box, 20, 20);
    log.clear();
    Press(box, 20, 20, c.button);
    if (c.releaseX > 100) SendMouse(box, QEvent::MouseMove, c.releaseX, 20, Qt::NoButton, c.button);
    Release(box, c.releaseX, 20, c.button);
    Log moves;
    Log rest;
    for (auto& e : log) (e.rfind("move", 0) == 0 || e == "enter" ? moves : rest).push_back(e);
    EXPECT_EQ(rest, c.expected) << c.releaseX;
    // Leave the pointer somewhere neutral.
    Move(form, 300, 250);
  }
}

TEST_F(ControlsTest, SecondPressOfADoubleClickDependsOnTheControlStyle) {
  auto* box = Box("box", 10, 10, 100, 100);
  form->Show();
  Log log;
  Record(box, log);
  auto clickTwice = [&] {
    log.clear();
    // What the toolkit reports for a double click.
    Press(box, 5, 5);
    Release(box, 5, 5);
    Press(box, 5, 5);
    DoubleClick(box, 5, 5);
    Release(box, 5, 5);
    Log kept;
    for (auto& e : log)
      if (e.rfind("move", 0) != 0 && e != "enter") kept.push_back(e);
    return kept;
  };
  EXPECT_EQ(clickTwice(),
            (Log{"down L 5,5", "click", "up L 5,5", "dblclick", "down L double 5,5", "up L 5,5"}));
  box->SetControlStyle(box->GetControlStyle() - TControlStyle{csDoubleClicks});
  EXPECT_EQ(clickTwice(), (Log{"down L 5,5", "click", "up L 5,5", "down L 5,5", "click", "up L 5,5"}));
}

TEST_F(ControlsTest, PressedControlKeepsTheMouseAndStillHearsEnterAndLeave) {
  auto* box = Box("box", 10, 10, 100, 100);
  auto* other = Box("other", 200, 10, 100, 100);
  form->Show();
  Log log;
  Log otherLog;
  Record(box, log);
  Record(other, otherLog);
  PointerIn(form);
  Move(box, 50, 50);
  Press(box, 50, 50);
  EXPECT_TRUE(box->GetMouseCapture());
  SendMouse(box, QEvent::MouseMove, 150, 50, Qt::NoButton, Qt::LeftButton);  // over `other`
  SendMouse(box, QEvent::MouseMove, 60, 50, Qt::NoButton, Qt::LeftButton);
  SendMouse(box, QEvent::MouseMove, 250, 50, Qt::NoButton, Qt::LeftButton);
  Release(box, 250, 50);
  EXPECT_FALSE(box->GetMouseCapture());
  EXPECT_EQ(log, (Log{"enter", "move 50,50", "down L 50,50", "leave", "move 150,50", "enter", "move 60,50",
                      "leave", "move 250,50", "up L 250,50"}));
  // Nothing reached the control under the pointer while the mouse was held.
  for (auto& e : otherLog) EXPECT_TRUE(e == "enter" || e.rfind("move", 0) == 0) << e;
  EXPECT_EQ(std::count(otherLog.begin(), otherLog.end(), "down L 40,40"), 0);
  // Moving on afterwards does not repeat the leave.
  log.clear();
  Move(form, 350, 250);
  EXPECT_TRUE(std::count(log.begin(), log.end(), "leave") == 0);
}

TEST_F(ControlsTest, WheelNotchesAndHandledFlagDecideWhoGetsTheWheel) {
  auto* box = Box("box", 10, 10, 100, 100);
  form->Show();
  int boxUps = 0, formUps = 0, formDowns = 0;
  bool boxHandles = false;
  box->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) {
    ++boxUps;
    handled = boxHandles;
  };
  form->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) {
    ++formUps;
    handled = true;
  };
  form->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) {
    ++formDowns;
    handled = true;
  };
  Wheel(box, 20, 20, 120);  // not handled by the box: its parent gets it
  EXPECT_EQ(boxUps, 1);
  EXPECT_EQ(formUps, 1);
  boxHandles = true;
  Wheel(box, 20, 20, 120);
  EXPECT_EQ(boxUps, 2);
  EXPECT_EQ(formUps, 1);
  Wheel(form, 300, 250, -120);
  EXPECT_EQ(formDowns, 1);
  // Half notches add up to one.
  Wheel(box, 20, 20, 60);
  EXPECT_EQ(boxUps, 2);
  Wheel(box, 20, 20, 60);
  EXPECT_EQ(boxUps, 3);
}

TEST_F(ControlsTest, KeysArriveAsVirtualKeysAndKeyZeroStopsTheControl) {
  auto* panel = Box("panel", 0, 0, 300, 200);
  auto* box = Box("box", 10, 10, 100, 100, panel);
  box->SetTabStop(true);
  ShowAndActivate(form);
  box->SetFocus();
  ASSERT_TRUE(box->Focused());
  Log log;
  box->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState s) {
    log.push_back("down " + std::to_string(key) + (s.Contains(ssShift) ? "+shift" : ""));
    if (key == 'X') key = 0;
  };
  box->OnKeyPress = [&](TObject*, char32_t& ch) { log.push_back("press " + std::to_string(ch)); };
  box->OnKeyUp = [&](TObject*, std::uint16_t& key, TShiftState) {
    log.push_back("up " + std::to_string(key));
  };
  int panelKeys = 0;
  panel->OnKeyDown = [&](TObject*, std::uint16_t&, TShiftState) { ++panelKeys; };

  struct Case {
    int qtKey;
    QString text;
    Qt::KeyboardModifiers mods;
    Log expected;
  } cases[] = {
      {Qt::Key_A, "a", Qt::NoModifier, {"down 65", "press 97", "up 65"}},
      {Qt::Key_A, "A", Qt::ShiftModifier, {"down 65+shift", "press 65", "up 65"}},
      {Qt::Key_Return, "\r", Qt::NoModifier, {"down 13", "press 13", "up 13"}},
      {Qt::Key_PageUp, "", Qt::NoModifier, {"down 33", "up 33"}},
      {Qt::Key_End, "", Qt::NoModifier, {"down 35", "up 35"}},
      {Qt::Key_Up, "", Qt::NoModifier, {"down 38", "up 38"}},
      {Qt::Key_F5, "", Qt::NoModifier, {"down 116", "up 116"}},
      {Qt::Key_7, "7", Qt::KeypadModifier, {"down 103", "press 55", "up 103"}},
      {Qt::Key_X, "x", Qt::NoModifier, {"down 88", "up 88"}},  // handler cleared the key
  };
  for (const Case& c : cases) {
    log.clear();
    Key(box, c.qtKey, c.text, c.mods);
    EXPECT_EQ(log, c.expected) << c.qtKey;
  }
  EXPECT_EQ(panelKeys, 0) << "keys travelled up to the parent";
}

TEST_F(ControlsTest, ExitFiresWhenFocusMovesWithinTheProgramNotWhenTheWindowLosesActivation) {
  auto* a = Box("a", 10, 10, 50, 50);
  auto* b = Box("b", 100, 10, 50, 50);
  a->SetTabStop(true);
  b->SetTabStop(true);
  Log log;
  for (TWinControl* c : {static_cast<TWinControl*>(a), static_cast<TWinControl*>(b)}) {
    c->OnEnter = [&log](TObject* s) { log.push_back("enter " + static_cast<TComponent*>(s)->GetName()); };
    c->OnExit = [&log](TObject* s) { log.push_back("exit " + static_cast<TComponent*>(s)->GetName()); };
  }
  ShowAndActivate(form);
  a->SetFocus();
  b->SetFocus();
  EXPECT_EQ(log, (Log{"enter a", "exit a", "enter b"}));
  EXPECT_EQ(form->GetActiveControl(), b);

  // Another window takes the activation and gives it back: b stays the
  // form's control, and hears nothing.
  log.clear();
  FormGuard keep;
  auto* other = keep(new TForm(Application));
  ShowAndActivate(other);
  ShowAndActivate(form);
  EXPECT_TRUE(log.empty()) << log.front();
  EXPECT_EQ(form->GetActiveControl(), b);

  // Tab moves on through the toolkit's focus chain, with the same events.
  Key(b, Qt::Key_Tab, "\t");
  EXPECT_EQ(log, (Log{"exit b", "enter a"}));

  b->SetVisible(false);
  EXPECT_THROW(b->SetFocus(), EInvalidOperation);
}

TEST_F(ControlsTest, AlignedChildrenShareTheClientAreaAndAnchorsFollowResizes) {
  auto* panel = Box("panel", 0, 0, 200, 100);
  auto* top = Box("top", 0, 0, 10, 20, panel);
  auto* bottom = Box("bottom", 0, 0, 10, 10, panel);
  auto* left = Box("left", 0, 0, 30, 10, panel);
  auto* client = Box("client", 0, 0, 10, 10, panel);
  auto* pinned = Box("pinned", 150, 40, 40, 20, panel);
  auto* stretched = Box("stretched", 40, 70, 100, 10, panel);
  top->SetAlign(alTop);
  bottom->SetAlign(alBottom);
  left->SetAlign(alLeft);
  client->SetAlign(alClient);
  pinned->SetAnchors(TAnchors{akTop, akRight});
  stretched->SetAnchors(TAnchors{akLeft, akTop, akRight});
  auto bounds = [](TControl* c) { return c->GetBoundsRect(); };
  EXPECT_EQ(bounds(top), Rect(0, 0, 200, 20));
  EXPECT_EQ(bounds(bottom), Rect(0, 90, 200, 100));
  EXPECT_EQ(bounds(left), Rect(0, 20, 30, 90));
  EXPECT_EQ(bounds(client), Rect(30, 20, 200, 90));

  panel->SetBounds(0, 0, 300, 150);
  EXPECT_EQ(bounds(top), Rect(0, 0, 300, 20));
  EXPECT_EQ(bounds(bottom), Rect(0, 140, 300, 150));
  EXPECT_EQ(bounds(client), Rect(30, 20, 300, 140));
  EXPECT_EQ(bounds(pinned), Rect(250, 40, 290, 60));
  EXPECT_EQ(bounds(stretched), Rect(40, 70, 240, 80));

  // A hidden aligned child gives its room back.
  top->SetVisible(false);
  EXPECT_EQ(bounds(client), Rect(30, 0, 300, 140));
}

TEST_F(ControlsTest, ColourFontAndHintComeFromTheParentUntilSetOnTheControl) {
  auto* box = Box("box", 0, 0, 10, 10);
  form->SetColor(clRed);
  EXPECT_EQ(box->GetColor(), clRed);
  box->SetColor(clBlue);
  EXPECT_FALSE(box->GetParentColor());
  form->SetColor(clGreen);
  EXPECT_EQ(box->GetColor(), clBlue);
  box->SetParentColor(true);
  EXPECT_EQ(box->GetColor(), clGreen);

  form->GetFont()->SetName("Tahoma");
  form->GetFont()->SetHeight(-11);
  EXPECT_EQ(box->GetFont()->GetHeight(), -11);
  EXPECT_TRUE(box->GetParentFont());
  box->GetFont()->SetHeight(-20);
  EXPECT_FALSE(box->GetParentFont());
  form->GetFont()->SetHeight(-13);
  EXPECT_EQ(box->GetFont()->GetHeight(), -20);

  box->SetHint("Gain|Input gain in dB");
  EXPECT_EQ(box->GetWidget()->toolTip(), "");
  form->SetShowHint(true);
  EXPECT_EQ(box->GetWidget()->toolTip(), "Gain");
  box->SetShowHint(false);
  EXPECT_EQ(box->GetWidget()->toolTip(), "");

  box->SetCursor(crHandPoint);
  EXPECT_EQ(box->GetWidget()->cursor().shape(), Qt::PointingHandCursor);
  box->SetCursor(crDefault);
  EXPECT_FALSE(box->GetWidget()->testAttribute(Qt::WA_SetCursor));
}

TEST_F(ControlsTest, TabOrderIsThePlaceAmongWindowedSiblings) {
  auto* a = Box("a", 0, 0, 10, 10);
  auto* b = Box("b", 20, 0, 10, 10);
  auto* c = Box("c", 40, 0, 10, 10);
  EXPECT_EQ(a->GetTabOrder(), 0);
  EXPECT_EQ(c->GetTabOrder(), 2);
  c->SetTabOrder(0);
  EXPECT_EQ(c->GetTabOrder(), 0);
  EXPECT_EQ(a->GetTabOrder(), 1);
  EXPECT_EQ(b->GetTabOrder(), 2);
  b->SetTabOrder(99);  // past the end: last
  EXPECT_EQ(b->GetTabOrder(), 2);
}

TEST_F(ControlsTest, DrawingOutsideAPaintShowsAtTheNextRepaintAndSurvivesResizing) {
  auto* box = Box("box", 10, 10, 40, 30);
  box->SetColor(clWhite);
  form->Show();
  TCanvas* canvas = box->GetCanvas();
  canvas->Brush->SetColor(clRed);
  canvas->FillRect(Rect(0, 0, 10, 10));
  QImage shot = box->GetWidget()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(20, 20), QColor(255, 255, 255));

  box->SetBounds(10, 10, 80, 60);
  shot = box->GetWidget()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(70, 50), QColor(255, 255, 255));
}

// A meter-like control that paints itself from its state.
class Meter : public TCustomControl {
 public:
  explicit Meter(TComponent* owner) : TCustomControl(owner) {}
  int level = 0;
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    TCanvas* c = GetCanvas();
    c->Brush->SetColor(clBlack);
    c->FillRect(GetClientRect());
    c->Brush->SetColor(clLime);
    c->FillRect(Rect(2, GetHeight() - level, GetWidth() - 2, GetHeight()));
  }
};

TEST_F(ControlsTest, SmokeFormWithControlsRendersItsPixels) {
  form->SetColor(RGB(32, 36, 44));
  form->SetBounds(0, 0, 240, 160);
  auto* meter = new Meter(form);
  meter->SetParent(form);
  meter->SetBounds(20, 20, 30, 120);
  meter->level = 60;
  auto* paintBox = new TPaintBox(form);
  paintBox->SetParent(form);
  paintBox->SetBounds(80, 20, 140, 120);
  paintBox->OnPaint = [paintBox](TObject*) {
    TCanvas* c = paintBox->GetCanvas();
    c->Pen->SetColor(clYellow);
    c->MoveTo(0, 60);
    c->LineTo(140, 60);
    c->Brush->SetColor(clRed);
    c->Ellipse(50, 20, 90, 50);
  };
  ShowAndActivate(form);
  EXPECT_TRUE(WaitFor(
      "the form's window to be exposed", [&] { return form->GetWidget()->windowHandle()->isExposed(); },
      3000));
  QImage shot = form->GetWidget()->grab().toImage();
  ASSERT_TRUE(shot.save("/tmp/classlib-smoke.png"));
  EXPECT_GE(meter->paints, 1);
  EXPECT_EQ(shot.pixelColor(5, 5), QColor(32, 36, 44));               // form background
  EXPECT_EQ(shot.pixelColor(35, 30), QColor(0, 0, 0));                // meter, above the level
  EXPECT_EQ(shot.pixelColor(35, 130), QColor(0, 255, 0));             // meter, below the level
  EXPECT_EQ(shot.pixelColor(80 + 10, 20 + 60), QColor(255, 255, 0));  // paint box line
  EXPECT_EQ(shot.pixelColor(80 + 70, 20 + 35), QColor(255, 0, 0));    // ellipse inside
  EXPECT_EQ(shot.pixelColor(80 + 10, 20 + 10), QColor(32, 36, 44));   // paint box shows the form

  int before = meter->paints;
  meter->level = 100;
  meter->Repaint();
  EXPECT_GT(meter->paints, before);
}

TEST_F(ControlsTest, HandlerMayFreeItsOwnControlAndErrorsAreShown) {
  auto* box = Box("box", 10, 10, 100, 100);
  form->Show();
  box->OnClick = [](TObject* sender) { static_cast<TControl*>(sender)->Free(); };
  Press(box, 5, 5);
  Release(box, 5, 5);
  EXPECT_EQ(form->FindComponent("box"), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  auto* failing = Box("failing", 10, 10, 100, 100);
  int clicks = 0;
  failing->OnClick = [&](TObject*) {
    ++clicks;
    throw Exception("Click failed");
  };
  Press(failing, 5, 5);
  Release(failing, 5, 5);
  Press(failing, 5, 5);
  Release(failing, 5, 5);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(Messages().size(), 2u);
}

}  // namespace
