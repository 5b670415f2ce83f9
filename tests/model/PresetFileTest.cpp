#include "model/FileIo.h"
#include "model/LUnitControl.h"
#include "model/PresetFile.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

Bytes Magic() {
  const char* m = "****TAVOV013****";
  return Bytes(m, m + 16);
}

// A model whose current set is random except the header bytes.
void Randomise(LUnitControl& unit, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes body = RandomBytes(rng, 1262);
  ASSERT_TRUE(unit.LoadPresetAndSend(body));
}

std::size_t FilesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(PresetFile, WriteThenReadGivesIdenticalBytes) {
  TempFolder folder;
  LUnitControl a;
  Randomise(a, 11);
  ASSERT_EQ(WritePresetFile(folder.File("a.prs"), a), FileStatus::Ok);
  const Bytes written = ReadAll(folder.File("a.prs"));
  ASSERT_EQ(written.size(), 1278u);
  EXPECT_EQ(Bytes(written.begin(), written.begin() + 16), Magic());
  EXPECT_EQ(written[1276], '\r');
  EXPECT_EQ(written[1277], '\n');
  EXPECT_EQ(written, BuildPresetFile(a));

  PresetFileBody body{};
  ASSERT_EQ(ReadPresetFile(folder.File("a.prs"), body), FileStatus::Ok);
  EXPECT_TRUE(std::equal(body.begin(), body.end(), written.begin() + 16));

  RecordingOwner owner;
  LUnitControl b(&owner);
  ASSERT_TRUE(b.LoadPresetAndSend(body));
  EXPECT_EQ(owner.Sent.size(), 284u);
  ASSERT_EQ(WritePresetFile(folder.File("b.prs"), b), FileStatus::Ok);
  EXPECT_EQ(ReadAll(folder.File("b.prs")), written);
  EXPECT_EQ(FilesIn(folder.Path), 2u) << "no temporary file is left behind";
}

TEST(PresetFile, HandWrittenFileReadsIntoTheExpectedFields) {
  Bytes file = Magic();
  file.resize(1278, 0);
  const auto word = [&](std::size_t off, std::uint16_t v) {
    file[off] = static_cast<std::uint8_t>(v & 0xFF);
    file[off + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  std::memcpy(&file[16], "Hand Made Set!", 14);
  std::memcpy(&file[30 + 62 * 2], "Kick", 4);  // input 2 name
  file[30 + 62 * 2 + 9] = 21;                  // input 2 mic gain
  word(30 + 62 * 2 + 56, 345);                 // input 2 gain
  word(30 + 62 * 7 + 60, 0x00C0);              // input 7 link mask
  std::memcpy(&file[526], "FX", 2);            // effect-bus name
  file[534] = 0x0F;                            // effect-bus route
  file[535] = 0xAA;                            // zero position: not stored
  file[536] = 1;                               // effect on
  file[538] = 90;                              // effect volume
  file[540] = 3;                               // camera default
  word(542, 2);                                // automix slope
  word(550, 0x0081);                           // automix gate input mask
  word(564 + 6 * 4 + 2, 222);                  // effect-bus band 4 frequency
  word(602 + 6, 77);                           // reverb gain
  word(618, 300);                              // effect-bus gain
  word(620 + 76 * 3 + 72, 4800);               // output 3 (channel 11) delay
  word(620 + 76 * 3 + 8, 0x0105);              // output 3 routing
  word(1228, 0x0081);                          // input mute mask
  word(1230, 1);                               // effect-bus mute
  word(1228 + 6 + 2 * 8, 0x0010);              // effect-bus band-bypass word
  file[1272] = 64;                             // sub-control 1 volume
  word(1274, 0x8001);                          // sub-control 1 mask
  file[1276] = '\r';
  file[1277] = '\n';

  TempFolder folder;
  WriteAll(folder.File("hand.prs"), file);
  PresetFileBody body{};
  ASSERT_EQ(ReadPresetFile(folder.File("hand.prs"), body), FileStatus::Ok);
  RecordingOwner owner;
  LUnitControl unit(&owner);
  unit.SetDelayUnit(2);
  unit.SetMemorizeMode(0);
  ASSERT_TRUE(unit.LoadPresetAndSend(body));

  EXPECT_EQ(unit.GetPresetName(), "Hand Made Set!");
  EXPECT_EQ(unit.GetChannelName(2), "Kick");
  EXPECT_EQ(unit.GetMicGain(2), 21);
  EXPECT_EQ(unit.GetGain(2), 345);
  EXPECT_EQ(unit.GetLinkMask(7), 0x00C0);
  EXPECT_EQ(unit.GetChannelName(18), "FX");
  EXPECT_EQ(unit.GetMatrix(18), 0x0F);
  EXPECT_EQ(unit.GetEffectOn(), 1);
  EXPECT_EQ(unit.GetEffectVolume(), 90);
  EXPECT_EQ(unit.GetCameraDefault(), 3);
  EXPECT_EQ(unit.GetAutoMixSlope(), 2);
  EXPECT_EQ(unit.GetAutoMixGate().InputMask, 0x0081);
  EXPECT_EQ(unit.GetPeqBand(18, 4).Freq, 222);
  EXPECT_EQ(unit.GetReverbWords().Gain, 77);
  EXPECT_EQ(unit.GetGain(18), 300);
  EXPECT_EQ(unit.GetDelay(11), 4800);
  EXPECT_EQ(unit.GetMatrix(11), 0x0105);
  EXPECT_TRUE(unit.GetMute(0));
  EXPECT_TRUE(unit.GetMute(7));
  EXPECT_FALSE(unit.GetMute(1));
  EXPECT_TRUE(unit.GetMute(18));
  EXPECT_TRUE(unit.GetPeqBypass(18, 4));
  EXPECT_EQ(unit.GetSubCtrl(1).Volume, 64);
  EXPECT_EQ(unit.GetSubCtrl(1).ChannelMask, 0x8001);
  EXPECT_EQ(unit.GetDelayUnit(), 2) << "fields after the second sub-control record are not in the file";
  EXPECT_EQ(unit.GetMemorizeMode(), 0);

  // The zero position after the route travels as the routing's high byte.
  const auto route = std::find_if(owner.Sent.begin(), owner.Sent.end(), [](const SentCommand& c) {
    return c.Command.Code == 0x3A && c.Command.Payload.at(0) == 18;
  });
  ASSERT_NE(route, owner.Sent.end());
  EXPECT_EQ(route->Command.Payload, (Bytes{18, 0x0F, 0xAA}));
}

TEST(PresetFile, RefusesFilesOfAnotherSizeOrMagicAndChangesNothing) {
  Bytes good = Magic();
  good.resize(1278, 0x31);
  Bytes oneCharOff = good;
  oneCharOff[7] = 'X';
  Bytes lowerCase = good;
  lowerCase[4] = 't';
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"empty", {}},
      {"magic only", Magic()},
      {"1277 bytes", Bytes(good.begin(), good.end() - 1)},
      {"1279 bytes",
       [&] {
         Bytes b = good;
         b.push_back('\n');
         return b;
       }()},
      {"far too long",
       [&] {
         Bytes b = good;
         b.resize(70000, 0);
         return b;
       }()},
      {"one magic character differs", oneCharOff},
      {"magic in another case", lowerCase},
  };
  TempFolder folder;
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    WriteAll(folder.File("bad.prs"), bytes);
    PresetFileBody body;
    body.fill(0xAB);
    EXPECT_EQ(ReadPresetFile(folder.File("bad.prs"), body), FileStatus::BadFile);
    EXPECT_TRUE(std::all_of(body.begin(), body.end(), [](std::uint8_t b) { return b == 0xAB; }));
  }
  PresetFileBody body{};
  EXPECT_EQ(ReadPresetFile(folder.File("missing.prs"), body), FileStatus::CannotRead);
  EXPECT_EQ(ReadPresetFile(folder.Path.string(), body), FileStatus::CannotRead);
  // A named pipe with no writer is refused at once instead of hanging.
  const std::string pipe = folder.File("pipe.prs");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(ReadPresetFile(pipe, body), FileStatus::CannotRead);
}

TEST(PresetFile, FailedSaveReportsItAndKeepsTheOldFile) {
  TempFolder folder;
  LUnitControl unit;
  WriteAll(folder.File("plain"), Bytes{1, 2, 3});
  EXPECT_EQ(WritePresetFile(folder.File("plain/x.prs"), unit), FileStatus::WriteFailed);
  EXPECT_EQ(WritePresetFile(folder.File("missing/x.prs"), unit), FileStatus::WriteFailed);
  fs::create_directory(folder.File("adir"));
  EXPECT_EQ(WritePresetFile(folder.File("adir"), unit), FileStatus::WriteFailed);
  EXPECT_TRUE(fs::is_directory(folder.File("adir")));

  // The disk fills up in the middle of the write (a file-size limit in a
  // child process): the existing file must survive untouched.
  const Bytes old(2000, 0x5C);
  const std::string target = folder.File("keep.prs");
  WriteAll(target, old);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {
      512, 512
    };
    ::setrlimit(RLIMIT_FSIZE, &limit);
    LUnitControl inChild;
    ::_exit(WritePresetFile(target, inChild) == FileStatus::WriteFailed ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "a short write must be reported";
  EXPECT_EQ(ReadAll(target), old);
  EXPECT_EQ(FilesIn(folder.Path), 3u) << "plain, adir and keep.prs: no temporary file left";

  ASSERT_EQ(WritePresetFile(target, unit), FileStatus::Ok);
  EXPECT_EQ(ReadAll(target), BuildPresetFile(unit));
}

TEST(PresetFile, SavesKeepTheFilesProtection) {
  TempFolder folder;
  LUnitControl unit;
  const Bytes old(1278, 0x33);
  // Read-only: refused and left as it was.
  const std::string readOnly = folder.File("ro.prs");
  WriteAll(readOnly, old);
  ::chmod(readOnly.c_str(), 0444);
  EXPECT_EQ(WritePresetFile(readOnly, unit), FileStatus::ReadOnly);
  EXPECT_EQ(ReadAll(readOnly), old);
  // A private file stays private; a new one gets the usual mode.
  const std::string secret = folder.File("secret.prs");
  WriteAll(secret, old);
  ::chmod(secret.c_str(), 0600);
  ASSERT_EQ(WritePresetFile(secret, unit), FileStatus::Ok);
  struct stat st {};
  ASSERT_EQ(::stat(secret.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(ReadAll(secret), BuildPresetFile(unit));
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ASSERT_EQ(WritePresetFile(folder.File("new.prs"), unit), FileStatus::Ok);
  ASSERT_EQ(::stat(folder.File("new.prs").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0666u & ~mask);
  // A link is followed: the file it names gets the set, the link stays.
  fs::create_directory(folder.File("sets"));
  const std::string real = folder.File("sets/real.prs");
  WriteAll(real, old);
  const std::string link = folder.File("link.prs");
  fs::create_symlink("sets/real.prs", link);
  ASSERT_EQ(WritePresetFile(link, unit), FileStatus::Ok);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadAll(real), BuildPresetFile(unit));
  EXPECT_EQ(FilesIn(folder.File("sets")), 1u);
  EXPECT_EQ(FilesIn(folder.Path), 5u) << "ro, secret, new, sets, link and nothing else";
}

TEST(PresetFile, ASaveKilledWhileWritingLeavesTheOldFileAndNothingElse) {
  TempFolder folder;
  const Bytes old(1278, 0x5C);
  const std::string target = folder.File("keep.prs");
  WriteAll(target, old);
  // A name a save of an ended process left behind goes with the next save.
  const pid_t gone = ::fork();
  ASSERT_GE(gone, 0);
  if (gone == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
  WriteAll(folder.File(".keep.prs." + std::to_string(gone) + ".tmp"), Bytes{1});

  // The file-size limit kills the child in the middle of its write.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_DFL);
    struct rlimit limit {
      700, 700
    };
    ::setrlimit(RLIMIT_FSIZE, &limit);
    LUnitControl inChild;
    WritePresetFile(target, inChild);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the child must die while writing";
  EXPECT_EQ(ReadAll(target), old);

  LUnitControl unit;
  ASSERT_EQ(WritePresetFile(target, unit), FileStatus::Ok);
  EXPECT_EQ(ReadAll(target), BuildPresetFile(unit));
  EXPECT_EQ(FilesIn(folder.Path), 1u) << "only keep.prs";
}

TEST(PresetFile, FileNamesGetTheExtensionOnce) {
  const std::pair<const char*, const char*> prs[] = {
      {"name.prs", "name.prs"},
      {"name.PRS", "name.prs"},
      {"name.txt", "name.txt.prs"},
      {"a.Prs", "a.Prs.prs"},
      {"a", "a.prs"},
      {"/x/set.prs.bak", "/x/set.prs"},
      {"show.PRS.prs", "show.prs"},
      // Folders are never cut, whatever their names hold.
      {"gigs.prs-archive/friday", "gigs.prs-archive/friday.prs"},
      {"/a/OLD.PRS/b.prs/set.prs.bak", "/a/OLD.PRS/b.prs/set.prs"},
  };
  for (const auto& [chosen, expected] : prs) EXPECT_EQ(FileNameWithExtension(chosen, ".prs"), expected);
  EXPECT_EQ(FileNameWithExtension("rack.UNT", ".unt"), "rack.unt");
}

}  // namespace
