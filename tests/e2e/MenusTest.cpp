// The menus, page buttons and link button of the running program, online
// against the simulator: each item opens its window, sends its frame or
// shows its page, and nothing else reaches the device.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorDriver.h"
#include "dialogs/FHidData.h"
#include "dialogs/Fabout.h"
#include "dialogs/Fchnamelist.h"
#include "dialogs/Fcopy.h"
#include "dialogs/Fexit.h"
#include "dialogs/Ffactory.h"
#include "dialogs/Fgroupctrl.h"
#include "dialogs/Flinksel.h"
#include "dialogs/Flocksetup.h"
#include "dialogs/Fmemo.h"
#include "dialogs/Fnetworksetup.h"
#include "dialogs/Fphantompotent.h"
#include "dialogs/Fsubctrl.h"
#include "dialogs/Ftest.h"
#include "rs232codes/Frs232cmd.h"

using namespace e2e;

namespace {

constexpr TColor Lime = 0x00FF00;
constexpr TColor White = 0xFFFFFF;

class Menus : public EditorTest {
 protected:
  void Connect() {
    ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
    StartEditor();
    ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));
  }

  // Clicks the item and closes the window it opens; true when the window
  // came up modal or not as asked.
  ::testing::AssertionResult OpenAndClose(const std::string& item, TCustomForm* const* form, bool modal) {
    bool seen = false;
    bool wasModal = false;
    Steps().When(
        item, [] { return true; }, [item] { Find<TMenuItem>(item)->Click(); });
    Steps().When(
        "its window", [form] { return Shown(*form); },
        [&, form] {
          seen = true;
          wasModal = (*form)->IsModal();
          (*form)->Close();
        });
    ::testing::AssertionResult done = Await(item, [&] { return seen && !Shown(*form); });
    if (!done) return done;
    if (wasModal != modal) return ::testing::AssertionFailure() << item << ": modal " << wasModal;
    return ::testing::AssertionSuccess();
  }

  // The frames the editor sent apart from level polls.
  std::vector<int> OtherThanPolls() const {
    std::vector<int> codes;
    for (int code : Codes(FSim.Received()))
      if (code != 0x40) codes.push_back(code);
    return codes;
  }

  static TColor CaptionColour(const char* button) {
    return Find<TRzBmpButton>(button)->GetFont()->GetColor();
  }
  static bool Visible(const std::string& name) { return Find<TControl>(name)->GetVisible(); }
};

template <class T>
TCustomForm* const* FormOf(T* const& global) {
  return reinterpret_cast<TCustomForm* const*>(&global);
}

TEST_F(Menus, EveryItemOnlineOpensItsWindowSendsItsFrameOrShowsItsPage) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  const std::vector<int> before = OtherThanPolls();

  struct WindowCase {
    const char* Item;
    TCustomForm* const* Form;
    bool Modal;
  };
  const WindowCase windows[] = {
      {"Link", FormOf(fmLinkSel), true},
      {"Copy", FormOf(fmCopy), true},
      {"Lock", FormOf(fmLockSetup), true},
      {"LockSetup", FormOf(fmLockSetup), true},
      {"NetworkSetup", FormOf(fmNetworkSetup), true},
      {"TestTone", FormOf(fmTest), true},
      {"ChNameList", FormOf(fmChNameList), true},
      {"SubCtrl", FormOf(fmSubCtrl), true},
      {"GroupCtrl", FormOf(fmGroupCtrl), true},
      {"Rs232Code", FormOf(fmRs232CmdEnglish), true},
      {"About", FormOf(fmAbout), true},
      {"Exit", FormOf(fmExit), true},
      {"MemoShow", FormOf(fmMemo), false},
      {"HidData", FormOf(fmHidData), false},
      {"PhantomPotent", FormOf(fmPhantomPotent), false},
  };
  for (const WindowCase& c : windows) {
    SCOPED_TRACE(c.Item);
    EXPECT_TRUE(OpenAndClose(c.Item, c.Form, c.Modal));
  }
  // Opened and closed, none of them said anything to the device.
  EXPECT_EQ(OtherThanPolls(), before);
  EXPECT_TRUE(fmMain->IsOnline());

  // Working status: one check mark, the model's mode and one frame each.
  const char* statusItems[] = {"Memorize", "Forget", "U01"};
  for (int tag : {2, 1, 0}) {
    SCOPED_TRACE(statusItems[tag]);
    const std::size_t sent = FSim.CountReceived(0x6A);
    Find<TMenuItem>(statusItems[tag])->Click();
    ASSERT_TRUE(Await("the working status", [&] { return FSim.CountReceived(0x6A) == sent + 1; }));
    EXPECT_EQ(FSim.ReceivedWithCode(0x6A).back().Command.Payload,
              std::vector<std::uint8_t>{std::uint8_t(tag)});
    for (int other = 0; other < 3; ++other)
      EXPECT_EQ(Find<TMenuItem>(statusItems[other])->GetChecked(), other == tag) << statusItems[other];
    EXPECT_EQ(fmMain->GetState().UnitControl->GetMemorizeMode(), tag);
  }

  // Pages: In3 joins In1's group; In2 is in no group and no one claims it.
  {
    LUnitControl& model = *fmMain->GetState().UnitControl;
    fmMain->SetRefreshing(true);
    model.SetLinkMask(0, 0b101);
    model.SetLinkMask(1, 0);
    model.SetLinkMask(2, 0);
    fmMain->SetRefreshing(false);
  }
  struct PageCase {
    const char* Button;
    int Page;
    int Strip;  // -1: the page names no strip
    const char* Upper;
    const char* Lower;
    const char* Label;  // the plot's channel label and its text
    const char* Text;
  };
  const PageCase pages[] = {
      {"rzbMenuInC", 2, 0, "rzgFftInA", "rzgParamInA", "lbFftChannelInA", "In3"},
      {"rzbMenuInB", 1, 1, "rzgFftInB", "rzgParamInA", "lbFftChannelInB", "In2"},
      {"rzbMenuOut2", 9, 9, "rzgFftOut2", "rzgParamOut1", "lbFftChannelOut2", "Out2"},
      {"rzbMenuEff", 18, 18, "rzgFftEff", "rzgParamEff", nullptr, nullptr},
      {"rzbMenuComp", 16, -1, "rzgFftComp", "rzgParamComp", nullptr, nullptr},
      {"rzbMenuDelay", 17, -1, "rzgFftDelay", "rzgParamDelay", nullptr, nullptr},
      {"rzbMenuMatrix", 19, -1, "rzgFftMatrix", "rzgParamMatrix", nullptr, nullptr},
      {"rzbMenuGate", 20, -1, "rzgFftGate", "rzgParamGate", nullptr, nullptr},
      {"rzbMenuGain", 21, -1, "rzgFftGain", "rzgParamGain", nullptr, nullptr},
      {"rzbMenuGain", 21, -1, "rzgFftGain", "rzgParamGain", nullptr, nullptr},  // again: nothing changes
  };
  const char* previous = "rzbMenuGain";
  std::string previousUpper = "rzgFftGain";
  for (const PageCase& c : pages) {
    SCOPED_TRACE(c.Button);
    Find<TRzBmpButton>(c.Button)->Click();
    EXPECT_EQ(fmMain->GetState().CurrentPage, static_cast<MainPage>(c.Page));
    if (c.Strip >= 0) {
      EXPECT_EQ(fmMain->GetState().ShownStrip, c.Strip);
    }
    EXPECT_TRUE(Visible(c.Upper));
    EXPECT_TRUE(Visible(c.Lower));
    if (previousUpper != c.Upper) {
      EXPECT_FALSE(Visible(previousUpper));
    }
    EXPECT_EQ(CaptionColour(c.Button), Lime);
    if (std::string(previous) != c.Button) {
      EXPECT_EQ(CaptionColour(previous), White);
    }
    if (c.Label) {
      EXPECT_EQ(Find<TLabel>(c.Label)->GetCaption(), c.Text);
      EXPECT_EQ(Find<TLabel>(c.Page < 8 ? "lbGainNameInA" : "lbGainNameOut1")->GetCaption(), c.Text);
    }
    previous = c.Button;
    previousUpper = c.Upper;
  }
  EXPECT_EQ(OtherThanPolls().size(), before.size() + 3);  // the three working-status frames

  // Factory default: the confirmation, one 0x23, and the device restarts.
  bool asked = false;
  Steps().When(
      "factory default", [] { return true; }, [] { Find<TMenuItem>("FactoryDefault")->Click(); });
  Steps().When(
      "the confirmation", [] { return Shown(fmFactory); },
      [&] {
        asked = true;
        fmFactory->btnOK->Click();
      });
  ASSERT_TRUE(Await("the reset", [&] { return asked && FSim.CountReceived(0x23) == 1; }));
  // The device restarts once it has acknowledged, and the editor goes offline.
  ASSERT_TRUE(Await("the restart and the disconnect", [&] {
    return FSim.CountReceived(0x04) == 1 && !fmMain->OpenLink() && !fmMain->IsOnline();
  }));
  EXPECT_EQ(FSim.With([](const sim::SimDevice& d) { return d.FactoryResets(); }), 1);

  // Offline, factory default only asks for a connection, and the working
  // status changes the check marks and the model, sending nothing.
  std::string message;
  Steps().When(
      "factory default offline", [] { return true; }, [] { Find<TMenuItem>("FactoryDefault")->Click(); });
  Steps().When(
      "the message", [] { return Shown(fmInformation); },
      [&] {
        message = Message();
        CloseMessage();
      });
  ASSERT_TRUE(Await("the message closed", [&] { return !message.empty() && !Shown(fmInformation); }));
  EXPECT_EQ(message, fmMain->GetLangText("SID_INFO_CON_FIRST"));
  const std::size_t status = FSim.CountReceived(0x6A);
  Find<TMenuItem>("Forget")->Click();
  EXPECT_TRUE(Find<TMenuItem>("Forget")->GetChecked());
  EXPECT_FALSE(Find<TMenuItem>("Memorize")->GetChecked());
  EXPECT_EQ(fmMain->GetState().UnitControl->GetMemorizeMode(), 1);
  EXPECT_EQ(FSim.CountReceived(0x6A), status);
  EXPECT_EQ(FSim.CountReceived(0x23), 1u);
}

TEST_F(Menus, LanguageAndLinkButtonWhileOnline) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  auto* link = Find<TRzBmpButton>("rzbMenuLink");

  // Chinese while online: the online texts follow, and the address dialog
  // still knows the link is up.
  Find<TMenuItem>("ChineseSimplified")->Click();
  EXPECT_EQ(link->GetCaption(), fmMain->GetLangText("SID_ONLINE"));
  EXPECT_NE(link->GetCaption(), "OnLine");
  EXPECT_EQ(Find<TMenuItem>("Connected")->GetCaption(), fmMain->GetLangText("SID_DISCONNECT"));
  EXPECT_TRUE(Find<TMenuItem>("ChineseSimplified")->GetChecked());
  EXPECT_FALSE(Find<TMenuItem>("English")->GetChecked());
  bool ipLocked = false;
  Steps().When(
      "the address dialog", [] { return true; }, [] { Find<TMenuItem>("NetworkSetup")->Click(); });
  Steps().When(
      "it is shown", [] { return Shown(fmNetworkSetup); },
      [&] {
        ipLocked = !fmNetworkSetup->gbIpSetting->GetEnabled() && !fmNetworkSetup->edIp1->GetEnabled();
        fmNetworkSetup->Close();
      });
  ASSERT_TRUE(Await("the address dialog closed", [] { return !Shown(fmNetworkSetup); }));
  EXPECT_TRUE(ipLocked);
  EXPECT_TRUE(OpenAndClose("Rs232Code", FormOf(fmRs232Cmd), true));
  Find<TMenuItem>("English")->Click();
  EXPECT_EQ(link->GetCaption(), "OnLine");
  EXPECT_TRUE(fmMain->IsOnline());

  // The link button online: the goodbye to ID 1, then the scan.
  const std::size_t polls = FSim.CountReceived(0x40);
  Find<TMenuItem>("Connected")->Click();
  ASSERT_TRUE(Await("the goodbye", [&] { return FSim.CountReceived(0x11) == 1 && !fmMain->OpenLink(); }));
  EXPECT_EQ(TargetId(FSim.ReceivedWithCode(0x11).back()), 1);
  EXPECT_FALSE(Shown(fmNetwork));
  EXPECT_FALSE(fmMain->IsOnline());
  EXPECT_EQ(link->GetCaption(), "OffLine");
  EXPECT_EQ(Find<TMenuItem>("Connect")->GetCaption(), fmMain->GetLangText("SID_CONNECT"));
  EXPECT_LE(FSim.CountReceived(0x40), polls + 1);

  // Offline it scans and connects again.
  const std::size_t ends = FSim.CountReceived(0x12);
  link->Click();
  ASSERT_TRUE(Await("the second upload", [&] { return UploadDone() && FSim.CountReceived(0x12) > ends; }));
  EXPECT_EQ(link->GetCaption(), "OnLine");
  EXPECT_TRUE(link->GetEnabled());
}

TEST_F(Menus, ClosingWhileOnlineAsksThenStopsTheLinkWithoutAHang) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  // The close box asks first; Cancel keeps the program running and online.
  fmMain->Close();
  EXPECT_TRUE(Shown(fmExit));
  EXPECT_FALSE(Application->GetTerminated());
  fmExit->btnCancel->Click();
  EXPECT_FALSE(Shown(fmExit));
  const std::size_t polls = FSim.CountReceived(0x40);
  ASSERT_TRUE(Await("polls go on", [&] { return FSim.CountReceived(0x40) >= polls + 2; }));

  // File, Exit and OK: the link stops, the device sees the connection end.
  Steps().When(
      "exit", [] { return true; }, [] { Find<TMenuItem>("Exit")->Click(); });
  Steps().When(
      "the question", [] { return Shown(fmExit); }, [] { fmExit->btnOK->Click(); });
  ASSERT_TRUE(Await(
      "the end", [&] { return Application->GetTerminated() && FSim.TcpClientCount() == 0; }, 10000));
  EXPECT_EQ(fmMain->OpenLink(), nullptr);
  EXPECT_FALSE(Find<TClientSocket>("ClientSocket")->GetActive());
  // Closing says nothing to the device.
  EXPECT_EQ(FSim.CountReceived(0x11), 0u);
}

}  // namespace
