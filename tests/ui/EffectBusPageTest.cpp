// The Eff page: gain, mute, whole-EQ bypass, compressor threshold and the
// on/off keys send the bus's commands; the Set keys fill their dialogs from
// the model without sending; the dialogs' forwarders store and send, and
// hold still while the window is refreshing.

#include <gtest/gtest.h>

#include <QTimer>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "controls/VrButtons.h"
#include "dialogs/Fautomix.h"
#include "dialogs/Fcamera.h"
#include "dialogs/Fcomp.h"
#include "dialogs/Frvb.h"
#include "instruments/base/iLed.h"
#include "platform/classlib/StdCtrls.h"
#include "tests/ui/FrameRecordTestSupport.h"

using namespace frame_record_test;
using ui_test::Find;

namespace {

constexpr std::uint8_t Lo(int v) {
  return std::uint8_t(v & 0xFF);
}
constexpr std::uint8_t Hi(int v) {
  return std::uint8_t((v >> 8) & 0xFF);
}

Frame MixGate(int gate, const MixGateRecord& r) {
  return {CommandCode("CM_MCS_MIX_GATE"),
          {std::uint8_t(gate), Lo(r.Attack), Hi(r.Attack), Lo(r.Release), Hi(r.Release), Lo(r.Threshold),
           Hi(r.Threshold), Lo(r.InputMask), Hi(r.InputMask), Lo(r.Reserved), Hi(r.Reserved)}};
}
Frame Effect(int on, int volume) {
  return {CommandCode("EFFECT"), {std::uint8_t(on), std::uint8_t(volume)}};
}

using EffectBusPageTest = FrameRecordSuite;

TEST_F(EffectBusPageTest, GainAndMuteOfTheBus) {
  auto* gain = Find<TAdvTrackBar>("isGainEff");
  gain->SetPosition(-100);
  EXPECT_EQ(frames, (Frames{{CommandCode("CM_MCS_GAIN"), {18, 180, 0}}}));
  EXPECT_EQ(Model()->GetGain(18), 180);
  EXPECT_EQ(Find<TCurvyEdit>("cvdGainEff")->GetText(), fmMain->FormatGainText(-100));
  // While refreshing it stores again without sending.
  frames.clear();
  AsReceived([&](LUnitControl&) { gain->SetPosition(120); });
  EXPECT_TRUE(frames.empty());
  EXPECT_EQ(Model()->GetGain(18), 400);

  UserClick(Find<TControl>("rzbMuteEff"));
  UserClick(Find<TControl>("rzbMuteEff"));
  EXPECT_EQ(frames, (Frames{{CommandCode("CM_MCS_MUTE"), {18, 1}}, {CommandCode("CM_MCS_MUTE"), {18, 0}}}));
  EXPECT_FALSE(Model()->GetMute(18));
}

TEST_F(EffectBusPageTest, CompressorThresholdTextIsAlwaysWritten) {
  auto* fader = Find<TAdvTrackBar>("isCompThresholdEff");
  auto* box = Find<TCurvyEdit>("cvdCompThresholdEff");
  const std::pair<int, const char*> cases[] = {{40, " +20.0dB"}, {10, "  +5.0dB"}, {-180, " -90.0dB"}};
  for (const auto& [position, text] : cases) {
    AsReceived([&](LUnitControl&) {
      fader->SetPosition(0);
      fader->SetPosition(position);
    });
    EXPECT_EQ(box->GetText(), text);
  }
  EXPECT_TRUE(frames.empty());
}

TEST_F(EffectBusPageTest, OnOffKeysSendTheRestAsTheModelHoldsIt) {
  const MixGateRecord automix{10, 20, 160, 0x05, 0}, camera{7, 8, 100, 0x81, 1};
  AsReceived([&](LUnitControl& m) {
    m.SetEffect(0, 77);
    m.SetAutoMixGate(automix);
    m.SetCameraGate(camera);
  });
  auto* effect = Find<TRzBmpButton>("rzbOnOffEff");
  UserClick(effect);
  EXPECT_EQ(effect->GetCaption(), "On");
  fmMain->SetEffectVolume(55);
  UserClick(effect);
  EXPECT_EQ(effect->GetCaption(), "Off");
  UserClick(Find<TControl>("rzbAutoMixOnOffEff"));
  EXPECT_EQ(Find<TRzBmpButton>("rzbAutoMixOnOffEff")->GetCaption(), "On");
  // The camera shows on, as the refresh writes it; the click turns it off.
  auto* cameraKey = Find<TRzBmpButton>("rzbCameraOnOffEff");
  cameraKey->SetDown(true);
  UserClick(cameraKey);
  MixGateRecord automixOn = automix, cameraOff = camera;
  automixOn.Reserved = 1;
  cameraOff.Reserved = 0;
  EXPECT_EQ(frames, (Frames{Effect(1, 77), Effect(1, 55), Effect(0, 55), MixGate(18, automixOn),
                            MixGate(19, cameraOff)}));
  EXPECT_EQ(Model()->GetAutoMixGate().Reserved, 1);
  for (const char* key : {"rzbOnOffEff", "rzbAutoMixOnOffEff"}) Find<TRzBmpButton>(key)->SetDown(false);
}

TEST_F(EffectBusPageTest, EqBypassTogglesTheBusWordAndSendsIt) {
  auto* bypass = Find<TControl>("vrbEqBypassEff");
  UserClick(bypass);
  EXPECT_EQ(Model()->GetEqBypassMask(18), 1);
  UserClick(bypass);
  EXPECT_EQ(Model()->GetEqBypassMask(18), 0);
  // Any other word from the device counts as bypassed.
  AsReceived([](LUnitControl& m) { m.SetEqBypassMask(18, 5); });
  UserClick(bypass);
  EXPECT_EQ(Model()->GetEqBypassMask(18), 0);
  const std::uint8_t code = CommandCode("EQ_BYPASS");
  EXPECT_EQ(frames, (Frames{{code, {18, 1}}, {code, {18, 0}}, {code, {18, 0}}}));
}

// Watches a dialog's faders for one test: each change records whether the
// dialog's fill flag was set.
class FillWatch {
 public:
  FillWatch(TForm* dialog, std::function<int()> filling) : FDialog(dialog), FFilling(std::move(filling)) {}
  ~FillWatch() {
    for (auto& [slider, handler] : FSaved) slider->OnChange = handler;
  }
  TAdvTrackBar* Watch(const std::string& name) {
    auto* slider = dynamic_cast<TAdvTrackBar*>(FDialog->FindComponent(name));
    EXPECT_NE(slider, nullptr) << name;
    if (!slider) return nullptr;
    const TNotifyEvent handler = slider->OnChange;
    FSaved.emplace_back(slider, handler);
    // Away from any value a test fills, so that the fill moves it; quietly.
    slider->OnChange = nullptr;
    slider->SetPosition(slider->GetMax());
    slider->OnChange = [this, handler](TObject* s) {
      flags.push_back(FFilling());
      if (handler) handler(s);
    };
    return slider;
  }
  int Position(const std::string& name) const {
    return dynamic_cast<TAdvTrackBar*>(FDialog->FindComponent(name))->GetPosition();
  }
  std::vector<int> flags;

 private:
  TForm* FDialog;
  std::function<int()> FFilling;
  std::vector<std::pair<TAdvTrackBar*, TNotifyEvent>> FSaved;
};

// Clicks a Set key and closes the dialog it opens; true when it was shown.
bool OpenAndClose(const char* key, TForm* dialog) {
  bool shown = false;
  QTimer::singleShot(0, [&] {
    shown = dialog->GetVisible();
    dialog->SetModalResult(mrCancel);
  });
  Find<TRzBmpButton>(key)->Click();
  return shown;
}

TEST_F(EffectBusPageTest, CompressorOpenerFillsItsDialogWithoutSending) {
  AsReceived([](LUnitControl& m) { m.SetComp(18, CompRecord{7, 30, 200, 140}); });
  FillWatch sliders(fmComp, [] { return fmComp->GetFilling(); });
  for (const char* name : {"isThreshold", "isAttack", "isRelease", "isRatio"}) sliders.Watch(name);
  frames.clear();
  fmComp->ilrCompLed->SetActive(true);
  EXPECT_TRUE(OpenAndClose("rzbCompSetEff", fmComp));
  EXPECT_EQ(sliders.Position("isThreshold"), -40);
  EXPECT_EQ(sliders.Position("isAttack"), 30);
  EXPECT_EQ(sliders.Position("isRelease"), 200);
  EXPECT_EQ(sliders.Position("isRatio"), 7);
  EXPECT_EQ(sliders.flags, std::vector<int>(4, 1));
  EXPECT_EQ(fmComp->GetFilling(), 0);
  EXPECT_FALSE(fmComp->ilrCompLed->GetActive());
  EXPECT_TRUE(frames.empty());
}

TEST_F(EffectBusPageTest, EffectOpenerFillsEchoReverbAndVolume) {
  const EchoRecord echo{20, 300, 40, 60};
  const ReverbRecord reverb{10, 50, 99, 70};
  AsReceived([&](LUnitControl& m) {
    m.SetEchoWords(echo);
    m.SetReverbWords(reverb);
    m.SetEffect(1, 80);
  });
  FillWatch sliders(fmRvb, [] { return int(fmRvb->GetFilling()); });
  const std::pair<const char*, int> expected[] = {
      {"isEchoGain", 60}, {"isEchoRepeat", 40}, {"isEchoDelay", 300}, {"isEchoPreDelay", 20}, {"isRvbGain", 70},
      {"isRvbReflect", 50}, {"isRvbTime", 99}, {"isRvbPreDelay", 10}, {"isEffectVol", 80}};
  for (const auto& [name, value] : expected) sliders.Watch(name);
  frames.clear();
  EXPECT_TRUE(OpenAndClose("rzbEffectSetEff", fmRvb));
  for (const auto& [name, value] : expected) EXPECT_EQ(sliders.Position(name), value) << name;
  EXPECT_EQ(sliders.flags, std::vector<int>(9, 1));
  EXPECT_EQ(fmRvb->GetFilling(), 0);
  EXPECT_EQ(fmRvb->GetEchoRecord().Delay, 300);
  EXPECT_EQ(fmRvb->GetReverbRecord().Time, 99);
  EXPECT_TRUE(frames.empty());
}

TEST_F(EffectBusPageTest, GateOpenersFillTheirRecordsInputsAndDefault) {
  const MixGateRecord automix{5, 100, 160, 0x0F, 1}, camera{6, 90, 120, 0x03, 0};
  AsReceived([&](LUnitControl& m) {
    m.SetMatrix(18, 0x07);
    m.SetAutoMixGate(automix);
    m.SetCameraGate(camera);
  });
  struct Case {
    const char* key;
    TMixGateForm* dialog;
    MixGateRecord gate;
  };
  for (const Case& c :
       {Case{"rzbAutoMixSetEff", fmAutoMix, automix}, Case{"rzbCameraSetEff", fmCamera, camera}}) {
    SCOPED_TRACE(c.key);
    FillWatch sliders(c.dialog, [&c] { return c.dialog->GetFilling(); });
    for (const char* name : {"isThreshold", "isAttack", "isRelease"}) sliders.Watch(name);
    frames.clear();
    EXPECT_TRUE(OpenAndClose(c.key, c.dialog));
    EXPECT_EQ(sliders.Position("isThreshold"), c.gate.Threshold - 180);
    EXPECT_EQ(sliders.Position("isAttack"), c.gate.Attack);
    EXPECT_EQ(sliders.Position("isRelease"), c.gate.Release);
    EXPECT_EQ(sliders.flags, std::vector<int>(3, 1));
    EXPECT_EQ(c.dialog->GetFilling(), 0);
    EXPECT_EQ(c.dialog->GetEnabledInputs(), 0x07);
    EXPECT_EQ(c.dialog->GetGateRecord().InputMask, c.gate.InputMask);
    EXPECT_EQ(c.dialog->GetGateRecord().Reserved, c.gate.Reserved);
    EXPECT_TRUE(frames.empty());
  }
  // The stored default counts from 1, as the dialog's item + 1 that goes
  // back; a stored value outside 1..8 selects no item.
  TComboBox* box = fmCamera->rzcCameraDefault;
  for (auto [stored, item] : {std::pair{3, 2}, std::pair{1, 0}, std::pair{8, 7}, std::pair{0, -1}, std::pair{200, -1}}) {
    AsReceived([stored](LUnitControl& m) { m.SetCameraDefault(std::uint8_t(stored)); });
    OpenAndClose("rzbCameraSetEff", fmCamera);
    EXPECT_EQ(box->GetItemIndex(), item) << stored;
  }
  frames.clear();
  fmMain->SetCameraDefault(2);
  EXPECT_EQ(Model()->GetCameraDefault(), 3);
  EXPECT_EQ(frames, (Frames{{CommandCode("CAMERA_DEFAULT"), {3}}}));
  box->SetItemIndex(0);
}

TEST_F(EffectBusPageTest, ForwardersStoreAndSendExceptWhileRefreshing) {
  const MixGateRecord gate{1, 2, 3, 4, 1};
  const SubCtrlRecord sub{50, 1, 0x0102};
  const GroupCtrlRecord group{100, 1, 0x14};
  const std::vector<std::function<void()>> calls = {
      [&] { fmMain->SetMixGate(18, gate); }, [&] { fmMain->SetMixGate(19, gate); },
      [] { fmMain->SetAutoMixSlope(2); }, [&] { fmMain->SetSubCtrl(1, sub); },
      [&] { fmMain->SetGroupCtrl(1, group); }};
  const std::uint16_t attack = Model()->GetAutoMixGate().Attack;
  const std::uint8_t members = Model()->GetGroupCtrl(1).ChannelMask;
  AsReceived([&](LUnitControl&) {
    for (const auto& call : calls) call();
  });
  EXPECT_TRUE(frames.empty());
  EXPECT_EQ(Model()->GetAutoMixGate().Attack, attack);
  EXPECT_EQ(Model()->GetGroupCtrl(1).ChannelMask, members);

  for (const auto& call : calls) call();
  EXPECT_EQ(frames, (Frames{MixGate(18, gate),
                            MixGate(19, gate),
                            {CommandCode("AUTOMIX_SLOPE"), {2}},
                            {CommandCode("CM_MCS_DSP_SUB_CTRL"), {1, 50, 1, 2, 1}},
                            {CommandCode("CM_MCS_GROUP_CTRL"), {1, 100, 1, 0x14}}}));
  EXPECT_EQ(Model()->GetCameraGate().InputMask, 4);
  EXPECT_EQ(Model()->GetAutoMixSlope(), 2);
  EXPECT_EQ(Model()->GetSubCtrl(1).ChannelMask, 0x0102);
  EXPECT_EQ(Model()->GetGroupCtrl(1).ChannelMask, 0x14);

  // The echo and reverb words are stored, low half first; the dialog sends.
  frames.clear();
  fmMain->SetEcho(0x012C0014, 0x003C0028);
  fmMain->SetReverb(0x0032000A, 0x00460063);
  const EchoRecord echo = Model()->GetEchoWords();
  const ReverbRecord reverb = Model()->GetReverbWords();
  EXPECT_EQ((std::vector<int>{echo.PreDelay, echo.Delay, echo.Repeat, echo.Gain}),
            (std::vector<int>{20, 300, 40, 60}));
  EXPECT_EQ((std::vector<int>{reverb.PreDelay, reverb.Reflect, reverb.Time, reverb.Gain}),
            (std::vector<int>{10, 50, 99, 70}));
  EXPECT_TRUE(frames.empty());
}

}  // namespace
