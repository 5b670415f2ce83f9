// The plot's translation table: exact lookups newest first, the file in the
// ANSI code page (GBK holds Chinese, CP1252 refuses it and writes nothing),
// format errors, reversal on load and on streaming, and the constructor's
// required callbacks.

#include <filesystem>
#include <fstream>

#include "instruments/plot/iXYPlot.h"
#include "platform/sys/CodePage.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;

namespace {

class PlotTranslationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    dir = std::filesystem::temp_directory_path() /
          ("o1-translation-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    page = GetAnsiCodePage();
  }
  void TearDown() override {
    SetAnsiCodePage(page);
    std::filesystem::remove_all(dir);
  }
  std::string File(const char* name) { return (dir / name).string(); }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(File(name.c_str()), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(File(name.c_str()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> Entries() {
    std::vector<std::string> out;
    for (int i = 0; i < plot.GetTranslationCount(); ++i)
      out.push_back(plot.GetTranslationOriginalString(i) + "=" + plot.GetTranslationReplacementString(i));
    return out;
  }

  TiXYPlot plot{nullptr};
  std::filesystem::path dir;
  AnsiCodePage page;
};

TEST_F(PlotTranslationTest, LookupsAreExactAndTheNewestWins) {
  EXPECT_EQ(plot.TranslateText("Edit..."), "Edit...");
  EXPECT_EQ(plot.AddTranslation("Edit...", "Bearbeiten..."), 0);
  EXPECT_EQ(plot.AddTranslation("Zoom to Fit", "Einpassen"), 0);
  EXPECT_EQ(plot.TranslateText("Edit..."), "Bearbeiten...");
  EXPECT_EQ(plot.TranslateText("edit..."), "edit...");
  plot.AddTranslation("Edit...", "Editieren...");
  EXPECT_EQ(plot.TranslateText("Edit..."), "Editieren...");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Edit...=Editieren...", "Zoom to Fit=Einpassen",
                                                 "Edit...=Bearbeiten..."}));
  plot.DeleteTranslation(0);
  EXPECT_EQ(plot.TranslateText("Edit..."), "Bearbeiten...");
  EXPECT_THROW(plot.DeleteTranslation(5), Exception);
  // The axis' popup items pass through the table.
  TPopupMenu menu(nullptr);
  plot.GetXAxis(0)->BuildPopupMenu(&menu);
  EXPECT_EQ(menu.GetItems()->GetItems(2)->GetCaption(), "Einpassen");
}

TEST_F(PlotTranslationTest, TheTableNeedsBothCallbacks) {
  TNotifyEvent none, some = [](TObject*) {};
  try {
    TiPlotTranslationManager m(none, none);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "OnInsert event handler can not be null");
  }
  try {
    TiPlotTranslationManager m(some, none);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "OnRemove event handler can not be null");
  }
}

TEST_F(PlotTranslationTest, FileLinesLoadReversedAndSaveReversedAgain) {
  Write("t.txt", "L1\tone\r\nL2\ttwo\nL3\ta\tb\r");
  plot.LoadTranslationsFromFile(File("t.txt"));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"L3=a\tb", "L2=two", "L1=one"}));
  plot.SaveTranslationsToFile(File("out.txt"));
  EXPECT_EQ(Read("out.txt"), "L3\ta\tb\r\nL2\ttwo\r\nL1\tone\r\n");
  // An empty table writes an empty file.
  plot.RemoveAllTranslations();
  plot.SaveTranslationsToFile(File("empty.txt"));
  EXPECT_EQ(Read("empty.txt"), "");
}

TEST_F(PlotTranslationTest, ALineWithoutATabFailsAndKeepsTheLinesBefore) {
  Write("bad.txt", "A\ta\r\nB\tb\r\nno tab here\r\nC\tc\r\n");
  try {
    plot.LoadTranslationsFromFile(File("bad.txt"));
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Error Loading Data - Invalid Format - Tab Deliminator Missing");
  }
  EXPECT_EQ(Entries(), (std::vector<std::string>{"B=b", "A=a"}));
  // A file that cannot be read leaves the table as it was.
  EXPECT_THROW(plot.LoadTranslationsFromFile(File("missing.txt")), Exception);
  EXPECT_EQ(plot.GetTranslationCount(), 2);
}

TEST_F(PlotTranslationTest, ChineseUnderGbkRoundTripsAndCp1252RefusesIt) {
  plot.AddTranslation("Zoom to Fit", "缩放到适合");
  SetAnsiCodePage(AnsiCodePage::Gbk);
  plot.SaveTranslationsToFile(File("gbk.txt"));
  EXPECT_EQ(Read("gbk.txt"), Utf8ToAnsi("Zoom to Fit\t缩放到适合\r\n", AnsiCodePage::Gbk));
  plot.RemoveAllTranslations();
  plot.LoadTranslationsFromFile(File("gbk.txt"));
  EXPECT_EQ(plot.TranslateText("Zoom to Fit"), "缩放到适合");

  SetAnsiCodePage(AnsiCodePage::Cp1252);
  try {
    plot.SaveTranslationsToFile(File("cp1252.txt"));
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Error Saving Translation Data - ", 0), 0u) << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(File("cp1252.txt")));
  // Reading honours a byte-order mark whatever the code page.
  Write("utf8.txt", "\xEF\xBB\xBFPrint\t打印\r\n");
  Write("utf16.txt", std::string("\xFF\xFEP\0r\0\t\0\x53\x62\r\0\n\0", 14));
  plot.LoadTranslationsFromFile(File("utf8.txt"));
  EXPECT_EQ(plot.TranslateText("Print"), "打印");
  plot.LoadTranslationsFromFile(File("utf16.txt"));
  EXPECT_EQ(plot.TranslateText("Pr"), "打");
}

TEST_F(PlotTranslationTest, StreamingWritesNothingWhenEmptyAndReadingReverses) {
  TiPlotTranslationManager* table = plot.GetTranslationManager();
  EXPECT_FALSE(table->DoWriteToStream());
  plot.AddTranslation("a", "1");
  plot.AddTranslation("b", "2");
  ASSERT_TRUE(table->DoWriteToStream());
  TStringList lines;
  table->WriteToStream(&lines);
  EXPECT_EQ(lines.Get(0), "Item0.OriginalString = b");
  lines.Add("Other = 1");
  table->ReadFromStream(&lines);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"a=1", "b=2"}));
  EXPECT_EQ(lines.Count(), 1);
}

}  // namespace
