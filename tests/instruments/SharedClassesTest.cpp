// The shared small classes: the text stream with its XML reader, the
// min-max point and the limit data list.

#include "instruments/base/iClasses.h"
#include "tests/instruments/InstrumentsTestSupport.h"

namespace {

std::unique_ptr<TiXMLMemoryStream> Stream(const std::string& text) {
  auto s = std::make_unique<TiXMLMemoryStream>();
  s->Write(text.data(), static_cast<std::int64_t>(text.size()));
  s->SetPosition(0);
  return s;
}

TEST(SharedClassesTest, StreamWritesLinesAndReturnsItsLastByte) {
  TiMemoryStream s;
  s.WriteString(std::string(255, 'a'));
  EXPECT_EQ(s.GetSize(), 255);
  EXPECT_THROW(s.WriteString(std::string(256, 'a')), Exception);
  TiMemoryStream t;
  t.WriteStringCRLF("ab");
  t.SetPosition(0);
  std::string read;
  for (int i = 0; i < 4; ++i) read += t.ReadChar();
  EXPECT_EQ(read, "ab\r\n");
  try {
    t.ReadChar();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "EOF");
  }
}

TEST(SharedClassesTest, XmlReaderFindsElementsAndPieces) {
  auto s = Stream("<Scheme>\r\n<Name>Blue</Name>\r\n</Properties>abc<x>");
  EXPECT_EQ(s->GetElement("Name"), "Blue");
  EXPECT_EQ(s->PeekNextPiece(), "/Properties");
  EXPECT_EQ(s->GetNextPiece(), "/Properties");
  EXPECT_EQ(s->GetNextPiece(), "abc");
  EXPECT_EQ(s->GetNextPiece(), "x");

  auto bad = Stream("x/Name>");
  try {
    bad->GetNameElementStop();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "XML Parsing Error - \"<\" not Found");
  }
  auto bad2 = Stream("<Name>");
  EXPECT_THROW(bad2->GetNameElementStop(), Exception);

  TiXMLMemoryStream w;
  w.StartElement("A");
  w.WriteElement("B", "1");
  w.EndElement("A");
  w.SetPosition(0);
  EXPECT_EQ(w.GetElement("B"), "1");
}

TEST(SharedClassesTest, MinMaxPointSummarisesAColumn) {
  TiPlotMinMaxPoint p;
  p.AddData(1, 5, 10);
  p.AddData(1, -2, 10);
  p.AddData(1, 3, 10);
  EXPECT_EQ(p.YFirst, 5);
  EXPECT_EQ(p.YMax, 5);
  EXPECT_EQ(p.YMin, -2);
  EXPECT_EQ(p.YLast, 3);
  EXPECT_EQ(p.XPixels, 10);
  TiPlotMinMaxPoint q;
  q.AssignDown(p);
  EXPECT_FALSE(q.Empty);
  q.Clear();
  EXPECT_TRUE(q.Empty);
  EXPECT_EQ(q.YMax, -1e301);
}

TEST(SharedClassesTest, LimitListGrowsInSteps) {
  TiLimitDataList list;
  std::vector<int> capacities;
  for (int i = 0; i < 95; ++i) {
    const int before = list.GetCapacity();
    EXPECT_EQ(list.Add(i, 2 * i, 3 * i), i);
    if (list.GetCapacity() != before) capacities.push_back(list.GetCapacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95}));
  EXPECT_EQ(list.GetValue3(10), 30);
  EXPECT_THROW(list.GetItem(95), Exception);
  EXPECT_THROW(list.GetItem(-1), Exception);
  EXPECT_THROW(list.SetCapacity(0x8000000), Exception);
  list.SetCapacity(10);
  EXPECT_EQ(list.GetCount(), 10);
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetCapacity(), 0);
}

}  // namespace
