// The lamps: state changes and their events, colours, squareness, and
// pixels of both lamps lit and dark.

#include "instruments/base/iLed.h"
#include "platform/classlib/PicturePng.h"
#include "tests/instruments/InstrumentsTestSupport.h"

namespace {

class LedTest : public ::testing::Test {
 protected:
  void SetUp() override { classlib_test::App(); }
  static TColor Pixel(TiComponent& c, int x, int y) {
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(c.GetWidth(), c.GetHeight());
    c.iPaintToCanvas(b.GetCanvas());
    return b.GetCanvas()->GetPixels(x, y);
  }
};

TEST_F(LedTest, SetActiveAsksThenStoresThenReports) {
  TiLedRectangle led(nullptr);
  std::vector<std::string> events;
  bool allow = true;
  led.OnRequestEdit = [&](TObject*, const std::string& name, bool& canEdit) {
    events.push_back("request:" + name + (led.GetActive() ? ":on" : ":off"));
    canEdit = allow;
  };
  led.OnChangeProtected = [&](TObject*, const std::string& name) {
    events.push_back("protected:" + name + (led.GetActive() ? ":on" : ":off"));
  };
  led.OnChange = [&](TObject*) { events.push_back("change"); };
  led.SetActive(false);  // its value: nothing at all
  EXPECT_TRUE(events.empty());
  led.SetActive(true);
  EXPECT_EQ(events, (std::vector<std::string>{"request:Active:off", "protected:Active:on", "change"}));
  events.clear();
  allow = false;
  led.SetActive(false);
  EXPECT_TRUE(led.GetActive());
  EXPECT_EQ(events, std::vector<std::string>{"request:Active:on"});
  allow = true;
  events.clear();
  led.SetActiveNoEvent(false);
  EXPECT_FALSE(led.GetActive());
  EXPECT_EQ(events, (std::vector<std::string>{"request:Active:on", "protected:Active:off"}));
  ASSERT_TRUE(led.OnChange);
}

TEST_F(LedTest, LampColours) {
  struct {
    TColor active;
    bool autoInactive;
    TColor inactive;
    bool on;
    TColor shown;
  } cases[] = {{clYellow, true, clOlive, false, 0x005555},  // the program's dark rectangle lamp
               {clYellow, true, clOlive, true, clYellow},
               {0x00FF00, true, 0x005500, false, 0x005500},
               {0x00FF00, false, 0x005500, false, 0x005500},
               {clRed, false, clBlue, false, clBlue}};
  for (const auto& k : cases) {
    TiLedRectangle led(nullptr);
    led.SetActiveColor(k.active);
    led.SetAutoInactiveColor(k.autoInactive);
    led.SetInactiveColor(k.inactive);
    led.SetActive(k.on);
    EXPECT_EQ(led.GetLampColor(), k.shown);
  }
}

TEST_F(LedTest, RoundLampStaysSquareExceptWhileLoading) {
  TiLedRound led(nullptr);
  led.SetBounds(0, 0, 12, 12);
  led.SetBounds(0, 0, 12, 20);
  EXPECT_EQ(led.GetWidth(), 20);
  EXPECT_EQ(led.GetHeight(), 20);
  led.SetWidth(12);
  EXPECT_EQ(led.GetHeight(), 12);
  led.BeginLoad();
  led.SetBounds(0, 0, 12, 20);
  led.EndLoad();
  EXPECT_EQ(led.GetHeight(), 20);
}

TEST_F(LedTest, RectangleLampPixelsLitAndDark) {
  TiLedRectangle rect(nullptr);
  rect.SetBounds(0, 0, 30, 14);
  rect.SetActiveColor(clYellow);
  rect.SetInactiveColor(clOlive);
  EXPECT_EQ(Pixel(rect, 15, 7), 0x005555);
  EXPECT_EQ(Pixel(rect, 3, 3), clWhite);  // the glint
  rect.SetActive(true);
  EXPECT_EQ(Pixel(rect, 15, 7), clYellow);
}

TEST_F(LedTest, LabelOfBlanksDrawsNoText) {
  TiLedRectangle led(nullptr);
  led.SetBounds(0, 0, 40, 16);
  led.SetShowReflection(false);
  led.SetBevelStyle(ibsNone);
  led.SetCenterLabelText("   ");
  for (int x = 0; x < 40; ++x) EXPECT_EQ(Pixel(led, x, 8), 0x005500);
}

TEST_F(LedTest, PropertiesRoundTripThroughAFile) {
  const std::string file = ::testing::TempDir() + "instruments-led.txt";
  TiLedRectangle a(nullptr), b(nullptr);
  a.SetActiveColor(clYellow);
  a.SetCenterLabelText("COMP");
  a.GetCenterLabelFont()->SetHeight(-11);
  a.SetCenterLabelAlignment(iahRight);
  a.SavePropertiesToFile(file);
  b.LoadPropertiesFromFile(file);
  EXPECT_EQ(b.GetActiveColor(), clYellow);
  EXPECT_EQ(b.GetCenterLabelText(), "COMP");
  EXPECT_EQ(b.GetCenterLabelFont()->GetHeight(), -11);
  EXPECT_EQ(b.GetCenterLabelAlignment(), iahRight);
  std::remove(file.c_str());
}

TEST_F(LedTest, RoundLampPixelsLitAndDark) {
  TiLedRound round(nullptr);
  round.SetBounds(0, 0, 12, 12);
  EXPECT_EQ(Pixel(round, 6, 6), 0x005500);
  round.SetActive(true);
  EXPECT_EQ(Pixel(round, 6, 6), 0x00FF00);
  // Outside the ring the background shows.
  EXPECT_EQ(Pixel(round, 0, 0), ColorToRGB(clBtnFace));
}

// Every lamp in its states on one sheet, saved for looking at.
TEST_F(LedTest, GallerySheet) {
  TBitmap sheet(320, 120);
  sheet.GetCanvas()->Brush->SetColor(0x302820);
  sheet.GetCanvas()->FillRect(TRect(0, 0, 320, 120));
  const TColor colours[] = {clLime, clRed, clYellow, clAqua, 0x0080FF};
  int x = 8;
  for (TColor colour : colours) {
    for (bool on : {false, true}) {
      TiLedRound round(nullptr);
      round.SetBounds(0, 0, 24, 24);
      round.SetActiveColor(colour);
      round.SetActive(on);
      round.SetBackGroundColor(0x302820);
      round.iPaintToDC(x, 8, false, sheet.GetCanvas());
      TiLedRound small(nullptr);
      small.SetBounds(0, 0, 12, 12);
      small.SetActiveColor(colour);
      small.SetActive(on);
      small.SetTransparent(true);
      small.iPaintToDC(x + 6, 40, true, sheet.GetCanvas());
      TiLedRectangle rect(nullptr);
      rect.SetBounds(0, 0, 30, 14);
      rect.SetActiveColor(colour);
      rect.SetActive(on);
      rect.SetCenterLabelText(on ? "ON" : "OFF");
      rect.GetCenterLabelFont()->SetHeight(-9);
      rect.iPaintToDC(x, 64, false, sheet.GetCanvas());
      x += 31;
    }
  }
  TiLedRectangle comp(nullptr);  // the program's compressor lamp
  comp.SetBounds(0, 0, 30, 12);
  comp.SetActiveColor(clYellow);
  comp.SetInactiveColor(clOlive);
  comp.iPaintToDC(8, 90, false, sheet.GetCanvas());
  comp.SetActive(true);
  comp.iPaintToDC(48, 90, false, sheet.GetCanvas());
  EXPECT_EQ(sheet.GetCanvas()->GetPixels(20, 96), 0x005555);
  EXPECT_EQ(sheet.GetCanvas()->GetPixels(60, 96), clYellow);
  // Four times enlarged, pixel for pixel, to look at the edges.
  TBitmap large(sheet.GetWidth() * 4, sheet.GetHeight() * 4);
  large.GetCanvas()->StretchDraw(TRect(0, 0, large.GetWidth(), large.GetHeight()), &sheet);
  TPngImage png;
  png.Assign(&large);
  png.SaveToFile(::testing::TempDir() + "instruments-leds.png");
}

}  // namespace
