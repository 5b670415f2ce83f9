// A bitmap sized one side at a time, as forms size their off-screen pages.
#include <gtest/gtest.h>

#include "platform/classlib/Graphics.h"

TEST(BitmapSize, EachSideIsKeptWhileTheOtherIsZero) {
  struct Step {
    bool width;
    int value;
    int expectW;
    int expectH;
    bool hasPixels;
  };
  const Step steps[] = {
      {true, 20, 20, 0, false}, {false, 10, 20, 10, true}, {false, 0, 20, 0, false},
      {false, 5, 20, 5, true},  {true, 0, 0, 5, false},    {true, 7, 7, 5, true},
  };
  TBitmap bitmap;
  for (const Step& s : steps) {
    if (s.width)
      bitmap.SetWidth(s.value);
    else
      bitmap.SetHeight(s.value);
    EXPECT_EQ(s.expectW, bitmap.GetWidth());
    EXPECT_EQ(s.expectH, bitmap.GetHeight());
    EXPECT_EQ(s.hasPixels, bitmap.GetCanvas()->HasSurface());
  }
  TBitmap copy;
  copy.SetWidth(3);
  TBitmap other;
  other.Assign(&copy);
  other.SetHeight(4);
  EXPECT_EQ(3, other.GetWidth());
  EXPECT_TRUE(other.GetCanvas()->HasSurface());
}
