// The property text: lines written and read back for every property kind,
// paths through nested objects, prefixes, escapes and limits.

#include <cstdio>
#include <fstream>

#include "instruments/base/iPropertyText.h"
#include "tests/instruments/InstrumentsTestSupport.h"

using namespace instruments_test;

namespace {

class PropertyTextTest : public ::testing::Test {
 protected:
  void SetUp() override { classlib_test::App(); }
  std::vector<std::string> Lines(TObject* o, bool onlyChanged = false) {
    TStringList lines;
    WritePropertiesText(o, "", &lines, onlyChanged, nullptr);
    return lines.ToVector();
  }
  static bool Has(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
  }
};

TEST_F(PropertyTextTest, EveryKindIsWrittenInDeclarationOrder) {
  TTestControl c(nullptr);
  c.SetFlag(true);
  c.SetShape(tsStar);
  c.SetOptions(TTestOptions{toA, toC});
  c.SetRatio(2.5);
  c.SetCaption2("one\r\ntwo");
  c.GetLabelFont()->SetColor(255);
  const auto lines = Lines(&c);
  for (const char* expected :
       {"Visible = 1", "Flag = 1", "Count = 3", "Shape = 2", "Options = 5", "Ratio = 2.5",
        "Caption2 = one#13#10two", "LabelFont.Color = 255", "UpdateFrameRate = 60"})
    EXPECT_TRUE(Has(lines, expected)) << expected;
  // Inherited first: the control's own properties follow the base's.
  const auto at = [&](const std::string& s) {
    return std::find(lines.begin(), lines.end(), s) - lines.begin();
  };
  EXPECT_LT(at("UpdateFrameRate = 60"), at("Flag = 1"));
  EXPECT_LT(at("Flag = 1"), at("Count = 3"));
  EXPECT_FALSE(Has(lines, "LabelFont.Size = 8"));  // not stored
}

TEST_F(PropertyTextTest, WrittenTextReadsBackIntoAFreshControl) {
  TTestControl a(nullptr), b(nullptr);
  a.SetFlag(true);
  a.SetCount(-12);
  a.SetShape(tsSquare);
  a.SetOptions(TTestOptions{toB});
  a.SetRatio(0.1 + 0.2);
  a.SetCaption2("line 1\nline 2\r");
  a.GetLabelFont()->SetStyle(TFontStyles{fsBold, fsUnderline});
  a.GetLabelFont()->SetName("Arial");
  TStringList lines;
  WritePropertiesText(&a, "", &lines, false, nullptr);
  ReadPropertiesText(&b, "", &lines);
  EXPECT_EQ(lines.Count(), 0);
  EXPECT_TRUE(b.GetFlag());
  EXPECT_EQ(b.GetCount(), -12);
  EXPECT_EQ(b.GetShape(), tsSquare);
  EXPECT_EQ(b.GetOptions(), TTestOptions{toB});
  EXPECT_EQ(b.GetRatio(), 0.1 + 0.2);
  EXPECT_EQ(b.GetCaption2(), "line 1\nline 2\r");
  EXPECT_EQ(b.GetLabelFont()->GetStyle(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(b.GetLabelFont()->GetName(), "Arial");
}

TEST_F(PropertyTextTest, OnlyChangedLeavesOrdinalDefaultsOutButKeepsFloats) {
  TTestControl c(nullptr);
  const auto lines = Lines(&c, true);
  EXPECT_FALSE(Has(lines, "Count = 3"));
  EXPECT_FALSE(Has(lines, "Flag = 0"));
  EXPECT_TRUE(Has(lines, "Ratio = 0.5"));
  c.SetCount(4);
  EXPECT_TRUE(Has(Lines(&c, true), "Count = 4"));
}

TEST_F(PropertyTextTest, ReadingStopsAtTheFirstLineOfAnotherOwner) {
  TTestControl c(nullptr);
  TStringList lines;
  lines.AddStrings(
      std::vector<std::string>{"Channel0.Count = 255", "Channel0.Flag = 1", "Channel1.Count = 0"});
  ReadPropertiesText(&c, "Channel0", &lines);
  EXPECT_EQ(c.GetCount(), 255);
  EXPECT_TRUE(c.GetFlag());
  EXPECT_EQ(lines.ToVector(), std::vector<std::string>{"Channel1.Count = 0"});
}

TEST_F(PropertyTextTest, ValuesFromTextFollowTheRules) {
  TTestControl c(nullptr);
  struct Case {
    const char* name;
    const char* value;
    char separator;
  };
  SetPropertyFromText(&c, "Ratio", "2,5", '.');
  EXPECT_EQ(c.GetRatio(), 2.5);
  SetPropertyFromText(&c, "Caption2", "a#13#10B#10", '.');
  EXPECT_EQ(c.GetCaption2(), "a\r\nB\n");
  SetPropertyFromText(&c, "NoSuchProperty", "1", '.');  // ignored
  SetPropertyFromText(&c, "NoSuch.Deeper", "1", '.');   // ignored
  SetPropertyFromText(&c, "labelfont.color", "65280", '.');
  EXPECT_EQ(c.GetLabelFont()->GetColor(), 65280);
  EXPECT_THROW(SetPropertyFromText(&c, "Count", "twelve", '.'), EConvertError);
  EXPECT_THROW(SetPropertyFromText(&c, "Count.Deeper", "1", '.'), Exception);
}

TEST_F(PropertyTextTest, LongStringsAreCutTo255Characters) {
  TTestControl c(nullptr);
  c.SetCaption2(std::string(300, 'x'));
  for (const auto& line : Lines(&c))
    if (line.rfind("Caption2", 0) == 0) {
      EXPECT_EQ(line, "Caption2 = " + std::string(244, 'x'));
    }
}

TEST_F(PropertyTextTest, PathsFindKindsAndSetValues) {
  TTestControl c(nullptr);
  EXPECT_EQ(c.GetPropertyKind("LabelFont.Color"), tkInteger);
  EXPECT_EQ(c.GetPropertyKind("Shape"), tkEnumeration);
  EXPECT_EQ(c.GetPropertyKind("Ratio"), tkFloat);
  EXPECT_EQ(c.GetPropertyKind("Missing"), tkUnknown);
  struct {
    const char* text;
    bool flag;
  } cases[] = {{"true", true}, {"0", false}, {"2", true}, {"FALSE", false}};
  for (const auto& k : cases) {
    SetPropertyByPath(&c, "", k.text, "flag");
    EXPECT_EQ(c.GetFlag(), k.flag) << k.text;
  }
  SetPropertyByPath(&c, "", "12", "LabelFont.Height");
  EXPECT_EQ(c.GetLabelFont()->GetHeight(), 12);
  EXPECT_THROW(SetPropertyByPath(&c, "", "x", "Count"), EConvertError);
}

TEST_F(PropertyTextTest, LineHelpers) {
  TStringList lines;
  lines.AddStrings(std::vector<std::string>{"File Type = TiPlot", " channelcount =  3 "});
  std::string value;
  ASSERT_TRUE(ExtractPropertyLine("ChannelCount", value, &lines));
  EXPECT_EQ(value, "3");
  EXPECT_EQ(lines.Count(), 1);
  EXPECT_FALSE(ExtractPropertyLine("Missing", value, &lines));
  std::string l, r;
  SplitAtSeparator("a = b = c", '=', l, r);
  EXPECT_EQ(l, "a");
  EXPECT_EQ(r, "b = c");
  SplitAtSeparator("none", '=', l, r);
  EXPECT_TRUE(l.empty() && r.empty());
}

TEST_F(PropertyTextTest, PropertiesFileRoundTripsAndReportsFailures) {
  const std::string file = ::testing::TempDir() + "instruments-props.txt";
  TTestControl a(nullptr), b(nullptr);
  a.SetCount(42);
  a.SetBounds(5, 6, 70, 80);
  a.SavePropertiesToFile(file);
  TStringList saved;
  saved.LoadFromFile(file);
  EXPECT_EQ(saved.Get(0), "File Type = TTestControl");
  // In the ANSI code page with CR LF, as the plot's files.
  std::ifstream in(file, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(bytes.rfind("File Type = TTestControl\r\n", 0), 0u);
  EXPECT_EQ(saved.IndexOf("Width = 70"), -1);  // layout is left out by default
  b.LoadPropertiesFromFile(file);
  EXPECT_EQ(b.GetCount(), 42);
  EXPECT_EQ(b.GetWidth(), 40);

  saved.Clear();
  saved.AddStrings(std::vector<std::string>{"Count = 5", "Flag = maybe", "Ratio = 9"});
  saved.SaveToFile(file);
  try {
    b.LoadPropertiesFromFile(file);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Error Loading Properties - ", 0), 0u);
  }
  EXPECT_EQ(b.GetCount(), 5);  // lines before the bad one stay applied
  EXPECT_FALSE(b.GetUpdateActive());
  EXPECT_THROW(b.SavePropertiesToFile("/nonexistent-dir/x.txt"), Exception);
  std::remove(file.c_str());
}

}  // namespace
