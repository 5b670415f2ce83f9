// Presets stored on and recalled from the device, a preset file sent to the
// device, and a unit file read from one device and written back.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "EditorDriver.h"
#include "platform/classlib/ControlImage.h"

using namespace e2e;

namespace {

class PresetsAndFiles : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    char folder[] = "/tmp/tavo-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    FFolder = folder;
  }
  void TearDown() override {
    EditorTest::TearDown();
    std::error_code ec;
    std::filesystem::remove_all(FFolder, ec);
  }
  // Connected to a simulator at the device's address.
  void Connect() {
    ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
    StartEditor();
    ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));
  }
  // Runs an action of the window from the script (it may open modal loops)
  // and waits until done holds.
  ::testing::AssertionResult Run(const std::string& what, std::function<void()> act,
                                 const std::function<bool()>& done) {
    Steps().When(
        what, [] { return true; }, std::move(act));
    return Await(what, done);
  }
  bool Idle() const { return fmMain->IsOnline() && !Shown(fmProcess); }

  std::filesystem::path FFolder;
};

TEST_F(PresetsAndFiles, AStoredPresetComesBackByRecall) {
  const sim::ParamImage image = DistinctiveImage();
  FSim.With([&](sim::SimDevice& d) { d.SetImage(image); });
  ASSERT_NO_FATAL_FAILURE(Connect());

  ASSERT_TRUE(Run(
      "a store", [] { fmMain->StorePreset(4, "Main Hall"); },
      [&] { return FSim.CountReceived(0x21) == 1 && FSim.CountReceived(0x12) >= 2 && Idle(); }));
  // The slot holds the set under its new name.
  const auto [stored, storedImage, storedName] = FSim.With([](const sim::SimDevice& d) {
    return std::make_tuple(d.IsStored(5), d.StoredPreset(5), d.StoredPresetName(5));
  });
  EXPECT_TRUE(stored);
  EXPECT_EQ(storedName.substr(0, 9), "Main Hall");
  sim::ParamImage unnamed = storedImage;
  for (std::size_t i = 0; i < sim::PresetNameLength; ++i)
    unnamed.SetByte(sim::at::PresetName + i, image.Byte(sim::at::PresetName + i));
  EXPECT_EQ(unnamed, image);

  // The device's set changes; the recall brings the stored one back into it
  // and into the editor.
  FSim.With([](sim::SimDevice& d) { d.SetImage(sim::FactoryImage()); });
  const std::size_t packets = FSim.CountReceived(0x27);
  ASSERT_TRUE(Run(
      "a recall", [] { fmMain->RecallPreset(5); },
      [&] { return FSim.CountReceived(0x27) == packets + 26 && Idle(); }));
  const std::vector<sim::SimFrame> recalls = FSim.ReceivedWithCode(0x20);
  ASSERT_EQ(recalls.size(), 1u);
  EXPECT_EQ(recalls[0].Command.Payload, ByteVector{5});
  EXPECT_EQ(ModelStream(), DeviceStream(FSim.Image()));
  EXPECT_EQ(FSim.Image().Byte(sim::at::PresetName), 'M');
}

TEST_F(PresetsAndFiles, APresetFileOpenedOnlineReachesTheDeviceAsItsCommandsThenALevelPoll) {
  const sim::ParamImage image = DistinctiveImage();
  FSim.With([&](sim::SimDevice& d) { d.SetImage(image); });
  ASSERT_NO_FATAL_FAILURE(Connect());
  const std::string file = (FFolder / "stage.prs").string();
  FDialogs->AnswerFile(file);
  ASSERT_TRUE(Run(
      "a save", [] { Find<TMenuItem>("Save")->Click(); }, [&] { return std::filesystem::exists(file); }));

  FSim.With([](sim::SimDevice& d) { d.SetImage(sim::FactoryImage()); });
  FSim.ClearRecords();
  FDialogs->AnswerFile(file);
  ASSERT_TRUE(Run(
      "an open", [] { Find<TMenuItem>("Open")->Click(); },
      [&] { return FSim.CountReceived(0x40) >= 1 && Idle() && !fmMain->GetState().TransferKind; }));
  // 284 parameter commands, then the level poll that ends the transfer.
  const std::vector<sim::SimFrame> received = FSim.Received();
  std::size_t commands = 0;
  while (commands < received.size() && received[commands].Command.Code != 0x40) ++commands;
  EXPECT_EQ(commands, 284u);
  EXPECT_EQ(FSim.With([](const sim::SimDevice& d) { return d.ShortCommands(); }), 0);
  EXPECT_EQ(DeviceStream(FSim.Image()), DeviceStream(image));
  EXPECT_EQ(ModelStream(), DeviceStream(image));
}

TEST_F(PresetsAndFiles, AUnitFileReadFromTheDeviceIsWrittenBackSlotForSlot) {
  sim::ParamImage third = DistinctiveImage();
  sim::ParamImage seventeenth = sim::FactoryImage();
  seventeenth.SetWord(sim::at::InputMutes, 0x00F0);
  FSim.With([&](sim::SimDevice& d) {
    d.StorePreset(3, third);
    d.StorePreset(17, seventeenth);
  });
  ASSERT_NO_FATAL_FAILURE(Connect());
  const auto storedSlots = [this] {
    return FSim.With([](const sim::SimDevice& d) {
      std::vector<sim::SlotStream> all;
      for (int slot = 1; slot <= sim::SlotCount; ++slot) all.push_back(d.StoredStream(slot));
      return all;
    });
  };
  const std::vector<sim::SlotStream> before = storedSlots();
  const sim::InfoBlock info = FSim.With([](const sim::SimDevice& d) { return d.Info(); });

  const std::string file = (FFolder / "unit.unt").string();
  FDialogs->AnswerFile(file);
  ASSERT_TRUE(Run(
      "an upload", [] { Find<TMenuItem>("Upload")->Click(); },
      [&] { return std::filesystem::exists(file) && Idle(); }));
  // Only the stored storedSlots were read: U03, then straight to U17.
  std::vector<int> selected;
  for (const sim::SimFrame& f : FSim.ReceivedWithCode(0x24)) selected.push_back(f.Command.Payload.at(0));
  EXPECT_EQ(selected, (std::vector<int>{3, 17}));

  // The device forgets everything; the download writes the file back and
  // restarts it, and the editor lets go of the link.
  FSim.With([](sim::SimDevice& d) {
    d.ClearPreset(3);
    d.ClearPreset(17);
    sim::InfoBlock blank{};
    blank[0] = d.Info()[0];  // the download writes the block from byte 1 on
    d.SetInfo(blank);
  });
  FDialogs->AnswerFile(file);
  ASSERT_TRUE(Run(
      "a download", [] { Find<TMenuItem>("Download")->Click(); },
      [&] {
        return FSim.With([](const sim::SimDevice& d) { return d.Restarts(); }) == 1 && !fmMain->IsOnline() &&
               !Shown(fmProcess);
      }));
  EXPECT_EQ(storedSlots(), before);
  EXPECT_EQ(FSim.With([](const sim::SimDevice& d) { return d.Info(); }), info);
  EXPECT_EQ(fmMain->OpenLink(), nullptr);
}

TEST_F(PresetsAndFiles, FilesThatCannotBeReadOrWrittenSayWhy) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  const std::string model = ModelStreamText();
  const std::string broken = (FFolder / "broken.prs").string();
  {
    std::FILE* f = std::fopen(broken.c_str(), "wb");
    std::fputs("not a preset", f);
    std::fclose(f);
  }
  const std::string readOnly = (FFolder / "kept.prs").string();
  std::filesystem::copy_file(broken, readOnly);
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
  struct Case {
    const char* item;
    std::string file;
    const char* key;
  };
  const Case cases[] = {
      {"Open", broken, "SID_INFO_ERROR_FILE"},
      {"Save", (FFolder / "no-such-folder" / "x.prs").string(), "SID_INFO_ERROR_FILE"},
      {"Save", readOnly, "SID_INFO_READ_ONLY"},
      {"Download", broken, "SID_INFO_ERROR_DOWNLAOD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    std::string shown;
    FDialogs->AnswerFile(c.file);
    Steps().When(
        c.item, [] { return true; }, [&] { Find<TMenuItem>(c.item)->Click(); });
    Steps().When(
        "the message", [] { return Shown(fmInformation); },
        [&] {
          shown = Message();
          if (const char* dir = std::getenv("TAVO_RENDER_DIR"); dir && std::string(c.key) == "SID_INFO_READ_ONLY") {
            EXPECT_TRUE(SaveControlImage(fmInformation, std::string(dir) + "/information-read-only.png"));
          }
          CloseMessage();
        });
    ASSERT_TRUE(Await(c.item, [&] { return !shown.empty() && !Shown(fmInformation); }));
    EXPECT_EQ(shown, fmMain->GetLangText(c.key));
  }
  EXPECT_EQ(ModelStreamText(), model);
  EXPECT_EQ(std::filesystem::file_size(readOnly), std::filesystem::file_size(broken)) << "left as it was";
  EXPECT_TRUE(fmMain->IsOnline());
  EXPECT_EQ(FSim.CountReceived(0x23), 0u);
}

}  // namespace
