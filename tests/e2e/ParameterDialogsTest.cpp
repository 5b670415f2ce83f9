// The parameter dialogs against the simulator: a gate dialog open while the
// levels are polled shows the activity of the inputs feeding the effect bus
// and the gate's read-out; one edit in each dialog reaches the device.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "EditorDriver.h"
#include "controls/AdvTrackBar.h"
#include "dialogs/Fautomix.h"
#include "dialogs/Fcamera.h"
#include "dialogs/Fcomp.h"
#include "dialogs/Fgroupctrl.h"
#include "dialogs/Fphantompotent.h"
#include "dialogs/Frvb.h"
#include "dialogs/Fsubctrl.h"
#include "dialogs/Ftest.h"
#include "instruments/base/iLed.h"

using namespace e2e;

namespace {

class ParamDialogs : public EditorTest {
 protected:
  void Connect(const sim::ParamImage& image) {
    FSim.With([&](sim::SimDevice& d) {
      d.SetImage(image);
      d.SetLevelsMoving(false);
    });
    ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
    StartEditor();
    ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));
  }

  // Opens a dialog through its Set key on the Eff page, then closes it.
  void OpenAndClose(const char* key, TForm* dialog) {
    Steps().When(std::string("open ") + key, [] { return true; }, [key] { Find<TRzBmpButton>(key)->Click(); });
    Steps().When(std::string("close ") + key, [dialog] { return Shown(dialog); },
                 [dialog] { dialog->SetModalResult(mrCancel); });
    ASSERT_TRUE(Await(std::string("the closing of ") + key, [dialog] { return !Shown(dialog); }));
  }

  template <class T>
  static T* On(TComponent* form, const char* name) {
    auto* found = dynamic_cast<T*>(form->FindComponent(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
};

TEST_F(ParamDialogs, GateDialogsShowTheActivityOfTheInputsFeedingTheBus) {
  sim::ParamImage image = DistinctiveImage();
  image.SetByte(sim::at::EffectRoute, 0x0B);  // inputs 1, 2 and 4 feed the bus
  sim::SimLevels levels;
  levels.AutoMixIdle = 0xF0;  // inputs 1..4 active in the automix
  levels.CameraIdle = 0xFD;   // input 2 active for the camera
  levels.Status = (1 << 1) | (3 << 4);  // automix count 1, camera at input 3
  FSim.With([&](sim::SimDevice& d) { d.SetLevels(levels); });
  Connect(image);

  auto lit = [](TMixGateForm* form) {
    std::string leds;
    for (char letter = 'A'; letter <= 'H'; ++letter)
      leds += dynamic_cast<TiLed*>(form->FindComponent(std::string("iledIn") + letter))->GetActive() ? '1' : '0';
    return leds;
  };
  std::string automixLeds, automixGain, cameraLeds, cameraPos;
  Steps().When("open the automix", [] { return true; }, [] { Find<TRzBmpButton>("rzbAutoMixSetEff")->Click(); });
  Steps().When(
      "the automix's activity", [&] { return Shown(fmAutoMix) && lit(fmAutoMix) != "00000000"; },
      [&] {
        automixLeds = lit(fmAutoMix);
        automixGain = fmAutoMix->lbAutoMixGain->GetCaption();
        fmAutoMix->SetModalResult(mrCancel);
      });
  Steps().When("open the camera", [] { return !Shown(fmAutoMix); },
               [] { Find<TRzBmpButton>("rzbCameraSetEff")->Click(); });
  Steps().When(
      "the camera's activity", [&] { return Shown(fmCamera) && lit(fmCamera) != "00000000"; },
      [&] {
        cameraLeds = lit(fmCamera);
        cameraPos = fmCamera->lbCameraPos->GetCaption();
        fmCamera->SetModalResult(mrCancel);
      });
  ASSERT_TRUE(Await("both gate dialogs", [&] { return !cameraPos.empty() && !Shown(fmCamera); }));
  EXPECT_EQ(automixLeds, "11010000");
  EXPECT_EQ(automixGain, "-3.0dB");
  EXPECT_EQ(cameraLeds, "01000000");
  EXPECT_EQ(cameraPos, "In3");
}

TEST_F(ParamDialogs, AnEditInEachDialogReachesTheDevice) {
  Connect(DistinctiveImage());
  OpenAndClose("rzbEffectSetEff", fmRvb);
  On<TAdvTrackBar>(fmRvb, "isEchoDelay")->SetPosition(321);
  On<TAdvTrackBar>(fmRvb, "isRvbTime")->SetPosition(77);
  On<TAdvTrackBar>(fmRvb, "isEffectVol")->SetPosition(12);
  OpenAndClose("rzbCompSetEff", fmComp);
  On<TAdvTrackBar>(fmComp, "isRatio")->SetPosition(9);
  OpenAndClose("rzbAutoMixSetEff", fmAutoMix);
  On<TAdvTrackBar>(fmAutoMix, "isRelease")->SetPosition(1234);
  fmAutoMix->rzcAutoMixSlop->SetItemIndex(3);
  fmAutoMix->rzcAutoMixSlop->OnChange(fmAutoMix->rzcAutoMixSlop);
  OpenAndClose("rzbCameraSetEff", fmCamera);
  On<TAdvTrackBar>(fmCamera, "isThreshold")->SetPosition(-64);
  fmCamera->rzcCameraDefault->SetItemIndex(5);
  fmCamera->rzcCameraDefault->OnChange(fmCamera->rzcCameraDefault);
  fmSubCtrl->FormShow(fmSubCtrl);
  auto* sub = On<TRzBmpButton>(fmSubCtrl, "rzbOutSubCtrlSelC");
  sub->SetDown(true);
  sub->Click();
  ASSERT_TRUE(Await("the device to hold the editor's set", [&] { return DeviceStream(FSim.Image()) == ModelStream(); }));
  const sim::ParamImage device = FSim.Image();
  EXPECT_EQ(device.Word(sim::at::Echo + 2), 321);
  EXPECT_EQ(device.Word(sim::at::Reverb + 4), 77);
  EXPECT_EQ(device.Byte(sim::at::EffectVolume), 12);
  EXPECT_EQ(device.Byte(sim::at::CameraDefault), 6);
  EXPECT_EQ(device.Word(sim::at::AutoMixSlope), 3);
  EXPECT_EQ(device.Word(sim::at::AutoMixGate + 2), 1234);
  EXPECT_EQ(device.Word(sim::at::CameraGate + 4), -64 + 180);
  EXPECT_EQ(device.Word(sim::at::SubControl1 + 2), 0x04);

  // The group control, kept apart from the set; the test signal and the
  // preamplifier, which the model does not keep.
  fmGroupCtrl->FormShow(fmGroupCtrl);
  auto* member = On<TRzBmpButton>(fmGroupCtrl, "rzbGroupCtrlSel2Out3");
  member->SetDown(true);
  member->Click();
  fmTest->rbPinkNoise->SetChecked(true);
  On<TAdvTrackBar>(fmPhantomPotent, "isGainInH")->SetPosition(-5);
  ASSERT_TRUE(Await("the group, test and preamp commands", [&] {
    return FSim.CountReceived(0x6B) >= 1 && FSim.CountReceived(0x39) >= 1 && FSim.CountReceived(0x55) >= 1;
  }));
  const std::pair<int, ByteVector> expected[] = {{0x6B, {6, 100, 0, 0x02}}, {0x39, {1, 0}}, {0x55, {7, 5}}};
  for (const sim::SimFrame& f : FSim.Received())
    for (const auto& [code, payload] : expected)
      if (f.Command.Code == code) {
        EXPECT_EQ(f.Command.Payload, payload) << code;
      }
  EXPECT_EQ(fmMain->GetState().UnitControl->GetGroupCtrl(6).ChannelMask, 0x02);
}

}  // namespace
