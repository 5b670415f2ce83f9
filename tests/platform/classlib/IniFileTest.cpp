#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/classlib/IniFiles.h"
#include "platform/classlib/StringList.h"

namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/inifile-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    FDir = pattern;
    FPath = FDir + "/settings.ini";
  }
  void TearDown() override { std::system(("rm -rf '" + FDir + "'").c_str()); }

  void Put(const std::string& text) const { std::ofstream(FPath, std::ios::binary) << text; }
  std::string Get() const {
    std::ifstream in(FPath, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Nothing but the target file is left in the folder (no temporary files).
  int FilesInFolder() const {
    std::string out;
    FILE* p = popen(("ls -A '" + FDir + "' | wc -l").c_str(), "r");
    char buf[32] = {};
    if (p && fgets(buf, sizeof buf, p)) out = buf;
    if (p) pclose(p);
    return std::atoi(out.c_str());
  }

  std::string FDir;
  std::string FPath;
};

std::string Lines(const TStrings& s) {
  std::string r;
  for (int i = 0; i < s.Count(); ++i) r += s.GetStrings(i) + "|";
  return r;
}

}  // namespace

TEST_F(IniFileTest, WritesKeepOrderCaseCommentsAndUnknownLines) {
  Put("; made by hand\n"
      "stray line before any section\n"
      "[Fill]\n"
      "Color = 255\n"
      "  ColorTo=16711680\n"
      "# a comment inside\n"
      "just text\n"
      "\n"
      "[Other]\n"
      "Name=first=second\n");
  TIniFile ini(FPath);
  EXPECT_EQ(ini.ReadInteger("fill", "COLOR", -1), 255);
  EXPECT_EQ(ini.ReadInteger("Fill", "ColorTo", -1), 16711680);
  EXPECT_EQ(ini.ReadString("Other", "name", ""), "first=second");
  EXPECT_EQ(ini.ReadString("Other", "missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Missing", "Name", "dflt"), "dflt");

  ini.WriteInteger("FILL", "color", 65280);  // changes the value only
  ini.WriteInteger("Fill", "Opacity", 128);  // after the section's last key
  ini.WriteBool("Other", "Visible", true);
  ini.WriteString("New", "Text", " spaced ");
  EXPECT_EQ(Get(),
            "; made by hand\n"
            "stray line before any section\n"
            "[Fill]\n"
            "Color =65280\n"
            "  ColorTo=16711680\n"
            "Opacity=128\n"
            "# a comment inside\n"
            "just text\n"
            "\n"
            "[Other]\n"
            "Name=first=second\n"
            "Visible=1\n"
            "[New]\n"
            "Text= spaced \n");
  EXPECT_EQ(FilesInFolder(), 1);

  // Another reader sees the same.
  TIniFile again(FPath);
  EXPECT_EQ(again.ReadInteger("Fill", "Color", 0), 65280);
  EXPECT_TRUE(again.ReadBool("other", "visible", false));
  EXPECT_EQ(again.ReadString("New", "Text", ""), "spaced");
}

TEST_F(IniFileTest, TypedValuesAndTheirDefaults) {
  TIniFile ini(FPath);  // no file yet
  ini.WriteInteger("S", "Int", -42);
  ini.WriteFloat("S", "Float", 0.1);
  ini.WriteBool("S", "False", false);
  ini.WriteString("S", "Hex", "$FF");
  ini.WriteString("S", "Junk", "12abc");
  ini.WriteString("S", "Empty", "");
  struct Case {
    const char* key;
    int asInt;
    double asFloat;
    bool asBool;
  } cases[] = {
      {"Int", -42, -42.0, true}, {"Float", 7, 0.1, true}, {"False", 0, 0.0, false},  {"Hex", 255, 7.0, true},
      {"Junk", 7, 7.0, true},    {"Empty", 7, 7.0, true}, {"Missing", 7, 7.0, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ini.ReadInteger("S", c.key, 7), c.asInt) << c.key;
    EXPECT_EQ(ini.ReadFloat("S", c.key, 7.0), c.asFloat) << c.key;
    EXPECT_EQ(ini.ReadBool("S", c.key, true), c.asBool) << c.key;
  }
  EXPECT_EQ(ini.ReadString("S", "Float", ""), "0.1");
}

TEST_F(IniFileTest, SectionListsAndRemoval) {
  Put("[A]\nk1=1\n;note\nK2=2\n[Empty]\n; only a comment\n[B]\nx=9\n");
  TIniFile ini(FPath);
  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(Lines(list), "A|Empty|B|");
  ini.ReadSection("a", &list);
  EXPECT_EQ(Lines(list), "k1|K2|");
  ini.ReadSectionValues("A", &list);
  EXPECT_EQ(Lines(list), "k1=1|K2=2|");
  ini.ReadSection("none", &list);
  EXPECT_EQ(list.Count(), 0);

  EXPECT_TRUE(ini.SectionExists("b"));
  EXPECT_FALSE(ini.SectionExists("Empty")) << "a section without keys";
  EXPECT_FALSE(ini.SectionExists("none"));
  EXPECT_TRUE(ini.ValueExists("A", "k2"));
  EXPECT_FALSE(ini.ValueExists("B", "k2"));

  ini.DeleteKey("A", "K1");
  ini.DeleteKey("A", "absent");
  ini.EraseSection("empty");
  ini.EraseSection("absent");
  EXPECT_EQ(Get(), "[A]\n;note\nK2=2\n[B]\nx=9\n");
}

TEST_F(IniFileTest, WindowsLineEndsStayAndBadNamesAreRefused) {
  Put("[S]\r\nA=1\r\n");
  TIniFile ini(FPath);
  EXPECT_EQ(ini.ReadString("S", "A", ""), "1");
  ini.WriteString("S", "B", "2");
  EXPECT_EQ(Get(), "[S]\r\nA=1\r\nB=2\r\n");

  const struct {
    const char* section;
    const char* key;
    const char* value;
  } bad[] = {
      {"S", "A", "two\nlines"}, {"S", "a=b", "1"}, {"S", "[X]", "1"}, {"S", "", "1"},
      {"", "A", "1"},           {"S]", "A", "1"},  {"S\n", "A", "1"}, {"S", ";A", "1"},
  };
  for (const auto& b : bad) {
    EXPECT_THROW(ini.WriteString(b.section, b.key, b.value), EIniFileException) << b.section << "/" << b.key;
  }
  EXPECT_EQ(Get(), "[S]\r\nA=1\r\nB=2\r\n");
}

TEST_F(IniFileTest, AFailedWriteRaisesAndKeepsTheOldFile) {
  const std::string before = "[S]\nA=1\n";
  Put(before);
  chmod(FPath.c_str(), 0640);
  TIniFile ini(FPath);
  ini.WriteString("S", "A", "2");
  struct stat st {};
  ASSERT_EQ(stat(FPath.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u) << "the replaced file keeps its permissions";

  // The file system refuses the bytes: a file size limit makes write() fail
  // part-way.
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool raised = false;
  try {
    ini.WriteString("S", "Long", std::string(100, 'x'));
  } catch (const EIniFileException& e) {
    raised = true;
    EXPECT_NE(std::string(e.what()).find(FPath), std::string::npos) << e.what();
  }
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  EXPECT_TRUE(raised);
  EXPECT_EQ(Get(), "[S]\nA=2\n");
  EXPECT_EQ(FilesInFolder(), 1) << "the temporary file is gone";
  // What the object holds is still what the file holds.
  EXPECT_FALSE(ini.ValueExists("S", "Long"));
  ini.WriteString("S", "B", "3");
  EXPECT_EQ(Get(), "[S]\nA=2\nB=3\n");

  // A folder that is gone: the write raises too.
  TIniFile lost(FDir + "/no/such/folder/x.ini");
  EXPECT_THROW(lost.WriteString("S", "A", "1"), EIniFileException);
  EXPECT_THROW(lost.UpdateFile(), EIniFileException);
}

TEST_F(IniFileTest, OnlyRegularFilesAreRead) {
  ASSERT_EQ(mkfifo(FPath.c_str(), 0600), 0);
  TIniFile ini(FPath);  // must not hang on the pipe
  EXPECT_EQ(ini.ReadString("S", "A", "none"), "none");
  // A link is followed: the file it names is replaced, the link stays.
  unlink(FPath.c_str());
  Put("[S]\nA=1\n");
  const std::string link = FDir + "/link.ini";
  ASSERT_EQ(symlink(FPath.c_str(), link.c_str()), 0);
  TIniFile viaLink(link);
  viaLink.WriteString("S", "A", "5");
  struct stat st {};
  ASSERT_EQ(lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(Get(), "[S]\nA=5\n");
}
