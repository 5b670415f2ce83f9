// The plot's and the channels' files and logs, byte for byte, read back, and
// their readers under damaged input.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "instruments/plot/iPlot.h"
#include "instruments/plot/iPlotAnnotation.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotChannel.h"
#include "instruments/plot/iPlotLabel.h"
#include "instruments/plot/iPlotLegend.h"
#include "instruments/plot/iXYPlot.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "platform/sys/CodePage.h"
#include "tests/instruments/PlotTestHost.h"

using namespace instruments_test;

namespace {

std::string Bytes(const std::string& File) {
  std::ifstream in(File, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::string& File, const std::string& Content) {
  std::ofstream(File, std::ios::binary) << Content;
}

std::string Single(float Value) {
  char b[4];
  std::memcpy(b, &Value, 4);
  return std::string(b, 4);
}

// The message of what Fn raises; empty when it raises nothing.
template <class F>
std::string Raised(F&& Fn) {
  try {
    Fn();
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

class PlotFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    dir = ::testing::TempDir() + "plot-files/";
    std::filesystem::create_directories(dir);
    plot = NewXYPlot(2);
  }
  static std::unique_ptr<TiXYPlot> NewXYPlot(int Channels) {
    auto p = std::make_unique<TiXYPlot>(nullptr);
    p->RemoveAllChannels();
    p->GetMaster()->SetChannelClass(iChannelClass<TiXYPlotChannel>());
    for (int i = 0; i < Channels; ++i) p->AddChannel();
    return p;
  }
  // Two channels A and B of 3 and 1 points.
  void FillThreeAndOne() {
    plot->GetChannel(0)->SetTitleText("A");
    plot->GetChannel(1)->SetTitleText("B");
    plot->GetChannel(0)->AddXY(0, 1);
    plot->GetChannel(0)->AddXY(0.5, 2);
    plot->GetChannel(0)->AddXY(1, 3);
    plot->GetChannel(1)->AddXY(5, 6);
  }
  static std::vector<std::string> Points(TiPlotChannelCustom* Channel) {
    std::vector<std::string> out;
    for (int i = 0; i < Channel->GetCount(); ++i) {
      double x, y;
      bool empty, null;
      Channel->GetXYEmptyNull(i, x, y, empty, null);
      out.push_back(FloatToStr(x) + "," + (null ? "Null" : empty ? "Empty" : FloatToStr(y)));
    }
    return out;
  }
  std::string dir;
  std::unique_ptr<TiXYPlot> plot;
};

// ---------------------------------------------------------------- data files

TEST_F(PlotFilesTest, TextDataFileByteForByteAndBack) {
  FillThreeAndOne();
  plot->GetChannel(0)->SetNull(1, true);
  plot->GetChannel(0)->SetEmpty(2, true);
  const std::string file = dir + "text.txt";
  int saved = 0;
  plot->OnAfterSaveData = [&](TObject*) { ++saved; };
  plot->SaveDataToFile(file);
  EXPECT_EQ(Bytes(file), "A(X)\tA(Y)\tB(X)\tB(Y)\r\n0\t1\t5\t6\r\n0.5\tNull\t\t\r\n1\tEmpty\t\t\r\n");
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(plot->GetLastDataFileName(), file);

  auto back = NewXYPlot(2);
  back->LoadDataFromFile(file);
  EXPECT_EQ(Points(back->GetChannel(0)), (std::vector<std::string>{"0,1", "0.5,Null", "1,Empty"}));
  EXPECT_EQ(Points(back->GetChannel(1)), (std::vector<std::string>{"5,6"}));
}

TEST_F(PlotFilesTest, CompactIntervalFileByteForByteAndBack) {
  auto one = NewXYPlot(1);
  one->GetChannel(0)->AddXY(0, 1);
  one->GetChannel(0)->AddXY(0.5, 2);
  one->GetChannel(0)->AddXY(1, 3);
  one->SetDataFileFormat(ipdffCompactInterval);
  const std::string file = dir + "compact.bin";
  one->SaveDataToFile(file);
  const std::string expected = std::string("Compact Interval\r\n1\r\n") + Single(0) + Single(1) +
                               Single(0.5f) + Single(2) + Single(3) + Single(2e38f);
  EXPECT_EQ(Bytes(file), expected);

  // Rows after the second carry no X: it continues their step, in an XY
  // channel as in a strip chart's interval store.
  auto back = NewXYPlot(1);
  back->LoadDataFromFile(file);
  EXPECT_EQ(Points(back->GetChannel(0)), (std::vector<std::string>{"0,1", "0.5,2", "1,3"}));
  TiPlot strip(nullptr);
  strip.GetChannel(0)->SetDataStyle(ipdsCompactInterval);
  strip.LoadDataFromFile(file);
  EXPECT_EQ(Points(strip.GetChannel(0)), (std::vector<std::string>{"0,1", "0.5,2", "1,3"}));

  // Two channels of 3 and 1 points: the missing values are 1e38.
  FillThreeAndOne();
  plot->SetDataFileFormat(ipdffCompactInterval);
  plot->SaveDataToFile(file);
  EXPECT_EQ(Bytes(file), std::string("Compact Interval\r\n2\r\n") + Single(0) + Single(1) + Single(5) +
                             Single(6) + Single(0.5f) + Single(2) + Single(1e38f) + Single(1e38f) +
                             Single(3) + Single(1e38f) + Single(2e38f));
  auto two = NewXYPlot(2);
  two->LoadDataFromFile(file);
  EXPECT_EQ(two->GetChannel(0)->GetCount(), 3);
  EXPECT_EQ(Points(two->GetChannel(1)), (std::vector<std::string>{"5,6"}));
}

TEST_F(PlotFilesTest, TextReadersByHeaderSeparatorAndDecimalComma) {
  struct Case {
    const char* Name;
    std::string Content;
    std::vector<std::string> Channel0, Channel1;
  } cases[] = {
      // Shared X: one X column for every channel.
      {"shared", "(X)\tA(Y)\tB(Y)\r\n1\t10\t20\r\n2\tnull\t\r\n", {"1,10", "2,Null"}, {"1,20"}},
      // Empty titles make "(X)", "(Y)", "(X)", "(Y)": still pairs.
      {"empty titles", "(X)\t(Y)\t(X)\t(Y)\r\n1\t10\t7\t70\r\n2\t20\r\n", {"1,10", "2,20"}, {"7,70"}},
      {"comma separated", "A(X),A(Y),B(X),B(Y)\r\n1.5,2.5,3,EMPTY\r\n", {"1.5,2.5"}, {"3,Empty"}},
      {"decimal commas", "A(X)\tA(Y)\r\n1,5\t2,25\r\n", {"1.5,2.25"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string file = dir + "reader.txt";
    Write(file, c.Content);
    auto p = NewXYPlot(2);
    p->LoadDataFromFile(file);
    EXPECT_EQ(Points(p->GetChannel(0)), c.Channel0);
    EXPECT_EQ(Points(p->GetChannel(1)), c.Channel1);
  }
}

TEST_F(PlotFilesTest, BrokenDataFilesSayWhy) {
  struct Case {
    const char* Name;
    std::string Content;
    std::string Message;
  } cases[] = {
      {"no channels ends", "Compact Interval\r\n0\r\n" + Single(1) + Single(2), ""},
      {"header without line end", "Compact Interval\r\n1", "Error Loading Data - Invalid Data"},
      {"short value", "Compact Interval\r\n1\r\n" + Single(1) + "ab", "Error Loading Data - Invalid Data"},
      {"count not a number", "Compact Interval\r\nmany\r\n" + Single(1),
       "Error Loading Data - 'many' is not a valid integer value"},
      {"huge count", "Compact Interval\r\n2000000000\r\n" + Single(1) + Single(2) + Single(3),
       "Error Loading Data - Invalid Data"},
      {"bad number", "A(X)\tA(Y)\r\n1\tx\r\n",
       "Error Loading Data - 'x' is not a valid floating point value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string file = dir + "broken.bin";
    Write(file, c.Content);
    auto p = NewXYPlot(1);
    int loaded = 0;
    p->OnAfterLoadData = [&](TObject*) { ++loaded; };
    EXPECT_EQ(Raised([&] { p->LoadDataFromFile(file); }), c.Message);
    EXPECT_EQ(loaded, c.Message.empty() ? 1 : 0);
    EXPECT_EQ(p->GetLastDataFileName(), c.Message.empty() ? file : "");
  }
  EXPECT_EQ(
      Raised([&] { plot->LoadDataFromFile(dir + "missing/none.txt"); }).rfind("Error Loading Data - ", 0),
      0u);
  EXPECT_EQ(Raised([&] { plot->SaveDataToFile(dir + "missing/none.txt"); }).rfind("Error Saving Data - ", 0),
            0u);
}

// ---------------------------------------------------------------- properties and annotations

TEST_F(PlotFilesTest, PropertiesFileRoundTripsAndRepeatsItself) {
  plot->AddChannel();
  plot->GetChannel(2)->SetTitleText("Third");
  plot->GetChannel(1)->SetColor(0x123456);
  plot->GetXAxis(0)->SetMin(-40);
  plot->AddLabel();
  plot->GetLabel(1)->SetCaption("Second line\r\nof text");
  plot->GetLegend(0)->SetLineColumnHeight(13);
  plot->SetOuterMarginLeft(9);
  plot->SetDifferentialPropertySave(true);
  const std::string file = dir + "props.txt";
  plot->SavePropertiesToFile(file);
  const std::string saved = Bytes(file);
  EXPECT_EQ(saved.rfind("File Type = Plot Config\r\nChannelCount = 3\r\nXAxisCount = 1\r\n", 0), 0u);
  EXPECT_NE(saved.find("\r\nChannel1.Color = 1193046\r\n"), std::string::npos);
  EXPECT_EQ(saved.find("\nName = "), std::string::npos);

  auto back = NewXYPlot(1);
  back->AddAnnotation();
  int before = 0, after = 0;
  back->OnBeforeLoadProperties = [&](TObject*) { ++before; };
  back->OnAfterLoadProperties = [&](TObject*) { ++after; };
  back->LoadPropertiesFromFile(file);
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
  EXPECT_EQ(back->GetChannelCount(), 3);
  EXPECT_EQ(back->GetChannel(2)->GetTitleText(), "Third");
  EXPECT_EQ(back->GetChannel(1)->GetColor(), TColor(0x123456));
  EXPECT_EQ(back->GetXAxis(0)->GetMin(), -40);
  EXPECT_EQ(back->GetLabel(1)->GetCaption(), "Second line\r\nof text");
  EXPECT_EQ(back->GetLegend(0)->GetLineColumnHeight(), 13);
  EXPECT_EQ(back->GetOuterMarginLeft(), 9);
  EXPECT_EQ(back->GetAnnotationCount(), 0);
  EXPECT_EQ(back->GetLastPropertiesFileName(), file);
  back->SavePropertiesToFile(file);
  EXPECT_EQ(Bytes(file), saved);
}

TEST_F(PlotFilesTest, PropertiesFileRefusalsAndHostileCounts) {
  const std::string file = dir + "bad-props.txt";
  Write(file, "File Type = Plot Channel Config\r\n");
  EXPECT_EQ(Raised([&] { plot->LoadPropertiesFromFile(file); }),
            "Error Loading Properties - Incompatible Plot Configuration File Type");
  EXPECT_EQ(plot->GetChannelCount(), 2);

  // Counts beyond the blocks present make no more objects than described.
  Write(file,
        "File Type = Plot Config\r\nChannelCount = 50000000\r\nXAxisCount = -3\r\nYAxisCount = 1\r\n"
        "ToolBarCount = 4\r\nChannel0.TitleText = Only\r\nYAxis0.Min = 5\r\nToolBar3.Visible = 0\r\n"
        "OuterMarginTop = 7\r\n");
  plot->LoadPropertiesFromFile(file);
  EXPECT_EQ(plot->GetChannelCount(), 1);
  EXPECT_EQ(plot->GetChannel(0)->GetTitleText(), "Only");
  EXPECT_EQ(plot->GetXAxisCount(), 0);
  EXPECT_EQ(plot->GetYAxis(0)->GetMin(), 5);
  EXPECT_EQ(plot->GetToolBarCount(), 1);
  EXPECT_EQ(plot->GetOuterMarginTop(), 7);

  // A failed load leaves the plot laying out and repainting.
  Write(file, "File Type = Plot Config\r\nChannelCount = 1\r\nChannel0.MarkersSize = big\r\n");
  EXPECT_EQ(Raised([&] { plot->LoadPropertiesFromFile(file); }),
            "Error Loading Properties - 'big' is not a valid integer value");
  EXPECT_TRUE(plot->GetLayoutManager()->GetEnabled());
  EXPECT_FALSE(plot->GetUpdateActive());
}

TEST_F(PlotFilesTest, AnnotationFileRoundTrips) {
  plot->SetAnnotationDefaultPenWidth(3);
  for (const char* text : {"first", "second"}) plot->GetAnnotation(plot->AddAnnotation())->SetText(text);
  const std::string file = dir + "annotations.txt";
  plot->SaveAnnotationsToFile(file);
  EXPECT_EQ(Bytes(file).rfind("AnnotationCount = 2\r\nAnnotation0.", 0), 0u);
  auto back = NewXYPlot(1);
  back->AddAnnotation();
  back->LoadAnnotationsFromFile(file);
  ASSERT_EQ(back->GetAnnotationCount(), 2);
  EXPECT_EQ(back->GetAnnotation(1)->GetText(), "second");
  back->SaveAnnotationsToFile(file + "2");
  EXPECT_EQ(Bytes(file + "2"), Bytes(file));
  Write(file, "AnnotationCount = 9999999\r\n");
  back->LoadAnnotationsFromFile(file);
  EXPECT_EQ(back->GetAnnotationCount(), 0);
}

TEST_F(PlotFilesTest, TextOutsideTheCodePageFailsWholeAndGbkRoundTrips) {
  const AnsiCodePage page = GetAnsiCodePage();
  const std::string file = dir + "gbk.txt";
  std::filesystem::remove(file);
  plot->GetChannel(0)->SetTitleText("通道");
  SetAnsiCodePage(AnsiCodePage::Cp1252);
  EXPECT_EQ(Raised([&] { plot->SaveDataToFile(file); }).rfind("Error Saving Data - ", 0), 0u);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(plot->GetLastDataFileName(), "");
  SetAnsiCodePage(AnsiCodePage::Gbk);
  plot->SavePropertiesToFile(file);
  EXPECT_NE(Bytes(file).find(Utf8ToAnsi("通道", AnsiCodePage::Gbk)), std::string::npos);
  auto back = NewXYPlot(1);
  back->LoadPropertiesFromFile(file);
  EXPECT_EQ(back->GetChannel(0)->GetTitleText(), "通道");
  SetAnsiCodePage(page);
}

// ---------------------------------------------------------------- data entry

TEST_F(PlotFilesTest, AddDataArrayTransferAndClear) {
  TiPlot strip(nullptr);
  strip.AddChannel();
  strip.AddChannel();
  strip.AddDataArray(1, {{{0, 2}}, {5, 1.5e-301, 1.5e-302}});
  EXPECT_EQ(Points(strip.GetChannel(0)), (std::vector<std::string>{"1,5"}));
  EXPECT_TRUE(strip.GetChannel(1)->GetNull(0));
  EXPECT_EQ(strip.GetChannel(1)->GetX(0), 1);
  EXPECT_TRUE(strip.GetChannel(0)->IsValidPoint(0));
  // A row for a channel that is not there adds nothing at all.
  EXPECT_EQ(Raised([&] { strip.AddDataArray(2, {{{0, 3}}, {1, 2, 3, 4}}); }), "List index out of bounds (3)");
  EXPECT_EQ(strip.GetChannel(0)->GetCount(), 1);
  // Two dimensions: [channel][row], the X step from each channel's last X.
  strip.AddDataArray(0.5, {{{1, 1}, {0, 2}}, {7, 8, 9}});
  EXPECT_EQ(Points(strip.GetChannel(1)), (std::vector<std::string>{"1,Null", "1.5,7", "2,8", "2.5,9"}));
  EXPECT_EQ(Raised([&] {
              strip.AddDataArray(0, {{{0, 0}, {0, 0}, {0, 0}}, {1}});
            }),
            "Data Array must be 1 or 2 Dimensions");

  strip.TransferChannelData(1, 2, 0, 1);
  EXPECT_EQ(Points(strip.GetChannel(2)), (std::vector<std::string>{"1,Empty", "1,Null", "1.5,7"}));
  EXPECT_EQ(Raised([&] { strip.TransferChannelData(1, 2, -1, 1); }), "Start Index Must be 0 or Greater");
  EXPECT_EQ(Raised([&] { strip.TransferChannelData(1, 2, 0, 4); }), "StopIndex Must Out Of Range");
  strip.TransferChannelData(1, 2, 2, 1);
  EXPECT_EQ(strip.GetChannel(2)->GetCount(), 3);
  strip.ClearAllData();
  for (int c = 0; c < 3; ++c) EXPECT_EQ(strip.GetChannel(c)->GetCount(), 0);
}

// ---------------------------------------------------------------- plot log

TEST_F(PlotFilesTest, PlotLogInBothFormatsAndBufferSizes) {
  plot->GetChannel(0)->SetTitleText("A");
  plot->GetChannel(1)->SetTitleText("B");
  const std::string file = dir + "plot.log";
  plot->SetLogFileName(file);
  for (int size : {0, 3}) {
    SCOPED_TRACE(size);
    plot->ClearAllData();
    plot->SetLogBufferSize(size);
    plot->SetDataFileFormat(ipdffText);
    plot->LogActivate(false);
    for (int r = 0; r < 4; ++r) plot->AddDataArray(r, {{{0, 1}}, {r * 10.0, r == 2 ? 1.5e-301 : r + 0.5}});
    EXPECT_EQ(Bytes(file).size(), size == 0 ? 55u : 45u);
    // ClearAllData stops the log, writing the buffered rows first.
    if (size == 3)
      plot->ClearAllData();
    else
      plot->LogDeactivate();
    EXPECT_FALSE(plot->GetLoggingActive());
    EXPECT_EQ(Bytes(file), "(X)\tA(Y)\tB(Y)\r\n0\t0\t0.5\r\n1\t10\t1.5\r\n2\t20\tNull\r\n3\t30\t3.5\r\n");
    plot->LogActivate(true);
    plot->AddDataArray(4, {{{0, 1}}, {40, 4.5}});
    plot->LogDeactivate();
    EXPECT_EQ(Bytes(file).substr(55), "4\t40\t4.5\r\n");

    plot->ClearAllData();
    plot->SetDataFileFormat(ipdffCompactInterval);
    plot->LogActivate(false);
    for (int r = 0; r < 2; ++r) plot->AddDataArray(r, {{{0, 1}}, {r * 10.0, r + 0.5}});
    plot->LogDeactivate();
    // Appended rows after the second carry Y only, as in a data file.
    plot->LogActivate(true);
    plot->AddDataArray(2, {{{0, 1}}, {20, 2.5}});
    plot->LogDeactivate();
    const std::string log = Bytes(file);
    EXPECT_EQ(log, std::string("Compact Interval\r\n2\r\n") + Single(0) + Single(0) + Single(0) +
                       Single(0.5f) + Single(1) + Single(10) + Single(1) + Single(1.5f) + Single(20) +
                       Single(2.5f));
    auto back = NewXYPlot(2);
    back->LoadDataFromFile(file);
    EXPECT_EQ(Points(back->GetChannel(1)), (std::vector<std::string>{"0,0.5", "1,1.5", "2,2.5"}));
  }
  // An appended compact log must fit the plot's channels.
  auto three = NewXYPlot(3);
  three->SetDataFileFormat(ipdffCompactInterval);
  three->SetLogFileName(file);
  EXPECT_EQ(Raised([&] { three->LogActivate(true); }), "Invalid Data");
  EXPECT_FALSE(three->GetLoggingActive());
}

TEST_F(PlotFilesTest, PlotLogMessagesAndAFailedFlushRetriedOnce) {
  EXPECT_EQ(Raised([&] { plot->LogActivate(false); }), "Log File Name not Defined");
  EXPECT_EQ(Raised([&] { plot->LogDeactivate(); }), "Logging not Active");
  const std::string file = dir + "retry.log";
  plot->SetLogFileName(file);
  plot->LogActivate(false);
  EXPECT_EQ(Raised([&] { plot->LogActivate(false); }), "Logging Already Active");
  EXPECT_EQ(Raised([&] { plot->SetDataFileFormat(ipdffText); }),
            "Data File Format can not be changed while logging active");
  plot->SetDataFileColumnSeparator(ipdfcsTab);
  EXPECT_EQ(Raised([&] { plot->SetDataFileColumnSeparator(ipdfcsComma); }),
            "Data File Column Seperator can not be changed while logging active");
  EXPECT_EQ(Raised([&] { plot->SetLogFileName("other.log"); }),
            "Log File Name can not be changed while logging is active.");

  std::filesystem::remove(file);
  EXPECT_NE(Raised([&] { plot->AddDataArray(1, {{{0, 1}}, {1, 2}}); }), "");
  EXPECT_EQ(plot->GetLogBufferCount(), 1);
  Write(file, "");
  plot->AddDataArray(2, {{{0, 1}}, {3, 4}});
  EXPECT_EQ(Bytes(file), "1\t1\t2\r\n2\t3\t4\r\n");
  // A row that one channel lacks stops the flush before it, with the error,
  // after the whole rows before it.
  plot->SetLogBufferSize(5);
  plot->AddDataArray(3, {{{0, 1}}, {5, 6}});
  plot->AddDataArray(4, {{{0, 0}}, {9}});
  plot->SetLogBufferSize(0);
  EXPECT_EQ(Raised([&] { plot->AddDataArray(5, {{{0, 0}}, {10}}); }), "Index out of Bounds");
  EXPECT_EQ(Bytes(file), "1\t1\t2\r\n2\t3\t4\r\n3\t5\t6\r\n");
  EXPECT_EQ(plot->GetLogBufferCount(), 2);
}

// ---------------------------------------------------------------- channel files

TEST_F(PlotFilesTest, ChannelSettingsAndDataFiles) {
  TiPlotChannelCustom* channel = plot->GetChannel(0);
  channel->SetTitleText("Level");
  channel->SetMarkersSize(6);
  const std::string file = dir + "channel.txt";
  channel->SavePropertiesToFile(file);
  const std::string saved = Bytes(file);
  EXPECT_EQ(saved.rfind("File Type = Plot Channel Config\r\nChannel.", 0), 0u);
  EXPECT_NE(saved.find("\r\nChannel.TitleText = Level\r\n"), std::string::npos);
  EXPECT_EQ(saved.find("Channel.Name"), std::string::npos);
  EXPECT_NE(saved.find("Channel.MarkersFont."), std::string::npos);
  TiPlotChannelCustom* other = plot->GetChannel(1);
  other->LoadPropertiesFromFile(file);
  EXPECT_EQ(other->GetTitleText(), "Level");
  EXPECT_EQ(other->GetMarkersSize(), 6);
  Write(file, "File Type = Plot Config\r\nChannel.TitleText = X\r\n");
  EXPECT_EQ(Raised([&] { other->LoadPropertiesFromFile(file); }),
            "Error Loading Properties - Incompatible Plot Channel Configuration File Type");
  EXPECT_EQ(other->GetTitleText(), "Level");

  channel->AddXY(1, 2);
  channel->SetNull(channel->AddXY(5, 9), true);
  channel->SetEmpty(channel->AddXY(6, 9), true);
  channel->SaveDataToFile(file);
  EXPECT_EQ(Bytes(file), "1\t2\r\n5\tNull\r\n");
  other->LoadDataFromFile(file, true);
  EXPECT_EQ(Points(other), (std::vector<std::string>{"1,2", "5,Null"}));
  // The first line decides the separator.
  Write(file, "1,2\r\n3\t4\r\n5,null\r\n");
  other->LoadDataFromFile(file, true);
  EXPECT_EQ(Points(other), (std::vector<std::string>{"1,2", "5,Null"}));
}

TEST_F(PlotFilesTest, ChannelLogBatchesAppendsAndSurvivesAFailedClear) {
  TiPlotChannelCustom* channel = plot->GetChannel(0);
  const std::string file = dir + "channel.log";
  EXPECT_EQ(Raised([&] { channel->LogActivate(false); }), "Log File Name not Defined");
  channel->SetLogFileName(file);
  Write(file, "old\r\n");
  channel->SetLogBufferSize(3);
  channel->LogActivate(false);
  EXPECT_EQ(Raised([&] { channel->SetLogFileName("x"); }),
            "Log File Name can not be changed while logging is active.");
  for (int i = 1; i <= 5; ++i) {
    channel->AddXY(i, i * 1.5);
    EXPECT_EQ(Bytes(file).size(), i < 3 ? 0u : 19u) << i;
  }
  channel->LogDeactivate();
  EXPECT_EQ(Bytes(file), "1\t1.5\r\n2\t3\r\n3\t4.5\r\n4\t6\r\n5\t7.5\r\n");
  // Appended, every point at once; a partial delete writes first.
  channel->SetLogBufferSize(0);
  channel->LogActivate(true);
  channel->AddXY(6, 9);
  channel->SetLogBufferSize(9);
  channel->AddXY(7, 10);
  channel->DeletePoints(2);
  EXPECT_EQ(Bytes(file).substr(31), "6\t9\r\n7\t10\r\n");
  // A Clear whose flush fails keeps the points and stops the log.
  channel->AddXY(8, 11);
  std::filesystem::remove(file);
  EXPECT_NE(Raised([&] { channel->Clear(); }), "");
  EXPECT_EQ(channel->GetCount(), 6);
  EXPECT_EQ(channel->GetRunningXMax(), 8);
  EXPECT_FALSE(channel->GetLoggingActive());
  channel->Clear();
  EXPECT_EQ(channel->GetCount(), 0);
  EXPECT_EQ(Raised([&] { channel->LogActivate(true); }).empty(), false);
  EXPECT_FALSE(channel->GetLoggingActive());
}

// ---------------------------------------------------------------- damaged input

TEST_F(PlotFilesTest, EveryReaderSurvivesTruncatedAndRandomBytes) {
  FillThreeAndOne();
  plot->GetChannel(0)->SetNull(1, true);
  struct Reader {
    const char* Name;
    std::string Seed;
    std::string Prefix;
    std::function<void(const std::string&)> Load;
  };
  std::vector<Reader> readers;
  auto seed = [&](auto Save) {
    const std::string f = dir + "seed";
    Save(f);
    return Bytes(f);
  };
  auto target = NewXYPlot(2);
  readers.push_back({"properties", seed([&](const std::string& f) { plot->SavePropertiesToFile(f); }),
                     "Error Loading Properties - ",
                     [&](const std::string& f) { target->LoadPropertiesFromFile(f); }});
  plot->AddAnnotation();
  readers.push_back({"annotations", seed([&](const std::string& f) { plot->SaveAnnotationsToFile(f); }),
                     "Error Loading Annotations - ",
                     [&](const std::string& f) { target->LoadAnnotationsFromFile(f); }});
  readers.push_back({"pairs", seed([&](const std::string& f) { plot->SaveDataToFile(f); }),
                     "Error Loading Data - ", [&](const std::string& f) { target->LoadDataFromFile(f); }});
  readers.push_back({"shared", "(X)\tA(Y)\tB(Y)\r\n1\t2\t3\r\n2\tNull\t4\r\n", "Error Loading Data - ",
                     [&](const std::string& f) { target->LoadDataFromFile(f); }});
  plot->SetDataFileFormat(ipdffCompactInterval);
  readers.push_back({"compact", seed([&](const std::string& f) { plot->SaveDataToFile(f); }),
                     "Error Loading Data - ", [&](const std::string& f) { target->LoadDataFromFile(f); }});
  readers.push_back({"channel settings",
                     seed([&](const std::string& f) { plot->GetChannel(0)->SavePropertiesToFile(f); }),
                     "Error Loading Properties - ",
                     [&](const std::string& f) { target->GetChannel(0)->LoadPropertiesFromFile(f); }});
  readers.push_back({"channel data",
                     seed([&](const std::string& f) { plot->GetChannel(0)->SaveDataToFile(f); }), "",
                     [&](const std::string& f) { target->GetChannel(0)->LoadDataFromFile(f, true); }});

  std::mt19937 random(20261211);
  const std::string file = dir + "fuzz";
  for (const Reader& r : readers) {
    SCOPED_TRACE(r.Name);
    for (int round = 0; round < 150; ++round) {
      std::string bytes = r.Seed;
      if (round < 40) {
        bytes.resize(random() % (bytes.size() + 1));
      } else {
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
          const std::size_t at = random() % bytes.size();
          switch (random() % 3) {
            case 0:
              bytes[at] = static_cast<char>(random());
              break;
            case 1:
              bytes.insert(at, 1, "0123456789=.,\t\r\n-eE"[random() % 19]);
              break;
            default:
              bytes.erase(at, 1 + random() % 4);
              break;
          }
        }
      }
      Write(file, bytes);
      const std::string message = Raised([&] { r.Load(file); });
      if (!message.empty() && !r.Prefix.empty()) {
        EXPECT_EQ(message.rfind(r.Prefix, 0), 0u) << message;
      }
      target->ClearAllData();
      if (target->GetChannelCount() < 2) {
        target->RemoveAllChannels();
        target->AddChannel();
        target->AddChannel();
      }
    }
  }
}

}  // namespace
