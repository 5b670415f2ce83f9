// Hostile input and extreme settings: the scheduler with a very high frame
// rate, and seeded random text through the property-text and XML readers.

#include <random>

#include "instruments/base/iClasses.h"
#include "instruments/base/iPropertyText.h"
#include "instruments/base/iUpdateObject.h"
#include "instruments/opc/iOPCItem.h"
#include "instruments/opc/iOPCManager.h"
#include "tests/instruments/InstrumentsTestSupport.h"

using namespace instruments_test;

namespace {

class TRateClient : public IiUpdateClient {
 public:
  explicit TRateClient(int rate) : FRate(rate) {}
  bool GetUpdateActive() const override { return false; }
  bool GetNeedsRepaint() const override { return true; }
  int GetRepaintFrameRate() const override { return FRate; }
  TDateTime GetLastUpdate() const override { return 0.0; }
  void DoRepaint() override { ++FRepaints; }
  int FRepaints = 0;

 private:
  int FRate;
};

TEST(SchedulerRobustnessTest, AnyFrameRateRepaintsAnOverdueControl) {
  classlib_test::App();
  FakeClock clock;
  TiUpdateObject s;
  // Rates whose frame interval does not fit the integer product.
  TRateClient fast(1000000), fastest(2147483647), negative(-5);
  for (IiUpdateClient* c : {static_cast<IiUpdateClient*>(&fast), static_cast<IiUpdateClient*>(&fastest),
                            static_cast<IiUpdateClient*>(&negative)})
    s.AddUpdateControl(c);
  s.Tick();
  EXPECT_EQ(fast.FRepaints, 1);
  EXPECT_EQ(fastest.FRepaints, 1);
  EXPECT_EQ(negative.FRepaints, 1);
  s.RemoveUpdateControl(&fast);
  s.RemoveUpdateControl(&fastest);
  s.RemoveUpdateControl(&negative);
}

TEST(PropertyTextRobustnessTest, EnumerationValueOutOfItsRangeIsIgnored) {
  classlib_test::App();
  TTestControl c(nullptr);
  c.SetShape(tsSquare);
  for (const char* value : {"3", "-1", "4294967296"}) {
    TStringList lines;
    lines.Add(std::string("Shape = ") + value);
    ReadPropertiesText(&c, "", &lines);
    EXPECT_EQ(c.GetShape(), tsSquare) << value;
    SetPropertyByPath(&c, "", value, "Shape");
    EXPECT_EQ(c.GetShape(), tsSquare) << value;
  }
  SetPropertyByPath(&c, "", "2", "Shape");
  EXPECT_EQ(c.GetShape(), tsStar);
}

std::string RandomText(std::mt19937& rng, const std::string& alphabet, int maxLength) {
  std::uniform_int_distribution<int> length(0, maxLength);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::string s(static_cast<std::size_t>(length(rng)), ' ');
  for (char& c : s) c = alphabet[pick(rng)];
  return s;
}

TEST(PropertyTextFuzzTest, RandomLinesNeverCrashTheReader) {
  classlib_test::App();
  std::mt19937 rng(20261210);
  const std::string names[] = {"Flag",
                               "Count",
                               "Shape",
                               "Options",
                               "Ratio",
                               "Caption2",
                               "LabelFont",
                               "LabelFont.Size",
                               "LabelFont.Name",
                               "LabelFont.Style",
                               "UpdateFrameRate",
                               "Nope",
                               "Flag.X",
                               "",
                               "."};
  const std::string alphabet = "0123456789-+.,eE=#13#10 \t.xX$abcTrueFalse\x80\xff\r\n";
  TTestControl c(nullptr);
  for (int round = 0; round < 3000; ++round) {
    TStringList lines;
    const int count = static_cast<int>(rng() % 4) + 1;
    for (int i = 0; i < count; ++i) {
      const std::string name =
          rng() % 5 == 0 ? RandomText(rng, alphabet, 12) : names[rng() % std::size(names)];
      lines.Add(name + (rng() % 7 == 0 ? "" : " = ") + RandomText(rng, alphabet, 24));
    }
    try {
      ReadPropertiesText(&c, rng() % 3 == 0 ? "LabelFont" : "", &lines);
    } catch (const std::exception&) {}
    try {
      SetPropertyByPath(&c, "", RandomText(rng, alphabet, 16), names[rng() % std::size(names)]);
    } catch (const std::exception&) {}
    TStringList written;
    WritePropertiesText(&c, "", &written, false, nullptr);
    EXPECT_GT(written.Count(), 0);
  }
}

// The "OPCItems" and "Groups" readers take the same hostile lines: item
// groups in and out of order, broken names and numbers.
TEST(PropertyTextFuzzTest, RandomCollectionLinesNeverCrashTheOPCReaders) {
  classlib_test::App();
  std::mt19937 rng(20261211);
  const std::string heads[] = {"Item0",  "Item1",           "Item2", "item0", "Item",
                               "Item-1", "Item99999999999", "",      "."};
  const std::string names[] = {
      "PropertyName", "GroupName",   "ComputerName", "ServerName", "ItemName",      "Scalar", "Offset",
      "UpdateRate",   "AutoConnect", "AutoError",    "Name",       "OPCServerName", "Nope",   ""};
  const std::string alphabet = "0123456789-+.,eE=#13#10 \t.xX$abcTrueFalse\x80\xff\r\n";
  TiOPCItemManager items;
  TiOPCManager groups(nullptr);
  for (int round = 0; round < 2000; ++round) {
    TStringList lines;
    const int count = static_cast<int>(rng() % 8) + 1;
    for (int i = 0; i < count; ++i)
      lines.Add(heads[rng() % std::size(heads)] + "." + names[rng() % std::size(names)] +
                (rng() % 7 == 0 ? "" : " = ") + RandomText(rng, alphabet, 20));
    TStringList copy;
    copy.Assign(&lines);
    try {
      items.ReadFromStream(&lines);
    } catch (const std::exception&) {}
    try {
      groups.ReadFromStream(&copy);
    } catch (const std::exception&) {}
    TStringList written;
    items.WriteToStream(&written);
    groups.WriteToStream(&written);
    EXPECT_EQ(written.Count(), items.Count() * 10 + groups.GroupCount() * 4);
  }
}

TEST(XmlReaderFuzzTest, RandomStreamsNeverReadPastTheEnd) {
  std::mt19937 rng(1210);
  const std::string alphabet = "<>/ ab=\"\r\n";
  for (int round = 0; round < 4000; ++round) {
    const std::string text = RandomText(rng, alphabet, 40);
    TiXMLMemoryStream s;
    s.Write(text.data(), static_cast<std::int64_t>(text.size()));
    s.SetPosition(0);
    try {
      switch (round % 4) {
        case 0:
          s.GetElement("a");
          break;
        case 1:
          for (;;) {
            const std::string next = s.PeekNextPiece();
            EXPECT_EQ(s.GetNextPiece(), next);
          }
          break;
        case 2:
          for (;;) {
            s.GetNameElementStart();
            s.GetElementValue();
            s.GetNameElementStop();
          }
          break;
        default:
          s.GotoElementStart("b");
          break;
      }
    } catch (const Exception&) {}
    EXPECT_LE(s.GetPosition(), s.GetSize());
  }
}

}  // namespace
