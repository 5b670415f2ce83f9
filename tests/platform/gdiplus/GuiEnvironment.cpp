// Text and fonts need the toolkit's application object; the tests run on
// the offscreen platform.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

namespace {

class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_platform_gdiplus";
    static char* argv[] = {name, nullptr};
    FApp = std::make_unique<QGuiApplication>(argc, argv);
  }
  void TearDown() override { FApp.reset(); }

 private:
  std::unique_ptr<QGuiApplication> FApp;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
