// A preset stored and recalled the way the user does it: the main window's
// buttons, a row of the list, the name dialog.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorDriver.h"
#include "dialogs/Frecallpreset.h"
#include "dialogs/Fstorename.h"
#include "dialogs/Fstorepreset.h"

using namespace e2e;

namespace {

class PresetDialogs : public EditorTest {
 protected:
  // The main window's button opens the list; the row is chosen with the
  // mouse; then inName runs in the name dialog. Waits until done holds.
  ::testing::AssertionResult ThroughTheList(const char* button, TPresetListForm* list, int gridRow,
                                            std::function<void()> inName, const std::function<bool()>& done) {
    Steps().When(
        button, [] { return true; },
        [button] {
          if (auto* key = Find<TRzBmpButton>(button)) key->Click();
        });
    Steps().When(
        "the list", [list] { return Shown(list); },
        [list, gridRow] {
          const int y = gridRow * TPresetNameGrid::RowHeight + TPresetNameGrid::RowHeight / 2;
          classlib_test::Press(list->vledPresetName, 40, y);
          classlib_test::Release(list->vledPresetName, 40, y);
        });
    Steps().When(
        "the name dialog", [] { return Shown(fmStoreName); }, std::move(inName));
    return Await(button, [&] { return done() && !Shown(list) && !Shown(fmStoreName); });
  }
  static bool Idle() { return fmMain->IsOnline() && !Shown(fmProcess); }
};

TEST_F(PresetDialogs, AStoreThroughTheListsNamesTheSlotAndARecallBringsItBack) {
  const sim::ParamImage image = DistinctiveImage();
  FSim.With([&](sim::SimDevice& d) { d.SetImage(image); });
  ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
  StartEditor();
  ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));

  ASSERT_TRUE(ThroughTheList(
      "bStore", fmStorePreset, 5,
      [] {
        fmStoreName->edName->SetText("Main Hall");
        fmStoreName->btnOK->Click();
      },
      [&] { return FSim.CountReceived(0x21) == 1 && FSim.CountReceived(0x12) >= 2 && Idle(); }));
  // Row U05 stores into the device's preset 5, under the typed name padded to 14.
  const std::vector<sim::SimFrame> stores = FSim.ReceivedWithCode(0x21);
  ASSERT_EQ(stores.size(), 1u);
  EXPECT_EQ(stores[0].Command.Payload, ByteVector{5});
  EXPECT_TRUE(FSim.With([](const sim::SimDevice& d) { return d.IsStored(5); }));
  EXPECT_EQ(FSim.With([](const sim::SimDevice& d) { return d.StoredPresetName(5); }), "Main Hall     ");
  EXPECT_EQ(fmStorePreset->vledPresetName->GetValue(4), "Main Hall     ");
  EXPECT_EQ(fmRecallPreset->vledPresetName->GetValue(5), "Main Hall     ");

  // The device's set changes; U05 (row 6 of the recall list) brings the
  // stored one back into it and into the editor.
  FSim.With([](sim::SimDevice& d) { d.SetImage(sim::FactoryImage()); });
  std::size_t packets = FSim.CountReceived(0x27);
  std::string shown;
  bool editable = true;
  ASSERT_TRUE(ThroughTheList(
      "bRecall", fmRecallPreset, 6,
      [&] {
        shown = fmStoreName->lTitle->GetCaption() + fmStoreName->edName->GetText();
        editable = fmStoreName->edName->GetEnabled();
        fmStoreName->btnOK->Click();
      },
      [&] { return FSim.CountReceived(0x27) == packets + 26 && Idle(); }));
  EXPECT_EQ(shown, "U05 : Main Hall");
  EXPECT_FALSE(editable);
  std::vector<sim::SimFrame> recalls = FSim.ReceivedWithCode(0x20);
  ASSERT_EQ(recalls.size(), 1u);
  EXPECT_EQ(recalls[0].Command.Payload, ByteVector{5});
  EXPECT_EQ(ModelStream(), DeviceStream(FSim.Image()));
  EXPECT_EQ(FSim.Image().Byte(sim::at::PresetName), 'M');

  // The first row is the factory preset: preset 0.
  packets = FSim.CountReceived(0x27);
  ASSERT_TRUE(ThroughTheList(
      "bRecall", fmRecallPreset, 1, [] { fmStoreName->btnOK->Click(); },
      [&] { return FSim.CountReceived(0x27) == packets + 26 && Idle(); }));
  recalls = FSim.ReceivedWithCode(0x20);
  ASSERT_EQ(recalls.size(), 2u);
  EXPECT_EQ(recalls[1].Command.Payload, ByteVector{0});
  EXPECT_EQ(ModelStream(), DeviceStream(FSim.Image()));
}

}  // namespace
