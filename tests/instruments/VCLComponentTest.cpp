// The windowed layer: the internal timer, image export and its limits.

#include <fstream>

#include "tests/instruments/InstrumentsTestSupport.h"

using namespace instruments_test;

namespace {

class VCLComponentTest : public ::testing::Test {
 protected:
  void SetUp() override { classlib_test::App(); }
};

TEST_F(VCLComponentTest, InternalTimerWaitsTheInitialDelayThenRepeats) {
  TTestControl c(nullptr);
  std::vector<qint64> ticks;
  QElapsedTimer clock;
  c.OnInternalTimer = [&](TObject*) { ticks.push_back(clock.elapsed()); };
  clock.start();
  c.InternalTimerStart(200, 50);
  c.InternalTimerStart(0, 5000);  // running: ignored
  ASSERT_TRUE(classlib_test::PumpUntil([&] { return ticks.size() >= 3; }));
  EXPECT_GE(ticks[0], 190);
  EXPECT_LT(ticks[2] - ticks[0], 1000);  // the repeat is the short interval, not 5000
  c.InternalTimerStop();
  EXPECT_FALSE(c.InternalTimerRunning());
  c.InternalTimerStart(0, 0);  // neither delay nor interval: nothing runs
  EXPECT_FALSE(c.InternalTimerRunning());
}

TEST_F(VCLComponentTest, ImageExportChecksCompressionFirst) {
  TTestControl c(nullptr);
  const std::string file = ::testing::TempDir() + "instruments-export.jpg";
  std::remove(file.c_str());
  EXPECT_THROW(c.SaveImageToJPEG(file, 0, false), Exception);
  EXPECT_FALSE(std::ifstream(file).good());
  EXPECT_THROW(c.GetBytesPNG(10), Exception);
  const auto png = c.GetBytesPNG(9);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png[1], 'P');
  const auto jpeg = c.GetBytesJPEG(100, true);
  ASSERT_GT(jpeg.size(), 2u);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);
}

TEST_F(VCLComponentTest, PaintingIntoAnotherCanvasAtAnOffset) {
  TTestControl c(nullptr);
  c.SetBackGroundColor(clRed);
  TBitmap target(100, 60);
  target.GetCanvas()->Brush->SetColor(clBlue);
  target.GetCanvas()->FillRect(TRect(0, 0, 100, 60));
  c.iPaintToDC(10, 5, false, target.GetCanvas());
  EXPECT_EQ(target.GetCanvas()->GetPixels(12, 7), clRed);
  EXPECT_EQ(target.GetCanvas()->GetPixels(5, 2), clBlue);
  EXPECT_EQ(target.GetCanvas()->GetPixels(60, 40), clBlue);
  c.SetBackGroundColor(clLime);
  c.iPaintToDC(10, 5, true, target.GetCanvas());  // the canvas's own background stays
  EXPECT_EQ(target.GetCanvas()->GetPixels(12, 7), clRed);
}

}  // namespace
