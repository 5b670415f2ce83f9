// The parameter dialogs: echo and reverb, the effect-bus compressor, automix
// and camera, group and sub control, test signal and the preamplifier. The
// frames their edits send, the texts of their value boxes, the compressor's
// transfer curve, the silence of loading and refreshing, and a picture of
// each in both languages filled from a distinctive set.

#include <gtest/gtest.h>

#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "dialogs/Fautomix.h"
#include "dialogs/Fcamera.h"
#include "dialogs/Fcomp.h"
#include "dialogs/Fgroupctrl.h"
#include "dialogs/Fphantompotent.h"
#include "dialogs/Frvb.h"
#include "dialogs/Fsubctrl.h"
#include "dialogs/Ftest.h"
#include "instruments/base/iLed.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iXYPlot.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "mainwindow/FMainLanguage.h"
#include "platform/classlib/ControlImage.h"
#include "platform/classlib/StdCtrls.h"
#include "tests/ui/FrameRecordTestSupport.h"

using namespace frame_record_test;
using ui_test::Find;

namespace {

template <class T>
T* On(TComponent* form, std::string_view name) {
  auto* found = dynamic_cast<T*>(form->FindComponent(name));
  EXPECT_NE(found, nullptr) << form->GetName() << "." << name;
  return found;
}

std::string Hex(const ByteVector& bytes) {
  std::string text;
  char cell[4];
  for (std::uint8_t b : bytes) {
    std::snprintf(cell, sizeof cell, "%02X ", b);
    text += cell;
  }
  if (!text.empty()) text.pop_back();
  return text;
}

// Clicks a Set key of the Eff page and closes the dialog it opens.
void OpenAndClose(const char* key, TForm* dialog) {
  QTimer::singleShot(0, [dialog] { dialog->SetModalResult(mrCancel); });
  Find<TRzBmpButton>(key)->Click();
}

// The four dialogs of the Eff page, each opened by its Set key and closed.
void OpenEffectDialogs() {
  for (auto [key, dialog] : {std::pair<const char*, TForm*>{"rzbEffectSetEff", fmRvb},
                             {"rzbCompSetEff", fmComp},
                             {"rzbAutoMixSetEff", fmAutoMix},
                             {"rzbCameraSetEff", fmCamera}})
    OpenAndClose(key, dialog);
}

// Moves a fader to a position, through another one so that it fires.
void MoveTo(TAdvTrackBar* fader, int position) {
  fader->SetPosition(position == fader->GetMin() ? fader->GetMax() : fader->GetMin());
  fader->SetPosition(position);
}

// A toggle key as the user clicks it: Down changes, then OnClick.
void Toggle(TComponent* form, std::string_view name) {
  auto* key = On<TRzBmpButton>(form, name);
  key->SetDown(!key->GetDown());
  key->Click();
}

// The dialogs the tests open are written back from the factory set after
// each test: records, sliders, keys and lists as they started.
class ParameterDialogsTest : public FrameRecordSuite {
 protected:
  void SetUp() override {
    FrameRecordSuite::SetUp();
    fmMain->SetSendSink([this](const LCmd& c, bool append) {
      frames.push_back({c.Code, c.Payload});
      raw.push_back({Hex(BuildFrame(c, 1)), append});
    });
  }
  void TearDown() override {
    FrameRecordSuite::TearDown();
    // The main window and the dialogs the refresh writes, as the model is.
    fmMain->RefreshFromModel(Model());
    OpenEffectDialogs();
    ShowGroupAndSub();
    fmMain->SetRefreshing(true);
    fmTest->cbSineFreq->SetItemIndex(0);
    fmMain->SetRefreshing(false);
    fmComp->ilrCompLed->SetActive(false);
    for (TMixGateForm* form : {static_cast<TMixGateForm*>(fmAutoMix), static_cast<TMixGateForm*>(fmCamera)}) {
      form->SetEnabledInputs(0);
      for (int i = 0; i < 8; ++i) form->SetInputLed(i, 0);
    }
    for (char letter = 'A'; letter <= 'H'; ++letter) {
      On<TAdvTrackBar>(fmPhantomPotent, std::string("isGainIn") + letter)->SetPosition(0);
      On<TRzBmpButton>(fmPhantomPotent, std::string("rzbGainPhantomIn") + letter)->SetDown(false);
    }
  }

  // The group and sub dialogs as their menu items show them: records from
  // the model (the refresh writes them), then the show handler.
  static void ShowGroupAndSub() {
    for (int g = 0; g < 8; ++g) fmGroupCtrl->SetGroupCtrlRecord(g, Model()->GetGroupCtrl(g));
    for (int s = 0; s < 2; ++s) fmSubCtrl->SetSubCtrlRecord(s, Model()->GetSubCtrl(s));
    fmGroupCtrl->FormShow(fmGroupCtrl);
    fmSubCtrl->FormShow(fmSubCtrl);
  }

  struct Raw {
    std::string Frame;
    bool Append;
  };
  std::vector<Raw> raw;
};

// ---------------------------------------------------------------- frames

TEST_F(ParameterDialogsTest, EachDialogsEditSendsItsFrame) {
  struct Case {
    const char* what;
    std::function<void()> act;
    std::vector<std::string> last;  // the frames the act ends with
    bool append;
  };
  const std::vector<Case> cases = {
      {"echo delay to 300",
       [] {
         AsReceived([](LUnitControl& m) { m.SetEchoWords({10, 200, 20, 50}); });
         OpenAndClose("rzbEffectSetEff", fmRvb);
         On<TAdvTrackBar>(fmRvb, "isEchoDelay")->SetPosition(300);
       },
       {"10 02 00 01 09 62 0A 00 2C 01 14 00 32 00 10 03 6A"},
       false},
      {"automix threshold to -20 on the factory record",
       [] {
         OpenAndClose("rzbAutoMixSetEff", fmAutoMix);
         On<TAdvTrackBar>(fmAutoMix, "isThreshold")->SetPosition(-20);
       },
       {"10 02 00 01 0C 64 12 63 00 B7 0B A0 00 01 00 00 00 10 03 04"},
       false},
      {"input group 2: In3, In5, mute",
       [] {
         Toggle(fmGroupCtrl, "rzbGroupCtrlSelCInB");
         Toggle(fmGroupCtrl, "rzbGroupCtrlSelEInB");
         Toggle(fmGroupCtrl, "rzbGroupCtrlMuteInB");
       },
       {"10 02 00 01 05 6B 01 64 01 14 10 03 1E"},
       false},
      {"input sub control, In1 then In2",
       [] {
         Toggle(fmSubCtrl, "rzbInSubCtrlSelA");
         Toggle(fmSubCtrl, "rzbInSubCtrlSelB");
       },
       {"10 02 00 01 06 5B 00 64 00 03 00 10 03 3A"},
       false},
      {"1KHz while white noise is on",
       [] {
         AsReceived([](LUnitControl&) { fmTest->rbWhiteNoise->SetChecked(true); });
         fmTest->cbSineFreq->SetItemIndex(17);
         fmTest->cbSineFreq->OnSelect(fmTest->cbSineFreq);
       },
       {"10 02 00 01 03 39 03 11 10 03 28", "10 02 00 01 03 39 03 11 10 03 28"},
       true},
      {"another frequency while the sine wave is on",
       [] {
         AsReceived([](LUnitControl&) { fmTest->rbSineWave->SetChecked(true); });
         fmTest->cbSineFreq->SetItemIndex(0);
         fmTest->cbSineFreq->OnSelect(fmTest->cbSineFreq);
       },
       {"10 02 00 01 03 39 03 00 10 03 39"},
       true},
      {"preamp slider of In1 at -13",
       [] { On<TAdvTrackBar>(fmPhantomPotent, "isGainInA")->SetPosition(-13); },
       {"10 02 00 01 03 55 00 0D 10 03 5B"},
       false},
      {"phantom power of In4 on",
       [] { Toggle(fmPhantomPotent, "rzbGainPhantomInD"); },
       {"10 02 00 01 03 56 03 01 10 03 57"},
       false},
      {"camera default InC",
       [] {
         fmCamera->rzcCameraDefault->SetItemIndex(2);
         fmCamera->rzcCameraDefault->OnChange(fmCamera->rzcCameraDefault);
       },
       {"10 02 00 01 02 57 03 10 03 56"},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    raw.clear();
    c.act();
    ASSERT_GE(raw.size(), c.last.size());
    for (std::size_t i = 0; i < c.last.size(); ++i) {
      const Raw& got = raw[raw.size() - c.last.size() + i];
      EXPECT_EQ(got.Frame, c.last[i]);
      EXPECT_EQ(got.Append, c.append);
    }
  }
  // What the model holds after the edits; the test and preamp dialogs
  // store nothing.
  EXPECT_EQ(Model()->GetEchoWords().Delay, 300);
  EXPECT_EQ(Model()->GetAutoMixGate().Threshold, 160);
  EXPECT_EQ(Model()->GetGroupCtrl(1).ChannelMask, 0x14);
  EXPECT_EQ(Model()->GetGroupCtrl(1).Mute, 1);
  EXPECT_EQ(Model()->GetSubCtrl(0).ChannelMask, 0x03);
  EXPECT_EQ(Model()->GetCameraDefault(), 3);
  EXPECT_EQ(Model()->GetSignalSource(), 0);
  EXPECT_EQ(Model()->GetMicGain(0), 0);
  EXPECT_FALSE(Model()->GetPhantom(3));
}

TEST_F(ParameterDialogsTest, MovesPassOnTheWholeRecordOrTheirField) {
  // Reverb: every move sends all four values.
  AsReceived([](LUnitControl& m) { m.SetReverbWords({50, 12, 139, 30}); });
  OpenAndClose("rzbEffectSetEff", fmRvb);
  On<TAdvTrackBar>(fmRvb, "isRvbTime")->SetPosition(40);
  EXPECT_EQ(raw.back().Frame, "10 02 00 01 09 60 32 00 0C 00 28 00 1E 00 10 03 61");
  EXPECT_EQ(Model()->GetReverbWords().Time, 40);
  // The volume goes with the effect's on/off state.
  AsReceived([](LUnitControl& m) { m.SetEffect(1, 55); });
  On<TAdvTrackBar>(fmRvb, "isEffectVol")->SetPosition(70);
  EXPECT_EQ(frames.back(), (Frame{CommandCode("EFFECT"), {1, 70}}));

  // The compressor passes each fader on as its field of the bus's record.
  OpenAndClose("rzbCompSetEff", fmComp);
  On<TAdvTrackBar>(fmComp, "isRatio")->SetPosition(7);
  On<TAdvTrackBar>(fmComp, "isAttack")->SetPosition(9);
  const CompRecord comp = Model()->GetComp(18);
  EXPECT_EQ(comp.Ratio, 7);
  EXPECT_EQ(comp.Attack, 9);
  EXPECT_EQ(frames.back(), (Frame{CommandCode("CM_MCS_COMP"), {18, 7, 0, 9, 0, 199, 0, 220, 0}}));

  // Releasing the camera's input 1 key clears bit 0 of its mask.
  AsReceived([](LUnitControl& m) { m.SetMatrix(18, 0xFF); });
  OpenAndClose("rzbCameraSetEff", fmCamera);
  fmCamera->FormShow(fmCamera);
  EXPECT_TRUE(On<TRzBmpButton>(fmCamera, "rzbAMatrix")->GetDown());
  Toggle(fmCamera, "rzbAMatrix");
  Toggle(fmCamera, "rzbCMatrix");
  EXPECT_EQ(Model()->GetCameraGate().InputMask, 0x04);
  // The slope list passes its item.
  fmAutoMix->rzcAutoMixSlop->SetItemIndex(3);
  fmAutoMix->rzcAutoMixSlop->OnChange(fmAutoMix->rzcAutoMixSlop);
  EXPECT_EQ(frames.back(), (Frame{CommandCode("AUTOMIX_SLOPE"), {3}}));
  // Group volume and output sub control mute.
  MoveTo(On<TAdvTrackBar>(fmGroupCtrl, "isGroupCtrlVolOut4"), 42);
  EXPECT_EQ(frames.back(), (Frame{CommandCode("CM_MCS_GROUP_CTRL"), {7, 42, 0, 0}}));
  Toggle(fmSubCtrl, "rzbOutSubCtrlMute");
  EXPECT_EQ(frames.back(), (Frame{CommandCode("CM_MCS_DSP_SUB_CTRL"), {1, 100, 1, 0, 0}}));
}

// ---------------------------------------------------------------- texts

TEST_F(ParameterDialogsTest, ValueBoxesShowTheirSlidersInTheirFormats) {
  struct Case {
    TForm* form;
    const char* fader;
    int position;
    const char* text;
  };
  const Case cases[] = {
      {fmRvb, "isRvbTime", 0, "0.1ms"},
      {fmRvb, "isRvbTime", 2, "0.9ms"},
      {fmRvb, "isRvbTime", 9, "10ms"},
      {fmRvb, "isRvbTime", 98, "980ms"},
      {fmRvb, "isRvbTime", 99, "1.00s"},
      {fmRvb, "isRvbTime", 199, "4.00s"},
      {fmRvb, "isEchoGain", 7, "  7"},
      {fmRvb, "isEchoRepeat", 7, "   7"},
      {fmRvb, "isEchoDelay", 300, " 300ms"},
      {fmRvb, "isRvbReflect", 7, " 7"},
      {fmRvb, "isEffectVol", 7, "7"},
      {fmComp, "isAttack", 0, "  1ms"},
      {fmComp, "isRelease", 998, "999ms"},
      {fmComp, "isThreshold", -40, " -20.0dB"},
      {fmComp, "isThreshold", 10, "  +5.0dB"},
      {fmComp, "isRatio", 7, "1:3.0"},
      {fmComp, "isRatio", 15, "Limit"},
      {fmAutoMix, "isThreshold", -20, " -10.0dB"},
      {fmCamera, "isRelease", 4999, "5000ms"},
      {fmGroupCtrl, "isGroupCtrlVolInA", 7, "   7%"},
      {fmGroupCtrl, "isGroupCtrlVolOut1", 100, " 100%"},
      {fmSubCtrl, "isInSubCtrlVol", 7, "   7%"},
      {fmPhantomPotent, "isGainInA", 0, "+ 0.0dB"},
      {fmPhantomPotent, "isGainInB", -12, "-12.0dB"},
      {fmPhantomPotent, "isGainInC", -13, "-14.0dB"},
      {fmPhantomPotent, "isGainInD", -24, "-36.0dB"},
      {fmPhantomPotent, "isGainInE", -25, "-39.0dB"},
      {fmPhantomPotent, "isGainInF", -32, "-60.0dB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.fader) + " " + std::to_string(c.position));
    auto* fader = On<TAdvTrackBar>(c.form, c.fader);
    MoveTo(fader, c.position);
    EXPECT_EQ(On<TCurvyEdit>(c.form, "cvd" + std::string(c.fader).substr(2))->GetText(), c.text);
  }
}

TEST_F(ParameterDialogsTest, EachValueBoxStartsWithItsSlidersText) {
  // A fresh set of the dialogs: an opener that leaves a slider where it
  // stands writes nothing, so the designed text must already match.
  classlib_test::FormGuard made;
  auto* comp = made(new TfmComp(nullptr));
  for (TForm* form :
       std::initializer_list<TForm*>{made(new TfmRvb(nullptr)), comp, made(new TfmAutoMix(nullptr)),
                                     made(new TfmGroupCtrl(nullptr)), made(new TfmPhantomPotent(nullptr))}) {
    for (int i = 0; i < form->GetComponentCount(); ++i) {
      auto* fader = dynamic_cast<TAdvTrackBar*>(form->GetComponents(i));
      if (!fader) continue;
      SCOPED_TRACE(form->GetName() + "." + fader->GetName());
      auto* box = On<TCurvyEdit>(form, "cvd" + fader->GetName().substr(2));
      const std::string designed = box->GetText();
      const int start = fader->GetPosition();
      MoveTo(fader, start == fader->GetMax() ? fader->GetMin() : fader->GetMax());
      fader->SetPosition(start);
      EXPECT_EQ(box->GetText(), designed);
    }
  }
  // The compressor's plot starts drawn from its sliders: the factory
  // record's +20 dB at 1:1.0.
  auto* curve = comp->ipComp->GetChannel(0);
  ASSERT_EQ(curve->GetCount(), 3);
  EXPECT_DOUBLE_EQ(curve->GetX(1), 20.0);
  EXPECT_DOUBLE_EQ(curve->GetY(0), 20.0);
  EXPECT_DOUBLE_EQ(comp->ipComp->GetChannel(1)->GetX(0), 20.2);
}

TEST_F(ParameterDialogsTest, CompressorCurveFollowsThresholdAndRatio) {
  OpenAndClose("rzbCompSetEff", fmComp);
  auto points = [](int channel) {
    std::vector<std::pair<double, double>> out;
    auto* c = fmComp->ipComp->GetChannel(channel);
    for (int i = 0; i < c->GetCount(); ++i) out.emplace_back(c->GetX(i), c->GetY(i));
    return out;
  };
  On<TAdvTrackBar>(fmComp, "isRatio")->SetPosition(7);
  On<TAdvTrackBar>(fmComp, "isThreshold")->SetPosition(-40);
  auto curve = points(0);
  ASSERT_EQ(curve.size(), 3u);
  EXPECT_DOUBLE_EQ(curve[0].first, 20);
  EXPECT_NEAR(curve[0].second, -6.67, 0.005);
  EXPECT_EQ(curve[1], (std::pair<double, double>{-20, -20}));
  EXPECT_EQ(curve[2], (std::pair<double, double>{-100, -100}));
  auto marker = points(1);
  ASSERT_EQ(marker.size(), 1u);
  EXPECT_NEAR(marker[0].first, -19.8, 1e-9);
  EXPECT_NEAR(marker[0].second, -20.4, 1e-9);
  // "Limit": flat from the threshold to input 20 dB.
  On<TAdvTrackBar>(fmComp, "isRatio")->SetPosition(15);
  curve = points(0);
  EXPECT_EQ(curve[0], (std::pair<double, double>{20, -20}));
  EXPECT_EQ(curve[1], (std::pair<double, double>{-20, -20}));
  // Opening on another record redraws from the sliders it writes.
  AsReceived([](LUnitControl& m) { m.SetComp(18, CompRecord{5, 0, 0, 140}); });
  OpenAndClose("rzbCompSetEff", fmComp);
  curve = points(0);
  EXPECT_DOUBLE_EQ(curve[0].second, -20 + 40 / 2.0);
  EXPECT_EQ(curve[1], (std::pair<double, double>{-20, -20}));
}

// ---------------------------------------------------------------- silence

TEST_F(ParameterDialogsTest, OpeningEachDialogSendsNothing) {
  AsReceived([](LUnitControl& m) {
    m.SetEchoWords({33, 222, 44, 66});
    m.SetReverbWords({70, 30, 150, 45});
    m.SetEffect(1, 81);
    m.SetComp(18, CompRecord{9, 20, 300, 100});
    m.SetAutoMixGate({15, 400, 130, 0x05, 1});
    m.SetCameraGate({25, 800, 110, 0x0A, 0});
    m.SetCameraDefault(4);
    m.SetMatrix(18, 0x0F);
    m.SetGroupCtrl(2, {30, 1, 0x81});
    m.SetSubCtrl(1, {60, 1, 0x00F0});
  });
  OpenEffectDialogs();
  ShowGroupAndSub();
  fmAutoMix->FormShow(fmAutoMix);
  EXPECT_TRUE(frames.empty());
  // What was loaded shows.
  EXPECT_EQ(On<TCurvyEdit>(fmRvb, "cvdEchoDelay")->GetText(), " 222ms");
  EXPECT_EQ(On<TCurvyEdit>(fmComp, "cvdRatio")->GetText(), "1:4.0");
  EXPECT_EQ(On<TCurvyEdit>(fmAutoMix, "cvdThreshold")->GetText(), " -25.0dB");
  EXPECT_EQ(fmCamera->rzcCameraDefault->GetItemIndex(), 3);
  EXPECT_EQ(On<TCurvyEdit>(fmGroupCtrl, "cvdGroupCtrlVolInC")->GetText(), "  30%");
  EXPECT_TRUE(On<TRzBmpButton>(fmGroupCtrl, "rzbGroupCtrlMuteInC")->GetDown());
  EXPECT_TRUE(On<TRzBmpButton>(fmGroupCtrl, "rzbGroupCtrlSelHInC")->GetDown());
  EXPECT_FALSE(On<TRzBmpButton>(fmGroupCtrl, "rzbGroupCtrlSelGInC")->GetDown());
  EXPECT_TRUE(On<TRzBmpButton>(fmSubCtrl, "rzbOutSubCtrlSelE")->GetDown());
  EXPECT_EQ(fmGroupCtrl->GetLoading(), 0);
  EXPECT_EQ(fmSubCtrl->GetLoading(), 0);
  // Only inputs that feed the bus can be chosen.
  EXPECT_TRUE(On<TRzBmpButton>(fmAutoMix, "rzbCMatrix")->GetDown());
  EXPECT_TRUE(On<TRzBmpButton>(fmAutoMix, "rzbDMatrix")->GetEnabled());
  EXPECT_FALSE(On<TRzBmpButton>(fmAutoMix, "rzbEMatrix")->GetEnabled());
  // A stored camera default outside 1..8 selects no item.
  for (int stored : {0, 9, 200}) {
    AsReceived([stored](LUnitControl& m) { m.SetCameraDefault(std::uint8_t(stored)); });
    OpenAndClose("rzbCameraSetEff", fmCamera);
    EXPECT_EQ(fmCamera->rzcCameraDefault->GetItemIndex(), -1) << stored;
  }
  EXPECT_TRUE(frames.empty());
}

TEST_F(ParameterDialogsTest, WhileRefreshingGateGroupSubAndTestSendNothing) {
  OpenAndClose("rzbAutoMixSetEff", fmAutoMix);
  fmAutoMix->FormShow(fmAutoMix);
  const MixGateRecord automix = Model()->GetAutoMixGate();
  const GroupCtrlRecord group = Model()->GetGroupCtrl(0);
  AsReceived([](LUnitControl&) {
    On<TAdvTrackBar>(fmAutoMix, "isAttack")->SetPosition(500);
    Toggle(fmAutoMix, "rzbAMatrix");
    fmAutoMix->rzcAutoMixSlop->OnChange(fmAutoMix->rzcAutoMixSlop);
    MoveTo(On<TAdvTrackBar>(fmGroupCtrl, "isGroupCtrlVolInA"), 50);
    Toggle(fmGroupCtrl, "rzbGroupCtrlMuteInA");
    Toggle(fmGroupCtrl, "rzbGroupCtrlSelBInA");
    Toggle(fmSubCtrl, "rzbInSubCtrlSelC");
    fmTest->rbPinkNoise->SetChecked(true);
    fmTest->cbSineFreq->SetItemIndex(5);
    fmTest->cbSineFreq->OnSelect(fmTest->cbSineFreq);
  });
  EXPECT_TRUE(frames.empty());
  EXPECT_EQ(Model()->GetAutoMixGate().Attack, automix.Attack);
  EXPECT_EQ(Model()->GetGroupCtrl(0).ChannelMask, group.ChannelMask);
  // The dialog keeps the change; its record goes out with the next edit.
  EXPECT_EQ(fmGroupCtrl->GetGroupCtrlRecord(0).ChannelMask, 0x02);
  EXPECT_EQ(fmGroupCtrl->GetGroupCtrlRecord(0).Volume, 50);
}

TEST_F(ParameterDialogsTest, AWordBeyondItsSliderGoesBackUnchanged) {
  AsReceived([](LUnitControl& m) { m.SetEchoWords({10, 500, 20, 50}); });
  OpenAndClose("rzbEffectSetEff", fmRvb);
  EXPECT_EQ(On<TCurvyEdit>(fmRvb, "cvdEchoDelay")->GetText(), " 400ms");
  EXPECT_EQ(fmRvb->GetEchoRecord().Delay, 500);
  On<TAdvTrackBar>(fmRvb, "isEchoGain")->SetPosition(60);
  // Pre-delay 10, delay 500, repeat 20, gain 60.
  EXPECT_EQ(raw.back().Frame, "10 02 00 01 09 62 0A 00 F4 01 14 00 3C 00 10 03 BC");
  EXPECT_EQ(Model()->GetEchoWords().Delay, 500);
}

TEST_F(ParameterDialogsTest, TheWheelOverTheSlopeListChangesNothing) {
  fmAutoMix->rzcAutoMixSlop->SetItemIndex(1);
  fmAutoMix->Show();
  auto* list = fmAutoMix->rzcAutoMixSlop;
  for (int delta : {-120, -120, 120})
    classlib_test::Wheel(list, list->GetWidth() / 2, list->GetHeight() / 2, delta);
  EXPECT_EQ(list->GetItemIndex(), 1);
  fmAutoMix->Hide();
  EXPECT_TRUE(frames.empty());
}

// ---------------------------------------------------------------- pictures

// ---------------------------------------------------------------- leaving

// None of these dialogs has an exit key: Escape closes each as its close box
// does, the Eff page's modal ones and the menu's modeless ones alike.
TEST_F(ParameterDialogsTest, EscapeClosesEachDialogAsItsCloseBoxDoes) {
  const auto escape = [](TForm* dialog) { classlib_test::Key(dialog, Qt::Key_Escape, QString(QChar(27))); };
  for (auto [key, dialog] : {std::pair<const char*, TForm*>{"rzbEffectSetEff", fmRvb},
                             {"rzbCompSetEff", fmComp},
                             {"rzbAutoMixSetEff", fmAutoMix},
                             {"rzbCameraSetEff", fmCamera}}) {
    SCOPED_TRACE(dialog->GetName());
    bool stuck = false;
    QTimer::singleShot(0, [&, dialog] { escape(dialog); });
    // A dialog Escape leaves up is ended here, so the test fails instead of hanging.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&, dialog] {
      stuck = dialog->GetVisible();
      dialog->SetModalResult(mrAbort);
    });
    guard.start(10000);
    Find<TRzBmpButton>(key)->Click();
    EXPECT_FALSE(stuck);
    EXPECT_FALSE(dialog->GetVisible());
  }
  for (TForm* dialog : {static_cast<TForm*>(fmGroupCtrl), static_cast<TForm*>(fmSubCtrl),
                        static_cast<TForm*>(fmPhantomPotent)}) {
    SCOPED_TRACE(dialog->GetName());
    dialog->Show();
    classlib_test::DrainEvents();
    ASSERT_TRUE(dialog->GetVisible());
    escape(dialog);
    classlib_test::DrainEvents();
    EXPECT_FALSE(dialog->GetVisible());
    dialog->Hide();
  }
}

TEST_F(ParameterDialogsTest, EveryDialogRendersInBothLanguagesWithItsTextsInPlace) {
  AsReceived([](LUnitControl& m) {
    m.SetEchoWords({35, 280, 64, 72});
    m.SetReverbWords({120, 45, 150, 58});
    m.SetEffect(1, 66);
    m.SetComp(18, CompRecord{7, 24, 380, 110});
    m.SetAutoMixGate({40, 1200, 140, 0x0B, 1});
    m.SetCameraGate({80, 2500, 120, 0x36, 1});
    m.SetCameraDefault(5);
    m.SetMatrix(18, 0x3F);
    m.SetAutoMixSlope(2);
    m.SetGroupCtrl(1, {64, 1, 0x14});
    m.SetGroupCtrl(5, {88, 0, 0xC3});
    m.SetSubCtrl(0, {47, 0, 0x0055});
    m.SetSubCtrl(1, {100, 1, 0x00F0});
  });
  OpenEffectDialogs();
  ShowGroupAndSub();
  fmAutoMix->FormShow(fmAutoMix);
  fmCamera->FormShow(fmCamera);
  fmAutoMix->rzcAutoMixSlop->SetItemIndex(2);
  fmAutoMix->SetEnabledInputs(0x3F);
  fmCamera->SetEnabledInputs(0x3F);
  for (int i = 0; i < 8; ++i) {
    fmAutoMix->SetInputLed(i, i % 3 == 0);
    fmCamera->SetInputLed(i, i == 2);
  }
  fmAutoMix->lbAutoMixGain->SetCaption("-4.8dB");
  fmCamera->lbCameraPos->SetCaption("In3");
  fmComp->ilrCompLed->SetActive(true);
  AsReceived([](LUnitControl&) {
    fmTest->rbSineWave->SetChecked(true);
    fmTest->cbSineFreq->SetItemIndex(17);
  });
  On<TAdvTrackBar>(fmPhantomPotent, "isGainInB")->SetPosition(-13);
  On<TAdvTrackBar>(fmPhantomPotent, "isGainInE")->SetPosition(-28);
  Toggle(fmPhantomPotent, "rzbGainPhantomInB");

  const std::vector<std::pair<TForm*, std::function<void(std::string_view)>>> dialogs = {
      {fmRvb, [](auto l) { fmRvb->SetTexts(l); }},
      {fmComp, [](auto l) { fmComp->SetTexts(l); }},
      {fmAutoMix, [](auto l) { fmAutoMix->SetTexts(l); }},
      {fmCamera, [](auto l) { fmCamera->SetTexts(l); }},
      {fmGroupCtrl, [](auto l) { fmGroupCtrl->SetTexts(l); }},
      {fmSubCtrl, [](auto l) { fmSubCtrl->SetTexts(l); }},
      {fmTest, [](auto l) { fmTest->SetTexts(l); }},
      {fmPhantomPotent, nullptr},
  };
  const char* dir = std::getenv("TAVO_DIALOG_PNG");
  for (std::string_view language : {LanguageEnglish, LanguageChineseGB}) {
    for (const auto& [form, setTexts] : dialogs) {
      SCOPED_TRACE(form->GetName() + " " + std::string(language));
      if (setTexts) setTexts(language);
      const std::string name = form->GetName() + "-" + std::string(language) + ".png";
      EXPECT_TRUE(SaveControlImage(form, ::testing::TempDir() + name));
      if (dir && *dir) {
        EXPECT_TRUE(SaveControlImage(form, std::string(dir) + "/" + name));
      }
      // Every label's text fits its place.
      for (int i = 0; i < form->GetComponentCount(); ++i) {
        auto* label = dynamic_cast<TLabel*>(form->GetComponents(i));
        if (!label || label->GetCaption().empty()) continue;
        TBitmap probe;
        probe.SetSize(8, 8);
        probe.GetCanvas()->GetFont()->Assign(label->GetFont());
        EXPECT_LE(probe.GetCanvas()->TextWidth(label->GetCaption()), label->GetWidth()) << label->GetName();
      }
    }
  }
  EXPECT_EQ(dynamic_cast<TLabel*>(fmGroupCtrl->FindComponent("lbGroupCtrlOut2"))->GetCaption(),
            GetLangText(LanguageChineseGB, "SID_GROUP") + "2");
  for (const auto& [form, setTexts] : dialogs)
    if (setTexts) setTexts(LanguageEnglish);
  EXPECT_EQ(fmPhantomPotent->GetCaption(), "Phantom and  Potentiometer Control");
}

}  // namespace
