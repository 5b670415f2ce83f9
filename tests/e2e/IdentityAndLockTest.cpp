// A device of another version is refused; a locked device is unlocked by
// its password before the upload; a new lock password reaches the device
// before the editor lets go.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EditorDriver.h"
#include "dialogs/Flockpassword.h"
#include "dialogs/Flocksetup.h"
#include "platform/classlib/Keys.h"

using namespace e2e;

namespace {

using IdentityAndLock = EditorTest;

std::size_t IndexOf(const std::vector<sim::SimFrame>& frames, int code, std::size_t nth = 0) {
  for (std::size_t i = 0; i < frames.size(); ++i)
    if (frames[i].Command.Code == code && nth-- == 0) return i;
  return frames.size();
}

TEST_F(IdentityAndLock, AnotherVersionIsRefusedWithAMessageAfterTheGoodbye) {
  FSim.With([](sim::SimDevice& d) { d.SetIdentity("TAVO V012 20180101"); });
  // Answered twice: the second answer asked nothing and opens nothing.
  sim::Fault twice;
  twice.Kind = sim::FaultKind::Duplicate;
  twice.OnlyCode = 0x52;
  FSim.AddFault(twice);

  ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
  StartEditor();
  std::string shown;
  bool goodbyeFirst = false;
  bool scanOpen = true;
  Steps().When(
      "the refusal", [] { return Shown(fmInformation); },
      [&] {
        shown = Message();
        // The goodbye does not wait for the user to read the message.
        goodbyeFirst = FSim.WaitForCode(0x11, 1, 3000);
        scanOpen = Shown(fmNetwork);
        CloseMessage();
      });
  ASSERT_TRUE(Await("the link to close",
                    [&] { return !shown.empty() && !fmMain->OpenLink() && !Shown(fmInformation); }));
  EXPECT_EQ(shown, fmMain->GetLangText("SID_INFO_ERROR_VERSION"));
  EXPECT_TRUE(FDialogs->GetQuestions().empty()) << FDialogs->GetQuestions().front().Text;
  EXPECT_TRUE(goodbyeFirst);
  EXPECT_FALSE(scanOpen);
  const std::vector<sim::SimFrame> goodbyes = FSim.ReceivedWithCode(0x11);
  ASSERT_FALSE(goodbyes.empty());
  EXPECT_EQ(TargetId(goodbyes.front()), 255);
  EXPECT_EQ(std::count_if(goodbyes.begin(), goodbyes.end(), [](const sim::SimFrame& f) { return TargetId(f) == 255; }),
            1);
  EXPECT_EQ(FSim.CountReceived(0x2C), 0u);
  EXPECT_EQ(FSim.CountReceived(0x22), 0u);
  EXPECT_FALSE(fmMain->IsOnline());
  EXPECT_FALSE(fmMain->IsConnected());
  EXPECT_EQ(Find<TRzBmpButton>("rzbMenuLink")->GetCaption(), "OffLine");
}

TEST_F(IdentityAndLock, ALockedDeviceTakesAWrongThenTheRightPassword) {
  FSim.With([](sim::SimDevice& d) { d.SetUserLock(true, "5937"); });
  ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
  FDialogs->AnswerButton(IDOK);
  StartEditor();
  std::size_t statusBeforePrompt = 0;
  Steps().When(
      "the unlock prompt", [] { return Shown(fmLockPassWord); },
      [&] {
        statusBeforePrompt = FSim.CountReceived(0x22);
        fmLockPassWord->edName->SetText("1234");
        fmLockPassWord->btnOK->Click();
      });
  Steps().When(
      "the wrong password's message", [&] { return !FDialogs->GetQuestions().empty(); },
      [] {
        fmLockPassWord->edName->SetText("5937");
        std::uint16_t key = VK_RETURN;
        fmLockPassWord->edNameKeyDown(fmLockPassWord->edName, key, TShiftState());
      });
  ASSERT_TRUE(Await("the upload", [&] { return UploadDone() && !Shown(fmLockPassWord); }));

  EXPECT_EQ(statusBeforePrompt, 0u);
  ASSERT_EQ(FDialogs->GetQuestions().size(), 1u);
  EXPECT_EQ(FDialogs->GetQuestions()[0].Text, "Password Error!!");
  const std::vector<sim::SimFrame> submits = FSim.ReceivedWithCode(0x2D);
  ASSERT_EQ(submits.size(), 2u);
  EXPECT_EQ(submits[0].Command.Payload, (ByteVector{0, '1', '2', '3', '4'}));
  EXPECT_EQ(submits[1].Command.Payload, (ByteVector{0, '5', '9', '3', '7'}));
  // The upload starts only after the right password.
  const std::vector<sim::SimFrame> all = FSim.Received();
  EXPECT_GT(IndexOf(all, 0x22), IndexOf(all, 0x2D, 1));
  EXPECT_TRUE(FSim.With([](const sim::SimDevice& d) { return d.Unlocked(); }));
}

TEST_F(IdentityAndLock, ANewLockPasswordIsWrittenBeforeTheDisconnect) {
  ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
  StartEditor();
  ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));
  Steps().When(
      "the lock setup", [] { return Shown(fmLockSetup); },
      [] {
        fmLockSetup->edName->SetText("AB12");
        fmLockSetup->btnOK->Click();
      });
  Find<TMenuItem>("Lock")->Click();
  ASSERT_TRUE(Await("the disconnect", [] { return !fmMain->IsOnline() && !Shown(fmLockSetup); }));
  EXPECT_EQ(FSim.CountReceived(0x2F), 1u);
  EXPECT_TRUE(FSim.With([](const sim::SimDevice& d) { return d.UserLock() && d.Password() == "AB12"; }));
  EXPECT_EQ(fmMain->OpenLink(), nullptr);
}

}  // namespace
