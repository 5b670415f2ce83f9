// The same connect and upload over a serial line (a pseudo-terminal offered
// as the only port) and over USB (the fake HID backend), and a USB device
// unplugged in the middle of the upload.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorDriver.h"
#include "dialogs/Fnetworksetup.h"

using namespace e2e;

namespace {

using SerialAndUsb = EditorTest;

// The upload's requests; USB asks the device's address after the preset number.
std::vector<int> UploadCodes(bool usb) {
  std::vector<int> codes = {0x10, 0x52, 0x2C, 0x22, 0x14};
  if (usb) codes.push_back(0xB0);
  codes.insert(codes.end(), 21, 0x29);
  codes.push_back(0x6C);
  codes.insert(codes.end(), 26, 0x27);
  codes.push_back(0x12);
  return codes;
}

// The editor's own requests up to the end of the first upload.
std::vector<int> FirstUpload(const std::vector<sim::SimFrame>& frames) {
  std::vector<int> codes;
  for (const sim::SimFrame& f : frames) {
    if (!f.WellFormed || f.Raw.size() < 3 || f.Raw[2] != 0) continue;
    codes.push_back(f.Command.Code);
    if (f.Command.Code == 0x12) break;
  }
  return codes;
}

TEST_F(SerialAndUsb, ASerialLineCarriesTheWholeUpload) {
  const sim::ParamImage image = DistinctiveImage();
  FSim.With([&](sim::SimDevice& d) { d.SetImage(image); });
  ASSERT_TRUE(FSim.OpenPty()) << FSim.LastError();
  FPorts = {SerialPortAt(FSim.PtyPath())};
  StartEditor();
  // No network candidate: the scan goes to the serial port at once.
  fmMain->SetDeviceIp(0);
  ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));
  EXPECT_EQ(FirstUpload(FSim.Received()), UploadCodes(false));
  EXPECT_EQ(ModelStream(), DeviceStream(image));
  EXPECT_NE(fmMain->GetCaption().find(FSim.PtyPath()), std::string::npos) << fmMain->GetCaption();
  EXPECT_EQ(fmNetwork->cbCOM->GetItems()->Get(0), SerialPortAt(FSim.PtyPath()).Name);
  EXPECT_EQ(FSim.CountReceived(0xB0), 0u);
}

TEST_F(SerialAndUsb, UsbCarriesTheWholeUploadAndTheDeviceAddress) {
  const sim::ParamImage image = DistinctiveImage();
  FSim.With([&](sim::SimDevice& d) {
    d.SetImage(image);
    d.SetIp({10, 0, 0, 7});
  });
  ASSERT_TRUE(FSim.PlugHid(FHid)) << FSim.LastError();
  StartEditor();
  ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));
  EXPECT_EQ(FirstUpload(FSim.Received()), UploadCodes(true));
  EXPECT_EQ(ModelStream(), DeviceStream(image));
  EXPECT_EQ(fmMain->GetDeviceIp(), 0x0A000007u);
  EXPECT_NE(fmMain->GetCaption().find("USB"), std::string::npos) << fmMain->GetCaption();
  for (const sim::SimFrame& f : FSim.Received()) EXPECT_EQ(f.Via, sim::Transport::Hid);
}

TEST_F(SerialAndUsb, UnpluggingMidUploadBringsBackTheScanWithTheModelIntact) {
  FSim.With([](sim::SimDevice& d) { d.SetImage(DistinctiveImage()); });
  // The upload stops after three state packets, so the unplug always comes
  // mid-upload, however late a loaded machine runs the step below.
  sim::Fault stall;
  stall.Kind = sim::FaultKind::Drop;
  stall.Count = sim::Fault::Forever;
  stall.OnlyCode = 0x27;
  stall.After = 3;
  FSim.AddFault(stall);
  ASSERT_TRUE(FSim.PlugHid(FHid)) << FSim.LastError();
  StartEditor();
  const std::string before = ModelStreamText();
  std::string scanText;
  Steps().When(
      "a few state packets", [&] { return FSim.CountReceived(0x27) >= 3; }, [&] { FSim.UnplugHid(); });
  ASSERT_TRUE(AwaitLinkBrokenScan(scanText));
  EXPECT_EQ(scanText, fmMain->GetLangText("SID_LINK_BROKEN"));
  EXPECT_FALSE(fmMain->IsOnline());
  EXPECT_FALSE(fmMain->HasHidDevice());
  EXPECT_FALSE(Shown(fmProcess));
  EXPECT_EQ(ModelStreamText(), before);
  EXPECT_EQ(Find<TRzBmpButton>("rzbMenuLink")->GetCaption(), "OffLine");
}

}  // namespace

namespace {

TEST_F(SerialAndUsb, TheDeviceTakesANewIdAndAddressOverUsb) {
  ASSERT_TRUE(FSim.PlugHid(FHid)) << FSim.LastError();
  StartEditor();
  ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));
  Steps().When(
      "online", [] { return true; }, [] { Find<TMenuItem>("NetworkSetup")->Click(); });
  Steps().When(
      "the address dialog", [] { return Shown(fmNetworkSetup); },
      [] {
        fmNetworkSetup->edId->SetText("7");
        const char* octets[] = {"127", "0", "0", "9"};
        TEdit* edits[] = {fmNetworkSetup->edIp1, fmNetworkSetup->edIp2, fmNetworkSetup->edIp3,
                          fmNetworkSetup->edIp4};
        for (int i = 0; i < 4; ++i) edits[i]->SetText(octets[i]);
        fmNetworkSetup->bnSet->Click();
      });
  ASSERT_TRUE(Await("the new address", [&] {
    return !Shown(fmNetworkSetup) && FSim.With([](const sim::SimDevice& d) { return d.Ip()[3]; }) == 9 &&
           FSim.CountReceived(0x40) >= 2 && FSim.ReceivedWithCode(0x40).back().Raw.at(3) == 7;
  }));
  EXPECT_EQ(FSim.With([](const sim::SimDevice& d) { return d.DeviceId(); }), 7);
  EXPECT_EQ(fmMain->GetDeviceId(), 7);
  EXPECT_EQ(fmMain->GetDeviceIp(), 0x7F000009u);
  EXPECT_EQ(Find<TLabel>("lbShowIdNumber")->GetCaption(), "ID : 7");
  EXPECT_TRUE(fmMain->IsOnline());
}

}  // namespace
