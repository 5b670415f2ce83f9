#include <type_traits>

#include <gtest/gtest.h>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Graphics.h"
#include "platform/sys/SysUtils.h"

// A program that links both layers sees one conversion error: what the
// class library's Assign throws is caught as the system layer's type, and
// what the number readers throw is caught as the layer's common Exception.
TEST(ExceptionTypes, OneConversionErrorForBothLayers) {
  static_assert(std::is_base_of_v<Exception, EConvertError>);
  TFont font;
  TPen pen;
  bool caught = false;
  try {
    font.Assign(static_cast<TPersistent*>(&pen));
  } catch (const EConvertError& e) {
    caught = true;
    EXPECT_NE(std::string(e.what()).find("TPen"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(caught);

  caught = false;
  try {
    StrToInt("twelve");
  } catch (const Exception& e) {
    caught = true;
    EXPECT_NE(dynamic_cast<const EConvertError*>(&e), nullptr);
    EXPECT_EQ(e.Message(), "'twelve' is not a valid integer value");
  }
  EXPECT_TRUE(caught);
}
