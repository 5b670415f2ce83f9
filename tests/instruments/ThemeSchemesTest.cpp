// Theme schemes: the folders from the settings registry (system-wide, then
// the user's), the strict file grammar, categories shared by both files,
// and applying a scheme through property paths.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "instruments/base/iLed.h"
#include "tests/instruments/InstrumentsTestSupport.h"

using namespace instruments_test;

namespace {

namespace fs = std::filesystem;

// Environment variables and the current folder as the test found them.
class ThemeSchemesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    root = fs::temp_directory_path() / ("o1-themes-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "sys/tavo");
    fs::create_directories(root / "home/tavo");
    fs::create_directories(root / "lib");
    fs::create_directories(root / "user");
    fs::create_directories(root / "cwd");
    for (const char* v : {"XDG_CONFIG_DIRS", "XDG_CONFIG_HOME"}) {
      const char* old = std::getenv(v);
      saved.emplace_back(v, old ? std::optional<std::string>(old) : std::nullopt);
    }
    setenv("XDG_CONFIG_DIRS", ((root / "sys").string() + ":/etc/xdg").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "home").string().c_str(), 1);
    cwd = fs::current_path();
  }
  void TearDown() override {
    fs::current_path(cwd);
    for (auto& [name, value] : saved)
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    fs::remove_all(root);
  }
  void WriteFile(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
  void Settings(const char* Which, const std::string& Lines) {
    WriteFile(root / Which / "tavo/registry.ini", "[SOFTWARE\\Vantor\\Themes]\n" + Lines);
  }
  static std::string Theme(const std::string& Category, const std::string& Schemes) {
    return "<SchemeTypes>\r\n<SchemeType>\r\n<Name>" + Category + "</Name>\r\n" + Schemes +
           "</SchemeType>\r\n</SchemeTypes>\r\n";
  }
  static std::string Scheme(const std::string& Name, const std::string& Props) {
    return "<Scheme>\r\n<Name>" + Name + "</Name>\r\n<Properties>\r\n" + Props + "</Properties>\r\n</Scheme>\r\n";
  }

  fs::path root, cwd;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved;
  TiLedRound led{nullptr};
};

TEST_F(ThemeSchemesTest, FoldersComeFromTheSystemThenTheUsersSettings) {
  Settings("sys", "Vantor Defined Theme Path=  " + (root / "lib").string() +
                      "  \nUser Defined Theme Path=/nowhere\n");
  Settings("home", "User Defined Theme Path=" + (root / "user").string() + "/\nVantor Defined Theme Path=\n");
  std::string library, user;
  TiVCLComponent::GetThemeFolders(library, user);
  EXPECT_EQ(library, (root / "lib").string() + "/");
  EXPECT_EQ(user, (root / "user").string() + "/");

  WriteFile(root / "lib/TiLedRound.xml",
            Theme("Colours", Scheme("Red", "<ActiveColor>255</ActiveColor>\r\n<Active>True</Active>\r\n")));
  WriteFile(root / "user/TiLedRoundUser.xml",
            Theme("colours", Scheme("Blue", "<ActiveColor>16711680</ActiveColor>\r\n<>x</>\r\n")));
  led.LoadThemes();
  ASSERT_EQ(led.GetThemeCategoryCount(), 1);
  EXPECT_EQ(led.GetThemeCategoryName(0), "Colours");
  ASSERT_EQ(led.GetThemeCategorySchemeCount(0), 2);
  EXPECT_EQ(led.GetThemeCategorySchemeName(0, 0), "Red");
  EXPECT_FALSE(led.GetThemeCategorySchemeIsUser(0, 0));
  EXPECT_EQ(led.GetThemeCategorySchemeName(0, 1), "Blue");
  EXPECT_TRUE(led.GetThemeCategorySchemeIsUser(0, 1));
  led.ApplyScheme(0, 0);
  EXPECT_EQ(led.GetActiveColor(), 255);
  EXPECT_TRUE(led.GetActive());
  led.ApplyScheme(0, 1);
  EXPECT_EQ(led.GetActiveColor(), 0xFF0000);
  // Loading again replaces what was read.
  led.LoadThemes();
  EXPECT_EQ(led.GetThemeCategorySchemeCount(0), 2);
}

TEST_F(ThemeSchemesTest, WithoutSettingsTheCurrentFolderHoldsTheBareClassName) {
  fs::current_path(root / "cwd");
  WriteFile(root / "cwd/TiLedRound.xml", Theme("Looks", Scheme("Dim", "<InactiveColor>1</InactiveColor>\r\n")));
  led.LoadThemes();
  ASSERT_EQ(led.GetThemeCategoryCount(), 1);
  led.ApplyScheme(0, 0);
  EXPECT_EQ(led.GetInactiveColor(), 1);
}

TEST_F(ThemeSchemesTest, MalformedFilesFailAndKeepWhatWasRead) {
  fs::current_path(root / "cwd");
  struct {
    const char* Name;
    std::string Text;
  } cases[] = {
      {"properties end not followed by the scheme end",
       "<SchemeTypes>\r\n<SchemeType>\r\n<Name>A</Name>\r\n<Scheme>\r\n<Name>S</Name>\r\n<Properties>\r\n"
       "<Active>True</Active>\r\n</Properties>\r\n</SchemeType>\r\n</SchemeTypes>\r\n"},
      {"indented", "<SchemeTypes>\r\n  <SchemeType>\r\n  <Name>A</Name>\r\n  </SchemeType>\r\n</SchemeTypes>\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    WriteFile(root / "cwd/TiLedRound.xml", c.Text);
    try {
      led.LoadThemes();
      FAIL();
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Error Loading Scheme. XML File Malformed");
    }
  }
  // The first case's category and scheme stay.
  WriteFile(root / "cwd/TiLedRound.xml", cases[0].Text);
  EXPECT_THROW(led.LoadThemes(), Exception);
  ASSERT_EQ(led.GetThemeCategoryCount(), 1);
  EXPECT_EQ(led.GetThemeCategorySchemeCount(0), 1);
  // A value that does not fit its property raises during the apply.
  WriteFile(root / "cwd/TiLedRound.xml",
            Theme("A", Scheme("S", "<InactiveColor>7</InactiveColor>\r\n<ActiveColor>red</ActiveColor>\r\n")));
  led.LoadThemes();
  EXPECT_THROW(led.ApplyScheme(0, 0), Exception);
  EXPECT_EQ(led.GetInactiveColor(), 7);
}

}  // namespace
